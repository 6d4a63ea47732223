#include "vantor/dazoreader/DazoArchiveReader.h"

#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoArchiveStream.h"
#include "vantor/dazoreader/DazoPmiNodes.h"
#include "vantor/dazoreader/DazoSceneData.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"

#include "dazo/Vantor_Geometry.h"
#include "dazo/Vantor_Text.h"
#include "dazo/Vantor_PMI.h"
#include "dazo/Vantor_PMIDocument.h"

#include <osg/BlendFunc>
#include <osg/Geometry>
#include <osg/PolygonOffset>

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the record readers take the archive's little-endian numbers as they lie"
#endif

namespace Vantor {
namespace DazoRead {

using VantorSoft::u64;
namespace L = Vantor::DazoLayout;

std::string folderOf(const std::string& path)
{
    return L::folderOf(path);
}

std::string resolve(const std::string& folder, const std::string& path)
{
    if (path.empty() || path[0] == '/' || folder.empty())
        return path;
    return folder + "/" + path;
}

namespace {

const unsigned InstanceRecordSize = 104;
const unsigned IndexRecordSize = 16;
const unsigned BodyHeaderSize = 32;
const unsigned FaceRecordSize = 24;
const unsigned EdgeRecordSize = 16;

template <class T>
T take(const char* p)
{
    T v;
    std::memcpy(&v, p, sizeof(T));
    return v;
}

std::string idText(u64 id)
{
    return VantorSoft::IdText(id);
}

// ---- parsed records ----

struct InstanceRecord {
    u64 id = 0;
    u64 parentId = 0;
    u64 prototypeId = 0;
    bool visible = true;
    u64 materialId = 0;
    float matrix[16];
    int parent = -1; // index of the parent record
    std::string name;
    std::string path; // a dispersed sub-assembly's archive
};

struct ParsedFace {
    u64 id = 0;
    u64 materialId = 0;
    osg::ref_ptr<osg::DrawElementsUInt> triangles;
};

struct ParsedBody {
    u64 id = 0;
    osg::ref_ptr<osg::Vec3Array> points;
    osg::ref_ptr<osg::Vec3Array> normals;
    osg::ref_ptr<osg::Vec3Array> texCoords;
    std::vector<ParsedFace> faces;
    std::vector<DazoData::BodyData::Edge> edges;
};

struct ParsedPrototype {
    std::vector<ParsedBody> bodies;
};

struct PrototypeGeometry {
    std::map<u64, std::shared_ptr<VantorSoft::Vantor_Geometry>> faces;
    std::map<u64, std::shared_ptr<VantorSoft::Vantor_Geometry>> edges;
};

osg::Vec4 colourOf(const std::int32_t rgba[4])
{
    return osg::Vec4(rgba[0] / 255.0f, rgba[1] / 255.0f, rgba[2] / 255.0f, rgba[3] / 255.0f);
}

std::uint32_t colourKey(const osg::Vec4& c)
{
    auto channel = [](float v) { return std::uint32_t(std::min(255.0f, std::max(0.0f, v * 255.0f + 0.5f))); };
    return (channel(c.r()) << 24) | (channel(c.g()) << 16) | (channel(c.b()) << 8) | channel(c.a());
}

const std::int32_t DefaultRgba[4] = {153, 153, 153, 255}; // what the format writes for an unset colour

std::shared_ptr<VantorSoft::Vantor_Geometry> makeGeometry(int type)
{
    using namespace VantorSoft;
    switch (type) {
    case Vantor_GeometryType_Line: return std::make_shared<Vantor_GeoLine>();
    case Vantor_GeometryType_Ellipse: return std::make_shared<Vantor_GeoEllipse>();
    case Vantor_GeometryType_Plane: return std::make_shared<Vantor_PlaneFace>();
    case Vantor_GeometryType_Revolution: return std::make_shared<Vantor_RevolutionFace>();
    case Vantor_GeometryType_Cylinder: return std::make_shared<Vantor_CylinderFace>();
    case Vantor_GeometryType_Cone: return std::make_shared<Vantor_ConeFace>();
    case Vantor_GeometryType_Sphere: return std::make_shared<Vantor_SphereFace>();
    case Vantor_GeometryType_Torus: return std::make_shared<Vantor_ToroidalFace>();
    default: return nullptr;
    }
}

// The bound of what a drawable's indices reach, not of the whole point array it shares with the
// other faces of its body.
class IndexedBound : public osg::Drawable::ComputeBoundingBoxCallback
{
public:
    IndexedBound() = default;
    IndexedBound(const IndexedBound& o, const osg::CopyOp& op) : osg::Drawable::ComputeBoundingBoxCallback(o, op) {}
    META_Object(Vantor, IndexedBound)

    osg::BoundingBox computeBound(const osg::Drawable& drawable) const override
    {
        osg::BoundingBox box;
        const osg::Geometry* g = drawable.asGeometry();
        const auto* points = g ? dynamic_cast<const osg::Vec3Array*>(g->getVertexArray()) : nullptr;
        if (!points)
            return box;
        const std::size_t n = points->size();
        for (unsigned int i = 0; i < g->getNumPrimitiveSets(); ++i) {
            const auto* elements = dynamic_cast<const osg::DrawElementsUInt*>(g->getPrimitiveSet(i));
            if (!elements) {
                for (const osg::Vec3& p : *points)
                    box.expandBy(p);
                return box;
            }
            for (unsigned int index : *elements) {
                if (index < n)
                    box.expandBy((*points)[index]);
            }
        }
        return box;
    }
};

// ---- the reader of one archive ----

class ArchiveReader
{
public:
    ArchiveReader(Context& ctx, const std::string& path, bool top) : m_ctx(ctx), m_path(path), m_top(top) {}

    osg::ref_ptr<Model> read(std::map<std::string, std::string>* documents, bool* wrapped);

private:
    bool fail(const std::string& reason) { return m_ctx.report(reason); }
    bool damaged(const std::string& what) { return fail(m_path + " is damaged: " + what); }
    void progress(const std::string& text, float value)
    {
        if (m_top && m_ctx.progress)
            m_ctx.progress(text, value);
    }
    void subProgress(const std::string& text, float value)
    {
        if (m_top && m_ctx.subProgress)
            m_ctx.subProgress(text, value);
    }
    bool cancelled() { return m_ctx.cancelled && m_ctx.cancelled(); }

    bool readJson(const char* key, rapidjson::Document& doc);
    bool readInstances();
    bool readProperties();
    bool readMaterials();
    bool readIndex();
    bool readGeometry();
    bool readPmi();
    bool readMesh();
    bool readBody(DazoStream::Member& mesh, std::uint64_t end, u64 prototypeId, ParsedBody& body);
    osg::ref_ptr<Model> build(bool* wrapped);
    const std::vector<osg::ref_ptr<Body>>& bodiesFor(u64 prototypeId, const std::int32_t* fallback);
    osg::Vec4Array* colourArray(const osg::Vec4& colour);
    osg::Geometry* newGeometry(const ParsedBody& body, const osg::Vec4& colour);
    void computeNormals(ParsedBody& body);

    Context& m_ctx;
    std::string m_path;
    bool m_top;
    DazoStream::Archive m_archive;

    std::vector<InstanceRecord> m_instances;
    std::unordered_map<u64, std::size_t> m_instanceIndex;
    std::map<u64, std::array<std::int32_t, 4>> m_materials;
    struct IndexEntry {
        std::int32_t offset;
        std::int32_t length;
    };
    std::map<u64, IndexEntry> m_index;
    std::map<u64, PrototypeGeometry> m_geometry;
    struct Annotations {
        std::shared_ptr<VantorSoft::Vantor_PMIDocument> document;
        std::vector<std::shared_ptr<VantorSoft::Vantor_PMI>> list; // in file order
    };
    std::map<u64, Annotations> m_pmi;
    std::map<u64, ParsedPrototype> m_prototypes;

    std::map<std::pair<u64, std::uint32_t>, std::vector<osg::ref_ptr<Body>>> m_bodies;
    std::map<std::uint32_t, osg::ref_ptr<osg::Vec4Array>> m_colours;
    osg::ref_ptr<IndexedBound> m_bound = new IndexedBound;
    osg::ref_ptr<osg::StateSet> m_transparent;
    osg::ref_ptr<osg::StateSet> m_faceState;
    osg::ref_ptr<osg::StateSet> m_edgeState;
    bool m_unknownMaterialWarned = false;
};

bool ArchiveReader::readJson(const char* key, rapidjson::Document& doc)
{
    if (!m_archive.has(key)) {
        doc.SetObject(); // other writers may leave a document out; nothing to say then
        return true;
    }
    std::string text;
    if (!m_archive.readMember(key, text))
        return fail(m_archive.error());
    // Iterative parsing: a deeply nested document must not exhaust the stack.
    doc.Parse<rapidjson::kParseIterativeFlag>(text.c_str(), text.size());
    if (doc.HasParseError()) {
        return damaged(std::string("the ") + key + " document is not valid JSON (" +
                       rapidjson::GetParseError_En(doc.GetParseError()) + " at byte " +
                       std::to_string(doc.GetErrorOffset()) + ")");
    }
    if (!doc.IsObject())
        return damaged(std::string("the ") + key + " document is not a JSON object");
    return true;
}

bool ArchiveReader::readInstances()
{
    std::string bytes;
    if (!m_archive.readMember(L::InstanceKey, bytes))
        return fail(m_archive.error());
    if (bytes.size() % InstanceRecordSize != 0)
        return damaged("the instance records are truncated (" + std::to_string(bytes.size()) + " bytes)");
    const std::size_t count = bytes.size() / InstanceRecordSize;
    m_instances.resize(count);
    m_instanceIndex.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char* p = bytes.data() + i * InstanceRecordSize;
        InstanceRecord& r = m_instances[i];
        r.id = take<u64>(p);
        r.parentId = take<u64>(p + 8);
        r.prototypeId = take<u64>(p + 16);
        r.visible = take<std::uint32_t>(p + 28) != 0;
        r.materialId = take<u64>(p + 32);
        std::memcpy(r.matrix, p + 40, sizeof(r.matrix));
        if (r.id == 0)
            return damaged("instance record " + std::to_string(i) + " has the id 0");
        if (!m_instanceIndex.emplace(r.id, i).second)
            return damaged("the instance id " + idText(r.id) + " is used twice");
        if (r.parentId != 0) {
            // Parents precede their children, so a parent that is not among the records read so
            // far is missing, or the records form a cycle.
            auto parent = m_instanceIndex.find(r.parentId);
            if (parent == m_instanceIndex.end() || parent->second == i)
                return damaged("instance " + idText(r.id) + " names the parent " + idText(r.parentId) +
                               ", which does not precede it (missing or cyclic)");
            r.parent = static_cast<int>(parent->second);
        }
        bool finite = true;
        for (float v : r.matrix)
            finite = finite && std::isfinite(v);
        if (!finite) {
            m_ctx.warn(m_path + ": instance " + idText(r.id) + " has a placement that is not a number; it is placed unmoved");
            const VantorSoft::Vantor_MTX32 identity;
            std::memcpy(r.matrix, identity.m, sizeof(r.matrix));
        }
    }
    return true;
}

bool ArchiveReader::readProperties()
{
    rapidjson::Document doc;
    if (!readJson(L::PropertyKey, doc))
        return false;
    auto list = doc.FindMember("properties");
    if (list == doc.MemberEnd())
        return true;
    if (!list->value.IsArray())
        return damaged("\"properties\" is not a list");
    for (const auto& entry : list->value.GetArray()) {
        if (!entry.IsObject())
            return damaged("an entry of \"properties\" is not an object");
        auto id = entry.FindMember("id");
        auto name = entry.FindMember("name");
        auto path = entry.FindMember("path");
        if (id == entry.MemberEnd() || !id->value.IsString())
            return damaged("an entry of \"properties\" has no id text");
        if ((name != entry.MemberEnd() && !name->value.IsString()) || (path != entry.MemberEnd() && !path->value.IsString()))
            return damaged("an entry of \"properties\" has a name or path that is not a text");
        auto found = m_instanceIndex.find(VantorSoft::IdFromText(id->value.GetString()));
        if (found == m_instanceIndex.end())
            continue;
        InstanceRecord& r = m_instances[found->second];
        if (name != entry.MemberEnd())
            r.name.assign(name->value.GetString(), name->value.GetStringLength());
        if (path != entry.MemberEnd())
            r.path.assign(path->value.GetString(), path->value.GetStringLength());
    }
    return true;
}

bool ArchiveReader::readMaterials()
{
    rapidjson::Document doc;
    if (!readJson(L::MaterialKey, doc))
        return false;
    auto list = doc.FindMember("material");
    if (list == doc.MemberEnd())
        return true;
    if (!list->value.IsArray())
        return damaged("\"material\" is not a list");
    for (const auto& entry : list->value.GetArray()) {
        if (!entry.IsObject())
            return damaged("a material is not an object");
        auto id = entry.FindMember("id");
        auto diffuse = entry.FindMember("diffuse");
        if (id == entry.MemberEnd() || !id->value.IsString())
            return damaged("a material has no id text");
        if (diffuse == entry.MemberEnd() || !diffuse->value.IsArray() || diffuse->value.Size() != 4)
            return damaged("material " + std::string(id->value.GetString()) + " has no colour of four numbers");
        std::array<std::int32_t, 4> rgba;
        for (rapidjson::SizeType c = 0; c < 4; ++c) {
            const auto& v = diffuse->value[c];
            if (!v.IsNumber())
                return damaged("material " + std::string(id->value.GetString()) + " has a colour channel that is not a number");
            const double d = v.GetDouble();
            rgba[c] = static_cast<std::int32_t>(std::isfinite(d) ? std::min(255.0, std::max(0.0, d)) : 0.0);
        }
        m_materials.emplace(VantorSoft::IdFromText(id->value.GetString()), rgba);
    }
    return true;
}

bool ArchiveReader::readIndex()
{
    std::string bytes;
    if (!m_archive.readMember(L::IndexKey, bytes))
        return fail(m_archive.error());
    if (bytes.size() % IndexRecordSize != 0)
        return damaged("the prototype index is truncated (" + std::to_string(bytes.size()) + " bytes)");
    for (std::size_t i = 0; i < bytes.size() / IndexRecordSize; ++i) {
        const char* p = bytes.data() + i * IndexRecordSize;
        const u64 id = take<u64>(p);
        const IndexEntry e{take<std::int32_t>(p + 8), take<std::int32_t>(p + 12)};
        if (e.offset < 0 || e.length < 0)
            return damaged("prototype " + idText(id) + " has a negative offset or length");
        if (!m_index.emplace(id, e).second)
            return damaged("prototype " + idText(id) + " is listed twice in the index");
    }
    return true;
}

bool ArchiveReader::readGeometry()
{
    rapidjson::Document doc;
    if (!readJson(L::GeometryKey, doc))
        return false;
    auto geometries = doc.FindMember("geometries");
    if (geometries == doc.MemberEnd())
        return true;
    if (!geometries->value.IsObject())
        return damaged("\"geometries\" is not an object");
    auto list = geometries->value.FindMember("prototype");
    if (list == geometries->value.MemberEnd())
        return true;
    if (!list->value.IsArray())
        return damaged("\"geometries\".\"prototype\" is not a list");
    for (auto& entry : list->value.GetArray()) {
        if (!entry.IsObject())
            return damaged("a prototype's geometry is not an object");
        auto id = entry.FindMember("id");
        if (id == entry.MemberEnd() || !id->value.IsString())
            return damaged("a prototype's geometry has no id text");
        PrototypeGeometry& target = m_geometry[VantorSoft::IdFromText(id->value.GetString())];
        for (const char* kind : {"faces", "edges"}) {
            auto map = entry.FindMember(kind);
            if (map == entry.MemberEnd())
                continue;
            if (!map->value.IsObject())
                return damaged(std::string("a prototype's \"") + kind + "\" is not an object");
            for (auto& item : map->value.GetObject()) {
                if (!item.value.IsObject())
                    return damaged(std::string("a geometry of \"") + kind + "\" is not an object");
                auto type = item.value.FindMember("type");
                if (type == item.value.MemberEnd() || !type->value.IsNumber())
                    return damaged(std::string("a geometry of \"") + kind + "\" has no type number");
                auto geometry = makeGeometry(type->value.IsInt() ? type->value.GetInt() : 0);
                if (!geometry)
                    continue; // a kind this reader does not know: the mesh still draws
                if (geometry->FromJson(&item.value, &doc) != 0)
                    return damaged(std::string("a geometry of \"") + kind + "\" cannot be read");
                const u64 owner = VantorSoft::IdFromText(item.name.GetString());
                (kind[0] == 'f' ? target.faces : target.edges)[owner] = geometry;
            }
        }
    }
    return true;
}

bool ArchiveReader::readPmi()
{
    rapidjson::Document doc;
    if (!readJson(L::PmiKey, doc))
        return false;
    auto list = doc.FindMember("PMIDocs");
    if (list == doc.MemberEnd())
        return true;
    if (!list->value.IsArray())
        return damaged("\"PMIDocs\" is not a list");
    for (auto& entry : list->value.GetArray()) {
        if (!entry.IsObject())
            return damaged("an annotation document is not an object");
        auto instance = entry.FindMember("instanceId");
        auto id = entry.FindMember("id");
        auto pmis = entry.FindMember("PMIs");
        if (instance == entry.MemberEnd() || !instance->value.IsString())
            return damaged("an annotation document names no instance");
        if ((id != entry.MemberEnd() && !id->value.IsString()) || (pmis != entry.MemberEnd() && !pmis->value.IsArray()))
            return damaged("an annotation document has a wrongly typed id or list");
        Annotations annotations;
        auto document = std::make_shared<VantorSoft::Vantor_PMIDocument>();
        annotations.document = document;
        if (id != entry.MemberEnd())
            document->Id(VantorSoft::IdFromText(id->value.GetString()));
        if (pmis != entry.MemberEnd()) {
            for (auto& item : pmis->value.GetArray()) {
                if (!item.IsObject())
                    return damaged("an annotation is not an object");
                auto pmi = std::make_shared<VantorSoft::Vantor_PMI>();
                if (pmi->FromJson(&item, &doc) != 0)
                    return damaged("annotation " + idText(pmi->GetID()) + " cannot be read");
                document->AddPMI(pmi);
                annotations.list.push_back(pmi);
            }
        }
        m_pmi[VantorSoft::IdFromText(instance->value.GetString())] = annotations;
    }
    return true;
}

bool ArchiveReader::readBody(DazoStream::Member& mesh, std::uint64_t end, u64 prototypeId, ParsedBody& body)
{
    const std::string where = "a body of prototype " + idText(prototypeId);
    char header[BodyHeaderSize];
    if (end - mesh.position() < BodyHeaderSize)
        return damaged(where + " is cut short");
    if (!mesh.read(header, sizeof(header)))
        return fail(mesh.error());
    body.id = take<u64>(header);
    const std::uint64_t points = take<std::uint32_t>(header + 8);
    const std::uint64_t normals = take<std::uint32_t>(header + 12);
    const std::uint64_t texCoords = take<std::uint32_t>(header + 16);
    const std::uint64_t edges = take<std::uint32_t>(header + 20);
    const std::uint64_t faces = take<std::uint32_t>(header + 24);
    auto left = [&] { return end - mesh.position(); };
    // 64-bit arithmetic: the products of 32-bit counts cannot wrap.
    if (12 * (points + normals + texCoords) + FaceRecordSize * faces + EdgeRecordSize * edges > left())
        return damaged(where + " announces more data than its prototype holds");

    auto readVectors = [&](std::uint64_t count, osg::ref_ptr<osg::Vec3Array>& out) {
        out = new osg::Vec3Array(static_cast<unsigned int>(count));
        return count == 0 || mesh.read(&out->front(), static_cast<std::size_t>(count * 12));
    };
    if (!readVectors(points, body.points))
        return fail(mesh.error());
    if (normals == points) {
        if (!readVectors(normals, body.normals))
            return fail(mesh.error());
    } else if (!mesh.skip(normals * 12)) {
        return fail(mesh.error());
    } else if (normals != 0) {
        m_ctx.warn(m_path + ": " + where + " has " + std::to_string(normals) + " normals for " + std::to_string(points) +
                   " points; they are computed instead");
    }
    if (texCoords == points) {
        if (!readVectors(texCoords, body.texCoords))
            return fail(mesh.error());
    } else if (!mesh.skip(texCoords * 12)) {
        return fail(mesh.error());
    }
    if (normals != points)
        body.normals = nullptr;

    const unsigned int pointCount = static_cast<unsigned int>(points);
    std::vector<std::uint32_t> edgeCounts;
    body.faces.reserve(static_cast<std::size_t>(faces));
    edgeCounts.reserve(static_cast<std::size_t>(faces));
    std::uint64_t edgeTotal = 0;
    for (std::uint64_t f = 0; f < faces; ++f) {
        char record[FaceRecordSize];
        if (left() < FaceRecordSize)
            return damaged(where + " is cut short in its faces");
        if (!mesh.read(record, sizeof(record)))
            return fail(mesh.error());
        ParsedFace face;
        face.id = take<u64>(record);
        face.materialId = take<u64>(record + 8);
        const std::uint64_t indices = take<std::uint32_t>(record + 16);
        const std::uint32_t faceEdges = take<std::uint32_t>(record + 20);
        if (indices * 4 > left())
            return damaged("face " + idText(face.id) + " announces more indices than its prototype holds");
        if (indices % 3 != 0)
            return damaged("face " + idText(face.id) + " has " + std::to_string(indices) + " indices, not whole triangles");
        face.triangles = new osg::DrawElementsUInt(GL_TRIANGLES, static_cast<unsigned int>(indices));
        if (indices > 0 && !mesh.read(&face.triangles->front(), static_cast<std::size_t>(indices * 4)))
            return fail(mesh.error());
        for (unsigned int index : *face.triangles) {
            if (index >= pointCount)
                return damaged("face " + idText(face.id) + " uses the point " + std::to_string(index) + " of " +
                               std::to_string(pointCount));
        }
        edgeTotal += faceEdges;
        edgeCounts.push_back(faceEdges);
        body.faces.push_back(std::move(face));
    }
    if (edgeTotal != edges)
        return damaged(where + " lists " + std::to_string(edgeTotal) + " edges in its faces but " + std::to_string(edges) +
                       " in its header");

    std::unordered_map<u64, std::size_t> edgeById;
    for (std::size_t f = 0; f < body.faces.size(); ++f) {
        for (std::uint32_t e = 0; e < edgeCounts[f]; ++e) {
            char record[EdgeRecordSize];
            if (left() < EdgeRecordSize)
                return damaged(where + " is cut short in its edges");
            if (!mesh.read(record, sizeof(record)))
                return fail(mesh.error());
            const u64 id = take<u64>(record);
            const std::uint64_t indices = take<std::uint32_t>(record + 8);
            if (indices * 4 > left())
                return damaged("edge " + idText(id) + " announces more indices than its prototype holds");
            osg::ref_ptr<osg::DrawElementsUInt> strip = new osg::DrawElementsUInt(GL_LINE_STRIP, static_cast<unsigned int>(indices));
            if (indices > 0 && !mesh.read(&strip->front(), static_cast<std::size_t>(indices * 4)))
                return fail(mesh.error());
            for (unsigned int index : *strip) {
                if (index >= pointCount)
                    return damaged("edge " + idText(id) + " uses the point " + std::to_string(index) + " of " +
                                   std::to_string(pointCount));
            }
            // An edge between two faces is listed under each of them with the same id.
            auto known = edgeById.find(id);
            if (known != edgeById.end()) {
                body.edges[known->second].faceIds.push_back(body.faces[f].id);
                continue;
            }
            DazoData::BodyData::Edge edge;
            edge.id = id;
            edge.indices = strip;
            edge.faceIds.push_back(body.faces[f].id);
            edgeById.emplace(id, body.edges.size());
            body.edges.push_back(std::move(edge));
        }
    }
    return true;
}

bool ArchiveReader::readMesh()
{
    // The prototypes that instances place, in the order they lie in the mesh member.
    std::vector<std::pair<IndexEntry, u64>> wanted;
    std::set<u64> seen;
    for (const InstanceRecord& r : m_instances) {
        if (r.prototypeId == 0 || !seen.insert(r.prototypeId).second)
            continue;
        auto found = m_index.find(r.prototypeId);
        if (found != m_index.end())
            wanted.push_back({found->second, r.prototypeId});
    }
    std::sort(wanted.begin(), wanted.end(),
              [](const std::pair<IndexEntry, u64>& a, const std::pair<IndexEntry, u64>& b) { return a.first.offset < b.first.offset; });
    if (wanted.empty())
        return true;

    std::unique_ptr<DazoStream::Member> mesh(m_archive.openMember(L::MeshKey));
    if (!mesh)
        return fail(m_archive.error());
    const std::uint64_t size = mesh->size();
    std::size_t done = 0;
    for (const auto& w : wanted) {
        if (cancelled())
            return false;
        const std::uint64_t offset = static_cast<std::uint64_t>(w.first.offset);
        const std::uint64_t end = offset + static_cast<std::uint64_t>(w.first.length);
        if (end > size)
            return damaged("prototype " + idText(w.second) + " lies outside the mesh data");
        if (offset < mesh->position())
            return damaged("prototype " + idText(w.second) + " overlaps the one before it in the mesh data");
        if (!mesh->skip(offset - mesh->position()))
            return fail(mesh->error());
        ParsedPrototype& prototype = m_prototypes[w.second];
        while (mesh->position() < end) {
            prototype.bodies.emplace_back();
            if (!readBody(*mesh, end, w.second, prototype.bodies.back()))
                return false;
        }
        ++done;
        const float share = static_cast<float>(mesh->position()) / static_cast<float>(std::max<std::uint64_t>(size, 1));
        progress("Reading the meshes", 20.0f + 65.0f * share);
        subProgress("Reading the meshes", 100.0f * static_cast<float>(done) / static_cast<float>(wanted.size()));
    }
    if (!mesh->finish())
        return fail(mesh->error());
    return true;
}

void ArchiveReader::computeNormals(ParsedBody& body)
{
    const osg::Vec3Array& points = *body.points;
    body.normals = new osg::Vec3Array(points.size());
    osg::Vec3Array& normals = *body.normals;
    for (const ParsedFace& face : body.faces) {
        const osg::DrawElementsUInt& t = *face.triangles;
        for (std::size_t i = 0; i + 2 < t.size(); i += 3) {
            const osg::Vec3 n = (points[t[i + 1]] - points[t[i]]) ^ (points[t[i + 2]] - points[t[i]]);
            normals[t[i]] += n;
            normals[t[i + 1]] += n;
            normals[t[i + 2]] += n;
        }
    }
    for (osg::Vec3& n : normals) {
        if (n.length2() > 0.0f)
            n.normalize();
        else
            n.set(0.0f, 0.0f, 1.0f);
    }
}

osg::Vec4Array* ArchiveReader::colourArray(const osg::Vec4& colour)
{
    osg::ref_ptr<osg::Vec4Array>& array = m_colours[colourKey(colour)];
    if (!array) {
        array = new osg::Vec4Array;
        array->push_back(colour);
        array->setBinding(osg::Array::BIND_OVERALL);
    }
    return array.get();
}

osg::Geometry* ArchiveReader::newGeometry(const ParsedBody& body, const osg::Vec4& colour)
{
    auto* g = new osg::Geometry;
    g->setVertexArray(body.points.get());
    g->setColorArray(colourArray(colour), osg::Array::BIND_OVERALL);
    g->setComputeBoundingBoxCallback(m_bound.get());
    return g;
}

const std::vector<osg::ref_ptr<Body>>& ArchiveReader::bodiesFor(u64 prototypeId, const std::int32_t* fallback)
{
    const std::uint32_t fallbackKey = (std::uint32_t(fallback[0]) << 24) | (std::uint32_t(fallback[1]) << 16) |
                                      (std::uint32_t(fallback[2]) << 8) | std::uint32_t(fallback[3]);
    std::vector<osg::ref_ptr<Body>>& built = m_bodies[{prototypeId, fallbackKey}];
    if (!built.empty())
        return built;
    auto prototype = m_prototypes.find(prototypeId);
    if (prototype == m_prototypes.end())
        return built;
    const PrototypeGeometry* geometry = nullptr;
    auto g = m_geometry.find(prototypeId);
    if (g != m_geometry.end())
        geometry = &g->second;

    if (!m_transparent) {
        m_transparent = new osg::StateSet;
        m_transparent->setAttributeAndModes(new osg::BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA));
        m_transparent->setRenderingHint(osg::StateSet::TRANSPARENT_BIN);
        m_edgeState = new osg::StateSet;
        m_edgeState->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
        // Faces step back a little so the edges drawn on them stay visible.
        m_faceState = new osg::StateSet;
        m_faceState->setAttributeAndModes(new osg::PolygonOffset(1.0f, 1.0f));
    }

    for (ParsedBody& body : prototype->second.bodies) {
        if (!body.normals)
            computeNormals(body);
        osg::ref_ptr<Body> node = new Body;
        osg::ref_ptr<DazoData::BodyData> data = new DazoData::BodyData;
        data->id = body.id;
        data->points = body.points;
        data->edges = body.edges;
        DazoData::attach(node.get(), data.get());

        // Faces, one drawable each, or one per colour when merging.
        std::map<std::uint32_t, osg::Geometry*> byColour;
        for (const ParsedFace& face : body.faces) {
            osg::Vec4 colour = colourOf(fallback);
            if (face.materialId != 0) {
                auto material = m_materials.find(face.materialId);
                if (material != m_materials.end()) {
                    colour = colourOf(material->second.data());
                } else if (!m_unknownMaterialWarned) {
                    m_unknownMaterialWarned = true;
                    m_ctx.warn(m_path + ": face " + idText(face.id) + " names the unknown material " + idText(face.materialId) +
                               "; such faces keep the default colour");
                }
            }
            DazoData::FaceData::Face info;
            info.id = face.id;
            if (geometry) {
                auto analytic = geometry->faces.find(face.id);
                if (analytic != geometry->faces.end())
                    info.geometry = analytic->second;
            }
            const std::uint32_t key = colourKey(colour);
            osg::Geometry* g = m_ctx.mergeFace ? byColour[key] : nullptr;
            if (!g) {
                g = newGeometry(body, colour);
                g->setNormalArray(body.normals.get(), osg::Array::BIND_PER_VERTEX);
                if (body.texCoords)
                    g->setTexCoordArray(0, body.texCoords.get(), osg::Array::BIND_PER_VERTEX);
                if (colour.a() < 1.0f)
                    g->setStateSet(m_transparent.get());
                else if (m_ctx.readEdge)
                    g->setStateSet(m_faceState.get());
                DazoData::attach(g, new DazoData::FaceData);
                node->addDrawable(g);
                if (m_ctx.mergeFace)
                    byColour[key] = g;
            }
            g->addPrimitiveSet(face.triangles.get());
            DazoData::find<DazoData::FaceData>(g)->faces.push_back(info);
        }

        if (m_ctx.readEdge) {
            osg::Geometry* merged = nullptr;
            for (const auto& edge : body.edges) {
                osg::Geometry* g = merged;
                if (!g) {
                    g = newGeometry(body, osg::Vec4(0.1f, 0.1f, 0.1f, 1.0f));
                    g->setStateSet(m_edgeState.get());
                    node->addDrawable(g);
                    if (m_ctx.mergeFace)
                        merged = g;
                }
                g->addPrimitiveSet(edge.indices.get());
            }
        }
        built.push_back(node);
    }
    // Fill in the edges' analytic geometry once, for every body of the prototype.
    if (geometry) {
        for (auto& node : built) {
            auto* data = DazoData::find<DazoData::BodyData>(node.get());
            for (auto& edge : data->edges) {
                auto analytic = geometry->edges.find(edge.id);
                if (analytic != geometry->edges.end())
                    edge.geometry = analytic->second;
            }
        }
    }
    return built;
}

// Whether the model or anything below it draws faces or lines; stores the answers on each model.
void setGeometryFlags(Model* model, bool& faces, bool& lines)
{
    faces = lines = false;
    for (unsigned int i = 0; i < model->getNumChildren(); ++i) {
        osg::Node* child = model->getChild(i);
        if (auto* sub = dynamic_cast<Model*>(child)) {
            bool f, l;
            setGeometryFlags(sub, f, l);
            faces = faces || f;
            lines = lines || l;
        } else if (auto* body = dynamic_cast<Body*>(child)) {
            for (unsigned int d = 0; d < body->getNumDrawables(); ++d) {
                const osg::Geometry* g = body->getDrawable(d)->asGeometry();
                if (!g || g->getNumPrimitiveSets() == 0)
                    continue;
                if (g->getPrimitiveSet(0)->getMode() == GL_TRIANGLES)
                    faces = true;
                else
                    lines = true;
            }
        }
    }
    model->setGeoFace(faces);
    model->setGeoLine(lines);
}

osg::ref_ptr<Model> ArchiveReader::build(bool* wrapped)
{
    const std::size_t count = m_instances.size();
    std::vector<osg::ref_ptr<Model>> models(count);
    std::vector<osg::ref_ptr<Model>> tops;
    for (std::size_t i = 0; i < count; ++i) {
        if (cancelled())
            return nullptr;
        const InstanceRecord& r = m_instances[i];
        osg::ref_ptr<Model> model = new Model;
        if (m_ctx.usedIds.insert(r.id).second)
            model->setModelID(r.id);
        else
            m_ctx.usedIds.insert(model->getModelID());
        model->setName(r.name);
        model->setMatrix(osg::Matrixd(osg::Matrixf(r.matrix)));
        model->setNodeMask(r.visible ? 0xffffffffu : 0u);
        // Models are moved, hidden and recoloured while shown; this also keeps the optional graph
        // optimiser from flattening them away.
        model->setDataVariance(osg::Object::DYNAMIC);
        models[i] = model;
        if (r.parent >= 0)
            models[static_cast<std::size_t>(r.parent)]->osg::Group::addChild(model.get()); // numbered once below
        else
            tops.push_back(model);

        std::shared_ptr<VantorSoft::Vantor_PMIDocument> pmi;
        auto found = m_pmi.find(r.id);
        if (found != m_pmi.end())
            pmi = found->second.document;
        if (pmi) {
            osg::ref_ptr<DazoData::InstanceData> data = new DazoData::InstanceData;
            data->pmi = pmi;
            DazoData::attach(model.get(), data.get());
        }

        if (r.prototypeId != 0) {
            const std::int32_t* fallback = DefaultRgba;
            auto material = m_materials.find(r.materialId);
            if (r.materialId != 0 && material != m_materials.end())
                fallback = material->second.data();
            for (const auto& body : bodiesFor(r.prototypeId, fallback))
                model->osg::Group::addChild(body.get());
        }
        if (pmi && m_ctx.readPMI)
            addPmiNodes(*model, found->second.list);
        if (i % 256 == 0)
            progress("Building the scene", 85.0f + 10.0f * static_cast<float>(i) / static_cast<float>(count));
    }

    // Dispersed sub-assemblies, each from its own archive beside this one.
    for (std::size_t i = 0; i < count; ++i) {
        const InstanceRecord& r = m_instances[i];
        if (r.path.empty() || r.prototypeId != 0)
            continue;
        const std::string subPath = resolve(folderOf(m_path), r.path);
        bool subWrapped = false;
        osg::ref_ptr<Model> sub = readArchive(m_ctx, subPath, nullptr, &subWrapped);
        if (!sub) {
            if (cancelled())
                return nullptr;
            fail(m_path + ": its sub-assembly " + subPath + " cannot be read: " + m_ctx.lastError);
            return nullptr;
        }
        Model* target = models[i].get();
        if (subWrapped) {
            target->osg::Group::addChild(sub.get());
        } else {
            // The sub-assembly's own top takes the place of the record that stands for it.
            target->setMatrix(sub->getMatrix() * target->getMatrix());
            for (unsigned int c = 0; c < sub->getNumChildren(); ++c)
                target->osg::Group::addChild(sub->getChild(c));
            if (auto* data = DazoData::find<DazoData::InstanceData>(sub.get()))
                DazoData::attach(target, data);
            if (target->getName().empty())
                target->setName(sub->getName());
        }
    }

    if (tops.empty()) {
        fail(m_path + " holds no model");
        return nullptr;
    }
    for (auto& model : models) {
        if (model->getNumChildren() > 0)
            model->resetChildrenPlcId();
    }
    osg::ref_ptr<Model> root;
    if (tops.size() == 1) {
        root = tops.front();
    } else {
        root = new Model;
        root->setDataVariance(osg::Object::DYNAMIC);
        m_ctx.usedIds.insert(root->getModelID());
        std::string name = m_path.substr(m_path.rfind('/') == std::string::npos ? 0 : m_path.rfind('/') + 1);
        root->setName(name.substr(0, name.rfind('.')));
        for (auto& top : tops)
            root->osg::Group::addChild(top.get());
        root->resetChildrenPlcId();
    }
    if (wrapped)
        *wrapped = tops.size() != 1;
    DazoData::InstanceData* data = DazoData::find<DazoData::InstanceData>(root.get());
    if (!data) {
        data = new DazoData::InstanceData;
        DazoData::attach(root.get(), data);
    }
    data->wrapper = tops.size() != 1;
    char absolute[PATH_MAX];
    data->sourcePath = ::realpath(m_path.c_str(), absolute) ? absolute : m_path;
    bool faces, lines;
    setGeometryFlags(root.get(), faces, lines);
    return root;
}

osg::ref_ptr<Model> ArchiveReader::read(std::map<std::string, std::string>* documents, bool* wrapped)
{
    char absolute[PATH_MAX];
    const std::string canonical = ::realpath(m_path.c_str(), absolute) ? std::string(absolute) : m_path;
    if (std::find(m_ctx.chain.begin(), m_ctx.chain.end(), canonical) != m_ctx.chain.end()) {
        fail(m_path + " includes itself as a sub-assembly");
        return nullptr;
    }
    if (m_ctx.chain.size() >= static_cast<std::size_t>(MaxDepth)) {
        fail(m_path + ": sub-assemblies are nested too deeply");
        return nullptr;
    }
    m_ctx.chain.push_back(canonical);
    struct PopChain {
        std::vector<std::string>& chain;
        ~PopChain() { chain.pop_back(); }
    } popChain{m_ctx.chain};

    progress("Opening the model", 1.0f);
    if (!m_archive.open(m_path)) {
        fail(m_archive.error());
        return nullptr;
    }
    for (const char* key : {L::InstanceKey, L::IndexKey, L::MeshKey}) {
        if (!m_archive.has(key)) {
            fail(m_path + " is not a model archive: it has no member \"" + key + "\"");
            return nullptr;
        }
    }
    progress("Reading the assembly", 5.0f);
    if (!readInstances() || !readProperties() || !readMaterials() || !readIndex())
        return nullptr;
    progress("Reading the geometry", 10.0f);
    if (!readGeometry() || !readPmi())
        return nullptr;
    if (documents) {
        for (const char* key : {L::NoteKey, L::ViewKey, L::SectionKey, L::MeasureKey, L::AnimationKey}) {
            if (!m_archive.has(key))
                continue;
            std::string text;
            if (!m_archive.readMember(key, text)) {
                fail(m_archive.error());
                return nullptr;
            }
            (*documents)[key] = std::move(text);
        }
    }
    if (cancelled())
        return nullptr;
    progress("Reading the meshes", 20.0f);
    if (!readMesh())
        return nullptr;
    progress("Building the scene", 85.0f);
    osg::ref_ptr<Model> root = build(wrapped);
    if (root)
        progress("Building the scene", 100.0f);
    return root;
}

// ---- bills of materials ----

class BomReader
{
public:
    BomReader(Context& ctx, const std::string& baseFolder) : m_ctx(ctx), m_base(baseFolder) {}

    osg::ref_ptr<Model> read(const std::string& text)
    {
        rapidjson::Document doc;
        doc.Parse<rapidjson::kParseIterativeFlag>(text.c_str(), text.size());
        if (doc.HasParseError()) {
            m_ctx.report(std::string("the bill of materials is not valid JSON (") + rapidjson::GetParseError_En(doc.GetParseError()) +
                       " at byte " + std::to_string(doc.GetErrorOffset()) + ")");
            return nullptr;
        }
        if (!doc.IsObject()) {
            m_ctx.report("the bill of materials is not a JSON object");
            return nullptr;
        }
        auto bom = doc.FindMember("bom");
        if (bom == doc.MemberEnd() || !bom->value.IsObject()) {
            m_ctx.report("the bill of materials has no \"bom\" object");
            return nullptr;
        }
        m_total = countEntries(bom->value, 0);
        return entry(bom->value, 0);
    }

private:
    std::size_t countEntries(const rapidjson::Value& v, int depth)
    {
        std::size_t n = 1;
        auto children = v.FindMember("children");
        if (depth < MaxDepth && children != v.MemberEnd() && children->value.IsArray()) {
            for (const auto& c : children->value.GetArray())
                n += c.IsObject() ? countEntries(c, depth + 1) : 0;
        }
        return n;
    }

    bool bad(const std::string& what)
    {
        m_ctx.report("the bill of materials is damaged: " + what);
        return false;
    }

    osg::ref_ptr<Model> entry(const rapidjson::Value& v, int depth)
    {
        if (depth >= MaxDepth) {
            bad("its entries are nested too deeply");
            return nullptr;
        }
        if (m_ctx.cancelled && m_ctx.cancelled())
            return nullptr;
        auto id = v.FindMember("id");
        auto name = v.FindMember("name");
        auto matrix = v.FindMember("matrix");
        auto visible = v.FindMember("visible");
        auto path = v.FindMember("path");
        auto children = v.FindMember("children");
        const auto end = v.MemberEnd();
        if (id != end && !id->value.IsString() && !id->value.IsUint64())
            return bad("an id is neither a decimal text nor a whole number"), nullptr;
        if ((name != end && !name->value.IsString()) || (path != end && !path->value.IsString()))
            return bad("a name or path is not a text"), nullptr;
        if (visible != end && !visible->value.IsBool())
            return bad("\"visible\" is not true or false"), nullptr;
        if (children != end && !children->value.IsArray())
            return bad("\"children\" is not a list"), nullptr;
        osg::Matrixd placement;
        if (matrix != end) {
            if (!matrix->value.IsArray() || matrix->value.Size() != 16)
                return bad("a matrix is not a list of 16 numbers"), nullptr;
            for (rapidjson::SizeType i = 0; i < 16; ++i) {
                const auto& n = matrix->value[i];
                if (!n.IsNumber() || !std::isfinite(n.GetDouble()))
                    return bad("a matrix holds something that is not a number"), nullptr;
                placement.ptr()[i] = n.GetDouble();
            }
        }

        osg::ref_ptr<Model> model;
        const std::string partPath = path != end ? std::string(path->value.GetString(), path->value.GetStringLength()) : "";
        if (!partPath.empty()) {
            // A part: the file brings its own structure; the children listed beside it only describe it.
            model = part(resolve(m_base, partPath));
            if (!model)
                return nullptr;
        } else {
            model = new Model;
            if (children != end) {
                for (const auto& c : children->value.GetArray()) {
                    if (!c.IsObject())
                        return bad("an entry of \"children\" is not an object"), nullptr;
                    osg::ref_ptr<Model> child = entry(c, depth + 1);
                    if (!child)
                        return nullptr;
                    model->osg::Group::addChild(child.get());
                }
                model->resetChildrenPlcId();
            }
        }
        u64 modelId = 0;
        if (id != end)
            modelId = id->value.IsString() ? VantorSoft::IdFromText(id->value.GetString()) : id->value.GetUint64();
        if (modelId != 0 && m_ctx.usedIds.insert(modelId).second)
            model->setModelID(modelId);
        if (name != end)
            model->setName(std::string(name->value.GetString(), name->value.GetStringLength()));
        if (matrix != end)
            model->setMatrix(placement);
        if (visible != end)
            model->setNodeMask(visible->value.GetBool() ? 0xffffffffu : 0u);
        ++m_done;
        if (m_ctx.progress)
            m_ctx.progress("Reading the bill of materials", 100.0f * static_cast<float>(m_done) / static_cast<float>(std::max<std::size_t>(m_total, 1)));
        if (depth == 0) {
            bool faces, lines;
            setGeometryFlags(model.get(), faces, lines);
        }
        return model;
    }

    // The part file, read once; later uses get a copy of its nodes that shares the geometry.
    osg::ref_ptr<Model> part(const std::string& file)
    {
        const std::string ext = file.substr(file.rfind('.') == std::string::npos ? file.size() : file.rfind('.') + 1);
        std::string lower(ext);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (lower != "dazo" && lower != "liteprt") {
            bad("the part " + file + " is not a model file");
            return nullptr;
        }
        auto cached = m_parts.find(file);
        if (cached != m_parts.end())
            return copyOf(*cached->second);
        Context sub = m_ctx;
        sub.progress = nullptr;
        sub.subProgress = nullptr;
        osg::ref_ptr<Model> model = readArchive(sub, file, nullptr);
        m_ctx.usedIds = sub.usedIds;
        if (!model) {
            bad("its part " + file + " cannot be read: " + sub.lastError);
            return nullptr;
        }
        m_parts[file] = model;
        return model;
    }

    // A later use of a part gets nodes of its own (fresh model ids); the drawables stay shared.
    static osg::ref_ptr<Model> copyOf(const Model& model)
    {
        return static_cast<Model*>(model.clone(osg::CopyOp::DEEP_COPY_NODES));
    }

    Context& m_ctx;
    std::string m_base;
    std::map<std::string, osg::ref_ptr<Model>> m_parts;
    std::size_t m_total = 0;
    std::size_t m_done = 0;
};

} // namespace

osg::ref_ptr<Model> readArchive(Context& ctx, const std::string& path, std::map<std::string, std::string>* documents, bool* wrapped)
{
    ArchiveReader reader(ctx, path, ctx.chain.empty());
    return reader.read(documents, wrapped);
}

osg::ref_ptr<Model> readBom(Context& ctx, const std::string& text, const std::string& baseFolder)
{
    BomReader reader(ctx, baseFolder);
    return reader.read(text);
}

} // namespace DazoRead
} // namespace Vantor
