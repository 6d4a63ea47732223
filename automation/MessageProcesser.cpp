#include "automation/MessageProcesser.h"

#include "automation/Message.h"
#include "automation/ProcessCommunication.h"
#include "vantor/util/LogHandler.h"

MessageProcesser::MessageProcesser(MainWindow* window) : m_window(window) {}

void MessageProcesser::process(std::shared_ptr<Message> msg)
{
    if (!msg)
        return;
    switch (msg->type) {
    case InitCommMsg::TypeId:
        // The class was chosen by the record's id; a cast that fails means another class arrived.
        if (auto init = std::dynamic_pointer_cast<InitCommMsg>(msg))
            ProcessInitCommMessage(init);
        break;
    default:
        Vantor::LogHandler::getInstance()->reportInfo(
            QStringLiteral("MessageProcesser::process type %1 not handled").arg(msg->type));
        break;
    }
}

void MessageProcesser::ProcessInitCommMessage(std::shared_ptr<InitCommMsg> msg)
{
    Vantor::LogHandler::getInstance()->reportInfo(QStringLiteral("MessageProcesser::ProcessInitCommMessage start"));
    ProcessCommunication* channel = ProcessCommunication::instance();
    channel->peerWindow = msg->peerWindow;
    channel->wParamValue = msg->wParamValue;
    Vantor::LogHandler::getInstance()->reportInfo(QStringLiteral("MessageProcesser::ProcessInitCommMessage finish"));
}
