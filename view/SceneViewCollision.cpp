// The scene view's hold on the interference check: its manager and the node that marks clashes.

#include "view/SceneView.h"

#include "vantor/collision/CollisionManager.h"

std::shared_ptr<Vantor::CollisionManager> SceneView::GetCollisionManager()
{
    if (!m_collisionManager)
        m_collisionManager = std::make_shared<Vantor::CollisionManager>();
    return m_collisionManager;
}

osg::ref_ptr<Vantor::CollisionInfoDecorator> SceneView::GetCollisionInfoDecoratorManager()
{
    if (!m_collisionDecorator) {
        m_collisionDecorator = new Vantor::CollisionInfoDecorator;
        m_sceneGroup->addChild(m_collisionDecorator.get());
    }
    return m_collisionDecorator;
}
