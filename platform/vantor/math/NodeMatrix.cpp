#include "vantor/math/NodeMatrix.h"

#include <osg/Node>
#include <osg/Transform>

#include <algorithm>

namespace Vantor {

namespace {

osg::NodePath pathOf(const osg::Node* node, const osg::Node* through)
{
    const osg::NodePathList paths = const_cast<osg::Node*>(node)->getParentalNodePaths();
    if (paths.empty())
        return osg::NodePath{const_cast<osg::Node*>(node)};
    if (through) {
        for (const osg::NodePath& path : paths)
            if (std::find(path.begin(), path.end(), through) != path.end())
                return path;
    }
    return paths.front();
}

} // namespace

osg::Matrixd worldMatrixOf(const osg::Node* node, const osg::Node* through)
{
    if (!node)
        return osg::Matrixd();
    return osg::computeLocalToWorld(pathOf(node, through));
}

osg::Matrixd parentWorldMatrixOf(const osg::Node* node, const osg::Node* through)
{
    if (!node)
        return osg::Matrixd();
    osg::NodePath path = pathOf(node, through);
    path.pop_back();
    return osg::computeLocalToWorld(path);
}

} // namespace Vantor
