#include <gtest/gtest.h>

#include <cmath>

#include "model/Filter.h"
#include "model/LinkState.h"
#include "model/Units.h"
#include "tests/model/RecordingFader.h"

namespace {
const Rect kPlot{0, 0, 600, 240};

class FilterGeometryTest : public ::testing::Test {
protected:
    void SetUp() override { g_bDeviceSynced = false; }
    void TearDown() override { g_bDeviceSynced = false; }

    // A band on the 600 x 240 plot.
    static void MakeBand(CFilter& band, int kind, int hz, int gainIndex, int number = 10)
    {
        band.SetBandNumber(number);
        band.SetKind(kind);
        band.SetGainIndex(gainIndex);
        band.SetFrequency(hz, false);
        band.SetGraphSize(kPlot);
    }
    static void MakeCorner(CFilter& filter, int kind, int hz, int dragLimitKind)
    {
        filter.SetEqBand(false);
        filter.SetDragLimitKind(dragLimitKind);
        filter.SetKind(kind);
        filter.SetSlope(3, false);
        filter.SetFrequency(hz, false);
        filter.SetGraphSize(kPlot);
    }
    // Starts a handle drag with the pointer on the handle's centre.
    static Point Grab(CFilter& band)
    {
        const Point centre = CenterOf(band.GetHandleRect());
        band.m_bHandleDrag = true;
        band.SetGrabOffset(centre);
        return centre;
    }
};

TEST_F(FilterGeometryTest, BandHandlesAndCaptions)
{
    struct Case { const char* label; int kind; int hz; int gainIndex; int number; bool gainOnly;
                  Rect handle; Rect caption; } cases[] = {
        {"flat", FILTER_PEAKING, 1000, 200, 10, false, {371, 122, 387, 138}, {291, 147, 467, 163}},
        {"+12 dB", FILTER_PEAKING, 1000, 320, 10, false, {371, 10, 387, 26}, {291, 35, 467, 51}},
        {"-12 dB: caption above", FILTER_PEAKING, 1000, 80, 10, false, {371, 234, 387, 250}, {291, 209, 467, 225}},
        {"20 Hz, band 0 reaches into the margin", FILTER_PEAKING, 20, 200, 0, false, {32, 122, 48, 138},
         {40, 147, 176, 163}},
        {"20 Hz, band 10 does not", FILTER_PEAKING, 20, 200, 10, false, {40, 122, 56, 138}, {40, 147, 176, 163}},
        {"20 kHz", FILTER_PEAKING, 20000, 200, 30, false, {624, 122, 640, 138}, {480, 147, 640, 163}},
        {"gain only", FILTER_PEAKING, 1000, 170, 10, true, {371, 152, 387, 168}, {346, 177, 412, 193}},
        {"gain only at the left", FILTER_PEAKING, 25, 200, 1, true, {51, 122, 67, 138}, {40, 147, 86, 163}},
        {"low shelf", FILTER_LOW_SHELF, 100, 260, 0, false, {171, 62, 187, 78}, {171, 87, 277, 103}},
        {"high shelf at the right", FILTER_HIGH_SHELF, 15000, 200, 8, false, {607, 122, 623, 138},
         {524, 147, 640, 163}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CFilter band;
        band.SetGainOnlyCaption(c.gainOnly);
        MakeBand(band, c.kind, c.hz, c.gainIndex, c.number);
        EXPECT_EQ(band.GetHandleRect(), c.handle);
        EXPECT_EQ(band.GetCaptionRect(), c.caption);
    }
}

TEST_F(FilterGeometryTest, BandwidthMarkers)
{
    CFilter band;
    MakeBand(band, FILTER_PEAKING, 1000, 200);
    EXPECT_EQ(band.GetRightMarkerRect(), (Rect{405, 136, 413, 144}));  // around 1252 Hz
    EXPECT_EQ(band.GetLeftMarkerRect(), (Rect{346, 136, 354, 144}));   // around 798.3 Hz
    band.SetGainIndex(80);  // negative gain: markers above the centre line
    EXPECT_EQ(band.GetRightMarkerRect(), (Rect{405, 228, 413, 236}));
    band.SetBandwidthIndex(295);  // 3 octaves: 1.5 octaves either side
    const int xR = FrequencyToX(int(std::pow(2.0, 1.5) * 1000), 600) + 50;
    EXPECT_EQ(band.GetRightMarkerRect().left, xR - 4);
}

TEST_F(FilterGeometryTest, CornerHandlesAndCaptions)
{
    struct Case { int kind; int hz; Rect handle; Rect caption; } cases[] = {
        {FILTER_HIGH_PASS, 80, {152, 200, 168, 216}, {152, 185, 218, 241}},
        {FILTER_LOW_PASS, 20000, {632, 230, 648, 246}, {574, 215, 640, 266}},
        {FILTER_HIGH_PASS, 10, {32, 200, 48, 216}, {32, 185, 98, 241}},   // held at the margin
        {FILTER_LOW_PASS, 1000, {371, 230, 387, 246}, {371, 215, 437, 266}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hz);
        CFilter filter;
        MakeCorner(filter, c.kind, c.hz, DRAG_LIMIT_OUTPUT);
        EXPECT_EQ(filter.GetHandleRect(), c.handle);
        EXPECT_EQ(filter.GetCaptionRect(), c.caption);
    }
}

TEST_F(FilterGeometryTest, GrabOffsets)
{
    CFilter band;
    MakeBand(band, FILTER_PEAKING, 1000, 200);
    band.SetGrabOffset(Point{375, 125});
    EXPECT_EQ(band.GetGrabOffset(), (Point{-4, -5}));
    band.m_bLeftMarkerDrag = true;
    band.SetMarkerGrabOffset(Point{350, 140});
    EXPECT_EQ(band.GetLeftMarkerGrabOffset(), -4);
    band.m_bLeftMarkerDrag = false;
    band.m_bRightMarkerDrag = true;
    band.SetMarkerGrabOffset(Point{410, 140});
    EXPECT_EQ(band.GetRightMarkerGrabOffset(), 5);
}

TEST_F(FilterGeometryTest, HandleDragOntoTheZeroLineGivesMinusHalf)
{
    g_bDeviceSynced = true;
    CRecordingFader fader;
    CFilter band;
    MakeBand(band, FILTER_PEAKING, 1000, 260);
    band.SetOwner(&fader);
    const Point start = Grab(band);
    EXPECT_TRUE(band.DragBandPoint(Point{start.x, 130}));  // plot y 120
    EXPECT_DOUBLE_EQ(band.GetGain(), -0.5);
    EXPECT_FALSE(band.IsFlat());
    EXPECT_EQ(band.GetGainIndex(), 195);
    EXPECT_EQ(band.GetFrequency(), 1000);
    EXPECT_TRUE(band.IsChanged());
    EXPECT_EQ(fader.values, (std::vector<int>{195}));
}

TEST_F(FilterGeometryTest, NoHandleDragLandsStrictlyInsideHalfADecibel)
{
    CFilter band;
    MakeBand(band, FILTER_PEAKING, 1000, 260);
    const Point start = Grab(band);
    for (int y = -20; y <= 270; ++y) {
        band.DragBandPoint(Point{start.x, y});
        ASSERT_GE(std::fabs(band.GetGain()), 0.5) << y;
        ASSERT_LE(std::fabs(band.GetGain()), 12.0) << y;
    }
}

TEST_F(FilterGeometryTest, VerticalDragKeepsTheFrequency)
{
    g_bDeviceSynced = true;
    CFilter band;
    MakeBand(band, FILTER_PEAKING, 1000, 260);
    const Point start = Grab(band);
    for (int step = 1; step <= 5; ++step)
        band.DragBandPoint(Point{start.x, start.y - 4 * step});
    EXPECT_EQ(band.GetFrequency(), 1000);  // the axis alone would give 990
    EXPECT_EQ(band.GetSentFrequency(), 1000);
    // Moving sideways follows the pointer; back at the start the band is
    // where it was.
    band.DragBandPoint(Point{start.x + 30, start.y});
    EXPECT_NE(band.GetFrequency(), 1000);
    band.DragBandPoint(Point{start.x, start.y});
    EXPECT_EQ(band.GetFrequency(), 1000);
    // A drag that changes nothing reports nothing and marks nothing.
    band.AdvanceSentFrequency(false);
    band.AdvanceSentFrequency(false);
    ASSERT_FALSE(band.IsChanged());
    EXPECT_FALSE(band.DragBandPoint(Point{start.x, start.y}));
    EXPECT_FALSE(band.IsChanged());
}

TEST_F(FilterGeometryTest, HandleDragAboveThePlot)
{
    CFilter band;
    MakeBand(band, FILTER_PEAKING, 1000, 200);
    const Point start = Grab(band);
    EXPECT_TRUE(band.DragBandPoint(Point{start.x, -40}));
    EXPECT_DOUBLE_EQ(band.GetGain(), 12.0);
    EXPECT_TRUE(band.DragBandPoint(Point{start.x, -40}));  // always a change at the top
    EXPECT_EQ(band.GetHandleRect().top, 10);
}

TEST_F(FilterGeometryTest, HandleDragFollowsThePointer)
{
    CFilter band;
    MakeBand(band, FILTER_PEAKING, 1000, 200);
    Grab(band);
    EXPECT_TRUE(band.DragBandPoint(Point{40 + 200, 10 + 60}));
    EXPECT_EQ(band.GetFrequency(), 200);
    EXPECT_DOUBLE_EQ(band.GetGain(), 6.5);
    EXPECT_TRUE(band.DragBandPoint(Point{900, 500}));  // beyond the plot: clamped
    EXPECT_EQ(band.GetFrequency(), 20000);
    EXPECT_DOUBLE_EQ(band.GetGain(), -12.0);
}

TEST_F(FilterGeometryTest, ShelvesStayOnTheirSideOf2kHz)
{
    struct Case { int kind; int targetX; int hz; } cases[] = {
        {FILTER_LOW_SHELF, 480 + 40, 2000},   // dragged to 5000 Hz
        {FILTER_HIGH_SHELF, 235 + 40, 2000},  // dragged to 300 Hz
        {FILTER_LOW_SHELF, 236 + 40, 302},
    };
    for (const Case& c : cases) {
        CFilter band;
        MakeBand(band, c.kind, 1000, 260);
        const Point start = Grab(band);
        band.DragBandPoint(Point{c.targetX, start.y});
        EXPECT_EQ(band.GetFrequency(), c.hz) << c.kind << " " << c.targetX;
    }
}

TEST_F(FilterGeometryTest, GainOnlyDragMovesOnlyTheGain)
{
    CFilter band;
    band.SetGainOnlyCaption(true);
    MakeBand(band, FILTER_PEAKING, 1000, 200);
    Grab(band);
    EXPECT_TRUE(band.DragBandPoint(Point{100, 70}));
    EXPECT_EQ(band.GetFrequency(), 1000);
    EXPECT_DOUBLE_EQ(band.GetGain(), 6.5);
}

TEST_F(FilterGeometryTest, CornersIgnoreHandleDrags)
{
    CFilter filter;
    MakeCorner(filter, FILTER_HIGH_PASS, 80, DRAG_LIMIT_OUTPUT);
    Grab(filter);
    EXPECT_FALSE(filter.DragBandPoint(Point{400, 50}));
    EXPECT_EQ(filter.GetFrequency(), 80);
}

TEST_F(FilterGeometryTest, BandwidthDrags)
{
    CFilter band;
    MakeBand(band, FILTER_PEAKING, 1004, 200);
    band.m_bLeftMarkerDrag = true;
    EXPECT_TRUE(band.DragBandwidth(Point{280 + 40, 140}));  // 502 Hz
    EXPECT_EQ(band.GetBandwidthIndex(), 195);
    EXPECT_EQ(band.FormatBandwidth(), "2.00Oct");
    EXPECT_TRUE(band.DragBandwidth(Point{500, 140}));        // past the centre
    EXPECT_EQ(band.FormatBandwidth(), "0.05Oct");
    band.m_bLeftMarkerDrag = false;
    band.m_bRightMarkerDrag = true;
    EXPECT_TRUE(band.DragBandwidth(Point{640, 140}));        // 20 kHz: beyond 1.5 octaves
    EXPECT_EQ(band.FormatBandwidth(), "3.00Oct");
    band.m_bRightMarkerDrag = false;
    EXPECT_TRUE(band.DragBandwidth(Point{380, 140}));        // no marker held
    EXPECT_EQ(band.GetBandwidthIndex(), 295);
}

TEST_F(FilterGeometryTest, CornerDrags)
{
    struct Case { const char* label; int kind; int hz; int limitKind; int pointerX; int opposite;
                  bool result; int after; } cases[] = {
        {"kind 12 high-pass stops at the low-pass", FILTER_HIGH_PASS, 80, 12, 480, 2000, true, 2000},
        {"kind 12 high-pass to the left edge", FILTER_HIGH_PASS, 80, 12, -10, 2000, true, 20},
        {"kind 12 high-pass already off", FILTER_HIGH_PASS, 20, 12, -10, 2000, false, 20},
        {"general rule follows the pointer", FILTER_HIGH_PASS, 80, 0, 200, 20000, true, 200},
        {"same pixel: nothing", FILTER_HIGH_PASS, 200, 12, 200, 20000, false, 200},
        {"clamp gives the current value", FILTER_HIGH_PASS, 2000, 12, 480, 2000, false, 2000},
        {"low-pass stops at the high-pass", FILTER_LOW_PASS, 5000, 12, 100, 300, true, 300},
        {"low-pass to the right end", FILTER_LOW_PASS, 5000, 12, 650, 300, true, 20000},
        {"kind 11 passes the low-pass at the right end", FILTER_HIGH_PASS, 80, 11, 650, 5000, true, 20000},
        {"kind 11 short of the end stops at the low-pass", FILTER_HIGH_PASS, 80, 11, 520, 5000, true, 5000},
        {"kind 10 at the left edge", FILTER_HIGH_PASS, 80, 10, -10, 5000, true, 20},
        {"kind 10 stops at the low-pass", FILTER_HIGH_PASS, 80, 10, 520, 5000, true, 5000},
        {"kind 9 follows the general rule", FILTER_HIGH_PASS, 80, 9, 400, 20000, true, 2000},
        {"kind 9 left edge", FILTER_HIGH_PASS, 80, 9, -5, 20000, true, 20},
        {"a low-pass loaded at 0 Hz holds a high-pass at 20", FILTER_HIGH_PASS, 80, 12, 300, 0, true, 20},
        {"kind 9 with the low-pass at 0 Hz", FILTER_HIGH_PASS, 80, 9, 300, 0, true, 20},
        {"not a corner", FILTER_PEAKING, 1000, 12, 200, 20000, false, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        g_bDeviceSynced = false;
        CFilter filter;
        if (c.kind == FILTER_PEAKING)
            MakeBand(filter, c.kind, c.hz, 200);
        else
            MakeCorner(filter, c.kind, c.hz, c.limitKind);
        g_bDeviceSynced = true;
        filter.SetGrabOffset(CenterOf(filter.GetHandleRect()));  // grabbed at the centre: offset 0
        EXPECT_EQ(filter.DragFilterCorner(Point{c.pointerX + 40, 0}, c.opposite), c.result);
        EXPECT_EQ(filter.GetFrequency(), c.after);
        EXPECT_EQ(filter.IsChanged(), c.result);
        EXPECT_GE(filter.GetSentFrequency(), 20);
    }
}

TEST_F(FilterGeometryTest, CornerDraggedToTheLeftEdgeDrawsFlat)
{
    CFilter filter;
    MakeCorner(filter, FILTER_HIGH_PASS, 300, DRAG_LIMIT_OUTPUT);
    ASSERT_LT(filter.GetResponse()[0], -10.0);
    filter.SetGrabOffset(CenterOf(filter.GetHandleRect()));
    EXPECT_TRUE(filter.DragFilterCorner(Point{CenterOf(filter.GetHandleRect()).x - 500, 0}, 20000));
    for (int i = 0; i < GRID_POINTS; ++i)
        ASSERT_EQ(filter.GetResponse()[i], 0.0);
    EXPECT_EQ(filter.GetHandleRect().left, 32);
}

TEST_F(FilterGeometryTest, NarrowAndEmptyGraphsStayFinite)
{
    for (Rect rc : {Rect{0, 0, 0, 0}, Rect{0, 0, 2, 1}, Rect{0, 0, 600, 0}}) {
        CFilter band;
        band.SetGainIndex(300);
        band.SetGraphSize(rc);
        band.SetGrabOffset(CenterOf(band.GetHandleRect()));
        band.DragBandPoint(Point{55, 7});
        EXPECT_GE(band.GetFrequency(), 20);
        EXPECT_LE(band.GetFrequency(), 20000);
        EXPECT_TRUE(std::isfinite(band.GetGain()));
        CFilter filter;
        MakeCorner(filter, FILTER_LOW_PASS, 1000, DRAG_LIMIT_OUTPUT);
        filter.SetGraphSize(rc);
        filter.DragFilterCorner(Point{70, 0}, 20);
        EXPECT_GE(filter.GetFrequency(), 20);
    }
}
}  // namespace
