#include "vantor/view/UserViewCommands.h"

namespace Vantor {

osg::ref_ptr<ViewManager> AddUserViewCommand::manager()
{
    if (!m_manager && m_viewer)
        m_manager = ViewManager::GetViewManager(m_viewer->getSceneData());
    return m_manager;
}

bool AddUserViewCommand::Execute()
{
    osg::ref_ptr<ViewManager> views = manager();
    if (!m_view || !views)
        return false;
    if (!views->InsertView(m_view, m_index))
        return false;
    m_index = views->indexOfView(m_view.get());
    return true;
}

bool AddUserViewCommand::Unexecute()
{
    if (!m_view || !m_manager)
        return false;
    return m_manager->RemoveView(m_view.get());
}

bool UpdateUserViewCommand::Execute()
{
    if (!m_view)
        return false;
    if (!m_after) {
        m_before = m_view->clone();
        m_view->capture();
        m_after = m_view->clone();
    } else {
        m_view->copy(m_after);
    }
    notifyManagers();
    return true;
}

bool UpdateUserViewCommand::Unexecute()
{
    if (!m_view || !m_before)
        return false;
    m_view->copy(m_before);
    notifyManagers();
    return true;
}

void UpdateUserViewCommand::notifyManagers()
{
    // The bookmark list shows the view's picture and name, so its manager tells its listeners.
    for (unsigned int i = 0; i < m_view->getNumParents(); ++i) {
        if (auto* manager = dynamic_cast<ViewManager*>(m_view->getParent(i)))
            manager->NotifyViewChanged();
    }
}

} // namespace Vantor
