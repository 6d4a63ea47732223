#include "dialogs/ProgressForm.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

void ProgressForm::setupUi(QDialog* dialog)
{
    dialog->resize(445, 112);
    dialog->setSizeIncrement(QSize(0, 3));
    verticalLayout = new QVBoxLayout(dialog);
    label = new QLabel(dialog);
    label->setAlignment(Qt::AlignCenter);
    label->setAccessibleName(QStringLiteral("Progress text"));
    verticalLayout->addWidget(label);
    horizontalLayout = new QHBoxLayout;
    progressBar = new QProgressBar(dialog);
    progressBar->setValue(24);
    progressBar->setAccessibleName(QStringLiteral("Progress"));
    horizontalLayout->addWidget(progressBar);
    pushButton = new QPushButton(dialog);
    pushButton->setAccessibleName(QStringLiteral("Cancel"));
    horizontalLayout->addWidget(pushButton);
    verticalLayout->addLayout(horizontalLayout);
    retranslateUi(dialog);
}

void ProgressForm::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(tr("碰撞"));
    label->setText(QString());
    pushButton->setText(tr("取消"));
}
