#pragma once

#include "ui_BookmarkDialog.h"

#include <QDialog>

// Asks for a bookmark's name and description; run modally, Accepted means OK.
class BookmarkDialog : public QDialog
{
    Q_OBJECT
public:
    explicit BookmarkDialog(QWidget* parent = nullptr);

    QString getName() const;
    QString getDescription() const;
    // The name field, preset by whoever asks.
    QLineEdit* nameEdit() const { return ui.lineEditName; }
    QPlainTextEdit* descriptionEdit() const { return ui.plainTextEditDescription; }

private:
    Ui_BookmarkDialogClass ui;
};
