#pragma once

#include <QDialog>
#include <QString>

class QCloseEvent;
class QLabel;
class QProgressBar;
class QPushButton;

// Progress of a merge: a label, a bar (0..100) and a cancel button. Shown window-modal without a
// loop of its own, so the merge's queued progress keeps arriving while it is open.
class CombineProcessDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CombineProcessDialog(QWidget* parent = nullptr);

    QProgressBar* progressBar() const { return m_bar; }
    QLabel* label() const { return m_label; }
    QPushButton* cancelButton() const { return m_cancel; }

signals:
    void Cancel();

public slots:
    void Show(bool show);
    void SetProcess(QString text, float value);
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void requestCancel();

    QLabel* m_label = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
};
