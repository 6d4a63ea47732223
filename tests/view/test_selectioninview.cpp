// Hover, click and Ctrl+drag on a shown scene view, from Qt's window events down to the drawn highlights.

#include "osgqt/GraphicsWindowQt.h"
#include "support/TestSupport.h"
#include "view/FrameRectPicker.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "view/SelectionManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"

#include "support/FrameWait.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Geometry>

#include <QTest>
#include <QWindow>

#include <functional>
#include <set>

namespace {

using Vantor::Model;

osg::ref_ptr<Model> bluePart(const std::string& name, const osg::Vec3& at)
{
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    const float h = 1.0f;
    const osg::Vec3 p[8] = {{-h, -h, -h}, {h, -h, -h}, {h, h, -h}, {-h, h, -h},
                            {-h, -h, h},  {h, -h, h},  {h, h, h},  {-h, h, h}};
    const int faces[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 3, 7, 4}};
    for (const auto& f : faces)
        for (int i : f)
            v->push_back(p[i]);
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setVertexArray(v.get());
    osg::ref_ptr<osg::Vec4Array> colours = new osg::Vec4Array;
    colours->push_back(osg::Vec4(0, 0, 1, 1));
    g->setColorArray(colours.get(), osg::Array::BIND_OVERALL);
    g->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, GLsizei(v->size())));
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(g.get());
    geode->getOrCreateStateSet()->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    osg::ref_ptr<Model> m = new Model;
    m->setName(name);
    m->setMatrix(osg::Matrix::translate(at));
    m->addChild(geode.get());
    return m;
}

} // namespace

TEST(SelectionInView, HoverClickAndCtrlDragHighlightTheParts)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    SceneView view;
    view.resize(480, 320);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto* gl = qobject_cast<osgQt::GLWidget*>(view.graphicsWidget());
    ASSERT_NE(gl, nullptr);
    QWindow* window = view.windowHandle();
    ASSERT_NE(window, nullptr);

    SceneModel scene;
    osg::ref_ptr<Model> top = new Model;
    top->setName("top");
    osg::ref_ptr<Model> a = bluePart("A", osg::Vec3(-3, 0, 0));
    osg::ref_ptr<Model> b = bluePart("B", osg::Vec3(0, 0, 0));
    osg::ref_ptr<Model> c = bluePart("C", osg::Vec3(3, 0, 0));
    for (Model* m : {a.get(), b.get(), c.get()})
        top->addChild(m);
    view.setSceneModel(&scene);
    scene.setModel(top.get());
    nerio_test::waitFrames(view);
    view.getPickingHandler()->setTransformation(osg::Vec3d(0, -14, 0), osg::Vec3d(0, 0, 0), osg::Vec3d(0, 0, 1));
    nerio_test::waitFrames(view);

    auto* manager = dynamic_cast<SelectionManager*>(view.getSelectionManager());
    ASSERT_NE(manager, nullptr);
    osg::Camera* camera = view.getView()->getCamera();

    // Window position (Qt, y down, in the top-level window) of a world point.
    auto at = [&](const osg::Vec3d& world) {
        const osg::Matrixd vpw =
            camera->getViewMatrix() * camera->getProjectionMatrix() * camera->getViewport()->computeWindowMatrix();
        const osg::Vec3d w = world * vpw;
        return gl->mapTo(&view, QPoint(int(w.x()), gl->height() - 1 - int(w.y())));
    };
    // Pixels of a colour over a part's front face.
    auto count = [&](const QImage& img, const osg::Vec3d& centre, const std::function<bool(const QColor&)>& is) {
        const QPoint p0 = gl->mapFrom(&view, at(centre + osg::Vec3d(-0.8, -1, 0.8)));
        const QPoint p1 = gl->mapFrom(&view, at(centre + osg::Vec3d(0.8, -1, -0.8)));
        int n = 0;
        for (int y = p0.y(); y <= p1.y(); ++y)
            for (int x = p0.x(); x <= p1.x(); ++x)
                n += is(img.pixelColor(x, y));
        return n;
    };
    auto red = [](const QColor& q) { return q.red() > 200 && q.green() < 60 && q.blue() < 60; };
    auto green = [](const QColor& q) { return q.green() > 120 && q.red() < 60 && q.blue() < 60; };
    auto shot = [&](const char* name) {
        QImage img = gl->grabFramebuffer();
        if (qEnvironmentVariableIsSet("NERIO_KEEP_SHOTS"))
            img.save(QStringLiteral("/tmp/selection_%1.png").arg(name));
        return img;
    };
    const osg::Vec3d ca(-3, 0, 0), cb(0, 0, 0), cc(3, 0, 0);

    // Hover: green over A.
    QTest::mouseMove(window, at(ca));
    nerio_test::waitFrames(view);
    (void)QTest::qWaitFor([&] { return count(gl->grabFramebuffer(), ca, green) > 100; }, 5000);
    EXPECT_EQ(manager->getPreSelected(), a.get());
    QImage img = shot("hover");
    EXPECT_GT(count(img, ca, green), 100);
    EXPECT_EQ(count(img, cb, green), 0);

    // Click: A selected, red.
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at(ca));
    nerio_test::waitFrames(view);
    (void)QTest::qWaitFor([&] { return count(gl->grabFramebuffer(), ca, red) > 100; }, 5000);
    ASSERT_EQ(manager->getSelectedList().size(), 1u);
    EXPECT_EQ(manager->getSelectedList().front().get(), a.get());
    img = shot("click");
    EXPECT_GT(count(img, ca, red), 100);
    EXPECT_EQ(count(img, cb, red), 0);

    // Ctrl+drag around B and C: the dashed rectangle while dragging, then B and C replace A.
    const QPoint from = at(osg::Vec3d(-1.6, 0, 1.6)), to = at(osg::Vec3d(4.6, 0, -1.6));
    QTest::mousePress(window, Qt::LeftButton, Qt::ControlModifier, from);
    for (int i = 1; i <= 4; ++i) {
        QTest::mouseEvent(QTest::MouseMove, window, Qt::NoButton, Qt::ControlModifier, from + (to - from) * i / 4);
        nerio_test::waitFrames(view);
    }
    nerio_test::waitFrames(view);
    int yellow = 0;
    (void)QTest::qWaitFor(
        [&] {
            img = shot("dragging");
            yellow = 0;
            for (int x = 0; x < img.width(); ++x) {
                const QColor q = img.pixelColor(x, gl->mapFrom(&view, from).y());
                yellow += q.red() > 200 && q.green() > 200 && q.blue() < 60;
            }
            return yellow > 20;
        },
        5000);
    osg::Camera* tip = view.getPickingHandler()->getFramePicker()->getHudCamera();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->getNodeMask(), ~0u);
    EXPECT_GT(yellow, 20) << "no dashed rectangle edge";

    QTest::mouseRelease(window, Qt::LeftButton, Qt::ControlModifier, to);
    nerio_test::waitFrames(view);
    EXPECT_EQ(tip->getNodeMask(), 0u);
    std::set<osg::Node*> selected;
    for (auto& n : manager->getSelectedList())
        selected.insert(n.get());
    EXPECT_EQ(selected, (std::set<osg::Node*>{b.get(), c.get()}));
    img = shot("rectangle");
    EXPECT_EQ(count(img, ca, red), 0);
    EXPECT_GT(count(img, cb, red), 100);
    EXPECT_GT(count(img, cc, red), 100);

    // The rectangle is one undoable step: undo brings back an empty selection, not A.
    view.getCommandManager()->Undo();
    EXPECT_TRUE(manager->getSelectedList().empty());
}
