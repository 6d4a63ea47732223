#include "vantor/command/SelectFilter.h"

#include "vantor/command/OsgHelper.h"

#include <cstring>

namespace Vantor {

namespace {

bool isOneOf(const char* name, std::initializer_list<const char*> names)
{
    for (const char* n : names) {
        if (std::strcmp(name, n) == 0)
            return true;
    }
    return false;
}

osg::Node* innermost(const osg::NodePath& path, std::initializer_list<const char*> classNames)
{
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        if (*it && isOneOf((*it)->className(), classNames))
            return *it;
    }
    return nullptr;
}

// An intersection computed below a scene node knows only the transforms from that node down;
// the clip planes are in world coordinates, so the transforms above it count as well.
osg::Vec3d worldPoint(const SelectFilter::Intersection& intersection)
{
    osg::Vec3d point = intersection.getWorldIntersectPoint();
    if (intersection.nodePath.empty())
        return point;
    osg::NodePath above = OsgHelper::computeNodePath(intersection.nodePath.front());
    above.pop_back();
    if (!above.empty())
        point = point * osg::computeLocalToWorld(above);
    return point;
}

} // namespace

SelectFilter::SelectFilter() = default;
SelectFilter::~SelectFilter() = default;

void SelectFilter::setClipedNodes(const ObserverNodeList& nodes)
{
    m_clipped.clear();
    for (const auto& node : nodes) {
        if (node.valid())
            m_clipped.insert(node.get());
    }
}

bool SelectFilter::isCliped(const Intersection& intersection) const
{
    if (m_planes.empty())
        return false;
    if (!m_clipped.empty()) {
        bool underClipped = false;
        for (const osg::Node* node : intersection.nodePath) {
            if (m_clipped.count(node)) {
                underClipped = true;
                break;
            }
        }
        if (!underClipped)
            return false;
    }
    const osg::Vec3d point = worldPoint(intersection);
    for (const osg::Plane& plane : m_planes) {
        if (plane.valid() && plane.distance(point) < 0.0)
            return true;
    }
    return false;
}

bool SelectFilter::isClipedInView(const Intersection& intersection, osg::ref_ptr<osgViewer::View>)
{
    return isCliped(intersection);
}

osg::Node* SelectFilter::getSelectShape()
{
    m_selected = nullptr;
    // The sets are ordered nearest first.
    for (const Intersection& hit : m_topShowIntersections) {
        if (isCliped(hit))
            continue;
        if (osg::Node* node = innermost(hit.nodePath, {"PointNote", "Note", "3DNote", "Measure", "PMI"})) {
            m_selected = &hit;
            return node;
        }
    }
    for (const Intersection& hit : m_modelIntersections) {
        if (isCliped(hit))
            continue;
        if (osg::Node* node = innermost(hit.nodePath, {"PMI", "Model"})) {
            m_selected = &hit;
            return node;
        }
    }
    return nullptr;
}

} // namespace Vantor
