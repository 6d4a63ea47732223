// The drop-down menus of the ribbon's group buttons.

#include "app/MainWindow.h"

#include "ribbon/RibbonActionRow.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>

#include <iterator>

namespace {

const RibbonActionRow kDistanceMenu[] = {
    {nullptr, "Measure_PntToPntDistance"},
    {nullptr, "Measure_PntToLineDistance"},
    {nullptr, "Measure_PntToFaceDistance"},
    {nullptr, "Measure_LineToLineDistance"},
    {nullptr, "Measure_LineToFaceDistance"},
    {nullptr, "Measure_FaceToFaceDistance"},
    {nullptr, "Measure_CenterToCenterDistance"},
    {nullptr, "Measure_ShaftToShaftDistance"},
};

const RibbonActionRow kAngleMenu[] = {
    {nullptr, "Measure_LineToLineAngle"},
    {nullptr, "Measure_LineToFaceAngle"},
    {nullptr, "Measure_FaceToFaceAngle"},
};

const RibbonActionRow kLengthMenu[] = {
    {nullptr, "Measure_LineDistance"},
    {nullptr, "Measure_EllipseDistance"},
};

const RibbonActionRow kDiameterMenu[] = {
    {nullptr, "Measure_RadiusDis"},
    {nullptr, "Measure_DiameterDis"},
};

const RibbonActionRow kMeasurePropertyMenu[] = {
    {nullptr, "Measure_SurfaceArea"},
    {nullptr, "Measure_Volume"},
};

const RibbonActionRow kAlignmentMenu[] = {
    {nullptr, "Align_PointsAlign"},
    {nullptr, "Align_LinesAlign"},
    {nullptr, "Align_FacesAlign"},
    {nullptr, "Align_LineToFaceAlign"},
};

const RibbonActionRow kNoteMenu[] = {
    {nullptr, "3DNote_RectNote"},
    {nullptr, "3DNote_CircleNote"},
    {nullptr, "3DNote_EllipseNote"},
    {nullptr, "3DNote_BrushNote"},
};

const RibbonActionRow kViewDirectionMenu[] = {
    {nullptr, "Basic_XDirection"},
    {nullptr, "Basic_YDirection"},
    {nullptr, "Basic_ZDirection"},
    {nullptr, "Basic_XOppositeDirection"},
    {nullptr, "Basic_YOppositeDirection"},
    {nullptr, "Basic_ZOppositeDirection"},
};

const RibbonActionRow kRenderModeMenu[] = {
    {nullptr, "Basic_FlatRender"},
    {nullptr, "Basic_LineRender"},
    {nullptr, "Basic_PointRender"},
    {nullptr, "Basic_BlackingRender"},
    {nullptr, "Basic_TransparentShow"},
    {nullptr, "Basic_ShowEdge"},
};

// The top view has no entry here.
const RibbonActionRow kBasicViewMenu[] = {
    {nullptr, "Basic_FrontView"},
    {nullptr, "Basic_BackView"},
    {nullptr, "Basic_LeftView"},
    {nullptr, "Basic_RightView"},
    {nullptr, "Basic_BottomView"},
    {nullptr, "Basic_IsodraftView"},
};

const RibbonActionRow kKeyframeDeleteMenu[] = {
    {nullptr, "Keyframe_atedeleteallK"},
    {nullptr, "Keyframe_deleteselectkey"},
    {nullptr, nullptr},
    {nullptr, "Keyframe_deletecamerakey"},
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
