#include "vantor/explode/ExplodeCommands.h"

namespace Vantor {

bool AxisExplodeTransformDraggerCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool RadialExplodeTransformDraggerCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool CenterExplodeTransformDraggerCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

} // namespace Vantor
