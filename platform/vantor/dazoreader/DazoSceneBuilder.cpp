#include "vantor/dazoreader/DazoSceneBuilder.h"

#include "vantor/dazoreader/DazoPmiNodes.h"
#include "vantor/model/Body.h"
#include "vantor/model/EdgeDetail.h"
#include "vantor/model/Model.h"
#include "vantor/util/StrUtil.h"

#include "dazo/Vantor_Geometry.h"
#include "dazo/Vantor_PMI.h"
#include "dazo/Vantor_PMIDocument.h"

#include <osg/BlendFunc>
#include <osg/PolygonOffset>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace Vantor {
namespace DazoRead {

using VantorSoft::u64;

// The bound of what a drawable's indices reach, not of the whole point array it shares with the
// other faces of its body.
class IndexedBound : public osg::Drawable::ComputeBoundingBoxCallback
{
public:
    IndexedBound() = default;
    IndexedBound(const IndexedBound& o, const osg::CopyOp& op) : osg::Drawable::ComputeBoundingBoxCallback(o, op) {}
    META_Object(Vantor, IndexedBound)

    osg::BoundingBox computeBound(const osg::Drawable& drawable) const override
    {
        osg::BoundingBox box;
        const osg::Geometry* g = drawable.asGeometry();
        const auto* points = g ? dynamic_cast<const osg::Vec3Array*>(g->getVertexArray()) : nullptr;
        if (!points)
            return box;
        const std::size_t n = points->size();
        for (unsigned int i = 0; i < g->getNumPrimitiveSets(); ++i) {
            const auto* elements = dynamic_cast<const osg::DrawElementsUInt*>(g->getPrimitiveSet(i));
            if (!elements) {
                for (const osg::Vec3& p : *points)
                    box.expandBy(p);
                return box;
            }
            for (unsigned int index : *elements) {
                if (index < n)
                    box.expandBy((*points)[index]);
            }
        }
        return box;
    }
};

namespace {

osg::Vec4 colourOf(const std::int32_t rgba[4])
{
    return osg::Vec4(rgba[0] / 255.0f, rgba[1] / 255.0f, rgba[2] / 255.0f, rgba[3] / 255.0f);
}

std::uint32_t colourKey(const osg::Vec4& c)
{
    auto channel = [](float v) { return std::uint32_t(std::min(255.0f, std::max(0.0f, v * 255.0f + 0.5f))); };
    return (channel(c.r()) << 24) | (channel(c.g()) << 16) | (channel(c.b()) << 8) | channel(c.a());
}

const std::int32_t DefaultRgba[4] = {153, 153, 153, 255}; // what the format writes for an unset colour

} // namespace

SceneBuilder::SceneBuilder(Context& ctx, const std::string& path, bool top, ArchiveRecords& records)
    : ArchiveStep(ctx, path, top), m_records(records), m_bound(new IndexedBound)
{
}

SceneBuilder::~SceneBuilder() = default;

void SceneBuilder::computeNormals(ParsedBody& body)
{
    const osg::Vec3Array& points = *body.points;
    body.normals = new osg::Vec3Array(points.size());
    osg::Vec3Array& normals = *body.normals;
    const std::vector<std::uint32_t>& t = body.indices;
    for (std::size_t i = 0; i + 2 < t.size(); i += 3) {
        const osg::Vec3 n = (points[t[i + 1]] - points[t[i]]) ^ (points[t[i + 2]] - points[t[i]]);
        normals[t[i]] += n;
        normals[t[i + 1]] += n;
        normals[t[i + 2]] += n;
    }
    for (osg::Vec3& n : normals) {
        if (n.length2() > 0.0f)
            n.normalize();
        else
            n.set(0.0f, 0.0f, 1.0f);
    }
}

osg::Vec4Array* SceneBuilder::colourArray(const osg::Vec4& colour)
{
    osg::ref_ptr<osg::Vec4Array>& array = m_colours[colourKey(colour)];
    if (!array) {
        array = new osg::Vec4Array;
        array->push_back(colour);
        array->setBinding(osg::Array::BIND_OVERALL);
    }
    return array.get();
}

osg::Geometry* SceneBuilder::newGeometry(const ParsedBody& body, const osg::Vec4& colour)
{
    auto* g = new osg::Geometry;
    // Buffer objects, not display lists: a display list copies every vertex its indices reach again
    // (faces and edges of one body share the array), and compiling them is a large part of start-up.
    g->setUseDisplayList(false);
    g->setUseVertexBufferObjects(true);
    g->setVertexArray(body.points.get());
    g->setColorArray(colourArray(colour), osg::Array::BIND_OVERALL);
    g->setComputeBoundingBoxCallback(m_bound.get());
    return g;
}

osg::Geometry* SceneBuilder::faceGeometry(const BodyShape& shape, const FaceGroup& group, const osg::Vec4& colour)
{
    osg::Geometry* g = newGeometry(*shape.body, colour);
    g->setNormalArray(shape.body->normals.get(), osg::Array::BIND_PER_VERTEX);
    if (shape.body->texCoords)
        g->setTexCoordArray(0, shape.body->texCoords.get(), osg::Array::BIND_PER_VERTEX);
    if (colour.a() < 1.0f)
        g->setStateSet(m_transparent.get());
    else if (m_ctx.readEdge)
        g->setStateSet(m_faceState.get());
    DazoData::attach(g, group.faces.get());
    g->addPrimitiveSet(group.triangles.get());
    return g;
}

const std::vector<SceneBuilder::BodyShape>& SceneBuilder::shapesFor(u64 prototypeId)
{
    auto done = m_shapes.find(prototypeId);
    if (done != m_shapes.end())
        return done->second;
    std::vector<BodyShape>& shapes = m_shapes[prototypeId];
    auto prototype = m_records.prototypes.find(prototypeId);
    if (prototype == m_records.prototypes.end())
        return shapes;
    const PrototypeGeometry* geometry = nullptr;
    auto g = m_records.geometry.find(prototypeId);
    if (g != m_records.geometry.end())
        geometry = &g->second;

    if (!m_transparent) {
        m_transparent = new osg::StateSet;
        m_transparent->setAttributeAndModes(new osg::BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA));
        m_transparent->setRenderingHint(osg::StateSet::TRANSPARENT_BIN);
        m_edgeState = new osg::StateSet;
        m_edgeState->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
        // Edges stay opaque and drawn first when their part is made see-through, so they show through it.
        m_edgeState->setRenderingHint(osg::StateSet::OPAQUE_BIN);
        m_edgeState->setNestRenderBins(false);
        // Faces step back a little so the edges drawn on them stay visible.
        m_faceState = new osg::StateSet;
        m_faceState->setAttributeAndModes(new osg::PolygonOffset(1.0f, 1.0f));
    }

    for (ParsedBody& body : prototype->second.bodies) {
        if (!body.normals)
            computeNormals(body);
        BodyShape shape;
        shape.body = &body;
        shape.data = new DazoData::BodyData;
        shape.data->id = body.id;
        shape.data->points = body.points;
        shape.data->edges = body.edges;
        if (geometry) {
            for (auto& edge : shape.data->edges) {
                auto analytic = geometry->edges.find(edge.id);
                if (analytic != geometry->edges.end())
                    edge.geometry = analytic->second;
            }
        }

        // The faces in few drawables: one per material (one per colour when merging), and one for
        // the faces that take the colour of the instance placing the part. Each keeps its faces'
        // triangles in one list, and the faces' ids and ranges beside it.
        std::map<std::pair<int, u64>, std::size_t> groupOf;
        std::vector<std::size_t> faceGroup;
        faceGroup.reserve(body.faces.size());
        for (const ParsedFace& face : body.faces) {
            std::pair<int, u64> key(0, 0); // the instance's colour
            osg::Vec4 colour;
            if (face.materialId != 0) {
                auto material = m_records.materials.find(face.materialId);
                if (material != m_records.materials.end()) {
                    colour = colourOf(material->second.data());
                    key = m_ctx.mergeFace ? std::make_pair(2, u64(colourKey(colour))) : std::make_pair(1, face.materialId);
                } else if (!m_unknownMaterialWarned) {
                    m_unknownMaterialWarned = true;
                    m_ctx.warn(m_path + ": face " + idText(face.id) + " names the unknown material " + idText(face.materialId) +
                               "; such faces keep the default colour");
                }
            }
            auto found = groupOf.find(key);
            if (found == groupOf.end()) {
                found = groupOf.emplace(key, shape.groups.size()).first;
                FaceGroup group;
                group.ownColour = key.first != 0;
                group.colour = colour;
                group.triangles = new osg::DrawElementsUInt(GL_TRIANGLES);
                group.faces = new DazoData::FaceData;
                shape.groups.push_back(group);
            }
            faceGroup.push_back(found->second);
        }
        const bool alone = shape.groups.size() == 1;
        for (std::size_t f = 0; f < body.faces.size(); ++f) {
            const ParsedFace& face = body.faces[f];
            FaceGroup& group = shape.groups[faceGroup[f]];
            DazoData::FaceData::Face info;
            info.id = face.id;
            info.first = alone ? face.first : group.triangles->size();
            info.count = face.count;
            if (geometry) {
                auto analytic = geometry->faces.find(face.id);
                if (analytic != geometry->faces.end())
                    info.geometry = analytic->second;
            }
            group.faces->faces.push_back(std::move(info));
            if (!alone)
                group.triangles->insert(group.triangles->end(), body.indices.begin() + face.first,
                                        body.indices.begin() + face.first + face.count);
        }
        // One group holds every face in file order: its list is the body's own.
        if (alone)
            shape.groups.front().triangles->asVector().swap(body.indices);
        std::vector<std::uint32_t>().swap(body.indices);
        for (FaceGroup& group : shape.groups) {
            if (group.ownColour)
                group.geometry = faceGeometry(shape, group, group.colour);
        }

        if (m_ctx.readEdge) {
            // All edges of the body in one list of segments.
            osg::ref_ptr<osg::DrawElementsUInt> lines = new osg::DrawElementsUInt(GL_LINES);
            for (const auto& edge : body.edges) {
                const osg::DrawElementsUInt& strip = *edge.indices;
                for (std::size_t i = 1; i < strip.size(); ++i) {
                    lines->push_back(strip[i - 1]);
                    lines->push_back(strip[i]);
                }
            }
            if (!lines->empty()) {
                shape.edges = newGeometry(body, osg::Vec4(0.1f, 0.1f, 0.1f, 1.0f));
                shape.edges->setStateSet(m_edgeState.get());
                shape.edges->addPrimitiveSet(lines.get());
                // Thinned while the body is small on the screen: the edges are a large part of a frame.
                shape.edges->setDrawCallback(new EdgeDetail);
            }
        }
        shapes.push_back(std::move(shape));
    }
    return shapes;
}

const std::vector<osg::ref_ptr<Body>>& SceneBuilder::bodiesFor(u64 prototypeId, const std::int32_t* fallback)
{
    const std::uint32_t fallbackKey = (std::uint32_t(fallback[0]) << 24) | (std::uint32_t(fallback[1]) << 16) |
                                      (std::uint32_t(fallback[2]) << 8) | std::uint32_t(fallback[3]);
    std::vector<osg::ref_ptr<Body>>& built = m_bodies[{prototypeId, fallbackKey}];
    if (!built.empty())
        return built;
    // An instance colour of its own costs a body node and one drawable per body: the face lists,
    // arrays and the drawables of faces with their own material stay shared.
    for (const BodyShape& shape : shapesFor(prototypeId)) {
        osg::ref_ptr<Body> node = new Body;
        DazoData::attach(node.get(), shape.data.get());
        for (const FaceGroup& group : shape.groups)
            node->addDrawable(group.ownColour ? group.geometry.get() : faceGeometry(shape, group, colourOf(fallback)));
        if (shape.edges)
            node->addDrawable(shape.edges.get());
        built.push_back(node);
    }
    return built;
}

bool SceneBuilder::countInstances(std::size_t more)
{
    ReadShare& share = *m_ctx.share;
    if (more > MaxInstances - std::min(share.instances, MaxInstances)) {
        m_tooMany = true;
        m_ctx.report(m_path + ": its assembly places more than " + std::to_string(MaxInstances) +
                     " models in all, more than the viewer can show");
        return false;
    }
    share.instances += more;
    return true;
}

osg::ref_ptr<Model> SceneBuilder::subAssembly(const std::string& path, int depth, bool& wrapped)
{
    char absolute[PATH_MAX];
    const std::string canonical = ::realpath(path.c_str(), absolute) ? std::string(absolute) : path;
    ReadShare& share = *m_ctx.share;
    auto known = share.archives.find(canonical);
    if (known == share.archives.end()) {
        // Read once per read: later references place the same scene again.
        const int outer = m_ctx.depth;
        m_ctx.depth = depth;
        osg::ref_ptr<Model> sub = readArchive(m_ctx, path, nullptr, &wrapped);
        m_ctx.depth = outer;
        if (!sub)
            return nullptr;
        share.archives[canonical] = SharedArchive{sub, wrapped, depth, modelHeight(sub.get()), modelCount(sub.get())};
        return sub;
    }
    const SharedArchive& done = known->second;
    // Read first nearer the top: its own levels must still fit here.
    if (depth > done.depth && depth + done.height > MaxModelDepth) {
        m_ctx.report(path + ": its assembly is nested more than " + std::to_string(MaxModelDepth) +
                     " levels deep, deeper than the viewer can show");
        return nullptr;
    }
    if (!countInstances(done.models))
        return nullptr;
    wrapped = done.wrapped;
    return instanceOf(*done.model, share);
}

void setGeometryFlags(Model* top, bool& faces, bool& lines)
{
    // Children before parents, without recursion: the depth of the tree is the file's.
    std::vector<Model*> order{top};
    for (std::size_t i = 0; i < order.size(); ++i) {
        for (unsigned int c = 0; c < order[i]->getNumChildren(); ++c) {
            if (auto* sub = dynamic_cast<Model*>(order[i]->getChild(c)))
                order.push_back(sub);
        }
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Model* model = *it;
        bool f = false, l = false;
        for (unsigned int i = 0; i < model->getNumChildren(); ++i) {
            osg::Node* child = model->getChild(i);
            if (auto* sub = dynamic_cast<Model*>(child)) {
                f = f || sub->hasGeoFace();
                l = l || sub->hasGeoLine();
            } else if (auto* body = dynamic_cast<Body*>(child)) {
                for (unsigned int d = 0; d < body->getNumDrawables(); ++d) {
                    const osg::Geometry* g = body->getDrawable(d)->asGeometry();
                    if (!g || g->getNumPrimitiveSets() == 0)
                        continue;
                    if (g->getPrimitiveSet(0)->getMode() == GL_TRIANGLES)
                        f = true;
                    else
                        l = true;
                }
            }
        }
        model->setGeoFace(f);
        model->setGeoLine(l);
    }
    faces = top->hasGeoFace();
    lines = top->hasGeoLine();
}

int modelHeight(Model* top)
{
    std::vector<std::pair<Model*, int>> open{{top, 1}};
    int most = 0;
    while (!open.empty()) {
        const auto [model, level] = open.back();
        open.pop_back();
        most = std::max(most, level);
        for (unsigned int i = 0; i < model->getModelChildrenNum(); ++i)
            open.emplace_back(model->getModelChild(i), level + 1);
    }
    return most;
}

std::size_t modelCount(Model* top)
{
    std::vector<Model*> open{top};
    std::size_t n = 0;
    while (!open.empty()) {
        Model* model = open.back();
        open.pop_back();
        ++n;
        for (unsigned int i = 0; i < model->getModelChildrenNum(); ++i)
            open.push_back(model->getModelChild(i));
    }
    return n;
}

namespace {

osg::ref_ptr<Model> modelCopy(const Model& source)
{
    // The children stay those of the source until replaced below.
    osg::ref_ptr<Model> copy = new Model(source, osg::CopyOp::SHALLOW_COPY);
    if (const osg::StateSet* state = source.getStateSet())
        copy->setStateSet(osg::clone(state, osg::CopyOp::DEEP_COPY_STATESETS | osg::CopyOp::DEEP_COPY_STATEATTRIBUTES));
    return copy;
}

} // namespace

namespace {

// Most parents one body gets through placements: each of its parents searches its parent list when
// it lets go of it, so a body under a quarter of a million models takes minutes to close.
const unsigned int MaxBodyParents = 256;

osg::Node* bodyToPlace(Body* body, ReadShare& share)
{
    if (body->getNumParents() < MaxBodyParents)
        return body;
    osg::ref_ptr<osg::Node>& standIn = share.bodyStandIns[body];
    if (!standIn || standIn->getNumParents() >= MaxBodyParents)
        standIn = new Body(*body, osg::CopyOp::SHALLOW_COPY);
    return standIn.get();
}

} // namespace

osg::ref_ptr<Model> instanceOf(Model& source, ReadShare& share)
{
    osg::ref_ptr<Model> top = modelCopy(source);
    // Without recursion: the depth of the tree is the file's.
    std::vector<Model*> open{top.get()};
    while (!open.empty()) {
        Model* model = open.back();
        open.pop_back();
        for (unsigned int i = 0; i < model->getNumChildren(); ++i) {
            osg::Node* child = model->getChild(i);
            if (auto* sub = dynamic_cast<Model*>(child)) {
                osg::ref_ptr<Model> copy = modelCopy(*sub);
                model->osg::Group::setChild(i, copy.get());
                open.push_back(copy.get());
            } else if (auto* body = dynamic_cast<Body*>(child)) {
                // Still a child of the source and of this copy: the count is one more than placed.
                if (body->getNumParents() > MaxBodyParents) {
                    osg::ref_ptr<osg::Node> placed = bodyToPlace(body, share);
                    if (placed.get() != body)
                        model->osg::Group::setChild(i, placed.get());
                }
            } else {
                osg::ref_ptr<osg::Node> copy = static_cast<osg::Node*>(child->clone(osg::CopyOp::DEEP_COPY_NODES));
                model->osg::Group::setChild(i, copy.get());
            }
        }
    }
    return top;
}

osg::ref_ptr<Model> SceneBuilder::build(bool* wrapped)
{
    const std::size_t count = m_records.instances.size();
    if (!countInstances(count))
        return nullptr;
    std::vector<osg::ref_ptr<Model>> models(count);
    std::vector<osg::ref_ptr<Model>> tops;
    for (std::size_t i = 0; i < count; ++i) {
        if (cancelled())
            return nullptr;
        const InstanceRecord& r = m_records.instances[i];
        osg::ref_ptr<Model> model = new Model;
        if (m_ctx.usedIds.insert(r.id).second)
            model->setModelID(r.id);
        else
            m_ctx.usedIds.insert(model->getModelID());
        model->setName(r.name);
        model->setMatrix(osg::Matrixd(osg::Matrixf(r.matrix)));
        model->setNodeMask(r.visible ? 0xffffffffu : 0u);
        // Models are moved, hidden and recoloured while shown; this also keeps the optional graph
        // optimiser from flattening them away.
        model->setDataVariance(osg::Object::DYNAMIC);
        models[i] = model;
        if (r.parent >= 0)
            models[static_cast<std::size_t>(r.parent)]->osg::Group::addChild(model.get()); // numbered once below
        else
            tops.push_back(model);

        std::shared_ptr<VantorSoft::Vantor_PMIDocument> pmi;
        auto found = m_records.pmi.find(r.id);
        if (found != m_records.pmi.end())
            pmi = found->second.document;
        if (pmi) {
            osg::ref_ptr<DazoData::InstanceData> data = new DazoData::InstanceData;
            data->pmi = pmi;
            DazoData::attach(model.get(), data.get());
        }

        if (r.prototypeId != 0) {
            const std::int32_t* fallback = DefaultRgba;
            auto material = m_records.materials.find(r.materialId);
            if (r.materialId != 0 && material != m_records.materials.end())
                fallback = material->second.data();
            for (const auto& body : bodiesFor(r.prototypeId, fallback))
                model->osg::Group::addChild(body.get());
        }
        if (pmi && m_ctx.readPMI)
            addPmiNodes(*model, found->second.list);
        if (i % 256 == 0)
            progress(StrUtil::translate("DazoReader", "Building the scene"), 85.0f + 10.0f * static_cast<float>(i) / static_cast<float>(count));
    }

    // Dispersed sub-assemblies, each from its own archive beside this one.
    for (std::size_t i = 0; i < count; ++i) {
        const InstanceRecord& r = m_records.instances[i];
        if (r.path.empty() || r.prototypeId != 0)
            continue;
        const std::string subPath = resolve(folderOf(m_path), r.path);
        bool subWrapped = false;
        // Its top takes the record's place, or sits one level below it inside a wrapper.
        osg::ref_ptr<Model> sub = subAssembly(subPath, m_ctx.depth + r.depth + 1, subWrapped);
        if (!sub) {
            // Past the bound the reason already names this archive.
            if (cancelled() || m_tooMany)
                return nullptr;
            fail(m_path + ": its sub-assembly " + subPath + " cannot be read: " + m_ctx.lastError);
            return nullptr;
        }
        Model* target = models[i].get();
        if (subWrapped) {
            target->osg::Group::addChild(sub.get());
        } else {
            // The sub-assembly's own top takes the place of the record that stands for it.
            target->setMatrix(sub->getMatrix() * target->getMatrix());
            for (unsigned int c = 0; c < sub->getNumChildren(); ++c)
                target->osg::Group::addChild(sub->getChild(c));
            if (auto* data = DazoData::find<DazoData::InstanceData>(sub.get()))
                DazoData::attach(target, data);
            if (target->getName().empty())
                target->setName(sub->getName());
        }
    }

    if (tops.empty()) {
        fail(m_path + " holds no model");
        return nullptr;
    }
    for (auto& model : models) {
        if (model->getNumChildren() > 0)
            model->resetChildrenPlcId();
    }
    osg::ref_ptr<Model> root;
    if (tops.size() == 1) {
        root = tops.front();
    } else {
        root = new Model;
        root->setDataVariance(osg::Object::DYNAMIC);
        m_ctx.usedIds.insert(root->getModelID());
        std::string name = m_path.substr(m_path.rfind('/') == std::string::npos ? 0 : m_path.rfind('/') + 1);
        root->setName(name.substr(0, name.rfind('.')));
        for (auto& top : tops)
            root->osg::Group::addChild(top.get());
        root->resetChildrenPlcId();
    }
    if (wrapped)
        *wrapped = tops.size() != 1;
    DazoData::InstanceData* data = DazoData::find<DazoData::InstanceData>(root.get());
    if (!data) {
        data = new DazoData::InstanceData;
        DazoData::attach(root.get(), data);
    }
    data->wrapper = tops.size() != 1;
    char absolute[PATH_MAX];
    data->sourcePath = ::realpath(m_path.c_str(), absolute) ? absolute : m_path;
    bool faces, lines;
    setGeometryFlags(root.get(), faces, lines);
    return root;
}

} // namespace DazoRead
} // namespace Vantor
