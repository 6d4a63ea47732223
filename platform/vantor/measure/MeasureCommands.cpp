#include "vantor/measure/MeasureCommands.h"

#include "vantor/util/StrUtil.h"

#include <QtGlobal>

namespace Vantor {

using namespace MeasureGeo;

namespace {

Result refuse(const std::string& why)
{
    Result r;
    r.error = why;
    return r;
}

// The centre and axis of a circle pick, from its edge or its round face.
bool centre(const MeasureCommand::Picked& p, osg::Vec3d& c, osg::Vec3d& axis)
{
    return p.isEdge ? centreOf(p.edge, c, axis) : centreOf(p.face, p.point, c, axis);
}

} // namespace

PntToPntDistanceCommand::PntToPntDistanceCommand()
    : MeasureCommand("PntToPntDistanceCommand", {PickPoint, PickPoint}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "点点距离"))
{
}
Result PntToPntDistanceCommand::compute(const std::vector<Picked>& p) { return pointToPoint(p[0].point, p[1].point); }

PntToLineDistanceCommand::PntToLineDistanceCommand()
    : MeasureCommand("PntToLineDistanceCommand", {PickPoint, PickEdge}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "点线距离"))
{
}
Result PntToLineDistanceCommand::compute(const std::vector<Picked>& p) { return pointToLine(p[0].point, p[1].edge); }

PntToFaceDistanceCommand::PntToFaceDistanceCommand()
    : MeasureCommand("PntToFaceDistanceCommand", {PickPoint, PickFace}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "点面距离"))
{
}
Result PntToFaceDistanceCommand::compute(const std::vector<Picked>& p) { return pointToFace(p[0].point, p[1].face); }

LineToLineDistanceCommand::LineToLineDistanceCommand()
    : MeasureCommand("LineToLineDistanceCommand", {PickEdge, PickEdge}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "线线距离"))
{
}
Result LineToLineDistanceCommand::compute(const std::vector<Picked>& p) { return lineToLine(p[0].edge, p[1].edge); }

LineToFaceDistanceCommand::LineToFaceDistanceCommand()
    : MeasureCommand("LineToFaceDistanceCommand", {PickEdge, PickFace}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "线面距离"))
{
}
Result LineToFaceDistanceCommand::compute(const std::vector<Picked>& p) { return lineToFace(p[0].edge, p[1].face); }

FaceToFaceDistanceCommand::FaceToFaceDistanceCommand()
    : MeasureCommand("FaceToFaceDistanceCommand", {PickFace, PickFace}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "面面距离"))
{
}
Result FaceToFaceDistanceCommand::compute(const std::vector<Picked>& p) { return faceToFace(p[0].face, p[1].face); }

CenterToCenterDistanceCommand::CenterToCenterDistanceCommand()
    : MeasureCommand("CenterToCenterDistanceCommand", {PickCircle, PickCircle}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "圆心距"))
{
}
Result CenterToCenterDistanceCommand::compute(const std::vector<Picked>& p)
{
    osg::Vec3d c1, a1, c2, a2;
    if (!centre(p[0], c1, a1) || !centre(p[1], c2, a2))
        return refuse(StrUtil::translate("MeasureCommand", "请选择圆、圆弧或圆柱面"));
    return centreToCentre(c1, c2);
}

ShaftToShaftDistanceCommand::ShaftToShaftDistanceCommand()
    : MeasureCommand("ShaftToShaftDistanceCommand", {PickShaft, PickShaft}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "轴距"))
{
}
Result ShaftToShaftDistanceCommand::compute(const std::vector<Picked>& p)
{
    osg::Vec3d c1, a1, c2, a2;
    if (!centre(p[0], c1, a1) || !centre(p[1], c2, a2))
        return refuse(StrUtil::translate("MeasureCommand", "请选择圆柱面或圆边"));
    return axisToAxis(c1, a1, c2, a2);
}

LineToLineAngleCommand::LineToLineAngleCommand()
    : MeasureCommand("LineToLineAngleCommand", {PickEdge, PickEdge}, Angle, QT_TRANSLATE_NOOP("MeasureCommand", "线线角度"))
{
}
Result LineToLineAngleCommand::compute(const std::vector<Picked>& p) { return lineLineAngle(p[0].edge, p[1].edge); }

FaceToFaceAngleCommand::FaceToFaceAngleCommand()
    : MeasureCommand("FaceToFaceAngleCommand", {PickFace, PickFace}, Angle, QT_TRANSLATE_NOOP("MeasureCommand", "面面角度"))
{
}
Result FaceToFaceAngleCommand::compute(const std::vector<Picked>& p) { return faceFaceAngle(p[0].face, p[1].face); }

LineToFaceAngleCommand::LineToFaceAngleCommand()
    : MeasureCommand("LineToFaceAngleCommand", {PickEdge, PickFace}, Angle, QT_TRANSLATE_NOOP("MeasureCommand", "线面角度"))
{
}
Result LineToFaceAngleCommand::compute(const std::vector<Picked>& p) { return lineFaceAngle(p[0].edge, p[1].face); }

LineDistanceCommand::LineDistanceCommand() : MeasureCommand("LineDistanceCommand", {PickEdge}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "边长")) {}
Result LineDistanceCommand::compute(const std::vector<Picked>& p) { return edgeLength(p[0].edge); }

EllipseDistanceCommand::EllipseDistanceCommand() : MeasureCommand("EllipseDistanceCommand", {PickEdge}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "弧长"))
{
}
Result EllipseDistanceCommand::compute(const std::vector<Picked>& p)
{
    osg::Vec3d c, a;
    if (p[0].edge.type != Edge::Ellipse && !centreOf(p[0].edge, c, a))
        return refuse(StrUtil::translate("MeasureCommand", "请选择圆、椭圆或圆弧边线"));
    return edgeLength(p[0].edge);
}

RadiusDistanceCommand::RadiusDistanceCommand() : MeasureCommand("RadiusDistanceCommand", {PickCircle}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "半径")) {}
Result RadiusDistanceCommand::compute(const std::vector<Picked>& p)
{
    return p[0].isEdge ? radiusOf(p[0].edge) : radiusOf(p[0].face);
}

DiameterDistanceCommand::DiameterDistanceCommand()
    : MeasureCommand("DiameterDistanceCommand", {PickCircle}, Length, QT_TRANSLATE_NOOP("MeasureCommand", "直径"))
{
}
Result DiameterDistanceCommand::compute(const std::vector<Picked>& p)
{
    Result r = p[0].isEdge ? radiusOf(p[0].edge) : radiusOf(p[0].face);
    if (r.ok) {
        // Drawn across the circle, rim to rim.
        r.value *= 2.0;
        r.points = {r.points[0] * 2.0 - r.points[1], r.points[1]};
    }
    return r;
}

SurfaceAreaCommand::SurfaceAreaCommand() : MeasureCommand("SurfaceAreaCommand", {PickFace}, Area, QT_TRANSLATE_NOOP("MeasureCommand", "面积")) {}
Result SurfaceAreaCommand::compute(const std::vector<Picked>& picks)
{
    Result r;
    for (const Picked& p : picks) {
        r.value += area(p.face.triangles);
    }
    // The label stands where the first face was picked.
    if (!picks.empty())
        r.points = {picks.front().point};
    r.ok = !picks.empty();
    return r;
}

VolumeCommand::VolumeCommand() : MeasureCommand("VolumeCommand", {PickBody}, Volume, QT_TRANSLATE_NOOP("MeasureCommand", "体积")) {}

bool VolumeCommand::accept(const Picked& pick, std::string& why)
{
    double v = 0;
    if (!volume(pick.face.triangles, v)) {
        why = StrUtil::translate("MeasureCommand", "所选实体不封闭，无法计算体积");
        return false;
    }
    return MeasureCommand::accept(pick, why);
}

Result VolumeCommand::compute(const std::vector<Picked>& picks)
{
    Result r;
    for (const Picked& p : picks) {
        double v = 0;
        if (!volume(p.face.triangles, v))
            return refuse(StrUtil::translate("MeasureCommand", "所选实体不封闭，无法计算体积"));
        r.value += v;
    }
    if (!picks.empty())
        r.points = {picks.front().point};
    r.ok = !picks.empty();
    return r;
}

} // namespace Vantor
