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

osg::ref_ptr<osgViewer::View> NoteManager::getView() const
{
    osg::ref_ptr<osgViewer::View> view;
    m_view.lock(view);
    return view;
}

bool NoteManager::fromJson(const std::string& text)
{
    return appendFromJson(text, "note_list", "Note document",
                          [](const rapidjson::Value& entry) { return Note::create(entry); });
}

rapidjson::Document NoteManager::toJson(bool writeFile)
{
    rapidjson::Document doc = itemsToJson("note_list");
    if (writeFile && !m_savedJsonFileName.empty()) {
        if (!JsonUtil::writeFile(m_savedJsonFileName, doc))
            LogHandler::getInstance()->reportError(
                QString("Cannot write the notes to %1").arg(QString::fromLocal8Bit(m_savedJsonFileName.c_str())));
        m_savedJsonFileName.clear();
    }
    return doc;
}

} // namespace Vantor
