#include "dazo/Vantor_PMIElement.h"

#include "dazo/Vantor_Curve.h"
#include "dazo/Vantor_Text.h"
#include "dazo/detail/PmiJson.h"

namespace VantorSoft {

using pmijson::Reader;
using pmijson::startReading;
using pmijson::startWriting;
using pmijson::Value;

// ---- Vantor_Leader ----

Vantor_Leader::Vantor_Leader()
    : m_leaderType(static_cast<Vantor_LeaderTypeEnum>(0))
    , m_termType(static_cast<Vantor_TermTypeEnum>(0))
    , m_termSize{0.0f, 0.0f}
    , m_bendLineFlag(false)
{
}

Vantor_Leader::~Vantor_Leader() = default;

void Vantor_Leader::SetLeaderType(Vantor_LeaderTypeEnum type) { m_leaderType = type; }
Vantor_LeaderTypeEnum Vantor_Leader::GetLeaderType() const { return m_leaderType; }

void Vantor_Leader::SetTerminator(Vantor_TermTypeEnum type, const float* size, const Vantor_PNT32& location,
                                  const Vantor_DIR32& direction)
{
    m_termType = type;
    if (size) {
        m_termSize[0] = size[0];
        m_termSize[1] = size[1];
    }
    m_termLocation = location;
    m_termDirection = direction;
}

void Vantor_Leader::GetTerminator(Vantor_TermTypeEnum& type, float* size, Vantor_PNT32& location,
                                  Vantor_DIR32& direction) const
{
    type = m_termType;
    if (size) {
        size[0] = m_termSize[0];
        size[1] = m_termSize[1];
    }
    location = m_termLocation;
    direction = m_termDirection;
}

void Vantor_Leader::SetBendLineFlag(bool flag) { m_bendLineFlag = flag; }
bool Vantor_Leader::GetBendLineFlag() const { return m_bendLineFlag; }

void Vantor_Leader::AddCurve(std::shared_ptr<Vantor_Curve> curve)
{
    if (curve)
        m_curves.push_back(std::move(curve));
}

std::shared_ptr<Vantor_Curve> Vantor_Leader::GetCurve(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_curves.size())
        return nullptr;
    return m_curves[static_cast<std::size_t>(index)];
}

std::vector<std::shared_ptr<Vantor_Curve>> Vantor_Leader::GetAllCurve() const { return m_curves; }

Vantor_STATUS Vantor_Leader::ToJson(void* value, void* document)
{
    Value* v = startWriting(value, document);
    if (!v)
        return Vantor_FAILURE;
    json::Document& doc = *json::AsDocument(document);
    json::Allocator& a = doc.GetAllocator();
    pmijson::AddInt(*v, "leaderType", m_leaderType, a);
    pmijson::AddInt(*v, "termType", m_termType, a);
    pmijson::AddString(*v, "termSize", pmijson::FloatsText(m_termSize, 2), a);
    pmijson::AddString(*v, "termLoc", PointText(m_termLocation), a);
    pmijson::AddString(*v, "termDir", PointText(m_termDirection), a);
    v->AddMember("hasBendLine", Value(m_bendLineFlag), a);
    pmijson::AddCurveGroup(*v, m_curves, doc);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_Leader::FromJson(void* value, void* document)
{
    Value* v = startReading(value);
    if (!v)
        return Vantor_FAILURE;
    Reader r(*v);
    r.readEnumOrZero("leaderType", m_leaderType);
    r.readEnumOrZero("termType", m_termType);
    r.require("termSize");
    r.readFloats("termSize", m_termSize, 2);
    r.require("termLoc");
    r.readPoint("termLoc", m_termLocation);
    r.require("termDir");
    r.readDir("termDir", m_termDirection);
    if (!r.has("hasBendLine"))
        m_bendLineFlag = false;
    else
        r.readBool("hasBendLine", m_bendLineFlag);
    r.readCurveGroup(document, m_curves);
    return r.status();
}

// ---- Vantor_Extensionline ----

Vantor_Extensionline::Vantor_Extensionline()
    : m_exLineType(static_cast<Vantor_ExtensTypeEnum>(0))
    , m_style(0)
{
}

Vantor_Extensionline::~Vantor_Extensionline() = default;

void Vantor_Extensionline::SetExLineType(Vantor_ExtensTypeEnum type) { m_exLineType = type; }
Vantor_ExtensTypeEnum Vantor_Extensionline::GetExLineType() const { return m_exLineType; }
void Vantor_Extensionline::SetStyle(unsigned int style) { m_style = style; }
unsigned int Vantor_Extensionline::GetStyle() const { return m_style; }
void Vantor_Extensionline::SetCurve(std::shared_ptr<Vantor_Curve> curve) { m_curve = std::move(curve); }
std::shared_ptr<Vantor_Curve> Vantor_Extensionline::GetCurve() const { return m_curve; }

Vantor_STATUS Vantor_Extensionline::ToJson(void* value, void* document)
{
    Value* v = startWriting(value, document);
    if (!v)
        return Vantor_FAILURE;
    json::Document& doc = *json::AsDocument(document);
    json::Allocator& a = doc.GetAllocator();
    pmijson::AddInt(*v, "exLineType", m_exLineType, a);
    pmijson::AddInt(*v, "style", static_cast<std::int32_t>(m_style), a);
    if (m_curve)
        pmijson::AddSingleCurve(*v, m_curve, doc);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_Extensionline::FromJson(void* value, void* document)
{
    Value* v = startReading(value);
    if (!v)
        return Vantor_FAILURE;
    Reader r(*v);
    r.readEnumOrZero("exLineType", m_exLineType);
    if (!r.has("style"))
        m_style = 0;
    else
        r.readBits32("style", m_style);
    Value* group = r.member("curves");
    if (group && !group->IsObject()) {
        r.markDamaged();
    } else if (group) {
        for (int k = 0; k < pmijson::CurveKindCount(); ++k) {
            const pmijson::CurveKind& kind = pmijson::CurveKinds()[k];
            Value* arr = json::Member(*group, kind.key);
            if (!arr)
                continue;
            if (!arr->IsArray()) {
                r.markDamaged();
                continue;
            }
            for (Value& e : arr->GetArray()) {
                if (!e.IsObject()) {
                    r.markDamaged();
                    continue;
                }
                m_curve = pmijson::ReadCurve(kind, e, document, r);
            }
        }
    }
    return r.status();
}

// ---- Vantor_SpecialLine ----

Vantor_SpecialLine::Vantor_SpecialLine()
    : m_specLinUse(static_cast<Vantor_SpecLineUsageEnum>(0))
{
}

Vantor_SpecialLine::~Vantor_SpecialLine() = default;

void Vantor_SpecialLine::SetSpecLinUse(Vantor_SpecLineUsageEnum use) { m_specLinUse = use; }
Vantor_SpecLineUsageEnum Vantor_SpecialLine::GetSpecLinUse() const { return m_specLinUse; }

void Vantor_SpecialLine::AddCurve(std::shared_ptr<Vantor_Curve> curve)
{
    if (curve)
        m_curves.push_back(std::move(curve));
}

std::vector<std::shared_ptr<Vantor_Curve>> Vantor_SpecialLine::GetCurves() const { return m_curves; }

Vantor_STATUS Vantor_SpecialLine::ToJson(void* value, void* document)
{
    Value* v = startWriting(value, document);
    if (!v)
        return Vantor_FAILURE;
    json::Document& doc = *json::AsDocument(document);
    pmijson::AddInt(*v, "useType", m_specLinUse, doc.GetAllocator());
    pmijson::AddCurveGroup(*v, m_curves, doc);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_SpecialLine::FromJson(void* value, void* document)
{
    Value* v = startReading(value);
    if (!v)
        return Vantor_FAILURE;
    Reader r(*v);
    r.readEnumOrZero("useType", m_specLinUse);
    r.readCurveGroup(document, m_curves);
    return r.status();
}

// ---- Vantor_OutFrame ----

Vantor_OutFrame::Vantor_OutFrame()
    : m_frameType(static_cast<Vantor_OutFrameUsageEnum>(0))
    , m_defineType(Vantor_OutFrameDef_PMI)
{
}

Vantor_OutFrame::~Vantor_OutFrame() = default;

void Vantor_OutFrame::SetFrameType(Vantor_OutFrameUsageEnum type) { m_frameType = type; }
Vantor_OutFrameUsageEnum Vantor_OutFrame::GetFrameType() const { return m_frameType; }
void Vantor_OutFrame::SetDefineType(Vantor_OutFrameDefEnum type) { m_defineType = type; }
Vantor_OutFrameDefEnum Vantor_OutFrame::GetDefineType() const { return m_defineType; }

void Vantor_OutFrame::SetFrameData(std::shared_ptr<Vantor_Curve> curve)
{
    // An empty entry would only be skipped by every writer and trip up every caller that walks the list.
    if (curve)
        m_frameData.push_back(std::move(curve));
}

const std::vector<std::shared_ptr<Vantor_Curve>>& Vantor_OutFrame::GetFrameData() const { return m_frameData; }

Vantor_STATUS Vantor_OutFrame::ToJson(void* value, void* document)
{
    Value* v = startWriting(value, document);
    if (!v)
        return Vantor_FAILURE;
    json::Document& doc = *json::AsDocument(document);
    json::Allocator& a = doc.GetAllocator();
    pmijson::AddInt(*v, "frameType", m_frameType, a);
    pmijson::AddInt(*v, "defType", m_defineType, a);
    pmijson::AddCurveGroup(*v, m_frameData, doc);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_OutFrame::FromJson(void* value, void* document)
{
    Value* v = startReading(value);
    if (!v)
        return Vantor_FAILURE;
    Reader r(*v);
    r.readEnumOrZero("frameType", m_frameType);
    r.readEnumOrZero("defType", m_defineType);
    r.readCurveGroup(document, m_frameData);
    return r.status();
}

} // namespace VantorSoft
