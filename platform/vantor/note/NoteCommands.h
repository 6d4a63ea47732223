#pragma once

#include "vantor/command/Command.h"
#include "vantor/note/Note.h"
#include "vantor/note/NoteManager.h"

#include <osg/Plane>
#include <osg/observer_ptr>
#include <osgViewer/View>

#include <memory>
#include <string>
#include <vector>

namespace Vantor {

// An interactive command that makes one note and adds it to the scene's NoteManager. The command itself
// is the undo step: undo takes the note out again, redo puts the same note back at the same place.
// Escape or the right button cancels it; nothing is added before the note is complete.
class NoteCommandBase : public Command
{
public:
    bool Execute() override;
    bool Unexecute() override;
    bool Cancel() override;
    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;

    // The note added (null until the command finished).
    osg::ref_ptr<Note> getNote() const { return m_note; }

protected:
    virtual std::string startTip() const = 0;
    // The command's own handling of a left-button or motion event in the view.
    virtual bool onEvent(const osgGA::GUIEventAdapter& ea, osgViewer::View* view) = 0;

    // Adds the finished note through this command and ends it.
    void finish(osg::ref_ptr<Note> note);
    // The nearest point of the model under the event (sections' cut-away parts do not count), in the
    // note manager's frame; false on a miss.
    bool pickModel(osgViewer::View* view, const osgGA::GUIEventAdapter& ea, osg::Vec3d& point) const;
    // Where the mouse ray meets the plane facing the view through `through` (all in the manager's frame).
    bool pointOnViewPlane(osgViewer::View* view, const osgGA::GUIEventAdapter& ea, const osg::Vec3d& through,
                          osg::Vec3d& point) const;
    // Camera right and up directions in the manager's frame.
    void viewAxes(osgViewer::View* view, osg::Vec3d& right, osg::Vec3d& up) const;
    // A preview drawn while the note takes shape (not part of the document).
    void setPreview(osg::ref_ptr<osg::Node> node);

    osg::ref_ptr<NoteManager> manager() const;
    osg::ref_ptr<osgViewer::View> view() const;
    osg::Matrixd managerToWorld() const;

    osg::observer_ptr<NoteManager> m_manager;
    osg::observer_ptr<osgViewer::View> m_view;
    osg::ref_ptr<Note> m_note;
    osg::ref_ptr<osg::Node> m_preview;
    osg::observer_ptr<osg::Group> m_previewParent;
    int m_position = -1;
};

// A label note pinned to a point of a part: press on the model, optionally drag to place the label,
// release, then type the text in the point note's property window.
class PointNoteCommand : public NoteCommandBase
{
public:
    PointNoteCommand();
    ~PointNoteCommand() override;
    std::string Type() override { return "PointNoteCommand"; }
    std::string Name() override { return "PointNoteCommand"; }

protected:
    std::string startTip() const override;
    bool onEvent(const osgGA::GUIEventAdapter& ea, osgViewer::View* view) override;
    // The kind of note made; the marked note command makes an SNote.
    virtual osg::ref_ptr<Note> makeNote() const;
    void askText();
    void updatePreview();

    bool m_anchored = false;
    bool m_asking = false;
    bool m_dragged = false;
    osg::Vec3d m_anchor;
    osg::Vec3d m_label;
    // Lets a deferred text prompt learn that the command is gone.
    std::shared_ptr<bool> m_alive;
};

// The same, making a marked note (SNote) whose mark takes the process-wide mark look.
class SNoteCommand : public PointNoteCommand
{
public:
    std::string Type() override { return "SNoteCommand"; }
    std::string Name() override { return "SNoteCommand"; }

protected:
    osg::ref_ptr<Note> makeNote() const override;
};

// A markup drawn over the model: press on the model, drag, release. The outline lies on the plane that
// faces the view at the depth of the first picked point.
class MarkupNoteCommand : public NoteCommandBase
{
public:
    explicit MarkupNoteCommand(int shape);

    // The outline of a shape dragged from a to b on a plane with the given right and up directions.
    static std::vector<osg::Vec3d> outline(int shape, const osg::Vec3d& a, const osg::Vec3d& b,
                                           const osg::Vec3d& right, const osg::Vec3d& up);
    // Segments of the circle and ellipse outlines.
    static const int Segments = 48;
    // A markup spans at least this many pixels (both ways for a rectangle or an ellipse).
    static constexpr double MinimumPixels = 3.0;

protected:
    std::string startTip() const override;
    bool onEvent(const osgGA::GUIEventAdapter& ea, osgViewer::View* view) override;
    void updatePreview(osgViewer::View* view);

    int m_shape;
    bool m_drawing = false;
    // Pixels the drag spanned across and up the view, and the longest distance from the press.
    osg::Vec2d m_pressAt;
    osg::Vec2d m_span;
    double m_reach = 0.0;
    osg::Vec3d m_start;
    osg::Vec3d m_current;
    std::vector<osg::Vec3d> m_stroke;
};

class RectNoteCommand : public MarkupNoteCommand
{
public:
    RectNoteCommand() : MarkupNoteCommand(Note3D::Rect) {}
    std::string Type() override { return "RectNoteCommand"; }
    std::string Name() override { return "RectNoteCommand"; }
};

class CircleNoteCommand : public MarkupNoteCommand
{
public:
    CircleNoteCommand() : MarkupNoteCommand(Note3D::Circle) {}
    std::string Type() override { return "CircleNoteCommand"; }
    std::string Name() override { return "CircleNoteCommand"; }
};

class EllipseNoteCommand : public MarkupNoteCommand
{
public:
    EllipseNoteCommand() : MarkupNoteCommand(Note3D::Ellipse) {}
    std::string Type() override { return "EllipseNoteCommand"; }
    std::string Name() override { return "EllipseNoteCommand"; }
};

class BrushNoteCommand : public MarkupNoteCommand
{
public:
    BrushNoteCommand() : MarkupNoteCommand(Note3D::Brush) {}
    std::string Type() override { return "BrushNoteCommand"; }
    std::string Name() override { return "BrushNoteCommand"; }
};

} // namespace Vantor
