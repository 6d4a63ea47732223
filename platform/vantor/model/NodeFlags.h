#pragma once

namespace osg {
class Node;
}

namespace Vantor {

// The per-node "selected" flag that the selection manager keeps and the tree and panels read.
// Kept in the node's user value "selected"; a null node is never selected.
bool isNodeSelected(const osg::Node* node);
void setNodeSelected(osg::Node* node, bool selected);

} // namespace Vantor
