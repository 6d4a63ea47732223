#pragma once

#include "vantor/command/SceneStateObserver.h"

#include <QPointer>

class SceneView;

// Told by the command library when a command changes the scene; knows the view it belongs to.
class SceneViewSceneStateObserver : public Vantor::SceneStateObserver
{
public:
    SceneViewSceneStateObserver();

    // Held without a reference: the view belongs to its Qt parent.
    void setSceneView(SceneView* view);
    SceneView* getSceneView() const;

    void onSceneChanged(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) override;
    // The view draws a frame for each of these.
    void onNodeAdded(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) override;
    void onNodeRemoved(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) override;
    void onNodeTransformChanged(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) override;
    void onNodeVisibleChanged(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) override;
    void onNodeMaterialChanged(osg::ref_ptr<osg::Node> node, osg::ref_ptr<osg::Node> parent) override;

protected:
    ~SceneViewSceneStateObserver() override;

private:
    void requestFrame();

    QPointer<SceneView> m_view;
};
