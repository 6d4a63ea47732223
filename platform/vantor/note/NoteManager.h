#pragma once

#include "vantor/annotation/AnnotationGroup.h"
#include "vantor/note/Note.h"

#include <osg/observer_ptr>
#include <osgViewer/View>
#include <rapidjson/document.h>

#include <memory>
#include <string>

namespace Vantor {

class NoteManager;

// Told synchronously after every change of the manager's notes (and on NotifyNoteChanged).
class NoteManagerChangedListener
{
public:
    virtual ~NoteManagerChangedListener() = default;
    // The manager that changed and the note concerned (null when the whole list changed).
    virtual void onNoteChanged(NoteManager* manager, Note* note) = 0;
};

// The scene node that holds the document's notes as its children, in their order.
class NoteManager : public AnnotationGroup<Note, NoteManagerChangedListener>
{
public:
    NoteManager();
    NoteManager(const NoteManager& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, NoteManager)

    void AddNoteListener(const std::shared_ptr<NoteManagerChangedListener>& listener) { addListener(listener); }
    void RemoveNoteListener(const std::shared_ptr<NoteManagerChangedListener>& listener) { removeListener(listener); }
    // Calls the listeners (the note may be null).
    void NotifyNoteChanged(Note* note) { changed(note); }

    // Visibility of one note of this manager; notes of other managers and null change nothing.
    void ShowNote(const osg::ref_ptr<Note>& note) { setItemVisible(note.get(), true); }
    void HideNote(const osg::ref_ptr<Note>& note) { setItemVisible(note.get(), false); }
    void HideAllNote() { setAllItemsVisible(false); }
    void ShowAllNote() { setAllItemsVisible(true); }

    osg::ref_ptr<Note> getNoteById(uint64_t id) const { return itemById(id); }
    std::vector<osg::ref_ptr<Note>> GetAllNote() const { return items(); }

    // The viewer view the notes are drawn into.
    void setView(osg::ref_ptr<osgViewer::View> view) { m_view = view; }
    osg::ref_ptr<osgViewer::View> getView() const;

    // Adds the notes of a note document after the present ones. A text that does not parse, or is not
    // a note document, changes nothing and returns false; malformed entries are skipped.
    bool fromJson(const std::string& text);
    // The note document of all notes: {"note_list": [note, ...]}. With `writeFile` true and a saved-JSON
    // file name set, the document is also written to that file, once: the name is then forgotten.
    rapidjson::Document toJson(bool writeFile);
    void setSavedJsonFileName(const std::string& path) { m_savedJsonFileName = path; }
    const std::string& getSavedJsonFileName() const { return m_savedJsonFileName; }

    // Adds the note before the note at `position` (out of range: at the end). False for null or for a
    // note this manager already holds.
    bool InsertNotations(const osg::ref_ptr<Note>& note, int position) { return insertItem(note.get(), position); }
    // Adds the notes in their order before the note at `position`, telling the listeners once: adding
    // many notes costs in proportion to their number. Null notes and notes already held are skipped.
    std::size_t InsertNotationList(const std::vector<osg::ref_ptr<Note>>& notes, int position)
    {
        return insertItems(notes, position);
    }
    bool RemoveNotationsByID(uint64_t id) { return removeItemById(id); }
    void ClearAllNotation() { clearItems(); }

protected:
    ~NoteManager() override;
    void callListener(NoteManagerChangedListener& listener, Note* note) override
    {
        listener.onNoteChanged(this, note);
    }

private:
    osg::observer_ptr<osgViewer::View> m_view;
    std::string m_savedJsonFileName;
};

} // namespace Vantor
