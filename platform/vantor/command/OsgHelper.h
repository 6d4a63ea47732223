#pragma once

#include "vantor/command/NodePtrList.h"

#include <osg/BoundingBox>
#include <osg/Camera>
#include <osg/Group>
#include <osg/Image>
#include <osg/Node>
#include <osg/ref_ptr>
#include <osgGA/GUIEventAdapter>
#include <osgViewer/View>

#include <string>
#include <vector>

namespace Vantor {

class SelectFilter;

// Scene-graph helpers shared by the commands, the picking and the panels.
class OsgHelper
{
public:
    // First parent of the node; null for a node without parents.
    static osg::Node* getParent(osg::Node* node);

    // Path from the top of the node's first parent chain down to the node itself.
    static osg::NodePath computeNodePath(osg::Node* node);

    // World box of the visible drawables below the node (the node's own transform included).
    static osg::BoundingBoxd getNodeWorldBoundingBox(osg::Node* node);
    static osg::BoundingBoxd computeNodesMergeWorldBoundBox(const NodePtrList& nodes);

    // The two roots of picking below the scene data: the top model (model geometry) first, then the
    // "ModelAppendData" group (notes, measures and sections drawn on top). Fewer when one is missing.
    static std::vector<osg::ref_ptr<osg::Node>> GetSceneNode(osg::Node* sceneData);

    // World point of the nearest ray hit under the event's position on the scene nodes (GetSceneNode);
    // hit tells whether there was one (hits a filter calls cut away are skipped; the filter may be
    // null). path receives the hit's node path from the top of the scene.
    static osg::Vec3d pickPoint(osgViewer::View* view, const osgGA::GUIEventAdapter& ea, bool& hit,
                                SelectFilter* filter, osg::NodePath& path);

    // The world points on the near and the far plane under a window position (pixels, origin bottom
    // left). False when the camera has no viewport or its matrices cannot be inverted.
    static bool projectWindowXYIntoObject(osg::Camera* camera, double x, double y, osg::Vec3d& nearPoint,
                                          osg::Vec3d& farPoint);
    static bool projectWindowXYIntoObject(osgViewer::View* view, double x, double y, osg::Vec3d& nearPoint,
                                          osg::Vec3d& farPoint);

    // Picture of what the view shows: a fresh frame of its window read back, RGBA bytes, origin bottom
    // left. Opaque unless transparentBackground. Null (logged) when the view has no readable window.
    static osg::ref_ptr<osg::Image> snapshot(osgViewer::View* view, bool transparentBackground);

    // Appends the bottom nodes under a node: with mode 1 the models that hold no further models
    // (the node itself when it is such a model), with any other mode the leaves of the graph.
    static void GetBottomNode(osg::Node* node, NodePtrList& nodes, int mode);
};

} // namespace Vantor
