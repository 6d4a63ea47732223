#include "AnimationFixtures.h"
#include "support/RedrawCounter.h"

#include "vantor/animation/AnimationKeyFrameEditor.h"
#include "vantor/animation/AnimationManager.h"
#include "vantor/animation/AnimationStorage.h"
#include "vantor/animation/UpdateKeyFrameCommand.h"
#include "vantor/command/CommandManager.h"

#include <gtest/gtest.h>
#include <osg/io_utils>
#include <osgGA/EventQueue>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cmath>
#include <functional>

using namespace Vantor;
using animtest::FakeSelection;
using animtest::MoveCommand;
using animtest::PoseManipulator;

namespace {

struct Heard : AnimationManagerListener
{
    std::vector<std::string> events;
    float lastTime = -1.0f;
    void onAnimationStarted(AnimationManager*) override { events.push_back("started"); }
    void onAnimationStopped(AnimationManager*) override { events.push_back("stopped"); }
    void onAnimationPaused(AnimationManager*) override { events.push_back("paused"); }
    void onAnimationResumed(AnimationManager*) override { events.push_back("resumed"); }
    void onAnimationFinished(AnimationManager*) override { events.push_back("finished"); }
    void onPlayTimeChanged(float t) override { lastTime = t; }
};

struct EditorHeard : AnimationKeyFrameEditorListener
{
    int added = 0, removed = 0, updated = 0, range = 0;
    void onKeyframesAdded(AnimationKeyFrameEditor*) override { ++added; }
    void onKeyframesRemoved(AnimationKeyFrameEditor*) override { ++removed; }
    void onKeyframesUpdated(AnimationKeyFrameEditor*) override { ++updated; }
    void onTimelineRangeChanged(AnimationKeyFrameEditor*) override { ++range; }
};

class Animation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        scene->addChild(top.get());
        top->addChild(part.get());
        top->addChild(other.get());
        view->setSceneData(scene.get());
        view->setCameraManipulator(camera.get(), false);
        manager->init(view.get());
        manager->setClock([this] { return now; });
        editor->setScene(scene.get());
        editor->setViewer(view.get());
        editor->setAnimationManager(manager);
        editor->bindAnimationManager();
        editor->setCommandManager(commands);
        editor->setSelectionManager(selection.get());
        editor->openAnimationEditor();
        manager->addAnimationManagerListener(heard);
        editor->addAnimationKeyFrameEditorListener(editorHeard);
    }

    void advance(double seconds)
    {
        now += seconds;
        manager->update();
    }

    static osg::Vec3d position(const Model* m) { return m->getMatrix().getTrans(); }

    // Keys the part at the time with its state set by `pose` first.
    void keyAt(float time, AnimationKeyframeType type, const std::function<void(Model&)>& pose)
    {
        pose(*part);
        switch (type) {
        case AKT_Transform: ASSERT_TRUE(editor->getOrCreateTransformKeyframeByNode(part.get(), time, false)); break;
        case AKT_Material: ASSERT_TRUE(editor->getOrCreateMaterialKeyframeByNode(part.get(), time, false)); break;
        case AKT_Transparency: ASSERT_TRUE(editor->getOrCreateTransparentKeyframeByNode(part.get(), time, false)); break;
        case AKT_Visibility: ASSERT_TRUE(editor->getOrCreateVisibilityKeyframe(part.get(), time, false)); break;
        default: FAIL();
        }
    }

    void moveKeysX(float a, float b)
    {
        keyAt(a, AKT_Transform, [](Model& m) { m.setMatrix(osg::Matrixd::translate(0, 0, 0)); });
        keyAt(b, AKT_Transform, [](Model& m) { m.setMatrix(osg::Matrixd::translate(4, 0, 0)); });
    }

    double now = 100.0;
    osg::ref_ptr<osg::Group> scene = new osg::Group;
    osg::ref_ptr<Model> top = new Model;
    osg::ref_ptr<Model> part = new Model;
    osg::ref_ptr<Model> other = new Model;
    osg::ref_ptr<osgViewer::View> view = new osgViewer::View;
    osg::ref_ptr<PoseManipulator> camera = new PoseManipulator;
    osg::ref_ptr<AnimationManager> manager = new AnimationManager;
    osg::ref_ptr<AnimationKeyFrameEditor> editor = new AnimationKeyFrameEditor;
    std::shared_ptr<CommandManager> commands = std::make_shared<CommandManager>();
    osg::ref_ptr<FakeSelection> selection = new FakeSelection;
    osg::ref_ptr<Heard> heard = new Heard;
    osg::ref_ptr<EditorHeard> editorHeard = new EditorHeard;
};

// ---- interpolation ----

TEST_F(Animation, ChannelsInterpolateBetweenKeyframes)
{
    struct Row
    {
        const char* name;
        AnimationKeyframeType type;
        std::function<void(Model&)> first, second;
        double at;
        std::function<void(const Model&)> check;
    };
    const double pi = osg::PI;
    const std::vector<Row> rows = {
        {"translation linear", AKT_Transform, [](Model& m) { m.setMatrix(osg::Matrixd::translate(0, 0, 0)); },
         [](Model& m) { m.setMatrix(osg::Matrixd::translate(4, 2, -6)); }, 0.5,
         [](const Model& m) { EXPECT_LT((m.getMatrix().getTrans() - osg::Vec3d(2, 1, -3)).length(), 1e-9); }},
        {"rotation by slerp", AKT_Transform, [](Model& m) { m.setMatrix(osg::Matrixd::rotate(0.0, osg::Z_AXIS)); },
         [pi](Model& m) { m.setMatrix(osg::Matrixd::rotate(pi / 2, osg::Z_AXIS)); }, 0.5,
         [pi](const Model& m) {
             const osg::Vec3d x = osg::Vec3d(1, 0, 0) * m.getMatrix();
             EXPECT_NEAR(std::atan2(x.y(), x.x()), pi / 4, 1e-9);
             EXPECT_NEAR(x.length(), 1.0, 1e-9); // no shrinking through the middle, as a linear blend would
         }},
        {"colour linear", AKT_Material, [](Model& m) { m.setColor(osg::Vec4f(1, 0, 0, 1)); },
         [](Model& m) { m.setColor(osg::Vec4f(0, 0, 1, 1)); }, 0.25,
         [](const Model& m) {
             EXPECT_NEAR(m.getColor().r(), 0.75f, 1e-6);
             EXPECT_NEAR(m.getColor().b(), 0.25f, 1e-6);
         }},
        {"transparency linear", AKT_Transparency, [](Model& m) { m.setTransparent(1.0); },
         [](Model& m) { m.setTransparent(0.2); }, 0.5, [](const Model& m) { EXPECT_NEAR(m.getTransparent(), 0.6, 1e-6); }},
        {"visibility holds until the next keyframe", AKT_Visibility, [](Model& m) { m.setVisible(true, false); },
         [](Model& m) { m.setVisible(false, false); }, 0.99, [](const Model& m) { EXPECT_TRUE(m.isVisible()); }},
        {"visibility switches at the keyframe", AKT_Visibility, [](Model& m) { m.setVisible(true, false); },
         [](Model& m) { m.setVisible(false, false); }, 1.0, [](const Model& m) { EXPECT_FALSE(m.isVisible()); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        editor->removeKeyframes(editor->getAllKeyframes());
        keyAt(2.0f, row.type, row.first);
        keyAt(6.0f, row.type, row.second);
        manager->playToTime(2.0 + 4.0 * row.at);
        row.check(*part);
    }
}

TEST_F(Animation, CameraFollowsItsTrackOnlyWithCameraPlay)
{
    camera->pose.center.set(0, 0, 0);
    camera->pose.distance = 10.0;
    camera->pose.rotation = osg::Quat(0.0, osg::Z_AXIS);
    ASSERT_TRUE(editor->getOrCreateCameraKeyframeBySelection(0.0f));
    camera->pose.center.set(10, 0, 0);
    camera->pose.distance = 20.0;
    camera->pose.rotation = osg::Quat(osg::PI / 2, osg::Z_AXIS);
    ASSERT_TRUE(editor->getOrCreateCameraKeyframeBySelection(2.0f));

    camera->set = 0;
    manager->playToTime(1.0);
    EXPECT_EQ(camera->set, 0);

    manager->setCameraPlay(true);
    manager->playToTime(1.0);
    EXPECT_LT((camera->pose.center - osg::Vec3d(5, 0, 0)).length(), 1e-9);
    EXPECT_NEAR(camera->pose.distance, 15.0, 1e-9);
    double angle = 0.0;
    osg::Vec3d axis;
    camera->pose.rotation.getRotate(angle, axis);
    EXPECT_NEAR(angle, osg::PI / 4, 1e-9);
}

// ---- playback ----

TEST_F(Animation, PlaybackAtDoubleSpeedReachesTheKeyframeInHalfTheTime)
{
    moveKeysX(0.0f, 4.0f);
    manager->playToTime(0.0);
    manager->setPlaySpeed(2.0);
    ASSERT_TRUE(manager->playAnimation());
    advance(1.0);
    EXPECT_NEAR(manager->getCurrentTime(), 2.0, 1e-9);
    EXPECT_NEAR(position(part.get()).x(), 2.0, 1e-9);
    advance(1.0);
    EXPECT_NEAR(manager->getCurrentTime(), 4.0, 1e-9);
    EXPECT_NEAR(position(part.get()).x(), 4.0, 1e-9);
    EXPECT_FALSE(manager->isPlaying());
    EXPECT_EQ(heard->events, (std::vector<std::string>{"started", "finished"}));
    EXPECT_FLOAT_EQ(heard->lastTime, 4.0f);

    // Speeds that are not above 0 are refused.
    manager->setPlaySpeed(0.0);
    manager->setPlaySpeed(std::nan(""));
    EXPECT_EQ(manager->getPlaySpeed(), 2.0);
}

TEST_F(Animation, ReverseAndLoopPlay)
{
    moveKeysX(1.0f, 3.0f);

    // Reverse from the end back to the first keyframe.
    manager->setReversePlay(true);
    manager->playToTime(3.0);
    ASSERT_TRUE(manager->playAnimation());
    advance(0.5);
    EXPECT_NEAR(manager->getCurrentTime(), 2.5, 1e-9);
    EXPECT_NEAR(position(part.get()).x(), 3.0, 1e-9);
    advance(5.0);
    EXPECT_NEAR(manager->getCurrentTime(), 1.0, 1e-9);
    EXPECT_FALSE(manager->isPlaying());

    // Reverse from the start jumps to the end first.
    ASSERT_TRUE(manager->playAnimation());
    EXPECT_NEAR(manager->getCurrentTime(), 3.0, 1e-9);

    // Looping forwards wraps around the keyframe span and keeps playing.
    manager->stopAnimation();
    manager->setReversePlay(false);
    manager->setLoopPlay(true);
    manager->playToTime(2.5);
    ASSERT_TRUE(manager->playAnimation());
    advance(1.0); // 3.5 -> 1.5
    EXPECT_NEAR(manager->getCurrentTime(), 1.5, 1e-9);
    EXPECT_TRUE(manager->isPlaying());
    manager->setReversePlay(true);
    advance(1.0); // 0.5 -> 2.5
    EXPECT_NEAR(manager->getCurrentTime(), 2.5, 1e-9);
}

TEST_F(Animation, PauseResumeStopAndRestart)
{
    moveKeysX(0.0f, 4.0f);
    manager->playToTime(0.0);
    ASSERT_TRUE(manager->playAnimation());
    advance(1.0);
    manager->pauseAnimation();
    advance(10.0); // no progress while paused
    EXPECT_NEAR(manager->getCurrentTime(), 1.0, 1e-9);
    ASSERT_TRUE(manager->resumeAnimation());
    advance(1.0);
    EXPECT_NEAR(manager->getCurrentTime(), 2.0, 1e-9);
    manager->stopAnimation();
    ASSERT_TRUE(manager->restartAnimation());
    EXPECT_NEAR(manager->getCurrentTime(), 0.0, 1e-9);
    EXPECT_EQ(heard->events, (std::vector<std::string>{"started", "paused", "resumed", "stopped", "started"}));

    // Nothing to play: refused.
    editor->removeKeyframes(editor->getAllKeyframes());
    manager->stopAnimation();
    EXPECT_FALSE(manager->playAnimation());
    EXPECT_FALSE(manager->resumeAnimation());
}

TEST_F(Animation, FramesOfTheViewDrivePlayback)
{
    moveKeysX(0.0f, 4.0f);
    manager->playToTime(0.0);
    manager->playAnimation();
    now += 1.0;
    osg::ref_ptr<osgGA::GUIEventAdapter> frame = new osgGA::GUIEventAdapter;
    frame->setEventType(osgGA::GUIEventAdapter::FRAME);
    osgViewer::View::EventHandlers handlers = view->getEventHandlers();
    ASSERT_EQ(handlers.size(), 1u);
    auto* handler = dynamic_cast<osgGA::GUIEventHandler*>(handlers.front().get());
    ASSERT_NE(handler, nullptr);
    handler->handle(*frame, *view, nullptr, nullptr);
    EXPECT_NEAR(manager->getCurrentTime(), 1.0, 1e-9);
}

TEST_F(Animation, PlaybackAsksForItsFramesUntilItEnds)
{
    moveKeysX(0.0f, 1.0f);
    auto* handler = dynamic_cast<osgGA::GUIEventHandler*>(view->getEventHandlers().front().get());
    ASSERT_NE(handler, nullptr);
    osg::ref_ptr<osgGA::EventQueue> queue = new osgGA::EventQueue;
    nerio_test::RedrawCounter actions;
    manager->playToTime(0.0);
    ASSERT_TRUE(manager->playAnimation());
    int frames = 0;
    while (manager->isPlaying() && frames < 100) {
        now += 0.25;
        handler->handle(*queue->frame(now), actions, nullptr, nullptr);
        ++frames;
    }
    ASSERT_FALSE(manager->isPlaying());
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(actions.asked, 3) << "every frame of the play but the last asks for the next";
    EXPECT_NEAR(position(part.get()).x(), 4.0, 1e-9);
    now += 0.25;
    handler->handle(*queue->frame(now), actions, nullptr, nullptr);
    EXPECT_EQ(actions.asked, 3) << "a stopped play asks for nothing";
}

// ---- editing ----

TEST_F(Animation, KeyframesComeFromTheSelectionAndAreUpdatedAtTheSameTime)
{
    EXPECT_FALSE(editor->getOrCreateTransformKeyframeBySelection(1.0f)); // nothing selected
    selection->addSelected(part.get());
    selection->addSelected(other.get());
    ASSERT_TRUE(editor->getOrCreateTransformKeyframeBySelection(1.0f));
    EXPECT_EQ(editor->getAllKeyframes().size(), 2u);
    EXPECT_EQ(editorHeard->added, 0); // the selection variants leave the telling to endCallAddKeyframe
    editor->endCallAddKeyframe();
    EXPECT_EQ(editorHeard->added, 1);

    part->setMatrix(osg::Matrixd::translate(1, 2, 3));
    ASSERT_TRUE(editor->getOrCreateTransformKeyframeBySelection(1.005f)); // within half a frame: updated
    const AnimationKeyframePtrList keys = editor->getKeyframes(part.get());
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys.front()->value().matrix.getTrans(), osg::Vec3d(1, 2, 3));

    // A closed editor and negative times make nothing.
    EXPECT_FALSE(editor->getOrCreateVisibilityKeyframe(part.get(), -1.0f, false));
    editor->closeAnimationEditor();
    EXPECT_FALSE(editor->getOrCreateVisibilityKeyframe(part.get(), 2.0f, false));
    // A plain group cannot be stored, so it is not keyed.
    editor->openAnimationEditor();
    osg::ref_ptr<osg::Group> plain = new osg::Group;
    EXPECT_FALSE(editor->getOrCreateVisibilityKeyframe(plain.get(), 2.0f, false));
}

TEST_F(Animation, FadeAndHotSpotKeyframes)
{
    selection->addSelected(part.get());
    EXPECT_FALSE(editor->getorCreateFadeInKeyframeBySelection(0.2f));
    ASSERT_TRUE(editor->getorCreateFadeInKeyframeBySelection(2.0f));
    AnimationKeyframePtrList fades = editor->getKeyframes(AKT_Transparency);
    ASSERT_EQ(fades.size(), 2u);
    EXPECT_NEAR(fades.front()->getTime(), 1.7, 1e-6);
    EXPECT_EQ(fades.front()->value().opacity, 0.0f);
    EXPECT_EQ(fades.back()->value().opacity, 1.0f);
    EXPECT_EQ(fades.front()->getState(), AKS_FadeIn);

    ASSERT_TRUE(editor->getorCreateHotspotKeyframeBySelection(5.0f));
    const AnimationKeyframePtrList hot = editor->getKeyframes(AKT_Material);
    ASSERT_EQ(hot.size(), 3u);
    manager->playToTime(5.0);
    EXPECT_EQ(part->getColor().r(), 1.0f);
    EXPECT_EQ(part->getColor().g(), 0.0f);
}

TEST_F(Animation, MoveScaleAndDeleteAreUndoable)
{
    moveKeysX(1.0f, 3.0f);
    const AnimationKeyframePtrList keys = editor->getAllKeyframes();
    ASSERT_EQ(keys.size(), 2u);
    const AnimationKeyframePtr first = keys.front(), last = keys.back();
    auto times = [&] { return std::make_pair(first->getTime(), last->getTime()); };
    using T = std::pair<double, double>;

    // Move, as the timeline drags do.
    auto move = std::make_shared<UpdateKeyFrameCommand>();
    move->setAnimationEditor(editor);
    move->beginUpdateKeyFrameCommand({first});
    editor->updateKeyframesByOffset({first}, 1.5f);
    move->endUpdateKeyFrameCommand({first});
    ASSERT_TRUE(commands->DoCommand(move));
    EXPECT_EQ(times(), T(2.5, 3.0));

    ASSERT_TRUE(editor->scaleRange(1.0f)); // 2.5..3 becomes 2.5..3.5
    EXPECT_EQ(times(), T(2.5, 3.5));
    EXPECT_FALSE(editor->scaleRange(0.0f));
    EXPECT_FALSE(editor->scaleRange(-3.0f));
    EXPECT_FALSE(editor->scaleRange(std::nanf("")));

    ASSERT_TRUE(editor->removeKeyframes({last}));
    EXPECT_EQ(editor->getAllKeyframes().size(), 1u);

    const int updatedBefore = editorHeard->updated;
    ASSERT_TRUE(commands->Undo()); // delete
    EXPECT_EQ(editor->getAllKeyframes().size(), 2u);
    EXPECT_EQ(editor->getAllKeyframes().back(), last);
    EXPECT_GT(editorHeard->updated, updatedBefore);
    ASSERT_TRUE(commands->Undo()); // scale
    EXPECT_EQ(times(), T(2.5, 3.0));
    ASSERT_TRUE(commands->Undo()); // move
    EXPECT_EQ(times(), T(1.0, 3.0));
    ASSERT_TRUE(commands->Redo());
    ASSERT_TRUE(commands->Redo());
    EXPECT_EQ(times(), T(2.5, 3.5));
    ASSERT_TRUE(commands->Redo());
    EXPECT_EQ(editor->getAllKeyframes().size(), 1u);
    EXPECT_EQ(last->getTrack(), nullptr);
}

TEST_F(Animation, OffsetsNeverGoBelowZeroAndKeepTimeOrder)
{
    moveKeysX(1.0f, 3.0f);
    AnimationKeyframePtrList keys = editor->getAllKeyframes();
    editor->updateKeyframesByOffset({keys.back()}, -10.0f);
    keys = editor->getAllKeyframes();
    EXPECT_EQ(keys.front()->getTime(), 0.0);
    EXPECT_EQ(keys.front()->value().matrix.getTrans().x(), 4.0); // the moved one now comes first
    EXPECT_EQ(editor->getAnimationValidStartTime(), 0.0f);
}

TEST_F(Animation, TimelineRangesFollowTheKeyframes)
{
    EXPECT_EQ(editor->getAnimationValidStartTime(), -1.0f);
    EXPECT_EQ(editor->getAnimationValidTimeLineRange(), 0.0f);
    EXPECT_EQ(editor->getAnimationTimeLineRange(), 0.0f);
    moveKeysX(2.0f, 5.0f);
    EXPECT_EQ(editor->getAnimationValidStartTime(), 2.0f);
    EXPECT_EQ(editor->getAnimationValidTimeLineRange(), 3.0f);
    EXPECT_EQ(editor->getAnimationTimeLineRange(), 5.0f);
    EXPECT_GE(editorHeard->range, 2);
}

// ---- autokey ----

TEST_F(Animation, AutokeyRecordsAMoveAndFollowsItsUndo)
{
    selection->addSelected(part.get());
    editor->setAutokeyMode(true);
    manager->playToTime(2.0);

    // With autokey off nothing is recorded.
    editor->setAutokeyMode(false);
    ASSERT_TRUE(commands->DoCommand(std::make_shared<MoveCommand>(part.get(), osg::Matrixd::translate(1, 0, 0))));
    EXPECT_TRUE(editor->getAllKeyframes().empty());

    editor->setAutokeyMode(true);
    ASSERT_TRUE(commands->DoCommand(std::make_shared<MoveCommand>(part.get(), osg::Matrixd::translate(5, 0, 0))));
    AnimationKeyframePtrList keys = editor->getKeyframes(part.get());
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys.front()->getTime(), 0.0); // where it stood, so the move plays
    EXPECT_EQ(keys.front()->value().matrix.getTrans(), osg::Vec3d(1, 0, 0));
    EXPECT_FLOAT_EQ(float(keys.back()->getTime()), 2.0f);
    EXPECT_EQ(keys.back()->value().matrix.getTrans(), osg::Vec3d(5, 0, 0));

    ASSERT_TRUE(commands->Undo());
    EXPECT_TRUE(editor->getKeyframes(part.get()).empty());
    EXPECT_EQ(position(part.get()), osg::Vec3d(1, 0, 0));
    ASSERT_TRUE(commands->Redo());
    EXPECT_EQ(editor->getKeyframes(part.get()).size(), 2u);

    // A later move at the same time replaces that keyframe.
    ASSERT_TRUE(commands->DoCommand(std::make_shared<MoveCommand>(part.get(), osg::Matrixd::translate(7, 0, 0))));
    keys = editor->getKeyframes(part.get());
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys.back()->value().matrix.getTrans(), osg::Vec3d(7, 0, 0));

    // What playback writes is not taken for a user's change.
    ASSERT_TRUE(commands->DoCommand(std::make_shared<MoveCommand>(other.get(), osg::Matrixd::translate(0, 9, 0))));
    manager->playToTime(0.0);
    ASSERT_TRUE(commands->DoCommand(std::make_shared<MoveCommand>(other.get(), osg::Matrixd::translate(0, 8, 0))));
    EXPECT_EQ(editor->getKeyframes(part.get()).size(), 2u);
    EXPECT_TRUE(editor->getKeyframes(other.get()).empty());
}

// ---- storage ----

TEST_F(Animation, DocumentRoundTripKeepsEveryKind)
{
    selection->addSelected(part.get());
    part->setMatrix(osg::Matrixd::rotate(0.3, osg::Y_AXIS) * osg::Matrixd::translate(1.25, -2, 3e-7));
    part->setColor(osg::Vec4f(0.1f, 0.2f, 0.3f, 1.0f));
    part->setTransparent(0.4);
    ASSERT_TRUE(editor->getOrCreateTransformKeyframeBySelection(0.5f));
    ASSERT_TRUE(editor->getOrCreateMaterialKeyframeBySelection(1.0f));
    ASSERT_TRUE(editor->getorCreateFadeOutKeyframeBySelection(1.5f));
    part->setVisible(false, false);
    ASSERT_TRUE(editor->getOrCreateVisibilityKeyframeBySelection(2.0f));
    camera->pose.center.set(1, 2, 3);
    camera->pose.perpectiveCamera = false;
    camera->pose.rotation = osg::Quat(0.7, osg::X_AXIS);
    ASSERT_TRUE(editor->getOrCreateCameraKeyframeBySelection(3.0f));

    AnimationStorage storage;
    storage.SetAnimationManager(manager);
    const std::string text = storage.serialize();

    // A second scene with the same model ids, as after reopening the file.
    osg::ref_ptr<osg::Group> scene2 = new osg::Group;
    osg::ref_ptr<Model> part2 = new Model;
    part2->setModelID(part->getModelID());
    scene2->addChild(part2.get());
    osg::ref_ptr<AnimationManager> manager2 = new AnimationManager;
    osg::ref_ptr<AnimationKeyFrameEditor> editor2 = new AnimationKeyFrameEditor;
    editor2->setScene(scene2.get());
    editor2->setAnimationManager(manager2);
    editor2->bindAnimationManager();
    AnimationStorage storage2;
    storage2.SetAnimationManager(manager2);
    std::string error;
    ASSERT_TRUE(storage2.deserialize(text, &error)) << error;
    editor2->setEditorAnimationSegment(manager2->getDefaultAnimation());
    EXPECT_EQ(storage2.serialize(), text);

    const AnimationKeyframePtrList a = editor->getAllKeyframes(), b = editor2->getAllKeyframes();
    ASSERT_EQ(a.size(), b.size());
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
        EXPECT_EQ((*i)->getType(), (*j)->getType());
        EXPECT_EQ((*i)->getTime(), (*j)->getTime());
        EXPECT_EQ((*i)->getState(), (*j)->getState());
        EXPECT_EQ((*i)->value().matrix, (*j)->value().matrix);
        EXPECT_EQ((*i)->value().color, (*j)->value().color);
        EXPECT_EQ((*i)->value().opacity, (*j)->value().opacity);
        EXPECT_EQ((*i)->value().visible, (*j)->value().visible);
        EXPECT_EQ((*i)->value().camera.center, (*j)->value().camera.center);
        EXPECT_EQ((*i)->value().camera.rotation, (*j)->value().camera.rotation);
        EXPECT_EQ((*i)->value().camera.perpectiveCamera, (*j)->value().camera.perpectiveCamera);
    }
    EXPECT_EQ(editor2->getKeyframes(part2.get()).size(), editor->getKeyframes(part.get()).size());
    manager2->playToTime(0.5);
    EXPECT_EQ(part2->getMatrix(), part->getMatrix());
}

TEST_F(Animation, TracksOfMissingNodesAreKeptForTheNextSave)
{
    moveKeysX(0.0f, 1.0f);
    const std::string text = AnimationStorage().serialize(); // no manager: empty
    EXPECT_TRUE(text.empty());
    AnimationStorage storage;
    storage.SetAnimationManager(manager);
    const std::string saved = storage.serialize();

    osg::ref_ptr<AnimationManager> lonely = new AnimationManager; // finds nothing
    ASSERT_TRUE(lonely->fromDocument(saved));
    EXPECT_EQ(lonely->getDefaultAnimation()->getAllKeyframes().size(), 2u);
    AnimationStorage again;
    again.SetAnimationManager(lonely);
    EXPECT_EQ(again.serialize(), saved);
    lonely->playToTime(0.5); // nothing to write to, nothing breaks
}

TEST_F(Animation, DamagedDocumentsChangeNothing)
{
    moveKeysX(0.0f, 1.0f);
    AnimationStorage storage;
    storage.SetAnimationManager(manager);
    const std::string before = storage.serialize();
    const AnimationSegment* segment = manager->getDefaultAnimation().get();

    const std::string target = R"("target":{"kind":"model","id":1})";
    const char* bad[] = {
        "",
        "{",
        "null",
        "[]",
        R"({"animations":[]})",
        R"({"version":2,"animations":[]})",
        R"({"version":"1","animations":[]})",
        R"({"version":1})",
        R"({"version":1,"animations":{}})",
        R"({"version":1,"animations":[3]})",
        R"({"version":1,"animations":[{"tracks":[{"target":{"kind":"model","id":"7"}}]}]})",
        R"({"version":1,"animations":[{"tracks":[{"target":{"kind":"camera","id":0}}]}]})",
        R"({"version":1,"animations":[{"tracks":[{"target":{"kind":"model","id":-1}}]}]})",
        R"({"version":1,"animations":[],"default":4})",
        R"({"version":1,"animations":[{"camera":[{"time":1}]}]})",
        R"({"version":1,"animations":[{"camera":[{"time":1,"perspective":true,"center":[0,0,0],"distance":1,"rotation":[0,0,0,0]}]}]})",
        R"({"version":1,"animations":[{"camera":[{"time":1e999}]}]})",
    };
    const std::vector<std::string> badTracks = {
        R"("transform":[{"time":-1,"matrix":[1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1]}])",
        R"("transform":[{"time":1,"matrix":[1,0,0,0,0,1,0,0,0,0,1,0,0,0,0]}])",
        R"("transform":[{"time":1,"matrix":[1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,"x"]}])",
        R"("material":[{"time":1,"color":[1,0,0]}])",
        R"("transparency":[{"time":1,"opacity":1.5}])",
        R"("visibility":[{"time":1,"visible":1}])",
        R"("visibility":[{"time":1,"visible":true,"state":0.5}])",
        R"("visibility":{})",
        R"("visibility":[5])",
    };
    std::vector<std::string> texts(std::begin(bad), std::end(bad));
    for (const std::string& t : badTracks)
        texts.push_back(R"({"version":1,"animations":[{"tracks":[{)" + target + "," + t + "}]}]}");
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        std::string error;
        EXPECT_FALSE(manager->fromDocument(text, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(manager->getDefaultAnimation().get(), segment);
        EXPECT_EQ(storage.serialize(), before);
    }
}

} // namespace
