// The bookmark panel: its refill from the saved views, its buttons and the ids it hands on.

#include "BookmarkFixtures.h"
#include "LogCapture.h"

#include "panels/BookmarkDialog.h"
#include "panels/BookmarkListWidgetItem.h"
#include "panels/BookmarkWidget.h"
#include "panels/UserViewManagerChangedListener.h"
#include "support/TestSupport.h"
#include "vantor/view/ViewManager.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

using bookmark_test::savedView;
using bookmark_test::ScriptedPrompts;

namespace {

const qint64 kWide = (qint64(1) << 32) + 5; // an id an int cannot hold

// A panel fed by a view manager through the listener, as the main window wires them.
struct PanelRig
{
    BookmarkWidget panel;
    osg::ref_ptr<Vantor::ViewManager> views = new Vantor::ViewManager;
    std::shared_ptr<BookmarkRefreshReceiver> receiver = std::make_shared<BookmarkRefreshReceiver>();

    PanelRig()
    {
        receiver->panel = &panel;
        views->AddViewListener(std::make_shared<UserViewManagerChangedListener>(receiver));
    }
    // Views named by the letters, ids 1, 2, 3 ...
    void addViews(const QString& names)
    {
        for (const QChar c : names)
            views->AddView(savedView(c.unicode() - 'A' + 1, QString(c), QString(), 0).get());
    }
    QListWidget* list() { return panel.listWidget(); }
    QStringList rows()
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    QStringList recordNames()
    {
        QStringList names;
        if (BookmarkRecordList* records = panel.recordList())
            for (BookmarkRecord* r : records->records())
                names << r->value(BookmarkKey::name()).toString();
        return names;
    }
};

QRect changedArea(const QImage& before, const QImage& after)
{
    QRect area;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

TEST(BookmarkPanel, RefillsFromTheSavedViews)
{
    PanelRig rig;
    rig.views->AddView(savedView(kWide, QString::fromUtf8("正面"), QString::fromUtf8("右侧隐藏"), 0).get());
    rig.views->AddView(savedView(7, "Walk", "", 3, QSize(128, 96)).get());

    ASSERT_EQ(rig.list()->count(), 2);
    ASSERT_TRUE(rig.panel.recordList());
    EXPECT_FALSE(rig.panel.recordList()->isModified());
    QListWidgetItem* front = rig.list()->item(0);
    EXPECT_EQ(front->text(), QString::fromUtf8("正面"));
    EXPECT_EQ(front->toolTip(), QString::fromUtf8("右侧隐藏"));
    EXPECT_EQ(BookmarkListWidgetItem::bookmarkId(front), kWide);
    EXPECT_EQ(rig.panel.recordList()->at(0)->value(BookmarkKey::id()).userType(), QMetaType::ULongLong);

    // The thumbnail sits on a frame 12 pixels larger; the row is 4 pixels larger still.
    const QPixmap framed = front->data(Qt::DecorationRole).value<QPixmap>();
    EXPECT_EQ(framed.size(), QSize(140, 140));
    EXPECT_EQ(framed.toImage().pixel(0, 0), QColor(245, 245, 245).rgb());
    EXPECT_EQ(framed.toImage().pixel(2, 2), QColor(229, 229, 229).rgb());
    EXPECT_EQ(framed.toImage().pixel(3, 3), QColor(Qt::white).rgb());
    EXPECT_EQ(framed.toImage().pixel(6, 6), QColor(120, 120, 120).rgb());
    BookmarkListWidgetItemDelegate delegate;
    EXPECT_EQ(delegate.sizeHint(QStyleOptionViewItem(), rig.list()->model()->index(0, 0)), QSize(144, 144));
    EXPECT_EQ(rig.list()->item(1)->data(Qt::DecorationRole).value<QPixmap>().size(), QSize(140, 108));

    // A walk view carries the walk mark 10 pixels in from the lower left corner.
    const QImage plain = savedView(7, "Walk", "", 0, QSize(128, 96))->getImage();
    const QImage marked = bookmarkThumbnail(*savedView(7, "Walk", "", 3, QSize(128, 96)));
    const QRect mark = changedArea(plain.convertToFormat(QImage::Format_ARGB32), marked.convertToFormat(QImage::Format_ARGB32));
    ASSERT_FALSE(mark.isEmpty());
    EXPECT_TRUE(QRect(10, 62, 24, 24).contains(mark)) << mark.x() << "," << mark.y() << " " << mark.width() << "x" << mark.height();
    EXPECT_GE(mark.width(), 20);
    EXPECT_EQ(changedArea(plain, bookmarkThumbnail(*savedView(7, "Walk", "", 0, QSize(128, 96)))), QRect());

    // Each change of the views refills the list in the manager's order.
    rig.views->RemoveViewByIndex(0);
    ASSERT_EQ(rig.rows(), QStringList{"Walk"});
    rig.views->ClearAllView();
    EXPECT_EQ(rig.list()->count(), 0);
    EXPECT_EQ(rig.panel.recordList()->size(), 0);
}

TEST(BookmarkPanel, RefillKeepsTheCurrentBookmarkAndSkipsARefillInsideARefill)
{
    PanelRig rig;
    rig.addViews("ABC");
    rig.list()->setCurrentRow(1);
    rig.views->AddView(savedView(9, "D", "", 0).get());
    EXPECT_EQ(rig.list()->currentRow(), 1);

    // A view added behind the manager's back shows only with the next refill, and not while one runs.
    rig.views->addChild(savedView(10, "E", "", 0).get());
    rig.receiver->busy = true;
    refreshBookmarkList(*rig.receiver, rig.views.get());
    EXPECT_EQ(rig.rows(), (QStringList{"A", "B", "C", "D"}));
    rig.receiver->busy = false;
    refreshBookmarkList(*rig.receiver, nullptr);
    EXPECT_EQ(rig.rows(), (QStringList{"A", "B", "C", "D"}));
    refreshBookmarkList(*rig.receiver, rig.views.get());
    EXPECT_EQ(rig.rows(), (QStringList{"A", "B", "C", "D", "E"}));
}

TEST(BookmarkPanel, UpAndDownMoveRowAndRecordExceptAtTheEnds)
{
    const struct
    {
        int current;
        bool up;
        QStringList rows;
        int currentAfter;
        bool modified;
    } cases[] = {
        {0, true, {"A", "B", "C"}, 0, false},
        {2, false, {"A", "B", "C"}, 2, false},
        {-1, true, {"A", "B", "C"}, -1, false},
        {1, true, {"B", "A", "C"}, 0, true},
        {1, false, {"A", "C", "B"}, 2, true},
        {2, true, {"A", "C", "B"}, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("row %1 %2").arg(c.current).arg(c.up ? "up" : "down").toStdString());
        PanelRig rig;
        rig.addViews("ABC");
        rig.list()->setCurrentRow(c.current);
        if (c.up)
            rig.panel.on_pushButtonNavUp_pressed();
        else
            rig.panel.on_pushButtonNavDown_pressed();
        EXPECT_EQ(rig.rows(), c.rows);
        EXPECT_EQ(rig.recordNames(), c.rows);
        EXPECT_EQ(rig.list()->currentRow(), c.currentAfter);
        EXPECT_EQ(rig.panel.recordList()->isModified(), c.modified);
        // The saved views keep their order.
        EXPECT_EQ(rig.views->GetAllView()[0]->getViewID(), 1);
    }
}

TEST(BookmarkPanel, DeleteAsksAndOnlyNamesTheRow)
{
    PanelRig rig;
    rig.addViews("ABC");
    QSignalSpy removed(&rig.panel, &BookmarkWidget::removeBookItemByIndex);
    ScriptedPrompts prompts;

    rig.panel.on_pushButtonDeleteBookmark_pressed(); // no current row
    EXPECT_TRUE(prompts.questions.isEmpty());

    rig.list()->setCurrentRow(1);
    prompts.answer = QMessageBox::Cancel;
    rig.panel.on_pushButtonDeleteBookmark_pressed();
    EXPECT_EQ(prompts.questions, QStringList{"Bookmark manager|Delete \"B\" bookmark entry ?"});
    EXPECT_EQ(removed.count(), 0);

    prompts.answer = QMessageBox::Ok;
    rig.panel.on_pushButtonDeleteBookmark_pressed();
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(0).toUInt(), 1u);
    EXPECT_EQ(rig.list()->count(), 3); // the refill after the views changed removes the row
}

TEST(BookmarkPanel, EditChangesTheCurrentRowsOwnRecordAfterADrag)
{
    PanelRig rig;
    rig.addViews("ABC");
    // A drag inside the list moves the row; its record moves with it.
    ASSERT_TRUE(rig.list()->model()->moveRow(QModelIndex(), 2, QModelIndex(), 0));
    EXPECT_EQ(rig.rows(), (QStringList{"C", "A", "B"}));
    EXPECT_EQ(rig.recordNames(), (QStringList{"C", "A", "B"}));
    EXPECT_TRUE(rig.panel.recordList()->isModified());
    rig.panel.recordList()->setModified(false);

    ScriptedPrompts prompts;
    rig.panel.on_pushButtonEditBookmark_pressed(); // no current row: no dialog
    EXPECT_EQ(prompts.dialogs, 0);

    rig.list()->setCurrentRow(0);
    QString shownName, shownDescription;
    prompts.run = [&](QDialog* d) {
        auto* dialog = static_cast<BookmarkDialog*>(d);
        shownName = dialog->getName();
        shownDescription = dialog->getDescription();
        dialog->nameEdit()->setText("Top");
        dialog->descriptionEdit()->setPlainText(QString::fromUtf8("俯视"));
        return int(QDialog::Accepted);
    };
    rig.panel.on_pushButtonEditBookmark_pressed();
    EXPECT_EQ(shownName, "C");
    EXPECT_EQ(shownDescription, "");
    EXPECT_EQ(rig.rows(), (QStringList{"Top", "A", "B"}));
    EXPECT_EQ(rig.recordNames(), (QStringList{"Top", "A", "B"}));
    EXPECT_EQ(rig.list()->item(0)->toolTip(), QString::fromUtf8("俯视"));
    EXPECT_EQ(BookmarkListWidgetItem::bookmarkId(rig.list()->item(0)), 3);
    EXPECT_TRUE(rig.panel.recordList()->isModified());

    // Declined: nothing changes. The saved views keep their names: a refill shows them again.
    prompts.run = [](QDialog*) { return int(QDialog::Rejected); };
    rig.panel.on_pushButtonEditBookmark_pressed();
    EXPECT_EQ(rig.rows(), (QStringList{"Top", "A", "B"}));
    rig.views->NotifyViewChanged();
    EXPECT_EQ(rig.rows(), (QStringList{"A", "B", "C"}));
}

TEST(BookmarkPanel, ClearAsksOnlyWhenThereIsSomethingToClear)
{
    ScriptedPrompts prompts;
    {
        BookmarkWidget empty;
        QSignalSpy cleared(&empty, &BookmarkWidget::clearAllBookItems);
        empty.on_pushButtonClearBookmark_pressed();
        EXPECT_TRUE(prompts.questions.isEmpty());
        EXPECT_EQ(cleared.count(), 0);
    }
    PanelRig rig;
    rig.addViews("AB");
    QSignalSpy cleared(&rig.panel, &BookmarkWidget::clearAllBookItems);
    prompts.answer = QMessageBox::Cancel;
    rig.panel.on_pushButtonClearBookmark_pressed();
    EXPECT_EQ(prompts.questions, QStringList{"Clear bookmarks|Delete all the bookmark(s) ?"});
    EXPECT_EQ(rig.list()->count(), 2);
    EXPECT_EQ(cleared.count(), 0);
    EXPECT_TRUE(rig.panel.recordList()->isModified());

    prompts.answer = QMessageBox::Yes;
    rig.panel.on_pushButtonClearBookmark_pressed();
    EXPECT_EQ(rig.list()->count(), 0);
    EXPECT_EQ(rig.panel.recordList()->size(), 0);
    EXPECT_EQ(cleared.count(), 1);
}

TEST(BookmarkPanel, RowsHandOnTheFullSixtyFourBitIds)
{
    PanelRig rig;
    rig.views->AddView(savedView(1, "A", "", 0).get());
    rig.views->AddView(savedView(kWide, "B", "", 0).get());
    QSignalSpy used(&rig.panel, &BookmarkWidget::useBookmarkItem);
    QSignalSpy updated(&rig.panel, &BookmarkWidget::updateBookmarkItemRequest);

    rig.panel.setcurrentRow(-1);
    rig.panel.setcurrentRow(2);
    rig.panel.on_pushButtonUpdateBookmark_pressed();
    EXPECT_EQ(used.count(), 0);
    EXPECT_EQ(updated.count(), 0);

    rig.panel.setcurrentRow(1);
    EXPECT_EQ(rig.panel.getcurrentRow(), 1);
    rig.panel.on_pushButtonUpdateBookmark_pressed();
    rig.panel.on_listWidgetBookmark_itemDoubleClicked(rig.list()->item(1));
    ASSERT_EQ(used.count(), 2);
    EXPECT_EQ(used.at(0).at(0).value<qint64>(), kWide);
    EXPECT_EQ(used.at(1).at(0).value<qint64>(), kWide);
    ASSERT_EQ(updated.count(), 1);
    EXPECT_EQ(updated.at(0).at(0).value<qint64>(), kWide);
}

// Views added one by one, as a model's views arrive, each add one row: the list is not built again
// for every view. Any other change still refills it from the manager.
TEST(BookmarkPanel, ViewsAddedOneByOneAddOneRowEach)
{
    PanelRig rig;
    int rowsMade = 0;
    QObject::connect(rig.list()->model(), &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int first, int last) { rowsMade += last - first + 1; });
    const int count = 200;
    for (int i = 0; i < count; ++i)
        rig.views->AddView(savedView(100 + i, QString::number(i), QString(), 0).get());
    EXPECT_EQ(rowsMade, count);
    ASSERT_EQ(rig.list()->count(), count);
    EXPECT_EQ(rig.panel.recordList()->size(), count);
    EXPECT_FALSE(rig.panel.recordList()->isModified());
    EXPECT_EQ(rig.panel.bookmarkIdAt(count - 1), 100 + count - 1);

    // One put in the middle lands in its place, with its record beside it.
    rig.views->InsertView(savedView(7, "middle", QString(), 0).get(), 1);
    EXPECT_EQ(rig.list()->item(1)->text(), "middle");
    EXPECT_EQ(rig.panel.recordList()->at(1)->value(BookmarkKey::name()).toString(), "middle");
    EXPECT_EQ(rowsMade, count + 1);

    // Rows changed in the panel itself: the next view refills the list from the manager.
    delete rig.list()->takeItem(0);
    rig.views->AddView(savedView(8, "last", QString(), 0).get());
    ASSERT_EQ(rig.list()->count(), count + 2);
    EXPECT_EQ(rig.list()->item(0)->text(), "0");
    EXPECT_EQ(rig.list()->item(count + 1)->text(), "last");

    // Many views given at once are one change.
    std::vector<osg::ref_ptr<Vantor::View>> more;
    for (int i = 0; i < 50; ++i)
        more.emplace_back(savedView(1000 + i, "more", QString(), 0).get());
    rowsMade = 0;
    EXPECT_EQ(rig.views->InsertViews(more, -1), 50u);
    EXPECT_EQ(rig.list()->count(), count + 52);
    EXPECT_EQ(rowsMade, count + 52);
}

TEST(BookmarkPanel, LoadingAFileTellsWhetherItWasRead)
{
    LogCapture log;
    const QString dir = nerio_test::scratchDir() + "/bookmark-panel";
    QDir().mkpath(dir);
    BookmarkWidget panel;
    panel.addBookmarkItem(nullptr);
    EXPECT_FALSE(panel.recordList());

    EXPECT_FALSE(panel.loadBookmarks(dir + "/missing.bmk"));
    EXPECT_FALSE(panel.recordList());

    QFile broken(dir + "/broken.bmk");
    broken.open(QIODevice::WriteOnly);
    broken.write("<NerioBookmark><bookmarks><bookmark>");
    broken.close();
    PanelRig rig;
    rig.addViews("AB");
    EXPECT_FALSE(rig.panel.loadBookmarks(broken.fileName()));
    EXPECT_EQ(rig.list()->count(), 0);

    QFile good(dir + "/good.bmk");
    good.open(QIODevice::WriteOnly);
    good.write("<NerioBookmark version=\"1.0\"><bookmarks><bookmark><Name type=\"10\">Kept</Name>"
               "<bookmarkId type=\"5\">4294967301</bookmarkId></bookmark></bookmarks></NerioBookmark>");
    good.close();
    EXPECT_TRUE(rig.panel.loadBookmarks(good.fileName()));
    EXPECT_EQ(rig.rows(), QStringList{"Kept"});
    EXPECT_EQ(rig.panel.bookmarkIdAt(0), kWide);
    EXPECT_FALSE(rig.panel.recordList()->isModified());
}

TEST(BookmarkPanel, FormAndDialogAsTheyAreBuilt)
{
    BookmarkWidget panel;
    const Ui_BookmarkWidgetClass& form = panel.form();
    EXPECT_EQ(panel.windowTitle(), "BookmarkWidget");
    EXPECT_EQ(form.listWidgetBookmark->iconSize(), QSize(128, 128));
    EXPECT_EQ(form.listWidgetBookmark->dragDropMode(), QAbstractItemView::DragDrop);
    EXPECT_EQ(form.listWidgetBookmark->defaultDropAction(), Qt::MoveAction);
    EXPECT_TRUE(form.pushButtonRefreshBookmark->isHidden());
    EXPECT_TRUE(form.pushButtonUpdateBookmark->isHidden());
    EXPECT_EQ(form.pushButtonNavUp->toolTip(), "Move up a bookmark");
    EXPECT_FALSE(form.pushButtonNavUp->icon().availableSizes().isEmpty());
    EXPECT_TRUE(form.pushButtonNavUp->text().isEmpty());
    for (QPushButton* button : panel.findChildren<QPushButton*>()) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_FALSE(button->accessibleName().isEmpty());
        EXPECT_TRUE(button->text().isEmpty() || button->icon().availableSizes().isEmpty());
    }
    EXPECT_FALSE(form.listWidgetBookmark->accessibleName().isEmpty());

    BookmarkDialog dialog;
    EXPECT_EQ(dialog.windowType(), Qt::Dialog);
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowContextHelpButtonHint);
    EXPECT_EQ(dialog.windowTitle(), "Dialog");
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(dialog.nameEdit()->toolTip(), "Bookmark name");
    EXPECT_EQ(dialog.descriptionEdit()->toolTip(), "Bookmark description");
}
