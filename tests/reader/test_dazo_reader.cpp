#include "ReaderFixtures.h"

#include "vantor/dazoreader/DazoJsonWriter.h"
#include "vantor/dazoreader/DazoReaderWriter.h"
#include "vantor/dazoreader/DazoSceneData.h"
#include "vantor/dazoreader/DazoWriter.h"
#include "vantor/model/PMI.h"

#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <osg/Material>

#include <cstring>
#include <signal.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace reader_test;

namespace {

const std::string Samples = std::string(NERIO_BIN_DIR) + "/Samples/";

std::shared_ptr<ReaderConfig> options(bool pmi, bool edge, bool merge)
{
    auto c = std::make_shared<ReaderConfig>();
    c->readPMI = pmi;
    c->readEdge = edge;
    c->mergeFace = merge;
    return c;
}

osg::ref_ptr<osg::Node> read(const std::string& path, std::shared_ptr<ReaderConfig> config = nullptr,
                             std::string* error = nullptr)
{
    DazoReaderWriter reader;
    reader.setConfig(config);
    osg::ref_ptr<osg::Node> node = reader.readNode(path);
    if (error)
        *error = reader.lastError();
    return node;
}

struct Recorder : ReaderListener {
    void onReadStarted() override { ++started; }
    void onReadProgress(const std::string&, const float& v) override { values.push_back(v); }
    void onReadFinished() override { ++finished; }
    void onReadCancelled() override { ++cancelled; }
    int started = 0, finished = 0, cancelled = 0;
    std::vector<float> values;
};

// Everything a reader of the scene can see, model by model, as text: names, ids, placements,
// visibility, faces, colours, edges and annotations.
void describe(osg::Node* node, std::ostringstream& out, int depth, bool withIds)
{
    auto* model = dynamic_cast<Vantor::Model*>(node);
    if (!model)
        return;
    out << std::string(depth * 2, ' ') << model->getName();
    if (withIds)
        out << " #" << model->getModelID();
    const osg::Matrixd& m = model->getMatrix();
    out << " at";
    for (int i = 0; i < 16; ++i)
        out << ' ' << std::round(m.ptr()[i] * 1000) / 1000;
    out << (model->getNodeMask() ? " shown" : " hidden");
    for (unsigned int i = 0; i < model->getNumChildren(); ++i) {
        osg::Node* c = model->getChild(i);
        if (auto* body = dynamic_cast<Vantor::Body*>(c)) {
            reader_test::SceneCount count;
            body->accept(count);
            out << " | body " << count.triangles << " triangles, " << count.edges << " edges, colours";
            for (unsigned int d = 0; d < body->getNumDrawables(); ++d) {
                const auto* g = body->getDrawable(d)->asGeometry();
                const auto* colours = g ? dynamic_cast<const osg::Vec4Array*>(g->getColorArray()) : nullptr;
                if (colours && !colours->empty() && g->getPrimitiveSet(0)->getMode() == GL_TRIANGLES)
                    out << ' ' << std::lround(colours->front().r() * 255) << '/' << std::lround(colours->front().g() * 255)
                        << '/' << std::lround(colours->front().b() * 255) << '/' << std::lround(colours->front().a() * 255);
            }
        } else if (dynamic_cast<Vantor::PMI*>(c)) {
            out << " | PMI " << c->getName();
        }
    }
    out << '\n';
    for (unsigned int i = 0; i < model->getModelChildrenNum(); ++i)
        describe(model->getModelChild(i), out, depth + 1, withIds);
}

std::string describe(osg::Node* node, bool withIds = true)
{
    std::ostringstream out;
    describe(node, out, 0, withIds);
    return out.str();
}

osg::Vec3d translation(osg::Node* model)
{
    return static_cast<Vantor::Model*>(model)->getMatrix().getTrans();
}

} // namespace

TEST(DazoReader, ReadsTheAssemblyWithSharedPartsColoursAndDocuments)
{
    dazo_test::ScratchDir dir;
    Vantor::DazoLayout::ProgramDocuments docs;
    docs.note = R"({"notes":[1]})";
    docs.view = R"({"userview_list":[]})";
    const std::string file = dir.file("small.dazo");
    ASSERT_TRUE(writeSmallAssembly(file, docs));

    DazoReaderWriter reader;
    Recorder listener;
    reader.setListener(&listener);
    osg::ref_ptr<osg::Node> root = reader.readNode(file);
    ASSERT_TRUE(root.valid()) << reader.lastError();

    auto* top = dynamic_cast<Vantor::Model*>(root.get());
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->getName(), "Top");
    ASSERT_EQ(top->getModelChildrenNum(), 3u);
    Vantor::Model* left = child(top, "Left");
    Vantor::Model* right = child(top, "Right");
    Vantor::Model* tri = child(top, "三角");
    ASSERT_TRUE(left && right && tri);
    EXPECT_EQ(translation(right), osg::Vec3d(10, 0, 0));
    EXPECT_EQ(translation(tri), osg::Vec3d(0, 0, 5));
    EXPECT_EQ(tri->getNodeMask(), 0u);
    EXPECT_NE(left->getNodeMask(), 0u);

    // One part placed twice is one subgraph.
    ASSERT_NE(firstBody(left), nullptr);
    EXPECT_EQ(firstBody(left), firstBody(right));
    SceneCount count;
    root->accept(count);
    EXPECT_EQ(count.models, 4);
    EXPECT_EQ(count.triangles, 4u + 4u + 1u);
    EXPECT_EQ(count.edges, 0u); // edges only when asked for

    // Face material, and the instance's material for a face without one.
    EXPECT_EQ(faceColour(left), osg::Vec4(1, 0, 0, 1));
    EXPECT_EQ(faceColour(tri), osg::Vec4(0, 0, 1, 1));
    // Normals for every point, made where the file has none.
    const osg::Geometry* g = firstBody(left)->getDrawable(0)->asGeometry();
    ASSERT_NE(g->getNormalArray(), nullptr);
    EXPECT_EQ(g->getNormalArray()->getNumElements(), 4u);
    EXPECT_TRUE(top->hasGeoFace());
    EXPECT_FALSE(top->hasGeoLine());

    // Ids: every model has its own, and a second read gives the same ones.
    EXPECT_NE(left->getModelID(), right->getModelID());
    osg::ref_ptr<osg::Node> again = read(file);
    EXPECT_EQ(describe(again.get()), describe(root.get()));

    auto documents = reader.GetUserData();
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_EQ(*documents["note"], docs.note);
    EXPECT_EQ(*documents["view"], docs.view);

    // Progress: started once, values rising within 0..100; the reader leaves "finished" to its owner.
    EXPECT_EQ(listener.started, 1);
    EXPECT_EQ(listener.finished, 0);
    ASSERT_FALSE(listener.values.empty());
    for (std::size_t i = 0; i < listener.values.size(); ++i) {
        EXPECT_GE(listener.values[i], 0.0f);
        EXPECT_LE(listener.values[i], 100.0f);
        if (i > 0) {
            EXPECT_GE(listener.values[i], listener.values[i - 1]);
        }
    }
}

namespace {

// A tetrahedron whose faces are blue, red, red again (another material of the same colour) and
// without material, placed as "Green" and "Yellow" in those instance colours.
bool writeColouredTetrahedra(const std::string& path)
{
    auto proto = tetrahedron(nullptr);
    auto& faces = proto->SubBodies()[0]->FacesArray();
    faces[0]->Material(material(0, 0, 255));
    faces[1]->Material(material(255, 0, 0));
    faces[2]->Material(material(255, 0, 0));
    auto top = place("Top", nullptr, 0, 0, 0);
    top->Assembly(true);
    auto green = place("Green", proto, 0, 0, 0);
    green->Material(material(0, 255, 0));
    auto yellow = place("Yellow", proto, 5, 0, 0);
    yellow->Material(material(255, 255, 0));
    top->AddSubInstance(green);
    top->AddSubInstance(yellow);
    Vantor_Document doc;
    doc.AddTopInstances(top);
    std::string error;
    return Vantor::DazoLayout::WriteArchive(doc, {}, path, &error);
}

const Vantor::DazoData::FaceData* facesOf(const osg::Drawable* d)
{
    return Vantor::DazoData::find<Vantor::DazoData::FaceData>(d);
}

} // namespace

TEST(DazoReader, FacesAreDrawnByMaterialAndEdgesInOneList)
{
    dazo_test::ScratchDir dir;
    const std::string file = dir.file("coloured.dazo");
    ASSERT_TRUE(writeColouredTetrahedra(file));

    struct Case {
        bool merge;
        std::vector<std::string> colours; // of the face drawables, in order of their first face
        std::vector<std::size_t> faces;   // faces in each
    };
    const Case cases[] = {
        {false, {"0/0/255/255", "255/0/0/255", "255/0/0/255", "0/255/0/255"}, {1, 1, 1, 1}},
        {true, {"0/0/255/255", "255/0/0/255", "0/255/0/255"}, {1, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.merge ? "merged" : "by material");
        osg::ref_ptr<osg::Node> root = read(file, options(false, true, c.merge));
        ASSERT_TRUE(root.valid());
        Vantor::Body* green = firstBody(child(root.get(), "Green"));
        Vantor::Body* yellow = firstBody(child(root.get(), "Yellow"));
        ASSERT_TRUE(green && yellow);
        ASSERT_EQ(green->getNumDrawables(), c.colours.size() + 1); // the faces, then the edges
        for (std::size_t d = 0; d < c.colours.size(); ++d) {
            const osg::Geometry* g = green->getDrawable(d)->asGeometry();
            const auto* colour = dynamic_cast<const osg::Vec4Array*>(g->getColorArray());
            const osg::Vec4 v = colour->front();
            EXPECT_EQ(std::to_string(std::lround(v.r() * 255)) + "/" + std::to_string(std::lround(v.g() * 255)) + "/" +
                          std::to_string(std::lround(v.b() * 255)) + "/" + std::to_string(std::lround(v.a() * 255)),
                      c.colours[d]);
            // One triangle list per drawable; the faces are ranges of it.
            ASSERT_EQ(g->getNumPrimitiveSets(), 1u);
            ASSERT_NE(facesOf(g), nullptr);
            EXPECT_EQ(facesOf(g)->faces.size(), c.faces[d]);
            std::size_t next = 0;
            for (const auto& f : facesOf(g)->faces) {
                EXPECT_NE(f.id, 0u);
                EXPECT_EQ(f.first, next);
                EXPECT_EQ(f.count, 3u);
                next = f.first + f.count;
            }
            EXPECT_EQ(g->getPrimitiveSet(0)->getNumIndices(), next);
        }
        // The blue face lies in z = 0: its drawable's bound covers its own triangle only.
        EXPECT_FLOAT_EQ(green->getDrawable(0)->asGeometry()->getBoundingBox().zMax(), 0.0f);
        // The instance colour costs a drawable of its own, over the same face list; the rest is shared.
        const unsigned int last = green->getNumDrawables() - 2;
        EXPECT_NE(green, yellow);
        EXPECT_NE(green->getDrawable(last), yellow->getDrawable(last));
        EXPECT_EQ(green->getDrawable(last)->asGeometry()->getPrimitiveSet(0),
                  yellow->getDrawable(last)->asGeometry()->getPrimitiveSet(0));
        EXPECT_EQ(facesOf(green->getDrawable(last)), facesOf(yellow->getDrawable(last)));
        for (unsigned int d = 0; d < last; ++d)
            EXPECT_EQ(green->getDrawable(d), yellow->getDrawable(d));
        EXPECT_EQ(green->getDrawable(last + 1), yellow->getDrawable(last + 1));
        EXPECT_EQ(faceColour(child(root.get(), "Yellow")), osg::Vec4(0, 0, 1, 1));

        SceneCount count;
        root->accept(count);
        EXPECT_EQ(count.triangles, 2u * 4u);
        EXPECT_EQ(count.edges, 2u * 6u); // six edges per tetrahedron, each once although two faces list it
        const osg::PrimitiveSet* lines = green->getDrawable(last + 1)->asGeometry()->getPrimitiveSet(0);
        EXPECT_EQ(lines->getMode(), static_cast<GLenum>(GL_LINES));
        EXPECT_EQ(lines->getNumIndices(), 6u * 2u);
        auto* top = static_cast<Vantor::Model*>(root.get());
        EXPECT_TRUE(top->hasGeoLine());
        EXPECT_TRUE(child(top, "Green")->hasGeoLine());

        // Saved and read again, the faces come back with their colours. (The writer stores one
        // material per colour, so only the merged layout is the same after a save.)
        if (!c.merge)
            continue;
        const std::string copy = dir.file("merged.dazo");
        DazoWriter writer;
        ASSERT_TRUE(writer.saveNode(copy, root, {})) << writer.lastError();
        osg::ref_ptr<osg::Node> back = read(copy, options(false, true, c.merge));
        ASSERT_TRUE(back.valid());
        EXPECT_EQ(describe(back.get()), describe(root.get()));
    }

    // Without edges a body draws its faces only.
    osg::ref_ptr<osg::Node> plain = read(file);
    ASSERT_TRUE(plain.valid());
    EXPECT_EQ(firstBody(child(plain.get(), "Green"))->getNumDrawables(), 4u);
    EXPECT_FALSE(static_cast<Vantor::Model*>(plain.get())->hasGeoLine());
}

TEST(DazoReader, ReadsTheSampleModel)
{
    std::string error;
    osg::ref_ptr<osg::Node> root = read(Samples + "BoltedBracket.dazo", options(true, true, false), &error);
    ASSERT_TRUE(root.valid()) << error;
    SceneCount count;
    root->accept(count);
    EXPECT_EQ(count.models, 9); // top, plate, four bolts, the bracket sub-assembly with bracket and pin
    // plate 12, bolt 144 (head 20, shank 124) four times, bracket 24, pin 188
    EXPECT_EQ(count.triangles, 12u + 4u * 144u + 24u + 188u);

    auto* top = static_cast<Vantor::Model*>(root.get());
    EXPECT_EQ(top->getName(), "BoltedBracket");
    std::vector<Vantor::Model*> bolts;
    for (unsigned int i = 0; i < top->getModelChildrenNum(); ++i)
        if (top->getModelChild(i)->getName() == "Bolt")
            bolts.push_back(top->getModelChild(i));
    ASSERT_EQ(bolts.size(), 4u);
    for (auto* bolt : bolts)
        EXPECT_EQ(firstBody(bolt), firstBody(bolts[0]));
    EXPECT_EQ(translation(bolts[1]), osg::Vec3d(185, 15, 0));

    Vantor::Model* sub = child(top, "BracketAssembly");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(translation(sub), osg::Vec3d(70, 40, 10));
    EXPECT_EQ(translation(child(sub, "Pin")), osg::Vec3d(30, 20, 8));
    EXPECT_EQ(faceColour(child(sub, "Pin")), osg::Vec4(200 / 255.0f, 40 / 255.0f, 30 / 255.0f, 1));
    EXPECT_EQ(faceColour(child(sub, "Bracket")), osg::Vec4(40 / 255.0f, 90 / 255.0f, 200 / 255.0f, 1));
    EXPECT_EQ(faceColour(bolts[0]), osg::Vec4(70 / 255.0f, 72 / 255.0f, 78 / 255.0f, 1));
    EXPECT_TRUE(top->hasGeoLine());
    EXPECT_TRUE(top->hasGeoFace());

    Vantor::Model::NodeList pmis;
    Vantor::Model::getAllChildrenPMI(top, pmis);
    ASSERT_EQ(pmis.size(), 3u);
    EXPECT_STREQ(pmis.front()->className(), "PMI");
    EXPECT_EQ(pmis.front()->getName(), "Plate length");
    // Annotations are drawn only when asked for, but kept either way.
    osg::ref_ptr<osg::Node> plain = read(Samples + "BoltedBracket.dazo");
    Vantor::Model::NodeList none;
    Vantor::Model::getAllChildrenPMI(plain.get(), none);
    EXPECT_TRUE(none.empty());
    auto* data = Vantor::DazoData::find<Vantor::DazoData::InstanceData>(plain.get());
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->pmi != nullptr);
}

TEST(DazoWriter, SavedModelReadsBackTheSame)
{
    dazo_test::ScratchDir dir;
    for (const bool merge : {false, true}) {
        osg::ref_ptr<osg::Node> original = read(Samples + "BoltedBracket.dazo", options(true, true, merge));
        ASSERT_TRUE(original.valid());
        rapidjson::Document note, view;
        note.Parse(R"({"notes":[{"id":"7"}]})");
        view.Parse(R"({"userview_list":[{"ViewID":3}]})");
        const std::string copy = dir.file(merge ? "merged.liteprt" : "copy.dazo");
        DazoWriter writer;
        ASSERT_TRUE(writer.saveNode(copy, original, {{"note", &note}, {"view", &view}, {"other", &note}})) << writer.lastError();

        DazoReaderWriter reader;
        reader.setConfig(options(true, true, merge));
        osg::ref_ptr<osg::Node> back = reader.readNode(copy);
        ASSERT_TRUE(back.valid()) << reader.lastError();
        EXPECT_EQ(describe(back.get()), describe(original.get()));
        // Parts stay shared, the documents come back, names outside the five are not stored.
        Vantor::Model* top = static_cast<Vantor::Model*>(back.get());
        EXPECT_EQ(firstBody(top->getModelChild(1)), firstBody(top->getModelChild(2)));
        auto documents = reader.GetUserData();
        EXPECT_EQ(documents.size(), 2u);
        EXPECT_EQ(*documents["note"], R"({"notes":[{"id":"7"}]})");
        // The analytic geometry of faces and edges survives.
        auto* faces = Vantor::DazoData::find<Vantor::DazoData::FaceData>(firstBody(top->getModelChild(0))->getDrawable(0));
        ASSERT_NE(faces, nullptr);
        EXPECT_TRUE(faces->faces.front().geometry != nullptr);
        auto* body = Vantor::DazoData::find<Vantor::DazoData::BodyData>(firstBody(top->getModelChild(0)));
        ASSERT_NE(body, nullptr);
        EXPECT_EQ(body->edges.size(), 12u); // a box
        EXPECT_TRUE(body->edges.front().geometry != nullptr);
    }
}

TEST(DazoWriter, WritesWhatTheUserChangedWithoutTouchingTheScene)
{
    dazo_test::ScratchDir dir;
    const std::string file = dir.file("small.dazo");
    ASSERT_TRUE(writeSmallAssembly(file));
    osg::ref_ptr<osg::Node> scene = read(file);
    ASSERT_TRUE(scene.valid());
    auto* top = static_cast<Vantor::Model*>(scene.get());
    child(top, "Left")->setColor(osg::Vec4(0, 1, 0, 1)); // overrides the part's colour on this model only
    child(top, "三角")->setNodeMask(0xffffffff);
    top->setMatrix(osg::Matrixd::translate(1, 2, 3)); // moved in the view

    DazoWriter writer;
    writer.setRootMatrix(osg::Matrixd::identity());
    const std::string out = dir.file("changed.dazo");
    ASSERT_TRUE(writer.saveNode(out, scene, {}));
    EXPECT_EQ(top->getMatrix().getTrans(), osg::Vec3d(1, 2, 3)); // the scene keeps its placement

    osg::ref_ptr<osg::Node> back = read(out);
    ASSERT_TRUE(back.valid());
    EXPECT_EQ(translation(back.get()), osg::Vec3d(0, 0, 0));
    EXPECT_EQ(faceColour(child(back.get(), "Left")), osg::Vec4(0, 1, 0, 1));
    EXPECT_EQ(faceColour(child(back.get(), "Right")), osg::Vec4(1, 0, 0, 1));
    EXPECT_NE(child(back.get(), "三角")->getNodeMask(), 0u);
    EXPECT_EQ(child(back.get(), "Left")->getModelID(), child(top, "Left")->getModelID());
}

TEST(DazoWriter, FailedSaveKeepsTheExistingFile)
{
    dazo_test::ScratchDir dir;
    const std::string existing = dir.file("model.dazo");
    ASSERT_TRUE(writeSmallAssembly(existing));
    const std::string before = dazo_test::readFile(existing);
    osg::ref_ptr<osg::Node> scene = read(existing);
    ASSERT_TRUE(scene.valid());
    ASSERT_EQ(std::system(("mkdir '" + dir.file("folder.dazo") + "'").c_str()), 0);

    struct Case {
        const char* what;
        std::string target;
        osg::ref_ptr<osg::Node> root;
    };
    const Case cases[] = {
        {"no model", existing, nullptr},
        {"folder missing", dir.file("missing/model.dazo"), scene},
        {"target is a folder", dir.file("folder.dazo"), scene},
    };
    for (const Case& c : cases) {
        DazoWriter writer;
        EXPECT_FALSE(writer.saveNode(c.target, c.root, {})) << c.what;
        EXPECT_FALSE(writer.lastError().empty()) << c.what;
    }

    // A disk that fills up part-way, simulated by a file-size limit in a child process.
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{300, 300};
        setrlimit(RLIMIT_FSIZE, &limit);
        DazoWriter writer;
        const bool reported = !writer.saveNode(existing, scene, {}) && !writer.lastError().empty();
        _exit(reported ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failed save was not reported";
    EXPECT_TRUE(dazo_test::readFile(existing) == before) << "the existing file changed";
    EXPECT_TRUE(read(existing).valid());
}

// Every damaged file gives a null result and a reason, and never crashes. The small fixture's
// mesh member starts with the tetrahedron's body: header (P at 8, E at 20, F at 24), four points,
// then the first face record (index count at 32 + 48 + 16) and its indices.
TEST(DazoReader, DamagedArchivesGiveNullAndAReason)
{
    dazo_test::ScratchDir dir;
    const std::string good = dir.file("good.dazo");
    ASSERT_TRUE(writeSmallAssembly(good));
    const auto original = members(good);
    const std::size_t faceRecord = 32 + 4 * 12;
    const std::size_t firstIndex = faceRecord + 24;

    auto patchU32 = [](std::string bytes, std::size_t at, std::uint32_t v) {
        std::memcpy(&bytes[at], &v, 4);
        return bytes;
    };
    auto patchU64 = [](std::string bytes, std::size_t at, std::uint64_t v) {
        std::memcpy(&bytes[at], &v, 8);
        return bytes;
    };
    std::uint64_t firstId;
    std::memcpy(&firstId, original.at("instance").data(), 8);

    struct Case {
        const char* what;
        const char* key; // member to replace, or null to remove `value`'s member
        std::string value;
        const char* reason; // a word the reason must hold
    };
    const std::string& inst = original.at("instance");
    const std::string& mesh = original.at("mesh");
    const std::string& index = original.at("protoindex");
    const Case cases[] = {
        {"instance record cut", "instance", inst.substr(0, inst.size() - 5), "truncated"},
        {"parent missing", "instance", patchU64(inst, 104 + 8, 12345), "parent"},
        {"parent is itself", "instance", patchU64(inst, 8, firstId), "parent"},
        {"parent after child", "instance", patchU64(inst, 104 + 8, 99) /* replaced below */, "parent"},
        {"id used twice", "instance", patchU64(inst, 104, firstId), "twice"},
        {"index cut", "protoindex", index.substr(0, 10), "truncated"},
        {"prototype outside mesh", "protoindex", patchU32(index, 12, 1u << 30), "outside"},
        {"negative offset", "protoindex", patchU32(index, 8, 0xFFFFFFF0u), "negative"},
        {"point count overflows", "mesh", patchU32(mesh, 8, 0xFFFFFFFFu), "more data"},
        {"face count too large", "mesh", patchU32(mesh, 24, 0x10000000u), "more data"},
        {"index count too large", "mesh", patchU32(mesh, faceRecord + 16, 0x40000000u), "indices"},
        {"not whole triangles", "mesh", patchU32(mesh, faceRecord + 16, 2), "triangles"},
        {"index out of range", "mesh", patchU32(mesh, firstIndex + 4, 4), "point 4 of 4"},
        {"edge counts disagree", "mesh", patchU32(mesh, 20, 7), "edges"},
        {"mesh cut short", "mesh", mesh.substr(0, mesh.size() - 9), "outside"},
        {"material not JSON", "material", "{\"material\": [", "not valid JSON"},
        {"material wrongly typed", "material", R"({"material":[{"id":"1","diffuse":"red"}]})", "colour"},
        {"properties not a list", "property", R"({"properties":7})", "list"},
        {"property id a number", "property", R"({"properties":[{"id":5}]})", "id"},
        {"geometry not an object", "geometry", R"({"geometries":[]})", "geometries"},
        {"annotations wrongly typed", "pmi", R"({"PMIDocs":[{"instanceId":1}]})", "instance"},
        {"document not an object", "pmi", "[1,2]", "object"},
        {"deeply nested JSON", "material", std::string(100000, '[') + std::string(100000, ']'), "object"},
        {"mesh missing", nullptr, "mesh", "no member"},
    };
    for (const Case& c : cases) {
        std::map<std::string, std::string> content = original;
        if (c.key)
            content[c.key] = c.value;
        else
            content.erase(c.value);
        if (std::string(c.what) == "parent after child") {
            // The first child names the second child, whose record follows it.
            std::uint64_t laterId;
            std::memcpy(&laterId, inst.data() + 2 * 104, 8);
            content["instance"] = patchU64(inst, 104 + 8, laterId);
        }
        const std::string file = dir.file("damaged.dazo");
        pack(file, content);
        std::string error;
        osg::ref_ptr<osg::Node> node = read(file, options(true, true, false), &error);
        EXPECT_FALSE(node.valid()) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    }

    // Damage below the members: not an archive, a cut archive, a flipped byte in deflated data.
    const std::string bytes = dazo_test::readFile(good);
    std::string flipped = bytes;
    const std::size_t meshAt = bytes.find("model.mesh");
    ASSERT_NE(meshAt, std::string::npos);
    flipped[meshAt + 20] = char(flipped[meshAt + 20] ^ 0x55);
    // The directory's entry for the mesh (its name lies 46 bytes into it) claiming 2 GB of data.
    std::string claim = bytes;
    const std::size_t directoryName = bytes.rfind("model.mesh");
    ASSERT_NE(directoryName, meshAt);
    const std::uint32_t huge = 0x7FFFFFF0u;
    std::memcpy(&claim[directoryName - 46 + 24], &huge, 4);
    const std::pair<const char*, std::string> files[] = {
        {"garbage", dazo_test::patternBytes(5000)},
        {"empty", ""},
        {"cut in half", bytes.substr(0, bytes.size() / 2)},
        {"flipped byte", flipped},
        {"size claim", claim},
    };
    for (const auto& f : files) {
        const std::string file = dir.file("broken.dazo");
        dazo_test::writeFile(file, f.second);
        std::string error;
        EXPECT_FALSE(read(file, nullptr, &error).valid()) << f.first;
        EXPECT_FALSE(error.empty()) << f.first;
    }
    std::string error;
    EXPECT_FALSE(read(dir.file("nothing-here.dazo"), nullptr, &error).valid());
    EXPECT_NE(error.find("cannot open"), std::string::npos);
}

TEST(DazoReader, SubAssembliesComeFromTheirOwnArchives)
{
    dazo_test::ScratchDir dir;
    ASSERT_EQ(std::system(("mkdir '" + dir.file("sub") + "'").c_str()), 0);
    ASSERT_TRUE(writeSmallAssembly(dir.file("sub/part.dazo")));

    auto writeWithLink = [&](const std::string& path, const std::string& link) {
        auto top = place("Outer", nullptr, 0, 0, 0);
        auto linked = place("Linked", nullptr, 0, 0, 7);
        linked->Disperse(true);
        linked->Path(link);
        top->AddSubInstance(linked);
        top->AddSubInstance(place("Own", triangle(), 0, 0, 0));
        Vantor_Document doc;
        doc.AddTopInstances(top);
        return Vantor::DazoLayout::WriteArchive(doc, {}, path);
    };
    ASSERT_TRUE(writeWithLink(dir.file("outer.dazo"), "sub/part"));
    std::string error;
    osg::ref_ptr<osg::Node> root = read(dir.file("outer.dazo"), nullptr, &error);
    ASSERT_TRUE(root.valid()) << error;
    Vantor::Model* linked = child(root.get(), "Linked");
    ASSERT_NE(linked, nullptr);
    EXPECT_EQ(translation(linked), osg::Vec3d(0, 0, 7));
    EXPECT_NE(child(linked, "Right"), nullptr);
    SceneCount count;
    root->accept(count);
    EXPECT_EQ(count.triangles, 1u + 9u);

    // An archive that names itself, directly or through another, is refused.
    ASSERT_TRUE(writeWithLink(dir.file("loop.dazo"), "loop"));
    EXPECT_FALSE(read(dir.file("loop.dazo"), nullptr, &error).valid());
    EXPECT_NE(error.find("itself"), std::string::npos) << error;
    ASSERT_TRUE(writeWithLink(dir.file("a.dazo"), "b"));
    ASSERT_TRUE(writeWithLink(dir.file("b.dazo"), "a"));
    EXPECT_FALSE(read(dir.file("a.dazo"), nullptr, &error).valid());
    // A missing one fails the whole read rather than showing a model with a hole.
    ASSERT_TRUE(writeWithLink(dir.file("dangling.dazo"), "nowhere"));
    EXPECT_FALSE(read(dir.file("dangling.dazo"), nullptr, &error).valid());
    EXPECT_NE(error.find("nowhere.dazo"), std::string::npos) << error;
}

TEST(DazoReader, CancelledReadStops)
{
    dazo_test::ScratchDir dir;
    ASSERT_TRUE(writeSmallAssembly(dir.file("small.dazo")));
    DazoReaderWriter reader;
    Recorder listener;
    reader.setListener(&listener);
    reader.cancel();
    EXPECT_FALSE(reader.readNode(dir.file("small.dazo")).valid());
    EXPECT_EQ(listener.cancelled, 1);
    EXPECT_NE(reader.lastError().find("cancelled"), std::string::npos);
}

TEST(DazoBom, BillOfMaterialsReadsBackTheAssembly)
{
    dazo_test::ScratchDir dir;
    ASSERT_EQ(std::system(("mkdir '" + dir.file("parts") + "'").c_str()), 0);
    const std::string part = dir.file("parts/small.dazo");
    ASSERT_TRUE(writeSmallAssembly(part));
    osg::ref_ptr<osg::Node> scene = read(part);
    ASSERT_TRUE(scene.valid());
    static_cast<Vantor::Model*>(scene.get())->setMatrix(osg::Matrixd::translate(0.5, 0, -2));

    // The scene as text, then that text read back: the part file is loaded again and placed as before.
    DazoJsonWriter writer;
    std::string text;
    ASSERT_TRUE(writer.saveJson(scene, text));
    rapidjson::Document doc;
    doc.Parse(text.c_str());
    ASSERT_TRUE(doc.IsObject());
    EXPECT_TRUE(doc["bom"]["id"].IsString());
    EXPECT_EQ(doc["bom"]["children"].Size(), 3u);

    DazoReaderWriter reader;
    osg::ref_ptr<osg::Node> back = reader.readBomValue(text);
    ASSERT_TRUE(back.valid()) << reader.lastError();
    EXPECT_EQ(describe(back.get(), false), describe(scene.get(), false));

    // An assembly of two uses of one part, in a file with a relative part path.
    const std::string bom = R"({"version":"1.0.0","bom":{"id":"77","name":"Pair","children":[
        {"id":"78","name":"A","path":"parts/small.dazo"},
        {"id":"79","name":"B","path":"parts/small.dazo","matrix":[1,0,0,0, 0,1,0,0, 0,0,1,0, 50,0,0,1],"visible":false}]}})";
    dazo_test::writeFile(dir.file("pair.json"), bom);
    osg::ref_ptr<osg::Node> pair = reader.readBom(dir.file("pair.json"));
    ASSERT_TRUE(pair.valid()) << reader.lastError();
    auto* top = static_cast<Vantor::Model*>(pair.get());
    EXPECT_EQ(top->getName(), "Pair");
    EXPECT_EQ(top->getModelID(), 77u);
    Vantor::Model* b = child(top, "B");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->getModelID(), 79u);
    EXPECT_EQ(translation(b), osg::Vec3d(50, 0, 0));
    EXPECT_EQ(b->getNodeMask(), 0u);
    SceneCount count;
    pair->accept(count);
    EXPECT_EQ(count.triangles, 2u * 9u);
    EXPECT_NE(child(child(top, "A"), "Left")->getModelID(), child(b, "Left")->getModelID());
}

TEST(DazoBom, DamagedBillsOfMaterialsGiveNullAndAReason)
{
    dazo_test::ScratchDir dir;
    ASSERT_TRUE(writeSmallAssembly(dir.file("small.dazo")));
    std::string deep = R"({"bom":)";
    for (int i = 0; i < 200; ++i)
        deep += R"({"children":[)";
    deep += "{}";
    for (int i = 0; i < 200; ++i)
        deep += "]}";
    deep += "}";
    const std::pair<const char*, std::string> cases[] = {
        {"garbage", "not json"},
        {"a list", "[]"},
        {"no bom", R"({"version":"1.0.0"})"},
        {"children not a list", R"({"bom":{"children":{}}})"},
        {"child not an object", R"({"bom":{"children":[3]}})"},
        {"short matrix", R"({"bom":{"matrix":[1,2,3]}})"},
        {"matrix of texts", R"({"bom":{"matrix":["1","0","0","0","0","1","0","0","0","0","1","0","0","0","0","1"]}})"},
        {"id a negative number", R"({"bom":{"id":-4}})"},
        {"visible a text", R"({"bom":{"visible":"yes"}})"},
        {"part not a model file", R"({"bom":{"path":"notes.txt"}})"},
        {"part missing", R"({"bom":{"children":[{"path":"/no/such/part.dazo"}]}})"},
        {"nested too deeply", deep},
        {"very deep JSON", std::string(200000, '[')},
    };
    for (const auto& c : cases) {
        DazoReaderWriter reader;
        EXPECT_FALSE(reader.readBomValue(c.second).valid()) << c.first;
        EXPECT_FALSE(reader.lastError().empty()) << c.first;
    }
    DazoReaderWriter reader;
    EXPECT_FALSE(reader.readBom(dir.file("missing.json")).valid());
    EXPECT_FALSE(reader.lastError().empty());

    // Readable archives under names that are not model files, by the one rule the program uses for
    // opening and saving: a backup copy, and a hidden file that has no extension.
    for (const char* name : {"part.dazo.bak", ".dazo"}) {
        ASSERT_TRUE(writeSmallAssembly(dir.file(name)));
        const std::string bom = std::string(R"({"bom":{"path":")") + dir.file(name) + "\"}}";
        EXPECT_FALSE(reader.readBomValue(bom).valid()) << name;
        EXPECT_NE(reader.lastError().find("is not a model file"), std::string::npos) << name << ": " << reader.lastError();
    }
}
