#pragma once

#include <osg/Vec3d>

namespace Vantor {

// The point of triangle abc closest to p (by the Voronoi regions of its corners and edges); a
// degenerate triangle gives a.
osg::Vec3d closestOnTriangle(const osg::Vec3d& p, const osg::Vec3d& a, const osg::Vec3d& b, const osg::Vec3d& c);

} // namespace Vantor
