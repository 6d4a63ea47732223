#pragma once

// Internal to the collision component: the triangles of the parts, gathered from the scene graph.

#include <osg/BoundingBox>
#include <osg/Matrixd>
#include <osg/Node>
#include <osg/ref_ptr>

#include <fcl/geometry/bvh/BVH_model.h>
#include <fcl/math/bv/RSS.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Vantor {
namespace collision {

using Bvh = fcl::BVHModel<fcl::RSSd>;

// The triangles of one part in the part's own frame. Parts placed from one definition share it.
struct MeshData
{
    std::vector<fcl::Vector3d> vertices;
    std::vector<fcl::Triangle> triangles;

    // Built on first need, from any thread.
    std::shared_ptr<Bvh> bvh() const;

private:
    mutable std::once_flag m_built;
    mutable std::shared_ptr<Bvh> m_bvh;
};

// One part of a check: the scene node, its placement and its triangles.
struct PartMesh
{
    osg::ref_ptr<osg::Node> node;
    std::string name;
    std::shared_ptr<const MeshData> mesh;
    fcl::Transform3d toWorld = fcl::Transform3d::Identity();
    osg::BoundingBoxd worldBox; // invalid for a part without triangles

    bool empty() const { return !mesh || mesh->triangles.empty(); }
};

// Gathers the parts' triangles. Geometry is read below each node (annotations excluded); a node's
// placement is the product of the transforms on its first parent path, its own included.
class PartMeshBuilder
{
public:
    PartMesh build(osg::Node* node);

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
