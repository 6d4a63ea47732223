#include "osgqt/GraphicsWindowQt.h"
#include "view/OsgWidget.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <osgGA/TrackballManipulator>

#include <QSignalSpy>
#include <QTest>

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
    QTest::qWait(200); // a few timer ticks

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
