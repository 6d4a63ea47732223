#pragma once

#include <osg/Geode>
#include <osg/Group>
#include <osg/Matrix>
#include <osg/Node>
#include <osg/Referenced>
#include <osg/StateSet>
#include <osg/observer_ptr>
#include <osg/ref_ptr>

#include <map>
#include <vector>

namespace Vantor {

// How the model is drawn: wireframe (edges only), shaded faces, points, hidden line (edges, the hidden
// ones removed by the faces' depth).
enum EffectType { EFFECT_LINE = 0, EFFECT_FLAT = 1, EFFECT_POINT = 2, EFFECT_BLANKING = 3 };

class EffectManager;

// Told after the effect state changed; kept alive by the manager.
class EffectManagerListener : public osg::Referenced
{
public:
    virtual void onEffectChanged(EffectManager* manager) = 0;
};

// Scene node that draws the model in a chosen mode and with toggles for edge lines, faces, lighting,
// transparency of the whole model and its bounding box.
//
// Faces and edges of the model are told apart by their primitives; each gets a shared cull callback
// that the mode switches on and off, so the model's own state sets and geometry stay as the reader made
// them. A body whose reader kept no edges gets crease lines (between faces meeting at more than
// CreaseAngleDegrees, and along open borders). A closed body is drawn one-sided where nothing can show
// its inside: the rasteriser then handles half its triangles. What the mode needs beyond that (point
// mode, colour mask of hidden line, lighting, blending) lives in the effect node's state set. The mode and toggles belong
// to the manager, so a new effect node (another model loaded) is drawn the same way; clearEffect takes
// everything off the node again.
class EffectManager : public osg::Group
{
public:
    static constexpr double CreaseAngleDegrees = 30.0;
    // Alpha of every face while the whole model is shown transparent.
    static constexpr float TransparentAlpha = 0.3f;
    // Name of the crease-line drawables added to bodies without edges.
    static const char* const CreaseEdgesName;

    EffectManager();
    EffectManager(const EffectManager& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, EffectManager)

    // The node the effect applies to (the loaded model); null detaches.
    void setEffectNode(osg::Node* node);
    osg::Node* getEffectNode() const;

    // Values outside 0..3 are ignored.
    void setEffectType(int type);
    int getEffectType() const { return m_type; }

    // Edge lines in the shaded mode (wireframe and hidden line always draw them).
    void setShowEdgeLine(bool on);
    bool getShowEdgeLine() const { return m_showEdgeLine; }
    // Faces in the shaded and point modes.
    void setShowFaceset(bool on);
    bool getShowFaceset() const { return m_showFaceset; }
    void setLightingEnabled(bool on);
    bool getLightingEnabled() const { return m_lighting; }
    // The whole model drawn see-through.
    void setTransparent(bool on);
    bool getTransparent() const { return m_transparent; }
    // A box around the model.
    void setShowBox(bool on);
    bool getShowBox() const { return m_showBox; }

    // Takes up what was added to the model since it was set (merged or pasted parts).
    void refresh();

    // Takes the effect off the node and forgets the node; the type goes back to flat, the toggles stay.
    void clearEffect();

    void AddListener(osg::ref_ptr<EffectManagerListener> listener);
    void RemoveListener(EffectManagerListener* listener);

    // Whether the drawn effect currently shows faces or edges (what the cull callbacks read).
    bool facesDrawn() const;
    bool edgesDrawn() const;
    // The bounding-box geode while it is shown, else null.
    osg::Geode* getBoxNode() const { return m_box.get(); }

    struct Switches : osg::Referenced
    {
        bool faces = true;
        bool edges = true;
        bool oneSided = true; // closed bodies may leave the side of their triangles that cannot be seen
    };

    // How the triangles of a body wind: around a closed surface, outward or inward; or open (a sheet,
    // a surface with gaps, mixed windings), when both sides may be seen.
    enum class SurfaceFacing { Open, Outward, Inward };
    static SurfaceFacing facingOf(const osg::Geode& body);
    // Which side of a closed body's triangles is hidden where the path places it (GL_BACK or GL_FRONT),
    // or 0 when both are drawn: the body is open, clipped by a section, see-through, or placed by a
    // degenerate matrix.
    static GLenum hiddenSide(const osg::NodePath& path, const osg::Geode& body, const osg::Matrix& modelView,
                             SurfaceFacing facing);

protected:
    ~EffectManager() override;

private:
    void applyEffect();
    void removeEffect();
    void scan(osg::Node& node);
    void applyTransparency(osg::StateSet& ss);
    void removeTransparency(osg::StateSet& ss);
    void updateBox();
    void notify();

    osg::observer_ptr<osg::Node> m_node;
    int m_type = EFFECT_FLAT;
    bool m_showEdgeLine = true;
    bool m_showFaceset = true;
    bool m_lighting = true;
    bool m_transparent = false;
    bool m_showBox = false;
    std::vector<osg::ref_ptr<EffectManagerListener>> m_listeners;

    osg::ref_ptr<Switches> m_switches;
    osg::ref_ptr<osg::Callback> m_faceCull;
    osg::ref_ptr<osg::Callback> m_edgeCull;
    osg::ref_ptr<osg::StateSet> m_creaseState;
    osg::ref_ptr<osg::StateSet> m_cullBack;
    osg::ref_ptr<osg::StateSet> m_cullFront;
    // What was changed on the current node, to be put back by removeEffect.
    std::vector<osg::observer_ptr<osg::Drawable>> m_culled;
    std::vector<std::pair<osg::observer_ptr<osg::Geode>, osg::ref_ptr<osg::Drawable>>> m_creases;
    std::vector<std::pair<osg::observer_ptr<osg::Geode>, osg::ref_ptr<osg::Callback>>> m_facings; // closed bodies
    std::vector<osg::observer_ptr<osg::StateSet>> m_unmasked; // edge and PMI state sets given a colour mask
    std::map<const osg::Geode*, osg::observer_ptr<osg::Geode>> m_scanned; // bodies given their crease lines
    // The node's own blending, kept while the whole model is transparent.
    struct SavedBlend
    {
        bool saved = false;
        osg::ref_ptr<osg::StateAttribute> blendFunc;
        osg::StateAttribute::GLModeValue blendMode = osg::StateAttribute::INHERIT;
        bool hasBlendMode = false;
        int binNumber = 0;
        std::string binName;
        osg::StateSet::RenderBinMode binMode = osg::StateSet::INHERIT_RENDERBIN_DETAILS;
    } m_savedBlend;
    osg::ref_ptr<osg::Geode> m_box;
};

} // namespace Vantor
