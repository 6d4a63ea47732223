// Ribbon actions on the model: visibility, selection, sections, merging, settings and quit.

#include "app/MainWindow.h"

void MainWindow::on_actionDisableNode_triggered()
{
}

void MainWindow::on_actionIsolateNode_triggered()
{
}

void MainWindow::on_actionEnableNode_triggered()
{
}

void MainWindow::on_actionSelectUpLevel_triggered()
{
}

void MainWindow::on_actionModelCombine_triggered()
{
}

void MainWindow::on_actionModelAutoCombine_triggered()
{
}

void MainWindow::on_actionSetting_triggered()
{
    showSystemSetting();
}

void MainWindow::on_actionQuit_triggered()
{
}

void MainWindow::on_actionAddSection_triggerd(bool)
{
}

void MainWindow::on_actionUpdateSection_triggerd(bool)
{
}

void MainWindow::on_actionReverseSection_triggerd()
{
}
