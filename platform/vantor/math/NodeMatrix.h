#pragma once

// Where a node stands in the scene. "World" is the frame of the view's scene data: a camera above the
// scene (the view's own, which holds the scene as its child) is no part of a placement, so a placement
// taken before the camera moves still holds after.

#include <osg/Matrixd>

namespace osg {
class Node;
}

namespace Vantor {

// The node's local-to-world matrix: every transform from the top of the scene down to the node, its
// own included, along its first parent path, or along the first path through `through` when the node
// is an instance reached by several. Identity for no node.
osg::Matrixd worldMatrixOf(const osg::Node* node, const osg::Node* through = nullptr);
// The frame the node's own matrix is given in: the same without the node's own transform.
osg::Matrixd parentWorldMatrixOf(const osg::Node* node, const osg::Node* through = nullptr);

} // namespace Vantor
