// The main window's view and camera actions and the settings forwards: standard views, directions,
// projection, mouse modes, focus, level of detail, full screen, roaming and the walker's boxes.

#include "app/MainWindow.h"
#include "view/ISelectionDecorator.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/CameraTransition.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/model/Model.h"
#include "vantor/section/Section.h"
#include "vantor/walker/WalkerManipulator.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Material>
#include <osg/ShapeDrawable>

#include <QAction>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

using Vantor::CameraTransition;

namespace {

// Camera moves jump in these tests; the move itself is tested with the commands.
struct NoCameraMoves
{
    NoCameraMoves() { CameraTransition::DefaultDuration = 0.0; }
    ~NoCameraMoves() { CameraTransition::DefaultDuration = 0.3; }
};

osg::ref_ptr<Vantor::Model> boxModel(const std::string& name, const osg::Vec3& centre, float size)
{
    osg::ref_ptr<Vantor::Model> m = new Vantor::Model;
    m->setName(name);
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(new osg::ShapeDrawable(new osg::Box(centre, size)));
    m->addChild(geode);
    return m;
}

struct Window
{
    Window()
    {
        top = new Vantor::Model;
        top->setName("Top");
        small = boxModel("Small", osg::Vec3(300, 0, 0), 10.0f);
        top->addChild(boxModel("Big", osg::Vec3(0, 0, 0), 100.0f));
        top->addChild(small);
    }
    void load() { w.newLoadedFile(top); }
    std::shared_ptr<Vantor::CommandManager> commands() const { return w.sceneView()->getCommandManager(); }
    PickingHandler* trackball() const { return w.sceneView()->getPickingHandler().get(); }
    osg::Vec3d eyeDirection() const
    {
        osg::Vec3d eye, center, up;
        trackball()->getTransformation(eye, center, up);
        osg::Vec3d d = eye - center;
        d.normalize();
        return d;
    }

    NoCameraMoves jump;
    MainWindow w;
    osg::ref_ptr<Vantor::Model> top;
    osg::ref_ptr<Vantor::Model> small;
};

} // namespace

TEST(ViewActions, StandardViewSlotsLookFromTheirSideAndUndoBringsTheCameraBack)
{
    Window t;
    t.load();
    const struct
    {
        void (MainWindow::*slot)();
        osg::Vec3d direction;
    } cases[] = {
        {&MainWindow::on_actionFrontView_triggered, {0, -1, 0}}, {&MainWindow::on_actionBackView_triggered, {0, 1, 0}},
        {&MainWindow::on_actionLeftView_triggered, {-1, 0, 0}},  {&MainWindow::on_actionRightView_triggered, {1, 0, 0}},
        {&MainWindow::on_actionTopView_triggered, {0, 0, 1}},    {&MainWindow::on_actionBottomView_triggered, {0, 0, -1}},
    };
    for (const auto& c : cases) {
        const Vantor::AnimationCameraInfo before = t.trackball()->getCameraInfo();
        const std::size_t steps = t.commands()->undoCount();
        (t.w.*c.slot)();
        EXPECT_EQ(t.commands()->undoCount(), steps + 1);
        EXPECT_NEAR((t.eyeDirection() - c.direction).length(), 0.0, 1e-9);
        ASSERT_TRUE(t.commands()->Undo());
        const Vantor::AnimationCameraInfo after = t.trackball()->getCameraInfo();
        EXPECT_EQ(after.center, before.center);
        EXPECT_EQ(after.distance, before.distance);
        EXPECT_EQ(after.rotation, before.rotation);
    }
}

TEST(ViewActions, DirectionSlotRunsOneCommandAndLeavesOneEntryChecked)
{
    Window t;
    t.load();
    const QList<QAction*> directions = t.w.directionActions();
    ASSERT_EQ(directions.size(), 6);
    const std::size_t steps = t.commands()->undoCount();
    t.w.on_actionXDirection_triggered();
    EXPECT_EQ(t.commands()->undoCount(), steps + 1);
    int checked = 0;
    for (QAction* a : directions)
        checked += a->isChecked() ? 1 : 0;
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(t.w.getAction("Basic_XDirection")->isChecked());
    // The model's X axis now points up, and the grid and box follow the turned model.
    auto* model = dynamic_cast<osg::MatrixTransform*>(t.w.sceneModel()->getModel());
    ASSERT_TRUE(model);
    osg::Vec3d x = osg::Matrixd::transform3x3(osg::Vec3d(1, 0, 0), model->getMatrix());
    x.normalize();
    EXPECT_NEAR((x - osg::Vec3d(0, 0, 1)).length(), 0.0, 1e-9);
    const osg::BoundingBoxd box = t.w.sceneView()->getSceneBoundingBox();
    EXPECT_GT(box.zMax() - box.zMin(), 300.0); // the 350-long row of boxes stands upright

    t.w.on_actionZOppositeDirection_triggered();
    checked = 0;
    for (QAction* a : directions)
        checked += a->isChecked() ? 1 : 0;
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(t.w.getAction("Basic_ZOppositeDirection")->isChecked());
}

TEST(ViewActions, DirectionAndFocusWithNothingLoadedLeaveNoUndoStep)
{
    Window t;
    t.w.on_actionYDirection_triggered();
    t.w.on_actionFocusNode_triggered();
    EXPECT_FALSE(t.commands()->CanUndo());
}

TEST(ViewActions, FocusFramesTheSelectionElseTheWholeModel)
{
    Window t;
    t.load();
    Vantor::ISelectionManager* selection = t.w.sceneView()->getSelectionManager();
    ASSERT_TRUE(selection);
    selection->clearSelection();
    selection->addSelected(t.small.get());
    t.w.on_actionFocusNode_triggered();
    EXPECT_NEAR((t.trackball()->getCenter() - osg::Vec3d(300, 0, 0)).length(), 0.0, 1e-3);
    const double close = t.trackball()->getDistance();

    selection->clearSelection();
    t.w.on_actionFocusNode_triggered();
    EXPECT_GT(t.trackball()->getDistance(), 10.0 * close); // the whole model is much bigger
    EXPECT_EQ(t.commands()->undoCount(), 2u);
    ASSERT_TRUE(t.commands()->Undo());
    EXPECT_NEAR(t.trackball()->getDistance(), close, 1e-9);
}

TEST(ViewActions, LevelOfDetailDoublesHalvesAndResetsWithItsLabel)
{
    Window t;
    osg::Camera* camera = t.w.sceneView()->getView()->getCamera();
    const struct
    {
        void (MainWindow::*slot)();
        int times;
        float scale;
        const char* label;
    } cases[] = {
        {&MainWindow::on_actionIncreaseLOD_triggered, 11, 1000.0f, "LOD x1000"},
        {&MainWindow::on_actionResetLOD_triggered, 1, 1.0f, "LOD x1"},
        {&MainWindow::on_actionDecreaseLOD_triggered, 15, 0.0001f, "LOD x0.0001"},
        {&MainWindow::on_actionIncreaseLOD_triggered, 1, 0.0002f, "LOD x0.0002"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        for (int i = 0; i < c.times; ++i)
            (t.w.*c.slot)();
        EXPECT_FLOAT_EQ(t.w.lodScale(), c.scale);
        EXPECT_FLOAT_EQ(camera->getLODScale(), c.scale);
        EXPECT_EQ(t.w.lodLabel()->text(), QString::fromLatin1(c.label));
    }
}

TEST(ViewActions, MouseModesSetTheDragAndTheirButtons)
{
    Window t;
    QAction* rotate = t.w.getAction("Basic_Rotation");
    QAction* zoom = t.w.getAction("Basic_Zoom");
    QAction* pan = t.w.getAction("Basic_Translation");
    ASSERT_TRUE(rotate && zoom && pan);
    const struct
    {
        const char* name;
        std::function<void()> run;
        int mode;
        bool rotate, zoom, pan;
    } cases[] = {
        {"zoom on", [&] { t.w.on_actionTrackballManipulatorZoom_triggered(true); }, 1, false, true, false},
        {"pan on", [&] { t.w.on_actionTrackballManipulatorPan_triggered(true); }, 2, false, false, true},
        {"rotate", [&] { t.w.on_actionTrackballManipulatorRotation_triggered(); }, 0, true, false, false},
        {"zoom on again", [&] { t.w.on_actionTrackballManipulatorZoom_triggered(true); }, 1, false, true, false},
        // Unchecking sets rotation but touches no button: rotation stays unchecked.
        {"zoom off", [&] { zoom->setChecked(false); t.w.on_actionTrackballManipulatorZoom_triggered(false); }, 0,
         false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.run();
        EXPECT_EQ(t.trackball()->mouseMode, c.mode);
        EXPECT_EQ(rotate->isChecked(), c.rotate);
        EXPECT_EQ(zoom->isChecked(), c.zoom);
        EXPECT_EQ(pan->isChecked(), c.pan);
    }

    // While walking the trackball keeps its mode; the buttons still follow.
    t.w.on_actionRoam_triggered(false);
    ASSERT_EQ(t.w.sceneView()->getManipulatorType(), 3);
    t.w.on_actionTrackballManipulatorPan_triggered(true);
    EXPECT_EQ(t.trackball()->mouseMode, 0);
    EXPECT_TRUE(pan->isChecked());
}

TEST(ViewActions, ProjectionSwitchesOnlyTheTrackballAndRelabels)
{
    Window t;
    t.w.on_actionPerspective_triggered(false);
    EXPECT_FALSE(t.trackball()->getPerpectiveCamera());
    t.w.on_actionPerspective_triggered(true);
    EXPECT_TRUE(t.trackball()->getPerpectiveCamera());

    QAction* projection = t.w.getAction("Basic_Perspective");
    ASSERT_TRUE(projection);
    t.w.changeCameraPerperctive(t.trackball(), false);
    EXPECT_FALSE(t.trackball()->getPerpectiveCamera());
    EXPECT_EQ(projection->text(), MainWindow::tr("Perspective"));
    t.w.changeCameraPerperctive(t.trackball(), true);
    EXPECT_EQ(projection->text(), MainWindow::tr("Parallel projection"));

    t.w.on_actionRoam_triggered(true);
    t.w.on_actionPerspective_triggered(false);
    EXPECT_TRUE(t.trackball()->getPerpectiveCamera()); // the walker is active: nothing happens
}

TEST(ViewActions, RoamSwitchesTheWalkerOnAndOffWithoutMovingTheCamera)
{
    Window t;
    t.load();
    t.w.on_actionIsodraftView_triggered();
    const osg::Matrixd before = t.trackball()->getInverseMatrix();
    t.w.on_actionRoam_triggered(false); // the argument does not matter
    ASSERT_EQ(t.w.sceneView()->getManipulatorType(), 3);
    Vantor::WalkerManipulator* walker = t.w.sceneView()->getWalkerManipulator();
    EXPECT_EQ(t.w.sceneView()->getView()->getCameraManipulator(), walker);
    EXPECT_TRUE(t.w.roamVelocityBox()->isEnabled());
    const osg::Matrixd walking = walker->getInverseMatrix();
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(walking.ptr()[i], before.ptr()[i], 1e-6) << i;

    t.w.on_actionSetGravityMode_triggered(true);
    EXPECT_TRUE(walker->getUseGravity());
    EXPECT_TRUE(t.w.getAction("Roam_Gravitymodel")->isChecked());
    t.w.on_actionSetObstacleMode_triggered(true);
    EXPECT_TRUE(walker->getUseObstacles());

    t.w.on_actionRoam_triggered(true);
    EXPECT_EQ(t.w.sceneView()->getManipulatorType(), 0);
    EXPECT_FALSE(t.w.roamVelocityBox()->isEnabled());
    EXPECT_FALSE(walker->getUseGravity()); // the trackball takes over with the walker's switches off
    const osg::Matrixd back = t.trackball()->getInverseMatrix();
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(back.ptr()[i], before.ptr()[i], 1e-6) << i;
}

namespace {

class CountingListener : public Vantor::WalkerManipulatorListener
{
public:
    int velocityCalls = 0;
    void onVelocityChanged(double) override { ++velocityCalls; }
};

} // namespace

TEST(SettingsForwards, VelocityBoxAndWalkerFollowEachOtherWithoutEcho)
{
    Window t;
    QDoubleSpinBox* velocity = t.w.roamVelocityBox();
    QDoubleSpinBox* fovy = t.w.roamFovyBox();
    ASSERT_TRUE(velocity && fovy);
    Vantor::WalkerManipulator* walker = t.w.sceneView()->getWalkerManipulator();

    // With the trackball active the boxes change nothing.
    velocity->setValue(3.0);
    EXPECT_NE(walker->getVelocity(), 3000.0);

    t.w.on_actionRoam_triggered(false);
    osg::ref_ptr<CountingListener> counter = new CountingListener;
    walker->addListener(counter);
    velocity->setValue(1.5);
    velocity->setValue(1.234);
    velocity->setValue(1.5);
    EXPECT_DOUBLE_EQ(walker->getVelocity(), 1500.0);
    const int calls = counter->velocityCalls;

    QSignalSpy typed(velocity, SIGNAL(valueChanged(double)));
    walker->setVelocity(2500.0);
    EXPECT_DOUBLE_EQ(velocity->value(), 2.5);
    EXPECT_EQ(typed.count(), 0);                  // shown, not typed
    EXPECT_EQ(counter->velocityCalls, calls + 1); // the walker was set once, not again by the box

    walker->setFovy(45.0);
    EXPECT_DOUBLE_EQ(fovy->value(), 45.0);
    fovy->setValue(50.0);
    EXPECT_DOUBLE_EQ(walker->getFovy(), 50.0);
    t.w.AngularChanged(25.0);
    EXPECT_DOUBLE_EQ(walker->getAngleVelocity(), 25.0);
    EXPECT_DOUBLE_EQ(t.w.roamAngularVelocityBox()->value(), 25.0);
    walker->removeListener(counter.get());
}

TEST(SettingsForwards, ColoursReachTheDecoratorsAndTheSections)
{
    Window t;
    t.w.setSectionColor(QColor(128, 64, 255));
    EXPECT_EQ(Vantor::Section::getColor(), osg::Vec4(0.5f, 0.25f, 1.0f, 1.0f));
    t.w.setSectionTransparent(0.3f);
    EXPECT_FLOAT_EQ(Vantor::Section::getTransparent(), 0.3f);

    t.w.setselectionColor(QColor(255, 0, 51));
    osg::Material* selected = t.w.sceneView()->GetSelectionDecoratorManager()->getMaterial();
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->getDiffuse(osg::Material::FRONT), osg::Vec4(1.0f, 0.0f, 0.2f, 1.0f));
    EXPECT_EQ(selected->getDiffuse(osg::Material::BACK), osg::Vec4(1.0f, 0.0f, 0.2f, 1.0f));
    t.w.setPreselectionColor(QColor(0, 255, 0));
    osg::Material* pre = t.w.sceneView()->GetPreselectionDecoratorManager()->getMaterial();
    ASSERT_TRUE(pre);
    EXPECT_EQ(pre->getDiffuse(osg::Material::FRONT), osg::Vec4(0.0f, 1.0f, 0.0f, 1.0f));

    QSignalSpy pmi(&t.w, SIGNAL(readPMI(bool)));
    QSignalSpy merge(&t.w, SIGNAL(mergeFace(bool)));
    t.w.setReadPMI(true);
    t.w.serMergeFace(false);
    ASSERT_EQ(pmi.count(), 1);
    EXPECT_TRUE(pmi.at(0).at(0).toBool());
    ASSERT_EQ(merge.count(), 1);
    EXPECT_FALSE(merge.at(0).at(0).toBool());

    Vantor::Section::setColor(osg::Vec4(1, 0, 0, 1));
    Vantor::Section::setTransparent(0.5f);
}

TEST(ViewActions, FullScreenHidesBarsAndDocksAndTheExitButtonRestoresThem)
{
    Window t;
    t.w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.w));
    t.w.treeDock()->show();
    t.w.annotationDock()->hide();
    QAction* fullScreen = t.w.getAction("Basic_FullScreen");
    ASSERT_TRUE(fullScreen);
    fullScreen->trigger(); // checks it and runs the slot
    EXPECT_TRUE(t.w.windowState() & Qt::WindowFullScreen);
    EXPECT_FALSE(t.w.statusBar()->isVisible());
    EXPECT_FALSE(t.w.treeDock()->isVisible());
    QPushButton* exit = t.w.exitFullScreenButton();
    ASSERT_TRUE(exit);
    EXPECT_TRUE(exit->isVisible());
    EXPECT_EQ(exit->size(), QSize(100, 20));

    exit->click();
    EXPECT_FALSE(t.w.windowState() & Qt::WindowFullScreen);
    EXPECT_FALSE(fullScreen->isChecked());
    EXPECT_FALSE(exit->isVisible());
    EXPECT_TRUE(t.w.statusBar()->isVisible());
    EXPECT_TRUE(t.w.treeDock()->isVisible());
    EXPECT_FALSE(t.w.annotationDock()->isVisible());
}
