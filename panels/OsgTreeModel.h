#pragma once

#include <osg/Node>
#include <osg/ref_ptr>

#include <QAbstractItemModel>
#include <QList>
#include <QMap>

class QTreeView;
namespace Vantor { class ISelectionManager; }

// The structure tree's item model; every index's internal pointer is its row's osg::Node.
class OsgTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit OsgTreeModel(QObject* parent = nullptr);

    void setSelectionManager(Vantor::ISelectionManager* manager) { m_selectionManager = manager; }
    void setTreeView(QTreeView* view) { m_treeView = view; }
    void setNode(osg::Node* node);
    // Resets the model and lets go of its root node.
    void clear();
    osg::Node* rootNode() const { return m_root.get(); }

    void collectIndexes(QMap<osg::Node*, QModelIndex>& map, const QModelIndex& start);
    QModelIndex findIndex(const QModelIndex& start, osg::Node* node);
    QModelIndex findIndexByName(const QModelIndex& start, const QString& text);

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
    void dragAssemblies(const QList<osg::Node*>& nodes, const QModelIndex& target);

private:
    osg::ref_ptr<osg::Node> m_root;
    Vantor::ISelectionManager* m_selectionManager = nullptr;
    QTreeView* m_treeView = nullptr;
};
