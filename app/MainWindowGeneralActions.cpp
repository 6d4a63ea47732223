// Undo, redo, help and about.

#include "app/MainWindow.h"

void MainWindow::on_actionUndo_triggered()
{
}

void MainWindow::on_actionRedo_triggered()
{
}

void MainWindow::on_actionHelp_triggered()
{
}

void MainWindow::on_actionAbout_triggered()
{
}
