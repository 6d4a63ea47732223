#pragma once

// Small solids written with the format library and read back by our reader, so the measures work on
// the very data a user's model gives them: planes, cylinders, lines and circles, or bare meshes.

#include "dazo/DazoTestUtil.h"

#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoReaderWriter.h"
#include "vantor/dazoreader/DazoSceneData.h"
#include "vantor/measure/MeasureGeometry.h"
#include "vantor/model/Body.h"

#include "dazo/Vantor_Body.h"
#include "dazo/Vantor_Document.h"
#include "dazo/Vantor_Edge.h"
#include "dazo/Vantor_Face.h"
#include "dazo/Vantor_Geometry.h"
#include "dazo/Vantor_Instance.h"
#include "dazo/Vantor_Prototype.h"

#include <osg/Geometry>
#include <osg/NodeVisitor>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace measure_test {

using namespace VantorSoft;
using V = osg::Vec3d;

inline Vantor_PNT32 pnt(const V& v) { return Vantor_PNT32{float(v.x()), float(v.y()), float(v.z())}; }
inline Vantor_DIR32 dir(const V& v) { return Vantor_DIR32{float(v.x()), float(v.y()), float(v.z())}; }

// One body built face by face; each face has its own points, as the sample models have.
class BodyBuilder
{
public:
    explicit BodyBuilder(bool analytic = true) : m_analytic(analytic) {}

    // A flat convex polygon, corners counter-clockwise seen from outside, its sides straight edges.
    void polygon(const std::vector<V>& corners)
    {
        auto face = std::make_shared<Vantor_Face>();
        const unsigned first = unsigned(m_body->PointsArray().size());
        for (const V& c : corners)
            m_body->PointsArray().push_back(pnt(c));
        for (unsigned i = 1; i + 1 < corners.size(); ++i)
            face->PointsIndexArray().insert(face->PointsIndexArray().end(), {first, first + i, first + i + 1});
        V n = (corners[1] - corners[0]) ^ (corners[2] - corners[0]);
        n.normalize();
        if (m_analytic) {
            auto plane = std::make_shared<Vantor_PlaneFace>();
            plane->SetNormal(dir(n));
            plane->SetOrigin(pnt(corners[0]));
            face->Geometry(plane);
        }
        for (unsigned i = 0; i < corners.size(); ++i) {
            const unsigned j = (i + 1) % corners.size();
            auto e = std::make_shared<Vantor_Edge>();
            e->PointsIndexArray({first + i, first + j});
            if (m_analytic) {
                auto line = std::make_shared<Vantor_GeoLine>();
                line->SetStartPoint(pnt(corners[i]));
                line->SetEndPoint(pnt(corners[j]));
                e->Geometry(line);
            }
            face->EdgesArray().push_back(e);
        }
        m_body->FacesArray().push_back(face);
    }

    // The six faces of an axis-aligned box.
    void box(const V& lo, const V& hi, bool withTop = true)
    {
        const V a(lo.x(), lo.y(), lo.z()), b(hi.x(), lo.y(), lo.z()), c(hi.x(), hi.y(), lo.z()), d(lo.x(), hi.y(), lo.z());
        const V e(lo.x(), lo.y(), hi.z()), f(hi.x(), lo.y(), hi.z()), g(hi.x(), hi.y(), hi.z()), h(lo.x(), hi.y(), hi.z());
        polygon({a, d, c, b}); // bottom, facing -z
        if (withTop)
            polygon({e, f, g, h});
        polygon({a, b, f, e});
        polygon({b, c, g, f});
        polygon({c, d, h, g});
        polygon({d, a, e, h});
    }

    // A closed cylinder around the z axis through (cx, cy): side, caps and two circle edges.
    void cylinder(double cx, double cy, double r, double z0, double z1, int segments = 64)
    {
        const unsigned first = unsigned(m_body->PointsArray().size());
        for (int i = 0; i <= segments; ++i) {
            const double t = 2 * M_PI * i / segments;
            m_body->PointsArray().push_back(pnt(V(cx + r * std::cos(t), cy + r * std::sin(t), z0)));
            m_body->PointsArray().push_back(pnt(V(cx + r * std::cos(t), cy + r * std::sin(t), z1)));
        }
        auto side = std::make_shared<Vantor_Face>();
        for (int i = 0; i < segments; ++i) {
            const unsigned b0 = first + 2 * i, t0 = b0 + 1, b1 = b0 + 2, t1 = b0 + 3;
            side->PointsIndexArray().insert(side->PointsIndexArray().end(), {b0, b1, t1, b0, t1, t0});
        }
        if (m_analytic) {
            auto cyl = std::make_shared<Vantor_CylinderFace>();
            cyl->SetRadius(r);
            cyl->SetRevoAxis(Vantor_DIR32{0, 0, 1});
            cyl->SetAxisPosition(pnt(V(cx, cy, z0)));
            side->Geometry(cyl);
        }
        std::shared_ptr<Vantor_Edge> rims[2];
        for (int k = 0; k < 2; ++k) {
            std::vector<unsigned> idx;
            for (int i = 0; i <= segments; ++i)
                idx.push_back(first + 2 * i + k);
            rims[k] = std::make_shared<Vantor_Edge>();
            rims[k]->PointsIndexArray(idx);
            if (m_analytic) {
                const double z = k ? z1 : z0;
                auto circle = std::make_shared<Vantor_GeoEllipse>();
                circle->SetCenterPoint(pnt(V(cx, cy, z)));
                circle->SetMajorRadius(float(r));
                circle->SetMinorRadius(float(r));
                circle->SetStartPoint(pnt(V(cx + r, cy, z)));
                circle->SetEndPoint(pnt(V(cx + r, cy, z)));
                circle->SetXYZDir(Vantor_DIR32{1, 0, 0}, Vantor_DIR32{0, 1, 0}, Vantor_DIR32{0, 0, 1});
                rims[k]->Geometry(circle);
            }
            side->EdgesArray().push_back(rims[k]);
        }
        m_body->FacesArray().push_back(side);
        // Caps: fans around the centre, sharing the rims' corners.
        for (int k = 0; k < 2; ++k) {
            const double z = k ? z1 : z0;
            auto cap = std::make_shared<Vantor_Face>();
            const unsigned centre = unsigned(m_body->PointsArray().size());
            m_body->PointsArray().push_back(pnt(V(cx, cy, z)));
            for (int i = 0; i < segments; ++i) {
                const unsigned p = first + 2 * i + k, q = first + 2 * (i + 1) + k;
                if (k)
                    cap->PointsIndexArray().insert(cap->PointsIndexArray().end(), {centre, p, q});
                else
                    cap->PointsIndexArray().insert(cap->PointsIndexArray().end(), {centre, q, p});
            }
            if (m_analytic) {
                auto plane = std::make_shared<Vantor_PlaneFace>();
                plane->SetNormal(Vantor_DIR32{0, 0, k ? 1.0f : -1.0f});
                plane->SetOrigin(pnt(V(cx, cy, z)));
                cap->Geometry(plane);
            }
            cap->EdgesArray().push_back(rims[k]);
            m_body->FacesArray().push_back(cap);
        }
    }

    std::shared_ptr<Vantor_Body> body() const { return m_body; }

private:
    bool m_analytic;
    std::shared_ptr<Vantor_Body> m_body = std::make_shared<Vantor_Body>();
};

inline std::shared_ptr<Vantor_Instance> part(const std::string& name, const std::vector<std::shared_ptr<Vantor_Body>>& bodies)
{
    auto proto = std::make_shared<Vantor_Prototype>();
    proto->SubBodies(bodies);
    auto inst = std::make_shared<Vantor_Instance>();
    inst->Name(name);
    inst->Prototype(proto);
    inst->Visible(true);
    return inst;
}

// Writes the parts under one assembly and reads the archive back into a scene graph.
inline osg::ref_ptr<osg::Node> readBack(const std::string& path, const std::vector<std::shared_ptr<Vantor_Instance>>& parts)
{
    auto top = part("Top", {});
    top->Prototype(nullptr);
    top->Assembly(true);
    for (const auto& p : parts)
        top->AddSubInstance(p);
    Vantor_Document doc;
    doc.AddTopInstances(top);
    std::string error;
    if (!Vantor::DazoLayout::WriteArchive(doc, {}, path, &error))
        return nullptr;
    DazoReaderWriter reader;
    return reader.readNode(path);
}

// The face or edge of a scene that passes through a point, found the way a pick finds it.
struct Finder : osg::NodeVisitor
{
    explicit Finder(const V& at) : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN), point(at) {}
    void apply(osg::Geode& geode) override
    {
        if (!Vantor::Body::isBody(&geode))
            return;
        const osg::Matrixd toWorld = osg::computeLocalToWorld(getNodePath());
        if (!haveEdge && Vantor::MeasureGeo::edgeNearPoint(&geode, toWorld, point, 1e-4, edge))
            haveEdge = true;
        for (unsigned d = 0; d < geode.getNumDrawables() && !haveFace; ++d) {
            const osg::Geometry* g = geode.getDrawable(d)->asGeometry();
            if (!g || !Vantor::DazoData::find<Vantor::DazoData::FaceData>(g))
                continue;
            const unsigned count = g->getPrimitiveSet(0)->getNumIndices() / 3;
            for (unsigned t = 0; t < count && !haveFace; ++t) {
                Vantor::MeasureGeo::Face f;
                if (!Vantor::MeasureGeo::faceFromDrawable(g, t, toWorld, f))
                    continue;
                const auto& tr = f.triangles;
                for (std::size_t i = 0; i + 2 < tr.size(); i += 3) {
                    if ((Vantor::MeasureGeo::closestOnTriangle(point, tr[i], tr[i + 1], tr[i + 2]) - point).length() < 1e-4) {
                        face = f;
                        haveFace = true;
                        break;
                    }
                }
            }
        }
        if (!haveSolid && Vantor::MeasureGeo::solidFromBody(&geode, toWorld, solid)) {
            for (std::size_t i = 0; i + 2 < solid.triangles.size(); i += 3) {
                if ((Vantor::MeasureGeo::closestOnTriangle(point, solid.triangles[i], solid.triangles[i + 1],
                                                           solid.triangles[i + 2]) - point).length() < 1e-4) {
                    haveSolid = true;
                    break;
                }
            }
        }
    }
    V point;
    Vantor::MeasureGeo::Face face;
    Vantor::MeasureGeo::Edge edge;
    Vantor::MeasureGeo::Solid solid;
    bool haveFace = false, haveEdge = false, haveSolid = false;
};

inline Vantor::MeasureGeo::Face faceAt(osg::Node* scene, const V& p)
{
    Finder f(p);
    scene->accept(f);
    return f.face;
}

inline Vantor::MeasureGeo::Edge edgeAt(osg::Node* scene, const V& p)
{
    Finder f(p);
    scene->accept(f);
    return f.edge;
}

inline std::vector<V> solidAt(osg::Node* scene, const V& p)
{
    Finder f(p);
    scene->accept(f);
    return f.haveSolid ? f.solid.triangles : std::vector<V>();
}

} // namespace measure_test
