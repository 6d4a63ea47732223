// Merging models: what a selection merges into, the geometry in the merged frame, and the thread with
// its cancel.

#include "vantor/merge/ModelMergeCommand.h"
#include "vantor/merge/ModelMergePlan.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <osg/Geometry>

#include <atomic>
#include <chrono>
#include <thread>

using namespace Vantor;

namespace {

osg::ref_ptr<Model> part(const std::string& name, const osg::Vec3d& offset, const osg::Vec4& colour)
{
    osg::ref_ptr<Model> m = new Model;
    m->setName(name);
    m->setMatrix(osg::Matrixd::translate(offset));
    osg::ref_ptr<Body> body = new Body;
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> points = new osg::Vec3Array;
    points->push_back({0, 0, 0});
    points->push_back({1, 0, 0});
    points->push_back({0, 1, 0});
    g->setVertexArray(points);
    auto* normals = new osg::Vec3Array(osg::Array::BIND_PER_VERTEX);
    normals->assign(3, osg::Vec3(0, 0, 1));
    g->setNormalArray(normals);
    auto* colours = new osg::Vec4Array(osg::Array::BIND_OVERALL);
    colours->push_back(colour);
    g->setColorArray(colours);
    g->addPrimitiveSet(new osg::DrawArrays(GL_TRIANGLES, 0, 3));
    body->addDrawable(g);
    m->addChild(body);
    return m;
}

// NodeScene > Top > {A (1,0,0), B (0,2,0), Sub (0,0,5) > {C, D}}; Top is moved by (10,0,0).
struct Scene
{
    Scene()
    {
        scene->setName("NodeScene");
        top->setName("Top");
        top->setMatrix(osg::Matrixd::translate(10, 0, 0));
        sub->setName("Sub");
        sub->setMatrix(osg::Matrixd::translate(0, 0, 5));
        scene->addChild(top);
        top->addChild(a);
        top->addChild(b);
        top->addChild(sub);
        sub->addChild(c);
        sub->addChild(d);
    }
    osg::ref_ptr<osg::Group> scene = new osg::Group;
    osg::ref_ptr<Model> top = new Model;
    osg::ref_ptr<Model> a = part("A", {1, 0, 0}, {1, 0, 0, 1});
    osg::ref_ptr<Model> b = part("B", {0, 2, 0}, {1, 0, 0, 1});
    osg::ref_ptr<Model> sub = new Model;
    osg::ref_ptr<Model> c = part("C", {0, 0, 0}, {0, 1, 0, 1});
    osg::ref_ptr<Model> d = part("D", {3, 0, 0}, {0, 1, 0, 1});
};

std::vector<osg::Vec3> pointsOf(const osg::Node* merged)
{
    std::vector<osg::Vec3> points;
    const auto* group = merged->asGroup();
    for (unsigned int i = 0; group && i < group->getNumChildren(); ++i)
        if (const osg::Geode* geode = group->getChild(i)->asGeode())
            for (unsigned int j = 0; j < geode->getNumDrawables(); ++j)
                if (const auto* v = dynamic_cast<const osg::Vec3Array*>(geode->getDrawable(j)->asGeometry()->getVertexArray()))
                    points.insert(points.end(), v->begin(), v->end());
    return points;
}

unsigned int drawablesOf(const osg::Node* merged)
{
    const osg::Geode* geode = merged->asGroup()->getChild(0)->asGeode();
    return geode ? geode->getNumDrawables() : 0;
}

struct RecordingListener : MergeListener
{
    void onMergeResult(MergeResultMap& r) override { result = r; ++results; }
    void onMergeBegin() override { ++begins; }
    void onMergeProgress(std::string&, float* value, bool* cancel) override
    {
        lastValue = *value;
        *cancel = cancelAt >= 0 && *value >= cancelAt;
    }
    void onMergeEnd() override { ++ends; }
    void onMergeStopped() override { ++stops; }
    float cancelAt = -1;
    float lastValue = -1;
    MergeResultMap result;
    std::atomic<int> results{0}, begins{0}, ends{0}, stops{0};
};

} // namespace

TEST(ModelMergePlan, SelectionDecidesWhatIsReplaced)
{
    Scene s;
    struct Row
    {
        const char* what;
        std::list<osg::ref_ptr<osg::Node>> selected;
        std::size_t entries;
        osg::Node* replaced; // the node whose id the first entry keeps, or null for a MergeModel
        std::size_t sources;
    };
    const Row rows[] = {
        {"two siblings of three", {s.a, s.b}, 1, nullptr, 2},
        {"every child of Sub", {s.c, s.d}, 1, s.sub.get(), 1},
        {"C with its parent listed: Sub's whole subtree", {s.sub, s.c}, 1, nullptr, 1},
        {"nothing with a parent", {s.top->getParent(0)}, 0, nullptr, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const ModelMergePlan plan = ModelMergePlan::fromSelection(row.selected, false);
        ASSERT_EQ(plan.entries.size(), row.entries);
        if (!row.entries)
            continue;
        const ModelMergePlan::Entry& e = plan.entries.front();
        EXPECT_EQ(e.sources.size(), row.sources);
        if (row.replaced) {
            EXPECT_EQ(e.merged->getModelID(), static_cast<Model*>(row.replaced)->getModelID());
            EXPECT_EQ(e.sources.front().get(), row.replaced);
        } else {
            EXPECT_EQ(e.merged->getName(), "MergeModel");
        }
    }
}

TEST(ModelMergePlan, GeometryLandsWhereItWasAndFacesOfOneLookJoin)
{
    Scene s;
    // A and B into a MergeModel under Top: points in Top's frame.
    MergeResultMap result = runMergePlan(ModelMergePlan::fromSelection({s.a, s.b}, false), nullptr);
    ASSERT_EQ(result.size(), 1u);
    const std::vector<osg::Vec3> points = pointsOf(result.begin()->first.get());
    ASSERT_EQ(points.size(), 6u);
    EXPECT_EQ(points[0], osg::Vec3(1, 0, 0));
    EXPECT_EQ(points[3], osg::Vec3(0, 2, 0));
    EXPECT_EQ(drawablesOf(result.begin()->first.get()), 2u);

    // With faces merged the two red triangles become one drawable; C and D (green) under Sub's frame.
    result = runMergePlan(ModelMergePlan::fromSelection({s.a, s.b}, true), nullptr);
    EXPECT_EQ(drawablesOf(result.begin()->first.get()), 1u);
    result = runMergePlan(ModelMergePlan::fromNode(s.sub.get(), true), nullptr);
    osg::Node* merged = result.begin()->first.get();
    EXPECT_EQ(static_cast<Model*>(merged)->getMatrix(), s.sub->getMatrix());
    EXPECT_EQ(pointsOf(merged).at(3), osg::Vec3(3, 0, 0));
    // The sources are untouched.
    EXPECT_EQ(s.sub->getNumChildren(), 2u);
    EXPECT_EQ(s.a->getParent(0), s.top.get());
}

TEST(ModelMergeCommand, RunsOnItsThreadAndHonoursAnEarlyCancel)
{
    Scene s;
    auto listener = std::make_shared<RecordingListener>();
    {
        ModelMergeCommand merge;
        merge.setListener(listener);
        merge.setSelectedNode(s.top.get());
        EXPECT_FALSE(merge.isUndoable());
        ASSERT_TRUE(merge.Execute());
        merge.wait();
    }
    EXPECT_EQ(listener->begins, 1);
    EXPECT_EQ(listener->results, 1);
    EXPECT_EQ(listener->ends, 1);
    EXPECT_FLOAT_EQ(listener->lastValue, 100.0f);
    ASSERT_EQ(listener->result.size(), 1u);
    EXPECT_EQ(pointsOf(listener->result.begin()->first.get()).size(), 12u);

    // Cancelled at the first progress: stopped, no result.
    auto cancelling = std::make_shared<RecordingListener>();
    cancelling->cancelAt = 0;
    ModelMergeCommand merge;
    merge.setListener(cancelling);
    merge.setSelectedNodeList({s.a, s.b});
    ASSERT_TRUE(merge.Execute());
    merge.wait();
    EXPECT_EQ(cancelling->results, 0);
    EXPECT_EQ(cancelling->stops, 1);
    EXPECT_EQ(cancelling->ends, 0);
}

TEST(ModelMergeCommand, ACancelAfterTheLastStepStillDeliversTheResult)
{
    Scene s;
    auto listener = std::make_shared<RecordingListener>();
    listener->cancelAt = 100; // only the final report asks to stop: the merge is complete by then
    ModelMergeCommand merge;
    merge.setListener(listener);
    merge.setSelectedNodeList({s.c, s.d});
    ASSERT_TRUE(merge.Execute());
    merge.wait();
    EXPECT_EQ(listener->results, 1);
    EXPECT_EQ(listener->ends, 1);
    EXPECT_EQ(listener->stops, 0);
}

TEST(ModelMergeCommand, NothingToMergeStartsNoThread)
{
    ModelMergeCommand merge;
    merge.setSelectedNodeList({});
    EXPECT_FALSE(merge.Execute());
    EXPECT_FALSE(merge.isRunning());
}
