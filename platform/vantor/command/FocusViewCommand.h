#pragma once

#include "vantor/command/CameraTransition.h"
#include "vantor/command/Command.h"
#include "vantor/command/NodePtrList.h"

#include <osg/observer_ptr>
#include <osg/ref_ptr>
#include <osgViewer/View>

namespace Vantor {

// Turns the view's camera to frame the given nodes (their merged world box), keeping the direction
// it looks from; the camera moves there briefly and undo puts it back exactly. Without nodes, or with
// a camera manipulator that is not the viewer's orbiting one, it changes nothing and leaves no undo step.
class FocusViewCommand : public Command
{
public:
    explicit FocusViewCommand(osg::ref_ptr<osgViewer::View> view);

    std::string Type() override { return "FocusViewCommand"; }
    std::string Name() override { return "FocusViewCommand"; }
    bool Execute() override;
    bool Unexecute() override;

    void setFocusNode(const NodePtrList& nodes) { m_nodes = nodes; }
    const NodePtrList& getFocusNode() const { return m_nodes; }

private:
    osg::observer_ptr<osgViewer::View> m_view;
    NodePtrList m_nodes;
    CameraTransition::Pose m_before;
    CameraTransition::Pose m_after;
    bool m_moved = false;
};

} // namespace Vantor
