#include "app/StartupFlags.h"

bool showTreeDockAtStart = true;
bool showViewDockAtStart = true;
bool showAnnotationAtStart = true;
