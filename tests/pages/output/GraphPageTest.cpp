// The output page as the graph and the strip rest on it: the graph's place
// and binding, the strip's place, the strip refreshing the page, and the
// page ending the graph's repeated notice.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include <QTest>

#include "controls/BitButton.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/Units.h"
#include "model/WindowMessages.h"
#include "pages/output/OutputDlg.h"
#include "platform/gui/CurveColors.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

// The page with its refreshes counted.
class CCountingOutputDlg : public COutputDlg {
public:
    void RefreshChannel() override
    {
        ++refreshes;
        COutputDlg::RefreshChannel();
    }
    int refreshes = 0;
};

class GraphPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetParameterSetState();
        for (bool& shown : g_abShowCurve)
            shown = false;
        data = std::make_unique<CKTV_Data>();
        view.resize(1400, 700);
        page.Create(&view);
        page.AttachData(data.get());
        page.show();
        view.show();
    }
    void TearDown() override
    {
        for (bool& shown : g_abShowCurve)
            shown = false;
        g_nCurOutput = 0;
    }

    void ClickStrip(int n)
    {
        QTest::mouseClick(page.CurveStrip().Button(n), Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
    }

    // A pixel of output n's curve, at a grid point between grid lines.
    QRgb CurvePixel(const QImage& image, int n, int gridIndex)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetOutput(n)->RecomputeCurve();
        const PointF p = data->GetOutput(n)->GetCurveFloat()[gridIndex];
        return image.pixel(int(std::floor(p.x)), int(std::floor(p.y)));
    }

    std::unique_ptr<CKTV_Data> data;
    QWidget view;
    CCountingOutputDlg page;
};

TEST_F(GraphPageTest, GraphAndStripTakeTheirPlaces)
{
    EXPECT_EQ(page.parentWidget(), &view);
    const QFont arial7 = DialogFont(QStringLiteral("Arial"), 7);
    EXPECT_EQ(page.size(), MapDialogRect(CRect(0, 0, 1037, 460), arial7).Size());
    const QRect graph = page.Graph().geometry();
    EXPECT_EQ(graph, MapDialogRect(CRect(90, 21, 976, 160), arial7).ToQRect());
    EXPECT_NEAR(graph.width(), 1107, 30);
    EXPECT_NEAR(graph.height(), 174, 10);
    EXPECT_EQ(GetDlgCtrlID(&page.Graph()), 4000);

    CChangnal_Line& strip = page.CurveStrip();
    EXPECT_EQ(strip.parentWidget(), &page);
    EXPECT_EQ(strip.geometry(), QRect(1223, 20, 46, 222));
    EXPECT_TRUE(strip.isVisible());
    EXPECT_EQ(strip.GetOwnerPage(), static_cast<ICurveStripOwner*>(&page));
}

TEST_F(GraphPageTest, AttachDataSetsTheGraphUpInOrder)
{
    CFStatic& graph = page.Graph();
    EXPECT_EQ(graph.GetOwnerWnd(), static_cast<CMsgTarget*>(&page));
    // Bound before output 0 was shown: the outputs know the plot, the
    // notice timer runs, and output 0 is drawn in the output mode.
    EXPECT_EQ(data->GetOutput(11)->GetGraphWidth(), graph.GetPlotRect().Width());
    EXPECT_EQ(graph.GetOutputIndex(), 0);
    EXPECT_EQ(graph.GetChannelCode(), 768);
    EXPECT_EQ(graph.GetDrawMode(), CFStatic::DRAW_OUTPUT);
    EXPECT_EQ(page.GetData(), data.get());
    const QImage image = graph.GetImage();
    ASSERT_EQ(image.size(), graph.size());
    EXPECT_EQ(QColor(image.pixel(graph.GetPlotRect().left + 20, graph.GetPlotRect().top)), QColor(149, 149, 149));
    EXPECT_GT(CountPixels(image, g_clrCurveLine, 40), 500);
}

TEST_F(GraphPageTest, StripTogglesRefreshThePageAndTheOverlayComesAndGoes)
{
    for (int n : {0, 1}) {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetOutput(n)->GetHighPass()->SetFrequency(20, false);
        data->GetOutput(n)->GetLowPass()->SetFrequency(20000, false);
    }
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetOutput(1)->GetBand(4)->SetFrequency(56, false);
        data->GetOutput(1)->GetBand(4)->SetGainIndex(275);
    }
    const int peak = FrequencyToGridIndex(56);
    EXPECT_NE(CurvePixel(Render(&page.Graph()), 1, peak), g_clrCurveGrey.rgb());

    ClickStrip(1);
    EXPECT_EQ(page.refreshes, 1);
    EXPECT_TRUE(g_abShowCurve[1]);
    EXPECT_TRUE(Near(CurvePixel(page.Graph().GetImage(), 1, peak), g_clrCurveGrey, 12));

    ClickStrip(1);
    EXPECT_EQ(page.refreshes, 2);
    EXPECT_FALSE(Near(CurvePixel(page.Graph().GetImage(), 1, peak), g_clrCurveGrey, 12));

    // The current output's own button flips without a refresh.
    ClickStrip(0);
    EXPECT_TRUE(g_abShowCurve[0]);
    EXPECT_TRUE(page.CurveStrip().Button(0)->GetCheck());
    EXPECT_EQ(page.refreshes, 2);

    // Choosing output 2 brings output 1's flagged curve in grey, its peak
    // beside output 2's.
    g_nCurOutput = 1;
    page.RefreshChannel();
    EXPECT_EQ(page.Graph().GetOutputIndex(), 1);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetOutput(0)->GetBand(4)->SetFrequency(95, false);
        data->GetOutput(0)->GetBand(4)->SetGainIndex(275);
    }
    page.Graph().RedrawByMode(-1);
    EXPECT_TRUE(Near(CurvePixel(page.Graph().GetImage(), 0, FrequencyToGridIndex(95)), g_clrCurveGrey, 12));
}

TEST_F(GraphPageTest, EnterAndEscapeLeaveTheStripOnThePage)
{
    ClickStrip(3);
    page.CurveStrip().Button(3)->setFocus();
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        QTest::keyClick(page.CurveStrip().Button(3), Qt::Key(key));
        EXPECT_TRUE(page.CurveStrip().isVisible()) << key;
        EXPECT_EQ(page.CurveStrip().parentWidget(), &page) << key;
        EXPECT_TRUE(page.CurveStrip().Button(3)->GetCheck()) << key;
    }
    EXPECT_TRUE(page.isVisible());
}

TEST_F(GraphPageTest, HandlingTheNoticeEndsTheRepetition)
{
    CFStatic& graph = page.Graph();
    const QPoint empty(graph.GetPlotRect().left + 300, graph.GetPlotRect().top + 5);
    SendMouse(&graph, QEvent::MouseButtonPress, empty, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&graph, QEvent::MouseButtonRelease, empty, Qt::LeftButton, Qt::NoButton);
    ASSERT_TRUE(graph.m_bReleased);
    graph.OnTimer(CFStatic::TIMER_NOTIFY);
    EXPECT_EQ(page.PendingCount(), 1u);
    page.DeliverPosted();
    EXPECT_FALSE(graph.m_bReleased);
    graph.OnTimer(CFStatic::TIMER_NOTIFY);
    EXPECT_EQ(page.PendingCount(), 0u);

    // A filter's notice selects it: "H" and its caption drawn red.
    PostMessage(&page, WM_GRAPH_CHANGED, 31, 768);
    page.DeliverPosted();
    EXPECT_EQ(graph.GetSelection(), 31);
    CFilter* highPass = data->GetOutput(0)->GetHighPass();
    EXPECT_EQ(graph.GetActiveBand(), highPass);
    // A band's notice redraws with no selection; the active band stays.
    PostMessage(&page, WM_GRAPH_CHANGED, 5, 768);
    page.DeliverPosted();
    EXPECT_EQ(graph.GetSelection(), -1);
    EXPECT_EQ(graph.GetActiveBand(), highPass);
    // Losing the focus is heard and changes nothing.
    PostMessage(&page, WM_GRAPH_KILLFOCUS, 0, 0);
    page.DeliverPosted();
    EXPECT_EQ(graph.GetSelection(), -1);
}

}  // namespace
