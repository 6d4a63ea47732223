#pragma once

// The interference-check and combine dialogs.

#include "dialogs/CollisionDialog.h"

#include <QDialog>
#include <QString>

class CombineProcessDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CombineProcessDialog(QWidget* parent = nullptr) : QDialog(parent) {}
signals:
    void Cancel();
public slots:
    void Show(bool show) { setVisible(show); }
    void SetProcess(QString, float) {}
};

class PreferencesWidget : public QDialog
{
    Q_OBJECT
public:
    explicit PreferencesWidget(QWidget* parent = nullptr) : QDialog(parent) {}
    QString language;
    void refreshLanguages() {}
signals:
    void restart();
};
