#pragma once

#include <osg/observer_ptr>
#include <osgViewer/GraphicsWindow>
#include <osgViewer/ViewerBase>

#include <QOpenGLWidget>
#include <QPointer>

#include <memory>
#include <string>

class QOpenGLFramebufferObject;

namespace osgQt {

class GraphicsWindowQt;

// The GL widget that hosts an OSG graphics window. Each repaint runs one frame of the viewer it
// was given; the viewer is single-threaded because this context can only be current on the GUI thread.
class GLWidget : public QOpenGLWidget
{
    Q_OBJECT
public:
    explicit GLWidget(GraphicsWindowQt* window, QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~GLWidget() override;

    void setViewBase(osgViewer::ViewerBase* viewer);
    osgViewer::ViewerBase* getViewBase() const { return _viewer.get(); }
    GraphicsWindowQt* getGraphicsWindow() const { return _window.get(); }

    // Default surface format: compatibility profile (the OSG build is fixed-function), no depth or
    // stencil buffer, no multisampling. The window that holds the widget takes this format: it only
    // lays the widgets' finished pictures side by side, so depth and stencil there would be a
    // window-sized buffer for nothing. The widget asks for its own depth 24 and stencil 8 (formatFor),
    // and smooths its own picture (see Multisampling).
    static void initDefaultFormat();

    // Whether the picture is drawn multisampled. Auto keeps the requested samples on a hardware GL and
    // draws without on a software rasteriser, where every sample costs a full rasterisation on the
    // CPU. On and Off force either; Off also when no samples were requested.
    enum class Multisampling { Auto, On, Off };
    static void setMultisampling(Multisampling policy);
    static Multisampling multisampling();
    // "auto", "on"/"1"/"true", "off"/"0"/"false" (any case); anything else is Auto.
    static Multisampling multisamplingFromText(const QString& text);
    // True for Mesa's software rasterisers (llvmpipe, softpipe, swrast) and other non-hardware renderers.
    static bool isSoftwareRenderer(const QString& glRenderer);
    // Adds an extension to OSG's list of those it must not use (once), for contexts it sets up later.
    static void disableGLExtension(const std::string& name);
    // The samples drawn with for a request, a policy, the renderer and its limit (0 when unknown).
    static int resolveSamples(int requested, Multisampling policy, const QString& glRenderer, int maxSamples);

    // Samples asked for (from the graphics context's traits); takes effect before the GL is set up.
    void setRequestedSamples(int samples) { _requestedSamples = samples; }
    int requestedSamples() const { return _requestedSamples; }
    // Known once the widget's own GL context is up (after the first show); empty or 0 before.
    QString glRenderer() const { return _glRenderer; }
    int maxSamples() const { return _maxSamples; }
    int samples() const { return _samples; }

    // Maps an OSG cursor code (2 arrow, 23 pan, 24 rotate, 25 zoom, or any standard one) to a Qt cursor.
    static Qt::CursorShape cursorShape(int code);

    // Qt key to OSG key symbol; 0 when there is none.
    static int osgKey(int qtKey, const QString& text);

public slots:
    // The widget moved to another screen: the graphics window takes the size in that screen's pixels.
    void primaryScreenChanged();

protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeGL(int w, int h) override;

    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    friend class GraphicsWindowQt;
    void setModifiers(Qt::KeyboardModifiers mods);
    float px(qreal v) const { return float(v * devicePixelRatioF()); }

    GLuint drawTarget();
    void resolveMultisampled();

    osg::observer_ptr<GraphicsWindowQt> _window;
    osg::observer_ptr<osgViewer::ViewerBase> _viewer;
    int _requestedSamples = 0;
    int _maxSamples = 0;
    int _samples = 0;
    QString _glRenderer;
    // The multisampled target the viewer draws into, resolved into the widget's framebuffer.
    std::unique_ptr<QOpenGLFramebufferObject> _multisampled;
};

// An embedded OSG graphics window whose drawing surface is a GLWidget.
class GraphicsWindowQt : public osgViewer::GraphicsWindowEmbedded
{
public:
    explicit GraphicsWindowQt(osg::GraphicsContext::Traits* traits, QWidget* parent = nullptr,
                              const QOpenGLWidget* shareWidget = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~GraphicsWindowQt() override;

    const char* className() const override { return "GraphicsWindowQt"; }
    bool valid() const override { return true; }

    GLWidget* getGLWidget() { return _widget.data(); }
    const GLWidget* getGLWidget() const { return _widget.data(); }

    void setCursor(MouseCursor cursor) override;
    void useCursor(bool on) override;
    void setWindowName(const std::string& name) override;

    bool makeCurrentImplementation() override;
    bool releaseContextImplementation() override;
    void swapBuffersImplementation() override {} // QOpenGLWidget composes the frame itself

private:
    friend class GLWidget;
    QPointer<GLWidget> _widget;
    bool _ownsWidget = true;
};

} // namespace osgQt
