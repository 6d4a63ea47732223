// The window's layout, folders, recent files, options and background colour between runs.

#include "app/MainWindow.h"

#include "common/AppSettings.h"
#include "view/PickingHandler.h"
#include "view/SceneView.h"

#include <QApplication>
#include <QColor>
#include <QDesktopWidget>
#include <QLocale>
#include <QPoint>
#include <QSize>

void MainWindow::readSettings()
{
    AppSettings settings("Nerio3dViewer", "NerioViewer");

    settings.beginGroup("MainWindow");
    restoreState(settings.value("MainWindowState").toByteArray(), 0);
    resize(settings.value("size", QSize(600, 600)).toSize());
    move(settings.value("pos", QPoint(200, 200)).toPoint());
    if (settings.value("fullScreen", false).toBool())
        showFullScreen();
    settings.endGroup();

    settings.beginGroup("Application");
    lastDirectory = settings.value("lastDirectory", "/home").toString();
    lastDirectorySnapshot = settings.value("lastDirectorySnapshot", "/home").toString();
    m_recentlyOpenedFiles = settings.value("recentlyOpenedFiles").toStringList();
    while (m_recentlyOpenedFiles.size() > 10) // a damaged store must not grow the menu
        m_recentlyOpenedFiles.removeLast();
    m_splashscreenAtStartup = settings.value("splashscreenAtStartup", true).toBool();
    m_splashscreenTransparentBackground = settings.value("splashscreenTransparentBackground", true).toBool();
    m_resetConfig = settings.value("resetConfig", false).toBool();
    m_inverseMouseWheel = settings.value("inverseMouseWheel", false).toBool();
    m_displayTrackballHelper = settings.value("displayTrackballHelper", false).toBool();
    if (m_sceneView) {
        m_sceneView->setEnabledInverseMouseWheel(m_inverseMouseWheel);
        m_sceneView->setEnabledTrackbalHelper(m_displayTrackballHelper);
    }
    m_currentLanguage = settings.value("currentLanguage", QString()).toString();
    if (m_currentLanguage.isEmpty())
        m_currentLanguage = QLocale::system().name().left(2);
    QColor background = settings.value("bgcolor", QColor(50, 50, 50, 255)).value<QColor>();
    if (!background.isValid())
        background = QColor(50, 50, 50, 255);
    if (m_sceneView)
        m_sceneView->setBgColor(background);
    settings.endGroup();
}

void MainWindow::writeSettings()
{
    AppSettings settings("Nerio3dViewer", "NerioViewer");

    settings.beginGroup("MainWindow");
    settings.setValue("MainWindowState", saveState(0));
    settings.setValue("size", size());
    settings.setValue("pos", pos());
    settings.setValue("fullScreen", isFullScreen());
    settings.setValue("screenNumber", QApplication::desktop()->screenNumber(this));
    settings.endGroup();

    settings.beginGroup("Application");
    settings.setValue("lastDirectory", lastDirectory);
    settings.setValue("lastDirectorySnapshot", lastDirectorySnapshot);
    settings.setValue("currentLanguage", m_currentLanguage);
    settings.setValue("resetConfig", m_resetConfig);
    settings.setValue("watermark", m_watermark);
    settings.setValue("inverseMouseWheel", m_inverseMouseWheel);
    settings.setValue("displayTrackballHelper", m_displayTrackballHelper);
    settings.setValue("splashscreenAtStartup", m_splashscreenAtStartup);
    settings.setValue("splashscreenTransparentBackground", m_splashscreenTransparentBackground);
    settings.setValue("recentlyOpenedFiles", m_recentlyOpenedFiles);
    if (m_sceneView) {
        const osg::Vec4f& c = m_sceneView->getBackgroundColor();
        settings.setValue("bgcolor", QColor(int(c.r() * 255), int(c.g() * 255), int(c.b() * 255), 255));
    }
    settings.endGroup();
}
