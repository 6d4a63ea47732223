#include "view/OsgWidget.h"

#include "osgqt/GraphicsWindowQt.h"
#include "view/FrameStats.h"
#include "vantor/command/NerioViewerManipulatorState.h"

#include <osg/DisplaySettings>
#include <osgGA/TrackballManipulator>

#include <QGridLayout>

namespace {

// The view's redraw requests (from event handlers, manipulators and the program) reach the widget's
// own request: the viewer clears its flag in the rendering traversal, after the event traversal in
// which handlers ask, so that flag alone would lose them.
class OnDemandView : public osgViewer::View
{
public:
    explicit OnDemandView(OsgWidget* widget) : m_widget(widget) {}
    void requestRedraw() override
    {
        osgViewer::View::requestRedraw();
        if (m_widget)
            m_widget->requestFrame();
    }
    void requestContinuousUpdate(bool on) override
    {
        osgViewer::View::requestContinuousUpdate(on);
        if (m_widget)
            m_widget->setContinuousFrames(on);
    }
    void detach() { m_widget = nullptr; }

private:
    OsgWidget* m_widget; // the widget owns this view and detaches it before it goes
};

} // namespace

OsgWidget::OsgWidget(QWidget* parent) : QWidget(parent, Qt::WindowFlags())
{
    // The embedded GL context can only be current on the GUI thread, so the viewer stays single-threaded.
    setThreadingModel(osgViewer::ViewerBase::SingleThreaded);

    m_camera = createCamera();
    m_graphicsWidget = createViewWidget();

    auto* grid = new QGridLayout;
    grid->setContentsMargins(1, 1, 1, 1);
    grid->setSpacing(0);
    if (m_graphicsWidget)
        grid->addWidget(m_graphicsWidget, 0, 0);
    setLayout(grid);
    FrameStats::watch(qobject_cast<QOpenGLWidget*>(m_graphicsWidget));

    m_timer.setInterval(m_interval);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    requestFrame();
}

OsgWidget::~OsgWidget()
{
    m_timer.stop();
    // GL objects are released with the context current.
    if (auto* gl = qobject_cast<osgQt::GLWidget*>(m_graphicsWidget))
        gl->makeCurrent();
    stopThreading();
    if (auto* view = dynamic_cast<OnDemandView*>(m_view.get()))
        view->detach();
    if (m_view.valid())
        removeView(m_view.get());
    m_view = nullptr;
    m_camera = nullptr;
}

osg::Camera* OsgWidget::createCamera()
{
    osg::DisplaySettings* ds = osg::DisplaySettings::instance().get();
    osg::ref_ptr<osg::GraphicsContext::Traits> traits = new osg::GraphicsContext::Traits;
    traits->windowName = "SceneView";
    traits->windowDecoration = false;
    traits->x = 0;
    traits->y = 0;
    traits->width = 100;
    traits->height = 100;
    traits->doubleBuffer = true;
    traits->alpha = 8;
    traits->stencil = 8;
    traits->sampleBuffers = ds->getNumMultiSamples() != 0 ? 1 : 0;
    traits->samples = ds->getNumMultiSamples();

    osg::Camera* camera = new osg::Camera;
    auto* window = new osgQt::GraphicsWindowQt(traits.get());
    window->getGLWidget()->setViewBase(this);

    camera->setGraphicsContext(window);
    camera->setClearColor(osg::Vec4(0.f, 0.f, 0.f, 0.f));
    camera->setViewport(new osg::Viewport(0, 0, traits->width, traits->height));
    camera->setProjectionMatrixAsPerspective(30.0, double(traits->width) / double(traits->height), 1.0, 10000.0);
    return camera;
}

QWidget* OsgWidget::createViewWidget()
{
    m_view = new OnDemandView(this);
    m_view->setCamera(m_camera.get());
    addView(m_view.get());
    m_view->setCameraManipulator(new osgGA::TrackballManipulator, true);

    auto* window = dynamic_cast<osgQt::GraphicsWindowQt*>(m_camera->getGraphicsContext());
    return window ? window->getGLWidget() : nullptr;
}

void OsgWidget::requestFrame()
{
    m_frameWanted = true;
    if (!m_timer.isActive())
        m_timer.start();
}

void OsgWidget::setContinuousFrames(bool on)
{
    m_continuous = on;
    if (on)
        requestFrame();
}

bool OsgWidget::checkNeedToDoFrame()
{
    return m_frameWanted || m_continuous || checkEvents();
}

void OsgWidget::tick()
{
    // A hidden view draws nothing; its expose paints (and runs) the next frame.
    if (!checkNeedToDoFrame() || !m_graphicsWidget || !m_graphicsWidget->isVisible()) {
        m_timer.stop();
        return;
    }
    m_graphicsWidget->update();
}

void OsgWidget::frame(double simulationTime)
{
    // Cleared before the traversals, so what asks for a frame while this one runs gets the next.
    m_frameWanted = false;
    ++m_framesDrawn;
    osgViewer::CompositeViewer::frame(simulationTime);
}

void OsgWidget::focusInEvent(QFocusEvent* event)
{
    if (m_view.valid()) {
        if (auto* state = dynamic_cast<Vantor::NerioViewerManipulatorState*>(m_view->getCameraManipulator()))
            state->onFocusIn();
    }
    QWidget::focusInEvent(event);
}

void OsgWidget::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
}
