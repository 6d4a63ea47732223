#include "vantor/command/NerioViewerManipulatorState.h"

#include "vantor/util/LogHandler.h"

#include <osg/Viewport>

#include <algorithm>
#include <cmath>

namespace Vantor {

float NerioViewerManipulatorState::SmallFeatureCullSize = 10.0f;

NerioViewerManipulatorState::NerioViewerManipulatorState() = default;
NerioViewerManipulatorState::~NerioViewerManipulatorState() = default;

void NerioViewerManipulatorState::setPerpectiveCamera(bool perpective)
{
    m_perpective = perpective;
    // Also told when nothing changed, so a checked projection button always follows the camera.
    if (m_onPerpectiveCameraChanged)
        m_onPerpectiveCameraChanged(!perpective);
}

AnimationCameraInfo NerioViewerManipulatorState::getCameraInfo()
{
    AnimationCameraInfo info;
    info.perpectiveCamera = m_perpective;
    info.distance = getViewDistance();
    info.fovy = m_fovy;
    return info;
}

void NerioViewerManipulatorState::setCameraInfo(const AnimationCameraInfo& info, bool)
{
    setPerpectiveCamera(info.perpectiveCamera);
}

void NerioViewerManipulatorState::setFovy(double fovy)
{
    if (!(fovy > 0.0 && fovy < 180.0)) {
        LogHandler::getInstance()->reportWarning(QString("Field of view %1 ignored").arg(fovy));
        return;
    }
    m_fovy = fovy;
}

void NerioViewerManipulatorState::fitToNodes(const NodePtrList&) {}

void NerioViewerManipulatorState::setOnPerpectiveCameraChanged(std::function<void(bool)> callback)
{
    m_onPerpectiveCameraChanged = std::move(callback);
}

void NerioViewerManipulatorState::updateProjectionMatrix(osg::Camera& camera)
{
    double aspect = 1.0;
    if (const osg::Viewport* viewport = camera.getViewport()) {
        if (viewport->width() > 0 && viewport->height() > 0)
            aspect = viewport->width() / viewport->height();
    }

    double radius = getSceneRadius();
    if (!(radius > 0.0) || !std::isfinite(radius))
        radius = 1.0;
    double distance = getViewDistance();
    if (!(distance > 0.0) || !std::isfinite(distance))
        distance = radius;

    if (m_perpective) {
        // The orbit centre may lie anywhere inside the scene, so the scene reaches at most 2r past it.
        const double zFar = distance + 2.0 * radius;
        const double zNear = std::max(zFar * 1e-4, distance - 2.0 * radius);
        camera.setProjectionMatrixAsPerspective(m_fovy, aspect, zNear, zFar);
    } else {
        const double halfHeight = distance * std::tan(osg::DegreesToRadians(m_fovy) * 0.5);
        const double halfWidth = halfHeight * aspect;
        // Parallel eyes may stand well outside the scene; depth is linear here, so be generous.
        const double depth = distance + 8.0 * radius;
        camera.setProjectionMatrixAsOrtho(-halfWidth, halfWidth, -halfHeight, halfHeight, -depth, depth);
    }
}

} // namespace Vantor
