#pragma once

#include "vantor/command/SelectionListener.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"

#include <QPointer>

class CoordinationWidget;
class SceneView;

// The managers' and the selection's listeners that keep the annotation panel in step. Each manager
// listener rebuilds its kind of entry first, then lets the view update its clip distances.

class CoordinationNoteManagerChangedListener : public Vantor::NoteManagerChangedListener
{
public:
    CoordinationNoteManagerChangedListener(CoordinationWidget* panel, SceneView* view);
    void onNoteChanged(Vantor::NoteManager* manager, Vantor::Note* note) override;

private:
    QPointer<CoordinationWidget> m_panel;
    QPointer<SceneView> m_view;
};

class CoordinationMeasureManagerChangedListener : public Vantor::MeasureManagerChangedListener
{
public:
    CoordinationMeasureManagerChangedListener(CoordinationWidget* panel, SceneView* view);
    void onMeasureChanged(Vantor::MeasureManager* manager, Vantor::Measure* measure) override;

private:
    QPointer<CoordinationWidget> m_panel;
    QPointer<SceneView> m_view;
};

class CoordinationSectionManagerChangedListener : public Vantor::SectionManagerChangedListener
{
public:
    CoordinationSectionManagerChangedListener(CoordinationWidget* panel, SceneView* view);
    void onSectionChanged(Vantor::SectionManager* manager, Vantor::Section* section) override;

private:
    QPointer<CoordinationWidget> m_panel;
    QPointer<SceneView> m_view;
};

// Mirrors the scene selection into the annotation panel.
class CoordinationionListener : public Vantor::SelectionListener
{
public:
    explicit CoordinationionListener(CoordinationWidget* panel) : m_panel(panel) {}
    void onAddSelected(osg::Node* node) override;
    void onSelectedListChanged(NodePtrList& selected) override;
    void onRemoveSelected(osg::Node* node) override;
    void onClearSelected() override;

protected:
    ~CoordinationionListener() override = default;

private:
    QPointer<CoordinationWidget> m_panel;
};
