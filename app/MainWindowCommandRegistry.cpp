// The factories the command manager builds interactive commands from, by name: those of the ribbon's
// tools, and the few commands no tool starts that a host may still ask for.

#include "app/MainWindow.h"
#include "app/ToolTable.h"

#include "vantor/command/CommandManager.h"
#include "vantor/note/NoteCommands.h"
#include "vantor/property/TransformDraggerCommands.h"

namespace {

// emplace keeps an entry that is already there, so registering twice changes nothing.
void add(const char* name, CommandFactory factory)
{
    Vantor::CommandManager::m_commandConstructMap.emplace(name, factory);
}

template <class T>
Vantor::Command* make()
{
    return new T;
}

} // namespace

void MainWindow::registerCommand()
{
    for (const RibbonTool& tool : ribbonTools())
        if (tool.commandName && tool.factory)
            add(tool.commandName, tool.factory);
    add("ScaleTransformDraggerCommand", &make<Vantor::ScaleTransformDraggerCommand>);
    add("SNoteCommand", &make<Vantor::SNoteCommand>);
}
