#include "dazo/Vantor_PMIDocument.h"

#include "dazo/Vantor_Object.h"
#include "dazo/Vantor_PMI.h"
#include "dazo/Vantor_Text.h"
#include "dazo/detail/JsonUtil.h"

namespace VantorSoft {

Vantor_PMIDocument::Vantor_PMIDocument()
    : m_version(L"2.0.0")
    , m_id(Vantor_Object::NewId())
{
}

Vantor_PMIDocument::Vantor_PMIDocument(const Vantor_PMIDocument& other) = default;
Vantor_PMIDocument& Vantor_PMIDocument::operator=(const Vantor_PMIDocument& other) = default;
Vantor_PMIDocument::~Vantor_PMIDocument() = default;

void Vantor_PMIDocument::Id(u64 id) { m_id = id; }
u64& Vantor_PMIDocument::Id() { return m_id; }
void Vantor_PMIDocument::SetVersion(std::wstring version) { m_version = std::move(version); }
std::wstring Vantor_PMIDocument::GetVersion() const { return m_version; }

Vantor_STATUS Vantor_PMIDocument::AddPMI(std::shared_ptr<Vantor_PMI> pmi)
{
    if (!pmi)
        return Vantor_FAILURE;
    const u64 id = pmi->GetID();
    m_pmis[id] = std::move(pmi);
    return Vantor_SUCCESS;
}

std::shared_ptr<Vantor_PMI> Vantor_PMIDocument::GetPMI(u64 id) const
{
    const auto it = m_pmis.find(id);
    return it == m_pmis.end() ? nullptr : it->second;
}

int Vantor_PMIDocument::GetPMICount() const
{
    return static_cast<int>(m_pmis.size());
}

Vantor_STATUS Vantor_PMIDocument::DelPMI(u64 id)
{
    return m_pmis.erase(id) ? Vantor_SUCCESS : Vantor_FAILURE;
}

void Vantor_PMIDocument::UnLoad()
{
    m_pmis.clear();
}

Vantor_STATUS Vantor_PMIDocument::ToJson(void* value, void* document)
{
    if (!value || !document)
        return Vantor_FAILURE;
    json::Value& v = *json::AsValue(value);
    if (!v.IsObject())
        return Vantor_FAILURE;
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    v.AddMember("id", json::Text(IdText(m_id), a), a);
    json::Value pmis(rapidjson::kArrayType);
    for (const auto& entry : m_pmis) {
        json::Value elem(rapidjson::kObjectType);
        entry.second->ToJson(&elem, document);
        pmis.PushBack(elem, a);
    }
    v.AddMember("PMIs", pmis, a);
    return Vantor_SUCCESS;
}

} // namespace VantorSoft
