#pragma once

// Internal helpers for the JSON forms. Readers must survive any damaged document: every member is
// type-checked before it is read (rapidjson's own accessors assert or misbehave on the wrong kind).

#include "dazo/Vantor_Types.h"

#include <rapidjson/document.h>

#include <string>

namespace VantorSoft {
namespace json {

typedef rapidjson::Value Value;
typedef rapidjson::Document Document;
typedef rapidjson::Document::AllocatorType Allocator;

inline Value* AsValue(void* p) { return static_cast<Value*>(p); }
inline Document* AsDocument(void* p) { return static_cast<Document*>(p); }

// Non-finite numbers cannot be written as JSON; a writer meeting one would stop the whole document.
double Finite(double v);

// Saturating conversions (out-of-range casts are undefined behaviour).
float ToFloat(double v);
std::int32_t ToInt32(double v);

// The member, or null when obj is not an object or has no such member.
const Value* Member(const Value& obj, const char* key);
Value* Member(Value& obj, const char* key);

// Missing or mistyped members read as 0, false or "".
double GetDouble(const Value& obj, const char* key);
float GetFloat(const Value& obj, const char* key);
// Integers of any JSON kind; a 32-bit field written unsigned (4294967295) reads back as -1.
std::int32_t GetInt32(const Value& obj, const char* key);
std::uint32_t GetUint32(const Value& obj, const char* key);
u64 GetUint64(const Value& obj, const char* key);
bool GetBool(const Value& obj, const char* key);
bool HasString(const Value& obj, const char* key);
std::string GetString(const Value& obj, const char* key);
double NumberOf(const Value& v);

Value Text(const std::string& s, Allocator& a);
Value Number(double v);

// Adds name: value to obj, or replaces the value when obj already has that member.
void SetMember(Value& obj, const char* name, Value& value, Allocator& a);

// The document's root as an object: a fresh (null) root becomes an empty object. Null when the
// root holds something else, which the caller must then leave alone.
Value* RootObject(Document& doc);

// "x y z" into p only when the text splits into exactly three pieces; else p keeps its value.
void ReadPointIfValid(const Value& obj, const char* key, float& x, float& y, float& z);

// "r g b a" into c only when the text splits into exactly four pieces.
void ReadColorIfValid(const Value& obj, const char* key, Vantor_RGBA& c);

} // namespace json
} // namespace VantorSoft
