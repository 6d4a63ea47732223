// The saved views behind the bookmark panel: new, use, update, delete and clear by the panel's signals,
// stepping through them, and the bookmark file beside the model.

#include "app/MainWindow.h"

#include "app/DockForms.h"
#include "common/Prompts.h"
#include "panels/BookmarkDialog.h"
#include "panels/BookmarkParser.h"
#include "panels/BookmarkWidget.h"
#include "view/UserView.h"
#include "panels/UserViewManagerChangedListener.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"
#include "vantor/util/LogHandler.h"
#include "vantor/view/UserViewCommands.h"
#include "vantor/view/ViewManager.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <algorithm>

BookmarkWidget* MainWindow::bookmarkPanel() const
{
    return m_bookmarkForm ? m_bookmarkForm->widgetBookmarkManager : nullptr;
}

void MainWindow::initBookmarks()
{
    BookmarkWidget* panel = bookmarkPanel();
    if (!panel)
        return;
    m_bookmarkRefresh = std::make_shared<BookmarkRefreshReceiver>();
    m_bookmarkRefresh->panel = panel;
    m_viewListener = std::make_shared<UserViewManagerChangedListener>(m_bookmarkRefresh);
    if (m_sceneModel)
        if (osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel->getViewManager())
            views->AddViewListener(m_viewListener);

    connect(panel, &BookmarkWidget::newBookmarkRequest, this, &MainWindow::on_actionNewBookmark_triggered);
    connect(panel, &BookmarkWidget::useBookmarkItem, this, &MainWindow::useBookmarkItem);
    connect(panel, &BookmarkWidget::updateBookmarkItemRequest, this, &MainWindow::updateBookmarkItem);
    connect(panel, &BookmarkWidget::clearAllBookItems, this, &MainWindow::on_actionclearAllBookItems_triggered);
    connect(panel, &BookmarkWidget::removeBookItemByIndex, this, &MainWindow::on_actionRemoveBookItemByIndex_triggered);
}

void MainWindow::on_actionNewBookmark_triggered()
{
    if (!m_sceneModel || !m_sceneView)
        return;
    if (!m_bookmarkDialog)
        m_bookmarkDialog = new BookmarkDialog(this);
    m_bookmarkDialog->nameEdit()->setText(
        tr("New bookmark") + QDateTime::currentDateTime().toString(QStringLiteral("_yyyy-MM-dd-hh-mm-ss")));
    m_bookmarkDialog->descriptionEdit()->clear();
    if (Prompts::get().exec(m_bookmarkDialog) != QDialog::Accepted)
        return;
    const QString name = m_bookmarkDialog->getName();
    if (name.isEmpty())
        return;

    osg::ref_ptr<Vantor::UserView> view = new Vantor::UserView;
    view->setViewName(name.toLocal8Bit().toStdString());
    view->setViewRemark(m_bookmarkDialog->getDescription().toLocal8Bit().toStdString());
    view->setTopModel(Vantor::Model::GetTopModel(m_sceneModel->getRootSwitch()).get());
    view->setNoteManager(m_sceneModel->getNoteManager());
    view->setSectionManager(m_sceneModel->getSectionManager());
    view->setMeasureManager(m_sceneModel->getMeasureManager());
    view->sceneView = m_sceneView;
    view->capture();
    // Seconds since 1970, but never the id of the view made just before: two views in one second differ.
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    m_lastBookmarkTime = std::max(now, m_lastBookmarkTime + 1);
    view->setViewID(m_lastBookmarkTime);

    auto command = std::make_shared<Vantor::AddUserViewCommand>();
    command->SetView(view.get());
    command->setViewer(m_sceneView->getView());
    command->setViewManager(m_sceneModel->getViewManager());
    if (auto manager = m_sceneView->getCommandManager())
        manager->DoCommand(command);
}

void MainWindow::useBookmarkItem(qint64 id)
{
    osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel ? m_sceneModel->getViewManager() : nullptr;
    osg::ref_ptr<Vantor::View> view = views ? views->GetViewByID(id) : nullptr;
    if (!view) {
        Vantor::LogHandler::getInstance()->reportInfo(tr("No saved view with the id %1").arg(id));
        return;
    }
    view->apply();
}

void MainWindow::updateBookmarkItem(qint64 id)
{
    osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel ? m_sceneModel->getViewManager() : nullptr;
    osg::ref_ptr<Vantor::View> view = views ? views->GetViewByID(id) : nullptr;
    if (!view) {
        Vantor::LogHandler::getInstance()->reportInfo(tr("No saved view with the id %1").arg(id));
        return;
    }
    auto command = std::make_shared<Vantor::UpdateUserViewCommand>();
    command->SetView(view);
    command->setViewer(m_sceneView->getView());
    if (auto manager = m_sceneView->getCommandManager())
        manager->DoCommand(command);
}

void MainWindow::on_actionclearAllBookItems_triggered()
{
    if (m_sceneModel)
        if (osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel->getViewManager())
            views->ClearAllView();
}

void MainWindow::on_actionRemoveBookItemByIndex_triggered(unsigned int row)
{
    // The panel's rows follow Up, Down and dragging, the saved views do not: the row names a view by its id.
    BookmarkWidget* panel = bookmarkPanel();
    osg::ref_ptr<Vantor::ViewManager> views = m_sceneModel ? m_sceneModel->getViewManager() : nullptr;
    if (!panel || !views || row >= unsigned(panel->listWidget()->count()))
        return;
    const qint64 id = panel->bookmarkIdAt(int(row));
    if (!views->RemoveViewByID(id))
        Vantor::LogHandler::getInstance()->reportInfo(tr("No saved view with the id %1").arg(id));
}

void MainWindow::showNextBookmark()
{
    BookmarkWidget* panel = bookmarkPanel();
    if (!panel)
        return;
    const int row = panel->getcurrentRow();
    if (row >= 0 && row < panel->listWidget()->count() - 1)
        panel->setcurrentRow(row + 1);
}

void MainWindow::showPreviousBookmark()
{
    BookmarkWidget* panel = bookmarkPanel();
    if (!panel)
        return;
    const int row = panel->getcurrentRow();
    if (row >= 1 && row < panel->listWidget()->count())
        panel->setcurrentRow(row - 1);
}

QString MainWindow::bookmarkFileToWrite(const QString& modelPath)
{
    const QFileInfo model(modelPath);
    return model.absolutePath() + QLatin1Char('/') + model.completeBaseName() + QStringLiteral(".bmk");
}

QString MainWindow::bookmarkFileToRead(const QString& modelPath)
{
    const QString own = bookmarkFileToWrite(modelPath);
    if (QFileInfo::exists(own))
        return own;
    // Files written before carry the name up to the first dot.
    const QFileInfo model(modelPath);
    const QString shared = model.absolutePath() + QLatin1Char('/') + model.baseName() + QStringLiteral(".bmk");
    return QFileInfo::exists(shared) ? shared : QString();
}

void MainWindow::on_actionSaveBookmarks_triggered()
{
    if (m_currentFile.isEmpty())
        return;
    BookmarkWidget* panel = bookmarkPanel();
    BookmarkRecordList* records = panel ? panel->recordList() : nullptr;
    const QString path = bookmarkFileToWrite(m_currentFile);
    if (!records) {
        Vantor::LogHandler::getInstance()->reportInfo(tr("No bookmarks to save in %1").arg(path));
        return;
    }
    if (path == m_unreadBookmarkFile) {
        // A damaged file may still be mended by hand; it is not replaced.
        Vantor::LogHandler::getInstance()->reportWarning(
            tr("The bookmark file %1 could not be read when the model was opened; it is left as it is.").arg(path));
        return;
    }
    Vantor::LogHandler::getInstance()->reportInfo(tr("Saving %1 ...").arg(path));
    BookmarkParser parser;
    if (parser.save(path, records))
        records->setModified(false);
}

void MainWindow::loadBookmarksBesideModel()
{
    m_unreadBookmarkFile.clear();
    BookmarkWidget* panel = bookmarkPanel();
    const QString path = bookmarkFileToRead(m_currentFile);
    if (!panel || path.isEmpty())
        return;
    if (panel->loadBookmarks(path)) {
        Vantor::LogHandler::getInstance()->reportInfo(tr("Loading of %1 ...").arg(path));
    } else {
        m_unreadBookmarkFile = path;
        Vantor::LogHandler::getInstance()->reportInfo(tr("Nothing to load in %1 ...").arg(path));
    }
}

void MainWindow::clearBookmarkPanel()
{
    BookmarkWidget* panel = bookmarkPanel();
    if (!panel)
        return;
    panel->listWidget()->clear();
    if (BookmarkRecordList* records = panel->recordList()) {
        records->clear();
        records->setModified(false);
    }
    emit panel->clearAllBookItems();
}
