#include "PickingRig.h"

#include "vantor/math/Plane.h"

#include <gtest/gtest.h>

#include <osg/ApplicationUsage>

#include <QSignalSpy>
#include <QTest>

using rig::Rig;
using GEA = osgGA::GUIEventAdapter;

namespace {

const osg::Vec2d Empty(0.8, 0.8); // nothing of the model there

void expectNdc(const osg::Vec2d& actual, const osg::Vec2d& expected, double tolerance, const char* what)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance) << what;
    EXPECT_NEAR(actual.y(), expected.y(), tolerance) << what;
}

// The point where the ray under a normalised position meets the plane through the orbit centre
// facing the eye.
osg::Vec3d onFocalPlane(Rig& r, const osg::Vec2d& n)
{
    osg::Vec3d eye, center, up;
    r.handler->getTransformation(eye, center, up);
    const osg::Matrixd inverse =
        osg::Matrixd::inverse(r.view->getCamera()->getViewMatrix() * r.view->getCamera()->getProjectionMatrix());
    const osg::Vec3d a = osg::Vec3d(n.x(), n.y(), -1.0) * inverse;
    const osg::Vec3d b = osg::Vec3d(n.x(), n.y(), 1.0) * inverse;
    return Vantor::Plane::MakeFromNormalAndPoint(center - eye, center).GetInsectPointIgnoreDirection(a, b);
}

} // namespace

// ---------------------------------------------------------------- selection by click, hover, rectangle

struct ClickCase
{
    const char* name;
    bool ctrl;
    enum Target { EmptySpace, PartA, PartB, NoteOverB, DragOnB } target;
    bool cutAwayA;          // an open section cuts part A away (the ray then reaches C behind it)
    bool withoutAnnotations; // the scene lacks its top-show node
    std::vector<std::string> expected;
};

class ClickSelection : public ::testing::TestWithParam<ClickCase>
{
};

TEST_P(ClickSelection, LeftReleaseSelectsWhatIsUnderTheCursor)
{
    const ClickCase& c = GetParam();
    Rig r;
    if (c.withoutAnnotations)
        r.nodeScene->removeChild(r.appendData.get());
    if (c.cutAwayA) {
        r.handler->setSectionStateSource([&r](std::vector<osg::Plane>& planes, Vantor::ObserverNodeList& clipped) {
            planes.push_back(osg::Plane(0, 1, 0, -2)); // keeps y >= 2
            clipped.push_back(r.partA.get());
            clipped.push_back(r.partC.get());
        });
    }
    r.modifiers = c.ctrl ? Qt::ControlModifier : Qt::NoModifier;

    osg::Vec2d at = Empty;
    switch (c.target) {
    case ClickCase::PartA: at = r.ndc(osg::Vec3d(-2, 0, 0)); break;
    case ClickCase::PartB:
    case ClickCase::DragOnB: at = r.ndc(osg::Vec3d(2, 0, 0)); break;
    case ClickCase::NoteOverB: at = r.ndc(osg::Vec3d(2.2, 6, 0.2)); break;
    default: break;
    }
    r.press(at);
    if (c.target == ClickCase::DragOnB) {
        r.move(at + osg::Vec2d(0.1, 0.0));
        r.move(at + osg::Vec2d(0.2, 0.0));
        r.release(at + osg::Vec2d(0.2, 0.0));
    } else {
        r.release(at);
    }
    EXPECT_EQ(r.selection->selectionCalls(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClickSelection,
    ::testing::Values(
        ClickCase{"Empty", false, ClickCase::EmptySpace, false, false, {"clear"}},
        ClickCase{"EmptyWithCtrl", true, ClickCase::EmptySpace, false, false, {"clear"}},
        ClickCase{"Hit", false, ClickCase::PartA, false, false, {"clear", "select:A"}},
        ClickCase{"HitWithCtrlAdds", true, ClickCase::PartB, false, false, {"select:B"}},
        ClickCase{"AnnotationBehindAPartWins", false, ClickCase::NoteOverB, false, false, {"clear", "select:note"}},
        ClickCase{"SectionCutsAwayTheFrontPart", false, ClickCase::PartA, true, false, {"clear", "select:C"}},
        ClickCase{"LeftDragSelectsNothing", false, ClickCase::DragOnB, false, false, {}},
        // The rectangle replaces the selection with what lies inside it.
        ClickCase{"CtrlDragReplacesSelection", true, ClickCase::DragOnB, false, false, {"clear", "selectList:1"}},
        ClickCase{"NoPicksWithoutBothSceneNodes", false, ClickCase::PartA, false, true, {}}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST(PickingHandler, HoverPreSelectsAndWheelBlocksItUntilIdle)
{
    Rig r;
    const osg::Vec2d onA = r.ndc(osg::Vec3d(-2, 0, 0));
    r.move(onA);
    r.move(Empty);
    EXPECT_EQ(r.selection->calls, (std::vector<std::string>{"pre:A", "clearPre"}));

    r.selection->calls.clear();
    r.handler->setRestIntervals(60000, 60000);
    r.scroll(GEA::SCROLL_DOWN, Empty);
    EXPECT_EQ(r.window->lastCursor(), PickingHandler::ZoomCursor);
    r.selection->calls.clear();
    r.move(onA); // still zooming
    EXPECT_TRUE(r.handler->isWheelZooming());
    EXPECT_TRUE(r.selection->calls.empty());

    // The next step restarts the idle time: the short rest ends where the first step's would last a minute.
    r.handler->setRestIntervals(20, 20);
    r.scroll(GEA::SCROLL_DOWN, Empty);
    r.selection->calls.clear();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !r.handler->isWheelZooming(); }, 5000));
    EXPECT_EQ(r.window->lastCursor(), PickingHandler::ArrowCursor);
    r.move(r.ndc(osg::Vec3d(-2, 0, 0))); // the zoom moved A on screen
    EXPECT_EQ(r.selection->calls, (std::vector<std::string>{"pre:A"}));
}

TEST(PickingHandler, WheelSignalsFollowTheHelperAndInverseSettings)
{
    struct Case
    {
        bool helper, inverse;
        GEA::ScrollingMotion motion;
        int in, out;
    } cases[] = {
        {false, false, GEA::SCROLL_UP, 0, 0},  {true, false, GEA::SCROLL_UP, 1, 0},
        {true, false, GEA::SCROLL_DOWN, 0, 1}, {true, true, GEA::SCROLL_UP, 0, 1},
        {true, true, GEA::SCROLL_DOWN, 1, 0},
    };
    for (const Case& c : cases) {
        Rig r;
        r.handler->displayTrackballHelper = c.helper;
        r.handler->inverseMouseWheel = c.inverse;
        QSignalSpy in(r.handler.get(), SIGNAL(zoomViewIn()));
        QSignalSpy out(r.handler.get(), SIGNAL(zoomViewOut()));
        const double before = r.handler->getDistance();
        r.scroll(c.motion, osg::Vec2d(0, 0));
        SCOPED_TRACE(testing::Message() << "helper " << c.helper << " inverse " << c.inverse << " up "
                                        << (c.motion == GEA::SCROLL_UP));
        EXPECT_EQ(in.count(), c.in);
        EXPECT_EQ(out.count(), c.out);
        // The zoom itself is the standard wheel's, whatever the signal says.
        EXPECT_NEAR(r.handler->getDistance(), before * (c.motion == GEA::SCROLL_UP ? 1.1 : 0.9), 1e-6);
    }
}

TEST(PickingHandler, CursorPerGesture)
{
    struct Case
    {
        int button;
        int mode;
        int expected;
    } cases[] = {{1, 0, 24}, {1, 1, 25}, {1, 2, 23}, {1, 7, 2}, {2, 0, 23}, {3, 0, 25}};
    for (const Case& c : cases) {
        Rig r;
        r.handler->mouseMode = c.mode;
        const osg::Vec2d at(0.1, 0.1);
        r.press(at, c.button);
        r.move(at + osg::Vec2d(0.05, 0));
        EXPECT_EQ(r.window->lastCursor(), c.expected) << "button " << c.button << " mode " << c.mode;
        r.release(at + osg::Vec2d(0.05, 0), c.button);
        EXPECT_EQ(r.window->lastCursor(), PickingHandler::ArrowCursor);
    }
}

// ---------------------------------------------------------------- rotation centre

TEST(PickingHandler, LeftPressPicksTheRotationCentreAndTheTipShowsItWhileDragging)
{
    Rig r;
    const osg::Vec2d onB = r.ndc(osg::Vec3d(2.5, 0, 0.5));
    osg::Vec3d expected;
    ASSERT_TRUE(r.worldUnder(onB, expected));
    r.press(onB);
    EXPECT_NEAR((r.handler->getRotationCenter() - expected).length(), 0.0, 1e-6);
    EXPECT_EQ(r.handler->getRotationCenterTip(), nullptr); // built on the first drag

    r.move(onB + osg::Vec2d(0.05, 0));
    osg::ref_ptr<osg::MatrixTransform> tip = r.handler->getRotationCenterTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->getName(), "ROTATIONCENTERTIP");
    EXPECT_EQ(r.temp->getSubNodeByName("ROTATIONCENTERTIP"), tip.get());
    EXPECT_EQ(tip->getNodeMask(), 0xffffffffu);
    EXPECT_NEAR((tip->getMatrix().getTrans() - expected).length(), 0.0, 1e-6);
    r.release(onB + osg::Vec2d(0.05, 0));
    EXPECT_EQ(tip->getNodeMask(), 0u);

    // Empty space: the centre of the model box.
    r.press(Empty);
    EXPECT_NEAR((r.handler->getRotationCenter() - r.sceneView.box.center()).length(), 0.0, 1e-9);
    r.release(Empty);

    // A new document drops the tip; the next drag builds one in the new scene, and a cleared
    // temporary-node manager gets its tip back.
    r.handler->setNode(r.sceneGroup.get());
    EXPECT_EQ(r.handler->getRotationCenterTip(), nullptr);
    r.temp->ClearTempNode();
    r.press(onB);
    r.move(onB + osg::Vec2d(0.05, 0));
    ASSERT_NE(r.handler->getRotationCenterTip(), nullptr);
    EXPECT_NE(r.handler->getRotationCenterTip(), tip.get());
    EXPECT_EQ(r.temp->getNumChildren(), 1u);
    r.release(onB + osg::Vec2d(0.05, 0));
    r.temp->ClearTempNode();
    r.press(onB);
    r.move(onB + osg::Vec2d(0.05, 0));
    EXPECT_EQ(r.temp->getSubNodeByName("ROTATIONCENTERTIP"), r.handler->getRotationCenterTip());
}

TEST(PickingHandler, WithoutTopModelOrTempManagerNothingIsPickedOrShown)
{
    Rig r;
    r.nodeScene->removeChild(r.top.get());
    r.spin->removeChild(r.temp.get());
    r.handler->setNode(r.sceneGroup.get());
    const osg::Vec3d before = r.handler->getRotationCenter();
    r.press(osg::Vec2d(0, 0));
    r.move(osg::Vec2d(0.1, 0));
    r.release(osg::Vec2d(0.1, 0));
    EXPECT_EQ(r.handler->getRotationCenter(), before);
    EXPECT_EQ(r.handler->getRotationCenterTip(), nullptr);
    r.click(osg::Vec2d(0, 0));
    EXPECT_TRUE(r.selection->selectionCalls().empty()); // no scene node pair: no picks at all
}

// ---------------------------------------------------------------- camera numerics

class CameraNumerics : public ::testing::TestWithParam<bool> // true: perspective
{
protected:
    void SetUp() override
    {
        r.handler->setNode(r.sceneGroup.get());
        r.handler->setPerpectiveCamera(GetParam());
        r.lookFrom(osg::Vec3d(3, -20, 4), osg::Vec3d(0, 0, 0));
    }
    Rig r;
};

TEST_P(CameraNumerics, RotationKeepsThePickedCentreFixedOnScreen)
{
    const osg::Vec2d onB = r.ndc(osg::Vec3d(2.5, -1, 0.3));
    r.press(onB);
    const osg::Vec3d centre = r.handler->getRotationCenter();
    const osg::Vec2d fixed = r.ndc(centre);
    const osg::Quat start = r.handler->getRotation();
    for (int i = 1; i <= 5; ++i) {
        r.move(onB + osg::Vec2d(0.04 * i, -0.03 * i));
        expectNdc(r.ndc(centre), fixed, 1e-6, "during the drag");
    }
    r.release(onB + osg::Vec2d(0.2, -0.15));
    expectNdc(r.ndc(centre), fixed, 1e-6, "after the release");
    EXPECT_GT((r.handler->getRotation().asVec4() - start.asVec4()).length(), 0.05);
    // The parallel eye stays 3.5 model sizes back and the centre does not slide along the line of sight.
    if (!GetParam()) {
        EXPECT_NEAR((r.eye() - r.handler->getCenter()).length(), 3.5 * r.handler->getSceneRadius(), 1e-6);
    }
}

TEST_P(CameraNumerics, WheelZoomKeepsThePointUnderTheCursor)
{
    const osg::Vec2d cursor(0.45, -0.3);
    for (auto motion : {GEA::SCROLL_DOWN, GEA::SCROLL_DOWN, GEA::SCROLL_UP}) {
        r.move(cursor);
        const osg::Vec3d grabbed = onFocalPlane(r, cursor);
        const double distance = r.handler->getDistance();
        r.scroll(motion, cursor);
        EXPECT_NEAR(r.handler->getDistance(), distance * (motion == GEA::SCROLL_UP ? 1.1 : 0.9), 1e-6);
        expectNdc(r.ndc(grabbed), cursor, 1e-6, "grabbed point");
    }
    if (!GetParam()) {
        EXPECT_NEAR((r.eye() - r.handler->getCenter()).length(), 3.5 * r.handler->getSceneRadius(), 1e-6);
    }
}

TEST_P(CameraNumerics, PanKeepsTheGrabbedPointUnderTheCursor)
{
    // The left button in pan mode, which grabs its own point, and the middle button.
    for (int button : {1, 2}) {
        SCOPED_TRACE(button == 2 ? "middle" : "left in pan mode");
        r.handler->mouseMode = PickingHandler::Pan;
        const osg::Vec2d start = r.ndc(osg::Vec3d(2.5, -1, 0.3));
        osg::Vec3d grabbed;
        ASSERT_TRUE(r.worldUnder(start, grabbed));
        const osg::Vec3d centre = r.handler->getCenter();
        const osg::Vec3d forward = r.handler->getRotation() * osg::Vec3d(0, 0, -1);
        const osg::Vec3d anchorBefore = r.handler->getPanAnchor();
        r.press(start, button);
        osg::Vec3d followed = grabbed; // in parallel projection every point moves alike
        if (GetParam()) {
            // The anchor is taken at the whole pixel under the cursor.
            EXPECT_NEAR((r.handler->getPanAnchor() - grabbed).length(), 0.0, 0.05);
            followed = r.handler->getPanAnchor();
        } else {
            EXPECT_EQ(r.handler->getPanAnchor(), anchorBefore);
        }
        const osg::Vec2d followedStart = r.ndc(followed);
        for (int i = 1; i <= 4; ++i) {
            const osg::Vec2d cursor = start + osg::Vec2d(-0.1 * i, 0.07 * i);
            r.move(cursor);
            expectNdc(r.ndc(followed) - followedStart, cursor - start, 1e-6, "grabbed point");
        }
        r.release(start + osg::Vec2d(-0.4, 0.28), button);
        // Panning moves across the line of sight only.
        EXPECT_NEAR((r.handler->getCenter() - centre) * forward, 0.0, 1e-6);
    }
}

TEST_P(CameraNumerics, BelowTheMinimumDistance)
{
    const bool perspective = GetParam();
    for (bool overModel : {false, true}) {
        SCOPED_TRACE(overModel ? "over the model" : "over empty space");
        r.lookFrom(osg::Vec3d(0, -20, 0), osg::Vec3d(0, 0, 0));
        r.handler->setDistance(0.011);
        r.refreshCamera();
        // So close to the centre only the middle of the view shows: C's front face lies there.
        const osg::Vec2d cursor = overModel ? r.ndc(osg::Vec3d(-1.5, 5, 0)) : Empty;
        osg::Vec3d picked;
        ASSERT_EQ(r.worldUnder(cursor, picked), overModel);
        const osg::Vec3d eye = osg::Vec3d() * r.handler->osgGA::TrackballManipulator::getMatrix();
        const osg::Vec3d centre = r.handler->getCenter();
        r.scroll(GEA::SCROLL_DOWN, cursor); // 0.011 * 0.9 < 0.01
        if (perspective) {
            // The centre goes forward, the eye stays.
            const osg::Vec3d eyeAfter = osg::Vec3d() * r.handler->getMatrix();
            EXPECT_NEAR((eyeAfter - eye).length(), 0.0, 1e-9);
            // Over the model: the centre moves as far as it lies from the picked depth under the cursor.
            const double step = overModel ? (centre - picked).length() : r.handler->getSceneRadius() / 100.0;
            EXPECT_NEAR((r.handler->getCenter() - centre).length(), step, 1e-6);
            EXPECT_NEAR(r.handler->getDistance(), 0.011 + step, 1e-6);
            EXPECT_GT(r.handler->getCenter().y(), centre.y());
        } else {
            EXPECT_DOUBLE_EQ(r.handler->getDistance(), 0.01);
            EXPECT_EQ(r.handler->getCenter(), centre);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Projections, CameraNumerics, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Perspective" : "Parallel");
                         });

TEST(PickingHandler, RotationTurnsTheModelWithTheMouse)
{
    Rig r;
    r.handler->setNode(r.sceneGroup.get());
    r.sceneView.box = osg::BoundingBoxd(-1, -1, -1, 1, 1, 1); // centre at the orbit centre
    r.press(Empty);
    ASSERT_EQ(r.handler->getRotationCenter(), osg::Vec3d(0, 0, 0));
    const osg::Vec3d front(0, -1, 0); // the side facing the camera
    const osg::Vec2d before = r.ndc(front);
    r.move(Empty + osg::Vec2d(0.05, 0));
    EXPECT_GT(r.ndc(front).x(), before.x()); // dragging right turns the front to the right
    EXPECT_NEAR(r.ndc(front).y(), before.y(), 1e-6);
    r.release(Empty + osg::Vec2d(0.05, 0));
}

TEST(PickingHandler, ParallelEyeStandsThreePointFiveModelSizesBack)
{
    Rig r;
    r.handler->setNode(r.sceneGroup.get());
    const double size = r.handler->getSceneRadius();
    ASSERT_NEAR(size, r.top->getBound().radius(), 1e-9); // the model's size, not the scene's
    r.handler->setPerpectiveCamera(false);
    for (double distance : {0.5, 20.0, 400.0}) {
        r.handler->setDistance(distance);
        r.refreshCamera();
        const osg::Matrixd inverse = r.handler->getInverseMatrix();
        EXPECT_NEAR((r.handler->getCenter() * inverse).length(), 3.5 * size, 1e-9);
        const osg::Vec3d p(1, 2, 3);
        EXPECT_NEAR((p * inverse * r.handler->getMatrix() - p).length(), 0.0, 1e-9);
        // The orbit distance sizes the parallel box instead.
        double left, right, bottom, topEdge, zNear, zFar;
        ASSERT_TRUE(r.view->getCamera()->getProjectionMatrixAsOrtho(left, right, bottom, topEdge, zNear, zFar));
        EXPECT_NEAR(topEdge, distance * std::tan(osg::DegreesToRadians(r.handler->getFovy()) / 2), 1e-9);
    }
    // Setting the matrix back keeps the centre where it was.
    const osg::Vec3d centre = r.handler->getCenter();
    r.handler->setByMatrix(r.handler->getMatrix());
    EXPECT_NEAR((r.handler->getCenter() - centre).length(), 0.0, 1e-9);
}

// ---------------------------------------------------------------- keys, timers, camera operations

TEST(PickingHandler, KeysAndFiltering)
{
    Rig r;
    r.handler->setHomePosition(osg::Vec3d(0, -30, 0), osg::Vec3d(0, 0, 0), osg::Vec3d(0, 0, 1));
    r.handler->setAutoComputeHomePosition(false);
    auto key = [](GEA::EventType type, int k) {
        osg::ref_ptr<GEA> e = new GEA;
        e->setEventType(type);
        e->setKey(k);
        return e;
    };

    r.lookFrom(osg::Vec3d(5, -10, 3), osg::Vec3d(1, 0, 0));
    osg::ref_ptr<GEA> space = key(GEA::KEYDOWN, GEA::KEY_Space);
    space->setHandled(true);
    EXPECT_FALSE(r.handler->handle(*space, *r.view)); // already handled: left alone
    EXPECT_NEAR((r.eye() - osg::Vec3d(5, -10, 3)).length(), 0.0, 1e-9);
    struct Adapter : osgGA::GUIActionAdapter
    {
        void requestRedraw() override {}
        void requestContinuousUpdate(bool) override {}
        void requestWarpPointer(float, float) override {}
    } adapter;
    EXPECT_FALSE(r.handler->handle(*key(GEA::KEYDOWN, GEA::KEY_Space), adapter));
    EXPECT_NEAR((r.eye() - osg::Vec3d(5, -10, 3)).length(), 0.0, 1e-9);

    EXPECT_TRUE(r.handler->handle(*key(GEA::KEYDOWN, GEA::KEY_Space), *r.view));
    EXPECT_NEAR((r.eye() - osg::Vec3d(0, -30, 0)).length(), 0.0, 1e-9);
    EXPECT_TRUE(r.handler->handle(*key(GEA::KEYDOWN, GEA::KEY_Control_L), *r.view));
    EXPECT_TRUE(r.handler->handle(*key(GEA::KEYDOWN, GEA::KEY_Control_R), *r.view));
    EXPECT_TRUE(r.handler->handle(*key(GEA::KEYUP, GEA::KEY_Control_L), *r.view));
    EXPECT_FALSE(r.handler->handle(*key(GEA::KEYDOWN, 'a'), *r.view));

    osg::ref_ptr<osg::ApplicationUsage> usage = new osg::ApplicationUsage;
    r.handler->getUsage(*usage);
    const auto& bindings = usage->getKeyboardMouseBindings();
    ASSERT_EQ(bindings.count("PickingHandler: Space"), 1u);
    EXPECT_EQ(bindings.at("PickingHandler: Space"), "Reset the viewing position to home");
    EXPECT_EQ(bindings.count("PickingHandler: Shift"), 1u);
}

TEST(PickingHandler, FastInteractionCullsMoreUntilHalfASecondAfterTheLastEvent)
{
    Rig r;
    const float normal = Vantor::NerioViewerManipulatorState::SmallFeatureCullSize;
    osg::Camera* camera = r.view->getCamera();
    camera->setSmallFeatureCullingPixelSize(normal);
    r.handler->setRestIntervals(60000, 60000);
    r.press(osg::Vec2d(0, 0));
    EXPECT_FLOAT_EQ(camera->getSmallFeatureCullingPixelSize(), 3 * normal);
    r.release(osg::Vec2d(0, 0));
    EXPECT_FLOAT_EQ(camera->getSmallFeatureCullingPixelSize(), 3 * normal);
    // The next event restarts the timer: the short rest ends where the press's would last a minute.
    r.handler->setRestIntervals(20, 20);
    r.scroll(GEA::SCROLL_UP, osg::Vec2d(0, 0));
    EXPECT_FLOAT_EQ(camera->getSmallFeatureCullingPixelSize(), 3 * normal);
    EXPECT_TRUE(QTest::qWaitFor([&] { return camera->getSmallFeatureCullingPixelSize() == normal; }, 5000));
}

TEST(PickingHandler, FitToNodes)
{
    Rig r;
    const osg::BoundingBoxd box = Vantor::OsgHelper::getNodeWorldBoundingBox(r.partB.get());
    const double reach = 3.5 * double(float(box.radius()));
    struct Case
    {
        const char* name;
        osg::Vec3d eye, center;
        NodePtrList nodes;
        bool moves;
        osg::Vec3d direction; // unit, from the box centre to the new eye
    };
    const Case cases[] = {
        {"keeps the eye's side", osg::Vec3d(2, -10, 0), osg::Vec3d(0, 0, 0), {r.partB}, true, osg::Vec3d(0, -1, 0)},
        {"eye at the box centre keeps the view direction", osg::Vec3d(2, 0, 0), osg::Vec3d(2, 5, 0), {r.partB},
         true, osg::Vec3d(0, -1, 0)},
        {"empty list", osg::Vec3d(0, -20, 0), osg::Vec3d(), {}, false, {}},
        {"nothing drawable", osg::Vec3d(0, -20, 0), osg::Vec3d(), {new osg::Group}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r.lookFrom(c.eye, c.center);
        const osg::Matrixd before = r.handler->getMatrix();
        r.handler->fitToNodes(c.nodes);
        const osg::Matrixd after = r.handler->getMatrix();
        for (int i = 0; i < 16; ++i)
            ASSERT_TRUE(std::isfinite(after.ptr()[i]));
        if (!c.moves) {
            EXPECT_EQ(after, before);
            continue;
        }
        EXPECT_NEAR((r.handler->getCenter() - box.center()).length(), 0.0, 1e-9);
        EXPECT_NEAR((r.eye() - (box.center() + c.direction * reach)).length(), 0.0, 1e-6);
    }
}

TEST(PickingHandler, CameraInfoRoundTripAndTurnAboutTheScene)
{
    Rig r;
    r.lookFrom(osg::Vec3d(4, -12, 6), osg::Vec3d(1, 0, 0));
    const Vantor::AnimationCameraInfo saved = r.handler->getCameraInfo();
    EXPECT_TRUE(saved.perpectiveCamera);
    EXPECT_NEAR(saved.distance, (osg::Vec3d(4, -12, 6) - osg::Vec3d(1, 0, 0)).length(), 1e-9);

    r.handler->setPerpectiveCamera(false);
    r.lookFrom(osg::Vec3d(-7, 3, 2), osg::Vec3d(0, 1, 0));
    r.handler->setCameraInfo(saved, false);
    EXPECT_TRUE(r.handler->getPerpectiveCamera());
    EXPECT_NEAR((r.eye() - osg::Vec3d(4, -12, 6)).length(), 0.0, 1e-9);

    // Turning about the scene: the saved orientation, reached by turning about the box centre.
    r.lookFrom(osg::Vec3d(-7, 3, 2), osg::Vec3d(0, 1, 0));
    const osg::Vec3d pivot = r.sceneView.box.center();
    r.handler->setDistance(saved.distance);
    r.handler->setCenter(saved.center);
    const osg::Vec3d pivotInEye = pivot * r.handler->getInverseMatrix();
    r.lookFrom(osg::Vec3d(-7, 3, 2), osg::Vec3d(0, 1, 0));
    r.handler->setCameraInfo(saved, true);
    const osg::Quat q = r.handler->getRotation();
    EXPECT_NEAR(std::fabs(q.asVec4() * saved.rotation.asVec4()), 1.0, 1e-9);
    EXPECT_NEAR((pivot * r.handler->getInverseMatrix() - pivotInEye).length(), 0.0, 1e-9);
}

// ---------------------------------------------------------------- inside the scene view

#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/section/SectionManager.h"

TEST(PickingHandlerInSceneView, PicksTheModelOnlyAndTakesTheSectionsOfTheSceneModel)
{
    SceneModel model;
    SceneView view;
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    top->setName("Top");
    top->addChild(rig::makePart("A", osg::Vec3(-2, 0, 0), 1).get());
    top->addChild(rig::makePart("B", osg::Vec3(2, 0, 0), 1).get());
    model.setModel(top.get());
    view.setSceneModel(&model);
    view.setGridShow(true); // the grid's see-through plane stands behind the model
    view.updateGrid();

    osg::ref_ptr<PickingHandler> handler = view.getPickingHandler();
    handler->setNode(view.getSceneGroup());
    handler->setTransformation(osg::Vec3d(0, -20, 0), osg::Vec3d(), osg::Vec3d(0, 0, 1));
    osg::Camera* camera = view.getView()->getCamera();
    handler->updateCamera(*camera);
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    handler->setKeyboardModifiersSource([&modifiers] { return modifiers; });

    auto* window = dynamic_cast<osgViewer::GraphicsWindow*>(camera->getGraphicsContext());
    ASSERT_NE(window, nullptr);
    osgGA::EventQueue* queue = window->getEventQueue();
    const osg::Viewport* viewport = camera->getViewport();
    const float w = float(viewport->width()), h = float(viewport->height());
    queue->windowResize(0, 0, int(w), int(h));
    auto at = [&](const osg::Vec3d& world) {
        const osg::Vec3d n = world * camera->getViewMatrix() * camera->getProjectionMatrix();
        return osg::Vec2f(float((n.x() + 1) * 0.5 * (w - 1)), float((h - 1) - (n.y() + 1) * 0.5 * (h - 1)));
    };
    auto run = [&] {
        view.advance();
        view.eventTraversal();
        handler->updateCamera(*camera);
    };

    // Beside the model the backdrop, background, grid and signs are not picked: the box centre is.
    const osg::Vec2f empty = at(osg::Vec3d(0, 0, 3));
    queue->mouseButtonPress(empty.x(), empty.y(), 1);
    run();
    EXPECT_NEAR((handler->getRotationCenter() - view.getSceneBoundingBox().center()).length(), 0.0, 1e-9);
    queue->mouseButtonRelease(empty.x(), empty.y(), 1);
    run();

    // On the model: the point of its front face; the tip goes into the scene model's temporary nodes.
    const osg::Vec2f onB = at(osg::Vec3d(2.4, -1, 0.3));
    queue->mouseButtonPress(onB.x(), onB.y(), 1);
    run();
    EXPECT_NEAR(handler->getRotationCenter().y(), -1.0, 1e-6);
    EXPECT_NEAR(handler->getRotationCenter().x(), 2.4, 0.1);
    queue->mouseMotion(onB.x() + 5, onB.y());
    run();
    ASSERT_NE(handler->getRotationCenterTip(), nullptr);
    EXPECT_EQ(model.getTempNodeManager()->getSubNodeByName("ROTATIONCENTERTIP"), handler->getRotationCenterTip());
    queue->mouseButtonRelease(onB.x() + 5, onB.y(), 1);
    run();

    // A Ctrl rectangle hands the open sections of the scene model to the frame picker.
    osg::ref_ptr<Vantor::SectionManager> sections = model.getSectionManager();
    osg::ref_ptr<Vantor::Section> section = new Vantor::Section;
    section->setPlane(osg::Plane(0, 1, 0, -0.5));
    sections->InsertSection(section, -1);
    sections->OpenSection(section);
    modifiers = Qt::ControlModifier;
    queue->mouseButtonPress(10, 10, 1);
    run();
    queue->mouseMotion(40, 40);
    run();
    queue->mouseButtonRelease(40, 40, 1);
    run();
    const std::vector<osg::Plane>& planes = handler->getFramePicker()->getClipPlanes();
    ASSERT_EQ(planes.size(), 1u);
    EXPECT_EQ(planes.front().asVec4(), osg::Plane(0, 1, 0, -0.5).asVec4());
    EXPECT_EQ(handler->getFramePicker()->getClipedModels().count(top.get()), 1u);
}
