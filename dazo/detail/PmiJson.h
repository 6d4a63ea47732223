#pragma once

// JSON pieces shared by the annotation classes: number texts ("1.000 2.000"), box texts
// ("x y z,x y z"), curve groups and element arrays, and a reader that checks every member before
// it touches a field. A damaged member leaves its field as it was and marks the read as damaged,
// so the caller reports failure but still keeps everything that was read validly.

#include "dazo/Vantor_Curve.h"
#include "dazo/Vantor_Types.h"
#include "dazo/detail/JsonUtil.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VantorSoft {
namespace pmijson {

using json::Allocator;
using json::Document;
using json::Value;

typedef std::vector<std::shared_ptr<Vantor_Curve>> CurveList;

// The value to write into, reset to an empty object; null when either argument is null.
Value* startWriting(void* value, void* document);
// The value to read, or null when it is null or not an object.
Value* startReading(void* value);

// ---- writing ----

// Each value as "%.3f", joined by single blanks.
std::string FloatsText(const float* values, int count);
// Each value as "%d", joined by single blanks.
std::string IntsText(const std::int32_t* values, int count);
// "x y z,x y z" of the two corners.
std::string BoxText(const Vantor_BOX32& box);

void AddString(Value& obj, const char* key, const std::string& text, Allocator& a);
void AddWide(Value& obj, const char* key, const std::wstring& text, Allocator& a);
void AddInt(Value& obj, const char* key, std::int32_t v, Allocator& a);
void AddUint(Value& obj, const char* key, std::uint32_t v, Allocator& a);

// Adds "curves": an object with "lines", "polylines", "arcs" (each only when it got a curve).
// Empty pointers and curves of other kinds are left out.
void AddCurveGroup(Value& obj, const CurveList& curves, Document& doc);
// The "curves" object of one curve: its array by kind, or nothing inside for other kinds.
void AddSingleCurve(Value& obj, const std::shared_ptr<Vantor_Curve>& curve, Document& doc);

// ---- reading ----

class Reader {
public:
    explicit Reader(Value& obj)
        : m_obj(obj)
    {
    }

    bool damaged() const { return m_damaged; }
    void markDamaged() { m_damaged = true; }
    Vantor_STATUS status() const { return m_damaged ? Vantor_FAILURE : Vantor_SUCCESS; }

    Value* member(const char* key) { return json::Member(m_obj, key); }
    bool has(const char* key) { return member(key) != nullptr; }

    // Each returns true when the member was present, of the right kind, and stored into out.
    // Missing: false, out untouched. Present but unusable: false, out untouched, read damaged.

    // Any JSON integer that fits 32 bits, signed or unsigned; doubles only when integral.
    bool readBits32(const char* key, std::uint32_t& out);
    bool readInt32(const char* key, std::int32_t& out);
    bool readUint64(const char* key, u64& out);
    bool readBool(const char* key, bool& out);
    bool readDouble(const char* key, double& out);
    bool readWide(const char* key, std::wstring& out);
    // A number text with at least count numbers; extra numbers are ignored, a non-numeric token is 0.
    bool readFloats(const char* key, float* out, int count);
    // The same, each number truncated toward zero.
    bool readInts(const char* key, std::int32_t* out, int count);
    bool readPoint(const char* key, Vantor_PNT32& p);
    bool readDir(const char* key, Vantor_DIR32& d);
    bool readBox(const char* key, Vantor_BOX32& box);

    template <class E>
    bool readEnum(const char* key, E& out)
    {
        std::int32_t v = 0;
        if (!readInt32(key, v))
            return false;
        out = static_cast<E>(v);
        return true;
    }

    // Missing gives 0; damaged keeps the old value.
    template <class E>
    void readEnumOrZero(const char* key, E& out)
    {
        if (!has(key))
            out = static_cast<E>(0);
        else
            readEnum(key, out);
    }

    // A member the form expects: its absence is damage too.
    void require(const char* key)
    {
        if (!has(key))
            markDamaged();
    }

    // Reads "curves" (when present) and appends lines, then polylines, then arcs. Each array is
    // taken out of the input, which is left holding an empty array.
    void readCurveGroup(void* document, CurveList& curves);

    // For each element of the array under key (when present): a new T reads itself and is
    // appended. The array is taken out of the input, which keeps an empty array. Elements that
    // are not objects are skipped; an element that reports failure is kept but damages the read.
    template <class T>
    void readElements(const char* key, void* document, std::vector<std::shared_ptr<T>>& out)
    {
        Value* arr = member(key);
        if (!arr)
            return;
        if (!arr->IsArray()) {
            markDamaged();
            return;
        }
        Value taken(rapidjson::kArrayType);
        taken.Swap(*arr);
        for (Value& e : taken.GetArray()) {
            if (!e.IsObject()) {
                markDamaged();
                continue;
            }
            auto element = std::make_shared<T>();
            if (element->FromJson(&e, document) != Vantor_SUCCESS)
                markDamaged();
            out.push_back(element);
        }
    }

private:
    bool numbers(const char* key, double* out, int count);

    Value& m_obj;
    bool m_damaged = false;
};

// The curve kinds of a group, in reading order.
struct CurveKind {
    const char* key;
    Vantor_CurveTypeEnum type;
    std::shared_ptr<Vantor_Curve> (*make)();
};
const CurveKind* CurveKinds(); // three entries: lines, polylines, arcs
int CurveKindCount();

// A new curve of the kind, read from element (an object). Its kind is the array's whatever its
// "type" member says; a disagreeing "type" damages the read.
std::shared_ptr<Vantor_Curve> ReadCurve(const CurveKind& kind, Value& element, void* document, Reader& r);

} // namespace pmijson
} // namespace VantorSoft
