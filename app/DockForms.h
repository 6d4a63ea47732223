#pragma once

// The dock forms: each fills a QDockWidget with its contents widget and keeps pointers to what it made.

#include <QDockWidget>

class QGridLayout;
class QHBoxLayout;
class QPushButton;
class QSpacerItem;
class QTextBrowser;
class QVBoxLayout;
class BookmarkWidget;
class MyTreeView;
class PropertyWidget;
class SearchLineEdit;

class Ui_dockWidgetBookmark
{
public:
    QWidget* dockWidgetContents = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    BookmarkWidget* widgetBookmarkManager = nullptr;
    void setupUi(QDockWidget* dock);
    void retranslateUi(QDockWidget* dock);
};

class Ui_logDock
{
public:
    QWidget* dockWidgetContents = nullptr;
    QGridLayout* gridLayout = nullptr;
    QPushButton* pushButtonClearLog = nullptr;
    QPushButton* pushButtonSaveLog = nullptr;
    QSpacerItem* horizontalSpacer = nullptr;
    QTextBrowser* textBrowserLog = nullptr;
    void setupUi(QDockWidget* dock);
    void retranslateUi(QDockWidget* dock);
};

class Ui_propertyDock
{
public:
    QWidget* dockWidgetContents = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    PropertyWidget* widgetProperties = nullptr;
    void setupUi(QDockWidget* dock);
    void retranslateUi(QDockWidget* dock);
};

class Ui_statisticsDock
{
public:
    QWidget* dockWidgetContents = nullptr;
    QGridLayout* gridLayout = nullptr;
    PropertyWidget* widgetStats = nullptr;
    void setupUi(QDockWidget* dock);
    void retranslateUi(QDockWidget* dock);
};

class Ui_treeDock
{
public:
    QWidget* dockWidgetContents = nullptr;
    QVBoxLayout* verticalLayout = nullptr;
    SearchLineEdit* lineEditSearch = nullptr;
    MyTreeView* treeViewStructure = nullptr;
    void setupUi(QDockWidget* dock);
    void retranslateUi(QDockWidget* dock);
};

namespace Ui {
using dockWidgetBookmark = Ui_dockWidgetBookmark;
using logDock = Ui_logDock;
using propertyDock = Ui_propertyDock;
using statisticsDock = Ui_statisticsDock;
using treeDock = Ui_treeDock;
} // namespace Ui
