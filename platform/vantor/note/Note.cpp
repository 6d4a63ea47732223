#include "vantor/note/Note.h"

#include "vantor/annotation/Drawing.h"
#include "vantor/annotation/JsonUtil.h"
#include "vantor/util/LogHandler.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <osg/Geode>

#include <cmath>

namespace Vantor {

namespace {
osg::Vec4 s_fontColor(0x1E / 255.0f, 0x90 / 255.0f, 1.0f, 1.0f);
osg::Vec4 s_markColor(1.0f, 0.0f, 0.0f, 1.0f);
PointNote::TextPrompt s_textPrompt;

float markWidth()
{
    return float(SNote::m_markSize > 0 ? SNote::m_markSize : 1);
}

// A stored size is taken only when it is a sane pixel size.
float readSize(const rapidjson::Value& object, const char* key, float fallback)
{
    const double v = JsonUtil::getDouble(object, key, fallback);
    return std::isfinite(v) && v > 0.0 && v <= 1000.0 ? float(v) : fallback;
}

osg::Vec4 toVec4(const QColor& c)
{
    return osg::Vec4(float(c.redF()), float(c.greenF()), float(c.blueF()), 1.0f);
}
} // namespace

int Note::fontSize = 14;
int SNote::m_markSize = 1;

// ---- Note ----

Note::Note()
    : m_textColor(s_fontColor)
    , m_textSize(float(fontSize > 0 ? fontSize : 14))
    , m_lineColor(s_markColor)
    , m_lineWidth(markWidth())
{
    redraw();
}

Note::Note(const Note& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
    , AnnotationInfo(other)
    , m_text(other.m_text)
    , m_anchor(other.m_anchor)
    , m_textPosition(other.m_textPosition)
    , m_textColor(other.m_textColor)
    , m_textSize(other.m_textSize)
    , m_lineColor(other.m_lineColor)
    , m_lineWidth(other.m_lineWidth)
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
    Drawing::addPoints(geode, {m_anchor}, m_lineColor, 4.0f + 2.0f * m_lineWidth);
    if (m_textPosition != m_anchor)
        Drawing::addLines(geode, {m_anchor, m_textPosition}, GL_LINES, m_textColor, m_lineWidth);
    Drawing::addLabel(geode, m_textPosition, m_text, m_textColor, m_textSize);
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
    object.AddMember("TextColor", JsonUtil::vec4(m_textColor, allocator), allocator);
    object.AddMember("TextSize", double(m_textSize), allocator);
    object.AddMember("LineColor", JsonUtil::vec4(m_lineColor, allocator), allocator);
    object.AddMember("LineWidth", double(m_lineWidth), allocator);
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
    JsonUtil::getVec4(object, "TextColor", m_textColor);
    m_textSize = readSize(object, "TextSize", m_textSize);
    JsonUtil::getVec4(object, "LineColor", m_lineColor);
    m_lineWidth = readSize(object, "LineWidth", m_lineWidth);
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
    const std::string type = JsonUtil::getString(object, "Type", "Note");
    osg::ref_ptr<Note> note;
    if (type == "PointNote")
        note = new PointNote;
    else if (type == "3DNote")
        note = new Note3D;
    else if (type == "SNote")
        note = new SNote;
    else if (type == "Note")
        note = new Note;
    else {
        // A kind this program does not know cannot be drawn or written back as it was.
        LogHandler::getInstance()->reportWarning(
            QString("Note of unknown type \"%1\" skipped").arg(QString::fromStdString(type)));
        return nullptr;
    }
    if (!note->fromJson(object))
        return nullptr;
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

void PointNote::setTextPrompt(TextPrompt prompt)
{
    s_textPrompt = std::move(prompt);
}

bool PointNote::promptText(std::string& text, const std::string& title)
{
    if (s_textPrompt)
        return s_textPrompt(text);
    if (!QCoreApplication::instance())
        return false;
    QDialog dialog;
    dialog.setObjectName("PointNoteProperties");
    dialog.setWindowTitle(QString::fromLocal8Bit(title.c_str()));
    dialog.setAccessibleName(QStringLiteral("Note text"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new QPlainTextEdit(QString::fromLocal8Bit(text.c_str()), &dialog);
    edit->setObjectName("noteText");
    edit->setAccessibleName(QStringLiteral("Note text"));
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->setAccessibleName(QStringLiteral("Note text buttons"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    edit->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    text = edit->toPlainText().toLocal8Bit().toStdString();
    return true;
}

void PointNote::showProperties(bool editable)
{
    if (editable) {
        std::string text = m_text;
        if (promptText(text, getName()))
            setText(text);
        return;
    }
    QDialog dialog;
    dialog.setObjectName("PointNoteProperties");
    dialog.setWindowTitle(QString::fromLocal8Bit(getName().c_str()));
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new QPlainTextEdit(QString::fromLocal8Bit(m_text.c_str()), &dialog);
    edit->setObjectName("noteText");
    edit->setAccessibleName(QStringLiteral("Note text"));
    edit->setReadOnly(true);
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    buttons->setAccessibleName(QStringLiteral("Note buttons"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
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
    Drawing::addLines(geode.get(), m_points, m_shape == Brush ? GL_LINE_STRIP : GL_LINE_LOOP, m_lineColor,
                      m_lineWidth + 1.0f);
    if (!m_text.empty())
        Drawing::addLabel(geode.get(), m_textPosition, m_text, m_textColor, m_textSize);
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
    const int shape = JsonUtil::getInt(object, "Shape", -1);
    std::vector<osg::Vec3d> points;
    // A shape without its outline, or of a kind unknown here, has nothing to draw.
    if (shape < Rect || shape > Brush || !JsonUtil::getPoints(object, "Points", points) || points.size() < 2) {
        LogHandler::getInstance()->reportWarning(QStringLiteral("3D note without a known shape or its points skipped"));
        return false;
    }
    readNote(object);
    m_shape = shape;
    m_points.swap(points);
    redraw();
    return true;
}

} // namespace Vantor
