// The view's command-queue pump, screenshot capture and scene-state observer.

#include "view/CombineCommandHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "view/SceneViewSceneStateObserver.h"
#include "view/ScreenshotHandler.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/ShapeDrawable>
#include <osgGA/EventQueue>
#include <osgViewer/View>


#include <memory>
#include <string>
#include <vector>

using Vantor::Command;
using Vantor::CommandManager;

namespace {

// An interactive command that counts what reaches it and answers events as told.
class FakeCommand : public Command
{
public:
    explicit FakeCommand(std::string type, bool handles = true) : m_type(std::move(type)), m_handles(handles) {}
    std::string Type() override { return m_type; }
    bool Execute() override
    {
        ++executed;
        setState(STATE_RUNNING);
        return true;
    }
    bool handle(const osgGA::GUIEventAdapter&, osgGA::GUIActionAdapter&) override
    {
        ++events;
        return m_handles;
    }
    int executed = 0;
    int events = 0;

private:
    std::string m_type;
    bool m_handles;
};

class CommandPump : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved = CommandManager::m_commandConstructMap;
        manager = std::make_shared<CommandManager>();
        pump = new CombineCommandHandler;
        pump->setCommandManager(manager);
        view = new osgViewer::View;
        event = new osgGA::GUIEventAdapter;
        event->setEventType(osgGA::GUIEventAdapter::FRAME);
    }
    void TearDown() override { CommandManager::m_commandConstructMap = saved; }

    // Registers a type whose factory tells the test what it made; the manager owns it.
    void registerType(const std::string& type, FakeCommand*& out, bool handles = true)
    {
        CommandManager::m_commandConstructMap[type] = [type, handles, &out] {
            out = new FakeCommand(type, handles);
            return out;
        };
    }

    bool send() { return pump->handle(*event, *view); }

    std::map<std::string, CommandManager::CommandConstructor> saved;
    std::shared_ptr<CommandManager> manager;
    osg::ref_ptr<CombineCommandHandler> pump;
    osg::ref_ptr<osgViewer::View> view;
    osg::ref_ptr<osgGA::GUIEventAdapter> event;
};

} // namespace

TEST_F(CommandPump, NothingQueuedPassesEveryEventOn)
{
    EXPECT_FALSE(send());
    EXPECT_FALSE(manager->getCurrentCommand());
    EXPECT_EQ(manager->getViewer().get(), view.get()); // the manager learns the sending view

    osg::ref_ptr<CombineCommandHandler> bare = new CombineCommandHandler;
    EXPECT_FALSE(bare->handle(*event, *view));
}

TEST_F(CommandPump, QueuedCommandStartsAtTheNextEventAndTakesIt)
{
    FakeCommand* first = nullptr;
    registerType("First", first);
    manager->setExecuteType("First");
    ASSERT_FALSE(first == nullptr);

    EXPECT_TRUE(send());
    EXPECT_EQ(manager->getCurrentCommand().get(), first);
    EXPECT_EQ(first->executed, 1);
    EXPECT_EQ(first->events, 1);
    EXPECT_EQ(manager->getExecuteType(), "None");
    EXPECT_EQ(manager->RecentlyList().front(), "First");
}

TEST_F(CommandPump, RunningCommandKeepsEventsUntilItFinishes)
{
    FakeCommand* first = nullptr;
    FakeCommand* second = nullptr;
    registerType("First", first);
    registerType("Second", second, false);
    manager->setExecuteType("First");
    send();
    manager->setExecuteType("Second");

    // State 1: the current command keeps the events; the queued one waits.
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(send());
    EXPECT_EQ(first->events, 4);
    EXPECT_EQ(second->executed, 0);
    EXPECT_EQ(manager->getExecuteType(), "Second");

    // State 2: the next event starts the queued command, and its answer is the pump's.
    first->setState(Command::STATE_FINISHED);
    EXPECT_FALSE(send());
    EXPECT_EQ(manager->getCurrentCommand().get(), second);
    EXPECT_EQ(second->executed, 1);
    EXPECT_EQ(second->events, 1);
    EXPECT_EQ(first->events, 4);
}

TEST_F(CommandPump, FinishedCommandWithNothingQueuedGetsNoMoreEvents)
{
    FakeCommand* first = nullptr;
    registerType("First", first);
    manager->setExecuteType("First");
    send();
    first->setState(Command::STATE_FINISHED);
    EXPECT_FALSE(send());
    EXPECT_EQ(first->events, 1);
}

TEST(ScreenshotHandler, KeepsADeepCopyOfTheLastImage)
{
    osg::ref_ptr<ScreenshotHandler> handler = new ScreenshotHandler("jpg", "screen_shot");
    std::vector<osg::Image*> sent;
    QObject::connect(handler.get(), &ScreenshotHandler::newScreenshotAvailable,
                     [&](osg::Image* image) { sent.push_back(image); });

    osg::ref_ptr<osg::Image> frame = new osg::Image;
    frame->allocateImage(2, 2, 1, GL_RGBA, GL_UNSIGNED_BYTE);
    frame->data()[0] = 7;
    (*handler)(*frame, 0);
    ASSERT_EQ(sent.size(), 1u);
    osg::Image* first = handler->lastImage();
    EXPECT_NE(first, frame.get());
    EXPECT_NE(first->data(), frame->data());
    frame->data()[0] = 9; // the copy does not follow the frame's buffer
    EXPECT_EQ(first->data()[0], 7);
    EXPECT_EQ(sent[0], first);

    (*handler)(*frame, 0);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(handler->lastImage()->data()[0], 9);
}

TEST(SceneStateObserver, CommandsRefitTheGridToTheChangedScene)
{
    SceneView view;
    SceneModel model;
    view.setSceneModel(&model);
    view.setGridShow(true);

    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(new osg::ShapeDrawable(new osg::Box(osg::Vec3(), 2.0f)));
    top->addChild(geode.get());
    model.setModel(top.get());
    view.updateGrid();
    const float before = view.getGridStep();

    // A command makes the model much larger; the observer, told by the manager, moves the grid.
    struct Grow : Command
    {
        osg::ref_ptr<osg::Geode> geode;
        bool Execute() override
        {
            geode->removeDrawables(0, geode->getNumDrawables());
            geode->addDrawable(new osg::ShapeDrawable(new osg::Box(osg::Vec3(), 200.0f)));
            return true;
        }
    };
    auto grow = std::make_shared<Grow>();
    grow->geode = geode;
    ASSERT_TRUE(view.getCommandManager()->DoCommand(grow));
    EXPECT_GT(view.getGridStep(), before);
    EXPECT_EQ(view.getGrid()->getNodeMask(), ~0u);
}
