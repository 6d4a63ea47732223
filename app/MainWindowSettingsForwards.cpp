// Values the settings and the Roam page's boxes hand on to the view, the walker and the tool strip.

#include "app/MainWindow.h"

#include "ribbon/CToolkit.h"

void MainWindow::VelcityChanged(double)
{
}

void MainWindow::FovyChanged(double)
{
}

void MainWindow::AngularChanged(double)
{
}

void MainWindow::setQuickAccess(QList<QString> keys)
{
    if (m_toolkit)
        m_toolkit->setQuickAccess(keys);
}
