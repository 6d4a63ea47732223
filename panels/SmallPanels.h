#pragma once

// The small panel widgets the docks hold.

#include "panels/MyTreeView.h"
#include "panels/PropertyWidget.h"
#include "panels/QTreeviewDelegate.h"
#include "panels/SearchLineEdit.h"
#include "view/MeasureProperty.h"

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>
