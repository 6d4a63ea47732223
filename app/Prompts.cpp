#include "app/Prompts.h"

#include <QDialog>
#include <QFileDialog>

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

int Prompts::exec(QDialog* dialog)
{
    return dialog ? dialog->exec() : QDialog::Rejected;
}
