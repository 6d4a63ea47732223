// The main window's side of the keyframe animation: the timeline dock, the manager's listener, the
// model's "animation" document and ".Animation" files.

#include "app/MainWindow.h"

#include "animation/AnimationEditorUI.h"
#include "animation/AnimationPlayback.h"
#include "animation/TimelineDialog.h"
#include "app/MainWindowListeners.h"
#include "common/Prompts.h"
#include "app/SmallWidgets.h"
#include "view/SceneView.h"
#include "vantor/animation/AnimationKeyFrameEditor.h"
#include "vantor/animation/AnimationManager.h"
#include "vantor/animation/AnimationStorage.h"
#include "vantor/util/LogHandler.h"

#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QSlider>
#include <QStatusBar>

QDockWidget* MainWindow::timelineDock() const
{
    return m_timelineDock;
}

void MainWindow::initAnimationDock()
{
    if (!m_timelineDock || m_animationEditor)
        return;
    tabifyDockWidget(m_timelineDock, m_collisionDock);

    // Owned by the window, so no dialog is left behind when it goes.
    m_timelineDialog = new TimelineDialog(this);
    m_timelineDialog->setModal(true);
    connect(m_timelineDialog->sureButton, &QAbstractButton::clicked, this, &MainWindow::on_actionTimelineSure_triggered);

    osg::ref_ptr<Vantor::AnimationKeyFrameEditor> keyframes = m_sceneView->getAnimationKeyFrameEditor();
    m_animationEditor = new AnimationEditorUI(keyframes);

    if (keyframes.valid()) {
        if (osg::ref_ptr<Vantor::AnimationManager> manager = keyframes->GetAnimationManager()) {
            m_animationListener = new MainWindowAnimationManagerListener(this);
            manager->addAnimationManagerListener(m_animationListener.get());
        }
        if (osg::ref_ptr<Vantor::AnimationManager> manager = m_sceneView->getAnimationManager())
            keyframes->setEditorAnimationSegment(manager->getDefaultAnimation());
    }
    m_timelineDock->setWidget(m_animationEditor->timelineWidget());
    m_animationEditor->systemSettings = m_systemSetting;

    if (auto* dock = qobject_cast<QCloseDockWidget*>(m_timelineDock))
        connect(dock, &QCloseDockWidget::closed, this, [this] { on_AnimationDock_featuresChanged(false); },
                Qt::DirectConnection);
}

void MainWindow::on_AnimationDock_featuresChanged(bool shown)
{
    if (QAction* a = getAction(QStringLiteral("Recording_Time axle")))
        a->setChecked(shown);
    if (m_timelineDock) {
        m_timelineDock->setVisible(shown);
        // Tabbed with the collision list: switched on, it comes in front.
        if (shown)
            m_timelineDock->raise();
    }
    if (m_animationEditor) {
        m_animationEditor->setEditorOpen(shown);
        m_animationEditor->replot();
    }
}

void MainWindow::onAnimationPlayTimeChanged(float time)
{
    if (m_animationEditor && m_animationEditor->keyframeEditor.valid())
        AnimationPlayback::followPlayTime(m_timeSlider, m_animationEditor->keyframeEditor.get(), time);
}

bool MainWindow::loadAnimationDocument(const QString& json, QString* error)
{
    osg::ref_ptr<Vantor::AnimationManager> manager = m_sceneView->getAnimationManager();
    osg::ref_ptr<Vantor::AnimationKeyFrameEditor> keyframes = m_sceneView->getAnimationKeyFrameEditor();
    if (!manager || !keyframes) {
        if (error)
            *error = tr("There is no animation to load into");
        return false;
    }
    std::string why;
    if (!manager->fromDocument(json.toStdString(), &why)) {
        if (error)
            *error = QString::fromStdString(why);
        return false;
    }
    keyframes->setEditorAnimationSegment(manager->getDefaultAnimation());
    keyframes->refreshEditorUI();
    return true;
}

void MainWindow::resetAnimation()
{
    if (m_animationEditor)
        m_animationEditor->resetEditor();
    osg::ref_ptr<Vantor::AnimationManager> manager = m_sceneView->getAnimationManager();
    osg::ref_ptr<Vantor::AnimationKeyFrameEditor> keyframes = m_sceneView->getAnimationKeyFrameEditor();
    if (!manager || !keyframes)
        return;
    manager->clearAllAnimation();
    keyframes->setEditorAnimationSegment(manager->getDefaultAnimation());
    keyframes->refreshEditorUI();
}

bool MainWindow::saveAnimationFile()
{
    osg::ref_ptr<Vantor::AnimationManager> manager = m_sceneView->getAnimationManager();
    if (!manager)
        return false;
    Vantor::AnimationStorage storage;
    storage.SetAnimationManager(manager);
    const std::string json = storage.serialize();
    const QString name = AnimationPlayback::defaultFileName(QDateTime::currentDateTime());
    QString path = Prompts::get().getSaveFileName(this, tr("保存文件"), name,
                                                  QStringLiteral("*.Animation"));
    if (path.isEmpty())
        return false;
    // Linux file dialogs add no suffix of their own.
    path = AnimationPlayback::withSuffix(path);
    QString error;
    if (!AnimationPlayback::writeFile(path, json, &error)) {
        Vantor::LogHandler::getInstance()->reportError(tr("Saving the animation to %1 failed: %2").arg(path, error));
        Prompts::get().warning(this, tr("保存失败"),
                               tr("动画未能保存：%1\n%2").arg(path, error));
        return false;
    }
    Vantor::LogHandler::getInstance()->reportInfo(tr("Saved the animation to %1").arg(path));
    return true;
}

bool MainWindow::loadAnimationFile()
{
    const QString path =
        Prompts::get().getOpenFileName(this, QString(), QString(), AnimationPlayback::fileFilter());
    if (path.isEmpty())
        return false;
    QString text, error;
    if (!AnimationPlayback::readFile(path, &text, &error) || !loadAnimationDocument(text, &error)) {
        Vantor::LogHandler::getInstance()->reportError(tr("The animation %1 was not loaded: %2").arg(path, error));
        Prompts::get().warning(this, tr("打开失败"),
                               tr("动画未能打开：%1\n%2").arg(path, error));
        return false;
    }
    return true;
}
