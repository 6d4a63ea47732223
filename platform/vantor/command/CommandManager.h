#pragma once

#include "vantor/command/Command.h"
#include "vantor/command/CommandListener.h"
#include "vantor/command/CommandManagerChangedListener.h"
#include "vantor/command/SceneStateObserver.h"
#include "vantor/command/SelectFilter.h"

#include <osg/ref_ptr>
#include <osgViewer/View>

#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Vantor {

class ISelectionManager;

// Runs commands with undo and redo, and starts interactive commands by type name. One per scene view,
// held by std::shared_ptr (commands keep a weak reference back to it). GUI thread only.
class CommandManager : public std::enable_shared_from_this<CommandManager>
{
public:
    using CommandConstructor = std::function<Command*()>;

    // Factories of the interactive commands by type name, filled by the program at start-up and shared by
    // every manager. A factory returns a new command that the manager then owns.
    static std::map<std::string, CommandConstructor> m_commandConstructMap;

    // Type name that queues nothing.
    static const char* const NoneType;
    // Length of the recently-run list.
    static constexpr std::size_t RecentlyListSize = 10;

    CommandManager();
    ~CommandManager();

    // The view whose event is being handled; set before commands see the event.
    void setViewer(osg::ref_ptr<osgViewer::View> view);
    osg::ref_ptr<osgViewer::View> getViewer() const;

    // The interactive command (null: none).
    std::shared_ptr<Command> getCurrentCommand() const;
    void setCurrentCommand(std::shared_ptr<Command> command);

    // Queues a new command of the type registered under the name; "None" and unknown names queue none.
    // Replaces what was queued before. Never throws.
    void setExecuteType(std::string type);
    // The queued type name, "None" when nothing is queued.
    std::string getExecuteType() const;
    // Hands the queued command out once (null when none is queued).
    std::shared_ptr<Command> GetNextExecuteCmd();

    // Runs Execute() now; on success the command becomes one undo step (unless it is not undoable)
    // and the redo steps are dropped. Returns Execute()'s result.
    bool DoCommand(std::shared_ptr<Command> command);
    // Runs Unexecute() of that command now; on success the reverse becomes one undo step.
    bool UnDoCommand(std::shared_ptr<Command> command);

    // A running interactive command is cancelled first; when that drops its unfinished step, that is
    // the undo. Return false when there was nothing to undo or the step failed.
    bool Undo();
    bool Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    std::size_t undoCount() const { return m_undo.size(); }
    std::size_t redoCount() const { return m_redo.size(); }
    // Forgets the whole history (new document). The current command is left alone.
    void Clear();
    // Ends the interactive command in progress, if any.
    void CancelCurrentCmd();

    // Type names of the commands started from the queue, most recent first, without repeats.
    std::list<std::string> RecentlyList() const;

    // The picking filter that interactive commands use.
    void SetSelectFilter(osg::ref_ptr<SelectFilter> filter);
    osg::ref_ptr<SelectFilter> GetSelectFilter() const;

    void setSelectionManager(ISelectionManager* manager) { m_selectionManager = manager; }
    ISelectionManager* getSelectionManager() const { return m_selectionManager; }
    // Told after every change of the history, so the view can refit to the changed scene.
    void setSceneStateObserverManager(osg::ref_ptr<SceneStateObserverManager> observers);
    osg::ref_ptr<SceneStateObserverManager> getSceneStateObserverManager() const;

    void AddCommandManagerListener(std::shared_ptr<CommandManagerChangedListener> listener);
    void RemoveCommandManagerListener(std::shared_ptr<CommandManagerChangedListener> listener);
    void AddCommandListener(std::shared_ptr<CommandListener> listener);
    void RemoveCommandListener(std::shared_ptr<CommandListener> listener);

    // Passes a command's tip and state to the command listeners.
    void setCommandTip(const CommandTip& tip);
    void notifyCommandStateChanged(Command* command, int state);

private:
    struct Step
    {
        std::shared_ptr<Command> command;
        bool inverse = false; // recorded by UnDoCommand: undo runs Execute, redo runs Unexecute
    };

    bool runForward(const Step& step);
    // Runs the command forward (reversed: its undo) and records it as one undo step.
    bool runAndRecord(std::shared_ptr<Command> command, bool reversed);
    bool runBackward(const Step& step);
    void adopt(const std::shared_ptr<Command>& command);
    void notifyHistoryChanged(const std::shared_ptr<Command>& command);
    void notifyTypeChanged(const std::string& type);
    void rememberRecent(const std::string& type);

    osg::observer_ptr<osgViewer::View> m_view;
    std::shared_ptr<Command> m_current;
    std::shared_ptr<Command> m_next;
    std::string m_nextType;
    std::vector<Step> m_undo;
    std::vector<Step> m_redo;
    std::list<std::string> m_recent;
    osg::ref_ptr<SelectFilter> m_filter;
    ISelectionManager* m_selectionManager = nullptr;
    osg::ref_ptr<SceneStateObserverManager> m_observers;
    std::vector<std::shared_ptr<CommandManagerChangedListener>> m_managerListeners;
    std::vector<std::shared_ptr<CommandListener>> m_commandListeners;
};

} // namespace Vantor
