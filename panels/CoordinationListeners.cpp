#include "panels/CoordinationListeners.h"

#include "panels/CoordinationWidget.h"
#include "view/SceneView.h"

CoordinationNoteManagerChangedListener::CoordinationNoteManagerChangedListener(CoordinationWidget* panel, SceneView* view)
    : m_panel(panel)
    , m_view(view)
{
}

CoordinationMeasureManagerChangedListener::CoordinationMeasureManagerChangedListener(CoordinationWidget* panel, SceneView* view)
    : m_panel(panel)
    , m_view(view)
{
}

CoordinationSectionManagerChangedListener::CoordinationSectionManagerChangedListener(CoordinationWidget* panel, SceneView* view)
    : m_panel(panel)
    , m_view(view)
{
}

void CoordinationNoteManagerChangedListener::onNoteChanged(Vantor::NoteManager* manager, Vantor::Note*)
{
    if (m_panel)
        m_panel->updateNoteTree(manager);
    if (m_view)
        m_view->updateCamearNearAndFarClip();
}

void CoordinationMeasureManagerChangedListener::onMeasureChanged(Vantor::MeasureManager* manager, Vantor::Measure*)
{
    if (m_panel)
        m_panel->updateMeasureTree(manager);
    if (m_view)
        m_view->updateCamearNearAndFarClip();
}

void CoordinationSectionManagerChangedListener::onSectionChanged(Vantor::SectionManager* manager, Vantor::Section*)
{
    if (m_panel)
        m_panel->updateSectionTree(manager);
    if (m_view)
        m_view->updateCamearNearAndFarClip();
}

void CoordinationionListener::onAddSelected(osg::Node* node)
{
    if (m_panel)
        m_panel->selectTreeItem(node);
}

void CoordinationionListener::onSelectedListChanged(NodePtrList& selected)
{
    if (m_panel)
        m_panel->selectTreeItems(selected);
}

void CoordinationionListener::onRemoveSelected(osg::Node*) {}

void CoordinationionListener::onClearSelected()
{
    if (m_panel)
        m_panel->clearCurrentItem();
}
