// The command registry and the ribbon slots that start interactive commands; a measure driven through
// the real window and view on the sample, saved and read back.

#include "ViewEvents.h"

#include "app/MainWindow.h"
#include "common/Prompts.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "view/CombineCommandHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/align/AlignManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/measure/MeasureCommands.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/model/Model.h"
#include "panels/SmallPanels.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoSceneData.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolButton>
#include <QTest>
#include <QTimer>

#include <osgGA/GUIEventAdapter>
#include <osgUtil/LineSegmentIntersector>

#include <set>

using Vantor::CommandManager;

namespace {

const char* const kRegistered[] = {
    "PntToPntDistanceCommand", "PointNoteCommand", "CreateSectionCommand", "FaceToFaceDistanceCommand",
    "LineToLineDistanceCommand", "PntToLineDistanceCommand", "PntToFaceDistanceCommand", "UpdateSectionCommand",
    "LineToFaceDistanceCommand", "CenterToCenterDistanceCommand", "ShaftToShaftDistanceCommand",
    "ReverseSectionCommand", "LineToLineAngleCommand", "FaceToFaceAngleCommand", "LineToFaceAngleCommand",
    "LineDistanceCommand", "EllipseDistanceCommand", "RadiusDistanceCommand", "DiameterDistanceCommand",
    "SurfaceAreaCommand", "VolumeCommand", "UpdateAxisLocationCommand", "AxisTransformDraggerCommand",
    "AxisExplodeTransformDraggerCommand", "RadialExplodeTransformDraggerCommand",
    "CenterExplodeTransformDraggerCommand", "ScaleTransformDraggerCommand", "RotateTransformDraggerCommand",
    "PlaneTransformDraggerCommand", "PointsAlignmentCommand", "LinesAlignmentCommand", "FacesAlignmentCommand",
    "LineToFaceAlignmentCommand", "SNoteCommand", "RectNoteCommand", "CircleNoteCommand", "EllipseNoteCommand",
    "BrushNoteCommand"};

// Stands as the running command so a test sees whether a slot cancelled it.
class Running : public Vantor::Command
{
public:
    std::string Type() override { return "Running"; }
    bool Cancel() override
    {
        ++cancelled;
        return true;
    }
    int cancelled = 0;
};

class Window : public MainWindow
{
public:
    using MainWindow::m_actionMap;
    using MainWindow::registerCommand;

    QAction* add(const QString& key)
    {
        if (QAction* a = m_actionMap.value(key))
            return a;
        auto* a = new QAction(key, this);
        a->setCheckable(true);
        a->setIcon(QIcon(QPixmap(4, 4)));
        m_actionMap.insert(key, a);
        return a;
    }

    // A model is loaded whose top has or lacks faces and edges.
    void loadModel(bool faces, bool edges)
    {
        osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
        top->setGeoFace(faces);
        top->setGeoLine(edges);
        newLoadedFile(top.get());
    }

    std::shared_ptr<CommandManager> manager() const { return sceneView()->getCommandManager(); }

    std::shared_ptr<Running> run()
    {
        auto running = std::make_shared<Running>();
        manager()->setCurrentCommand(running);
        return running;
    }
};

using Slot = void (MainWindow::*)(bool);

struct SlotRow
{
    Slot slot;
    const char* item;
    const char* command;
    const char* group;
    int need; // 0 none, 1 faces, 2 edges, 3 both
    const char* refusal;
};

// clang-format off
const SlotRow kSlots[] = {
    {&MainWindow::on_actionNewbuilt_triggered, "Note_Newbuilt", "PointNoteCommand", nullptr, 0, nullptr},
    {&MainWindow::on_action3DNote_triggered, nullptr, "RectNoteCommand", nullptr, 0, nullptr},
    {&MainWindow::on_actionRectNote_triggered, "3DNote_RectNote", "RectNoteCommand", "3DNote_3DNote", 0, nullptr},
    {&MainWindow::on_actionCircleNote_triggered, "3DNote_CircleNote", "CircleNoteCommand", "3DNote_3DNote", 0, nullptr},
    {&MainWindow::on_actionEllipseNote_triggered, "3DNote_EllipseNote", "EllipseNoteCommand", "3DNote_3DNote", 0, nullptr},
    {&MainWindow::on_actionBrushNote_triggered, "3DNote_BrushNote", "BrushNoteCommand", "3DNote_3DNote", 0, nullptr},
    {&MainWindow::on_actionPntToPnt_triggered, "Measure_PntToPntDistance", "PntToPntDistanceCommand", "Measure_Distances", 0, nullptr},
    {&MainWindow::on_actionFaceToFaceMeasure_triggered, "Measure_FaceToFaceDistance", "FaceToFaceDistanceCommand", "Measure_Distances", 1, "当前模型没有几何面，无法进行面面测量"},
    {&MainWindow::on_actionCenterToCenterMeasure_triggered, "Measure_CenterToCenterDistance", "CenterToCenterDistanceCommand", "Measure_Distances", 2, "当前模型没有几何边线，无法进行圆心距测量"},
    {&MainWindow::on_actionShaftToShaftMeasure_triggered, "Measure_ShaftToShaftDistance", "ShaftToShaftDistanceCommand", "Measure_Distances", 2, "当前模型没有几何边线，无法进行轴距测量"},
    {&MainWindow::on_actionLineToLineMeasure_triggered, "Measure_LineToLineDistance", "LineToLineDistanceCommand", "Measure_Distances", 2, "当前模型没有几何边，无法进行线线测量"},
    {&MainWindow::on_actionPntToLineMeasure_triggered, "Measure_PntToLineDistance", "PntToLineDistanceCommand", "Measure_Distances", 2, "当前模型没有几何边，无法进行点线测量"},
    {&MainWindow::on_actionPntToFaceMeasure_triggered, "Measure_PntToFaceDistance", "PntToFaceDistanceCommand", "Measure_Distances", 1, "当前模型没有几何面，无法进行点面测量"},
    {&MainWindow::on_actionLineToFaceMeasure_triggered, "Measure_LineToFaceDistance", "LineToFaceDistanceCommand", "Measure_Distances", 3, "当前模型没有几何属性，无法进行线面测量"},
    {&MainWindow::on_actionLineToLineAngle_triggered, "Measure_LineToLineAngle", "LineToLineAngleCommand", "Measure_Angles", 2, "当前模型没有几何边，无法进行线线测量"},
    {&MainWindow::on_actionLineToFaceAngle_triggered, "Measure_LineToFaceAngle", "LineToFaceAngleCommand", "Measure_Angles", 3, "当前模型没有几何边或几何面，无法进行线面角度测量"},
    {&MainWindow::on_actionFaceToFaceAngle_triggered, "Measure_FaceToFaceAngle", "FaceToFaceAngleCommand", "Measure_Angles", 1, "当前模型没有几何面，无法进行面面测量"},
    {&MainWindow::on_actionLineDistance_triggered, "Measure_LineDistance", "LineDistanceCommand", "Measure_Length", 2, "当前模型没有几何边，无法进行线长测量"},
    {&MainWindow::on_actionEllipseDistance_triggered, "Measure_EllipseDistance", "EllipseDistanceCommand", "Measure_Length", 2, "当前模型没有几何边，无法进行弧长测量"},
    {&MainWindow::on_actionRadiusDistance_triggered, "Measure_RadiusDis", "RadiusDistanceCommand", "Measure_Diameter", 2, "当前模型没有几何边，无法进行半径测量"},
    {&MainWindow::on_actionDiameterDistance_triggered, "Measure_DiameterDis", "DiameterDistanceCommand", "Measure_Diameter", 2, "当前模型没有几何边，无法进行直径测量"},
    {&MainWindow::on_actionSurfaceArea_triggered, "Measure_SurfaceArea", "SurfaceAreaCommand", "Measure_MeasureProperty", 0, nullptr},
    {&MainWindow::on_actionVolume_triggered, "Measure_Volume", "VolumeCommand", "Measure_MeasureProperty", 0, nullptr},
    {&MainWindow::on_actionPntsAlign_triggered, "Align_PointsAlign", "PointsAlignmentCommand", "Align_Alignment", 0, nullptr},
    {&MainWindow::on_actionLinesAlign_triggered, "Align_LinesAlign", "LinesAlignmentCommand", "Align_Alignment", 0, nullptr},
    {&MainWindow::on_actionFacesAlign_triggered, "Align_FacesAlign", "FacesAlignmentCommand", "Align_Alignment", 0, nullptr},
    {&MainWindow::on_actionLineToFaceAlign_triggered, "Align_LineToFaceAlign", "LineToFaceAlignmentCommand", "Align_Alignment", 0, nullptr},
};
// clang-format on

} // namespace

TEST(CommandRegistry, EveryNameHasAFactoryOfItsOwnClassAndASecondCallChangesNothing)
{
    auto& map = CommandManager::m_commandConstructMap;
    const auto saved = map;
    map.clear();
    // An entry already there stays.
    map["VolumeCommand"] = []() -> Vantor::Command* { return new Running; };
    Window w;
    EXPECT_EQ(map.size(), 38u);
    std::unique_ptr<Vantor::Command> kept(map["VolumeCommand"]());
    EXPECT_EQ(kept->Type(), "Running");
    map.erase("VolumeCommand");
    w.registerCommand();
    w.registerCommand();
    ASSERT_EQ(map.size(), 38u);
    for (const char* name : kRegistered) {
        ASSERT_TRUE(map.count(name)) << name;
        std::unique_ptr<Vantor::Command> a(map[name]()), b(map[name]());
        ASSERT_TRUE(a && b) << name;
        EXPECT_NE(a.get(), b.get()) << name;
        EXPECT_EQ(a->Type(), name);
    }
    // Not registered: the compass's type and "None".
    EXPECT_FALSE(map.count("AddSectionCommand"));
    EXPECT_FALSE(map.count("None"));
    map = saved;
}

TEST(CommandRegistry, EachRequestMakesAFreshToolAndUnknownNamesNone)
{
    Window w;
    auto manager = w.manager();
    for (const char* name : {"PointNoteCommand", "CreateSectionCommand", "AxisTransformDraggerCommand",
                             "RadialExplodeTransformDraggerCommand", "PointsAlignmentCommand"}) {
        manager->setExecuteType(name);
        std::shared_ptr<Vantor::Command> first = manager->GetNextExecuteCmd();
        manager->setExecuteType(name);
        std::shared_ptr<Vantor::Command> second = manager->GetNextExecuteCmd();
        ASSERT_TRUE(first && second) << name;
        EXPECT_NE(first, second) << name; // no state carried over from the last use of the tool
        EXPECT_FALSE(first->isFinished()) << name;
    }
    EXPECT_FALSE(manager->CanUndo());
    // An unknown type gives no command and no exception.
    EXPECT_NO_THROW(manager->setExecuteType("AddSectionCommand"));
    EXPECT_EQ(manager->GetNextExecuteCmd(), nullptr);
}

TEST(CommandSlots, EachRowCancelsQueuesItsCommandAndTakesTheGroupIcon)
{
    Window w;
    for (const SlotRow& row : kSlots) {
        QAction* item = row.item ? w.add(row.item) : nullptr;
        QAction* group = row.group ? w.add(row.group) : nullptr;
        if (group)
            group->setIcon(QIcon());
        auto running = w.run();
        (w.*row.slot)(true);
        EXPECT_EQ(running->cancelled, 1) << row.command;
        EXPECT_EQ(w.manager()->getExecuteType(), row.command);
        if (group) {
            EXPECT_EQ(group->icon().cacheKey(), item->icon().cacheKey()) << row.command;
        }

        // Unchecked: cancel, nothing queued, the icon left as it is.
        if (group)
            group->setIcon(QIcon());
        running = w.run();
        (w.*row.slot)(false);
        EXPECT_EQ(running->cancelled, 1) << row.command;
        EXPECT_EQ(w.manager()->getExecuteType(), "None");
        if (group) {
            EXPECT_TRUE(group->icon().isNull()) << row.command;
        }
    }
    // The note without a group changes no icon.
    EXPECT_EQ(w.getAction("3DNote_3DNote")->icon().isNull(), true);
}

TEST(CommandSlots, TheGeometryGateRefusesWithItsTextAndUnchecksTheAction)
{
    const struct
    {
        bool faces, edges;
    } models[] = {{true, false}, {false, true}, {false, false}, {true, true}};
    for (const auto& model : models) {
        Window w;
        w.loadModel(model.faces, model.edges);
        for (const SlotRow& row : kSlots) {
            QAction* item = row.item ? w.add(row.item) : nullptr;
            if (item)
                item->setChecked(true);
            w.statusBar()->clearMessage();
            auto running = w.run();
            (w.*row.slot)(true);
            const bool met = (!(row.need & 1) || model.faces) && (!(row.need & 2) || model.edges);
            EXPECT_EQ(running->cancelled, 1);
            if (met) {
                EXPECT_EQ(w.manager()->getExecuteType(), row.command);
                EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty()) << row.command;
            } else {
                EXPECT_EQ(w.manager()->getExecuteType(), "None") << row.command;
                EXPECT_EQ(w.statusBar()->currentMessage(), QString::fromUtf8(row.refusal));
                ASSERT_TRUE(item);
                EXPECT_FALSE(item->isChecked()) << row.command;
            }
        }
    }
}

TEST(CommandSlots, CancelCompassAndLock)
{
    Window w;
    w.on_actionPntToPnt_triggered(true);
    auto running = w.run();
    w.on_actionCancel_triggered(true); // the group's face clicked: nothing cancelled, nothing queued
    EXPECT_EQ(running->cancelled, 0);
    EXPECT_EQ(w.manager()->getExecuteType(), "None");
    w.on_actionCancel_triggered(false);
    EXPECT_EQ(running->cancelled, 1);

    // The compass follows its first argument, then toggles whatever it is told.
    auto& map = CommandManager::m_commandConstructMap;
    map["AddSectionCommand"] = []() -> Vantor::Command* { return new Running; };
    std::vector<std::string> seen;
    for (bool arg : {false, false, false, true}) {
        w.on_actionCompass_triggered(arg);
        seen.push_back(w.manager()->getExecuteType());
    }
    map.erase("AddSectionCommand");
    EXPECT_EQ(seen, (std::vector<std::string>{"None", "AddSectionCommand", "None", "AddSectionCommand"}));

    w.on_actionLockPosition_triggered(true);
    EXPECT_TRUE(w.sceneModel()->getAlignManager()->GetLockPosition());
    w.on_actionLockPosition_triggered(false);
    EXPECT_FALSE(w.sceneModel()->getAlignManager()->GetLockPosition());
}

TEST(CommandSlots, AreaAndVolumeOpenAndCloseTheResultPanel)
{
    Window w;
    w.show();
    w.on_actionSurfaceArea_triggered(true);
    ASSERT_TRUE(w.sceneView()->getMeasureProperty());
    EXPECT_TRUE(w.sceneView()->getMeasureProperty()->isVisible());
    w.on_actionSurfaceArea_triggered(false);
    EXPECT_FALSE(w.sceneView()->getMeasureProperty()->isVisible());
    w.on_actionVolume_triggered(true);
    MeasureProperty* panel = w.sceneView()->getMeasureProperty();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(w.manager()->getExecuteType(), "VolumeCommand");
    // Its close button ends the measure too.
    auto running = w.run();
    panel->closeButton()->click();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(running->cancelled, 1);
    EXPECT_EQ(w.manager()->getExecuteType(), "None");
}

using view_events::pumpOf;
using view_events::send;
using view_events::spotsOnModel;

TEST(MeasureEndToEnd, TwoClicksOnTheSampleMeasureAndTheMeasureIsSavedAndReadBack)
{
    const QString dir = nerio_test::scratchDir() + "/measure";
    QDir().mkpath(dir);
    const QString path = dir + "/Measured.dazo";
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo"), path));

    double value = 0;
    std::string content;
    {
        Window w;
        w.resize(1000, 800);
        w.show();
        ASSERT_TRUE(w.loadFile(path));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 20000));
        // A few frames: the camera frames the model.
        nerio_test::waitFrames(*w.sceneView(), 3);
        nerio_test::waitUntilResting(*w.sceneView());
        osgViewer::View* view = w.sceneView()->getView();
        CombineCommandHandler* pump = pumpOf(w.sceneView());
        ASSERT_TRUE(pump);
        const std::vector<osg::Vec2d> spots = spotsOnModel(view);
        ASSERT_GE(spots.size(), 2u);

        w.on_actionPntToPnt_triggered(true);
        send(pump, view, osgGA::GUIEventAdapter::FRAME); // the pump starts the queued command
        auto command = std::dynamic_pointer_cast<Vantor::MeasureCommand>(w.manager()->getCurrentCommand());
        ASSERT_TRUE(command);
        for (const osg::Vec2d& at : {spots.front(), spots.back()}) {
            send(pump, view, osgGA::GUIEventAdapter::MOVE, at);
            send(pump, view, osgGA::GUIEventAdapter::PUSH, at);
            send(pump, view, osgGA::GUIEventAdapter::RELEASE, at);
        }
        ASSERT_TRUE(command->isFinished()) << command->tip();
        osg::ref_ptr<Vantor::MeasureManager> measures = w.sceneModel()->getMeasureManager();
        ASSERT_EQ(measures->GetAllMeasure().size(), 1u);
        osg::ref_ptr<Vantor::Measure> m = measures->GetAllMeasure().front();
        value = m->getValue();
        content = m->GetContent();
        EXPECT_GT(value, 0.0);
        EXPECT_EQ(content.substr(content.size() - 3), " mm");
        // The result is told in the status bar as well.
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.statusBar()->currentMessage().startsWith(QString::fromUtf8("点点距离: ")); }, 2000))
            << w.statusBar()->currentMessage().toStdString();

        // The tool stays on for the next measure; undo and redo move the measure out and back.
        std::shared_ptr<Vantor::Command> next = w.manager()->getCurrentCommand();
        EXPECT_TRUE(w.manager()->getExecuteType() == "PntToPntDistanceCommand" ||
                    (next && next != command && next->Type() == "PntToPntDistanceCommand" && !next->isFinished()));
        ASSERT_TRUE(w.manager()->Undo());
        EXPECT_TRUE(measures->GetAllMeasure().empty());
        ASSERT_TRUE(w.manager()->Redo());
        ASSERT_EQ(measures->GetAllMeasure().size(), 1u);

        QSignalSpy saved(w.loader(), SIGNAL(saveFileFinish()));
        w.on_actionSave_triggered();
        ASSERT_TRUE(QTest::qWaitFor([&] { return saved.count() > 0; }, 20000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 5000));
    }
    std::string json;
    ASSERT_TRUE(Vantor::DazoLayout::ReadMember(path.toStdString(), "measure", json));
    EXPECT_NE(json.find("measure_list"), std::string::npos);
    EXPECT_NE(json.find(content), std::string::npos);

    Window again;
    ASSERT_TRUE(again.loadFile(path));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !again.isBusy(); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return again.sceneModel()->getMeasureManager()->GetAllMeasure().size() == 1; }, 2000));
    osg::ref_ptr<Vantor::Measure> m = again.sceneModel()->getMeasureManager()->GetAllMeasure().front();
    EXPECT_NEAR(m->getValue(), value, 1e-9);
    EXPECT_EQ(m->GetContent(), content);
    EXPECT_EQ(m->getPoints().size(), 2u);
}

// Every interactive tool prompts in the status bar while it runs, and its prompt goes when Escape
// ends it; a message that took the prompt's place stays. The draggers get a selected part (the
// explosions take its assembly). Section moving needs a section first and is left out.
TEST(ToolPrompts, EachToolPromptsWhileItRunsAndTakesThePromptAlongWhenItEnds)
{
    const char* const tools[] = {
        "PntToPntDistanceCommand", "FaceToFaceDistanceCommand", "LineToLineDistanceCommand",
        "PntToLineDistanceCommand", "PntToFaceDistanceCommand", "LineToFaceDistanceCommand",
        "CenterToCenterDistanceCommand", "ShaftToShaftDistanceCommand", "LineToLineAngleCommand",
        "FaceToFaceAngleCommand", "LineToFaceAngleCommand", "LineDistanceCommand", "EllipseDistanceCommand",
        "RadiusDistanceCommand", "DiameterDistanceCommand", "SurfaceAreaCommand", "VolumeCommand",
        "CreateSectionCommand", "UpdateAxisLocationCommand", "AxisTransformDraggerCommand",
        "PlaneTransformDraggerCommand", "RotateTransformDraggerCommand", "ScaleTransformDraggerCommand",
        "AxisExplodeTransformDraggerCommand", "RadialExplodeTransformDraggerCommand",
        "CenterExplodeTransformDraggerCommand", "PointsAlignmentCommand", "LinesAlignmentCommand",
        "FacesAlignmentCommand", "LineToFaceAlignmentCommand", "PointNoteCommand", "SNoteCommand",
        "RectNoteCommand", "CircleNoteCommand", "EllipseNoteCommand", "BrushNoteCommand"};
    Window w;
    w.resize(1000, 800);
    w.show();
    ASSERT_TRUE(w.loadFile(QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 20000));
    osgViewer::View* view = w.sceneView()->getView();
    CombineCommandHandler* pump = pumpOf(w.sceneView());
    ASSERT_TRUE(pump);
    osg::ref_ptr<Vantor::Model> top = Vantor::Model::GetTopModel(w.sceneModel()->getRootSwitch());
    ASSERT_TRUE(top && top->getModelChildrenNum() > 1);
    Vantor::ISelectionManager* selection = w.sceneView()->getSelectionManager();
    QStatusBar* status = w.statusBar();
    for (const char* tool : tools) {
        SCOPED_TRACE(tool);
        selection->clearSelection();
        selection->selectNode(top->getModelChild(1), true);
        status->clearMessage();
        w.manager()->setExecuteType(tool);
        send(pump, view, osgGA::GUIEventAdapter::FRAME); // the pump starts the queued command
        ASSERT_TRUE(w.manager()->getCurrentCommand());
        ASSERT_EQ(w.manager()->getCurrentCommand()->Type(), tool);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !status->currentMessage().isEmpty(); }, 2000));
        const QString prompt = status->currentMessage();
        w.on_actionESC_triggered();
        EXPECT_TRUE(QTest::qWaitFor([&] { return status->currentMessage().isEmpty(); }, 2000))
            << status->currentMessage().toStdString() << " (the prompt was " << prompt.toStdString() << ")";
    }

    // A refusal shown after the prompt outlives the tool.
    w.manager()->setExecuteType("SurfaceAreaCommand");
    send(pump, view, osgGA::GUIEventAdapter::FRAME);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !status->currentMessage().isEmpty(); }, 2000));
    status->showMessage(QStringLiteral("refused"));
    w.on_actionESC_triggered();
    bool through = false; // queued after the window's own handling of the ended tool
    QTimer::singleShot(0, &w, [&] { through = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return through; }, 2000));
    EXPECT_EQ(status->currentMessage(), "refused");
}
