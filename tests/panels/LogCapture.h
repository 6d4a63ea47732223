#pragma once

// Collects what reaches the log handler while it lives.

#include "vantor/util/LogHandler.h"

#include <QMetaObject>
#include <QStringList>

struct LogCapture
{
    QStringList lines;
    QMetaObject::Connection connection;

    LogCapture()
    {
        Vantor::LogHandler* log = Vantor::LogHandler::getInstance();
        log->startEmission(true);
        connection = QObject::connect(log, &Vantor::LogHandler::newMessage, [this](const QString& line) { lines << line; });
    }
    ~LogCapture() { QObject::disconnect(connection); }

    // Whether a line ends with the text (lines start with the time and the level).
    bool has(const QString& text) const
    {
        for (const QString& line : lines)
            if (line.endsWith(text))
                return true;
        return false;
    }
    bool hasLevel(const QString& level, const QString& text) const
    {
        for (const QString& line : lines)
            if (line.endsWith(text) && line.contains(QStringLiteral("[%1]").arg(level)))
                return true;
        return false;
    }
};
