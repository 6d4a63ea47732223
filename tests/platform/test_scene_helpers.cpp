#include "vantor/command/MouseState.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/command/SelectFilter.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Geometry>
#include <osgGA/EventQueue>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace Vantor;

namespace {

osg::ref_ptr<osg::Camera> cameraOf(int width, int height)
{
    osg::ref_ptr<osg::Camera> camera = new osg::Camera;
    camera->setViewport(0, 0, width, height);
    return camera;
}

// A manipulator that knows its own orbit distance, as the trackball does.
struct OrbitState : NerioViewerManipulatorState
{
    double getViewDistance() const override { return orbit; }
    double orbit = 10.0;
};

} // namespace

TEST(ManipulatorState, PerspectiveFollowsFovyAndViewportAspect)
{
    OrbitState state;
    state.setSceneRadius(2.0);
    osg::ref_ptr<osg::Camera> camera = cameraOf(200, 100);
    state.updateProjectionMatrix(*camera);
    double fovy = 0, aspect = 0, zNear = 0, zFar = 0;
    ASSERT_TRUE(camera->getProjectionMatrixAsPerspective(fovy, aspect, zNear, zFar));
    EXPECT_NEAR(fovy, 30.0, 1e-9);
    EXPECT_NEAR(aspect, 2.0, 1e-9);
    // The whole scene around the orbit centre lies between the planes.
    EXPECT_GT(zNear, 0.0);
    EXPECT_LE(zNear, 10.0 - 2.0);
    EXPECT_GE(zFar, 10.0 + 2.0);

    state.setFovy(45.0);
    camera->setViewport(0, 0, 100, 0); // a collapsed widget must not divide by zero
    state.updateProjectionMatrix(*camera);
    ASSERT_TRUE(camera->getProjectionMatrixAsPerspective(fovy, aspect, zNear, zFar));
    EXPECT_NEAR(fovy, 45.0, 1e-9);
    EXPECT_NEAR(aspect, 1.0, 1e-9);
}

TEST(ManipulatorState, ParallelSwitchTellsTheCallbackAndSizesByDistance)
{
    OrbitState state;
    std::vector<bool> told;
    state.setOnPerpectiveCameraChanged([&told](bool parallel) { told.push_back(parallel); });
    EXPECT_TRUE(state.getPerpectiveCamera());
    state.setPerpectiveCamera(false);
    EXPECT_FALSE(state.getPerpectiveCamera());
    state.setPerpectiveCamera(true);
    EXPECT_EQ(told, (std::vector<bool>{true, false}));

    state.setPerpectiveCamera(false);
    osg::ref_ptr<osg::Camera> camera = cameraOf(300, 100);
    state.updateProjectionMatrix(*camera);
    double left = 0, right = 0, bottom = 0, top = 0, zNear = 0, zFar = 0;
    ASSERT_TRUE(camera->getProjectionMatrixAsOrtho(left, right, bottom, top, zNear, zFar));
    const double half = 10.0 * std::tan(osg::DegreesToRadians(15.0));
    EXPECT_NEAR(top, half, 1e-9);
    EXPECT_NEAR(bottom, -half, 1e-9);
    EXPECT_NEAR(right, 3.0 * half, 1e-9);

    state.orbit = 20.0; // zooming a parallel camera widens the box
    state.updateProjectionMatrix(*camera);
    ASSERT_TRUE(camera->getProjectionMatrixAsOrtho(left, right, bottom, top, zNear, zFar));
    EXPECT_NEAR(top, 2.0 * half, 1e-9);
}

TEST(ManipulatorState, FovyOutsideOpenRangeIsRefused)
{
    NerioViewerManipulatorState state;
    EXPECT_DOUBLE_EQ(state.getFovy(), 30.0);
    for (double bad : {0.0, -5.0, 180.0, 400.0, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()}) {
        state.setFovy(bad);
        EXPECT_DOUBLE_EQ(state.getFovy(), 30.0) << bad;
    }
    state.setFovy(60.0);
    EXPECT_DOUBLE_EQ(state.getFovy(), 60.0);
    EXPECT_FLOAT_EQ(NerioViewerManipulatorState::SmallFeatureCullSize, 10.0f);
}

TEST(MouseState, StillPressIsAClickAndMovementADrag)
{
    MouseState mouse;
    mouse.onMouseDown(osg::Vec3(100, 100, 0));
    mouse.onMouseMove(osg::Vec3(102, 101, 0));
    mouse.onMouseUp(osg::Vec3(102, 101, 0));
    EXPECT_TRUE(mouse.isMouseStill());
    EXPECT_TRUE(mouse.isSingleClick());

    mouse.onMouseDown(osg::Vec3(100, 100, 0));
    mouse.onMouseMove(osg::Vec3(130, 100, 0));
    mouse.onMouseMove(osg::Vec3(100, 100, 0)); // back where it started: still a drag
    EXPECT_FALSE(mouse.isMouseStill());
    mouse.onMouseUp(osg::Vec3(100, 100, 0));
    EXPECT_FALSE(mouse.isSingleClick());

    MouseState fresh;
    EXPECT_FALSE(fresh.isSingleClick());
    EXPECT_FALSE(fresh.getIsTouchDevice());
}

namespace {

SelectFilter::Intersection hitAt(const osg::NodePath& path, const osg::Vec3d& point, double ratio)
{
    SelectFilter::Intersection hit;
    hit.nodePath = path;
    hit.localIntersectionPoint = point;
    hit.ratio = ratio;
    return hit;
}

} // namespace

TEST(SelectFilter, TakesTheNearestHitThatNoSectionCutsAway)
{
    osg::ref_ptr<Model> top = new Model;
    osg::ref_ptr<Model> near = new Model;
    osg::ref_ptr<Model> far = new Model;
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    osg::ref_ptr<osg::Group> note = new osg::Group; // class "Group": not an annotation

    osg::ref_ptr<SelectFilter> filter = new SelectFilter;
    filter->getModelIntersections().insert(hitAt({top.get(), near.get(), geode.get()}, osg::Vec3d(0, 0, -1), 0.2));
    filter->getModelIntersections().insert(hitAt({top.get(), far.get(), geode.get()}, osg::Vec3d(0, 0, 1), 0.6));
    EXPECT_EQ(filter->getSelectShape(), near.get());

    // A plane that keeps z >= 0 cuts the near hit away.
    filter->setOpenClips({osg::Plane(0, 0, 1, 0)});
    EXPECT_EQ(filter->getSelectShape(), far.get());

    // Only the clipped models are cut.
    filter->setClipedNodes({osg::observer_ptr<osg::Node>(far.get())});
    EXPECT_EQ(filter->getSelectShape(), near.get());

    // A hit whose path holds no model gives nothing.
    osg::ref_ptr<SelectFilter> plain = new SelectFilter;
    plain->getTopShowIntersections().insert(hitAt({note.get(), geode.get()}, osg::Vec3d(), 0.1));
    EXPECT_EQ(plain->getSelectShape(), nullptr);
    EXPECT_EQ(plain->getSelectIntersection(), nullptr);
}

TEST(OsgHelper, PickPointAndWindowRays)
{
    // A unit square at z = 0 seen from z = 10.
    osg::ref_ptr<osg::Geometry> quad = osg::createTexturedQuadGeometry(osg::Vec3(-1, -1, 0), osg::Vec3(2, 0, 0), osg::Vec3(0, 2, 0));
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(quad);
    osg::ref_ptr<Model> model = new Model;
    model->addChild(geode);
    osg::ref_ptr<osgViewer::View> view = new osgViewer::View;
    view->setSceneData(model);
    osg::Camera* camera = view->getCamera();
    camera->setViewport(0, 0, 100, 100);
    camera->setProjectionMatrixAsPerspective(30.0, 1.0, 1.0, 100.0);
    camera->setViewMatrixAsLookAt(osg::Vec3d(0, 0, 10), osg::Vec3d(), osg::Vec3d(0, 1, 0));

    osg::Vec3d nearPoint, farPoint;
    ASSERT_TRUE(OsgHelper::projectWindowXYIntoObject(view.get(), 50, 50, nearPoint, farPoint));
    EXPECT_NEAR(nearPoint.x(), 0.0, 1e-6);
    EXPECT_NEAR(nearPoint.z(), 9.0, 1e-6);
    EXPECT_NEAR(farPoint.z(), -90.0, 1e-4);
    osg::ref_ptr<osg::Camera> bare = new osg::Camera;
    EXPECT_FALSE(OsgHelper::projectWindowXYIntoObject(bare.get(), 0, 0, nearPoint, farPoint));

    osg::ref_ptr<osgGA::GUIEventAdapter> event = new osgGA::GUIEventAdapter;
    event->setEventType(osgGA::GUIEventAdapter::PUSH);
    event->setInputRange(0, 0, 100, 100);
    event->setMouseYOrientation(osgGA::GUIEventAdapter::Y_INCREASING_UPWARDS);
    event->setX(50);
    event->setY(50);
    // The viewer attaches the camera under the pointer to every mouse event.
    event->addPointerData(new osgGA::PointerData(camera, 0.0f, -1.0f, 1.0f, 0.0f, -1.0f, 1.0f));
    bool hit = false;
    osg::NodePath path;
    const osg::Vec3d point = OsgHelper::pickPoint(view.get(), *event, hit, nullptr, path);
    ASSERT_TRUE(hit);
    EXPECT_NEAR(point.z(), 0.0, 1e-5);
    EXPECT_NE(std::find(path.begin(), path.end(), model.get()), path.end());

    osg::ref_ptr<SelectFilter> filter = new SelectFilter;
    filter->setOpenClips({osg::Plane(0, 0, 1, -1)}); // keeps z >= 1
    OsgHelper::pickPoint(view.get(), *event, hit, filter.get(), path);
    EXPECT_FALSE(hit);

    event->setX(2); // beside the square
    event->getPointerData(0u)->x = -0.96f;
    OsgHelper::pickPoint(view.get(), *event, hit, nullptr, path);
    EXPECT_FALSE(hit);
    EXPECT_TRUE(path.empty());
}
