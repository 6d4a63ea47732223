#include "osgqt/FrameGrab.h"

#include "osgqt/GraphicsWindowQt.h"

namespace osgQt {

QImage grabFrame(osg::GraphicsContext* context)
{
    auto* window = dynamic_cast<GraphicsWindowQt*>(context);
    GLWidget* widget = window ? window->getGLWidget() : nullptr;
    if (!widget)
        return QImage();
    // A grab runs a viewer frame; something inside that frame asking for a picture must not start another.
    static bool grabbing = false;
    if (grabbing)
        return QImage();
    grabbing = true;
    QImage frame = widget->grabFramebuffer();
    grabbing = false;
    return frame;
}

} // namespace osgQt
