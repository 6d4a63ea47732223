#include "view/PickingHandler.h"

#include "vantor/command/ISceneView.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/command/TempNodeManager.h"
#include "vantor/math/Plane.h"
#include "vantor/model/Model.h"

#include <osg/ApplicationUsage>
#include <osg/Geometry>
#include <osg/Material>
#include <osg/Point>
#include <osgUtil/IntersectionVisitor>
#include <osgUtil/LineSegmentIntersector>
#include <osgViewer/ViewerBase>

#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace {

using GEA = osgGA::GUIEventAdapter;

bool finite(const osg::Vec3d& v) { return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z()); }

bool isCtrlKey(int key) { return key == GEA::KEY_Control_L || key == GEA::KEY_Control_R; }

} // namespace

PickingHandler::PickingHandler()
    : QObject(nullptr), osgGA::TrackballManipulator(UPDATE_MODEL_SIZE | PROCESS_MOUSE_WHEEL),
      m_mouseState(std::make_shared<Vantor::MouseState>()), m_framePicker(new FrameRectPicker),
      m_wheelTimer(new QTimer(this)), m_cullRestoreTimer(new QTimer(this)),
      m_modifiers([] { return QGuiApplication::keyboardModifiers(); })
{
    setMinimumDistance(MinimumDistance, false);

    m_wheelTimer->setSingleShot(true);
    connect(m_wheelTimer, SIGNAL(timeout()), this, SLOT(timeout()));

    m_cullRestoreTimer->setSingleShot(true);
    connect(m_cullRestoreTimer, &QTimer::timeout, this, [this] {
        if (m_culledCamera.valid())
            m_culledCamera->setSmallFeatureCullingPixelSize(Vantor::NerioViewerManipulatorState::SmallFeatureCullSize);
        // The small parts come back in a frame of their own once the wheel rests.
        osg::ref_ptr<osgViewer::View> view;
        if (m_view.lock(view))
            view->requestRedraw();
    });
}

PickingHandler::~PickingHandler() = default;

void PickingHandler::setKeyboardModifiersSource(std::function<Qt::KeyboardModifiers()> source)
{
    if (source)
        m_modifiers = std::move(source);
    else
        m_modifiers = [] { return QGuiApplication::keyboardModifiers(); };
}

bool PickingHandler::isCtrlHeld() const { return m_modifiers() == Qt::ControlModifier; }

void PickingHandler::getUsage(osg::ApplicationUsage& usage) const
{
    usage.addKeyboardMouseBinding("PickingHandler: Space", "Reset the viewing position to home");
    usage.addKeyboardMouseBinding("PickingHandler: Shift",
                                  "Clic to center the view under the cursor (usefull to turn around a object)");
    osgGA::TrackballManipulator::getUsage(usage);
}

// ---------------------------------------------------------------- event dispatch

bool PickingHandler::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    if (ea.getHandled()) {
        // A running command took the click: the button is up all the same.
        if (ea.getEventType() == GEA::RELEASE && m_leftButtonDown) {
            m_leftButtonDown = false;
            m_mouseState->onMouseUp(mousePosition(ea));
            updateRotationCenterTip();
        }
        return false;
    }
    auto* view = dynamic_cast<osgViewer::View*>(&aa);
    if (!view)
        return false;
    m_view = view;
    m_currentEvent = &ea;

    using Base = osgGA::TrackballManipulator;
    switch (ea.getEventType()) {
    case GEA::PUSH:
        if (ea.getButtonMask() == GEA::LEFT_MOUSE_BUTTON) {
            fastInteraction();
            m_mouseState->onMouseDown(mousePosition(ea));
            if (isCtrlHeld())
                return m_framePicker->handle(ea, aa) ? true : Base::handle(ea, aa);
            m_leftButtonDown = true;
            pickRotationCenter(ea);
            // A left drag in pan mode moves the scene in the plane of the point grabbed now.
            if (mouseMode == Pan && getPerpectiveCamera())
                m_panAnchor = pickPanAnchor(ea);
        } else if (ea.getButtonMask() == GEA::MIDDLE_MOUSE_BUTTON && getPerpectiveCamera()) {
            m_panAnchor = pickPanAnchor(ea);
        }
        return Base::handle(ea, aa);

    case GEA::RELEASE:
        m_leftButtonDown = false;
        if (!m_mouseState->getIsTouchDevice())
            m_mouseState->onMouseUp(mousePosition(ea));
        setCursor(ArrowCursor);
        if (ea.getButton() == GEA::LEFT_MOUSE_BUTTON) {
            if (isCtrlHeld() && !m_mouseState->isSingleClick())
                return rectangleSelect(ea, aa) ? true : Base::handle(ea, aa);
            if (m_mouseState->isMouseStill())
                clickSelect(ea);
            updateRotationCenterTip();
        }
        return Base::handle(ea, aa);

    case GEA::DRAG:
        if (ea.getButtonMask() == GEA::LEFT_MOUSE_BUTTON) {
            fastInteraction();
            setCursor(mouseMode == Rotate ? RotateCursor
                      : mouseMode == Zoom ? ZoomCursor
                      : mouseMode == Pan  ? PanCursor
                                          : ArrowCursor);
            m_mouseState->onMouseMove(mousePosition(ea));
            if (isCtrlHeld())
                return m_framePicker->handle(ea, aa) ? true : Base::handle(ea, aa);
            if (displayTrackballHelper)
                emit rotateView();
            if (Vantor::ISelectionManager* manager = selectionManager())
                manager->clearPreSelection();
            updateRotationCenterTip();
        } else if (ea.getButtonMask() == GEA::MIDDLE_MOUSE_BUTTON) {
            if (displayTrackballHelper)
                emit dragView();
            else
                setCursor(PanCursor);
        } else if (ea.getButtonMask() == GEA::RIGHT_MOUSE_BUTTON) {
            if (displayTrackballHelper)
                emit zoomViewIn();
            else
                setCursor(ZoomCursor);
        }
        return Base::handle(ea, aa);

    case GEA::MOVE:
        if (!m_wheelZooming)
            hoverPreSelect(ea);
        return Base::handle(ea, aa);

    case GEA::KEYDOWN:
        if (isCtrlKey(ea.getKey()))
            return true;
        if (ea.getKey() == GEA::KEY_Space) {
            home(ea, aa);
            aa.requestRedraw();
            return true;
        }
        return Base::handle(ea, aa);

    case GEA::KEYUP:
        if (isCtrlKey(ea.getKey())) {
            if (isCtrlHeld() && !m_mouseState->isMouseStill())
                m_framePicker->handle(ea, aa);
            return true;
        }
        return Base::handle(ea, aa);

    case GEA::SCROLL:
        if (ea.getScrollingMotion() == GEA::SCROLL_UP || ea.getScrollingMotion() == GEA::SCROLL_DOWN) {
            m_wheelTimer->start(m_wheelIdleMs);
            setCursor(ZoomCursor);
            if (Vantor::ISelectionManager* manager = selectionManager())
                manager->clearPreSelection();
            m_wheelZooming = true;
            if (displayTrackballHelper) {
                const bool up = ea.getScrollingMotion() == GEA::SCROLL_UP;
                if (up != inverseMouseWheel)
                    emit zoomViewIn();
                else
                    emit zoomViewOut();
            }
            fastInteraction();
        }
        return Base::handle(ea, aa);

    default:
        return Base::handle(ea, aa);
    }
}

void PickingHandler::timeout()
{
    setCursor(ArrowCursor);
    m_wheelZooming = false;
}

void PickingHandler::fastInteraction()
{
    osg::Camera* camera = m_view.valid() ? m_view->getCamera() : nullptr;
    if (!camera)
        return;
    camera->setSmallFeatureCullingPixelSize(3.0f * Vantor::NerioViewerManipulatorState::SmallFeatureCullSize);
    m_culledCamera = camera;
    m_cullRestoreTimer->stop();
    m_cullRestoreTimer->start(m_cullRestoreMs);
}

void PickingHandler::setCursor(int code)
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view))
        return;
    osgViewer::ViewerBase::Windows windows;
    if (osgViewer::ViewerBase* viewer = view->getViewerBase())
        viewer->getWindows(windows, true);
    else if (auto* window = dynamic_cast<osgViewer::GraphicsWindow*>(view->getCamera()->getGraphicsContext()))
        windows.push_back(window);
    for (osgViewer::GraphicsWindow* window : windows)
        window->setCursor(static_cast<osgViewer::GraphicsWindow::MouseCursor>(code));
}

// ---------------------------------------------------------------- window positions and rays

bool PickingHandler::windowPosition(const osgGA::GUIEventAdapter& ea, double& x, double& y) const
{
    const osg::Camera* camera = m_view.valid() ? m_view->getCamera() : nullptr;
    const osg::Viewport* viewport = camera ? camera->getViewport() : nullptr;
    if (!viewport)
        return false;
    // The normalised position does not depend on the event's input range or y orientation.
    x = viewport->x() + (ea.getXnormalized() * 0.5 + 0.5) * viewport->width();
    y = viewport->y() + (ea.getYnormalized() * 0.5 + 0.5) * viewport->height();
    return std::isfinite(x) && std::isfinite(y);
}

osg::Vec3 PickingHandler::mousePosition(const osgGA::GUIEventAdapter& ea) const
{
    double x = 0.0, y = 0.0;
    if (windowPosition(ea, x, y))
        return osg::Vec3(float(x), float(y), 0.0f);
    return osg::Vec3(ea.getX(), ea.getY(), 0.0f);
}

bool PickingHandler::cursorRayMeets(double x, double y, const Vantor::Plane& plane, osg::Vec3d& point) const
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view))
        return false;
    osg::Vec3d nearPoint, farPoint;
    if (!Vantor::OsgHelper::projectWindowXYIntoObject(view.get(), x, y, nearPoint, farPoint))
        return false;
    bool met = false;
    point = plane.GetInsectPointIgnoreDirection(nearPoint, farPoint, &met);
    return met;
}

void PickingHandler::applyToCamera()
{
    osg::Camera* camera = m_view.valid() ? m_view->getCamera() : nullptr;
    if (!camera)
        return;
    camera->setViewMatrix(getInverseMatrix());
    updateProjectionMatrix(*camera);
}

void PickingHandler::moveCamera(const osg::Vec3d& delta)
{
    if (finite(delta))
        setByMatrix(getMatrix() * osg::Matrixd::translate(delta));
}

// ---------------------------------------------------------------- matrices

osg::Matrixd PickingHandler::getMatrix() const
{
    if (getPerpectiveCamera())
        return osgGA::TrackballManipulator::getMatrix();
    return osg::Matrixd::translate(0.0, 0.0, parallelEyeDistance()) * osg::Matrixd::rotate(_rotation) *
           osg::Matrixd::translate(_center);
}

osg::Matrixd PickingHandler::getInverseMatrix() const
{
    if (getPerpectiveCamera())
        return osgGA::TrackballManipulator::getInverseMatrix();
    return osg::Matrixd::translate(-_center) * osg::Matrixd::rotate(_rotation.inverse()) *
           osg::Matrixd::translate(0.0, 0.0, -parallelEyeDistance());
}

void PickingHandler::setByMatrix(const osg::Matrixd& matrix)
{
    if (getPerpectiveCamera()) {
        osgGA::TrackballManipulator::setByMatrix(matrix);
        return;
    }
    // The parallel eye stands further back than the orbit distance: the centre lies that far ahead
    // of it, or every move would slide the centre along the line of sight.
    _center = osg::Vec3d(0.0, 0.0, -parallelEyeDistance()) * matrix;
    _rotation = matrix.getRotate();
}

void PickingHandler::setByInverseMatrix(const osg::Matrixd& matrix) { setByMatrix(osg::Matrixd::inverse(matrix)); }

void PickingHandler::updateCamera(osg::Camera& camera)
{
    updateProjectionMatrix(camera);
    osgGA::TrackballManipulator::updateCamera(camera);
}

void PickingHandler::setNode(osg::Node* node)
{
    osg::ref_ptr<osg::Node> keep = node; // a caller's unreferenced node must outlive the look-up
    m_rotationCenterTip = nullptr;
    osg::ref_ptr<Vantor::Model> top = node ? Vantor::Model::GetTopModel(keep) : nullptr;
    osgGA::TrackballManipulator::setNode(top.get());
}

void PickingHandler::setTransformation(const osg::Vec3d& eye, const osg::Vec3d& center, const osg::Vec3d& up)
{
    osgGA::OrbitManipulator::setTransformation(eye, center, up);
}

void PickingHandler::getTransformation(osg::Vec3d& eye, osg::Vec3d& center, osg::Vec3d& up) const
{
    osgGA::OrbitManipulator::getTransformation(eye, center, up);
}

// ---------------------------------------------------------------- camera info

Vantor::AnimationCameraInfo PickingHandler::getCameraInfo()
{
    Vantor::AnimationCameraInfo info;
    info.perpectiveCamera = getPerpectiveCamera();
    info.center = _center;
    info.distance = _distance;
    info.rotation = _rotation;
    info.fovy = getFovy();
    return info;
}

void PickingHandler::setCameraInfo(const Vantor::AnimationCameraInfo& info, bool rotateAboutScene)
{
    setDistance(info.distance);
    setCenter(info.center);
    setPerpectiveCamera(info.perpectiveCamera);
    if (!rotateAboutScene) {
        setRotation(info.rotation);
        return;
    }
    osg::Vec3d pivot;
    if (m_sceneView) {
        const osg::BoundingBoxd& box = m_sceneView->getSceneBoundingBox();
        if (box.valid())
            pivot = box.center();
    }
    const osg::Quat q = _rotation.inverse() * info.rotation;
    setByMatrix(getMatrix() * osg::Matrixd::translate(-pivot) * osg::Matrixd::rotate(q) *
                osg::Matrixd::translate(pivot));
}

void PickingHandler::fitToNodes(const NodePtrList& nodes)
{
    if (nodes.empty())
        return;
    const osg::BoundingBoxd box = Vantor::OsgHelper::computeNodesMergeWorldBoundBox(nodes);
    if (!box.valid())
        return; // nothing drawable to fit
    const osg::Vec3d c = box.center();
    const float r = float(box.radius());
    osg::Vec3d eye, center, up;
    getTransformation(eye, center, up);
    osg::Vec3d direction = eye - c;
    if (!(direction.normalize() > 1e-9 * std::max(double(r), 1.0))) {
        // The eye sits at the box centre: keep looking the way the camera looks now.
        direction = _rotation * osg::Vec3d(0.0, 0.0, 1.0);
        direction.normalize();
    }
    setTransformation(c + direction * (3.5 * double(r)), c, up);
}

// ---------------------------------------------------------------- movements

bool PickingHandler::performMovementLeftMouseButton(const double eventTimeDelta, const double dx, const double dy)
{
    switch (mouseMode) {
    case Rotate:
        osgGA::TrackballManipulator::performMovementLeftMouseButton(eventTimeDelta, dx, dy);
        break;
    case Zoom:
        performMovementRightMouseButton(eventTimeDelta, dx, dy);
        break;
    case Pan:
        performMovementMiddleMouseButton(eventTimeDelta, dx, dy);
        break;
    default:
        break;
    }
    return true;
}

bool PickingHandler::performMovementMiddleMouseButton(const double, const double, const double)
{
    return dragPan();
}

bool PickingHandler::performMovementRightMouseButton(const double eventTimeDelta, const double dx, const double dy)
{
    return osgGA::TrackballManipulator::performMovementRightMouseButton(eventTimeDelta, dx, dy);
}

void PickingHandler::rotateTrackball(const float px0, const float py0, const float px1, const float py1,
                                     const float scale)
{
    osg::Vec3d axis;
    float angle = 0.0f;
    trackball(axis, angle, 3.0f * scale * (px1 - px0), 3.0f * scale * (py1 - py0), 0.0f, 0.0f);
    if (!finite(axis) || !std::isfinite(angle))
        return;
    osg::Quat q;
    q.makeRotate(angle, axis);
    setByMatrix(getMatrix() * osg::Matrixd::translate(-m_rotationCenter) * osg::Matrixd::rotate(q) *
                osg::Matrixd::translate(m_rotationCenter));
}

bool PickingHandler::dragPan()
{
    if (!_ga_t0.valid() || !_ga_t1.valid() || !m_view.valid())
        return true;
    applyToCamera();
    osg::Vec3d eye, center, up;
    getTransformation(eye, center, up);
    const Vantor::Plane plane = Vantor::Plane::MakeFromNormalAndPoint(center - eye, m_panAnchor);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    osg::Vec3d p0, p1;
    if (windowPosition(*_ga_t0, x0, y0) && windowPosition(*_ga_t1, x1, y1) && cursorRayMeets(x0, y0, plane, p0) &&
        cursorRayMeets(x1, y1, plane, p1)) {
        moveCamera(p1 - p0);
    }
    applyToCamera();
    return true;
}

void PickingHandler::zoomModel(const float dy, bool pushForwardIfNeeded)
{
    const double scale = 1.0 + double(dy);
    const double minimum = getMinimumDistance();
    if (scale * _distance > minimum) {
        double x = 0, y = 0;
        osg::Vec3d a;
        osg::ref_ptr<const osgGA::GUIEventAdapter> event;
        bool aboutCursor = m_currentEvent.lock(event) && windowPosition(*event, x, y);
        Vantor::Plane plane;
        if (aboutCursor) {
            applyToCamera();
            osg::Vec3d eye, center, up;
            getTransformation(eye, center, up);
            plane = Vantor::Plane::MakeFromNormalAndPoint(center - eye, center);
            aboutCursor = cursorRayMeets(x, y, plane, a);
            if (aboutCursor)
                moveCamera(a - center); // the centre moves to the point under the cursor
        }
        _distance *= scale;
        if (aboutCursor) {
            applyToCamera();
            osg::Vec3d b;
            if (cursorRayMeets(x, y, plane, b))
                moveCamera(a - b); // and back under the cursor
            applyToCamera();
        }
        return;
    }
    if (pushForwardIfNeeded && getPerpectiveCamera()) {
        pushCenterForward();
        return;
    }
    _distance = minimum;
}

bool PickingHandler::pushCenterForward()
{
    double step = _modelSize / 100.0;
    osg::ref_ptr<osgViewer::View> view;
    osg::ref_ptr<const osgGA::GUIEventAdapter> event;
    if (m_currentEvent.lock(event) && m_view.lock(view)) {
        bool hit = false;
        osg::NodePath path;
        const osg::Vec3d picked = Vantor::OsgHelper::pickPoint(view.get(), *event, hit, nullptr, path);
        double x = 0, y = 0;
        if (hit && windowPosition(*event, x, y)) {
            applyToCamera();
            osg::Vec3d eye, center, up;
            getTransformation(eye, center, up);
            osg::Vec3d onPlane;
            if (cursorRayMeets(x, y, Vantor::Plane::MakeFromNormalAndPoint(center - eye, picked), onPlane))
                step = (center - onPlane).length();
        }
    }
    if (!(step > 0.0) || !std::isfinite(step))
        return false;
    const osg::Vec3d forward = _rotation * osg::Vec3d(0.0, 0.0, -1.0);
    _center += forward * step;
    _distance += step; // the eye stays where it is
    return true;
}

// ---------------------------------------------------------------- rotation centre and pan anchor

void PickingHandler::pickRotationCenter(const osgGA::GUIEventAdapter& ea)
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view) || !view->getSceneData() || !Vantor::Model::GetTopModel(view->getSceneData()))
        return;
    bool hit = false;
    osg::NodePath path;
    const osg::Vec3d point = Vantor::OsgHelper::pickPoint(view.get(), ea, hit, nullptr, path);
    if (hit) {
        m_rotationCenter = point;
    } else if (m_sceneView) {
        const osg::BoundingBoxd& box = m_sceneView->getSceneBoundingBox();
        m_rotationCenter = (box._min + box._max) * 0.5;
    }
}

osg::Vec3d PickingHandler::pickPanAnchor(const osgGA::GUIEventAdapter& ea)
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view))
        return m_panAnchor;
    osg::Camera* camera = view->getCamera();
    const osg::Viewport* viewport = camera ? camera->getViewport() : nullptr;
    if (!viewport)
        return m_panAnchor;
    const int x = int(viewport->width() * (ea.getXnormalized() * 0.5 + 0.5)) + int(viewport->x());
    const int y = int(viewport->height() * (ea.getYnormalized() * 0.5 + 0.5)) + int(viewport->y());

    osg::ref_ptr<osgUtil::LineSegmentIntersector> picker =
        new osgUtil::LineSegmentIntersector(osgUtil::Intersector::WINDOW, x, y);
    osgUtil::IntersectionVisitor visitor(picker.get());
    camera->accept(visitor);
    if (picker->containsIntersections()) {
        const auto& first = picker->getFirstIntersection();
        const osg::Vec3d anchor = first.getLocalIntersectPoint() * osg::computeLocalToWorld(first.nodePath);
        if (finite(anchor))
            return anchor;
    }
    applyToCamera();
    osg::Vec3d eye, center, up;
    getTransformation(eye, center, up);
    osg::Vec3d anchor;
    if (cursorRayMeets(x, y, Vantor::Plane::MakeFromNormalAndPoint(center - eye, center), anchor))
        return anchor;
    return m_panAnchor;
}

void PickingHandler::updateRotationCenterTip()
{
    if (!m_rotationCenterTip.valid() || m_rotationCenterTip->getNumParents() == 0) {
        osg::ref_ptr<osgViewer::View> view;
        if (!m_view.lock(view) || !view->getSceneData())
            return;
        osg::ref_ptr<Vantor::TempNodeManager> temp = Vantor::TempNodeManager::GetTempNodeManager(view->getSceneData());
        if (!temp)
            return;
        if (!m_rotationCenterTip.valid()) {
            osg::ref_ptr<osg::Geometry> geometry = new osg::Geometry;
            osg::ref_ptr<osg::Vec3Array> vertices = new osg::Vec3Array;
            vertices->push_back(osg::Vec3(0.0f, 0.0f, 0.0f));
            geometry->setVertexArray(vertices.get());
            geometry->addPrimitiveSet(new osg::DrawArrays(osg::PrimitiveSet::POINTS, 0, 1));

            osg::StateSet* state = geometry->getOrCreateStateSet();
            osg::ref_ptr<osg::Material> material = new osg::Material;
            material->setColorMode(osg::Material::AMBIENT_AND_DIFFUSE);
            material->setAlpha(osg::Material::FRONT_AND_BACK, 1.0f);
            material->setAmbient(osg::Material::FRONT_AND_BACK, osg::Vec4(1.0f, 1.0f, 0.0f, 1.0f));
            material->setDiffuse(osg::Material::FRONT_AND_BACK, osg::Vec4(1.0f, 1.0f, 0.0f, 1.0f));
            state->setAttributeAndModes(material.get(), osg::StateAttribute::ON);
            state->setMode(GL_BLEND, osg::StateAttribute::ON);
            state->setMode(GL_DEPTH_TEST, osg::StateAttribute::OFF);
            state->setMode(GL_LIGHTING, osg::StateAttribute::OFF | osg::StateAttribute::PROTECTED);
            state->setRenderBinDetails(19, "RenderBin");
            state->setAttribute(new osg::Point(8.0f));

            m_rotationCenterTip = new osg::MatrixTransform;
            m_rotationCenterTip->setName("ROTATIONCENTERTIP");
            m_rotationCenterTip->addChild(geometry.get());
            m_rotationCenterTip->setCullingActive(false);
        }
        // A cleared temporary-node manager lost the tip: it goes back in.
        temp->addChild(m_rotationCenterTip.get());
    }
    m_rotationCenterTip->setMatrix(osg::Matrixd::translate(m_rotationCenter));
    m_rotationCenterTip->setNodeMask(m_leftButtonDown ? 0xffffffffu : 0u);
}
