#include "dazo/Vantor_Infomation.h"

#include "dazo/detail/JsonUtil.h"

namespace VantorSoft {

void Vantor_Infomation::ToPropertyBuffer(void* document)
{
    if (!document)
        return;
    json::Document& doc = *json::AsDocument(document);
    json::Value* root = json::RootObject(doc);
    if (!root)
        return;
    json::Allocator& a = doc.GetAllocator();

    json::Value version("1.0.0", a);
    json::SetMember(*root, "version", version, a);

    json::Value converter(rapidjson::kObjectType);
    converter.AddMember("version", json::Value("2.0.0", a), a);
    json::Value info(rapidjson::kObjectType);
    info.AddMember("converter", converter, a);
    json::SetMember(*root, "info", info, a);
}

} // namespace VantorSoft
