// The ribbon pages: one row per action, in page order.

#include "app/MainWindow.h"
#include "app/MainWindowListeners.h"
#include "vantor/walker/WalkerManipulator.h"

#include "ribbon/RibbonActionRow.h"
#include "view/PickingHandler.h"
#include "view/SceneView.h"
#include "app/MainWindowListeners.h"
#include "vantor/effect/EffectManager.h"

#include "ribbonbar/SARibbonCategory.h"
#include "ribbonbar/SARibbonPannel.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <iterator>

namespace {

using C = RibbonCheck;
const char* const kClicked = "triggered()";
const char* const kToggled = "triggered(bool)";

const RibbonActionRow kHomePage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Home"), "Basic_Home", QT_TRANSLATE_NOOP("MainWindow", "Home"), "home", C::No, false, kClicked, "on_actionResetView_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Appearance"), "Basic_Pattern", QT_TRANSLATE_NOOP("MainWindow", "Pattern"), "FlatRender", C::No, false, nullptr, nullptr, &MainWindow::initRenderModeMenu},
    {QT_TRANSLATE_NOOP("MainWindow", "Appearance"), "Basic_NodeColor", QT_TRANSLATE_NOOP("MainWindow", "NodeColor"), "NodeColor", C::No, false, kClicked, "on_actionNodeColor_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Appearance"), "Basic_Transparency", QT_TRANSLATE_NOOP("MainWindow", "Transparency"), "Transparency", C::No, false, nullptr, nullptr, &MainWindow::initTransparencyMenu},
    {QT_TRANSLATE_NOOP("MainWindow", "Appearance"), "Basic_Perspective", QT_TRANSLATE_NOOP("MainWindow", "Parallel projection"), "Parallelprojection", C::Off, false, kToggled, "on_actionPerspective_triggered(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "navigation"), "Basic_Rotation", QT_TRANSLATE_NOOP("MainWindow", "Rotation"), "Rotation", C::Off, false, kClicked, "on_actionTrackballManipulatorRotation_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "navigation"), "Basic_Translation", QT_TRANSLATE_NOOP("MainWindow", "Translation"), "Translation", C::Yes, false, kToggled, "on_actionTrackballManipulatorPan_triggered(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "navigation"), "Basic_Zoom", QT_TRANSLATE_NOOP("MainWindow", "Zoom"), "Zoom", C::Yes, false, kToggled, "on_actionTrackballManipulatorZoom_triggered(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "navigation"), "Basic_Adapt", QT_TRANSLATE_NOOP("MainWindow", "Adapt"), "Adapt", C::No, false, kClicked, "on_actionFocusNode_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "navigation"), "Basic_FullScreen", QT_TRANSLATE_NOOP("MainWindow", "FullScreen"), "FullScreen", C::Yes, false, kToggled, "on_actionFullScreen_triggered(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "show/hide"), "Basic_Hide", QT_TRANSLATE_NOOP("MainWindow", "Hide"), "Hide", C::No, false, kClicked, "on_actionDisableNode_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "show/hide"), "Basic_Isolation", QT_TRANSLATE_NOOP("MainWindow", "Isolation"), "Isolation", C::No, false, kClicked, "on_actionIsolateNode_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "show/hide"), "Basic_Show", QT_TRANSLATE_NOOP("MainWindow", "Show"), "Show", C::No, false, kClicked, "on_actionEnableNode_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "ViewDirection"), "Basic_ViewDirection", QT_TRANSLATE_NOOP("MainWindow", "ViewDirection"), "+Z", C::Off, false, kClicked, "on_actionViewDirection_triggered()", &MainWindow::initViewDirectionMenu},
    {QT_TRANSLATE_NOOP("MainWindow", "Selection"), "Basic_Selection", QT_TRANSLATE_NOOP("MainWindow", "Selection"), "Selection", C::No, false, kClicked, "on_actionSelectUpLevel_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Take snapShot"), "Basic_snapShot", QT_TRANSLATE_NOOP("MainWindow", "Take snapShot"), "snapShot", C::No, false, kClicked, "on_actionSnapShot_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Take snapShot"), "Basic_Screenshot", QT_TRANSLATE_NOOP("MainWindow", "Screenshot"), "Screenshot", C::No, false, kClicked, "on_actionScreenshot_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Window"), "Basic_Window", QT_TRANSLATE_NOOP("MainWindow", "Window"), "Window", C::No, false, nullptr, nullptr, &MainWindow::initWindowMenu},
};

const RibbonActionRow kViewPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Direction"), "Basic_Basicview", QT_TRANSLATE_NOOP("MainWindow", "Basic view"), "View", C::No, false, nullptr, nullptr, &MainWindow::initBasicViewMenu},
    {QT_TRANSLATE_NOOP("MainWindow", "Direction"), "Basic_Axisview", QT_TRANSLATE_NOOP("MainWindow", "Axis view"), "Axisview", C::No, false, kClicked, "on_actionIsodraftView_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Edit"), "Basic_Add", QT_TRANSLATE_NOOP("MainWindow", "Add to"), "AddView", C::No, false, kClicked, "on_pushButtonAddBookmark_pressed()", nullptr, false, RibbonReceiver::BookmarkPanel},
    {QT_TRANSLATE_NOOP("MainWindow", "Edit"), "Basic_Delete", QT_TRANSLATE_NOOP("MainWindow", "Delete"), "deleteView", C::No, false, kClicked, "on_pushButtonDeleteBookmark_pressed()", nullptr, false, RibbonReceiver::BookmarkPanel},
    {QT_TRANSLATE_NOOP("MainWindow", "Edit"), "Basic_Update", QT_TRANSLATE_NOOP("MainWindow", "Update"), "updateView", C::No, false, kClicked, "on_pushButtonUpdateBookmark_pressed()", nullptr, false, RibbonReceiver::BookmarkPanel},
    {QT_TRANSLATE_NOOP("MainWindow", "Edit"), "Basic_Lastview", QT_TRANSLATE_NOOP("MainWindow", "Last View"), "Lastview", C::No, false, kClicked, "on_actionBookMarkBack_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Edit"), "Basic_Nextview", QT_TRANSLATE_NOOP("MainWindow", "Next View"), "Nextview", C::No, false, kClicked, "on_actionBookMarkNext_triggered()"},
};

const RibbonActionRow kRoamPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Model"), "Roam_Roam", QT_TRANSLATE_NOOP("MainWindow", "Roam"), "Roam", C::Yes, false, kToggled, "on_actionRoam_triggered(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Model"), "Roam_Thirdperson", QT_TRANSLATE_NOOP("MainWindow", "Third person"), "Thirdperson", C::Yes, false, kToggled, "on_actionRomanThirdperson_triggered(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Model"), "Roam_Gravitymodel", QT_TRANSLATE_NOOP("MainWindow", "Gravity model"), "Gravitymodel", C::Yes, false, kToggled, "on_actionSetGravityMode_triggered(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Model"), "Roam_Obstacles", QT_TRANSLATE_NOOP("MainWindow", "Obstacles"), "Obstacles", C::Yes, false, kToggled, "on_actionSetObstacleMode_triggered(bool)"},
};

const RibbonActionRow kReviewPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Measure"), "Measure_Distances", QT_TRANSLATE_NOOP("MainWindow", "Distances"), "pnttopnt", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initDistanceMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Measure"), "Measure_Angles", QT_TRANSLATE_NOOP("MainWindow", "Angles"), "lineangleline", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initAngleMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Measure"), "Measure_Length", QT_TRANSLATE_NOOP("MainWindow", "Length"), "linedis", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initLengthMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Measure"), "Measure_Diameter", QT_TRANSLATE_NOOP("MainWindow", "Diameter"), "radius", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initDiameterMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Measure"), "Measure_MeasureProperty", QT_TRANSLATE_NOOP("MainWindow", "MeasureProperty"), "SurfaceArea", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initMeasurePropertyMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Notations"), "Note_Newbuilt", QT_TRANSLATE_NOOP("MainWindow", "New-built"), "note", C::Yes, true, kToggled, "on_actionNewbuilt_triggered(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Notations"), "3DNote_3DNote", QT_TRANSLATE_NOOP("MainWindow", "3DNote"), "3dNote", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initNoteMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Notations"), "Note_Import", QT_TRANSLATE_NOOP("MainWindow", "Import"), "ImportNote", C::No, false, kClicked, "on_actionImputJson_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Notations"), "Note_Export", QT_TRANSLATE_NOOP("MainWindow", "Export"), "ExportNote", C::No, false, kClicked, "on_actionExportJson_triggered()"},
};

const RibbonActionRow kProfilePage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Profile"), "Section_Establish", QT_TRANSLATE_NOOP("MainWindow", "Establish"), "Establish", C::Yes, true, kToggled, "on_actionAddSection_triggerd(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Profile"), "Section_Update", QT_TRANSLATE_NOOP("MainWindow", "Update"), "updateSection", C::Yes, true, kToggled, "on_actionUpdateSection_triggerd(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Profile"), "Section_Reverse", QT_TRANSLATE_NOOP("MainWindow", "Reverse"), "ReverseEstablish", C::No, false, kClicked, "on_actionReverseSection_triggerd()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Profile"), "Section_ClipSelected", QT_TRANSLATE_NOOP("MainWindow", "ClipSelected"), "ClipSelected", C::Yes, false, kToggled, "on_actionClipSelectedNodes_triggerd(bool)"},
};

// Combine and CombineAll get icons of their own: three identical buttons side by side could not be
// told apart.
const RibbonActionRow kConversionPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Reset"), "Basic_ResetPosition", QT_TRANSLATE_NOOP("MainWindow", "Reset Position"), "Reset", C::No, true, kClicked, "on_actionResetPosition_triggerd()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Reset"), "Basic_ResetColor", QT_TRANSLATE_NOOP("MainWindow", "Reset Color"), "ResetColor", C::No, true, kClicked, "on_actionResetColor_triggerd()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Reset"), "Basic_ResetTransparent", QT_TRANSLATE_NOOP("MainWindow", "Reset Transparent"), "ResetTransparent", C::No, true, kClicked, "on_actionResetTransparent_triggerd()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Resolve"), "Resolve_Freedrop", QT_TRANSLATE_NOOP("MainWindow", "Free drop"), "Freedrop", C::Yes, true, kToggled, "on_actionPlaneTransformDragger_triggerd(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Resolve"), "Resolve_Directionaldrop", QT_TRANSLATE_NOOP("MainWindow", "Directional drop"), "Directionaldrop", C::Yes, true, kToggled, "on_actionAxisTransformDragger_triggerd(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Resolve"), "Resolve_Alongaxial", QT_TRANSLATE_NOOP("MainWindow", "Along axial"), "Alongaxial", C::Yes, true, kToggled, "on_actionRotationTransformDragger_triggerd(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Resolve"), "Resolve_UpdateAxisLocation", QT_TRANSLATE_NOOP("MainWindow", "设置枢轴"), "UpdateAxisLocation", C::Yes, true, kToggled, "on_actionUpdateAxisLocation_triggerd(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Resolve"), "Resolve_RestAxisLocation", QT_TRANSLATE_NOOP("MainWindow", "重置枢轴"), "RestAxisLocation", C::No, true, kClicked, "on_actionRestAxisLocation_triggerd()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Explode"), "Explode_Axisexplode", QT_TRANSLATE_NOOP("MainWindow", "Axis explode"), "Axisexplode", C::Yes, true, kToggled, "on_actionAxisExplodeDragger_triggerd(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Explode"), "Explode_Radialexplode", QT_TRANSLATE_NOOP("MainWindow", "Radial explode"), "Radialexplode", C::Yes, true, kToggled, "on_actionRadialExplodeDragger_triggerd(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Explode"), "Explode_Centerexplode", QT_TRANSLATE_NOOP("MainWindow", "Center explode"), "Centerexplode", C::Yes, true, kToggled, "on_actionCenterExplodeDragger_triggerd(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Alignment"), "Align_Alignment", QT_TRANSLATE_NOOP("MainWindow", "Alignment"), "PointsAlign", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initAlignmentMenu},
    {QT_TRANSLATE_NOOP("MainWindow", "Alignment"), "Align_LockPosition", QT_TRANSLATE_NOOP("MainWindow", "LockPosition"), "LockPosition", C::Yes, false, kToggled, "on_actionLockPosition_triggered(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Combine"), "Basic_Combine", QT_TRANSLATE_NOOP("MainWindow", "Combine"), "Combine", C::No, false, kClicked, "on_actionModelCombine_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Combine"), "Basic_CombineAll", QT_TRANSLATE_NOOP("MainWindow", "CombineAll"), "CombineAll", C::No, false, kClicked, "on_actionModelAutoCombine_triggered()"},
};

const RibbonActionRow kRelationPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Calculate"), "Relation_addCollision", QT_TRANSLATE_NOOP("MainWindow", "test"), "addCollision", C::No, false, kClicked, "on_actionCollisionSetting_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Other"), "Relation_Collision List", QT_TRANSLATE_NOOP("MainWindow", "Collision List"), "CollisionList", C::Yes, false, kToggled, "CollisionShowUI(bool)"},
    {QT_TRANSLATE_NOOP("MainWindow", "Other"), "Relation_Hide Collision Effect", QT_TRANSLATE_NOOP("MainWindow", "Hide Collision Effect"), "Collisionclear", C::No, false, kToggled, "hideCollisionEffect()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Other"), "Relation_Show Collision Model", QT_TRANSLATE_NOOP("MainWindow", "Show Collision Model"), "onlyShowCollisionNodes", C::Yes, false, kToggled, "showCollisionPart(bool)"},
};

const RibbonActionRow kHelpPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Help"), nullptr, QT_TRANSLATE_NOOP("MainWindow", "Sample"), "Sample32", C::No, false, kClicked, "on_actionOpenSample_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Help"), nullptr, QT_TRANSLATE_NOOP("MainWindow", "帮助"), "help", C::No, false, kClicked, "on_actionHelp_triggered()"},
    {QT_TRANSLATE_NOOP("MainWindow", "Help"), nullptr, QT_TRANSLATE_NOOP("MainWindow", "关于"), "about32", C::No, false, kClicked, "on_actionAbout_triggered()"},
};

template <int N>
constexpr int rowCount(const RibbonActionRow (&)[N])
{
    return N;
}

QLabel* boxLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAccessibleName(text);
    return label;
}

} // namespace

void MainWindow::initHomeCategory(SARibbonCategory* page)
{
    if (!page)
        return;
    fillCategory(page, kHomePage, rowCount(kHomePage));
    // The view starts in rotate mode with none of the three navigation actions checked.
    if (osg::ref_ptr<PickingHandler> handler = m_sceneView->getPickingHandler())
        handler->mouseMode = PickingHandler::Rotate;
}

void MainWindow::initViewCategory(SARibbonCategory* page)
{
    if (!page)
        return;
    fillCategory(page, kViewPage, rowCount(kViewPage));
}

void MainWindow::initRoamCategory(SARibbonCategory* page)
{
    if (!page)
        return;
    fillCategory(page, kRoamPage, rowCount(kRoamPage));

    auto* speeds = new QWidget;
    speeds->setAccessibleName(tr("Navigation"));
    auto* rows = new QVBoxLayout(speeds);
    rows->setContentsMargins(4, 2, 4, 2);
    auto* first = new QHBoxLayout;
    auto* second = new QHBoxLayout;
    rows->addLayout(first);
    rows->addLayout(second);

    // Each value is set before its range, so the box ends with the value shown.
    m_roamLinearVelocity = new QDoubleSpinBox(speeds);
    m_roamLinearVelocity->setAccessibleName(tr("linear velocity"));
    m_roamLinearVelocity->setDecimals(3);
    m_roamLinearVelocity->setValue(1.5);
    m_roamLinearVelocity->setMaximum(60);
    m_roamStep = new QDoubleSpinBox(speeds);
    m_roamStep->setAccessibleName(tr("scan"));
    m_roamStep->setValue(60);
    m_roamStep->setMaximum(180);
    m_roamStep->setMinimum(15);
    first->addWidget(boxLabel(tr("linear velocity"), speeds));
    first->addWidget(m_roamLinearVelocity);
    first->addWidget(boxLabel(tr("m/s"), speeds));
    first->addWidget(boxLabel(tr("scan"), speeds));
    first->addWidget(m_roamStep);
    first->addWidget(boxLabel(QString::fromUtf8("°"), speeds));

    m_roamAngularVelocity = new QDoubleSpinBox(speeds);
    m_roamAngularVelocity->setAccessibleName(tr("angular velocity"));
    m_roamAngularVelocity->setValue(15);
    m_roamAngularVelocity->setMaximum(180);
    m_roamAngularVelocity->setMinimum(1);
    m_roamAngularVelocity->setMaximum(60);
    second->addWidget(boxLabel(tr("angular velocity"), speeds));
    second->addWidget(m_roamAngularVelocity);
    second->addWidget(boxLabel(QString::fromUtf8("°/s"), speeds));
    second->addSpacerItem(new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    connect(m_roamLinearVelocity, SIGNAL(valueChanged(double)), this, SLOT(VelcityChanged(double)));
    connect(m_roamStep, SIGNAL(valueChanged(double)), this, SLOT(FovyChanged(double)));
    connect(m_roamAngularVelocity, SIGNAL(valueChanged(double)), this, SLOT(AngularChanged(double)));
    page->addPannel(tr("Navigation"))->addWidget(speeds);

    if (osg::ref_ptr<Vantor::EffectManager> effects = m_sceneView->getEffectManager()) {
        m_effectListener = new MainWindowEffectListener(this);
        effects->AddListener(m_effectListener.get());
    }
    // The boxes take effect only while walking.
    for (QDoubleSpinBox* box : {m_roamLinearVelocity, m_roamStep, m_roamAngularVelocity})
        box->setEnabled(false);

    if (!m_walkListener.valid() && m_sceneView) {
        m_walkListener = new MainWindowWalkCommandListener(this);
        m_sceneView->getWalkerManipulator()->addListener(m_walkListener.get());
    }
}

void MainWindow::initReviewCategory(SARibbonCategory* page)
{
    if (!page)
        return;
    fillCategory(page, kReviewPage, rowCount(kReviewPage));
}

void MainWindow::initProfileCategory(SARibbonCategory* page)
{
    if (!page)
        return;
    fillCategory(page, kProfilePage, rowCount(kProfilePage));
}

void MainWindow::initConversionCategory(SARibbonCategory* page)
{
    if (!page)
        return;
    fillCategory(page, kConversionPage, rowCount(kConversionPage));
}

void MainWindow::initRelationCategory(SARibbonCategory* page)
{
    if (!page)
        return;
    fillCategory(page, kRelationPage, rowCount(kRelationPage));
}

void MainWindow::initHelpCategory(SARibbonCategory* page)
{
    if (!page)
        return;
    fillCategory(page, kHelpPage, rowCount(kHelpPage));
}
