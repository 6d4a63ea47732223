#include "view/SelectedCommand.h"

#include <algorithm>

namespace Vantor {

namespace {

bool contains(const NodePtrList& list, const osg::Node* node)
{
    return std::any_of(list.begin(), list.end(), [node](const osg::ref_ptr<osg::Node>& n) { return n.get() == node; });
}

// Nodes of a that are not in b, each once.
NodePtrList difference(const NodePtrList& a, const NodePtrList& b)
{
    NodePtrList result;
    for (const auto& node : a) {
        if (node.valid() && !contains(b, node.get()) && !contains(result, node.get()))
            result.push_back(node);
    }
    return result;
}

} // namespace

SelectedCommand::SelectedCommand(ISelectionManager* manager, osg::Node* node) : m_node(node), m_manager(manager) {}

SelectedCommand::SelectedCommand(ISelectionManager* manager, const NodePtrList& nodes)
    : m_nodes(nodes), m_manager(manager)
{
}

SelectedCommand::~SelectedCommand() = default;

bool SelectedCommand::Execute()
{
    osg::ref_ptr<ISelectionManager> manager;
    if (!m_manager.lock(manager))
        return false;
    if (m_lastRun == Run::Unexecute)
        reverse(*manager);
    else
        select(*manager);
    m_lastRun = Run::Execute;
    return true;
}

bool SelectedCommand::Unexecute()
{
    osg::ref_ptr<ISelectionManager> manager;
    if (!m_manager.lock(manager))
        return false;
    if (m_lastRun == Run::Execute)
        reverse(*manager);
    else
        unselect(*manager);
    m_lastRun = Run::Unexecute;
    return true;
}

void SelectedCommand::record(const NodePtrList& before, const NodePtrList& after)
{
    m_added = difference(after, before);
    m_removed = difference(before, after);
}

void SelectedCommand::select(ISelectionManager& manager)
{
    const NodePtrList before = manager.getSelectedList();
    if (m_node.valid())
        manager.addSelected(m_node.get());
    else if (!m_nodes.empty())
        manager.addSelectedList(m_nodes);
    record(before, manager.getSelectedList());
}

void SelectedCommand::unselect(ISelectionManager& manager)
{
    const NodePtrList before = manager.getSelectedList();
    if (m_node.valid())
        manager.removeSelected(m_node.get());
    else if (!m_nodes.empty())
        manager.removeSelectedList(m_nodes);
    record(before, manager.getSelectedList());
}

void SelectedCommand::reverse(ISelectionManager& manager)
{
    const NodePtrList before = manager.getSelectedList();
    // Take out what was added first, so a single-selection manager has room for what comes back.
    if (m_added.size() == 1)
        manager.removeSelected(m_added.front().get());
    else if (!m_added.empty())
        manager.removeSelectedList(m_added);
    if (m_removed.size() == 1) {
        // A single node comes back as a click brings it (decorated, told as one addition), unless
        // that would clear or toggle instead.
        osg::Node* node = m_removed.front().get();
        const NodePtrList& now = manager.getSelectedList();
        if (!contains(now, node) && (manager.getMultiSelection() || now.empty()))
            manager.addSelected(node);
        else
            manager.addSelectedList(m_removed);
    } else if (!m_removed.empty())
        manager.addSelectedList(m_removed);
    record(before, manager.getSelectedList());
}

} // namespace Vantor
