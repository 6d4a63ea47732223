// Every ribbon tool once: what its action shows, the slot it drives, the command it starts.

#include "app/ToolTable.h"

#include "vantor/align/AlignmentCommands.h"
#include "vantor/explode/ExplodeCommands.h"
#include "vantor/measure/MeasureCommands.h"
#include "vantor/note/NoteCommands.h"
#include "vantor/property/TransformDraggerCommands.h"
#include "vantor/section/SectionCommands.h"

#include <QtGlobal>

#include <cstring>
#include <iterator>

namespace {

template <class T>
Vantor::Command* make()
{
    return new T;
}

using C = RibbonCheck;
using N = ToolNeed;
using R = RibbonReceiver;

#define CMD(T) #T, &make<Vantor::T>

// clang-format off
const RibbonTool kTools[] = {
    // Application menu (not stored in the action map).
    {"App_OpenFile", QT_TRANSLATE_NOOP("MainWindow", "Open"), "OpenFile", C::No, false, "triggered()", "on_actionOpen_triggered()", false, R::Window},
    {"App_Sample", QT_TRANSLATE_NOOP("MainWindow", "Sample"), "Sample", C::No, false, "triggered()", "on_actionOpenSample_triggered()", false, R::Window},
    {"App_save", QT_TRANSLATE_NOOP("MainWindow", "Save"), "save", C::No, false, "triggered()", "on_actionSave_triggered()", false, R::Window},
    {"App_Saveas", QT_TRANSLATE_NOOP("MainWindow", "Save as"), "Saveas", C::No, false, "triggered()", "on_actionSaveAs_triggered()", false, R::Window},
    {"App_shezhi", QT_TRANSLATE_NOOP("MainWindow", "System setting"), "shezhi", C::No, false, "triggered()", "on_actionSetting_triggered()", false, R::Window},
    {"App_Preferences", QT_TRANSLATE_NOOP("MainWindow", "Preferences"), "Preferences", C::No, false, "triggered()", "on_actionPreferences_triggered()", false, R::Window},
    {"App_Close", QT_TRANSLATE_NOOP("MainWindow", "Close"), "Close", C::No, false, "triggered()", "on_actionUnload_triggered()", false, R::Window},
    {"App_Quit", QT_TRANSLATE_NOOP("MainWindow", "Quit"), "Quit", C::No, false, "triggered()", "on_actionQuit_triggered()", false, R::Window},
    // Quick-access row.
    {"Quick_qsave", QT_TRANSLATE_NOOP("MainWindow", "Save"), "qsave", C::No, false, "triggered()", "on_actionSave_triggered()", false, R::Window},
    {"Undo", QT_TRANSLATE_NOOP("MainWindow", "Undo"), ":/VantorViewer/undo.png", C::No, false, "triggered()", "on_actionUndo_triggered()"},
    {"Redo", QT_TRANSLATE_NOOP("MainWindow", "Redo"), ":/VantorViewer/redo.png", C::No, false, "triggered()", "on_actionRedo_triggered()"},
    // Home page.
    {"Basic_Home", QT_TRANSLATE_NOOP("MainWindow", "Home"), "home", C::No, false, "triggered()", "on_actionResetView_triggered()"},
    {"Basic_Pattern", QT_TRANSLATE_NOOP("MainWindow", "Pattern"), "FlatRender", C::No, false, nullptr, nullptr},
    {"Basic_NodeColor", QT_TRANSLATE_NOOP("MainWindow", "NodeColor"), "NodeColor", C::No, false, "triggered()", "on_actionNodeColor_triggered()"},
    {"Basic_Transparency", QT_TRANSLATE_NOOP("MainWindow", "Transparency"), "Transparency", C::No, false, nullptr, nullptr},
    {"Basic_Perspective", QT_TRANSLATE_NOOP("MainWindow", "Parallel projection"), "Parallelprojection", C::Off, false, "triggered(bool)", "on_actionPerspective_triggered(bool)"},
    {"Basic_Rotation", QT_TRANSLATE_NOOP("MainWindow", "Rotation"), "Rotation", C::Off, false, "triggered()", "on_actionTrackballManipulatorRotation_triggered()"},
    {"Basic_Translation", QT_TRANSLATE_NOOP("MainWindow", "Translation"), "Translation", C::Yes, false, "triggered(bool)", "on_actionTrackballManipulatorPan_triggered(bool)"},
    {"Basic_Zoom", QT_TRANSLATE_NOOP("MainWindow", "Zoom"), "Zoom", C::Yes, false, "triggered(bool)", "on_actionTrackballManipulatorZoom_triggered(bool)"},
    {"Basic_Adapt", QT_TRANSLATE_NOOP("MainWindow", "Adapt"), "Adapt", C::No, false, "triggered()", "on_actionFocusNode_triggered()"},
    {"Basic_FullScreen", QT_TRANSLATE_NOOP("MainWindow", "FullScreen"), "FullScreen", C::Yes, false, "triggered(bool)", "on_actionFullScreen_triggered(bool)"},
    {"Basic_Hide", QT_TRANSLATE_NOOP("MainWindow", "Hide"), "Hide", C::No, false, "triggered()", "on_actionDisableNode_triggered()"},
    {"Basic_Isolation", QT_TRANSLATE_NOOP("MainWindow", "Isolation"), "Isolation", C::No, false, "triggered()", "on_actionIsolateNode_triggered()"},
    {"Basic_Show", QT_TRANSLATE_NOOP("MainWindow", "Show"), "Show", C::No, false, "triggered()", "on_actionEnableNode_triggered()"},
    {"Basic_ViewDirection", QT_TRANSLATE_NOOP("MainWindow", "ViewDirection"), "+Z", C::Off, false, "triggered()", "on_actionViewDirection_triggered()"},
    {"Basic_Selection", QT_TRANSLATE_NOOP("MainWindow", "Selection"), "Selection", C::No, false, "triggered()", "on_actionSelectUpLevel_triggered()"},
    {"Basic_snapShot", QT_TRANSLATE_NOOP("MainWindow", "Take snapShot"), "snapShot", C::No, false, "triggered()", "on_actionSnapShot_triggered()"},
    {"Basic_Screenshot", QT_TRANSLATE_NOOP("MainWindow", "Screenshot"), "Screenshot", C::No, false, "triggered()", "on_actionScreenshot_triggered()"},
    {"Basic_Window", QT_TRANSLATE_NOOP("MainWindow", "Window"), "Window", C::No, false, nullptr, nullptr},
    // View page.
    {"Basic_Basicview", QT_TRANSLATE_NOOP("MainWindow", "Basic view"), "View", C::No, false, nullptr, nullptr},
    {"Basic_Axisview", QT_TRANSLATE_NOOP("MainWindow", "Axis view"), "Axisview", C::No, false, "triggered()", "on_actionIsodraftView_triggered()"},
    {"Basic_Add", QT_TRANSLATE_NOOP("MainWindow", "Add to"), "AddView", C::No, false, "triggered()", "on_pushButtonAddBookmark_pressed()", true, R::BookmarkPanel},
    {"Basic_Delete", QT_TRANSLATE_NOOP("MainWindow", "Delete"), "deleteView", C::No, false, "triggered()", "on_pushButtonDeleteBookmark_pressed()", true, R::BookmarkPanel},
    {"Basic_Update", QT_TRANSLATE_NOOP("MainWindow", "Update"), "updateView", C::No, false, "triggered()", "on_pushButtonUpdateBookmark_pressed()", true, R::BookmarkPanel},
    {"Basic_Lastview", QT_TRANSLATE_NOOP("MainWindow", "Last View"), "Lastview", C::No, false, "triggered()", "on_actionBookMarkBack_triggered()"},
    {"Basic_Nextview", QT_TRANSLATE_NOOP("MainWindow", "Next View"), "Nextview", C::No, false, "triggered()", "on_actionBookMarkNext_triggered()"},
    // Roam page.
    {"Roam_Roam", QT_TRANSLATE_NOOP("MainWindow", "Roam"), "Roam", C::Yes, false, "triggered(bool)", "on_actionRoam_triggered(bool)"},
    {"Roam_Thirdperson", QT_TRANSLATE_NOOP("MainWindow", "Third person"), "Thirdperson", C::Yes, false, "triggered(bool)", "on_actionRomanThirdperson_triggered(bool)"},
    {"Roam_Gravitymodel", QT_TRANSLATE_NOOP("MainWindow", "Gravity model"), "Gravitymodel", C::Yes, false, "triggered(bool)", "on_actionSetGravityMode_triggered(bool)"},
    {"Roam_Obstacles", QT_TRANSLATE_NOOP("MainWindow", "Obstacles"), "Obstacles", C::Yes, false, "triggered(bool)", "on_actionSetObstacleMode_triggered(bool)"},
    // Review page.
    {"Measure_Distances", QT_TRANSLATE_NOOP("MainWindow", "Distances"), "pnttopnt", C::Yes, true, "triggered(bool)", "on_actionCancel_triggered(bool)"},
    {"Measure_Angles", QT_TRANSLATE_NOOP("MainWindow", "Angles"), "lineangleline", C::Yes, true, "triggered(bool)", "on_actionCancel_triggered(bool)"},
    {"Measure_Length", QT_TRANSLATE_NOOP("MainWindow", "Length"), "linedis", C::Yes, true, "triggered(bool)", "on_actionCancel_triggered(bool)"},
    {"Measure_Diameter", QT_TRANSLATE_NOOP("MainWindow", "Diameter"), "radius", C::Yes, true, "triggered(bool)", "on_actionCancel_triggered(bool)"},
    {"Measure_MeasureProperty", QT_TRANSLATE_NOOP("MainWindow", "MeasureProperty"), "SurfaceArea", C::Yes, true, "triggered(bool)", "on_actionCancel_triggered(bool)"},
    {"Note_Newbuilt", QT_TRANSLATE_NOOP("MainWindow", "New-built"), "note", C::Yes, true, "triggered(bool)", "on_actionNewbuilt_triggered(bool)", true, R::Window, CMD(PointNoteCommand)},
    {"3DNote_3DNote", QT_TRANSLATE_NOOP("MainWindow", "3DNote"), "3dNote", C::Yes, true, "triggered(bool)", "on_actionCancel_triggered(bool)"},
    {"Note_Import", QT_TRANSLATE_NOOP("MainWindow", "Import"), "ImportNote", C::No, false, "triggered()", "on_actionImputJson_triggered()"},
    {"Note_Export", QT_TRANSLATE_NOOP("MainWindow", "Export"), "ExportNote", C::No, false, "triggered()", "on_actionExportJson_triggered()"},
    // Profile page.
    {"Section_Establish", QT_TRANSLATE_NOOP("MainWindow", "Establish"), "Establish", C::Yes, true, "triggered(bool)", "on_actionAddSection_triggerd(bool)", true, R::Window, CMD(CreateSectionCommand)},
    {"Section_Update", QT_TRANSLATE_NOOP("MainWindow", "Update"), "updateSection", C::Yes, true, "triggered(bool)", "on_actionUpdateSection_triggerd(bool)", true, R::Window, CMD(UpdateSectionCommand)},
    {"Section_Reverse", QT_TRANSLATE_NOOP("MainWindow", "Reverse"), "ReverseEstablish", C::No, false, "triggered()", "on_actionReverseSection_triggerd()", true, R::Window, CMD(ReverseSectionCommand)},
    {"Section_ClipSelected", QT_TRANSLATE_NOOP("MainWindow", "ClipSelected"), "ClipSelected", C::Yes, false, "triggered(bool)", "on_actionClipSelectedNodes_triggerd(bool)"},
    // Conversion page.
    {"Basic_ResetPosition", QT_TRANSLATE_NOOP("MainWindow", "Reset Position"), "Reset", C::No, true, "triggered()", "on_actionResetPosition_triggerd()"},
    {"Basic_ResetColor", QT_TRANSLATE_NOOP("MainWindow", "Reset Color"), "ResetColor", C::No, true, "triggered()", "on_actionResetColor_triggerd()"},
    {"Basic_ResetTransparent", QT_TRANSLATE_NOOP("MainWindow", "Reset Transparent"), "ResetTransparent", C::No, true, "triggered()", "on_actionResetTransparent_triggerd()"},
    {"Resolve_Freedrop", QT_TRANSLATE_NOOP("MainWindow", "Free drop"), "Freedrop", C::Yes, true, "triggered(bool)", "on_actionPlaneTransformDragger_triggerd(bool)", true, R::Window, CMD(PlaneTransformDraggerCommand)},
    {"Resolve_Directionaldrop", QT_TRANSLATE_NOOP("MainWindow", "Directional drop"), "Directionaldrop", C::Yes, true, "triggered(bool)", "on_actionAxisTransformDragger_triggerd(bool)", true, R::Window, CMD(AxisTransformDraggerCommand)},
    {"Resolve_Alongaxial", QT_TRANSLATE_NOOP("MainWindow", "Along axial"), "Alongaxial", C::Yes, true, "triggered(bool)", "on_actionRotationTransformDragger_triggerd(bool)", true, R::Window, CMD(RotateTransformDraggerCommand)},
    {"Resolve_UpdateAxisLocation", QT_TRANSLATE_NOOP("MainWindow", "设置枢轴"), "UpdateAxisLocation", C::Yes, true, "triggered(bool)", "on_actionUpdateAxisLocation_triggerd(bool)", true, R::Window, CMD(UpdateAxisLocationCommand)},
    {"Resolve_RestAxisLocation", QT_TRANSLATE_NOOP("MainWindow", "重置枢轴"), "RestAxisLocation", C::No, true, "triggered()", "on_actionRestAxisLocation_triggerd()"},
    {"Explode_Axisexplode", QT_TRANSLATE_NOOP("MainWindow", "Axis explode"), "Axisexplode", C::Yes, true, "triggered(bool)", "on_actionAxisExplodeDragger_triggerd(bool)", true, R::Window, CMD(AxisExplodeTransformDraggerCommand)},
    {"Explode_Radialexplode", QT_TRANSLATE_NOOP("MainWindow", "Radial explode"), "Radialexplode", C::Yes, true, "triggered(bool)", "on_actionRadialExplodeDragger_triggerd(bool)", true, R::Window, CMD(RadialExplodeTransformDraggerCommand)},
    {"Explode_Centerexplode", QT_TRANSLATE_NOOP("MainWindow", "Center explode"), "Centerexplode", C::Yes, true, "triggered(bool)", "on_actionCenterExplodeDragger_triggerd(bool)", true, R::Window, CMD(CenterExplodeTransformDraggerCommand)},
    {"Align_Alignment", QT_TRANSLATE_NOOP("MainWindow", "Alignment"), "PointsAlign", C::Yes, true, "triggered(bool)", "on_actionCancel_triggered(bool)"},
    {"Align_LockPosition", QT_TRANSLATE_NOOP("MainWindow", "LockPosition"), "LockPosition", C::Yes, false, "triggered(bool)", "on_actionLockPosition_triggered(bool)"},
    // Combine and CombineAll get icons of their own: three identical buttons side by side could not be
    // told apart.
    {"Basic_Combine", QT_TRANSLATE_NOOP("MainWindow", "Combine"), "Combine", C::No, false, "triggered()", "on_actionModelCombine_triggered()"},
    {"Basic_CombineAll", QT_TRANSLATE_NOOP("MainWindow", "CombineAll"), "CombineAll", C::No, false, "triggered()", "on_actionModelAutoCombine_triggered()"},
    // Relation page.
    {"Relation_addCollision", QT_TRANSLATE_NOOP("MainWindow", "test"), "addCollision", C::No, false, "triggered()", "on_actionCollisionSetting_triggered()"},
    {"Relation_Collision List", QT_TRANSLATE_NOOP("MainWindow", "Collision List"), "CollisionList", C::Yes, false, "triggered(bool)", "CollisionShowUI(bool)"},
    {"Relation_Hide Collision Effect", QT_TRANSLATE_NOOP("MainWindow", "Hide Collision Effect"), "Collisionclear", C::No, false, "triggered(bool)", "hideCollisionEffect()"},
    {"Relation_Show Collision Model", QT_TRANSLATE_NOOP("MainWindow", "Show Collision Model"), "onlyShowCollisionNodes", C::Yes, false, "triggered(bool)", "showCollisionPart(bool)"},
    // Help page.
    {"Help_Sample32", QT_TRANSLATE_NOOP("MainWindow", "Sample"), "Sample32", C::No, false, "triggered()", "on_actionOpenSample_triggered()", false, R::Window},
    {"Help_help", QT_TRANSLATE_NOOP("MainWindow", "帮助"), "help", C::No, false, "triggered()", "on_actionHelp_triggered()", false, R::Window},
    {"Help_about32", QT_TRANSLATE_NOOP("MainWindow", "关于"), "about32", C::No, false, "triggered()", "on_actionAbout_triggered()", false, R::Window},
    // Animation page.
    {"Animation_Load root scene", QT_TRANSLATE_NOOP("MainWindow", "Load root scene"), "ateLoadrootscene", C::No, false, "triggered()", "on_actionLoadrootscene_triggerd()"},
    {"Animation_Save root scene", QT_TRANSLATE_NOOP("MainWindow", "Save root scene"), "ateSaverootscene", C::No, false, "triggered()", "on_actionSaverootscene_triggerd()"},
    {"Animation_delete all Keyframe", QT_TRANSLATE_NOOP("MainWindow", "delete all Keyframe"), "atedeleteallK", C::No, false, nullptr, nullptr},
    {"Animation_ATEPlay", QT_TRANSLATE_NOOP("MainWindow", "Play"), "ATEPlay3x", C::Yes, false, "triggered(bool)", "on_actionPlayAnimation_triggerd(bool)"},
    {"Animation_ATEPause", QT_TRANSLATE_NOOP("MainWindow", "Pause"), "ATEPause3x", C::No, false, "triggered()", "on_actionPauseAllAnimation_triggerd()"},
    {"Animation_ATEStop", QT_TRANSLATE_NOOP("MainWindow", "Stop"), "ATEStop3x", C::No, false, "triggered()", "on_actionStopAnimation_triggerd()"},
    {"Animation_ATEReverse", QT_TRANSLATE_NOOP("MainWindow", "ReversePlay"), ":/VantorViewer/icon/ATE/ATEReverse.png", C::Yes, false, "triggered(bool)", "on_reversePlayMode_triggerd(bool)"},
    {"Animation_ATECyclicPlay", QT_TRANSLATE_NOOP("MainWindow", "CyclicPlay"), "ATECyclicPlay3x", C::Yes, false, "triggered(bool)", "on_loopPlayMode_triggerd(bool)"},
    {"Animation_ATECameraPlay", QT_TRANSLATE_NOOP("MainWindow", "CameraPlay"), "ATECameraPlay3x", C::Off, false, "triggered(bool)", "on_actionCameraPlayMode_checked(bool)"},
    {"Animation_Time set", QT_TRANSLATE_NOOP("MainWindow", "Time set"), "ateTimeset", C::No, false, "triggered()", "on_actionTimeset_triggered()"},
    {"Recording_Time axle", QT_TRANSLATE_NOOP("MainWindow", "Time axle"), "ateTimeAxle", C::Off, false, "triggered(bool)", "on_AnimationDock_featuresChanged(bool)"},
    // Drop-down menus.
    {"Measure_PntToPntDistance", QT_TRANSLATE_NOOP("MainWindow", "PntToPntDistance"), "pnttopnt", C::Off, true, "triggered(bool)", "on_actionPntToPnt_triggered(bool)", true, R::Window, CMD(PntToPntDistanceCommand), "Measure_Distances"},
    {"Measure_PntToLineDistance", QT_TRANSLATE_NOOP("MainWindow", "PntToLineDistance"), "pnttoline", C::Off, true, "triggered(bool)", "on_actionPntToLineMeasure_triggered(bool)", true, R::Window, CMD(PntToLineDistanceCommand), "Measure_Distances", N::Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行点线测量")},
    {"Measure_PntToFaceDistance", QT_TRANSLATE_NOOP("MainWindow", "PntToFaceDistance"), "pnttoface", C::Off, true, "triggered(bool)", "on_actionPntToFaceMeasure_triggered(bool)", true, R::Window, CMD(PntToFaceDistanceCommand), "Measure_Distances", N::Faces, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何面，无法进行点面测量")},
    {"Measure_LineToLineDistance", QT_TRANSLATE_NOOP("MainWindow", "LineToLineDistance"), "linetoline", C::Off, true, "triggered(bool)", "on_actionLineToLineMeasure_triggered(bool)", true, R::Window, CMD(LineToLineDistanceCommand), "Measure_Distances", N::Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行线线测量")},
    {"Measure_LineToFaceDistance", QT_TRANSLATE_NOOP("MainWindow", "LineToFaceDistance"), "linetoface", C::Off, true, "triggered(bool)", "on_actionLineToFaceMeasure_triggered(bool)", true, R::Window, CMD(LineToFaceDistanceCommand), "Measure_Distances", N::FacesAndEdges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何属性，无法进行线面测量")},
    {"Measure_FaceToFaceDistance", QT_TRANSLATE_NOOP("MainWindow", "FaceToFaceDistance"), "facetoface", C::Off, true, "triggered(bool)", "on_actionFaceToFaceMeasure_triggered(bool)", true, R::Window, CMD(FaceToFaceDistanceCommand), "Measure_Distances", N::Faces, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何面，无法进行面面测量")},
    {"Measure_CenterToCenterDistance", QT_TRANSLATE_NOOP("MainWindow", "CenterToCenterDistance"), "centertocenter", C::Off, true, "triggered(bool)", "on_actionCenterToCenterMeasure_triggered(bool)", true, R::Window, CMD(CenterToCenterDistanceCommand), "Measure_Distances", N::Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边线，无法进行圆心距测量")},
    {"Measure_ShaftToShaftDistance", QT_TRANSLATE_NOOP("MainWindow", "ShaftToShaftDistance"), "shafttoshaft", C::Off, true, "triggered(bool)", "on_actionShaftToShaftMeasure_triggered(bool)", true, R::Window, CMD(ShaftToShaftDistanceCommand), "Measure_Distances", N::Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边线，无法进行轴距测量")},
    {"Measure_LineToLineAngle", QT_TRANSLATE_NOOP("MainWindow", "LineToLineAngle"), "lineangleline", C::Off, true, "triggered(bool)", "on_actionLineToLineAngle_triggered(bool)", true, R::Window, CMD(LineToLineAngleCommand), "Measure_Angles", N::Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行线线测量")},
    // The line-to-face angle has a drawing of its own rather than the point-to-point one.
    {"Measure_LineToFaceAngle", QT_TRANSLATE_NOOP("MainWindow", "LineToFaceAngle"), "linefaceangle", C::Off, true, "triggered(bool)", "on_actionLineToFaceAngle_triggered(bool)", true, R::Window, CMD(LineToFaceAngleCommand), "Measure_Angles", N::FacesAndEdges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边或几何面，无法进行线面角度测量")},
    {"Measure_FaceToFaceAngle", QT_TRANSLATE_NOOP("MainWindow", "FaceToFaceAngle"), "faceangleface", C::Off, true, "triggered(bool)", "on_actionFaceToFaceAngle_triggered(bool)", true, R::Window, CMD(FaceToFaceAngleCommand), "Measure_Angles", N::Faces, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何面，无法进行面面测量")},
    {"Measure_LineDistance", QT_TRANSLATE_NOOP("MainWindow", "LineDistance"), "linedis", C::Off, true, "triggered(bool)", "on_actionLineDistance_triggered(bool)", true, R::Window, CMD(LineDistanceCommand), "Measure_Length", N::Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行线长测量")},
    {"Measure_EllipseDistance", QT_TRANSLATE_NOOP("MainWindow", "EllipseDistance"), "arcdis", C::Off, true, "triggered(bool)", "on_actionEllipseDistance_triggered(bool)", true, R::Window, CMD(EllipseDistanceCommand), "Measure_Length", N::Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行弧长测量")},
    {"Measure_RadiusDis", QT_TRANSLATE_NOOP("MainWindow", "RadiusDis"), "radius", C::Off, true, "triggered(bool)", "on_actionRadiusDistance_triggered(bool)", true, R::Window, CMD(RadiusDistanceCommand), "Measure_Diameter", N::Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行半径测量")},
    {"Measure_DiameterDis", QT_TRANSLATE_NOOP("MainWindow", "DiameterDis"), "diameter", C::Off, true, "triggered(bool)", "on_actionDiameterDistance_triggered(bool)", true, R::Window, CMD(DiameterDistanceCommand), "Measure_Diameter", N::Edges, QT_TRANSLATE_NOOP("MainWindow", "当前模型没有几何边，无法进行直径测量")},
    {"Measure_SurfaceArea", QT_TRANSLATE_NOOP("MainWindow", "SurfaceArea"), "SurfaceArea", C::Off, true, "triggered(bool)", "on_actionSurfaceArea_triggered(bool)", true, R::Window, CMD(SurfaceAreaCommand), "Measure_MeasureProperty"},
    {"Measure_Volume", QT_TRANSLATE_NOOP("MainWindow", "Volume"), "Volume", C::Off, true, "triggered(bool)", "on_actionVolume_triggered(bool)", true, R::Window, CMD(VolumeCommand), "Measure_MeasureProperty"},
    {"Align_PointsAlign", QT_TRANSLATE_NOOP("MainWindow", "PointsAlign"), "PointsAlign", C::Off, true, "triggered(bool)", "on_actionPntsAlign_triggered(bool)", true, R::Window, CMD(PointsAlignmentCommand), "Align_Alignment"},
    {"Align_LinesAlign", QT_TRANSLATE_NOOP("MainWindow", "LinesAlign"), "LinesAlign", C::Off, true, "triggered(bool)", "on_actionLinesAlign_triggered(bool)", true, R::Window, CMD(LinesAlignmentCommand), "Align_Alignment"},
    {"Align_FacesAlign", QT_TRANSLATE_NOOP("MainWindow", "FacesAlign"), "FacesAlign", C::Off, true, "triggered(bool)", "on_actionFacesAlign_triggered(bool)", true, R::Window, CMD(FacesAlignmentCommand), "Align_Alignment"},
    {"Align_LineToFaceAlign", QT_TRANSLATE_NOOP("MainWindow", "LineToFaceAlign"), "LineToFaceAlign", C::Off, true, "triggered(bool)", "on_actionLineToFaceAlign_triggered(bool)", true, R::Window, CMD(LineToFaceAlignmentCommand), "Align_Alignment"},
    {"3DNote_RectNote", QT_TRANSLATE_NOOP("MainWindow", "RectNote"), "RectNote", C::Off, true, "triggered(bool)", "on_actionRectNote_triggered(bool)", true, R::Window, CMD(RectNoteCommand), "3DNote_3DNote"},
    {"3DNote_CircleNote", QT_TRANSLATE_NOOP("MainWindow", "CircleNote"), "CircleNote", C::Off, true, "triggered(bool)", "on_actionCircleNote_triggered(bool)", true, R::Window, CMD(CircleNoteCommand), "3DNote_3DNote"},
    {"3DNote_EllipseNote", QT_TRANSLATE_NOOP("MainWindow", "EllipseNote"), "EllipseNote", C::Off, true, "triggered(bool)", "on_actionEllipseNote_triggered(bool)", true, R::Window, CMD(EllipseNoteCommand), "3DNote_3DNote"},
    {"3DNote_BrushNote", QT_TRANSLATE_NOOP("MainWindow", "BrushNote"), "3dPen", C::Off, true, "triggered(bool)", "on_actionBrushNote_triggered(bool)", true, R::Window, CMD(BrushNoteCommand), "3DNote_3DNote"},
    {"Basic_XDirection", QT_TRANSLATE_NOOP("MainWindow", "XDirection"), "+X", C::Off, false, "triggered()", "on_actionXDirection_triggered()"},
    {"Basic_YDirection", QT_TRANSLATE_NOOP("MainWindow", "YDirection"), "+Y", C::Off, false, "triggered()", "on_actionYDirection_triggered()"},
    {"Basic_ZDirection", QT_TRANSLATE_NOOP("MainWindow", "ZDirection"), "+Z", C::On, false, "triggered()", "on_actionZDirection_triggered()"},
    {"Basic_XOppositeDirection", QT_TRANSLATE_NOOP("MainWindow", "XOppositeDirection"), "-X", C::Off, false, "triggered()", "on_actionXOppositeDirection_triggered()"},
    {"Basic_YOppositeDirection", QT_TRANSLATE_NOOP("MainWindow", "YOppositeDirection"), "-Y", C::Off, false, "triggered()", "on_actionYOppositeDirection_triggered()"},
    {"Basic_ZOppositeDirection", QT_TRANSLATE_NOOP("MainWindow", "ZOppositeDirection"), "-Z", C::Off, false, "triggered()", "on_actionZOppositeDirection_triggered()"},
    {"Basic_FlatRender", QT_TRANSLATE_NOOP("MainWindow", "FlatRender"), "FlatRender", C::Off, false, "triggered()", "on_actionFlatRender_triggered()"},
    {"Basic_LineRender", QT_TRANSLATE_NOOP("MainWindow", "LineRender"), "LineRender", C::Off, false, "triggered()", "on_actionLineRender_triggered()"},
    {"Basic_PointRender", QT_TRANSLATE_NOOP("MainWindow", "PointRender"), "PointRender", C::Off, false, "triggered()", "on_actionPointRender_triggered()"},
    {"Basic_BlackingRender", QT_TRANSLATE_NOOP("MainWindow", "BlackingRender"), "BlackingRender", C::Off, false, "triggered()", "on_actionBlankingRender_triggered()"},
    {"Basic_TransparentShow", QT_TRANSLATE_NOOP("MainWindow", "TransparentShow"), "TransparentShow", C::Off, false, "triggered()", "on_actionTransparentShow_triggered()"},
    {"Basic_ShowEdge", QT_TRANSLATE_NOOP("MainWindow", "ShowEdge"), "ShowEdge", C::Off, false, "triggered()", "on_actionShowEdgeLine_triggered()"},
    {"Basic_FrontView", QT_TRANSLATE_NOOP("MainWindow", "FrontView"), "FrontView", C::No, false, "triggered()", "on_actionFrontView_triggered()"},
    {"Basic_BackView", QT_TRANSLATE_NOOP("MainWindow", "BackView"), "BackView", C::No, false, "triggered()", "on_actionBackView_triggered()"},
    {"Basic_LeftView", QT_TRANSLATE_NOOP("MainWindow", "LeftView"), "LeftView", C::No, false, "triggered()", "on_actionLeftView_triggered()"},
    {"Basic_RightView", QT_TRANSLATE_NOOP("MainWindow", "RightView"), "RightView", C::No, false, "triggered()", "on_actionRightView_triggered()"},
    {"Basic_BottomView", QT_TRANSLATE_NOOP("MainWindow", "BottomView"), "BottomView", C::No, false, "triggered()", "on_actionBottomView_triggered()"},
    {"Basic_IsodraftView", QT_TRANSLATE_NOOP("MainWindow", "IsodraftView"), "IsodraftView", C::No, false, "triggered()", "on_actionIsodraftView_triggered()"},
    {"Keyframe_atedeleteallK", QT_TRANSLATE_NOOP("MainWindow", "delete all keyframe"), "atedeleteallK", C::No, false, "triggered()", "on_actionDeleteAllKeyframe_triggerd()", false, R::Window},
    {"Keyframe_deleteselectkey", QT_TRANSLATE_NOOP("MainWindow", "delete select keyfame"), "deleteselectkey", C::No, false, "triggered()", "on_actionDeleteSelectKeyframe_triggerd()", false, R::Window},
    {"Keyframe_deletecamerakey", QT_TRANSLATE_NOOP("MainWindow", "delete camera keyframe"), "deletecamerakey", C::No, false, "triggered()", "on_actionDeleteCameraKeyframe_triggerd()", false, R::Window},
};
// clang-format on

#undef CMD

} // namespace

ToolList ribbonTools() { return {std::begin(kTools), std::end(kTools)}; }

const RibbonTool* findTool(const char* id)
{
    if (!id)
        return nullptr;
    for (const RibbonTool& tool : kTools)
        if (std::strcmp(tool.id, id) == 0)
            return &tool;
    return nullptr;
}

const char* toolCommand(const char* id)
{
    const RibbonTool* tool = findTool(id);
    return tool ? tool->commandName : nullptr;
}
