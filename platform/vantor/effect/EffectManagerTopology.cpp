#include "vantor/effect/EffectManager.h"

#include "vantor/math/MeshPrimitives.h"
#include "vantor/math/SurfaceTopology.h"

#include <osg/ColorMask>
#include <osg/Geometry>
#include <osgUtil/CullVisitor>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>

// What the effect reads from the model's meshes: faces told from edges, crease lines for bodies read
// without edges, and closed bodies drawn one-sided.

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

} // namespace Vantor
