#include "vantor/view/ViewManager.h"
#include "vantor/util/NodeSearch.h"

#include <algorithm>
#include <deque>
#include <unordered_set>

namespace Vantor {

ViewManager::ViewManager() = default;

ViewManager::ViewManager(const ViewManager& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
{
}

ViewManager::~ViewManager() = default;

osg::ref_ptr<ViewManager> ViewManager::GetViewManager(osg::ref_ptr<osg::Node> node)
{
    return breadthFirstFindOf<ViewManager>(node.get());
}

void ViewManager::AddViewListener(const std::shared_ptr<ViewManagerChangedListener>& listener)
{
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void ViewManager::RemoveViewListener(const std::shared_ptr<ViewManagerChangedListener>& listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void ViewManager::NotifyViewChanged()
{
    notify(-1);
}

void ViewManager::notify(int inserted)
{
    ++m_revision;
    m_lastInserted = inserted;
    const auto listeners = m_listeners;
    for (const auto& l : listeners)
        l->onViewChanged(this);
}

std::vector<osg::ref_ptr<View>> ViewManager::GetAllView() const
{
    std::vector<osg::ref_ptr<View>> views;
    for (unsigned int i = 0; i < getNumChildren(); ++i) {
        if (auto* v = dynamic_cast<View*>(const_cast<osg::Node*>(getChild(i))))
            views.emplace_back(v);
    }
    return views;
}

osg::ref_ptr<View> ViewManager::GetViewByID(int64_t id) const
{
    for (const auto& v : GetAllView()) {
        if (v->getViewID() == id)
            return v;
    }
    return nullptr;
}

int ViewManager::indexOfView(const View* view) const
{
    if (!view)
        return -1;
    const unsigned int i = getChildIndex(view);
    return i < getNumChildren() ? int(i) : -1;
}

bool ViewManager::AddView(osg::ref_ptr<View> view)
{
    return InsertView(view, -1);
}

bool ViewManager::InsertView(osg::ref_ptr<View> view, int position)
{
    if (!view || indexOfView(view.get()) >= 0)
        return false;
    const unsigned int at = position < 0 || unsigned(position) >= getNumChildren() ? getNumChildren() : unsigned(position);
    insertChild(at, view.get());
    notify(int(at));
    return true;
}

std::size_t ViewManager::InsertViews(const std::vector<osg::ref_ptr<View>>& views, int position)
{
    std::unordered_set<const osg::Node*> held;
    for (unsigned int i = 0; i < getNumChildren(); ++i)
        held.insert(getChild(i));
    // As InsertView one by one: each at `position` while that lies in the list (the later before),
    // else at the end.
    std::size_t added = 0;
    for (const osg::ref_ptr<View>& view : views) {
        if (!view || !held.insert(view.get()).second)
            continue;
        const bool append = position < 0 || unsigned(position) >= getNumChildren();
        insertChild(append ? getNumChildren() : unsigned(position), view.get());
        ++added;
    }
    if (added)
        NotifyViewChanged();
    return added;
}

bool ViewManager::RemoveViewByID(int64_t id)
{
    return RemoveView(GetViewByID(id).get());
}

bool ViewManager::RemoveViewByIndex(int index)
{
    if (index < 0 || unsigned(index) >= getNumChildren())
        return false;
    removeChildren(unsigned(index), 1);
    NotifyViewChanged();
    return true;
}

bool ViewManager::RemoveView(const View* view)
{
    const int index = indexOfView(view);
    return index >= 0 && RemoveViewByIndex(index);
}

void ViewManager::ClearAllView()
{
    if (getNumChildren() == 0)
        return;
    removeChildren(0, getNumChildren());
    NotifyViewChanged();
}

rapidjson::Document ViewManager::toJson()
{
    rapidjson::Document doc(rapidjson::kObjectType);
    rapidjson::Value list(rapidjson::kArrayType);
    for (const auto& v : GetAllView())
        list.PushBack(v->toJson(doc.GetAllocator()), doc.GetAllocator());
    doc.AddMember("userview_list", list, doc.GetAllocator());
    return doc;
}

} // namespace Vantor
