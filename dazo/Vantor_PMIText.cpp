#include "dazo/Vantor_PMIText.h"

#include "dazo/Vantor_PMIElement.h"
#include "dazo/Vantor_Text.h"
#include "dazo/detail/PmiJson.h"

#include <cmath>

namespace VantorSoft {

using pmijson::Reader;
using pmijson::startReading;
using pmijson::startWriting;
using pmijson::Value;

// ---- Vantor_Text ----

Vantor_Text::Vantor_Text()
    : m_rotationAngle(0.0)
    , m_charWidth(0.0f)
    , m_charHeight(0.0f)
    , m_charSpace(0.0f)
    , m_usageType(Vantor_TextType_Default)
    , m_fontStyle(static_cast<Vantor_FontStyleTypeEnum>(0))
    , m_fontType(static_cast<Vantor_FontTypeEnum>(0))
    , m_attributeType(static_cast<Vantor_TextAttributeTypeEnum>(0))
{
}

Vantor_Text::~Vantor_Text() = default;

void Vantor_Text::SetInnerLoc(const Vantor_PNT32& location) { m_innerLoc = location; }
Vantor_PNT32 Vantor_Text::GetInnerLoc() const { return m_innerLoc; }

void Vantor_Text::SetInnerXYAxis(const Vantor_DIR32& xAxis, const Vantor_DIR32& yAxis)
{
    m_innerXAxis = xAxis;
    m_innerYAxis = yAxis;
}

void Vantor_Text::GetInnerXYAxis(Vantor_DIR32& xAxis, Vantor_DIR32& yAxis) const
{
    xAxis = m_innerXAxis;
    yAxis = m_innerYAxis;
}

void Vantor_Text::SetRotationAngle(double angle) { m_rotationAngle = angle; }
double Vantor_Text::GetRotationAngle() const { return m_rotationAngle; }

void Vantor_Text::SetCharWidthAndHeight(const float& width, const float& height)
{
    m_charWidth = width;
    m_charHeight = height;
}

void Vantor_Text::GetCharWidthAndHeight(float& width, float& height) const
{
    width = m_charWidth;
    height = m_charHeight;
}

void Vantor_Text::SetCharSpace(const float& space) { m_charSpace = space; }
float Vantor_Text::GetCharSpace() const { return m_charSpace; }
void Vantor_Text::SetFontName(std::wstring name) { m_fontName = std::move(name); }
std::wstring Vantor_Text::GetFontName() const { return m_fontName; }
void Vantor_Text::SetTextContent(std::wstring content) { m_textContent = std::move(content); }
std::wstring Vantor_Text::GetTextContent() const { return m_textContent; }
void Vantor_Text::SetUsageType(Vantor_TextTypeEnum type) { m_usageType = type; }
Vantor_TextTypeEnum Vantor_Text::GetUsageType() const { return m_usageType; }
void Vantor_Text::SetOuterBox(const Vantor_BOX32& box) { m_outerBox = box; }
Vantor_BOX32 Vantor_Text::GetOuterBox() const { return m_outerBox; }
void Vantor_Text::SetFontStype(Vantor_FontStyleTypeEnum style) { m_fontStyle = style; }
Vantor_FontStyleTypeEnum Vantor_Text::GetFontStyle() const { return m_fontStyle; }
void Vantor_Text::SetFontType(Vantor_FontTypeEnum type) { m_fontType = type; }
Vantor_FontTypeEnum Vantor_Text::GetFontType() const { return m_fontType; }
void Vantor_Text::SetAttributeType(Vantor_TextAttributeTypeEnum type) { m_attributeType = type; }
Vantor_TextAttributeTypeEnum Vantor_Text::GetAttributeType() const { return m_attributeType; }

Vantor_STATUS Vantor_Text::AddOutFrame(std::shared_ptr<Vantor_OutFrame> frame)
{
    if (!frame)
        return Vantor_FAILURE;
    frame->SetDefineType(Vantor_OutFrameDef_Text);
    m_outFrames.push_back(std::move(frame));
    return Vantor_SUCCESS;
}

unsigned int Vantor_Text::GetOutFrameNum() const
{
    return static_cast<unsigned int>(m_outFrames.size());
}

std::shared_ptr<Vantor_OutFrame> Vantor_Text::GetOutFrameByIndex(unsigned int index) const
{
    if (index >= m_outFrames.size())
        return nullptr;
    return m_outFrames[index];
}

Vantor_STATUS Vantor_Text::ToJson(void* value, void* document)
{
    Value* v = startWriting(value, document);
    if (!v)
        return Vantor_FAILURE;
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    if (std::isnan(m_rotationAngle))
        m_rotationAngle = 0.0;
    const float axes[6] = {m_innerXAxis.x, m_innerXAxis.y, m_innerXAxis.z,
                           m_innerYAxis.x, m_innerYAxis.y, m_innerYAxis.z};
    const float size[2] = {m_charWidth, m_charHeight};
    pmijson::AddString(*v, "innerLoc", PointText(m_innerLoc), a);
    pmijson::AddString(*v, "axis", pmijson::FloatsText(axes, 6), a);
    // An infinite angle has no JSON form: it would stop the caller's writer.
    v->AddMember("angle", json::Number(m_rotationAngle), a);
    pmijson::AddString(*v, "size", pmijson::FloatsText(size, 2), a);
    v->AddMember("charSpace", json::Number(m_charSpace), a);
    pmijson::AddInt(*v, "usetype", m_usageType, a);
    pmijson::AddString(*v, "outBox", pmijson::BoxText(m_outerBox), a);
    pmijson::AddWide(*v, "fontName", m_fontName, a);
    pmijson::AddInt(*v, "fontStyle", m_fontStyle, a);
    pmijson::AddInt(*v, "fontType", m_fontType, a);
    pmijson::AddWide(*v, "content", m_textContent, a);
    pmijson::AddInt(*v, "textAttribute", m_attributeType, a);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_Text::FromJson(void* value, void*)
{
    Value* v = startReading(value);
    if (!v)
        return Vantor_FAILURE;
    Reader r(*v);
    r.readPoint("innerLoc", m_innerLoc);
    float axes[6];
    if (r.readFloats("axis", axes, 6)) {
        m_innerXAxis = Vantor_DIR32{axes[0], axes[1], axes[2]};
        m_innerYAxis = Vantor_DIR32{axes[3], axes[4], axes[5]};
    }
    r.readDouble("angle", m_rotationAngle);
    float size[2];
    if (r.readFloats("size", size, 2)) {
        m_charWidth = size[0];
        m_charHeight = size[1];
    }
    double space = 0.0;
    if (r.readDouble("charSpace", space))
        m_charSpace = json::ToFloat(space);
    r.readEnum("usetype", m_usageType);
    r.readBox("outBox", m_outerBox);
    r.readWide("fontName", m_fontName);
    r.readEnum("fontStyle", m_fontStyle);
    r.readEnum("fontType", m_fontType);
    r.readWide("content", m_textContent);
    r.readEnum("textAttribute", m_attributeType);
    return r.status();
}

// ---- Vantor_ComText ----

Vantor_ComText::Vantor_ComText()
    : m_frameType(static_cast<Vantor_FrameTypeEnum>(0))
{
}

Vantor_ComText::~Vantor_ComText() = default;

void Vantor_ComText::SetOuterBox(const Vantor_BOX32& box) { m_outerBox = box; }
Vantor_BOX32 Vantor_ComText::GetOuterBox() const { return m_outerBox; }
void Vantor_ComText::SetFrameType(Vantor_FrameTypeEnum type) { m_frameType = type; }
Vantor_FrameTypeEnum Vantor_ComText::GetFrameType() const { return m_frameType; }
void Vantor_ComText::SetEnvelope(std::shared_ptr<Vantor_Envelope> envelope) { m_envelope = std::move(envelope); }
std::shared_ptr<Vantor_Envelope> Vantor_ComText::GetEnvelope() const { return m_envelope; }
u64 Vantor_ComText::GetNumTexts() const { return static_cast<u64>(m_texts.size()); }
std::vector<std::shared_ptr<Vantor_Text>> Vantor_ComText::GetTexts() const { return m_texts; }
void Vantor_ComText::SetTexts(const std::vector<std::shared_ptr<Vantor_Text>>& texts) { m_texts = texts; }

void Vantor_ComText::AddText(const std::shared_ptr<Vantor_Text>& text)
{
    if (text)
        m_texts.push_back(text);
}

Vantor_STATUS Vantor_ComText::ToJson(void* value, void* document)
{
    Value* v = startWriting(value, document);
    if (!v)
        return Vantor_FAILURE;
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    pmijson::AddInt(*v, "frameType", m_frameType, a);
    pmijson::AddString(*v, "outBox", pmijson::BoxText(m_outerBox), a);
    Value texts(rapidjson::kArrayType);
    for (const auto& text : m_texts) {
        if (!text)
            continue;
        Value elem;
        text->ToJson(&elem, document);
        texts.PushBack(elem, a);
    }
    v->AddMember("texts", texts, a);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_ComText::FromJson(void* value, void* document)
{
    if (!document)
        return Vantor_FAILURE;
    Value* v = startReading(value);
    if (!v)
        return Vantor_FAILURE;
    Reader r(*v);
    r.require("outBox");
    r.readBox("outBox", m_outerBox);
    r.readEnumOrZero("frameType", m_frameType);
    r.readElements("texts", document, m_texts);
    return r.status();
}

// ---- Vantor_Envelope ----

namespace {

void setAnchor(std::map<Vantor_AnchorTypeEnum, Vantor_PNT32>& anchors, Vantor_AnchorTypeEnum type, const Vantor_PNT32& p)
{
    if (type == Vantor_AnchorType_Invalid)
        return;
    anchors[type] = p;
}

Vantor_STATUS getAnchor(const std::map<Vantor_AnchorTypeEnum, Vantor_PNT32>& anchors, Vantor_AnchorTypeEnum type,
                        Vantor_PNT32& p)
{
    const auto it = anchors.find(type);
    if (it == anchors.end())
        return Vantor_FAILURE;
    p = it->second;
    return Vantor_SUCCESS;
}

std::vector<Vantor_AnchorTypeEnum> anchorTypes(const std::map<Vantor_AnchorTypeEnum, Vantor_PNT32>& anchors)
{
    std::vector<Vantor_AnchorTypeEnum> types;
    types.reserve(anchors.size());
    for (const auto& entry : anchors)
        types.push_back(entry.first);
    return types;
}

void addAnchors(Value& obj, const char* key, const std::map<Vantor_AnchorTypeEnum, Vantor_PNT32>& anchors,
                json::Allocator& a)
{
    if (anchors.empty())
        return;
    Value arr(rapidjson::kArrayType);
    for (const auto& entry : anchors) {
        Value anchor(rapidjson::kObjectType);
        pmijson::AddInt(anchor, "type", entry.first, a);
        pmijson::AddString(anchor, "pnt", PointText(entry.second), a);
        arr.PushBack(anchor, a);
    }
    obj.AddMember(rapidjson::StringRef(key), arr, a);
}

void readAnchors(Reader& r, const char* key, std::map<Vantor_AnchorTypeEnum, Vantor_PNT32>& anchors)
{
    Value* arr = r.member(key);
    if (!arr)
        return;
    if (!arr->IsArray()) {
        r.markDamaged();
        return;
    }
    Value taken(rapidjson::kArrayType);
    taken.Swap(*arr);
    for (Value& e : taken.GetArray()) {
        if (!e.IsObject()) {
            r.markDamaged();
            continue;
        }
        // An anchor is one type with one point: without a usable point there is nothing to keep.
        Reader entry(e);
        std::int32_t type = 0;
        entry.readInt32("type", type);
        Vantor_PNT32 p;
        entry.require("pnt");
        entry.readPoint("pnt", p);
        if (entry.damaged()) {
            r.markDamaged();
            continue;
        }
        anchors.emplace(static_cast<Vantor_AnchorTypeEnum>(type), p); // the first point of a type stays
    }
}

} // namespace

Vantor_Envelope::Vantor_Envelope()
    : m_style(0)
{
}

Vantor_Envelope::~Vantor_Envelope() = default;

void Vantor_Envelope::SetBackgroundColor(Vantor_RGBA color) { m_backgroundColor = color; }
Vantor_RGBA Vantor_Envelope::GetBackgroundColor() const { return m_backgroundColor; }
void Vantor_Envelope::SetFrameColor(Vantor_RGBA color) { m_frameColor = color; }
Vantor_RGBA Vantor_Envelope::GetFrameColor() const { return m_frameColor; }
void Vantor_Envelope::SetStyle(int style) { m_style = style; }
int Vantor_Envelope::GetStyle() const { return m_style; }
void Vantor_Envelope::SetOutAnchorPoint(Vantor_AnchorTypeEnum type, Vantor_PNT32 point) { setAnchor(m_outAnchors, type, point); }
void Vantor_Envelope::SetInAnchorPoint(Vantor_AnchorTypeEnum type, Vantor_PNT32 point) { setAnchor(m_inAnchors, type, point); }

Vantor_STATUS Vantor_Envelope::GetOutAnchorPointByType(Vantor_AnchorTypeEnum type, Vantor_PNT32& point) const
{
    return getAnchor(m_outAnchors, type, point);
}

Vantor_STATUS Vantor_Envelope::GetInAnchorPointByType(Vantor_AnchorTypeEnum type, Vantor_PNT32& point) const
{
    return getAnchor(m_inAnchors, type, point);
}

std::vector<Vantor_AnchorTypeEnum> Vantor_Envelope::GetOutAllAnchorTypes() const { return anchorTypes(m_outAnchors); }
std::vector<Vantor_AnchorTypeEnum> Vantor_Envelope::GetInAllAnchorTypes() const { return anchorTypes(m_inAnchors); }

Vantor_STATUS Vantor_Envelope::ToJson(void* value, void* document)
{
    Value* v = startWriting(value, document);
    if (!v)
        return Vantor_FAILURE;
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    pmijson::AddInt(*v, "style", m_style, a);
    pmijson::AddString(*v, "backgroundColor", ColorText(m_backgroundColor), a);
    pmijson::AddString(*v, "frameColor", ColorText(m_frameColor), a);
    addAnchors(*v, "outAnchors", m_outAnchors, a);
    addAnchors(*v, "inAnchors", m_inAnchors, a);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_Envelope::FromJson(void* value, void*)
{
    Value* v = startReading(value);
    if (!v)
        return Vantor_FAILURE;
    Reader r(*v);
    r.readInt32("style", m_style);
    std::int32_t c[4];
    if (r.readInts("backgroundColor", c, 4))
        m_backgroundColor = Vantor_RGBA{c[0], c[1], c[2], c[3]};
    if (r.readInts("frameColor", c, 4))
        m_frameColor = Vantor_RGBA{c[0], c[1], c[2], c[3]};
    readAnchors(r, "outAnchors", m_outAnchors);
    readAnchors(r, "inAnchors", m_inAnchors);
    return r.status();
}

} // namespace VantorSoft
