// A section drawn in a shown scene view: a closed body cut in half shows its cap, an open mesh none.
#include "osgqt/GraphicsWindowQt.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "support/ViewCamera.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"

#include "vantor/model/Model.h"
#include "vantor/section/SectionManager.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Geometry>

#include <QDir>
#include <QTest>

namespace {

// A cube of side 2 around `at`, as quads; without its back face (+y) when open.
osg::ref_ptr<Vantor::Model> cube(const char* name, const osg::Vec3& at, bool closed)
{
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    osg::ref_ptr<osg::Vec3Array> n = new osg::Vec3Array;
    const osg::Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int a = 0; a < 3; ++a) {
        for (float s : {-1.0f, 1.0f}) {
            if (!closed && a == 1 && s > 0)
                continue;
            const osg::Vec3 normal = axes[a] * s;
            const osg::Vec3 u = axes[(a + 1) % 3], w = axes[(a + 2) % 3];
            // Wound outward on every side: a closed body is one whose faces all turn the same way.
            const osg::Vec3 b = s > 0 ? w : -w;
            for (const osg::Vec3& p : {normal - u - b, normal + u - b, normal + u + b, normal - u + b}) {
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
    m->setColor(osg::Vec4(0.7f, 0.7f, 0.7f, 1));
    return m;
}

bool near(QRgb c, int r, int g, int b, int tolerance = 40)
{
    return std::abs(qRed(c) - r) <= tolerance && std::abs(qGreen(c) - g) <= tolerance &&
           std::abs(qBlue(c) - b) <= tolerance;
}

} // namespace

TEST(SectionCappingGl, ClosedBodyShowsItsCapOpenMeshShowsNone)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    SceneModel model;
    SceneView view;
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    top->setName("Top");
    top->addChild(cube("closed", osg::Vec3(-2, 0, 0), true).get());
    top->addChild(cube("open", osg::Vec3(2, 0, 0), false).get());
    model.setModel(top.get());
    view.setSceneModel(&model);
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    osg::ref_ptr<PickingHandler> handler = nerio_test::lookAtOrigin(view, osg::Vec3d(0, -20, 0));

    // A plane through both centres facing the camera: the near halves go, the cuts face the viewer.
    osg::ref_ptr<Vantor::SectionManager> sections = model.getSectionManager();
    ASSERT_TRUE(sections.valid());
    osg::ref_ptr<Vantor::Section> section = new Vantor::Section;
    section->setPlane(osg::Plane(osg::Vec3d(0, 1, 0), osg::Vec3d(0, 0, 0)));
    section->setPlaneColor(osg::Vec4(0, 1, 0, 1));
    section->setShowPlane(false);
    sections->InsertSection(section, -1);
    sections->OpenSection(section);
    ASSERT_TRUE(section->getOpened());
    EXPECT_EQ(section->getCapping()->getNumBodies(), 1u) << "only the closed cube is capped";
    nerio_test::waitFrames(view, 3);

    auto* gl = qobject_cast<osgQt::GLWidget*>(view.graphicsWidget());
    ASSERT_NE(gl, nullptr);
    osg::Camera* camera = view.getView()->getCamera();
    auto pixel = [&](const QImage& img, const osg::Vec3d& world) {
        const osg::Vec3d n = world * camera->getViewMatrix() * camera->getProjectionMatrix();
        const int x = int((n.x() + 1) * 0.5 * (img.width() - 1));
        const int y = int((img.height() - 1) - (n.y() + 1) * 0.5 * (img.height() - 1));
        return img.pixel(x, y);
    };
    QImage img;
    (void)QTest::qWaitFor(
        [&] {
            img = gl->grabFramebuffer();
            return near(pixel(img, osg::Vec3d(-2, 0, 0)), 0, 153, 0);
        },
        5000);
    if (!qEnvironmentVariable("NERIO_KEEP_SHOTS").isEmpty())
        img.save(QDir(qEnvironmentVariable("NERIO_KEEP_SHOTS")).filePath("capping.png"));
    const QRgb closedCut = pixel(img, osg::Vec3d(-2, 0, 0));
    const QRgb openCut = pixel(img, osg::Vec3d(2, 0, 0));
    EXPECT_TRUE(near(closedCut, 0, 153, 0)) << "cap colour (the plane colour at 60 %) expected, got " << std::hex << closedCut;
    EXPECT_FALSE(near(openCut, 0, 153, 0, 30)) << "no cap in the open mesh, got " << std::hex << openCut;

    // Closing the section takes the cap away.
    sections->CloseSection(section);
    nerio_test::waitFrames(view, 3);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !near(pixel(gl->grabFramebuffer(), osg::Vec3d(-2, 0, 0)), 0, 153, 0, 30); }, 5000));
}
