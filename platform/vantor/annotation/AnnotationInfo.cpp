#include "vantor/annotation/AnnotationInfo.h"

#include "vantor/annotation/JsonUtil.h"
#include "vantor/model/ModelId.h"
#include "vantor/util/LogHandler.h"

namespace Vantor {

AnnotationInfo::AnnotationInfo()
    : m_id(GenerateModelID())
{
}

void AnnotationInfo::setId(uint64_t id)
{
    m_id = id;
    // Ids read from a file are never handed out again; an absurd one from a damaged file must not push
    // the process-wide generator to its end.
    if (id < (uint64_t(1) << 62))
        ReserveModelID(id);
}

void AnnotationInfo::writeInfo(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("Id", rapidjson::Value(uint64_t(m_id)), allocator);
    rapidjson::Value groups(rapidjson::kArrayType);
    for (const auto& g : m_groups) {
        rapidjson::Value item(rapidjson::kObjectType);
        item.AddMember("Number", g.first, allocator);
        item.AddMember("Name", JsonUtil::string(g.second, allocator), allocator);
        groups.PushBack(item, allocator);
    }
    object.AddMember("Groups", groups, allocator);
    rapidjson::Value coordination(rapidjson::kObjectType);
    for (const auto& a : m_coordination)
        coordination.AddMember(JsonUtil::string(a.first, allocator), JsonUtil::string(a.second, allocator), allocator);
    object.AddMember("Coordination", coordination, allocator);
}

void AnnotationInfo::readInfo(const rapidjson::Value& object)
{
    if (!object.IsObject())
        return;
    auto id = object.FindMember("Id");
    if (id != object.MemberEnd() && id->value.IsUint64())
        setId(id->value.GetUint64());

    // A damaged member loses only what is damaged; the annotation itself and its other entries load.
    auto damaged = [this](const char* what) {
        LogHandler::getInstance()->reportError(
            QString("Annotation %1: %2").arg(qulonglong(m_id)).arg(QString::fromUtf8(what)));
    };

    auto groups = object.FindMember("Groups");
    if (groups != object.MemberEnd()) {
        if (!groups->value.IsArray()) {
            damaged("\"Groups\" is not a list; the annotation is in no group");
        } else {
            m_groups.clear();
            for (const auto& g : groups->value.GetArray()) {
                // Only an object has a member end to compare with.
                if (!g.IsObject()) {
                    damaged("a group without a whole \"Number\" skipped");
                    continue;
                }
                auto number = g.FindMember("Number");
                if (number == g.MemberEnd() || !number->value.IsInt()) {
                    damaged("a group without a whole \"Number\" skipped");
                    continue;
                }
                auto name = g.FindMember("Name");
                if (name != g.MemberEnd() && !name->value.IsString())
                    damaged("a group \"Name\" that is not a text read as empty");
                m_groups[number->value.GetInt()] = JsonUtil::getString(g, "Name");
            }
        }
    }

    auto coordination = object.FindMember("Coordination");
    if (coordination != object.MemberEnd()) {
        if (!coordination->value.IsObject()) {
            damaged("\"Coordination\" is not an object; the collaboration attributes are empty");
        } else {
            m_coordination.clear();
            for (const auto& a : coordination->value.GetObject()) {
                if (!a.value.IsString()) {
                    damaged(("the collaboration attribute \"" + std::string(a.name.GetString(), a.name.GetStringLength()) +
                             "\" is not a text and is skipped").c_str());
                    continue;
                }
                m_coordination[std::string(a.name.GetString(), a.name.GetStringLength())] =
                    std::string(a.value.GetString(), a.value.GetStringLength());
            }
        }
    }
}

} // namespace Vantor
