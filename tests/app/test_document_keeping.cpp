// What a model file holds goes back into it: members the program does not read or reads only in part
// survive a save, and nothing the user changed goes without being asked about.

#include "../reader/ReaderFixtures.h"

#include "app/MainWindow.h"
#include "common/Prompts.h"
#include "panels/OsgTreeModel.h"
#include "support/TestSupport.h"
#include "view/SceneView.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/dazoreader/DazoReaderWriter.h"
#include "view/SceneModel.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"
#include "vantor/note/Note.h"
#include "vantor/note/NoteManager.h"
#include "view/UserView.h"
#include "vantor/measure/Measure.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/section/Section.h"
#include "vantor/section/SectionManager.h"
#include "vantor/view/ViewManager.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace reader_test;

namespace {

// Answers every question with the next scripted button and records what was asked.
struct ScriptedPrompts : Prompts
{
    QList<QMessageBox::StandardButton> answers;
    QStringList questions;
    int warnings = 0;
    QMessageBox::StandardButton question(QWidget*, const QString& title, const QString& text,
                                         QMessageBox::StandardButtons) override
    {
        questions << title + ": " + text;
        return answers.isEmpty() ? QMessageBox::Cancel : answers.takeFirst();
    }
    void warning(QWidget*, const QString&, const QString&) override { ++warnings; }
    ScriptedPrompts() { Prompts::set(this); }
    ~ScriptedPrompts() override { Prompts::set(nullptr); }
};

// Appends an entry with these bytes to an archive.
void addEntry(const std::string& archive, const std::string& entry, const std::string& bytes)
{
    const std::string file = archive + ".entry";
    dazo_test::writeFile(file, bytes);
    ASSERT_EQ(VantorSoft::Vantor_Document::AddFileToZip(file, archive, entry), 0);
    std::remove(file.c_str());
}

std::string member(const std::string& archive, const std::string& key)
{
    std::string bytes;
    return Vantor::DazoLayout::ReadMember(archive, key, bytes) ? bytes : std::string("<missing>");
}

// Loads and waits until the load's result has reached the window (it arrives whole).
bool open(MainWindow& w, const std::string& path)
{
    if (!w.loadFile(QString::fromStdString(path)))
        return false;
    if (!QTest::qWaitFor([&] { return !w.isBusy(); }, 20000))
        return false;
    return w.sceneModel()->getModel() != nullptr;
}

bool save(MainWindow& w)
{
    QSignalSpy saved(w.loader(), &ObjectLoader::saveFileFinish);
    QSignalSpy failed(w.loader(), &ObjectLoader::saveFileFailed);
    w.on_actionSave_triggered();
    if (!w.isBusy())
        return false; // declined or refused
    return QTest::qWaitFor([&] { return saved.count() + failed.count() > 0; }, 20000) &&
           QTest::qWaitFor([&] { return !w.isBusy(); }, 5000) && saved.count() > 0;
}

const char* const kGbkNote = "{\"note_list\":[{\"Type\":\"Note\",\"Id\":7,\"Text\":\"\xd6\xd0\xce\xc4\",\"Anchor\":[0,0,0]}]}";

} // namespace

// Each case: a model whose file holds something the program cannot read whole. Opened and saved at
// once, the file keeps every member byte for byte, and the window tells which document was read in part.
TEST(DocumentKeeping, UnreadMembersSurviveOpenAndSave)
{
    struct Case {
        const char* name;
        Vantor::DazoLayout::ProgramDocuments documents;
        const char* partial; // the document read only in part, "" for none
    };
    Case cases[] = {
        {"animation of a later version", {}, "animation"},
        {"note of an unknown type", {}, "note"},
        {"note list that does not parse", {}, "note"},
        {"measure list holding 1e999", {}, "measure"},
        {"note text in GBK", {}, "note"},
        {"unknown member only", {}, ""},
    };
    cases[0].documents.animation =
        R"({"version":2,"default":0,"animations":[{"name":"later","tracks":[],"camera":[],"easing":"cubic"}]})";
    cases[1].documents.note = R"({"note_list":[{"Type":"CloudNote","Id":5,"Text":"a"},)"
                              R"({"Type":"Note","Id":6,"Text":"b","Anchor":[0,0,0]}]})";
    cases[2].documents.note = R"({"note_list":[{"Type":"Note","Id":6,)";
    cases[3].documents.measure = R"({"measure_list":[{"Kind":1,"Title":"d","Value":1e999,"Points":[[0,0,0],[1,0,0]]}]})";
    cases[4].documents.note = kGbkNote;

    dazo_test::ScratchDir dir;
    ScriptedPrompts prompts;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file("keep.dazo");
        std::remove(path.c_str());
        ASSERT_TRUE(writeSmallAssembly(path, c.documents));
        addEntry(path, "model.future", std::string("opaque\0\x01\x02 bytes", 15));
        addEntry(path, "extra/notes.txt", "a member with its own name");
        const auto before = members(path);

        MainWindow w;
        ASSERT_TRUE(open(w, path));
        for (const char* name : DocumentNames)
            EXPECT_EQ(w.documentReadInPart(name).isEmpty(), std::string(c.partial) != name) << name;
        EXPECT_FALSE(w.hasUnsavedChanges());
        ASSERT_TRUE(save(w));

        const auto after = members(path);
        for (const char* name : DocumentNames) {
            if (before.count(name)) {
                EXPECT_TRUE(after.count(name) && after.at(name) == before.at(name)) << name;
            }
        }
        EXPECT_EQ(member(path, "future"), std::string("opaque\0\x01\x02 bytes", 15));
        EXPECT_EQ(member(path, "txt"), "a member with its own name");
        EXPECT_EQ(member(path, "note-original"), "<missing>"); // nothing was changed
        EXPECT_TRUE(prompts.questions.isEmpty()) << prompts.questions.join('\n').toStdString();
    }
}

// A document read only in part that the user changed: the save says so first; it writes the changed
// document and keeps the stored one beside it, or, declined, writes nothing.
TEST(DocumentKeeping, ChangedPartialDocumentKeepsTheOriginalBeside)
{
    dazo_test::ScratchDir dir;
    const std::string path = dir.file("partial.dazo");
    Vantor::DazoLayout::ProgramDocuments docs;
    docs.note = kGbkNote;
    docs.measure = R"({"measure_list":[{"Kind":1,"Value":1e999}]})";
    ASSERT_TRUE(writeSmallAssembly(path, docs));
    addEntry(path, "model.future", "kept");
    const std::string original = dazo_test::readFile(path);

    ScriptedPrompts prompts;
    MainWindow w;
    ASSERT_TRUE(open(w, path));
    ASSERT_FALSE(w.documentReadInPart("note").isEmpty());
    osg::ref_ptr<Vantor::Note> added = new Vantor::Note;
    added->setText("new");
    ASSERT_TRUE(w.sceneModel()->getNoteManager()->InsertNotations(added.get(), -1));
    EXPECT_TRUE(w.hasUnsavedChanges());

    prompts.answers = {QMessageBox::Cancel};
    EXPECT_FALSE(save(w));
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions[0].contains("notes")) << prompts.questions[0].toStdString();
    EXPECT_FALSE(prompts.questions[0].contains("measures")); // unchanged: it simply goes back
    EXPECT_TRUE(dazo_test::readFile(path) == original);
    EXPECT_TRUE(w.sceneModel()->getModel() != nullptr);

    prompts.answers = {QMessageBox::Save};
    ASSERT_TRUE(save(w));
    EXPECT_EQ(member(path, "note-original"), kGbkNote);
    EXPECT_NE(member(path, "note"), kGbkNote);
    EXPECT_NE(member(path, "note").find("\"new\""), std::string::npos);
    EXPECT_EQ(member(path, "measure"), docs.measure);
    EXPECT_EQ(member(path, "future"), "kept");
    EXPECT_FALSE(w.hasUnsavedChanges());

    // Saved once more: what the file now holds stays, the kept original with it, and nothing is asked.
    added->setText("newer");
    w.sceneModel()->getNoteManager()->NotifyNoteChanged(added.get());
    prompts.questions.clear();
    ASSERT_TRUE(save(w));
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(member(path, "note-original"), kGbkNote);
    EXPECT_NE(member(path, "note").find("\"newer\""), std::string::npos);
    EXPECT_EQ(member(path, "future"), "kept");
}

// A document the program read whole is written from what the program holds once the user changed it.
TEST(DocumentKeeping, ChangedWholeDocumentIsWrittenAnew)
{
    dazo_test::ScratchDir dir;
    const std::string path = dir.file("whole.dazo");
    Vantor::DazoLayout::ProgramDocuments docs;
    docs.note = R"({"note_list":[{"Type":"Note","Id":6,"Text":"b","Anchor":[0,0,0]}]})";
    ASSERT_TRUE(writeSmallAssembly(path, docs));

    ScriptedPrompts prompts;
    MainWindow w;
    ASSERT_TRUE(open(w, path));
    EXPECT_TRUE(w.documentReadInPart("note").isEmpty());
    ASSERT_TRUE(w.sceneModel()->getNoteManager()->RemoveNotationsByID(6));
    ASSERT_TRUE(save(w));
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(member(path, "note"), R"({"note_list":[]})");
    EXPECT_EQ(member(path, "note-original"), "<missing>");
}

namespace {

struct Opened
{
    explicit Opened(const std::string& path)
    {
        w.resize(1000, 700);
        w.show();
        tree = w.findChild<QTreeView*>("treeViewStructure");
        model = tree ? qobject_cast<OsgTreeModel*>(tree->model()) : nullptr;
        loaded = model && open(w, path);
    }
    // Unchecks the first part under the top in the tree, as a user does.
    bool hideFirstPart()
    {
        const QModelIndex part = model->index(0, 0, model->index(0, 0));
        return model->setData(part, Qt::Unchecked, Qt::CheckStateRole);
    }
    MainWindow w;
    QTreeView* tree = nullptr;
    OsgTreeModel* model = nullptr;
    bool loaded = false;
};

bool copySample(const std::string& path)
{
    return QFile::copy(QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo"), QString::fromStdString(path));
}

// The mask the file gives the top model's first child.
int firstPartShown(const std::string& path)
{
    DazoReaderWriter reader;
    osg::ref_ptr<osg::Node> root = reader.readNode(path);
    auto* top = dynamic_cast<Vantor::Model*>(root.get());
    if (!top || top->getModelChildrenNum() == 0)
        return -1;
    return top->getModelChild(0)->getNodeMask() != 0 ? 1 : 0;
}

} // namespace

// Quit, Open and Close with a part hidden in the tree: each asks first, and each answer does what it
// says: Cancel keeps the model open and unsaved, Discard goes on without saving, Save saves and goes on.
TEST(UnsavedChanges, QuitOpenAndCloseAskFirst)
{
    dazo_test::ScratchDir dir;
    const std::string other = dir.file("other.dazo");
    ASSERT_TRUE(writeSmallAssembly(other));
    enum Action { Quit, Open, Close };
    const char* actionNames[] = {"quit", "open", "close"};
    for (Action action : {Quit, Open, Close}) {
        for (QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::Discard, QMessageBox::Save}) {
            SCOPED_TRACE(std::string(actionNames[action]) + " answered " + std::to_string(int(answer)));
            const std::string path = dir.file("model.dazo");
            std::remove(path.c_str());
            ASSERT_TRUE(writeSmallAssembly(path));
            ScriptedPrompts prompts;
            Opened t(path);
            ASSERT_TRUE(t.loaded);
            ASSERT_EQ(firstPartShown(path), 1);
            ASSERT_TRUE(t.hideFirstPart());
            EXPECT_TRUE(t.w.hasUnsavedChanges());

            prompts.answers = {answer};
            bool went = false;
            switch (action) {
            case Quit:
                went = t.w.close();
                break;
            case Open:
                went = t.w.loadFile(QString::fromStdString(other));
                EXPECT_TRUE(QTest::qWaitFor([&] { return !t.w.isBusy(); }, 20000));
                break;
            case Close:
                t.w.on_actionUnload_triggered();
                went = t.w.sceneModel()->getModel() == nullptr;
                break;
            }
            EXPECT_EQ(prompts.questions.size(), 1);
            EXPECT_EQ(went, answer != QMessageBox::Cancel);
            EXPECT_EQ(firstPartShown(path), answer == QMessageBox::Save ? 0 : 1);
            if (answer == QMessageBox::Cancel) {
                EXPECT_TRUE(t.w.isVisible());
                EXPECT_EQ(t.w.currentFile(), QString::fromStdString(path));
                EXPECT_TRUE(t.w.hasUnsavedChanges());
            } else if (action == Open) {
                EXPECT_EQ(t.w.currentFile(), QString::fromStdString(other));
            }
        }
    }
}

// Only what a save would write counts as a change: selecting, turning the view, a display mode,
// hiding an annotation of the model and undoing back to the state read do not; a note does.
TEST(UnsavedChanges, OnlyWhatASaveWritesCounts)
{
    dazo_test::ScratchDir dir;
    const std::string path = dir.file("model.dazo");
    ASSERT_TRUE(copySample(path));
    ScriptedPrompts prompts;
    Opened t(path);
    ASSERT_TRUE(t.loaded);
    EXPECT_FALSE(t.w.hasUnsavedChanges());

    auto* top = static_cast<Vantor::Model*>(t.w.sceneModel()->getModel());
    t.w.sceneView()->getSelectionManager()->selectNode(top->getModelChild(1), true);
    t.w.on_actionFrontView_triggered();
    t.w.on_actionLineRender_triggered();
    t.w.on_actionFlatRender_triggered();
    std::list<osg::ref_ptr<osg::Node>> pmi;
    Vantor::Model::getAllChildrenPMI(top, pmi);
    ASSERT_FALSE(pmi.empty());
    pmi.front()->setNodeMask(0);
    EXPECT_FALSE(t.w.hasUnsavedChanges());

    osg::ref_ptr<Vantor::Note> note = new Vantor::Note;
    ASSERT_TRUE(t.w.sceneModel()->getNoteManager()->InsertNotations(note.get(), -1));
    EXPECT_TRUE(t.w.hasUnsavedChanges());
    ASSERT_TRUE(t.w.sceneModel()->getNoteManager()->RemoveNotationsByID(note->getId()));
    EXPECT_FALSE(t.w.hasUnsavedChanges());

    ASSERT_TRUE(t.hideFirstPart());
    EXPECT_TRUE(t.w.hasUnsavedChanges());
    const QModelIndex part = t.model->index(0, 0, t.model->index(0, 0));
    ASSERT_TRUE(t.model->setData(part, Qt::Checked, Qt::CheckStateRole));
    EXPECT_FALSE(t.w.hasUnsavedChanges());
    EXPECT_TRUE(t.w.close());
    EXPECT_TRUE(prompts.questions.isEmpty());
}

// Embedded, the host's request decides: no question, the model goes as asked.
TEST(UnsavedChanges, HostRequestsAreCarriedOutWithoutAQuestion)
{
    dazo_test::ScratchDir dir;
    const std::string path = dir.file("model.dazo");
    const std::string other = dir.file("other.dazo");
    ASSERT_TRUE(writeSmallAssembly(path));
    ASSERT_TRUE(writeSmallAssembly(other));
    ScriptedPrompts prompts;
    MainWindow w;
    w.setOcxMode();
    ASSERT_TRUE(open(w, path));
    auto* top = static_cast<Vantor::Model*>(w.sceneModel()->getModel());
    top->getModelChild(0)->setNodeMask(0);
    EXPECT_TRUE(w.hasUnsavedChanges());
    EXPECT_TRUE(w.loadFile(QString::fromStdString(other)));
    EXPECT_EQ(w.currentFile(), QString::fromStdString(other));
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(firstPartShown(path), 1);
}

namespace {

bool scratchLeft(const std::string& folder)
{
    return !QDir(QString::fromStdString(folder)).entryList({"*.saving-*"}, QDir::AllEntries | QDir::Hidden).isEmpty();
}

} // namespace

// Saving over a model keeps the file's permissions and owner, refuses a read-only file the way a failed
// save is reported, and saves a linked model through its link.
TEST(SaveOverModel, KeepsWhatTheFileWas)
{
    struct Case {
        const char* name;
        mode_t mode;
        uid_t owner;
        gid_t group;
        bool written;
    };
    const bool root = ::geteuid() == 0; // only root may give a file to someone else
    const Case cases[] = {
        {"private", 0600, root ? 4321u : ::geteuid(), root ? 4322u : ::getegid(), true},
        {"group readable", 0640, ::geteuid(), ::getegid(), true},
        {"shared", 0664, ::geteuid(), ::getegid(), true},
        {"read-only", 0444, ::geteuid(), ::getegid(), false},
    };
    dazo_test::ScratchDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file(std::string(c.name) + ".dazo");
        ASSERT_TRUE(writeSmallAssembly(path));
        ASSERT_EQ(::chown(path.c_str(), c.owner, c.group), 0);
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        const std::string before = dazo_test::readFile(path);

        ScriptedPrompts prompts;
        Opened t(path);
        ASSERT_TRUE(t.loaded);
        ASSERT_TRUE(t.hideFirstPart());
        EXPECT_EQ(save(t.w), c.written);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !t.w.isBusy(); }, 20000));
        struct stat st;
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode);
        EXPECT_EQ(st.st_uid, c.owner);
        EXPECT_EQ(st.st_gid, c.group);
        EXPECT_EQ(firstPartShown(path), c.written ? 0 : 1);
        if (!c.written) {
            EXPECT_EQ(prompts.warnings, 1); // told like any failed save
            EXPECT_TRUE(dazo_test::readFile(path) == before);
            EXPECT_TRUE(t.w.hasUnsavedChanges());
        }
    }

    // A link to the model, relative, through a linked folder: the link stays, the model it names is saved.
    ASSERT_EQ(::mkdir(dir.file("real").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("real", dir.file("folder").c_str()), 0);
    ASSERT_TRUE(writeSmallAssembly(dir.file("real/model.dazo")));
    ASSERT_EQ(::symlink("folder/model.dazo", dir.file("link.dazo").c_str()), 0);
    {
        ScriptedPrompts prompts;
        Opened t(dir.file("link.dazo"));
        ASSERT_TRUE(t.loaded);
        ASSERT_TRUE(t.hideFirstPart());
        ASSERT_TRUE(save(t.w));
    }
    struct stat st;
    ASSERT_EQ(::lstat(dir.file("link.dazo").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(firstPartShown(dir.file("real/model.dazo")), 0);
    EXPECT_FALSE(scratchLeft(dir.path()));
    EXPECT_FALSE(scratchLeft(dir.file("real")));
}

// A save that SIGTERM interrupts leaves no scratch folder beside the model.
TEST(SaveOverModel, TerminationLeavesNoScratchBehind)
{
    dazo_test::ScratchDir dir;
    const std::string path = dir.file("model.dazo");
    for (int round = 0; round < 3; ++round) {
        QProcess child;
        child.start(QStringLiteral(NERIO_SAVE_CHILD), {QString::fromStdString(path)});
        ASSERT_TRUE(child.waitForStarted(10000));
        // Caught in a later save each round, after 0, 1 and 2 finished ones.
        int saved = 0;
        while (saved < round && child.waitForReadyRead(30000))
            saved += child.readAllStandardOutput().count("saved");
        ASSERT_EQ(saved >= round, true);
        ASSERT_TRUE(QTest::qWaitFor([&] { return scratchLeft(dir.path()); }, 30000));
        ::kill(static_cast<pid_t>(child.processId()), SIGTERM);
        ASSERT_TRUE(child.waitForFinished(30000));
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit); // ended by the signal, as before
        EXPECT_FALSE(scratchLeft(dir.path())) << QDir(QString::fromStdString(dir.path())).entryList(QDir::AllEntries | QDir::Hidden).join(' ').toStdString();
    }
}

// What the program writes it reads whole again: a model saved with every kind of document opens with
// nothing read in part and nothing to save, so the documents of its own files are never taken for
// foreign ones.
TEST(DocumentKeeping, OwnDocumentsReadBackWhole)
{
    dazo_test::ScratchDir dir;
    const std::string path = dir.file("own.dazo");
    ASSERT_TRUE(copySample(path));
    ScriptedPrompts prompts;
    {
        Opened t(path);
        ASSERT_TRUE(t.loaded);
        SceneModel* scene = t.w.sceneModel();
        osg::ref_ptr<Vantor::PointNote> note = new Vantor::PointNote;
        note->setText("检查螺栓 \"quoted\"");
        note->setGroup(3, "评审");
        ASSERT_TRUE(scene->getNoteManager()->InsertNotations(note.get(), -1));
        osg::ref_ptr<Vantor::VolumeMeasure> measure = new Vantor::VolumeMeasure;
        measure->CoordinationUserData({{"State", "已修改"}});
        ASSERT_TRUE(scene->getMeasureManager()->InsertMeasure(measure.get(), -1));
        osg::ref_ptr<Vantor::Section> section = new Vantor::Section;
        ASSERT_TRUE(scene->getSectionManager()->InsertSection(section.get(), -1));
        osg::ref_ptr<Vantor::UserView> view = new Vantor::UserView;
        view->setViewName("正面");
        view->setTopModel(Vantor::Model::GetTopModel(scene->getRootSwitch()).get());
        view->setNoteManager(scene->getNoteManager());
        view->setSectionManager(scene->getSectionManager());
        view->setMeasureManager(scene->getMeasureManager());
        view->sceneView = t.w.sceneView();
        view->capture();
        view->setViewID(1700000000);
        scene->getViewManager()->AddView(view.get());
        const auto id = static_cast<Vantor::Model*>(scene->getModel())->getModelChild(1)->getModelID();
        const QString animation = QStringLiteral(
            R"({"version":1,"default":0,"animations":[{"name":"default","tracks":[{"target":{"kind":"model","id":%1},)"
            R"("transform":[{"time":0,"matrix":[1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1]},)"
            R"({"time":2,"matrix":[1,0,0,0,0,1,0,0,0,0,1,0,0,0,30,1]}]}],"camera":[]}]})")
                                      .arg(id);
        ASSERT_TRUE(t.w.loadAnimationDocument(animation));
        ASSERT_TRUE(t.w.hasUnsavedChanges());
        ASSERT_TRUE(save(t.w));
        EXPECT_FALSE(t.w.hasUnsavedChanges());
    }
    Opened again(path);
    ASSERT_TRUE(again.loaded);
    for (const char* name : DocumentNames)
        EXPECT_TRUE(again.w.documentReadInPart(name).isEmpty()) << name << ": "
                                                                 << again.w.documentReadInPart(name).toStdString();
    EXPECT_EQ(again.w.sceneModel()->getNoteManager()->GetAllNote().size(), 1u);
    EXPECT_FALSE(again.w.hasUnsavedChanges());
    EXPECT_TRUE(prompts.questions.isEmpty());
}
