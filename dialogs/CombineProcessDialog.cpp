#include "dialogs/CombineProcessDialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

CombineProcessDialog::CombineProcessDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Merge"));
    setAccessibleName(tr("Merge progress"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setAccessibleName(tr("Merge step"));
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setAccessibleName(tr("Merge progress"));
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setAccessibleName(tr("Cancel merge"));
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    connect(m_cancel, &QPushButton::clicked, this, &CombineProcessDialog::requestCancel);
}

void CombineProcessDialog::requestCancel()
{
    if (!m_cancel->isEnabled())
        return;
    m_cancel->setEnabled(false);
    emit Cancel();
}

// The merge cannot be undone while it runs: the window button and Escape ask for the cancel as the
// button does, and the dialog stays until the merge reports its end (Show(false)).
void CombineProcessDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    requestCancel();
}

void CombineProcessDialog::reject()
{
    requestCancel();
}

void CombineProcessDialog::Show(bool show)
{
    if (show) {
        m_cancel->setEnabled(true);
        m_bar->setValue(0);
        QDialog::show();
    } else {
        hide();
    }
}

void CombineProcessDialog::SetProcess(QString text, float value)
{
    m_label->setText(text);
    m_bar->setValue(int(std::lround(std::max(0.0f, std::min(100.0f, value)))));
}
