#include "animation/TimelineDialog.h"

TimelineDialog::TimelineDialog(QWidget* parent) : QDialog(parent, Qt::WindowFlags(0x8000003))
{
    ui.setupUi(this);
    setWindowTitle(tr("时间设置"));
    setAccessibleName(windowTitle());
    ui.lineEdit_4->setAccessibleName(tr("动画") + tr("持续时间"));
    sureButton = ui.sureButton;
    cancelButton = ui.cancelButton;
    connect(cancelButton, &QPushButton::clicked, this, &TimelineDialog::close);
    connect(sureButton, &QPushButton::clicked, this, &TimelineDialog::close);
}

bool TimelineDialog::close()
{
    hide();
    return true;
}

void TimelineDialog::getTimeValues(float& start, float& duration, float& animationDuration) const
{
    start = ui.startTimeEdit->text().toFloat();
    duration = ui.lineEdit_3->text().toFloat();
    animationDuration = ui.lineEdit_4->text().toFloat();
}
