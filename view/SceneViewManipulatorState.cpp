#include "view/SceneView.h"

#include "view/UserView.h"
#include "view/PickingHandler.h"
#include "vantor/walker/WalkerManipulator.h"

void SceneView::captureManipulatorState(Vantor::ManipulatorState& state)
{
    state.manipulatorType = m_manipulatorType;
    if (m_manipulatorType == 3) {
        const Vantor::AnimationCameraInfo info = getWalkerManipulator()->getCameraInfo();
        state.useThridpersonView = info.useThridpersonView;
        state.pitch = info.pitch;
        state.thirdPersonOffset = info.thirdPersonOffset;
        state.eye = info.eye;
        state.rotation = info.rotation;
    } else if (m_manipulatorType == 0 && m_pickingHandler) {
        const Vantor::AnimationCameraInfo info = m_pickingHandler->getCameraInfo();
        state.perpectiveCamera = info.perpectiveCamera;
        state.center = info.center;
        state.distance = float(info.distance);
        state.rotation = info.rotation;
    }
}

void SceneView::applyManipulatorState(const Vantor::ManipulatorState& state)
{
    changeManipulator(state.manipulatorType, true);
    if (m_manipulatorType == 3) {
        Vantor::WalkerManipulator* walker = getWalkerManipulator();
        Vantor::AnimationCameraInfo info = walker->getCameraInfo();
        info.useThridpersonView = state.useThridpersonView;
        info.thirdPersonOffset = state.thirdPersonOffset;
        info.pitch = state.pitch;
        info.eye = state.eye;
        info.rotation = state.rotation;
        walker->setCameraInfo(info, false);
    } else if (m_manipulatorType == 0 && m_pickingHandler) {
        Vantor::AnimationCameraInfo info = m_pickingHandler->getCameraInfo();
        info.perpectiveCamera = state.perpectiveCamera;
        info.center = state.center;
        info.distance = state.distance;
        info.rotation = state.rotation;
        m_pickingHandler->setCameraInfo(info, false);
    }
}
