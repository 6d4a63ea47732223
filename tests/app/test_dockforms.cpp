#include "app/DockForms.h"
#include "app/SmallWidgets.h"
#include "panels/SmallPanels.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QPushButton>
#include <QTextBrowser>

TEST(DockForms, NamesAndKeepingAnExistingName)
{
    QDockWidget fresh;
    Ui::treeDock tree;
    tree.setupUi(&fresh);
    EXPECT_EQ(fresh.objectName(), "treeDock");
    EXPECT_EQ(fresh.windowTitle(), "Structure");
    EXPECT_EQ(tree.treeViewStructure->objectName(), "treeViewStructure");
    EXPECT_EQ(tree.treeViewStructure->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_EQ(tree.lineEditSearch->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    EXPECT_EQ(fresh.widget()->objectName(), "dockWidgetContents");

    QDockWidget named;
    named.setObjectName("myLog");
    Ui::logDock log;
    log.setupUi(&named);
    EXPECT_EQ(named.objectName(), "myLog");
    EXPECT_TRUE(log.pushButtonSaveLog->text().isEmpty());
    EXPECT_EQ(log.textBrowserLog->objectName(), "textBrowserLog");
}

TEST(SmallWidgets, CloseDockAnnouncesOnceThenHides)
{
    QMainWindow w;
    auto* dock = new QCloseDockWidget("时间轴", &w);
    w.addDockWidget(Qt::BottomDockWidgetArea, dock);
    w.show();
    QSignalSpy spy(dock, SIGNAL(closed()));
    dock->close();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_FALSE(dock->isVisible());
}

TEST(SmallWidgets, MenuIconStyleEnlargesOnlyMenuIcons)
{
    QMenu menu;
    auto* style = new MenuIconStyle;
    menu.setStyle(style);
    EXPECT_EQ(style->pixelMetric(QStyle::PM_SmallIconSize), 32);
    EXPECT_EQ(style->pixelMetric(QStyle::PM_MenuHMargin), QApplication::style()->pixelMetric(QStyle::PM_MenuHMargin));
}
