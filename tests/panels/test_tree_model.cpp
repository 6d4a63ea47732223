// The structure tree's item model, view, delegate and assembly listener over a small assembly.

#include "panels/MyTreeView.h"
#include "panels/OsgTreeAssemblyListener.h"
#include "panels/OsgTreeModel.h"
#include "panels/QTreeviewDelegate.h"
#include "view/SelectionManager.h"
#include "vantor/model/Model.h"
#include "vantor/model/NodeFlags.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/ShapeDrawable>

#include <QAbstractItemModelTester>
#include <QDataStream>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <map>
#include <string>

namespace {

using Vantor::Model;

osg::ref_ptr<osg::Geode> body()
{
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(new osg::ShapeDrawable(new osg::Box(osg::Vec3(), 1.0f)));
    return geode;
}

osg::ref_ptr<Model> part(const std::string& name)
{
    osg::ref_ptr<Model> m = new Model;
    m->setName(name);
    m->addChild(body());
    return m;
}

osg::ref_ptr<Model> assembly(const std::string& name, std::initializer_list<osg::ref_ptr<Model>> children)
{
    osg::ref_ptr<Model> m = new Model;
    m->setName(name);
    for (const auto& child : children)
        m->addChild(child);
    return m;
}

// "NodeScene" > Top > A (A1 "X", A2), B, D "X"; three levels of rows.
struct Assembly
{
    Assembly()
    {
        a1 = part("X");
        a2 = part("A2");
        a = assembly("A", {a1, a2});
        b = part("B");
        d = part("X");
        top = assembly("Top", {a, b, d});
        scene->setName("NodeScene");
        scene->addChild(top);
    }

    osg::ref_ptr<osg::Group> scene = new osg::Group;
    osg::ref_ptr<Model> top, a, a1, a2, b, d;
};

// Model-tester failures arrive as warnings of its logging category.
struct TesterWarnings
{
    TesterWarnings()
    {
        messages().clear();
        previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (type != QtDebugMsg && context.category && QByteArray(context.category) == "qt.modeltest")
                messages() << text;
        });
    }
    ~TesterWarnings() { qInstallMessageHandler(previous); }
    static QStringList& messages()
    {
        static QStringList list;
        return list;
    }
    QtMessageHandler previous;
};

// Whether a dataChanged signal in the spy covered the index.
bool covered(const QSignalSpy& spy, const QModelIndex& index)
{
    for (const QList<QVariant>& args : spy) {
        const QModelIndex from = args.at(0).value<QModelIndex>();
        const QModelIndex to = args.at(1).value<QModelIndex>();
        if (from.parent() == index.parent() && from.row() <= index.row() && index.row() <= to.row() &&
            from.column() <= index.column() && index.column() <= to.column())
            return true;
    }
    return false;
}

QByteArray payloadOf(std::initializer_list<qint64> addresses)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    for (qint64 a : addresses)
        out << a;
    return bytes;
}

qint64 address(const osg::Node* node) { return qint64(reinterpret_cast<quintptr>(node)); }

// What dragAssemblies reported.
struct DragRecorder
{
    explicit DragRecorder(OsgTreeModel& model)
    {
        QObject::connect(&model, &OsgTreeModel::dragAssemblies, &context,
                         [this](const QList<osg::Node*>& nodes, const QModelIndex& target) {
                             calls.append({nodes, target});
                         });
    }
    QObject context;
    QList<QPair<QList<osg::Node*>, QModelIndex>> calls;
};

} // namespace

TEST(TreeModel, PassesTheModelTesterThroughResetsAndChecks)
{
    TesterWarnings warnings;
    Assembly t;
    OsgTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    model.setNode(t.top.get());
    model.setData(model.findIndex(t.a.get()), Qt::Unchecked, Qt::CheckStateRole);
    model.setData(model.findIndex(t.a1.get()), Qt::Checked, Qt::CheckStateRole);
    t.a->removeChild(t.a2.get());
    model.refreshStructure();
    model.setNode(t.a.get());
    model.clear();
    EXPECT_TRUE(TesterWarnings::messages().isEmpty()) << TesterWarnings::messages().join('\n').toStdString();
}

TEST(TreeModel, RowsColumnsAndRoles)
{
    Assembly t;
    osg::ref_ptr<Model> empty = new Model; // a group without children, without a name
    t.top->addChild(empty);
    t.b->addDescription("first");
    t.b->addDescription("second");
    osg::ref_ptr<SelectionManager> selection = new SelectionManager(nullptr);
    OsgTreeModel model;
    model.setSelectionManager(selection.get());
    model.setNode(t.top.get());

    ASSERT_EQ(model.rowCount(), 1);
    const QModelIndex top = model.index(0, 0);
    EXPECT_EQ(OsgTreeModel::nodeOf(top), t.top.get());
    ASSERT_EQ(model.rowCount(top), 4);
    const QModelIndex a = model.index(0, 0, top);
    const QModelIndex a2 = model.index(1, 0, a);
    EXPECT_EQ(OsgTreeModel::nodeOf(a2), t.a2.get());
    EXPECT_EQ(model.parent(a2), a);
    EXPECT_EQ(model.parent(a), top);
    EXPECT_FALSE(model.parent(top).isValid());
    EXPECT_FALSE(model.index(1, 0).isValid()) << "one top row only";
    EXPECT_EQ(model.rowCount(model.index(0, 1, top)), 0) << "children hang under column 0 only";
    EXPECT_EQ(model.columnCount(top), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Type");
    EXPECT_EQ(int(model.flags(a)), 127);

    const QModelIndex b = model.index(1, 0, top);
    const QModelIndex e = model.index(3, 0, top);
    EXPECT_EQ(b.data().toString(), "B");
    EXPECT_EQ(e.data().toString(), "<unnamed>");
    EXPECT_EQ(b.sibling(1, 1).data().toString(), "Model");
    EXPECT_EQ(b.sibling(1, 2).data().toString(), "first\nsecond\n");
    EXPECT_FALSE(a.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(b.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(b.data(Qt::BackgroundRole).value<QColor>(), QColor("#FFFFFF"));
    selection->addSelected(t.b.get());
    EXPECT_EQ(b.data(Qt::BackgroundRole).value<QColor>(), QColor("#0e81dc"));
    EXPECT_FALSE(b.data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(e.data(Qt::ForegroundRole).value<QColor>(), QColor("#b6b6b6"));
    EXPECT_EQ(e.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked)) << "an empty group shows unchecked";
    EXPECT_EQ(b.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));

    // Renaming goes to the node, in UTF-8.
    EXPECT_TRUE(model.setData(b, QString::fromUtf8("螺栓"), Qt::EditRole));
    EXPECT_EQ(t.b->getName(), "螺栓");
    EXPECT_EQ(b.data().toString(), QString::fromUtf8("螺栓"));
}

TEST(TreeModel, WithoutRootShowsOneEmptyRow)
{
    OsgTreeModel model;
    ASSERT_EQ(model.rowCount(), 1);
    const QModelIndex row = model.index(0, 0);
    ASSERT_TRUE(row.isValid());
    EXPECT_FALSE(row.data().isValid());
    EXPECT_FALSE(row.data(Qt::CheckStateRole).isValid());
    EXPECT_EQ(model.rowCount(row), 0);
    EXPECT_FALSE(model.setData(row, "x", Qt::EditRole));
}

TEST(TreeModel, CheckStatesAndTheRowsTheyChange)
{
    struct Case
    {
        const char* what;
        std::function<void(Assembly&, SelectionManager&)> setUp;
        Qt::CheckState value;
        std::map<std::string, osg::Node::NodeMask> masks; // by fixture member name
        std::vector<const char*> changedRows;             // rows that must have been signalled
    };
    const osg::Node::NodeMask all = 0xFFFFFFFFu;
    const Case cases[] = {
        {"unchecking a selected node hides every selected node",
         [](Assembly& t, SelectionManager& s) { s.addSelected(t.a1.get()); s.addSelected(t.b.get()); },
         Qt::Unchecked, {{"a1", 0}, {"b", 0}, {"a", all}, {"top", all}, {"d", all}}, {"a1", "b"}},
        {"checking an unselected node changes only it and its ancestors",
         [](Assembly& t, SelectionManager& s) {
             t.a1->setNodeMask(0); t.a2->setNodeMask(0); t.a->setNodeMask(0); t.b->setNodeMask(0);
             s.addSelected(t.b.get());
         },
         Qt::Checked, {{"a1", all}, {"a", all}, {"a2", 0}, {"b", 0}}, {"a1", "a"}},
        {"unchecking the last shown child hides its assembly",
         [](Assembly& t, SelectionManager&) { t.a2->setNodeMask(0); },
         Qt::Unchecked, {{"a1", 0}, {"a", 0}, {"top", all}}, {"a1", "a"}},
        {"a mask neither 0 nor all ones does not count as shown",
         [](Assembly& t, SelectionManager&) { t.a2->setNodeMask(0x1); },
         Qt::Unchecked, {{"a1", 0}, {"a", 0}, {"a2", 0x1}}, {"a1", "a"}},
        {"the last hidden assembly hides the top as well",
         [](Assembly& t, SelectionManager&) { t.a2->setNodeMask(0); t.b->setNodeMask(0); t.d->setNodeMask(0); },
         Qt::Unchecked, {{"a1", 0}, {"a", 0}, {"top", 0}}, {"a1", "a", "top"}},
    };
    const std::map<std::string, osg::ref_ptr<Model> Assembly::*> members = {
        {"top", &Assembly::top}, {"a", &Assembly::a}, {"a1", &Assembly::a1},
        {"a2", &Assembly::a2},   {"b", &Assembly::b}, {"d", &Assembly::d}};

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Assembly t;
        osg::ref_ptr<SelectionManager> selection = new SelectionManager(nullptr);
        OsgTreeModel model;
        model.setSelectionManager(selection.get());
        model.setNode(t.top.get());
        c.setUp(t, *selection);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        ASSERT_TRUE(model.setData(model.findIndex(t.a1.get()), c.value, Qt::CheckStateRole));
        for (const auto& [name, mask] : c.masks)
            EXPECT_EQ((t.*members.at(name))->getNodeMask(), mask) << name;
        for (const char* name : c.changedRows)
            EXPECT_TRUE(covered(changed, model.findIndex((t.*members.at(name)).get()))) << name << " not signalled";
        EXPECT_EQ(model.findIndex(t.a2.get()).data(Qt::CheckStateRole).toInt(),
                  t.a2->getNodeMask() ? int(Qt::Checked) : int(Qt::Unchecked));
    }
}

TEST(TreeModel, CheckingAnAssemblySetsEveryModelBelowAndSignalsThem)
{
    Assembly t;
    OsgTreeModel model;
    model.setNode(t.top.get());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(model.setData(model.findIndex(t.a.get()), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(t.a->getNodeMask(), 0u);
    EXPECT_EQ(t.a1->getNodeMask(), 0u);
    EXPECT_EQ(t.a2->getNodeMask(), 0u);
    EXPECT_TRUE(covered(changed, model.findIndex(t.a1.get())));
    EXPECT_TRUE(covered(changed, model.findIndex(t.a2.get())));

    ASSERT_TRUE(model.setData(model.findIndex(t.a.get()), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(t.a1->getNodeMask(), 0xFFFFFFFFu);
    EXPECT_EQ(t.a2->getNodeMask(), 0xFFFFFFFFu);
}

TEST(TreeModel, FindByNameIsExactCaseSensitiveAndUtf8)
{
    Assembly t;
    t.b->setName("螺栓 M10");
    OsgTreeModel model;
    model.setNode(t.top.get());
    const QModelIndex top = model.index(0, 0);
    struct Case
    {
        QString text;
        QModelIndex start;
        osg::Node* expected;
    };
    const Case cases[] = {
        {"X", QModelIndex(), t.a1.get()},                            // first in pre-order
        {"X", model.findIndex(t.b.get()), nullptr},                  // B's subtree only
        {"X", model.findIndex(t.d.get()), t.d.get()},                // the start itself counts
        {"x", QModelIndex(), nullptr},                               // letter case counts
        {"To", top, nullptr},                                        // the beginning of a name is not the name
        {"Top", top, t.top.get()},
        {QString::fromUtf8("螺栓 M10"), QModelIndex(), t.b.get()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(OsgTreeModel::nodeOf(model.findIndexByName(c.text, c.start)), c.expected);
    }

    QMap<osg::Node*, QModelIndex> rows;
    model.collectIndexes(rows, top);
    EXPECT_EQ(rows.size(), 6);
    EXPECT_EQ(rows.value(t.a2.get()), model.findIndex(t.a2.get()));
    EXPECT_EQ(model.indexOfNode(t.a2.get()), model.findIndex(t.a2.get()));
    osg::ref_ptr<Model> stranger = part("elsewhere");
    EXPECT_FALSE(model.indexOfNode(stranger.get()).isValid());
}

TEST(TreeModel, DragPayloadTakesTheTopSelectionOrTheCurrentRow)
{
    Assembly t;
    osg::ref_ptr<SelectionManager> selection = new SelectionManager(nullptr);
    OsgTreeModel model;
    QTreeView view;
    view.setModel(&model);
    model.setTreeView(&view);
    model.setNode(t.top.get());
    EXPECT_EQ(model.mimeTypes(), QStringList{"OsgTreeModelDrag"});

    std::unique_ptr<QMimeData> none(model.mimeData({}));
    EXPECT_EQ(none->data("TreeModel"), QByteArray("NULL")) << "no selection manager";

    model.setSelectionManager(selection.get());
    selection->addSelected(t.a.get());
    selection->addSelected(t.a1.get()); // under a selected parent: not dragged itself
    selection->addSelected(t.b.get());
    std::unique_ptr<QMimeData> selected(model.mimeData({}));
    EXPECT_EQ(selected->data("TreeModel"), payloadOf({address(t.a.get()), address(t.b.get())}));

    selection->clearSelection();
    view.setCurrentIndex(model.findIndex(t.d.get()));
    std::unique_ptr<QMimeData> current(model.mimeData({}));
    EXPECT_EQ(current->data("TreeModel"), payloadOf({address(t.d.get())}));

    view.setCurrentIndex(QModelIndex());
    std::unique_ptr<QMimeData> nothing(model.mimeData({}));
    EXPECT_TRUE(nothing->data("TreeModel").isEmpty());
    DragRecorder dragged(model);
    EXPECT_TRUE(model.dropMimeData(nothing.get(), Qt::MoveAction, -1, -1, model.findIndex(t.b.get())));
    ASSERT_EQ(dragged.calls.size(), 1);
    EXPECT_TRUE(dragged.calls.at(0).first.isEmpty());
}

TEST(TreeModel, DropTakesOnlyItsOwnNodesAndRefusesImpossibleMoves)
{
    Assembly t;
    osg::ref_ptr<Model> stranger = part("elsewhere"); // alive, but not in this tree
    osg::ref_ptr<SelectionManager> selection = new SelectionManager(nullptr);
    OsgTreeModel model;
    model.setSelectionManager(selection.get());
    model.setNode(t.top.get());

    // A payload of this model's own drag whose bytes each case rewrites.
    selection->addSelected(t.a1.get());
    std::unique_ptr<QMimeData> own(model.mimeData({}));
    struct Case
    {
        const char* what;
        QByteArray payload;
        osg::Node* target;
        bool fromOwnDrag;
        bool accepted;
    };
    const Case cases[] = {
        {"a part onto another assembly", payloadOf({address(t.a1.get())}), t.b.get(), true, true},
        {"zero addresses are skipped", payloadOf({0, address(t.a1.get())}), t.d.get(), true, true},
        {"onto itself", payloadOf({address(t.a.get())}), t.a.get(), true, false},
        {"onto one of its own descendants", payloadOf({address(t.a.get())}), t.a1.get(), true, false},
        {"the top model cannot move", payloadOf({address(t.top.get())}), t.b.get(), true, false},
        {"a live node of another tree", payloadOf({address(stranger.get())}), t.b.get(), true, false},
        {"an address that is no node at all", payloadOf({0x12345678}), t.b.get(), true, false},
        {"a truncated stream", payloadOf({address(t.a1.get())}).left(5), t.b.get(), true, false},
        {"the same bytes from another drag", payloadOf({address(t.a1.get())}), t.b.get(), false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QMimeData foreign;
        QMimeData* data = c.fromOwnDrag ? own.get() : &foreign;
        data->setData("TreeModel", c.payload);
        const QModelIndex target = model.findIndex(c.target);
        EXPECT_EQ(model.canDropMimeData(data, Qt::MoveAction, -1, -1, target), c.accepted);
        DragRecorder dragged(model);
        EXPECT_EQ(model.dropMimeData(data, Qt::MoveAction, -1, -1, target), c.accepted);
        ASSERT_EQ(dragged.calls.size(), c.accepted ? 1 : 0);
        if (c.accepted) {
            EXPECT_EQ(dragged.calls.at(0).second, target);
        }
    }

    QMimeData unrelated;
    unrelated.setText("not ours");
    EXPECT_TRUE(model.canDropMimeData(&unrelated, Qt::MoveAction, -1, -1, model.findIndex(t.b.get())));
    EXPECT_TRUE(model.canDropMimeData(nullptr, Qt::MoveAction, -1, -1, QModelIndex()));
}

TEST(TreeModel, ResetsClearTheViewAndKeepExpandedRows)
{
    Assembly t;
    OsgTreeModel model;
    QTreeView view;
    view.setModel(&model);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    model.setTreeView(&view);
    model.setNode(t.top.get());
    view.expand(model.index(0, 0));
    view.expand(model.findIndex(t.a.get()));
    view.setCurrentIndex(model.findIndex(t.a1.get()));
    view.selectionModel()->select(model.findIndex(t.a1.get()), QItemSelectionModel::Select);

    // A structural change under the model: A1 leaves the tree and is freed.
    t.a->removeChild(t.a1.get());
    t.a1 = nullptr;
    model.refreshStructure();
    EXPECT_FALSE(view.currentIndex().isValid());
    EXPECT_TRUE(view.selectionModel()->selectedIndexes().isEmpty());
    EXPECT_TRUE(view.isExpanded(model.findIndex(t.a.get())));
    EXPECT_EQ(model.rowCount(model.findIndex(t.a.get())), 1);

    view.setCurrentIndex(model.findIndex(t.b.get()));
    model.clear();
    EXPECT_FALSE(view.currentIndex().isValid());
    EXPECT_EQ(model.rootNode(), nullptr);
}

TEST(TreeModel, AssemblyListenerShowsNewRows)
{
    Assembly t;
    OsgTreeModel model;
    QTreeView view;
    view.setModel(&model);
    model.setTreeView(&view);
    model.setNode(t.top.get());
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    OsgTreeAssemblyListener listener(&view, nullptr);

    // A node added under B becomes its current row.
    osg::ref_ptr<Model> added = part("added");
    const QModelIndex b = model.findIndex(t.b.get());
    t.b->addChild(added);
    listener.onNodeAdded(nullptr, added.get(), b);
    EXPECT_EQ(OsgTreeModel::nodeOf(view.currentIndex()), added.get());
    EXPECT_TRUE(view.isExpanded(model.findIndex(t.b.get())));

    // A new assembly under D is made current and opened for its name.
    osg::ref_ptr<Model> created = assembly("New assembly", {});
    t.d->addChild(created);
    listener.onAssemblyCreated(nullptr, created.get(), model.findIndex(t.d.get()));
    EXPECT_EQ(OsgTreeModel::nodeOf(view.currentIndex()), created.get());
    EXPECT_TRUE(qobject_cast<QTreeviewDelegate*>(view.itemDelegateForColumn(0)));
    auto* editor = view.viewport()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "New assembly");
}

TEST(TreeDelegate, WritesOnlyAChangedName)
{
    Assembly t;
    OsgTreeModel model;
    model.setNode(t.top.get());
    const QModelIndex b = model.findIndex(t.b.get());
    QTreeviewDelegate delegate;
    QWidget parent;
    std::unique_ptr<QWidget> editor(delegate.createEditor(&parent, QStyleOptionViewItem(), b));
    auto* line = qobject_cast<QLineEdit*>(editor.get());
    ASSERT_TRUE(line);
    EXPECT_FALSE(line->accessibleName().isEmpty());
    delegate.setEditorData(line, b);
    EXPECT_EQ(line->text(), "B");

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    delegate.setModelData(line, &model, b);
    EXPECT_EQ(changed.size(), 0) << "unchanged text writes nothing";
    line->setText("b");
    delegate.setModelData(line, &model, b);
    EXPECT_EQ(t.b->getName(), "b") << "a change of letter case is a change";
    EXPECT_EQ(changed.size(), 1);
}

TEST(TreeView, PressBelowTheRowsClearsTheCurrentRowAndReportsIt)
{
    Assembly t;
    OsgTreeModel model;
    MyTreeView view;
    view.resize(300, 400);
    view.setModel(&model);
    model.setNode(t.top.get());
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.setCurrentIndex(model.index(0, 0));
    QSignalSpy clicked(&view, &QAbstractItemView::clicked);
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 380));
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_FALSE(clicked.at(0).at(0).value<QModelIndex>().isValid());
    EXPECT_FALSE(view.currentIndex().isValid());

    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.visualRect(model.index(0, 0)).center());
    EXPECT_EQ(view.currentIndex(), model.index(0, 0)) << "a press on a row is the view's own";
}
