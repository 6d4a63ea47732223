#include "vantor/align/AlignFeature.h"
#include "vantor/feature/FeatureGeometry.h"
#include "vantor/util/StrUtil.h"

#include <osg/Geode>
#include <osg/Geometry>
#include <osg/Quat>
#include <osgUtil/LineSegmentIntersector>

#include <cmath>
#include <limits>

namespace Vantor {

namespace {

bool finite(const osg::Vec3d& v) { return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z()); }

bool finite(const osg::Matrixd& m)
{
    for (int i = 0; i < 16; ++i) {
        if (!std::isfinite(m.ptr()[i]))
            return false;
    }
    return true;
}

bool isModelNode(const osg::Node* node) { return node && std::string(node->className()) == "Model"; }

osg::Node* topModelBelow(osg::Node* start)
{
    std::vector<osg::Node*> queue{start};
    for (std::size_t i = 0; i < queue.size(); ++i) {
        if (isModelNode(queue[i]))
            return queue[i];
        if (osg::Group* group = queue[i]->asGroup())
            for (unsigned int c = 0; c < group->getNumChildren(); ++c)
                queue.push_back(group->getChild(c));
    }
    return nullptr;
}

osg::NodePath pathTo(osg::Node* node)
{
    osg::NodePathList paths = node->getParentalNodePaths();
    return paths.empty() ? osg::NodePath{node} : paths.front();
}

// Pixels per world unit at a point.
double pixelsPerUnit(osgViewer::View* view, const osg::Vec3d& point)
{
    osg::Camera* camera = view->getCamera();
    if (!camera || !camera->getViewport())
        return 0.0;
    const osg::Matrixd vpw = camera->getViewMatrix() * camera->getProjectionMatrix() * camera->getViewport()->computeWindowMatrix();
    osg::Matrixd inverseView;
    if (!inverseView.invert(camera->getViewMatrix()))
        return 0.0;
    const osg::Vec3d right = osg::Matrixd::transform3x3(osg::Vec3d(1, 0, 0), inverseView);
    const osg::Vec3d a = point * vpw, b = (point + right) * vpw;
    const double d = std::hypot(b.x() - a.x(), b.y() - a.y());
    return std::isfinite(d) ? d : 0.0;
}

using Vantor::FeatureGeo::closestOnSegment;

} // namespace

bool pickAlignFeature(osgViewer::View* view, const osgGA::GUIEventAdapter& ea, AlignFeature::Kind kind,
                      AlignFeature& feature)
{
    if (!view || !view->getSceneData() || !view->getCamera())
        return false;
    osg::Node* top = topModelBelow(view->getSceneData());
    if (!top)
        return false;
    const osg::NodePath rootPath = pathTo(top);
    osgUtil::LineSegmentIntersector::Intersections hits;
    if (!view->computeIntersections(view->getCamera(), osgUtil::Intersector::PROJECTION, ea.getXnormalized(),
                                    ea.getYnormalized(), rootPath, hits) || hits.empty())
        return false;
    const auto& hit = *hits.begin();
    const osg::NodePath above(rootPath.begin(), rootPath.end() - 1);
    const osg::Matrixd rootToWorld = osg::computeLocalToWorld(above);
    const osg::Matrixd toWorld = (hit.matrix.valid() ? *hit.matrix : osg::Matrixd()) * rootToWorld;

    feature = AlignFeature();
    feature.kind = kind;
    for (auto it = hit.nodePath.rbegin(); it != hit.nodePath.rend(); ++it) {
        if (isModelNode(*it)) {
            feature.model = static_cast<osg::MatrixTransform*>(*it);
            break;
        }
    }
    if (!feature.model.valid())
        return false;
    feature.point = hit.getWorldIntersectPoint() * rootToWorld;

    const osg::Geometry* geometry = hit.drawable.valid() ? hit.drawable->asGeometry() : nullptr;
    const auto* vertices = geometry ? dynamic_cast<const osg::Vec3Array*>(geometry->getVertexArray()) : nullptr;
    std::vector<osg::Vec3d> corners;
    if (vertices) {
        for (unsigned int index : hit.indexList) {
            if (index < vertices->size())
                corners.push_back(osg::Vec3d((*vertices)[index]) * toWorld);
        }
    }

    if (kind == AlignFeature::Point) {
        const double ppu = pixelsPerUnit(view, feature.point);
        double best = ppu > 0.0 ? 8.0 / ppu : 0.0;
        const osg::Vec3d hitPoint = feature.point;
        for (const osg::Vec3d& corner : corners) {
            const double d = (corner - hitPoint).length();
            if (d < best) {
                best = d;
                feature.point = corner;
            }
        }
        return true;
    }

    if (kind == AlignFeature::Face) {
        // The winding normal of the hit triangle (outward on a closed part), carried to world.
        osg::Vec3d normal = osg::Matrixd::transform3x3(osg::Matrixd::inverse(toWorld), osg::Vec3d(hit.getLocalIntersectNormal()));
        if (normal.normalize() <= 0.0 || !finite(normal))
            return false;
        feature.direction = normal;
        // Flat where picked: the smooth normals at the triangle's corners agree with its plane.
        const auto* normals = geometry ? dynamic_cast<const osg::Vec3Array*>(geometry->getNormalArray()) : nullptr;
        if (normals && geometry->getNormalBinding() == osg::Geometry::BIND_PER_VERTEX) {
            for (unsigned int index : hit.indexList) {
                if (index >= normals->size())
                    continue;
                osg::Vec3d n = osg::Matrixd::transform3x3(osg::Matrixd::inverse(toWorld), osg::Vec3d((*normals)[index]));
                if (n.normalize() > 0.0 && std::abs(n * normal) < 0.999)
                    feature.planar = false;
            }
        }
        return true;
    }

    // A line: the nearest drawn edge of the hit body, else the nearest side of the hit triangle.
    double best = std::numeric_limits<double>::max();
    osg::Vec3d bestA, bestB;
    auto consider = [&](const osg::Vec3d& a, const osg::Vec3d& b) {
        if ((b - a).length2() <= 0.0)
            return;
        const double d = (closestOnSegment(feature.point, a, b) - feature.point).length();
        if (d < best) {
            best = d;
            bestA = a;
            bestB = b;
        }
    };
    const osg::Geode* body = nullptr;
    for (auto it = hit.nodePath.rbegin(); it != hit.nodePath.rend() && !body; ++it)
        body = (*it)->asGeode();
    if (body) {
        for (unsigned int d = 0; d < body->getNumDrawables(); ++d) {
            const osg::Geometry* g = body->getDrawable(d)->asGeometry();
            const auto* v = g ? dynamic_cast<const osg::Vec3Array*>(g->getVertexArray()) : nullptr;
            if (!v)
                continue;
            for (unsigned int p = 0; p < g->getNumPrimitiveSets(); ++p) {
                const osg::PrimitiveSet* set = g->getPrimitiveSet(p);
                if (set->getMode() != GL_LINES)
                    continue;
                for (unsigned int i = 0; i + 1 < set->getNumIndices(); i += 2) {
                    const unsigned int i0 = set->index(i), i1 = set->index(i + 1);
                    if (i0 < v->size() && i1 < v->size())
                        consider(osg::Vec3d((*v)[i0]) * toWorld, osg::Vec3d((*v)[i1]) * toWorld);
                }
            }
        }
    }
    if (best == std::numeric_limits<double>::max()) {
        for (std::size_t i = 0; i < corners.size(); ++i)
            consider(corners[i], corners[(i + 1) % corners.size()]);
    }
    if (best == std::numeric_limits<double>::max())
        return false;
    feature.point = closestOnSegment(feature.point, bestA, bestB);
    feature.direction = bestB - bestA;
    feature.direction.normalize();
    return true;
}

bool computeAlignment(const AlignFeature& moving, const AlignFeature& fixed, osg::Matrixd& worldMotion,
                      std::string& refusal)
{
    if (!finite(moving.point) || !finite(fixed.point) || !finite(moving.direction) || !finite(fixed.direction)) {
        refusal = StrUtil::translate("AlignmentCommand", "所选特征无效，无法对齐");
        return false;
    }
    osg::Quat turn;
    osg::Vec3d movedPoint = moving.point;
    osg::Vec3d translation;
    const osg::Vec3d dm = moving.direction, df = fixed.direction;
    const bool needDirections = moving.kind != AlignFeature::Point;
    if (needDirections && (dm.length2() < 1e-24 || df.length2() < 1e-24)) {
        refusal = StrUtil::translate("AlignmentCommand", "所选特征没有方向，无法对齐");
        return false;
    }
    osg::Vec3d um = dm, uf = df;
    um.normalize();
    uf.normalize();

    if (moving.kind == AlignFeature::Point && fixed.kind == AlignFeature::Point) {
        translation = fixed.point - moving.point;
    } else if (moving.kind == AlignFeature::Line && fixed.kind == AlignFeature::Line) {
        // The smaller turn: a line has no way round.
        turn.makeRotate(um, um * uf >= 0.0 ? uf : -uf);
        // The turned line passes through the moving point; slide it onto the fixed line.
        const osg::Vec3d toLine = moving.point - fixed.point;
        const osg::Vec3d onFixed = fixed.point + uf * (toLine * uf);
        translation = onFixed - moving.point;
    } else if (moving.kind == AlignFeature::Face && fixed.kind == AlignFeature::Face) {
        if (!moving.planar || !fixed.planar) {
            refusal = StrUtil::translate("AlignmentCommand", "所选的面不是平面，无法进行面面对齐");
            return false;
        }
        turn.makeRotate(um, -uf);
        translation = uf * ((fixed.point - moving.point) * uf);
    } else if (moving.kind == AlignFeature::Line && fixed.kind == AlignFeature::Face) {
        if (!fixed.planar) {
            refusal = StrUtil::translate("AlignmentCommand", "所选的面不是平面，无法进行线面对齐");
            return false;
        }
        osg::Vec3d inPlane = um - uf * (um * uf);
        if (inPlane.length() < 1e-6) {
            refusal = StrUtil::translate("AlignmentCommand", "所选直线垂直于所选平面，无法进行线面对齐");
            return false;
        }
        inPlane.normalize();
        turn.makeRotate(um, inPlane);
        translation = uf * ((fixed.point - moving.point) * uf);
    } else if (moving.kind == AlignFeature::Point && fixed.kind == AlignFeature::Face) {
        if (!fixed.planar) {
            refusal = StrUtil::translate("AlignmentCommand", "所选的面不是平面，无法将点对齐到面");
            return false;
        }
        translation = uf * ((fixed.point - moving.point) * uf);
    } else {
        refusal = StrUtil::translate("AlignmentCommand", "所选特征无法对齐");
        return false;
    }
    const osg::Matrixd motion = osg::Matrixd::translate(-movedPoint) * osg::Matrixd::rotate(turn) *
                                osg::Matrixd::translate(movedPoint) * osg::Matrixd::translate(translation);
    if (!finite(motion)) {
        refusal = StrUtil::translate("AlignmentCommand", "对齐结果无效");
        return false;
    }
    worldMotion = motion;
    return true;
}

} // namespace Vantor
