#include "vantor/command/CameraTransition.h"

#include <algorithm>
#include <cmath>

namespace Vantor {

double CameraTransition::DefaultDuration = 0.3;

CameraTransition::Pose CameraTransition::poseOf(const osgGA::OrbitManipulator& manipulator)
{
    Pose pose;
    pose.center = manipulator.getCenter();
    pose.rotation = manipulator.getRotation();
    pose.distance = manipulator.getDistance();
    return pose;
}

CameraTransition::Pose CameraTransition::lookFrom(const osg::Vec3d& center, const osg::Vec3d& eyeDirection,
                                                  const osg::Vec3d& up, double distance)
{
    osg::Vec3d direction = eyeDirection;
    direction.normalize();
    // As OrbitManipulator::setTransformation turns a look-at into its rotation.
    const osg::Matrixd look = osg::Matrixd::lookAt(direction, osg::Vec3d(), up);
    Pose pose;
    pose.center = center;
    pose.rotation = look.getRotate().inverse();
    pose.distance = distance;
    return pose;
}

void CameraTransition::apply(osgGA::OrbitManipulator& manipulator, const Pose& pose)
{
    manipulator.setCenter(pose.center);
    manipulator.setRotation(pose.rotation);
    manipulator.setDistance(pose.distance);
}

CameraTransition::Pose CameraTransition::blend(const Pose& from, const Pose& to, double s)
{
    if (s <= 0.0)
        return from;
    if (s >= 1.0)
        return to;
    Pose pose;
    pose.center = from.center + (to.center - from.center) * s;
    if (from.distance > 0.0 && to.distance > 0.0)
        pose.distance = from.distance * std::pow(to.distance / from.distance, s);
    else
        pose.distance = from.distance + (to.distance - from.distance) * s;
    pose.rotation.slerp(s, from.rotation, to.rotation);
    return pose;
}

osgGA::OrbitManipulator* CameraTransition::orbitOf(osgViewer::View* view)
{
    return view ? dynamic_cast<osgGA::OrbitManipulator*>(view->getCameraManipulator()) : nullptr;
}

CameraTransition* CameraTransition::of(osgViewer::View* view, bool create)
{
    if (!view)
        return nullptr;
    for (const osg::ref_ptr<osgGA::EventHandler>& handler : view->getEventHandlers())
        if (auto* transition = dynamic_cast<CameraTransition*>(handler.get()))
            return transition;
    if (!create)
        return nullptr;
    osg::ref_ptr<CameraTransition> transition = new CameraTransition;
    transition->m_view = view;
    view->addEventHandler(transition.get());
    return transition.get();
}

bool CameraTransition::start(osgViewer::View* view, const Pose& target, double duration)
{
    osgGA::OrbitManipulator* manipulator = orbitOf(view);
    if (!manipulator)
        return false;
    CameraTransition* transition = of(view, true);
    transition->finish();
    transition->m_manipulator = manipulator;
    transition->m_from = poseOf(*manipulator);
    transition->m_target = target;
    transition->m_duration = duration;
    transition->m_startTime = -1.0;
    transition->m_running = true;
    if (!(duration > 0.0))
        transition->finish();
    // A view that draws on demand runs the move's frames only when asked; the first is asked here.
    view->requestRedraw();
    return true;
}

void CameraTransition::finish(osgViewer::View* view)
{
    if (CameraTransition* transition = of(view, false))
        transition->finish();
}

void CameraTransition::finish()
{
    if (!m_running)
        return;
    m_running = false;
    osg::ref_ptr<osgGA::OrbitManipulator> manipulator;
    // The manipulator may have been swapped for another meanwhile: then it is left alone.
    if (m_manipulator.lock(manipulator) && manipulator.get() == orbitOf(m_view.get()))
        apply(*manipulator, m_target);
}

void CameraTransition::step(double time)
{
    if (!m_running)
        return;
    if (m_startTime < 0.0)
        m_startTime = time;
    const double t = m_duration > 0.0 ? (time - m_startTime) / m_duration : 1.0;
    if (t >= 1.0) {
        finish();
        return;
    }
    osg::ref_ptr<osgGA::OrbitManipulator> manipulator;
    if (!m_manipulator.lock(manipulator) || manipulator.get() != orbitOf(m_view.get())) {
        m_running = false;
        return;
    }
    const double s = t * t * (3.0 - 2.0 * t); // eases in and out
    apply(*manipulator, blend(m_from, m_target, s));
}

bool CameraTransition::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa, osg::Object*,
                              osg::NodeVisitor*)
{
    if (!m_running)
        return false;
    switch (ea.getEventType()) {
    case osgGA::GUIEventAdapter::FRAME:
        step(ea.getTime());
        // Each step asks for the next frame; the last one (on the final pose) asks for none.
        if (m_running)
            aa.requestRedraw();
        break;
    case osgGA::GUIEventAdapter::PUSH:
    case osgGA::GUIEventAdapter::SCROLL:
    case osgGA::GUIEventAdapter::KEYDOWN:
        finish();
        break;
    default:
        break;
    }
    return false;
}

} // namespace Vantor
