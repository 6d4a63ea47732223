// The main window started in Chinese and in English, as the program starts it (the Chinese start-up
// translators, then the stored language). Every text the window shows must be in that language: the
// widgets, actions, docks and menus it owns, the dialogs it opens (shown, never run modally), message
// boxes and file dialogs, the status-bar prompts of its commands, and the names of a new note, section
// and group.

#include "ViewEvents.h"

#include "common/AppSettings.h"
#include "common/Language.h"
#include "app/MainWindow.h"
#include "common/Prompts.h"
#include "panels/CoordinationEntries.h"
#include "panels/CoordinationTreeWidget.h"
#include "panels/CoordinationWidget.h"
#include "support/FrameWait.h"
#include "support/LanguageCheck.h"
#include "support/TestSupport.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/model/Model.h"
#include "vantor/note/Note.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTreeView>

#include <osg/NodeVisitor>

#include <cstdlib>

using nerio_test::Language;

namespace {

struct Seen
{
    QString where;
    QString text;
};

// What the walk read, and where.
class Texts
{
public:
    void add(const QString& where, const QString& text)
    {
        if (!text.trimmed().isEmpty())
            m_seen.append({where, text});
    }

    void widget(QWidget* w)
    {
        const QString at = name(w);
        if (w->isWindow() || qobject_cast<QDockWidget*>(w))
            add(at + " title", w->windowTitle());
        add(at + " tool tip", w->toolTip());
        add(at + " what's this", w->whatsThis());
        add(at + " status tip", w->statusTip());
        if (auto* label = qobject_cast<QLabel*>(w))
            add(at, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            add(at, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(w))
            add(at, group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            add(at + " placeholder", edit->placeholderText());
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(w))
            add(at + " special value", spin->specialValueText());
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                add(at + " item", combo->itemText(i));
        if (auto* tabs = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i) {
                add(at + " tab", tabs->tabText(i));
                add(at + " tab tool tip", tabs->tabToolTip(i));
            }
        if (auto* menu = qobject_cast<QMenu*>(w))
            add(at + " title", menu->title());
        if (auto* view = qobject_cast<QAbstractItemView*>(w))
            items(at, view);
        for (QAction* action : w->actions())
            this->action(at, action);
    }

    void action(const QString& where, QAction* action)
    {
        if (action->isSeparator())
            return;
        const QString at = where + " action \"" + action->objectName() + "\"";
        add(at, action->text());
        add(at + " tool tip", action->toolTip());
        add(at + " status tip", action->statusTip());
        add(at + " what's this", action->whatsThis());
        if (QMenu* menu = action->menu())
            for (QAction* entry : menu->actions())
                this->action(at, entry);
    }

    // Each window and widget the process has, whatever is shown now.
    void everything()
    {
        for (QWidget* w : QApplication::allWidgets())
            widget(w);
    }

    const QList<Seen>& seen() const { return m_seen; }

private:
    static QString name(const QWidget* w)
    {
        QString text = QString::fromLatin1(w->metaObject()->className());
        if (!w->objectName().isEmpty())
            text += " \"" + w->objectName() + "\"";
        else if (!w->accessibleName().isEmpty())
            text += " '" + w->accessibleName() + "'";
        return text;
    }

    // Headers and items of the columns the view shows (hidden columns hold class names and such).
    void items(const QString& where, QAbstractItemView* view)
    {
        QAbstractItemModel* model = view->model();
        if (!model || qobject_cast<QHeaderView*>(view))
            return;
        auto* tree = qobject_cast<QTreeView*>(view);
        const auto shown = [tree](int column) { return !tree || !tree->isColumnHidden(column); };
        for (int c = 0; c < model->columnCount(); ++c)
            if (shown(c))
                add(where + " header", model->headerData(c, Qt::Horizontal).toString());
        std::function<void(const QModelIndex&)> rows = [&](const QModelIndex& parent) {
            for (int r = 0; r < model->rowCount(parent); ++r)
                for (int c = 0; c < model->columnCount(parent); ++c) {
                    const QModelIndex index = model->index(r, c, parent);
                    if (shown(c)) {
                        add(where + " item", index.data(Qt::DisplayRole).toString());
                        add(where + " item tool tip", index.data(Qt::ToolTipRole).toString());
                    }
                    if (c == 0)
                        rows(index);
                }
        };
        rows(QModelIndex());
    }

    QList<Seen> m_seen;
};

// Message boxes and file dialogs are read, never shown; a dialog the program would run modally is read
// instead and comes back rejected; a menu it would run is read and nothing is chosen.
class ReadingPrompts : public Prompts
{
public:
    explicit ReadingPrompts(Texts& texts) : m_texts(texts) { Prompts::set(this); }
    ~ReadingPrompts() override { Prompts::set(nullptr); }

    QString getOpenFileName(QWidget*, const QString& caption, const QString&, const QString& filter) override
    {
        m_texts.add("open-file dialog", caption);
        m_texts.add("open-file filter", filter);
        return QString();
    }
    QString getSaveFileName(QWidget*, const QString& caption, const QString&, const QString& filter) override
    {
        m_texts.add("save-file dialog", caption);
        m_texts.add("save-file filter", filter);
        return QString();
    }
    QString getExistingDirectory(QWidget*, const QString& caption, const QString&) override
    {
        m_texts.add("folder dialog", caption);
        return QString();
    }
    QColor getColor(const QColor&, QWidget*, const QString& title) override
    {
        m_texts.add("colour dialog", title);
        return QColor();
    }
    QMessageBox::StandardButton question(QWidget*, const QString& title, const QString& text,
                                         QMessageBox::StandardButtons) override
    {
        box("question", title, text);
        return QMessageBox::No;
    }
    void information(QWidget*, const QString& title, const QString& text) override { box("information", title, text); }
    void warning(QWidget*, const QString& title, const QString& text) override { box("warning", title, text); }
    void critical(QWidget*, const QString& title, const QString& text) override { box("critical", title, text); }
    int exec(QDialog* dialog) override
    {
        ++dialogs;
        m_texts.widget(dialog);
        for (QWidget* child : dialog->findChildren<QWidget*>())
            m_texts.widget(child);
        return QDialog::Rejected;
    }
    QAction* execMenu(QMenu* menu, const QPoint&) override
    {
        ++menus;
        m_texts.widget(menu);
        return nullptr;
    }
    bool confirmWithCheckBox(QWidget*, const QString& title, const QString& text, const QString& checkText,
                             bool* checked) override
    {
        box("confirmation", title, text);
        m_texts.add("confirmation check box", checkText);
        if (checked)
            *checked = false;
        return false;
    }

    int boxes = 0;
    int dialogs = 0;
    int menus = 0;

private:
    void box(const char* kind, const QString& title, const QString& text)
    {
        ++boxes;
        m_texts.add(QString::fromLatin1(kind) + " title", title);
        m_texts.add(QString::fromLatin1(kind) + " text", text);
    }

    Texts& m_texts;
};

// The names of the loaded model's nodes: part names are the model's own, in whatever language.
class NodeNames : public osg::NodeVisitor
{
public:
    NodeNames() : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN) {}
    void apply(osg::Node& node) override
    {
        if (!node.getName().empty())
            names << QString::fromLocal8Bit(node.getName().c_str());
        traverse(node);
    }
    QStringList names;
};

QString copyOfSample(const QString& name)
{
    const QString dir = nerio_test::scratchDir() + "/languages";
    QDir().mkpath(dir);
    const QString path = dir + "/" + name;
    QFile::remove(path);
    QFile::copy(QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo"), path);
    return path;
}

QTreeWidgetItem* topItem(QTreeWidget* tree, const QString& text)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0) == text)
            return tree->topLevelItem(i);
    return nullptr;
}

class LanguageWalk : public ::testing::Test
{
protected:
    // The program's start: the Chinese start-up translators, then the stored language over them.
    void startIn(const char* code)
    {
        setenv("NERIOVIEWER_DATA", NERIO_BIN_DIR "/lang", 1);
        AppSettings settings(QStringLiteral("Nerio3dViewer"), QStringLiteral("NerioViewer"));
        settings.setValue(QStringLiteral("Application/currentLanguage"), QString::fromLatin1(code));
        settings.sync();
        installStartupTranslators(QStringLiteral(NERIO_BIN_DIR));
        setupLanguage();
    }
    void TearDown() override
    {
        Vantor::PointNote::setTextPrompt(nullptr);
        removeAllTranslators();
        unsetenv("NERIOVIEWER_DATA");
    }

    // Runs the window through everything it shows and returns what it read.
    void walk(Language language)
    {
        ReadingPrompts prompts(texts);
        Vantor::PointNote::setTextPrompt([](std::string& text) {
            text = "1";
            return true;
        });

        MainWindow w;
        w.resize(1280, 900);
        w.show();
        ASSERT_TRUE(w.loadFile(copyOfSample("Walk.dazo")));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 20000));
        ASSERT_TRUE(nerio_test::waitFrames(*w.sceneView(), 3));
        NodeNames names;
        w.sceneModel()->getRootSwitch()->accept(names);
        modelNames = names.names;

        newAnnotations(w);
        statusPrompts(w);
        contextMenus(w);
        dialogs(w);
        texts.everything();

        EXPECT_GT(prompts.boxes, 0);
        EXPECT_GT(prompts.dialogs, 0);
        EXPECT_GE(prompts.menus, 3);
        judge(language);
    }

    // The status-bar text of every command the ribbon starts, and of the refusals without a selection.
    void statusPrompts(MainWindow& w)
    {
        const auto statusAfter = [&](QAction* action) {
            w.statusBar()->clearMessage();
            action->trigger();
            nerio_test::waitFrames(*w.sceneView(), 2);
            QCoreApplication::processEvents(); // the tips reach the status bar a turn later
            texts.add("status bar after \"" + action->text() + "\"", w.statusBar()->currentMessage());
            if (action->isCheckable() && action->isChecked())
                action->trigger();
        };
        QList<QAction*> started;
        for (QAction* action : w.commandActions())
            if (action->isEnabled() && !started.contains(action)) {
                started << action;
                statusAfter(action);
            }
        for (const char* key : {"Basic_Hide", "Basic_Isolation", "Basic_NodeColor", "Basic_Combine", "Basic_CombineAll",
                                "Section_Reverse", "Section_Update"})
            if (QAction* action = w.getAction(QString::fromLatin1(key)))
                statusAfter(action);
        EXPECT_GE(started.size(), 20);
    }

    // A note on the model, a section through the centre and a new group: their default names.
    void newAnnotations(MainWindow& w)
    {
        osgViewer::View* view = w.sceneView()->getView();
        CombineCommandHandler* pump = view_events::pumpOf(w.sceneView());
        ASSERT_NE(pump, nullptr);
        using E = osgGA::GUIEventAdapter;

        const std::vector<osg::Vec2d> spots = view_events::spotsOnModel(view);
        ASSERT_FALSE(spots.empty());
        w.getAction(QStringLiteral("Note_Newbuilt"))->trigger();
        view_events::send(pump, view, E::FRAME);
        const osg::Vec2d at = spots.front();
        view_events::send(pump, view, E::MOVE, at);
        view_events::send(pump, view, E::PUSH, at);
        view_events::send(pump, view, E::DRAG, at + osg::Vec2d(0.1, 0.1));
        view_events::send(pump, view, E::RELEASE, at + osg::Vec2d(0.1, 0.1));
        osg::ref_ptr<Vantor::NoteManager> notes = w.sceneModel()->getNoteManager();
        ASSERT_TRUE(QTest::qWaitFor([&] { return notes->getNumChildren() == 1; }, 5000))
            << w.statusBar()->currentMessage().toStdString();
        noteName = QString::fromLocal8Bit(notes->getChild(0)->getName().c_str());
        if (w.getAction(QStringLiteral("Note_Newbuilt"))->isChecked())
            w.getAction(QStringLiteral("Note_Newbuilt"))->trigger();

        w.getAction(QStringLiteral("Section_Establish"))->trigger();
        view_events::send(pump, view, E::FRAME);
        view_events::send(pump, view, E::KEYDOWN, osg::Vec2d(), E::KEY_Return);
        ASSERT_EQ(w.sceneModel()->getSectionManager()->GetAllSection().size(), 1u);
        sectionName = QString::fromLocal8Bit(w.sceneModel()->getSectionManager()->GetAllSection().front()->getName().c_str());
        if (w.getAction(QStringLiteral("Section_Establish"))->isChecked())
            w.getAction(QStringLiteral("Section_Establish"))->trigger();

        ASSERT_TRUE(QMetaObject::invokeMethod(w.annotationPanel(), "CreatGroup"));
        QCoreApplication::processEvents();
    }

    // The structure tree's and the annotation panel's context menus, and the attributes dialog.
    void contextMenus(MainWindow& w)
    {
        QTreeView* structure = w.findChild<QTreeView*>(QStringLiteral("treeViewStructure"));
        ASSERT_NE(structure, nullptr);
        const QModelIndex first = structure->model()->index(0, 0);
        QMenu* treeMenu = w.treeContextMenu(structure->visualRect(first).center());
        ASSERT_NE(treeMenu, nullptr);
        texts.widget(treeMenu);

        CoordinationWidget* panel = w.annotationPanel();
        CoordinationTreeWidget* tree = panel->tree();
        QTreeWidgetItem* sections = topItem(tree, CoordinationEntries::sectionCategory());
        ASSERT_NE(sections, nullptr);
        ASSERT_EQ(sections->childCount(), 1);
        for (QTreeWidgetItem* item : {sections, sections->child(0)}) {
            tree->setCurrentItem(item);
            panel->on_treeViewStructure_customContextMenuRequested(tree->visualItemRect(item).center());
        }
        panel->on_treeViewStructure_customContextMenuRequested(QPoint(2, tree->viewport()->height() - 2));
        tree->setCurrentItem(sections->child(0));
        panel->on_actionEditProperties_triggered();
    }

    // The dialogs the window owns, shown as the application menu and the ribbon show them.
    void dialogs(MainWindow& w)
    {
        w.on_actionSetting_triggered();
        w.on_actionPreferences_triggered();
        w.on_actionCollisionSetting_triggered();
        w.on_actionTimeset_triggered();
        w.on_actionPoster_triggered();
        w.on_actionAbout_triggered();
        w.getAction(QStringLiteral("Basic_Add"))->trigger(); // the new bookmark's name dialog
        w.getAction(QStringLiteral("Recording_Time axle"))->trigger();
        w.getAction(QStringLiteral("Relation_Collision List"))->trigger();
        QCoreApplication::processEvents();
    }

    void judge(Language language)
    {
        QStringList wrong;
        QSet<QString> reported;
        for (const Seen& s : texts.seen()) {
            if (!nerio_test::inOtherLanguage(s.text, language, modelNames))
                continue;
            const QString line = s.where + ": \"" + s.text + "\"";
            if (!reported.contains(line)) {
                reported.insert(line);
                wrong << line;
            }
        }
        EXPECT_GT(texts.seen().size(), 1000);
        EXPECT_TRUE(wrong.isEmpty()) << wrong.size() << " texts in the other language:\n"
                                     << wrong.join('\n').toStdString();
    }

    Texts texts;
    QStringList modelNames;
    QString sectionName;
    QString noteName;
};

} // namespace

TEST_F(LanguageWalk, ChineseInterfaceShowsNoEnglish)
{
    startIn("zh");
    ASSERT_EQ(QCoreApplication::translate("MainWindow", "Home"), QString::fromUtf8("主页"));
    walk(Language::Chinese);
    EXPECT_EQ(sectionName.toStdString(), "剖切 1");
    EXPECT_EQ(noteName.toStdString(), "注释");
}

TEST_F(LanguageWalk, EnglishInterfaceShowsNoChinese)
{
    startIn("en");
    ASSERT_EQ(QCoreApplication::translate("MainWindow", "结构树"), QStringLiteral("Structure"));
    walk(Language::English);
    EXPECT_EQ(sectionName.toStdString(), "Section 1");
    EXPECT_EQ(noteName.toStdString(), "Note");
}

// The structure tree's context actions keep their own names as translation sources: each interface
// shows its own words for them, never the names.
TEST_F(LanguageWalk, TreeContextMenuReadsInTheInterfaceLanguage)
{
    const struct
    {
        const char* code;
        QStringList texts;
    } languages[] = {
        {"zh", QString::fromUtf8("创建装配|插入模型|重命名|删除|剪切|复制|粘贴|全部展开|全部折叠").split('|')},
        {"en", QStringLiteral("Create assembly|Insert model|Rename|Delete|Cut|Copy|Paste|Expand all|Collapse all").split('|')},
    };
    for (const auto& language : languages) {
        SCOPED_TRACE(language.code);
        removeAllTranslators();
        startIn(language.code);
        MainWindow w;
        w.resize(1280, 900);
        w.show();
        ASSERT_TRUE(w.loadFile(copyOfSample("Menu.dazo")));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 20000));
        QTreeView* structure = w.findChild<QTreeView*>(QStringLiteral("treeViewStructure"));
        ASSERT_NE(structure, nullptr);
        QMenu* menu = w.treeContextMenu(structure->visualRect(structure->model()->index(0, 0)).center());
        ASSERT_NE(menu, nullptr);
        QStringList shown;
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                shown << action->text();
        EXPECT_EQ(shown, language.texts);
    }
}
