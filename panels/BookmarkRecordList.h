#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

// One bookmark: "Name", "Description" (QString), "Thumbnail" (QImage) and "bookmarkId" (qulonglong, the
// id of the saved view it stands for). The bookmark file may bring further keys; they are kept as read.
using BookmarkRecord = QHash<QString, QVariant>;

namespace BookmarkKey {
inline QString name() { return QStringLiteral("Name"); }
inline QString description() { return QStringLiteral("Description"); }
inline QString thumbnail() { return QStringLiteral("Thumbnail"); }
inline QString id() { return QStringLiteral("bookmarkId"); }
} // namespace BookmarkKey

// The bookmark panel's records, which it owns, with a flag that tells whether they changed since they
// were read, refilled or saved.
class BookmarkRecordList
{
public:
    BookmarkRecordList() = default;
    ~BookmarkRecordList();
    BookmarkRecordList(const BookmarkRecordList&) = delete;
    BookmarkRecordList& operator=(const BookmarkRecordList&) = delete;

    // Takes the record; a null record is ignored.
    void append(BookmarkRecord* record);
    // Takes the record and puts it at the position (outside the list: at the end).
    void insert(int position, BookmarkRecord* record);
    // Deletes every record.
    void clear();
    // Exchanges the records at two positions; positions outside the list change nothing.
    void swap(int i, int j);
    // Puts the records into the given order (the same records, each once); any other list changes nothing.
    bool reorder(const QList<BookmarkRecord*>& order);

    int size() const { return m_records.size(); }
    bool isEmpty() const { return m_records.isEmpty(); }
    BookmarkRecord* at(int i) const { return (i >= 0 && i < m_records.size()) ? m_records.at(i) : nullptr; }
    int indexOf(const BookmarkRecord* record) const;
    const QList<BookmarkRecord*>& records() const { return m_records; }

    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

private:
    QList<BookmarkRecord*> m_records;
    bool m_modified = false;
};
