#include "dazo/detail/PmiJson.h"

#include "dazo/Vantor_Text.h"

#include <cmath>

namespace VantorSoft {
namespace pmijson {

namespace {

std::shared_ptr<Vantor_Curve> makeLine() { return std::make_shared<Vantor_Line>(); }
std::shared_ptr<Vantor_Curve> makePolyLine() { return std::make_shared<Vantor_PolyLine>(); }
std::shared_ptr<Vantor_Curve> makeArc() { return std::make_shared<Vantor_Arc>(); }

const CurveKind kKinds[] = {
    {"lines", Vantor_CurveType_Line, &makeLine},
    {"polylines", Vantor_CurveType_PolyLine, &makePolyLine},
    {"arcs", Vantor_CurveType_Arc, &makeArc},
};
const int kKindCount = sizeof(kKinds) / sizeof(kKinds[0]);

int kindIndex(Vantor_CurveTypeEnum type)
{
    for (int i = 0; i < kKindCount; ++i) {
        if (kKinds[i].type == type)
            return i;
    }
    return -1;
}

Value curveObject(Vantor_Curve& curve, Document& doc)
{
    // Starts as an object so a curve class that writes nothing still gives a readable element.
    Value elem(rapidjson::kObjectType);
    curve.ToJson(&elem, &doc);
    return elem;
}

std::string memberText(const Value& v)
{
    return std::string(v.GetString(), v.GetStringLength());
}

} // namespace

const CurveKind* CurveKinds() { return kKinds; }
int CurveKindCount() { return kKindCount; }

Value* startWriting(void* value, void* document)
{
    if (!value || !document)
        return nullptr;
    Value* v = json::AsValue(value);
    v->SetObject();
    return v;
}

Value* startReading(void* value)
{
    if (!value)
        return nullptr;
    Value* v = json::AsValue(value);
    return v->IsObject() ? v : nullptr;
}

// ---- writing ----

std::string FloatsText(const float* values, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i) {
        if (i)
            s += ' ';
        s += FormatFixed3(values[i]);
    }
    return s;
}

std::string IntsText(const std::int32_t* values, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i) {
        if (i)
            s += ' ';
        s += std::to_string(values[i]);
    }
    return s;
}

std::string BoxText(const Vantor_BOX32& box)
{
    return PointText(box.first) + ',' + PointText(box.second);
}

void AddString(Value& obj, const char* key, const std::string& text, Allocator& a)
{
    obj.AddMember(rapidjson::StringRef(key), json::Text(text, a), a);
}

void AddWide(Value& obj, const char* key, const std::wstring& text, Allocator& a)
{
    std::string utf8;
    WideToUtf8(text.c_str(), utf8);
    AddString(obj, key, utf8, a);
}

void AddInt(Value& obj, const char* key, std::int32_t v, Allocator& a)
{
    obj.AddMember(rapidjson::StringRef(key), Value(static_cast<int>(v)), a);
}

void AddUint(Value& obj, const char* key, std::uint32_t v, Allocator& a)
{
    obj.AddMember(rapidjson::StringRef(key), Value(static_cast<unsigned>(v)), a);
}

void AddCurveGroup(Value& obj, const CurveList& curves, Document& doc)
{
    Allocator& a = doc.GetAllocator();
    Value arrays[kKindCount];
    for (Value& arr : arrays)
        arr.SetArray();
    for (const auto& curve : curves) {
        if (!curve)
            continue;
        const int k = kindIndex(curve->GetCurveType());
        if (k < 0)
            continue;
        arrays[k].PushBack(curveObject(*curve, doc), a);
    }
    Value group(rapidjson::kObjectType);
    for (int k = 0; k < kKindCount; ++k) {
        if (!arrays[k].Empty())
            group.AddMember(rapidjson::StringRef(kKinds[k].key), arrays[k], a);
    }
    obj.AddMember("curves", group, a);
}

void AddSingleCurve(Value& obj, const std::shared_ptr<Vantor_Curve>& curve, Document& doc)
{
    AddCurveGroup(obj, CurveList{curve}, doc);
}

// ---- reading ----

namespace {

// Any JSON number that is an integer within the 32 bits, as its bit pattern.
bool bits32Of(const Value& v, std::uint32_t& out)
{
    if (v.IsInt()) {
        out = static_cast<std::uint32_t>(v.GetInt());
        return true;
    }
    if (v.IsUint()) {
        out = v.GetUint();
        return true;
    }
    if (v.IsInt64() || v.IsUint64() || !v.IsDouble())
        return false; // beyond 32 bits, or not a number at all
    const double d = v.GetDouble();
    if (!(d >= -2147483648.0 && d <= 4294967295.0) || d != std::trunc(d))
        return false;
    out = d < 0 ? static_cast<std::uint32_t>(static_cast<std::int32_t>(d)) : static_cast<std::uint32_t>(d);
    return true;
}

bool uint64Of(const Value& v, u64& out)
{
    if (v.IsUint64()) {
        out = v.GetUint64();
        return true;
    }
    if (!v.IsDouble())
        return false;
    const double d = v.GetDouble();
    if (!(d >= 0.0 && d < 18446744073709551616.0) || d != std::trunc(d))
        return false;
    out = static_cast<u64>(d);
    return true;
}

} // namespace

bool Reader::readBits32(const char* key, std::uint32_t& out)
{
    const Value* m = member(key);
    if (!m)
        return false;
    std::uint32_t v = 0;
    if (!bits32Of(*m, v)) {
        markDamaged();
        return false;
    }
    out = v;
    return true;
}

bool Reader::readInt32(const char* key, std::int32_t& out)
{
    std::uint32_t bits = 0;
    if (!readBits32(key, bits))
        return false;
    out = static_cast<std::int32_t>(bits);
    return true;
}

bool Reader::readUint64(const char* key, u64& out)
{
    const Value* m = member(key);
    if (!m)
        return false;
    u64 v = 0;
    if (!uint64Of(*m, v)) {
        markDamaged();
        return false;
    }
    out = v;
    return true;
}

bool Reader::readBool(const char* key, bool& out)
{
    const Value* m = member(key);
    if (!m)
        return false;
    if (!m->IsBool()) {
        markDamaged();
        return false;
    }
    out = m->IsTrue();
    return true;
}

bool Reader::readDouble(const char* key, double& out)
{
    const Value* m = member(key);
    if (!m)
        return false;
    if (!m->IsNumber()) {
        markDamaged();
        return false;
    }
    out = m->GetDouble();
    return true;
}

bool Reader::readWide(const char* key, std::wstring& out)
{
    const Value* m = member(key);
    if (!m)
        return false;
    if (!m->IsString()) {
        markDamaged();
        return false;
    }
    out = Utf8ToWide(memberText(*m).c_str());
    return true;
}

bool Reader::numbers(const char* key, double* out, int count)
{
    const Value* m = member(key);
    if (!m)
        return false;
    if (!m->IsString()) {
        markDamaged();
        return false;
    }
    std::vector<std::string> pieces;
    SplitString(memberText(*m), " ", pieces);
    if (pieces.size() < static_cast<std::size_t>(count)) {
        markDamaged();
        return false;
    }
    for (int i = 0; i < count; ++i)
        out[i] = TextToDouble(pieces[i]);
    return true;
}

bool Reader::readFloats(const char* key, float* out, int count)
{
    std::vector<double> v(static_cast<std::size_t>(count));
    if (!numbers(key, v.data(), count))
        return false;
    for (int i = 0; i < count; ++i)
        out[i] = json::ToFloat(v[i]);
    return true;
}

bool Reader::readInts(const char* key, std::int32_t* out, int count)
{
    std::vector<double> v(static_cast<std::size_t>(count));
    if (!numbers(key, v.data(), count))
        return false;
    for (int i = 0; i < count; ++i)
        out[i] = json::ToInt32(v[i]); // truncates toward zero, saturates
    return true;
}

namespace {

// Points and directions are both three floats "x y z".
template <class XYZ>
bool readXyz(Reader& reader, const char* key, XYZ& out)
{
    float f[3];
    if (!reader.readFloats(key, f, 3))
        return false;
    out.x = f[0];
    out.y = f[1];
    out.z = f[2];
    return true;
}

} // namespace

bool Reader::readPoint(const char* key, Vantor_PNT32& p)
{
    return readXyz(*this, key, p);
}

bool Reader::readDir(const char* key, Vantor_DIR32& d)
{
    return readXyz(*this, key, d);
}

bool Reader::readBox(const char* key, Vantor_BOX32& box)
{
    const Value* m = member(key);
    if (!m)
        return false;
    if (!m->IsString()) {
        markDamaged();
        return false;
    }
    std::vector<std::string> corners;
    SplitString(memberText(*m), ",", corners);
    if (corners.size() < 2) {
        markDamaged();
        return false;
    }
    float f[6];
    for (int c = 0; c < 2; ++c) {
        std::vector<std::string> pieces;
        SplitString(corners[c], " ", pieces);
        if (pieces.size() < 3) {
            markDamaged();
            return false;
        }
        for (int i = 0; i < 3; ++i)
            f[c * 3 + i] = json::ToFloat(TextToDouble(pieces[i]));
    }
    box.first = Vantor_PNT32{f[0], f[1], f[2]};
    box.second = Vantor_PNT32{f[3], f[4], f[5]};
    return true;
}

std::shared_ptr<Vantor_Curve> ReadCurve(const CurveKind& kind, Value& element, void* document, Reader& r)
{
    std::shared_ptr<Vantor_Curve> curve = kind.make();
    curve->FromJson(&element, document);
    // The array names the kind. A curve that took another kind from its "type" member would be
    // filed under the wrong array, or dropped, at the next write.
    if (curve->GetCurveType() != kind.type) {
        r.markDamaged();
        curve->SetCurveType(kind.type);
    }
    return curve;
}

void Reader::readCurveGroup(void* document, CurveList& curves)
{
    Value* group = member("curves");
    if (!group)
        return;
    if (!group->IsObject()) {
        markDamaged();
        return;
    }
    for (int k = 0; k < kKindCount; ++k) {
        Value* arr = json::Member(*group, kKinds[k].key);
        if (!arr)
            continue;
        if (!arr->IsArray()) {
            markDamaged();
            continue;
        }
        Value taken(rapidjson::kArrayType);
        taken.Swap(*arr);
        for (Value& e : taken.GetArray()) {
            if (!e.IsObject()) {
                markDamaged();
                continue;
            }
            curves.push_back(ReadCurve(kKinds[k], e, document, *this));
        }
    }
}

} // namespace pmijson
} // namespace VantorSoft
