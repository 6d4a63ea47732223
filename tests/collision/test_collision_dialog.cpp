#include "CollisionFixtures.h"

#include "app/MainWindow.h"
#include "common/Prompts.h"
#include "dialogs/CollisionCancelDialog.h"
#include "dialogs/CollisionDialog.h"
#include "dialogs/MyCollisionCallback.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/collision/CollisionInfoDecorator.h"
#include "vantor/collision/CollisionManager.h"
#include "vantor/command/ISelectionManager.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QImage>
#include <QSet>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <functional>
#include <thread>

using namespace collision_test;

namespace {

// Answers the message boxes without showing them and counts them.
struct CountingPrompts : Prompts
{
    QStringList warnings;
    QStringList informations;
    void warning(QWidget*, const QString&, const QString& text) override { warnings << text; }
    void information(QWidget*, const QString&, const QString& text) override { informations << text; }
    CountingPrompts() { Prompts::set(this); }
    ~CountingPrompts() override { Prompts::set(nullptr); }
};

// A view holding an assembly: A and B overlap by 2, C stands apart, and D and E sit in a
// sub-assembly, D overlapping C.
struct ViewFixture
{
    SceneView view;
    SceneModel scene;
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    osg::ref_ptr<Vantor::Model> sub = new Vantor::Model;
    Vantor::Model *a, *b, *c, *d, *e;

    ViewFixture()
    {
        top->setName("Top");
        sub->setName("Sub");
        a = add(top, boxPart("A", {0, 0, 0}, {10, 10, 10}));
        b = add(top, boxPart("B", {8, 2, 2}, {18, 8, 8}));
        c = add(top, boxPart("C", {40, 0, 0}, {50, 10, 10}));
        top->addChild(sub.get());
        d = add(sub, boxPart("D", {49, 0, 0}, {60, 10, 10}));
        e = add(sub, boxPart("E", {80, 0, 0}, {90, 10, 10}));
        view.setSceneModel(&scene);
        scene.setModel(top.get());
    }
    static Vantor::Model* add(osg::ref_ptr<Vantor::Model>& parent, osg::ref_ptr<Vantor::Model> child)
    {
        parent->addChild(child.get());
        return child.get();
    }
    void select(std::initializer_list<osg::Node*> nodes)
    {
        Vantor::ISelectionManager* selection = view.getSelectionManager();
        selection->clearSelection();
        for (osg::Node* n : nodes)
            selection->addSelected(n);
    }
};

QStringList column(QTableWidget& table, int c)
{
    QStringList texts;
    for (int r = 0; r < table.rowCount(); ++r)
        texts << (table.item(r, c) ? table.item(r, c)->text() : QString());
    return texts;
}

QStringList names(const std::list<osg::ref_ptr<osg::Node>>& list)
{
    QStringList out;
    for (const auto& n : list)
        out << QString::fromStdString(n->getName());
    out.sort();
    return out;
}

Vantor::CollisionInfo result(osg::Node* n1, osg::Node* n2, Vantor::CollisionType type, std::vector<float> distances)
{
    Vantor::CollisionInfo info;
    info.node1 = n1;
    info.node2 = n2;
    info.type = type;
    for (float d : distances)
        info.contacts.push_back({osg::Vec3f(), d});
    return info;
}

// Holds the check at its start until the test lets it go or the check is stopped.
class GatedCallback : public MyCollisionCallback
{
public:
    using MyCollisionCallback::MyCollisionCallback;
    std::atomic<bool> released{false};
    std::atomic<bool> waiting{false};
    void onProgressReset() override
    {
        MyCollisionCallback::onProgressReset();
        waiting = true;
        (void)QTest::qWaitFor([this] { return released || IsStopped(); }, 20000);
    }
};

class GatedDialog : public CollisionDialog
{
public:
    std::shared_ptr<GatedCallback> gate;
    std::shared_ptr<MyCollisionCallback> makeCallback(int run) override
    {
        gate = std::make_shared<GatedCallback>(this, run);
        return gate;
    }
};

// Starts a check and waits for its end; the progress dialog runs its own loop meanwhile.
void computeAndWait(CollisionDialog& dialog)
{
    dialog.on_ButtonCompute_checked();
    ASSERT_FALSE(dialog.isRunning());
}

} // namespace

TEST(CollisionDialog, PercentRoundsUp)
{
    const std::pair<float, int> cases[] = {{0.0f, 0}, {0.421f, 43}, {0.42f, 42}, {0.43f, 43}, {0.001f, 1}, {1.0f, 100}, {1.5f, 100}};
    for (const auto& [fraction, percent] : cases)
        EXPECT_EQ(MyCollisionCallback::percentOf(fraction), percent) << fraction;
}

// The four list buttons show what they do: an add and a remove picture, a tip saying which object.
TEST(CollisionDialog, AddAndRemoveButtonsHaveTellingIconsAndTips)
{
    CollisionDialog dialog(nullptr);
    const struct
    {
        QPushButton* button;
        const char* name;
        bool adds;
    } rows[] = {
        {dialog.buttonOneAdd(), "Add to object 1", true},
        {dialog.buttonOneDelete(), "Remove from object 1", false},
        {dialog.buttonTwoAdd(), "Add to object 2", true},
        {dialog.buttonTwoDelete(), "Remove from object 2", false},
    };
    const auto picture = [](QPushButton* b) { return b->icon().pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32); };
    const QImage addPicture = picture(dialog.buttonOneAdd());
    const QImage removePicture = picture(dialog.buttonOneDelete());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(row.button);
        EXPECT_FALSE(row.button->icon().isNull());
        const QImage image = picture(row.button);
        ASSERT_FALSE(image.isNull());
        // Not a blank square: more than one colour is drawn.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 3);
        EXPECT_EQ(image, row.adds ? addPicture : removePicture);
        EXPECT_EQ(row.button->accessibleName(), row.name);
        EXPECT_EQ(row.button->toolTip(), row.name);
    }
    EXPECT_NE(addPicture, removePicture);
}

TEST(CollisionDialog, AddRemovesDuplicatesAndDeleteTakesRowsOut)
{
    CountingPrompts prompts;
    CollisionDialog orphan;
    orphan.on_ButtonOneAdd_checked();
    ASSERT_EQ(prompts.warnings, QStringList{"m_SceneView == nullptr"});

    ViewFixture f;
    CollisionDialog dialog;
    dialog.setSceneView(&f.view);
    dialog.on_ButtonOneAdd_checked();
    EXPECT_EQ(prompts.warnings.last(), "NodePtrList is empty");

    // The sub-assembly brings its bottom parts; selecting one of them again adds nothing.
    f.select({f.sub.get(), f.a});
    dialog.on_ButtonOneAdd_checked();
    EXPECT_EQ(names(dialog.objectList1()), (QStringList{"A", "D", "E"}));
    QAbstractItemModel* rows = dialog.tableOne()->model();
    ASSERT_EQ(rows->rowCount(), 3);
    EXPECT_EQ(rows->columnCount(), 2);
    EXPECT_EQ(rows->headerData(0, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(rows->headerData(1, Qt::Horizontal).toString(), "Type");
    f.select({f.d});
    dialog.on_ButtonOneAdd_checked();
    EXPECT_EQ(prompts.informations, QStringList{QString::fromUtf8("选中节点已在对象1列表中。")});
    EXPECT_EQ(rows->rowCount(), 3);
    dialog.on_ButtonTwoAdd_checked();
    EXPECT_EQ(names(dialog.objectList2()), QStringList{"D"});

    // Two cells of one row and one cell of another: two rows leave, each once.
    const QString second = rows->index(1, 0).data().toString();
    QItemSelectionModel* selection = dialog.tableOne()->selectionModel();
    selection->select(rows->index(1, 0), QItemSelectionModel::Select);
    selection->select(rows->index(1, 1), QItemSelectionModel::Select);
    selection->select(rows->index(2, 0), QItemSelectionModel::Select);
    dialog.on_ButtonOnedelete_checked();
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(dialog.objectList1().size(), 1u);
    EXPECT_EQ(QString::fromStdString(dialog.objectList1().front()->getName()), rows->index(0, 0).data().toString());
    EXPECT_NE(rows->index(0, 0).data().toString(), second);

    // A mode change empties both lists and turns the object-2 controls off for modes 1 and 2.
    dialog.modeSelector()->setCurrentIndex(1);
    EXPECT_TRUE(dialog.objectList1().empty());
    EXPECT_TRUE(dialog.objectList2().empty());
    EXPECT_FALSE(dialog.buttonTwoAdd()->isEnabled());
    EXPECT_FALSE(dialog.tableTwo()->isEnabled());
    EXPECT_TRUE(dialog.buttonOneAdd()->isEnabled());
    dialog.modeSelector()->setCurrentIndex(0);
    EXPECT_TRUE(dialog.buttonTwoAdd()->isEnabled());
}

// Tolerance from the detection type; a start with nothing to check warns and opens nothing.
TEST(CollisionDialog, ToleranceAndStartsWithNothingToCheck)
{
    CountingPrompts prompts;
    ViewFixture f;
    CollisionDialog dialog;
    dialog.setSceneView(&f.view);
    struct Case
    {
        int type;
        bool contact;
        int clearance;
        float tolerance;
    };
    for (const Case& c : {Case{0, false, 7, 0.0f}, Case{0, true, 7, 0.01f}, Case{1, true, 5, 5.0f}, Case{1, false, 0, 0.0f}}) {
        dialog.detectionType()->button(c.type)->setChecked(true);
        dialog.contactOption()->setChecked(c.contact);
        dialog.clearance()->setValue(c.clearance);
        dialog.on_ButtonCompute_checked(); // lists are empty: nothing starts
        EXPECT_FLOAT_EQ(dialog.tolerance(), c.tolerance);
    }
    EXPECT_EQ(prompts.warnings.size(), 4);
    EXPECT_FALSE(dialog.progressDialog()->isVisible());
    EXPECT_FALSE(dialog.callback());
    EXPECT_EQ(dialog.currentRun(), 0);

    // Mode 0 with an empty object 2, and a view without a model.
    f.select({f.a});
    dialog.on_ButtonOneAdd_checked();
    dialog.on_ButtonCompute_checked();
    EXPECT_EQ(prompts.warnings.last(), "Object 2 has no objects to check.");
    f.scene.setModel(nullptr);
    dialog.modeSelector()->setCurrentIndex(2);
    dialog.on_ButtonOneAdd_checked();
    dialog.on_ButtonCompute_checked();
    EXPECT_EQ(prompts.warnings.last(), "No model is loaded.");
    EXPECT_FALSE(dialog.callback());
    EXPECT_FALSE(dialog.isRunning());
}

TEST(CollisionDialog, ResultRows)
{
    ViewFixture f;
    CollisionDialog dialog;
    QTableWidget table;
    dialog.setResultTable(&table);
    using T = Vantor::CollisionType;
    auto results = std::make_shared<Vantor::CollisionInfoList>();
    results->push_back(result(f.a, f.b, T::Interference, {0.0f, -0.5f}));
    results->push_back(result(f.c, f.d, T::Interference, {0.0f}));
    results->push_back(result(f.a, f.c, T::Contact, {0.004f}));
    results->push_back(result(f.d, f.e, T::Clearance, {3.0f, 3.0f}));
    results->push_back(result(f.b, f.e, T::Interference, {}));
    dialog.refreshResults(results);
    EXPECT_EQ(table.columnCount(), 5);
    EXPECT_EQ(table.horizontalHeaderItem(3)->text(), "Distance");
    EXPECT_EQ(column(table, 0), (QStringList{QString::fromUtf8("干涉"), QString::fromUtf8("接触"), QString::fromUtf8("接触"),
                                             QString::fromUtf8("间隙不足"), QString::fromUtf8("接触")}));
    EXPECT_EQ(column(table, 1), (QStringList{"A", "C", "A", "D", "B"}));
    EXPECT_EQ(column(table, 2), (QStringList{"B", "D", "C", "E", "E"}));
    EXPECT_EQ(column(table, 3), (QStringList{"-0.50", "0.00", "0.00", "3.00", "0.00"}));
    EXPECT_EQ(table.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(table.selectionMode(), QAbstractItemView::SingleSelection);

    // A longer list of the same results keeps the rows and adds the new one; a different one rebuilds.
    QTableWidgetItem* first = table.item(0, 0);
    results->push_back(result(f.c, f.e, T::Interference, {-1.25f}));
    dialog.refreshResults(results);
    EXPECT_EQ(table.rowCount(), 6);
    EXPECT_EQ(table.item(0, 0), first);
    EXPECT_EQ(table.item(5, 3)->text(), "-1.25");
    results->pop_front();
    dialog.refreshResults(results);
    EXPECT_EQ(table.rowCount(), 5);
    EXPECT_EQ(column(table, 1).first(), "C");

    // No results before a check has completed: an empty table, no "none" row.
    dialog.refreshResults(std::make_shared<Vantor::CollisionInfoList>());
    EXPECT_EQ(table.rowCount(), 0);
}

// A check from the dialog: the worker runs, the progress dialog ends by itself, the table lists the
// pairs and a clicked row is drawn in 3D.
TEST(CollisionDialog, ChecksInEachModeAndShowsARow)
{
    CountingPrompts prompts;
    ViewFixture f;
    CollisionDialog dialog;
    QTableWidget table;
    dialog.setSceneView(&f.view);
    dialog.setResultTable(&table);
    QSignalSpy computed(&dialog, SIGNAL(CollisionComputed()));

    // Mode 0: A and C against B and D.
    f.select({f.a, f.c});
    dialog.on_ButtonOneAdd_checked();
    f.select({f.b, f.d});
    dialog.on_ButtonTwoAdd_checked();
    computeAndWait(dialog);
    EXPECT_EQ(computed.count(), 1);
    EXPECT_TRUE(dialog.callback()->IsCompleted());
    // Rows follow the list, which is ordered by node identity.
    ASSERT_EQ(table.rowCount(), 2);
    const int rowC = table.item(0, 1)->text() == "C" ? 0 : 1;
    EXPECT_EQ(table.item(1 - rowC, 1)->text() + table.item(1 - rowC, 2)->text() + table.item(1 - rowC, 3)->text(), "AB-2.00");
    EXPECT_EQ(table.item(rowC, 1)->text() + table.item(rowC, 2)->text() + table.item(rowC, 3)->text(), "CD-1.00");
    EXPECT_FALSE(dialog.progressDialog()->isVisible());
    EXPECT_FALSE(dialog.progressDialog()->callback());

    osg::ref_ptr<Vantor::CollisionInfoDecorator> decorator = f.view.GetCollisionInfoDecoratorManager();
    EXPECT_EQ(decorator->getParent(0), f.view.getSceneGroup());
    dialog.showCollisionInfo(rowC);
    std::vector<osg::ref_ptr<osg::Node>> shown = decorator->shownNodes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].get(), f.c);
    EXPECT_EQ(shown[1].get(), f.d);
    EXPECT_FALSE(decorator->shownPoints().empty());
    EXPECT_EQ(f.d->getNumParents(), 1u); // drawn again without a second parent
    for (int row : {2, -1, 99}) {
        dialog.showCollisionInfo(row);
        EXPECT_EQ(decorator->shownNodes().size(), 2u) << row;
        EXPECT_EQ(decorator->shownNodes()[0].get(), f.c) << row;
    }

    // Mode 1: C against the whole model, itself included, finds D only; list 2 stays as it was.
    dialog.modeSelector()->setCurrentIndex(1);
    f.select({f.c});
    dialog.on_ButtonOneAdd_checked();
    computeAndWait(dialog);
    EXPECT_EQ(column(table, 1), QStringList{"C"});
    EXPECT_EQ(column(table, 2), QStringList{"D"});
    EXPECT_TRUE(dialog.objectList2().empty());

    // Mode 2: the selected parts among themselves; nothing found reads "none".
    dialog.modeSelector()->setCurrentIndex(2);
    f.select({f.a, f.c, f.e});
    dialog.on_ButtonOneAdd_checked();
    computeAndWait(dialog);
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.item(0, 0)->text(), QString::fromUtf8("无"));
    EXPECT_EQ(table.item(0, 0)->textAlignment(), int(Qt::AlignCenter));
    dialog.showCollisionInfo(0);
    EXPECT_EQ(decorator->shownNodes()[0].get(), f.c); // no results: the display stays
    EXPECT_EQ(computed.count(), 3);
    EXPECT_EQ(dialog.currentRun(), 3);
    EXPECT_TRUE(prompts.warnings.isEmpty());
}

// Cancel during a run: a second start is refused, the cancel stops the worker, the run ends.
// Closing the progress dialog stops and joins the same way.
TEST(CollisionDialog, CancelAndCloseDuringARun)
{
    ViewFixture f;
    for (const bool byClose : {false, true}) {
        SCOPED_TRACE(byClose ? "closed" : "cancelled");
        GatedDialog dialog;
        QTableWidget table;
        dialog.setSceneView(&f.view);
        dialog.setResultTable(&table);
        dialog.modeSelector()->setCurrentIndex(2);
        f.select({f.a, f.b});
        dialog.on_ButtonOneAdd_checked();
        QSignalSpy computed(&dialog, SIGNAL(CollisionComputed()));

        bool refused = false;
        QTimer::singleShot(0, &dialog, [&] {
            ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.gate && dialog.gate->waiting; }, 5000));
            EXPECT_TRUE(dialog.isRunning());
            EXPECT_TRUE(dialog.progressDialog()->isVisible());
            const int run = dialog.currentRun();
            dialog.on_ButtonCompute_checked();
            refused = dialog.currentRun() == run && dialog.isRunning();
            if (byClose)
                dialog.progressDialog()->reject();
            else
                dialog.progressDialog()->form().pushButton->click();
        });
        dialog.on_ButtonCompute_checked();
        EXPECT_TRUE(refused);
        EXPECT_FALSE(dialog.isRunning());
        EXPECT_TRUE(dialog.gate->IsStopped());
        EXPECT_FALSE(dialog.gate->IsCompleted());
        EXPECT_EQ(computed.count(), 1);
        EXPECT_EQ(dialog.currentRun(), 1);
    }
}

// Calls of an earlier check that arrive late change nothing.
TEST(CollisionDialog, LateCallsOfAnEarlierCheckAreDropped)
{
    ViewFixture f;
    CollisionDialog dialog;
    QTableWidget table;
    dialog.setSceneView(&f.view);
    dialog.setResultTable(&table);
    f.select({f.a, f.b});
    dialog.modeSelector()->setCurrentIndex(2);
    dialog.on_ButtonOneAdd_checked();
    computeAndWait(dialog);
    ASSERT_EQ(table.rowCount(), 1);

    auto stale = std::make_shared<MyCollisionCallback>(&dialog, dialog.currentRun() - 1);
    QSignalSpy progress(&dialog, SIGNAL(updateProcess(int)));
    std::thread worker([stale] {
        stale->onPairChecked("X", "Y");
        stale->onProgress();
        stale->onResultsChanged();
    });
    worker.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(progress.count(), 0);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_TRUE(dialog.progressDialog()->form().label->text() != "X vs Y");

    // The current check's calls pass, queued from a worker thread.
    auto current = std::make_shared<MyCollisionCallback>(&dialog, dialog.currentRun());
    std::thread again([current] { current->onPairChecked("X", "Y"); });
    again.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.progressDialog()->form().label->text(), "X vs Y");
}

// The main window: clicks on the table, clearing the display, the colours.
TEST(CollisionWindow, TableClickHideAndColours)
{
    MainWindow w;
    ViewFixture f; // parts only: the window's own scene shows them
    w.sceneModel()->setModel(f.top.get());
    CollisionDialog* dialog = w.collisionDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->sceneView(), w.sceneView());
    EXPECT_EQ(dialog->resultTable(), w.collisionTable());

    auto results = std::make_shared<Vantor::CollisionInfoList>();
    results->push_back(result(f.a, f.b, Vantor::CollisionType::Interference, {-2.0f}));
    dialog->refreshResults(results);
    w.on_CollisionTable_itemClicked(w.collisionTable()->item(0, 1));
    osg::ref_ptr<Vantor::CollisionInfoDecorator> decorator = w.sceneView()->GetCollisionInfoDecoratorManager();
    EXPECT_EQ(decorator->shownNodes().size(), 2u);

    // Shown: nothing changes.
    w.on_CollisionDock_featuresChanged(true);
    EXPECT_EQ(w.collisionTable()->rowCount(), 1);
    w.on_CollisionDock_featuresChanged(false);
    EXPECT_EQ(w.collisionTable()->rowCount(), 0);
    EXPECT_EQ(w.collisionTable()->columnCount(), 5);
    EXPECT_EQ(w.collisionTable()->horizontalHeaderItem(0)->text(), "Type of interference");
    EXPECT_EQ(w.collisionTable()->columnWidth(1), 200);
    EXPECT_EQ(decorator->getNumChildren(), 0u);
    EXPECT_TRUE(dialog->objectList1().empty());

    // Default colours: the pair in the "Contact pair color:" default, the points in the other.
    EXPECT_EQ(decorator->getCollisionpairColor(), osg::Vec4d(0x63 / 255.0, 0xB8 / 255.0, 1.0, 1.0));
    EXPECT_EQ(decorator->getContactPointColor(), osg::Vec4d(0xEE / 255.0, 0xEE / 255.0, 0.0, 1.0));
    w.setCollisionColor(Qt::red, Qt::blue);
    EXPECT_EQ(decorator->getCollisionpairColor(), osg::Vec4d(1, 0, 0, 1));
    EXPECT_EQ(decorator->getContactPointColor(), osg::Vec4d(0, 0, 1, 1));

    // A finished check brings the list into view.
    emit dialog->CollisionComputed();
    EXPECT_TRUE(w.collisionDock()->isVisibleTo(&w));
    w.sceneModel()->setModel(nullptr);
}

// The collision list and the timeline share a tab group: the one that gets results or is switched on
// comes in front of the other.
TEST(CollisionWindow, ADockThatGetsResultsOrIsSwitchedOnComesToTheFront)
{
    MainWindow w;
    w.resize(1200, 900);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QDockWidget* list = w.collisionDock();
    QDockWidget* timeline = w.timelineDock();
    ASSERT_TRUE(list && timeline);
    // In front: shown and not covered by the other tab.
    const auto inFront = [](QDockWidget* dock) { return dock->isVisible() && !dock->visibleRegion().isEmpty(); };
    // Both open, one behind the other.
    list->show();
    timeline->show();

    const struct
    {
        const char* step;
        std::function<void()> act;
        QDockWidget* front;
    } steps[] = {
        {"timeline switched on", [&] { w.on_AnimationDock_featuresChanged(true); }, timeline},
        {"check finished", [&] { emit w.collisionDialog()->CollisionComputed(); }, list},
        {"timeline switched on again", [&] { w.on_AnimationDock_featuresChanged(true); }, timeline},
        {"list switched on", [&] { w.CollisionShowUI(true); }, list},
        {"timeline page", [&] { w.TabBarcurrentChanged(7); }, timeline},
        {"relation page", [&] { w.TabBarcurrentChanged(6); }, list},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.act();
        QDockWidget* behind = step.front == list ? timeline : list;
        EXPECT_TRUE(QTest::qWaitFor([&] { return inFront(step.front) && !inFront(behind); }, 5000));
        EXPECT_FALSE(behind->isHidden()); // still open, only behind
        EXPECT_TRUE(w.tabifiedDockWidgets(step.front).contains(behind));
    }
}

// "Show Collision Model": only the parts of the listed pairs stay shown; unchecked, all come back.
TEST(CollisionWindow, ShowCollisionModelShowsOnlyThePairsParts)
{
    MainWindow w;
    ASSERT_TRUE(w.loadFile(QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 20000));
    osg::ref_ptr<Vantor::Model> top = Vantor::Model::GetTopModel(w.sceneModel()->getRootSwitch());
    ASSERT_TRUE(top);
    ASSERT_GE(top->getModelChildrenNum(), 3u);
    Vantor::Model* plate = top->getModelChild(0);
    Vantor::Model* bolt = top->getModelChild(1);
    Vantor::Model* otherBolt = top->getModelChild(2);
    QAction* action = w.getAction(QStringLiteral("Relation_Show Collision Model"));
    ASSERT_TRUE(action);

    // Nothing checked yet: nothing is hidden, the switch goes back off.
    action->setChecked(true);
    w.showCollisionPart(true);
    EXPECT_FALSE(action->isChecked());
    EXPECT_NE(otherBolt->getNodeMask(), 0u);

    auto results = std::make_shared<Vantor::CollisionInfoList>();
    results->push_back(result(plate, bolt, Vantor::CollisionType::Interference, {-4.98f}));
    w.collisionDialog()->refreshResults(results);
    w.showCollisionPart(true);
    EXPECT_NE(plate->getNodeMask(), 0u);
    EXPECT_NE(bolt->getNodeMask(), 0u);
    EXPECT_EQ(otherBolt->getNodeMask(), 0u);
    w.showCollisionPart(false);
    EXPECT_NE(otherBolt->getNodeMask(), 0u);
}

// The sample's four bolts are one definition in four identical places in the plate: each reaches 5
// into it (the shank's skin at mid-thickness), and each pair reports that depth within the accuracy.
TEST(CollisionWindow, SampleBoltsAllGiveTheTrueDepth)
{
    MainWindow w;
    ASSERT_TRUE(w.loadFile(QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 20000));
    osg::ref_ptr<Vantor::Model> top = Vantor::Model::GetTopModel(w.sceneModel()->getRootSwitch());
    ASSERT_TRUE(top);
    ASSERT_GE(top->getModelChildrenNum(), 5u);
    Vantor::CollisionManager::NodeList plate{top->getModelChild(0)}, bolts;
    for (unsigned i = 1; i <= 4; ++i) {
        ASSERT_EQ(top->getModelChild(i)->getName(), "Bolt");
        bolts.push_back(top->getModelChild(i));
    }
    Vantor::CollisionManager manager;
    auto results = manager.DetectMultiToMulti(plate, bolts, nullptr);
    ASSERT_EQ(results->size(), 4u);
    for (const Vantor::CollisionInfo& info : *results) {
        SCOPED_TRACE(info.node2->getName() + " " + std::to_string(info.minDistance()));
        EXPECT_EQ(info.type, Vantor::CollisionType::Interference);
        EXPECT_LE(info.minDistance(), -5.0f + Vantor::CollisionManager::DepthAccuracy);
        EXPECT_GE(info.minDistance(), -5.0f - 1e-4f);
    }
    w.sceneModel()->setModel(nullptr);
}
