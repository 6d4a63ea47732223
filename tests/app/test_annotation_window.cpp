// The annotation panel inside the real main window: wiring to the managers and the selection, the
// sample model's PMI, and groups and attributes kept through save and reopen.

#include "app/MainWindow.h"
#include "common/Prompts.h"
#include "panels/CoordinationEntries.h"
#include "panels/CoordinationTreeWidget.h"
#include "panels/CoordinationWidget.h"
#include "osgqt/FrameGrab.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/model/Model.h"
#include "vantor/model/PMI.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"
#include "vantor/view/ViewManager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdlib>

#include <sys/stat.h>

namespace {

using namespace CoordinationEntries;

const QString kSample = QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo");

QString copyOfSample(const QString& name)
{
    const QString dir = nerio_test::scratchDir() + "/annotations";
    QDir().mkpath(dir);
    const QString path = dir + "/" + name;
    QFile::remove(path);
    QFile::copy(kSample, path);
    return path;
}

bool load(MainWindow& w, const QString& path)
{
    if (!w.loadFile(path))
        return false;
    if (!QTest::qWaitFor([&] { return !w.isBusy(); }, 20000))
        return false;
    return true;
}

QTreeWidgetItem* top(CoordinationTreeWidget* tree, const QString& text)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0) == text)
            return tree->topLevelItem(i);
    return nullptr;
}

QStringList childTexts(QTreeWidgetItem* item)
{
    QStringList out;
    for (int i = 0; item && i < item->childCount(); ++i)
        out << item->child(i)->text(0);
    return out;
}

osg::ref_ptr<Vantor::Note> addNote(MainWindow& w, const std::string& name)
{
    osg::ref_ptr<Vantor::Note> note = new Vantor::PointNote;
    note->setName(name);
    w.sceneModel()->getNoteManager()->InsertNotations(note.get(), -1);
    return note;
}

int blackPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffffu) == 0u)
                ++count;
    return count;
}

} // namespace

// The PMI labels look the same in the first frame after opening as after a section was made and put
// away (which leaves other drawables' blending behind): no state of another drawable decides how the
// text is drawn.
TEST(AnnotationWindow, PmiTextLooksTheSameInTheFirstFrameAsAfterASection)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    MainWindow w;
    w.resize(1200, 900);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(load(w, kSample));
    SceneView* view = w.sceneView();
    ASSERT_TRUE(nerio_test::waitUntilResting(*view));
    osg::GraphicsContext* context = view->getView()->getCamera()->getGraphicsContext();
    const QImage first = osgQt::grabFrame(context);
    ASSERT_FALSE(first.isNull());

    osg::ref_ptr<Vantor::SectionManager> sections = w.sceneModel()->getSectionManager();
    osg::ref_ptr<Vantor::Section> section = new Vantor::Section;
    section->setPlane(osg::Plane(osg::Vec3d(0, 0, 1), osg::Vec3d(0, 0, 0)));
    ASSERT_TRUE(sections->InsertSection(section, -1));
    sections->OpenSection(section);
    view->requestFrame();
    ASSERT_TRUE(nerio_test::waitUntilResting(*view));
    const QImage cut = osgQt::grabFrame(context);
    sections->CloseSection(section);
    sections->RemoveSectionByID(section->getId());
    view->requestFrame();
    ASSERT_TRUE(nerio_test::waitUntilResting(*view));
    const QImage after = osgQt::grabFrame(context);
    ASSERT_EQ(after.size(), first.size());
    if (!qEnvironmentVariable("NERIO_KEEP_SHOTS").isEmpty()) {
        first.save(QDir(qEnvironmentVariable("NERIO_KEEP_SHOTS")).filePath("pmi-first-frame.png"));
        cut.save(QDir(qEnvironmentVariable("NERIO_KEEP_SHOTS")).filePath("pmi-section.png"));
        after.save(QDir(qEnvironmentVariable("NERIO_KEEP_SHOTS")).filePath("pmi-after-section.png"));
    }

    // The same view twice: the glyphs are drawn the same, with no black boxes in the first.
    const int blackFirst = blackPixels(first);
    const int blackAfter = blackPixels(after);
    EXPECT_LE(std::abs(blackFirst - blackAfter), std::max(20, blackAfter / 10))
        << "pure black pixels: " << blackFirst << " in the first frame, " << blackAfter << " after the section";
    int differing = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) {
            const QRgb a = first.pixel(x, y), b = after.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > 48 || std::abs(qGreen(a) - qGreen(b)) > 48 || std::abs(qBlue(a) - qBlue(b)) > 48)
                ++differing;
        }
    EXPECT_LE(differing, first.width() * first.height() / 1000) << differing << " pixels differ";
}

TEST(AnnotationWindow, ListsTheSampleModelsPmiAndFollowsTheManagers)
{
    MainWindow w;
    ASSERT_TRUE(load(w, copyOfSample("Pmi.dazo")));
    CoordinationTreeWidget* tree = w.annotationPanel()->tree();

    osg::ref_ptr<Vantor::Model> model = Vantor::Model::GetTopModel(w.sceneModel()->getRootSwitch());
    std::list<osg::ref_ptr<osg::Node>> pmi;
    Vantor::Model::getAllChildrenPMI(model.get(), pmi);
    ASSERT_EQ(pmi.size(), 3u);
    QTreeWidgetItem* category = top(tree, "PMI");
    ASSERT_EQ(category->childCount(), int(pmi.size()));
    int i = 0;
    for (const auto& node : pmi) {
        EXPECT_EQ(category->child(i)->text(0), QString("PMI%1").arg(i));
        EXPECT_EQ(nodeOf(category->child(i)), node.get());
        EXPECT_NE(node->getName(), QString("PMI%1").arg(i).toStdString()); // the file's names stay
        ++i;
    }

    // Unchecking a PMI entry hides that annotation in the view.
    category->child(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(pmi.front()->getNodeMask(), 0u);
    EXPECT_NE(pmi.back()->getNodeMask(), 0u);

    // A note made in the scene appears; a click on it selects it in the view, and back.
    osg::ref_ptr<Vantor::Note> note = addNote(w, "check bolt");
    QTreeWidgetItem* noteCategory = top(tree, "Note");
    ASSERT_EQ(childTexts(noteCategory), QStringList{"check bolt"});
    emit w.annotationPanel()->selectNode(NodePtrList{note}, true);
    Vantor::ISelectionManager* selection = w.sceneView()->getSelectionManager();
    EXPECT_EQ(selection->getSelectedList(), NodePtrList{note});
    EXPECT_EQ(tree->currentItem(), noteCategory->child(0));

    // Loading another model, the note let go, empties the panel to the new model's entries.
    struct Discarding : Prompts {
        int questions = 0;
        QMessageBox::StandardButton question(QWidget*, const QString&, const QString&, QMessageBox::StandardButtons) override
        {
            ++questions;
            return QMessageBox::Discard;
        }
        ~Discarding() override { Prompts::set(nullptr); }
    } prompts;
    Prompts::set(&prompts);
    ASSERT_TRUE(load(w, copyOfSample("Pmi2.dazo")));
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_EQ(top(tree, "Note")->childCount(), 0);
    EXPECT_EQ(top(tree, "PMI")->childCount(), int(pmi.size()));
}

TEST(AnnotationWindow, GroupsAndAttributesSurviveSaveAndReopen)
{
    const QString path = copyOfSample("Groups.dazo");
    {
        MainWindow w;
        w.show();
        w.annotationDock()->show();
        w.annotationDock()->raise();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        ASSERT_TRUE(load(w, path));
        CoordinationWidget* panel = w.annotationPanel();
        CoordinationTreeWidget* tree = panel->tree();
        osg::ref_ptr<Vantor::Note> first = addNote(w, "first");
        osg::ref_ptr<Vantor::Note> second = addNote(w, "second");
        osg::ref_ptr<Vantor::Note> alone = addNote(w, "alone");
        osg::ref_ptr<Vantor::Measure> measure = new Vantor::Measure;
        measure->setName("gap");
        w.sceneModel()->getMeasureManager()->InsertMeasure(measure, -1);
        measure->CoordinationUserData({{"Creater", "Li"}, {"State", "done"}});

        // A new group, named in place, and two notes regrouped into it from the menu.
        panel->CreatGroup();
        QLineEdit* editor = nullptr;
        for (QLineEdit* e : tree->findChildren<QLineEdit*>())
            if (e->isVisible())
                editor = e;
        ASSERT_NE(editor, nullptr);
        editor->setText(QString::fromUtf8("紧固件"));
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits queued.
        ASSERT_TRUE(QTest::qWaitFor([&] { return top(tree, QString::fromUtf8("紧固件")) != nullptr; }, 5000));
        ASSERT_FALSE(panel->isBusy());
        QTreeWidgetItem* group = top(tree, QString::fromUtf8("紧固件"));
        ASSERT_NE(group, nullptr);
        const int number = groupNumberOf(group);

        tree->clearSelection();
        QTreeWidgetItem* notes = top(tree, "Note");
        notes->child(0)->setSelected(true);
        notes->child(1)->setSelected(true);
        tree->setCurrentItem(notes->child(1), 0, QItemSelectionModel::Select);
        QAction goThere;
        goThere.setData(number);
        panel->on_actionGoToGroup_triggered(&goThere);
        ASSERT_EQ(childTexts(top(tree, QString::fromUtf8("紧固件"))), (QStringList{"first", "second"}));

        QSignalSpy saved(w.loader(), SIGNAL(saveFileFinish()));
        w.on_actionSave_triggered();
        ASSERT_TRUE(QTest::qWaitFor([&] { return saved.count() > 0; }, 20000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 5000));
    }
    MainWindow again;
    ASSERT_TRUE(load(again, path));
    CoordinationTreeWidget* tree = again.annotationPanel()->tree();
    QTreeWidgetItem* group = top(tree, QString::fromUtf8("紧固件"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(childTexts(group), (QStringList{"first", "second"}));
    EXPECT_EQ(childTexts(top(tree, "Note")), QStringList{"alone"});
    EXPECT_EQ(tree->groupNames.value(groupNumberOf(group)), QString::fromUtf8("紧固件"));
    auto measures = again.sceneModel()->getMeasureManager()->GetAllMeasure();
    ASSERT_EQ(measures.size(), 1u);
    EXPECT_EQ(measures.front()->CoordinationUserData(),
              (std::map<std::string, std::string>{{"Creater", "Li"}, {"State", "done"}}));
}

namespace {

struct NoteChanges : Vantor::NoteManagerChangedListener
{
    int told = 0;
    void onNoteChanged(Vantor::NoteManager*, Vantor::Note*) override { ++told; }
};

} // namespace

// Notes and views a host hands over as one document are added as one change, so the panels are
// refilled once whatever their number; a pipe named as the host's file is refused at once.
TEST(AnnotationWindow, HostDocumentsAreAddedAsOneChange)
{
    MainWindow w;
    ASSERT_TRUE(load(w, copyOfSample("host-documents.dazo")));
    osg::ref_ptr<Vantor::NoteManager> notes = w.sceneModel()->getNoteManager();
    const std::size_t before = notes->GetAllNote().size();
    auto changes = std::make_shared<NoteChanges>();
    notes->AddNoteListener(changes);

    const int count = 300;
    QString json = QStringLiteral("{\"note_list\": [");
    for (int i = 0; i < count; ++i)
        json += QStringLiteral("%1{\"Type\": \"PointNote\", \"Id\": %2, \"Name\": \"n%2\", \"Anchor\": [0, 0, 0]}")
                    .arg(i ? "," : "")
                    .arg(5000 + i);
    json += QStringLiteral("]}");
    const QString ids = w.addNotesFromValue(0, json);
    EXPECT_EQ(ids.split(' ', Qt::SkipEmptyParts).size(), count);
    EXPECT_EQ(changes->told, 1);
    ASSERT_EQ(notes->GetAllNote().size(), before + count);
    EXPECT_EQ(notes->GetAllNote().front()->getId(), 5000u);
    EXPECT_EQ(notes->GetAllNote()[count - 1]->getId(), 5000u + count - 1);
    notes->RemoveNoteListener(changes);

    osg::ref_ptr<Vantor::ViewManager> views = w.sceneModel()->getViewManager();
    const unsigned long long revision = views->revision();
    QString list = QStringLiteral("{\"userview_list\": [");
    for (int i = 0; i < 100; ++i)
        list += QStringLiteral("%1{\"ViewID\": %2, \"ViewName\": \"v%2\"}").arg(i ? "," : "").arg(7000 + i);
    list += QStringLiteral("]}");
    EXPECT_EQ(w.addViewsFromValue(-1, list).split(' ', Qt::SkipEmptyParts).size(), 100);
    EXPECT_EQ(views->revision(), revision + 1);

    const QString pipe = nerio_test::scratchDir() + "/annotations/host.pipe";
    QFile::remove(pipe);
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_TRUE(w.addNotesFromFile(-1, pipe).isEmpty());
    EXPECT_TRUE(w.addViewsFromFile(-1, pipe).isEmpty());
    EXPECT_TRUE(w.addNotesFromFile(-1, QStringLiteral("/dev/zero")).isEmpty());
    QFile::remove(pipe);
}
