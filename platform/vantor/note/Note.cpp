#include "vantor/note/Note.h"

#include "vantor/annotation/Drawing.h"
#include "vantor/annotation/JsonUtil.h"
#include "vantor/util/LogHandler.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <osg/Geode>

namespace Vantor {

namespace {
osg::Vec4 s_fontColor(0x1E / 255.0f, 0x90 / 255.0f, 1.0f, 1.0f);
osg::Vec4 s_markColor(1.0f, 0.0f, 0.0f, 1.0f);

osg::Vec4 toVec4(const QColor& c)
{
    return osg::Vec4(float(c.redF()), float(c.greenF()), float(c.blueF()), 1.0f);
}
} // namespace

int Note::fontSize = 14;
int SNote::m_markSize = 1;

// ---- Note ----

Note::Note()
{
    redraw();
}

Note::Note(const Note& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
    , AnnotationInfo(other)
    , m_text(other.m_text)
    , m_anchor(other.m_anchor)
    , m_textPosition(other.m_textPosition)
{
}

Note::~Note() = default;

void Note::setFontColor(const QColor& color)
{
    if (color.isValid())
        s_fontColor = toVec4(color);
}

osg::Vec4 Note::getFontColor()
{
    return s_fontColor;
}

void Note::setText(const std::string& text)
{
    m_text = text;
    redraw();
}

void Note::setAnchor(const osg::Vec3d& p)
{
    m_anchor = p;
    redraw();
}

void Note::setTextPosition(const osg::Vec3d& p)
{
    m_textPosition = p;
    redraw();
}

void Note::drawLabel(osg::Geode* geode) const
{
    const float mark = float(SNote::m_markSize > 0 ? SNote::m_markSize : 1);
    Drawing::addPoints(geode, {m_anchor}, SNote::getMarkColor(), 4.0f + 2.0f * mark);
    if (m_textPosition != m_anchor)
        Drawing::addLines(geode, {m_anchor, m_textPosition}, GL_LINES, s_fontColor, mark);
    Drawing::addLabel(geode, m_textPosition, m_text, s_fontColor, float(fontSize));
}

void Note::redraw()
{
    removeChildren(0, getNumChildren());
    osg::ref_ptr<osg::Geode> geode = Drawing::makeOverlayGeode();
    drawLabel(geode.get());
    addChild(geode.get());
}

void Note::writeNote(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("Type", JsonUtil::string(typeName(), allocator), allocator);
    writeInfo(object, allocator);
    object.AddMember("Name", JsonUtil::string(getName(), allocator), allocator);
    object.AddMember("Visible", getNodeMask() != 0, allocator);
    object.AddMember("Text", JsonUtil::string(m_text, allocator), allocator);
    object.AddMember("Anchor", JsonUtil::vec3(m_anchor, allocator), allocator);
    object.AddMember("TextPosition", JsonUtil::vec3(m_textPosition, allocator), allocator);
}

void Note::readNote(const rapidjson::Value& object)
{
    readInfo(object);
    setName(JsonUtil::getString(object, "Name", getName()));
    setNodeMask(JsonUtil::getBool(object, "Visible", getNodeMask() != 0) ? 0xFFFFFFFFu : 0u);
    m_text = JsonUtil::getString(object, "Text", m_text);
    JsonUtil::getVec3(object, "Anchor", m_anchor);
    if (!JsonUtil::getVec3(object, "TextPosition", m_textPosition))
        m_textPosition = m_anchor;
}

rapidjson::Value Note::toJson(rapidjson::Document::AllocatorType& allocator) const
{
    rapidjson::Value object(rapidjson::kObjectType);
    writeNote(object, allocator);
    return object;
}

bool Note::fromJson(const rapidjson::Value& object)
{
    if (!object.IsObject())
        return false;
    readNote(object);
    redraw();
    return true;
}

bool Note::toDocument(const std::string& path) const
{
    rapidjson::Document doc(rapidjson::kObjectType);
    rapidjson::Value list(rapidjson::kArrayType);
    list.PushBack(toJson(doc.GetAllocator()), doc.GetAllocator());
    doc.AddMember("note_list", list, doc.GetAllocator());
    return JsonUtil::writeFile(path, doc);
}

osg::ref_ptr<Note> Note::create(const rapidjson::Value& object)
{
    if (!object.IsObject())
        return nullptr;
    const std::string type = JsonUtil::getString(object, "Type");
    osg::ref_ptr<Note> note;
    if (type == "PointNote")
        note = new PointNote;
    else if (type == "3DNote")
        note = new Note3D;
    else if (type == "SNote")
        note = new SNote;
    else {
        if (type != "Note")
            LogHandler::getInstance()->reportWarning(
                QString("Note of unknown type \"%1\" read as a plain note").arg(QString::fromStdString(type)));
        note = new Note;
    }
    note->fromJson(object);
    return note;
}

// ---- SNote ----

SNote::SNote()
{
    redraw();
}

SNote::SNote(const SNote& other, const osg::CopyOp& copyop)
    : Note(other, copyop)
{
}

SNote::~SNote() = default;

void SNote::setMarkColor(const QColor& color)
{
    if (color.isValid())
        s_markColor = toVec4(color);
}

osg::Vec4 SNote::getMarkColor()
{
    return s_markColor;
}

// ---- PointNote ----

PointNote::PointNote()
{
    redraw();
}

PointNote::PointNote(const PointNote& other, const osg::CopyOp& copyop)
    : Note(other, copyop)
{
}

PointNote::~PointNote() = default;

void PointNote::ViewProperties()
{
    showProperties(false);
}

void PointNote::EditProperties()
{
    showProperties(true);
}

void PointNote::showProperties(bool editable)
{
    QDialog dialog;
    dialog.setObjectName("PointNoteProperties");
    dialog.setWindowTitle(QString::fromLocal8Bit(getName().c_str()));
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new QPlainTextEdit(QString::fromLocal8Bit(m_text.c_str()), &dialog);
    edit->setObjectName("noteText");
    edit->setReadOnly(!editable);
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(
        editable ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel : QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() == QDialog::Accepted && editable)
        setText(edit->toPlainText().toLocal8Bit().toStdString());
}

// ---- Note3D ----

Note3D::Note3D()
{
    redraw();
}

Note3D::Note3D(const Note3D& other, const osg::CopyOp& copyop)
    : Note(other, copyop)
    , m_shape(other.m_shape)
    , m_points(other.m_points)
{
}

Note3D::~Note3D() = default;

void Note3D::setShape(int shape)
{
    m_shape = shape;
    redraw();
}

void Note3D::setPoints(const std::vector<osg::Vec3d>& points)
{
    m_points = points;
    redraw();
}

void Note3D::redraw()
{
    removeChildren(0, getNumChildren());
    osg::ref_ptr<osg::Geode> geode = Drawing::makeOverlayGeode();
    const float mark = float(SNote::m_markSize > 0 ? SNote::m_markSize : 1);
    Drawing::addLines(geode.get(), m_points, m_shape == Brush ? GL_LINE_STRIP : GL_LINE_LOOP, SNote::getMarkColor(),
                      mark + 1.0f);
    Drawing::addLabel(geode.get(), m_textPosition, m_text, getFontColor(), float(fontSize));
    addChild(geode.get());
}

rapidjson::Value Note3D::toJson(rapidjson::Document::AllocatorType& allocator) const
{
    rapidjson::Value object(rapidjson::kObjectType);
    writeNote(object, allocator);
    object.AddMember("Shape", m_shape, allocator);
    object.AddMember("Points", JsonUtil::points(m_points, allocator), allocator);
    return object;
}

bool Note3D::fromJson(const rapidjson::Value& object)
{
    if (!object.IsObject())
        return false;
    readNote(object);
    m_shape = JsonUtil::getInt(object, "Shape", m_shape);
    JsonUtil::getPoints(object, "Points", m_points);
    redraw();
    return true;
}

} // namespace Vantor
