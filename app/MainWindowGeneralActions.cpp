// Undo, redo, help and about.

#include "app/MainWindow.h"

void MainWindow::on_actionUndo_triggered()
{
    undoLastCommand();
}

void MainWindow::on_actionRedo_triggered()
{
    redoLastCommand();
}

void MainWindow::on_actionHelp_triggered()
{
    openHelpDocument();
}

void MainWindow::on_actionAbout_triggered()
{
    showAboutDialog();
}
