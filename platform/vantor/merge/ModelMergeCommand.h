#pragma once

#include "vantor/command/Command.h"
#include "vantor/command/NodePtrList.h"
#include "vantor/merge/MergeListener.h"

#include <osg/Node>
#include <osg/ref_ptr>

#include <atomic>
#include <memory>
#include <thread>

namespace Vantor {

// Merges the selected models (or one node's whole subtree) into single models with their geometry,
// on a thread of its own; the listener hears the progress and gets the result, which the caller puts
// into the scene. Not undoable. The command joins its thread when it goes, so the caller keeps it
// until the merge ended.
class ModelMergeCommand : public Command
{
public:
    ModelMergeCommand();
    ~ModelMergeCommand() override;

    std::string Type() override { return "ModelMergeCommand"; }
    std::string Name() override { return "ModelMergeCommand"; }

    void setListener(const std::shared_ptr<MergeListener>& listener) { m_listener = listener; }
    // Nodes whose parent is not selected.
    void setSelectedNodeList(const NodePtrList& nodes) { m_nodes = nodes; m_node = nullptr; }
    // Merges everything below the node into it.
    void setSelectedNode(osg::Node* node) { m_node = node; m_nodes.clear(); }
    // Whether the triangles of one look become one drawable (the reader's merge-faces option).
    void setMergeFaces(bool on) { m_mergeFaces = on; }

    // Prepares the merge and starts its thread; false when there is nothing to merge or one runs.
    bool Execute() override;
    bool Unexecute() override { return false; }
    bool Cancel() override;

    bool isRunning() const { return m_running.load(); }
    // Waits for the thread (tests, shutting down).
    void wait();

private:
    std::shared_ptr<MergeListener> m_listener;
    NodePtrList m_nodes;
    osg::ref_ptr<osg::Node> m_node;
    bool m_mergeFaces = false;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stop{false};
};

} // namespace Vantor
