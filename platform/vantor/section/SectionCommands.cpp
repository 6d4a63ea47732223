#include "vantor/section/SectionCommands.h"

namespace Vantor {

bool CreateSectionCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool UpdateSectionCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

bool ReverseSectionCommand::Execute()
{
    setUndoable(false);
    setState(STATE_FINISHED);
    return true;
}

} // namespace Vantor
