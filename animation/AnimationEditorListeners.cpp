#include "animation/AnimationEditorListeners.h"

#include "animation/AnimationEditorUI.h"

#include <QPushButton>

namespace Vantor {

void AnimationKeyFrameEditorWidgetListener::rebuild()
{
    if (!editor)
        return;
    if (editor->selectedNodeMode)
        editor->rebuildForSelection();
    else
        editor->rebuildAll();
}

void AnimationKeyFrameEditorWidgetListener::onKeyframesAdded(AnimationKeyFrameEditor*) { rebuild(); }
void AnimationKeyFrameEditorWidgetListener::onKeyframesRemoved(AnimationKeyFrameEditor*) { rebuild(); }
void AnimationKeyFrameEditorWidgetListener::onKeyframesUpdated(AnimationKeyFrameEditor*) { rebuild(); }

void AnimationKeyFrameEditorWidgetListener::onTimelineRangeChanged(AnimationKeyFrameEditor* keyframeEditor)
{
    if (!editor || !keyframeEditor)
        return;
    editor->timeAxis()->animationEnd =
        keyframeEditor->getAnimationValidStartTime() + keyframeEditor->getAnimationValidTimeLineRange() + FrameStep;
    editor->replot(QCustomPlot::rpRefreshHint);
}

void AnimationKeyFrameEditorWidgetListener::onAutokeyModeChanged(bool on)
{
    if (!editor)
        return;
    editor->autokey = on;
    if (QPushButton* b = editor->button(QStringLiteral("Autokey")))
        b->setChecked(on);
}

void AnimationKeyFrameEditorWidgetListener::onSelectedNodeModeChanged(bool on)
{
    if (!editor)
        return;
    if (on)
        editor->rebuildForSelection();
    else
        editor->rebuildAll();
    editor->selectedNodeMode = on;
    if (QPushButton* b = editor->button(QStringLiteral("SelectNode")))
        b->setChecked(on);
}

void AnimationManagerWidgetListener::onAnimationPaused(AnimationManager* manager)
{
    if (!editor || (manager && manager->isPlaying()))
        return;
    editor->timeAxis()->playing = 0.0f;
    editor->replot(QCustomPlot::rpRefreshHint);
}

void AnimationManagerWidgetListener::onPlayTimeChanged(float time)
{
    if (!editor)
        return;
    editor->cursorItem()->time = time;
    editor->currentTime = time;
    editor->queueReplot();
}

void AnimationManagerWidgetListener::onCameraPlayChanged(bool on)
{
    if (editor)
        if (QPushButton* b = editor->button(QStringLiteral("CameraPlay")))
            b->setChecked(on);
}

void AnimationManagerWidgetListener::onLoopPlayChanged(bool on)
{
    if (editor)
        if (QPushButton* b = editor->button(QStringLiteral("CyclicPlay")))
            b->setChecked(on);
}

void AnimationKeyFrameSelectionListener::onAddSelected(osg::Node*)
{
    if (editor && editor->selectedNodeMode)
        editor->rebuildForSelection();
}

void AnimationKeyFrameSelectionListener::onRemoveSelected(osg::Node*)
{
    if (editor && editor->selectedNodeMode)
        editor->rebuildForSelection();
}

void AnimationKeyFrameSelectionListener::onClearSelected()
{
    if (!editor)
        return;
    if (editor->keyframeEditor.valid())
        editor->keyframeEditor->removeTransformTracker();
    if (editor->selectedNodeMode)
        editor->rebuildForSelection();
}

} // namespace Vantor
