#pragma once

#include "view/ISelectionDecorator.h"
#include "vantor/command/ISelectionManager.h"

#include <osg/ref_ptr>

#include <QPointer>

#include <list>

class SceneView;

// The view's selection. Pending: the undoable selection commands, decorating and the rules for
// parents and toggling; for now it keeps the list, the pre-selected node, the flags and the
// listeners, and tells the listeners of each direct change.
class SelectionManager : public Vantor::ISelectionManager
{
public:
    explicit SelectionManager(SceneView* view);

    void clearSelection() override;
    bool selectNodes(NodePtrList nodes, bool undoable) override;
    bool selectNode(osg::Node* node, bool undoable) override;
    bool unselectNodes(NodePtrList nodes, bool undoable) override;
    bool unselectNode(osg::Node* node, bool undoable) override;
    void clearPreSelection() override;
    bool preSelect(osg::Node* node) override;
    bool addSelectedList(NodePtrList& nodes) override;
    bool setPickedGeometry(osg::Node* node) override;
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

    void setSelectionDecorator(ISelectionDecorator* decorator);
    ISelectionDecorator* getSelectionDecorator() { return m_selectionDecorator.get(); }
    const ISelectionDecorator* getSelectionDecorator() const { return m_selectionDecorator.get(); }
    void setPreSelectionDecorator(ISelectionDecorator* decorator);
    ISelectionDecorator* getPreSelectionDecorator() { return m_preSelectionDecorator.get(); }
    const ISelectionDecorator* getPreSelectionDecorator() const { return m_preSelectionDecorator.get(); }

    const std::list<osg::ref_ptr<Vantor::SelectionListener>>& listeners() const { return m_listeners; }

protected:
    ~SelectionManager() override;

private:
    bool isSelected(osg::Node* node) const;

    osg::ref_ptr<osg::Node> m_pickedGeometry;
    std::list<osg::ref_ptr<Vantor::SelectionListener>> m_listeners;
    NodePtrList m_selected;
    osg::ref_ptr<osg::Node> m_preSelected;
    QPointer<SceneView> m_sceneView; // not owned
    bool m_multiSelection = true;
    bool m_preSelection = true;
    osg::ref_ptr<ISelectionDecorator> m_preSelectionDecorator;
    osg::ref_ptr<ISelectionDecorator> m_selectionDecorator;
};
