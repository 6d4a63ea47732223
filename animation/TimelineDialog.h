#pragma once

#include "ui_TimelineDialog.h"

#include <QDialog>

// The visible segment of the timeline (start and length) and the animation's length, in seconds.
// Either button hides it; the main window fills the fields, shows it and applies them on confirm.
class TimelineDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TimelineDialog(QWidget* parent = nullptr);

    // start, duration and animation duration; text that is not a number gives 0.
    void getTimeValues(float& start, float& duration, float& animationDuration) const;

    Ui_TimelineDialog ui;
    QPushButton* sureButton = nullptr;
    QPushButton* cancelButton = nullptr;

public slots:
    bool close();
};
