// Snapshots, the screen-capture program, dropped files, the global menu state and "--help" without X.

#include "app/MainWindow.h"
#include "common/Prompts.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "view/SceneView.h"

#include <osg/ClearNode>
#include "vantor/command/CommandManager.h"

#include <gtest/gtest.h>

#include <osg/Viewport>

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QUrl>

namespace {

struct ScriptedPrompts : Prompts
{
    QString answer;
    QString proposed;
    int asked = 0;
    int warnings = 0;
    QString getSaveFileName(QWidget*, const QString&, const QString& dir, const QString&) override
    {
        ++asked;
        proposed = dir;
        return answer;
    }
    void warning(QWidget*, const QString&, const QString&) override { ++warnings; }
    ScriptedPrompts() { Prompts::set(this); }
    ~ScriptedPrompts() override { Prompts::set(nullptr); }
};

// Gives the tests the action map, which the ribbon fills in the program.
class ActionWindow : public MainWindow
{
public:
    QAction* add(const QString& key)
    {
        auto* a = new QAction(key, this);
        m_actionMap.insert(key, a);
        return a;
    }
};

QString scratch(const QString& name)
{
    const QString dir = nerio_test::scratchDir() + "/snapshots";
    QDir().mkpath(dir);
    return dir + "/" + name;
}

QString makeFile(const QString& name)
{
    const QString path = scratch(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("x");
    return path;
}

class RunningCommand : public Vantor::Command
{
public:
    RunningCommand() { setState(STATE_RUNNING); }
    std::string Type() override { return "PntToPntDistanceCommand"; }
    bool Cancel() override
    {
        cancelled = true;
        return Command::Cancel();
    }
    bool cancelled = false;
};

} // namespace

TEST(Snapshot, ProposedNameAndPictureSize)
{
    const QDateTime when(QDate(2024, 5, 1), QTime(13, 45, 10));
    EXPECT_EQ(MainWindow::proposedSnapshotPath("/pics", when), "/pics/2024-05-01-13-45-10.png");

    osg::ref_ptr<osg::Camera> camera = new osg::Camera;
    EXPECT_EQ(MainWindow::snapshotSize(nullptr), QSize(1024, 768));
    EXPECT_EQ(MainWindow::snapshotSize(camera.get()), QSize(1024, 768)); // no viewport
    camera->setViewport(0, 0, 640, 360);
    EXPECT_EQ(MainWindow::snapshotSize(camera.get()), QSize(640, 360));
}

TEST(Snapshot, WritesAPngOfTheViewportSize)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    ScriptedPrompts prompts;
    MainWindow w;
    w.resize(900, 700);
    w.show();
    ASSERT_TRUE(nerio_test::waitFrames(*w.sceneView(), 3));
    w.lastDirectorySnapshot = scratch("");

    // Cancelled: nothing happens.
    w.on_actionSnapShot_triggered();
    EXPECT_EQ(prompts.asked, 1);
    EXPECT_TRUE(prompts.proposed.startsWith(scratch("") + "/"));
    EXPECT_TRUE(prompts.proposed.endsWith(".png"));
    EXPECT_EQ(prompts.warnings, 0);

    const QString path = scratch("view.png");
    prompts.answer = path;
    w.on_actionSnapShot_triggered();
    EXPECT_EQ(prompts.warnings, 0);
    QImage picture(path);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), MainWindow::snapshotSize(w.sceneView()->getView()->getCamera()));
    EXPECT_EQ(w.lastDirectorySnapshot, QFileInfo(path).absolutePath());
    EXPECT_EQ(w.statusBar()->currentMessage(), QString("File %1 saved").arg(path));

    // A write that fails says so and does not remember the folder.
    w.lastDirectorySnapshot = "/kept";
    prompts.answer = scratch("no/such/folder/x.png");
    w.on_actionSnapShot_triggered();
    EXPECT_EQ(prompts.warnings, 1);
    EXPECT_EQ(w.lastDirectorySnapshot, "/kept");
}

TEST(Snapshot, TheBackgroundFollowsTheTransparencySetting)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    ScriptedPrompts prompts;
    MainWindow w;
    w.resize(900, 700);
    w.show();
    ASSERT_TRUE(nerio_test::waitFrames(*w.sceneView(), 3));
    const struct
    {
        bool transparent;
        int alpha;
    } cases[] = {{false, 255}, {true, 0}, {false, 255}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.transparent ? "transparent" : "opaque");
        w.snapshotTransparentBackground = c.transparent;
        prompts.answer = scratch(c.transparent ? "transparent.png" : "opaque.png");
        QFile::remove(prompts.answer);
        w.on_actionSnapShot_triggered();
        const QImage picture(prompts.answer);
        ASSERT_FALSE(picture.isNull());
        // The view's top corners hold only background.
        EXPECT_EQ(qAlpha(picture.pixel(2, 2)), c.alpha);
        EXPECT_EQ(qAlpha(picture.pixel(picture.width() - 3, 2)), c.alpha);
        // The view keeps its gradient once the picture is taken.
        EXPECT_NE(w.sceneView()->getBackground()->getNodeMask(), 0u);
        EXPECT_EQ(w.sceneView()->getBackdrop()->getClearColor().a(), 1.0f);
    }
}

TEST(Snapshot, WithoutAViewportThePictureFits1024By768)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    ScriptedPrompts prompts;
    MainWindow w;
    w.show();
    ASSERT_TRUE(nerio_test::waitFrames(*w.sceneView(), 2));
    osg::Camera* camera = w.sceneView()->getView()->getCamera();
    osg::ref_ptr<osg::Viewport> viewport = camera->getViewport();
    camera->setViewport(nullptr);
    prompts.answer = scratch("fallback.png");
    w.on_actionSnapShot_triggered();
    camera->setViewport(viewport.get());
    QImage picture(prompts.answer);
    ASSERT_FALSE(picture.isNull());
    const QSize frame = w.sceneView()->graphicsWidget()->size() * w.sceneView()->graphicsWidget()->devicePixelRatioF();
    EXPECT_EQ(picture.size(), frame.scaled(1024, 768, Qt::KeepAspectRatio));
}

TEST(ScreenCapture, TheProgramBesideTheViewerSavesTheScreen)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    const QString program = QStringLiteral(NERIO_BIN_DIR "/Screenshot");
    ASSERT_TRUE(QFileInfo(program).isExecutable());
    const QString out = scratch("screen.png");
    QProcess p;
    p.start(program, {"--output", out, "--delay", "0"});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed(), out);
    EXPECT_EQ(QImage(out).size(), QGuiApplication::primaryScreen()->size());

    QProcess bad;
    bad.start(program, {"--delay", "soon"});
    ASSERT_TRUE(bad.waitForFinished(20000));
    EXPECT_EQ(bad.exitCode(), 2);
}

TEST(ScreenCapture, AMissingProgramIsSilent)
{
    ScriptedPrompts prompts;
    MainWindow w;
    EXPECT_TRUE(MainWindow::screenshotProgramPath().endsWith("/Screenshot"));
    // The test program's folder holds no capture program.
    ASSERT_FALSE(QFileInfo::exists(MainWindow::screenshotProgramPath()));
    w.on_actionScreenshot_triggered();
    EXPECT_EQ(prompts.warnings, 0);
}

TEST(WindowEvents, DragEnterAcceptsOneExistingFileOnly)
{
    MainWindow w;
    const QString file = makeFile("drop.dazo");
    const QString other = makeFile("other.png");
    const struct { const char* name; QList<QUrl> urls; bool text; bool accepted; } cases[] = {
        {"one existing file", {QUrl::fromLocalFile(file)}, false, true},
        {"one existing file of any kind", {QUrl::fromLocalFile(other)}, false, true},
        {"two files", {QUrl::fromLocalFile(file), QUrl::fromLocalFile(other)}, false, false},
        {"a folder", {QUrl::fromLocalFile(nerio_test::scratchDir())}, false, false},
        {"a missing file", {QUrl::fromLocalFile(scratch("missing.dazo"))}, false, false},
        {"text only", {}, true, false},
    };
    for (const auto& c : cases) {
        QMimeData mime;
        if (!c.urls.isEmpty())
            mime.setUrls(c.urls);
        if (c.text)
            mime.setText("pump.dazo");
        QDragEnterEvent event(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &event);
        EXPECT_EQ(event.isAccepted(), c.accepted) << c.name;
    }
}

TEST(WindowEvents, DropOpensTheFile)
{
    MainWindow w;
    QSignalSpy requests(&w, SIGNAL(newFileToLoad(const QString&, bool, ObjectLoader::LoadFileValueType)));
    const QString file = makeFile("dropped.dazo");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file)});
    // A drop reaches the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
    ASSERT_EQ(requests.count(), 1);
    EXPECT_EQ(requests.at(0).at(0).toString(), QFileInfo(file).absoluteFilePath());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 20000));
}

TEST(GlobalMenuState, EndsTheRunningCommandAndSwitchesTheWorkingUi)
{
    ActionWindow w;
    QAction* measure = w.add("Measure_PntToPntDistance");
    QAction* home = w.add("Basic_Home");
    auto manager = w.sceneView()->getCommandManager();
    auto running = std::make_shared<RunningCommand>();
    manager->setCurrentCommand(running);

    w.setGlobalMenuState(false);
    EXPECT_TRUE(running->cancelled);
    EXPECT_FALSE(manager->getCurrentCommand());
    EXPECT_EQ(manager->getExecuteType(), "None");
    EXPECT_FALSE(measure->isEnabled());
    EXPECT_FALSE(home->isEnabled());
    EXPECT_FALSE(w.treeDock()->widget()->isEnabled());

    w.setGlobalMenuState(true);
    EXPECT_TRUE(measure->isEnabled());
    EXPECT_TRUE(home->isEnabled());
    EXPECT_TRUE(w.treeDock()->widget()->isEnabled());

    w.setDocumentUiEnabled(false);
    EXPECT_FALSE(home->isEnabled());
}

TEST(CommandLineHelp, WorksWithoutADisplay)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(NERIO_BIN_DIR "/Nerio3d"), {"--help"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(out.contains(" --help ")) << out.toStdString();
    EXPECT_TRUE(out.contains(" --reset-config ")) << out.toStdString();
}
