#include "common/AppSettings.h"
#include "app/MainWindow.h"
#include "app/StartupFlags.h"
#include "dialogs/SystemSetting.h"
#include "support/TestSupport.h"
#include "view/SceneView.h"
#include "vantor/command/Command.h"
#include "vantor/command/CommandManager.h"

#include <QAction>

#include <gtest/gtest.h>

#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

QString makeFile(const QString& name)
{
    const QString path = nerio_test::scratchDir() + "/" + name;
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("x");
    return path;
}

struct FlagsGuard
{
    ~FlagsGuard() { showTreeDockAtStart = showViewDockAtStart = showAnnotationAtStart = true; }
};

} // namespace

TEST(MainWindowSetUp, DockOrderAndStartVisibility)
{
    FlagsGuard guard;
    showTreeDockAtStart = false; // "--tree false"
    MainWindow w;
    w.show();
    const QList<QDockWidget*> docks = w.dockList();
    ASSERT_EQ(docks.size(), 7);
    EXPECT_EQ(docks[0], w.treeDock());
    EXPECT_EQ(docks[1], w.viewDock());
    EXPECT_EQ(docks[2], w.annotationDock());
    EXPECT_EQ(docks[0]->windowTitle(), QString::fromUtf8("结构树"));
    EXPECT_EQ(docks[1]->windowTitle(), QString::fromUtf8("视图"));
    EXPECT_EQ(docks[2]->windowTitle(), QString::fromUtf8("协同"));
    EXPECT_EQ(docks[3]->windowTitle(), QString::fromUtf8("时间轴"));
    EXPECT_FALSE(w.treeDock()->isVisibleTo(&w));
    EXPECT_TRUE(w.viewDock()->isVisibleTo(&w) || w.tabifiedDockWidgets(w.viewDock()).size() > 0);
    EXPECT_FALSE(docks[3]->isVisibleTo(&w));
    EXPECT_FALSE(docks[4]->isVisibleTo(&w));
    // The property and statistics panels, closed until asked for.
    EXPECT_EQ(docks[5]->objectName(), "propertyDock");
    EXPECT_EQ(docks[6]->objectName(), "statisticsDock");
    EXPECT_FALSE(docks[5]->isVisibleTo(&w));
    EXPECT_FALSE(docks[6]->isVisibleTo(&w));
    EXPECT_EQ(w.windowTitle(), "NerioViewer");
}

TEST(MainWindowDocuments, LoadFileGatesAndOneAtATime)
{
    MainWindow w;
    QSignalSpy requests(&w, SIGNAL(newFileToLoad(const QString&, bool, ObjectLoader::LoadFileValueType)));

    EXPECT_FALSE(w.loadFile(""));
    EXPECT_FALSE(w.loadFile(nerio_test::scratchDir() + "/missing.dazo"));
    EXPECT_FALSE(w.loadFile(makeFile("picture.png"))); // not a model: refused before unloading
    EXPECT_EQ(requests.count(), 0);

    const QString model = makeFile("part.DAZO");
    ASSERT_TRUE(w.loadFile(model));
    ASSERT_EQ(requests.count(), 1);
    EXPECT_EQ(requests.at(0).at(0).toString(), QFileInfo(model).absoluteFilePath());
    EXPECT_TRUE(requests.at(0).at(1).toBool());
    EXPECT_TRUE(w.isBusy());

    // A second request while the first runs is refused.
    EXPECT_FALSE(w.loadFile(makeFile("other.liteprt")));
    EXPECT_EQ(requests.count(), 1);

    w.newLoadedFile(nullptr); // the read gave nothing: the window stays empty and usable
    EXPECT_FALSE(w.isBusy());
}

TEST(MainWindowDocuments, RecentFileList)
{
    QStringList list;
    for (int i = 0; i < 11; ++i)
        MainWindow::addRecentFile(QString("/m/f%1.dazo").arg(i), list);
    ASSERT_EQ(list.size(), 10);
    EXPECT_EQ(list.first(), "/m/f10.dazo");
    EXPECT_FALSE(list.contains("/m/f0.dazo"));

    const QStringList before = list;
    MainWindow::addRecentFile("/m/f5.dazo", list); // already listed: keeps its place
    EXPECT_EQ(list, before);
    MainWindow::addRecentFile("/m/F5.dazo", list); // case-sensitive
    EXPECT_EQ(list.first(), "/m/F5.dazo");
}

TEST(MainWindowSettings, DefaultsOnFirstStartAndRoundTrip)
{
    QTemporaryDir configFolder;
    SystemSetting::setConfigDirectory(configFolder.path());
    {
        AppSettings s("Nerio3dViewer", "NerioViewer");
        s.clear();
    }
    {
        MainWindow w;
        EXPECT_EQ(w.size(), QSize(600, 600));
        EXPECT_EQ(w.pos(), QPoint(200, 200));
        EXPECT_EQ(w.lastDirectory, "/home");
        EXPECT_EQ(w.lastDirectorySnapshot, "/home");
        // The window's own store gives 50; the system settings, loaded after it, put their background
        // (the default of "config.ini", as there is none) over it.
        const osg::Vec4f c = w.sceneView()->getBackgroundColor();
        EXPECT_NEAR(c.r() * 255, 180, 0.5);
        EXPECT_TRUE(w.recentFiles().isEmpty());
        w.lastDirectory = "/data/models";
        w.resize(640, 480);
        w.sceneView()->setBgColor(QColor(10, 20, 30));
    } // the destructor writes the settings
    AppSettings s("Nerio3dViewer", "NerioViewer");
    EXPECT_EQ(s.value("Application/lastDirectory").toString(), "/data/models");
    EXPECT_EQ(s.value("MainWindow/size").toSize(), QSize(640, 480));
    EXPECT_EQ(s.value("Application/bgcolor").value<QColor>(), QColor(10, 20, 30));
    MainWindow again;
    EXPECT_EQ(again.lastDirectory, "/data/models");
    EXPECT_EQ(again.size(), QSize(640, 480));
    SystemSetting::setConfigDirectory(QString());
}

namespace {

class ActionsWindow : public MainWindow
{
public:
    QAction* add(const QString& key, bool command = false)
    {
        auto* a = new QAction(key, this);
        a->setCheckable(true);
        m_actionMap.insert(key, a);
        if (command)
            m_commandActions.append(a);
        return a;
    }
};

class NoopCommand : public Vantor::Command
{
public:
    bool Execute() override { return true; }
    bool Unexecute() override { return true; }
};

} // namespace

TEST(MainWindowListeners, UndoRedoFollowTheHistoryAndSurviveClear)
{
    ActionsWindow w;
    QAction* undo = w.add("Undo");
    QAction* redo = w.add("Redo");
    auto manager = w.sceneView()->getCommandManager();
    manager->DoCommand(std::make_shared<NoopCommand>());
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    manager->Undo();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    manager->Clear(); // the listener hears of no command at all
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

TEST(MainWindowListeners, CommandActionFollowsTheRunningCommand)
{
    ActionsWindow w;
    QAction* distance = w.add("Measure_PntToPntDistance", true);
    QAction* distances = w.add("Measure_Distances", true);
    QAction* note = w.add("Note_Newbuilt", true);
    w.updateCommandActions("PntToPntDistanceCommand");
    EXPECT_TRUE(distance->isChecked());
    EXPECT_TRUE(distances->isChecked());
    EXPECT_FALSE(note->isChecked());
    w.updateCommandActions("ScaleTransformDraggerCommand"); // no action of its own
    EXPECT_FALSE(distance->isChecked());
    EXPECT_FALSE(distances->isChecked());
    w.updateCommandActions("PointNoteCommand");
    EXPECT_TRUE(note->isChecked());
}
