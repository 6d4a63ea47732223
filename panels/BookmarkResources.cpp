#include "panels/BookmarkResources.h"

#include <QtGlobal>

// Outside any namespace: the macro declares the resource's init function where it stands.
static bool registerBookmarkIcons()
{
    Q_INIT_RESOURCE(BookmarkIcons);
    return true;
}

void initBookmarkResources()
{
    static const bool registered = registerBookmarkIcons();
    Q_UNUSED(registered);
}
