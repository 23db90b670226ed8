#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QFontMetrics>
#include <QTest>

#include "graphs/COM_EXT_LIMStatic.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "model/ChannelColors.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/Units.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

const QColor kLimYellow(255, 255, 0);
const QColor kLimGrid(21, 100, 21);
const QColor kLimLabel(200, 200, 200);

QColor OutputColour(int n)
{
    return QColor::fromRgb(QRgb(kOutputColours[n].rgb | 0xFF000000u));
}

// A spin that records the positions it is given.
class CRecordingSpin : public CNumSpin {
public:
    using CNumSpin::CNumSpin;
    std::vector<int> positions;
    void SetPos(int value) override
    {
        positions.push_back(value);
        CNumSpin::SetPos(value);
    }
};

class CCOM_EXT_LIMStaticTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetParameterSetState();
        data = std::make_unique<CKTV_Data>();
        // A 420 x 420 plot: one pixel a step.
        graph = Make(QSize(450, 440));
        owner.show();
    }
    void TearDown() override
    {
        delete graph;
        data.reset();
        g_bDeviceSynced = false;
    }
    CCOM_EXT_LIMStatic* Make(const QSize& size)
    {
        auto* g = new CCOM_EXT_LIMStatic(&owner);
        g->resize(size);
        g->show();
        g->InitLayout();
        g->SetGraphType(CCOM_EXT_LIMStatic::TYPE_LIMITER);
        g->SetChannelArray(data.get());
        return g;
    }
    void SetThreshold(int n, int steps)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetOutput(n)->SetLimitThreshold(short(steps));
    }
    short Threshold(int n)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        return data->GetOutput(n)->GetLimitThreshold();
    }
    QColor Pixel(int x, int y) const { return QColor(graph->GetImage().pixel(x, y)); }
    int Count(const QColor& colour, const QRect& area) const
    {
        return CountPixels(graph->GetImage(), colour, 0, area);
    }
    QPoint PointCentre() const { return graph->GetPointRect().ToQRect().center(); }
    // Grabs the point and drags it through the given places.
    void Drag(const std::vector<QPoint>& path)
    {
        const QPoint start = PointCentre();
        SendMouse(graph, QEvent::MouseMove, start);
        SendMouse(graph, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        for (const QPoint& p : path)
            SendMouse(graph, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
        SendMouse(graph, QEvent::MouseButtonRelease, path.empty() ? start : path.back(), Qt::LeftButton);
    }

    CRecordingWidget owner;
    std::unique_ptr<CKTV_Data> data;
    CCOM_EXT_LIMStatic* graph = nullptr;
};

TEST_F(CCOM_EXT_LIMStaticTest, ThePointSitsInTheCornersAtTheEndsOfItsRange)
{
    const CRect plot = graph->GetPlotRect();
    EXPECT_EQ(plot, CRect(20, 5, 440, 425));
    EXPECT_DOUBLE_EQ(graph->GetYScale(), 1.0);
    const QColor red = OutputColour(0);

    SetThreshold(0, 420);
    graph->SelectChannel(0);
    EXPECT_EQ(graph->GetPointRect(), CRect(plot.right - 3, plot.top - 3, plot.right + 3, plot.top + 3));
    EXPECT_EQ(Pixel(plot.right - 1, plot.top + 1), kLimYellow);
    EXPECT_EQ(Pixel(plot.right + 2, plot.top - 2), kLimYellow) << "the outline is two pixels wide";
    EXPECT_EQ(Count(red, QRect(plot.left + 10, plot.top, plot.Width() - 20, 2)), 0) << "no level segment";
    EXPECT_GT(CountPixels(graph->GetImage(), red, 40, plot.ToQRect()), 400) << "the diagonal";

    SetThreshold(0, 0);
    graph->RefreshChannel();
    EXPECT_EQ(graph->GetThresholdCopy(), 0);
    EXPECT_EQ(graph->GetPointRect(), CRect(plot.left - 3, plot.bottom - 3, plot.left + 3, plot.bottom + 3));
    EXPECT_EQ(Pixel(plot.left + 1, plot.bottom - 1), kLimYellow);
    // The level segment along the bottom edge, two pixels wide.
    EXPECT_EQ(Count(red, QRect(plot.left + 10, plot.bottom - 1, 300, 2)), 600);

    SetThreshold(0, 200);
    graph->RefreshChannel();
    const QPoint p(plot.left + 200, plot.bottom - 200);
    EXPECT_EQ(Pixel(p.x(), p.y()), kLimYellow);
    EXPECT_EQ(Count(red, QRect(p.x() + 10, p.y() - 1, plot.right - p.x() - 10, 2)), 2 * (plot.right - p.x() - 10));
    EXPECT_EQ(graph->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CCOM_EXT_LIMStaticTest, GridAndLabelCells)
{
    graph->RefreshChannel();  // no output: no curve over the grid
    const CRect plot = graph->GetPlotRect();
    // Grid lines leave their end pixel out.
    for (int n : {120, 220, 320}) {
        const int y = plot.top + n;
        EXPECT_EQ(Count(kLimGrid, QRect(plot.left, y, plot.Width() - 1, 1)), plot.Width() - 1) << n;
        EXPECT_EQ(Pixel(plot.right - 1, y), QColor(0, 180, 0)) << "the end pixel is the frame's";
    }
    for (int n : {100, 200, 300}) {
        const int x = plot.left + n;
        EXPECT_EQ(Count(kLimGrid, QRect(x, plot.top + 1, 1, plot.Height() - 2)), plot.Height() - 2) << n;
        EXPECT_EQ(Pixel(x, plot.top), QColor(0, 180, 0)) << "the frame's pixel";
    }
    EXPECT_EQ(Pixel(plot.left, plot.top + 50), QColor(0, 180, 0));

    // Every label pixel lies in a label's cell, and every cell holds text.
    const QFontMetrics metrics(graph->GetLabelFont());
    const struct {
        int x, y;
        const char* text;
    } labels[] = {
        {2, plot.top - 5, " 12"},          {2, plot.top + 113, "  0"},           {2, plot.top + 213, "-10"},
        {2, plot.top + 313, "-20"},        {2, plot.top + 413, "-30"},           {plot.left + 92, plot.top + 420, "-20"},
        {plot.left + 192, plot.top + 420, "-10"}, {plot.left + 297, plot.top + 420, "0"},
        {plot.left + 413, plot.top + 420, "12"},
    };
    QRegion cells;
    for (const auto& l : labels) {
        const QRect cell(l.x, l.y, metrics.horizontalAdvance(QString::fromLatin1(l.text)), metrics.height());
        cells += cell;
        EXPECT_GT(CountPixels(graph->GetImage(), kLimLabel, 60, cell), 0) << l.text;
    }
    const QImage image = graph->GetImage();
    int stray = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            stray += Near(image.pixel(x, y), kLimLabel, 60) && !cells.contains(QPoint(x, y));
    EXPECT_EQ(stray, 0);
}

TEST_F(CCOM_EXT_LIMStaticTest, ColoursOfTheFirstEightOutputs)
{
    const CRect plot = graph->GetPlotRect();
    const QPoint onLevel(plot.right - 20, plot.bottom - 300);
    for (int n = 0; n < 12; ++n)
        SetThreshold(n, 300);
    for (int n = 0; n < 8; ++n) {
        graph->SelectChannel(n);
        EXPECT_EQ(graph->GetCurveColour(), OutputColour(n)) << n;
        EXPECT_EQ(Pixel(onLevel.x(), onLevel.y()), OutputColour(n)) << n;
    }
    for (int n : {8, 11}) {
        graph->SelectChannel(n);
        EXPECT_EQ(graph->GetChannel(), n);
        EXPECT_EQ(graph->GetCurrentOutput(), data->GetOutput(n));
        EXPECT_EQ(Pixel(onLevel.x(), onLevel.y()), OutputColour(7)) << n << " keeps the colour";
    }
}

TEST_F(CCOM_EXT_LIMStaticTest, DragsWriteOnlyWithThresholdControls)
{
    SetThreshold(2, 200);
    graph->SelectChannel(2);
    const CRect plot = graph->GetPlotRect();
    const QImage before = graph->GetImage();

    // No pair: nothing changes, not even the graph's copy.
    Drag({PointCentre() + QPoint(5, -40), QPoint(PointCentre().x(), plot.top - 30)});
    EXPECT_EQ(Threshold(2), 200);
    EXPECT_EQ(graph->GetThresholdCopy(), 200);
    EXPECT_EQ(graph->GetImage(), before);

    // With both pairs.
    QWidget dialog;
    auto* edit = new CNumEdit(&dialog);
    auto* spin = new CRecordingSpin(&dialog);
    auto* edit2 = new CNumEdit(&dialog);
    auto* spin2 = new CRecordingSpin(&dialog);
    spin->SetBuddy(edit);
    spin->SetRange(0, 420);
    spin2->SetBuddy(edit2);
    spin2->SetRange(0, 420);
    graph->SetThresholdControls(spin, edit);
    graph->SetThresholdControls2(spin2, edit2);
    g_bDeviceSynced = true;
    data->ClearChangeFlags(false);
    CMessageBoxSpy boxes;

    SendMouse(graph, QEvent::MouseMove, PointCentre());
    EXPECT_TRUE(graph->IsOverPoint());
    EXPECT_EQ(graph->cursor().shape(), Qt::SizeBDiagCursor);
    const int x = PointCentre().x();
    Drag({QPoint(x + 3, plot.bottom - 250), QPoint(x - 7, plot.top - 30)});
    EXPECT_EQ(Threshold(2), 420) << "above the plot";
    EXPECT_EQ(graph->GetThresholdCopy(), 420);
    EXPECT_EQ(spin->positions, (std::vector<int>{250, 420}));
    EXPECT_EQ(spin2->positions, spin->positions);
    EXPECT_TRUE(edit->IsActiveLook());
    EXPECT_TRUE(edit2->IsActiveLook());
    EXPECT_EQ(Pixel(plot.right - 1, plot.top + 1), kLimYellow);
    EXPECT_FALSE(graph->IsDragging());

    // The limiter record of output 3 goes to the device.
    bool found = false;
    for (int k = 0; k < 100 && !found; ++k) {
        const auto frame = data->NextChangedItem();
        const FrameHead head = HeadOf(*frame);
        found = head.block == BLOCK_OUTPUT && head.item == 2 && head.record == OUTPUT_LIMITER_RECORD;
    }
    EXPECT_TRUE(found);

    Drag({QPoint(x, plot.bottom + 50)});
    EXPECT_EQ(Threshold(2), 0) << "below the plot";
    EXPECT_EQ(spin->positions.back(), 0);
    EXPECT_TRUE(boxes.shown.empty()) << "every position is in range";
}

TEST_F(CCOM_EXT_LIMStaticTest, OtherTypesOnlyTakeTheFocus)
{
    SetThreshold(0, 200);
    graph->SelectChannel(0);
    QWidget dialog;
    auto* spin = new CRecordingSpin(&dialog);
    graph->SetThresholdControls(spin, nullptr);
    const QPoint at = PointCentre();
    graph->SetGraphType(0);
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    SendMouse(graph, QEvent::MouseMove, at);
    EXPECT_FALSE(graph->IsOverPoint());
    Drag({at + QPoint(0, -100)});
    EXPECT_TRUE(graph->hasFocus());
    EXPECT_FALSE(graph->IsDragging());
    EXPECT_EQ(Threshold(0), 200);
    EXPECT_TRUE(spin->positions.empty());
    // It paints nothing of its own: the owner shows through.
    SetFlatBackground(&owner, QColor(227, 228, 238));
    EXPECT_EQ(QColor(Render(&owner).pixel(graph->pos() + QPoint(200, 200))), QColor(227, 228, 238));
}

TEST_F(CCOM_EXT_LIMStaticTest, RatioFromTheHeightOverThePoint)
{
    const CRect plot = graph->GetPlotRect();
    // Threshold 0: the point at the bottom, 420 pixels under the plot's top.
    graph->SelectChannel(0);
    SetThreshold(0, 0);
    graph->RefreshChannel();
    const int py = plot.bottom;
    const struct {
        int y;
        int code;
    } cases[] = {
        {py - 42, 91},   // 420 / 42 x 10 - 9, a whole ratio
        {py - 40, 96},   // a half ratio stays
        {py - 50, 76},   // 75 snaps to the next half ratio
        {py - 420, 1},   // 1 x 10 - 9
        {py + 30, 191},  // at or under the point: b = 1, capped
        {py, 191},
    };
    for (const auto& c : cases)
        EXPECT_EQ(graph->DragRatio(0, c.y), c.code) << c.y;
    // The point at the top: a = 0 gives the least code.
    SetThreshold(0, 420);
    graph->RefreshChannel();
    EXPECT_EQ(graph->DragRatio(0, plot.top - 100), 1);
    ParameterSetGuard guard(g_ParameterSetLock);
    EXPECT_EQ(data->GetOutput(0)->GetDynamicsExtra(4), 0) << "the output keeps no ratio";
}

TEST_F(CCOM_EXT_LIMStaticTest, OutputsOutsideTheSetAndGraphsWithoutAPlot)
{
    // Before any channel, a refresh only draws.
    graph->RefreshChannel();
    EXPECT_EQ(graph->GetCurrentOutput(), nullptr);
    EXPECT_EQ(Count(kLimYellow, graph->GetImage().rect()), 0);
    EXPECT_GT(Count(QColor(0, 180, 0), graph->GetImage().rect()), 0);

    SetThreshold(4, 100);
    graph->SelectChannel(4);
    const QImage shown = graph->GetImage();
    for (int n : {-1, 12, 1000}) {
        graph->SelectChannel(n);
        EXPECT_EQ(graph->GetChannel(), 4) << n;
        EXPECT_EQ(graph->GetCurrentOutput(), data->GetOutput(4)) << n;
        EXPECT_EQ(graph->GetCurveColour(), OutputColour(4)) << n;
        EXPECT_EQ(graph->GetImage(), shown) << n;
    }

    // A client of 30 x 20 pixels, and a type set before the layout: frame
    // and labels, no curve, and drags change nothing.
    QWidget dialog;
    auto* spin = new CRecordingSpin(&dialog);
    spin->SetRange(0, 420);
    for (int k = 0; k < 2; ++k) {
        auto* flat = new CCOM_EXT_LIMStatic(&owner);
        flat->resize(k == 0 ? QSize(30, 20) : QSize(200, 150));
        flat->show();
        if (k == 0) {
            flat->InitLayout();
            flat->SetGraphType(CCOM_EXT_LIMStatic::TYPE_LIMITER);
        } else {
            flat->SetGraphType(CCOM_EXT_LIMStatic::TYPE_LIMITER);
            flat->InitLayout();
        }
        EXPECT_EQ(flat->GetYScale(), 0.0) << k;
        flat->SetChannelArray(data.get());
        flat->SetThresholdControls(spin, nullptr);
        flat->SelectChannel(4);
        EXPECT_EQ(CountPixels(flat->GetImage(), OutputColour(4), 0), 0) << k;
        EXPECT_GT(CountPixels(flat->GetImage(), kLimLabel, 60), 0) << k << " labels";
        for (const QPoint& p : {QPoint(10, 10), QPoint(20, 15), QPoint(5, 2)}) {
            SendMouse(flat, QEvent::MouseMove, p);
            SendMouse(flat, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
            SendMouse(flat, QEvent::MouseMove, p + QPoint(0, -8), Qt::NoButton, Qt::LeftButton);
            SendMouse(flat, QEvent::MouseButtonRelease, p + QPoint(0, -8), Qt::LeftButton);
        }
        EXPECT_EQ(Threshold(4), 100) << k;
        EXPECT_TRUE(spin->positions.empty()) << k;
        delete flat;
    }
}

}  // namespace
