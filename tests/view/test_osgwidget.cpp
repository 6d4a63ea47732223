#include "osgqt/GraphicsWindowQt.h"
#include "view/OsgWidget.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <osg/Geometry>
#include <osg/Group>
#include <osgGA/TrackballManipulator>

#include <QMouseEvent>
#include <QSignalSpy>
#include <QSurfaceFormat>
#include <QTest>

#include <functional>
#include <vector>

TEST(OsgWidget, InitialCameraIsSquareWithThirtyDegreeFovy)
{
    OsgWidget w;
    osg::ref_ptr<osgViewer::View> view = w.getView();
    ASSERT_TRUE(view.valid());
    const osg::Viewport* vp = view->getCamera()->getViewport();
    ASSERT_NE(vp, nullptr);
    EXPECT_EQ(vp->width(), 100);
    EXPECT_EQ(vp->height(), 100);
    double fovy = 0, aspect = 0, zn = 0, zf = 0;
    ASSERT_TRUE(view->getCamera()->getProjectionMatrixAsPerspective(fovy, aspect, zn, zf));
    EXPECT_NEAR(fovy, 30.0, 1e-9);
    EXPECT_NEAR(aspect, 1.0, 1e-9);
    EXPECT_EQ(w.repaintInterval(), 30);
    EXPECT_NE(dynamic_cast<osgGA::TrackballManipulator*>(view->getCameraManipulator()), nullptr);
    EXPECT_EQ(view->getCamera()->getGraphicsContext()->getTraits()->windowName, "SceneView");
    EXPECT_NE(w.graphicsWidget(), nullptr);
}

TEST(OsgWidget, ShownWidgetRendersTheClearColour)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    OsgWidget w;
    w.getView()->getCamera()->setClearColor(osg::Vec4(0.2f, 0.4f, 0.6f, 1.0f));
    w.resize(320, 240);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(nerio_test::waitUntilResting(w));

    auto* gl = qobject_cast<osgQt::GLWidget*>(w.graphicsWidget());
    ASSERT_NE(gl, nullptr);
    const QImage img = gl->grabFramebuffer();
    ASSERT_FALSE(img.isNull());
    const QColor c = img.pixelColor(img.width() / 2, img.height() / 2);
    EXPECT_NEAR(c.red(), 51, 2);
    EXPECT_NEAR(c.green(), 102, 2);
    EXPECT_NEAR(c.blue(), 153, 2);
    // The first resize brought the viewport to the widget's size.
    const osg::Viewport* vp = w.getView()->getCamera()->getViewport();
    EXPECT_EQ(int(vp->width()), int(gl->width() * gl->devicePixelRatioF()));
}

TEST(OsgWidget, WindowComposesWithoutDepthBufferWhileTheViewDrawsDepthTested)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    const QSurfaceFormat saved = QSurfaceFormat::defaultFormat();
    struct Restore {
        QSurfaceFormat format;
        ~Restore() { QSurfaceFormat::setDefaultFormat(format); }
    } restore{saved};
    osgQt::GLWidget::initDefaultFormat();
    // The window only lays out finished pictures: no window-sized depth or stencil buffer.
    EXPECT_LE(QSurfaceFormat::defaultFormat().depthBufferSize(), 0);
    EXPECT_LE(QSurfaceFormat::defaultFormat().stencilBufferSize(), 0);

    OsgWidget w;
    auto* gl = qobject_cast<osgQt::GLWidget*>(w.graphicsWidget());
    ASSERT_NE(gl, nullptr);
    EXPECT_EQ(gl->format().depthBufferSize(), 24);
    EXPECT_EQ(gl->format().stencilBufferSize(), 8);

    // The near red square is drawn first, the far blue one after: depth testing keeps red in front.
    osg::Camera* camera = w.getView()->getCamera();
    camera->setClearColor(osg::Vec4(0, 0, 0, 1));
    camera->setProjectionMatrixAsOrtho(0, 1, 0, 1, -10, 10);
    camera->setViewMatrix(osg::Matrix::identity());
    w.getView()->setCameraManipulator(nullptr);
    auto square = [](float z, const osg::Vec4& colour, int order) {
        osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
        osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
        for (const osg::Vec2& p : {osg::Vec2(0, 0), osg::Vec2(1, 0), osg::Vec2(1, 1), osg::Vec2(0, 1)})
            v->push_back(osg::Vec3(p, z));
        g->setVertexArray(v.get());
        osg::ref_ptr<osg::Vec4Array> c = new osg::Vec4Array;
        c->push_back(colour);
        g->setColorArray(c.get(), osg::Array::BIND_OVERALL);
        g->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, 4));
        osg::StateSet* state = g->getOrCreateStateSet();
        state->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
        state->setMode(GL_DEPTH_TEST, osg::StateAttribute::ON);
        state->setRenderBinDetails(order, "RenderBin");
        return g;
    };
    osg::ref_ptr<osg::Group> scene = new osg::Group;
    scene->addChild(square(-1.0f, osg::Vec4(1, 0, 0, 1), 1)); // near (the eye looks down -z)
    scene->addChild(square(-5.0f, osg::Vec4(0, 0, 1, 1), 2)); // far
    w.getView()->setSceneData(scene.get());
    w.resize(120, 120);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(nerio_test::waitUntilResting(w));
    const QImage img = gl->grabFramebuffer();
    ASSERT_FALSE(img.isNull());
    const QColor c = img.pixelColor(img.width() / 2, img.height() / 2);
    EXPECT_EQ(c.red(), 255);
    EXPECT_EQ(c.blue(), 0);
}

TEST(OsgQtMapping, CursorCodesAndKeys)
{
    EXPECT_EQ(osgQt::GLWidget::cursorShape(2), Qt::ArrowCursor);
    EXPECT_EQ(osgQt::GLWidget::cursorShape(23), Qt::OpenHandCursor);
    EXPECT_EQ(osgQt::GLWidget::cursorShape(24), Qt::ClosedHandCursor);
    EXPECT_EQ(osgQt::GLWidget::cursorShape(25), Qt::SizeVerCursor);
    EXPECT_EQ(osgQt::GLWidget::osgKey(Qt::Key_Space, " "), int(osgGA::GUIEventAdapter::KEY_Space));
    EXPECT_EQ(osgQt::GLWidget::osgKey(Qt::Key_A, "a"), int('a'));
    EXPECT_EQ(osgQt::GLWidget::osgKey(Qt::Key_A, QString(QChar(1))), int('a')); // Ctrl+A
    EXPECT_EQ(osgQt::GLWidget::osgKey(Qt::Key_Escape, ""), int(osgGA::GUIEventAdapter::KEY_Escape));
}

TEST(OsgQtMultisampling, SamplesByPolicyAndRenderer)
{
    using M = osgQt::GLWidget::Multisampling;
    const QString llvmpipe = "llvmpipe (LLVM 15.0.6, 256 bits)";
    const QString hardware = "Mesa Intel(R) UHD Graphics 620 (KBL GT2)";
    struct Case {
        int requested;
        M policy;
        QString renderer;
        int max;
        int expected;
    } cases[] = {
        {8, M::Auto, hardware, 16, 8},
        {8, M::Auto, hardware, 4, 4},   // clamped to what the GL offers
        {8, M::Auto, hardware, 0, 8},   // limit unknown: the framebuffer clamps it
        {8, M::Auto, llvmpipe, 4, 0},   // every sample is another rasterisation on the CPU
        {8, M::Auto, "softpipe", 4, 0},
        {8, M::Auto, "Software Rasterizer", 4, 0},
        {8, M::On, llvmpipe, 4, 4},
        {8, M::Off, hardware, 16, 0},
        {0, M::On, hardware, 16, 0},    // nothing requested
        {-1, M::Auto, hardware, 16, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(osgQt::GLWidget::resolveSamples(c.requested, c.policy, c.renderer, c.max), c.expected)
            << c.requested << " " << int(c.policy) << " " << c.renderer.toStdString() << " " << c.max;
}

TEST(OsgQtMultisampling, PolicyFromText)
{
    using M = osgQt::GLWidget::Multisampling;
    EXPECT_EQ(osgQt::GLWidget::multisamplingFromText("on"), M::On);
    EXPECT_EQ(osgQt::GLWidget::multisamplingFromText(" ON "), M::On);
    EXPECT_EQ(osgQt::GLWidget::multisamplingFromText("1"), M::On);
    EXPECT_EQ(osgQt::GLWidget::multisamplingFromText("off"), M::Off);
    EXPECT_EQ(osgQt::GLWidget::multisamplingFromText("0"), M::Off);
    EXPECT_EQ(osgQt::GLWidget::multisamplingFromText("auto"), M::Auto);
    EXPECT_EQ(osgQt::GLWidget::multisamplingFromText(""), M::Auto);
    EXPECT_EQ(osgQt::GLWidget::multisamplingFromText("8x"), M::Auto);
}

// Draws a white triangle over the lower left half of a black view (its edge the diagonal) and
// returns the picture.
static QImage drawEdge(osgQt::GLWidget::Multisampling policy, int& samples)
{
    // The policy is read when the widget's GL comes up, at its first show.
    osgQt::GLWidget::setMultisampling(policy);
    struct Restore {
        ~Restore() { osgQt::GLWidget::setMultisampling(osgQt::GLWidget::Multisampling::Auto); }
    } restore;
    OsgWidget w;
    auto* gl = qobject_cast<osgQt::GLWidget*>(w.graphicsWidget());
    gl->setRequestedSamples(4);
    osg::Camera* camera = w.getView()->getCamera();
    camera->setClearColor(osg::Vec4(0, 0, 0, 1));
    camera->setProjectionMatrixAsOrtho2D(0, 1, 0, 1);
    camera->setViewMatrix(osg::Matrix::identity());
    w.getView()->setCameraManipulator(nullptr);
    osg::ref_ptr<osg::Geometry> triangle = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    v->push_back({-1.f, -1.f, 0.f});
    v->push_back({2.f, -1.f, 0.f});
    v->push_back({-1.f, 2.f, 0.f});
    triangle->setVertexArray(v.get());
    osg::ref_ptr<osg::Vec4Array> c = new osg::Vec4Array;
    c->push_back({1.f, 1.f, 1.f, 1.f});
    triangle->setColorArray(c.get(), osg::Array::BIND_OVERALL);
    triangle->addPrimitiveSet(new osg::DrawArrays(GL_TRIANGLES, 0, 3));
    triangle->getOrCreateStateSet()->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    w.getView()->setSceneData(triangle.get());
    w.resize(200, 200);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return QImage();
    nerio_test::waitFrames(w);
    QImage img;
    (void)QTest::qWaitFor(
        [&] {
            img = gl->grabFramebuffer();
            return !img.isNull() && qRed(img.pixel(20, 100)) == 255;
        },
        5000);
    samples = gl->samples();
    EXPECT_FALSE(gl->glRenderer().isEmpty());
    return img;
}

static int greyPixels(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const int r = qRed(img.pixel(x, y));
            n += r > 20 && r < 235;
        }
    return n;
}

TEST(OsgQtMultisampling, ForcedSamplesSmoothEdgesAndOffDrawsPlain)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    int offSamples = -1, onSamples = -1;
    const QImage plain = drawEdge(osgQt::GLWidget::Multisampling::Off, offSamples);
    const QImage smooth = drawEdge(osgQt::GLWidget::Multisampling::On, onSamples);
    ASSERT_FALSE(plain.isNull());
    ASSERT_FALSE(smooth.isNull());
    EXPECT_EQ(offSamples, 0);
    if (onSamples == 0)
        GTEST_SKIP() << "this GL offers no multisampled framebuffers";
    // Both show the triangle; only the multisampled picture has blended pixels along its edge.
    EXPECT_EQ(qRed(plain.pixel(20, 100)), 255);
    EXPECT_EQ(qRed(smooth.pixel(20, 100)), 255);
    EXPECT_EQ(qRed(smooth.pixel(190, 100)), 0);
    EXPECT_EQ(greyPixels(plain), 0);
    EXPECT_GT(greyPixels(smooth), 50);
}

TEST(OsgQtMultisampling, AutoDrawsSoftwareGlWithoutSamples)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    int samples = -1;
    osgQt::GLWidget::setMultisampling(osgQt::GLWidget::Multisampling::Auto);
    OsgWidget w;
    auto* gl = qobject_cast<osgQt::GLWidget*>(w.graphicsWidget());
    gl->setRequestedSamples(8);
    w.resize(64, 64);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    nerio_test::waitFrames(w);
    samples = gl->samples();
    if (!osgQt::GLWidget::isSoftwareRenderer(gl->glRenderer()))
        GTEST_SKIP() << "hardware GL: " << gl->glRenderer().toStdString();
    EXPECT_EQ(samples, 0);
    EXPECT_GT(gl->maxSamples(), 0); // read from the widget's own context
}

// ---------------------------------------------------------------- frames on demand

namespace {

// Asks for the next frame from each of the first `asks` frame events it sees, as an animation does.
class AskingHandler : public osgGA::GUIEventHandler
{
public:
    int asks = 0;
    int framesSeen = 0;
    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa, osg::Object*, osg::NodeVisitor*) override
    {
        if (ea.getEventType() != osgGA::GUIEventAdapter::FRAME)
            return false;
        ++framesSeen;
        if (asks > 0) {
            --asks;
            aa.requestRedraw();
        }
        return false;
    }
    using osgGA::GUIEventHandler::handle;
};

// Shows the widget and waits until the frames of its first show are over.
bool shownAndResting(OsgWidget& w)
{
    w.resize(160, 120);
    w.show();
    return QTest::qWaitForWindowExposed(&w) && nerio_test::waitUntilResting(w);
}

// True when no frame comes within several ticks of the 30 ms pace.
bool staysIdle(OsgWidget& w)
{
    const unsigned drawn = w.framesDrawn();
    return !QTest::qWaitFor([&] { return w.framesDrawn() != drawn || w.isPacing(); }, 150);
}

} // namespace

TEST(OsgWidgetFrames, RestsUntilAskedThenDrawsOneFrame)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    OsgWidget w;
    ASSERT_TRUE(shownAndResting(w));
    EXPECT_TRUE(staysIdle(w));

    const unsigned before = w.framesDrawn();
    w.requestFrame();
    EXPECT_TRUE(w.isPacing());
    ASSERT_TRUE(nerio_test::waitUntilResting(w));
    EXPECT_EQ(w.framesDrawn(), before + 1);
    EXPECT_TRUE(staysIdle(w));
}

TEST(OsgWidgetFrames, HandlersAskingFromTheirFramesGetThemAndContinuousUpdateRunsUntilOff)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    OsgWidget w;
    osg::ref_ptr<AskingHandler> handler = new AskingHandler;
    w.getView()->addEventHandler(handler.get());
    ASSERT_TRUE(shownAndResting(w));

    // The view's requestRedraw (what OSG's handlers and manipulators call) draws a frame, and every
    // ask from inside a frame one more.
    handler->framesSeen = 0;
    handler->asks = 5;
    w.getView()->requestRedraw();
    ASSERT_TRUE(QTest::qWaitFor([&] { return handler->asks == 0; }, 5000));
    ASSERT_TRUE(nerio_test::waitUntilResting(w));
    EXPECT_EQ(handler->framesSeen, 6);
    EXPECT_TRUE(staysIdle(w));

    const unsigned before = w.framesDrawn();
    w.getView()->requestContinuousUpdate(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.framesDrawn() >= before + 4; }, 5000));
    EXPECT_TRUE(w.isPacing());
    w.getView()->requestContinuousUpdate(false);
    ASSERT_TRUE(nerio_test::waitUntilResting(w));
    EXPECT_TRUE(staysIdle(w));
}

TEST(OsgWidgetFrames, InputOverTheViewDrawsTheFrameThatHandlesIt)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    OsgWidget w;
    ASSERT_TRUE(shownAndResting(w));
    auto* gl = w.graphicsWidget();
    for (const auto& input : std::vector<std::function<void()>>{
             [gl] {
                 // Sent, not through QTest::mouseMove: that also warps the pointer, whose own move
                 // comes later through the X server (and draws a frame of its own).
                 QMouseEvent move(QEvent::MouseMove, QPointF(40, 30), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                 QCoreApplication::sendEvent(gl, &move);
             },
             [gl] { QTest::mouseClick(gl, Qt::LeftButton, Qt::NoModifier, QPoint(50, 40)); },
             [gl] { QTest::keyClick(gl, Qt::Key_A); },
         }) {
        const unsigned before = w.framesDrawn();
        input();
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.framesDrawn() > before; }, 5000));
        ASSERT_TRUE(nerio_test::waitUntilResting(w));
        EXPECT_TRUE(staysIdle(w));
    }
}
