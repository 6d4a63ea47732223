#pragma once

// The dock forms: each fills a QDockWidget with its contents widget and keeps pointers to what it made.

#include "ui_BookmarkDock.h"
#include "ui_LogDock.h"
#include "ui_PropertyDock.h"
#include "ui_StatisticsDock.h"
#include "ui_TreeDock.h"
