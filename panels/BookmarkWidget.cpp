#include "panels/BookmarkWidget.h"

#include "common/Prompts.h"
#include "panels/BookmarkDialog.h"
#include "panels/BookmarkListWidgetItem.h"
#include "panels/BookmarkParser.h"
#include "panels/BookmarkResources.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpacerItem>

namespace {

// The buttons' words, shown only where the icon is not built in.
struct ButtonWord
{
    QPushButton* Ui_BookmarkWidgetClass::*button;
    const char* icon;
    const char* word;
};

const ButtonWord kButtons[] = {
    {&Ui_BookmarkWidgetClass::pushButtonAddBookmark, ":/VantorViewer/icon/AddView.png",
     QT_TRANSLATE_NOOP("BookmarkWidgetClass", "Add")},
    {&Ui_BookmarkWidgetClass::pushButtonRefreshBookmark, ":/VantorViewer/refresh.png",
     QT_TRANSLATE_NOOP("BookmarkWidgetClass", "Refresh")},
    {&Ui_BookmarkWidgetClass::pushButtonUpdateBookmark, ":/VantorViewer/icon/updateView.png",
     QT_TRANSLATE_NOOP("BookmarkWidgetClass", "Update")},
    {&Ui_BookmarkWidgetClass::pushButtonEditBookmark, ":/VantorViewer/icon/edit_bookmark.png",
     QT_TRANSLATE_NOOP("BookmarkWidgetClass", "Edit")},
    {&Ui_BookmarkWidgetClass::pushButtonNavDown, ":/VantorViewer/icon/navdown.png",
     QT_TRANSLATE_NOOP("BookmarkWidgetClass", "Down")},
    {&Ui_BookmarkWidgetClass::pushButtonNavUp, ":/VantorViewer/icon/navup.png",
     QT_TRANSLATE_NOOP("BookmarkWidgetClass", "Up")},
    {&Ui_BookmarkWidgetClass::pushButtonClearBookmark, ":/VantorViewer/icon/navdelete.png",
     QT_TRANSLATE_NOOP("BookmarkWidgetClass", "Clear")},
    {&Ui_BookmarkWidgetClass::pushButtonDeleteBookmark, ":/VantorViewer/icon/deleteView.png",
     QT_TRANSLATE_NOOP("BookmarkWidgetClass", "Delete")},
};

} // namespace

BookmarkWidget::BookmarkWidget(QWidget* parent) : QWidget(parent)
{
    // The form's icons come from the panel's own resources.
    initBookmarkResources();
    ui.setupUi(this);
    // A QIcon of a missing file is not null: ask for the file itself.
    for (const ButtonWord& b : kButtons)
        if (!QFile::exists(QLatin1String(b.icon)))
            (ui.*b.button)->setText(QCoreApplication::translate("BookmarkWidgetClass", b.word));
    setWindowFlags(Qt::WindowFlags(0x8000000));
    setAccessibleName(tr("Bookmark manager"));
    ui.listWidgetBookmark->setItemDelegate(new BookmarkListWidgetItemDelegate(ui.listWidgetBookmark));
    ui.pushButtonRefreshBookmark->hide();
    ui.pushButtonUpdateBookmark->hide();
    // Rows dragged to another place take their records along, so the records keep the order shown.
    connect(ui.listWidgetBookmark->model(), &QAbstractItemModel::rowsMoved, this, &BookmarkWidget::followDraggedRows);
    QAbstractItemModel* rows = ui.listWidgetBookmark->model();
    const auto changed = [this] { ++m_rowsGeneration; };
    connect(rows, &QAbstractItemModel::rowsInserted, this, changed);
    connect(rows, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(rows, &QAbstractItemModel::rowsMoved, this, changed);
    connect(rows, &QAbstractItemModel::modelReset, this, changed);
    connect(rows, &QAbstractItemModel::dataChanged, this, changed);
    connect(rows, &QAbstractItemModel::layoutChanged, this, changed);
}

BookmarkWidget::~BookmarkWidget()
{
    // The rows point at the records: they go first.
    ui.listWidgetBookmark->clear();
    // The list and its model outlive this part of the object: QWidget deletes them, and the model
    // resets on the way out. Its signals must not reach a widget that is already half gone.
    ui.listWidgetBookmark->model()->disconnect(this);
}

void BookmarkWidget::addBookmarkItem(BookmarkRecord* record)
{
    if (!record)
        return;
    if (!m_records)
        m_records = std::make_unique<BookmarkRecordList>();
    m_records->append(record);
    auto* item = new BookmarkListWidgetItem(record, ui.listWidgetBookmark);
    item->setup();
}

void BookmarkWidget::insertBookmarkItem(int row, BookmarkRecord* record)
{
    if (!record)
        return;
    if (!m_records)
        m_records = std::make_unique<BookmarkRecordList>();
    const int at = row < 0 || row > ui.listWidgetBookmark->count() ? ui.listWidgetBookmark->count() : row;
    m_records->insert(at, record);
    auto* item = new BookmarkListWidgetItem(record, nullptr);
    item->setup();
    ui.listWidgetBookmark->insertItem(at, item);
}

bool BookmarkWidget::loadBookmarks(const QString& path)
{
    BookmarkParser parser;
    std::unique_ptr<BookmarkRecordList> read = parser.read(path);
    ui.listWidgetBookmark->clear();
    m_records = std::move(read);
    if (m_records) {
        for (BookmarkRecord* record : m_records->records()) {
            auto* item = new BookmarkListWidgetItem(record, ui.listWidgetBookmark);
            if (record)
                item->setup();
        }
        m_records->setModified(false);
    }
    return m_records && parser.errorString().isEmpty();
}

void BookmarkWidget::clearBookmarks(bool ask)
{
    if (ask
        && Prompts::get().question(this, tr("Clear bookmarks"), tr("Delete all the bookmark(s) ?"),
                                   QMessageBox::Yes | QMessageBox::Cancel)
            != QMessageBox::Yes)
        return;
    ui.listWidgetBookmark->clear();
    if (!m_records)
        return;
    m_records->clear();
    m_records->setModified(false);
    emit clearAllBookItems();
}

qint64 BookmarkWidget::bookmarkIdAt(int row) const
{
    return BookmarkListWidgetItem::bookmarkId(ui.listWidgetBookmark->item(row));
}

void BookmarkWidget::on_pushButtonAddBookmark_pressed()
{
    emit newBookmarkRequest();
}

void BookmarkWidget::moveCurrent(int step)
{
    QListWidget* list = ui.listWidgetBookmark;
    const int row = list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list->count())
        return;
    QListWidgetItem* item = list->takeItem(row);
    list->insertItem(target, item);
    list->setCurrentRow(target);
    if (m_records)
        m_records->swap(row, target);
}

void BookmarkWidget::on_pushButtonNavUp_pressed()
{
    moveCurrent(-1);
}

void BookmarkWidget::on_pushButtonNavDown_pressed()
{
    moveCurrent(+1);
}

void BookmarkWidget::followDraggedRows()
{
    if (!m_records)
        return;
    QList<BookmarkRecord*> order;
    for (int i = 0; i < ui.listWidgetBookmark->count(); ++i)
        if (auto* item = dynamic_cast<BookmarkListWidgetItem*>(ui.listWidgetBookmark->item(i)))
            order.append(item->record());
    m_records->reorder(order);
}

void BookmarkWidget::on_pushButtonDeleteBookmark_pressed()
{
    const int row = ui.listWidgetBookmark->currentRow();
    QListWidgetItem* item = ui.listWidgetBookmark->item(row);
    if (!item)
        return;
    if (Prompts::get().question(this, tr("Bookmark manager"), tr("Delete \"%1\" bookmark entry ?").arg(item->text()),
                                QMessageBox::Ok | QMessageBox::Cancel)
        == QMessageBox::Ok)
        emit removeBookItemByIndex(unsigned(row));
}

void BookmarkWidget::on_pushButtonEditBookmark_pressed()
{
    auto* item = dynamic_cast<BookmarkListWidgetItem*>(ui.listWidgetBookmark->currentItem());
    if (!item || !item->record())
        return;
    if (!m_dialog)
        m_dialog = new BookmarkDialog(this);
    BookmarkRecord* record = item->record();
    m_dialog->nameEdit()->setText(record->value(BookmarkKey::name()).toString());
    m_dialog->descriptionEdit()->clear();
    m_dialog->descriptionEdit()->appendPlainText(record->value(BookmarkKey::description()).toString());
    if (Prompts::get().exec(m_dialog) != QDialog::Accepted)
        return;
    record->insert(BookmarkKey::name(), m_dialog->getName());
    record->insert(BookmarkKey::description(), m_dialog->getDescription());
    item->setup();
    if (m_records)
        m_records->setModified(true);
}

void BookmarkWidget::on_pushButtonRefreshBookmark_pressed()
{
}

void BookmarkWidget::on_pushButtonUpdateBookmark_pressed()
{
    if (QListWidgetItem* item = ui.listWidgetBookmark->currentItem())
        emit updateBookmarkItemRequest(BookmarkListWidgetItem::bookmarkId(item));
}

void BookmarkWidget::on_pushButtonClearBookmark_pressed()
{
    if (!m_records)
        return;
    clearBookmarks(true);
    m_records->setModified(true);
}

void BookmarkWidget::on_listWidgetBookmark_itemDoubleClicked(QListWidgetItem* item)
{
    if (item)
        emit useBookmarkItem(BookmarkListWidgetItem::bookmarkId(item));
}

int BookmarkWidget::getcurrentRow()
{
    return ui.listWidgetBookmark->currentRow();
}

void BookmarkWidget::setcurrentRow(int row)
{
    QListWidgetItem* item = ui.listWidgetBookmark->item(row);
    if (row < 0 || !item)
        return;
    ui.listWidgetBookmark->setCurrentRow(row);
    emit useBookmarkItem(BookmarkListWidgetItem::bookmarkId(item));
}
