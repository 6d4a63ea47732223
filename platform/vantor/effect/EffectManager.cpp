#include "vantor/effect/EffectManager.h"

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

#include <algorithm>

namespace Vantor {

namespace {

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
