#pragma once

// The interference-check, combine and preferences dialogs.

#include "dialogs/CollisionDialog.h"
#include "dialogs/CombineProcessDialog.h"
#include "dialogs/PreferencesWidget.h"

#include <QDialog>
#include <QString>

