#pragma once

#include "panels/BookmarkRecordList.h"

#include <QDomDocument>
#include <QFile>
#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

// Reads and writes the bookmark file that lies beside a model: XML whose root "NerioBookmark" (version
// "1.0") holds one "bookmarks" element with one "bookmark" per record; each key of a record is an element
// named after the key, its text the value's text form and its "type" attribute the value's QVariant type.
// Problems are reported through the log handler.
class BookmarkParser : public QObject
{
    Q_OBJECT
public:
    explicit BookmarkParser(QObject* parent = nullptr);
    ~BookmarkParser() override;

    // The records of the file; null when it cannot be opened. A file that does not parse or is not a
    // bookmark file gives an empty list (errorString() then says why).
    std::unique_ptr<BookmarkRecordList> read(const QString& path);
    // Writes the records in list order; false for a null list or a file that cannot be written (the file
    // is replaced only once it has been written whole).
    bool save(const QString& path, const BookmarkRecordList* list);

    // Why the last read or save failed; empty when it succeeded.
    QString errorString() const { return m_error; }

private:
    void readDocument(const QByteArray& bytes);
    void buildDocument(const BookmarkRecordList* list);
    void fail(const QString& message);

    QDomDocument m_document;
    BookmarkRecordList* m_list = nullptr; // being filled, owned by the caller of read()
    QString m_error;
};

// The text a value is kept as in the bookmark file.
QString variantToString(const QVariant& value);
// The value of a text of the given QVariant type. ok (may be null) is false when the text does not give
// a value of that type.
QVariant stringToVariant(const QString& text, int type, bool* ok);
