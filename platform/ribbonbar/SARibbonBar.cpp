#include "ribbonbar/SARibbonBar.h"
#include "ribbonbar/SARibbonButtonGroupWidget.h"
#include "ribbonbar/SARibbonCategory.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

const char* const kApplicationButtonSheet =
    "QPushButton{background:#2b6cc4;color:#ffffff;border:none;padding:3px 18px;font-weight:bold;}"
    "QPushButton:hover{background:#3b7fd8;}"
    "QPushButton:pressed{background:#1f5aa8;}"
    "QPushButton::menu-indicator{image:none;width:0px;}";

const char* const kTabSheet =
    "QTabBar{background:transparent;}"
    "QTabBar::tab{background:transparent;color:#303030;border:1px solid transparent;border-bottom:none;"
    "padding:3px 14px 4px 14px;margin-top:2px;margin-bottom:-1px;}"
    "QTabBar::tab:selected{background:#f7f8fa;color:#1b5fb4;border-color:#d4d6d9;}"
    "QTabBar::tab:hover:!selected{color:#1b5fb4;background:#e8eef6;}";


} // namespace

SARibbonBar::SARibbonBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SARibbonBar"));
    setAccessibleName(tr("Ribbon"));
    // Ribbon texts are a little smaller than the window's, so a page's panels fit a common screen.
    QFont compact = font();
    if (compact.pointSizeF() > 9)
        compact.setPointSizeF(9);
    setFont(compact);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_topRow = new QWidget(this);
    m_topLayout = new QHBoxLayout(m_topRow);
    m_topLayout->setContentsMargins(4, 1, 4, 1);
    m_topLayout->setSpacing(2);
    m_topLayout->addStretch(1);
    m_topRow->hide();
    column->addWidget(m_topRow);

    auto* tabRow = new QWidget(this);
    m_tabLayout = new QHBoxLayout(tabRow);
    m_tabLayout->setContentsMargins(0, 0, 4, 0);
    m_tabLayout->setSpacing(4);

    m_applicationButton = new QPushButton(tabRow);
    m_applicationButton->setObjectName(QStringLiteral("SARibbonApplicationButton"));
    m_applicationButton->setStyleSheet(QString::fromLatin1(kApplicationButtonSheet));
    m_applicationButton->setFocusPolicy(Qt::NoFocus);
    m_applicationButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    m_applicationButton->setAccessibleName(tr("Application menu"));
    m_tabLayout->addWidget(m_applicationButton);

    m_quickAccess = new SARibbonQuickAccessBar(tabRow);
    m_tabLayout->addWidget(m_quickAccess, 0, Qt::AlignVCenter);

    m_tabs = new QTabBar(tabRow);
    m_tabs->setObjectName(QStringLiteral("SARibbonTabBar"));
    m_tabs->setAccessibleName(tr("Ribbon pages"));
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    m_tabs->setFocusPolicy(Qt::NoFocus);
    m_tabs->setStyleSheet(QString::fromLatin1(kTabSheet));
    m_tabLayout->addWidget(m_tabs, 0, Qt::AlignBottom);
    m_tabLayout->addStretch(1);
    column->addWidget(tabRow);

    m_pages = new QStackedWidget(this);
    fitPageHeight();
    column->addWidget(m_pages);

    connect(m_tabs, &QTabBar::currentChanged, this, &SARibbonBar::onTabChanged);
}

SARibbonButtonGroupWidget* SARibbonBar::activeTabBarRightButtonGroup()
{
    if (!m_rightGroup) {
        m_rightGroup = new SARibbonButtonGroupWidget(m_tabs->parentWidget());
        m_rightGroup->setObjectName(QStringLiteral("SARibbonRightButtonGroup"));
        m_rightGroup->setAccessibleName(tr("Ribbon buttons"));
        m_tabLayout->addWidget(m_rightGroup, 0, Qt::AlignVCenter);
        m_rightGroup->show();
    }
    return m_rightGroup;
}

void SARibbonBar::setRibbonStyle(int style)
{
    m_style = style == QuickAccessAboveTabs ? QuickAccessAboveTabs : QuickAccessInTabRow;
    placeQuickAccess();
}

void SARibbonBar::placeQuickAccess()
{
    if (m_style == QuickAccessAboveTabs) {
        m_tabLayout->removeWidget(m_quickAccess);
        m_quickAccess->setParent(m_topRow);
        m_topLayout->insertWidget(0, m_quickAccess);
        m_topRow->show();
    } else {
        m_topLayout->removeWidget(m_quickAccess);
        m_quickAccess->setParent(m_tabs->parentWidget());
        m_tabLayout->insertWidget(1, m_quickAccess, 0, Qt::AlignVCenter);
        m_topRow->hide();
    }
    m_quickAccess->show();
}

SARibbonCategory* SARibbonBar::addCategoryPage(const QString& title)
{
    auto* category = new SARibbonCategory(title, m_pages);
    m_categories << category;
    m_pages->addWidget(category);
    // The first tab makes itself current; the signal then reaches onTabChanged.
    m_tabs->addTab(title);
    return category;
}

void SARibbonBar::hideCategory(SARibbonCategory* category)
{
    const int index = m_categories.indexOf(category);
    if (index < 0)
        return;
    m_tabs->setTabVisible(index, false);
    if (m_tabs->currentIndex() == index) {
        // No visible tab left: no page either.
        m_pages->setVisible(false);
    }
}

void SARibbonBar::showCategory(SARibbonCategory* category)
{
    const int index = m_categories.indexOf(category);
    if (index < 0)
        return;
    m_tabs->setTabVisible(index, true);
    m_pages->setVisible(true);
    onTabChanged(m_tabs->currentIndex());
}

bool SARibbonBar::isCategoryVisible(SARibbonCategory* category) const
{
    const int index = m_categories.indexOf(category);
    return index >= 0 && m_tabs->isTabVisible(index);
}

int SARibbonBar::currentIndex() const
{
    return m_tabs->currentIndex();
}

void SARibbonBar::setCurrentIndex(int index)
{
    if (index >= 0 && index < m_categories.size() && m_tabs->isTabVisible(index))
        m_tabs->setCurrentIndex(index);
}

SARibbonCategory* SARibbonBar::currentCategory() const
{
    const int index = m_tabs->currentIndex();
    return index >= 0 && index < m_categories.size() ? m_categories.at(index) : nullptr;
}

void SARibbonBar::onTabChanged(int index)
{
    if (index < 0 || index >= m_categories.size())
        return;
    if (m_pages->currentIndex() == index && m_pages->currentWidget() == m_categories.at(index))
        return;
    m_pages->setCurrentWidget(m_categories.at(index));
    emit currentRibbonTabChanged(index);
}

void SARibbonBar::fitPageHeight()
{
    // Room for a large button (icon and two lines of text) and a panel title under it.
    if (!m_pages)
        return;
    const int line = QFontMetrics(font()).height();
    m_pages->setFixedHeight(50 + 3 * line);
}

void SARibbonBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        fitPageHeight();
    QWidget::changeEvent(event);
}

void SARibbonBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xff, 0xff, 0xff));
    // The line under the tabs; the current tab covers it and opens into its page.
    p.setPen(QColor(0xd4, 0xd6, 0xd9));
    const int y = m_pages->geometry().top() - 1;
    p.drawLine(0, y, width(), y);
}
