#include "vantor/model/FindModelNodeVisitor.h"

#include "vantor/model/Model.h"

namespace Vantor {

FindModelNodeVisitor::FindModelNodeVisitor(osg::OSG_ID id)
    : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN), m_id(id)
{
    setNodeMaskOverride(0xffffffff);
}

void FindModelNodeVisitor::apply(osg::Node& node)
{
    if (m_found.valid())
        return;
    if (auto* model = dynamic_cast<Model*>(&node)) {
        if (model->getModelID() == m_id) {
            m_found = model;
            return;
        }
    }
    traverse(node);
}

Model* FindModelNodeVisitor::getModel() const { return static_cast<Model*>(m_found.get()); }

} // namespace Vantor
