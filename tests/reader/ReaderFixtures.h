#pragma once

// Small models for the reader, writer and loader tests, written with the format library itself,
// and tools to take an archive apart and pack it again with one member changed.

#include "dazo/DazoTestUtil.h"

#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoSceneData.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"

#include "dazo/Vantor_Body.h"
#include "dazo/Vantor_Document.h"
#include "dazo/Vantor_Edge.h"
#include "dazo/Vantor_Face.h"
#include "dazo/Vantor_Geometry.h"
#include "dazo/Vantor_Instance.h"
#include "dazo/Vantor_Material.h"
#include "dazo/Vantor_Prototype.h"

#include <osg/Geometry>
#include <osg/NodeVisitor>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace reader_test {

using namespace VantorSoft;

inline std::shared_ptr<Vantor_Material> material(int r, int g, int b, int a = 255)
{
    auto m = std::make_shared<Vantor_Material>();
    m->DiffuseColor(Vantor_RGBA{r, g, b, a});
    return m;
}

// A tetrahedron: 4 points shared by 4 faces, 6 edges each listed by the two faces beside it;
// the first face is a plane, the first edge a line. No normals: the reader makes them.
inline std::shared_ptr<Vantor_Prototype> tetrahedron(const std::shared_ptr<Vantor_Material>& faceMaterial)
{
    auto body = std::make_shared<Vantor_Body>();
    body->PointsArray({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    const unsigned tris[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
    std::map<std::pair<unsigned, unsigned>, std::shared_ptr<Vantor_Edge>> edges;
    for (const auto& t : tris) {
        auto face = std::make_shared<Vantor_Face>();
        face->PointsIndexArray({t[0], t[1], t[2]});
        face->Material(faceMaterial);
        for (int i = 0; i < 3; ++i) {
            const unsigned a = std::min(t[i], t[(i + 1) % 3]), b = std::max(t[i], t[(i + 1) % 3]);
            auto& e = edges[{a, b}];
            if (!e) {
                e = std::make_shared<Vantor_Edge>();
                e->PointsIndexArray({a, b});
            }
            face->EdgesArray().push_back(e);
        }
        body->FacesArray().push_back(face);
    }
    auto plane = std::make_shared<Vantor_PlaneFace>();
    plane->SetNormal(Vantor_DIR32{0, 0, -1});
    body->FacesArray()[0]->Geometry(plane);
    auto line = std::make_shared<Vantor_GeoLine>();
    line->SetStartPoint(Vantor_PNT32{0, 0, 0});
    line->SetEndPoint(Vantor_PNT32{1, 0, 0});
    edges[{0, 1}]->Geometry(line);
    auto proto = std::make_shared<Vantor_Prototype>();
    proto->SubBodies({body});
    return proto;
}

// One triangle with normals and no face material.
inline std::shared_ptr<Vantor_Prototype> triangle()
{
    auto body = std::make_shared<Vantor_Body>();
    body->PointsArray({{0, 0, 0}, {2, 0, 0}, {0, 2, 0}});
    body->NormalsArray({{0, 0, 1}, {0, 0, 1}, {0, 0, 1}});
    auto face = std::make_shared<Vantor_Face>();
    face->PointsIndexArray({0, 1, 2});
    body->FacesArray().push_back(face);
    auto proto = std::make_shared<Vantor_Prototype>();
    proto->SubBodies({body});
    return proto;
}

inline std::shared_ptr<Vantor_Instance> place(const std::string& name, const std::shared_ptr<Vantor_Prototype>& proto,
                                              float x, float y, float z)
{
    auto inst = std::make_shared<Vantor_Instance>();
    inst->Name(name);
    inst->Prototype(proto);
    inst->Visible(true);
    inst->PlcMatrix()[12] = x;
    inst->PlcMatrix()[13] = y;
    inst->PlcMatrix()[14] = z;
    return inst;
}

// "Top" holding "Left" and "Right" (one red tetrahedron placed twice, Right at x = 10) and the
// hidden "三角" (a triangle whose instance material is blue, at z = 5).
inline bool writeSmallAssembly(const std::string& path, const Vantor::DazoLayout::ProgramDocuments& documents = {})
{
    auto tetra = tetrahedron(material(255, 0, 0));
    auto top = place("Top", nullptr, 0, 0, 0);
    top->Assembly(true);
    top->AddSubInstance(place("Left", tetra, 0, 0, 0));
    top->AddSubInstance(place("Right", tetra, 10, 0, 0));
    auto tri = place("三角", triangle(), 0, 0, 5);
    tri->Material(material(0, 0, 255));
    tri->Visible(false);
    top->AddSubInstance(tri);
    Vantor_Document doc;
    doc.AddTopInstances(top);
    std::string error;
    return Vantor::DazoLayout::WriteArchive(doc, documents, path, &error);
}

// Every member of an archive by key.
inline std::map<std::string, std::string> members(const std::string& path)
{
    std::map<std::string, std::string> out;
    for (const auto& m : Vantor::DazoLayout::Members()) {
        std::string bytes;
        if (Vantor::DazoLayout::ReadMember(path, m.key, bytes))
            out[m.key] = bytes;
    }
    return out;
}

// A figure of this process in kB from /proc/self/status ("VmRSS:", "VmHWM:"); -1 when missing.
inline long statusKb(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, std::strlen(key), key) == 0)
            return std::atol(line.c_str() + std::strlen(key) + 1);
    }
    return -1;
}

// A new archive at path with exactly these members.
inline void pack(const std::string& path, const std::map<std::string, std::string>& content)
{
    std::remove(path.c_str());
    for (const auto& m : content) {
        const std::string file = path + ".member";
        dazo_test::writeFile(file, m.second);
        Vantor_Document::AddFileToZip(file, path, Vantor::DazoLayout::EntryName(m.first));
        std::remove(file.c_str());
    }
}

// What a scene holds, counted per placement (a shared part counts once for each model placing it).
struct SceneCount : osg::NodeVisitor {
    SceneCount() : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN) { setNodeMaskOverride(0xffffffff); }
    void apply(osg::Transform& t) override
    {
        if (Vantor::Model::isModel(&t))
            ++models;
        traverse(t);
    }
    void apply(osg::Geode& geode) override
    {
        bool drawsLines = false;
        for (unsigned int d = 0; d < geode.getNumDrawables(); ++d) {
            const osg::Geometry* g = geode.getDrawable(d)->asGeometry();
            for (unsigned int p = 0; g && p < g->getNumPrimitiveSets(); ++p) {
                const osg::PrimitiveSet* ps = g->getPrimitiveSet(p);
                if (ps->getMode() == GL_TRIANGLES)
                    triangles += ps->getNumIndices() / 3;
                else if (ps->getMode() == GL_LINES && ps->getNumIndices() > 0)
                    drawsLines = true;
            }
        }
        // A body draws all its edges in one list of segments; the edges themselves are kept beside it.
        const auto* data = Vantor::DazoData::find<Vantor::DazoData::BodyData>(&geode);
        if (drawsLines && data) {
            for (const auto& edge : data->edges)
                edges += edge.indices && edge.indices->size() >= 2 ? 1 : 0;
        }
        traverse(geode);
    }
    int models = 0;
    unsigned triangles = 0;
    unsigned edges = 0;
};

inline Vantor::Model* child(osg::Node* node, const std::string& name)
{
    auto* model = dynamic_cast<Vantor::Model*>(node);
    for (unsigned int i = 0; model && i < model->getModelChildrenNum(); ++i) {
        if (model->getModelChild(i)->getName() == name)
            return model->getModelChild(i);
    }
    return nullptr;
}

inline Vantor::Body* firstBody(osg::Node* node)
{
    osg::Group* group = node ? node->asGroup() : nullptr;
    for (unsigned int i = 0; group && i < group->getNumChildren(); ++i) {
        if (auto* body = dynamic_cast<Vantor::Body*>(group->getChild(i)))
            return body;
    }
    return nullptr;
}

// The colour of a model's first face drawable.
inline osg::Vec4 faceColour(osg::Node* model)
{
    Vantor::Body* body = firstBody(model);
    const osg::Geometry* g = body && body->getNumDrawables() ? body->getDrawable(0)->asGeometry() : nullptr;
    const auto* c = g ? dynamic_cast<const osg::Vec4Array*>(g->getColorArray()) : nullptr;
    return c && !c->empty() ? c->front() : osg::Vec4(-1, -1, -1, -1);
}

} // namespace reader_test
