#include "hostchannel/CopyDataChannel.h"

#include "vantor/util/LogHandler.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QSet>
#include <QtEndian>

#include <exception>

#include <unistd.h>

namespace {

void logWarning(const QString& text) { Vantor::LogHandler::getInstance()->reportWarning(text); }

template <typename T>
void appendBig(QByteArray& out, T value)
{
    const T big = qToBigEndian(value);
    out.append(reinterpret_cast<const char*>(&big), sizeof big);
}

QByteArray resultFrame(quint32 serial, qint64 result)
{
    QByteArray f;
    f.append(static_cast<char>(CopyDataChannel::FrameResult));
    appendBig(f, serial);
    appendBig(f, result);
    return f;
}

} // namespace

struct CopyDataChannel::Connection
{
    WindowHandle handle = 0;
    QPointer<QLocalSocket> socket;
    HostFrameReader frames;   // kept here, not on the stack, because frames are handled nested
    quint32 nextSerial = 1;
    QSet<quint32> waiting;    // serials of our sends still waiting for their result
    QHash<quint32, qint64> results;
    std::deque<HostFrame> queued; // records received, not yet handled, in arrival order
    qint64 queuedBytes = 0;
    bool closed = false;
    bool hungUp = false;      // the peer has gone; dropped once its queued records are handled
};

QString CopyDataChannel::socketPathForTitle(const QString& title)
{
    const QByteArray digest = QCryptographicHash::hash(title.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QDir::tempPath() + QStringLiteral("/nerio3d-%1-%2")
                                  .arg(static_cast<qulonglong>(::getuid()))
                                  .arg(QString::fromLatin1(digest.left(32)));
}

CopyDataChannel::CopyDataChannel(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &CopyDataChannel::onNewConnection);
}

CopyDataChannel::~CopyDataChannel()
{
    close();
}

bool CopyDataChannel::listen(const QString& path)
{
    close();
    {
        // Another live viewer with the same title keeps its name; only a stale file is replaced.
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(500)) {
            probe.abort();
            Vantor::LogHandler::getInstance()->reportError(
                QStringLiteral("Host channel: another viewer already listens on %1").arg(path));
            return false;
        }
    }
    QLocalServer::removeServer(path);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        Vantor::LogHandler::getInstance()->reportError(
            QStringLiteral("Host channel: cannot listen on %1: %2").arg(path, m_server->errorString()));
        return false;
    }
    return true;
}

void CopyDataChannel::close()
{
    const auto connections = m_connections.values();
    for (const ConnectionPtr& conn : connections)
        dropConnection(conn, QString());
    if (m_server->isListening())
        m_server->close();
}

bool CopyDataChannel::isListening() const { return m_server->isListening(); }

QString CopyDataChannel::serverPath() const { return m_server->fullServerName(); }

void CopyDataChannel::setReceiver(Receiver receiver) { m_receiver = std::move(receiver); }

void CopyDataChannel::setSendTimeout(int ms) { m_sendTimeout = ms; }

int CopyDataChannel::connectionCount() const { return m_connections.size(); }

void CopyDataChannel::setHeldLimit(qint64 bytes) { m_heldLimit = bytes; }

qint64 CopyDataChannel::heldBytes() const
{
    qint64 total = 0;
    for (const ConnectionPtr& conn : m_connections)
        total += conn->frames.heldBytes() + conn->queuedBytes;
    return total;
}

bool CopyDataChannel::isWindow(WindowHandle handle) const
{
    const ConnectionPtr conn = m_connections.value(handle);
    return conn && !conn->closed && conn->socket && conn->socket->state() == QLocalSocket::ConnectedState;
}

void CopyDataChannel::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        auto conn = std::make_shared<Connection>();
        conn->handle = m_nextHandle++;
        conn->socket = socket;
        m_connections.insert(conn->handle, conn);
        std::weak_ptr<Connection> weak = conn;
        connect(socket, &QLocalSocket::readyRead, this, [this, weak] {
            if (ConnectionPtr c = weak.lock())
                readAndProcess(c);
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, weak] {
            if (ConnectionPtr c = weak.lock()) {
                readAndProcess(c); // what arrived before the close still counts
                if (c->closed)
                    return;
                if (c->frames.insideFrame())
                    logWarning(QStringLiteral("Host channel: connection %1 closed inside a frame; dropped")
                                   .arg(c->handle));
                if (c->queued.empty())
                    dropConnection(c, QString());
                else
                    c->hungUp = true; // its records wait for the handling they are queued behind
            }
        });

        QByteArray hello;
        hello.append(static_cast<char>(FrameHello));
        appendBig(hello, ProtocolVersion);
        appendBig(hello, conn->handle);
        socket->write(hello);
        socket->flush();
    }
}

void CopyDataChannel::readAndProcess(const ConnectionPtr& conn)
{
    if (conn->closed || !conn->socket)
        return;
    // Qt does not emit readyRead again while its slot runs, and handling a frame may nest a send that
    // waits: bytes that came meanwhile are taken here, or they would wait for the peer's next write.
    do {
        if (conn->socket->bytesAvailable() > 0) {
            conn->frames.append(conn->socket->readAll());
            if (heldBytes() > m_heldLimit) {
                logWarning(QStringLiteral("Host channel: connection %1 sends more than the %2 bytes held for "
                                          "records not yet handled; connection closed")
                               .arg(conn->handle)
                               .arg(m_heldLimit));
                dropConnection(conn, QString());
                return;
            }
        }
        takeFrames(conn);
    } while (!conn->closed && conn->socket && conn->socket->bytesAvailable() > 0);
    serveQueued();
}

void CopyDataChannel::serveOthers(WindowHandle busy)
{
    if (m_server->isListening() && (m_server->hasPendingConnections() || m_server->waitForNewConnection(0)))
        onNewConnection();
    const auto connections = m_connections.values();
    for (const ConnectionPtr& other : connections) {
        if (other->handle == busy || other->closed || !other->socket)
            continue;
        if (other->socket->bytesAvailable() > 0 || other->socket->waitForReadyRead(0))
            readAndProcess(other);
    }
}

void CopyDataChannel::takeFrames(const ConnectionPtr& conn)
{
    while (!conn->closed) {
        HostFrame frame;
        QString reason;
        const HostFrameReader::Result got = conn->frames.next(frame, &reason);
        if (got == HostFrameReader::NeedMore)
            break;
        if (got == HostFrameReader::Malformed) {
            dropConnection(conn, reason);
            return;
        }
        if (frame.kind == FrameResult) {
            if (conn->waiting.remove(frame.serial))
                conn->results.insert(frame.serial, frame.value);
            // else: the answer to a send that gave up waiting; nobody wants it any more.
        } else {
            conn->queuedBytes += frame.data.size();
            conn->queued.push_back(std::move(frame));
        }
    }
}

void CopyDataChannel::serveQueued()
{
    // Each handled record may send and wait, and the wait comes back here: the depth stays bounded
    // by the nesting limit whatever a host floods, and what is queued is taken up by the level that
    // returns. Connections take turns, each in its own order.
    bool served = true;
    while (served && m_nesting < MaxNestedRecords) {
        served = false;
        const auto connections = m_connections.values();
        for (const ConnectionPtr& conn : connections) {
            if (m_nesting >= MaxNestedRecords)
                break;
            if (conn->closed || conn->queued.empty())
                continue;
            HostFrame frame = std::move(conn->queued.front());
            conn->queued.pop_front();
            conn->queuedBytes -= frame.data.size();
            CopyDataStruct data;
            data.dwData = frame.value;
            data.data = std::move(frame.data);
            ++m_nesting;
            dispatchData(conn, frame.serial, frame.wParam, data);
            --m_nesting;
            served = true;
            if (conn->hungUp && !conn->closed && conn->queued.empty())
                dropConnection(conn, QString());
        }
    }
}

void CopyDataChannel::dispatchData(const ConnectionPtr& conn, quint32 serial, quint64 wParam,
                                   const CopyDataStruct& data)
{
    qint64 result = 0;
    if (m_receiver) {
        try {
            result = m_receiver(wParam, data);
        } catch (const std::exception& e) {
            Vantor::LogHandler::getInstance()->reportError(
                QStringLiteral("Host channel: handling a record failed: %1").arg(QString::fromLocal8Bit(e.what())));
        } catch (...) {
            Vantor::LogHandler::getInstance()->reportError(QStringLiteral("Host channel: handling a record failed"));
        }
    }
    // The sender is blocked until this arrives, even when the handler failed.
    if (!conn->closed && conn->socket && conn->socket->state() == QLocalSocket::ConnectedState) {
        conn->socket->write(resultFrame(serial, result));
        conn->socket->flush();
    }
}

bool CopyDataChannel::sendCopyData(WindowHandle peer, quint64 wParam, const CopyDataStruct& data, qint64* result)
{
    if (!isWindow(peer))
        return false;
    if (static_cast<quint64>(data.data.size()) > MaxRecordBytes) {
        logWarning(QStringLiteral("Host channel: record of %1 bytes not sent, above the limit").arg(data.data.size()));
        return false;
    }
    const ConnectionPtr conn = m_connections.value(peer);
    const quint32 serial = conn->nextSerial++;

    QByteArray frame;
    frame.reserve(DataHeaderSize + data.data.size());
    frame.append(static_cast<char>(FrameData));
    appendBig(frame, serial);
    appendBig(frame, wParam);
    appendBig(frame, data.dwData);
    appendBig(frame, static_cast<quint32>(data.data.size()));
    frame.append(data.data);

    conn->waiting.insert(serial);
    conn->socket->write(frame);
    conn->socket->flush();

    QElapsedTimer clock;
    clock.start();
    for (;;) {
        readAndProcess(conn); // handles the peer's own records nested, as a blocked send does
        auto it = conn->results.find(serial);
        if (it != conn->results.end()) {
            if (result)
                *result = it.value();
            conn->results.erase(it);
            return true;
        }
        if (conn->closed || !conn->socket || conn->socket->state() != QLocalSocket::ConnectedState) {
            conn->waiting.remove(serial);
            return false;
        }
        // Short slices: the other hosts are answered and new ones accepted while this peer is silent.
        serveOthers(peer);
        if (conn->closed || !conn->socket)
            continue;
        int slice = 10;
        if (m_sendTimeout >= 0) {
            const qint64 left = m_sendTimeout - clock.elapsed();
            if (left <= 0) {
                conn->waiting.remove(serial);
                logWarning(QStringLiteral("Host channel: no answer from connection %1 within %2 ms")
                               .arg(peer)
                               .arg(m_sendTimeout));
                return false;
            }
            slice = static_cast<int>(qMin<qint64>(left, slice));
        }
        if (conn->socket->bytesAvailable() == 0)
            conn->socket->waitForReadyRead(slice);
    }
}

void CopyDataChannel::dropConnection(const ConnectionPtr& conn, const QString& reason)
{
    if (!reason.isEmpty())
        logWarning(QStringLiteral("Host channel: malformed data from connection %1 (%2); connection closed")
                       .arg(conn->handle)
                       .arg(reason));
    const bool wasOpen = !conn->closed;
    conn->closed = true;
    conn->frames = HostFrameReader();
    conn->queued.clear();
    conn->queuedBytes = 0;
    conn->waiting.clear();
    m_connections.remove(conn->handle);
    if (wasOpen && conn->socket) {
        QLocalSocket* socket = conn->socket;
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}
