#include "DazoTestUtil.h"

#include "dazo/Vantor_Body.h"
#include "dazo/Vantor_Document.h"
#include "dazo/Vantor_Edge.h"
#include "dazo/Vantor_Face.h"
#include "dazo/Vantor_File.h"
#include "dazo/Vantor_Geometry.h"
#include "dazo/Vantor_Instance.h"
#include "dazo/Vantor_Material.h"
#include "dazo/Vantor_Prototype.h"
#include "dazo/Vantor_Text.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <rapidjson/writer.h>

#include <cstring>
#include <map>

#include "dazo/Vantor_PMI.h"
#include "dazo/Vantor_PMIDocument.h"

using namespace VantorSoft;
using dazo_test::ScratchDir;

namespace {

std::string str(const rapidjson::Value& v)
{
    rapidjson::StringBuffer sb;
    rapidjson::Writer<rapidjson::StringBuffer> w(sb);
    v.Accept(w);
    return sb.GetString();
}

std::string hex(const std::string& bytes)
{
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string unhex(const std::string& text)
{
    std::string out;
    std::string clean;
    for (char c : text) {
        if (c != ' ' && c != '\n')
            clean += c;
    }
    for (std::size_t i = 0; i + 1 < clean.size(); i += 2)
        out += static_cast<char>(std::stoi(clean.substr(i, 2), nullptr, 16));
    return out;
}

// A stream file in a scratch folder; bytes() closes it and returns what it holds.
struct Stream {
    Stream(const ScratchDir& dir, const std::string& name)
        : file(std::make_shared<Vantor_File>())
    {
        file->SetName(dir.file(name));
        EXPECT_TRUE(file->OpenAsBin("wb"));
    }
    std::string bytes()
    {
        EXPECT_TRUE(file->Close());
        return dazo_test::readFile(file->GetName());
    }
    std::shared_ptr<Vantor_File> file;
};

// ---- a small reader of the record streams, independent of the writers ----

struct Reader {
    const std::string& b;
    std::size_t at = 0;
    bool ok = true;

    explicit Reader(const std::string& bytes, std::size_t start = 0) : b(bytes), at(start) {}
    template <class T>
    T get()
    {
        T v{};
        if (at + sizeof(T) > b.size()) {
            ok = false;
            return v;
        }
        std::memcpy(&v, b.data() + at, sizeof(T));
        at += sizeof(T);
        return v;
    }
    void skip(std::size_t n) { at += n; ok = ok && at <= b.size(); }
};

struct InstanceRecord {
    u64 id, parent, prototype;
    int plcId;
    unsigned visible;
    u64 material;
    float m[16];
};

std::vector<InstanceRecord> readInstances(const std::string& bytes)
{
    std::vector<InstanceRecord> out;
    EXPECT_EQ(bytes.size() % 104, 0u);
    Reader r(bytes);
    while (r.at + 104 <= bytes.size()) {
        InstanceRecord rec;
        rec.id = r.get<u64>();
        rec.parent = r.get<u64>();
        rec.prototype = r.get<u64>();
        rec.plcId = r.get<int>();
        rec.visible = r.get<unsigned>();
        rec.material = r.get<u64>();
        for (float& f : rec.m)
            f = r.get<float>();
        out.push_back(rec);
    }
    return out;
}

struct IndexRecord {
    u64 id;
    int offset, length;
};

std::vector<IndexRecord> readIndex(const std::string& bytes)
{
    std::vector<IndexRecord> out;
    EXPECT_EQ(bytes.size() % 16, 0u);
    Reader r(bytes);
    while (r.at + 16 <= bytes.size()) {
        IndexRecord rec;
        rec.id = r.get<u64>();
        rec.offset = r.get<int>();
        rec.length = r.get<int>();
        out.push_back(rec);
    }
    return out;
}

struct BodyBlock {
    u64 id = 0;
    unsigned points = 0, normals = 0, uvs = 0, edges = 0, faces = 0;
    std::vector<u64> faceIds, faceMaterials, edgeIds;
    std::vector<std::vector<unsigned>> faceIndices, edgeIndices;
    std::vector<unsigned> faceEdgeCounts;
    std::size_t end = 0;
};

// Reads one body block starting at offset; the block's end tells its size.
BodyBlock readBody(const std::string& bytes, std::size_t offset)
{
    BodyBlock b;
    Reader r(bytes, offset);
    b.id = r.get<u64>();
    b.points = r.get<unsigned>();
    b.normals = r.get<unsigned>();
    b.uvs = r.get<unsigned>();
    b.edges = r.get<unsigned>();
    b.faces = r.get<unsigned>();
    EXPECT_EQ(r.get<unsigned>(), 0u) << "reserved";
    r.skip(12ULL * (b.points + b.normals + b.uvs));
    for (unsigned f = 0; f < b.faces && r.ok; ++f) {
        b.faceIds.push_back(r.get<u64>());
        b.faceMaterials.push_back(r.get<u64>());
        const unsigned n = r.get<unsigned>();
        b.faceEdgeCounts.push_back(r.get<unsigned>());
        std::vector<unsigned> idx;
        for (unsigned i = 0; i < n && r.ok; ++i)
            idx.push_back(r.get<unsigned>());
        b.faceIndices.push_back(idx);
    }
    for (unsigned e = 0; e < b.edges && r.ok; ++e) {
        b.edgeIds.push_back(r.get<u64>());
        const unsigned n = r.get<unsigned>();
        EXPECT_EQ(r.get<unsigned>(), 0u) << "reserved";
        std::vector<unsigned> idx;
        for (unsigned i = 0; i < n && r.ok; ++i)
            idx.push_back(r.get<unsigned>());
        b.edgeIndices.push_back(idx);
    }
    EXPECT_TRUE(r.ok) << "block runs past the stream";
    b.end = r.at;
    return b;
}

std::shared_ptr<Vantor_Material> material(u64 id, Vantor_RGBA diffuse)
{
    auto m = std::make_shared<Vantor_Material>();
    m->Id(id);
    m->DiffuseColor(diffuse);
    return m;
}

// A body of one triangle face per given material, each face with the given edges.
std::shared_ptr<Vantor_Body> triangleBody(u64 id, std::vector<std::shared_ptr<Vantor_Face>> faces)
{
    auto body = std::make_shared<Vantor_Body>();
    body->Id(id);
    body->PointsArray({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    body->FacesArray(faces);
    return body;
}

std::shared_ptr<Vantor_Face> face(u64 id, std::shared_ptr<Vantor_Material> m = nullptr,
                                  std::vector<std::shared_ptr<Vantor_Edge>> edges = {})
{
    auto f = std::make_shared<Vantor_Face>();
    f->Id(id);
    f->Material(m);
    f->PointsIndexArray({0, 1, 2});
    f->EdgesArray(edges);
    return f;
}

std::shared_ptr<Vantor_Edge> edge(u64 id, std::vector<unsigned> idx, std::shared_ptr<Vantor_Geometry> g = nullptr)
{
    auto e = std::make_shared<Vantor_Edge>();
    e->Id(id);
    e->PointsIndexArray(idx);
    e->Geometry(g);
    return e;
}

std::shared_ptr<Vantor_Instance> instance(u64 id, std::shared_ptr<Vantor_Prototype> proto = nullptr)
{
    auto i = std::make_shared<Vantor_Instance>();
    i->Id(id);
    i->Prototype(proto);
    i->Visible(true);
    return i;
}

} // namespace

TEST(DazoBody, BlockMatchesTheDocumentedLayoutByteForByte)
{
    ScratchDir dir;
    Stream s(dir, "mesh.bin");
    auto body = triangleBody(0x0102030405060708ULL, {face(0x1112131415161718ULL)});
    body->ToBuffer(s.file);
    EXPECT_EQ(s.file->GetByteLength(), 104u);
    const std::string expected = unhex(
        "0807060504030201 03000000 00000000 00000000 00000000 01000000 00000000" // header
        "00000000 00000000 00000000  0000803f 00000000 00000000  00000000 0000803f 00000000" // points
        "1817161514131211 0000000000000000 03000000 00000000" // face record, no material
        "00000000 01000000 02000000"); // its indices
    EXPECT_EQ(hex(s.bytes()), hex(expected));
}

TEST(DazoBody, FacesEdgesAndArraysInOrder)
{
    ScratchDir dir;
    Stream s(dir, "mesh.bin");
    auto red = material(77, {255, 0, 0, 255});
    auto shared = edge(500, {0, 1});
    auto body = std::make_shared<Vantor_Body>();
    body->Id(9);
    body->PointsArray({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}});
    body->NormalsArray({{0, 0, 1}, {0, 0, 1}});
    body->UVsArray({{0.5f, 0.5f, 0}});
    auto empty = std::make_shared<Vantor_Face>();
    empty->Id(3);
    body->FacesArray({face(1, red, {shared, edge(501, {1, 3, 2})}), nullptr, empty, face(2, nullptr, {shared})});
    body->ToBuffer(s.file);
    const std::string bytes = s.bytes();

    const BodyBlock b = readBody(bytes, 0);
    EXPECT_EQ(b.end, bytes.size());
    EXPECT_EQ(b.points, 4u);
    EXPECT_EQ(b.normals, 2u);
    EXPECT_EQ(b.uvs, 1u);
    EXPECT_EQ(b.faces, 3u) << "an empty face pointer is skipped";
    EXPECT_EQ(b.edges, 3u) << "the shared edge is written under each face";
    EXPECT_EQ(b.faceIds, (std::vector<u64>{1, 3, 2}));
    EXPECT_EQ(b.faceMaterials, (std::vector<u64>{77, 0, 0}));
    EXPECT_EQ(b.faceEdgeCounts, (std::vector<unsigned>{2, 0, 1}));
    EXPECT_TRUE(b.faceIndices[1].empty()) << "a face without indices is its record alone";
    EXPECT_EQ(b.edgeIds, (std::vector<u64>{500, 501, 500}));
    EXPECT_EQ(b.edgeIndices[1], (std::vector<unsigned>{1, 3, 2}));
    EXPECT_EQ(bytes.size(), 32u + 12 * 7 + (24 + 12) + 24 + (24 + 12) + (16 + 8) + (16 + 12) + (16 + 8));
}

TEST(DazoAssembly, TreeWithSharedPrototypeAndDispersedChild)
{
    // P places A and has Q (placing B, with child R placing A again) and S (dispersed, with T).
    auto bodyA = triangleBody(1001, {face(1101)});
    auto bodyB = triangleBody(1002, {face(1102), face(1103)});
    auto protoA = std::make_shared<Vantor_Prototype>();
    protoA->Id(0xA);
    protoA->SubBodies({bodyA});
    auto protoB = std::make_shared<Vantor_Prototype>();
    protoB->Id(0xB);
    protoB->SubBodies({bodyB});
    auto empty = std::make_shared<Vantor_Prototype>();
    empty->Id(0xE);

    auto P = instance(1, protoA);
    auto Q = instance(2, protoB);
    auto R = instance(3, protoA);
    auto S = instance(4, empty);
    auto T = instance(5, protoB);
    S->Disperse(true);
    S->Material(material(88, {1, 2, 3, 4}));
    Vantor_MTX32 m;
    m[12] = 10;
    m[13] = 20;
    m[14] = 30;
    R->PlcMatrix(m);
    Q->AddSubInstance(R);
    S->AddSubInstance(T);
    P->AddSubInstance(nullptr);
    P->AddSubInstance(Q);
    P->AddSubInstance(S);
    R->SubInstances().push_back(P); // a tree that contains itself must not recurse without end
    ASSERT_EQ(P->SubInstances().size(), 2u);
    EXPECT_EQ(S->PlcId(), 1);

    ScratchDir dir;
    Stream assembly(dir, "a.bin"), index(dir, "i.bin"), mesh(dir, "m.bin");
    P->ToBuffer(assembly.file);
    rapidjson::Document materials, geometries;
    P->ToProtoTypeBuffer(index.file, mesh.file, &materials, &geometries);
    EXPECT_FALSE(empty->GetWriteFile()) << "inside the dispersed child: not reached";

    const auto recs = readInstances(assembly.bytes());
    ASSERT_EQ(recs.size(), 4u);
    struct Expect {
        u64 id, parent, prototype;
        int plcId;
        u64 material;
    };
    const Expect expect[] = {{1, 0, 0xA, 0, 0}, {2, 1, 0xB, 0, 0}, {3, 2, 0xA, 0, 0}, {4, 1, 0, 1, 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(recs[i].id, expect[i].id) << i;
        EXPECT_EQ(recs[i].parent, expect[i].parent) << i;
        EXPECT_EQ(recs[i].prototype, expect[i].prototype) << i;
        EXPECT_EQ(recs[i].plcId, expect[i].plcId) << i;
        EXPECT_EQ(recs[i].material, expect[i].material) << i;
        EXPECT_EQ(recs[i].visible, 1u) << i;
    }
    EXPECT_EQ(recs[2].m[12], 10.0f);
    EXPECT_EQ(recs[2].m[14], 30.0f);
    EXPECT_EQ(recs[0].m[0], 1.0f);
    EXPECT_EQ(recs[0].m[5], 1.0f);

    // Each prototype once, in first-use order, pointing at its own body blocks.
    const std::string meshBytes = mesh.bytes();
    const auto idx = readIndex(index.bytes());
    ASSERT_EQ(idx.size(), 2u);
    EXPECT_EQ(idx[0].id, 0xAu);
    EXPECT_EQ(idx[1].id, 0xBu);
    EXPECT_EQ(idx[0].offset, 0);
    EXPECT_EQ(idx[1].offset, idx[0].length);
    EXPECT_EQ(static_cast<std::size_t>(idx[1].offset + idx[1].length), meshBytes.size());
    const BodyBlock a = readBody(meshBytes, static_cast<std::size_t>(idx[0].offset));
    EXPECT_EQ(a.id, 1001u);
    EXPECT_EQ(a.end, static_cast<std::size_t>(idx[0].length));
    const BodyBlock b = readBody(meshBytes, static_cast<std::size_t>(idx[1].offset));
    EXPECT_EQ(b.id, 1002u);
    EXPECT_EQ(b.faceIds, (std::vector<u64>{1102, 1103}));
    EXPECT_EQ(protoB->GetByteOffset(), idx[1].offset);
    EXPECT_EQ(protoB->GetByteLength(), idx[1].length);

    // The dispersed child's material belongs to its own archive.
    EXPECT_TRUE(materials.IsNull());

    R->SubInstances().clear(); // the test's own ownership cycle
}

TEST(DazoAssembly, SecondArchiveGetsEveryPrototypeAgain)
{
    auto proto = std::make_shared<Vantor_Prototype>();
    proto->SubBodies({triangleBody(7, {face(8)})});
    auto top = instance(1, proto);
    top->AddSubInstance(instance(2, proto));

    ScratchDir dir;
    std::vector<std::string> indexes, meshes;
    for (int round = 0; round < 2; ++round) {
        Stream index(dir, "i" + std::to_string(round)), mesh(dir, "m" + std::to_string(round));
        top->ToProtoTypeBuffer(index.file, mesh.file, nullptr, nullptr);
        indexes.push_back(index.bytes());
        meshes.push_back(mesh.bytes());
    }
    EXPECT_EQ(readIndex(indexes[0]).size(), 1u);
    EXPECT_EQ(indexes[1], indexes[0]);
    EXPECT_EQ(meshes[1], meshes[0]);

    // Marked written by the caller: kept out of any output.
    proto->SetWriteFile(true);
    Stream index(dir, "i2"), mesh(dir, "m2");
    top->ToProtoTypeBuffer(index.file, mesh.file, nullptr, nullptr);
    EXPECT_TRUE(index.bytes().empty());

    // No bodies: no index record, but written all the same.
    auto empty = std::make_shared<Vantor_Prototype>();
    Stream index3(dir, "i3"), mesh3(dir, "m3");
    instance(3, empty)->ToProtoTypeBuffer(index3.file, mesh3.file, nullptr, nullptr);
    EXPECT_TRUE(index3.bytes().empty());
    EXPECT_TRUE(empty->GetWriteFile());
}

TEST(DazoMaterials, DeduplicatedAndDefaulted)
{
    auto unset = material(1, {-1, -1, -1, -1});
    auto red = material(2, {255, 0, 0, 128});
    auto redAgain = material(3, {255, 0, 0, 128}); // equal colour, other id: listed too
    auto proto = std::make_shared<Vantor_Prototype>();
    proto->SubBodies({triangleBody(10, {face(11, red), face(12, unset), face(13, red), face(14)}),
                      triangleBody(20, {face(21, redAgain)})});
    auto top = instance(1, proto);
    top->Material(red);

    rapidjson::Document doc;
    doc.Parse(R"({"version":"0.1"})");
    ScratchDir dir;
    Stream index(dir, "i"), mesh(dir, "m");
    top->ToProtoTypeBuffer(index.file, mesh.file, &doc, nullptr);
    Vantor_Material::WriteMaterialJson(&doc, red);
    Vantor_Material::WriteMaterialJson(&doc, nullptr);
    Vantor_Material::WriteMaterialJson(nullptr, red);
    EXPECT_EQ(str(doc), R"({"version":"1.0.0","material":[{"id":"2","diffuse":[255,0,0,128]},)"
                        R"({"id":"1","diffuse":[153,153,153,255]},{"id":"3","diffuse":[255,0,0,128]}]})");
}

TEST(DazoGeometryDocument, FacesAndEdgesPerPrototype)
{
    auto plane = std::make_shared<Vantor_PlaneFace>();
    plane->SetNormal(Vantor_DIR32{0, 0, 1});
    auto cylinder = std::make_shared<Vantor_CylinderFace>();
    cylinder->SetRadius(2);
    auto line = std::make_shared<Vantor_GeoLine>();
    line->SetEndPoint(Vantor_PNT32{1, 0, 0});

    auto shared = edge(300, {0, 1}, line);
    auto f1 = face(101, nullptr, {shared});
    f1->Geometry(plane);
    auto f2 = face(102, nullptr, {shared, edge(301, {1, 2})}); // no face geometry; edges still visited
    auto f3 = face(103);
    f3->Geometry(cylinder);
    auto proto = std::make_shared<Vantor_Prototype>();
    proto->Id(55);
    proto->SubBodies({triangleBody(1, {f1, f2}), triangleBody(2, {f3})});
    auto bare = std::make_shared<Vantor_Prototype>();
    bare->Id(56);
    bare->SubBodies({triangleBody(3, {face(104)})});

    auto top = instance(1, proto);
    top->AddSubInstance(instance(2, bare));
    ScratchDir dir;
    Stream index(dir, "i"), mesh(dir, "m");
    rapidjson::Document doc;
    top->ToProtoTypeBuffer(index.file, mesh.file, nullptr, &doc);
    EXPECT_EQ(str(doc), R"({"version":"1.1.0","geometries":{"prototype":[{"id":"55","faces":{)"
                        R"("101":{"type":3,"normal":"0.000 0.000 1.000","origin":"0.000 0.000 0.000"},)"
                        R"("103":{"type":5,"AxisPosition":"0.000 0.000 0.000","RevolutionAxis":"0.000 0.000 0.000","Radius":2.0}},)"
                        R"("edges":{"300":{"type":1,"start":"0.000 0.000 0.000","end":"1.000 0.000 0.000"}}}]}})");

    // A "geometries" object without its list gets one instead of dropping the entry.
    rapidjson::Document partial;
    partial.Parse(R"({"geometries":{}})");
    proto->ToGeometryBuffer(&partial);
    ASSERT_TRUE(partial["geometries"].HasMember("prototype"));
    EXPECT_EQ(partial["geometries"]["prototype"].Size(), 1u);
}

TEST(DazoPropertyDocument, EntriesAndDispersedPaths)
{
    auto top = instance(1);
    top->Name("Top \xE9\xBD\xBF");
    auto part = instance(2);
    part->Name("Part");
    auto sub = instance(3);
    sub->Name("Sub");
    sub->Disperse(true);
    sub->Path("sub/part");
    sub->AddSubInstance(instance(4)); // inside the separate archive: not listed
    top->AddSubInstance(part);
    top->AddSubInstance(sub);

    rapidjson::Document doc;
    top->ToPropertyBuffer(&doc, true);
    EXPECT_EQ(str(doc), "{\"version\":\"1.0.0\",\"properties\":[{\"id\":\"1\",\"name\":\"Top \xE9\xBD\xBF\",\"path\":\"\"},"
                        R"({"id":"2","name":"Part","path":""},{"id":"3","name":"Sub","path":"sub/part.dazo"}]})");
    rapidjson::Document plain;
    sub->Disperse(true);
    top->ToPropertyBuffer(&plain, false);
    EXPECT_STREQ(plain["properties"][2]["path"].GetString(), "sub/part");
}

TEST(DazoPMIDocument, NothingWithoutAnnotations)
{
    auto top = instance(1);
    top->AddSubInstance(instance(2));
    rapidjson::Document doc;
    top->ToPMIBuffer(&doc);
    EXPECT_TRUE(doc.IsNull()) << "a tree without PMI documents adds nothing";
    top->ToPMIBuffer(nullptr);
}

TEST(DazoPMIDocument, CollectedPerInstanceInAssemblyOrder)
{
    auto top = instance(1);
    auto child = instance(2);
    auto dispersed = instance(3);
    dispersed->Disperse(true);
    top->AddSubInstance(child);
    top->AddSubInstance(dispersed);

    auto topPmi = std::make_shared<Vantor_PMIDocument>();
    topPmi->Id(700);
    auto note = std::make_shared<Vantor_PMI>();
    note->SetID(5);
    topPmi->AddPMI(note);
    top->PMIDocument(topPmi);
    auto childPmi = std::make_shared<Vantor_PMIDocument>();
    childPmi->Id(701);
    child->PMIDocument(childPmi);
    auto hidden = std::make_shared<Vantor_PMIDocument>();
    dispersed->PMIDocument(hidden); // belongs to the separate archive

    rapidjson::Document doc;
    top->ToPMIBuffer(&doc);
    ASSERT_TRUE(doc.IsObject());
    auto it = doc.MemberBegin();
    EXPECT_STREQ(it->name.GetString(), "version");
    EXPECT_STREQ(it->value.GetString(), "1.0.0");
    ++it;
    EXPECT_STREQ(it->name.GetString(), "PMIDocs");
    const rapidjson::Value& docs = doc["PMIDocs"];
    ASSERT_EQ(docs.Size(), 2u);
    EXPECT_STREQ(docs[0]["instanceId"].GetString(), "1");
    EXPECT_STREQ(docs[0]["id"].GetString(), "700");
    EXPECT_EQ(docs[0]["PMIs"].Size(), 1u);
    EXPECT_STREQ(docs[0].MemberBegin()->name.GetString(), "instanceId");
    EXPECT_STREQ(docs[1]["instanceId"].GetString(), "2");
    EXPECT_EQ(docs[1]["PMIs"].Size(), 0u);
}

TEST(DazoInstance, CloneAndNumbering)
{
    auto proto = std::make_shared<Vantor_Prototype>();
    auto top = instance(1, proto);
    top->Name("top");
    top->Material(material(5, {1, 1, 1, 1}));
    top->PrototypeId(7);
    top->Assembly(true);
    for (int i = 0; i < 3; ++i) {
        auto child = instance(10 + i, proto);
        child->PlcId(99);
        top->AddSubInstance(child);
        EXPECT_EQ(child->PlcId(), i);
    }
    top->SubInstances()[2]->Disperse(true);
    top->SubInstances()[2]->Path("elsewhere");
    top->SubInstances()[0]->AddSubInstance(instance(20));

    Vantor_Instance clone(top);
    EXPECT_NE(clone.Id(), top->Id());
    EXPECT_EQ(clone.Name(), "top");
    EXPECT_EQ(clone.PrototypeId(), 7u);
    EXPECT_TRUE(clone.Assembly());
    EXPECT_TRUE(clone.Visible());
    EXPECT_EQ(clone.Prototype(), proto) << "prototypes are shared";
    EXPECT_EQ(clone.Material(), nullptr) << "materials are not taken over";
    ASSERT_EQ(clone.SubInstances().size(), 3u);
    EXPECT_NE(clone.SubInstances()[0]->Id(), top->SubInstances()[0]->Id());
    EXPECT_EQ(clone.SubInstances()[2]->PlcId(), 2);
    EXPECT_TRUE(clone.SubInstances()[2]->Disperse());
    EXPECT_EQ(clone.SubInstances()[2]->Path(), "elsewhere");
    ASSERT_EQ(clone.SubInstances()[0]->SubInstances().size(), 1u);
    EXPECT_NE(clone.SubInstances()[0]->SubInstances()[0].get(), top->SubInstances()[0]->SubInstances()[0].get());

    Vantor_Document doc;
    std::shared_ptr<Vantor_Instance> none;
    doc.AddTopInstances(none);
    doc.AddTopInstances(top);
    EXPECT_EQ(doc.TopInstances().size(), 1u);
    Vantor_Instance fromNothing(none);
    EXPECT_TRUE(fromNothing.SubInstances().empty());
}
