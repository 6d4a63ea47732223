#pragma once

#include "vantor/animation/AnimationKeyFrameEditor.h"
#include "vantor/animation/AnimationManager.h"
#include "vantor/command/SelectionListener.h"

namespace Vantor {

class AnimationEditorUI;

// The editor's three ears. Each holds a plain back pointer that the editor sets after making it and
// clears before it goes, so a late call from the outside component reaches nothing.

// Keyframes changed: the tracks are rebuilt; the timeline range, autokey and selected-node mode follow.
class AnimationKeyFrameEditorWidgetListener : public AnimationKeyFrameEditorListener
{
public:
    AnimationEditorUI* editor = nullptr;

    void onKeyframesAdded(AnimationKeyFrameEditor*) override;
    void onKeyframesRemoved(AnimationKeyFrameEditor*) override;
    void onKeyframesUpdated(AnimationKeyFrameEditor*) override;
    void onTimelineRangeChanged(AnimationKeyFrameEditor* keyframeEditor) override;
    void onAutokeyModeChanged(bool on) override;
    void onSelectedNodeModeChanged(bool on) override;

private:
    void rebuild();
};

// Playback: the cursor follows the play time; pause, camera play and loop play show on the buttons.
class AnimationManagerWidgetListener : public AnimationManagerListener
{
public:
    AnimationEditorUI* editor = nullptr;

    void onAnimationPaused(AnimationManager* manager) override;
    void onPlayTimeChanged(float time) override;
    void onCameraPlayChanged(bool on) override;
    void onLoopPlayChanged(bool on) override;
};

// With the selected-node mode on, the tracks follow the selection.
class AnimationKeyFrameSelectionListener : public SelectionListener
{
public:
    AnimationEditorUI* editor = nullptr;

    void onAddSelected(osg::Node*) override;
    void onRemoveSelected(osg::Node*) override;
    void onClearSelected() override;
};

} // namespace Vantor
