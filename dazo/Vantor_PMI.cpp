#include "dazo/Vantor_PMI.h"

#include "dazo/Vantor_Object.h"
#include "dazo/Vantor_PMIElement.h"
#include "dazo/Vantor_PMIText.h"
#include "dazo/Vantor_Text.h"
#include "dazo/detail/PmiJson.h"

namespace VantorSoft {

using pmijson::Reader;
using pmijson::Value;

namespace {

const unsigned int kDisplayBit = 0x1;
const unsigned int kParallelScreenBit = 0x100;
const unsigned int kFixBit = 0x1000;
const unsigned int kOldVersionBit = 0x10000;
const unsigned int kAdjustedBit = 0x100000;
const unsigned int kFrontBit = 0x1000000;

// What each flag setter keeps of the word (the low bit of every other hexadecimal digit). Files
// written by earlier versions carry words made this way, so the masks stay as they are.
const unsigned int kDisplayKeep = 0x11111110;
const unsigned int kParallelScreenKeep = 0x11111011;
const unsigned int kFixKeep = 0x11110111;
const unsigned int kOldVersionKeep = 0x11101111;
const unsigned int kAdjustedKeep = 0x11011111;
const unsigned int kFrontKeep = 0x10111111;

template <class T>
void appendIfSet(std::vector<std::shared_ptr<T>>& list, std::shared_ptr<T> element)
{
    if (element)
        list.push_back(std::move(element));
}

// Writes the array only when the list has entries; empty pointers are left out.
template <class T>
void addElements(Value& obj, const char* key, const std::vector<std::shared_ptr<T>>& list, void* document)
{
    if (list.empty())
        return;
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    Value arr(rapidjson::kArrayType);
    for (const auto& element : list) {
        if (!element)
            continue;
        Value elem;
        element->ToJson(&elem, document);
        arr.PushBack(elem, a);
    }
    obj.AddMember(rapidjson::StringRef(key), arr, a);
}

} // namespace

Vantor_PMI::Vantor_PMI()
    : initValue(0)
    , m_id(Vantor_Object::NewId())
    , m_color{-1, -1, -1, -1}
    , m_type(static_cast<Vantor_PMITypeEnum>(0))
    , m_style(0xFFFFFFFFu)
    , m_useType(0xFFFFFFFFu)
    , visible(true)
{
}

Vantor_PMI::~Vantor_PMI() = default;

void Vantor_PMI::Init(Vantor_PMIDocument*, int value) { initValue = value; }

void Vantor_PMI::SetID(u64 id) { m_id = id; }
u64 Vantor_PMI::GetID() const { return m_id; }
void Vantor_PMI::SetName(const std::wstring& name) { m_name = name; }
std::wstring Vantor_PMI::GetName() const { return m_name; }
void Vantor_PMI::SetDefPlane(const Vantor_MTX32& plane) { m_defPlane = plane; }
const Vantor_MTX32& Vantor_PMI::GetDefPlane() const { return m_defPlane; }
void Vantor_PMI::SetColor(const Vantor_RGBA& color) { m_color = color; }
const Vantor_RGBA& Vantor_PMI::GetColor() const { return m_color; }
void Vantor_PMI::SetType(Vantor_PMITypeEnum type) { m_type = type; }
Vantor_PMITypeEnum Vantor_PMI::GetType() const { return m_type; }
void Vantor_PMI::SetStyle(const unsigned int& style) { m_style = style; }
const unsigned int& Vantor_PMI::GetStyle() const { return m_style; }
void Vantor_PMI::SetUseType(const unsigned int& useType) { m_useType = useType; }

const int& Vantor_PMI::GetUseType() const
{
    // The signed view of the stored word (signed and unsigned int may alias).
    return reinterpret_cast<const int&>(m_useType);
}

void Vantor_PMI::SetAxisX(const Vantor_DIR32& axis) { m_axisX = axis; }
Vantor_DIR32& Vantor_PMI::GetAxisX() { return m_axisX; }
const Vantor_DIR32& Vantor_PMI::GetAxisX() const { return m_axisX; }
void Vantor_PMI::SetAxisY(const Vantor_DIR32& axis) { m_axisY = axis; }
Vantor_DIR32& Vantor_PMI::GetAxisY() { return m_axisY; }
const Vantor_DIR32& Vantor_PMI::GetAxisY() const { return m_axisY; }
void Vantor_PMI::SetSymBasePoint(const Vantor_PNT32& point) { m_symBasePoint = point; }
Vantor_PNT32& Vantor_PMI::GetSymBasePoint() { return m_symBasePoint; }
const Vantor_PNT32& Vantor_PMI::GetSymBasePoint() const { return m_symBasePoint; }

void Vantor_PMI::setFlag(unsigned int bit, unsigned int keepMask, bool on)
{
    m_style &= keepMask;
    if (on)
        m_style |= bit;
}

bool Vantor_PMI::IsDisplay() const { return (m_style & kDisplayBit) != 0; }
void Vantor_PMI::SetDisplay(bool on) { setFlag(kDisplayBit, kDisplayKeep, on); }
bool Vantor_PMI::IsParallelScreen() const { return (m_style & kParallelScreenBit) != 0; }
void Vantor_PMI::SetParallelScreen(bool on) { setFlag(kParallelScreenBit, kParallelScreenKeep, on); }
bool Vantor_PMI::IsFix() const { return (m_style & kFixBit) != 0; }
void Vantor_PMI::SetFix(bool on) { setFlag(kFixBit, kFixKeep, on); }
bool Vantor_PMI::IsOldVersion() const { return (m_style & kOldVersionBit) != 0; }
void Vantor_PMI::SetOldVersion(bool on) { setFlag(kOldVersionBit, kOldVersionKeep, on); }
bool Vantor_PMI::IsAdjusted() const { return (m_style & kAdjustedBit) != 0; }
void Vantor_PMI::SetAdjusted(bool on) { setFlag(kAdjustedBit, kAdjustedKeep, on); }
bool Vantor_PMI::IsFront() const { return (m_style & kFrontBit) != 0; }
void Vantor_PMI::SetFront(bool on) { setFlag(kFrontBit, kFrontKeep, on); }

const std::vector<std::shared_ptr<Vantor_Leader>>& Vantor_PMI::GetLeaders() const { return m_leaders; }
void Vantor_PMI::SetLeaders(const std::vector<std::shared_ptr<Vantor_Leader>>& leaders) { m_leaders = leaders; }
void Vantor_PMI::AddLeader(std::shared_ptr<Vantor_Leader> leader) { appendIfSet(m_leaders, std::move(leader)); }
const std::vector<std::shared_ptr<Vantor_Extensionline>>& Vantor_PMI::GetExLines() const { return m_exLines; }
void Vantor_PMI::SetExLines(const std::vector<std::shared_ptr<Vantor_Extensionline>>& lines) { m_exLines = lines; }
void Vantor_PMI::AddExline(std::shared_ptr<Vantor_Extensionline> line) { appendIfSet(m_exLines, std::move(line)); }
const std::vector<std::shared_ptr<Vantor_ComText>>& Vantor_PMI::GetComText() const { return m_comTexts; }
void Vantor_PMI::AddComText(std::shared_ptr<Vantor_ComText> text) { appendIfSet(m_comTexts, std::move(text)); }
const std::vector<std::shared_ptr<Vantor_OutFrame>>& Vantor_PMI::GetOutFrame() const { return m_outFrames; }

void Vantor_PMI::SetOutFrame(std::shared_ptr<Vantor_OutFrame> frame)
{
    if (!frame)
        return;
    frame->SetDefineType(Vantor_OutFrameDef_PMI);
    m_outFrames.push_back(std::move(frame));
}

const std::vector<std::shared_ptr<Vantor_SpecialLine>>& Vantor_PMI::GetSpecialLines() const { return m_specialLines; }
void Vantor_PMI::AddSpecialLine(std::shared_ptr<Vantor_SpecialLine> line) { appendIfSet(m_specialLines, std::move(line)); }

Vantor_STATUS Vantor_PMI::ToJson(void* value, void* document)
{
    Value* v = pmijson::startWriting(value, document);
    if (!v)
        return Vantor_FAILURE;
    json::Allocator& a = json::AsDocument(document)->GetAllocator();
    v->AddMember("id", Value(static_cast<uint64_t>(m_id)), a);
    pmijson::AddWide(*v, "name", m_name, a);
    pmijson::AddInt(*v, "type", m_type, a);
    v->AddMember("visible", Value(visible), a);
    pmijson::AddString(*v, "defPlane", pmijson::FloatsText(m_defPlane.m, 16), a);
    pmijson::AddString(*v, "color", ColorText(m_color), a);
    pmijson::AddUint(*v, "style", m_style, a);
    pmijson::AddUint(*v, "usetype", m_useType, a);
    pmijson::AddString(*v, "dirX", PointText(m_axisX), a);
    pmijson::AddString(*v, "dirY", PointText(m_axisY), a);
    pmijson::AddString(*v, "symBasePnt", PointText(m_symBasePoint), a);
    addElements(*v, "leaders", m_leaders, document);
    addElements(*v, "exLines", m_exLines, document);
    addElements(*v, "comTexts", m_comTexts, document);
    addElements(*v, "outFrames", m_outFrames, document);
    addElements(*v, "specialLines", m_specialLines, document);
    return Vantor_SUCCESS;
}

Vantor_STATUS Vantor_PMI::FromJson(void* value, void* document)
{
    if (!document)
        return Vantor_FAILURE;
    Value* v = pmijson::startReading(value);
    if (!v)
        return Vantor_FAILURE;
    Reader r(*v);
    r.readUint64("id", m_id);
    if (!r.has("name"))
        m_name.clear();
    else
        r.readWide("name", m_name);
    r.readEnumOrZero("type", m_type);
    if (!r.has("visible"))
        visible = false;
    else
        r.readBool("visible", visible);
    r.require("defPlane");
    r.readFloats("defPlane", m_defPlane.m, 16);
    r.readBits32("style", m_style);
    r.readBits32("usetype", m_useType);
    std::int32_t c[4];
    r.require("color");
    if (r.readInts("color", c, 4))
        m_color = Vantor_RGBA{c[0], c[1], c[2], c[3]};
    r.require("dirX");
    r.readDir("dirX", m_axisX);
    r.require("dirY");
    r.readDir("dirY", m_axisY);
    r.require("symBasePnt");
    r.readPoint("symBasePnt", m_symBasePoint);
    r.readElements("leaders", document, m_leaders);
    r.readElements("exLines", document, m_exLines);
    r.readElements("comTexts", document, m_comTexts);
    r.readElements("outFrames", document, m_outFrames);
    r.readElements("specialLines", document, m_specialLines);
    return r.status();
}

} // namespace VantorSoft
