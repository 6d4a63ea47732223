#include "panels/BookmarkDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>

void Ui_BookmarkDialogClass::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("BookmarkDialogClass"));
    dialog->resize(400, 300);
    dialog->setModal(true);
    gridLayout_2 = new QGridLayout(dialog);
    gridLayout_2->setObjectName(QStringLiteral("gridLayout_2"));
    label = new QLabel(dialog);
    label->setObjectName(QStringLiteral("label"));
    gridLayout_2->addWidget(label, 0, 0);
    lineEditName = new QLineEdit(dialog);
    lineEditName->setObjectName(QStringLiteral("lineEditName"));
    label->setBuddy(lineEditName);
    gridLayout_2->addWidget(lineEditName, 0, 1);
    groupBox = new QGroupBox(dialog);
    groupBox->setObjectName(QStringLiteral("groupBox"));
    gridLayout = new QGridLayout(groupBox);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    plainTextEditDescription = new QPlainTextEdit(groupBox);
    plainTextEditDescription->setObjectName(QStringLiteral("plainTextEditDescription"));
    gridLayout->addWidget(plainTextEditDescription, 0, 0);
    gridLayout_2->addWidget(groupBox, 1, 0, 1, 2);
    buttonBox = new QDialogButtonBox(dialog);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttonBox->setCenterButtons(false);
    gridLayout_2->addWidget(buttonBox, 2, 0, 1, 2);

    retranslateUi(dialog);
    QObject::connect(buttonBox, SIGNAL(accepted()), dialog, SLOT(accept()));
    QObject::connect(buttonBox, SIGNAL(rejected()), dialog, SLOT(reject()));
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_BookmarkDialogClass::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("BookmarkDialogClass", "Dialog"));
    label->setText(QCoreApplication::translate("BookmarkDialogClass", "Name (can't be empty)"));
    lineEditName->setToolTip(QCoreApplication::translate("BookmarkDialogClass", "Bookmark name"));
    lineEditName->setAccessibleName(lineEditName->toolTip());
    groupBox->setTitle(QCoreApplication::translate("BookmarkDialogClass", "Description"));
    groupBox->setAccessibleName(groupBox->title());
    plainTextEditDescription->setToolTip(QCoreApplication::translate("BookmarkDialogClass", "Bookmark description"));
    plainTextEditDescription->setAccessibleName(plainTextEditDescription->toolTip());
    buttonBox->setAccessibleName(QCoreApplication::translate("BookmarkDialogClass", "Dialog buttons"));
}

BookmarkDialog::BookmarkDialog(QWidget* parent) : QDialog(parent, Qt::WindowFlags(0x8000003))
{
    ui.setupUi(this);
    setAccessibleName(tr("Bookmark"));
    if (QPushButton* ok = ui.buttonBox->button(QDialogButtonBox::Ok)) {
        ok->setText(tr("ok"));
        ok->setAccessibleName(ok->text());
    }
    if (QPushButton* cancel = ui.buttonBox->button(QDialogButtonBox::Cancel)) {
        cancel->setText(tr("cacel"));
        cancel->setAccessibleName(cancel->text());
    }
}

QString BookmarkDialog::getName() const
{
    return ui.lineEditName->text();
}

QString BookmarkDialog::getDescription() const
{
    return ui.plainTextEditDescription->toPlainText();
}
