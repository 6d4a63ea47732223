#include "vantor/measure/Measure.h"

#include "vantor/annotation/Drawing.h"
#include "vantor/annotation/JsonUtil.h"

#include <osg/Geode>

#include <cmath>

namespace Vantor {

int MeasureMethod::unitType = 0;
double MeasureMethod::exactvalue = 2.0;

namespace {
const osg::Vec4 kLineColor(1.0f, 0.85f, 0.0f, 1.0f);
const osg::Vec4 kTextColor(1.0f, 1.0f, 1.0f, 1.0f);
} // namespace

Measure::Measure()
{
    redraw();
}

Measure::Measure(const Measure& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
    , AnnotationInfo(other)
    , m_type(other.m_type)
    , m_title(other.m_title)
    , m_content(other.m_content)
    , m_value(other.m_value)
    , m_points(other.m_points)
    , m_closePanel(other.m_closePanel)
    , m_appendChar(other.m_appendChar)
{
}

Measure::~Measure() = default;

void Measure::SetTitle(const std::string& title)
{
    m_title = title;
    redraw();
}

void Measure::SetContent(const std::string& content)
{
    m_content = content;
    redraw();
}

void Measure::setPoints(const std::vector<osg::Vec3d>& points)
{
    m_points = points;
    redraw();
}

void Measure::redraw()
{
    removeChildren(0, getNumChildren());
    osg::ref_ptr<osg::Geode> geode = Drawing::makeOverlayGeode();
    Drawing::addPoints(geode.get(), m_points, kLineColor, 6.0f);
    Drawing::addLines(geode.get(), m_points, GL_LINE_STRIP, kLineColor, 2.0f);
    osg::Vec3d at;
    for (const auto& p : m_points)
        at += p;
    if (!m_points.empty())
        at /= double(m_points.size());
    std::string label = m_title;
    if (!m_content.empty())
        label += (label.empty() ? "" : ": ") + m_content;
    Drawing::addLabel(geode.get(), at, label, kTextColor, 14.0f);
    addChild(geode.get());
}

rapidjson::Value Measure::toJson(rapidjson::Document::AllocatorType& allocator) const
{
    rapidjson::Value object(rapidjson::kObjectType);
    object.AddMember("Kind", getMeasureType(), allocator);
    writeInfo(object, allocator);
    object.AddMember("Name", JsonUtil::string(getName(), allocator), allocator);
    object.AddMember("Visible", getNodeMask() != 0, allocator);
    object.AddMember("Title", JsonUtil::string(m_title, allocator), allocator);
    object.AddMember("Content", JsonUtil::string(m_content, allocator), allocator);
    object.AddMember("Value", rapidjson::Value(std::isfinite(m_value) ? m_value : 0.0), allocator);
    object.AddMember("Points", JsonUtil::points(m_points, allocator), allocator);
    return object;
}

bool Measure::fromJson(const rapidjson::Value& object)
{
    if (!object.IsObject())
        return false;
    readInfo(object);
    m_type = JsonUtil::getInt(object, "Kind", m_type);
    setName(JsonUtil::getString(object, "Name", getName()));
    setNodeMask(JsonUtil::getBool(object, "Visible", getNodeMask() != 0) ? 0xFFFFFFFFu : 0u);
    m_title = JsonUtil::getString(object, "Title", m_title);
    m_content = JsonUtil::getString(object, "Content", m_content);
    m_value = JsonUtil::getDouble(object, "Value", m_value);
    JsonUtil::getPoints(object, "Points", m_points);
    redraw();
    return true;
}

osg::ref_ptr<Measure> Measure::create(const rapidjson::Value& object)
{
    if (!object.IsObject())
        return nullptr;
    osg::ref_ptr<Measure> measure;
    switch (JsonUtil::getInt(object, "Kind", Generic)) {
    case SurfaceArea: measure = new SurfaceAreaMeasure; break;
    case Volume: measure = new VolumeMeasure; break;
    default: measure = new Measure; break;
    }
    measure->fromJson(object);
    return measure;
}

SurfaceAreaMeasure::SurfaceAreaMeasure()
{
    m_type = SurfaceArea;
}

SurfaceAreaMeasure::SurfaceAreaMeasure(const SurfaceAreaMeasure& other, const osg::CopyOp& copyop)
    : Measure(other, copyop)
{
}

SurfaceAreaMeasure::~SurfaceAreaMeasure() = default;

VolumeMeasure::VolumeMeasure()
{
    m_type = Volume;
}

VolumeMeasure::VolumeMeasure(const VolumeMeasure& other, const osg::CopyOp& copyop)
    : Measure(other, copyop)
{
}

VolumeMeasure::~VolumeMeasure() = default;

} // namespace Vantor
