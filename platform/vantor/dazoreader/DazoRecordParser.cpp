#include "vantor/dazoreader/DazoArchiveRecords.h"

#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoArchiveStream.h"
#include "vantor/util/StrUtil.h"

#include "dazo/Vantor_Geometry.h"
#include "dazo/Vantor_Text.h"
#include "dazo/Vantor_PMI.h"
#include "dazo/Vantor_PMIDocument.h"

#include <rapidjson/error/en.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the record readers take the archive's little-endian numbers as they lie"
#endif

namespace Vantor {
namespace DazoRead {

using VantorSoft::u64;
namespace L = Vantor::DazoLayout;

std::string idText(u64 id)
{
    return VantorSoft::IdText(id);
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

} // namespace

bool RecordParser::readJson(const char* key, rapidjson::Document& doc)
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

bool RecordParser::readInstances()
{
    std::string bytes;
    if (!m_archive.readMember(L::InstanceKey, bytes))
        return fail(m_archive.error());
    if (bytes.size() % InstanceRecordSize != 0)
        return damaged("the instance records are truncated (" + std::to_string(bytes.size()) + " bytes)");
    const std::size_t count = bytes.size() / InstanceRecordSize;
    m_records.instances.resize(count);
    m_records.instanceIndex.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char* p = bytes.data() + i * InstanceRecordSize;
        InstanceRecord& r = m_records.instances[i];
        r.id = take<u64>(p);
        r.parentId = take<u64>(p + 8);
        r.prototypeId = take<u64>(p + 16);
        r.visible = take<std::uint32_t>(p + 28) != 0;
        r.materialId = take<u64>(p + 32);
        std::memcpy(r.matrix, p + 40, sizeof(r.matrix));
        if (r.id == 0)
            return damaged("instance record " + std::to_string(i) + " has the id 0");
        if (!m_records.instanceIndex.emplace(r.id, i).second)
            return damaged("the instance id " + idText(r.id) + " is used twice");
        if (r.parentId != 0) {
            // Parents precede their children, so a parent that is not among the records read so
            // far is missing, or the records form a cycle.
            auto parent = m_records.instanceIndex.find(r.parentId);
            if (parent == m_records.instanceIndex.end() || parent->second == i)
                return damaged("instance " + idText(r.id) + " names the parent " + idText(r.parentId) +
                               ", which does not precede it (missing or cyclic)");
            r.parent = static_cast<int>(parent->second);
            r.depth = m_records.instances[parent->second].depth + 1;
            if (m_ctx.depth + r.depth > MaxModelDepth)
                return fail(m_path + ": its assembly is nested more than " + std::to_string(MaxModelDepth) +
                            " levels deep, deeper than the viewer can show");
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

bool RecordParser::readProperties()
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
        auto found = m_records.instanceIndex.find(VantorSoft::IdFromText(id->value.GetString()));
        if (found == m_records.instanceIndex.end())
            continue;
        InstanceRecord& r = m_records.instances[found->second];
        if (name != entry.MemberEnd())
            r.name.assign(name->value.GetString(), name->value.GetStringLength());
        if (path != entry.MemberEnd())
            r.path.assign(path->value.GetString(), path->value.GetStringLength());
    }
    return true;
}

bool RecordParser::readMaterials()
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
        m_records.materials.emplace(VantorSoft::IdFromText(id->value.GetString()), rgba);
    }
    return true;
}

bool RecordParser::readIndex()
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
        if (!m_records.index.emplace(id, e).second)
            return damaged("prototype " + idText(id) + " is listed twice in the index");
    }
    return true;
}

bool RecordParser::readGeometry()
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
        PrototypeGeometry& target = m_records.geometry[VantorSoft::IdFromText(id->value.GetString())];
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

bool RecordParser::readPmi()
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
        m_records.pmi[VantorSoft::IdFromText(instance->value.GetString())] = annotations;
    }
    return true;
}

bool RecordParser::readBody(DazoStream::Member& mesh, std::uint64_t end, u64 prototypeId, ParsedBody& body)
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

    // Arrays grow as their data arrives, so a count that the member's bytes cannot back fails
    // before it costs memory.
    auto readVectors = [&](std::uint64_t count, osg::ref_ptr<osg::Vec3Array>& out) {
        out = new osg::Vec3Array;
        return mesh.readArray(out->asVector(), count);
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
        face.first = body.indices.size();
        if (!mesh.readArray(body.indices, indices))
            return fail(mesh.error());
        face.count = body.indices.size() - face.first;
        for (std::size_t i = face.first; i < body.indices.size(); ++i) {
            if (body.indices[i] >= pointCount)
                return damaged("face " + idText(face.id) + " uses the point " + std::to_string(body.indices[i]) + " of " +
                               std::to_string(pointCount));
        }
        edgeTotal += faceEdges;
        edgeCounts.push_back(faceEdges);
        body.faces.push_back(face);
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
            osg::ref_ptr<osg::DrawElementsUInt> strip = new osg::DrawElementsUInt(GL_LINE_STRIP);
            if (!mesh.readArray(strip->asVector(), indices))
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

bool RecordParser::readMesh()
{
    // The prototypes that instances place, in the order they lie in the mesh member.
    std::vector<std::pair<IndexEntry, u64>> wanted;
    std::set<u64> seen;
    for (const InstanceRecord& r : m_records.instances) {
        if (r.prototypeId == 0 || !seen.insert(r.prototypeId).second)
            continue;
        auto found = m_records.index.find(r.prototypeId);
        if (found != m_records.index.end())
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
        ParsedPrototype& prototype = m_records.prototypes[w.second];
        while (mesh->position() < end) {
            prototype.bodies.emplace_back();
            if (!readBody(*mesh, end, w.second, prototype.bodies.back()))
                return false;
        }
        ++done;
        const float share = static_cast<float>(mesh->position()) / static_cast<float>(std::max<std::uint64_t>(size, 1));
        progress(StrUtil::translate("DazoReader", "Reading the meshes"), 20.0f + 65.0f * share);
        subProgress(StrUtil::translate("DazoReader", "Reading the meshes"), 100.0f * static_cast<float>(done) / static_cast<float>(wanted.size()));
    }
    if (!mesh->finish())
        return fail(mesh->error());
    return true;
}

bool RecordParser::readAssembly()
{
    return readInstances() && readProperties() && readMaterials() && readIndex();
}

bool RecordParser::readGeometryAndAnnotations()
{
    return readGeometry() && readPmi();
}

bool RecordParser::readDocuments(std::map<std::string, std::string>& documents)
{
    for (const char* key : {L::NoteKey, L::ViewKey, L::SectionKey, L::MeasureKey, L::AnimationKey}) {
        if (!m_archive.has(key))
            continue;
        std::string text;
        if (!m_archive.readMember(key, text))
            return fail(m_archive.error());
        documents[key] = std::move(text);
    }
    return true;
}

void RecordParser::readOtherEntries(std::vector<L::StoredEntry>& entries)
{
    std::set<std::string> taken;
    const std::vector<std::string> names = m_archive.entryNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string key = L::KeyOf(names[i]);
        // The first entry of a known key is what the writer writes anew.
        if (L::IsKnownKey(key) && taken.insert(key).second)
            continue;
        L::StoredEntry entry;
        if (m_archive.readStoredEntry(i, entry))
            entries.push_back(std::move(entry));
        else
            m_ctx.warn(m_archive.error() + "; a save will not keep it");
    }
}

} // namespace DazoRead
} // namespace Vantor
