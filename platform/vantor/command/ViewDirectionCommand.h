#pragma once

#include "vantor/command/Command.h"

#include <osg/Matrixd>
#include <osg/MatrixTransform>
#include <osg/observer_ptr>
#include <osg/ref_ptr>

#include <functional>

namespace Vantor {

// +X, +Y, +Z, -X, -Y, -Z.
enum ViewDirection { XDirection = 0, YDirection, ZDirection, XOppositeDirection, YOppositeDirection, ZOppositeDirection };

// Turns the model so that the chosen axis of its recorded pose points up (world +Z), about the centre
// of its bound so it stays where it was seen; undo puts its matrix back exactly. Without a model (or
// with a node that is no transform) it changes nothing and leaves no undo step.
class ViewDirectionCommand : public Command
{
public:
    // The model and the matrix recorded for it when it was loaded.
    ViewDirectionCommand(osg::ref_ptr<osg::Node> model, const osg::Matrixd& modelMatrix);

    std::string Type() override { return "ViewDirectionCommand"; }
    std::string Name() override { return "ViewDirectionCommand"; }
    bool Execute() override;
    bool Unexecute() override;

    void setDirection(ViewDirection direction) { m_direction = direction; }
    ViewDirection getDirection() const { return m_direction; }
    // Called after every later turn (undo and redo), so the scene can be fitted again.
    void setOnTurned(std::function<void()> callback) { m_onTurned = std::move(callback); }

    // The turn that brings the axis of the direction onto +Z (identity for an unknown direction).
    static osg::Quat upRotation(ViewDirection direction);

private:
    osg::observer_ptr<osg::MatrixTransform> m_model;
    osg::Matrixd m_modelMatrix;
    ViewDirection m_direction = ZDirection;
    osg::Matrixd m_before;
    osg::Matrixd m_after;
    bool m_turned = false;
    std::function<void()> m_onTurned;
};

} // namespace Vantor
