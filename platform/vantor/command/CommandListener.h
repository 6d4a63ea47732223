#pragma once

#include <string>

namespace Vantor {

class Command;

// Status-bar text of a command, in the local 8-bit encoding.
using CommandTip = std::string;

// Hears what the running command has to tell the user.
class CommandListener
{
public:
    virtual ~CommandListener() = default;
    // A command changed its state (see Command::State).
    virtual void onCommandStateChanged(Command* command, int state) {}
    // A command's tip text; an empty text clears the tip.
    virtual void onCommandTipChanged(const CommandTip& tip) {}
};

} // namespace Vantor
