#pragma once

// The features a tool picks on a model, in world coordinates. A face or an edge carries its analytic
// form when the model has one (exact results) and always its mesh (the fallback). Shared by the
// measures and the pivot of the draggers.

#include <osg/Matrixd>
#include <osg/Vec3d>

#include <vector>

namespace osg {
class Drawable;
class Node;
}

namespace Vantor {
namespace FeatureGeo {

struct Face
{
    enum Type { Mesh, Plane, Cylinder, Cone, Sphere, Torus, Revolution };
    Type type = Mesh;
    osg::Vec3d origin, normal;         // plane
    osg::Vec3d axisPoint, axisDir;     // cylinder, cone, sphere, torus: centre line
    double radius = 0.0;
    std::vector<osg::Vec3d> triangles; // three corners each
    unsigned long long id = 0;
    const void* owner = nullptr;       // the drawable, to tell picks of one face apart
};

struct Edge
{
    enum Type { Polyline, Line, Ellipse };
    Type type = Polyline;
    osg::Vec3d start, end;                 // line; also the ends of an arc
    osg::Vec3d center, normal, xDir, yDir; // ellipse: plane and axes
    double major = 0.0, minor = 0.0;
    std::vector<osg::Vec3d> points;        // the drawn polyline
    unsigned long long id = 0;
};

// A whole body's triangles, for the volume.
struct Solid
{
    std::vector<osg::Vec3d> triangles;
};

// Analytic forms are read from the data the model reader keeps; `toWorld` places them.
bool faceFromDrawable(const osg::Drawable* drawable, unsigned int triangle, const osg::Matrixd& toWorld, Face& out);
bool edgeNearPoint(const osg::Node* body, const osg::Matrixd& toWorld, const osg::Vec3d& worldPoint, double maxDistance,
                   Edge& out);
bool solidFromBody(const osg::Node* body, const osg::Matrixd& toWorld, Solid& out);

osg::Vec3d closestOnSegment(const osg::Vec3d& p, const osg::Vec3d& a, const osg::Vec3d& b);

// Least-squares circle through points (a polyline of a circle or an arc, in any order): centre, unit
// normal of its plane and radius. False for fewer than three distinct points, points on a line, points
// off one plane or off one circle; nothing returned is then touched, and what is returned is finite.
bool fitCircle(const std::vector<osg::Vec3d>& points, osg::Vec3d& centre, osg::Vec3d& normal, double& radius);

// Centre and axis of a circle, an arc (analytic, or a polyline fitted) or a cylinder, cone or sphere.
bool centreOf(const Edge& edge, osg::Vec3d& centre, osg::Vec3d& axis);
bool centreOf(const Face& face, const osg::Vec3d& near, osg::Vec3d& centre, osg::Vec3d& axis);

// A circle picked at a point of a body: a round edge within `tolerance` of the point, else the round face
// the point lies on (its axis level with the point). `face` is the picked face, when there is one.
struct Circle
{
    osg::Vec3d centre, axis;
    bool fromEdge = false;
    Edge edge;
    Face face;
};
bool circleAt(const osg::Node* body, const Face* face, const osg::Matrixd& toWorld, const osg::Vec3d& worldPoint,
              double tolerance, Circle& out);

} // namespace FeatureGeo
} // namespace Vantor
