#include "panels/OsgTreeModel.h"

OsgTreeModel::OsgTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void OsgTreeModel::setNode(osg::Node* node)
{
    if (node == m_root.get())
        return;
    beginResetModel();
    m_root = node;
    endResetModel();
}

void OsgTreeModel::clear()
{
    beginResetModel();
    endResetModel();
    m_root = nullptr;
}

void OsgTreeModel::collectIndexes(QMap<osg::Node*, QModelIndex>&, const QModelIndex&) {}
QModelIndex OsgTreeModel::findIndex(const QModelIndex&, osg::Node*) { return {}; }
QModelIndex OsgTreeModel::findIndexByName(const QModelIndex&, const QString&) { return {}; }
QModelIndex OsgTreeModel::index(int, int, const QModelIndex&) const { return {}; }
QModelIndex OsgTreeModel::parent(const QModelIndex&) const { return {}; }
int OsgTreeModel::rowCount(const QModelIndex&) const { return 0; }
int OsgTreeModel::columnCount(const QModelIndex&) const { return 1; }
QVariant OsgTreeModel::data(const QModelIndex&, int) const { return {}; }
