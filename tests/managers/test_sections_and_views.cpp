// Section clipping, the removal commands with undo, saved views and their commands.
#include <gtest/gtest.h>

#include "vantor/annotation/JsonUtil.h"
#include "vantor/command/CombineCommand.h"
#include "vantor/command/CommandManager.h"
#include "vantor/measure/RemoveMeasureCommand.h"
#include "vantor/model/Model.h"
#include "vantor/note/RemoveNoteCommand.h"
#include "vantor/section/RemoveSectionCommand.h"
#include "vantor/view/UserViewCommands.h"

#include <osgViewer/View>

using namespace Vantor;

namespace {

// The layout the scene holder gives the managers: the models stand beside the group of the managers.
struct ClipScene
{
    osg::ref_ptr<osg::Group> scene = new osg::Group;
    osg::ref_ptr<osg::Group> holder = new osg::Group;
    osg::ref_ptr<SectionManager> sections = new SectionManager;
    osg::ref_ptr<Model> model = new Model;
    ClipScene()
    {
        holder->addChild(sections.get());
        scene->addChild(holder.get());
        scene->addChild(model.get());
        scene->addChild(new osg::Group); // not a model: never clipped
    }
    osg::ref_ptr<Section> add(double z)
    {
        osg::ref_ptr<Section> s = new Section;
        s->setPlane(osg::Plane(0, 0, 1, -z));
        sections->InsertSection(s, -1);
        return s;
    }
    // The clip-plane numbers switched on for the model.
    std::vector<unsigned> clipped() const
    {
        std::vector<unsigned> on;
        const osg::StateSet* ss = model->getStateSet();
        for (unsigned n = 0; ss && n < 8; ++n) {
            if (ss->getMode(GL_CLIP_PLANE0 + n) & osg::StateAttribute::ON)
                on.push_back(n);
        }
        return on;
    }
};

struct NoteCounter : NoteManagerChangedListener
{
    int calls = 0;
    void onNoteChanged(NoteManager*, Note*) override { ++calls; }
};

struct ViewCounter : ViewManagerChangedListener
{
    int calls = 0;
    void onViewChanged(ViewManager*) override { ++calls; }
};

// A saved view whose capture records a counter, so undo and redo of an update can be told apart.
class CountingView : public View
{
public:
    int captured = 0;
    rapidjson::Value toJson(rapidjson::Document::AllocatorType& a) override
    {
        rapidjson::Value v = View::toJson(a);
        v.AddMember("Captured", captured, a);
        return v;
    }
    osg::ref_ptr<View> clone() override
    {
        osg::ref_ptr<CountingView> v = new CountingView;
        v->copy(this);
        return v;
    }
    void copy(osg::ref_ptr<View> other) override
    {
        View::copy(other);
        if (auto* c = dynamic_cast<CountingView*>(other.get()))
            captured = c->captured;
    }
    void capture() override { ++captured; }
};

std::vector<osg::Node*> children(const osg::Group& g)
{
    std::vector<osg::Node*> out;
    for (unsigned i = 0; i < g.getNumChildren(); ++i)
        out.push_back(const_cast<osg::Node*>(g.getChild(i)));
    return out;
}

} // namespace

TEST(Sections, OpenSectionsClipTheModelsBesideTheManagers)
{
    ClipScene s;
    auto a = s.add(1), b = s.add(2);
    EXPECT_TRUE(s.clipped().empty());
    EXPECT_TRUE(s.sections->getNeeClipedModel().empty());
    EXPECT_EQ(a->getNodeMask(), 0u); // closed sections place no plane

    s.sections->OpenSection(a);
    s.sections->OpenSection(b);
    EXPECT_EQ(s.clipped(), (std::vector<unsigned>{0, 1}));
    EXPECT_EQ(a->getNodeMask(), 0xFFFFFFFFu);
    EXPECT_EQ(b->getClipPlaneNum(), 1);
    auto planes = s.sections->getOpenClipPlanes();
    ASSERT_EQ(planes.size(), 2u);
    EXPECT_EQ(planes[1]->getClipPlane(), osg::Vec4d(0, 0, 1, -2));
    auto models = s.sections->getNeeClipedModel();
    ASSERT_EQ(models.size(), 1u);
    EXPECT_EQ(models.front().get(), s.model.get());

    s.sections->CloseSection(a);
    EXPECT_EQ(s.clipped(), (std::vector<unsigned>{1}));
    // The freed number goes to the next section opened.
    auto c = s.add(3);
    s.sections->OpenSection(c);
    EXPECT_EQ(c->getClipPlaneNum(), 0);

    s.sections->ClearAllSection();
    EXPECT_TRUE(s.clipped().empty());
}

TEST(Sections, AtMostSixOpenAndNumbersStayUnique)
{
    ClipScene s;
    std::vector<osg::ref_ptr<Section>> list;
    for (int i = 0; i < 7; ++i) {
        list.push_back(s.add(i));
        s.sections->OpenSection(list.back());
    }
    EXPECT_TRUE(list[5]->getOpened());
    EXPECT_FALSE(list[6]->getOpened());
    EXPECT_EQ(s.clipped().size(), 6u);

    // Sections read from a document take free numbers; those left without one stay closed.
    s.sections->CloseSection(list[0]);
    const std::string doc = "{\"section_list\": [{\"Opened\": true, \"Plane\": [1, 0, 0, 0]},"
                            " {\"Opened\": true, \"Plane\": [0, 1, 0, 0]}]}";
    ASSERT_TRUE(s.sections->fromJson(doc));
    auto all = s.sections->GetAllSection();
    ASSERT_EQ(all.size(), 9u);
    EXPECT_EQ(all[7]->getClipPlaneNum(), 0);
    EXPECT_FALSE(all[8]->getOpened());
    std::set<int> numbers;
    for (auto& x : all) {
        if (x->getOpened()) {
            EXPECT_TRUE(numbers.insert(x->getClipPlaneNum()).second);
        }
    }
    EXPECT_EQ(numbers.size(), 6u);
}

TEST(Sections, JsonKeepsPlaneLookAndOpenState)
{
    ClipScene s;
    auto a = s.add(1.2345678901234);
    a->setName("A");
    a->setPlaneColor(osg::Vec4(0.5f, 0.25f, 1.0f, 1.0f));
    a->setPlaneTransparent(0.4f);
    a->setShowPlane(false);
    s.sections->OpenSection(a);
    s.add(2);

    ClipScene t;
    ASSERT_TRUE(t.sections->fromJson(JsonUtil::toPrettyText(s.sections->toJson(false))));
    auto all = t.sections->GetAllSection();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]->getId(), a->getId());
    EXPECT_EQ(all[0]->getPlane(), a->getPlane());
    EXPECT_EQ(all[0]->getPlaneColor(), a->getPlaneColor());
    EXPECT_FLOAT_EQ(all[0]->getPlaneTransparent(), 0.4f);
    EXPECT_FALSE(all[0]->getShowPlane());
    EXPECT_TRUE(all[0]->getOpened());
    EXPECT_FALSE(all[1]->getOpened());
    EXPECT_EQ(t.clipped(), (std::vector<unsigned>{0}));
}

TEST(Sections, FoundFromAboveAndSettingsDefaults)
{
    ClipScene s;
    osg::ref_ptr<osg::Group> root = new osg::Group;
    root->addChild(s.scene.get());
    EXPECT_EQ(SectionManager::GetSectionManager(root), s.sections);
    EXPECT_EQ(SectionManager::GetSectionManager(nullptr), nullptr);

    const osg::Vec4 old = Section::getColor();
    Section::setColor(osg::Vec4(0.5f, 0.25f, 1, 1));
    Section::setTransparent(1.5f); // clamped
    osg::ref_ptr<Section> fresh = new Section;
    EXPECT_EQ(fresh->getPlaneColor(), osg::Vec4(0.5f, 0.25f, 1, 1));
    EXPECT_FLOAT_EQ(fresh->getPlaneTransparent(), 1.0f);
    Section::setColor(old);
    Section::setTransparent(0.2f);
}

TEST(RemoveCommands, UndoRestoresTheSameNodesInOrder)
{
    auto commands = std::make_shared<CommandManager>();
    osg::ref_ptr<NoteManager> notes = new NoteManager;
    auto counter = std::make_shared<NoteCounter>();
    notes->AddNoteListener(counter);
    std::vector<osg::ref_ptr<Note>> n;
    for (int i = 0; i < 5; ++i) {
        n.push_back(i == 2 ? new PointNote : new Note);
        notes->InsertNotations(n.back(), -1);
    }
    const auto before = children(*notes);
    counter->calls = 0;

    osg::ref_ptr<Note> stranger = new Note;
    auto remove = std::make_shared<RemoveNoteCommand>();
    remove->setNoteManagerPtr(notes);
    remove->setNotes({n[3], n[0], stranger, n[4]});
    ASSERT_TRUE(commands->DoCommand(remove));
    EXPECT_EQ(children(*notes), (std::vector<osg::Node*>{n[1].get(), n[2].get()}));
    EXPECT_EQ(counter->calls, 1);

    ASSERT_TRUE(commands->Undo());
    EXPECT_EQ(children(*notes), before);
    EXPECT_EQ(counter->calls, 2);
    ASSERT_TRUE(commands->Redo());
    EXPECT_EQ(notes->getNumChildren(), 2u);
    ASSERT_TRUE(commands->Undo());
    EXPECT_EQ(children(*notes), before);
}

TEST(RemoveCommands, CombinedRemovalIsOneStepAndNullManagersDoNothing)
{
    auto commands = std::make_shared<CommandManager>();
    ClipScene scene;
    auto open = scene.add(1);
    scene.sections->OpenSection(open);
    osg::ref_ptr<MeasureManager> measures = new MeasureManager;
    osg::ref_ptr<Measure> m = new Measure;
    measures->InsertMeasure(m, 0);

    auto sections = std::make_shared<RemoveSectionCommand>();
    sections->setSectionManagerPtr(scene.sections);
    sections->setSections({open});
    auto meas = std::make_shared<RemoveMeasureCommand>();
    meas->setMeasureManagerPtr(measures);
    meas->setMeasures({m});
    auto nothing = std::make_shared<RemoveNoteCommand>(); // no manager, no notes
    auto all = std::make_shared<CombineCommand>();
    all->AddCommand(sections);
    all->AddCommand(meas);
    all->AddCommand(nothing);
    ASSERT_TRUE(commands->DoCommand(all));
    EXPECT_EQ(scene.sections->getNumChildren(), 0u);
    EXPECT_EQ(measures->getNumChildren(), 0u);
    EXPECT_TRUE(scene.clipped().empty()); // a removed open section no longer cuts

    ASSERT_TRUE(commands->Undo());
    EXPECT_EQ(scene.sections->getChild(0), open.get());
    EXPECT_EQ(measures->getChild(0), m.get());
    EXPECT_TRUE(open->getOpened());
    EXPECT_EQ(scene.clipped(), (std::vector<unsigned>{0}));
    EXPECT_FALSE(commands->CanUndo());
}

TEST(Views, ListDocumentOrderAndChanges)
{
    osg::ref_ptr<ViewManager> views = new ViewManager;
    auto counter = std::make_shared<ViewCounter>();
    views->AddViewListener(counter);
    std::vector<osg::ref_ptr<View>> v;
    for (int64_t id : {30, 10, 20}) {
        v.push_back(new View);
        v.back()->setViewID(id);
    }
    EXPECT_TRUE(views->AddView(v[0]));
    EXPECT_TRUE(views->InsertView(v[1], 0));
    EXPECT_TRUE(views->InsertView(v[2], 7));
    EXPECT_FALSE(views->AddView(v[2]));
    EXPECT_FALSE(views->AddView(nullptr));
    EXPECT_EQ(counter->calls, 3);
    EXPECT_EQ(JsonUtil::toPrettyText(views->toJson()),
              JsonUtil::toPrettyText([] {
                  rapidjson::Document d;
                  d.Parse("{\"userview_list\":[{\"ViewID\":10},{\"ViewID\":30},{\"ViewID\":20}]}");
                  return d;
              }()));
    EXPECT_EQ(views->GetViewByID(20), v[2]);
    EXPECT_EQ(views->GetViewByID(99), nullptr);

    EXPECT_FALSE(views->RemoveViewByID(99));
    EXPECT_FALSE(views->RemoveViewByIndex(3));
    EXPECT_FALSE(views->RemoveViewByIndex(-1));
    EXPECT_EQ(counter->calls, 3);
    EXPECT_TRUE(views->RemoveViewByIndex(0));
    EXPECT_TRUE(views->RemoveViewByID(20));
    EXPECT_EQ(views->GetAllView(), (std::vector<osg::ref_ptr<View>>{v[0]}));
    views->ClearAllView();
    views->ClearAllView();
    EXPECT_EQ(counter->calls, 6);
    EXPECT_EQ(JsonUtil::toPrettyText(views->toJson()), "{\n    \"userview_list\": []\n}");
}

TEST(Views, AddAndUpdateCommandsUndo)
{
    auto commands = std::make_shared<CommandManager>();
    osg::ref_ptr<osg::Group> root = new osg::Group;
    osg::ref_ptr<ViewManager> views = new ViewManager;
    osg::ref_ptr<osg::Group> holder = new osg::Group;
    holder->addChild(views.get());
    root->addChild(holder.get());
    osg::ref_ptr<osgViewer::View> viewer = new osgViewer::View;
    viewer->setSceneData(root.get());
    osg::ref_ptr<View> first = new View;
    views->AddView(first);

    osg::ref_ptr<CountingView> view = new CountingView;
    auto add = std::make_shared<AddUserViewCommand>();
    add->SetView(view);
    add->setViewer(viewer);
    ASSERT_TRUE(commands->DoCommand(add));
    EXPECT_EQ(views->indexOfView(view.get()), 1);
    ASSERT_TRUE(commands->Undo());
    EXPECT_EQ(views->indexOfView(view.get()), -1);
    ASSERT_TRUE(commands->Redo());
    EXPECT_EQ(views->indexOfView(view.get()), 1);

    auto counter = std::make_shared<ViewCounter>();
    views->AddViewListener(counter);
    auto update = std::make_shared<UpdateUserViewCommand>();
    update->SetView(view);
    update->setViewer(viewer);
    ASSERT_TRUE(commands->DoCommand(update));
    EXPECT_EQ(view->captured, 1);
    EXPECT_EQ(counter->calls, 1);
    ASSERT_TRUE(commands->Undo());
    EXPECT_EQ(view->captured, 0);
    ASSERT_TRUE(commands->Redo());
    EXPECT_EQ(view->captured, 1); // redo restores the capture, it does not take a new one

    // Nothing to add to: no step is recorded.
    const auto steps = commands->undoCount();
    auto orphan = std::make_shared<AddUserViewCommand>();
    orphan->SetView(new View);
    EXPECT_FALSE(commands->DoCommand(orphan));
    auto empty = std::make_shared<UpdateUserViewCommand>();
    EXPECT_FALSE(commands->DoCommand(empty));
    EXPECT_EQ(commands->undoCount(), steps);
}
