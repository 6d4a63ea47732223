#include "view/SceneModel.h"
#include "view/SceneView.h"

#include "vantor/command/CommandManager.h"
#include "vantor/section/SectionManager.h"

void SceneView::setSceneModel(SceneModel* model)
{
    m_sceneModel = model;
    while (m_rootNode->getNumChildren() > 0)
        m_rootNode->removeChildren(m_rootNode->getNumChildren() - 1, 1);
    if (!model)
        return;
    model->setCommandManager(m_commandManager);
    if (osg::ref_ptr<Vantor::SectionManager> sections = model->getSectionManager()) {
        sections->setCommandManagerWeakPtr(m_commandManager);
        sections->setView(getView().get());
    }
    // The view reset, the picking connections and the head-lights follow with those operations.
    m_rootNode->addChild(model->getRootSwitch());
}
