#include "automation/ProcessCommunication.h"

#include "automation/Message.h"
#include "vantor/util/LogHandler.h"

#include <QCoreApplication>
#include <QtEndian>

#include <exception>

ProcessCommunication* ProcessCommunication::instance()
{
    // Lives for the whole process; its pending requests are released at exit with it.
    static ProcessCommunication self;
    return &self;
}

ProcessCommunication::ProcessCommunication() = default;

CopyDataChannel* ProcessCommunication::channel()
{
    if (!m_channel && QCoreApplication::instance()) {
        m_channel = new CopyDataChannel();
        // A host that stops reading must not hold the viewer: the send fails and is logged.
        m_channel->setSendTimeout(m_sendTimeout);
        m_channel->setReceiver([this](quint64, const CopyDataStruct& data) -> qint64 {
            if (m_receiver)
                m_receiver(data);
            return 0; // not claimed, as an unhandled copy-data message answers
        });
        // Sockets must go before the application object does, not with the static instance.
        qAddPostRoutine([] {
            ProcessCommunication* self = ProcessCommunication::instance();
            delete self->m_channel;
            self->m_channel = nullptr;
        });
    }
    return m_channel;
}

bool ProcessCommunication::listen(const QString& windowTitle)
{
    CopyDataChannel* link = channel();
    return link && link->listen(CopyDataChannel::socketPathForTitle(windowTitle));
}

void ProcessCommunication::closeChannel()
{
    if (m_channel)
        m_channel->close();
}

QString ProcessCommunication::socketPath() const
{
    return m_channel ? m_channel->serverPath() : QString();
}

void ProcessCommunication::setSendTimeout(int ms)
{
    m_sendTimeout = ms;
    if (m_channel)
        m_channel->setSendTimeout(ms);
}

void ProcessCommunication::setRecordReceiver(std::function<void(const CopyDataStruct&)> receiver)
{
    m_receiver = std::move(receiver);
}

bool ProcessCommunication::sendMessage(std::shared_ptr<Message> msg)
{
    if (!msg)
        return false;
    if (!m_channel || !m_channel->isWindow(peerWindow))
        return false;

    CopyDataStruct data;
    msg->serialize(data.data);
    data.dwData = msg->type;
    // A newer request of the same type takes the place of one still waiting.
    if (msg->needsReply)
        pending.insert(msg->type, msg);

    qint64 result = -1;
    const bool sent = m_channel->sendCopyData(peerWindow, wParamValue, data, &result);
    QCoreApplication::processEvents();
    return sent && result == 0;
}

std::shared_ptr<Message> ProcessCommunication::receiveMessage(const CopyDataStruct* data)
{
    if (!data)
        return {};
    const int key = static_cast<qint32>(static_cast<quint64>(data->dwData) & 0xffffffffu);
    auto it = pending.find(key);
    std::shared_ptr<Message> result = it != pending.end() ? it.value() : createMessage(data->dwData);
    if (!result)
        return {}; // no class for this id: the payload is not read

    // The class comes from dwData, the dispatch from the record's own type: a record where they
    // disagree would reach a handler with the wrong class, so it goes no further (and a request of
    // ours stays waiting for its real answer).
    if (data->data.size() < 4 || qFromBigEndian<qint32>(data->data.constData()) != data->dwData) {
        Vantor::LogHandler::getInstance()->reportWarning(
            QStringLiteral("Host record dropped: its type does not match the id %1 it came with").arg(data->dwData));
        return {};
    }
    if (it != pending.end()) {
        pending.erase(it);
        result->replied = true;
    }
    result->deserialize(data->data);
    return result;
}

void ProcessCommunication::handleRecord(const CopyDataStruct& data,
                                        const std::function<void(const std::shared_ptr<Message>&)>& process)
{
    try {
        std::shared_ptr<Message> obj = receiveMessage(&data);
        if (!obj || obj->replied)
            return;
        if (process)
            process(obj);
        if (obj->needsReply) {
            obj->needsReply = false;
            sendMessage(obj);
        }
    } catch (const std::exception& e) {
        Vantor::LogHandler::getInstance()->reportError(
            QStringLiteral("Host record not handled: %1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        Vantor::LogHandler::getInstance()->reportError(QStringLiteral("Host record not handled: unknown failure"));
    }
}
