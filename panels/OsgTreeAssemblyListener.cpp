#include "panels/OsgTreeAssemblyListener.h"

#include "panels/OsgTreeModel.h"
#include "panels/QTreeviewDelegate.h"
#include "view/SceneModel.h"

#include <QTreeView>

namespace {

OsgTreeModel* treeModelOf(QAbstractItemView* view)
{
    return view ? qobject_cast<OsgTreeModel*>(view->model()) : nullptr;
}

// After the reset the parent's row is looked up again by its node's address (never dereferenced:
// the row the caller passed may have gone with the change).
QModelIndex refreshedParent(OsgTreeModel* model, const QModelIndex& parent)
{
    osg::Node* node = OsgTreeModel::nodeOf(parent);
    model->refreshStructure();
    return node ? model->findIndex(node) : QModelIndex();
}

void reveal(QAbstractItemView* view, const QModelIndex& parent, const QModelIndex& row)
{
    if (auto* tree = qobject_cast<QTreeView*>(view))
        tree->expand(parent);
    if (!row.isValid())
        return;
    view->setCurrentIndex(row);
    view->scrollTo(row, QAbstractItemView::EnsureVisible);
}

} // namespace

OsgTreeAssemblyListener::OsgTreeAssemblyListener(QAbstractItemView* treeView, SceneModel* scene)
    : m_treeView(treeView), m_scene(scene)
{
}

void OsgTreeAssemblyListener::onAssemblyCreated(Vantor::AssemblyManager*, osg::Node*, const QModelIndex& parent)
{
    OsgTreeModel* model = treeModelOf(m_treeView);
    if (!model || !parent.isValid())
        return;
    const QModelIndex refreshed = refreshedParent(model, parent);
    if (!refreshed.isValid())
        return;
    const QModelIndex created = model->index(model->rowCount(refreshed) - 1, 0, refreshed);
    reveal(m_treeView, refreshed, created);
    if (auto* tree = qobject_cast<QTreeView*>(m_treeView.data()))
        tree->resizeColumnToContents(0);
    // One delegate serves every new assembly; the view owns it.
    if (!qobject_cast<QTreeviewDelegate*>(m_treeView->itemDelegateForColumn(0)))
        m_treeView->setItemDelegateForColumn(0, new QTreeviewDelegate(m_treeView));
    if (created.isValid())
        m_treeView->edit(created);
}

void OsgTreeAssemblyListener::onNodeAdded(Vantor::AssemblyManager*, osg::Node* node, const QModelIndex& parent)
{
    OsgTreeModel* model = treeModelOf(m_treeView);
    if (!model || !parent.isValid())
        return;
    const QModelIndex refreshed = refreshedParent(model, parent);
    if (!refreshed.isValid())
        return;
    const QModelIndex target =
        node ? model->findIndex(node, refreshed) : model->index(model->rowCount(refreshed) - 1, 0, refreshed);
    reveal(m_treeView, refreshed, target);
}

void OsgTreeAssemblyListener::onAssembliesChanged(Vantor::AssemblyManager*)
{
    if (OsgTreeModel* model = treeModelOf(m_treeView))
        model->refreshStructure();
}

void OsgTreeAssemblyListener::onModelAdded(Vantor::AssemblyManager*, osg::Node* node)
{
    if (m_scene)
        m_scene->recordModelProperties(node);
}
