#pragma once

#include <memory>
#include <string>

namespace Vantor {

class Command;
class CommandManager;

// Hears changes of a command manager's history and of its current command.
class CommandManagerChangedListener
{
public:
    virtual ~CommandManagerChangedListener() = default;
    // After every change of the history: the command that was done, undone or redone; null after Clear.
    virtual void onCommandManagerChanged(CommandManager* manager, std::shared_ptr<Command> command) {}
    // The current command type changed: the type name of the command now running or queued, "None" for none.
    virtual void onCurrentCommandTypeChanged(const std::string& type) {}
};

} // namespace Vantor
