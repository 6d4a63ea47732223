// Show, hide, isolate and show-all as undoable commands on a small model tree.

#include "view/VisibilityCommands.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <osg/Geode>

#include <map>
#include <memory>
#include <string>

using Vantor::Model;

namespace {

constexpr unsigned kShown = 0xFFFFFFFFu;

// root
//  ├─ a ─┬─ a1 ─┬─ a1x ── a1x_part
//  │     │      └─ a1y
//  │     └─ a2
//  └─ b ── (geode)
struct Tree
{
    Tree()
    {
        for (const char* name : {"root", "a", "a1", "a1x", "a1x_part", "a1y", "a2", "b"}) {
            osg::ref_ptr<Model> m = new Model;
            m->setName(name);
            nodes[name] = m;
        }
        link("root", "a");
        link("root", "b");
        link("a", "a1");
        link("a", "a2");
        link("a1", "a1x");
        link("a1", "a1y");
        link("a1x", "a1x_part");
        nodes["b"]->addChild(new osg::Geode);
    }
    void link(const char* parent, const char* child) { nodes[parent]->addChild(nodes[child].get()); }
    Model* operator[](const std::string& name) { return nodes.at(name).get(); }
    std::map<std::string, unsigned> masks() const
    {
        std::map<std::string, unsigned> out;
        for (const auto& entry : nodes)
            out[entry.first] = entry.second->getNodeMask();
        return out;
    }

    std::map<std::string, osg::ref_ptr<Model>> nodes;
};

std::list<osg::ref_ptr<osg::Node>> listOf(Tree& t, std::initializer_list<const char*> names)
{
    std::list<osg::ref_ptr<osg::Node>> out;
    for (const char* name : names)
        out.emplace_back(t[name]);
    return out;
}

} // namespace

TEST(SetVisibleCommand, HideKeepsHiddenNodesAndUndoRestoresEachMask)
{
    Tree t;
    t["b"]->setNodeMask(0);     // already hidden
    t["a2"]->setNodeMask(0x3u); // visible with a mask of its own
    auto managerPtr = std::make_shared<Vantor::CommandManager>();
    Vantor::CommandManager& manager = *managerPtr;
    auto hide = std::make_shared<Vantor::SetVisibleCommand>(listOf(t, {"a1", "b", "a2"}), false);
    EXPECT_EQ(hide->getNode(), nullptr);
    EXPECT_EQ(hide->Name(), "SetVisibleCommand");
    ASSERT_TRUE(manager.DoCommand(hide));
    EXPECT_EQ(t["a1"]->getNodeMask(), 0u);
    EXPECT_EQ(t["a2"]->getNodeMask(), 0u);
    EXPECT_EQ(t["b"]->getNodeMask(), 0u);
    EXPECT_EQ(t["a1x"]->getNodeMask(), kShown); // nodes below are not touched

    ASSERT_TRUE(manager.Undo());
    EXPECT_EQ(t["a1"]->getNodeMask(), kShown);
    EXPECT_EQ(t["a2"]->getNodeMask(), 0x3u);
    EXPECT_EQ(t["b"]->getNodeMask(), 0u) << "a node hidden before the command stays hidden";

    ASSERT_TRUE(manager.Redo());
    EXPECT_EQ(t["a1"]->getNodeMask(), 0u);
    EXPECT_EQ(t["a2"]->getNodeMask(), 0u);
}

TEST(SetVisibleCommand, ShowLeavesVisibleMasksAlone)
{
    Tree t;
    t["a"]->setNodeMask(0x5u);
    t["b"]->setNodeMask(0);
    Vantor::SetVisibleCommand show(listOf(t, {"a", "b"}), true);
    ASSERT_TRUE(show.Execute());
    EXPECT_EQ(t["a"]->getNodeMask(), 0x5u);
    EXPECT_EQ(t["b"]->getNodeMask(), kShown);
    ASSERT_TRUE(show.Unexecute());
    EXPECT_EQ(t["b"]->getNodeMask(), 0u);
    EXPECT_EQ(t["a"]->getNodeMask(), 0x5u);
}

TEST(SetIsolatedCommand, ThreeLevelsDownShowsTheNodeAndItsAncestorsOnly)
{
    Tree t;
    t["a2"]->setNodeMask(0x7u);
    t["a1x_part"]->setNodeMask(0); // hidden below the isolated model
    const auto before = t.masks();

    auto managerPtr = std::make_shared<Vantor::CommandManager>();
    Vantor::CommandManager& manager = *managerPtr;
    ASSERT_TRUE(manager.DoCommand(std::make_shared<Vantor::SetIsolatedCommand>(listOf(t, {"a1x"}), true, t["root"])));

    const std::map<std::string, unsigned> expected = {
        {"root", kShown}, {"a", kShown}, {"a1", kShown}, {"a1x", kShown},
        {"a1x_part", kShown}, // the isolated model shows whole
        {"a1y", 0u},          {"a2", 0u}, {"b", 0u},
    };
    EXPECT_EQ(t.masks(), expected);

    ASSERT_TRUE(manager.Undo());
    EXPECT_EQ(t.masks(), before);
}

TEST(SetIsolatedCommand, AnAssemblyShowsWithAllItsParts)
{
    Tree t;
    t["a1y"]->setNodeMask(0);
    Vantor::SetIsolatedCommand isolate(listOf(t, {"a1"}), true, t["root"]);
    ASSERT_TRUE(isolate.Execute());
    for (const char* shown : {"root", "a", "a1", "a1x", "a1x_part", "a1y"})
        EXPECT_EQ(t[shown]->getNodeMask(), kShown) << shown;
    for (const char* hidden : {"a2", "b"})
        EXPECT_EQ(t[hidden]->getNodeMask(), 0u) << hidden;
    ASSERT_TRUE(isolate.Unexecute());
    EXPECT_EQ(t["a1y"]->getNodeMask(), 0u);
    EXPECT_EQ(t["b"]->getNodeMask(), kShown);
}

TEST(SetIsolatedCommand, FlagFalseChangesNothingAndUndoesNothing)
{
    Tree t;
    t["b"]->setNodeMask(0);
    const auto before = t.masks();
    Vantor::SetIsolatedCommand isolate(listOf(t, {"a1"}), false, t["root"]);
    ASSERT_TRUE(isolate.Execute());
    EXPECT_EQ(t.masks(), before);
    t["a"]->setNodeMask(0); // a later change is not the command's to undo
    ASSERT_TRUE(isolate.Unexecute());
    EXPECT_EQ(t["a"]->getNodeMask(), 0u);
}

TEST(SetAllDisplayedCommand, ShowsEveryModelAndUndoRestores)
{
    Tree t;
    t["a1"]->setNodeMask(0);
    t["b"]->setNodeMask(0);
    t["root"]->setNodeMask(0);
    const auto before = t.masks();
    Vantor::SetAllDisplayedCommand all(t["root"]);
    ASSERT_TRUE(all.Execute());
    for (const auto& entry : t.masks())
        EXPECT_EQ(entry.second, kShown) << entry.first;
    ASSERT_TRUE(all.Unexecute());
    EXPECT_EQ(t.masks(), before);

    // Redo takes a fresh snapshot: undo then goes back to the state just before the redo.
    t["a2"]->setNodeMask(0);
    ASSERT_TRUE(all.Execute());
    ASSERT_TRUE(all.Unexecute());
    EXPECT_EQ(t["a2"]->getNodeMask(), 0u);
    EXPECT_EQ(t["a1"]->getNodeMask(), 0u);
}

TEST(SetAllDisplayedCommand, NullRootChangesNothing)
{
    Vantor::SetAllDisplayedCommand all(nullptr);
    EXPECT_TRUE(all.Execute());
    EXPECT_TRUE(all.Unexecute());
    EXPECT_EQ(all.Name(), "SetAllDisplayedCommand");
}
