// Ribbon actions that move and set up the camera: standard views, directions, projection, mouse modes,
// focus, full screen, bookmarks and roaming.

#include "app/MainWindow.h"

void MainWindow::on_actionResetView_triggered()
{
}

void MainWindow::on_actionPerspective_triggered(bool)
{
}

void MainWindow::on_actionTrackballManipulatorRotation_triggered()
{
}

void MainWindow::on_actionTrackballManipulatorPan_triggered(bool)
{
}

void MainWindow::on_actionTrackballManipulatorZoom_triggered(bool)
{
}

void MainWindow::on_actionFocusNode_triggered()
{
}

void MainWindow::on_actionFullScreen_triggered(bool)
{
}

void MainWindow::on_actionViewDirection_triggered()
{
}

void MainWindow::on_actionXDirection_triggered()
{
}

void MainWindow::on_actionYDirection_triggered()
{
}

void MainWindow::on_actionZDirection_triggered()
{
}

void MainWindow::on_actionXOppositeDirection_triggered()
{
}

void MainWindow::on_actionYOppositeDirection_triggered()
{
}

void MainWindow::on_actionZOppositeDirection_triggered()
{
}

void MainWindow::on_actionFrontView_triggered()
{
}

void MainWindow::on_actionBackView_triggered()
{
}

void MainWindow::on_actionLeftView_triggered()
{
}

void MainWindow::on_actionRightView_triggered()
{
}

void MainWindow::on_actionTopView_triggered()
{
}

void MainWindow::on_actionBottomView_triggered()
{
}

void MainWindow::on_actionIsodraftView_triggered()
{
}

void MainWindow::on_actionBookMarkBack_triggered()
{
}

void MainWindow::on_actionBookMarkNext_triggered()
{
}

void MainWindow::on_actionRoam_triggered(bool)
{
}

void MainWindow::on_actionSetGravityMode_triggered(bool)
{
}

void MainWindow::on_actionSetObstacleMode_triggered(bool)
{
}
