#pragma once

#include "vantor/annotation/RemoveAnnotationsCommand.h"
#include "vantor/note/NoteManager.h"

namespace Vantor {

class RemoveNoteCommand : public RemoveAnnotationsCommand<NoteManager, Note>
{
public:
    std::string Type() override { return "RemoveNoteCommand"; }
    std::string Name() override { return "RemoveNoteCommand"; }

    void setNoteManagerPtr(osg::ref_ptr<NoteManager> manager) { m_manager = manager; }
    void setNotes(std::list<osg::ref_ptr<Note>> notes) { m_items = std::move(notes); }
};

} // namespace Vantor
