// The scene view's operations after construction: home and reset, grid, colours, shadows,
// manipulator switch, pivot signs, head-lights and window events. Each that changes what the view
// shows asks for a frame (the view draws on demand).

#include "view/SceneView.h"

#include "view/CToolkit.h"
#include "view/FileProgressWidget.h"
#include "view/PickingHandler.h"
#include "view/SceneCallbacks.h"
#include "view/SceneModel.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/section/SectionManager.h"
#include "vantor/util/FindNamedNodeVisitor.h"
#include "vantor/walker/WalkerManipulator.h"

#include <osg/LightSource>
#include <osgShadow/SoftShadowMap>

#include <QPalette>
#include <QResizeEvent>

void SceneView::resetHome()
{
    requestFrame();
    if (!m_pickingHandler)
        return;
    m_pickingHandler->setAutoComputeHomePosition(false);
    m_rootNode->dirtyBound();

    const osg::BoundingBoxd box = getSceneBoundingBox();
    const osg::Vec3d c = box.center();
    const double r = box.radius();
    const osg::Vec3d eye = c + osg::Vec3d(float(1.5 * r), float(-3.0 * r), float(1.5 * r));
    m_pickingHandler->setHomePosition(eye, c, osg::Vec3d(0, 0, 1), false);

    updateGrid();

    if (m_viewResetPending) {
        home();
    } else {
        // A reload that did not ask for a reset keeps the user's camera.
        m_pickingHandler->setDistance(m_rememberedDistance);
        m_pickingHandler->setByMatrix(m_rememberedMatrix);
        m_pickingHandler->setCenter(m_rememberedCenter);
    }
}

void SceneView::resetView(bool pending)
{
    m_viewResetPending = pending;
    if (!pending && m_pickingHandler) {
        m_rememberedMatrix = m_pickingHandler->getMatrix();
        m_rememberedCenter = m_pickingHandler->getCenter();
        m_rememberedDistance = m_pickingHandler->getDistance();
    }
}

void SceneView::resetView()
{
    m_viewResetPending = true;
}

void SceneView::pickGeometry(osg::Drawable*)
{
    if (m_selectionManager)
        m_selectionManager->clearSelection();
}

void SceneView::setFlatBackgroundColor(bool flat)
{
    requestFrame();
    if (m_background)
        m_background->setNodeMask(flat ? 0u : ~0u);
}

void SceneView::updateGrid()
{
    requestFrame();
    if (!m_grid)
        return;
    if (!m_gridShown) {
        m_grid->setNodeMask(0);
        return;
    }
    const osg::BoundingBoxd box = getSceneBoundingBox();
    const osg::Vec3d c = box.center();
    const float h = float(niceGridStep(float(box.radius() * 1.01)));
    if (h > 0.0f) {
        const osg::Matrixd m = osg::Matrixd::scale(h / 8.0, h / 8.0, h / 8.0)
                               * osg::Matrixd::translate(c.x(), c.y(), c.z() - (box.zMax() - box.zMin()) / 2.0);
        m_grid->setMatrix(m);
        if (m_axis)
            m_axis->setMatrix(m);
        m_gridStep = h;
        if (!m_gridShowCallback) {
            m_gridShowCallback = new AutoGridShowCallback;
            m_gridShowCallback->setCamera(m_view->getCamera());
            m_grid->addUpdateCallback(m_gridShowCallback.get());
        }
    }
    m_grid->setNodeMask(~0u);
}

void SceneView::hideGrid()
{
    requestFrame();
    if (m_grid)
        m_grid->setNodeMask(0);
}

void SceneView::updateWhenSceneBoxChanged(bool force)
{
    if (force)
        m_cachedSceneBox.init();
    if (m_sceneModel)
        if (osg::ref_ptr<Vantor::SectionManager> sections = m_sceneModel->getSectionManager())
            sections->updateAllSectionCappingSize();
    updateGrid();
    updateCamearNearAndFarClip();
}

void SceneView::updateWhenSceneBoxChanged()
{
    updateWhenSceneBoxChanged(false);
}

void SceneView::updateCamearNearAndFarClip()
{
    if (m_pickingHandler)
        m_pickingHandler->setModelSize(getSceneBoundingBox().radius());
}

void SceneView::setGridShow(bool shown)
{
    m_gridShown = shown;
}

void SceneView::setBgGradient(QColor begin, QColor end)
{
    setBgColor(begin);
    if (!end.isValid())
        return;
    m_backgroundColorEnd.set(end.red() / 255.0f, end.green() / 255.0f, end.blue() / 255.0f, 1.0f);
    m_hasBackgroundColorEnd = true;
    updateBackgroundGradient();
}

void SceneView::setBgColor(QColor color)
{
    requestFrame();
    m_hasBackgroundColorEnd = false;
    m_backgroundColor.set(color.red() / 255.0f, color.green() / 255.0f, color.blue() / 255.0f, 1.0f);
    if (m_backdrop)
        m_backdrop->setClearColor(m_backgroundColor);
    if (m_progressWidget) {
        QPalette palette = m_progressWidget->palette();
        palette.setColor(QPalette::Window, color);
        m_progressWidget->setPalette(palette);
    }
    updateBackgroundGradient();
}

void SceneView::setGridColor(QColor color)
{
    requestFrame();
    m_gridColor.set(color.red() / 255.0f, color.green() / 255.0f, color.blue() / 255.0f, 1.0f);
    createGrid();
}

void SceneView::setShadowEnabled(bool on)
{
    requestFrame();
    if (!m_rootNode)
        return;
    if (on) {
        m_rootNode->getBound();
        osg::ref_ptr<osgShadow::SoftShadowMap> technique = new osgShadow::SoftShadowMap;
        technique->setTextureSize(osg::Vec2s(2048, 2048));
        m_rootNode->setShadowTechnique(technique.get());
        technique->init();
    } else {
        m_rootNode->setShadowTechnique(nullptr);
    }
}

void SceneView::setCompassEnabled(bool on)
{
    requestFrame();
    if (m_compass)
        m_compass->setNodeMask(on ? ~0u : 0u);
}

bool SceneView::isCompassEnabled()
{
    return m_compass && m_compass->getNodeMask() != 0;
}

void SceneView::recenterPivotPoint(double x, double y, double z)
{
    requestFrame();
    if (!m_pivotSign)
        return;
    m_pivotSign->setPosition(osg::Vec3d(x, y, z));
    m_pivotSign->dirtyBound();
}

void SceneView::showSign(const osg::Vec3d& where, unsigned int child)
{
    auto* handler = dynamic_cast<PickingHandler*>(m_view->getCameraManipulator());
    loadPivotSigns();
    osg::Switch* sw = getPivotSwitch();
    if (!handler || !sw || !m_pivotSign)
        return;
    m_pivotSign->setPosition(where);
    const double s = handler->getDistance() / 200.0;
    m_pivotSign->setScale(osg::Vec3d(s, s, s));
    sw->setNodeMask(~0u);
    if (child < sw->getNumChildren())
        sw->setSingleChildOn(child);
    if (auto* fading = dynamic_cast<FadingUpdateCallback*>(sw->getUpdateCallback()))
        fading->restart();
}

void SceneView::showPivot()
{
    if (auto* h = dynamic_cast<PickingHandler*>(m_view->getCameraManipulator()))
        showSign(h->getRotationCenter(), 0);
}

void SceneView::showZoomIn()
{
    if (auto* h = dynamic_cast<PickingHandler*>(m_view->getCameraManipulator()))
        showSign(h->getPanAnchor(), 1);
}

void SceneView::showZoomOut()
{
    if (auto* h = dynamic_cast<PickingHandler*>(m_view->getCameraManipulator()))
        showSign(h->getPanAnchor(), 2);
}

void SceneView::showDrag()
{
    if (auto* h = dynamic_cast<PickingHandler*>(m_view->getCameraManipulator()))
        showSign(h->getPanAnchor(), 3);
}

void SceneView::ProgressShown(bool shown)
{
    if (!m_progressWidget)
        return;
    m_progressWidget->setGeometry(1, height() - 20, width() - 6, height());
    m_progressWidget->ProgressShown(shown);
}

void SceneView::home()
{
    requestFrame();
    osgGA::CameraManipulator* manipulator = m_view->getCameraManipulator();
    if (!manipulator)
        return;
    osg::Vec3d eye, center, up;
    manipulator->getHomePosition(eye, center, up);
    recenterPivotPoint(center.x(), center.y(), center.z());
    m_view->home();
}

void SceneView::setEnabledTrackbalHelper(bool on)
{
    if (m_pickingHandler)
        m_pickingHandler->displayTrackballHelper = on;
}

void SceneView::setEnabledInverseMouseWheel(bool on)
{
    if (m_pickingHandler)
        m_pickingHandler->inverseMouseWheel = on;
}

bool SceneView::highlight(osg::Node* node)
{
    if (m_selectionManager) {
        m_selectionManager->clearSelection();
        m_selectionManager->addSelected(node);
    }
    return true;
}

Vantor::WalkerManipulator* SceneView::getWalkerManipulator()
{
    if (!m_walker)
        m_walker = new Vantor::WalkerManipulator;
    return m_walker.get();
}

void SceneView::changeManipulator(ManipulatorType type, bool force)
{
    requestFrame();
    if (!force && type == m_manipulatorType)
        return;
    m_manipulatorType = type;
    if (type == 0 && m_pickingHandler) {
        m_view->setCameraManipulator(m_pickingHandler.get(), false);
        if (m_walker) {
            osg::Vec3d walkEye, walkCenter, walkUp;
            m_walker->getTransformation(walkEye, walkCenter, walkUp);
            m_walker->setUseThridpersonView(false);
            m_walker->setUseObstacles(false);
            m_walker->setUseGravity(false);
            osg::Vec3d eye, center, up;
            m_pickingHandler->getTransformation(eye, center, up);
            osg::Vec3d direction = walkCenter - walkEye;
            direction.normalize();
            const osg::Vec3d newCenter = walkEye + direction * (center - eye).length();
            m_pickingHandler->setTransformation(walkEye, newCenter, walkUp);
        }
    } else if (type == 3 && m_pickingHandler) {
        Vantor::WalkerManipulator* walker = getWalkerManipulator();
        walker->setSceneView(this);
        m_view->setCameraManipulator(walker, false);
        osg::Vec3d eye, center, up;
        m_pickingHandler->getTransformation(eye, center, up);
        walker->setTransformation(eye, center, up);
    }
    if (onManipulatorChanged)
        onManipulatorChanged(type);
}

void SceneView::changeManipulator(ManipulatorType type)
{
    changeManipulator(type, false);
}

void SceneView::OpenAutoDirectionalLight()
{
    requestFrame();
    Vantor::FindNamedNodeVisitor directional("DEFAULT_DIRECTIONAL_LIGHT");
    m_sceneGroup->accept(directional);
    if (auto* light = dynamic_cast<osg::LightSource*>(directional.first())) {
        if (!m_directionLightCallback)
            m_directionLightCallback = new AutoDirectionLightCallback;
        m_directionLightCallback->setCamera(m_view->getCamera());
        light->removeUpdateCallback(m_directionLightCallback.get()); // never attached twice
        light->addUpdateCallback(m_directionLightCallback.get());
    }
    Vantor::FindNamedNodeVisitor point("DEFAULT_POINT_LIGHT");
    m_sceneGroup->accept(point);
    if (auto* light = dynamic_cast<osg::LightSource*>(point.first())) {
        if (!m_pointLightCallback)
            m_pointLightCallback = new AutoPointLightCallback;
        m_pointLightCallback->setCamera(m_view->getCamera());
        light->removeUpdateCallback(m_pointLightCallback.get());
        light->addUpdateCallback(m_pointLightCallback.get());
    }
}

void SceneView::CloseAutoDirectionalLight()
{
    requestFrame();
    Vantor::FindNamedNodeVisitor directional("DEFAULT_DIRECTIONAL_LIGHT");
    m_sceneGroup->accept(directional);
    Vantor::FindNamedNodeVisitor point("DEFAULT_POINT_LIGHT");
    m_sceneGroup->accept(point);
    auto* d = dynamic_cast<osg::LightSource*>(directional.first());
    auto* p = dynamic_cast<osg::LightSource*>(point.first());
    if (!d || !p)
        return;
    d->removeUpdateCallback(m_directionLightCallback.get());
    p->removeUpdateCallback(m_pointLightCallback.get());
}

void SceneView::resizeEvent(QResizeEvent* event)
{
    if (m_progressWidget)
        m_progressWidget->setGeometry(0, height() - 20, width(), height());
    placeMeasureProperty();
    if (m_toolStrip)
        m_toolStrip->placeInParent();
    emit newAspectRatio(QSize(width(), height()));
    QWidget::resizeEvent(event);
}

void SceneView::focusInEvent(QFocusEvent* event)
{
    OsgWidget::focusInEvent(event);
}

void SceneView::focusOutEvent(QFocusEvent* event)
{
    OsgWidget::focusOutEvent(event);
}

CToolkit* SceneView::getToolkit()
{
    if (!m_toolStrip) {
        m_toolStrip = new CToolkit(this);
        m_toolStrip->initUI();
    }
    return m_toolStrip;
}

void SceneView::enterEvent(QEvent*)
{
    if (auto* state = dynamic_cast<Vantor::NerioViewerManipulatorState*>(m_view->getCameraManipulator()))
        state->onFocusIn();
}

void SceneView::leaveEvent(QEvent*)
{
    if (auto* state = dynamic_cast<Vantor::NerioViewerManipulatorState*>(m_view->getCameraManipulator()))
        state->onFocusOut();
}
