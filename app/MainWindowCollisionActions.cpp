// Interference results in the view.

#include "app/MainWindow.h"

void MainWindow::hideCollisionEffect()
{
}

void MainWindow::showCollisionPart(bool)
{
}
