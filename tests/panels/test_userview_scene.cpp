// Saved views on a real scene view: the camera of the trackball and the walker, the thumbnail of a
// rendered frame, and a model saved with its views and opened again.
#include "osgqt/GraphicsWindowQt.h"
#include "view/UserView.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/model/Model.h"
#include "vantor/walker/WalkerManipulator.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/ShapeDrawable>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <QSet>
#include <QTest>

using namespace Vantor;

namespace {

std::string write(const rapidjson::Value& value)
{
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    value.Accept(writer);
    return buffer.GetString();
}

std::vector<std::string> keysOf(const rapidjson::Value& object)
{
    std::vector<std::string> keys;
    for (auto it = object.MemberBegin(); it != object.MemberEnd(); ++it)
        keys.emplace_back(it->name.GetString());
    return keys;
}

// A red box model, 20 units wide, at the origin.
osg::ref_ptr<Model> boxModel()
{
    osg::ref_ptr<Model> top = new Model;
    osg::ref_ptr<Model> part = new Model;
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(new osg::ShapeDrawable(new osg::Box(osg::Vec3(0, 0, 0), 20.0f)));
    part->addChild(geode.get());
    part->setColor(osg::Vec4f(0.9f, 0.1f, 0.1f, 1.0f));
    top->addChild(part.get());
    return top;
}

struct Scene
{
    SceneModel model;
    SceneView view;
    osg::ref_ptr<Model> top = boxModel();
    Scene()
    {
        view.setSceneModel(&model);
        model.setModel(top.get());
    }
    osg::ref_ptr<UserView> newView()
    {
        osg::ref_ptr<UserView> saved = new UserView;
        saved->sceneView = &view;
        saved->setTopModel(Model::GetTopModel(model.getRootSwitch()).get());
        saved->setNoteManager(model.getNoteManager());
        saved->setMeasureManager(model.getMeasureManager());
        saved->setSectionManager(model.getSectionManager());
        return saved;
    }
};

} // namespace

TEST(SavedViewCamera, TrackballPoseIsCapturedAndApplied)
{
    Scene scene;
    PickingHandler* handler = scene.view.getPickingHandler().get();
    const osg::Vec3d center(1.25, -3.5, 1234.5678);
    const osg::Quat rotation(osg::DegreesToRadians(33.3), osg::Vec3d(0.2, 0.5, 0.8));
    handler->setCenter(center);
    handler->setRotation(rotation);
    handler->setDistance(87.5);
    handler->setPerpectiveCamera(false);

    osg::ref_ptr<UserView> saved = scene.newView();
    saved->capture();
    const ManipulatorState& state = saved->getManipulatorState();
    EXPECT_EQ(state.manipulatorType, 0);
    EXPECT_EQ(state.center, center);
    EXPECT_EQ(state.rotation, rotation);
    EXPECT_EQ(state.distance, 87.5f);
    EXPECT_FALSE(state.perpectiveCamera);

    rapidjson::Document doc;
    rapidjson::Value json = saved->toJson(doc.GetAllocator());
    EXPECT_EQ(keysOf(json["ManipulatorState"]),
              (std::vector<std::string>{"ManipulatorType", "PerpectiveCamera", "Distance", "Center", "Rotation"}));

    // Moved away, then the view read back from its JSON puts the camera back, the switch forced.
    handler->setCenter(osg::Vec3d(0, 0, 0));
    handler->setRotation(osg::Quat());
    handler->setDistance(5.0);
    handler->setPerpectiveCamera(true);
    int switches = 0;
    scene.view.onManipulatorChanged = [&](ManipulatorType) { ++switches; };
    auto views = UserView::readList("{\"userview_list\": [" + write(json) + "]}");
    ASSERT_EQ(views.size(), 1u);
    views[0]->sceneView = &scene.view;
    views[0]->apply();
    EXPECT_EQ(switches, 1);
    EXPECT_EQ(scene.view.getView()->getCameraManipulator(), handler);
    EXPECT_EQ(handler->getCenter(), center);
    EXPECT_EQ(handler->getRotation(), rotation);
    EXPECT_EQ(handler->getDistance(), 87.5);
    EXPECT_FALSE(handler->getPerpectiveCamera());
}

TEST(SavedViewCamera, WalkPoseIsCapturedAndApplied)
{
    Scene scene;
    scene.view.changeManipulator(3);
    WalkerManipulator* walker = scene.view.getWalkerManipulator();
    const osg::Vec3d eye(10.0, -40.0, 1.75);
    const osg::Quat rotation(osg::DegreesToRadians(80.0), osg::X_AXIS, osg::DegreesToRadians(15.0), osg::Z_AXIS,
                             0.0, osg::Y_AXIS);
    walker->setTransformation(eye, rotation);
    walker->setUseThridpersonView(true);

    osg::ref_ptr<UserView> saved = scene.newView();
    saved->capture();
    const ManipulatorState& state = saved->getManipulatorState();
    EXPECT_EQ(state.manipulatorType, 3);
    EXPECT_TRUE(state.useThridpersonView);
    EXPECT_EQ(state.thirdPersonOffset, 100.0f);
    EXPECT_NEAR((state.eye - eye).length(), 0.0, 1e-9);
    rapidjson::Document doc;
    rapidjson::Value json = saved->toJson(doc.GetAllocator());
    EXPECT_EQ(keysOf(json["ManipulatorState"]), (std::vector<std::string>{"ManipulatorType", "UseThridpersonView",
                                                                          "Pitch", "ThirdPersonOffset", "Eye",
                                                                          "Rotation"}));

    // Back in the trackball, applying switches to the walker and puts it where it was.
    scene.view.changeManipulator(0);
    walker->setTransformation(osg::Vec3d(0, 0, 0), osg::Quat());
    walker->setUseThridpersonView(false);
    saved->apply();
    EXPECT_EQ(scene.view.getManipulatorType(), 3);
    EXPECT_EQ(scene.view.getView()->getCameraManipulator(), walker);
    osg::Vec3d eyeNow;
    osg::Quat rotationNow;
    walker->getTransformation(eyeNow, rotationNow);
    EXPECT_NEAR((eyeNow - eye).length(), 0.0, 1e-9);
    EXPECT_NEAR((rotationNow.asVec4() - state.rotation.asVec4()).length(), 0.0, 1e-12);
    EXPECT_TRUE(walker->getUseThridpersonView());
}

TEST(SavedViewCamera, OtherManipulatorTypesKeepOnlyTheType)
{
    Scene scene;
    scene.view.changeManipulator(2);
    osg::ref_ptr<UserView> saved = scene.newView();
    saved->capture();
    rapidjson::Document doc;
    EXPECT_EQ(write(saved->toJson(doc.GetAllocator())["ManipulatorState"]), "{\"ManipulatorType\":2}");
}

TEST(SavedViewThumbnail, PictureOfTheRenderedViewFitsIn128)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    Scene scene;
    scene.view.resize(400, 300);
    scene.view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&scene.view));
    scene.view.getPickingHandler()->setTransformation(osg::Vec3d(0, -120, 0), osg::Vec3d(0, 0, 0),
                                                      osg::Vec3d(0, 0, 1));
    nerio_test::waitFrames(scene.view);

    osg::ref_ptr<osg::Image> shot = OsgHelper::snapshot(scene.view.getView().get(), false);
    ASSERT_TRUE(shot);
    const QWidget* gl = scene.view.graphicsWidget();
    EXPECT_EQ(shot->s(), int(gl->width() * gl->devicePixelRatioF()));
    EXPECT_EQ(shot->t(), int(gl->height() * gl->devicePixelRatioF()));
    bool opaque = true;
    for (int i = 0; i < shot->s() * shot->t(); ++i)
        opaque = opaque && shot->data()[4 * i + 3] == 255;
    EXPECT_TRUE(opaque);

    osg::ref_ptr<UserView> saved = scene.newView();
    saved->capture();
    const QImage thumb = saved->getImage();
    ASSERT_FALSE(thumb.isNull());
    EXPECT_EQ(thumb.width(), 128);
    EXPECT_LE(thumb.height(), 128);
    EXPECT_NEAR(thumb.height(), 128.0 * gl->height() / gl->width(), 1.0);
    // The box in the middle, red, against the grey background at the corner.
    const QColor middle = thumb.pixelColor(thumb.width() / 2, thumb.height() / 2);
    const QColor corner = thumb.pixelColor(2, 2);
    EXPECT_GT(middle.red(), middle.green() + 40) << middle.name().toStdString();
    EXPECT_LT(std::abs(corner.red() - corner.green()), 20) << corner.name().toStdString();

    // The picture travels with the view.
    rapidjson::Document doc;
    const std::string text = "{\"userview_list\": [" + write(saved->toJson(doc.GetAllocator())) + "]}";
    auto views = UserView::readList(text);
    ASSERT_EQ(views.size(), 1u);
    EXPECT_EQ(views[0]->getImage().size(), thumb.size());
}

TEST(SavedViewThumbnail, ViewsWithoutAWindowGiveNoPicture)
{
    EXPECT_FALSE(OsgHelper::snapshot(nullptr, false));
    osg::ref_ptr<osgViewer::View> bare = new osgViewer::View;
    EXPECT_FALSE(OsgHelper::snapshot(bare.get(), false));
}
