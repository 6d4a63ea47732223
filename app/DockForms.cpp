#include "app/DockForms.h"

#include "panels/BookmarkWidget.h"
#include "panels/SmallPanels.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QSpacerItem>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QWidget* beginForm(QDockWidget* dock, const char* name)
{
    if (dock->objectName().isEmpty())
        dock->setObjectName(QString::fromLatin1(name));
    dock->resize(400, 300);
    auto* contents = new QWidget();
    contents->setObjectName(QStringLiteral("dockWidgetContents"));
    return contents;
}

void endForm(QDockWidget* dock, QWidget* contents)
{
    dock->setWidget(contents);
}

} // namespace

void Ui_dockWidgetBookmark::setupUi(QDockWidget* dock)
{
    dockWidgetContents = beginForm(dock, "dockWidgetBookmark");
    horizontalLayout = new QHBoxLayout(dockWidgetContents);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    widgetBookmarkManager = new BookmarkWidget(dockWidgetContents);
    widgetBookmarkManager->setObjectName(QStringLiteral("widgetBookmarkManager"));
    horizontalLayout->addWidget(widgetBookmarkManager);
    endForm(dock, dockWidgetContents);
    retranslateUi(dock);
    QMetaObject::connectSlotsByName(dock);
}

void Ui_dockWidgetBookmark::retranslateUi(QDockWidget* dock)
{
    dock->setWindowTitle(QCoreApplication::translate("dockWidgetBookmark", "Bookmark"));
}

void Ui_logDock::setupUi(QDockWidget* dock)
{
    dockWidgetContents = beginForm(dock, "logDock");
    gridLayout = new QGridLayout(dockWidgetContents);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    pushButtonClearLog = new QPushButton(dockWidgetContents);
    pushButtonClearLog->setObjectName(QStringLiteral("pushButtonClearLog"));
    pushButtonClearLog->setIcon(QIcon(QStringLiteral(":/VantorViewer/delete.png")));
    gridLayout->addWidget(pushButtonClearLog, 0, 0);
    pushButtonSaveLog = new QPushButton(dockWidgetContents);
    pushButtonSaveLog->setObjectName(QStringLiteral("pushButtonSaveLog"));
    pushButtonSaveLog->setIcon(QIcon(QStringLiteral(":/VantorViewer/icon_save.png")));
    gridLayout->addWidget(pushButtonSaveLog, 0, 1);
    horizontalSpacer = new QSpacerItem(311, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    gridLayout->addItem(horizontalSpacer, 0, 2);
    textBrowserLog = new QTextBrowser(dockWidgetContents);
    textBrowserLog->setObjectName(QStringLiteral("textBrowserLog"));
    gridLayout->addWidget(textBrowserLog, 1, 0, 1, 3);
    endForm(dock, dockWidgetContents);
    retranslateUi(dock);
    QMetaObject::connectSlotsByName(dock);
}

void Ui_logDock::retranslateUi(QDockWidget* dock)
{
    dock->setWindowTitle(QCoreApplication::translate("logDock", "Log"));
    pushButtonClearLog->setText(QString());
    pushButtonSaveLog->setText(QString());
}

void Ui_propertyDock::setupUi(QDockWidget* dock)
{
    dockWidgetContents = beginForm(dock, "propertyDock");
    horizontalLayout = new QHBoxLayout(dockWidgetContents);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    widgetProperties = new PropertyWidget(dockWidgetContents);
    widgetProperties->setObjectName(QStringLiteral("widgetProperties"));
    horizontalLayout->addWidget(widgetProperties);
    endForm(dock, dockWidgetContents);
    retranslateUi(dock);
    QMetaObject::connectSlotsByName(dock);
}

void Ui_propertyDock::retranslateUi(QDockWidget* dock)
{
    dock->setWindowTitle(QCoreApplication::translate("propertyDock", "Properties"));
}

void Ui_statisticsDock::setupUi(QDockWidget* dock)
{
    dockWidgetContents = beginForm(dock, "statisticsDock");
    gridLayout = new QGridLayout(dockWidgetContents);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    widgetStats = new PropertyWidget(dockWidgetContents);
    widgetStats->setObjectName(QStringLiteral("widgetStats"));
    gridLayout->addWidget(widgetStats, 0, 0);
    endForm(dock, dockWidgetContents);
    retranslateUi(dock);
    QMetaObject::connectSlotsByName(dock);
}

void Ui_statisticsDock::retranslateUi(QDockWidget* dock)
{
    dock->setWindowTitle(QCoreApplication::translate("statisticsDock", "Statistics"));
}

void Ui_treeDock::setupUi(QDockWidget* dock)
{
    dockWidgetContents = beginForm(dock, "treeDock");
    verticalLayout = new QVBoxLayout(dockWidgetContents);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setContentsMargins(0, 0, 0, 0);
    lineEditSearch = new SearchLineEdit(dockWidgetContents);
    lineEditSearch->setObjectName(QStringLiteral("lineEditSearch"));
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    policy.setHorizontalStretch(0);
    policy.setVerticalStretch(0);
    policy.setHeightForWidth(lineEditSearch->sizePolicy().hasHeightForWidth());
    lineEditSearch->setSizePolicy(policy);
    verticalLayout->addWidget(lineEditSearch);
    treeViewStructure = new MyTreeView(dockWidgetContents);
    treeViewStructure->setObjectName(QStringLiteral("treeViewStructure"));
    treeViewStructure->setContextMenuPolicy(Qt::CustomContextMenu);
    treeViewStructure->header()->setMinimumSectionSize(5);
    verticalLayout->addWidget(treeViewStructure);
    endForm(dock, dockWidgetContents);
    retranslateUi(dock);
    QMetaObject::connectSlotsByName(dock);
}

void Ui_treeDock::retranslateUi(QDockWidget* dock)
{
    dock->setWindowTitle(QCoreApplication::translate("treeDock", "Structure"));
}
