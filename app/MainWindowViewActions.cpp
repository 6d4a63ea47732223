// Ribbon actions that move and set up the camera: standard views, directions, projection, mouse modes,
// focus, full screen, bookmarks, level of detail and roaming.

#include "app/MainWindow.h"

#include "panels/BookmarkWidget.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/BaseViewCommand.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/FocusViewCommand.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/ViewDirectionCommand.h"
#include "vantor/model/Model.h"
#include "vantor/model/PropertiesManager.h"
#include "vantor/section/SectionManager.h"
#include "vantor/walker/WalkerManipulator.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <cfloat>

namespace {

// The view's trackball, or null while another manipulator (the walker) drives the camera.
PickingHandler* trackballOf(SceneView* view)
{
    osgViewer::View* v = view ? view->getView().get() : nullptr;
    return v ? dynamic_cast<PickingHandler*>(v->getCameraManipulator()) : nullptr;
}

Vantor::WalkerManipulator* walkerOf(SceneView* view)
{
    osgViewer::View* v = view ? view->getView().get() : nullptr;
    return v ? dynamic_cast<Vantor::WalkerManipulator*>(v->getCameraManipulator()) : nullptr;
}

} // namespace

// ---- Standard views ----

void MainWindow::on_actionViewChanged_triggered(Vantor::BaseViewType viewType)
{
    auto manager = m_sceneView->getCommandManager();
    if (!manager)
        return;
    auto command = std::make_shared<Vantor::BaseViewCommand>(m_sceneView, m_sceneView->getView());
    command->setViewType(viewType);
    manager->DoCommand(command);
}

void MainWindow::on_actionFrontView_triggered() { on_actionViewChanged_triggered(Vantor::Front); }
void MainWindow::on_actionBackView_triggered() { on_actionViewChanged_triggered(Vantor::Back); }
void MainWindow::on_actionLeftView_triggered() { on_actionViewChanged_triggered(Vantor::Left); }
void MainWindow::on_actionRightView_triggered() { on_actionViewChanged_triggered(Vantor::Right); }
void MainWindow::on_actionTopView_triggered() { on_actionViewChanged_triggered(Vantor::Top); }
void MainWindow::on_actionBottomView_triggered() { on_actionViewChanged_triggered(Vantor::Bottom); }
void MainWindow::on_actionIsodraftView_triggered() { on_actionViewChanged_triggered(Vantor::Isodraft); }

void MainWindow::on_actionResetView_triggered()
{
    m_sceneView->home();
}

// ---- View directions ----

void MainWindow::on_actionViewDirection_triggered(Vantor::ViewDirection direction, QString key)
{
    for (QAction* action : qAsConst(m_directionActions))
        if (action)
            action->setChecked(false);
    if (QAction* chosen = getAction(key))
        chosen->setChecked(true);
    auto manager = m_sceneView->getCommandManager();
    if (!manager || !m_sceneModel)
        return;
    auto command = std::make_shared<Vantor::ViewDirectionCommand>(m_sceneModel->getModel(), m_sceneModel->getModelMatrix());
    command->setDirection(direction);
    if (manager->DoCommand(command)) {
        // Undo and redo turn the model again: the scene is fitted again after them too.
        QPointer<MainWindow> self(this);
        command->setOnTurned([self] {
            if (self)
                self->on_actionFinishDirection_triggered();
        });
    }
}

void MainWindow::on_actionViewDirection_triggered()
{
    if (QAction* group = getAction(QStringLiteral("Basic_ViewDirection")))
        group->setChecked(true);
}

void MainWindow::runDirection(int direction, const char* key)
{
    const QString k = QString::fromLatin1(key);
    on_actionViewDirection_triggered(Vantor::ViewDirection(direction), k);
    setGroupActionIcon(k, QStringLiteral("Basic_ViewDirection"));
    on_actionFinishDirection_triggered();
}

void MainWindow::on_actionXDirection_triggered() { runDirection(Vantor::XDirection, "Basic_XDirection"); }
void MainWindow::on_actionYDirection_triggered() { runDirection(Vantor::YDirection, "Basic_YDirection"); }
void MainWindow::on_actionZDirection_triggered() { runDirection(Vantor::ZDirection, "Basic_ZDirection"); }
void MainWindow::on_actionXOppositeDirection_triggered() { runDirection(Vantor::XOppositeDirection, "Basic_XOppositeDirection"); }
void MainWindow::on_actionYOppositeDirection_triggered() { runDirection(Vantor::YOppositeDirection, "Basic_YOppositeDirection"); }
void MainWindow::on_actionZOppositeDirection_triggered() { runDirection(Vantor::ZOppositeDirection, "Basic_ZOppositeDirection"); }

void MainWindow::on_actionFinishDirection_triggered()
{
    // The turned model has a new box: forget the cached one, then fit sections, grid and clip range.
    m_sceneView->updateWhenSceneBoxChanged(true);
    if (!m_sceneModel)
        return;
    if (osg::ref_ptr<Vantor::PropertiesManager> properties = m_sceneModel->getPropertiesManager())
        if (osg::ref_ptr<Vantor::Model> model = dynamic_cast<Vantor::Model*>(m_sceneModel->getModel()))
            properties->updateModelProperties(model, false);
}

// ---- Projection and mouse modes ----

void MainWindow::on_actionPerspective_triggered(bool checked)
{
    if (PickingHandler* handler = trackballOf(m_sceneView))
        handler->setPerpectiveCamera(checked);
}

void MainWindow::changeCameraPerperctive(PickingHandler* pickHandler, bool perpective)
{
    if (pickHandler)
        pickHandler->setPerpectiveCamera(perpective);
    QAction* action = getAction(QStringLiteral("Basic_Perspective"));
    if (!action)
        return;
    // The button offers the other projection.
    if (perpective) {
        action->setIcon(QIcon(QStringLiteral(":/VantorViewer/icon/Parallelprojection.png")));
        action->setText(tr("Parallel projection", "projection toggle"));
    } else {
        action->setIcon(QIcon(QStringLiteral(":/VantorViewer/icon/Perspective.png")));
        action->setText(tr("Perspective"));
    }
}

namespace {

void setChecked(MainWindow* window, const char* key, bool on)
{
    if (QAction* action = window->getAction(QString::fromLatin1(key)))
        action->setChecked(on);
}

// Zoom or pan while checked, back to rotating when unchecked; only the chosen mode's button stays checked.
void setMouseMode(MainWindow* window, SceneView* view, bool checked, PickingHandler::MouseMode mode, const char* key)
{
    PickingHandler* handler = trackballOf(view);
    if (!checked) {
        if (handler)
            handler->mouseMode = PickingHandler::Rotate;
        return;
    }
    if (handler)
        handler->mouseMode = mode;
    for (const char* other : {"Basic_Zoom", "Basic_Translation", "Basic_Rotation"})
        setChecked(window, other, qstrcmp(other, key) == 0);
}

} // namespace

void MainWindow::on_actionTrackballManipulatorRotation_triggered()
{
    if (PickingHandler* handler = trackballOf(m_sceneView))
        handler->mouseMode = PickingHandler::Rotate;
    setChecked(this, "Basic_Zoom", false);
    setChecked(this, "Basic_Translation", false);
    setChecked(this, "Basic_Rotation", true);
}

void MainWindow::on_actionTrackballManipulatorZoom_triggered(bool checked)
{
    setMouseMode(this, m_sceneView, checked, PickingHandler::Zoom, "Basic_Zoom");
}

void MainWindow::on_actionTrackballManipulatorPan_triggered(bool checked)
{
    setMouseMode(this, m_sceneView, checked, PickingHandler::Pan, "Basic_Translation");
}

// ---- Focus ----

void MainWindow::on_actionFocusNode_triggered()
{
    NodePtrList nodes;
    if (Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager())
        nodes = selection->getSelectedList();
    if (nodes.empty()) {
        osgViewer::View* view = m_sceneView->getView().get();
        osg::ref_ptr<Vantor::Model> top = Vantor::Model::GetTopModel(view ? view->getSceneData() : nullptr);
        if (top.valid() && top->getNumChildren() > 0)
            nodes.push_back(top.get());
    }
    auto manager = m_sceneView->getCommandManager();
    if (nodes.empty() || !manager)
        return;
    auto command = std::make_shared<Vantor::FocusViewCommand>(m_sceneView->getView());
    command->setFocusNode(nodes);
    manager->DoCommand(command);
}

// ---- Level of detail ----

void MainWindow::applyLodScale()
{
    if (osgViewer::View* view = m_sceneView->getView().get())
        if (osg::Camera* camera = view->getCamera())
            camera->setLODScale(m_lodScale);
    if (m_statusLabel1)
        m_statusLabel1->setText(tr("LOD x%1").arg(double(m_lodScale), 0, 'g', 6));
}

void MainWindow::on_actionIncreaseLOD_triggered()
{
    m_lodScale = std::min(m_lodScale * 2.0f, 1000.0f);
    applyLodScale();
}

void MainWindow::on_actionDecreaseLOD_triggered()
{
    m_lodScale = std::max(m_lodScale * 0.5f, 0.0001f);
    applyLodScale();
}

void MainWindow::on_actionResetLOD_triggered()
{
    m_lodScale = 1.0f;
    applyLodScale();
}

// ---- Full screen ----

void MainWindow::on_actionFullScreen_triggered(bool checked)
{
    QAction* fullScreen = getAction(QStringLiteral("Basic_FullScreen"));
    if (checked) {
        showFullScreen();
        hideBarsAndDocks();
        if (m_exitFullScreenButton) {
            m_exitFullScreenButton->setWindowFlags(m_exitFullScreenButton->windowFlags() | Qt::WindowStaysOnTopHint);
            m_exitFullScreenButton->setGeometry(width() - 100, 0, 100, 20);
            m_exitFullScreenButton->show();
            m_exitFullScreenButton->raise();
        }
        update();
        return;
    }
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    showBarsAndDocks();
    if (m_exitFullScreenButton)
        m_exitFullScreenButton->hide();
    if (fullScreen) {
        // The exit button also lands here; the action must not run this slot a second time.
        const QSignalBlocker blocker(fullScreen);
        fullScreen->setChecked(false);
    }
}

// ---- Bookmarks ----

void MainWindow::on_actionBookMarkNext_triggered()
{
    showNextBookmark();
}

void MainWindow::on_actionBookMarkBack_triggered()
{
    showPreviousBookmark();
}

// ---- Roaming ----

void MainWindow::on_actionRoam_triggered(bool)
{
    const ManipulatorType type = m_sceneView->getManipulatorType();
    const auto enableBoxes = [this](bool on) {
        for (QDoubleSpinBox* box : {m_roamLinearVelocity, m_roamStep, m_roamAngularVelocity})
            if (box)
                box->setEnabled(on);
    };
    if (type == 0) {
        enableBoxes(true);
        m_sceneView->changeManipulator(3);
        // The walk starts at the speeds the boxes show; the boxes then show what the walker has.
        if (Vantor::WalkerManipulator* walker = walkerOf(m_sceneView)) {
            if (m_roamLinearVelocity)
                VelcityChanged(m_roamLinearVelocity->value());
            if (m_roamAngularVelocity)
                AngularChanged(m_roamAngularVelocity->value());
            walker->notifyAll();
        }
    } else if (type == 3) {
        enableBoxes(false);
        m_sceneView->changeManipulator(0);
    }
}

void MainWindow::on_actionSetRoamHome_triggered()
{
    if (Vantor::WalkerManipulator* walker = walkerOf(m_sceneView))
        walker->SetCurrentStateAsHomePosition();
}

void MainWindow::on_actionToRoamHome_triggered()
{
    if (Vantor::WalkerManipulator* walker = walkerOf(m_sceneView))
        walker->home(0.0);
}

void MainWindow::on_actionSetGravityMode_triggered(bool checked)
{
    if (Vantor::WalkerManipulator* walker = walkerOf(m_sceneView))
        walker->setUseGravity(checked);
}

void MainWindow::on_actionSetObstacleMode_triggered(bool checked)
{
    if (Vantor::WalkerManipulator* walker = walkerOf(m_sceneView))
        walker->setUseObstacles(checked);
}

void MainWindow::onStepLengthChanged(double value)
{
    if (m_roamLinearVelocity)
        m_roamLinearVelocity->setSingleStep(value / 1000.0);
}
