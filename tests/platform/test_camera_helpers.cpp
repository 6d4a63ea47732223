#include "vantor/command/MouseState.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/math/Plane.h"

#include <gtest/gtest.h>

#include <osg/Camera>

#include <cmath>

using Vantor::Plane;

TEST(Plane, LineMeetsPlaneWhicheverWayItRuns)
{
    const Plane plane = Plane::MakeFromNormalAndPoint(osg::Vec3d(0, 0, 4), osg::Vec3d(1, 2, 3)); // z = 3
    ASSERT_TRUE(plane.isValid());
    EXPECT_NEAR(plane.getNormal().length(), 1.0, 1e-15);
    EXPECT_NEAR(plane.distance(osg::Vec3d(7, 7, 5)), 2.0, 1e-12);

    struct Case
    {
        const char* name;
        osg::Vec3d a, b;
        bool met;
        osg::Vec3d expected;
    } cases[] = {
        {"between", {0, 0, 0}, {0, 0, 6}, true, {0, 0, 3}},
        {"beyond b", {1, 1, 0}, {2, 1, 1}, true, {4, 1, 3}},
        {"behind a", {0, 0, 5}, {0, 1, 6}, true, {0, -2, 3}},
        {"parallel: the foot of a", {1, 1, 1}, {5, 1, 1}, false, {1, 1, 3}},
        {"a equals b", {2, 2, 2}, {2, 2, 2}, false, {2, 2, 3}},
    };
    for (const Case& c : cases) {
        bool met = !c.met;
        const osg::Vec3d p = plane.GetInsectPointIgnoreDirection(c.a, c.b, &met);
        EXPECT_EQ(met, c.met) << c.name;
        EXPECT_NEAR((p - c.expected).length(), 0.0, 1e-12) << c.name;
    }

    // No normal, no plane: the line point comes back unchanged.
    const Plane none = Plane::MakeFromNormalAndPoint(osg::Vec3d(), osg::Vec3d(1, 2, 3));
    EXPECT_FALSE(none.isValid());
    bool met = true;
    EXPECT_EQ(none.GetInsectPointIgnoreDirection(osg::Vec3d(1, 1, 1), osg::Vec3d(0, 0, 9), &met), osg::Vec3d(1, 1, 1));
    EXPECT_FALSE(met);
}

TEST(MouseState, StillWithinFourPixelsAndSingleClick)
{
    struct Case
    {
        const char* name;
        std::vector<osg::Vec3> moves;
        bool still;
    } cases[] = {
        {"no move", {}, true},
        {"jitter of three pixels", {{3, 0, 0}, {-2, 2, 0}}, true},
        {"five pixels", {{5, 0, 0}}, false},
        {"away and back", {{10, 0, 0}, {0, 0, 0}}, false},
    };
    for (const Case& c : cases) {
        Vantor::MouseState state;
        const osg::Vec3 origin(100, 80, 0);
        state.onMouseDown(origin);
        for (const osg::Vec3& m : c.moves)
            state.onMouseMove(origin + m);
        state.onMouseUp(origin + (c.moves.empty() ? osg::Vec3() : c.moves.back()));
        EXPECT_EQ(state.isMouseStill(), c.still) << c.name;
        EXPECT_EQ(state.isSingleClick(), c.still) << c.name;
    }
    Vantor::MouseState fresh;
    EXPECT_FALSE(fresh.isSingleClick()); // nothing was released yet
}

namespace {
class State : public Vantor::NerioViewerManipulatorState
{
public:
    double getViewDistance() const override { return distance; }
    double getSceneRadius() const override { return radius; }
    double distance = 20.0;
    double radius = 5.0;
};
} // namespace

TEST(NerioViewerManipulatorState, ProjectionFromFovyViewportAndDistance)
{
    osg::ref_ptr<osg::Camera> camera = new osg::Camera;
    camera->setViewport(0, 0, 400, 300);
    State state;

    state.updateProjectionMatrix(*camera);
    double fovy, aspect, zNear, zFar;
    ASSERT_TRUE(camera->getProjectionMatrixAsPerspective(fovy, aspect, zNear, zFar));
    EXPECT_NEAR(fovy, 30.0, 1e-9);
    EXPECT_NEAR(aspect, 4.0 / 3.0, 1e-9);
    // With the orbit centre anywhere in the scene, all of the scene lies between the planes.
    EXPECT_GT(zNear, 0.0);
    EXPECT_LE(zNear, state.distance - 2 * state.radius + 1e-9);
    EXPECT_GE(zFar, state.distance + 2 * state.radius - 1e-9);

    // Parallel: the box shows what the perspective frustum shows at the orbit distance.
    state.setPerpectiveCamera(false);
    state.distance = 8.0;
    state.updateProjectionMatrix(*camera);
    double left, right, bottom, top;
    ASSERT_TRUE(camera->getProjectionMatrixAsOrtho(left, right, bottom, top, zNear, zFar));
    EXPECT_NEAR(top, 8.0 * std::tan(osg::DegreesToRadians(15.0)), 1e-9);
    EXPECT_NEAR(right, top * 4.0 / 3.0, 1e-9);
    EXPECT_NEAR(bottom, -top, 1e-9);

    // A camera without a viewport or a scene without size still gets a usable projection.
    osg::ref_ptr<osg::Camera> bare = new osg::Camera;
    state.setPerpectiveCamera(true);
    state.radius = 0.0;
    state.distance = 0.0;
    state.updateProjectionMatrix(*bare);
    ASSERT_TRUE(bare->getProjectionMatrixAsPerspective(fovy, aspect, zNear, zFar));
    EXPECT_TRUE(std::isfinite(zNear) && std::isfinite(zFar) && zNear > 0 && zFar > zNear);
}
