// Ribbon actions that start, cancel or lock interactive commands.

#include "app/MainWindow.h"

void MainWindow::on_actionCancel_triggered(bool)
{
}

void MainWindow::on_actionNewbuilt_triggered(bool)
{
}

void MainWindow::on_actionLockPosition_triggered(bool)
{
}

void MainWindow::on_actionPntToPnt_triggered(bool)
{
}

void MainWindow::on_actionPntToLineMeasure_triggered(bool)
{
}

void MainWindow::on_actionPntToFaceMeasure_triggered(bool)
{
}

void MainWindow::on_actionLineToLineMeasure_triggered(bool)
{
}

void MainWindow::on_actionLineToFaceMeasure_triggered(bool)
{
}

void MainWindow::on_actionFaceToFaceMeasure_triggered(bool)
{
}

void MainWindow::on_actionCenterToCenterMeasure_triggered(bool)
{
}

void MainWindow::on_actionShaftToShaftMeasure_triggered(bool)
{
}

void MainWindow::on_actionLineToLineAngle_triggered(bool)
{
}

void MainWindow::on_actionLineToFaceAngle_triggered(bool)
{
}

void MainWindow::on_actionFaceToFaceAngle_triggered(bool)
{
}

void MainWindow::on_actionLineDistance_triggered(bool)
{
}

void MainWindow::on_actionEllipseDistance_triggered(bool)
{
}

void MainWindow::on_actionRadiusDistance_triggered(bool)
{
}

void MainWindow::on_actionDiameterDistance_triggered(bool)
{
}

void MainWindow::on_actionSurfaceArea_triggered(bool)
{
}

void MainWindow::on_actionVolume_triggered(bool)
{
}

void MainWindow::on_actionPntsAlign_triggered(bool)
{
}

void MainWindow::on_actionLinesAlign_triggered(bool)
{
}

void MainWindow::on_actionFacesAlign_triggered(bool)
{
}

void MainWindow::on_actionLineToFaceAlign_triggered(bool)
{
}

void MainWindow::on_actionRectNote_triggered(bool)
{
}

void MainWindow::on_actionCircleNote_triggered(bool)
{
}

void MainWindow::on_actionEllipseNote_triggered(bool)
{
}

void MainWindow::on_actionBrushNote_triggered(bool)
{
}
