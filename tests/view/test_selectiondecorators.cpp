#include "osgqt/GraphicsWindowQt.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "view/ISelectionDecorator.h"
#include "view/PickingHandler.h"
#include "view/SceneView.h"
#include "view/SectionFilter.h"
#include "view/SelectionManager.h"
#include "view/SceneModel.h"
#include "vantor/model/Model.h"
#include "vantor/section/Section.h"
#include "vantor/section/SectionManager.h"

#include <gtest/gtest.h>

#include <osg/ClipNode>
#include <osg/Geode>
#include <osg/Geometry>
#include <osg/PolygonMode>
#include <osg/PolygonStipple>
#include <osg/Program>
#include <osg/Uniform>
#include <osgUtil/IntersectionVisitor>
#include <osgUtil/LineSegmentIntersector>
#include <osgViewer/View>

#include <QTest>

#include <functional>

namespace {

using Vantor::Model;

// A box of quads around c with one colour per vertex; lighting off so the colour shows as it is.
osg::ref_ptr<osg::Geode> colouredBox(const osg::Vec3& c, float h, const osg::Vec4& colour)
{
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    const osg::Vec3 p[8] = {c + osg::Vec3(-h, -h, -h), c + osg::Vec3(h, -h, -h), c + osg::Vec3(h, h, -h),
                            c + osg::Vec3(-h, h, -h), c + osg::Vec3(-h, -h, h), c + osg::Vec3(h, -h, h),
                            c + osg::Vec3(h, h, h),   c + osg::Vec3(-h, h, h)};
    const int faces[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 3, 7, 4}};
    const osg::Vec3 normals[6] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {1, 0, 0}, {-1, 0, 0}};
    osg::ref_ptr<osg::Vec3Array> n = new osg::Vec3Array;
    for (int f = 0; f < 6; ++f)
        for (int i : faces[f]) {
            v->push_back(p[i]);
            n->push_back(normals[f]);
        }
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setVertexArray(v.get());
    g->setNormalArray(n.get(), osg::Array::BIND_PER_VERTEX);
    osg::ref_ptr<osg::Vec4Array> colours = new osg::Vec4Array(v->size());
    for (auto& c4 : *colours)
        c4 = colour;
    g->setColorArray(colours.get(), osg::Array::BIND_PER_VERTEX);
    g->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, GLsizei(v->size())));
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(g.get());
    geode->getOrCreateStateSet()->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    return geode;
}

osg::ref_ptr<Model> part(const std::string& name, const osg::Vec3& at, const osg::Vec4& colour = {0, 0, 1, 1})
{
    osg::ref_ptr<Model> m = new Model;
    m->setName(name);
    m->setMatrix(osg::Matrix::translate(at));
    m->addChild(colouredBox(osg::Vec3(), 1.0f, colour).get());
    return m;
}

// Counts the nodes a plain visitor reaches.
struct CountingVisitor : osg::NodeVisitor
{
    CountingVisitor() : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN) {}
    void apply(osg::Geode& geode) override
    {
        ++geodes;
        traverse(geode);
    }
    int geodes = 0;
};

} // namespace

// ---------------------------------------------------------------- state and behaviour

TEST(SelectionDecorators, HighlightStateOfBothKinds)
{
    osg::ref_ptr<DefaultSelectionDecorator> selection = new DefaultSelectionDecorator;
    osg::ref_ptr<DefaultPreSelectionDecorator> preSelection = new DefaultPreSelectionDecorator;
    struct Case
    {
        const char* name;
        ISelectionDecorator* decorator;
        osg::Material* material;
        osg::Vec4 colour;
        bool lightingOff;
    } cases[] = {
        {"selection", selection.get(), selection->getMaterial(), {1, 0, 0, 1}, true},
        {"pre-selection", preSelection.get(), preSelection->getMaterial(), {0, 1, 0, 1}, false},
    };
    const auto OP = osg::StateAttribute::OVERRIDE | osg::StateAttribute::PROTECTED;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ISelectionDecorator* d = c.decorator;
        EXPECT_STREQ(d->className(), "ISelectionDecorator");
        EXPECT_TRUE(d->isEnabled());
        EXPECT_EQ(d->getNodeMask(), ~0u);
        osg::StateSet* s = d->getStateSet();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s, d->getDecoratorState());

        ASSERT_NE(c.material, nullptr);
        EXPECT_EQ(s->getAttribute(osg::StateAttribute::MATERIAL), c.material);
        EXPECT_EQ(s->getAttributePair(osg::StateAttribute::MATERIAL)->second & OP, OP);
        EXPECT_EQ(c.material->getColorMode(), osg::Material::AMBIENT_AND_DIFFUSE);
        for (auto face : {osg::Material::FRONT, osg::Material::BACK}) {
            EXPECT_EQ(c.material->getDiffuse(face), c.colour);
            EXPECT_EQ(c.material->getAmbient(face), c.colour);
        }

        EXPECT_EQ(s->getMode(GL_LIGHTING),
                  c.lightingOff ? (osg::StateAttribute::OFF | osg::StateAttribute::OVERRIDE)
                                : osg::StateAttribute::INHERIT);
        EXPECT_EQ(s->getTextureMode(0, GL_TEXTURE_2D),
                  c.lightingOff ? (osg::StateAttribute::OFF | osg::StateAttribute::OVERRIDE)
                                : osg::StateAttribute::INHERIT);
        EXPECT_EQ(s->getMode(GL_BLEND), osg::StateAttribute::ON);
        EXPECT_EQ(s->getMode(GL_DEPTH_TEST), osg::StateAttribute::OFF);

        // The program that stands for switching the colour arrays off wins over any of the model's.
        ASSERT_NE(s->getAttribute(osg::StateAttribute::PROGRAM), nullptr);
        EXPECT_EQ(s->getAttributePair(osg::StateAttribute::PROGRAM)->second & OP, OP);
        osg::Vec4 uniformColour;
        ASSERT_NE(s->getUniform(ISelectionDecorator::ColorUniform), nullptr);
        s->getUniform(ISelectionDecorator::ColorUniform)->get(uniformColour);
        EXPECT_EQ(uniformColour, c.colour);

        auto* mode = dynamic_cast<osg::PolygonMode*>(s->getAttribute(osg::StateAttribute::POLYGONMODE));
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(mode->getMode(osg::PolygonMode::FRONT_AND_BACK), osg::PolygonMode::FILL);
        EXPECT_EQ(s->getAttributePair(osg::StateAttribute::POLYGONMODE)->second & OP, OP);
        EXPECT_NE(s->getAttribute(osg::StateAttribute::POLYGONSTIPPLE), nullptr);
        EXPECT_EQ(s->getMode(GL_POLYGON_STIPPLE), osg::StateAttribute::ON | osg::StateAttribute::OVERRIDE);

        EXPECT_EQ(s->getBinNumber(), 17);
        EXPECT_EQ(s->getBinName(), "DepthSortedBin");
        EXPECT_EQ(s->getRenderBinMode(), osg::StateSet::USE_RENDERBIN_DETAILS);
    }
}

TEST(SelectionDecorators, EnableDecorateAndClone)
{
    osg::ref_ptr<DefaultSelectionDecorator> d = new DefaultSelectionDecorator;
    d->setEnabled(false);
    EXPECT_FALSE(d->isEnabled());
    EXPECT_EQ(d->getNodeMask(), 0u);
    d->setEnabled(true);
    EXPECT_EQ(d->getNodeMask(), ~0u);

    // Only select-effect nodes are decorated.
    osg::ref_ptr<osg::Group> plain = new osg::Group;
    d->decorate(plain.get());
    EXPECT_EQ(d->getTarget(), nullptr);
    osg::ref_ptr<Model> m = part("m", osg::Vec3());
    d->decorate(m.get());
    EXPECT_EQ(d->getTarget(), m.get());
    EXPECT_EQ(m->getSelectDecortator(), d.get());
    d->preDecorate(m.get());
    EXPECT_EQ(m->getPreSelectDecortator(), d.get());
    d->unPreDecorate(m.get());
    EXPECT_EQ(m->getPreSelectDecortator(), nullptr);
    EXPECT_EQ(m->getSelectDecortator(), d.get());

    // A clone starts bare: no target, no highlight state, no material.
    osg::ref_ptr<osg::Object> object = d->clone(osg::CopyOp::DEEP_COPY_NODES);
    auto* clone = dynamic_cast<DefaultSelectionDecorator*>(object.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->getTarget(), nullptr);
    EXPECT_EQ(clone->getDecoratorState(), nullptr);
    EXPECT_EQ(clone->getMaterial(), nullptr);
    EXPECT_TRUE(clone->isEnabled());
    osg::ref_ptr<DefaultPreSelectionDecorator> pre = new DefaultPreSelectionDecorator;
    osg::ref_ptr<osg::Object> preClone = pre->clone(osg::CopyOp::SHALLOW_COPY);
    EXPECT_NE(dynamic_cast<DefaultPreSelectionDecorator*>(preClone.get()), nullptr);

    // A deleted target leaves the decorator harmlessly without one.
    d->undecorate(m.get());
    EXPECT_EQ(m->getSelectDecortator(), nullptr);
    osg::ref_ptr<Model> gone = part("gone", osg::Vec3());
    d->decorate(gone.get());
    gone->setSelectDecortator(nullptr);
    gone = nullptr;
    EXPECT_EQ(d->getTarget(), nullptr);
    CountingVisitor counter;
    d->accept(counter);
    EXPECT_EQ(counter.geodes, 0);
}

TEST(SelectionDecorators, DrawingVisitsTheTargetAgainButPicksNeverReachTheHighlight)
{
    osg::ref_ptr<osg::Group> root = new osg::Group;
    osg::ref_ptr<Model> m = part("m", osg::Vec3());
    root->addChild(m.get());

    auto hits = [&root]() {
        osg::ref_ptr<osgUtil::LineSegmentIntersector> picker =
            new osgUtil::LineSegmentIntersector(osg::Vec3d(0, -10, 0.2), osg::Vec3d(0, 10, 0.2));
        osgUtil::IntersectionVisitor iv(picker.get());
        root->accept(iv);
        return picker->getIntersections();
    };
    const auto plain = hits();
    ASSERT_EQ(plain.size(), 2u); // front and back face

    osg::ref_ptr<SelectionManager> manager = new SelectionManager(nullptr);
    manager->setSelectionDecorator(new DefaultSelectionDecorator);
    manager->setPreSelectionDecorator(new DefaultPreSelectionDecorator);
    manager->addSelected(m.get());
    manager->preSelect(m.get());
    const auto decorated = hits();
    ASSERT_EQ(decorated.size(), plain.size());
    for (const auto& hit : decorated) {
        for (osg::Node* node : hit.nodePath)
            EXPECT_EQ(dynamic_cast<ISelectionDecorator*>(node), nullptr);
    }

    // Even handed to the decorator itself, an intersection visitor finds nothing.
    osg::ref_ptr<osgUtil::LineSegmentIntersector> picker =
        new osgUtil::LineSegmentIntersector(osg::Vec3d(0, -10, 0.2), osg::Vec3d(0, 10, 0.2));
    osgUtil::IntersectionVisitor iv(picker.get());
    ISelectionDecorator* d = manager->findDecorator(m.get());
    ASSERT_NE(d, nullptr);
    d->accept(iv);
    EXPECT_FALSE(picker->containsIntersections());

    // Any other visitor sees the target's content through the decorator.
    CountingVisitor counter;
    d->accept(counter);
    EXPECT_EQ(counter.geodes, 1);
}

// ---------------------------------------------------------------- section filter

TEST(SectionFilter, AsksTheViewsSectionsBeforeJudgingAHit)
{
    SceneModel scene;
    osg::ref_ptr<Model> top = part("top", osg::Vec3());
    scene.setModel(top.get());
    osg::ref_ptr<osgViewer::View> view = new osgViewer::View;
    view->setSceneData(scene.getRootSwitch());

    osg::ref_ptr<SectionFilter> filter = new SectionFilter;
    // A hit on the model's x < 0 half and one on its x > 0 half.
    auto hitAt = [&](double x) {
        osgUtil::LineSegmentIntersector::Intersection hit;
        hit.nodePath = osg::NodePath{top.get(), top->getChild(0)};
        hit.localIntersectionPoint = osg::Vec3d(x, 0, 0);
        return hit;
    };

    EXPECT_FALSE(filter->isClipedInView(hitAt(-0.5), nullptr));
    EXPECT_FALSE(filter->isClipedInView(hitAt(-0.5), view)); // no open section

    osg::ref_ptr<Vantor::Section> section = new Vantor::Section;
    section->setPlane(osg::Plane(1, 0, 0, 0)); // keeps x >= 0
    scene.getSectionManager()->InsertSection(section, -1);
    scene.getSectionManager()->OpenSection(section);
    ASSERT_TRUE(section->getOpened());
    EXPECT_TRUE(filter->isClipedInView(hitAt(-0.5), view));
    EXPECT_FALSE(filter->isClipedInView(hitAt(0.5), view));

    // Closing the section is seen on the next question.
    scene.getSectionManager()->CloseSection(section);
    EXPECT_FALSE(filter->isClipedInView(hitAt(-0.5), view));
    EXPECT_TRUE(filter->getOpenClips().empty());
}

// ---------------------------------------------------------------- drawn highlights

namespace {

struct PixelCount
{
    int red = 0, green = 0, blue = 0, yellow = 0;
};

// Pixels of each colour inside a window rectangle (GL window coordinates, y up).
PixelCount countPixels(const QImage& img, int x0, int y0, int x1, int y1)
{
    PixelCount n;
    for (int y = std::max(0, y0); y <= std::min(img.height() - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(img.width() - 1, x1); ++x) {
            const QColor c = img.pixelColor(x, img.height() - 1 - y);
            const bool r = c.red() > 200, g = c.green() > 200, b = c.blue() > 200;
            const bool r0 = c.red() < 60, g0 = c.green() < 60, b0 = c.blue() < 60;
            n.red += r && g0 && b0;
            n.green += g && r0 && b0;
            n.blue += b && r0 && g0;
            n.yellow += r && g && b0;
        }
    return n;
}

} // namespace

TEST(SelectionDecorators, HighlightsDrawOverVertexColoursFollowTheColourAndRespectClipPlanes)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    SceneView view;
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto* gl = qobject_cast<osgQt::GLWidget*>(view.graphicsWidget());
    ASSERT_NE(gl, nullptr);

    // Three blue parts; the right one stands under a clip plane that cuts its right half away.
    osg::ref_ptr<Model> left = part("left", osg::Vec3(-3, 0, 0));
    osg::ref_ptr<Model> middle = part("middle", osg::Vec3(0, 0, 0));
    osg::ref_ptr<Model> right = part("right", osg::Vec3(3, 0, 0));
    osg::ref_ptr<osg::ClipNode> clip = new osg::ClipNode;
    clip->addClipPlane(new osg::ClipPlane(0, -1, 0, 0, 3)); // keeps x <= 3
    clip->addChild(right.get());
    view.getRootNode()->addChild(left.get());
    view.getRootNode()->addChild(middle.get());
    view.getRootNode()->addChild(clip.get());
    view.getPickingHandler()->setTransformation(osg::Vec3d(0, -14, 0), osg::Vec3d(0, 0, 0), osg::Vec3d(0, 0, 1));
    nerio_test::waitFrames(view);

    // Window rectangle of a box of half size 1 around a centre.
    osg::Camera* camera = view.getView()->getCamera();
    auto region = [&](const osg::Vec3d& c, double xFrom, double xTo, int r[4]) {
        const osg::Matrixd vpw =
            camera->getViewMatrix() * camera->getProjectionMatrix() * camera->getViewport()->computeWindowMatrix();
        const osg::Vec3d a = osg::Vec3d(c.x() + xFrom, -1, c.z() - 0.8) * vpw;
        const osg::Vec3d b = osg::Vec3d(c.x() + xTo, -1, c.z() + 0.8) * vpw;
        r[0] = int(std::min(a.x(), b.x())) + 2;
        r[1] = int(std::min(a.y(), b.y())) + 2;
        r[2] = int(std::max(a.x(), b.x())) - 2;
        r[3] = int(std::max(a.y(), b.y())) - 2;
    };
    int rl[4], rm[4], rKept[4], rCut[4];
    region(osg::Vec3d(-3, 0, 0), -0.8, 0.8, rl);
    region(osg::Vec3d(0, 0, 0), -0.8, 0.8, rm);
    region(osg::Vec3d(3, 0, 0), -0.8, -0.1, rKept);
    region(osg::Vec3d(3, 0, 0), 0.1, 0.8, rCut);
    auto count = [&](const int r[4]) { return countPixels(gl->grabFramebuffer(), r[0], r[1], r[2], r[3]); };
    auto shot = [&](const char* name) {
        if (qEnvironmentVariableIsSet("NERIO_KEEP_SHOTS"))
            gl->grabFramebuffer().save(QStringLiteral("/tmp/highlight_%1.png").arg(name));
    };

    (void)QTest::qWaitFor([&] { return count(rl).blue > 100; }, 5000);
    shot("before");
    PixelCount before = count(rl);
    ASSERT_GT(before.blue, 100) << "the parts are not where the test expects them";
    EXPECT_EQ(before.red, 0);
    EXPECT_EQ(count(rCut).blue, 0) << "the clip plane does not cut";

    auto* manager = dynamic_cast<SelectionManager*>(view.getSelectionManager());
    ASSERT_NE(manager, nullptr);
    for (Model* m : {left.get(), middle.get(), right.get()})
        manager->addSelected(m);
    nerio_test::waitFrames(view);
    (void)QTest::qWaitFor([&] { return count(rl).red > 100 && count(rm).red > 100 && count(rKept).red > 100; }, 5000);
    shot("selected");
    // Stippled red over the blue vertex colours: both show.
    for (const int* r : {rl, rm, rKept}) {
        const PixelCount n = count(r);
        EXPECT_GT(n.red, 100);
        EXPECT_GT(n.blue, 100);
    }
    EXPECT_EQ(count(rCut).red, 0) << "the highlight ignores the clip plane";

    // One change of the template's colour recolours every highlight.
    view.GetSelectionDecoratorManager()->getMaterial()->setDiffuse(osg::Material::FRONT_AND_BACK,
                                                                   osg::Vec4(1, 1, 0, 1));
    nerio_test::waitFrames(view);
    (void)QTest::qWaitFor([&] { return count(rl).yellow > 100 && count(rm).yellow > 100 && count(rKept).yellow > 100; },
                    5000);
    shot("recoloured");
    for (const int* r : {rl, rm, rKept}) {
        const PixelCount n = count(r);
        EXPECT_GT(n.yellow, 100);
        EXPECT_EQ(n.red, 0);
    }

    // Hover: green over the middle part only, next to the yellow selection.
    manager->clearSelection();
    manager->preSelect(middle.get());
    nerio_test::waitFrames(view);
    (void)QTest::qWaitFor([&] { return count(rm).green > 100 && count(rl).yellow == 0; }, 5000);
    shot("preselected");
    EXPECT_GT(count(rm).green, 100);
    EXPECT_EQ(count(rl).green, 0);
    EXPECT_EQ(count(rl).yellow, 0);
}
