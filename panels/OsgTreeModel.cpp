#include "panels/OsgTreeModel.h"

#include "panels/PanelResources.h"

#include "vantor/command/ISelectionManager.h"
#include "vantor/model/Model.h"
#include "vantor/model/NodeFlags.h"

#include <QAbstractItemView>
#include <QColor>
#include <QDataStream>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTreeView>

#include <vector>

const char* const OsgTreeModel::PayloadFormat = "TreeModel";

namespace {

constexpr osg::Node::NodeMask kShown = 0xFFFFFFFFu;
constexpr int kColumns = 3;
// Deeper than any assembly; stops a climb through a cycle of first parents.
constexpr int kMaxDepth = 100000;

bool isEmptyGroup(const osg::Node* node)
{
    const osg::Group* group = node->asGroup();
    return group && group->getNumChildren() == 0;
}

Vantor::Model* asModel(osg::Node* node) { return dynamic_cast<Vantor::Model*>(node); }

Vantor::Model* firstParentModel(const osg::Node* node)
{
    return node->getNumParents() > 0 ? dynamic_cast<Vantor::Model*>(const_cast<osg::Node*>(node)->getParent(0))
                                     : nullptr;
}

} // namespace

OsgTreeModel::OsgTreeModel(QObject* parent) : QAbstractItemModel(parent)
{
    initPanelResources();
    m_assemblyIcon = QIcon(QStringLiteral(":/VantorViewer/icon/Tree/root.png"));
    m_partIcon = QIcon(QStringLiteral(":/VantorViewer/icon/Tree/child.png"));
}

OsgTreeModel::~OsgTreeModel() = default;

void OsgTreeModel::setSelectionManager(Vantor::ISelectionManager* manager) { m_selectionManager = manager; }

Vantor::ISelectionManager* OsgTreeModel::selectionManager() const { return m_selectionManager.get(); }

osg::Node* OsgTreeModel::nodeOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<osg::Node*>(index.internalPointer()) : nullptr;
}

// Pre-order walk of the subtree under start (the whole tree for an invalid start); stops when visit
// answers true and then answers true itself.
template <typename F>
bool OsgTreeModel::walk(const QModelIndex& start, F&& visit) const
{
    std::vector<QModelIndex> stack;
    if (start.isValid()) {
        stack.push_back(start);
    } else {
        for (int row = rowCount(QModelIndex()) - 1; row >= 0; --row)
            stack.push_back(index(row, 0));
    }
    while (!stack.empty()) {
        const QModelIndex current = stack.back();
        stack.pop_back();
        if (!current.isValid())
            continue;
        if (visit(current))
            return true;
        const QModelIndex first = current.sibling(current.row(), 0);
        for (int row = rowCount(first) - 1; row >= 0; --row)
            stack.push_back(index(row, 0, first));
    }
    return false;
}

void OsgTreeModel::setNode(osg::Node* node)
{
    // Indexes of the view must not outlive the nodes they point at.
    if (m_treeView && m_treeView->model() == this) {
        if (QItemSelectionModel* selection = m_treeView->selectionModel())
            selection->clear();
        m_treeView->setCurrentIndex(QModelIndex());
    }
    beginResetModel();
    m_root = node;
    endResetModel();
}

void OsgTreeModel::refreshStructure()
{
    auto* tree = qobject_cast<QTreeView*>(m_treeView.data());
    if (tree && tree->model() != this)
        tree = nullptr;
    QSet<const osg::Node*> expanded;
    if (tree) {
        walk(QModelIndex(), [&](const QModelIndex& index) {
            if (tree->isExpanded(index))
                expanded.insert(nodeOf(index));
            return false;
        });
    }
    // The change has happened: the view's current row and selection may point at nodes that are gone,
    // so they must not be touched (clearing a selection asks for its rows' parents). The reset
    // invalidates them without looking at them, and the view drops them.
    beginResetModel();
    endResetModel();
    if (tree && !expanded.isEmpty()) {
        walk(QModelIndex(), [&](const QModelIndex& index) {
            if (expanded.contains(nodeOf(index)))
                tree->expand(index);
            return false;
        });
    }
}

QModelIndex OsgTreeModel::findIndex(osg::Node* node, const QModelIndex& start) const
{
    QModelIndex found;
    walk(start, [&](const QModelIndex& index) {
        if (nodeOf(index) && nodeOf(index) == node) {
            found = index;
            return true;
        }
        return false;
    });
    return found;
}

QModelIndex OsgTreeModel::findIndexByName(const QString& text, const QModelIndex& start) const
{
    const std::string name = text.toStdString();
    QModelIndex found;
    walk(start, [&](const QModelIndex& index) {
        const osg::Node* node = nodeOf(index);
        if (node && node->getName() == name) {
            found = index;
            return true;
        }
        return false;
    });
    return found;
}

void OsgTreeModel::collectIndexes(QMap<osg::Node*, QModelIndex>& map, const QModelIndex& index) const
{
    walk(index, [&](const QModelIndex& current) {
        map.insert(nodeOf(current), current);
        return false;
    });
}

QModelIndexList OsgTreeModel::flaggedRows() const
{
    QModelIndexList rows;
    walk(QModelIndex(), [&](const QModelIndex& index) {
        if (const osg::Node* node = nodeOf(index); node && Vantor::isNodeSelected(node))
            rows.append(index);
        return false;
    });
    return rows;
}

QSet<const osg::Node*> OsgTreeModel::nodesOfTree() const
{
    QSet<const osg::Node*> nodes;
    walk(QModelIndex(), [&](const QModelIndex& index) {
        if (const osg::Node* node = nodeOf(index))
            nodes.insert(node);
        return false;
    });
    return nodes;
}

QModelIndex OsgTreeModel::rowIndex(Vantor::Model* parentModel, osg::Node* node) const
{
    // The place a model keeps is its row; a stale place falls back to a look along the siblings.
    int row = static_cast<Vantor::Model*>(node)->getPlcId();
    if (parentModel->getModelChild(unsigned(row)) != node) {
        row = -1;
        for (unsigned int i = 0; i < parentModel->getModelChildrenNum(); ++i) {
            if (parentModel->getModelChild(i) == node) {
                row = int(i);
                break;
            }
        }
        if (row < 0)
            return QModelIndex();
    }
    return createIndex(row, 0, node);
}

QModelIndex OsgTreeModel::indexOfNode(osg::Node* node) const
{
    if (!node || !m_root)
        return QModelIndex();
    if (node == m_root.get())
        return createIndex(0, 0, node);
    if (!asModel(node))
        return QModelIndex();
    // The node belongs to the tree when its chain of first parents reaches the root through models.
    const osg::Node* current = node;
    for (int depth = 0; current != m_root.get(); ++depth) {
        const Vantor::Model* parent = firstParentModel(current);
        if (!parent || depth > kMaxDepth)
            return QModelIndex();
        current = parent;
    }
    return rowIndex(firstParentModel(node), node);
}

QModelIndex OsgTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    if (!parent.isValid())
        return createIndex(row, column, m_root.get());
    auto* model = asModel(nodeOf(parent));
    osg::Node* child = model ? model->getModelChild(unsigned(row)) : nullptr;
    return child ? createIndex(row, column, child) : QModelIndex();
}

QModelIndex OsgTreeModel::parent(const QModelIndex& child) const
{
    osg::Node* node = nodeOf(child);
    if (!node || node == m_root.get())
        return QModelIndex();
    Vantor::Model* parentModel = firstParentModel(node);
    if (!parentModel)
        return QModelIndex();
    if (parentModel == m_root.get())
        return createIndex(0, 0, parentModel);
    Vantor::Model* grandParent = firstParentModel(parentModel);
    if (!grandParent)
        return QModelIndex();
    return rowIndex(grandParent, parentModel);
}

int OsgTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return 1;
    if (parent.column() != 0)
        return 0;
    auto* model = asModel(nodeOf(parent));
    return model ? int(model->getModelChildrenNum()) : 0;
}

int OsgTreeModel::columnCount(const QModelIndex&) const { return kColumns; }

bool OsgTreeModel::hasChildren(const QModelIndex& parent) const { return rowCount(parent) > 0; }

QVariant OsgTreeModel::data(const QModelIndex& index, int role) const
{
    const osg::Node* node = nodeOf(index);
    if (!node)
        return QVariant();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == 0) {
            if (node->getName().empty())
                return tr("<unnamed>");
            return QString::fromStdString(node->getName());
        }
        if (column == 1)
            return QString::fromUtf8(node->className());
        if (column == 2) {
            QString text;
            for (const std::string& description : node->getDescriptions())
                text += QString::fromStdString(description) + QLatin1Char('\n');
            return text;
        }
        return QVariant();
    case Qt::DecorationRole:
        if (column == 0)
            if (auto* model = dynamic_cast<const Vantor::Model*>(node))
                return model->getModelChildrenNum() > 0 ? m_assemblyIcon : m_partIcon;
        return QVariant();
    case Qt::BackgroundRole:
        if (column == 0)
            return Vantor::isNodeSelected(node) ? QColor(QStringLiteral("#0e81dc")) : QColor(QStringLiteral("#FFFFFF"));
        return QVariant();
    case Qt::ForegroundRole:
        if (column == 0 && isEmptyGroup(node))
            return QColor(QStringLiteral("#b6b6b6"));
        return QVariant();
    case Qt::CheckStateRole:
        if (column != 0)
            return QVariant();
        if (isEmptyGroup(node))
            return int(Qt::Unchecked);
        return node->getNodeMask() != 0 ? int(Qt::Checked) : int(Qt::Unchecked);
    default:
        return QVariant();
    }
}

void OsgTreeModel::updateAncestors(osg::Node* node, QSet<osg::Node*>& changed)
{
    std::vector<osg::Node*> pending{node};
    for (int steps = 0; !pending.empty() && steps < kMaxDepth; ++steps) {
        osg::Node* current = pending.back();
        pending.pop_back();
        for (osg::Group* parentGroup : current->getParents()) {
            auto* parent = asModel(parentGroup);
            if (!parent)
                continue;
            unsigned int shown = 0;
            for (unsigned int i = 0; i < parent->getModelChildrenNum(); ++i)
                if (parent->getModelChild(i)->getNodeMask() == kShown)
                    ++shown;
            const osg::Node::NodeMask before = parent->getNodeMask();
            parent->setVisible(shown >= 1, false);
            if (parent->getNodeMask() != before)
                changed.insert(parent);
            pending.push_back(parent);
        }
    }
}

void OsgTreeModel::setMaskOfSelection(osg::Node* node, osg::Node::NodeMask mask, QSet<osg::Node*>& changed)
{
    Vantor::ISelectionManager* selection = m_selectionManager.get();
    if (!selection)
        return;
    NodePtrList& selected = selection->getSelectedList();
    bool among = false;
    for (const auto& n : selected)
        among = among || n.get() == node;
    if (!among)
        return;
    for (const auto& n : selected) {
        if (!n.valid() || n->getNodeMask() == mask)
            continue;
        n->setNodeMask(mask);
        changed.insert(n.get());
    }
}

void OsgTreeModel::emitChangedBelow(osg::Node* node)
{
    // One signal per parent row covering its children: the whole subtree changed.
    const QModelIndex start = indexOfNode(node);
    if (!start.isValid())
        return;
    walk(start, [&](const QModelIndex& index) {
        const int rows = rowCount(index);
        if (rows > 0)
            emit dataChanged(this->index(0, 0, index), this->index(rows - 1, 0, index));
        return false;
    });
}

void OsgTreeModel::setCheckState(osg::Node* node, int state)
{
    QSet<osg::Node*> changed;
    if (state == Qt::Unchecked) {
        node->setNodeMask(0);
        setMaskOfSelection(node, 0, changed);
        updateAncestors(node, changed);
    } else if (state == Qt::Checked) {
        node->setNodeMask(kShown);
        updateAncestors(node, changed);
        setMaskOfSelection(node, kShown, changed);
    }
    const QModelIndex own = indexOfNode(node);
    if (own.isValid())
        emit dataChanged(own, own);

    auto* model = asModel(node);
    if (model && model->getModelChildrenNum() > 0 && (state == Qt::Unchecked || state == Qt::Checked)) {
        for (unsigned int i = 0; i < model->getModelChildrenNum(); ++i)
            model->getModelChild(i)->setVisible(state == Qt::Checked, true);
        emitChangedBelow(node);
    }
    changed.remove(node);
    for (osg::Node* other : qAsConst(changed)) {
        const QModelIndex index = indexOfNode(other);
        if (index.isValid())
            emit dataChanged(index, index);
    }
}

bool OsgTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    osg::Node* node = nodeOf(index);
    if (!node)
        return false;
    if (index.column() != 0)
        return true;
    if (role == Qt::CheckStateRole) {
        setCheckState(node, value.toInt());
    } else if (role == Qt::EditRole) {
        node->setName(value.toString().toStdString());
        emit dataChanged(index, index);
    }
    return true;
}

QVariant OsgTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        switch (section) {
        case 0:
            return tr("Name");
        case 1:
            return tr("Type");
        case 2:
            return tr("Description");
        default:
            break;
        }
    }
    return QAbstractItemModel::headerData(section, orientation, role);
}

QStringList OsgTreeModel::mimeTypes() const { return {QStringLiteral("OsgTreeModelDrag")}; }

QMimeData* OsgTreeModel::mimeData(const QModelIndexList&) const
{
    auto* mime = new QMimeData;
    m_ownDrag = mime;
    Vantor::ISelectionManager* selection = m_selectionManager.get();
    if (!selection) {
        mime->setData(QLatin1String(PayloadFormat), QByteArrayLiteral("NULL"));
        return mime;
    }
    NodePtrList dragged;
    const QModelIndex current = m_treeView ? m_treeView->currentIndex() : QModelIndex();
    if (!selection->getSelectedList().empty() || !m_treeView)
        dragged = selection->getTopSelectedList();
    else if (nodeOf(current))
        dragged.push_back(nodeOf(current));

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    for (const auto& node : dragged)
        out << qint64(reinterpret_cast<quintptr>(node.get()));
    mime->setData(QLatin1String(PayloadFormat), bytes);
    return mime;
}

bool OsgTreeModel::readPayload(const QMimeData* data, QList<osg::Node*>& nodes) const
{
    // A payload of another drag (another view, another program) may hold any number: never a pointer.
    if (!m_ownDrag || data != m_ownDrag.data())
        return false;
    const QSet<const osg::Node*> tree = nodesOfTree();
    QDataStream in(data->data(QLatin1String(PayloadFormat)));
    while (!in.atEnd()) {
        qint64 address = 0;
        in >> address;
        if (in.status() != QDataStream::Ok)
            return false;
        if (address == 0)
            continue;
        const auto* node = reinterpret_cast<const osg::Node*>(quintptr(address));
        if (!tree.contains(node))
            return false;
        nodes.append(const_cast<osg::Node*>(node));
    }
    return true;
}

bool OsgTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int, const QModelIndex& parent) const
{
    if (!data || !data->hasFormat(QLatin1String(PayloadFormat)))
        return true;
    QList<osg::Node*> nodes;
    if (!readPayload(data, nodes))
        return false;
    osg::Node* target = nodeOf(parent);
    for (osg::Node* node : qAsConst(nodes)) {
        if (node->getNumParents() == 0 || node->getParent(0)->getName() == "NodeScene")
            return false;
        auto* model = asModel(node);
        if (!model || model->hasGrandNode(target) || node == target)
            return false;
    }
    return true;
}

bool OsgTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                const QModelIndex& parent)
{
    if (!data || !data->hasFormat(QLatin1String(PayloadFormat)))
        return true;
    // The view asks before it drops; a direct call gets the same answer.
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    QList<osg::Node*> nodes;
    if (!readPayload(data, nodes))
        return false;
    QList<osg::Node*> dropped;
    for (osg::Node* node : qAsConst(nodes))
        if (node->getNumParents() > 0)
            dropped.append(node);
    emit dragAssemblies(dropped, parent);
    return true;
}

Qt::DropActions OsgTreeModel::supportedDropActions() const { return Qt::CopyAction | Qt::MoveAction; }

Qt::ItemFlags OsgTreeModel::flags(const QModelIndex& index) const
{
    // Below the rows only a drop makes sense.
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled |
           Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsAutoTristate;
}

