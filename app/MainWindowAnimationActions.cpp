// Animation files, playback and keyframe deletion from the ribbon.

#include "app/MainWindow.h"

#include "animation/AnimationEditorUI.h"
#include "animation/AnimationPlayback.h"
#include "animation/TimelineDialog.h"
#include "common/Prompts.h"
#include "view/SceneView.h"
#include "vantor/animation/AnimationKeyFrameEditor.h"
#include "vantor/animation/AnimationManager.h"

#include <QDockWidget>

Vantor::AnimationKeyFrameEditor* MainWindow::keyFrameEditor() const
{
    return m_sceneView ? m_sceneView->getAnimationKeyFrameEditor().get() : nullptr;
}

void MainWindow::on_actionLoadrootscene_triggerd()
{
    loadAnimationFile();
}

void MainWindow::on_actionSaverootscene_triggerd()
{
    saveAnimationFile();
}

void MainWindow::on_actionPlayAnimation_triggerd(bool checked)
{
    if (auto* editor = keyFrameEditor(); editor && checked)
        editor->playAnimation();
}

void MainWindow::on_actionPauseAllAnimation_triggerd()
{
    if (auto* editor = keyFrameEditor())
        editor->pauseAnimation();
}

void MainWindow::on_actionResumeAnimation_triggerd()
{
    if (auto* editor = keyFrameEditor())
        editor->resumeAnimation();
}

void MainWindow::on_actionRestartAllAnimation_triggerd()
{
    if (auto* editor = keyFrameEditor())
        editor->restartAnimation();
}

void MainWindow::on_actionStopAnimation_triggerd()
{
    AnimationPlayback::stop(keyFrameEditor());
}

void MainWindow::on_reversePlayMode_triggerd(bool checked)
{
    if (auto* editor = keyFrameEditor(); editor && editor->GetAnimationManager())
        editor->GetAnimationManager()->setReversePlay(checked);
}

void MainWindow::on_loopPlayMode_triggerd(bool checked)
{
    if (auto* editor = keyFrameEditor(); editor && editor->GetAnimationManager())
        editor->GetAnimationManager()->setLoopPlay(checked);
}

void MainWindow::on_actionCameraPlayMode_checked(bool)
{
    AnimationPlayback::toggleCameraPlay(m_animationEditor);
}

void MainWindow::on_actionPlayAnimationNextFrame_triggerd()
{
    AnimationPlayback::stepForward(keyFrameEditor());
}

void MainWindow::on_actionSetAnimationRevesePlay_triggerd()
{
    AnimationPlayback::toggleReversePlay(keyFrameEditor());
}

void MainWindow::on_actionTimeset_triggered()
{
    if (!m_timelineDialog)
        return;
    AnimationPlayback::fillTimelineDialog(m_timelineDialog, m_animationEditor);
    m_timelineDialog->show();
}

void MainWindow::on_actionTimelineSure_triggered()
{
    AnimationPlayback::applyTimelineDialog(m_timelineDialog, m_animationEditor);
}

void MainWindow::on_actionTimeline_triggered()
{
    // isHidden, not isVisible: the switch works also while the window itself is not shown.
    if (QDockWidget* dock = timelineDock())
        dock->setVisible(dock->isHidden());
}

void MainWindow::setAnimationPlayTime(int value)
{
    AnimationPlayback::seekToSlider(keyFrameEditor(), value);
}

void MainWindow::on_actionSpeedPlayChanged_triggerd(int index)
{
    AnimationPlayback::setPlaySpeed(keyFrameEditor(), index);
}

void MainWindow::on_actionDeleteAllKeyframe_triggerd()
{
    if (!m_animationEditor)
        return;
    if (Prompts::get().question(this, windowTitle(), tr("是否移除所有关键帧。"))
        == QMessageBox::Yes)
        m_animationEditor->removeAllKeyframs();
}

void MainWindow::on_actionClearAllAnimation_triggerd()
{
    auto* editor = keyFrameEditor();
    if (!editor)
        return;
    editor->removeKeyframes(editor->getAllKeyframes());
    editor->endCallRemoveKeyframe();
}

void MainWindow::on_actionDeleteSelectKeyframe_triggerd()
{
    auto* editor = keyFrameEditor();
    if (!editor || !m_animationEditor)
        return;
    editor->removeKeyframes(m_animationEditor->getSelectedKeyframes());
    editor->endCallRemoveKeyframe();
}

void MainWindow::on_actionDeleteCameraKeyframe_triggerd()
{
    if (m_animationEditor)
        m_animationEditor->removeCameraKeyframes();
}
