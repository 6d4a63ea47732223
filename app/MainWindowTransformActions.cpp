// Ribbon and tree actions that move parts: the draggers, the pivot, the explosions and the resets.

#include "app/MainWindow.h"
#include "app/ToolTable.h"
#include "app/ToolToggle.h"

#include "panels/OsgTreeModel.h"
#include <QAbstractItemView>
#include "view/SceneView.h"

#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/model/PropertiesManager.h"

void MainWindow::on_actionReset_triggerd(Vantor::ResetType type)
{
    std::shared_ptr<Vantor::CommandManager> manager = m_sceneView->getCommandManager();
    if (!manager)
        return;
    auto command = std::make_shared<Vantor::ResetTransformCommand>();
    command->setView(m_sceneView->getView());
    command->setResetType(type);
    manager->DoCommand(command);
    if (m_treeModel)
        emit m_treeModel->layoutChanged();
}

void MainWindow::on_actionResetPosition_triggerd() { on_actionReset_triggerd(Vantor::RESET_POSITION); }

void MainWindow::on_actionResetColor_triggerd() { on_actionReset_triggerd(Vantor::RESET_COLOR); }

void MainWindow::on_actionResetTransparent_triggerd() { on_actionReset_triggerd(Vantor::RESET_TRANSPARENT); }

void MainWindow::on_actionPlaneTransformDragger_triggerd(bool checked)
{
    toggleTool(m_sceneView, checked, toolCommand("Resolve_Freedrop"));
}

void MainWindow::on_actionAxisTransformDragger_triggerd(bool checked)
{
    toggleTool(m_sceneView, checked, toolCommand("Resolve_Directionaldrop"));
}

void MainWindow::on_actionRotationTransformDragger_triggerd(bool checked)
{
    toggleTool(m_sceneView, checked, toolCommand("Resolve_Alongaxial"));
}

void MainWindow::on_actionScaleTransformDragger_triggerd(bool checked)
{
    toggleTool(m_sceneView, checked, "ScaleTransformDraggerCommand");
}

void MainWindow::on_actionUpdateAxisLocation_triggerd(bool checked)
{
    toggleTool(m_sceneView, checked, toolCommand("Resolve_UpdateAxisLocation"));
}

void MainWindow::on_actionAxisExplodeDragger_triggerd(bool checked)
{
    toggleTool(m_sceneView, checked, toolCommand("Explode_Axisexplode"));
}

void MainWindow::on_actionRadialExplodeDragger_triggerd(bool checked)
{
    toggleTool(m_sceneView, checked, toolCommand("Explode_Radialexplode"));
}

void MainWindow::on_actionCenterExplodeDragger_triggerd(bool checked)
{
    toggleTool(m_sceneView, checked, toolCommand("Explode_Centerexplode"));
}

void MainWindow::on_actionRestAxisLocation_triggerd()
{
    osg::ref_ptr<osgViewer::View> view = m_sceneView->getView();
    osg::ref_ptr<Vantor::PropertiesManager> properties =
        view.valid() ? Vantor::PropertiesManager::GetPropertiesManager(view->getSceneData()) : nullptr;
    Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager();
    if (!properties.valid() || !selection)
        return;
    const NodePtrList selected = selection->getSelectedList();
    for (const osg::ref_ptr<osg::Node>& node : selected)
        properties->resetNodeDraggerLocation(osg::observer_ptr<osg::Node>(node.get()));
    selection->clearSelection();
    if (m_treeModel)
        emit m_treeModel->layoutChanged();
}
