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
