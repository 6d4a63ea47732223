#pragma once

#include "vantor/align/AlignFeature.h"
#include "vantor/command/Command.h"
#include "vantor/command/MouseState.h"

#include <osg/Matrixd>
#include <osg/MatrixTransform>
#include <osg/observer_ptr>

#include <string>

namespace Vantor {

// Base of the alignment tools: a click picks the feature on the part to move, a second click the
// feature on the part it goes onto; the first part's whole model then turns and moves so that the
// features meet. One undo step; a tool left before the second click leaves none. With the alignment
// manager's lock on, the two parts are linked afterwards.
class AlignmentCommand : public Command
{
public:
    bool Execute() override;
    bool Unexecute() override;
    bool Cancel() override;
    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;

    // Takes a picked feature as the next click would (for hosts and tests); true when it was taken.
    bool takeFeature(const AlignFeature& feature, osgViewer::View* view);
    bool hasMovingFeature() const { return m_haveMoving; }

    virtual AlignFeature::Kind movingKind() const = 0;
    virtual AlignFeature::Kind fixedKind() const = 0;

protected:
    std::string kindTip(bool moving) const;

private:
    bool m_haveMoving = false;
    AlignFeature m_moving;
    osg::observer_ptr<osg::MatrixTransform> m_model;
    osg::Matrixd m_before;
    osg::Matrixd m_after;
    bool m_applied = false;
    MouseState m_press;
};

class PointsAlignmentCommand : public AlignmentCommand
{
public:
    std::string Type() override { return "PointsAlignmentCommand"; }
    std::string Name() override { return "PointsAlignmentCommand"; }
    AlignFeature::Kind movingKind() const override { return AlignFeature::Point; }
    AlignFeature::Kind fixedKind() const override { return AlignFeature::Point; }
};

class LinesAlignmentCommand : public AlignmentCommand
{
public:
    std::string Type() override { return "LinesAlignmentCommand"; }
    std::string Name() override { return "LinesAlignmentCommand"; }
    AlignFeature::Kind movingKind() const override { return AlignFeature::Line; }
    AlignFeature::Kind fixedKind() const override { return AlignFeature::Line; }
};

class FacesAlignmentCommand : public AlignmentCommand
{
public:
    std::string Type() override { return "FacesAlignmentCommand"; }
    std::string Name() override { return "FacesAlignmentCommand"; }
    AlignFeature::Kind movingKind() const override { return AlignFeature::Face; }
    AlignFeature::Kind fixedKind() const override { return AlignFeature::Face; }
};

class LineToFaceAlignmentCommand : public AlignmentCommand
{
public:
    std::string Type() override { return "LineToFaceAlignmentCommand"; }
    std::string Name() override { return "LineToFaceAlignmentCommand"; }
    AlignFeature::Kind movingKind() const override { return AlignFeature::Line; }
    AlignFeature::Kind fixedKind() const override { return AlignFeature::Face; }
};

} // namespace Vantor
