#pragma once

#include "vantor/command/ISceneView.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/walker/WalkerManipulatorListener.h"

#include <osg/MatrixTransform>
#include <osgGA/StandardManipulator>

#include <vector>

namespace Vantor {

// First-person walking through the model, world +Z up. W/A/S/D or the arrow keys move, Q and E turn
// at the angular velocity, a left drag looks around, the wheel makes the walk faster or slower.
// With gravity the eye stays at the eye height above the floor below it (stepping down at once, up
// only by a step); with obstacles it stops short of geometry in front; the third-person view shows a
// small avatar at the walker's place, seen from behind. Listeners hear of every change.
class WalkerManipulator : public osgGA::StandardManipulator, public NerioViewerManipulatorState
{
public:
    WalkerManipulator();

    void setSceneView(ISceneView* view) { m_sceneView = view; }
    ISceneView* getSceneView() const { return m_sceneView; }

    // Model units (1/1000 m) per second; values below 1 are refused.
    void setVelocity(double velocity);
    double getVelocity() const { return m_velocity; }
    // Degrees per second for turning with the keys.
    void setAngleVelocity(double degreesPerSecond);
    double getAngleVelocity() const { return m_angleVelocity; }
    void setFovy(double fovy) override;
    // Height of the eye above the floor; 0 (the default) takes it from WalkerHuman and the scene size.
    void setEyeHeight(double height) { m_eyeHeight = height; }
    double getEyeHeight() const;
    // Highest step walked up, and the distance kept from obstacles: both follow the eye height.
    double getStepHeight() const { return getEyeHeight() / 8.0; }
    double getObstacleMargin() const { return getEyeHeight() / 6.0; }

    void setUseThridpersonView(bool on);
    bool getUseThridpersonView() const { return m_thirdPerson; }
    void setUseObstacles(bool on);
    bool getUseObstacles() const { return m_obstacles; }
    void setUseGravity(bool on);
    bool getUseGravity() const { return m_gravity; }
    float getThirdPersonOffset() const { return m_thirdPersonOffset; }
    float getPitch() const;
    // The avatar drawn in the third-person view (a child of the view's camera while shown).
    osg::MatrixTransform* getAvatar() const { return m_avatar.get(); }

    void addListener(osg::ref_ptr<WalkerManipulatorListener> listener);
    void removeListener(WalkerManipulatorListener* listener);
    // Tells every listener every value (a new listener, or boxes to fill).
    void notifyAll();

    // The present place as the home the walker returns to.
    void SetCurrentStateAsHomePosition();
    void home(double currentTime) override;
    void home(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;

    // Moves for dt seconds with the keys held now (what each frame does).
    void advance(double dt);
    bool isMoving() const;
    // The forward and right directions a step takes (horizontal with gravity).
    osg::Vec3d walkForward() const;
    osg::Vec3d viewDirection() const;

    // The geometry walked on: the top model below the node when there is one.
    void setNode(osg::Node* node) override;

    // osgGA::StandardManipulator
    void setTransformation(const osg::Vec3d& eye, const osg::Quat& rotation) override;
    void setTransformation(const osg::Vec3d& eye, const osg::Vec3d& center, const osg::Vec3d& up) override;
    void getTransformation(osg::Vec3d& eye, osg::Quat& rotation) const override;
    void getTransformation(osg::Vec3d& eye, osg::Vec3d& center, osg::Vec3d& up) const override;
    void setByMatrix(const osg::Matrixd& matrix) override;
    void setByInverseMatrix(const osg::Matrixd& matrix) override;
    osg::Matrixd getMatrix() const override;
    osg::Matrixd getInverseMatrix() const override;
    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;
    using osgGA::StandardManipulator::handle;
    void updateCamera(osg::Camera& camera) override;

    // Vantor::NerioViewerManipulatorState
    AnimationCameraInfo getCameraInfo() override;
    void setCameraInfo(const AnimationCameraInfo& info, bool rotateAboutScene) override;
    double getViewDistance() const override;
    // Perspective only; the near plane stays close, for walls and the avatar right before the eye.
    void updateProjectionMatrix(osg::Camera& camera) override;
    // Keys released while the view had no focus never arrive: the walk stops.
    void onFocusOut() override;
    double getSceneRadius() const override;

    // The first surface the segment meets, in world coordinates; false when it meets none.
    bool hitScene(const osg::Vec3d& from, const osg::Vec3d& to, osg::Vec3d& hit) const;

protected:
    ~WalkerManipulator() override;

private:
    enum Motion { Forward, Back, StrafeLeft, StrafeRight, TurnLeft, TurnRight, MotionCount };
    static int motionOf(int key);
    void turn(double yawRadians, double pitchRadians);
    osg::Vec3d stopBeforeObstacle(const osg::Vec3d& step) const;
    void keepOnFloor();
    void placeAvatar();
    void showAvatar(osg::Camera* camera);
    osg::Vec3d thirdPersonEye() const;
    void eyeChanged();
    template <typename F> void tell(F f);

    ISceneView* m_sceneView = nullptr;
    osg::Vec3d m_eye;
    osg::Quat m_rotation;
    double m_velocity = 1500.0;
    double m_angleVelocity = 15.0;
    double m_eyeHeight = 0.0;
    bool m_thirdPerson = false;
    bool m_obstacles = false;
    bool m_gravity = false;
    float m_thirdPersonOffset = 100.0f;
    bool m_held[MotionCount] = {};
    double m_lastFrameTime = -1.0;
    float m_lastX = 0.0f;
    float m_lastY = 0.0f;
    bool m_dragging = false;
    osg::ref_ptr<osg::MatrixTransform> m_avatar;
    osg::observer_ptr<osg::Camera> m_avatarCamera;
    std::vector<osg::ref_ptr<WalkerManipulatorListener>> m_listeners;
};

} // namespace Vantor
