// Archives that are sound zip files but whose members lie about what they hold, made here byte by
// byte: the reader must spend memory and time in proportion to what is really there.

#include "ReaderFixtures.h"

#include "vantor/dazoreader/DazoArchiveReader.h"
#include "vantor/dazoreader/DazoReaderWriter.h"
#include "vantor/dazoreader/DazoSceneData.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osgUtil/CullVisitor>
#include <osgUtil/IntersectionVisitor>
#include <osgUtil/LineSegmentIntersector>
#include <osgUtil/RenderStage>

#include <osg/Drawable>
#include <osg/Transform>

#include <cstring>
#include <fstream>
#include <set>
#include <functional>
#include <pthread.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace reader_test;

namespace {

void put(std::string& out, const void* p, std::size_t n)
{
    out.append(static_cast<const char*>(p), n);
}
void u32(std::string& out, std::uint32_t v) { put(out, &v, 4); }
void u64(std::string& out, std::uint64_t v) { put(out, &v, 8); }

std::string instanceRecord(std::uint64_t id, std::uint64_t parent, std::uint64_t prototype, std::uint64_t material = 0)
{
    std::string r;
    u64(r, id);
    u64(r, parent);
    u64(r, prototype);
    u32(r, 0);
    u32(r, 1);
    u64(r, material);
    for (int i = 0; i < 16; ++i) {
        const float v = i % 5 == 0 ? 1.0f : 0.0f;
        put(r, &v, 4);
    }
    return r;
}

std::string indexRecord(std::uint64_t prototype, std::int32_t offset, std::int32_t length)
{
    std::string r;
    u64(r, prototype);
    put(r, &offset, 4);
    put(r, &length, 4);
    return r;
}

// A body of one triangle per face (faces may also be empty) over three points.
std::string bodyBlock(std::uint64_t id, std::uint32_t faces, std::uint32_t indicesPerFace, std::uint64_t firstFaceId = 1000)
{
    std::string b;
    u64(b, id);
    u32(b, 3);
    u32(b, 0);
    u32(b, 0);
    u32(b, 0);
    u32(b, faces);
    u32(b, 0);
    const float points[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    put(b, points, sizeof(points));
    for (std::uint32_t f = 0; f < faces; ++f) {
        u64(b, firstFaceId + f);
        u64(b, 0);
        u32(b, indicesPerFace);
        u32(b, 0);
        for (std::uint32_t i = 0; i < indicesPerFace; ++i)
            u32(b, i % 3);
    }
    return b;
}

// The members of an archive with one part placed by the given instance records.
std::map<std::string, std::string> archiveOf(const std::string& instances, const std::string& mesh,
                                             const std::string& materials = "{}")
{
    return {{"instance", instances},
            {"protoindex", indexRecord(7, 0, static_cast<std::int32_t>(mesh.size()))},
            {"mesh", mesh},
            {"material", materials},
            {"geometry", "{}"},
            {"property", "{}"},
            {"pmi", "{}"},
            {"info", "{}"}};
}

// Runs the work in a child process and gives the peak memory it added in MB, or -1 when the child
// died or (a guard against hangs, not a speed figure) ran for more than five minutes.
struct ChildResult {
    bool ok = false;
    long peakMb = -1;
};
ChildResult inChild(const std::function<bool()>& work)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        alarm(300);
        std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from here
        const long before = statusKb("VmRSS:");
        const bool ok = work();
        const long peak = (statusKb("VmHWM:") - before) / 1024;
        const long message[2] = {ok ? 1 : 0, peak};
        if (write(pipeFds[1], message, sizeof(message)) != sizeof(message))
            _exit(2);
        _exit(0);
    }
    close(pipeFds[1]);
    long message[2] = {0, -1};
    const bool got = read(pipeFds[0], message, sizeof(message)) == sizeof(message);
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return {message[0] == 1, message[1]};
}

bool readsWith(const std::string& path, bool merge, const char* reason)
{
    auto config = std::make_shared<ReaderConfig>();
    config->readEdge = true;
    config->mergeFace = merge;
    DazoReaderWriter reader;
    reader.setConfig(config);
    osg::ref_ptr<osg::Node> root = reader.readNode(path);
    if (reason)
        return !root && reader.lastError().find(reason) != std::string::npos;
    return root.valid();
}

// Runs the work on a thread with a small stack, as deep traversals of the scene graph would.
bool onSmallStack(std::size_t bytes, std::function<void()> work)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, bytes);
    pthread_t thread;
    auto entry = [](void* p) -> void* {
        (*static_cast<std::function<void()>*>(p))();
        return nullptr;
    };
    const bool started = pthread_create(&thread, &attributes, entry, &work) == 0;
    pthread_attr_destroy(&attributes);
    return started && pthread_join(thread, nullptr) == 0;
}

} // namespace

// A member whose zip entry claims gigabytes: refused before anything is reserved for it. Within
// what the entry could hold, a body claiming more points than arrive fails once the data ends,
// having used memory only for the data that came.
TEST(DazoReaderLimits, SizeClaimsAreBoundByTheBytesPresent)
{
    dazo_test::ScratchDir dir;
    const std::string instances = instanceRecord(1, 0, 7);
    std::string mesh = bodyBlock(9, 1, 3);
    const std::uint32_t manyPoints = 0x0AAAAAAA; // 2 GB of points
    std::memcpy(&mesh[8], &manyPoints, 4);
    auto content = archiveOf(instances, mesh);
    content["protoindex"] = indexRecord(7, 0, 0x7FFFFFFF);

    // Both the local header and the directory say the mesh holds 4 GB, packed into 4 MB.
    const std::string claimed = dir.file("claim.dazo");
    pack(claimed, content);
    std::string bytes = dazo_test::readFile(claimed);
    const std::uint32_t packed = 4u << 20, inflated = 0xFFFFFFF0u;
    const std::size_t local = bytes.find("model.mesh"), central = bytes.rfind("model.mesh");
    ASSERT_NE(local, central);
    std::memcpy(&bytes[local - 30 + 18], &packed, 4);
    std::memcpy(&bytes[local - 30 + 22], &inflated, 4);
    std::memcpy(&bytes[central - 46 + 20], &packed, 4);
    std::memcpy(&bytes[central - 46 + 24], &inflated, 4);
    dazo_test::writeFile(claimed, bytes);

    // The same lie kept within what deflate could unpack from the file's size.
    const std::string plausible = dir.file("plausible.dazo");
    const std::uint32_t small = static_cast<std::uint32_t>(bytes.size()), most = small * 1000;
    std::memcpy(&bytes[local - 30 + 18], &small, 4);
    std::memcpy(&bytes[local - 30 + 22], &most, 4);
    std::memcpy(&bytes[central - 46 + 20], &small, 4);
    std::memcpy(&bytes[central - 46 + 24], &most, 4);
    dazo_test::writeFile(plausible, bytes);

    const ChildResult refused = inChild([&] { return readsWith(claimed, false, "impossible size"); });
    EXPECT_TRUE(refused.ok);
    EXPECT_LT(refused.peakMb, 64);
    const ChildResult cut = inChild([&] { return readsWith(plausible, false, "damaged"); });
    EXPECT_TRUE(cut.ok);
    EXPECT_LT(cut.peakMb, 64);
}

// Instance trees deeper than the limit are refused with a clear reason; one at the limit is read,
// and the scene graph's own recursive traversals run over it on a quarter of a default stack.
TEST(DazoReaderLimits, InstanceTreesDeeperThanTheLimitAreRefused)
{
    dazo_test::ScratchDir dir;
    const int limit = Vantor::DazoRead::MaxModelDepth;
    auto chain = [](int depth) {
        std::string records;
        for (int i = 1; i <= depth; ++i)
            records += instanceRecord(i, i - 1, i == depth ? 7 : 0);
        return records;
    };
    const std::string deep = dir.file("deep.dazo");
    pack(deep, archiveOf(chain(25000), bodyBlock(9, 1, 3)));
    std::string error;
    {
        DazoReaderWriter reader;
        EXPECT_FALSE(reader.readNode(deep).valid());
        error = reader.lastError();
    }
    EXPECT_NE(error.find("nested more than " + std::to_string(limit) + " levels"), std::string::npos) << error;

    const std::string atLimit = dir.file("at-limit.dazo");
    pack(atLimit, archiveOf(chain(limit), bodyBlock(9, 1, 3)));
    DazoReaderWriter reader;
    osg::ref_ptr<osg::Node> root = reader.readNode(atLimit);
    ASSERT_TRUE(root.valid()) << reader.lastError();
    bool hit = false;
    SceneCount count;
    EXPECT_TRUE(onSmallStack(2u << 20, [&] {
        root->getBound();
        osg::ref_ptr<osgUtil::LineSegmentIntersector> picker =
            new osgUtil::LineSegmentIntersector(osg::Vec3(0.2f, 0.2f, -1), osg::Vec3(0.2f, 0.2f, 1));
        osgUtil::IntersectionVisitor picking(picker.get());
        root->accept(picking);
        hit = picker->containsIntersections();
        osg::ref_ptr<osgUtil::CullVisitor> cull = new osgUtil::CullVisitor;
        osg::ref_ptr<osgUtil::RenderStage> stage = new osgUtil::RenderStage;
        osg::ref_ptr<osgUtil::StateGraph> graph = new osgUtil::StateGraph;
        osg::ref_ptr<osg::Viewport> viewport = new osg::Viewport(0, 0, 100, 100);
        cull->setRenderStage(stage.get());
        cull->setStateGraph(graph.get());
        cull->pushViewport(viewport.get());
        cull->pushProjectionMatrix(new osg::RefMatrix(osg::Matrix::perspective(30, 1, 0.1, 100)));
        cull->pushModelViewMatrix(new osg::RefMatrix(osg::Matrix::lookAt(osg::Vec3(0, 0, 10), osg::Vec3(), osg::Vec3(0, 1, 0))),
                                  osg::Transform::ABSOLUTE_RF);
        root->accept(*cull);
        root->accept(count);
        root = nullptr;
    }));
    EXPECT_TRUE(hit);
    EXPECT_EQ(count.models, limit);
    EXPECT_EQ(count.triangles, 1u);
}

// A body of a million faces without a triangle, and one of many small faces with face merging:
// a few drawables whatever the face count, memory in proportion to the records.
TEST(DazoReaderLimits, ManyFacesMakeFewDrawables)
{
    dazo_test::ScratchDir dir;
    const std::string empty = dir.file("empty-faces.dazo");
    pack(empty, archiveOf(instanceRecord(1, 0, 7), bodyBlock(9, 1000000, 0)));
    const std::string small = dir.file("small-faces.dazo");
    pack(small, archiveOf(instanceRecord(1, 0, 7), bodyBlock(9, 200000, 3)));

    // Once one drawable per face, and quadratic time with face merging.
    const ChildResult many = inChild([&] { return readsWith(empty, false, nullptr); });
    EXPECT_TRUE(many.ok);
    EXPECT_LT(many.peakMb, 250); // 24 MB of face records
    const ChildResult merged = inChild([&] { return readsWith(small, true, nullptr); });
    EXPECT_TRUE(merged.ok);
    EXPECT_LT(merged.peakMb, 150);

    DazoReaderWriter reader;
    osg::ref_ptr<osg::Node> root = reader.readNode(small);
    ASSERT_TRUE(root.valid());
    Vantor::Body* body = firstBody(root.get());
    ASSERT_NE(body, nullptr);
    ASSERT_EQ(body->getNumDrawables(), 1u);
    const auto* faces = Vantor::DazoData::find<Vantor::DazoData::FaceData>(body->getDrawable(0));
    ASSERT_NE(faces, nullptr);
    EXPECT_EQ(faces->faces.size(), 200000u);
    EXPECT_EQ(faces->faces.back().id, 1000u + 199999u);
    EXPECT_EQ(faces->faces.back().first, 3u * 199999u);
}

// Two thousand instances of a two-thousand-face part, each in a colour of its own: every instance
// gets a body node and one drawable over the shared face list, not a copy of the faces.
TEST(DazoReaderLimits, InstanceColoursDoNotCopyTheFaces)
{
    dazo_test::ScratchDir dir;
    const int count = 2000;
    std::string instances = instanceRecord(1, 0, 0);
    std::string materials = R"({"material":[)";
    for (int i = 0; i < count; ++i) {
        instances += instanceRecord(100 + i, 1, 7, 5000 + i);
        materials += std::string(i ? "," : "") + R"({"id":")" + std::to_string(5000 + i) + R"(","diffuse":[)" +
                     std::to_string(i % 256) + "," + std::to_string(i / 256) + ",7,255]}";
    }
    materials += "]}";
    const std::string file = dir.file("colours.dazo");
    pack(file, archiveOf(instances, bodyBlock(9, count, 3), materials));

    const ChildResult coloured = inChild([&] { return readsWith(file, false, nullptr); });
    EXPECT_TRUE(coloured.ok);
    EXPECT_LT(coloured.peakMb, 100);

    DazoReaderWriter reader;
    osg::ref_ptr<osg::Node> root = reader.readNode(file);
    ASSERT_TRUE(root.valid());
    auto* top = static_cast<Vantor::Model*>(root.get());
    ASSERT_EQ(top->getModelChildrenNum(), static_cast<unsigned>(count));
    Vantor::Body* first = firstBody(top->getModelChild(0));
    Vantor::Body* last = firstBody(top->getModelChild(count - 1));
    ASSERT_TRUE(first && last);
    EXPECT_NE(first, last);
    EXPECT_NE(faceColour(top->getModelChild(0)), faceColour(top->getModelChild(count - 1)));
    EXPECT_EQ(first->getDrawable(0)->asGeometry()->getPrimitiveSet(0), last->getDrawable(0)->asGeometry()->getPrimitiveSet(0));
}

namespace {

// An archive whose top "Level" places the named sub-assembly archive `width` times, `step` apart on x.
bool writeReferences(const std::string& path, const std::string& link, int width, float step = 1)
{
    auto top = place("Level", nullptr, 0, 0, 0);
    for (int i = 0; i < width; ++i) {
        auto linked = place("Use " + std::to_string(i), nullptr, step * float(i), 0, 0);
        linked->Disperse(true);
        linked->Path(link);
        top->AddSubInstance(linked);
    }
    Vantor_Document doc;
    doc.AddTopInstances(top);
    return Vantor::DazoLayout::WriteArchive(doc, {}, path);
}

bool writeLeaf(const std::string& path)
{
    Vantor_Document doc;
    auto leaf = place("Leaf", triangle(), 0, 0, 0);
    doc.AddTopInstances(leaf);
    return Vantor::DazoLayout::WriteArchive(doc, {}, path);
}

// Each placement of the leaf part below the node: its model and the body it draws.
void leafUses(osg::Node* node, std::vector<std::pair<Vantor::Model*, Vantor::Body*>>& out)
{
    auto* model = dynamic_cast<Vantor::Model*>(node);
    if (!model)
        return;
    if (Vantor::Body* body = firstBody(model))
        out.emplace_back(model, body);
    for (unsigned int i = 0; i < model->getModelChildrenNum(); ++i)
        leafUses(model->getModelChild(i), out);
}

} // namespace

// A sub-assembly named by several references, directly and through other sub-assemblies, is read
// once: every placement has a model of its own (id, placement, visibility) over the same body.
TEST(DazoReaderLimits, SubAssembliesAreReadOncePerRead)
{
    dazo_test::ScratchDir dir;
    ASSERT_TRUE(writeLeaf(dir.file("leaf.dazo")));
    ASSERT_TRUE(writeReferences(dir.file("mid.dazo"), "leaf", 3));
    ASSERT_TRUE(writeReferences(dir.file("top.dazo"), "mid", 2, 10));
    DazoReaderWriter reader;
    osg::ref_ptr<osg::Node> root = reader.readNode(dir.file("top.dazo"));
    ASSERT_TRUE(root.valid()) << reader.lastError();

    std::vector<std::pair<Vantor::Model*, Vantor::Body*>> uses;
    leafUses(root.get(), uses);
    ASSERT_EQ(uses.size(), 6u);
    std::set<Vantor::Model*> models;
    std::set<Vantor::Body*> bodies;
    std::set<osg::OSG_ID> ids;
    std::set<double> places;
    for (const auto& use : uses) {
        models.insert(use.first);
        bodies.insert(use.second);
        ids.insert(use.first->getModelID());
        const osg::Matrixd world = osg::computeLocalToWorld(use.first->getParentalNodePaths().front());
        places.insert(world.getTrans().x());
    }
    EXPECT_EQ(models.size(), 6u);
    EXPECT_EQ(ids.size(), 6u);
    EXPECT_EQ(bodies.size(), 1u) << "each reference read its archive again";
    EXPECT_EQ(places, (std::set<double>{0, 1, 2, 10, 11, 12}));
    // Hiding one placement leaves the others shown.
    uses.front().first->setVisible(false, true);
    EXPECT_TRUE(uses.back().first->isVisible());
}

// Thirty references to an archive of thirty references, four levels down: 810,000 placements of
// one part from a few kilobytes. The read stops at the bound with a reason, having made no more
// models than the bound allows.
TEST(DazoReaderLimits, FanOutOfSubAssembliesIsBounded)
{
    dazo_test::ScratchDir dir;
    ASSERT_TRUE(writeLeaf(dir.file("l4.dazo")));
    for (int level = 3; level >= 0; --level)
        ASSERT_TRUE(writeReferences(dir.file("l" + std::to_string(level) + ".dazo"), "l" + std::to_string(level + 1), 30));
    std::ifstream in(dir.file("l0.dazo"), std::ios::binary | std::ios::ate);
    EXPECT_LT(static_cast<long>(in.tellg()), 20000L);

    const ChildResult fanOut = inChild([&] {
        DazoReaderWriter reader;
        const bool read = reader.readNode(dir.file("l0.dazo")).valid();
        return !read && reader.lastError().find("more than " + std::to_string(Vantor::DazoRead::MaxInstances) + " models") !=
                            std::string::npos;
    });
    EXPECT_TRUE(fanOut.ok);
    EXPECT_GE(fanOut.peakMb, 0) << "the read did not end";
    EXPECT_LT(fanOut.peakMb, 600);

    // Below the bound the same archives read whole.
    DazoReaderWriter reader;
    osg::ref_ptr<osg::Node> root = reader.readNode(dir.file("l2.dazo"));
    ASSERT_TRUE(root.valid()) << reader.lastError();
    SceneCount count;
    root->accept(count);
    EXPECT_EQ(count.triangles, 900u);
}

// A bill of materials that uses one part many times shares the part's bodies between the uses;
// each use is a model of its own.
TEST(DazoReaderLimits, BillOfMaterialsSharesAPartBetweenItsUses)
{
    dazo_test::ScratchDir dir;
    const std::string part = dir.file("part.dazo");
    ASSERT_TRUE(writeLeaf(part));
    const int uses = 2000;
    std::string bom = R"({"version":"1.0.0","bom":{"name":"Many","children":[)";
    for (int i = 0; i < uses; ++i)
        bom += std::string(i ? "," : "") + R"({"name":"Use","path":")" + part +
               R"(","matrix":[1,0,0,0,0,1,0,0,0,0,1,0,)" + std::to_string(i) + ",0,0,1]}";
    bom += "]}}";
    DazoReaderWriter reader;
    osg::ref_ptr<osg::Node> root = reader.readBomValue(bom);
    ASSERT_TRUE(root.valid()) << reader.lastError();
    std::vector<std::pair<Vantor::Model*, Vantor::Body*>> found;
    leafUses(root.get(), found);
    ASSERT_EQ(found.size(), static_cast<std::size_t>(uses));
    std::set<Vantor::Body*> bodies;
    std::set<const osg::Drawable*> drawables;
    std::set<osg::OSG_ID> ids;
    for (const auto& use : found) {
        bodies.insert(use.second);
        drawables.insert(use.second->getDrawable(0));
        ids.insert(use.first->getModelID());
    }
    // A body takes a few hundred placements before a stand-in over the same drawables takes over.
    EXPECT_EQ(drawables.size(), 1u) << "each use copied the part's drawables";
    EXPECT_LE(bodies.size(), 10u) << "each use copied the part's nodes";
    for (Vantor::Body* body : bodies)
        EXPECT_LE(body->getNumParents(), 256u);
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(uses));
    EXPECT_EQ(found.back().first->getMatrix().getTrans().x(), double(uses - 1));
}
