#pragma once

#include <QMutex>
#include <QObject>
#include <QStringList>

#include <string>

namespace Vantor {

enum LogLevel { LOG_TRACE = 0, LOG_DEBUG = 1, LOG_INFO = 2, LOG_WARNING = 3, LOG_ERROR = 4 };

// Process-wide log. Messages below the message level are dropped. Until startEmission(true)
// messages are buffered, so whatever was logged before the log dock existed still reaches it.
// Safe to call from any thread; the signals reach GUI receivers queued.
class LogHandler : public QObject
{
    Q_OBJECT
public:
    static LogHandler* getInstance();

    void report(int level, const QString& text);
    void reportTrace(const QString& text) { report(LOG_TRACE, text); }
    void reportDebug(const QString& text) { report(LOG_DEBUG, text); }
    void reportInfo(const QString& text) { report(LOG_INFO, text); }
    void reportWarning(const QString& text) { report(LOG_WARNING, text); }
    void reportError(const QString& text) { report(LOG_ERROR, text); }
    void reportInfo(const std::string& text) { reportInfo(QString::fromStdString(text)); }
    void reportWarning(const std::string& text) { reportWarning(QString::fromStdString(text)); }
    void reportError(const std::string& text) { reportError(QString::fromStdString(text)); }

    void setLogToFile(bool on);
    void setLogDirectory(const QString& directory);
    void setMessageLevel(int level);
    int messageLevel() const;
    QString logFilePath() const;

    // Starts (true) or pauses (false) signal emission; starting delivers the buffer as one newMessages.
    void startEmission(bool on);

    // Mirrors the file-logging switch; the settings code sets it beside setLogToFile.
    bool m_logToFile = false;

signals:
    void newMessage(const QString& text);
    void newMessages(const QStringList& texts);

private:
    LogHandler();
    static QString levelName(int level);
    void writeToFile(const QString& line);

    mutable QMutex m_mutex;
    bool m_toFile = false;
    bool m_emitting = false;
    int m_level = LOG_INFO;
    QString m_directory;
    QStringList m_buffer;
};

} // namespace Vantor
