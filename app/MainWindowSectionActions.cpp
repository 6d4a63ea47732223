// The section actions: create and move sections (interactive), reverse and hide the plane (one step).

#include "app/MainWindow.h"
#include "app/ToolTable.h"
#include "app/ToolToggle.h"
#include "view/SceneView.h"

#include "vantor/command/CommandManager.h"
#include "vantor/section/SectionCommands.h"

namespace {

template <class T>
void runOnce(SceneView* view)
{
    std::shared_ptr<Vantor::CommandManager> commands = view ? view->getCommandManager() : nullptr;
    if (!commands)
        return;
    auto command = std::make_shared<T>();
    command->setViewer(view->getView());
    commands->DoCommand(command);
}

} // namespace

void MainWindow::on_actionAddSection_triggerd(bool checked)
{
    toggleTool(m_sceneView, checked, toolCommand("Section_Establish"));
}

void MainWindow::on_actionUpdateSection_triggerd(bool checked)
{
    toggleTool(m_sceneView, checked, toolCommand("Section_Update"));
}

void MainWindow::on_actionReverseSection_triggerd()
{
    runOnce<Vantor::ReverseSectionCommand>(m_sceneView);
}

void MainWindow::on_actionHideSectionPlane_triggerd()
{
    runOnce<Vantor::HideSectionPlaneCommand>(m_sceneView);
}
