// Ribbon actions on the model: visibility, selection, sections, transforms and resets, merging,
// settings and quit.

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

void MainWindow::on_actionResetPosition_triggerd()
{
}

void MainWindow::on_actionResetColor_triggerd()
{
}

void MainWindow::on_actionResetTransparent_triggerd()
{
}

void MainWindow::on_actionPlaneTransformDragger_triggerd(bool)
{
}

void MainWindow::on_actionAxisTransformDragger_triggerd(bool)
{
}

void MainWindow::on_actionRotationTransformDragger_triggerd(bool)
{
}

void MainWindow::on_actionUpdateAxisLocation_triggerd(bool)
{
}

void MainWindow::on_actionRestAxisLocation_triggerd()
{
}

void MainWindow::on_actionAxisExplodeDragger_triggerd(bool)
{
}

void MainWindow::on_actionRadialExplodeDragger_triggerd(bool)
{
}

void MainWindow::on_actionCenterExplodeDragger_triggerd(bool)
{
}
