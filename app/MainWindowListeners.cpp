#include "app/MainWindowListeners.h"

#include "app/MainWindow.h"
#include "vantor/command/Command.h"
#include "vantor/command/CommandManager.h"

#include <QAction>
#include <QSignalBlocker>

void MainWindowCommandManagerChangedListener::onCommandManagerChanged(Vantor::CommandManager* manager,
                                                                      std::shared_ptr<Vantor::Command> command)
{
    if (!manager)
        return;
    if (QAction* redo = m_window->getAction(QStringLiteral("Redo")))
        redo->setEnabled(manager->CanRedo());
    if (QAction* undo = m_window->getAction(QStringLiteral("Undo")))
        undo->setEnabled(manager->CanUndo());
    // After Clear the manager reports no command.
    if (command && command->Name() == "SetVisibleCommand")
        emit m_window->treeViewDataChanged(command.get());
    m_window->refreshNodeProperties();
}

void MainWindowCommandManagerChangedListener::onCurrentCommandTypeChanged(const std::string& type)
{
    m_window->updateCommandActions(type);
}

void MainWindowCommandListener::onCommandTipChanged(const Vantor::CommandTip& tip)
{
    m_window->onCommandTipChanged(tip);
}

void MainWindowSectionManagerChangedListener::onSectionChanged(Vantor::SectionManager* manager, Vantor::Section*)
{
    if (!manager)
        return;
    if (QAction* clip = m_window->getAction(QStringLiteral("Section_ClipSelected")))
        clip->setChecked(manager->getApplyToSelected());
}

void MainWindowAnimationManagerListener::check(const char* key, bool on)
{
    if (m_window)
        if (QAction* a = m_window->getAction(QString::fromLatin1(key)))
            a->setChecked(on);
}

void MainWindowAnimationManagerListener::setPlayPause(bool play, bool pause)
{
    check("Animation_ATEPlay", play);
    check("Animation_ATEPause", pause);
}

void MainWindowAnimationManagerListener::onAnimationStarted(Vantor::AnimationManager*) { setPlayPause(true, false); }
void MainWindowAnimationManagerListener::onAnimationStopped(Vantor::AnimationManager*) { setPlayPause(false, false); }
void MainWindowAnimationManagerListener::onAnimationPaused(Vantor::AnimationManager*) { setPlayPause(false, true); }
void MainWindowAnimationManagerListener::onAnimationResumed(Vantor::AnimationManager*) { setPlayPause(true, false); }
void MainWindowAnimationManagerListener::onAnimationFinished(Vantor::AnimationManager*) { setPlayPause(false, false); }
void MainWindowAnimationManagerListener::onCameraPlayChanged(bool on) { check("Animation_ATECameraPlay", on); }
void MainWindowAnimationManagerListener::onLoopPlayChanged(bool on) { check("Animation_ATECyclicPlay", on); }

void MainWindowAnimationManagerListener::onPlayTimeChanged(float time)
{
    if (m_window)
        m_window->onAnimationPlayTimeChanged(time);
}

void MainWindowEffectListener::onEffectChanged(Vantor::EffectManager* manager)
{
    if (m_window)
        m_window->updateEffectActions(manager);
}

void MainWindowWalkCommandListener::onVelocityChanged(double velocity)
{
    if (m_window)
        m_window->onVelcityChanged(velocity / 1000.0);
}

void MainWindowWalkCommandListener::onFovyChanged(double fovy)
{
    if (m_window)
        m_window->onFovyChanged(fovy);
}

void MainWindowWalkCommandListener::onAngularVelocityChanged(double angularVelocity)
{
    if (m_window)
        m_window->onAngularVelocity(angularVelocity);
}

void MainWindowWalkCommandListener::check(const char* key, bool on)
{
    if (!m_window)
        return;
    if (QAction* action = m_window->getAction(QString::fromLatin1(key))) {
        // Only the check mark: the action's slot would set the walker again.
        const QSignalBlocker blocker(action);
        action->setChecked(on);
    }
}

void MainWindowWalkCommandListener::onThirdPersonChanged(bool on) { check("Roam_Thirdperson", on); }
void MainWindowWalkCommandListener::onObstaclesChanged(bool on) { check("Roam_Obstacles", on); }
void MainWindowWalkCommandListener::onGravityChanged(bool on) { check("Roam_Gravitymodel", on); }
