#pragma once

#include <memory>
#include <string>

namespace osgGA {
class GUIEventAdapter;
class GUIActionAdapter;
}

namespace Vantor {

class CommandManager;

// Base of every undoable command. One-shot commands only implement Execute and Unexecute; interactive
// commands also take the view's events through handle() and report state 2 once they are done.
class Command
{
public:
    enum State { STATE_IDLE = 0, STATE_RUNNING = 1, STATE_FINISHED = 2 };

    Command() = default;
    virtual ~Command();

    virtual std::string Type();
    virtual std::string Name();
    virtual bool Execute();
    virtual bool Unexecute();
    // Called while the command runs and the selection changes.
    virtual bool SelectedExecute();
    // Ends the command; an interactive command that never finished leaves no undo step.
    virtual bool Cancel();
    virtual bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa);

    int getState() const { return m_state; }
    void setState(int state) { m_state = state; }
    bool isFinished() const { return m_state == STATE_FINISHED; }

    // Whether running the command through the manager adds an undo step (true by default).
    void setUndoable(bool undoable) { m_undoable = undoable; }
    bool isUndoable() const { return m_undoable; }

    // The manager that ran the command last; empty when it was never run through one.
    std::shared_ptr<CommandManager> getCommandManager() const { return m_manager.lock(); }
    void setCommandManager(const std::weak_ptr<CommandManager>& manager) { m_manager = manager; }

    // Shows a tip in the status bar through the manager's command listeners.
    void showTip(const std::string& text);

    // Application directory, set at start-up.
    static std::string AppPath;

protected:
    int m_state = STATE_IDLE;
    bool m_undoable = true;
    std::weak_ptr<CommandManager> m_manager;
};

using CommandPtr = std::shared_ptr<Command>;

} // namespace Vantor
