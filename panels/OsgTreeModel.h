#pragma once

#include <osg/Node>
#include <osg/observer_ptr>
#include <osg/ref_ptr>

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QIcon>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QSet>

class QAbstractItemView;
class QMimeData;
namespace Vantor {
class ISelectionManager;
class Model;
}

// The structure tree's item model over the loaded model's scene graph. One top row carries the root
// node; below a row come the model children of its node (Vantor::Model::getModelChild order). Every
// index's internal pointer is its row's osg::Node; the model keeps no copy of the tree, so names,
// check states (node masks) and the selection highlight (the nodes' selected flags) are read live.
// Columns: name, class name, descriptions.
class OsgTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    // Where drag payloads are kept: the nodes' addresses as big-endian signed 64-bit integers.
    static const char* const PayloadFormat;

    explicit OsgTreeModel(QObject* parent = nullptr);
    ~OsgTreeModel() override;

    void setSelectionManager(Vantor::ISelectionManager* manager);
    Vantor::ISelectionManager* selectionManager() const;
    void setTreeView(QAbstractItemView* view) { m_treeView = view; }
    QAbstractItemView* treeView() const { return m_treeView; }

    // Replaces the root node (the same node again only resets). The view's current row and selection
    // are cleared first, so no index survives that points into the old tree.
    void setNode(osg::Node* node);
    // Resets the model and lets go of its root node.
    void clear() { setNode(nullptr); }
    osg::Node* rootNode() const { return m_root.get(); }

    // Re-reads the structure after the scene graph changed under the model: resets the model (the view's
    // current row and selection go with it) and expands again the rows whose nodes are still in the tree.
    void refreshStructure();

    // Depth-first, pre-order searches of the subtree under start, start included; an invalid start
    // searches the whole tree. Nodes are compared by address only.
    QModelIndex findIndex(osg::Node* node, const QModelIndex& start = QModelIndex()) const;
    // Exact, case-sensitive comparison of the node's name with the text's UTF-8 bytes.
    QModelIndex findIndexByName(const QString& text, const QModelIndex& start = QModelIndex()) const;
    // Enters every index of the subtree under index (the whole tree for an invalid one) by its node.
    void collectIndexes(QMap<osg::Node*, QModelIndex>& map, const QModelIndex& index) const;
    // The rows (column 0) whose node carries the selected flag: the rows painted as selected.
    QModelIndexList flaggedRows() const;

    // The row of a node that lies in the tree, found by climbing its first parents to the root
    // (no search); invalid for a node outside the tree.
    QModelIndex indexOfNode(osg::Node* node) const;
    static osg::Node* nodeOf(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Rows dropped on a row: the dragged nodes and the row they were dropped on.
    void dragAssemblies(const QList<osg::Node*>& nodes, const QModelIndex& target);

private:
    // Reads a payload of this model's own drag into nodes of this tree. False for a drag that this
    // model did not start, a damaged payload or an address that is not a node of the tree.
    bool readPayload(const QMimeData* data, QList<osg::Node*>& nodes) const;
    QSet<const osg::Node*> nodesOfTree() const;
    void setCheckState(osg::Node* node, int state);
    // Ancestor visibility update: every model parent shows when one of its model children is fully
    // shown, else hides, climbing on from each.
    void updateAncestors(osg::Node* node, QSet<osg::Node*>& changed);
    void setMaskOfSelection(osg::Node* node, osg::Node::NodeMask mask, QSet<osg::Node*>& changed);
    void emitChangedBelow(osg::Node* node);
    QModelIndex rowIndex(Vantor::Model* parentModel, osg::Node* node) const;
    template <typename F>
    bool walk(const QModelIndex& start, F&& visit) const;

    osg::ref_ptr<osg::Node> m_root;
    osg::observer_ptr<Vantor::ISelectionManager> m_selectionManager;
    QPointer<QAbstractItemView> m_treeView;
    // The payload of the drag this model started last; a drop must carry it.
    mutable QPointer<QMimeData> m_ownDrag;
    QIcon m_assemblyIcon;
    QIcon m_partIcon;
};
