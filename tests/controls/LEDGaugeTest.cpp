// The LED meter: layout arithmetic and what it really paints (read back from the widget).
#include "controls/MMEGauge.h"

#include <gtest/gtest.h>

namespace {
// A meter as the wizard places it: vertical, 17 x 140, one-pixel lowered inner bevel.
struct WizardMeter {
    WizardMeter()
    {
        meter.SetKind(gkVertical);
        meter.resize(17, 140);
        meter.SetBevel({TMMBevelStyle::Lowered, 1});
    }
    // The colour painted in the middle of segment i (from 1).
    QColor SpotColour(int i)
    {
        const QImage shot = meter.grab().toImage();
        const QRect inner = meter.InnerRect();
        const int y = inner.top() + inner.height() - meter.Margin() - 1 - (i - 1) * 2;
        return shot.pixelColor(inner.left() + inner.width() / 2, y);
    }
    TMMLEDGauge meter;
};

const QColor kAqua(0, 255, 255), kTeal(0, 128, 128), kRed(255, 0, 0), kMaroon(128, 0, 0);
}  // namespace

TEST(LEDGauge, WizardMeterHas69SegmentsInThreeZones)
{
    WizardMeter m;
    EXPECT_EQ(m.meter.InnerRect().size(), QSize(15, 138));
    EXPECT_EQ(m.meter.SpotCount(), 69);
    EXPECT_EQ(m.meter.Zone(34), 1);
    EXPECT_EQ(m.meter.Zone(35), 2);
    EXPECT_EQ(m.meter.Zone(58), 2);
    EXPECT_EQ(m.meter.Zone(59), 3);
    m.meter.SetProgress(1);
    EXPECT_EQ(m.meter.LitCount(), 0);
    m.meter.SetProgress(94);
    EXPECT_EQ(m.meter.LitCount(), 64);
    m.meter.SetProgress(150);
    EXPECT_EQ(m.meter.Progress(), 100);
    EXPECT_EQ(m.meter.LitCount(), 69);
    m.meter.SetProgress(-5);
    EXPECT_EQ(m.meter.Progress(), 0);
}

TEST(LEDGauge, LightsFromTheBottomInZoneColoursOverTheUnlitPicture)
{
    WizardMeter m;
    m.meter.SetProgress(94);  // 64 lit
    EXPECT_EQ(m.SpotColour(1), kAqua);
    EXPECT_EQ(m.SpotColour(58), kAqua);
    EXPECT_EQ(m.SpotColour(59), kRed);
    EXPECT_EQ(m.SpotColour(64), kRed);
    EXPECT_EQ(m.SpotColour(65), kMaroon);
    m.meter.SetProgress(10);  // 6 lit: the unlit picture comes back above
    EXPECT_EQ(m.SpotColour(6), kAqua);
    EXPECT_EQ(m.SpotColour(7), kTeal);
    EXPECT_EQ(m.SpotColour(69), kMaroon);
    // The gap between two segments shows the background.
    const QImage shot = m.meter.grab().toImage();
    const QRect inner = m.meter.InnerRect();
    EXPECT_EQ(shot.pixelColor(inner.center().x(), inner.bottom() - 1), QColor(Qt::black));
}

TEST(LEDGauge, LayoutOfSmallExtentsZonesAndDirection)
{
    TMMLEDGauge g;
    g.resize(5, 10);  // horizontal, no bevel: extent 5
    EXPECT_EQ(g.SpotCount(), 3);
    EXPECT_EQ(g.Margin(), 0);
    g.resize(6, 10);
    EXPECT_EQ(g.SpotCount(), 3);
    EXPECT_EQ(g.Margin(), 0);
    g.resize(20, 10);  // 10 segments
    EXPECT_EQ(g.SpotCount(), 10);
    EXPECT_EQ(g.Zone(5), 1);
    EXPECT_EQ(g.Zone(6), 2);
    EXPECT_EQ(g.Zone(8), 2);
    EXPECT_EQ(g.Zone(9), 3);
    g.SetProgress(10);  // one segment lit, at the left
    QImage shot = g.grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 5), kAqua);
    EXPECT_EQ(shot.pixelColor(18, 5), kMaroon);
    g.SetDirection(dirReversed);  // now at the right: segment 1 ends at the last pixel
    shot = g.grab().toImage();
    EXPECT_EQ(shot.pixelColor(19, 5), kAqua);
    EXPECT_EQ(shot.pixelColor(1, 5), kMaroon);

    g.SetKind(gkVertical);  // a wide meter turned vertical becomes tall
    EXPECT_EQ(g.size(), QSize(10, 20));
}
