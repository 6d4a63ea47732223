#pragma once

#include "ui_ProgressForm.h"

// The small progress form of the long-running tool dialogs: a centred label above a progress bar and a
// button. The form's class is "dialog", the translation context its texts have always had.
class ProgressForm : public Ui::dialog
{
};
