#pragma once

// Text drawables whose glyph pages build their smaller levels on the CPU.
//
// Generating mipmaps on the GPU costs a software rasteriser a set of compiled shaders the first time
// any text is drawn (tens of milliseconds before the first picture with a label in it), while a glyph
// page is small enough for the CPU to halve in well under that. The pictures are the same.
//
// Header only: its users link osgText themselves. The switch is set from the draw, on the thread
// that applies the textures, because glyph pages are shared by every text of a font and texts are
// also built on the loader's thread.

#include <osg/Drawable>
#include <osg/RenderInfo>
#include <osgText/Text>

namespace Vantor {

class CpuGlyphMipmaps : public osg::Drawable::DrawCallback
{
public:
    void drawImplementation(osg::RenderInfo& renderInfo, const osg::Drawable* drawable) const override
    {
        if (const auto* text = dynamic_cast<const osgText::Text*>(drawable)) {
            for (const auto& page : text->getTextureGlyphQuadMap())
                if (page.first.valid() && page.first->getUseHardwareMipMapGeneration())
                    page.first->setUseHardwareMipMapGeneration(false);
        }
        drawable->drawImplementation(renderInfo);
    }
};

// One shared callback serves every text.
inline osg::Drawable::DrawCallback* cpuGlyphMipmaps()
{
    static const osg::ref_ptr<osg::Drawable::DrawCallback> callback = new CpuGlyphMipmaps;
    return callback.get();
}

} // namespace Vantor
