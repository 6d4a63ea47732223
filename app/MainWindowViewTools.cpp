// Note files from the ribbon: the view asks for the file and hands it to the note manager.

#include "app/MainWindow.h"

#include "view/SceneView.h"

void MainWindow::on_actionImputJson_triggered()
{
    m_sceneView->importNotes();
}

void MainWindow::on_actionExportJson_triggered()
{
    m_sceneView->exportNotes(m_currentFile);
}
