#pragma once

#include "vantor/command/Command.h"
#include "vantor/command/MouseState.h"

#include <osg/Group>
#include <osg/Matrixd>
#include <osg/MatrixTransform>
#include <osg/ref_ptr>
#include <osgManipulator/Dragger>
#include <osgViewer/View>

#include <string>
#include <vector>

namespace Vantor {

class TransformDraggerCommand;

// What a dragger tells of a drag: start, each step, end. Hands the motion to its command.
class DraggerMotionRelay : public osgManipulator::DraggerCallback
{
public:
    explicit DraggerMotionRelay(TransformDraggerCommand* owner) : m_owner(owner) {}
    bool receive(const osgManipulator::MotionCommand& command) override;
    void release() { m_owner = nullptr; }

private:
    TransformDraggerCommand* m_owner;
};

// Base of the dragger tools: puts an OSG dragger at the pivot of the selected models (their dragger
// location, else the centre of their box), keeps it a steady size on screen, moves the models live
// while it is dragged, and records each finished drag as one undo step. Stays active until cancelled;
// follows the selection. The tool itself leaves no undo step.
class TransformDraggerCommand : public Command
{
public:
    // The dragger's size on screen, in pixels.
    static constexpr double ScreenSize = 120.0;

    TransformDraggerCommand();
    ~TransformDraggerCommand() override;

    bool Execute() override;
    bool SelectedExecute() override;
    bool Cancel() override;
    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;

    osgManipulator::Dragger* getDragger() const { return m_dragger.get(); }
    const std::vector<osg::ref_ptr<osg::MatrixTransform>>& getTargets() const { return m_targets; }
    bool isDragging() const { return m_dragging; }
    // World matrix the dragger was placed at (pivot position, world axes, no scale).
    osg::Matrixd getPlacement() const { return m_placement; }

    // From the dragger's relay.
    void motion(const osgManipulator::MotionCommand& command);

protected:
    virtual osg::ref_ptr<osgManipulator::Dragger> makeDragger() = 0;
    // The models the tool moves and the world point the dragger sits at; false when there are none.
    // By default the selected models (with the parts locked to them) and their pivot.
    virtual bool collectTargets(osg::Node* sceneData, std::vector<osg::ref_ptr<osg::MatrixTransform>>& targets,
                                osg::Vec3d& pivot);
    // Puts target i where the drag's world motion takes it from its start matrix.
    virtual osg::Matrixd movedMatrix(std::size_t i, const osg::Matrixd& start, const osg::Matrixd& worldMotion);
    // Called at the start of each drag, after the start matrices are taken.
    virtual void dragStarted() {}
    // The prompt while the dragger is up, translated.
    virtual std::string runningTip() const = 0;

    std::vector<osg::ref_ptr<osg::MatrixTransform>> m_targets; // selected models plus locked partners
    std::vector<osg::Matrixd> m_start;

private:
    bool attach();
    void detach();
    void fitToScreen();
    osg::ref_ptr<osgViewer::View> view() const;

    osg::ref_ptr<osg::Group> m_holder; // the temporary-node group the dragger hangs below
    osg::ref_ptr<osgManipulator::Dragger> m_dragger;
    osg::ref_ptr<DraggerMotionRelay> m_relay;
    osg::Matrixd m_placement;
    osg::Matrixd m_lastMotion; // world motion of the drag so far
    bool m_dragging = false;
};

// Moves the selected models along one of the three axes.
class AxisTransformDraggerCommand : public TransformDraggerCommand
{
public:
    std::string Type() override { return "AxisTransformDraggerCommand"; }
    std::string Name() override { return "AxisTransformDraggerCommand"; }

protected:
    osg::ref_ptr<osgManipulator::Dragger> makeDragger() override;
    std::string runningTip() const override;
};

// Moves the selected models in a plane (or along its normal).
class PlaneTransformDraggerCommand : public TransformDraggerCommand
{
public:
    std::string Type() override { return "PlaneTransformDraggerCommand"; }
    std::string Name() override { return "PlaneTransformDraggerCommand"; }

protected:
    osg::ref_ptr<osgManipulator::Dragger> makeDragger() override;
    std::string runningTip() const override;
};

// Turns the selected models about the pivot.
class RotateTransformDraggerCommand : public TransformDraggerCommand
{
public:
    std::string Type() override { return "RotateTransformDraggerCommand"; }
    std::string Name() override { return "RotateTransformDraggerCommand"; }

protected:
    osg::ref_ptr<osgManipulator::Dragger> makeDragger() override;
    std::string runningTip() const override;
};

// Scales the selected models about the pivot along the axes.
class ScaleTransformDraggerCommand : public TransformDraggerCommand
{
public:
    std::string Type() override { return "ScaleTransformDraggerCommand"; }
    std::string Name() override { return "ScaleTransformDraggerCommand"; }

protected:
    osg::ref_ptr<osgManipulator::Dragger> makeDragger() override;
    std::string runningTip() const override;
};

// Moves the pivot of the selected models to where a click on the model lands: the centre of a round
// edge near the click or of the round face clicked (a hole, a shaft), else a corner near the click, else
// the point on the face. The draggers then sit there; resetNodeDraggerLocation puts it back.
class UpdateAxisLocationCommand : public Command
{
public:
    UpdateAxisLocationCommand();
    std::string Type() override { return "UpdateAxisLocationCommand"; }
    std::string Name() override { return "UpdateAxisLocationCommand"; }

    bool Execute() override;
    bool SelectedExecute() override;
    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;

    // What a click at normalised window coordinates (-1..1) puts the pivot on, and that world point.
    enum Snap { Missed, OnFace, Corner, Centre };
    static constexpr double SnapPixels = 8.0;
    static Snap pivotAt(osgViewer::View* view, double xNormalized, double yNormalized, osg::Vec3d& point);

    // Sets the pivot of the given models to a world point; false when none took it.
    static bool setLocation(osg::Node* sceneData, const std::vector<osg::ref_ptr<osg::MatrixTransform>>& models,
                            const osg::Vec3d& worldPoint);

private:
    MouseState m_press;
};

// Tip texts (UTF-8 sources of the context "TransformDraggerCommand"; shown translated).
extern const char* const SelectModelTip;
extern const char* const PivotTip;

} // namespace Vantor
