#pragma once

// Small stand-ins the animation tests share: a selection, a camera manipulator that keeps a pose,
// a command that moves a model, and a clock the test turns by hand.

#include "vantor/command/Command.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/model/Model.h"

#include <osgGA/CameraManipulator>

#include <algorithm>
#include <vector>

namespace animtest {

class FakeSelection : public Vantor::ISelectionManager
{
public:
    void clearSelection() override
    {
        m_list.clear();
        for (auto& l : m_listeners)
            l->onClearSelected();
    }
    bool selectNodes(NodePtrList nodes, bool) override { return addSelectedList(nodes); }
    bool selectNode(osg::Node* node, bool) override { return addSelected(node); }
    bool unselectNodes(NodePtrList nodes, bool) override { return removeSelectedList(nodes); }
    bool unselectNode(osg::Node* node, bool) override { return removeSelected(node); }
    void clearPreSelection() override {}
    bool preSelect(osg::Node*) override { return false; }
    bool addSelectedList(NodePtrList& nodes) override
    {
        for (auto& n : nodes)
            addSelected(n.get());
        return true;
    }
    bool setPickedGeometry(osg::Node*) override { return false; }
    bool addSelected(osg::Node* node) override
    {
        m_list.push_back(node);
        for (auto& l : m_listeners)
            l->onAddSelected(node);
        return true;
    }
    bool removeSelectedList(NodePtrList& nodes) override
    {
        for (auto& n : nodes)
            removeSelected(n.get());
        return true;
    }
    bool removeSelected(osg::Node* node) override
    {
        m_list.remove(node);
        for (auto& l : m_listeners)
            l->onRemoveSelected(node);
        return true;
    }
    osg::Node* getPickedGeometry() override { return nullptr; }
    NodePtrList& getSelectedList() override { return m_list; }
    NodePtrList getTopSelectedList() override { return m_list; }
    bool addSelectionListener(osg::ref_ptr<Vantor::SelectionListener> l) override
    {
        m_listeners.push_back(l);
        return true;
    }
    bool removeSelectionListener(osg::ref_ptr<Vantor::SelectionListener> l) override
    {
        m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), l), m_listeners.end());
        return true;
    }
    bool getMultiSelection() const override { return true; }
    void setMultiSelection(bool) override {}
    bool getPreSelection() const override { return false; }
    void setPreSelection(bool) override {}

private:
    NodePtrList m_list;
    std::vector<osg::ref_ptr<Vantor::SelectionListener>> m_listeners;
};

// Keeps the last pose it was given; hands out the pose it holds.
class PoseManipulator : public osgGA::CameraManipulator, public Vantor::NerioViewerManipulatorState
{
public:
    void setByMatrix(const osg::Matrixd&) override {}
    void setByInverseMatrix(const osg::Matrixd&) override {}
    osg::Matrixd getMatrix() const override { return osg::Matrixd(); }
    osg::Matrixd getInverseMatrix() const override { return osg::Matrixd(); }
    Vantor::AnimationCameraInfo getCameraInfo() override { return pose; }
    void setCameraInfo(const Vantor::AnimationCameraInfo& info, bool) override
    {
        pose = info;
        ++set;
    }
    Vantor::AnimationCameraInfo pose;
    int set = 0;
};

// Moves a model to a new matrix; undo puts the old one back.
class MoveCommand : public Vantor::Command
{
public:
    MoveCommand(Vantor::Model* model, const osg::Matrixd& to) : m_model(model), m_to(to), m_from(model->getMatrix()) {}
    std::string Type() override { return "MoveCommand"; }
    bool Execute() override
    {
        m_model->setMatrix(m_to);
        return true;
    }
    bool Unexecute() override
    {
        m_model->setMatrix(m_from);
        return true;
    }

private:
    osg::ref_ptr<Vantor::Model> m_model;
    osg::Matrixd m_to, m_from;
};

struct ManualClock
{
    double now = 100.0;
};

} // namespace animtest
