#include "dazo/Vantor_Geometry.h"

#include "dazo/Vantor_Text.h"
#include "dazo/detail/JsonUtil.h"

namespace VantorSoft {

namespace {

// Makes value a fresh object holding "type"; null when the arguments do not allow writing.
json::Value* beginWrite(void* value, void* document, Vantor_GeometryTypeEnum type, json::Allocator*& alloc)
{
    if (!value || !document)
        return nullptr;
    json::Value* v = json::AsValue(value);
    alloc = &json::AsDocument(document)->GetAllocator();
    v->SetObject();
    v->AddMember("type", json::Value(static_cast<int>(type)), *alloc);
    return v;
}

// Readers accept only objects; anything else reads nothing.
const json::Value* beginRead(void* value)
{
    if (!value || !json::AsValue(value)->IsObject())
        return nullptr;
    return json::AsValue(value);
}

void addText(json::Value& obj, const char* key, const std::string& text, json::Allocator& a)
{
    obj.AddMember(rapidjson::StringRef(key), json::Text(text, a), a);
}

void addNumber(json::Value& obj, const char* key, double v, json::Allocator& a)
{
    obj.AddMember(rapidjson::StringRef(key), json::Number(v), a);
}

Vantor_PNT32 readPoint(const json::Value& obj, const char* key)
{
    return ParsePointText(json::GetString(obj, key));
}

Vantor_DIR32 readDir(const json::Value& obj, const char* key)
{
    const Vantor_PNT32 p = readPoint(obj, key);
    Vantor_DIR32 d;
    d.x = p.x;
    d.y = p.y;
    d.z = p.z;
    return d;
}

enum class AxisOrder { RadiusLast, RadiusBeforeAxis };

Vantor_STATUS writeAxis(void* value, void* document, Vantor_GeometryTypeEnum type, AxisOrder order,
                        double radius, const Vantor_DIR32& axis, const Vantor_PNT32& position)
{
    json::Allocator* a = nullptr;
    json::Value* v = beginWrite(value, document, type, a);
    if (!v)
        return Vantor_FAILURE;
    addText(*v, "AxisPosition", PointText(position), *a);
    if (order == AxisOrder::RadiusBeforeAxis) {
        addNumber(*v, "Radius", radius, *a);
        addText(*v, "RevolutionAxis", PointText(axis), *a);
    } else {
        addText(*v, "RevolutionAxis", PointText(axis), *a);
        addNumber(*v, "Radius", radius, *a);
    }
    return Vantor_SUCCESS;
}

void readAxis(const json::Value& v, double& radius, Vantor_DIR32& axis, Vantor_PNT32& position)
{
    axis = readDir(v, "RevolutionAxis");
    position = readPoint(v, "AxisPosition");
    radius = json::GetDouble(v, "Radius");
}

} // namespace

// ---- Vantor_Geometry ----

Vantor_Geometry::Vantor_Geometry()
    : m_geometryType(static_cast<Vantor_GeometryTypeEnum>(0))
{
}

Vantor_Geometry::~Vantor_Geometry() = default;

Vantor_GeometryTypeEnum Vantor_Geometry::GetGeometryType() const
{
    return m_geometryType;
}

void Vantor_Geometry::SetGeometryType(Vantor_GeometryTypeEnum type)
{
    m_geometryType = type;
}

Vantor_STATUS Vantor_Geometry::ToJson(void* value, void* document)
{
    return value && document ? Vantor_SUCCESS : Vantor_FAILURE;
}

Vantor_STATUS Vantor_Geometry::FromJson(void* value, void* document)
{
    return value && document ? Vantor_SUCCESS : Vantor_FAILURE;
}

// ---- Vantor_GeoLine ----

Vantor_GeoLine::Vantor_GeoLine()
    : m_length(0.0f)
{
    m_geometryType = Vantor_GeometryType_Line;
}

Vantor_STATUS Vantor_GeoLine::ToJson(void* value, void* document)
{
    json::Allocator* a = nullptr;
    json::Value* v = beginWrite(value, document, m_geometryType, a);
    if (!v)
        return Vantor_FAILURE;
    addText(*v, "start", PointText(m_start), *a);
    addText(*v, "end", PointText(m_end), *a);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_GeoLine::FromJson(void* value, void*)
{
    if (const json::Value* v = beginRead(value)) {
        m_start = readPoint(*v, "start");
        m_end = readPoint(*v, "end");
    }
    return Vantor_SUCCESS;
}

Vantor_PNT32 Vantor_GeoLine::GetCenterPoint() const { return m_center; }
void Vantor_GeoLine::SetCenterPoint(const Vantor_PNT32& p) { m_center = p; }
Vantor_DIR32 Vantor_GeoLine::GetDirection() const { return m_direction; }
void Vantor_GeoLine::SetDirection(const Vantor_DIR32& d) { m_direction = d; }
Vantor_PNT32 Vantor_GeoLine::GetStartPoint() const { return m_start; }
void Vantor_GeoLine::SetStartPoint(const Vantor_PNT32& p) { m_start = p; }
Vantor_PNT32 Vantor_GeoLine::GetEndPoint() const { return m_end; }
void Vantor_GeoLine::SetEndPoint(const Vantor_PNT32& p) { m_end = p; }
float Vantor_GeoLine::GetLength() const { return m_length; }
void Vantor_GeoLine::SetLength(float length) { m_length = length; }

// ---- Vantor_GeoEllipse ----

Vantor_GeoEllipse::Vantor_GeoEllipse()
    : m_majorRadius(0.0f)
    , m_minorRadius(0.0f)
{
    m_geometryType = Vantor_GeometryType_Ellipse;
}

Vantor_STATUS Vantor_GeoEllipse::ToJson(void* value, void* document)
{
    json::Allocator* a = nullptr;
    json::Value* v = beginWrite(value, document, m_geometryType, a);
    if (!v)
        return Vantor_FAILURE;
    addText(*v, "centerPoint", PointText(m_center), *a);
    addText(*v, "start", PointText(m_start), *a);
    addText(*v, "end", PointText(m_end), *a);
    addNumber(*v, "majorRadius", m_majorRadius, *a);
    addNumber(*v, "minorRadius", m_minorRadius, *a);
    addText(*v, "xDirection", PointText(m_xDir), *a);
    addText(*v, "yDirection", PointText(m_yDir), *a);
    addText(*v, "zDirection", PointText(m_zDir), *a);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_GeoEllipse::FromJson(void* value, void*)
{
    if (const json::Value* v = beginRead(value)) {
        m_center = readPoint(*v, "centerPoint");
        m_start = readPoint(*v, "start");
        m_end = readPoint(*v, "end");
        m_majorRadius = json::GetFloat(*v, "majorRadius");
        m_minorRadius = json::GetFloat(*v, "minorRadius");
        m_xDir = readDir(*v, "xDirection");
        m_yDir = readDir(*v, "yDirection");
        m_zDir = readDir(*v, "zDirection");
    }
    return Vantor_SUCCESS;
}

Vantor_PNT32 Vantor_GeoEllipse::GetCenterPoint() const { return m_center; }
void Vantor_GeoEllipse::SetCenterPoint(const Vantor_PNT32& p) { m_center = p; }
float Vantor_GeoEllipse::GetMajorRadius() const { return m_majorRadius; }
void Vantor_GeoEllipse::SetMajorRadius(float r) { m_majorRadius = r; }
float Vantor_GeoEllipse::GetMinorRadius() const { return m_minorRadius; }
void Vantor_GeoEllipse::SetMinorRadius(float r) { m_minorRadius = r; }
Vantor_PNT32 Vantor_GeoEllipse::GetStartPoint() const { return m_start; }
void Vantor_GeoEllipse::SetStartPoint(const Vantor_PNT32& p) { m_start = p; }
Vantor_PNT32 Vantor_GeoEllipse::GetEndPoint() const { return m_end; }
void Vantor_GeoEllipse::SetEndPoint(const Vantor_PNT32& p) { m_end = p; }
void Vantor_GeoEllipse::GetXYZDir(Vantor_DIR32& x, Vantor_DIR32& y, Vantor_DIR32& z) const { x = m_xDir; y = m_yDir; z = m_zDir; }
void Vantor_GeoEllipse::SetXYZDir(const Vantor_DIR32& x, const Vantor_DIR32& y, const Vantor_DIR32& z) { m_xDir = x; m_yDir = y; m_zDir = z; }

// ---- Vantor_PlaneFace ----

Vantor_PlaneFace::Vantor_PlaneFace()
{
    m_geometryType = Vantor_GeometryType_Plane;
}

Vantor_STATUS Vantor_PlaneFace::ToJson(void* value, void* document)
{
    json::Allocator* a = nullptr;
    json::Value* v = beginWrite(value, document, m_geometryType, a);
    if (!v)
        return Vantor_FAILURE;
    addText(*v, "normal", PointText(m_normal), *a);
    addText(*v, "origin", PointText(m_origin), *a);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_PlaneFace::FromJson(void* value, void*)
{
    if (const json::Value* v = beginRead(value)) {
        m_normal = readDir(*v, "normal");
        m_origin = readPoint(*v, "origin");
        if (json::Member(*v, "uDir") && json::Member(*v, "vDir")) {
            m_uDir = readDir(*v, "uDir");
            m_vDir = readDir(*v, "vDir");
        }
    }
    return Vantor_SUCCESS;
}

Vantor_DIR32 Vantor_PlaneFace::GetNormal() const { return m_normal; }
void Vantor_PlaneFace::SetNormal(const Vantor_DIR32& d) { m_normal = d; }
Vantor_PNT32 Vantor_PlaneFace::GetOrigin() const { return m_origin; }
void Vantor_PlaneFace::SetOrigin(const Vantor_PNT32& p) { m_origin = p; }
Vantor_DIR32 Vantor_PlaneFace::GetUDirection() const { return m_uDir; }
void Vantor_PlaneFace::SetUDirection(const Vantor_DIR32& d) { m_uDir = d; }
Vantor_DIR32 Vantor_PlaneFace::GetVDirection() const { return m_vDir; }
void Vantor_PlaneFace::SetVDirection(const Vantor_DIR32& d) { m_vDir = d; }

// ---- faces of revolution: the same three members, written in two key orders ----

#define DAZO_AXIS_ACCESSORS(Class)                                                  \
    double Class::GetRadius() const { return m_radius; }                            \
    void Class::SetRadius(double r) { m_radius = r; }                               \
    Vantor_DIR32 Class::GetRevoAxis() const { return m_revoAxis; }                  \
    void Class::SetRevoAxis(const Vantor_DIR32& d) { m_revoAxis = d; }              \
    Vantor_PNT32 Class::GetAxisPosition() const { return m_axisPosition; }          \
    void Class::SetAxisPosition(const Vantor_PNT32& p) { m_axisPosition = p; }      \
    Vantor_STATUS Class::FromJson(void* value, void*)                               \
    {                                                                               \
        if (const json::Value* v = beginRead(value))                                \
            readAxis(*v, m_radius, m_revoAxis, m_axisPosition);                     \
        return Vantor_SUCCESS;                                                      \
    }

#define DAZO_AXIS_CLASS(Class, Type, Order)                                         \
    Class::Class()                                                                  \
        : m_radius(0.0)                                                             \
    {                                                                               \
        m_geometryType = Type;                                                      \
    }                                                                               \
    Vantor_STATUS Class::ToJson(void* value, void* document)                        \
    {                                                                               \
        return writeAxis(value, document, m_geometryType, Order, m_radius,          \
                         m_revoAxis, m_axisPosition);                               \
    }                                                                               \
    DAZO_AXIS_ACCESSORS(Class)

DAZO_AXIS_CLASS(Vantor_RevolutionFace, Vantor_GeometryType_Revolution, AxisOrder::RadiusLast)
DAZO_AXIS_CLASS(Vantor_CylinderFace, Vantor_GeometryType_Cylinder, AxisOrder::RadiusLast)
DAZO_AXIS_CLASS(Vantor_ConeFace, Vantor_GeometryType_Cone, AxisOrder::RadiusBeforeAxis)
DAZO_AXIS_CLASS(Vantor_SphereFace, Vantor_GeometryType_Sphere, AxisOrder::RadiusBeforeAxis)

#undef DAZO_AXIS_CLASS
#undef DAZO_AXIS_ACCESSORS

// ---- Vantor_ToroidalFace ----

Vantor_ToroidalFace::Vantor_ToroidalFace()
    : m_majorRadius(0.0f)
    , m_minorRadius(0.0f)
{
    m_geometryType = Vantor_GeometryType_Torus;
}

Vantor_STATUS Vantor_ToroidalFace::ToJson(void* value, void* document)
{
    if (writeAxis(value, document, m_geometryType, AxisOrder::RadiusLast, m_radius, m_revoAxis, m_axisPosition) != Vantor_SUCCESS)
        return Vantor_FAILURE;
    json::Value& v = *json::AsValue(value);
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    addNumber(v, "majorRadius", m_majorRadius, a);
    addNumber(v, "minorRadius", m_minorRadius, a);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_ToroidalFace::FromJson(void* value, void*)
{
    // "Radius" is read too: it is written, and dropping it would lose it on every round trip.
    if (const json::Value* v = beginRead(value)) {
        readAxis(*v, m_radius, m_revoAxis, m_axisPosition);
        m_majorRadius = json::GetFloat(*v, "majorRadius");
        m_minorRadius = json::GetFloat(*v, "minorRadius");
    }
    return Vantor_SUCCESS;
}

float Vantor_ToroidalFace::GetMajorRadius() const { return m_majorRadius; }
void Vantor_ToroidalFace::SetMajorRaius(float r) { m_majorRadius = r; }
float Vantor_ToroidalFace::GetMinorRadius() const { return m_minorRadius; }
void Vantor_ToroidalFace::SetMinorRadius(float r) { m_minorRadius = r; }

} // namespace VantorSoft
