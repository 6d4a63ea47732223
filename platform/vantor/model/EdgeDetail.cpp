#include "vantor/model/EdgeDetail.h"

#include <osg/BoundingSphere>
#include <osg/State>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Vantor {

namespace {

// A connected run of segments: the list's segments [first, first + count), each starting where the
// one before it ended.
struct Run
{
    std::size_t first = 0;
    std::size_t count = 0;
};

std::vector<Run> runsOf(const osg::DrawElementsUInt& lines)
{
    std::vector<Run> runs;
    const std::size_t segments = lines.size() / 2;
    for (std::size_t s = 0; s < segments; ++s) {
        if (s > 0 && lines[2 * s] == lines[2 * s - 1] && !runs.empty())
            ++runs.back().count;
        else
            runs.push_back({s, 1});
    }
    return runs;
}

// The point index at position i of the run (0 .. count).
unsigned int pointOf(const osg::DrawElementsUInt& lines, const Run& run, std::size_t i)
{
    return i == 0 ? lines[2 * run.first] : lines[2 * (run.first + i - 1) + 1];
}

// Level k takes every step-th point of a run, but keeps at least four of its segments.
std::size_t stepOf(std::size_t count, unsigned k)
{
    if (k == 0)
        return 1;
    const std::size_t most = std::max<std::size_t>(1, count / 4);
    return std::min<std::size_t>(std::size_t(1) << std::min(k, 30u), most);
}

// The levels that change anything for a run of this many segments, level 0 included.
unsigned levelsFor(std::size_t count)
{
    unsigned k = 1;
    while (k < EdgeDetail::MaxLevels && stepOf(count, k) > stepOf(count, k - 1))
        ++k;
    return k;
}

} // namespace

std::vector<float> EdgeDetail::deviations(const osg::Vec3Array& points, const osg::DrawElementsUInt& lines)
{
    for (unsigned int index : lines) {
        if (index >= points.size())
            return {};
    }
    const std::vector<Run> runs = runsOf(lines);
    unsigned levels = 1;
    for (const Run& run : runs)
        levels = std::max(levels, levelsFor(run.count));
    std::vector<float> result(levels, 0.0f);

    std::vector<double> along; // arc length from the start of the run
    for (const Run& run : runs) {
        const unsigned runLevels = levelsFor(run.count);
        if (runLevels < 2)
            continue;
        along.assign(run.count + 1, 0.0);
        for (std::size_t i = 1; i <= run.count; ++i) {
            const osg::Vec3d a = points[pointOf(lines, run, i - 1)];
            const osg::Vec3d b = points[pointOf(lines, run, i)];
            along[i] = along[i - 1] + (b - a).length();
        }
        for (unsigned k = 1; k < levels; ++k) {
            const std::size_t step = stepOf(run.count, k);
            double worst = 0.0;
            for (std::size_t i = 0; i < run.count; i += step) {
                const std::size_t j = std::min(i + step, run.count);
                // Every point of the path between i and j lies within the ellipse whose foci are the
                // two kept points and whose major axis is the path's length: no farther from the
                // chord than half its minor axis.
                const double path = along[j] - along[i];
                const double chord = (osg::Vec3d(points[pointOf(lines, run, j)]) -
                                      osg::Vec3d(points[pointOf(lines, run, i)])).length();
                worst = std::max(worst, 0.5 * std::sqrt(std::max(0.0, path * path - chord * chord)));
            }
            // Rounded up, so the float never understates the bound.
            result[k] = std::max(result[k], std::nextafter(float(worst), std::numeric_limits<float>::max()));
        }
    }
    for (std::size_t k = 1; k < result.size(); ++k)
        result[k] = std::max(result[k], result[k - 1]);
    return result;
}

osg::ref_ptr<osg::DrawElementsUInt> EdgeDetail::level(const osg::DrawElementsUInt& lines, unsigned k)
{
    osg::ref_ptr<osg::DrawElementsUInt> result = new osg::DrawElementsUInt(GL_LINES);
    for (const Run& run : runsOf(lines)) {
        const std::size_t step = stepOf(run.count, k);
        for (std::size_t i = 0; i < run.count; i += step) {
            const std::size_t j = std::min(i + step, run.count);
            result->push_back(pointOf(lines, run, i));
            result->push_back(pointOf(lines, run, j));
        }
    }
    return result;
}

unsigned EdgeDetail::choose(const std::vector<float>& deviations, double tolerance)
{
    unsigned chosen = 0;
    for (unsigned k = 1; k < deviations.size(); ++k) {
        if (!(double(deviations[k]) <= tolerance))
            break;
        chosen = k;
    }
    return chosen;
}

double EdgeDetail::unitsPerPixel(const osg::Matrixd& modelView, const osg::Matrixd& projection,
                                 const osg::Viewport& viewport, const osg::BoundingSphere& sphere)
{
    if (!sphere.valid() || !(viewport.width() > 0.0) || !(viewport.height() > 0.0))
        return 0.0;
    // How much the model view stretches a length: the longest of its rows when they are at right
    // angles (a rigid move with a scale), otherwise the bound of all three together.
    osg::Vec3d rows[3];
    for (int r = 0; r < 3; ++r)
        rows[r] = osg::Vec3d(modelView(r, 0), modelView(r, 1), modelView(r, 2));
    double longest = 0.0, all = 0.0;
    for (const osg::Vec3d& row : rows) {
        longest = std::max(longest, row.length());
        all += row.length2();
    }
    double stretch = longest;
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            if (std::abs(rows[a] * rows[b]) > 1e-6 * rows[a].length() * rows[b].length())
                stretch = std::sqrt(all);
        }
    }
    if (!(stretch > 0.0) || !std::isfinite(stretch))
        return 0.0;

    const double sx = std::abs(projection(0, 0)) * viewport.width() / 2.0; // pixels per unit of x / depth
    const double sy = std::abs(projection(1, 1)) * viewport.height() / 2.0;
    if (!(sx > 0.0) || !(sy > 0.0))
        return 0.0;
    const bool perspective = projection(2, 3) != 0.0 || projection(3, 3) != 1.0;
    if (!perspective)
        return 1.0 / (std::max(sx, sy) * stretch);

    const osg::Vec3d centre = sphere.center() * modelView;
    const double nearest = -centre.z() - sphere.radius() * stretch;
    if (!(nearest > 0.0) || !std::isfinite(nearest))
        return 0.0;
    // A step along the line of sight moves a point off the middle of the view across the screen as
    // well: by up to the tangent of the view's half angle in each direction.
    const double tx = (1.0 + std::abs(projection(2, 0))) / std::abs(projection(0, 0));
    const double ty = (1.0 + std::abs(projection(2, 1))) / std::abs(projection(1, 1));
    const double slant = std::sqrt(1.0 + tx * tx + ty * ty);
    return nearest / (std::max(sx, sy) * slant * stretch);
}

osg::ref_ptr<osg::Geometry> EdgeDetail::levelToDraw(const osg::Geometry& geometry, const osg::State& state) const
{
    const osg::Viewport* viewport = state.getCurrentViewport();
    const auto* points = dynamic_cast<const osg::Vec3Array*>(geometry.getVertexArray());
    const auto* lines = geometry.getNumPrimitiveSets() == 1
                            ? dynamic_cast<const osg::DrawElementsUInt*>(geometry.getPrimitiveSet(0))
                            : nullptr;
    if (!viewport || !points || !lines || lines->getMode() != GL_LINES)
        return nullptr;

    std::lock_guard<std::mutex> lock(m_mutex);
    Levels& cache = m_levels;
    if (cache.points.get() != points || cache.lines.get() != lines || cache.pointsModified != points->getModifiedCount() ||
        cache.linesModified != lines->getModifiedCount()) {
        cache = Levels();
        cache.points = points;
        cache.lines = lines;
        cache.pointsModified = points->getModifiedCount();
        cache.linesModified = lines->getModifiedCount();
        cache.deviations = deviations(*points, *lines);
        cache.geometries.resize(cache.deviations.size());
    }
    if (cache.deviations.size() < 2)
        return nullptr;

    const osg::BoundingSphere sphere(geometry.getBoundingBox());
    const double upp = unitsPerPixel(state.getModelViewMatrix(), state.getProjectionMatrix(), *viewport, sphere);
    const unsigned k = choose(cache.deviations, PixelTolerance * upp);
    m_lastLevel.store(k);
    if (k == 0)
        return nullptr;
    osg::ref_ptr<osg::Geometry>& built = cache.geometries[k];
    if (!built) {
        // Shares the arrays, their buffers and the state of the full lines; only the list differs.
        built = new osg::Geometry(geometry, osg::CopyOp::SHALLOW_COPY);
        built->setDrawCallback(nullptr);
        built->removePrimitiveSet(0, built->getNumPrimitiveSets());
        osg::ref_ptr<osg::DrawElementsUInt> list = level(*lines, k);
        if (auto* buffer = const_cast<osg::DrawElementsUInt*>(lines)->getElementBufferObject())
            list->setElementBufferObject(buffer);
        built->addPrimitiveSet(list.get());
    }
    return built;
}

void EdgeDetail::drawImplementation(osg::RenderInfo& renderInfo, const osg::Drawable* drawable) const
{
    const osg::Geometry* geometry = drawable->asGeometry();
    const osg::State* state = renderInfo.getState();
    osg::ref_ptr<osg::Geometry> thinned = geometry && state ? levelToDraw(*geometry, *state) : nullptr;
    if (!thinned) {
        m_lastLevel.store(0);
        drawable->drawImplementation(renderInfo);
        return;
    }
    thinned->draw(renderInfo);
}

void EdgeDetail::releaseGLObjects(osg::State* state) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& geometry : m_levels.geometries) {
        if (geometry)
            geometry->releaseGLObjects(state);
    }
}

} // namespace Vantor
