#include "vantor/note/NoteManager.h"

#include "vantor/annotation/JsonUtil.h"
#include "vantor/util/LogHandler.h"

namespace Vantor {

NoteManager::NoteManager() = default;

NoteManager::NoteManager(const NoteManager& other, const osg::CopyOp& copyop)
    : AnnotationGroup(other, copyop)
{
}

NoteManager::~NoteManager() = default;

void NoteManager::ShowNote(const osg::ref_ptr<Note>& note)
{
    if (holds(note.get()))
        note->setNodeMask(0xFFFFFFFFu);
}

void NoteManager::HideNote(const osg::ref_ptr<Note>& note)
{
    if (holds(note.get()))
        note->setNodeMask(0u);
}

void NoteManager::HideAllNote()
{
    for (const auto& note : items())
        note->setNodeMask(0u);
}

void NoteManager::ShowAllNote()
{
    for (const auto& note : items())
        note->setNodeMask(0xFFFFFFFFu);
}

osg::ref_ptr<osgViewer::View> NoteManager::getView() const
{
    osg::ref_ptr<osgViewer::View> view;
    m_view.lock(view);
    return view;
}

bool NoteManager::fromJson(const std::string& text)
{
    rapidjson::Document doc;
    if (!JsonUtil::parse(text, doc, "Note document"))
        return false;
    const rapidjson::Value* list = JsonUtil::listMember(doc, "note_list", "Note document");
    if (!list)
        return false;
    bool added = false;
    for (const auto& entry : list->GetArray()) {
        osg::ref_ptr<Note> note = Note::create(entry);
        if (!note) {
            LogHandler::getInstance()->reportWarning(QString("Note document: an entry that is not an object skipped"));
            continue;
        }
        addChild(note.get());
        added = true;
    }
    if (added)
        contentChanged(nullptr);
    return true;
}

rapidjson::Document NoteManager::toJson(bool writeFile)
{
    rapidjson::Document doc(rapidjson::kObjectType);
    rapidjson::Value list(rapidjson::kArrayType);
    for (const auto& note : items())
        list.PushBack(note->toJson(doc.GetAllocator()), doc.GetAllocator());
    doc.AddMember("note_list", list, doc.GetAllocator());
    if (writeFile && !m_savedJsonFileName.empty()) {
        if (!JsonUtil::writeFile(m_savedJsonFileName, doc))
            LogHandler::getInstance()->reportError(
                QString("Cannot write the notes to %1").arg(QString::fromLocal8Bit(m_savedJsonFileName.c_str())));
        m_savedJsonFileName.clear();
    }
    return doc;
}

} // namespace Vantor
