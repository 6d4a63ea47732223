#include "ribbonbar/SARibbonBar.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

SARibbonBar::SARibbonBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SARibbonBar"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QTabBar(this);
    m_tabs->setDrawBase(false);
    m_pages = new QStackedWidget(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_pages);
    connect(m_tabs, &QTabBar::currentChanged, m_pages, &QStackedWidget::setCurrentIndex);
}
