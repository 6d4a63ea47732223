#include "view/FrameRectPicker.h"

#include "vantor/command/OsgHelper.h"
#include "vantor/command/TempNodeManager.h"

#include <osg/Geode>
#include <osg/LineStipple>
#include <osgUtil/IntersectionVisitor>
#include <osgViewer/View>

#include <algorithm>
#include <cstring>

const char* const FrameRectPicker::TipName = "FRAME_PICKER_TIP";

namespace {

// How far up from the hit drawable an annotation's own node may lie.
const int AnnotationDepth = 10;

bool classIs(const osg::Node* node, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (std::strcmp(node->className(), name) == 0)
            return true;
    }
    return false;
}

} // namespace

FrameRectPicker::FrameRectPicker() : m_tipName(TipName) {}

FrameRectPicker::~FrameRectPicker() = default;

void FrameRectPicker::setClipedModels(const Vantor::ObserverNodeList& models)
{
    m_clipedModels.clear();
    for (const auto& model : models) {
        if (model.valid())
            m_clipedModels.insert(model.get());
    }
}

void FrameRectPicker::buildCamera()
{
    osg::ref_ptr<osg::Geometry> geometry = new osg::Geometry;
    geometry->setDataVariance(osg::Object::DYNAMIC);
    geometry->setUseDisplayList(false);
    geometry->setVertexArray(new osg::Vec3Array(4));
    osg::ref_ptr<osg::Vec4Array> colors = new osg::Vec4Array;
    colors->push_back(osg::Vec4(1, 1, 0, 1));
    geometry->setColorArray(colors.get(), osg::Array::BIND_OVERALL);
    geometry->addPrimitiveSet(new osg::DrawArrays(GL_LINE_LOOP, 0, 4));
    m_rectangleGeometry = geometry.get();

    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(geometry.get());
    osg::StateSet* state = geode->getOrCreateStateSet();
    state->setAttributeAndModes(new osg::LineStipple(1, 0x00FF),
                                osg::StateAttribute::ON | osg::StateAttribute::OVERRIDE);
    state->setMode(GL_LIGHTING, osg::StateAttribute::OFF);

    m_hudCamera = new osg::Camera;
    m_hudCamera->setName(m_tipName);
    m_hudCamera->setProjectionMatrixAsOrtho2D(-1.0, 1.0, -1.0, 1.0);
    m_hudCamera->setReferenceFrame(osg::Transform::ABSOLUTE_RF);
    // A vertex (x, 0, y) lands at the normalised window position (x, y).
    m_hudCamera->setViewMatrixAsLookAt(osg::Vec3d(0, -1, 0), osg::Vec3d(0, 0, 0), osg::Vec3d(0, 0, 1));
    m_hudCamera->setClearMask(GL_DEPTH_BUFFER_BIT);
    m_hudCamera->setRenderOrder(osg::Camera::POST_RENDER);
    m_hudCamera->setAllowEventFocus(false);
    m_hudCamera->addChild(geode.get());
}

void FrameRectPicker::show(osgViewer::View* view, bool visible)
{
    if (!m_hudCamera.valid())
        buildCamera();
    if (view) {
        // A new scene brings a new temporary-node manager; the camera joins each once.
        osg::ref_ptr<Vantor::TempNodeManager> temps = Vantor::TempNodeManager::GetTempNodeManager(view->getSceneData());
        if (temps.valid() && !temps->getSubNodeByName(m_tipName))
            temps->addChild(m_hudCamera.get());
    }
    m_hudCamera->setNodeMask(visible ? ~0u : 0u);
}

void FrameRectPicker::setCorners(float x0, float y0, float x1, float y1)
{
    osg::ref_ptr<osg::Geometry> geometry;
    if (!m_rectangleGeometry.lock(geometry))
        return;
    osg::ref_ptr<osg::Vec3Array> corners = new osg::Vec3Array;
    corners->push_back(osg::Vec3(x0, 0, y0));
    corners->push_back(osg::Vec3(x0, 0, y1));
    corners->push_back(osg::Vec3(x1, 0, y1));
    corners->push_back(osg::Vec3(x1, 0, y0));
    geometry->setVertexArray(corners.get());
    geometry->dirtyBound();
}

void FrameRectPicker::windowPosition(const osg::Camera& camera, const osgGA::GUIEventAdapter& ea, float& x, float& y)
{
    // Pixels of the camera's viewport, y growing upwards, whatever the event's own y orientation.
    if (const osg::Viewport* viewport = camera.getViewport()) {
        x = float(viewport->x() + viewport->width() * (ea.getXnormalized() * 0.5 + 0.5));
        y = float(viewport->y() + viewport->height() * (ea.getYnormalized() * 0.5 + 0.5));
        return;
    }
    x = ea.getX();
    y = ea.getMouseYOrientation() == osgGA::GUIEventAdapter::Y_INCREASING_DOWNWARDS
            ? ea.getYmax() - ea.getY() + ea.getYmin()
            : ea.getY();
}

bool FrameRectPicker::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    auto* view = dynamic_cast<osgViewer::View*>(&aa);
    if (!view)
        return false;
    bool result = false;
    switch (ea.getEventType()) {
    case osgGA::GUIEventAdapter::PUSH:
        m_startNormalized[0] = ea.getXnormalized();
        m_startNormalized[1] = ea.getYnormalized();
        windowPosition(*view->getCamera(), ea, m_startWindow[0], m_startWindow[1]);
        show(view, true);
        m_dragging = true;
        result = true;
        break;
    case osgGA::GUIEventAdapter::DRAG:
        if (m_dragging) {
            setCorners(m_startNormalized[0], m_startNormalized[1], ea.getXnormalized(), ea.getYnormalized());
            show(view, true);
        }
        result = m_dragging;
        break;
    case osgGA::GUIEventAdapter::RELEASE:
        m_dragging = false;
        query(*view, ea);
        setCorners(0, 0, 0, 0);
        show(view, false);
        result = true;
        break;
    case osgGA::GUIEventAdapter::KEYUP:
        if (ea.getKey() == osgGA::GUIEventAdapter::KEY_Control_L ||
            ea.getKey() == osgGA::GUIEventAdapter::KEY_Control_R) {
            show(view, false);
            result = true;
        }
        break;
    default:
        break;
    }
    return result;
}

void FrameRectPicker::query(osgViewer::View& view, const osgGA::GUIEventAdapter& ea)
{
    osg::Camera* camera = view.getCamera();
    float x = 0.0f, y = 0.0f;
    windowPosition(*camera, ea, x, y);
    const double xMin = std::min(m_startWindow[0], x), xMax = std::max(m_startWindow[0], x);
    const double yMin = std::min(m_startWindow[1], y), yMax = std::max(m_startWindow[1], y);
    // Drawn from the upper left to the lower right corner.
    const bool windowMode = x > m_startWindow[0] && y < m_startWindow[1];

    const std::vector<osg::ref_ptr<osg::Node>> roots = Vantor::OsgHelper::GetSceneNode(view.getSceneData());
    if (roots.size() != 2)
        return;
    m_modelIntersector = queryNode(*camera, *roots[0], xMin, yMin, xMax, yMax, m_clipPlanes, windowMode);
    m_annotationIntersector = queryNode(*camera, *roots[1], xMin, yMin, xMax, yMax, {}, windowMode);
}

osg::ref_ptr<osgUtil::PolytopeIntersector> FrameRectPicker::queryNode(osg::Camera& camera, osg::Node& root,
                                                                       double xMin, double yMin, double xMax,
                                                                       double yMax, const std::vector<osg::Plane>& planes,
                                                                       bool windowMode)
{
    osg::ref_ptr<osgUtil::PolytopeIntersector> windowIntersector =
        new osgUtil::PolytopeIntersector(osgUtil::Intersector::WINDOW, xMin, yMin, xMax, yMax);
    osgUtil::IntersectionVisitor visitor(windowIntersector.get());
    visitor.pushViewMatrix(new osg::RefMatrix(camera.getViewMatrix()));
    visitor.pushProjectionMatrix(new osg::RefMatrix(camera.getProjectionMatrix()));
    if (camera.getViewport())
        visitor.pushWindowMatrix(camera.getViewport());

    // The clone carries the rectangle's polytope into world coordinates, where the clip planes are.
    osg::ref_ptr<osgUtil::Intersector> cloned = windowIntersector->clone(visitor);
    auto* world = dynamic_cast<osgUtil::PolytopeIntersector*>(cloned.get());
    if (!world)
        return nullptr;
    osg::Polytope polytope = world->getPolytope();
    for (const osg::Plane& plane : planes) {
        if (plane.valid())
            polytope.add(plane);
    }
    osg::ref_ptr<osgUtil::PolytopeIntersector> intersector = new osgUtil::PolytopeIntersector(polytope);
    // Hits stay ordered by their distance from the near side of the rectangle, not from a clip plane.
    intersector->setReferencePlane(world->getReferencePlane());
    intersector->setIntersectionLimit(windowMode ? osgUtil::Intersector::LIMIT_ONE_PER_DRAWABLE
                                                 : osgUtil::Intersector::NO_LIMIT);
    visitor.setIntersector(intersector.get());

    // The query starts at the root; transforms above it still place its content in the world.
    osg::NodePath above = Vantor::OsgHelper::computeNodePath(&root);
    if (!above.empty())
        above.pop_back();
    if (!above.empty()) {
        const osg::Matrix toWorld = osg::computeLocalToWorld(above);
        if (!toWorld.isIdentity())
            visitor.pushModelMatrix(new osg::RefMatrix(toWorld));
    }
    root.accept(visitor);
    return intersector;
}

NodePtrList FrameRectPicker::getPickedNodes()
{
    NodePtrList picked;
    osg::ref_ptr<osgUtil::PolytopeIntersector> models = std::move(m_modelIntersector);
    osg::ref_ptr<osgUtil::PolytopeIntersector> annotations = std::move(m_annotationIntersector);
    m_modelIntersector = nullptr;
    m_annotationIntersector = nullptr;
    if (!models.valid() || !annotations.valid())
        return picked;

    std::set<const osg::Node*> taken;
    auto take = [&](osg::Node* node) {
        if (taken.count(node))
            return;
        if (m_multiSelection || picked.empty()) {
            taken.insert(node);
            picked.push_back(node);
        }
    };

    for (const auto& hit : annotations->getIntersections()) {
        bool clipped = false;
        for (const osg::Node* node : hit.nodePath) {
            if (m_clipedModels.count(node)) {
                clipped = true;
                break;
            }
        }
        if (clipped)
            continue;
        int depth = 0;
        for (auto it = hit.nodePath.rbegin(); it != hit.nodePath.rend() && depth < AnnotationDepth; ++it, ++depth) {
            if (*it && classIs(*it, {"PointNote", "Note", "3DNote", "Measure"})) {
                take(*it);
                break;
            }
        }
    }
    for (const auto& hit : models->getIntersections()) {
        for (auto it = hit.nodePath.rbegin(); it != hit.nodePath.rend(); ++it) {
            if (*it && classIs(*it, {"PMI", "Model"})) {
                take(*it);
                break;
            }
        }
    }
    return picked;
}
