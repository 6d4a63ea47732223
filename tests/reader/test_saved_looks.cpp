// Colour and transparency given to parts in the viewer are saved and read back: the values the host, the
// slider and the reset commands read, and the state the parts are drawn with.
#include "ReaderFixtures.h"
#include "platform/TransformRig.h"

#include "vantor/dazoreader/DazoReaderWriter.h"
#include "vantor/dazoreader/DazoWriter.h"
#include "vantor/property/ResetTransformCommand.h"
#include "vantor/property/SetMaterialCommand.h"

#include <gtest/gtest.h>

#include <osg/Material>

using namespace reader_test;

namespace {

constexpr float Step = 0.5f / 255.0f + 1e-6f; // a colour channel goes through the file as a byte

// A tetrahedron whose first face has one material and the other three another.
std::shared_ptr<Vantor_Prototype> twoColoured(const std::shared_ptr<Vantor_Material>& first,
                                              const std::shared_ptr<Vantor_Material>& rest)
{
    auto proto = tetrahedron(rest);
    proto->SubBodies().front()->FacesArray().front()->Material(first);
    return proto;
}

// "Top" with five parts, each of its own prototype.
bool writeParts(const std::string& path)
{
    auto top = place("Top", nullptr, 0, 0, 0);
    top->Assembly(true);
    const char* names[] = {"Opaque", "Recoloured", "Half", "Both"};
    for (int i = 0; i < 4; ++i)
        top->AddSubInstance(place(names[i], tetrahedron(material(200, 100, 50)), float(3 * i), 0, 0));
    top->AddSubInstance(place("Mixed", twoColoured(material(255, 0, 0, 128), material(0, 0, 255)), 12, 0, 0));
    Vantor_Document doc;
    doc.AddTopInstances(top);
    std::string error;
    return Vantor::DazoLayout::WriteArchive(doc, {}, path, &error);
}

bool isFaceDrawable(const osg::Drawable* d)
{
    const osg::Geometry* g = d->asGeometry();
    return g && g->getNumPrimitiveSets() > 0 && g->getPrimitiveSet(0)->getMode() == GL_TRIANGLES;
}

// How each face drawable of a model is drawn: its colour under lighting and whether it is blended in
// the depth-sorted bin (by the model's state or its own).
struct FaceLook
{
    osg::Vec4 colour;
    bool sorted = false;
};

std::vector<FaceLook> looks(Vantor::Model* model)
{
    const osg::StateSet* own = model->getStateSet();
    const auto* material = own ? dynamic_cast<const osg::Material*>(own->getAttribute(osg::StateAttribute::MATERIAL)) : nullptr;
    auto sorted = [](const osg::StateSet* s) {
        return s && s->getAttribute(osg::StateAttribute::BLENDFUNC) && s->getRenderingHint() == osg::StateSet::TRANSPARENT_BIN;
    };
    std::vector<FaceLook> out;
    for (unsigned int i = 0; i < model->getNumChildren(); ++i) {
        auto* body = dynamic_cast<Vantor::Body*>(model->getChild(i));
        for (unsigned int d = 0; body && d < body->getNumDrawables(); ++d) {
            const osg::Drawable* drawable = body->getDrawable(d);
            if (!isFaceDrawable(drawable))
                continue;
            FaceLook look;
            if (material && material->getColorMode() == osg::Material::OFF) {
                look.colour = material->getDiffuse(osg::Material::FRONT);
            } else {
                const auto* c = dynamic_cast<const osg::Vec4Array*>(drawable->asGeometry()->getColorArray());
                look.colour = c && !c->empty() ? c->front() : osg::Vec4(-1, -1, -1, -1);
            }
            look.sorted = sorted(own) || sorted(drawable->getStateSet());
            out.push_back(look);
        }
    }
    return out;
}

void expectNear(const osg::Vec4& a, const osg::Vec4& b)
{
    for (int c = 0; c < 4; ++c)
        EXPECT_NEAR(a[c], b[c], Step) << "channel " << c;
}

struct Expected
{
    const char* name;
    osg::Vec4 colour;
    double transparent;
};

// The scene read from the file, in a rig, with its properties recorded as the view does at load.
struct Loaded
{
    transformrig::Rig rig;
    osg::ref_ptr<osg::Node> root;

    explicit Loaded(const std::string& path)
    {
        DazoReaderWriter reader;
        root = reader.readNode(path);
        if (!root)
            return;
        rig.nodeScene->removeChild(rig.top.get());
        rig.nodeScene->addChild(root.get());
        rig.properties->clearModelProperties();
        rig.properties->recordModelProperties(static_cast<Vantor::Model*>(root.get()), true);
    }
    Vantor::Model* part(const char* name) { return child(root.get(), name); }
    bool run(std::shared_ptr<Vantor::Command> command) { return rig.manager->DoCommand(command); }
};

} // namespace

TEST(SavedLooks, ColourAndTransparencyComeBackAsTheyWereSaved)
{
    dazo_test::ScratchDir dir;
    const std::string original = dir.file("parts.dazo");
    ASSERT_TRUE(writeParts(original));

    const Expected rows[] = {
        {"Opaque", {200 / 255.0f, 100 / 255.0f, 50 / 255.0f, 1}, 1.0},
        {"Recoloured", {0, 1, 0, 1}, 1.0},
        {"Half", {200 / 255.0f, 100 / 255.0f, 50 / 255.0f, 0.5f}, 0.5},
        {"Both", {0, 0, 1, 0.25f}, 0.25},
        // Faces that differ: the part reads as its first face.
        {"Mixed", {1, 0, 0, 128 / 255.0f}, 128 / 255.0},
    };

    std::map<std::string, std::vector<FaceLook>> before;
    const std::string saved = dir.file("saved.dazo");
    {
        Loaded first(original);
        ASSERT_TRUE(first.root.valid());
        auto node = [&](const char* name) { return osg::ref_ptr<osg::Node>(first.part(name)); };
        ASSERT_TRUE(first.run(std::make_shared<Vantor::SetMaterialCommand>(node("Recoloured"), osg::Vec4f(0, 1, 0, 1), 0.2,
                                                                           Vantor::MATERIAL_COLOR)));
        ASSERT_TRUE(first.run(std::make_shared<Vantor::SetMaterialCommand>(node("Half"), osg::Vec4f(), 0.5,
                                                                           Vantor::MATERIAL_TRANSPARENT)));
        ASSERT_TRUE(first.run(std::make_shared<Vantor::SetMaterialCommand>(node("Both"), osg::Vec4f(0, 0, 1, 1), 0.2,
                                                                           Vantor::MATERIAL_COLOR)));
        ASSERT_TRUE(first.run(std::make_shared<Vantor::SetMaterialCommand>(node("Both"), osg::Vec4f(), 0.25,
                                                                           Vantor::MATERIAL_TRANSPARENT)));
        for (const Expected& row : rows) {
            SCOPED_TRACE(row.name);
            Vantor::Model* part = first.part(row.name);
            ASSERT_NE(part, nullptr);
            expectNear(part->getColor(), row.colour);
            EXPECT_NEAR(part->getTransparent(), row.transparent, Step);
            before[row.name] = looks(part);
        }
        DazoWriter writer;
        ASSERT_TRUE(writer.saveNode(saved, first.root, {})) << writer.lastError();
    }

    Loaded again(saved);
    ASSERT_TRUE(again.root.valid());
    for (const Expected& row : rows) {
        SCOPED_TRACE(row.name);
        Vantor::Model* part = again.part(row.name);
        ASSERT_NE(part, nullptr);
        osg::Vec4f shown;
        ASSERT_TRUE(part->getShownColor(shown));
        expectNear(shown, row.colour);
        expectNear(part->getColor(), row.colour);
        EXPECT_NEAR(part->getTransparent(), row.transparent, Step);
        // Drawn as before the save: each face in its colour, the see-through ones blended and sorted.
        const std::vector<FaceLook> now = looks(part), was = before[row.name];
        ASSERT_EQ(now.size(), was.size());
        for (std::size_t f = 0; f < now.size(); ++f) {
            expectNear(now[f].colour, was[f].colour);
            EXPECT_EQ(now[f].sorted, was[f].sorted);
        }
        EXPECT_EQ(now.front().sorted, row.transparent < 1.0);
    }

    // A transparency changed after the reopen is reset to the one read, with the colour the part had.
    Vantor::Model::NodeList all;
    for (const Expected& row : rows)
        all.push_back(again.part(row.name));
    ASSERT_TRUE(again.run(std::make_shared<Vantor::SetMaterialCommand>(all, osg::Vec4f(), 0.9, Vantor::MATERIAL_TRANSPARENT)));
    for (const Expected& row : rows)
        EXPECT_NEAR(again.part(row.name)->getTransparent(), 0.9, 1e-6) << row.name;
    ASSERT_TRUE(again.run(std::make_shared<Vantor::ResetTransformCommand>(again.rig.view, Vantor::RESET_TRANSPARENT)));
    for (const Expected& row : rows) {
        SCOPED_TRACE(row.name);
        Vantor::Model* part = again.part(row.name);
        expectNear(part->getColor(), row.colour);
        EXPECT_NEAR(part->getTransparent(), row.transparent, Step);
    }
    // The mixed part shows both its colours again.
    const std::vector<FaceLook> mixed = looks(again.part("Mixed"));
    ASSERT_EQ(mixed.size(), 2u);
    expectNear(mixed[1].colour, osg::Vec4(0, 0, 1, 1));
    ASSERT_TRUE(again.rig.manager->Undo());
    for (const Expected& row : rows)
        EXPECT_NEAR(again.part(row.name)->getTransparent(), 0.9, 1e-6) << row.name;
}

// A reset right after the load changes nothing a user can see: no part turns to a default grey.
TEST(SavedLooks, ResetsRightAfterTheLoadKeepTheColoursRead)
{
    dazo_test::ScratchDir dir;
    const std::string file = dir.file("parts.dazo");
    ASSERT_TRUE(writeParts(file));
    Loaded loaded(file);
    ASSERT_TRUE(loaded.root.valid());
    for (Vantor::ResetType type : {Vantor::RESET_TRANSPARENT, Vantor::RESET_COLOR}) {
        SCOPED_TRACE(int(type));
        ASSERT_TRUE(loaded.run(std::make_shared<Vantor::ResetTransformCommand>(loaded.rig.view, type)));
        for (const char* name : {"Opaque", "Mixed"}) {
            Vantor::Model* part = loaded.part(name);
            const osg::StateSet* state = part->getStateSet();
            EXPECT_TRUE(!state || !state->getAttribute(osg::StateAttribute::MATERIAL)) << name;
        }
        expectNear(loaded.part("Opaque")->getColor(), osg::Vec4(200 / 255.0f, 100 / 255.0f, 50 / 255.0f, 1));
        EXPECT_NEAR(loaded.part("Mixed")->getTransparent(), 128 / 255.0, Step);
    }
}
