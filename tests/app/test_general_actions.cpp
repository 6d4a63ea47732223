// The main window's general actions: Escape and keys, the full-screen layout, the log dock's buttons, the
// periodic menu state, the watermark, restart, help and About.

#include "../panels/BookmarkFixtures.h"
#include "../panels/LogCapture.h"

#include "app/AboutDialog.h"
#include "app/MainWindow.h"
#include "panels/BookmarkWidget.h"
#include "support/TestSupport.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/Command.h"
#include "vantor/command/CommandManager.h"
#include "vantor/view/ViewManager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>

using bookmark_test::savedView;
using bookmark_test::ScriptedPrompts;

namespace {

class PendingCommand : public Vantor::Command
{
public:
    std::string Type() override { return "PendingTestCommand"; }
    std::string Name() override { return "PendingTestCommand"; }
};

// A window with the ribbon actions a test needs and a statistics slot that counts its calls.
class TestWindow : public MainWindow
{
    Q_OBJECT
public:
    int stats = 0;

    QAction* add(const QString& key, bool checkable = false)
    {
        auto* a = new QAction(key, this);
        a->setCheckable(checkable);
        m_actionMap.insert(key, a);
        return a;
    }

public slots:
    void on_actionStats_triggered() { ++stats; }
};

bool commandPending(MainWindow& w)
{
    auto manager = w.sceneView()->getCommandManager();
    return manager->getExecuteType() != "None" || manager->getCurrentCommand();
}

void startPendingCommand(MainWindow& w)
{
    Vantor::CommandManager::m_commandConstructMap["PendingTestCommand"] = [] { return new PendingCommand; };
    w.sceneView()->getCommandManager()->setExecuteType("PendingTestCommand");
}

QString scratch(const QString& name)
{
    const QString dir = nerio_test::scratchDir() + "/general";
    QDir().mkpath(dir);
    return dir + "/" + name;
}

} // namespace

TEST(GeneralKeys, EscapeLeavesFullScreenFirstAndThenCancelsTheCommand)
{
    const struct
    {
        bool fullScreen;
        bool pendingAfterFirst;
    } cases[] = {{true, true}, {false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fullScreen ? "full screen" : "normal");
        TestWindow w;
        QAction* fullScreen = w.getAction("Basic_FullScreen");
        ASSERT_NE(fullScreen, nullptr);
        QPushButton* exit = w.exitFullScreenButton();
        ASSERT_NE(exit, nullptr);
        exit->hide();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.treeDock()->show();
        w.collisionDock()->hide();
        if (c.fullScreen) {
            w.setWindowState(w.windowState() | Qt::WindowFullScreen);
            w.hideBarsAndDocks();
            fullScreen->setChecked(true);
            exit->show();
            EXPECT_FALSE(w.treeDock()->isVisible());
            EXPECT_FALSE(w.statusBar()->isVisible());
        }
        startPendingCommand(w);
        ASSERT_TRUE(commandPending(w));

        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(w.windowState() & Qt::WindowFullScreen);
        EXPECT_TRUE(w.statusBar()->isVisible());
        EXPECT_TRUE(w.treeDock()->isVisible());
        EXPECT_FALSE(w.collisionDock()->isVisible()); // hidden before, hidden after
        EXPECT_FALSE(fullScreen->isChecked());
        EXPECT_EQ(exit->isVisible(), false);
        EXPECT_EQ(commandPending(w), c.pendingAfterFirst);

        QTest::keyClick(w.sceneView()->graphicsWidget(), Qt::Key_Escape);
        EXPECT_FALSE(commandPending(w));
    }
}

TEST(GeneralKeys, EachKeyIsHandledOnceWhereverItIsTyped)
{
    TestWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    // Press and release both reach the window; only the press toggles the statistics.
    QTest::keyClick(w.sceneView()->graphicsWidget(), Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(w.stats, 1);
    QTest::keyClick(w.sceneView(), Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(w.stats, 2);
    QTest::keyClick(&w, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(w.stats, 3);
    QTest::keyClick(&w, Qt::Key_D, Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClick(&w, Qt::Key_D);
    EXPECT_EQ(w.stats, 3);

    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString hint;
    } hints[] = {
        {Qt::Key_Shift, Qt::ShiftModifier, "Use Shift+Left Click to recenter view"},
        {Qt::Key_Control, Qt::ControlModifier, "Use Ctrl+Left Click to select element"},
        {Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier, "Use Shift+Left Click to recenter view"},
        {Qt::Key_A, Qt::NoModifier, ""},
    };
    for (const auto& h : hints) {
        SCOPED_TRACE(h.hint.toStdString());
        w.statusBar()->clearMessage();
        QTest::keyPress(w.sceneView()->graphicsWidget(), h.key, h.modifiers);
        EXPECT_EQ(w.statusBar()->currentMessage(), h.hint);
        QTest::keyRelease(w.sceneView()->graphicsWidget(), h.key, h.modifiers);
    }
}

TEST(GeneralLayout, FullScreenLayoutRestoresOnlyTheDocksThatWereShown)
{
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.treeDock()->show();
    w.annotationDock()->hide();
    w.hideBarsAndDocks();
    for (QDockWidget* dock : w.findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(dock->isVisible()) << dock->windowTitle().toStdString();
    EXPECT_FALSE(w.statusBar()->isVisible());
    w.showBarsAndDocks();
    EXPECT_TRUE(w.treeDock()->isVisible());
    EXPECT_FALSE(w.annotationDock()->isVisible());
    EXPECT_TRUE(w.statusBar()->isVisible());
    // The record was emptied: a second restore shows nothing more.
    w.treeDock()->hide();
    w.showBarsAndDocks();
    EXPECT_FALSE(w.treeDock()->isVisible());
}

TEST(GeneralLog, SavingTheLogWritesItsTextOrSaysWhyNot)
{
    MainWindow w;
    ScriptedPrompts prompts;
    w.logBrowser()->setPlainText(QString::fromUtf8("first line\n第二行"));

    LogCapture log;
    prompts.saveName = scratch("no-such-folder/session.log");
    w.on_pushButtonSaveLog_pressed();
    EXPECT_TRUE(log.hasLevel("Error", "Can't save log file !!: " + prompts.saveName)) << log.lines.join('\n').toStdString();
    EXPECT_FALSE(QFileInfo::exists(prompts.saveName));
    EXPECT_EQ(w.lastDirectory, scratch("no-such-folder"));
    EXPECT_TRUE(w.logBrowser()->toPlainText().startsWith("first line"));

    prompts.saveName = scratch("session.log");
    w.on_pushButtonSaveLog_pressed();
    QFile saved(prompts.saveName);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(QString::fromLocal8Bit(saved.readAll()), w.logBrowser()->toPlainText());
    EXPECT_EQ(w.lastDirectory, QFileInfo(scratch("session.log")).absolutePath());

    prompts.saveName.clear(); // cancelled
    w.on_pushButtonSaveLog_pressed();
    EXPECT_EQ(w.lastDirectory, QFileInfo(scratch("session.log")).absolutePath());

    w.on_pushButtonClearLog_pressed();
    EXPECT_TRUE(w.logBrowser()->toPlainText().isEmpty());
}

TEST(GeneralCommands, UndoRedoAndEscapeReachTheCommandManager)
{
    MainWindow w;
    auto manager = w.sceneView()->getCommandManager();
    struct Counter : Vantor::Command
    {
        int* value;
        explicit Counter(int* v) : value(v) {}
        bool Execute() override { ++*value; return true; }
        bool Unexecute() override { --*value; return true; }
    };
    int value = 0;
    manager->DoCommand(std::make_shared<Counter>(&value));
    w.undoLastCommand();
    EXPECT_EQ(value, 0);
    w.redoLastCommand();
    EXPECT_EQ(value, 1);
    startPendingCommand(w);
    w.on_actionESC_triggered();
    EXPECT_FALSE(commandPending(w));
    EXPECT_EQ(value, 1);
}

TEST(GeneralMenuState, BookmarkActionsFollowTheCurrentRow)
{
    TestWindow w;
    QAction* update = w.add("Basic_Update");
    QAction* remove = w.add("Basic_Delete");
    QAction* last = w.add("Basic_Lastview");
    QAction* next = w.add("Basic_Nextview");
    for (qint64 id : {1, 2, 3})
        w.sceneModel()->getViewManager()->AddView(savedView(id, QString::number(id), "", 0).get());
    QListWidget* list = w.bookmarkPanel()->listWidget();
    ASSERT_EQ(list->count(), 3);

    const struct
    {
        int row;
        bool update, last, next;
    } cases[] = {{-1, false, false, false}, {0, true, false, true}, {1, true, true, true}, {2, true, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        list->setCurrentRow(c.row);
        w.updateGloablMenuState();
        EXPECT_EQ(update->isEnabled(), c.update);
        EXPECT_EQ(remove->isEnabled(), c.update);
        EXPECT_EQ(last->isEnabled(), c.last);
        EXPECT_EQ(next->isEnabled(), c.next);
    }
    // The refresh runs by itself twice a second.
    list->setCurrentRow(0);
    last->setEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !last->isEnabled(); }, 2000));
}

TEST(GeneralActions, GroupButtonTakesTheChosenItemsIcon)
{
    TestWindow w;
    QAction* item = w.add("Measure_PntToLineDistance");
    QAction* group = w.add("Measure_Distances");
    QPixmap red(16, 16);
    red.fill(Qt::red);
    item->setIcon(QIcon(red));
    w.setGroupActionIcon("Measure_PntToLineDistance", "Measure_Distances");
    EXPECT_EQ(group->icon().pixmap(16, 16).toImage().pixel(8, 8), QColor(Qt::red).rgb());
    w.setGroupActionIcon("Measure_Unknown", "Measure_Distances"); // changes nothing
    EXPECT_FALSE(group->icon().isNull());
}

TEST(GeneralActions, WatermarkSitsTenPixelsInFromTheLowerLeftCorner)
{
    MainWindow w;
    QImage image(400, 300, QImage::Format_ARGB32);
    image.fill(Qt::black);
    const QImage before = image;
    w.drawWatermark(image);
    QRect changed;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != before.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    ASSERT_FALSE(changed.isEmpty());
    const QImage mark = QImage(":/VantorViewer/watermark.png").convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(mark.isNull());
    QRect drawn; // where the picture is not fully transparent
    for (int y = 0; y < mark.height(); ++y)
        for (int x = 0; x < mark.width(); ++x)
            if (qAlpha(mark.pixel(x, y)) > 0)
                drawn |= QRect(x, y, 1, 1);
    EXPECT_EQ(changed, drawn.translated(10, 300 - mark.height() - 10))
        << changed.x() << "," << changed.y() << " " << changed.width() << "x" << changed.height();
}

TEST(GeneralActions, RestartRunsThisProgramWithItsArgumentsOnly)
{
    const struct
    {
        QStringList arguments;
        QStringList passed;
    } cases[] = {
        {{"./Nerio3d"}, {}},
        {{"./Nerio3d", "--view", "false", "model.dazo"}, {"--view", "false", "model.dazo"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        const QPair<QString, QStringList> command = MainWindow::restartCommand(c.arguments);
        EXPECT_EQ(command.first, QCoreApplication::applicationFilePath());
        EXPECT_TRUE(QFileInfo(command.first).isAbsolute());
        EXPECT_EQ(command.second, c.passed);
    }
}

TEST(GeneralActions, HelpWithoutItsDocumentSaysSoAndAboutIsMadeOnce)
{
    ASSERT_FALSE(QFileInfo::exists(MainWindow::helpDocumentPath()));
    EXPECT_EQ(MainWindow::helpDocumentPath(), QCoreApplication::applicationDirPath() + "/document/help.pdf");
    MainWindow w;
    ScriptedPrompts prompts;
    LogCapture log;
    w.openHelpDocument();
    ASSERT_EQ(prompts.informations.size(), 1);
    EXPECT_TRUE(prompts.informations[0].contains(MainWindow::helpDocumentPath()));
    EXPECT_TRUE(log.hasLevel("Warning", "The help document " + MainWindow::helpDocumentPath() + " is not installed."));

    w.show();
    w.showAboutDialog();
    const QList<AboutDialog*> about = w.findChildren<AboutDialog*>();
    ASSERT_EQ(about.size(), 1);
    EXPECT_TRUE(about[0]->isVisible());
    EXPECT_TRUE(about[0]->windowFlags() & Qt::WindowCloseButtonHint);
    about[0]->close();
    w.showAboutDialog();
    EXPECT_EQ(w.findChildren<AboutDialog*>().size(), 1);
    EXPECT_TRUE(about[0]->isVisible());
}

TEST(GeneralTips, NoTipsWithoutAModel)
{
    MainWindow w;
    w.onCommandTipChanged("Pick the first point");
    ASSERT_TRUE(nerio_test::waitQueued());
    EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty());
}

#include "test_general_actions.moc"
