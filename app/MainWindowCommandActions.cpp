// Ribbon actions that start, cancel or lock interactive commands. A slot never builds a command: it
// cancels the running one and names the next; the view's command pump builds it from the registry.

#include "app/MainWindow.h"

#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/align/AlignManager.h"
#include "vantor/command/CommandManager.h"

#include <QAction>
#include <QStatusBar>

namespace {

enum Need { NoNeed, Faces, Edges, FacesAndEdges };

struct CommandSlotRow
{
    const char* command;
    const char* item;  // the action whose icon the group takes (nullptr: none)
    const char* group; // the menu-button group action (nullptr: none)
    Need need;
    const char* refusal; // status text when the need is not met (a MainWindow text)
};

// clang-format off
const CommandSlotRow kPointNote      {"PointNoteCommand", nullptr, nullptr, NoNeed, nullptr};
const CommandSlotRow k3DNote         {"RectNoteCommand", nullptr, nullptr, NoNeed, nullptr};
const CommandSlotRow kRectNote       {"RectNoteCommand", "3DNote_RectNote", "3DNote_3DNote", NoNeed, nullptr};
const CommandSlotRow kCircleNote     {"CircleNoteCommand", "3DNote_CircleNote", "3DNote_3DNote", NoNeed, nullptr};
const CommandSlotRow kEllipseNote    {"EllipseNoteCommand", "3DNote_EllipseNote", "3DNote_3DNote", NoNeed, nullptr};
const CommandSlotRow kBrushNote      {"BrushNoteCommand", "3DNote_BrushNote", "3DNote_3DNote", NoNeed, nullptr};
const CommandSlotRow kPntToPnt       {"PntToPntDistanceCommand", "Measure_PntToPntDistance", "Measure_Distances", NoNeed, nullptr};
const CommandSlotRow kFaceToFace     {"FaceToFaceDistanceCommand", "Measure_FaceToFaceDistance", "Measure_Distances", Faces, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何面，无法进行面面测量")};
const CommandSlotRow kCenterToCenter {"CenterToCenterDistanceCommand", "Measure_CenterToCenterDistance", "Measure_Distances", Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边线，无法进行圆心距测量")};
const CommandSlotRow kShaftToShaft   {"ShaftToShaftDistanceCommand", "Measure_ShaftToShaftDistance", "Measure_Distances", Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边线，无法进行轴距测量")};
const CommandSlotRow kLineToLine     {"LineToLineDistanceCommand", "Measure_LineToLineDistance", "Measure_Distances", Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行线线测量")};
const CommandSlotRow kPntToLine      {"PntToLineDistanceCommand", "Measure_PntToLineDistance", "Measure_Distances", Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行点线测量")};
const CommandSlotRow kPntToFace      {"PntToFaceDistanceCommand", "Measure_PntToFaceDistance", "Measure_Distances", Faces, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何面，无法进行点面测量")};
const CommandSlotRow kLineToFace     {"LineToFaceDistanceCommand", "Measure_LineToFaceDistance", "Measure_Distances", FacesAndEdges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何属性，无法进行线面测量")};
const CommandSlotRow kLineLineAngle  {"LineToLineAngleCommand", "Measure_LineToLineAngle", "Measure_Angles", Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行线线测量")};
const CommandSlotRow kLineFaceAngle  {"LineToFaceAngleCommand", "Measure_LineToFaceAngle", "Measure_Angles", FacesAndEdges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边或几何面，无法进行线面角度测量")};
const CommandSlotRow kFaceFaceAngle  {"FaceToFaceAngleCommand", "Measure_FaceToFaceAngle", "Measure_Angles", Faces, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何面，无法进行面面测量")};
const CommandSlotRow kLineLength     {"LineDistanceCommand", "Measure_LineDistance", "Measure_Length", Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行线长测量")};
const CommandSlotRow kEllipseLength  {"EllipseDistanceCommand", "Measure_EllipseDistance", "Measure_Length", Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行弧长测量")};
const CommandSlotRow kRadius         {"RadiusDistanceCommand", "Measure_RadiusDis", "Measure_Diameter", Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行半径测量")};
const CommandSlotRow kDiameter       {"DiameterDistanceCommand", "Measure_DiameterDis", "Measure_Diameter", Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行直径测量")};
const CommandSlotRow kSurfaceArea    {"SurfaceAreaCommand", "Measure_SurfaceArea", "Measure_MeasureProperty", NoNeed, nullptr};
const CommandSlotRow kVolume         {"VolumeCommand", "Measure_Volume", "Measure_MeasureProperty", NoNeed, nullptr};
const CommandSlotRow kPointsAlign    {"PointsAlignmentCommand", "Align_PointsAlign", "Align_Alignment", NoNeed, nullptr};
const CommandSlotRow kLinesAlign     {"LinesAlignmentCommand", "Align_LinesAlign", "Align_Alignment", NoNeed, nullptr};
const CommandSlotRow kFacesAlign     {"FacesAlignmentCommand", "Align_FacesAlign", "Align_Alignment", NoNeed, nullptr};
const CommandSlotRow kLineFaceAlign  {"LineToFaceAlignmentCommand", "Align_LineToFaceAlign", "Align_Alignment", NoNeed, nullptr};
// clang-format on

} // namespace

bool MainWindow::startCommandSlot(const void* rowPtr, bool checked)
{
    const auto& row = *static_cast<const CommandSlotRow*>(rowPtr);
    std::shared_ptr<Vantor::CommandManager> manager = m_sceneView ? m_sceneView->getCommandManager() : nullptr;
    if (!manager)
        return false;
    manager->CancelCurrentCmd();
    if (!checked) {
        manager->setExecuteType(Vantor::CommandManager::NoneType);
        return false;
    }
    const bool needsFaces = row.need == Faces || row.need == FacesAndEdges;
    const bool needsEdges = row.need == Edges || row.need == FacesAndEdges;
    const bool met = (!needsFaces || m_modelHasGeoFace) && (!needsEdges || m_modelHasGeoLine);
    if (!met) {
        statusBar()->showMessage(tr(row.refusal), 5000);
        manager->setExecuteType(Vantor::CommandManager::NoneType);
        // A refused tool is not running, so its button must not look pressed.
        if (row.item)
            if (QAction* action = getAction(QString::fromLatin1(row.item))) {
                const QSignalBlocker block(action);
                action->setChecked(false);
            }
        return false;
    }
    manager->setExecuteType(row.command);
    return true;
}

void MainWindow::startCommandRow(const void* rowPtr, bool checked)
{
    const auto& row = *static_cast<const CommandSlotRow*>(rowPtr);
    if (startCommandSlot(rowPtr, checked) && row.group)
        setGroupActionIcon(QString::fromLatin1(row.item), QString::fromLatin1(row.group));
}

void MainWindow::on_actionCancel_triggered(bool checked)
{
    std::shared_ptr<Vantor::CommandManager> manager = m_sceneView ? m_sceneView->getCommandManager() : nullptr;
    if (!manager)
        return;
    if (!checked)
        manager->CancelCurrentCmd();
    manager->setExecuteType(Vantor::CommandManager::NoneType);
}

void MainWindow::on_actionCompass_triggered(bool checked)
{
    // Toggles on its own: the first call follows its argument, every later one does the opposite.
    static bool next = checked;
    std::shared_ptr<Vantor::CommandManager> manager = m_sceneView ? m_sceneView->getCommandManager() : nullptr;
    if (manager) {
        manager->CancelCurrentCmd();
        manager->setExecuteType(next ? "AddSectionCommand" : Vantor::CommandManager::NoneType);
    }
    next = !next;
}

void MainWindow::on_actionLockPosition_triggered(bool checked)
{
    if (m_sceneModel)
        if (osg::ref_ptr<Vantor::AlignManager> align = m_sceneModel->getAlignManager())
            align->SetLockPostion(checked);
}

void MainWindow::on_actionSurfaceArea_triggered(bool checked)
{
    if (!startCommandSlot(&kSurfaceArea, checked)) {
        if (!checked && m_sceneView)
            m_sceneView->hideMeasureProperty();
        return;
    }
    setGroupActionIcon(QString::fromLatin1(kSurfaceArea.item), QString::fromLatin1(kSurfaceArea.group));
    m_sceneView->showMeasureProperty("SurfaceArea");
}

void MainWindow::on_actionVolume_triggered(bool checked)
{
    if (!startCommandSlot(&kVolume, checked)) {
        if (!checked && m_sceneView)
            m_sceneView->hideMeasureProperty();
        return;
    }
    m_sceneView->showMeasureProperty("Volume");
    setGroupActionIcon(QString::fromLatin1(kVolume.item), QString::fromLatin1(kVolume.group));
}

#define NERIO_COMMAND_SLOT(slot, row)                                                                                 \
    void MainWindow::slot(bool checked) { startCommandRow(&row, checked); }

NERIO_COMMAND_SLOT(on_actionNewbuilt_triggered, kPointNote)
NERIO_COMMAND_SLOT(on_action3DNote_triggered, k3DNote)
NERIO_COMMAND_SLOT(on_actionRectNote_triggered, kRectNote)
NERIO_COMMAND_SLOT(on_actionCircleNote_triggered, kCircleNote)
NERIO_COMMAND_SLOT(on_actionEllipseNote_triggered, kEllipseNote)
NERIO_COMMAND_SLOT(on_actionBrushNote_triggered, kBrushNote)
NERIO_COMMAND_SLOT(on_actionPntToPnt_triggered, kPntToPnt)
NERIO_COMMAND_SLOT(on_actionFaceToFaceMeasure_triggered, kFaceToFace)
NERIO_COMMAND_SLOT(on_actionCenterToCenterMeasure_triggered, kCenterToCenter)
NERIO_COMMAND_SLOT(on_actionShaftToShaftMeasure_triggered, kShaftToShaft)
NERIO_COMMAND_SLOT(on_actionLineToLineMeasure_triggered, kLineToLine)
NERIO_COMMAND_SLOT(on_actionPntToLineMeasure_triggered, kPntToLine)
NERIO_COMMAND_SLOT(on_actionPntToFaceMeasure_triggered, kPntToFace)
NERIO_COMMAND_SLOT(on_actionLineToFaceMeasure_triggered, kLineToFace)
NERIO_COMMAND_SLOT(on_actionLineToLineAngle_triggered, kLineLineAngle)
NERIO_COMMAND_SLOT(on_actionLineToFaceAngle_triggered, kLineFaceAngle)
NERIO_COMMAND_SLOT(on_actionFaceToFaceAngle_triggered, kFaceFaceAngle)
NERIO_COMMAND_SLOT(on_actionLineDistance_triggered, kLineLength)
NERIO_COMMAND_SLOT(on_actionEllipseDistance_triggered, kEllipseLength)
NERIO_COMMAND_SLOT(on_actionRadiusDistance_triggered, kRadius)
NERIO_COMMAND_SLOT(on_actionDiameterDistance_triggered, kDiameter)
NERIO_COMMAND_SLOT(on_actionPntsAlign_triggered, kPointsAlign)
NERIO_COMMAND_SLOT(on_actionLinesAlign_triggered, kLinesAlign)
NERIO_COMMAND_SLOT(on_actionFacesAlign_triggered, kFacesAlign)
NERIO_COMMAND_SLOT(on_actionLineToFaceAlign_triggered, kLineFaceAlign)

#undef NERIO_COMMAND_SLOT
