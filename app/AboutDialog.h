#pragma once

#include <QDialog>

namespace Ui { class AboutDialogClass; }

// Modal box with the application icon, the product name, the version and the build.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    static QString versionText();
    static QString buildText();

private:
    Ui::AboutDialogClass* ui;
};
