#include "vantor/command/CommandManager.h"

#include "vantor/util/LogHandler.h"

#include <algorithm>
#include <exception>

namespace Vantor {

std::map<std::string, CommandManager::CommandConstructor> CommandManager::m_commandConstructMap;
const char* const CommandManager::NoneType = "None";

namespace {

void warn(const std::string& text) { LogHandler::getInstance()->reportWarning(text); }

// Commands come from other libraries; one that throws must not take the view down with it.
template <typename F>
bool guarded(const std::shared_ptr<Command>& command, const char* what, F&& f)
{
    try {
        return f();
    } catch (const std::exception& e) {
        warn(std::string("CommandManager: ") + what + " of " + command->Type() + " failed: " + e.what());
    } catch (...) {
        warn(std::string("CommandManager: ") + what + " of " + command->Type() + " failed");
    }
    return false;
}

} // namespace

CommandManager::CommandManager() = default;
CommandManager::~CommandManager() = default;

void CommandManager::setViewer(osg::ref_ptr<osgViewer::View> view) { m_view = view.get(); }

osg::ref_ptr<osgViewer::View> CommandManager::getViewer() const
{
    osg::ref_ptr<osgViewer::View> view;
    m_view.lock(view);
    return view;
}

std::shared_ptr<Command> CommandManager::getCurrentCommand() const { return m_current; }

void CommandManager::setCurrentCommand(std::shared_ptr<Command> command)
{
    if (command == m_current)
        return;
    m_current = std::move(command);
    if (m_current)
        adopt(m_current);
    notifyTypeChanged(m_current ? m_current->Type() : std::string(NoneType));
}

void CommandManager::setExecuteType(std::string type)
{
    m_next.reset();
    m_nextType.clear();
    if (type.empty() || type == NoneType)
        return;

    auto it = m_commandConstructMap.find(type);
    Command* made = nullptr;
    if (it == m_commandConstructMap.end() || !it->second) {
        warn("CommandManager: no command is registered as \"" + type + "\"");
    } else {
        try {
            made = it->second();
        } catch (const std::exception& e) {
            warn("CommandManager: making \"" + type + "\" failed: " + e.what());
        } catch (...) {
            warn("CommandManager: making \"" + type + "\" failed");
        }
        if (!made)
            warn("CommandManager: the factory of \"" + type + "\" made no command");
    }
    if (!made) {
        // The tool button that asked for it must not stay checked with nothing behind it.
        if (!m_current || m_current->isFinished())
            notifyTypeChanged(NoneType);
        return;
    }
    m_next.reset(made);
    m_nextType = type;
}

std::string CommandManager::getExecuteType() const { return m_next ? m_nextType : std::string(NoneType); }

std::shared_ptr<Command> CommandManager::GetNextExecuteCmd()
{
    std::shared_ptr<Command> command = std::move(m_next);
    m_next.reset();
    if (command) {
        adopt(command);
        rememberRecent(m_nextType);
    }
    m_nextType.clear();
    return command;
}

bool CommandManager::DoCommand(std::shared_ptr<Command> command)
{
    return runAndRecord(std::move(command), false);
}

bool CommandManager::UnDoCommand(std::shared_ptr<Command> command)
{
    return runAndRecord(std::move(command), true);
}

bool CommandManager::runAndRecord(std::shared_ptr<Command> command, bool reversed)
{
    if (!command)
        return false;
    adopt(command);
    Step step{command, reversed};
    if (!runForward(step))
        return false;
    if (command->isUndoable()) {
        m_undo.push_back(step);
        m_redo.clear();
        notifyHistoryChanged(command);
    }
    if (m_observers.valid())
        m_observers->notifySceneChanged(nullptr, nullptr);
    return true;
}

bool CommandManager::Undo()
{
    if (m_current && !m_current->isFinished()) {
        const std::size_t before = m_undo.size();
        CancelCurrentCmd();
        if (m_undo.size() < before)
            return true;
    }
    if (m_undo.empty())
        return false;
    Step step = m_undo.back();
    m_undo.pop_back();
    const bool ok = runBackward(step);
    if (!ok)
        warn("CommandManager: undoing " + step.command->Name() + " failed");
    m_redo.push_back(step);
    notifyHistoryChanged(step.command);
    if (m_observers.valid())
        m_observers->notifySceneChanged(nullptr, nullptr);
    return ok;
}

bool CommandManager::Redo()
{
    if (m_redo.empty())
        return false;
    // A half-done interactive command must not end up below the redone step.
    if (m_current && !m_current->isFinished())
        CancelCurrentCmd();
    Step step = m_redo.back();
    m_redo.pop_back();
    const bool ok = runForward(step);
    if (!ok)
        warn("CommandManager: redoing " + step.command->Name() + " failed");
    m_undo.push_back(step);
    notifyHistoryChanged(step.command);
    if (m_observers.valid())
        m_observers->notifySceneChanged(nullptr, nullptr);
    return ok;
}

bool CommandManager::CanUndo() const { return !m_undo.empty(); }
bool CommandManager::CanRedo() const { return !m_redo.empty(); }

void CommandManager::Clear()
{
    m_undo.clear();
    m_redo.clear();
    notifyHistoryChanged(nullptr);
}

void CommandManager::CancelCurrentCmd()
{
    if (!m_current)
        return;
    std::shared_ptr<Command> command = std::move(m_current);
    m_current.reset();
    const bool unfinished = !command->isFinished();
    guarded(command, "cancelling", [&] { return command->Cancel(); });
    // An interactive command abandoned half way leaves no undo step behind.
    if (unfinished && !m_undo.empty() && m_undo.back().command == command && !m_undo.back().inverse) {
        m_undo.pop_back();
        notifyHistoryChanged(command);
    }
    notifyTypeChanged(NoneType);
}

std::list<std::string> CommandManager::RecentlyList() const { return m_recent; }

void CommandManager::SetSelectFilter(osg::ref_ptr<SelectFilter> filter) { m_filter = filter; }
osg::ref_ptr<SelectFilter> CommandManager::GetSelectFilter() const { return m_filter; }

void CommandManager::setSceneStateObserverManager(osg::ref_ptr<SceneStateObserverManager> observers)
{
    m_observers = observers;
}

osg::ref_ptr<SceneStateObserverManager> CommandManager::getSceneStateObserverManager() const { return m_observers; }

void CommandManager::AddCommandManagerListener(std::shared_ptr<CommandManagerChangedListener> listener)
{
    if (listener && std::find(m_managerListeners.begin(), m_managerListeners.end(), listener) == m_managerListeners.end())
        m_managerListeners.push_back(std::move(listener));
}

void CommandManager::RemoveCommandManagerListener(std::shared_ptr<CommandManagerChangedListener> listener)
{
    m_managerListeners.erase(std::remove(m_managerListeners.begin(), m_managerListeners.end(), listener),
                             m_managerListeners.end());
}

void CommandManager::AddCommandListener(std::shared_ptr<CommandListener> listener)
{
    if (listener && std::find(m_commandListeners.begin(), m_commandListeners.end(), listener) == m_commandListeners.end())
        m_commandListeners.push_back(std::move(listener));
}

void CommandManager::RemoveCommandListener(std::shared_ptr<CommandListener> listener)
{
    m_commandListeners.erase(std::remove(m_commandListeners.begin(), m_commandListeners.end(), listener),
                             m_commandListeners.end());
}

void CommandManager::setCommandTip(const CommandTip& tip)
{
    const auto listeners = m_commandListeners; // a listener may unregister itself
    for (const auto& listener : listeners)
        listener->onCommandTipChanged(tip);
}

void CommandManager::notifyCommandStateChanged(Command* command, int state)
{
    const auto listeners = m_commandListeners;
    for (const auto& listener : listeners)
        listener->onCommandStateChanged(command, state);
}

bool CommandManager::runForward(const Step& step)
{
    return guarded(step.command, "running", [&] {
        return step.inverse ? step.command->Unexecute() : step.command->Execute();
    });
}

bool CommandManager::runBackward(const Step& step)
{
    return guarded(step.command, "undoing", [&] {
        return step.inverse ? step.command->Execute() : step.command->Unexecute();
    });
}

void CommandManager::adopt(const std::shared_ptr<Command>& command)
{
    if (command->getCommandManager().get() != this)
        command->setCommandManager(weak_from_this());
}

void CommandManager::notifyHistoryChanged(const std::shared_ptr<Command>& command)
{
    const auto listeners = m_managerListeners;
    for (const auto& listener : listeners)
        listener->onCommandManagerChanged(this, command);
}

void CommandManager::notifyTypeChanged(const std::string& type)
{
    // A tool that ended or was cancelled takes its prompt with it.
    if (type == NoneType)
        setCommandTip(CommandTip());
    const auto listeners = m_managerListeners;
    for (const auto& listener : listeners)
        listener->onCurrentCommandTypeChanged(type);
}

void CommandManager::rememberRecent(const std::string& type)
{
    if (type.empty())
        return;
    m_recent.remove(type);
    m_recent.push_front(type);
    while (m_recent.size() > RecentlyListSize)
        m_recent.pop_back();
}

} // namespace Vantor
