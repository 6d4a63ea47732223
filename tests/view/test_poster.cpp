// Posters: the dialog's texts, tile placement, and real tiled renders into pixel buffers and
// framebuffer objects.

#include "common/Prompts.h"
#include "support/TestSupport.h"
#include "view/PosterImageDialog.h"
#include "view/PrintPosterHandler.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Geometry>
#include <osgViewer/View>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

namespace {

// The dialog's widgets, found by their object names.
struct Form
{
    explicit Form(PosterImageDialog& d)
        : comboBoxPosterSize(d.findChild<QComboBox*>("comboBoxPosterSize")),
          lineEditOutputFile(d.findChild<QLineEdit*>("lineEditOutputFile")),
          labelTileNumber(d.findChild<QLabel*>("labelTileNumber")),
          progressBar(d.findChild<QProgressBar*>("progressBar"))
    {
    }
    QComboBox* comboBoxPosterSize;
    QLineEdit* lineEditOutputFile;
    QLabel* labelTileNumber;
    QProgressBar* progressBar;
};

struct CountingPrompts : Prompts
{
    QString answer;
    int warnings = 0;
    QString lastWarning;
    QString getSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return answer; }
    void warning(QWidget*, const QString&, const QString& text) override
    {
        ++warnings;
        lastWarning = text;
    }
    CountingPrompts() { Prompts::set(this); }
    ~CountingPrompts() override { Prompts::set(nullptr); }
};

osg::Geometry* quad(float x0, float y0, float x1, float y1, const osg::Vec4& colour)
{
    auto* geometry = new osg::Geometry;
    auto* vertices = new osg::Vec3Array;
    const float z = -100.0f;
    vertices->push_back(osg::Vec3(x0, y0, z));
    vertices->push_back(osg::Vec3(x1, y0, z));
    vertices->push_back(osg::Vec3(x1, y1, z));
    vertices->push_back(osg::Vec3(x0, y1, z));
    geometry->setVertexArray(vertices);
    auto* colours = new osg::Vec4Array;
    colours->push_back(colour);
    geometry->setColorArray(colours, osg::Array::BIND_OVERALL);
    geometry->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, 4));
    return geometry;
}

// Seen from the origin down -Z, four coloured quarters with a narrow cross of background between them.
osg::ref_ptr<osg::Node> quarters()
{
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    const float gap = 1.0f;
    geode->addDrawable(quad(-300, -300, -gap, -gap, osg::Vec4(1, 0, 0, 1))); // lower left: red
    geode->addDrawable(quad(gap, -300, 300, -gap, osg::Vec4(0, 1, 0, 1)));   // lower right: green
    geode->addDrawable(quad(-300, gap, -gap, 300, osg::Vec4(0, 0, 1, 1)));   // upper left: blue
    geode->addDrawable(quad(gap, gap, 300, 300, osg::Vec4(1, 1, 0, 1)));     // upper right: yellow
    geode->getOrCreateStateSet()->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    return geode;
}

QString scratchFile(const QString& name)
{
    const QString dir = nerio_test::scratchDir() + "/posters";
    QDir().mkpath(dir);
    QFile::remove(dir + "/" + name);
    return dir + "/" + name;
}

} // namespace

TEST(PosterDialog, FormTextsAndTheTileLabelFollowingTheSize)
{
    PosterImageDialog dialog;
    Form form(dialog);
    Form* ui = &form;
    EXPECT_EQ(dialog.windowTitle(), "Poster Image Production");
    EXPECT_EQ(ui->comboBoxPosterSize->count(), 15);
    EXPECT_EQ(ui->comboBoxPosterSize->currentText(), "2048");
    EXPECT_EQ(ui->comboBoxPosterSize->itemText(14), "16384");
    EXPECT_EQ(ui->lineEditOutputFile->text(), QDir::toNativeSeparators(QDir::tempPath() + "/poster.png"));
    EXPECT_TRUE(ui->progressBar->isHidden());
    EXPECT_EQ(ui->labelTileNumber->text(), "2x2 = 4 tile(s)");

    const struct { int index; const char* text; } cases[] = {
        {1, "3x3 = 9 tile(s)"}, {6, "8x8 = 64 tile(s)"}, {14, "16x16 = 256 tile(s)"}, {0, "2x2 = 4 tile(s)"}};
    for (const auto& c : cases) {
        ui->comboBoxPosterSize->setCurrentIndex(c.index);
        EXPECT_EQ(ui->labelTileNumber->text(), c.text) << c.index;
    }
    EXPECT_EQ(PosterImageDialog::tileNumberText(16384), "16x16 = 256 tile(s)");
}

TEST(PosterDialog, OpenButtonChoosesTheFileUnlessCancelled)
{
    CountingPrompts prompts;
    PosterImageDialog dialog;
    const QString before = Form(dialog).lineEditOutputFile->text();
    dialog.on_pushButtonOpen_pressed();
    EXPECT_EQ(Form(dialog).lineEditOutputFile->text(), before);
    prompts.answer = "/tmp/chosen.png";
    dialog.on_pushButtonOpen_pressed();
    EXPECT_EQ(Form(dialog).lineEditOutputFile->text(), "/tmp/chosen.png");
}

TEST(PosterDialog, ProgressBarShowsUntilItsMaximum)
{
    PosterImageDialog dialog;
    QProgressBar* bar = Form(dialog).progressBar;
    dialog.updateProgressBar(0, 5);
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->maximum(), 5);
    dialog.updateProgressBar(3, 99); // the maximum is taken only when the bar appears
    EXPECT_EQ(bar->maximum(), 5);
    dialog.updateProgressBar(5, 5);
    EXPECT_TRUE(bar->isHidden());
}

TEST(PrintPosterHandler, TilesLandAtTheirPlaceInThePoster)
{
    osg::ref_ptr<osg::Image> poster = PrintPosterHandler::allocateImage(6, 4);
    ASSERT_TRUE(poster.valid());
    // Tiles of 3 x 2 pixels; every byte of tile (r, c) holds 10 r + c + 1.
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 2; ++c) {
            osg::ref_ptr<osg::Image> tile = PrintPosterHandler::allocateImage(3, 2);
            std::fill(tile->data(), tile->data() + tile->getTotalSizeInBytes(), (unsigned char)(10 * r + c + 1));
            ASSERT_TRUE(PrintPosterHandler::copyTile(*tile, r, c, *poster));
        }
    }
    for (int t = 0; t < 4; ++t)
        for (int s = 0; s < 6; ++s)
            EXPECT_EQ(*poster->data(unsigned(s), unsigned(t)), 10 * (t / 2) + s / 3 + 1) << s << "," << t;

    // A tile beyond the poster is clipped away; a tile of another pixel format is refused.
    osg::ref_ptr<osg::Image> tile = PrintPosterHandler::allocateImage(3, 2);
    EXPECT_TRUE(PrintPosterHandler::copyTile(*tile, 5, 5, *poster));
    osg::ref_ptr<osg::Image> rgb = new osg::Image;
    rgb->allocateImage(3, 2, 1, GL_RGB, GL_UNSIGNED_BYTE);
    EXPECT_FALSE(PrintPosterHandler::copyTile(*rgb, 0, 0, *poster));
    EXPECT_FALSE(PrintPosterHandler::allocateImage(0, 5).valid());
}

TEST(PrintPosterHandler, DispatchesFourTilesEverySecondFrameAndCompletesWhenAllAreRecorded)
{
    const struct { int size; unsigned completeAt; } cases[] = {{2048, 2}, {3072, 6}, {4096, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        osg::ref_ptr<osg::Group> cameras = new osg::Group;
        for (int i = 0; i < 4; ++i)
            cameras->addChild(new osg::Camera);
        osg::ref_ptr<osg::Image> poster = PrintPosterHandler::allocateImage(c.size, c.size);
        osg::ref_ptr<PrintPosterHandler> handler = new PrintPosterHandler;
        handler->setTileSize(1024, 1024);
        handler->setPosterSize(c.size, c.size);
        handler->setCameraRoot(cameras.get());
        handler->setFinalPoster(poster.get());
        handler->prepare();

        osg::ref_ptr<osgViewer::View> view = new osgViewer::View;
        osg::ref_ptr<osg::FrameStamp> stamp = new osg::FrameStamp;
        view->setFrameStamp(stamp.get());
        osg::ref_ptr<osgGA::GUIEventAdapter> frame = new osgGA::GUIEventAdapter;
        frame->setEventType(osgGA::GUIEventAdapter::FRAME);
        unsigned n = 0;
        for (; n < 40 && !handler->isComplete(); ++n) {
            stamp->setFrameNumber(n);
            EXPECT_FALSE(handler->handle(*frame, *view));
        }
        EXPECT_TRUE(handler->isComplete());
        EXPECT_EQ(n, c.completeAt + 1);
        EXPECT_EQ(handler->recordedTiles(), std::size_t(c.size / 1024) * std::size_t(c.size / 1024));
    }

    // Without sub-cameras nothing runs and nothing completes.
    osg::ref_ptr<PrintPosterHandler> bare = new PrintPosterHandler;
    bare->setTileSize(1024, 1024);
    bare->setPosterSize(2048, 2048);
    bare->prepare();
    osg::ref_ptr<osgViewer::View> view = new osgViewer::View;
    osg::ref_ptr<osgGA::GUIEventAdapter> frame = new osgGA::GUIEventAdapter;
    frame->setEventType(osgGA::GUIEventAdapter::FRAME);
    for (int i = 0; i < 4; ++i)
        bare->handle(*frame, *view);
    EXPECT_FALSE(bare->isRunning());
    EXPECT_FALSE(bare->isComplete());
}

TEST(PosterRender, RefusesWhatItCannotDoAndWritesNothing)
{
    PosterImageDialog dialog;
    const QString file = scratchFile("refused.png");
    QString error;
    EXPECT_FALSE(dialog.renderPoster(2048, file, &error)); // no scene
    EXPECT_FALSE(error.isEmpty());

    osg::ref_ptr<osg::Node> scene = quarters();
    dialog.setScene(scene.get());
    EXPECT_FALSE(dialog.renderPoster(3000, file, &error)); // not a multiple of 1024
    EXPECT_FALSE(dialog.renderPoster(2048, "", &error));
#if !defined(__SANITIZE_ADDRESS__)
    // 4 TiB cannot be had.
    EXPECT_FALSE(dialog.renderPoster(1024 * 1024, file, &error));
    EXPECT_TRUE(error.contains("memory")) << error.toStdString();
#endif
    EXPECT_FALSE(QFile::exists(file));

    // Through the Ok button the reason reaches the user.
    CountingPrompts prompts;
    PosterImageDialog empty;
    Form(empty).lineEditOutputFile->setText(file);
    empty.on_pushButtonOk_pressed();
    EXPECT_EQ(prompts.warnings, 1);
    EXPECT_FALSE(QFile::exists(file));
}

class PosterRenderOn : public ::testing::TestWithParam<bool>
{
};

TEST_P(PosterRenderOn, QuartersOfA2048PosterHoldTheirColours)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    const bool pixelBuffer = GetParam();
    PosterImageDialog dialog;
    dialog.setPixelBufferAllowed(pixelBuffer);
    osg::ref_ptr<osg::Node> scene = quarters();
    dialog.setScene(scene.get());
    const QString file = scratchFile(pixelBuffer ? "pbuffer.png" : "fbo.png");

    QString error;
    ASSERT_TRUE(dialog.renderPoster(2048, file, &error)) << error.toStdString();
    EXPECT_EQ(dialog.lastSurface(), pixelBuffer ? PosterImageDialog::Surface::PixelBuffer
                                                : PosterImageDialog::Surface::FramebufferObject);
    QImage poster(file);
    ASSERT_FALSE(poster.isNull());
    EXPECT_EQ(poster.size(), QSize(2048, 2048));

    // QImage rows run from the top.
    const struct { int x, y; QRgb colour; const char* where; } samples[] = {
        {512, 1536, qRgb(255, 0, 0), "lower left"},   {1536, 1536, qRgb(0, 255, 0), "lower right"},
        {512, 512, qRgb(0, 0, 255), "upper left"},    {1536, 512, qRgb(255, 255, 0), "upper right"},
        {100, 1900, qRgb(255, 0, 0), "lower left corner"}, {1950, 90, qRgb(255, 255, 0), "upper right corner"},
        {1020, 512, qRgb(51, 51, 153), "gap between the upper tiles"},
        {512, 1026, qRgb(51, 51, 153), "gap between the left tiles"},
    };
    for (const auto& s : samples) {
        const QRgb got = poster.pixel(s.x, s.y);
        EXPECT_LE(std::abs(qRed(got) - qRed(s.colour)), 2) << s.where;
        EXPECT_LE(std::abs(qGreen(got) - qGreen(s.colour)), 2) << s.where;
        EXPECT_LE(std::abs(qBlue(got) - qBlue(s.colour)), 2) << s.where;
    }
}

INSTANTIATE_TEST_SUITE_P(Surfaces, PosterRenderOn, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "PixelBuffer" : "FramebufferObject");
                         });

TEST(PosterRender, CancelDuringTheRunWritesNothing)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    PosterImageDialog dialog;
    osg::ref_ptr<osg::Node> scene = quarters();
    dialog.setScene(scene.get());
    const QString file = scratchFile("cancelled.png");
    QTimer::singleShot(0, &dialog, &PosterImageDialog::on_pushButtonCancel_pressed);
    QString error;
    EXPECT_FALSE(dialog.renderPoster(4096, file, &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(dialog.isCancelled());
    EXPECT_TRUE(Form(dialog).progressBar->isHidden());
    EXPECT_FALSE(QFile::exists(file));
}

TEST(PosterRender, AnUnwritableFileIsReported)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    PosterImageDialog dialog;
    osg::ref_ptr<osg::Node> scene = quarters();
    dialog.setScene(scene.get());
    QString error;
    EXPECT_FALSE(dialog.renderPoster(2048, nerio_test::scratchDir() + "/no/such/folder/p.png", &error));
    EXPECT_TRUE(error.contains("could not be written")) << error.toStdString();
}
