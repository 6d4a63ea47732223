#pragma once

#include <QCoreApplication>

class QDialog;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

// The small progress form of the long-running tool dialogs: a centred label above a progress bar and a
// button. Its texts are in the translation context "dialog".
class ProgressForm
{
    Q_DECLARE_TR_FUNCTIONS(dialog)
public:
    QVBoxLayout* verticalLayout = nullptr;
    QLabel* label = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    QProgressBar* progressBar = nullptr;
    QPushButton* pushButton = nullptr;

    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);
};
