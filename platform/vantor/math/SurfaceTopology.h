#pragma once

// How the triangles of a body hang together: corners welded on one grid, shells, whether the surface
// closes around a volume and which way its triangles wind. The section cap, the volume measure and
// one-sided drawing all ask this one class, so a body is closed for all of them or for none.

#include <osg/Array>
#include <osg/BoundingBox>
#include <osg/Vec3d>

#include <array>
#include <cstdint>
#include <vector>

namespace osg {
class Geode;
class Geometry;
}

namespace Vantor {

class SurfaceTopology
{
public:
    // Open: some edge is not matched, or a shell encloses nothing. Outward or Inward: every edge is
    // run along as often in one direction as in the other (a seam, or two bodies touching along an
    // edge), and every shell encloses a volume of the same sign.
    enum class Closure { Open, Outward, Inward };

    // One use of a welded edge: `edge` holds the lower welded end in its high half; `forward` when the
    // triangle runs along it from the lower end to the higher.
    struct EdgeUse
    {
        std::uint64_t edge;
        unsigned int triangle;
        bool forward;
        bool operator<(const EdgeUse& o) const
        {
            return edge != o.edge ? edge < o.edge : (triangle != o.triangle ? triangle < o.triangle : forward < o.forward);
        }
    };

    // Faces tessellated apart meet at points that agree only up to rounding: corners closer than a
    // millionth of the radius of the surface's box are one point.
    static double weldCell(const osg::BoundingBoxd& box);

    // The triangles of a body's face geometries (its line drawables add nothing), in its own frame.
    static SurfaceTopology ofBody(const osg::Geode& body);
    // Loose triangles, three corners each.
    static SurfaceTopology ofTriangles(const std::vector<osg::Vec3d>& corners);

    Closure closure() const { return m_closure; }
    bool closed() const { return m_closure != Closure::Open; }
    // The enclosed volume (positive) when closed, else 0.
    double volume() const { return closed() ? m_volume : 0.0; }
    std::size_t shellCount() const { return m_shellCount; }

    // The welded surface, for callers that draw from it. Triangles whose corners weld together are
    // left out; an index outside its array leaves the surface open.
    const std::vector<osg::Vec3d>& points() const { return m_points; }
    const std::vector<std::array<unsigned int, 3>>& triangles() const { return m_triangles; }
    const std::vector<EdgeUse>& edgeUses() const { return m_uses; } // sorted by edge
    // When every face draws from one vertex array (as the reader builds a body): that array and each
    // welded point's first index in it; else null.
    const osg::Vec3Array* sharedArray() const { return m_shared.get(); }
    const std::vector<unsigned int>& firstIndex() const { return m_firstIndex; }

private:
    friend class SurfaceWelder;
    SurfaceTopology() = default;

    std::vector<osg::Vec3d> m_points;
    std::vector<unsigned int> m_firstIndex;
    std::vector<std::array<unsigned int, 3>> m_triangles;
    std::vector<EdgeUse> m_uses;
    osg::ref_ptr<const osg::Vec3Array> m_shared;
    bool m_skipped = false;
    Closure m_closure = Closure::Open;
    double m_volume = 0.0;
    std::size_t m_shellCount = 0;
};

} // namespace Vantor
