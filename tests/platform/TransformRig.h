#pragma once

// A scene as the view builds it, on a composite viewer with a fixed 400 x 300 viewport and an embedded
// window (no GL context), a command manager with a plain selection, and a pump that hands every event
// to the running command, as the view's first handler does.

#include "vantor/align/AlignManager.h"
#include "vantor/command/CommandListener.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/TempNodeManager.h"
#include "vantor/model/Model.h"
#include "vantor/model/PropertiesManager.h"

#include <osg/Geode>
#include <osg/Geometry>
#include <osg/Switch>
#include <osgGA/GUIEventHandler>
#include <osgViewer/CompositeViewer>
#include <osgViewer/GraphicsWindow>

#include <memory>
#include <string>
#include <vector>

namespace transformrig {

class Selection : public Vantor::ISelectionManager
{
public:
    void clearSelection() override { selected.clear(); }
    bool selectNodes(NodePtrList nodes, bool) override { return addSelectedList(nodes); }
    bool selectNode(osg::Node* node, bool) override { return addSelected(node); }
    bool unselectNodes(NodePtrList, bool) override { return true; }
    bool unselectNode(osg::Node* node, bool) override { return removeSelected(node); }
    void clearPreSelection() override {}
    bool preSelect(osg::Node*) override { return true; }
    bool addSelectedList(NodePtrList& nodes) override
    {
        selected.insert(selected.end(), nodes.begin(), nodes.end());
        return true;
    }
    bool setPickedGeometry(osg::Node*) override { return true; }
    bool addSelected(osg::Node* node) override
    {
        selected.push_back(node);
        return true;
    }
    bool removeSelectedList(NodePtrList&) override { return true; }
    bool removeSelected(osg::Node* node) override
    {
        selected.remove(node);
        return true;
    }
    osg::Node* getPickedGeometry() override { return nullptr; }
    NodePtrList& getSelectedList() override { return selected; }
    NodePtrList getTopSelectedList() override { return selected; }
    bool addSelectionListener(osg::ref_ptr<Vantor::SelectionListener>) override { return true; }
    bool removeSelectionListener(osg::ref_ptr<Vantor::SelectionListener>) override { return true; }
    bool getMultiSelection() const override { return true; }
    void setMultiSelection(bool) override {}
    bool getPreSelection() const override { return false; }
    void setPreSelection(bool) override {}

    NodePtrList selected;
};

class TipRecorder : public Vantor::CommandListener
{
public:
    void onCommandTipChanged(const Vantor::CommandTip& tip) override { tips.push_back(tip); }
    std::string last() const { return tips.empty() ? std::string() : tips.back(); }
    std::vector<std::string> tips;
};

class Pump : public osgGA::GUIEventHandler
{
public:
    explicit Pump(std::shared_ptr<Vantor::CommandManager> manager) : m_manager(manager) {}
    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override
    {
        auto manager = m_manager.lock();
        if (!manager)
            return false;
        manager->setViewer(dynamic_cast<osgViewer::View*>(&aa));
        auto current = manager->getCurrentCommand();
        return current ? current->handle(ea, aa) : false;
    }

private:
    std::weak_ptr<Vantor::CommandManager> m_manager;
};

// A closed box centred on c with half size h, wound outwards, with one normal per corner of each face.
inline osg::ref_ptr<osg::Geode> makeBox(const osg::Vec3& c, const osg::Vec3& h)
{
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    osg::ref_ptr<osg::Vec3Array> n = new osg::Vec3Array;
    auto quad = [&](osg::Vec3 a, osg::Vec3 b, osg::Vec3 cc, osg::Vec3 d) {
        osg::Vec3 normal = (b - a) ^ (cc - a);
        normal.normalize();
        for (const osg::Vec3& p : {a, b, cc, a, cc, d}) {
            v->push_back(p);
            n->push_back(normal);
        }
    };
    const float x0 = c.x() - h.x(), x1 = c.x() + h.x(), y0 = c.y() - h.y(), y1 = c.y() + h.y(), z0 = c.z() - h.z(),
                z1 = c.z() + h.z();
    quad({x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}); // bottom, -z
    quad({x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}); // top, +z
    quad({x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}); // front, -y
    quad({x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}); // back, +y
    quad({x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}); // left, -x
    quad({x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}); // right, +x
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setVertexArray(v.get());
    g->setNormalArray(n.get(), osg::Array::BIND_PER_VERTEX);
    g->addPrimitiveSet(new osg::DrawArrays(GL_TRIANGLES, 0, GLsizei(v->size())));
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(g.get());
    return geode;
}

inline osg::ref_ptr<Vantor::Model> makePart(const std::string& name, const osg::Vec3& at, const osg::Vec3& half)
{
    osg::ref_ptr<Vantor::Model> m = new Vantor::Model;
    m->setName(name);
    m->setMatrix(osg::Matrix::translate(at));
    m->addChild(makeBox(osg::Vec3(), half).get());
    return m;
}

struct Rig
{
    static constexpr int W = 400;
    static constexpr int H = 300;

    osg::ref_ptr<osgViewer::CompositeViewer> viewer = new osgViewer::CompositeViewer;
    osg::ref_ptr<osgViewer::View> view = new osgViewer::View;
    osg::ref_ptr<osgViewer::GraphicsWindowEmbedded> window;
    osg::ref_ptr<Selection> selection = new Selection;
    std::shared_ptr<Vantor::CommandManager> manager = std::make_shared<Vantor::CommandManager>();
    std::shared_ptr<TipRecorder> tips = std::make_shared<TipRecorder>();

    // sceneGroup -> rootSwitch -> spin -> NodeScene -> { top -> A, B, C; ModelAppendData -> properties; align }
    //                                  -> TempNodeManager
    osg::ref_ptr<osg::Group> sceneGroup = new osg::Group;
    osg::ref_ptr<osg::MatrixTransform> spin = new osg::MatrixTransform;
    osg::ref_ptr<osg::Group> nodeScene = new osg::Group;
    osg::ref_ptr<osg::Group> appendData = new osg::Group;
    osg::ref_ptr<Vantor::TempNodeManager> temp = new Vantor::TempNodeManager;
    osg::ref_ptr<Vantor::PropertiesManager> properties = new Vantor::PropertiesManager;
    osg::ref_ptr<Vantor::AlignManager> align = new Vantor::AlignManager;
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    // Three parts of one assembly; the top model is itself placed, so world and local frames differ.
    osg::ref_ptr<Vantor::Model> partA = makePart("A", osg::Vec3(-4, 0, 0), osg::Vec3(1, 1, 1));
    osg::ref_ptr<Vantor::Model> partB = makePart("B", osg::Vec3(4, 0, 0), osg::Vec3(1, 1, 1));
    osg::ref_ptr<Vantor::Model> partC = makePart("C", osg::Vec3(0, 0, 6), osg::Vec3(1, 1, 1));

    Rig()
    {
        osg::ref_ptr<osg::GraphicsContext::Traits> traits = new osg::GraphicsContext::Traits;
        traits->width = W;
        traits->height = H;
        window = new osgViewer::GraphicsWindowEmbedded(traits.get());
        window->getEventQueue()->getCurrentEventState()->setMouseYOrientation(
            osgGA::GUIEventAdapter::Y_INCREASING_DOWNWARDS);
        window->getEventQueue()->windowResize(0, 0, W, H);
        view->getCamera()->setGraphicsContext(window.get());
        view->getCamera()->setViewport(0, 0, W, H);
        view->getCamera()->setProjectionMatrixAsPerspective(40.0, double(W) / H, 1.0, 1000.0);
        view->getCamera()->setViewMatrixAsLookAt(osg::Vec3d(0, -40, 3), osg::Vec3d(0, 0, 3), osg::Vec3d(0, 0, 1));
        view->getCamera()->setComputeNearFarMode(osg::CullSettings::DO_NOT_COMPUTE_NEAR_FAR);

        sceneGroup->setName("sceneGroup");
        osg::ref_ptr<osg::Switch> rootSwitch = new osg::Switch;
        rootSwitch->setName("rootSwitch");
        sceneGroup->addChild(rootSwitch.get());
        spin->setName("spinTransformScene");
        rootSwitch->addChild(spin.get());
        nodeScene->setName("NodeScene");
        spin->addChild(nodeScene.get());
        spin->addChild(temp.get());
        top->setName("RootModel");
        top->setMatrix(osg::Matrix::translate(0, 0, 1));
        top->addChild(partA.get());
        top->addChild(partB.get());
        top->addChild(partC.get());
        nodeScene->addChild(top.get());
        appendData->setName("ModelAppendData");
        nodeScene->addChild(appendData.get());
        appendData->addChild(properties.get());
        nodeScene->addChild(align.get());
        properties->recordModelProperties(top, true);

        view->setSceneData(sceneGroup.get());
        view->addEventHandler(new Pump(manager));
        viewer->addView(view.get());
        manager->setViewer(view.get());
        manager->setSelectionManager(selection.get());
        manager->AddCommandListener(tips);
    }

    ~Rig()
    {
        manager->CancelCurrentCmd();
        viewer->removeView(view.get());
    }

    // As the pump starts a queued command.
    void start(std::shared_ptr<Vantor::Command> command)
    {
        manager->setViewer(view.get());
        manager->DoCommand(command);
        manager->setCurrentCommand(command);
    }

    void select(osg::Node* node)
    {
        selection->selected.clear();
        selection->selected.push_back(node);
    }

    void traverse()
    {
        viewer->advance();
        viewer->eventTraversal();
    }

    osgGA::EventQueue& queue() { return *window->getEventQueue(); }

    // Window position (y down, as the queue takes it) of a world point.
    osg::Vec2d windowOf(const osg::Vec3d& world) const
    {
        const osg::Camera* camera = view->getCamera();
        const osg::Vec3d p = world * camera->getViewMatrix() * camera->getProjectionMatrix() *
                             camera->getViewport()->computeWindowMatrix();
        return osg::Vec2d(p.x(), (H - 1) - p.y());
    }

    void press(const osg::Vec2d& p)
    {
        queue().mouseButtonPress(float(p.x()), float(p.y()), 1);
        traverse();
    }
    void moveTo(const osg::Vec2d& p)
    {
        queue().mouseMotion(float(p.x()), float(p.y()));
        traverse();
    }
    void release(const osg::Vec2d& p)
    {
        queue().mouseButtonRelease(float(p.x()), float(p.y()), 1);
        traverse();
    }
    void click(const osg::Vec2d& p)
    {
        press(p);
        release(p);
    }
};

inline osg::Vec3d worldCentre(osg::Node* node)
{
    osg::NodePath path = node->getParentalNodePaths().front();
    return osg::Vec3d() * osg::computeLocalToWorld(path);
}

} // namespace transformrig
