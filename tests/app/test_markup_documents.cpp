// Notes of every kind and a capped section kept in a model file, through the real window and loader.

#include "app/MainWindow.h"
#include "support/TestSupport.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"
#include "vantor/note/NoteCommands.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionCommands.h"
#include "vantor/section/SectionManager.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <osg/ComputeBoundsVisitor>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace {

const QString kSample = QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo");

std::string text(const rapidjson::Document& doc)
{
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    doc.Accept(writer);
    return buffer.GetString();
}

bool waitIdle(MainWindow& w)
{
    return QTest::qWaitFor([&] { return !w.isBusy(); }, 20000);
}

} // namespace

TEST(MarkupDocuments, RegistryHoldsTheNoteAndSectionCommands)
{
    MainWindow w;
    auto& map = Vantor::CommandManager::m_commandConstructMap;
    const std::pair<const char*, std::function<bool(Vantor::Command*)>> names[] = {
        {"PointNoteCommand", [](Vantor::Command* c) { return dynamic_cast<Vantor::PointNoteCommand*>(c); }},
        {"SNoteCommand", [](Vantor::Command* c) { return dynamic_cast<Vantor::SNoteCommand*>(c); }},
        {"RectNoteCommand", [](Vantor::Command* c) { return dynamic_cast<Vantor::RectNoteCommand*>(c); }},
        {"CircleNoteCommand", [](Vantor::Command* c) { return dynamic_cast<Vantor::CircleNoteCommand*>(c); }},
        {"EllipseNoteCommand", [](Vantor::Command* c) { return dynamic_cast<Vantor::EllipseNoteCommand*>(c); }},
        {"BrushNoteCommand", [](Vantor::Command* c) { return dynamic_cast<Vantor::BrushNoteCommand*>(c); }},
        {"CreateSectionCommand", [](Vantor::Command* c) { return dynamic_cast<Vantor::CreateSectionCommand*>(c); }},
        {"UpdateSectionCommand", [](Vantor::Command* c) { return dynamic_cast<Vantor::UpdateSectionCommand*>(c); }},
        {"ReverseSectionCommand",
         [](Vantor::Command* c) { return dynamic_cast<Vantor::ReverseSectionCommand*>(c); }},
    };
    for (const auto& entry : names) {
        SCOPED_TRACE(entry.first);
        auto it = map.find(entry.first);
        ASSERT_NE(it, map.end());
        std::unique_ptr<Vantor::Command> a(it->second()), b(it->second());
        EXPECT_TRUE(entry.second(a.get()));
        EXPECT_NE(a.get(), b.get());
        EXPECT_EQ(a->Type(), entry.first);
    }
    EXPECT_EQ(map.count("HideSectionPlaneCommand"), 0u) << "run by its slot, not by name from the queue";
}

TEST(MarkupDocuments, NotesAndASectionComeBackFromTheSavedModel)
{
    const QString dir = nerio_test::scratchDir() + "/markup";
    QDir().mkpath(dir);
    const QString path = dir + "/Marked.dazo";
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(kSample, path));

    std::string notesBefore;
    osg::Plane planeBefore;
    {
        MainWindow w;
        ASSERT_TRUE(w.loadFile(path));
        ASSERT_TRUE(waitIdle(w));
        osg::ref_ptr<Vantor::NoteManager> notes = w.sceneModel()->getNoteManager();
        osg::ComputeBoundsVisitor bounds;
        w.sceneModel()->getModel()->accept(bounds);
        const osg::Vec3d c = bounds.getBoundingBox().center();

        osg::ref_ptr<Vantor::PointNote> point = new Vantor::PointNote;
        point->setAnchor(c);
        point->setTextPosition(c + osg::Vec3d(10, 0, 10));
        point->setText("检查螺栓 check the bolt");
        notes->InsertNotations(point.get(), -1);
        osg::ref_ptr<Vantor::SNote> marked = new Vantor::SNote;
        marked->setAnchor(c);
        marked->setText("marked");
        notes->InsertNotations(marked.get(), -1);
        for (int shape : {Vantor::Note3D::Rect, Vantor::Note3D::Circle, Vantor::Note3D::Ellipse,
                          Vantor::Note3D::Brush}) {
            osg::ref_ptr<Vantor::Note3D> markup = new Vantor::Note3D;
            markup->setShape(shape);
            markup->setPoints({c, c + osg::Vec3d(1.0 / 3.0, 0, 0), c + osg::Vec3d(0.1, 0, 0.7)});
            notes->InsertNotations(markup.get(), -1);
        }
        notesBefore = text(notes->toJson(false));

        auto create = std::make_shared<Vantor::CreateSectionCommand>();
        create->setViewer(w.sceneView()->getView());
        create->setFollowWithDragger(false);
        ASSERT_TRUE(w.sceneView()->getCommandManager()->DoCommand(create));
        ASSERT_TRUE(create->createAt(osg::Plane(osg::Vec3d(0, 1, 0), c)));
        planeBefore = create->getSection()->getPlane();

        QSignalSpy saved(w.loader(), SIGNAL(saveFileFinish()));
        w.on_actionSave_triggered();
        ASSERT_TRUE(QTest::qWaitFor([&] { return saved.count() > 0; }, 20000));
        ASSERT_TRUE(waitIdle(w));
    }
    MainWindow again;
    ASSERT_TRUE(again.loadFile(path));
    ASSERT_TRUE(waitIdle(again));
    EXPECT_EQ(text(again.sceneModel()->getNoteManager()->toJson(false)), notesBefore);

    osg::ref_ptr<Vantor::SectionManager> sections = again.sceneModel()->getSectionManager();
    ASSERT_EQ(sections->GetAllSection().size(), 1u);
    osg::ref_ptr<Vantor::Section> section = sections->GetAllSection().front();
    EXPECT_TRUE(section->getOpened());
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(section->getPlane()[i], planeBefore[i], 1e-12);
    osg::StateSet* ss = again.sceneModel()->getModel()->getStateSet();
    ASSERT_NE(ss, nullptr);
    EXPECT_TRUE(ss->getMode(GL_CLIP_PLANE0 + section->getClipPlaneNum()) & osg::StateAttribute::ON);
    EXPECT_GT(section->getCapping()->getNumBodies(), 0u) << "the bracket's bodies are closed and get caps";
}
