#include "view/SceneViewSelectionListener.h"

#include "view/SceneView.h"

SceneViewSelectionListener::SceneViewSelectionListener(SceneView* view) : m_view(view) {}

SceneViewSelectionListener::~SceneViewSelectionListener() = default;

// Every change of the selection changes its highlight: the view draws a frame for it.

void SceneViewSelectionListener::onAddSelected(osg::Node* node)
{
    if (!m_view)
        return;
    m_view->requestFrame();
    emit m_view->picked(node);
}

void SceneViewSelectionListener::onSelectedListChanged(NodePtrList& selected)
{
    if (!m_view)
        return;
    m_view->requestFrame();
    emit m_view->pickedList(selected);
}

void SceneViewSelectionListener::onRemoveSelected(osg::Node*)
{
    if (m_view)
        m_view->requestFrame();
}

void SceneViewSelectionListener::onClearSelected()
{
    if (!m_view)
        return;
    m_view->requestFrame();
    emit m_view->clearPicked(nullptr);
}
