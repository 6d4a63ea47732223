#include "view/SceneModel.h"
#include "view/SceneView.h"

#include <gtest/gtest.h>

#include <osg/observer_ptr>

// The head-light and grid callbacks live inside the scene the camera draws; if they held the camera
// the view's whole scene graph would never be freed.
TEST(SceneViewLifetime, SceneGraphIsFreedWithTheViewAfterCallbacksAttach)
{
    osg::observer_ptr<osg::Group> sceneGroup;
    osg::observer_ptr<osg::Camera> camera;
    {
        SceneModel model;
        SceneView view;
        view.setSceneModel(&model); // attaches the head-light callbacks
        view.setGridShow(true);
        view.updateGrid(); // attaches the grid callback
        sceneGroup = view.getSceneGroup();
        camera = view.getView()->getCamera();
        ASSERT_TRUE(sceneGroup.valid());
        view.setSceneModel(nullptr);
    }
    EXPECT_FALSE(camera.valid());
    EXPECT_FALSE(sceneGroup.valid());
}
