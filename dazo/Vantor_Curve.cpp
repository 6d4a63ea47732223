#include "dazo/Vantor_Curve.h"

#include "dazo/Vantor_Text.h"
#include "dazo/detail/JsonUtil.h"

namespace VantorSoft {

namespace {

void addText(json::Value& obj, const char* key, const std::string& text, json::Allocator& a)
{
    obj.AddMember(rapidjson::StringRef(key), json::Text(text, a), a);
}

void addPoint(json::Value& obj, const char* key, const Vantor_PNT32& p, json::Allocator& a)
{
    addText(obj, key, PointText(p), a);
}

void addDir(json::Value& obj, const char* key, const Vantor_DIR32& d, json::Allocator& a)
{
    addText(obj, key, PointText(d), a);
}

void addNumber(json::Value& obj, const char* key, double v, json::Allocator& a)
{
    obj.AddMember(rapidjson::StringRef(key), json::Number(v), a);
}

void readPoint(const json::Value& obj, const char* key, Vantor_PNT32& p)
{
    json::ReadPointIfValid(obj, key, p.x, p.y, p.z);
}

void readDir(const json::Value& obj, const char* key, Vantor_DIR32& d)
{
    json::ReadPointIfValid(obj, key, d.x, d.y, d.z);
}

} // namespace

// ---- Vantor_Curve ----

Vantor_Curve::Vantor_Curve()
    : m_curveType(static_cast<Vantor_CurveTypeEnum>(0))
    , m_usageType(Vantor_CurveUsage_None)
    , m_dispStat(false)
    , m_id(0)
{
}

Vantor_Curve::~Vantor_Curve() = default;

Vantor_CurveTypeEnum Vantor_Curve::GetCurveType() const
{
    return m_curveType;
}

Vantor_STATUS Vantor_Curve::FromJson(void*, void*)
{
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_Curve::ToJson(void*, void*)
{
    return Vantor_SUCCESS;
}

Vantor_RGBA Vantor_Curve::GetColor() const
{
    return m_color;
}

Vantor_STATUS Vantor_Curve::SetColor(const Vantor_RGBA& color)
{
    m_color = color;
    return Vantor_SUCCESS;
}

void Vantor_Curve::SetCurveType(Vantor_CurveTypeEnum type)
{
    m_curveType = type;
}

Vantor_CurveUsageEnum Vantor_Curve::GetUsageType() const
{
    return m_usageType;
}

void Vantor_Curve::SetUsageType(Vantor_CurveUsageEnum usage)
{
    m_usageType = usage;
}

bool Vantor_Curve::GetCurveDispStat() const
{
    return m_dispStat;
}

Vantor_STATUS Vantor_Curve::SetCurveDispStat(bool shown)
{
    m_dispStat = shown;
    return Vantor_SUCCESS;
}

void Vantor_Curve::WriteBaseJson(void* value, void* document) const
{
    json::Value& v = *json::AsValue(value);
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    v.SetObject();
    v.AddMember("id", json::Value(static_cast<uint64_t>(m_id)), a);
    addText(v, "color", ColorText(m_color), a);
    v.AddMember("type", json::Value(static_cast<int>(m_curveType)), a);
    v.AddMember("defType", json::Value(static_cast<int>(m_usageType)), a);
    v.AddMember("visible", json::Value(m_dispStat), a);
}

void Vantor_Curve::ReadBaseJson(const void* value)
{
    const json::Value& v = *static_cast<const json::Value*>(value);
    m_id = json::GetUint64(v, "id");
    json::ReadColorIfValid(v, "color", m_color);
    m_curveType = static_cast<Vantor_CurveTypeEnum>(json::GetInt32(v, "type"));
    m_usageType = static_cast<Vantor_CurveUsageEnum>(json::GetInt32(v, "defType"));
    m_dispStat = json::GetBool(v, "visible");
}

// ---- Vantor_PolyLine ----

Vantor_PolyLine::Vantor_PolyLine()
    : m_rangeMin(0.0f)
    , m_rangeMax(0.0f)
{
    m_curveType = Vantor_CurveType_PolyLine;
}

Vantor_STATUS Vantor_PolyLine::ToJson(void* value, void* document)
{
    if (!value || !document)
        return Vantor_FAILURE;
    WriteBaseJson(value, document);
    json::Value& v = *json::AsValue(value);
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    addNumber(v, "min", m_rangeMin, a);
    addNumber(v, "max", m_rangeMax, a);
    json::Value points(rapidjson::kArrayType);
    points.Reserve(static_cast<rapidjson::SizeType>(m_points.size() * 3), a);
    for (const Vantor_PNT32& p : m_points) {
        points.PushBack(json::Number(p.x), a);
        points.PushBack(json::Number(p.y), a);
        points.PushBack(json::Number(p.z), a);
    }
    v.AddMember("points", points, a);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_PolyLine::FromJson(void* value, void*)
{
    if (!value || !json::AsValue(value)->IsObject())
        return Vantor_FAILURE;
    json::Value& v = *json::AsValue(value);
    ReadBaseJson(value);
    m_rangeMin = json::GetFloat(v, "min");
    m_rangeMax = json::GetFloat(v, "max");
    json::Value* points = json::Member(v, "points");
    if (points && points->IsArray()) {
        json::Value taken(rapidjson::kArrayType);
        taken.Swap(*points);
        const rapidjson::SizeType n = taken.Size();
        for (rapidjson::SizeType i = 0; i + 2 < n; i += 3) {
            Vantor_PNT32 p;
            p.x = json::ToFloat(json::NumberOf(taken[i]));
            p.y = json::ToFloat(json::NumberOf(taken[i + 1]));
            p.z = json::ToFloat(json::NumberOf(taken[i + 2]));
            m_points.push_back(p);
        }
    }
    return Vantor_SUCCESS;
}

const std::vector<Vantor_PNT32>& Vantor_PolyLine::GetPoints() const { return m_points; }
void Vantor_PolyLine::SetPoints(const std::vector<Vantor_PNT32>& points) { m_points = points; }
void Vantor_PolyLine::GetRange(float& min, float& max) const { min = m_rangeMin; max = m_rangeMax; }
void Vantor_PolyLine::SetRange(float min, float max) { m_rangeMin = min; m_rangeMax = max; }

// ---- Vantor_Arc ----

Vantor_Arc::Vantor_Arc()
    : m_rangeMin(0.0f)
    , m_rangeMax(0.0f)
    , m_majorRadius(0.0f)
    , m_minorRadius(0.0f)
    , m_beginPar(0.0f)
    , m_endPar(0.0f)
{
    m_curveType = Vantor_CurveType_Arc;
}

Vantor_STATUS Vantor_Arc::ToJson(void* value, void* document)
{
    if (!value || !document)
        return Vantor_FAILURE;
    WriteBaseJson(value, document);
    json::Value& v = *json::AsValue(value);
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    addNumber(v, "min", m_rangeMin, a);
    addNumber(v, "max", m_rangeMax, a);
    addPoint(v, "center", m_center, a);
    addDir(v, "xDir", m_xDir, a);
    addDir(v, "yDir", m_yDir, a);
    addDir(v, "zDir", m_zDir, a);
    addDir(v, "normal", m_normal, a);
    addDir(v, "originDir", m_originDir, a);
    addNumber(v, "majorRadius", m_majorRadius, a);
    addNumber(v, "minorRadius", m_minorRadius, a);
    addPoint(v, "beginPnt", m_beginPnt, a);
    addPoint(v, "endPnt", m_endPnt, a);
    addNumber(v, "beginPar", m_beginPar, a);
    addNumber(v, "endPar", m_endPar, a);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_Arc::FromJson(void* value, void*)
{
    if (!value || !json::AsValue(value)->IsObject())
        return Vantor_FAILURE;
    const json::Value& v = *json::AsValue(value);
    ReadBaseJson(value);
    m_rangeMin = json::GetFloat(v, "min");
    m_rangeMax = json::GetFloat(v, "max");
    readPoint(v, "center", m_center);
    readDir(v, "xDir", m_xDir);
    readDir(v, "yDir", m_yDir);
    readDir(v, "zDir", m_zDir);
    readDir(v, "normal", m_normal);
    readDir(v, "originDir", m_originDir);
    m_majorRadius = json::GetFloat(v, "majorRadius");
    m_minorRadius = json::GetFloat(v, "minorRadius");
    readPoint(v, "beginPnt", m_beginPnt);
    readPoint(v, "endPnt", m_endPnt);
    m_beginPar = json::GetFloat(v, "beginPar");
    m_endPar = json::GetFloat(v, "endPar");
    return Vantor_SUCCESS;
}

void Vantor_Arc::GetRange(float& min, float& max) const { min = m_rangeMin; max = m_rangeMax; }
void Vantor_Arc::SetRange(float min, float max) { m_rangeMin = min; m_rangeMax = max; }
Vantor_PNT32 Vantor_Arc::GetCenterPoint() const { return m_center; }
void Vantor_Arc::SetCenterPoint(const Vantor_PNT32& p) { m_center = p; }
void Vantor_Arc::GetXYZDir(Vantor_DIR32& x, Vantor_DIR32& y, Vantor_DIR32& z) const { x = m_xDir; y = m_yDir; z = m_zDir; }
void Vantor_Arc::SetXYZDir(const Vantor_DIR32& x, const Vantor_DIR32& y, const Vantor_DIR32& z) { m_xDir = x; m_yDir = y; m_zDir = z; }
void Vantor_Arc::GetRadius(float& major, float& minor) const { major = m_majorRadius; minor = m_minorRadius; }
void Vantor_Arc::SetRadius(float major, float minor) { m_majorRadius = major; m_minorRadius = minor; }
void Vantor_Arc::GetCoordinatePnt(Vantor_PNT32& begin, Vantor_PNT32& end) const { begin = m_beginPnt; end = m_endPnt; }
void Vantor_Arc::SetCoordiantePnt(const Vantor_PNT32& begin, const Vantor_PNT32& end) { m_beginPnt = begin; m_endPnt = end; }
void Vantor_Arc::GetParameter(float& begin, float& end) const { begin = m_beginPar; end = m_endPar; }
void Vantor_Arc::SetParameter(float begin, float end) { m_beginPar = begin; m_endPar = end; }
Vantor_DIR32 Vantor_Arc::GetNormal() const { return m_normal; }
void Vantor_Arc::SetNormal(const Vantor_DIR32& d) { m_normal = d; }
Vantor_DIR32 Vantor_Arc::GetOriginDir() const { return m_originDir; }
void Vantor_Arc::SetOriginDir(const Vantor_DIR32& d) { m_originDir = d; }

// ---- Vantor_Line ----

Vantor_Line::Vantor_Line()
{
    m_curveType = Vantor_CurveType_Line;
}

Vantor_STATUS Vantor_Line::ToJson(void* value, void* document)
{
    if (!value || !document)
        return Vantor_FAILURE;
    WriteBaseJson(value, document);
    json::Value& v = *json::AsValue(value);
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    addPoint(v, "startPnt", m_start, a);
    addPoint(v, "endPnt", m_end, a);
    addPoint(v, "origin", m_origin, a);
    addDir(v, "direction", m_direction, a);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_Line::FromJson(void* value, void*)
{
    if (!value || !json::AsValue(value)->IsObject())
        return Vantor_FAILURE;
    const json::Value& v = *json::AsValue(value);
    ReadBaseJson(value);
    readPoint(v, "startPnt", m_start);
    readPoint(v, "endPnt", m_end);
    readPoint(v, "origin", m_origin);
    readDir(v, "direction", m_direction);
    return Vantor_SUCCESS;
}

Vantor_PNT32 Vantor_Line::GetStartPoint() const { return m_start; }
void Vantor_Line::SetStartPoint(const Vantor_PNT32& p) { m_start = p; }
Vantor_PNT32 Vantor_Line::GetEndPoint() const { return m_end; }
void Vantor_Line::SetEndPoint(const Vantor_PNT32& p) { m_end = p; }
Vantor_PNT32 Vantor_Line::GetOrigin() const { return m_origin; }
void Vantor_Line::SetOrigin(const Vantor_PNT32& p) { m_origin = p; }
Vantor_DIR32 Vantor_Line::GetDirection() const { return m_direction; }
void Vantor_Line::SetDirection(const Vantor_DIR32& d) { m_direction = d; }

// ---- Vantor_NurbsCurve ----

Vantor_NurbsCurve::Vantor_NurbsCurve()
    : m_domainMin(0.0f)
    , m_domainMax(0.0f)
    , m_degree(0)
{
    m_curveType = Vantor_CurveType_NurbsCurve;
}

Vantor_STATUS Vantor_NurbsCurve::FromJson(std::string) { return Vantor_SUCCESS; }
std::string Vantor_NurbsCurve::ToJson() { return std::string(); }
void Vantor_NurbsCurve::GetDomain(float& min, float& max) const { min = m_domainMin; max = m_domainMax; }
void Vantor_NurbsCurve::SetDomain(float min, float max) { m_domainMin = min; m_domainMax = max; }
unsigned Vantor_NurbsCurve::GetDegree() const { return m_degree; }
void Vantor_NurbsCurve::SetDegree(unsigned degree) { m_degree = degree; }
std::vector<unsigned> Vantor_NurbsCurve::GetKnotMultiplicity() const { return m_knotMultiplicity; }
std::vector<float> Vantor_NurbsCurve::GetKnots() const { return m_knots; }
std::vector<Vantor_PNT32> Vantor_NurbsCurve::GetPoints() const { return m_points; }
std::vector<float> Vantor_NurbsCurve::GetWeights() const { return m_weights; }
void Vantor_NurbsCurve::AddKnotMultiplicity(unsigned m) { m_knotMultiplicity.push_back(m); }
void Vantor_NurbsCurve::AddKnot(float k) { m_knots.push_back(k); }
void Vantor_NurbsCurve::AddPoint(Vantor_PNT32 p) { m_points.push_back(p); }
void Vantor_NurbsCurve::AddWeight(float w) { m_weights.push_back(w); }

void Vantor_NurbsCurve::WriteVertex(float* out, Vantor_PNT32 p)
{
    if (!out)
        return;
    out[0] = p.x;
    out[1] = p.y;
    out[2] = p.z;
}

// ---- Vantor_Hyperbola ----

Vantor_Hyperbola::Vantor_Hyperbola()
    : m_domainMin(0.0f)
    , m_domainMax(0.0f)
    , m_semiAxis(0.0f)
    , m_semiImgAxis(0.0f)
{
    m_curveType = Vantor_CurveType_Hyperbola;
}

Vantor_STATUS Vantor_Hyperbola::FromJson(std::string) { return Vantor_SUCCESS; }
std::string Vantor_Hyperbola::ToJson() { return std::string(); }
void Vantor_Hyperbola::GetDomain(float& min, float& max) const { min = m_domainMin; max = m_domainMax; }
void Vantor_Hyperbola::SetDomain(float min, float max) { m_domainMin = min; m_domainMax = max; }
Vantor_PNT32 Vantor_Hyperbola::GetCenterPoint() const { return m_center; }
void Vantor_Hyperbola::SetCenterPoint(const Vantor_PNT32& p) { m_center = p; }
void Vantor_Hyperbola::GetXYZDir(Vantor_DIR32& x, Vantor_DIR32& y, Vantor_DIR32& z) const { x = m_xDir; y = m_yDir; z = m_zDir; }
void Vantor_Hyperbola::SetXYZDir(const Vantor_DIR32& x, const Vantor_DIR32& y, const Vantor_DIR32& z) { m_xDir = x; m_yDir = y; m_zDir = z; }
float Vantor_Hyperbola::GetSemiAxis() const { return m_semiAxis; }
void Vantor_Hyperbola::SetSemiAxis(float v) { m_semiAxis = v; }
float Vantor_Hyperbola::GetSemiImgAxis() const { return m_semiImgAxis; }
void Vantor_Hyperbola::SetSemiImgAxis(float v) { m_semiImgAxis = v; }
Vantor_PNT32 Vantor_Hyperbola::GetStartPoint() const { return m_start; }
void Vantor_Hyperbola::SetStartPoint(const Vantor_PNT32& p) { m_start = p; }
Vantor_PNT32 Vantor_Hyperbola::GetEndPoint() const { return m_end; }
void Vantor_Hyperbola::SetEndPoint(const Vantor_PNT32& p) { m_end = p; }

// ---- Vantor_Parabola ----

Vantor_Parabola::Vantor_Parabola()
    : m_domainMin(0.0f)
    , m_domainMax(0.0f)
    , m_focalDistance(0.0f)
{
    m_curveType = Vantor_CurveType_Parabola;
}

Vantor_STATUS Vantor_Parabola::FromJson(std::string) { return Vantor_SUCCESS; }
std::string Vantor_Parabola::ToJson() { return std::string(); }
void Vantor_Parabola::GetDomain(float& min, float& max) const { min = m_domainMin; max = m_domainMax; }
void Vantor_Parabola::SetDomain(float min, float max) { m_domainMin = min; m_domainMax = max; }
Vantor_PNT32 Vantor_Parabola::GetStartPoint() const { return m_start; }
void Vantor_Parabola::SetStartPoint(const Vantor_PNT32& p) { m_start = p; }
Vantor_PNT32 Vantor_Parabola::GetEndPoint() const { return m_end; }
void Vantor_Parabola::SetEndPoint(const Vantor_PNT32& p) { m_end = p; }
Vantor_PNT32 Vantor_Parabola::GetCenterPoint() const { return m_center; }
void Vantor_Parabola::SetCenterPoint(const Vantor_PNT32& p) { m_center = p; }
void Vantor_Parabola::GetXYZDir(Vantor_DIR32& x, Vantor_DIR32& y, Vantor_DIR32& z) const { x = m_xDir; y = m_yDir; z = m_zDir; }
void Vantor_Parabola::SetXYZDir(const Vantor_DIR32& x, const Vantor_DIR32& y, const Vantor_DIR32& z) { m_xDir = x; m_yDir = y; m_zDir = z; }
float Vantor_Parabola::GetFocalDistance() const { return m_focalDistance; }
void Vantor_Parabola::SetFocalDistance(float v) { m_focalDistance = v; }

} // namespace VantorSoft
