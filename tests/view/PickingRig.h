#pragma once

// A picking handler on a composite viewer with a fixed 400 x 300 viewport and an embedded window:
// events go through the viewer's own event traversal (so they carry what the real viewer adds),
// no GL context is made.

#include "view/PickingHandler.h"

#include "vantor/command/ISceneView.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/command/TempNodeManager.h"
#include "vantor/model/Model.h"

#include <osg/Geode>
#include <osg/Geometry>
#include <osgViewer/CompositeViewer>
#include <osgViewer/GraphicsWindow>

#include <string>
#include <vector>

namespace rig {

// Records what the handler asks of the selection.
class FakeSelectionManager : public Vantor::ISelectionManager
{
public:
    std::vector<std::string> calls;
    bool multiSelection = true;

    static std::string nameOf(osg::Node* node) { return node ? node->getName() : std::string("null"); }

    void clearSelection() override { calls.push_back("clear"); }
    bool selectNodes(NodePtrList nodes, bool) override
    {
        calls.push_back("selectList:" + std::to_string(nodes.size()));
        return true;
    }
    bool selectNode(osg::Node* node, bool undoable) override
    {
        calls.push_back("select:" + nameOf(node) + (undoable ? "" : ":notundoable"));
        return true;
    }
    bool unselectNodes(NodePtrList, bool) override { return true; }
    bool unselectNode(osg::Node*, bool) override { return true; }
    void clearPreSelection() override { calls.push_back("clearPre"); }
    bool preSelect(osg::Node* node) override
    {
        calls.push_back("pre:" + nameOf(node));
        return node != nullptr;
    }
    bool addSelectedList(NodePtrList&) override { return true; }
    bool setPickedGeometry(osg::Node*) override { return true; }
    bool addSelected(osg::Node*) override { return true; }
    bool removeSelectedList(NodePtrList&) override { return true; }
    bool removeSelected(osg::Node*) override { return true; }
    osg::Node* getPickedGeometry() override { return nullptr; }
    NodePtrList& getSelectedList() override { return selected; }
    NodePtrList getTopSelectedList() override { return selected; }
    bool addSelectionListener(osg::ref_ptr<Vantor::SelectionListener>) override { return true; }
    bool removeSelectionListener(osg::ref_ptr<Vantor::SelectionListener>) override { return true; }
    bool getMultiSelection() const override { return multiSelection; }
    void setMultiSelection(bool on) override { multiSelection = on; }
    bool getPreSelection() const override { return true; }
    void setPreSelection(bool) override {}

    // Only the selection calls, without the hover ones.
    std::vector<std::string> selectionCalls() const
    {
        std::vector<std::string> out;
        for (const auto& c : calls) {
            if (c != "clearPre" && c.rfind("pre:", 0) != 0)
                out.push_back(c);
        }
        return out;
    }

    NodePtrList selected;
};

class FakeSceneView : public Vantor::ISceneView
{
public:
    osg::BoundingBoxd box;
    Vantor::ISelectionManager* manager = nullptr;
    const osg::BoundingBoxd& getSceneBoundingBox() override { return box; }
    Vantor::ISelectionManager* getSelectionManager() override { return manager; }
    Vantor::ISelectionManager* setSelectionManager(Vantor::ISelectionManager* m) override { return manager = m; }
};

// Remembers the cursor codes the handler sets.
class CursorWindow : public osgViewer::GraphicsWindowEmbedded
{
public:
    explicit CursorWindow(osg::GraphicsContext::Traits* traits) : osgViewer::GraphicsWindowEmbedded(traits) {}
    void setCursor(MouseCursor cursor) override { cursors.push_back(int(cursor)); }
    int lastCursor() const { return cursors.empty() ? -1 : cursors.back(); }
    std::vector<int> cursors;
};

// A node of the annotation kind that the filter takes from the top-show scene.
class TestNote : public osg::Group
{
public:
    const char* className() const override { return "Note"; }
};

inline osg::ref_ptr<osg::Geode> makeBox(const osg::Vec3& c, float h)
{
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    const osg::Vec3 p[8] = {c + osg::Vec3(-h, -h, -h), c + osg::Vec3(h, -h, -h), c + osg::Vec3(h, h, -h),
                            c + osg::Vec3(-h, h, -h), c + osg::Vec3(-h, -h, h), c + osg::Vec3(h, -h, h),
                            c + osg::Vec3(h, h, h),   c + osg::Vec3(-h, h, h)};
    // Wound outward, as a closed body is.
    const int faces[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 4, 7, 3}};
    for (const auto& f : faces) {
        for (int i : f)
            v->push_back(p[i]);
    }
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setVertexArray(v.get());
    g->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, 24));
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(g.get());
    return geode;
}

inline osg::ref_ptr<Vantor::Model> makePart(const std::string& name, const osg::Vec3& at, float half)
{
    osg::ref_ptr<Vantor::Model> m = new Vantor::Model;
    m->setName(name);
    m->setMatrix(osg::Matrix::translate(at)); // geometry is local: picks must carry the transform
    m->addChild(makeBox(osg::Vec3(), half).get());
    return m;
}

struct Rig
{
    static constexpr int W = 400;
    static constexpr int H = 300;

    osg::ref_ptr<osgViewer::CompositeViewer> viewer = new osgViewer::CompositeViewer;
    osg::ref_ptr<osgViewer::View> view = new osgViewer::View;
    osg::ref_ptr<CursorWindow> window;
    osg::ref_ptr<PickingHandler> handler = new PickingHandler;
    osg::ref_ptr<FakeSelectionManager> selection = new FakeSelectionManager;
    FakeSceneView sceneView;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;

    // sceneGroup -> root switch -> spin -> NodeScene -> { ModelAppendData -> note, RootModel -> A, B, C }
    //                                   -> TempNodeManager
    osg::ref_ptr<osg::Group> sceneGroup = new osg::Group;
    osg::ref_ptr<osg::Group> nodeScene = new osg::Group;
    osg::ref_ptr<osg::MatrixTransform> spin = new osg::MatrixTransform;
    osg::ref_ptr<osg::Group> appendData = new osg::Group;
    osg::ref_ptr<Vantor::TempNodeManager> temp = new Vantor::TempNodeManager;
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    osg::ref_ptr<Vantor::Model> partA = makePart("A", osg::Vec3(-2, 0, 0), 1);
    osg::ref_ptr<Vantor::Model> partB = makePart("B", osg::Vec3(2, 0, 0), 1);
    osg::ref_ptr<Vantor::Model> partC = makePart("C", osg::Vec3(-2, 6, 0), 1); // behind A
    osg::ref_ptr<TestNote> note = new TestNote;

    Rig()
    {
        osg::ref_ptr<osg::GraphicsContext::Traits> traits = new osg::GraphicsContext::Traits;
        traits->width = W;
        traits->height = H;
        window = new CursorWindow(traits.get());
        // As the Qt window delivers them: y grows downwards.
        window->getEventQueue()->getCurrentEventState()->setMouseYOrientation(
            osgGA::GUIEventAdapter::Y_INCREASING_DOWNWARDS);
        window->getEventQueue()->windowResize(0, 0, W, H);
        view->getCamera()->setGraphicsContext(window.get());
        view->getCamera()->setViewport(0, 0, W, H);

        sceneGroup->setName("sceneGroup");
        osg::ref_ptr<osg::Switch> rootSwitch = new osg::Switch;
        rootSwitch->setName("rootSwitch");
        sceneGroup->addChild(rootSwitch.get());
        spin->setName("spinTransformScene");
        rootSwitch->addChild(spin.get());
        nodeScene->setName("NodeScene");
        spin->addChild(nodeScene.get());
        spin->addChild(temp.get());
        appendData->setName("ModelAppendData");
        nodeScene->addChild(appendData.get());
        note->setName("note");
        // A small note plate behind part B: annotations are drawn on top, so it wins there.
        note->addChild(makeBox(osg::Vec3(2.2f, 6, 0.2f), 0.3f).get());
        appendData->addChild(note.get());
        top->setName("RootModel");
        top->addChild(partA.get());
        top->addChild(partB.get());
        top->addChild(partC.get());
        nodeScene->addChild(top.get());

        view->setSceneData(sceneGroup.get());
        handler->setAllowThrow(false);
        handler->setKeyboardModifiersSource([this] { return modifiers; });
        sceneView.manager = selection.get();
        sceneView.box = Vantor::OsgHelper::getNodeWorldBoundingBox(top.get());
        handler->setSceneView(&sceneView);
        view->setCameraManipulator(handler.get(), false);
        viewer->addView(view.get());

        lookFrom(osg::Vec3d(0, -20, 0), osg::Vec3d(0, 0, 0));
    }

    ~Rig() { viewer->removeView(view.get()); }

    void lookFrom(const osg::Vec3d& eye, const osg::Vec3d& center)
    {
        handler->setTransformation(eye, center, osg::Vec3d(0, 0, 1));
        refreshCamera();
    }

    void refreshCamera() { handler->updateCamera(*view->getCamera()); }

    // Runs the queued events through the viewer, then updates the camera as a frame would.
    void traverse()
    {
        viewer->advance();
        viewer->eventTraversal();
        refreshCamera();
    }

    osgGA::EventQueue& queue() { return *window->getEventQueue(); }

    // Window input position (y down, as the queue takes it) of a normalised position.
    static float inX(double nx) { return float((nx + 1.0) * 0.5 * (W - 1)); }
    static float inY(double ny) { return float((H - 1) - (ny + 1.0) * 0.5 * (H - 1)); }

    // Normalised device position of a world point with the current camera.
    osg::Vec2d ndc(const osg::Vec3d& world) const
    {
        const osg::Camera* camera = view->getCamera();
        const osg::Vec3d p = world * camera->getViewMatrix() * camera->getProjectionMatrix();
        return osg::Vec2d(p.x(), p.y());
    }

    // The first world point of the model under a normalised position (nothing else counts).
    bool worldUnder(const osg::Vec2d& n, osg::Vec3d& point) const
    {
        osgUtil::LineSegmentIntersector::Intersections hits;
        const osg::NodePath path = Vantor::OsgHelper::computeNodePath(top.get());
        if (!view->computeIntersections(view->getCamera(), osgUtil::Intersector::PROJECTION, float(n.x()),
                                        float(n.y()), path, hits))
            return false;
        point = hits.begin()->getWorldIntersectPoint();
        return true;
    }

    void move(const osg::Vec2d& n)
    {
        queue().mouseMotion(inX(n.x()), inY(n.y()));
        traverse();
    }
    void press(const osg::Vec2d& n, int button = 1)
    {
        queue().mouseButtonPress(inX(n.x()), inY(n.y()), button);
        traverse();
    }
    void release(const osg::Vec2d& n, int button = 1)
    {
        queue().mouseButtonRelease(inX(n.x()), inY(n.y()), button);
        traverse();
    }
    void click(const osg::Vec2d& n)
    {
        press(n);
        release(n);
    }
    void scroll(osgGA::GUIEventAdapter::ScrollingMotion motion, const osg::Vec2d& n)
    {
        queue().mouseMotion(inX(n.x()), inY(n.y()));
        queue().mouseScroll(motion);
        traverse();
    }

    osg::Vec3d eye() const { return osg::Vec3d() * handler->getMatrix(); }
};

} // namespace rig
