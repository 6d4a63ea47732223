#pragma once

#include "vantor/command/ISceneView.h"
#include "vantor/command/NerioViewerManipulatorState.h"

#include <osgGA/FirstPersonManipulator>

namespace Vantor {

// First- and third-person roaming manipulator. Pending: walking, obstacles, gravity and the third
// person; for now a first-person manipulator that keeps the switches it is given.
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

protected:
    ~WalkerManipulator() override = default;

private:
    ISceneView* m_sceneView = nullptr;
    bool m_thirdPerson = false;
    bool m_obstacles = false;
    bool m_gravity = false;
};

} // namespace Vantor
