#pragma once

#include "common/Prompts.h"
#include "dialogs/SystemSetting.h"

#include <QAction>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

namespace settings_test {

// "config.ini" lives in a folder of the test's own while the fixture lives.
struct ConfigFolder
{
    QTemporaryDir dir;
    ConfigFolder() { SystemSetting::setConfigDirectory(dir.path()); }
    ~ConfigFolder() { SystemSetting::setConfigDirectory(QString()); }
    QString path() const { return dir.path() + "/config.ini"; }
    void write(const QByteArray& text) const
    {
        QFile f(path());
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text);
    }
    QByteArray read() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// Answers every prompt without showing it and records what was asked.
struct ScriptedPrompts : Prompts
{
    QStringList warnings;
    QStringList questions;
    QMessageBox::StandardButton answer = QMessageBox::No;
    QColor colour;                // what the colour dialog "returns"; invalid means cancelled
    QList<QColor> colourStarts;   // the colours each colour dialog started from
    QString directory;

    ScriptedPrompts() { Prompts::set(this); }
    ~ScriptedPrompts() override { Prompts::set(nullptr); }
    void warning(QWidget*, const QString&, const QString& text) override { warnings << text; }
    QMessageBox::StandardButton question(QWidget*, const QString&, const QString& text,
                                         QMessageBox::StandardButtons) override
    {
        questions << text;
        return answer;
    }
    QColor getColor(const QColor& initial, QWidget*, const QString&) override
    {
        colourStarts << initial;
        return colour;
    }
    QString getExistingDirectory(QWidget*, const QString&, const QString&) override { return directory; }
};

// A settings dialog offering actions of the test's own instead of a main window's.
class ActionsSetting : public SystemSetting
{
public:
    QMap<QString, QAction*> actions;
    explicit ActionsSetting(const QStringList& keys = {})
    {
        for (const QString& key : keys) {
            auto* a = new QAction(QStringLiteral("Text of ") + key, this);
            actions.insert(key, a);
        }
    }

protected:
    QMap<QString, QAction*> actionMap() const override { return actions; }
};

} // namespace settings_test
