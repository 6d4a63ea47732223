#include "vantor/command/BaseViewCommand.h"

#include "vantor/command/ISceneView.h"

#include <cmath>

namespace Vantor {

BaseViewCommand::BaseViewCommand(ISceneView* sceneView, osg::ref_ptr<osgViewer::View> view)
    : m_sceneView(sceneView), m_view(view)
{
}

bool BaseViewCommand::viewAxes(BaseViewType type, osg::Vec3d& eyeDirection, osg::Vec3d& up)
{
    up.set(0.0, 0.0, 1.0);
    switch (type) {
    case Front: eyeDirection.set(0.0, -1.0, 0.0); break;
    case Back: eyeDirection.set(0.0, 1.0, 0.0); break;
    case Left: eyeDirection.set(-1.0, 0.0, 0.0); break;
    case Right: eyeDirection.set(1.0, 0.0, 0.0); break;
    // Top and bottom keep +X to the right, as the front view turned about X.
    case Top: eyeDirection.set(0.0, 0.0, 1.0); up.set(0.0, 1.0, 0.0); break;
    case Bottom: eyeDirection.set(0.0, 0.0, -1.0); up.set(0.0, -1.0, 0.0); break;
    case Isodraft: eyeDirection.set(1.0, -1.0, 1.0); eyeDirection.normalize(); break;
    default: return false;
    }
    return true;
}

bool BaseViewCommand::Execute()
{
    osg::ref_ptr<osgViewer::View> view;
    osg::Vec3d direction, up;
    if (!m_view.lock(view) || !viewAxes(m_type, direction, up))
        return false;
    CameraTransition::finish(view.get()); // start from where the last move was going
    osgGA::OrbitManipulator* manipulator = CameraTransition::orbitOf(view.get());
    if (!manipulator)
        return false;
    if (!m_moved) {
        m_before = CameraTransition::poseOf(*manipulator);
        osg::Vec3d center = m_before.center;
        double distance = m_before.distance;
        if (m_sceneView) {
            const osg::BoundingBoxd& box = m_sceneView->getSceneBoundingBox();
            if (box.valid() && std::isfinite(box.radius()) && box.radius() > 0.0) {
                center = box.center();
                distance = frameDistance(box.radius());
            }
        }
        m_after = CameraTransition::lookFrom(center, direction, up, distance);
    }
    // A redo goes to the same pose as the first run, whatever the scene became meanwhile.
    m_moved = true;
    return CameraTransition::start(view.get(), m_after);
}

bool BaseViewCommand::Unexecute()
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_moved || !m_view.lock(view))
        return false;
    CameraTransition::finish(view.get());
    return CameraTransition::start(view.get(), m_before);
}

} // namespace Vantor
