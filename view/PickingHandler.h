#pragma once

#include "vantor/command/NerioViewerManipulatorState.h"

#include <osg/Vec3d>
#include <osgGA/TrackballManipulator>

#include <QObject>
#include <QPointer>

class SceneView;

// The view's camera manipulator and picker.
// Pending: picking, selection, the rotation centre, pan and zoom about the cursor; for now it is a
// plain trackball that knows its view and declares the signals the view connects to.
class PickingHandler : public QObject, public osgGA::TrackballManipulator, public Vantor::NerioViewerManipulatorState
{
    Q_OBJECT
public:
    PickingHandler();

    // The view that owns this handler. Held without a reference: Qt owns the view, and a counted
    // reference from here would delete it a second time at shutdown.
    void setSceneView(SceneView* view) { m_sceneView = view; }
    SceneView* getSceneView() const { return m_sceneView.data(); }

    // Home position and model size come from the top model only, not from the grid or other aids.
    void setNode(osg::Node* node) override;

    const osg::Vec3d& getRotationCenter() const { return rotationCenter; }
    const osg::Vec3d& getPanAnchor() const { return panAnchor; }
    // The model size the manipulator's zoom limits and clip range work from.
    void setModelSize(double size) { _modelSize = size; }

    double getViewDistance() const override { return getDistance(); }
    double getSceneRadius() const override { return _modelSize > 0.0 ? _modelSize : 1.0; }

    bool displayTrackballHelper = false;
    bool inverseMouseWheel = false;
    int mouseMode = 0;
    osg::Vec3d rotationCenter;
    osg::Vec3d panAnchor;

signals:
    void picked(osg::Node* node);
    void clearPicked(osg::Node* node);
    void picked(double x, double y, double z);
    void zoomViewIn();
    void zoomViewOut();
    void dragView();
    void rotateView();
    void recenterViewTo(double x, double y, double z);

protected slots:
    void timeout();

protected:
    ~PickingHandler() override;

private:
    QPointer<SceneView> m_sceneView;
};
