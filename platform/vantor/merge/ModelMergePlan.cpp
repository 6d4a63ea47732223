#include "vantor/merge/ModelMergePlan.h"

#include "vantor/math/MeshPrimitives.h"
#include "vantor/math/NodeMatrix.h"
#include "vantor/model/Body.h"
#include "vantor/model/PMI.h"

#include <osg/Geode>
#include <osg/MatrixTransform>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace Vantor {

namespace {

// Walks a source subtree on the GUI thread and records its geometry with the matrix into the merged
// node's frame. State sets are copied here, once each, so the merging thread never touches a live one.
class PieceCollector
{
public:
    explicit PieceCollector(std::vector<ModelMergePlan::Piece>& pieces) : m_pieces(pieces) {}

    void collect(osg::Node* node, osg::Matrixd toFrame, osg::ref_ptr<osg::StateSet> inherited)
    {
        if (!node || dynamic_cast<PMI*>(node))
            return;
        if (auto* t = dynamic_cast<osg::MatrixTransform*>(node))
            toFrame = t->getMatrix() * toFrame;
        if (Model::isModel(node) && node->getStateSet())
            inherited = copyOf(node->getStateSet());
        if (osg::Geode* geode = node->asGeode()) {
            for (unsigned int i = 0; i < geode->getNumDrawables(); ++i) {
                const osg::Geometry* g = geode->getDrawable(i)->asGeometry();
                if (!g || !g->getVertexArray())
                    continue;
                m_pieces.push_back({g, toFrame, g->getStateSet() ? copyOf(const_cast<osg::StateSet*>(g->getStateSet())) : inherited});
            }
            return;
        }
        if (osg::Group* group = node->asGroup())
            for (unsigned int i = 0; i < group->getNumChildren(); ++i)
                collect(group->getChild(i), toFrame, inherited);
    }

private:
    osg::ref_ptr<osg::StateSet> copyOf(osg::StateSet* source)
    {
        osg::ref_ptr<osg::StateSet>& copy = m_copies[source];
        if (!copy)
            copy = new osg::StateSet(*source, osg::CopyOp::DEEP_COPY_STATEATTRIBUTES);
        return copy;
    }

    std::vector<ModelMergePlan::Piece>& m_pieces;
    std::map<const osg::StateSet*, osg::ref_ptr<osg::StateSet>> m_copies;
};

bool allTriangles(const osg::Geometry& g)
{
    if (g.getNumPrimitiveSets() == 0)
        return false;
    for (unsigned int i = 0; i < g.getNumPrimitiveSets(); ++i)
        if (!isFaceMode(g.getPrimitiveSet(i)->getMode()))
            return false;
    return true;
}

osg::Vec3 point(const osg::Array* array, unsigned int i)
{
    if (const auto* v = dynamic_cast<const osg::Vec3Array*>(array))
        return (*v)[i];
    if (const auto* v = dynamic_cast<const osg::Vec3dArray*>(array))
        return osg::Vec3((*v)[i]);
    return osg::Vec3();
}

const osg::Vec3Array* vertexNormals(const osg::Geometry& g)
{
    const auto* normals = dynamic_cast<const osg::Vec3Array*>(g.getNormalArray());
    if (!normals || normals->getBinding() != osg::Array::BIND_PER_VERTEX ||
        normals->getNumElements() != g.getVertexArray()->getNumElements())
        return nullptr;
    return normals;
}

osg::Vec4 colourOf(const osg::Geometry& g)
{
    const auto* colours = dynamic_cast<const osg::Vec4Array*>(g.getColorArray());
    return colours && !colours->empty() ? colours->front() : osg::Vec4(0.6f, 0.6f, 0.6f, 1.0f);
}

// Points and normals of a piece in the merged frame, appended to the arrays.
void appendTransformed(const ModelMergePlan::Piece& piece, osg::Vec3Array& points, osg::Vec3Array* normals)
{
    const osg::Array* source = piece.geometry->getVertexArray();
    const osg::Matrixd normalMatrix = osg::Matrixd::inverse(piece.matrix);
    const osg::Vec3Array* sourceNormals = vertexNormals(*piece.geometry);
    for (unsigned int i = 0; i < source->getNumElements(); ++i) {
        points.push_back(point(source, i) * piece.matrix);
        if (normals && sourceNormals) {
            osg::Vec3 n = osg::Matrixd::transform3x3(normalMatrix, (*sourceNormals)[i]);
            n.normalize();
            normals->push_back(n);
        }
    }
}

// One piece copied on its own: new arrays, the same primitives.
osg::ref_ptr<osg::Geometry> copyPiece(const ModelMergePlan::Piece& piece)
{
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> points = new osg::Vec3Array;
    const bool hasNormals = vertexNormals(*piece.geometry) != nullptr;
    osg::ref_ptr<osg::Vec3Array> normals = hasNormals ? new osg::Vec3Array(osg::Array::BIND_PER_VERTEX) : nullptr;
    appendTransformed(piece, *points, normals.get());
    g->setVertexArray(points.get());
    if (normals)
        g->setNormalArray(normals.get());
    if (const osg::Array* colours = piece.geometry->getColorArray())
        g->setColorArray(static_cast<osg::Array*>(colours->clone(osg::CopyOp::DEEP_COPY_ALL)));
    for (unsigned int i = 0; i < piece.geometry->getNumPrimitiveSets(); ++i)
        g->addPrimitiveSet(static_cast<osg::PrimitiveSet*>(piece.geometry->getPrimitiveSet(i)->clone(osg::CopyOp::DEEP_COPY_ALL)));
    if (piece.stateSet)
        g->setStateSet(piece.stateSet.get());
    return g;
}

} // namespace

std::size_t ModelMergePlan::pieceCount() const
{
    std::size_t n = 0;
    for (const Entry& e : entries)
        n += e.pieces.size();
    return n;
}

ModelMergePlan ModelMergePlan::fromNode(osg::Node* node, bool mergeFaces)
{
    ModelMergePlan plan;
    plan.mergeFaces = mergeFaces;
    auto* model = dynamic_cast<Model*>(node);
    if (!model)
        return plan;
    Entry entry;
    entry.merged = new Model;
    entry.merged->setModelID(model->getModelID());
    entry.merged->setName(model->getName());
    entry.merged->setMatrix(model->getMatrix());
    entry.merged->setNodeMask(model->getNodeMask());
    entry.sources.push_back(model);
    PieceCollector collector(entry.pieces);
    for (unsigned int i = 0; i < model->getNumChildren(); ++i)
        collector.collect(model->getChild(i), osg::Matrixd(), nullptr);
    plan.entries.push_back(std::move(entry));
    return plan;
}

ModelMergePlan ModelMergePlan::fromSelection(const std::list<osg::ref_ptr<osg::Node>>& selected, bool mergeFaces)
{
    ModelMergePlan plan;
    plan.mergeFaces = mergeFaces;
    std::set<const osg::Node*> chosen;
    for (const auto& n : selected)
        if (n.valid())
            chosen.insert(n.get());
    auto below = [&](const osg::Node* n) {
        for (const osg::Node* p = n->getNumParents() ? n->getParent(0) : nullptr; p; p = p->getNumParents() ? p->getParent(0) : nullptr)
            if (chosen.count(p))
                return true;
        return false;
    };
    std::vector<osg::ref_ptr<osg::Node>> top;
    for (const auto& n : selected)
        if (n.valid() && n->getNumParents() > 0 && !below(n.get()) &&
            std::find(top.begin(), top.end(), n) == top.end())
            top.push_back(n);

    // Parents whose every model child is selected are merged into themselves.
    std::vector<osg::ref_ptr<osg::Node>> rest;
    std::set<const osg::Node*> whole;
    for (const auto& n : top) {
        auto* parent = dynamic_cast<Model*>(n->getParent(0));
        bool all = parent && parent->getNumParents() > 0 && parent->getModelChildrenNum() > 0;
        for (unsigned int i = 0; all && i < parent->getModelChildrenNum(); ++i)
            all = chosen.count(parent->getModelChild(i)) > 0;
        if (!all) {
            rest.push_back(n);
        } else if (whole.insert(parent).second) {
            ModelMergePlan one = fromNode(parent, mergeFaces);
            for (Entry& e : one.entries)
                plan.entries.push_back(std::move(e));
        }
    }
    if (rest.empty())
        return plan;

    Entry entry;
    entry.merged = new Model;
    entry.merged->setName("MergeModel");
    const osg::Node* frame = rest.back()->getParent(0);
    const osg::Matrixd frameInverse = osg::Matrixd::inverse(worldMatrixOf(frame));
    PieceCollector collector(entry.pieces);
    for (const auto& n : rest) {
        entry.sources.push_back(n);
        collector.collect(n.get(), worldMatrixOf(n->getParent(0)) * frameInverse, nullptr);
    }
    plan.entries.push_back(std::move(entry));
    return plan;
}

MergeResultMap runMergePlan(const ModelMergePlan& plan, const std::function<bool(std::size_t, std::size_t)>& progress,
                            bool* stopped)
{
    if (stopped)
        *stopped = false;
    const std::size_t total = plan.pieceCount();
    std::size_t done = 0;
    MergeResultMap result;
    for (const ModelMergePlan::Entry& entry : plan.entries) {
        osg::ref_ptr<Body> body = new Body;
        body->setName(entry.merged->getName());
        // Triangles of one look (state set and colour) gathered per group when faces are merged.
        using Key = std::tuple<const osg::StateSet*, float, float, float, float>;
        struct Group
        {
            osg::ref_ptr<osg::StateSet> stateSet;
            osg::Vec4 colour;
            std::vector<const ModelMergePlan::Piece*> pieces;
        };
        std::map<Key, Group> groups;
        std::vector<Key> order;
        for (const ModelMergePlan::Piece& piece : entry.pieces) {
            if (progress && !progress(done, total)) {
                if (stopped)
                    *stopped = true;
                return {};
            }
            ++done;
            if (plan.mergeFaces && allTriangles(*piece.geometry) && vertexNormals(*piece.geometry)) {
                const osg::Vec4 c = colourOf(*piece.geometry);
                const Key key{piece.stateSet.get(), c.r(), c.g(), c.b(), c.a()};
                Group& group = groups[key];
                if (group.pieces.empty()) {
                    group.stateSet = piece.stateSet;
                    group.colour = c;
                    order.push_back(key);
                }
                group.pieces.push_back(&piece);
                continue;
            }
            body->addDrawable(copyPiece(piece).get());
        }
        for (const Key& key : order) {
            const Group& group = groups[key];
            osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
            osg::ref_ptr<osg::Vec3Array> points = new osg::Vec3Array;
            osg::ref_ptr<osg::Vec3Array> normals = new osg::Vec3Array(osg::Array::BIND_PER_VERTEX);
            osg::ref_ptr<osg::DrawElementsUInt> triangles = new osg::DrawElementsUInt(GL_TRIANGLES);
            std::vector<unsigned int> indices;
            for (const ModelMergePlan::Piece* piece : group.pieces) {
                appendTriangles(*piece->geometry, indices, unsigned(points->size()));
                appendTransformed(*piece, *points, normals.get());
            }
            triangles->assign(indices.begin(), indices.end());
            g->setVertexArray(points.get());
            g->setNormalArray(normals.get());
            osg::ref_ptr<osg::Vec4Array> colours = new osg::Vec4Array(osg::Array::BIND_OVERALL);
            colours->push_back(group.colour);
            g->setColorArray(colours.get());
            g->addPrimitiveSet(triangles.get());
            if (group.stateSet)
                g->setStateSet(group.stateSet.get());
            body->addDrawable(g.get());
        }
        entry.merged->removeChildren(0, entry.merged->getNumChildren());
        if (body->getNumDrawables() > 0)
            entry.merged->addChild(body.get());
        result[entry.merged] = entry.sources;
    }
    if (progress)
        progress(total, total);
    return result;
}

} // namespace Vantor
