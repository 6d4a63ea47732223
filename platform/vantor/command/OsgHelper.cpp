#include "vantor/command/OsgHelper.h"

#include "osgqt/FrameGrab.h"
#include "vantor/command/SelectFilter.h"
#include "vantor/model/Model.h"
#include "vantor/util/LogHandler.h"
#include "vantor/util/NodeSearch.h"

#include <osg/ComputeBoundsVisitor>

#include <QImage>

#include <cstring>

namespace Vantor {

osg::Node* OsgHelper::getParent(osg::Node* node)
{
    return node && node->getNumParents() > 0 ? node->getParent(0) : nullptr;
}

osg::NodePath OsgHelper::computeNodePath(osg::Node* node)
{
    osg::NodePath path;
    for (osg::Node* current = node; current; current = getParent(current)) {
        path.insert(path.begin(), current);
        if (path.size() > 100000) // a cycle in a damaged graph
            break;
    }
    return path;
}

osg::BoundingBoxd OsgHelper::getNodeWorldBoundingBox(osg::Node* node)
{
    osg::BoundingBoxd result;
    if (!node)
        return result;
    osg::ComputeBoundsVisitor visitor;
    node->accept(visitor);
    const osg::BoundingBox& local = visitor.getBoundingBox();
    if (!local.valid())
        return result;
    osg::NodePath path = computeNodePath(node);
    path.pop_back(); // the node's own transform is already in the local box
    const osg::Matrixd toWorld = osg::computeLocalToWorld(path);
    for (unsigned int i = 0; i < 8; ++i)
        result.expandBy(osg::Vec3d(local.corner(i)) * toWorld);
    return result;
}

osg::BoundingBoxd OsgHelper::computeNodesMergeWorldBoundBox(const NodePtrList& nodes)
{
    osg::BoundingBoxd result;
    for (const auto& node : nodes) {
        const osg::BoundingBoxd box = getNodeWorldBoundingBox(node.get());
        if (box.valid())
            result.expandBy(box);
    }
    return result;
}

std::vector<osg::ref_ptr<osg::Node>> OsgHelper::GetSceneNode(osg::Node* sceneData)
{
    std::vector<osg::ref_ptr<osg::Node>> nodes;
    if (!sceneData)
        return nodes;
    if (osg::ref_ptr<Model> top = Model::GetTopModel(sceneData))
        nodes.push_back(top.get());
    if (osg::Node* appended = breadthFirstFindNamed(sceneData, "ModelAppendData"))
        nodes.push_back(appended);
    return nodes;
}

osg::Vec3d OsgHelper::pickPoint(osgViewer::View* view, const osgGA::GUIEventAdapter& ea, bool& hit,
                                SelectFilter* filter, osg::NodePath& path)
{
    hit = false;
    path.clear();
    if (!view || !view->getSceneData() || !view->getCamera())
        return osg::Vec3d();
    // Only the model and its annotations count: grid, backdrop, signs and helpers are never picked.
    osg::Vec3d best;
    double bestRatio = 2.0;
    for (const osg::ref_ptr<osg::Node>& root : GetSceneNode(view->getSceneData())) {
        const osg::NodePath rootPath = computeNodePath(root.get());
        osgUtil::LineSegmentIntersector::Intersections intersections;
        if (!view->computeIntersections(view->getCamera(), osgUtil::Intersector::PROJECTION, ea.getXnormalized(),
                                        ea.getYnormalized(), rootPath, intersections))
            continue;
        // The same near-to-far segment in every root's frame, so ratios compare across roots.
        const osg::NodePath above(rootPath.begin(), rootPath.end() - 1);
        const osg::Matrixd toWorld = osg::computeLocalToWorld(above);
        for (const auto& intersection : intersections) {
            if (intersection.ratio >= bestRatio)
                break;
            if (filter && filter->isCliped(intersection))
                continue;
            hit = true;
            bestRatio = intersection.ratio;
            best = intersection.getWorldIntersectPoint() * toWorld;
            path = above;
            path.insert(path.end(), intersection.nodePath.begin(), intersection.nodePath.end());
            break;
        }
    }
    return best;
}

bool OsgHelper::projectWindowXYIntoObject(osg::Camera* camera, double x, double y, osg::Vec3d& nearPoint,
                                          osg::Vec3d& farPoint)
{
    if (!camera || !camera->getViewport())
        return false;
    const osg::Matrixd vpw =
        camera->getViewMatrix() * camera->getProjectionMatrix() * camera->getViewport()->computeWindowMatrix();
    osg::Matrixd inverse;
    if (!inverse.invert(vpw))
        return false;
    nearPoint = osg::Vec3d(x, y, 0.0) * inverse;
    farPoint = osg::Vec3d(x, y, 1.0) * inverse;
    return true;
}

bool OsgHelper::projectWindowXYIntoObject(osgViewer::View* view, double x, double y, osg::Vec3d& nearPoint,
                                          osg::Vec3d& farPoint)
{
    return view && projectWindowXYIntoObject(view->getCamera(), x, y, nearPoint, farPoint);
}

osg::ref_ptr<osg::Image> OsgHelper::snapshot(osgViewer::View* view, bool transparentBackground)
{
    osg::Camera* camera = view ? view->getCamera() : nullptr;
    if (!camera || !camera->getGraphicsContext()) {
        LogHandler::getInstance()->reportWarning(QString("Snapshot: the view has no window to read"));
        return nullptr;
    }
    QImage frame = osgQt::grabFrame(camera->getGraphicsContext());
    if (frame.isNull()) {
        LogHandler::getInstance()->reportWarning(QString("Snapshot: no frame could be read from the view"));
        return nullptr;
    }
    // Opaque pictures drop the alpha channel (what was drawn stays as composed over black).
    frame = transparentBackground ? frame.convertToFormat(QImage::Format_RGBA8888)
                                  : frame.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_RGBX8888);
    const int width = frame.width();
    const int height = frame.height();
    osg::ref_ptr<osg::Image> image = new osg::Image;
    image->allocateImage(width, height, 1, GL_RGBA, GL_UNSIGNED_BYTE);
    if (!image->data())
        return nullptr;
    image->setOrigin(osg::Image::BOTTOM_LEFT);
    for (int y = 0; y < height; ++y)
        std::memcpy(image->data(0, unsigned(height - 1 - y)), frame.constScanLine(y), std::size_t(width) * 4);
    return image;
}

void OsgHelper::GetBottomNode(osg::Node* node, NodePtrList& nodes, int mode)
{
    if (!node)
        return;
    osg::Group* group = node->asGroup();
    if (mode == 1) {
        if (!Model::isModel(node))
            return;
        auto* model = static_cast<Model*>(node);
        if (model->getModelChildrenNum() == 0) {
            nodes.push_back(node);
            return;
        }
        for (unsigned int i = 0; i < model->getModelChildrenNum(); ++i)
            GetBottomNode(model->getModelChild(i), nodes, mode);
        return;
    }
    if (!group || group->getNumChildren() == 0) {
        nodes.push_back(node);
        return;
    }
    for (unsigned int i = 0; i < group->getNumChildren(); ++i)
        GetBottomNode(group->getChild(i), nodes, mode);
}

} // namespace Vantor
