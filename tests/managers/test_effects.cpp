// The effect manager's render modes and toggles, and the material command with its undo.
#include <gtest/gtest.h>

#include "vantor/command/CommandManager.h"
#include "vantor/effect/EffectManager.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"
#include "vantor/model/PMI.h"
#include "vantor/property/SetMaterialCommand.h"

#include <osg/BlendFunc>
#include <osg/ColorMask>
#include <osg/Geometry>
#include <osg/Material>
#include <osg/PolygonMode>

#include <cmath>
#include <cstring>
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
