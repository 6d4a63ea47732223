#include "ribbonbar/SARibbonButtonGroupWidget.h"
#include "ribbonbar/SARibbonToolButton.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>

SARibbonButtonGroupWidget::SARibbonButtonGroupWidget(QWidget* parent) : QWidget(parent)
{
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(2, 0, 2, 0);
    m_layout->setSpacing(1);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QToolButton* SARibbonButtonGroupWidget::addButton(QAction* action)
{
    if (!action)
        return nullptr;
    auto* button = new SARibbonToolButton(this, SARibbonToolButton::SmallButton);
    button->setIconSize(QSize(18, 18));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setDefaultAction(action);
    if (action->menu())
        button->setPopupMode(QToolButton::InstantPopup);
    m_layout->addWidget(button);
    button->show();
    return button;
}

void SARibbonButtonGroupWidget::addSeparator()
{
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Plain);
    line->setStyleSheet(QStringLiteral("color:#c8c8c8;"));
    line->setFixedWidth(5);
    m_layout->addWidget(line);
}

QList<QToolButton*> SARibbonButtonGroupWidget::buttons() const
{
    return findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
}

SARibbonQuickAccessBar::SARibbonQuickAccessBar(QWidget* parent) : SARibbonButtonGroupWidget(parent)
{
    setObjectName(QStringLiteral("SARibbonQuickAccessBar"));
    setAccessibleName(tr("Quick access"));
}
