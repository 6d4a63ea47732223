#include "view/FrameStats.h"

#include "osgqt/GraphicsWindowQt.h"

#include <osg/Camera>

#include <QEvent>
#include <QOpenGLWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

namespace FrameStats {

namespace {

struct State {
    QOpenGLWidget* widget = nullptr;
    long frames = 0;
    unsigned long long painted = 0;
    unsigned long long paintedAtLastFrame = 0;
    double last = 0.0;
    bool modelPending = false;
};

State& state()
{
    static State s;
    return s;
}

double now(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// Seconds since the process was started, from its start time in /proc (clock ticks since boot).
double sinceStart()
{
    std::ifstream in("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name may hold spaces: fields are counted after its closing parenthesis.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return -1.0;
    const char* p = stat.c_str() + close + 2;
    for (int field = 3; field < 22 && *p; ++field) {
        p = std::strchr(p, ' ');
        if (!p)
            return -1.0;
        ++p;
    }
    const double startTicks = std::strtod(p, nullptr);
    return now(CLOCK_BOOTTIME) - startTicks / double(sysconf(_SC_CLK_TCK));
}

// Where the camera stands when the model first shows (eye, then the rotation of the camera's frame
// as a quaternion, then the vertical field of view), so a benchmark can show another viewer the same
// picture.
void printCamera(osgQt::GLWidget* gl)
{
    osgQt::GraphicsWindowQt* window = gl ? gl->getGraphicsWindow() : nullptr;
    if (!window || window->getCameras().empty())
        return;
    const osg::Camera* camera = window->getCameras().front();
    const osg::Matrixd world = camera->getInverseViewMatrix();
    const osg::Vec3d eye = world.getTrans();
    const osg::Quat rotation = world.getRotate();
    double fovy = 0.0, aspect = 0.0, zNear = 0.0, zFar = 0.0;
    if (!camera->getProjectionMatrixAsPerspective(fovy, aspect, zNear, zFar))
        fovy = 0.0;
    std::fprintf(stderr, "nerio-frame-stats: camera eye %.9g %.9g %.9g rotation %.9g %.9g %.9g %.9g fovy %.6g\n", eye.x(),
                 eye.y(), eye.z(), rotation.x(), rotation.y(), rotation.z(), rotation.w(), fovy);
}

void frameSwapped()
{
    State& s = state();
    // The window recomposes for changes of other widgets too; only swaps after a paint of the GL
    // widget (which draws a viewer frame) show a new picture.
    if (s.painted == s.paintedAtLastFrame)
        return;
    s.paintedAtLastFrame = s.painted;
    auto* gl = qobject_cast<osgQt::GLWidget*>(s.widget);
    const double t = now(CLOCK_MONOTONIC);
    ++s.frames;
    if (s.frames == 1) {
        std::fprintf(stderr, "nerio-frame-stats: first-frame at %.6f after %.3f\n", t, sinceStart());
        if (gl)
            std::fprintf(stderr, "nerio-frame-stats: renderer \"%s\" samples %d of %d requested, %d offered\n",
                         gl->glRenderer().toUtf8().constData(), gl->samples(), gl->requestedSamples(), gl->maxSamples());
    }
    else
        std::fprintf(stderr, "nerio-frame-stats: frame %ld at %.6f dt %.2f\n", s.frames, t, (t - s.last) * 1000.0);
    if (s.modelPending) {
        s.modelPending = false;
        const double ratio = s.widget ? s.widget->devicePixelRatioF() : 1.0;
        std::fprintf(stderr, "nerio-frame-stats: first-model-frame at %.6f after %.3f size %dx%d\n", t, sinceStart(),
                     s.widget ? int(s.widget->width() * ratio) : 0, s.widget ? int(s.widget->height() * ratio) : 0);
        printCamera(gl);
        if (exitAtModelFrame()) {
            std::fflush(stderr);
            std::_Exit(0);
        }
    }
    s.last = t;
}

class PaintCounter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++state().painted;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

bool enabled()
{
    static const bool on = [] {
        const char* v = std::getenv("NERIO_FRAME_STATS");
        return v && *v && std::strcmp(v, "0") != 0;
    }();
    return on;
}

bool continuous()
{
    static const bool on = [] {
        const char* v = std::getenv("NERIO_FRAME_STATS");
        return v && std::strcmp(v, "continuous") == 0;
    }();
    return on;
}

bool exitAtModelFrame()
{
    static const bool on = [] {
        const char* v = std::getenv("NERIO_FRAME_STATS");
        return v && std::strcmp(v, "exit") == 0;
    }();
    return on;
}

bool edgesOff()
{
    static const bool on = [] {
        const char* v = std::getenv("NERIO_FRAME_STATS_EDGES");
        return enabled() && v && std::strcmp(v, "off") == 0;
    }();
    return on;
}

void watch(QOpenGLWidget* widget)
{
    if (!enabled() || !widget)
        return;
    state().widget = widget;
    widget->installEventFilter(new PaintCounter(widget));
    QObject::connect(widget, &QOpenGLWidget::frameSwapped, widget, [] { frameSwapped(); });
    if (continuous())
        QObject::connect(widget, &QOpenGLWidget::frameSwapped, widget, [widget] { widget->update(); });
}

void modelShown()
{
    if (!enabled())
        return;
    state().modelPending = true;
    std::fprintf(stderr, "nerio-frame-stats: model-set at %.6f after %.3f\n", now(CLOCK_MONOTONIC), sinceStart());
}

void note(const char* text)
{
    if (enabled())
        std::fprintf(stderr, "nerio-frame-stats: %s\n", text);
}

} // namespace FrameStats
