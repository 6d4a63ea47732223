#pragma once

// The host's end of the viewer's local-socket channel, blocking, no event loop needed.
// Frames (big-endian): hello u8 1, u32 version, u64 our handle (viewer to host, once);
// data u8 2, u32 serial, u64 wParam, i64 dwData, u32 count, bytes; result u8 3, u32 serial, i64 result.

#include <QByteArray>
#include <QLocalSocket>
#include <QString>

#include <functional>

namespace nerio_host {

// Where a viewer started with "--ocx <title>" listens: the temporary folder, "/nerio3d-", our user
// id, "-" and the first 32 hex digits of the SHA-256 of the title's UTF-8 bytes.
QString socketPathForTitle(const QString& title);

class HostConnection
{
public:
    // Called for every record the viewer sends; its value is the send's result (0: handled).
    using RecordHandler = std::function<qint64(quint64 wParam, qint64 dwData, const QByteArray& bytes)>;

    // Connects, checks that the socket belongs to us and reads the hello with our handle.
    bool connectTo(const QString& path, int timeoutMs, QString* error);
    quint64 handle() const { return m_handle; }

    void setRecordHandler(RecordHandler handler) { m_handler = std::move(handler); }

    // Sends one record and waits for the viewer's result, handling the viewer's records meanwhile.
    bool send(quint64 wParam, qint64 dwData, const QByteArray& bytes, qint64* result, int timeoutMs,
              QString* error);

    // Handles whatever the viewer sends for up to ms (0: only what has already arrived).
    // Stops early when stop returns true. False when the connection is gone.
    bool serve(int ms, const std::function<bool()>& stop = {});

    // Writes bytes as they are, for tests of the viewer's frame checks.
    bool writeRaw(const QByteArray& bytes);

    bool isConnected() const { return m_socket.state() == QLocalSocket::ConnectedState; }
    void close();

private:
    bool pump(int waitMs);
    bool handleFrames();

    QLocalSocket m_socket;
    QByteArray m_inbox;
    quint64 m_handle = 0;
    quint32 m_nextSerial = 1;
    quint32 m_waitingSerial = 0;
    bool m_gotResult = false;
    qint64 m_result = 0;
    bool m_broken = false;
    RecordHandler m_handler;
};

} // namespace nerio_host
