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

protected:
    ~SceneViewSceneStateObserver() override;

private:
    QPointer<SceneView> m_view;
};
