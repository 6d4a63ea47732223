#include "panels/BookmarkWidget.h"

#include <QListWidget>
#include <QVBoxLayout>

BookmarkWidget::BookmarkWidget(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = new QListWidget(this);
    layout->addWidget(m_list);
}

bool BookmarkWidget::loadBookmarks(const QString&)
{
    return false;
}

void BookmarkWidget::setcurrentRow(int row)
{
    if (row < 0 || row >= m_list->count())
        return;
    m_list->setCurrentRow(row);
    emit useBookmarkItem(m_list->item(row)->data(Qt::UserRole + 1).toInt());
}

void BookmarkWidget::on_pushButtonAddBookmark_pressed() { emit newBookmarkRequest(); }

void BookmarkWidget::on_pushButtonDeleteBookmark_pressed()
{
    const int row = m_list->currentRow();
    if (row >= 0)
        emit removeBookItemByIndex(unsigned(row));
}

void BookmarkWidget::on_pushButtonUpdateBookmark_pressed()
{
    const int row = m_list->currentRow();
    if (row >= 0)
        emit updateBookmarkItemRequest(m_list->item(row)->data(Qt::UserRole + 1).toInt());
}
