// The assembly commands edit the model tree and undo restores the exact structure.

#include "vantor/assembly/AssemblyCommands.h"
#include "vantor/assembly/AssemblyManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/math/NodeMatrix.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <osg/Camera>
#include <osg/Geometry>
#include <osg/io_utils>

#include <memory>
#include <sstream>
#include <string>

using namespace Vantor;

namespace {

osg::ref_ptr<Model> model(const std::string& name, const osg::Vec3d& offset = osg::Vec3d())
{
    osg::ref_ptr<Model> m = new Model;
    m->setName(name);
    m->setMatrix(osg::Matrixd::translate(offset));
    return m;
}

osg::ref_ptr<Body> body()
{
    osg::ref_ptr<Body> b = new Body;
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> points = new osg::Vec3Array;
    points->push_back({0, 0, 0});
    points->push_back({1, 0, 0});
    points->push_back({0, 1, 0});
    g->setVertexArray(points);
    g->addPrimitiveSet(new osg::DrawArrays(GL_TRIANGLES, 0, 3));
    b->addDrawable(g);
    return b;
}

struct CountingListener : AssemblyManagerListener
{
    void onAssemblyCreated(AssemblyManager*, osg::Node*, const QModelIndex&) override { ++created; }
    void onNodeAdded(AssemblyManager*, osg::Node*, const QModelIndex&) override { ++added; }
    void onAssembliesChanged(AssemblyManager*) override { ++changed; }
    int created = 0, added = 0, changed = 0;
};

// Top (under a scene group) holds A (with a body), B and Sub; Sub, moved by (0,5,0), holds C.
struct Tree
{
    Tree()
    {
        scene->setName("NodeScene");
        scene->addChild(top);
        top->setMatrix(osg::Matrixd::rotate(osg::PI_2, osg::Vec3d(0, 0, 1)));
        a->addChild(sharedBody);
        top->addChild(a);
        top->addChild(b);
        top->addChild(sub);
        sub->addChild(c);
        manager->AddAssemblyListener(listener);
        commands->setSelectionManager(nullptr);
    }

    template <class C>
    std::shared_ptr<C> make(osg::Node* target)
    {
        auto command = std::make_shared<C>();
        command->setAssemblyManager(manager.get());
        command->setTargetNode(target);
        return command;
    }

    // Every node with its address, id, name and placement, depth first: equal text, same tree.
    static std::string structure(osg::Node* node, int depth = 0)
    {
        std::ostringstream out;
        out << std::string(depth, ' ') << node << ' ' << node->getName();
        if (auto* m = dynamic_cast<Model*>(node))
            out << " id=" << m->getModelID() << " plc=" << m->getPlcId() << " t=" << m->getMatrix().getTrans();
        out << '\n';
        if (osg::Group* g = node->asGroup())
            for (unsigned int i = 0; i < g->getNumChildren(); ++i)
                out << structure(g->getChild(i), depth + 1);
        return out.str();
    }
    std::string structure() const { return structure(scene.get()); }

    osg::ref_ptr<osg::Group> scene = new osg::Group;
    osg::ref_ptr<Model> top = model("Top");
    osg::ref_ptr<Model> a = model("A", {1, 0, 0});
    osg::ref_ptr<Model> b = model("B", {2, 0, 0});
    osg::ref_ptr<Model> sub = model("Sub", {0, 5, 0});
    osg::ref_ptr<Model> c = model("C", {0, 0, 3});
    osg::ref_ptr<Body> sharedBody = body();
    osg::ref_ptr<AssemblyManager> manager = new AssemblyManager;
    std::shared_ptr<CountingListener> listener = std::make_shared<CountingListener>();
    std::shared_ptr<CommandManager> commands = std::make_shared<CommandManager>();
};

void expectSameWorld(const osg::Matrixd& expected, const osg::Node* node)
{
    const osg::Matrixd actual = worldMatrixOf(node);
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col)
            EXPECT_NEAR(actual(r, col), expected(r, col), 1e-9) << node->getName() << " [" << r << "][" << col << "]";
}

} // namespace

TEST(AssemblyCommands, CreateAppendsAnAssemblyAndUndoRedoKeepTheSameNode)
{
    Tree t;
    const std::string before = t.structure();
    auto create = t.make<CreateAssemblyCommand>(t.sub.get());
    ASSERT_TRUE(t.commands->DoCommand(create));
    ASSERT_EQ(t.sub->getNumChildren(), 2u);
    EXPECT_EQ(t.sub->getChild(1), create->createdNode());
    EXPECT_EQ(create->createdNode()->getName(), "Assembly");
    EXPECT_EQ(t.listener->created, 1);
    const std::string after = t.structure();
    ASSERT_TRUE(t.commands->Undo());
    EXPECT_EQ(t.structure(), before);
    ASSERT_TRUE(t.commands->Redo());
    EXPECT_EQ(t.structure(), after);
    EXPECT_EQ(t.listener->created, 1); // a redo does not open the name editor again

    // A row that is not a model gets no assembly and no undo step.
    auto onBody = t.make<CreateAssemblyCommand>(t.sharedBody.get());
    const std::size_t steps = t.commands->undoCount();
    EXPECT_FALSE(t.commands->DoCommand(onBody));
    EXPECT_EQ(t.commands->undoCount(), steps);
}

TEST(AssemblyCommands, DeletingThreeNodesAndUndoingRestoresTheExactTree)
{
    Tree t;
    const std::string before = t.structure();
    for (osg::Node* node : {t.b.get(), t.c.get(), t.a.get()})
        ASSERT_TRUE(t.commands->DoCommand(t.make<DeleteAssemblyCommand>(node)));
    ASSERT_EQ(t.top->getNumChildren(), 1u);
    EXPECT_EQ(t.top->getChild(0), t.sub.get());
    EXPECT_EQ(t.sub->getNumChildren(), 0u);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(t.commands->Undo());
    EXPECT_EQ(t.structure(), before);

    // The top model and nodes outside a model stay; no undo step is left behind.
    const std::size_t steps = t.commands->undoCount();
    EXPECT_FALSE(t.commands->DoCommand(t.make<DeleteAssemblyCommand>(t.top.get())));
    EXPECT_FALSE(t.commands->DoCommand(t.make<DeleteAssemblyCommand>(nullptr)));
    EXPECT_EQ(t.commands->undoCount(), steps);
    EXPECT_EQ(t.structure(), before);
}

TEST(AssemblyCommands, CutThenPasteMovesTheNodeItselfThenMakesInstances)
{
    Tree t;
    const std::string before = t.structure();
    const osg::Matrixd worldA = worldMatrixOf(t.a.get());
    const osg::OSG_ID idA = t.a->getModelID();

    auto cut = t.make<CopyAssemblyCommand>(nullptr);
    cut->SetCopyVals({t.a, t.a}); // listed twice, cut once
    cut->SetCopyType(CopeType_Cut);
    ASSERT_TRUE(t.commands->DoCommand(cut));
    EXPECT_EQ(t.a->getNumParents(), 0u);
    EXPECT_EQ(t.manager->getClipboardCount(), 1);

    auto first = t.make<PasteAssemblyCommand>(t.sub.get());
    ASSERT_TRUE(t.commands->DoCommand(first));
    ASSERT_EQ(first->pastedNodes().size(), 1u);
    EXPECT_EQ(first->pastedNodes()[0], t.a); // the cut node itself, same id
    EXPECT_EQ(t.a->getModelID(), idA);
    EXPECT_EQ(t.a->getParent(0), t.sub.get());
    expectSameWorld(worldA, t.a.get());

    auto second = t.make<PasteAssemblyCommand>(t.top.get());
    ASSERT_TRUE(t.commands->DoCommand(second));
    auto* copy = dynamic_cast<Model*>(second->pastedNodes().at(0).get());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, t.a.get());
    EXPECT_NE(copy->getModelID(), idA);
    EXPECT_EQ(copy->getChild(0), t.sharedBody.get()); // the same geometry, shared
    expectSameWorld(worldA, copy);

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(t.commands->Undo());
    EXPECT_EQ(t.structure(), before);
    EXPECT_EQ(t.manager->getClipboardCount(), 0);
}

// In the program the view's camera holds the scene: a copy keeps its place in the scene when the
// camera moves between the copy and the paste.
TEST(AssemblyCommands, PasteAfterTheCameraMovedKeepsThePlacement)
{
    Tree t;
    osg::ref_ptr<osg::Camera> camera = new osg::Camera;
    camera->setViewMatrix(osg::Matrixd::translate(0, 0, -40));
    camera->addChild(t.scene.get());
    const osg::Matrixd worldA = worldMatrixOf(t.a.get());

    auto copy = t.make<CopyAssemblyCommand>(nullptr);
    copy->SetCopyVals({t.a});
    copy->SetCopyType(CopeType_Copy);
    ASSERT_TRUE(t.commands->DoCommand(copy));
    camera->setViewMatrix(osg::Matrixd::rotate(0.5, osg::X_AXIS) * osg::Matrixd::translate(3, 0, -80));
    auto paste = t.make<PasteAssemblyCommand>(t.sub.get());
    ASSERT_TRUE(t.commands->DoCommand(paste));
    ASSERT_EQ(paste->pastedNodes().size(), 1u);
    expectSameWorld(worldA, paste->pastedNodes()[0].get());
}

TEST(AssemblyCommands, CopyOfAnAssemblyPastesNewIdsForEveryModel)
{
    Tree t;
    auto copy = t.make<CopyAssemblyCommand>(nullptr);
    copy->SetCopyVals({t.sub, t.c}); // C goes with Sub
    copy->SetCopyType(CopeType_Copy);
    ASSERT_TRUE(t.commands->DoCommand(copy));
    EXPECT_EQ(t.manager->getClipboardCount(), 1);
    EXPECT_EQ(t.sub->getParent(0), t.top.get()); // a copy leaves the model alone

    auto paste = t.make<PasteAssemblyCommand>(t.a.get());
    ASSERT_TRUE(t.commands->DoCommand(paste));
    auto* pastedSub = dynamic_cast<Model*>(paste->pastedNodes().at(0).get());
    ASSERT_TRUE(pastedSub);
    ASSERT_EQ(pastedSub->getModelChildrenNum(), 1u);
    EXPECT_NE(pastedSub->getModelID(), t.sub->getModelID());
    EXPECT_NE(pastedSub->getModelChild(0), t.c.get());
    EXPECT_NE(pastedSub->getModelChild(0)->getModelID(), t.c->getModelID());
    expectSameWorld(worldMatrixOf(t.c.get()), pastedSub->getModelChild(0));
}

TEST(AssemblyCommands, DragKeepsWorldPlacesAndRefusesMovesIntoItself)
{
    Tree t;
    const std::string before = t.structure();
    const osg::Matrixd worldA = worldMatrixOf(t.a.get());
    const osg::Matrixd worldB = worldMatrixOf(t.b.get());

    auto drag = t.make<DragAssemblyCommand>(t.c.get());
    drag->SetList({t.a.get(), t.b.get(), t.sub.get()}); // Sub lies above C: stays
    ASSERT_TRUE(t.commands->DoCommand(drag));
    ASSERT_EQ(t.c->getNumChildren(), 2u);
    EXPECT_EQ(t.c->getChild(0), t.a.get());
    EXPECT_EQ(t.c->getChild(1), t.b.get());
    expectSameWorld(worldA, t.a.get());
    expectSameWorld(worldB, t.b.get());
    ASSERT_TRUE(t.commands->Undo());
    EXPECT_EQ(t.structure(), before);

    // Nothing to move: no undo step.
    const std::size_t steps = t.commands->undoCount();
    auto none = t.make<DragAssemblyCommand>(t.c.get());
    none->SetList({t.sub.get(), t.c.get()});
    EXPECT_FALSE(t.commands->DoCommand(none));
    EXPECT_EQ(t.commands->undoCount(), steps);
}

TEST(AssemblyCommands, AddHangsALoadedModelUnderTheRow)
{
    Tree t;
    const std::string before = t.structure();
    osg::ref_ptr<Model> loaded = model("Loaded");
    auto add = t.make<AddAssemblyCommand>(t.sub.get());
    add->setNode(loaded);
    ASSERT_TRUE(t.commands->DoCommand(add));
    EXPECT_EQ(loaded->getParent(0), t.sub.get());
    EXPECT_EQ(t.listener->added, 1);
    ASSERT_TRUE(t.commands->Undo());
    EXPECT_EQ(t.structure(), before);
}
