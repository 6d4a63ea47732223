#pragma once

#include "panels/BookmarkRecordList.h"

#include <QImage>
#include <QListWidgetItem>
#include <QPixmap>
#include <QStyledItemDelegate>

// A row of the bookmark list: shows its record (name, description as tool tip, framed thumbnail) and keeps
// the bookmark id under IdRole. The record belongs to the panel's record list.
class BookmarkListWidgetItem : public QListWidgetItem
{
public:
    static constexpr int IdRole = Qt::UserRole + 1;

    explicit BookmarkListWidgetItem(BookmarkRecord* record, QListWidget* list = nullptr);

    BookmarkRecord* record() const { return m_record; }
    // Fills the roles from the record; nothing without a record.
    void setup();
    // The saved view's id, 64 bits wide.
    qint64 bookmarkId() const;
    static qint64 bookmarkId(const QListWidgetItem* item);

    // The thumbnail on a light three-step grey frame, 12 pixels larger each way.
    static QPixmap framedPixmap(const QImage& thumbnail);

private:
    BookmarkRecord* m_record = nullptr;
};

// Draws a bookmark row: the framed thumbnail, then the name and, below it, the description.
class BookmarkListWidgetItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
