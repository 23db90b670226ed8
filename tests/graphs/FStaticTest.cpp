// What the response graph draws, read from its pixels at the output page's
// size: the frame, the grid and the labels exactly where GDI would put
// them, the curves, the overlays, the bypass text, the selection.
#include "tests/graphs/GraphFixture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

#include <QFontMetrics>

#include "model/DataDefine.h"
#include "platform/gui/CurveColors.h"
#include "platform/gui/DrawText.h"

namespace {

const QColor kFill(44, 44, 44);
const QColor kBorder(149, 149, 149);
const QColor kGrid(100, 100, 100);
const QColor kArea(68, 86, 98);
const QColor kBypassFill(155, 155, 155);

QColor PixelAt(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

bool InAnyHandle(CKTV_OutData* output, const QPoint& p)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int i = 0; i < output->GetBandCount(); ++i)
        if (output->GetBand(i)->GetHandleRect().PtInRect(p))
            return true;
    return false;
}

// Distance from p to the curve's polyline.
double DistanceToCurve(const std::vector<QPointF>& curve, const QPointF& p)
{
    double best = 1e9;
    for (size_t i = 1; i < curve.size(); ++i) {
        const QPointF a = curve[i - 1], b = curve[i];
        const QPointF ab = b - a;
        const double len = QPointF::dotProduct(ab, ab);
        const double t = len > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / len, 0.0, 1.0) : 0.0;
        const QPointF d = p - (a + t * ab);
        best = std::min(best, std::sqrt(QPointF::dotProduct(d, d)));
    }
    return best;
}

int NearestGridX(const CFStatic* graph, int x)
{
    int best = 1 << 20;
    for (int i = 0; i < CFStatic::GRID_LINES; ++i)
        best = std::min(best, std::abs(graph->GetGridX(i) - x));
    return best;
}

bool IsWhite(QRgb p)
{
    return qRed(p) == 255 && qGreen(p) == 255 && qBlue(p) == 255;
}

bool IsRed(QRgb p)
{
    return qRed(p) == 255 && qGreen(p) == 0 && qBlue(p) == 0;
}

QRect Bounds(const QImage& image, const CRect& area, bool (*matches)(QRgb))
{
    return PixelBounds(image.copy(area.ToQRect()), matches).translated(area.left, area.top);
}

}  // namespace

TEST_F(FStaticTest, GraphTakesThePageSizeAndItsPlot)
{
    EXPECT_NEAR(PageGraphSize().width(), 1107, 30);
    EXPECT_NEAR(PageGraphSize().height(), 174, 10);
    const CRect plot = graph->GetPlotRect();
    EXPECT_EQ(plot, CRect(40, 10, graph->width() - 10, graph->height() - 20));
    // The outputs lay their curves and handles out in this plot.
    EXPECT_EQ(Output(5)->GetGraphWidth(), plot.Width());
    EXPECT_EQ(Output(5)->GetGraphHeight(), plot.Height());
}

TEST_F(FStaticTest, GridBorderAndLabelsSitWhereGdiPutsThem)
{
    const QImage image = Render(graph);
    const CRect plot = graph->GetPlotRect();
    const std::vector<QPointF> curve = CurveOf(0);
    auto onGridRow = [&](int y) {
        for (int k = 1; k <= 8; ++k)
            if (y == plot.top + int(plot.Height() / 8.0 * k))
                return true;
        return false;
    };
    auto crossed = [&](int x, int y) {
        return InAnyHandle(Output(0), QPoint(x, y)) || DistanceToCurve(curve, QPointF(x + 0.5, y + 0.5)) < 3;
    };

    // The border: the outermost pixels of the plot, but where the curve, a
    // band number or a grid line crosses it.
    int borderPixels = 0;
    for (int x = plot.left; x < plot.right; ++x) {
        for (int y : {plot.top, plot.bottom - 1}) {
            if (NearestGridX(graph, x) == 0 || crossed(x, y))
                continue;
            EXPECT_EQ(PixelAt(image, x, y), kBorder) << x << "," << y;
            ++borderPixels;
        }
    }
    for (int y = plot.top; y < plot.bottom; ++y) {
        for (int x : {plot.left, plot.right - 1}) {
            if (onGridRow(y) || crossed(x, y))
                continue;
            EXPECT_EQ(PixelAt(image, x, y), kBorder) << x << "," << y;
            ++borderPixels;
        }
    }
    EXPECT_GT(borderPixels, 2000);
    // Nothing of the plot outside it.
    EXPECT_EQ(PixelAt(image, plot.right, plot.top + 30), kFill);
    EXPECT_EQ(PixelAt(image, plot.left - 1, plot.top + 30), kFill);

    // Vertical grid lines at 30 Hz to 10 kHz, from the plot's top row down.
    const int frequencies[] = {30,  40,  50,  60,   70,   80,   90,   100,  200,  300,  400,  500,  600,
                               700, 800, 900, 1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000};
    for (int hz : frequencies) {
        const int x = 40 + FrequencyToX(hz, plot.Width());
        EXPECT_EQ(PixelAt(image, x, plot.top), kGrid) << hz;
        EXPECT_EQ(PixelAt(image, x, plot.top + 3), kGrid) << hz;
        EXPECT_EQ(PixelAt(image, x, plot.bottom - 1), kGrid) << hz;
        EXPECT_NE(PixelAt(image, x, plot.bottom), kGrid) << hz;  // the end point is left out
        if (NearestGridX(graph, x + 1) != 0) {
            EXPECT_EQ(PixelAt(image, x + 1, plot.top + 3), kFill) << hz;
        }
    }
    // 20 Hz is the border itself.
    EXPECT_EQ(graph->GetGridX(0), plot.left);

    // Horizontal lines every 3 dB from +9 dB (0 dB lies under the curve; the
    // eighth falls on the bottom edge, outside the drawing).
    for (int k : {1, 2, 3, 5, 6, 7}) {
        const int y = plot.top + int(plot.Height() / 8.0 * k);
        EXPECT_EQ(PixelAt(image, plot.left + 5, y), kGrid) << k;
        EXPECT_EQ(PixelAt(image, plot.right - 2, y), kGrid) << k;
        EXPECT_EQ(PixelAt(image, plot.left + 5, y + 1), kFill) << k;
    }
    EXPECT_EQ(PixelAt(image, plot.left + 5, plot.bottom - 2), kFill);

    // Each label's text lies inside its opaque cell, whose top-left corner is
    // the label's position.
    struct Label {
        QString text;
        int x, y;
    };
    std::vector<Label> labels = {{"+12", 6, 5}, {"-12", 6, plot.Height()}, {"20", 30, plot.bottom}};
    const char* gains[] = {"+9", "+6", "+3", "0dB", "-3", "-6", "-9"};
    for (int k = 1; k <= 7; ++k)
        labels.push_back({gains[k - 1], 6, plot.Height() / 8 * k + 3});
    const struct {
        const char* text;
        int hz, d;
    } freqs[] = {{"30", 30, 8},     {"70", 70, 8},     {"100", 100, 10}, {"700", 700, 10},
                 {"1K", 1000, 8},   {"7K", 7000, 8},   {"10K", 10000, 10}, {"20K", 20000, 15}};
    for (const auto& f : freqs)
        labels.push_back({f.text, 40 + FrequencyToX(f.hz, plot.Width()) - f.d, plot.bottom});
    const QFontMetrics metrics(graph->GetTextFont());
    for (const Label& label : labels) {
        const CRect cell(label.x, label.y, label.x + metrics.horizontalAdvance(label.text),
                         label.y + metrics.height());
        CRect around = cell;
        around.InflateRect(3, 0);
        const QRect ink = Bounds(image, around, [](QRgb p) { return Near(p, QColor(100, 100, 100), 0); });
        ASSERT_FALSE(ink.isEmpty()) << label.text.toStdString();
        EXPECT_TRUE(cell.ToQRect().contains(ink)) << label.text.toStdString();
    }
}

TEST_F(FStaticTest, ShownCurveIsDrawnInTheLineColourOnItsPoints)
{
    SetBand(0, 8, 160, 260);    // +6 dB
    SetBand(0, 22, 3150, 140);  // -6 dB
    graph->RedrawByMode(-1);
    const QImage image = Render(graph);
    const std::vector<QPointF> curve = CurveOf(0);
    int checked = 0;
    for (int i = 10; i < GRID_POINTS - 10; i += 7) {
        const QPoint p(int(std::floor(curve[size_t(i)].x())), int(std::floor(curve[size_t(i)].y())));
        if (InAnyHandle(Output(0), p) || !graph->GetPlotRect().PtInRect(p))
            continue;
        EXPECT_TRUE(Near(image.pixel(p), g_clrCurveLine, 50)) << i << " " << p.x() << "," << p.y();
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST_F(FStaticTest, FlaggedOutputsLieUnderTheShownOneInGrey)
{
    // Output 1 peaks at 56 Hz, output 12 dips at 6.5 kHz, both between grid
    // lines; output 2 is shown.
    OpenCrossover(0);
    OpenCrossover(11);
    SetBand(0, 4, 56, 275);
    SetBand(11, 25, 6500, 125);
    const std::vector<QPointF> first = CurveOf(0);
    const std::vector<QPointF> twelfth = CurveOf(11);
    const int peak = FrequencyToGridIndex(56);
    const int dip = FrequencyToGridIndex(6500);
    auto pixelOn = [](const QImage& image, const std::vector<QPointF>& curve, int i) {
        return image.pixel(int(std::floor(curve[size_t(i)].x())), int(std::floor(curve[size_t(i)].y())));
    };

    graph->ShowOutputChannel(1);
    const QImage plain = Render(graph);
    for (int d : {-1, 0, 1, 3}) {
        EXPECT_TRUE(Near(pixelOn(plain, first, peak + d), kFill, 0)) << d;
        EXPECT_TRUE(Near(pixelOn(plain, twelfth, dip + d), kFill, 0)) << d;
    }

    g_abShowCurve[0] = true;
    g_abShowCurve[11] = true;
    graph->RedrawByMode(-1);
    const QImage overlaid = Render(graph);
    for (int d : {-1, 0, 1, 3}) {
        EXPECT_TRUE(Near(pixelOn(overlaid, first, peak + d), g_clrCurveGrey, 12)) << d;
        EXPECT_TRUE(Near(pixelOn(overlaid, twelfth, dip + d), g_clrCurveGrey, 12)) << d;
    }

    // Shown, output 1 keeps its own colour (beside its band's handle);
    // output 12 stays grey.
    graph->ShowOutputChannel(0);
    const QImage shown = Render(graph);
    const QPointF beside = first[size_t(peak + 3)];
    ASSERT_FALSE(InAnyHandle(Output(0), beside.toPoint()));
    EXPECT_TRUE(Near(pixelOn(shown, first, peak + 3), g_clrCurveLine, 50));
    EXPECT_TRUE(Near(pixelOn(shown, twelfth, dip), g_clrCurveGrey, 12));
}

TEST_F(FStaticTest, BypassTextOnlyWhileTheOutputIsAllBypassOrFlat)
{
    const CRect plot = graph->GetPlotRect();
    const QRect textArea(plot.left, plot.top + plot.Height() / 3 - 5, plot.Width(), plot.Height() / 2);
    QImage faces[2];
    for (int chinese = 0; chinese < 2; ++chinese) {
        g_bChinese = chinese != 0;
        graph->RedrawByMode(-1);
        faces[chinese] = Render(graph);
        EXPECT_GT(CountPixels(faces[chinese], kBypassFill, 2, textArea), 300) << chinese;
    }
    EXPECT_NE(faces[0].copy(textArea), faces[1].copy(textArea));
    // Centred on x = plot width div 2.
    const QRect fill = PixelBounds(faces[0], [](QRgb p) { return Near(p, QColor(155, 155, 155), 2); });
    EXPECT_NEAR(fill.center().x(), plot.Width() / 2, 6);
    EXPECT_GE(fill.top(), plot.Height() / 3);

    SetBand(0, 3, 32, 230);
    for (int chinese = 0; chinese < 2; ++chinese) {
        g_bChinese = chinese != 0;
        graph->RedrawByMode(-1);
        EXPECT_EQ(CountPixels(Render(graph), kBypassFill, 2, textArea), 0) << chinese;
    }
}

TEST_F(FStaticTest, HighPassSelectionIsRedAndReportedWithTheOutputCode)
{
    OpenCrossover(2);
    graph->ShowOutputChannel(2);
    graph->RedrawByMode(31);
    EXPECT_EQ(graph->GetSelection(), 31);
    const QImage image = Render(graph);
    CRect handle, caption;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        handle = Output(2)->GetHighPass()->GetHandleRect();
        caption = Output(2)->GetHighPass()->GetCaptionRect();
    }
    const QRect h = Bounds(image, handle, IsRed);
    ASSERT_FALSE(h.isEmpty());
    // "H" at 20 Hz is right-aligned in its handle.
    EXPECT_GE(h.right(), handle.right - 4);
    // The caption ("20Hz ") is red too, and it surrounds the handle: nothing
    // else is red, no band number, no markers.
    ASSERT_TRUE(caption.ToQRect().contains(handle.ToQRect()));
    const int captionRed = CountPixels(image, QColor(255, 0, 0), 0, caption.ToQRect());
    EXPECT_GT(captionRed, CountPixels(image, QColor(255, 0, 0), 0, handle.ToQRect()) + 10);
    EXPECT_EQ(CountPixels(image, QColor(255, 0, 0)), captionRed);

    graph->m_bReleased = true;
    graph->OnTimer(CFStatic::TIMER_NOTIFY);
    const auto notices = Notices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, 31u);
    EXPECT_EQ(notices[0].lParam, 768 + 2);
}

TEST_F(FStaticTest, ShowingAnOutputClearsTheSelection)
{
    SetBand(0, 5, 63, 280);
    graph->RedrawByMode(5);
    QImage image = Render(graph);
    EXPECT_GT(CountPixels(image, kArea), 100);
    EXPECT_GT(CountPixels(image, QColor(255, 0, 0)), 20);

    graph->ShowOutputChannel(0);
    EXPECT_EQ(graph->GetSelection(), -1);
    EXPECT_EQ(graph->GetActiveBand(), nullptr);
    image = Render(graph);
    EXPECT_EQ(CountPixels(image, kArea), 0);
    EXPECT_EQ(CountPixels(image, QColor(255, 0, 0)), 0);
    EXPECT_GT(CountPixels(image, QColor(255, 255, 255)), 200);
}

TEST_F(FStaticTest, NumbersAreAlignedByWhereTheirHandlesSit)
{
    struct Case {
        int item;
        UINT align;
        const char* why;
    };
    const Case cases[] = {
        {0, DT_RIGHT, "a band at 20 Hz"},
        {15, DT_CENTER, "a band inside the range"},
        {30, DT_LEFT, "a band whose handle touches the plot's right edge"},
        {31, DT_RIGHT, "the high-pass at 20 Hz"},
        {32, DT_LEFT, "the low-pass at 20 kHz, its handle past the edge"},
    };
    const CRect plot = graph->GetPlotRect();
    OpenCrossover(0);
    for (const Case& c : cases) {
        // Every other band goes up out of the way.
        for (int b = 0; b < OUTPUT_PEQ_BANDS; ++b) {
            ParameterSetGuard guard(g_ParameterSetLock);
            Band(0, b)->SetGainIndex(b == c.item ? 200 : 320);
        }
        graph->RedrawByMode(-1);
        const QImage image = Render(graph);
        const CRect handle = HandleOf(0, c.item);
        if (c.item == 30) {
            ASSERT_EQ(handle.right, plot.right);
        }
        CRect inside = handle;
        inside.IntersectRect(handle, plot);
        const QRect ink = Bounds(image, inside, IsWhite);
        ASSERT_FALSE(ink.isEmpty()) << c.why;
        const int leftGap = ink.left() - handle.left;
        const int rightGap = handle.right - 1 - ink.right();
        switch (c.align) {
        case DT_LEFT:
            EXPECT_LE(leftGap, 2) << c.why;
            EXPECT_GT(rightGap, leftGap) << c.why;
            break;
        case DT_RIGHT:
            EXPECT_LE(rightGap, 2) << c.why;
            EXPECT_GT(leftGap, rightGap) << c.why;
            break;
        default:
            EXPECT_LE(std::abs(leftGap - rightGap), 2) << c.why;
            break;
        }
    }
}

TEST_F(FStaticTest, IndexesOutsideTheSetChangeNothing)
{
    // A selection outside the shown set counts as none.
    for (int sel : {33, 1000, -2, -1000}) {
        graph->RedrawByMode(sel);
        EXPECT_EQ(graph->GetSelection(), -1) << sel;
        EXPECT_EQ(graph->GetActiveBand(), nullptr) << sel;
    }
    EXPECT_EQ(CountPixels(Render(graph), QColor(255, 0, 0)), 0);

    // A channel outside its array leaves the graph as it was.
    graph->ShowOutputChannel(4);
    const QImage before = Render(graph);
    for (int n : {12, -1, 99}) {
        graph->ShowOutputChannel(n);
        graph->ShowMusicChannel(n < 0 ? n : MUSIC_COUNT + n);
        graph->ShowMicChannel(n);
        EXPECT_EQ(graph->GetOutputIndex(), 4) << n;
        EXPECT_EQ(graph->GetChannelCode(), 768 + 4) << n;
        EXPECT_EQ(graph->GetDrawMode(), CFStatic::DRAW_OUTPUT) << n;
    }
    EXPECT_EQ(Render(graph), before);
}

TEST_F(FStaticTest, EachDrawModeHasItsFrame)
{
    const CRect plot = graph->GetPlotRect();
    struct Case {
        const char* name;
        std::function<void()> show;
        QColor border;
        QColor fill;
        int drawMode;
        int code;
    };
    data->SetMusicGraphRect(plot);
    const Case cases[] = {
        {"none", [&] { graph->SetDrawMode(CFStatic::DRAW_NONE); }, Qt::white, Qt::black, 0, 768},
        {"effect", [&] { graph->ShowEffect(); }, QColor(0, 180, 0), kFill, 1, 0},
        {"mic", [&] { graph->ShowMicChannel(0); }, QColor(0, 180, 0), kFill, 2, 256},
        {"music", [&] { graph->ShowMusicChannel(2); }, kBorder, kFill, 3, 2},
        {"output", [&] { graph->ShowOutputChannel(7); }, kBorder, kFill, 4, 768 + 7},
    };
    for (const Case& c : cases) {
        c.show();
        EXPECT_EQ(graph->GetDrawMode(), c.drawMode) << c.name;
        EXPECT_EQ(graph->GetChannelCode(), c.code) << c.name;
        const QImage image = Render(graph);
        EXPECT_EQ(PixelAt(image, plot.left + 20, plot.top), c.border) << c.name;
        EXPECT_EQ(PixelAt(image, plot.left + 17, plot.top + 4), c.fill) << c.name;
        // Twelfths in modes 0 to 2, eighths in 3 and 4.
        const int divisions = c.drawMode <= 2 ? 12 : 8;
        const int y = plot.top + int(plot.Height() / double(divisions));
        EXPECT_EQ(PixelAt(image, plot.left + 17, y), kGrid) << c.name;
    }

    // The music curve in the line colour, through its Bézier points.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetMusic(2)->GetBand(20)->SetGainIndex(300);
    }
    graph->ShowMusicChannel(2);
    const QImage music = Render(graph);
    EXPECT_GT(CountPixels(music, g_clrCurveLine, 30), 500);
}

TEST_F(FStaticTest, TheMusicModeNumbersOnlyTheItemsTheInputPageShows)
{
    // The items past the input page's columns draw no number over the
    // page's own bands.
    const CRect plot = graph->GetPlotRect();
    data->SetMusicGraphRect(plot);
    graph->ShowMusicChannel(2);
    const QImage image = Render(graph);
    CKTVEQ* bands = data->GetMusic(2)->GetEQ();
    std::vector<CRect> shown;
    for (int i = 0; i < CFStatic::MUSIC_ITEMS; ++i)
        shown.push_back(bands->GetAt(i)->GetHandleRect());
    for (const CRect& handle : shown) {
        CRect inside;
        inside.IntersectRect(handle, plot);
        EXPECT_FALSE(Bounds(image, inside, IsWhite).isEmpty());
    }
    int apart = 0;
    for (int i = CFStatic::MUSIC_ITEMS; i < bands->GetSize(); ++i) {
        CRect handle = bands->GetAt(i)->GetHandleRect();
        handle.IntersectRect(handle, plot);
        const bool overlaps = std::any_of(shown.begin(), shown.end(), [&](const CRect& other) {
            CRect both;
            return both.IntersectRect(handle, other) != 0;
        });
        if (handle.IsRectEmpty() || overlaps)
            continue;
        ++apart;
        EXPECT_TRUE(Bounds(image, handle, IsWhite).isEmpty()) << "item " << i + 1;
    }
    EXPECT_GT(apart, 5);
}

TEST_F(FStaticTest, CachedDrawingMatchesAFullDraw)
{
    SetBand(3, 6, 80, 300);
    SetBand(9, 18, 1250, 120);
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        g_abShowCurve[i] = true;
    for (int chinese = 0; chinese < 2; ++chinese) {
        g_bChinese = chinese != 0;
        // Output 0 is flat: the bypass text shows over the grey curves.
        graph->ShowOutputChannel(0);
        graph->RedrawByMode(-1);  // the caches are warm now
        SetBand(3, 6, 100, 310);  // an overlaid curve changes: its layer must follow
        graph->RedrawByMode(-1);
        const QImage cached = graph->GetImage().copy();
        graph->SetDrawCaching(false);
        graph->RedrawByMode(-1);
        const QImage full = graph->GetImage().copy();
        graph->SetDrawCaching(true);
        ASSERT_EQ(cached.size(), full.size());
        int worst = 0;
        for (int y = 0; y < full.height(); ++y)
            for (int x = 0; x < full.width(); ++x) {
                const QRgb a = cached.pixel(x, y), b = full.pixel(x, y);
                const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
                worst = std::max(worst, d);
            }
        EXPECT_LE(worst, 1) << chinese;
        SetBand(3, 6, 80, 300);
    }
}
