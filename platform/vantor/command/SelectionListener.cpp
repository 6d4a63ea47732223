#include "vantor/command/SelectionListener.h"

#include "vantor/command/CommandManager.h"

namespace Vantor {

CommandSelectionListener::CommandSelectionListener(ISelectionManager* selectionManager,
                                                   std::shared_ptr<CommandManager> commandManager)
    : m_selectionManager(selectionManager), m_commandManager(commandManager)
{
}

void CommandSelectionListener::onAddSelected(osg::Node*) { forward(); }
void CommandSelectionListener::onSelectedListChanged(NodePtrList&) { forward(); }
void CommandSelectionListener::onRemoveSelected(osg::Node*) { forward(); }
void CommandSelectionListener::onClearSelected() { forward(); }

void CommandSelectionListener::forward()
{
    auto manager = m_commandManager.lock();
    if (!manager)
        return;
    auto command = manager->getCurrentCommand();
    if (command && !command->isFinished())
        command->SelectedExecute();
}

} // namespace Vantor
