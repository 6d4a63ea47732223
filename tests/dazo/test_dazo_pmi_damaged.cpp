// Damaged annotation JSON: wrong member kinds, short number texts and missing members must give
// -1 without crashing, and change only what was read validly.

#include "PmiTestUtil.h"

#include "dazo/Vantor_Curve.h"
#include "dazo/Vantor_PMI.h"
#include "dazo/Vantor_PMIElement.h"
#include "dazo/Vantor_PMIText.h"

#include <functional>
#include <list>
#include <memory>
#include <vector>

using namespace VantorSoft;
using namespace pmi_test;

namespace {

Vantor_PNT32 P(float x, float y, float z) { return Vantor_PNT32{x, y, z}; }

template <class T>
struct Damaged {
    const char* what;
    const char* json;
    std::function<void(T&)> check; // what must hold after the read
};

// Each case reads into a fresh object from make() and must report failure.
template <class T>
void runDamaged(const std::function<std::shared_ptr<T>()>& make, const std::vector<Damaged<T>>& cases)
{
    for (const Damaged<T>& c : cases) {
        SCOPED_TRACE(c.what);
        auto object = make();
        EXPECT_EQ(read(*object, c.json), -1) << c.json;
        if (c.check)
            c.check(*object);
        write(*object); // whatever was read can be written again
    }
}

const char* const kValidTail = R"("defPlane":"1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1","color":"1 2 3 4","dirX":"1 0 0","dirY":"0 1 0","symBasePnt":"0 0 0")";

std::string pmiWith(const std::string& members)
{
    return "{" + members + (members.empty() ? "" : ",") + kValidTail + "}";
}

std::shared_ptr<Vantor_PMI> knownPmi()
{
    auto pmi = std::make_shared<Vantor_PMI>();
    pmi->SetID(42);
    pmi->SetName(L"keep");
    Vantor_MTX32 plane;
    plane[0] = 2.0f;
    pmi->SetDefPlane(plane);
    pmi->SetColor(Vantor_RGBA{9, 9, 9, 9});
    pmi->SetAxisX(Vantor_DIR32{0, 0, 5});
    pmi->SetStyle(0x11u);
    pmi->SetUseType(7u);
    pmi->SetType(static_cast<Vantor_PMITypeEnum>(3));
    pmi->AddLeader(std::make_shared<Vantor_Leader>());
    return pmi;
}

} // namespace

TEST(DazoPmiDamaged, RecordMembers)
{
    std::list<std::string> texts; // keeps the composed texts alive, and in place, for the table
    auto with = [&](const std::string& members) {
        texts.push_back(pmiWith(members));
        return texts.back().c_str();
    };
    auto unchanged = [](Vantor_PMI& p) {
        EXPECT_EQ(p.GetID(), 42u);
        EXPECT_EQ(p.GetDefPlane()[0], 1.0f); // the valid tail was read
    };
    const std::vector<Damaged<Vantor_PMI>> cases = {
        {"name not a string", with(R"("name":5,"type":4)"),
         [](Vantor_PMI& p) { EXPECT_EQ(p.GetName(), L"keep"); EXPECT_EQ(p.GetType(), 4); }},
        {"id negative", with(R"("id":-5)"), unchanged},
        {"id a string", with(R"("id":"43")"), unchanged},
        {"id a fraction", with(R"("id":1.5)"), unchanged},
        {"type a string", with(R"("type":"3")"), [](Vantor_PMI& p) { EXPECT_EQ(p.GetType(), 3); }},
        {"visible a string", with(R"("visible":"yes")"), [](Vantor_PMI& p) { EXPECT_NE(write(p).find("\"visible\":true"), std::string::npos); }},
        {"style a string", with(R"("style":"x","usetype":8)"),
         [](Vantor_PMI& p) { EXPECT_EQ(p.GetStyle(), 0x11u); EXPECT_EQ(p.GetUseType(), 8); }},
        {"style a fraction", with(R"("style":1.5)"), [](Vantor_PMI& p) { EXPECT_EQ(p.GetStyle(), 0x11u); }},
        {"style beyond 32 bits", with(R"("style":4294967296)"), [](Vantor_PMI& p) { EXPECT_EQ(p.GetStyle(), 0x11u); }},
        {"usetype an object", with(R"("usetype":{})"), [](Vantor_PMI& p) { EXPECT_EQ(p.GetUseType(), 7); }},
        {"leaders an object", with(R"("leaders":{})"), [](Vantor_PMI& p) { EXPECT_EQ(p.GetLeaders().size(), 1u); }},
        {"leaders holding a number", with(R"("leaders":[1,{"termSize":"1 2","termLoc":"0 0 0","termDir":"0 0 1"}])"),
         [](Vantor_PMI& p) { EXPECT_EQ(p.GetLeaders().size(), 2u); }},
        {"a damaged leader", with(R"("leaders":[{"termSize":5}])"),
         [](Vantor_PMI& p) { EXPECT_EQ(p.GetLeaders().size(), 2u); }},
        {"a damaged text deep inside", with(R"("comTexts":[{"outBox":"0 0 0,1 1 1","texts":[{"axis":"1 2"}]}])"),
         [](Vantor_PMI& p) { ASSERT_EQ(p.GetComText().size(), 1u); EXPECT_EQ(p.GetComText()[0]->GetNumTexts(), 1u); }},
        {"curves of a frame not an object", with(R"("outFrames":[{"curves":[]}])"), nullptr},
        {"exLines null", with(R"("exLines":null)"), nullptr},
        {"specialLines a string", with(R"("specialLines":"x")"), nullptr},
        {"every number text short",
         R"({"defPlane":"1 2 3","color":"1 2 3","dirX":"1 2","dirY":"","symBasePnt":"1"})",
         [](Vantor_PMI& p) {
             EXPECT_EQ(p.GetDefPlane()[0], 2.0f);
             EXPECT_EQ(p.GetColor().r, 9);
             EXPECT_EQ(p.GetAxisX().z, 5.0f);
         }},
        {"number texts of the wrong kind",
         R"({"defPlane":[1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1],"color":7,"dirX":null,"dirY":true,"symBasePnt":{}})",
         [](Vantor_PMI& p) { EXPECT_EQ(p.GetColor().g, 9); EXPECT_EQ(p.GetDefPlane()[0], 2.0f); }},
        {"required members missing", "{}",
         [](Vantor_PMI& p) {
             EXPECT_EQ(p.GetName(), L""); // a missing name is the empty name
             EXPECT_EQ(p.GetType(), 0);
             EXPECT_EQ(p.GetDefPlane()[0], 2.0f);
             EXPECT_EQ(p.GetColor().a, 9);
         }},
        {"not an object", "[1,2,3]", [](Vantor_PMI& p) { EXPECT_EQ(p.GetName(), L"keep"); }},
        {"null", "null", [](Vantor_PMI& p) { EXPECT_EQ(p.GetLeaders().size(), 1u); }},
    };
    runDamaged<Vantor_PMI>(knownPmi, cases);
}

TEST(DazoPmiDamaged, LineElements)
{
    auto leader = [] {
        auto l = std::make_shared<Vantor_Leader>();
        const float size[2] = {7, 8};
        l->SetTerminator(static_cast<Vantor_TermTypeEnum>(2), size, P(1, 1, 1), Vantor_DIR32{0, 0, 1});
        l->SetLeaderType(static_cast<Vantor_LeaderTypeEnum>(5));
        l->SetBendLineFlag(true);
        return l;
    };
    auto termSize = [](Vantor_Leader& l) {
        Vantor_TermTypeEnum t;
        float s[2];
        Vantor_PNT32 p;
        Vantor_DIR32 d;
        l.GetTerminator(t, s, p, d);
        return s[0];
    };
    const std::vector<Damaged<Vantor_Leader>> leaderCases = {
        {"termSize with one number", R"({"termSize":"1","termLoc":"2 2 2","termDir":"0 1 0"})",
         [&](Vantor_Leader& l) { EXPECT_EQ(termSize(l), 7.0f); }},
        {"termLoc a number", R"({"termSize":"1 1","termLoc":3,"termDir":"0 1 0"})",
         [&](Vantor_Leader& l) { EXPECT_EQ(termSize(l), 1.0f); EXPECT_EQ(l.GetLeaderType(), 0); }},
        {"terminator members missing", R"({"leaderType":1})", [&](Vantor_Leader& l) { EXPECT_EQ(termSize(l), 7.0f); }},
        {"leaderType a string", R"({"leaderType":"1","termSize":"1 1","termLoc":"0 0 0","termDir":"0 0 0"})",
         [](Vantor_Leader& l) { EXPECT_EQ(l.GetLeaderType(), 5); }},
        {"hasBendLine a number", R"({"hasBendLine":1,"termSize":"1 1","termLoc":"0 0 0","termDir":"0 0 0"})",
         [](Vantor_Leader& l) { EXPECT_TRUE(l.GetBendLineFlag()); }},
        {"curves an array", R"({"curves":[],"termSize":"1 1","termLoc":"0 0 0","termDir":"0 0 0"})", nullptr},
        {"lines an object", R"({"curves":{"lines":{},"arcs":[{}]},"termSize":"1 1","termLoc":"0 0 0","termDir":"0 0 0"})",
         [](Vantor_Leader& l) { EXPECT_EQ(l.GetAllCurve().size(), 1u); }},
        {"a line whose type says arc", R"({"curves":{"lines":[{"type":2,"startPnt":"1 2 3"}]},"termSize":"1 1","termLoc":"0 0 0","termDir":"0 0 0"})",
         [](Vantor_Leader& l) {
             ASSERT_EQ(l.GetAllCurve().size(), 1u);
             EXPECT_EQ(l.GetCurve(0)->GetCurveType(), Vantor_CurveType_Line); // still written as a line
             EXPECT_NE(write(l).find("\"lines\":[{"), std::string::npos);
         }},
        {"a line that is not an object", R"({"curves":{"lines":[3,{},null]},"termSize":"1 1","termLoc":"0 0 0","termDir":"0 0 0"})",
         [](Vantor_Leader& l) { EXPECT_EQ(l.GetAllCurve().size(), 1u); }},
    };
    runDamaged<Vantor_Leader>(leader, leaderCases);

    auto exLine = [] {
        auto e = std::make_shared<Vantor_Extensionline>();
        e->SetStyle(9);
        e->SetCurve(std::make_shared<Vantor_Arc>());
        return e;
    };
    const std::vector<Damaged<Vantor_Extensionline>> exCases = {
        {"style a string", R"({"style":"s"})", [](Vantor_Extensionline& e) { EXPECT_EQ(e.GetStyle(), 9u); }},
        {"arcs a string", R"({"curves":{"arcs":"x"}})",
         [](Vantor_Extensionline& e) { EXPECT_EQ(e.GetCurve()->GetCurveType(), Vantor_CurveType_Arc); }},
        {"only a null line", R"({"curves":{"lines":[null]}})",
         [](Vantor_Extensionline& e) { EXPECT_EQ(e.GetCurve()->GetCurveType(), Vantor_CurveType_Arc); }},
        {"curves a number", R"({"curves":1})", nullptr},
    };
    runDamaged<Vantor_Extensionline>(exLine, exCases);

    const std::vector<Damaged<Vantor_SpecialLine>> specialCases = {
        {"useType an array", R"({"useType":[]})", nullptr},
        {"polylines holding strings", R"({"curves":{"polylines":["a",{"points":[1,2,3,4]}]}})",
         [](Vantor_SpecialLine& s) { ASSERT_EQ(s.GetCurves().size(), 1u); }},
    };
    runDamaged<Vantor_SpecialLine>([] { return std::make_shared<Vantor_SpecialLine>(); }, specialCases);

    const std::vector<Damaged<Vantor_OutFrame>> frameCases = {
        {"defType a string", R"({"defType":"0"})", [](Vantor_OutFrame& f) { EXPECT_EQ(f.GetDefineType(), 1); }},
        {"frameType a bool", R"({"frameType":true})", nullptr},
    };
    runDamaged<Vantor_OutFrame>([] { return std::make_shared<Vantor_OutFrame>(); }, frameCases);
}

TEST(DazoPmiDamaged, TextElements)
{
    auto text = [] {
        auto t = std::make_shared<Vantor_Text>();
        t->SetOuterBox(Vantor_BOX32{P(1, 1, 1), P(2, 2, 2)});
        t->SetFontName(L"keep");
        t->SetRotationAngle(0.25);
        t->SetInnerXYAxis(Vantor_DIR32{1, 0, 0}, Vantor_DIR32{0, 1, 0});
        return t;
    };
    auto boxX = [](Vantor_Text& t) { return t.GetOuterBox().first.x; };
    const std::vector<Damaged<Vantor_Text>> textCases = {
        {"box without comma", R"({"outBox":"0 0 0 3 3 3","content":"read"})",
         [&](Vantor_Text& t) { EXPECT_EQ(boxX(t), 1.0f); EXPECT_EQ(t.GetTextContent(), L"read"); }},
        {"box with a short corner", R"({"outBox":"0 0,3 3 3"})", [&](Vantor_Text& t) { EXPECT_EQ(boxX(t), 1.0f); }},
        {"box a number", R"({"outBox":0})", [&](Vantor_Text& t) { EXPECT_EQ(boxX(t), 1.0f); }},
        {"angle a string", R"({"angle":"0.5"})", [](Vantor_Text& t) { EXPECT_EQ(t.GetRotationAngle(), 0.25); }},
        {"fontName a number", R"({"fontName":3})", [](Vantor_Text& t) { EXPECT_EQ(t.GetFontName(), L"keep"); }},
        {"axis with three numbers", R"({"axis":"0 0 1"})",
         [](Vantor_Text& t) { Vantor_DIR32 x, y; t.GetInnerXYAxis(x, y); EXPECT_EQ(x.x, 1.0f); }},
        {"usetype beyond 32 bits", R"({"usetype":-2147483649})", [](Vantor_Text& t) { EXPECT_EQ(t.GetUsageType(), 2); }},
        {"size a bool", R"({"size":false,"charSpace":"1"})", nullptr},
    };
    runDamaged<Vantor_Text>(text, textCases);

    const std::vector<Damaged<Vantor_ComText>> comCases = {
        {"outBox missing", R"({"frameType":2})", [](Vantor_ComText& c) { EXPECT_EQ(c.GetFrameType(), 2); }},
        {"texts a string", R"({"outBox":"0 0 0,1 1 1","texts":"x"})", nullptr},
        {"texts holding an array", R"({"outBox":"0 0 0,1 1 1","texts":[[]]})",
         [](Vantor_ComText& c) { EXPECT_EQ(c.GetNumTexts(), 0u); }},
    };
    runDamaged<Vantor_ComText>([] { return std::make_shared<Vantor_ComText>(); }, comCases);

    auto envelope = [] {
        auto e = std::make_shared<Vantor_Envelope>();
        e->SetBackgroundColor(Vantor_RGBA{1, 2, 3, 4});
        e->SetStyle(6);
        return e;
    };
    const std::vector<Damaged<Vantor_Envelope>> envCases = {
        {"colour with two numbers", R"({"backgroundColor":"1 2","frameColor":"5 6 7 8"})",
         [](Vantor_Envelope& e) { EXPECT_EQ(e.GetBackgroundColor().r, 1); EXPECT_EQ(e.GetFrameColor().a, 8); }},
        {"style a bool", R"({"style":true})", [](Vantor_Envelope& e) { EXPECT_EQ(e.GetStyle(), 6); }},
        {"anchors an object", R"({"outAnchors":{}})", nullptr},
        {"anchor without a point", R"({"outAnchors":[{"type":1},{"type":2,"pnt":"1 1"},{"type":3,"pnt":"1 1 1"}]})",
         [](Vantor_Envelope& e) { ASSERT_EQ(e.GetOutAllAnchorTypes().size(), 1u); EXPECT_EQ(e.GetOutAllAnchorTypes()[0], 3); }},
        {"anchor type a string", R"({"inAnchors":[{"type":"1","pnt":"1 1 1"},7]})",
         [](Vantor_Envelope& e) { EXPECT_TRUE(e.GetInAllAnchorTypes().empty()); }},
    };
    runDamaged<Vantor_Envelope>(envelope, envCases);
}

// Every value of a full record, one at a time, replaced by values of every other kind: the
// reader may report failure but must neither crash nor leave something it cannot write again.
TEST(DazoPmiDamaged, EveryMemberReplacedByEveryKind)
{
    auto source = knownPmi();
    auto leader = std::make_shared<Vantor_Leader>();
    leader->AddCurve(std::make_shared<Vantor_Line>());
    leader->AddCurve(std::make_shared<Vantor_Arc>());
    auto poly = std::make_shared<Vantor_PolyLine>();
    poly->SetPoints({P(1, 2, 3)});
    leader->AddCurve(poly);
    source->AddLeader(leader);
    auto ex = std::make_shared<Vantor_Extensionline>();
    ex->SetCurve(std::make_shared<Vantor_Line>());
    source->AddExline(ex);
    auto com = std::make_shared<Vantor_ComText>();
    com->AddText(std::make_shared<Vantor_Text>());
    source->AddComText(com);
    auto frame = std::make_shared<Vantor_OutFrame>();
    frame->SetFrameData(std::make_shared<Vantor_Line>());
    source->SetOutFrame(frame);
    auto special = std::make_shared<Vantor_SpecialLine>();
    special->AddCurve(std::make_shared<Vantor_Arc>());
    source->AddSpecialLine(special);
    const std::string original = write(*source);

    const char* const replacements[] = {"null", "true", "0", "-1", "1.5", "4294967296", "-2147483649",
                                        "\"\"", "\"x\"", "\"1 2\"", "\"1,2\"", "[]", "{}", "[{}]", "[null]"};

    // Paths to every value (as a list of member names and indices).
    struct Step {
        const char* key; // null for an array index
        rapidjson::SizeType index;
    };
    std::vector<std::vector<Step>> paths;
    std::function<void(const rapidjson::Value&, std::vector<Step>&)> collect = [&](const rapidjson::Value& v,
                                                                                   std::vector<Step>& path) {
        if (!path.empty())
            paths.push_back(path);
        if (v.IsObject()) {
            for (auto it = v.MemberBegin(); it != v.MemberEnd(); ++it) {
                path.push_back(Step{it->name.GetString(), 0});
                collect(it->value, path);
                path.pop_back();
            }
        } else if (v.IsArray()) {
            for (rapidjson::SizeType i = 0; i < v.Size(); ++i) {
                path.push_back(Step{nullptr, i});
                collect(v[i], path);
                path.pop_back();
            }
        }
    };
    rapidjson::Document shape;
    shape.Parse(original.c_str());
    std::vector<Step> path;
    collect(shape, path);
    ASSERT_GT(paths.size(), 60u);

    for (const auto& p : paths) {
        for (const char* replacement : replacements) {
            rapidjson::Document doc;
            doc.Parse(original.c_str());
            rapidjson::Value* target = &doc;
            for (const Step& s : p)
                target = s.key ? &(*target)[s.key] : &(*target)[s.index];
            rapidjson::Document value;
            value.Parse(replacement);
            target->CopyFrom(value, doc.GetAllocator());

            Vantor_PMI pmi;
            const int status = pmi.FromJson(&doc, &doc);
            EXPECT_TRUE(status == 0 || status == -1);
            write(pmi);
        }
    }
}
