// The display and appearance slots of the main window and its listener adapters: render modes and their
// checks, the node colour dialog, the transparency menu, background, grid and compass.

#include "app/MainWindow.h"
#include "app/MainWindowListeners.h"
#include "common/Prompts.h"
#include "support/TestSupport.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/animation/AnimationManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/effect/EffectManager.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"
#include "vantor/property/SetMaterialCommand.h"
#include "vantor/section/SectionManager.h"

#include <gtest/gtest.h>

#include <osg/Geometry>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QColorDialog>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>

#include <cstring>
#include <functional>

namespace {

class ActionsWindow : public MainWindow
{
public:
    // A stand-in action under the key, replacing the ribbon's.
    QAction* add(const QString& key)
    {
        auto* a = new QAction(key, this);
        a->setCheckable(true);
        m_actionMap.insert(key, a);
        return a;
    }
};

osg::ref_ptr<Vantor::Model> part(const char* name, const osg::Vec4& colour)
{
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    v->push_back({0, 0, 0});
    v->push_back({1, 0, 0});
    v->push_back({0, 1, 0});
    g->setVertexArray(v.get());
    osg::ref_ptr<osg::Vec4Array> c = new osg::Vec4Array;
    c->push_back(colour);
    g->setColorArray(c.get(), osg::Array::BIND_OVERALL);
    g->addPrimitiveSet(new osg::DrawArrays(GL_TRIANGLES, 0, 3));
    osg::ref_ptr<Vantor::Body> body = new Vantor::Body;
    body->addDrawable(g.get());
    osg::ref_ptr<Vantor::Model> m = new Vantor::Model;
    m->setName(name);
    m->addChild(body.get());
    return m;
}

// A window holding a top model with parts A and B.
struct Loaded
{
    ActionsWindow w;
    osg::ref_ptr<Vantor::Model> top = new Vantor::Model;
    osg::ref_ptr<Vantor::Model> a = part("A", {0.2f, 0.4f, 0.6f, 1});
    osg::ref_ptr<Vantor::Model> b = part("B", {0.6f, 0.4f, 0.2f, 1});
    Loaded()
    {
        top->addChild(a.get());
        top->addChild(b.get());
        w.sceneModel()->setModel(top.get());
    }
    Vantor::ISelectionManager* selection() { return w.sceneView()->getSelectionManager(); }
    std::shared_ptr<Vantor::CommandManager> commands() { return w.sceneView()->getCommandManager(); }
    void select(osg::Node* node)
    {
        selection()->clearSelection();
        if (node)
            selection()->selectNode(node, false);
    }
};

} // namespace

TEST(DisplayActions, RenderModeSlotsDriveTheEffectAndTheChecksFollow)
{
    Loaded l;
    osg::ref_ptr<Vantor::EffectManager> effects = l.w.sceneView()->getEffectManager();
    ASSERT_TRUE(effects);
    ASSERT_EQ(effects->getEffectNode(), l.top.get());
    struct Case
    {
        const char* name;
        void (MainWindow::*slot)();
        int type;
        const char* checked;
    };
    const Case cases[] = {
        {"wireframe", &MainWindow::on_actionLineRender_triggered, Vantor::EFFECT_LINE, "Basic_LineRender"},
        {"hidden line", &MainWindow::on_actionBlankingRender_triggered, Vantor::EFFECT_BLANKING, "Basic_BlackingRender"},
        {"points", &MainWindow::on_actionPointRender_triggered, Vantor::EFFECT_POINT, "Basic_PointRender"},
        {"shaded", &MainWindow::on_actionFlatRender_triggered, Vantor::EFFECT_FLAT, "Basic_FlatRender"},
    };
    for (const Case& c : cases) {
        (l.w.*c.slot)();
        EXPECT_EQ(effects->getEffectType(), c.type) << c.name;
        for (const char* key : {"Basic_LineRender", "Basic_FlatRender", "Basic_PointRender", "Basic_BlackingRender"}) {
            QAction* action = l.w.getAction(QString::fromLatin1(key));
            ASSERT_NE(action, nullptr) << key;
            EXPECT_EQ(action->isChecked(), std::strcmp(key, c.checked) == 0) << c.name << " " << key;
        }
    }

    struct Toggle
    {
        const char* name;
        void (MainWindow::*slot)();
        bool (Vantor::EffectManager::*get)() const;
    };
    const Toggle toggles[] = {
        {"edges", &MainWindow::on_actionShowEdgeLine_triggered, &Vantor::EffectManager::getShowEdgeLine},
        {"transparent", &MainWindow::on_actionTransparentShow_triggered, &Vantor::EffectManager::getTransparent},
        {"faces", &MainWindow::on_actionFacesetShow_triggered, &Vantor::EffectManager::getShowFaceset},
        {"lighting", &MainWindow::on_actionOpenLightRender_triggered, &Vantor::EffectManager::getLightingEnabled},
        {"box", &MainWindow::on_actionBoxRender_triggered, &Vantor::EffectManager::getShowBox},
    };
    for (const Toggle& t : toggles) {
        const bool before = ((*effects).*t.get)();
        (l.w.*t.slot)();
        EXPECT_EQ(((*effects).*t.get)(), !before) << t.name;
        (l.w.*t.slot)();
        EXPECT_EQ(((*effects).*t.get)(), before) << t.name;
    }
    EXPECT_TRUE(l.w.getAction("Basic_ShowEdge")->isChecked());

    // Another model: its parts are drawn the chosen way, and closing puts the defaults back.
    l.w.on_actionLineRender_triggered();
    effects->setShowEdgeLine(false);
    osg::ref_ptr<Vantor::Model> other = part("other", {1, 0, 0, 1});
    l.w.sceneModel()->setModel(other.get());
    EXPECT_EQ(effects->getEffectNode(), other.get());
    EXPECT_TRUE(l.w.getAction("Basic_FlatRender")->isChecked());
    l.w.unLoadFile();
    EXPECT_EQ(effects->getEffectType(), Vantor::EFFECT_FLAT);
    EXPECT_TRUE(effects->getShowEdgeLine());
    EXPECT_TRUE(l.w.getAction("Basic_ShowEdge")->isChecked());
}

TEST(DisplayActions, ColourDialogActsOnTheSelectionItWasOpenedWith)
{
    Loaded l;
    l.select(nullptr);
    l.w.on_actionNodeColor_triggered();
    EXPECT_EQ(l.w.statusBar()->currentMessage(), QString::fromUtf8("请先选择一个需要修改颜色的模型"));
    EXPECT_EQ(l.w.nodeColorDialog(), nullptr);

    l.select(l.a.get());
    l.w.on_actionNodeColor_triggered();
    QColorDialog* dialog = l.w.nodeColorDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->accessibleName().isEmpty());
    l.select(l.b.get());
    emit dialog->colorSelected(QColor(255, 0, 0));
    EXPECT_EQ(l.a->getColor(), osg::Vec4f(1, 0, 0, 1));
    EXPECT_EQ(l.b->getStateSet(), nullptr);
    EXPECT_TRUE(l.commands()->CanUndo());
    l.commands()->Undo();
    EXPECT_EQ(l.a->getStateSet(), nullptr);

    // Opened again: the same dialog, now for B.
    l.w.on_actionNodeColor_triggered();
    EXPECT_EQ(l.w.nodeColorDialog(), dialog);
    emit dialog->colorSelected(QColor(0, 0, 255));
    EXPECT_EQ(l.b->getColor(), osg::Vec4f(0, 0, 1, 1));

    // Another model: the dialog closes and holds no node of the old one.
    osg::ref_ptr<Vantor::Model> other = part("other", {1, 0, 0, 1});
    l.w.sceneModel()->setModel(other.get());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(l.w.nodeColorTargets().empty());
    emit dialog->colorSelected(QColor(0, 255, 0));
    EXPECT_FALSE(l.commands()->CanUndo());
}

TEST(DisplayActions, TransparencyAppliesOnReleaseOrFinishedEditOnly)
{
    Loaded l;
    QSlider* slider = l.w.transparencySlider();
    QSpinBox* spin = l.w.transparencySpinBox();
    ASSERT_NE(slider, nullptr);
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(slider->value(), 100);
    EXPECT_EQ(spin->value(), 100);
    EXPECT_EQ(slider->minimumWidth(), 256);
    EXPECT_FALSE(slider->accessibleName().isEmpty());
    EXPECT_FALSE(spin->accessibleName().isEmpty());

    l.select(nullptr);
    emit slider->sliderReleased();
    EXPECT_EQ(l.w.statusBar()->currentMessage(), QString::fromUtf8("请先选择一个需要修改透明度的模型"));
    EXPECT_FALSE(l.commands()->CanUndo());

    l.select(l.a.get());
    for (int v : {90, 70, 45})
        slider->setValue(v); // a drag: no command
    EXPECT_EQ(spin->value(), 45);
    EXPECT_FALSE(l.commands()->CanUndo());
    EXPECT_EQ(l.a->getTransparent(), 1.0);
    emit slider->sliderReleased();
    EXPECT_DOUBLE_EQ(l.a->getTransparent(), 0.45); // 45 / 100.0, not an integer division
    EXPECT_FLOAT_EQ(l.a->getColor().a(), 0.45f);

    spin->setValue(20);
    EXPECT_EQ(slider->value(), 20);
    EXPECT_DOUBLE_EQ(l.a->getTransparent(), 0.45);
    emit spin->editingFinished();
    EXPECT_DOUBLE_EQ(l.a->getTransparent(), 0.2);
    l.commands()->Undo();
    EXPECT_DOUBLE_EQ(l.a->getTransparent(), 0.45);

    // Picking a model shows its value without applying it.
    l.select(l.b.get());
    l.w.showNodeTransparency(l.a.get());
    EXPECT_EQ(slider->value(), 45);
    EXPECT_EQ(l.b->getTransparent(), 1.0);
}

TEST(DisplayActions, BackgroundGridAndCompass)
{
    ActionsWindow w;
    SceneView* view = w.sceneView();

    w.on_actionBackgroundColor(QColor());
    const osg::Vec4f bg = view->getBackgroundColor();
    w.on_actionBackgroundColor(QColor(255, 0, 0));
    EXPECT_EQ(view->getBackgroundColor(), osg::Vec4f(1, 0, 0, 1));
    EXPECT_NE(view->getBackgroundColor(), bg);
    w.on_actionGroundGridColor(QColor(0, 0, 255));
    EXPECT_EQ(view->getGridColor(), osg::Vec4f(0, 0, 1, 1));

    w.on_actionBackgroundType_triggered(true);
    EXPECT_EQ(view->getBackground()->getNodeMask(), 0u);
    w.on_actionBackgroundType_triggered(false);
    EXPECT_EQ(view->getBackground()->getNodeMask(), ~0u);

    const bool shown = view->isGridShown();
    w.on_actionGrid_triggered(!shown);
    EXPECT_EQ(view->isGridShown(), !shown);
    w.on_actionGrid_triggered(shown);
    EXPECT_EQ(view->isGridShown(), shown);

    // Unchecking without a check before leaves the compass hidden.
    QAction* compass = w.add("Basic_Compass");
    view->setCompassEnabled(false);
    w.on_actionTexture_triggered(false);
    EXPECT_FALSE(view->isCompassEnabled());
    EXPECT_TRUE(compass->isEnabled());
    view->setCompassEnabled(true);
    const bool hasCompass = view->isCompassEnabled();
    w.on_actionTexture_triggered(true);
    EXPECT_FALSE(view->isCompassEnabled());
    EXPECT_FALSE(compass->isEnabled());
    w.on_actionTexture_triggered(false);
    EXPECT_EQ(view->isCompassEnabled(), hasCompass);
    EXPECT_TRUE(compass->isEnabled());

    w.on_actionPoster_triggered();
    PosterImageDialog* poster = w.posterDialog();
    ASSERT_NE(poster, nullptr);
    w.on_actionPoster_triggered();
    EXPECT_EQ(w.posterDialog(), poster);
}

TEST(MainWindowListeners, AdaptersSetTheirActions)
{
    ActionsWindow w;
    QAction* line = w.add("Basic_LineRender");
    QAction* flat = w.add("Basic_FlatRender");
    QAction* point = w.add("Basic_PointRender");
    QAction* blanking = w.add("Basic_BlackingRender");
    QAction* edge = w.add("Basic_ShowEdge");
    QAction* faceset = w.add("Basic_ShowFaceset");
    QAction* lighting = w.add("Basic_EnableLighting");
    QAction* clip = w.add("Section_ClipSelected");
    QAction* play = w.add("Animation_ATEPlay");
    QAction* pause = w.add("Animation_ATEPause");
    QAction* cameraPlay = w.add("Animation_ATECameraPlay");
    QAction* loop = w.add("Animation_ATECyclicPlay");

    osg::ref_ptr<Vantor::EffectManager> effects = new Vantor::EffectManager;
    osg::ref_ptr<MainWindowEffectListener> effectListener = new MainWindowEffectListener(&w);
    osg::ref_ptr<MainWindowAnimationManagerListener> animation = new MainWindowAnimationManagerListener(&w);
    auto section = std::make_shared<MainWindowSectionManagerChangedListener>(&w);
    osg::ref_ptr<Vantor::SectionManager> sections = new Vantor::SectionManager;

    struct Row
    {
        const char* name;
        std::function<void()> call;
        std::vector<std::pair<QAction*, bool>> expected;
    };
    const std::vector<Row> rows = {
        {"effect: wireframe, no edges",
         [&] {
             effects->setEffectType(Vantor::EFFECT_LINE);
             effects->setShowEdgeLine(false);
             effectListener->onEffectChanged(effects.get());
         },
         {{line, true}, {flat, false}, {point, false}, {blanking, false}, {edge, false}, {faceset, true}, {lighting, true}}},
        {"effect: hidden line, unlit, no faces",
         [&] {
             effects->setEffectType(Vantor::EFFECT_BLANKING);
             effects->setLightingEnabled(false);
             effects->setShowFaceset(false);
             effectListener->onEffectChanged(effects.get());
         },
         {{line, false}, {blanking, true}, {faceset, false}, {lighting, false}}},
        {"effect: null manager changes nothing",
         [&] { effectListener->onEffectChanged(nullptr); },
         {{line, false}, {blanking, true}}},
        {"section: apply to selected",
         [&] {
             sections->setApplyToSelected(true);
             section->onSectionChanged(sections.get(), nullptr);
         },
         {{clip, true}}},
        {"section: not",
         [&] {
             sections->setApplyToSelected(false);
             section->onSectionChanged(sections.get(), nullptr);
         },
         {{clip, false}}},
        {"animation: started", [&] { animation->onAnimationStarted(nullptr); }, {{play, true}, {pause, false}}},
        {"animation: paused", [&] { animation->onAnimationPaused(nullptr); }, {{play, false}, {pause, true}}},
        {"animation: resumed", [&] { animation->onAnimationResumed(nullptr); }, {{play, true}, {pause, false}}},
        {"animation: finished", [&] { animation->onAnimationFinished(nullptr); }, {{play, false}, {pause, false}}},
        {"animation: camera and loop", [&] {
             animation->onCameraPlayChanged(true);
             animation->onLoopPlayChanged(true);
         },
         {{cameraPlay, true}, {loop, true}}},
    };
    for (const Row& row : rows) {
        row.call();
        for (const auto& e : row.expected)
            EXPECT_EQ(e.first->isChecked(), e.second) << row.name << ": " << e.first->text().toStdString();
    }

    // Registered on the scene's effect manager by the ribbon: a change there reaches the real actions.
    ActionsWindow real;
    real.sceneView()->getEffectManager()->setEffectType(Vantor::EFFECT_POINT);
    EXPECT_TRUE(real.getAction("Basic_PointRender")->isChecked());
    EXPECT_FALSE(real.getAction("Basic_FlatRender")->isChecked());
}

namespace {

struct SavePrompts : Prompts
{
    ~SavePrompts() override { Prompts::set(nullptr); }
};

// Models that hold bodies of their own, depth first.
void parts(osg::Node* node, std::vector<osg::ref_ptr<Vantor::Model>>& out)
{
    auto* model = dynamic_cast<Vantor::Model*>(node);
    if (!model)
        return;
    for (unsigned int i = 0; i < model->getNumChildren(); ++i) {
        if (dynamic_cast<Vantor::Body*>(model->getChild(i))) {
            out.push_back(model);
            break;
        }
    }
    for (unsigned int i = 0; i < model->getModelChildrenNum(); ++i)
        parts(model->getModelChild(i), out);
}

// The colour the faces of a part were read with.
osg::Vec4 faceColour(Vantor::Model* model)
{
    for (unsigned int i = 0; i < model->getNumChildren(); ++i) {
        auto* body = dynamic_cast<Vantor::Body*>(model->getChild(i));
        for (unsigned int d = 0; body && d < body->getNumDrawables(); ++d) {
            const osg::Geometry* g = body->getDrawable(d)->asGeometry();
            const auto* c = g ? dynamic_cast<const osg::Vec4Array*>(g->getColorArray()) : nullptr;
            if (c && !c->empty() && g->getNumPrimitiveSets() && g->getPrimitiveSet(0)->getMode() == GL_TRIANGLES)
                return c->front();
        }
    }
    return osg::Vec4(-1, -1, -1, -1);
}

std::vector<osg::ref_ptr<Vantor::Model>> loadParts(MainWindow& w, const QString& path)
{
    std::vector<osg::ref_ptr<Vantor::Model>> out;
    if (!w.loadFile(path) || !QTest::qWaitFor([&] { return !w.isBusy(); }, 20000))
        return out;
    parts(Vantor::Model::GetTopModel(w.sceneModel()->getRootSwitch()).get(), out);
    return out;
}

} // namespace

TEST(DisplayActions, RecolouredAndTransparentPartsComeBackFromTheSavedFile)
{
    const QString sample = QStringLiteral(NERIO_BIN_DIR "/Samples/BoltedBracket.dazo");
    ASSERT_TRUE(QFileInfo::exists(sample));
    const QString dir = nerio_test::scratchDir() + "/display";
    QDir().mkpath(dir);
    const QString path = dir + "/Recoloured.dazo";
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(sample, path));
    SavePrompts prompts;
    Prompts::set(&prompts);
    std::string nameA, nameB;
    {
        MainWindow w;
        auto found = loadParts(w, path);
        ASSERT_GE(found.size(), 2u);
        osg::ref_ptr<Vantor::Model> a = found[0], b = found[1];
        nameA = a->getName();
        nameB = b->getName();
        ASSERT_NE(nameA, nameB);
        auto commands = w.sceneView()->getCommandManager();
        ASSERT_TRUE(commands->DoCommand(std::make_shared<Vantor::SetMaterialCommand>(
            osg::ref_ptr<osg::Node>(a), osg::Vec4f(1, 0, 0, 1), 1.0, Vantor::MATERIAL_COLOR)));
        ASSERT_TRUE(commands->DoCommand(std::make_shared<Vantor::SetMaterialCommand>(
            osg::ref_ptr<osg::Node>(b), osg::Vec4f(), 0.5, Vantor::MATERIAL_TRANSPARENT)));
        // The whole-model display modes are not part of the document.
        w.on_actionLineRender_triggered();
        QSignalSpy saved(w.loader(), SIGNAL(saveFileFinish()));
        w.on_actionSave_triggered();
        ASSERT_TRUE(QTest::qWaitFor([&] { return saved.count() > 0; }, 20000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isBusy(); }, 5000));
    }
    MainWindow again;
    auto found = loadParts(again, path);
    ASSERT_GE(found.size(), 2u);
    Vantor::Model *a = nullptr, *b = nullptr;
    for (auto& m : found) {
        if (m->getName() == nameA && !a)
            a = m.get();
        else if (m->getName() == nameB && !b)
            b = m.get();
    }
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(faceColour(a), osg::Vec4(1, 0, 0, 1));
    EXPECT_NEAR(faceColour(b).a(), 0.5f, 0.5f / 255.0f + 1e-6f);
    EXPECT_EQ(again.sceneView()->getEffectManager()->getEffectType(), Vantor::EFFECT_FLAT);

    // What the host and the transparency slider read is what was saved.
    EXPECT_EQ(again.getModelColor(a->getModelID()), QStringLiteral("255 0 0"));
    EXPECT_NEAR(again.getModelTransparent(b->getModelID()), 0.5f, 0.5f / 255.0f + 1e-6f);
    EXPECT_FLOAT_EQ(again.getModelTransparent(a->getModelID()), 1.0f);
    QSlider* slider = again.transparencySlider();
    ASSERT_NE(slider, nullptr);
    again.selectTreeItem(b);
    EXPECT_EQ(slider->value(), 50);
    NodePtrList picked{a};
    again.selectTreeItem(picked);
    EXPECT_EQ(slider->value(), 100);
    EXPECT_FALSE(again.sceneView()->getCommandManager()->CanUndo()) << "showing the value applies nothing";
}
