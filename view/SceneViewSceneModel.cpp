#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"

#include "vantor/command/CommandManager.h"
#include "vantor/effect/EffectManager.h"
#include "vantor/section/SectionManager.h"

void SceneView::setSceneModel(SceneModel* model)
{
    if (m_sceneModel && m_sceneModel != model)
        disconnect(m_sceneModel, nullptr, this, nullptr);
    m_sceneModel = model;
    requestFrame();
    while (m_rootNode->getNumChildren() > 0)
        m_rootNode->removeChildren(m_rootNode->getNumChildren() - 1, 1);
    if (!model)
        return;
    model->setCommandManager(m_commandManager);
    if (osg::ref_ptr<Vantor::SectionManager> sections = model->getSectionManager()) {
        sections->setCommandManagerWeakPtr(m_commandManager);
        sections->setView(getView().get());
    }
    connect(model, &SceneModel::loadBegin, this, QOverload<bool>::of(&SceneView::resetView), Qt::UniqueConnection);
    if (m_pickingHandler) {
        PickingHandler* picking = m_pickingHandler.get();
        connect(picking, QOverload<osg::Node*>::of(&PickingHandler::picked), this, &SceneView::picked,
                Qt::UniqueConnection);
        connect(picking, &PickingHandler::clearPicked, this, &SceneView::clearPicked, Qt::UniqueConnection);
        connect(picking, &PickingHandler::recenterViewTo, this, &SceneView::recenterPivotPoint, Qt::UniqueConnection);
        connect(picking, &PickingHandler::zoomViewIn, this, &SceneView::showZoomIn, Qt::UniqueConnection);
        connect(picking, &PickingHandler::zoomViewOut, this, &SceneView::showZoomOut, Qt::UniqueConnection);
        connect(picking, &PickingHandler::dragView, this, &SceneView::showDrag, Qt::UniqueConnection);
        connect(picking, &PickingHandler::rotateView, this, &SceneView::showPivot, Qt::UniqueConnection);
    }
    m_rootNode->addChild(model->getRootSwitch());
    OpenAutoDirectionalLight();
}

osg::ref_ptr<Vantor::EffectManager> SceneView::getEffectManager() const
{
    return m_sceneModel ? m_sceneModel->getEffectManager() : nullptr;
}
