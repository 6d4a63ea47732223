#pragma once

#include "vantor/command/Command.h"

#include <QModelIndex>
#include <osg/Matrixd>
#include <osg/Node>
#include <osg/observer_ptr>
#include <osg/ref_ptr>
#include <osgViewer/View>

namespace Vantor {

class AssemblyManager;
class Model;

// What the assembly commands share: the view whose scene holds the assembly manager, and the tree row
// they act on. The row's node is kept when the row is given, so a later change of the tree cannot
// turn the row into another node.
class AssemblyCommand : public Command
{
public:
    void setViewer(osgViewer::View* view) { m_view = view; }
    // The row of the structure tree (its internal pointer is the row's node).
    void setTargetIndex(const QModelIndex& index);
    void setTargetNode(osg::Node* node) { m_target = node; }
    osg::Node* getTargetNode() const { return m_target.get(); }
    // Used instead of the one found in the view's scene (tests, views without one).
    void setAssemblyManager(AssemblyManager* manager) { m_manager = manager; }

    // The manager in the view's scene data, or the one set.
    AssemblyManager* assemblyManager() const;

    // Gives a model the local placement under the parent that puts it at the world placement.
    static void placeAt(osg::Node* node, const osg::Node* parent, const osg::Matrixd& world);
    // A new instance of the model tree: every model a new model with a fresh id, every other node
    // (bodies, PMI) shared with the original.
    static osg::ref_ptr<osg::Node> instanceOf(osg::Node* node);
    // Whether ancestor lies on the first-parent chain above node (node itself counts).
    static bool isAncestorOf(const osg::Node* ancestor, const osg::Node* node);

protected:
    // The index given to the listeners: the one set, valid or not.
    QModelIndex targetIndex() const { return m_targetIndex; }
    void notifyChanged() const;

    osg::observer_ptr<osgViewer::View> m_view;
    osg::ref_ptr<osg::Node> m_target;
    QModelIndex m_targetIndex;
    osg::ref_ptr<AssemblyManager> m_manager;
};

} // namespace Vantor
