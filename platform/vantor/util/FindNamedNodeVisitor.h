#pragma once

#include <osg/NodeVisitor>

#include <string>
#include <vector>

namespace Vantor {

// Gathers every node with the given name below the start node (hidden ones included).
class FindNamedNodeVisitor : public osg::NodeVisitor
{
public:
    explicit FindNamedNodeVisitor(const std::string& name)
        : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN), _name(name)
    {
        setNodeMaskOverride(~0u);
    }

    void apply(osg::Node& node) override
    {
        if (node.getName() == _name)
            _foundNodes.push_back(&node);
        traverse(node);
    }

    osg::Node* first() const { return _foundNodes.empty() ? nullptr : _foundNodes.front(); }

    std::string _name;
    std::vector<osg::Node*> _foundNodes;
};

} // namespace Vantor
