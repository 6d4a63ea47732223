// Ribbon actions that start, cancel or lock interactive commands. A slot never builds a command: it
// cancels the running one and names the next; the view's command pump builds it from the registry.

#include "app/MainWindow.h"
#include "app/ToolTable.h"

#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/align/AlignManager.h"
#include "vantor/command/CommandManager.h"

#include <QAction>
#include <QStatusBar>

namespace {

// The tool's entry; the ids below are all in the tool table.
const RibbonTool& tool(const char* id)
{
    static const RibbonTool none{"", nullptr, nullptr, RibbonCheck::No, false, nullptr, nullptr};
    const RibbonTool* found = findTool(id);
    return found ? *found : none;
}

} // namespace

bool MainWindow::startCommandSlot(const RibbonTool& row, bool checked)
{
    std::shared_ptr<Vantor::CommandManager> manager = m_sceneView ? m_sceneView->getCommandManager() : nullptr;
    if (!manager)
        return false;
    manager->CancelCurrentCmd();
    if (!checked || !row.commandName) {
        manager->setExecuteType(Vantor::CommandManager::NoneType);
        return false;
    }
    const bool needsFaces = row.need == ToolNeed::Faces || row.need == ToolNeed::FacesAndEdges;
    const bool needsEdges = row.need == ToolNeed::Edges || row.need == ToolNeed::FacesAndEdges;
    const bool met = (!needsFaces || m_modelHasGeoFace) && (!needsEdges || m_modelHasGeoLine);
    if (!met) {
        if (row.refusal)
            statusBar()->showMessage(tr(row.refusal), 5000);
        manager->setExecuteType(Vantor::CommandManager::NoneType);
        // A refused tool is not running, so its button must not look pressed.
        if (row.stored)
            if (QAction* action = getAction(QString::fromLatin1(row.id))) {
                const QSignalBlocker block(action);
                action->setChecked(false);
            }
        return false;
    }
    manager->setExecuteType(row.commandName);
    return true;
}

void MainWindow::startCommandRow(const RibbonTool& row, bool checked)
{
    if (startCommandSlot(row, checked) && row.group)
        setGroupActionIcon(QString::fromLatin1(row.id), QString::fromLatin1(row.group));
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
    const RibbonTool& row = tool("Measure_SurfaceArea");
    if (!startCommandSlot(row, checked)) {
        if (!checked && m_sceneView)
            m_sceneView->hideMeasureProperty();
        return;
    }
    setGroupActionIcon(QString::fromLatin1(row.id), QString::fromLatin1(row.group));
    m_sceneView->showMeasureProperty("SurfaceArea");
}

void MainWindow::on_actionVolume_triggered(bool checked)
{
    const RibbonTool& row = tool("Measure_Volume");
    if (!startCommandSlot(row, checked)) {
        if (!checked && m_sceneView)
            m_sceneView->hideMeasureProperty();
        return;
    }
    m_sceneView->showMeasureProperty("Volume");
    setGroupActionIcon(QString::fromLatin1(row.id), QString::fromLatin1(row.group));
}

#define NERIO_COMMAND_SLOT(slot, id)                                                                                  \
    void MainWindow::slot(bool checked) { startCommandRow(tool(id), checked); }

// The 3D note's own entry starts the rectangle note without giving the group button its icon.
void MainWindow::on_action3DNote_triggered(bool checked) { startCommandSlot(tool("3DNote_RectNote"), checked); }

NERIO_COMMAND_SLOT(on_actionNewbuilt_triggered, "Note_Newbuilt")
NERIO_COMMAND_SLOT(on_actionRectNote_triggered, "3DNote_RectNote")
NERIO_COMMAND_SLOT(on_actionCircleNote_triggered, "3DNote_CircleNote")
NERIO_COMMAND_SLOT(on_actionEllipseNote_triggered, "3DNote_EllipseNote")
NERIO_COMMAND_SLOT(on_actionBrushNote_triggered, "3DNote_BrushNote")
NERIO_COMMAND_SLOT(on_actionPntToPnt_triggered, "Measure_PntToPntDistance")
NERIO_COMMAND_SLOT(on_actionFaceToFaceMeasure_triggered, "Measure_FaceToFaceDistance")
NERIO_COMMAND_SLOT(on_actionCenterToCenterMeasure_triggered, "Measure_CenterToCenterDistance")
NERIO_COMMAND_SLOT(on_actionShaftToShaftMeasure_triggered, "Measure_ShaftToShaftDistance")
NERIO_COMMAND_SLOT(on_actionLineToLineMeasure_triggered, "Measure_LineToLineDistance")
NERIO_COMMAND_SLOT(on_actionPntToLineMeasure_triggered, "Measure_PntToLineDistance")
NERIO_COMMAND_SLOT(on_actionPntToFaceMeasure_triggered, "Measure_PntToFaceDistance")
NERIO_COMMAND_SLOT(on_actionLineToFaceMeasure_triggered, "Measure_LineToFaceDistance")
NERIO_COMMAND_SLOT(on_actionLineToLineAngle_triggered, "Measure_LineToLineAngle")
NERIO_COMMAND_SLOT(on_actionLineToFaceAngle_triggered, "Measure_LineToFaceAngle")
NERIO_COMMAND_SLOT(on_actionFaceToFaceAngle_triggered, "Measure_FaceToFaceAngle")
NERIO_COMMAND_SLOT(on_actionLineDistance_triggered, "Measure_LineDistance")
NERIO_COMMAND_SLOT(on_actionEllipseDistance_triggered, "Measure_EllipseDistance")
NERIO_COMMAND_SLOT(on_actionRadiusDistance_triggered, "Measure_RadiusDis")
NERIO_COMMAND_SLOT(on_actionDiameterDistance_triggered, "Measure_DiameterDis")
NERIO_COMMAND_SLOT(on_actionPntsAlign_triggered, "Align_PointsAlign")
NERIO_COMMAND_SLOT(on_actionLinesAlign_triggered, "Align_LinesAlign")
NERIO_COMMAND_SLOT(on_actionFacesAlign_triggered, "Align_FacesAlign")
NERIO_COMMAND_SLOT(on_actionLineToFaceAlign_triggered, "Align_LineToFaceAlign")

#undef NERIO_COMMAND_SLOT
