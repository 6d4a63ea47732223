#pragma once

#include "vantor/animation/AnimationManager.h"
#include "vantor/command/CommandListener.h"
#include "vantor/command/CommandManagerChangedListener.h"
#include "vantor/effect/EffectManager.h"
#include "vantor/section/SectionManager.h"
#include "vantor/walker/WalkerManipulatorListener.h"

class MainWindow;

// Keeps Undo and Redo and the command actions in step with the view's command manager.
class MainWindowCommandManagerChangedListener : public Vantor::CommandManagerChangedListener
{
public:
    explicit MainWindowCommandManagerChangedListener(MainWindow* window) : m_window(window) {}
    void onCommandManagerChanged(Vantor::CommandManager* manager, std::shared_ptr<Vantor::Command> command) override;
    void onCurrentCommandTypeChanged(const std::string& type) override;

private:
    MainWindow* m_window;
};

// Shows the running command's tip in the status bar.
class MainWindowCommandListener : public Vantor::CommandListener
{
public:
    explicit MainWindowCommandListener(MainWindow* window) : m_window(window) {}
    void onCommandTipChanged(const Vantor::CommandTip& tip) override;

private:
    MainWindow* m_window;
};

// Keeps "Section_ClipSelected" in step with the section manager.
class MainWindowSectionManagerChangedListener : public Vantor::SectionManagerChangedListener
{
public:
    explicit MainWindowSectionManagerChangedListener(MainWindow* window) : m_window(window) {}
    void onSectionChanged(Vantor::SectionManager* manager, Vantor::Section* section) override;

private:
    MainWindow* m_window;
};

// Keeps the Animation page's play, pause, camera-play and loop actions and the time slider in step
// with the animation manager.
class MainWindowAnimationManagerListener : public Vantor::AnimationManagerListener
{
public:
    explicit MainWindowAnimationManagerListener(MainWindow* window) : m_window(window) {}
    void onAnimationStarted(Vantor::AnimationManager*) override;
    void onAnimationStopped(Vantor::AnimationManager*) override;
    void onAnimationPaused(Vantor::AnimationManager*) override;
    void onAnimationResumed(Vantor::AnimationManager*) override;
    void onPlayTimeChanged(float time) override;
    void onAnimationFinished(Vantor::AnimationManager*) override;
    void onCameraPlayChanged(bool on) override;
    void onLoopPlayChanged(bool on) override;
    // The window is going: no call reaches it after this.
    void detach() { m_window = nullptr; }

private:
    void setPlayPause(bool play, bool pause);
    void check(const char* key, bool on);
    MainWindow* m_window;
};

// Keeps the render-mode menu's checks (and the lighting, edge and face checks where they exist) in step
// with the effect manager.
class MainWindowEffectListener : public Vantor::EffectManagerListener
{
public:
    explicit MainWindowEffectListener(MainWindow* window) : m_window(window) {}
    void onEffectChanged(Vantor::EffectManager* manager) override;
    // The window is going: no call reaches it after this.
    void detach() { m_window = nullptr; }

private:
    MainWindow* m_window;
};

// Shows the walker's speeds in the Roam page's boxes and keeps its switches checked as they are.
class MainWindowWalkCommandListener : public Vantor::WalkerManipulatorListener
{
public:
    explicit MainWindowWalkCommandListener(MainWindow* window) : m_window(window) {}
    // The walker counts in 1/1000 m/s; the box shows m/s. The one place that divides.
    void onVelocityChanged(double velocity) override;
    void onFovyChanged(double fovy) override;
    void onAngularVelocityChanged(double angularVelocity) override;
    void onThirdPersonChanged(bool on) override;
    void onObstaclesChanged(bool on) override;
    void onGravityChanged(bool on) override;
    // The window is going: no call reaches it after this.
    void detach() { m_window = nullptr; }

private:
    void check(const char* key, bool on);
    MainWindow* m_window;
};
