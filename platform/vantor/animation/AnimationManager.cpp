#include "vantor/animation/AnimationManager.h"

#include "vantor/animation/AnimationStorage.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/util/LogHandler.h"

#include <osg/Timer>
#include <osgGA/GUIEventHandler>

#include <algorithm>
#include <cmath>

namespace Vantor {

namespace {

// Advances playback once per frame of the view it is added to.
class FrameHandler : public osgGA::GUIEventHandler
{
public:
    explicit FrameHandler(AnimationManager* manager) : m_manager(manager) {}

    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa, osg::Object*, osg::NodeVisitor*) override
    {
        if (ea.getEventType() != osgGA::GUIEventAdapter::FRAME)
            return false;
        osg::ref_ptr<AnimationManager> manager;
        if (m_manager.lock(manager)) {
            manager->update();
            // A view that draws on demand runs playback's frames only while they are asked for.
            if (manager->isPlaying())
                aa.requestRedraw();
        }
        return false;
    }

private:
    osg::observer_ptr<AnimationManager> m_manager;
};

} // namespace

AnimationManager::AnimationManager()
    : m_clock([] { return osg::Timer::instance()->time_s(); }), m_default(new AnimationSegment)
{
    m_animations.push_back(m_default);
    m_current = m_default;
}

AnimationManager::~AnimationManager()
{
    osg::ref_ptr<osgViewer::View> view;
    if (m_frameHandler.valid() && m_view.lock(view))
        view->removeEventHandler(m_frameHandler.get());
}

void AnimationManager::init(osgViewer::View* view)
{
    osg::ref_ptr<osgViewer::View> old;
    if (m_frameHandler.valid() && m_view.lock(old))
        old->removeEventHandler(m_frameHandler.get());
    m_view = view;
    if (!view)
        return;
    if (!m_frameHandler.valid())
        m_frameHandler = new FrameHandler(this);
    view->addEventHandler(m_frameHandler.get());
}

void AnimationManager::requestFrame()
{
    osg::ref_ptr<osgViewer::View> view;
    if (m_view.lock(view))
        view->requestRedraw();
}

void AnimationManager::setClock(Clock clock)
{
    if (!clock)
        clock = [] { return osg::Timer::instance()->time_s(); };
    m_clock = std::move(clock);
    m_lastClock = m_clock();
}

template <typename F>
void AnimationManager::notify(F&& f)
{
    const auto listeners = m_listeners; // a listener may unregister itself
    for (const auto& l : listeners)
        f(*l);
}

void AnimationManager::addAnimationManagerListener(osg::ref_ptr<AnimationManagerListener> listener)
{
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void AnimationManager::removeAnimationManagerListener(osg::ref_ptr<AnimationManagerListener> listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

// ---- animations ----

AnimationSegment* AnimationManager::current() const
{
    return m_current.valid() ? m_current.get() : m_default.get();
}

void AnimationManager::setCurrentAnimation(AnimationSegment* animation)
{
    m_current = animation ? animation : m_default.get();
    m_current->resetApplied();
}

void AnimationManager::clearAllAnimation()
{
    if (m_state != Stopped) {
        m_state = Stopped;
        notify([this](AnimationManagerListener& l) { l.onAnimationStopped(this); });
    }
    m_default->clear();
    m_animations.assign(1, m_default);
    m_current = m_default;
    m_time = 0.0;
    notify([this](AnimationManagerListener& l) { l.onAnimationsReplaced(this); });
}

rapidjson::Document AnimationManager::toDocument()
{
    return AnimationStorage::write(m_animations, m_default.get());
}

bool AnimationManager::fromDocument(const std::string& text, std::string* error)
{
    std::vector<osg::ref_ptr<AnimationSegment>> animations;
    osg::ref_ptr<AnimationSegment> def;
    std::string why;
    if (!AnimationStorage::read(text, m_resolver, animations, def, why)) {
        LogHandler::getInstance()->reportError("The animation document was not loaded: " + why);
        if (error)
            *error = why;
        return false;
    }
    if (m_state != Stopped) {
        m_state = Stopped;
        notify([this](AnimationManagerListener& l) { l.onAnimationStopped(this); });
    }
    m_animations = animations;
    m_default = def;
    m_current = def;
    m_time = 0.0;
    notify([this](AnimationManagerListener& l) { l.onAnimationsReplaced(this); });
    return true;
}

// ---- playback ----

bool AnimationManager::getPlayRange(double& first, double& last) const
{
    return current()->bounds(first, last);
}

void AnimationManager::applyAt(double time, bool full)
{
    AnimationSegment* segment = current();
    if (full)
        segment->resetApplied();
    segment->apply(time);
    if (m_cameraPlay) {
        AnimationCameraInfo info;
        if (segment->getCameraTrack()->cameraAt(time, info))
            setCameraInfo(info);
    }
}

void AnimationManager::startPlaying()
{
    double first = 0.0, last = 0.0;
    getPlayRange(first, last);
    if (!m_reverse && m_time >= last)
        m_time = first;
    else if (m_reverse && m_time <= first)
        m_time = last;
    m_state = Playing;
    m_lastClock = m_clock();
    applyAt(m_time, true);
    requestFrame();
}

bool AnimationManager::playAnimation()
{
    double first = 0.0, last = 0.0;
    if (!getPlayRange(first, last))
        return false;
    startPlaying();
    notify([this](AnimationManagerListener& l) { l.onAnimationStarted(this); });
    notify([this](AnimationManagerListener& l) { l.onPlayTimeChanged(float(m_time)); });
    return true;
}

bool AnimationManager::resumeAnimation()
{
    if (m_state == Playing)
        return true;
    double first = 0.0, last = 0.0;
    if (!getPlayRange(first, last))
        return false;
    startPlaying();
    notify([this](AnimationManagerListener& l) { l.onAnimationResumed(this); });
    notify([this](AnimationManagerListener& l) { l.onPlayTimeChanged(float(m_time)); });
    return true;
}

void AnimationManager::pauseAnimation()
{
    if (m_state != Playing)
        return;
    m_state = Paused;
    notify([this](AnimationManagerListener& l) { l.onAnimationPaused(this); });
}

void AnimationManager::stopAnimation()
{
    m_state = Stopped;
    notify([this](AnimationManagerListener& l) { l.onAnimationStopped(this); });
}

bool AnimationManager::restartAnimation()
{
    double first = 0.0, last = 0.0;
    if (!getPlayRange(first, last))
        return false;
    m_time = m_reverse ? last : first;
    startPlaying();
    notify([this](AnimationManagerListener& l) { l.onAnimationStarted(this); });
    notify([this](AnimationManagerListener& l) { l.onPlayTimeChanged(float(m_time)); });
    return true;
}

void AnimationManager::playToTime(double time)
{
    if (!std::isfinite(time))
        return;
    m_time = std::max(0.0, time);
    m_lastClock = m_clock();
    applyAt(m_time, true);
    requestFrame();
    notify([this](AnimationManagerListener& l) { l.onPlayTimeChanged(float(m_time)); });
}

void AnimationManager::update()
{
    if (m_state != Playing)
        return;
    const double now = m_clock();
    const double dt = std::max(0.0, now - m_lastClock);
    m_lastClock = now;
    double first = 0.0, last = 0.0;
    if (!getPlayRange(first, last)) {
        stopAnimation();
        return;
    }
    const double span = last - first;
    double t = m_time + (m_reverse ? -dt : dt) * m_speed;
    bool finished = false;
    if (!m_reverse && t >= last) {
        if (m_loop && span > 0.0)
            t = first + std::fmod(t - last, span);
        else {
            t = last;
            finished = !m_loop;
        }
    } else if (m_reverse && t <= first) {
        if (m_loop && span > 0.0)
            t = last - std::fmod(first - t, span);
        else {
            t = first;
            finished = !m_loop;
        }
    }
    m_time = t;
    applyAt(t, false);
    notify([this](AnimationManagerListener& l) { l.onPlayTimeChanged(float(m_time)); });
    if (finished) {
        m_state = Stopped;
        notify([this](AnimationManagerListener& l) { l.onAnimationFinished(this); });
    }
}

void AnimationManager::setPlaySpeed(double speed)
{
    if (!std::isfinite(speed) || speed <= 0.0 || speed == m_speed)
        return;
    m_speed = speed;
    notify([speed](AnimationManagerListener& l) { l.onPlaySpeedChanged(speed); });
}

void AnimationManager::setReversePlay(bool reverse)
{
    if (reverse == m_reverse)
        return;
    m_reverse = reverse;
    notify([reverse](AnimationManagerListener& l) { l.onReversePlayChanged(reverse); });
}

void AnimationManager::setLoopPlay(bool loop)
{
    m_loop = loop;
    notify([loop](AnimationManagerListener& l) { l.onLoopPlayChanged(loop); });
}

void AnimationManager::setCameraPlay(bool on)
{
    m_cameraPlay = on;
    notify([on](AnimationManagerListener& l) { l.onCameraPlayChanged(on); });
}

bool AnimationManager::getCameraInfo(AnimationCameraInfo& out) const
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view))
        return false;
    auto* state = dynamic_cast<NerioViewerManipulatorState*>(view->getCameraManipulator());
    if (!state)
        return false;
    out = state->getCameraInfo();
    return true;
}

bool AnimationManager::setCameraInfo(const AnimationCameraInfo& info)
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view))
        return false;
    auto* state = dynamic_cast<NerioViewerManipulatorState*>(view->getCameraManipulator());
    if (!state)
        return false;
    state->setCameraInfo(info, false);
    return true;
}

} // namespace Vantor
