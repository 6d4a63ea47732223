#pragma once

#include "vantor/command/AnimationCameraInfo.h"
#include "vantor/command/NodePtrList.h"

#include <osg/Camera>

#include <functional>

namespace Vantor {

// What every camera manipulator of the viewer adds to OSG's own: perspective or parallel projection,
// the field of view, the projection update, camera info for saved views and focus hooks.
// A mixin: the manipulator derives from an osgGA manipulator and from this, and overrides
// getViewDistance() and getSceneRadius() to size the projection.
class NerioViewerManipulatorState
{
public:
    // Small-feature culling size in pixels, shared by every view (the settings write it).
    static float SmallFeatureCullSize;

    NerioViewerManipulatorState();
    virtual ~NerioViewerManipulatorState();

    virtual bool getPerpectiveCamera() const { return m_perpective; }
    // Switches the projection; the changed-callback then gets true when the camera is parallel.
    virtual void setPerpectiveCamera(bool perpective);
    virtual AnimationCameraInfo getCameraInfo();
    virtual void setCameraInfo(const AnimationCameraInfo& info, bool rotateAboutScene);
    // Vertical field of view in degrees, 30 by default; values outside (0, 180) are refused.
    virtual double getFovy() const { return m_fovy; }
    virtual void setFovy(double fovy);
    virtual void fitToNodes(const NodePtrList& nodes);

    // The view gained or lost the keyboard focus or the mouse.
    virtual void onFocusIn() {}
    virtual void onFocusOut() {}

    // Called with true when the camera has become parallel, false when it has become perspective.
    void setOnPerpectiveCameraChanged(std::function<void(bool)> callback);

    // Perspective: fovy and the viewport's aspect. Parallel: a box whose height is what the perspective
    // frustum shows at the orbit distance, so switching keeps the model's size on screen.
    // Near and far planes from the orbit distance and the scene radius.
    virtual void updateProjectionMatrix(osg::Camera& camera);

    // Distance from the eye to the orbit centre, and the radius of the scene; manipulators override them.
    virtual double getViewDistance() const { return m_viewDistance; }
    virtual double getSceneRadius() const { return m_sceneRadius; }
    void setViewDistance(double distance) { m_viewDistance = distance; }
    void setSceneRadius(double radius) { m_sceneRadius = radius; }

protected:
    bool m_perpective = true;
    double m_fovy = 30.0;
    double m_viewDistance = 1.0;
    double m_sceneRadius = 1.0;
    std::function<void(bool)> m_onPerpectiveCameraChanged;
};

} // namespace Vantor
