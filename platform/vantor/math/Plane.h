#pragma once

#include <osg/Vec3d>

namespace Vantor {

// An infinite plane n·p + d = 0 in double precision, with a unit normal. A plane made from a
// zero-length normal is invalid: it has no normal and meets no line.
class Plane
{
public:
    Plane() = default;

    static Plane MakeFromNormalAndPoint(const osg::Vec3d& normal, const osg::Vec3d& point);

    bool isValid() const { return m_valid; }
    const osg::Vec3d& getNormal() const { return m_normal; }
    double getD() const { return m_d; }
    // Signed distance along the normal; 0 for an invalid plane.
    double distance(const osg::Vec3d& point) const;
    // The point of the plane nearest to the given one; the point itself for an invalid plane.
    osg::Vec3d project(const osg::Vec3d& point) const;

    // Where the infinite line through a and b meets the plane, behind a or beyond b as well.
    // When the line is parallel to the plane (or a == b, or the plane is invalid) there is no such
    // point: the result is project(a) and *met, when given, becomes false.
    osg::Vec3d GetInsectPointIgnoreDirection(const osg::Vec3d& a, const osg::Vec3d& b, bool* met = nullptr) const;

private:
    osg::Vec3d m_normal;
    double m_d = 0.0;
    bool m_valid = false;
};

} // namespace Vantor
