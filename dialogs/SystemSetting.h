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

signals:
    void breakroundColorChanged(QColor color);
    void groundGridColorChanged(QColor color);

public slots:
    void setQuickAccessChanged();
};
