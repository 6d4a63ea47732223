#pragma once

#include <osg/Camera>
#include <osgViewer/CompositeViewer>
#include <osgViewer/View>

#include <QTimer>
#include <QWidget>

// The widget the 3D scene is drawn in: a composite viewer with exactly one view, whose camera
// renders into an embedded GL widget that fills this widget. A timer repaints every 30 ms.
class OsgWidget : public QWidget, public osgViewer::CompositeViewer
{
public:
    explicit OsgWidget(QWidget* parent = nullptr);
    ~OsgWidget() override;

    osg::ref_ptr<osgViewer::View> getView() const { return m_view; }
    QWidget* graphicsWidget() const { return m_graphicsWidget; }
    int repaintInterval() const { return m_interval; }

protected:
    osg::Camera* createCamera();
    QWidget* createViewWidget();

    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    QWidget* m_graphicsWidget = nullptr;
    QTimer m_timer;
    int m_interval = 30;
    osg::ref_ptr<osg::Camera> m_camera;
    osg::ref_ptr<osgViewer::View> m_view;
};
