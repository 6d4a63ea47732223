#pragma once

// Internal to the collision component: the triangles of the parts, gathered from the scene graph.

#include <osg/BoundingBox>
#include <osg/Matrixd>
#include <osg/Node>
#include <osg/ref_ptr>

#include <fcl/geometry/bvh/BVH_model.h>
#include <fcl/math/bv/OBBRSS.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Vantor {
namespace collision {

using Bvh = fcl::BVHModel<fcl::OBBRSSd>;

// The triangles of one part in the part's own frame. Parts placed from one definition share it.
struct MeshData
{
    // The drawables below the part with their matrices relative to it; read by fill().
    std::vector<std::pair<const osg::Drawable*, osg::Matrixd>> pieces;
    std::vector<fcl::Vector3d> vertices;
    std::vector<fcl::Triangle> triangles;

    // Reads the triangles of the pieces, once, from any thread.
    void fill();

    // Built on first need, from any thread.
    std::shared_ptr<Bvh> bvh() const;

private:
    std::once_flag m_filled;
    mutable std::once_flag m_built;
    mutable std::shared_ptr<Bvh> m_bvh;
};

// One part of a check: the scene node, its placement and its triangles.
struct PartMesh
{
    osg::ref_ptr<osg::Node> node;
    std::string name;
    std::shared_ptr<MeshData> mesh;
    fcl::Transform3d toWorld = fcl::Transform3d::Identity();
    osg::BoundingBoxd worldBox; // invalid for a part without triangles

    bool empty() const { return !mesh || mesh->triangles.empty(); }
};

// Gathers the parts' triangles. Geometry is read below each node (annotations excluded); a node's
// placement is the product of the transforms on its first parent path, its own included.
// prepare() finds the pieces of a part (parts with the same pieces share one mesh); finish() reads
// the triangles and the world box and may run on several parts at once.
class PartMeshBuilder
{
public:
    PartMesh prepare(osg::Node* node);
    static void finish(PartMesh& part);
    PartMesh build(osg::Node* node)
    {
        PartMesh part = prepare(node);
        finish(part);
        return part;
    }

private:
    struct Piece
    {
        const osg::Drawable* drawable;
        osg::Matrixd matrix;
        bool operator<(const Piece& other) const;
    };
    std::map<std::vector<Piece>, std::shared_ptr<MeshData>> m_shared;
};

} // namespace collision
} // namespace Vantor
