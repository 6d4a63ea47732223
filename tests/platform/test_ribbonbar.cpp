#include "ribbonbar/SARibbonBar.h"
#include "ribbonbar/SARibbonButtonGroupWidget.h"
#include "ribbonbar/SARibbonCategory.h"
#include "ribbonbar/SARibbonMainWindow.h"
#include "ribbonbar/SARibbonPannel.h"
#include "ribbonbar/SARibbonToolButton.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace {

QIcon colourIcon(Qt::GlobalColor colour)
{
    QPixmap pix(32, 32);
    pix.fill(colour);
    return QIcon(pix);
}

// Closes the next menu that opens and records that it opened.
struct MenuCloser : QObject
{
    explicit MenuCloser(QMenu* menu)
    {
        QObject::connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            ++shown;
            QTimer::singleShot(0, menu, &QMenu::close);
        });
    }
    int shown = 0;
};

} // namespace

TEST(RibbonBar, PagesInOrderHideAndShowAgain)
{
    SARibbonMainWindow window;
    SARibbonBar* bar = window.ribbonBar();
    ASSERT_NE(bar, nullptr);
    SARibbonCategory* home = bar->addCategoryPage("Home");
    SARibbonCategory* view = bar->addCategoryPage("View");
    SARibbonCategory* help = bar->addCategoryPage("Help");
    window.show();

    ASSERT_EQ(bar->categoryPages(), (QList<SARibbonCategory*>{home, view, help}));
    EXPECT_EQ(bar->ribbonTabBar()->tabText(1), "View");
    EXPECT_EQ(bar->currentCategory(), home);

    QSignalSpy changed(bar, &SARibbonBar::currentRibbonTabChanged);
    bar->setCurrentIndex(1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 1);
    EXPECT_EQ(bar->currentCategory(), view);
    EXPECT_TRUE(view->isVisible());

    // Hiding the current page moves to another visible one; indices stay those of the page list.
    bar->hideCategory(view);
    EXPECT_FALSE(bar->isCategoryVisible(view));
    EXPECT_FALSE(bar->ribbonTabBar()->isTabVisible(1));
    EXPECT_NE(bar->currentCategory(), view);
    EXPECT_TRUE(bar->currentCategory()->isVisible());
    bar->setCurrentIndex(1); // a hidden page cannot be made current
    EXPECT_NE(bar->currentCategory(), view);
    EXPECT_EQ(bar->categoryPages().size(), 3);

    bar->showCategory(view);
    EXPECT_TRUE(bar->isCategoryVisible(view));
    bar->setCurrentIndex(1);
    EXPECT_EQ(bar->currentCategory(), view);
    EXPECT_TRUE(view->isVisible());

    // Every page hidden: no tab and no page shows; showing one brings it back.
    for (SARibbonCategory* c : bar->categoryPages())
        bar->hideCategory(c);
    for (SARibbonCategory* c : bar->categoryPages())
        EXPECT_FALSE(c->isVisible());
    bar->showCategory(help);
    bar->setCurrentIndex(2);
    EXPECT_TRUE(help->isVisible());

    bar->hideCategory(nullptr); // unknown pages are ignored
    bar->showCategory(nullptr);
    EXPECT_FALSE(bar->isCategoryVisible(nullptr));
}

TEST(RibbonBar, LargeButtonFollowsItsAction)
{
    SARibbonBar bar;
    SARibbonPannel* pannel = bar.addCategoryPage("Home")->addPannel("navigation");
    EXPECT_EQ(pannel->pannelName(), "navigation");
    QAction action(colourIcon(Qt::red), "Zoom", nullptr);
    action.setCheckable(true);
    SARibbonToolButton* button = pannel->addLargeAction(&action);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(pannel->largeButtons(), QList<SARibbonToolButton*>{button});
    EXPECT_EQ(pannel->addLargeAction(nullptr), nullptr);
    bar.show();

    EXPECT_EQ(button->text(), "Zoom");
    EXPECT_EQ(button->accessibleName(), "Zoom");
    action.setText("Translation");
    EXPECT_EQ(button->text(), "Translation");
    EXPECT_EQ(button->accessibleName(), "Translation");

    action.setChecked(true);
    EXPECT_TRUE(button->isChecked());
    action.setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    action.setEnabled(true);

    action.setIcon(colourIcon(Qt::blue));
    const QImage shown = button->icon().pixmap(32, 32).toImage();
    EXPECT_EQ(QColor(shown.pixel(16, 16)), QColor(Qt::blue));

    QSignalSpy triggered(&action, &QAction::triggered);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(button->width() / 2, 10));
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_FALSE(action.isChecked()); // a click on the button toggles the action
    EXPECT_GE(button->height(), 60);
}

TEST(RibbonBar, MenuButtonsOpenTheirMenus)
{
    SARibbonBar bar;
    SARibbonPannel* pannel = bar.addCategoryPage("Review")->addPannel("Measure");
    QMenu menu;
    menu.addAction("PntToPntDistance");
    QAction group(colourIcon(Qt::green), "Distances", nullptr);
    group.setMenu(&menu);
    SARibbonToolButton* button = pannel->addLargeAction(&group);
    bar.show();
    ASSERT_TRUE(button->hasMenu());
    QSignalSpy triggered(&group, &QAction::triggered);
    MenuCloser closer(&menu);

    // The default: the whole face opens the menu.
    EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);
    EXPECT_TRUE(button->menuArea().isEmpty());
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(button->width() / 2, 10));
    EXPECT_EQ(closer.shown, 1);
    EXPECT_EQ(triggered.count(), 0);

    // Split: the icon part triggers the action, the text part opens the menu.
    button->setPopupMode(QToolButton::MenuButtonPopup);
    const QRect menuArea = button->menuArea();
    ASSERT_FALSE(menuArea.isEmpty());
    EXPECT_GT(menuArea.top(), 32);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(button->width() / 2, 10));
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_EQ(closer.shown, 1);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, menuArea.center());
    EXPECT_EQ(closer.shown, 2);
    EXPECT_EQ(triggered.count(), 1);
}

TEST(RibbonBar, LongTextsBreakIntoTwoLines)
{
    SARibbonToolButton button(nullptr, SARibbonToolButton::LargeButton);
    const struct
    {
        QString text;
        QStringList lines;
    } cases[] = {
        {"Home", {"Home"}},
        {"Parallel projection", {"Parallel", "projection"}},
        {"Hide Collision Effect", {"Hide Collision", "Effect"}},
        {"A && B", {"A & B"}},
        {QString::fromUtf8("平行投影视图显示"), {QString::fromUtf8("平行投影"), QString::fromUtf8("视图显示")}},
    };
    for (const auto& c : cases) {
        button.setText(c.text);
        const QStringList lines = button.textLines();
        if (c.lines.size() == 2 && lines.size() == 2) {
            EXPECT_EQ(lines, c.lines) << c.text.toStdString();
        } else if (c.lines.size() == 1) {
            EXPECT_EQ(lines, c.lines) << c.text.toStdString();
        } else {
            ADD_FAILURE() << c.text.toStdString() << " gave " << lines.join('|').toStdString();
        }
    }
}

TEST(RibbonBar, QuickAccessShortcutsAndRightGroup)
{
    SARibbonMainWindow window;
    SARibbonBar* bar = window.ribbonBar();
    bar->addCategoryPage("Home");
    QAction undo(colourIcon(Qt::gray), "Undo", &window);
    undo.setShortcut(QKeySequence("Ctrl+z", QKeySequence::NativeText));
    QToolButton* button = bar->quickAccessBar()->addButton(&undo);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->accessibleName(), "Undo");
    EXPECT_EQ(bar->quickAccessBar()->buttons(), QList<QToolButton*>{button});
    EXPECT_EQ(bar->quickAccessBar()->addButton(nullptr), nullptr);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QSignalSpy triggered(&undo, &QAction::triggered);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 1);
    undo.setEnabled(false);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 1);

    EXPECT_EQ(bar->tabBarRightButtonGroup(), nullptr);
    SARibbonButtonGroupWidget* group = bar->activeTabBarRightButtonGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(bar->activeTabBarRightButtonGroup(), group);
    QAction help(colourIcon(Qt::yellow), QString(), &window);
    help.setToolTip("Help");
    QToolButton* helpButton = group->addButton(&help);
    EXPECT_EQ(helpButton->accessibleName(), "Help"); // no text: the tool tip names it
    EXPECT_TRUE(helpButton->isVisibleTo(&window));

    EXPECT_TRUE(bar->applitionButton()->isVisibleTo(&window));
    EXPECT_FALSE(bar->applitionButton()->accessibleName().isEmpty());
}

TEST(RibbonBar, RibbonStyleMovesTheQuickAccessRow)
{
    SARibbonBar bar;
    bar.addCategoryPage("Home");
    bar.show();
    QWidget* tabRow = bar.ribbonTabBar()->parentWidget();
    EXPECT_EQ(bar.ribbonStyle(), 0);
    EXPECT_EQ(bar.quickAccessBar()->parentWidget(), tabRow);
    bar.setRibbonStyle(1);
    EXPECT_NE(bar.quickAccessBar()->parentWidget(), tabRow);
    EXPECT_TRUE(bar.quickAccessBar()->isVisible());
    EXPECT_LT(bar.quickAccessBar()->mapTo(&bar, QPoint()).y(), bar.ribbonTabBar()->mapTo(&bar, QPoint()).y());
    bar.setRibbonStyle(0);
    EXPECT_EQ(bar.quickAccessBar()->parentWidget(), tabRow);
    EXPECT_TRUE(bar.quickAccessBar()->isVisible());
}

TEST(RibbonBar, PannelTakesWidgets)
{
    SARibbonBar bar;
    SARibbonPannel* pannel = bar.addCategoryPage("Roam")->addPannel("Navigation");
    auto* box = new QSpinBox;
    pannel->addWidget(box);
    pannel->addWidget(nullptr);
    EXPECT_EQ(box->parentWidget(), pannel);
    bar.show();
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(pannel->largeButtons().isEmpty());
}
