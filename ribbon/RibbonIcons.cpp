#include "ribbon/RibbonIcons.h"

#include <QtGlobal>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void initRibbonIconResource()
{
    Q_INIT_RESOURCE(VantorViewerIcons);
}

void registerRibbonIcons()
{
    static const bool done = (initRibbonIconResource(), true);
    Q_UNUSED(done);
}
