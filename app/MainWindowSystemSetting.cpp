// The main window's side of the system settings and the preferences dialog.

#include "app/MainWindow.h"

#include "dialogs/PreferencesWidget.h"
#include "dialogs/SystemSetting.h"
#include "view/SceneView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QProcess>

void MainWindow::showSystemSetting()
{
    m_systemSetting->show();
}

void MainWindow::showPreferences()
{
    if (!m_preferences) {
        m_preferences = new PreferencesWidget(this);
        connect(m_preferences, &PreferencesWidget::restart, this, &MainWindow::restart);
        connect(m_preferences, &QDialog::accepted, this, &MainWindow::setPreferences);
    }
    Ui_PreferencesWidgetClass* ui = m_preferences->ui();
    ui->checkBoxWatermark->setChecked(m_watermark);
    ui->checkBoxSplashscreenAtStartup->setChecked(m_splashscreenAtStartup);
    ui->checkBoxSplashscreenTransparentBackground->setChecked(m_splashscreenTransparentBackground);
    ui->checkBoxInverseMouseWheel->setChecked(m_inverseMouseWheel);
    ui->checkBoxTrackballHelper->setChecked(m_displayTrackballHelper);
    m_preferences->currentLanguage = m_currentLanguage;
    m_preferences->fillLanguageList();
    m_preferences->show();
}

void MainWindow::setPreferences()
{
    if (!m_preferences)
        return;
    const Ui_PreferencesWidgetClass* ui = m_preferences->ui();
    m_watermark = ui->checkBoxWatermark->isChecked();
    m_splashscreenAtStartup = ui->checkBoxSplashscreenAtStartup->isChecked();
    m_splashscreenTransparentBackground = ui->checkBoxSplashscreenTransparentBackground->isChecked();
    m_inverseMouseWheel = ui->checkBoxInverseMouseWheel->isChecked();
    m_displayTrackballHelper = ui->checkBoxTrackballHelper->isChecked();
    m_currentLanguage = m_preferences->currentLanguage;
    m_sceneView->setEnabledInverseMouseWheel(m_inverseMouseWheel);
    m_sceneView->setEnabledTrackbalHelper(m_displayTrackballHelper);
}
