// A model opened, saved and reopened through the real main window, loader thread and reader.

#include "app/MainWindow.h"
#include "common/Prompts.h"
#include "support/SaveEnds.h"
#include "support/TestSupport.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"
#include "vantor/note/Note.h"
#include "vantor/note/NoteManager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QSemaphore>
#include <QStatusBar>
#include <QTest>

namespace {

const QString kSample = QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo");

// Answers dialogs without showing them.
struct ScriptedPrompts : Prompts
{
    QString saveName;
    int warnings = 0;
    QString getSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return saveName; }
    void warning(QWidget*, const QString&, const QString&) override { ++warnings; }
    ~ScriptedPrompts() override { Prompts::set(nullptr); }
};

QByteArray digest(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QString copyOfSample(const QString& name)
{
    const QString dir = nerio_test::scratchDir() + "/docs";
    QDir().mkpath(dir);
    const QString path = dir + "/" + name;
    QFile::remove(path);
    QFile::copy(kSample, path);
    return path;
}

bool waitIdle(MainWindow& w)
{
    return QTest::qWaitFor([&] { return !w.isBusy(); }, 20000);
}

size_t noteCount(MainWindow& w)
{
    return w.sceneModel()->getNoteManager()->GetAllNote().size();
}

} // namespace

TEST(Documents, OpenSampleEndToEnd)
{
    ASSERT_TRUE(QFileInfo::exists(kSample));
    const QString path = copyOfSample("Open.dazo");
    const QString folder = QDir::currentPath();
    MainWindow w;
    w.show();
    ASSERT_TRUE(w.loadFile(path));
    ASSERT_TRUE(waitIdle(w));
    EXPECT_EQ(QDir::currentPath(), folder); // the process stays in its folder

    osg::ref_ptr<Vantor::Model> top = Vantor::Model::GetTopModel(w.sceneModel()->getRootSwitch());
    ASSERT_TRUE(top.valid());
    EXPECT_EQ(w.sceneModel()->getModel(), top.get());
    EXPECT_EQ(w.windowTitle(), "NerioViewer - Open.dazo");
    ASSERT_FALSE(w.recentFiles().isEmpty());
    EXPECT_EQ(w.recentFiles().first(), QFileInfo(path).absoluteFilePath());
    EXPECT_FALSE(w.sceneView()->getCommandManager()->CanUndo());
    EXPECT_TRUE(w.treeDock()->widget()->isEnabled());
}

TEST(Documents, SaveThenReopenKeepsModelAndNote)
{
    const QString path = copyOfSample("Saved.dazo");
    {
        MainWindow w;
        ASSERT_TRUE(w.loadFile(path));
        ASSERT_TRUE(waitIdle(w));
        osg::ref_ptr<Vantor::PointNote> note = new Vantor::PointNote;
        note->setText("check this bolt");
        ASSERT_TRUE(w.sceneModel()->getNoteManager()->InsertNotations(note.get(), -1));

        nerio_test::SaveEnds saved(w.loader());
        w.on_actionSave_triggered();
        EXPECT_TRUE(w.isBusy());
        // A load while the save runs is refused.
        EXPECT_FALSE(w.loadFile(copyOfSample("Other.dazo")));
        ASSERT_TRUE(QTest::qWaitFor([&] { return saved.finished > 0; }, 20000));
        // The window learns of the end through a queued signal, then posts the status text.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return w.statusBar()->currentMessage() == QString::fromUtf8("保存完毕！"); }, 5000));
        EXPECT_FALSE(w.isBusy());
    }
    MainWindow again;
    ASSERT_TRUE(again.loadFile(path));
    ASSERT_TRUE(waitIdle(again));
    ASSERT_TRUE(Vantor::Model::GetTopModel(again.sceneModel()->getRootSwitch()).valid());
    ASSERT_EQ(noteCount(again), 1u);
    EXPECT_EQ(again.sceneModel()->getNoteManager()->GetAllNote().front()->getText(), "check this bolt");
}

// When the loader says a read is over, the window holds all of it: the model and its documents.
TEST(Documents, AtTheEndOfALoadEveryDocumentIsInPlace)
{
    const QString path = copyOfSample("Finished.dazo");
    {
        MainWindow w;
        ASSERT_TRUE(w.loadFile(path));
        ASSERT_TRUE(waitIdle(w));
        osg::ref_ptr<Vantor::PointNote> note = new Vantor::PointNote;
        note->setText("there at the end");
        ASSERT_TRUE(w.sceneModel()->getNoteManager()->InsertNotations(note.get(), -1));
        nerio_test::SaveEnds saved(w.loader());
        w.on_actionSave_triggered();
        ASSERT_TRUE(QTest::qWaitFor([&] { return saved.finished > 0; }, 20000));
        ASSERT_TRUE(waitIdle(w));
    }
    MainWindow again;
    bool finished = false;
    bool hadModel = false;
    size_t notesAtEnd = 0;
    // Queued to the window's thread like the window's own handlers, so it sees what they had done.
    QObject::connect(again.loader(), &ObjectLoader::loadFileFinish, &again, [&] {
        finished = true;
        hadModel = again.sceneModel()->getModel() != nullptr;
        notesAtEnd = noteCount(again);
    });
    ASSERT_TRUE(again.loadFile(path));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 20000));
    EXPECT_TRUE(hadModel);
    EXPECT_EQ(notesAtEnd, 1u);
    EXPECT_FALSE(again.isBusy());
}

// A save writes what the documents were when it was asked for, however long the loader takes to
// start it: a note edited or added in the meantime (by a host, a timer) is not torn into the file.
TEST(Documents, ChangesAfterTheSaveWasAskedAreNotWritten)
{
    const QString path = copyOfSample("Asked.dazo");
    {
        MainWindow w;
        ASSERT_TRUE(w.loadFile(path));
        ASSERT_TRUE(waitIdle(w));
        osg::ref_ptr<Vantor::PointNote> note = new Vantor::PointNote;
        note->setText("as asked");
        ASSERT_TRUE(w.sceneModel()->getNoteManager()->InsertNotations(note.get(), -1));

        // Hold the loader's thread until the edits below are made.
        QSemaphore gate;
        QMetaObject::invokeMethod(w.loader(), [&gate] { gate.acquire(); }, Qt::QueuedConnection);
        nerio_test::SaveEnds saved(w.loader());
        w.on_actionSave_triggered();
        note->setText("edited after the save was asked");
        osg::ref_ptr<Vantor::PointNote> late = new Vantor::PointNote;
        late->setText("added after the save was asked");
        w.sceneModel()->getNoteManager()->InsertNotations(late.get(), -1);
        gate.release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return saved.finished > 0; }, 20000));
        ASSERT_TRUE(waitIdle(w));
    }
    MainWindow again;
    ASSERT_TRUE(again.loadFile(path));
    ASSERT_TRUE(waitIdle(again));
    ASSERT_EQ(noteCount(again), 1u);
    EXPECT_EQ(again.sceneModel()->getNoteManager()->GetAllNote().front()->getText(), "as asked");
}

TEST(Documents, FailedSaveKeepsTheOriginalAndSaysSo)
{
    const QString path = copyOfSample("Keep.dazo");
    const QByteArray before = digest(path);
    ScriptedPrompts prompts;
    Prompts::set(&prompts);
    MainWindow w;
    ASSERT_TRUE(w.loadFile(path));
    ASSERT_TRUE(waitIdle(w));

    // "Save as" into a folder that does not exist: nothing can be written.
    prompts.saveName = nerio_test::scratchDir() + "/no/such/folder/Copy";
    nerio_test::SaveEnds ends(w.loader());
    w.on_actionSaveAs_triggered();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ends.failedPaths.isEmpty(); }, 20000));
    // The loader's thread is done with the save once a call queued behind it has run.
    QMetaObject::invokeMethod(w.loader(), [] {}, Qt::BlockingQueuedConnection);
    ends.deliver();
    ASSERT_TRUE(waitIdle(w));
    EXPECT_EQ(ends.finished, 0);
    EXPECT_EQ(ends.failedPaths.size(), 1);
    EXPECT_TRUE(ends.failedPaths.at(0).endsWith("Copy.dazo")); // the extension was added
    EXPECT_EQ(prompts.warnings, 1);
    EXPECT_NE(w.statusBar()->currentMessage(), QString::fromUtf8("保存完毕！"));
    EXPECT_FALSE(w.isBusy());
    EXPECT_EQ(digest(path), before);
}
