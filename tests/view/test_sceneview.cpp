#include "osgqt/GraphicsWindowQt.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "view/CombineCommandHandler.h"
#include "view/FileProgressWidget.h"
#include "view/ISelectionDecorator.h"
#include "view/PickingHandler.h"
#include "view/SceneCallbacks.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "view/SceneViewSceneStateObserver.h"
#include "view/SelectionManager.h"
#include "vantor/command/CameraTransition.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/command/SceneStateObserver.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <osg/BlendColor>
#include <osg/Depth>
#include <osg/Geode>
#include <osg/Geometry>
#include <osg/Projection>
#include <osg/ShapeDrawable>
#include <osgDB/FileUtils>
#include <osgDB/Registry>
#include <osgViewer/ViewerEventHandlers>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>

#include <cfloat>
#include <functional>

namespace {

// Exposes the colour inputs of the background so the gradient can be checked for any colour.
struct GradientView : SceneView
{
    void recolour(const osg::Vec4f& c)
    {
        m_backgroundColor = c;
        updateBackgroundGradient();
    }
    void rebuildGrid() { createGrid(); }
};

// Points OSG's data-file search at the given folders for the life of the object.
struct DataPathScope
{
    explicit DataPathScope(const osgDB::FilePathList& paths)
        : saved(osgDB::Registry::instance()->getDataFilePathList())
    {
        osgDB::Registry::instance()->setDataFilePathList(paths);
    }
    ~DataPathScope() { osgDB::Registry::instance()->setDataFilePathList(saved); }
    osgDB::FilePathList saved;
};

// The program's folder is on the search path at start-up; the sign models are copied there.
DataPathScope programDataPath()
{
    return DataPathScope({NERIO_BIN_DIR});
}

osg::Geometry* firstGeometry(osg::Node* node)
{
    auto* geode = dynamic_cast<osg::Geode*>(node);
    return geode && geode->getNumDrawables() ? geode->getDrawable(0)->asGeometry() : nullptr;
}

} // namespace

TEST(SceneView, SceneGroupHoldsItsSevenChildrenInOrder)
{
    auto paths = programDataPath();
    SceneView view;
    osg::Group* group = view.getSceneGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->getName(), "sceneGroup");
    EXPECT_EQ(view.getView()->getSceneData(), group);

    const struct { const char* className; const char* name; unsigned mask; } expected[] = {
        {"ClearNode", "backdrop", ~0u},
        {"Projection", "", ~0u},
        {"MatrixTransform", "transformGrid", 0u},
        {"MatrixTransform", "transformAxis", 0u},
        {"ShadowedScene", "rootNode", ~0u},
        {"SceneStateObserverManager", "", ~0u},
        {"AutoTransform", "", ~0u},
    };
    ASSERT_EQ(group->getNumChildren(), 7u);
    for (unsigned i = 0; i < 7; ++i) {
        osg::Node* child = group->getChild(i);
        EXPECT_STREQ(child->className(), expected[i].className) << "child " << i;
        EXPECT_EQ(child->getName(), expected[i].name) << "child " << i;
        EXPECT_EQ(child->getNodeMask(), expected[i].mask) << "child " << i;
    }
    EXPECT_EQ(group->getChild(0), view.getBackdrop());
    EXPECT_EQ(group->getChild(1), view.getBackground());
    EXPECT_EQ(group->getChild(2), view.getGrid());
    EXPECT_EQ(group->getChild(3), view.getAxis());
    EXPECT_EQ(group->getChild(4), view.getRootNode());
    EXPECT_EQ(group->getChild(5), view.getSceneStateObservers());
    EXPECT_EQ(group->getChild(6), view.getPivotSign());

    EXPECT_EQ(view.getBackdrop()->getClearColor(), osg::Vec4(0.33f, 0.33f, 0.33f, 1.0f));

    osgShadow::ShadowedScene* root = view.getRootNode();
    EXPECT_EQ(root->getReceivesShadowTraversalMask(), 1u);
    EXPECT_EQ(root->getCastsShadowTraversalMask(), 2u);
    EXPECT_EQ(root->getShadowTechnique(), nullptr);
    EXPECT_EQ(root->getDataVariance(), osg::Object::DYNAMIC);
    EXPECT_EQ(root->getNumChildren(), 0u);

    // The observer group carries the view's own observer, which knows its view.
    ASSERT_EQ(view.getSceneStateObservers()->getNumChildren(), 1u);
    auto* observer = dynamic_cast<SceneViewSceneStateObserver*>(view.getSceneStateObservers()->getChild(0));
    ASSERT_NE(observer, nullptr);
    EXPECT_EQ(observer->getSceneView(), &view);

    // Background HUD: projection -> absolute transform -> geode drawn first, unlit, without depth test.
    auto* projection = dynamic_cast<osg::Projection*>(view.getBackground());
    ASSERT_NE(projection, nullptr);
    EXPECT_EQ(projection->getMatrix(), osg::Matrix::ortho2D(0, 1024, 0, 1024));
    auto* absolute = dynamic_cast<osg::MatrixTransform*>(projection->getChild(0));
    ASSERT_NE(absolute, nullptr);
    EXPECT_EQ(absolute->getReferenceFrame(), osg::Transform::ABSOLUTE_RF);
    osg::Node* geode = absolute->getChild(0);
    EXPECT_EQ(geode->getName(), "Background");
    const osg::StateSet* state = geode->getStateSet();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->getMode(GL_DEPTH_TEST) & osg::StateAttribute::ON, 0u);
    EXPECT_EQ(state->getMode(GL_LIGHTING) & osg::StateAttribute::ON, 0u);
    EXPECT_EQ(state->getBinNumber(), -1);
    EXPECT_EQ(state->getBinName(), "RenderBin");
    osg::Geometry* quad = firstGeometry(geode);
    ASSERT_NE(quad, nullptr);
    EXPECT_EQ(quad->getColorArray(), view.getBackgroundColors());
    EXPECT_EQ(quad->getColorArray()->getBinding(), osg::Array::BIND_PER_VERTEX);
}

TEST(SceneView, ConstructorWiresHandlersSelectionAndCommands)
{
    auto paths = programDataPath();
    QWidget parent;
    auto* view = new SceneView(&parent);

    // Event handlers in the order they see events; the manipulator is set on its own.
    const osgViewer::View::EventHandlers& handlers = view->getView()->getEventHandlers();
    ASSERT_EQ(handlers.size(), 2u);
    auto* pump = dynamic_cast<CombineCommandHandler*>(handlers.front().get());
    ASSERT_NE(pump, nullptr);
    EXPECT_NE(dynamic_cast<osgViewer::ScreenCaptureHandler*>(handlers.back().get()), nullptr);
    EXPECT_EQ(view->getView()->getCameraManipulator(), view->getPickingHandler().get());
    EXPECT_EQ(view->getPickingHandler()->getSceneView(), view);
    EXPECT_FALSE(view->getPickingHandler()->getAllowThrow());
    EXPECT_EQ(view->getKeyEventSetsDone(), 0);
    EXPECT_EQ(view->getView()->getCamera()->getSmallFeatureCullingPixelSize(),
              Vantor::NerioViewerManipulatorState::SmallFeatureCullSize);
    ASSERT_NE(view->getView()->getDisplaySettings(), nullptr);
    EXPECT_EQ(view->getView()->getDisplaySettings()->getNumMultiSamples(), 8u);

    // Selection: the view's own manager with both decorators, known to the command manager.
    auto* selection = dynamic_cast<SelectionManager*>(view->getSelectionManager());
    ASSERT_NE(selection, nullptr);
    EXPECT_NE(dynamic_cast<DefaultSelectionDecorator*>(selection->getSelectionDecorator()), nullptr);
    EXPECT_NE(dynamic_cast<DefaultPreSelectionDecorator*>(selection->getPreSelectionDecorator()), nullptr);
    EXPECT_EQ(view->GetSelectionDecoratorManager().get(), selection->getSelectionDecorator());
    EXPECT_EQ(view->GetPreselectionDecoratorManager().get(), selection->getPreSelectionDecorator());
    EXPECT_EQ(selection->listeners().size(), 2u); // the view's listener and the command listener
    std::shared_ptr<Vantor::CommandManager> commands = view->getCommandManager();
    ASSERT_TRUE(commands);
    EXPECT_EQ(pump->getCommandManager(), commands);
    EXPECT_EQ(commands->getSelectionManager(), selection);
    EXPECT_EQ(commands->getSceneStateObserverManager().get(), view->getSceneStateObservers());

    // The view's listener turns a cleared selection into clearPicked(nullptr).
    int cleared = 0;
    QObject::connect(view, &SceneView::clearPicked, [&](osg::Node* n) { cleared += (n == nullptr); });
    selection->clearSelection();
    EXPECT_EQ(cleared, 1);

    // Another kind of manager is refused; the view's own is taken back.
    EXPECT_EQ(view->setSelectionManager(nullptr), nullptr);
    EXPECT_EQ(view->getSelectionManager(), nullptr);
    EXPECT_EQ(view->setSelectionManager(selection), selection);

    FileProgressWidget* progress = view->getProgressWidget();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->parentWidget(), view);
    EXPECT_TRUE(progress->autoFillBackground());
    EXPECT_EQ(progress->maximumHeight(), 20);
    EXPECT_TRUE(progress->isHidden());
    EXPECT_EQ(view->getLastDirectory(), QDir::currentPath());
    EXPECT_EQ(view->contextMenuPolicy(), Qt::DefaultContextMenu);

    // Qt deletes the view with its parent, once: the handler holds no counted reference to it, and a
    // handler that outlives the view no longer points at it.
    osg::ref_ptr<PickingHandler> handler = view->getPickingHandler();
    QPointer<SceneView> watch(view);
    delete view;
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(handler->getSceneView(), nullptr);
    EXPECT_EQ(handler->referenceCount(), 1);
}

// What the picking handler announces reaches the view once, also when the same scene model is set again.
TEST(SceneView, HandlerSignalsReachTheViewOnce)
{
    auto paths = programDataPath();
    SceneView view;
    SceneModel scene;
    view.setSceneModel(&scene);
    view.setSceneModel(&scene);
    PickingHandler* handler = view.getPickingHandler().get();
    ASSERT_NE(handler, nullptr);

    const struct
    {
        const char* what;
        std::function<void()> announce;
        unsigned sign;
    } moves[] = {{"rotate", [&] { emit handler->rotateView(); }, 0},
                 {"zoom in", [&] { emit handler->zoomViewIn(); }, 1},
                 {"zoom out", [&] { emit handler->zoomViewOut(); }, 2},
                 {"drag", [&] { emit handler->dragView(); }, 3}};
    osg::Switch* signs = view.getPivotSwitch();
    ASSERT_NE(signs, nullptr);
    for (const auto& move : moves) {
        SCOPED_TRACE(move.what);
        move.announce();
        ASSERT_EQ(signs->getNumChildren(), 4u);
        for (unsigned i = 0; i < 4; ++i)
            EXPECT_EQ(signs->getValue(i), i == move.sign) << i;
    }
    emit handler->recenterViewTo(1.0, 2.0, 3.0);
    EXPECT_EQ(view.getPivotSign()->getPosition(), osg::Vec3d(1.0, 2.0, 3.0));

    osg::ref_ptr<osg::Node> node = new osg::Group;
    int picked = 0, cleared = 0;
    QObject::connect(&view, &SceneView::picked, [&](osg::Node* n) { picked += n == node.get(); });
    QObject::connect(&view, &SceneView::clearPicked, [&](osg::Node* n) { cleared += n == node.get(); });
    emit handler->picked(node.get());
    emit handler->clearPicked(node.get());
    EXPECT_EQ(picked, 1);
    EXPECT_EQ(cleared, 1);
}

TEST(SceneView, BackgroundGradientFollowsTheColourAndClamps)
{
    auto paths = programDataPath();
    GradientView view;
    const struct { osg::Vec4f colour, bottom, top; } cases[] = {
        {{0.33f, 0.33f, 0.33f, 1}, {0.23f, 0.23f, 0.23f, 1}, {0.53f, 0.53f, 0.53f, 1}},
        {{0.05f, 0.95f, 0.5f, 1}, {0.0f, 0.85f, 0.4f, 1}, {0.25f, 1.0f, 0.7f, 1}},
        {{0.0f, 1.0f, 0.0f, 0.2f}, {0.0f, 0.9f, 0.0f, 1}, {0.2f, 1.0f, 0.2f, 1}},
    };
    bool first = true;
    for (const auto& c : cases) {
        if (!first)
            view.recolour(c.colour);
        first = false;
        const osg::Vec4Array* colours = view.getBackgroundColors();
        ASSERT_EQ(colours->size(), 4u);
        for (unsigned i = 0; i < 4; ++i) {
            const osg::Vec4f& want = i < 2 ? c.bottom : c.top;
            for (int k = 0; k < 4; ++k)
                EXPECT_NEAR((*colours)[i][k], want[k], 1e-6) << "vertex " << i << " component " << k;
        }
    }
}

TEST(SceneView, GridAndAxisGeometry)
{
    auto paths = programDataPath();
    GradientView view;
    for (int pass = 0; pass < 2; ++pass) { // a rebuild replaces the children, not the transform
        if (pass == 1)
            view.rebuildGrid();
        osg::MatrixTransform* grid = view.getGrid();
        EXPECT_EQ(view.getSceneGroup()->getChild(2), grid);
        EXPECT_EQ(view.getSceneGroup()->getNumChildren(), 7u);
        EXPECT_EQ(grid->getName(), "transformGrid");
        ASSERT_EQ(grid->getNumChildren(), 2u);

        // First the invisible pick plane, fully transparent.
        osg::Geometry* plane = grid->getChild(0)->asGeometry();
        ASSERT_NE(plane, nullptr);
        EXPECT_EQ(plane->getVertexArray()->getNumElements(), 4u);
        const osg::StateSet* ps = plane->getStateSet();
        ASSERT_NE(ps, nullptr);
        EXPECT_EQ(ps->getName(), "TransparentDeleteMe");
        EXPECT_EQ(ps->getRenderingHint(), int(osg::StateSet::TRANSPARENT_BIN));
        auto* blend = dynamic_cast<const osg::BlendColor*>(ps->getAttribute(osg::StateAttribute::BLENDCOLOR));
        ASSERT_NE(blend, nullptr);
        EXPECT_EQ(blend->getConstantColor().a(), 0.0f);

        // Then 21 + 21 lines from -10 to 10 in two draw ranges, coloured per range.
        osg::Geometry* lines = firstGeometry(grid->getChild(1));
        ASSERT_NE(lines, nullptr);
        const auto* v = dynamic_cast<const osg::Vec3Array*>(lines->getVertexArray());
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->size(), 84u);
        osg::BoundingBox extent;
        for (const osg::Vec3& p : *v)
            extent.expandBy(p);
        EXPECT_EQ(extent._min, osg::Vec3(-10, -10, 0));
        EXPECT_EQ(extent._max, osg::Vec3(10, 10, 0));
        ASSERT_EQ(lines->getNumPrimitiveSets(), 2u);
        auto* r0 = dynamic_cast<osg::DrawArrays*>(lines->getPrimitiveSet(0));
        auto* r1 = dynamic_cast<osg::DrawArrays*>(lines->getPrimitiveSet(1));
        ASSERT_TRUE(r0 && r1);
        EXPECT_EQ(r0->getMode(), GLenum(GL_LINES));
        EXPECT_EQ(r0->getFirst(), 0);
        EXPECT_EQ(r0->getCount(), 6);
        EXPECT_EQ(r1->getFirst(), 6);
        EXPECT_EQ(r1->getCount(), 78);
        ASSERT_EQ(lines->getColorArray()->getNumElements(), 2u);
        EXPECT_EQ(lines->getColorArray()->getBinding(), osg::Array::BIND_PER_PRIMITIVE_SET);
    }

    osg::Geometry* axis = firstGeometry(view.getAxis()->getChild(0));
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->getNumPrimitiveSets(), 3u);
    const auto* colours = dynamic_cast<const osg::Vec4Array*>(axis->getColorArray());
    ASSERT_NE(colours, nullptr);
    EXPECT_EQ((*colours)[0], osg::Vec4(1, 0, 0, 1));
    EXPECT_EQ((*colours)[1], osg::Vec4(0, 1, 0, 1));
    EXPECT_EQ((*colours)[2], osg::Vec4(0, 0, 1, 1));
}

TEST(SceneView, NodeTransparencyKeepsAnExistingStateSet)
{
    EXPECT_FALSE(SceneView::setNodeTransparency(nullptr, 0.5f));
    osg::ref_ptr<osg::Geode> node = new osg::Geode;
    osg::ref_ptr<osg::StateSet> own = new osg::StateSet;
    own->setName("own");
    node->setStateSet(own);
    EXPECT_TRUE(SceneView::setNodeTransparency(node.get(), 0.25f));
    EXPECT_EQ(node->getStateSet(), own.get());
    EXPECT_EQ(own->getName(), "own");
    auto* blend = dynamic_cast<osg::BlendColor*>(own->getAttribute(osg::StateAttribute::BLENDCOLOR));
    ASSERT_NE(blend, nullptr);
    EXPECT_EQ(blend->getConstantColor(), osg::Vec4(0, 0, 0, 0.25f));
    EXPECT_NE(own->getAttribute(osg::StateAttribute::BLENDFUNC), nullptr);
}

TEST(SceneView, PivotSignReadsTheSignModelsWhenFirstShownInOrderAndSkipsMissingOnes)
{
    // The program's folder on the search path resolves the names the view asks for.
    {
        auto paths = programDataPath();
        const std::string found = osgDB::findDataFile("/data/signmodel/rotate_pivot.osg");
        EXPECT_EQ(QFileInfo(QString::fromStdString(found)).canonicalFilePath(),
                  QFileInfo(QStringLiteral(NERIO_BIN_DIR "/data/signmodel/rotate_pivot.osg")).canonicalFilePath());
    }

    // A folder with the zoom-in and drag signs, a damaged rotate sign and no zoom-out sign.
    const QString partial = nerio_test::scratchDir() + QStringLiteral("/partial");
    ASSERT_TRUE(QDir().mkpath(partial + QStringLiteral("/data/signmodel")));
    for (const char* name : {"scale_in_pivot.osg", "drag_pivot.osg"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(NERIO_BIN_DIR "/data/signmodel/") + name,
                                partial + QStringLiteral("/data/signmodel/") + name));
    {
        QFile damaged(partial + QStringLiteral("/data/signmodel/rotate_pivot.osg"));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("\x89PNG this is not a scene graph \x00\x01\x02", 33);
    }

    const struct { osgDB::FilePathList path; std::vector<std::string> names; } cases[] = {
        {{NERIO_BIN_DIR}, {"rotate_pivot", "scale_in_pivot", "scale_out_pivot", "drag_pivot"}},
        {{partial.toStdString()}, {"scale_in_pivot", "drag_pivot"}},
        {{nerio_test::scratchDir().toStdString() + "/nothing-here"}, {}},
    };
    for (const auto& c : cases) {
        DataPathScope scope(c.path);
        SceneView view;
        osg::Switch* signs = view.getPivotSwitch();
        ASSERT_NE(signs, nullptr);
        // Start-up reads none of them (reading loads a plugin); the first sign shown reads them all.
        EXPECT_EQ(signs->getNumChildren(), 0u);
        view.showPivot();
        ASSERT_EQ(signs->getNumChildren(), c.names.size()) << c.path.front();
        for (unsigned i = 0; i < signs->getNumChildren(); ++i) {
            osg::Node* sign = signs->getChild(i);
            EXPECT_EQ(sign->getName(), c.names[i]);
            EXPECT_EQ(signs->getValue(i), i == 0) << "the pivot's sign is the one on";
            const osg::StateSet* s = sign->getStateSet();
            ASSERT_NE(s, nullptr);
            auto* depth = dynamic_cast<const osg::Depth*>(s->getAttribute(osg::StateAttribute::DEPTH));
            ASSERT_NE(depth, nullptr);
            EXPECT_EQ(depth->getFunction(), osg::Depth::ALWAYS);
            EXPECT_EQ(s->getMode(GL_LIGHTING) & osg::StateAttribute::ON, 0u);
        }
        // The fade works on the switch's own blend colour.
        auto* fade = dynamic_cast<FadingUpdateCallback*>(signs->getUpdateCallback());
        ASSERT_NE(fade, nullptr);
        const osg::StateSet* ss = signs->getStateSet();
        ASSERT_NE(ss, nullptr);
        EXPECT_EQ(fade->blendColor(), ss->getAttribute(osg::StateAttribute::BLENDCOLOR));
        EXPECT_EQ(ss->getRenderingHint(), int(osg::StateSet::TRANSPARENT_BIN));
        EXPECT_NE(ss->getMode(GL_BLEND) & osg::StateAttribute::ON, 0u);
    }
}

TEST(SceneView, SceneBoundingBoxFollowsTheTopModel)
{
    auto paths = programDataPath();
    SceneView view;

    // No model: the empty starting box.
    const osg::BoundingBoxd& none = view.getSceneBoundingBox();
    EXPECT_EQ(none.xMin(), double(FLT_MAX));
    EXPECT_EQ(none.xMax(), double(-FLT_MAX));

    // A model without geometry has no valid bound: the 200-unit cube around the origin.
    osg::ref_ptr<Vantor::Model> model = new Vantor::Model;
    view.getRootNode()->addChild(model.get());
    const osg::BoundingBoxd cube = view.getSceneBoundingBox();
    EXPECT_EQ(cube._min, osg::Vec3d(-100, -100, -100));
    EXPECT_EQ(cube._max, osg::Vec3d(100, 100, 100));

    // Geometry arrives: the box is recomputed in world space (the model's own matrix included).
    model->setMatrix(osg::Matrix::translate(10, 0, 0));
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(new osg::ShapeDrawable(new osg::Box(osg::Vec3(0, 0, 0), 2.0f, 4.0f, 6.0f)));
    model->addChild(geode.get());
    const osg::BoundingBoxd box = view.getSceneBoundingBox();
    EXPECT_NEAR(box.xMin(), 9, 1e-5);
    EXPECT_NEAR(box.xMax(), 11, 1e-5);
    EXPECT_NEAR(box.yMin(), -2, 1e-5);
    EXPECT_NEAR(box.zMax(), 3, 1e-5);

    // The bound changes again: so does the box; the same bound gives the cached box back.
    model->setMatrix(osg::Matrix::translate(0, 0, 5));
    const osg::BoundingBoxd moved = view.getSceneBoundingBox();
    EXPECT_NEAR(moved.xMin(), -1, 1e-5);
    EXPECT_NEAR(moved.zMin(), 2, 1e-5);
    EXPECT_NEAR(moved.zMax(), 8, 1e-5);
    EXPECT_EQ(&view.getSceneBoundingBox(), &view.getSceneBoundingBox());
    EXPECT_EQ(view.getSceneBoundingBox()._min, moved._min);
}

TEST(SceneView, RendersTheGradientAndShownGridAndAxis)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    auto paths = programDataPath();
    SceneView view;
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    nerio_test::waitFrames(view);
    auto* gl = qobject_cast<osgQt::GLWidget*>(view.graphicsWidget());
    ASSERT_NE(gl, nullptr);

    // Gradient: 0.23 grey at the bottom, 0.53 at the top.
    QImage img;
    (void)QTest::qWaitFor(
        [&] {
            img = gl->grabFramebuffer();
            return !img.isNull() && img.pixelColor(img.width() / 2, 1).red() > 100;
        },
        5000);
    ASSERT_FALSE(img.isNull());
    EXPECT_NEAR(img.pixelColor(img.width() / 2, img.height() - 2).red(), 59, 4);
    EXPECT_NEAR(img.pixelColor(img.width() / 2, 1).red(), 135, 4);
    const int midGrey = img.pixelColor(img.width() / 2, img.height() / 2).red();
    EXPECT_GT(midGrey, 70);
    EXPECT_LT(midGrey, 125);

    // Grid and axis, once switched on, are drawn over the background.
    view.getGrid()->setNodeMask(~0u);
    view.getAxis()->setNodeMask(~0u);
    view.getAxis()->setMatrix(osg::Matrix::scale(8, 8, 8));
    view.getPickingHandler()->setTransformation(osg::Vec3d(18, -30, 22), osg::Vec3d(0, 0, 0), osg::Vec3d(0, 0, 1));
    nerio_test::waitFrames(view);
    int gridPixels = 0, red = 0, green = 0, blue = 0;
    (void)QTest::qWaitFor(
        [&] {
            img = gl->grabFramebuffer();
            gridPixels = red = green = blue = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const QColor c = img.pixelColor(x, y);
                    if (c.red() > 200 && c.green() > 200 && c.blue() > 200)
                        ++gridPixels;
                    if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                        ++red;
                    if (c.green() > 200 && c.red() < 60 && c.blue() < 60)
                        ++green;
                    if (c.blue() > 200 && c.red() < 60 && c.green() < 60)
                        ++blue;
                }
            return gridPixels > 200 && red > 10 && green > 10 && blue > 10;
        },
        5000);
    EXPECT_GT(gridPixels, 200);
    EXPECT_GT(red, 10);
    EXPECT_GT(green, 10);
    EXPECT_GT(blue, 10);
    if (qEnvironmentVariableIsSet("NERIO_KEEP_SHOTS"))
        img.save(QStringLiteral("/tmp/sceneview_grid.png"));
}

// Each kind of change asks the view for the frames it needs; once they are drawn the view rests.
TEST(SceneView, EachChangeDrawsItsFramesThenTheViewRests)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    auto paths = programDataPath();
    SceneView view;
    view.resize(320, 240);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    SceneModel scene;
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    osg::ref_ptr<Vantor::Model> part = new Vantor::Model;
    osg::ref_ptr<osg::Geode> box = new osg::Geode;
    box->addDrawable(new osg::ShapeDrawable(new osg::Box(osg::Vec3(), 2.0f)));
    part->addChild(box.get());
    top->addChild(part.get());
    view.setSceneModel(&scene);
    scene.setModel(top.get());
    view.resetHome();
    ASSERT_TRUE(nerio_test::waitUntilResting(view));

    osg::Switch* signs = view.getPivotSwitch();
    ASSERT_NE(signs, nullptr);
    QWidget elsewhere;
    elsewhere.resize(80, 40);
    elsewhere.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&elsewhere));
    ASSERT_TRUE(nerio_test::waitUntilResting(view));

    const Vantor::CameraTransition::Pose target = Vantor::CameraTransition::lookFrom(
        osg::Vec3d(1, 0, 0), osg::Vec3d(0, -1, 1), osg::Vec3d(0, 0, 1), 30.0);
    struct Case
    {
        const char* what;
        std::function<void()> change;
        unsigned atLeast; // frames
        std::function<bool()> done;
    } cases[] = {
        {"the pivot sign fades", [&] { view.showPivot(); }, 20, [&] { return signs->getNodeMask() == 0u; }},
        {"a camera transition",
         [&] { ASSERT_TRUE(Vantor::CameraTransition::start(view.getView().get(), target, 0.3)); }, 3,
         [&] {
             auto* t = Vantor::CameraTransition::of(view.getView().get(), false);
             return t && !t->isRunning() && view.getPickingHandler()->getDistance() == target.distance;
         }},
        {"a selection", [&] { view.getSelectionManager()->addSelected(part.get()); }, 1, nullptr},
        {"a selection cleared", [&] { view.getSelectionManager()->clearSelection(); }, 1, nullptr},
        {"a command's change of the scene",
         [&] { view.getSceneStateObservers()->notifyNodeVisibleChanged(part.get(), top.get()); }, 1, nullptr},
        {"the background colour", [&] { view.setBgColor(QColor(10, 20, 30)); }, 1, nullptr},
        {"a key in another window", [&] { QTest::keyClick(&elsewhere, Qt::Key_A); }, 1, nullptr},
        {"a click in another window", [&] { QTest::mouseClick(&elsewhere, Qt::LeftButton); }, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const unsigned before = view.framesDrawn();
        c.change();
        ASSERT_TRUE(QTest::qWaitFor([&] { return view.framesDrawn() >= before + c.atLeast; }, 10000));
        ASSERT_TRUE(nerio_test::waitUntilResting(view));
        if (c.done) {
            EXPECT_TRUE(c.done());
        }
        const unsigned drawn = view.framesDrawn();
        EXPECT_FALSE(QTest::qWaitFor([&] { return view.framesDrawn() != drawn; }, 150)) // several 30 ms ticks
            << "the view rests once the change is drawn";
    }
}
