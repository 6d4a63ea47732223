#include "vantor/collision/PartMesh.h"

#include "vantor/math/MeshPrimitives.h"
#include "vantor/model/PMI.h"

#include <osg/Drawable>
#include <osg/Geometry>
#include <osg/Transform>

#include <cmath>

namespace Vantor {
namespace collision {

std::shared_ptr<Bvh> MeshData::bvh() const
{
    std::call_once(m_built, [this] {
        auto model = std::make_shared<Bvh>();
        model->beginModel(static_cast<int>(triangles.size()), static_cast<int>(vertices.size()));
        model->addSubModel(vertices, triangles);
        model->endModel();
        m_bvh = model;
    });
    return m_bvh;
}

bool PartMeshBuilder::Piece::operator<(const Piece& other) const
{
    if (drawable != other.drawable)
        return drawable < other.drawable;
    return matrix.compare(other.matrix) < 0;
}

namespace {

// Collects the drawables below a part with their matrices relative to the part.
void collectPieces(osg::Node* node, const osg::Matrixd& matrix, std::vector<std::pair<const osg::Drawable*, osg::Matrixd>>& out)
{
    if (!node || dynamic_cast<PMI*>(node))
        return;
    if (const osg::Drawable* drawable = node->asDrawable()) {
        out.emplace_back(drawable, matrix);
        return;
    }
    osg::Group* group = node->asGroup();
    if (!group)
        return;
    for (unsigned int i = 0; i < group->getNumChildren(); ++i) {
        osg::Node* child = group->getChild(i);
        osg::Matrixd childMatrix = matrix;
        if (osg::Transform* transform = child ? child->asTransform() : nullptr) {
            osg::Matrixd local;
            transform->computeLocalToWorldMatrix(local, nullptr);
            childMatrix = local * matrix;
        }
        collectPieces(child, childMatrix, out);
    }
}

void appendGeometry(const osg::Geometry& geometry, const osg::Matrixd& matrix, MeshData& mesh)
{
    const auto* positions = dynamic_cast<const osg::Vec3Array*>(geometry.getVertexArray());
    if (!positions || positions->empty())
        return;
    const std::size_t base = mesh.vertices.size();
    for (const osg::Vec3f& p : *positions) {
        const osg::Vec3d q = osg::Vec3d(p) * matrix;
        mesh.vertices.emplace_back(q.x(), q.y(), q.z());
    }
    std::vector<unsigned int> triangles;
    appendTriangles(geometry, triangles);
    for (std::size_t i = 0; i + 2 < triangles.size(); i += 3) {
        const unsigned int a = triangles[i], b = triangles[i + 1], c = triangles[i + 2];
        if (a == b || b == c || a == c)
            continue; // no area: nothing to collide
        mesh.triangles.emplace_back(base + a, base + b, base + c);
    }
}

bool isRigid(const osg::Matrixd& m)
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double dot = 0.0;
            for (int k = 0; k < 3; ++k)
                dot += m(i, k) * m(j, k);
            if (std::abs(dot - (i == j ? 1.0 : 0.0)) > 1e-9)
                return false;
        }
    return m(0, 3) == 0.0 && m(1, 3) == 0.0 && m(2, 3) == 0.0 && m(3, 3) == 1.0;
}

} // namespace

void MeshData::fill()
{
    std::call_once(m_filled, [this] {
        for (const auto& [drawable, matrix] : pieces)
            if (const osg::Geometry* geometry = drawable->asGeometry())
                appendGeometry(*geometry, matrix, *this);
    });
}

PartMesh PartMeshBuilder::prepare(osg::Node* node)
{
    PartMesh part;
    part.node = node;
    if (!node)
        return part;
    part.name = node->getName();

    const osg::NodePathList paths = node->getParentalNodePaths();
    const osg::Matrixd toWorld = paths.empty() ? osg::Matrixd() : osg::computeLocalToWorld(paths.front());
    // The queries take rigid placements only; a scaled or sheared part gets its placement baked in.
    const bool rigid = isRigid(toWorld);
    if (rigid)
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                part.toWorld.matrix()(r, c) = toWorld(c, r); // OSG multiplies row vectors

    std::vector<std::pair<const osg::Drawable*, osg::Matrixd>> found;
    collectPieces(node, rigid ? osg::Matrixd() : toWorld, found);
    std::vector<Piece> key;
    key.reserve(found.size());
    for (const auto& [drawable, matrix] : found)
        key.push_back({drawable, matrix});

    std::shared_ptr<MeshData>& shared = m_shared[key];
    if (!shared) {
        shared = std::make_shared<MeshData>();
        shared->pieces = std::move(found);
    }
    part.mesh = shared;
    return part;
}

void PartMeshBuilder::finish(PartMesh& part)
{
    if (!part.mesh)
        return;
    part.mesh->fill();
    part.worldBox.init();
    if (part.mesh->triangles.empty())
        return;
    for (const fcl::Vector3d& v : part.mesh->vertices) {
        const fcl::Vector3d w = part.toWorld * v;
        part.worldBox.expandBy(w.x(), w.y(), w.z());
    }
}

} // namespace collision
} // namespace Vantor
