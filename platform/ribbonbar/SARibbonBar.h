#pragma once

#include <QWidget>

class QTabBar;
class QStackedWidget;

// The ribbon bar: a row of category tabs over the page of the current category.
class SARibbonBar : public QWidget
{
    Q_OBJECT
public:
    explicit SARibbonBar(QWidget* parent = nullptr);

    QTabBar* tabBar() const { return m_tabs; }
    QStackedWidget* pages() const { return m_pages; }

private:
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_pages = nullptr;
};
