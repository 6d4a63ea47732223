#pragma once

#include <QSettings>

// The program's settings store; every part of the program opens its own on the same names.
class AppSettings : public QSettings
{
    Q_OBJECT
public:
    AppSettings(const QString& organization, const QString& application, QObject* parent = nullptr)
        : QSettings(organization, application, parent)
    {
    }
};
