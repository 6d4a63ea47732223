#include "HostConnection.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <unistd.h>

namespace nerio_host {

namespace {

constexpr quint8 kHello = 1;
constexpr quint8 kData = 2;
constexpr quint8 kResult = 3;
constexpr quint32 kMaxRecord = 128u * 1024u * 1024u;

quint64 readBig(const QByteArray& b, int pos, int count)
{
    quint64 v = 0;
    for (int i = 0; i < count; ++i)
        v = (v << 8) | static_cast<uchar>(b[pos + i]);
    return v;
}

void putBig(QByteArray& out, quint64 v, int count)
{
    for (int i = count - 1; i >= 0; --i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xff));
}

} // namespace

QString socketPathForTitle(const QString& title)
{
    const QByteArray hex = QCryptographicHash::hash(title.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return QDir::tempPath() + QStringLiteral("/nerio3d-") + QString::number(static_cast<qulonglong>(::getuid())) +
           QLatin1Char('-') + QString::fromLatin1(hex);
}

bool HostConnection::connectTo(const QString& path, int timeoutMs, QString* error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("no viewer listens at %1").arg(path);
        return false;
    }
    // A socket planted by another user must not receive what we send.
    if (info.ownerId() != ::getuid()) {
        *error = QStringLiteral("%1 belongs to another user").arg(path);
        return false;
    }
    m_socket.connectToServer(path);
    if (!m_socket.waitForConnected(timeoutMs)) {
        *error = QStringLiteral("cannot connect to %1: %2").arg(path, m_socket.errorString());
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (m_inbox.size() < 13) {
        const int left = timeoutMs - static_cast<int>(clock.elapsed());
        if (left <= 0 || !m_socket.waitForReadyRead(left)) {
            *error = QStringLiteral("the viewer did not greet");
            return false;
        }
        m_inbox.append(m_socket.readAll());
    }
    if (static_cast<uchar>(m_inbox[0]) != kHello) {
        *error = QStringLiteral("unexpected greeting");
        return false;
    }
    m_handle = readBig(m_inbox, 5, 8);
    m_inbox.remove(0, 13);
    return true;
}

bool HostConnection::writeRaw(const QByteArray& bytes)
{
    if (m_socket.write(bytes) != bytes.size())
        return false;
    return m_socket.waitForBytesWritten(5000) || m_socket.bytesToWrite() == 0;
}

void HostConnection::close()
{
    m_socket.disconnectFromServer();
    if (m_socket.state() != QLocalSocket::UnconnectedState)
        m_socket.waitForDisconnected(1000);
}

bool HostConnection::send(quint64 wParam, qint64 dwData, const QByteArray& bytes, qint64* result, int timeoutMs,
                          QString* error)
{
    const quint32 serial = m_nextSerial++;
    QByteArray frame;
    frame.append(static_cast<char>(kData));
    putBig(frame, serial, 4);
    putBig(frame, wParam, 8);
    putBig(frame, static_cast<quint64>(dwData), 8);
    putBig(frame, static_cast<quint32>(bytes.size()), 4);
    frame.append(bytes);

    // Sends from inside a record handler nest; keep the outer wait's state.
    const quint32 outerSerial = m_waitingSerial;
    const bool outerGot = m_gotResult;
    const qint64 outerResult = m_result;
    m_waitingSerial = serial;
    m_gotResult = false;

    bool ok = m_socket.write(frame) == frame.size();
    QElapsedTimer clock;
    clock.start();
    while (ok && !m_gotResult) {
        const int left = timeoutMs - static_cast<int>(clock.elapsed());
        if (left <= 0) {
            *error = QStringLiteral("no answer within %1 ms").arg(timeoutMs);
            ok = false;
            break;
        }
        if (!pump(left)) {
            *error = QStringLiteral("the viewer closed the connection");
            ok = false;
        }
    }
    if (ok && result)
        *result = m_result;
    m_waitingSerial = outerSerial;
    m_gotResult = outerGot;
    m_result = outerResult;
    return ok;
}

bool HostConnection::serve(int ms, const std::function<bool()>& stop)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (!pump(0))
            return false;
        if (stop && stop())
            return true;
        const int left = ms - static_cast<int>(clock.elapsed());
        if (left <= 0)
            return true;
        if (!pump(qMin(left, 100)))
            return false;
    }
}

bool HostConnection::pump(int waitMs)
{
    if (m_broken)
        return false;
    m_socket.flush();
    if (m_socket.bytesAvailable() == 0 && waitMs > 0)
        m_socket.waitForReadyRead(waitMs);
    if (m_socket.bytesAvailable() > 0)
        m_inbox.append(m_socket.readAll());
    if (!handleFrames())
        return false;
    return m_socket.state() == QLocalSocket::ConnectedState || m_gotResult;
}

bool HostConnection::handleFrames()
{
    for (;;) {
        if (m_inbox.isEmpty())
            return true;
        const quint8 kind = static_cast<uchar>(m_inbox[0]);
        if (kind == kResult) {
            if (m_inbox.size() < 13)
                return true;
            const quint32 serial = static_cast<quint32>(readBig(m_inbox, 1, 4));
            const qint64 value = static_cast<qint64>(readBig(m_inbox, 5, 8));
            m_inbox.remove(0, 13);
            if (serial == m_waitingSerial) {
                m_gotResult = true;
                m_result = value;
            }
        } else if (kind == kData) {
            if (m_inbox.size() < 25)
                return true;
            const quint32 serial = static_cast<quint32>(readBig(m_inbox, 1, 4));
            const quint64 wParam = readBig(m_inbox, 5, 8);
            const qint64 dwData = static_cast<qint64>(readBig(m_inbox, 13, 8));
            const quint32 count = static_cast<quint32>(readBig(m_inbox, 21, 4));
            if (count > kMaxRecord) {
                m_broken = true;
                m_socket.abort();
                return false;
            }
            if (static_cast<quint32>(m_inbox.size() - 25) < count)
                return true;
            const QByteArray bytes = m_inbox.mid(25, static_cast<int>(count));
            m_inbox.remove(0, 25 + static_cast<int>(count));
            const qint64 value = m_handler ? m_handler(wParam, dwData, bytes) : 0;
            QByteArray answer;
            answer.append(static_cast<char>(kResult));
            putBig(answer, serial, 4);
            putBig(answer, static_cast<quint64>(value), 8);
            m_socket.write(answer);
            m_socket.flush();
        } else {
            m_broken = true;
            m_socket.abort();
            return false;
        }
    }
}

} // namespace nerio_host
