#include "vantor/command/CombineCommand.h"

namespace Vantor {

void CombineCommand::AddCommand(std::shared_ptr<Command> command)
{
    if (command)
        m_commands.push_back(std::move(command));
}

bool CombineCommand::Execute()
{
    for (std::size_t i = 0; i < m_commands.size(); ++i) {
        if (!m_commands[i]->Execute()) {
            while (i-- > 0)
                m_commands[i]->Unexecute();
            return false;
        }
    }
    return true;
}

bool CombineCommand::Unexecute()
{
    bool ok = true;
    for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it)
        ok = (*it)->Unexecute() && ok;
    return ok;
}

} // namespace Vantor
