#pragma once

#include <osg/Group>
#include <osg/Node>
#include <osg/ref_ptr>

namespace Vantor {

// Told when the command library changes the scene. A node: observers live as children of the view's
// SceneStateObserverManager. Each notification names the changed node and its parent (either may be null).
class SceneStateObserver : public osg::Node
{
public:
    SceneStateObserver() = default;
    SceneStateObserver(const SceneStateObserver& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY)
        : osg::Node(other, copyop)
    {
    }
    META_Node(Vantor, SceneStateObserver)

    // The scene changed in a way that may move its bounds (commands run, undone or redone).
    virtual void onSceneChanged(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) {}
    virtual void onNodeAdded(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) {}
    virtual void onNodeRemoved(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) {}
    virtual void onNodeTransformChanged(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) {}
    virtual void onNodeVisibleChanged(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) {}
    virtual void onNodeMaterialChanged(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) {}

protected:
    ~SceneStateObserver() override = default;
};

// Group of scene-state observers; passes each notification to every child that is an observer.
class SceneStateObserverManager : public osg::Group
{
public:
    SceneStateObserverManager() = default;
    SceneStateObserverManager(const SceneStateObserverManager& other,
                              const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY)
        : osg::Group(other, copyop)
    {
    }
    META_Node(Vantor, SceneStateObserverManager)

    void notifySceneChanged(osg::Node* node, osg::Node* parent);
    void notifyNodeAdded(osg::Node* node, osg::Node* parent);
    void notifyNodeRemoved(osg::Node* node, osg::Node* parent);
    void notifyNodeTransformChanged(osg::Node* node, osg::Node* parent);
    void notifyNodeVisibleChanged(osg::Node* node, osg::Node* parent);
    void notifyNodeMaterialChanged(osg::Node* node, osg::Node* parent);

protected:
    ~SceneStateObserverManager() override = default;

private:
    template <typename F>
    void forEach(F&& f);
};

} // namespace Vantor
