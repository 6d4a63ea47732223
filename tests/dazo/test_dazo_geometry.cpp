#include "LocaleSupport.h"

#include "dazo/Vantor_Curve.h"
#include "dazo/Vantor_Geometry.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <rapidjson/writer.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

using namespace VantorSoft;

namespace {

const char* const Z = "\"0.000 0.000 0.000\"";

std::string str(const rapidjson::Value& v)
{
    rapidjson::StringBuffer sb;
    rapidjson::Writer<rapidjson::StringBuffer> w(sb);
    EXPECT_TRUE(v.Accept(w)) << "the writer stopped: a value was not representable";
    return sb.GetString();
}

// Replaces each '~' of a template with the zero point text, to keep the golden texts readable.
std::string golden(const std::string& templ)
{
    std::string out;
    for (char c : templ) {
        if (c == '~')
            out += Z;
        else
            out += c;
    }
    return out;
}

template <class T>
std::string write(T& object)
{
    rapidjson::Document doc;
    rapidjson::Value v;
    EXPECT_EQ(object.ToJson(&v, &doc), 0);
    return str(v);
}

template <class T>
void read(T& object, const std::string& text)
{
    rapidjson::Document doc;
    doc.Parse(text.c_str());
    ASSERT_FALSE(doc.HasParseError()) << text;
    EXPECT_EQ(object.FromJson(&doc, &doc), 0);
}

Vantor_PNT32 P(float x, float y, float z) { return Vantor_PNT32{x, y, z}; }
Vantor_DIR32 D(float x, float y, float z) { return Vantor_DIR32{x, y, z}; }

const float kNaN = std::numeric_limits<float>::quiet_NaN();

} // namespace

// ---- golden JSON of new objects ----

TEST(DazoGeometryJson, NewObjectsWriteTheDocumentedForm)
{
    struct Case {
        const char* name;
        std::function<std::unique_ptr<Vantor_Geometry>()> make;
        std::string json;
    };
    const Case cases[] = {
        {"line", [] { return std::make_unique<Vantor_GeoLine>(); }, R"({"type":1,"start":~,"end":~})"},
        {"ellipse", [] { return std::make_unique<Vantor_GeoEllipse>(); },
         R"({"type":2,"centerPoint":~,"start":~,"end":~,"majorRadius":0.0,"minorRadius":0.0,"xDirection":~,"yDirection":~,"zDirection":~})"},
        {"plane", [] { return std::make_unique<Vantor_PlaneFace>(); }, R"({"type":3,"normal":~,"origin":~})"},
        {"revolution", [] { return std::make_unique<Vantor_RevolutionFace>(); },
         R"({"type":4,"AxisPosition":~,"RevolutionAxis":~,"Radius":0.0})"},
        {"cylinder", [] { return std::make_unique<Vantor_CylinderFace>(); },
         R"({"type":5,"AxisPosition":~,"RevolutionAxis":~,"Radius":0.0})"},
        {"cone", [] { return std::make_unique<Vantor_ConeFace>(); },
         R"({"type":6,"AxisPosition":~,"Radius":0.0,"RevolutionAxis":~})"},
        {"sphere", [] { return std::make_unique<Vantor_SphereFace>(); },
         R"({"type":7,"AxisPosition":~,"Radius":0.0,"RevolutionAxis":~})"},
        {"torus", [] { return std::make_unique<Vantor_ToroidalFace>(); },
         R"({"type":8,"AxisPosition":~,"RevolutionAxis":~,"Radius":0.0,"majorRadius":0.0,"minorRadius":0.0})"},
    };
    for (const Case& c : cases) {
        auto g = c.make();
        EXPECT_EQ(write(*g), golden(c.json)) << c.name;

        // Null arguments: -1 and the caller's value untouched.
        rapidjson::Document doc;
        rapidjson::Value v("keep");
        EXPECT_EQ(g->ToJson(&v, nullptr), -1) << c.name;
        EXPECT_EQ(g->ToJson(nullptr, &doc), -1) << c.name;
        EXPECT_EQ(str(v), "\"keep\"") << c.name;
    }
}

TEST(DazoCurveJson, NewObjectsWriteTheDocumentedForm)
{
    const std::string head = R"({"id":0,"color":"0 0 0 0","type":)";
    Vantor_Line line;
    EXPECT_EQ(write(line), golden(head + R"(3,"defType":0,"visible":false,"startPnt":~,"endPnt":~,"origin":~,"direction":~})"));
    Vantor_PolyLine poly;
    EXPECT_EQ(write(poly), head + R"(1,"defType":0,"visible":false,"min":0.0,"max":0.0,"points":[]})");
    Vantor_Arc arc;
    EXPECT_EQ(write(arc), golden(head + R"(2,"defType":0,"visible":false,"min":0.0,"max":0.0,"center":~,"xDir":~,"yDir":~,"zDir":~,"normal":~,"originDir":~,"majorRadius":0.0,"minorRadius":0.0,"beginPnt":~,"endPnt":~,"beginPar":0.0,"endPar":0.0})"));

    // Kinds without a JSON form leave the value as it was.
    Vantor_NurbsCurve nurbs;
    Vantor_Hyperbola hyperbola;
    Vantor_Parabola parabola;
    Vantor_Curve* memoryOnly[] = {&nurbs, &hyperbola, &parabola};
    for (Vantor_Curve* c : memoryOnly) {
        rapidjson::Document doc;
        rapidjson::Value v("keep");
        EXPECT_EQ(c->ToJson(&v, &doc), 0);
        EXPECT_EQ(str(v), "\"keep\"");
        EXPECT_EQ(c->FromJson(&v, &doc), 0);
    }
    EXPECT_EQ(nurbs.GetCurveType(), Vantor_CurveType_NurbsCurve);
    EXPECT_EQ(hyperbola.GetCurveType(), Vantor_CurveType_Hyperbola);
    EXPECT_EQ(parabola.GetCurveType(), Vantor_CurveType_Parabola);
    EXPECT_EQ(nurbs.ToJson(), "");
    EXPECT_EQ(parabola.FromJson(std::string("{}")), 0);

    rapidjson::Document doc;
    rapidjson::Value v("keep");
    EXPECT_EQ(line.ToJson(&v, nullptr), -1);
    EXPECT_EQ(line.FromJson(nullptr, &doc), -1);
    EXPECT_EQ(str(v), "\"keep\"");
}

// ---- round trips: write, read into a fresh object, write again ----

TEST(DazoGeometryJson, RoundTrips)
{
    Vantor_GeoEllipse ellipse;
    ellipse.SetCenterPoint(P(1.5f, -2.25f, 3));
    ellipse.SetStartPoint(P(4, 5, 6));
    ellipse.SetEndPoint(P(-7, 8.125f, 9));
    ellipse.SetMajorRadius(12.5f);
    ellipse.SetMinorRadius(0.75f);
    ellipse.SetXYZDir(D(1, 0, 0), D(0, 1, 0), D(0, 0, 1));

    Vantor_PlaneFace plane;
    plane.SetNormal(D(0, 0, -1));
    plane.SetOrigin(P(10, 20, 30.5f));

    Vantor_CylinderFace cylinder;
    cylinder.SetRadius(2.5);
    cylinder.SetRevoAxis(D(0, 1, 0));
    cylinder.SetAxisPosition(P(1, 2, 3));
    Vantor_ConeFace cone;
    cone.SetRadius(4.25);
    cone.SetRevoAxis(D(1, 0, 0));
    Vantor_SphereFace sphere;
    sphere.SetRadius(7);
    sphere.SetAxisPosition(P(-1, -1, -1));
    Vantor_RevolutionFace revolution;
    revolution.SetRadius(0.5);
    revolution.SetRevoAxis(D(0, 0, 1));

    Vantor_ToroidalFace torus;
    torus.SetRadius(3.5);
    torus.SetRevoAxis(D(0, 0, 1));
    torus.SetAxisPosition(P(5, 5, 5));
    torus.SetMajorRaius(10);
    torus.SetMinorRadius(2);

    Vantor_GeoLine line;
    line.SetStartPoint(P(0, 0, 0));
    line.SetEndPoint(P(100, 0, 0.001f));
    line.SetLength(100);

    struct Case {
        const char* name;
        Vantor_Geometry* source;
        std::function<std::unique_ptr<Vantor_Geometry>()> make;
    };
    const Case cases[] = {
        {"ellipse", &ellipse, [] { return std::make_unique<Vantor_GeoEllipse>(); }},
        {"plane", &plane, [] { return std::make_unique<Vantor_PlaneFace>(); }},
        {"cylinder", &cylinder, [] { return std::make_unique<Vantor_CylinderFace>(); }},
        {"cone", &cone, [] { return std::make_unique<Vantor_ConeFace>(); }},
        {"sphere", &sphere, [] { return std::make_unique<Vantor_SphereFace>(); }},
        {"revolution", &revolution, [] { return std::make_unique<Vantor_RevolutionFace>(); }},
        {"torus", &torus, [] { return std::make_unique<Vantor_ToroidalFace>(); }},
        {"line", &line, [] { return std::make_unique<Vantor_GeoLine>(); }},
    };
    for (const Case& c : cases) {
        const std::string first = write(*c.source);
        auto copy = c.make();
        read(*copy, first);
        EXPECT_EQ(write(*copy), first) << c.name;
    }

    // The torus keeps the Radius it writes.
    Vantor_ToroidalFace torusBack;
    torusBack.SetRadius(99);
    read(torusBack, write(torus));
    EXPECT_EQ(torusBack.GetRadius(), 3.5);
    EXPECT_EQ(torusBack.GetMajorRadius(), 10.0f);
    EXPECT_EQ(torusBack.GetAxisPosition().x, 5.0f);

    // The line's length is not part of its form.
    Vantor_GeoLine lineBack;
    read(lineBack, write(line));
    EXPECT_EQ(lineBack.GetLength(), 0.0f);
    EXPECT_FLOAT_EQ(lineBack.GetEndPoint().z, 0.001f);
}

TEST(DazoGeometryJson, ReadingRules)
{
    // U and V directions are read only as a pair.
    Vantor_PlaneFace plane;
    plane.SetUDirection(D(1, 0, 0));
    plane.SetVDirection(D(0, 1, 0));
    read(plane, R"({"normal":"0 0 1","origin":"1 2 3","uDir":"0 0 5"})");
    EXPECT_EQ(plane.GetUDirection().x, 1.0f);
    EXPECT_EQ(plane.GetVDirection().y, 1.0f);
    EXPECT_EQ(plane.GetOrigin().z, 3.0f);
    read(plane, R"({"normal":"0 0 1","origin":"1 2 3","uDir":"0 0 5","vDir":"0 6 0"})");
    EXPECT_EQ(plane.GetUDirection().z, 5.0f);
    EXPECT_EQ(plane.GetVDirection().y, 6.0f);

    // A missing or malformed point text sets the member to the origin; numbers of any kind read.
    Vantor_SphereFace sphere;
    sphere.SetAxisPosition(P(1, 1, 1));
    sphere.SetRevoAxis(D(1, 1, 1));
    read(sphere, R"({"AxisPosition":"1 2","Radius":3})");
    EXPECT_EQ(sphere.GetAxisPosition().x, 0.0f);
    EXPECT_EQ(sphere.GetRevoAxis().z, 0.0f);
    EXPECT_EQ(sphere.GetRadius(), 3.0);
    read(sphere, R"({"Radius":-1.5e1})");
    EXPECT_EQ(sphere.GetRadius(), -15.0);

    // Not an object, or every member of the wrong kind: nothing breaks, always 0.
    Vantor_ToroidalFace torus;
    rapidjson::Document doc;
    for (const char* text : {"[]", "null", "\"text\"", "7",
                             R"({"RevolutionAxis":7,"AxisPosition":["1","2","3"],"Radius":"2","majorRadius":{},"minorRadius":null})"}) {
        doc.Parse(text);
        EXPECT_EQ(torus.FromJson(&doc, &doc), 0) << text;
    }
    EXPECT_EQ(torus.GetRadius(), 0.0);
    EXPECT_EQ(torus.GetMajorRadius(), 0.0f);
    EXPECT_EQ(torus.FromJson(nullptr, nullptr), 0);
}

TEST(DazoGeometryJson, NonFiniteNumbersAreWrittenAsZero)
{
    // A NaN or infinite radius must not stop the whole document's writer.
    Vantor_RevolutionFace revolution;
    revolution.SetRadius(std::nan(""));
    EXPECT_EQ(write(revolution), golden(R"({"type":4,"AxisPosition":~,"RevolutionAxis":~,"Radius":0.0})"));
    Vantor_SphereFace sphere;
    sphere.SetRadius(INFINITY);
    EXPECT_EQ(write(sphere), golden(R"({"type":7,"AxisPosition":~,"Radius":0.0,"RevolutionAxis":~})"));
    Vantor_GeoEllipse ellipse;
    ellipse.SetMajorRadius(kNaN);
    ellipse.SetMinorRadius(-INFINITY);
    EXPECT_NE(write(ellipse).find(R"("majorRadius":0.0,"minorRadius":0.0)"), std::string::npos);
    Vantor_ToroidalFace torus;
    torus.SetMajorRaius(kNaN);
    EXPECT_NE(write(torus).find(R"("majorRadius":0.0)"), std::string::npos);

    Vantor_PolyLine poly;
    poly.SetPoints({P(1, kNaN, 3)});
    poly.SetRange(-INFINITY, kNaN);
    EXPECT_NE(write(poly).find(R"("min":0.0,"max":0.0,"points":[1.0,0.0,3.0])"), std::string::npos);
    Vantor_Arc arc;
    arc.SetRadius(kNaN, 1);
    arc.SetParameter(INFINITY, 2);
    const std::string a = write(arc);
    EXPECT_NE(a.find(R"("majorRadius":0.0,"minorRadius":1.0)"), std::string::npos) << a;
    EXPECT_NE(a.find(R"("beginPar":0.0,"endPar":2.0)"), std::string::npos) << a;
}

TEST(DazoGeometryJson, PointTextsIgnoreCommaDecimalLocale)
{
    dazo_test::LocaleGuard guard;
    if (!dazo_test::useLocale(LC_ALL, "de_DE.UTF-8", "de_DE", "UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale can be made here";
    Vantor_PlaneFace plane;
    plane.SetOrigin(P(1.5f, -0.25f, 2));
    const std::string text = write(plane);
    EXPECT_EQ(text, R"({"type":3,"normal":"0.000 0.000 0.000","origin":"1.500 -0.250 2.000"})");
    Vantor_PlaneFace back;
    read(back, text);
    EXPECT_EQ(back.GetOrigin().x, 1.5f);
    EXPECT_EQ(back.GetOrigin().y, -0.25f);
}

// ---- curves ----

TEST(DazoCurveJson, RoundTrips)
{
    Vantor_Line line;
    line.SetColor(Vantor_RGBA{255, 0, 128, 255});
    line.SetUsageType(static_cast<Vantor_CurveUsageEnum>(3));
    line.SetCurveDispStat(true);
    line.SetStartPoint(P(1, 2, 3));
    line.SetEndPoint(P(-4.5f, 5, 6));
    line.SetOrigin(P(0.125f, 0, 0));
    line.SetDirection(D(0, 0, 1));

    Vantor_PolyLine poly;
    poly.SetRange(0.5f, 9.75f);
    poly.SetPoints({P(1, 2, 3), P(4, 5, 6)});
    poly.SetColor(Vantor_RGBA{-1, -1, -1, -1});

    Vantor_Arc arc;
    arc.SetRange(-1, 1);
    arc.SetCenterPoint(P(10, 20, 30));
    arc.SetXYZDir(D(1, 0, 0), D(0, 1, 0), D(0, 0, 1));
    arc.SetRadius(5, 2.5f);
    arc.SetCoordiantePnt(P(15, 20, 30), P(10, 25, 30));
    arc.SetParameter(0, 1.5f);
    arc.SetNormal(D(0, 0, 1));
    arc.SetOriginDir(D(1, 0, 0));

    struct Case {
        const char* name;
        Vantor_Curve* source;
        std::function<std::unique_ptr<Vantor_Curve>()> make;
    };
    const Case cases[] = {
        {"line", &line, [] { return std::make_unique<Vantor_Line>(); }},
        {"polyline", &poly, [] { return std::make_unique<Vantor_PolyLine>(); }},
        {"arc", &arc, [] { return std::make_unique<Vantor_Arc>(); }},
    };
    for (const Case& c : cases) {
        const std::string first = write(*c.source);
        auto copy = c.make();
        read(*copy, first);
        EXPECT_EQ(write(*copy), first) << c.name;
        EXPECT_EQ(copy->GetCurveType(), c.source->GetCurveType()) << c.name;
    }
    EXPECT_EQ(write(poly), R"({"id":0,"color":"-1 -1 -1 -1","type":1,"defType":0,"visible":false,"min":0.5,"max":9.75,"points":[1.0,2.0,3.0,4.0,5.0,6.0]})");
}

TEST(DazoCurveJson, ReadingRules)
{
    // Points are appended to those held, an incomplete triple is dropped, and the array is
    // moved out of the input.
    Vantor_PolyLine poly;
    poly.SetPoints({P(9, 9, 9)});
    rapidjson::Document doc;
    doc.Parse(R"({"points":[1,2,3,4.5,5,6,7,8]})");
    EXPECT_EQ(poly.FromJson(&doc, &doc), 0);
    ASSERT_EQ(poly.GetPoints().size(), 3u);
    EXPECT_EQ(poly.GetPoints()[2].x, 4.5f);
    ASSERT_TRUE(doc["points"].IsArray());
    EXPECT_EQ(doc["points"].Size(), 0u);
    read(poly, R"({"min":1})"); // no "points": the points stay
    EXPECT_EQ(poly.GetPoints().size(), 3u);

    // A colour must have exactly four pieces; a point text exactly three, else it keeps its value.
    Vantor_Line line;
    line.SetColor(Vantor_RGBA{1, 2, 3, 4});
    line.SetStartPoint(P(7, 7, 7));
    read(line, R"({"color":"10 20 30","startPnt":"1 2","endPnt":"1 2 3"})");
    EXPECT_EQ(line.GetColor().r, 1);
    EXPECT_EQ(line.GetStartPoint().x, 7.0f);
    EXPECT_EQ(line.GetEndPoint().z, 3.0f);
    read(line, R"({"color":"10.9 -20 3e9 x","visible":1})");
    EXPECT_EQ(line.GetColor().r, 10);
    EXPECT_EQ(line.GetColor().g, -20);
    EXPECT_EQ(line.GetColor().b, 2147483647) << "saturated, not an undefined cast";
    EXPECT_EQ(line.GetColor().a, 0);
    EXPECT_FALSE(line.GetCurveDispStat()) << "only JSON true is true";

    // Ids are unsigned 64-bit; 32-bit fields written unsigned read back as their signed value.
    Vantor_Arc arc;
    read(arc, R"({"id":18446744073709551615,"type":2,"defType":4294967295,"visible":true,"majorRadius":"5"})");
    rapidjson::Document out;
    rapidjson::Value v;
    arc.ToJson(&v, &out);
    EXPECT_EQ(v["id"].GetUint64(), 18446744073709551615ULL);
    EXPECT_EQ(arc.GetUsageType(), -1);
    EXPECT_TRUE(arc.GetCurveDispStat());
    float major = 1, minor = 1;
    arc.GetRadius(major, minor);
    EXPECT_EQ(major, 0.0f) << "a text is not a number";

    // Damaged input of every kind: no crash, non-objects refused.
    for (const char* text : {"[]", "null", "3", R"({"id":"x","color":5,"type":"3","points":{"a":1},"startPnt":[1,2,3]})",
                             R"({"points":["a",null,{},1,2,3]})", R"({"id":-5,"type":1e300})"}) {
        doc.Parse(text);
        Vantor_Line l;
        Vantor_PolyLine p;
        Vantor_Arc a;
        const int expected = doc.IsObject() ? 0 : -1;
        EXPECT_EQ(l.FromJson(&doc, nullptr), expected) << text;
        EXPECT_EQ(p.FromJson(&doc, nullptr), expected) << text;
        EXPECT_EQ(a.FromJson(&doc, nullptr), expected) << text;
    }
}
