// The Relation page: the interference check and its results in the view.

#include "app/MainWindow.h"

#include "dialogs/CollisionDialog.h"
#include "panels/OsgTreeModel.h"
#include "view/VisibilityCommands.h"

#include <QAction>
#include <algorithm>
#include <QSignalBlocker>
#include <QStatusBar>

void MainWindow::on_actionCollisionSetting_triggered()
{
    showCollisionDialog();
}

void MainWindow::hideCollisionEffect()
{
    on_CollisionDock_featuresChanged(false);
}

void MainWindow::showCollisionPart(bool only)
{
    osg::Node* root = m_treeModel ? m_treeModel->rootNode() : nullptr;
    if (!root)
        return;
    if (!only) {
        runAssemblyCommand(std::make_shared<Vantor::SetAllDisplayedCommand>(root));
        return;
    }
    // The parts of every listed pair, each once, in the order the list gives them.
    std::list<osg::ref_ptr<osg::Node>> parts;
    const auto add = [&parts](const osg::ref_ptr<osg::Node>& node) {
        if (node && std::find(parts.begin(), parts.end(), node) == parts.end())
            parts.push_back(node);
    };
    if (m_collisionDialog) {
        for (const Vantor::CollisionInfo& info : m_collisionDialog->results()) {
            add(info.node1);
            add(info.node2);
        }
    }
    if (parts.empty()) {
        statusBar()->showMessage(tr("No interfering parts to show: run an interference check first"), 5000);
        if (QAction* action = getAction(QStringLiteral("Relation_Show Collision Model"))) {
            const QSignalBlocker blocker(action);
            action->setChecked(false);
        }
        return;
    }
    runAssemblyCommand(std::make_shared<Vantor::SetIsolatedCommand>(parts, true, root));
}
