#pragma once

#include "vantor/annotation/AnnotationInfo.h"

#include <QColor>
#include <osg/Group>
#include <osg/Vec3d>
#include <osg/Vec4>
#include <rapidjson/document.h>

#include <functional>
#include <string>
#include <vector>

namespace Vantor {

// A note: a text label standing at a point of the model, with a leader line to the point it refers to
// and a small mark there. Notes are children of the NoteManager; their node mask is their visibility
// (0 hidden, 0xFFFFFFFF shown). Texts and names are bytes in the local 8-bit encoding.
class Note : public osg::Group, public AnnotationInfo
{
public:
    Note();
    Note(const Note& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, Note)

    // Answers whether the note is a 3D note (drawn as a shape on the model) rather than a label note.
    virtual bool is3DNote() const { return false; }
    // The "Type" written to JSON.
    virtual std::string typeName() const { return "Note"; }

    const std::string& getText() const { return m_text; }
    void setText(const std::string& text);
    // The point the note refers to and the place of its label.
    osg::Vec3d getAnchor() const { return m_anchor; }
    void setAnchor(const osg::Vec3d& p);
    osg::Vec3d getTextPosition() const { return m_textPosition; }
    void setTextPosition(const osg::Vec3d& p);

    // This note's JSON object and its reading; reading takes what is present and well formed.
    virtual rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator) const;
    virtual bool fromJson(const rapidjson::Value& object);
    // Writes the note alone, as a note document that NoteManager::fromJson reads back.
    bool toDocument(const std::string& path) const;

    // A new note of the kind named by the object's "Type" ("Note", "SNote", "PointNote", "3DNote"),
    // read from the object; an unknown or missing type gives a plain note.
    static osg::ref_ptr<Note> create(const rapidjson::Value& object);

    // Process-wide label look, set by the settings; applies to notes drawn afterwards.
    static void setFontColor(const QColor& color);
    static osg::Vec4 getFontColor();
    static int fontSize;

    // Rebuilds the drawing from the current values.
    virtual void redraw();

    // This note's own look, taken from the process-wide values when the note is made, kept in its JSON.
    osg::Vec4 getTextColor() const { return m_textColor; }
    float getTextSize() const { return m_textSize; }
    osg::Vec4 getLineColor() const { return m_lineColor; }
    float getLineWidth() const { return m_lineWidth; }

protected:
    ~Note() override;
    void writeNote(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const;
    void readNote(const rapidjson::Value& object);
    // Adds the label, the leader and the mark to a fresh geode of the drawing.
    void drawLabel(class osg::Geode* geode) const;

    std::string m_text;
    osg::Vec3d m_anchor;
    osg::Vec3d m_textPosition;
    osg::Vec4 m_textColor;
    float m_textSize;
    osg::Vec4 m_lineColor;
    float m_lineWidth;
};

// A note whose mark look (colour and size) is set process-wide by the settings.
class SNote : public Note
{
public:
    SNote();
    SNote(const SNote& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    // Picking treats it as a plain note.
    const char* className() const override { return "Note"; }
    const char* libraryName() const override { return "Vantor"; }
    osg::Object* cloneType() const override { return new SNote(); }
    osg::Object* clone(const osg::CopyOp& copyop) const override { return new SNote(*this, copyop); }
    bool isSameKindAs(const osg::Object* obj) const override { return dynamic_cast<const SNote*>(obj) != nullptr; }
    std::string typeName() const override { return "SNote"; }

    static void setMarkColor(const QColor& color);
    static osg::Vec4 getMarkColor();
    // Mark size in pixels (point size of the mark, width of the leader).
    static int m_markSize;

protected:
    ~SNote() override;
};

// A note placed on a point of a face; it shows its own property window.
class PointNote : public Note
{
public:
    PointNote();
    PointNote(const PointNote& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, PointNote)
    std::string typeName() const override { return "PointNote"; }

    // The property window: read-only, or editable (OK takes the edited text).
    void ViewProperties();
    void EditProperties();

    // Asks for a note text: the editable property window, or the prompt set for tests and hosts.
    // False when the user cancelled.
    using TextPrompt = std::function<bool(std::string& text)>;
    static void setTextPrompt(TextPrompt prompt);
    static bool promptText(std::string& text, const std::string& title);

protected:
    ~PointNote() override;
    void showProperties(bool editable);
};

// A note drawn as a shape on the model: a rectangle, circle or ellipse outline, or a free brush stroke,
// given by its outline points.
class Note3D : public Note
{
public:
    enum Shape { Rect = 0, Circle = 1, Ellipse = 2, Brush = 3 };

    Note3D();
    Note3D(const Note3D& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    const char* className() const override { return "3DNote"; }
    const char* libraryName() const override { return "Vantor"; }
    osg::Object* cloneType() const override { return new Note3D(); }
    osg::Object* clone(const osg::CopyOp& copyop) const override { return new Note3D(*this, copyop); }
    bool isSameKindAs(const osg::Object* obj) const override { return dynamic_cast<const Note3D*>(obj) != nullptr; }

    bool is3DNote() const override { return true; }
    std::string typeName() const override { return "3DNote"; }

    int getShape() const { return m_shape; }
    void setShape(int shape);
    const std::vector<osg::Vec3d>& getPoints() const { return m_points; }
    void setPoints(const std::vector<osg::Vec3d>& points);

    rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator) const override;
    bool fromJson(const rapidjson::Value& object) override;
    void redraw() override;

protected:
    ~Note3D() override;

    int m_shape = Rect;
    std::vector<osg::Vec3d> m_points;
};

} // namespace Vantor
