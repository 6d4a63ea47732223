#pragma once

// The geometry a measure works on, in world coordinates, and the measuring itself. A face or an edge
// carries its analytic form when the model has one (exact results) and always its mesh (the fallback).

#include <osg/Matrixd>
#include <osg/Vec3d>

#include <string>
#include <vector>

namespace osg {
class Drawable;
class Node;
}

namespace Vantor {
namespace MeasureGeo {

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

// The result of one measure: its value, the points its dimension is drawn through and the text.
struct Result
{
    bool ok = false;
    double value = 0.0;
    std::vector<osg::Vec3d> points;
    std::string error; // why there is no value (UTF-8)
};

// Analytic forms are read from the data the model reader keeps; `toWorld` places them.
bool faceFromDrawable(const osg::Drawable* drawable, unsigned int triangle, const osg::Matrixd& toWorld, Face& out);
bool edgeNearPoint(const osg::Node* body, const osg::Matrixd& toWorld, const osg::Vec3d& worldPoint, double maxDistance,
                   Edge& out);
bool solidFromBody(const osg::Node* body, const osg::Matrixd& toWorld, Solid& out);

// Least-squares plane of a mesh face (area weighted normal, centroid).
bool fitPlane(const std::vector<osg::Vec3d>& triangles, osg::Vec3d& origin, osg::Vec3d& normal);
osg::Vec3d closestOnSegment(const osg::Vec3d& p, const osg::Vec3d& a, const osg::Vec3d& b);
osg::Vec3d closestOnTriangle(const osg::Vec3d& p, const osg::Vec3d& a, const osg::Vec3d& b, const osg::Vec3d& c);
// Closest points of two segments.
void closestSegmentSegment(const osg::Vec3d& p1, const osg::Vec3d& q1, const osg::Vec3d& p2, const osg::Vec3d& q2,
                           osg::Vec3d& c1, osg::Vec3d& c2);

// Direction of a straight edge (line or straight polyline); false for a curve.
bool edgeDirection(const Edge& edge, osg::Vec3d& dir);
// Normal of a flat face (plane or fitted plane of its mesh).
bool faceNormal(const Face& face, osg::Vec3d& origin, osg::Vec3d& normal);
// Centre and axis of a circle, an arc or a cylinder, cone or sphere.
bool centreOf(const Edge& edge, osg::Vec3d& centre, osg::Vec3d& axis);
bool centreOf(const Face& face, const osg::Vec3d& near, osg::Vec3d& centre, osg::Vec3d& axis);

Result pointToPoint(const osg::Vec3d& a, const osg::Vec3d& b);
Result pointToLine(const osg::Vec3d& p, const Edge& edge);
Result pointToFace(const osg::Vec3d& p, const Face& face);
Result lineToLine(const Edge& a, const Edge& b);
Result lineToFace(const Edge& e, const Face& f);
Result faceToFace(const Face& a, const Face& b);
Result centreToCentre(const osg::Vec3d& c1, const osg::Vec3d& c2);
// Distance between two axes (points and directions).
Result axisToAxis(const osg::Vec3d& p1, const osg::Vec3d& d1, const osg::Vec3d& p2, const osg::Vec3d& d2);
// Angles in degrees, 0 to 90.
Result lineLineAngle(const Edge& a, const Edge& b);
Result faceFaceAngle(const Face& a, const Face& b);
Result lineFaceAngle(const Edge& e, const Face& f);
Result edgeLength(const Edge& e);
Result radiusOf(const Edge& e);
Result radiusOf(const Face& f);
double area(const std::vector<osg::Vec3d>& triangles);
// The enclosed volume; false (with no value) when the triangles do not close.
bool volume(const std::vector<osg::Vec3d>& triangles, double& value);

} // namespace MeasureGeo
} // namespace Vantor
