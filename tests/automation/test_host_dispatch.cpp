// A host drives a real main window through the real channel: the host tool runs as a separate
// process with a script of requests, this process is the viewer and serves through its event loop.

#include "../panels/LogCapture.h"

#include "app/MainWindow.h"
#include "app/StartupFlags.h"
#include "automation/ProcessCommunication.h"
#include "view/UserView.h"
#include "ribbonbar/SARibbonBar.h"
#include "support/TestSupport.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"
#include "vantor/note/NoteManager.h"
#include "vantor/view/ViewManager.h"

#include "support/FrameWait.h"
#include "support/SaveEnds.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

#include <map>

namespace {

const QString kTool = QStringLiteral(NERIO_BIN_DIR "/nerio-host");
const QString kSample = QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo");
const QString kPin = QStringLiteral(NERIO_BIN_DIR "/Samples/Pin.dazo");

struct Reply
{
    int line = 0;
    QString name;
    bool handled = false;
    std::map<QString, QString> fields; // as the tool prints them: numbers bare, texts quoted
};

struct HostRun
{
    int exitCode = -1;
    QString output;
    std::vector<Reply> replies;
    std::vector<Reply> records; // sent by the viewer on its own

    const Reply* at(int line) const
    {
        for (const Reply& r : replies)
            if (r.line == line)
                return &r;
        return nullptr;
    }
    QString field(int line, const QString& name) const
    {
        const Reply* r = at(line);
        if (!r)
            return QStringLiteral("<no reply>");
        auto it = r->fields.find(name);
        return it == r->fields.end() ? QStringLiteral("<no field>") : it->second;
    }
};

QString quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

// The text of a quoted field as it was sent (the tool escapes quote, backslash and newline).
QString unquoted(QString text)
{
    if (text.size() < 2 || !text.startsWith('"'))
        return text;
    text = text.mid(1, text.size() - 2);
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
            out += text[i] == 'n' ? QChar('\n') : text[i];
        } else {
            out += text[i];
        }
    }
    return out;
}

HostRun parse(int exitCode, const QString& output)
{
    HostRun run;
    run.exitCode = exitCode;
    run.output = output;
    int line = 0;
    Reply* last = nullptr;
    for (const QString& l : output.split('\n')) {
        if (l.startsWith(QLatin1String("line "))) {
            line = l.mid(5).toInt();
        } else if (l.startsWith(QLatin1String("reply ")) || l.startsWith(QLatin1String("record "))) {
            Reply r;
            r.line = line;
            r.name = l.section(' ', 1, 1);
            r.handled = l.contains(QLatin1String(" handled=1"));
            auto& list = l.startsWith(QLatin1String("reply ")) ? run.replies : run.records;
            list.push_back(r);
            last = &list.back();
        } else if (l.startsWith(QLatin1String("  ")) && last) {
            const int eq = l.indexOf('=');
            last->fields[l.mid(2, eq - 2)] = l.mid(eq + 1);
        } else {
            last = nullptr;
        }
    }
    return run;
}

class HostDispatch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!nerio_test::hasDisplay())
            GTEST_SKIP() << "needs the X display of test.sh";
        window = std::make_unique<MainWindow>();
        window->setOcxMode();
        window->show();
        static int counter = 0;
        title = QStringLiteral("Host dispatch %1 %2").arg(QCoreApplication::applicationPid()).arg(++counter);
        ASSERT_TRUE(window->listenForHost(title));
        scratch = nerio_test::scratchDir() + QStringLiteral("/dispatch%1").arg(counter);
        QDir(scratch).removeRecursively();
        QDir().mkpath(scratch);
    }

    void TearDown() override
    {
        ProcessCommunication* pc = ProcessCommunication::instance();
        pc->setRecordReceiver({});
        pc->closeChannel();
        pc->peerWindow = 0;
        pc->pending.clear();
        window.reset();
    }

    void loadSample()
    {
        ASSERT_TRUE(window->loadFile(kSample));
        ASSERT_NE(window->topModelId(), 0u) << "embedded loads finish before loadFile returns";
    }

    // Runs the host tool on a script while this process serves the channel.
    HostRun host(const QStringList& lines)
    {
        const QString path = scratch + QStringLiteral("/script.txt");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.join('\n').toUtf8());
        file.close();
        // The tool's output goes to files: a pipe is read only when this thread gets to it, and while the
        // window waits for the tool's answer to a long reply, a full pipe would stall the tool.
        const QString outPath = scratch + QStringLiteral("/host-out.txt");
        const QString errPath = scratch + QStringLiteral("/host-err.txt");
        QProcess p;
        p.setStandardOutputFile(outPath);
        p.setStandardErrorFile(errPath);
        p.start(kTool, {"--title", title, "--script", path});
        if (!p.waitForStarted(5000))
            return HostRun();
        (void)QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 60000);
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(2000);
        }
        const auto contents = [](const QString& name) {
            QFile f(name);
            return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
        };
        return parse(p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                     contents(outPath) + contents(errPath));
    }

    Vantor::Model* model(quint64 id) { return dynamic_cast<Vantor::Model*>(window->hostTargetModel(id)); }

    // The first model below the top model whose name contains the text (depth first).
    Vantor::Model* findByName(const QString& part, osg::Node* from = nullptr)
    {
        auto* m = dynamic_cast<Vantor::Model*>(from ? from : window->sceneModel()->getModel());
        if (!m)
            return nullptr;
        if (from && QString::fromStdString(m->getName()).contains(part, Qt::CaseInsensitive))
            return m;
        for (unsigned int i = 0; i < m->getNumChildren(); ++i)
            if (Vantor::Model* hit = findByName(part, m->getChild(i)))
                return hit;
        return nullptr;
    }

    std::unique_ptr<MainWindow> window;
    QString title;
    QString scratch;
};

// Every type a host may send, one line each, on the sample: reply fields, handled flag and the
// handler's log lines. Requests that replace the document have tests of their own below.
TEST_F(HostDispatch, EveryRequestTypeIsHandledAndAnswered)
{
    loadSample();
    const QString top = QString::number(window->topModelId());
    std::string ids;
    osg::Node* topNode = window->sceneModel()->getModel();
    for (unsigned int i = 0; i < topNode->asGroup()->getNumChildren(); ++i)
        window->sceneModel()->appendModelIds(topNode->asGroup()->getChild(i), ids);
    const auto* child0 = dynamic_cast<Vantor::Model*>(window->sceneModel()->getChildModel(0, 0));
    ASSERT_TRUE(child0);
    const QString notes = window->getAllNoteIds();
    const QString views = window->getAllViewIds();
    const QString unwritten = scratch + "/view.json";

    struct Row
    {
        QString request;
        const char* log; // handler name, nullptr: no log lines
        bool handled;
        std::map<QString, QString> expect; // "~" at the start: the field starts with the rest
    };
    const std::vector<Row> rows = {
        {"OpenRemoteBomFileMsg \"\"", "ProcessopenRemoteBomFileMessage", true, {{"modelId", top}}},
        {"OpenRemoteBomMsg \"\"", "ProcessopenRemoteBomMessage", true, {{"modelId", top}}},
        {"InsertRemoteBomMsg 0 \"\"", "ProcessInsertRemoteBomMessage", true, {{"ok", "0"}}},
        {"SaveRemoteBomMsg", "ProcessSaveRemoteBomMessage", false, {{"bomText", "~\"{"}}},
        {"UpdateModelBomMsg \"\"", "ProcessUpdateModelBomMessage", false, {{"bomText", "\"\""}}},
        {"RemoveModelMsg 99999", "ProcessRemoveModelMessage", true, {{"ok", "0"}}},
        {"TopModelMsg", "ProcessGetTopModelMessage", true, {{"modelId", top}}},
        {"ChildModelMsg 0 0", "ProcessGetChildModelMessage", true, {{"childId", QString::number(child0->getModelID())}}},
        {"ChildModelMsg 0 -1", "ProcessGetChildModelMessage", true, {{"childId", "0"}}},
        {"ChildrenModelMsg 0", "ProcessGetChildrenModelMessage", true, {{"idList", quoted(QString::fromStdString(ids))}}},
        {"ChildrenModelMsg 99999", "ProcessGetChildrenModelMessage", true, {{"idList", "\"\""}}},
        {"GetModelVisibleMsg 0", "ProcessGetModelVisibleMessage", true, {{"visible", "1"}}},
        {"SetModelVisibleMsg 1 99999", "ProcessSetModelVisibleMessage", true, {{"visible", "1"}, {"modelId", "99999"}}},
        {"GetModelColorMsg 99999", "ProcessGetModelColorMessage", true, {{"colorText", "\"\""}}},
        {"--reply SetModelColorMsg 99999 1 2 3", "ProcessSetModelColorMessage", true, {{"red", "1"}}},
        {"GetModelTransparentMsg 99999", "ProcessGetModelTransparentMessage", true, {{"transparency", "1"}}},
        {"--reply SetModelTransparentMsg 99999 0.5", "ProcessSetModelTransparentMessage", true, {}},
        {"--reply SetWidgetVisibleMsg 13 0 5", "ProcessWidgetVisibleMessage", true, {{"spare", "5"}}},
        {"GetAllNoteMsg", "ProcessGetAllNoteIDMessage", true, {{"idList", quoted(notes)}}},
        {"OpenCommandMsg PntToPntDistanceCommand", "ProcessOpenCommandMessage", true, {{"ok", "1"}}},
        {"--reply CloseCommandMsg", "ProcessCloseCommandMessage", true, {}},
        {"AddNoteByFileMsg 0 " + scratch + "/missing.note", "ProcessAddNoteByFileMessage", true, {{"idList", "\"\""}}},
        {"AddNoteByValueMsg 0 \"not json\"", "ProcessAddNoteByValueMessage", true, {{"idList", "\"\""}}},
        {"SaveNoteToFileMsg 99999 " + scratch + "/one.note", "ProcessSaveNoteToFileMessage", true, {{"ok", "0"}}},
        {"SaveAllNotesToFileMsg " + scratch + "/all.note", nullptr, true, {{"ok", "1"}}},
        {"GetAllNotesValueMsg", "ProcessGetAllNotesValueMessage", true, {{"jsonText", "~\"{"}}},
        {"GetNoteValueMsg 99999", "ProcessGetNoteValueMessage", true, {{"jsonText", "\"\""}}},
        {"RemoveNoteMsg 99999", "ProcessRemoveNoteMessage", true, {{"ok", "0"}}},
        {"GetAllViewIDMsg", "ProcessGetAllViewIDMessage", true, {{"idList", quoted(views)}}},
        {"AddViewByFileMsg 0 " + scratch + "/missing.json", "ProcessAddViewByFileMessage", true, {{"idList", "\"\""}}},
        {"AddViewByValueMsg 0 \"[]\"", "ProcessAddViewByValueMessage", true, {{"idList", "\"\""}}},
        {"SaveViewToFileMsg 0 " + unwritten, "ProcessSaveViewToFileMessage", true, {{"ok", "1"}}},
        {"SaveAllViewsToFileMsg " + scratch + "/views.json", "ProcessSaveAllViewsToFileMessage", true, {{"ok", "1"}}},
        {"GetAllViewsValueMsg", "ProcessGetAllViewsValueMessage", true, {{"jsonText", "~\"{"}}},
        {"GetViewValueMsg 5", "ProcessGetViewValueMessage", true, {{"jsonText", "\"\""}}},
        {"GetViewValueByIndexMsg 0", "ProcessGetViewValueByIndexMessage", true, {{"jsonText", "\"\""}}},
        {"LoadViewMsg 99999", "ProcessLoadViewMessage", true, {{"ok", "0"}}},
        {"RemoveViewMsg 99999", "ProcessRemoveViewMessage", true, {{"ok", "0"}}},
        {"ClearAllNotesMsg", "ProcessClearAllNotesMessage", true, {{"ok", "1"}}},
        {"ClearAllViewsMsg", "ProcessClearAllViewsMessage", true, {{"ok", "1"}}},
        // Not executed: answered as sent when the host asks.
        {"--reply TestEventMsg 9", nullptr, false, {{"value", "9"}}},
        {"--reply CommonEventMsg 3 hello", nullptr, false, {{"text", "\"hello\""}}},
    };
    QStringList script;
    for (const Row& row : rows)
        script << row.request;

    LogCapture log;
    const HostRun run = host(script);
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    ASSERT_EQ(run.replies.size(), rows.size()) << run.output.toStdString();
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const Reply& reply = run.replies[i];
        SCOPED_TRACE(row.request.toStdString());
        EXPECT_EQ(reply.handled, row.handled);
        for (const auto& e : row.expect) {
            const auto it = reply.fields.find(e.first);
            ASSERT_NE(it, reply.fields.end()) << e.first.toStdString();
            if (e.second.startsWith('~'))
                EXPECT_TRUE(it->second.startsWith(e.second.mid(1))) << it->second.left(80).toStdString();
            else
                EXPECT_EQ(it->second, e.second) << e.first.toStdString();
        }
        if (row.log) {
            const QString name = QStringLiteral("MessageProcesser::") + QLatin1String(row.log);
            EXPECT_TRUE(log.has(name + " start")) << name.toStdString();
            EXPECT_TRUE(log.has(name + " finish")) << name.toStdString();
        }
    }
    EXPECT_FALSE(log.has("MessageProcesser::ProcessSaveAllNotesToFileMessage start"));
    EXPECT_FALSE(QFileInfo::exists(unwritten));
    EXPECT_TRUE(QFileInfo::exists(scratch + "/views.json"));
    EXPECT_TRUE(QFileInfo::exists(scratch + "/all.note"));
    // The document is still the sample: nothing above replaced it.
    EXPECT_EQ(QString::number(window->topModelId()), top);
}

// Open, close and clear from the host: the answers carry the model now shown.
TEST_F(HostDispatch, HostOpensAndClosesDocuments)
{
    const HostRun run = host({"TopModelMsg", "OpenFileMsg " + kSample, "TopModelMsg", "--reply CloseFileMsg",
                              "TopModelMsg", "OpenFileMsg " + kSample, "--reply ClearAllModelMsg", "TopModelMsg"});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_EQ(run.field(1, "modelId"), "0");
    const QString opened = run.field(2, "modelId");
    EXPECT_NE(opened, "0");
    EXPECT_EQ(run.field(3, "modelId"), opened);
    ASSERT_TRUE(run.at(4));
    EXPECT_FALSE(run.at(4)->handled);
    EXPECT_EQ(run.field(5, "modelId"), "0");
    EXPECT_NE(run.field(6, "modelId"), "0");
    EXPECT_EQ(run.field(8, "modelId"), "0");
    EXPECT_EQ(window->sceneModel()->getModel(), nullptr);
}

// A host builds a tree of its own and reads it back: names, ids, order, removal.
TEST_F(HostDispatch, HostBuildsAndReadsTheModelTree)
{
    loadSample();
    const QStringList recent = window->recentFiles();
    HostRun run = host({"CreateTopModelMsg \"Baugruppe Ü\"", "TopModelMsg", "ChildrenModelMsg 0"});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QString top = run.field(1, "modelId");
    ASSERT_NE(top, "0");
    EXPECT_EQ(run.field(2, "modelId"), top);
    EXPECT_EQ(run.field(3, "idList"), "\"\"");
    EXPECT_EQ(QString::fromStdString(window->sceneModel()->getModel()->getName()), QStringLiteral("Baugruppe Ü"));
    // The sample's file is no longer the document's: a save cannot write the new tree over it.
    EXPECT_TRUE(window->currentFile().isEmpty());
    EXPECT_EQ(window->recentFiles(), recent);

    // Ids come from the files, so each file is added once at a time.
    run = host({"AddModelMsg " + top + " 0 " + kSample, "AddModelMsg " + top + " 0 " + kPin,
                "AddModelMsg 99999 0 " + kSample, "AddModelMsg " + top + " 0 /no/such/file.dazo",
                "ChildModelMsg " + top + " 0", "ChildModelMsg " + top + " 1", "ChildModelMsg " + top + " 2",
                "ChildrenModelMsg " + top});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QString bracket = run.field(1, "modelId");
    const QString pin = run.field(2, "modelId");
    EXPECT_NE(bracket, "0");
    EXPECT_NE(pin, "0");
    EXPECT_NE(bracket, pin);
    EXPECT_EQ(run.field(3, "modelId"), "0") << "unknown parent";
    EXPECT_EQ(run.field(4, "modelId"), "0") << "nothing loaded";
    // Position 0 went before the first model child.
    EXPECT_EQ(run.field(5, "childId"), pin);
    EXPECT_EQ(run.field(6, "childId"), bracket);
    EXPECT_EQ(run.field(7, "childId"), "0");
    const QString all = unquoted(run.field(8, "idList"));
    EXPECT_TRUE(all.startsWith(pin + " ")) << all.toStdString();
    EXPECT_TRUE(all.endsWith(" ")) << "every id is followed by one blank";
    EXPECT_TRUE(all.split(' ', Qt::SkipEmptyParts).contains(bracket));
    ASSERT_TRUE(model(pin.toULongLong()));

    run = host({"RemoveModelMsg " + pin, "RemoveModelMsg " + pin, "ChildModelMsg " + top + " 0",
                "AddModelMsg " + top + " 5 " + kPin, "ChildModelMsg " + top + " 1",
                "ChildrenModelMsg " + bracket});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_EQ(run.field(1, "ok"), "1");
    EXPECT_EQ(run.field(2, "ok"), "0") << "a stale id is not found";
    EXPECT_EQ(run.field(3, "childId"), bracket);
    EXPECT_EQ(run.field(4, "modelId"), pin);
    EXPECT_EQ(run.field(5, "childId"), pin) << "a position past the end appends";
    EXPECT_FALSE(unquoted(run.field(6, "idList")).contains(pin));

    run = host({"RemoveModelMsg 0", "TopModelMsg"});
    EXPECT_EQ(run.field(1, "ok"), "1");
    EXPECT_EQ(run.field(2, "modelId"), "0");
}

// The same file added three times makes three models, each with ids of its own all the way down, and
// removing one by its id removes that one alone.
TEST_F(HostDispatch, TheSameFileAddedThriceGivesThreeModelsWithTheirOwnIds)
{
    loadSample();
    HostRun run = host({"CreateTopModelMsg \"drei\"", "TopModelMsg"});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QString top = run.field(2, "modelId");
    run = host({"AddModelMsg " + top + " 0 " + kSample, "AddModelMsg " + top + " 0 " + kSample,
                "AddModelMsg " + top + " 0 " + kSample, "ChildrenModelMsg " + top});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QStringList added = {run.field(1, "modelId"), run.field(2, "modelId"), run.field(3, "modelId")};
    EXPECT_EQ(QSet<QString>(added.begin(), added.end()).size(), 3) << added.join(' ').toStdString();
    EXPECT_FALSE(added.contains("0"));
    const QStringList all = unquoted(run.field(4, "idList")).split(' ', Qt::SkipEmptyParts);
    EXPECT_EQ(QSet<QString>(all.begin(), all.end()).size(), all.size()) << all.join(' ').toStdString();
    for (const QString& id : added)
        EXPECT_TRUE(all.contains(id)) << id.toStdString();

    run = host({"RemoveModelMsg " + added[1], "ChildrenModelMsg " + top, "RemoveModelMsg " + added[1]});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_EQ(run.field(1, "ok"), "1");
    const QStringList left = unquoted(run.field(2, "idList")).split(' ', Qt::SkipEmptyParts);
    EXPECT_FALSE(left.contains(added[1]));
    EXPECT_TRUE(left.contains(added[0]));
    EXPECT_TRUE(left.contains(added[2]));
    EXPECT_EQ(left.size() * 3, all.size() * 2) << "one of the three copies went, with all its models";
    EXPECT_EQ(run.field(3, "ok"), "0") << "the removed copy's id names nothing any more";
}

// Visibility, colour and transparency set by the host, read back, and undone from the viewer's undo.
TEST_F(HostDispatch, VisibilityColourAndTransparencyFromTheHostAreUndoable)
{
    loadSample();
    Vantor::Model* bolt = findByName("bolt");
    ASSERT_TRUE(bolt);
    const QString id = QString::number(bolt->getModelID());
    ASSERT_EQ(bolt->getStateSet(), nullptr) << "the fixture needs a model without a material";
    // Without a material of its own a part answers the colour its faces were read with.
    osg::Vec4f read;
    ASSERT_TRUE(bolt->getShownColor(read));
    auto text = [](const osg::Vec4f& c) {
        return QStringLiteral("\"%1 %2 %3\"").arg(int(c.r() * 255)).arg(int(c.g() * 255)).arg(int(c.b() * 255));
    };
    ASSERT_NE(text(read), "\"\"");

    HostRun run = host({"GetModelColorMsg " + id, "SetModelVisibleMsg 0 " + id, "GetModelVisibleMsg " + id,
                        "SetModelColorMsg " + id + " 255 128 0", "GetModelColorMsg " + id,
                        "SetModelTransparentMsg " + id + " 0.25", "GetModelTransparentMsg " + id});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_EQ(run.field(1, "colorText"), text(read));
    EXPECT_EQ(run.field(3, "visible"), "0");
    EXPECT_EQ(run.field(5, "colorText"), "\"255 128 0\"");
    EXPECT_EQ(run.field(7, "transparency"), "0.25");
    EXPECT_EQ(bolt->getNodeMask(), 0u);

    auto manager = window->sceneView()->getCommandManager();
    ASSERT_TRUE(manager->Undo()); // transparency
    ASSERT_TRUE(manager->Undo()); // colour
    ASSERT_TRUE(manager->Undo()); // visibility
    run = host({"GetModelVisibleMsg " + id, "GetModelColorMsg " + id, "GetModelTransparentMsg " + id});
    EXPECT_EQ(run.field(1, "visible"), "1");
    EXPECT_EQ(run.field(2, "colorText"), text(read));
    EXPECT_EQ(run.field(3, "transparency"), "1");
    EXPECT_EQ(bolt->getStateSet(), nullptr) << "undo puts back no material at all";
}

// A change from the host shows without any input to the window: the view draws it, then rests.
TEST_F(HostDispatch, ChangesFromTheHostAreDrawnAndTheViewRestsAfter)
{
    loadSample();
    Vantor::Model* bolt = findByName("bolt");
    ASSERT_TRUE(bolt);
    SceneView* view = window->sceneView();
    ASSERT_TRUE(nerio_test::waitUntilResting(*view));
    const unsigned before = view->framesDrawn();
    HostRun run = host({"SetModelColorMsg " + QString::number(bolt->getModelID()) + " 255 128 0"});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->framesDrawn() > before; }, 5000));
    EXPECT_TRUE(nerio_test::waitUntilResting(*view));
}

// Values of every kind a host can get wrong: answered, nothing crashes, nothing changes.
TEST_F(HostDispatch, MalformedValuesAreAnsweredWithoutAChange)
{
    loadSample();
    Vantor::Model* bracket = findByName("bracket");
    ASSERT_TRUE(bracket);
    const QString id = QString::number(bracket->getModelID());
    auto manager = window->sceneView()->getCommandManager();
    window->setModelColor(bracket->getModelID(), 10, 20, 30);
    window->setModelTransparent(bracket->getModelID(), 0.5f);
    manager->Clear();

    const QString longText(2 * 1024 * 1024, QLatin1Char('x'));
    QFile longFile(scratch + "/long.txt");
    ASSERT_TRUE(longFile.open(QIODevice::WriteOnly));
    longFile.write(longText.toUtf8());
    longFile.close();
    const QString note = R"({"note_list": [1, "x", null, {"Type": "Note", "Id": 4711, "Text": "kept"}]})";
    QFile noteFile(scratch + "/note.json");
    ASSERT_TRUE(noteFile.open(QIODevice::WriteOnly));
    noteFile.write(note.toUtf8());
    noteFile.close();
    const QString views = R"({"userview_list": [7, "y", {"ViewID": 8812, "ViewName": "kept"}]})";
    QFile viewFile(scratch + "/views.json");
    ASSERT_TRUE(viewFile.open(QIODevice::WriteOnly));
    viewFile.write(views.toUtf8());
    viewFile.close();
    const QString notesBefore = window->getAllNoteIds();
    const QString viewsBefore = window->getAllViewIds();

    QElapsedTimer clock;
    clock.start();
    const HostRun run = host({
        "SetModelColorMsg " + id + " nan 0 0",                   // 1
        "SetModelTransparentMsg " + id + " nan",                 // 2
        "SetModelColorMsg 99999 1 2 3",                          // 3
        "SetModelVisibleMsg 0 99999",                            // 4
        "SetModelTransparentMsg 99999 0.1",                      // 5
        "GetModelColorMsg " + id,                                // 6
        "GetModelTransparentMsg " + id,                          // 7
        "AddNoteByValueMsg 0 \"{\\\"note_list\\\": [\"",         // 8 broken JSON
        "AddNoteByValueMsg 0 \"[1, 2]\"",                        // 9 not a note document
        "AddViewByValueMsg 0 \"{\\\"userview_list\\\": 3}\"",    // 10
        "AddNoteByValueMsg 0 @file:" + scratch + "/long.txt",    // 11 long garbage
        "OpenCommandMsg @file:" + scratch + "/long.txt",         // 12
        "OpenCommandMsg NoSuchCommand",                          // 13
        "SaveNoteToFileMsg 99999 \"\"",                          // 14
        "SaveAllNotesToFileMsg /no/such/folder/x.note",          // 15
        "LoadViewMsg 0",                                         // 16
        "AddModelMsg 0 -7 " + kSample,                           // 17 negative position: nothing attached
        "SetWidgetVisibleMsg -2147483648 1 0",                   // 18
        "ChildModelMsg 18446744073709551615 2147483647",         // 19
    });
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    // Only a stall fails this: the limit is far above what a loaded two-core machine needs.
    EXPECT_LT(clock.elapsed(), 120000);
    EXPECT_EQ(run.field(6, "colorText"), "\"10 20 30\"");
    EXPECT_EQ(run.field(7, "transparency"), "0.5");
    EXPECT_FALSE(manager->CanUndo()) << "no request above left an undo step";
    EXPECT_EQ(run.field(8, "idList"), "\"\"");
    EXPECT_EQ(run.field(9, "idList"), "\"\"");
    EXPECT_EQ(run.field(10, "idList"), "\"\"");
    EXPECT_EQ(run.field(11, "idList"), "\"\"");
    EXPECT_EQ(run.field(12, "ok"), "1");
    EXPECT_EQ(run.field(13, "ok"), "1");
    EXPECT_EQ(manager->getExecuteType(), "None") << "unknown names give no command";
    EXPECT_EQ(run.field(14, "ok"), "0");
    EXPECT_EQ(run.field(15, "ok"), "0");
    EXPECT_EQ(run.field(16, "ok"), "0");
    EXPECT_EQ(run.field(19, "childId"), "0");
    EXPECT_EQ(window->getAllNoteIds(), notesBefore);
    EXPECT_EQ(window->getAllViewIds(), viewsBefore);
    EXPECT_EQ(window->getChildrenModelIds(0), window->getChildrenModelIds(0)); // still a tree to walk
    EXPECT_TRUE(bracket->getNodeMask() != 0);

    // Out-of-range values are clamped; non-objects in the lists are skipped, the rest is taken.
    const HostRun clamp = host({"SetModelColorMsg " + id + " 300 -5 128", "GetModelColorMsg " + id,
                                "SetModelTransparentMsg " + id + " 7", "GetModelTransparentMsg " + id,
                                "SetModelTransparentMsg " + id + " -3", "GetModelTransparentMsg " + id,
                                "AddNoteByFileMsg 0 " + scratch + "/note.json",
                                "AddViewByFileMsg 0 " + scratch + "/views.json"});
    EXPECT_EQ(clamp.field(2, "colorText"), "\"255 0 128\"");
    EXPECT_EQ(clamp.field(4, "transparency"), "1");
    EXPECT_EQ(clamp.field(6, "transparency"), "0");
    EXPECT_EQ(clamp.field(7, "idList"), "\"4711 \"");
    EXPECT_EQ(clamp.field(8, "idList"), "\"8812 \"");
}

// Notes and saved views added by a host, listed, read, saved to files and into the model, removed.
TEST_F(HostDispatch, NotesAndViewsFromTheHostRoundTrip)
{
    const QString copy = scratch + "/bracket.dazo";
    ASSERT_TRUE(QFile::copy(kSample, copy));
    ASSERT_TRUE(window->loadFile(copy));
    window->sceneModel()->getNoteManager()->ClearAllNotation();
    window->sceneModel()->getViewManager()->ClearAllView();

    const QString notes = R"({"note_list": [{"Type": "Note", "Id": 9001, "Text": "first", "Anchor": [0, 0, 0]},)"
                          R"( {"Type": "SNote", "Id": 9002, "Text": "second", "Anchor": [1, 0, 0]}]})";
    const QString views = R"({"userview_list": [{"ViewID": 501, "ViewName": "A"}, {"ViewID": 502, "ViewName": "B"}]})";
    QFile nf(scratch + "/notes.json");
    ASSERT_TRUE(nf.open(QIODevice::WriteOnly));
    nf.write(notes.toUtf8());
    nf.close();
    QFile vf(scratch + "/views-in.json");
    ASSERT_TRUE(vf.open(QIODevice::WriteOnly));
    vf.write(views.toUtf8());
    vf.close();

    HostRun run = host({"AddNoteByValueMsg 0 @file:" + scratch + "/notes.json", "GetAllNoteMsg",
                        "GetNoteValueMsg 9002", "SaveNoteToFileMsg 9001 " + scratch + "/one.note",
                        "AddViewByValueMsg 0 @file:" + scratch + "/views-in.json", "GetAllViewIDMsg",
                        "LoadViewMsg 501", "SaveAllViewsToFileMsg " + scratch + "/views-out.json",
                        "SaveAllNotesToFileMsg " + scratch + "/all.note"});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_EQ(run.field(1, "idList"), "\"9001 9002 \"");
    EXPECT_EQ(run.field(2, "idList"), "\"9001 9002 \"");
    EXPECT_TRUE(unquoted(run.field(3, "jsonText")).startsWith("{\n    \"data\": {")) << run.field(3, "jsonText").toStdString();
    EXPECT_TRUE(unquoted(run.field(3, "jsonText")).contains("second"));
    EXPECT_EQ(run.field(4, "ok"), "1");
    EXPECT_EQ(run.field(5, "idList"), "\"501 502 \"");
    EXPECT_EQ(run.field(6, "idList"), "\"502 501 \"") << "each view of one call goes to the same position";
    EXPECT_EQ(run.field(7, "ok"), "1");
    EXPECT_EQ(run.field(8, "ok"), "1");
    EXPECT_EQ(run.field(9, "ok"), "1");
    // The files read back as documents of the same notes and views.
    osg::ref_ptr<Vantor::NoteManager> readBack = new Vantor::NoteManager;
    QFile one(scratch + "/one.note");
    ASSERT_TRUE(one.open(QIODevice::ReadOnly));
    ASSERT_TRUE(readBack->fromJson(one.readAll().toStdString()));
    ASSERT_EQ(readBack->GetAllNote().size(), 1u);
    EXPECT_EQ(readBack->GetAllNote()[0]->getId(), 9001u);
    QFile viewsOut(scratch + "/views-out.json");
    ASSERT_TRUE(viewsOut.open(QIODevice::ReadOnly));
    EXPECT_EQ(Vantor::UserView::readList(viewsOut.readAll().toStdString()).size(), 2u);

    // Saved into the model by the viewer's own save, and there after opening it again.
    nerio_test::SaveEnds saved(window->loader());
    window->on_actionSave_triggered();
    ASSERT_TRUE(QTest::qWaitFor([&] { return saved.finished > 0; }, 30000));
    run = host({"OpenFileMsg " + copy, "GetAllNoteMsg", "GetAllViewIDMsg", "RemoveNoteMsg 9001",
                "RemoveViewMsg 502", "GetAllNoteMsg", "GetAllViewIDMsg", "RemoveNoteMsg 9001"});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_EQ(run.field(2, "idList"), "\"9001 9002 \"");
    EXPECT_EQ(run.field(3, "idList"), "\"502 501 \"");
    EXPECT_EQ(run.field(4, "ok"), "1");
    EXPECT_EQ(run.field(5, "ok"), "1");
    EXPECT_EQ(run.field(6, "idList"), "\"9002 \"");
    EXPECT_EQ(run.field(7, "idList"), "\"501 \"");
    EXPECT_EQ(run.field(8, "ok"), "0");
}

// The bill of materials goes out as text and comes back in as a document, an insertion and an update.
TEST_F(HostDispatch, BillOfMaterialsOutAndIn)
{
    loadSample();
    const QString topName = QString::fromStdString(window->sceneModel()->getModel()->getName());
    HostRun run = host({"SaveRemoteBomMsg"});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QString bom = unquoted(run.field(1, "bomText"));
    ASSERT_TRUE(bom.startsWith('{')) << bom.left(80).toStdString();
    QFile file(scratch + "/bom.json");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bom.toUtf8());
    file.close();
    const QString text = "@file:" + scratch + "/bom.json";

    window->collisionTable()->setRowCount(3);
    run = host({"OpenRemoteBomMsg " + text, "ChildrenModelMsg 0", "InsertRemoteBomMsg 0 " + text,
                "InsertRemoteBomMsg 99999 " + text, "UpdateModelBomMsg " + text, "TopModelMsg"});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QString opened = run.field(1, "modelId");
    EXPECT_NE(opened, "0");
    EXPECT_EQ(window->collisionTable()->rowCount(), 0);
    EXPECT_NE(run.field(2, "idList"), "\"\"");
    EXPECT_EQ(run.field(3, "ok"), "1");
    EXPECT_EQ(run.field(4, "ok"), "0");
    ASSERT_TRUE(run.at(5));
    EXPECT_FALSE(run.at(5)->handled);
    EXPECT_EQ(QString::fromStdString(window->sceneModel()->getModel()->getName()), topName);
    EXPECT_TRUE(window->currentFile().isEmpty()) << "a save must not write the text's document over the sample";
}

// Window parts from the host; the start-up flags of the user stay as they were.
TEST_F(HostDispatch, WidgetVisibilityLeavesTheStartupFlags)
{
    const bool viewFlag = showViewDockAtStart;
    const bool annotationFlag = showAnnotationAtStart;
    const bool treeFlag = showTreeDockAtStart;
    SARibbonBar* bar = window->ribbonBar();
    ASSERT_FALSE(bar->isVisible()) << "embedded mode hides the ribbon";
    QList<SARibbonCategory*> pages = window->categoryPages();
    ASSERT_EQ(pages.size(), 9);
    for (int i = 0; i < pages.size(); ++i)
        EXPECT_EQ(bar->isCategoryVisible(pages[i]), i == 7) << i << ": only the animation page is left";

    HostRun run = host({"SetWidgetVisibleMsg 0 1 0", "SetWidgetVisibleMsg 1 1 0", "SetWidgetVisibleMsg 2 1 0",
                        "SetWidgetVisibleMsg 3 1 0", "SetWidgetVisibleMsg 7 0 0", "SetWidgetVisibleMsg 12 1 0"});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(window->treeDock()->isVisible());
    EXPECT_TRUE(window->viewDock()->isVisible());
    EXPECT_TRUE(window->annotationDock()->isVisible());
    EXPECT_TRUE(bar->isVisible());
    for (int i : {0, 1, 2, 4, 5, 6, 8})
        EXPECT_TRUE(bar->isCategoryVisible(pages[i])) << i;
    EXPECT_FALSE(bar->isCategoryVisible(pages[3])) << "7 is the Review page";
    EXPECT_TRUE(window->statusBar()->isVisible());

    run = host({"SetWidgetVisibleMsg 1 0 0", "SetWidgetVisibleMsg 12 0 0", "SetWidgetVisibleMsg 13 0 0"});
    EXPECT_FALSE(window->viewDock()->isVisible());
    EXPECT_FALSE(window->statusBar()->isVisible());
    EXPECT_TRUE(bar->isVisible()) << "type 13 changes nothing";
    EXPECT_EQ(showViewDockAtStart, viewFlag);
    EXPECT_EQ(showAnnotationAtStart, annotationFlag);
    EXPECT_EQ(showTreeDockAtStart, treeFlag);
}

// The viewer's own request: a user-defined button tells the host its action's data.
TEST_F(HostDispatch, UserDefinedButtonSendsItsEventToTheHost)
{
    QProcess peer;
    peer.start(QStringLiteral(NERIO_HOST_PEER), {title, "init", "collect", "1"});
    ASSERT_TRUE(peer.waitForStarted(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ProcessCommunication::instance()->peerWindow != 0; }, 10000));
    QAction button(QStringLiteral("Custom"));
    button.setData(QStringLiteral("pump-check"));
    QObject::connect(&button, SIGNAL(triggered()), window.get(), SLOT(on_actionUserDefineButtonTriggered()));
    button.trigger();
    (void)QTest::qWaitFor([&] { return peer.state() == QProcess::NotRunning; }, 20000);
    const QString out = QString::fromUtf8(peer.readAllStandardOutput());
    EXPECT_EQ(peer.exitCode(), 0);
    EXPECT_TRUE(out.contains("got 18 needsReply=0")) << out.toStdString();
}

} // namespace
