// The window's animation: kept in the model file, in ".Animation" files, and refused when damaged.

#include "animation/AnimationEditorUI.h"
#include "animation/AnimationPlayback.h"
#include "animation/TimelineDialog.h"
#include "app/MainWindow.h"
#include "common/Prompts.h"
#include "dialogs/SystemSetting.h"
#include "support/TestSupport.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/animation/AnimationKeyFrameEditor.h"
#include "vantor/animation/AnimationStorage.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDockWidget>
#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

using namespace Vantor;

namespace {

const QString kSample = QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo");

struct ScriptedPrompts : Prompts
{
    QString saveName, openName;
    int warnings = 0;
    QMessageBox::StandardButton answer = QMessageBox::No;
    QStringList questions;
    QMessageBox::StandardButton question(QWidget*, const QString&, const QString& text,
                                         QMessageBox::StandardButtons) override
    {
        questions << text;
        return answer;
    }
    QString getSaveFileName(QWidget*, const QString&, const QString& dir, const QString&) override
    {
        proposed = dir;
        return saveName;
    }
    QString getOpenFileName(QWidget*, const QString&, const QString&, const QString& filter) override
    {
        openFilter = filter;
        return openName;
    }
    void warning(QWidget*, const QString&, const QString&) override { ++warnings; }
    QString proposed, openFilter;
    ScriptedPrompts() { Prompts::set(this); }
    ~ScriptedPrompts() override { Prompts::set(nullptr); }
};

QString scratch(const QString& name)
{
    const QString dir = nerio_test::scratchDir() + "/animation";
    QDir().mkpath(dir);
    QFile::remove(dir + "/" + name);
    return dir + "/" + name;
}

QString copyOfSample(const QString& name)
{
    const QString path = scratch(name);
    QFile::copy(kSample, path);
    return path;
}

bool open(MainWindow& w, const QString& path)
{
    if (!w.loadFile(path) || !QTest::qWaitFor([&] { return !w.isBusy(); }, 20000))
        return false;
    return true;
}

osg::ref_ptr<AnimationKeyFrameEditor> keys(MainWindow& w)
{
    return w.sceneView()->getAnimationKeyFrameEditor();
}

// A part of the loaded model moved out between two keyframes, plus a camera keyframe.
Model* animateFirstPart(MainWindow& w)
{
    osg::ref_ptr<Model> top = Model::GetTopModel(w.sceneModel()->getRootSwitch());
    if (!top || top->getModelChildrenNum() == 0)
        return nullptr;
    Model* part = top->getModelChild(0);
    osg::ref_ptr<AnimationKeyFrameEditor> k = keys(w);
    k->getOrCreateTransformKeyframeByNode(part, 0.0f, true);
    const osg::Matrixd home = part->getMatrix();
    part->setMatrix(home * osg::Matrixd::translate(0, 0, 50));
    k->getOrCreateTransformKeyframeByNode(part, 2.0f, true);
    part->setColor(osg::Vec4f(1, 0, 0, 1));
    k->getOrCreateMaterialKeyframeByNode(part, 2.0f, true);
    k->getOrCreateCameraKeyframeBySelection(1.0f);
    k->endCallAddKeyframe();
    part->setMatrix(home);
    return part;
}

std::string document(MainWindow& w)
{
    AnimationStorage storage;
    storage.SetAnimationManager(w.sceneView()->getAnimationManager());
    return storage.serialize();
}

} // namespace

TEST(AnimationWindow, DockHoldsTheEditorWithTheLoadedSettings)
{
    MainWindow w;
    AnimationEditorUI* ui = w.animationEditor();
    ASSERT_NE(ui, nullptr);
    EXPECT_EQ(w.timelineDock()->widget(), ui->timelineWidget());
    EXPECT_EQ(w.timelineDialog()->parent(), &w);
    const QList<SystemSetting*> settings = w.findChildren<SystemSetting*>();
    ASSERT_FALSE(settings.isEmpty());
    EXPECT_EQ(ui->systemSettings, settings.last());
    EXPECT_EQ(keys(w)->getEditorAnimationSegment(), w.sceneView()->getAnimationManager()->getDefaultAnimation());
    // The key-frame editor lives in the view's scene group.
    EXPECT_TRUE(w.sceneView()->getSceneGroup()->containsNode(keys(w).get()));

    w.on_AnimationDock_featuresChanged(true);
    EXPECT_TRUE(keys(w)->isAnimationEditorOpen());
    w.on_AnimationDock_featuresChanged(false);
    EXPECT_FALSE(keys(w)->isAnimationEditorOpen());
}

TEST(AnimationWindow, SavedWithTheModelAndPlayedAfterReopening)
{
    ASSERT_TRUE(QFileInfo::exists(kSample));
    const QString path = copyOfSample("Animated.dazo");
    std::string saved;
    osg::Matrixd atEnd;
    {
        MainWindow w;
        ASSERT_TRUE(open(w, path));
        ASSERT_TRUE(keys(w)->isAnimationEditorOpen());
        Model* part = animateFirstPart(w);
        ASSERT_NE(part, nullptr);
        ASSERT_EQ(keys(w)->getAllKeyframes().size(), 4u);
        keys(w)->playToKeyframe(2.0);
        atEnd = part->getMatrix();
        saved = document(w);
        QSignalSpy done(w.loader(), SIGNAL(saveFileFinish()));
        w.on_actionSave_triggered();
        ASSERT_TRUE(QTest::qWaitFor([&] { return done.count() > 0; }, 20000));
    }
    MainWindow again;
    ASSERT_TRUE(open(again, path));
    EXPECT_EQ(document(again), saved);
    osg::ref_ptr<Model> top = Model::GetTopModel(again.sceneModel()->getRootSwitch());
    Model* part = top->getModelChild(0);
    ASSERT_EQ(keys(again)->getKeyframes(part).size(), 3u);
    keys(again)->playToKeyframe(2.0);
    EXPECT_EQ(part->getMatrix(), atEnd);
    EXPECT_EQ(part->getColor().r(), 1.0f);
    EXPECT_EQ(again.animationEditor()->markers().size(), 4u);

    // Closing the model empties the animation.
    again.unLoadFile();
    EXPECT_TRUE(keys(again)->getAllKeyframes().empty());
}

TEST(AnimationWindow, AnimationFilesRoundTripAndFailuresChangeNothing)
{
    const QString model = copyOfSample("FileSource.dazo");
    MainWindow w;
    ASSERT_TRUE(open(w, model));
    ASSERT_NE(animateFirstPart(w), nullptr);
    const std::string before = document(w);

    // Saved without a suffix typed: the suffix is added; the text is four-space pretty JSON.
    ScriptedPrompts prompts;
    const QString base = scratch("take1");
    QFile::remove(base + ".Animation");
    prompts.saveName = base;
    ASSERT_TRUE(w.saveAnimationFile());
    EXPECT_TRUE(prompts.proposed.endsWith(".Animation"));
    QFile file(base + ".Animation");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    file.close();
    EXPECT_TRUE(text.startsWith("{\n    \"version\": 1,\n    \"default\": 0,"));
    EXPECT_TRUE(text.contains("\n            \"tracks\": ["));

    // Loaded into another window on the same model: the same animation.
    MainWindow other;
    ASSERT_TRUE(open(other, model));
    prompts.openName = base + ".Animation";
    ASSERT_TRUE(other.loadAnimationFile());
    EXPECT_EQ(document(other), before);
    EXPECT_EQ(other.animationEditor()->markers().size(), 4u);
    EXPECT_TRUE(QRegExp(prompts.openFilter.section('(', 1).chopped(1), Qt::CaseSensitive, QRegExp::Wildcard)
                    .exactMatch("take.ANIMATION"));

    // An unreadable file, a file that is not an animation, and a damaged model document change nothing.
    const std::string kept = document(other);
    const QString broken = scratch("broken.Animation");
    QFile b(broken);
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write("{\"version\":1,\"animations\":[{\"camera\":[{\"time\":\"soon\"}]}]}");
    b.close();
    for (const QString& bad : {scratch("missing.Animation"), broken}) {
        prompts.openName = bad;
        const int warned = prompts.warnings;
        EXPECT_FALSE(other.loadAnimationFile());
        EXPECT_EQ(prompts.warnings, warned + 1);
        EXPECT_EQ(document(other), kept);
    }
    other.newAnimationToModel(QStringLiteral("{ not json"));
    EXPECT_EQ(document(other), kept);

    // A save that cannot be written is reported; text that is not JSON is never written.
    prompts.saveName = scratch("no-such-folder") + "/x/take.Animation";
    const int warned = prompts.warnings;
    EXPECT_FALSE(w.saveAnimationFile());
    EXPECT_EQ(prompts.warnings, warned + 1);
    QString error;
    EXPECT_FALSE(AnimationPlayback::writeFile(scratch("null.Animation"), "", &error));
    EXPECT_FALSE(AnimationPlayback::writeFile(scratch("null.Animation"), "{\"a\":", &error));
    EXPECT_FALSE(QFileInfo::exists(scratch("null.Animation")));
}

TEST(AnimationWindow, RibbonControlsDrivePlaybackAndDeletion)
{
    MainWindow w;
    ASSERT_TRUE(open(w, copyOfSample("Ribbon.dazo")));
    // A loaded model: playback controls on, walking options off until a walk starts.
    EXPECT_TRUE(w.playSpeedBox()->isEnabled());
    EXPECT_TRUE(w.playTimeSlider()->isEnabled());
    EXPECT_FALSE(w.roamVelocityBox()->isEnabled());
    Model* part = animateFirstPart(w);
    ASSERT_NE(part, nullptr);
    osg::ref_ptr<AnimationManager> manager = w.sceneView()->getAnimationManager();
    const auto trigger = [&](const char* key, bool checked) {
        QAction* a = w.getAction(key);
        ASSERT_NE(a, nullptr) << key;
        if (a->isCheckable())
            a->setChecked(!checked); // so the trigger below lands on the wanted state
        a->trigger();
    };

    trigger("Animation_ATEPlay", true);
    EXPECT_TRUE(manager->isPlaying());
    trigger("Animation_ATEPause", false);
    EXPECT_EQ(manager->getPlayState(), AnimationManager::Paused);
    keys(w)->playToKeyframe(1.5);
    trigger("Animation_ATEStop", false);
    EXPECT_FALSE(manager->isPlaying());
    EXPECT_EQ(manager->getCurrentTime(), 0.0);

    trigger("Animation_ATECyclicPlay", true);
    EXPECT_TRUE(manager->getLoopPlay());
    trigger("Animation_ATEReverse", true);
    EXPECT_TRUE(manager->getReversePlay());
    w.on_actionSetAnimationRevesePlay_triggerd();
    EXPECT_FALSE(manager->getReversePlay());
    const bool camera = manager->getCameraPlay();
    trigger("Animation_ATECameraPlay", !camera);
    EXPECT_EQ(manager->getCameraPlay(), !camera);
    w.playSpeedBox()->setCurrentIndex(3);
    EXPECT_EQ(manager->getPlaySpeed(), 3.0);
    w.playSpeedBox()->setCurrentIndex(0);
    EXPECT_EQ(manager->getPlaySpeed(), 0.5);

    // Deleting: camera keyframes alone, then all of them only after a yes.
    ScriptedPrompts prompts;
    ASSERT_EQ(keys(w)->getAllKeyframes().size(), 4u);
    w.on_actionDeleteCameraKeyframe_triggerd();
    EXPECT_EQ(keys(w)->getAllKeyframes().size(), 3u);
    w.on_actionDeleteAllKeyframe_triggerd();
    EXPECT_EQ(prompts.questions, QStringList{QString::fromUtf8("是否移除所有关键帧。")});
    EXPECT_EQ(keys(w)->getAllKeyframes().size(), 3u);
    prompts.answer = QMessageBox::Yes;
    w.on_actionDeleteAllKeyframe_triggerd();
    EXPECT_TRUE(keys(w)->getAllKeyframes().empty());

    // Opening another model starts without the old animation, once the user let the unsaved one go.
    ASSERT_NE(animateFirstPart(w), nullptr);
    prompts.openName = copyOfSample("Next.dazo");
    prompts.answer = QMessageBox::Discard;
    w.on_actionOpen_triggered();
    EXPECT_EQ(prompts.questions.size(), 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 20000));
    EXPECT_TRUE(keys(w)->getAllKeyframes().empty());

    // The timeline switch shows and hides its dock.
    const bool hidden = w.timelineDock()->isHidden();
    w.on_actionTimeline_triggered();
    EXPECT_NE(w.timelineDock()->isHidden(), hidden);
    w.on_actionTimeline_triggered();
    EXPECT_EQ(w.timelineDock()->isHidden(), hidden);
}

TEST(AnimationPlaybackRules, SpeedSliderAndSteps)
{
    struct Speed
    {
        int index;
        double speed;
    };
    for (const Speed& s : {Speed{0, 0.5}, Speed{1, 1}, Speed{2, 2}, Speed{3, 3}, Speed{4, 4}, Speed{5, 5},
                           Speed{6, 1}, Speed{-1, 1}})
        EXPECT_EQ(AnimationPlayback::speedForIndex(s.index), s.speed) << s.index;

    EXPECT_EQ(AnimationPlayback::stepForwardTarget(5.0f), 6.0f);
    EXPECT_EQ(AnimationPlayback::stepForwardTarget(5.5f), 1.0f);
    EXPECT_EQ(AnimationPlayback::stepForwardTarget(0.0f), 1.0f);

    EXPECT_EQ(AnimationPlayback::defaultFileName(QDateTime(QDate(2020, 10, 16), QTime(9, 5, 33))),
              "2020-10-16-09-05-33.Animation");
    EXPECT_EQ(AnimationPlayback::withSuffix("/a/b"), "/a/b.Animation");
    EXPECT_EQ(AnimationPlayback::withSuffix("/a/b.animation"), "/a/b.animation");

    MainWindow w;
    osg::ref_ptr<AnimationKeyFrameEditor> k = keys(w);
    QSlider slider;
    slider.setRange(0, 100);
    int seeks = 0;
    QObject::connect(&slider, &QSlider::valueChanged, [&] { ++seeks; });
    // No keyframes: the range is 0 and the slider neither moves nor seeks.
    AnimationPlayback::followPlayTime(&slider, k.get(), 3.0f);
    EXPECT_EQ(slider.value(), 0);
    AnimationPlayback::seekToSlider(k.get(), 50);
    EXPECT_EQ(k->getCurrentKeyframeTime(), 0.0f);

    k->openAnimationEditor();
    k->getOrCreateCameraKeyframeBySelection(0.0f);
    k->getOrCreateCameraKeyframeBySelection(8.0f);
    AnimationPlayback::followPlayTime(&slider, k.get(), 3.0f);
    EXPECT_EQ(slider.value(), 37); // 3 / 8 x 100, truncated
    EXPECT_EQ(seeks, 0);
    AnimationPlayback::seekToSlider(k.get(), 25);
    EXPECT_EQ(k->getCurrentKeyframeTime(), 2.0f);
    AnimationPlayback::stepForward(k.get());
    EXPECT_EQ(k->getCurrentKeyframeTime(), 3.0f);

    AnimationPlayback::setPlaySpeed(k.get(), 0);
    EXPECT_EQ(k->GetAnimationManager()->getPlaySpeed(), 0.5);
    AnimationPlayback::toggleReversePlay(k.get());
    EXPECT_TRUE(k->getReversePlay());
    AnimationPlayback::toggleCameraPlay(w.animationEditor());
    EXPECT_TRUE(w.animationEditor()->getCameraPlayMode());

    // The timeline dialog shows the editor's values and applies them back.
    TimelineDialog* dialog = w.timelineDialog();
    AnimationPlayback::fillTimelineDialog(dialog, w.animationEditor());
    EXPECT_EQ(dialog->ui.startTimeEdit->text(), "0");
    EXPECT_EQ(dialog->ui.lineEdit_3->text(), "120");
    EXPECT_EQ(dialog->ui.lineEdit_4->text(), "8");
    dialog->ui.lineEdit_3->setText("nan");
    EXPECT_FALSE(AnimationPlayback::applyTimelineDialog(dialog, w.animationEditor()));
    dialog->ui.lineEdit_3->setText("30");
    dialog->ui.lineEdit_4->setText("4");
    EXPECT_TRUE(AnimationPlayback::applyTimelineDialog(dialog, w.animationEditor()));
    EXPECT_EQ(k->getAnimationValidTimeLineRange(), 4.0f);
}
