// The drop-down menus of the ribbon's group buttons.

#include "app/MainWindow.h"

#include "ribbon/RibbonActionRow.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>

#include <iterator>

#define T(text) QT_TRANSLATE_NOOP("MainWindow", text)

namespace {

using C = RibbonCheck;

// Command entries: checkable, in the command-action list; the slot starts the command when checked.
#define COMMAND_ROW(key, text, icon, slot) {nullptr, key, T(text), icon, C::Off, true, "triggered(bool)", slot}

const RibbonActionRow kDistanceMenu[] = {
    COMMAND_ROW("Measure_PntToPntDistance", "PntToPntDistance", "pnttopnt", "on_actionPntToPnt_triggered(bool)"),
    COMMAND_ROW("Measure_PntToLineDistance", "PntToLineDistance", "pnttoline", "on_actionPntToLineMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_PntToFaceDistance", "PntToFaceDistance", "pnttoface", "on_actionPntToFaceMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_LineToLineDistance", "LineToLineDistance", "linetoline", "on_actionLineToLineMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_LineToFaceDistance", "LineToFaceDistance", "linetoface", "on_actionLineToFaceMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_FaceToFaceDistance", "FaceToFaceDistance", "facetoface", "on_actionFaceToFaceMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_CenterToCenterDistance", "CenterToCenterDistance", "centertocenter", "on_actionCenterToCenterMeasure_triggered(bool)"),
    COMMAND_ROW("Measure_ShaftToShaftDistance", "ShaftToShaftDistance", "shafttoshaft", "on_actionShaftToShaftMeasure_triggered(bool)"),
};

// The line-to-face angle has a drawing of its own rather than the point-to-point one.
const RibbonActionRow kAngleMenu[] = {
    COMMAND_ROW("Measure_LineToLineAngle", "LineToLineAngle", "lineangleline", "on_actionLineToLineAngle_triggered(bool)"),
    COMMAND_ROW("Measure_LineToFaceAngle", "LineToFaceAngle", "linefaceangle", "on_actionLineToFaceAngle_triggered(bool)"),
    COMMAND_ROW("Measure_FaceToFaceAngle", "FaceToFaceAngle", "faceangleface", "on_actionFaceToFaceAngle_triggered(bool)"),
};

const RibbonActionRow kLengthMenu[] = {
    COMMAND_ROW("Measure_LineDistance", "LineDistance", "linedis", "on_actionLineDistance_triggered(bool)"),
    COMMAND_ROW("Measure_EllipseDistance", "EllipseDistance", "arcdis", "on_actionEllipseDistance_triggered(bool)"),
};

const RibbonActionRow kDiameterMenu[] = {
    COMMAND_ROW("Measure_RadiusDis", "RadiusDis", "radius", "on_actionRadiusDistance_triggered(bool)"),
    COMMAND_ROW("Measure_DiameterDis", "DiameterDis", "diameter", "on_actionDiameterDistance_triggered(bool)"),
};

const RibbonActionRow kMeasurePropertyMenu[] = {
    COMMAND_ROW("Measure_SurfaceArea", "SurfaceArea", "SurfaceArea", "on_actionSurfaceArea_triggered(bool)"),
    COMMAND_ROW("Measure_Volume", "Volume", "Volume", "on_actionVolume_triggered(bool)"),
};

const RibbonActionRow kAlignmentMenu[] = {
    COMMAND_ROW("Align_PointsAlign", "PointsAlign", "PointsAlign", "on_actionPntsAlign_triggered(bool)"),
    COMMAND_ROW("Align_LinesAlign", "LinesAlign", "LinesAlign", "on_actionLinesAlign_triggered(bool)"),
    COMMAND_ROW("Align_FacesAlign", "FacesAlign", "FacesAlign", "on_actionFacesAlign_triggered(bool)"),
    COMMAND_ROW("Align_LineToFaceAlign", "LineToFaceAlign", "LineToFaceAlign", "on_actionLineToFaceAlign_triggered(bool)"),
};

const RibbonActionRow kNoteMenu[] = {
    COMMAND_ROW("3DNote_RectNote", "RectNote", "RectNote", "on_actionRectNote_triggered(bool)"),
    COMMAND_ROW("3DNote_CircleNote", "CircleNote", "CircleNote", "on_actionCircleNote_triggered(bool)"),
    COMMAND_ROW("3DNote_EllipseNote", "EllipseNote", "EllipseNote", "on_actionEllipseNote_triggered(bool)"),
    COMMAND_ROW("3DNote_BrushNote", "BrushNote", "3dPen", "on_actionBrushNote_triggered(bool)"),
};

#undef COMMAND_ROW

const RibbonActionRow kViewDirectionMenu[] = {
    {nullptr, "Basic_XDirection", T("XDirection"), "+X", C::Off, false, "triggered()", "on_actionXDirection_triggered()"},
    {nullptr, "Basic_YDirection", T("YDirection"), "+Y", C::Off, false, "triggered()", "on_actionYDirection_triggered()"},
    {nullptr, "Basic_ZDirection", T("ZDirection"), "+Z", C::On, false, "triggered()", "on_actionZDirection_triggered()"},
    {nullptr, "Basic_XOppositeDirection", T("XOppositeDirection"), "-X", C::Off, false, "triggered()", "on_actionXOppositeDirection_triggered()"},
    {nullptr, "Basic_YOppositeDirection", T("YOppositeDirection"), "-Y", C::Off, false, "triggered()", "on_actionYOppositeDirection_triggered()"},
    {nullptr, "Basic_ZOppositeDirection", T("ZOppositeDirection"), "-Z", C::Off, false, "triggered()", "on_actionZOppositeDirection_triggered()"},
};

const RibbonActionRow kRenderModeMenu[] = {
    {nullptr, "Basic_FlatRender", T("FlatRender"), "FlatRender", C::Off, false, "triggered()", "on_actionFlatRender_triggered()"},
    {nullptr, "Basic_LineRender", T("LineRender"), "LineRender", C::Off, false, "triggered()", "on_actionLineRender_triggered()"},
    {nullptr, "Basic_PointRender", T("PointRender"), "PointRender", C::Off, false, "triggered()", "on_actionPointRender_triggered()"},
    {nullptr, "Basic_BlackingRender", T("BlackingRender"), "BlackingRender", C::Off, false, "triggered()", "on_actionBlankingRender_triggered()"},
    {nullptr, "Basic_TransparentShow", T("TransparentShow"), "TransparentShow", C::Off, false, "triggered()", "on_actionTransparentShow_triggered()"},
    {nullptr, "Basic_ShowEdge", T("ShowEdge"), "ShowEdge", C::Off, false, "triggered()", "on_actionShowEdgeLine_triggered()"},
};

// The top view has no entry here.
const RibbonActionRow kBasicViewMenu[] = {
    {nullptr, "Basic_FrontView", T("FrontView"), "FrontView", C::No, false, "triggered()", "on_actionFrontView_triggered()"},
    {nullptr, "Basic_BackView", T("BackView"), "BackView", C::No, false, "triggered()", "on_actionBackView_triggered()"},
    {nullptr, "Basic_LeftView", T("LeftView"), "LeftView", C::No, false, "triggered()", "on_actionLeftView_triggered()"},
    {nullptr, "Basic_RightView", T("RightView"), "RightView", C::No, false, "triggered()", "on_actionRightView_triggered()"},
    {nullptr, "Basic_BottomView", T("BottomView"), "BottomView", C::No, false, "triggered()", "on_actionBottomView_triggered()"},
    {nullptr, "Basic_IsodraftView", T("IsodraftView"), "IsodraftView", C::No, false, "triggered()", "on_actionIsodraftView_triggered()"},
};

const RibbonActionRow kKeyframeDeleteMenu[] = {
    {nullptr, nullptr, T("delete all keyframe"), "atedeleteallK", C::No, false, "triggered()", "on_actionDeleteAllKeyframe_triggerd()"},
    {nullptr, nullptr, T("delete select keyfame"), "deleteselectkey", C::No, false, "triggered()", "on_actionDeleteSelectKeyframe_triggerd()"},
    {nullptr, nullptr, nullptr, nullptr, C::No, false, nullptr, nullptr},
    {nullptr, nullptr, T("delete camera keyframe"), "deletecamerakey", C::No, false, "triggered()", "on_actionDeleteCameraKeyframe_triggerd()"},
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
