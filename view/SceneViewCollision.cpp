// The scene view's interference checker and the node that shows its results.

#include "view/SceneView.h"

#include "vantor/collision/CollisionInfoDecorator.h"
#include "vantor/collision/CollisionManager.h"

std::shared_ptr<Vantor::CollisionManager> SceneView::GetCollisionManager()
{
    if (!m_collisionManager)
        m_collisionManager = std::make_shared<Vantor::CollisionManager>();
    return m_collisionManager;
}

osg::ref_ptr<Vantor::CollisionInfoDecorator> SceneView::GetCollisionInfoDecoratorManager()
{
    if (!m_collisionDecorator.valid()) {
        m_collisionDecorator = new Vantor::CollisionInfoDecorator;
        if (m_sceneGroup.valid())
            m_sceneGroup->addChild(m_collisionDecorator.get());
    }
    return m_collisionDecorator;
}
