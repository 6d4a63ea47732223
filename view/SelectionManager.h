#pragma once

#include "view/ISelectionDecorator.h"
#include "vantor/command/ISelectionManager.h"

#include <osg/observer_ptr>
#include <osg/ref_ptr>

#include <QPointer>

#include <list>
#include <map>
#include <memory>

class SceneView;
namespace Vantor {
class Command;
}

// The view's selected nodes and its one pre-selected (hover) node, highlighted through decorators:
// one selection decorator per selected node, cloned from the template and sharing its state set (so a
// colour change on the template reaches every highlight), and one pre-selection decorator. Each node
// carries a selected flag of its own that follows the list. Listeners hear of every change.
// The select and unselect operations go through undoable commands of the view's command manager;
// the add and remove operations change the selection directly. GUI thread only.
class SelectionManager : public Vantor::ISelectionManager
{
public:
    explicit SelectionManager(SceneView* view);

    void clearSelection() override;
    // Run a selection command through the view's command manager (nothing without a view); the flag
    // says whether the step is recorded for undo.
    bool selectNodes(NodePtrList nodes, bool undoable) override;
    bool selectNode(osg::Node* node, bool undoable) override;
    bool unselectNodes(NodePtrList nodes, bool undoable) override;
    bool unselectNode(osg::Node* node, bool undoable) override;
    void clearPreSelection() override;
    bool isSelectionLocked() const override { return false; }
    bool preSelect(osg::Node* node) override;
    bool isSelectable(osg::Node*) const override { return true; }
    // Adds the nodes not selected yet, without clearing or toggling; a node under a selected parent is
    // not decorated (the parent's highlight covers it).
    bool addSelectedList(NodePtrList& nodes) override;
    bool setPickedGeometry(osg::Node* node) override;
    // Adds one node; a node already selected is toggled off (false). Without multi-selection the
    // selection is cleared first, so the node ends up the only one selected.
    bool addSelected(osg::Node* node) override;
    bool removeSelectedList(NodePtrList& nodes) override;
    bool removeSelected(osg::Node* node) override;
    osg::Node* getPickedGeometry() override { return m_pickedGeometry.get(); }
    NodePtrList& getSelectedList() override { return m_selected; }
    NodePtrList getTopSelectedList() override;
    bool addSelectionListener(osg::ref_ptr<Vantor::SelectionListener> listener) override;
    bool removeSelectionListener(osg::ref_ptr<Vantor::SelectionListener> listener) override;
    bool getMultiSelection() const override { return m_multiSelection; }
    void setMultiSelection(bool on) override { m_multiSelection = on; }
    bool getPreSelection() const override { return m_preSelection; }
    void setPreSelection(bool on) override { m_preSelection = on; }

    // Null or the same decorator again changes nothing.
    void setSelectionDecorator(ISelectionDecorator* decorator);
    ISelectionDecorator* getSelectionDecorator() { return m_selectionDecorator.get(); }
    const ISelectionDecorator* getSelectionDecorator() const { return m_selectionDecorator.get(); }
    void setPreSelectionDecorator(ISelectionDecorator* decorator);
    ISelectionDecorator* getPreSelectionDecorator() { return m_preSelectionDecorator.get(); }
    const ISelectionDecorator* getPreSelectionDecorator() const { return m_preSelectionDecorator.get(); }

    osg::Node* getPreSelected() const { return m_preSelected.get(); }
    // The decorator made for the node, null when it has none.
    ISelectionDecorator* findDecorator(const osg::Node* node) const;
    const std::list<osg::ref_ptr<Vantor::SelectionListener>>& listeners() const { return m_listeners; }

protected:
    ~SelectionManager() override;

private:
    struct Decorated
    {
        // The key alone would dangle once the node is deleted; this tells whether it still lives.
        osg::observer_ptr<osg::Node> node;
        osg::ref_ptr<ISelectionDecorator> decorator;
    };

    bool isSelected(const osg::Node* node) const;
    // The node's decorator, cloned from the template on first use; null without a template.
    ISelectionDecorator* decoratorFor(osg::Node* node);
    bool runCommand(const std::shared_ptr<Vantor::Command>& command, bool undoable, bool forward);
    // Listeners may register or unregister while being told; they are told from a copy.
    template <typename F>
    void notify(F&& f);
    void sortListeners();

    osg::ref_ptr<osg::Node> m_pickedGeometry;
    std::map<const osg::Node*, Decorated> m_decorators;
    std::list<osg::ref_ptr<Vantor::SelectionListener>> m_listeners;
    NodePtrList m_selected;
    osg::ref_ptr<osg::Node> m_preSelected;
    QPointer<SceneView> m_sceneView; // not owned
    bool m_multiSelection = true;
    bool m_preSelection = true;
    osg::ref_ptr<ISelectionDecorator> m_preSelectionDecorator;
    osg::ref_ptr<ISelectionDecorator> m_selectionDecorator;
};
