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

void SceneViewSceneStateObserver::onSceneChanged(osg::ref_ptr<osg::Node>, osg::ref_ptr<osg::Node>)
{
    if (!m_view || !m_view->getSceneModel())
        return;
    if (osg::ref_ptr<Vantor::SectionManager> sections = m_view->getSceneModel()->getSectionManager())
        sections->updateAllSectionCappingSize();
    m_view->updateGrid();
    m_view->updateCamearNearAndFarClip();
}
