#include "vantor/property/TransformDraggerCommands.h"

namespace Vantor {

bool UpdateAxisLocationCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool AxisTransformDraggerCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool ScaleTransformDraggerCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool RotateTransformDraggerCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool PlaneTransformDraggerCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

} // namespace Vantor
