#include "dialogs/CollisionCancelDialog.h"

#include "dialogs/MyCollisionCallback.h"

#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

CollisionCancelDialog::CollisionCancelDialog(QWidget* parent) : QDialog(parent)
{
    m_form.setupUi(this);
    m_form.progressBar->setValue(0);
    setModal(true);
    setWindowFlags(Qt::WindowFlags(0x8000003)); // dialog with a close button
    setFixedSize(445, 111);
    setWindowTitle(tr("干涉检查计算进度"));
    setWindowIcon(QIcon(QStringLiteral(":/VantorViewer/Nerio3dViewer.ico")));
    setAccessibleName(QStringLiteral("Interference check progress"));
    connect(m_form.pushButton, &QPushButton::clicked, this, &CollisionCancelDialog::OnCollisionCancel);
    connect(this, &QDialog::finished, this, &CollisionCancelDialog::OnCloseCancelDialog);
}

CollisionCancelDialog::~CollisionCancelDialog() = default;

void CollisionCancelDialog::setCallback(std::shared_ptr<MyCollisionCallback> callback)
{
    m_callback = std::move(callback);
}

void CollisionCancelDialog::SetProcess(int value)
{
    m_form.progressBar->setValue(value);
    if (m_callback)
        m_callback->onResultsChanged(); // the result table follows every step
}

void CollisionCancelDialog::OnCollisionCancel()
{
    if (m_callback)
        m_callback->Stop();
}

void CollisionCancelDialog::OnHideCancelDialog()
{
    hide();
    m_form.progressBar->setValue(0);
}

void CollisionCancelDialog::OnCloseCancelDialog(int)
{
    if (m_callback)
        m_callback->Stop();
}

void CollisionCancelDialog::OnUpdateCollisonPair(QString first, QString second)
{
    m_form.label->setText(first + QStringLiteral(" vs ") + second);
}
