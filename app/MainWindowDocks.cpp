// Docks that the ribbon brings into view: the collision list and, from its page, the animation timeline.

#include "app/MainWindow.h"

#include <QAction>
#include <QDockWidget>

void MainWindow::TabBarcurrentChanged(int index)
{
    if (index == 6) {
        if (m_collisionDock)
            m_collisionDock->show();
    } else if (index == 7) {
        on_AnimationDock_featuresChanged(true);
    }
}

void MainWindow::showCollisionList()
{
    if (QAction* list = getAction(QStringLiteral("Relation_Collision List")))
        list->setChecked(true);
    if (m_collisionDock)
        m_collisionDock->show();
}

void MainWindow::CollisionShowUI(bool shown)
{
    if (m_collisionDock)
        m_collisionDock->setVisible(shown);
}
