#pragma once

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <memory>
#include <vector>

namespace VantorSoft {

class Vantor_File;
class Vantor_Geometry;

// A polyline over the points of its body, optionally with the line or ellipse it lies on.
class DAZO_API Vantor_Edge {
public:
    Vantor_Edge();
    Vantor_Edge(const Vantor_Edge&) = default;
    Vantor_Edge& operator=(const Vantor_Edge&) = default;
    virtual ~Vantor_Edge();

    u64 Id() const;
    void Id(u64 id);
    std::shared_ptr<Vantor_Geometry>& Geometry();
    void Geometry(const std::shared_ptr<Vantor_Geometry>& geometry);
    std::vector<unsigned>& PointsIndexArray();
    void PointsIndexArray(const std::vector<unsigned>& indices);

    // The edge record (id, index count, reserved 0) and then its indices.
    void ToBuffer(std::shared_ptr<Vantor_File> file);
    // Adds the geometry's JSON to the edges object under the decimal id; an edge already listed
    // there (reached through a second face) is not added again.
    void ToGeometryBuffer(void* edges, void* document);

private:
    u64 m_id;
    std::shared_ptr<Vantor_Geometry> m_geometry;
    std::vector<unsigned> m_indices;
};

} // namespace VantorSoft
