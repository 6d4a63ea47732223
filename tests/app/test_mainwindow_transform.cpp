#include "app/MainWindow.h"
#include "support/TestSupport.h"
#include "view/SceneView.h"
#include "vantor/command/CommandManager.h"

#include <gtest/gtest.h>

#include <QMetaObject>

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
