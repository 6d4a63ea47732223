#pragma once

#include "vantor/animation/AnimationTrack.h"

#include <osg/Referenced>
#include <osg/observer_ptr>
#include <osg/ref_ptr>
#include <osgViewer/View>
#include <rapidjson/document.h>

#include <functional>
#include <string>
#include <vector>

namespace osgGA {
class GUIEventHandler;
}

namespace Vantor {

class AnimationManager;

// Hears the animation manager's playback. Called on the GUI thread, synchronously.
class AnimationManagerListener : public osg::Referenced
{
public:
    virtual void onAnimationStarted(AnimationManager* manager) {}
    virtual void onAnimationStopped(AnimationManager* manager) {}
    virtual void onAnimationPaused(AnimationManager* manager) {}
    virtual void onAnimationResumed(AnimationManager* manager) {}
    virtual void onPlaySpeedChanged(double speed) {}
    // Each frame while playing and after every seek.
    virtual void onPlayTimeChanged(float time) {}
    virtual void onReversePlayChanged(bool reverse) {}
    // A document was loaded or every animation cleared.
    virtual void onAnimationsReplaced(AnimationManager* manager) {}
    // Playback ran to the end of a play that does not loop.
    virtual void onAnimationFinished(AnimationManager* manager) {}
    virtual void onCameraPlayChanged(bool on) {}
    virtual void onLoopPlayChanged(bool on) {}

protected:
    ~AnimationManagerListener() override = default;
};

// Holds the animations of the document and plays the current one, driven by the view's frames.
// Playback moves the current time by the clock's advance times the speed, forwards or backwards,
// between the first and the last keyframe, and writes the animated nodes (and, with camera play, the
// camera) at that time. GUI thread only.
class AnimationManager : public osg::Referenced
{
public:
    enum PlayState { Stopped = 0, Playing = 1, Paused = 2 };
    using Clock = std::function<double()>;
    // Finds the node a stored target names; null when it is not in the scene.
    using Resolver = std::function<osg::Node*(const AnimationTarget&)>;

    AnimationManager();

    // Plays in this view: every frame of it advances playback, and camera keyframes move its
    // camera manipulator. A second call moves playback to the new view.
    void init(osgViewer::View* view);
    osgViewer::View* getView() const { return m_view.get(); }

    // Seconds of a steady clock; the default reads OSG's timer. Tests set their own.
    void setClock(Clock clock);
    // Advances playback to the clock's time; the view's frame handler calls it.
    void update();

    // ---- animations ----
    osg::ref_ptr<AnimationSegment> getDefaultAnimation() const { return m_default; }
    const std::vector<osg::ref_ptr<AnimationSegment>>& getAnimations() const { return m_animations; }
    // The animation that plays (the editor's one); null falls back to the default.
    void setCurrentAnimation(AnimationSegment* animation);
    AnimationSegment* getCurrentAnimation() const { return m_current.get(); }
    // Empties the default animation, drops the others and stops.
    void clearAllAnimation();

    void setResolver(Resolver resolver) { m_resolver = std::move(resolver); }
    const Resolver& getResolver() const { return m_resolver; }

    // The document form (docs/animation-json.md).
    rapidjson::Document toDocument();
    // Replaces every animation by those of the text. Text that does not parse or does not describe
    // an animation changes nothing and returns false with the reason.
    bool fromDocument(const std::string& text, std::string* error = nullptr);

    // ---- playback ----
    bool playAnimation();
    bool resumeAnimation();
    void pauseAnimation();
    void stopAnimation();
    bool restartAnimation();
    // Moves to the time (negative times go to 0), writes the scene there and keeps playing if it was.
    void playToTime(double time);
    double getCurrentTime() const { return m_time; }
    PlayState getPlayState() const { return m_state; }
    bool isPlaying() const { return m_state == Playing; }

    // Multiplies the clock's advance; values that are not finite or not above 0 are refused.
    void setPlaySpeed(double speed);
    double getPlaySpeed() const { return m_speed; }
    void setReversePlay(bool reverse);
    bool getReversePlay() const { return m_reverse; }
    void setLoopPlay(bool loop);
    bool getLoopPlay() const { return m_loop; }
    // Whether playback also moves the camera.
    void setCameraPlay(bool on);
    bool getCameraPlay() const { return m_cameraPlay; }

    // The current animation's first and last keyframe times; false when it has none.
    bool getPlayRange(double& first, double& last) const;

    // The camera manipulator's pose, and setting it; false without a view or a manipulator that
    // takes poses.
    bool getCameraInfo(AnimationCameraInfo& out) const;
    bool setCameraInfo(const AnimationCameraInfo& info);

    void addAnimationManagerListener(osg::ref_ptr<AnimationManagerListener> listener);
    void removeAnimationManagerListener(osg::ref_ptr<AnimationManagerListener> listener);

protected:
    ~AnimationManager() override;

private:
    AnimationSegment* current() const;
    void applyAt(double time, bool full);
    // Asks the view for a frame (it draws on demand).
    void requestFrame();
    void startPlaying();
    template <typename F>
    void notify(F&& f);

    osg::observer_ptr<osgViewer::View> m_view;
    osg::ref_ptr<osgGA::GUIEventHandler> m_frameHandler;
    Clock m_clock;
    double m_lastClock = 0.0;
    double m_time = 0.0;
    PlayState m_state = Stopped;
    double m_speed = 1.0;
    bool m_reverse = false;
    bool m_loop = false;
    bool m_cameraPlay = false;

    std::vector<osg::ref_ptr<AnimationSegment>> m_animations;
    osg::ref_ptr<AnimationSegment> m_default;
    osg::ref_ptr<AnimationSegment> m_current;
    Resolver m_resolver;
    std::vector<osg::ref_ptr<AnimationManagerListener>> m_listeners;
};

} // namespace Vantor
