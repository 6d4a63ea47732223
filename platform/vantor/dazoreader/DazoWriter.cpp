#include "vantor/dazoreader/DazoWriter.h"

#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoSceneData.h"
#include "vantor/math/MeshPrimitives.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"
#include "vantor/model/PMI.h"
#include "vantor/util/StrUtil.h"

#include "dazo/Vantor_Body.h"
#include "dazo/Vantor_Document.h"
#include "dazo/Vantor_Edge.h"
#include "dazo/Vantor_Face.h"
#include "dazo/Vantor_Instance.h"
#include "dazo/Vantor_Material.h"
#include "dazo/Vantor_Object.h"
#include "dazo/Vantor_Prototype.h"

#include <osg/Geode>
#include <osg/Geometry>
#include <osg/Material>

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cmath>
#include <functional>
#include <set>
#include <tuple>

namespace {

using namespace VantorSoft;
namespace Data = Vantor::DazoData;

std::int32_t channel(float v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<std::int32_t>(std::lround(std::min(1.0f, std::max(0.0f, v)) * 255.0f));
}

class SceneToDocument
{
public:
    explicit SceneToDocument(std::function<bool()> cancelled) : m_cancelled(std::move(cancelled)) {}

    std::shared_ptr<Vantor_Instance> instance(osg::Node* node, const osg::Matrixd* placement, const osg::Vec4* inherited);
    std::string error;

private:
    u64 unique(u64 id)
    {
        if (id != 0 && m_ids.insert(id).second)
            return id;
        u64 fresh;
        do
            fresh = Vantor_Object::NewId();
        while (!m_ids.insert(fresh).second);
        return fresh;
    }
    std::shared_ptr<Vantor_Material> material(const osg::Vec4& colour);
    std::shared_ptr<Vantor_Prototype> prototype(const std::vector<osg::Geode*>& geodes, const osg::Vec4* colour);
    std::shared_ptr<Vantor_Body> body(osg::Geode& geode, const osg::Vec4* colour);

    std::function<bool()> m_cancelled;
    std::set<u64> m_ids;
    std::set<const osg::Node*> m_path; // the nodes above, so a graph that contains itself ends
    std::map<std::uint32_t, std::shared_ptr<Vantor_Material>> m_materials;
    // Bodies and the override colour (when there is one) of a part.
    std::map<std::tuple<std::vector<osg::Geode*>, bool, std::uint32_t>, std::shared_ptr<Vantor_Prototype>> m_prototypes;
    unsigned m_prototypeNumber = 0;
};

std::uint32_t key(const osg::Vec4& c)
{
    return (std::uint32_t(channel(c.r())) << 24) | (std::uint32_t(channel(c.g())) << 16) | (std::uint32_t(channel(c.b())) << 8) |
           std::uint32_t(channel(c.a()));
}

std::shared_ptr<Vantor_Material> SceneToDocument::material(const osg::Vec4& colour)
{
    std::shared_ptr<Vantor_Material>& m = m_materials[key(colour)];
    if (!m) {
        m = std::make_shared<Vantor_Material>();
        m->Id(unique(m->Id()));
        m->DiffuseColor(Vantor_RGBA{channel(colour.r()), channel(colour.g()), channel(colour.b()), channel(colour.a())});
    }
    return m;
}

// Whether every face range lies within a triangle list of that many indices.
bool rangesFit(const Data::FaceData& data, std::size_t size)
{
    for (const Data::FaceData::Face& f : data.faces) {
        if (f.first > size || f.count > size - f.first || f.count % 3 != 0)
            return false;
    }
    return true;
}

// The colour a model's own material forces on everything below it, when it has one that does.
bool overrideColour(const osg::Node& node, osg::Vec4& colour)
{
    const osg::StateSet* ss = node.getStateSet();
    const auto* m = ss ? dynamic_cast<const osg::Material*>(ss->getAttribute(osg::StateAttribute::MATERIAL)) : nullptr;
    if (!m || m->getColorMode() != osg::Material::OFF)
        return false;
    colour = m->getDiffuse(osg::Material::FRONT);
    return true;
}

std::shared_ptr<Vantor_Body> SceneToDocument::body(osg::Geode& geode, const osg::Vec4* override)
{
    auto body = std::make_shared<Vantor_Body>();
    const Data::BodyData* data = Data::find<Data::BodyData>(&geode);
    body->Id(unique(data ? data->id : 0));

    std::vector<Vantor_PNT32>& points = body->PointsArray();
    std::vector<Vantor_PNT32> normals;
    std::vector<Vantor_UV> uvs;
    bool allNormals = true, allUvs = true;
    std::map<const osg::Array*, unsigned> bases;
    auto addArray = [&](const osg::Array* vertices, const osg::Geometry* g) -> bool {
        if (bases.count(vertices))
            return true;
        const auto* v3 = dynamic_cast<const osg::Vec3Array*>(vertices);
        const auto* v3d = dynamic_cast<const osg::Vec3dArray*>(vertices);
        if (!v3 && !v3d)
            return false;
        bases[vertices] = static_cast<unsigned>(points.size());
        const unsigned n = vertices->getNumElements();
        for (unsigned i = 0; i < n; ++i) {
            const osg::Vec3d p = v3 ? osg::Vec3d((*v3)[i]) : (*v3d)[i];
            points.push_back(Vantor_PNT32{float(p.x()), float(p.y()), float(p.z())});
        }
        const auto* nv = g ? dynamic_cast<const osg::Vec3Array*>(g->getNormalArray()) : nullptr;
        if (nv && nv->getNumElements() == n && g->getNormalArray()->getBinding() == osg::Array::BIND_PER_VERTEX) {
            for (const osg::Vec3& q : *nv)
                normals.push_back(Vantor_PNT32{q.x(), q.y(), q.z()});
        } else {
            allNormals = false;
        }
        const osg::Array* t = g ? g->getTexCoordArray(0) : nullptr;
        if (t && t->getNumElements() == n && dynamic_cast<const osg::Vec3Array*>(t)) {
            for (const osg::Vec3& q : *static_cast<const osg::Vec3Array*>(t))
                uvs.push_back(Vantor_UV{q.x(), q.y(), q.z()});
        } else if (t && t->getNumElements() == n && dynamic_cast<const osg::Vec2Array*>(t)) {
            for (const osg::Vec2& q : *static_cast<const osg::Vec2Array*>(t))
                uvs.push_back(Vantor_UV{q.x(), q.y(), 0.0f});
        } else {
            allUvs = false;
        }
        return true;
    };

    std::map<u64, std::shared_ptr<Vantor_Face>> facesById;
    for (unsigned int d = 0; d < geode.getNumDrawables(); ++d) {
        osg::Geometry* g = geode.getDrawable(d)->asGeometry();
        if (!g || !g->getVertexArray())
            continue;
        if (!Vantor::isFaceGeometry(*g) || !addArray(g->getVertexArray(), g))
            continue; // lines: the body's edges are written from what the reader kept
        const unsigned base = bases[g->getVertexArray()];
        osg::Vec4 colour(0.6f, 0.6f, 0.6f, 1.0f);
        if (override) {
            colour = *override;
        } else if (const auto* c = dynamic_cast<const osg::Vec4Array*>(g->getColorArray())) {
            if (!c->empty())
                colour = c->front();
        }
        auto faceMaterial = material(colour);

        // The reader's faces: ranges of the drawable's one triangle list, each written as its face.
        const Data::FaceData* faceData = Data::find<Data::FaceData>(g);
        const auto* list = g->getNumPrimitiveSets() == 1 ? dynamic_cast<const osg::DrawElementsUInt*>(g->getPrimitiveSet(0)) : nullptr;
        if (faceData && list && list->getMode() == GL_TRIANGLES && rangesFit(*faceData, list->size())) {
            for (const Data::FaceData::Face& f : faceData->faces) {
                auto face = std::make_shared<Vantor_Face>();
                face->Id(unique(f.id));
                face->Geometry(f.geometry);
                face->Material(faceMaterial);
                std::vector<unsigned>& indices = face->PointsIndexArray();
                indices.reserve(f.count);
                for (std::size_t i = f.first; i < f.first + f.count; ++i)
                    indices.push_back(base + (*list)[i]);
                body->FacesArray().push_back(face);
                facesById[f.id] = face;
            }
            continue;
        }
        // Any other drawable is one face.
        std::shared_ptr<Vantor_Face> whole;
        for (unsigned int p = 0; p < g->getNumPrimitiveSets(); ++p) {
            osg::PrimitiveSet* ps = g->getPrimitiveSet(p);
            if (!Vantor::isFaceMode(ps->getMode()))
                continue;
            if (!whole) {
                whole = std::make_shared<Vantor_Face>();
                whole->Id(unique(0));
                whole->Material(faceMaterial);
                body->FacesArray().push_back(whole);
            }
            std::vector<unsigned>& indices = whole->PointsIndexArray();
            const auto* elements = dynamic_cast<const osg::DrawElementsUInt*>(ps);
            if (elements && ps->getMode() == GL_TRIANGLES) {
                indices.reserve(indices.size() + elements->size());
                for (unsigned int i = 0; i + 2 < elements->size(); i += 3) {
                    indices.push_back(base + (*elements)[i]);
                    indices.push_back(base + (*elements)[i + 1]);
                    indices.push_back(base + (*elements)[i + 2]);
                }
            } else {
                Vantor::appendTriangles(*ps, indices, base);
            }
        }
    }

    // Edges, each under the faces that listed it.
    if (data && data->points) {
        for (const Data::BodyData::Edge& e : data->edges) {
            if (!e.indices || !addArray(data->points.get(), nullptr))
                continue;
            const unsigned base = bases[data->points.get()];
            auto edge = std::make_shared<Vantor_Edge>();
            edge->Id(unique(e.id));
            edge->Geometry(e.geometry);
            for (unsigned int i : *e.indices)
                edge->PointsIndexArray().push_back(base + i);
            bool placed = false;
            for (u64 faceId : e.faceIds) {
                auto face = facesById.find(faceId);
                if (face != facesById.end()) {
                    face->second->EdgesArray().push_back(edge);
                    placed = true;
                }
            }
            if (!placed) {
                if (body->FacesArray().empty()) {
                    auto carrier = std::make_shared<Vantor_Face>();
                    carrier->Id(unique(0));
                    body->FacesArray().push_back(carrier);
                }
                body->FacesArray().front()->EdgesArray().push_back(edge);
            }
        }
    }
    if (allNormals && normals.size() == points.size())
        body->NormalsArray() = std::move(normals);
    if (allUvs && uvs.size() == points.size())
        body->UVsArray() = std::move(uvs);
    return body;
}

std::shared_ptr<Vantor_Prototype> SceneToDocument::prototype(const std::vector<osg::Geode*>& geodes, const osg::Vec4* colour)
{
    std::shared_ptr<Vantor_Prototype>& p = m_prototypes[std::make_tuple(geodes, colour != nullptr, colour ? key(*colour) : 0u)];
    if (p)
        return p;
    p = std::make_shared<Vantor_Prototype>();
    p->Id(unique(p->Id()));
    for (osg::Geode* g : geodes)
        p->SubBodies().push_back(body(*g, colour));
    return p;
}

std::shared_ptr<Vantor_Instance> SceneToDocument::instance(osg::Node* node, const osg::Matrixd* placement, const osg::Vec4* inherited)
{
    if (m_cancelled && m_cancelled()) {
        error = "the save was cancelled";
        return nullptr;
    }
    auto inst = std::make_shared<Vantor_Instance>();
    const auto* model = dynamic_cast<const Vantor::Model*>(node);
    inst->Id(unique(model ? model->getModelID() : 0));
    inst->Name(node->getName());
    inst->Visible(node->getNodeMask() != 0);

    osg::Matrixd matrix;
    if (placement) {
        matrix = *placement;
    } else if (osg::Transform* t = node->asTransform()) {
        if (osg::MatrixTransform* mt = t->asMatrixTransform())
            matrix = mt->getMatrix();
        else
            t->computeLocalToWorldMatrix(matrix, nullptr);
    }
    for (int i = 0; i < 16; ++i) {
        const double v = matrix.ptr()[i];
        inst->PlcMatrix()[i] = std::isfinite(v) ? static_cast<float>(v) : (i % 5 == 0 ? 1.0f : 0.0f);
    }

    osg::Vec4 own;
    const osg::Vec4* colour = overrideColour(*node, own) ? &own : inherited;

    if (const auto* data = Data::find<Data::InstanceData>(node))
        inst->PMIDocument(data->pmi);

    std::vector<osg::Geode*> geodes;
    if (osg::Group* group = node->asGroup()) {
        m_path.insert(node);
        for (unsigned int i = 0; i < group->getNumChildren(); ++i) {
            osg::Node* child = group->getChild(i);
            if (m_path.count(child))
                continue;
            if (auto* geode = child->asGeode()) {
                geodes.push_back(geode);
            } else if (dynamic_cast<Vantor::PMI*>(child)) {
                continue; // the annotations travel in the instance's document
            } else if (child->asGroup()) {
                auto sub = instance(child, nullptr, colour);
                if (!sub) {
                    m_path.erase(node);
                    return nullptr;
                }
                inst->AddSubInstance(sub);
            }
        }
        m_path.erase(node);
    } else if (osg::Geode* geode = node->asGeode()) {
        geodes.push_back(geode);
    }
    if (!geodes.empty()) {
        auto proto = prototype(geodes, colour);
        inst->Prototype(proto);
        inst->PrototypeId(++m_prototypeNumber);
    } else {
        inst->Assembly(true);
    }
    return inst;
}

std::string documentText(void* p)
{
    auto* doc = static_cast<rapidjson::Document*>(p);
    if (!doc || doc->IsNull())
        return std::string();
    rapidjson::StringBuffer sb;
    rapidjson::Writer<rapidjson::StringBuffer> w(sb);
    doc->Accept(w);
    return std::string(sb.GetString(), sb.GetSize());
}

} // namespace

DazoWriter::DazoWriter() = default;
DazoWriter::~DazoWriter() = default;

void DazoWriter::setRootMatrix(const osg::Matrixd& matrix)
{
    m_hasRootMatrix = true;
    m_rootMatrix = matrix;
}

bool DazoWriter::saveNode(const std::string& path, osg::ref_ptr<osg::Node> root, const std::map<std::string, void*>& members)
{
    Vantor::DazoLayout::ProgramDocuments documents;
    for (const auto& m : members)
        if (std::string* text = documents.byKey(m.first))
            *text = documentText(m.second);
    return saveArchive(path, root, documents, {});
}

bool DazoWriter::saveArchive(const std::string& path, osg::ref_ptr<osg::Node> root,
                             const Vantor::DazoLayout::ProgramDocuments& documents,
                             const std::vector<Vantor::DazoLayout::StoredEntry>& entries)
{
    clearError();
    if (!root)
        return fail("nothing to save to " + path + ": there is no model");
    reportStarted();
    reportProgress(Vantor::StrUtil::translate("DazoReader", "Collecting the model"), 10.0f);

    SceneToDocument builder([this] { return isCancelled(); });
    VantorSoft::Vantor_Document document;
    document.FileName(path);
    const auto* rootData = Vantor::DazoData::find<Vantor::DazoData::InstanceData>(root.get());
    const osg::MatrixTransform* rootTransform = root->asTransform() ? root->asTransform()->asMatrixTransform() : nullptr;
    const bool wrapper = rootData && rootData->wrapper && root->asGroup() &&
                         (!rootTransform || rootTransform->getMatrix().isIdentity()) && (!m_hasRootMatrix || m_rootMatrix.isIdentity());
    if (wrapper) {
        // The reader's wrapper around several top instances: they become top instances again.
        osg::Group* group = root->asGroup();
        for (unsigned int i = 0; i < group->getNumChildren(); ++i) {
            if (!group->getChild(i)->asGroup() || dynamic_cast<Vantor::PMI*>(group->getChild(i)))
                continue;
            auto top = builder.instance(group->getChild(i), nullptr, nullptr);
            if (!top)
                return fail("cannot save " + path + ": " + builder.error);
            document.AddTopInstances(top);
        }
    } else {
        auto top = builder.instance(root.get(), m_hasRootMatrix ? &m_rootMatrix : nullptr, nullptr);
        if (!top)
            return fail("cannot save " + path + ": " + builder.error);
        document.AddTopInstances(top);
    }

    if (isCancelled())
        return fail("saving " + path + " was cancelled");
    reportProgress(Vantor::StrUtil::translate("DazoReader", "Writing the archive"), 50.0f);
    std::string error;
    if (!Vantor::DazoLayout::WriteArchive(document, documents, path, &error, &entries))
        return fail("cannot save " + path + ": " + error);
    reportProgress(Vantor::StrUtil::translate("DazoReader", "Writing the archive"), 100.0f);
    return true;
}
