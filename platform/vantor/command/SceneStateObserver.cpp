#include "vantor/command/SceneStateObserver.h"

#include <vector>

namespace Vantor {

template <typename F>
void SceneStateObserverManager::forEach(F&& f)
{
    // An observer may change the children while it is told.
    std::vector<osg::ref_ptr<SceneStateObserver>> observers;
    for (unsigned int i = 0; i < getNumChildren(); ++i) {
        if (auto* observer = dynamic_cast<SceneStateObserver*>(getChild(i)))
            observers.push_back(observer);
    }
    for (auto& observer : observers)
        f(*observer);
}

void SceneStateObserverManager::notifySceneChanged(osg::Node* node, osg::Node* parent)
{
    forEach([&](SceneStateObserver& o) { o.onSceneChanged(node, parent); });
}

void SceneStateObserverManager::notifyNodeAdded(osg::Node* node, osg::Node* parent)
{
    forEach([&](SceneStateObserver& o) { o.onNodeAdded(node, parent); });
}

void SceneStateObserverManager::notifyNodeRemoved(osg::Node* node, osg::Node* parent)
{
    forEach([&](SceneStateObserver& o) { o.onNodeRemoved(node, parent); });
}

void SceneStateObserverManager::notifyNodeTransformChanged(osg::Node* node, osg::Node* parent)
{
    forEach([&](SceneStateObserver& o) { o.onNodeTransformChanged(node, parent); });
}

void SceneStateObserverManager::notifyNodeVisibleChanged(osg::Node* node, osg::Node* parent)
{
    forEach([&](SceneStateObserver& o) { o.onNodeVisibleChanged(node, parent); });
}

void SceneStateObserverManager::notifyNodeMaterialChanged(osg::Node* node, osg::Node* parent)
{
    forEach([&](SceneStateObserver& o) { o.onNodeMaterialChanged(node, parent); });
}

} // namespace Vantor
