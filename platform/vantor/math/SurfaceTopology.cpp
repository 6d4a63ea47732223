#include "vantor/math/SurfaceTopology.h"

#include "vantor/math/MeshPrimitives.h"

#include <osg/Geode>
#include <osg/Geometry>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace Vantor {

namespace {

struct Cell
{
    long long x, y, z;
    bool operator==(const Cell& o) const { return x == o.x && y == o.y && z == o.z; }
};

struct CellHash
{
    std::size_t operator()(const Cell& c) const
    {
        std::uint64_t h = std::uint64_t(c.x) * 0x9E3779B97F4A7C15ull ^ std::uint64_t(c.y) * 0xC2B2AE3D27D4EB4Full ^
                          std::uint64_t(c.z) * 0x165667B19E3779F9ull;
        h ^= h >> 30;
        h *= 0xBF58476D1CE4E5B9ull;
        h ^= h >> 27;
        h *= 0x94D049BB133111EBull;
        return std::size_t(h ^ (h >> 31));
    }
};

} // namespace

// Welds corners as they come, then judges the surface once every triangle is in.
class SurfaceWelder
{
public:
    SurfaceWelder(SurfaceTopology& out, double cell) : m_out(out), m_cell(cell) {}

    template <typename Array>
    void add(const Array& corners, const std::vector<unsigned int>& indices)
    {
        m_welded.reserve(m_welded.size() + corners.size());
        m_out.m_uses.reserve(m_out.m_uses.size() + indices.size());
        std::vector<unsigned int> weldOf(corners.size(), ~0u); // each corner welded once
        auto weld = [&](unsigned int i) {
            if (weldOf[i] != ~0u)
                return weldOf[i];
            const osg::Vec3d p(corners[i]);
            const Cell cell{std::llround(p.x() / m_cell), std::llround(p.y() / m_cell), std::llround(p.z() / m_cell)};
            auto found = m_welded.emplace(cell, unsigned(m_out.m_points.size()));
            if (found.second) {
                m_out.m_points.push_back(p);
                m_out.m_firstIndex.push_back(i);
            }
            return weldOf[i] = found.first->second;
        };
        for (std::size_t t = 0; t + 2 < indices.size(); t += 3) {
            if (indices[t] >= corners.size() || indices[t + 1] >= corners.size() || indices[t + 2] >= corners.size()) {
                m_out.m_skipped = true;
                continue;
            }
            const std::array<unsigned int, 3> w{weld(indices[t]), weld(indices[t + 1]), weld(indices[t + 2])};
            if (w[0] == w[1] || w[1] == w[2] || w[0] == w[2])
                continue; // collapsed: no area and no edge of the surface
            const unsigned int index = unsigned(m_out.m_triangles.size());
            m_out.m_triangles.push_back(w);
            for (int e = 0; e < 3; ++e) {
                const unsigned int from = w[e], to = w[(e + 1) % 3];
                m_out.m_uses.push_back({(std::uint64_t(std::min(from, to)) << 32) | std::max(from, to), index, from < to});
            }
        }
    }

    void finish()
    {
        m_welded = {};
        SurfaceTopology& s = m_out;
        std::sort(s.m_uses.begin(), s.m_uses.end());

        // Shells: points joined by triangles.
        std::vector<unsigned int> link(s.m_points.size());
        for (unsigned int i = 0; i < link.size(); ++i)
            link[i] = i;
        auto root = [&link](unsigned int p) {
            while (link[p] != p)
                p = link[p] = link[link[p]];
            return p;
        };
        for (const auto& t : s.m_triangles) {
            for (int e = 1; e < 3; ++e) {
                const unsigned int ra = root(t[0]), rb = root(t[e]);
                if (ra != rb)
                    link[ra] = rb;
            }
        }
        std::unordered_map<unsigned int, std::pair<double, double>> perShell; // signed sum, sum of sizes
        double total = 0.0;
        for (const auto& t : s.m_triangles) {
            // Six times the volume of the tetrahedron the triangle makes with the first point.
            const osg::Vec3d o = s.m_points.front(), a = s.m_points[t[0]] - o, b = s.m_points[t[1]] - o,
                             c = s.m_points[t[2]] - o;
            const double v = a * (b ^ c);
            auto& sums = perShell[root(t[0])];
            sums.first += v;
            sums.second += std::abs(v);
            total += v;
        }
        s.m_shellCount = perShell.size();

        // Closed: along every edge as many triangles run one way as the other.
        bool closed = !s.m_skipped && !s.m_uses.empty();
        for (std::size_t i = 0; closed && i < s.m_uses.size();) {
            std::size_t end = i;
            int balance = 0;
            for (; end < s.m_uses.size() && s.m_uses[end].edge == s.m_uses[i].edge; ++end)
                balance += s.m_uses[end].forward ? 1 : -1;
            closed = balance == 0;
            i = end;
        }
        if (!closed)
            return;
        // Each shell encloses a volume, all of one sign: that sign tells which way the triangles wind.
        int sign = 0;
        for (const auto& entry : perShell) {
            const double volume = entry.second.first, size = entry.second.second;
            const int shellSign = volume > 1e-6 * size ? 1 : volume < -1e-6 * size ? -1 : 0;
            if (shellSign == 0 || (sign != 0 && shellSign != sign))
                return;
            sign = shellSign;
        }
        s.m_closure = sign > 0 ? SurfaceTopology::Closure::Outward : SurfaceTopology::Closure::Inward;
        s.m_volume = std::abs(total) / 6.0;
    }

private:
    SurfaceTopology& m_out;
    double m_cell;
    std::unordered_map<Cell, unsigned int, CellHash> m_welded;
};

double SurfaceTopology::weldCell(const osg::BoundingBoxd& box)
{
    return std::max(1e-9, box.valid() ? box.radius() * 1e-6 : 0.0);
}

SurfaceTopology SurfaceTopology::ofBody(const osg::Geode& body)
{
    SurfaceTopology result;
    std::vector<const osg::Geometry*> faces;
    osg::BoundingBoxd box;
    bool oneArray = true;
    for (unsigned int d = 0; d < body.getNumDrawables(); ++d) {
        const osg::Geometry* g = body.getDrawable(d) ? body.getDrawable(d)->asGeometry() : nullptr;
        if (!g || !isFaceGeometry(*g))
            continue;
        const auto* vertices = dynamic_cast<const osg::Vec3Array*>(g->getVertexArray());
        if (!vertices)
            continue;
        faces.push_back(g);
        const osg::BoundingBox b = g->getBoundingBox();
        if (b.valid()) {
            box.expandBy(osg::Vec3d(b._min));
            box.expandBy(osg::Vec3d(b._max));
        }
        if (!result.m_shared)
            result.m_shared = vertices;
        oneArray = oneArray && vertices == result.m_shared.get();
    }
    SurfaceWelder welder(result, weldCell(box));
    for (const osg::Geometry* g : faces) {
        std::vector<unsigned int> triangles;
        appendTriangles(*g, triangles);
        welder.add(*static_cast<const osg::Vec3Array*>(g->getVertexArray()), triangles);
    }
    welder.finish();
    if (!oneArray)
        result.m_shared = nullptr;
    return result;
}

SurfaceTopology SurfaceTopology::ofTriangles(const std::vector<osg::Vec3d>& corners)
{
    SurfaceTopology result;
    osg::BoundingBoxd box;
    for (const auto& p : corners)
        box.expandBy(p);
    std::vector<unsigned int> indices(corners.size() - corners.size() % 3);
    for (unsigned int i = 0; i < indices.size(); ++i)
        indices[i] = i;
    SurfaceWelder welder(result, weldCell(box));
    welder.add(corners, indices);
    welder.finish();
    return result;
}

} // namespace Vantor
