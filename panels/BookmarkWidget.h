#pragma once

#include <QWidget>

class QListWidget;

// The saved-view and bookmark panel.
class BookmarkWidget : public QWidget
{
    Q_OBJECT
public:
    explicit BookmarkWidget(QWidget* parent = nullptr);

    bool loadBookmarks(const QString& path);
    QListWidget* listWidget() const { return m_list; }
    void setcurrentRow(int row);

signals:
    void newBookmarkRequest();
    void useBookmarkItem(int id);
    void updateBookmarkItemRequest(int id);
    void clearAllBookItems();
    void removeBookItemByIndex(unsigned int index);

public slots:
    void on_pushButtonAddBookmark_pressed();
    void on_pushButtonDeleteBookmark_pressed();
    void on_pushButtonUpdateBookmark_pressed();

private:
    QListWidget* m_list = nullptr;
};
