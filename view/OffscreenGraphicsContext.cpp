#include "view/OffscreenGraphicsContext.h"

#include <osg/State>

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

OffscreenGraphicsContext::OffscreenGraphicsContext(osg::GraphicsContext::Traits* traits)
{
    _traits = traits;
    setState(new osg::State);
    getState()->setGraphicsContext(this);
    getState()->setContextID(osg::GraphicsContext::createNewContextID());
}

OffscreenGraphicsContext::~OffscreenGraphicsContext()
{
    close(true);
}

bool OffscreenGraphicsContext::realizeImplementation()
{
    if (m_context)
        return true;
    // The scene graph draws with the fixed-function pipeline: a compatibility profile is needed.
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);

    auto surface = std::make_unique<QOffscreenSurface>();
    surface->setFormat(format);
    surface->create();
    if (!surface->isValid())
        return false;
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(format);
    if (!context->create())
        return false;
    m_surface = std::move(surface);
    m_context = std::move(context);
    return true;
}

bool OffscreenGraphicsContext::isRealizedImplementation() const
{
    return m_context != nullptr;
}

void OffscreenGraphicsContext::closeImplementation()
{
    if (m_context && QOpenGLContext::currentContext() == m_context.get())
        m_context->doneCurrent();
    m_context.reset();
    m_surface.reset();
}

bool OffscreenGraphicsContext::makeCurrentImplementation()
{
    return m_context && m_context->makeCurrent(m_surface.get());
}

bool OffscreenGraphicsContext::makeContextCurrentImplementation(osg::GraphicsContext*)
{
    return makeCurrentImplementation();
}

bool OffscreenGraphicsContext::releaseContextImplementation()
{
    if (m_context)
        m_context->doneCurrent();
    return true;
}
