#pragma once

// The measuring itself, on the features picked on a model (FeatureGeometry.h), in world coordinates.

#include "vantor/feature/FeatureGeometry.h"
#include "vantor/math/Triangle.h"

#include <osg/Matrixd>
#include <osg/Vec3d>

#include <string>
#include <vector>

namespace Vantor {
namespace MeasureGeo {

using FeatureGeo::Edge;
using FeatureGeo::Face;
using FeatureGeo::Solid;

// The result of one measure: its value, the points its dimension is drawn through and the text.
struct Result
{
    bool ok = false;
    double value = 0.0;
    std::vector<osg::Vec3d> points;
    std::string error; // why there is no value (UTF-8)
};

// Picking and circle fitting are shared with the other tools.
using FeatureGeo::centreOf;
using FeatureGeo::closestOnSegment;
using FeatureGeo::edgeNearPoint;
using FeatureGeo::faceFromDrawable;
using FeatureGeo::solidFromBody;

// Least-squares plane of a mesh face (area weighted normal, centroid).
bool fitPlane(const std::vector<osg::Vec3d>& triangles, osg::Vec3d& origin, osg::Vec3d& normal);
using Vantor::closestOnTriangle;
// Closest points of two segments.
void closestSegmentSegment(const osg::Vec3d& p1, const osg::Vec3d& q1, const osg::Vec3d& p2, const osg::Vec3d& q2,
                           osg::Vec3d& c1, osg::Vec3d& c2);

// Direction of a straight edge (line or straight polyline); false for a curve.
bool edgeDirection(const Edge& edge, osg::Vec3d& dir);
// Normal of a flat face (plane or fitted plane of its mesh).
bool faceNormal(const Face& face, osg::Vec3d& origin, osg::Vec3d& normal);

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
