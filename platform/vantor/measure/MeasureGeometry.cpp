#include "vantor/measure/MeasureGeometry.h"

#include "vantor/math/SurfaceTopology.h"
#include "vantor/util/StrUtil.h"


#include <algorithm>
#include <cmath>
#include <limits>

namespace Vantor {
namespace MeasureGeo {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Directions closer than this (sine of the angle) count as parallel.
constexpr double kParallel = 1e-6;

Result fail(const std::string& why)
{
    Result r;
    r.error = why;
    return r;
}

Result make(double value, const osg::Vec3d& a, const osg::Vec3d& b)
{
    Result r;
    r.ok = std::isfinite(value);
    r.value = value;
    r.points = {a, b};
    return r;
}

// The segments of an edge: its polyline, or its line.
std::vector<std::pair<osg::Vec3d, osg::Vec3d>> segments(const Edge& e)
{
    std::vector<std::pair<osg::Vec3d, osg::Vec3d>> out;
    if (e.type == Edge::Line) {
        out.emplace_back(e.start, e.end);
        return out;
    }
    for (std::size_t i = 1; i < e.points.size(); ++i)
        out.emplace_back(e.points[i - 1], e.points[i]);
    if (out.empty() && !e.points.empty())
        out.emplace_back(e.points.front(), e.points.front());
    return out;
}

void closestSegmentToTriangles(const osg::Vec3d& a, const osg::Vec3d& b, const std::vector<osg::Vec3d>& tris,
                               double& best, osg::Vec3d& pa, osg::Vec3d& pb)
{
    for (std::size_t t = 0; t + 2 < tris.size(); t += 3) {
        const osg::Vec3d& p = tris[t];
        const osg::Vec3d& q = tris[t + 1];
        const osg::Vec3d& r = tris[t + 2];
        for (const osg::Vec3d& s : {a, b}) {
            const osg::Vec3d c = closestOnTriangle(s, p, q, r);
            const double d = (c - s).length();
            if (d < best) {
                best = d;
                pa = s;
                pb = c;
            }
        }
        const osg::Vec3d corners[3] = {p, q, r};
        for (int i = 0; i < 3; ++i) {
            osg::Vec3d c1, c2;
            closestSegmentSegment(a, b, corners[i], corners[(i + 1) % 3], c1, c2);
            const double d = (c2 - c1).length();
            if (d < best) {
                best = d;
                pa = c1;
                pb = c2;
            }
        }
    }
}

} // namespace

// Real-time collision detection (Ericson), closest point on a triangle.
void closestSegmentSegment(const osg::Vec3d& p1, const osg::Vec3d& q1, const osg::Vec3d& p2, const osg::Vec3d& q2,
                           osg::Vec3d& c1, osg::Vec3d& c2)
{
    const osg::Vec3d d1 = q1 - p1, d2 = q2 - p2, r = p1 - p2;
    const double a = d1 * d1, e = d2 * d2, f = d2 * r;
    double s = 0, t = 0;
    if (a <= 1e-18 && e <= 1e-18) {
        c1 = p1;
        c2 = p2;
        return;
    }
    if (a <= 1e-18) {
        t = std::min(1.0, std::max(0.0, f / e));
    } else {
        const double c = d1 * r;
        if (e <= 1e-18) {
            s = std::min(1.0, std::max(0.0, -c / a));
        } else {
            const double b = d1 * d2, denom = a * e - b * b;
            s = denom > 1e-18 ? std::min(1.0, std::max(0.0, (b * f - c * e) / denom)) : 0.0;
            t = (b * s + f) / e;
            if (t < 0) {
                t = 0;
                s = std::min(1.0, std::max(0.0, -c / a));
            } else if (t > 1) {
                t = 1;
                s = std::min(1.0, std::max(0.0, (b - c) / a));
            }
        }
    }
    c1 = p1 + d1 * s;
    c2 = p2 + d2 * t;
}

bool fitPlane(const std::vector<osg::Vec3d>& tris, osg::Vec3d& origin, osg::Vec3d& normal)
{
    osg::Vec3d n, centre;
    double total = 0;
    for (std::size_t t = 0; t + 2 < tris.size(); t += 3) {
        const osg::Vec3d cr = (tris[t + 1] - tris[t]) ^ (tris[t + 2] - tris[t]);
        const double a = cr.length() * 0.5;
        n += cr;
        centre += (tris[t] + tris[t + 1] + tris[t + 2]) * (a / 3.0);
        total += a;
    }
    if (total <= 0 || n.length() <= 0)
        return false;
    normal = n / n.length();
    origin = centre / total;
    // A curved mesh has no plane: its corners must lie on the fitted one.
    double size = 0, off = 0;
    for (const auto& p : tris) {
        size = std::max(size, (p - origin).length());
        off = std::max(off, std::fabs((p - origin) * normal));
    }
    return off <= std::max(1e-6, size * 1e-3);
}

bool edgeDirection(const Edge& edge, osg::Vec3d& dir)
{
    if (edge.type == Edge::Line) {
        dir = edge.end - edge.start;
        return dir.normalize() > 0;
    }
    if (edge.type == Edge::Ellipse || edge.points.size() < 2)
        return false;
    dir = edge.points.back() - edge.points.front();
    if (dir.normalize() <= 0)
        return false;
    // A polyline counts as straight only when every point lies on its chord.
    const double len = (edge.points.back() - edge.points.front()).length();
    for (const auto& p : edge.points) {
        const osg::Vec3d off = (p - edge.points.front()) - dir * ((p - edge.points.front()) * dir);
        if (off.length() > std::max(1e-6, len * 1e-4))
            return false;
    }
    return true;
}

bool faceNormal(const Face& face, osg::Vec3d& origin, osg::Vec3d& normal)
{
    if (face.type == Face::Plane) {
        origin = face.origin;
        normal = face.normal;
        return normal.length2() > 0.5;
    }
    if (face.type != Face::Mesh)
        return false;
    return fitPlane(face.triangles, origin, normal);
}

Result pointToPoint(const osg::Vec3d& a, const osg::Vec3d& b) { return make((b - a).length(), a, b); }

Result pointToLine(const osg::Vec3d& p, const Edge& edge)
{
    if (edge.type == Edge::Line) {
        osg::Vec3d dir = edge.end - edge.start;
        if (dir.normalize() <= 0)
            return pointToPoint(p, edge.start);
        // Distance to the line through the edge, as a drawing dimension would give it.
        const osg::Vec3d foot = edge.start + dir * ((p - edge.start) * dir);
        return make((p - foot).length(), p, foot);
    }
    double best = std::numeric_limits<double>::max();
    osg::Vec3d at;
    for (const auto& s : segments(edge)) {
        const osg::Vec3d c = closestOnSegment(p, s.first, s.second);
        if ((c - p).length() < best) {
            best = (c - p).length();
            at = c;
        }
    }
    if (best == std::numeric_limits<double>::max())
        return fail(StrUtil::translate("MeasureCommand", "The edge has no points."));
    return make(best, p, at);
}

Result pointToFace(const osg::Vec3d& p, const Face& face)
{
    if (face.type == Face::Plane) {
        const double d = (p - face.origin) * face.normal;
        return make(std::fabs(d), p, p - face.normal * d);
    }
    if (face.type == Face::Cylinder || face.type == Face::Sphere) {
        osg::Vec3d centre, axis;
        centreOf(face, p, centre, axis);
        osg::Vec3d radial = p - centre;
        if (radial.normalize() > 0) {
            const double d = std::fabs((p - centre).length() - face.radius);
            return make(d, p, centre + radial * face.radius);
        }
    }
    double best = std::numeric_limits<double>::max();
    osg::Vec3d at;
    for (std::size_t t = 0; t + 2 < face.triangles.size(); t += 3) {
        const osg::Vec3d c = closestOnTriangle(p, face.triangles[t], face.triangles[t + 1], face.triangles[t + 2]);
        if ((c - p).length() < best) {
            best = (c - p).length();
            at = c;
        }
    }
    if (best == std::numeric_limits<double>::max())
        return fail(StrUtil::translate("MeasureCommand", "The face has no triangles."));
    return make(best, p, at);
}

Result lineToLine(const Edge& a, const Edge& b)
{
    osg::Vec3d da, db;
    if (edgeDirection(a, da) && edgeDirection(b, db) && (da ^ db).length() < kParallel) {
        // Parallel lines: the distance between them.
        const osg::Vec3d pa = a.type == Edge::Line ? a.start : a.points.front();
        const osg::Vec3d pb = b.type == Edge::Line ? b.start : b.points.front();
        const osg::Vec3d foot = pa + da * ((pb - pa) * da);
        return make((pb - foot).length(), foot, pb);
    }
    double best = std::numeric_limits<double>::max();
    osg::Vec3d ca, cb;
    for (const auto& sa : segments(a))
        for (const auto& sb : segments(b)) {
            osg::Vec3d c1, c2;
            closestSegmentSegment(sa.first, sa.second, sb.first, sb.second, c1, c2);
            if ((c2 - c1).length() < best) {
                best = (c2 - c1).length();
                ca = c1;
                cb = c2;
            }
        }
    if (best == std::numeric_limits<double>::max())
        return fail(StrUtil::translate("MeasureCommand", "An edge has no points."));
    return make(best, ca, cb);
}

Result lineToFace(const Edge& e, const Face& f)
{
    osg::Vec3d dir, origin, normal;
    if (f.type == Face::Plane && edgeDirection(e, dir) && std::fabs(dir * f.normal) < kParallel) {
        const osg::Vec3d p = e.type == Edge::Line ? e.start : e.points.front();
        return pointToFace(p, f);
    }
    double best = std::numeric_limits<double>::max();
    osg::Vec3d pa, pb;
    for (const auto& s : segments(e))
        closestSegmentToTriangles(s.first, s.second, f.triangles, best, pa, pb);
    if (best == std::numeric_limits<double>::max())
        return fail(StrUtil::translate("MeasureCommand", "The edge or the face is empty."));
    return make(best, pa, pb);
}

Result faceToFace(const Face& a, const Face& b)
{
    osg::Vec3d oa, na, ob, nb;
    if (faceNormal(a, oa, na) && faceNormal(b, ob, nb) && (na ^ nb).length() < 1e-4) {
        // Parallel planes: their distance, drawn from the middle of the first face.
        osg::Vec3d mid;
        for (const auto& p : a.triangles)
            mid += p;
        mid /= double(std::max<std::size_t>(1, a.triangles.size()));
        mid -= na * ((mid - oa) * na);
        const double d = (ob - mid) * na;
        return make(std::fabs(d), mid, mid + na * d);
    }
    if (a.type == Face::Cylinder && b.type == Face::Cylinder) {
        // Coaxial or parallel shafts: the gap between their surfaces.
        if ((a.axisDir ^ b.axisDir).length() < kParallel) {
            Result r = axisToAxis(a.axisPoint, a.axisDir, b.axisPoint, b.axisDir);
            if (r.ok && r.value > a.radius + b.radius) {
                osg::Vec3d dir = r.points[1] - r.points[0];
                dir.normalize();
                return make(r.value - a.radius - b.radius, r.points[0] + dir * a.radius, r.points[1] - dir * b.radius);
            }
        }
    }
    double best = std::numeric_limits<double>::max();
    osg::Vec3d pa, pb;
    const std::vector<osg::Vec3d>& ta = a.triangles;
    for (std::size_t t = 0; t + 2 < ta.size(); t += 3)
        for (int i = 0; i < 3; ++i)
            closestSegmentToTriangles(ta[t + i], ta[t + (i + 1) % 3], b.triangles, best, pa, pb);
    if (best == std::numeric_limits<double>::max())
        return fail(StrUtil::translate("MeasureCommand", "A face is empty."));
    return make(best, pa, pb);
}

Result centreToCentre(const osg::Vec3d& c1, const osg::Vec3d& c2) { return pointToPoint(c1, c2); }

Result axisToAxis(const osg::Vec3d& p1, const osg::Vec3d& d1in, const osg::Vec3d& p2, const osg::Vec3d& d2in)
{
    osg::Vec3d d1 = d1in, d2 = d2in;
    if (d1.normalize() <= 0 || d2.normalize() <= 0)
        return fail(StrUtil::translate("MeasureCommand", "An axis has no direction."));
    const osg::Vec3d n = d1 ^ d2;
    if (n.length() < kParallel) {
        const osg::Vec3d foot = p1 + d1 * ((p2 - p1) * d1);
        return make((p2 - foot).length(), foot, p2);
    }
    // Skew axes: the common perpendicular.
    const osg::Vec3d r = p1 - p2;
    const double a = d1 * d1, b = d1 * d2, c = d2 * d2, d = d1 * r, e = d2 * r;
    const double denom = a * c - b * b;
    const double s = (b * e - c * d) / denom, t = (a * e - b * d) / denom;
    return make(((p1 + d1 * s) - (p2 + d2 * t)).length(), p1 + d1 * s, p2 + d2 * t);
}

namespace {
double degrees(double cosine) { return std::acos(std::min(1.0, std::max(-1.0, cosine))) * 180.0 / kPi; }
osg::Vec3d middle(const Edge& e)
{
    if (e.type == Edge::Line)
        return (e.start + e.end) * 0.5;
    return e.points.empty() ? osg::Vec3d() : e.points[e.points.size() / 2];
}
osg::Vec3d middle(const Face& f)
{
    osg::Vec3d m;
    for (const auto& p : f.triangles)
        m += p;
    return f.triangles.empty() ? m : m / double(f.triangles.size());
}
} // namespace

Result lineLineAngle(const Edge& a, const Edge& b)
{
    osg::Vec3d da, db;
    if (!edgeDirection(a, da) || !edgeDirection(b, db))
        return fail(StrUtil::translate("MeasureCommand", "Both edges must be straight."));
    return make(degrees(std::fabs(da * db)), middle(a), middle(b));
}

Result faceFaceAngle(const Face& a, const Face& b)
{
    osg::Vec3d oa, na, ob, nb;
    if (!faceNormal(a, oa, na) || !faceNormal(b, ob, nb))
        return fail(StrUtil::translate("MeasureCommand", "Both faces must be flat."));
    return make(degrees(std::fabs(na * nb)), middle(a), middle(b));
}

Result lineFaceAngle(const Edge& e, const Face& f)
{
    osg::Vec3d d, o, n;
    if (!edgeDirection(e, d) || !faceNormal(f, o, n))
        return fail(StrUtil::translate("MeasureCommand", "The edge must be straight and the face flat."));
    return make(90.0 - degrees(std::fabs(d * n)), middle(e), middle(f));
}

Result edgeLength(const Edge& e)
{
    if (e.type == Edge::Line)
        return make((e.end - e.start).length(), e.start, e.end);
    if (e.type == Edge::Ellipse) {
        // Angles of the ends in the ellipse's own frame; equal ends make the whole ellipse.
        auto angle = [&](const osg::Vec3d& p) {
            const osg::Vec3d v = p - e.center;
            return std::atan2((v * e.yDir) / e.minor, (v * e.xDir) / e.major);
        };
        double a0 = angle(e.start), a1 = angle(e.end);
        if ((e.start - e.end).length() < 1e-6 * std::max(1.0, e.major))
            a1 = a0 + 2 * kPi;
        while (a1 <= a0)
            a1 += 2 * kPi;
        const int steps = 2048;
        double len = 0;
        osg::Vec3d prev = e.center + e.xDir * (e.major * std::cos(a0)) + e.yDir * (e.minor * std::sin(a0));
        const osg::Vec3d first = prev;
        for (int i = 1; i <= steps; ++i) {
            const double a = a0 + (a1 - a0) * i / steps;
            const osg::Vec3d p = e.center + e.xDir * (e.major * std::cos(a)) + e.yDir * (e.minor * std::sin(a));
            len += (p - prev).length();
            prev = p;
        }
        Result r = make(len, first, prev);
        r.points.insert(r.points.begin() + 1, e.center + e.xDir * (e.major * std::cos((a0 + a1) / 2)) +
                                                  e.yDir * (e.minor * std::sin((a0 + a1) / 2)));
        return r;
    }
    if (e.points.size() < 2)
        return fail(StrUtil::translate("MeasureCommand", "The edge has no length."));
    double len = 0;
    for (std::size_t i = 1; i < e.points.size(); ++i)
        len += (e.points[i] - e.points[i - 1]).length();
    Result r = make(len, e.points.front(), e.points.back());
    return r;
}

Result radiusOf(const Edge& e)
{
    if (e.type == Edge::Ellipse) {
        if (std::fabs(e.major - e.minor) > 1e-6 * e.major)
            return fail(StrUtil::translate("MeasureCommand", "The edge is an ellipse, not a circle."));
        const osg::Vec3d rim = e.type == Edge::Ellipse && (e.start - e.center).length() > 0 ? e.start : e.center + e.xDir * e.major;
        return make(e.major, e.center, rim);
    }
    osg::Vec3d c, axis;
    if (!centreOf(e, c, axis))
        return fail(StrUtil::translate("MeasureCommand", "The edge is not a circle."));
    double r = 0;
    for (const auto& p : e.points)
        r += (p - c).length();
    r /= double(e.points.size());
    return make(r, c, e.points.front());
}

Result radiusOf(const Face& f)
{
    if (f.type != Face::Cylinder && f.type != Face::Sphere)
        return fail(StrUtil::translate("MeasureCommand", "The face is not a cylinder."));
    const osg::Vec3d near = f.triangles.empty() ? f.axisPoint : f.triangles.front();
    osg::Vec3d c, axis;
    centreOf(f, near, c, axis);
    osg::Vec3d radial = near - c;
    if (radial.normalize() <= 0)
        return fail(StrUtil::translate("MeasureCommand", "The face has no radius."));
    return make(f.radius, c, c + radial * f.radius);
}

double area(const std::vector<osg::Vec3d>& t)
{
    double a = 0;
    for (std::size_t i = 0; i + 2 < t.size(); i += 3)
        a += ((t[i + 1] - t[i]) ^ (t[i + 2] - t[i])).length() * 0.5;
    return a;
}

bool volume(const std::vector<osg::Vec3d>& t, double& value)
{
    const SurfaceTopology surface = SurfaceTopology::ofTriangles(t);
    value = surface.volume();
    return surface.closed();
}

} // namespace MeasureGeo
} // namespace Vantor
