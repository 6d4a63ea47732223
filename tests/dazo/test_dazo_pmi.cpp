// Annotation records and the annotation document: JSON forms, style flags, ordering by id.

#include "PmiTestUtil.h"

#include "dazo/Vantor_Curve.h"
#include "dazo/Vantor_PMI.h"
#include "dazo/Vantor_PMIDocument.h"
#include "dazo/Vantor_PMIElement.h"
#include "dazo/Vantor_PMIText.h"

#include <functional>
#include <memory>

using namespace VantorSoft;
using namespace pmi_test;

namespace {

Vantor_PNT32 P(float x, float y, float z) { return Vantor_PNT32{x, y, z}; }
Vantor_DIR32 D(float x, float y, float z) { return Vantor_DIR32{x, y, z}; }

const char* const kIdentityText =
    "1.000 0.000 0.000 0.000 0.000 1.000 0.000 0.000 0.000 0.000 1.000 0.000 0.000 0.000 0.000 1.000";

// An annotation with every field set and one element of each kind.
std::shared_ptr<Vantor_PMI> fullPmi(u64 id = 42)
{
    auto pmi = std::make_shared<Vantor_PMI>();
    pmi->SetID(id);
    pmi->SetName(L"\u2300 12 H7 \u516c\u5dee");
    Vantor_MTX32 plane;
    plane[0] = 0.5f;
    plane[12] = -10.25f;
    plane[14] = 3.0f;
    pmi->SetDefPlane(plane);
    pmi->SetColor(Vantor_RGBA{255, 128, 0, 200});
    pmi->SetType(static_cast<Vantor_PMITypeEnum>(5));
    pmi->SetStyle(0x01000101u);
    pmi->SetUseType(17u);
    pmi->SetAxisX(D(1, 0, 0));
    pmi->SetAxisY(D(0, 0.707f, 0.707f));
    pmi->SetSymBasePoint(P(1.5f, -2.5f, 100));

    auto leader = std::make_shared<Vantor_Leader>();
    const float size[2] = {2, 1};
    leader->SetTerminator(static_cast<Vantor_TermTypeEnum>(1), size, P(1, 2, 3), D(1, 0, 0));
    auto line = std::make_shared<Vantor_Line>();
    line->SetEndPoint(P(5, 5, 5));
    leader->AddCurve(line);
    pmi->AddLeader(leader);

    auto exLine = std::make_shared<Vantor_Extensionline>();
    exLine->SetStyle(3);
    exLine->SetCurve(std::make_shared<Vantor_Line>());
    pmi->AddExline(exLine);

    auto text = std::make_shared<Vantor_Text>();
    text->SetTextContent(L"12.5");
    text->SetOuterBox(Vantor_BOX32{P(0, 0, 0), P(10, 4, 0)});
    auto com = std::make_shared<Vantor_ComText>();
    com->AddText(text);
    com->SetOuterBox(Vantor_BOX32{P(-1, -1, 0), P(11, 5, 0)});
    pmi->AddComText(com);

    auto frame = std::make_shared<Vantor_OutFrame>();
    auto poly = std::make_shared<Vantor_PolyLine>();
    poly->SetPoints({P(0, 0, 0), P(1, 0, 0), P(1, 1, 0)});
    frame->SetFrameData(poly);
    pmi->SetOutFrame(frame);

    auto special = std::make_shared<Vantor_SpecialLine>();
    special->AddCurve(std::make_shared<Vantor_Arc>());
    pmi->AddSpecialLine(special);
    return pmi;
}

std::string keysOf(const rapidjson::Value& obj)
{
    std::string keys;
    for (auto it = obj.MemberBegin(); it != obj.MemberEnd(); ++it) {
        if (!keys.empty())
            keys += ',';
        keys += it->name.GetString();
    }
    return keys;
}

} // namespace

// ---- the record ----

TEST(DazoPmiRecord, NewRecordWritesTheDocumentedForm)
{
    Vantor_PMI pmi;
    EXPECT_NE(pmi.GetID(), 0u);
    EXPECT_NE(Vantor_PMI().GetID(), pmi.GetID());
    const std::string expected = golden(std::string(R"({"id":)") + std::to_string(pmi.GetID()) +
                                        R"(,"name":"","type":0,"visible":true,"defPlane":")" + kIdentityText +
                                        R"(","color":"-1 -1 -1 -1","style":4294967295,"usetype":4294967295,"dirX":~,"dirY":~,"symBasePnt":~})");
    EXPECT_EQ(write(pmi), expected);
    EXPECT_EQ(pmi.GetUseType(), -1);

    rapidjson::Document doc;
    rapidjson::Value keep("keep");
    EXPECT_EQ(pmi.ToJson(&keep, nullptr), -1);
    EXPECT_EQ(pmi.ToJson(nullptr, &doc), -1);
    EXPECT_EQ(pmi.FromJson(nullptr, &doc), -1);
    EXPECT_EQ(pmi.FromJson(&keep, nullptr), -1);
    EXPECT_EQ(str(keep), "\"keep\"");

    // Only element arrays with entries are written.
    pmi.AddLeader(std::make_shared<Vantor_Leader>());
    rapidjson::Value v;
    pmi.ToJson(&v, &doc);
    EXPECT_EQ(keysOf(v), "id,name,type,visible,defPlane,color,style,usetype,dirX,dirY,symBasePnt,leaders");
    EXPECT_EQ(v["leaders"].Size(), 1u);
    // A list holding only empty pointers gives an empty array.
    pmi.SetExLines({nullptr});
    pmi.ToJson(&v, &doc);
    ASSERT_TRUE(v.HasMember("exLines"));
    EXPECT_EQ(v["exLines"].Size(), 0u);
}

TEST(DazoPmiRecord, StyleFlagMasks)
{
    enum Flag { Display, ParallelScreen, Fix, OldVersion, Adjusted, Front };
    struct Case {
        unsigned start;
        Flag flag;
        bool on;
        unsigned expected;
    };
    const Case cases[] = {
        {0xFFFFFFFFu, Fix, false, 0x11110111u}, // 286327057
        {0xFFFFFFFFu, Display, true, 0x11111111u},
        {0xFFFFFFFFu, Display, false, 0x11111110u},
        {0xFFFFFFFFu, ParallelScreen, false, 0x11111011u},
        {0xFFFFFFFFu, OldVersion, false, 0x11101111u},
        {0xFFFFFFFFu, Adjusted, false, 0x11011111u},
        {0xFFFFFFFFu, Front, false, 0x10111111u},
        {0u, Front, true, 0x01000000u},
        {0u, ParallelScreen, true, 0x00000100u},
        {0x22222222u, Fix, true, 0x00001000u}, // other bits of the word are cleared
        {0x10000010u, OldVersion, true, 0x10010010u}, // low bits of non-flag digits are kept
    };
    for (const Case& c : cases) {
        Vantor_PMI pmi;
        pmi.SetStyle(c.start);
        switch (c.flag) {
        case Display: pmi.SetDisplay(c.on); break;
        case ParallelScreen: pmi.SetParallelScreen(c.on); break;
        case Fix: pmi.SetFix(c.on); break;
        case OldVersion: pmi.SetOldVersion(c.on); break;
        case Adjusted: pmi.SetAdjusted(c.on); break;
        case Front: pmi.SetFront(c.on); break;
        }
        EXPECT_EQ(pmi.GetStyle(), c.expected) << std::hex << c.start << " flag " << c.flag << " " << c.on;
        const bool flags[] = {pmi.IsDisplay(), pmi.IsParallelScreen(), pmi.IsFix(),
                              pmi.IsOldVersion(), pmi.IsAdjusted(), pmi.IsFront()};
        const unsigned bits[] = {0x1, 0x100, 0x1000, 0x10000, 0x100000, 0x1000000};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(flags[i], (c.expected & bits[i]) != 0) << std::hex << c.expected << " flag " << i;
    }

    Vantor_PMI fresh;
    EXPECT_TRUE(fresh.IsDisplay() && fresh.IsParallelScreen() && fresh.IsFix() && fresh.IsOldVersion() &&
                fresh.IsAdjusted() && fresh.IsFront());
}

TEST(DazoPmiRecord, RoundTripReadsItsOwnOutput)
{
    auto pmi = fullPmi();
    const std::string first = write(*pmi);

    Vantor_PMI back;
    EXPECT_EQ(read(back, first), 0);
    EXPECT_EQ(write(back), first);
    EXPECT_EQ(back.GetID(), 42u);
    EXPECT_EQ(back.GetName(), pmi->GetName());
    EXPECT_EQ(back.GetDefPlane()[12], -10.25f);
    EXPECT_EQ(back.GetColor().g, 128);
    EXPECT_EQ(back.GetStyle(), 0x01000101u);
    EXPECT_EQ(back.GetUseType(), 17);
    ASSERT_EQ(back.GetComText().size(), 1u);
    EXPECT_EQ(back.GetComText()[0]->GetTexts()[0]->GetTextContent(), L"12.5");
    ASSERT_EQ(back.GetExLines().size(), 1u);
    EXPECT_EQ(back.GetExLines()[0]->GetStyle(), 3u);
    ASSERT_EQ(back.GetOutFrame().size(), 1u);
    EXPECT_EQ(back.GetOutFrame()[0]->GetFrameData().size(), 1u);
    EXPECT_EQ(back.GetSpecialLines().size(), 1u);

    // The all-ones words of a new record come back unsigned.
    Vantor_PMI fresh;
    Vantor_PMI freshBack;
    freshBack.SetStyle(0);
    freshBack.SetUseType(0);
    EXPECT_EQ(read(freshBack, write(fresh)), 0);
    EXPECT_EQ(freshBack.GetStyle(), 0xFFFFFFFFu);
    EXPECT_EQ(freshBack.GetUseType(), -1);
    EXPECT_TRUE(freshBack.IsFront());

    // Reading into a record that already has two leaders appends; the caller's array is emptied.
    Vantor_PMI two;
    two.AddLeader(std::make_shared<Vantor_Leader>());
    two.AddLeader(std::make_shared<Vantor_Leader>());
    rapidjson::Document doc;
    doc.Parse(first.c_str());
    EXPECT_EQ(two.FromJson(&doc, &doc), 0);
    EXPECT_EQ(two.GetLeaders().size(), 3u);
    ASSERT_TRUE(doc["leaders"].IsArray());
    EXPECT_EQ(doc["leaders"].Size(), 0u);
}

TEST(DazoPmiRecord, ReadingRules)
{
    Vantor_PMI pmi;
    pmi.SetName(L"old");
    pmi.SetType(static_cast<Vantor_PMITypeEnum>(4));
    pmi.SetStyle(5);
    pmi.SetID(7);
    // Missing name, type and visible reset; missing id and style keep; integers truncate toward zero.
    const char* text = R"({"defPlane":"2 0 0 0 0 2 0 0 0 0 2 0 1 2 3 1 99","color":"255.9 -1.5 0 12",)"
                       R"("dirX":"1 0 0","dirY":"0 1 0","symBasePnt":"0 0 0"})";
    EXPECT_EQ(read(pmi, text), 0);
    EXPECT_EQ(pmi.GetName(), L"");
    EXPECT_EQ(pmi.GetType(), 0);
    EXPECT_EQ(pmi.GetID(), 7u);
    EXPECT_EQ(pmi.GetStyle(), 5u);
    EXPECT_EQ(pmi.GetColor().r, 255);
    EXPECT_EQ(pmi.GetColor().g, -1);
    EXPECT_EQ(pmi.GetDefPlane()[15], 1.0f); // the seventeenth number is ignored
    EXPECT_NE(write(pmi).find(R"("visible":false)"), std::string::npos);

    // A 32-bit word written signed reads as the same bits.
    EXPECT_EQ(read(pmi, std::string(text).insert(1, R"("style":-1,"usetype":-2,)")), 0);
    EXPECT_EQ(pmi.GetStyle(), 0xFFFFFFFFu);
    EXPECT_EQ(pmi.GetUseType(), -2);

    // Frames read from JSON keep their own define type.
    Vantor_PMI withFrame;
    EXPECT_EQ(read(withFrame, std::string(text).insert(1, R"("outFrames":[{"defType":0}],)")), 0);
    ASSERT_EQ(withFrame.GetOutFrame().size(), 1u);
    EXPECT_EQ(withFrame.GetOutFrame()[0]->GetDefineType(), 0);
}

TEST(DazoPmiRecord, AppendersAndCopies)
{
    Vantor_PMI pmi;
    pmi.AddLeader(nullptr);
    pmi.AddExline(nullptr);
    pmi.AddComText(nullptr);
    pmi.SetOutFrame(nullptr);
    pmi.AddSpecialLine(nullptr);
    EXPECT_TRUE(pmi.GetLeaders().empty() && pmi.GetExLines().empty() && pmi.GetComText().empty() &&
                pmi.GetOutFrame().empty() && pmi.GetSpecialLines().empty());

    auto frame = std::make_shared<Vantor_OutFrame>();
    frame->SetDefineType(Vantor_OutFrameDef_Text);
    pmi.SetOutFrame(frame);
    EXPECT_EQ(frame->GetDefineType(), Vantor_OutFrameDef_PMI);

    auto leader = std::make_shared<Vantor_Leader>();
    pmi.AddLeader(leader);
    pmi.Init(nullptr, 3);
    Vantor_PMI copy(pmi);
    EXPECT_EQ(copy.GetID(), pmi.GetID());
    EXPECT_EQ(copy.GetLeaders()[0], leader);
    copy.GetLeaders()[0]->SetBendLineFlag(true);
    EXPECT_TRUE(leader->GetBendLineFlag());
    Vantor_PMI assigned;
    assigned = pmi;
    EXPECT_EQ(assigned.GetID(), pmi.GetID());
    EXPECT_EQ(write(assigned), write(pmi));
}

// ---- the document ----

TEST(DazoPmiDocument, HoldsAnnotationsByIdAscending)
{
    Vantor_PMIDocument doc;
    EXPECT_EQ(doc.GetVersion(), L"2.0.0");
    EXPECT_EQ(doc.GetPMICount(), 0);
    EXPECT_NE(Vantor_PMIDocument().Id(), doc.Id());

    auto a = fullPmi(30);
    auto b = std::make_shared<Vantor_PMI>();
    b->SetID(10);
    auto c = std::make_shared<Vantor_PMI>();
    c->SetID(20);
    EXPECT_EQ(doc.AddPMI(a), 0);
    EXPECT_EQ(doc.AddPMI(b), 0);
    EXPECT_EQ(doc.AddPMI(c), 0);
    EXPECT_EQ(doc.AddPMI(nullptr), -1);
    EXPECT_EQ(doc.GetPMICount(), 3);

    // The same id again replaces; the key stays the id at the time of adding.
    auto b2 = std::make_shared<Vantor_PMI>();
    b2->SetID(10);
    b2->SetName(L"later");
    EXPECT_EQ(doc.AddPMI(b2), 0);
    EXPECT_EQ(doc.GetPMICount(), 3);
    EXPECT_EQ(doc.GetPMI(10), b2);
    c->SetID(99);
    EXPECT_EQ(doc.GetPMI(20), c);
    EXPECT_EQ(doc.GetPMI(99), nullptr);

    rapidjson::Document json;
    json.SetObject();
    json.AddMember("instanceId", "7", json.GetAllocator());
    ASSERT_EQ(doc.ToJson(&json, &json), 0);
    EXPECT_EQ(keysOf(json), "instanceId,id,PMIs");
    EXPECT_EQ(json["id"].GetString(), std::to_string(doc.Id()));
    ASSERT_EQ(json["PMIs"].Size(), 3u);
    EXPECT_EQ(json["PMIs"][0]["name"].GetString(), std::string("later"));
    EXPECT_EQ(json["PMIs"][1]["id"].GetUint64(), 99u); // written with its own current id
    EXPECT_EQ(json["PMIs"][2]["id"].GetUint64(), 30u);
    EXPECT_EQ(str(json["PMIs"][2]), write(*a));

    EXPECT_EQ(doc.DelPMI(20), 0);
    EXPECT_EQ(doc.DelPMI(20), -1);
    EXPECT_EQ(doc.GetPMICount(), 2);
}

TEST(DazoPmiDocument, CopiesShareAndUnloadKeepsTheId)
{
    Vantor_PMIDocument doc;
    doc.AddPMI(fullPmi(5));
    doc.SetVersion(L"2.1.0");
    Vantor_PMIDocument copy(doc);
    EXPECT_EQ(copy.Id(), doc.Id());
    EXPECT_EQ(copy.GetVersion(), L"2.1.0");
    copy.GetPMI(5)->SetName(L"renamed");
    EXPECT_EQ(doc.GetPMI(5)->GetName(), L"renamed");
    Vantor_PMIDocument assigned;
    assigned = doc;
    assigned = assigned;
    EXPECT_EQ(assigned.GetPMICount(), 1);
    EXPECT_EQ(assigned.Id(), doc.Id());

    const u64 id = doc.Id();
    doc.UnLoad();
    EXPECT_EQ(doc.GetPMICount(), 0);
    EXPECT_EQ(copy.GetPMICount(), 1);
    rapidjson::Document json;
    json.SetObject();
    ASSERT_EQ(doc.ToJson(&json, &json), 0);
    EXPECT_EQ(str(json), R"({"id":")" + std::to_string(id) + R"(","PMIs":[]})");

    doc.Id(12345);
    EXPECT_EQ(doc.Id(), 12345u);

    // Null arguments or a value that is not an object: failure, nothing written.
    rapidjson::Value keep("keep");
    EXPECT_EQ(doc.ToJson(nullptr, &json), -1);
    EXPECT_EQ(doc.ToJson(&json, nullptr), -1);
    EXPECT_EQ(doc.ToJson(&keep, &json), -1);
    EXPECT_EQ(str(keep), "\"keep\"");
}
