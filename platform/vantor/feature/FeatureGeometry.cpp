#include "vantor/feature/FeatureGeometry.h"

#include "vantor/feature/FeatureData.h"
#include "vantor/math/MeshPrimitives.h"

#include <osg/BoundingBox>
#include <osg/Geode>
#include <osg/Geometry>
#include <osg/UserDataContainer>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Vantor {
namespace FeatureGeo {

namespace {

osg::Vec3d placeDir(const osg::Vec3d& d, const osg::Matrixd& m)
{
    osg::Vec3d out = osg::Matrixd::transform3x3(d, m);
    out.normalize();
    return out;
}

bool finite(const osg::Vec3d& v) { return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z()); }

// A fitted circle may stray from its points by this share of its radius (tessellated circles are
// exact up to the float precision of their points; an ellipse or a spline strays far more).
constexpr double kRoundness = 2e-3;

} // namespace

osg::Vec3d closestOnSegment(const osg::Vec3d& p, const osg::Vec3d& a, const osg::Vec3d& b)
{
    const osg::Vec3d ab = b - a;
    const double len2 = ab.length2();
    if (len2 <= 0.0)
        return a;
    const double t = std::min(1.0, std::max(0.0, ((p - a) * ab) / len2));
    return a + ab * t;
}

const FaceFeatures* faceFeaturesOf(const osg::Object* drawable)
{
    const osg::UserDataContainer* udc = drawable ? drawable->getUserDataContainer() : nullptr;
    for (unsigned int i = 0; udc && i < udc->getNumUserObjects(); ++i) {
        if (const auto* found = dynamic_cast<const FaceFeatures*>(udc->getUserObject(i)))
            return found;
    }
    return nullptr;
}

const EdgeFeatures* edgeFeaturesOf(const osg::Object* body)
{
    const osg::UserDataContainer* udc = body ? body->getUserDataContainer() : nullptr;
    for (unsigned int i = 0; udc && i < udc->getNumUserObjects(); ++i) {
        if (const auto* found = dynamic_cast<const EdgeFeatures*>(udc->getUserObject(i)))
            return found;
    }
    return nullptr;
}

bool faceFromDrawable(const osg::Drawable* drawable, unsigned int triangle, const osg::Matrixd& toWorld, Face& out)
{
    const osg::Geometry* geometry = drawable ? drawable->asGeometry() : nullptr;
    const FaceFeatures* features = faceFeaturesOf(drawable);
    if (!geometry || !features || geometry->getNumPrimitiveSets() == 0)
        return false;
    const auto* vertices = dynamic_cast<const osg::Vec3Array*>(geometry->getVertexArray());
    const auto* indices = dynamic_cast<const osg::DrawElementsUInt*>(geometry->getPrimitiveSet(0));
    if (!vertices || !indices)
        return false;
    FaceRange face;
    if (!features->faceHolding(std::size_t(triangle) * 3, face))
        return false;
    out = Face();
    out.id = face.id;
    out.owner = drawable;
    for (std::size_t i = face.first; i < face.first + face.count && i < indices->size(); ++i) {
        const unsigned v = (*indices)[i];
        if (v >= vertices->size())
            return false;
        out.triangles.push_back(osg::Vec3d((*vertices)[v]) * toWorld);
    }
    const FaceForm& form = face.form;
    switch (form.type) {
    case Face::Plane:
        out.type = Face::Plane;
        out.origin = form.origin * toWorld;
        out.normal = placeDir(form.normal, toWorld);
        // An origin left at zero by the writer: any corner of the face lies on the plane.
        if (!out.triangles.empty() && std::fabs((out.triangles.front() - out.origin) * out.normal) > 1e-3)
            out.origin = out.triangles.front();
        break;
    case Face::Cylinder:
    case Face::Cone:
    case Face::Sphere:
    case Face::Torus:
    case Face::Revolution:
        out.type = form.type;
        out.axisPoint = form.axisPoint * toWorld;
        out.axisDir = placeDir(form.axisDir, toWorld);
        // Only a cylinder's radius is scaled with its placement.
        out.radius = form.type == Face::Cylinder
                         ? form.radius * osg::Vec3d(toWorld(0, 0), toWorld(0, 1), toWorld(0, 2)).length()
                         : form.radius;
        break;
    case Face::Mesh: break;
    }
    return !out.triangles.empty();
}

bool edgeNearPoint(const osg::Node* body, const osg::Matrixd& toWorld, const osg::Vec3d& worldPoint, double maxDistance,
                   Edge& out)
{
    const EdgeFeatures* features = edgeFeaturesOf(body);
    const osg::Vec3Array* all = features ? features->edgePoints() : nullptr;
    if (!all)
        return false;
    const osg::Vec3Array& pts = *all;
    double best = maxDistance;
    std::size_t found = features->edgeCount();
    std::vector<osg::Vec3d> foundPoints;
    for (std::size_t e = 0; e < features->edgeCount(); ++e) {
        const osg::DrawElementsUInt* indices = features->edgeIndices(e);
        if (!indices || indices->empty())
            continue;
        std::vector<osg::Vec3d> points;
        points.reserve(indices->size());
        bool valid = true;
        for (unsigned idx : *indices) {
            if (idx >= pts.size()) {
                valid = false;
                break;
            }
            points.push_back(osg::Vec3d(pts[idx]) * toWorld);
        }
        if (!valid)
            continue;
        double d = std::numeric_limits<double>::max();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const osg::Vec3d c = i + 1 < points.size() ? closestOnSegment(worldPoint, points[i], points[i + 1]) : points[i];
            d = std::min(d, (c - worldPoint).length());
        }
        if (d <= best) {
            best = d;
            found = e;
            foundPoints = std::move(points);
        }
    }
    if (found == features->edgeCount())
        return false;
    out = Edge();
    out.id = features->edgeId(found);
    out.points = std::move(foundPoints);
    const EdgeForm form = features->edgeForm(found);
    if (form.type == Edge::Line) {
        out.type = Edge::Line;
        out.start = form.start * toWorld;
        out.end = form.end * toWorld;
    } else if (form.type == Edge::Ellipse) {
        out.type = Edge::Ellipse;
        const double scale = osg::Vec3d(toWorld(0, 0), toWorld(0, 1), toWorld(0, 2)).length();
        out.center = form.center * toWorld;
        out.xDir = placeDir(form.xDir, toWorld);
        out.yDir = placeDir(form.yDir, toWorld);
        out.normal = placeDir(form.normal, toWorld);
        out.major = form.major * scale;
        out.minor = form.minor * scale;
        out.start = form.start * toWorld;
        out.end = form.end * toWorld;
        if (out.xDir.length2() < 0.5 || out.normal.length2() < 0.5 || out.major <= 0)
            out.type = Edge::Polyline;
    }
    return true;
}

bool solidFromBody(const osg::Node* body, const osg::Matrixd& toWorld, Solid& out)
{
    const osg::Geode* geode = body ? body->asGeode() : nullptr;
    if (!geode)
        return false;
    out.triangles.clear();
    for (unsigned int d = 0; d < geode->getNumDrawables(); ++d) {
        const osg::Geometry* g = geode->getDrawable(d)->asGeometry();
        const auto* vertices = g ? dynamic_cast<const osg::Vec3Array*>(g->getVertexArray()) : nullptr;
        if (!vertices || !isFaceGeometry(*g))
            continue;
        std::vector<unsigned int> triangles;
        appendTriangles(*g, triangles);
        for (unsigned int v : triangles) {
            if (v >= vertices->size())
                return false;
            out.triangles.push_back(osg::Vec3d((*vertices)[v]) * toWorld);
        }
    }
    return !out.triangles.empty();
}


bool fitCircle(const std::vector<osg::Vec3d>& input, osg::Vec3d& centre, osg::Vec3d& normal, double& radius)
{
    osg::BoundingBoxd box;
    for (const auto& p : input) {
        if (!finite(p))
            return false;
        box.expandBy(p);
    }
    if (!box.valid())
        return false;
    const double size = (box._max - box._min).length();
    if (!(size > 0.0) || !std::isfinite(size))
        return false;
    // Distinct points: a closed polyline repeats its first one, a sloppy one its neighbours.
    const double same = size * 1e-9;
    std::vector<osg::Vec3d> pts;
    for (const auto& p : input)
        if (pts.empty() || (p - pts.back()).length() > same)
            pts.push_back(p);
    if (pts.size() > 1 && (pts.front() - pts.back()).length() <= same)
        pts.pop_back();
    if (pts.size() < 3)
        return false;

    // Centred and scaled to about one unit, so the sums below stay well conditioned.
    osg::Vec3d c;
    for (const auto& p : pts)
        c += p;
    c /= double(pts.size());
    std::vector<osg::Vec3d> q;
    q.reserve(pts.size());
    for (const auto& p : pts)
        q.push_back((p - c) / size);

    // The plane: the farthest point and the one spanning the largest area with it.
    std::size_t far = 0;
    for (std::size_t i = 1; i < q.size(); ++i)
        if (q[i].length2() > q[far].length2())
            far = i;
    osg::Vec3d n;
    for (const auto& p : q) {
        const osg::Vec3d cr = q[far] ^ p;
        if (cr.length2() > n.length2())
            n = cr;
    }
    if (n.length() < 1e-9)
        return false; // on a line
    n.normalize();
    // Winding of the points, when they follow each other: the normal points the way they turn.
    osg::Vec3d turn;
    for (std::size_t i = 0; i + 1 < q.size(); ++i)
        turn += q[i] ^ q[i + 1];
    if (turn * n < 0)
        n = -n;
    for (const auto& p : q)
        if (std::fabs(p * n) > kRoundness * 0.5)
            return false; // not flat

    // Least squares on x^2 + y^2 + D x + E y + F = 0 in the plane.
    osg::Vec3d u = q[far] - n * (q[far] * n);
    if (u.normalize() <= 0)
        return false;
    const osg::Vec3d v = n ^ u;
    double sxx = 0, sxy = 0, syy = 0, sx = 0, sy = 0, sxz = 0, syz = 0, sz = 0;
    const double m = double(q.size());
    for (const auto& p : q) {
        const double x = p * u, y = p * v, z = x * x + y * y;
        sxx += x * x;
        sxy += x * y;
        syy += y * y;
        sx += x;
        sy += y;
        sxz += x * z;
        syz += y * z;
        sz += z;
    }
    const double a[3][3] = {{sxx, sxy, sx}, {sxy, syy, sy}, {sx, sy, m}};
    const double b[3] = {-sxz, -syz, -sz};
    auto det3 = [](const double k[3][3]) {
        return k[0][0] * (k[1][1] * k[2][2] - k[1][2] * k[2][1]) - k[0][1] * (k[1][0] * k[2][2] - k[1][2] * k[2][0]) +
               k[0][2] * (k[1][0] * k[2][1] - k[1][1] * k[2][0]);
    };
    const double det = det3(a);
    if (!(std::fabs(det) > 1e-18 * m * m * m))
        return false;
    double sol[3];
    for (int col = 0; col < 3; ++col) {
        double k[3][3];
        for (int r = 0; r < 3; ++r)
            for (int cc = 0; cc < 3; ++cc)
                k[r][cc] = cc == col ? b[r] : a[r][cc];
        sol[col] = det3(k) / det;
    }
    const double cx = -sol[0] / 2, cy = -sol[1] / 2;
    const double r2 = cx * cx + cy * cy - sol[2];
    if (!(r2 > 0) || !std::isfinite(r2))
        return false;
    const double r = std::sqrt(r2);
    for (const auto& p : q) {
        const double dx = p * u - cx, dy = p * v - cy;
        if (std::fabs(std::hypot(dx, dy) - r) > kRoundness * r)
            return false; // not round
    }
    const osg::Vec3d at = c + (u * cx + v * cy) * size;
    if (!finite(at) || !std::isfinite(r * size))
        return false;
    centre = at;
    normal = n;
    radius = r * size;
    return true;
}

bool centreOf(const Edge& edge, osg::Vec3d& centre, osg::Vec3d& axis)
{
    if (edge.type == Edge::Ellipse) {
        if (!finite(edge.center) || !finite(edge.normal) || edge.normal.length2() < 0.5)
            return false;
        centre = edge.center;
        axis = edge.normal;
        return true;
    }
    if (edge.type != Edge::Polyline)
        return false;
    // A polyline without its form: the circle through its points, when they make one. Three points
    // always do; one more must agree.
    std::size_t distinct = 0;
    for (std::size_t i = 0; i < edge.points.size(); ++i)
        if (i == 0 || edge.points[i] != edge.points[i - 1])
            ++distinct;
    if (edge.points.size() > 1 && edge.points.front() == edge.points.back())
        --distinct;
    double radius = 0;
    return distinct >= 4 && fitCircle(edge.points, centre, axis, radius);
}

bool centreOf(const Face& face, const osg::Vec3d& near, osg::Vec3d& centre, osg::Vec3d& axis)
{
    if (face.type == Face::Plane || face.type == Face::Mesh || face.axisDir.length2() < 0.5)
        return false;
    axis = face.axisDir;
    if (face.type == Face::Sphere) {
        centre = face.axisPoint;
        return true;
    }
    // The point of the axis level with where the face was picked.
    centre = face.axisPoint + axis * ((near - face.axisPoint) * axis);
    return true;
}


bool circleAt(const osg::Node* body, const Face* face, const osg::Matrixd& toWorld, const osg::Vec3d& worldPoint,
              double tolerance, Circle& out)
{
    Edge edge;
    osg::Vec3d centre, axis;
    if (body && edgeNearPoint(body, toWorld, worldPoint, tolerance, edge) && centreOf(edge, centre, axis)) {
        out = Circle();
        out.centre = centre;
        out.axis = axis;
        out.fromEdge = true;
        out.edge = std::move(edge);
        return true;
    }
    if (face && centreOf(*face, worldPoint, centre, axis) && finite(centre) && finite(axis)) {
        out = Circle();
        out.centre = centre;
        out.axis = axis;
        out.face = *face;
        return true;
    }
    return false;
}

} // namespace FeatureGeo
} // namespace Vantor
