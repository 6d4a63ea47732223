// The view's animation objects: the key-frame editor in the scene group and the manager that plays.

#include "view/SceneView.h"

#include "view/SceneModel.h"
#include "vantor/animation/AnimationKeyFrameEditor.h"
#include "vantor/animation/AnimationManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"

osg::ref_ptr<Vantor::AnimationManager> SceneView::getAnimationManager() const
{
    return m_animationManager;
}

void SceneView::initAnimation()
{
    m_animationEditor = new Vantor::AnimationKeyFrameEditor;
    m_animationEditor->setScene(m_sceneGroup.get());
    m_animationEditor->setViewer(m_view.get());

    m_animationManager = new Vantor::AnimationManager;
    m_animationManager->init(m_view.get());

    m_animationEditor->setAnimationManager(m_animationManager);
    m_animationEditor->bindAnimationManager();
    if (m_sceneModel) {
        m_animationEditor->setNoteManager(m_sceneModel->getNoteManager());
        m_animationEditor->setMeasureManager(m_sceneModel->getMeasureManager());
        m_animationEditor->setSectionManager(m_sceneModel->getSectionManager());
        m_animationEditor->setCommandManager(m_sceneModel->getCommandManager());
        m_sceneModel->setAnimationManager(m_animationManager);
    } else {
        m_animationEditor->setCommandManager(m_commandManager);
    }
    m_animationEditor->setSelectionManager(m_selectionManager);

    m_sceneGroup->addChild(m_animationEditor.get());
}
