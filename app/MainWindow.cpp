#include "app/MainWindow.h"

#include "automation/Message.h"
#include "automation/MessageProcesser.h"
#include "automation/ProcessCommunication.h"

#include "view/SceneView.h"
#include "view/PickingHandler.h"
#include "app/DockForms.h"
#include "app/MainWindowListeners.h"
#include "vantor/effect/EffectManager.h"
#include "animation/AnimationEditorUI.h"
#include "vantor/animation/AnimationManager.h"
#include "app/SmallWidgets.h"
#include "app/ThreadPool.h"
#include "vantor/util/LogHandler.h"
#include "app/StartupFlags.h"
#include "dialogs/SystemSetting.h"
#include "dialogs/ToolDialogs.h"
#include "ribbonbar/SARibbonBar.h"
#include "vantor/section/SectionManager.h"
#include "vantor/walker/WalkerManipulator.h"

#include <osgViewer/View>

#include <QAction>
#include <QApplication>
#include <QDesktopWidget>
#include <QDockWidget>
#include <QFileInfo>
#include <QIcon>
#include <QPointer>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QThread>

MainWindow::MainWindow(QWidget* parent) : SARibbonMainWindow(parent)
{
    qRegisterMetaType<ObjectLoader::LoadFileValueType>("ObjectLoader::LoadFileValueType");

    m_watermark = false;

    m_sceneView = new SceneView(this);
    setWindowIcon(QIcon(QStringLiteral(":/VantorViewer/Nerio3dViewer.ico")));
    setAcceptDrops(true);
    setCentralWidget(m_sceneView);

    if (osg::ref_ptr<PickingHandler> handler = m_sceneView->getPickingHandler())
        handler->setOnPerpectiveCameraChanged([this](bool perspective) { onPerspectiveCameraChanged(perspective); });
    m_sceneView->onManipulatorChanged = [this](ManipulatorType type) { onRoamModeChanged(type); };

    readSettings();
    initUI();
    initRibbon();
    setGlobalMenuState(false);

    m_systemSetting = new SystemSetting(this, this);
    m_systemSetting->setWindowModality(Qt::ApplicationModal);
    m_systemSetting->readConfig();
    registerCommand();
    // The editor asks before long operations unless the settings say not to.
    if (m_animationEditor)
        m_animationEditor->systemSettings = m_systemSetting;
}

MainWindow::~MainWindow()
{
    // The log dock goes with the window: no message may reach it from here on.
    Vantor::LogHandler::getInstance()->disconnect(this);
    if (m_animationListener.valid()) {
        m_animationListener->detach();
        if (osg::ref_ptr<Vantor::AnimationManager> manager = m_sceneView->getAnimationManager())
            manager->removeAnimationManagerListener(m_animationListener.get());
    }
    if (m_effectListener.valid()) {
        m_effectListener->detach();
        if (osg::ref_ptr<Vantor::EffectManager> effects = m_sceneView->getEffectManager())
            effects->RemoveListener(m_effectListener.get());
    }
    if (m_walkListener.valid()) {
        m_walkListener->detach();
        m_sceneView->getWalkerManipulator()->removeListener(m_walkListener.get());
    }
    ThreadPool::getInstance()->stop();
    writeSettings();
    // The pool is stopped only for up to a second per thread: a read or save still running on the
    // loader's thread must end before the loader goes, or it would work on a deleted object.
    if (m_loader) {
        m_loader->shutdown();
        delete m_loader;
        m_loader = nullptr;
    }
    delete m_combineDialog;
    m_combineDialog = nullptr;
    qDeleteAll(m_parentlessDocks);
    m_parentlessDocks.clear();
    delete m_bookmarkForm;
    delete m_propertyForm;
    delete m_statisticsForm;
    delete m_treeForm;
    delete m_logForm;
}

QAction* MainWindow::getAction(const QString& key) const
{
    return m_actionMap.value(key, nullptr);
}

void MainWindow::onPerspectiveCameraChanged(bool perspective)
{
    if (QAction* a = getAction(QStringLiteral("Basic_Perspective"))) {
        const QSignalBlocker block(a);
        a->setChecked(!perspective);
    }
}

void MainWindow::onRoamModeChanged(int type)
{
    const QStringList options{QStringLiteral("Roam_Obstacles"), QStringLiteral("Roam_Gravitymodel"),
                              QStringLiteral("Roam_Thirdperson")};
    if (type == 3) {
        if (QAction* a = getAction(QStringLiteral("Roam_Roam")))
            a->setChecked(true);
        for (const QString& k : options)
            if (QAction* a = getAction(k))
                a->setEnabled(true);
        return;
    }
    for (const QString& k : QStringList{QStringLiteral("Roam_Roam")} + options)
        if (QAction* a = getAction(k))
            a->setChecked(false);
    for (const QString& k : options)
        if (QAction* a = getAction(k))
            a->setEnabled(false);
}

double MainWindow::scaleForDpi(double logicalDpi)
{
    const double x = logicalDpi / 96.0;
    if (x < 1.1)
        return 1.0;
    if (x < 1.4)
        return 1.25;
    if (x < 1.6)
        return 1.5;
    if (x < 1.8)
        return 1.75;
    return 2.0;
}

double MainWindow::rateUI()
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return 0;
    const int n = QApplication::desktop()->screenNumber(this);
    // Before the window is shown the number may lie outside the list: use the primary screen.
    QScreen* screen = (n >= 0 && n < screens.size()) ? screens.at(n) : QGuiApplication::primaryScreen();
    return scaleForDpi(screen->logicalDotsPerInch());
}

void MainWindow::on_actionClipSelectedNodes_triggerd(bool checked)
{
    QAction* clip = getAction(QStringLiteral("Section_ClipSelected"));
    osgViewer::View* view = m_sceneView->getView().get();
    osg::ref_ptr<Vantor::SectionManager> sections =
        view ? Vantor::SectionManager::GetSectionManager(view->getSceneData()) : nullptr;
    if (!sections) {
        if (clip)
            clip->setChecked(false);
        return;
    }
    sections->setApplyToSelected(checked);
    if (clip)
        clip->setChecked(sections->getApplyToSelected());
}

void MainWindow::on_actionRomanThirdperson_triggered(bool)
{
    osgViewer::View* view = m_sceneView->getView().get();
    if (auto* walker = dynamic_cast<Vantor::WalkerManipulator*>(view ? view->getCameraManipulator() : nullptr))
        walker->setUseThridpersonView(!walker->getUseThridpersonView());
}

void MainWindow::resetDockFloating()
{
    for (QDockWidget* dock : m_dockList)
        if (dock)
            dock->setFloating(false);
}

// ---- Host channel ----

bool MainWindow::listenForHost(const QString& title)
{
    ProcessCommunication* channel = ProcessCommunication::instance();
    QPointer<MainWindow> self(this);
    channel->setRecordReceiver([self](const CopyDataStruct& data) {
        if (self)
            self->receiveHostRecord(data);
    });
    return channel->listen(title);
}

void MainWindow::receiveHostRecord(const CopyDataStruct& data)
{
    ProcessCommunication::instance()->handleRecord(data, [this](const std::shared_ptr<Message>& msg) {
        if (!m_messageProcessor)
            m_messageProcessor = std::make_shared<MessageProcesser>(this);
        m_messageProcessor->process(msg);
    });
    // Whatever the record changed shows in the view's next frame.
    if (m_sceneView)
        m_sceneView->requestFrame();
}

bool MainWindow::nativeEvent(const QByteArray& eventType, void* message, long* result)
{
    // Host records come through receiveHostRecord; native events are never claimed here.
    return SARibbonMainWindow::nativeEvent(eventType, message, result);
}
