#include "vantor/effect/EffectManager.h"

#include "vantor/math/MeshPrimitives.h"
#include "vantor/math/SurfaceTopology.h"

#include <osg/BlendColor>
#include <osg/BlendFunc>
#include <osg/ColorMask>
#include <osg/ComputeBoundsVisitor>
#include <osg/CullFace>
#include <osg/Depth>
#include <osg/Geometry>
#include <osg/Point>
#include <osg/PolygonMode>
#include <osg/PolygonOffset>
#include <osgUtil/CullVisitor>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <unordered_map>

namespace Vantor {

const char* const EffectManager::CreaseEdgesName = "EffectCreaseEdges";

namespace {

enum class Kind { Other, Face, Edge };

Kind kindOf(const osg::Drawable& drawable)
{
    const osg::Geometry* g = drawable.asGeometry();
    if (!g)
        return Kind::Other;
    if (isFaceGeometry(*g))
        return Kind::Face;
    for (unsigned int i = 0; i < g->getNumPrimitiveSets(); ++i) {
        const GLenum mode = g->getPrimitiveSet(i)->getMode();
        if (mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP)
            return Kind::Edge;
    }
    return Kind::Other;
}

class KindCullCallback : public osg::DrawableCullCallback
{
public:
    KindCullCallback(EffectManager::Switches* switches, bool edge) : m_switches(switches), m_edge(edge) {}
    using osg::DrawableCullCallback::cull;
    bool cull(osg::NodeVisitor*, osg::Drawable*, osg::RenderInfo*) const override
    {
        return m_edge ? !m_switches->edges : !m_switches->faces;
    }

private:
    osg::ref_ptr<EffectManager::Switches> m_switches;
    bool m_edge;
};

struct SurfaceScan
{
    osg::ref_ptr<osg::Geometry> creases;
    EffectManager::SurfaceFacing facing = EffectManager::SurfaceFacing::Open;
};

// Reads a body's surface once for two things: whether it closes around its volume and which way its
// triangles wind (`SurfaceTopology`), and lines where its faces meet at a crease, along open borders
// and where more than two triangles share an edge (only when wanted: a body read with edges keeps its
// own). When the faces share one vertex array (as the reader builds a body), the lines index into it
// instead of copying points: a large model carries them at a third of the memory.
SurfaceScan scanSurface(const osg::Geode& geode, double angleDegrees, bool wantCreases)
{
    SurfaceScan result;
    const SurfaceTopology surface = SurfaceTopology::ofBody(geode);
    switch (surface.closure()) {
    case SurfaceTopology::Closure::Outward: result.facing = EffectManager::SurfaceFacing::Outward; break;
    case SurfaceTopology::Closure::Inward: result.facing = EffectManager::SurfaceFacing::Inward; break;
    case SurfaceTopology::Closure::Open: break;
    }
    if (!wantCreases)
        return result;

    const auto& points = surface.points();
    std::vector<osg::Vec3> normals;
    normals.reserve(surface.triangles().size());
    for (const auto& t : surface.triangles()) {
        osg::Vec3 n = osg::Vec3(points[t[1]] - points[t[0]]) ^ osg::Vec3(points[t[2]] - points[t[0]]);
        n.normalize();
        normals.push_back(n);
    }
    // The uses of one edge lie together: one use is an open border, two a crease when their faces
    // bend enough (a sliver without a normal bends nowhere), more a non-manifold edge.
    const float cosLimit = float(std::cos(osg::DegreesToRadians(angleDegrees)));
    const auto& uses = surface.edgeUses();
    std::vector<unsigned int> ends; // welded points, two per line
    for (std::size_t i = 0; i < uses.size();) {
        std::size_t end = i + 1;
        while (end < uses.size() && uses[end].edge == uses[i].edge)
            ++end;
        bool line = end - i != 2;
        if (!line) {
            const osg::Vec3& a = normals[uses[i].triangle];
            const osg::Vec3& b = normals[uses[i + 1].triangle];
            line = a.length2() > 0.0f && b.length2() > 0.0f && a * b < cosLimit;
        }
        if (line) {
            ends.push_back(unsigned(uses[i].edge >> 32));
            ends.push_back(unsigned(uses[i].edge & 0xFFFFFFFFu));
        }
        i = end;
    }
    if (ends.empty())
        return result;
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setName(EffectManager::CreaseEdgesName);
    g->setUseDisplayList(false);
    g->setUseVertexBufferObjects(true); // sharing the body's array, as its faces do
    if (const osg::Vec3Array* shared = surface.sharedArray()) {
        g->setVertexArray(const_cast<osg::Vec3Array*>(shared));
        osg::ref_ptr<osg::DrawElementsUInt> lines = new osg::DrawElementsUInt(GL_LINES);
        lines->reserve(ends.size());
        for (unsigned int w : ends)
            lines->push_back(surface.firstIndex()[w]);
        g->addPrimitiveSet(lines.get());
    } else {
        osg::ref_ptr<osg::Vec3Array> lines = new osg::Vec3Array;
        lines->reserve(ends.size());
        for (unsigned int w : ends)
            lines->push_back(osg::Vec3(points[w]));
        g->setVertexArray(lines.get());
        g->addPrimitiveSet(new osg::DrawArrays(GL_LINES, 0, GLsizei(lines->size())));
    }
    osg::ref_ptr<osg::Vec4Array> colour = new osg::Vec4Array;
    colour->push_back(osg::Vec4(0.1f, 0.1f, 0.1f, 1.0f));
    g->setColorArray(colour.get(), osg::Array::BIND_OVERALL);
    result.creases = g;
    return result;
}

bool seeThrough(const osg::StateSet& ss)
{
    return ss.getRenderingHint() == osg::StateSet::TRANSPARENT_BIN ||
           (ss.getRenderBinMode() != osg::StateSet::INHERIT_RENDERBIN_DETAILS && ss.getBinName() == "DepthSortedBin") ||
           (ss.getMode(GL_BLEND) & osg::StateAttribute::ON);
}

bool clipped(const osg::StateSet& ss)
{
    for (unsigned int n = 0; n < 8; ++n) {
        if (ss.getMode(GL_CLIP_PLANE0 + n) & osg::StateAttribute::ON)
            return true;
    }
    return false;
}

// On a closed body: during the cull traversal, draws only the side of its triangles that can be
// seen, which spares the rasteriser about half of them.
class FacingCullCallback : public osg::NodeCallback
{
public:
    FacingCullCallback(EffectManager::Switches* switches, EffectManager::SurfaceFacing facing, osg::StateSet* cullBack,
                       osg::StateSet* cullFront)
        : m_switches(switches), m_facing(facing), m_cullBack(cullBack), m_cullFront(cullFront)
    {
    }
    void operator()(osg::Node* node, osg::NodeVisitor* nv) override
    {
        auto* cv = nv ? nv->asCullVisitor() : nullptr;
        const osg::Geode* geode = node->asGeode();
        GLenum side = 0;
        if (cv && geode && m_switches->oneSided && cv->getModelViewMatrix())
            side = EffectManager::hiddenSide(nv->getNodePath(), *geode, *cv->getModelViewMatrix(), m_facing);
        if (!side) {
            traverse(node, nv);
            return;
        }
        cv->pushStateSet(side == GL_BACK ? m_cullBack.get() : m_cullFront.get());
        traverse(node, nv);
        cv->popStateSet();
    }

private:
    osg::ref_ptr<EffectManager::Switches> m_switches;
    EffectManager::SurfaceFacing m_facing;
    osg::ref_ptr<osg::StateSet> m_cullBack;
    osg::ref_ptr<osg::StateSet> m_cullFront;
};

bool isPmi(const osg::Node& node)
{
    return std::strcmp(node.className(), "PMI") == 0 && std::strcmp(node.libraryName(), "Vantor") == 0;
}

class ScanVisitor : public osg::NodeVisitor
{
public:
    ScanVisitor(const std::function<void(osg::Geode&)>& onGeode, const std::function<void(osg::Node&)>& onPmi)
        : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN), m_onGeode(onGeode), m_onPmi(onPmi)
    {
    }
    void apply(osg::Node& node) override
    {
        if (isPmi(node))
            m_onPmi(node);
        else
            traverse(node);
    }
    void apply(osg::Geode& geode) override { m_onGeode(geode); }

private:
    const std::function<void(osg::Geode&)>& m_onGeode;
    const std::function<void(osg::Node&)>& m_onPmi;
};

osg::ref_ptr<osg::Geode> boxAround(const osg::BoundingBox& box)
{
    osg::ref_ptr<osg::Vec3Array> corners = new osg::Vec3Array;
    for (unsigned int i = 0; i < 8; ++i)
        corners->push_back(box.corner(i));
    static const GLushort edges[] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 2, 1, 3, 4, 6, 5, 7, 0, 4, 1, 5, 2, 6, 3, 7};
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setVertexArray(corners.get());
    osg::ref_ptr<osg::Vec4Array> colour = new osg::Vec4Array;
    colour->push_back(osg::Vec4(1.0f, 0.55f, 0.0f, 1.0f));
    g->setColorArray(colour.get(), osg::Array::BIND_OVERALL);
    g->addPrimitiveSet(new osg::DrawElementsUShort(GL_LINES, sizeof edges / sizeof edges[0], edges));
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->setName("EffectBoundingBox");
    geode->addDrawable(g.get());
    geode->getOrCreateStateSet()->setMode(GL_LIGHTING, osg::StateAttribute::OFF | osg::StateAttribute::PROTECTED);
    return geode;
}

osg::ref_ptr<osg::StateSet> cullState(osg::CullFace::Mode side)
{
    osg::ref_ptr<osg::StateSet> ss = new osg::StateSet;
    ss->setAttributeAndModes(new osg::CullFace(side), osg::StateAttribute::ON);
    return ss;
}

} // namespace

EffectManager::SurfaceFacing EffectManager::facingOf(const osg::Geode& body)
{
    return scanSurface(body, CreaseAngleDegrees, false).facing;
}

GLenum EffectManager::hiddenSide(const osg::NodePath& path, const osg::Geode& body, const osg::Matrix& modelView,
                                 SurfaceFacing facing)
{
    if (facing == SurfaceFacing::Open)
        return 0;
    // A section opens the body, and a see-through part shows its inside.
    for (const osg::Node* node : path) {
        const osg::StateSet* ss = node->getStateSet();
        if (ss && (clipped(*ss) || seeThrough(*ss)))
            return 0;
    }
    for (unsigned int d = 0; d < body.getNumDrawables(); ++d) {
        const osg::StateSet* ss = body.getDrawable(d)->getStateSet();
        if (ss && seeThrough(*ss))
            return 0;
    }
    // A mirroring placement turns the triangles' winding on screen.
    const double det = modelView(0, 0) * (modelView(1, 1) * modelView(2, 2) - modelView(1, 2) * modelView(2, 1)) -
                       modelView(0, 1) * (modelView(1, 0) * modelView(2, 2) - modelView(1, 2) * modelView(2, 0)) +
                       modelView(0, 2) * (modelView(1, 0) * modelView(2, 1) - modelView(1, 1) * modelView(2, 0));
    if (det == 0.0 || !std::isfinite(det))
        return 0;
    return (facing == SurfaceFacing::Outward) == (det > 0.0) ? GL_BACK : GL_FRONT;
}

EffectManager::EffectManager()
    : m_switches(new Switches)
    , m_faceCull(new KindCullCallback(m_switches.get(), false))
    , m_edgeCull(new KindCullCallback(m_switches.get(), true))
    , m_creaseState(new osg::StateSet)
    , m_cullBack(cullState(osg::CullFace::BACK))
    , m_cullFront(cullState(osg::CullFace::FRONT))
{
    m_creaseState->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    m_creaseState->setRenderingHint(osg::StateSet::OPAQUE_BIN); // as the edges read with a part
    m_creaseState->setNestRenderBins(false);
    m_creaseState->setAttribute(new osg::ColorMask(true, true, true, true));
}

EffectManager::EffectManager(const EffectManager& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
    , m_type(other.m_type)
    , m_showEdgeLine(other.m_showEdgeLine)
    , m_showFaceset(other.m_showFaceset)
    , m_lighting(other.m_lighting)
    , m_transparent(other.m_transparent)
    , m_showBox(other.m_showBox)
    , m_switches(new Switches)
    , m_faceCull(new KindCullCallback(m_switches.get(), false))
    , m_edgeCull(new KindCullCallback(m_switches.get(), true))
    , m_creaseState(other.m_creaseState)
    , m_cullBack(other.m_cullBack)
    , m_cullFront(other.m_cullFront)
{
}

EffectManager::~EffectManager()
{
    removeEffect();
}

osg::Node* EffectManager::getEffectNode() const
{
    osg::ref_ptr<osg::Node> node;
    return m_node.lock(node) ? node.get() : nullptr;
}

void EffectManager::setEffectNode(osg::Node* node)
{
    if (node == getEffectNode())
        return;
    removeEffect();
    m_node = node;
    applyEffect();
    notify();
}

void EffectManager::setEffectType(int type)
{
    if (type < EFFECT_LINE || type > EFFECT_BLANKING || type == m_type)
        return;
    m_type = type;
    applyEffect();
    notify();
}

#define EFFECT_TOGGLE(setter, member)                                                                                  \
    void EffectManager::setter(bool on)                                                                                \
    {                                                                                                                  \
        if (member == on)                                                                                              \
            return;                                                                                                    \
        member = on;                                                                                                   \
        applyEffect();                                                                                                 \
        notify();                                                                                                      \
    }

EFFECT_TOGGLE(setShowEdgeLine, m_showEdgeLine)
EFFECT_TOGGLE(setShowFaceset, m_showFaceset)
EFFECT_TOGGLE(setLightingEnabled, m_lighting)
EFFECT_TOGGLE(setTransparent, m_transparent)
EFFECT_TOGGLE(setShowBox, m_showBox)
#undef EFFECT_TOGGLE

bool EffectManager::facesDrawn() const
{
    // Hidden line needs the faces' depth even while they are switched off.
    return m_type == EFFECT_BLANKING || (m_type != EFFECT_LINE && m_showFaceset);
}

bool EffectManager::edgesDrawn() const
{
    return m_type == EFFECT_LINE || m_type == EFFECT_BLANKING || (m_type == EFFECT_FLAT && m_showEdgeLine);
}

void EffectManager::refresh()
{
    applyEffect();
}

void EffectManager::clearEffect()
{
    removeEffect();
    m_node = nullptr;
    m_type = EFFECT_FLAT;
    notify();
}

void EffectManager::scan(osg::Node& node)
{
    const std::function<void(osg::Geode&)> onGeode = [this](osg::Geode& geode) {
        // A body shared by many instances is visited once.
        auto scanned = m_scanned.find(&geode);
        const bool seen = scanned != m_scanned.end() && scanned->second.get() == &geode;
        bool hasEdges = false;
        for (unsigned int d = 0; d < geode.getNumDrawables(); ++d) {
            osg::Drawable* drawable = geode.getDrawable(d);
            const Kind kind = kindOf(*drawable);
            if (kind == Kind::Other)
                continue;
            hasEdges = hasEdges || kind == Kind::Edge;
            // A drawable with a cull callback of its own keeps it.
            if (!drawable->getCullCallback()) {
                drawable->setCullCallback(kind == Kind::Edge ? m_edgeCull.get() : m_faceCull.get());
                m_culled.emplace_back(drawable);
            }
            if (kind == Kind::Edge && drawable->getName() != CreaseEdgesName) {
                // Hidden line masks the colour of the whole node; edges draw theirs all the same.
                osg::StateSet* ss = drawable->getOrCreateStateSet();
                if (!ss->getAttribute(osg::StateAttribute::COLORMASK)) {
                    ss->setAttribute(new osg::ColorMask(true, true, true, true));
                    m_unmasked.emplace_back(ss);
                }
            }
        }
        if (seen)
            return;
        m_scanned[&geode] = &geode;
        const SurfaceScan surface = scanSurface(geode, CreaseAngleDegrees, !hasEdges);
        if (surface.facing != SurfaceFacing::Open) {
            osg::ref_ptr<osg::Callback> facing =
                new FacingCullCallback(m_switches.get(), surface.facing, m_cullBack.get(), m_cullFront.get());
            geode.addCullCallback(facing.get());
            m_facings.emplace_back(&geode, facing);
        }
        if (!surface.creases)
            return;
        surface.creases->setStateSet(m_creaseState.get());
        surface.creases->setCullCallback(m_edgeCull.get());
        geode.addDrawable(surface.creases.get());
        m_creases.emplace_back(&geode, surface.creases.get());
    };
    // Product annotations are no geometry of the model: hidden line leaves them drawn.
    const std::function<void(osg::Node&)> onPmi = [this](osg::Node& pmi) {
        osg::StateSet* ss = pmi.getOrCreateStateSet();
        if (!ss->getAttribute(osg::StateAttribute::COLORMASK)) {
            ss->setAttribute(new osg::ColorMask(true, true, true, true));
            m_unmasked.emplace_back(ss);
        }
    };
    ScanVisitor visitor(onGeode, onPmi);
    node.accept(visitor);
}

void EffectManager::applyEffect()
{
    osg::Node* node = getEffectNode();
    if (!node)
        return;
    scan(*node);
    m_switches->faces = facesDrawn();
    m_switches->edges = edgesDrawn();
    // Points show the hidden side too, and a see-through model shows the inside of its parts.
    m_switches->oneSided = (m_type == EFFECT_FLAT || m_type == EFFECT_BLANKING) && !m_transparent;

    osg::StateSet* ss = node->getOrCreateStateSet();
    if (m_type == EFFECT_POINT) {
        ss->setAttributeAndModes(new osg::PolygonMode(osg::PolygonMode::FRONT_AND_BACK, osg::PolygonMode::POINT));
        ss->setAttributeAndModes(new osg::Point(3.0f));
    } else {
        ss->removeAttribute(osg::StateAttribute::POLYGONMODE);
        ss->removeAttribute(osg::StateAttribute::POINT);
    }
    if (m_type == EFFECT_BLANKING)
        ss->setAttribute(new osg::ColorMask(false, false, false, false));
    else
        ss->removeAttribute(osg::StateAttribute::COLORMASK);
    // Faces step back behind the edges drawn on them.
    if (m_switches->faces && m_switches->edges)
        ss->setAttributeAndModes(new osg::PolygonOffset(1.0f, 1.0f));
    else
        ss->removeAttribute(osg::StateAttribute::POLYGONOFFSET);
    if (m_lighting)
        ss->removeMode(GL_LIGHTING);
    else
        ss->setMode(GL_LIGHTING, osg::StateAttribute::OFF | osg::StateAttribute::OVERRIDE);
    if (m_transparent)
        applyTransparency(*ss);
    else
        removeTransparency(*ss);
    updateBox();
}

void EffectManager::applyTransparency(osg::StateSet& ss)
{
    if (!m_savedBlend.saved) {
        m_savedBlend.saved = true;
        m_savedBlend.blendFunc = ss.getAttribute(osg::StateAttribute::BLENDFUNC);
        const osg::StateSet::ModeList& modes = ss.getModeList();
        auto mode = modes.find(GL_BLEND);
        m_savedBlend.hasBlendMode = mode != modes.end();
        m_savedBlend.blendMode = m_savedBlend.hasBlendMode ? mode->second : osg::StateAttribute::GLModeValue(osg::StateAttribute::INHERIT);
        m_savedBlend.binNumber = ss.getBinNumber();
        m_savedBlend.binName = ss.getBinName();
        m_savedBlend.binMode = ss.getRenderBinMode();
    }
    // A constant alpha over every face, whatever colour or alpha the parts carry.
    ss.setAttributeAndModes(new osg::BlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA),
                            osg::StateAttribute::ON | osg::StateAttribute::OVERRIDE);
    ss.setAttribute(new osg::BlendColor(osg::Vec4(1.0f, 1.0f, 1.0f, TransparentAlpha)));
    ss.setAttribute(new osg::Depth(osg::Depth::LESS, 0.0, 1.0, false), osg::StateAttribute::OVERRIDE);
    ss.setRenderBinDetails(10, "DepthSortedBin", osg::StateSet::OVERRIDE_RENDERBIN_DETAILS);
}

void EffectManager::removeTransparency(osg::StateSet& ss)
{
    if (!m_savedBlend.saved)
        return;
    ss.removeAttribute(osg::StateAttribute::BLENDCOLOR);
    ss.removeAttribute(osg::StateAttribute::DEPTH);
    ss.removeAttribute(osg::StateAttribute::BLENDFUNC);
    ss.removeMode(GL_BLEND);
    if (m_savedBlend.blendFunc)
        ss.setAttribute(m_savedBlend.blendFunc.get());
    if (m_savedBlend.hasBlendMode)
        ss.setMode(GL_BLEND, m_savedBlend.blendMode);
    ss.setRenderBinDetails(m_savedBlend.binNumber, m_savedBlend.binName, m_savedBlend.binMode);
    m_savedBlend = SavedBlend();
}

void EffectManager::updateBox()
{
    if (m_box) {
        removeChild(m_box.get());
        m_box = nullptr;
    }
    osg::Node* node = getEffectNode();
    if (!m_showBox || !node)
        return;
    // The manager is the model's sibling: the box in the model's parent frame lands in place.
    osg::ComputeBoundsVisitor bounds;
    node->accept(bounds);
    if (!bounds.getBoundingBox().valid())
        return;
    m_box = boxAround(bounds.getBoundingBox());
    addChild(m_box.get());
}

void EffectManager::removeEffect()
{
    for (const auto& entry : m_culled) {
        osg::ref_ptr<osg::Drawable> drawable;
        if (entry.lock(drawable) &&
            (drawable->getCullCallback() == m_faceCull.get() || drawable->getCullCallback() == m_edgeCull.get()))
            drawable->setCullCallback(nullptr);
    }
    m_culled.clear();
    for (const auto& entry : m_creases) {
        osg::ref_ptr<osg::Geode> geode;
        if (entry.first.lock(geode))
            geode->removeDrawable(entry.second.get());
    }
    m_creases.clear();
    for (const auto& entry : m_facings) {
        osg::ref_ptr<osg::Geode> geode;
        if (entry.first.lock(geode))
            geode->removeCullCallback(entry.second.get());
    }
    m_facings.clear();
    for (const auto& entry : m_unmasked) {
        osg::ref_ptr<osg::StateSet> ss;
        if (entry.lock(ss))
            ss->removeAttribute(osg::StateAttribute::COLORMASK);
    }
    m_unmasked.clear();
    m_scanned.clear();
    if (m_box) {
        removeChild(m_box.get());
        m_box = nullptr;
    }
    osg::Node* node = getEffectNode();
    if (!node || !node->getStateSet()) {
        m_savedBlend = SavedBlend();
        return;
    }
    osg::StateSet* ss = node->getStateSet();
    ss->removeAttribute(osg::StateAttribute::POLYGONMODE);
    ss->removeAttribute(osg::StateAttribute::POINT);
    ss->removeAttribute(osg::StateAttribute::COLORMASK);
    ss->removeAttribute(osg::StateAttribute::POLYGONOFFSET);
    ss->removeMode(GL_LIGHTING);
    removeTransparency(*ss);
}

void EffectManager::AddListener(osg::ref_ptr<EffectManagerListener> listener)
{
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void EffectManager::RemoveListener(EffectManagerListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void EffectManager::notify()
{
    const auto listeners = m_listeners;
    for (const auto& l : listeners)
        l->onEffectChanged(this);
}

} // namespace Vantor
