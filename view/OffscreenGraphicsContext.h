#pragma once

#include <osg/GraphicsContext>

#include <memory>

class QOffscreenSurface;
class QOpenGLContext;

// A scene-graph graphics context over a Qt offscreen surface, for rendering into framebuffer objects
// where the windowing system gives no pixel buffer. Its own framebuffer is not meant to be read.
class OffscreenGraphicsContext : public osg::GraphicsContext
{
public:
    explicit OffscreenGraphicsContext(osg::GraphicsContext::Traits* traits);

    bool valid() const override { return true; }
    bool realizeImplementation() override;
    bool isRealizedImplementation() const override;
    void closeImplementation() override;
    bool makeCurrentImplementation() override;
    bool makeContextCurrentImplementation(osg::GraphicsContext* readContext) override;
    bool releaseContextImplementation() override;
    void bindPBufferToTextureImplementation(GLenum) override {}
    void swapBuffersImplementation() override {}

    const char* className() const override { return "OffscreenGraphicsContext"; }

protected:
    ~OffscreenGraphicsContext() override;

private:
    std::unique_ptr<QOffscreenSurface> m_surface;
    std::unique_ptr<QOpenGLContext> m_context;
};
