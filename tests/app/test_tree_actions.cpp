// The main window's tree actions: visibility, select-up, the context menu, assembly editing with undo,
// find-next, insert, merge, and a restructured model saved and opened again.

#include "app/MainWindow.h"
#include "common/Prompts.h"
#include "panels/OsgTreeModel.h"
#include "support/TestSupport.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/assembly/AssemblyCommand.h"
#include "vantor/assembly/AssemblyManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/math/NodeMatrix.h"
#include "vantor/merge/ModelMergeCommand.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

#include <osg/io_utils>

#include <algorithm>
#include <sstream>

namespace {

const QString kSample = QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo");

struct ScriptedPrompts : Prompts
{
    QString openName;
    QString saveName;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    int questions = 0;
    int menus = 0;
    ScriptedPrompts() { Prompts::set(this); }
    ~ScriptedPrompts() override { Prompts::set(nullptr); }
    QString getOpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return openName; }
    QString getSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return saveName; }
    QMessageBox::StandardButton question(QWidget*, const QString&, const QString&, QMessageBox::StandardButtons) override
    {
        ++questions;
        return answer;
    }
    QAction* execMenu(QMenu*, const QPoint&) override
    {
        ++menus;
        return nullptr;
    }
};

struct Window
{
    Window()
    {
        w.resize(1000, 700);
        w.show();
        tree = w.findChild<QTreeView*>("treeViewStructure");
        model = tree ? qobject_cast<OsgTreeModel*>(tree->model()) : nullptr;
        selection = w.sceneView()->getSelectionManager();
        commands = w.sceneView()->getCommandManager();
    }
    bool load(const QString& path = kSample)
    {
        return w.loadFile(path) && QTest::qWaitFor([&] { return !w.isBusy(); }, 20000);
    }
    osg::Node* top() const { return model->rootNode(); }
    osg::Node* child(osg::Node* parent, unsigned int i) const { return static_cast<Vantor::Model*>(parent)->getModelChild(i); }
    QModelIndex row(osg::Node* node) const { return model->findIndex(node); }
    void select(std::initializer_list<osg::Node*> nodes)
    {
        selection->clearSelection();
        NodePtrList list(nodes.begin(), nodes.end());
        selection->selectNodes(list, false);
    }
    QStringList names(osg::Node* parent) const
    {
        QStringList out;
        auto* m = static_cast<Vantor::Model*>(parent);
        for (unsigned int i = 0; i < m->getModelChildrenNum(); ++i)
            out << QString::fromStdString(m->getModelChild(i)->getName());
        return out;
    }
    // Each model's address, id, name and placement, depth first.
    static std::string structure(osg::Node* node, int depth = 0)
    {
        std::ostringstream out;
        auto* m = dynamic_cast<Vantor::Model*>(node);
        if (!m)
            return {};
        out << std::string(depth, ' ') << node << ' ' << m->getName() << ' ' << m->getModelID() << ' '
            << m->getMatrix().getTrans() << '\n';
        for (unsigned int i = 0; i < m->getModelChildrenNum(); ++i)
            out << structure(m->getModelChild(i), depth + 1);
        return out.str();
    }

    MainWindow w;
    QTreeView* tree = nullptr;
    OsgTreeModel* model = nullptr;
    Vantor::ISelectionManager* selection = nullptr;
    std::shared_ptr<Vantor::CommandManager> commands;
};

QString scratchCopy(const QString& name)
{
    const QString dir = nerio_test::scratchDir() + "/tree";
    QDir().mkpath(dir);
    const QString path = dir + "/" + name;
    QFile::remove(path);
    QFile::copy(kSample, path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

void expectSameWorld(const osg::Matrixd& expected, const osg::Node* node)
{
    const osg::Matrixd actual = Vantor::worldMatrixOf(node);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(actual(r, c), expected(r, c), 1e-6) << node->getName();
}

} // namespace

TEST(TreeSearch, FindNextReachesEveryMatchDepthFirstAndWraps)
{
    // Top > { A > { Bolt#1, P > { Bolt#2 } }, Bolt#3, Nut }: Bolt#2's parent P is A's last child.
    QStandardItemModel m;
    auto* top = new QStandardItem("Top");
    auto* a = new QStandardItem("A");
    auto* p = new QStandardItem("P");
    auto* bolt1 = new QStandardItem("Bolt");
    auto* bolt2 = new QStandardItem("Bolt");
    auto* bolt3 = new QStandardItem("Bolt");
    auto* nut = new QStandardItem("Nut");
    m.appendRow(top);
    top->appendRow(a);
    a->appendRow(bolt1);
    a->appendRow(p);
    p->appendRow(bolt2);
    top->appendRow(bolt3);
    top->appendRow(nut);

    struct Row
    {
        const char* text;
        QStandardItem* last;
        QStandardItem* expected;
    };
    const Row rows[] = {
        {"Bolt", nullptr, bolt1}, {"Bolt", bolt1, bolt2}, {"Bolt", bolt2, bolt3},
        {"Bolt", bolt3, bolt1},   {"Nut", nut, nut},      {"Zed", nullptr, nullptr},
        {"Zed", bolt1, nullptr},  {"Top", nut, top},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " after " + (row.last ? row.last->text().toStdString() : "none"));
        const QString text = row.text;
        const QModelIndex hit = MainWindow::findNextMatch(&m, row.last ? row.last->index() : QModelIndex(),
                                                          [&](const QModelIndex& i) { return i.data().toString() == text; });
        EXPECT_EQ(hit, row.expected ? row.expected->index() : QModelIndex());
    }
}

TEST(TreeMerge, ResultsGoWhereTheRulesSay)
{
    // Whole scene: the top model's replacement comes back to the caller and nothing else is done.
    {
        osg::ref_ptr<osg::Group> scene = new osg::Group;
        scene->setName("NodeScene");
        osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
        scene->addChild(top);
        osg::ref_ptr<Vantor::Model> merged = new Vantor::Model;
        merged->setModelID(top->getModelID());
        osg::ref_ptr<Vantor::Model> other = new Vantor::Model;
        osg::ref_ptr<Vantor::Model> otherSource = new Vantor::Model;
        top->addChild(otherSource);
        Vantor::MergeResultMap result{{merged, {top}}, {other, {otherSource}}};
        EXPECT_EQ(MainWindow::applyMergeResult(result), merged);
        EXPECT_EQ(scene->getChild(0), top.get());
    }
    // One node under a model: replaced in place.
    {
        osg::ref_ptr<Vantor::Model> parent = new Vantor::Model;
        osg::ref_ptr<Vantor::Model> first = new Vantor::Model, node = new Vantor::Model, last = new Vantor::Model;
        parent->addChild(first);
        parent->addChild(node);
        parent->addChild(last);
        osg::ref_ptr<Vantor::Model> merged = new Vantor::Model;
        merged->setModelID(node->getModelID());
        EXPECT_EQ(MainWindow::applyMergeResult({{merged, {node}}}), nullptr);
        ASSERT_EQ(parent->getNumChildren(), 3u);
        EXPECT_EQ(parent->getChild(1), merged.get());
        EXPECT_EQ(node->getNumParents(), 0u);
    }
    // Two siblings: both go, the merged node comes last and the places are renumbered.
    {
        osg::ref_ptr<Vantor::Model> parent = new Vantor::Model;
        osg::ref_ptr<Vantor::Model> a = new Vantor::Model, b = new Vantor::Model, keep = new Vantor::Model;
        parent->addChild(a);
        parent->addChild(keep);
        parent->addChild(b);
        osg::ref_ptr<Vantor::Model> merged = new Vantor::Model;
        EXPECT_EQ(MainWindow::applyMergeResult({{merged, {a, b}}}), nullptr);
        ASSERT_EQ(parent->getNumChildren(), 2u);
        EXPECT_EQ(parent->getChild(0), keep.get());
        EXPECT_EQ(parent->getChild(1), merged.get());
        EXPECT_EQ(keep->getPlcId(), 0);
        EXPECT_EQ(merged->getPlcId(), 1);
    }
}

TEST(TreeActions, VisibilityAndSelectUpNeedTheirInputs)
{
    Window t;
    // Nothing loaded: isolate says nothing, unload is harmless.
    t.w.on_actionIsolateNode_triggered();
    EXPECT_TRUE(t.w.statusBar()->currentMessage().isEmpty());
    t.w.unLoadFile();

    ASSERT_TRUE(t.load());
    t.selection->clearSelection();
    t.w.on_actionDisableNode_triggered();
    EXPECT_EQ(t.w.statusBar()->currentMessage(), QString::fromUtf8("请先选择一个需要隐藏的模型"));

    osg::Node* bolt = t.child(t.top(), 1);
    t.select({bolt});
    t.w.on_actionDisableNode_triggered();
    EXPECT_EQ(bolt->getNodeMask(), 0u);
    t.w.on_actionEnableNode_triggered();
    EXPECT_NE(bolt->getNodeMask(), 0u);
    ASSERT_TRUE(t.commands->Undo());
    EXPECT_EQ(bolt->getNodeMask(), 0u);

    // Select-up: a part of the sub-assembly selects the sub-assembly's models; the top model stays.
    osg::Node* sub = t.child(t.top(), 5);
    t.select({t.child(sub, 1)});
    t.w.on_actionSelectUpLevel_triggered();
    EXPECT_EQ(t.selection->getSelectedList().size(), 3u); // BracketAssembly, Bracket, Pin
    t.select({t.top()});
    t.w.on_actionSelectUpLevel_triggered();
    ASSERT_EQ(t.selection->getSelectedList().size(), 1u);
    EXPECT_EQ(t.selection->getSelectedList().front(), t.top());
}

TEST(TreeActions, ContextMenuIsBuiltOnceAndPasteFollowsTheClipboard)
{
    Window t;
    ScriptedPrompts prompts;
    ASSERT_TRUE(t.load());
    const QRect rect = t.tree->visualRect(t.row(t.top()));
    QMenu* menu = t.w.treeContextMenu(rect.center());
    ASSERT_TRUE(menu);
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 11);
    EXPECT_TRUE(actions[4]->isSeparator());
    EXPECT_TRUE(actions[8]->isSeparator());
    EXPECT_EQ(actions[0]->text(), "actionCreateAssembly");
    EXPECT_EQ(actions[7]->text(), "actionPasteNode");
    EXPECT_FALSE(actions[7]->isEnabled());
    EXPECT_EQ(t.w.treeContextMenu(QPoint(5, t.tree->viewport()->height() - 2)), nullptr);

    t.select({t.child(t.top(), 1)});
    t.w.on_actionCopyNode_triggered();
    EXPECT_EQ(t.w.treeContextMenu(rect.center()), menu); // the same menu, not a new one
    EXPECT_TRUE(actions[7]->isEnabled());
    t.w.on_treeViewStructure_customContextMenuRequested(rect.center());
    EXPECT_EQ(prompts.menus, 1);
}

TEST(TreeActions, DeleteCutPasteAndDragUndoBackToTheStart)
{
    Window t;
    ASSERT_TRUE(t.load());
    const std::string start = Window::structure(t.top());
    osg::Node* top = t.top();
    osg::Node* sub = t.child(top, 5);

    // Three selected parts: three delete steps in order.
    const std::size_t steps = t.commands->undoCount();
    t.select({t.child(top, 1), t.child(top, 2), t.child(sub, 1)});
    t.w.on_actionDeleteNode_triggered();
    EXPECT_EQ(t.commands->undoCount(), steps + 3);
    EXPECT_EQ(t.names(top), (QStringList{"BasePlate", "Bolt", "Bolt", "BracketAssembly"}));
    EXPECT_EQ(t.names(sub), (QStringList{"Bracket"}));
    EXPECT_TRUE(t.selection->getSelectedList().empty());

    // Cut a bolt, paste it into the sub-assembly: same node, same world place.
    osg::Node* bolt = t.child(top, 1);
    const osg::Matrixd world = Vantor::worldMatrixOf(bolt);
    t.select({bolt});
    t.w.on_actionCutNode_triggered();
    EXPECT_EQ(bolt->getNumParents(), 0u);
    t.tree->setCurrentIndex(t.row(sub));
    t.w.on_actionPasteNode_triggered();
    ASSERT_EQ(bolt->getNumParents(), 1u);
    EXPECT_EQ(bolt->getParent(0), sub);
    expectSameWorld(world, bolt);
    EXPECT_TRUE(t.row(bolt).isValid());

    // Drag the other bolt onto the sub-assembly.
    osg::Node* other = t.child(top, 1);
    t.w.on_actionDragAssembly_triggered({other}, t.row(sub));
    EXPECT_EQ(other->getParent(0), sub);

    // An empty drag or one without a row adds no step.
    const std::size_t before = t.commands->undoCount();
    t.w.on_actionDragAssembly_triggered({}, t.row(sub));
    t.w.on_actionDragAssembly_triggered({other}, QModelIndex());
    EXPECT_EQ(t.commands->undoCount(), before);

    while (t.commands->undoCount() > steps)
        ASSERT_TRUE(t.commands->Undo());
    EXPECT_EQ(Window::structure(t.top()), start);
    EXPECT_EQ(t.model->rowCount(t.row(top)), 6);
}

TEST(TreeActions, InsertAttachesToTheAskedNodeOrNothingWhenItWent)
{
    Window t;
    ScriptedPrompts prompts;
    ASSERT_TRUE(t.load());
    osg::Node* sub = t.child(t.top(), 5);
    prompts.openName = kSample;

    t.tree->setCurrentIndex(t.row(sub));
    t.w.on_actionInsertNode_triggered();
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.names(sub).size() == 3; }, 20000));
    EXPECT_EQ(t.names(sub).last(), "BoltedBracket");
    ASSERT_TRUE(t.commands->Undo());
    EXPECT_EQ(t.names(sub).size(), 2);

    // The row goes before the read returns: nothing is inserted anywhere.
    const std::string before = Window::structure(t.top());
    QSignalSpy messages(t.w.statusBar(), &QStatusBar::messageChanged);
    t.tree->setCurrentIndex(t.row(sub));
    t.w.on_actionInsertNode_triggered();
    t.select({sub});
    t.w.on_actionDeleteNode_triggered();
    const std::string afterDelete = Window::structure(t.top());
    const QString gone = MainWindow::tr("The row to insert under is gone; nothing was inserted.");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return std::any_of(messages.begin(), messages.end(), [&](const auto& m) { return m.at(0) == gone; }); },
        20000));
    EXPECT_EQ(Window::structure(t.top()), afterDelete);
    ASSERT_TRUE(t.commands->Undo());
    EXPECT_EQ(Window::structure(t.top()), before);
}

TEST(TreeActions, RestructuredModelIsSavedAndOpensAgain)
{
    const QString path = scratchCopy("Restructured.dazo");
    ScriptedPrompts prompts;
    {
        Window t;
        ASSERT_TRUE(t.load(path));
        osg::Node* top = t.top();
        t.tree->setCurrentIndex(t.row(top));
        t.w.on_actionCreateAssembly_triggered();
        ASSERT_EQ(t.names(top).size(), 7);
        osg::Node* assembly = t.child(top, 6);
        assembly->setName("Fasteners");
        t.w.on_actionDragAssembly_triggered({t.child(top, 1), t.child(top, 2)}, t.row(assembly));
        ASSERT_EQ(t.names(assembly), (QStringList{"Bolt", "Bolt"}));
        t.select({t.child(assembly, 0)});
        t.w.on_actionCopyNode_triggered();
        t.tree->setCurrentIndex(t.row(assembly));
        t.w.on_actionPasteNode_triggered();
        ASSERT_EQ(t.names(assembly).size(), 3);

        QSignalSpy saved(t.w.loader(), SIGNAL(saveFileFinish()));
        t.w.on_actionSave_triggered();
        ASSERT_TRUE(QTest::qWaitFor([&] { return saved.count() > 0; }, 20000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !t.w.isBusy(); }, 5000));
    }
    Window again;
    ASSERT_TRUE(again.load(path));
    osg::Node* top = again.top();
    EXPECT_EQ(again.names(top), (QStringList{"BasePlate", "Bolt", "Bolt", "BracketAssembly", "Fasteners"}));
    osg::Node* fasteners = again.child(top, 4);
    EXPECT_EQ(again.names(fasteners), (QStringList{"Bolt", "Bolt", "Bolt"}));
    auto id = [&](unsigned int i) { return static_cast<Vantor::Model*>(again.child(fasteners, i))->getModelID(); };
    EXPECT_NE(id(2), id(0));
}

TEST(TreeActions, MergeOfTwoPartsRunsOnItsThreadAndReplacesThem)
{
    Window t;
    ScriptedPrompts prompts;
    ASSERT_TRUE(t.load());
    osg::Node* top = t.top();

    t.select({t.child(top, 1)});
    t.w.on_actionModelCombine_triggered();
    EXPECT_EQ(prompts.questions, 0); // fewer than two: only the tip

    t.select({t.child(top, 1), t.child(top, 2)});
    prompts.answer = QMessageBox::No;
    t.w.on_actionModelCombine_triggered();
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_EQ(t.names(top).size(), 6);

    prompts.answer = QMessageBox::Yes;
    t.w.on_actionModelCombine_triggered();
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.names(top).size() == 5; }, 20000));
    EXPECT_EQ(t.names(top), (QStringList{"BasePlate", "Bolt", "Bolt", "BracketAssembly", "MergeModel"}));
    EXPECT_EQ(t.model->rowCount(t.row(top)), 5);

    // The whole model into one.
    t.w.on_actionModelAutoCombine_triggered();
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.top() != top; }, 20000));
    EXPECT_EQ(static_cast<Vantor::Model*>(t.top())->getModelChildrenNum(), 0u);
    EXPECT_EQ(t.w.sceneModel()->getModel(), t.top());
}

TEST(MergeListener, ResultCrossesAsACopyAndALateCancelStillDelivers)
{
    OsgModelMergeListener listener;
    QSignalSpy shown(&listener, &OsgModelMergeListener::ProgressShown);
    QSignalSpy results(&listener, &OsgModelMergeListener::onMergeModelSignal);
    listener.onMergeBegin();
    ASSERT_EQ(shown.count(), 1);
    EXPECT_TRUE(shown.last().at(0).toBool());

    std::string text = "Merging";
    float value = 40;
    bool cancel = false;
    listener.onMergeProgress(text, &value, &cancel);
    EXPECT_FALSE(cancel);
    listener.Cancel();
    listener.onMergeProgress(text, &value, &cancel);
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(shown.last().at(0).toBool()); // hidden at once

    // The merge had finished anyway: its result still arrives, as a copy of its own.
    osg::ref_ptr<Vantor::Model> merged = new Vantor::Model, source = new Vantor::Model;
    Vantor::MergeResultMap result{{merged, {source}}};
    listener.onMergeResult(result);
    ASSERT_EQ(results.count(), 1);
    result.clear();
    const auto delivered = results.at(0).at(0).value<MergeResultPtr>();
    ASSERT_TRUE(delivered);
    ASSERT_EQ(delivered->size(), 1u);
    EXPECT_EQ(delivered->begin()->first, merged);

    // A new merge clears the cancel.
    listener.onMergeBegin();
    listener.onMergeProgress(text, &value, &cancel);
    EXPECT_FALSE(cancel);
}

TEST(TreeActions, DroppingRowsOnAnAssemblyMovesThemUndoably)
{
    Window t;
    ASSERT_TRUE(t.load());
    osg::Node* top = t.top();
    osg::Node* sub = t.child(top, 5);
    osg::Node* bolt = t.child(top, 1);
    const osg::Matrixd world = Vantor::worldMatrixOf(bolt);
    t.select({bolt}); // a drag carries the selection, as a click on the row makes it
    std::unique_ptr<QMimeData> payload(t.model->mimeData({t.row(bolt)}));
    ASSERT_TRUE(payload);
    ASSERT_TRUE(t.model->dropMimeData(payload.get(), Qt::MoveAction, -1, 0, t.row(sub)));
    EXPECT_EQ(bolt->getParent(0), sub);
    expectSameWorld(world, bolt);
    EXPECT_EQ(t.names(sub), (QStringList{"Bracket", "Pin", "Bolt"}));
    ASSERT_TRUE(t.commands->Undo());
    EXPECT_EQ(bolt->getParent(0), top);
    EXPECT_EQ(t.child(top, 1), bolt);
}
