#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>

class QAction;
class QDialog;
class QMenu;
class QPoint;
class QWidget;

// Every file dialog and message box of the program goes through here, so tests can answer them.
class Prompts
{
public:
    virtual ~Prompts() = default;

    virtual QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
    virtual QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
    virtual QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir);
    // The standard colour dialog; an invalid colour when it was cancelled.
    virtual QColor getColor(const QColor& initial, QWidget* parent, const QString& title);
    virtual QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
                                                 QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No);
    virtual void information(QWidget* parent, const QString& title, const QString& text);
    virtual void warning(QWidget* parent, const QString& title, const QString& text);
    virtual void critical(QWidget* parent, const QString& title, const QString& text);
    // Runs a dialog of the program's own modally; its result (QDialog::Accepted or Rejected).
    virtual int exec(QDialog* dialog);
    // Runs a menu at a global position; the chosen action (null when none was chosen).
    virtual QAction* execMenu(QMenu* menu, const QPoint& globalPosition);
    // An information box with OK and Cancel and a check box under the text; true for OK. *checked
    // receives the box's state.
    virtual bool confirmWithCheckBox(QWidget* parent, const QString& title, const QString& text,
                                     const QString& checkText, bool* checked);

    // The one in use; never null. set(nullptr) restores the real dialogs.
    static Prompts& get();
    static void set(Prompts* prompts);
};
