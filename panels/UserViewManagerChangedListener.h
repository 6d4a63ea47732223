#pragma once

#include "vantor/view/ViewManager.h"

#include <osg/observer_ptr>

#include <QImage>
#include <QPointer>

#include <memory>

class BookmarkWidget;

namespace Vantor {
class UserView;
}

// What a refill of the bookmark panel needs: the panel, the view manager of the last refill, and a flag
// that drops a refill asked for while one runs.
struct BookmarkRefreshReceiver
{
    QPointer<BookmarkWidget> panel;
    osg::observer_ptr<Vantor::ViewManager> lastManager;
    // The manager's revision the panel shows, whether it then showed every child of the manager, and
    // the panel's rows generation right after.
    unsigned long long revision = 0;
    bool showsAll = false;
    unsigned long long rowsGeneration = 0;
    bool busy = false;
};

// Refills the bookmark panel with one bookmark per saved view of the manager, in the manager's order.
// The bookmark that was current stays current when its view is still there. A change that inserted
// one view into a list the panel showed whole adds just that row, so adding views one by one costs in
// proportion to their number.
void refreshBookmarkList(BookmarkRefreshReceiver& receiver, Vantor::ViewManager* manager);

// A saved view's thumbnail as the panel shows it: walk views carry the walk mark in the lower left corner.
QImage bookmarkThumbnail(const Vantor::UserView& view);

// Refills the bookmark panel whenever the saved views change.
class UserViewManagerChangedListener : public Vantor::ViewManagerChangedListener
{
public:
    explicit UserViewManagerChangedListener(std::shared_ptr<BookmarkRefreshReceiver> receiver)
        : m_receiver(std::move(receiver))
    {
    }
    void onViewChanged(Vantor::ViewManager* manager) override;

private:
    std::shared_ptr<BookmarkRefreshReceiver> m_receiver;
};
