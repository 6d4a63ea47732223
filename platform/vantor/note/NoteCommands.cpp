#include "vantor/note/NoteCommands.h"

namespace Vantor {

bool PointNoteCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool SNoteCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool RectNoteCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool CircleNoteCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool EllipseNoteCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool BrushNoteCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

} // namespace Vantor
