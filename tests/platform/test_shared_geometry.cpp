// The geometry the tools share. Whether a body is closed, asked of the one surface module and of the
// three tools that act on the answer: the section cap, the volume measure and one-sided drawing must
// agree on every case. A node's world matrix; which primitives are faces and their triangles.

#include "vantor/effect/EffectManager.h"
#include "vantor/feature/FeatureData.h"
#include "vantor/feature/FeatureGeometry.h"
#include "vantor/math/MeshPrimitives.h"
#include "vantor/math/NodeMatrix.h"
#include "vantor/math/SurfaceTopology.h"
#include "vantor/measure/MeasureGeometry.h"
#include "vantor/section/SectionCapping.h"

#include <gtest/gtest.h>

#include <osg/Camera>
#include <osg/Geode>
#include <osg/Geometry>
#include <osg/MatrixTransform>
#include <osg/UserDataContainer>

#include <string>

using Vantor::SurfaceTopology;
using Closure = SurfaceTopology::Closure;
using Corners = std::vector<osg::Vec3d>;

namespace {

void quad(Corners& out, const osg::Vec3d& a, const osg::Vec3d& b, const osg::Vec3d& c, const osg::Vec3d& d)
{
    out.insert(out.end(), {a, b, c, a, c, d});
}

// A box of outward-wound triangles; `flipped` turns one face (0..5) inward, `skip` leaves one out.
Corners box(const osg::Vec3d& lo, const osg::Vec3d& hi, int flipped = -1, int skip = -1)
{
    auto p = [&](int x, int y, int z) { return osg::Vec3d(x ? hi.x() : lo.x(), y ? hi.y() : lo.y(), z ? hi.z() : lo.z()); };
    const int faces[6][4][3] = {
        {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, // bottom
        {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}, // top
        {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, // front
        {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}}, // back
        {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}, // left
        {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}, // right
    };
    Corners out;
    for (int f = 0; f < 6; ++f) {
        if (f == skip)
            continue;
        osg::Vec3d q[4];
        for (int k = 0; k < 4; ++k)
            q[k] = p(faces[f][k][0], faces[f][k][1], faces[f][k][2]);
        if (f == flipped)
            quad(out, q[3], q[2], q[1], q[0]);
        else
            quad(out, q[0], q[1], q[2], q[3]);
    }
    return out;
}

Corners bottomFace()
{
    const Corners cube = box({0, 0, 0}, {1, 1, 1});
    return Corners(cube.begin(), cube.begin() + 6);
}

Corners reversed(Corners c)
{
    for (std::size_t i = 0; i + 2 < c.size(); i += 3)
        std::swap(c[i + 1], c[i + 2]);
    return c;
}

Corners operator+(Corners a, const Corners& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The unit cube whose top face is tessellated apart, its corners moved by `gap`.
Corners seamed(double gap)
{
    Corners c = box({0, 0, 0}, {1, 1, 1}, -1, 1);
    const osg::Vec3d d(gap, gap, 0);
    quad(c, osg::Vec3d(0, 0, 1) + d, osg::Vec3d(1, 0, 1) + d, osg::Vec3d(1, 1, 1) + d, osg::Vec3d(0, 1, 1) + d);
    return c;
}

// The unit cube whose front face is split at the middle of its bottom edge: a point the bottom face
// does not have.
Corners tJunction()
{
    Corners c = box({0, 0, 0}, {1, 1, 1}, -1, 2);
    const osg::Vec3d a(0, 0, 0), m(0.5, 0, 0), b(1, 0, 0), e(1, 0, 1), h(0, 0, 1);
    c.insert(c.end(), {a, m, h, m, b, e, m, e, h});
    return c;
}

// As the reader builds a body: one vertex array, the triangles as indices into it.
osg::ref_ptr<osg::Geode> bodyOf(const Corners& corners)
{
    osg::ref_ptr<osg::Vec3Array> points = new osg::Vec3Array;
    osg::ref_ptr<osg::DrawElementsUInt> triangles = new osg::DrawElementsUInt(GL_TRIANGLES);
    for (const auto& p : corners) {
        triangles->push_back(unsigned(points->size()));
        points->push_back(osg::Vec3(p));
    }
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setVertexArray(points.get());
    g->addPrimitiveSet(triangles.get());
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(g.get());
    return geode;
}

struct Case
{
    std::string name;
    Corners corners;
    Closure closure;
    double volume;
    std::size_t shells;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class SurfaceCases : public ::testing::TestWithParam<Case>
{
};

// The one answer, and what each tool makes of it: a cap, a volume and one-sided drawing for a closed
// body, none of them for an open one.
TEST_P(SurfaceCases, ToolsAgreeWithTheSurface)
{
    const Case& c = GetParam();
    const SurfaceTopology loose = SurfaceTopology::ofTriangles(c.corners);
    const osg::ref_ptr<osg::Geode> body = bodyOf(c.corners);
    const SurfaceTopology read = SurfaceTopology::ofBody(*body);
    for (const SurfaceTopology* s : {&loose, &read}) {
        EXPECT_EQ(s->closure(), c.closure);
        EXPECT_NEAR(s->volume(), c.volume, 1e-9);
        EXPECT_EQ(s->shellCount(), c.shells);
    }
    const bool closed = c.closure != Closure::Open;
    EXPECT_EQ(Vantor::SectionCapping::isClosed(body.get()), closed) << "cap";
    double volume = -1;
    EXPECT_EQ(Vantor::MeasureGeo::volume(c.corners, volume), closed) << "volume";
    EXPECT_NEAR(volume, c.volume, 1e-9);
    const auto facing = Vantor::EffectManager::facingOf(*body);
    EXPECT_EQ(facing != Vantor::EffectManager::SurfaceFacing::Open, closed) << "one-sided drawing";
    if (closed) {
        EXPECT_EQ(facing == Vantor::EffectManager::SurfaceFacing::Outward, c.closure == Closure::Outward);
    }
}

const osg::Vec3d O(0, 0, 0), I(1, 1, 1);

INSTANTIATE_TEST_SUITE_P(
    Bodies, SurfaceCases,
    ::testing::Values(
        Case{"ClosedCube", box(O, I), Closure::Outward, 1.0, 1},
        Case{"InsideOutCube", reversed(box(O, I)), Closure::Inward, 1.0, 1},
        Case{"OpenBox", box(O, I, -1, 1), Closure::Open, 0.0, 1},
        // Edges still used twice, but one face runs with its neighbours instead of against them.
        Case{"FlippedFace", box(O, I, 2), Closure::Open, 0.0, 1},
        Case{"TwoShells", box(O, I) + box({3, 0, 0}, {4, 2, 1}), Closure::Outward, 3.0, 2},
        Case{"TwoShellsWoundApart", box(O, I) + reversed(box({3, 0, 0}, {4, 2, 1})), Closure::Open, 0.0, 2},
        // Two cubes touching along one edge: four uses, two each way.
        Case{"EdgeUsedFourTimes", box(O, I) + box({1, 1, 0}, {2, 2, 1}), Closure::Outward, 2.0, 1},
        Case{"EdgeUsedFourTimesOneWay", box(O, I) + box({1, 1, 0}, {2, 2, 1}, 4), Closure::Open, 0.0, 1},
        Case{"FaceTwice", box(O, I) + bottomFace(), Closure::Open, 0.0, 1},
        Case{"TJunction", tJunction(), Closure::Open, 0.0, 1},
        Case{"UnweldedSeam", seamed(1e-3), Closure::Open, 0.0, 2},
        Case{"SeamWithinTheWeld", seamed(1e-8), Closure::Outward, 1.0, 1},
        // Corners that weld together add nothing; a sliver along an edge adds uses of one direction.
        Case{"CollapsedTriangles", box(O, I) + Corners{O, O, I, {1, 0, 0}, {1, 0, 0}, {1, 0, 0}}, Closure::Outward, 1.0, 1},
        Case{"SliverOnAnEdge", box(O, I) + Corners{O, {0.5, 0, 0}, {1, 0, 0}}, Closure::Open, 0.0, 1},
        Case{"NoTriangles", Corners{}, Closure::Open, 0.0, 0}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

// A body drawn as quads rather than indexed triangles is the same closed cube to all three tools; the
// volume is measured from the body as the measure command picks it.
TEST(SurfaceTopology, QuadsCloseAsTrianglesDo)
{
    const Corners cube = box(O, I);
    osg::ref_ptr<osg::Vec3Array> points = new osg::Vec3Array;
    for (std::size_t i = 0; i < cube.size(); i += 6)
        for (std::size_t k : {0, 1, 2, 5})
            points->push_back(osg::Vec3(cube[i + k]));
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setVertexArray(points.get());
    g->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, GLsizei(points->size())));
    osg::ref_ptr<osg::Geode> body = new osg::Geode;
    body->addDrawable(g.get());

    EXPECT_TRUE(Vantor::SectionCapping::isClosed(body.get()));
    EXPECT_EQ(Vantor::EffectManager::facingOf(*body), Vantor::EffectManager::SurfaceFacing::Outward);
    Vantor::FeatureGeo::Solid solid;
    ASSERT_TRUE(Vantor::FeatureGeo::solidFromBody(body.get(), osg::Matrixd::scale(2, 2, 2), solid));
    double volume = 0;
    EXPECT_TRUE(Vantor::MeasureGeo::volume(solid.triangles, volume));
    EXPECT_NEAR(volume, 8.0, 1e-9);
}

// An index outside its array leaves the body open, whatever the rest of it.
TEST(SurfaceTopology, IndexOutsideTheArrayLeavesTheBodyOpen)
{
    osg::ref_ptr<osg::Geode> body = bodyOf(box(O, I));
    auto* triangles = static_cast<osg::DrawElementsUInt*>(body->getDrawable(0)->asGeometry()->getPrimitiveSet(0));
    triangles->push_back(0);
    triangles->push_back(1);
    triangles->push_back(999);
    EXPECT_EQ(SurfaceTopology::ofBody(*body).closure(), Closure::Open);
    EXPECT_FALSE(Vantor::SectionCapping::isClosed(body.get()));
}

// Faces tessellated apart (each its own array) weld into one surface; lines add nothing.
TEST(SurfaceTopology, FacesInTheirOwnArraysWeldIntoOneSurface)
{
    const Corners cube = box(O, I);
    osg::ref_ptr<osg::Geode> body = new osg::Geode;
    for (std::size_t f = 0; f < cube.size(); f += 6)
        body->addDrawable(bodyOf(Corners(cube.begin() + f, cube.begin() + f + 6))->getDrawable(0));
    osg::ref_ptr<osg::Geometry> edges = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> ends = new osg::Vec3Array;
    ends->push_back(osg::Vec3(0, 0, 0));
    ends->push_back(osg::Vec3(5, 5, 5));
    edges->setVertexArray(ends.get());
    edges->addPrimitiveSet(new osg::DrawArrays(GL_LINES, 0, 2));
    body->addDrawable(edges.get());
    const SurfaceTopology s = SurfaceTopology::ofBody(*body);
    EXPECT_EQ(s.closure(), Closure::Outward);
    EXPECT_EQ(s.points().size(), 8u);
    EXPECT_EQ(s.sharedArray(), nullptr);
    EXPECT_NEAR(s.volume(), 1.0, 1e-9);
}

bool sameMatrix(const osg::Matrixd& a, const osg::Matrixd& b)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::abs(a(r, c) - b(r, c)) > 1e-9)
                return false;
    return true;
}

// The view's camera holds the scene as its child: its view matrix is no part of a placement. A part
// reached twice (an instance) is placed along the path through the node asked for.
TEST(NodeMatrix, PlacementLeavesTheCameraOutAndFollowsTheAskedPath)
{
    osg::ref_ptr<osg::Camera> camera = new osg::Camera;
    camera->setViewMatrix(osg::Matrixd::translate(0, 0, -50));
    osg::ref_ptr<osg::MatrixTransform> left = new osg::MatrixTransform(osg::Matrixd::translate(-10, 0, 0));
    osg::ref_ptr<osg::MatrixTransform> right = new osg::MatrixTransform(osg::Matrixd::translate(10, 0, 0));
    osg::ref_ptr<osg::MatrixTransform> part = new osg::MatrixTransform(osg::Matrixd::rotate(osg::PI_2, osg::Z_AXIS));
    osg::ref_ptr<osg::Geode> body = new osg::Geode;
    camera->addChild(left.get());
    camera->addChild(right.get());
    left->addChild(part.get());
    right->addChild(part.get());
    part->addChild(body.get());

    EXPECT_TRUE(sameMatrix(Vantor::worldMatrixOf(part.get()), part->getMatrix() * left->getMatrix()));
    EXPECT_TRUE(sameMatrix(Vantor::parentWorldMatrixOf(part.get()), left->getMatrix()));
    EXPECT_TRUE(sameMatrix(Vantor::worldMatrixOf(part.get(), right.get()), part->getMatrix() * right->getMatrix()));
    EXPECT_TRUE(sameMatrix(Vantor::worldMatrixOf(body.get(), right.get()), part->getMatrix() * right->getMatrix()));
    EXPECT_TRUE(sameMatrix(Vantor::worldMatrixOf(nullptr), osg::Matrixd()));
    osg::ref_ptr<osg::MatrixTransform> alone = new osg::MatrixTransform(osg::Matrixd::translate(1, 2, 3));
    EXPECT_TRUE(sameMatrix(Vantor::worldMatrixOf(alone.get()), alone->getMatrix()));
    EXPECT_TRUE(sameMatrix(Vantor::parentWorldMatrixOf(alone.get()), osg::Matrixd()));
}

// Faces are the filled primitives; their triangles come out three indices each, strips and quads split.
TEST(MeshPrimitives, FacesAndTheirTriangles)
{
    for (GLenum mode : {GL_TRIANGLES, GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN, GL_QUADS, GL_QUAD_STRIP, GL_POLYGON})
        EXPECT_TRUE(Vantor::isFaceMode(mode)) << mode;
    for (GLenum mode : {GL_POINTS, GL_LINES, GL_LINE_STRIP, GL_LINE_LOOP})
        EXPECT_FALSE(Vantor::isFaceMode(mode)) << mode;

    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setVertexArray(new osg::Vec3Array(6));
    g->addPrimitiveSet(new osg::DrawArrays(GL_LINES, 0, 2));
    EXPECT_FALSE(Vantor::isFaceGeometry(*g));
    g->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, 4));
    g->addPrimitiveSet(new osg::DrawArrays(GL_TRIANGLE_STRIP, 2, 4));
    EXPECT_TRUE(Vantor::isFaceGeometry(*g));
    std::vector<unsigned int> triangles;
    Vantor::appendTriangles(*g, triangles, 10);
    EXPECT_EQ(triangles, (std::vector<unsigned int>{10, 11, 12, 10, 12, 13, 12, 13, 14, 13, 15, 14}));
}

// What a reader attaches for the tools, made by hand: the feature layer reads it through its own
// interface and places it, with no reader linked.
class OneCylinder : public osg::Object, public Vantor::FeatureGeo::FaceFeatures
{
public:
    OneCylinder() = default;
    OneCylinder(const OneCylinder& o, const osg::CopyOp& op) : osg::Object(o, op) {}
    META_Object(test, OneCylinder)
    bool faceHolding(std::size_t index, Vantor::FeatureGeo::FaceRange& out) const override
    {
        if (index >= 3)
            return false;
        out.id = 7;
        out.first = 0;
        out.count = 3;
        out.form.type = Vantor::FeatureGeo::Face::Cylinder;
        out.form.axisPoint = osg::Vec3d(0, 0, 0);
        out.form.axisDir = osg::Vec3d(0, 0, 1);
        out.form.radius = 2.0;
        return true;
    }
};

TEST(FeatureData, AnalyticFormsComeThroughTheFeatureLayer)
{
    osg::ref_ptr<osg::Geode> body = bodyOf(Corners{{2, 0, 0}, {0, 2, 0}, {0, 2, 1}});
    osg::Drawable* drawable = body->getDrawable(0);
    Vantor::FeatureGeo::Face face;
    EXPECT_FALSE(Vantor::FeatureGeo::faceFromDrawable(drawable, 0, osg::Matrixd(), face)); // nothing attached
    drawable->getOrCreateUserDataContainer()->addUserObject(new OneCylinder);
    const osg::Matrixd toWorld = osg::Matrixd::scale(3, 3, 3) * osg::Matrixd::translate(1, 0, 0);
    ASSERT_TRUE(Vantor::FeatureGeo::faceFromDrawable(drawable, 0, toWorld, face));
    EXPECT_EQ(face.type, Vantor::FeatureGeo::Face::Cylinder);
    EXPECT_EQ(face.id, 7u);
    EXPECT_NEAR(face.radius, 6.0, 1e-12);
    EXPECT_NEAR((face.axisPoint - osg::Vec3d(1, 0, 0)).length(), 0.0, 1e-12);
    ASSERT_EQ(face.triangles.size(), 3u);
    EXPECT_NEAR((face.triangles[0] - osg::Vec3d(7, 0, 0)).length(), 0.0, 1e-6);
}

} // namespace
