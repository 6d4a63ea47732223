#pragma once

#include <osg/observer_ptr>
#include <osgViewer/GraphicsWindow>
#include <osgViewer/ViewerBase>

#include <QOpenGLWidget>
#include <QPointer>

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

    // Default surface format: depth 24, stencil 8, compatibility profile (the OSG build is
    // fixed-function), multisampling from OSG's display settings clamped to what the GL offers.
    static void initDefaultFormat();
    // Largest sample count the GL of this display offers (0 when it cannot be asked).
    static int maxSamples();

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

    osg::observer_ptr<GraphicsWindowQt> _window;
    osg::observer_ptr<osgViewer::ViewerBase> _viewer;
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
