#include "ViewEvents.h"
#include "app/MainWindow.h"
#include "osgqt/GraphicsWindowQt.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "view/SelectionManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"
#include "vantor/property/TransformModelsCommand.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMetaObject>
#include <QTest>
#include <QWindow>

namespace {

const char* const TransformCommands[] = {
    "UpdateAxisLocationCommand",          "AxisTransformDraggerCommand",          "AxisExplodeTransformDraggerCommand",
    "RadialExplodeTransformDraggerCommand", "CenterExplodeTransformDraggerCommand", "ScaleTransformDraggerCommand",
    "RotateTransformDraggerCommand",      "PlaneTransformDraggerCommand",         "PointsAlignmentCommand",
    "LinesAlignmentCommand",              "FacesAlignmentCommand",                "LineToFaceAlignmentCommand",
};

} // namespace

TEST(MainWindowTransforms, EveryToolIsRegisteredOnceAndMakesItsOwnClass)
{
    MainWindow w;
    auto& map = Vantor::CommandManager::m_commandConstructMap;
    for (const char* name : TransformCommands) {
        SCOPED_TRACE(name);
        auto it = map.find(name);
        ASSERT_NE(it, map.end());
        std::unique_ptr<Vantor::Command> a(it->second()), b(it->second());
        ASSERT_TRUE(a && b);
        EXPECT_NE(a.get(), b.get());
        EXPECT_EQ(a->Type(), name);
    }
    const std::size_t size = map.size();
    ASSERT_TRUE(QMetaObject::invokeMethod(&w, "registerCommand"));
    EXPECT_EQ(map.size(), size);
}

// The toggles queue their tool when checked and none when unchecked; a reset with no model loaded is
// no step and no crash.
TEST(MainWindowTransforms, TogglesQueueTheirToolAndResetWithoutAModelDoesNothing)
{
    MainWindow w;
    auto manager = w.sceneView()->getCommandManager();
    struct Row
    {
        void (MainWindow::*slot)(bool);
        const char* type;
    };
    const Row rows[] = {
        {&MainWindow::on_actionAxisTransformDragger_triggerd, "AxisTransformDraggerCommand"},
        {&MainWindow::on_actionPlaneTransformDragger_triggerd, "PlaneTransformDraggerCommand"},
        {&MainWindow::on_actionRotationTransformDragger_triggerd, "RotateTransformDraggerCommand"},
        {&MainWindow::on_actionScaleTransformDragger_triggerd, "ScaleTransformDraggerCommand"},
        {&MainWindow::on_actionUpdateAxisLocation_triggerd, "UpdateAxisLocationCommand"},
        {&MainWindow::on_actionAxisExplodeDragger_triggerd, "AxisExplodeTransformDraggerCommand"},
        {&MainWindow::on_actionRadialExplodeDragger_triggerd, "RadialExplodeTransformDraggerCommand"},
        {&MainWindow::on_actionCenterExplodeDragger_triggerd, "CenterExplodeTransformDraggerCommand"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        (w.*row.slot)(true);
        EXPECT_EQ(manager->getExecuteType(), row.type);
        (w.*row.slot)(false);
        EXPECT_EQ(manager->getExecuteType(), "None");
    }
    const std::size_t steps = manager->undoCount();
    w.on_actionResetPosition_triggerd();
    w.on_actionResetColor_triggerd();
    w.on_actionResetTransparent_triggerd();
    w.on_actionRestAxisLocation_triggerd();
    EXPECT_EQ(manager->undoCount(), steps);
}

// A part hovered in the view keeps the hover colour while the pointer goes to the Undo button;
// undoing the transform (an explosion step) takes the highlight away: the frame after the undo is
// the frame without any hover.
TEST(MainWindowTransforms, UndoOfATransformDropsTheHoverHighlight)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    MainWindow w;
    w.resize(1000, 800);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(w.loadFile(QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 20000));
    SceneView* sceneView = w.sceneView();
    auto* gl = qobject_cast<osgQt::GLWidget*>(sceneView->graphicsWidget());
    ASSERT_TRUE(gl);
    auto* selection = dynamic_cast<SelectionManager*>(sceneView->getSelectionManager());
    ASSERT_TRUE(selection);
    ASSERT_TRUE(nerio_test::waitFrames(*sceneView, 3));

    // An explosion step: the bolts lifted out of the plate.
    osg::ref_ptr<Vantor::Model> top = Vantor::Model::GetTopModel(w.sceneModel()->getRootSwitch());
    ASSERT_TRUE(top && top->getModelChildrenNum() >= 5);
    auto step = std::make_shared<Vantor::TransformModelsCommand>();
    for (unsigned i = 1; i <= 4; ++i) {
        Vantor::Model* bolt = top->getModelChild(i);
        ASSERT_TRUE(step->add(bolt, bolt->getMatrix(), bolt->getMatrix() * osg::Matrixd::translate(0, 0, 40)));
    }
    ASSERT_TRUE(sceneView->getCommandManager()->DoCommand(step));
    ASSERT_TRUE(nerio_test::waitFrames(*sceneView, 3));

    // Hover a part, then leave for the ribbon's Undo.
    const std::vector<osg::Vec2d> spots = view_events::spotsOnModel(sceneView->getView());
    ASSERT_FALSE(spots.empty());
    const osg::Vec2d spot = spots[spots.size() / 2];
    const QPoint onPart(int((spot.x() + 1) / 2 * gl->width()), int((1 - spot.y()) / 2 * gl->height()));
    QWindow* window = w.windowHandle();
    ASSERT_TRUE(window);
    QTest::mouseMove(window, gl->mapTo(&w, onPart));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        nerio_test::waitFrames(*sceneView, 1);
        return selection->getPreSelected() != nullptr;
    }, 5000));
    ASSERT_TRUE(nerio_test::waitFrames(*sceneView, 3));
    const QImage hovered = gl->grabFramebuffer();
    QTest::mouseMove(window, QPoint(w.width() / 2, 10));
    ASSERT_TRUE(nerio_test::waitFrames(*sceneView, 3));

    w.getAction(QStringLiteral("Undo"))->trigger();
    ASSERT_TRUE(nerio_test::waitFrames(*sceneView, 3));
    EXPECT_EQ(selection->getPreSelected(), nullptr);
    const QImage afterUndo = gl->grabFramebuffer();

    // The same scene with no hover at all.
    selection->clearPreSelection();
    ASSERT_TRUE(nerio_test::waitFrames(*sceneView, 3));
    const QImage plain = gl->grabFramebuffer();
    ASSERT_EQ(afterUndo.size(), plain.size());
    auto differing = [](const QImage& a, const QImage& b) {
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    };
    EXPECT_EQ(differing(afterUndo, plain), 0);
    EXPECT_GT(differing(hovered, plain), 100) << "the hover did not show";
    if (qEnvironmentVariableIsSet("NERIO_KEEP_SHOTS")) {
        hovered.save(QStringLiteral("/tmp/undo_hover_hovered.png"));
        afterUndo.save(QStringLiteral("/tmp/undo_hover_after.png"));
    }
}
