// Edge lines thinned by their size on the screen: every level stays within the bound it states, a
// frame picks the coarsest level within half a pixel, and the picture does not change.

#include "support/TestSupport.h"
#include "vantor/model/EdgeDetail.h"

#include <osg/Geode>
#include <osg/GraphicsContext>
#include <osg/Image>
#include <osg/PolygonOffset>
#include <osgViewer/Viewer>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using Vantor::EdgeDetail;

namespace {

// Points of a polyline and the GL_LINES list walking through them in order.
struct Lines
{
    osg::ref_ptr<osg::Vec3Array> points = new osg::Vec3Array;
    osg::ref_ptr<osg::DrawElementsUInt> list = new osg::DrawElementsUInt(GL_LINES);

    // A run through new points; closed runs end on their first point.
    void addRun(const std::vector<osg::Vec3>& run, bool closed = false)
    {
        const unsigned first = unsigned(points->size());
        for (const osg::Vec3& p : run)
            points->push_back(p);
        for (unsigned i = 1; i < run.size(); ++i) {
            list->push_back(first + i - 1);
            list->push_back(first + i);
        }
        if (closed) {
            list->push_back(first + unsigned(run.size()) - 1);
            list->push_back(first);
        }
    }
};

std::vector<osg::Vec3> circle(const osg::Vec3& centre, float radius, int segments, float z = 0.0f)
{
    std::vector<osg::Vec3> points;
    for (int i = 0; i < segments; ++i) {
        const double a = 2.0 * M_PI * i / segments;
        points.push_back(centre + osg::Vec3(float(radius * std::cos(a)), float(radius * std::sin(a)), z));
    }
    return points;
}

double distanceToSegment(const osg::Vec3d& p, const osg::Vec3d& a, const osg::Vec3d& b)
{
    const osg::Vec3d ab = b - a;
    const double t = ab.length2() > 0 ? std::clamp(((p - a) * ab) / ab.length2(), 0.0, 1.0) : 0.0;
    return (p - (a + ab * t)).length();
}

// The connected runs of a list, as point index sequences.
std::vector<std::vector<unsigned>> runsOf(const osg::DrawElementsUInt& list)
{
    std::vector<std::vector<unsigned>> runs;
    for (std::size_t s = 0; s + 1 < list.size(); s += 2) {
        if (runs.empty() || s == 0 || list[s] != list[s - 1])
            runs.push_back({list[s]});
        runs.back().push_back(list[s + 1]);
    }
    return runs;
}

} // namespace

TEST(EdgeDetail, EachLevelStaysWithinItsBoundAndKeepsItsRuns)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> jitter(-0.3f, 0.3f);
    std::vector<osg::Vec3> helix, zigzag, noisy;
    for (int i = 0; i < 300; ++i)
        helix.emplace_back(std::cos(i * 0.1f), std::sin(i * 0.1f), i * 0.01f);
    for (int i = 0; i < 41; ++i)
        zigzag.emplace_back(float(i), (i % 2) ? 1.0f : 0.0f, 0.0f);
    for (int i = 0; i < 97; ++i)
        noisy.emplace_back(i * 0.2f + jitter(random), jitter(random), jitter(random));

    Lines lines;
    lines.addRun(circle(osg::Vec3(), 5.0f, 128), true);
    lines.addRun(helix);
    lines.addRun(zigzag);
    lines.addRun(noisy);
    lines.addRun({osg::Vec3(9, 9, 9), osg::Vec3(10, 9, 9)}); // a lone segment
    lines.addRun(circle(osg::Vec3(20, 0, 0), 1.0f, 6), true); // too short to thin

    const std::vector<float> bounds = EdgeDetail::deviations(*lines.points, *lines.list);
    ASSERT_GE(bounds.size(), 5u);
    EXPECT_EQ(bounds[0], 0.0f);
    const auto fullRuns = runsOf(*lines.list);
    for (unsigned k = 0; k < bounds.size(); ++k) {
        SCOPED_TRACE("level " + std::to_string(k));
        if (k > 0) {
            EXPECT_GE(bounds[k], bounds[k - 1]);
        }
        const auto runs = runsOf(*EdgeDetail::level(*lines.list, k));
        ASSERT_EQ(runs.size(), fullRuns.size());
        for (std::size_t r = 0; r < runs.size(); ++r) {
            const auto& full = fullRuns[r];
            const auto& thin = runs[r];
            // Same ends, at least four segments (or all of them), and every point of the full run
            // within the bound of the thinned run's segment that replaces it.
            EXPECT_EQ(thin.front(), full.front());
            EXPECT_EQ(thin.back(), full.back());
            EXPECT_GE(thin.size() - 1, std::min<std::size_t>(4, full.size() - 1));
            std::size_t at = 0;
            for (std::size_t s = 1; s < thin.size(); ++s) {
                const osg::Vec3d a = (*lines.points)[thin[s - 1]], b = (*lines.points)[thin[s]];
                while (at < full.size() && full[at] != thin[s]) {
                    EXPECT_LE(distanceToSegment((*lines.points)[full[at]], a, b), bounds[k] * (1 + 1e-6))
                        << "run " << r << " point " << at;
                    ++at;
                }
            }
        }
    }

    // The bound is near the truth for a circle (a circle's sagitta), so thinning is not given away.
    Lines ring;
    ring.addRun(circle(osg::Vec3(), 1.0f, 256), true);
    const std::vector<float> ringBounds = EdgeDetail::deviations(*ring.points, *ring.list);
    ASSERT_GE(ringBounds.size(), 4u);
    for (unsigned k = 1; k < ringBounds.size(); ++k) {
        const double half = M_PI * (1 << k) / 256; // half the angle a thinned segment spans
        EXPECT_LE(ringBounds[k], 1.3 * (1.0 - std::cos(half))) << "level " << k;
    }
}

TEST(EdgeDetail, ListsThatCannotThinAreLeftAsTheyAre)
{
    Lines apart; // separate segments, as the edges of a box
    for (int i = 0; i < 12; ++i)
        apart.addRun({osg::Vec3(float(i), 0, 0), osg::Vec3(float(i), 1, 0)});
    Lines shortRuns;
    shortRuns.addRun(circle(osg::Vec3(), 1.0f, 7), true);
    shortRuns.addRun(circle(osg::Vec3(3, 0, 0), 1.0f, 5));
    Lines empty;

    for (Lines* lines : {&apart, &shortRuns, &empty}) {
        EXPECT_EQ(EdgeDetail::deviations(*lines->points, *lines->list).size(), 1u);
        for (unsigned k : {1u, 3u})
            EXPECT_EQ(EdgeDetail::level(*lines->list, k)->asVector(), lines->list->asVector());
    }

    // An index outside the points: no levels at all, the list is drawn as it is.
    Lines broken;
    broken.addRun(circle(osg::Vec3(), 1.0f, 64), true);
    broken.list->push_back(0);
    broken.list->push_back(500);
    EXPECT_TRUE(EdgeDetail::deviations(*broken.points, *broken.list).empty());
}

TEST(EdgeDetail, ChoosesTheCoarsestLevelWithinTolerance)
{
    const std::vector<float> bounds = {0.0f, 0.01f, 0.04f, 0.04f, 0.2f};
    const struct { double tolerance; unsigned level; } cases[] = {
        {0.0, 0}, {0.005, 0}, {0.01, 1}, {0.039, 1}, {0.04, 3}, {0.1, 3}, {0.25, 4}, {10.0, 4},
        {std::nan(""), 0}, {-1.0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EdgeDetail::choose(bounds, c.tolerance), c.level) << "tolerance " << c.tolerance;
    EXPECT_EQ(EdgeDetail::choose({0.0f}, 1.0), 0u);
    EXPECT_EQ(EdgeDetail::choose({}, 1.0), 0u);
}

TEST(EdgeDetail, UnitsPerPixelFollowTheProjectionTheScaleAndTheNearestPoint)
{
    const osg::ref_ptr<osg::Viewport> port = new osg::Viewport(0, 0, 800, 600);
    const osg::Viewport& viewport = *port;
    const osg::ref_ptr<osg::Viewport> large = new osg::Viewport(0, 0, 1600, 1200);
    const osg::ref_ptr<osg::Viewport> none = new osg::Viewport(0, 0, 0, 0);
    const osg::Matrixd perspective = osg::Matrixd::perspective(30.0, 800.0 / 600.0, 0.1, 1000.0);
    const osg::BoundingSphere unit(osg::Vec3(), 1.0f);
    auto at = [](double distance) { return osg::Matrixd::translate(0, 0, -distance); };

    const double far = EdgeDetail::unitsPerPixel(at(101), perspective, viewport, unit);
    const double near = EdgeDetail::unitsPerPixel(at(11), perspective, viewport, unit);
    EXPECT_GT(far, 0.0);
    EXPECT_NEAR(far / near, 10.0, 1e-9); // the nearest point of the sphere counts
    EXPECT_NEAR(EdgeDetail::unitsPerPixel(at(101), perspective, *large, unit), far / 2, 1e-12);
    EXPECT_NEAR(EdgeDetail::unitsPerPixel(osg::Matrixd::scale(2, 2, 2) * at(101), perspective, viewport,
                                          osg::BoundingSphere(osg::Vec3(), 0.5f)),
                far / 2, 1e-12);

    // Unknown: the eye inside or behind the body, an empty viewport, a broken matrix.
    EXPECT_EQ(EdgeDetail::unitsPerPixel(at(0.5), perspective, viewport, unit), 0.0);
    EXPECT_EQ(EdgeDetail::unitsPerPixel(at(-20), perspective, viewport, unit), 0.0);
    EXPECT_EQ(EdgeDetail::unitsPerPixel(at(50), perspective, *none, unit), 0.0);
    EXPECT_EQ(EdgeDetail::unitsPerPixel(osg::Matrixd::scale(0, 0, 0) * at(50), perspective, viewport, unit), 0.0);
    EXPECT_EQ(EdgeDetail::unitsPerPixel(at(50), perspective, viewport, osg::BoundingSphere()), 0.0);

    // Orthographic: the distance does not matter.
    const osg::Matrixd ortho = osg::Matrixd::ortho(-8, 8, -6, 6, -100, 100);
    EXPECT_NEAR(EdgeDetail::unitsPerPixel(at(5), ortho, viewport, unit), 16.0 / 800.0, 1e-12);
    EXPECT_NEAR(EdgeDetail::unitsPerPixel(at(50), ortho, viewport, unit), 16.0 / 800.0, 1e-12);

    // What it promises: a step of that length anywhere in the sphere, in any direction, moves the
    // point by at most a pixel on the screen, under a rotated, sheared and off-centre view.
    const osg::Matrixd window = osg::Matrixd::translate(1, 1, 1) * osg::Matrixd::scale(400, 300, 0.5);
    const osg::Matrixd views[] = {
        at(30),
        osg::Matrixd::rotate(0.7, osg::Vec3d(1, 2, 3)) * at(12),
        osg::Matrixd(1, 0.4, 0, 0, 0, 1, 0, 0, 0.3, 0, 1.5, 0, 0, 0, 0, 1) * osg::Matrixd::translate(2, -1, -9),
    };
    const osg::Matrixd projections[] = {perspective, osg::Matrixd::frustum(-0.02, 0.09, -0.03, 0.05, 0.1, 100), ortho};
    std::mt19937 random(3);
    std::uniform_real_distribution<double> any(-1.0, 1.0);
    for (const osg::Matrixd& view : views) {
        for (const osg::Matrixd& projection : projections) {
            const double step = EdgeDetail::unitsPerPixel(view, projection, viewport, unit);
            ASSERT_GT(step, 0.0);
            const osg::Matrixd toScreen = view * projection * window;
            double worst = 0.0;
            for (int i = 0; i < 2000; ++i) {
                osg::Vec3d p(any(random), any(random), any(random));
                if (p.length() > 1.0)
                    continue;
                osg::Vec3d d(any(random), any(random), any(random));
                d.normalize();
                const osg::Vec3d a = p * toScreen, b = (p + d * step) * toScreen;
                worst = std::max(worst, std::hypot(a.x() - b.x(), a.y() - b.y()));
            }
            EXPECT_LE(worst, 1.0 + 1e-9);
            EXPECT_GT(worst, 0.2); // and it is not needlessly small
        }
    }
}

namespace {

// A window-less GL surface that draws one frame and reads it back.
class Offscreen
{
public:
    static constexpr int W = 320, H = 240;

    bool open()
    {
        osg::ref_ptr<osg::GraphicsContext::Traits> traits = new osg::GraphicsContext::Traits;
        traits->width = W;
        traits->height = H;
        traits->readDISPLAY();
        traits->setUndefinedScreenDetailsToDefaultScreen();
        traits->pbuffer = true;
        traits->doubleBuffer = false;
        traits->alpha = 8;
        m_context = osg::GraphicsContext::createGraphicsContext(traits.get());
        if (!m_context || !m_context->valid())
            return false;
        osg::Camera* camera = m_viewer->getCamera();
        camera->setGraphicsContext(m_context.get());
        camera->setViewport(0, 0, W, H);
        camera->setDrawBuffer(GL_FRONT);
        camera->setReadBuffer(GL_FRONT);
        camera->setClearColor(osg::Vec4(1, 1, 1, 1));
        camera->setProjectionMatrixAsPerspective(30.0, double(W) / H, 0.5, 500.0);
        camera->setComputeNearFarMode(osg::CullSettings::DO_NOT_COMPUTE_NEAR_FAR);
        camera->setFinalDrawCallback(new ReadBack(m_image.get()));
        m_viewer->setThreadingModel(osgViewer::ViewerBase::SingleThreaded);
        m_viewer->setLightingMode(osg::View::NO_LIGHT);
        m_viewer->realize();
        return m_viewer->isRealized();
    }

    osg::ref_ptr<osg::Image> draw(osg::Node* scene, const osg::Vec3d& eye)
    {
        m_viewer->setSceneData(scene);
        m_viewer->getCamera()->setViewMatrixAsLookAt(eye, osg::Vec3d(), osg::Vec3d(0, 0, 1));
        m_viewer->frame();
        return new osg::Image(*m_image, osg::CopyOp::DEEP_COPY_ALL);
    }

private:
    struct ReadBack : osg::Camera::DrawCallback
    {
        explicit ReadBack(osg::Image* image) : image(image) {}
        void operator()(osg::RenderInfo&) const override { image->readPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE); }
        osg::ref_ptr<osg::Image> image;
    };

    osg::ref_ptr<osgViewer::Viewer> m_viewer = new osgViewer::Viewer;
    osg::ref_ptr<osg::GraphicsContext> m_context;
    osg::ref_ptr<osg::Image> m_image = new osg::Image;
};

bool dark(const osg::Image& image, int x, int y)
{
    return image.data(x, y)[0] < 100;
}

// Pixels of lines in one image with no line pixel of the other within a pixel.
int strayPixels(const osg::Image& from, const osg::Image& to)
{
    int stray = 0;
    for (int y = 0; y < from.t(); ++y) {
        for (int x = 0; x < from.s(); ++x) {
            if (!dark(from, x, y))
                continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy) {
                for (int dx = -1; dx <= 1 && !near; ++dx) {
                    const int u = x + dx, v = y + dy;
                    near = u >= 0 && v >= 0 && u < to.s() && v < to.t() && dark(to, u, v);
                }
            }
            stray += near ? 0 : 1;
        }
    }
    return stray;
}

int darkPixels(const osg::Image& image)
{
    int count = 0;
    for (int y = 0; y < image.t(); ++y) {
        for (int x = 0; x < image.s(); ++x)
            count += dark(image, x, y) ? 1 : 0;
    }
    return count;
}

osg::ref_ptr<osg::Geometry> edgeGeometry(osg::Vec3Array* points, osg::DrawElementsUInt* lines, bool bufferObjects)
{
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    g->setUseDisplayList(false);
    g->setUseVertexBufferObjects(bufferObjects);
    g->setVertexArray(points);
    osg::ref_ptr<osg::Vec4Array> colour = new osg::Vec4Array;
    colour->push_back(osg::Vec4(0.1f, 0.1f, 0.1f, 1.0f));
    g->setColorArray(colour.get(), osg::Array::BIND_OVERALL);
    g->addPrimitiveSet(lines);
    g->getOrCreateStateSet()->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    return g;
}

// A grid of cylinders: faces pushed back as the model's faces are, the two rims as edge lines.
struct Cylinders
{
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    std::vector<osg::ref_ptr<osg::Geometry>> edges;

    Cylinders(bool bufferObjects, int segments, bool withFaces)
    {
        for (int i = 0; i < 9; ++i) {
            const osg::Vec3 centre(float(i % 3 - 1) * 3.0f, float(i / 3 - 1) * 3.0f, 0.0f);
            Lines rims;
            rims.addRun(circle(centre, 1.0f, segments, -0.5f), true);
            rims.addRun(circle(centre, 1.0f, segments, 0.5f), true);
            osg::ref_ptr<osg::Geometry> edge = edgeGeometry(rims.points.get(), rims.list.get(), bufferObjects);
            edges.push_back(edge);
            geode->addDrawable(edge.get());
            if (!withFaces)
                continue;
            const unsigned n = unsigned(segments);
            osg::ref_ptr<osg::DrawElementsUInt> triangles = new osg::DrawElementsUInt(GL_TRIANGLES);
            rims.points->push_back(centre + osg::Vec3(0, 0, -0.5f));
            rims.points->push_back(centre + osg::Vec3(0, 0, 0.5f));
            for (unsigned s = 0; s < n; ++s) {
                const unsigned t = (s + 1) % n;
                for (unsigned v : {s, t, n + t, s, n + t, n + s, 2 * n, t, s, 2 * n + 1, n + s, n + t})
                    triangles->push_back(v);
            }
            osg::ref_ptr<osg::Geometry> faces = new osg::Geometry;
            faces->setUseDisplayList(false);
            faces->setUseVertexBufferObjects(bufferObjects);
            faces->setVertexArray(rims.points.get());
            osg::ref_ptr<osg::Vec4Array> colour = new osg::Vec4Array;
            colour->push_back(osg::Vec4(0.8f, 0.85f, 0.9f, 1.0f));
            faces->setColorArray(colour.get(), osg::Array::BIND_OVERALL);
            faces->addPrimitiveSet(triangles.get());
            osg::StateSet* state = faces->getOrCreateStateSet();
            state->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
            state->setAttributeAndModes(new osg::PolygonOffset(1.0f, 1.0f));
            geode->addDrawable(faces.get());
        }
    }

    void thin(bool on)
    {
        for (auto& edge : edges)
            edge->setDrawCallback(on ? new EdgeDetail : nullptr);
    }

    unsigned level() const
    {
        auto* detail = dynamic_cast<const EdgeDetail*>(edges.front()->getDrawCallback());
        return detail ? detail->lastLevel() : 0;
    }
};

class EdgeDetailDrawn : public testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        if (!nerio_test::hasDisplay())
            GTEST_SKIP() << "needs an X display";
        if (!surface.open())
            GTEST_SKIP() << "no pixel buffer on this display";
    }

    Offscreen surface;
};

} // namespace

TEST_P(EdgeDetailDrawn, FarCirclesDrawThinnedAndLookTheSameNearOnesWhole)
{
    Cylinders rings(GetParam(), 64, false);
    const struct { osg::Vec3d eye; bool thinned; } views[] = {
        {osg::Vec3d(0, -70, 50), true},
        {osg::Vec3d(0, -4, 3), false},
    };
    for (const auto& view : views) {
        SCOPED_TRACE(view.thinned ? "far" : "near");
        rings.thin(false);
        osg::ref_ptr<osg::Image> full = surface.draw(rings.geode.get(), view.eye);
        rings.thin(true);
        osg::ref_ptr<osg::Image> thinned = surface.draw(rings.geode.get(), view.eye);
        if (view.thinned)
            EXPECT_GE(rings.level(), 2u);
        else
            EXPECT_EQ(rings.level(), 0u);
        EXPECT_GT(darkPixels(*full), 300);
        EXPECT_EQ(strayPixels(*full, *thinned), 0);
        EXPECT_EQ(strayPixels(*thinned, *full), 0);
    }
}

TEST_P(EdgeDetailDrawn, ThinnedEdgesStillShowOverTheirFaces)
{
    Cylinders solids(GetParam(), 48, true);
    const osg::Vec3d eye(10, -60, 35);
    solids.thin(false);
    osg::ref_ptr<osg::Image> full = surface.draw(solids.geode.get(), eye);
    solids.thin(true);
    osg::ref_ptr<osg::Image> thinned = surface.draw(solids.geode.get(), eye);
    EXPECT_GE(solids.level(), 1u);
    EXPECT_GT(darkPixels(*full), 300);
    // A chord cuts inside the rim: where it ran behind the faces the rim would break up.
    EXPECT_EQ(strayPixels(*full, *thinned), 0);
    EXPECT_EQ(strayPixels(*thinned, *full), 0);
}

INSTANTIATE_TEST_SUITE_P(Arrays, EdgeDetailDrawn, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "BufferObjects" : "ClientArrays";
                         });
