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
    connect(model, SIGNAL(loadBegin(bool)), this, SLOT(resetView(bool)), Qt::UniqueConnection);
    if (m_pickingHandler) {
        PickingHandler* picking = m_pickingHandler.get();
        connect(picking, SIGNAL(picked(osg::Node*)), this, SIGNAL(picked(osg::Node*)), Qt::UniqueConnection);
        connect(picking, SIGNAL(clearPicked(osg::Node*)), this, SIGNAL(clearPicked(osg::Node*)), Qt::UniqueConnection);
        connect(picking, SIGNAL(recenterViewTo(double, double, double)), this,
                SLOT(recenterPivotPoint(double, double, double)), Qt::UniqueConnection);
        connect(picking, SIGNAL(zoomViewIn()), this, SLOT(showZoomIn()), Qt::UniqueConnection);
        connect(picking, SIGNAL(zoomViewOut()), this, SLOT(showZoomOut()), Qt::UniqueConnection);
        connect(picking, SIGNAL(dragView()), this, SLOT(showDrag()), Qt::UniqueConnection);
        connect(picking, SIGNAL(rotateView()), this, SLOT(showPivot()), Qt::UniqueConnection);
    }
    m_rootNode->addChild(model->getRootSwitch());
    OpenAutoDirectionalLight();
}

osg::ref_ptr<Vantor::EffectManager> SceneView::getEffectManager() const
{
    return m_sceneModel ? m_sceneModel->getEffectManager() : nullptr;
}
