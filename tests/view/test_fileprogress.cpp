#include "view/FileProgressWidget.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include <limits>

namespace {

const QColor kGrey(QStringLiteral("#959697"));
const QColor kBlue(QStringLiteral("#7abaf9"));

// Width in pixels of the run of `colour` that starts at the bar's left edge, on its middle row.
int runFromLeft(const QImage& img, const QColor& colour)
{
    const int y = img.height() / 2;
    int x = 0;
    while (x < img.width() && img.pixelColor(x, y).rgb() == colour.rgb())
        ++x;
    return x;
}

// Width of the grey run that follows the blue one.
int greyAfterBlue(const QImage& img)
{
    const int y = img.height() / 2;
    int x = runFromLeft(img, kBlue);
    int start = x;
    while (x < img.width() && img.pixelColor(x, y).rgb() == kGrey.rgb())
        ++x;
    return x - start;
}

} // namespace

TEST(FileProgressWidget, SlotsWhileHiddenChangeNothing)
{
    FileProgressWidget w;
    w.Progressdata0(QStringLiteral("reading"), 40.0f);
    w.Progressdata1(QStringLiteral("reading"), 40.0f);
    EXPECT_EQ(w.bar(), nullptr);
    EXPECT_FALSE(w.isVisible());
    w.ProgressShown(false); // hiding a hidden overlay is harmless
    EXPECT_EQ(w.bar(), nullptr);
}

TEST(FileProgressWidget, PaintsGreyTotalAndBlueShareOfIt)
{
    QWidget host;
    host.resize(260, 60);
    auto* w = new FileProgressWidget(&host);
    w->setGeometry(0, 40, 200, 20);
    w->ProgressShown(true);
    ASSERT_NE(w->bar(), nullptr);
    EXPECT_TRUE(w->isVisibleTo(&host));
    EXPECT_EQ(w->bar()->minimum(), 0);
    EXPECT_EQ(w->bar()->maximum(), 100);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct { float total, every; int grey, blue; } cases[] = {
        {50, 0, 100, 0},     // grey over the left half, no blue
        {50, 50, 50, 50},    // blue over the left quarter, grey up to the half
        {100, 0, 200, 0},    // full width grey
        {100, 100, 0, 200},  // then full width blue
        {0, 80, 0, 0},       // blue lives inside the grey part only
        {25, 100, 0, 50},
        {250, 0, 200, 0},    // out-of-range values stay inside the bar
        {-10, 50, 0, 0},
        {nan, nan, 0, 0},
    };
    for (const auto& c : cases) {
        w->Progressdata0(QString(), c.total);
        w->Progressdata1(QString(), c.every);
        const QImage img = w->grab().toImage(); // runs both paint handlers: the bar fills the strip
        ASSERT_EQ(img.width(), 200);
        EXPECT_EQ(runFromLeft(img, kBlue), c.blue) << c.total << " / " << c.every;
        EXPECT_EQ(greyAfterBlue(img), c.grey) << c.total << " / " << c.every;
    }
}

TEST(FileProgressWidget, EachShowStartsFromAnEmptyBar)
{
    FileProgressWidget w;
    w.resize(100, 20);
    w.ProgressShown(true);
    w.Progressdata0(QString(), 70.0f);
    w.Progressdata1(QString(), 30.0f);
    w.ProgressShown(false);
    EXPECT_EQ(w.bar(), nullptr);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.findChildren<RadiusProgressBar*>().isEmpty());

    w.ProgressShown(true);
    ASSERT_NE(w.bar(), nullptr);
    EXPECT_EQ(w.bar()->totalValue(), 0.0f);
    EXPECT_EQ(w.bar()->everyValue(), 0.0f);

    // A second show without a hide starts the same bar over: no orphan bar is left behind.
    RadiusProgressBar* first = w.bar();
    w.Progressdata0(QString(), 60.0f);
    w.ProgressShown(true);
    EXPECT_EQ(w.bar(), first);
    EXPECT_EQ(w.findChildren<RadiusProgressBar*>().size(), 1);
    EXPECT_EQ(w.bar()->totalValue(), 0.0f);
    w.ProgressShown(false);
    EXPECT_TRUE(w.findChildren<RadiusProgressBar*>().isEmpty());
}
