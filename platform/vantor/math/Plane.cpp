#include "vantor/math/Plane.h"

#include <cmath>
#include <limits>

namespace Vantor {

Plane Plane::MakeFromNormalAndPoint(const osg::Vec3d& normal, const osg::Vec3d& point)
{
    Plane plane;
    const double length = normal.length();
    if (!(length > 0.0) || !std::isfinite(length))
        return plane;
    plane.m_normal = normal / length;
    plane.m_d = -(plane.m_normal * point);
    plane.m_valid = std::isfinite(plane.m_d);
    return plane;
}

double Plane::distance(const osg::Vec3d& point) const { return m_valid ? m_normal * point + m_d : 0.0; }

osg::Vec3d Plane::project(const osg::Vec3d& point) const
{
    return m_valid ? point - m_normal * distance(point) : point;
}

osg::Vec3d Plane::GetInsectPointIgnoreDirection(const osg::Vec3d& a, const osg::Vec3d& b, bool* met) const
{
    const osg::Vec3d direction = b - a;
    const double along = m_valid ? m_normal * direction : 0.0;
    // Relative test: a line that gains less than one part in 1e12 of its length towards the plane is parallel.
    if (!m_valid || !(std::fabs(along) > direction.length() * 1e-12)) {
        if (met)
            *met = false;
        return project(a);
    }
    const double t = -distance(a) / along;
    const osg::Vec3d result = a + direction * t;
    const bool finite = std::isfinite(result.x()) && std::isfinite(result.y()) && std::isfinite(result.z());
    if (met)
        *met = finite;
    return finite ? result : project(a);
}

} // namespace Vantor
