#include "osgqt/GraphicsWindowQt.h"

#include <osg/GLExtensions>

#include <osgGA/EventQueue>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include <atomic>

#ifndef GL_MAX_SAMPLES
#define GL_MAX_SAMPLES 0x8D57
#endif

namespace osgQt {

namespace {

int osgButton(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::MiddleButton: return 2;
    case Qt::RightButton: return 3;
    default: return 0;
    }
}

QSurfaceFormat formatFor(int samples)
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setAlphaBufferSize(8);
    format.setSamples(samples > 0 ? samples : -1);
    return format;
}

std::atomic<GLWidget::Multisampling> g_multisampling{GLWidget::Multisampling::Auto};

} // namespace

// ---------------------------------------------------------------- GLWidget

GLWidget::GLWidget(GraphicsWindowQt* window, QWidget* parent, Qt::WindowFlags flags)
    : QOpenGLWidget(parent, flags), _window(window)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::WheelFocus);
    setMinimumSize(1, 1);
}

GLWidget::~GLWidget()
{
    if (_window.valid())
        _window->_widget = nullptr;
    if (_multisampled && context()) {
        makeCurrent();
        _multisampled.reset();
        doneCurrent();
    }
}

void GLWidget::setViewBase(osgViewer::ViewerBase* viewer)
{
    _viewer = viewer;
    if (viewer)
        viewer->setThreadingModel(osgViewer::ViewerBase::SingleThreaded);
}

void GLWidget::initDefaultFormat()
{
    QSurfaceFormat format = formatFor(0);
    format.setDepthBufferSize(0);
    format.setStencilBufferSize(0);
    QSurfaceFormat::setDefaultFormat(format);
}

void GLWidget::setMultisampling(Multisampling policy)
{
    g_multisampling = policy;
}

GLWidget::Multisampling GLWidget::multisampling()
{
    return g_multisampling;
}

GLWidget::Multisampling GLWidget::multisamplingFromText(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("on") || t == QLatin1String("1") || t == QLatin1String("true"))
        return Multisampling::On;
    if (t == QLatin1String("off") || t == QLatin1String("0") || t == QLatin1String("false"))
        return Multisampling::Off;
    return Multisampling::Auto;
}

void GLWidget::disableGLExtension(const std::string& name)
{
    std::string& disabled = osg::getGLExtensionDisableString();
    if (disabled.find(name) != std::string::npos)
        return;
    if (!disabled.empty())
        disabled += ';';
    disabled += name;
}

bool GLWidget::isSoftwareRenderer(const QString& glRenderer)
{
    const QString r = glRenderer.toLower();
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer", "gdi generic", "swiftshader"}) {
        if (r.contains(QLatin1String(name)))
            return true;
    }
    return false;
}

int GLWidget::resolveSamples(int requested, Multisampling policy, const QString& glRenderer, int maxSamples)
{
    if (requested <= 0 || policy == Multisampling::Off)
        return 0;
    if (policy == Multisampling::Auto && isSoftwareRenderer(glRenderer))
        return 0;
    return maxSamples > 0 ? std::min(requested, maxSamples) : requested;
}

Qt::CursorShape GLWidget::cursorShape(int code)
{
    using GW = osgViewer::GraphicsWindow;
    switch (code) {
    case 23: return Qt::OpenHandCursor;   // pan
    case 24: return Qt::ClosedHandCursor; // rotate
    case 25: return Qt::SizeVerCursor;    // zoom
    case GW::NoCursor: return Qt::BlankCursor;
    case GW::LeftArrowCursor:
    case GW::RightArrowCursor: return Qt::ArrowCursor;
    case GW::InfoCursor:
    case GW::HelpCursor: return Qt::WhatsThisCursor;
    case GW::DestroyCursor: return Qt::ForbiddenCursor;
    case GW::CycleCursor:
    case GW::SprayCursor:
    case GW::WaitCursor: return Qt::WaitCursor;
    case GW::TextCursor: return Qt::IBeamCursor;
    case GW::CrosshairCursor: return Qt::CrossCursor;
    case GW::HandCursor: return Qt::PointingHandCursor;
    case GW::UpDownCursor:
    case GW::TopSideCursor:
    case GW::BottomSideCursor: return Qt::SizeVerCursor;
    case GW::LeftRightCursor:
    case GW::LeftSideCursor:
    case GW::RightSideCursor: return Qt::SizeHorCursor;
    case GW::TopLeftCorner:
    case GW::BottomRightCorner: return Qt::SizeFDiagCursor;
    case GW::TopRightCorner:
    case GW::BottomLeftCorner: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

int GLWidget::osgKey(int qtKey, const QString& text)
{
    using K = osgGA::GUIEventAdapter::KeySymbol;
    switch (qtKey) {
    case Qt::Key_Escape: return K::KEY_Escape;
    case Qt::Key_Tab: return K::KEY_Tab;
    case Qt::Key_Backspace: return K::KEY_BackSpace;
    case Qt::Key_Return: return K::KEY_Return;
    case Qt::Key_Enter: return K::KEY_KP_Enter;
    case Qt::Key_Insert: return K::KEY_Insert;
    case Qt::Key_Delete: return K::KEY_Delete;
    case Qt::Key_Pause: return K::KEY_Pause;
    case Qt::Key_Home: return K::KEY_Home;
    case Qt::Key_End: return K::KEY_End;
    case Qt::Key_Left: return K::KEY_Left;
    case Qt::Key_Up: return K::KEY_Up;
    case Qt::Key_Right: return K::KEY_Right;
    case Qt::Key_Down: return K::KEY_Down;
    case Qt::Key_PageUp: return K::KEY_Page_Up;
    case Qt::Key_PageDown: return K::KEY_Page_Down;
    case Qt::Key_Shift: return K::KEY_Shift_L;
    case Qt::Key_Control: return K::KEY_Control_L;
    case Qt::Key_Alt: return K::KEY_Alt_L;
    case Qt::Key_Meta: return K::KEY_Meta_L;
    case Qt::Key_Space: return K::KEY_Space;
    default: break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return K::KEY_F1 + (qtKey - Qt::Key_F1);
    if (text.size() == 1 && text.at(0).unicode() >= 0x20 && text.at(0).unicode() < 0x7f)
        return text.at(0).unicode();
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) // with Ctrl the text is a control character
        return 'a' + (qtKey - Qt::Key_A);
    if (qtKey >= 0x20 && qtKey < 0x7f)
        return qtKey;
    return 0;
}

void GLWidget::initializeGL()
{
    // The widget's own context answers what the GL is and how many samples it offers; asking
    // before would take a second context. The FBO of a QOpenGLWidget is only known while painting.
    QOpenGLFunctions* gl = context()->functions();
    _glRenderer = QString::fromLatin1(reinterpret_cast<const char*>(gl->glGetString(GL_RENDERER)));
    GLint n = 0;
    gl->glGetIntegerv(GL_MAX_SAMPLES, &n);
    while (gl->glGetError() != GL_NO_ERROR) {
    }
    _maxSamples = n > 0 ? n : 0;
    _samples = resolveSamples(_requestedSamples, multisampling(), _glRenderer, _maxSamples);
    // A software rasteriser draws from main memory: a buffer object is only another copy of the model
    // there (a large model's geometry twice), and drawing from it is no faster. OSG then draws from
    // the arrays themselves; it reads the switch when this context first becomes current for it.
    if (isSoftwareRenderer(_glRenderer))
        disableGLExtension("GL_ARB_vertex_buffer_object");
    if (_samples > 0 && !QOpenGLFramebufferObject::hasOpenGLFramebufferBlit())
        _samples = 0;
}

GLuint GLWidget::drawTarget()
{
    if (_samples <= 0)
        return defaultFramebufferObject();
    const QSize size(std::max(1, int(width() * devicePixelRatioF())), std::max(1, int(height() * devicePixelRatioF())));
    if (!_multisampled || _multisampled->size() != size) {
        _multisampled.reset();
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        format.setSamples(_samples);
        _multisampled = std::make_unique<QOpenGLFramebufferObject>(size, format);
        if (!_multisampled->isValid()) {
            _multisampled.reset();
            _samples = 0;
            return defaultFramebufferObject();
        }
    }
    return _multisampled->handle();
}

void GLWidget::resolveMultisampled()
{
    if (!_multisampled)
        return;
    QOpenGLExtraFunctions* gl = context()->extraFunctions();
    const GLboolean scissor = gl->glIsEnabled(GL_SCISSOR_TEST);
    if (scissor)
        gl->glDisable(GL_SCISSOR_TEST);
    const QSize size = _multisampled->size();
    gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, _multisampled->handle());
    gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, defaultFramebufferObject());
    gl->glBlitFramebuffer(0, 0, size.width(), size.height(), 0, 0, size.width(), size.height(), GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
    gl->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    if (scissor)
        gl->glEnable(GL_SCISSOR_TEST);
}

void GLWidget::paintGL()
{
    if (!_window.valid())
        return;
    // Without this, render-to-texture cameras leave the picture black: OSG would bind FBO 0 after them.
    const GLuint target = drawTarget();
    _window->setDefaultFboId(target);
    if (target != defaultFramebufferObject())
        context()->functions()->glBindFramebuffer(GL_FRAMEBUFFER, target);
    if (_viewer.valid() && !_viewer->done())
        _viewer->frame();
    resolveMultisampled();
}

void GLWidget::resizeGL(int w, int h)
{
    if (!_window.valid())
        return;
    const int pw = int(w * devicePixelRatioF());
    const int ph = int(h * devicePixelRatioF());
    _window->getEventQueue()->windowResize(0, 0, pw, ph);
    _window->resized(0, 0, pw, ph);
}

void GLWidget::primaryScreenChanged()
{
    resizeGL(width(), height());
    update();
}

void GLWidget::setModifiers(Qt::KeyboardModifiers mods)
{
    if (!_window.valid())
        return;
    unsigned int mask = 0;
    if (mods & Qt::ShiftModifier)
        mask |= osgGA::GUIEventAdapter::MODKEY_SHIFT;
    if (mods & Qt::ControlModifier)
        mask |= osgGA::GUIEventAdapter::MODKEY_CTRL;
    if (mods & Qt::AltModifier)
        mask |= osgGA::GUIEventAdapter::MODKEY_ALT;
    if (mods & Qt::MetaModifier)
        mask |= osgGA::GUIEventAdapter::MODKEY_META;
    _window->getEventQueue()->getCurrentEventState()->setModKeyMask(mask);
    _window->getEventQueue()->getCurrentEventState()->setMouseYOrientation(osgGA::GUIEventAdapter::Y_INCREASING_DOWNWARDS);
}

bool GLWidget::event(QEvent* event)
{
    // Repaint once more after input so the frame reflects it without waiting for the timer.
    const bool handled = QOpenGLWidget::event(event);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        update();
        break;
    default:
        break;
    }
    return handled;
}

void GLWidget::mousePressEvent(QMouseEvent* e)
{
    if (!_window.valid())
        return;
    setModifiers(e->modifiers());
    _window->getEventQueue()->mouseButtonPress(px(e->localPos().x()), px(e->localPos().y()), osgButton(e->button()));
}

void GLWidget::mouseReleaseEvent(QMouseEvent* e)
{
    if (!_window.valid())
        return;
    setModifiers(e->modifiers());
    _window->getEventQueue()->mouseButtonRelease(px(e->localPos().x()), px(e->localPos().y()), osgButton(e->button()));
}

void GLWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (!_window.valid())
        return;
    setModifiers(e->modifiers());
    _window->getEventQueue()->mouseDoubleButtonPress(px(e->localPos().x()), px(e->localPos().y()), osgButton(e->button()));
}

void GLWidget::mouseMoveEvent(QMouseEvent* e)
{
    if (!_window.valid())
        return;
    setModifiers(e->modifiers());
    _window->getEventQueue()->mouseMotion(px(e->localPos().x()), px(e->localPos().y()));
}

void GLWidget::wheelEvent(QWheelEvent* e)
{
    if (!_window.valid())
        return;
    setModifiers(e->modifiers());
    const QPoint d = e->angleDelta();
    osgGA::GUIEventAdapter::ScrollingMotion motion;
    if (std::abs(d.y()) >= std::abs(d.x()))
        motion = d.y() > 0 ? osgGA::GUIEventAdapter::SCROLL_UP : osgGA::GUIEventAdapter::SCROLL_DOWN;
    else
        motion = d.x() > 0 ? osgGA::GUIEventAdapter::SCROLL_LEFT : osgGA::GUIEventAdapter::SCROLL_RIGHT;
    _window->getEventQueue()->mouseMotion(px(e->position().x()), px(e->position().y()));
    _window->getEventQueue()->mouseScroll(motion);
}

void GLWidget::keyPressEvent(QKeyEvent* e)
{
    if (!_window.valid())
        return;
    setModifiers(e->modifiers());
    const int key = osgKey(e->key(), e->text());
    if (key)
        _window->getEventQueue()->keyPress(key);
    QOpenGLWidget::keyPressEvent(e);
}

void GLWidget::keyReleaseEvent(QKeyEvent* e)
{
    if (!_window.valid())
        return;
    if (e->isAutoRepeat()) {
        e->ignore();
        return;
    }
    setModifiers(e->modifiers());
    const int key = osgKey(e->key(), e->text());
    if (key)
        _window->getEventQueue()->keyRelease(key);
    QOpenGLWidget::keyReleaseEvent(e);
}

// ---------------------------------------------------------------- GraphicsWindowQt

GraphicsWindowQt::GraphicsWindowQt(osg::GraphicsContext::Traits* traits, QWidget* parent,
                                   const QOpenGLWidget* /*shareWidget*/, Qt::WindowFlags flags)
    : osgViewer::GraphicsWindowEmbedded(traits)
{
    _widget = new GLWidget(this, parent, flags);
    if (traits) {
        _widget->setFormat(formatFor(0));
        _widget->setRequestedSamples(traits->sampleBuffers ? int(traits->samples) : 0);
        _widget->setObjectName(QString::fromStdString(traits->windowName));
        _widget->resize(traits->width, traits->height);
    }
    getEventQueue()->getCurrentEventState()->setMouseYOrientation(osgGA::GUIEventAdapter::Y_INCREASING_DOWNWARDS);
}

GraphicsWindowQt::~GraphicsWindowQt()
{
    if (_widget) {
        _widget->_window = nullptr;
        if (!_widget->parent())
            delete _widget.data();
    }
}

void GraphicsWindowQt::setCursor(MouseCursor cursor)
{
    if (_widget)
        _widget->setCursor(GLWidget::cursorShape(int(cursor)));
}

void GraphicsWindowQt::useCursor(bool on)
{
    if (_widget)
        _widget->setCursor(on ? Qt::ArrowCursor : Qt::BlankCursor);
}

void GraphicsWindowQt::setWindowName(const std::string& name)
{
    if (_widget)
        _widget->setWindowTitle(QString::fromStdString(name));
}

bool GraphicsWindowQt::makeCurrentImplementation()
{
    if (!_widget)
        return false;
    if (QOpenGLContext::currentContext() != _widget->context())
        _widget->makeCurrent();
    return _widget->context() != nullptr;
}

bool GraphicsWindowQt::releaseContextImplementation()
{
    // The widget keeps its context current until Qt has composed the frame.
    return true;
}

} // namespace osgQt
