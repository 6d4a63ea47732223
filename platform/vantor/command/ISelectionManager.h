#pragma once

#include "vantor/command/NodePtrList.h"
#include "vantor/command/SelectionListener.h"

#include <osg/Node>
#include <osg/ref_ptr>

namespace Vantor {

// The view's selection as the command library and the panels see it. A scene node so that it can be
// found in and travel with the scene; the view's selection manager implements it.
// The decorator operations belong to the implementation, which knows its decorator type.
class ISelectionManager : public osg::Node
{
public:
    const char* libraryName() const override { return "Vantor"; }
    const char* className() const override { return "ISelectionManager"; }

    virtual void clearSelection() = 0;
    // Select or unselect through undoable commands; the flag marks the command undoable.
    virtual bool selectNodes(NodePtrList nodes, bool undoable) = 0;
    virtual bool selectNode(osg::Node* node, bool undoable) = 0;
    virtual bool unselectNodes(NodePtrList nodes, bool undoable) = 0;
    virtual bool unselectNode(osg::Node* node, bool undoable) = 0;
    virtual void clearPreSelection() = 0;
    // Whether the selection is locked against picking (never, unless an implementation says so).
    virtual bool isSelectionLocked() const { return false; }
    virtual bool preSelect(osg::Node* node) = 0;
    // Whether a node may be selected at all (any node, unless an implementation says so).
    virtual bool isSelectable(osg::Node* node) const { return true; }
    // Direct changes, without commands.
    virtual bool addSelectedList(NodePtrList& nodes) = 0;
    virtual bool setPickedGeometry(osg::Node* node) = 0;
    virtual bool addSelected(osg::Node* node) = 0;
    virtual bool removeSelectedList(NodePtrList& nodes) = 0;
    virtual bool removeSelected(osg::Node* node) = 0;
    virtual osg::Node* getPickedGeometry() = 0;
    virtual NodePtrList& getSelectedList() = 0;
    // Selected nodes whose first parent exists and is not selected, in selection order.
    virtual NodePtrList getTopSelectedList() = 0;
    virtual bool addSelectionListener(osg::ref_ptr<SelectionListener> listener) = 0;
    virtual bool removeSelectionListener(osg::ref_ptr<SelectionListener> listener) = 0;
    virtual bool getMultiSelection() const = 0;
    virtual void setMultiSelection(bool on) = 0;
    virtual bool getPreSelection() const = 0;
    virtual void setPreSelection(bool on) = 0;

protected:
    ~ISelectionManager() override = default;
};

} // namespace Vantor
