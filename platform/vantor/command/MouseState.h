#pragma once

#include <osg/Timer>
#include <osg/Vec3>

namespace Vantor {

// Tells a click from a drag. The mouse counts as still while it stays within StillDistance pixels of
// where it was pressed; a single click is a still press released within SingleClickTime seconds.
class MouseState
{
public:
    static constexpr float StillDistance = 4.0f;
    static constexpr double SingleClickTime = 0.5;

    void onMouseDown(const osg::Vec3& position);
    void onMouseMove(const osg::Vec3& position);
    void onMouseUp(const osg::Vec3& position);
    // Ends a press: true when it was a click, the mouse still from the press to here. A tool that
    // picks on a click leaves drags to the camera this way.
    bool releaseIsClick(const osg::Vec3& position);

    bool isMouseStill() const { return m_still; }
    bool isSingleClick() const;
    bool isMouseDown() const { return m_down; }
    bool getIsTouchDevice() const { return m_touchDevice; }
    void setIsTouchDevice(bool touch) { m_touchDevice = touch; }

private:
    void track(const osg::Vec3& position);

    osg::Vec3 m_downPosition;
    osg::Timer_t m_downTime = 0;
    osg::Timer_t m_upTime = 0;
    bool m_down = false;
    bool m_still = true;
    bool m_released = false;
    bool m_touchDevice = false;
};

} // namespace Vantor
