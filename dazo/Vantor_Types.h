#pragma once

// Status code, value types and enumerations shared by every Dazo class.
// The value types are written to record streams as they lie in memory, so their sizes are fixed.

#include <cstdint>

namespace VantorSoft {

typedef std::uint64_t u64;

// 0 success, -1 failure. Archive operations also pass zip error codes and byte counts through it.
enum Vantor_STATUS : std::int32_t {
    Vantor_SUCCESS = 0,
    Vantor_FAILURE = -1
};

struct Vantor_PNT32 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Never normalised by the library.
struct Vantor_DIR32 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// A texture coordinate; copied and written whole.
struct Vantor_UV {
    float u = 0.0f;
    float v = 0.0f;
    float w = 0.0f;
};

// -1 in a channel means "not set".
struct Vantor_RGBA {
    std::int32_t r = 0;
    std::int32_t g = 0;
    std::int32_t b = 0;
    std::int32_t a = 0;
};

struct Vantor_BOX32 {
    Vantor_PNT32 first;
    Vantor_PNT32 second;
};

// 16 floats in storage order; a default-constructed matrix is the identity.
struct Vantor_MTX32 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Vantor_MTX32 Identity() { return Vantor_MTX32(); }
    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }
};

static_assert(sizeof(Vantor_PNT32) == 12, "point layout");
static_assert(sizeof(Vantor_DIR32) == 12, "direction layout");
static_assert(sizeof(Vantor_UV) == 12, "uv layout");
static_assert(sizeof(Vantor_RGBA) == 16, "colour layout");
static_assert(sizeof(Vantor_BOX32) == 24, "box layout");
static_assert(sizeof(Vantor_MTX32) == 64, "matrix layout");

enum Vantor_CurveTypeEnum : std::int32_t {
    Vantor_CurveType_PolyLine = 1,
    Vantor_CurveType_Arc = 2,
    Vantor_CurveType_Line = 3,
    Vantor_CurveType_NurbsCurve = 4,
    Vantor_CurveType_Hyperbola = 5,
    Vantor_CurveType_Parabola = 6
};

// The library stores and writes the usage unchanged; its values belong to the annotation writer.
enum Vantor_CurveUsageEnum : std::int32_t {
    Vantor_CurveUsage_None = 0
};

enum Vantor_GeometryTypeEnum : std::int32_t {
    Vantor_GeometryType_Line = 1,
    Vantor_GeometryType_Ellipse = 2,
    Vantor_GeometryType_Plane = 3,
    Vantor_GeometryType_Revolution = 4,
    Vantor_GeometryType_Cylinder = 5,
    Vantor_GeometryType_Cone = 6,
    Vantor_GeometryType_Sphere = 7,
    Vantor_GeometryType_Torus = 8
};

} // namespace VantorSoft
