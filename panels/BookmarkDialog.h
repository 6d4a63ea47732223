#pragma once

#include <QDialog>

class QDialogButtonBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

class Ui_BookmarkDialogClass
{
public:
    QGridLayout* gridLayout_2 = nullptr;
    QLabel* label = nullptr;
    QLineEdit* lineEditName = nullptr;
    QGroupBox* groupBox = nullptr;
    QGridLayout* gridLayout = nullptr;
    QPlainTextEdit* plainTextEditDescription = nullptr;
    QDialogButtonBox* buttonBox = nullptr;

    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);
};

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
