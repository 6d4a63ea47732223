#include "vantor/section/SectionCapping.h"

#include "vantor/math/SurfaceTopology.h"

#include <osg/ColorMask>
#include <osg/Depth>
#include <osg/Geometry>
#include <osg/Stencil>
#include <osgUtil/CullVisitor>


namespace Vantor {

namespace {

// Pass order after the opaque model: bodies into the stencil, then the cap.
const int StencilBin = 5;
const int CapBin = 6;
const float CapShade = 0.6f;

} // namespace

SectionCapping::SectionCapping()
    : m_stencilState(new osg::StateSet)
    , m_cap(new osg::MatrixTransform)
    , m_capQuad(new osg::Geometry)
{
    setCullingActive(false);

    // Bodies: no colour, no depth, every fragment flips the stencil; back faces count as well.
    osg::ref_ptr<osg::Stencil> flip = new osg::Stencil;
    flip->setFunction(osg::Stencil::ALWAYS, 0, ~0u);
    flip->setOperation(osg::Stencil::KEEP, osg::Stencil::INVERT, osg::Stencil::INVERT);
    m_stencilState->setAttributeAndModes(flip.get(), osg::StateAttribute::ON | osg::StateAttribute::OVERRIDE);
    m_stencilState->setAttribute(new osg::ColorMask(false, false, false, false), osg::StateAttribute::OVERRIDE);
    m_stencilState->setMode(GL_DEPTH_TEST, osg::StateAttribute::OFF | osg::StateAttribute::OVERRIDE);
    m_stencilState->setAttribute(new osg::Depth(osg::Depth::ALWAYS, 0.0, 1.0, false), osg::StateAttribute::OVERRIDE);
    m_stencilState->setMode(GL_CULL_FACE, osg::StateAttribute::OFF | osg::StateAttribute::OVERRIDE);
    m_stencilState->setMode(GL_LIGHTING, osg::StateAttribute::OFF | osg::StateAttribute::OVERRIDE);
    m_stencilState->setRenderBinDetails(StencilBin, "RenderBin");

    osg::ref_ptr<osg::Vec3Array> corners = new osg::Vec3Array;
    corners->push_back(osg::Vec3(-0.5f, -0.5f, 0.0f));
    corners->push_back(osg::Vec3(0.5f, -0.5f, 0.0f));
    corners->push_back(osg::Vec3(0.5f, 0.5f, 0.0f));
    corners->push_back(osg::Vec3(-0.5f, 0.5f, 0.0f));
    m_capQuad->setVertexArray(corners.get());
    osg::ref_ptr<osg::Vec4Array> colors = new osg::Vec4Array(1);
    (*colors)[0] = osg::Vec4(0.5f, 0.5f, 0.5f, 1.0f);
    m_capQuad->setColorArray(colors.get(), osg::Array::BIND_OVERALL);
    m_capQuad->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, 4));
    m_capQuad->setCullingActive(false);
    osg::ref_ptr<osg::Geode> capGeode = new osg::Geode;
    capGeode->addDrawable(m_capQuad.get());
    capGeode->setCullingActive(false);
    m_cap->addChild(capGeode.get());
    m_cap->setCullingActive(false);

    // The cap: where the stencil is set, drawn in depth with the scene; it clears the bit it used.
    osg::StateSet* cap = m_cap->getOrCreateStateSet();
    osg::ref_ptr<osg::Stencil> test = new osg::Stencil;
    test->setFunction(osg::Stencil::NOTEQUAL, 0, ~0u);
    test->setOperation(osg::Stencil::KEEP, osg::Stencil::ZERO, osg::Stencil::ZERO);
    cap->setAttributeAndModes(test.get(), osg::StateAttribute::ON);
    cap->setMode(GL_LIGHTING, osg::StateAttribute::OFF | osg::StateAttribute::PROTECTED);
    cap->setMode(GL_CULL_FACE, osg::StateAttribute::OFF);
    cap->setMode(GL_BLEND, osg::StateAttribute::OFF);
    cap->setMode(GL_DEPTH_TEST, osg::StateAttribute::ON);
    cap->setRenderBinDetails(CapBin, "RenderBin");
}

SectionCapping::SectionCapping(const SectionCapping& other, const osg::CopyOp& copyop)
    : osg::Node(other, copyop)
    , m_bodies(other.m_bodies)
    , m_stencilState(other.m_stencilState)
    , m_cap(other.m_cap)
    , m_capQuad(other.m_capQuad)
{
}

SectionCapping::~SectionCapping() = default;

void SectionCapping::setBodies(const std::vector<osg::ref_ptr<osg::Geode>>& bodies)
{
    m_bodies.assign(bodies.begin(), bodies.end());
}

void SectionCapping::setClipPlanes(const std::vector<unsigned int>& open, int own)
{
    osg::StateSet* cap = m_cap->getOrCreateStateSet();
    for (unsigned int n = 0; n < 6; ++n) {
        m_stencilState->removeMode(GL_CLIP_PLANE0 + n);
        cap->removeMode(GL_CLIP_PLANE0 + n);
    }
    for (unsigned int n : open) {
        m_stencilState->setMode(GL_CLIP_PLANE0 + n, osg::StateAttribute::ON | osg::StateAttribute::OVERRIDE);
        if (int(n) != own)
            cap->setMode(GL_CLIP_PLANE0 + n, osg::StateAttribute::ON);
    }
}

void SectionCapping::setCapMatrix(const osg::Matrixd& matrix)
{
    m_cap->setMatrix(matrix);
}

void SectionCapping::setCapColor(const osg::Vec4& color)
{
    auto* colors = dynamic_cast<osg::Vec4Array*>(m_capQuad->getColorArray());
    if (!colors || colors->empty())
        return;
    // Darker than the plane, so the cut stands out under the translucent plane.
    (*colors)[0] = osg::Vec4(color.r() * CapShade, color.g() * CapShade, color.b() * CapShade, 1.0f);
    colors->dirty();
}

osg::Vec4 SectionCapping::getCapColor() const
{
    auto* colors = dynamic_cast<const osg::Vec4Array*>(m_capQuad->getColorArray());
    return colors && !colors->empty() ? (*colors)[0] : osg::Vec4();
}

void SectionCapping::traverse(osg::NodeVisitor& nv)
{
    auto* cv = dynamic_cast<osgUtil::CullVisitor*>(&nv);
    if (!cv || m_bodies.empty())
        return;
    const osg::Matrixd here = osg::computeLocalToWorld(nv.getNodePath());
    osg::Matrixd fromWorld;
    if (!fromWorld.invert(here))
        return;
    const osg::Matrixd modelView = *cv->getModelViewMatrix();
    bool any = false;
    cv->pushStateSet(m_stencilState.get());
    for (const auto& weak : m_bodies) {
        osg::ref_ptr<osg::Geode> body;
        if (!weak.lock(body))
            continue;
        const osg::NodePathList paths = body->getParentalNodePaths();
        if (paths.empty())
            continue;
        // A hidden part (or one under a hidden parent) is not drawn, so it gets no cap either.
        bool shown = true;
        for (osg::Node* node : paths.front())
            shown = shown && (node->getNodeMask() & cv->getTraversalMask()) != 0;
        if (!shown)
            continue;
        osg::ref_ptr<osg::RefMatrix> matrix =
            new osg::RefMatrix(osg::computeLocalToWorld(paths.front()) * fromWorld * modelView);
        for (unsigned int i = 0; i < body->getNumDrawables(); ++i) {
            osg::Drawable* drawable = body->getDrawable(i);
            if (!drawable || !drawable->asGeometry())
                continue;
            cv->addDrawableAndDepth(drawable, matrix.get(), 0.0f);
            any = true;
        }
    }
    cv->popStateSet();
    if (any)
        m_cap->accept(nv);
}

bool SectionCapping::isClosed(const osg::Geode* geode)
{
    return geode && SurfaceTopology::ofBody(*geode).closed();
}

} // namespace Vantor
