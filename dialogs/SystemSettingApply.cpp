// Putting the settings into effect: through the settings target (the main window) when there is one,
// else straight into the libraries that keep them.

#include "dialogs/SystemSetting.h"

#include "dialogs/SettingsTarget.h"
#include "view/SceneView.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/measure/Measure.h"
#include "vantor/note/Note.h"
#include "vantor/section/Section.h"
#include "vantor/util/LogHandler.h"

void SystemSetting::requestViewFrame()
{
    // Colours and sizes went to the decorators and libraries directly: the view draws them anew.
    if (SceneView* view = sceneView())
        view->requestFrame();
}

SceneView* SystemSetting::sceneView() const
{
    SettingsTarget* window = target();
    return window ? window->sceneView() : nullptr;
}

void SystemSetting::applyGrid(bool show, const QColor& color)
{
    SceneView* view = sceneView();
    if (!view)
        return;
    if (show != view->isGridShown()) {
        view->setGridShow(show);
        view->updateGrid();
    }
    view->setGridColor(color);
    view->updateGrid();
}

void SystemSetting::applyLogSettings()
{
    Vantor::LogHandler* log = Vantor::LogHandler::getInstance();
    log->setLogToFile(m_values.logOpened);
    log->m_logToFile = m_values.logOpened;
    log->setLogDirectory(m_values.logPath);
    log->setMessageLevel(m_values.logLevel);
}

void SystemSetting::emitAllSettings()
{
    const SystemSettingValues& v = m_values;
    emit breakroundColorChanged(v.backColorBegin);
    emit notefontColorChanged(v.fontColor);
    emit markColorChanged(v.markColor);
    emit sectionShowChanged(v.sectionShow);
    emit sectionColorChanged(v.sectionColor);
    emit breakroundTransparentChanged(v.breakroundTransparent);
    emit ExactvalueChanged(v.fExactvalue);
    emit unitTypeChanged(v.unitType);
    emit FontSizeChanged(v.nFontSize);
    emit sectionTransparentChanged(v.sectionTransparent);
    emit CollisionColorChanged(v.collisionColor, v.contactpairColor);
    emit preselectionColorChanged(v.preselectionColor);
    emit readPMIChanged(v.PMI);
    emit readEdgeChanged(v.loadEdge);
    emit mergeFaceChanged(v.faceMerge);
    emit RoamSmartSelectBodyLength(v.smartSelectBodyLength);
    emit RoamHumanHeightChanged(v.nRoamHumanHeight);
    emit AllowPreSelectedChanged(v.allowPreSelected);
    emit AllowMultiSelectedChanged(v.allowMultiSelected);
    emit selectionColorChanged(v.selectionColor);
    emit QuickAccessChanged();
    emit SmallFeatureCulling(v.smallFeatureCulling);
    applyGrid(v.gridShow, v.gridColor);
    applyLogSettings();
    requestViewFrame();
}

void SystemSetting::setQuickAccessChanged()
{
    if (SettingsTarget* window = target())
        window->setQuickAccess(m_values.quickAccess);
}

void SystemSetting::setmarkColor(QColor color)
{
    Vantor::SNote::setMarkColor(color);
}

void SystemSetting::setmarkLineWidth(int width)
{
    Vantor::SNote::m_markSize = width;
}

void SystemSetting::setUnitType(int unit)
{
    Vantor::MeasureMethod::unitType = unit;
}

void SystemSetting::setExactvalue(float value)
{
    Vantor::MeasureMethod::exactvalue = double(value);
}

void SystemSetting::setFontSize(int size)
{
    Vantor::Note::fontSize = size;
}

void SystemSetting::setFontColor(QColor color)
{
    Vantor::Note::setFontColor(color);
}

void SystemSetting::setCollisionColor(QColor pairColor, QColor contactColor)
{
    if (SettingsTarget* window = target())
        window->setCollisionColor(pairColor, contactColor);
}

void SystemSetting::setPreselectionColor(QColor color)
{
    if (SettingsTarget* window = target())
        window->setPreselectionColor(color);
}

void SystemSetting::setSelectionColor(QColor color)
{
    if (SettingsTarget* window = target())
        window->setselectionColor(color);
}

void SystemSetting::setBreakroundTransparentChanged(bool transparent)
{
    if (SettingsTarget* window = target())
        window->setSnapshotTransparentBackground(transparent);
}

void SystemSetting::setSectionShow(bool show)
{
    if (SettingsTarget* window = target())
        window->setSectionShow(show);
}

void SystemSetting::setSectionColor(QColor color)
{
    if (SettingsTarget* window = target())
        window->setSectionColor(color);
    else
        Vantor::Section::setColor(sectionColour(color));
}

void SystemSetting::setSectionTransparent(int percent)
{
    if (SettingsTarget* window = target())
        window->setSectionTransparent(float(percent) / 100.0f);
    else
        Vantor::Section::setTransparent(float(percent) / 100.0f);
}

void SystemSetting::setAllowPreSelected(bool on)
{
    if (SettingsTarget* window = target())
        window->setAllowPreSelected(on);
}

void SystemSetting::setAllowMultiSelected(bool on)
{
    if (SettingsTarget* window = target())
        window->setAllowMultiSelected(on);
}

void SystemSetting::setReadPMIChanged(bool on)
{
    if (SettingsTarget* window = target())
        window->setReadPMI(on);
}

void SystemSetting::setReadEdgeChanged(bool on)
{
    if (SettingsTarget* window = target())
        window->setReadEdge(on);
}

void SystemSetting::setMergeFaceChanged(bool on)
{
    if (SettingsTarget* window = target())
        window->serMergeFace(on);
}

void SystemSetting::setGridShow(bool show)
{
    m_values.gridShow = show;
}

void SystemSetting::setSmallFeatureCulling(int pixels)
{
    Vantor::NerioViewerManipulatorState::SmallFeatureCullSize = float(pixels);
}
