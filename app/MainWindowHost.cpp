// The main window's operations for an embedding host: models by id, notes, saved views, bills of
// materials and the window's parts. Every argument comes from another process and is checked here.

#include "app/MainWindow.h"
#include "app/StartupFlags.h"
#include "automation/Message.h"
#include "automation/ProcessCommunication.h"
#include "panels/CoordinationWidget.h"
#include "panels/OsgTreeModel.h"
#include "view/UserView.h"
#include "ribbonbar/SARibbonBar.h"
#include "ribbonbar/SARibbonButtonGroupWidget.h"
#include "ribbonbar/SARibbonCategory.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "view/VisibilityCommands.h"
#include "vantor/annotation/JsonUtil.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"
#include "vantor/note/Note.h"
#include "vantor/note/NoteManager.h"
#include "vantor/property/SetMaterialCommand.h"
#include "vantor/util/FileUtil.h"
#include "vantor/util/LogHandler.h"
#include "vantor/view/ViewManager.h"

#include <osg/Material>
#include <osg/StateSet>

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>

#include <rapidjson/document.h>

#include <algorithm>
#include <cmath>

namespace {

void logWarning(const QString& text) { Vantor::LogHandler::getInstance()->reportWarning(text); }

// Note and view documents a host names hold text and small pictures: a few megabytes each.
const std::size_t MaxHostDocumentBytes = 64u << 20;

// The whole file, up to a first NUL; a file that cannot be read gives the empty text. Only a
// regular file is read: a pipe or a device named by the host would hold the window for good.
std::string readWholeFile(const QString& path)
{
    std::string bytes, error;
    if (!Vantor::FileUtil::ReadRegularFile(QFile::encodeName(path).toStdString(), MaxHostDocumentBytes, bytes, error)) {
        Vantor::LogHandler::getInstance()->reportError(
            QStringLiteral("%1 was not read: %2").arg(path, QString::fromLocal8Bit(error.c_str())));
        return std::string();
    }
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string::npos)
        bytes.resize(nul);
    return bytes;
}

void appendId(QString& list, quint64 id) { list += QString::number(id) + QLatin1Char(' '); }

} // namespace

// ---- Models by id ----

osg::Node* MainWindow::hostTargetModel(quint64 id) const
{
    if (!m_sceneModel || !m_sceneModel->getModel())
        return nullptr;
    osg::Node* top = m_sceneModel->getModel();
    return id == 0 ? top : m_sceneModel->findModelById(top, id);
}

quint64 MainWindow::topModelId() const
{
    const auto* top = dynamic_cast<const Vantor::Model*>(m_sceneModel ? m_sceneModel->getModel() : nullptr);
    return top ? top->getModelID() : 0;
}

bool MainWindow::getModelVisible(quint64 id)
{
    const osg::Node* target = hostTargetModel(id);
    return !target || target->getNodeMask() != 0;
}

void MainWindow::setModelVisible(quint64 id, bool visible)
{
    osg::Node* target = hostTargetModel(id);
    auto manager = m_sceneView ? m_sceneView->getCommandManager() : nullptr;
    if (!target || !manager)
        return;
    manager->DoCommand(std::make_shared<Vantor::SetVisibleCommand>(std::list<osg::ref_ptr<osg::Node>>{target}, visible));
    if (m_treeModel)
        emit m_treeModel->layoutChanged();
}

QString MainWindow::getModelColor(quint64 id)
{
    // Only read, so the question gives no node a state set. A model answers the colour it shows (its
    // own material's, else its first face's, as read from the file); empty when it shows none.
    const osg::Node* target = hostTargetModel(id);
    osg::Vec4f c;
    if (const auto* model = dynamic_cast<const Vantor::Model*>(target)) {
        if (!model->getShownColor(c))
            return QString();
    } else {
        const osg::StateSet* stateSet = target ? target->getStateSet() : nullptr;
        const auto* material =
            stateSet ? dynamic_cast<const osg::Material*>(stateSet->getAttribute(osg::StateAttribute::MATERIAL)) : nullptr;
        if (!material)
            return QString();
        c = material->getDiffuse(osg::Material::FRONT_AND_BACK);
    }
    auto channel = [](float v) { return static_cast<int>(std::min(1.0f, std::max(0.0f, v)) * 255.0f); };
    return QStringLiteral("%1 %2 %3").arg(channel(c.r())).arg(channel(c.g())).arg(channel(c.b()));
}

void MainWindow::setModelColor(quint64 id, float r, float g, float b)
{
    if (std::isnan(r) || std::isnan(g) || std::isnan(b)) {
        logWarning(tr("Host colour for model %1 ignored: not a number").arg(id));
        return;
    }
    osg::Node* target = hostTargetModel(id);
    if (!target)
        return;
    auto unit = [](float v) { return std::min(255.0f, std::max(0.0f, v)) / 255.0f; };
    applyHostMaterial(target, osg::Vec4f(unit(r), unit(g), unit(b), 1.0f), 1.0, 1);
}

float MainWindow::getModelTransparent(quint64 id)
{
    const auto* model = dynamic_cast<const Vantor::Model*>(hostTargetModel(id));
    return model ? static_cast<float>(model->getTransparent()) : 1.0f;
}

void MainWindow::setModelTransparent(quint64 id, float value)
{
    if (std::isnan(value)) {
        logWarning(tr("Host transparency for model %1 ignored: not a number").arg(id));
        return;
    }
    osg::Node* target = hostTargetModel(id);
    if (!target)
        return;
    applyHostMaterial(target, osg::Vec4f(0, 0, 0, 0), std::min(1.0, std::max(0.0, double(value))), 2);
}

void MainWindow::applyHostMaterial(osg::Node* target, const osg::Vec4f& colour, double value, int type)
{
    osg::ref_ptr<Vantor::Model> model = dynamic_cast<Vantor::Model*>(target);
    auto manager = m_sceneView ? m_sceneView->getCommandManager() : nullptr;
    if (!model || !manager)
        return;
    manager->DoCommand(std::make_shared<Vantor::SetMaterialCommand>(
        osg::ref_ptr<osg::Node>(model.get()), colour, value,
        type == 1 ? Vantor::MATERIAL_COLOR : Vantor::MATERIAL_TRANSPARENT));
    if (m_treeModel)
        emit m_treeModel->layoutChanged();
}

bool MainWindow::openOneCommand(const QString& name)
{
    auto manager = m_sceneView ? m_sceneView->getCommandManager() : nullptr;
    if (!manager)
        return false;
    manager->CancelCurrentCmd();
    // No command has a name this long; such a text is not worth a lookup or a log line of its size.
    constexpr int LongestName = 256;
    if (name.size() > LongestName) {
        logWarning(tr("Host command name of %1 characters ignored: %2...").arg(name.size()).arg(name.left(40)));
        manager->setExecuteType("None");
        return true;
    }
    manager->setExecuteType(name.toUtf8().toStdString());
    return true;
}

void MainWindow::closeOneCommand()
{
    auto manager = m_sceneView ? m_sceneView->getCommandManager() : nullptr;
    if (!manager)
        return;
    manager->CancelCurrentCmd();
    manager->setExecuteType("None");
}

void MainWindow::on_actionUserDefineButtonTriggered()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    auto msg = std::make_shared<CommonEventMsg>();
    msg->eventCode = 3;
    msg->text = action->data().toString();
    ProcessCommunication::instance()->sendMessage(msg);
}

// ---- Notes ----

QString MainWindow::getAllNoteIds()
{
    QString list;
    osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel ? m_sceneModel->getNoteManager() : nullptr;
    if (!notes)
        return list;
    for (const osg::ref_ptr<Vantor::Note>& note : notes->GetAllNote())
        if (note)
            appendId(list, note->getId());
    return list;
}

namespace {

QString insertNotes(Vantor::NoteManager& target, Vantor::NoteManager& read, int position)
{
    QString ids;
    const std::vector<osg::ref_ptr<Vantor::Note>> added = read.GetAllNote();
    read.ClearAllNotation();
    for (const osg::ref_ptr<Vantor::Note>& note : added)
        appendId(ids, note->getId());
    // A negative position from the host counts as the end, as any other position out of range. One
    // change for the whole document: the panels are refilled once, not once per note.
    target.InsertNotationList(added, position < 0 ? -1 : position);
    return ids;
}

} // namespace

QString MainWindow::addNotesFromFile(int position, const QString& path)
{
    osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel ? m_sceneModel->getNoteManager() : nullptr;
    if (!notes)
        return QString();
    osg::ref_ptr<Vantor::NoteManager> read = new Vantor::NoteManager;
    if (m_sceneView)
        read->setView(m_sceneView->getView());
    read->fromJson(readWholeFile(path));
    return insertNotes(*notes, *read, position);
}

QString MainWindow::addNotesFromValue(int position, const QString& json)
{
    osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel ? m_sceneModel->getNoteManager() : nullptr;
    if (!notes)
        return QString();
    osg::ref_ptr<Vantor::NoteManager> read = new Vantor::NoteManager;
    read->fromJson(json.toUtf8().toStdString());
    if (m_sceneView)
        notes->setView(m_sceneView->getView());
    return insertNotes(*notes, *read, position);
}

bool MainWindow::saveNoteToFile(quint64 noteId, const QString& path)
{
    osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel ? m_sceneModel->getNoteManager() : nullptr;
    if (!notes || path.isEmpty())
        return false;
    for (const osg::ref_ptr<Vantor::Note>& note : notes->GetAllNote())
        if (note && note->getId() == noteId && note->toDocument(path.toLocal8Bit().toStdString()))
            return true;
    return false;
}

bool MainWindow::saveAllNotesToFile(const QString& path)
{
    osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel ? m_sceneModel->getNoteManager() : nullptr;
    if (!notes || path.isEmpty())
        return false;
    return Vantor::JsonUtil::writeFile(path.toLocal8Bit().toStdString(), notes->toJson(true));
}

QString MainWindow::getAllNotesValue()
{
    osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel ? m_sceneModel->getNoteManager() : nullptr;
    return notes ? QString::fromStdString(Vantor::JsonUtil::toPrettyText(notes->toJson(true))) : QString();
}

QString MainWindow::getNoteValue(quint64 noteId)
{
    osg::ref_ptr<Vantor::NoteManager> notes = m_sceneModel ? m_sceneModel->getNoteManager() : nullptr;
    if (!notes)
        return QString();
    for (const osg::ref_ptr<Vantor::Note>& note : notes->GetAllNote()) {
        if (!note || note->getId() != noteId)
            continue;
        rapidjson::Document doc(rapidjson::kObjectType);
        rapidjson::Value value = note->toJson(doc.GetAllocator());
        doc.AddMember("data", value, doc.GetAllocator());
        return QString::fromStdString(Vantor::JsonUtil::toPrettyText(doc));
    }
    return QString();
}

// ---- Saved views ----

QString MainWindow::getAllViewIds()
{
    QString list;
    osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel ? m_sceneModel->getViewManager() : nullptr;
    if (!views)
        return list;
    for (const osg::ref_ptr<Vantor::View>& view : views->GetAllView())
        if (view)
            appendId(list, static_cast<quint64>(view->getViewID()));
    return list;
}

QString MainWindow::addViewsFromFile(int position, const QString& path)
{
    return addViewsFromValue(position, QString::fromStdString(readWholeFile(path)));
}

QString MainWindow::addViewsFromValue(int position, const QString& json)
{
    QString ids;
    osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel ? m_sceneModel->getViewManager() : nullptr;
    if (!views)
        return ids;
    // Elements that are not objects are skipped by the reader; a text that is no view list adds nothing.
    const std::vector<osg::ref_ptr<Vantor::UserView>> read = Vantor::UserView::readList(json.toUtf8().toStdString());
    const int at = position < 0 ? -1 : position;
    osg::ref_ptr<Vantor::Model> top = Vantor::Model::GetTopModel(m_sceneModel->getRootSwitch());
    std::vector<osg::ref_ptr<Vantor::View>> added;
    added.reserve(read.size());
    for (const osg::ref_ptr<Vantor::UserView>& view : read) {
        view->setTopModel(top.get());
        view->setNoteManager(m_sceneModel->getNoteManager());
        view->setMeasureManager(m_sceneModel->getMeasureManager());
        view->setSectionManager(m_sceneModel->getSectionManager());
        view->sceneView = m_sceneView;
        view->getModelState().attachNodes();
        added.emplace_back(view.get());
        appendId(ids, static_cast<quint64>(view->getViewID()));
    }
    // One change for the whole list: the bookmark panel is refilled once, not once per view.
    views->InsertViews(added, at);
    return ids;
}

bool MainWindow::saveAllViewsToFile(const QString& path)
{
    osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel ? m_sceneModel->getViewManager() : nullptr;
    if (!views || path.isEmpty())
        return false;
    return Vantor::JsonUtil::writeFile(path.toLocal8Bit().toStdString(), views->toJson());
}

QString MainWindow::getAllViewsValue()
{
    osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel ? m_sceneModel->getViewManager() : nullptr;
    return views ? QString::fromStdString(Vantor::JsonUtil::toPrettyText(views->toJson())) : QString();
}

bool MainWindow::loadView(quint64 viewId)
{
    osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel ? m_sceneModel->getViewManager() : nullptr;
    if (!views)
        return false;
    osg::ref_ptr<Vantor::View> view = views->GetViewByID(static_cast<int64_t>(viewId));
    auto* saved = dynamic_cast<Vantor::UserView*>(view.get());
    if (!saved)
        return false;
    saved->apply();
    return true;
}

// ---- Model structure and bills of materials ----

quint64 MainWindow::createTopModel(const QString& name)
{
    osg::ref_ptr<Vantor::Model> model = new Vantor::Model; // carries a fresh id
    model->setName(name.toUtf8().toStdString());
    // The new document has no file: a save must not write it over the one shown before.
    m_currentFile.clear();
    newLoadedFile(model.get());
    return model->getModelID();
}

QString MainWindow::getChildrenModelIds(quint64 modelId)
{
    auto* node = dynamic_cast<osg::MatrixTransform*>(hostTargetModel(modelId));
    if (!node)
        return QString();
    std::string text;
    for (unsigned int i = 0; i < node->getNumChildren(); ++i)
        m_sceneModel->appendModelIds(node->getChild(i), text);
    return QString::fromStdString(text);
}

quint64 MainWindow::addModel(quint64 parentId, int position, const QString& path)
{
    auto* parent = dynamic_cast<Vantor::Model*>(hostTargetModel(parentId));
    if (!parent)
        return 0;
    osg::ref_ptr<Vantor::Model> keepParent = parent; // the load below must not take it away
    m_lastAddedNode = nullptr;
    emit newFileToLoad(path, false, ObjectLoader::FilePath);
    osg::ref_ptr<Vantor::Model> loaded = dynamic_cast<Vantor::Model*>(m_lastAddedNode.get());
    if (!loaded)
        return 0;
    if (position >= 0) {
        int count = 0;
        bool placed = false;
        for (unsigned int i = 0; i < parent->getNumChildren(); ++i) {
            if (!Vantor::Model::isModel(parent->getChild(i)))
                continue;
            if (count++ == position) {
                parent->insertChild(i, loaded.get());
                placed = true;
                break;
            }
        }
        if (!placed)
            parent->addChild(loaded.get());
    }
    if (m_treeModel)
        m_treeModel->refreshStructure();
    return loaded->getModelID();
}

bool MainWindow::removeModel(quint64 modelId)
{
    osg::ref_ptr<osg::Node> node = hostTargetModel(modelId);
    if (!node || node->getNumParents() == 0)
        return false;
    const bool wasTop = m_sceneModel && node.get() == m_sceneModel->getModel();
    const bool removed = node->getParent(0)->removeChild(node.get());
    if (wasTop)
        clearModelData();
    else if (m_treeModel)
        m_treeModel->refreshStructure();
    return removed;
}

bool MainWindow::openRemoteBom(const QString& text)
{
    if (text.isEmpty())
        return false;
    if (m_annotationPanel)
        m_annotationPanel->resetTree();
    setGlobalMenuState(false);
    if (m_sceneModel)
        if (osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel->getViewManager())
            views->ClearAllView();
    m_currentFile.clear(); // as for createTopModel: the document comes from text, not from a file
    emit newFileToLoad(text, true, ObjectLoader::OCXJSONBOM);
    if (m_collisionTable)
        m_collisionTable->setRowCount(0);
    return true;
}

bool MainWindow::insertRemoteBom(quint64 modelId, const QString& text)
{
    if (text.isEmpty())
        return false;
    osg::ref_ptr<Vantor::Model> target = dynamic_cast<Vantor::Model*>(hostTargetModel(modelId));
    if (!target)
        return false;
    m_lastAddedNode = nullptr;
    emit newFileToLoad(text, false, ObjectLoader::OCXJSONBOM);
    osg::ref_ptr<Vantor::Model> loaded = dynamic_cast<Vantor::Model*>(m_lastAddedNode.get());
    if (!loaded)
        return false;
    target->addChild(loaded.get());
    if (m_treeModel)
        m_treeModel->refreshStructure();
    if (m_sceneView)
        m_sceneView->updateWhenSceneBoxChanged(true);
    return true;
}

QString MainWindow::saveRemoteBom()
{
    QString text;
    if (m_loader && m_sceneModel)
        m_loader->saveJson(text, m_sceneModel);
    return text;
}

bool MainWindow::updateModelBom(const QString& text)
{
    // Dropped first, so an earlier load is never taken for this one's result.
    m_lastAddedNode = nullptr;
    emit newFileToLoad(text, false, ObjectLoader::OCXJSONBOM);
    osg::ref_ptr<Vantor::Model> loaded = dynamic_cast<Vantor::Model*>(m_lastAddedNode.get());
    osg::ref_ptr<Vantor::Model> top = dynamic_cast<Vantor::Model*>(m_sceneModel ? m_sceneModel->getModel() : nullptr);
    if (!loaded || !top)
        return false;
    if (loaded->getName() != top->getName()) {
        Vantor::Model::replaceWithName(top.get(), loaded.get());
        if (m_treeModel)
            m_treeModel->refreshStructure();
        if (m_sceneView)
            m_sceneView->updateWhenSceneBoxChanged(true);
    } else {
        newLoadedFile(loaded.get());
    }
    return true;
}

void MainWindow::setOcxMode()
{
    m_embedded = true;
    if (SARibbonBar* bar = ribbonBar()) {
        if (bar->applitionButton())
            bar->applitionButton()->hide();
        if (bar->tabBarRightButtonGroup())
            bar->tabBarRightButtonGroup()->hide();
        if (bar->quickAccessBar())
            bar->quickAccessBar()->hide();
        bar->setRibbonStyle(SARibbonBar::QuickAccessAboveTabs);
    }
    for (QDockWidget* dock : {m_treeDock, m_viewDock, m_annotationDock})
        if (dock)
            dock->hide();
    showViewDockAtStart = false;
    showAnnotationAtStart = false;
    setWidgetVisible(3, false); // the eight pages the host can show again one by one
    if (ribbonBar())
        ribbonBar()->hide();
    statusBar()->hide();
    setContentsMargins(0, 0, 0, 0);

    // A host expects its requests answered from the scene as it stands: loads run on this thread.
    if (m_loader) {
        disconnect(this, &MainWindow::newFileToLoad, m_loader, &ObjectLoader::newObjectToLoad);
        disconnect(m_loader, &ObjectLoader::newObjectToView, this, &MainWindow::newLoadedModel);
        disconnect(m_loader, &ObjectLoader::newObjectToMain, this, &MainWindow::newLoadedAddModel);
        connect(this, &MainWindow::newFileToLoad, m_loader, &ObjectLoader::newObjectToLoad, Qt::DirectConnection);
        connect(m_loader, &ObjectLoader::newObjectToView, this, &MainWindow::newLoadedModel, Qt::DirectConnection);
        connect(m_loader, &ObjectLoader::newObjectToMain, this, &MainWindow::newLoadedAddModel, Qt::DirectConnection);
    }
}

void MainWindow::setWidgetVisible(int type, bool visible)
{
    SARibbonBar* bar = ribbonBar();
    if (visible && bar)
        bar->show();
    // The pages a host knows, in its numbering from 4; the animation page is not among them.
    QList<SARibbonCategory*> pages = m_categoryPages;
    if (pages.size() == 9)
        pages.removeAt(7); // Animation, between Relation and Help
    auto setPage = [&](SARibbonCategory* page) {
        if (!bar || !page)
            return;
        if (visible)
            bar->showCategory(page);
        else
            bar->hideCategory(page);
    };
    if (type == 3) {
        for (SARibbonCategory* page : pages)
            setPage(page);
    } else if (type >= 4 && type <= 11) {
        if (type - 4 < pages.size())
            setPage(pages[type - 4]);
    } else if (type == 12) {
        statusBar()->setVisible(visible);
    }
}
