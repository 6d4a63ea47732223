#include "vantor/collision/CollisionInfoDecorator.h"

#include "vantor/math/NodeMatrix.h"

#include <osg/BlendFunc>
#include <osg/Depth>
#include <osg/Geometry>
#include <osg/MatrixTransform>
#include <osg/Point>
#include <osg/PolygonOffset>
#include <osg/Program>
#include <osg/Shader>
#include <osgUtil/IntersectionVisitor>

#include <algorithm>

namespace Vantor {

namespace {

const char* const kColourUniform = "nerio_collisionColor";

// Vertex colours and materials of the parts would win over a plain material, so the highlight draws
// through a program that takes its colour from a uniform; gl_ClipVertex keeps sections cutting it.
const char* const kVertexShader = R"(#version 120
uniform vec4 nerio_collisionColor;
varying vec4 colour;
void main()
{
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    gl_ClipVertex = eye;
    gl_Position = ftransform();
    gl_PointSize = 10.0;
    vec3 n = gl_NormalMatrix * gl_Normal;
    float shade = 1.0;
    if (dot(n, n) > 0.0)
        shade = 0.55 + 0.45 * abs(normalize(n).z);
    colour = vec4(nerio_collisionColor.rgb * shade, nerio_collisionColor.a);
}
)";

const char* const kFragmentShader = R"(#version 120
varying vec4 colour;
void main()
{
    gl_FragColor = colour;
}
)";

osg::Vec4f toFloat(const osg::Vec4d& c)
{
    return osg::Vec4f(float(c.r()), float(c.g()), float(c.b()), float(c.a()));
}

// One part drawn again: the part's own children seen through its world placement. The part keeps
// its parents; only drawing passes through here.
class PartHighlight : public osg::MatrixTransform
{
public:
    explicit PartHighlight(osg::Node* part) : m_part(part) { setCullingActive(false); }

    osg::ref_ptr<osg::Node> part() const
    {
        osg::ref_ptr<osg::Node> node;
        m_part.lock(node);
        return node;
    }

    void traverse(osg::NodeVisitor& nv) override
    {
        if (nv.getVisitorType() != osg::NodeVisitor::CULL_VISITOR)
            return;
        osg::ref_ptr<osg::Node> node = part();
        if (!node || node->getNodeMask() == 0)
            return;
        if (osg::Group* group = node->asGroup()) {
            for (unsigned int i = 0; i < group->getNumChildren(); ++i)
                group->getChild(i)->accept(nv);
        } else {
            node->accept(nv);
        }
    }

private:
    osg::observer_ptr<osg::Node> m_part;
};

} // namespace

CollisionInfoDecorator::CollisionInfoDecorator()
    : m_pairColour(0x63 / 255.0, 0xB8 / 255.0, 0xFF / 255.0, 1.0)
    , m_pointColour(0xEE / 255.0, 0xEE / 255.0, 0.0, 1.0)
{
    setName("CollisionInfoDecorator");
    setCullingActive(false);
    buildStates();
}

CollisionInfoDecorator::CollisionInfoDecorator(const CollisionInfoDecorator& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop), m_pairColour(other.m_pairColour), m_pointColour(other.m_pointColour)
{
    buildStates();
}

CollisionInfoDecorator::~CollisionInfoDecorator() = default;

void CollisionInfoDecorator::buildStates()
{
    osg::ref_ptr<osg::Program> program = new osg::Program;
    program->setName("CollisionHighlight");
    program->addShader(new osg::Shader(osg::Shader::VERTEX, kVertexShader));
    program->addShader(new osg::Shader(osg::Shader::FRAGMENT, kFragmentShader));
    const auto on = osg::StateAttribute::ON | osg::StateAttribute::OVERRIDE | osg::StateAttribute::PROTECTED;

    m_pairUniform = new osg::Uniform(kColourUniform, toFloat(m_pairColour));
    m_pairState = new osg::StateSet;
    m_pairState->setAttributeAndModes(program.get(), on);
    m_pairState->addUniform(m_pairUniform.get(), on);
    // Over the model's own drawing of the same surfaces.
    m_pairState->setAttributeAndModes(new osg::PolygonOffset(-1.0f, -4.0f), on);
    m_pairState->setAttributeAndModes(new osg::Depth(osg::Depth::LEQUAL), on);
    m_pairState->setRenderBinDetails(20, "RenderBin");

    m_pointUniform = new osg::Uniform(kColourUniform, toFloat(m_pointColour));
    m_pointState = new osg::StateSet;
    m_pointState->setAttributeAndModes(program.get(), on);
    m_pointState->addUniform(m_pointUniform.get(), on);
    m_pointState->setMode(GL_VERTEX_PROGRAM_POINT_SIZE, on);
    m_pointState->setAttributeAndModes(new osg::Point(10.0f), on);
    // Seen through the parts.
    m_pointState->setMode(GL_DEPTH_TEST, osg::StateAttribute::OFF | osg::StateAttribute::OVERRIDE | osg::StateAttribute::PROTECTED);
    m_pointState->setRenderBinDetails(21, "RenderBin");
}

void CollisionInfoDecorator::Decorator(CollisionInfo& info, osg::ref_ptr<osg::Node> root, bool keepShown)
{
    if (!keepShown)
        Clear();
    for (const osg::ref_ptr<osg::Node>& node : {info.node1, info.node2}) {
        if (!node)
            continue;
        osg::ref_ptr<PartHighlight> highlight = new PartHighlight(node.get());
        // The part drawn whole, its own transform included, along the path through root when there is one.
        highlight->setMatrix(worldMatrixOf(node.get(), root.get()));
        highlight->setStateSet(m_pairState.get());
        addChild(highlight.get());
    }
    if (info.contacts.empty())
        return;
    osg::ref_ptr<osg::Vec3Array> positions = new osg::Vec3Array;
    for (const CollisionPoint& point : info.contacts)
        positions->push_back(point.position);
    osg::ref_ptr<osg::Geometry> points = new osg::Geometry;
    points->setName("CollisionPoints");
    points->setVertexArray(positions.get());
    points->addPrimitiveSet(new osg::DrawArrays(GL_POINTS, 0, static_cast<GLsizei>(positions->size())));
    points->setStateSet(m_pointState.get());
    points->setCullingActive(false);
    addChild(points.get());
}

void CollisionInfoDecorator::Clear()
{
    removeChildren(0, getNumChildren());
}

void CollisionInfoDecorator::SettCollisionpairColor(const osg::Vec4d& colour)
{
    m_pairColour = colour;
    m_pairUniform->set(toFloat(colour));
}

void CollisionInfoDecorator::SettContactPointColor(const osg::Vec4d& colour)
{
    m_pointColour = colour;
    m_pointUniform->set(toFloat(colour));
}

std::vector<osg::ref_ptr<osg::Node>> CollisionInfoDecorator::shownNodes() const
{
    std::vector<osg::ref_ptr<osg::Node>> nodes;
    for (unsigned int i = 0; i < getNumChildren(); ++i)
        if (auto* highlight = dynamic_cast<const PartHighlight*>(getChild(i)))
            if (osg::ref_ptr<osg::Node> node = highlight->part())
                nodes.push_back(node);
    return nodes;
}

std::vector<osg::Vec3f> CollisionInfoDecorator::shownPoints() const
{
    std::vector<osg::Vec3f> points;
    for (unsigned int i = 0; i < getNumChildren(); ++i)
        if (const osg::Geometry* geometry = getChild(i)->asGeometry())
            if (auto* positions = dynamic_cast<const osg::Vec3Array*>(geometry->getVertexArray()))
                points.insert(points.end(), positions->begin(), positions->end());
    return points;
}

void CollisionInfoDecorator::traverse(osg::NodeVisitor& nv)
{
    // Picking must reach the model, never its highlight.
    if (nv.getVisitorType() == osg::NodeVisitor::INTERSECTION_VISITOR || dynamic_cast<osgUtil::IntersectionVisitor*>(&nv))
        return;
    osg::Group::traverse(nv);
}

} // namespace Vantor
