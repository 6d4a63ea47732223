#pragma once

#include "panels/BookmarkRecordList.h"
#include "ui_BookmarkWidget.h"

#include <QWidget>

#include <memory>

class BookmarkDialog;
class QListWidgetItem;

// The bookmark panel: the saved views listed as bookmarks (thumbnail, name, description) with buttons to
// add, update, edit, move, delete and clear them. It changes no saved view itself: it asks the main window
// through its signals and is refilled from the view manager when the views change. Ids are the saved
// views' 64-bit ids.
class BookmarkWidget : public QWidget
{
    Q_OBJECT
public:
    explicit BookmarkWidget(QWidget* parent = nullptr);
    ~BookmarkWidget() override;

    // Appends the record (taken over; null is ignored) and a row for it.
    void addBookmarkItem(BookmarkRecord* record);
    // Puts the record (taken over; null is ignored) and its row at the row given (outside: at the end).
    void insertBookmarkItem(int row, BookmarkRecord* record);
    // Replaces the records and rows by those of a bookmark file. False when the file could not be read
    // (then the panel has no records) or did not parse (then it has none either).
    bool loadBookmarks(const QString& path);
    // Empties the panel; with ask, only after the user said Yes. Emits clearAllBookItems() when the panel
    // had a record list.
    void clearBookmarks(bool ask);

    QListWidget* listWidget() const { return ui.listWidgetBookmark; }
    // Null until the first bookmark arrives or a file was read.
    BookmarkRecordList* recordList() const { return m_records.get(); }
    // The bookmark id of a row; 0 when there is no such row.
    qint64 bookmarkIdAt(int row) const;
    // Counts the changes of the rows, whoever made them: one who filled the panel knows from it
    // whether the rows are still as it left them.
    unsigned long long rowsGeneration() const { return m_rowsGeneration; }
    const Ui_BookmarkWidgetClass& form() const { return ui; }

signals:
    void clearAllBookItems();
    void removeBookItemByIndex(unsigned int row);
    void newBookmarkRequest();
    void useBookmarkItem(qint64 id);
    void updateBookmarkItemRequest(qint64 id);

public slots:
    void on_pushButtonAddBookmark_pressed();
    void on_pushButtonNavUp_pressed();
    void on_pushButtonNavDown_pressed();
    void on_pushButtonDeleteBookmark_pressed();
    void on_pushButtonEditBookmark_pressed();
    void on_pushButtonRefreshBookmark_pressed();
    void on_pushButtonUpdateBookmark_pressed();
    void on_pushButtonClearBookmark_pressed();
    void on_listWidgetBookmark_itemDoubleClicked(QListWidgetItem* item);
    int getcurrentRow();
    // Makes an existing row current and asks for its saved view to be applied.
    void setcurrentRow(int row);

private:
    // Moves the current row by one (-1 up, +1 down) together with its record.
    void moveCurrent(int step);
    // After rows were dragged: the records follow the rows' order.
    void followDraggedRows();

    Ui_BookmarkWidgetClass ui;
    std::unique_ptr<BookmarkRecordList> m_records;
    unsigned long long m_rowsGeneration = 0;
    BookmarkDialog* m_dialog = nullptr;
};
