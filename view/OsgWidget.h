#pragma once

#include <osg/Camera>
#include <osgViewer/CompositeViewer>
#include <osgViewer/View>

#include <QTimer>
#include <QWidget>

// The widget the 3D scene is drawn in: a composite viewer with exactly one view, whose camera
// renders into an embedded GL widget that fills this widget.
//
// Frames are drawn on demand: the GL widget draws one for an expose or a resize and after each input
// event it gets; anything else that changes what the view shows asks for one with requestFrame (the
// view's requestRedraw, which OSG's handlers and manipulators call, ends there too). While frames are
// wanted the repaint timer paces them every 30 ms; a frame clears the request, so an animation asks
// again from inside each frame it runs in, and the timer stops once a tick finds nothing wanted.
class OsgWidget : public QWidget, public osgViewer::CompositeViewer
{
public:
    explicit OsgWidget(QWidget* parent = nullptr);
    ~OsgWidget() override;

    osg::ref_ptr<osgViewer::View> getView() const { return m_view; }
    QWidget* graphicsWidget() const { return m_graphicsWidget; }
    int repaintInterval() const { return m_interval; }

    // Asks for one more frame at the next tick.
    void requestFrame();
    // Frames at every tick until switched off again (OSG's requestContinuousUpdate).
    void setContinuousFrames(bool on);
    bool continuousFrames() const { return m_continuous; }
    // True while a frame is asked for, or input is waiting in the view's event queues.
    bool checkNeedToDoFrame() override;
    // Whether the repaint timer runs (it stops when a tick finds no frame wanted).
    bool isPacing() const { return m_timer.isActive(); }
    // Frames run so far (each repaint of the GL widget runs one).
    unsigned framesDrawn() const { return m_framesDrawn; }

    void frame(double simulationTime = USE_REFERENCE_TIME) override;

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

private:
    void tick();

    bool m_frameWanted = false;
    bool m_continuous = false;
    unsigned m_framesDrawn = 0;
};
