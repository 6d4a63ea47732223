#pragma once

#include "vantor/command/ISceneView.h"
#include "vantor/command/NerioViewerManipulatorState.h"

#include <osgGA/FirstPersonManipulator>

namespace Vantor {

// Roaming manipulator: a first-person manipulator that keeps the switches it is given.
class WalkerManipulator : public osgGA::FirstPersonManipulator, public NerioViewerManipulatorState
{
public:
    WalkerManipulator() = default;

    void setSceneView(ISceneView* view) { m_sceneView = view; }
    ISceneView* getSceneView() const { return m_sceneView; }

    void setUseThridpersonView(bool on) { m_thirdPerson = on; }
    bool getUseThridpersonView() const { return m_thirdPerson; }
    void setUseObstacles(bool on) { m_obstacles = on; }
    bool getUseObstacles() const { return m_obstacles; }
    void setUseGravity(bool on) { m_gravity = on; }
    bool getUseGravity() const { return m_gravity; }
    float getThirdPersonOffset() const { return m_thirdPersonOffset; }
    float getPitch() const { return m_pitch; }

    // Eye and rotation of the first-person camera, with the third-person switch, offset and pitch.
    AnimationCameraInfo getCameraInfo() override
    {
        AnimationCameraInfo info = NerioViewerManipulatorState::getCameraInfo();
        getTransformation(info.eye, info.rotation);
        info.useThridpersonView = m_thirdPerson;
        info.thirdPersonOffset = m_thirdPersonOffset;
        info.pitch = m_pitch;
        return info;
    }
    void setCameraInfo(const AnimationCameraInfo& info, bool rotateAboutScene) override
    {
        NerioViewerManipulatorState::setCameraInfo(info, rotateAboutScene);
        m_thirdPerson = info.useThridpersonView;
        m_thirdPersonOffset = info.thirdPersonOffset;
        m_pitch = info.pitch;
        setTransformation(info.eye, info.rotation);
    }

protected:
    ~WalkerManipulator() override = default;

private:
    ISceneView* m_sceneView = nullptr;
    bool m_thirdPerson = false;
    bool m_obstacles = false;
    bool m_gravity = false;
    float m_thirdPersonOffset = 100.0f;
    float m_pitch = 0.0f;
};

} // namespace Vantor
