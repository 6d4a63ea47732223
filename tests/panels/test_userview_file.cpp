// Saved views through a model file: a model saved with two saved views and opened again lists both, and
// applying one restores the camera and the part visibility it captured.
#include "../reader/ReaderFixtures.h"

#include "app/MainWindow.h"
#include "view/UserView.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/model/Model.h"
#include "vantor/view/ViewManager.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

using namespace Vantor;

namespace {

struct Pose
{
    osg::Vec3d center;
    osg::Quat rotation;
    double distance;
};

const Pose FrontPose{{1.0, 2.0, 3.0}, osg::Quat(0.3, osg::X_AXIS), 40.0};
const Pose BackPose{{-5.0, 0.5, 0.25}, osg::Quat(2.5, osg::Z_AXIS), 75.0};

void setPose(MainWindow& w, const Pose& pose)
{
    PickingHandler* handler = w.sceneView()->getPickingHandler().get();
    handler->setCenter(pose.center);
    handler->setRotation(pose.rotation);
    handler->setDistance(pose.distance);
}

void expectPose(MainWindow& w, const Pose& pose)
{
    PickingHandler* handler = w.sceneView()->getPickingHandler().get();
    EXPECT_EQ(handler->getCenter(), pose.center);
    EXPECT_EQ(handler->getRotation(), pose.rotation);
    EXPECT_EQ(handler->getDistance(), pose.distance);
}

osg::ref_ptr<Model> topModel(MainWindow& w)
{
    return Model::GetTopModel(w.sceneModel()->getRootSwitch());
}

// What the window's new-bookmark action does, without its dialog.
void addBookmark(MainWindow& w, int64_t id, const std::string& name, const std::string& remark)
{
    osg::ref_ptr<UserView> view = new UserView;
    view->setViewName(name);
    view->setViewRemark(remark);
    view->setTopModel(topModel(w).get());
    view->setNoteManager(w.sceneModel()->getNoteManager());
    view->setSectionManager(w.sceneModel()->getSectionManager());
    view->setMeasureManager(w.sceneModel()->getMeasureManager());
    view->sceneView = w.sceneView();
    view->capture();
    view->setViewID(id);
    w.sceneModel()->getViewManager()->AddView(view);
}

} // namespace

// Waits (events running) until the condition holds or 20 s passed.
template <typename Condition>
bool waitFor(Condition condition)
{
    return QTest::qWaitFor(condition, 20000);
}

TEST(SavedViewFile, ModelSavedWithTwoViewsReopensWithThem)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    dazo_test::ScratchDir dir;
    const QString path = QString::fromStdString(dir.file("model.dazo"));
    ASSERT_TRUE(reader_test::writeSmallAssembly(path.toStdString()));

    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto views = [&w] { return w.sceneModel()->getViewManager()->GetAllView(); };

    ASSERT_TRUE(w.loadFile(path));
    ASSERT_TRUE(waitFor([&w] { return !w.isBusy(); }));
    ASSERT_TRUE(topModel(w));
    Model* left = reader_test::child(topModel(w).get(), "Left");
    Model* right = reader_test::child(topModel(w).get(), "Right");
    ASSERT_TRUE(left && right);

    setPose(w, FrontPose);
    right->setVisible(false, true);
    nerio_test::waitFrames(*w.sceneView());
    addBookmark(w, 1, "Front", "right part hidden");
    setPose(w, BackPose);
    right->setVisible(true, true);
    left->setVisible(false, true);
    nerio_test::waitFrames(*w.sceneView());
    addBookmark(w, 2, "\xe8\x83\x8c\xe9\x9d\xa2", "");

    w.on_actionSave_triggered();
    ASSERT_TRUE(waitFor([&w] { return !w.isBusy(); }));

    w.unLoadFile();
    ASSERT_TRUE(views().empty());
    ASSERT_TRUE(w.loadFile(path));
    ASSERT_TRUE(waitFor([&] { return !w.isBusy() && views().size() >= 2; }));

    // Both views are listed again, in order, bound to the reopened scene.
    const auto listed = views();
    ASSERT_EQ(listed.size(), 2u);
    auto* front = dynamic_cast<UserView*>(listed[0].get());
    auto* back = dynamic_cast<UserView*>(listed[1].get());
    ASSERT_TRUE(front && back);
    EXPECT_EQ(front->getViewID(), 1);
    EXPECT_EQ(front->getViewName(), "Front");
    EXPECT_EQ(front->getViewRemark(), "right part hidden");
    EXPECT_EQ(back->getViewName(), "\xe8\x83\x8c\xe9\x9d\xa2");
    EXPECT_FALSE(front->getImage().isNull());
    EXPECT_LE(front->getImage().width(), 128);

    left = reader_test::child(topModel(w).get(), "Left");
    right = reader_test::child(topModel(w).get(), "Right");
    ASSERT_TRUE(left && right);
    left->setVisible(true, true);
    right->setVisible(true, true);
    setPose(w, Pose{{0, 0, 0}, osg::Quat(), 10.0});

    w.sceneModel()->getViewManager()->GetViewByID(1)->apply();
    expectPose(w, FrontPose);
    EXPECT_NE(left->getNodeMask(), 0u);
    EXPECT_EQ(right->getNodeMask(), 0u);

    w.sceneModel()->getViewManager()->GetViewByID(2)->apply();
    expectPose(w, BackPose);
    EXPECT_EQ(left->getNodeMask(), 0u);
    EXPECT_NE(right->getNodeMask(), 0u);
}
