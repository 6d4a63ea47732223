// The scene view's signals and slots, its recent-command menu, note files and the measure panel.

#include "common/Prompts.h"
#include "view/MeasureProperty.h"
#include "support/TestSupport.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/CommandManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/note/Note.h"
#include "vantor/note/NoteManager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTest>

using Vantor::CommandManager;

namespace {

// Answers file dialogs with what the test put in, and remembers what they were asked.
struct ScriptedPrompts : Prompts
{
    QString answer;
    QString askedCaption;
    QString askedDir;
    QString askedFilter;
    int asked = 0;
    QString reply(const QString& caption, const QString& dir, const QString& filter)
    {
        ++asked;
        askedCaption = caption;
        askedDir = dir;
        askedFilter = filter;
        return answer;
    }
    QString getSaveFileName(QWidget*, const QString& c, const QString& d, const QString& f) override { return reply(c, d, f); }
    QString getOpenFileName(QWidget*, const QString& c, const QString& d, const QString& f) override { return reply(c, d, f); }
    ScriptedPrompts() { Prompts::set(this); }
    ~ScriptedPrompts() override { Prompts::set(nullptr); }
};

class NoCommand : public Vantor::Command
{
public:
    explicit NoCommand(std::string type) : m_type(std::move(type)) {}
    std::string Type() override { return m_type; }

private:
    std::string m_type;
};

// Puts the names into the manager's recent list, the last one most recent.
void runFromQueue(CommandManager& manager, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const std::string type = name;
        CommandManager::m_commandConstructMap[type] = [type] { return new NoCommand(type); };
        manager.setExecuteType(type);
        manager.GetNextExecuteCmd();
    }
}

} // namespace

TEST(SceneViewInterface, EverySignalAndSlotIsThere)
{
    SceneView view;
    const QMetaObject* meta = view.metaObject();
    for (const char* signal : {"newScreenshotAvailable(osg::Image*)", "newAspectRatio(QSize)", "picked(osg::Node*)",
                               "pickedList(NodePtrList&)", "clearPicked(osg::Node*)"})
        EXPECT_GE(meta->indexOfSignal(signal), 0) << signal;
    for (const char* slot :
         {"resetHome()", "resetView(bool)", "resetView()", "pickGeometry(osg::Drawable*)", "setFlatBackgroundColor(bool)",
          "updateGrid()", "hideGrid()", "updateWhenSceneBoxChanged(bool)", "updateWhenSceneBoxChanged()",
          "updateCamearNearAndFarClip()", "setGridShow(bool)", "setBgColor(QColor)", "setGridColor(QColor)",
          "setShadowEnabled(bool)", "setCompassEnabled(bool)", "isCompassEnabled()",
          "on_actionRecentlyCommand_triggered(QAction*)", "recenterPivotPoint(double,double,double)", "showPivot()",
          "showZoomIn()", "showZoomOut()", "showDrag()", "ProgressShown(bool)", "home()",
          "setEnabledTrackbalHelper(bool)", "setEnabledInverseMouseWheel(bool)", "highlight(osg::Node*)",
          "focusInEvent(QFocusEvent*)", "focusOutEvent(QFocusEvent*)", "changeManipulator(ManipulatorType,bool)",
          "changeManipulator(ManipulatorType)", "GetCollisionManager()", "GetCollisionInfoDecoratorManager()",
          "OpenAutoDirectionalLight()", "CloseAutoDirectionalLight()", "GetPreselectionDecoratorManager()",
          "GetSelectionDecoratorManager()"})
        EXPECT_GE(meta->indexOfSlot(slot), 0) << slot;
}

TEST(RecentCommandMenu, ListsTheRecentCommandsWithTextIconAndName)
{
    const auto saved = CommandManager::m_commandConstructMap;
    SceneView view;
    runFromQueue(*view.getCommandManager(), {"VolumeCommand", "MyOwnCommand", "PntToPntDistanceCommand"});

    QMenu menu;
    view.fillRecentCommandMenu(&menu);
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 3);
    const struct { const char* name; bool icon; } expected[] = {
        {"PntToPntDistanceCommand", true}, {"MyOwnCommand", false}, {"VolumeCommand", true}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(actions[i]->data().toString(), expected[i].name);
        // No translation is installed here: the class name is the text.
        EXPECT_EQ(actions[i]->text(), expected[i].name);
        EXPECT_EQ(!actions[i]->icon().isNull(), expected[i].icon);
    }

    // Choosing an entry queues that command again.
    actions[2]->trigger();
    EXPECT_EQ(view.getCommandManager()->getExecuteType(), "VolumeCommand");
    CommandManager::m_commandConstructMap = saved;
}

TEST(RecentCommandMenu, IconTable)
{
    const struct { const char* name; const char* icon; } cases[] = {
        {"PntToPntDistanceCommand", ":/VantorViewer/icon/pnttopnt.png"},
        {"LineToFaceAngleCommand", ":/VantorViewer/icon/pnttopnt.png"},
        {"EllipseDistanceCommand", ":/VantorViewer/icon/arcdis.png"},
        {"BrushNoteCommand", ":/VantorViewer/icon/3dPen.png"},
        {"ScaleTransformDraggerCommand", ":/VantorViewer/icon/suofang.png"},
        {"SNoteCommand", ":/VantorViewer/icon/note.png"},
        {"SetVisibleCommand", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SceneView::recentCommandIconPath(c.name), QString(c.icon)) << c.name;
}

TEST(RecentCommandMenu, RightClickShowsTheMenuEvenWhenEmpty)
{
    QWidget parent;
    auto* view = new SceneView(&parent);
    parent.resize(400, 300);
    view->resize(400, 300);
    parent.show();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), view->mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(view, &event);
    const QList<QMenu*> menus = view->findChildren<QMenu*>();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_TRUE(menus.front()->isVisible());
    EXPECT_TRUE(menus.front()->actions().isEmpty());
    menus.front()->close(); // it deletes itself when closed
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->findChildren<QMenu*>().isEmpty(); }, 2000));
}

TEST(NoteFiles, DefaultNameTable)
{
    const struct { const char* model; const char* note; } cases[] = {
        {"D:/m/pump.dazo", "pump.note"},
        {"C:/a/b.c.dazo", "b.note"},
        {"/models/Bracket.DAZO", "Bracket.note"},
        {"plain", "plain.note"},
        {"", ".note"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SceneView::defaultNoteFileName(c.model), QString(c.note)) << c.model;
}

TEST(NoteFiles, ExportThenImportRoundTrip)
{
    SceneView view;
    SceneModel model;
    view.setSceneModel(&model);
    osg::ref_ptr<Vantor::NoteManager> notes = model.getNoteManager();
    osg::ref_ptr<Vantor::PointNote> note = new Vantor::PointNote;
    note->setText("torque 12 Nm");
    ASSERT_TRUE(notes->InsertNotations(note.get(), -1));

    const QString folder = nerio_test::scratchDir() + "/notes";
    QDir().mkpath(folder);
    ScriptedPrompts prompts;
    prompts.answer = folder + "/pump"; // the dialog gave no extension
    view.exportNotes("D:/m/pump.dazo");
    EXPECT_EQ(prompts.askedDir, "pump.note");
    EXPECT_EQ(prompts.askedFilter, "*.note");
    EXPECT_EQ(prompts.askedCaption, QString::fromUtf8("保存文件"));
    ASSERT_TRUE(QFile::exists(folder + "/pump.note"));
    EXPECT_EQ(view.getLastDirectory(), folder);

    notes->ClearAllNotation();
    prompts.answer = folder + "/pump.note";
    view.importNotes();
    EXPECT_EQ(prompts.askedDir, folder);
    EXPECT_EQ(prompts.askedCaption, QString::fromUtf8("打开文件"));
    ASSERT_EQ(notes->GetAllNote().size(), 1u);
    EXPECT_EQ(notes->GetAllNote().front()->getText(), "torque 12 Nm");
}

TEST(NoteFiles, CancelledDialogsDoNothing)
{
    SceneView view;
    SceneModel model;
    view.setSceneModel(&model);
    osg::ref_ptr<Vantor::NoteManager> notes = model.getNoteManager();
    notes->InsertNotations(new Vantor::PointNote, -1);
    const QString folderBefore = view.getLastDirectory();

    ScriptedPrompts prompts; // answers with an empty name, as a cancelled dialog does
    view.exportNotes("/m/pump.dazo");
    EXPECT_EQ(prompts.asked, 1);
    EXPECT_TRUE(notes->getSavedJsonFileName().empty());
    EXPECT_EQ(view.getLastDirectory(), folderBefore);
    EXPECT_FALSE(QFile::exists(QDir::currentPath() + "/.note"));

    view.importNotes();
    EXPECT_EQ(prompts.asked, 2);
    EXPECT_EQ(notes->GetAllNote().size(), 1u);
    EXPECT_EQ(view.getLastDirectory(), folderBefore);

    // A file that cannot be read changes no note.
    prompts.answer = nerio_test::scratchDir() + "/missing/none.note";
    view.importNotes();
    EXPECT_EQ(notes->GetAllNote().size(), 1u);
}

TEST(MeasurePanel, PlacedInTheViewCornerAndCaptioned)
{
    QWidget parent;
    parent.move(40, 30);
    auto* view = new SceneView(&parent);
    view->setGeometry(20, 10, 150, 600);
    SceneModel model;
    view->setSceneModel(&model);
    parent.show();

    view->showMeasureProperty("SurfaceArea");
    MeasureProperty* panel = view->getMeasureProperty();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->caption()->text(), QString::fromUtf8("面积测量"));
    EXPECT_EQ(panel->getCommandManager(), view->getCommandManager());
    EXPECT_EQ(panel->geometry(), QRect(parent.x() + 20 + 5, parent.y() + 10 + 5, 150, 100));

    view->showMeasureProperty("Volume");
    EXPECT_EQ(panel->caption()->text(), QString::fromUtf8("体积测量"));
    view->showMeasureProperty("Distance");
    EXPECT_EQ(panel->caption()->text(), QString::fromUtf8("体积测量"));
    EXPECT_EQ(view->getMeasureProperty(), panel); // made once

    // The listener fills the panel while it is shown.
    osg::ref_ptr<Vantor::SurfaceAreaMeasure> area = new Vantor::SurfaceAreaMeasure;
    area->setMeasureType(Vantor::Measure::SurfaceArea);
    area->SetTitle("Area");
    area->SetContent("12.5");
    model.getMeasureManager()->NotifyMeasureChanged(area.get());
    EXPECT_EQ(panel->text(), "Area\n12.5");

    // Hidden, the listener is unregistered: a notification no longer reaches the panel.
    view->hideMeasureProperty();
    EXPECT_FALSE(panel->isVisible());
    panel->show();
    area->SetContent("99");
    model.getMeasureManager()->NotifyMeasureChanged(area.get());
    EXPECT_EQ(panel->text(), "Area\n12.5");
}
