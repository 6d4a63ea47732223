#include "animation/AnimationEditorUI.h"

#include "animation/AnimationEditorListeners.h"
#include "vantor/command/ISelectionManager.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>

#include <algorithm>
#include <cmath>

namespace Vantor {

AnimationEditorUI::AnimationEditorUI(osg::ref_ptr<AnimationKeyFrameEditor> editor) : QCustomPlot(nullptr)
{
    keyframeEditor = editor;
    setObjectName(QStringLiteral("AnimationEditorUI"));
    setAccessibleName(tr("Keyframe timeline"));
    setStyleSheet(QStringLiteral("font: 9pt \"微软雅黑\";"));
    buildToolBar();
    if (keyframeEditor.valid())
        registerListeners();
    setUpPlot();
    // The plot queued a replot for itself while it was being made, before this class could take
    // it; the timeline is drawn when it first shows instead.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    m_replotWhenShown = true;
}

AnimationEditorUI::~AnimationEditorUI()
{
    // The outside component may outlive the widget: it must not call back into it.
    if (m_editorListener.valid()) {
        m_editorListener->editor = nullptr;
        if (keyframeEditor.valid())
            keyframeEditor->removeAnimationKeyFrameEditorListener(m_editorListener);
    }
    if (m_managerListener.valid()) {
        m_managerListener->editor = nullptr;
        if (keyframeEditor.valid())
            if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager())
                manager->removeAnimationManagerListener(m_managerListener);
    }
    if (m_selectionListener.valid()) {
        m_selectionListener->editor = nullptr;
        if (keyframeEditor.valid())
            if (ISelectionManager* selection = keyframeEditor->getSelectionManager())
                selection->removeSelectionListener(m_selectionListener.get());
    }
    keyframeEditor = nullptr;
}

void AnimationEditorUI::registerListeners()
{
    m_editorListener = new AnimationKeyFrameEditorWidgetListener;
    m_editorListener->editor = this;
    keyframeEditor->addAnimationKeyFrameEditorListener(m_editorListener);

    m_managerListener = new AnimationManagerWidgetListener;
    m_managerListener->editor = this;
    if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager())
        manager->addAnimationManagerListener(m_managerListener);

    m_selectionListener = new AnimationKeyFrameSelectionListener;
    m_selectionListener->editor = this;
    if (ISelectionManager* selection = keyframeEditor->getSelectionManager())
        selection->addSelectionListener(m_selectionListener.get());
}

// ---- operations of the main window ----

bool AnimationEditorUI::timelineValuesAcceptable(float s, float d, float t, float L)
{
    for (float v : {s, d, t, L})
        if (!std::isfinite(v))
            return false;
    return s >= 0 && s <= L && s + d <= L && s < s + d && t >= 1.2f && t <= 600.0f;
}

bool AnimationEditorUI::applyTimeline(float start, float duration, float animation)
{
    if (!timelineValuesAcceptable(start, duration, animation, timelineMaximum))
        return false;
    setTimeRange(start, start + duration);
    setTimeRange(start, start + std::max(duration, 1.2f));
    setAnimationDuration(animation);
    replot(rpRefreshHint);
    return true;
}

void AnimationEditorUI::setEditorOpen(bool open)
{
    if (!keyframeEditor.valid())
        return;
    if (!open) {
        keyframeEditor->closeAnimationEditor();
        return;
    }
    if (keyframeEditor->isAnimationEditorOpen())
        return;
    keyframeEditor->openAnimationEditor();
    if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager()) {
        manager->setCameraPlay(getCameraPlayMode());
        manager->setLoopPlay(manager->getLoopPlay());
    }
}

void AnimationEditorUI::setAnimationDuration(float seconds)
{
    m_ruler->animationEnd = seconds;
    if (keyframeEditor.valid())
        keyframeEditor->scaleRange(seconds);
    clearPlotItems();
    if (keyframeEditor.valid())
        makeMarkers(keyframeEditor->getAllKeyframes());
    queueReplot();
}

void AnimationEditorUI::resetEditor()
{
    if (!keyframeEditor.valid())
        return;
    keyframeEditor->removeKeyframes(keyframeEditor->getAllKeyframes());
    keyframeEditor->closeAnimationEditor();
    clearPlotItems();
    makeMarkers(keyframeEditor->getAllKeyframes());
    queueReplot();
}

void AnimationEditorUI::setToolsEnabled(bool enabled)
{
    for (QWidget* w : qAsConst(namedWidgets))
        if (w)
            w->setEnabled(enabled);
    for (QAction* a : qAsConst(namedActions))
        if (a)
            a->setEnabled(enabled);
}

} // namespace Vantor
