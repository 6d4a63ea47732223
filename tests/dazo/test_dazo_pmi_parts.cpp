// Line and text elements of annotations: their JSON forms, round trips and container rules.

#include "PmiTestUtil.h"

#include "dazo/Vantor_Curve.h"
#include "dazo/Vantor_PMIElement.h"
#include "dazo/Vantor_PMIText.h"

#include <cmath>
#include <limits>
#include <memory>

using namespace VantorSoft;
using namespace pmi_test;

namespace {

Vantor_PNT32 P(float x, float y, float z) { return Vantor_PNT32{x, y, z}; }
Vantor_DIR32 D(float x, float y, float z) { return Vantor_DIR32{x, y, z}; }

std::shared_ptr<Vantor_Line> lineFrom(float x)
{
    auto l = std::make_shared<Vantor_Line>();
    l->SetStartPoint(P(x, 0, 0));
    l->SetEndPoint(P(x, 1, 0));
    return l;
}

std::shared_ptr<Vantor_PolyLine> polyLine()
{
    auto p = std::make_shared<Vantor_PolyLine>();
    p->SetPoints({P(1, 2, 3), P(4, 5, 6)});
    return p;
}

std::shared_ptr<Vantor_Arc> arc()
{
    auto a = std::make_shared<Vantor_Arc>();
    a->SetCenterPoint(P(0, 0, 7));
    a->SetRadius(2.5f, 2.5f);
    return a;
}

// Keys of an object, in order, joined by commas.
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

std::string typesOf(const std::vector<std::shared_ptr<Vantor_Curve>>& curves)
{
    std::string s;
    for (const auto& c : curves)
        s += std::to_string(c ? c->GetCurveType() : 0);
    return s;
}

} // namespace

TEST(DazoPmiParts, NewObjectsWriteTheDocumentedForm)
{
    Vantor_Leader leader;
    EXPECT_EQ(write(leader), golden(R"({"leaderType":0,"termType":0,"termSize":"0.000 0.000","termLoc":~,"termDir":~,"hasBendLine":false,"curves":{}})"));
    Vantor_Extensionline exLine;
    EXPECT_EQ(write(exLine), R"({"exLineType":0,"style":0})");
    Vantor_SpecialLine special;
    EXPECT_EQ(write(special), R"({"useType":0,"curves":{}})");
    Vantor_OutFrame frame;
    EXPECT_EQ(write(frame), R"({"frameType":0,"defType":1,"curves":{}})");
    Vantor_Text text;
    EXPECT_EQ(write(text), golden(R"({"innerLoc":~,"axis":"0.000 0.000 0.000 0.000 0.000 0.000","angle":0.0,"size":"0.000 0.000","charSpace":0.0,"usetype":2,"outBox":^,"fontName":"","fontStyle":0,"fontType":0,"content":"","textAttribute":0})"));
    Vantor_ComText comText;
    EXPECT_EQ(write(comText), golden(R"({"frameType":0,"outBox":^,"texts":[]})"));
    Vantor_Envelope envelope;
    EXPECT_EQ(write(envelope), R"({"style":0,"backgroundColor":"0 0 0 0","frameColor":"0 0 0 0"})");
}

TEST(DazoPmiParts, NullArgumentsFailAndLeaveTheValueAlone)
{
    rapidjson::Document doc;
    rapidjson::Value keep("keep");
    auto check = [&](auto& object, bool readNeedsDocument) {
        EXPECT_EQ(object.ToJson(&keep, nullptr), -1);
        EXPECT_EQ(object.ToJson(nullptr, &doc), -1);
        EXPECT_EQ(object.FromJson(nullptr, &doc), -1);
        // Not an object: nothing to read.
        EXPECT_EQ(object.FromJson(&keep, &doc), -1);
        rapidjson::Value empty(rapidjson::kObjectType);
        if (readNeedsDocument) {
            EXPECT_EQ(object.FromJson(&empty, nullptr), -1);
        }
        EXPECT_EQ(str(keep), "\"keep\"");
    };
    Vantor_Leader leader;
    Vantor_Extensionline exLine;
    Vantor_SpecialLine special;
    Vantor_OutFrame frame;
    Vantor_Text text;
    Vantor_ComText comText;
    Vantor_Envelope envelope;
    check(leader, false);
    check(exLine, false);
    check(special, false);
    check(frame, false);
    check(text, false);
    check(comText, true);
    check(envelope, false);

    // The line elements pass a null document on to their curves, which do not need it.
    rapidjson::Document in;
    in.Parse(R"({"curves":{"lines":[{"type":3,"startPnt":"1 2 3"}]}})");
    EXPECT_EQ(special.FromJson(&in, nullptr), 0);
    ASSERT_EQ(special.GetCurves().size(), 1u);
}

TEST(DazoPmiParts, CurveGroupsRegroupByKind)
{
    Vantor_Leader leader;
    leader.SetLeaderType(static_cast<Vantor_LeaderTypeEnum>(3));
    const float size[2] = {1.5f, 0.25f};
    leader.SetTerminator(static_cast<Vantor_TermTypeEnum>(4), size, P(1, 2, 3), D(0, 0, -1));
    leader.SetBendLineFlag(true);
    leader.AddCurve(lineFrom(1));
    leader.AddCurve(arc());
    leader.AddCurve(polyLine());
    leader.AddCurve(std::make_shared<Vantor_NurbsCurve>()); // no JSON form: left out
    leader.AddCurve(nullptr);                               // ignored
    EXPECT_EQ(typesOf(leader.GetAllCurve()), "3214");

    rapidjson::Document doc;
    rapidjson::Value v;
    ASSERT_EQ(leader.ToJson(&v, &doc), 0);
    EXPECT_EQ(keysOf(v), "leaderType,termType,termSize,termLoc,termDir,hasBendLine,curves");
    EXPECT_STREQ(v["termSize"].GetString(), "1.500 0.250");
    EXPECT_STREQ(v["termDir"].GetString(), "0.000 0.000 -1.000");
    const rapidjson::Value& curves = v["curves"];
    EXPECT_EQ(keysOf(curves), "lines,polylines,arcs");
    for (const char* k : {"lines", "polylines", "arcs"})
        EXPECT_EQ(curves[k].Size(), 1u) << k;

    // Read back: grouped as line, polyline, arc; the caller's arrays are emptied.
    Vantor_Leader back;
    const std::string text = str(v);
    ASSERT_EQ(back.FromJson(&v, &doc), 0);
    EXPECT_EQ(typesOf(back.GetAllCurve()), "312");
    for (const char* k : {"lines", "polylines", "arcs"}) {
        ASSERT_TRUE(v["curves"][k].IsArray()) << k;
        EXPECT_EQ(v["curves"][k].Size(), 0u) << k;
    }
    EXPECT_EQ(write(back), text);
    Vantor_TermTypeEnum type;
    float backSize[2] = {0, 0};
    Vantor_PNT32 loc;
    Vantor_DIR32 dir;
    back.GetTerminator(type, backSize, loc, dir);
    EXPECT_EQ(type, 4);
    EXPECT_EQ(backSize[1], 0.25f);
    EXPECT_EQ(loc.y, 2.0f);
    EXPECT_TRUE(back.GetBendLineFlag());
    EXPECT_EQ(std::static_pointer_cast<Vantor_PolyLine>(back.GetCurve(1))->GetPoints().size(), 2u);

    // Reading again appends to the curves already held.
    read(back, text);
    EXPECT_EQ(typesOf(back.GetAllCurve()), "312312");

    EXPECT_EQ(back.GetCurve(-1), nullptr);
    EXPECT_EQ(back.GetCurve(6), nullptr);
    EXPECT_NE(back.GetCurve(5), nullptr);

    // A null size pointer neither crashes nor changes the stored size.
    back.SetTerminator(type, nullptr, loc, dir);
    back.GetTerminator(type, nullptr, loc, dir);
    back.GetTerminator(type, backSize, loc, dir);
    EXPECT_EQ(backSize[0], 1.5f);
}

TEST(DazoPmiParts, SpecialLinesAndFrames)
{
    Vantor_SpecialLine special;
    special.AddCurve(std::make_shared<Vantor_Parabola>());
    special.AddCurve(nullptr);
    EXPECT_EQ(special.GetCurves().size(), 1u);
    EXPECT_EQ(write(special), R"({"useType":0,"curves":{}})");

    special.SetSpecLinUse(static_cast<Vantor_SpecLineUsageEnum>(6));
    special.AddCurve(arc());
    special.AddCurve(arc());
    Vantor_SpecialLine specialBack;
    read(specialBack, write(special));
    EXPECT_EQ(specialBack.GetSpecLinUse(), 6);
    EXPECT_EQ(typesOf(specialBack.GetCurves()), "22");

    // Frames: a new one belongs to an annotation (1); one read without "defType" has 0.
    Vantor_OutFrame frame;
    EXPECT_EQ(frame.GetDefineType(), Vantor_OutFrameDef_PMI);
    frame.SetFrameType(static_cast<Vantor_OutFrameUsageEnum>(2));
    frame.SetFrameData(polyLine());
    frame.SetFrameData(lineFrom(3));
    frame.SetFrameData(nullptr); // no empty entry is stored
    EXPECT_EQ(frame.GetFrameData().size(), 2u);
    const std::string text = write(frame);
    Vantor_OutFrame frameBack;
    read(frameBack, text);
    EXPECT_EQ(write(frameBack), text);
    EXPECT_EQ(typesOf(frameBack.GetFrameData()), "31");

    Vantor_OutFrame noDefType;
    read(noDefType, R"({"frameType":5})");
    EXPECT_EQ(noDefType.GetDefineType(), 0);
    EXPECT_EQ(noDefType.GetFrameType(), 5);
}

TEST(DazoPmiParts, ExtensionLineHoldsOneCurve)
{
    Vantor_Extensionline exLine;
    exLine.SetExLineType(static_cast<Vantor_ExtensTypeEnum>(2));
    exLine.SetStyle(0xFFFFFFFFu);
    EXPECT_EQ(write(exLine), R"({"exLineType":2,"style":-1})");

    // One array by the curve's kind; another kind gives an empty group.
    exLine.SetCurve(arc());
    rapidjson::Document doc;
    rapidjson::Value v;
    exLine.ToJson(&v, &doc);
    EXPECT_EQ(keysOf(v["curves"]), "arcs");
    exLine.SetCurve(std::make_shared<Vantor_Hyperbola>());
    EXPECT_EQ(write(exLine), R"({"exLineType":2,"style":-1,"curves":{}})");
    exLine.SetCurve(nullptr);
    EXPECT_EQ(exLine.GetCurve(), nullptr);

    // The last curve read wins: the last element of the last array present.
    Vantor_Extensionline back;
    EXPECT_EQ(read(back, R"({"exLineType":2,"style":-1,"curves":{"lines":[{"type":3,"startPnt":"1 0 0"},{"type":3,"startPnt":"2 0 0"}]}})"), 0);
    EXPECT_EQ(back.GetStyle(), 0xFFFFFFFFu);
    ASSERT_NE(back.GetCurve(), nullptr);
    EXPECT_EQ(std::static_pointer_cast<Vantor_Line>(back.GetCurve())->GetStartPoint().x, 2.0f);
    EXPECT_EQ(read(back, R"({"curves":{"arcs":[{"type":2,"center":"0 0 9"}],"lines":[{"type":3}]}})"), 0);
    ASSERT_EQ(back.GetCurve()->GetCurveType(), Vantor_CurveType_Arc);
    EXPECT_EQ(back.GetStyle(), 0u); // missing gives 0
}

TEST(DazoPmiParts, TextsRoundTripAndKeepUnreadFields)
{
    Vantor_Text text;
    text.SetInnerLoc(P(1, 2, 3));
    text.SetInnerXYAxis(D(1, 0, 0), D(0, 1, 0));
    text.SetRotationAngle(0.5);
    text.SetCharWidthAndHeight(2.5f, 3.5f);
    text.SetCharSpace(0.125f);
    text.SetFontName(L"Arial Unicode");
    text.SetTextContent(L"\u2300 12 \u00b10.1 \u516c\u5dee");
    text.SetUsageType(static_cast<Vantor_TextTypeEnum>(7));
    text.SetOuterBox(Vantor_BOX32{P(-1, -2, -3), P(4, 5, 6.25f)});
    text.SetFontStype(static_cast<Vantor_FontStyleTypeEnum>(1));
    text.SetFontType(static_cast<Vantor_FontTypeEnum>(2));
    text.SetAttributeType(static_cast<Vantor_TextAttributeTypeEnum>(3));

    const std::string first = write(text);
    EXPECT_NE(first.find(R"("outBox":"-1.000 -2.000 -3.000,4.000 5.000 6.250")"), std::string::npos) << first;
    EXPECT_NE(first.find(R"("content":"⌀ 12 ±0.1 公差")"), std::string::npos) << first;
    Vantor_Text back;
    EXPECT_EQ(read(back, first), 0);
    EXPECT_EQ(write(back), first);
    EXPECT_EQ(back.GetTextContent(), text.GetTextContent());
    EXPECT_EQ(back.GetRotationAngle(), 0.5);
    Vantor_DIR32 x, y;
    back.GetInnerXYAxis(x, y);
    EXPECT_EQ(y.y, 1.0f);

    // Only present members change fields.
    Vantor_Text partial;
    EXPECT_EQ(read(partial, R"({"content":"only"})"), 0);
    EXPECT_EQ(partial.GetTextContent(), L"only");
    EXPECT_EQ(partial.GetUsageType(), 2);
    EXPECT_EQ(read(back, R"({"angle":2})"), 0);
    EXPECT_EQ(back.GetRotationAngle(), 2.0);
    EXPECT_EQ(back.GetFontName(), L"Arial Unicode");

    // Angles JSON cannot hold: NaN is reset to 0; an infinite one is written as 0.
    Vantor_Text odd;
    odd.SetRotationAngle(std::numeric_limits<double>::quiet_NaN());
    EXPECT_NE(write(odd).find(R"("angle":0.0)"), std::string::npos);
    EXPECT_EQ(odd.GetRotationAngle(), 0.0);
    odd.SetRotationAngle(std::numeric_limits<double>::infinity());
    odd.SetCharSpace(std::numeric_limits<float>::infinity());
    const std::string inf = write(odd);
    EXPECT_NE(inf.find(R"("angle":0.0)"), std::string::npos) << inf;
    EXPECT_NE(inf.find(R"("charSpace":0.0)"), std::string::npos) << inf;
}

TEST(DazoPmiParts, TextFramesBelongToTheText)
{
    Vantor_Text text;
    auto frame = std::make_shared<Vantor_OutFrame>();
    EXPECT_EQ(frame->GetDefineType(), 1);
    EXPECT_EQ(text.AddOutFrame(frame), 0);
    EXPECT_EQ(frame->GetDefineType(), 0);
    EXPECT_EQ(text.AddOutFrame(nullptr), -1);
    EXPECT_EQ(text.GetOutFrameNum(), 1u);
    EXPECT_EQ(text.GetOutFrameByIndex(0), frame);
    EXPECT_EQ(text.GetOutFrameByIndex(1), nullptr);
    // Frames of a text are not part of its form.
    EXPECT_EQ(write(text).find("frame"), std::string::npos);
}

TEST(DazoPmiParts, CompositeTexts)
{
    Vantor_ComText com;
    com.SetTexts({nullptr});
    EXPECT_EQ(write(com), golden(R"({"frameType":0,"outBox":^,"texts":[]})"));

    com.SetOuterBox(Vantor_BOX32{P(1, 2, 3), P(4, 5, 6)});
    com.SetFrameType(static_cast<Vantor_FrameTypeEnum>(2));
    auto t1 = std::make_shared<Vantor_Text>();
    t1->SetTextContent(L"A");
    auto t2 = std::make_shared<Vantor_Text>();
    t2->SetTextContent(L"B");
    com.SetTexts({t1});
    com.AddText(t2);
    com.AddText(nullptr);
    EXPECT_EQ(com.GetNumTexts(), 2u);
    auto envelope = std::make_shared<Vantor_Envelope>();
    envelope->SetStyle(3);
    com.SetEnvelope(envelope);

    rapidjson::Document doc;
    rapidjson::Value v;
    ASSERT_EQ(com.ToJson(&v, &doc), 0);
    EXPECT_STREQ(v["outBox"].GetString(), "1.000 2.000 3.000,4.000 5.000 6.000");
    EXPECT_EQ(str(v).find("style"), std::string::npos); // the envelope stays in memory
    Vantor_ComText back;
    back.AddText(t1); // existing texts stay
    ASSERT_EQ(back.FromJson(&v, &doc), 0);
    EXPECT_EQ(v["texts"].Size(), 0u);
    ASSERT_EQ(back.GetNumTexts(), 3u);
    EXPECT_EQ(back.GetTexts()[2]->GetTextContent(), L"B");
    EXPECT_EQ(back.GetOuterBox().second.z, 6.0f);
    EXPECT_EQ(back.GetFrameType(), 2);
    EXPECT_EQ(back.GetEnvelope(), nullptr);

    // Copies share texts and envelope.
    Vantor_ComText copy(com);
    copy.GetTexts()[0]->SetTextContent(L"changed");
    EXPECT_EQ(t1->GetTextContent(), L"changed");
    EXPECT_EQ(copy.GetEnvelope(), envelope);
}

TEST(DazoPmiParts, EnvelopeAnchors)
{
    Vantor_Envelope env;
    env.SetOutAnchorPoint(static_cast<Vantor_AnchorTypeEnum>(9), P(1, 1, 1));
    EXPECT_TRUE(env.GetOutAllAnchorTypes().empty());
    env.SetOutAnchorPoint(static_cast<Vantor_AnchorTypeEnum>(2), P(1, 1, 1));
    env.SetOutAnchorPoint(static_cast<Vantor_AnchorTypeEnum>(2), P(2, 2, 2));
    env.SetOutAnchorPoint(static_cast<Vantor_AnchorTypeEnum>(0), P(0, 0, 5));
    env.SetInAnchorPoint(static_cast<Vantor_AnchorTypeEnum>(9), P(1, 1, 1));
    Vantor_PNT32 p;
    EXPECT_EQ(env.GetOutAnchorPointByType(static_cast<Vantor_AnchorTypeEnum>(2), p), 0);
    EXPECT_EQ(p.x, 2.0f);
    EXPECT_EQ(env.GetInAnchorPointByType(static_cast<Vantor_AnchorTypeEnum>(2), p), -1);
    ASSERT_EQ(env.GetOutAllAnchorTypes().size(), 2u);
    EXPECT_EQ(env.GetOutAllAnchorTypes()[0], 0);

    env.SetBackgroundColor(Vantor_RGBA{255, 0, 0, 255});
    env.SetFrameColor(Vantor_RGBA{0, 0, 255, -1});
    env.SetStyle(-4);
    const std::string first = write(env);
    EXPECT_EQ(first, R"({"style":-4,"backgroundColor":"255 0 0 255","frameColor":"0 0 255 -1","outAnchors":[{"type":0,"pnt":"0.000 0.000 5.000"},{"type":2,"pnt":"2.000 2.000 2.000"}]})");
    Vantor_Envelope back;
    EXPECT_EQ(read(back, first), 0);
    EXPECT_EQ(write(back), first);
    EXPECT_EQ(back.GetBackgroundColor().r, 255);

    // Read from a file, the first point of a type stays; type 9 is not filtered there.
    Vantor_Envelope fromFile;
    EXPECT_EQ(read(fromFile, R"({"inAnchors":[{"type":1,"pnt":"1 0 0"},{"type":1,"pnt":"2 0 0"},{"type":9,"pnt":"9 9 9"},{"pnt":"0 0 1"}]})"), 0);
    ASSERT_EQ(fromFile.GetInAllAnchorTypes().size(), 3u);
    EXPECT_EQ(fromFile.GetInAnchorPointByType(static_cast<Vantor_AnchorTypeEnum>(1), p), 0);
    EXPECT_EQ(p.x, 1.0f);
    EXPECT_EQ(fromFile.GetInAnchorPointByType(static_cast<Vantor_AnchorTypeEnum>(0), p), 0);
    EXPECT_EQ(p.z, 1.0f);
    EXPECT_TRUE(fromFile.GetOutAllAnchorTypes().empty());
}
