// The main window's side of the bookmarks: new, use, update and delete by the panel's signals, stepping
// through them, and the bookmark file beside a model, end to end on the sample model.

#include "../panels/BookmarkFixtures.h"
#include "../panels/LogCapture.h"

#include "app/MainWindow.h"
#include "panels/BookmarkDialog.h"
#include "panels/BookmarkWidget.h"
#include "view/UserView.h"
#include "support/TestSupport.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/model/Model.h"
#include "vantor/view/ViewManager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

using bookmark_test::savedView;
using bookmark_test::ScriptedPrompts;

namespace {

const QString kSample = QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo");

class TestWindow : public MainWindow
{
public:
    QAction* add(const QString& key)
    {
        auto* a = new QAction(key, this);
        m_actionMap.insert(key, a);
        return a;
    }
};

std::vector<osg::ref_ptr<Vantor::View>> views(MainWindow& w)
{
    return w.sceneModel()->getViewManager()->GetAllView();
}

QStringList rows(MainWindow& w)
{
    QStringList texts;
    QListWidget* list = w.bookmarkPanel()->listWidget();
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// The bookmark dialog filled in and answered.
std::function<int(QDialog*)> answer(const QString& name, const QString& description, bool accept = true)
{
    return [=](QDialog* d) {
        auto* dialog = static_cast<BookmarkDialog*>(d);
        dialog->nameEdit()->setText(name);
        dialog->descriptionEdit()->setPlainText(description);
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    };
}

QString folder(const QString& name)
{
    const QString dir = nerio_test::scratchDir() + "/" + name;
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir;
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

bool waitIdle(MainWindow& w)
{
    return QTest::qWaitFor([&] { return !w.isBusy(); }, 20000);
}

} // namespace

TEST(BookmarkWindow, NewBookmarkNeedsANameAndGetsAnIdOfItsOwn)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ScriptedPrompts prompts;

    QString preset;
    prompts.run = [&](QDialog* d) {
        preset = static_cast<BookmarkDialog*>(d)->getName();
        return int(QDialog::Rejected);
    };
    w.on_actionNewBookmark_triggered();
    EXPECT_TRUE(views(w).empty());
    const QString stamp = QDateTime::currentDateTime().toString("_yyyy-MM-dd-hh-");
    EXPECT_TRUE(preset.startsWith("New bookmark" + stamp)) << preset.toStdString();
    EXPECT_EQ(preset.size(), QString("New bookmark_yyyy-MM-dd-hh-mm-ss").size());

    prompts.run = answer("", "no name");
    w.on_actionNewBookmark_triggered();
    EXPECT_TRUE(views(w).empty());

    const qint64 before = QDateTime::currentSecsSinceEpoch();
    prompts.run = answer(QString::fromUtf8("正面"), "first");
    w.on_actionNewBookmark_triggered();
    prompts.run = answer("Second", "");
    w.on_actionNewBookmark_triggered();
    const auto made = views(w);
    ASSERT_EQ(made.size(), 2u);
    const qint64 first = made[0]->getViewID();
    const qint64 second = made[1]->getViewID();
    EXPECT_GE(first, before);
    EXPECT_LE(first, QDateTime::currentSecsSinceEpoch());
    EXPECT_GT(second, first); // two in one second still differ
    EXPECT_EQ(w.lastBookmarkTime(), second);
    auto* saved = dynamic_cast<Vantor::UserView*>(made[0].get());
    ASSERT_TRUE(saved);
    EXPECT_EQ(QString::fromLocal8Bit(saved->getViewName().c_str()), QString::fromUtf8("正面"));
    EXPECT_EQ(saved->getViewRemark(), "first");
    EXPECT_FALSE(saved->getImage().isNull());

    // The panel lists them with their thumbnails; the new view is one undo step.
    EXPECT_EQ(rows(w), (QStringList{QString::fromUtf8("正面"), "Second"}));
    const QSize framed = w.bookmarkPanel()->listWidget()->item(0)->data(Qt::DecorationRole).value<QPixmap>().size();
    EXPECT_EQ(qMax(framed.width(), framed.height()), 140); // a 128-pixel thumbnail on its frame
    w.undoLastCommand();
    EXPECT_EQ(rows(w), QStringList{QString::fromUtf8("正面")});
    w.redoLastCommand();
    EXPECT_EQ(rows(w), (QStringList{QString::fromUtf8("正面"), "Second"}));
}

TEST(BookmarkWindow, DeleteRemovesTheViewOfTheRowEvenAfterAReorder)
{
    MainWindow w;
    for (qint64 id : {1, 2, 3})
        w.sceneModel()->getViewManager()->AddView(savedView(id, QString(QChar(char('A' + id - 1))), "", 0).get());
    BookmarkWidget* panel = w.bookmarkPanel();
    panel->listWidget()->setCurrentRow(0);
    panel->on_pushButtonNavDown_pressed();
    ASSERT_EQ(rows(w), (QStringList{"B", "A", "C"}));

    ScriptedPrompts prompts;
    prompts.answer = QMessageBox::Ok;
    panel->listWidget()->setCurrentRow(0);
    panel->on_pushButtonDeleteBookmark_pressed();
    const auto left = views(w);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0]->getViewID(), 1);
    EXPECT_EQ(left[1]->getViewID(), 3);
    EXPECT_EQ(rows(w), (QStringList{"A", "C"}));

    // A row that is not there deletes nothing.
    w.on_actionRemoveBookItemByIndex_triggered(7);
    EXPECT_EQ(views(w).size(), 2u);

    // Clear asks, then every saved view goes.
    prompts.answer = QMessageBox::Yes;
    panel->on_pushButtonClearBookmark_pressed();
    EXPECT_TRUE(views(w).empty());
    EXPECT_EQ(panel->listWidget()->count(), 0);
}

TEST(BookmarkWindow, UseAndUpdateFindTheViewByItsWideId)
{
    MainWindow w;
    const qint64 wide = (qint64(1) << 40) + 3;
    const QString json = QStringLiteral(R"({"userview_list": [{"ViewID": %1, "ManipulatorState": {"ManipulatorType": 0,
        "PerpectiveCamera": true, "Distance": 40, "Center": "1, 2, 3", "Rotation": "0, 0, 0, 1"}, "ViewName": "Far"}]})")
                             .arg(wide);
    osg::ref_ptr<Vantor::UserView> view = Vantor::UserView::readList(json.toStdString()).front();
    view->sceneView = w.sceneView();
    w.sceneModel()->getViewManager()->AddView(view.get());
    ASSERT_EQ(w.bookmarkPanel()->bookmarkIdAt(0), wide);

    LogCapture log;
    w.useBookmarkItem(qint64(wide & 0xFFFFFFFF)); // what an int would have kept of it
    EXPECT_TRUE(log.has(QStringLiteral("No saved view with the id %1").arg(wide & 0xFFFFFFFF)));
    w.bookmarkPanel()->setcurrentRow(0); // the panel asks for the view through its signal
    PickingHandler* handler = w.sceneView()->getPickingHandler().get();
    EXPECT_EQ(handler->getCenter(), osg::Vec3d(1, 2, 3));
    EXPECT_EQ(handler->getDistance(), 40.0);

    auto manager = w.sceneView()->getCommandManager();
    const std::size_t steps = manager->undoCount();
    w.updateBookmarkItem(12345);
    EXPECT_EQ(manager->undoCount(), steps);
    EXPECT_TRUE(log.has("No saved view with the id 12345"));
    handler->setCenter(osg::Vec3d(7, 8, 9));
    w.bookmarkPanel()->on_pushButtonUpdateBookmark_pressed();
    EXPECT_EQ(manager->undoCount(), steps + 1);
    EXPECT_EQ(view->getManipulatorState().center, osg::Vec3d(7, 8, 9));
}

TEST(BookmarkWindow, NextAndBackStepThroughTheRowsAndStopAtTheEnds)
{
    MainWindow w;
    for (qint64 id : {1, 2, 3})
        w.sceneModel()->getViewManager()->AddView(savedView(id, QString::number(id), "", 0).get());
    BookmarkWidget* panel = w.bookmarkPanel();
    QSignalSpy used(panel, &BookmarkWidget::useBookmarkItem);
    w.showNextBookmark(); // no current row
    w.showPreviousBookmark();
    EXPECT_EQ(used.count(), 0);
    panel->listWidget()->setCurrentRow(0);
    w.showPreviousBookmark();
    EXPECT_EQ(used.count(), 0);
    w.showNextBookmark();
    w.showNextBookmark();
    w.showNextBookmark(); // at the last row
    EXPECT_EQ(panel->getcurrentRow(), 2);
    w.showPreviousBookmark();
    ASSERT_EQ(used.count(), 3);
    EXPECT_EQ(used.at(0).at(0).value<qint64>(), 2);
    EXPECT_EQ(used.at(1).at(0).value<qint64>(), 3);
    EXPECT_EQ(used.at(2).at(0).value<qint64>(), 2);
}

TEST(BookmarkWindow, BookmarkFileNamesBesideTheModel)
{
    const QString dir = folder("bmk-names");
    const struct
    {
        QString model;
        QStringList present;
        QString read;  // empty: none
        QString write;
    } cases[] = {
        {"model.dazo", {}, "", "model.bmk"},
        {"model.dazo", {"model.bmk"}, "model.bmk", "model.bmk"},
        {"pump.v1.dazo", {}, "", "pump.v1.bmk"},
        {"pump.v1.dazo", {"pump.bmk"}, "pump.bmk", "pump.v1.bmk"},
        {"pump.v1.dazo", {"pump.bmk", "pump.v1.bmk"}, "pump.v1.bmk", "pump.v1.bmk"},
        {"pump.v2.dazo", {"pump.v1.bmk"}, "", "pump.v2.bmk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.model + " with " + c.present.join(",")).toStdString());
        for (const QString& f : QDir(dir).entryList(QDir::Files))
            QFile::remove(dir + "/" + f);
        for (const QString& f : c.present) {
            QFile file(dir + "/" + f);
            file.open(QIODevice::WriteOnly);
        }
        const QString model = dir + "/" + c.model;
        EXPECT_EQ(MainWindow::bookmarkFileToRead(model), c.read.isEmpty() ? QString() : dir + "/" + c.read);
        EXPECT_EQ(MainWindow::bookmarkFileToWrite(model), dir + "/" + c.write);
    }
}

TEST(BookmarkWindow, BookmarkFileIsReadAndWrittenBesideTheModel)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    ASSERT_TRUE(QFileInfo::exists(kSample));
    const QString dir = folder("bmk-e2e");
    const QString v1 = dir + "/pump.v1.dazo";
    const QString v2 = dir + "/pump.v2.dazo";
    ASSERT_TRUE(QFile::copy(kSample, v1));
    ASSERT_TRUE(QFile::copy(kSample, v2));

    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ScriptedPrompts prompts;
    LogCapture log;

    ASSERT_TRUE(w.loadFile(v1));
    ASSERT_TRUE(waitIdle(w));
    // Nothing listed yet: saving writes nothing.
    w.on_actionSaveBookmarks_triggered();
    EXPECT_FALSE(QFileInfo::exists(dir + "/pump.v1.bmk"));

    prompts.run = answer(QString::fromUtf8("正面"), QString::fromUtf8("右侧"));
    w.on_actionNewBookmark_triggered();
    prompts.run = answer("Side", "");
    w.on_actionNewBookmark_triggered();
    prompts.run = answer("Top", "");
    w.on_actionNewBookmark_triggered();
    ASSERT_EQ(rows(w), (QStringList{QString::fromUtf8("正面"), "Side", "Top"}));

    // Renamed and moved in the panel, then saved beside the model under its own name.
    BookmarkWidget* panel = w.bookmarkPanel();
    panel->listWidget()->setCurrentRow(1);
    prompts.run = answer("Left side", "renamed");
    panel->on_pushButtonEditBookmark_pressed();
    panel->on_pushButtonNavUp_pressed();
    ASSERT_EQ(rows(w), (QStringList{"Left side", QString::fromUtf8("正面"), "Top"}));
    ASSERT_TRUE(panel->recordList()->isModified());
    w.on_actionSaveBookmarks_triggered();
    const QString own = dir + "/pump.v1.bmk";
    ASSERT_TRUE(QFileInfo::exists(own));
    EXPECT_FALSE(panel->recordList()->isModified());
    EXPECT_TRUE(log.has("Saving " + own + " ..."));
    EXPECT_FALSE(QFileInfo::exists(dir + "/pump.bmk"));

    // Opened again without its saved views (the model was not saved): the file's bookmarks are listed.
    w.unLoadFile();
    EXPECT_EQ(panel->listWidget()->count(), 0);
    ASSERT_TRUE(w.loadFile(v1));
    ASSERT_TRUE(waitIdle(w));
    const QStringList listed{"Left side", QString::fromUtf8("正面"), "Top"};
    EXPECT_TRUE(QTest::qWaitFor([&] { return rows(w) == listed; }, 5000));
    EXPECT_EQ(rows(w), listed);
    const QSize framed = panel->listWidget()->item(0)->data(Qt::DecorationRole).value<QPixmap>().size();
    EXPECT_EQ(qMax(framed.width(), framed.height()), 140);
    EXPECT_TRUE(log.has("Loading of " + own + " ..."));

    // The other version of the model has a file of its own; an old shared file is read when it is alone.
    ASSERT_TRUE(w.loadFile(v2));
    ASSERT_TRUE(waitIdle(w));
    EXPECT_EQ(panel->listWidget()->count(), 0);
    ASSERT_TRUE(QFile::copy(own, dir + "/pump.bmk"));
    ASSERT_TRUE(w.loadFile(v2));
    ASSERT_TRUE(waitIdle(w));
    EXPECT_EQ(panel->listWidget()->count(), 3);
    panel->listWidget()->setCurrentRow(0);
    panel->on_pushButtonNavDown_pressed();
    w.on_actionSaveBookmarks_triggered();
    EXPECT_TRUE(QFileInfo::exists(dir + "/pump.v2.bmk"));
    EXPECT_EQ(bytesOf(dir + "/pump.bmk"), bytesOf(own)); // left alone

    // A file that cannot be written keeps the list marked as changed.
    ASSERT_TRUE(QFile::remove(dir + "/pump.v2.bmk"));
    ASSERT_TRUE(QDir().mkpath(dir + "/pump.v2.bmk"));
    panel->on_pushButtonNavUp_pressed();
    ASSERT_TRUE(panel->recordList()->isModified());
    w.on_actionSaveBookmarks_triggered();
    EXPECT_TRUE(panel->recordList()->isModified());
    EXPECT_TRUE(log.lines.join(QChar(10)).contains("[Error] Cannot save file " + dir + "/pump.v2.bmk: ("));
    ASSERT_TRUE(QDir(dir + "/pump.v2.bmk").removeRecursively());

    // Saving the model keeps the saved views in it and writes the bookmark file too; reopened, the panel
    // lists the saved views.
    ASSERT_TRUE(w.loadFile(v1));
    ASSERT_TRUE(waitIdle(w));
    prompts.run = answer("Kept in the model", "");
    w.on_actionNewBookmark_triggered();
    QFile::remove(own);
    w.on_actionSave_triggered();
    ASSERT_TRUE(waitIdle(w));
    EXPECT_TRUE(QFileInfo::exists(own));
    w.unLoadFile();
    ASSERT_TRUE(w.loadFile(v1));
    ASSERT_TRUE(waitIdle(w));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rows(w) == QStringList{"Kept in the model"}; }, 5000))
        << rows(w).join(",").toStdString();
    QSignalSpy used(panel, &BookmarkWidget::useBookmarkItem);
    panel->setcurrentRow(0);
    ASSERT_EQ(used.count(), 1);
    EXPECT_TRUE(w.sceneModel()->getViewManager()->GetViewByID(used.at(0).at(0).value<qint64>()));
}

TEST(BookmarkWindow, ADamagedBookmarkFileIsReportedAndNeverWrittenOver)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    const QString dir = folder("bmk-damaged");
    ASSERT_TRUE(QFile::copy(kSample, dir + "/model.dazo"));
    const QByteArray damaged = "<NerioBookmark version=\"1.0\"><bookmarks><bookmark><Name type=\"10\">Half";
    {
        QFile f(dir + "/model.bmk");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(damaged);
    }
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ScriptedPrompts prompts;
    LogCapture log;
    ASSERT_TRUE(w.loadFile(dir + "/model.dazo"));
    ASSERT_TRUE(waitIdle(w));
    EXPECT_TRUE(log.lines.join(QChar(10)).contains("[Error] Parse error at line 1"));
    prompts.run = answer("New one", "");
    w.on_actionNewBookmark_triggered();
    EXPECT_EQ(rows(w), QStringList{"New one"});
    w.on_actionSaveBookmarks_triggered();
    EXPECT_EQ(bytesOf(dir + "/model.bmk"), damaged);
    EXPECT_TRUE(log.hasLevel("Warning", "The bookmark file " + dir
                                           + "/model.bmk could not be read when the model was opened; it is left as it is."));
}

TEST(BookmarkWindow, TipsAndSelectionActionsOnceAModelIsOpen)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    const QString dir = folder("tips");
    ASSERT_TRUE(QFile::copy(kSample, dir + "/model.dazo"));
    TestWindow w;
    QAction* hide = w.add("Basic_Hide");
    QAction* colour = w.add("Basic_NodeColor");
    w.show();
    ASSERT_TRUE(w.loadFile(dir + "/model.dazo"));
    ASSERT_TRUE(waitIdle(w));

    QSignalSpy changes(w.statusBar(), &QStatusBar::messageChanged);
    w.onCommandTipChanged("Pick the first point");
    w.onCommandTipChanged("Pick the first point");
    ASSERT_TRUE(nerio_test::waitQueued());
    EXPECT_EQ(w.statusBar()->currentMessage(), "Pick the first point");
    EXPECT_EQ(changes.count(), 1);
    w.onCommandTipChanged("");
    ASSERT_TRUE(nerio_test::waitQueued());
    EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty());

    w.updateGloablMenuState();
    EXPECT_FALSE(hide->isEnabled());
    EXPECT_FALSE(colour->isEnabled());
    osg::ref_ptr<Vantor::Model> top = Vantor::Model::GetTopModel(w.sceneModel()->getRootSwitch());
    ASSERT_TRUE(top && top->getModelChildrenNum() > 0);
    w.sceneView()->getSelectionManager()->selectNode(top->getModelChild(0), false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return hide->isEnabled() && colour->isEnabled(); }, 2000));
}
