// Ribbon actions that change how the model looks: render modes, colour and transparency.

#include "app/MainWindow.h"

void MainWindow::on_actionNodeColor_triggered()
{
}

void MainWindow::on_actionFlatRender_triggered()
{
}

void MainWindow::on_actionLineRender_triggered()
{
}

void MainWindow::on_actionPointRender_triggered()
{
}

void MainWindow::on_actionBlankingRender_triggered()
{
}

void MainWindow::on_actionTransparentShow_triggered()
{
}

void MainWindow::on_actionShowEdgeLine_triggered()
{
}

void MainWindow::initTransparencyMenu(QMenu*)
{
}
