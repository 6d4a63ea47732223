#include "app/MainWindow.h"

#include "automation/Message.h"
#include "automation/MessageProcesser.h"
#include "automation/ProcessCommunication.h"

#include "view/SceneView.h"
#include "ribbonbar/SARibbonBar.h"

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

MainWindow::MainWindow(QWidget* parent) : SARibbonMainWindow(parent)
{
    // Pending: the loader's value type is registered here once the loader exists.
    // Pending: the first settings dialog object (application-modal), watermark cleared.
    m_watermark = false;

    m_sceneView = new SceneView(this);
    setWindowIcon(QIcon(QStringLiteral(":/VantorViewer/Nerio3dViewer.ico")));
    setAcceptDrops(true);
    setCentralWidget(m_sceneView);
    setWindowTitle(m_applicationName);

    // Pending, in this order: the perspective callback on the picking handler, the roam-mode
    // callback on the scene view, readSettings, initUI, the ribbon, the disabled start state,
    // the second settings dialog reading "config.ini", registerCommand, the tree context actions.
    resize(1280, 800);
}

MainWindow::~MainWindow()
{
    // Pending: stop the thread pool, write the settings, delete the loader and the combine dialog.
}

QAction* MainWindow::getAction(const QString& key) const
{
    return m_actionMap.value(key, nullptr);
}

bool MainWindow::loadFile(const QString& filePath)
{
    if (filePath.isEmpty() || !QFileInfo::exists(filePath))
        return false;
    // Pending: the loader.
    return false;
}

void MainWindow::setOcxMode()
{
    m_embedded = true;
    if (ribbonBar())
        ribbonBar()->hide();
    for (QDockWidget* dock : {m_treeDock, m_viewDock, m_annotationDock})
        if (dock)
            dock->hide();
    statusBar()->hide();
    setContentsMargins(0, 0, 0, 0);
    // Pending: the loader's direct connections and the ribbon's buttons once they exist.
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
        if (!m_messageProcesser)
            m_messageProcesser = std::make_shared<MessageProcesser>(this);
        m_messageProcesser->process(msg);
    });
}

bool MainWindow::nativeEvent(const QByteArray& eventType, void* message, long* result)
{
    // Host records come through receiveHostRecord; native events are never claimed here.
    return SARibbonMainWindow::nativeEvent(eventType, message, result);
}
