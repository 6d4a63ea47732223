#include "view/SceneCallbacks.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Group>
#include <osg/LightSource>
#include <osg/MatrixTransform>
#include <osg/Switch>
#include <osgUtil/UpdateVisitor>

#include <cmath>
#include <limits>

namespace {

// Counts how often the update traversal reaches the node it sits on.
struct CountingCallback : osg::NodeCallback
{
    int calls = 0;
    void operator()(osg::Node* node, osg::NodeVisitor* nv) override
    {
        ++calls;
        traverse(node, nv);
    }
};

void runUpdate(osg::Node* node)
{
    osg::ref_ptr<osgUtil::UpdateVisitor> uv = new osgUtil::UpdateVisitor;
    node->accept(*uv);
}

osg::ref_ptr<osg::Camera> cameraLookingFrom(const osg::Vec3d& eye)
{
    osg::ref_ptr<osg::Camera> camera = new osg::Camera;
    camera->setViewMatrixAsLookAt(eye, osg::Vec3d(0, 0, 0), osg::Vec3d(0, 0, 1));
    return camera;
}

} // namespace

TEST(NiceGridStep, PicksTheSmallestSeriesValueNotBelowX)
{
    const struct { double x, expected; } cases[] = {
        {0.3, 1}, {1, 1}, {1.01, 2.5}, {2.5, 2.5}, {3.2 * 1.01, 5}, {7, 10}, {26, 50}, {50, 50},
        {99, 100}, {101, 250}, {2400, 2500}, {0, 0}, {-3, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(niceGridStep(c.x), c.expected) << "x = " << c.x;
    EXPECT_TRUE(std::isinf(niceGridStep(std::numeric_limits<double>::infinity()))); // ends, no hang
}

TEST(AutoGridShowCallback, ShowsOrHidesTheGridChildrenByViewAngle)
{
    // Eye positions around the origin: degrees above (+) or below (-) the grid plane.
    const struct { double elevation; bool shown; } cases[] = {
        {90, true},   // straight down
        {45, true},
        {0, true},    // horizontal
        {-10, true},  // a little below still shows
        {-30, false}, // looking up from further below
        {-89, false},
    };
    osg::ref_ptr<osg::MatrixTransform> grid = new osg::MatrixTransform;
    grid->addChild(new osg::Geode);
    grid->addChild(new osg::Geode);
    grid->setNodeMask(0x5); // the on/off switch of the grid: must stay as it is
    osg::ref_ptr<AutoGridShowCallback> cb = new AutoGridShowCallback;
    for (const auto& c : cases) {
        const double a = osg::DegreesToRadians(c.elevation);
        osg::ref_ptr<osg::Camera> camera = cameraLookingFrom(osg::Vec3d(10 * std::cos(a), 3 * std::cos(a), 10 * std::sin(a)));
        cb->setCamera(camera.get()); // the callback only observes the camera
        (*cb)(grid.get(), nullptr);
        for (unsigned i = 0; i < 2; ++i)
            EXPECT_EQ(grid->getChild(i)->getNodeMask(), c.shown ? ~0u : 0u) << "elevation " << c.elevation;
        EXPECT_EQ(grid->getNodeMask(), 0x5u);
    }
}

TEST(HeadLightCallbacks, FollowTheEyeOfAKnownViewMatrix)
{
    const osg::Vec3d eye(10, -20, 5);
    osg::ref_ptr<osg::Camera> camera = cameraLookingFrom(eye);

    osg::ref_ptr<osg::LightSource> directional = new osg::LightSource;
    osg::ref_ptr<AutoDirectionLightCallback> dcb = new AutoDirectionLightCallback;
    dcb->setCamera(camera.get());
    (*dcb)(directional.get(), nullptr);
    osg::Vec3d toEye = eye;
    toEye.normalize();
    const osg::Vec4 dp = directional->getLight()->getPosition();
    EXPECT_NEAR(dp.x(), toEye.x(), 1e-5);
    EXPECT_NEAR(dp.y(), toEye.y(), 1e-5);
    EXPECT_NEAR(dp.z(), toEye.z(), 1e-5);
    EXPECT_EQ(dp.w(), 0.0f);

    osg::ref_ptr<osg::LightSource> point = new osg::LightSource;
    point->getLight()->setConstantAttenuation(4.0f);
    osg::ref_ptr<AutoPointLightCallback> pcb = new AutoPointLightCallback;
    pcb->setCamera(camera.get());
    (*pcb)(point.get(), nullptr);
    const osg::Vec4 pp = point->getLight()->getPosition();
    EXPECT_NEAR(pp.x(), 10, 1e-4);
    EXPECT_NEAR(pp.y(), -20, 1e-4);
    EXPECT_NEAR(pp.z(), 5, 1e-4);
    EXPECT_EQ(pp.w(), 1.0f);
    EXPECT_EQ(point->getLight()->getConstantAttenuation(), 1.0f);
}

TEST(HeadLightCallbacks, WithoutCameraOrLightTheyOnlyTraverse)
{
    // A light source with no camera set keeps its light; a plain group is left alone; both traverse.
    osg::ref_ptr<osg::LightSource> light = new osg::LightSource;
    const osg::Vec4 before = light->getLight()->getPosition();
    osg::ref_ptr<osg::Group> plain = new osg::Group;
    osg::ref_ptr<CountingCallback> belowLight = new CountingCallback, belowPlain = new CountingCallback,
                                   belowGrid = new CountingCallback;
    osg::ref_ptr<osg::Group> c1 = new osg::Group, c2 = new osg::Group, c3 = new osg::Group;
    c1->setUpdateCallback(belowLight);
    c2->setUpdateCallback(belowPlain);
    c3->setUpdateCallback(belowGrid);
    light->addChild(c1);
    plain->addChild(c2);
    osg::ref_ptr<osg::MatrixTransform> grid = new osg::MatrixTransform;
    grid->addChild(c3);

    light->setUpdateCallback(new AutoDirectionLightCallback);
    plain->setUpdateCallback(new AutoPointLightCallback);
    auto* withCamera = new AutoDirectionLightCallback;
    osg::ref_ptr<osg::Camera> camera = cameraLookingFrom(osg::Vec3d(0, 0, 10));
    withCamera->setCamera(camera.get());
    plain->addUpdateCallback(withCamera);
    grid->setUpdateCallback(new AutoGridShowCallback);
    runUpdate(light);
    runUpdate(plain);
    runUpdate(grid);
    EXPECT_EQ(light->getLight()->getPosition(), before);
    EXPECT_EQ(belowLight->calls, 1);
    EXPECT_EQ(belowPlain->calls, 1);
    EXPECT_EQ(belowGrid->calls, 1);
    EXPECT_EQ(c3->getNodeMask(), ~0u);
}

TEST(FadingUpdateCallback, FadesOverTwentySixFramesThenHidesWithoutTraversing)
{
    osg::ref_ptr<osg::BlendColor> blend = new osg::BlendColor(osg::Vec4(1, 1, 1, 1));
    osg::ref_ptr<osg::Switch> sign = new osg::Switch;
    osg::ref_ptr<CountingCallback> below = new CountingCallback;
    osg::ref_ptr<osg::Group> child = new osg::Group;
    child->setUpdateCallback(below);
    sign->addChild(child, true);
    int asked = 0; // frames asked of the view, which draws on demand
    osg::ref_ptr<FadingUpdateCallback> fade = new FadingUpdateCallback(blend.get(), [&asked] { ++asked; });
    sign->setUpdateCallback(fade);

    runUpdate(sign);
    EXPECT_NEAR(blend->getConstantColor().a(), 1.0 - 10.0 / 255.0, 1e-6);
    for (int i = 1; i < 25; ++i)
        runUpdate(sign);
    EXPECT_EQ(fade->elapsed(), 250u);
    EXPECT_NEAR(blend->getConstantColor().a(), 1.0 - 250.0 / 255.0, 1e-6);
    EXPECT_EQ(sign->getNodeMask(), ~0u);
    EXPECT_EQ(asked, 25) << "each step of the fade asks for the next frame";
    runUpdate(sign); // the 26th
    EXPECT_EQ(sign->getNodeMask(), 0u);
    EXPECT_LE(blend->getConstantColor().a(), 0.0f);
    EXPECT_EQ(below->calls, 0);
    EXPECT_EQ(asked, 25) << "the last step asks for no further frame";

    // A restart shows the sign at full opacity again, and asks for the frame that shows it.
    fade->restart();
    sign->setNodeMask(~0u);
    EXPECT_EQ(fade->elapsed(), 0u);
    EXPECT_EQ(blend->getConstantColor(), osg::Vec4(1, 1, 1, 1));
    EXPECT_EQ(asked, 26);
    runUpdate(sign);
    EXPECT_EQ(sign->getNodeMask(), ~0u);
    EXPECT_EQ(fade->elapsed(), 10u);
}
