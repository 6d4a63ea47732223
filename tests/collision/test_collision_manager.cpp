#include "CollisionFixtures.h"

#include "vantor/collision/CollisionCallback.h"
#include "vantor/collision/CollisionManager.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace Vantor;
using namespace collision_test;

namespace {

using NodeList = CollisionManager::NodeList;

// Records the notifications in order.
class RecordingCallback : public CollisionCallback
{
public:
    std::vector<std::string> calls;
    std::function<void(RecordingCallback&)> onProgressHook;

    void onResultsChanged() override { calls.push_back("results"); }
    void onProgressReset() override { calls.push_back("reset"); }
    void onProgress() override
    {
        calls.push_back("progress");
        if (onProgressHook)
            onProgressHook(*this);
    }
    void onFinished() override { calls.push_back("finished"); }
    void onPairChecked(const std::string&, const std::string&) override {}
    int count(const std::string& name) const { return int(std::count(calls.begin(), calls.end(), name)); }
};

struct Scene
{
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    osg::ref_ptr<osg::Group> root = new osg::Group;
    Scene() { root->addChild(top.get()); }
    Vantor::Model* add(osg::ref_ptr<Vantor::Model> model)
    {
        top->addChild(model.get());
        return model.get();
    }
};

std::optional<CollisionInfo> only(const CollisionInfoList& results)
{
    if (results.size() != 1)
        return std::nullopt;
    return results.front();
}

const char* typeName(CollisionType type)
{
    switch (type) {
    case CollisionType::Interference: return "interference";
    case CollisionType::Contact: return "contact";
    case CollisionType::Clearance: return "clearance";
    }
    return "?";
}

} // namespace

// Two parts in every relation the check tells apart, each at the tolerances that matter.
TEST(CollisionManager, PairsAreClassifiedWithTheirDistances)
{
    struct Case
    {
        const char* what;
        osg::Vec3 min2, max2; // second box; the first is (0,0,0)-(10,10,10)
        float interval;
        bool reported;
        CollisionType type;
        float distance; // the smallest contact distance
        float slack;
    };
    const Case cases[] = {
        {"overlap by 2", {8, 2, 2}, {18, 8, 8}, 0.0f, true, CollisionType::Interference, -2.0f, 0.05f},
        {"overlap by 2, clearance asked", {8, 2, 2}, {18, 8, 8}, 5.0f, true, CollisionType::Interference, -2.0f, 0.05f},
        {"overlap by 0.5", {9.5f, 2, 2}, {18, 8, 8}, 0.0f, true, CollisionType::Interference, -0.5f, 0.02f},
        {"face to face, zero tolerance", {10, 2, 2}, {18, 8, 8}, 0.0f, false, CollisionType::Contact, 0, 0},
        {"face to face, contact tolerance", {10, 2, 2}, {18, 8, 8}, 0.01f, true, CollisionType::Contact, 0.0f, 1e-4f},
        {"gap 0.005, contact tolerance", {10.005f, 2, 2}, {18, 8, 8}, 0.01f, true, CollisionType::Contact, 0.005f, 1e-4f},
        {"gap 0.05, contact tolerance", {10.05f, 2, 2}, {18, 8, 8}, 0.01f, false, CollisionType::Contact, 0, 0},
        {"gap 3, clearance 5", {13, 2, 2}, {18, 8, 8}, 5.0f, true, CollisionType::Clearance, 3.0f, 1e-3f},
        {"gap 3, clearance 2", {13, 2, 2}, {18, 8, 8}, 2.0f, false, CollisionType::Clearance, 0, 0},
        {"diagonal gap 5, clearance 4", {13, 14, 2}, {18, 18, 8}, 4.0f, false, CollisionType::Clearance, 0, 0},
        {"diagonal gap 5, clearance 6", {13, 14, 2}, {18, 18, 8}, 6.0f, true, CollisionType::Clearance, 5.0f, 1e-3f},
        {"inside, no faces crossing", {3, 3, 3}, {6, 6, 6}, 0.0f, true, CollisionType::Interference, -4.0f, 0.1f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scene scene;
        Vantor::Model* a = scene.add(boxPart("A", {0, 0, 0}, {10, 10, 10}));
        Vantor::Model* b = scene.add(boxPart("B", c.min2, c.max2));
        CollisionManager manager;
        manager.SetInterval(c.interval);
        auto results = manager.DetectMultiToMulti({a}, {b}, nullptr);
        ASSERT_TRUE(results);
        if (!c.reported) {
            EXPECT_TRUE(results->empty()) << typeName(results->front().type) << " " << results->front().minDistance();
            continue;
        }
        const std::optional<CollisionInfo> info = only(*results);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->node1.get(), a);
        EXPECT_EQ(info->node2.get(), b);
        EXPECT_STREQ(typeName(info->type), typeName(c.type));
        EXPECT_NEAR(info->minDistance(), c.distance, c.slack);
    }
}

// Round and placed parts: the bolt through a plate, and the transforms of the parts taken into account.
TEST(CollisionManager, PlacedAndRoundParts)
{
    Scene scene;
    Vantor::Model* plate = scene.add(boxPart("Plate", {0, 0, 0}, {200, 120, 10}));
    // The shank passes through the plate: its skin inside the plate is 5 deep at mid-thickness.
    Vantor::Model* bolt = scene.add(part("Bolt", cylinderGeometry(0, 0, 5, -20, 10, 32).get(), osg::Matrixd::translate(15, 15, 0)));
    // Turned by 45 degrees and moved so that its corner reaches 1.5 into the plate's far end.
    const double half = 5.0 * std::sqrt(2.0);
    Vantor::Model* turned = scene.add(part("Turned", boxGeometry({-5, -5, 0}, {5, 5, 5}).get(),
                                           osg::Matrixd::rotate(osg::PI_4, osg::Z_AXIS)
                                               * osg::Matrixd::translate(200 + half - 1.5, 60, 2)));
    // Scaled twice its size: 4 to 12 along x, clear of the plate by 2 above it.
    Vantor::Model* scaled = scene.add(part("Scaled", boxGeometry({2, 0, 0}, {6, 4, 4}).get(),
                                           osg::Matrixd::scale(2, 2, 2) * osg::Matrixd::translate(0, 50, 12)));
    CollisionManager manager;
    manager.SetInterval(3.0f);
    auto results = manager.DetectSelfCollision({plate, bolt, turned, scaled}, nullptr);
    ASSERT_EQ(results->size(), 3u);
    auto it = results->begin();
    EXPECT_EQ(it->node2.get(), bolt);
    EXPECT_EQ(it->type, CollisionType::Interference);
    EXPECT_NEAR(it->minDistance(), -5.0f, 0.3f);
    ++it;
    EXPECT_EQ(it->node2.get(), turned);
    EXPECT_EQ(it->type, CollisionType::Interference);
    EXPECT_LT(it->minDistance(), -0.5f);
    ++it;
    EXPECT_EQ(it->node2.get(), scaled);
    EXPECT_EQ(it->type, CollisionType::Clearance);
    EXPECT_NEAR(it->minDistance(), 2.0f, 1e-3f);

    const CollisionManager::Statistics stats = manager.GetLastStatistics();
    EXPECT_EQ(stats.parts, 4u);
    EXPECT_EQ(stats.results, 3u);
}

// Identical bolts in identical places of one plate give one depth, the true one: the shank's skin
// at mid-thickness lies 5 from both faces of the plate. The plate's two big triangles cut each bolt's
// region differently, which must not show in the depth.
TEST(CollisionManager, IdenticalBoltsGiveTheTrueDepth)
{
    Scene scene;
    NodeList plate{scene.add(boxPart("Plate", {0, 0, 0}, {200, 120, 10}))};
    NodeList bolts;
    for (const osg::Vec3d& at : {osg::Vec3d(15, 15, 0), osg::Vec3d(185, 15, 0), osg::Vec3d(185, 105, 0), osg::Vec3d(15, 105, 0)}) {
        // A round shank through the plate under a head resting on it.
        osg::ref_ptr<Vantor::Model> bolt = part("Bolt", cylinderGeometry(0, 0, 5, -20, 10, 32).get(), osg::Matrixd::translate(at));
        bolt->getChild(0)->asGeode()->addDrawable(boxGeometry({-8, -8, 10}, {8, 8, 16}).get());
        bolts.push_back(scene.add(bolt));
    }
    CollisionManager manager;
    auto results = manager.DetectMultiToMulti(plate, bolts, nullptr);
    ASSERT_EQ(results->size(), 4u);
    for (const CollisionInfo& info : *results) {
        SCOPED_TRACE(info.minDistance());
        EXPECT_EQ(info.type, CollisionType::Interference);
        EXPECT_LE(info.minDistance(), -5.0f + CollisionManager::DepthAccuracy);
        EXPECT_GE(info.minDistance(), -5.0f - 1e-4f);
    }
}

// Which pairs a check looks at: never a part against itself, each unordered pair once.
TEST(CollisionManager, EachUnorderedPairOnce)
{
    Scene scene;
    // A chain of boxes, each overlapping the next by 1.
    std::vector<Vantor::Model*> boxes;
    for (int i = 0; i < 4; ++i)
        boxes.push_back(scene.add(boxPart("Box" + std::to_string(i), {9.0f * i, 0, 0}, {9.0f * i + 10, 10, 10})));
    CollisionManager manager;

    // Lists sharing nodes.
    auto results = manager.DetectMultiToMulti({boxes[0], boxes[1], boxes[2]}, {boxes[1], boxes[2], boxes[0]}, nullptr);
    ASSERT_EQ(results->size(), 2u);
    EXPECT_EQ(results->front().node1.get(), boxes[0]);
    EXPECT_EQ(results->front().node2.get(), boxes[1]);
    EXPECT_EQ(results->back().node1.get(), boxes[1]);
    EXPECT_EQ(results->back().node2.get(), boxes[2]);

    // A list against itself, and the same node listed twice.
    results = manager.DetectMultiToMulti({boxes[1], boxes[1]}, {boxes[1]}, nullptr);
    EXPECT_TRUE(results->empty());
    results = manager.DetectSelfCollision({boxes[0], boxes[1], boxes[1], boxes[2], boxes[3]}, nullptr);
    EXPECT_EQ(results->size(), 3u);

    // The spatial hash over a world box finds the same pairs as the tree.
    manager.InitCollisionWorld(osg::Vec3f(-50, -50, -50), osg::Vec3f(100, 100, 100));
    auto hashed = manager.DetectSelfCollision({boxes[0], boxes[1], boxes[2], boxes[3]}, nullptr);
    ASSERT_EQ(hashed->size(), 3u);
    auto h = hashed->begin();
    for (const CollisionInfo& info : *results) {
        EXPECT_EQ(h->node1, info.node1);
        EXPECT_EQ(h->node2, info.node2);
        ++h;
    }

    // Group 1 against the rest only: the pair inside group 1 is not asked for.
    results = manager.DetectMultiToMulti({boxes[0], boxes[1]}, {boxes[2], boxes[3]}, nullptr);
    ASSERT_EQ(results->size(), 1u);
    EXPECT_EQ(results->front().node1.get(), boxes[1]);
}

// Parts placed from one definition share it and are still checked at their own places; parts without
// triangles and null nodes are left out.
TEST(CollisionManager, SharedDefinitionsAndEmptyParts)
{
    Scene scene;
    osg::ref_ptr<osg::Geometry> pin = cylinderGeometry(0, 0, 4, 0, 20, 24);
    Vantor::Model* p1 = scene.add(part("Pin", pin.get(), osg::Matrixd::translate(0, 0, 0)));
    Vantor::Model* p2 = scene.add(part("Pin", pin.get(), osg::Matrixd::translate(6, 0, 0)));
    Vantor::Model* p3 = scene.add(part("Pin", pin.get(), osg::Matrixd::translate(30, 0, 0)));
    osg::ref_ptr<Vantor::Model> empty = new Vantor::Model;
    scene.top->addChild(empty.get());
    CollisionManager manager;
    auto results = manager.DetectSelfCollision({p1, p2, p3, empty.get(), nullptr}, nullptr);
    ASSERT_EQ(results->size(), 1u);
    EXPECT_EQ(results->front().node1.get(), p1);
    EXPECT_EQ(results->front().node2.get(), p2);
    EXPECT_EQ(manager.GetLastStatistics().parts, 3u);
}

// A run tells its start, its progress up to 1 and its end, last; results stay readable.
TEST(CollisionManager, RunNotifiesProgressAndEndsWithFinished)
{
    Scene scene;
    NodeList parts;
    for (int i = 0; i < 20; ++i)
        parts.push_back(scene.add(boxPart("Box" + std::to_string(i), {9.0f * i, 0, 0}, {9.0f * i + 10, 10, 10})));
    RecordingCallback callback;
    EXPECT_FALSE(callback.IsStopped());
    EXPECT_FALSE(callback.IsCompleted());
    CollisionManager manager;
    manager.DetectSelfCollision(parts, &callback);

    ASSERT_FALSE(callback.calls.empty());
    EXPECT_EQ(callback.calls.front(), "reset");
    EXPECT_EQ(callback.calls.back(), "finished");
    EXPECT_EQ(callback.count("finished"), 1);
    EXPECT_GE(callback.count("results"), 1);
    EXPECT_TRUE(callback.IsCompleted());
    callback.UpdateProcess();
    EXPECT_FLOAT_EQ(callback.GetProcess(), 1.0f);
    EXPECT_EQ(callback.GetResults()->size(), 19u);

    // A second run on the same callback starts from nothing.
    manager.DetectSelfCollision({parts.front()}, &callback);
    EXPECT_TRUE(callback.GetResults()->empty());
    EXPECT_TRUE(callback.IsCompleted());
}

// The stop flag ends a run early, at any stage, and the run still ends with onFinished.
TEST(CollisionManager, StopFlagEndsTheRunEarly)
{
    Scene scene;
    NodeList parts;
    for (int i = 0; i < 60; ++i)
        parts.push_back(scene.add(part("Pin", cylinderGeometry(3.0f * i, 0, 2, 0, 10, 400).get())));

    struct Case
    {
        const char* when;
        float stopAt; // stop on the first progress at or past this fraction
    };
    for (const Case& c : {Case{"before anything", -1.0f}, Case{"after the broad phase", 0.1f}}) {
        SCOPED_TRACE(c.when);
        RecordingCallback callback;
        if (c.stopAt < 0)
            callback.Stop();
        else
            callback.onProgressHook = [&](RecordingCallback& cb) {
                cb.UpdateProcess();
                if (cb.GetProcess() >= c.stopAt)
                    cb.Stop();
            };
        CollisionManager manager;
        manager.SetThreadCount(1);
        manager.DetectSelfCollision(parts, &callback);
        EXPECT_EQ(callback.calls.back(), "finished");
        EXPECT_EQ(callback.count("finished"), 1);
        EXPECT_FALSE(callback.IsCompleted());
        EXPECT_LT(manager.GetLastStatistics().pairsTested, 59u);
    }
}
