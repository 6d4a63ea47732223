#include "vantor/annotation/JsonUtil.h"

#include "vantor/util/LogHandler.h"

#include <rapidjson/error/en.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <cmath>
#include <fstream>
#include "vantor/util/JsonParse.h"

namespace Vantor {
namespace JsonUtil {

rapidjson::Value string(const std::string& text, rapidjson::Document::AllocatorType& allocator)
{
    rapidjson::Value v;
    v.SetString(text.data(), rapidjson::SizeType(text.size()), allocator);
    return v;
}

namespace {
rapidjson::Value number(double d)
{
    // JSON has no NaN or infinity; such values would make the whole document unreadable.
    return rapidjson::Value(std::isfinite(d) ? d : 0.0);
}

bool readNumbers(const rapidjson::Value& array, double* out, unsigned count)
{
    if (!array.IsArray() || array.Size() != count)
        return false;
    for (unsigned i = 0; i < count; ++i) {
        if (!array[i].IsNumber() || !std::isfinite(array[i].GetDouble()))
            return false;
    }
    for (unsigned i = 0; i < count; ++i)
        out[i] = array[i].GetDouble();
    return true;
}

const rapidjson::Value* member(const rapidjson::Value& object, const char* key)
{
    if (!object.IsObject())
        return nullptr;
    auto it = object.FindMember(key);
    return it == object.MemberEnd() ? nullptr : &it->value;
}
} // namespace

rapidjson::Value vec3(const osg::Vec3d& v, rapidjson::Document::AllocatorType& allocator)
{
    rapidjson::Value a(rapidjson::kArrayType);
    for (int i = 0; i < 3; ++i)
        a.PushBack(number(v[i]), allocator);
    return a;
}

rapidjson::Value vec4(const osg::Vec4& v, rapidjson::Document::AllocatorType& allocator)
{
    rapidjson::Value a(rapidjson::kArrayType);
    for (int i = 0; i < 4; ++i)
        a.PushBack(number(v[i]), allocator);
    return a;
}

rapidjson::Value vec4d(const osg::Vec4d& v, rapidjson::Document::AllocatorType& allocator)
{
    rapidjson::Value a(rapidjson::kArrayType);
    for (int i = 0; i < 4; ++i)
        a.PushBack(number(v[i]), allocator);
    return a;
}

rapidjson::Value points(const std::vector<osg::Vec3d>& list, rapidjson::Document::AllocatorType& allocator)
{
    rapidjson::Value a(rapidjson::kArrayType);
    for (const auto& p : list)
        a.PushBack(vec3(p, allocator), allocator);
    return a;
}

std::string getString(const rapidjson::Value& object, const char* key, const std::string& fallback)
{
    const rapidjson::Value* v = member(object, key);
    if (!v || !v->IsString())
        return fallback;
    return std::string(v->GetString(), v->GetStringLength());
}

bool getBool(const rapidjson::Value& object, const char* key, bool fallback)
{
    const rapidjson::Value* v = member(object, key);
    return v && v->IsBool() ? v->GetBool() : fallback;
}

double getDouble(const rapidjson::Value& object, const char* key, double fallback)
{
    const rapidjson::Value* v = member(object, key);
    return v && v->IsNumber() ? v->GetDouble() : fallback;
}

int getInt(const rapidjson::Value& object, const char* key, int fallback)
{
    const rapidjson::Value* v = member(object, key);
    return v && v->IsInt() ? v->GetInt() : fallback;
}

bool getVec3(const rapidjson::Value& object, const char* key, osg::Vec3d& out)
{
    const rapidjson::Value* v = member(object, key);
    double d[3];
    if (!v || !readNumbers(*v, d, 3))
        return false;
    out.set(d[0], d[1], d[2]);
    return true;
}

bool getVec4(const rapidjson::Value& object, const char* key, osg::Vec4& out)
{
    const rapidjson::Value* v = member(object, key);
    double d[4];
    if (!v || !readNumbers(*v, d, 4))
        return false;
    out.set(float(d[0]), float(d[1]), float(d[2]), float(d[3]));
    return true;
}

bool getVec4d(const rapidjson::Value& object, const char* key, osg::Vec4d& out)
{
    const rapidjson::Value* v = member(object, key);
    double d[4];
    if (!v || !readNumbers(*v, d, 4))
        return false;
    out.set(d[0], d[1], d[2], d[3]);
    return true;
}

bool getPoints(const rapidjson::Value& object, const char* key, std::vector<osg::Vec3d>& out)
{
    const rapidjson::Value* v = member(object, key);
    if (!v || !v->IsArray())
        return false;
    std::vector<osg::Vec3d> list;
    for (const auto& p : v->GetArray()) {
        double d[3];
        if (!readNumbers(p, d, 3))
            return false;
        list.emplace_back(d[0], d[1], d[2]);
    }
    out.swap(list);
    return true;
}

bool parse(const std::string& text, rapidjson::Document& document, const char* what)
{
    // Iterative parsing: deeply nested damage cannot exhaust the stack. Full precision: a number read
    // back is the double that was written, to the last bit.
    Vantor::ParseJsonExact<rapidjson::kParseIterativeFlag>(document, text.c_str(), text.size());
    if (document.HasParseError()) {
        LogHandler::getInstance()->reportError(QString("%1: %2 at offset %3")
                                                   .arg(what)
                                                   .arg(rapidjson::GetParseError_En(document.GetParseError()))
                                                   .arg(qulonglong(document.GetErrorOffset())));
        return false;
    }
    return true;
}

const rapidjson::Value* listMember(const rapidjson::Document& document, const char* key, const char* what)
{
    const rapidjson::Value* list = document.IsObject() ? member(document, key) : nullptr;
    if (!list || !list->IsArray()) {
        LogHandler::getInstance()->reportError(QString("%1: no array \"%2\"").arg(what).arg(key));
        return nullptr;
    }
    return list;
}

std::string toPrettyText(const rapidjson::Value& value)
{
    rapidjson::StringBuffer buffer;
    rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(buffer);
    value.Accept(writer);
    return std::string(buffer.GetString(), buffer.GetSize());
}

bool writeFile(const std::string& path, const rapidjson::Value& value)
{
    if (path.empty())
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << toPrettyText(value);
    out.close();
    return bool(out);
}

} // namespace JsonUtil
} // namespace Vantor
