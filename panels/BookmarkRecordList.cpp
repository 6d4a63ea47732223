#include "panels/BookmarkRecordList.h"

#include <QSet>

BookmarkRecordList::~BookmarkRecordList()
{
    qDeleteAll(m_records);
}

void BookmarkRecordList::append(BookmarkRecord* record)
{
    if (!record)
        return;
    m_records.append(record);
    m_modified = true;
}

void BookmarkRecordList::insert(int position, BookmarkRecord* record)
{
    if (!record)
        return;
    m_records.insert(position < 0 || position > m_records.size() ? m_records.size() : position, record);
    m_modified = true;
}

void BookmarkRecordList::clear()
{
    if (m_records.isEmpty())
        return;
    qDeleteAll(m_records);
    m_records.clear();
    m_modified = true;
}

void BookmarkRecordList::swap(int i, int j)
{
    if (i < 0 || j < 0 || i >= m_records.size() || j >= m_records.size())
        return;
    m_records.swapItemsAt(i, j);
    m_modified = true;
}

bool BookmarkRecordList::reorder(const QList<BookmarkRecord*>& order)
{
    if (order.size() != m_records.size())
        return false;
    const QSet<BookmarkRecord*> mine(m_records.begin(), m_records.end());
    const QSet<BookmarkRecord*> given(order.begin(), order.end());
    if (mine != given || given.size() != order.size())
        return false;
    if (order != m_records) {
        m_records = order;
        m_modified = true;
    }
    return true;
}

int BookmarkRecordList::indexOf(const BookmarkRecord* record) const
{
    for (int i = 0; i < m_records.size(); ++i)
        if (m_records.at(i) == record)
            return i;
    return -1;
}
