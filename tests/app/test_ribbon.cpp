#include "app/MainWindow.h"
#include "app/ToolTable.h"
#include "common/Prompts.h"
#include "dialogs/PreferencesWidget.h"
#include "panels/BookmarkWidget.h"
#include "view/CToolkit.h"
#include "ribbon/RibbonIcons.h"
#include "support/TestSupport.h"
#include "view/SceneView.h"
#include "vantor/command/Command.h"
#include "vantor/command/CommandManager.h"

#include "ribbonbar/SARibbonBar.h"
#include "ribbonbar/SARibbonButtonGroupWidget.h"
#include "ribbonbar/SARibbonCategory.h"
#include "ribbonbar/SARibbonPannel.h"
#include "ribbonbar/SARibbonToolButton.h"

#include <gtest/gtest.h>

#include <QAccessible>

#include <osgViewer/View>
#include <osgViewer/ViewerEventHandlers>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTabBar>
#include <QToolButton>
#include <QTranslator>

#include <algorithm>
#include <iterator>
#include <map>

namespace {

// Whether the action's triggered signal reaches the receiver (the window unless another is named).
// It cuts that connection, so a test asks it last about an action.
bool cutConnection(QAction* action, QObject* receiver)
{
    return QObject::disconnect(action, SIGNAL(triggered(bool)), receiver, nullptr);
}

struct KeyRow
{
    const char* key;
    bool checkable;
    bool checked;
    bool command;
    bool receiver;
};

// Every key of the action map: checkable, checked at start, in the command-action list, connected.
const KeyRow kKeys[] = {
    {"Basic_Home", false, false, false, true},
    {"Basic_Pattern", false, false, false, false},
    {"Basic_NodeColor", false, false, false, true},
    {"Basic_Transparency", false, false, false, false},
    {"Basic_Perspective", true, false, false, true},
    {"Basic_Rotation", true, false, false, true},
    {"Basic_Translation", true, false, false, true},
    {"Basic_Zoom", true, false, false, true},
    {"Basic_Adapt", false, false, false, true},
    {"Basic_FullScreen", true, false, false, true},
    {"Basic_Hide", false, false, false, true},
    {"Basic_Isolation", false, false, false, true},
    {"Basic_Show", false, false, false, true},
    {"Basic_ViewDirection", true, false, false, true},
    {"Basic_Selection", false, false, false, true},
    {"Basic_snapShot", false, false, false, true},
    {"Basic_Screenshot", false, false, false, true},
    {"Basic_Window", false, false, false, false},
    {"Basic_Basicview", false, false, false, false},
    {"Basic_Axisview", false, false, false, true},
    {"Basic_Add", false, false, false, true},
    {"Basic_Delete", false, false, false, true},
    {"Basic_Update", false, false, false, true},
    {"Basic_Lastview", false, false, false, true},
    {"Basic_Nextview", false, false, false, true},
    {"Roam_Roam", true, false, false, true},
    {"Roam_Thirdperson", true, false, false, true},
    {"Roam_Gravitymodel", true, false, false, true},
    {"Roam_Obstacles", true, false, false, true},
    {"Measure_Distances", true, false, true, true},
    {"Measure_Angles", true, false, true, true},
    {"Measure_Length", true, false, true, true},
    {"Measure_Diameter", true, false, true, true},
    {"Measure_MeasureProperty", true, false, true, true},
    {"Note_Newbuilt", true, false, true, true},
    {"3DNote_3DNote", true, false, true, true},
    {"Note_Import", false, false, false, true},
    {"Note_Export", false, false, false, true},
    {"Section_Establish", true, false, true, true},
    {"Section_Update", true, false, true, true},
    {"Section_Reverse", false, false, false, true},
    {"Section_ClipSelected", true, false, false, true},
    {"Basic_ResetPosition", false, false, true, true},
    {"Basic_ResetColor", false, false, true, true},
    {"Basic_ResetTransparent", false, false, true, true},
    {"Resolve_Freedrop", true, false, true, true},
    {"Resolve_Directionaldrop", true, false, true, true},
    {"Resolve_Alongaxial", true, false, true, true},
    {"Resolve_UpdateAxisLocation", true, false, true, true},
    {"Resolve_RestAxisLocation", false, false, true, true},
    {"Explode_Axisexplode", true, false, true, true},
    {"Explode_Radialexplode", true, false, true, true},
    {"Explode_Centerexplode", true, false, true, true},
    {"Align_Alignment", true, false, true, true},
    {"Align_LockPosition", true, false, false, true},
    {"Basic_Combine", false, false, false, true},
    {"Basic_CombineAll", false, false, false, true},
    {"Relation_addCollision", false, false, false, true},
    {"Relation_Collision List", true, false, false, true},
    {"Relation_Hide Collision Effect", false, false, false, true},
    {"Relation_Show Collision Model", true, false, false, true},
    {"Animation_Load root scene", false, false, false, true},
    {"Animation_Save root scene", false, false, false, true},
    {"Animation_delete all Keyframe", false, false, false, false},
    {"Animation_ATEPlay", true, false, false, true},
    {"Animation_ATEPause", false, false, false, true},
    {"Animation_ATEStop", false, false, false, true},
    {"Animation_ATEReverse", true, false, false, true},
    {"Animation_ATECyclicPlay", true, false, false, true},
    {"Animation_ATECameraPlay", true, false, false, true},
    {"Animation_Time set", false, false, false, true},
    {"Recording_Time axle", true, false, false, true},
    // Drop-down menus.
    {"Measure_PntToPntDistance", true, false, true, true},
    {"Measure_PntToLineDistance", true, false, true, true},
    {"Measure_PntToFaceDistance", true, false, true, true},
    {"Measure_LineToLineDistance", true, false, true, true},
    {"Measure_LineToFaceDistance", true, false, true, true},
    {"Measure_FaceToFaceDistance", true, false, true, true},
    {"Measure_CenterToCenterDistance", true, false, true, true},
    {"Measure_ShaftToShaftDistance", true, false, true, true},
    {"Measure_LineToLineAngle", true, false, true, true},
    {"Measure_LineToFaceAngle", true, false, true, true},
    {"Measure_FaceToFaceAngle", true, false, true, true},
    {"Measure_LineDistance", true, false, true, true},
    {"Measure_EllipseDistance", true, false, true, true},
    {"Measure_RadiusDis", true, false, true, true},
    {"Measure_DiameterDis", true, false, true, true},
    {"Measure_SurfaceArea", true, false, true, true},
    {"Measure_Volume", true, false, true, true},
    {"Align_PointsAlign", true, false, true, true},
    {"Align_LinesAlign", true, false, true, true},
    {"Align_FacesAlign", true, false, true, true},
    {"Align_LineToFaceAlign", true, false, true, true},
    {"3DNote_RectNote", true, false, true, true},
    {"3DNote_CircleNote", true, false, true, true},
    {"3DNote_EllipseNote", true, false, true, true},
    {"3DNote_BrushNote", true, false, true, true},
    {"Basic_XDirection", true, false, false, true},
    {"Basic_YDirection", true, false, false, true},
    {"Basic_ZDirection", true, true, false, true},
    {"Basic_XOppositeDirection", true, false, false, true},
    {"Basic_YOppositeDirection", true, false, false, true},
    {"Basic_ZOppositeDirection", true, false, false, true},
    {"Basic_FlatRender", true, false, false, true},
    {"Basic_LineRender", true, false, false, true},
    {"Basic_PointRender", true, false, false, true},
    {"Basic_BlackingRender", true, false, false, true},
    {"Basic_TransparentShow", true, false, false, true},
    {"Basic_ShowEdge", true, false, false, true},
    {"Basic_FrontView", false, false, false, true},
    {"Basic_BackView", false, false, false, true},
    {"Basic_LeftView", false, false, false, true},
    {"Basic_RightView", false, false, false, true},
    {"Basic_BottomView", false, false, false, true},
    {"Basic_IsodraftView", false, false, false, true},
    {"Undo", false, false, false, true},
    {"Redo", false, false, false, true},
};

// The pixels of the icon as drawn at 32 x 32; empty for a missing icon.
QByteArray imageBits(const QIcon& icon)
{
    const QImage image = icon.pixmap(32, 32).toImage();
    return QByteArray(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes()));
}

QStringList texts(const QList<QAction*>& actions)
{
    QStringList result;
    for (QAction* a : actions)
        result << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return result;
}

QMenu* menuOf(MainWindow& w, const char* key)
{
    QAction* a = w.getAction(QString::fromLatin1(key));
    return a ? a->menu() : nullptr;
}

class NoopCommand : public Vantor::Command
{
public:
    bool Execute() override { return true; }
    bool Unexecute() override { return true; }
};

// Collects the warnings Qt prints while it is installed.
struct WarningCatcher
{
    WarningCatcher() { previous = qInstallMessageHandler(&WarningCatcher::handle); }
    ~WarningCatcher() { qInstallMessageHandler(previous); }
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type == QtWarningMsg)
            caught() << text;
    }
    static QStringList& caught()
    {
        static QStringList list;
        return list;
    }
    QtMessageHandler previous = nullptr;
};

} // namespace

TEST(RibbonFrame, ActionMapHoldsEveryKeyAsItsTableSays)
{
    MainWindow w;
    auto* bookmarks = w.findChild<BookmarkWidget*>();
    ASSERT_NE(bookmarks, nullptr);
    QStringList expected;
    for (const KeyRow& row : kKeys) {
        const QString key = QString::fromLatin1(row.key);
        expected << key;
        QAction* a = w.getAction(key);
        ASSERT_NE(a, nullptr) << row.key;
        EXPECT_EQ(a->isCheckable(), row.checkable) << row.key;
        EXPECT_EQ(a->isChecked(), row.checked) << row.key;
        EXPECT_EQ(w.commandActions().contains(a), row.command) << row.key;
        EXPECT_EQ(a->parent(), &w) << row.key;
        EXPECT_FALSE(a->text().isEmpty()) << row.key;
        EXPECT_FALSE(a->icon().isNull()) << row.key;
        EXPECT_FALSE(a->isEnabled()) << row.key; // nothing is loaded yet
        const bool connected = cutConnection(a, &w) || cutConnection(a, bookmarks);
        EXPECT_EQ(connected, row.receiver) << row.key;
    }
    expected.sort();
    QStringList keys = w.actionKeys();
    keys.sort();
    EXPECT_EQ(keys, expected);
    const int commands = int(std::count_if(std::begin(kKeys), std::end(kKeys), [](const KeyRow& r) { return r.command; }));
    EXPECT_EQ(w.commandActions().size(), commands);
}

TEST(RibbonFrame, UnknownKeyGivesNullAndInsertsNothing)
{
    MainWindow w;
    const int before = w.actionKeys().size();
    EXPECT_EQ(w.getAction("Basic_Nothing"), nullptr);
    EXPECT_EQ(w.getAction("basic_home"), nullptr); // keys are case-sensitive
    EXPECT_EQ(w.getAction(QString()), nullptr);
    EXPECT_EQ(w.actionKeys().size(), before);
}

TEST(RibbonFrame, ConstructionConnectsEverySlot)
{
    WarningCatcher::caught().clear();
    {
        WarningCatcher catcher;
        MainWindow w;
    }
    for (const QString& text : WarningCatcher::caught()) {
        EXPECT_FALSE(text.contains("No such slot")) << text.toStdString();
        EXPECT_FALSE(text.contains("No such signal")) << text.toStdString();
        EXPECT_FALSE(text.contains("Could not parse")) << text.toStdString();
        EXPECT_FALSE(text.contains("Unknown ribbon tool")) << text.toStdString();
    }
}

// The ribbon connects each tool by the names in its table; a renamed or retyped slot would only show as
// a warning at run time.
TEST(RibbonTools, EverySlotNamesASlotOfItsReceiverThatFitsTheSignal)
{
    QSet<QByteArray> ids;
    int connected = 0;
    for (const RibbonTool& tool : ribbonTools()) {
        ASSERT_TRUE(tool.id && *tool.id);
        EXPECT_FALSE(ids.contains(tool.id)) << tool.id;
        ids.insert(tool.id);
        EXPECT_EQ(findTool(tool.id), &tool) << tool.id;
        ASSERT_EQ(!tool.signal, !tool.slot) << tool.id;
        if (!tool.signal)
            continue;
        ++connected;
        EXPECT_EQ(QMetaObject::normalizedSignature(tool.signal), QByteArray(tool.signal)) << tool.id;
        EXPECT_EQ(QMetaObject::normalizedSignature(tool.slot), QByteArray(tool.slot)) << tool.id;
        EXPECT_GE(QAction::staticMetaObject.indexOfSignal(tool.signal), 0) << tool.id;
        const QMetaObject& receiver = tool.receiver == RibbonReceiver::BookmarkPanel ? BookmarkWidget::staticMetaObject
                                                                                     : MainWindow::staticMetaObject;
        EXPECT_GE(receiver.indexOfSlot(tool.slot), 0) << tool.id << " " << tool.slot;
        EXPECT_TRUE(QMetaObject::checkConnectArgs(tool.signal, tool.slot)) << tool.id;
    }
    EXPECT_GT(connected, 0);
    EXPECT_EQ(findTool("Basic_Nothing"), nullptr);
    EXPECT_EQ(findTool(nullptr), nullptr);
    EXPECT_EQ(toolCommand("Basic_Home"), nullptr);
    EXPECT_STREQ(toolCommand("Section_Establish"), "CreateSectionCommand");
}

TEST(RibbonFrame, ApplicationMenuEntriesAndTheirStates)
{
    MainWindow w;
    QMenu* menu = w.ribbonBar()->applitionButton()->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(texts(menu->actions()),
              (QStringList{"Open", "Sample", "Save", "Save as", "-", "System setting", "Preferences", "Close", "-",
                           "Quit"}));
    const QList<QAction*> entries = menu->actions();
    const std::map<QString, bool> enabledAtStart{{"Open", true},    {"Sample", true},         {"Save", false},
                                                 {"Save as", false}, {"-", true},              {"System setting", true},
                                                 {"Preferences", true}, {"Close", false},      {"Quit", true}};
    for (QAction* a : entries) {
        const QString text = a->isSeparator() ? QStringLiteral("-") : a->text();
        EXPECT_EQ(a->isEnabled(), enabledAtStart.at(text)) << text.toStdString();
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().isNull()) << text.toStdString();
            EXPECT_FALSE(w.actionKeys().contains(a->text()));
        }
    }
    EXPECT_EQ(w.ribbonBar()->applitionButton()->text(), "begin");
    EXPECT_EQ(w.quickSaveAction()->isEnabled(), false);

    // The preferences, with the language list, open from the menu even before a model is loaded.
    EXPECT_EQ(w.preferencesWidget(), nullptr);
    entries.at(6)->trigger();
    ASSERT_NE(w.preferencesWidget(), nullptr);
    EXPECT_TRUE(w.preferencesWidget()->isVisible());
    EXPECT_GE(w.preferencesWidget()->ui()->comboBoxLanguage->count(), 2);
    w.preferencesWidget()->reject();

    w.setDocumentUiEnabled(true);
    for (QAction* a : entries)
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(w.quickSaveAction()->isEnabled());
    EXPECT_TRUE(w.getAction("Basic_Home")->isEnabled()); // the global state reaches the whole map
    w.setDocumentUiEnabled(false);
    EXPECT_FALSE(w.getAction("Basic_Home")->isEnabled());
    EXPECT_FALSE(w.quickSaveAction()->isEnabled());
    for (QAction* a : entries) {
        if (!a->isSeparator()) {
            EXPECT_TRUE(cutConnection(a, &w)) << a->text().toStdString();
        }
    }
}

TEST(RibbonFrame, EnablingTheUiKeepsUndoAndRedoWithTheHistory)
{
    MainWindow w;
    QAction* undo = w.getAction("Undo");
    QAction* redo = w.getAction("Redo");
    w.setDocumentUiEnabled(true); // as after a save with nothing done yet
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    auto manager = w.sceneView()->getCommandManager();
    manager->DoCommand(std::make_shared<NoopCommand>());
    manager->DoCommand(std::make_shared<NoopCommand>());
    manager->Undo();
    w.setDocumentUiEnabled(false); // a save runs
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    w.setDocumentUiEnabled(true); // and ends
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
}

TEST(RibbonFrame, UndoRedoShortcutsFireOnlyWhileEnabled)
{
    MainWindow w;
    QAction* undo = w.getAction("Undo");
    QAction* redo = w.getAction("Redo");
    ASSERT_TRUE(undo && redo);
    EXPECT_EQ(undo->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_Z));
    EXPECT_EQ(redo->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_Y));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_TRUE(w.actions().contains(undo)); // on the window itself, not only on the quick-access row
    EXPECT_TRUE(w.actions().contains(redo));

    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QSignalSpy undone(undo, &QAction::triggered);
    QSignalSpy redone(redo, &QAction::triggered);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(undone.count(), 0);

    undo->setEnabled(true);
    redo->setEnabled(true);
    // Even with the quick-access row hidden, as in embedded mode.
    w.ribbonBar()->quickAccessBar()->hide();
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(undone.count(), 1);
    EXPECT_EQ(redone.count(), 1);
}

TEST(RibbonFrame, DocumentKeysOpenSaveAndSaveAs)
{
    struct NoFiles : Prompts
    {
        QString getOpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
        QString getSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
        NoFiles() { Prompts::set(this); }
        ~NoFiles() override { Prompts::set(nullptr); }
    } prompts;
    MainWindow w;
    QMenu* menu = w.ribbonBar()->applitionButton()->menu();
    ASSERT_NE(menu, nullptr);
    w.setDocumentUiEnabled(true);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    const struct
    {
        const char* entry;
        QKeySequence key;
    } rows[] = {{"Open", QKeySequence(QKeySequence::Open)},
                {"Save", QKeySequence(QKeySequence::Save)},
                {"Save as", QKeySequence(QKeySequence::SaveAs).isEmpty() ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)
                                                                          : QKeySequence(QKeySequence::SaveAs)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.entry);
        QAction* entry = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == row.entry)
                entry = a;
        ASSERT_NE(entry, nullptr);
        ASSERT_FALSE(row.key.isEmpty());
        EXPECT_EQ(entry->shortcut(), row.key);
        // Every other action of the window leaves the key alone.
        for (QAction* other : w.findChildren<QAction*>())
            if (other != entry) {
                EXPECT_NE(other->shortcut(), row.key) << other->text().toStdString();
            }
        QSignalSpy triggered(entry, &QAction::triggered);
        QTest::keyClick(&w, Qt::Key(row.key[0] & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(row.key[0] & Qt::KeyboardModifierMask));
        EXPECT_EQ(triggered.count(), 1);
    }
}

TEST(RibbonFrame, HelpButtonExitButtonAndToolStripAtStart)
{
    MainWindow w;
    w.show();
    SARibbonButtonGroupWidget* right = w.ribbonBar()->tabBarRightButtonGroup();
    ASSERT_NE(right, nullptr);
    ASSERT_EQ(right->buttons().size(), 1);
    QToolButton* help = right->buttons().first();
    EXPECT_TRUE(help->text().isEmpty());
    EXPECT_EQ(help->toolTip(), QString::fromUtf8("帮助"));
    EXPECT_EQ(help->accessibleName(), QString::fromUtf8("帮助"));
    EXPECT_TRUE(cutConnection(help->defaultAction(), &w));

    QPushButton* exit = w.exitFullScreenButton();
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->parentWidget(), w.sceneView());
    EXPECT_EQ(exit->text(), QString::fromUtf8("退出全屏"));
    EXPECT_EQ(exit->size(), QSize(100, 20));
    EXPECT_FALSE(exit->isVisible());

    CToolkit* strip = w.toolkit();
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip, w.sceneView()->getToolkit());
    EXPECT_EQ(strip->parentWidget(), w.sceneView());
    EXPECT_TRUE(strip->hasActionSource());
    EXPECT_TRUE(strip->isVisible());
    // Centred over the view for the keys it shows, 30 pixels below its top.
    EXPECT_EQ(strip->y(), 30);
    EXPECT_LE(std::abs(strip->geometry().center().x() - w.sceneView()->width() / 2), 1);
    w.resize(w.width() + 200, w.height());
    QApplication::processEvents();
    EXPECT_LE(std::abs(strip->geometry().center().x() - w.sceneView()->width() / 2), 1);
}

TEST(RibbonFrame, ControlsCarryAccessibleNames)
{
    MainWindow w;
    EXPECT_FALSE(w.sceneView()->accessibleName().isEmpty());
    const QList<QLabel*> labels = w.statusBar()->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (label->parentWidget() == w.statusBar()) {
            EXPECT_FALSE(label->accessibleName().isEmpty());
        }
    }
    for (SARibbonCategory* page : w.categoryPages())
        for (SARibbonPannel* pannel : page->pannelList()) {
            // A screen reader announces each panel as a group by this name.
            QAccessibleInterface* group = QAccessible::queryAccessibleInterface(pannel);
            ASSERT_TRUE(group);
            EXPECT_FALSE(pannel->pannelName().isEmpty()) << page->categoryName().toStdString();
            EXPECT_FALSE(group->text(QAccessible::Name).isEmpty()) << page->categoryName().toStdString();
            for (SARibbonToolButton* button : pannel->largeButtons())
                EXPECT_FALSE(button->accessibleName().isEmpty()) << pannel->pannelName().toStdString();
        }
    for (QWidget* widget : w.findChildren<QWidget*>()) {
        const bool insideSpinBox = qobject_cast<QAbstractSpinBox*>(widget->parentWidget());
        if (qobject_cast<QDoubleSpinBox*>(widget) || qobject_cast<QComboBox*>(widget) || qobject_cast<QSlider*>(widget) ||
            (qobject_cast<QLineEdit*>(widget) && !insideSpinBox)) {
            EXPECT_FALSE(widget->accessibleName().isEmpty())
                << widget->metaObject()->className() << " " << widget->objectName().toStdString();
        }
    }
}

TEST(RibbonPages, PagesAndPanelsInOrder)
{
    MainWindow w;
    const std::vector<std::pair<QString, QStringList>> pages = {
        {"Home", {"Home", "Appearance", "navigation", "show/hide", "ViewDirection", "Selection", "Take snapShot", "Window"}},
        {"View", {"Direction", "Edit"}},
        {"Roam", {"Model", "Navigation"}},
        {"Review", {"Measure", "Notations"}},
        {"Profile", {"Profile"}},
        {"Conversion", {"Reset", "Resolve", "Explode", "Alignment", "Combine"}},
        {"Relation", {"Calculate", "Other"}},
        {"Animation", {"file", "play", "other"}},
        {"Help", {"Help"}},
    };
    ASSERT_EQ(w.categoryPages().size(), int(pages.size()));
    EXPECT_EQ(w.ribbonBar()->categoryPages(), w.categoryPages());
    for (size_t i = 0; i < pages.size(); ++i) {
        SARibbonCategory* page = w.categoryPages().at(int(i));
        EXPECT_EQ(page->categoryName(), pages[i].first);
        QStringList titles;
        for (SARibbonPannel* pannel : page->pannelList())
            titles << pannel->pannelName();
        EXPECT_EQ(titles, pages[i].second) << pages[i].first.toStdString();
    }
    // The Help page's actions are not in the map.
    for (SARibbonToolButton* button : w.categoryPages().last()->pannelList().first()->largeButtons()) {
        EXPECT_FALSE(w.actionKeys().contains(button->text()));
        EXPECT_TRUE(cutConnection(button->defaultAction(), &w));
    }
    EXPECT_EQ(w.categoryPages().last()->pannelList().first()->largeButtons().size(), 3);
}

TEST(RibbonPages, EveryButtonHasAnIconOfItsOwn)
{
    MainWindow w;
    QMap<QByteArray, QString> seen;
    for (SARibbonCategory* page : w.categoryPages()) {
        for (SARibbonPannel* pannel : page->pannelList()) {
            for (SARibbonToolButton* button : pannel->largeButtons()) {
                const QString name = page->categoryName() + "/" + button->text();
                const QByteArray bits = imageBits(button->icon());
                ASSERT_FALSE(bits.isEmpty()) << name.toStdString();
                EXPECT_FALSE(seen.contains(bits)) << name.toStdString() << " looks like " << seen.value(bits).toStdString();
                seen.insert(bits, name);
            }
        }
    }
    EXPECT_GE(seen.size(), 70);
}

TEST(RibbonPages, MenuButtonsAndCommandList)
{
    MainWindow w;
    // The measure and note group buttons are split: the arrow opens the menu, the face cancels.
    QStringList split;
    for (SARibbonCategory* page : w.categoryPages())
        for (SARibbonPannel* pannel : page->pannelList())
            for (SARibbonToolButton* button : pannel->largeButtons())
                if (button->popupMode() == QToolButton::MenuButtonPopup) {
                    split << button->text();
                    EXPECT_EQ(button->objectName(), "MenuButtonPopup");
                } else if (button->hasMenu()) {
                    EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup) << button->text().toStdString();
                } else {
                    EXPECT_EQ(button->menuArea(), QRect());
                }
    EXPECT_EQ(split, (QStringList{"Distances", "Angles", "Length", "Diameter", "MeasureProperty", "3DNote"}));

    QAction* distances = w.getAction("Measure_Distances");
    QAction* roam = w.getAction("Roam_Roam");
    distances->setChecked(true);
    roam->setEnabled(true);
    roam->trigger();
    EXPECT_TRUE(roam->isChecked());
    w.updateCommandActions("None");
    EXPECT_FALSE(distances->isChecked()); // in the command list
    EXPECT_TRUE(roam->isChecked());       // not in it
}

TEST(RibbonPages, RoamBoxesAndAnimationControls)
{
    MainWindow w;
    struct Box
    {
        QDoubleSpinBox* box;
        double value, minimum, maximum;
        int decimals;
    } boxes[] = {
        {w.roamVelocityBox(), 1.5, 0, 60, 3},
        {w.roamFovyBox(), 60, 15, 180, 2},
        {w.roamAngularVelocityBox(), 15, 1, 60, 2},
    };
    for (const Box& b : boxes) {
        ASSERT_NE(b.box, nullptr);
        EXPECT_DOUBLE_EQ(b.box->value(), b.value) << b.box->accessibleName().toStdString();
        EXPECT_DOUBLE_EQ(b.box->minimum(), b.minimum) << b.box->accessibleName().toStdString();
        EXPECT_DOUBLE_EQ(b.box->maximum(), b.maximum) << b.box->accessibleName().toStdString();
        EXPECT_EQ(b.box->decimals(), b.decimals) << b.box->accessibleName().toStdString();
    }
    EXPECT_EQ(w.roamVelocityBox()->text(), "1.500");

    QComboBox* speed = w.playSpeedBox();
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->currentText(), "1X");
    EXPECT_EQ(speed->count(), 6);
    EXPECT_FALSE(speed->isEnabled());
    QSlider* slider = w.playTimeSlider();
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(slider->maximum(), 100);
    EXPECT_FALSE(slider->isEnabled());
}

TEST(RibbonPages, NullPagesAndMenusAreIgnored)
{
    MainWindow w;
    const int keys = w.actionKeys().size();
    const int commands = w.commandActions().size();
    for (auto build : {&MainWindow::initHomeCategory, &MainWindow::initViewCategory, &MainWindow::initRoamCategory,
                       &MainWindow::initReviewCategory, &MainWindow::initProfileCategory, &MainWindow::initConversionCategory,
                       &MainWindow::initRelationCategory, &MainWindow::initAnimationCategory, &MainWindow::initHelpCategory})
        (w.*build)(nullptr);
    for (auto build : {&MainWindow::initApplicationMenu, &MainWindow::initDistanceMenu, &MainWindow::initAngleMenu,
                       &MainWindow::initLengthMenu, &MainWindow::initDiameterMenu, &MainWindow::initMeasurePropertyMenu,
                       &MainWindow::initAlignmentMenu, &MainWindow::initNoteMenu, &MainWindow::initViewDirectionMenu,
                       &MainWindow::initWindowMenu, &MainWindow::initRenderModeMenu, &MainWindow::initBasicViewMenu,
                       &MainWindow::initKeyframeDeleteMenu})
        (w.*build)(nullptr);
    EXPECT_EQ(w.actionKeys().size(), keys);
    EXPECT_EQ(w.commandActions().size(), commands);
    EXPECT_EQ(w.directionActions().size(), 6);
}

TEST(RibbonPages, CollisionListAndTimelineComeIntoView)
{
    MainWindow w;
    w.show();
    QDockWidget* collisions = w.dockList().at(4);
    QDockWidget* timeline = w.dockList().at(3);
    EXPECT_FALSE(collisions->isVisible());
    w.showCollisionList();
    EXPECT_TRUE(w.getAction("Relation_Collision List")->isChecked());
    EXPECT_TRUE(collisions->isVisible());
    w.CollisionShowUI(false);
    EXPECT_FALSE(collisions->isVisible());

    w.TabBarcurrentChanged(6);
    EXPECT_TRUE(collisions->isVisible());
    w.TabBarcurrentChanged(7);
    EXPECT_TRUE(timeline->isVisible());
    EXPECT_TRUE(w.getAction("Recording_Time axle")->isChecked());
    w.on_AnimationDock_featuresChanged(false);
    EXPECT_FALSE(timeline->isVisible());
    EXPECT_FALSE(w.getAction("Recording_Time axle")->isChecked());
    w.TabBarcurrentChanged(2); // any other page changes nothing
    EXPECT_FALSE(timeline->isVisible());
}

TEST(RibbonPages, StatisticsOverlayToggles)
{
    MainWindow w;
    osgViewer::View* view = w.sceneView()->getView().get();
    auto statsHandlers = [view] {
        std::vector<osgViewer::StatsHandler*> found;
        for (const auto& handler : view->getEventHandlers())
            if (auto* stats = dynamic_cast<osgViewer::StatsHandler*>(handler.get()))
                found.push_back(stats);
        return found;
    };
    const size_t others = view->getEventHandlers().size();
    w.on_actionStats_triggered();
    ASSERT_EQ(statsHandlers().size(), 1u);
    EXPECT_EQ(statsHandlers()[0]->getKeyEventTogglesOnScreenStats(), 0xFFC5);
    EXPECT_EQ(statsHandlers()[0]->getKeyEventPrintsOutStats(), 0xFFC4);
    w.on_actionStats_triggered();
    EXPECT_TRUE(statsHandlers().empty());
    EXPECT_EQ(view->getEventHandlers().size(), others);
}

TEST(RibbonPages, ClipSelectedFollowsTheSectionManager)
{
    MainWindow w;
    QAction* clip = w.getAction("Section_ClipSelected");
    clip->setEnabled(true);
    clip->trigger();
    EXPECT_TRUE(clip->isChecked());
    clip->trigger();
    EXPECT_FALSE(clip->isChecked());
}

TEST(RibbonMenus, EntryCountsAndTheCheckedDirection)
{
    MainWindow w;
    const std::vector<std::pair<const char*, int>> menus = {
        {"Measure_Distances", 8}, {"Measure_Angles", 3},  {"Measure_Length", 2},     {"Measure_Diameter", 2},
        {"Measure_MeasureProperty", 2}, {"Align_Alignment", 4}, {"3DNote_3DNote", 4}, {"Basic_ViewDirection", 6},
        {"Basic_Pattern", 6},     {"Basic_Basicview", 6}, {"Animation_delete all Keyframe", 4},
    };
    for (const auto& m : menus) {
        QMenu* menu = menuOf(w, m.first);
        ASSERT_NE(menu, nullptr) << m.first;
        EXPECT_EQ(menu->actions().size(), m.second) << m.first;
        EXPECT_NE(menu->style(), QApplication::style()) << m.first; // its own icon style
        EXPECT_FALSE(menu->styleSheet().isEmpty()) << m.first;
        QSet<QByteArray> icons;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                continue;
            EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
            icons.insert(imageBits(a->icon()));
        }
        const int entries = m.second - (QString(m.first).startsWith("Animation") ? 1 : 0);
        EXPECT_EQ(icons.size(), entries) << m.first << ": entries share an icon";
    }
    EXPECT_EQ(texts(menuOf(w, "Animation_delete all Keyframe")->actions()),
              (QStringList{"delete all keyframe", "delete select keyfame", "-", "delete camera keyframe"}));
    EXPECT_FALSE(texts(menuOf(w, "Basic_Basicview")->actions()).contains("TopView"));

    QStringList checked;
    for (QAction* a : w.directionActions())
        if (a->isChecked())
            checked << a->text();
    EXPECT_EQ(checked, QStringList{"ZDirection"});
    EXPECT_EQ(w.directionActions().at(2), w.getAction("Basic_ZDirection"));

    QMenu* window = menuOf(w, "Basic_Window");
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->actions().size(), w.dockList().size() + 1);
    for (int i = 0; i < w.dockList().size(); ++i)
        EXPECT_EQ(window->actions().at(i), w.dockList().at(i)->toggleViewAction());
    EXPECT_EQ(window->actions().last()->text(), "resetDockFloating");
}

TEST(RibbonMenus, ChoosingACommandEntryChecksOnlyIt)
{
    MainWindow w;
    w.setGlobalMenuState(true);
    QAction* lineToFace = w.getAction("Measure_LineToFaceDistance");
    QAction* rect = w.getAction("3DNote_RectNote");
    lineToFace->trigger();
    EXPECT_TRUE(lineToFace->isChecked());
    w.updateCommandActions("RectNoteCommand"); // another command started from another menu
    EXPECT_FALSE(lineToFace->isChecked());
    EXPECT_TRUE(rect->isChecked());
    EXPECT_TRUE(w.getAction("3DNote_3DNote")->isChecked());
}

TEST(RibbonMenus, MenusAndTheirStylesGoWithTheWindow)
{
    auto menusAlive = [] {
        int n = 0;
        for (QWidget* widget : QApplication::allWidgets())
            if (qobject_cast<QMenu*>(widget))
                ++n;
        return n;
    };
    const int before = menusAlive();
    QList<QPointer<QStyle>> styles;
    {
        MainWindow w;
        EXPECT_GE(menusAlive() - before, 13);
        for (QMenu* menu : w.findChildren<QMenu*>())
            if (menu->style() != QApplication::style())
                styles << QPointer<QStyle>(menu->style());
        EXPECT_FALSE(styles.isEmpty());
    }
    EXPECT_EQ(menusAlive(), before);
    for (const QPointer<QStyle>& style : styles)
        EXPECT_TRUE(style.isNull());
}

TEST(ToolStrip, EmptyListGivesAnEmptyStripOfWidthZero)
{
    MainWindow w;
    CToolkit* strip = w.toolkit();
    strip->setQuickAccess({});
    EXPECT_TRUE(strip->buttons().isEmpty());
    EXPECT_EQ(strip->minimumWidth(), 0);
    EXPECT_EQ(strip->maximumWidth(), 0);
    EXPECT_EQ(strip->height(), 42);
}

TEST(ToolStrip, UnknownKeysWidenButGiveNoButton)
{
    MainWindow w;
    CToolkit* strip = w.toolkit();
    strip->setQuickAccess({"Roam_Roam", "No_Such", "Basic_Pattern"});
    const QList<QToolButton*> buttons = strip->buttons();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(strip->minimumWidth(), 150);
    EXPECT_EQ(strip->maximumWidth(), 150);
    EXPECT_EQ(buttons[0]->defaultAction(), w.getAction("Roam_Roam"));
    EXPECT_EQ(buttons[1]->defaultAction(), w.getAction("Basic_Pattern"));
    EXPECT_EQ(buttons[0]->size(), QSize(48, 40));
    EXPECT_EQ(buttons[0]->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(buttons[1]->popupMode(), QToolButton::InstantPopup); // an action with a menu opens it at once
    EXPECT_FALSE(buttons[0]->accessibleName().isEmpty());

    // Rebuilding leaves one set of buttons.
    strip->setQuickAccess({"Roam_Roam", "No_Such", "Basic_Pattern"});
    QApplication::processEvents();
    EXPECT_EQ(strip->buttons().size(), 2);
    EXPECT_EQ(strip->findChildren<QToolButton*>().size(), 2);
}

TEST(ToolStrip, SharedActionTogglesBothButtons)
{
    MainWindow w;
    w.show();
    CToolkit* strip = w.toolkit();
    strip->setQuickAccess({"Roam_Roam"});
    QAction* roam = w.getAction("Roam_Roam");
    roam->setEnabled(true);
    QToolButton* onStrip = strip->buttons().first();
    SARibbonToolButton* onRibbon = nullptr;
    for (SARibbonPannel* pannel : w.categoryPages().at(2)->pannelList())
        for (SARibbonToolButton* button : pannel->largeButtons())
            if (button->defaultAction() == roam)
                onRibbon = button;
    ASSERT_NE(onRibbon, nullptr);

    roam->trigger(); // from the ribbon: walking starts
    EXPECT_TRUE(onStrip->isChecked());
    onStrip->click(); // from the strip: walking ends
    EXPECT_FALSE(roam->isChecked());
    EXPECT_FALSE(onRibbon->isChecked());
    roam->setEnabled(false);
    EXPECT_FALSE(onStrip->isEnabled());
}

TEST(ToolStrip, WithoutAMainWindowOnlyRemovesButtons)
{
    QWidget parent;
    CToolkit strip(&parent);
    strip.initUI();
    strip.setQuickAccess({"Roam_Roam", "Basic_Home"});
    EXPECT_TRUE(strip.buttons().isEmpty());
    EXPECT_EQ(strip.maximumHeight(), 42);
    EXPECT_EQ(strip.minimumHeight(), 42);
}

TEST(RibbonTexts, ChineseByDefaultAndEnglishOnRequest)
{
    QTranslator chinese;
    ASSERT_TRUE(chinese.load(QStringLiteral(NERIO_BIN_DIR "/nerio3dviewer_zh.qm")));
    EXPECT_EQ(chinese.translate("MainWindow", "Home"), QString::fromUtf8("主页"));
    EXPECT_EQ(chinese.translate("MainWindow", "PntToPntDistance"), QString::fromUtf8("点到点距离"));
    EXPECT_EQ(chinese.translate("SARibbonBar", "Ribbon"), QString::fromUtf8("功能区"));
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral(NERIO_BIN_DIR "/lang/nerioviewer_en.qm")));
    EXPECT_EQ(english.translate("MainWindow", "Home"), "Home");
    EXPECT_EQ(english.translate("MainWindow", "设置枢轴"), "Set pivot");
    // The English file still holds the texts the other topics brought.
    EXPECT_EQ(english.translate("AboutDialogClass", "关于 Nerio3d"), "About Nerio3d");

    QCoreApplication::installTranslator(&chinese);
    {
        MainWindow w;
        EXPECT_EQ(w.ribbonBar()->ribbonTabBar()->tabText(0), QString::fromUtf8("主页"));
        EXPECT_EQ(w.getAction("Resolve_UpdateAxisLocation")->text(), QString::fromUtf8("设置枢轴"));
        EXPECT_EQ(w.ribbonBar()->applitionButton()->text(), QString::fromUtf8("开始"));
    }
    QCoreApplication::removeTranslator(&chinese);
}

TEST(RibbonIcons, LazyIconDrawsWhatTheFileHoldsAndAMissingFileIsNull)
{
    registerRibbonIcons();
    const QString path = QStringLiteral(":/VantorViewer/icon/help.png");
    const QIcon lazy = lazyFileIcon(path);
    const QIcon eager(path);
    ASSERT_FALSE(lazy.isNull());
    for (int side : {16, 32, 48}) {
        SCOPED_TRACE(side);
        EXPECT_EQ(lazy.actualSize(QSize(side, side)), eager.actualSize(QSize(side, side)));
        EXPECT_EQ(lazy.pixmap(side).toImage(), eager.pixmap(side).toImage());
    }
    EXPECT_TRUE(lazyFileIcon(QStringLiteral(":/VantorViewer/icon/no-such-icon.png")).isNull());
}
