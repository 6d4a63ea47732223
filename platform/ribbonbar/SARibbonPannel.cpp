#include "ribbonbar/SARibbonPannel.h"
#include "ribbonbar/SARibbonToolButton.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

SARibbonPannel::SARibbonPannel(const QString& title, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SARibbonPannel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(3, 2, 7, 1);
    column->setSpacing(0);
    m_row = new QHBoxLayout;
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(2);
    column->addLayout(m_row, 1);
    m_title = new QLabel(this);
    m_title->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    m_title->setStyleSheet(QStringLiteral("color:#5f6368;"));
    column->addWidget(m_title, 0);
    setPannelName(title);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

QString SARibbonPannel::pannelName() const
{
    return m_title->text();
}

void SARibbonPannel::setPannelName(const QString& title)
{
    m_title->setText(title);
    m_title->setAccessibleName(title);
    setAccessibleName(title);
}

SARibbonToolButton* SARibbonPannel::addLargeAction(QAction* action)
{
    if (!action)
        return nullptr;
    auto* button = new SARibbonToolButton(this, SARibbonToolButton::LargeButton);
    button->setDefaultAction(action);
    if (action->menu())
        button->setPopupMode(QToolButton::InstantPopup);
    m_row->addWidget(button);
    button->show();
    return button;
}

void SARibbonPannel::addWidget(QWidget* widget)
{
    if (!widget)
        return;
    widget->setParent(this);
    m_row->addWidget(widget, 0, Qt::AlignVCenter);
    widget->show();
}

QList<SARibbonToolButton*> SARibbonPannel::largeButtons() const
{
    QList<SARibbonToolButton*> result;
    for (int i = 0; i < m_row->count(); ++i)
        if (auto* b = qobject_cast<SARibbonToolButton*>(m_row->itemAt(i)->widget()))
            result << b;
    return result;
}

void SARibbonPannel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QColor(0xd4, 0xd6, 0xd9));
    const int x = width() - 3;
    p.drawLine(x, 6, x, height() - 6);
}
