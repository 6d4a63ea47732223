// Note, measure and section managers: change notifications, visibility, look-up, JSON documents.
#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "vantor/annotation/JsonUtil.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QFile>
#include <functional>
#include <osgText/Text>

using namespace Vantor;

namespace {

// One listener for every kind; remembers how often and with what it was called.
struct Counter : NoteManagerChangedListener, MeasureManagerChangedListener, SectionManagerChangedListener
{
    int calls = 0;
    const void* lastManager = nullptr;
    const void* lastItem = nullptr;
    void hit(const void* m, const void* i)
    {
        ++calls;
        lastManager = m;
        lastItem = i;
    }
    void onNoteChanged(NoteManager* m, Note* n) override { hit(m, n); }
    void onMeasureChanged(MeasureManager* m, Measure* x) override { hit(m, x); }
    void onSectionChanged(SectionManager* m, Section* s) override { hit(m, s); }
};

struct NoteKind
{
    using Manager = NoteManager;
    using Item = Note;
    static osg::ref_ptr<Item> make() { return new Note; }
    static void listen(Manager& m, const std::shared_ptr<Counter>& c) { m.AddNoteListener(c); }
    static void unlisten(Manager& m, const std::shared_ptr<Counter>& c) { m.RemoveNoteListener(c); }
    static bool insert(Manager& m, Item* i, int pos) { return m.InsertNotations(i, pos); }
    static bool removeId(Manager& m, uint64_t id) { return m.RemoveNotationsByID(id); }
    static void clear(Manager& m) { m.ClearAllNotation(); }
    static void notify(Manager& m, Item* i) { m.NotifyNoteChanged(i); }
    static void show(Manager& m, const osg::ref_ptr<Item>& i) { m.ShowNote(i); }
    static void hide(Manager& m, const osg::ref_ptr<Item>& i) { m.HideNote(i); }
    static void hideAll(Manager& m) { m.HideAllNote(); }
    static osg::ref_ptr<Item> byId(Manager& m, uint64_t id) { return m.getNoteById(id); }
    static bool read(Manager& m, const std::string& t) { return m.fromJson(t); }
    static rapidjson::Document write(Manager& m) { return m.toJson(false); }
    static const char* listKey() { return "note_list"; }
};

struct MeasureKind
{
    using Manager = MeasureManager;
    using Item = Measure;
    static osg::ref_ptr<Item> make() { return new Measure; }
    static void listen(Manager& m, const std::shared_ptr<Counter>& c) { m.AddMeasureListener(c); }
    static void unlisten(Manager& m, const std::shared_ptr<Counter>& c) { m.RemoveMeasureListener(c); }
    static bool insert(Manager& m, Item* i, int pos) { return m.InsertMeasure(i, pos); }
    static bool removeId(Manager& m, uint64_t id) { return m.RemoveMeasureByID(id); }
    static void clear(Manager& m) { m.ClearAllMasure(); }
    static void notify(Manager& m, Item* i) { m.NotifyMeasureChanged(i); }
    static void show(Manager& m, const osg::ref_ptr<Item>& i) { m.ShowMeasure(i); }
    static void hide(Manager& m, const osg::ref_ptr<Item>& i) { m.HideMeasure(i); }
    static void hideAll(Manager& m) { m.HideAllMeasure(); }
    static osg::ref_ptr<Item> byId(Manager& m, uint64_t id) { return m.getMeasureById(id); }
    static bool read(Manager& m, const std::string& t) { return m.fromJson(t); }
    static rapidjson::Document write(Manager& m) { return m.toJson(); }
    static const char* listKey() { return "measure_list"; }
};

struct SectionKind
{
    using Manager = SectionManager;
    using Item = Section;
    static osg::ref_ptr<Item> make() { return new Section; }
    static void listen(Manager& m, const std::shared_ptr<Counter>& c) { m.AddSectionListener(c); }
    static void unlisten(Manager& m, const std::shared_ptr<Counter>& c) { m.RemoveSectionListener(c); }
    static bool insert(Manager& m, Item* i, int pos) { return m.InsertSection(i, pos); }
    static bool removeId(Manager& m, uint64_t id) { return m.RemoveSectionByID(id); }
    static void clear(Manager& m) { m.ClearAllSection(); }
    static void notify(Manager& m, Item* i) { m.NotifySectionChanged(i); }
    static void show(Manager& m, const osg::ref_ptr<Item>& i) { m.OpenSection(i); }
    static void hide(Manager& m, const osg::ref_ptr<Item>& i) { m.CloseSection(i); }
    static void hideAll(Manager& m)
    {
        for (auto& s : m.GetAllSection())
            m.CloseSection(s);
    }
    static osg::ref_ptr<Item> byId(Manager& m, uint64_t id) { return m.getNodeById(id); }
    static bool read(Manager& m, const std::string& t) { return m.fromJson(t); }
    static rapidjson::Document write(Manager& m) { return m.toJson(false); }
    static const char* listKey() { return "section_list"; }
};

std::string text(const rapidjson::Value& v)
{
    return JsonUtil::toPrettyText(v);
}

template <class K>
class ManagerTest : public ::testing::Test
{
protected:
    osg::ref_ptr<typename K::Manager> manager = new typename K::Manager;
    std::shared_ptr<Counter> counter = std::make_shared<Counter>();
};

using Kinds = ::testing::Types<NoteKind, MeasureKind, SectionKind>;
TYPED_TEST_SUITE(ManagerTest, Kinds);

} // namespace

TYPED_TEST(ManagerTest, ListenersAreToldOncePerChangeOfContentOnly)
{
    using K = TypeParam;
    auto& m = *this->manager;
    auto a = K::make(), b = K::make(), c = K::make();
    K::listen(m, this->counter);
    K::listen(m, this->counter); // registering twice still calls once
    const uint64_t unknown = a->getId() + b->getId() + c->getId();

    struct Step
    {
        const char* what;
        std::function<void()> run;
        int calls;
    };
    const std::vector<Step> steps = {
        {"insert", [&] { EXPECT_TRUE(K::insert(m, a.get(), -1)); }, 1},
        {"insert at 0", [&] { EXPECT_TRUE(K::insert(m, b.get(), 0)); }, 1},
        {"insert past the end", [&] { EXPECT_TRUE(K::insert(m, c.get(), 99)); }, 1},
        {"insert again", [&] { EXPECT_FALSE(K::insert(m, a.get(), 0)); }, 0},
        {"insert null", [&] { EXPECT_FALSE(K::insert(m, nullptr, 0)); }, 0},
        {"show", [&] { K::show(m, a); }, 0},
        {"hide", [&] { K::hide(m, a); }, 0},
        {"hide all", [&] { K::hideAll(m); }, 0},
        {"show null", [&] { K::show(m, nullptr); }, 0},
        {"notify", [&] { K::notify(m, b.get()); }, 1},
        {"notify null", [&] { K::notify(m, nullptr); }, 1},
        {"remove unknown id", [&] { EXPECT_FALSE(K::removeId(m, unknown)); }, 0},
        {"remove", [&] { EXPECT_TRUE(K::removeId(m, a->getId())); }, 1},
        {"read broken text", [&] { EXPECT_FALSE(K::read(m, "{\"x\":")); }, 0},
        {"clear", [&] { K::clear(m); }, 1},
        {"clear empty", [&] { K::clear(m); }, 0},
    };
    for (const auto& step : steps) {
        const int before = this->counter->calls;
        step.run();
        EXPECT_EQ(this->counter->calls - before, step.calls) << step.what;
    }
    EXPECT_EQ(this->counter->lastManager, this->manager.get());

    K::unlisten(m, this->counter);
    K::insert(m, a.get(), 0);
    EXPECT_EQ(this->counter->calls, 7);
}

TYPED_TEST(ManagerTest, OrderLookUpAndVisibility)
{
    using K = TypeParam;
    auto& m = *this->manager;
    auto a = K::make(), b = K::make(), c = K::make();
    K::insert(m, a.get(), -1);
    K::insert(m, c.get(), -1);
    K::insert(m, b.get(), 1);
    ASSERT_EQ(m.getNumChildren(), 3u);
    EXPECT_EQ(m.getChild(0), a.get());
    EXPECT_EQ(m.getChild(1), b.get());
    EXPECT_EQ(m.getChild(2), c.get());
    EXPECT_EQ(K::byId(m, b->getId()), b);
    EXPECT_EQ(K::byId(m, 0), nullptr);

    K::show(m, b);
    EXPECT_EQ(b->getNodeMask(), 0xFFFFFFFFu);
    K::hide(m, b);
    EXPECT_EQ(b->getNodeMask(), 0u);

    // An item of another manager is not touched.
    osg::ref_ptr<typename K::Manager> other = new typename K::Manager;
    auto foreign = K::make();
    K::insert(*other, foreign.get(), 0);
    const auto mask = foreign->getNodeMask();
    K::hide(m, foreign);
    K::show(m, foreign);
    EXPECT_EQ(foreign->getNodeMask(), mask);
    EXPECT_FALSE(K::removeId(m, foreign->getId()));
}

TYPED_TEST(ManagerTest, GroupsAndAttributesSurviveJson)
{
    using K = TypeParam;
    auto& m = *this->manager;
    auto a = K::make();
    a->setName("零件 A");
    a->setGroup(3, "评审组");
    a->setGroup(5, "B");
    a->CoordinationUserData({{"Time", "2024-01-02"}, {"State", "已修改"}, {"Extra", "x"}});
    a->setId((uint64_t(1) << 60) + 7); // above 2^53: must not pass through a double
    K::insert(m, a.get(), 0);
    auto b = K::make();
    K::insert(m, b.get(), 1);

    const std::string written = text(K::write(m));
    osg::ref_ptr<typename K::Manager> copy = new typename K::Manager;
    K::listen(*copy, this->counter);
    ASSERT_TRUE(K::read(*copy, written));
    EXPECT_EQ(this->counter->calls, 1);
    ASSERT_EQ(copy->getNumChildren(), 2u);
    auto* a2 = dynamic_cast<typename K::Item*>(copy->getChild(0));
    ASSERT_NE(a2, nullptr);
    EXPECT_EQ(a2->getId(), a->getId());
    EXPECT_EQ(a2->getName(), "零件 A");
    EXPECT_EQ(a2->getGroup(), a->getGroup());
    EXPECT_EQ(a2->CoordinationUserData(), a->CoordinationUserData());
    EXPECT_EQ(text(K::write(*copy)), written);

    // Reading adds after what is there.
    ASSERT_TRUE(K::read(*copy, written));
    EXPECT_EQ(copy->getNumChildren(), 4u);
}

TYPED_TEST(ManagerTest, DamagedDocumentsChangeNothing)
{
    using K = TypeParam;
    auto& m = *this->manager;
    K::insert(m, K::make().get(), 0);
    K::listen(m, this->counter);
    const std::string key = K::listKey();
    const std::vector<std::string> bads = {"", "{", "[]", "null", "{\"" + key + "\": 5}", "{\"other\": []}",
                                           "{\"" + key + "\": [1, 2,]}",
                                           // deep enough to exhaust the stack of a recursive parser
                                           "{\"" + key + "\": " + std::string(200000, '[')};
    for (const std::string& bad : bads) {
        EXPECT_FALSE(K::read(m, bad)) << bad.substr(0, 40);
    }
    EXPECT_EQ(m.getNumChildren(), 1u);
    EXPECT_EQ(this->counter->calls, 0);

    // Entries that are not objects are skipped, members of the wrong kind read as absent.
    const std::string mixed = "{\"" + key +
                              "\": [7, \"x\", {\"Id\": \"12\", \"Name\": 3, \"Groups\": [{\"Number\": \"1\"}, 4],"
                              " \"Coordination\": [], \"Points\": [[1, 2]], \"Plane\": [0, 0, 0, 0],"
                              " \"Visible\": \"no\"}, {\"Id\": 42, \"Name\": \"ok\"}]}";
    EXPECT_TRUE(K::read(m, mixed));
    EXPECT_EQ(this->counter->calls, 1);
    ASSERT_EQ(m.getNumChildren(), 3u);
    auto* odd = dynamic_cast<typename K::Item*>(m.getChild(1));
    ASSERT_NE(odd, nullptr);
    EXPECT_NE(odd->getId(), 12u);
    EXPECT_TRUE(odd->getGroup().empty());
    EXPECT_EQ(K::byId(m, 42)->getName(), "ok");
}

TEST(Notes, KindsClassNamesAndJson)
{
    struct Case
    {
        osg::ref_ptr<Note> note;
        const char* className;
        const char* type;
        bool is3D;
    };
    osg::ref_ptr<Note3D> shape = new Note3D;
    shape->setShape(Note3D::Ellipse);
    shape->setPoints({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    const std::vector<Case> cases = {
        {new Note, "Note", "Note", false},
        {new SNote, "Note", "SNote", false},
        {new PointNote, "PointNote", "PointNote", false},
        {shape, "3DNote", "3DNote", true},
    };
    osg::ref_ptr<NoteManager> m = new NoteManager;
    for (const auto& c : cases) {
        EXPECT_STREQ(c.note->className(), c.className);
        EXPECT_EQ(c.note->is3DNote(), c.is3D);
        c.note->setText("text of " + std::string(c.type));
        c.note->setAnchor({1, 2, 3});
        c.note->setTextPosition({4, 5, 6.25});
        m->InsertNotations(c.note, -1);
    }
    m->HideNote(cases[1].note);

    osg::ref_ptr<NoteManager> back = new NoteManager;
    ASSERT_TRUE(back->fromJson(text(m->toJson(false))));
    ASSERT_EQ(back->getNumChildren(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        auto* n = dynamic_cast<Note*>(back->getChild(i));
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->typeName(), cases[i].type);
        EXPECT_EQ(n->getText(), cases[i].note->getText());
        EXPECT_EQ(n->getTextPosition(), osg::Vec3d(4, 5, 6.25));
        EXPECT_EQ(n->getNodeMask(), i == 1 ? 0u : 0xFFFFFFFFu);
    }
    auto* shape2 = dynamic_cast<Note3D*>(back->getChild(3));
    ASSERT_NE(shape2, nullptr);
    EXPECT_EQ(shape2->getShape(), Note3D::Ellipse);
    EXPECT_EQ(shape2->getPoints(), shape->getPoints());
}

TEST(Notes, LabelFollowsTheProcessWideLook)
{
    const int size = Note::fontSize;
    Note::fontSize = 22;
    Note::setFontColor(QColor(255, 0, 0));
    osg::ref_ptr<Note> note = new Note;
    note->setText("abc");
    Note::fontSize = size;
    Note::setFontColor(QColor("#1E90FF"));

    osgText::Text* label = nullptr;
    for (unsigned i = 0; i < note->getNumChildren() && !label; ++i) {
        if (osg::Geode* g = note->getChild(i)->asGeode())
            for (unsigned j = 0; j < g->getNumDrawables() && !label; ++j)
                label = dynamic_cast<osgText::Text*>(g->getDrawable(j));
    }
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getText().createUTF8EncodedString(), "abc");
    EXPECT_FLOAT_EQ(label->getCharacterHeight(), 22.0f);
    EXPECT_EQ(label->getColor(), osg::Vec4(1, 0, 0, 1));
}

TEST(Notes, ExportFileIsWrittenOnceAndReadsBack)
{
    osg::ref_ptr<NoteManager> m = new NoteManager;
    osg::ref_ptr<PointNote> note = new PointNote;
    note->setText("hello");
    m->InsertNotations(note, 0);
    const std::string path = QDir(nerio_test::scratchDir()).filePath("export.note").toLocal8Bit().toStdString();

    m->toJson(true); // no file name yet: nothing written
    EXPECT_FALSE(QFile::exists(QString::fromLocal8Bit(path.c_str())));
    m->setSavedJsonFileName(path);
    m->toJson(true);
    ASSERT_TRUE(QFile::exists(QString::fromLocal8Bit(path.c_str())));
    EXPECT_TRUE(m->getSavedJsonFileName().empty());

    QFile f(QString::fromLocal8Bit(path.c_str()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    osg::ref_ptr<NoteManager> back = new NoteManager;
    ASSERT_TRUE(back->fromJson(f.readAll().toStdString()));
    ASSERT_EQ(back->getNumChildren(), 1u);
    EXPECT_EQ(back->getNoteById(note->getId())->getText(), "hello");

    // A single note's own document is a note document too.
    const std::string one = QDir(nerio_test::scratchDir()).filePath("one.note").toStdString();
    EXPECT_TRUE(note->toDocument(one));
    EXPECT_FALSE(note->toDocument(QDir(nerio_test::scratchDir()).filePath("no/such/dir/x.note").toStdString()));
}

TEST(Measures, KindChoosesTheClass)
{
    osg::ref_ptr<MeasureManager> m = new MeasureManager;
    osg::ref_ptr<SurfaceAreaMeasure> area = new SurfaceAreaMeasure;
    area->SetTitle("Area");
    area->SetContent("12.5 mm2");
    area->setValue(12.5);
    area->setPoints({{0, 0, 0}, {1, 0, 0}});
    m->InsertMeasure(area, -1);
    m->InsertMeasure(new VolumeMeasure, -1);
    osg::ref_ptr<Measure> plain = new Measure;
    plain->setMeasureType(3);
    m->InsertMeasure(plain, -1);

    osg::ref_ptr<MeasureManager> back = new MeasureManager;
    ASSERT_TRUE(back->fromJson(text(m->toJson())));
    ASSERT_EQ(back->getNumChildren(), 3u);
    auto* a = dynamic_cast<SurfaceAreaMeasure*>(back->getChild(0));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->getMeasureType(), 16);
    EXPECT_EQ(a->GetTitle(), "Area");
    EXPECT_EQ(a->GetContent(), "12.5 mm2");
    EXPECT_EQ(a->getValue(), 12.5);
    EXPECT_EQ(a->getPoints().size(), 2u);
    EXPECT_NE(dynamic_cast<VolumeMeasure*>(back->getChild(1)), nullptr);
    auto* p = dynamic_cast<Measure*>(back->getChild(2));
    EXPECT_EQ(p->getMeasureType(), 3);
    for (unsigned i = 0; i < 3; ++i)
        EXPECT_STREQ(back->getChild(i)->className(), "Measure");
}

TEST(Notes, PointNotePropertyWindowEditsOnlyWhenAskedTo)
{
    osg::ref_ptr<PointNote> note = new PointNote;
    note->setText("before");
    // Types into the open window and confirms it.
    auto typeAndConfirm = [] {
        QTimer::singleShot(0, [] {
            QWidget* w = QApplication::activeModalWidget();
            ASSERT_NE(w, nullptr);
            auto* edit = w->findChild<QPlainTextEdit*>("noteText");
            ASSERT_NE(edit, nullptr);
            edit->setPlainText("after");
            auto* box = w->findChild<QDialogButtonBox*>();
            QPushButton* ok = box->button(QDialogButtonBox::Ok);
            if (ok)
                ok->click();
            else
                static_cast<QDialog*>(w)->accept();
        });
    };
    typeAndConfirm();
    note->ViewProperties();
    EXPECT_EQ(note->getText(), "before");
    typeAndConfirm();
    note->EditProperties();
    EXPECT_EQ(note->getText(), "after");
}
