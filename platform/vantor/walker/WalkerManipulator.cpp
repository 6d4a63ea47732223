#include "vantor/walker/WalkerManipulator.h"

#include "vantor/model/Model.h"
#include "vantor/walker/WalkerHuman.h"

#include <osg/Geode>
#include <osg/Material>
#include <osg/ShapeDrawable>
#include <osg/Viewport>
#include <osgUtil/IntersectionVisitor>
#include <osgUtil/LineSegmentIntersector>

#include <algorithm>
#include <cmath>

namespace Vantor {

namespace {

const osg::Vec3d kUp(0.0, 0.0, 1.0);
const double kMaxPitch = osg::DegreesToRadians(89.0);
const double kMinVelocity = 1.0;
const double kMaxVelocity = 60000.0;
const double kWheelFactor = 1.25;
const double kLongestFrame = 0.1; // a stalled frame must not throw the walker through a wall

// A figure one unit tall standing on the origin, facing +Y.
osg::MatrixTransform* makeAvatar()
{
    auto* geode = new osg::Geode;
    geode->addDrawable(new osg::ShapeDrawable(new osg::Capsule(osg::Vec3(0.0f, 0.0f, 0.42f), 0.13f, 0.58f)));
    geode->addDrawable(new osg::ShapeDrawable(new osg::Sphere(osg::Vec3(0.0f, 0.0f, 0.91f), 0.09f)));
    // A nose, so the way it faces shows.
    geode->addDrawable(new osg::ShapeDrawable(new osg::Sphere(osg::Vec3(0.0f, 0.09f, 0.91f), 0.025f)));
    osg::ref_ptr<osg::Material> material = new osg::Material;
    material->setDiffuse(osg::Material::FRONT_AND_BACK, osg::Vec4(0.2f, 0.45f, 0.85f, 1.0f));
    material->setAmbient(osg::Material::FRONT_AND_BACK, osg::Vec4(0.1f, 0.2f, 0.4f, 1.0f));
    geode->getOrCreateStateSet()->setAttributeAndModes(material.get(), osg::StateAttribute::ON);
    geode->getOrCreateStateSet()->setMode(GL_NORMALIZE, osg::StateAttribute::ON);
    // It hangs beside the scene, not in it: it brings its own depth test.
    geode->getOrCreateStateSet()->setMode(GL_DEPTH_TEST, osg::StateAttribute::ON);
    auto* avatar = new osg::MatrixTransform;
    avatar->setName("WalkerAvatar");
    avatar->addChild(geode);
    return avatar;
}

} // namespace

WalkerManipulator::WalkerManipulator() : m_avatar(makeAvatar())
{
    setAllowThrow(false);
    // Level, looking along +Y.
    m_rotation = osg::Quat(osg::PI_2, osg::X_AXIS);
}

WalkerManipulator::~WalkerManipulator()
{
    if (m_avatar.valid())
        for (osg::Group* parent : m_avatar->getParents())
            parent->removeChild(m_avatar.get());
}

template <typename F> void WalkerManipulator::tell(F f)
{
    const auto listeners = m_listeners; // a listener may remove itself
    for (const osg::ref_ptr<WalkerManipulatorListener>& listener : listeners)
        f(listener.get());
}

// ---- settings ----

void WalkerManipulator::setVelocity(double velocity)
{
    if (!(velocity >= kMinVelocity) || !std::isfinite(velocity))
        return;
    if (velocity == m_velocity)
        return;
    m_velocity = velocity;
    tell([velocity](WalkerManipulatorListener* l) { l->onVelocityChanged(velocity); });
}

void WalkerManipulator::setAngleVelocity(double degreesPerSecond)
{
    if (!(degreesPerSecond > 0.0) || !std::isfinite(degreesPerSecond) || degreesPerSecond == m_angleVelocity)
        return;
    m_angleVelocity = degreesPerSecond;
    tell([degreesPerSecond](WalkerManipulatorListener* l) { l->onAngularVelocityChanged(degreesPerSecond); });
}

void WalkerManipulator::setFovy(double fovy)
{
    const double before = getFovy();
    NerioViewerManipulatorState::setFovy(fovy);
    const double now = getFovy();
    if (now != before)
        tell([now](WalkerManipulatorListener* l) { l->onFovyChanged(now); });
}

double WalkerManipulator::getEyeHeight() const
{
    if (m_eyeHeight > 0.0)
        return m_eyeHeight;
    return WalkerHuman::eyeHeightFor(getSceneRadius());
}

void WalkerManipulator::setUseThridpersonView(bool on)
{
    if (on == m_thirdPerson)
        return;
    m_thirdPerson = on;
    if (!on)
        showAvatar(nullptr);
    tell([on](WalkerManipulatorListener* l) { l->onThirdPersonChanged(on); });
}

void WalkerManipulator::setUseObstacles(bool on)
{
    if (on == m_obstacles)
        return;
    m_obstacles = on;
    tell([on](WalkerManipulatorListener* l) { l->onObstaclesChanged(on); });
}

void WalkerManipulator::setUseGravity(bool on)
{
    if (on == m_gravity)
        return;
    m_gravity = on;
    tell([on](WalkerManipulatorListener* l) { l->onGravityChanged(on); });
}

float WalkerManipulator::getPitch() const
{
    const osg::Vec3d d = viewDirection();
    return float(osg::RadiansToDegrees(std::asin(std::max(-1.0, std::min(1.0, d.z())))));
}

void WalkerManipulator::addListener(osg::ref_ptr<WalkerManipulatorListener> listener)
{
    if (listener.valid() && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void WalkerManipulator::removeListener(WalkerManipulatorListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void WalkerManipulator::notifyAll()
{
    const double velocity = m_velocity, fovy = getFovy(), angular = m_angleVelocity;
    const bool third = m_thirdPerson, obstacles = m_obstacles, gravity = m_gravity;
    const osg::Vec3d eye = m_eye;
    tell([&](WalkerManipulatorListener* l) {
        l->onVelocityChanged(velocity);
        l->onFovyChanged(fovy);
        l->onAngularVelocityChanged(angular);
        l->onThirdPersonChanged(third);
        l->onObstaclesChanged(obstacles);
        l->onGravityChanged(gravity);
        l->onEyeChanged(eye);
    });
}

// ---- home ----

void WalkerManipulator::SetCurrentStateAsHomePosition()
{
    osg::Vec3d eye, center, up;
    getTransformation(eye, center, up);
    setHomePosition(eye, center, up, false);
    setAutoComputeHomePosition(false);
}

void WalkerManipulator::home(double)
{
    if (getAutoComputeHomePosition())
        computeHomePosition(nullptr, false);
    setTransformation(_homeEye, _homeCenter, _homeUp);
}

void WalkerManipulator::home(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    home(ea.getTime());
    aa.requestRedraw();
}

// ---- pose ----

osg::Vec3d WalkerManipulator::viewDirection() const
{
    return m_rotation * osg::Vec3d(0.0, 0.0, -1.0);
}

osg::Vec3d WalkerManipulator::walkForward() const
{
    osg::Vec3d d = viewDirection();
    if (!m_gravity)
        return d;
    d.z() = 0.0;
    if (d.length2() < 1e-12) {
        // Looking straight down or up: the top of the picture is ahead.
        d = m_rotation * osg::Vec3d(0.0, 1.0, 0.0);
        d.z() = 0.0;
    }
    d.normalize();
    return d;
}

void WalkerManipulator::setTransformation(const osg::Vec3d& eye, const osg::Quat& rotation)
{
    m_eye = eye;
    m_rotation = rotation;
    eyeChanged();
}

void WalkerManipulator::setTransformation(const osg::Vec3d& eye, const osg::Vec3d& center, const osg::Vec3d& up)
{
    const osg::Matrixd look = osg::Matrixd::lookAt(eye, center, up);
    setTransformation(eye, look.getRotate().inverse());
}

void WalkerManipulator::getTransformation(osg::Vec3d& eye, osg::Quat& rotation) const
{
    eye = m_eye;
    rotation = m_rotation;
}

void WalkerManipulator::getTransformation(osg::Vec3d& eye, osg::Vec3d& center, osg::Vec3d& up) const
{
    eye = m_eye;
    center = m_eye + viewDirection();
    up = m_rotation * osg::Vec3d(0.0, 1.0, 0.0);
}

void WalkerManipulator::setByMatrix(const osg::Matrixd& matrix)
{
    setTransformation(matrix.getTrans(), matrix.getRotate());
}

void WalkerManipulator::setByInverseMatrix(const osg::Matrixd& matrix)
{
    setByMatrix(osg::Matrixd::inverse(matrix));
}

osg::Vec3d WalkerManipulator::thirdPersonEye() const
{
    const double offset = std::max(double(m_thirdPersonOffset), 1.5 * getEyeHeight());
    return m_eye - viewDirection() * offset + kUp * (0.25 * offset);
}

osg::Matrixd WalkerManipulator::getMatrix() const
{
    if (m_thirdPerson) {
        // From behind and above, looking at the walker's head: the avatar stands in the picture.
        const osg::Vec3d up = m_rotation * osg::Vec3d(0.0, 1.0, 0.0);
        return osg::Matrixd::inverse(osg::Matrixd::lookAt(thirdPersonEye(), m_eye, up));
    }
    return osg::Matrixd::rotate(m_rotation) * osg::Matrixd::translate(m_eye);
}

osg::Matrixd WalkerManipulator::getInverseMatrix() const
{
    return osg::Matrixd::inverse(getMatrix());
}

void WalkerManipulator::turn(double yaw, double pitch)
{
    if (pitch != 0.0) {
        const double now = std::asin(std::max(-1.0, std::min(1.0, viewDirection().z())));
        const double wanted = std::max(-kMaxPitch, std::min(kMaxPitch, now + pitch));
        if (wanted != now)
            m_rotation = osg::Quat(wanted - now, osg::X_AXIS) * m_rotation; // about the camera's own X
    }
    if (yaw != 0.0)
        m_rotation = m_rotation * osg::Quat(yaw, kUp); // about the world's up
}

// ---- the scene ----

void WalkerManipulator::setNode(osg::Node* node)
{
    osg::ref_ptr<osg::Node> keep = node;
    osg::ref_ptr<Model> top = node ? Model::GetTopModel(keep) : nullptr;
    osgGA::StandardManipulator::setNode(top.valid() ? top.get() : node);
}

double WalkerManipulator::getSceneRadius() const
{
    if (m_sceneView) {
        const osg::BoundingBoxd& box = m_sceneView->getSceneBoundingBox();
        if (box.valid() && box.radius() > 0.0)
            return box.radius();
    }
    if (_node.valid() && _node->getBound().valid() && _node->getBound().radius() > 0.0f)
        return _node->getBound().radius();
    return 1000.0;
}

double WalkerManipulator::getViewDistance() const
{
    osg::Vec3d center;
    if (m_sceneView && m_sceneView->getSceneBoundingBox().valid())
        center = m_sceneView->getSceneBoundingBox().center();
    else if (_node.valid() && _node->getBound().valid())
        center = osg::Vec3d(_node->getBound().center());
    const osg::Vec3d eye = m_thirdPerson ? thirdPersonEye() : m_eye;
    return std::max((eye - center).length(), 1e-3 * getSceneRadius());
}

bool WalkerManipulator::hitScene(const osg::Vec3d& from, const osg::Vec3d& to, osg::Vec3d& hit) const
{
    osg::ref_ptr<osg::Node> node = _node;
    if (!node.valid())
        return false;
    // The node may sit below transforms of the view's own graph.
    osg::Matrixd toWorld;
    const osg::NodePathList paths = node->getParentalNodePaths();
    if (!paths.empty()) {
        osg::NodePath path = paths.front();
        path.pop_back(); // the visitor applies the node's own transform
        toWorld = osg::computeLocalToWorld(path);
    }
    const osg::Matrixd toLocal = osg::Matrixd::inverse(toWorld);
    osg::ref_ptr<osgUtil::LineSegmentIntersector> intersector =
        new osgUtil::LineSegmentIntersector(from * toLocal, to * toLocal);
    intersector->setIntersectionLimit(osgUtil::Intersector::LIMIT_NEAREST);
    osgUtil::IntersectionVisitor visitor(intersector.get());
    node->accept(visitor);
    if (!intersector->containsIntersections())
        return false;
    hit = intersector->getFirstIntersection().getWorldIntersectPoint() * toWorld;
    return true;
}

osg::Vec3d WalkerManipulator::stopBeforeObstacle(const osg::Vec3d& step) const
{
    const double length = step.length();
    if (!(length > 0.0))
        return step;
    const osg::Vec3d direction = step / length;
    const double margin = getObstacleMargin();
    // At the eye, and with gravity also just above a step, so a low block stops the feet.
    std::vector<osg::Vec3d> origins{m_eye};
    if (m_gravity)
        origins.push_back(m_eye - kUp * (getEyeHeight() - getStepHeight()));
    double allowed = length;
    for (const osg::Vec3d& origin : origins) {
        osg::Vec3d hit;
        if (hitScene(origin, origin + direction * (length + margin), hit))
            allowed = std::min(allowed, std::max(0.0, (hit - origin).length() - margin));
    }
    return direction * allowed;
}

void WalkerManipulator::keepOnFloor()
{
    const double eyeHeight = getEyeHeight();
    const double reach = std::max(4.0 * getSceneRadius(), 100.0 * eyeHeight);
    osg::Vec3d floor;
    if (!hitScene(m_eye, m_eye - kUp * reach, floor))
        return; // nothing below: stay at this height
    const double target = floor.z() + eyeHeight;
    if (target < m_eye.z())
        m_eye.z() = target; // step down
    else if (target - m_eye.z() <= getStepHeight())
        m_eye.z() = target; // up a step; anything higher is an obstacle, not a floor
}

// ---- motion ----

int WalkerManipulator::motionOf(int key)
{
    switch (key) {
    case 'w': case 'W': case osgGA::GUIEventAdapter::KEY_Up: return Forward;
    case 's': case 'S': case osgGA::GUIEventAdapter::KEY_Down: return Back;
    case 'a': case 'A': case osgGA::GUIEventAdapter::KEY_Left: return StrafeLeft;
    case 'd': case 'D': case osgGA::GUIEventAdapter::KEY_Right: return StrafeRight;
    case 'q': case 'Q': return TurnLeft;
    case 'e': case 'E': return TurnRight;
    default: return -1;
    }
}

bool WalkerManipulator::isMoving() const
{
    return std::any_of(std::begin(m_held), std::end(m_held), [](bool b) { return b; });
}

void WalkerManipulator::advance(double dt)
{
    if (!(dt > 0.0))
        return;
    const osg::Vec3d before = m_eye;
    const osg::Quat rotationBefore = m_rotation;
    const int turning = int(m_held[TurnLeft]) - int(m_held[TurnRight]);
    if (turning != 0)
        turn(turning * osg::DegreesToRadians(m_angleVelocity) * dt, 0.0);

    const int ahead = int(m_held[Forward]) - int(m_held[Back]);
    const int aside = int(m_held[StrafeRight]) - int(m_held[StrafeLeft]);
    if (ahead != 0 || aside != 0) {
        const osg::Vec3d forward = walkForward();
        osg::Vec3d right = m_gravity ? forward ^ kUp : m_rotation * osg::Vec3d(1.0, 0.0, 0.0);
        right.normalize();
        osg::Vec3d step = forward * double(ahead) + right * double(aside);
        step.normalize();
        step *= m_velocity * dt;
        if (m_obstacles)
            step = stopBeforeObstacle(step);
        m_eye += step;
    }
    if (m_gravity)
        keepOnFloor();
    if (m_eye != before || !(m_rotation == rotationBefore))
        eyeChanged();
}

void WalkerManipulator::eyeChanged()
{
    placeAvatar();
    const osg::Vec3d eye = m_eye;
    tell([eye](WalkerManipulatorListener* l) { l->onEyeChanged(eye); });
}

bool WalkerManipulator::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    using E = osgGA::GUIEventAdapter;
    switch (ea.getEventType()) {
    case E::FRAME: {
        const double now = ea.getTime();
        const double dt = m_lastFrameTime < 0.0 ? 0.0 : std::min(kLongestFrame, std::max(0.0, now - m_lastFrameTime));
        m_lastFrameTime = now;
        advance(dt);
        if (isMoving())
            aa.requestRedraw();
        return false;
    }
    case E::KEYDOWN:
    case E::KEYUP: {
        const int motion = motionOf(ea.getKey());
        if (motion < 0)
            return false;
        // A walk that starts after idle frames starts its clock at the next frame, not at the last one.
        if (ea.getEventType() == E::KEYDOWN && !isMoving())
            m_lastFrameTime = -1.0;
        m_held[motion] = ea.getEventType() == E::KEYDOWN;
        return true;
    }
    case E::PUSH:
        if (ea.getButtonMask() & E::LEFT_MOUSE_BUTTON) {
            m_dragging = true;
            m_lastX = ea.getXnormalized();
            m_lastY = ea.getYnormalized();
        }
        return false;
    case E::RELEASE:
        m_dragging = false;
        return false;
    case E::DRAG: {
        if (!m_dragging)
            return false;
        const double dx = ea.getXnormalized() - m_lastX;
        const double dy = ea.getYnormalized() - m_lastY;
        m_lastX = ea.getXnormalized();
        m_lastY = ea.getYnormalized();
        // Half the field of view per half view: the scene follows the pointer's way.
        const double half = osg::DegreesToRadians(getFovy()) * 0.5;
        const osg::Quat before = m_rotation;
        turn(-dx * half, dy * half);
        if (!(m_rotation == before))
            eyeChanged();
        aa.requestRedraw();
        return true;
    }
    case E::SCROLL: {
        const auto motion = ea.getScrollingMotion();
        if (motion == E::SCROLL_UP)
            setVelocity(std::min(kMaxVelocity, m_velocity * kWheelFactor));
        else if (motion == E::SCROLL_DOWN)
            setVelocity(std::max(kMinVelocity, m_velocity / kWheelFactor));
        else
            return false;
        return true;
    }
    default:
        return false;
    }
}

// ---- camera and avatar ----

void WalkerManipulator::placeAvatar()
{
    if (!m_avatar.valid())
        return;
    const double body = getEyeHeight() / WalkerHuman::EyeRatio;
    const osg::Vec3d forward = [this] {
        osg::Vec3d d = viewDirection();
        d.z() = 0.0;
        if (d.length2() < 1e-12)
            d = m_rotation * osg::Vec3d(0.0, 1.0, 0.0);
        d.z() = 0.0;
        d.normalize();
        return d;
    }();
    const double yaw = std::atan2(-forward.x(), forward.y());
    m_avatar->setMatrix(osg::Matrixd::scale(body, body, body) * osg::Matrixd::rotate(yaw, kUp) *
                        osg::Matrixd::translate(m_eye - kUp * getEyeHeight()));
}

void WalkerManipulator::showAvatar(osg::Camera* camera)
{
    osg::ref_ptr<osg::Camera> shown;
    m_avatarCamera.lock(shown);
    if (shown.get() == camera)
        return;
    if (shown.valid())
        shown->removeChild(m_avatar.get());
    m_avatarCamera = camera;
    if (camera) {
        placeAvatar();
        camera->addChild(m_avatar.get());
    }
}

void WalkerManipulator::updateProjectionMatrix(osg::Camera& camera)
{
    double aspect = 1.0;
    if (const osg::Viewport* viewport = camera.getViewport())
        if (viewport->width() > 0 && viewport->height() > 0)
            aspect = viewport->width() / viewport->height();
    const double zFar = getViewDistance() + 2.0 * getSceneRadius();
    camera.setProjectionMatrixAsPerspective(getFovy(), aspect, zFar * 1e-4, zFar);
}

void WalkerManipulator::updateCamera(osg::Camera& camera)
{
    updateProjectionMatrix(camera);
    camera.setViewMatrix(getInverseMatrix());
    showAvatar(m_thirdPerson ? &camera : nullptr);
}

void WalkerManipulator::onFocusOut()
{
    std::fill(std::begin(m_held), std::end(m_held), false);
    m_dragging = false;
}

// ---- saved views ----

AnimationCameraInfo WalkerManipulator::getCameraInfo()
{
    AnimationCameraInfo info = NerioViewerManipulatorState::getCameraInfo();
    getTransformation(info.eye, info.rotation);
    info.useThridpersonView = m_thirdPerson;
    info.thirdPersonOffset = m_thirdPersonOffset;
    info.pitch = getPitch();
    return info;
}

void WalkerManipulator::setCameraInfo(const AnimationCameraInfo& info, bool rotateAboutScene)
{
    NerioViewerManipulatorState::setCameraInfo(info, rotateAboutScene);
    setUseThridpersonView(info.useThridpersonView);
    m_thirdPersonOffset = info.thirdPersonOffset;
    setTransformation(info.eye, info.rotation);
}

} // namespace Vantor
