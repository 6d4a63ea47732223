#pragma once

// The analytic forms of a model's faces and edges, as the tools read them. A model reader that knows
// them attaches to each face drawable an object that answers FaceFeatures, and to each body one that
// answers EdgeFeatures; a model made otherwise has none, and the tools fall back to its mesh.
// Everything here is in the body's own frame.

#include "vantor/feature/FeatureGeometry.h"

#include <osg/Array>
#include <osg/PrimitiveSet>
#include <osg/Vec3d>

#include <cstddef>

namespace osg {
class Object;
}

namespace Vantor {
namespace FeatureGeo {

struct FaceForm
{
    Face::Type type = Face::Mesh;
    osg::Vec3d origin, normal;     // plane
    osg::Vec3d axisPoint, axisDir; // cylinder, cone, sphere, torus, revolution
    double radius = 0.0;
};

// One face of a drawable: a range of the drawable's one triangle list.
struct FaceRange
{
    unsigned long long id = 0;
    std::size_t first = 0; // the first of its indices in the triangle list
    std::size_t count = 0;
    FaceForm form;
};

class FaceFeatures
{
public:
    virtual ~FaceFeatures() = default;
    // The face whose range holds `index` (an index into the triangle list).
    virtual bool faceHolding(std::size_t index, FaceRange& out) const = 0;
};

struct EdgeForm
{
    Edge::Type type = Edge::Polyline;
    osg::Vec3d start, end;                 // line; also the ends of an arc
    osg::Vec3d center, normal, xDir, yDir; // ellipse
    double major = 0.0, minor = 0.0;
};

class EdgeFeatures
{
public:
    virtual ~EdgeFeatures() = default;
    // The points the edges index.
    virtual const osg::Vec3Array* edgePoints() const = 0;
    virtual std::size_t edgeCount() const = 0;
    virtual unsigned long long edgeId(std::size_t edge) const = 0;
    // A line strip over the points.
    virtual const osg::DrawElementsUInt* edgeIndices(std::size_t edge) const = 0;
    virtual EdgeForm edgeForm(std::size_t edge) const = 0;
};

// What the reader attached to a face drawable, or to a body; null when nothing was.
const FaceFeatures* faceFeaturesOf(const osg::Object* drawable);
const EdgeFeatures* edgeFeaturesOf(const osg::Object* body);

} // namespace FeatureGeo
} // namespace Vantor
