#include "view/SceneViewSceneStateObserver.h"

#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/section/SectionManager.h"

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

void SceneViewSceneStateObserver::requestFrame()
{
    if (m_view)
        m_view->requestFrame();
}

void SceneViewSceneStateObserver::onNodeAdded(osg::ref_ptr<osg::Node>, osg::ref_ptr<osg::Node>) { requestFrame(); }
void SceneViewSceneStateObserver::onNodeRemoved(osg::ref_ptr<osg::Node>, osg::ref_ptr<osg::Node>) { requestFrame(); }
void SceneViewSceneStateObserver::onNodeTransformChanged(osg::ref_ptr<osg::Node>, osg::ref_ptr<osg::Node>)
{
    requestFrame();
}
void SceneViewSceneStateObserver::onNodeVisibleChanged(osg::ref_ptr<osg::Node>, osg::ref_ptr<osg::Node>)
{
    requestFrame();
}
void SceneViewSceneStateObserver::onNodeMaterialChanged(osg::ref_ptr<osg::Node>, osg::ref_ptr<osg::Node>)
{
    requestFrame();
}

void SceneViewSceneStateObserver::onSceneChanged(osg::ref_ptr<osg::Node>, osg::ref_ptr<osg::Node>)
{
    requestFrame();
    if (!m_view || !m_view->getSceneModel())
        return;
    if (osg::ref_ptr<Vantor::SectionManager> sections = m_view->getSceneModel()->getSectionManager())
        sections->updateAllSectionCappingSize();
    m_view->updateGrid();
    m_view->updateCamearNearAndFarClip();
}
