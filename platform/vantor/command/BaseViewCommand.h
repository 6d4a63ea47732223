#pragma once

#include "vantor/command/CameraTransition.h"
#include "vantor/command/Command.h"

#include <osg/observer_ptr>
#include <osg/ref_ptr>
#include <osgViewer/View>

namespace Vantor {

class ISceneView;

enum BaseViewType { Front = 0, Back = 1, Left = 2, Right = 3, Top = 4, Bottom = 5, Isodraft = 6 };

// Looks at the whole scene from one of the standard directions (Z up), framing it; the camera moves
// there briefly and undo brings it back exactly. Needs the view's orbiting manipulator: with another
// one active (walking) it changes nothing and leaves no undo step.
class BaseViewCommand : public Command
{
public:
    BaseViewCommand(ISceneView* sceneView, osg::ref_ptr<osgViewer::View> view);

    std::string Type() override { return "BaseViewCommand"; }
    std::string Name() override { return "BaseViewCommand"; }
    bool Execute() override;
    bool Unexecute() override;

    void setViewType(BaseViewType type) { m_type = type; }
    BaseViewType getViewType() const { return m_type; }

    // Direction from the scene to the eye and the camera's up for a view type; false for an unknown type.
    static bool viewAxes(BaseViewType type, osg::Vec3d& eyeDirection, osg::Vec3d& up);
    // Distance at which a sphere of the radius fills the view, as the focus command frames.
    static double frameDistance(double radius) { return 3.5 * radius; }

private:
    ISceneView* m_sceneView;
    osg::observer_ptr<osgViewer::View> m_view;
    BaseViewType m_type = Front;
    CameraTransition::Pose m_before;
    CameraTransition::Pose m_after;
    bool m_moved = false;
};

} // namespace Vantor
