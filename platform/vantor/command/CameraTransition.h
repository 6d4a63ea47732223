#pragma once

#include <osg/Quat>
#include <osg/Vec3d>
#include <osgGA/GUIEventHandler>
#include <osgGA/OrbitManipulator>
#include <osgViewer/View>

namespace Vantor {

// Moves an orbiting camera manipulator (centre, rotation, distance) to a new pose over a short time
// instead of jumping, and always ends exactly on the pose asked for. One per view, installed as an
// event handler of the view on first use; it advances on the view's frame events. A click, a wheel
// turn or a key ends a running move at once on its final pose, so the user never fights it.
class CameraTransition : public osgGA::GUIEventHandler
{
public:
    struct Pose
    {
        osg::Vec3d center;
        osg::Quat rotation;
        double distance = 1.0;
    };

    // Length of a move in seconds; 0 jumps.
    static double DefaultDuration;

    // The pose of an orbiting manipulator, and a pose looking from direction (centre to eye) with up.
    static Pose poseOf(const osgGA::OrbitManipulator& manipulator);
    static Pose lookFrom(const osg::Vec3d& center, const osg::Vec3d& eyeDirection, const osg::Vec3d& up,
                         double distance);
    static void apply(osgGA::OrbitManipulator& manipulator, const Pose& pose);
    // Interpolation at s in [0, 1]: centre linearly, distance geometrically, rotation by slerp.
    static Pose blend(const Pose& from, const Pose& to, double s);

    // The view's orbiting manipulator; null when it has another kind or there is none.
    static osgGA::OrbitManipulator* orbitOf(osgViewer::View* view);
    // The view's transition, made and installed when asked to.
    static CameraTransition* of(osgViewer::View* view, bool create);

    // Starts a move of the view's manipulator to the pose (a running one ends first); false when the
    // view has no orbiting manipulator.
    static bool start(osgViewer::View* view, const Pose& target, double duration = DefaultDuration);
    // Puts a running move of the view on its final pose.
    static void finish(osgViewer::View* view);

    bool isRunning() const { return m_running; }
    const Pose& target() const { return m_target; }
    // Advances to the given frame time (seconds); the first call after a start fixes the start time.
    void step(double time);
    void finish();

    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa, osg::Object*,
                osg::NodeVisitor*) override;
    using osgGA::GUIEventHandler::handle;

protected:
    ~CameraTransition() override = default;

private:
    osg::observer_ptr<osgViewer::View> m_view;
    osg::observer_ptr<osgGA::OrbitManipulator> m_manipulator;
    Pose m_from;
    Pose m_target;
    double m_duration = 0.0;
    double m_startTime = -1.0;
    bool m_running = false;
};

} // namespace Vantor
