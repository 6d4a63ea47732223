#pragma once

// What every tool asks of a drawable's primitives: which of them are faces, and their triangles.

#include <osg/GL>

#include <vector>

namespace osg {
class Geometry;
class PrimitiveSet;
}

namespace Vantor {

// Triangles, strips, fans, quads and polygons are faces; points and lines are not.
bool isFaceMode(GLenum mode);
// A geometry with at least one face primitive set.
bool isFaceGeometry(const osg::Geometry& geometry);

// The triangles of a primitive set or of a whole geometry, three indices each (strips, fans, quads
// and polygons split), each index plus `base`, appended to `out`. Lines and points add nothing.
void appendTriangles(const osg::PrimitiveSet& primitives, std::vector<unsigned int>& out, unsigned int base = 0);
void appendTriangles(const osg::Geometry& geometry, std::vector<unsigned int>& out, unsigned int base = 0);

} // namespace Vantor
