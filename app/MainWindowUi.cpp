// The main window's user-interface set-up: docks, scene holder, loader thread and their wiring.

#include "app/MainWindow.h"

#include "animation/AnimationEditorUI.h"
#include "app/DockForms.h"
#include "app/MainWindowListeners.h"
#include "view/SectionFilter.h"
#include "common/Prompts.h"
#include "app/SmallWidgets.h"
#include "app/StartupFlags.h"
#include "app/ThreadPool.h"
#include "dialogs/ToolDialogs.h"
#include "panels/BookmarkWidget.h"
#include "panels/CoordinationListeners.h"
#include "panels/CoordinationWidget.h"
#include "panels/OsgTreeModel.h"
#include "panels/SmallPanels.h"
#include "view/FileProgressWidget.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/util/LogHandler.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>

void MainWindow::initUI()
{
    // The window keeps the application font: a larger window font would cascade into every dock.
    if (!m_embedded)
        setWindowTitle(m_applicationName);
    QCoreApplication::setApplicationName(m_applicationName);
    QCoreApplication::setApplicationVersion(m_applicationVersion);
    QCoreApplication::setOrganizationName(QStringLiteral("Nerio3dViewer"));

    m_dockList.clear();
    setDockNestingEnabled(true);

    // Structure tree.
    m_treeDock = new QDockWidget(this);
    m_treeForm = new Ui_treeDock;
    m_treeForm->setupUi(m_treeDock);
    m_treeDock->setWindowTitle(tr("结构树"));
    m_treeDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_treeDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::LeftDockWidgetArea, m_treeDock);
    m_dockList.append(m_treeDock);
    m_treeDock->setVisible(showTreeDockAtStart);
    m_treeForm->treeViewStructure->setItemDelegateForColumn(0, new QTreeviewDelegate(this));

    // Property and statistics docks: parentless, hidden, shown by the slots that use them.
    auto* propertyDock = new QDockWidget();
    m_propertyForm = new Ui_propertyDock;
    m_propertyForm->setupUi(propertyDock);
    propertyDock->hide();
    auto* statisticsDock = new QDockWidget();
    m_statisticsForm = new Ui_statisticsDock;
    m_statisticsForm->setupUi(statisticsDock);
    statisticsDock->hide();
    m_parentlessDocks << propertyDock << statisticsDock;

    // Saved views and bookmarks.
    m_viewDock = new QDockWidget(this);
    m_bookmarkForm = new Ui_dockWidgetBookmark;
    m_bookmarkForm->setupUi(m_viewDock);
    m_viewDock->setWindowTitle(tr("视图"));
    addDockWidget(Qt::LeftDockWidgetArea, m_viewDock);
    m_dockList.append(m_viewDock);
    m_viewDock->setVisible(showViewDockAtStart);

    // Log: a parentless dock, hidden until asked for.
    auto* logDock = new QDockWidget();
    m_logForm = new Ui_logDock;
    m_logForm->setupUi(logDock);
    logDock->hide();
    m_parentlessDocks << logDock;

    // Annotation panel.
    m_annotationPanel = new CoordinationWidget(this, m_sceneView->getCommandManager());
    m_annotationPanel->setVisible(showAnnotationAtStart);
    m_annotationPanel->setSelectionManager(m_sceneView->getSelectionManager());
    m_annotationDock = new QDockWidget(tr("协同"), this);
    m_annotationDock->setObjectName(QStringLiteral("annotationDock")); // saveState needs a name
    m_annotationDock->setWidget(m_annotationPanel);
    addDockWidget(Qt::LeftDockWidgetArea, m_annotationDock);
    m_dockList.append(m_annotationDock);

    tabifyDockWidget(m_treeDock, m_viewDock);
    tabifyDockWidget(m_viewDock, m_annotationDock);

    // Log messages, including those logged before the dock existed.
    m_logForm->textBrowserLog->document()->setMaximumBlockCount(1000);
    Vantor::LogHandler* log = Vantor::LogHandler::getInstance();
    connect(log, &Vantor::LogHandler::newMessage, this, QOverload<const QString&>::of(&MainWindow::printToLog));
    connect(log, &Vantor::LogHandler::newMessages, this, QOverload<const QStringList&>::of(&MainWindow::printToLog));
    log->startEmission(true);

    // Structure tree model.
    m_treeModel = new OsgTreeModel(this);
    m_treeModel->setSelectionManager(m_sceneView->getSelectionManager());
    m_treeModel->setTreeView(m_treeForm->treeViewStructure);
    QTreeView* tree = m_treeForm->treeViewStructure;
    tree->setModel(m_treeModel);
    tree->setUniformRowHeights(true);
    tree->setColumnHidden(1, true);
    tree->setColumnHidden(2, true);
    tree->setDragDropMode(QAbstractItemView::DragDrop);
    tree->setDefaultDropAction(Qt::MoveAction);
    tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);

    // Scene holder.
    m_sceneModel = new SceneModel(this);
    m_sceneView->setSceneModel(m_sceneModel);
    initTreePanels();
    initAnnotationPanel();

    // Animation timeline.
    m_timelineDock = new QCloseDockWidget(QString(), this);
    m_timelineDock->setWindowTitle(tr("时间轴"));
    m_timelineDock->setObjectName(QStringLiteral("timelineDock"));
    m_dockList.append(m_timelineDock);
    addDockWidget(Qt::BottomDockWidgetArea, m_timelineDock);
    m_timelineDock->hide();
    m_sceneView->initAnimation();
    m_sceneModel->setView(m_sceneView->getView());

    if (osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel->getNoteManager())
        notes->setView(m_sceneView->getView());
    m_sceneView->installEventFilter(this);
    if (osg::ref_ptr<Vantor::SectionManager> sections = m_sceneModel->getSectionManager())
        sections->AddSectionListener(std::make_shared<MainWindowSectionManagerChangedListener>(this));

    // Status bar.
    m_statusLabel1 = new QLabel(this);
    m_statusLabel2 = new QLabel(this);
    statusBar()->addPermanentWidget(m_statusLabel1, 0);
    statusBar()->addPermanentWidget(m_statusLabel2, 0);

    // The loader works on a pool thread; everything crosses to it queued.
    m_loader = new ObjectLoader();
    m_loader->moveToThread(ThreadPool::getInstance()->getThread());
    // The signals carry every argument, so the loader's defaults never apply.
    connect(this, &MainWindow::newFileToLoad, m_loader, &ObjectLoader::newObjectToLoad);
    connect(this, &MainWindow::addFileToLoad, m_loader, &ObjectLoader::newObjectToLoadWithIndex);
    connect(this, &MainWindow::saveDocument, m_loader, &ObjectLoader::saveDocument);
    connect(this, &MainWindow::readPMI, m_loader, &ObjectLoader::readPMIConfig);
    connect(this, &MainWindow::readEdge, m_loader, &ObjectLoader::readEdgeConfig);
    connect(this, &MainWindow::mergeFace, m_loader, &ObjectLoader::mergeFaceConfig);
    connect(m_loader, &ObjectLoader::newObjectToView, this, &MainWindow::newLoadedModel);
    connect(m_loader, &ObjectLoader::newObjectToMain, this, &MainWindow::newLoadedAddModel);
    connect(m_loader, &ObjectLoader::ProgressShown, m_sceneView, &SceneView::ProgressShown);
    connect(m_loader, &ObjectLoader::Progressdata1, m_sceneView->getProgressWidget(), &FileProgressWidget::Progressdata1);
    connect(m_loader, &ObjectLoader::Progressdata, m_sceneView->getProgressWidget(), &FileProgressWidget::Progressdata0);
    connect(m_loader, &ObjectLoader::loadFileFinish, this, &MainWindow::loadFileFinish);
    connect(m_loader, &ObjectLoader::saveFileFinish, this, &MainWindow::saveFileFinish);
    connect(m_loader, &ObjectLoader::saveFileFailed, this, &MainWindow::saveFileFailed);

    if (auto manager = m_sceneView->getCommandManager()) {
        manager->AddCommandManagerListener(std::make_shared<MainWindowCommandManagerChangedListener>(this));
        manager->AddCommandListener(std::make_shared<MainWindowCommandListener>(this));
        manager->SetSelectFilter(new SectionFilter);
    }

    // Collision list.
    m_collisionTable = new QTableWidget();
    m_collisionTable->setColumnCount(5);
    m_collisionTable->setHorizontalHeaderLabels(
        {tr("Type of interference"), tr("Object 1"), tr("Object 2"), tr("Distance"), QString()});
    m_collisionTable->horizontalHeader()->setStretchLastSection(true);
    m_collisionTable->setColumnWidth(0, 120);
    m_collisionTable->setColumnWidth(1, 200);
    m_collisionTable->setColumnWidth(2, 200);
    m_collisionTable->setColumnWidth(3, 200);
    m_collisionTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_collisionTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_collisionDock = new QDockWidget(tr("Collision List", "dock"));
    m_collisionDock->setObjectName(QStringLiteral("collisionDock"));
    m_collisionDock->setWidget(m_collisionTable);
    addDockWidget(Qt::BottomDockWidgetArea, m_collisionDock);
    m_collisionDock->hide();
    m_dockList.append(m_collisionDock);
    // Last, so the Window menu lists them after the docks the window opens with.
    for (QWidget* contents : {m_propertyForm->dockWidgetContents, m_statisticsForm->dockWidgetContents})
        if (auto* dock = qobject_cast<QDockWidget*>(contents->parentWidget()))
            m_dockList.append(dock);
    tabifyDockWidget(m_timelineDock, m_collisionDock);
    m_treeDock->raise();

    initCollision();
    m_combineDialog = new CombineProcessDialog(this);
    initModelCombine();

    connectSnapshotSignals();
    initBookmarks();
    initGeneral();
}

void MainWindow::initAnnotationPanel()
{
    auto* panel = m_annotationPanel;
    if (osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel->getNoteManager())
        notes->AddNoteListener(std::make_shared<CoordinationNoteManagerChangedListener>(panel, m_sceneView));
    if (osg::ref_ptr<Vantor::MeasureManager> measures = m_sceneModel->getMeasureManager())
        measures->AddMeasureListener(std::make_shared<CoordinationMeasureManagerChangedListener>(panel, m_sceneView));
    if (osg::ref_ptr<Vantor::SectionManager> sections = m_sceneModel->getSectionManager())
        sections->AddSectionListener(std::make_shared<CoordinationSectionManagerChangedListener>(panel, m_sceneView));
    if (Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager())
        selection->addSelectionListener(new CoordinationionListener(panel));
    connect(panel, &CoordinationWidget::selectNode, this, &MainWindow::nodeSelectedCoor);
    connect(panel, &CoordinationWidget::unSelectNode, this, &MainWindow::nodeUnSelectedCoor);
}

QTextBrowser* MainWindow::logBrowser() const
{
    return m_logForm ? m_logForm->textBrowserLog : nullptr;
}

void MainWindow::printToLog(const QString& text)
{
    if (QTextBrowser* browser = logBrowser())
        browser->append(text);
}

void MainWindow::printToLog(const QStringList& texts)
{
    if (QTextBrowser* browser = logBrowser())
        browser->append(texts.join('\n'));
}

void MainWindow::loadFileFinish()
{
    if (FileProgressWidget* progress = m_sceneView->getProgressWidget()) {
        progress->Progressdata0(QString(), 100.0f);
        progress->Progressdata1(QString(), 100.0f);
        progress->repaint();
    }
    m_sceneView->ProgressShown(false);
}

void MainWindow::saveFileFinish()
{
    m_busy = false;
    if (m_pendingSave.active && m_pendingSave.toCurrentFile)
        m_documentState.saved(m_pendingSave.plan, m_pendingSave.texts, m_pendingSave.scene);
    m_pendingSave = PendingSave();
    setDocumentUiEnabled(true);
    onCommandTipChanged(tr("保存完毕！").toLocal8Bit().toStdString());
}

void MainWindow::saveFileFailed(QString path, QString reason)
{
    m_busy = false;
    m_pendingSave = PendingSave();
    setDocumentUiEnabled(true);
    Vantor::LogHandler::getInstance()->reportError(tr("Saving %1 failed: %2").arg(path, reason));
    statusBar()->showMessage(tr("保存失败！"), 5000);
    Prompts::get().warning(this, tr("保存失败"), tr("文件未能保存：%1\n%2").arg(path, reason));
}

void MainWindow::onCommandTipChanged(const std::string& text)
{
    // Tips may come from any command at any time: the status bar is touched later, on this thread.
    const std::string tip = text;
    QTimer::singleShot(0, this, [this, tip] {
        if (!hasLoadedModel())
            return;
        if (tip.empty()) {
            // Another message (a refusal, a result) that replaced the prompt stays.
            if (!m_shownTip.isEmpty() && statusBar()->currentMessage() == m_shownTip)
                statusBar()->clearMessage();
            m_shownTip.clear();
            return;
        }
        const QString message = QString::fromLocal8Bit(tip.c_str());
        m_shownTip = message;
        if (statusBar()->currentMessage() != message)
            statusBar()->showMessage(message);
    });
}

void MainWindow::setGlobalMenuState(bool enabled)
{
    auto manager = m_sceneView->getCommandManager();
    if (manager) {
        manager->CancelCurrentCmd();
        manager->setExecuteType("None");
    }
    if (m_bookmarkForm)
        m_bookmarkForm->widgetBookmarkManager->setEnabled(enabled);
    if (m_statisticsForm)
        m_statisticsForm->dockWidgetContents->setEnabled(enabled);
    if (m_propertyForm)
        m_propertyForm->dockWidgetContents->setEnabled(enabled);
    if (m_treeForm)
        m_treeForm->dockWidgetContents->setEnabled(enabled);
    for (QAction* action : qAsConst(m_actionMap))
        action->setEnabled(false);
    if (!enabled)
        return;
    for (QAction* action : qAsConst(m_actionMap))
        action->setEnabled(true);
    // Undo and Redo offer only what the history holds, also after a save.
    QAction* undo = getAction(QStringLiteral("Undo"));
    QAction* redo = getAction(QStringLiteral("Redo"));
    if (undo)
        undo->setEnabled(manager && manager->CanUndo());
    if (redo)
        redo->setEnabled(manager && manager->CanRedo());
}

void MainWindow::setDocumentUiEnabled(bool enabled)
{
    setGlobalMenuState(enabled);
    for (QAction* action : {m_quickSaveAction, m_saveAction, m_saveAsAction, m_closeAction})
        if (action)
            action->setEnabled(enabled);
}

namespace {

struct CommandAction
{
    const char* command;
    const char* action;
    const char* group;
};

// Which ribbon action (and group button) belongs to each interactive command.
const CommandAction kCommandActions[] = {
    {"PntToPntDistanceCommand", "Measure_PntToPntDistance", "Measure_Distances"},
    {"UpdateAxisLocationCommand", "Resolve_UpdateAxisLocation", nullptr},
    {"PointNoteCommand", "Note_Newbuilt", nullptr},
    {"RectNoteCommand", "3DNote_RectNote", "3DNote_3DNote"},
    {"CircleNoteCommand", "3DNote_CircleNote", "3DNote_3DNote"},
    {"EllipseNoteCommand", "3DNote_EllipseNote", "3DNote_3DNote"},
    {"BrushNoteCommand", "3DNote_BrushNote", "3DNote_3DNote"},
    {"CreateSectionCommand", "Section_Establish", nullptr},
    {"UpdateSectionCommand", "Section_Update", nullptr},
    {"FaceToFaceDistanceCommand", "Measure_FaceToFaceDistance", "Measure_Distances"},
    {"LineToLineDistanceCommand", "Measure_LineToLineDistance", "Measure_Distances"},
    {"PntToLineDistanceCommand", "Measure_PntToLineDistance", "Measure_Distances"},
    {"PntToFaceDistanceCommand", "Measure_PntToFaceDistance", "Measure_Distances"},
    {"LineToFaceDistanceCommand", "Measure_LineToFaceDistance", "Measure_Distances"},
    {"CenterToCenterDistanceCommand", "Measure_CenterToCenterDistance", "Measure_Distances"},
    {"ShaftToShaftDistanceCommand", "Measure_ShaftToShaftDistance", "Measure_Distances"},
    {"LineToLineAngleCommand", "Measure_LineToLineAngle", "Measure_Angles"},
    {"LineToFaceAngleCommand", "Measure_LineToFaceAngle", "Measure_Angles"},
    {"FaceToFaceAngleCommand", "Measure_FaceToFaceAngle", "Measure_Angles"},
    {"LineDistanceCommand", "Measure_LineDistance", "Measure_Length"},
    {"EllipseDistanceCommand", "Measure_EllipseDistance", "Measure_Length"},
    {"RadiusDistanceCommand", "Measure_RadiusDis", "Measure_Diameter"},
    {"DiameterDistanceCommand", "Measure_DiameterDis", "Measure_Diameter"},
    {"SurfaceAreaCommand", "Measure_SurfaceArea", "Measure_MeasureProperty"},
    {"VolumeCommand", "Measure_Volume", "Measure_MeasureProperty"},
    {"AxisTransformDraggerCommand", "Resolve_Directionaldrop", nullptr},
    {"AxisExplodeTransformDraggerCommand", "Explode_Axisexplode", nullptr},
    {"RadialExplodeTransformDraggerCommand", "Explode_Radialexplode", nullptr},
    {"CenterExplodeTransformDraggerCommand", "Explode_Centerexplode", nullptr},
    {"RotateTransformDraggerCommand", "Resolve_Alongaxial", nullptr},
    {"PlaneTransformDraggerCommand", "Resolve_Freedrop", nullptr},
    {"PointsAlignmentCommand", "Align_PointsAlign", "Align_Alignment"},
    {"LinesAlignmentCommand", "Align_LinesAlign", "Align_Alignment"},
    {"FacesAlignmentCommand", "Align_FacesAlign", "Align_Alignment"},
    {"LineToFaceAlignmentCommand", "Align_LineToFaceAlign", "Align_Alignment"},
};

} // namespace

void MainWindow::updateCommandActions(const std::string& command)
{
    for (QAction* action : qAsConst(m_commandActions))
        if (action)
            action->setChecked(false);
    for (const CommandAction& entry : kCommandActions) {
        if (command != entry.command)
            continue;
        if (QAction* a = getAction(QString::fromLatin1(entry.action)))
            a->setChecked(true);
        if (entry.group)
            if (QAction* g = getAction(QString::fromLatin1(entry.group)))
                g->setChecked(true);
        return;
    }
}
