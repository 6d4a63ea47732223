#pragma once

#include "hostchannel/CopyDataChannel.h"

#include <QMap>
#include <QObject>

#include <functional>
#include <memory>

class Message;

// The process-wide channel to the embedding host: sends records to the host's connection and
// turns received records back into message objects.
class ProcessCommunication : public QObject
{
    Q_OBJECT
public:
    static ProcessCommunication* instance();

    // True when the host's side answered 0. False without a peer, with a peer that has gone away,
    // or when the send failed; nothing is sent or remembered then.
    bool sendMessage(std::shared_ptr<Message> msg);

    // The message a record carries (the waiting request it answers, filled and marked replied, or
    // a new object), or an empty pointer when the record is dropped.
    std::shared_ptr<Message> receiveMessage(const CopyDataStruct* data);

    // One received record from start to end: receive it, leave answers to our own requests alone,
    // hand everything else to process, and send the object back when it still asks for a reply.
    // Nothing thrown inside gets out.
    void handleRecord(const CopyDataStruct& data, const std::function<void(const std::shared_ptr<Message>&)>& process);

    // Opens the listening socket for the window title the host knows the viewer by.
    bool listen(const QString& windowTitle);
    void closeChannel();
    QString socketPath() const;
    // Where records from the host go; the main window's entry point in the viewer.
    void setRecordReceiver(std::function<void(const CopyDataStruct&)> receiver);
    // How long a send waits for the host's result, in ms (10 s unless changed).
    void setSendTimeout(int ms);
    static constexpr int DefaultSendTimeout = 10000;

    quint64 wParamValue = 0;
    WindowHandle peerWindow = 0;
    QMap<int, std::shared_ptr<Message>> pending;

private:
    ProcessCommunication();
    CopyDataChannel* channel();

    CopyDataChannel* m_channel = nullptr;
    std::function<void(const CopyDataStruct&)> m_receiver;
    int m_sendTimeout = DefaultSendTimeout;
};
