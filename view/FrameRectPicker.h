#pragma once

#include "vantor/command/NodePtrList.h"
#include "vantor/command/SelectFilter.h"

#include <osg/Camera>
#include <osg/Geometry>
#include <osg/Plane>
#include <osg/observer_ptr>
#include <osgGA/GUIEventHandler>
#include <osgUtil/PolytopeIntersector>

#include <set>
#include <string>
#include <vector>

namespace osgViewer {
class View;
}

// The Ctrl+left-drag selection rectangle. The picking handler hands it the press, drag and release
// and the Ctrl key release, gives it the section state before the release and then collects the
// picked nodes. The rectangle is a dashed yellow line loop on a head-up camera kept in the scene's
// temporary-node manager. On release it queries the model scene and the annotations drawn on top with
// the rectangle's polytope, restricted to the open side of every open clip plane.
//
// Drawn from its upper left to its lower right corner ("window" rectangle) the query keeps one hit per
// drawable; drawn any other way it keeps every primitive the rectangle touches. Either way each node
// is listed once, so the choice only changes which node comes first.
class FrameRectPicker : public osgGA::GUIEventHandler
{
public:
    FrameRectPicker();

    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;
    using osgGA::GUIEventHandler::handle;

    // The models the open sections clip; replaces the previous set.
    void setClipedModels(const Vantor::ObserverNodeList& models);
    // The open clip planes (points with a*x + b*y + c*z + d >= 0 stay visible), in world coordinates.
    void setClipPlanes(const std::vector<osg::Plane>& planes) { m_clipPlanes = planes; }
    const std::vector<osg::Plane>& getClipPlanes() const { return m_clipPlanes; }
    const std::set<const osg::Node*>& getClipedModels() const { return m_clipedModels; }
    void setMultiSelection(bool on) { m_multiSelection = on; }
    bool getMultiSelection() const { return m_multiSelection; }
    bool isDragging() const { return m_dragging; }

    // The notes and measures, then the models and PMI inside the last released rectangle, each once
    // (only the first one without multi-selection). Releases the query's results: a second call gives
    // an empty list.
    NodePtrList getPickedNodes();

    // Shows or hides the rectangle; with a view, first makes sure its camera is in the view's scene.
    void show(osgViewer::View* view, bool visible);

    static const char* const TipName;
    osg::Camera* getHudCamera() const { return m_hudCamera.get(); }
    osg::Geometry* getRectangle() const { return m_rectangleGeometry.get(); }
    osgUtil::PolytopeIntersector* getModelIntersector() const { return m_modelIntersector.get(); }
    osgUtil::PolytopeIntersector* getAnnotationIntersector() const { return m_annotationIntersector.get(); }

protected:
    ~FrameRectPicker() override;

private:
    void buildCamera();
    void setCorners(float x0, float y0, float x1, float y1);
    void query(osgViewer::View& view, const osgGA::GUIEventAdapter& ea);
    osg::ref_ptr<osgUtil::PolytopeIntersector> queryNode(osg::Camera& camera, osg::Node& root, double xMin,
                                                         double yMin, double xMax, double yMax,
                                                         const std::vector<osg::Plane>& planes, bool windowMode);
    static void windowPosition(const osg::Camera& camera, const osgGA::GUIEventAdapter& ea, float& x, float& y);

    std::string m_tipName;
    osg::observer_ptr<osg::Geometry> m_rectangleGeometry;
    osg::ref_ptr<osg::Camera> m_hudCamera;
    osg::ref_ptr<osgUtil::PolytopeIntersector> m_modelIntersector;
    osg::ref_ptr<osgUtil::PolytopeIntersector> m_annotationIntersector;
    float m_startNormalized[2] = {0.0f, 0.0f};
    float m_startWindow[2] = {0.0f, 0.0f};
    bool m_dragging = false;
    bool m_multiSelection = true;
    std::set<const osg::Node*> m_clipedModels;
    std::vector<osg::Plane> m_clipPlanes;
};
