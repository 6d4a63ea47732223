#include "vantor/command/OsgHelper.h"
#include "vantor/command/TempNodeManager.h"
#include "vantor/model/Body.h"
#include "vantor/model/FindModelNodeVisitor.h"
#include "vantor/model/Model.h"
#include "vantor/model/NodeFlags.h"
#include "vantor/model/PMI.h"
#include "vantor/model/PropertiesManager.h"

#include <gtest/gtest.h>

#include <osg/Geometry>
#include <osg/Material>
#include <osg/Switch>

#include <cmath>
#include <set>
#include <thread>

using namespace Vantor;

namespace {

osg::Geometry* geometryOf(GLenum mode)
{
    auto* geometry = new osg::Geometry;
    auto* vertices = new osg::Vec3Array;
    vertices->push_back(osg::Vec3(0, 0, 0));
    vertices->push_back(osg::Vec3(1, 0, 0));
    vertices->push_back(osg::Vec3(0, 1, 0));
    geometry->setVertexArray(vertices);
    geometry->addPrimitiveSet(new osg::DrawArrays(mode, 0, 3));
    return geometry;
}

// The scene as the view builds it:
// sceneGroup > rootNode > rootSwitch > [lights, spinTransformScene > NodeScene > [RootModel placeholder,
// ModelAppendData > PropertiesManager, top], TempNodeManager]
// top > [body, sub1 > [subBody, subsub], group > hidden deep, sub2, pmi]
struct SceneFixture
{
    SceneFixture()
    {
        sceneGroup = new osg::Group;
        sceneGroup->setName("sceneGroup");
        osg::ref_ptr<osg::Group> rootNode = new osg::Group;
        rootSwitch = new osg::Switch;
        sceneGroup->addChild(new osg::Group); // backdrop and other aids before the model
        sceneGroup->addChild(rootNode);
        rootNode->addChild(rootSwitch);
        rootSwitch->addChild(new osg::Group);
        osg::ref_ptr<osg::MatrixTransform> spin = new osg::MatrixTransform;
        rootSwitch->addChild(spin);
        nodeScene = new osg::Group;
        nodeScene->setName("NodeScene");
        spin->addChild(nodeScene);
        osg::ref_ptr<osg::Node> placeholder = new osg::Node;
        placeholder->setName("RootModel");
        nodeScene->addChild(placeholder);
        appendData = new osg::Group;
        appendData->setName("ModelAppendData");
        properties = new PropertiesManager;
        appendData->addChild(properties);
        nodeScene->addChild(appendData);
        temps = new TempNodeManager;
        rootSwitch->addChild(temps);

        top = new Model;
        body = new Body;
        body->addDrawable(geometryOf(GL_TRIANGLES));
        top->addChild(body);
        sub1 = new Model;
        osg::ref_ptr<Body> subBody = new Body;
        subBody->addDrawable(geometryOf(GL_LINES));
        sub1->addChild(subBody);
        subsub = new Model;
        sub1->addChild(subsub);
        top->addChild(sub1);
        osg::ref_ptr<osg::Group> group = new osg::Group;
        deep = new Model;
        deep->setNodeMask(0);
        group->addChild(deep);
        top->addChild(group);
        sub2 = new Model;
        sub2->setName("second");
        top->addChild(sub2);
        pmi = new PMI;
        top->addChild(pmi);
        nodeScene->addChild(top);
    }

    osg::ref_ptr<osg::Group> sceneGroup;
    osg::ref_ptr<osg::Switch> rootSwitch;
    osg::ref_ptr<osg::Group> nodeScene;
    osg::ref_ptr<osg::Group> appendData;
    osg::ref_ptr<PropertiesManager> properties;
    osg::ref_ptr<TempNodeManager> temps;
    osg::ref_ptr<Model> top, sub1, subsub, deep, sub2;
    osg::ref_ptr<Body> body;
    osg::ref_ptr<PMI> pmi;
};

} // namespace

TEST(Model, TopModelFromRootSwitchSceneDataAndInside)
{
    SceneFixture s;
    EXPECT_EQ(Model::GetTopModel(s.rootSwitch.get()), s.top);
    EXPECT_EQ(Model::GetTopModel(s.sceneGroup.get()), s.top);
    EXPECT_EQ(Model::GetTopModel(s.subsub.get()), s.top);
    EXPECT_EQ(Model::GetTopModel(s.top.get()), s.top);
    EXPECT_EQ(Model::GetTopModel(nullptr), nullptr);
    EXPECT_EQ(Model::GetTopModel(s.appendData.get()), nullptr);
    EXPECT_EQ(std::string(s.top->className()), "Model");
    EXPECT_EQ(s.top->asTransform()->asMatrixTransform(), s.top.get());
}

TEST(Model, IdsAreDistinctAlsoAcrossThreadsCopiesAndReadIds)
{
    SceneFixture s;
    std::set<osg::OSG_ID> ids;
    for (Model* m : {s.top.get(), s.sub1.get(), s.subsub.get(), s.deep.get(), s.sub2.get()}) {
        EXPECT_NE(m->getModelID(), 0u);
        ids.insert(m->getModelID());
    }
    EXPECT_EQ(ids.size(), 5u);

    osg::ref_ptr<Model> copy = new Model(*s.sub2);
    EXPECT_NE(copy->getModelID(), s.sub2->getModelID());

    // An id read from a file is never handed out again.
    const osg::OSG_ID read = s.top->getModelID() + 1000000;
    s.sub2->setModelID(read);
    EXPECT_GT(GenerateModelID(), read);

    std::vector<std::vector<osg::OSG_ID>> drawn(4);
    std::vector<std::thread> threads;
    for (auto& list : drawn)
        threads.emplace_back([&list] {
            for (int i = 0; i < 2000; ++i)
                list.push_back(GenerateModelID());
        });
    for (auto& t : threads)
        t.join();
    std::set<osg::OSG_ID> all;
    for (const auto& list : drawn)
        all.insert(list.begin(), list.end());
    EXPECT_EQ(all.size(), 8000u);
}

TEST(Model, ModelChildrenKeepOrderAndPlaces)
{
    SceneFixture s;
    ASSERT_EQ(s.top->getModelChildrenNum(), 2u); // the body, the plain group and the PMI do not count
    EXPECT_EQ(s.top->getModelChild(0), s.sub1.get());
    EXPECT_EQ(s.top->getModelChild(1), s.sub2.get());
    EXPECT_EQ(s.top->getModelChild(2), nullptr);
    EXPECT_EQ(s.top->getPlcId(), 0);
    EXPECT_EQ(s.sub2->getPlcId(), 1);

    osg::ref_ptr<Model> inserted = new Model;
    s.top->insertChild(0, inserted);
    EXPECT_EQ(s.top->getModelChild(0), inserted.get());
    EXPECT_EQ(s.sub1->getPlcId(), 1);
    EXPECT_EQ(s.sub2->getPlcId(), 2);
    s.top->removeChild(s.sub1.get());
    EXPECT_EQ(s.top->getModelChildrenNum(), 2u);
    EXPECT_EQ(s.sub2->getPlcId(), 1);

    Model::NodeList models;
    Model::getAllChildrenModels(s.top.get(), models);
    EXPECT_EQ(models, (Model::NodeList{s.top, inserted, s.deep, s.sub2}));

    Model::NodeList pmis;
    Model::getAllChildrenPMI(s.sceneGroup.get(), pmis);
    EXPECT_EQ(pmis, (Model::NodeList{s.pmi}));
}

TEST(Model, SetVisibleWritesMasksOfModelsOnly)
{
    struct Case
    {
        bool visible, recursive;
        unsigned int top, sub, subsub, deep;
    };
    const Case cases[] = {
        {false, false, 0u, ~0u, ~0u, 0u},
        {false, true, 0u, 0u, 0u, 0u},
        {true, true, ~0u, ~0u, ~0u, ~0u},
        {true, false, ~0u, ~0u, ~0u, 0u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.visible << c.recursive);
        SceneFixture s;
        s.body->setNodeMask(0x5);
        s.top->setVisible(c.visible, c.recursive);
        EXPECT_EQ(s.top->getNodeMask(), c.top);
        EXPECT_EQ(s.sub1->getNodeMask(), c.sub);
        EXPECT_EQ(s.subsub->getNodeMask(), c.subsub);
        EXPECT_EQ(s.deep->getNodeMask(), c.deep);
        EXPECT_EQ(s.body->getNodeMask(), 0x5u);
    }
}

TEST(Model, BodiesIdMapAndSearches)
{
    SceneFixture s;
    EXPECT_TRUE(Body::isBody(s.body.get()));
    EXPECT_FALSE(Body::isBody(s.top.get()));
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    EXPECT_FALSE(Body::isBody(geode.get()));
    EXPECT_FALSE(Body::isBody(nullptr));

    const Model::ModelID2NodeMap map = Model::GetModelID2NodeMap(s.top.get());
    ASSERT_EQ(map.size(), 5u);
    for (Model* m : {s.top.get(), s.sub1.get(), s.subsub.get(), s.deep.get(), s.sub2.get()})
        EXPECT_EQ(map.at(m->getModelID()).get(), m);
    EXPECT_TRUE(Model::GetModelID2NodeMap(nullptr).empty());

    FindModelNodeVisitor finder(s.deep->getModelID()); // hidden, below a plain group
    s.sceneGroup->accept(finder);
    EXPECT_EQ(finder.getModel(), s.deep.get());
    FindModelNodeVisitor missing(~0ull);
    s.sceneGroup->accept(missing);
    EXPECT_EQ(missing.getNode(), nullptr);

    EXPECT_TRUE(s.top->hasGrandNode(s.subsub.get()));
    EXPECT_FALSE(s.sub2->hasGrandNode(s.subsub.get()));
    EXPECT_FALSE(s.top->hasGrandNode(s.top.get()));
    EXPECT_FALSE(s.top->hasGrandNode(nullptr));
}

TEST(Model, GeometryKindsFromDrawablesUnlessSet)
{
    SceneFixture s;
    EXPECT_TRUE(s.top->hasGeoFace());
    EXPECT_TRUE(s.top->hasGeoLine());
    EXPECT_FALSE(s.sub1->hasGeoFace());
    EXPECT_TRUE(s.sub1->hasGeoLine());
    EXPECT_FALSE(s.sub2->hasGeoLine());
    s.sub2->setGeoLine(true);
    s.top->setGeoFace(false);
    EXPECT_TRUE(s.sub2->hasGeoLine());
    EXPECT_FALSE(s.top->hasGeoFace());
}

TEST(Model, ColourAndTransparency)
{
    osg::ref_ptr<Model> m = new Model;
    EXPECT_EQ(m->getColor(), osg::Vec4f(0.8f, 0.8f, 0.8f, 1.0f));
    EXPECT_DOUBLE_EQ(m->getTransparent(), 1.0);

    m->setColor(osg::Vec4f(1, 0, 0, 1));
    m->setTransparent(0.25);
    EXPECT_EQ(m->getColor(), osg::Vec4f(1, 0, 0, 0.25f));
    EXPECT_EQ(m->getStateSet()->getRenderingHint(), int(osg::StateSet::TRANSPARENT_BIN));
    m->setColor(osg::Vec4f(0, 1, 0, 1)); // a new colour keeps the transparency
    EXPECT_EQ(m->getColor(), osg::Vec4f(0, 1, 0, 0.25f));

    m->setTransparent(std::nan(""));
    EXPECT_DOUBLE_EQ(m->getTransparent(), 0.25);
    m->setTransparent(1.7);
    EXPECT_DOUBLE_EQ(m->getTransparent(), 1.0);
    EXPECT_EQ(m->getStateSet()->getRenderingHint(), int(osg::StateSet::DEFAULT_BIN));

    osg::ref_ptr<Model> child = new Model;
    m->addChild(child);
    m->setTransparent(0.5, true);
    EXPECT_DOUBLE_EQ(child->getTransparent(), 0.5);
}

// A model without its own material reports its first face's colour: a drawable that draws faces after
// a line set is a face drawable all the same.
TEST(Model, ColourOfTheFirstDrawableWithFaces)
{
    auto coloured = [](osg::Geometry* g, const osg::Vec4f& colour) {
        osg::ref_ptr<osg::Vec4Array> colours = new osg::Vec4Array(osg::Array::BIND_OVERALL);
        colours->push_back(colour);
        g->setColorArray(colours.get());
        return g;
    };
    osg::Geometry* edgesThenFaces = coloured(geometryOf(GL_LINES), osg::Vec4f(1, 0, 0, 1));
    edgesThenFaces->addPrimitiveSet(new osg::DrawArrays(GL_TRIANGLES, 0, 3));
    osg::ref_ptr<Body> body = new Body;
    body->addDrawable(coloured(geometryOf(GL_LINE_STRIP), osg::Vec4f(0, 0, 1, 1)));
    body->addDrawable(edgesThenFaces);
    body->addDrawable(coloured(geometryOf(GL_TRIANGLES), osg::Vec4f(0, 1, 0, 1)));
    osg::ref_ptr<Model> m = new Model;
    m->addChild(body);
    EXPECT_EQ(m->getColor(), osg::Vec4f(1, 0, 0, 1));
}

TEST(NodeFlags, SelectedFlagBelongsToOneNode)
{
    osg::ref_ptr<osg::Node> node = new osg::Node;
    EXPECT_FALSE(isNodeSelected(node.get()));
    EXPECT_FALSE(isNodeSelected(nullptr));
    setNodeSelected(nullptr, true);
    setNodeSelected(node.get(), true);
    EXPECT_TRUE(isNodeSelected(node.get()));

    // A shallow copy shares the user data; selecting or clearing one must not touch the other.
    osg::ref_ptr<osg::Node> copy = new osg::Node(*node);
    setNodeSelected(copy.get(), false);
    EXPECT_TRUE(isNodeSelected(node.get()));
    EXPECT_FALSE(isNodeSelected(copy.get()));

    osg::ref_ptr<Model> model = new Model;
    setNodeSelected(model.get(), true);
    osg::ref_ptr<Model> modelCopy = new Model(*model);
    EXPECT_FALSE(isNodeSelected(modelCopy.get()));
    EXPECT_TRUE(isNodeSelected(model.get()));
}

TEST(PropertiesManager, RemembersFirstPropertiesAndAcceptsNull)
{
    SceneFixture s;
    EXPECT_EQ(PropertiesManager::GetPropertiesManager(s.sceneGroup.get()), s.properties);
    EXPECT_EQ(PropertiesManager::GetPropertiesManager(nullptr), nullptr);
    PropertiesManager& pm = *s.properties;
    pm.recordModelProperties(nullptr, true);
    pm.updateModelProperties(nullptr, false);

    s.sub1->setMatrix(osg::Matrixd::translate(1, 2, 3));
    pm.recordModelProperties(s.top, true);
    s.sub1->setMatrix(osg::Matrixd::translate(9, 9, 9));
    s.sub1->setColor(osg::Vec4f(0, 0, 1, 1));
    pm.recordModelProperties(s.top, true); // already known: kept as first seen

    PropertiesManager::ModelProperties p;
    ASSERT_TRUE(pm.getModelProperties(s.sub1.get(), p));
    EXPECT_EQ(p.matrix.getTrans(), osg::Vec3d(1, 2, 3));
    EXPECT_EQ(p.color, osg::Vec4f(0.8f, 0.8f, 0.8f, 1.0f));
    EXPECT_TRUE(pm.hasModelProperties(s.deep.get()));

    pm.updateModelProperties(s.sub1, false);
    ASSERT_TRUE(pm.getModelProperties(s.sub1.get(), p));
    EXPECT_EQ(p.matrix.getTrans(), osg::Vec3d(9, 9, 9));

    EXPECT_FALSE(pm.resetNodeDraggerLocation(osg::observer_ptr<osg::Node>()));
    pm.setNodeDraggerLocation(s.sub2.get(), osg::Matrixd::translate(5, 0, 0));
    ASSERT_TRUE(pm.getModelProperties(s.sub2.get(), p));
    EXPECT_TRUE(p.hasDraggerLocation);
    EXPECT_TRUE(pm.resetNodeDraggerLocation(s.sub2.get()));
    ASSERT_TRUE(pm.getModelProperties(s.sub2.get(), p));
    EXPECT_FALSE(p.hasDraggerLocation);

    pm.clearModelProperties();
    EXPECT_FALSE(pm.hasModelProperties(s.sub1.get()));
    EXPECT_FALSE(pm.resetNodeDraggerLocation(s.sub2.get()));
}

TEST(Model, ReplaceWithNameSwapsTheSameNamedModel)
{
    SceneFixture s;
    osg::ref_ptr<Model> loaded = new Model;
    loaded->setName("second");
    EXPECT_TRUE(Model::replaceWithName(s.top.get(), loaded.get()));
    EXPECT_EQ(s.top->getModelChild(1), loaded.get());
    EXPECT_EQ(s.sub2->getNumParents(), 0u);
    osg::ref_ptr<Model> stranger = new Model;
    stranger->setName("nobody");
    EXPECT_FALSE(Model::replaceWithName(s.top.get(), stranger.get()));
    EXPECT_FALSE(Model::replaceWithName(nullptr, stranger.get()));
}

TEST(SceneHelpers, SceneNodesAndTemporaryNodes)
{
    SceneFixture s;
    const auto nodes = OsgHelper::GetSceneNode(s.sceneGroup.get());
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0], s.top.get());
    EXPECT_EQ(nodes[1], s.appendData.get());
    EXPECT_TRUE(OsgHelper::GetSceneNode(nullptr).empty());

    const osg::NodePath path = OsgHelper::computeNodePath(s.subsub.get());
    ASSERT_EQ(path.size(), 8u);
    EXPECT_EQ(path.front(), s.sceneGroup.get());
    EXPECT_EQ(path.back(), s.subsub.get());
    EXPECT_EQ(OsgHelper::getParent(s.subsub.get()), s.sub1.get());
    EXPECT_EQ(OsgHelper::getParent(s.sceneGroup.get()), nullptr);

    NodePtrList bottoms;
    OsgHelper::GetBottomNode(s.top.get(), bottoms, 1);
    EXPECT_EQ(bottoms, (NodePtrList{s.subsub, s.sub2}));

    osg::ref_ptr<TempNodeManager> temps = TempNodeManager::GetTempNodeManager(s.sceneGroup.get());
    ASSERT_EQ(temps, s.temps);
    EXPECT_EQ(temps->getSubNodeByName("TIP"), nullptr);
    osg::ref_ptr<osg::Node> tip = new osg::Node;
    tip->setName("TIP");
    temps->addChild(tip);
    EXPECT_EQ(temps->getSubNodeByName("TIP"), tip.get());
    temps->ClearTempNode();
    EXPECT_EQ(temps->getNumChildren(), 0u);
}
