#include "vantor/command/MouseState.h"

namespace Vantor {

void MouseState::onMouseDown(const osg::Vec3& position)
{
    m_downPosition = position;
    m_downTime = osg::Timer::instance()->tick();
    m_down = true;
    m_still = true;
    m_released = false;
}

void MouseState::onMouseMove(const osg::Vec3& position)
{
    if (m_down)
        track(position);
}

void MouseState::onMouseUp(const osg::Vec3& position)
{
    if (m_down)
        track(position);
    m_down = false;
    m_released = true;
    m_upTime = osg::Timer::instance()->tick();
}

bool MouseState::releaseIsClick(const osg::Vec3& position)
{
    const bool pressed = m_down;
    onMouseUp(position);
    return pressed && m_still;
}

bool MouseState::isSingleClick() const
{
    return m_released && m_still && osg::Timer::instance()->delta_s(m_downTime, m_upTime) <= SingleClickTime;
}

void MouseState::track(const osg::Vec3& position)
{
    if ((position - m_downPosition).length() > StillDistance)
        m_still = false;
}

} // namespace Vantor
