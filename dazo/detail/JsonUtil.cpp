#include "dazo/detail/JsonUtil.h"

#include "dazo/Vantor_Text.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace VantorSoft {
namespace json {

double Finite(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

float ToFloat(double v)
{
    if (std::isnan(v))
        return std::numeric_limits<float>::quiet_NaN();
    if (v > FLT_MAX)
        return std::numeric_limits<float>::infinity();
    if (v < -FLT_MAX)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

std::int32_t ToInt32(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT32_MAX;
    if (v <= -2147483648.0)
        return INT32_MIN;
    return static_cast<std::int32_t>(v);
}

const Value* Member(const Value& obj, const char* key)
{
    if (!obj.IsObject())
        return nullptr;
    const auto it = obj.FindMember(key);
    return it == obj.MemberEnd() ? nullptr : &it->value;
}

Value* Member(Value& obj, const char* key)
{
    if (!obj.IsObject())
        return nullptr;
    const auto it = obj.FindMember(key);
    return it == obj.MemberEnd() ? nullptr : &it->value;
}

double NumberOf(const Value& v)
{
    if (v.IsNumber())
        return v.GetDouble();
    return 0.0;
}

double GetDouble(const Value& obj, const char* key)
{
    const Value* m = Member(obj, key);
    return m ? NumberOf(*m) : 0.0;
}

float GetFloat(const Value& obj, const char* key)
{
    return ToFloat(GetDouble(obj, key));
}

std::int32_t GetInt32(const Value& obj, const char* key)
{
    const Value* m = Member(obj, key);
    if (!m || !m->IsNumber())
        return 0;
    if (m->IsInt())
        return m->GetInt();
    if (m->IsUint())
        return static_cast<std::int32_t>(m->GetUint());
    if (m->IsInt64())
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(m->GetInt64()));
    if (m->IsUint64())
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(m->GetUint64()));
    return ToInt32(m->GetDouble());
}

std::uint32_t GetUint32(const Value& obj, const char* key)
{
    const Value* m = Member(obj, key);
    if (!m || !m->IsNumber())
        return 0;
    if (m->IsUint())
        return m->GetUint();
    if (m->IsInt())
        return static_cast<std::uint32_t>(m->GetInt());
    if (m->IsInt64())
        return static_cast<std::uint32_t>(m->GetInt64());
    if (m->IsUint64())
        return static_cast<std::uint32_t>(m->GetUint64());
    const double d = m->GetDouble();
    if (!(d > 0.0))
        return 0;
    return d >= 4294967295.0 ? UINT32_MAX : static_cast<std::uint32_t>(d);
}

u64 GetUint64(const Value& obj, const char* key)
{
    const Value* m = Member(obj, key);
    if (!m || !m->IsNumber())
        return 0;
    if (m->IsUint64())
        return m->GetUint64();
    if (m->IsInt64())
        return static_cast<u64>(m->GetInt64());
    const double d = m->GetDouble();
    if (!(d > 0.0))
        return 0;
    return d >= 18446744073709551615.0 ? UINT64_MAX : static_cast<u64>(d);
}

bool GetBool(const Value& obj, const char* key)
{
    const Value* m = Member(obj, key);
    return m && m->IsTrue();
}

bool HasString(const Value& obj, const char* key)
{
    const Value* m = Member(obj, key);
    return m && m->IsString();
}

std::string GetString(const Value& obj, const char* key)
{
    const Value* m = Member(obj, key);
    if (!m || !m->IsString())
        return std::string();
    return std::string(m->GetString(), m->GetStringLength());
}

Value Text(const std::string& s, Allocator& a)
{
    Value v;
    v.SetString(s.data(), static_cast<rapidjson::SizeType>(s.size()), a);
    return v;
}

Value Number(double v)
{
    return Value(Finite(v));
}

void SetMember(Value& obj, const char* name, Value& value, Allocator& a)
{
    if (!obj.IsObject())
        return;
    const auto it = obj.FindMember(name);
    if (it != obj.MemberEnd()) {
        it->value = value; // moves
        return;
    }
    Value key(name, a);
    obj.AddMember(key, value, a);
}

Value* RootObject(Document& doc)
{
    if (doc.IsNull())
        doc.SetObject();
    return doc.IsObject() ? static_cast<Value*>(&doc) : nullptr;
}

void ReadPointIfValid(const Value& obj, const char* key, float& x, float& y, float& z)
{
    const Value* m = Member(obj, key);
    if (!m || !m->IsString())
        return;
    std::vector<std::string> pieces;
    SplitString(std::string(m->GetString(), m->GetStringLength()), " ", pieces);
    if (pieces.size() != 3)
        return;
    x = ToFloat(TextToDouble(pieces[0]));
    y = ToFloat(TextToDouble(pieces[1]));
    z = ToFloat(TextToDouble(pieces[2]));
}

void ReadColorIfValid(const Value& obj, const char* key, Vantor_RGBA& c)
{
    const Value* m = Member(obj, key);
    if (!m || !m->IsString())
        return;
    std::vector<std::string> pieces;
    SplitString(std::string(m->GetString(), m->GetStringLength()), " ", pieces);
    if (pieces.size() != 4)
        return;
    c.r = ToInt32(TextToDouble(pieces[0]));
    c.g = ToInt32(TextToDouble(pieces[1]));
    c.b = ToInt32(TextToDouble(pieces[2]));
    c.a = ToInt32(TextToDouble(pieces[3]));
}

} // namespace json
} // namespace VantorSoft
