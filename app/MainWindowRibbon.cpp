// The ribbon frame: application menu, pages in order, quick-access row, help and exit-full-screen
// buttons, the floating tool strip, and the one way every ribbon action is made.

#include "app/MainWindow.h"

#include "app/DockForms.h"
#include "app/SmallWidgets.h"
#include "panels/BookmarkWidget.h"
#include "panels/SmallPanels.h"
#include "view/CToolkit.h"
#include "app/ToolTable.h"
#include "ribbon/RibbonIcons.h"
#include "view/SceneView.h"

#include "ribbonbar/SARibbonBar.h"
#include "ribbonbar/SARibbonButtonGroupWidget.h"
#include "ribbonbar/SARibbonCategory.h"
#include "ribbonbar/SARibbonPannel.h"
#include "ribbonbar/SARibbonToolButton.h"

#include <osgViewer/View>
#include <osgViewer/ViewerEventHandlers>

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPair>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeView>

#include <iterator>

namespace {

const char* const kMenuSheet =
    "QMenu{padding:0px;margin:0px;border:1px solid gray; }"
    "QMenu::item{padding-left:60px;padding-right:40px;padding-top:0px;padding-bottom:0px;}"
    "QMenu::icon{position:absolute;left:10px;}"
    "QMenu::item:hover{border-color:#3CA9FE; background:#3CA9FE; color:#FFFFFF; padding-left:0px; padding-right:0px; }"
    "QMenu::item:selected{border-color:#e5f3ff;background:#e5f3ff;color:#000000; }"
    "QMenu::item:checked{ border-color:#cce8ff;background:#cce8ff;color:#000000; }";

const char* const kExitFullScreenSheet =
    "QPushButton{background:transparent; font:14px \"Microsoft YaHei\";border-width: 1px;border-style: solid;}"
    "QPushButton:hover{background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1,stop:0 #cce8ff, "
    "stop:0.1282 #cce8ff ,stop:0.8333 #cce8ff , stop:1 #cce8ff );font:14px \"Microsoft YaHei\";color:#ffffff;"
    "border-width: 1px;border-style: solid;}"
    "QPushButton:checked{background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1,stop:0 #cce8ff, "
    "stop:0.1282 #cce8ff ,stop:0.8333 #cce8ff , stop:1 #cce8ff );font:14px \"Microsoft YaHei\";color:#ffffff;"
    "border-width: 1px;border-style: solid;}";

QIcon ribbonIcon(const char* file)
{
    if (!file)
        return QIcon();
    const QString name = QString::fromLatin1(file);
    if (name.startsWith(QLatin1Char(':')))
        return lazyFileIcon(name);
    return lazyFileIcon(QStringLiteral(":/VantorViewer/icon/") + name + QStringLiteral(".png"));
}

// Application menu rows: none is stored in the action map. The preferences (language, mouse wheel,
// trackball helper, splash screen, watermark) sit beside the system settings.
const RibbonActionRow kApplicationMenu[] = {
    {nullptr, "App_OpenFile"},
    {nullptr, "App_Sample"},
    {nullptr, "App_save"},
    {nullptr, "App_Saveas"},
    {nullptr, nullptr},
    {nullptr, "App_shezhi"},
    {nullptr, "App_Preferences"},
    {nullptr, "App_Close"},
    {nullptr, nullptr},
    {nullptr, "App_Quit"},
};

const RibbonActionRow kQuickAccess[] = {
    {nullptr, "Quick_qsave"},
    {nullptr, "Undo"},
    {nullptr, "Redo"},
};

} // namespace

void MainWindow::initRibbon()
{
    SARibbonBar* bar = ribbonBar();
    if (!bar)
        return;
    registerRibbonIcons();
    m_actionMap.clear();

    // Where the family is missing, the Chinese sans fonts of the desktop stand in for it.
    const QString yahei = QString::fromUtf8("微软雅黑");
    if (QFont::substitutes(yahei).isEmpty())
        QFont::insertSubstitutions(yahei, {QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"),
                                           QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Source Han Sans SC")});
    QFont font = bar->font();
    font.setFamily(yahei);
    bar->setFont(font);

    auto* applicationMenu = new QMenu(this);
    applicationMenu->setObjectName(QStringLiteral("applicationMenu"));
    initApplicationMenu(applicationMenu);
    m_commandActions.clear();
    bar->applitionButton()->setMenu(applicationMenu);
    bar->applitionButton()->setText(tr("begin"));
    bar->applitionButton()->setAccessibleName(tr("begin"));

    bar->setRibbonStyle(0);

    struct Page
    {
        const char* title;
        void (MainWindow::*build)(SARibbonCategory*);
    };
    const Page pages[] = {
        {QT_TRANSLATE_NOOP("MainWindow", "Home"), &MainWindow::initHomeCategory},
        {QT_TRANSLATE_NOOP("MainWindow", "View"), &MainWindow::initViewCategory},
        {QT_TRANSLATE_NOOP("MainWindow", "Roam"), &MainWindow::initRoamCategory},
        {QT_TRANSLATE_NOOP("MainWindow", "Review"), &MainWindow::initReviewCategory},
        {QT_TRANSLATE_NOOP("MainWindow", "Profile"), &MainWindow::initProfileCategory},
        {QT_TRANSLATE_NOOP("MainWindow", "Conversion"), &MainWindow::initConversionCategory},
        {QT_TRANSLATE_NOOP("MainWindow", "Relation"), &MainWindow::initRelationCategory},
        {QT_TRANSLATE_NOOP("MainWindow", "Animation"), &MainWindow::initAnimationCategory},
        {QT_TRANSLATE_NOOP("MainWindow", "Help"), &MainWindow::initHelpCategory},
    };
    m_categoryPages.clear();
    for (const Page& page : pages) {
        SARibbonCategory* category = bar->addCategoryPage(tr(page.title));
        m_categoryPages << category;
        (this->*page.build)(category);
        if (page.build == &MainWindow::initAnimationCategory)
            initAnimationDock();
    }

    // Help button at the right end of the tab row: an icon with a tool tip, no text.
    auto* help = new QAction(QIcon(QStringLiteral(":/VantorViewer/icon/help.png")), QString(), this);
    help->setWhatsThis(tr("帮助"));
    help->setToolTip(tr("帮助"));
    bar->activeTabBarRightButtonGroup()->addButton(help);
    connect(help, &QAction::triggered, this, &MainWindow::on_actionHelp_triggered);

    // Quick-access row. Undo and Redo also sit on the window itself, so their shortcuts fire whether or
    // not the row is shown.
    SARibbonQuickAccessBar* quick = bar->quickAccessBar();
    for (const RibbonActionRow& row : kQuickAccess) {
        QAction* action = createRibbonAction(row);
        if (!action)
            continue;
        action->setEnabled(false);
        quick->addButton(action);
        if (!findTool(row.tool)->stored)
            m_quickSaveAction = action;
    }
    if (QAction* undo = getAction(QStringLiteral("Undo"))) {
        undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+z"), QKeySequence::NativeText));
        addAction(undo);
    }
    if (QAction* redo = getAction(QStringLiteral("Redo"))) {
        redo->setShortcut(QKeySequence(QStringLiteral("Ctrl+y"), QKeySequence::NativeText));
        addAction(redo);
    }

    // Exit-full-screen button over the view; the full-screen slot places and shows it.
    m_exitFullScreenButton = new QPushButton(m_sceneView);
    m_exitFullScreenButton->setObjectName(QStringLiteral("exitFullScreenButton"));
    m_exitFullScreenButton->setGeometry(width() - 100, 0, 100, 20);
    m_exitFullScreenButton->setStyleSheet(QString::fromLatin1(kExitFullScreenSheet));
    m_exitFullScreenButton->setText(tr("退出全屏"));
    m_exitFullScreenButton->setAccessibleName(m_exitFullScreenButton->text());
    m_exitFullScreenButton->hide();
    connect(m_exitFullScreenButton, &QPushButton::clicked, this, &MainWindow::on_actionFullScreen_triggered);

    // Floating tool strip: the settings hand it their key list; until then it offers the usual tools.
    m_toolkit = m_sceneView->getToolkit();
    m_toolkit->setActionSource([this](const QString& key) { return getAction(key); });
    m_toolkit->setQuickAccess(CToolkit::defaultKeys());
    m_toolkit->show();

    nameControls();
}

void MainWindow::initApplicationMenu(QMenu* menu)
{
    if (!menu)
        return;
    styleRibbonMenu(menu, false);
    fillMenu(menu, kApplicationMenu, int(std::size(kApplicationMenu)));
    const QList<QAction*> entries = menu->actions();
    for (QAction* action : entries) {
        const QString icon = action->property("ribbonIcon").toString();
        if (icon == QLatin1String("save"))
            m_saveAction = action;
        else if (icon == QLatin1String("Saveas"))
            m_saveAsAction = action;
        else if (icon == QLatin1String("Close"))
            m_closeAction = action;
    }
    for (QAction* action : {m_saveAction, m_saveAsAction, m_closeAction})
        if (action)
            action->setEnabled(false);
    // The usual document keys; the entries also sit on the window so the keys act with the menu shut.
    // Desktops without their own key table have no Save as key: Ctrl+Shift+S stands in.
    const QKeySequence saveAs = QKeySequence(QKeySequence::SaveAs).isEmpty()
                                    ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)
                                    : QKeySequence(QKeySequence::SaveAs);
    const QPair<QString, QKeySequence> keys[] = {
        {QStringLiteral("OpenFile"), QKeySequence(QKeySequence::Open)},
        {QStringLiteral("save"), QKeySequence(QKeySequence::Save)},
        {QStringLiteral("Saveas"), saveAs},
    };
    for (QAction* action : entries)
        for (const auto& key : keys)
            if (action->property("ribbonIcon").toString() == key.first) {
                action->setShortcut(key.second);
                addAction(action);
            }
}

void MainWindow::styleRibbonMenu(QMenu* menu, bool withSheet)
{
    auto* style = new MenuIconStyle;
    style->setParent(menu);
    menu->setStyle(style);
    if (withSheet)
        menu->setStyleSheet(QString::fromLatin1(kMenuSheet));
}

QAction* MainWindow::createRibbonAction(const RibbonActionRow& row)
{
    const RibbonTool* tool = findTool(row.tool);
    if (!tool) {
        qWarning("Unknown ribbon tool %s", row.tool ? row.tool : "(null)");
        return nullptr;
    }
    auto* action = new QAction(this);
    action->setIcon(ribbonIcon(tool->icon));
    action->setProperty("ribbonIcon", QString::fromLatin1(tool->icon ? tool->icon : ""));
    if (tool->text)
        action->setText(tr(tool->text));
    if (tool->check != RibbonCheck::No) {
        action->setCheckable(true);
        action->setChecked(tool->check == RibbonCheck::On);
    }
    if (tool->stored)
        m_actionMap.insert(QString::fromLatin1(tool->id), action);
    if (tool->command)
        m_commandActions.append(action);
    // By name: the tool table keeps each slot as its normalised signature.
    if (tool->signal && tool->slot) {
        QObject* receiver = this;
        if (tool->receiver == RibbonReceiver::BookmarkPanel)
            receiver = m_bookmarkForm ? m_bookmarkForm->widgetBookmarkManager : nullptr;
        if (receiver)
            connect(action, QByteArray("2") + tool->signal, receiver, QByteArray("1") + tool->slot);
    }
    if (row.menu) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(tool->stored ? tool->id : "menu"));
        (this->*row.menu)(menu);
        action->setMenu(menu);
    }
    return action;
}

void MainWindow::fillCategory(SARibbonCategory* page, const RibbonActionRow* rows, int count)
{
    if (!page)
        return;
    SARibbonPannel* pannel = nullptr;
    const char* title = nullptr;
    for (int i = 0; i < count; ++i) {
        const RibbonActionRow& row = rows[i];
        if (!pannel || qstrcmp(title, row.pannel) != 0) {
            title = row.pannel;
            pannel = page->addPannel(tr(title));
        }
        QAction* action = createRibbonAction(row);
        if (!action)
            continue;
        SARibbonToolButton* button = pannel->addLargeAction(action);
        if (row.splitButton && button) {
            button->setObjectName(tr("MenuButtonPopup"));
            button->setPopupMode(QToolButton::MenuButtonPopup);
        }
    }
}

void MainWindow::fillMenu(QMenu* menu, const RibbonActionRow* rows, int count, QList<QAction*>* list)
{
    for (int i = 0; i < count; ++i) {
        const RibbonActionRow& row = rows[i];
        if (!row.tool) {
            menu->addSeparator();
            continue;
        }
        QAction* action = createRibbonAction(row);
        if (!action)
            continue;
        menu->addAction(action);
        if (list)
            list->append(action);
    }
}

void MainWindow::on_actionStats_triggered()
{
    osgViewer::View* view = m_sceneView ? m_sceneView->getView().get() : nullptr;
    if (!view)
        return;
    for (const osg::ref_ptr<osgGA::EventHandler>& handler : view->getEventHandlers()) {
        if (auto* stats = dynamic_cast<osgViewer::StatsHandler*>(handler.get())) {
            const osg::ref_ptr<osgViewer::StatsHandler> keep = stats;
            view->removeEventHandler(stats);
            return;
        }
    }
    osg::ref_ptr<osgViewer::StatsHandler> stats = new osgViewer::StatsHandler;
    stats->setKeyEventTogglesOnScreenStats(0xFFC5); // F8
    stats->setKeyEventPrintsOutStats(0xFFC4);       // F7
    view->addEventHandler(stats);
}

void MainWindow::nameControls()
{
    m_sceneView->setAccessibleName(tr("3D view"));
    if (m_statusLabel1)
        m_statusLabel1->setAccessibleName(tr("Level of detail"));
    if (m_statusLabel2)
        m_statusLabel2->setAccessibleName(tr("Status information"));
    if (m_treeForm) {
        if (SearchLineEdit* search = m_treeForm->lineEditSearch)
            search->setAccessibleName(tr("Search"));
        if (MyTreeView* tree = m_treeForm->treeViewStructure)
            tree->setAccessibleName(tr("Structure"));
    }
    if (QTextBrowser* log = logBrowser())
        log->setAccessibleName(tr("Log"));
}
