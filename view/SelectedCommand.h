#pragma once

#include "vantor/command/Command.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/NodePtrList.h"

#include <osg/observer_ptr>
#include <osg/ref_ptr>

namespace Vantor {

// Undoable selection step of a pick: Execute selects (a single node toggles, as a click does),
// Unexecute unselects. Each run remembers what it actually changed, and the run that follows in the
// other direction (undo, redo) reverses exactly that: undoing a click that toggled a node off selects
// it again, and undoing a list selection leaves nodes alone that were selected before it.
class SelectedCommand : public Command
{
public:
    SelectedCommand(ISelectionManager* manager, osg::Node* node);
    SelectedCommand(ISelectionManager* manager, const NodePtrList& nodes);
    ~SelectedCommand() override;

    std::string Type() override { return "SelectedCommand"; }
    std::string Name() override { return "SelectedCommand"; }
    // False only when the selection manager is gone.
    bool Execute() override;
    bool Unexecute() override;

private:
    enum class Run { None, Execute, Unexecute };

    void select(ISelectionManager& manager);
    void unselect(ISelectionManager& manager);
    // Reverses what the last run changed.
    void reverse(ISelectionManager& manager);
    // Records what changed between the two selections.
    void record(const NodePtrList& before, const NodePtrList& after);

    osg::ref_ptr<osg::Node> m_node;
    NodePtrList m_nodes;
    osg::observer_ptr<ISelectionManager> m_manager;

    Run m_lastRun = Run::None;
    NodePtrList m_added;   // what the last run added to the selection
    NodePtrList m_removed; // and what it took out of it
};

} // namespace Vantor
