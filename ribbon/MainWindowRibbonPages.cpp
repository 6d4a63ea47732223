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

#define T(text) QT_TRANSLATE_NOOP("MainWindow", text)

namespace {

using C = RibbonCheck;
const char* const kClicked = "triggered()";
const char* const kToggled = "triggered(bool)";

const RibbonActionRow kHomePage[] = {
    {T("Home"), "Basic_Home", T("Home"), "home", C::No, false, kClicked, "on_actionResetView_triggered()"},
    {T("Appearance"), "Basic_Pattern", T("Pattern"), "FlatRender", C::No, false, nullptr, nullptr, &MainWindow::initRenderModeMenu},
    {T("Appearance"), "Basic_NodeColor", T("NodeColor"), "NodeColor", C::No, false, kClicked, "on_actionNodeColor_triggered()"},
    {T("Appearance"), "Basic_Transparency", T("Transparency"), "Transparency", C::No, false, nullptr, nullptr, &MainWindow::initTransparencyMenu},
    {T("Appearance"), "Basic_Perspective", T("Parallel projection"), "Parallelprojection", C::Off, false, kToggled, "on_actionPerspective_triggered(bool)"},
    {T("navigation"), "Basic_Rotation", T("Rotation"), "Rotation", C::Off, false, kClicked, "on_actionTrackballManipulatorRotation_triggered()"},
    {T("navigation"), "Basic_Translation", T("Translation"), "Translation", C::Yes, false, kToggled, "on_actionTrackballManipulatorPan_triggered(bool)"},
    {T("navigation"), "Basic_Zoom", T("Zoom"), "Zoom", C::Yes, false, kToggled, "on_actionTrackballManipulatorZoom_triggered(bool)"},
    {T("navigation"), "Basic_Adapt", T("Adapt"), "Adapt", C::No, false, kClicked, "on_actionFocusNode_triggered()"},
    {T("navigation"), "Basic_FullScreen", T("FullScreen"), "FullScreen", C::Yes, false, kToggled, "on_actionFullScreen_triggered(bool)"},
    {T("show/hide"), "Basic_Hide", T("Hide"), "Hide", C::No, false, kClicked, "on_actionDisableNode_triggered()"},
    {T("show/hide"), "Basic_Isolation", T("Isolation"), "Isolation", C::No, false, kClicked, "on_actionIsolateNode_triggered()"},
    {T("show/hide"), "Basic_Show", T("Show"), "Show", C::No, false, kClicked, "on_actionEnableNode_triggered()"},
    {T("ViewDirection"), "Basic_ViewDirection", T("ViewDirection"), "+Z", C::Off, false, kClicked, "on_actionViewDirection_triggered()", &MainWindow::initViewDirectionMenu},
    {T("Selection"), "Basic_Selection", T("Selection"), "Selection", C::No, false, kClicked, "on_actionSelectUpLevel_triggered()"},
    {T("Take snapShot"), "Basic_snapShot", T("Take snapShot"), "snapShot", C::No, false, kClicked, "on_actionSnapShot_triggered()"},
    {T("Take snapShot"), "Basic_Screenshot", T("Screenshot"), "Screenshot", C::No, false, kClicked, "on_actionScreenshot_triggered()"},
    {T("Window"), "Basic_Window", T("Window"), "Window", C::No, false, nullptr, nullptr, &MainWindow::initWindowMenu},
};

const RibbonActionRow kViewPage[] = {
    {T("Direction"), "Basic_Basicview", T("Basic view"), "View", C::No, false, nullptr, nullptr, &MainWindow::initBasicViewMenu},
    {T("Direction"), "Basic_Axisview", T("Axis view"), "Axisview", C::No, false, kClicked, "on_actionIsodraftView_triggered()"},
    {T("Edit"), "Basic_Add", T("Add to"), "AddView", C::No, false, kClicked, "on_pushButtonAddBookmark_pressed()", nullptr, false, RibbonText::Translated, RibbonReceiver::BookmarkPanel},
    {T("Edit"), "Basic_Delete", T("Delete"), "deleteView", C::No, false, kClicked, "on_pushButtonDeleteBookmark_pressed()", nullptr, false, RibbonText::Translated, RibbonReceiver::BookmarkPanel},
    {T("Edit"), "Basic_Update", T("Update"), "updateView", C::No, false, kClicked, "on_pushButtonUpdateBookmark_pressed()", nullptr, false, RibbonText::Translated, RibbonReceiver::BookmarkPanel},
    {T("Edit"), "Basic_Lastview", T("Last View"), "Lastview", C::No, false, kClicked, "on_actionBookMarkBack_triggered()"},
    {T("Edit"), "Basic_Nextview", T("Next View"), "Nextview", C::No, false, kClicked, "on_actionBookMarkNext_triggered()"},
};

const RibbonActionRow kRoamPage[] = {
    {T("Model"), "Roam_Roam", T("Roam"), "Roam", C::Yes, false, kToggled, "on_actionRoam_triggered(bool)"},
    {T("Model"), "Roam_Thirdperson", T("Third person"), "Thirdperson", C::Yes, false, kToggled, "on_actionRomanThirdperson_triggered(bool)"},
    {T("Model"), "Roam_Gravitymodel", T("Gravity model"), "Gravitymodel", C::Yes, false, kToggled, "on_actionSetGravityMode_triggered(bool)"},
    {T("Model"), "Roam_Obstacles", T("Obstacles"), "Obstacles", C::Yes, false, kToggled, "on_actionSetObstacleMode_triggered(bool)"},
};

const RibbonActionRow kReviewPage[] = {
    {T("Measure"), "Measure_Distances", T("Distances"), "pnttopnt", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initDistanceMenu, true},
    {T("Measure"), "Measure_Angles", T("Angles"), "lineangleline", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initAngleMenu, true},
    {T("Measure"), "Measure_Length", T("Length"), "linedis", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initLengthMenu, true},
    {T("Measure"), "Measure_Diameter", T("Diameter"), "radius", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initDiameterMenu, true},
    {T("Measure"), "Measure_MeasureProperty", T("MeasureProperty"), "SurfaceArea", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initMeasurePropertyMenu, true},
    {T("Notations"), "Note_Newbuilt", T("New-built"), "note", C::Yes, true, kToggled, "on_actionNewbuilt_triggered(bool)"},
    {T("Notations"), "3DNote_3DNote", T("3DNote"), "3dNote", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initNoteMenu, true},
    {T("Notations"), "Note_Import", T("Import"), "ImportNote", C::No, false, kClicked, "on_actionImputJson_triggered()"},
    {T("Notations"), "Note_Export", T("Export"), "ExportNote", C::No, false, kClicked, "on_actionExportJson_triggered()"},
};

const RibbonActionRow kProfilePage[] = {
    {T("Profile"), "Section_Establish", T("Establish"), "Establish", C::Yes, true, kToggled, "on_actionAddSection_triggerd(bool)"},
    {T("Profile"), "Section_Update", T("Update"), "updateSection", C::Yes, true, kToggled, "on_actionUpdateSection_triggerd(bool)"},
    {T("Profile"), "Section_Reverse", T("Reverse"), "ReverseEstablish", C::No, false, kClicked, "on_actionReverseSection_triggerd()"},
    {T("Profile"), "Section_ClipSelected", T("ClipSelected"), "ClipSelected", C::Yes, false, kToggled, "on_actionClipSelectedNodes_triggerd(bool)"},
};

// Combine and CombineAll get icons of their own: three identical buttons side by side could not be
// told apart.
const RibbonActionRow kConversionPage[] = {
    {T("Reset"), "Basic_ResetPosition", T("Reset Position"), "Reset", C::No, true, kClicked, "on_actionResetPosition_triggerd()"},
    {T("Reset"), "Basic_ResetColor", T("Reset Color"), "ResetColor", C::No, true, kClicked, "on_actionResetColor_triggerd()"},
    {T("Reset"), "Basic_ResetTransparent", T("Reset Transparent"), "ResetTransparent", C::No, true, kClicked, "on_actionResetTransparent_triggerd()"},
    {T("Resolve"), "Resolve_Freedrop", T("Free drop"), "Freedrop", C::Yes, true, kToggled, "on_actionPlaneTransformDragger_triggerd(bool)"},
    {T("Resolve"), "Resolve_Directionaldrop", T("Directional drop"), "Directionaldrop", C::Yes, true, kToggled, "on_actionAxisTransformDragger_triggerd(bool)"},
    {T("Resolve"), "Resolve_Alongaxial", T("Along axial"), "Alongaxial", C::Yes, true, kToggled, "on_actionRotationTransformDragger_triggerd(bool)"},
    {T("Resolve"), "Resolve_UpdateAxisLocation", T("设置枢轴"), "UpdateAxisLocation", C::Yes, true, kToggled, "on_actionUpdateAxisLocation_triggerd(bool)"},
    {T("Resolve"), "Resolve_RestAxisLocation", T("重置枢轴"), "RestAxisLocation", C::No, true, kClicked, "on_actionRestAxisLocation_triggerd()"},
    {T("Explode"), "Explode_Axisexplode", T("Axis explode"), "Axisexplode", C::Yes, true, kToggled, "on_actionAxisExplodeDragger_triggerd(bool)"},
    {T("Explode"), "Explode_Radialexplode", T("Radial explode"), "Radialexplode", C::Yes, true, kToggled, "on_actionRadialExplodeDragger_triggerd(bool)"},
    {T("Explode"), "Explode_Centerexplode", T("Center explode"), "Centerexplode", C::Yes, true, kToggled, "on_actionCenterExplodeDragger_triggerd(bool)"},
    {T("Alignment"), "Align_Alignment", T("Alignment"), "PointsAlign", C::Yes, true, kToggled, "on_actionCancel_triggered(bool)", &MainWindow::initAlignmentMenu},
    {T("Alignment"), "Align_LockPosition", T("LockPosition"), "LockPosition", C::Yes, false, kToggled, "on_actionLockPosition_triggered(bool)"},
    {T("Combine"), "Basic_Combine", T("Combine"), "Combine", C::No, false, kClicked, "on_actionModelCombine_triggered()"},
    {T("Combine"), "Basic_CombineAll", T("CombineAll"), "CombineAll", C::No, false, kClicked, "on_actionModelAutoCombine_triggered()"},
};

const RibbonActionRow kRelationPage[] = {
    {T("Calculate"), "Relation_addCollision", T("test"), "addCollision", C::No, false, kClicked, "on_actionCollisionSetting_triggered()"},
    {T("Other"), "Relation_Collision List", T("Collision List"), "CollisionList", C::Yes, false, kToggled, "CollisionShowUI(bool)"},
    {T("Other"), "Relation_Hide Collision Effect", T("Hide Collision Effect"), "Collisionclear", C::No, false, kToggled, "hideCollisionEffect()"},
    {T("Other"), "Relation_Show Collision Model", T("Show Collision Model"), "onlyShowCollisionNodes", C::Yes, false, kToggled, "showCollisionPart(bool)"},
};

const RibbonActionRow kHelpPage[] = {
    {"", nullptr, T("Sample"), "Sample32", C::No, false, kClicked, "on_actionOpenSample_triggered()"},
    {"", nullptr, "帮助", "help", C::No, false, kClicked, "on_actionHelp_triggered()", nullptr, false, RibbonText::Fixed},
    {"", nullptr, "关于", "about32", C::No, false, kClicked, "on_actionAbout_triggered()", nullptr, false, RibbonText::Fixed},
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
