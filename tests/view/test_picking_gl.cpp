// The picking handler in a shown scene view, driven through real Qt input on the GL widget.
#include "osgqt/GraphicsWindowQt.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"

#include "vantor/math/Plane.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Geometry>

#include <QDir>
#include <QTest>
#include <QWheelEvent>

namespace {

osg::ref_ptr<Vantor::Model> part(const char* name, const osg::Vec3& at, const osg::Vec4& color)
{
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    osg::ref_ptr<osg::Vec3Array> n = new osg::Vec3Array;
    const float h = 1.0f;
    const osg::Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int a = 0; a < 3; ++a) {
        for (float s : {-1.0f, 1.0f}) {
            const osg::Vec3 normal = axes[a] * s;
            const osg::Vec3 u = axes[(a + 1) % 3] * h, w = axes[(a + 2) % 3] * h;
            const osg::Vec3 c = normal * h;
            for (const osg::Vec3& p : {c - u - w, c + u - w, c + u + w, c - u + w}) {
                v->push_back(p);
                n->push_back(normal);
            }
        }
    }
    g->setVertexArray(v.get());
    g->setNormalArray(n.get(), osg::Array::BIND_PER_VERTEX);
    g->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, GLsizei(v->size())));
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(g.get());
    osg::ref_ptr<Vantor::Model> m = new Vantor::Model;
    m->setName(name);
    m->setMatrix(osg::Matrix::translate(at));
    m->addChild(geode.get());
    m->setColor(color);
    return m;
}

void keepShot(const QImage& image, const char* name)
{
    const QString dir = qEnvironmentVariable("NERIO_KEEP_SHOTS");
    if (!dir.isEmpty())
        image.save(QDir(dir).filePath(QString::fromLatin1(name)));
}

} // namespace

TEST(PickingHandlerGl, DragOrbitsAboutThePressedPointWheelZoomsAtTheCursorSpaceGoesHome)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    SceneModel model;
    SceneView view;
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    top->setName("Top");
    top->addChild(part("A", osg::Vec3(-2, 0, 0), osg::Vec4(0.8f, 0.2f, 0.2f, 1)).get());
    top->addChild(part("B", osg::Vec3(2, 0, 0), osg::Vec4(0.2f, 0.3f, 0.9f, 1)).get());
    model.setModel(top.get());
    view.setSceneModel(&model);
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    osg::ref_ptr<PickingHandler> handler = view.getPickingHandler();
    handler->setNode(view.getSceneGroup());
    handler->setModelSize(view.getSceneBoundingBox().radius());
    handler->setHomePosition(osg::Vec3d(6, -20, 8), osg::Vec3d(), osg::Vec3d(0, 0, 1));
    handler->setAutoComputeHomePosition(false);
    handler->setTransformation(osg::Vec3d(6, -20, 8), osg::Vec3d(), osg::Vec3d(0, 0, 1));
    nerio_test::waitFrames(view);

    auto* gl = qobject_cast<osgQt::GLWidget*>(view.graphicsWidget());
    ASSERT_NE(gl, nullptr);
    osg::Camera* camera = view.getView()->getCamera();
    // Widget position of a world point, as the viewer maps input back (y down, last pixel at the edge).
    auto widgetPos = [&](const osg::Vec3d& world) {
        const osg::Vec3d n = world * camera->getViewMatrix() * camera->getProjectionMatrix();
        const double w = camera->getViewport()->width(), h = camera->getViewport()->height();
        const double dpr = gl->devicePixelRatioF();
        return QPointF((n.x() + 1) * 0.5 * (w - 1) / dpr, ((h - 1) - (n.y() + 1) * 0.5 * (h - 1)) / dpr);
    };
    // Under a loaded X server the first grabs can come back before anything was drawn: grab until the
    // picture shows more than the clear colour.
    auto grabDrawn = [&] {
        QImage img;
        (void)QTest::qWaitFor(
            [&] {
                img = gl->grabFramebuffer();
                const QRgb first = img.pixel(0, 0);
                for (int y = 0; y < img.height(); y += 7)
                    for (int x = 0; x < img.width(); x += 7)
                        if (img.pixel(x, y) != first)
                            return true;
                return false;
            },
            5000);
        return img;
    };
    const QImage home = grabDrawn();
    keepShot(home, "1_home.png");

    // Left drag from a point of B: the camera turns about that point, which stays under the press.
    const QPoint press = widgetPos(osg::Vec3d(2.3, -1, 0.4)).toPoint();
    QTest::mousePress(gl, Qt::LeftButton, Qt::NoModifier, press);
    nerio_test::waitFrames(view);
    for (int i = 1; i <= 10; ++i) {
        QTest::mouseMove(gl, press + QPoint(8 * i, 3 * i));
        nerio_test::waitFrames(view);
    }
    QTest::mouseRelease(gl, Qt::LeftButton, Qt::NoModifier, press + QPoint(80, 30));
    nerio_test::waitFrames(view);
    const osg::Vec3d centre = handler->getRotationCenter();
    EXPECT_NEAR(centre.y(), -1.0, 1e-3) << "the rotation centre lies on B's front face";
    const QPointF fixed = widgetPos(centre);
    EXPECT_NEAR(fixed.x(), press.x(), 1.5);
    EXPECT_NEAR(fixed.y(), press.y(), 1.5);
    const QImage orbited = grabDrawn();
    keepShot(orbited, "2_orbited.png");
    EXPECT_NE(orbited, home);

    // Wheel towards the screen over A: the point of the focal plane under the cursor stays there.
    const QPoint cursor = widgetPos(osg::Vec3d(-2.5, -1, -0.2)).toPoint();
    osg::Vec3d eye, orbit, up;
    handler->getTransformation(eye, orbit, up);
    const osg::Matrixd toWorld = osg::Matrixd::inverse(camera->getViewMatrix() * camera->getProjectionMatrix() *
                                                       camera->getViewport()->computeWindowMatrix());
    const double vx = cursor.x() * gl->devicePixelRatioF();
    const double vy = (camera->getViewport()->height() - 1) - cursor.y() * gl->devicePixelRatioF();
    const osg::Vec3d grabbed = Vantor::Plane::MakeFromNormalAndPoint(orbit - eye, orbit)
                                   .GetInsectPointIgnoreDirection(osg::Vec3d(vx, vy, 0) * toWorld,
                                                                  osg::Vec3d(vx, vy, 1) * toWorld);
    const double distance = handler->getDistance();
    QTest::mouseMove(gl, cursor);
    nerio_test::waitFrames(view);
    QWheelEvent wheel(QPointF(cursor), QPointF(gl->mapToGlobal(cursor)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(gl, &wheel);
    nerio_test::waitFrames(view);
    EXPECT_NEAR(handler->getDistance(), distance * 0.9, 1e-4 * distance);
    const QPointF kept = widgetPos(grabbed);
    EXPECT_NEAR(kept.x(), cursor.x(), 1.5);
    EXPECT_NEAR(kept.y(), cursor.y(), 1.5);
    keepShot(gl->grabFramebuffer(), "3_zoomed.png");

    // Space: home again, the same picture as at the start.
    QTest::keyClick(gl, Qt::Key_Space);
    nerio_test::waitFrames(view);
    handler->getTransformation(eye, orbit, up);
    EXPECT_NEAR((eye - osg::Vec3d(6, -20, 8)).length(), 0.0, 1e-9);
    const QImage back = grabDrawn();
    keepShot(back, "4_home_again.png");
    EXPECT_EQ(back, home);
}
