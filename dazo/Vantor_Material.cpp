#include "dazo/Vantor_Material.h"

#include "dazo/Vantor_Object.h"
#include "dazo/Vantor_Text.h"
#include "dazo/detail/JsonUtil.h"

namespace VantorSoft {

Vantor_Material::Vantor_Material()
    : m_id(Vantor_Object::NewId())
    , m_shininess(0.0f)
    , m_writeFile(false)
{
}

Vantor_Material::~Vantor_Material() = default;

u64 Vantor_Material::Id() const { return m_id; }
void Vantor_Material::Id(u64 id) { m_id = id; }
const Vantor_RGBA& Vantor_Material::DiffuseColor() const { return m_diffuse; }
void Vantor_Material::DiffuseColor(const Vantor_RGBA& c) { m_diffuse = c; }
const Vantor_RGBA& Vantor_Material::AmbientColor() const { return m_ambient; }
void Vantor_Material::AmbientColor(const Vantor_RGBA& c) { m_ambient = c; }
const Vantor_RGBA& Vantor_Material::SpecularColor() const { return m_specular; }
void Vantor_Material::SpecularColor(const Vantor_RGBA& c) { m_specular = c; }
const Vantor_RGBA& Vantor_Material::EmissionColor() const { return m_emission; }
void Vantor_Material::EmissionColor(const Vantor_RGBA& c) { m_emission = c; }
const float& Vantor_Material::Shininess() const { return m_shininess; }
void Vantor_Material::Shininess(const float& s) { m_shininess = s; }
const std::string& Vantor_Material::Name() const { return m_name; }
void Vantor_Material::Name(const std::string& name) { m_name = name; }
bool Vantor_Material::GetWriteFile() const { return m_writeFile; }
void Vantor_Material::SetWriteFile(bool written) { m_writeFile = written; }

void Vantor_Material::WriteMaterialJson(void* document, const std::shared_ptr<Vantor_Material>& material)
{
    if (!document || !material)
        return;
    json::Document& doc = *json::AsDocument(document);
    json::Value* root = json::RootObject(doc);
    if (!root)
        return;
    json::Allocator& a = doc.GetAllocator();

    const Vantor_RGBA& c = material->DiffuseColor();
    json::Value diffuse(rapidjson::kArrayType);
    diffuse.PushBack(c.r == -1 ? 153 : c.r, a);
    diffuse.PushBack(c.g == -1 ? 153 : c.g, a);
    diffuse.PushBack(c.b == -1 ? 153 : c.b, a);
    diffuse.PushBack(c.a == -1 ? 255 : c.a, a);
    json::Value entry(rapidjson::kObjectType);
    entry.AddMember("id", json::Text(IdText(material->Id()), a), a);
    entry.AddMember("diffuse", diffuse, a);

    json::Value* list = json::Member(*root, "material");
    if (list) {
        if (!list->IsArray())
            return; // someone else's member: leave it alone
        for (const json::Value& e : list->GetArray()) {
            if (e == entry)
                return;
        }
        list->PushBack(entry, a);
        return;
    }
    json::Value version("1.0.0", a);
    json::SetMember(*root, "version", version, a);
    json::Value array(rapidjson::kArrayType);
    array.PushBack(entry, a);
    root->AddMember("material", array, a);
}

} // namespace VantorSoft
