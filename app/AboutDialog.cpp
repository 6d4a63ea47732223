#include "app/AboutDialog.h"

#include "ui_AboutDialog.h"

#include <QDate>
#include <QLocale>

#ifndef NERIO_VERSION
#define NERIO_VERSION "0.0.0"
#endif

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::AboutDialogClass)
{
    ui->setupUi(this);
    ui->label->setText(ui->label->text().arg(versionText(), buildText()));
}

AboutDialog::~AboutDialog()
{
    delete ui;
}

QString AboutDialog::versionText()
{
    return QStringLiteral(NERIO_VERSION);
}

QString AboutDialog::buildText()
{
    // The compiler's date reads "Mmm dd yyyy" in English whatever the user's locale.
    const QDate date = QLocale::c().toDate(QString::fromLatin1(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
    return date.isValid() ? date.toString(Qt::ISODate) : QString::fromLatin1(__DATE__);
}
