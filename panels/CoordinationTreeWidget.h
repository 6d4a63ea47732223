#pragma once

#include <QMap>
#include <QPersistentModelIndex>
#include <QTreeWidget>

// The tree of the annotation panel. Keeps the group table (group number to name), regroups annotations
// dropped onto a group or a category, and finishes in-place renames of annotations and groups.
class CoordinationTreeWidget : public QTreeWidget
{
    Q_OBJECT
public:
    // The drag format; the payload is never read, a drop works on the current selection.
    static const char* const DragFormat;

    explicit CoordinationTreeWidget(QWidget* parent = nullptr);
    using QTreeWidget::edit;

    // Group number to group name.
    QMap<int, QString> groupNames;
    // The entry whose editor is open or was asked for last. Persistent: a rebuild that removes the entry
    // leaves it invalid instead of pointing at a freed entry.
    QPersistentModelIndex editIndex;

    // True while an in-place editor is open.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

    QTreeWidgetItem* itemFor(const QModelIndex& index) const { return itemFromIndex(index); }
    QModelIndex indexFor(const QTreeWidgetItem* item) const { return indexFromItem(item); }

signals:
    // A drop regrouped annotations; the panel notifies the managers.
    void updateNode();
    // The panel's busy flag: true while an editor is open or a refused group name waits, false after.
    void LookChange(bool busy);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void startDrag(Qt::DropActions supportedActions) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
};
