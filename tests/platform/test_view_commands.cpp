// The camera commands (standard views, view directions), the camera move they share, and the walker.

#include "support/RedrawCounter.h"
#include "vantor/command/BaseViewCommand.h"
#include "vantor/command/CameraTransition.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISceneView.h"
#include "vantor/command/ViewDirectionCommand.h"
#include "vantor/walker/WalkerHuman.h"
#include "vantor/walker/WalkerManipulator.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/ShapeDrawable>
#include <osgGA/EventQueue>
#include <osgGA/TrackballManipulator>

#include <memory>

using Vantor::CameraTransition;

namespace {

class BoxSceneView : public Vantor::ISceneView
{
public:
    osg::BoundingBoxd box{osg::Vec3d(-10, 20, 0), osg::Vec3d(30, 60, 40)};
    const osg::BoundingBoxd& getSceneBoundingBox() override { return box; }
    Vantor::ISelectionManager* getSelectionManager() override { return nullptr; }
    Vantor::ISelectionManager* setSelectionManager(Vantor::ISelectionManager*) override { return nullptr; }
};

struct ViewFixture
{
    ViewFixture()
    {
        view = new osgViewer::View;
        trackball = new osgGA::TrackballManipulator;
        view->setCameraManipulator(trackball.get(), false);
        trackball->setTransformation(osg::Vec3d(5, -7, 9), osg::Vec3d(1, 2, 3), osg::Vec3d(0, 0, 1));
        manager = std::make_shared<Vantor::CommandManager>();
        CameraTransition::DefaultDuration = 0.0;
    }
    ~ViewFixture() { CameraTransition::DefaultDuration = 0.3; }

    osg::ref_ptr<osgViewer::View> view;
    osg::ref_ptr<osgGA::TrackballManipulator> trackball;
    std::shared_ptr<Vantor::CommandManager> manager;
    BoxSceneView scene;
};

bool samePose(const CameraTransition::Pose& a, const CameraTransition::Pose& b)
{
    return a.center == b.center && a.rotation == b.rotation && a.distance == b.distance;
}

osg::Vec3d unit(osg::Vec3d v)
{
    v.normalize();
    return v;
}

} // namespace

TEST(BaseViewCommand, EachStandardViewLooksFromItsSideAndUndoIsExact)
{
    const struct
    {
        Vantor::BaseViewType type;
        osg::Vec3d eyeDirection;
        osg::Vec3d up;
    } cases[] = {
        {Vantor::Front, {0, -1, 0}, {0, 0, 1}},  {Vantor::Back, {0, 1, 0}, {0, 0, 1}},
        {Vantor::Left, {-1, 0, 0}, {0, 0, 1}},   {Vantor::Right, {1, 0, 0}, {0, 0, 1}},
        {Vantor::Top, {0, 0, 1}, {0, 1, 0}},     {Vantor::Bottom, {0, 0, -1}, {0, -1, 0}},
        {Vantor::Isodraft, unit({1, -1, 1}), {0, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.type));
        ViewFixture f;
        const CameraTransition::Pose before = CameraTransition::poseOf(*f.trackball);
        auto command = std::make_shared<Vantor::BaseViewCommand>(&f.scene, f.view);
        command->setViewType(c.type);
        ASSERT_TRUE(f.manager->DoCommand(command));

        osg::Vec3d eye, center, up;
        f.trackball->getTransformation(eye, center, up);
        EXPECT_NEAR((center - f.scene.box.center()).length(), 0.0, 1e-9);
        EXPECT_NEAR((eye - center).length(), 3.5 * f.scene.box.radius(), 1e-6);
        EXPECT_NEAR((unit(eye - center) - c.eyeDirection).length(), 0.0, 1e-9);
        if (c.type != Vantor::Isodraft)
            EXPECT_NEAR((unit(up) - c.up).length(), 0.0, 1e-9);
        else
            EXPECT_GT(up.z(), 0.0); // the isometric view keeps +Z towards the top

        ASSERT_TRUE(f.manager->Undo());
        EXPECT_TRUE(samePose(CameraTransition::poseOf(*f.trackball), before));
        ASSERT_TRUE(f.manager->Redo());
        osg::Vec3d eyeAgain, centerAgain, upAgain;
        f.trackball->getTransformation(eyeAgain, centerAgain, upAgain);
        EXPECT_NEAR((eyeAgain - eye).length(), 0.0, 1e-9);
    }
}

TEST(BaseViewCommand, WithoutAnOrbitingCameraNothingMovesAndNoStepIsLeft)
{
    ViewFixture f;
    osg::ref_ptr<Vantor::WalkerManipulator> walker = new Vantor::WalkerManipulator;
    f.view->setCameraManipulator(walker.get(), false);
    auto command = std::make_shared<Vantor::BaseViewCommand>(&f.scene, f.view);
    command->setViewType(Vantor::Top);
    EXPECT_FALSE(f.manager->DoCommand(command));
    EXPECT_FALSE(f.manager->CanUndo());
}

TEST(CameraTransition, MovesOverFramesEndsExactlyAndGivesWayToTheUser)
{
    ViewFixture f;
    const CameraTransition::Pose from = CameraTransition::poseOf(*f.trackball);
    const CameraTransition::Pose to =
        CameraTransition::lookFrom(osg::Vec3d(100, 0, 0), osg::Vec3d(0, 0, 1), osg::Vec3d(0, 1, 0), 400.0);
    ASSERT_TRUE(CameraTransition::start(f.view.get(), to, 0.3));
    CameraTransition* transition = CameraTransition::of(f.view.get(), false);
    ASSERT_NE(transition, nullptr);
    EXPECT_TRUE(samePose(CameraTransition::poseOf(*f.trackball), from)); // nothing before the first frame

    transition->step(10.0); // the first frame fixes the start
    EXPECT_TRUE(samePose(CameraTransition::poseOf(*f.trackball), from));
    transition->step(10.15);
    const CameraTransition::Pose half = CameraTransition::poseOf(*f.trackball);
    EXPECT_FALSE(samePose(half, from));
    EXPECT_FALSE(samePose(half, to));
    EXPECT_GT(half.distance, std::min(from.distance, to.distance));
    EXPECT_LT(half.distance, std::max(from.distance, to.distance));
    transition->step(10.31);
    EXPECT_TRUE(samePose(CameraTransition::poseOf(*f.trackball), to));
    EXPECT_FALSE(transition->isRunning());

    // A click during a move puts the camera on its end at once.
    ASSERT_TRUE(CameraTransition::start(f.view.get(), from, 0.3));
    transition->step(20.0);
    transition->step(20.1);
    osg::ref_ptr<osgGA::EventQueue> queue = new osgGA::EventQueue;
    osg::ref_ptr<osgGA::GUIEventAdapter> push = queue->mouseButtonPress(10, 10, 1);
    transition->handle(*push, *f.view, nullptr, nullptr);
    EXPECT_TRUE(samePose(CameraTransition::poseOf(*f.trackball), from));

    // One transition per view, installed once.
    int installed = 0;
    for (const auto& handler : f.view->getEventHandlers())
        installed += dynamic_cast<CameraTransition*>(handler.get()) ? 1 : 0;
    EXPECT_EQ(installed, 1);
}

namespace {

// A view that counts the frames asked of it (the program's view draws only those).
class CountingView : public osgViewer::View
{
public:
    int asked = 0;
    void requestRedraw() override { ++asked; }
};

} // namespace

TEST(CameraTransition, AsksForTheFramesOfTheMoveAndNoneAfterItsEnd)
{
    osg::ref_ptr<CountingView> view = new CountingView;
    osg::ref_ptr<osgGA::TrackballManipulator> trackball = new osgGA::TrackballManipulator;
    view->setCameraManipulator(trackball.get(), false);
    trackball->setTransformation(osg::Vec3d(5, -7, 9), osg::Vec3d(1, 2, 3), osg::Vec3d(0, 0, 1));
    const CameraTransition::Pose to =
        CameraTransition::lookFrom(osg::Vec3d(100, 0, 0), osg::Vec3d(0, 0, 1), osg::Vec3d(0, 1, 0), 400.0);
    ASSERT_TRUE(CameraTransition::start(view.get(), to, 0.3));
    EXPECT_EQ(view->asked, 1) << "the start asks for the first frame";

    CameraTransition* transition = CameraTransition::of(view.get(), false);
    osg::ref_ptr<osgGA::EventQueue> queue = new osgGA::EventQueue;
    nerio_test::RedrawCounter actions;
    double t = 10.0;
    int frames = 0;
    while (transition->isRunning() && frames < 100) {
        transition->handle(*queue->frame(t), actions, nullptr, nullptr);
        t += 0.03;
        ++frames;
    }
    ASSERT_FALSE(transition->isRunning());
    EXPECT_TRUE(samePose(CameraTransition::poseOf(*trackball), to));
    EXPECT_EQ(actions.asked, frames - 1) << "every frame but the last asks for the next";
    transition->handle(*queue->frame(t), actions, nullptr, nullptr);
    EXPECT_EQ(actions.asked, frames - 1) << "an ended move asks for nothing";

    // A jump (no duration) still asks for the one frame that shows it.
    view->asked = 0;
    ASSERT_TRUE(CameraTransition::start(view.get(), CameraTransition::poseOf(*trackball), 0.0));
    EXPECT_EQ(view->asked, 1);
    EXPECT_FALSE(transition->isRunning());
}

TEST(ViewDirectionCommand, TheChosenAxisPointsUpAboutTheModelCentreAndUndoIsExact)
{
    const struct
    {
        Vantor::ViewDirection direction;
        osg::Vec3d axis;
    } cases[] = {
        {Vantor::XDirection, {1, 0, 0}},          {Vantor::YDirection, {0, 1, 0}},
        {Vantor::ZDirection, {0, 0, 1}},          {Vantor::XOppositeDirection, {-1, 0, 0}},
        {Vantor::YOppositeDirection, {0, -1, 0}}, {Vantor::ZOppositeDirection, {0, 0, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.direction));
        auto manager = std::make_shared<Vantor::CommandManager>();
        osg::ref_ptr<osg::MatrixTransform> model = new osg::MatrixTransform;
        const osg::Matrixd recorded = osg::Matrixd::translate(100, 0, 0);
        model->setMatrix(recorded);
        osg::ref_ptr<osg::Geode> geode = new osg::Geode;
        geode->addDrawable(new osg::ShapeDrawable(new osg::Box(osg::Vec3(5, 6, 7), 2.0f)));
        model->addChild(geode);
        const osg::Vec3d centreBefore(model->getBound().center());
        // The user had moved it: the turn starts from the recorded pose all the same.
        const osg::Matrixd moved = recorded * osg::Matrixd::translate(0, 0, 50);
        model->setMatrix(moved);

        auto command = std::make_shared<Vantor::ViewDirectionCommand>(model, recorded);
        command->setDirection(c.direction);
        ASSERT_TRUE(manager->DoCommand(command));
        const osg::Vec3d turned = osg::Matrixd::transform3x3(c.axis, model->getMatrix());
        EXPECT_NEAR((unit(turned) - osg::Vec3d(0, 0, 1)).length(), 0.0, 1e-9);
        EXPECT_NEAR((osg::Vec3d(model->getBound().center()) - centreBefore).length(), 0.0, 1e-4);

        int turns = 0;
        command->setOnTurned([&turns] { ++turns; });
        ASSERT_TRUE(manager->Undo());
        EXPECT_EQ(model->getMatrix(), moved);
        ASSERT_TRUE(manager->Redo());
        EXPECT_EQ(turns, 2);
    }

    // Nothing loaded: nothing turns and there is no step to undo.
    auto manager = std::make_shared<Vantor::CommandManager>();
    auto none = std::make_shared<Vantor::ViewDirectionCommand>(nullptr, osg::Matrixd());
    none->setDirection(Vantor::XDirection);
    EXPECT_FALSE(manager->DoCommand(none));
    EXPECT_FALSE(manager->CanUndo());
}

// ---------------------------------------------------------------- the walker

namespace {

class NoActions : public osgGA::GUIActionAdapter
{
public:
    void requestRedraw() override {}
    void requestContinuousUpdate(bool) override {}
    void requestWarpPointer(float, float) override {}
};

class RecordingListener : public Vantor::WalkerManipulatorListener
{
public:
    std::vector<double> velocity, fovy, angular;
    std::vector<bool> third, obstacles, gravity;
    int eyes = 0;
    void onVelocityChanged(double v) override { velocity.push_back(v); }
    void onFovyChanged(double v) override { fovy.push_back(v); }
    void onAngularVelocityChanged(double v) override { angular.push_back(v); }
    void onThirdPersonChanged(bool on) override { third.push_back(on); }
    void onObstaclesChanged(bool on) override { obstacles.push_back(on); }
    void onGravityChanged(bool on) override { gravity.push_back(on); }
    void onEyeChanged(const osg::Vec3d&) override { ++eyes; }
};

osg::Geode* block(const osg::Vec3& minimum, const osg::Vec3& maximum)
{
    auto* geode = new osg::Geode;
    auto* box = new osg::Box((minimum + maximum) * 0.5f, maximum.x() - minimum.x(), maximum.y() - minimum.y(),
                             maximum.z() - minimum.z());
    geode->addDrawable(new osg::ShapeDrawable(box));
    return geode;
}

struct Walk
{
    Walk()
    {
        walker = new Vantor::WalkerManipulator;
        walker->setEyeHeight(1700.0);
        walker->setVelocity(2000.0);
        // Standing at the origin, level, looking along +Y.
        walker->setTransformation(osg::Vec3d(0, 0, 1700), osg::Vec3d(0, 1, 1700), osg::Vec3d(0, 0, 1));
        scene = new osg::Group;
        walker->setNode(scene.get());
    }

    // Holds the key for the time, in frames of 50 ms.
    void hold(int key, double seconds)
    {
        walker->handle(*queue->keyPress(key), actions);
        frames(seconds);
        walker->handle(*queue->keyRelease(key), actions);
    }
    void frames(double seconds)
    {
        const int n = int(seconds / 0.05 + 0.5);
        for (int i = 0; i <= n; ++i) {
            osg::ref_ptr<osgGA::GUIEventAdapter> frame = queue->frame(time);
            walker->handle(*frame, actions);
            time += 0.05;
        }
        time += 1.0; // idle: a walk that starts later must not make up for this time
    }
    osg::Vec3d eye() const
    {
        osg::Vec3d e, c, u;
        walker->getTransformation(e, c, u);
        return e;
    }

    osg::ref_ptr<Vantor::WalkerManipulator> walker;
    osg::ref_ptr<osg::Group> scene;
    osg::ref_ptr<osgGA::EventQueue> queue = new osgGA::EventQueue;
    NoActions actions;
    double time = 100.0;
};

} // namespace

TEST(WalkerManipulator, KeysMoveByVelocityTimesTimeAlongTheView)
{
    const struct
    {
        int key;
        osg::Vec3d direction;
    } cases[] = {
        {'w', {0, 1, 0}}, {osgGA::GUIEventAdapter::KEY_Up, {0, 1, 0}}, {'s', {0, -1, 0}},
        {'a', {-1, 0, 0}}, {osgGA::GUIEventAdapter::KEY_Right, {1, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        Walk w;
        const osg::Vec3d start = w.eye();
        w.hold(c.key, 0.5);
        EXPECT_NEAR((w.eye() - (start + c.direction * 1000.0)).length(), 0.0, 1e-6);
    }

    // Without gravity the walk follows the view up a slope too.
    Walk up;
    up.walker->setTransformation(osg::Vec3d(0, 0, 0), osg::Vec3d(0, 1, 1), osg::Vec3d(0, 0, 1));
    up.hold('w', 0.5);
    EXPECT_NEAR((up.eye() - unit(osg::Vec3d(0, 1, 1)) * 1000.0).length(), 0.0, 1e-6);

    // Q turns left at the angular velocity.
    Walk turning;
    turning.walker->setAngleVelocity(90.0);
    turning.hold('q', 1.0);
    EXPECT_NEAR((turning.walker->viewDirection() - osg::Vec3d(-1, 0, 0)).length(), 0.0, 1e-6);
}

TEST(WalkerManipulator, GravityKeepsTheEyeAboveTheFloorAndStepsUpAndDown)
{
    Walk w;
    w.scene->addChild(block({-5000, -5000, -100}, {5000, 20000, 0}));     // the floor, top at 0
    w.scene->addChild(block({-5000, 1500, 0}, {5000, 2500, 150}));        // a step of 150
    w.walker->setTransformation(osg::Vec3d(0, 0, 4000), osg::Vec3d(0, 1, 4000), osg::Vec3d(0, 0, 1));
    w.walker->setUseGravity(true);
    w.frames(0.1);
    EXPECT_NEAR(w.eye().z(), 1700.0, 1e-6); // fell onto the floor

    w.hold('w', 1.0); // y = 2000: on the step
    EXPECT_NEAR(w.eye().y(), 2000.0, 1e-6);
    EXPECT_NEAR(w.eye().z(), 1850.0, 1e-6);
    w.hold('w', 1.0); // y = 4000: down again
    EXPECT_NEAR(w.eye().z(), 1700.0, 1e-6);

    // Looking down does not dig into the floor: the walk stays level.
    w.walker->setTransformation(w.eye(), w.eye() + osg::Vec3d(0, 1, -1), osg::Vec3d(0, 0, 1));
    w.hold('w', 0.5);
    EXPECT_NEAR(w.eye().z(), 1700.0, 1e-6);
    EXPECT_NEAR(w.eye().y(), 5000.0, 1e-6);

    // Beyond the floor's edge there is nothing below: the height is kept.
    Walk edge;
    edge.walker->setUseGravity(true);
    edge.hold('w', 0.5);
    EXPECT_NEAR(edge.eye().z(), 1700.0, 1e-6);
}

TEST(WalkerManipulator, AsksForFramesWhileAKeyIsHeldAndNoneAfter)
{
    Walk w;
    w.scene->addChild(block({-5000, -5000, -100}, {5000, 20000, 0}));
    w.walker->setUseGravity(true);
    nerio_test::RedrawCounter actions;
    w.walker->handle(*w.queue->frame(w.time), actions);
    EXPECT_EQ(actions.asked, 0) << "standing still asks for nothing";

    w.walker->handle(*w.queue->keyPress('w'), actions);
    for (int i = 0; i < 5; ++i) {
        w.time += 0.05;
        w.walker->handle(*w.queue->frame(w.time), actions);
    }
    EXPECT_EQ(actions.asked, 5) << "each frame of the walk asks for the next";
    w.walker->handle(*w.queue->keyRelease('w'), actions);
    w.time += 0.05;
    w.walker->handle(*w.queue->frame(w.time), actions);
    EXPECT_EQ(actions.asked, 5);
    EXPECT_NEAR(w.eye().z(), 1700.0, 1e-6) << "gravity kept the walk on the floor";
}

TEST(WalkerManipulator, ObstaclesStopTheWalkShortOfAWall)
{
    for (bool obstacles : {true, false}) {
        SCOPED_TRACE(obstacles);
        Walk w;
        w.scene->addChild(block({-5000, 3000, 0}, {5000, 3100, 3000})); // a wall ahead
        w.walker->setUseObstacles(obstacles);
        w.hold('w', 2.0); // 4000 would go through it
        if (obstacles)
            EXPECT_NEAR(w.eye().y(), 3000.0 - w.walker->getObstacleMargin(), 1e-3);
        else
            EXPECT_NEAR(w.eye().y(), 4000.0, 1e-6);
    }
}

TEST(WalkerManipulator, ListenersHearEachChangeOnce)
{
    Walk w;
    osg::ref_ptr<RecordingListener> listener = new RecordingListener;
    w.walker->addListener(listener);
    w.walker->setVelocity(2500.0);
    w.walker->setVelocity(2500.0); // no change, nothing told
    w.walker->setVelocity(0.0);    // refused
    w.walker->setFovy(45.0);
    w.walker->setAngleVelocity(20.0);
    w.walker->setUseThridpersonView(true);
    w.walker->setUseObstacles(true);
    w.walker->setUseGravity(true);
    w.walker->setUseGravity(false);
    EXPECT_EQ(listener->velocity, std::vector<double>{2500.0});
    EXPECT_EQ(listener->fovy, std::vector<double>{45.0});
    EXPECT_EQ(listener->angular, std::vector<double>{20.0});
    EXPECT_EQ(listener->third, std::vector<bool>{true});
    EXPECT_EQ(listener->obstacles, std::vector<bool>{true});
    EXPECT_EQ(listener->gravity, (std::vector<bool>{true, false}));
    const int eyes = listener->eyes;
    w.hold('w', 0.2);
    EXPECT_GT(listener->eyes, eyes);

    // The wheel makes the walk faster and slower, and says so.
    w.walker->handle(*w.queue->mouseScroll(osgGA::GUIEventAdapter::SCROLL_UP), w.actions);
    EXPECT_DOUBLE_EQ(w.walker->getVelocity(), 2500.0 * 1.25);
    EXPECT_DOUBLE_EQ(listener->velocity.back(), 2500.0 * 1.25);
}

TEST(WalkerManipulator, ThirdPersonShowsTheAvatarAheadOfTheCamera)
{
    Walk w;
    osg::ref_ptr<osg::Camera> camera = new osg::Camera;
    w.walker->setUseThridpersonView(true);
    w.walker->updateCamera(*camera);
    ASSERT_EQ(camera->getNumChildren(), 1u);
    EXPECT_EQ(camera->getChild(0), w.walker->getAvatar());
    // The camera is behind and above the walker, still looking the walker's way.
    const osg::Vec3d cameraEye = osg::Matrixd::inverse(camera->getViewMatrix()).getTrans();
    EXPECT_LT(cameraEye.y(), 0.0);
    EXPECT_GT(cameraEye.z(), 1700.0);
    // The avatar's feet stand below the eye, at the walker's place.
    const osg::Vec3d feet = w.walker->getAvatar()->getMatrix().getTrans();
    EXPECT_NEAR((feet - osg::Vec3d(0, 0, 0)).length(), 0.0, 1e-6);

    w.walker->setUseThridpersonView(false);
    EXPECT_EQ(camera->getNumChildren(), 0u);
    w.walker->updateCamera(*camera);
    EXPECT_NEAR((osg::Matrixd::inverse(camera->getViewMatrix()).getTrans() - w.eye()).length(), 0.0, 1e-9);
}

TEST(WalkerManipulator, HomeIsTheStateSetAsHome)
{
    Walk w;
    w.hold('w', 0.5);
    w.walker->SetCurrentStateAsHomePosition();
    const osg::Vec3d home = w.eye();
    w.hold('d', 0.5);
    EXPECT_GT((w.eye() - home).length(), 100.0);
    w.walker->home(0.0);
    EXPECT_NEAR((w.eye() - home).length(), 0.0, 1e-9);
}

TEST(WalkerHuman, EyeHeightFollowsTheBodyAndTheSmartChoice)
{
    Vantor::WalkerHuman::setHumanBodyLength(1800.0f);
    Vantor::WalkerHuman::setSartSelectBodyLength(false);
    EXPECT_NEAR(Vantor::WalkerHuman::eyeHeightFor(100.0), 1800.0 * Vantor::WalkerHuman::EyeRatio, 1e-9);
    Vantor::WalkerHuman::setSartSelectBodyLength(true);
    EXPECT_NEAR(Vantor::WalkerHuman::eyeHeightFor(100.0), 25.0, 1e-9); // a small part
    EXPECT_NEAR(Vantor::WalkerHuman::eyeHeightFor(1e6), 1800.0 * Vantor::WalkerHuman::EyeRatio, 1e-9);
    Vantor::WalkerHuman::setHumanBodyLength(-5.0f); // refused
    EXPECT_EQ(Vantor::WalkerHuman::getHumanBodyLength(), 1800.0f);
    Vantor::WalkerHuman::setSartSelectBodyLength(false);
}
