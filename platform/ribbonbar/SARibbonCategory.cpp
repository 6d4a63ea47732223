#include "ribbonbar/SARibbonCategory.h"
#include "ribbonbar/SARibbonPannel.h"

#include <QHBoxLayout>
#include <QPainter>

SARibbonCategory::SARibbonCategory(const QString& name, QWidget* parent) : QWidget(parent), m_name(name)
{
    setObjectName(QStringLiteral("SARibbonCategory"));
    setAccessibleName(name);
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(4, 2, 4, 2);
    m_layout->setSpacing(0);
    m_layout->addStretch(1);
}

SARibbonPannel* SARibbonCategory::addPannel(const QString& title)
{
    auto* pannel = new SARibbonPannel(title, this);
    m_layout->insertWidget(m_layout->count() - 1, pannel);
    m_pannels << pannel;
    return pannel;
}

void SARibbonCategory::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xf7, 0xf8, 0xfa));
    p.setPen(QColor(0xd4, 0xd6, 0xd9));
    p.drawLine(0, 0, width(), 0);
    p.drawLine(0, height() - 1, width(), height() - 1);
}
