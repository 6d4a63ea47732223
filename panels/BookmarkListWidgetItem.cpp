#include "panels/BookmarkListWidgetItem.h"

#include <QFontMetrics>
#include <QPainter>

BookmarkListWidgetItem::BookmarkListWidgetItem(BookmarkRecord* record, QListWidget* list)
    : QListWidgetItem(list, QListWidgetItem::Type)
    , m_record(record)
{
}

qint64 BookmarkListWidgetItem::bookmarkId() const
{
    return bookmarkId(this);
}

qint64 BookmarkListWidgetItem::bookmarkId(const QListWidgetItem* item)
{
    return item ? qint64(item->data(IdRole).toULongLong()) : 0;
}

void BookmarkListWidgetItem::setup()
{
    if (!m_record)
        return;
    const QImage thumbnail = m_record->value(BookmarkKey::thumbnail()).value<QImage>();
    setData(Qt::DisplayRole, m_record->value(BookmarkKey::name()).toString());
    setData(Qt::ToolTipRole, m_record->value(BookmarkKey::description()).toString());
    setData(IdRole, m_record->value(BookmarkKey::id()).toULongLong());
    setData(Qt::DecorationRole, framedPixmap(thumbnail));
}

QPixmap BookmarkListWidgetItem::framedPixmap(const QImage& thumbnail)
{
    const int width = thumbnail.width() + 12;
    const int height = thumbnail.height() + 12;
    QPixmap pixmap(width, height);
    QPainter painter(&pixmap);
    const QColor greys[] = {QColor(245, 245, 245), QColor(229, 229, 229), QColor(213, 213, 213)};
    for (int i = 0; i < 3; ++i)
        painter.fillRect(i, i, width - 2 * i, height - 2 * i, greys[i]);
    for (const QPoint& p : {QPoint(1, 1), QPoint(1, height - 2), QPoint(width - 2, 1), QPoint(width - 2, height - 2)})
        painter.fillRect(p.x(), p.y(), 1, 1, greys[0]);
    for (const QPoint& p : {QPoint(2, 2), QPoint(2, height - 3), QPoint(width - 3, 2), QPoint(width - 3, height - 3)})
        painter.fillRect(p.x(), p.y(), 1, 1, greys[1]);
    painter.fillRect(3, 3, thumbnail.width() + 6, thumbnail.height() + 6, Qt::white);
    painter.drawImage(6, 6, thumbnail);
    return pixmap;
}

void BookmarkListWidgetItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    const QPixmap pixmap = index.data(Qt::DecorationRole).value<QPixmap>();
    const QString title = index.data(Qt::DisplayRole).toString();
    const QString description = index.data(Qt::ToolTipRole).toString();
    const int column = qMax(pixmap.width(), pixmap.height() - 2);

    const bool selected = option.state & QStyle::State_Selected;
    const QBrush background = selected ? option.palette.highlight() : option.palette.base();
    const QBrush text = selected ? option.palette.highlightedText() : option.palette.text();

    QFont titleFont = option.font;
    titleFont.setWeight(0);
    QFont descriptionFont = titleFont;
    descriptionFont.setPointSize(titleFont.pointSize());

    painter->save();
    painter->setClipRect(option.rect);
    if (selected) {
        painter->fillRect(option.rect, option.palette.highlight());
        painter->setPen(option.palette.highlightedText().color());
    }

    QRect textArea = option.rect;
    textArea.setLeft(column + 14);
    const QFontMetrics titleMetrics(titleFont);
    QRect titleRect = textArea;
    titleRect.setTop(textArea.top() + 2);
    titleRect.setBottom(textArea.top() + 2 + titleMetrics.lineSpacing() - 1);
    QRect descriptionRect = textArea;
    descriptionRect.setTop(titleRect.bottom() + 4);
    descriptionRect.setBottom(option.rect.bottom());

    const int left = option.rect.left();
    painter->drawPixmap(left + ((column + 6) - left + 1 - column) / 2, option.rect.top(), pixmap);

    painter->setBrush(background);
    painter->setPen(text.color());
    painter->setFont(titleFont);
    painter->drawText(titleRect, Qt::AlignLeft,
                      titleMetrics.elidedText(title, option.textElideMode, titleRect.width()));
    painter->setFont(descriptionFont);
    painter->drawText(descriptionRect, Qt::AlignLeft,
                      QFontMetrics(descriptionFont).elidedText(description, option.textElideMode, descriptionRect.width()));
    painter->restore();
}

QSize BookmarkListWidgetItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const QPixmap pixmap = index.data(Qt::DecorationRole).value<QPixmap>();
    return pixmap.size() + QSize(4, 4);
}
