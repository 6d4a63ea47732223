#include "view/FindNameListVisitor.h"

#include <osg/Node>

FindNameListVisitor::FindNameListVisitor()
    : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN)
{
    setTraversalMask(0xFFFFFFFFu);
    setNodeMaskOverride(0xFFFFFFFFu);
}

void FindNameListVisitor::apply(osg::Node& node)
{
    if (!node.getName().empty())
        names.append(QString::fromStdString(node.getName()));
    traverse(node);
}
