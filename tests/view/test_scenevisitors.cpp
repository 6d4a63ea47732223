// Scene visitors: world extents of the visible drawables, and the names below a node.
#include <gtest/gtest.h>

#include "view/ExtentsVisitor.h"
#include "view/FindNameListVisitor.h"

#include <osg/Geode>
#include <osg/MatrixTransform>
#include <osg/Geometry>

#include <cfloat>
#include <cmath>

namespace {

// A geode with one drawable spanning the box from lo to hi (its diagonal as a line).
osg::ref_ptr<osg::Geode> span(const osg::Vec3& lo, const osg::Vec3& hi, const char* name = "")
{
    osg::ref_ptr<osg::Geometry> line = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    v->push_back(lo);
    v->push_back(hi);
    line->setVertexArray(v.get());
    line->addPrimitiveSet(new osg::DrawArrays(GL_LINES, 0, 2));
    osg::ref_ptr<osg::Geode> g = new osg::Geode;
    g->setName(name);
    g->addDrawable(line.get());
    return g;
}

// A cube of half side r around c.
osg::ref_ptr<osg::Geode> ball(const osg::Vec3& c, float r, const char* name = "")
{
    return span(c - osg::Vec3(r, r, r), c + osg::Vec3(r, r, r), name);
}

osg::BoundingBoxd extents(osg::Node* node)
{
    ExtentsVisitor v;
    node->accept(v);
    return v.getBoundingBox();
}

} // namespace

TEST(ExtentsVisitor, StartsEmpty)
{
    ExtentsVisitor v;
    EXPECT_EQ(v.xMin, 3.4028234663852886e38);
    EXPECT_EQ(v.zMax, -3.4028234663852886e38);
    EXPECT_TRUE(v.currentMatrix.isIdentity());
    EXPECT_EQ(v.getTraversalMode(), osg::NodeVisitor::TRAVERSE_ALL_CHILDREN);
}

TEST(ExtentsVisitor, FollowsTransformsAndSkipsHiddenAndEmptyGeodes)
{
    osg::ref_ptr<osg::Group> root = new osg::Group;
    osg::ref_ptr<osg::MatrixTransform> moved = new osg::MatrixTransform(osg::Matrixd::translate(10, 0, 0));
    moved->addChild(ball({0, 0, 0}, 1).get());
    root->addChild(moved.get());
    root->addChild(ball({0, 0, 0}, 0.5f).get()); // after the transform: measured with the outer matrix

    osg::BoundingBoxd box = extents(root.get());
    EXPECT_DOUBLE_EQ(box.xMin(), -0.5);
    EXPECT_DOUBLE_EQ(box.xMax(), 11.0);
    EXPECT_DOUBLE_EQ(box.yMin(), -1.0);
    EXPECT_DOUBLE_EQ(box.zMax(), 1.0);

    // A hidden model adds nothing, nor do geodes without a measurable drawable.
    osg::ref_ptr<osg::MatrixTransform> hidden = new osg::MatrixTransform(osg::Matrixd::translate(0, 0, 100));
    hidden->addChild(ball({0, 0, 0}, 1).get());
    hidden->setNodeMask(0);
    root->addChild(hidden.get());
    root->addChild(new osg::Geode);
    root->addChild(ball({50, 0, 0}, 1e-6f).get());
    osg::ref_ptr<osg::MatrixTransform> scaled = new osg::MatrixTransform(osg::Matrixd::scale(1e30, 1e30, 1e30));
    scaled->addChild(new osg::Geode);
    root->addChild(scaled.get());
    EXPECT_EQ(extents(root.get()), box);

    // Only hidden or empty parts: the box stays empty.
    osg::ref_ptr<osg::Group> nothing = new osg::Group;
    nothing->addChild(hidden.get());
    nothing->addChild(new osg::Geode);
    EXPECT_FALSE(extents(nothing.get()).valid());
    EXPECT_EQ(extents(nothing.get()).xMin(), double(FLT_MAX));
}

TEST(ExtentsVisitor, RotatedBoxTakesAllEightCorners)
{
    osg::ref_ptr<osg::MatrixTransform> turned =
        new osg::MatrixTransform(osg::Matrixd::rotate(osg::PI_4, osg::Z_AXIS) * osg::Matrixd::translate(0, 0, 2));
    turned->addChild(ball({0, 0, 0}, 1).get());
    const osg::BoundingBoxd box = extents(turned.get());
    EXPECT_NEAR(box.xMax(), std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(box.yMin(), -std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(box.zMin(), 1.0, 1e-6);
}

TEST(ExtentsVisitor, AFlatPlateMeasuresItsOwnSidesNotItsBoundingSphere)
{
    osg::ref_ptr<osg::MatrixTransform> placed = new osg::MatrixTransform(osg::Matrixd::translate(5, 0, 0));
    placed->addChild(span({0, 0, 0}, {200, 120, 10}).get());
    const osg::BoundingBoxd box = extents(placed.get());
    EXPECT_NEAR(box.xMax() - box.xMin(), 200.0, 1e-6);
    EXPECT_NEAR(box.yMax() - box.yMin(), 120.0, 1e-6);
    EXPECT_NEAR(box.zMax() - box.zMin(), 10.0, 1e-6);
    EXPECT_NEAR(box.xMin(), 5.0, 1e-6);
}

TEST(FindNameListVisitor, CollectsEveryNameInPreOrderWithRepeats)
{
    osg::ref_ptr<osg::Group> root = new osg::Group;
    root->setName("root");
    osg::ref_ptr<osg::Group> part = new osg::Group;
    part->setName("部件");
    part->setNodeMask(0); // hidden nodes are named too
    part->addChild(ball({0, 0, 0}, 1, "bolt").get());
    root->addChild(part.get());
    root->addChild(new osg::Group); // unnamed: nothing
    root->addChild(ball({0, 0, 0}, 1, "bolt").get());

    FindNameListVisitor v;
    root->accept(v);
    EXPECT_EQ(v.names, (QStringList{"root", "部件", "bolt", "bolt"}));
}
