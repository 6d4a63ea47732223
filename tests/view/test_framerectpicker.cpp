#include "PickingRig.h"
#include "support/TestSupport.h"
#include "view/FrameRectPicker.h"
#include "vantor/command/TempNodeManager.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Geometry>
#include <osg/MatrixTransform>
#include <osgViewer/View>

#include <string>
#include <vector>

namespace {

using GEA = osgGA::GUIEventAdapter;
using Vantor::Model;

// Nodes of the annotation kinds, told apart by their class name only.
template <const char* Name>
class Named : public osg::Group
{
public:
    const char* className() const override { return Name; }
};
const char NoteName[] = "Note";
const char MeasureName[] = "Measure";
using TestNote = Named<NoteName>;
using TestMeasure = Named<MeasureName>;

// A flat square in the plane y = 0, facing the camera, as one drawable.
osg::ref_ptr<osg::Geometry> square(const osg::Vec3& c, float h)
{
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    v->push_back(c + osg::Vec3(-h, 0, -h));
    v->push_back(c + osg::Vec3(h, 0, -h));
    v->push_back(c + osg::Vec3(h, 0, h));
    v->push_back(c + osg::Vec3(-h, 0, h));
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setVertexArray(v.get());
    g->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, 4));
    return g;
}

// A part at x made of two drawables side by side (so it is hit more than once).
osg::ref_ptr<Model> part(const std::string& name, double x)
{
    osg::ref_ptr<Model> m = new Model;
    m->setName(name);
    m->setMatrix(osg::Matrix::translate(x, 0, 0));
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(square(osg::Vec3(-0.5f, 0, 0), 0.5f).get());
    geode->addDrawable(square(osg::Vec3(0.5f, 0, 0), 0.5f).get());
    m->addChild(geode.get());
    return m;
}

// sceneGroup -> spin -> { NodeScene -> { ModelAppendData, top -> parts }, TempNodeManager }, seen from
// (0, -20, 0) through a 400 x 300 viewport; parts A at x = -2, B at x = 2, C at x = 7.
struct Scene
{
    Scene()
    {
        view->getCamera()->setViewport(0, 0, 400, 300);
        view->getCamera()->setProjectionMatrixAsPerspective(40.0, 400.0 / 300.0, 1.0, 100.0);
        view->getCamera()->setViewMatrixAsLookAt(osg::Vec3d(0, -20, 0), osg::Vec3d(), osg::Vec3d(0, 0, 1));
        sceneGroup->addChild(spin.get());
        spin->addChild(nodeScene.get());
        spin->addChild(temps.get());
        appendData->setName("ModelAppendData");
        nodeScene->addChild(appendData.get());
        nodeScene->addChild(top.get());
        for (auto* m : {a.get(), b.get(), c.get()})
            top->addChild(m);
        view->setSceneData(sceneGroup.get());
    }

    // Normalised window position of a world point.
    osg::Vec2d ndc(const osg::Vec3d& world) const
    {
        const osg::Camera* camera = view->getCamera();
        const osg::Vec3d p = world * camera->getViewMatrix() * camera->getProjectionMatrix();
        return osg::Vec2d(p.x(), p.y());
    }

    osg::ref_ptr<GEA> event(GEA::EventType type, const osg::Vec2d& n) const
    {
        osg::ref_ptr<GEA> e = new GEA;
        e->setEventType(type);
        e->setInputRange(-1, -1, 1, 1);
        e->setMouseYOrientation(yDown ? GEA::Y_INCREASING_DOWNWARDS : GEA::Y_INCREASING_UPWARDS);
        e->setX(float(n.x()));
        e->setY(float(yDown ? -n.y() : n.y()));
        e->setButtonMask(GEA::LEFT_MOUSE_BUTTON);
        return e;
    }

    bool send(GEA::EventType type, const osg::Vec2d& n) { return picker->handle(*event(type, n), *view); }

    // Press at one corner, drag, release at the other; the nodes picked.
    NodePtrList span(const osg::Vec2d& from, const osg::Vec2d& to)
    {
        send(GEA::PUSH, from);
        send(GEA::DRAG, (from + to) * 0.5);
        send(GEA::DRAG, to);
        send(GEA::RELEASE, to);
        lastLimit = picker->getModelIntersector() ? int(picker->getModelIntersector()->getIntersectionLimit()) : -1;
        return picker->getPickedNodes();
    }
    NodePtrList spanWorld(const osg::Vec3d& from, const osg::Vec3d& to) { return span(ndc(from), ndc(to)); }

    static std::string names(const NodePtrList& nodes)
    {
        std::string text;
        for (const auto& n : nodes)
            text += (text.empty() ? "" : ",") + n->getName();
        return text;
    }

    osg::ref_ptr<osgViewer::View> view = new osgViewer::View;
    osg::ref_ptr<FrameRectPicker> picker = new FrameRectPicker;
    osg::ref_ptr<osg::Group> sceneGroup = new osg::Group;
    osg::ref_ptr<osg::MatrixTransform> spin = new osg::MatrixTransform;
    osg::ref_ptr<osg::Group> nodeScene = new osg::Group;
    osg::ref_ptr<osg::Group> appendData = new osg::Group;
    osg::ref_ptr<Vantor::TempNodeManager> temps = new Vantor::TempNodeManager;
    osg::ref_ptr<Model> top = new Model;
    osg::ref_ptr<Model> a = part("A", -2);
    osg::ref_ptr<Model> b = part("B", 2);
    osg::ref_ptr<Model> c = part("C", 7);
    bool yDown = false;
    int lastLimit = -1;
};

// An annotation plate at a point, below `depth` plain groups under the annotation node.
osg::ref_ptr<osg::Group> annotation(osg::ref_ptr<osg::Group> node, const std::string& name, const osg::Vec3& at,
                                    int depth = 0)
{
    node->setName(name);
    osg::Group* parent = node.get();
    for (int i = 0; i < depth; ++i) {
        osg::ref_ptr<osg::Group> g = new osg::Group;
        parent->addChild(g.get());
        parent = g.get();
    }
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(square(at, 0.3f).get());
    parent->addChild(geode.get());
    return node;
}

struct NotAView : osgGA::GUIActionAdapter
{
    void requestRedraw() override {}
    void requestContinuousUpdate(bool) override {}
    void requestWarpPointer(float, float) override {}
};

} // namespace

TEST(FrameRectPicker, GestureDrawsTheRectangleOnAHeadUpCameraAddedOncePerScene)
{
    Scene s;
    const osg::Vec2d from(-0.5, 0.4), to(0.25, -0.1);

    NotAView notAView;
    EXPECT_FALSE(s.picker->handle(*s.event(GEA::PUSH, from), notAView));
    EXPECT_EQ(s.picker->getHudCamera(), nullptr);

    // A drag before any press changes nothing and is not consumed.
    EXPECT_FALSE(s.send(GEA::DRAG, to));

    EXPECT_TRUE(s.send(GEA::PUSH, from));
    EXPECT_TRUE(s.picker->isDragging());
    osg::Camera* camera = s.picker->getHudCamera();
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->getName(), "FRAME_PICKER_TIP");
    EXPECT_EQ(s.temps->getSubNodeByName("FRAME_PICKER_TIP"), camera);
    EXPECT_EQ(camera->getNodeMask(), ~0u);
    EXPECT_EQ(camera->getReferenceFrame(), osg::Transform::ABSOLUTE_RF);
    EXPECT_EQ(camera->getRenderOrder(), osg::Camera::POST_RENDER);
    EXPECT_EQ(camera->getClearMask(), GLbitfield(GL_DEPTH_BUFFER_BIT));
    EXPECT_FALSE(camera->getAllowEventFocus());
    // A vertex (x, 0, y) lands at the normalised window position (x, y).
    const osg::Vec3d placed = osg::Vec3d(0.3, 0, -0.7) * camera->getViewMatrix() * camera->getProjectionMatrix();
    EXPECT_NEAR(placed.x(), 0.3, 1e-9);
    EXPECT_NEAR(placed.y(), -0.7, 1e-9);

    EXPECT_TRUE(s.send(GEA::DRAG, to));
    auto* corners = dynamic_cast<osg::Vec3Array*>(s.picker->getRectangle()->getVertexArray());
    ASSERT_NE(corners, nullptr);
    ASSERT_EQ(corners->size(), 4u);
    const osg::Vec3 expected[4] = {{-0.5f, 0, 0.4f}, {-0.5f, 0, -0.1f}, {0.25f, 0, -0.1f}, {0.25f, 0, 0.4f}};
    for (int i = 0; i < 4; ++i)
        EXPECT_LT(((*corners)[i] - expected[i]).length(), 1e-6f) << "corner " << i;

    EXPECT_TRUE(s.send(GEA::RELEASE, to));
    EXPECT_FALSE(s.picker->isDragging());
    EXPECT_EQ(camera->getNodeMask(), 0u);
    corners = dynamic_cast<osg::Vec3Array*>(s.picker->getRectangle()->getVertexArray());
    for (const auto& corner : *corners)
        EXPECT_EQ(corner, osg::Vec3());

    // A second gesture reuses the camera; a new scene gets it added as well.
    s.span(from, to);
    EXPECT_EQ(s.temps->getNumChildren(), 1u);
    osg::ref_ptr<Vantor::TempNodeManager> newTemps = new Vantor::TempNodeManager;
    s.spin->replaceChild(s.temps.get(), newTemps.get());
    s.send(GEA::PUSH, from);
    EXPECT_EQ(newTemps->getSubNodeByName("FRAME_PICKER_TIP"), camera);

    // Releasing Ctrl hides the rectangle and is consumed; other keys are not.
    osg::ref_ptr<GEA> key = new GEA;
    key->setEventType(GEA::KEYUP);
    key->setKey(GEA::KEY_Shift_L);
    EXPECT_FALSE(s.picker->handle(*key, *s.view));
    EXPECT_EQ(camera->getNodeMask(), ~0u);
    key->setKey(GEA::KEY_Control_R);
    EXPECT_TRUE(s.picker->handle(*key, *s.view));
    EXPECT_EQ(camera->getNodeMask(), 0u);
}

TEST(FrameRectPicker, PartsInsideAreListedOnceEachWhicheverWayTheRectangleIsDrawn)
{
    struct Case
    {
        const char* name;
        osg::Vec3d from, to;
        bool yDown;
        int limit;
    } cases[] = {
        // Upper left to lower right: one hit per drawable.
        {"window", {-3.5, 0, 1.5}, {3.5, 0, -1.5}, false, osgUtil::Intersector::LIMIT_ONE_PER_DRAWABLE},
        {"window, y down events", {-3.5, 0, 1.5}, {3.5, 0, -1.5}, true, osgUtil::Intersector::LIMIT_ONE_PER_DRAWABLE},
        // Any other way: everything the rectangle touches.
        {"lower right to upper left", {3.5, 0, -1.5}, {-3.5, 0, 1.5}, false, osgUtil::Intersector::NO_LIMIT},
        {"lower left to upper right", {-3.5, 0, -1.5}, {3.5, 0, 1.5}, true, osgUtil::Intersector::NO_LIMIT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scene s;
        s.yDown = c.yDown;
        const NodePtrList picked = s.spanWorld(c.from, c.to);
        EXPECT_EQ(s.lastLimit, c.limit);
        ASSERT_EQ(picked.size(), 2u) << Scene::names(picked);
        EXPECT_NE(Scene::names(picked).find('A'), std::string::npos);
        EXPECT_NE(Scene::names(picked).find('B'), std::string::npos);
        // The results are released with the collection.
        EXPECT_TRUE(s.picker->getPickedNodes().empty());
    }
}

TEST(FrameRectPicker, AnnotationsComeFirstAndSingleSelectionKeepsOnlyTheFirst)
{
    Scene s;
    s.appendData->addChild(annotation(new TestNote, "note", osg::Vec3(0, -1, 0)).get());
    s.appendData->addChild(annotation(new TestMeasure, "measure", osg::Vec3(0, -1, 1)).get());

    NodePtrList picked = s.spanWorld(osg::Vec3d(-3.5, 0, 1.5), osg::Vec3d(3.5, 0, -1.5));
    ASSERT_EQ(picked.size(), 4u) << Scene::names(picked);
    const std::string first = picked.front()->getName();
    const std::string second = (*std::next(picked.begin()))->getName();
    EXPECT_TRUE((first == "note" && second == "measure") || (first == "measure" && second == "note"))
        << Scene::names(picked);

    s.picker->setMultiSelection(false);
    picked = s.spanWorld(osg::Vec3d(-3.5, 0, 1.5), osg::Vec3d(3.5, 0, -1.5));
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked.front()->getName(), first);
    picked = s.spanWorld(osg::Vec3d(1, 0, 1.5), osg::Vec3d(3.5, 0, -1.5)); // B alone
    EXPECT_EQ(Scene::names(picked), "B");
}

TEST(FrameRectPicker, AnnotationNodeMustLieWithinTenNodesOfTheHitAndOutsideClippedModels)
{
    struct Case
    {
        const char* name;
        int depth; // plain groups between the annotation node and the plate's geode
        bool underClippedModel;
        bool found;
    } cases[] = {
        // The hit's path ends at the geode: geode, groups..., note.
        {"note is the tenth node", 8, false, true},
        {"note is the eleventh node", 9, false, false},
        {"under a clipped model", 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scene s;
        osg::ref_ptr<osg::Group> note = annotation(new TestNote, "note", osg::Vec3(2, -1, 0), c.depth);
        osg::ref_ptr<Model> holder = new Model;
        holder->setName("holder");
        holder->addChild(note.get());
        s.appendData->addChild(holder.get());
        if (c.underClippedModel)
            s.picker->setClipedModels(Vantor::ObserverNodeList{holder.get()});
        const NodePtrList picked = s.spanWorld(osg::Vec3d(1, 0, 1.5), osg::Vec3d(3.5, 0, -1.5));
        EXPECT_EQ(Scene::names(picked), c.found ? "note,B" : "B");
    }
}

TEST(FrameRectPicker, OpenClipPlanesLimitWhatTheRectangleTakes)
{
    struct Case
    {
        const char* name;
        std::vector<osg::Plane> planes;
        std::string picked;
    } cases[] = {
        {"no section", {}, "A,B"},
        {"A wholly cut away", {osg::Plane(1, 0, 0, 0)}, "B"},      // keeps x >= 0
        {"A partly kept", {osg::Plane(1, 0, 0, 2.5)}, "A,B"},     // keeps x >= -2.5
        {"both cut away", {osg::Plane(1, 0, 0, 0), osg::Plane(-1, 0, 0, 0.5)}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scene s;
        s.picker->setClipPlanes(c.planes);
        NodePtrList picked = s.spanWorld(osg::Vec3d(-3.5, 0, 1.5), osg::Vec3d(3.5, 0, -1.5));
        picked.sort([](const osg::ref_ptr<osg::Node>& x, const osg::ref_ptr<osg::Node>& y) {
            return x->getName() < y->getName();
        });
        EXPECT_EQ(Scene::names(picked), c.picked);
    }
}

TEST(FrameRectPicker, TransformsAboveTheModelSceneMoveWhatIsInside)
{
    Scene s;
    s.spin->setMatrix(osg::Matrix::translate(0, 0, 4));
    EXPECT_EQ(Scene::names(s.spanWorld(osg::Vec3d(-3.5, 0, 1.5), osg::Vec3d(-0.5, 0, -1.5))), "");
    EXPECT_EQ(Scene::names(s.spanWorld(osg::Vec3d(-3.5, 0, 5.5), osg::Vec3d(-0.5, 0, 2.5))), "A");
}

TEST(FrameRectPicker, WithoutBothSceneNodesTheReleaseQueriesNothing)
{
    Scene s;
    s.nodeScene->removeChild(s.appendData.get());
    EXPECT_TRUE(s.send(GEA::PUSH, osg::Vec2d(-0.9, 0.9)));
    EXPECT_TRUE(s.send(GEA::RELEASE, osg::Vec2d(0.9, -0.9)));
    EXPECT_EQ(s.picker->getModelIntersector(), nullptr);
    EXPECT_TRUE(s.picker->getPickedNodes().empty());
}

// ---------------------------------------------------------------- through the picking handler

TEST(FrameRectPicker, CtrlDragThroughThePickingHandlerSelectsWhatIsInside)
{
    struct Case
    {
        const char* name;
        bool multi;
        osg::Vec3d from, to;
        std::vector<std::string> calls;
    } cases[] = {
        // Part B and the note plate behind it.
        {"a part and a note", true, {1, 0, 1.5}, {3.5, 0, -1.5}, {"clear", "selectList:2"}},
        {"single selection", false, {1, 0, 1.5}, {3.5, 0, -1.5}, {"clear", "selectList:1"}},
        {"empty rectangle still clears", true, {-0.8, 0, 3}, {0.8, 0, 2}, {"clear"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rig::Rig r;
        r.selection->multiSelection = c.multi;
        r.modifiers = Qt::ControlModifier;
        const osg::Vec2d from = r.ndc(c.from), to = r.ndc(c.to);
        r.press(from);
        r.move((from + to) * 0.5);
        r.move(to);
        osg::Camera* tip = r.handler->getFramePicker()->getHudCamera();
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(tip->getNodeMask(), ~0u);
        r.release(to);
        EXPECT_EQ(r.selection->selectionCalls(), c.calls);
        EXPECT_EQ(tip->getNodeMask(), 0u);
    }
}
