// The effect manager's render modes and toggles, one-sided drawing of closed bodies, and the material
// command with its undo.
#include <gtest/gtest.h>

#include "vantor/command/CommandManager.h"
#include "vantor/effect/EffectManager.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"
#include "vantor/model/PMI.h"
#include "vantor/property/SetMaterialCommand.h"

#include <osg/BlendFunc>
#include <osg/CullFace>
#include <osg/ColorMask>
#include <osg/Geometry>
#include <osg/Material>
#include <osg/PolygonMode>
#include <osgUtil/CullVisitor>
#include <osgUtil/RenderStage>
#include <osgUtil/StateGraph>

#include <cmath>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <set>
#include <utility>

using namespace Vantor;

namespace {

// A unit cube as a body: six quads with their own corners (split where the normals differ), one colour.
osg::ref_ptr<Body> cubeBody(const osg::Vec4& colour, bool withEdges = false)
{
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    const osg::Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int a = 0; a < 3; ++a) {
        for (float s : {-1.0f, 1.0f}) {
            const osg::Vec3 normal = axes[a] * s;
            const osg::Vec3 u = axes[(a + 1) % 3], w = axes[(a + 2) % 3];
            for (const osg::Vec3& p : {normal - u - w, normal + u - w, normal + u + w, normal - u + w})
                v->push_back(p);
        }
    }
    g->setVertexArray(v.get());
    osg::ref_ptr<osg::Vec4Array> c = new osg::Vec4Array;
    c->push_back(colour);
    g->setColorArray(c.get(), osg::Array::BIND_OVERALL);
    g->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, GLsizei(v->size())));
    osg::ref_ptr<Body> body = new Body;
    body->addDrawable(g.get());
    if (withEdges) {
        osg::ref_ptr<osg::Geometry> e = new osg::Geometry;
        e->setVertexArray(v.get());
        e->addPrimitiveSet(new osg::DrawArrays(GL_LINE_LOOP, 0, 4));
        body->addDrawable(e.get());
    }
    return body;
}

osg::ref_ptr<Model> part(const char* name, const osg::Vec4& colour, bool withEdges = false)
{
    osg::ref_ptr<Model> m = new Model;
    m->setName(name);
    m->addChild(cubeBody(colour, withEdges).get());
    return m;
}

bool culled(osg::Drawable* d)
{
    auto* cb = d->getCullCallback() ? d->getCullCallback()->asDrawableCullCallback() : nullptr;
    return cb && cb->cull(nullptr, d, static_cast<osg::RenderInfo*>(nullptr));
}

osg::Drawable* faces(osg::Node* model) { return model->asGroup()->getChild(0)->asGeode()->getDrawable(0); }

osg::Drawable* creases(osg::Node* model)
{
    osg::Geode* geode = model->asGroup()->getChild(0)->asGeode();
    for (unsigned int i = 0; i < geode->getNumDrawables(); ++i)
        if (geode->getDrawable(i)->getName() == EffectManager::CreaseEdgesName)
            return geode->getDrawable(i);
    return nullptr;
}

int polygonMode(osg::Node* node)
{
    const osg::StateSet* ss = node->getStateSet();
    auto* pm = ss ? dynamic_cast<const osg::PolygonMode*>(ss->getAttribute(osg::StateAttribute::POLYGONMODE)) : nullptr;
    return pm ? int(pm->getMode(osg::PolygonMode::FRONT)) : -1;
}

bool colourMasked(osg::Node* node)
{
    const osg::StateSet* ss = node->getStateSet();
    auto* mask = ss ? dynamic_cast<const osg::ColorMask*>(ss->getAttribute(osg::StateAttribute::COLORMASK)) : nullptr;
    return mask && !mask->getRedMask();
}

bool unlit(osg::Node* node)
{
    const osg::StateSet* ss = node->getStateSet();
    return ss && (ss->getMode(GL_LIGHTING) & osg::StateAttribute::ON) == 0 &&
           ss->getModeList().count(GL_LIGHTING) != 0;
}

struct Counter : EffectManagerListener
{
    int calls = 0;
    void onEffectChanged(EffectManager*) override { ++calls; }
};

} // namespace

TEST(Effects, CreaseLinesOnlyWhereTheReaderKeptNoEdges)
{
    osg::ref_ptr<EffectManager> effects = new EffectManager;
    osg::ref_ptr<Model> top = new Model;
    osg::ref_ptr<Model> bare = part("bare", {1, 0, 0, 1});
    osg::ref_ptr<Model> edged = part("edged", {0, 1, 0, 1}, true);
    top->addChild(bare.get());
    top->addChild(edged.get());
    effects->setEffectNode(top.get());

    // The cube's twelve edges, each once, though every corner is split over three faces.
    osg::Drawable* lines = creases(bare.get());
    ASSERT_NE(lines, nullptr);
    const osg::Geometry* g = lines->asGeometry();
    const auto* points = dynamic_cast<const osg::Vec3Array*>(g->getVertexArray());
    ASSERT_TRUE(points && g->getNumPrimitiveSets() == 1u);
    const osg::PrimitiveSet* segments = g->getPrimitiveSet(0);
    ASSERT_EQ(segments->getMode(), GLenum(GL_LINES));
    ASSERT_EQ(segments->getNumIndices(), 24u);
    std::set<std::pair<osg::Vec3, osg::Vec3>> distinct;
    for (unsigned int i = 0; i < 24; i += 2) {
        osg::Vec3 a = (*points)[segments->index(i)], b = (*points)[segments->index(i + 1)];
        EXPECT_FLOAT_EQ((a - b).length(), 2.0f);
        distinct.insert(std::minmax(a, b));
    }
    EXPECT_EQ(distinct.size(), 12u);
    EXPECT_EQ(creases(edged.get()), nullptr);
    EXPECT_EQ(edged->getChild(0)->asGeode()->getNumDrawables(), 2u);

    // A second pass (another toggle) adds nothing more.
    effects->setShowBox(true);
    EXPECT_EQ(bare->getChild(0)->asGeode()->getNumDrawables(), 2u);

    effects->clearEffect();
    EXPECT_EQ(creases(bare.get()), nullptr);
    EXPECT_EQ(bare->getChild(0)->asGeode()->getNumDrawables(), 1u);
    EXPECT_EQ(faces(bare.get())->getCullCallback(), nullptr);
    EXPECT_EQ(edged->getChild(0)->asGeode()->getDrawable(1)->getCullCallback(), nullptr);
}

namespace {

// A cube as indexed triangles, each face with corners of its own (as a reader splits them where
// normals differ). Faces are numbered 0..5; `flipped` faces wind the other way round, `missing` ones
// are left out; `ulps` moves each face's copy of the corners that many float steps, as faces
// tessellated apart meet only up to rounding.
struct CubeSpec
{
    osg::Vec3 centre;
    float half = 1.0f;
    bool inward = false;
    int flipped = -1;
    int missing = -1;
    bool ulps = false;
};

void addCube(osg::Vec3Array& v, osg::DrawElementsUInt& t, const CubeSpec& spec)
{
    const osg::Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    int face = 0;
    for (int a = 0; a < 3; ++a) {
        for (float s : {-1.0f, 1.0f}) {
            const int f = face++;
            if (f == spec.missing)
                continue;
            const osg::Vec3 n = axes[a] * s, u = axes[(a + 1) % 3], w = n ^ u; // u x w = n: counter-clockwise from outside
            const unsigned int first = unsigned(v.size());
            for (const osg::Vec3& corner : {n - u - w, n + u - w, n + u + w, n - u + w}) {
                osg::Vec3 p = spec.centre + corner * spec.half;
                for (int step = 0; spec.ulps && step < f % 3; ++step)
                    p.set(std::nextafter(p.x(), 1e9f), std::nextafter(p.y(), 1e9f), std::nextafter(p.z(), 1e9f));
                v.push_back(p);
            }
            static const unsigned int ccw[6] = {0, 1, 2, 0, 2, 3}, cw[6] = {0, 2, 1, 0, 3, 2};
            const bool reverse = spec.inward != (f == spec.flipped);
            for (unsigned int i : reverse ? cw : ccw)
                t.push_back(first + i);
        }
    }
}

osg::ref_ptr<Body> bodyOf(const std::vector<CubeSpec>& cubes)
{
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    osg::ref_ptr<osg::DrawElementsUInt> t = new osg::DrawElementsUInt(GL_TRIANGLES);
    for (const CubeSpec& c : cubes)
        addCube(*v, *t, c);
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setVertexArray(v.get());
    osg::ref_ptr<osg::Vec4Array> colour = new osg::Vec4Array;
    colour->push_back(osg::Vec4(0.8f, 0.2f, 0.2f, 1.0f));
    g->setColorArray(colour.get(), osg::Array::BIND_OVERALL);
    g->addPrimitiveSet(t.get());
    osg::ref_ptr<Body> body = new Body;
    body->addDrawable(g.get());
    return body;
}

using Facing = EffectManager::SurfaceFacing;

// Culls the scene as seen from `eye` towards the origin and returns, for each drawable drawn, the
// side its accumulated state culls: GL_BACK, GL_FRONT, or 0 for none.
std::vector<GLenum> culledSides(osg::Node* scene, const osg::Vec3d& eye)
{
    osg::ref_ptr<osgUtil::CullVisitor> cv = new osgUtil::CullVisitor;
    osg::ref_ptr<osgUtil::StateGraph> graph = new osgUtil::StateGraph;
    osg::ref_ptr<osgUtil::RenderStage> stage = new osgUtil::RenderStage;
    cv->setStateGraph(graph.get());
    cv->setRenderStage(stage.get());
    cv->setComputeNearFarMode(osg::CullSettings::DO_NOT_COMPUTE_NEAR_FAR);
    osg::ref_ptr<osg::Viewport> viewport = new osg::Viewport(0, 0, 200, 200);
    cv->pushViewport(viewport.get());
    cv->pushProjectionMatrix(new osg::RefMatrix(osg::Matrix::perspective(30.0, 1.0, 0.1, 1000.0)));
    cv->pushModelViewMatrix(new osg::RefMatrix(osg::Matrix::lookAt(eye, osg::Vec3d(), osg::Vec3d(0, 0, 1))),
                            osg::Transform::ABSOLUTE_RF);
    scene->accept(*cv);
    std::vector<GLenum> sides;
    std::function<void(const osgUtil::StateGraph&, GLenum)> walk = [&](const osgUtil::StateGraph& node, GLenum side) {
        if (const osg::StateSet* ss = node.getStateSet()) {
            if (ss->getModeList().count(GL_CULL_FACE)) {
                const auto* face = dynamic_cast<const osg::CullFace*>(ss->getAttribute(osg::StateAttribute::CULLFACE));
                side = (ss->getMode(GL_CULL_FACE) & osg::StateAttribute::ON) && face ? GLenum(face->getMode()) : 0;
            }
        }
        for (std::size_t i = 0; i < node._leaves.size(); ++i)
            sides.push_back(side);
        for (const auto& child : node._children)
            walk(*child.second, side);
    };
    walk(*graph, 0);
    return sides;
}

} // namespace

TEST(OneSided, ClosedBodiesAreToldByTheirWinding)
{
    const osg::Vec3 far(5, 0, 0);
    struct Case
    {
        const char* name;
        std::vector<CubeSpec> cubes;
        Facing expected;
    } cases[] = {
        {"outward cube", {CubeSpec{}}, Facing::Outward},
        {"inward cube", {CubeSpec{{}, 1.0f, true}}, Facing::Inward},
        {"faces meeting only up to rounding", {CubeSpec{{}, 1.0f, false, -1, -1, true}}, Facing::Outward},
        {"one face missing", {CubeSpec{{}, 1.0f, false, -1, 4}}, Facing::Open},
        {"one face wound the other way", {CubeSpec{{}, 1.0f, false, 2}}, Facing::Open},
        {"two outward shells", {CubeSpec{}, CubeSpec{far}}, Facing::Outward},
        {"a solid with a cavity: shells of both signs", {CubeSpec{{}, 3.0f}, CubeSpec{{}, 1.0f, true}}, Facing::Open},
        {"shells wound apart", {CubeSpec{}, CubeSpec{far, 1.0f, true}}, Facing::Open},
        {"no triangles", {}, Facing::Open},
    };
    for (const Case& c : cases) {
        osg::ref_ptr<Body> body = bodyOf(c.cubes);
        EXPECT_EQ(int(EffectManager::facingOf(*body)), int(c.expected)) << c.name;
    }

    // A flat sheet with both sides wound is closed, but encloses nothing: both sides may show.
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    for (const osg::Vec3& p : {osg::Vec3(0, 0, 0), osg::Vec3(1, 0, 0), osg::Vec3(1, 1, 0), osg::Vec3(0, 1, 0)})
        v->push_back(p);
    const GLuint both[] = {0, 1, 2, 0, 2, 3, 0, 2, 1, 0, 3, 2};
    osg::ref_ptr<osg::Geometry> sheet = new osg::Geometry;
    sheet->setVertexArray(v.get());
    sheet->addPrimitiveSet(new osg::DrawElementsUInt(GL_TRIANGLES, 12, both));
    osg::ref_ptr<Body> body = new Body;
    body->addDrawable(sheet.get());
    EXPECT_EQ(EffectManager::facingOf(*body), Facing::Open);
}

TEST(OneSided, TheHiddenSideFollowsPlacementSectionsAndTransparency)
{
    osg::ref_ptr<Body> body = bodyOf({CubeSpec{}});
    osg::ref_ptr<Model> model = new Model;
    model->addChild(body.get());
    const osg::NodePath path{model.get(), body.get()};
    const osg::Matrix mirror = osg::Matrix::scale(-1, 1, 1), flat = osg::Matrix::scale(1, 0, 1);
    struct Case
    {
        const char* name;
        Facing facing;
        osg::Matrix placement;
        std::function<void(osg::StateSet& model, osg::StateSet& faces)> state;
        GLenum expected;
    } cases[] = {
        {"outward", Facing::Outward, {}, nullptr, GL_BACK},
        {"outward, mirrored", Facing::Outward, mirror, nullptr, GL_FRONT},
        {"inward", Facing::Inward, {}, nullptr, GL_FRONT},
        {"inward, mirrored", Facing::Inward, mirror, nullptr, GL_BACK},
        {"open", Facing::Open, {}, nullptr, 0},
        {"flattened to nothing", Facing::Outward, flat, nullptr, 0},
        {"cut by a section", Facing::Outward, {},
         [](osg::StateSet& m, osg::StateSet&) { m.setMode(GL_CLIP_PLANE0 + 2, osg::StateAttribute::ON); }, 0},
        {"a section switched off", Facing::Outward, {},
         [](osg::StateSet& m, osg::StateSet&) { m.setMode(GL_CLIP_PLANE0, osg::StateAttribute::OFF); }, GL_BACK},
        {"see-through part", Facing::Outward, {},
         [](osg::StateSet& m, osg::StateSet&) { m.setRenderBinDetails(10, "DepthSortedBin"); }, 0},
        {"see-through faces", Facing::Outward, {},
         [](osg::StateSet&, osg::StateSet& f) { f.setRenderingHint(osg::StateSet::TRANSPARENT_BIN); }, 0},
        {"blended part", Facing::Outward, {},
         [](osg::StateSet& m, osg::StateSet&) { m.setMode(GL_BLEND, osg::StateAttribute::ON); }, 0},
    };
    for (const Case& c : cases) {
        model->setStateSet(new osg::StateSet);
        body->getDrawable(0)->setStateSet(new osg::StateSet);
        if (c.state)
            c.state(*model->getStateSet(), *body->getDrawable(0)->getStateSet());
        const osg::Matrix modelView = c.placement * osg::Matrix::lookAt(osg::Vec3d(0, -6, 0), {}, {0, 0, 1});
        EXPECT_EQ(EffectManager::hiddenSide(path, *body, modelView, c.facing), c.expected) << c.name;
    }
}

TEST(OneSided, CulledAsTheModeAllowsAndTakenOffWithTheEffect)
{
    osg::ref_ptr<Model> top = new Model;
    osg::ref_ptr<Model> part = new Model;
    part->addChild(bodyOf({CubeSpec{}}).get());
    top->addChild(part.get());
    osg::ref_ptr<EffectManager> effects = new EffectManager;
    effects->setEffectNode(top.get());
    const osg::Vec3d eye(0, -6, 2);
    const std::vector<GLenum> back{GL_BACK, GL_BACK}, front{GL_FRONT, GL_FRONT}, none{0, 0}; // faces, creases

    EXPECT_EQ(culledSides(top.get(), eye), back);
    part->setMatrix(osg::Matrix::scale(1, -1, 1));
    EXPECT_EQ(culledSides(top.get(), eye), front);
    part->setMatrix(osg::Matrix::identity());

    effects->setEffectType(EFFECT_BLANKING);
    EXPECT_EQ(culledSides(top.get(), eye), back) << "hidden line fills depth from the outside only";
    effects->setEffectType(EFFECT_POINT);
    EXPECT_EQ(culledSides(top.get(), eye), std::vector<GLenum>{0}) << "points (no edges) show the far side too";
    effects->setEffectType(EFFECT_FLAT);
    effects->setTransparent(true);
    EXPECT_EQ(culledSides(top.get(), eye), none) << "a see-through model shows its parts' insides";
    effects->setTransparent(false);
    EXPECT_EQ(culledSides(top.get(), eye), back);

    effects->clearEffect();
    EXPECT_EQ(culledSides(top.get(), eye), std::vector<GLenum>{0}) << "no creases, no culling left behind";
    EXPECT_EQ(part->getChild(0)->getCullCallback(), nullptr);
}

TEST(Effects, EachModeByItsState)
{
    osg::ref_ptr<EffectManager> effects = new EffectManager;
    osg::ref_ptr<Model> model = part("p", {1, 0, 0, 1});
    effects->setEffectNode(model.get());
    osg::Drawable* f = faces(model.get());
    osg::Drawable* e = creases(model.get());
    ASSERT_NE(e, nullptr);

    struct Case
    {
        const char* name;
        int type;
        bool edgeLine, faceset, lighting;
        bool facesShown, edgesShown;
        int mode;
        bool masked, unlit;
    };
    const Case cases[] = {
        {"shaded with edges", EFFECT_FLAT, true, true, true, true, true, -1, false, false},
        {"shaded", EFFECT_FLAT, false, true, true, true, false, -1, false, false},
        {"flat unlit", EFFECT_FLAT, false, true, false, true, false, -1, false, true},
        {"edges alone", EFFECT_FLAT, true, false, true, false, true, -1, false, false},
        {"wireframe", EFFECT_LINE, false, true, true, false, true, -1, false, false},
        {"hidden line", EFFECT_BLANKING, false, false, true, true, true, -1, true, false},
        {"points", EFFECT_POINT, true, true, true, true, false, osg::PolygonMode::POINT, false, false},
    };
    for (const Case& c : cases) {
        effects->setEffectType(c.type);
        effects->setShowEdgeLine(c.edgeLine);
        effects->setShowFaceset(c.faceset);
        effects->setLightingEnabled(c.lighting);
        EXPECT_EQ(effects->getEffectType(), c.type) << c.name;
        EXPECT_EQ(!culled(f), c.facesShown) << c.name;
        EXPECT_EQ(!culled(e), c.edgesShown) << c.name;
        EXPECT_EQ(polygonMode(model.get()), c.mode) << c.name;
        EXPECT_EQ(colourMasked(model.get()), c.masked) << c.name;
        EXPECT_EQ(unlit(model.get()), c.unlit) << c.name;
        // Edges draw their colour whatever the node masks.
        ASSERT_NE(e->getStateSet(), nullptr);
        auto* edgeMask = dynamic_cast<const osg::ColorMask*>(e->getStateSet()->getAttribute(osg::StateAttribute::COLORMASK));
        ASSERT_NE(edgeMask, nullptr);
        EXPECT_TRUE(edgeMask->getRedMask());
    }

    // Outside 0..3: nothing changes.
    effects->setEffectType(7);
    EXPECT_EQ(effects->getEffectType(), EFFECT_POINT);
    effects->setEffectType(-1);
    EXPECT_EQ(effects->getEffectType(), EFFECT_POINT);

    effects->clearEffect();
    EXPECT_EQ(effects->getEffectNode(), nullptr);
    EXPECT_EQ(effects->getEffectType(), EFFECT_FLAT);
    EXPECT_EQ(polygonMode(model.get()), -1);
    EXPECT_FALSE(colourMasked(model.get()));
    EXPECT_EQ(model->getStateSet()->getModeList().count(GL_LIGHTING), 0u);
}

TEST(Effects, TogglesInvertTheirGettersAndTellListenersOncePerChange)
{
    osg::ref_ptr<EffectManager> effects = new EffectManager;
    osg::ref_ptr<Counter> counter = new Counter;
    effects->AddListener(counter);
    effects->AddListener(counter); // once only
    osg::ref_ptr<Model> model = part("p", {1, 0, 0, 1});
    effects->setEffectNode(model.get());
    EXPECT_EQ(counter->calls, 1);

    struct Toggle
    {
        const char* name;
        void (EffectManager::*set)(bool);
        bool (EffectManager::*get)() const;
    };
    const Toggle toggles[] = {
        {"edges", &EffectManager::setShowEdgeLine, &EffectManager::getShowEdgeLine},
        {"faces", &EffectManager::setShowFaceset, &EffectManager::getShowFaceset},
        {"lighting", &EffectManager::setLightingEnabled, &EffectManager::getLightingEnabled},
        {"transparent", &EffectManager::setTransparent, &EffectManager::getTransparent},
        {"box", &EffectManager::setShowBox, &EffectManager::getShowBox},
    };
    for (const Toggle& t : toggles) {
        const bool before = ((*effects).*t.get)();
        const int calls = counter->calls;
        ((*effects).*t.set)(!before);
        EXPECT_EQ(((*effects).*t.get)(), !before) << t.name;
        EXPECT_EQ(counter->calls, calls + 1) << t.name;
        ((*effects).*t.set)(!before); // the same value again: no change, no call
        EXPECT_EQ(counter->calls, calls + 1) << t.name;
        ((*effects).*t.set)(before);
        EXPECT_EQ(((*effects).*t.get)(), before) << t.name;
        EXPECT_EQ(counter->calls, calls + 2) << t.name;
    }
    effects->setEffectType(EFFECT_LINE);
    effects->setEffectType(EFFECT_LINE);
    EXPECT_EQ(counter->calls, 1 + 2 * 5 + 1);

    effects->RemoveListener(counter.get());
    effects->setEffectType(EFFECT_FLAT);
    EXPECT_EQ(counter->calls, 12);
}

TEST(Effects, TheModeSurvivesAnotherModelAndTheOldOneIsLeftClean)
{
    osg::ref_ptr<EffectManager> effects = new EffectManager;
    osg::ref_ptr<Model> first = part("first", {1, 0, 0, 1});
    osg::ref_ptr<Model> second = part("second", {0, 0, 1, 1});
    effects->setEffectNode(first.get());
    effects->setEffectType(EFFECT_BLANKING);
    effects->setTransparent(true);

    effects->setEffectNode(second.get());
    EXPECT_EQ(effects->getEffectType(), EFFECT_BLANKING);
    EXPECT_TRUE(colourMasked(second.get()));
    EXPECT_NE(creases(second.get()), nullptr);
    EXPECT_FALSE(culled(creases(second.get())));
    EXPECT_FALSE(colourMasked(first.get()));
    EXPECT_EQ(creases(first.get()), nullptr);
    EXPECT_EQ(faces(first.get())->getCullCallback(), nullptr);
    EXPECT_EQ(first->getStateSet()->getAttribute(osg::StateAttribute::BLENDFUNC), nullptr);

    // Parts added later are taken up on refresh.
    osg::ref_ptr<Model> added = part("added", {0, 1, 0, 1});
    second->addChild(added.get());
    effects->refresh();
    EXPECT_NE(creases(added.get()), nullptr);
    EXPECT_NE(faces(added.get())->getCullCallback(), nullptr);
}

// Hidden line masks the colour of the model's faces, not that of its product annotations.
TEST(Effects, HiddenLineKeepsProductAnnotationsDrawn)
{
    osg::ref_ptr<EffectManager> effects = new EffectManager;
    osg::ref_ptr<Model> model = part("p", {1, 0, 0, 1});
    osg::ref_ptr<PMI> pmi = new PMI;
    model->addChild(pmi.get());
    effects->setEffectNode(model.get());
    effects->setEffectType(EFFECT_BLANKING);
    ASSERT_TRUE(colourMasked(model.get()));
    const osg::StateSet* ss = pmi->getStateSet();
    auto* mask = ss ? dynamic_cast<const osg::ColorMask*>(ss->getAttribute(osg::StateAttribute::COLORMASK)) : nullptr;
    ASSERT_NE(mask, nullptr);
    EXPECT_TRUE(mask->getRedMask() && mask->getGreenMask() && mask->getBlueMask());

    effects->clearEffect();
    EXPECT_EQ(pmi->getStateSet()->getAttribute(osg::StateAttribute::COLORMASK), nullptr);
}

TEST(Effects, WholeModelTransparencyPutsTheModelsOwnBlendingBack)
{
    osg::ref_ptr<EffectManager> effects = new EffectManager;
    osg::ref_ptr<Model> model = part("p", {1, 0, 0, 1});
    model->setTransparent(0.5);
    osg::StateSet* ss = model->getStateSet();
    osg::ref_ptr<osg::StateAttribute> own = ss->getAttribute(osg::StateAttribute::BLENDFUNC);
    const int bin = ss->getBinNumber();
    const std::string binName = ss->getBinName();
    effects->setEffectNode(model.get());

    effects->setTransparent(true);
    auto* blend = dynamic_cast<osg::BlendFunc*>(ss->getAttribute(osg::StateAttribute::BLENDFUNC));
    ASSERT_NE(blend, nullptr);
    EXPECT_EQ(blend->getSource(), GLenum(GL_CONSTANT_ALPHA));
    EXPECT_EQ(ss->getBinName(), "DepthSortedBin");

    effects->setTransparent(false);
    EXPECT_EQ(ss->getAttribute(osg::StateAttribute::BLENDFUNC), own.get());
    EXPECT_EQ(ss->getBinNumber(), bin);
    EXPECT_EQ(ss->getBinName(), binName);
    EXPECT_EQ(ss->getAttribute(osg::StateAttribute::BLENDCOLOR), nullptr);
    EXPECT_EQ(ss->getAttribute(osg::StateAttribute::DEPTH), nullptr);
}

TEST(Effects, BoundingBoxFollowsTheModel)
{
    osg::ref_ptr<EffectManager> effects = new EffectManager;
    osg::ref_ptr<Model> model = part("p", {1, 0, 0, 1});
    model->setMatrix(osg::Matrix::translate(10, 0, 0));
    effects->setShowBox(true);
    EXPECT_EQ(effects->getBoxNode(), nullptr); // no model yet
    effects->setEffectNode(model.get());
    ASSERT_NE(effects->getBoxNode(), nullptr);
    EXPECT_EQ(effects->getNumChildren(), 1u);
    const osg::BoundingBox box = effects->getBoxNode()->getBoundingBox();
    EXPECT_FLOAT_EQ(box.xMin(), 9.0f);
    EXPECT_FLOAT_EQ(box.xMax(), 11.0f);
    effects->setShowBox(false);
    EXPECT_EQ(effects->getBoxNode(), nullptr);
    EXPECT_EQ(effects->getNumChildren(), 0u);
}

// Material command

namespace {

// Every value of a state set that the command may touch, compared bit for bit.
struct StateShot
{
    bool hasStateSet = false;
    const osg::StateAttribute* material = nullptr;
    std::vector<float> values;
    const osg::StateAttribute* blend = nullptr;
    int blendMode = -1;
    int hint = 0, bin = 0, binMode = 0;
    std::string binName;
    double transparent = 0;

    static StateShot of(osg::Node* node)
    {
        StateShot s;
        if (auto* m = dynamic_cast<Model*>(node))
            s.transparent = m->getTransparent();
        osg::StateSet* ss = node->getStateSet();
        s.hasStateSet = ss != nullptr;
        if (!ss)
            return s;
        s.material = ss->getAttribute(osg::StateAttribute::MATERIAL);
        if (auto* m = dynamic_cast<const osg::Material*>(s.material)) {
            for (auto face : {osg::Material::FRONT, osg::Material::BACK}) {
                for (const osg::Vec4& v : {m->getAmbient(face), m->getDiffuse(face), m->getSpecular(face), m->getEmission(face)})
                    s.values.insert(s.values.end(), v.ptr(), v.ptr() + 4);
                s.values.push_back(m->getShininess(face));
            }
            s.values.push_back(float(m->getColorMode()));
            s.values.push_back(m->getDiffuseFrontAndBack() ? 1.0f : 0.0f);
        }
        s.blend = ss->getAttribute(osg::StateAttribute::BLENDFUNC);
        const auto& modes = ss->getModeList();
        s.blendMode = modes.count(GL_BLEND) ? int(modes.at(GL_BLEND)) : -1;
        s.hint = ss->getRenderingHint();
        s.bin = ss->getBinNumber();
        s.binMode = ss->getRenderBinMode();
        s.binName = ss->getBinName();
        return s;
    }
    // Undo must bring back the very attribute objects; a redo makes new ones with the same values.
    bool same(const StateShot& o, bool sameObjects) const
    {
        if (sameObjects && (material != o.material || blend != o.blend))
            return false;
        return hasStateSet == o.hasStateSet && (material != nullptr) == (o.material != nullptr) &&
               (blend != nullptr) == (o.blend != nullptr) && blendMode == o.blendMode &&
               hint == o.hint && bin == o.bin && binMode == o.binMode && binName == o.binName &&
               std::memcmp(&transparent, &o.transparent, sizeof transparent) == 0 && values.size() == o.values.size() &&
               (values.empty() || std::memcmp(values.data(), o.values.data(), values.size() * sizeof(float)) == 0);
    }
};

std::shared_ptr<CommandManager> commands() { return std::make_shared<CommandManager>(); }

} // namespace

TEST(SetMaterial, ColourAndTransparencyUndoBitExact)
{
    auto manager = commands();
    osg::ref_ptr<Model> top = new Model;
    osg::ref_ptr<Model> plain = part("plain", {0.2f, 0.4f, 0.6f, 1});
    osg::ref_ptr<Model> recoloured = part("recoloured", {1, 1, 1, 1});
    recoloured->setColor({0.1f, 0.7f, 0.3f, 1});
    recoloured->setTransparent(0.8);
    top->addChild(plain.get());
    top->addChild(recoloured.get());
    const std::vector<osg::Node*> all = {top.get(), plain.get(), recoloured.get()};
    std::vector<StateShot> before;
    for (osg::Node* n : all)
        before.push_back(StateShot::of(n));

    struct Step
    {
        const char* name;
        std::list<osg::ref_ptr<osg::Node>> nodes;
        osg::Vec4f colour;
        double value;
        MATERIALTYPE type;
    };
    const Step steps[] = {
        {"colour of two", {plain, recoloured}, {1.0f, 0.5f, 0.25f, 1.0f}, 0.2, MATERIAL_COLOR},
        {"transparency of one", {plain}, {0, 0, 0, 0}, 0.35, MATERIAL_TRANSPARENT},
        {"transparency of the assembly", {top}, {0, 0, 0, 0}, 0.5, MATERIAL_TRANSPARENT},
        {"opaque again", {recoloured}, {0, 0, 0, 0}, 1.0, MATERIAL_TRANSPARENT},
        {"listed twice", {plain, plain}, {0.9f, 0.1f, 0.1f, 1.0f}, 0.2, MATERIAL_COLOR},
    };
    std::vector<std::vector<StateShot>> after;
    for (const Step& s : steps) {
        ASSERT_TRUE(manager->DoCommand(std::make_shared<SetMaterialCommand>(s.nodes, s.colour, s.value, s.type))) << s.name;
        std::vector<StateShot> shot;
        for (osg::Node* n : all)
            shot.push_back(StateShot::of(n));
        after.push_back(shot);
    }
    // What the host and the property panel read back.
    EXPECT_EQ(plain->getColor(), osg::Vec4f(0.9f, 0.1f, 0.1f, 0.5f));
    EXPECT_EQ(plain->getTransparent(), 0.5);
    EXPECT_EQ(recoloured->getTransparent(), 1.0);
    EXPECT_EQ(recoloured->getColor(), osg::Vec4f(1.0f, 0.5f, 0.25f, 1.0f));

    // Undo walks back through every state exactly; redo forward again.
    for (int i = int(std::size(steps)) - 1; i >= 0; --i) {
        ASSERT_TRUE(manager->Undo());
        const std::vector<StateShot>& expected = i == 0 ? before : after[std::size_t(i) - 1];
        for (std::size_t n = 0; n < all.size(); ++n)
            EXPECT_TRUE(StateShot::of(all[n]).same(expected[n], true)) << "undo of " << steps[i].name << ", node " << n;
    }
    EXPECT_EQ(plain->getStateSet(), nullptr) << "a node that had no state set gets none back";
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        ASSERT_TRUE(manager->Redo());
        for (std::size_t n = 0; n < all.size(); ++n)
            EXPECT_TRUE(StateShot::of(all[n]).same(after[i][n], false)) << "redo of " << steps[i].name << ", node " << n;
    }
}

TEST(SetMaterial, TransparencyKeepsTheShownColourAndBlends)
{
    auto manager = commands();
    osg::ref_ptr<Model> model = part("p", {0.2f, 0.4f, 0.6f, 1});
    ASSERT_TRUE(manager->DoCommand(
        std::make_shared<SetMaterialCommand>(osg::ref_ptr<osg::Node>(model), osg::Vec4f(), 0.5, MATERIAL_TRANSPARENT)));
    EXPECT_EQ(model->getColor(), osg::Vec4f(0.2f, 0.4f, 0.6f, 0.5f));
    osg::StateSet* ss = model->getStateSet();
    EXPECT_NE(ss->getAttribute(osg::StateAttribute::BLENDFUNC), nullptr);
    EXPECT_EQ(ss->getRenderingHint(), int(osg::StateSet::TRANSPARENT_BIN));
}

TEST(SetMaterial, OutOfRangeIsClampedNanChangesNothing)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const float fnan = std::numeric_limits<float>::quiet_NaN();
    struct Case
    {
        const char* name;
        osg::Vec4f colour;
        double value;
        MATERIALTYPE type;
        bool ok;
        osg::Vec4f colourAfter;
        double transparentAfter;
    };
    const Case cases[] = {
        {"colour above and below", {2.0f, -1.0f, 0.5f, 1.0f}, 0.2, MATERIAL_COLOR, true, {1.0f, 0.0f, 0.5f, 1.0f}, 1.0},
        {"transparency above", {}, 1.7, MATERIAL_TRANSPARENT, true, {0.2f, 0.4f, 0.6f, 1.0f}, 1.0},
        {"transparency below", {}, -0.3, MATERIAL_TRANSPARENT, true, {0.2f, 0.4f, 0.6f, 0.0f}, 0.0},
        {"NaN transparency", {}, nan, MATERIAL_TRANSPARENT, false, {}, 1.0},
        {"NaN channel", {fnan, 0, 0, 1}, 0.2, MATERIAL_COLOR, false, {}, 1.0},
        {"unknown type", {1, 0, 0, 1}, 0.2, MATERIALTYPE(3), false, {}, 1.0},
    };
    for (const Case& c : cases) {
        auto manager = commands();
        osg::ref_ptr<Model> model = part("p", {0.2f, 0.4f, 0.6f, 1});
        const bool ok = manager->DoCommand(
            std::make_shared<SetMaterialCommand>(osg::ref_ptr<osg::Node>(model), c.colour, c.value, c.type));
        EXPECT_EQ(ok, c.ok) << c.name;
        EXPECT_EQ(manager->CanUndo(), c.ok) << c.name;
        EXPECT_EQ(model->getTransparent(), c.transparentAfter) << c.name;
        if (c.ok)
            EXPECT_EQ(model->getColor(), c.colourAfter) << c.name;
        else
            EXPECT_EQ(model->getStateSet(), nullptr) << c.name;
    }
    // No node at all: nothing to do, no step.
    auto manager = commands();
    EXPECT_FALSE(manager->DoCommand(
        std::make_shared<SetMaterialCommand>(std::list<osg::ref_ptr<osg::Node>>{nullptr}, osg::Vec4f(1, 0, 0, 1), 0.2, MATERIAL_COLOR)));
}
