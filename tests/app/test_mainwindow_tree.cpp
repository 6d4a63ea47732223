// The structure tree, its search and the property panels in the real main window.

#include "app/MainWindow.h"
#include "panels/OsgTreeModel.h"
#include "panels/SmallPanels.h"
#include "view/SceneModel.h"
#include "view/PickingHandler.h"
#include "view/SceneView.h"
#include "vantor/command/CameraTransition.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/model/Model.h"
#include "vantor/model/NodeFlags.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/ShapeDrawable>

#include <QAccessible>
#include <QAction>
#include <QCompleter>
#include <QDockWidget>
#include <QMenu>
#include <QTest>

#include <functional>

namespace {

const QString kSample = QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo");

struct Window
{
    Window()
    {
        w.resize(1000, 700);
        w.show();
        tree = w.findChild<MyTreeView*>("treeViewStructure");
        search = w.findChild<SearchLineEdit*>("lineEditSearch");
        model = tree ? qobject_cast<OsgTreeModel*>(tree->model()) : nullptr;
        selection = w.sceneView()->getSelectionManager();
    }

    bool load(const QString& path = kSample)
    {
        return w.loadFile(path) && QTest::qWaitFor([&] { return !w.isBusy(); }, 20000);
    }

    QStringList childNames(osg::Node* node)
    {
        QStringList names;
        const QModelIndex row = model->findIndex(node);
        for (int i = 0; i < model->rowCount(row); ++i)
            names << model->index(i, 0, row).data().toString();
        return names;
    }

    osg::Node* currentNode() const { return OsgTreeModel::nodeOf(tree->currentIndex()); }

    QStringList selectedNames() const
    {
        QStringList names;
        for (const auto& node : selection->getSelectedList())
            names << QString::fromStdString(node->getName());
        return names;
    }

    void pressReturn(const QString& text)
    {
        search->setText(text);
        QTest::keyClick(search, Qt::Key_Return);
    }

    MainWindow w;
    MyTreeView* tree = nullptr;
    SearchLineEdit* search = nullptr;
    OsgTreeModel* model = nullptr;
    Vantor::ISelectionManager* selection = nullptr;
};

osg::ref_ptr<Vantor::Model> part(const std::string& name)
{
    osg::ref_ptr<Vantor::Model> m = new Vantor::Model;
    m->setName(name);
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(new osg::ShapeDrawable(new osg::Box(osg::Vec3(), 1.0f)));
    m->addChild(geode);
    return m;
}

} // namespace

TEST(MainWindowTree, SampleShowsItsAssemblyAndCheckBoxesHideParts)
{
    Window t;
    ASSERT_TRUE(t.model && t.search);
    ASSERT_TRUE(t.load());
    osg::Node* top = t.model->rootNode();
    ASSERT_TRUE(top);
    EXPECT_EQ(t.model->index(0, 0).data().toString(), "BoltedBracket");
    EXPECT_TRUE(t.tree->isExpanded(t.model->index(0, 0)));
    EXPECT_EQ(t.childNames(top), (QStringList{"BasePlate", "Bolt", "Bolt", "Bolt", "Bolt", "BracketAssembly"}));
    const QModelIndex sub = t.model->findIndexByName("BracketAssembly");
    EXPECT_EQ(t.childNames(OsgTreeModel::nodeOf(sub)), (QStringList{"Bracket", "Pin"}));

    const QModelIndex bolt = t.model->index(1, 0, t.model->index(0, 0));
    ASSERT_TRUE(t.model->setData(bolt, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(OsgTreeModel::nodeOf(bolt)->getNodeMask(), 0u);
    EXPECT_EQ(bolt.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    EXPECT_NE(top->getNodeMask(), 0u);

    // The statistics panel shows the whole model.
    auto* stats = t.w.findChild<PropertyWidget*>("widgetStats");
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->topLevelItem(0)->text(1), "BoltedBracket");

    // Closing the document empties the tree and the panels.
    t.w.unLoadFile();
    EXPECT_EQ(t.model->rootNode(), nullptr);
    EXPECT_EQ(t.model->rowCount(), 1);
    EXPECT_EQ(stats->topLevelItemCount(), 0);
}

TEST(MainWindowTree, TreeClickSelectsInTheViewAndAViewPickSelectsTheRow)
{
    Window t;
    ASSERT_TRUE(t.load());
    QDockWidget* propertyDock = t.w.findChild<QDockWidget*>("propertyDock");
    ASSERT_TRUE(propertyDock);
    propertyDock->show();
    auto* properties = t.w.findChild<PropertyWidget*>("widgetProperties");
    ASSERT_TRUE(properties);

    // Click on the first bolt's row.
    const QModelIndex bolt = t.model->index(1, 0, t.model->index(0, 0));
    t.tree->scrollTo(bolt);
    QTest::mouseClick(t.tree->viewport(), Qt::LeftButton, Qt::NoModifier, t.tree->visualRect(bolt).center());
    ASSERT_EQ(t.selectedNames(), QStringList{"Bolt"});
    EXPECT_EQ(t.selection->getSelectedList().front().get(), OsgTreeModel::nodeOf(bolt));
    EXPECT_EQ(bolt.data(Qt::BackgroundRole).value<QColor>(), QColor("#0e81dc"));
    EXPECT_EQ(properties->topLevelItem(0)->text(1), "Bolt");

    // Clicking an assembly selects it with every model below it.
    const QModelIndex sub = t.model->findIndexByName("BracketAssembly");
    QTest::mouseClick(t.tree->viewport(), Qt::LeftButton, Qt::NoModifier, t.tree->visualRect(sub).center());
    EXPECT_EQ(t.selectedNames(), (QStringList{"BracketAssembly", "Bracket", "Pin"}));
    EXPECT_EQ(properties->topLevelItem(0)->text(1), "BracketAssembly") << "the top node of a selected list";

    // A pick in the view (the view selects through its selection manager) reveals the pin's row.
    t.tree->collapse(sub);
    t.selection->clearSelection();
    osg::Node* pin = OsgTreeModel::nodeOf(t.model->findIndexByName("Pin"));
    t.selection->selectNode(pin, true);
    EXPECT_TRUE(t.tree->isExpanded(t.model->findIndexByName("BracketAssembly")));
    const QModelIndex pinRow = t.model->findIndex(pin);
    EXPECT_TRUE(t.tree->viewport()->rect().intersects(t.tree->visualRect(pinRow)));
    EXPECT_EQ(pinRow.data(Qt::BackgroundRole).value<QColor>(), QColor("#0e81dc"));
    EXPECT_EQ(properties->topLevelItem(0)->text(1), "Pin");

    // A press below the rows unselects everything.
    QTest::mousePress(t.tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, t.tree->viewport()->height() - 3));
    EXPECT_TRUE(t.selection->getSelectedList().empty());
    EXPECT_EQ(properties->topLevelItemCount(), 0);
}

QString rowText(PropertyWidget* panel, const QString& label)
{
    for (int i = 0; i < panel->topLevelItemCount(); ++i)
        if (panel->topLevelItem(i)->text(0) == label)
            return panel->topLevelItem(i)->text(1);
    return QString();
}

// The Window menu opens the property and statistics panels; the property panel follows what
// happens to the part it shows: hidden by the ribbon, undone, hidden by its check box.
TEST(MainWindowTree, WindowMenuOpensThePanelsAndThePropertiesFollowThePart)
{
    Window t;
    ASSERT_TRUE(t.load());
    QDockWidget* propertyDock = t.w.findChild<QDockWidget*>("propertyDock");
    QDockWidget* statisticsDock = t.w.findChild<QDockWidget*>("statisticsDock");
    auto* properties = t.w.findChild<PropertyWidget*>("widgetProperties");
    ASSERT_TRUE(propertyDock && statisticsDock && properties);
    QAction* window = t.w.getAction(QStringLiteral("Basic_Window"));
    ASSERT_TRUE(window && window->menu());
    const QList<QAction*> entries = window->menu()->actions();
    EXPECT_TRUE(entries.contains(propertyDock->toggleViewAction()));
    EXPECT_TRUE(entries.contains(statisticsDock->toggleViewAction()));
    EXPECT_EQ(propertyDock->toggleViewAction()->text(), propertyDock->windowTitle());
    EXPECT_FALSE(propertyDock->isVisible());
    statisticsDock->toggleViewAction()->trigger();
    EXPECT_TRUE(statisticsDock->isVisible());
    propertyDock->toggleViewAction()->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return propertyDock->isVisible(); }, 5000));

    const QModelIndex boltRow = t.model->index(1, 0, t.model->index(0, 0));
    osg::Node* bolt = OsgTreeModel::nodeOf(boltRow);
    t.selection->selectNode(bolt, true);
    const QString shown = PropertyWidget::maskText(0xffffffffu), hidden = PropertyWidget::maskText(0);
    ASSERT_EQ(rowText(properties, "Node Mask"), shown);

    t.w.getAction(QStringLiteral("Basic_Hide"))->trigger();
    ASSERT_EQ(bolt->getNodeMask(), 0u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowText(properties, "Node Mask") == hidden; }, 5000));
    t.w.getAction(QStringLiteral("Undo"))->trigger();
    ASSERT_NE(bolt->getNodeMask(), 0u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowText(properties, "Node Mask") == shown; }, 5000));
    ASSERT_TRUE(t.model->setData(boltRow, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowText(properties, "Node Mask") == hidden; }, 5000));
}

// What a screen reader reads as selected is what the tree paints as selected, whichever way the
// selection was made.
TEST(MainWindowTree, AssistiveTechnologyReadsThePaintedSelection)
{
    Window t;
    ASSERT_TRUE(t.load());
    t.tree->expandAll(); // every row is on the bus
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(t.tree);
    ASSERT_TRUE(access);
    QAccessibleTableInterface* table = access->tableInterface();
    ASSERT_TRUE(table);
    const auto painted = [&] {
        QStringList names;
        for (const QModelIndex& row : t.model->flaggedRows())
            names << row.data().toString();
        names.sort();
        return names;
    };
    // The selected state a screen reader reads on each row's first cell.
    const auto announced = [&] {
        QStringList names;
        for (int row = 0; row < table->rowCount(); ++row) {
            QAccessibleInterface* cell = table->cellAt(row, 0);
            if (cell && cell->state().selected)
                names << cell->text(QAccessible::Name);
        }
        names.sort();
        return names;
    };
    const auto viewRows = [&] {
        QStringList names;
        for (const QModelIndex& row : t.tree->selectionModel()->selectedRows(0))
            names << row.data().toString();
        names.sort();
        return names;
    };
    const auto clickRow = [&](const QString& name, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QModelIndex row = t.model->findIndexByName(name);
        t.tree->scrollTo(row);
        QTest::mouseClick(t.tree->viewport(), Qt::LeftButton, modifiers, t.tree->visualRect(row).center());
    };
    const struct
    {
        const char* step;
        std::function<void()> act;
        QStringList rows;
    } steps[] = {
        {"click BasePlate", [&] { clickRow("BasePlate"); }, {"BasePlate"}},
        {"click the sub-assembly", [&] { clickRow("BracketAssembly"); }, {"Bracket", "BracketAssembly", "Pin"}},
        {"control-click the plate", [&] { clickRow("BasePlate", Qt::ControlModifier); },
         {"BasePlate", "Bracket", "BracketAssembly", "Pin"}},
        {"pick in the view", [&] {
             t.selection->clearSelection();
             t.selection->selectNode(OsgTreeModel::nodeOf(t.model->findIndexByName("Pin")), true);
         }, {"Pin"}},
        {"press below the rows", [&] {
             QTest::mousePress(t.tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                               QPoint(5, t.tree->viewport()->height() - 3));
         }, {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.act();
        EXPECT_EQ(painted(), step.rows);
        EXPECT_EQ(viewRows(), step.rows);
        EXPECT_EQ(table->selectedRowCount(), step.rows.size());
        EXPECT_EQ(announced(), step.rows);
    }
}

TEST(MainWindowTree, ShiftAndControlClicksOnRows)
{
    Window t;
    ASSERT_TRUE(t.load());
    const QModelIndex top = t.model->index(0, 0);
    auto click = [&](int row, Qt::KeyboardModifiers modifiers) {
        const QModelIndex index = t.model->index(row, 0, top);
        QTest::mouseClick(t.tree->viewport(), Qt::LeftButton, modifiers, t.tree->visualRect(index).center());
    };
    click(1, Qt::NoModifier);
    click(3, Qt::ShiftModifier);
    EXPECT_EQ(t.selectedNames(), (QStringList{"Bolt", "Bolt", "Bolt"})) << "a range of rows";

    // Control toggles one row's node (with the models below it) in the selection.
    click(5, Qt::ControlModifier);
    EXPECT_EQ(t.selectedNames(), (QStringList{"Bolt", "Bolt", "Bolt", "BracketAssembly", "Bracket", "Pin"}));
    click(5, Qt::ControlModifier);
    EXPECT_EQ(t.selectedNames(), (QStringList{"Bolt", "Bolt", "Bolt"}));

    // With Shift as well it is a plain click again: a selected row stays selected.
    click(0, Qt::NoModifier);
    click(0, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(t.selectedNames(), QStringList{"BasePlate"});
    click(0, Qt::ControlModifier);
    EXPECT_TRUE(t.selectedNames().isEmpty());
}

TEST(MainWindowTree, SearchFindsTheNextBoltOnEachReturn)
{
    Window t;
    ASSERT_TRUE(t.load());
    const QModelIndex top = t.model->index(0, 0);
    osg::ref_ptr<PickingHandler> camera = t.w.sceneView()->getPickingHandler();
    ASSERT_TRUE(camera);
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        t.pressReturn("Bolt");
        const int expectedRow = 1 + round % 4; // four bolts, then round again to the first
        EXPECT_EQ(t.tree->currentIndex(), t.model->index(expectedRow, 0, top));
        EXPECT_EQ(t.selectedNames(), QStringList{"Bolt"});
        EXPECT_EQ(t.selection->getSelectedList().front().get(), t.currentNode());
        // The camera frames the hit once its short move has ended.
        Vantor::CameraTransition::finish(t.w.sceneView()->getView().get());
        const osg::BoundingBoxd box = Vantor::OsgHelper::computeNodesMergeWorldBoundBox(t.selection->getSelectedList());
        EXPECT_LT((camera->getCameraInfo().center - box.center()).length(), 1e-3);
    }

    // Letter case and whole names count: nothing is found, nothing changes, and the next search
    // starts at the top again.
    const QModelIndex before = t.tree->currentIndex();
    for (const char* text : {"bolt", "Bol"}) {
        t.pressReturn(text);
        EXPECT_EQ(t.tree->currentIndex(), before) << text;
    }
    t.pressReturn("Bolt");
    EXPECT_EQ(t.tree->currentIndex(), t.model->index(1, 0, top));
}

TEST(MainWindowTree, SearchWalksOnFromTheLastHit)
{
    // Top > A (A1 "X", A2), B, D "X": Return finds A1, then D, then A1 again.
    Window t;
    ASSERT_TRUE(t.load()); // the tree takes input while a document is open
    osg::ref_ptr<Vantor::Model> a1 = part("X"), a2 = part("A2"), b = part("B"), d = part("X");
    osg::ref_ptr<Vantor::Model> a = new Vantor::Model, top = new Vantor::Model;
    a->setName("A");
    a->addChild(a1);
    a->addChild(a2);
    top->setName("Top");
    for (auto* child : {a.get(), b.get(), d.get()})
        top->addChild(child);
    t.model->setNode(top.get());

    t.pressReturn("");
    EXPECT_TRUE(t.selection->getSelectedList().empty()) << "an empty text does nothing";
    const osg::Node* expected[] = {a1.get(), d.get(), a1.get()};
    for (const osg::Node* node : expected) {
        t.pressReturn("X");
        EXPECT_EQ(t.currentNode(), node);
    }

    // A name no row has: one pass, nothing selected, and the next search starts at the top again.
    t.selection->clearSelection();
    t.pressReturn("Nothing");
    EXPECT_TRUE(t.selection->getSelectedList().empty());
    t.pressReturn("X");
    EXPECT_EQ(t.currentNode(), a1.get());
    t.model->clear();
}

TEST(MainWindowTree, CaseOptionSwitchesTheCompleter)
{
    Window t;
    ASSERT_TRUE(t.load());
    QCompleter* completer = t.search->completer();
    ASSERT_TRUE(completer);
    EXPECT_EQ(completer->caseSensitivity(), Qt::CaseInsensitive);
    t.search->caseSensitiveAction()->setChecked(true);
    EXPECT_EQ(completer->caseSensitivity(), Qt::CaseSensitive);
    completer->setCompletionPrefix("bol");
    EXPECT_EQ(completer->completionCount(), 0);
    t.search->caseSensitiveAction()->setChecked(false);
    completer->setCompletionPrefix("bol");
    EXPECT_GE(completer->completionCount(), 1); // "Bolt", "BoltedBracket"
}
