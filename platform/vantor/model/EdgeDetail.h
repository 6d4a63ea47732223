#pragma once

#include <osg/Drawable>
#include <osg/Geometry>
#include <osg/Matrix>
#include <osg/PrimitiveSet>
#include <osg/Viewport>

#include <atomic>
#include <mutex>
#include <vector>

namespace Vantor {

// Draws a body's edge lines with fewer segments while the body is small on the screen.
//
// The edges of a body are one list of line segments; its connected runs are polylines (the tessellated
// circles, arcs and curves of the part). Level k keeps every 2^k-th point of each run, and never fewer
// than four segments of it. Every level carries a bound of how far its lines may stray from the full
// ones; a frame draws the coarsest level whose bound stays within PixelTolerance pixels at the body's
// nearest point to the eye. Picking, measuring and sectioning read the geometry itself and never see
// a thinned list.
class EdgeDetail : public osg::Drawable::DrawCallback
{
public:
    // How far on the screen a thinned line may lie from the full one.
    static constexpr float PixelTolerance = 0.5f;
    // Finer levels than this are never worth their lists.
    static constexpr unsigned MaxLevels = 12;

    EdgeDetail() = default;
    EdgeDetail(const EdgeDetail& other, const osg::CopyOp& copyop)
        : osg::Object(other, copyop), osg::Drawable::DrawCallback(other, copyop)
    {
    }
    META_Object(Vantor, EdgeDetail)

    // The bound, in the points' units, of each level's distance from the full lines: index 0 is the
    // full list (0); the bounds never shrink from one level to the next. Fewer than two entries when
    // the list cannot be thinned, none when an index lies outside the points.
    static std::vector<float> deviations(const osg::Vec3Array& points, const osg::DrawElementsUInt& lines);
    // The segments of level k (k = 0: a copy of the list).
    static osg::ref_ptr<osg::DrawElementsUInt> level(const osg::DrawElementsUInt& lines, unsigned k);
    // The coarsest level whose bound is within the tolerance (0 when none is).
    static unsigned choose(const std::vector<float>& deviations, double tolerance);
    // The smallest length in model units that still spans a pixel anywhere in the sphere (model
    // coordinates) under these matrices; 0 when it cannot be told (the eye inside or behind the sphere,
    // an empty viewport), which keeps the full lines.
    static double unitsPerPixel(const osg::Matrixd& modelView, const osg::Matrixd& projection,
                                const osg::Viewport& viewport, const osg::BoundingSphere& sphere);

    // The level drawn by the last frame, for tests and diagnostics.
    unsigned lastLevel() const { return m_lastLevel.load(); }

    void drawImplementation(osg::RenderInfo& renderInfo, const osg::Drawable* drawable) const override;
    void releaseGLObjects(osg::State* state = nullptr) const override;

protected:
    ~EdgeDetail() override = default;

private:
    struct Levels
    {
        // Held, so a list freed and another made at its address is never taken for it.
        osg::ref_ptr<const osg::Array> points;
        osg::ref_ptr<const osg::DrawElementsUInt> lines;
        unsigned pointsModified = 0;
        unsigned linesModified = 0;
        std::vector<float> deviations;
        std::vector<osg::ref_ptr<osg::Geometry>> geometries; // built when first drawn; [0] unused
    };

    // The level geometry to draw for this frame; null draws the drawable itself.
    osg::ref_ptr<osg::Geometry> levelToDraw(const osg::Geometry& geometry, const osg::State& state) const;

    mutable std::mutex m_mutex;
    mutable Levels m_levels;
    mutable std::atomic<unsigned> m_lastLevel{0};
};

} // namespace Vantor
