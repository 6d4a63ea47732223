// The main window's side of the structure tree: its wiring, tree click to scene selection and back,
// the find-next search, and the property and statistics panels.

#include "app/MainWindow.h"

#include "app/DockForms.h"
#include "panels/OsgTreeAssemblyListener.h"
#include "panels/OsgTreeModel.h"
#include "panels/SmallPanels.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/assembly/AssemblyManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/FocusViewCommand.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"
#include "vantor/model/NodeFlags.h"

#include <QApplication>
#include <QCompleter>
#include <QDockWidget>
#include <QItemSelectionModel>
#include <QSet>
#include <QTimer>
#include <QTreeView>

namespace {

QDockWidget* dockOf(QWidget* contents) { return contents ? qobject_cast<QDockWidget*>(contents->parentWidget()) : nullptr; }

} // namespace

void MainWindow::initTreePanels()
{
    MyTreeView* tree = m_treeForm->treeViewStructure;
    SearchLineEdit* search = m_treeForm->lineEditSearch;
    connect(search, &QLineEdit::returnPressed, this, &MainWindow::on_lineEditSearch_returnPressed);
    connect(search, &SearchLineEdit::caseSensitiveToggled, this, &MainWindow::on_lineEditSearch_caseSensitiveToggled);
    connect(this, &MainWindow::editTreeItem, tree, QOverload<const QModelIndex&>::of(&QAbstractItemView::edit));
    connect(tree, &QAbstractItemView::clicked, this, &MainWindow::nodeSelected);
    initTreeActions();
    // Every selection change ends in layoutChanged(), which also empties the view's selection (there is
    // no layoutAboutToBeChanged() to save it): the selected rows are set again from the nodes' flags,
    // after the selection model's own handler, so a screen reader reads what is painted.
    connect(m_treeModel, &QAbstractItemModel::layoutChanged, this, [this] { syncTreeSelection(); });

    connect(m_sceneView, &SceneView::picked, this, QOverload<osg::Node*>::of(&MainWindow::selectTreeItem));
    connect(m_sceneView, &SceneView::clearPicked, this, QOverload<osg::Node*>::of(&MainWindow::selectTreeItem));
    connect(m_sceneView, &SceneView::pickedList, this, QOverload<NodePtrList&>::of(&MainWindow::selectTreeItem));

    if (osg::ref_ptr<Vantor::AssemblyManager> assembly = m_sceneModel->getAssemblyManager())
        assembly->AddAssemblyListener(std::make_shared<OsgTreeAssemblyListener>(tree, m_sceneModel));

    // The property and statistics docks sit in the right area, closed; the Window menu and the dock
    // menu (the context menu of any dock title) open them. Opening the property dock shows the
    // current node.
    QDockWidget* propertyDock = dockOf(m_propertyForm->dockWidgetContents);
    QDockWidget* statisticsDock = dockOf(m_statisticsForm->dockWidgetContents);
    for (QDockWidget* dock : {propertyDock, statisticsDock}) {
        if (!dock)
            continue;
        m_parentlessDocks.removeAll(dock);
        dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
        addDockWidget(Qt::RightDockWidgetArea, dock);
        dock->hide();
    }
    if (propertyDock && statisticsDock)
        tabifyDockWidget(propertyDock, statisticsDock);
    if (propertyDock)
        connect(propertyDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
            if (visible)
                showNodeProperties(m_propertyNode.get());
        });

    // One refill for a burst of changes (a hidden subtree changes many rows at once).
    m_propertyRefresh = new QTimer(this);
    m_propertyRefresh->setSingleShot(true);
    m_propertyRefresh->setInterval(0);
    connect(m_propertyRefresh, &QTimer::timeout, this, [this] { showNodeProperties(m_propertyNode.get()); });
    connect(m_treeModel, &QAbstractItemModel::dataChanged, this, &MainWindow::refreshNodeProperties);
}

void MainWindow::refreshNodeProperties()
{
    if (m_propertyRefresh && m_propertyNode.valid())
        m_propertyRefresh->start();
}

void MainWindow::showNodeProperties(osg::Node* node)
{
    m_propertyNode = node;
    PropertyWidget* panel = m_propertyForm ? m_propertyForm->widgetProperties : nullptr;
    if (!panel)
        return;
    QDockWidget* dock = dockOf(m_propertyForm->dockWidgetContents);
    // The statistics walk the whole subtree: only for an open panel.
    if (dock && !dock->isVisible())
        return;
    panel->setNode(node);
}

void MainWindow::syncTreeSelection()
{
    QTreeView* tree = m_treeForm->treeViewStructure;
    QItemSelectionModel* selectionModel = tree->selectionModel();
    if (!selectionModel || tree->model() != m_treeModel)
        return;
    const QModelIndexList flagged = m_treeModel->flaggedRows();
    const QModelIndexList selected = selectionModel->selectedRows(0);
    if (QSet<QModelIndex>(flagged.begin(), flagged.end()) == QSet<QModelIndex>(selected.begin(), selected.end()))
        return;
    QItemSelection rows;
    for (const QModelIndex& row : flagged)
        rows.select(row, row);
    selectionModel->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void MainWindow::nodeSelected(const QModelIndex& index)
{
    Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager();
    QTreeView* tree = m_treeForm->treeViewStructure;
    if (!selection)
        return;
    if (!index.isValid()) {
        tree->selectionModel()->clearSelection();
        NodePtrList selected = selection->getSelectedList();
        if (!selected.empty())
            selection->unselectNodes(selected, true);
        return;
    }

    osg::Node* node = OsgTreeModel::nodeOf(index);
    if (QApplication::keyboardModifiers() == Qt::ControlModifier && selection->getMultiSelection()) {
        tree->selectionModel()->clearSelection();
        if (!node)
            return;
        Vantor::Model::NodeList models;
        if (Vantor::isNodeSelected(node)) {
            Vantor::Model::getAllChildrenModels(node, models);
            if (!Vantor::Model::isModel(node))
                models.push_front(node);
            selection->unselectNodes(NodePtrList(models.begin(), models.end()), true);
        } else if (node->asGroup() && node->asGroup()->getNumChildren() > 0) {
            Vantor::Model::getAllChildrenModels(node, models);
            if (!Vantor::Model::isModel(node))
                models.push_front(node);
            selection->selectNodes(NodePtrList(models.begin(), models.end()), true);
        }
        return;
    }

    // Read the tree's selected rows before the scene selection is cleared: clearing it tells the
    // tree to drop its own selection.
    const QModelIndexList rows = tree->selectionModel()->selectedRows(0);
    selection->clearSelection();
    NodePtrList nodes;
    for (const QModelIndex& row : rows) {
        osg::Node* rowNode = OsgTreeModel::nodeOf(row);
        osg::Group* group = rowNode ? rowNode->asGroup() : nullptr;
        if (!group || group->getNumChildren() == 0)
            continue;
        Vantor::Model::NodeList models;
        Vantor::Model::getAllChildrenModels(rowNode, models);
        if (!Vantor::Model::isModel(rowNode))
            models.push_front(rowNode);
        nodes.insert(nodes.end(), models.begin(), models.end());
    }
    if (!nodes.empty())
        selection->selectNodes(nodes, true);
}

void MainWindow::selectTreeItem(osg::Node* node)
{
    QTreeView* tree = m_treeForm->treeViewStructure;
    if (!node) {
        tree->selectionModel()->clearSelection();
        showNodeProperties(nullptr);
    } else {
        osg::Node* rowNode = node;
        if (Vantor::Body::isBody(node) && node->getNumParents() > 0)
            rowNode = node->getParent(0);
        const QModelIndex row = m_treeModel->findIndex(rowNode);
        if (row.isValid()) {
            tree->scrollTo(row, QAbstractItemView::EnsureVisible);
            tree->resizeColumnToContents(0);
            // The part's value, also for a picked body; shown only, applied on release.
            showNodeTransparency(rowNode);
        }
        showNodeProperties(rowNode);
    }
    emit m_treeModel->layoutChanged();
}

void MainWindow::selectTreeItem(NodePtrList& nodes)
{
    QTreeView* tree = m_treeForm->treeViewStructure;
    NodePtrList top;
    for (const auto& node : nodes)
        if (node.valid() && node->getNumParents() > 0 && !Vantor::isNodeSelected(node->getParent(0)))
            top.push_back(node);
    if (top.empty()) {
        tree->selectionModel()->clearSelection();
        showNodeProperties(nullptr);
    } else {
        QMap<osg::Node*, QModelIndex> rows;
        m_treeModel->collectIndexes(rows, m_treeModel->index(0, 0, tree->rootIndex()));
        const QModelIndex row = rows.value(top.front().get());
        if (row.isValid()) {
            tree->scrollTo(row, QAbstractItemView::EnsureVisible);
            tree->resizeColumnToContents(0);
        }
        showNodeTransparency(top.front().get());
        showNodeProperties(top.front().get());
    }
    emit m_treeModel->layoutChanged();
}

void MainWindow::on_lineEditSearch_caseSensitiveToggled(bool on)
{
    m_searchCaseSensitive = on;
    if (m_searchCompleter)
        m_searchCompleter->setCaseSensitivity(on ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

bool MainWindow::selectMatchingTreeItem(const QModelIndex& start, const QString& text)
{
    const QModelIndex hit = m_treeModel->findIndexByName(text, start);
    m_lastSearchHit = hit;
    if (!hit.isValid())
        return false;
    QTreeView* tree = m_treeForm->treeViewStructure;
    tree->setCurrentIndex(hit);
    tree->scrollTo(hit, QAbstractItemView::EnsureVisible);
    tree->resizeColumnToContents(0);
    nodeSelected(hit);
    Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager();
    if (auto manager = m_sceneView->getCommandManager(); manager && selection) {
        auto focus = std::make_shared<Vantor::FocusViewCommand>(m_sceneView->getView());
        focus->setFocusNode(selection->getSelectedList());
        manager->DoCommand(focus);
    }
    return true;
}

void MainWindow::on_lineEditSearch_returnPressed()
{
    const QString text = m_treeForm->lineEditSearch->text();
    if (text.isEmpty() || !m_treeModel)
        return;
    const QModelIndex first = m_treeModel->index(0, 0, m_treeForm->treeViewStructure->rootIndex());
    const QModelIndex lastHit = m_lastSearchHit;
    if (!lastHit.isValid()) {
        selectMatchingTreeItem(first, text);
        return;
    }
    // On from the last hit in depth-first order, wrapping at the end, so every match is reached.
    const QByteArray name = text.toUtf8();
    const QModelIndex next = findNextMatch(m_treeModel, lastHit, [&](const QModelIndex& row) {
        const osg::Node* node = OsgTreeModel::nodeOf(row);
        return node && node->getName() == name.toStdString();
    });
    if (next.isValid())
        selectMatchingTreeItem(next, text);
    else
        m_lastSearchHit = QModelIndex();
}
