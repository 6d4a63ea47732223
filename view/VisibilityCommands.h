#pragma once

#include "vantor/command/Command.h"

#include <osg/Node>
#include <osg/ref_ptr>

#include <cstdint>
#include <list>
#include <string>
#include <utility>
#include <vector>

namespace Vantor {

// The node masks a command changed, so that its undo puts back exactly what was there.
using SavedNodeMasks = std::vector<std::pair<osg::ref_ptr<osg::Node>, std::uint32_t>>;

// Shows or hides a list of nodes (mask 0xFFFFFFFF or 0). A node already in the wanted state keeps its
// mask. Undo gives every node the mask it had before, so nodes that were hidden stay hidden.
class SetVisibleCommand : public Command
{
public:
    SetVisibleCommand(std::list<osg::ref_ptr<osg::Node>> nodes, bool visible);
    ~SetVisibleCommand() override;

    std::string Type() override { return "SetVisibleCommand"; }
    std::string Name() override { return "SetVisibleCommand"; }
    bool Execute() override;
    bool Unexecute() override;

    // Always null: the command is made from a list.
    osg::ref_ptr<osg::Node> getNode() const { return m_node; }
    const std::list<osg::ref_ptr<osg::Node>>& getNodes() const { return m_nodes; }
    bool isVisible() const { return m_visible; }

private:
    osg::ref_ptr<osg::Node> m_node;
    std::list<osg::ref_ptr<osg::Node>> m_nodes;
    bool m_visible;
    SavedNodeMasks m_savedMasks;
};

// Shows only the listed nodes with everything below them and the models that contain them; every
// other model below the root is hidden. Undo restores every mask it touched.
class SetIsolatedCommand : public Command
{
public:
    SetIsolatedCommand(std::list<osg::ref_ptr<osg::Node>> nodes, bool isolate, osg::Node* root);
    ~SetIsolatedCommand() override;

    std::string Type() override { return "SetIsolatedCommand"; }
    std::string Name() override { return "SetIsolatedCommand"; }
    bool Execute() override;
    bool Unexecute() override;

private:
    osg::ref_ptr<osg::Node> m_root;
    std::list<osg::ref_ptr<osg::Node>> m_nodes;
    bool m_isolate;
    SavedNodeMasks m_savedMasks;
};

// Shows every model below the root (the root included). Undo restores the masks they had.
class SetAllDisplayedCommand : public Command
{
public:
    explicit SetAllDisplayedCommand(osg::Node* root);
    ~SetAllDisplayedCommand() override;

    std::string Type() override { return "SetAllDisplayedCommand"; }
    std::string Name() override { return "SetAllDisplayedCommand"; }
    bool Execute() override;
    bool Unexecute() override;

private:
    osg::ref_ptr<osg::Node> m_root;
    SavedNodeMasks m_savedMasks;
};

} // namespace Vantor
