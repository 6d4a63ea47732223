#pragma once

#include "vantor/command/Command.h"

#include <memory>
#include <vector>

namespace Vantor {

// Several commands as one undo step: executed in the order added, undone in reverse order. May be empty.
// When one of them fails, those already done are undone again and the whole step fails.
class CombineCommand : public Command
{
public:
    CombineCommand() = default;

    std::string Type() override { return "CombineCommand"; }
    std::string Name() override { return "CombineCommand"; }
    bool Execute() override;
    bool Unexecute() override;

    // Null commands are ignored.
    void AddCommand(std::shared_ptr<Command> command);
    const std::vector<std::shared_ptr<Command>>& getCommands() const { return m_commands; }
    bool empty() const { return m_commands.empty(); }

private:
    std::vector<std::shared_ptr<Command>> m_commands;
};

} // namespace Vantor
