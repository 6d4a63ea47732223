#pragma once

#include "view/PickingHandler.h"
#include "view/SceneView.h"

#include <osg/Vec3d>

namespace nerio_test {

// The view looks at the origin from `eye`, z up, and stays there: the camera's home is not computed
// from the scene (with `home`, it is this same place).
inline osg::ref_ptr<PickingHandler> lookAtOrigin(SceneView& view, const osg::Vec3d& eye, bool home = false)
{
    osg::ref_ptr<PickingHandler> handler = view.getPickingHandler();
    handler->setNode(view.getSceneGroup());
    if (home)
        handler->setHomePosition(eye, osg::Vec3d(), osg::Vec3d(0, 0, 1));
    handler->setAutoComputeHomePosition(false);
    handler->setTransformation(eye, osg::Vec3d(), osg::Vec3d(0, 0, 1));
    return handler;
}

} // namespace nerio_test
