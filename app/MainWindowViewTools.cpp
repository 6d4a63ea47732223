// Snapshots, the screen-capture tool and note files from the ribbon.

#include "app/MainWindow.h"

void MainWindow::on_actionSnapShot_triggered()
{
}

void MainWindow::on_actionScreenshot_triggered()
{
}

void MainWindow::on_actionImputJson_triggered()
{
}

void MainWindow::on_actionExportJson_triggered()
{
}
