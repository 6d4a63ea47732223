#pragma once

#include "vantor/property/TransformDraggerCommands.h"

#include <osg/Vec3d>

#include <vector>

namespace Vantor {

enum class ExplodeKind { Axis, Radial, Center };

// Where each part goes when an assembly is pulled apart by `amount` (0: not at all, 1: each part moves
// once more its own offset from the centre). Axis: along the axis by the offset's share along it;
// radial: away from the axis through the centre by the offset's share across it; centre: along the
// whole offset. The axis need not be of unit length; a zero axis moves nothing for the axis kinds.
std::vector<osg::Vec3d> explodeOffsets(ExplodeKind kind, const osg::Vec3d& center, const osg::Vec3d& axis,
                                       const std::vector<osg::Vec3d>& partCenters, double amount);

// Base of the explosion tools: on the selected assembly (a selected part stands for its assembly; the
// whole model when nothing is selected) a dragger sits at the centre; dragging one of its arrows by the
// assembly's radius pulls the parts apart by amount 1 (towards each other when dragged backwards).
// Each finished drag is one undo step.
class ExplodeTransformDraggerCommand : public TransformDraggerCommand
{
public:
    virtual ExplodeKind kind() const = 0;
    // The parts moved and the centre and size they are measured from (after the tool has started).
    osg::Vec3d getCenter() const { return m_center; }
    double getRadius() const { return m_radius; }

protected:
    osg::ref_ptr<osgManipulator::Dragger> makeDragger() override;
    bool collectTargets(osg::Node* sceneData, std::vector<osg::ref_ptr<osg::MatrixTransform>>& targets,
                        osg::Vec3d& pivot) override;
    osg::Matrixd movedMatrix(std::size_t i, const osg::Matrixd& start, const osg::Matrixd& worldMotion) override;
    void dragStarted() override;
    std::string runningTip() const override;

private:
    osg::Vec3d m_center;
    double m_radius = 1.0;
    std::vector<osg::Vec3d> m_partCenters; // at the start of the drag
    std::vector<osg::Vec3d> m_offsets;     // of the drag in progress
    osg::Matrixd m_lastMotion;
};

class AxisExplodeTransformDraggerCommand : public ExplodeTransformDraggerCommand
{
public:
    std::string Type() override { return "AxisExplodeTransformDraggerCommand"; }
    std::string Name() override { return "AxisExplodeTransformDraggerCommand"; }
    ExplodeKind kind() const override { return ExplodeKind::Axis; }
};

class RadialExplodeTransformDraggerCommand : public ExplodeTransformDraggerCommand
{
public:
    std::string Type() override { return "RadialExplodeTransformDraggerCommand"; }
    std::string Name() override { return "RadialExplodeTransformDraggerCommand"; }
    ExplodeKind kind() const override { return ExplodeKind::Radial; }
};

class CenterExplodeTransformDraggerCommand : public ExplodeTransformDraggerCommand
{
public:
    std::string Type() override { return "CenterExplodeTransformDraggerCommand"; }
    std::string Name() override { return "CenterExplodeTransformDraggerCommand"; }
    ExplodeKind kind() const override { return ExplodeKind::Center; }
};

} // namespace Vantor
