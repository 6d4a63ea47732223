#include "vantor/util/LogHandler.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace Vantor {

namespace {
constexpr int kMaxBuffered = 5000; // a log nobody reads must not grow without end
}

LogHandler* LogHandler::getInstance()
{
    static LogHandler* instance = new LogHandler(); // lives for the process; never destroyed while logging
    return instance;
}

LogHandler::LogHandler() = default;

QString LogHandler::levelName(int level)
{
    switch (level) {
    case LOG_TRACE: return QStringLiteral("Trace");
    case LOG_DEBUG: return QStringLiteral("Debug");
    case LOG_INFO: return QStringLiteral("Info");
    case LOG_WARNING: return QStringLiteral("Warning");
    default: return QStringLiteral("Error");
    }
}

void LogHandler::report(int level, const QString& text)
{
    const QString line = QStringLiteral("%1 [%2] %3")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                  levelName(level), text);
    bool emitNow = false;
    {
        QMutexLocker lock(&m_mutex);
        if (level < m_level)
            return;
        if (m_toFile)
            writeToFile(line);
        if (m_emitting) {
            emitNow = true;
        } else {
            m_buffer.append(line);
            if (m_buffer.size() > kMaxBuffered)
                m_buffer.removeFirst();
        }
    }
    if (level >= LOG_WARNING)
        fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    if (emitNow)
        emit newMessage(line);
}

void LogHandler::writeToFile(const QString& line)
{
    const QString dir = m_directory.isEmpty() ? QDir::currentPath() : m_directory;
    QDir().mkpath(dir);
    QFile f(dir + QStringLiteral("/NerioViewer_") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + ".log");
    if (f.open(QIODevice::Append | QIODevice::Text)) {
        QTextStream out(&f);
        out.setCodec("UTF-8");
        out << line << '\n';
    }
}

void LogHandler::setLogToFile(bool on)
{
    QMutexLocker lock(&m_mutex);
    m_toFile = on;
}

void LogHandler::setLogDirectory(const QString& directory)
{
    QMutexLocker lock(&m_mutex);
    m_directory = directory;
}

QString LogHandler::logFilePath() const
{
    QMutexLocker lock(&m_mutex);
    const QString dir = m_directory.isEmpty() ? QDir::currentPath() : m_directory;
    return dir + QStringLiteral("/NerioViewer_") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + ".log";
}

void LogHandler::setMessageLevel(int level)
{
    QMutexLocker lock(&m_mutex);
    m_level = qBound(int(LOG_TRACE), level, int(LOG_ERROR));
}

int LogHandler::messageLevel() const
{
    QMutexLocker lock(&m_mutex);
    return m_level;
}

void LogHandler::startEmission(bool on)
{
    QStringList pending;
    {
        QMutexLocker lock(&m_mutex);
        m_emitting = on;
        if (on)
            pending.swap(m_buffer);
    }
    if (!pending.isEmpty())
        emit newMessages(pending);
}

} // namespace Vantor
