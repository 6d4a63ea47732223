#include "panels/UserViewManagerChangedListener.h"

#include "panels/BookmarkListWidgetItem.h"
#include "panels/BookmarkResources.h"
#include "panels/BookmarkWidget.h"
#include "view/UserView.h"

#include <QListWidget>
#include <QPainter>

QImage bookmarkThumbnail(const Vantor::UserView& view)
{
    QImage thumbnail = view.getImage();
    if (view.getManipulatorState().manipulatorType != 3 || thumbnail.isNull())
        return thumbnail;
    initBookmarkResources();
    const QImage mark(QStringLiteral(":/VantorViewer/icon/roamView.png"));
    if (thumbnail.format() != QImage::Format_ARGB32_Premultiplied && thumbnail.format() != QImage::Format_RGB32)
        thumbnail = thumbnail.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&thumbnail);
    painter.drawImage(10, thumbnail.height() - mark.height() - 10, mark);
    return thumbnail;
}

namespace {

BookmarkRecord* recordOf(const Vantor::UserView& saved)
{
    auto* record = new BookmarkRecord;
    record->insert(BookmarkKey::name(), QString::fromLocal8Bit(saved.getViewName().c_str()));
    record->insert(BookmarkKey::description(), QString::fromLocal8Bit(saved.getViewRemark().c_str()));
    record->insert(BookmarkKey::thumbnail(), bookmarkThumbnail(saved));
    record->insert(BookmarkKey::id(), qulonglong(saved.getViewID()));
    return record;
}

// Adds the row of the one view the manager's last change inserted; false when the panel cannot
// follow that change alone and must be refilled.
bool followInsertion(BookmarkRefreshReceiver& receiver, Vantor::ViewManager* manager)
{
    BookmarkWidget* panel = receiver.panel;
    const int index = manager->lastInsertedIndex();
    if (index < 0 || !receiver.showsAll || receiver.lastManager.get() != manager ||
        manager->revision() != receiver.revision + 1 || panel->rowsGeneration() != receiver.rowsGeneration ||
        unsigned(index) >= manager->getNumChildren())
        return false;
    QListWidget* list = panel->listWidget();
    BookmarkRecordList* records = panel->recordList();
    if (unsigned(list->count()) + 1 != manager->getNumChildren() || (records && records->size() != list->count()))
        return false;
    auto* saved = dynamic_cast<Vantor::UserView*>(manager->getChild(unsigned(index)));
    if (!saved)
        return false;
    panel->insertBookmarkItem(index, recordOf(*saved));
    if (BookmarkRecordList* kept = panel->recordList())
        kept->setModified(false);
    receiver.revision = manager->revision();
    receiver.rowsGeneration = panel->rowsGeneration();
    return true;
}

} // namespace

void refreshBookmarkList(BookmarkRefreshReceiver& receiver, Vantor::ViewManager* manager)
{
    if (receiver.busy)
        return;
    receiver.busy = true;
    BookmarkWidget* panel = receiver.panel;
    if (!manager || !panel) {
        receiver.busy = false;
        return;
    }
    if (followInsertion(receiver, manager)) {
        receiver.busy = false;
        return;
    }
    receiver.lastManager = manager;
    receiver.revision = manager->revision();

    QListWidget* list = panel->listWidget();
    QListWidgetItem* current = list->currentItem();
    const bool hadCurrent = current != nullptr;
    const qint64 currentId = BookmarkListWidgetItem::bookmarkId(current);
    list->clear();
    if (BookmarkRecordList* records = panel->recordList()) {
        records->clear();
        records->setModified(false);
    }

    for (const osg::ref_ptr<Vantor::View>& view : manager->GetAllView()) {
        auto* saved = dynamic_cast<Vantor::UserView*>(view.get());
        if (!saved)
            continue;
        panel->addBookmarkItem(recordOf(*saved));
    }
    receiver.showsAll = unsigned(list->count()) == manager->getNumChildren();
    receiver.rowsGeneration = panel->rowsGeneration();
    if (BookmarkRecordList* records = panel->recordList())
        records->setModified(false);
    if (hadCurrent)
        for (int row = 0; row < list->count(); ++row)
            if (BookmarkListWidgetItem::bookmarkId(list->item(row)) == currentId) {
                list->setCurrentRow(row);
                break;
            }
    receiver.busy = false;
}

void UserViewManagerChangedListener::onViewChanged(Vantor::ViewManager* manager)
{
    if (m_receiver)
        refreshBookmarkList(*m_receiver, manager);
}
