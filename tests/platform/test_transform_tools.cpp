#include "TransformRig.h"

#include "vantor/align/AlignFeature.h"
#include "vantor/align/AlignmentCommands.h"
#include "vantor/explode/ExplodeCommands.h"
#include "vantor/math/NodeMatrix.h"
#include "vantor/property/ModelTransform.h"
#include "vantor/property/ResetTransformCommand.h"
#include "vantor/property/TransformDraggerCommands.h"
#include "vantor/property/TransformModelsCommand.h"

#include <gtest/gtest.h>

#include <osg/Material>
#include <osgManipulator/Command>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Vantor;
using transformrig::Rig;
using transformrig::worldCentre;

namespace {

bool sameBits(const osg::Matrixd& a, const osg::Matrixd& b) { return std::memcmp(a.ptr(), b.ptr(), sizeof(double) * 16) == 0; }

::testing::AssertionResult near(const osg::Vec3d& a, const osg::Vec3d& b, double tolerance = 1e-9)
{
    if ((a - b).length() <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x() << ", " << a.y() << ", " << a.z() << ") is not (" << b.x() << ", "
                                         << b.y() << ", " << b.z() << ")";
}

::testing::AssertionResult nearMatrix(const osg::Matrixd& a, const osg::Matrixd& b, double tolerance = 1e-9)
{
    for (int i = 0; i < 16; ++i) {
        if (std::abs(a.ptr()[i] - b.ptr()[i]) > tolerance)
            return ::testing::AssertionFailure() << "element " << i << ": " << a.ptr()[i] << " vs " << b.ptr()[i];
    }
    return ::testing::AssertionSuccess();
}

// A drag as a dragger reports it: start, one step, finish, in a frame placed at `origin`.
template <typename MotionT>
void drag(TransformDraggerCommand& tool, osg::ref_ptr<MotionT> step, const osg::Vec3d& origin)
{
    const osg::Matrixd localToWorld = osg::Matrixd::translate(origin);
    step->setLocalToWorldAndWorldToLocal(localToWorld, osg::Matrixd::inverse(localToWorld));
    step->setStage(osgManipulator::MotionCommand::START);
    tool.motion(*step);
    step->setStage(osgManipulator::MotionCommand::MOVE);
    tool.motion(*step);
    // The dragger's own finishing report carries no motion.
    osg::ref_ptr<osgManipulator::TranslateInLineCommand> finish = new osgManipulator::TranslateInLineCommand;
    finish->setLocalToWorldAndWorldToLocal(localToWorld, osg::Matrixd::inverse(localToWorld));
    finish->setStage(osgManipulator::MotionCommand::FINISH);
    tool.motion(*finish);
}

} // namespace

// The whole path a user takes: the arrow is pressed on screen, dragged, released; the part follows live,
// the drag is one step, undo puts back the very same matrix and redo the moved one.
TEST(TransformDragger, DraggingTheXArrowMovesThePartAlongXAsOneUndoStep)
{
    Rig rig;
    rig.select(rig.partB.get());
    auto tool = std::make_shared<AxisTransformDraggerCommand>();
    rig.start(tool);
    ASSERT_NE(tool->getDragger(), nullptr);
    EXPECT_EQ(rig.manager->undoCount(), 0u); // the tool itself is no step
    const osg::Vec3d pivot = worldCentre(rig.partB.get());
    EXPECT_TRUE(near(tool->getPlacement().getTrans(), pivot));

    const osg::Matrixd before = rig.partB->getMatrix();
    const double size = tool->getDragger()->getMatrix().getScale().x();
    ASSERT_GT(size, 0.0);
    // A point on the X arrow's shaft, then 40 pixels to the right (world +X on this camera).
    const osg::Vec2d on = rig.windowOf(pivot + osg::Vec3d(0.6 * size, 0, 0));
    rig.press(on);
    EXPECT_TRUE(tool->isDragging());
    rig.moveTo(on + osg::Vec2d(20, 0));
    const osg::Vec3d halfWay = worldCentre(rig.partB.get());
    EXPECT_GT(halfWay.x(), pivot.x()); // live
    rig.moveTo(on + osg::Vec2d(40, 0));
    rig.release(on + osg::Vec2d(40, 0));
    EXPECT_FALSE(tool->isDragging());

    const osg::Vec3d after = worldCentre(rig.partB.get());
    const double pixelsPerUnit = TransformDraggerCommand::ScreenSize / size;
    EXPECT_NEAR(after.x() - pivot.x(), 40.0 / pixelsPerUnit, 0.05 * 40.0 / pixelsPerUnit);
    EXPECT_NEAR(after.y(), pivot.y(), 1e-9);
    EXPECT_NEAR(after.z(), pivot.z(), 1e-9);
    EXPECT_TRUE(nearMatrix(rig.partB->getMatrix(), before * osg::Matrixd::translate(after.x() - pivot.x(), 0, 0)));
    EXPECT_TRUE(sameBits(rig.partA->getMatrix(), osg::Matrixd::translate(-4, 0, 0))); // only the selection moves
    ASSERT_EQ(rig.manager->undoCount(), 1u);

    const osg::Matrixd moved = rig.partB->getMatrix();
    ASSERT_TRUE(rig.manager->Undo());
    EXPECT_TRUE(sameBits(rig.partB->getMatrix(), before));
    ASSERT_TRUE(rig.manager->Redo());
    EXPECT_TRUE(sameBits(rig.partB->getMatrix(), moved));
}

// Each dragger kind with a known motion: the part's world placement is the start one times the motion,
// and undo gives back the start matrix bit for bit.
TEST(TransformDragger, EachDraggerAppliesItsMotionAboutThePivot)
{
    struct Case
    {
        const char* name;
        std::shared_ptr<TransformDraggerCommand> tool;
        osg::ref_ptr<osgManipulator::MotionCommand> motion;
        osg::Matrixd local; // the motion in the dragger's frame
    };
    auto line = [] {
        osg::ref_ptr<osgManipulator::TranslateInLineCommand> c =
            new osgManipulator::TranslateInLineCommand(osg::Vec3d(0, 0, 0), osg::Vec3d(1, 0, 0));
        c->setTranslation(osg::Vec3d(2.5, 0, 0));
        return c;
    };
    auto plane = [] {
        osg::ref_ptr<osgManipulator::TranslateInPlaneCommand> c =
            new osgManipulator::TranslateInPlaneCommand(osg::Plane(osg::Vec3d(0, 0, 1), 0.0));
        c->setTranslation(osg::Vec3d(1, -2, 0));
        return c;
    };
    auto rotate = [] {
        osg::ref_ptr<osgManipulator::Rotate3DCommand> c = new osgManipulator::Rotate3DCommand;
        c->setRotation(osg::Quat(osg::PI_2, osg::Vec3d(0, 0, 1)));
        return c;
    };
    auto scale = [] {
        osg::ref_ptr<osgManipulator::ScaleUniformCommand> c = new osgManipulator::ScaleUniformCommand;
        c->setScale(2.0);
        c->setScaleCenter(osg::Vec3d());
        return c;
    };
    std::vector<Case> cases = {
        {"axis", std::make_shared<AxisTransformDraggerCommand>(), line(), osg::Matrixd::translate(2.5, 0, 0)},
        {"plane", std::make_shared<PlaneTransformDraggerCommand>(), plane(), osg::Matrixd::translate(1, -2, 0)},
        {"rotate", std::make_shared<RotateTransformDraggerCommand>(), rotate(), osg::Matrixd::rotate(osg::PI_2, osg::Vec3d(0, 0, 1))},
        {"scale", std::make_shared<ScaleTransformDraggerCommand>(), scale(), osg::Matrixd::scale(2, 2, 2)},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.select(rig.partB.get());
        rig.start(c.tool);
        ASSERT_NE(c.tool->getDragger(), nullptr);
        const osg::Matrixd before = rig.partB->getMatrix();
        const osg::Matrixd worldBefore = worldMatrixOf(rig.partB.get());
        const osg::Vec3d pivot = c.tool->getPlacement().getTrans();
        const osg::Matrixd lts = osg::Matrixd::translate(pivot);
        c.motion->setLocalToWorldAndWorldToLocal(lts, osg::Matrixd::inverse(lts));
        for (auto stage : {osgManipulator::MotionCommand::START, osgManipulator::MotionCommand::MOVE,
                           osgManipulator::MotionCommand::FINISH}) {
            c.motion->setStage(stage);
            c.tool->motion(*c.motion);
        }
        const osg::Matrixd expected = worldBefore * osg::Matrixd::translate(-pivot) * c.local * osg::Matrixd::translate(pivot);
        EXPECT_TRUE(nearMatrix(worldMatrixOf(rig.partB.get()), expected));
        EXPECT_EQ(rig.manager->undoCount(), 1u);
        ASSERT_TRUE(rig.manager->Undo());
        EXPECT_TRUE(sameBits(rig.partB->getMatrix(), before));
    }
}

TEST(TransformDragger, WithNothingSelectedTheToolAsksForASelectionAndFollowsIt)
{
    Rig rig;
    auto tool = std::make_shared<RotateTransformDraggerCommand>();
    rig.start(tool);
    EXPECT_EQ(tool->getDragger(), nullptr);
    EXPECT_EQ(rig.tips->last(), SelectModelTip);
    EXPECT_FALSE(tool->isFinished());

    rig.select(rig.partA.get());
    tool->SelectedExecute();
    ASSERT_NE(tool->getDragger(), nullptr);
    EXPECT_TRUE(near(tool->getPlacement().getTrans(), worldCentre(rig.partA.get())));
    EXPECT_EQ(rig.temp->getNumChildren(), 1u);

    rig.manager->CancelCurrentCmd();
    EXPECT_EQ(rig.temp->getNumChildren(), 0u); // the dragger goes with the tool
    EXPECT_EQ(rig.manager->undoCount(), 0u);
}

TEST(TransformDragger, AScaleThroughZeroNeverReachesTheModel)
{
    Rig rig;
    rig.select(rig.partB.get());
    auto tool = std::make_shared<ScaleTransformDraggerCommand>();
    rig.start(tool);
    const osg::Matrixd before = rig.partB->getMatrix();
    osg::ref_ptr<osgManipulator::ScaleUniformCommand> flat = new osgManipulator::ScaleUniformCommand;
    flat->setScale(0.0);
    drag(*tool, flat, tool->getPlacement().getTrans());
    EXPECT_TRUE(sameBits(rig.partB->getMatrix(), before));
    EXPECT_EQ(rig.manager->undoCount(), 0u); // nothing moved, no step
}

// The pivot set by a click on a corner sits in the part's own frame: the dragger goes there, and
// moves with the part; reset puts it back to the centre.
TEST(TransformDragger, ThePivotIsSetByAClickAndResetToTheCentre)
{
    Rig rig;
    rig.select(rig.partB.get());
    auto pivotTool = std::make_shared<UpdateAxisLocationCommand>();
    rig.start(pivotTool);
    // Near the front top right corner of B (world (5, -1, 2)); the click snaps onto it.
    const osg::Vec3d corner(5, -1, 2);
    rig.click(rig.windowOf(corner + osg::Vec3d(-0.3, 0, -0.3)));
    ASSERT_TRUE(pivotTool->isFinished()) << rig.tips->last();
    rig.manager->CancelCurrentCmd();

    auto tool = std::make_shared<AxisTransformDraggerCommand>();
    rig.start(tool);
    EXPECT_TRUE(near(tool->getPlacement().getTrans(), corner, 1e-5));
    rig.manager->CancelCurrentCmd();

    rig.partB->setMatrix(rig.partB->getMatrix() * osg::Matrixd::translate(0, 3, 0));
    auto again = std::make_shared<AxisTransformDraggerCommand>();
    rig.start(again);
    EXPECT_TRUE(near(again->getPlacement().getTrans(), corner + osg::Vec3d(0, 3, 0), 1e-5));
    rig.manager->CancelCurrentCmd();

    EXPECT_TRUE(rig.properties->resetNodeDraggerLocation(rig.partB.get()));
    auto centred = std::make_shared<AxisTransformDraggerCommand>();
    rig.start(centred);
    EXPECT_TRUE(near(centred->getPlacement().getTrans(), worldCentre(rig.partB.get())));
}

TEST(TransformModels, RefusesUnsoundMatricesAndUndoesInReverse)
{
    osg::ref_ptr<osg::MatrixTransform> node = new osg::MatrixTransform;
    TransformModelsCommand step;
    osg::Matrixd nan;
    nan(3, 0) = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(step.add(node.get(), osg::Matrixd(), nan));
    EXPECT_FALSE(step.add(node.get(), osg::Matrixd(), osg::Matrixd::scale(0, 1, 1)));
    EXPECT_FALSE(step.add(nullptr, osg::Matrixd(), osg::Matrixd()));
    EXPECT_TRUE(step.empty());
    // The same node twice: undo must end at the first "before".
    ASSERT_TRUE(step.add(node.get(), osg::Matrixd::translate(1, 0, 0), osg::Matrixd::translate(2, 0, 0)));
    ASSERT_TRUE(step.add(node.get(), osg::Matrixd::translate(2, 0, 0), osg::Matrixd::translate(3, 0, 0)));
    ASSERT_TRUE(step.Execute());
    EXPECT_EQ(node->getMatrix().getTrans(), osg::Vec3d(3, 0, 0));
    ASSERT_TRUE(step.Unexecute());
    EXPECT_EQ(node->getMatrix().getTrans(), osg::Vec3d(1, 0, 0));
}

// ---------------------------------------------------------------------------------------------------

TEST(Explode, OffsetsFollowEachPartsOffsetFromTheCentre)
{
    const osg::Vec3d centre(0, 0, 1);
    const std::vector<osg::Vec3d> parts = {{-4, 0, 1}, {4, 0, 1}, {0, 2, 7}};
    struct Row
    {
        const char* name;
        ExplodeKind kind;
        osg::Vec3d axis;
        double amount;
        std::vector<osg::Vec3d> expected;
    };
    const std::vector<Row> rows = {
        {"axis x", ExplodeKind::Axis, {1, 0, 0}, 1.0, {{-4, 0, 0}, {4, 0, 0}, {0, 0, 0}}},
        {"axis z, not unit", ExplodeKind::Axis, {0, 0, 5}, 0.5, {{0, 0, 0}, {0, 0, 0}, {0, 0, 3}}},
        {"axis backwards", ExplodeKind::Axis, {1, 0, 0}, -0.25, {{1, 0, 0}, {-1, 0, 0}, {0, 0, 0}}},
        {"radial about z", ExplodeKind::Radial, {0, 0, 1}, 1.0, {{-4, 0, 0}, {4, 0, 0}, {0, 2, 0}}},
        {"radial about x", ExplodeKind::Radial, {1, 0, 0}, 2.0, {{0, 0, 0}, {0, 0, 0}, {0, 4, 12}}},
        {"centre", ExplodeKind::Center, {0, 0, 0}, 0.5, {{-2, 0, 0}, {2, 0, 0}, {0, 1, 3}}},
        {"zero axis moves nothing", ExplodeKind::Axis, {0, 0, 0}, 1.0, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        {"NaN amount moves nothing", ExplodeKind::Center, {0, 0, 0}, std::nan(""), {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto offsets = explodeOffsets(row.kind, centre, row.axis, parts, row.amount);
        ASSERT_EQ(offsets.size(), row.expected.size());
        for (std::size_t i = 0; i < offsets.size(); ++i)
            EXPECT_TRUE(near(offsets[i], row.expected[i])) << "part " << i;
    }
}

// The tool on the fixture: with nothing selected the whole model's three parts move apart, each by its
// offset times the dragged distance over the assembly's radius; one step, undone exactly.
TEST(Explode, ADragPullsTheAssemblyApartAsOneStep)
{
    struct Row
    {
        const char* name;
        std::shared_ptr<ExplodeTransformDraggerCommand> tool;
        osg::Vec3d drag;
    };
    const std::vector<Row> rows = {
        {"axis", std::make_shared<AxisExplodeTransformDraggerCommand>(), {3, 0, 0}},
        {"radial", std::make_shared<RadialExplodeTransformDraggerCommand>(), {0, 0, 2}},
        {"centre", std::make_shared<CenterExplodeTransformDraggerCommand>(), {0, -1.5, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rig rig;
        rig.start(row.tool);
        ASSERT_NE(row.tool->getDragger(), nullptr);
        ASSERT_EQ(row.tool->getTargets().size(), 3u);
        const osg::Vec3d centre = row.tool->getCenter();
        const double radius = row.tool->getRadius();
        std::vector<osg::Vec3d> starts;
        std::vector<osg::Matrixd> matrices;
        for (osg::Node* part : {rig.partA.get(), rig.partB.get(), rig.partC.get()}) {
            starts.push_back(worldCentre(part));
            matrices.push_back(static_cast<osg::MatrixTransform*>(part)->getMatrix());
        }
        osg::ref_ptr<osgManipulator::TranslateInLineCommand> step =
            new osgManipulator::TranslateInLineCommand(osg::Vec3d(), row.drag);
        step->setTranslation(row.drag);
        drag(*row.tool, step, centre);

        double amount = 0;
        osg::Vec3d axis;
        for (int c = 0; c < 3; ++c) {
            if (row.drag[c] != 0) {
                axis[c] = 1;
                amount = row.drag[c] / radius;
            }
        }
        const auto expected = explodeOffsets(row.tool->kind(), centre, axis, starts, amount);
        int i = 0;
        for (osg::Node* part : {rig.partA.get(), rig.partB.get(), rig.partC.get()}) {
            EXPECT_TRUE(near(worldCentre(part), starts[i] + expected[i], 1e-9)) << "part " << i;
            ++i;
        }
        ASSERT_EQ(rig.manager->undoCount(), 1u);
        ASSERT_TRUE(rig.manager->Undo());
        EXPECT_TRUE(sameBits(rig.partA->getMatrix(), matrices[0]));
        EXPECT_TRUE(sameBits(rig.partB->getMatrix(), matrices[1]));
        EXPECT_TRUE(sameBits(rig.partC->getMatrix(), matrices[2]));
    }
}

// ---------------------------------------------------------------------------------------------------

namespace {

AlignFeature feature(AlignFeature::Kind kind, osg::Vec3d point, osg::Vec3d direction = osg::Vec3d(), bool planar = true)
{
    AlignFeature f;
    f.kind = kind;
    f.point = point;
    f.direction = direction;
    f.planar = planar;
    return f;
}

} // namespace

TEST(Alignment, KnownAnswers)
{
    using K = AlignFeature;
    struct Row
    {
        const char* name;
        AlignFeature moving, fixed;
        // Where the moving feature's point and direction must end up (direction up to sign for lines).
        osg::Vec3d point;
        osg::Vec3d direction;
    };
    const std::vector<Row> rows = {
        {"point onto point", feature(K::Point, {1, 2, 3}), feature(K::Point, {-4, 0, 5}), {-4, 0, 5}, {}},
        {"face onto face, normals opposed", feature(K::Face, {0, 0, 1}, {0, 0, 1}), feature(K::Face, {5, 0, 0}, {1, 0, 0}),
         {5, 0, 1}, {-1, 0, 0}},
        {"face onto a face it already faces away from", feature(K::Face, {0, 0, 0}, {0, 0, 1}), feature(K::Face, {0, 0, 3}, {0, 0, 1}),
         {0, 0, 3}, {0, 0, -1}},
        {"line onto line", feature(K::Line, {0, 0, 0}, {1, 0, 0}), feature(K::Line, {0, 5, 2}, {0, 0, 1}), {0, 5, 0}, {0, 0, 1}},
        {"line onto a parallel line", feature(K::Line, {1, 1, 0}, {0, 1, 0}), feature(K::Line, {3, 0, 0}, {0, -1, 0}), {3, 1, 0}, {0, 1, 0}},
        {"line laid onto face", feature(K::Line, {0, 0, 4}, {0, 1, 1}), feature(K::Face, {0, 0, 1}, {0, 0, 1}), {0, 0, 1}, {0, 1, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        osg::Matrixd motion;
        std::string refusal;
        ASSERT_TRUE(computeAlignment(row.moving, row.fixed, motion, refusal)) << refusal;
        EXPECT_TRUE(near(row.moving.point * motion, row.point, 1e-9));
        if (row.direction.length2() > 0) {
            osg::Vec3d d = osg::Matrixd::transform3x3(row.moving.direction, motion);
            d.normalize();
            if (row.moving.kind == K::Line && d * row.direction < 0)
                d = -d;
            EXPECT_TRUE(near(d, row.direction, 1e-9));
        }
        // A turn and a move only: lengths stay.
        EXPECT_NEAR((osg::Vec3d(1, 0, 0) * motion - osg::Vec3d() * motion).length(), 1.0, 1e-12);
    }
}

TEST(Alignment, FeaturesThatCannotBeAlignedAreRefusedWithATip)
{
    using K = AlignFeature;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row
    {
        const char* name;
        AlignFeature moving, fixed;
    };
    const std::vector<Row> rows = {
        {"curved fixed face", feature(K::Face, {0, 0, 0}, {0, 0, 1}), feature(K::Face, {0, 0, 3}, {0, 0, 1}, false)},
        {"point onto a curved face", feature(K::Point, {0, 0, 0}), feature(K::Face, {0, 0, 3}, {0, 0, 1}, false)},
        {"line upright on the face", feature(K::Line, {0, 0, 0}, {0, 0, 1}), feature(K::Face, {0, 0, 3}, {0, 0, 1})},
        {"line without direction", feature(K::Line, {0, 0, 0}, {0, 0, 0}), feature(K::Line, {0, 0, 3}, {0, 0, 1})},
        {"NaN point", feature(K::Point, {nan, 0, 0}), feature(K::Point, {0, 0, 3})},
        {"face onto a point", feature(K::Face, {0, 0, 0}, {0, 0, 1}), feature(K::Point, {0, 0, 3})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        osg::Matrixd motion = osg::Matrixd::translate(7, 7, 7);
        std::string refusal;
        EXPECT_FALSE(computeAlignment(row.moving, row.fixed, motion, refusal));
        EXPECT_FALSE(refusal.empty());
        EXPECT_TRUE(sameBits(motion, osg::Matrixd::translate(7, 7, 7)));
    }
}

// Clicks on the two parts in the view: the top face of A goes onto the top face of B facing it; the
// whole of A moves, as one step; undo restores it exactly. With the lock on, B then takes A along.
TEST(Alignment, FacesPickedInTheViewAreAlignedAndLocked)
{
    Rig rig;
    rig.align->SetLockPostion(true);
    auto tool = std::make_shared<FacesAlignmentCommand>();
    rig.start(tool);
    const osg::Matrixd before = rig.partA->getMatrix();
    // The front faces (normal -y) of A and of B, seen from the camera.
    rig.click(rig.windowOf(osg::Vec3d(-4.3, -1, 1.2)));
    ASSERT_TRUE(tool->hasMovingFeature());
    rig.click(rig.windowOf(osg::Vec3d(4.2, -1, 0.7)));
    ASSERT_TRUE(tool->isFinished()) << rig.tips->last();
    // A turned half way round about its front face and now lies in front of B's front face.
    const osg::Matrixd world = worldMatrixOf(rig.partA.get());
    const osg::Vec3d normal = osg::Matrixd::transform3x3(osg::Vec3d(0, -1, 0), world);
    EXPECT_TRUE(near(normal, osg::Vec3d(0, 1, 0), 1e-9));
    EXPECT_NEAR(worldCentre(rig.partA.get()).y(), -2.0, 1e-9);
    EXPECT_EQ(rig.manager->undoCount(), 1u);
    EXPECT_EQ(rig.align->lockedPairCount(), 1u);

    // Locked: dragging B takes A along.
    rig.manager->CancelCurrentCmd();
    rig.select(rig.partB.get());
    auto mover = std::make_shared<AxisTransformDraggerCommand>();
    rig.start(mover);
    ASSERT_EQ(mover->getTargets().size(), 2u);
    const osg::Vec3d aBefore = worldCentre(rig.partA.get());
    osg::ref_ptr<osgManipulator::TranslateInLineCommand> step =
        new osgManipulator::TranslateInLineCommand(osg::Vec3d(), osg::Vec3d(0, 0, 1));
    step->setTranslation(osg::Vec3d(0, 0, 2));
    drag(*mover, step, mover->getPlacement().getTrans());
    EXPECT_TRUE(near(worldCentre(rig.partA.get()), aBefore + osg::Vec3d(0, 0, 2), 1e-9));
    EXPECT_TRUE(near(mover->getPlacement().getTrans(), worldCentre(rig.partB.get()))); // the dragger follows
    rig.manager->CancelCurrentCmd();

    ASSERT_TRUE(rig.manager->Undo()); // the drag
    ASSERT_TRUE(rig.manager->Undo()); // the alignment
    EXPECT_TRUE(sameBits(rig.partA->getMatrix(), before));
}

TEST(Alignment, AToolLeftHalfWayLeavesNoStepAndThePartsUnmoved)
{
    Rig rig;
    auto tool = std::make_shared<PointsAlignmentCommand>();
    rig.start(tool);
    rig.click(rig.windowOf(osg::Vec3d(-4, -1, 1)));
    EXPECT_TRUE(tool->hasMovingFeature());
    rig.manager->CancelCurrentCmd();
    EXPECT_EQ(rig.manager->undoCount(), 0u);
    EXPECT_TRUE(sameBits(rig.partA->getMatrix(), osg::Matrixd::translate(-4, 0, 0)));

    // A second pick on the same part is refused.
    auto again = std::make_shared<PointsAlignmentCommand>();
    rig.start(again);
    rig.click(rig.windowOf(osg::Vec3d(-4, -1, 1)));
    rig.click(rig.windowOf(osg::Vec3d(-3.5, -1, 1.5)));
    EXPECT_FALSE(again->isFinished());
    EXPECT_FALSE(rig.tips->last().empty());
}

// A press that wanders off and comes back turned the camera: it picks nothing, though it ends where
// it began. A click in place picks.
TEST(Alignment, ADragThatReturnsIsNoClick)
{
    Rig rig;
    auto tool = std::make_shared<PointsAlignmentCommand>();
    rig.start(tool);
    const osg::Vec2d at = rig.windowOf(osg::Vec3d(-4, -1, 1));
    rig.press(at);
    rig.moveTo(at + osg::Vec2d(40, 0));
    rig.moveTo(at + osg::Vec2d(1, 0));
    rig.release(at + osg::Vec2d(1, 0));
    EXPECT_FALSE(tool->hasMovingFeature());
    rig.click(at);
    EXPECT_TRUE(tool->hasMovingFeature());
}

TEST(AlignManager, LockedPartnersFollowTheLinksOnlyWhileLocked)
{
    osg::ref_ptr<Vantor::AlignManager> manager = new Vantor::AlignManager;
    osg::ref_ptr<osg::MatrixTransform> a = new osg::MatrixTransform, b = new osg::MatrixTransform,
                                       c = new osg::MatrixTransform, d = new osg::MatrixTransform;
    EXPECT_FALSE(manager->addLockedPair(a.get(), b.get())); // not locked: no link
    manager->SetLockPostion(true);
    ASSERT_TRUE(manager->addLockedPair(a.get(), b.get()));
    ASSERT_TRUE(manager->addLockedPair(c.get(), b.get()));
    auto partners = manager->lockedPartners({a});
    ASSERT_EQ(partners.size(), 2u);
    EXPECT_EQ(partners[0], b);
    EXPECT_EQ(partners[1], c);
    EXPECT_TRUE(manager->lockedPartners({d}).empty());
    manager->SetLockPostion(false);
    EXPECT_TRUE(manager->lockedPartners({a}).empty());
}

// ---------------------------------------------------------------------------------------------------

TEST(ResetTransform, PutsPositionColourAndTransparencyBackAndUndoesExactly)
{
    // B had a colour of its own when loaded; A had none (its parts show their own colours).
    Rig fresh;
    fresh.partB->setColor(osg::Vec4f(0, 0, 1, 1));
    fresh.properties->clearModelProperties();
    fresh.properties->recordModelProperties(fresh.top, true);

    fresh.partA->setMatrix(osg::Matrixd::translate(9, 9, 9));
    fresh.partB->setMatrix(osg::Matrixd::rotate(1.0, osg::Vec3d(0, 0, 1)));
    fresh.partA->setColor(osg::Vec4f(1, 0, 0, 1));
    fresh.partB->setColor(osg::Vec4f(0, 1, 0, 1));
    fresh.partB->setTransparent(0.3);

    struct Row
    {
        ResetType type;
        bool selectB;
    };
    for (const Row row : {Row{RESET_POSITION, false}, Row{RESET_POSITION, true}, Row{RESET_COLOR, false},
                          Row{RESET_TRANSPARENT, true}}) {
        SCOPED_TRACE(int(row.type) * 10 + int(row.selectB));
        fresh.selection->selected.clear();
        if (row.selectB)
            fresh.select(fresh.partB.get());
        const osg::Matrixd aMatrix = fresh.partA->getMatrix(), bMatrix = fresh.partB->getMatrix();
        const osg::Vec4f aColour = fresh.partA->getColor(), bColour = fresh.partB->getColor();
        const double bAlpha = fresh.partB->getTransparent();
        auto reset = std::make_shared<ResetTransformCommand>(fresh.view, row.type);
        ASSERT_TRUE(fresh.manager->DoCommand(reset));
        switch (row.type) {
        case RESET_POSITION:
            EXPECT_TRUE(sameBits(fresh.partB->getMatrix(), osg::Matrixd::translate(4, 0, 0)));
            EXPECT_TRUE(sameBits(fresh.partA->getMatrix(), row.selectB ? aMatrix : osg::Matrixd::translate(-4, 0, 0)));
            break;
        case RESET_COLOR: {
            EXPECT_EQ(fresh.partB->getColor(), osg::Vec4f(0, 0, 1, float(bAlpha)));
            const osg::StateSet* state = fresh.partA->getStateSet();
            EXPECT_TRUE(!state || !state->getAttribute(osg::StateAttribute::MATERIAL)); // own colours again
            break;
        }
        case RESET_TRANSPARENT:
            EXPECT_EQ(fresh.partB->getTransparent(), 1.0);
            break;
        }
        ASSERT_TRUE(fresh.manager->Undo());
        EXPECT_TRUE(sameBits(fresh.partA->getMatrix(), aMatrix));
        EXPECT_TRUE(sameBits(fresh.partB->getMatrix(), bMatrix));
        EXPECT_EQ(fresh.partA->getColor(), aColour);
        EXPECT_EQ(fresh.partB->getColor(), bColour);
        EXPECT_EQ(fresh.partB->getTransparent(), bAlpha);
    }
}
