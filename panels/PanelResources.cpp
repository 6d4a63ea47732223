#include "panels/PanelResources.h"

#include <QtGlobal>

// Outside any namespace: the macro declares the resource's init function where it stands.
static bool registerPanelIcons()
{
    Q_INIT_RESOURCE(PanelIcons);
    return true;
}

void initPanelResources()
{
    static const bool registered = registerPanelIcons();
    Q_UNUSED(registered);
}
