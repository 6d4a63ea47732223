#include "view/PickingHandler.h"

#include "view/SceneModel.h"
#include "view/SceneView.h"

#include "vantor/command/ISelectionManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/section/SectionManager.h"

// The selection half of the handler: a click selects, hovering pre-selects, Ctrl+left drags a
// rectangle; picks see only what the open sections leave.

Vantor::ISelectionManager* PickingHandler::selectionManager() const
{
    return m_sceneView ? m_sceneView->getSelectionManager() : nullptr;
}

void PickingHandler::readSectionState(std::vector<osg::Plane>& planes, Vantor::ObserverNodeList& clipped) const
{
    planes.clear();
    clipped.clear();
    if (m_sectionState) {
        m_sectionState(planes, clipped);
        return;
    }
    auto* view = dynamic_cast<SceneView*>(m_sceneView);
    SceneModel* model = view ? view->getSceneModel() : nullptr;
    osg::ref_ptr<Vantor::SectionManager> sections = model ? model->getSectionManager() : nullptr;
    if (!sections)
        return;
    for (const osg::ref_ptr<osg::ClipPlane>& plane : sections->getOpenClipPlanes()) {
        if (plane)
            planes.emplace_back(plane->getClipPlane());
    }
    clipped = sections->getNeeClipedModel();
}

PickingHandler::SceneHit PickingHandler::queryScene(const osgGA::GUIEventAdapter& ea, osg::Node*& node)
{
    node = nullptr;
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view) || !view->getSceneData())
        return NoQuery;
    const std::vector<osg::ref_ptr<osg::Node>> roots = Vantor::OsgHelper::GetSceneNode(view->getSceneData());
    if (roots.size() != 2)
        return NoQuery;
    const osg::NodePath modelPath = Vantor::OsgHelper::computeNodePath(roots[0].get());
    const osg::NodePath topShowPath = Vantor::OsgHelper::computeNodePath(roots[1].get());

    osg::ref_ptr<Vantor::SelectFilter> filter = new Vantor::SelectFilter;
    std::vector<osg::Plane> planes;
    Vantor::ObserverNodeList clipped;
    readSectionState(planes, clipped);
    filter->setOpenClips(planes);
    filter->setClipedNodes(clipped);

    view->computeIntersections(ea, modelPath, filter->getModelIntersections(), 0xffffffffu);
    view->computeIntersections(ea, topShowPath, filter->getTopShowIntersections(), 0xffffffffu);
    if (filter->getModelIntersections().empty() && filter->getTopShowIntersections().empty())
        return Miss;
    node = filter->getSelectShape();
    return Hit;
}

void PickingHandler::clickSelect(const osgGA::GUIEventAdapter& ea)
{
    Vantor::ISelectionManager* manager = selectionManager();
    if (!manager)
        return;
    osg::Node* node = nullptr;
    switch (queryScene(ea, node)) {
    case NoQuery:
        return;
    case Miss:
        manager->clearSelection();
        return;
    case Hit:
        if (!isCtrlHeld())
            manager->clearSelection();
        // A hit with nothing selectable (all cut away by sections) selects nothing rather than
        // recording an empty selection step.
        if (node)
            manager->selectNode(node, true);
        return;
    }
}

void PickingHandler::hoverPreSelect(const osgGA::GUIEventAdapter& ea)
{
    Vantor::ISelectionManager* manager = selectionManager();
    if (!manager)
        return;
    osg::Node* node = nullptr;
    switch (queryScene(ea, node)) {
    case NoQuery:
        return;
    case Miss:
        manager->clearPreSelection();
        return;
    case Hit:
        manager->preSelect(node);
        return;
    }
}

bool PickingHandler::rectangleSelect(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    std::vector<osg::Plane> planes;
    Vantor::ObserverNodeList clipped;
    readSectionState(planes, clipped);
    m_framePicker->setClipPlanes(planes);
    m_framePicker->setClipedModels(clipped);
    const bool handled = m_framePicker->handle(ea, aa);
    Vantor::ISelectionManager* manager = selectionManager();
    if (manager)
        manager->clearSelection();
    if (handled && manager) {
        m_framePicker->setMultiSelection(manager->getMultiSelection());
        NodePtrList nodes = m_framePicker->getPickedNodes();
        if (!nodes.empty())
            manager->selectNodes(nodes, true);
    }
    return handled;
}
