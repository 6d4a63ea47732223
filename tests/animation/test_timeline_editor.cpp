// The keyframe timeline editor: markers, the rubber band and dragging with the mouse, the listeners,
// the playback slots, the timeline settings and the whole-scene keyframe.

#include "animation/AnimationEditorUI.h"
#include "animation/TimelineDialog.h"
#include "common/Prompts.h"
#include "dialogs/SystemSetting.h"
#include "platform/AnimationFixtures.h"
#include "vantor/animation/AnimationManager.h"
#include "vantor/command/CommandManager.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

using namespace Vantor;
using animtest::FakeSelection;
using animtest::PoseManipulator;

namespace {

struct AskOnce : Prompts
{
    int asked = 0;
    bool answerOk = true;
    bool tick = false;
    bool confirmWithCheckBox(QWidget*, const QString&, const QString& text, const QString&, bool* checked) override
    {
        ++asked;
        lastText = text;
        *checked = tick;
        return answerOk;
    }
    QString lastText;
    ~AskOnce() override { Prompts::set(nullptr); }
};

class TimelineEditor : public ::testing::Test
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
        keys->setScene(scene.get());
        keys->setViewer(view.get());
        keys->setAnimationManager(manager);
        keys->bindAnimationManager();
        keys->setCommandManager(commands);
        keys->setSelectionManager(selection.get());
        keys->openAnimationEditor();
        ui = new AnimationEditorUI(keys);
        owner.reset(ui->timelineWidget());
        owner->resize(1200, 180);
    }

    void showAndLayOut()
    {
        owner->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(owner.get()));
        ui->replot();
    }

    void key(osg::Node* node, AnimationKeyframeType type, float time)
    {
        switch (type) {
        case AKT_Transform: ASSERT_TRUE(keys->getOrCreateTransformKeyframeByNode(node, time, true)); break;
        case AKT_Material: ASSERT_TRUE(keys->getOrCreateMaterialKeyframeByNode(node, time, true)); break;
        case AKT_Transparency: ASSERT_TRUE(keys->getOrCreateTransparentKeyframeByNode(node, time, true)); break;
        case AKT_Visibility: ASSERT_TRUE(keys->getOrCreateVisibilityKeyframe(node, time, true)); break;
        case AKT_Camera: ASSERT_TRUE(keys->getOrCreateCameraKeyframeBySelection(time)); break;
        default: FAIL();
        }
    }

    // The pixel of a time on the ruler and of a track value.
    QPoint at(double time, double value) const
    {
        return QPointF(ui->timeAxis()->coordToPixel(time), ui->timelineRect()->axis(QCPAxis::atLeft)->coordToPixel(value))
            .toPoint();
    }

    void mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent e(type, p, ui->mapToGlobal(p), button, held, Qt::NoModifier);
        QApplication::sendEvent(ui, &e);
    }
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, from, button, button);
        const QPoint mid = (from + to) / 2;
        mouse(QEvent::MouseMove, mid, Qt::NoButton, button);
        mouse(QEvent::MouseMove, to, Qt::NoButton, button);
        mouse(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
    }

    double now = 50.0;
    osg::ref_ptr<osg::Group> scene = new osg::Group;
    osg::ref_ptr<Model> top = new Model;
    osg::ref_ptr<Model> part = new Model;
    osg::ref_ptr<Model> other = new Model;
    osg::ref_ptr<osgViewer::View> view = new osgViewer::View;
    osg::ref_ptr<PoseManipulator> camera = new PoseManipulator;
    osg::ref_ptr<AnimationManager> manager = new AnimationManager;
    osg::ref_ptr<AnimationKeyFrameEditor> keys = new AnimationKeyFrameEditor;
    std::shared_ptr<CommandManager> commands = std::make_shared<CommandManager>();
    osg::ref_ptr<FakeSelection> selection = new FakeSelection;
    AnimationEditorUI* ui = nullptr;
    std::unique_ptr<QWidget> owner;
};

// ---- track names ----

// Each track name stands on its own band, between the band's grid lines, also after a resize.
TEST_F(TimelineEditor, TrackNamesStandOnTheirBands)
{
    showAndLayOut();
    const QStringList names = {QString::fromUtf8("位置"), QString::fromUtf8("材质"), QString::fromUtf8("透明度"),
                               QString::fromUtf8("可见性"), QString::fromUtf8("摄像机")};
    QCPAxis* tracks = ui->timelineRect()->axis(QCPAxis::atLeft);
    for (const int height : {180, 240}) {
        owner->setFixedHeight(height);
        ASSERT_TRUE(QTest::qWaitFor([&] { return owner->height() == height && ui->height() > 0; }, 2000));
        ui->replot();
        ASSERT_EQ(ui->trackLabels().size(), names.size());
        for (int i = 0; i < names.size(); ++i) {
            QLabel* label = ui->trackLabels().at(i);
            SCOPED_TRACE(names[i].toStdString() + " at height " + std::to_string(height));
            EXPECT_EQ(label->text(), names[i]);
            EXPECT_TRUE(label->isVisible());
            const double bottom = 4 - i; // the band [bottom, bottom + 1], the top track first
            const double lineAbove = tracks->coordToPixel(bottom + 1), lineBelow = tracks->coordToPixel(bottom);
            const QRect r(ui->mapFromGlobal(label->mapToGlobal(QPoint())), label->size());
            EXPECT_NEAR(r.center().y(), (lineAbove + lineBelow) / 2, 1.5);
            EXPECT_GE(r.top(), lineAbove - 1);
            EXPECT_LE(r.bottom(), lineBelow + 1);
            EXPECT_GE(r.height(), label->fontMetrics().height());
        }
    }
}

// ---- off the screen ----

// While the timeline is hidden (its dock starts closed) a model load or a new keyframe draws nothing;
// what changed meanwhile is drawn when it shows, also when it shows again at the size it had, which
// brings no resize to draw on.
TEST_F(TimelineEditor, HiddenTimelineDrawsWhatChangedWhenItShows)
{
    int drawn = 0;
    QObject::connect(ui, &QCustomPlot::afterReplot, [&drawn] { ++drawn; });
    keys->refreshEditorUI(); // as a model load does
    QCoreApplication::processEvents(); // with the replot the plot queued when it was made
    EXPECT_EQ(drawn, 0);

    owner->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(owner.get()));
    EXPECT_GE(drawn, 1);
    const QPoint marker = at(30.0 + FrameStep / 2, 4.5); // where a transform key at 30 s shows
    const QRgb empty = ui->grab().toImage().pixel(marker);

    owner->hide();
    const int before = drawn;
    key(part.get(), AKT_Transform, 30.0f);
    keys->endCallAddKeyframe();
    keys->refreshEditorUI();
    EXPECT_EQ(drawn, before);

    owner->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(owner.get()));
    EXPECT_EQ(drawn, before + 1);
    EXPECT_NE(ui->grab().toImage().pixel(marker), empty);
}

// ---- markers ----

TEST_F(TimelineEditor, MarkersStandOnTheirTracksForOneFrame)
{
    key(part.get(), AKT_Transform, 2.0f);
    key(part.get(), AKT_Material, 2.0f);
    key(part.get(), AKT_Transparency, 3.0f);
    key(part.get(), AKT_Visibility, 4.0f);
    key(nullptr, AKT_Camera, 5.0f);
    keys->endCallAddKeyframe();

    struct Expect
    {
        int kind;
        double time, bottom;
    };
    const std::vector<Expect> expected = {{AKT_Transform, 2, 4}, {AKT_Material, 2, 3}, {AKT_Transparency, 3, 2},
                                          {AKT_Visibility, 4, 1}, {AKT_Camera, 5, 0}};
    const QCPKeyframeItemRectPtrList markers = ui->markers();
    ASSERT_EQ(markers.size(), expected.size());
    auto m = markers.begin();
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.kind);
        const QRectF r = (*m++)->plotRect();
        EXPECT_DOUBLE_EQ(r.left(), e.time);
        EXPECT_DOUBLE_EQ(r.width(), 0.03333333507180214);
        EXPECT_DOUBLE_EQ(r.top(), e.bottom);
        EXPECT_DOUBLE_EQ(r.height(), 1.0);
    }

    // Two keyframes at one time in one track draw at one place; rebuilding keeps the two display items.
    key(other.get(), AKT_Transform, 2.0f);
    keys->endCallAddKeyframe();
    std::vector<QRectF> positions;
    for (QCPKeyframeItemRect* m : ui->markers())
        if (m->kind == AKT_Transform)
            positions.push_back(m->plotRect());
    ASSERT_EQ(positions.size(), 2u);
    EXPECT_EQ(positions[0], positions[1]);
    EXPECT_EQ(ui->clearPlotItems(), 2 + 6);
    ASSERT_EQ(ui->itemCount(), 2);
    EXPECT_EQ(ui->item(0), ui->cursorItem());
    EXPECT_EQ(ui->item(1), ui->readOut());
}

TEST_F(TimelineEditor, SelectedNodeModeShowsTheSelectionAndTheCamera)
{
    key(part.get(), AKT_Transform, 1.0f);
    key(other.get(), AKT_Transform, 2.0f);
    key(nullptr, AKT_Camera, 3.0f);
    keys->endCallAddKeyframe();
    ui->button("SelectNode")->click();
    EXPECT_TRUE(ui->selectedNodeMode);
    EXPECT_TRUE(ui->button("SelectNode")->isChecked());
    EXPECT_EQ(ui->markers().size(), 1u); // the camera only
    selection->addSelected(part.get());
    ASSERT_EQ(ui->markers().size(), 2u);
    EXPECT_EQ(ui->markers().back()->time, 1.0);
    selection->clearSelection();
    EXPECT_EQ(ui->markers().size(), 1u);
    ui->button("SelectNode")->click();
    EXPECT_EQ(ui->markers().size(), 3u);
}

// ---- rubber band and mouse ----

TEST_F(TimelineEditor, RubberBandSelectsTheKeyframesItCovers)
{
    key(part.get(), AKT_Transform, 10.0f);
    key(part.get(), AKT_Material, 10.0f);
    key(part.get(), AKT_Visibility, 10.0f);
    key(part.get(), AKT_Transform, 40.0f);
    keys->endCallAddKeyframe();
    showAndLayOut();

    // From the position track at 5 s down into the material track at 20 s.
    drag(at(5.0, 4.5), at(20.0, 3.5));
    const QRectF band = ui->rubberBand()->selection.normalized();
    EXPECT_NEAR(band.left(), 5.0, 0.05);
    EXPECT_NEAR(band.right(), 20.0, 0.2);
    EXPECT_DOUBLE_EQ(band.top(), 3.0);
    EXPECT_DOUBLE_EQ(band.bottom(), 5.0);
    EXPECT_FALSE(ui->rubberBand()->isActive());
    AnimationKeyframePtrList picked = ui->getSelectedKeyframes();
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(picked.front()->getType(), AKT_Transform);
    EXPECT_EQ(picked.back()->getType(), AKT_Material);

    // Deleting them is one undo step.
    ui->removeItems();
    EXPECT_EQ(keys->getAllKeyframes().size(), 2u);
    EXPECT_EQ(ui->markers().size(), 2u);
    ASSERT_TRUE(commands->Undo());
    EXPECT_EQ(keys->getAllKeyframes().size(), 4u);
    EXPECT_EQ(ui->markers().size(), 4u);

    ui->selectAllItems();
    EXPECT_EQ(ui->getSelectedKeyframes().size(), 4u);
    ui->rubberBand()->selectSingle(40.0f, 4.5f); // inside the band already: unchanged
    EXPECT_EQ(ui->getSelectedKeyframes().size(), 4u);
    ui->rubberBand()->selection = QRectF();
    ui->rubberBand()->selectSingle(40.0f, 4.5f);
    EXPECT_EQ(ui->getSelectedKeyframes().size(), 1u);
}

TEST_F(TimelineEditor, DraggingAMarkerMovesItsKeyframeUndoably)
{
    key(part.get(), AKT_Transform, 10.0f);
    keys->endCallAddKeyframe();
    showAndLayOut();
    const AnimationKeyframePtr k = keys->getAllKeyframes().front();
    const QPoint marker = at(10.0 + 1.0 / 60, 4.5);

    // A press on a marker starts no rubber band; a drag of 8 pixels or less moves nothing and plays
    // to the marker's time.
    mouse(QEvent::MouseButtonPress, marker, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(ui->rubberBand()->isActive());
    EXPECT_EQ(ui->timelineRect()->pressedMarker, ui->markers().front());
    mouse(QEvent::MouseMove, marker + QPoint(8, 0), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, marker + QPoint(8, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(k->getTime(), 10.0);
    EXPECT_FLOAT_EQ(ui->currentTime, 10.0f);
    EXPECT_FALSE(commands->CanUndo());

    // Further: it moves by the snapped difference.
    drag(marker, at(25.0, 4.5));
    EXPECT_NEAR(k->getTime(), 25.0, 0.2);
    EXPECT_EQ(ui->markers().size(), 1u);
    EXPECT_NEAR(ui->markers().front()->time, k->getTime(), 1e-6);
    ASSERT_TRUE(commands->Undo());
    EXPECT_EQ(k->getTime(), 10.0);
}

TEST_F(TimelineEditor, ClicksScrubAndSnapToNearKeyframes)
{
    key(part.get(), AKT_Transform, 30.0f);
    keys->endCallAddKeyframe();
    showAndLayOut();
    // 120 s shown: within 0.4 s of a keyframe a click goes to its exact time.
    QTest::mouseClick(ui, Qt::LeftButton, {}, at(30.2, 2.5));
    EXPECT_FLOAT_EQ(ui->currentTime, 30.0f);
    QTest::mouseClick(ui, Qt::LeftButton, {}, at(12.0, 2.5));
    EXPECT_NEAR(ui->currentTime, 12.0, 0.1);
    // 20 s shown: no snapping.
    ASSERT_TRUE(ui->setTimeRange(20.0, 40.0));
    ui->replot();
    QTest::mouseClick(ui, Qt::LeftButton, {}, at(30.2, 2.5));
    EXPECT_NEAR(ui->currentTime, 30.2, 0.05);

    // The right-click menu shows even with no marker under the pointer.
    QTest::mouseClick(ui, Qt::RightButton, {}, at(35.0, 2.5));
    EXPECT_TRUE(ui->contextMenu()->isVisible());
    ui->contextMenu()->hide();
}

TEST_F(TimelineEditor, RangeLimitRefusesSpansThatReachIt)
{
    EXPECT_EQ(ui->timeAxis()->range(), QCPRange(0, 120));
    EXPECT_FALSE(ui->setTimeRange(0, 600));
    EXPECT_FALSE(ui->setTimeRange(10, 10));
    EXPECT_TRUE(ui->setTimeRange(0, 599));
    ui->setTimeRange(); // 0..30 and a limit of 30
    EXPECT_EQ(ui->timeAxis()->range(), QCPRange(0, 30));
    EXPECT_FALSE(ui->setTimeRange(0, 30));
    EXPECT_TRUE(ui->setTimeRange(0, 29));

    // Scrubbing near the right end scrolls by 1/30 of the span, never past the timeline's end.
    ui->rangeLimit = 600.0f;
    ASSERT_TRUE(ui->setTimeRange(0, 60));
    ui->autoScroll(59.0);
    EXPECT_NEAR(ui->timeAxis()->range().lower, 2.0, 1e-9);
    ASSERT_TRUE(ui->setTimeRange(539, 599));
    ui->autoScroll(598.0);
    EXPECT_EQ(ui->timeAxis()->range(), QCPRange(540, 600));
    ui->autoScroll(541.0);
    EXPECT_NEAR(ui->timeAxis()->range().lower, 538.0, 1e-9);
}

// ---- listeners ----

TEST_F(TimelineEditor, ButtonsAndCursorFollowTheComponent)
{
    manager->playToTime(3.5);
    EXPECT_FLOAT_EQ(ui->cursorItem()->time, 3.5f);
    EXPECT_FLOAT_EQ(ui->currentTime, 3.5f);

    manager->setLoopPlay(true);
    EXPECT_TRUE(ui->button("CyclicPlay")->isChecked());
    manager->setCameraPlay(true);
    EXPECT_TRUE(ui->button("CameraPlay")->isChecked());
    EXPECT_TRUE(ui->getCameraPlayMode());
    manager->setReversePlay(true);
    EXPECT_FALSE(ui->button("ReversePlay")->isChecked()); // follows only the user's clicks
    ui->button("Autokey")->click();
    EXPECT_TRUE(keys->getAutokeyMode());
    EXPECT_TRUE(ui->button("Autokey")->isChecked());
    ui->button("Autokey")->click();
    EXPECT_FALSE(ui->autokey);

    // The valid animation shows as the darker end of the ruler.
    key(part.get(), AKT_Transform, 2.0f);
    key(part.get(), AKT_Transform, 6.0f);
    keys->endCallAddKeyframe();
    EXPECT_FLOAT_EQ(ui->timeAxis()->animationEnd, 6.0f + FrameStep);
}

TEST_F(TimelineEditor, PlaybackSlots)
{
    // Steps off the timeline do nothing.
    manager->playToTime(600.0 - 0.01);
    ui->nextFrame();
    EXPECT_NEAR(ui->currentTime, 600.0 - 0.01, 1e-4);
    manager->playToTime(0.02);
    ui->lastFrame();
    EXPECT_NEAR(ui->currentTime, 0.02, 1e-6);
    ui->nextFrame();
    EXPECT_NEAR(ui->currentTime, 0.02 + FrameStep, 1e-6);
    // No keyframes: previous and next keyframe do nothing.
    ui->nextKeyframe();
    ui->lastKeyframe();
    EXPECT_NEAR(ui->currentTime, 0.02 + FrameStep, 1e-6);

    key(part.get(), AKT_Transform, 2.0f);
    key(part.get(), AKT_Transform, 6.0f);
    keys->endCallAddKeyframe();
    ui->lastKeyframe(); // before the first: nothing
    EXPECT_NEAR(ui->currentTime, 0.02 + FrameStep, 1e-6);
    ui->nextKeyframe();
    EXPECT_FLOAT_EQ(ui->currentTime, 2.0f);
    ui->nextKeyframe();
    EXPECT_FLOAT_EQ(ui->currentTime, 6.0f);
    ui->nextKeyframe(); // after the last: nothing
    EXPECT_FLOAT_EQ(ui->currentTime, 6.0f);
    ui->lastKeyframe();
    EXPECT_FLOAT_EQ(ui->currentTime, 2.0f);
    ui->endFrame();
    EXPECT_FLOAT_EQ(ui->currentTime, 600.0f - FrameStep);

    // Play toggles with pause; the cursor turns yellow while playing.
    manager->playToTime(3.0);
    ui->playKeyframe();
    EXPECT_TRUE(manager->isPlaying());
    EXPECT_EQ(ui->timeAxis()->playing, 1.0f);
    ui->playKeyframe();
    EXPECT_FALSE(manager->isPlaying());
    EXPECT_EQ(ui->timeAxis()->playing, 0.0f);
    ui->playKeyframe();
    now += 1.0;
    manager->update();
    EXPECT_FLOAT_EQ(ui->currentTime, 4.0f);
    // Stop goes back to the first keyframe.
    ui->stopKeyframe();
    EXPECT_FALSE(manager->isPlaying());
    EXPECT_FLOAT_EQ(ui->currentTime, 2.0f);

    ui->cyclicPlay(true);
    EXPECT_TRUE(manager->getLoopPlay());
    ui->reversePlay(true);
    EXPECT_TRUE(manager->getReversePlay());
    ui->changeCameraPlayMode(true);
    EXPECT_TRUE(manager->getCameraPlay());
}

// Each button and menu entry reaches its own slot: one click, from the same state, and what changed.
TEST_F(TimelineEditor, EveryButtonReachesItsSlot)
{
    selection->addSelected(part.get());
    const auto reset = [this] {
        if (manager->isPlaying())
            keys->pauseAnimation();
        keys->removeKeyframes(keys->getAllKeyframes());
        key(part.get(), AKT_Transform, 2.0f);
        key(part.get(), AKT_Transform, 6.0f);
        keys->endCallAddKeyframe();
        manager->playToTime(3.0);
    };

    struct Step
    {
        const char* button;
        float time;
        bool playing;
    };
    const Step steps[] = {{"Start", 0.0f, false},          {"Last", 3.0f - FrameStep, false},
                          {"Next", 3.0f + FrameStep, false}, {"End", 600.0f - FrameStep, false},
                          {"LastKey", 2.0f, false},          {"NextKey", 6.0f, false},
                          {"Play", 3.0f, true},              {"Stop", 2.0f, false}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.button);
        reset();
        ui->button(step.button)->click();
        EXPECT_NEAR(ui->currentTime, step.time, 1e-4);
        EXPECT_EQ(manager->isPlaying(), step.playing);
    }

    // Keys made at the current time, per track: position, material, transparency, visibility, camera.
    struct Keys
    {
        const char* button;
        std::size_t made[5];
    };
    const AnimationKeyframeType tracks[] = {AKT_Transform, AKT_Material, AKT_Transparency, AKT_Visibility,
                                            AKT_Camera};
    const Keys adds[] = {{"PositionKey", {1, 0, 0, 0, 0}}, {"Matrial", {0, 1, 0, 0, 0}},
                         {"Transparent", {0, 0, 1, 0, 0}}, {"Visibility", {0, 0, 0, 1, 0}},
                         {"Camera", {0, 0, 0, 0, 1}},      {"Add", {1, 1, 1, 1, 1}},
                         {"SceneView", {3, 3, 3, 3, 1}}}; // top, part and other
    for (const Keys& add : adds) {
        SCOPED_TRACE(add.button);
        reset();
        ui->button(add.button)->click();
        for (int i = 0; i < 5; ++i) {
            std::size_t atNow = 0;
            for (const auto& k : keys->getKeyframes(int(tracks[i])))
                atNow += std::fabs(k->getTime() - 3.0) < 1e-4 ? 1 : 0;
            EXPECT_EQ(atNow, add.made[i]) << "track " << i;
        }
    }

    // The toggles pass their new state on.
    struct Toggle
    {
        const char* button;
        std::function<bool()> state;
    };
    const Toggle toggles[] = {{"ReversePlay", [this] { return manager->getReversePlay(); }},
                              {"CyclicPlay", [this] { return manager->getLoopPlay(); }},
                              {"CameraPlay", [this] { return manager->getCameraPlay(); }},
                              {"SelectNode", [this] { return ui->selectedNodeMode; }}};
    for (const Toggle& toggle : toggles) {
        SCOPED_TRACE(toggle.button);
        ui->button(toggle.button)->click();
        EXPECT_TRUE(toggle.state());
        ui->button(toggle.button)->click();
        EXPECT_FALSE(toggle.state());
    }

    // The right-click menu: select all, then delete.
    reset();
    const QList<QAction*> entries = ui->contextMenu()->actions();
    ASSERT_EQ(entries.size(), 2);
    entries[0]->trigger();
    EXPECT_EQ(ui->getSelectedKeyframes().size(), 2u);
    entries[1]->trigger();
    EXPECT_TRUE(keys->getAllKeyframes().empty());
}

TEST_F(TimelineEditor, EffectsKeepToTheirTimeWindows)
{
    selection->addSelected(part.get());
    struct Row
    {
        const char* effect;
        float time;
        std::size_t made;
    };
    const Row rows[] = {{"FadeIn", 0.3f, 0}, {"FadeIn", 0.31f, 2}, {"FadeOut", 0.0f, 0}, {"FadeOut", 1.0f, 2},
                        {"HotSpot", 599.9f, 0}, {"HotSpot", 0.1f, 0}, {"HotSpot", 5.0f, 3}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.effect) + " at " + std::to_string(row.time));
        keys->removeKeyframes(keys->getAllKeyframes());
        manager->playToTime(row.time);
        ui->namedActions.value(row.effect)->trigger();
        EXPECT_EQ(keys->getAllKeyframes().size(), row.made);
    }
    ui->setToolsEnabled(false);
    EXPECT_FALSE(ui->button("Add")->isEnabled());
    EXPECT_FALSE(ui->namedActions.value("HotSpot")->isEnabled());
}

TEST_F(TimelineEditor, WholeSceneKeyframeAsksForLargeModels)
{
    SystemSetting settings;
    ui->systemSettings = &settings;
    AskOnce prompts;
    Prompts::set(&prompts);
    for (int i = 0; i < 298; ++i)
        top->addChild(new Model); // with top, part and other: 301 models

    prompts.answerOk = false;
    ui->addView();
    EXPECT_EQ(prompts.asked, 1);
    EXPECT_TRUE(keys->getAllKeyframes().empty());

    prompts.answerOk = true;
    prompts.tick = true;
    ui->addView();
    EXPECT_EQ(prompts.asked, 2);
    EXPECT_FALSE(settings.infoShow());
    EXPECT_EQ(keys->getAllKeyframes().size(), 301u * 4 + 1);
    ui->addView();
    EXPECT_EQ(prompts.asked, 2); // not again

    settings.setInfoShow(true);
    top->removeChild(top->getNumChildren() - 1, 1); // 300 models
    ui->addView();
    EXPECT_EQ(prompts.asked, 2);
}

// ---- timeline settings ----

TEST_F(TimelineEditor, TimelineValuesAreCheckedBeforeUse)
{
    const float nan = std::nanf(""), inf = INFINITY;
    struct Row
    {
        float start, duration, animation;
        bool accepted;
    };
    const Row rows[] = {
        {0, 1, 10, true},   {0, 600, 10, true},   {599, 1, 600, true}, {0, 1, 1.2f, true},
        {0, 1, 1.1f, false}, {0, 1, 601, false},  {0, 0, 10, false},   {601, 1, 10, false},
        {-1, 5, 10, false},  {500, 101, 10, false}, {0, -3, 10, false}, {nan, 1, 10, false},
        {0, inf, 10, false}, {0, 1, nan, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.start << " " << r.duration << " " << r.animation);
        EXPECT_EQ(AnimationEditorUI::timelineValuesAcceptable(r.start, r.duration, r.animation, 600.0f), r.accepted);
    }

    key(part.get(), AKT_Transform, 2.0f);
    key(part.get(), AKT_Transform, 4.0f);
    keys->endCallAddKeyframe();
    ASSERT_TRUE(ui->applyTimeline(0, 1, 10));
    EXPECT_EQ(ui->timeAxis()->range().lower, 0.0);
    EXPECT_FLOAT_EQ(float(ui->timeAxis()->range().upper), 1.2f); // at least 1.2 s shown
    EXPECT_EQ(keys->getAllKeyframes().back()->getTime(), 12.0); // 2..4 stretched to 2..12
    EXPECT_FLOAT_EQ(ui->timeAxis()->animationEnd, 12.0f + FrameStep);
    EXPECT_FALSE(ui->applyTimeline(0, 0, 10));
    EXPECT_EQ(keys->getAllKeyframes().back()->getTime(), 12.0);
}

TEST(TimelineDialogForm, FieldsAndButtons)
{
    QWidget parent;
    auto* dialog = new TimelineDialog(&parent);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("时间设置"));
    EXPECT_EQ(int(dialog->windowFlags()) & 0x8000003, 0x8000003); // Qt adds the title and menu hints
    dialog->ui.startTimeEdit->setText("1.5");
    dialog->ui.lineEdit_3->setText("abc");
    dialog->ui.lineEdit_4->setText("");
    float s = -1, d = -1, t = -1;
    dialog->getTimeValues(s, d, t);
    EXPECT_EQ(s, 1.5f);
    EXPECT_EQ(d, 0.0f);
    EXPECT_EQ(t, 0.0f);
    for (QPushButton* b : {dialog->sureButton, dialog->cancelButton}) {
        dialog->show();
        b->click();
        EXPECT_FALSE(dialog->isVisible());
    }
}

} // namespace
