#pragma once

#include <osg/Geode>
#include <osg/PrimitiveSet>
#include <osg/Vec3d>
#include <osg/Vec4>

#include <string>
#include <vector>

namespace Vantor {

// Simple drawing of annotations: unlit, drawn over the model (no depth test, late render bin) so a note
// or a measure stays visible wherever it stands.
namespace Drawing {

osg::ref_ptr<osg::Geode> makeOverlayGeode();
void addPoints(osg::Geode* geode, const std::vector<osg::Vec3d>& points, const osg::Vec4& color, float size);
void addLines(osg::Geode* geode, const std::vector<osg::Vec3d>& points, GLenum mode, const osg::Vec4& color,
              float width);
// A label facing the screen, `size` pixels high; text bytes are UTF-8.
void addLabel(osg::Geode* geode, const osg::Vec3d& position, const std::string& text, const osg::Vec4& color,
              float size);

} // namespace Drawing
} // namespace Vantor
