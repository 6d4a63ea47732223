// Undo, redo and Escape; the full-screen layout; keys; the log dock's buttons; the periodic menu state;
// the snapshot watermark; restart, help and About.

#include "app/MainWindow.h"

#include "animation/AnimationEditorUI.h"
#include "app/AboutDialog.h"
#include "app/DockForms.h"
#include "common/Prompts.h"
#include "panels/BookmarkWidget.h"
#include "osgqt/GraphicsWindowQt.h"
#include "view/SceneView.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/util/LogHandler.h"
#include "ribbonbar/SARibbonBar.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDesktopWidget>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextCodec>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

// Outside any namespace: the macro declares the resource's init function where it stands.
static void initWatermarkResource()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(Watermark);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

// Screen on which the window was last seen; -1 until the first refresh.
int g_lastScreenNumber = -1;

const char* const kSelectionActions[] = {"Basic_NodeColor", "Basic_Transparency", "Basic_Isolation", "Basic_Hide",
                                         "Basic_Selection"};

} // namespace

void MainWindow::initGeneral()
{
    if (m_logForm) {
        connect(m_logForm->pushButtonSaveLog, &QPushButton::pressed, this, &MainWindow::on_pushButtonSaveLog_pressed);
        connect(m_logForm->pushButtonClearLog, &QPushButton::pressed, this, &MainWindow::on_pushButtonClearLog_pressed);
    }
    m_menuStateTimer = new QTimer(this);
    m_menuStateTimer->setInterval(500);
    connect(m_menuStateTimer, &QTimer::timeout, this, &MainWindow::updateGloablMenuState);
    m_menuStateTimer->start();
}

void MainWindow::undoLastCommand()
{
    if (!m_sceneView)
        return;
    if (auto manager = m_sceneView->getCommandManager())
        manager->Undo();
    dropHoverHighlight();
}

void MainWindow::redoLastCommand()
{
    if (!m_sceneView)
        return;
    if (auto manager = m_sceneView->getCommandManager())
        manager->Redo();
    dropHoverHighlight();
}

void MainWindow::dropHoverHighlight()
{
    // The step moved or hid parts under a pointer that is on the Undo button or the keyboard, not on
    // the part: the hover highlight would stay on a part nobody points at. The next move brings it back.
    if (Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager())
        selection->clearPreSelection();
}

void MainWindow::on_actionESC_triggered()
{
    if (!m_sceneView)
        return;
    if (auto manager = m_sceneView->getCommandManager()) {
        manager->CancelCurrentCmd();
        manager->setExecuteType("None");
    }
}

void MainWindow::hideBarsAndDocks()
{
    statusBar()->hide();
    if (QWidget* menu = menuWidget())
        menu->hide();
    if (ribbonBar())
        ribbonBar()->hide();
    for (QDockWidget* dock : findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!dock->isVisible())
            continue;
        if (!m_recordedDocks.contains(dock))
            m_recordedDocks.append(dock);
        dock->hide();
    }
}

void MainWindow::showBarsAndDocks()
{
    if (QWidget* menu = menuWidget())
        menu->show();
    statusBar()->show();
    if (ribbonBar())
        ribbonBar()->show();
    for (QDockWidget* dock : qAsConst(m_recordedDocks))
        if (dock)
            dock->show();
    m_recordedDocks.clear();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (windowState() & Qt::WindowFullScreen) {
            setWindowState(windowState() & ~Qt::WindowFullScreen);
            showBarsAndDocks();
            if (m_exitFullScreenButton)
                m_exitFullScreenButton->hide();
            if (QAction* fullScreen = getAction(QStringLiteral("Basic_FullScreen")))
                fullScreen->setChecked(false);
        } else {
            on_actionESC_triggered();
        }
        event->accept();
        return;
    }
    if (event->modifiers() == Qt::AltModifier && event->key() == Qt::Key_D
        && metaObject()->indexOfSlot("on_actionStats_triggered()") >= 0)
        QMetaObject::invokeMethod(this, "on_actionStats_triggered", Qt::DirectConnection);
    if (event->modifiers() & Qt::ShiftModifier)
        statusBar()->showMessage(tr("Use Shift+Left Click to recenter view"), 5000);
    else if (event->modifiers() & Qt::ControlModifier)
        statusBar()->showMessage(tr("Use Ctrl+Left Click to select element"), 5000);
    SARibbonMainWindow::keyPressEvent(event);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event)
{
    SARibbonMainWindow::keyReleaseEvent(event);
}

bool MainWindow::eventFilter(QObject* object, QEvent* event)
{
    const bool press = event->type() == QEvent::KeyPress;
    const bool release = event->type() == QEvent::KeyRelease;
    if ((press || release) && m_sceneView) {
        if (object == m_sceneView) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (press)
                keyPressEvent(key);
            else
                keyReleaseEvent(key);
            // Otherwise the key climbs from the view to this window and is handled a second time; the
            // view's GL surface has had it already.
            key->accept();
            return true;
        }
        if (m_sceneView->eventFilter(object, event))
            return true;
    }
    return SARibbonMainWindow::eventFilter(object, event);
}

void MainWindow::on_pushButtonSaveLog_pressed()
{
    const QString path = Prompts::get().getSaveFileName(this, tr("Log file"), lastDirectory, tr("Log file (*.log)"));
    if (path.isEmpty())
        return;
    lastDirectory = QFileInfo(path).absolutePath();
    // Written aside and put in place at the end: a failed save writes nothing.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        Vantor::LogHandler::getInstance()->reportError(tr("Can't save log file !!: %1").arg(path));
        return;
    }
    {
        QTextStream out(&file);
        out.setCodec(QTextCodec::codecForLocale());
        if (QTextBrowser* browser = logBrowser())
            out << browser->toPlainText();
        out.flush();
    }
    if (file.error() != QFileDevice::NoError || !file.commit())
        Vantor::LogHandler::getInstance()->reportError(tr("Can't save log file !!: %1").arg(path));
}

void MainWindow::on_pushButtonClearLog_pressed()
{
    if (QTextBrowser* browser = logBrowser())
        browser->clear();
}

void MainWindow::setGroupActionIcon(const QString& itemKey, const QString& groupKey)
{
    QAction* item = getAction(itemKey);
    QAction* group = getAction(groupKey);
    if (item && group)
        group->setIcon(item->icon());
}

void MainWindow::updateGloablMenuState()
{
    // While a load or a save runs the window stays as the busy state left it: the loader's thread
    // works on the scene.
    if (!m_busy) {
        if (hasLoadedModel()) {
            Vantor::ISelectionManager* selection = m_sceneView ? m_sceneView->getSelectionManager() : nullptr;
            const bool selected = selection && !selection->getSelectedList().empty();
            for (const char* key : kSelectionActions)
                if (QAction* action = getAction(QLatin1String(key)))
                    action->setEnabled(selected);
            if (m_animationEditor)
                m_animationEditor->setToolsEnabled(selected);
        }
        if (BookmarkWidget* panel = bookmarkPanel()) {
            const int row = panel->listWidget()->currentRow();
            const int count = panel->listWidget()->count();
            if (QAction* a = getAction(QStringLiteral("Basic_Update")))
                a->setEnabled(row != -1);
            if (QAction* a = getAction(QStringLiteral("Basic_Delete")))
                a->setEnabled(row != -1);
            if (QAction* a = getAction(QStringLiteral("Basic_Lastview")))
                a->setEnabled(row > 0 && row < count);
            if (QAction* a = getAction(QStringLiteral("Basic_Nextview")))
                a->setEnabled(row >= 0 && row < count - 1);
        }
    }

    const int screen = QApplication::desktop()->screenNumber(this);
    if (screen != g_lastScreenNumber) {
        g_lastScreenNumber = screen;
        if (auto* gl = qobject_cast<osgQt::GLWidget*>(m_sceneView ? m_sceneView->graphicsWidget() : nullptr))
            gl->primaryScreenChanged();
    }
}

void MainWindow::drawWatermark(QImage& image)
{
    if (image.isNull())
        return;
    initWatermarkResource();
    const QImage mark(QStringLiteral(":/VantorViewer/watermark.png"));
    if (mark.isNull())
        return;
    if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono
        || image.format() == QImage::Format_MonoLSB)
        image = image.convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.drawImage(10, image.height() - mark.height() - 10, mark);
}

QPair<QString, QStringList> MainWindow::restartCommand(const QStringList& arguments)
{
    // The program by its absolute path: argument 0 may name it relative to a folder or by the search path.
    return {QCoreApplication::applicationFilePath(), arguments.mid(1)};
}

void MainWindow::restart()
{
    // The new process reads the settings at once: they must hold the new language before it starts.
    writeSettings();
    const QPair<QString, QStringList> command = restartCommand(QCoreApplication::arguments());
    QProcess::startDetached(command.first, command.second);
    close();
}

QString MainWindow::helpDocumentPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/document/help.pdf");
}

void MainWindow::openHelpDocument()
{
    const QString path = helpDocumentPath();
    if (!QFileInfo::exists(path)) {
        Vantor::LogHandler::getInstance()->reportWarning(tr("The help document %1 is not installed.").arg(path));
        Prompts::get().information(this, tr("Help", "message box"), tr("The help document is not installed:\n%1").arg(path));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        Vantor::LogHandler::getInstance()->reportWarning(tr("No program could open the help document %1.").arg(path));
        Prompts::get().information(this, tr("Help", "message box"), tr("No program could open the help document:\n%1").arg(path));
    }
}

void MainWindow::showAboutDialog()
{
    if (!m_aboutDialog) {
        m_aboutDialog = new AboutDialog(this);
        m_aboutDialog->setWindowFlags(Qt::WindowFlags(0x8000003));
    }
    m_aboutDialog->show();
}
