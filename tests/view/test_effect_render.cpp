// Render modes as drawn: a cube seen face on, its front face filled or not, its edges and the hidden
// edges of the back face drawn or not.
#include "osgqt/GraphicsWindowQt.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "support/ViewCamera.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"

#include "vantor/command/CommandManager.h"
#include "vantor/dazoreader/DazoReaderWriter.h"
#include "vantor/dazoreader/DazoWriter.h"
#include "vantor/effect/EffectManager.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"
#include "vantor/property/SetMaterialCommand.h"

#include <gtest/gtest.h>

#include <osg/Geometry>

#include <QDir>
#include <QTest>

#include <string>
#include <utility>

namespace {

// A cube of half size 1 about the origin, six quads with their own corners and normals, no edges.
osg::ref_ptr<Vantor::Model> cube(const osg::Vec4& colour)
{
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    osg::ref_ptr<osg::Vec3Array> n = new osg::Vec3Array;
    const osg::Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int a = 0; a < 3; ++a) {
        for (float s : {-1.0f, 1.0f}) {
            const osg::Vec3 normal = axes[a] * s;
            const osg::Vec3 u = axes[(a + 1) % 3], w = axes[(a + 2) % 3];
            for (const osg::Vec3& p : {normal - u - w, normal + u - w, normal + u + w, normal - u + w}) {
                v->push_back(p);
                n->push_back(normal);
            }
        }
    }
    g->setVertexArray(v.get());
    g->setNormalArray(n.get(), osg::Array::BIND_PER_VERTEX);
    osg::ref_ptr<osg::Vec4Array> c = new osg::Vec4Array;
    c->push_back(colour);
    g->setColorArray(c.get(), osg::Array::BIND_OVERALL);
    g->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, GLsizei(v->size())));
    osg::ref_ptr<Vantor::Body> body = new Vantor::Body;
    body->addDrawable(g.get());
    osg::ref_ptr<Vantor::Model> m = new Vantor::Model;
    m->setName("Cube");
    m->addChild(body.get());
    return m;
}

void keepShot(const QImage& image, const char* name)
{
    const QString dir = qEnvironmentVariable("NERIO_KEEP_SHOTS");
    if (!dir.isEmpty())
        image.save(QDir(dir).filePath(QString::fromLatin1(name)));
}

bool reddish(QRgb p) { return qRed(p) > 2 * qGreen(p) + 20 && qRed(p) > 2 * qBlue(p) + 20; }
bool dark(QRgb p) { return qRed(p) < 70 && qGreen(p) < 70 && qBlue(p) < 70; }

// Whether a dark pixel lies within two pixels of the point.
bool darkNear(const QImage& img, QPoint at)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint p = at + QPoint(dx, dy);
            if (img.rect().contains(p) && dark(img.pixel(p)))
                return true;
        }
    return false;
}

} // namespace

TEST(EffectRender, ShadedWithEdgesWireframeAndHiddenLine)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    SceneModel model;
    SceneView view;
    view.setBgColor(QColor(200, 200, 200));
    osg::ref_ptr<Vantor::Model> box = cube(osg::Vec4(0.9f, 0.1f, 0.1f, 1));
    model.setModel(box.get());
    view.setSceneModel(&model);
    view.resize(400, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    osg::ref_ptr<Vantor::EffectManager> effects = view.getEffectManager();
    ASSERT_TRUE(effects);

    // Face on, from in front of the face at y = -1: the back face's edges project inside the front one.
    osg::ref_ptr<PickingHandler> handler = nerio_test::lookAtOrigin(view, osg::Vec3d(0, -6, 0), true);

    auto* gl = qobject_cast<osgQt::GLWidget*>(view.graphicsWidget());
    ASSERT_NE(gl, nullptr);
    osg::Camera* camera = view.getView()->getCamera();
    auto pixel = [&](const osg::Vec3d& world) {
        const osg::Vec3d n = world * camera->getViewMatrix() * camera->getProjectionMatrix();
        const double w = camera->getViewport()->width(), h = camera->getViewport()->height();
        return QPoint(int((n.x() + 1) * 0.5 * (w - 1)), int((h - 1) - (n.y() + 1) * 0.5 * (h - 1)));
    };
    auto shot = [&](const char* name) {
        nerio_test::waitFrames(view, 3);
        QImage img;
        (void)QTest::qWaitFor(
            [&] {
                img = gl->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
                return img.pixel(0, 0) != img.pixel(img.width() / 2, img.height() / 2);
            },
            5000);
        keepShot(img, name);
        return img;
    };
    const osg::Vec3d frontCentre(0, -1, 0);
    const osg::Vec3d frontEdge(1, -1, 0.3); // on the front face's right edge
    const osg::Vec3d backEdge(1, 1, 0.3);   // on the back face's right edge, hidden behind the front face
    // The front face's edge must not fall on the back one's in the picture.
    ASSERT_GT(std::abs(pixel(frontEdge).x() - pixel(backEdge).x()), 8);

    effects->setEffectType(Vantor::EFFECT_FLAT);
    effects->setShowEdgeLine(true);
    const QImage shaded = shot("effect_shaded_edges.png");
    EXPECT_TRUE(reddish(shaded.pixel(pixel(frontCentre))));
    EXPECT_TRUE(darkNear(shaded, pixel(frontEdge)));
    EXPECT_FALSE(darkNear(shaded, pixel(backEdge)));

    effects->setShowEdgeLine(false);
    const QImage plain = shot("effect_shaded.png");
    EXPECT_TRUE(reddish(plain.pixel(pixel(frontCentre))));
    EXPECT_FALSE(darkNear(plain, pixel(frontEdge)));

    effects->setEffectType(Vantor::EFFECT_LINE);
    const QImage wire = shot("effect_wireframe.png");
    EXPECT_FALSE(reddish(wire.pixel(pixel(frontCentre))));
    EXPECT_TRUE(darkNear(wire, pixel(frontEdge)));
    EXPECT_TRUE(darkNear(wire, pixel(backEdge)));

    effects->setEffectType(Vantor::EFFECT_BLANKING);
    const QImage hidden = shot("effect_hidden_line.png");
    EXPECT_FALSE(reddish(hidden.pixel(pixel(frontCentre))));
    EXPECT_TRUE(darkNear(hidden, pixel(frontEdge)));
    EXPECT_FALSE(darkNear(hidden, pixel(backEdge)));
}

// A part recoloured and another made see-through look the same after a save and a reopen as before.
TEST(EffectRender, RecolouredAndSeeThroughPartsLookTheSameAfterASave)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    SceneModel model;
    SceneView view;
    view.setBgColor(QColor(200, 200, 200));
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    top->setName("Top");
    osg::ref_ptr<Vantor::Model> left = cube(osg::Vec4(0.6f, 0.6f, 0.6f, 1));
    osg::ref_ptr<Vantor::Model> right = cube(osg::Vec4(0.2f, 0.3f, 0.9f, 1));
    left->setName("Left");
    right->setName("Right");
    left->setMatrix(osg::Matrix::translate(-1.5, 0, 0));
    right->setMatrix(osg::Matrix::translate(1.5, 0, 0));
    top->addChild(left.get());
    top->addChild(right.get());
    model.setModel(top.get());
    view.setSceneModel(&model);
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto commands = view.getCommandManager();
    ASSERT_TRUE(commands->DoCommand(std::make_shared<Vantor::SetMaterialCommand>(
        osg::ref_ptr<osg::Node>(left), osg::Vec4f(0.1f, 0.7f, 0.2f, 1), 0.2, Vantor::MATERIAL_COLOR)));
    ASSERT_TRUE(commands->DoCommand(std::make_shared<Vantor::SetMaterialCommand>(
        osg::ref_ptr<osg::Node>(right), osg::Vec4f(), 0.5, Vantor::MATERIAL_TRANSPARENT)));

    osg::ref_ptr<PickingHandler> handler = nerio_test::lookAtOrigin(view, osg::Vec3d(0, -9, 0));
    auto* gl = qobject_cast<osgQt::GLWidget*>(view.graphicsWidget());
    ASSERT_NE(gl, nullptr);
    osg::Camera* camera = view.getView()->getCamera();
    auto pixel = [&](const osg::Vec3d& world) {
        const osg::Vec3d n = world * camera->getViewMatrix() * camera->getProjectionMatrix();
        const double w = camera->getViewport()->width(), h = camera->getViewport()->height();
        return QPoint(int((n.x() + 1) * 0.5 * (w - 1)), int((h - 1) - (n.y() + 1) * 0.5 * (h - 1)));
    };
    auto shot = [&](const char* name) {
        handler->setTransformation(osg::Vec3d(0, -9, 0), osg::Vec3d(), osg::Vec3d(0, 0, 1));
        nerio_test::waitFrames(view, 3);
        QImage img;
        (void)QTest::qWaitFor(
            [&] {
                img = gl->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
                return img.pixel(0, 0) != img.pixel(img.width() / 2, img.height() / 2);
            },
            5000);
        keepShot(img, name);
        return img;
    };
    const QImage before = shot("look_before_save.png");

    const QString file = nerio_test::scratchDir() + "/look.dazo";
    DazoWriter writer;
    ASSERT_TRUE(writer.saveNode(file.toStdString(), top, {})) << writer.lastError();
    DazoReaderWriter reader;
    osg::ref_ptr<osg::Node> read = reader.readNode(file.toStdString());
    ASSERT_TRUE(read.valid());
    model.setModel(read.get());
    view.setSceneModel(&model);
    const QImage after = shot("look_after_reopen.png");

    auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 3 && std::abs(qGreen(a) - qGreen(b)) <= 3 && std::abs(qBlue(a) - qBlue(b)) <= 3;
    };
    // The whole picture, hidden edges seen through the see-through part included.
    ASSERT_EQ(before.size(), after.size());
    int differing = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            differing += near(before.pixel(x, y), after.pixel(x, y)) ? 0 : 1;
    EXPECT_LT(differing, before.width() * before.height() / 1000);
    for (const osg::Vec3d& at : {osg::Vec3d(-1.5, -1, 0), osg::Vec3d(1.5, -1, 0)}) {
        const QPoint p = pixel(at);
        const QRgb was = before.pixel(p), now = after.pixel(p);
        EXPECT_TRUE(near(was, now)) << "at x " << at.x() << ": " << qRed(was) << " " << qGreen(was) << " " << qBlue(was)
                                    << " then " << qRed(now) << " " << qGreen(now) << " " << qBlue(now);
    }
    // The see-through part shows the background through it.
    const QRgb through = after.pixel(pixel(osg::Vec3d(1.5, -1, 0)));
    EXPECT_GT(qRed(through), 60);
}

// A closed part is drawn from its outside only; placed mirrored, its triangles turn on screen and it
// must still show its outside: the front face, not the inside of the one behind.
TEST(EffectRender, ClosedPartsShowTheirOutsideMirroredOrNot)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    // Six faces wound counter-clockwise seen from outside, sharing one array: the face at y = +1 blue,
    // the others red.
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    osg::ref_ptr<osg::Vec3Array> n = new osg::Vec3Array;
    osg::ref_ptr<osg::DrawElementsUInt> red = new osg::DrawElementsUInt(GL_TRIANGLES);
    osg::ref_ptr<osg::DrawElementsUInt> blue = new osg::DrawElementsUInt(GL_TRIANGLES);
    const osg::Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int a = 0; a < 3; ++a) {
        for (float s : {-1.0f, 1.0f}) {
            const osg::Vec3 normal = axes[a] * s, u = axes[(a + 1) % 3], w = normal ^ u;
            const unsigned int first = unsigned(v->size());
            for (const osg::Vec3& p : {normal - u - w, normal + u - w, normal + u + w, normal - u + w}) {
                v->push_back(p);
                n->push_back(normal);
            }
            osg::DrawElementsUInt& list = (a == 1 && s > 0) ? *blue : *red;
            for (unsigned int i : {0u, 1u, 2u, 0u, 2u, 3u})
                list.push_back(first + i);
        }
    }
    osg::ref_ptr<Vantor::Body> body = new Vantor::Body;
    for (const auto& [list, colour] : {std::make_pair(red, osg::Vec4(0.9f, 0.1f, 0.1f, 1)),
                                       std::make_pair(blue, osg::Vec4(0.1f, 0.1f, 0.9f, 1))}) {
        osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
        g->setVertexArray(v.get());
        g->setNormalArray(n.get(), osg::Array::BIND_PER_VERTEX);
        osg::ref_ptr<osg::Vec4Array> c = new osg::Vec4Array;
        c->push_back(colour);
        g->setColorArray(c.get(), osg::Array::BIND_OVERALL);
        g->addPrimitiveSet(list.get());
        body->addDrawable(g.get());
    }
    ASSERT_EQ(Vantor::EffectManager::facingOf(*body), Vantor::EffectManager::SurfaceFacing::Outward);
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    osg::ref_ptr<Vantor::Model> part = new Vantor::Model;
    part->setName("Closed");
    part->addChild(body.get());
    top->addChild(part.get());

    SceneModel model;
    SceneView view;
    view.setBgColor(QColor(200, 200, 200));
    model.setModel(top.get());
    view.setSceneModel(&model);
    view.resize(300, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    osg::ref_ptr<PickingHandler> handler = nerio_test::lookAtOrigin(view, osg::Vec3d(0, -6, 0), true);
    auto* gl = qobject_cast<osgQt::GLWidget*>(view.graphicsWidget());
    ASSERT_NE(gl, nullptr);

    const struct
    {
        const char* name;
        osg::Matrix placement;
    } placements[] = {{"as modelled", {}},
                      {"mirrored in x", osg::Matrix::scale(-1, 1, 1)},
                      {"mirrored in z", osg::Matrix::scale(1, 1, -1)}};
    for (const auto& p : placements) {
        part->setMatrix(p.placement);
        nerio_test::waitFrames(view, 3);
        const QImage img = gl->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        keepShot(img, (std::string("closed_") + p.name + ".png").c_str());
        const QRgb centre = img.pixel(img.width() / 2, img.height() / 2);
        EXPECT_TRUE(reddish(centre)) << p.name << ": " << qRed(centre) << "," << qGreen(centre) << "," << qBlue(centre);
    }
}
