#include "view/SelectionManager.h"

#include "view/SceneView.h"

#include <algorithm>

SelectionManager::SelectionManager(SceneView* view) : m_sceneView(view) {}

SelectionManager::~SelectionManager() = default;

bool SelectionManager::isSelected(osg::Node* node) const
{
    return std::any_of(m_selected.begin(), m_selected.end(),
                       [node](const osg::ref_ptr<osg::Node>& n) { return n.get() == node; });
}

void SelectionManager::clearSelection()
{
    m_selected.clear();
    for (auto& l : m_listeners)
        l->onClearSelected();
    clearPreSelection();
}

// Pending: these run through undoable commands of the view's command manager.
bool SelectionManager::selectNodes(NodePtrList, bool) { return true; }
bool SelectionManager::selectNode(osg::Node*, bool) { return true; }
bool SelectionManager::unselectNodes(NodePtrList, bool) { return true; }
bool SelectionManager::unselectNode(osg::Node*, bool) { return true; }

void SelectionManager::clearPreSelection()
{
    m_preSelected = nullptr;
}

bool SelectionManager::preSelect(osg::Node* node)
{
    if (!m_preSelection)
        return false;
    if (node && node == m_preSelected.get())
        return true;
    clearPreSelection();
    if (!node)
        return false;
    m_preSelected = node;
    return true;
}

bool SelectionManager::addSelectedList(NodePtrList& nodes)
{
    for (auto& n : nodes)
        if (n.valid() && !isSelected(n.get()))
            m_selected.push_back(n);
    for (auto& l : m_listeners)
        l->onSelectedListChanged(m_selected);
    return true;
}

bool SelectionManager::setPickedGeometry(osg::Node* node)
{
    m_pickedGeometry = node;
    return node != nullptr;
}

bool SelectionManager::addSelected(osg::Node* node)
{
    if (!m_multiSelection && !m_selected.empty())
        clearSelection();
    if (!node)
        return false;
    if (isSelected(node)) {
        removeSelected(node);
        return false;
    }
    m_selected.push_back(node);
    for (auto& l : m_listeners)
        l->onAddSelected(node);
    return true;
}

bool SelectionManager::removeSelectedList(NodePtrList& nodes)
{
    for (auto& n : nodes)
        if (n.valid())
            m_selected.remove(n);
    for (auto& l : m_listeners)
        l->onSelectedListChanged(m_selected);
    return true;
}

bool SelectionManager::removeSelected(osg::Node* node)
{
    if (!node)
        return false;
    m_selected.remove_if([node](const osg::ref_ptr<osg::Node>& n) { return n.get() == node; });
    for (auto& l : m_listeners)
        l->onRemoveSelected(node);
    return true;
}

NodePtrList SelectionManager::getTopSelectedList()
{
    NodePtrList top;
    for (auto& n : m_selected)
        if (n->getNumParents() > 0 && !isSelected(n->getParent(0)))
            top.push_back(n);
    return top;
}

bool SelectionManager::addSelectionListener(osg::ref_ptr<Vantor::SelectionListener> listener)
{
    if (!listener.valid() || std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
        return false;
    m_listeners.push_back(listener);
    return true;
}

bool SelectionManager::removeSelectionListener(osg::ref_ptr<Vantor::SelectionListener> listener)
{
    const auto before = m_listeners.size();
    m_listeners.remove(listener);
    return m_listeners.size() != before;
}

void SelectionManager::setSelectionDecorator(ISelectionDecorator* decorator)
{
    if (decorator && decorator != m_selectionDecorator.get())
        m_selectionDecorator = decorator;
}

void SelectionManager::setPreSelectionDecorator(ISelectionDecorator* decorator)
{
    if (decorator && decorator != m_preSelectionDecorator.get())
        m_preSelectionDecorator = decorator;
}
