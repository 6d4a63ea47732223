#include "common/Prompts.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpacerItem>

namespace {
Prompts g_default;
Prompts* g_current = &g_default;
} // namespace

Prompts& Prompts::get() { return *g_current; }
void Prompts::set(Prompts* prompts) { g_current = prompts ? prompts : &g_default; }

QString Prompts::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString Prompts::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString Prompts::getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

QColor Prompts::getColor(const QColor& initial, QWidget* parent, const QString& title)
{
    return QColorDialog::getColor(initial, parent, title);
}

QMessageBox::StandardButton Prompts::question(QWidget* parent, const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons)
{
    return QMessageBox::question(parent, title, text, buttons);
}

void Prompts::information(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text);
}

void Prompts::warning(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text);
}

void Prompts::critical(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::critical(parent, title, text);
}

QAction* Prompts::execMenu(QMenu* menu, const QPoint& globalPosition)
{
    return menu ? menu->exec(globalPosition) : nullptr;
}

int Prompts::exec(QDialog* dialog)
{
    return dialog ? dialog->exec() : QDialog::Rejected;
}

bool Prompts::confirmWithCheckBox(QWidget* parent, const QString& title, const QString& text, const QString& checkText,
                                  bool* checked)
{
    QMessageBox box(QMessageBox::Information, title, QString(), QMessageBox::NoButton, parent, Qt::Sheet);
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    auto* label = new QLabel(text, &box);
    label->setScaledContents(true);
    label->setIndent(14);
    auto* check = new QCheckBox(checkText, &box);
    check->setAccessibleName(checkText);
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    ok->setAccessibleName(ok->text());
    cancel->setAccessibleName(cancel->text());
    if (grid) {
        grid->addWidget(label, 0, 1, 1, 4);
        grid->addWidget(check, 1, 2, 1, 3);
        grid->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 2);
        grid->addWidget(ok, 1, 3);
        grid->addWidget(cancel, 1, 4);
    }
    box.exec();
    if (checked)
        *checked = check->isChecked();
    return box.clickedButton() == ok;
}
