// The main window's side of the interference check: the dialog, the result table and its clicks, the
// result display's colours, and clearing it all.

#include "app/MainWindow.h"

#include "dialogs/CollisionDialog.h"
#include "view/SceneView.h"
#include "vantor/collision/CollisionInfoDecorator.h"
#include "vantor/command/CommandManager.h"

#include <QAction>
#include <QColor>
#include <QDockWidget>
#include <QHeaderView>
#include <QTableWidget>

void MainWindow::initCollision()
{
    m_collisionDialog = new CollisionDialog(this);
    m_collisionDialog->setSceneView(m_sceneView);
    m_collisionDialog->setResultTable(m_collisionTable);
    if (m_collisionTable) {
        m_collisionTable->setAccessibleName(tr("Collision List", "table"));
        connect(m_collisionTable, &QTableWidget::itemClicked, this, &MainWindow::on_CollisionTable_itemClicked);
    }
    // A finished check always brings its results into view.
    connect(m_collisionDialog, &CollisionDialog::CollisionComputed, this, &MainWindow::showCollisionList);
}

void MainWindow::showCollisionDialog()
{
    if (auto manager = m_sceneView->getCommandManager())
        manager->setExecuteType("None");
    m_collisionDialog->show();
}

void MainWindow::on_CollisionTable_itemClicked(QTableWidgetItem* item)
{
    if (item && m_collisionDialog)
        m_collisionDialog->showCollisionInfo(item->row());
}

void MainWindow::setupCollisionTable()
{
    if (!m_collisionTable)
        return;
    m_collisionTable->clear();
    m_collisionTable->setRowCount(0);
    m_collisionTable->setColumnCount(5);
    m_collisionTable->setHorizontalHeaderLabels(
        {tr("Type of interference"), tr("Object 1"), tr("Object 2"), tr("Distance"), QString()});
    m_collisionTable->horizontalHeader()->setStretchLastSection(true);
    m_collisionTable->setColumnWidth(0, 120);
    m_collisionTable->setColumnWidth(1, 200);
    m_collisionTable->setColumnWidth(2, 200);
    m_collisionTable->setColumnWidth(3, 200);
    m_collisionTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_collisionTable->setSelectionMode(QAbstractItemView::SingleSelection);
}

void MainWindow::on_CollisionDock_featuresChanged(bool shown)
{
    if (shown)
        return;
    setupCollisionTable();
    m_sceneView->GetCollisionInfoDecoratorManager()->Clear();
    if (m_collisionDialog)
        m_collisionDialog->resetObjectLists();
    if (QAction* list = getAction(QStringLiteral("Relation_Collision List")))
        list->setChecked(false);
}

void MainWindow::setCollisionColor(const QColor& pairColour, const QColor& contactColour)
{
    osg::ref_ptr<Vantor::CollisionInfoDecorator> decorator = m_sceneView->GetCollisionInfoDecoratorManager();
    decorator->SettCollisionpairColor(
        osg::Vec4d(pairColour.red() / 255.0, pairColour.green() / 255.0, pairColour.blue() / 255.0, 1.0));
    decorator->SettContactPointColor(
        osg::Vec4d(contactColour.red() / 255.0, contactColour.green() / 255.0, contactColour.blue() / 255.0, 1.0));
}
