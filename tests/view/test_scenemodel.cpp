// The scene holder: its subgraph, model replacement, highlight wrapper and model look-ups.
#include <gtest/gtest.h>

#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "vantor/align/AlignManager.h"
#include "vantor/assembly/AssemblyManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/TempNodeManager.h"
#include "vantor/effect/EffectManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/model/Model.h"
#include "vantor/model/PropertiesManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"
#include "vantor/view/ViewManager.h"
#include "view/SceneModel.h"
#include "view/PickingHandler.h"
#include "view/SceneView.h"
#include "osgqt/GraphicsWindowQt.h"

#include <osg/Geode>
#include <osg/Geometry>
#include <osg/LightSource>
#include <osgFX/Scribe>

#include <QStringList>
#include <QTest>

using namespace Vantor;

namespace {

std::vector<osg::Node*> children(const osg::Group* g)
{
    std::vector<osg::Node*> out;
    for (unsigned i = 0; g && i < g->getNumChildren(); ++i)
        out.push_back(const_cast<osg::Node*>(g->getChild(i)));
    return out;
}

// Counts the highlight wrappers anywhere below the node.
int countScribes(osg::Node* node)
{
    if (!node)
        return 0;
    int n = dynamic_cast<osgFX::Scribe*>(node) ? 1 : 0;
    if (osg::Group* g = node->asGroup())
        for (unsigned i = 0; i < g->getNumChildren(); ++i)
            n += countScribes(g->getChild(i));
    return n;
}

struct Signals
{
    QStringList seen;
    explicit Signals(SceneModel& m)
    {
        QObject::connect(&m, &SceneModel::loadBegin, [this](bool r) { seen << (r ? "begin(true)" : "begin(false)"); });
        QObject::connect(&m, &SceneModel::loadFinished, [this] { seen << "finished"; });
    }
};

struct Noop : Command
{
    bool Execute() override { return true; }
    bool Unexecute() override { return true; }
};

// Puts something into every manager, so clearing can be seen.
void fill(SceneModel& scene, osg::Node* oldModel)
{
    scene.getNoteManager()->InsertNotations(new Note, 0);
    scene.getMeasureManager()->InsertMeasure(new Measure, 0);
    scene.getSectionManager()->InsertSection(new Section, 0);
    scene.getViewManager()->AddView(new View);
    scene.getTempNodeManager()->addChild(new osg::Node);
    if (auto* model = dynamic_cast<Model*>(oldModel))
        scene.getPropertiesManager()->recordModelProperties(model, true);
    if (scene.getCommandManager())
        scene.getCommandManager()->DoCommand(std::make_shared<Noop>());
}

void expectCleared(SceneModel& scene, osg::Node* oldModel)
{
    EXPECT_EQ(scene.getNoteManager()->getNumChildren(), 0u);
    EXPECT_EQ(scene.getMeasureManager()->getNumChildren(), 0u);
    EXPECT_EQ(scene.getSectionManager()->getNumChildren(), 0u);
    EXPECT_EQ(scene.getViewManager()->getNumChildren(), 0u);
    EXPECT_EQ(scene.getTempNodeManager()->getNumChildren(), 0u);
    EXPECT_FALSE(scene.getPropertiesManager()->hasModelProperties(oldModel));
    EXPECT_FALSE(scene.getCommandManager()->CanUndo());
}

} // namespace

TEST(SceneModel, BuildsTheFixedSubgraph)
{
    SceneModel scene;
    osg::Switch* root = scene.getRootSwitch();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getName(), "rootSwitch");
    ASSERT_EQ(root->getNumChildren(), 2u);
    osg::Group* lights = root->getChild(0)->asGroup();
    ASSERT_NE(lights, nullptr);
    EXPECT_TRUE(lights->getName().empty());
    EXPECT_EQ(root->getChild(1), scene.getSpinTransform());
    EXPECT_EQ(scene.getSpinTransform()->getName(), "spinTransformScene");
    EXPECT_TRUE(scene.getSpinTransform()->getMatrix().isIdentity());
    EXPECT_EQ(children(scene.getSpinTransform()),
              (std::vector<osg::Node*>{scene.getNodeScene(), scene.getTempNodeManager().get()}));

    osg::Group* nodeScene = scene.getNodeScene();
    EXPECT_EQ(nodeScene->getName(), "NodeScene");
    ASSERT_NE(nodeScene->getStateSet(), nullptr);
    EXPECT_EQ(nodeScene->getStateSet()->getMode(GL_DEPTH_TEST) & osg::StateAttribute::ON, osg::StateAttribute::ON);
    EXPECT_EQ(children(nodeScene),
              (std::vector<osg::Node*>{scene.getModel(), scene.getModelAppendData(), scene.getAssemblyManager().get(),
                                       scene.getEffectManager().get(), scene.getAlignManager().get()}));
    EXPECT_EQ(scene.getModel()->getName(), "RootModel");
    EXPECT_STREQ(scene.getModel()->className(), "Node");
    EXPECT_EQ(scene.getModelAppendData()->getName(), "ModelAppendData");
    EXPECT_EQ(children(scene.getModelAppendData()),
              (std::vector<osg::Node*>{scene.getMeasureManager().get(), scene.getNoteManager().get(),
                                       scene.getSectionManager().get(), scene.getPropertiesManager().get(),
                                       scene.getViewManager().get()}));
    EXPECT_TRUE(scene.getModelMatrix().isIdentity());
    EXPECT_EQ(scene.getCommandManager(), nullptr);

    struct LightCase
    {
        const char* name;
        int number;
        osg::Vec4 ambient, diffuse, specular, position;
    };
    const LightCase expected[] = {
        {"DEFAULT_DIRECTIONAL_LIGHT", 0, {.4f, .4f, .4f, 1}, {.6f, .6f, .6f, 1}, {1, 1, 1, 1}, {0, 1000, 1000, 0}},
        {"DEFAULT_POINT_LIGHT", 1, {.3f, .3f, .3f, 1}, {.6f, .6f, .6f, 1}, {1, 1, 1, 1}, {0, 1000, 1000, 100}},
    };
    ASSERT_EQ(lights->getNumChildren(), 2u);
    for (unsigned i = 0; i < 2; ++i) {
        auto* source = dynamic_cast<osg::LightSource*>(lights->getChild(i));
        ASSERT_NE(source, nullptr);
        const LightCase& e = expected[i];
        EXPECT_EQ(source->getName(), e.name);
        const osg::Light* light = source->getLight();
        EXPECT_EQ(light->getLightNum(), e.number);
        EXPECT_EQ(light->getAmbient(), e.ambient) << e.name;
        EXPECT_EQ(light->getDiffuse(), e.diffuse) << e.name;
        EXPECT_EQ(light->getSpecular(), e.specular) << e.name;
        EXPECT_EQ(light->getPosition(), e.position) << e.name;
        ASSERT_NE(source->getStateSet(), nullptr);
        EXPECT_EQ(source->getStateSet()->getMode(GL_LIGHT0 + e.number) & osg::StateAttribute::ON,
                  osg::StateAttribute::ON);
    }
}

TEST(SceneModel, SetModelReplacesTheDocument)
{
    SceneModel scene;
    scene.setCommandManager(std::make_shared<CommandManager>());
    Signals s(scene);
    osg::Node* placeholder = scene.getModel();
    fill(scene, placeholder);

    osg::ref_ptr<Model> first = new Model; // unnamed
    first->setMatrix(osg::Matrixd::translate(1, 2, 3));
    scene.setModel(first.get());
    EXPECT_EQ(s.seen, (QStringList{"begin(true)", "finished"}));
    EXPECT_EQ(scene.getModel(), first.get());
    EXPECT_EQ(first->getName(), "RootModel");
    EXPECT_EQ(scene.getModelMatrix(), osg::Matrixd::translate(1, 2, 3));
    EXPECT_EQ(scene.getNodeScene()->getChildIndex(placeholder), scene.getNodeScene()->getNumChildren());
    EXPECT_EQ(scene.getNodeScene()->getChild(scene.getNodeScene()->getNumChildren() - 1), first.get());
    EXPECT_EQ(scene.getNodeScene()->getNumChildren(), 5u);
    expectCleared(scene, placeholder);
    EXPECT_EQ(scene.getEffectManager()->getEffectNode(), first.get());
    EXPECT_EQ(scene.getEffectManager()->getEffectType(), EFFECT_FLAT);
    EXPECT_TRUE(scene.getPropertiesManager()->hasModelProperties(first.get()));

    // A named model keeps its name; a model that is no matrix transform does not keep the old matrix.
    fill(scene, first.get());
    osg::ref_ptr<osg::Group> second = new osg::Group;
    second->setName("pump");
    s.seen.clear();
    scene.setModel(second.get());
    EXPECT_EQ(second->getName(), "pump");
    EXPECT_TRUE(scene.getModelMatrix().isIdentity());
    EXPECT_EQ(scene.getNodeScene()->getChildIndex(first.get()), scene.getNodeScene()->getNumChildren());
    expectCleared(scene, first.get());
    EXPECT_EQ(s.seen, (QStringList{"begin(true)", "finished"}));
}

TEST(SceneModel, SetModelNullClearsWithoutFinishing)
{
    SceneModel scene;
    scene.setCommandManager(std::make_shared<CommandManager>());
    osg::ref_ptr<Model> model = new Model;
    model->setMatrix(osg::Matrixd::translate(5, 0, 0));
    scene.setModel(model.get());
    fill(scene, model.get());
    osg::ref_ptr<osg::Node> sectionOpenedOn = model; // kept alive to check the section state is gone
    Signals s(scene);

    scene.setModel(nullptr);
    EXPECT_EQ(s.seen, QStringList{"begin(true)"});
    EXPECT_EQ(scene.getModel(), nullptr);
    EXPECT_EQ(scene.getNodeScene()->getNumChildren(), 4u);
    EXPECT_TRUE(scene.getModelMatrix().isIdentity());
    expectCleared(scene, model.get());
    EXPECT_EQ(scene.getEffectManager()->getEffectNode(), nullptr);

    // Without a command manager the rest still runs.
    SceneModel bare;
    bare.setModel(nullptr);
    EXPECT_EQ(bare.getModel(), nullptr);
}

TEST(SceneModel, HighlightWrapsNodeSceneOnce)
{
    SceneModel scene;
    osg::MatrixTransform* spin = scene.getSpinTransform();
    osg::Group* nodeScene = scene.getNodeScene();

    scene.setHighLight(true);
    scene.setHighLight(true);
    EXPECT_EQ(countScribes(scene.getRootSwitch()), 1);
    osgFX::Scribe* wrapper = scene.getHighLightWrapper();
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(spin->getChild(0), wrapper);
    EXPECT_EQ(children(wrapper), std::vector<osg::Node*>{nodeScene});
    EXPECT_EQ(nodeScene->getNumParents(), 1u);
    EXPECT_FLOAT_EQ(wrapper->getWireframeLineWidth(), 2.0f);
    EXPECT_EQ(wrapper->getWireframeColor(), osg::Vec4(1, 1, 1, 1));

    // The wrapper survives its rebuild around a new model and stays single.
    osg::observer_ptr<osgFX::Scribe> old = wrapper;
    scene.setModel(new Model);
    EXPECT_EQ(countScribes(scene.getRootSwitch()), 1);
    EXPECT_FALSE(old.valid());
    EXPECT_EQ(spin->getChild(0), scene.getHighLightWrapper());
    EXPECT_EQ(children(scene.getHighLightWrapper()), std::vector<osg::Node*>{nodeScene});

    osg::observer_ptr<osgFX::Scribe> last = scene.getHighLightWrapper();
    scene.setHighLight(false);
    scene.setHighLight(false);
    EXPECT_EQ(countScribes(scene.getRootSwitch()), 0);
    EXPECT_FALSE(last.valid());
    EXPECT_EQ(spin->getChild(0), nodeScene);
    EXPECT_EQ(nodeScene->getNumParents(), 1u);
    EXPECT_EQ(nodeScene->getParent(0), spin);
}

TEST(SceneModel, LooksModelsUpByIdOverNestedModels)
{
    SceneModel scene;
    // top { a { grand }, group { hidden }, b }
    osg::ref_ptr<Model> top = new Model, a = new Model, grand = new Model, hidden = new Model, b = new Model;
    osg::ref_ptr<osg::Group> group = new osg::Group;
    a->addChild(grand.get());
    group->addChild(hidden.get());
    top->addChild(a.get());
    top->addChild(group.get());
    top->addChild(b.get());
    scene.setModel(top.get());

    EXPECT_EQ(scene.findModelById(top, grand->getModelID()), grand.get());
    EXPECT_EQ(scene.findModelById(top, top->getModelID()), top.get());
    EXPECT_EQ(scene.findModelById(top, hidden->getModelID()), nullptr); // below a node that is not a model
    EXPECT_EQ(scene.findModelById(nullptr, 1), nullptr);
    EXPECT_EQ(scene.findModelById(group, hidden->getModelID()), nullptr);

    std::string ids;
    scene.appendModelIds(top, ids);
    const auto id = [](Model* m) { return std::to_string(m->getModelID()) + " "; };
    EXPECT_EQ(ids, id(top.get()) + id(a.get()) + id(grand.get()) + id(b.get()));
    scene.appendModelIds(group, ids);
    scene.appendModelIds(nullptr, ids);
    EXPECT_EQ(ids, id(top.get()) + id(a.get()) + id(grand.get()) + id(b.get()));

    struct Case
    {
        uint64_t id;
        int index;
        osg::Node* expected;
    };
    const Case cases[] = {
        {0, 0, a.get()}, {0, 1, b.get()}, {0, 2, nullptr}, {0, -1, nullptr},
        {a->getModelID(), 0, grand.get()}, {grand->getModelID(), 0, nullptr}, {hidden->getModelID(), 0, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scene.getChildModel(c.id, c.index), c.expected) << c.id << " " << c.index;

    // A current model that is not a model has no child models.
    scene.setModel(new osg::Group);
    EXPECT_EQ(scene.getChildModel(0, 0), nullptr);
}

TEST(SceneModel, SceneViewHangsItUnderTheRootNode)
{
    SceneView view;
    SceneModel scene;
    view.setSceneModel(&scene);
    EXPECT_EQ(view.getSceneModel(), &scene);
    ASSERT_EQ(view.getRootNode()->getNumChildren(), 1u);
    EXPECT_EQ(view.getRootNode()->getChild(0), scene.getRootSwitch());
    EXPECT_EQ(scene.getCommandManager(), view.getCommandManager());
    EXPECT_EQ(scene.getSectionManager()->getCommandManager(), view.getCommandManager());
    EXPECT_EQ(scene.getSectionManager()->getView(), view.getView());
    EXPECT_EQ(SectionManager::GetSectionManager(view.getView()->getSceneData()), scene.getSectionManager());
    EXPECT_EQ(view.getEffectManager(), scene.getEffectManager());

    // The picking handler's picks reach the view's signals.
    int picked = 0;
    QObject::connect(&view, qOverload<osg::Node*>(&SceneView::picked), [&](osg::Node*) { ++picked; });
    emit view.getPickingHandler()->picked(static_cast<osg::Node*>(nullptr));
    EXPECT_EQ(picked, 1);
    scene.setModel(new Model);

    // Attaching another one replaces it; none leaves the root node empty.
    SceneModel other;
    view.setSceneModel(&other);
    ASSERT_EQ(view.getRootNode()->getNumChildren(), 1u);
    EXPECT_EQ(view.getRootNode()->getChild(0), other.getRootSwitch());
    emit view.getPickingHandler()->picked(static_cast<osg::Node*>(nullptr));
    EXPECT_EQ(picked, 2); // attaching again does not connect twice
    view.setSceneModel(nullptr);
    EXPECT_EQ(view.getRootNode()->getNumChildren(), 0u);
    EXPECT_EQ(view.getEffectManager(), nullptr);
}

TEST(SceneModel, AnOpenSectionCutsTheDrawnModel)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    SceneView view;
    SceneModel scene;
    view.setSceneModel(&scene);

    // An unlit red square facing the camera, from x = -5 to 5.
    osg::ref_ptr<osg::Geometry> quad = osg::createTexturedQuadGeometry(osg::Vec3(-5, 0, -5), osg::Vec3(10, 0, 0),
                                                                       osg::Vec3(0, 0, 10));
    osg::ref_ptr<osg::Vec4Array> red = new osg::Vec4Array;
    red->push_back(osg::Vec4(1, 0, 0, 1));
    quad->setColorArray(red.get(), osg::Array::BIND_OVERALL);
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(quad.get());
    geode->getOrCreateStateSet()->setMode(GL_LIGHTING, osg::StateAttribute::OFF | osg::StateAttribute::PROTECTED);
    geode->getOrCreateStateSet()->setMode(GL_CULL_FACE, osg::StateAttribute::OFF);
    osg::ref_ptr<Model> model = new Model;
    model->addChild(geode.get());
    scene.setModel(model.get());

    view.resize(300, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.getPickingHandler()->setTransformation(osg::Vec3d(0, -30, 0), osg::Vec3d(0, 0, 0), osg::Vec3d(0, 0, 1));
    auto* gl = qobject_cast<osgQt::GLWidget*>(view.graphicsWidget());
    ASSERT_NE(gl, nullptr);
    const auto redAt = [&](const QImage& img, double fx) {
        const QColor c = img.pixelColor(int(img.width() * fx), img.height() / 2);
        return c.red() > 200 && c.green() < 60 && c.blue() < 60;
    };

    nerio_test::waitFrames(view);
    QImage before;
    (void)QTest::qWaitFor(
        [&] {
            before = gl->grabFramebuffer();
            return redAt(before, 0.4) && redAt(before, 0.6);
        },
        5000);
    EXPECT_TRUE(redAt(before, 0.4));
    EXPECT_TRUE(redAt(before, 0.6));

    osg::ref_ptr<Section> cut = new Section;
    cut->setPlane(osg::Plane(1, 0, 0, 0)); // keeps x >= 0
    cut->setShowPlane(false);
    scene.getSectionManager()->InsertSection(cut, 0);
    scene.getSectionManager()->OpenSection(cut);
    nerio_test::waitFrames(view);
    QImage after;
    (void)QTest::qWaitFor(
        [&] {
            after = gl->grabFramebuffer();
            return !redAt(after, 0.4);
        },
        5000);
    EXPECT_FALSE(redAt(after, 0.4));
    EXPECT_TRUE(redAt(after, 0.6));

    scene.getSectionManager()->CloseSection(cut);
    nerio_test::waitFrames(view);
    EXPECT_TRUE(QTest::qWaitFor([&] { return redAt(gl->grabFramebuffer(), 0.4); }, 5000));
}
