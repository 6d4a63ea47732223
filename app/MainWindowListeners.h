#pragma once

#include "vantor/command/CommandListener.h"
#include "vantor/command/CommandManagerChangedListener.h"
#include "vantor/section/SectionManager.h"

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
