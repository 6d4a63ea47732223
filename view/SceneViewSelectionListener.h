#pragma once

#include "vantor/command/SelectionListener.h"

#include <QPointer>

class SceneView;

// Turns the selection manager's notifications into the view's signals.
class SceneViewSelectionListener : public Vantor::SelectionListener
{
public:
    // Held without a reference: the view belongs to its Qt parent.
    explicit SceneViewSelectionListener(SceneView* view);

    void onAddSelected(osg::Node* node) override;
    void onSelectedListChanged(NodePtrList& selected) override;
    void onRemoveSelected(osg::Node* node) override;
    void onClearSelected() override;

protected:
    ~SceneViewSelectionListener() override;

private:
    QPointer<SceneView> m_view;
};
