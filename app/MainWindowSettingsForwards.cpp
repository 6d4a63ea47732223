// Values the settings and the Roam page's boxes hand on to the view, the walker and the tool strip.

#include "app/MainWindow.h"

#include "dialogs/SystemSetting.h"
#include "view/CToolkit.h"
#include "view/ISelectionDecorator.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/section/Section.h"
#include "vantor/section/SectionManager.h"
#include "vantor/walker/WalkerManipulator.h"

#include <QDoubleSpinBox>

namespace {

Vantor::WalkerManipulator* walkerOf(SceneView* view)
{
    osgViewer::View* v = view ? view->getView().get() : nullptr;
    return v ? dynamic_cast<Vantor::WalkerManipulator*>(v->getCameraManipulator()) : nullptr;
}

osg::Vec4f rgbaOf(const QColor& c)
{
    return osg::Vec4f(float(c.red()) / 255.0f, float(c.green()) / 255.0f, float(c.blue()) / 255.0f, 1.0f);
}

void setDiffuse(osg::Material* material, const QColor& colour)
{
    if (material)
        material->setDiffuse(osg::Material::FRONT_AND_BACK, rgbaOf(colour));
}

// Shows the value in the box without the box's change reaching the slot that feeds the walker.
void showWithoutEcho(QDoubleSpinBox* box, double value)
{
    if (!box)
        return;
    const QSignalBlocker blocker(box);
    box->setValue(value);
}

} // namespace

// ---- Walker speeds ----

void MainWindow::VelcityChanged(double value)
{
    if (Vantor::WalkerManipulator* walker = walkerOf(m_sceneView))
        walker->setVelocity(value * 1000.0);
}

void MainWindow::FovyChanged(double value)
{
    if (Vantor::WalkerManipulator* walker = walkerOf(m_sceneView))
        walker->setFovy(value);
}

void MainWindow::AngularChanged(double value)
{
    if (Vantor::WalkerManipulator* walker = walkerOf(m_sceneView))
        walker->setAngleVelocity(value);
}

void MainWindow::onVelcityChanged(double value)
{
    showWithoutEcho(m_roamLinearVelocity, value);
}

void MainWindow::onFovyChanged(double value)
{
    showWithoutEcho(m_roamStep, value);
}

void MainWindow::onAngularVelocity(double value)
{
    showWithoutEcho(m_roamAngularVelocity, value);
}

// ---- Tool strip, selection and sections ----

void MainWindow::setQuickAccess(QList<QString> keys)
{
    if (m_toolkit)
        m_toolkit->setQuickAccess(keys);
}

void MainWindow::setPreselectionColor(QColor color)
{
    if (osg::ref_ptr<DefaultPreSelectionDecorator> decorator = m_sceneView->GetPreselectionDecoratorManager())
        setDiffuse(decorator->getMaterial(), color);
}

void MainWindow::setselectionColor(QColor color)
{
    if (osg::ref_ptr<DefaultSelectionDecorator> decorator = m_sceneView->GetSelectionDecoratorManager())
        setDiffuse(decorator->getMaterial(), color);
}

void MainWindow::setSectionShow(bool show)
{
    if (osg::ref_ptr<Vantor::SectionManager> sections = m_sceneModel ? m_sceneModel->getSectionManager() : nullptr)
        sections->showSection = show;
}

void MainWindow::setSectionColor(QColor color)
{
    const osg::Vec4 rgba = SystemSetting::sectionColour(color);
    Vantor::Section::setColor(rgba);
    if (osg::ref_ptr<Vantor::SectionManager> sections = m_sceneModel ? m_sceneModel->getSectionManager() : nullptr)
        if (osg::ref_ptr<Vantor::Section> selected = sections->getSelectedSection())
            selected->setPlaneColor(rgba);
}

void MainWindow::setSectionTransparent(float value)
{
    Vantor::Section::setTransparent(value);
    if (osg::ref_ptr<Vantor::SectionManager> sections = m_sceneModel ? m_sceneModel->getSectionManager() : nullptr)
        if (osg::ref_ptr<Vantor::Section> selected = sections->getSelectedSection())
            selected->setPlaneTransparent(value);
}

void MainWindow::setAllowPreSelected(bool on)
{
    if (Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager())
        selection->setPreSelection(on);
}

void MainWindow::setAllowMultiSelected(bool on)
{
    if (Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager())
        selection->setMultiSelection(on);
}

// ---- Reader options: the loader takes them before its next read ----

void MainWindow::setReadPMI(bool on)
{
    emit readPMI(on);
}

void MainWindow::setReadEdge(bool on)
{
    emit readEdge(on);
}

void MainWindow::serMergeFace(bool on)
{
    emit mergeFace(on);
}
