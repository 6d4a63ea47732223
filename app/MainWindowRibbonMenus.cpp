// The drop-down menus of the ribbon's group buttons.

#include "app/MainWindow.h"

#include "ribbon/RibbonActionRow.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>

#include <iterator>

namespace {

using C = RibbonCheck;

// Command entries: checkable, in the command-action list; the slot starts the command when checked.
#define COMMAND_ROW(key, text, icon, slot) {nullptr, key, text, icon, C::Off, true, "triggered(bool)", slot}

const RibbonActionRow kDistanceMenu[] = {
    COMMAND_ROW("Measure_PntToPntDistance", QT_TRANSLATE_NOOP("MainWindow", "PntToPntDistance"), "pnttopnt", "on_actionPntToPnt_triggered(bool)"),
    COMMAND_ROW("Measure_PntToLineDistance", QT_TRANSLATE_NOOP("MainWindow", "PntToLineDistance"), "pnttoline", "on_actionPntToLineMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_PntToFaceDistance", QT_TRANSLATE_NOOP("MainWindow", "PntToFaceDistance"), "pnttoface", "on_actionPntToFaceMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_LineToLineDistance", QT_TRANSLATE_NOOP("MainWindow", "LineToLineDistance"), "linetoline", "on_actionLineToLineMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_LineToFaceDistance", QT_TRANSLATE_NOOP("MainWindow", "LineToFaceDistance"), "linetoface", "on_actionLineToFaceMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_FaceToFaceDistance", QT_TRANSLATE_NOOP("MainWindow", "FaceToFaceDistance"), "facetoface", "on_actionFaceToFaceMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_CenterToCenterDistance", QT_TRANSLATE_NOOP("MainWindow", "CenterToCenterDistance"), "centertocenter", "on_actionCenterToCenterMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_ShaftToShaftDistance", QT_TRANSLATE_NOOP("MainWindow", "ShaftToShaftDistance"), "shafttoshaft", "on_actionShaftToShaftMeasure_triggered(bool)"),
};

// The line-to-face angle has a drawing of its own rather than the point-to-point one.
const RibbonActionRow kAngleMenu[] = {
    COMMAND_ROW("Measure_LineToLineAngle", QT_TRANSLATE_NOOP("MainWindow", "LineToLineAngle"), "lineangleline", "on_actionLineToLineAngle_triggered(bool)"),
    COMMAND_ROW("Measure_LineToFaceAngle", QT_TRANSLATE_NOOP("MainWindow", "LineToFaceAngle"), "linefaceangle", "on_actionLineToFaceAngle_triggered(bool)"),
    COMMAND_ROW("Measure_FaceToFaceAngle", QT_TRANSLATE_NOOP("MainWindow", "FaceToFaceAngle"), "faceangleface", "on_actionFaceToFaceAngle_triggered(bool)"),
};

const RibbonActionRow kLengthMenu[] = {
    COMMAND_ROW("Measure_LineDistance", QT_TRANSLATE_NOOP("MainWindow", "LineDistance"), "linedis", "on_actionLineDistance_triggered(bool)"),
    COMMAND_ROW("Measure_EllipseDistance", QT_TRANSLATE_NOOP("MainWindow", "EllipseDistance"), "arcdis", "on_actionEllipseDistance_triggered(bool)"),
};

const RibbonActionRow kDiameterMenu[] = {
    COMMAND_ROW("Measure_RadiusDis", QT_TRANSLATE_NOOP("MainWindow", "RadiusDis"), "radius", "on_actionRadiusDistance_triggered(bool)"),
    COMMAND_ROW("Measure_DiameterDis", QT_TRANSLATE_NOOP("MainWindow", "DiameterDis"), "diameter", "on_actionDiameterDistance_triggered(bool)"),
};

const RibbonActionRow kMeasurePropertyMenu[] = {
    COMMAND_ROW("Measure_SurfaceArea", QT_TRANSLATE_NOOP("MainWindow", "SurfaceArea"), "SurfaceArea", "on_actionSurfaceArea_triggered(bool)"),
    COMMAND_ROW("Measure_Volume", QT_TRANSLATE_NOOP("MainWindow", "Volume"), "Volume", "on_actionVolume_triggered(bool)"),
};

const RibbonActionRow kAlignmentMenu[] = {
    COMMAND_ROW("Align_PointsAlign", QT_TRANSLATE_NOOP("MainWindow", "PointsAlign"), "PointsAlign", "on_actionPntsAlign_triggered(bool)"),
    COMMAND_ROW("Align_LinesAlign", QT_TRANSLATE_NOOP("MainWindow", "LinesAlign"), "LinesAlign", "on_actionLinesAlign_triggered(bool)"),
    COMMAND_ROW("Align_FacesAlign", QT_TRANSLATE_NOOP("MainWindow", "FacesAlign"), "FacesAlign", "on_actionFacesAlign_triggered(bool)"),
    COMMAND_ROW("Align_LineToFaceAlign", QT_TRANSLATE_NOOP("MainWindow", "LineToFaceAlign"), "LineToFaceAlign", "on_actionLineToFaceAlign_triggered(bool)"),
};

const RibbonActionRow kNoteMenu[] = {
    COMMAND_ROW("3DNote_RectNote", QT_TRANSLATE_NOOP("MainWindow", "RectNote"), "RectNote", "on_actionRectNote_triggered(bool)"),
    COMMAND_ROW("3DNote_CircleNote", QT_TRANSLATE_NOOP("MainWindow", "CircleNote"), "CircleNote", "on_actionCircleNote_triggered(bool)"),
    COMMAND_ROW("3DNote_EllipseNote", QT_TRANSLATE_NOOP("MainWindow", "EllipseNote"), "EllipseNote", "on_actionEllipseNote_triggered(bool)"),
    COMMAND_ROW("3DNote_BrushNote", QT_TRANSLATE_NOOP("MainWindow", "BrushNote"), "3dPen", "on_actionBrushNote_triggered(bool)"),
};

#undef COMMAND_ROW

const RibbonActionRow kViewDirectionMenu[] = {
    {nullptr, "Basic_XDirection", QT_TRANSLATE_NOOP("MainWindow", "XDirection"), "+X", C::Off, false, "triggered()", "on_actionXDirection_triggered()"},
    {nullptr, "Basic_YDirection", QT_TRANSLATE_NOOP("MainWindow", "YDirection"), "+Y", C::Off, false, "triggered()", "on_actionYDirection_triggered()"},
    {nullptr, "Basic_ZDirection", QT_TRANSLATE_NOOP("MainWindow", "ZDirection"), "+Z", C::On, false, "triggered()", "on_actionZDirection_triggered()"},
    {nullptr, "Basic_XOppositeDirection", QT_TRANSLATE_NOOP("MainWindow", "XOppositeDirection"), "-X", C::Off, false, "triggered()", "on_actionXOppositeDirection_triggered()"},
    {nullptr, "Basic_YOppositeDirection", QT_TRANSLATE_NOOP("MainWindow", "YOppositeDirection"), "-Y", C::Off, false, "triggered()", "on_actionYOppositeDirection_triggered()"},
    {nullptr, "Basic_ZOppositeDirection", QT_TRANSLATE_NOOP("MainWindow", "ZOppositeDirection"), "-Z", C::Off, false, "triggered()", "on_actionZOppositeDirection_triggered()"},
};

const RibbonActionRow kRenderModeMenu[] = {
    {nullptr, "Basic_FlatRender", QT_TRANSLATE_NOOP("MainWindow", "FlatRender"), "FlatRender", C::Off, false, "triggered()", "on_actionFlatRender_triggered()"},
    {nullptr, "Basic_LineRender", QT_TRANSLATE_NOOP("MainWindow", "LineRender"), "LineRender", C::Off, false, "triggered()", "on_actionLineRender_triggered()"},
    {nullptr, "Basic_PointRender", QT_TRANSLATE_NOOP("MainWindow", "PointRender"), "PointRender", C::Off, false, "triggered()", "on_actionPointRender_triggered()"},
    {nullptr, "Basic_BlackingRender", QT_TRANSLATE_NOOP("MainWindow", "BlackingRender"), "BlackingRender", C::Off, false, "triggered()", "on_actionBlankingRender_triggered()"},
    {nullptr, "Basic_TransparentShow", QT_TRANSLATE_NOOP("MainWindow", "TransparentShow"), "TransparentShow", C::Off, false, "triggered()", "on_actionTransparentShow_triggered()"},
    {nullptr, "Basic_ShowEdge", QT_TRANSLATE_NOOP("MainWindow", "ShowEdge"), "ShowEdge", C::Off, false, "triggered()", "on_actionShowEdgeLine_triggered()"},
};

// The top view has no entry here.
const RibbonActionRow kBasicViewMenu[] = {
    {nullptr, "Basic_FrontView", QT_TRANSLATE_NOOP("MainWindow", "FrontView"), "FrontView", C::No, false, "triggered()", "on_actionFrontView_triggered()"},
    {nullptr, "Basic_BackView", QT_TRANSLATE_NOOP("MainWindow", "BackView"), "BackView", C::No, false, "triggered()", "on_actionBackView_triggered()"},
    {nullptr, "Basic_LeftView", QT_TRANSLATE_NOOP("MainWindow", "LeftView"), "LeftView", C::No, false, "triggered()", "on_actionLeftView_triggered()"},
    {nullptr, "Basic_RightView", QT_TRANSLATE_NOOP("MainWindow", "RightView"), "RightView", C::No, false, "triggered()", "on_actionRightView_triggered()"},
    {nullptr, "Basic_BottomView", QT_TRANSLATE_NOOP("MainWindow", "BottomView"), "BottomView", C::No, false, "triggered()", "on_actionBottomView_triggered()"},
    {nullptr, "Basic_IsodraftView", QT_TRANSLATE_NOOP("MainWindow", "IsodraftView"), "IsodraftView", C::No, false, "triggered()", "on_actionIsodraftView_triggered()"},
};

const RibbonActionRow kKeyframeDeleteMenu[] = {
    {nullptr, nullptr, QT_TRANSLATE_NOOP("MainWindow", "delete all keyframe"), "atedeleteallK", C::No, false, "triggered()", "on_actionDeleteAllKeyframe_triggerd()"},
    {nullptr, nullptr, QT_TRANSLATE_NOOP("MainWindow", "delete select keyfame"), "deleteselectkey", C::No, false, "triggered()", "on_actionDeleteSelectKeyframe_triggerd()"},
    {nullptr, nullptr, nullptr, nullptr, C::No, false, nullptr, nullptr},
    {nullptr, nullptr, QT_TRANSLATE_NOOP("MainWindow", "delete camera keyframe"), "deletecamerakey", C::No, false, "triggered()", "on_actionDeleteCameraKeyframe_triggerd()"},
};

} // namespace

#define MENU_BUILDER(name, rows)                                                                                  \
    void MainWindow::name(QMenu* menu)                                                                           \
    {                                                                                                             \
        if (!menu)                                                                                                \
            return;                                                                                               \
        styleRibbonMenu(menu, true);                                                                              \
        fillMenu(menu, rows, int(std::size(rows)));                                                               \
    }

MENU_BUILDER(initDistanceMenu, kDistanceMenu)
MENU_BUILDER(initAngleMenu, kAngleMenu)
MENU_BUILDER(initLengthMenu, kLengthMenu)
MENU_BUILDER(initDiameterMenu, kDiameterMenu)
MENU_BUILDER(initMeasurePropertyMenu, kMeasurePropertyMenu)
MENU_BUILDER(initAlignmentMenu, kAlignmentMenu)
MENU_BUILDER(initNoteMenu, kNoteMenu)
MENU_BUILDER(initRenderModeMenu, kRenderModeMenu)
MENU_BUILDER(initBasicViewMenu, kBasicViewMenu)
MENU_BUILDER(initKeyframeDeleteMenu, kKeyframeDeleteMenu)

#undef MENU_BUILDER

void MainWindow::initViewDirectionMenu(QMenu* menu)
{
    if (!menu)
        return;
    styleRibbonMenu(menu, true);
    m_directionActions.clear();
    fillMenu(menu, kViewDirectionMenu, int(std::size(kViewDirectionMenu)), &m_directionActions);
}

void MainWindow::initWindowMenu(QMenu* menu)
{
    if (!menu)
        return;
    styleRibbonMenu(menu, true);
    for (QDockWidget* dock : qAsConst(m_dockList))
        if (dock)
            menu->addAction(dock->toggleViewAction());
    QAction* reset = menu->addAction(tr("resetDockFloating"));
    connect(reset, &QAction::triggered, this, &MainWindow::resetDockFloating);
}
