#pragma once

#include <osg/Plane>
#include <osg/Referenced>
#include <osg/observer_ptr>
#include <osg/ref_ptr>
#include <osgUtil/LineSegmentIntersector>
#include <osgViewer/View>

#include <list>
#include <set>
#include <vector>

namespace Vantor {

// Nodes as the section manager hands them out.
using ObserverNodeList = std::list<osg::observer_ptr<osg::Node>>;

// Decides which ray hit a pick takes: the caller fills the two intersection sets (model scene and
// annotations drawn on top) and asks getSelectShape(). Hits cut away by an open section plane do not
// count: a hit is cut away when it lies on the back side of an open clip plane and its node path runs
// through one of the clipped models (any model when no clipped models are given).
class SelectFilter : public osg::Referenced
{
public:
    using Intersection = osgUtil::LineSegmentIntersector::Intersection;
    using Intersections = osgUtil::LineSegmentIntersector::Intersections;

    SelectFilter();

    void setOpenClips(const std::vector<osg::Plane>& planes) { m_planes = planes; }
    const std::vector<osg::Plane>& getOpenClips() const { return m_planes; }
    void setClipedNodes(const ObserverNodeList& nodes);
    void clearClipedNodes() { m_clipped.clear(); }

    Intersections& getModelIntersections() { return m_modelIntersections; }
    Intersections& getTopShowIntersections() { return m_topShowIntersections; }

    // The node the pick takes: the nearest annotation hit that is not cut away (the innermost node of
    // class "PointNote", "Note", "3DNote", "Measure" or "PMI" on its path), else the nearest model hit
    // that is not cut away (the innermost "PMI" or "Model" on its path). Null when nothing qualifies.
    osg::Node* getSelectShape();
    // The intersection that getSelectShape() took its node from (null when none).
    const Intersection* getSelectIntersection() const { return m_selected; }

    bool isCliped(const Intersection& intersection) const;
    // Filters may bring the clip state of the view first; this one only asks isCliped.
    virtual bool isClipedInView(const Intersection& intersection, osg::ref_ptr<osgViewer::View> view);

protected:
    ~SelectFilter() override;

    std::vector<osg::Plane> m_planes;
    std::set<const osg::Node*> m_clipped;
    Intersections m_modelIntersections;
    Intersections m_topShowIntersections;
    const Intersection* m_selected = nullptr;
};

} // namespace Vantor
