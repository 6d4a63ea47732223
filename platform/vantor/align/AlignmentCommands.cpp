#include "vantor/align/AlignmentCommands.h"

namespace Vantor {

bool PointsAlignmentCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool LinesAlignmentCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool FacesAlignmentCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool LineToFaceAlignmentCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

} // namespace Vantor
