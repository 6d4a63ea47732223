#include "app/CrashHandler.h"

void installCrashHandler()
{
    // Filled in with the crash-dump writer.
}
