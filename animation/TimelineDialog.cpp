#include "animation/TimelineDialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

QSpacerItem* hSpacer()
{
    return new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

// [spacer, label, spacer, edit, "秒", spacer]
QHBoxLayout* fieldRow(QDialog* dialog, QLabel*& label, QLineEdit*& edit, const char* name)
{
    auto* row = new QHBoxLayout;
    label = new QLabel(dialog);
    edit = new QLineEdit(dialog);
    edit->setObjectName(QString::fromLatin1(name));
    auto* unit = new QLabel(dialog);
    unit->setObjectName(QString::fromLatin1(name) + QStringLiteral("Unit"));
    row->addItem(hSpacer());
    row->addWidget(label);
    row->addItem(hSpacer());
    row->addWidget(edit);
    row->addWidget(unit);
    row->addItem(hSpacer());
    return row;
}

} // namespace

void Ui_TimelineDialog::setupUi(QDialog* dialog)
{
    dialog->setObjectName(QStringLiteral("TimelineDialog"));
    dialog->resize(300, 404);
    dialog->setMinimumSize(300, 0);
    dialog->setMaximumSize(300, 16777215);
    auto* column = new QVBoxLayout(dialog);
    axisHeading = new QLabel(dialog);
    column->addWidget(axisHeading);
    auto* axis = new QVBoxLayout;
    axis->addLayout(fieldRow(dialog, startLabel, startTimeEdit, "startTimeEdit"));
    axis->addLayout(fieldRow(dialog, durationLabel, lineEdit_3, "lineEdit_3"));
    column->addLayout(axis);
    animationHeading = new QLabel(dialog);
    column->addWidget(animationHeading);
    column->addLayout(fieldRow(dialog, animationLabel, lineEdit_4, "lineEdit_4"));
    column->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    auto* buttons = new QHBoxLayout;
    buttons->addItem(hSpacer());
    sureButton = new QPushButton(dialog);
    sureButton->setObjectName(QStringLiteral("sureButton"));
    cancelButton = new QPushButton(dialog);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    buttons->addWidget(sureButton);
    buttons->addWidget(cancelButton);
    column->addLayout(buttons);
    retranslateUi(dialog);
}

void Ui_TimelineDialog::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(tr("Dialog"));
    axisHeading->setText(tr("时间轴"));
    startLabel->setText(tr("开始时间"));
    durationLabel->setText(tr("持续时间"));
    animationHeading->setText(tr("动画"));
    animationLabel->setText(tr("持续时间"));
    for (QLabel* unit : dialog->findChildren<QLabel*>())
        if (unit->objectName().endsWith(QLatin1String("Unit")))
            unit->setText(tr("秒"));
    sureButton->setText(tr("确定"));
    cancelButton->setText(tr("取消"));
    startTimeEdit->setAccessibleName(tr("开始时间"));
    lineEdit_3->setAccessibleName(tr("持续时间"));
    lineEdit_4->setAccessibleName(tr("动画") + tr("持续时间"));
    sureButton->setAccessibleName(sureButton->text());
    cancelButton->setAccessibleName(cancelButton->text());
}

TimelineDialog::TimelineDialog(QWidget* parent) : QDialog(parent, Qt::WindowFlags(0x8000003))
{
    ui.setupUi(this);
    setWindowTitle(tr("时间设置"));
    setAccessibleName(windowTitle());
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
