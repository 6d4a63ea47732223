// Docks that the ribbon brings into view: the collision list and, from its page, the animation timeline.

#include "app/MainWindow.h"

#include <QAction>
#include <QDockWidget>

namespace {

// The two bottom docks share one tab group: a dock that is switched on or gets new results comes in
// front of the other, or the user would not see it.
void bringToFront(QDockWidget* dock)
{
    if (!dock)
        return;
    dock->show();
    dock->raise();
}

} // namespace

void MainWindow::TabBarcurrentChanged(int index)
{
    if (index == 6) {
        bringToFront(m_collisionDock);
    } else if (index == 7) {
        on_AnimationDock_featuresChanged(true);
    }
}

void MainWindow::showCollisionList()
{
    if (QAction* list = getAction(QStringLiteral("Relation_Collision List")))
        list->setChecked(true);
    bringToFront(m_collisionDock);
}

void MainWindow::CollisionShowUI(bool shown)
{
    if (shown)
        bringToFront(m_collisionDock);
    else if (m_collisionDock)
        m_collisionDock->hide();
}
