#include "vantor/command/Command.h"

#include "vantor/command/CommandManager.h"

namespace Vantor {

std::string Command::AppPath;

Command::~Command() = default;

std::string Command::Type() { return "Command"; }
std::string Command::Name() { return Type(); }
bool Command::Execute() { return true; }
bool Command::Unexecute() { return true; }
bool Command::SelectedExecute() { return false; }

bool Command::Cancel()
{
    m_state = STATE_FINISHED;
    return true;
}

bool Command::handle(const osgGA::GUIEventAdapter&, osgGA::GUIActionAdapter&) { return false; }

void Command::showTip(const std::string& text)
{
    if (auto manager = m_manager.lock())
        manager->setCommandTip(text);
}

} // namespace Vantor
