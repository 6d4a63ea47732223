// Ribbon actions that change how the model looks: background and grid, shadows, render modes, colour and
// transparency of the selection, the compass and the poster.

#include "app/MainWindow.h"

#include "app/MainWindowListeners.h"
#include "common/Prompts.h"
#include <QAbstractItemView> // before the tree model, whose view pointer needs it

#include "panels/OsgTreeModel.h"
#include "view/PosterImageDialog.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/effect/EffectManager.h"
#include "vantor/model/Model.h"
#include "vantor/property/SetMaterialCommand.h"

#include <QAction>
#include <QColorDialog>
#include <QHBoxLayout>
#include <QMenu>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>

#include <cmath>

namespace {

NodePtrList selectedNodes(SceneView* view)
{
    Vantor::ISelectionManager* selection = view ? view->getSelectionManager() : nullptr;
    return selection ? selection->getSelectedList() : NodePtrList();
}

} // namespace

// Background and grid

void MainWindow::on_actionBackgroundColor_triggered()
{
    const osg::Vec4f& bg = m_sceneView->getBackgroundColor();
    const QColor start(int(bg.r() * 255), int(bg.g() * 255), int(bg.b() * 255), 255);
    const QColor chosen = Prompts::get().getColor(start, nullptr, QString());
    if (chosen.isValid())
        m_sceneView->setBgColor(chosen);
}

void MainWindow::on_actionBackgroundColor(QColor color)
{
    if (color.isValid())
        m_sceneView->setBgColor(color);
}

void MainWindow::on_actionGroundGridColor(QColor color)
{
    if (color.isValid())
        m_sceneView->setGridColor(color);
}

void MainWindow::on_actionGridColor_triggered(QColor& color)
{
    m_sceneView->setGridColor(color);
    m_sceneView->updateGrid();
}

void MainWindow::on_actionGrid_triggered(bool on)
{
    if (on == m_sceneView->isGridShown())
        return;
    m_sceneView->setGridShow(on);
    m_sceneView->updateGrid();
}

void MainWindow::on_actionBackgroundType_triggered(bool flat)
{
    // The gradient hides, so the plain backdrop colour shows.
    if (osg::Node* background = m_sceneView->getBackground())
        background->setNodeMask(flat ? 0u : ~0u);
}

// Shadows, highlight and the switches that change nothing in the scene

void MainWindow::on_actionShadow_triggered(bool on)
{
    m_sceneView->setShadowEnabled(on);
}

void MainWindow::on_actionHighLight_triggered(bool on)
{
    if (m_sceneModel)
        m_sceneModel->setHighLight(on);
}

void MainWindow::on_actionLight_triggered(bool) {}
void MainWindow::on_actionBackFace_triggered(bool) {}
void MainWindow::on_actionOptimize_triggered(bool) {}

// Render modes: the effect manager draws them; its listener sets the checks.

#define WITH_EFFECTS(body)                                                                                             \
    osg::ref_ptr<Vantor::EffectManager> effects = m_sceneView ? m_sceneView->getEffectManager() : nullptr;             \
    if (effects) {                                                                                                     \
        body;                                                                                                          \
    }

void MainWindow::on_actionLineRender_triggered() { WITH_EFFECTS(effects->setEffectType(Vantor::EFFECT_LINE)) }
void MainWindow::on_actionFlatRender_triggered() { WITH_EFFECTS(effects->setEffectType(Vantor::EFFECT_FLAT)) }
void MainWindow::on_actionPointRender_triggered() { WITH_EFFECTS(effects->setEffectType(Vantor::EFFECT_POINT)) }
void MainWindow::on_actionBlankingRender_triggered() { WITH_EFFECTS(effects->setEffectType(Vantor::EFFECT_BLANKING)) }
void MainWindow::on_actionTransparentShow_triggered() { WITH_EFFECTS(effects->setTransparent(!effects->getTransparent())) }
void MainWindow::on_actionShowEdgeLine_triggered() { WITH_EFFECTS(effects->setShowEdgeLine(!effects->getShowEdgeLine())) }
void MainWindow::on_actionFacesetShow_triggered() { WITH_EFFECTS(effects->setShowFaceset(!effects->getShowFaceset())) }
void MainWindow::on_actionOpenLightRender_triggered()
{
    WITH_EFFECTS(effects->setLightingEnabled(!effects->getLightingEnabled()))
}
void MainWindow::on_actionBoxRender_triggered() { WITH_EFFECTS(effects->setShowBox(!effects->getShowBox())) }
#undef WITH_EFFECTS

void MainWindow::updateEffectActions(Vantor::EffectManager* manager)
{
    if (!manager)
        return;
    auto check = [this](const char* key, bool on) {
        if (QAction* a = getAction(QString::fromLatin1(key))) {
            a->setChecked(false);
            a->setChecked(on);
        }
    };
    const int type = manager->getEffectType();
    check("Basic_LineRender", type == Vantor::EFFECT_LINE);
    check("Basic_FlatRender", type == Vantor::EFFECT_FLAT);
    check("Basic_PointRender", type == Vantor::EFFECT_POINT);
    check("Basic_BlackingRender", type == Vantor::EFFECT_BLANKING);
    check("Basic_EnableLighting", manager->getLightingEnabled());
    check("Basic_ShowEdge", manager->getShowEdgeLine());
    check("Basic_ShowFaceset", manager->getShowFaceset());
    check("Basic_TransparentShow", manager->getTransparent());
}

// Colour of the selected models

void MainWindow::on_actionNodeColor_triggered()
{
    const NodePtrList nodes = selectedNodes(m_sceneView);
    if (nodes.empty()) {
        statusBar()->showMessage(tr("请先选择一个需要修改颜色的模型"), 5000);
        return;
    }
    // One dialog, reused: it acts on the selection of the moment it was opened, and forgets it when
    // the model goes.
    if (!m_nodeColorDialog) {
        m_nodeColorDialog = new QColorDialog(this);
        m_nodeColorDialog->setAccessibleName(tr("Node colour"));
        m_nodeColorDialog->setObjectName(QStringLiteral("nodeColorDialog"));
        connect(m_nodeColorDialog, &QColorDialog::colorSelected, this, &MainWindow::applyNodeColor);
        connect(m_sceneModel, &SceneModel::loadBegin, this, [this]() {
            m_nodeColorTargets.clear();
            if (m_nodeColorDialog)
                m_nodeColorDialog->close();
        });
    }
    m_nodeColorTargets = nodes;
    m_nodeColorDialog->show();
    m_nodeColorDialog->raise();
}

void MainWindow::applyNodeColor(const QColor& color)
{
    std::shared_ptr<Vantor::CommandManager> commands = m_sceneView->getCommandManager();
    if (!color.isValid() || m_nodeColorTargets.empty() || !commands)
        return;
    const osg::Vec4f colour(float(color.red() / 255.0), float(color.green() / 255.0), float(color.blue() / 255.0),
                            float(color.alpha() / 255.0));
    std::list<osg::ref_ptr<osg::Node>> nodes(m_nodeColorTargets.begin(), m_nodeColorTargets.end());
    commands->DoCommand(std::make_shared<Vantor::SetMaterialCommand>(nodes, colour, 0.2, Vantor::MATERIAL_COLOR));
    if (m_treeModel)
        emit m_treeModel->layoutChanged();
}

// Transparency of the selected models

void MainWindow::initTransparencyMenu(QMenu* menu)
{
    if (!menu)
        return;
    auto* row = new QHBoxLayout(menu);
    m_transparencySlider = new QSlider(Qt::Horizontal, menu);
    m_transparencySlider->setAccessibleName(tr("Transparency", "slider"));
    m_transparencySlider->setRange(0, 100);
    m_transparencySlider->setSingleStep(10);
    m_transparencySlider->setMinimumWidth(256);
    m_transparencySpin = new QSpinBox(menu);
    m_transparencySpin->setAccessibleName(tr("Transparency value"));
    m_transparencySpin->setRange(0, 100);
    m_transparencySpin->setSingleStep(10);
    row->addWidget(m_transparencySlider);
    row->addWidget(m_transparencySpin);
    connect(m_transparencySpin, QOverload<int>::of(&QSpinBox::valueChanged), m_transparencySlider, &QSlider::setValue);
    connect(m_transparencySlider, &QSlider::valueChanged, m_transparencySpin, &QSpinBox::setValue);
    m_transparencySpin->setValue(100);
    // Only a release or a finished edit applies: a drag runs no command per step.
    connect(m_transparencySlider, &QSlider::sliderReleased, this, &MainWindow::setNodeTransparent);
    connect(m_transparencySpin, &QSpinBox::editingFinished, this, &MainWindow::setNodeTransparent);
}

void MainWindow::setNodeTransparent()
{
    const NodePtrList selected = selectedNodes(m_sceneView);
    if (selected.empty()) {
        statusBar()->showMessage(tr("请先选择一个需要修改透明度的模型"), 5000);
        return;
    }
    std::shared_ptr<Vantor::CommandManager> commands = m_sceneView->getCommandManager();
    if (!commands || !m_transparencySlider)
        return;
    std::list<osg::ref_ptr<osg::Node>> nodes(selected.begin(), selected.end());
    const double value = m_transparencySlider->value() / 100.0;
    commands->DoCommand(
        std::make_shared<Vantor::SetMaterialCommand>(nodes, osg::Vec4f(0, 0, 0, 0), value, Vantor::MATERIAL_TRANSPARENT));
    if (m_treeModel)
        emit m_treeModel->layoutChanged();
}

void MainWindow::showNodeTransparency(osg::Node* node)
{
    auto* model = dynamic_cast<Vantor::Model*>(node);
    if (!model || !m_transparencySlider)
        return;
    m_transparencySlider->setValue(int(std::lround(model->getTransparent() * 100.0)));
}

// Compass and poster

void MainWindow::on_actionTexture_triggered(bool checked)
{
    QAction* compassAction = getAction(QStringLiteral("Basic_Compass"));
    if (checked) {
        compassShown = m_sceneView->isCompassEnabled();
        m_sceneView->setCompassEnabled(false);
    } else {
        m_sceneView->setCompassEnabled(compassShown);
    }
    if (compassAction)
        compassAction->setEnabled(!checked);
}

void MainWindow::on_actionPoster_triggered()
{
    if (!m_posterDialog) {
        m_posterDialog = new PosterImageDialog(this);
        m_posterDialog->setScene(m_sceneModel ? m_sceneModel->getRootSwitch() : nullptr);
        m_posterDialog->on_lineEditPosterSize_editingFinished();
        m_posterDialog->setView(m_sceneView);
    }
    m_posterDialog->show();
}
