#pragma once

#include <QCoreApplication>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The form of the timeline settings dialog, laid out as the designer would.
class Ui_TimelineDialog
{
    Q_DECLARE_TR_FUNCTIONS(TimelineDialog)

public:
    QLabel* axisHeading = nullptr;
    QLabel* startLabel = nullptr;
    QLineEdit* startTimeEdit = nullptr;
    QLabel* durationLabel = nullptr;
    QLineEdit* lineEdit_3 = nullptr;
    QLabel* animationHeading = nullptr;
    QLabel* animationLabel = nullptr;
    QLineEdit* lineEdit_4 = nullptr;
    QPushButton* sureButton = nullptr;
    QPushButton* cancelButton = nullptr;

    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);
};

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
