#include "animation/AnimationEditorUI.h"

// Playback: the current time, stepping between frames and keyframes, play modes.

namespace Vantor {

void AnimationEditorUI::goToTime(double time)
{
    if (time >= 0.0 && keyframeEditor.valid())
        keyframeEditor->playToKeyframe(time);
}

bool AnimationEditorUI::getCameraPlayMode() const
{
    if (!keyframeEditor.valid())
        return false;
    osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager();
    return manager.valid() && manager->getCameraPlay();
}

void AnimationEditorUI::startFrame()
{
    goToTime(0.0);
}

void AnimationEditorUI::lastKeyframe()
{
    if (!keyframeEditor.valid())
        return;
    const float c = keyframeEditor->getCurrentKeyframeTime();
    const AnimationKeyframePtrList keys = keyframeEditor->getAllKeyframes();
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        if ((*it)->getTime() < c) {
            if (float((*it)->getTime()) >= 0.0f)
                keyframeEditor->playToKeyframe(float((*it)->getTime()));
            return;
        }
}

void AnimationEditorUI::lastFrame()
{
    const float c = currentTime - FrameStep;
    if (c >= 0.0f && keyframeEditor.valid())
        keyframeEditor->playToKeyframe(c);
}

void AnimationEditorUI::playKeyframe()
{
    if (!keyframeEditor.valid())
        return;
    osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager();
    if (manager.valid() && manager->isPlaying()) {
        keyframeEditor->pauseAnimation();
        return;
    }
    m_ruler->playing = 1.0f;
    keyframeEditor->resumeAnimation();
}

void AnimationEditorUI::stopKeyframe()
{
    if (!keyframeEditor.valid())
        return;
    const float s = keyframeEditor->getAnimationValidStartTime();
    if (s >= 0.0f)
        keyframeEditor->playToKeyframe(s);
    keyframeEditor->stopAnimation();
}

void AnimationEditorUI::nextFrame()
{
    const float c = currentTime + FrameStep;
    if (c <= timelineMaximum && keyframeEditor.valid())
        keyframeEditor->playToKeyframe(c);
}

void AnimationEditorUI::nextKeyframe()
{
    if (!keyframeEditor.valid())
        return;
    const float c = keyframeEditor->getCurrentKeyframeTime();
    for (const auto& key : keyframeEditor->getAllKeyframes())
        if (key->getTime() > c) {
            if (float(key->getTime()) >= 0.0f)
                keyframeEditor->playToKeyframe(float(key->getTime()));
            return;
        }
}

void AnimationEditorUI::endFrame()
{
    const float c = timelineMaximum - FrameStep;
    if (c >= 0.0f && keyframeEditor.valid())
        keyframeEditor->playToKeyframe(c);
}

void AnimationEditorUI::pauseKeyframe()
{
    if (keyframeEditor.valid())
        keyframeEditor->pauseAnimation();
}

void AnimationEditorUI::reversePlay(bool on)
{
    if (keyframeEditor.valid())
        if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager())
            manager->setReversePlay(on);
}

void AnimationEditorUI::cyclicPlay(bool on)
{
    if (keyframeEditor.valid())
        if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager())
            manager->setLoopPlay(on);
}

void AnimationEditorUI::changeCameraPlayMode(bool on)
{
    if (keyframeEditor.valid())
        if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager())
            manager->setCameraPlay(on);
}

} // namespace Vantor
