// Opening, loading, saving and closing model documents on the main window's side.

#include "app/MainWindow.h"

#include "animation/AnimationEditorUI.h"
#include "app/DockForms.h"
#include "common/Prompts.h"
#include "panels/BookmarkWidget.h"
#include "panels/CoordinationWidget.h"
#include "panels/OsgTreeModel.h"
#include "panels/SmallPanels.h"
#include "view/UserView.h"
#include "view/FindNameListVisitor.h"
#include "view/FrameStats.h"
#include "view/PickingHandler.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/animation/AnimationManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/effect/EffectManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/model/Model.h"
#include "vantor/model/ModelId.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"
#include "vantor/util/LogHandler.h"
#include "vantor/view/View.h"
#include "vantor/view/ViewManager.h"
#include "vantor/walker/WalkerManipulator.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDoubleSpinBox>
#include <QSlider>
#include <QDir>
#include <QDragEnterEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QListWidget>
#include <QMimeData>
#include <QStatusBar>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <set>

namespace {

bool isModelFile(const QString& path)
{
    return Vantor::DazoLayout::IsModelFileName(path.toStdString());
}

} // namespace

bool MainWindow::refuseWhileBusy()
{
    if (!m_busy)
        return true;
    statusBar()->showMessage(tr("正在加载或保存文件，请稍候再试。"), 5000);
    Vantor::LogHandler::getInstance()->reportWarning(tr("A load or save is running; the request was refused."));
    return false;
}

void MainWindow::on_actionOpen_triggered()
{
    Vantor::LogHandler::getInstance()->reportInfo(tr("on_actionOpen_triggered"));
    if (!refuseWhileBusy())
        return;
    const QString path = Prompts::get().getOpenFileName(this, tr("打开模型文件"), lastDirectory,
                                                        tr("Dazo files (*.dazo)"));
    if (path.isEmpty())
        return;
    // Unloading empties the animation too, and only once the user let the open model go.
    if (!loadFile(path))
        return;
    // The previous model's clashes mean nothing on the new one.
    hideCollisionEffect();
}

void MainWindow::on_actionOpenSample_triggered()
{
    const QString folder = QCoreApplication::applicationDirPath() + "/Samples/";
    Vantor::LogHandler::getInstance()->reportInfo(tr("on_actionOpenExample_triggered"));
    if (!refuseWhileBusy())
        return;
    const QString path = Prompts::get().getOpenFileName(this, tr("可选择一个样例文件"), folder,
                                                        tr("Dazo files (*.dazo)"));
    if (!path.isEmpty())
        loadFile(path);
}

bool MainWindow::loadFile(const QString& filePath)
{
    // A folder, even one named like a model, is no file to open.
    if (filePath.isEmpty() || !QFileInfo(filePath).isFile())
        return false;
    // Refuse before unloading, so a wrong file dropped on the window never empties it.
    if (!isModelFile(filePath)) {
        statusBar()->showMessage(tr("不支持的文件类型：%1").arg(QFileInfo(filePath).fileName()), 5000);
        Vantor::LogHandler::getInstance()->reportWarning(tr("Not a model file: %1").arg(filePath));
        return false;
    }
    if (!refuseWhileBusy())
        return false;
    if (!maybeSaveChanges())
        return false;

    unLoadFile();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Absolute from here on: the title, the recent files and the bookmarks beside the model use it.
    m_currentFile = QFileInfo(filePath).absoluteFilePath();
    lastDirectory = QFileInfo(filePath).absolutePath();
    if (m_annotationPanel)
        m_annotationPanel->resetTree();
    m_sceneView->updateGrid();

    m_busy = true;
    emit newFileToLoad(m_currentFile, true, ObjectLoader::FilePath);
    return true;
}

void MainWindow::newLoadedModel(LoadedModel model)
{
    newLoadedFile(model.root);
    newNoteToModel(model.note);
    newSectionToModel(model.section);
    newMeasureToModel(model.measure);
    newAnimationToModel(model.animation);
    for (const auto& view : model.views)
        newViewToModel(view);
    newDocumentsToModel(model.documents);
}

void MainWindow::newLoadedFile(osg::ref_ptr<osg::Node> root)
{
    m_busy = false;
    QApplication::restoreOverrideCursor();
    clearModelData();
    if (!root) {
        Vantor::LogHandler::getInstance()->reportError(tr("Nothing could be read from %1").arg(m_currentFile));
        statusBar()->showMessage(tr("无法读取文件：%1").arg(QFileInfo(m_currentFile).fileName()), 5000);
        return;
    }
    m_loadedRoot = root;

    if (m_animationEditor)
        m_animationEditor->setEditorOpen(true);
    setGlobalMenuState(true);
    // Walking options wait for a walk; playback controls serve the model's animation.
    for (QWidget* box : {static_cast<QWidget*>(m_roamLinearVelocity), static_cast<QWidget*>(m_roamStep),
                         static_cast<QWidget*>(m_roamAngularVelocity)})
        if (box)
            box->setEnabled(false);
    for (QWidget* control : {static_cast<QWidget*>(m_playSpeed), static_cast<QWidget*>(m_timeSlider)})
        if (control)
            control->setEnabled(true);
    for (QAction* action : {m_quickSaveAction, m_saveAction, m_saveAsAction, m_closeAction})
        if (action)
            action->setEnabled(true);

    if (osg::ref_ptr<PickingHandler> handler = m_sceneView->getPickingHandler()) {
        if (QAction* a = getAction(QStringLiteral("Basic_Perspective")))
            a->setChecked(true);
        handler->setPerpectiveCamera(true);
    }

    m_sceneModel->setModel(root.get());
    if (FrameStats::edgesOff())
        if (osg::ref_ptr<Vantor::EffectManager> effects = m_sceneModel->getEffectManager())
            effects->setShowEdgeLine(false);
    m_sceneView->changeManipulator(m_sceneView->getManipulatorType(), true);
    m_sceneView->resetHome();
    FrameStats::modelShown();
    if (auto manager = m_sceneView->getCommandManager())
        manager->Clear();

    setWindowTitle(m_applicationName + " - " + QFileInfo(m_currentFile).fileName());
    addRecentFile(m_currentFile, m_recentlyOpenedFiles);

    m_treeModel->setNode(root.get());
    setTreeShortcutsEnabled(m_treeDock && m_treeDock->isVisible());
    QTreeView* tree = m_treeForm->treeViewStructure;
    tree->expand(m_treeModel->index(0, 0, tree->rootIndex()));
    tree->resizeColumnToContents(0);
    emit m_treeModel->layoutChanged();

    // Search completer over every node name, without repeats.
    delete m_searchCompleter;
    m_searchCompleter = nullptr;
    FindNameListVisitor names;
    root->accept(names);
    QStringList list = names.names;
    list.removeDuplicates();
    m_searchCompleter = new QCompleter(list, this);
    m_searchCompleter->setCaseSensitivity(m_searchCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    m_treeForm->lineEditSearch->setCompleter(m_searchCompleter);

    if (m_statisticsForm)
        m_statisticsForm->widgetStats->setNode(root.get());
    m_lastSearchHit = QModelIndex();

    loadBookmarksBesideModel();

    osg::ref_ptr<Vantor::Model> top = Vantor::Model::GetTopModel(m_sceneModel->getRootSwitch());
    if (top) {
        m_modelHasGeoLine = top->hasGeoLine();
        m_modelHasGeoFace = top->hasGeoFace();
        std::list<osg::ref_ptr<osg::Node>> pmi;
        Vantor::Model::getAllChildrenPMI(top.get(), pmi);
        if (m_annotationPanel)
            m_annotationPanel->updatePMITree(pmi);
    }
}

namespace {

// Model ids are read from the file, and a host names models by id: a file added again (or one
// sharing ids with what is shown) would give two models one id. The copies that collide take new
// ids; models that do not collide keep the file's.
void renumberTakenModelIds(osg::Node* added, osg::Node* shown)
{
    if (!added || !shown)
        return;
    Vantor::Model::NodeList models;
    Vantor::Model::getAllChildrenModels(shown, models);
    std::set<osg::OSG_ID> taken;
    for (const auto& model : models)
        taken.insert(static_cast<Vantor::Model*>(model.get())->getModelID());
    models.clear();
    Vantor::Model::getAllChildrenModels(added, models);
    for (const auto& node : models) {
        auto* model = static_cast<Vantor::Model*>(node.get());
        if (!taken.insert(model->getModelID()).second)
            model->setModelID(Vantor::GenerateModelID());
    }
}

} // namespace

void MainWindow::newLoadedAddModel(osg::ref_ptr<osg::Node> node, QModelIndex parent)
{
    m_busy = false;
    renumberTakenModelIds(node.get(), m_sceneModel ? m_sceneModel->getModel() : nullptr);
    m_lastAddedNode = node;
    // Host loads come without a row; an insert from the tree attaches to the node it was asked for.
    if (parent.isValid())
        attachInsertedModel(node.get());
}

void MainWindow::newNoteToModel(QString json)
{
    if (m_sceneModel && !json.isEmpty())
        if (osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel->getNoteManager())
            notes->fromJson(json.toStdString());
}

void MainWindow::newSectionToModel(QString json)
{
    if (m_sceneModel && !json.isEmpty())
        if (osg::ref_ptr<Vantor::SectionManager> sections = m_sceneModel->getSectionManager())
            sections->fromJson(json.toStdString());
}

void MainWindow::newMeasureToModel(QString json)
{
    if (m_sceneModel && !json.isEmpty())
        if (osg::ref_ptr<Vantor::MeasureManager> measures = m_sceneModel->getMeasureManager())
            measures->fromJson(json.toStdString());
}

void MainWindow::newAnimationToModel(QString json)
{
    // A model without an animation keeps the empty one its unloading left.
    if (json.isEmpty())
        return;
    QString error;
    if (!loadAnimationDocument(json, &error)) {
        Vantor::LogHandler::getInstance()->reportError(tr("The model's animation was not loaded: %1").arg(error));
        statusBar()->showMessage(tr("模型的动画无法读取"), 5000);
    }
}

void MainWindow::newViewToModel(osg::ref_ptr<osg::Node> node)
{
    auto* view = dynamic_cast<Vantor::View*>(node.get());
    if (!view || !m_sceneModel)
        return;
    if (auto* saved = dynamic_cast<Vantor::UserView*>(view)) {
        saved->setTopModel(Vantor::Model::GetTopModel(m_sceneModel->getRootSwitch()).get());
        saved->setNoteManager(m_sceneModel->getNoteManager());
        saved->setSectionManager(m_sceneModel->getSectionManager());
        saved->setMeasureManager(m_sceneModel->getMeasureManager());
        saved->sceneView = m_sceneView;
        saved->getModelState().attachNodes();
    }
    if (osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel->getViewManager())
        views->AddView(view);
}

void MainWindow::newDocumentsToModel(LoadedDocuments documents)
{
    if (!hasLoadedModel() || !m_sceneModel) {
        m_documentState.forget();
        return;
    }
    const auto partial = m_documentState.loaded(documents, ObjectLoader::documentsOf(m_sceneModel),
                                                sceneDigest(m_sceneModel->getModel()));
    for (const auto& p : partial)
        Vantor::LogHandler::getInstance()->reportWarning(
            tr("The %1 document of %2 was read only in part: %3. A save keeps it as stored unless it is changed.")
                .arg(QString::fromStdString(p.first), m_currentFile, p.second));
    if (documents.others && !documents.others->empty())
        Vantor::LogHandler::getInstance()->reportInfo(
            tr("%1 holds %n member(s) this program does not read; a save keeps them.", nullptr,
               int(documents.others->size()))
                .arg(m_currentFile));
    if (!partial.empty())
        statusBar()->showMessage(tr("Part of this model's documents could not be read; the file keeps them as they are."),
                                 5000);
}

bool MainWindow::hasUnsavedChanges() const
{
    if (!hasLoadedModel() || !m_sceneModel)
        return false;
    return m_documentState.modified(ObjectLoader::documentsOf(m_sceneModel), sceneDigest(m_sceneModel->getModel()));
}

bool MainWindow::maybeSaveChanges()
{
    if (!hasUnsavedChanges())
        return true;
    const QString name = QFileInfo(m_currentFile).fileName();
    if (m_embedded) {
        // The host owns the document: its request goes through, as it always did.
        Vantor::LogHandler::getInstance()->reportWarning(
            tr("The unsaved changes of %1 were discarded at the host's request").arg(m_currentFile));
        return true;
    }
    const QMessageBox::StandardButton answer = Prompts::get().question(
        this, tr("Save changes"), tr("%1 has changes that are not saved. Save them first?").arg(name),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Discard) {
        Vantor::LogHandler::getInstance()->reportInfo(tr("The unsaved changes of %1 were discarded").arg(m_currentFile));
        return true;
    }
    if (answer != QMessageBox::Save)
        return false;
    return saveAndWait();
}

bool MainWindow::saveAndWait()
{
    if (m_currentFile.isEmpty() || !refuseWhileBusy())
        return false;
    QEventLoop loop;
    bool written = false;
    // Connected after the window's own handlers, so those have run when the loop ends.
    connect(m_loader, &ObjectLoader::saveFileFinish, &loop, [&] {
        written = true;
        loop.quit();
    });
    connect(m_loader, &ObjectLoader::saveFileFailed, &loop, [&] { loop.quit(); });
    on_actionSaveBookmarks_triggered();
    if (!startSave(m_currentFile))
        return false;
    loop.exec();
    return written;
}

bool MainWindow::startSave(const QString& path)
{
    // The UI goes first: that ends a running command, whose result then belongs to the documents.
    m_busy = true;
    setDocumentUiEnabled(false);
    const DocumentTexts texts = ObjectLoader::documentsOf(m_sceneModel);
    DocumentState::Plan plan = m_documentState.plan(texts);
    if (!plan.keptBeside.isEmpty()) {
        QStringList shown;
        for (const QString& name : plan.keptBeside)
            shown << documentTitle(name.toStdString());
        Vantor::LogHandler::getInstance()->reportWarning(
            tr("Saving %1: the changed %2 were read only in part; what the file held is kept beside them")
                .arg(path, plan.keptBeside.join(QStringLiteral(", "))));
        const QString text =
            tr("These documents of the model were read only in part: %1.\nYour changes are saved, and what the file "
               "held is kept in the file beside them, unchanged.")
                .arg(shown.join(QStringLiteral(", ")));
        if (!m_embedded &&
            Prompts::get().question(this, tr("Save"), text, QMessageBox::Save | QMessageBox::Cancel) != QMessageBox::Save) {
            m_busy = false;
            setDocumentUiEnabled(true);
            return false;
        }
    }
    // Values only: whatever changes after this line is not in this save.
    const ModelSaveRequest request = ObjectLoader::saveRequest(m_sceneModel, plan.documents, plan.entries);
    osg::Node* model = request.model.get();
    m_pendingSave.active = true;
    m_pendingSave.toCurrentFile =
        !m_currentFile.isEmpty() && QFileInfo(path).absoluteFilePath() == QFileInfo(m_currentFile).absoluteFilePath();
    m_pendingSave.plan = std::move(plan);
    m_pendingSave.texts = texts;
    m_pendingSave.scene = sceneDigest(model);
    emit saveDocument(path, request);
    return true;
}

QString MainWindow::documentTitle(const std::string& name)
{
    if (name == "note")
        return tr("notes");
    if (name == "view")
        return tr("saved views");
    if (name == "section")
        return tr("sections");
    if (name == "measure")
        return tr("measures");
    if (name == "animation")
        return tr("animation");
    return QString::fromStdString(name);
}

void MainWindow::on_actionSave_triggered()
{
    Vantor::LogHandler::getInstance()->reportInfo(tr("on_actionSave_triggered"));
    if (m_currentFile.isEmpty() || !refuseWhileBusy())
        return;
    on_actionSaveBookmarks_triggered();
    if (startSave(m_currentFile))
        onCommandTipChanged(tr("文件保存进行中，请耐心等待！").toLocal8Bit().toStdString());
}

void MainWindow::on_actionSaveAs_triggered()
{
    Vantor::LogHandler::getInstance()->reportInfo(tr("on_actionSaveAs_triggered"));
    if (!m_sceneModel || !refuseWhileBusy())
        return;
    auto* model = dynamic_cast<Vantor::Model*>(m_sceneModel->getModel());
    if (!model)
        return;
    const QString proposed = QStringLiteral("%1/%2").arg(lastDirectory, QString::fromLocal8Bit(model->getName().c_str()));
    QString path = Prompts::get().getSaveFileName(this, tr("保存模型文件到文件夹"), proposed,
                                                  tr("Dazo files (*.dazo)"));
    if (path.isEmpty())
        return;
    // Linux file dialogs add no extension of their own.
    if (!isModelFile(path))
        path += QStringLiteral(".dazo");
    if (startSave(path))
        onCommandTipChanged(tr("文件另存为进行中，请耐心等待！").toLocal8Bit().toStdString());
}

void MainWindow::reportStartupProblem(const QString& text)
{
    Vantor::LogHandler::getInstance()->reportError(text);
    if (m_embedded)
        return;
    statusBar()->showMessage(text, 10000);
    QTimer::singleShot(0, this, [this, text] { Prompts::get().warning(this, tr("Cannot open the file"), text); });
}

void MainWindow::on_actionUnload_triggered()
{
    if (!refuseWhileBusy() || !maybeSaveChanges())
        return;
    unLoadFile();
}

void MainWindow::recentFileActivated(QAction* action)
{
    if (action && !action->text().isEmpty())
        loadFile(action->text());
}

void MainWindow::addRecentFile(const QString& path, QStringList& recentFiles)
{
    if (path.isEmpty()) // a document a host built has no file
        return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (recentFiles.contains(absolute, Qt::CaseSensitive))
        return;
    while (recentFiles.size() >= 10)
        recentFiles.removeLast();
    recentFiles.prepend(absolute);
}

void MainWindow::clearModelData()
{
    m_documentState.forget();
    clearBookmarkPanel();
    if (Vantor::ISelectionManager* selection = m_sceneView->getSelectionManager())
        selection->clearSelection();
    if (m_treeModel)
        m_treeModel->clear();
    m_lastSearchHit = QModelIndex();
    showNodeProperties(nullptr);
    if (m_statisticsForm)
        m_statisticsForm->widgetStats->setNode(nullptr);
    m_loadedRoot = nullptr;
    if (m_sceneModel)
        m_sceneModel->setModel(nullptr);
}

void MainWindow::unLoadFile()
{
    m_currentFile.clear();
    setWindowTitle(m_applicationName);
    clearModelData();
    setGlobalMenuState(false);
    setTreeShortcutsEnabled(false);
    if (m_loader)
        m_loader->clear(); // queued behind a running request when called from another thread
    if (auto manager = m_sceneView->getCommandManager()) {
        manager->CancelCurrentCmd();
        manager->setExecuteType("None");
    }
    if (m_sceneModel)
        if (osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel->getViewManager())
            views->ClearAllView();
    if (m_annotationPanel)
        m_annotationPanel->resetTree();
    for (QAction* action : {m_quickSaveAction, m_saveAction, m_saveAsAction, m_closeAction})
        if (action)
            action->setEnabled(false);
    if (auto* walker = dynamic_cast<Vantor::WalkerManipulator*>(m_sceneView->getView()->getCameraManipulator())) {
        walker->setUseObstacles(false);
        walker->setUseGravity(false);
        walker->setUseThridpersonView(false);
    }
    m_sceneView->changeManipulator(0);
    if (osg::ref_ptr<PickingHandler> handler = m_sceneView->getPickingHandler()) {
        handler->setPerpectiveCamera(true);
        handler->setNode(nullptr);
        handler->mouseMode = 0;
    }
    for (const char* key : {"Basic_Zoom", "Basic_Translation", "Basic_Rotation", "Basic_Perspective"})
        if (QAction* a = getAction(QString::fromLatin1(key)))
            a->setChecked(false);
    for (QAction* a : m_directionActions)
        a->setChecked(false);
    if (m_treeForm)
        m_treeForm->lineEditSearch->clear();
    m_sceneView->hideGrid();
    resetAnimation();
    if (QAction* a = getAction(QStringLiteral("Animation_ATECameraPlay")))
        a->setChecked(false);
    if (m_sceneModel)
        if (osg::ref_ptr<Vantor::EffectManager> effects = m_sceneModel->getEffectManager()) {
            effects->setEffectType(1);
            effects->setShowEdgeLine(true);
            effects->setShowFaceset(true);
            effects->setLightingEnabled(true);
        }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* mime = event->mimeData();
    if (mime->hasUrls() && mime->urls().size() == 1 && QFileInfo(mime->urls().first().toLocalFile()).isFile())
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty())
        loadFile(urls.first().toLocalFile());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!maybeSaveChanges()) {
        event->ignore();
        return;
    }
    // The window state written at the end records the bars and docks as they are outside full screen.
    showBarsAndDocks();
    SARibbonMainWindow::closeEvent(event);
}
