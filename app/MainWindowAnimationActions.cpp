// Animation files, playback and keyframe deletion from the ribbon.

#include "app/MainWindow.h"

void MainWindow::on_actionLoadrootscene_triggerd()
{
}

void MainWindow::on_actionSaverootscene_triggerd()
{
}

void MainWindow::on_actionPlayAnimation_triggerd(bool)
{
}

void MainWindow::on_actionPauseAllAnimation_triggerd()
{
}

void MainWindow::on_actionStopAnimation_triggerd()
{
}

void MainWindow::on_reversePlayMode_triggerd(bool)
{
}

void MainWindow::on_loopPlayMode_triggerd(bool)
{
}

void MainWindow::on_actionCameraPlayMode_checked(bool)
{
}

void MainWindow::on_actionTimeset_triggered()
{
}

void MainWindow::on_actionTimelineSure_triggered()
{
}

void MainWindow::setAnimationPlayTime(int)
{
}

void MainWindow::on_actionSpeedPlayChanged_triggerd(int)
{
}

void MainWindow::on_actionDeleteAllKeyframe_triggerd()
{
}

void MainWindow::on_actionDeleteSelectKeyframe_triggerd()
{
}

void MainWindow::on_actionDeleteCameraKeyframe_triggerd()
{
}
