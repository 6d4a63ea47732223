#pragma once

// The interference-check, combine and preferences dialogs.

#include "dialogs/CollisionDialog.h"
#include "dialogs/PreferencesWidget.h"

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
