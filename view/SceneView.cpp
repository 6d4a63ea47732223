#include "view/SceneView.h"

#include "view/CombineCommandHandler.h"
#include "view/FileProgressWidget.h"
#include "view/ISelectionDecorator.h"
#include "view/OsgModelMergeListener.h"
#include "view/PickingHandler.h"
#include "view/SceneCallbacks.h"
#include "view/SceneViewSceneStateObserver.h"
#include "view/SceneViewSelectionListener.h"
#include "view/ScreenshotHandler.h"
#include "view/SelectionManager.h"
#include "vantor/animation/AnimationKeyFrameEditor.h"
#include "vantor/animation/AnimationManager.h"
#include "vantor/collision/CollisionInfoDecorator.h"
#include "vantor/collision/CollisionManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/command/SceneStateObserver.h"
#include "vantor/command/SelectionListener.h"
#include "vantor/model/Model.h"
#include "vantor/walker/WalkerManipulator.h"

#include <osg/BlendColor>
#include <osg/BlendFunc>
#include <osg/Depth>
#include <osg/DisplaySettings>
#include <osg/Geode>
#include <osg/Geometry>
#include <osg/LineWidth>
#include <osg/PolygonOffset>
#include <osg/Projection>
#include <osgDB/FileUtils>
#include <osgDB/ReadFile>
#include <osgDB/Registry>
#include <osgViewer/ViewerEventHandlers>

#include <QCoreApplication>
#include <QDir>
#include <QEvent>

#include <cfloat>

namespace {

const char* const kSignModels[] = {
    "/data/signmodel/rotate_pivot.osg",
    "/data/signmodel/scale_in_pivot.osg",
    "/data/signmodel/scale_out_pivot.osg",
    "/data/signmodel/drag_pivot.osg",
};

bool boxIsValid(const osg::BoundingBoxd& box)
{
    return box.xMax() >= box.xMin() && box.yMax() >= box.yMin() && box.zMax() >= box.zMin();
}

float clamp01(float v)
{
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

// Keys and buttons anywhere in the program (ribbon, tree, docks, dialogs) may change what the view
// shows without going through the view: each asks it for one frame. Pointer moves do not; those over
// the view reach it as input of its own.
class InputFrameRequest : public QObject
{
public:
    explicit InputFrameRequest(SceneView* view) : QObject(view), m_view(view) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Drop:
            m_view->requestFrame();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    SceneView* m_view; // the parent
};

} // namespace

SceneView::SceneView(QWidget* parent) : OsgWidget(parent)
{
    // Starts empty: min at +FLT_MAX and max at -FLT_MAX.
    m_cachedSceneBox.set(FLT_MAX, FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX, -FLT_MAX);

    m_commandHandler = new CombineCommandHandler;
    m_view->addEventHandler(m_commandHandler.get());
    m_mergeListener = std::make_shared<OsgModelMergeListener>();

    m_pickingHandler = new PickingHandler;
    m_pickingHandler->setAllowThrow(false);
    m_pickingHandler->setSceneView(this);
    m_view->setCameraManipulator(m_pickingHandler.get(), true);

    m_view->getCamera()->setSmallFeatureCullingPixelSize(Vantor::NerioViewerManipulatorState::SmallFeatureCullSize);

    osg::ref_ptr<osg::DisplaySettings> displaySettings = new osg::DisplaySettings;
    displaySettings->setNumMultiSamples(8);
    m_view->setDisplaySettings(displaySettings.get());

    auto* screenshot = new ScreenshotHandler("jpg", "screen_shot");
    connect(screenshot, &ScreenshotHandler::newScreenshotAvailable, this, &SceneView::newScreenshotAvailable);
    m_view->addEventHandler(new osgViewer::ScreenCaptureHandler(screenshot, 1));

    setKeyEventSetsDone(0);

    createSceneGraph();

    m_ownSelectionManager = new SelectionManager(this);
    m_ownSelectionManager->addSelectionListener(new SceneViewSelectionListener(this));
    m_selectionManager = m_ownSelectionManager.get();

    m_selectionDecorator = new DefaultSelectionDecorator;
    m_ownSelectionManager->setSelectionDecorator(m_selectionDecorator.get());
    m_preSelectionDecorator = new DefaultPreSelectionDecorator;
    m_ownSelectionManager->setPreSelectionDecorator(m_preSelectionDecorator.get());

    m_commandManager = std::make_shared<Vantor::CommandManager>();
    m_commandHandler->setCommandManager(m_commandManager);
    m_commandManager->setSelectionManager(m_selectionManager);
    m_commandManager->setSceneStateObserverManager(m_sceneStateObservers);

    m_ownSelectionManager->addSelectionListener(
        new Vantor::CommandSelectionListener(m_selectionManager, m_commandManager));

    osg::ref_ptr<SceneViewSceneStateObserver> observer = new SceneViewSceneStateObserver;
    observer->setSceneView(this);
    m_sceneStateObservers->addChild(observer.get());

    m_progressWidget = new FileProgressWidget(this);
    m_progressWidget->setAutoFillBackground(true);
    m_progressWidget->setMaximumHeight(20);
    m_progressWidget->hide();

    m_lastDirectory = QDir::currentPath();

    setContextMenuPolicy(Qt::DefaultContextMenu);

    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(new InputFrameRequest(this));
}

SceneView::~SceneView()
{
    // The handler may outlive the view through the viewer's references; it must not call back.
    if (m_pickingHandler.valid())
        m_pickingHandler->setSceneView(nullptr);
}

osg::ref_ptr<PickingHandler> SceneView::getPickingHandler() const
{
    return m_pickingHandler;
}

osg::ref_ptr<Vantor::AnimationKeyFrameEditor> SceneView::getAnimationKeyFrameEditor() const
{
    return m_animationEditor;
}

osg::Switch* SceneView::getPivotSwitch() const
{
    if (!m_pivotSign.valid() || m_pivotSign->getNumChildren() == 0)
        return nullptr;
    return dynamic_cast<osg::Switch*>(m_pivotSign->getChild(0));
}

Vantor::SceneStateObserverManager* SceneView::getSceneStateObservers() const
{
    return m_sceneStateObservers.get();
}

osg::ref_ptr<DefaultPreSelectionDecorator> SceneView::GetPreselectionDecoratorManager()
{
    if (!m_preSelectionDecorator.valid())
        m_preSelectionDecorator = new DefaultPreSelectionDecorator;
    return m_preSelectionDecorator;
}

osg::ref_ptr<DefaultSelectionDecorator> SceneView::GetSelectionDecoratorManager()
{
    if (!m_selectionDecorator.valid())
        m_selectionDecorator = new DefaultSelectionDecorator;
    return m_selectionDecorator;
}

Vantor::ISelectionManager* SceneView::getSelectionManager()
{
    return m_selectionManager;
}

Vantor::ISelectionManager* SceneView::setSelectionManager(Vantor::ISelectionManager* manager)
{
    m_selectionManager = dynamic_cast<SelectionManager*>(manager);
    return m_selectionManager;
}

void SceneView::createSceneGraph()
{
    m_sceneGroup = new osg::Group;
    m_sceneGroup->setName("sceneGroup");

    m_backgroundColor = osg::Vec4f(0.33f, 0.33f, 0.33f, 1.0f);
    m_backdrop = new osg::ClearNode;
    m_backdrop->setName("backdrop");
    m_backdrop->setClearColor(m_backgroundColor);
    // Section caps count in the stencil buffer; every frame starts it empty.
    m_backdrop->setClearMask(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    m_sceneGroup->addChild(m_backdrop.get());

    m_background = createBackground();
    m_sceneGroup->addChild(m_background.get());

    m_rootNode = new osgShadow::ShadowedScene;
    m_rootNode->setName("rootNode");
    m_rootNode->setReceivesShadowTraversalMask(1);
    m_rootNode->setCastsShadowTraversalMask(2);
    m_rootNode->setDataVariance(osg::Object::DYNAMIC);
    m_rootNode->setShadowTechnique(nullptr);

    createGrid();

    m_axis = createAxis();
    m_sceneGroup->addChild(m_axis.get());

    m_sceneGroup->addChild(m_rootNode.get());

    m_grid->setNodeMask(0);
    m_axis->setNodeMask(0);

    m_sceneStateObservers = new Vantor::SceneStateObserverManager;
    m_sceneGroup->addChild(m_sceneStateObservers.get());

    createPivotSign();

    m_view->setSceneData(m_sceneGroup.get());
}

osg::Node* SceneView::createBackground()
{
    m_backgroundColors = new osg::Vec4Array;

    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->setName("Background");
    osg::ref_ptr<osg::Projection> projection = new osg::Projection(osg::Matrix::ortho2D(0, 1024, 0, 1024));
    osg::ref_ptr<osg::MatrixTransform> transform = new osg::MatrixTransform(osg::Matrix::identity());
    transform->setReferenceFrame(osg::Transform::ABSOLUTE_RF);
    projection->addChild(transform.get());
    transform->addChild(geode.get());

    osg::ref_ptr<osg::Geometry> quad = new osg::Geometry;
    quad->setUseDisplayList(false);
    osg::ref_ptr<osg::Vec3Array> vertices = new osg::Vec3Array;
    vertices->push_back(osg::Vec3(0, 0, -100));
    vertices->push_back(osg::Vec3(1024, 0, -100));
    vertices->push_back(osg::Vec3(1024, 1024, -100));
    vertices->push_back(osg::Vec3(0, 1024, -100));
    quad->setVertexArray(vertices.get());
    osg::ref_ptr<osg::DrawElementsUInt> polygon = new osg::DrawElementsUInt(GL_POLYGON);
    for (unsigned i = 0; i < 4; ++i)
        polygon->push_back(i);
    quad->addPrimitiveSet(polygon.get());
    osg::ref_ptr<osg::Vec2Array> texcoords = new osg::Vec2Array;
    texcoords->push_back(osg::Vec2(0, 0));
    texcoords->push_back(osg::Vec2(1, 0));
    texcoords->push_back(osg::Vec2(1, 1));
    texcoords->push_back(osg::Vec2(0, 1));
    quad->setTexCoordArray(0, texcoords.get());
    osg::ref_ptr<osg::Vec3Array> normals = new osg::Vec3Array;
    normals->push_back(osg::Vec3(0, 0, 1));
    quad->setNormalArray(normals.get(), osg::Array::BIND_OVERALL);

    updateBackgroundGradient();
    quad->setColorArray(m_backgroundColors.get(), osg::Array::BIND_PER_VERTEX);
    geode->addDrawable(quad.get());

    osg::StateSet* state = geode->getOrCreateStateSet();
    state->setMode(GL_DEPTH_TEST, osg::StateAttribute::OFF);
    state->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    state->setRenderBinDetails(-1, "RenderBin", osg::StateSet::USE_RENDERBIN_DETAILS);

    return projection.release();
}

void SceneView::updateBackgroundGradient()
{
    if (!m_backgroundColors.valid())
        return;
    // Two colours run from the first (top) to the second (bottom); one colour is shaded lighter above
    // and darker below.
    const osg::Vec4f& c = m_backgroundColor;
    osg::Vec4f bottom(clamp01(c.r() - 0.1f), clamp01(c.g() - 0.1f), clamp01(c.b() - 0.1f), 1.0f);
    osg::Vec4f top(clamp01(c.r() + 0.2f), clamp01(c.g() + 0.2f), clamp01(c.b() + 0.2f), 1.0f);
    if (m_hasBackgroundColorEnd) {
        top = c;
        bottom = m_backgroundColorEnd;
    }
    m_backgroundColors->clear();
    m_backgroundColors->push_back(bottom);
    m_backgroundColors->push_back(bottom);
    m_backgroundColors->push_back(top);
    m_backgroundColors->push_back(top);
    m_backgroundColors->dirty();
}

void SceneView::createGrid()
{
    if (!m_grid.valid()) {
        m_grid = new osg::MatrixTransform;
        m_sceneGroup->addChild(m_grid.get());
    }
    m_grid->removeChildren(0, m_grid->getNumChildren());

    osg::ref_ptr<osg::Geode> lines = new osg::Geode;
    osg::ref_ptr<osg::Geometry> lineGeometry = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> vertices = new osg::Vec3Array;
    vertices->push_back(osg::Vec3(0, -10, 0));
    vertices->push_back(osg::Vec3(0, 10, 0));
    vertices->push_back(osg::Vec3(-10, 0, 0));
    vertices->push_back(osg::Vec3(10, 0, 0));
    for (int i = 1; i <= 10; ++i) {
        const float f = float(i);
        vertices->push_back(osg::Vec3(f, -10, 0));
        vertices->push_back(osg::Vec3(f, 10, 0));
        vertices->push_back(osg::Vec3(-f, -10, 0));
        vertices->push_back(osg::Vec3(-f, 10, 0));
        vertices->push_back(osg::Vec3(-10, f, 0));
        vertices->push_back(osg::Vec3(10, f, 0));
        vertices->push_back(osg::Vec3(-10, -f, 0));
        vertices->push_back(osg::Vec3(10, -f, 0));
    }
    lineGeometry->setVertexArray(vertices.get());
    osg::ref_ptr<osg::Vec4Array> colours = new osg::Vec4Array;
    colours->push_back(m_gridColor);
    colours->push_back(m_gridColor);
    lineGeometry->setColorArray(colours.get(), osg::Array::BIND_PER_PRIMITIVE_SET);
    osg::ref_ptr<osg::Vec3Array> normals = new osg::Vec3Array;
    normals->push_back(osg::Vec3(0, -1, 0));
    lineGeometry->setNormalArray(normals.get(), osg::Array::BIND_OVERALL);
    lineGeometry->addPrimitiveSet(new osg::DrawArrays(GL_LINES, 0, 6));
    lineGeometry->addPrimitiveSet(new osg::DrawArrays(GL_LINES, 6, 78));
    lines->addDrawable(lineGeometry.get());

    osg::StateSet* state = lines->getOrCreateStateSet();
    state->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    state->setAttributeAndModes(new osg::PolygonOffset(1.0f, 1.0f), osg::StateAttribute::ON);
    state->setMode(GL_LINE_SMOOTH, osg::StateAttribute::ON);
    state->setMode(GL_DEPTH_TEST, osg::StateAttribute::ON);

    // An invisible plane under the lines, so that picks find the grid plane.
    osg::ref_ptr<osg::Geometry> plane = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> corners = new osg::Vec3Array;
    corners->push_back(osg::Vec3(-10, 0, 10));
    corners->push_back(osg::Vec3(-10, 0, -10));
    corners->push_back(osg::Vec3(10, 0, -10));
    corners->push_back(osg::Vec3(10, 0, 10));
    plane->setVertexArray(corners.get());
    plane->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, 4));
    osg::ref_ptr<osg::Vec3Array> planeNormal = new osg::Vec3Array;
    planeNormal->push_back(osg::Vec3(0, 1, 0));
    plane->setNormalArray(planeNormal.get(), osg::Array::BIND_OVERALL);
    setNodeTransparency(plane.get(), 0.0f);

    m_grid->addChild(plane.get());
    m_grid->addChild(lines.get());
    m_grid->setName("transformGrid");
}

bool SceneView::setNodeTransparency(osg::Node* node, float alpha)
{
    if (!node)
        return false;
    osg::StateSet* state = node->getStateSet();
    if (!state) {
        state = new osg::StateSet;
        state->setName("TransparentDeleteMe");
        node->setStateSet(state);
    }
    const auto onOverride = osg::StateAttribute::ON | osg::StateAttribute::OVERRIDE;
    state->setAttributeAndModes(new osg::BlendColor(osg::Vec4(0.0f, 0.0f, 0.0f, alpha)), onOverride);
    state->setAttributeAndModes(new osg::BlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA), onOverride);
    state->setRenderingHint(osg::StateSet::TRANSPARENT_BIN);
    return true;
}

osg::MatrixTransform* SceneView::createAxis()
{
    osg::ref_ptr<osg::MatrixTransform> axis = new osg::MatrixTransform(osg::Matrix::identity());
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    osg::ref_ptr<osg::Geometry> geometry = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> vertices = new osg::Vec3Array;
    vertices->push_back(osg::Vec3(0, 0, 0));
    vertices->push_back(osg::Vec3(1, 0, 0));
    vertices->push_back(osg::Vec3(0, 0, 0));
    vertices->push_back(osg::Vec3(0, 1, 0));
    vertices->push_back(osg::Vec3(0, 0, 0));
    vertices->push_back(osg::Vec3(0, 0, 1));
    geometry->setVertexArray(vertices.get());
    osg::ref_ptr<osg::Vec4Array> colours = new osg::Vec4Array;
    colours->push_back(osg::Vec4(1, 0, 0, 1));
    colours->push_back(osg::Vec4(0, 1, 0, 1));
    colours->push_back(osg::Vec4(0, 0, 1, 1));
    geometry->setColorArray(colours.get(), osg::Array::BIND_PER_PRIMITIVE_SET);
    for (int first : {0, 2, 4})
        geometry->addPrimitiveSet(new osg::DrawArrays(GL_LINES, first, 2));
    geode->addDrawable(geometry.get());

    osg::StateSet* state = geode->getOrCreateStateSet();
    state->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    state->setMode(GL_DEPTH_TEST, osg::StateAttribute::ON);
    state->setAttributeAndModes(new osg::LineWidth(3.0f), osg::StateAttribute::ON);

    axis->addChild(geode.get());
    axis->setName("transformAxis");
    return axis.release();
}

void SceneView::createPivotSign()
{
    m_pivotSign = new osg::AutoTransform;
    osg::ref_ptr<osg::Switch> signs = new osg::Switch;
    m_pivotSign->addChild(signs.get());

    osg::StateSet* state = signs->getOrCreateStateSet();
    state->setAttributeAndModes(new osg::BlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA), osg::StateAttribute::ON);
    osg::ref_ptr<osg::BlendColor> blend = new osg::BlendColor(osg::Vec4(1.0f, 1.0f, 1.0f, 1.0f));
    state->setAttributeAndModes(blend.get(), osg::StateAttribute::ON);
    state->setRenderingHint(osg::StateSet::TRANSPARENT_BIN);
    state->setMode(GL_BLEND, osg::StateAttribute::ON | osg::StateAttribute::OVERRIDE);

    signs->setUpdateCallback(new FadingUpdateCallback(blend.get(), [this] { requestFrame(); }));

    m_sceneGroup->addChild(m_pivotSign.get());
}

void SceneView::loadPivotSigns()
{
    // Read when a sign is first shown, not at start-up: reading them loads OSG's text-format plugin.
    osg::Switch* signs = getPivotSwitch();
    if (m_pivotSignsLoaded || !signs)
        return;
    m_pivotSignsLoaded = true;
    for (const char* path : kSignModels) {
        const std::string found = osgDB::findDataFile(path);
        if (found.empty())
            continue;
        osg::ref_ptr<osg::Node> sign = osgDB::readRefNodeFile(found, osgDB::Registry::instance()->getOptions());
        if (!sign.valid())
            continue;
        osg::StateSet* state = sign->getOrCreateStateSet();
        state->setAttributeAndModes(new osg::Depth(osg::Depth::ALWAYS, 0.0, 1.0, true));
        state->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
        signs->addChild(sign.get(), false);
    }
}

const osg::BoundingBoxd& SceneView::getSceneBoundingBox()
{
    osg::ref_ptr<Vantor::Model> top = Vantor::Model::GetTopModel(m_view.valid() ? m_view->getSceneData() : nullptr);
    if (!top.valid())
        return m_cachedSceneBox;

    const osg::BoundingSphere& sphere = top->getBound();
    const osg::BoundingSphered current(osg::Vec3d(sphere.center()), double(sphere.radius()));
    if (!boxIsValid(m_cachedSceneBox) || current.center() != m_cachedModelBound.center() ||
        current.radius() != m_cachedModelBound.radius()) {
        m_cachedModelBound = current;
        m_cachedSceneBox = Vantor::OsgHelper::getNodeWorldBoundingBox(top.get());
        if (!boxIsValid(m_cachedSceneBox))
            m_cachedSceneBox.set(-100.0, -100.0, -100.0, 100.0, 100.0, 100.0);
    }
    return m_cachedSceneBox;
}
