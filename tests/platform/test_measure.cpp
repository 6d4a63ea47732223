// The measures on small solids with known answers: the geometry read back from an archive, exact where
// the model carries analytic forms and from the mesh where it does not; and a measure command driven by
// clicks in a view, with its undo step.

#include "MeasureFixtures.h"

#include "vantor/command/CommandManager.h"
#include "vantor/measure/MeasureCommands.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/model/Model.h"

#include <gtest/gtest.h>

#include <osgGA/GUIEventAdapter>
#include <osgViewer/View>

#include <clocale>
#include <cmath>
#include <functional>

using namespace measure_test;
namespace G = Vantor::MeasureGeo;

namespace {

class MeasureFixtures : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new dazo_test::ScratchDir;
        const double c30 = std::cos(M_PI / 6), s30 = std::sin(M_PI / 6);

        // Two plates 12.5 apart; the upper one is a bare mesh.
        BodyBuilder lower, upper(false);
        lower.box({0, 0, 0}, {10, 10, 2});
        upper.box({0, 0, 14.5}, {10, 10, 16.5});
        plates = readBack(dir->file("plates.dazo"), {part("Lower", {lower.body()}), part("Upper", {upper.body()})});

        // A plate with a cylinder of radius 4 through it, and a second shaft 30 from the first.
        BodyBuilder plate, pin, shaft, bare(false);
        plate.box({-10, -10, 0}, {10, 10, 3});
        pin.cylinder(0, 0, 4, -5, 8);
        shaft.cylinder(30, 0, 2, -5, 8);
        bare.cylinder(60, 0, 3, 0, 5);
        shafts = readBack(dir->file("shafts.dazo"), {part("Plate", {plate.body()}), part("Pin", {pin.body()}),
                                                     part("Shaft", {shaft.body()}), part("Bare", {bare.body()})});

        // A ground square and a plate leaning at 30 degrees from its edge.
        BodyBuilder ground, leaning;
        ground.polygon({{0, -1, 0}, {2, -1, 0}, {2, 0, 0}, {0, 0, 0}});
        leaning.polygon({{0, 0, 0}, {c30, 0, s30}, {c30, 1, s30}, {0, 1, 0}});
        tilted = readBack(dir->file("tilted.dazo"), {part("Ground", {ground.body()}), part("Leaning", {leaning.body()})});

        // A unit cube and a box without its lid.
        BodyBuilder cube, open;
        cube.box({0, 0, 0}, {1, 1, 1});
        open.box({5, 0, 0}, {6, 1, 1}, false);
        cubes = readBack(dir->file("cubes.dazo"), {part("Cube", {cube.body()}), part("Open", {open.body()})});
    }
    static void TearDownTestSuite()
    {
        plates = shafts = tilted = cubes = nullptr;
        delete dir;
    }

    static dazo_test::ScratchDir* dir;
    static osg::ref_ptr<osg::Node> plates, shafts, tilted, cubes;
};

dazo_test::ScratchDir* MeasureFixtures::dir = nullptr;
osg::ref_ptr<osg::Node> MeasureFixtures::plates, MeasureFixtures::shafts, MeasureFixtures::tilted, MeasureFixtures::cubes;

struct Case
{
    const char* what;
    std::function<G::Result()> measure;
    double expected;
};

} // namespace

TEST_F(MeasureFixtures, FixturesCarryWhatTheMeasuresExpect)
{
    ASSERT_TRUE(plates && shafts && tilted && cubes);
    EXPECT_EQ(faceAt(plates, {5, 5, 2}).type, G::Face::Plane);
    EXPECT_EQ(faceAt(plates, {5, 5, 14.5}).type, G::Face::Mesh);
    EXPECT_EQ(faceAt(shafts, {4, 0, 1}).type, G::Face::Cylinder);
    EXPECT_EQ(edgeAt(shafts, {4, 0, 8}).type, G::Edge::Ellipse);
    EXPECT_EQ(edgeAt(plates, {5, 0, 2}).type, G::Edge::Line);
    EXPECT_EQ(faceAt(shafts, {63, 0, 1}).type, G::Face::Mesh);
}

TEST_F(MeasureFixtures, DistancesAnglesAndLengthsHaveTheirKnownValues)
{
    const double c30 = std::cos(M_PI / 6), s30 = std::sin(M_PI / 6);
    const Case cases[] = {
        {"face to face, parallel plates (one a bare mesh)",
         [&] { return G::faceToFace(faceAt(plates, {5, 5, 2}), faceAt(plates, {5, 5, 14.5})); }, 12.5},
        {"point to face", [&] { return G::pointToFace({1, 1, 2}, faceAt(plates, {5, 5, 14.5})); }, 12.5},
        {"point to point", [&] { return G::pointToPoint({0, 0, 2}, {0, 0, 14.5}); }, 12.5},
        {"line to face, parallel", [&] { return G::lineToFace(edgeAt(plates, {5, 0, 2}), faceAt(plates, {5, 5, 14.5})); }, 12.5},
        {"line to line, parallel", [&] { return G::lineToLine(edgeAt(plates, {5, 0, 2}), edgeAt(plates, {5, 0, 14.5})); }, 12.5},
        {"point to line", [&] { return G::pointToLine({5, 5, 2}, edgeAt(plates, {5, 0, 2})); }, 5.0},
        {"face to face, crossing: minimum distance",
         [&] { return G::faceToFace(faceAt(plates, {10, 5, 1}), faceAt(plates, {5, 5, 14.5})); }, 12.5},
        {"shaft to shaft", [&] { return G::faceToFace(faceAt(plates, {5, 5, 0}), faceAt(plates, {5, 5, 2})); }, 2.0},
        {"axis to axis of two cylinders",
         [&] {
             const G::Face a = faceAt(shafts, {4, 0, 1}), b = faceAt(shafts, {32, 0, 1});
             return G::axisToAxis(a.axisPoint, a.axisDir, b.axisPoint, b.axisDir);
         },
         30.0},
        {"centre to centre of the pin's rims",
         [&] {
             osg::Vec3d c1, c2, a;
             G::centreOf(edgeAt(shafts, {4, 0, -5}), c1, a);
             G::centreOf(edgeAt(shafts, {4, 0, 8}), c2, a);
             return G::centreToCentre(c1, c2);
         },
         13.0},
        {"radius of the circle", [&] { return G::radiusOf(edgeAt(shafts, {4, 0, 8})); }, 4.0},
        {"radius of the cylinder face", [&] { return G::radiusOf(faceAt(shafts, {4, 0, 1})); }, 4.0},
        {"radius of a bare mesh rim", [&] { return G::radiusOf(edgeAt(shafts, {63, 0, 5})); }, 3.0},
        {"length of the full circle", [&] { return G::edgeLength(edgeAt(shafts, {4, 0, 8})); }, 8 * M_PI},
        {"length of a straight edge", [&] { return G::edgeLength(edgeAt(plates, {5, 0, 2})); }, 10.0},
        {"angle, edge to face", [&] { return G::lineFaceAngle(edgeAt(tilted, {c30 / 2, 0, s30 / 2}), faceAt(tilted, {1, -0.5, 0})); }, 30.0},
        {"angle, edge to edge", [&] { return G::lineLineAngle(edgeAt(tilted, {c30 / 2, 0, s30 / 2}), edgeAt(tilted, {1, -1, 0})); }, 30.0},
        {"angle, face to face", [&] { return G::faceFaceAngle(faceAt(tilted, {c30 / 2, 0.5, s30 / 2}), faceAt(tilted, {1, -0.5, 0})); }, 30.0},
        {"angle, plate top to side", [&] { return G::faceFaceAngle(faceAt(plates, {5, 5, 2}), faceAt(plates, {10, 5, 1})); }, 90.0},
    };
    for (const Case& c : cases) {
        const G::Result r = c.measure();
        EXPECT_TRUE(r.ok) << c.what << ": " << r.error;
        EXPECT_NEAR(r.value, c.expected, 1e-3 * std::max(1.0, c.expected)) << c.what;
    }
}

TEST_F(MeasureFixtures, AreaAndVolumeOfTheUnitCube)
{
    double total = 0;
    for (const V& p : {V(0.5, 0.5, 0), V(0.5, 0.5, 1), V(0, 0.5, 0.5), V(1, 0.5, 0.5), V(0.5, 0, 0.5), V(0.5, 1, 0.5)})
        total += G::area(faceAt(cubes, p).triangles);
    EXPECT_NEAR(total, 6.0, 1e-5);

    double volume = 0;
    ASSERT_TRUE(G::volume(solidAt(cubes, {0.5, 0.5, 1}), volume));
    EXPECT_NEAR(volume, 1.0, 1e-5);
    // The pin, tessellated: close to pi r^2 h, and closed although its faces keep their own corners.
    ASSERT_TRUE(G::volume(solidAt(shafts, {4, 0, 1}), volume));
    EXPECT_NEAR(volume, M_PI * 16 * 13, M_PI * 16 * 13 * 0.01);
    // A box without its lid has no volume.
    EXPECT_FALSE(G::volume(solidAt(cubes, {5.5, 0.5, 0}), volume));
}

TEST_F(MeasureFixtures, WhatCannotBeMeasuredSaysSo)
{
    // A bare curved face has neither radius nor plane.
    EXPECT_FALSE(G::radiusOf(faceAt(shafts, {63, 0, 1})).ok);
    EXPECT_FALSE(G::faceFaceAngle(faceAt(shafts, {63, 0, 1}), faceAt(plates, {5, 5, 2})).ok);
    EXPECT_FALSE(G::lineLineAngle(edgeAt(shafts, {4, 0, 8}), edgeAt(plates, {5, 0, 2})).ok);
}

TEST(MeasureValue, FollowsUnitAndDecimalsButNeverTheLocale)
{
    const int unit = Vantor::MeasureMethod::unitType;
    const double decimals = Vantor::MeasureMethod::exactvalue;
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // a decimal comma, where installed
    using C = Vantor::MeasureCommand;
    const struct
    {
        int unit;
        double decimals;
        double value;
        C::Quantity quantity;
        const char* text;
    } rows[] = {
        {0, 2, 12.5, C::Length, "12.50 mm"},
        {1, 3, 12.5, C::Length, "1.250 cm"},
        {2, 4, 1250, C::Length, "1.2500 m"},
        {1, 1, 600, C::Area, "6.0 cm\xC2\xB2"},
        {0, 0, 1000, C::Volume, "1000 mm\xC2\xB3"},
        {2, 2, 30, C::Angle, "30.00\xC2\xB0"},
    };
    for (const auto& r : rows) {
        Vantor::MeasureMethod::unitType = r.unit;
        Vantor::MeasureMethod::exactvalue = r.decimals;
        EXPECT_EQ(C::formatValue(r.value, r.quantity), r.text);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    Vantor::MeasureMethod::unitType = unit;
    Vantor::MeasureMethod::exactvalue = decimals;
}

// A view looking down on the unit cube, without a window: picks go through its camera.
class MeasureInView : public MeasureFixtures
{
protected:
    void SetUp() override
    {
        root = new osg::Group;
        root->addChild(cubes.get());
        measures = new Vantor::MeasureManager;
        root->addChild(measures.get());
        view = new osgViewer::View;
        view->setSceneData(root.get());
        osg::Camera* camera = view->getCamera();
        camera->setViewport(0, 0, 400, 300);
        camera->setProjectionMatrixAsPerspective(30.0, 400.0 / 300.0, 0.5, 100.0);
        camera->setViewMatrixAsLookAt({0.5, 0.3, 6}, {0.5, 0.5, 0}, {0, 1, 0});
        manager = std::make_shared<Vantor::CommandManager>();
        manager->setViewer(view);
    }

    // Normalised window coordinates of a world point.
    osg::Vec2d at(const V& p) const
    {
        const osg::Camera* c = view->getCamera();
        const V ndc = p * c->getViewMatrix() * c->getProjectionMatrix();
        return {ndc.x(), ndc.y()};
    }

    // A left click (press and release in place) as the view hands it to the command.
    bool click(Vantor::Command& command, const V& p, int button = osgGA::GUIEventAdapter::LEFT_MOUSE_BUTTON)
    {
        const osg::Vec2d xy = at(p);
        bool taken = false;
        for (auto type : {osgGA::GUIEventAdapter::PUSH, osgGA::GUIEventAdapter::RELEASE}) {
            osg::ref_ptr<osgGA::GUIEventAdapter> ea = new osgGA::GUIEventAdapter;
            ea->setInputRange(-1, -1, 1, 1);
            ea->setMouseYOrientation(osgGA::GUIEventAdapter::Y_INCREASING_UPWARDS);
            ea->setX(float(xy.x()));
            ea->setY(float(xy.y()));
            ea->setEventType(type);
            ea->setButton(button);
            taken = command.handle(*ea, *view);
        }
        return taken;
    }

    std::shared_ptr<Vantor::MeasureCommand> start(Vantor::MeasureCommand* made)
    {
        std::shared_ptr<Vantor::MeasureCommand> command(made);
        manager->DoCommand(command);
        manager->setCurrentCommand(command);
        return command;
    }

    osg::ref_ptr<osg::Group> root;
    osg::ref_ptr<Vantor::MeasureManager> measures;
    osg::ref_ptr<osgViewer::View> view;
    std::shared_ptr<Vantor::CommandManager> manager;
};

TEST_F(MeasureInView, TwoClicksNearCornersMeasureTheEdgeAndUndoTakesItBack)
{
    auto command = start(new Vantor::PntToPntDistanceCommand);
    EXPECT_EQ(command->tip(), "请选择第一个点");
    // Near the corners, not on them: the picks snap.
    EXPECT_TRUE(click(*command, {0.01, 0.01, 1}));
    EXPECT_EQ(command->tip(), "请选择第二个点");
    EXPECT_TRUE(click(*command, {0.99, 0.01, 1}));
    ASSERT_TRUE(command->isFinished());
    ASSERT_EQ(measures->GetAllMeasure().size(), 1u);
    osg::ref_ptr<Vantor::Measure> m = measures->GetAllMeasure().front();
    EXPECT_NEAR(m->getValue(), 1.0, 1e-6);
    EXPECT_EQ(m->GetContent(), "1.00 mm");
    ASSERT_EQ(m->getPoints().size(), 2u);

    ASSERT_TRUE(manager->Undo());
    EXPECT_TRUE(measures->GetAllMeasure().empty());
    ASSERT_TRUE(manager->Redo());
    EXPECT_EQ(measures->GetAllMeasure().size(), 1u);
}

TEST_F(MeasureInView, ClicksBesideTheModelAreRefusedAndEscapeLeavesNothing)
{
    auto command = start(new Vantor::FaceToFaceDistanceCommand);
    EXPECT_TRUE(click(*command, {3, 3, 1})); // the click is the tool's even when it misses
    EXPECT_TRUE(command->picks().empty());
    EXPECT_NE(command->tip().find("未选中"), std::string::npos);
    EXPECT_TRUE(click(*command, {0.5, 0.5, 1}));
    EXPECT_EQ(command->picks().size(), 1u);
    // Right click cancels: no measure and no undo step.
    click(*command, {0.5, 0.5, 1}, osgGA::GUIEventAdapter::RIGHT_MOUSE_BUTTON);
    EXPECT_TRUE(command->isFinished());
    EXPECT_TRUE(measures->GetAllMeasure().empty());
    EXPECT_FALSE(manager->CanUndo());
    EXPECT_EQ(manager->getCurrentCommand(), nullptr);
}

TEST_F(MeasureInView, AreaAndVolumeAddUpAndAnOpenBodyIsRefused)
{
    struct Live : Vantor::MeasureManagerChangedListener
    {
        std::vector<std::string> contents;
        void onMeasureChanged(Vantor::MeasureManager*, Vantor::Measure* m) override
        {
            if (m)
                contents.push_back(m->GetContent());
        }
    };
    auto live = std::make_shared<Live>();
    measures->AddMeasureListener(live);

    auto area = start(new Vantor::SurfaceAreaCommand);
    EXPECT_TRUE(click(*area, {0.5, 0.5, 1}));
    EXPECT_TRUE(click(*area, {0.5, 0.5, 1})); // the same face again counts once
    ASSERT_EQ(area->picks().size(), 1u);
    ASSERT_FALSE(live->contents.empty());
    EXPECT_EQ(live->contents.back(), "1.00 mm\xC2\xB2");
    EXPECT_TRUE(area->finishPicking());
    ASSERT_EQ(measures->GetAllMeasure().size(), 1u);
    EXPECT_EQ(measures->GetAllMeasure().front()->getMeasureType(), Vantor::Measure::SurfaceArea);

    auto volume = start(new Vantor::VolumeCommand);
    EXPECT_TRUE(click(*volume, {0.5, 0.5, 1}));
    EXPECT_TRUE(volume->finishPicking());
    ASSERT_EQ(measures->GetAllMeasure().size(), 2u);
    EXPECT_NEAR(measures->GetAllMeasure().back()->getValue(), 1.0, 1e-5);
    EXPECT_EQ(measures->GetAllMeasure().back()->getMeasureType(), Vantor::Measure::Volume);
}

TEST_F(MeasureInView, VolumeOfAnOpenBoxIsRefusedWithAMessage)
{
    root->removeChild(cubes.get());
    root->addChild(cubes.get());
    view->getCamera()->setViewMatrixAsLookAt({5.5, 0.5, 6}, {5.5, 0.5, 0}, {0, 1, 0});
    auto volume = start(new Vantor::VolumeCommand);
    // Looking into the open box, the ray meets its floor.
    EXPECT_TRUE(click(*volume, {5.5, 0.5, 0}));
    EXPECT_TRUE(volume->picks().empty());
    EXPECT_EQ(volume->tip(), "所选实体不封闭，无法计算体积");
    EXPECT_FALSE(volume->finishPicking());
    EXPECT_TRUE(measures->GetAllMeasure().empty());
}
