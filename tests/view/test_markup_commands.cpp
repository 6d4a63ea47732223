// Note, markup and section commands driven by synthetic events through a view and the command pump.

#include "PickingRig.h"
#include "view/CombineCommandHandler.h"

#include "vantor/command/CommandListener.h"
#include "vantor/command/CommandManager.h"
#include "vantor/note/NoteCommands.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionCommands.h"
#include "vantor/section/SectionManager.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

using namespace Vantor;

namespace {

class TipRecorder : public CommandListener
{
public:
    void onCommandTipChanged(const CommandTip& tip) override { tips.push_back(tip); }
    std::vector<std::string> tips;
};

std::string text(const rapidjson::Document& doc)
{
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    doc.Accept(writer);
    return buffer.GetString();
}

class CommandRig : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved = CommandManager::m_commandConstructMap;
        auto& map = CommandManager::m_commandConstructMap;
        map["PointNoteCommand"] = [] { return new PointNoteCommand; };
        map["SNoteCommand"] = [] { return new SNoteCommand; };
        map["RectNoteCommand"] = [] { return new RectNoteCommand; };
        map["CircleNoteCommand"] = [] { return new CircleNoteCommand; };
        map["EllipseNoteCommand"] = [] { return new EllipseNoteCommand; };
        map["BrushNoteCommand"] = [] { return new BrushNoteCommand; };
        map["CreateSectionCommand"] = [] { return new CreateSectionCommand; };
        map["UpdateSectionCommand"] = [] { return new UpdateSectionCommand; };

        commands = std::make_shared<CommandManager>();
        commands->setSelectionManager(rig.selection.get());
        commands->AddCommandListener(tips);
        pump = new CombineCommandHandler;
        pump->setCommandManager(commands);
        rig.view->addEventHandler(pump.get());
        rig.appendData->addChild(notes.get());
        rig.appendData->addChild(sections.get());
        sections->setCommandManagerWeakPtr(commands);
        PointNote::setTextPrompt([this](std::string& t) {
            ++prompts;
            t = answer;
            return !answer.empty();
        });
    }
    void TearDown() override
    {
        PointNote::setTextPrompt(nullptr);
        CommandManager::m_commandConstructMap = saved;
    }

    // As the ribbon's slots do: the running command ends, the new one is queued.
    void start(const std::string& type)
    {
        commands->CancelCurrentCmd();
        commands->setExecuteType(type);
        rig.move(osg::Vec2d(0.95, 0.95)); // any event starts the queued command
        ASSERT_NE(commands->getCurrentCommand(), nullptr);
        ASSERT_EQ(commands->getCurrentCommand()->Type(), type);
    }
    void drag(const osg::Vec2d& from, const osg::Vec2d& to, int steps = 4)
    {
        rig.press(from);
        for (int i = 1; i <= steps; ++i) {
            const osg::Vec2d at = from + (to - from) * (double(i) / steps);
            rig.queue().mouseMotion(rig::Rig::inX(at.x()), rig::Rig::inY(at.y()));
            rig.traverse();
        }
        rig.release(to);
    }
    std::string lastTip() const { return tips->tips.empty() ? std::string() : tips->tips.back(); }

    rig::Rig rig;
    std::shared_ptr<CommandManager> commands;
    std::shared_ptr<TipRecorder> tips = std::make_shared<TipRecorder>();
    osg::ref_ptr<CombineCommandHandler> pump;
    osg::ref_ptr<NoteManager> notes = new NoteManager;
    osg::ref_ptr<SectionManager> sections = new SectionManager;
    std::map<std::string, CommandManager::CommandConstructor> saved;
    std::string answer = "检查此孔 check this bore";
    int prompts = 0;
};

TEST_F(CommandRig, EveryNoteKindIsMadeFromEventsAddedOnceUndoneRedoneAndReadBack)
{
    struct Case
    {
        const char* command;
        const char* type;
        int shape; // -1: a label note
    };
    const Case cases[] = {
        {"PointNoteCommand", "PointNote", -1}, {"SNoteCommand", "SNote", -1},
        {"RectNoteCommand", "3DNote", Note3D::Rect}, {"CircleNoteCommand", "3DNote", Note3D::Circle},
        {"EllipseNoteCommand", "3DNote", Note3D::Ellipse}, {"BrushNoteCommand", "3DNote", Note3D::Brush},
    };
    // Part A's front face is the plane y = -1 in front of the camera.
    const osg::Vec2d onA = rig.ndc(osg::Vec3d(-2.2, -1, 0.1));
    const osg::Vec2d besideA = rig.ndc(osg::Vec3d(-1.5, -1, 0.6));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const std::size_t before = notes->getNumChildren();
        const std::size_t undoBefore = commands->undoCount();
        start(c.command);
        if (c.shape < 0) {
            drag(onA, besideA);
            EXPECT_EQ(notes->getNumChildren(), before) << "nothing is added before the text";
            QCoreApplication::processEvents();
        } else {
            drag(onA, besideA, 6);
        }
        ASSERT_EQ(notes->getNumChildren(), before + 1);
        EXPECT_EQ(commands->undoCount(), undoBefore + 1);
        auto* note = dynamic_cast<Note*>(notes->getChild(unsigned(before)));
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->typeName(), c.type);
        EXPECT_TRUE(commands->getCurrentCommand()->isFinished());
        EXPECT_NEAR(note->getAnchor().y(), -1.0, 1e-6) << "the first pick lies on A's face";
        if (c.shape < 0) {
            EXPECT_EQ(note->getText(), answer);
            EXPECT_NEAR(note->getTextPosition().x(), -1.5, 1e-3) << "the label stands where it was dragged";
            EXPECT_NEAR(note->getTextPosition().z(), 0.6, 1e-3);
        } else {
            auto* shape = dynamic_cast<Note3D*>(note);
            ASSERT_NE(shape, nullptr);
            EXPECT_EQ(shape->getShape(), c.shape);
            ASSERT_GE(shape->getPoints().size(), 2u);
            for (const osg::Vec3d& p : shape->getPoints())
                EXPECT_NEAR(p.y(), -1.0, 1e-6) << "markup lies on the view plane at the first pick's depth";
        }

        osg::ref_ptr<Note> kept = note;
        ASSERT_TRUE(commands->Undo());
        EXPECT_EQ(notes->getNumChildren(), before);
        ASSERT_TRUE(commands->Redo());
        ASSERT_EQ(notes->getNumChildren(), before + 1);
        EXPECT_EQ(notes->getChild(unsigned(before)), kept.get()) << "redo puts back the same note";
    }

    // Every kind comes back exactly from the note document.
    osg::ref_ptr<NoteManager> back = new NoteManager;
    ASSERT_TRUE(back->fromJson(text(notes->toJson(false))));
    ASSERT_EQ(back->getNumChildren(), notes->getNumChildren());
    EXPECT_EQ(text(back->toJson(false)), text(notes->toJson(false)));
}

TEST_F(CommandRig, AMissedPickOrAnEmptyTextAddsNothingAndTheCommandWaits)
{
    const osg::Vec2d nothing(0.9, -0.9);
    for (const char* type : {"PointNoteCommand", "RectNoteCommand", "BrushNoteCommand"}) {
        SCOPED_TRACE(type);
        start(type);
        drag(nothing, osg::Vec2d(0.8, -0.8));
        QCoreApplication::processEvents();
        EXPECT_EQ(notes->getNumChildren(), 0u);
        EXPECT_FALSE(commands->getCurrentCommand()->isFinished());
        EXPECT_NE(lastTip().find("No part under the cursor"), std::string::npos);
        commands->CancelCurrentCmd();
        EXPECT_EQ(commands->undoCount(), 0u) << "a cancelled command leaves no undo step";
    }

    // A click without a drag makes no rectangle; a cancelled text makes no note.
    start("RectNoteCommand");
    const osg::Vec2d onA = rig.ndc(osg::Vec3d(-2.2, -1, 0.1));
    rig.click(onA);
    EXPECT_EQ(notes->getNumChildren(), 0u);
    answer.clear();
    start("PointNoteCommand");
    rig.click(onA);
    QCoreApplication::processEvents();
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(notes->getNumChildren(), 0u);
    EXPECT_FALSE(commands->getCurrentCommand()->isFinished()) << "the command waits for the next point";

    // Escape ends it without a trace.
    rig.queue().keyPress(osgGA::GUIEventAdapter::KEY_Escape);
    rig.traverse();
    EXPECT_EQ(commands->getCurrentCommand(), nullptr);
    EXPECT_EQ(commands->undoCount(), 0u);
}

TEST_F(CommandRig, NoteLookIsTakenWhenTheNoteIsMade)
{
    SNote::setMarkColor(QColor(0, 255, 0));
    const int width = SNote::m_markSize;
    SNote::m_markSize = 3;
    start("RectNoteCommand");
    drag(rig.ndc(osg::Vec3d(-2.5, -1, -0.5)), rig.ndc(osg::Vec3d(-1.5, -1, 0.5)));
    SNote::setMarkColor(QColor(255, 0, 0));
    SNote::m_markSize = width;
    ASSERT_EQ(notes->getNumChildren(), 1u);
    auto* note = dynamic_cast<Note*>(notes->getChild(0));
    EXPECT_EQ(note->getLineColor(), osg::Vec4(0, 1, 0, 1));
    EXPECT_FLOAT_EQ(note->getLineWidth(), 3.0f);
    note->redraw();
    EXPECT_EQ(note->getLineColor(), osg::Vec4(0, 1, 0, 1)) << "a later change of the settings leaves it";

    osg::ref_ptr<NoteManager> back = new NoteManager;
    ASSERT_TRUE(back->fromJson(text(notes->toJson(false))));
    auto* read = dynamic_cast<Note3D*>(back->getChild(0));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getLineColor(), osg::Vec4(0, 1, 0, 1));
    EXPECT_FLOAT_EQ(read->getLineWidth(), 3.0f);
    // The rectangle spans the dragged corners on A's face.
    const auto& p = read->getPoints();
    ASSERT_EQ(p.size(), 4u);
    EXPECT_NEAR(p[0].x(), -2.5, 1e-3);
    EXPECT_NEAR(p[2].x(), -1.5, 1e-3);
    EXPECT_NEAR(p[2].z(), 0.5, 1e-3);
}

TEST_F(CommandRig, SectionIsCreatedOnAFaceMovedWithTheDraggerReversedAndItsPlaneHidden)
{
    sections->updateAllSectionCappingSize();
    start("CreateSectionCommand");
    // A miss creates nothing.
    rig.click(osg::Vec2d(0.9, -0.9));
    EXPECT_EQ(sections->getNumChildren(), 0u);
    EXPECT_NE(lastTip().find("No face under the cursor"), std::string::npos);

    rig.click(rig.ndc(osg::Vec3d(-2.2, -1, 0.1)));
    ASSERT_EQ(sections->getNumChildren(), 1u);
    osg::ref_ptr<Section> section = sections->GetAllSection().front();
    EXPECT_TRUE(section->getOpened());
    EXPECT_EQ(sections->getSelectedSection(), section);
    // On A's face, keeping what lies behind it (away from the viewer).
    EXPECT_NEAR(section->getPlane().getNormal().y(), 1.0, 1e-9);
    EXPECT_NEAR(section->getPlane().distance(osg::Vec3d(0, -1, 0)), 0.0, 1e-9);
    EXPECT_TRUE(rig.top->getStateSet()->getMode(GL_CLIP_PLANE0) & osg::StateAttribute::ON) << "the model is cut";
    ASSERT_NE(commands->getCurrentCommand(), nullptr);
    EXPECT_EQ(commands->getCurrentCommand()->Type(), "UpdateSectionCommand") << "the dragger follows";
    EXPECT_EQ(commands->undoCount(), 1u) << "the dragger itself is no undo step";

    // Seen from the side, a drag on the plane moves it along its normal: one undo step per drag.
    rig.lookFrom(osg::Vec3d(-20, -20, 6), osg::Vec3d(0, 0, 0));
    rig.move(osg::Vec2d(0.9, 0.9));
    ASSERT_EQ(commands->getCurrentCommand()->Type(), "UpdateSectionCommand");
    const osg::Vec3d centre = section->getOutlineCenter() -
                              section->getPlane().getNormal() * section->getPlane().distance(section->getOutlineCenter());
    drag(rig.ndc(centre), rig.ndc(centre + osg::Vec3d(0, 1.5, 0)));
    EXPECT_NEAR(section->getPlane().getNormal().y(), 1.0, 1e-9) << "a move keeps the direction";
    const double moved = -section->getPlane()[3];
    EXPECT_NEAR(moved, 0.5, 0.05) << "the plane went from y = -1 to about y = 0.5";
    EXPECT_EQ(commands->undoCount(), 2u);
    rig.move(osg::Vec2d(0.9, 0.9));
    ASSERT_EQ(commands->getCurrentCommand()->Type(), "UpdateSectionCommand") << "the dragger stays";

    // Ctrl+drag turns it.
    rig.queue().getCurrentEventState()->setModKeyMask(osgGA::GUIEventAdapter::MODKEY_CTRL);
    const osg::Vec3d c2 = section->getOutlineCenter() -
                          section->getPlane().getNormal() * section->getPlane().distance(section->getOutlineCenter());
    drag(rig.ndc(c2), rig.ndc(c2) + osg::Vec2d(0.3, 0.0));
    rig.queue().getCurrentEventState()->setModKeyMask(0);
    EXPECT_LT(section->getPlane().getNormal().y(), 0.99) << "the plane turned";
    EXPECT_EQ(commands->undoCount(), 3u);

    commands->CancelCurrentCmd();
    ASSERT_TRUE(commands->Undo());
    EXPECT_NEAR(section->getPlane().getNormal().y(), 1.0, 1e-9);
    ASSERT_TRUE(commands->Undo());
    EXPECT_NEAR(section->getPlane().distance(osg::Vec3d(0, -1, 0)), 0.0, 1e-9);

    // Reverse keeps the other side; undo turns it back.
    auto reverse = std::make_shared<ReverseSectionCommand>();
    reverse->setViewer(rig.view);
    ASSERT_TRUE(commands->DoCommand(reverse));
    EXPECT_NEAR(section->getPlane().getNormal().y(), -1.0, 1e-9);
    ASSERT_TRUE(commands->Undo());
    EXPECT_NEAR(section->getPlane().getNormal().y(), 1.0, 1e-9);

    // Hiding the plane keeps the cut.
    auto hide = std::make_shared<HideSectionPlaneCommand>();
    hide->setViewer(rig.view);
    ASSERT_TRUE(commands->DoCommand(hide));
    EXPECT_FALSE(section->getShowPlane());
    EXPECT_TRUE(section->getOpened());
    EXPECT_TRUE(rig.top->getStateSet()->getMode(GL_CLIP_PLANE0) & osg::StateAttribute::ON);
    ASSERT_TRUE(commands->Undo());
    EXPECT_TRUE(section->getShowPlane());

    // Undoing the creation takes the section away and the cut with it.
    ASSERT_TRUE(commands->Undo());
    EXPECT_EQ(sections->getNumChildren(), 0u);
    EXPECT_FALSE(rig.top->getStateSet()->getMode(GL_CLIP_PLANE0) & osg::StateAttribute::ON);
    ASSERT_TRUE(commands->Redo());
    EXPECT_EQ(sections->getNumChildren(), 1u);
    EXPECT_TRUE(section->getOpened());
}

TEST_F(CommandRig, EnterPlacesTheSectionThroughTheCentreAndASeventhIsRefused)
{
    start("CreateSectionCommand");
    rig.queue().keyPress(osgGA::GUIEventAdapter::KEY_Return);
    rig.traverse();
    ASSERT_EQ(sections->getNumChildren(), 1u);
    osg::ref_ptr<Section> first = sections->GetAllSection().front();
    EXPECT_NEAR(first->getPlane().getNormal().y(), 1.0, 1e-9) << "normal to the view direction";
    // The parts span y -1 .. 7: the centre is y = 3.
    EXPECT_NEAR(first->getPlane().distance(osg::Vec3d(0, 3, 0)), 0.0, 1e-6);

    for (int i = 0; i < 5; ++i) {
        osg::ref_ptr<Section> s = new Section;
        sections->InsertSection(s, -1);
        sections->OpenSection(s);
    }
    ASSERT_EQ(sections->getOpenCount(), 6u);
    commands->CancelCurrentCmd();
    const std::size_t steps = commands->undoCount();
    commands->setExecuteType("CreateSectionCommand");
    rig.move(osg::Vec2d(0.5, 0.5));
    rig.queue().keyPress(osgGA::GUIEventAdapter::KEY_Return);
    rig.traverse();
    EXPECT_EQ(sections->getNumChildren(), 6u) << "a seventh section is refused";
    EXPECT_EQ(commands->undoCount(), steps);
    EXPECT_NE(lastTip().find("At most 6 sections"), std::string::npos);
}

TEST_F(CommandRig, ApplyToSelectedCutsOnlyTheSelectedModels)
{
    osg::ref_ptr<Section> s = new Section;
    sections->InsertSection(s, -1);
    sections->OpenSection(s);
    auto clipped = [](osg::Node* n) {
        return n->getStateSet() && (n->getStateSet()->getMode(GL_CLIP_PLANE0) & osg::StateAttribute::ON);
    };
    EXPECT_TRUE(clipped(rig.top.get()));

    rig.selection->selected = {rig.partB.get()};
    sections->setApplyToSelected(true);
    EXPECT_FALSE(clipped(rig.top.get()));
    EXPECT_FALSE(clipped(rig.partA.get()));
    EXPECT_TRUE(clipped(rig.partB.get()));
    ASSERT_EQ(sections->getNeeClipedModel().size(), 1u);
    EXPECT_EQ(sections->getNeeClipedModel().front().get(), rig.partB.get());
    // Only B's body is capped.
    EXPECT_EQ(s->getCapping()->getNumBodies(), 1u);

    sections->setApplyToSelected(false);
    EXPECT_TRUE(clipped(rig.top.get()));
    EXPECT_FALSE(clipped(rig.partB.get()));
    EXPECT_EQ(s->getCapping()->getNumBodies(), 3u);
}

} // namespace

namespace {

TEST_F(CommandRig, ApplyToSelectedAndItsModelsAreKeptInTheSectionDocument)
{
    rig.partB->setModelID(4242);
    osg::ref_ptr<Section> s = new Section;
    sections->InsertSection(s, -1);
    sections->OpenSection(s);
    rig.selection->selected = {rig.partB.get()};
    sections->setApplyToSelected(true);
    const std::string doc = text(sections->toJson(false));

    sections->setApplyToSelected(false);
    sections->ClearAllSection();
    ASSERT_TRUE(sections->fromJson(doc));
    EXPECT_TRUE(sections->getApplyToSelected());
    ASSERT_EQ(sections->getNeeClipedModel().size(), 1u);
    EXPECT_EQ(sections->getNeeClipedModel().front().get(), rig.partB.get());

    // A document of the old form leaves the option as it is.
    ASSERT_TRUE(sections->fromJson(R"({"section_list": []})"));
    EXPECT_TRUE(sections->getApplyToSelected());
}

} // namespace
