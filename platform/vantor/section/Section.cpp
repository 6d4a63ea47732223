#include "vantor/section/Section.h"

#include "vantor/annotation/JsonUtil.h"
#include "vantor/section/SectionManager.h"

#include <osg/BlendFunc>
#include <osg/Geode>
#include <osg/Geometry>
#include <osg/LineWidth>
#include <osg/Material>
#include <osg/NodeCallback>
#include <osg/NodeVisitor>

#include <algorithm>
#include <cmath>

namespace Vantor {

namespace {
osg::Vec4 s_color(0x1E / 255.0f, 0x90 / 255.0f, 1.0f, 1.0f);
float s_transparent = 0.2f;

float clampTransparent(float t)
{
    return std::isfinite(t) ? std::min(1.0f, std::max(0.0f, t)) : 0.0f;
}

// Draws the outline only when the section wants it and its manager's show flag is on.
class OutlineCullCallback : public osg::NodeCallback
{
public:
    explicit OutlineCullCallback(Section* section)
        : m_section(section)
    {
    }
    void operator()(osg::Node* node, osg::NodeVisitor* nv) override
    {
        osg::ref_ptr<Section> section;
        if (!m_section.lock(section) || !section->getShowPlane())
            return;
        for (unsigned int i = 0; i < section->getNumParents(); ++i) {
            auto* manager = dynamic_cast<SectionManager*>(section->getParent(i));
            if (manager && !manager->showSection)
                return;
        }
        traverse(node, nv);
    }

private:
    osg::observer_ptr<Section> m_section;
};
} // namespace

Section::Section()
    : m_plane(0.0, 0.0, 1.0, 0.0)
    , m_clipNode(new osg::ClipNode)
    , m_clipPlane(new osg::ClipPlane(0, m_plane))
    , m_outline(new osg::MatrixTransform)
    , m_capping(new SectionCapping)
    , m_planeColor(s_color)
    , m_planeTransparent(s_transparent)
{
    // The clip node only places the plane; the models of the scene enable it (see SectionManager).
    m_clipNode->addClipPlane(m_clipPlane.get());
    m_clipNode->setCullingActive(false);
    addChild(m_clipNode.get());

    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    osg::ref_ptr<osg::Vec3Array> corners = new osg::Vec3Array;
    corners->push_back(osg::Vec3(-0.5f, -0.5f, 0.0f));
    corners->push_back(osg::Vec3(0.5f, -0.5f, 0.0f));
    corners->push_back(osg::Vec3(0.5f, 0.5f, 0.0f));
    corners->push_back(osg::Vec3(-0.5f, 0.5f, 0.0f));
    osg::ref_ptr<osg::Geometry> fill = new osg::Geometry;
    fill->setVertexArray(corners.get());
    fill->setColorArray(new osg::Vec4Array(1), osg::Array::BIND_OVERALL);
    fill->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, 4));
    osg::ref_ptr<osg::Geometry> border = new osg::Geometry;
    border->setVertexArray(corners.get());
    border->setColorArray(new osg::Vec4Array(1), osg::Array::BIND_OVERALL);
    border->addPrimitiveSet(new osg::DrawArrays(GL_LINE_LOOP, 0, 4));
    border->getOrCreateStateSet()->setAttributeAndModes(new osg::LineWidth(2.0f));
    geode->addDrawable(fill.get());
    geode->addDrawable(border.get());
    osg::StateSet* ss = geode->getOrCreateStateSet();
    ss->setMode(GL_LIGHTING, osg::StateAttribute::OFF | osg::StateAttribute::PROTECTED);
    ss->setMode(GL_CULL_FACE, osg::StateAttribute::OFF);
    ss->setMode(GL_BLEND, osg::StateAttribute::ON);
    ss->setAttributeAndModes(new osg::BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA));
    ss->setRenderingHint(osg::StateSet::TRANSPARENT_BIN);
    m_outline->addChild(geode.get());
    m_outline->setCullCallback(new OutlineCullCallback(this));
    addChild(m_outline.get());
    m_capping->setName("SectionCapping");
    addChild(m_capping.get());

    setNodeMask(0u);
    updateOutline();
    updateOutlineLook();
}

Section::Section(const Section& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
    , AnnotationInfo(other)
    , m_plane(other.m_plane)
    , m_clipNode(other.m_clipNode)
    , m_clipPlane(other.m_clipPlane)
    , m_outline(other.m_outline)
    , m_capping(other.m_capping)
    , m_opened(other.m_opened)
    , m_showPlane(other.m_showPlane)
    , m_planeColor(other.m_planeColor)
    , m_planeTransparent(other.m_planeTransparent)
    , m_outlineCenter(other.m_outlineCenter)
    , m_outlineSize(other.m_outlineSize)
{
}

Section::~Section() = default;

void Section::setColor(const osg::Vec4& color)
{
    s_color = color;
}

osg::Vec4 Section::getColor()
{
    return s_color;
}

void Section::setTransparent(float transparent)
{
    s_transparent = clampTransparent(transparent);
}

float Section::getTransparent()
{
    return s_transparent;
}

void Section::setPlane(const osg::Plane& plane)
{
    if (!plane.valid() || plane.getNormal().length2() == 0.0)
        return;
    m_plane = plane;
    m_plane.makeUnitLength();
    m_clipPlane->setClipPlane(m_plane);
    updateOutline();
}

void Section::setPlaneColor(const osg::Vec4& color)
{
    m_planeColor = color;
    updateOutlineLook();
}

void Section::setPlaneTransparent(float transparent)
{
    m_planeTransparent = clampTransparent(transparent);
    updateOutlineLook();
}

void Section::setOpenedState(bool opened, unsigned int clipNumber)
{
    m_opened = opened;
    if (opened)
        m_clipPlane->setClipPlaneNum(clipNumber);
    setNodeMask(opened ? 0xFFFFFFFFu : 0u);
}

void Section::setOutlineExtent(const osg::Vec3d& center, double size)
{
    if (!std::isfinite(size) || size <= 0.0 || !center.valid())
        return;
    m_outlineCenter = center;
    m_outlineSize = size;
    updateOutline();
}

void Section::updateOutline()
{
    osg::Vec3d normal = m_plane.getNormal();
    const osg::Vec3d onPlane = m_outlineCenter - normal * m_plane.distance(m_outlineCenter);
    osg::Matrixd m = osg::Matrixd::scale(m_outlineSize, m_outlineSize, m_outlineSize) *
                     osg::Matrixd::rotate(osg::Vec3d(0.0, 0.0, 1.0), normal) * osg::Matrixd::translate(onPlane);
    m_outline->setMatrix(m);
    m_capping->setCapMatrix(m);
}

void Section::reverse()
{
    setPlane(osg::Plane(-m_plane.asVec4()));
}

void Section::updateOutlineLook()
{
    m_capping->setCapColor(m_planeColor);
    osg::Geode* geode = m_outline->getNumChildren() ? m_outline->getChild(0)->asGeode() : nullptr;
    if (!geode || geode->getNumDrawables() < 2)
        return;
    osg::Vec4 fill = m_planeColor;
    fill.a() = 1.0f - m_planeTransparent;
    osg::Vec4 border = m_planeColor;
    border.a() = 1.0f;
    auto setColor = [](osg::Drawable* d, const osg::Vec4& c) {
        auto* g = d->asGeometry();
        auto* colors = g ? dynamic_cast<osg::Vec4Array*>(g->getColorArray()) : nullptr;
        if (!colors || colors->empty())
            return;
        (*colors)[0] = c;
        colors->dirty();
    };
    setColor(geode->getDrawable(0), fill);
    setColor(geode->getDrawable(1), border);
}

rapidjson::Value Section::toJson(rapidjson::Document::AllocatorType& allocator) const
{
    rapidjson::Value object(rapidjson::kObjectType);
    writeInfo(object, allocator);
    object.AddMember("Name", JsonUtil::string(getName(), allocator), allocator);
    object.AddMember("Opened", m_opened, allocator);
    object.AddMember("Plane", JsonUtil::vec4d(m_plane.asVec4(), allocator), allocator);
    object.AddMember("ShowPlane", m_showPlane, allocator);
    object.AddMember("PlaneColor", JsonUtil::vec4(m_planeColor, allocator), allocator);
    object.AddMember("PlaneTransparent", double(m_planeTransparent), allocator);
    return object;
}

bool Section::fromJson(const rapidjson::Value& object)
{
    if (!object.IsObject())
        return false;
    readInfo(object);
    setName(JsonUtil::getString(object, "Name", getName()));
    osg::Vec4d plane;
    if (JsonUtil::getVec4d(object, "Plane", plane))
        setPlane(osg::Plane(plane.x(), plane.y(), plane.z(), plane.w()));
    m_showPlane = JsonUtil::getBool(object, "ShowPlane", m_showPlane);
    JsonUtil::getVec4(object, "PlaneColor", m_planeColor);
    m_planeTransparent = clampTransparent(float(JsonUtil::getDouble(object, "PlaneTransparent", m_planeTransparent)));
    // The manager opens it when it takes the section in, so that clip-plane numbers stay unique.
    m_opened = JsonUtil::getBool(object, "Opened", m_opened);
    updateOutlineLook();
    return true;
}

} // namespace Vantor
