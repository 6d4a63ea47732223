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

const RibbonActionRow kHomePage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Home"), "Basic_Home"},
    {QT_TRANSLATE_NOOP("MainWindow", "Appearance"), "Basic_Pattern", &MainWindow::initRenderModeMenu},
    {QT_TRANSLATE_NOOP("MainWindow", "Appearance"), "Basic_NodeColor"},
    {QT_TRANSLATE_NOOP("MainWindow", "Appearance"), "Basic_Transparency", &MainWindow::initTransparencyMenu},
    {QT_TRANSLATE_NOOP("MainWindow", "Appearance"), "Basic_Perspective"},
    {QT_TRANSLATE_NOOP("MainWindow", "navigation"), "Basic_Rotation"},
    {QT_TRANSLATE_NOOP("MainWindow", "navigation"), "Basic_Translation"},
    {QT_TRANSLATE_NOOP("MainWindow", "navigation"), "Basic_Zoom"},
    {QT_TRANSLATE_NOOP("MainWindow", "navigation"), "Basic_Adapt"},
    {QT_TRANSLATE_NOOP("MainWindow", "navigation"), "Basic_FullScreen"},
    {QT_TRANSLATE_NOOP("MainWindow", "show/hide"), "Basic_Hide"},
    {QT_TRANSLATE_NOOP("MainWindow", "show/hide"), "Basic_Isolation"},
    {QT_TRANSLATE_NOOP("MainWindow", "show/hide"), "Basic_Show"},
    {QT_TRANSLATE_NOOP("MainWindow", "ViewDirection"), "Basic_ViewDirection", &MainWindow::initViewDirectionMenu},
    {QT_TRANSLATE_NOOP("MainWindow", "Selection"), "Basic_Selection"},
    {QT_TRANSLATE_NOOP("MainWindow", "Take snapShot"), "Basic_snapShot"},
    {QT_TRANSLATE_NOOP("MainWindow", "Take snapShot"), "Basic_Screenshot"},
    {QT_TRANSLATE_NOOP("MainWindow", "Window"), "Basic_Window", &MainWindow::initWindowMenu},
};

const RibbonActionRow kViewPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Direction"), "Basic_Basicview", &MainWindow::initBasicViewMenu},
    {QT_TRANSLATE_NOOP("MainWindow", "Direction"), "Basic_Axisview"},
    {QT_TRANSLATE_NOOP("MainWindow", "Edit"), "Basic_Add"},
    {QT_TRANSLATE_NOOP("MainWindow", "Edit"), "Basic_Delete"},
    {QT_TRANSLATE_NOOP("MainWindow", "Edit"), "Basic_Update"},
    {QT_TRANSLATE_NOOP("MainWindow", "Edit"), "Basic_Lastview"},
    {QT_TRANSLATE_NOOP("MainWindow", "Edit"), "Basic_Nextview"},
};

const RibbonActionRow kRoamPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Model"), "Roam_Roam"},
    {QT_TRANSLATE_NOOP("MainWindow", "Model"), "Roam_Thirdperson"},
    {QT_TRANSLATE_NOOP("MainWindow", "Model"), "Roam_Gravitymodel"},
    {QT_TRANSLATE_NOOP("MainWindow", "Model"), "Roam_Obstacles"},
};

const RibbonActionRow kReviewPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Measure"), "Measure_Distances", &MainWindow::initDistanceMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Measure"), "Measure_Angles", &MainWindow::initAngleMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Measure"), "Measure_Length", &MainWindow::initLengthMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Measure"), "Measure_Diameter", &MainWindow::initDiameterMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Measure"), "Measure_MeasureProperty", &MainWindow::initMeasurePropertyMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Notations"), "Note_Newbuilt"},
    {QT_TRANSLATE_NOOP("MainWindow", "Notations"), "3DNote_3DNote", &MainWindow::initNoteMenu, true},
    {QT_TRANSLATE_NOOP("MainWindow", "Notations"), "Note_Import"},
    {QT_TRANSLATE_NOOP("MainWindow", "Notations"), "Note_Export"},
};

const RibbonActionRow kProfilePage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Profile"), "Section_Establish"},
    {QT_TRANSLATE_NOOP("MainWindow", "Profile"), "Section_Update"},
    {QT_TRANSLATE_NOOP("MainWindow", "Profile"), "Section_Reverse"},
    {QT_TRANSLATE_NOOP("MainWindow", "Profile"), "Section_ClipSelected"},
};

const RibbonActionRow kConversionPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Reset"), "Basic_ResetPosition"},
    {QT_TRANSLATE_NOOP("MainWindow", "Reset"), "Basic_ResetColor"},
    {QT_TRANSLATE_NOOP("MainWindow", "Reset"), "Basic_ResetTransparent"},
    {QT_TRANSLATE_NOOP("MainWindow", "Resolve"), "Resolve_Freedrop"},
    {QT_TRANSLATE_NOOP("MainWindow", "Resolve"), "Resolve_Directionaldrop"},
    {QT_TRANSLATE_NOOP("MainWindow", "Resolve"), "Resolve_Alongaxial"},
    {QT_TRANSLATE_NOOP("MainWindow", "Resolve"), "Resolve_UpdateAxisLocation"},
    {QT_TRANSLATE_NOOP("MainWindow", "Resolve"), "Resolve_RestAxisLocation"},
    {QT_TRANSLATE_NOOP("MainWindow", "Explode"), "Explode_Axisexplode"},
    {QT_TRANSLATE_NOOP("MainWindow", "Explode"), "Explode_Radialexplode"},
    {QT_TRANSLATE_NOOP("MainWindow", "Explode"), "Explode_Centerexplode"},
    {QT_TRANSLATE_NOOP("MainWindow", "Alignment"), "Align_Alignment", &MainWindow::initAlignmentMenu},
    {QT_TRANSLATE_NOOP("MainWindow", "Alignment"), "Align_LockPosition"},
    {QT_TRANSLATE_NOOP("MainWindow", "Combine"), "Basic_Combine"},
    {QT_TRANSLATE_NOOP("MainWindow", "Combine"), "Basic_CombineAll"},
};

const RibbonActionRow kRelationPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Calculate"), "Relation_addCollision"},
    {QT_TRANSLATE_NOOP("MainWindow", "Other"), "Relation_Collision List"},
    {QT_TRANSLATE_NOOP("MainWindow", "Other"), "Relation_Hide Collision Effect"},
    {QT_TRANSLATE_NOOP("MainWindow", "Other"), "Relation_Show Collision Model"},
};

const RibbonActionRow kHelpPage[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Help"), "Help_Sample32"},
    {QT_TRANSLATE_NOOP("MainWindow", "Help"), "Help_help"},
    {QT_TRANSLATE_NOOP("MainWindow", "Help"), "Help_about32"},
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

    const auto changed = QOverload<double>::of(&QDoubleSpinBox::valueChanged);
    connect(m_roamLinearVelocity, changed, this, &MainWindow::VelcityChanged);
    connect(m_roamStep, changed, this, &MainWindow::FovyChanged);
    connect(m_roamAngularVelocity, changed, this, &MainWindow::AngularChanged);
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
