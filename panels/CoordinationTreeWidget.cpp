#include "panels/CoordinationTreeWidget.h"

#include "common/Prompts.h"
#include "panels/CoordinationEntries.h"
#include "panels/QTreeviewDelegate.h"

#include <osg/Node>

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

using namespace CoordinationEntries;

const char* const CoordinationTreeWidget::DragFormat = "application/x-qabstractitemmodeldatalist";

CoordinationTreeWidget::CoordinationTreeWidget(QWidget* parent)
    : QTreeWidget(parent)
{
    setAccessibleName(tr("Annotation tree"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    // No Qt::WA_PaintOnScreen: a widget with it paints nothing on X11.
    setItemDelegateForColumn(0, new QTreeviewDelegate(this));
}

void CoordinationTreeWidget::startDrag(Qt::DropActions)
{
    QTreeWidgetItem* current = currentItem();
    if (!current || !current->parent())
        return;
    auto* mime = new QMimeData;
    mime->setData(DragFormat, QVariant(QString::number(quintptr(current))).toByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction);
}

void CoordinationTreeWidget::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void CoordinationTreeWidget::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData() && event->mimeData()->hasFormat(DragFormat))
        event->setDropAction(Qt::MoveAction);
}

void CoordinationTreeWidget::dropEvent(QDropEvent* event)
{
    if (!event->mimeData() || !event->mimeData()->hasFormat(DragFormat)) {
        event->ignore();
        return;
    }
    QTreeWidgetItem* target = itemAt(event->pos());
    if (!target)
        return;
    if (target->parent()) {
        event->ignore();
        return;
    }
    const QString text = target->text(0);
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (isCategoryText(text)) {
        // Back to the category: only annotations of that category's own kind.
        for (QTreeWidgetItem* item : selected) {
            osg::Node* node = nodeOf(item);
            if (!item->parent() || !node)
                continue;
            const QString kind = item->data(DataColumn, KindRole).toString();
            if ((kind == QLatin1String("Section") && text == sectionCategory())
                || (kind == QLatin1String("Measure") && text == measureCategory())
                || (kind == QLatin1String("Note") && text == noteCategory()))
                clearGroup(node);
        }
    } else {
        const int number = groupNumberOf(target);
        for (QTreeWidgetItem* item : selected)
            if (item->parent())
                assignGroup(nodeOf(item), number, text);
    }
    emit updateNode();
    event->accept();
}

bool CoordinationTreeWidget::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool wasEditing = isEditing();
    if (!QTreeWidget::edit(index, trigger, event))
        return false;
    // Whoever opened the editor (the panel or the edit key), it is finished against its own entry.
    if (isEditing()) {
        editIndex = index;
        if (!wasEditing)
            emit LookChange(true);
    }
    return true;
}

void CoordinationTreeWidget::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeWidgetItem* item = editIndex.isValid() ? itemFromIndex(editIndex) : nullptr;
    if (!item) {
        // The entry went with a rebuild: nothing to rename.
        QTreeWidget::closeEditor(editor, hint);
        emit LookChange(false);
        return;
    }
    if (item->parent()) {
        if (osg::Node* node = nodeOf(item); node && item->type() == AnnotationType
                                            && !isPmiCategoryText(item->parent()->text(0)))
            node->setName(item->text(0).toLocal8Bit().toStdString());
        QTreeWidget::closeEditor(editor, hint);
        emit LookChange(false);
        return;
    }
    const QString name = item->text(0);
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* other = topLevelItem(i);
        if (other == item || other->text(0) != name)
            continue;
        Prompts::get().information(this, tr("提示"), tr("该组名已经存在，请重新命名!"));
        if (QTreeWidgetItem* current = currentItem())
            current->setSelected(true);
        emit LookChange(true);
        return; // the editor stays open for another name
    }
    emit LookChange(false);
    item->setSelected(true);
    const int number = groupNumberOf(item);
    groupNames[number] = name;
    for (int i = 0; i < item->childCount(); ++i)
        assignGroup(nodeOf(item->child(i)), number, name);
    QTreeWidget::closeEditor(editor, hint);
}
