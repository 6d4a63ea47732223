#pragma once

// The copy-data transport between the viewer and an embedding
// host: the viewer listens on a per-user local socket named after its window title, each host
// connection is a "window" with an opaque handle, and a send blocks until the peer has handled the
// record, handling whatever the peer sends meanwhile (nested), as a synchronous window message does.
// The nesting is bounded: a record that arrives while MaxNestedRecords are being handled waits in
// its connection's queue and is handled, in arrival order, once one of them has returned.
//
// Frames (all numbers big-endian):
//   hello  (viewer to host, once on connect): u8 1, u32 protocol version, u64 the host's handle
//   data   (both ways): u8 2, u32 serial, u64 wParam, i64 dwData, u32 byte count, the bytes
//   result (answer to a data frame): u8 3, u32 serial of that data frame, i64 result
// A frame that is malformed or larger than the cap closes the connection, and so does a connection
// whose bytes push what the channel holds for records not yet handled past its limit.

#include "hostchannel/HostFrameReader.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <memory>

class QLocalServer;

// What a window receives with a copy-data message: the sender's id and the bytes (cbData = size).
struct CopyDataStruct
{
    qint64 dwData = 0;
    QByteArray data;
};

// Names one connected host; 0 names none.
using WindowHandle = quint64;

class CopyDataChannel : public QObject
{
    Q_OBJECT
public:
    // Receives one record; its return value goes back to the sender as the send's result.
    using Receiver = std::function<qint64(quint64 wParam, const CopyDataStruct& data)>;

    static constexpr quint8 FrameHello = HostFrameReader::FrameHello;
    static constexpr quint8 FrameData = HostFrameReader::FrameData;
    static constexpr quint8 FrameResult = HostFrameReader::FrameResult;
    static constexpr quint32 ProtocolVersion = 1;
    static constexpr int DataHeaderSize = HostFrameReader::DataHeaderSize;
    static constexpr int ResultFrameSize = HostFrameReader::ResultFrameSize;
    static constexpr int HelloFrameSize = HostFrameReader::HelloFrameSize;
    // Larger records are refused on sending and close the connection on receiving.
    static constexpr quint32 MaxRecordBytes = HostFrameReader::MaxRecordBytes;
    // Records handled inside one another at most (each waits inside a send of its own).
    static constexpr int MaxNestedRecords = 8;
    // Bytes held at most, over all connections, for frames not yet whole and records not yet handled.
    static constexpr qint64 DefaultHeldLimit = 2 * qint64(MaxRecordBytes);

    // Socket path for a window title: the temporary folder, "/nerio3d-", the user id, "-" and the first
    // 32 hex digits (lower case) of the SHA-256 of the title's UTF-8 bytes.
    static QString socketPathForTitle(const QString& title);

    explicit CopyDataChannel(QObject* parent = nullptr);
    ~CopyDataChannel() override;

    // Listens on path, readable and writable by this user only. Fails when another live server
    // already answers there; a stale socket file left by a crashed viewer is replaced.
    bool listen(const QString& path);
    void close();
    bool isListening() const;
    QString serverPath() const;

    void setReceiver(Receiver receiver);

    // True while the connection with that handle is open.
    bool isWindow(WindowHandle handle) const;

    // Sends one record and blocks until the peer's result arrives; false when there is no such
    // peer, the record is too large, the peer goes away or the wait runs out.
    bool sendCopyData(WindowHandle peer, quint64 wParam, const CopyDataStruct& data, qint64* result = nullptr);

    // Limit on waiting for a peer's result in ms; -1 waits as long as the peer stays connected.
    void setSendTimeout(int ms);

    int connectionCount() const;

    // What heldBytes() may reach before the connection whose bytes pass it is closed.
    void setHeldLimit(qint64 bytes);
    // Bytes held now for frames not yet whole and records waiting to be handled.
    qint64 heldBytes() const;

private:
    struct Connection;
    using ConnectionPtr = std::shared_ptr<Connection>;

    void onNewConnection();
    void readAndProcess(const ConnectionPtr& conn);
    // Accepts new hosts and handles what every connection but busy has sent.
    void serveOthers(WindowHandle busy);
    // Takes the whole frames out of what conn has received: results are filed, records queued.
    void takeFrames(const ConnectionPtr& conn);
    // Handles queued records of every connection, oldest first, while the nesting allows.
    void serveQueued();
    void dispatchData(const ConnectionPtr& conn, quint32 serial, quint64 wParam, const CopyDataStruct& data);
    void dropConnection(const ConnectionPtr& conn, const QString& reason);

    QLocalServer* m_server = nullptr;
    QHash<WindowHandle, ConnectionPtr> m_connections;
    WindowHandle m_nextHandle = 1;
    Receiver m_receiver;
    int m_sendTimeout = -1;
    int m_nesting = 0; // records being handled inside one another now
    qint64 m_heldLimit = DefaultHeldLimit;
};
