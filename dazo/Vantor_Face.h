#pragma once

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <memory>
#include <vector>

namespace VantorSoft {

class Vantor_Edge;
class Vantor_File;
class Vantor_Geometry;
class Vantor_Material;

// Triangles over the points of its body (three indices each), with an optional material, the
// analytic surface it was tessellated from, and its boundary edges.
class DAZO_API Vantor_Face {
public:
    Vantor_Face();
    Vantor_Face(const Vantor_Face&) = default;
    Vantor_Face& operator=(const Vantor_Face&) = default;
    virtual ~Vantor_Face();

    u64 Id() const;
    void Id(u64 id);
    std::shared_ptr<Vantor_Material>& Material();
    void Material(const std::shared_ptr<Vantor_Material>& material);
    std::shared_ptr<Vantor_Geometry>& Geometry();
    void Geometry(const std::shared_ptr<Vantor_Geometry>& geometry);
    std::vector<unsigned>& PointsIndexArray();
    void PointsIndexArray(const std::vector<unsigned>& indices);
    std::vector<std::shared_ptr<Vantor_Edge>>& EdgesArray();
    void EdgesArray(const std::vector<std::shared_ptr<Vantor_Edge>>& edges);

    int EdgesCount() const;
    // The face record (id, material id or 0, index count, edge count) and then its indices.
    void ToBuffer(std::shared_ptr<Vantor_File> file);
    // Each edge's record in order.
    void ToEdgeBuffer(std::shared_ptr<Vantor_File> file);
    void ToMaterialBuffer(void* document);
    // The surface's JSON into faces under the decimal face id, then each edge's into edges.
    void ToGeometryBuffer(void* faces, void* edges, void* document);

private:
    std::shared_ptr<Vantor_Material> m_material;
    std::shared_ptr<Vantor_Geometry> m_geometry;
    std::vector<unsigned> m_indices;
    std::vector<std::shared_ptr<Vantor_Edge>> m_edges;
    u64 m_id;
};

} // namespace VantorSoft
