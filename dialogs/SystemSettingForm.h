#pragma once

// The form of the system settings dialog: a page tree on the left, fifteen pages on the right, the
// Reset, OK and Cancel buttons below. The dialog adds the tree items, the colour buttons and the mark
// line-width spin box into the rows named here.

#include "ui_SystemSettingForm.h"
