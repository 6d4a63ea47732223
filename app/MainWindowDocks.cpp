// Docks that the ribbon brings into view: the collision list and the animation timeline.

#include "app/MainWindow.h"

#include "animation/AnimationEditorUI.h"
#include "app/SmallWidgets.h"

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

void MainWindow::on_AnimationDock_featuresChanged(bool shown)
{
    if (QAction* axle = getAction(QStringLiteral("Recording_Time axle")))
        axle->setChecked(shown);
    if (m_timelineDock)
        m_timelineDock->setVisible(shown);
    if (m_animationEditor) {
        m_animationEditor->setEditorOpen(shown);
        m_animationEditor->update();
    }
}
