#include "vantor/annotation/Drawing.h"
#include "vantor/util/GlyphMipmaps.h"

#include <osg/BlendFunc>
#include <osg/Geometry>
#include <osg/LineWidth>
#include <osg/Point>
#include <osg/StateSet>
#include <osgDB/FileUtils>
#include <osgText/Font>
#include <osgText/Text>

namespace Vantor {
namespace Drawing {

osg::ref_ptr<osg::Geode> makeOverlayGeode()
{
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    osg::StateSet* ss = geode->getOrCreateStateSet();
    ss->setMode(GL_LIGHTING, osg::StateAttribute::OFF | osg::StateAttribute::PROTECTED);
    ss->setMode(GL_DEPTH_TEST, osg::StateAttribute::OFF | osg::StateAttribute::PROTECTED);
    ss->setRenderBinDetails(20, "RenderBin");
    return geode;
}

namespace {
osg::ref_ptr<osg::Geometry> geometry(const std::vector<osg::Vec3d>& points, const osg::Vec4& color)
{
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    for (const auto& p : points)
        v->push_back(osg::Vec3(p));
    g->setVertexArray(v.get());
    osg::ref_ptr<osg::Vec4Array> c = new osg::Vec4Array;
    c->push_back(color);
    g->setColorArray(c.get(), osg::Array::BIND_OVERALL);
    return g;
}
} // namespace

void addPoints(osg::Geode* geode, const std::vector<osg::Vec3d>& points, const osg::Vec4& color, float size)
{
    if (!geode || points.empty())
        return;
    osg::ref_ptr<osg::Geometry> g = geometry(points, color);
    g->addPrimitiveSet(new osg::DrawArrays(GL_POINTS, 0, GLsizei(points.size())));
    g->getOrCreateStateSet()->setAttributeAndModes(new osg::Point(size));
    geode->addDrawable(g.get());
}

void addLines(osg::Geode* geode, const std::vector<osg::Vec3d>& points, GLenum mode, const osg::Vec4& color,
              float width)
{
    if (!geode || points.size() < 2)
        return;
    osg::ref_ptr<osg::Geometry> g = geometry(points, color);
    g->addPrimitiveSet(new osg::DrawArrays(mode, 0, GLsizei(points.size())));
    g->getOrCreateStateSet()->setAttributeAndModes(new osg::LineWidth(width));
    geode->addDrawable(g.get());
}

namespace {

// A font that has Chinese glyphs, where one is installed; the built-in font has none.
osgText::Font* labelFont()
{
    static osg::ref_ptr<osgText::Font> font = [] {
        for (const char* path : {"/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
                                 "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
                                 "/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf"}) {
            if (osgDB::fileExists(path))
                if (osg::ref_ptr<osgText::Font> f = osgText::readRefFontFile(path))
                    return f;
        }
        return osg::ref_ptr<osgText::Font>();
    }();
    return font.get();
}

} // namespace

void addLabel(osg::Geode* geode, const osg::Vec3d& position, const std::string& text, const osg::Vec4& color,
              float size)
{
    if (!geode || text.empty())
        return;
    osg::ref_ptr<osgText::Text> label = new osgText::Text;
    if (osgText::Font* font = labelFont())
        label->setFont(font);
    label->setText(text, osgText::String::ENCODING_UTF8);
    label->setDrawCallback(cpuGlyphMipmaps());
    label->setPosition(osg::Vec3(position));
    label->setColor(color);
    label->setCharacterSizeMode(osgText::Text::SCREEN_COORDS);
    label->setCharacterSize(size > 0.0f ? size : 14.0f);
    label->setAxisAlignment(osgText::Text::SCREEN);
    label->setAlignment(osgText::Text::LEFT_BOTTOM);
    label->setBackdropType(osgText::Text::OUTLINE);
    // The text turns blending on but names no blend function: without one, the glyph quads take the
    // function another drawable left behind, or GL's own (one, zero) that draws them as solid boxes.
    geode->getOrCreateStateSet()->setAttributeAndModes(
        new osg::BlendFunc(osg::BlendFunc::SRC_ALPHA, osg::BlendFunc::ONE_MINUS_SRC_ALPHA));
    geode->addDrawable(label.get());
}

} // namespace Drawing
} // namespace Vantor
