#pragma once

#include <QImage>

namespace osg {
class GraphicsContext;
}

namespace osgQt {

// Renders one frame of the GL widget behind the context and reads it back (device pixels, with alpha).
// A null image when the context is not a GraphicsWindowQt, its widget is gone or has no GL, or when
// called from inside such a grab.
QImage grabFrame(osg::GraphicsContext* context);

} // namespace osgQt
