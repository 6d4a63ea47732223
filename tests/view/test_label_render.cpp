// Labels as drawn: they show, and their glyph pages get their smaller levels from the CPU, so the
// first picture with a label costs no shaders for generating mipmaps.
#include "osgqt/GraphicsWindowQt.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "support/ViewCamera.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"

#include "vantor/annotation/Drawing.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Geometry>
#include <osgText/Text>

#include <QTest>

TEST(LabelRender, LabelsShowAndTheirGlyphPagesAreHalvedOnTheCpu)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    osg::ref_ptr<osg::Geode> geode = Vantor::Drawing::makeOverlayGeode();
    Vantor::Drawing::addLabel(geode.get(), osg::Vec3d(), "Bolt M10 螺栓", osg::Vec4(0, 0, 0, 1), 24.0f);
    ASSERT_EQ(geode->getNumDrawables(), 1u);
    auto* label = dynamic_cast<osgText::Text*>(geode->getDrawable(0));
    ASSERT_NE(label, nullptr);
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    top->setName("Top");
    // A plate behind the label gives the scene its extent; the camera stands close, as a text sized
    // on the screen starts with a small bound.
    osg::ref_ptr<osg::Geode> plate = new osg::Geode;
    plate->addDrawable(osg::createTexturedQuadGeometry(osg::Vec3(-2, 1, -2), osg::Vec3(4, 0, 0), osg::Vec3(0, 0, 4)));
    top->addChild(plate.get());

    SceneModel model;
    SceneView view;
    view.setBgColor(QColor(255, 255, 255));
    model.setModel(top.get());
    view.setSceneModel(&model);
    view.getSceneGroup()->addChild(geode.get());
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    nerio_test::lookAtOrigin(view, osg::Vec3d(0, -2, 0));
    auto* gl = qobject_cast<osgQt::GLWidget*>(view.graphicsWidget());
    ASSERT_NE(gl, nullptr);

    // The label starts at the centre of the view and runs to the right.
    int darkPixels = 0;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            nerio_test::waitFrames(view, 1);
            const QImage img = gl->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
            darkPixels = 0;
            for (int y = img.height() / 2 - 30; y < img.height() / 2 + 5; ++y)
                for (int x = img.width() / 2; x < img.width() / 2 + 180; ++x)
                    darkPixels += qGray(img.pixel(x, y)) < 100;
            return darkPixels > 40;
        },
        5000))
        << darkPixels << " dark pixels where the label stands";

    const auto& pages = label->getTextureGlyphQuadMap();
    ASSERT_FALSE(pages.empty());
    for (const auto& page : pages)
        EXPECT_FALSE(page.first->getUseHardwareMipMapGeneration());
}
