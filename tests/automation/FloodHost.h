#pragma once

// A host of plain POSIX calls that sends a batch of frames without waiting for any answer, for a
// thread of its own while the test's thread plays the viewer. It answers every data frame the viewer
// sends with result 0, keeps their records, and counts the results it gets, until it has as many of
// both as it expects or the deadline passes.

#include <QByteArray>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace flood_host {

// A data frame: kind 2, serial, wParam 0, dwData, byte count, the record.
inline QByteArray dataFrame(qint64 dwData, const QByteArray& record, quint32 serial)
{
    QByteArray f;
    QDataStream s(&f, QIODevice::WriteOnly);
    s << quint8(2) << serial << quint64(0) << dwData << quint32(record.size());
    return f + record;
}

// Connects a local stream socket to the viewer's channel at path.
inline bool connectTo(int fd, const QString& path)
{
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    qstrncpy(addr.sun_path, QFile::encodeName(path).constData(), sizeof addr.sun_path);
    return ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
}

struct Outcome
{
    quint64 handle = 0;          // from the viewer's hello
    int results = 0;             // result frames received
    std::vector<QByteArray> records; // the viewer's own data frames, in arrival order
    QString failure;
};

class FloodHost
{
public:
    explicit FloodHost(const QString& path)
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (!connectTo(m_fd, path))
            return;
        ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
        if (pump(QByteArray(), [&] { return m_in.size() >= 13; }, 10000) && m_in.at(0) == char(1))
            outcome.handle = qFromBigEndian<quint64>(m_in.constData() + 5);
        m_in.remove(0, 13);
    }
    ~FloodHost() { ::close(m_fd); }

    // Sends frames and serves the viewer until wantResults results and wantRecords records came.
    void run(QByteArray frames, int wantResults, int wantRecords, int ms)
    {
        if (!pump(frames, [&] { return outcome.results >= wantResults && int(outcome.records.size()) >= wantRecords; },
                  ms) &&
            outcome.failure.isEmpty())
            outcome.failure = QStringLiteral("%1 results and %2 records by the deadline")
                                  .arg(outcome.results)
                                  .arg(outcome.records.size());
    }

    Outcome outcome;

private:
    template <typename Done>
    bool pump(QByteArray out, Done done, int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > ms)
                return false;
            pollfd p{m_fd, short(POLLIN | (out.isEmpty() ? 0 : POLLOUT)), 0};
            if (::poll(&p, 1, 100) < 0)
                return false;
            if ((p.revents & POLLOUT) && !out.isEmpty()) {
                const ssize_t put = ::write(m_fd, out.constData(), size_t(out.size()));
                if (put > 0)
                    out.remove(0, int(put));
            }
            if (p.revents & POLLIN) {
                char buffer[65536];
                const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
                if (got <= 0) {
                    outcome.failure = QStringLiteral("the viewer closed the connection");
                    return false;
                }
                m_in.append(buffer, int(got));
                if (outcome.handle != 0)
                    takeFrames(out);
            } else if (p.revents & (POLLERR | POLLHUP)) {
                outcome.failure = QStringLiteral("the viewer closed the connection");
                return false;
            }
        }
        return true;
    }

    void takeFrames(QByteArray& out)
    {
        for (;;) {
            if (m_in.size() >= 13 && m_in.at(0) == char(3)) {
                ++outcome.results;
                m_in.remove(0, 13);
            } else if (m_in.size() >= 25 && m_in.at(0) == char(2)) {
                const int length = int(qFromBigEndian<quint32>(m_in.constData() + 21));
                if (m_in.size() < 25 + length)
                    return;
                outcome.records.push_back(m_in.mid(25, length));
                QByteArray result;
                QDataStream s(&result, QIODevice::WriteOnly);
                s << quint8(3) << qFromBigEndian<quint32>(m_in.constData() + 1) << qint64(0);
                out += result;
                m_in.remove(0, 25 + length);
            } else {
                return;
            }
        }
    }

    int m_fd = -1;
    QByteArray m_in;
};

} // namespace flood_host
