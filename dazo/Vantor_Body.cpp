#include "dazo/Vantor_Body.h"
#include "dazo/Vantor_Edge.h"
#include "dazo/Vantor_Face.h"

#include "dazo/Vantor_File.h"
#include "dazo/Vantor_Geometry.h"
#include "dazo/Vantor_Material.h"
#include "dazo/Vantor_Object.h"
#include "dazo/Vantor_Text.h"
#include "dazo/detail/JsonUtil.h"
#include "dazo/detail/Records.h"

namespace VantorSoft {

// Empty pointers in the face and edge lists are skipped everywhere, so the counts in the headers
// always match the records that follow them.

// ---- Vantor_Edge ----

Vantor_Edge::Vantor_Edge()
    : m_id(Vantor_Object::NewId())
{
}

Vantor_Edge::~Vantor_Edge() = default;

u64 Vantor_Edge::Id() const { return m_id; }
void Vantor_Edge::Id(u64 id) { m_id = id; }
std::shared_ptr<Vantor_Geometry>& Vantor_Edge::Geometry() { return m_geometry; }
void Vantor_Edge::Geometry(const std::shared_ptr<Vantor_Geometry>& geometry) { m_geometry = geometry; }
std::vector<unsigned>& Vantor_Edge::PointsIndexArray() { return m_indices; }
void Vantor_Edge::PointsIndexArray(const std::vector<unsigned>& indices) { m_indices = indices; }

void Vantor_Edge::ToBuffer(std::shared_ptr<Vantor_File> file)
{
    if (!file)
        return;
    records::Record<16> r;
    r.u64At(0, m_id);
    r.u32At(8, records::count32(file, m_indices.size()));
    r.u32At(12, 0);
    records::write(file, r);
    records::writeArray(file, m_indices.data(), m_indices.size(), sizeof(unsigned));
}

void Vantor_Edge::ToGeometryBuffer(void* edges, void* document)
{
    if (!m_geometry || !edges || !document)
        return;
    json::Value& target = *json::AsValue(edges);
    if (!target.IsObject())
        return;
    const std::string name = IdText(m_id);
    if (json::Member(target, name.c_str()))
        return; // already listed through another face
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    json::Value value;
    if (m_geometry->ToJson(&value, document) != Vantor_SUCCESS)
        return;
    target.AddMember(json::Text(name, a), value, a);
}

// ---- Vantor_Face ----

Vantor_Face::Vantor_Face()
    : m_id(Vantor_Object::NewId())
{
}

Vantor_Face::~Vantor_Face() = default;

u64 Vantor_Face::Id() const { return m_id; }
void Vantor_Face::Id(u64 id) { m_id = id; }
std::shared_ptr<Vantor_Material>& Vantor_Face::Material() { return m_material; }
void Vantor_Face::Material(const std::shared_ptr<Vantor_Material>& material) { m_material = material; }
std::shared_ptr<Vantor_Geometry>& Vantor_Face::Geometry() { return m_geometry; }
void Vantor_Face::Geometry(const std::shared_ptr<Vantor_Geometry>& geometry) { m_geometry = geometry; }
std::vector<unsigned>& Vantor_Face::PointsIndexArray() { return m_indices; }
void Vantor_Face::PointsIndexArray(const std::vector<unsigned>& indices) { m_indices = indices; }
std::vector<std::shared_ptr<Vantor_Edge>>& Vantor_Face::EdgesArray() { return m_edges; }
void Vantor_Face::EdgesArray(const std::vector<std::shared_ptr<Vantor_Edge>>& edges) { m_edges = edges; }

int Vantor_Face::EdgesCount() const
{
    int n = 0;
    for (const auto& e : m_edges) {
        if (e)
            ++n;
    }
    return n;
}

void Vantor_Face::ToBuffer(std::shared_ptr<Vantor_File> file)
{
    if (!file)
        return;
    records::Record<24> r;
    r.u64At(0, m_id);
    r.u64At(8, m_material ? m_material->Id() : 0);
    r.u32At(16, records::count32(file, m_indices.size()));
    r.u32At(20, static_cast<std::uint32_t>(EdgesCount()));
    records::write(file, r);
    records::writeArray(file, m_indices.data(), m_indices.size(), sizeof(unsigned));
}

void Vantor_Face::ToEdgeBuffer(std::shared_ptr<Vantor_File> file)
{
    for (const auto& e : m_edges) {
        if (e)
            e->ToBuffer(file);
    }
}

void Vantor_Face::ToMaterialBuffer(void* document)
{
    Vantor_Material::WriteMaterialJson(document, m_material);
}

void Vantor_Face::ToGeometryBuffer(void* faces, void* edges, void* document)
{
    if (m_geometry) {
        if (!document)
            return;
        json::Value* target = faces ? json::AsValue(faces) : nullptr;
        if (target && target->IsObject()) {
            json::Allocator& a = json::AsDocument(document)->GetAllocator();
            json::Value value;
            if (m_geometry->ToJson(&value, document) == Vantor_SUCCESS)
                target->AddMember(json::Text(IdText(m_id), a), value, a);
        }
    }
    if (!document || !edges)
        return;
    for (const auto& e : m_edges) {
        if (e)
            e->ToGeometryBuffer(edges, document);
    }
}

// ---- Vantor_Body ----

Vantor_Body::Vantor_Body()
    : m_id(Vantor_Object::NewId())
{
}

Vantor_Body::~Vantor_Body() = default;

u64 Vantor_Body::Id() const { return m_id; }
void Vantor_Body::Id(u64 id) { m_id = id; }
std::vector<std::shared_ptr<Vantor_Face>>& Vantor_Body::FacesArray() { return m_faces; }
void Vantor_Body::FacesArray(const std::vector<std::shared_ptr<Vantor_Face>>& faces) { m_faces = faces; }
std::shared_ptr<Vantor_Material>& Vantor_Body::Material() { return m_material; }
void Vantor_Body::Material(const std::shared_ptr<Vantor_Material>& material) { m_material = material; }
std::vector<Vantor_PNT32>& Vantor_Body::PointsArray() { return m_points; }
void Vantor_Body::PointsArray(const std::vector<Vantor_PNT32>& points) { m_points = points; }
std::vector<Vantor_PNT32>& Vantor_Body::NormalsArray() { return m_normals; }
void Vantor_Body::NormalsArray(const std::vector<Vantor_PNT32>& normals) { m_normals = normals; }
std::vector<Vantor_UV>& Vantor_Body::UVsArray() { return m_uvs; }
void Vantor_Body::UVsArray(const std::vector<Vantor_UV>& uvs) { m_uvs = uvs; }

int Vantor_Body::GetAllEdges() const
{
    int n = 0;
    for (const auto& f : m_faces) {
        if (f)
            n += f->EdgesCount();
    }
    return n;
}

void Vantor_Body::ToBuffer(std::shared_ptr<Vantor_File>& file)
{
    if (!file)
        return;
    std::size_t faceCount = 0;
    for (const auto& f : m_faces) {
        if (f)
            ++faceCount;
    }
    records::Record<HeaderSize> h;
    h.u64At(0, m_id);
    h.u32At(8, records::count32(file, m_points.size()));
    h.u32At(12, records::count32(file, m_normals.size()));
    h.u32At(16, records::count32(file, m_uvs.size()));
    h.u32At(20, static_cast<std::uint32_t>(GetAllEdges()));
    h.u32At(24, records::count32(file, faceCount));
    h.u32At(28, 0);
    records::write(file, h);
    records::writeArray(file, m_points.data(), m_points.size(), sizeof(Vantor_PNT32));
    records::writeArray(file, m_normals.data(), m_normals.size(), sizeof(Vantor_PNT32));
    records::writeArray(file, m_uvs.data(), m_uvs.size(), sizeof(Vantor_UV));
    for (const auto& f : m_faces) {
        if (f)
            f->ToBuffer(file);
    }
    for (const auto& f : m_faces) {
        if (f)
            f->ToEdgeBuffer(file);
    }
}

void Vantor_Body::ToMaterialBuffer(void* document)
{
    if (!document)
        return;
    for (const auto& f : m_faces) {
        if (f)
            f->ToMaterialBuffer(document);
    }
}

void Vantor_Body::ToGeometryBuffer(void* faces, void* edges, void* document)
{
    if (!document)
        return;
    for (const auto& f : m_faces) {
        if (f)
            f->ToGeometryBuffer(faces, edges, document);
    }
}

} // namespace VantorSoft
