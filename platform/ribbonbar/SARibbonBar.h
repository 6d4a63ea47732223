#pragma once

#include <QList>
#include <QWidget>

class QHBoxLayout;
class QPushButton;
class QStackedWidget;
class QTabBar;
class SARibbonButtonGroupWidget;
class SARibbonCategory;
class SARibbonQuickAccessBar;

// The ribbon: the application button, the quick-access row, a tab for each category page, an optional
// group of buttons at the right end of the tab row, and the page of the current category underneath.
class SARibbonBar : public QWidget
{
    Q_OBJECT
public:
    // 0: the quick-access row sits in the tab row, between the application button and the tabs.
    // 1: the quick-access row gets its own thin row above the tabs.
    enum RibbonStyle { QuickAccessInTabRow = 0, QuickAccessAboveTabs = 1 };

    explicit SARibbonBar(QWidget* parent = nullptr);

    QPushButton* applitionButton() const { return m_applicationButton; }
    SARibbonQuickAccessBar* quickAccessBar() const { return m_quickAccess; }
    // Made on the first call.
    SARibbonButtonGroupWidget* activeTabBarRightButtonGroup();
    SARibbonButtonGroupWidget* tabBarRightButtonGroup() const { return m_rightGroup; }

    void setRibbonStyle(int style);
    int ribbonStyle() const { return m_style; }

    SARibbonCategory* addCategoryPage(const QString& title);
    // Every page in the order added, hidden ones included.
    QList<SARibbonCategory*> categoryPages() const { return m_categories; }
    // A hidden page loses its tab until it is shown again; indices stay those of categoryPages().
    void hideCategory(SARibbonCategory* category);
    void showCategory(SARibbonCategory* category);
    bool isCategoryVisible(SARibbonCategory* category) const;

    int currentIndex() const;
    void setCurrentIndex(int index);
    SARibbonCategory* currentCategory() const;
    QTabBar* ribbonTabBar() const { return m_tabs; }

signals:
    // The index (in categoryPages()) of the page that became current.
    void currentRibbonTabChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void onTabChanged(int index);
    void placeQuickAccess();
    void fitPageHeight();

    QPushButton* m_applicationButton = nullptr;
    SARibbonQuickAccessBar* m_quickAccess = nullptr;
    SARibbonButtonGroupWidget* m_rightGroup = nullptr;
    QWidget* m_topRow = nullptr;
    QHBoxLayout* m_topLayout = nullptr;
    QHBoxLayout* m_tabLayout = nullptr;
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_pages = nullptr;
    QList<SARibbonCategory*> m_categories;
    int m_style = QuickAccessInTabRow;
};
