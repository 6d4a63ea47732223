#include "ReaderFixtures.h"
#include "platform/TransformRig.h"

#include "vantor/dazoreader/DazoReaderWriter.h"
#include "vantor/dazoreader/DazoWriter.h"
#include "vantor/property/ResetTransformCommand.h"
#include "vantor/property/TransformDraggerCommands.h"

#include <gtest/gtest.h>

#include <osgManipulator/Command>

using namespace reader_test;

namespace {

osg::ref_ptr<osg::Node> readModel(const std::string& path)
{
    DazoReaderWriter reader;
    return reader.readNode(path);
}

osg::Vec3d translationOf(osg::Node* model) { return static_cast<osg::MatrixTransform*>(model)->getMatrix().getTrans(); }

} // namespace

// A part dragged in the view is saved where the user left it; the placement recorded at load stays what
// Reset returns to.
TEST(SavedMoves, APartMovedByTheDraggerIsSavedAndReadBackMoved)
{
    dazo_test::ScratchDir dir;
    const std::string file = dir.file("small.dazo");
    ASSERT_TRUE(writeSmallAssembly(file));
    osg::ref_ptr<osg::Node> loaded = readModel(file);
    ASSERT_TRUE(loaded.valid());

    transformrig::Rig rig;
    rig.nodeScene->removeChild(rig.top.get());
    rig.nodeScene->addChild(loaded.get());
    rig.properties->clearModelProperties();
    rig.properties->recordModelProperties(static_cast<Vantor::Model*>(loaded.get()), true);

    Vantor::Model* left = child(loaded.get(), "Left");
    ASSERT_NE(left, nullptr);
    rig.select(left);
    auto tool = std::make_shared<Vantor::AxisTransformDraggerCommand>();
    rig.start(tool);
    ASSERT_NE(tool->getDragger(), nullptr);
    const osg::Matrixd frame = osg::Matrixd::translate(tool->getPlacement().getTrans());
    osg::ref_ptr<osgManipulator::TranslateInLineCommand> step =
        new osgManipulator::TranslateInLineCommand(osg::Vec3d(), osg::Vec3d(0, 0, 1));
    step->setTranslation(osg::Vec3d(0, 0, 2.5));
    step->setLocalToWorldAndWorldToLocal(frame, osg::Matrixd::inverse(frame));
    for (auto stage : {osgManipulator::MotionCommand::START, osgManipulator::MotionCommand::MOVE,
                       osgManipulator::MotionCommand::FINISH}) {
        step->setStage(stage);
        tool->motion(*step);
    }
    rig.manager->CancelCurrentCmd();
    ASSERT_EQ(translationOf(left), osg::Vec3d(0, 0, 2.5));

    DazoWriter writer;
    const std::string out = dir.file("moved.dazo");
    ASSERT_TRUE(writer.saveNode(out, loaded, {})) << writer.lastError();
    osg::ref_ptr<osg::Node> back = readModel(out);
    ASSERT_TRUE(back.valid());
    EXPECT_EQ(translationOf(child(back.get(), "Left")), osg::Vec3d(0, 0, 2.5));
    EXPECT_EQ(translationOf(child(back.get(), "Right")), osg::Vec3d(10, 0, 0));

    // Reset after the save still goes back to the placement of the load.
    rig.selection->selected.clear();
    ASSERT_TRUE(rig.manager->DoCommand(std::make_shared<Vantor::ResetTransformCommand>(rig.view, Vantor::RESET_POSITION)));
    EXPECT_EQ(translationOf(left), osg::Vec3d(0, 0, 0));
}
