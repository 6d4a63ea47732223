// The Relation page: the interference check and its results in the view.

#include "app/MainWindow.h"

void MainWindow::on_actionCollisionSetting_triggered()
{
    showCollisionDialog();
}

void MainWindow::hideCollisionEffect()
{
    on_CollisionDock_featuresChanged(false);
}

void MainWindow::showCollisionPart(bool)
{
}
