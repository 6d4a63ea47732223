#pragma once

// Events handed straight to the view's command pump, as the view's event traversal would hand them, and
// the window spots where a ray meets the loaded model.

#include "view/CombineCommandHandler.h"
#include "view/SceneView.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/dazoreader/DazoSceneData.h"
#include "vantor/model/Model.h"

#include <osgGA/GUIEventAdapter>
#include <osgUtil/LineSegmentIntersector>
#include <osgViewer/View>

#include <vector>

namespace view_events {

// The view's own pump.
inline CombineCommandHandler* pumpOf(SceneView* view)
{
    for (auto& handler : view->getView()->getEventHandlers())
        if (auto* pump = dynamic_cast<CombineCommandHandler*>(handler.get()))
            return pump;
    return nullptr;
}

// A mouse event at a normalised window spot, or a key event when key is given.
inline void send(CombineCommandHandler* pump, osgViewer::View* view, osgGA::GUIEventAdapter::EventType type,
                 const osg::Vec2d& at = osg::Vec2d(), int key = 0)
{
    osg::ref_ptr<osgGA::GUIEventAdapter> ea = new osgGA::GUIEventAdapter;
    ea->setInputRange(-1, -1, 1, 1);
    ea->setMouseYOrientation(osgGA::GUIEventAdapter::Y_INCREASING_UPWARDS);
    ea->setX(float(at.x()));
    ea->setY(float(at.y()));
    ea->setEventType(type);
    ea->setButton(osgGA::GUIEventAdapter::LEFT_MOUSE_BUTTON);
    if (key)
        ea->setKey(key);
    pump->handle(*ea, *view);
}

// Window spots (normalised) where the ray meets a part's face, not an annotation drawn beside it.
inline std::vector<osg::Vec2d> spotsOnModel(osgViewer::View* view)
{
    std::vector<osg::Vec2d> spots;
    osg::ref_ptr<Vantor::Model> top = Vantor::Model::GetTopModel(view->getSceneData());
    const osg::NodePath path = Vantor::OsgHelper::computeNodePath(top.get());
    for (double y = -0.6; y <= 0.6; y += 0.1)
        for (double x = -0.6; x <= 0.6; x += 0.1) {
            osgUtil::LineSegmentIntersector::Intersections hits;
            if (!view->computeIntersections(view->getCamera(), osgUtil::Intersector::PROJECTION, x, y, path, hits))
                continue;
            for (const auto& hit : hits) {
                if (Vantor::DazoData::find<Vantor::DazoData::FaceData>(hit.drawable.get()))
                    spots.emplace_back(x, y);
                break;
            }
        }
    return spots;
}

} // namespace view_events
