#pragma once

#include "automation/Message.h"

#include <memory>

class HostOperations;

// Executes host requests on the main window: one handler per record type, each logging its start and
// finish, calling the window's operation and writing the answer into the same object. Values from the
// host are checked by the operations; without a window every answer is the "not found" one.
class MessageProcesser
{
public:
    explicit MessageProcesser(HostOperations* window);

    void process(std::shared_ptr<Message> msg);

    void ProcessInitCommMessage(std::shared_ptr<InitCommMsg> msg);
    void ProcessOpenFileMessage(std::shared_ptr<OpenFileMsg> msg);
    void ProcessCloseFileMessage(std::shared_ptr<CloseFileMsg> msg);
    void ProcessopenRemoteBomFileMessage(std::shared_ptr<OpenRemoteBomFileMsg> msg);
    void ProcessopenRemoteBomMessage(std::shared_ptr<OpenRemoteBomMsg> msg);
    void ProcessInsertRemoteBomMessage(std::shared_ptr<InsertRemoteBomMsg> msg);
    void ProcessSaveRemoteBomMessage(std::shared_ptr<SaveRemoteBomMsg> msg);
    void ProcessUpdateModelBomMessage(std::shared_ptr<UpdateModelBomMsg> msg);
    void ProcessClearAllModelMessage(std::shared_ptr<ClearAllModelMsg> msg);
    void ProcessCreateTopModelMessage(std::shared_ptr<CreateTopModelMsg> msg);
    void ProcessAddModelMessage(std::shared_ptr<AddModelMsg> msg);
    void ProcessRemoveModelMessage(std::shared_ptr<RemoveModelMsg> msg);
    void ProcessGetTopModelMessage(std::shared_ptr<TopModelMsg> msg);
    void ProcessGetChildModelMessage(std::shared_ptr<ChildModelMsg> msg);
    void ProcessGetChildrenModelMessage(std::shared_ptr<ChildrenModelMsg> msg);
    void ProcessGetModelVisibleMessage(std::shared_ptr<GetModelVisibleMsg> msg);
    void ProcessSetModelVisibleMessage(std::shared_ptr<SetModelVisibleMsg> msg);
    void ProcessGetModelColorMessage(std::shared_ptr<GetModelColorMsg> msg);
    void ProcessSetModelColorMessage(std::shared_ptr<SetModelColorMsg> msg);
    void ProcessGetModelTransparentMessage(std::shared_ptr<GetModelTransparentMsg> msg);
    void ProcessSetModelTransparentMessage(std::shared_ptr<SetModelTransparentMsg> msg);
    void ProcessWidgetVisibleMessage(std::shared_ptr<SetWidgetVisibleMsg> msg);
    void ProcessGetAllNoteIDMessage(std::shared_ptr<GetAllNoteMsg> msg);
    void ProcessOpenCommandMessage(std::shared_ptr<OpenCommandMsg> msg);
    void ProcessCloseCommandMessage(std::shared_ptr<CloseCommandMsg> msg);
    void ProcessAddNoteByFileMessage(std::shared_ptr<AddNoteByFileMsg> msg);
    void ProcessAddNoteByValueMessage(std::shared_ptr<AddNoteByValueMsg> msg);
    void ProcessSaveNoteToFileMessage(std::shared_ptr<SaveNoteToFileMsg> msg);
    void ProcessSaveAllNotesToFileMessage(std::shared_ptr<SaveAllNotesToFileMsg> msg);
    void ProcessGetAllNotesValueMessage(std::shared_ptr<GetAllNotesValueMsg> msg);
    void ProcessGetNoteValueMessage(std::shared_ptr<GetNoteValueMsg> msg);
    void ProcessRemoveNoteMessage(std::shared_ptr<RemoveNoteMsg> msg);
    void ProcessClearAllNotesMessage(std::shared_ptr<ClearAllNotesMsg> msg);
    void ProcessGetAllViewIDMessage(std::shared_ptr<GetAllViewIDMsg> msg);
    void ProcessAddViewByFileMessage(std::shared_ptr<AddViewByFileMsg> msg);
    void ProcessAddViewByValueMessage(std::shared_ptr<AddViewByValueMsg> msg);
    void ProcessSaveViewToFileMessage(std::shared_ptr<SaveViewToFileMsg> msg);
    void ProcessSaveAllViewsToFileMessage(std::shared_ptr<SaveAllViewsToFileMsg> msg);
    void ProcessGetAllViewsValueMessage(std::shared_ptr<GetAllViewsValueMsg> msg);
    void ProcessGetViewValueMessage(std::shared_ptr<GetViewValueMsg> msg);
    void ProcessGetViewValueByIndexMessage(std::shared_ptr<GetViewValueByIndexMsg> msg);
    void ProcessLoadViewMessage(std::shared_ptr<LoadViewMsg> msg);
    void ProcessRemoveViewMessage(std::shared_ptr<RemoveViewMsg> msg);
    void ProcessClearAllViewsMessage(std::shared_ptr<ClearAllViewsMsg> msg);

private:
    HostOperations* m_window;
};
