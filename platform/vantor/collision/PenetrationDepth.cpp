#include "vantor/collision/PenetrationDepth.h"

#include "vantor/math/Triangle.h"

#include <fcl/geometry/shape/sphere.h>
#include <fcl/narrowphase/distance.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

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

// The distance from a point to the surface and the triangle it is nearest to.
double distanceToSurface(const fcl::CollisionObjectd& object, const Vec& point, int& nearest)
{
    static const auto probe = std::make_shared<fcl::Sphered>(1e-9);
    fcl::CollisionObjectd probeObject(probe, fcl::Transform3d(Eigen::Translation3d(point)));
    fcl::DistanceRequestd request;
    fcl::DistanceResultd result;
    fcl::distance(&probeObject, &object, request, result);
    // The mesh's triangle; fcl reports it on the sphere's side of the result when it swaps the pair.
    nearest = result.b2 >= 0 ? result.b2 : result.b1;
    return std::max(0.0, result.min_distance);
}

// The point of triangle abc closest to p.
Vec closestOnTriangle(const Vec& p, const Vec& a, const Vec& b, const Vec& c)
{
    const auto osgOf = [](const Vec& v) { return osg::Vec3d(v.x(), v.y(), v.z()); };
    const osg::Vec3d q = Vantor::closestOnTriangle(osgOf(p), osgOf(a), osgOf(b), osgOf(c));
    return Vec(q.x(), q.y(), q.z());
}

// Searches one part's surface for its point deepest inside the other part. Two bounds say how deep a
// triangle of the surface can reach: the depth at a point (its distance to the other surface, counted
// where it lies inside) changes by at most as much as the point moves, so no deeper than a corner's
// depth plus the corner's longest reach across the triangle; and the depth is at most the distance to
// any one triangle of the other surface, which is largest at a corner (distance to a triangle is
// convex), so no deeper than the farthest corner from the triangle nearest to one of the corners. The
// second keeps flat stretches of equal depth from being split without end. Triangles are split, most
// promising first, until none can beat the deepest point found by more than the accuracy: the result
// is then the true maximum within it, whatever the meshes' layout.
class DeepestPointSearch
{
public:
    DeepestPointSearch(const PartMesh& into, const fcl::CollisionObjectd& intoObject, double accuracy,
                       std::size_t maxPoints, Penetration& best)
        : m_into(*into.mesh), m_object(intoObject), m_toWorld(into.toWorld), m_toLocal(into.toWorld.inverse()),
          m_accuracy(accuracy), m_maxPoints(maxPoints), m_best(best)
    {
    }

    void addPiece(const Polygon& polygon)
    {
        std::vector<Corner> corners;
        corners.reserve(polygon.size());
        for (const Vec& p : polygon)
            corners.push_back(evaluate(p));
        for (std::size_t i = 1; i + 1 < corners.size(); ++i)
            push({corners[0], corners[i], corners[i + 1]});
    }

    // False when the point budget ran out before the accuracy was reached.
    bool run()
    {
        while (!m_queue.empty()) {
            if (m_queue.top().bound <= m_best.depth + m_accuracy)
                return true; // nothing left can beat the deepest point found by more than the accuracy
            if (m_points >= m_maxPoints)
                return false;
            Triangle t = m_queue.top();
            m_queue.pop();
            if (outside(t))
                continue;
            const Corner m01 = evaluate(0.5 * (t.c[0].p + t.c[1].p));
            const Corner m12 = evaluate(0.5 * (t.c[1].p + t.c[2].p));
            const Corner m20 = evaluate(0.5 * (t.c[2].p + t.c[0].p));
            push({t.c[0], m01, m20});
            push({m01, t.c[1], m12});
            push({m20, m12, t.c[2]});
            push({m01, m12, m20});
        }
        return true;
    }

private:
    enum class Side { Unknown, Inside, Outside };
    struct Corner
    {
        Vec p;
        double distance; // to the other part's surface
        int nearest;     // the other part's triangle at that distance
        Side side;
    };
    struct Triangle
    {
        Corner c[3];
        double bound = 0.0; // no point of the triangle lies deeper
        bool operator<(const Triangle& other) const { return bound < other.bound; }
    };

    Side side(Corner& c) const
    {
        if (c.side == Side::Unknown)
            c.side = containsLocal(m_into, m_toLocal * c.p) ? Side::Inside : Side::Outside;
        return c.side;
    }

    Corner evaluate(const Vec& p)
    {
        ++m_points;
        Corner c{p, 0.0, -1, Side::Unknown};
        c.distance = distanceToSurface(m_object, p, c.nearest);
        if ((!m_best.inside || c.distance > m_best.depth) && side(c) == Side::Inside) {
            m_best.depth = c.distance;
            m_best.deepest = p;
            m_best.inside = true;
        }
        return c;
    }

    static double reach(const Triangle& t, int k)
    {
        return std::max((t.c[(k + 1) % 3].p - t.c[k].p).norm(), (t.c[(k + 2) % 3].p - t.c[k].p).norm());
    }

    void push(Triangle t)
    {
        t.bound = std::numeric_limits<double>::max();
        for (int k = 0; k < 3; ++k)
            t.bound = std::min(t.bound, t.c[k].distance + reach(t, k));
        for (int k = 0; k < 3 && t.bound > m_best.depth + m_accuracy; ++k) {
            const int j = t.c[k].nearest;
            if (j < 0 || j >= int(m_into.triangles.size()) || (k > 0 && j == t.c[0].nearest) || (k > 1 && j == t.c[1].nearest))
                continue;
            const fcl::Triangle& tri = m_into.triangles[std::size_t(j)];
            const Vec a = m_toWorld * m_into.vertices[tri[0]], b = m_toWorld * m_into.vertices[tri[1]],
                      c = m_toWorld * m_into.vertices[tri[2]];
            double farthest = 0.0;
            for (const Corner& corner : t.c)
                farthest = std::max(farthest, (corner.p - closestOnTriangle(corner.p, a, b, c)).norm());
            t.bound = std::min(t.bound, farthest);
        }
        if (t.bound > m_best.depth + m_accuracy)
            m_queue.push(t);
    }

    // The whole triangle lies outside the other part: no surface crosses it, seen from an outside corner.
    bool outside(Triangle& t) const
    {
        for (int k = 0; k < 3; ++k)
            if (t.c[k].distance > reach(t, k) && side(t.c[k]) == Side::Outside)
                return true;
        return false;
    }

    const MeshData& m_into;
    const fcl::CollisionObjectd& m_object;
    const fcl::Transform3d m_toWorld;
    const fcl::Transform3d m_toLocal;
    const double m_accuracy;
    const std::size_t m_maxPoints;
    Penetration& m_best;
    std::size_t m_points = 0;
    std::priority_queue<Triangle> m_queue;
};

} // namespace

Penetration penetration(const PartMesh& a, const fcl::CollisionObjectd& objectA, const PartMesh& b,
                        const fcl::CollisionObjectd& objectB, double accuracy, std::size_t maxPoints)
{
    Penetration best;
    osg::BoundingBoxd box = a.worldBox.intersect(b.worldBox);
    if (!box.valid())
        return best;
    const double pad = 1e-9 * std::max(1.0, box.radius());
    box._min -= osg::Vec3d(pad, pad, pad);
    box._max += osg::Vec3d(pad, pad, pad);
    // Both surfaces share the deepest point found so far, so either search prunes with the other's.
    DeepestPointSearch intoB(b, objectB, accuracy, maxPoints, best);
    DeepestPointSearch intoA(a, objectA, accuracy, maxPoints, best);
    for (const Polygon& piece : surfaceInBox(a, box))
        intoB.addPiece(piece);
    for (const Polygon& piece : surfaceInBox(b, box))
        intoA.addPiece(piece);
    const bool doneB = intoB.run();
    const bool doneA = intoA.run();
    best.withinAccuracy = doneA && doneB;
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
