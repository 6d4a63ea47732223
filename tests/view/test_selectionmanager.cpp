#include "support/TestSupport.h"
#include "view/ISelectionDecorator.h"
#include "view/SceneView.h"
#include "view/SelectedCommand.h"
#include "view/SelectionManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"
#include "vantor/model/NodeFlags.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Group>

#include <memory>
#include <string>
#include <vector>

namespace {

using Vantor::Model;

osg::ref_ptr<Model> model(const std::string& name)
{
    osg::ref_ptr<Model> m = new Model;
    m->setName(name);
    return m;
}

// Writes down every notification as "add:A", "list:A,B", "remove:A", "clear".
class RecordingListener : public Vantor::SelectionListener
{
public:
    void onAddSelected(osg::Node* node) override { calls.push_back("add:" + node->getName()); }
    void onSelectedListChanged(NodePtrList& selected) override
    {
        std::string text = "list:";
        for (auto& n : selected)
            text += (text.size() > 5 ? "," : "") + n->getName();
        calls.push_back(text);
    }
    void onRemoveSelected(osg::Node* node) override { calls.push_back("remove:" + node->getName()); }
    void onClearSelected() override { calls.push_back("clear"); }

    std::vector<std::string> calls;
};

// A selection manager with both default decorators, without a view.
struct Fixture
{
    Fixture()
    {
        manager->setSelectionDecorator(new DefaultSelectionDecorator);
        manager->setPreSelectionDecorator(new DefaultPreSelectionDecorator);
        manager->addSelectionListener(listener.get());
        root->setName("root");
        for (auto* m : {a.get(), b.get(), c.get()})
            root->addChild(m);
    }

    std::string selectedNames() const
    {
        std::string text;
        for (auto& n : manager->getSelectedList())
            text += (text.empty() ? "" : ",") + n->getName();
        return text;
    }

    osg::ref_ptr<SelectionManager> manager = new SelectionManager(nullptr);
    osg::ref_ptr<RecordingListener> listener = new RecordingListener;
    osg::ref_ptr<osg::Group> root = new osg::Group;
    osg::ref_ptr<Model> a = model("A");
    osg::ref_ptr<Model> b = model("B");
    osg::ref_ptr<Model> c = model("C");
};

bool decorated(Model* m) { return m->getSelectDecortator() != nullptr; }

} // namespace

// ---------------------------------------------------------------- direct changes

TEST(SelectionManager, AddSelectedTogglesOrReplacesByTheMultiSelectionSwitch)
{
    struct Case
    {
        const char* name;
        bool multi;
        std::vector<const char*> adds; // in order
        std::vector<bool> results;
        std::string selected;
    } cases[] = {
        {"adds in order", true, {"A", "B"}, {true, true}, "A,B"},
        {"second add of a node toggles it off", true, {"A", "B", "A"}, {true, true, false}, "B"},
        {"single selection replaces", false, {"A", "B"}, {true, true}, "B"},
        {"single selection keeps the node it is given again", false, {"A", "A"}, {true, true}, "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.manager->setMultiSelection(c.multi);
        for (std::size_t i = 0; i < c.adds.size(); ++i) {
            Model* m = std::string(c.adds[i]) == "A" ? f.a.get() : f.b.get();
            EXPECT_EQ(f.manager->addSelected(m), c.results[i]) << "add #" << i;
        }
        EXPECT_EQ(f.selectedNames(), c.selected);
        // The node flag and the highlight follow the list.
        for (Model* m : {f.a.get(), f.b.get()}) {
            const bool in = c.selected.find(m->getName()) != std::string::npos;
            EXPECT_EQ(Vantor::isNodeSelected(m), in) << m->getName();
            EXPECT_EQ(decorated(m), in) << m->getName();
        }
    }
    Fixture f;
    EXPECT_FALSE(f.manager->addSelected(nullptr));
    EXPECT_FALSE(f.manager->removeSelected(nullptr));
}

TEST(SelectionManager, EverySelectedNodeGetsItsOwnCloneSharingTheTemplateState)
{
    Fixture f;
    f.manager->addSelected(f.a.get());
    f.manager->addSelected(f.b.get());
    auto* da = dynamic_cast<ISelectionDecorator*>(f.a->getSelectDecortator());
    auto* db = dynamic_cast<ISelectionDecorator*>(f.b->getSelectDecortator());
    ASSERT_NE(da, nullptr);
    ASSERT_NE(db, nullptr);
    EXPECT_NE(da, db);
    EXPECT_NE(da, f.manager->getSelectionDecorator());
    EXPECT_NE(dynamic_cast<DefaultSelectionDecorator*>(da), nullptr);
    EXPECT_EQ(da->getTarget(), f.a.get());
    EXPECT_EQ(db->getTarget(), f.b.get());
    EXPECT_EQ(da->getStateSet(), f.manager->getSelectionDecorator()->getStateSet());
    EXPECT_EQ(db->getDecoratorState(), f.manager->getSelectionDecorator()->getStateSet());
    EXPECT_EQ(f.manager->findDecorator(f.a.get()), da);

    // Removing takes the highlight off; selecting again reuses the node's decorator.
    f.manager->removeSelected(f.a.get());
    EXPECT_FALSE(decorated(f.a.get()));
    EXPECT_EQ(da->getTarget(), nullptr);
    f.manager->addSelected(f.a.get());
    EXPECT_EQ(f.a->getSelectDecortator(), da);
}

TEST(SelectionManager, AddSelectedListLeavesChildrenOfSelectedParentsUndecorated)
{
    Fixture f;
    osg::ref_ptr<Model> child = model("child");
    f.a->addChild(child.get());
    f.manager->addSelected(f.a.get());
    f.listener->calls.clear();

    NodePtrList list{child.get(), nullptr, f.b.get(), f.a.get(), f.b.get()};
    EXPECT_TRUE(f.manager->addSelectedList(list));
    // No toggling and no repeats: A stays, child and B join once.
    EXPECT_EQ(f.selectedNames(), "A,child,B");
    EXPECT_TRUE(Vantor::isNodeSelected(child.get()));
    EXPECT_FALSE(decorated(child.get()));
    EXPECT_TRUE(decorated(f.b.get()));
    EXPECT_TRUE(decorated(f.a.get()));
    EXPECT_EQ(f.listener->calls, (std::vector<std::string>{"list:A,child,B"}));

    // Without multi-selection a list still adds without clearing (only single adds replace).
    f.manager->setMultiSelection(false);
    NodePtrList more{f.c.get()};
    f.manager->addSelectedList(more);
    EXPECT_EQ(f.selectedNames(), "A,child,B,C");
}

TEST(SelectionManager, RemoveSelectedListTakesOutEveryOccurrence)
{
    Fixture f;
    f.manager->addSelected(f.a.get());
    f.manager->addSelected(f.b.get());
    f.manager->getSelectedList().push_back(f.a.get()); // a second entry, as a careless caller may leave
    f.listener->calls.clear();

    NodePtrList list{f.a.get(), f.c.get(), nullptr};
    EXPECT_TRUE(f.manager->removeSelectedList(list));
    EXPECT_EQ(f.selectedNames(), "B");
    EXPECT_FALSE(Vantor::isNodeSelected(f.a.get()));
    EXPECT_FALSE(decorated(f.a.get()));
    EXPECT_EQ(f.listener->calls, (std::vector<std::string>{"list:B"}));

    // The selected list itself may be handed in.
    EXPECT_TRUE(f.manager->removeSelectedList(f.manager->getSelectedList()));
    EXPECT_TRUE(f.manager->getSelectedList().empty());
    EXPECT_FALSE(Vantor::isNodeSelected(f.b.get()));
}

TEST(SelectionManager, TopSelectedListSkipsNodesUnderSelectedParentsAndParentlessNodes)
{
    Fixture f;
    osg::ref_ptr<Model> child = model("child");
    osg::ref_ptr<Model> grandChild = model("grandChild");
    osg::ref_ptr<Model> loose = model("loose"); // no parent
    f.a->addChild(child.get());
    child->addChild(grandChild.get());
    f.b->addChild(model("unselected").get());

    for (Model* m : {grandChild.get(), f.a.get(), child.get(), loose.get(), f.b.get()})
        f.manager->addSelected(m);
    NodePtrList top = f.manager->getTopSelectedList();
    std::string names;
    for (auto& n : top)
        names += n->getName() + " ";
    EXPECT_EQ(names, "A B ");

    // Once its parent leaves the selection, the child counts as a top node.
    f.manager->removeSelected(f.a.get());
    top = f.manager->getTopSelectedList();
    names.clear();
    for (auto& n : top)
        names += n->getName() + " ";
    EXPECT_EQ(names, "child B ");
}

TEST(SelectionManager, ClearSelectionUndecoratesClearsFlagsAndPreSelection)
{
    Fixture f;
    f.manager->addSelected(f.a.get());
    f.manager->addSelected(f.b.get());
    f.manager->preSelect(f.c.get());
    f.listener->calls.clear();

    f.manager->clearSelection();
    EXPECT_TRUE(f.manager->getSelectedList().empty());
    for (Model* m : {f.a.get(), f.b.get()}) {
        EXPECT_FALSE(decorated(m));
        EXPECT_FALSE(Vantor::isNodeSelected(m));
    }
    EXPECT_EQ(f.manager->findDecorator(f.a.get()), nullptr);
    EXPECT_EQ(f.manager->getPreSelected(), nullptr);
    EXPECT_EQ(f.c->getPreSelectDecortator(), nullptr);
    EXPECT_EQ(f.listener->calls, (std::vector<std::string>{"clear"}));
}

// A node that was selected, unselected and then deleted must not be touched by a later clear.
TEST(SelectionManager, ClearSelectionAfterAnUnselectedNodeWasDeleted)
{
    Fixture f;
    {
        osg::ref_ptr<Model> temporary = model("temporary");
        f.manager->addSelected(temporary.get());
        f.manager->removeSelected(temporary.get());
        EXPECT_EQ(temporary->referenceCount(), 1);
    }
    f.manager->addSelected(f.a.get());
    f.manager->clearSelection(); // would read the deleted node through the decorator map
    EXPECT_FALSE(decorated(f.a.get()));
    // A fresh node (possibly at the same address) gets a fresh decorator.
    osg::ref_ptr<Model> fresh = model("fresh");
    f.manager->addSelected(fresh.get());
    auto* d = dynamic_cast<ISelectionDecorator*>(fresh->getSelectDecortator());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->getTarget(), fresh.get());
}

TEST(SelectionManager, PreSelection)
{
    Fixture f;
    osg::ref_ptr<ISelectionDecorator> pre = f.manager->getPreSelectionDecorator();
    EXPECT_TRUE(f.manager->preSelect(f.a.get()));
    EXPECT_EQ(f.a->getPreSelectDecortator(), pre.get());
    EXPECT_EQ(pre->getTarget(), f.a.get());
    // The same node again changes nothing.
    EXPECT_TRUE(f.manager->preSelect(f.a.get()));
    EXPECT_EQ(f.manager->getPreSelected(), f.a.get());

    // Moving on takes the highlight over.
    EXPECT_TRUE(f.manager->preSelect(f.b.get()));
    EXPECT_EQ(f.a->getPreSelectDecortator(), nullptr);
    EXPECT_EQ(f.b->getPreSelectDecortator(), pre.get());

    // Nothing under the cursor clears it.
    EXPECT_FALSE(f.manager->preSelect(nullptr));
    EXPECT_EQ(f.b->getPreSelectDecortator(), nullptr);
    EXPECT_EQ(f.manager->getPreSelected(), nullptr);

    f.manager->setPreSelection(false);
    EXPECT_FALSE(f.manager->preSelect(f.a.get()));
    EXPECT_EQ(f.a->getPreSelectDecortator(), nullptr);

    // Pre-selection and selection highlights are independent.
    f.manager->setPreSelection(true);
    f.manager->addSelected(f.a.get());
    f.manager->preSelect(f.a.get());
    EXPECT_NE(f.a->getSelectDecortator(), nullptr);
    EXPECT_EQ(f.a->getPreSelectDecortator(), pre.get());

    // A new pre-selection decorator takes over the hovered node.
    osg::ref_ptr<DefaultPreSelectionDecorator> other = new DefaultPreSelectionDecorator;
    f.manager->setPreSelectionDecorator(other.get());
    EXPECT_EQ(f.a->getPreSelectDecortator(), other.get());
    EXPECT_EQ(pre->getTarget(), nullptr);
}

TEST(SelectionManager, ListenersAreKeptOnceAndToldOfEachChange)
{
    Fixture f;
    EXPECT_FALSE(f.manager->addSelectionListener(f.listener.get()));
    EXPECT_FALSE(f.manager->addSelectionListener(nullptr));
    osg::ref_ptr<RecordingListener> second = new RecordingListener;
    EXPECT_TRUE(f.manager->addSelectionListener(second.get()));
    EXPECT_EQ(f.manager->listeners().size(), 2u);

    f.manager->addSelected(f.a.get());
    f.manager->addSelected(f.a.get()); // toggles off
    f.manager->removeSelected(f.b.get()); // not selected: still told
    NodePtrList list{f.b.get()};
    f.manager->addSelectedList(list);
    f.manager->clearSelection();
    const std::vector<std::string> expected{"add:A", "remove:A", "remove:B", "list:B", "clear"};
    EXPECT_EQ(f.listener->calls, expected);
    EXPECT_EQ(second->calls, expected);

    EXPECT_TRUE(f.manager->removeSelectionListener(second.get()));
    EXPECT_FALSE(f.manager->removeSelectionListener(second.get()));
    f.manager->addSelected(f.c.get());
    EXPECT_EQ(second->calls.size(), expected.size());
}

TEST(SelectionManager, AListenerMayUnregisterWhileBeingTold)
{
    struct Leaving : RecordingListener
    {
        SelectionManager* manager = nullptr;
        void onAddSelected(osg::Node* node) override
        {
            RecordingListener::onAddSelected(node);
            manager->removeSelectionListener(this);
        }
    };
    Fixture f;
    osg::ref_ptr<Leaving> leaving = new Leaving;
    leaving->manager = f.manager.get();
    f.manager->addSelectionListener(leaving.get());
    leaving = nullptr; // the manager holds the only reference
    f.manager->addSelected(f.a.get());
    f.manager->addSelected(f.b.get());
    EXPECT_EQ(f.listener->calls, (std::vector<std::string>{"add:A", "add:B"}));
    EXPECT_EQ(f.manager->listeners().size(), 1u);
}

TEST(SelectionManager, DecoratorSettersIgnoreNullAndTheSameDecorator)
{
    Fixture f;
    ISelectionDecorator* template_ = f.manager->getSelectionDecorator();
    f.manager->setSelectionDecorator(nullptr);
    EXPECT_EQ(f.manager->getSelectionDecorator(), template_);
    f.manager->setPreSelectionDecorator(nullptr);
    EXPECT_NE(f.manager->getPreSelectionDecorator(), nullptr);

    // Without a template nothing is decorated, but the selection still works.
    osg::ref_ptr<SelectionManager> bare = new SelectionManager(nullptr);
    EXPECT_TRUE(bare->addSelected(f.a.get()));
    EXPECT_FALSE(decorated(f.a.get()));
    EXPECT_TRUE(bare->preSelect(f.b.get()));
    bare->clearSelection();
    EXPECT_FALSE(Vantor::isNodeSelected(f.a.get()));
}

// ---------------------------------------------------------------- commands

namespace {

struct CommandFixture : Fixture
{
    std::shared_ptr<Vantor::CommandManager> commands = std::make_shared<Vantor::CommandManager>();

    void run(const std::shared_ptr<Vantor::Command>& command, bool forward = true)
    {
        if (forward)
            commands->DoCommand(command);
        else
            commands->UnDoCommand(command);
    }
};

} // namespace

TEST(SelectedCommand, UndoAndRedoReverseExactlyWhatTheStepChanged)
{
    struct Case
    {
        const char* name;
        bool multi;
        std::vector<const char*> before; // selected directly first
        std::string command;             // "node:X", "list:X,Y", "unnode:X", "unlist:X,Y"
        std::string after, undone;
    } cases[] = {
        {"select a node", true, {}, "node:A", "A", ""},
        {"a click on a selected node toggles it off; undo selects it again", true, {"A", "B"}, "node:A", "B", "B,A"},
        {"single selection: undo brings back what the click replaced", false, {"A"}, "node:B", "B", "A"},
        {"a list leaves nodes selected before it alone on undo", true, {"B"}, "list:A,B", "B,A", "B"},
        {"unselect a node", true, {"A", "B"}, "unnode:A", "B", "B,A"},
        {"unselect a list", true, {"A", "B", "C"}, "unlist:A,C", "B", "B,A,C"},
        {"unselect what is not selected changes nothing", true, {"B"}, "unnode:A", "B", "B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CommandFixture f;
        f.manager->setMultiSelection(c.multi);
        auto pick = [&f](char n) -> osg::Node* { return n == 'A' ? f.a.get() : n == 'B' ? f.b.get() : f.c.get(); };
        for (const char* n : c.before)
            f.manager->addSelected(pick(n[0]));

        const std::string kind = c.command.substr(0, c.command.find(':'));
        const std::string names = c.command.substr(c.command.find(':') + 1);
        NodePtrList list;
        for (char n : names)
            if (n != ',')
                list.push_back(pick(n));
        std::shared_ptr<Vantor::SelectedCommand> command =
            kind.find("node") != std::string::npos
                ? std::make_shared<Vantor::SelectedCommand>(f.manager.get(), list.front().get())
                : std::make_shared<Vantor::SelectedCommand>(f.manager.get(), list);
        f.run(command, kind.rfind("un", 0) != 0);
        EXPECT_EQ(f.selectedNames(), c.after);
        ASSERT_TRUE(f.commands->CanUndo());
        EXPECT_TRUE(f.commands->Undo());
        EXPECT_EQ(f.selectedNames(), c.undone);
        EXPECT_TRUE(f.commands->Redo());
        EXPECT_EQ(f.selectedNames(), c.after);
        EXPECT_TRUE(f.commands->Undo());
        EXPECT_EQ(f.selectedNames(), c.undone);
        // Flags and highlights agree with the list after all that.
        for (Model* m : {f.a.get(), f.b.get(), f.c.get()}) {
            const bool in = c.undone.find(m->getName()) != std::string::npos;
            EXPECT_EQ(Vantor::isNodeSelected(m), in) << m->getName();
            EXPECT_EQ(decorated(m), in) << m->getName();
        }
    }
}

TEST(SelectedCommand, NamesAndAGoneManager)
{
    osg::ref_ptr<Model> a = model("A");
    std::shared_ptr<Vantor::SelectedCommand> command;
    {
        osg::ref_ptr<SelectionManager> manager = new SelectionManager(nullptr);
        command = std::make_shared<Vantor::SelectedCommand>(manager.get(), a.get());
        EXPECT_EQ(command->Type(), "SelectedCommand");
        EXPECT_EQ(command->Name(), "SelectedCommand");
        EXPECT_TRUE(command->Execute());
        EXPECT_TRUE(Vantor::isNodeSelected(a.get()));
    }
    EXPECT_FALSE(command->Unexecute());
    EXPECT_FALSE(command->Execute());
}

TEST(SelectionManager, SelectOperationsRunUndoableCommandsOfTheViewsCommandManager)
{
    SceneView view;
    auto* manager = dynamic_cast<SelectionManager*>(view.getSelectionManager());
    ASSERT_NE(manager, nullptr);
    std::shared_ptr<Vantor::CommandManager> commands = view.getCommandManager();
    osg::ref_ptr<osg::Group> root = new osg::Group;
    osg::ref_ptr<Model> a = model("A"), b = model("B");
    root->addChild(a.get());
    root->addChild(b.get());

    EXPECT_TRUE(manager->selectNode(a.get(), true));
    EXPECT_TRUE(Vantor::isNodeSelected(a.get()));
    EXPECT_EQ(commands->undoCount(), 1u);

    EXPECT_TRUE(manager->selectNodes(NodePtrList{b.get()}, true));
    EXPECT_EQ(manager->getSelectedList().size(), 2u);

    EXPECT_TRUE(manager->unselectNode(a.get(), true));
    EXPECT_FALSE(Vantor::isNodeSelected(a.get()));
    EXPECT_TRUE(manager->unselectNodes(NodePtrList{b.get()}, true));
    EXPECT_TRUE(manager->getSelectedList().empty());
    EXPECT_EQ(commands->undoCount(), 4u);

    // Undoing the unselections brings both back.
    commands->Undo();
    commands->Undo();
    EXPECT_EQ(manager->getSelectedList().size(), 2u);

    // A step that is not undoable still runs but leaves no history.
    commands->Clear();
    manager->clearSelection();
    EXPECT_TRUE(manager->selectNode(a.get(), false));
    EXPECT_TRUE(Vantor::isNodeSelected(a.get()));
    EXPECT_FALSE(commands->CanUndo());

    // Without a view the command operations do nothing.
    osg::ref_ptr<SelectionManager> alone = new SelectionManager(nullptr);
    alone->setSelectionDecorator(new DefaultSelectionDecorator);
    EXPECT_TRUE(alone->selectNode(b.get(), true));
    EXPECT_TRUE(alone->getSelectedList().empty());
}
