#include "view/SceneViewSelectionListener.h"

#include "view/SceneView.h"

SceneViewSelectionListener::SceneViewSelectionListener(SceneView* view) : m_view(view) {}

SceneViewSelectionListener::~SceneViewSelectionListener() = default;

void SceneViewSelectionListener::onAddSelected(osg::Node* node)
{
    if (m_view)
        emit m_view->picked(node);
}

void SceneViewSelectionListener::onSelectedListChanged(NodePtrList& selected)
{
    if (m_view)
        emit m_view->pickedList(selected);
}

void SceneViewSelectionListener::onRemoveSelected(osg::Node*) {}

void SceneViewSelectionListener::onClearSelected()
{
    if (m_view)
        emit m_view->clearPicked(nullptr);
}
