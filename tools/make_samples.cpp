// Generates the sample models with the format library and the program's archive layout.
//
//   dazo_make_samples <folder>          small samples (an assembly with a sub-assembly, a shared
//                                       bolt placed four times, plane and cylinder faces with
//                                       their edges, several materials) and a single part
//   dazo_make_samples --large <file> [--parts N]
//                                       a benchmark model: N parts (1,000 by default) of about
//                                       2,000 triangles each, so 1,000 parts are 2 million triangles

#include "vantor/dazoreader/DazoArchiveLayout.h"

#include "dazo/Vantor_Body.h"
#include "dazo/Vantor_Document.h"
#include "dazo/Vantor_Edge.h"
#include "dazo/Vantor_Face.h"
#include "dazo/Vantor_Geometry.h"
#include "dazo/Vantor_Instance.h"
#include "dazo/Vantor_Material.h"
#include "dazo/Vantor_Prototype.h"

#include "dazo/Vantor_Curve.h"
#include "dazo/Vantor_PMI.h"
#include "dazo/Vantor_PMIDocument.h"
#include "dazo/Vantor_PMIElement.h"
#include "dazo/Vantor_PMIText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <vector>

using namespace VantorSoft;

namespace {

const double kPi = 3.14159265358979323846;

struct V3 {
    double x, y, z;
};

V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double length(V3 a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
V3 unit(V3 a)
{
    const double l = length(a);
    return l > 0 ? a * (1.0 / l) : a;
}

Vantor_PNT32 pnt(V3 v) { return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)}; }
Vantor_DIR32 dir(V3 v) { return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)}; }

std::shared_ptr<Vantor_Material> makeMaterial(const char* name, int r, int g, int b, int a = 255)
{
    auto m = std::make_shared<Vantor_Material>();
    m->Name(name);
    m->DiffuseColor(Vantor_RGBA{r, g, b, a});
    m->AmbientColor(Vantor_RGBA{r / 4, g / 4, b / 4, a});
    m->SpecularColor(Vantor_RGBA{200, 200, 200, 255});
    m->Shininess(32.0f);
    return m;
}

// Builds one body: faces own their points (so normals can be flat), triangles are counter-
// clockwise seen from outside, and an edge met by two faces is one shared edge object.
class BodyBuilder {
public:
    BodyBuilder()
        : m_body(std::make_shared<Vantor_Body>())
    {
    }

    std::shared_ptr<Vantor_Body> body() { return m_body; }

    // A flat polygon, corners counter-clockwise seen from outside; triangulated as a fan.
    std::shared_ptr<Vantor_Face> polygon(const std::vector<V3>& corners, const std::shared_ptr<Vantor_Material>& mat,
                                         bool straightEdges = true)
    {
        const V3 n = unit(cross(corners[1] - corners[0], corners[2] - corners[0]));
        auto face = newFace(mat);
        const unsigned first = addPoints(corners, n);
        for (unsigned i = 1; i + 1 < corners.size(); ++i) {
            face->PointsIndexArray().push_back(first);
            face->PointsIndexArray().push_back(first + i);
            face->PointsIndexArray().push_back(first + i + 1);
        }
        auto plane = std::make_shared<Vantor_PlaneFace>();
        plane->SetNormal(dir(n));
        plane->SetOrigin(pnt(corners[0]));
        plane->SetUDirection(dir(unit(corners[1] - corners[0])));
        plane->SetVDirection(dir(unit(cross(n, corners[1] - corners[0]))));
        face->Geometry(plane);
        if (straightEdges) {
            for (unsigned i = 0; i < corners.size(); ++i) {
                const unsigned j = (i + 1) % corners.size();
                face->EdgesArray().push_back(lineEdge(corners[i], corners[j], first + i, first + j));
            }
        }
        return face;
    }

    // The side of a cylinder around the z axis through (cx, cy), from z0 to z1, with its two
    // circular edges; caps are added separately and share those edges.
    std::shared_ptr<Vantor_Face> cylinderSide(double cx, double cy, double r, double z0, double z1, int segments,
                                              const std::shared_ptr<Vantor_Material>& mat,
                                              std::shared_ptr<Vantor_Edge>& bottomCircle,
                                              std::shared_ptr<Vantor_Edge>& topCircle)
    {
        auto face = newFace(mat);
        const unsigned first = static_cast<unsigned>(m_body->PointsArray().size());
        for (int i = 0; i <= segments; ++i) {
            const double a = 2 * kPi * i / segments;
            const V3 n{std::cos(a), std::sin(a), 0};
            m_body->PointsArray().push_back(pnt({cx + r * n.x, cy + r * n.y, z0}));
            m_body->NormalsArray().push_back(pnt(n));
            m_body->PointsArray().push_back(pnt({cx + r * n.x, cy + r * n.y, z1}));
            m_body->NormalsArray().push_back(pnt(n));
        }
        for (int i = 0; i < segments; ++i) {
            const unsigned b0 = first + 2 * i, t0 = b0 + 1, b1 = b0 + 2, t1 = b0 + 3;
            face->PointsIndexArray().insert(face->PointsIndexArray().end(), {b0, b1, t1, b0, t1, t0});
        }
        auto cyl = std::make_shared<Vantor_CylinderFace>();
        cyl->SetRadius(r);
        cyl->SetRevoAxis(Vantor_DIR32{0, 0, 1});
        cyl->SetAxisPosition(pnt({cx, cy, z0}));
        face->Geometry(cyl);

        std::vector<unsigned> bottom, top;
        for (int i = 0; i <= segments; ++i) {
            bottom.push_back(first + 2 * i);
            top.push_back(first + 2 * i + 1);
        }
        bottomCircle = circleEdge(cx, cy, z0, r, bottom);
        topCircle = circleEdge(cx, cy, z1, r, top);
        face->EdgesArray() = {bottomCircle, topCircle};
        return face;
    }

    // A flat disc closing a cylinder; up tells which way its outside faces.
    std::shared_ptr<Vantor_Face> cap(double cx, double cy, double r, double z, int segments, bool up,
                                     const std::shared_ptr<Vantor_Material>& mat, const std::shared_ptr<Vantor_Edge>& circle)
    {
        std::vector<V3> corners;
        for (int i = 0; i < segments; ++i) {
            const double a = 2 * kPi * (up ? i : segments - i) / segments;
            corners.push_back({cx + r * std::cos(a), cy + r * std::sin(a), z});
        }
        auto face = polygon(corners, mat, false);
        face->EdgesArray().push_back(circle);
        return face;
    }

    // A box between two corners, six planar faces and twelve shared straight edges.
    void box(V3 a, V3 b, const std::shared_ptr<Vantor_Material>& mat)
    {
        const V3 p[8] = {{a.x, a.y, a.z}, {b.x, a.y, a.z}, {b.x, b.y, a.z}, {a.x, b.y, a.z},
                         {a.x, a.y, b.z}, {b.x, a.y, b.z}, {b.x, b.y, b.z}, {a.x, b.y, b.z}};
        const int quads[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
        for (const auto& q : quads)
            polygon({p[q[0]], p[q[1]], p[q[2]], p[q[3]]}, mat);
    }

    // A closed cylinder: side and two caps.
    void cylinder(double cx, double cy, double r, double z0, double z1, int segments,
                  const std::shared_ptr<Vantor_Material>& mat)
    {
        std::shared_ptr<Vantor_Edge> bottom, top;
        cylinderSide(cx, cy, r, z0, z1, segments, mat, bottom, top);
        cap(cx, cy, r, z0, segments, false, mat, bottom);
        cap(cx, cy, r, z1, segments, true, mat, top);
    }

    // A regular prism around the z axis (a hexagon head for six sides).
    void prism(double cx, double cy, double r, double z0, double z1, int sides, const std::shared_ptr<Vantor_Material>& mat)
    {
        std::vector<V3> bottom, top;
        for (int i = 0; i < sides; ++i) {
            const double a = 2 * kPi * i / sides + kPi / sides;
            bottom.push_back({cx + r * std::cos(a), cy + r * std::sin(a), z0});
            top.push_back({cx + r * std::cos(a), cy + r * std::sin(a), z1});
        }
        polygon(std::vector<V3>(bottom.rbegin(), bottom.rend()), mat);
        polygon(top, mat);
        for (int i = 0; i < sides; ++i) {
            const int j = (i + 1) % sides;
            polygon({bottom[i], bottom[j], top[j], top[i]}, mat);
        }
    }

private:
    static V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

    std::shared_ptr<Vantor_Face> newFace(const std::shared_ptr<Vantor_Material>& mat)
    {
        auto face = std::make_shared<Vantor_Face>();
        face->Material(mat);
        m_body->FacesArray().push_back(face);
        return face;
    }

    unsigned addPoints(const std::vector<V3>& pts, V3 normal)
    {
        const unsigned first = static_cast<unsigned>(m_body->PointsArray().size());
        for (const V3& p : pts) {
            m_body->PointsArray().push_back(pnt(p));
            m_body->NormalsArray().push_back(pnt(normal));
        }
        return first;
    }

    // One edge object per segment, whichever face meets it first provides its point indices.
    std::shared_ptr<Vantor_Edge> lineEdge(V3 a, V3 b, unsigned ia, unsigned ib)
    {
        auto key = [](V3 v) {
            return std::make_tuple(std::lround(v.x * 1000), std::lround(v.y * 1000), std::lround(v.z * 1000));
        };
        auto ka = key(a), kb = key(b);
        const auto k = ka < kb ? std::make_pair(ka, kb) : std::make_pair(kb, ka);
        auto found = m_edges.find(k);
        if (found != m_edges.end())
            return found->second;
        auto e = std::make_shared<Vantor_Edge>();
        e->PointsIndexArray({ia, ib});
        auto line = std::make_shared<Vantor_GeoLine>();
        line->SetStartPoint(pnt(a));
        line->SetEndPoint(pnt(b));
        line->SetCenterPoint(pnt((a + b) * 0.5));
        line->SetDirection(dir(unit(b - a)));
        line->SetLength(static_cast<float>(length(b - a)));
        e->Geometry(line);
        m_edges[k] = e;
        return e;
    }

    std::shared_ptr<Vantor_Edge> circleEdge(double cx, double cy, double z, double r, const std::vector<unsigned>& idx)
    {
        auto e = std::make_shared<Vantor_Edge>();
        e->PointsIndexArray(idx);
        auto circle = std::make_shared<Vantor_GeoEllipse>();
        circle->SetCenterPoint(pnt({cx, cy, z}));
        circle->SetMajorRadius(static_cast<float>(r));
        circle->SetMinorRadius(static_cast<float>(r));
        circle->SetStartPoint(pnt({cx + r, cy, z}));
        circle->SetEndPoint(pnt({cx + r, cy, z}));
        circle->SetXYZDir(Vantor_DIR32{1, 0, 0}, Vantor_DIR32{0, 1, 0}, Vantor_DIR32{0, 0, 1});
        e->Geometry(circle);
        return e;
    }

    typedef std::tuple<long, long, long> Key;
    std::shared_ptr<Vantor_Body> m_body;
    std::map<std::pair<Key, Key>, std::shared_ptr<Vantor_Edge>> m_edges;
};

std::shared_ptr<Vantor_Prototype> prototypeOf(BodyBuilder& b)
{
    auto proto = std::make_shared<Vantor_Prototype>();
    proto->SubBodies({b.body()});
    return proto;
}

std::shared_ptr<Vantor_Instance> place(const char* name, const std::shared_ptr<Vantor_Prototype>& proto, V3 at,
                                       unsigned number = 0)
{
    auto inst = std::make_shared<Vantor_Instance>();
    inst->Name(name);
    inst->Prototype(proto);
    inst->PrototypeId(number);
    inst->Visible(true);
    // Row-vector layout: the translation is the fourth row.
    inst->PlcMatrix()[Vantor::DazoLayout::TranslationIndex] = static_cast<float>(at.x);
    inst->PlcMatrix()[Vantor::DazoLayout::TranslationIndex + 1] = static_cast<float>(at.y);
    inst->PlcMatrix()[Vantor::DazoLayout::TranslationIndex + 2] = static_cast<float>(at.z);
    return inst;
}

std::shared_ptr<Vantor_Instance> assembly(const char* name, V3 at)
{
    auto inst = place(name, nullptr, at);
    inst->Assembly(true);
    return inst;
}

// A text at a place in the annotation's plane, with a leader line to the point it explains.
std::shared_ptr<Vantor_PMI> annotation(u64 id, const wchar_t* name, const wchar_t* content, V3 at, V3 target,
                                       const std::vector<std::pair<V3, V3>>& extensionLines = {})
{
    auto pmi = std::make_shared<Vantor_PMI>();
    pmi->SetID(id);
    pmi->SetName(name);
    pmi->SetColor(Vantor_RGBA{0, 0, 0, 255});
    pmi->SetAxisX(Vantor_DIR32{1, 0, 0});
    pmi->SetAxisY(Vantor_DIR32{0, 1, 0});
    pmi->SetSymBasePoint(pnt(at));
    pmi->SetDisplay(true);

    auto text = std::make_shared<Vantor_Text>();
    text->SetTextContent(content);
    text->SetInnerLoc(pnt(at));
    text->SetInnerXYAxis(Vantor_DIR32{1, 0, 0}, Vantor_DIR32{0, 1, 0});
    text->SetCharWidthAndHeight(3.5f, 5.0f);
    text->SetFontName(L"Arial");
    auto box = std::make_shared<Vantor_ComText>();
    box->AddText(text);
    pmi->AddComText(box);

    auto lineTo = [](V3 a, V3 b) {
        auto line = std::make_shared<Vantor_Line>();
        line->SetStartPoint(pnt(a));
        line->SetEndPoint(pnt(b));
        line->SetOrigin(pnt(a));
        line->SetDirection(dir(unit(b - a)));
        line->SetColor(Vantor_RGBA{0, 0, 0, 255});
        line->SetCurveDispStat(true);
        return line;
    };
    auto leader = std::make_shared<Vantor_Leader>();
    leader->AddCurve(lineTo(at, target));
    pmi->AddLeader(leader);
    for (const auto& l : extensionLines) {
        auto ext = std::make_shared<Vantor_Extensionline>();
        ext->SetCurve(lineTo(l.first, l.second));
        pmi->AddExline(ext);
    }
    return pmi;
}

// Three annotations on the assembly: the plate's length, a bolt note and a pin fit.
void addSampleAnnotations(Vantor_Instance& top)
{
    auto doc = std::make_shared<Vantor_PMIDocument>();
    doc->AddPMI(annotation(1, L"Plate length", L"200", {100, -25, 10}, {100, -10, 10},
                           {{{0, 0, 10}, {0, -30, 10}}, {{200, 0, 10}, {200, -30, 10}}}));
    doc->AddPMI(annotation(2, L"Bolt note", L"4x M10 - 25 Nm", {-40, 130, 30}, {15, 105, 16}));
    doc->AddPMI(annotation(3, L"Pin fit", L"\u00d88 H7/g6", {140, 100, 60}, {104, 60, 50}));
    top.PMIDocument(doc);
}

bool save(Vantor_Document& doc, const std::string& path)
{
    std::string error;
    if (!Vantor::DazoLayout::WriteArchive(doc, {}, path, &error)) {
        std::fprintf(stderr, "dazo_make_samples: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

bool makeBoltedBracket(const std::string& path)
{
    auto steel = makeMaterial("Steel", 160, 165, 170);
    auto darkSteel = makeMaterial("Dark steel", 70, 72, 78);
    auto blue = makeMaterial("Blue paint", 40, 90, 200);
    auto red = makeMaterial("Red", 200, 40, 30);

    BodyBuilder plateB;
    plateB.box({0, 0, 0}, {200, 120, 10}, steel);
    auto plate = prototypeOf(plateB);

    // One bolt definition: a hexagon head on a round shank, placed four times.
    BodyBuilder boltB;
    boltB.prism(0, 0, 8, 10, 16, 6, darkSteel);
    boltB.cylinder(0, 0, 5, -20, 10, 32, darkSteel);
    auto bolt = prototypeOf(boltB);

    BodyBuilder bracketB;
    bracketB.box({0, 0, 0}, {60, 40, 8}, blue);
    bracketB.box({0, 0, 8}, {8, 40, 50}, blue);
    auto bracket = prototypeOf(bracketB);

    BodyBuilder pinB;
    pinB.cylinder(0, 0, 4, 0, 50, 48, red);
    auto pin = prototypeOf(pinB);

    auto top = assembly("BoltedBracket", {0, 0, 0});
    top->AddSubInstance(place("BasePlate", plate, {0, 0, 0}, 1));
    const V3 corners[4] = {{15, 15, 0}, {185, 15, 0}, {185, 105, 0}, {15, 105, 0}};
    for (const V3& c : corners)
        top->AddSubInstance(place("Bolt", bolt, c, 2));

    auto sub = assembly("BracketAssembly", {70, 40, 10});
    sub->AddSubInstance(place("Bracket", bracket, {0, 0, 0}, 3));
    sub->AddSubInstance(place("Pin", pin, {30, 20, 8}, 4));
    top->AddSubInstance(sub);
    addSampleAnnotations(*top);

    Vantor_Document doc;
    doc.FileName(path);
    doc.AddTopInstances(top);
    return save(doc, path);
}

bool makePin(const std::string& path)
{
    BodyBuilder b;
    b.cylinder(0, 0, 10, 0, 80, 64, makeMaterial("Brass", 200, 160, 60));
    auto top = place("Pin", prototypeOf(b), {0, 0, 0}, 1);
    Vantor_Document doc;
    doc.FileName(path);
    doc.AddTopInstances(top);
    return save(doc, path);
}

// Distinct parts of about 2,000 triangles each, in sub-assemblies of a hundred (the last one holds
// what is left). 1,000 parts make ten sub-assemblies.
bool makeLarge(const std::string& path, int parts)
{
    const int perGroup = 100, segments = 500;
    const int groups = (parts + perGroup - 1) / perGroup;
    std::vector<std::shared_ptr<Vantor_Material>> palette = {
        makeMaterial("Grey", 150, 150, 150), makeMaterial("Blue", 40, 90, 200),
        makeMaterial("Green", 60, 160, 80), makeMaterial("Orange", 230, 130, 30)};
    auto top = assembly("LargeAssembly", {0, 0, 0});
    unsigned number = 0;
    for (int g = 0; g < groups; ++g) {
        auto group = assembly("Group", {0, 0, 120.0 * g});
        for (int i = 0; i < perGroup && static_cast<int>(number) < parts; ++i) {
            BodyBuilder b;
            b.cylinder(0, 0, 10 + (i % 7), 0, 40 + (g % 5) * 10, segments, palette[(g + i) % palette.size()]);
            ++number;
            group->AddSubInstance(place("Part", prototypeOf(b), {40.0 * (i % 10), 40.0 * (i / 10), 0}, number));
        }
        top->AddSubInstance(group);
    }
    Vantor_Document doc;
    doc.FileName(path);
    doc.AddTopInstances(top);
    return save(doc, path);
}

bool makeFolder(const std::string& path)
{
    std::string partial;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (!partial.empty())
                ::mkdir(partial.c_str(), 0755);
        }
        if (i < path.size())
            partial += path[i];
    }
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string folderOf(const std::string& file)
{
    const std::string::size_type slash = file.rfind('/');
    return slash == std::string::npos ? "." : file.substr(0, slash);
}

} // namespace

int main(int argc, char** argv)
{
    if ((argc == 3 || argc == 5) && std::strcmp(argv[1], "--large") == 0) {
        const std::string file = argv[2];
        char* end = nullptr;
        const long parts = argc == 5 && std::strcmp(argv[3], "--parts") == 0 ? std::strtol(argv[4], &end, 10) : 1000;
        if (argc == 5 && (!end || *end || parts < 1 || parts > 100000)) {
            std::fprintf(stderr, "dazo_make_samples: --parts takes a number from 1 to 100000\n");
            return 2;
        }
        if (!makeFolder(folderOf(file))) {
            std::fprintf(stderr, "dazo_make_samples: cannot create the folder of %s\n", file.c_str());
            return 1;
        }
        return makeLarge(file, static_cast<int>(parts)) ? 0 : 1;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: dazo_make_samples <folder> | --large <file.dazo> [--parts N]\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!makeFolder(folder)) {
        std::fprintf(stderr, "dazo_make_samples: cannot create the folder %s\n", folder.c_str());
        return 1;
    }
    const bool ok = makeBoltedBracket(folder + "/BoltedBracket.dazo") && makePin(folder + "/Pin.dazo");
    return ok ? 0 : 1;
}
