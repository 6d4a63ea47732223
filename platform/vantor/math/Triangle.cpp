#include "vantor/math/Triangle.h"

#include <cmath>
#include <limits>

namespace Vantor {

osg::Vec3d closestOnTriangle(const osg::Vec3d& p, const osg::Vec3d& a, const osg::Vec3d& b, const osg::Vec3d& c)
{
    const osg::Vec3d ab = b - a, ac = c - a, ap = p - a;
    const double d1 = ab * ap, d2 = ac * ap;
    if (d1 <= 0 && d2 <= 0)
        return a;
    const osg::Vec3d bp = p - b;
    const double d3 = ab * bp, d4 = ac * bp;
    if (d3 >= 0 && d4 <= d3)
        return b;
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0)
        return a + ab * (d1 / (d1 - d3));
    const osg::Vec3d cp = p - c;
    const double d5 = ab * cp, d6 = ac * cp;
    if (d6 >= 0 && d5 <= d6)
        return c;
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0)
        return a + ac * (d2 / (d2 - d6));
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0)
        return b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)));
    const double denom = va + vb + vc;
    if (!(std::fabs(denom) >= std::numeric_limits<double>::min()))
        return a; // degenerate, or not a number
    const double v = vb / denom, w = vc / denom;
    return a + ab * v + ac * w;
}

} // namespace Vantor
