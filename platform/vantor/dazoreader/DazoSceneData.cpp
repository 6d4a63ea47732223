#include "vantor/dazoreader/DazoSceneData.h"

#include "dazo/Vantor_Geometry.h"

namespace Vantor {
namespace DazoData {

namespace {

osg::Vec3d vec(const VantorSoft::Vantor_PNT32& p) { return osg::Vec3d(p.x, p.y, p.z); }
osg::Vec3d vec(const VantorSoft::Vantor_DIR32& d) { return osg::Vec3d(d.x, d.y, d.z); }

FeatureGeo::FaceForm formOf(const VantorSoft::Vantor_Geometry* geometry)
{
    using namespace VantorSoft;
    using FeatureGeo::Face;
    FeatureGeo::FaceForm form;
    if (auto* plane = dynamic_cast<const Vantor_PlaneFace*>(geometry)) {
        form.type = Face::Plane;
        form.origin = vec(plane->GetOrigin());
        form.normal = vec(plane->GetNormal());
    } else if (auto* cyl = dynamic_cast<const Vantor_CylinderFace*>(geometry)) {
        form.type = Face::Cylinder;
        form.axisPoint = vec(cyl->GetAxisPosition());
        form.axisDir = vec(cyl->GetRevoAxis());
        form.radius = cyl->GetRadius();
    } else if (auto* cone = dynamic_cast<const Vantor_ConeFace*>(geometry)) {
        form.type = Face::Cone;
        form.axisPoint = vec(cone->GetAxisPosition());
        form.axisDir = vec(cone->GetRevoAxis());
        form.radius = cone->GetRadius();
    } else if (auto* sphere = dynamic_cast<const Vantor_SphereFace*>(geometry)) {
        form.type = Face::Sphere;
        form.axisPoint = vec(sphere->GetAxisPosition());
        form.axisDir = vec(sphere->GetRevoAxis());
        form.radius = sphere->GetRadius();
    } else if (auto* rev = dynamic_cast<const Vantor_RevolutionFace*>(geometry)) {
        form.type = dynamic_cast<const Vantor_ToroidalFace*>(rev) ? Face::Torus : Face::Revolution;
        form.axisPoint = vec(rev->GetAxisPosition());
        form.axisDir = vec(rev->GetRevoAxis());
        form.radius = rev->GetRadius();
    }
    return form;
}

} // namespace

bool FaceData::faceHolding(std::size_t index, FeatureGeo::FaceRange& out) const
{
    for (const Face& face : faces) {
        if (index < face.first || index >= face.first + face.count)
            continue;
        out.id = face.id;
        out.first = face.first;
        out.count = face.count;
        out.form = formOf(face.geometry.get());
        return true;
    }
    return false;
}

FeatureGeo::EdgeForm BodyData::edgeForm(std::size_t edge) const
{
    using namespace VantorSoft;
    FeatureGeo::EdgeForm form;
    const Vantor_Geometry* geometry = edges[edge].geometry.get();
    if (auto* line = dynamic_cast<const Vantor_GeoLine*>(geometry)) {
        form.type = FeatureGeo::Edge::Line;
        form.start = vec(line->GetStartPoint());
        form.end = vec(line->GetEndPoint());
    } else if (auto* ellipse = dynamic_cast<const Vantor_GeoEllipse*>(geometry)) {
        Vantor_DIR32 x, y, z;
        ellipse->GetXYZDir(x, y, z);
        form.type = FeatureGeo::Edge::Ellipse;
        form.center = vec(ellipse->GetCenterPoint());
        form.xDir = vec(x);
        form.yDir = vec(y);
        form.normal = vec(z);
        form.major = ellipse->GetMajorRadius();
        form.minor = ellipse->GetMinorRadius();
        form.start = vec(ellipse->GetStartPoint());
        form.end = vec(ellipse->GetEndPoint());
    }
    return form;
}

} // namespace DazoData
} // namespace Vantor
