// Where a click puts the draggers' pivot: on a round edge or face the centre of its circle (analytic,
// or fitted to a bare mesh's polyline), else a corner near the click, else the point clicked; and the
// circle fit itself on known circles and on what is no circle.

#include "MeasureFixtures.h"
#include "TransformRig.h"

#include "vantor/feature/FeatureGeometry.h"
#include "vantor/property/TransformDraggerCommands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace Vantor;
using measure_test::BodyBuilder;
using V = osg::Vec3d;

namespace {

::testing::AssertionResult near(const V& a, const V& b, double tolerance)
{
    if ((a - b).length() <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x() << ", " << a.y() << ", " << a.z() << ") is not (" << b.x() << ", "
                                         << b.y() << ", " << b.z() << ")";
}

// Points of a circle (or an ellipse, b != r) around `centre` in the plane spanned by u and v.
std::vector<V> ring(const V& centre, V u, V v, double r, double from, double to, int count, double b = -1)
{
    u.normalize();
    v.normalize();
    std::vector<V> out;
    for (int i = 0; i < count; ++i) {
        const double t = from + (to - from) * i / (count - 1);
        out.push_back(centre + u * (r * std::cos(t)) + v * ((b < 0 ? r : b) * std::sin(t)));
    }
    return out;
}

} // namespace

TEST(CircleFit, FindsKnownCirclesAndRefusesWhatIsNone)
{
    const V c(3, -2, 5), u(1, 0, 0), v(0, 1, 1);
    const V n = u ^ V(0, 1, 1) / std::sqrt(2.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<V> closed = ring(c, u, v, 4, 0, 2 * M_PI, 33); // last point repeats the first
    std::vector<V> uneven = {c + V(4, 0, 0), c + V(0, 4 / std::sqrt(2.0), 4 / std::sqrt(2.0)), c + V(-4, 0, 0),
                             c + V(4 * std::cos(4.0), 4 * std::sin(4.0) / std::sqrt(2.0), 4 * std::sin(4.0) / std::sqrt(2.0))};
    std::vector<V> lifted = ring(c, u, v, 4, 0, 2 * M_PI, 24);
    lifted[5] += n * 0.5;
    std::vector<V> withNan = ring(c, u, v, 4, 0, M_PI, 10);
    withNan[3].x() = nan;
    // Far from the origin, as parts of a large assembly are; a hole of radius 5.
    const V farCentre(125000.5, -48000.25, 3200);
    const struct
    {
        const char* what;
        std::vector<V> points;
        bool round;
        V centre;
        double radius;
    } rows[] = {
        {"a whole circle, closed", closed, true, c, 4},
        {"a quarter arc (its points' mean is not the centre)", ring(c, u, v, 4, 0, M_PI / 2, 9), true, c, 4},
        {"four unevenly spaced points", uneven, true, c, 4},
        {"far from the origin", ring(farCentre, V(0, 0, 1), V(1, 1, 0), 5, 0, 2 * M_PI, 48), true, farCentre, 5},
        {"three points", ring(c, u, v, 4, 0.3, 2.0, 3), true, c, 4},
        {"a straight line", {V(0, 0, 0), V(1, 1, 0), V(2, 2, 0), V(3, 3, 0)}, false, V(), 0},
        {"an ellipse", ring(c, u, v, 4, 0, 2 * M_PI, 40, 3), false, V(), 0},
        {"one point lifted off the plane", lifted, false, V(), 0},
        {"two points", {V(0, 0, 0), V(1, 0, 0)}, false, V(), 0},
        {"one point many times", std::vector<V>(6, V(1, 2, 3)), false, V(), 0},
        {"a point that is no number", withNan, false, V(), 0},
        {"nothing", {}, false, V(), 0},
    };
    for (const auto& row : rows) {
        V centre(-7, -7, -7), normal(-7, -7, -7);
        double radius = -7;
        const bool round = FeatureGeo::fitCircle(row.points, centre, normal, radius);
        EXPECT_EQ(round, row.round) << row.what;
        if (!row.round) {
            EXPECT_EQ(centre, V(-7, -7, -7)) << row.what << ": a refused fit leaves its results alone";
            EXPECT_EQ(radius, -7) << row.what;
            continue;
        }
        EXPECT_TRUE(near(centre, row.centre, 1e-9 * std::max(1.0, row.centre.length()))) << row.what;
        EXPECT_NEAR(radius, row.radius, 1e-6) << row.what;
        EXPECT_NEAR(normal.length(), 1.0, 1e-9) << row.what;
        for (const V& p : row.points)
            EXPECT_NEAR((p - centre) * normal, 0.0, 1e-6 * std::max(1.0, centre.length())) << row.what;
    }

    // The normal turns with the points: the same circle run backwards has the opposite normal.
    const std::vector<V> forward = ring(c, u, v, 4, 0, M_PI, 12);
    const std::vector<V> backward(forward.rbegin(), forward.rend());
    V c1, n1, c2, n2;
    double r1 = 0, r2 = 0;
    ASSERT_TRUE(FeatureGeo::fitCircle(forward, c1, n1, r1));
    ASSERT_TRUE(FeatureGeo::fitCircle(backward, c2, n2, r2));
    EXPECT_TRUE(near(n1, -n2, 1e-9));
}

// An edge without its analytic form counts as a circle only when its points make one; a line never.
TEST(CircleFit, EdgesWithoutTheirFormAreFittedButNeverAStraightOne)
{
    FeatureGeo::Edge arc;
    arc.points = ring(V(1, 1, 1), V(0, 1, 0), V(0, 0, 1), 2, 0.2, 1.4, 6);
    V centre, axis;
    ASSERT_TRUE(FeatureGeo::centreOf(arc, centre, axis));
    EXPECT_TRUE(near(centre, V(1, 1, 1), 1e-9));
    EXPECT_NEAR(std::fabs(axis.x()), 1.0, 1e-9);

    FeatureGeo::Edge three;
    three.points = {V(0, 0, 0), V(1, 1, 0), V(2, 0, 0)}; // a bend, not known to be round
    EXPECT_FALSE(FeatureGeo::centreOf(three, centre, axis));

    FeatureGeo::Edge line;
    line.type = FeatureGeo::Edge::Line;
    line.start = V(0, 0, 0);
    line.end = V(3, 0, 0);
    line.points = {line.start, line.end};
    EXPECT_FALSE(FeatureGeo::centreOf(line, centre, axis));

    FeatureGeo::Edge broken; // an analytic circle read with a zero normal
    broken.type = FeatureGeo::Edge::Ellipse;
    broken.center = V(1, 2, 3);
    EXPECT_FALSE(FeatureGeo::centreOf(broken, centre, axis));
}

namespace {

// The transform rig with two parts read from an archive beside its boxes: a block with a round pin
// standing on it (edges and faces with their analytic forms) and a bare-mesh ring, both placed away from
// the origin, seen from above at a slant.
class PivotSnap : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new dazo_test::ScratchDir;
        BodyBuilder block, pin, bare(false);
        block.box({-3, -3, 0}, {3, 3, 2});
        pin.cylinder(0, 0, 1.5, 2, 5, 48);
        bare.cylinder(0, 0, 2, 0, 2, 40);
        archive = measure_test::readBack(dir->file("pivot.dazo"), {measure_test::part("Block", {block.body(), pin.body()}),
                                                                  measure_test::part("Bare", {bare.body()})});
    }
    static void TearDownTestSuite()
    {
        archive = nullptr;
        delete dir;
    }

    void SetUp() override
    {
        ASSERT_TRUE(archive.valid());
        osg::Group* top = archive->asGroup();
        ASSERT_TRUE(top && top->getNumChildren() == 2);
        block = dynamic_cast<Model*>(top->getChild(0));
        bare = dynamic_cast<Model*>(top->getChild(1));
        ASSERT_TRUE(block.valid() && bare.valid());
        block->setMatrix(osg::Matrixd::translate(-8, 2, 0));
        bare->setMatrix(osg::Matrixd::translate(9, 3, 0));
        rig.top->addChild(block.get());
        rig.top->addChild(bare.get());
        rig.view->getCamera()->setViewMatrixAsLookAt(V(0, -26, 22), V(0, 0, 0), V(0, 0, 1));
    }

    void TearDown() override
    {
        rig.top->removeChild(block.get());
        rig.top->removeChild(bare.get());
    }

    // The normalised window position of a world point, as the view hands it to a command.
    osg::Vec2d normalised(const V& world) const
    {
        const osg::Camera* camera = rig.view->getCamera();
        const V ndc = world * camera->getViewMatrix() * camera->getProjectionMatrix();
        return osg::Vec2d(ndc.x(), ndc.y());
    }

    static dazo_test::ScratchDir* dir;
    static osg::ref_ptr<osg::Node> archive;
    transformrig::Rig rig;
    osg::ref_ptr<Model> block, bare;
};

dazo_test::ScratchDir* PivotSnap::dir = nullptr;
osg::ref_ptr<osg::Node> PivotSnap::archive;

} // namespace

TEST_F(PivotSnap, AClickLandsOnTheCentreOfWhatIsRoundElseACornerElseThePoint)
{
    using C = UpdateAxisLocationCommand;
    // World frame: the rig's top model lies 1 up; the block at (-8, 2), the ring at (9, 3).
    const V blockAt(-8, 2, 1), bareAt(9, 3, 1);
    const struct
    {
        const char* what;
        V click;
        C::Snap snap;
        V pivot;
        double tolerance;
    } rows[] = {
        {"the middle of the block's top", blockAt + V(-2, -2, 2), C::OnFace, blockAt + V(-2, -2, 2), 1e-3},
        {"beside a corner of the block", blockAt + V(-2.9, -2.85, 2), C::Corner, blockAt + V(-3, -3, 2), 1e-5},
        {"on a straight edge of the block, far from its corners", blockAt + V(-1, -3, 2), C::OnFace, blockAt + V(-1, -3, 2),
         1e-3},
        {"on the pin's top rim", blockAt + V(0, -1.5, 5), C::Centre, blockAt + V(0, 0, 5), 1e-5},
        {"on the pin's foot rim, where it stands on the block", blockAt + V(0, -1.5, 2), C::Centre, blockAt + V(0, 0, 2), 1e-5},
        {"on the block just before the pin's foot", blockAt + V(0.2, -1.8, 2), C::Centre, blockAt + V(0, 0, 2), 1e-5},
        {"on the pin's round side: its axis, level with the click", blockAt + V(0, -1.5, 3.5), C::Centre,
         blockAt + V(0, 0, 3.5), 1e-3},
        {"on a bare-mesh rim: the centre of its fitted circle", bareAt + V(0, -2, 2), C::Centre, bareAt + V(0, 0, 2), 1e-4},
        {"a box of the rig without edges: the point", V(4, -1, 0.5), C::OnFace, V(4, -1, 0.5), 1e-3},
    };
    for (const auto& row : rows) {
        const osg::Vec2d at = normalised(row.click);
        V pivot(std::numeric_limits<double>::quiet_NaN(), 0, 0);
        EXPECT_EQ(C::pivotAt(rig.view.get(), at.x(), at.y(), pivot), row.snap) << row.what;
        EXPECT_TRUE(near(pivot, row.pivot, row.tolerance)) << row.what;
    }
    V untouched(1, 2, 3);
    EXPECT_EQ(C::pivotAt(rig.view.get(), 0.98, 0.98, untouched), C::Missed);
    EXPECT_EQ(untouched, V(1, 2, 3));
    EXPECT_EQ(C::pivotAt(nullptr, 0, 0, untouched), C::Missed);
}

// The whole path: the tool started on the selected block, a click on the pin's rim, the draggers at the
// rim's centre, moving with the block.
TEST_F(PivotSnap, ClickingTheRimPutsTheDraggersAtItsCentre)
{
    rig.select(block.get());
    auto pivotTool = std::make_shared<UpdateAxisLocationCommand>();
    rig.start(pivotTool);
    const V rimCentre(-8, 2, 6);
    rig.click(rig.windowOf(rimCentre + V(0, -1.5, 0)));
    ASSERT_TRUE(pivotTool->isFinished()) << rig.tips->last();
    rig.manager->CancelCurrentCmd();

    block->setMatrix(block->getMatrix() * osg::Matrixd::translate(0, 0, 4));
    auto tool = std::make_shared<AxisTransformDraggerCommand>();
    rig.start(tool);
    EXPECT_TRUE(near(tool->getPlacement().getTrans(), rimCentre + V(0, 0, 4), 1e-5));
}

// Nothing that is no number, and no point through a flattened placement, becomes a pivot.
TEST_F(PivotSnap, ADegeneratePlaceNeverBecomesAPivot)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<osg::ref_ptr<osg::MatrixTransform>> blockOnly = {block.get()};
    EXPECT_FALSE(UpdateAxisLocationCommand::setLocation(rig.sceneGroup.get(), blockOnly, V(nan, 0, 0)));
    EXPECT_FALSE(UpdateAxisLocationCommand::setLocation(
        rig.sceneGroup.get(), blockOnly, V(std::numeric_limits<double>::infinity(), 0, 0)));
    block->setMatrix(osg::Matrixd::scale(0, 1, 1));
    EXPECT_FALSE(UpdateAxisLocationCommand::setLocation(rig.sceneGroup.get(), blockOnly, V(1, 2, 3)));
    PropertiesManager::ModelProperties recorded;
    EXPECT_FALSE(rig.properties->getModelProperties(block.get(), recorded) && recorded.hasDraggerLocation);

    // A click through the flattened block finds nothing to stand on and leaves the tool waiting.
    rig.select(block.get());
    auto pivotTool = std::make_shared<UpdateAxisLocationCommand>();
    rig.start(pivotTool);
    rig.click(rig.windowOf(V(-8, 2, 6)));
    EXPECT_FALSE(pivotTool->isFinished());
    EXPECT_FALSE(rig.properties->getModelProperties(block.get(), recorded) && recorded.hasDraggerLocation);
}
