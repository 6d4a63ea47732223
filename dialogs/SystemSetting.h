#pragma once

#include <QColor>
#include <QDialog>

// The system settings dialog, kept in "config.ini" beside the program.
class SystemSetting : public QDialog
{
    Q_OBJECT
public:
    explicit SystemSetting(QWidget* parent = nullptr);
    void readConfig();

    // Ask before a whole-scene keyframe of a large model; the keyframe editor clears it on "不再提示".
    bool infoShow = true;

signals:
    void breakroundColorChanged(QColor color);
    void groundGridColorChanged(QColor color);

public slots:
    void setQuickAccessChanged();
};
