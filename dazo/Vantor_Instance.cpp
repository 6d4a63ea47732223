#include "dazo/Vantor_Instance.h"

#include "dazo/Vantor_File.h"
#include "dazo/Vantor_Material.h"
#include "dazo/Vantor_Object.h"
#include "dazo/Vantor_Prototype.h"
#include "dazo/Vantor_Text.h"
#include "dazo/detail/JsonUtil.h"
#include "dazo/detail/Records.h"

#include <algorithm>

#include "dazo/Vantor_PMIDocument.h"

namespace VantorSoft {

namespace {

bool onPath(const std::vector<const Vantor_Instance*>& path, const Vantor_Instance* i)
{
    return std::find(path.begin(), path.end(), i) != path.end();
}

// Appends entry to the root's array member listName; the first time, the root receives
// "version" and then the list. A member of that name that is no array is left alone.
void appendToRootList(json::Document& doc, const char* listName, json::Value& entry)
{
    json::Value* root = json::RootObject(doc);
    if (!root)
        return;
    json::Allocator& a = doc.GetAllocator();
    json::Value* list = json::Member(*root, listName);
    if (list) {
        if (list->IsArray())
            list->PushBack(entry, a);
        return;
    }
    json::Value version("1.0.0", a);
    json::SetMember(*root, "version", version, a);
    json::Value array(rapidjson::kArrayType);
    array.PushBack(entry, a);
    root->AddMember(rapidjson::StringRef(listName), array, a);
}

} // namespace

Vantor_Instance::Vantor_Instance()
    : m_id(Vantor_Object::NewId())
    , m_plcId(0)
    , m_visible(false)
    , m_prototypeId(0)
    , m_disperse(false)
    , m_assembly(false)
{
    init();
}

Vantor_Instance::Vantor_Instance(const std::shared_ptr<Vantor_Instance>& source)
    : Vantor_Instance()
{
    if (!source)
        return;
    const Vantor_Instance& s = *source;
    m_plcId = s.m_plcId;
    m_visible = s.m_visible;
    m_prototypeId = s.m_prototypeId;
    m_plcMatrix = s.m_plcMatrix;
    m_name = s.m_name;
    m_path = s.m_path;
    m_disperse = s.m_disperse;
    m_assembly = s.m_assembly;
    m_prototype = s.m_prototype;
    std::vector<const Vantor_Instance*> path;
    cloneChildren(s, path);
}

void Vantor_Instance::cloneChildren(const Vantor_Instance& source, std::vector<const Vantor_Instance*>& path)
{
    path.push_back(&source);
    for (const auto& child : source.m_subInstances) {
        if (!child || onPath(path, child.get()))
            continue;
        auto copy = std::make_shared<Vantor_Instance>();
        const Vantor_Instance& c = *child;
        copy->m_plcId = c.m_plcId;
        copy->m_visible = c.m_visible;
        copy->m_prototypeId = c.m_prototypeId;
        copy->m_plcMatrix = c.m_plcMatrix;
        copy->m_name = c.m_name;
        copy->m_path = c.m_path;
        copy->m_disperse = c.m_disperse;
        copy->m_assembly = c.m_assembly;
        copy->m_prototype = c.m_prototype;
        copy->cloneChildren(c, path);
        AddSubInstance(copy);
    }
    path.pop_back();
}

Vantor_Instance::~Vantor_Instance() = default;

void Vantor_Instance::init()
{
    m_plcMatrix = Vantor_MTX32::Identity();
    m_plcId = 0;
    m_disperse = false;
    m_path.clear();
    m_subInstances.clear();
}

std::vector<std::shared_ptr<Vantor_Instance>>& Vantor_Instance::SubInstances() { return m_subInstances; }
void Vantor_Instance::SubInstances(const std::vector<std::shared_ptr<Vantor_Instance>>& children) { m_subInstances = children; }
std::shared_ptr<Vantor_Material>& Vantor_Instance::Material() { return m_material; }
void Vantor_Instance::Material(const std::shared_ptr<Vantor_Material>& material) { m_material = material; }
std::shared_ptr<Vantor_Prototype>& Vantor_Instance::Prototype() { return m_prototype; }
void Vantor_Instance::Prototype(const std::shared_ptr<Vantor_Prototype>& prototype) { m_prototype = prototype; }
std::shared_ptr<Vantor_PMIDocument>& Vantor_Instance::PMIDocument() { return m_pmiDocument; }
void Vantor_Instance::PMIDocument(const std::shared_ptr<Vantor_PMIDocument>& document) { m_pmiDocument = document; }
u64& Vantor_Instance::Id() { return m_id; }
void Vantor_Instance::Id(u64 id) { m_id = id; }
int& Vantor_Instance::PlcId() { return m_plcId; }
void Vantor_Instance::PlcId(const int& plcId) { m_plcId = plcId; }
bool Vantor_Instance::Visible() const { return m_visible; }
void Vantor_Instance::Visible(bool visible) { m_visible = visible; }
unsigned& Vantor_Instance::PrototypeId() { return m_prototypeId; }
void Vantor_Instance::PrototypeId(unsigned number) { m_prototypeId = number; }
bool Vantor_Instance::Disperse() const { return m_disperse; }
void Vantor_Instance::Disperse(bool disperse) { m_disperse = disperse; }
std::string& Vantor_Instance::Path() { return m_path; }
void Vantor_Instance::Path(const std::string& path) { m_path = path; }
bool Vantor_Instance::Assembly() const { return m_assembly; }
void Vantor_Instance::Assembly(bool assembly) { m_assembly = assembly; }
Vantor_MTX32& Vantor_Instance::PlcMatrix() { return m_plcMatrix; }
void Vantor_Instance::PlcMatrix(const Vantor_MTX32& matrix) { m_plcMatrix = matrix; }
std::string& Vantor_Instance::Name() { return m_name; }
void Vantor_Instance::Name(const std::string& name) { m_name = name; }

void Vantor_Instance::AddSubInstance(std::shared_ptr<Vantor_Instance> child)
{
    if (!child)
        return;
    child->m_plcId = static_cast<int>(m_subInstances.size());
    m_subInstances.push_back(std::move(child));
}

// ---- assembly stream ----

void Vantor_Instance::ToBuffer(std::shared_ptr<Vantor_File>& file)
{
    u64 none = 0;
    ToBuffer(file, none);
}

void Vantor_Instance::ToBuffer(std::shared_ptr<Vantor_File>& file, std::shared_ptr<Vantor_Instance>& parent)
{
    u64 parentId = parent ? parent->Id() : 0;
    ToBuffer(file, parentId);
}

void Vantor_Instance::ToBuffer(std::shared_ptr<Vantor_File>& file, u64& parentId)
{
    std::vector<const Vantor_Instance*> path;
    writeTree(file, parentId, path);
}

void Vantor_Instance::writeTree(std::shared_ptr<Vantor_File>& file, u64 parentId, std::vector<const Vantor_Instance*>& path)
{
    if (!file)
        return;
    path.push_back(this);
    ToBom(file, parentId, true);
    for (auto& child : m_subInstances) {
        if (!child || onPath(path, child.get()))
            continue;
        if (child->m_disperse)
            child->ToBom(file, m_id, false);
        else
            child->writeTree(file, m_id, path);
    }
    path.pop_back();
}

void Vantor_Instance::ToBom(std::shared_ptr<Vantor_File>& file, u64& parentId, bool withLinks)
{
    if (!file)
        return;
    records::Record<RecordSize> r;
    r.u64At(0, m_id);
    r.u64At(8, parentId);
    r.u64At(16, withLinks && m_prototype ? m_prototype->Id() : 0);
    r.i32At(24, m_plcId);
    r.u32At(28, m_visible ? 1u : 0u);
    r.u64At(32, withLinks && m_material ? m_material->Id() : 0);
    for (int i = 0; i < 16; ++i)
        r.f32At(40 + 4 * i, m_plcMatrix.m[i]);
    records::write(file, r);
}

// ---- prototypes and materials ----

void Vantor_Instance::ToProtoTypeBuffer(std::shared_ptr<Vantor_File>& indexFile, std::shared_ptr<Vantor_File>& dataFile,
                                        void* materialDocument, void* geometryDocument)
{
    std::vector<const Vantor_Instance*> path;
    writePrototypes(indexFile, dataFile, materialDocument, geometryDocument, path);
}

void Vantor_Instance::writePrototypes(std::shared_ptr<Vantor_File>& indexFile, std::shared_ptr<Vantor_File>& dataFile,
                                      void* materialDocument, void* geometryDocument,
                                      std::vector<const Vantor_Instance*>& path)
{
    path.push_back(this);
    Vantor_Material::WriteMaterialJson(materialDocument, m_material);
    if (indexFile && dataFile && m_prototype)
        m_prototype->ToBuffer(indexFile, dataFile, materialDocument, geometryDocument);
    for (auto& child : m_subInstances) {
        if (child && !child->m_disperse && !onPath(path, child.get()))
            child->writePrototypes(indexFile, dataFile, materialDocument, geometryDocument, path);
    }
    path.pop_back();
}

// ---- property document ----

void Vantor_Instance::ToPropertyBuffer(void* document, bool addExtension)
{
    if (!document)
        return;
    std::vector<const Vantor_Instance*> path;
    writeProperties(document, addExtension, path);
}

void Vantor_Instance::writeProperties(void* document, bool addExtension, std::vector<const Vantor_Instance*>& path)
{
    path.push_back(this);
    std::string noPath;
    ToPropertyBuffer(document, m_id, m_name, noPath);
    for (auto& child : m_subInstances) {
        if (!child || onPath(path, child.get()))
            continue;
        if (child->m_disperse) {
            std::string childPath = addExtension ? child->m_path + ".dazo" : child->m_path;
            child->ToPropertyBuffer(document, child->m_id, child->m_name, childPath);
        } else {
            child->writeProperties(document, addExtension, path);
        }
    }
    path.pop_back();
}

void Vantor_Instance::ToPropertyBuffer(void* document, u64& id, std::string& name, std::string& path)
{
    if (!document)
        return;
    json::Document& doc = *json::AsDocument(document);
    json::Allocator& a = doc.GetAllocator();
    json::Value entry(rapidjson::kObjectType);
    entry.AddMember("id", json::Text(IdText(id), a), a);
    entry.AddMember("name", json::Text(AnsiToUtf8(name.c_str()), a), a);
    entry.AddMember("path", json::Text(AnsiToUtf8(path.c_str()), a), a);
    appendToRootList(doc, "properties", entry);
}

// ---- PMI collection document ----

void Vantor_Instance::ToPMIBuffer(void* document)
{
    if (!document)
        return;
    std::vector<const Vantor_Instance*> path;
    writePMI(document, path);
}

void Vantor_Instance::writePMI(void* document, std::vector<const Vantor_Instance*>& path)
{
    path.push_back(this);
    if (m_pmiDocument) {
        json::Document& doc = *json::AsDocument(document);
        json::Allocator& a = doc.GetAllocator();
        json::Value entry(rapidjson::kObjectType);
        entry.AddMember("instanceId", json::Text(IdText(m_id), a), a);
        m_pmiDocument->ToJson(&entry, document);
        appendToRootList(doc, "PMIDocs", entry);
    }
    for (auto& child : m_subInstances) {
        if (child && !child->m_disperse && !onPath(path, child.get()))
            child->writePMI(document, path);
    }
    path.pop_back();
}

} // namespace VantorSoft
