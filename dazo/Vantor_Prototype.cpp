#include "dazo/Vantor_Prototype.h"

#include "dazo/Vantor_Body.h"
#include "dazo/Vantor_File.h"
#include "dazo/Vantor_Material.h"
#include "dazo/Vantor_Object.h"
#include "dazo/Vantor_Text.h"
#include "dazo/detail/JsonUtil.h"
#include "dazo/detail/Records.h"

#include <climits>

namespace VantorSoft {

Vantor_Prototype::Vantor_Prototype()
    : m_id(Vantor_Object::NewId())
    , m_byteOffset(0)
    , m_byteLength(0)
    , m_writeFile(false)
    , m_writtenTo(0)
{
}

Vantor_Prototype::~Vantor_Prototype() = default;

u64 Vantor_Prototype::Id() const { return m_id; }
void Vantor_Prototype::Id(u64 id) { m_id = id; }
std::shared_ptr<Vantor_Material>& Vantor_Prototype::Material() { return m_material; }
void Vantor_Prototype::Material(const std::shared_ptr<Vantor_Material>& material) { m_material = material; }
std::vector<std::shared_ptr<Vantor_Body>>& Vantor_Prototype::SubBodies() { return m_bodies; }
void Vantor_Prototype::SubBodies(const std::vector<std::shared_ptr<Vantor_Body>>& bodies) { m_bodies = bodies; }
int& Vantor_Prototype::GetByteOffset() { return m_byteOffset; }
void Vantor_Prototype::SetByteOffset(const int& offset) { m_byteOffset = offset; }
int& Vantor_Prototype::GetByteLength() { return m_byteLength; }
void Vantor_Prototype::SetByteLength(const int& length) { m_byteLength = length; }
bool& Vantor_Prototype::GetWriteFile() { return m_writeFile; }

namespace {
// Set by the caller rather than by a write: counts as written for every output.
const u64 kWrittenEverywhere = ~0ULL;
}

void Vantor_Prototype::SetWriteFile(bool written)
{
    m_writeFile = written;
    m_writtenTo = written ? kWrittenEverywhere : 0;
}

void Vantor_Prototype::ToBuffer(std::shared_ptr<Vantor_File>& indexFile, std::shared_ptr<Vantor_File>& dataFile,
                                void* materialDocument, void* geometryDocument)
{
    if (!indexFile || !dataFile)
        return;
    // The flag stands for "written to this data stream": a second archive gets every prototype.
    const bool writtenHere = m_writeFile && (m_writtenTo == dataFile->Serial() || m_writtenTo == kWrittenEverywhere);
    bool hasBody = false;
    for (const auto& b : m_bodies) {
        if (b)
            hasBody = true;
    }
    if (hasBody && !writtenHere) {
        const unsigned start = dataFile->GetByteLength();
        for (auto& b : m_bodies) {
            if (b)
                b->ToBuffer(dataFile);
        }
        const unsigned end = dataFile->GetByteLength();
        if (end > static_cast<unsigned>(INT_MAX)) {
            // The index record holds signed 32-bit offsets: a wrapped one would point elsewhere.
            indexFile->SetError();
            dataFile->SetError();
        } else {
            m_byteOffset = static_cast<int>(start);
            m_byteLength = static_cast<int>(end - start);
            records::Record<IndexRecordSize> r;
            r.u64At(0, m_id);
            r.i32At(8, m_byteOffset);
            r.i32At(12, m_byteLength);
            records::write(indexFile, r);
        }
        ToMaterialBuffer(materialDocument);
        ToGeometryBuffer(geometryDocument);
    }
    m_writeFile = true;
    m_writtenTo = dataFile->Serial();
}

void Vantor_Prototype::ToMaterialBuffer(void* document)
{
    if (!document)
        return;
    for (auto& b : m_bodies) {
        if (b)
            b->ToMaterialBuffer(document);
    }
}

void Vantor_Prototype::ToGeometryBuffer(void* faces, void* edges, void* document)
{
    if (!document)
        return;
    for (auto& b : m_bodies) {
        if (b)
            b->ToGeometryBuffer(faces, edges, document);
    }
}

void Vantor_Prototype::ToGeometryBuffer(void* document)
{
    if (!document || m_bodies.empty())
        return;
    json::Document& doc = *json::AsDocument(document);
    json::Allocator& a = doc.GetAllocator();
    json::Value faces(rapidjson::kObjectType);
    json::Value edges(rapidjson::kObjectType);
    ToGeometryBuffer(&faces, &edges, document);
    if (faces.MemberCount() == 0 && edges.MemberCount() == 0)
        return;

    json::Value* root = json::RootObject(doc);
    if (!root)
        return;
    json::Value entry(rapidjson::kObjectType);
    entry.AddMember("id", json::Text(IdText(m_id), a), a);
    entry.AddMember("faces", faces, a);
    entry.AddMember("edges", edges, a);

    json::Value* geometries = json::Member(*root, "geometries");
    if (geometries) {
        if (!geometries->IsObject())
            return; // someone else's member: leave it alone
        json::Value* list = json::Member(*geometries, "prototype");
        if (!list) {
            // Without the list the entry would be dropped; start it instead.
            geometries->AddMember("prototype", json::Value(rapidjson::kArrayType), a);
            list = json::Member(*geometries, "prototype");
        }
        if (list->IsArray())
            list->PushBack(entry, a);
        return;
    }
    json::Value list(rapidjson::kArrayType);
    list.PushBack(entry, a);
    json::Value holder(rapidjson::kObjectType);
    holder.AddMember("prototype", list, a);
    json::Value version("1.1.0", a);
    json::SetMember(*root, "version", version, a);
    root->AddMember("geometries", holder, a);
}

} // namespace VantorSoft
