// Editing on the response graph with the mouse: drags reach the band
// through the band's own operations at the pointer's client positions, the
// hit test's priorities and cursors, and the notices to the owner.
#include "tests/graphs/GraphFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/KTVEQ.h"
#include "tests/model/RecordingFader.h"

namespace {

struct BandState {
    int frequency;
    int gainIndex;
    int bandwidthIndex;
    bool flat;
    bool operator==(const BandState& o) const
    {
        return frequency == o.frequency && gainIndex == o.gainIndex && bandwidthIndex == o.bandwidthIndex &&
               flat == o.flat;
    }
};

std::ostream& operator<<(std::ostream& out, const BandState& s)
{
    return out << "{" << s.frequency << " Hz, gain " << s.gainIndex << ", bw " << s.bandwidthIndex
               << (s.flat ? ", flat}" : "}");
}

BandState StateOf(const CFilter* band)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    return {band->GetFrequency(), band->GetGainIndex(), band->GetBandwidthIndex(), band->IsFlat()};
}

Point P(const QPoint& p)
{
    return Point{p.x(), p.y()};
}

}  // namespace

// A twin band set laid out in the same plot: the band operations called by
// hand at the points the test sends to the graph.
class FStaticTwin {
public:
    FStaticTwin(const CKTV_OutData* output, const CRect& plot)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        const CKTVEQ* source = output->GetEQ();
        bands.BuildIsoBands(30, 32, source->GetHighPass()->GetDragLimitKind(), 20, 20000);
        bands.GetLowPass()->SetDragLimitKind(source->GetLowPass()->GetDragLimitKind());
        bands.SetGraphRect(plot);
        bands.CopyFrom(source);
    }
    CFilter* At(int item) { return bands.GetAt(item); }

    // The graph's calls of a drag of the handle grabbed at grab, then
    // through path; the band's state afterwards.
    BandState PointDrag(int item, const QPoint& grab, const std::vector<QPoint>& path)
    {
        CFilter* band = At(item);
        band->m_bHandleDrag = true;
        band->SetGrabOffset(P(grab));
        for (const QPoint& p : path)
            band->DragBandPoint(P(p));
        return StateOf(band);
    }
    BandState CornerDrag(int item, const QPoint& grab, const std::vector<QPoint>& path, int oppositeHz)
    {
        CFilter* filter = At(item);
        filter->m_bHandleDrag = true;
        filter->SetGrabOffset(P(grab));
        for (const QPoint& p : path)
            filter->DragFilterCorner(P(p), oppositeHz);
        return StateOf(filter);
    }

    CKTVEQ bands;
};

TEST_F(FStaticTest, PointDragMovesTheBandAsItsOwnDragDoes)
{
    FStaticTwin twin(Output(0), graph->GetPlotRect());
    const QPoint c = HandleCentre(0, 12);
    const std::vector<QPoint> path = {c + QPoint(3, -2), c + QPoint(30, -20), c + QPoint(61, -37)};
    Drag(c, path);
    EXPECT_EQ(StateOf(Band(0, 12)), twin.PointDrag(12, c, path));
    EXPECT_NE(StateOf(Band(0, 12)).frequency, 315);
    EXPECT_GT(StateOf(Band(0, 12)).gainIndex, 200);
    // The release ends the drag.
    EXPECT_FALSE(Band(0, 12)->m_bHandleDrag);
    EXPECT_FALSE(Band(0, 12)->m_bHandleHit);
    EXPECT_EQ(graph->GetReportedItem(), 12);
}

TEST_F(FStaticTest, MarkerDragSetsTheBandwidthAsItsOwnDragDoes)
{
    for (bool left : {false, true}) {
        SCOPED_TRACE(left ? "left marker" : "right marker");
        FStaticTwin twin(Output(0), graph->GetPlotRect());
        const QPoint c = HandleCentre(0, 14);
        QPoint marker;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            marker = CentreOf(left ? Band(0, 14)->GetLeftMarkerRect() : Band(0, 14)->GetRightMarkerRect());
        }
        const int dir = left ? -1 : 1;
        const std::vector<QPoint> path = {marker + QPoint(dir * 2, 1), marker + QPoint(dir * 25, 0),
                                          marker + QPoint(dir * 41, 6)};
        Move(c);
        Drag(marker, path);

        CFilter* t = twin.At(14);
        (left ? t->m_bLeftMarkerDrag : t->m_bRightMarkerDrag) = true;
        t->SetMarkerGrabOffset(P(marker));
        for (const QPoint& p : path)
            t->DragBandwidth(P(p));
        EXPECT_EQ(StateOf(Band(0, 14)), StateOf(t));
        EXPECT_GT(StateOf(Band(0, 14)).bandwidthIndex, 60);
        EXPECT_FALSE(Band(0, 14)->m_bLeftMarkerDrag || Band(0, 14)->m_bRightMarkerDrag);
    }
}

TEST_F(FStaticTest, CornerDragsStopAtTheOppositeFilter)
{
    const CRect plot = graph->GetPlotRect();
    auto xOf = [&](int hz) { return 40 + FrequencyToX(hz, plot.Width()); };
    const int output = 1;  // its high-pass follows the general rule within 20 to 20000 Hz
    graph->ShowOutputChannel(output);
    const int hp = Output(output)->GetHighPassIndex();
    const int lp = Output(output)->GetLowPassIndex();

    // The high-pass dragged past a 2 kHz low-pass stops there.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Band(output, lp)->SetFrequency(2000, false);
    }
    FStaticTwin twin(Output(output), plot);
    QPoint c = HandleCentre(output, hp);
    std::vector<QPoint> path = {c + QPoint(1, 0), QPoint(xOf(500), c.y()), QPoint(xOf(5000), c.y() + 9)};
    Drag(c, path);
    EXPECT_EQ(StateOf(Band(output, hp)), twin.CornerDrag(hp, c, path, 2000));
    EXPECT_EQ(Band(output, hp)->GetFrequency(), 2000);
    EXPECT_EQ(graph->GetReportedItem(), hp);

    // The low-pass dragged below a 300 Hz high-pass stops there.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Band(output, hp)->SetFrequency(300, false);
    }
    FStaticTwin twin2(Output(output), plot);
    c = HandleCentre(output, lp);
    path = {c + QPoint(-1, 0), QPoint(xOf(1000), c.y()), QPoint(xOf(100), c.y() - 30)};
    Drag(c, path);
    EXPECT_EQ(StateOf(Band(output, lp)), twin2.CornerDrag(lp, c, path, 300));
    EXPECT_EQ(Band(output, lp)->GetFrequency(), 300);
    EXPECT_EQ(graph->GetReportedItem(), lp);
}

TEST_F(FStaticTest, ADragGoesOnOutsideTheWidget)
{
    FStaticTwin twin(Output(0), graph->GetPlotRect());
    const QPoint c = HandleCentre(0, 20);
    const std::vector<QPoint> path = {c + QPoint(0, 4), QPoint(-60, -40), QPoint(-200, graph->height() + 300)};
    Drag(c, path);
    EXPECT_EQ(StateOf(Band(0, 20)), twin.PointDrag(20, c, path));
    // Pinned to the plot's lower left corner: 20 Hz, -12 dB.
    EXPECT_EQ(Band(0, 20)->GetFrequency(), 20);
    EXPECT_EQ(Band(0, 20)->GetGainIndex(), 80);
    EXPECT_FALSE(Band(0, 20)->m_bHandleDrag);
}

TEST_F(FStaticTest, OverlappingHandlesFavourTheActiveBandThenTheLowerIndex)
{
    SetBand(0, 10, 1000, 200);
    SetBand(0, 11, 1060, 200);
    const CRect r10 = HandleOf(0, 10), r11 = HandleOf(0, 11);
    ASSERT_EQ(r10.top, r11.top);
    ASSERT_GT(r11.left, r10.left);
    ASSERT_LT(r11.left, r10.right);
    const QPoint both((r11.left + r10.right) / 2, r10.top + 8);
    const QPoint only10(r10.left + 1, r10.top + 8);
    const QPoint only11(r11.right - 1, r10.top + 8);

    // No band active: the lower index wins.
    Move(both);
    EXPECT_EQ(graph->GetActiveBand(), Band(0, 10));
    EXPECT_EQ(graph->GetReportedItem(), 10);

    // The active band keeps the overlap.
    Move(only11);
    EXPECT_EQ(graph->GetActiveBand(), Band(0, 11));
    Move(both);
    EXPECT_EQ(graph->GetActiveBand(), Band(0, 11));
    EXPECT_EQ(graph->GetReportedItem(), 11);

    // Off every band the last one stays highlighted.
    Move(QPoint(r10.left - 60, r10.top - 30));
    EXPECT_EQ(graph->GetActiveBand(), Band(0, 11));
    EXPECT_FALSE(graph->IsHover());
    Move(only10);
    EXPECT_EQ(graph->GetActiveBand(), Band(0, 10));
}

TEST_F(FStaticTest, EachStateHasItsCursor)
{
    // Band 8 a low shelf: markers give the left-right cursor, yet no drag.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Band(0, 8)->SetLowShelf(0);
    }
    auto markerOf = [&](int item, bool left) {
        ParameterSetGuard guard(g_ParameterSetLock);
        return CentreOf(left ? Band(0, item)->GetLeftMarkerRect() : Band(0, item)->GetRightMarkerRect());
    };
    const int hp = Output(0)->GetHighPassIndex();
    struct Step {
        const char* state;
        std::function<QPoint()> where;
        Qt::CursorShape cursor;
    };
    const Step steps[] = {
        {"idle", [&] { return QPoint(graph->GetPlotRect().left + 300, graph->GetPlotRect().top + 5); },
         Qt::ArrowCursor},
        {"over a band point", [&] { return HandleCentre(0, 16); }, Qt::SizeAllCursor},
        {"over its right marker", [&] { return markerOf(16, false); }, Qt::SizeHorCursor},
        {"over its left marker", [&] { return markerOf(16, true); }, Qt::SizeHorCursor},
        {"over a filter corner", [&] { return HandleCentre(0, hp); }, Qt::SizeHorCursor},
        {"over a shelf", [&] { return HandleCentre(0, 8); }, Qt::SizeAllCursor},
        {"over a shelf's marker", [&] { return markerOf(8, false); }, Qt::SizeHorCursor},
    };
    for (const Step& step : steps) {
        // Twice: a move that leaves a filter's handle only clears it.
        Move(step.where());
        Move(step.where());
        EXPECT_EQ(graph->cursor().shape(), step.cursor) << step.state;
    }
    // Pressing over the shelf's marker starts nothing; the bandwidth stays.
    const BandState shelf = StateOf(Band(0, 8));
    const QPoint marker = markerOf(8, false);
    Press(marker);
    EXPECT_FALSE(Band(0, 8)->m_bRightMarkerDrag);
    Move(marker + QPoint(30, 0), true);
    Release(marker + QPoint(30, 0));
    EXPECT_EQ(StateOf(Band(0, 8)), shelf);

    // A gain-only band: up-down cursor, no markers drawn or hit.
    Output(0)->SetEqMode(1);
    graph->RedrawByMode(-1);
    const QPoint rightMarker = markerOf(16, false);
    Move(HandleCentre(0, 16));
    Move(HandleCentre(0, 16));
    EXPECT_EQ(graph->cursor().shape(), Qt::SizeVerCursor);
    const QImage image = Render(graph);
    CRect markerRect;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        markerRect = Band(0, 16)->GetRightMarkerRect();
    }
    EXPECT_EQ(CountPixels(image, QColor(255, 0, 0), 0, markerRect.ToQRect()), 0);
    EXPECT_EQ(CountPixels(image, QColor(68, 86, 98), 0, markerRect.ToQRect()), 0);
    Move(rightMarker);
    EXPECT_FALSE(Band(0, 16)->m_bRightMarkerHit);
    EXPECT_NE(graph->cursor().shape(), Qt::SizeHorCursor);
}

TEST_F(FStaticTest, GraphDragsMoveTheFaderAndReachTheChangeScan)
{
    g_bDeviceSynced = true;
    data->ClearChangeFlags(false);
    CRecordingFader fader;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Band(3, 7)->SetOwner(&fader);
    }
    graph->ShowOutputChannel(3);
    const QPoint c = HandleCentre(3, 7);
    Drag(c, {c + QPoint(0, -12), c + QPoint(0, -30)});
    ASSERT_FALSE(fader.values.empty());
    EXPECT_EQ(fader.values.back(), Band(3, 7)->GetGainIndex());
    EXPECT_GT(Band(3, 7)->GetGainIndex(), 200);

    bool found = false;
    for (int k = 0; k < 100 && !found; ++k) {
        const auto frame = data->NextChangedItem();
        const FrameHead head = HeadOf(*frame);
        found = head.block == BLOCK_OUTPUT && head.item == 3 && head.record == 7;
    }
    EXPECT_TRUE(found);
    ParameterSetGuard guard(g_ParameterSetLock);
    Band(3, 7)->SetOwner(nullptr);
}

TEST_F(FStaticTest, DrawModeZeroOnlyTakesTheFocusAndTheReleasedFlag)
{
    graph->SetDrawMode(CFStatic::DRAW_NONE);
    const BandState before = StateOf(Band(0, 12));
    const QPoint c = HandleCentre(0, 12);
    Move(c);
    EXPECT_EQ(graph->GetActiveBand(), nullptr);
    EXPECT_FALSE(graph->IsHover());
    EXPECT_EQ(graph->cursor().shape(), Qt::ArrowCursor);
    Press(c);
    EXPECT_FALSE(graph->m_bReleased);
    Move(c + QPoint(20, -30), true);
    Release(c + QPoint(20, -30));
    EXPECT_TRUE(graph->m_bReleased);
    EXPECT_EQ(StateOf(Band(0, 12)), before);
    EXPECT_FALSE(Band(0, 12)->m_bHandleDrag);
}

// ---- Notices -----------------------------------------------------------------------

TEST_F(FStaticTest, AtMostOneNoticePerTickWhileTheBandChanges)
{
    const QPoint c = HandleCentre(0, 9);
    Move(c);
    Press(c);
    for (int k = 1; k <= 5; ++k)
        Move(c + QPoint(0, -4 * k), true);
    graph->OnTimer(CFStatic::TIMER_NOTIFY);
    graph->OnTimer(CFStatic::TIMER_NOTIFY);
    auto notices = Notices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, 9u);
    EXPECT_EQ(notices[0].lParam, 768);
    EXPECT_FALSE(notices[0].bSent);

    Move(c + QPoint(0, -40), true);
    graph->OnTimer(CFStatic::TIMER_NOTIFY);
    EXPECT_EQ(Notices().size(), 2u);
    // Other timer ids are not the notice's.
    Move(c + QPoint(0, -44), true);
    graph->OnTimer(CFStatic::TIMER_NOTIFY + 1);
    EXPECT_EQ(Notices().size(), 2u);
    EXPECT_TRUE(graph->IsChanged());
}

TEST_F(FStaticTest, AReleaseRepeatsItsNoticeUntilTheOwnerClearsTheFlag)
{
    const QPoint c = HandleCentre(0, 9);
    Drag(c, {c + QPoint(0, -20)});
    for (int tick = 0; tick < 4; ++tick)
        graph->OnTimer(CFStatic::TIMER_NOTIFY);
    // The change, then the release three times.
    EXPECT_EQ(Notices().size(), 4u);
    graph->m_bReleased = false;
    graph->OnTimer(CFStatic::TIMER_NOTIFY);
    EXPECT_EQ(Notices().size(), 4u);

    // A bandwidth drag reports a change on every move, even one that lands
    // where the marker already is.
    owner.Clear();
    QPoint marker;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        marker = CentreOf(Band(0, 9)->GetRightMarkerRect());
    }
    Move(c);
    Move(marker);
    Press(marker);
    Move(marker + QPoint(20, 0), true);
    graph->OnTimer(CFStatic::TIMER_NOTIFY);
    Move(marker + QPoint(20, 0), true);
    graph->OnTimer(CFStatic::TIMER_NOTIFY);
    EXPECT_EQ(Notices().size(), 2u);
    Release(marker + QPoint(20, 0));
}

TEST_F(FStaticTest, AClickOnAnEmptySpotNotifiesTheLastItem)
{
    const QPoint empty(graph->GetPlotRect().left + 300, graph->GetPlotRect().top + 5);
    Drag(empty, {});
    EXPECT_TRUE(graph->m_bReleased);
    graph->OnTimer(CFStatic::TIMER_NOTIFY);
    auto notices = Notices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, 0u);
    // The next press clears the flag.
    Press(empty);
    EXPECT_FALSE(graph->m_bReleased);
    Release(empty);
}

TEST_F(FStaticTest, WithoutAnOwnerNothingIsPosted)
{
    graph->SetOwnerWnd(nullptr);
    const QPoint c = HandleCentre(0, 9);
    Drag(c, {c + QPoint(0, -20)});
    graph->OnTimer(CFStatic::TIMER_NOTIFY);
    EXPECT_TRUE(graph->IsChanged());
    EXPECT_TRUE(Notices().empty());
    graph->OnKillFocus();
    EXPECT_TRUE(owner.Messages().empty());
}

TEST_F(FStaticTest, TheRealTimerRepeatsAReleaseEvery200Ms)
{
    EXPECT_EQ(graph->GetDrawMode(), CFStatic::DRAW_OUTPUT);
    const QPoint empty(graph->GetPlotRect().left + 300, graph->GetPlotRect().top + 5);
    Drag(empty, {});
    // Generous bounds: two notices come within seconds, however loaded the
    // machine is.
    EXPECT_TRUE(WaitFor([&] { return Notices().size() >= 2; }, 20000));
    graph->m_bReleased = false;
}

TEST_F(FStaticTest, LosingTheFocusTellsTheOwner)
{
    QLineEdit other(&owner);
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    Press(QPoint(60, 40));
    Release(QPoint(60, 40));
    ASSERT_TRUE(graph->hasFocus());
    other.setFocus();
    ASSERT_TRUE(WaitFor([&] { return !owner.Messages(WM_GRAPH_KILLFOCUS).empty() || owner.PendingCount() > 0; }));
    owner.DeliverPosted();
    const auto lost = owner.Messages(WM_GRAPH_KILLFOCUS);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].wParam, 0u);
    EXPECT_EQ(lost[0].lParam, 0);
    owner.hide();
}
