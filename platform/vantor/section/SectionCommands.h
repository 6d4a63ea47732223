#pragma once

#include "vantor/command/Command.h"
#include "vantor/section/SectionManager.h"

#include <osg/Plane>
#include <osg/observer_ptr>
#include <osgViewer/View>

#include <string>
#include <vector>

namespace Vantor {

// What the section commands share: the view they act in and its section manager.
class SectionCommandBase : public Command
{
public:
    void setViewer(osg::ref_ptr<osgViewer::View> view) { m_view = view.get(); }
    osg::ref_ptr<osgViewer::View> getViewer() const;
    osg::ref_ptr<SectionManager> getSectionManager() const;

protected:
    // The section to act on: the selected one, else the last open one.
    osg::ref_ptr<Section> targetSection() const;
    // Ends a command that cannot run, with the reason in the tip and the log.
    bool refuse(const std::string& reason);

    osg::observer_ptr<osgViewer::View> m_view;
};

// A new section plane: click a face of the model (the plane lies on it), or press Enter for a plane
// through the model's centre facing the view. The near side is cut away. The new section is opened,
// selected, and its dragger follows (UpdateSectionCommand). Undo takes the section out.
class CreateSectionCommand : public SectionCommandBase
{
public:
    std::string Type() override { return "CreateSectionCommand"; }
    std::string Name() override { return "CreateSectionCommand"; }
    bool Execute() override;
    bool Unexecute() override;
    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;

    osg::ref_ptr<Section> getSection() const { return m_section; }
    // Whether the new section's dragger starts after it (on by default).
    void setFollowWithDragger(bool on) { m_followWithDragger = on; }

    // Makes the section on that plane at once (what a click or Enter does); false for a degenerate
    // plane or when no more sections can be opened.
    bool createAt(const osg::Plane& plane);

private:
    osg::ref_ptr<Section> m_section;
    int m_position = -1;
    bool m_followWithDragger = true;
};

// One move of a section's plane, as an undo step.
class SetSectionPlaneCommand : public SectionCommandBase
{
public:
    SetSectionPlaneCommand(osg::ref_ptr<Section> section, const osg::Plane& before, const osg::Plane& after);
    std::string Type() override { return "SetSectionPlaneCommand"; }
    std::string Name() override { return "SetSectionPlaneCommand"; }
    bool Execute() override;
    bool Unexecute() override;

private:
    bool apply(const osg::Plane& plane);
    osg::observer_ptr<Section> m_section;
    osg::Plane m_before;
    osg::Plane m_after;
};

// The dragger on the selected section: drag the plane to move it along its normal, Ctrl+drag (or
// Shift+drag) to turn it. Each finished drag is one undo step of its own (SetSectionPlaneCommand);
// the dragger itself leaves none. Escape or the right button ends it.
class UpdateSectionCommand : public SectionCommandBase
{
public:
    UpdateSectionCommand();
    ~UpdateSectionCommand() override;
    std::string Type() override { return "UpdateSectionCommand"; }
    std::string Name() override { return "UpdateSectionCommand"; }
    bool Execute() override;
    bool Cancel() override;
    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;

    osg::ref_ptr<Section> getSection() const;

private:
    // The plane a drag from m_from to `to` (normalised window positions) makes from m_before.
    bool dragged(osgViewer::View* view, const osg::Vec2d& to, osg::Plane& plane) const;
    void showDragger(bool show);

    osg::observer_ptr<Section> m_section;
    osg::ref_ptr<osg::Node> m_dragger;
    osg::observer_ptr<osg::Group> m_draggerParent;
    bool m_dragging = false;
    bool m_turning = false;
    osg::Vec2d m_from;
    osg::Plane m_before;
    // The plane the dragger was drawn for (an undo may move the plane under it).
    osg::Plane m_drawn;
};

// Keeps the other side of the selected section (else of the last open one).
class ReverseSectionCommand : public SectionCommandBase
{
public:
    std::string Type() override { return "ReverseSectionCommand"; }
    std::string Name() override { return "ReverseSectionCommand"; }
    bool Execute() override;
    bool Unexecute() override;

private:
    osg::observer_ptr<Section> m_section;
};

// Hides the plane drawing of the selected section (else of every section) while the cut stays; when
// all of them are hidden already it shows them again.
class HideSectionPlaneCommand : public SectionCommandBase
{
public:
    std::string Type() override { return "HideSectionPlaneCommand"; }
    std::string Name() override { return "HideSectionPlaneCommand"; }
    bool Execute() override;
    bool Unexecute() override;

private:
    std::vector<std::pair<osg::observer_ptr<Section>, bool>> m_before;
    bool m_show = false;
};

} // namespace Vantor
