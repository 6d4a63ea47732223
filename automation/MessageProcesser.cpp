#include "automation/MessageProcesser.h"

#include "automation/HostOperations.h"
#include "automation/ProcessCommunication.h"
#include "view/SceneModel.h"
#include "vantor/model/Model.h"
#include "vantor/note/NoteManager.h"
#include "vantor/util/LogHandler.h"
#include "vantor/view/ViewManager.h"

#include <QDockWidget>

namespace {

// Logs "<name> start" when made and "<name> finish" when it goes, around one handler's work.
class HandlerLog
{
public:
    explicit HandlerLog(const char* name, bool enabled = true) : m_name(QLatin1String(name)), m_enabled(enabled)
    {
        if (m_enabled)
            Vantor::LogHandler::getInstance()->reportInfo(m_name + QStringLiteral(" start"));
    }
    ~HandlerLog()
    {
        if (m_enabled)
            Vantor::LogHandler::getInstance()->reportInfo(m_name + QStringLiteral(" finish"));
    }
    HandlerLog(const HandlerLog&) = delete;
    HandlerLog& operator=(const HandlerLog&) = delete;

private:
    QString m_name;
    bool m_enabled;
};

template <class T>
void dispatch(MessageProcesser* processer, void (MessageProcesser::*handler)(std::shared_ptr<T>),
              const std::shared_ptr<Message>& msg)
{
    // The class was chosen by the record's id; a cast that fails means another class arrived.
    if (auto concrete = std::dynamic_pointer_cast<T>(msg))
        (processer->*handler)(concrete);
}

// Text answers are never the null marker on the wire: "not found" is the empty text.
QString text(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

osg::ref_ptr<Vantor::NoteManager> noteManager(HostOperations* window)
{
    return window && window->sceneModel() ? window->sceneModel()->getNoteManager() : nullptr;
}

osg::ref_ptr<Vantor::ViewManager> viewManager(HostOperations* window)
{
    return window && window->sceneModel() ? window->sceneModel()->getViewManager() : nullptr;
}

} // namespace

MessageProcesser::MessageProcesser(HostOperations* window) : m_window(window) {}

void MessageProcesser::process(std::shared_ptr<Message> msg)
{
    if (!msg)
        return;
    using P = MessageProcesser;
    switch (msg->type) {
    case InitCommMsg::TypeId: dispatch(this, &P::ProcessInitCommMessage, msg); break;
    case OpenFileMsg::TypeId: dispatch(this, &P::ProcessOpenFileMessage, msg); break;
    case CloseFileMsg::TypeId: dispatch(this, &P::ProcessCloseFileMessage, msg); break;
    case OpenRemoteBomFileMsg::TypeId: dispatch(this, &P::ProcessopenRemoteBomFileMessage, msg); break;
    case OpenRemoteBomMsg::TypeId: dispatch(this, &P::ProcessopenRemoteBomMessage, msg); break;
    case InsertRemoteBomMsg::TypeId: dispatch(this, &P::ProcessInsertRemoteBomMessage, msg); break;
    case SaveRemoteBomMsg::TypeId: dispatch(this, &P::ProcessSaveRemoteBomMessage, msg); break;
    case UpdateModelBomMsg::TypeId: dispatch(this, &P::ProcessUpdateModelBomMessage, msg); break;
    case ClearAllModelMsg::TypeId: dispatch(this, &P::ProcessClearAllModelMessage, msg); break;
    case CreateTopModelMsg::TypeId: dispatch(this, &P::ProcessCreateTopModelMessage, msg); break;
    case AddModelMsg::TypeId: dispatch(this, &P::ProcessAddModelMessage, msg); break;
    case RemoveModelMsg::TypeId: dispatch(this, &P::ProcessRemoveModelMessage, msg); break;
    case TopModelMsg::TypeId: dispatch(this, &P::ProcessGetTopModelMessage, msg); break;
    case ChildModelMsg::TypeId: dispatch(this, &P::ProcessGetChildModelMessage, msg); break;
    case ChildrenModelMsg::TypeId: dispatch(this, &P::ProcessGetChildrenModelMessage, msg); break;
    case GetModelVisibleMsg::TypeId: dispatch(this, &P::ProcessGetModelVisibleMessage, msg); break;
    case SetModelVisibleMsg::TypeId: dispatch(this, &P::ProcessSetModelVisibleMessage, msg); break;
    case GetModelColorMsg::TypeId: dispatch(this, &P::ProcessGetModelColorMessage, msg); break;
    case SetModelColorMsg::TypeId: dispatch(this, &P::ProcessSetModelColorMessage, msg); break;
    case GetModelTransparentMsg::TypeId: dispatch(this, &P::ProcessGetModelTransparentMessage, msg); break;
    case SetModelTransparentMsg::TypeId: dispatch(this, &P::ProcessSetModelTransparentMessage, msg); break;
    case SetWidgetVisibleMsg::TypeId: dispatch(this, &P::ProcessWidgetVisibleMessage, msg); break;
    case GetAllNoteMsg::TypeId: dispatch(this, &P::ProcessGetAllNoteIDMessage, msg); break;
    case OpenCommandMsg::TypeId: dispatch(this, &P::ProcessOpenCommandMessage, msg); break;
    case CloseCommandMsg::TypeId: dispatch(this, &P::ProcessCloseCommandMessage, msg); break;
    case AddNoteByFileMsg::TypeId: dispatch(this, &P::ProcessAddNoteByFileMessage, msg); break;
    case AddNoteByValueMsg::TypeId: dispatch(this, &P::ProcessAddNoteByValueMessage, msg); break;
    case SaveNoteToFileMsg::TypeId: dispatch(this, &P::ProcessSaveNoteToFileMessage, msg); break;
    case SaveAllNotesToFileMsg::TypeId: dispatch(this, &P::ProcessSaveAllNotesToFileMessage, msg); break;
    case GetAllNotesValueMsg::TypeId: dispatch(this, &P::ProcessGetAllNotesValueMessage, msg); break;
    case GetNoteValueMsg::TypeId: dispatch(this, &P::ProcessGetNoteValueMessage, msg); break;
    case RemoveNoteMsg::TypeId: dispatch(this, &P::ProcessRemoveNoteMessage, msg); break;
    case ClearAllNotesMsg::TypeId: dispatch(this, &P::ProcessClearAllNotesMessage, msg); break;
    case GetAllViewIDMsg::TypeId: dispatch(this, &P::ProcessGetAllViewIDMessage, msg); break;
    case AddViewByFileMsg::TypeId: dispatch(this, &P::ProcessAddViewByFileMessage, msg); break;
    case AddViewByValueMsg::TypeId: dispatch(this, &P::ProcessAddViewByValueMessage, msg); break;
    case SaveViewToFileMsg::TypeId: dispatch(this, &P::ProcessSaveViewToFileMessage, msg); break;
    case SaveAllViewsToFileMsg::TypeId: dispatch(this, &P::ProcessSaveAllViewsToFileMessage, msg); break;
    case GetAllViewsValueMsg::TypeId: dispatch(this, &P::ProcessGetAllViewsValueMessage, msg); break;
    case GetViewValueMsg::TypeId: dispatch(this, &P::ProcessGetViewValueMessage, msg); break;
    case GetViewValueByIndexMsg::TypeId: dispatch(this, &P::ProcessGetViewValueByIndexMessage, msg); break;
    case LoadViewMsg::TypeId: dispatch(this, &P::ProcessLoadViewMessage, msg); break;
    case RemoveViewMsg::TypeId: dispatch(this, &P::ProcessRemoveViewMessage, msg); break;
    case ClearAllViewsMsg::TypeId: dispatch(this, &P::ProcessClearAllViewsMessage, msg); break;
    default:
        // 2, 17 and 18 from the host are not executed; the channel still answers them when asked.
        break;
    }
}

void MessageProcesser::ProcessInitCommMessage(std::shared_ptr<InitCommMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessInitCommMessage");
    ProcessCommunication* channel = ProcessCommunication::instance();
    channel->peerWindow = msg->peerWindow;
    channel->wParamValue = msg->wParamValue;
}

void MessageProcesser::ProcessOpenFileMessage(std::shared_ptr<OpenFileMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessOpenFileMessage");
    if (m_window)
        m_window->loadFile(msg->filePath);
    msg->modelId = m_window ? m_window->topModelId() : 0;
    msg->handled = true;
}

void MessageProcesser::ProcessCloseFileMessage(std::shared_ptr<CloseFileMsg>)
{
    HandlerLog log("MessageProcesser::ProcessCloseFileMessage");
    if (m_window)
        m_window->unLoadFile();
}

void MessageProcesser::ProcessopenRemoteBomFileMessage(std::shared_ptr<OpenRemoteBomFileMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessopenRemoteBomFileMessage");
    if (m_window)
        m_window->loadFile(msg->filePath);
    msg->modelId = m_window ? m_window->topModelId() : 0;
    msg->handled = true;
}

void MessageProcesser::ProcessopenRemoteBomMessage(std::shared_ptr<OpenRemoteBomMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessopenRemoteBomMessage");
    if (m_window)
        m_window->openRemoteBom(msg->bomText);
    msg->modelId = m_window ? m_window->topModelId() : 0;
    msg->handled = true;
}

void MessageProcesser::ProcessInsertRemoteBomMessage(std::shared_ptr<InsertRemoteBomMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessInsertRemoteBomMessage");
    msg->ok = m_window && m_window->insertRemoteBom(msg->modelId, msg->bomText) ? 1 : 0;
    msg->handled = true;
}

void MessageProcesser::ProcessSaveRemoteBomMessage(std::shared_ptr<SaveRemoteBomMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessSaveRemoteBomMessage");
    msg->bomText = text(m_window ? m_window->saveRemoteBom() : QString());
}

void MessageProcesser::ProcessUpdateModelBomMessage(std::shared_ptr<UpdateModelBomMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessUpdateModelBomMessage");
    if (m_window)
        m_window->updateModelBom(msg->bomText);
}

void MessageProcesser::ProcessClearAllModelMessage(std::shared_ptr<ClearAllModelMsg>)
{
    HandlerLog log("MessageProcesser::ProcessClearAllModelMessage");
    if (m_window)
        m_window->unLoadFile();
}

void MessageProcesser::ProcessCreateTopModelMessage(std::shared_ptr<CreateTopModelMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessCreateTopModelMessage");
    msg->modelId = m_window ? m_window->createTopModel(msg->modelName) : 0;
    msg->handled = true;
}

void MessageProcesser::ProcessAddModelMessage(std::shared_ptr<AddModelMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessAddModelMessage");
    msg->modelId = m_window ? m_window->addModel(msg->parentId, msg->position, msg->filePath) : 0;
    msg->handled = true;
}

void MessageProcesser::ProcessRemoveModelMessage(std::shared_ptr<RemoveModelMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessRemoveModelMessage");
    msg->ok = m_window && m_window->removeModel(msg->modelId) ? 1 : 0;
    msg->handled = true;
}

void MessageProcesser::ProcessGetTopModelMessage(std::shared_ptr<TopModelMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetTopModelMessage");
    msg->modelId = m_window ? m_window->topModelId() : 0;
    msg->handled = true;
}

void MessageProcesser::ProcessGetChildModelMessage(std::shared_ptr<ChildModelMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetChildModelMessage");
    SceneModel* scene = m_window ? m_window->sceneModel() : nullptr;
    const auto* child = dynamic_cast<const Vantor::Model*>(scene ? scene->getChildModel(msg->parentId, msg->position)
                                                                 : nullptr);
    msg->childId = child ? child->getModelID() : 0;
    msg->handled = true;
}

void MessageProcesser::ProcessGetChildrenModelMessage(std::shared_ptr<ChildrenModelMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetChildrenModelMessage");
    msg->idList = text(m_window ? m_window->getChildrenModelIds(msg->modelId) : QString());
    msg->handled = true;
}

void MessageProcesser::ProcessGetModelVisibleMessage(std::shared_ptr<GetModelVisibleMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetModelVisibleMessage");
    msg->visible = !m_window || m_window->getModelVisible(msg->modelId);
    msg->handled = true;
}

void MessageProcesser::ProcessSetModelVisibleMessage(std::shared_ptr<SetModelVisibleMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessSetModelVisibleMessage");
    if (m_window)
        m_window->setModelVisible(msg->modelId, msg->visible);
    msg->handled = true;
}

void MessageProcesser::ProcessGetModelColorMessage(std::shared_ptr<GetModelColorMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetModelColorMessage");
    msg->colorText = text(m_window ? m_window->getModelColor(msg->modelId) : QString());
    msg->handled = true;
}

void MessageProcesser::ProcessSetModelColorMessage(std::shared_ptr<SetModelColorMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessSetModelColorMessage");
    if (m_window)
        m_window->setModelColor(msg->modelId, msg->red, msg->green, msg->blue);
    msg->handled = true;
}

void MessageProcesser::ProcessGetModelTransparentMessage(std::shared_ptr<GetModelTransparentMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetModelTransparentMessage");
    msg->transparency = m_window ? m_window->getModelTransparent(msg->modelId) : 1.0f;
    msg->handled = true;
}

void MessageProcesser::ProcessSetModelTransparentMessage(std::shared_ptr<SetModelTransparentMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessSetModelTransparentMessage");
    if (m_window)
        m_window->setModelTransparent(msg->modelId, msg->transparency);
    msg->handled = true;
}

void MessageProcesser::ProcessWidgetVisibleMessage(std::shared_ptr<SetWidgetVisibleMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessWidgetVisibleMessage");
    if (m_window) {
        // Only the docks as they are now; the start-up flags stay the user's.
        QDockWidget* dock = nullptr;
        switch (msg->widgetType) {
        case 0: dock = m_window->treeDock(); break;
        case 1: dock = m_window->viewDock(); break;
        case 2: dock = m_window->annotationDock(); break;
        default: m_window->setWidgetVisible(msg->widgetType, msg->visible); break;
        }
        if (dock)
            dock->setHidden(!msg->visible);
    }
    msg->handled = true;
}

void MessageProcesser::ProcessGetAllNoteIDMessage(std::shared_ptr<GetAllNoteMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetAllNoteIDMessage");
    msg->idList = text(m_window ? m_window->getAllNoteIds() : QString());
    msg->handled = true;
}

void MessageProcesser::ProcessOpenCommandMessage(std::shared_ptr<OpenCommandMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessOpenCommandMessage");
    msg->ok = m_window && m_window->openOneCommand(msg->commandName);
    msg->handled = true;
}

void MessageProcesser::ProcessCloseCommandMessage(std::shared_ptr<CloseCommandMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessCloseCommandMessage");
    if (m_window)
        m_window->closeOneCommand();
    msg->handled = true;
}

void MessageProcesser::ProcessAddNoteByFileMessage(std::shared_ptr<AddNoteByFileMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessAddNoteByFileMessage");
    msg->idList = text(m_window ? m_window->addNotesFromFile(msg->position, msg->filePath) : QString());
    msg->handled = true;
}

void MessageProcesser::ProcessAddNoteByValueMessage(std::shared_ptr<AddNoteByValueMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessAddNoteByValueMessage");
    msg->idList = text(m_window ? m_window->addNotesFromValue(msg->position, msg->jsonText) : QString());
    msg->handled = true;
}

void MessageProcesser::ProcessSaveNoteToFileMessage(std::shared_ptr<SaveNoteToFileMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessSaveNoteToFileMessage");
    msg->ok = m_window && m_window->saveNoteToFile(msg->noteId, msg->filePath);
    msg->handled = true;
}

void MessageProcesser::ProcessSaveAllNotesToFileMessage(std::shared_ptr<SaveAllNotesToFileMsg> msg)
{
    // The one handler that writes no start and finish lines.
    msg->ok = m_window && m_window->saveAllNotesToFile(msg->filePath);
    msg->handled = true;
}

void MessageProcesser::ProcessGetAllNotesValueMessage(std::shared_ptr<GetAllNotesValueMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetAllNotesValueMessage");
    msg->jsonText = text(m_window ? m_window->getAllNotesValue() : QString());
    msg->handled = true;
}

void MessageProcesser::ProcessGetNoteValueMessage(std::shared_ptr<GetNoteValueMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetNoteValueMessage");
    msg->jsonText = text(m_window ? m_window->getNoteValue(msg->noteId) : QString());
    msg->handled = true;
}

void MessageProcesser::ProcessRemoveNoteMessage(std::shared_ptr<RemoveNoteMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessRemoveNoteMessage");
    osg::ref_ptr<Vantor::NoteManager> notes = noteManager(m_window);
    msg->ok = notes && notes->RemoveNotationsByID(msg->noteId);
    msg->handled = true;
}

void MessageProcesser::ProcessClearAllNotesMessage(std::shared_ptr<ClearAllNotesMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessClearAllNotesMessage");
    osg::ref_ptr<Vantor::NoteManager> notes = noteManager(m_window);
    if (notes)
        notes->ClearAllNotation();
    msg->ok = notes.valid();
    msg->handled = true;
}

void MessageProcesser::ProcessGetAllViewIDMessage(std::shared_ptr<GetAllViewIDMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetAllViewIDMessage");
    msg->idList = text(m_window ? m_window->getAllViewIds() : QString());
    msg->handled = true;
}

void MessageProcesser::ProcessAddViewByFileMessage(std::shared_ptr<AddViewByFileMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessAddViewByFileMessage");
    msg->idList = text(m_window ? m_window->addViewsFromFile(msg->position, msg->filePath) : QString());
    msg->handled = true;
}

void MessageProcesser::ProcessAddViewByValueMessage(std::shared_ptr<AddViewByValueMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessAddViewByValueMessage");
    msg->idList = text(m_window ? m_window->addViewsFromValue(msg->position, msg->jsonText) : QString());
    msg->handled = true;
}

void MessageProcesser::ProcessSaveViewToFileMessage(std::shared_ptr<SaveViewToFileMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessSaveViewToFileMessage");
    // The position and path are read and not used: no file is written, as hosts have come to expect.
    msg->ok = true;
    msg->handled = true;
}

void MessageProcesser::ProcessSaveAllViewsToFileMessage(std::shared_ptr<SaveAllViewsToFileMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessSaveAllViewsToFileMessage");
    msg->ok = m_window && m_window->saveAllViewsToFile(msg->filePath);
    msg->handled = true;
}

void MessageProcesser::ProcessGetAllViewsValueMessage(std::shared_ptr<GetAllViewsValueMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetAllViewsValueMessage");
    msg->jsonText = text(m_window ? m_window->getAllViewsValue() : QString());
    msg->handled = true;
}

void MessageProcesser::ProcessGetViewValueMessage(std::shared_ptr<GetViewValueMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetViewValueMessage");
    msg->jsonText = QStringLiteral(""); // empty, not null, on the wire
    msg->handled = true;
}

void MessageProcesser::ProcessGetViewValueByIndexMessage(std::shared_ptr<GetViewValueByIndexMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessGetViewValueByIndexMessage");
    msg->jsonText = QStringLiteral("");
    msg->handled = true;
}

void MessageProcesser::ProcessLoadViewMessage(std::shared_ptr<LoadViewMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessLoadViewMessage");
    msg->ok = m_window && m_window->loadView(msg->viewId);
    msg->handled = true;
}

void MessageProcesser::ProcessRemoveViewMessage(std::shared_ptr<RemoveViewMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessRemoveViewMessage");
    osg::ref_ptr<Vantor::ViewManager> views = viewManager(m_window);
    msg->ok = views && views->RemoveViewByID(static_cast<int64_t>(msg->viewId));
    msg->handled = true;
}

void MessageProcesser::ProcessClearAllViewsMessage(std::shared_ptr<ClearAllViewsMsg> msg)
{
    HandlerLog log("MessageProcesser::ProcessClearAllViewsMessage");
    osg::ref_ptr<Vantor::ViewManager> views = viewManager(m_window);
    if (views)
        views->ClearAllView();
    msg->ok = views.valid();
    msg->handled = true;
}
