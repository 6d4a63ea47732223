#include "vantor/collision/PenetrationDepth.h"

#include <fcl/geometry/shape/sphere.h>
#include <fcl/narrowphase/distance.h>

#include <algorithm>
#include <cmath>

namespace Vantor {
namespace collision {

namespace {

using Vec = fcl::Vector3d;
using Polygon = std::vector<Vec>;

// An oblique direction, so parity rays rarely graze edges of axis-aligned meshes.
const Vec kRay = Vec(0.6133, 0.5413, 0.5752).normalized();

bool rayHitsTriangle(const Vec& origin, const Vec& a, const Vec& b, const Vec& c)
{
    const Vec e1 = b - a, e2 = c - a;
    const Vec p = kRay.cross(e2);
    const double det = e1.dot(p);
    if (std::abs(det) < 1e-14)
        return false;
    const double inv = 1.0 / det;
    const Vec s = origin - a;
    const double u = s.dot(p) * inv;
    if (u < 0.0 || u > 1.0)
        return false;
    const Vec q = s.cross(e1);
    const double v = kRay.dot(q) * inv;
    if (v < 0.0 || u + v > 1.0)
        return false;
    return e2.dot(q) * inv > 1e-12;
}

bool containsLocal(const MeshData& mesh, const Vec& local)
{
    bool inside = false;
    for (const fcl::Triangle& t : mesh.triangles)
        if (rayHitsTriangle(local, mesh.vertices[t[0]], mesh.vertices[t[1]], mesh.vertices[t[2]]))
            inside = !inside;
    return inside;
}

// Keeps the part of a convex polygon on the inner side of one face of a box.
Polygon clip(const Polygon& in, int axis, double limit, bool keepBelow)
{
    Polygon out;
    const std::size_t n = in.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vec& p = in[i];
        const Vec& q = in[(i + 1) % n];
        const double dp = keepBelow ? limit - p[axis] : p[axis] - limit;
        const double dq = keepBelow ? limit - q[axis] : q[axis] - limit;
        if (dp >= 0.0)
            out.push_back(p);
        if ((dp >= 0.0) != (dq >= 0.0))
            out.push_back(p + (q - p) * (dp / (dp - dq)));
    }
    return out;
}

double area(const Polygon& polygon)
{
    Vec sum(0.0, 0.0, 0.0);
    for (std::size_t i = 1; i + 1 < polygon.size(); ++i)
        sum += (polygon[i] - polygon[0]).cross(polygon[i + 1] - polygon[0]);
    return 0.5 * sum.norm();
}

// The pieces of a part's surface inside a world box.
std::vector<Polygon> surfaceInBox(const PartMesh& part, const osg::BoundingBoxd& box)
{
    std::vector<Polygon> pieces;
    const MeshData& mesh = *part.mesh;
    for (const fcl::Triangle& t : mesh.triangles) {
        Polygon polygon = {part.toWorld * mesh.vertices[t[0]], part.toWorld * mesh.vertices[t[1]],
                           part.toWorld * mesh.vertices[t[2]]};
        bool outside = false;
        for (int axis = 0; axis < 3 && !outside; ++axis) {
            const double lo = std::min({polygon[0][axis], polygon[1][axis], polygon[2][axis]});
            const double hi = std::max({polygon[0][axis], polygon[1][axis], polygon[2][axis]});
            outside = hi < box._min[axis] || lo > box._max[axis];
        }
        if (outside)
            continue;
        for (int axis = 0; axis < 3 && polygon.size() >= 3; ++axis) {
            polygon = clip(polygon, axis, box._min[axis], false);
            if (polygon.size() >= 3)
                polygon = clip(polygon, axis, box._max[axis], true);
        }
        if (polygon.size() >= 3)
            pieces.push_back(std::move(polygon));
    }
    return pieces;
}

// Sample points spread over the pieces, about `budget` of them, the pieces' corners included.
std::vector<Vec> samplePoints(const std::vector<Polygon>& pieces, std::size_t budget)
{
    double total = 0.0;
    for (const Polygon& p : pieces)
        total += area(p);
    std::vector<Vec> points;
    const double spacing = std::sqrt(2.0 * std::max(total, 1e-18) / static_cast<double>(std::max<std::size_t>(budget, 1)));
    for (const Polygon& polygon : pieces) {
        points.insert(points.end(), polygon.begin(), polygon.end());
        for (std::size_t i = 1; i + 1 < polygon.size(); ++i) {
            const Vec& a = polygon[0];
            const Vec& b = polygon[i];
            const Vec& c = polygon[i + 1];
            const double longest = std::max({(b - a).norm(), (c - b).norm(), (a - c).norm()});
            const int k = std::clamp(static_cast<int>(std::ceil(longest / spacing)), 1, 64);
            for (int u = 0; u <= k; ++u)
                for (int v = 0; u + v <= k; ++v) {
                    if ((u == 0 && v == 0) || (u == k) || (v == k))
                        continue; // corners are in already
                    const double fu = double(u) / k, fv = double(v) / k;
                    points.push_back(a + (b - a) * fu + (c - a) * fv);
                }
        }
    }
    return points;
}

double distanceToSurface(const fcl::CollisionObjectd& object, const Vec& point)
{
    static const auto probe = std::make_shared<fcl::Sphered>(1e-9);
    fcl::CollisionObjectd probeObject(probe, fcl::Transform3d(Eigen::Translation3d(point)));
    fcl::DistanceRequestd request;
    fcl::DistanceResultd result;
    fcl::distance(&probeObject, &object, request, result);
    return std::max(0.0, result.min_distance);
}

void deepestInside(const PartMesh& from, const PartMesh& into, const fcl::CollisionObjectd& intoObject,
                   const osg::BoundingBoxd& box, std::size_t budget, Penetration& best)
{
    const fcl::Transform3d toLocal = into.toWorld.inverse();
    for (const Vec& point : samplePoints(surfaceInBox(from, box), budget)) {
        if (!containsLocal(*into.mesh, toLocal * point))
            continue;
        const double depth = distanceToSurface(intoObject, point);
        if (!best.inside || depth > best.depth) {
            best.depth = depth;
            best.deepest = point;
        }
        best.inside = true;
    }
}

} // namespace

Penetration penetration(const PartMesh& a, const fcl::CollisionObjectd& objectA, const PartMesh& b,
                        const fcl::CollisionObjectd& objectB, std::size_t budget)
{
    Penetration best;
    osg::BoundingBoxd box = a.worldBox.intersect(b.worldBox);
    if (!box.valid())
        return best;
    const double pad = 1e-9 * std::max(1.0, box.radius());
    box._min -= osg::Vec3d(pad, pad, pad);
    box._max += osg::Vec3d(pad, pad, pad);
    deepestInside(a, b, objectB, box, budget, best);
    deepestInside(b, a, objectA, box, budget, best);
    return best;
}

bool containsPoint(const PartMesh& part, const fcl::Vector3d& worldPoint)
{
    if (part.empty())
        return false;
    return containsLocal(*part.mesh, part.toWorld.inverse() * worldPoint);
}

} // namespace collision
} // namespace Vantor
