#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

// The timeline settings dialog.
class TimelineDialog : public QDialog
{
    Q_OBJECT
public:
    TimelineDialog() : QDialog(nullptr, Qt::WindowFlags(0x8000003))
    {
        setWindowTitle(QString::fromUtf8("时间设置"));
        auto* layout = new QVBoxLayout(this);
        for (QLineEdit** e : {&m_start, &m_duration, &m_animation}) {
            *e = new QLineEdit(this);
            layout->addWidget(*e);
        }
        sureButton = new QPushButton(QString::fromUtf8("确定"), this);
        cancelButton = new QPushButton(QString::fromUtf8("取消"), this);
        layout->addWidget(sureButton);
        layout->addWidget(cancelButton);
        connect(sureButton, &QPushButton::clicked, this, &QDialog::close);
        connect(cancelButton, &QPushButton::clicked, this, &QDialog::close);
    }

    void getTimeValues(float& start, float& duration, float& animationDuration) const
    {
        start = m_start->text().toFloat();
        duration = m_duration->text().toFloat();
        animationDuration = m_animation->text().toFloat();
    }

    QPushButton* sureButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    QLineEdit* m_start = nullptr;
    QLineEdit* m_duration = nullptr;
    QLineEdit* m_animation = nullptr;
};
