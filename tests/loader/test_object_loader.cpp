#include "../reader/ReaderFixtures.h"

#include "app/ObjectLoader.h"
#include "app/ThreadPool.h"
#include "vantor/dazoreader/DazoReaderWriter.h"
#include "view/UserView.h"
#include "support/TestSupport.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/measure/Measure.h"
#include "vantor/note/Note.h"
#include "vantor/section/Section.h"
#include "vantor/section/SectionManager.h"
#include "vantor/view/ViewManager.h"
#include "view/SceneModel.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <gtest/gtest.h>
#include <QTest>
#include <thread>
#include <atomic>
#include <QSemaphore>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

using namespace reader_test;

// Stands for the window: sends requests the way the window's signals do.
class Requests : public QObject
{
    Q_OBJECT
signals:
    void newFileToLoad(const QString& path, bool withParts, ObjectLoader::LoadFileValueType type);
    void addFileToLoad(const QString& path, bool withParts, const QModelIndex& parent, ObjectLoader::LoadFileValueType type);
    void readPMI(bool);
    void readEdge(bool);
    void optimise(bool);
};

namespace {

// What came back, in arrival order, on the test's thread.
struct Events {
    QStringList names;
    std::vector<osg::ref_ptr<osg::Node>> roots;
    QStringList texts;
    std::vector<osg::ref_ptr<osg::Node>> views;
    QStringList failures;
    bool progressShown = false;
};

class LoaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previousFolder = QDir::currentPath();
        loader = new ObjectLoader;
        loader->moveToThread(ThreadPool::getInstance()->getThread());
        const auto q = Qt::AutoConnection;
        QObject::connect(&requests, SIGNAL(newFileToLoad(QString, bool, ObjectLoader::LoadFileValueType)), loader,
                         SLOT(newObjectToLoad(QString, bool, ObjectLoader::LoadFileValueType)), q);
        QObject::connect(&requests, SIGNAL(addFileToLoad(QString, bool, QModelIndex, ObjectLoader::LoadFileValueType)), loader,
                         SLOT(newObjectToLoadWithIndex(QString, bool, QModelIndex, ObjectLoader::LoadFileValueType)), q);
        QObject::connect(&requests, SIGNAL(readPMI(bool)), loader, SLOT(readPMIConfig(bool)), q);
        QObject::connect(&requests, SIGNAL(readEdge(bool)), loader, SLOT(readEdgeConfig(bool)), q);
        QObject::connect(&requests, SIGNAL(optimise(bool)), loader, SLOT(setOptimization(bool)), q);

        QObject* ctx = &receiver;
        QObject::connect(loader, &ObjectLoader::loadFileFinish, ctx, [this] { events.names << "finish"; });
        QObject::connect(loader, &ObjectLoader::ProgressShown, ctx, [this](bool) { events.progressShown = true; });
        QObject::connect(loader, &ObjectLoader::newObjectToView, ctx, [this](LoadedModel model) {
            events.names << "model";
            events.roots.push_back(model.root);
            events.texts << model.note << model.section << model.measure << model.animation;
            events.views.insert(events.views.end(), model.views.begin(), model.views.end());
        });
        QObject::connect(loader, &ObjectLoader::newObjectToMain, ctx, [this](osg::ref_ptr<osg::Node> root, QModelIndex index) {
            events.names << (index.isValid() ? "main(valid)" : "main");
            events.roots.push_back(root);
        });
        QObject::connect(loader, &ObjectLoader::saveFileFinish, ctx, [this] { events.names << "saved"; });
        QObject::connect(loader, &ObjectLoader::saveFileFailed, ctx, [this](QString, QString reason) {
            events.names << "failed";
            events.failures << reason;
        });
    }

    void TearDown() override
    {
        // Back to this thread first: deleting a loader that lives on a running thread ends that thread.
        QThread* here = QThread::currentThread();
        ObjectLoader* l = loader;
        QMetaObject::invokeMethod(loader, [l, here] { l->moveToThread(here); }, Qt::BlockingQueuedConnection);
        delete loader;
        EXPECT_EQ(QDir::currentPath(), previousFolder) << "no request moves the process to another folder";
    }

    // Waits until the loader has run everything sent so far and its results have arrived here.
    void settle()
    {
        QMetaObject::invokeMethod(loader, [] {}, Qt::BlockingQueuedConnection);
        QCoreApplication::processEvents();
    }

    void load(const std::string& path, ObjectLoader::LoadFileValueType type = ObjectLoader::FilePath, bool origin = true)
    {
        emit requests.newFileToLoad(QString::fromStdString(path), origin, type);
        settle();
    }

    void clearLoader()
    {
        loader->clear(); // from this thread: queued behind whatever the loader is doing
        settle();
        events = Events();
    }

    dazo_test::ScratchDir dir;
    QString previousFolder;
    ObjectLoader* loader = nullptr;
    Requests requests;
    QObject receiver;
    Events events;
};

// A read's whole result, then its end.
const QStringList ReadSignals = {"model", "finish"};

} // namespace

TEST_F(LoaderTest, ReadsOnlyWhatItsExtensionPromises)
{
    ASSERT_TRUE(writeSmallAssembly(dir.file("model.DAZO")));
    ASSERT_EQ(std::system(("cp '" + dir.file("model.DAZO") + "' '" + dir.file("model.liteprt") + "'").c_str()), 0);
    ASSERT_EQ(std::system(("cp '" + dir.file("model.DAZO") + "' '" + dir.file("model.obj") + "'").c_str()), 0);
    const std::string bom = R"({"bom":{"name":"B","path":")" + dir.file("model.liteprt") + R"("}})";
    dazo_test::writeFile(dir.file("bom.JSON"), bom);

    struct Case {
        std::string source;
        ObjectLoader::LoadFileValueType type;
        bool reads;
    };
    const Case cases[] = {
        {dir.file("model.DAZO"), ObjectLoader::FilePath, true},
        {dir.file("model.liteprt"), ObjectLoader::FilePath, true},
        {dir.file("model.obj"), ObjectLoader::FilePath, false},
        {dir.file("bom.JSON"), ObjectLoader::JSONBOM, true},
        {dir.file("model.DAZO"), ObjectLoader::JSONBOM, false},
        {bom, ObjectLoader::OCXJSONBOM, true},
        {"{not json", ObjectLoader::OCXJSONBOM, false},
    };
    for (const Case& c : cases) {
        clearLoader();
        load(c.source, c.type);
        // The results come before the read's end, also when nothing was read.
        EXPECT_EQ(events.names, ReadSignals) << c.source;
        ASSERT_EQ(events.roots.size(), 1u);
        EXPECT_EQ(events.roots[0].valid(), c.reads) << c.source;
    }
    EXPECT_EQ(loader->getFilePath(), QString::fromStdString("{not json"));
}

TEST_F(LoaderTest, HandsOverDocumentsThenOneViewPerSavedViewObject)
{
    Vantor::DazoLayout::ProgramDocuments docs;
    docs.note = R"({"n":1})";
    docs.section = R"({"s":1})";
    docs.measure = R"({"m":1})";
    docs.animation = R"({"a":1})";
    docs.view = R"({"userview_list":[{"ViewID":1},{"ViewID":2},7,{"ViewID":3}]})";
    ASSERT_TRUE(writeSmallAssembly(dir.file("docs.dazo"), docs));
    ASSERT_TRUE(writeSmallAssembly(dir.file("plain.dazo")));

    load(dir.file("docs.dazo"));
    EXPECT_EQ(events.names, ReadSignals);
    EXPECT_TRUE(events.progressShown);
    EXPECT_EQ(events.texts, (QStringList{R"({"n":1})", R"({"s":1})", R"({"m":1})", R"({"a":1})"}));
    ASSERT_EQ(events.views.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        auto* view = dynamic_cast<Vantor::UserView*>(events.views[i].get());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->getViewID(), i + 1);
    }

    // Each load's result is its own: a file without documents gives none, cleared or not.
    events = Events();
    load(dir.file("plain.dazo"));
    EXPECT_EQ(events.names, ReadSignals);
    EXPECT_EQ(events.texts, (QStringList{"", "", "", ""}));
    EXPECT_TRUE(events.views.empty());
}

TEST_F(LoaderTest, AddedModelGoesToTheMainWindowOnly)
{
    ASSERT_TRUE(writeSmallAssembly(dir.file("part.dazo")));
    emit requests.addFileToLoad(QString::fromStdString(dir.file("part.dazo")), false, QModelIndex(), ObjectLoader::FilePath);
    settle();
    EXPECT_EQ(events.names, (QStringList{"main", "finish"}));
    ASSERT_EQ(events.roots.size(), 1u);
    EXPECT_TRUE(events.roots[0].valid());
}

TEST_F(LoaderTest, ReaderOptionsOutliveClearButOptimisationDoesNot)
{
    ASSERT_TRUE(writeSmallAssembly(dir.file("small.dazo")));
    emit requests.readEdge(true);
    emit requests.readPMI(true);
    emit requests.optimise(true);
    settle();
    EXPECT_TRUE(loader->getOptimization());
    clearLoader();
    EXPECT_FALSE(loader->getOptimization());
    EXPECT_EQ(loader->getConfig()->readPMI, 1);
    EXPECT_EQ(loader->getConfig()->readEdge, 1);
    EXPECT_EQ(loader->getConfig()->mergeFace, 0);
    load(dir.file("small.dazo"));
    ASSERT_EQ(events.roots.size(), 1u);
    SceneCount count;
    events.roots[0]->accept(count);
    EXPECT_EQ(count.edges, 12u);
}

// In embedded mode loads run on the window's thread while the option slots run on the loader's:
// each load takes the options as they stand when it starts (ThreadSanitizer reported the options
// read by the one and written by the other without a lock).
TEST_F(LoaderTest, OptionsSetOnTheLoaderThreadReachLoadsOnTheWindowThread)
{
    ASSERT_TRUE(writeSmallAssembly(dir.file("small.dazo")));
    const QString path = QString::fromStdString(dir.file("small.dazo"));
    for (int i = 0; i < 20; ++i) {
        emit requests.readEdge(i % 2 == 0);
        emit requests.readPMI(i % 3 == 0);
        emit requests.optimise(i % 2 == 1);
        loader->newObjectToLoad(path); // direct, as the embedded window calls it
    }
    settle();
    emit requests.readEdge(true);
    emit requests.optimise(false);
    settle();
    events = Events();
    loader->newObjectToLoad(path);
    QCoreApplication::processEvents();
    ASSERT_EQ(events.roots.size(), 1u);
    SceneCount count;
    events.roots[0]->accept(count);
    EXPECT_EQ(count.edges, 12u);
}

TEST_F(LoaderTest, ResultsStayValidWhateverTheLoaderDoesNext)
{
    ASSERT_TRUE(writeSmallAssembly(dir.file("a.dazo")));
    // Three loads and a clear run before this thread looks at any result.
    for (int i = 0; i < 3; ++i)
        emit requests.newFileToLoad(QString::fromStdString(dir.file("a.dazo")), true, ObjectLoader::FilePath);
    QMetaObject::invokeMethod(loader, "clear", Qt::QueuedConnection);
    QMetaObject::invokeMethod(loader, [] {}, Qt::BlockingQueuedConnection);
    QCoreApplication::processEvents();
    ASSERT_EQ(events.roots.size(), 3u);
    for (const auto& root : events.roots) {
        ASSERT_TRUE(root.valid());
        EXPECT_EQ(root->getName(), "Top");
        SceneCount count;
        root->accept(count);
        EXPECT_EQ(count.triangles, 9u);
    }
    EXPECT_NE(events.roots[0].get(), events.roots[1].get());
}

TEST_F(LoaderTest, SaveSaysWhetherTheFileWasWritten)
{
    ASSERT_TRUE(writeSmallAssembly(dir.file("small.dazo")));
    const std::string before = dazo_test::readFile(dir.file("small.dazo"));
    load(dir.file("small.dazo"));
    ASSERT_EQ(events.roots.size(), 1u);
    osg::ref_ptr<osg::Node> scene = events.roots[0];
    ASSERT_EQ(std::system(("mkdir '" + dir.file("folder.dazo") + "'").c_str()), 0);
    const std::map<std::string, std::string> documents = {
        {"note", R"({"n":2})"}, {"view", R"({"userview_list":[]})"}, {"section", R"({"s":2})"},
        {"measure", R"({"m":2})"}, {"animation", R"({"a":2,"c":[52.083335876464847,0.19279051311840809]})"},
        {"broken", "{"}};

    auto save = [&](const std::string& path) {
        events = Events();
        QMetaObject::invokeMethod(loader, [&, path] { loader->saveModel(QString::fromStdString(path), scene, nullptr, documents); },
                                  Qt::QueuedConnection);
        settle();
    };
    save(dir.file("copy.txt"));
    EXPECT_EQ(events.names, (QStringList{"finish", "failed"}));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.file("copy.txt"))));
    save(dir.file("folder.dazo"));
    EXPECT_EQ(events.names, (QStringList{"finish", "failed"}));
    EXPECT_FALSE(events.failures.value(0).isEmpty());

    save(dir.file("copy.LITEPRT"));
    EXPECT_EQ(events.names, (QStringList{"finish", "saved"}));
    auto written = members(dir.file("copy.LITEPRT"));
    EXPECT_EQ(written["note"], R"({"n":2})");
    EXPECT_EQ(written["view"], R"({"userview_list":[]})");
    EXPECT_EQ(written["section"], R"({"s":2})");
    EXPECT_EQ(written["measure"], R"({"m":2})");
    // Numbers keep every bit (read without full precision, the first moved by one unit in the last place).
    EXPECT_EQ(written["animation"], R"({"a":2,"c":[52.083335876464847,0.19279051311840809]})");

    EXPECT_TRUE(dazo_test::readFile(dir.file("small.dazo")) == before);
}


// The worker writes the values it was handed when the save was asked for; a change of the managers
// after that, before or while the worker runs, is not in the file.
TEST_F(LoaderTest, SavesTheValuesTakenWhenTheSaveWasAsked)
{
    ASSERT_TRUE(writeSmallAssembly(dir.file("small.dazo")));
    load(dir.file("small.dazo"));
    ASSERT_EQ(events.roots.size(), 1u);
    auto* model = static_cast<Vantor::Model*>(events.roots[0].get());
    SceneModel scene;
    scene.setModel(model);
    model->setMatrix(osg::Matrixd::translate(5, 0, 0)); // moved in the view after it was set
    osg::ref_ptr<Vantor::Note> note = new Vantor::Note;
    note->setText("asked");
    scene.getNoteManager()->InsertNotations(note.get(), -1);
    const DocumentTexts asked = ObjectLoader::documentsOf(&scene);

    // The loader's thread is held, so the save surely runs after the edits below.
    QSemaphore gate;
    QMetaObject::invokeMethod(loader, [&gate] { gate.acquire(); }, Qt::QueuedConnection);
    events = Events();
    const QString target = QString::fromStdString(dir.file("saved.dazo"));
    const ModelSaveRequest request = ObjectLoader::saveRequest(&scene, asked);
    QMetaObject::invokeMethod(loader, "saveDocument", Qt::QueuedConnection, Q_ARG(QString, target),
                              Q_ARG(ModelSaveRequest, request));
    note->setText("changed after the save was asked");
    osg::ref_ptr<Vantor::Note> late = new Vantor::Note;
    late->setText("added after the save was asked");
    scene.getNoteManager()->InsertNotations(late.get(), -1);
    gate.release();
    settle();
    EXPECT_EQ(events.names, (QStringList{"finish", "saved"}));

    auto written = members(dir.file("saved.dazo"));
    for (const char* name : {"note", "section", "view", "measure"})
        EXPECT_EQ(written[name], asked.at(name)) << name;
    EXPECT_NE(written["note"], ObjectLoader::documentsOf(&scene).at("note"));
    // The file has the placement the model had when it was set; the scene keeps the user's.
    DazoReaderWriter reader;
    osg::ref_ptr<osg::Node> back = reader.readNode(dir.file("saved.dazo"));
    ASSERT_TRUE(back.valid());
    EXPECT_EQ(static_cast<Vantor::Model*>(back.get())->getMatrix().getTrans(), osg::Vec3d(0, 0, 0));
    EXPECT_EQ(model->getMatrix().getTrans(), osg::Vec3d(5, 0, 0));
    EXPECT_EQ(back->getName(), "Top");
    scene.setModel(nullptr);
}

// The panel's groups and collaboration attributes of each kind of annotation come back with the model.
TEST_F(LoaderTest, AnnotationGroupsAndAttributesSurviveSaveAndReopen)
{
    using Groups = std::map<int, std::string>;
    using Attributes = std::map<std::string, std::string>;
    struct Row
    {
        const char* kind;
        Groups groups;
        Attributes attributes;
    };
    const Row rows[] = {
        {"note", {{1, "评审组"}, {4, "B"}},
         {{"Time", "2026-12-01 09:30"}, {"Creater", "张三"}, {"Searcher", "李四"}, {"State", "修改中"}}},
        {"note", {}, {}},
        {"point note", {{-2, ""}}, {{"Other tool", "a \"quoted\"\\ line\nnext"}, {"State", "未修改"}}},
        {"measure", {{2, "尺寸"}}, {{"Time", "t"}, {"Creater", ""}, {"Extra", "x"}}},
        {"volume measure", {{2, "尺寸"}, {2147483647, "last"}}, {{"State", "已修改"}}},
        {"section", {{7, "剖面 1"}}, {{"Searcher", "王五"}, {"State", "已修改"}}},
    };

    Vantor::DazoLayout::ProgramDocuments none;
    ASSERT_TRUE(writeSmallAssembly(dir.file("small.dazo"), none));
    load(dir.file("small.dazo"));
    ASSERT_EQ(events.roots.size(), 1u);
    SceneModel scene;
    scene.setModel(static_cast<Vantor::Model*>(events.roots[0].get()));
    std::vector<uint64_t> ids;
    for (const Row& row : rows) {
        osg::ref_ptr<osg::Node> node;
        const std::string kind = row.kind;
        Vantor::AnnotationInfo* info = nullptr;
        if (kind == "note" || kind == "point note") {
            osg::ref_ptr<Vantor::Note> note = kind == "note" ? new Vantor::Note : new Vantor::PointNote;
            info = note.get();
            scene.getNoteManager()->InsertNotations(note, -1);
            node = note;
        } else if (kind == "measure" || kind == "volume measure") {
            osg::ref_ptr<Vantor::Measure> measure = kind == "measure" ? new Vantor::Measure : new Vantor::VolumeMeasure;
            info = measure.get();
            scene.getMeasureManager()->InsertMeasure(measure, -1);
            node = measure;
        } else {
            osg::ref_ptr<Vantor::Section> section = new Vantor::Section;
            info = section.get();
            scene.getSectionManager()->InsertSection(section, -1);
            node = section;
        }
        for (const auto& g : row.groups)
            info->setGroup(g.first, g.second);
        info->CoordinationUserData(row.attributes);
        ids.push_back(info->getId());
    }

    events = Events();
    const QString target = QString::fromStdString(dir.file("groups.dazo"));
    QMetaObject::invokeMethod(loader, "saveDocument", Qt::QueuedConnection, Q_ARG(QString, target),
                              Q_ARG(ModelSaveRequest, ObjectLoader::saveRequest(&scene, ObjectLoader::documentsOf(&scene))));
    settle();
    ASSERT_EQ(events.names, (QStringList{"finish", "saved"}));
    scene.setModel(nullptr);

    clearLoader();
    load(dir.file("groups.dazo"));
    // The documents go to fresh managers the way the main window hands them over.
    ASSERT_EQ(events.texts.size(), 4);
    std::map<QString, std::string> texts;
    int t = 0;
    for (const char* name : {"note", "section", "measure", "animation"})
        texts[name] = events.texts.value(t++).toStdString();
    osg::ref_ptr<Vantor::NoteManager> notes = new Vantor::NoteManager;
    osg::ref_ptr<Vantor::MeasureManager> measures = new Vantor::MeasureManager;
    osg::ref_ptr<Vantor::SectionManager> sections = new Vantor::SectionManager;
    ASSERT_TRUE(notes->fromJson(texts["note"]));
    ASSERT_TRUE(measures->fromJson(texts["measure"]));
    ASSERT_TRUE(sections->fromJson(texts["section"]));
    EXPECT_EQ(notes->getNumChildren() + measures->getNumChildren() + sections->getNumChildren(), std::size(rows));

    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const std::string kind = row.kind;
        SCOPED_TRACE(kind + " " + std::to_string(i));
        osg::ref_ptr<osg::Node> back;
        if (kind == "note" || kind == "point note")
            back = notes->getNoteById(ids[i]);
        else if (kind == "measure" || kind == "volume measure")
            back = measures->getMeasureById(ids[i]);
        else
            back = sections->getNodeById(ids[i]);
        ASSERT_TRUE(back.valid());
        auto* info = dynamic_cast<Vantor::AnnotationInfo*>(back.get());
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->getGroup(), row.groups);
        EXPECT_EQ(info->CoordinationUserData(), row.attributes);
        EXPECT_EQ(kind == "point note", dynamic_cast<Vantor::PointNote*>(back.get()) != nullptr);
        EXPECT_EQ(kind == "volume measure", dynamic_cast<Vantor::VolumeMeasure*>(back.get()) != nullptr);
    }
}

TEST_F(LoaderTest, LoadsFromAFolderWithAChineseName)
{
    const std::string folder = dir.file("模型 文件夹");
    ASSERT_EQ(std::system(("mkdir '" + folder + "'").c_str()), 0);
    ASSERT_TRUE(writeSmallAssembly(folder + "/装配.dazo"));
    load(folder + "/装配.dazo");
    ASSERT_EQ(events.roots.size(), 1u);
    EXPECT_TRUE(events.roots[0].valid());
    EXPECT_EQ(QDir::currentPath(), previousFolder); // the process stays where it was started
}

// A relative path of a bill of materials is never taken from the folder of the last opened model: inside
// a bill file it is taken from the bill's folder; a bill given as text has no folder to take it from and
// is refused; a bill file named by a relative path is taken from the working directory, which no load
// moves.
TEST_F(LoaderTest, RelativeBillOfMaterialsPathsDoNotFollowTheLastModel)
{
    ASSERT_EQ(std::system(("mkdir '" + dir.file("a") + "' '" + dir.file("b") + "'").c_str()), 0);
    ASSERT_TRUE(writeSmallAssembly(dir.file("a/part.dazo")));
    ASSERT_TRUE(writeSmallAssembly(dir.file("b/model.dazo")));
    dazo_test::writeFile(dir.file("a/bom.json"), R"({"bom":{"name":"FromFile","path":"part.dazo"}})");
    dazo_test::writeFile(dir.file("b/bom.json"), R"({"bom":{"name":"FromFile","path":"model.dazo"}})");

    struct Case {
        const char* name;
        std::string lastModel; // opened before; its folder holds a bill of the relative name
        std::string source;
        ObjectLoader::LoadFileValueType type;
        bool reads;
    };
    const Case cases[] = {
        {"text naming a part relatively", dir.file("a/part.dazo"), R"({"bom":{"name":"T","path":"part.dazo"}})",
         ObjectLoader::OCXJSONBOM, false},
        {"text naming a part by its whole path", dir.file("b/model.dazo"),
         R"({"bom":{"name":"T","path":")" + dir.file("a/part.dazo") + R"("}})", ObjectLoader::OCXJSONBOM, true},
        {"bill file named relatively", dir.file("a/part.dazo"), "bom.json", ObjectLoader::JSONBOM, false},
        {"bill file naming its part relatively", dir.file("b/model.dazo"), dir.file("a/bom.json"), ObjectLoader::JSONBOM,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clearLoader();
        load(c.lastModel);
        ASSERT_EQ(events.roots.size(), 1u);
        ASSERT_TRUE(events.roots[0].valid());
        events = Events();
        load(c.source, c.type);
        ASSERT_EQ(events.roots.size(), 1u);
        EXPECT_EQ(events.roots[0].valid(), c.reads);
    }
}

TEST_F(LoaderTest, DeeplyNestedViewDocumentGivesNoViews)
{
    Vantor::DazoLayout::ProgramDocuments docs;
    docs.view = std::string(400000, '[') + std::string(400000, ']');
    ASSERT_TRUE(writeSmallAssembly(dir.file("deep.dazo"), docs));
    load(dir.file("deep.dazo"));
    EXPECT_EQ(events.names, ReadSignals);
    EXPECT_TRUE(events.views.empty());
}

TEST(ObjectLoader, RegistersWhatItsQueuedSignalsCarryAndAnswersAsReaderListener)
{
    ObjectLoader loader;
    for (const char* type : {"osg::ref_ptr<osg::Node>", "ObjectLoader::LoadFileValueType", "QModelIndex", "LoadedModel",
                             "ModelSaveRequest"})
        EXPECT_NE(QMetaType::type(type), 0) << type;
    EXPECT_NE(loader.qt_metacast("ReaderListener"), nullptr);
    EXPECT_EQ(static_cast<ReaderListener*>(&loader), loader.qt_metacast("ReaderListener"));
}

TEST(ObjectLoader, DeletingTheLoaderWaitsForItsRunningRequest)
{
    dazo_test::ScratchDir dir;
    ASSERT_TRUE(writeSmallAssembly(dir.file("small.dazo")));
    QThread thread;
    thread.start();
    auto* loader = new ObjectLoader;
    loader->moveToThread(&thread);
    std::atomic<int> finished{0};
    QObject::connect(loader, &ObjectLoader::loadFileFinish, loader, [&] { ++finished; }, Qt::DirectConnection);

    // Hold the loader's thread, so the loads below are surely still queued when the loader goes.
    QSemaphore gate;
    std::atomic<bool> holding{false};
    QObject blocker;
    blocker.moveToThread(&thread);
    QMetaObject::invokeMethod(&blocker, [&] { holding = true; gate.acquire(); }, Qt::QueuedConnection);
    for (int i = 0; i < 50; ++i)
        QMetaObject::invokeMethod(loader, "newObjectToLoad", Qt::QueuedConnection,
                                  Q_ARG(QString, QString::fromStdString(dir.file("small.dazo"))), Q_ARG(bool, true),
                                  Q_ARG(ObjectLoader::LoadFileValueType, ObjectLoader::FilePath));
    ASSERT_TRUE(QTest::qWaitFor([&] { return holding.load(); }, 5000));
    std::thread opener([&] {
        (void)QTest::qWaitFor([&] { return loader->isStopping(); }, 20000);
        gate.release();
    });
    delete loader; // waits for the held thread, then skips every queued load
    opener.join();
    EXPECT_FALSE(thread.isRunning());
    EXPECT_EQ(finished.load(), 0);
}

#include "test_object_loader.moc"
