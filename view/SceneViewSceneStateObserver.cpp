#include "view/SceneViewSceneStateObserver.h"

#include "view/SceneView.h"

SceneViewSceneStateObserver::SceneViewSceneStateObserver() = default;

SceneViewSceneStateObserver::~SceneViewSceneStateObserver() = default;

void SceneViewSceneStateObserver::setSceneView(SceneView* view)
{
    m_view = view;
}

SceneView* SceneViewSceneStateObserver::getSceneView() const
{
    return m_view.data();
}

void SceneViewSceneStateObserver::onSceneChanged(osg::ref_ptr<osg::Node>, osg::ref_ptr<osg::Node>) {}
