#pragma once

#include "dialogs/ProgressForm.h"

#include <QDialog>
#include <QString>

#include <memory>

class MyCollisionCallback;

// The modal progress of a running interference check: the pair being checked, the percentage, and a
// button (and the close button) that stop the check.
class CollisionCancelDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CollisionCancelDialog(QWidget* parent = nullptr);
    ~CollisionCancelDialog() override;

    // The callback of the running check; null when none runs.
    void setCallback(std::shared_ptr<MyCollisionCallback> callback);
    std::shared_ptr<MyCollisionCallback> callback() const { return m_callback; }

    ProgressForm& form() { return m_form; }

public slots:
    void SetProcess(int value);
    void OnCollisionCancel();
    void OnHideCancelDialog();
    void OnCloseCancelDialog(int result);
    void OnUpdateCollisonPair(QString first, QString second);

private:
    ProgressForm m_form;
    std::shared_ptr<MyCollisionCallback> m_callback;
};
