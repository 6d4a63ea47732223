// Ribbon and tree actions on the model: visibility, selection, the tree's context actions and assembly
// editing, sections, merging, settings and quit.

#include "app/MainWindow.h"

#include "app/DockForms.h"
#include "common/Prompts.h"
#include "dialogs/ToolDialogs.h"
#include "panels/MyTreeView.h"
#include "panels/OsgTreeModel.h"
#include "view/OsgModelMergeListener.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "view/VisibilityCommands.h"
#include "vantor/assembly/AssemblyCommands.h"
#include "vantor/assembly/AssemblyManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/merge/ModelMergeCommand.h"
#include "vantor/model/Model.h"
#include "vantor/model/NodeFlags.h"
#include "vantor/model/PropertiesManager.h"

#include <QAction>
#include <QDockWidget>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QStatusBar>

namespace {

// Context actions in menu order, with a separator after the 4th and the 7th.
struct TreeActionRow
{
    const char* name;
    const char* icon;
    QKeySequence::StandardKey key;
    void (MainWindow::*slot)();
};

const TreeActionRow treeActionRows[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "actionCreateAssembly"), ":/VantorViewer/icon/Tree/Compound.png", QKeySequence::UnknownKey, &MainWindow::on_actionCreateAssembly_triggered},
    {QT_TRANSLATE_NOOP("MainWindow", "actionInsertNode"), ":/VantorViewer/icon/Tree/InsertNode.png", QKeySequence::UnknownKey, &MainWindow::on_actionInsertNode_triggered},
    {QT_TRANSLATE_NOOP("MainWindow", "actionRenameNode"), ":/VantorViewer/icon/Tree/Rename.png", QKeySequence::UnknownKey, &MainWindow::on_actionRenameNode_triggered},
    {QT_TRANSLATE_NOOP("MainWindow", "actionDeleteNode"), ":/VantorViewer/icon/Tree/delete.png", QKeySequence::Delete, &MainWindow::on_actionDeleteNode_triggered},
    {QT_TRANSLATE_NOOP("MainWindow", "actionCutNode"), nullptr, QKeySequence::Cut, &MainWindow::on_actionCutNode_triggered},
    {QT_TRANSLATE_NOOP("MainWindow", "actionCopyNode"), nullptr, QKeySequence::Copy, &MainWindow::on_actionCopyNode_triggered},
    {QT_TRANSLATE_NOOP("MainWindow", "actionPasteNode"), nullptr, QKeySequence::Paste, &MainWindow::on_actionPasteNode_triggered},
    {QT_TRANSLATE_NOOP("MainWindow", "actionExpandTree"), ":/VantorViewer/icon/Tree/expand.png", QKeySequence::UnknownKey, &MainWindow::on_actionExpandTree_triggered},
    {QT_TRANSLATE_NOOP("MainWindow", "actionCollapseTree"), ":/VantorViewer/icon/Tree/collapse.png", QKeySequence::UnknownKey, &MainWindow::on_actionCollapseTree_triggered},
};

QString mergeQuestion(const QStringList& lines) { return lines.join(QChar(13)); }

} // namespace

// ---- Set-up -------------------------------------------------------------------------------------

void MainWindow::initTreeActions()
{
    for (const TreeActionRow& row : treeActionRows) {
        auto* action = new QAction(tr(row.name), this);
        action->setObjectName(QString::fromLatin1(row.name));
        if (row.icon)
            action->setIcon(QIcon(QString::fromLatin1(row.icon)));
        if (row.key != QKeySequence::UnknownKey)
            action->setShortcut(QKeySequence(row.key));
        connect(action, &QAction::triggered, this, row.slot);
        m_treeActions.append(action);
    }
    // Window shortcuts, so the keys act without the menu open.
    const QPair<QKeySequence::StandardKey, void (MainWindow::*)()> keys[] = {
        {QKeySequence::Copy, &MainWindow::on_actionCopyNode_triggered},
        {QKeySequence::Cut, &MainWindow::on_actionCutNode_triggered},
        {QKeySequence::Paste, &MainWindow::on_actionPasteNode_triggered},
        {QKeySequence::Delete, &MainWindow::on_actionDeleteNode_triggered},
    };
    for (const auto& key : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key.first), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, key.second);
        m_treeShortcuts.append(shortcut);
    }
    setTreeShortcutsEnabled(false);

    QTreeView* tree = m_treeForm->treeViewStructure;
    connect(tree, &QWidget::customContextMenuRequested, this, &MainWindow::on_treeViewStructure_customContextMenuRequested);
    connect(m_treeModel, &OsgTreeModel::dragAssemblies, this, &MainWindow::on_actionDragAssembly_triggered);
    connect(this, &MainWindow::treeViewDataChanged, this, &MainWindow::onTreeviewDataChanged);
    // The dock still reports its hiding while the window is destroyed: the connection only touches the
    // tree model and the shortcuts, and goes with the model.
    if (QDockWidget* dock = treeDock()) {
        QList<QPointer<QShortcut>> shortcuts;
        for (QShortcut* shortcut : m_treeShortcuts)
            shortcuts.append(shortcut);
        OsgTreeModel* model = m_treeModel;
        connect(dock, &QDockWidget::visibilityChanged, m_treeModel, [model, shortcuts](bool visible) {
            if (!model->rootNode())
                return;
            for (const QPointer<QShortcut>& shortcut : shortcuts)
                if (shortcut)
                    shortcut->setEnabled(visible);
        });
    }
}

void MainWindow::initModelCombine()
{
    std::shared_ptr<OsgModelMergeListener> listener = m_sceneView->getModelMergeListener();
    if (!listener || !m_combineDialog)
        return;
    connect(listener.get(), &OsgModelMergeListener::ProgressShown, m_combineDialog, &CombineProcessDialog::Show);
    connect(listener.get(), &OsgModelMergeListener::Progressdata, m_combineDialog, &CombineProcessDialog::SetProcess);
    connect(listener.get(), &OsgModelMergeListener::onMergeModelSignal, this, &MainWindow::on_ModelCombine_triggered);
    connect(this, &MainWindow::modelCombineClear, listener.get(), &OsgModelMergeListener::onClear);
    connect(m_combineDialog, &CombineProcessDialog::Cancel, listener.get(), &OsgModelMergeListener::Cancel);
    connect(this, &MainWindow::mergeFace, this, [this](bool on) { m_mergeFaces = on; });
}

void MainWindow::setTreeShortcutsEnabled(bool enabled)
{
    for (QShortcut* shortcut : m_treeShortcuts)
        shortcut->setEnabled(enabled);
}

void MainWindow::on_treeDockVisibility_Changed(bool visible)
{
    if (m_treeModel && m_treeModel->rootNode())
        setTreeShortcutsEnabled(visible);
}

void MainWindow::runAssemblyCommand(const std::shared_ptr<Vantor::Command>& command)
{
    if (auto manager = m_sceneView->getCommandManager())
        manager->DoCommand(command);
    emit m_treeModel->layoutChanged();
}

// ---- Visibility ---------------------------------------------------------------------------------

void MainWindow::on_actionEnableNode_triggered()
{
    osg::Node* root = m_treeModel ? m_treeModel->rootNode() : nullptr;
    if (!root)
        return;
    runAssemblyCommand(std::make_shared<Vantor::SetAllDisplayedCommand>(root));
}

void MainWindow::on_actionDisableNode_triggered()
{
    Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager();
    if (!selection || selection->getSelectedList().empty()) {
        statusBar()->showMessage(tr("请先选择一个需要隐藏的模型"), 5000);
        return;
    }
    runAssemblyCommand(std::make_shared<Vantor::SetVisibleCommand>(selection->getSelectedList(), false));
}

void MainWindow::on_actionIsolateNode_triggered()
{
    osg::Node* root = m_treeModel ? m_treeModel->rootNode() : nullptr;
    if (!root)
        return;
    Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager();
    if (!selection || selection->getSelectedList().empty()) {
        statusBar()->showMessage(tr("请先选择一个需要隔离的模型"), 5000);
        return;
    }
    runAssemblyCommand(std::make_shared<Vantor::SetIsolatedCommand>(selection->getSelectedList(), true, root));
}

void MainWindow::onTreeviewDataChanged(void* command)
{
    auto* visible = dynamic_cast<Vantor::SetVisibleCommand*>(static_cast<Vantor::Command*>(command));
    if (!visible || !visible->getNode() || !m_treeModel)
        return;
    const QModelIndex row = m_treeModel->findIndex(visible->getNode().get());
    if (row.isValid())
        emit m_treeModel->dataChanged(row, row);
}

// ---- Selection and tree rows --------------------------------------------------------------------

void MainWindow::on_actionSelectUpLevel_triggered()
{
    Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager();
    if (!selection)
        return;
    const NodePtrList selected = selection->getSelectedList();
    for (const auto& node : selected) {
        if (!node.valid() || node->getNumParents() == 0)
            continue;
        osg::Node* parent = node->getParent(0);
        if (!Vantor::Model::isModel(parent) || Vantor::isNodeSelected(parent))
            continue;
        selection->clearPreSelection();
        selection->clearSelection();
        Vantor::Model::NodeList models;
        Vantor::Model::getAllChildrenModels(parent, models);
        selection->selectNodes(NodePtrList(models.begin(), models.end()), true);
        break;
    }
    emit m_treeModel->layoutChanged();
}

void MainWindow::findnodeChild(osg::Node* node, NodePtrList& models)
{
    osg::Group* group = node ? node->asGroup() : nullptr;
    if (!group)
        return;
    for (unsigned int i = 0; i < group->getNumChildren(); ++i) {
        osg::Node* child = group->getChild(i);
        if (Vantor::Model::isModel(child))
            models.push_back(child);
        findnodeChild(child, models);
    }
}

void MainWindow::nodeSelectedCoor(NodePtrList nodes, bool clearFirst)
{
    if (Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager()) {
        if (clearFirst)
            selection->clearSelection();
        selection->selectNodes(nodes, true);
    }
}

void MainWindow::nodeUnSelectedCoor(NodePtrList nodes)
{
    if (Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager())
        selection->unselectNodes(nodes, true);
}

void MainWindow::expandRecursively(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    for (int row = 0; row < m_treeModel->rowCount(index); ++row)
        expandRecursively(m_treeModel->index(row, 0, index));
    m_treeForm->treeViewStructure->expand(index);
}

void MainWindow::collapseRecursively(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    m_treeForm->treeViewStructure->collapse(index);
    for (int row = 0; row < m_treeModel->rowCount(index); ++row)
        collapseRecursively(m_treeModel->index(row, 0, index));
}

void MainWindow::on_actionExpandTree_triggered()
{
    QTreeView* tree = m_treeForm->treeViewStructure;
    Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager();
    if (selection && !selection->getSelectedList().empty()) {
        for (const auto& node : NodePtrList(selection->getSelectedList()))
            expandRecursively(m_treeModel->findIndex(node.get()));
    } else {
        expandRecursively(tree->currentIndex());
    }
    tree->resizeColumnToContents(0);
}

void MainWindow::on_actionCollapseTree_triggered()
{
    collapseRecursively(m_treeForm->treeViewStructure->currentIndex());
}

void MainWindow::on_actionCreateAssembly_triggered()
{
    const QModelIndex current = m_treeForm->treeViewStructure->currentIndex();
    if (!current.isValid())
        return;
    auto command = std::make_shared<Vantor::CreateAssemblyCommand>();
    command->setViewer(m_sceneView->getView().get());
    command->setTargetIndex(current);
    runAssemblyCommand(command);
}

void MainWindow::on_actionRenameNode_triggered()
{
    const QModelIndex current = m_treeForm->treeViewStructure->currentIndex();
    if (current.isValid())
        emit editTreeItem(current);
}

// ---- Context menu and assembly editing ----------------------------------------------------------

QMenu* MainWindow::treeContextMenu(const QPoint& position)
{
    if (!m_treeModel || !m_treeForm->treeViewStructure->indexAt(position).isValid())
        return nullptr;
    // Built once and kept: a menu per right-click would pile up under the window.
    if (!m_treeMenu) {
        m_treeMenu = new QMenu(this);
        m_treeMenu->setAccessibleName(tr("Structure tree actions"));
        for (int i = 0; i < m_treeActions.size(); ++i) {
            m_treeMenu->addAction(m_treeActions[i]);
            if (i == 3 || i == 6)
                m_treeMenu->addSeparator();
        }
    }
    osg::ref_ptr<Vantor::AssemblyManager> assembly = m_sceneModel ? m_sceneModel->getAssemblyManager() : nullptr;
    for (QAction* action : m_treeActions)
        if (action->text() == tr("actionPasteNode"))
            action->setEnabled(assembly && assembly->getClipboardCount() > 0);
    return m_treeMenu;
}

void MainWindow::on_treeViewStructure_customContextMenuRequested(const QPoint& position)
{
    if (QMenu* menu = treeContextMenu(position))
        Prompts::get().execMenu(menu, m_treeForm->treeViewStructure->viewport()->mapToGlobal(position));
}

void MainWindow::on_actionDeleteNode_triggered()
{
    if (!m_treeModel || !m_treeModel->rootNode())
        return;
    Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager();
    NodePtrList nodes = selection ? selection->getTopSelectedList() : NodePtrList();
    if (nodes.empty()) {
        const QModelIndex current = m_treeForm->treeViewStructure->currentIndex();
        if (!current.isValid())
            return;
        nodes.push_back(OsgTreeModel::nodeOf(current));
    }
    // Deleted nodes leave the scene: they must not stay selected.
    if (selection)
        selection->clearSelection();
    for (const auto& node : nodes) {
        const QModelIndex row = m_treeModel->findIndex(node.get());
        if (!row.isValid())
            continue; // gone already, or not a row of the tree
        auto command = std::make_shared<Vantor::DeleteAssemblyCommand>();
        command->setViewer(m_sceneView->getView().get());
        command->setTargetIndex(row);
        if (auto manager = m_sceneView->getCommandManager())
            manager->DoCommand(command);
    }
    emit m_treeModel->layoutChanged();
}

std::vector<osg::ref_ptr<osg::Node>> MainWindow::getCopyNodes() const
{
    std::vector<osg::ref_ptr<osg::Node>> nodes;
    Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager();
    if (selection && !selection->getSelectedList().empty()) {
        for (const auto& node : selection->getTopSelectedList())
            nodes.push_back(node);
    } else if (m_treeForm->treeViewStructure->currentIndex().isValid()) {
        nodes.push_back(OsgTreeModel::nodeOf(m_treeForm->treeViewStructure->currentIndex()));
    }
    return nodes;
}

namespace {

void copyNodes(MainWindow& window, SceneView* view, Vantor::CopeType type)
{
    const std::vector<osg::ref_ptr<osg::Node>> nodes = window.getCopyNodes();
    if (nodes.empty())
        return;
    if (type == Vantor::CopeType_Cut)
        if (Vantor::ISelectionManager* selection = view->getSelectionManager())
            selection->clearSelection();
    auto command = std::make_shared<Vantor::CopyAssemblyCommand>();
    command->setViewer(view->getView().get());
    command->SetCopyVals(nodes);
    command->SetCopyType(type);
    if (auto manager = view->getCommandManager())
        manager->DoCommand(command);
}

} // namespace

void MainWindow::on_actionCutNode_triggered()
{
    copyNodes(*this, m_sceneView, Vantor::CopeType_Cut);
    emit m_treeModel->layoutChanged();
}

void MainWindow::on_actionCopyNode_triggered()
{
    copyNodes(*this, m_sceneView, Vantor::CopeType_Copy);
}

void MainWindow::on_actionPasteNode_triggered()
{
    const QModelIndex current = m_treeForm->treeViewStructure->currentIndex();
    if (!current.isValid())
        return;
    auto command = std::make_shared<Vantor::PasteAssemblyCommand>();
    command->setViewer(m_sceneView->getView().get());
    command->setTargetIndex(current);
    runAssemblyCommand(command);
}

void MainWindow::on_actionInsertNode_triggered()
{
    const QModelIndex current = m_treeForm->treeViewStructure->currentIndex();
    if (!current.isValid())
        return;
    const QString path = Prompts::get().getOpenFileName(this, tr("打开模型文件"), lastDirectory,
                                                        tr("Dazo files (*.dazo)"));
    if (path.isEmpty())
        return;
    m_lastAddedNode = nullptr;
    // The row may be gone when the read returns: the node is what the result is attached to.
    m_insertTarget = OsgTreeModel::nodeOf(current);
    emit addFileToLoad(path, false, current, ObjectLoader::FilePath);
}

void MainWindow::attachInsertedModel(osg::Node* node)
{
    osg::ref_ptr<osg::Node> target;
    if (!node || !m_insertTarget.lock(target))
        return;
    m_insertTarget = nullptr;
    const QModelIndex row = m_treeModel->findIndex(target.get());
    if (!row.isValid()) {
        statusBar()->showMessage(tr("The row to insert under is gone; nothing was inserted."), 5000);
        return;
    }
    auto command = std::make_shared<Vantor::AddAssemblyCommand>();
    command->setViewer(m_sceneView->getView().get());
    command->setTargetIndex(row);
    command->setNode(node);
    runAssemblyCommand(command);
}

void MainWindow::on_actionDragAssembly_triggered(const QList<osg::Node*>& nodes, const QModelIndex& target)
{
    if (nodes.isEmpty() || !target.isValid())
        return;
    auto command = std::make_shared<Vantor::DragAssemblyCommand>();
    command->setViewer(m_sceneView->getView().get());
    command->setTargetIndex(target);
    command->SetList(nodes);
    runAssemblyCommand(command);
}

// ---- Find next ----------------------------------------------------------------------------------

QModelIndex MainWindow::nextDepthFirst(const QAbstractItemModel* model, const QModelIndex& index)
{
    if (!model)
        return QModelIndex();
    if (!index.isValid())
        return model->index(0, 0);
    if (model->rowCount(index) > 0)
        return model->index(0, index.column(), index);
    for (QModelIndex at = index; at.isValid(); at = at.parent()) {
        const QModelIndex parent = at.parent();
        if (at.row() + 1 < model->rowCount(parent))
            return model->index(at.row() + 1, index.column(), parent);
    }
    return model->index(0, index.column());
}

QModelIndex MainWindow::findNextMatch(const QAbstractItemModel* model, const QModelIndex& lastHit,
                                      const std::function<bool(const QModelIndex&)>& matches)
{
    if (!model || model->rowCount() == 0)
        return QModelIndex();
    const QModelIndex start = lastHit.isValid() ? lastHit : model->index(0, 0);
    if (!lastHit.isValid() && matches(start))
        return start;
    // Every row once, then back at the start.
    for (QModelIndex at = nextDepthFirst(model, start); ; at = nextDepthFirst(model, at)) {
        if (matches(at))
            return at;
        if (at == start)
            return QModelIndex();
    }
}

// ---- Merge --------------------------------------------------------------------------------------

void MainWindow::askToMerge(const QStringList& rules, const std::function<void(Vantor::Command&)>& setUp)
{
    // One merge at a time: the last one is kept until the next, so its thread outlives this slot.
    if (auto* last = dynamic_cast<Vantor::ModelMergeCommand*>(m_mergeCommand.get()); last && last->isRunning()) {
        statusBar()->showMessage(tr("A merge is still running."), 5000);
        return;
    }
    if (Prompts::get().question(this, windowTitle(), mergeQuestion(rules), QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    auto merge = std::make_shared<Vantor::ModelMergeCommand>();
    merge->setListener(m_sceneView->getModelMergeListener());
    merge->setMergeFaces(m_mergeFaces);
    setUp(*merge);
    m_mergeCommand = merge;
    if (auto manager = m_sceneView->getCommandManager())
        manager->DoCommand(merge);
}

void MainWindow::on_actionModelCombine_triggered()
{
    Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager();
    if (!selection || selection->getSelectedList().size() < 2) {
        onCommandTipChanged(tr("请选择需要合并的节点！").toLocal8Bit().toStdString());
        return;
    }
    const NodePtrList top = selection->getTopSelectedList();
    askToMerge({tr("合并规则："), tr("1) 若一节点下的所有节点都被选中，则合并至该节点。"),
                tr("2) 若一节点下的部分节点被选中，则合并为一个MergeModel节点，该节点位于最后。"),
                tr("3) 合并命令可能会花费些许时间，请耐心等待！"), tr("4) 该操作不可回退，请谨慎执行！")},
               [&](Vantor::Command& command) { static_cast<Vantor::ModelMergeCommand&>(command).setSelectedNodeList(top); });
}

void MainWindow::on_actionModelAutoCombine_triggered()
{
    osg::Node* model = m_sceneModel ? m_sceneModel->getModel() : nullptr;
    if (!model)
        return;
    askToMerge({tr("合并规则："), tr("1) 所有子节点将被合并至根节点。"),
                tr("2) 合并命令可能会花费些许时间，请耐心等待！"), tr("3) 该操作不可回退，请谨慎执行！")},
               [&](Vantor::Command& command) { static_cast<Vantor::ModelMergeCommand&>(command).setSelectedNode(model); });
}

osg::ref_ptr<osg::Node> MainWindow::applyMergeResult(const Vantor::MergeResultMap& result)
{
    for (const auto& [merged, sources] : result) {
        auto* model = dynamic_cast<Vantor::Model*>(merged.get());
        if (!model)
            continue;
        auto* single = sources.size() == 1 ? dynamic_cast<Vantor::Model*>(sources.front().get()) : nullptr;
        if (single && single->getModelID() == model->getModelID()) {
            if (single->getNumParents() == 0)
                continue;
            osg::Group* parent = single->getParent(0);
            if (parent->getName() == "NodeScene")
                return model; // the whole scene: the caller makes it the document
            if (Vantor::Model::isModel(parent)) {
                const unsigned int index = parent->getChildIndex(single);
                parent->removeChild(single);
                parent->insertChild(index, model);
            }
            continue;
        }
        osg::Group* lastParent = nullptr;
        for (const auto& source : sources) {
            lastParent = nullptr;
            if (!source.valid() || source->getNumParents() == 0)
                continue;
            lastParent = source->getParent(0);
            lastParent->removeChild(source.get());
        }
        if (auto* parent = dynamic_cast<Vantor::Model*>(lastParent)) {
            parent->addChild(model);
            parent->resetChildrenPlcId();
        }
    }
    return nullptr;
}

void MainWindow::on_ModelCombine_triggered(MergeResultPtr result)
{
    if (!result || !m_treeModel->rootNode())
        return;
    if (Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager())
        selection->clearSelection();
    if (osg::ref_ptr<osg::Node> scene = applyMergeResult(*result)) {
        if (m_loader)
            m_loader->clear();
        if (osg::ref_ptr<PickingHandler> handler = m_sceneView->getPickingHandler())
            handler->setNode(nullptr);
        clearModelData();
        m_sceneModel->setModel(scene.get());
        m_loadedRoot = scene;
        m_treeModel->setNode(scene.get());
        showNodeProperties(scene.get());
    } else {
        m_treeModel->refreshStructure();
    }
    m_lastSearchHit = QModelIndex();
    emit m_treeModel->layoutChanged();
    emit modelCombineClear();
}

// ---- Settings and quitting ----------------------------------------------------------------------

void MainWindow::on_actionPreferences_triggered()
{
    showPreferences();
}

void MainWindow::on_actionSetting_triggered()
{
    showSystemSetting();
}

void MainWindow::on_actionQuit_triggered()
{
    close();
}
