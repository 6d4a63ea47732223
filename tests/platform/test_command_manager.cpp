#include "vantor/command/CombineCommand.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/SelectionListener.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace Vantor;

namespace {

// Counts its runs and writes them into a shared journal ("+A" executed, "-A" undone).
class FakeCommand : public Command
{
public:
    FakeCommand(std::string name, std::vector<std::string>* journal = nullptr) : m_name(std::move(name)), m_journal(journal) {}

    std::string Type() override { return m_name; }
    std::string Name() override { return m_name; }
    bool Execute() override
    {
        ++executed;
        if (m_journal)
            m_journal->push_back("+" + m_name);
        if (throwOnExecute)
            throw std::runtime_error("broken");
        return executeResult;
    }
    bool Unexecute() override
    {
        ++unexecuted;
        if (m_journal)
            m_journal->push_back("-" + m_name);
        return true;
    }
    bool Cancel() override
    {
        ++cancelled;
        return Command::Cancel();
    }
    bool SelectedExecute() override { return ++selectedExecuted > 0; }

    int executed = 0;
    int unexecuted = 0;
    int cancelled = 0;
    int selectedExecuted = 0;
    bool executeResult = true;
    bool throwOnExecute = false;

private:
    std::string m_name;
    std::vector<std::string>* m_journal;
};

struct Recorder : CommandManagerChangedListener, CommandListener
{
    struct HistoryCall
    {
        CommandManager* manager;
        Command* command;
        bool canUndo;
        bool canRedo;
    };
    void onCommandManagerChanged(CommandManager* manager, std::shared_ptr<Command> command) override
    {
        history.push_back({manager, command.get(), manager->CanUndo(), manager->CanRedo()});
    }
    void onCurrentCommandTypeChanged(const std::string& type) override { types.push_back(type); }
    void onCommandTipChanged(const CommandTip& tip) override { tips.push_back(tip); }

    std::vector<HistoryCall> history;
    std::vector<std::string> types;
    std::vector<std::string> tips;
};

class CommandManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { saved = CommandManager::m_commandConstructMap; }
    void TearDown() override { CommandManager::m_commandConstructMap = saved; }

    std::shared_ptr<CommandManager> manager = std::make_shared<CommandManager>();
    std::map<std::string, CommandManager::CommandConstructor> saved;
};

} // namespace

TEST_F(CommandManagerTest, UndoRedoWalkTheHistory)
{
    auto a = std::make_shared<FakeCommand>("A");
    auto b = std::make_shared<FakeCommand>("B");
    ASSERT_TRUE(manager->DoCommand(a));
    ASSERT_TRUE(manager->DoCommand(b));
    EXPECT_TRUE(manager->CanUndo());
    EXPECT_FALSE(manager->CanRedo());

    EXPECT_TRUE(manager->Undo());
    EXPECT_EQ(b->unexecuted, 1);
    EXPECT_EQ(a->unexecuted, 0);
    EXPECT_TRUE(manager->Undo());
    EXPECT_EQ(a->unexecuted, 1);
    EXPECT_FALSE(manager->CanUndo());
    EXPECT_TRUE(manager->CanRedo());
    EXPECT_FALSE(manager->Undo());

    EXPECT_TRUE(manager->Redo());
    EXPECT_EQ(a->executed, 2);
    EXPECT_EQ(b->executed, 1);
    EXPECT_TRUE(manager->CanRedo());

    // A new command drops what could have been redone.
    auto c = std::make_shared<FakeCommand>("C");
    ASSERT_TRUE(manager->DoCommand(c));
    EXPECT_FALSE(manager->CanRedo());
    EXPECT_FALSE(manager->Redo());
    EXPECT_EQ(b->executed, 1);
    EXPECT_EQ(manager->undoCount(), 2u);
}

TEST_F(CommandManagerTest, EmptyHistoryAndClear)
{
    EXPECT_FALSE(manager->CanUndo());
    EXPECT_FALSE(manager->CanRedo());
    EXPECT_FALSE(manager->Undo());
    EXPECT_FALSE(manager->Redo());

    auto a = std::make_shared<FakeCommand>("A");
    manager->DoCommand(a);
    manager->DoCommand(std::make_shared<FakeCommand>("B"));
    manager->Undo();
    manager->Clear();
    EXPECT_FALSE(manager->CanUndo());
    EXPECT_FALSE(manager->CanRedo());
    EXPECT_FALSE(manager->Undo());
    EXPECT_EQ(a->unexecuted, 0);
}

TEST_F(CommandManagerTest, CommandsThatDoNotRunLeaveNoStep)
{
    EXPECT_FALSE(manager->DoCommand(nullptr));
    EXPECT_FALSE(manager->UnDoCommand(nullptr));

    auto refusing = std::make_shared<FakeCommand>("Refusing");
    refusing->executeResult = false;
    EXPECT_FALSE(manager->DoCommand(refusing));

    auto throwing = std::make_shared<FakeCommand>("Throwing");
    throwing->throwOnExecute = true;
    EXPECT_FALSE(manager->DoCommand(throwing));

    auto notUndoable = std::make_shared<FakeCommand>("Once");
    notUndoable->setUndoable(false);
    EXPECT_TRUE(manager->DoCommand(notUndoable));
    EXPECT_EQ(notUndoable->executed, 1);

    EXPECT_FALSE(manager->CanUndo());
}

TEST_F(CommandManagerTest, UnDoCommandRunsUnexecuteAndUndoesToExecute)
{
    std::vector<std::string> journal;
    auto select = std::make_shared<FakeCommand>("Select", &journal);
    ASSERT_TRUE(manager->UnDoCommand(select));
    ASSERT_TRUE(manager->Undo());
    ASSERT_TRUE(manager->Redo());
    EXPECT_EQ(journal, (std::vector<std::string>{"-Select", "+Select", "-Select"}));
}

TEST_F(CommandManagerTest, QueueHandsOutACommandFromTheFactoryOnce)
{
    int made = 0;
    CommandManager::m_commandConstructMap["Measure"] = [&made] {
        ++made;
        return new FakeCommand("Measure");
    };
    manager->setExecuteType("Measure");
    EXPECT_EQ(manager->getExecuteType(), "Measure");
    auto first = manager->GetNextExecuteCmd();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Type(), "Measure");
    EXPECT_EQ(first->getCommandManager(), manager);
    EXPECT_EQ(manager->GetNextExecuteCmd(), nullptr);
    EXPECT_EQ(manager->getExecuteType(), "None");

    // Queuing again makes a new command; "None" drops what is queued.
    manager->setExecuteType("Measure");
    manager->setExecuteType("None");
    EXPECT_EQ(manager->GetNextExecuteCmd(), nullptr);
    manager->setExecuteType("Measure");
    auto second = manager->GetNextExecuteCmd();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(made, 3);
}

TEST_F(CommandManagerTest, NamesWithoutAWorkingFactoryQueueNothing)
{
    CommandManager::m_commandConstructMap["Good"] = [] { return new FakeCommand("Good"); };
    CommandManager::m_commandConstructMap["MakesNothing"] = [] { return nullptr; };
    CommandManager::m_commandConstructMap["Throws"] = []() -> Command* { throw std::runtime_error("no"); };
    CommandManager::m_commandConstructMap["Empty"] = nullptr;

    for (const char* name : {"None", "", "NoSuchCommand", "MakesNothing", "Throws", "Empty"}) {
        SCOPED_TRACE(name);
        manager->setExecuteType("Good");
        EXPECT_NO_THROW(manager->setExecuteType(name));
        EXPECT_EQ(manager->GetNextExecuteCmd(), nullptr);
        EXPECT_EQ(manager->getExecuteType(), "None");
    }
}

TEST_F(CommandManagerTest, ListenersHearHistoryTypeAndTips)
{
    auto recorder = std::make_shared<Recorder>();
    manager->AddCommandManagerListener(recorder);
    manager->AddCommandManagerListener(recorder); // once is enough
    manager->AddCommandListener(recorder);

    auto a = std::make_shared<FakeCommand>("A");
    manager->DoCommand(a);
    manager->Undo();
    manager->Redo();
    manager->Clear();
    ASSERT_EQ(recorder->history.size(), 4u);
    for (const auto& call : recorder->history)
        EXPECT_EQ(call.manager, manager.get());
    EXPECT_EQ(recorder->history[0].command, a.get());
    EXPECT_TRUE(recorder->history[0].canUndo);
    EXPECT_FALSE(recorder->history[1].canUndo);
    EXPECT_TRUE(recorder->history[1].canRedo);
    EXPECT_EQ(recorder->history[2].command, a.get());
    EXPECT_EQ(recorder->history[3].command, nullptr);
    EXPECT_FALSE(recorder->history[3].canUndo);

    auto tool = std::make_shared<FakeCommand>("Tool");
    manager->setCurrentCommand(tool);
    manager->setCurrentCommand(tool); // no change, nothing told
    tool->showTip("pick a point");
    manager->CancelCurrentCmd();
    EXPECT_EQ(recorder->types, (std::vector<std::string>{"Tool", "None"}));
    // The cancelled tool's prompt goes with it.
    EXPECT_EQ(recorder->tips, (std::vector<std::string>{"pick a point", ""}));

    manager->RemoveCommandManagerListener(recorder);
    manager->DoCommand(std::make_shared<FakeCommand>("B"));
    EXPECT_EQ(recorder->history.size(), 4u);
}

TEST_F(CommandManagerTest, RecentListIsNewestFirstWithoutRepeatsAndBounded)
{
    for (int i = 0; i < 12; ++i) {
        const std::string name = "Cmd" + std::to_string(i);
        CommandManager::m_commandConstructMap[name] = [name] { return new FakeCommand(name); };
    }
    auto run = [&](const std::string& name) {
        manager->setExecuteType(name);
        manager->DoCommand(manager->GetNextExecuteCmd());
    };
    EXPECT_TRUE(manager->RecentlyList().empty());
    run("Cmd0");
    run("Cmd1");
    run("Cmd0");
    EXPECT_EQ(manager->RecentlyList(), (std::list<std::string>{"Cmd0", "Cmd1"}));

    // Queued but never handed out does not count; one-shot commands do not either.
    manager->setExecuteType("Cmd5");
    manager->setExecuteType("None");
    manager->DoCommand(std::make_shared<FakeCommand>("SetVisibleCommand"));
    EXPECT_EQ(manager->RecentlyList().size(), 2u);

    for (int i = 0; i < 12; ++i)
        run("Cmd" + std::to_string(i));
    const auto recent = manager->RecentlyList();
    ASSERT_EQ(recent.size(), CommandManager::RecentlyListSize);
    EXPECT_EQ(recent.front(), "Cmd11");
    EXPECT_EQ(recent.back(), "Cmd2");
}

TEST_F(CommandManagerTest, CancellingAnUnfinishedToolDropsItsStep)
{
    auto done = std::make_shared<FakeCommand>("Done");
    manager->DoCommand(done);

    // The pump's way of starting a tool.
    auto tool = std::make_shared<FakeCommand>("Tool");
    manager->DoCommand(tool);
    manager->setCurrentCommand(tool);
    tool->setState(Command::STATE_RUNNING);
    manager->CancelCurrentCmd();
    EXPECT_EQ(tool->cancelled, 1);
    EXPECT_EQ(manager->getCurrentCommand(), nullptr);
    EXPECT_EQ(manager->undoCount(), 1u);

    // A finished tool stays undoable after it is let go.
    auto finished = std::make_shared<FakeCommand>("Finished");
    manager->DoCommand(finished);
    manager->setCurrentCommand(finished);
    finished->setState(Command::STATE_FINISHED);
    manager->CancelCurrentCmd();
    EXPECT_EQ(manager->undoCount(), 2u);

    // Undo while a tool runs ends the tool and counts as the undo.
    auto running = std::make_shared<FakeCommand>("Running");
    manager->DoCommand(running);
    manager->setCurrentCommand(running);
    running->setState(Command::STATE_RUNNING);
    EXPECT_TRUE(manager->Undo());
    EXPECT_EQ(running->cancelled, 1);
    EXPECT_EQ(finished->unexecuted, 0);
    EXPECT_EQ(manager->undoCount(), 2u);
}

TEST_F(CommandManagerTest, CombineCommandRunsInOrderAndUndoesInReverse)
{
    std::vector<std::string> journal;
    auto combine = std::make_shared<CombineCommand>();
    combine->AddCommand(std::make_shared<FakeCommand>("A", &journal));
    combine->AddCommand(nullptr);
    combine->AddCommand(std::make_shared<FakeCommand>("B", &journal));
    combine->AddCommand(std::make_shared<FakeCommand>("C", &journal));
    ASSERT_TRUE(manager->DoCommand(combine));
    EXPECT_EQ(manager->undoCount(), 1u);
    ASSERT_TRUE(manager->Undo());
    EXPECT_EQ(journal, (std::vector<std::string>{"+A", "+B", "+C", "-C", "-B", "-A"}));

    auto empty = std::make_shared<CombineCommand>();
    EXPECT_TRUE(manager->DoCommand(empty));
    EXPECT_TRUE(manager->Undo());
}

TEST_F(CommandManagerTest, CombineCommandRollsBackWhenOnePartFails)
{
    std::vector<std::string> journal;
    auto failing = std::make_shared<FakeCommand>("Bad", &journal);
    failing->executeResult = false;
    auto combine = std::make_shared<CombineCommand>();
    combine->AddCommand(std::make_shared<FakeCommand>("A", &journal));
    combine->AddCommand(std::make_shared<FakeCommand>("B", &journal));
    combine->AddCommand(failing);
    combine->AddCommand(std::make_shared<FakeCommand>("C", &journal));
    EXPECT_FALSE(manager->DoCommand(combine));
    EXPECT_FALSE(manager->CanUndo());
    EXPECT_EQ(journal, (std::vector<std::string>{"+A", "+B", "+Bad", "-B", "-A"}));
}

namespace {
struct CountingObserver : SceneStateObserver
{
    void onSceneChanged(osg::ref_ptr<osg::Node>, osg::ref_ptr<osg::Node>) override { ++changes; }
    int changes = 0;
};
} // namespace

TEST_F(CommandManagerTest, SceneObserversAndTheRunningToolHearChanges)
{
    osg::ref_ptr<SceneStateObserverManager> observers = new SceneStateObserverManager;
    osg::ref_ptr<CountingObserver> observer = new CountingObserver;
    observers->addChild(observer);
    observers->addChild(new osg::Node); // not an observer: skipped
    manager->setSceneStateObserverManager(observers);
    manager->DoCommand(std::make_shared<FakeCommand>("A"));
    manager->Undo();
    manager->Redo();
    EXPECT_EQ(observer->changes, 3);

    osg::ref_ptr<CommandSelectionListener> listener = new CommandSelectionListener(nullptr, manager);
    auto tool = std::make_shared<FakeCommand>("Tool");
    manager->setCurrentCommand(tool);
    tool->setState(Command::STATE_RUNNING);
    listener->onAddSelected(nullptr);
    tool->setState(Command::STATE_FINISHED);
    listener->onClearSelected();
    EXPECT_EQ(tool->selectedExecuted, 1);

    // The listener outliving the manager does nothing.
    manager.reset();
    EXPECT_NO_FATAL_FAILURE(listener->onClearSelected());
}
