// The input page's keyboard: Enter and Tab walk the band fields in PEQ and
// GEQ mode, the band of the field taken turns red, Escape commits by
// focusing the page, and the pointer leaves the graph only from inside it.
#include "platform/gui/CursorPos.h"
#include "tests/pages/input/InPutDlgFixture.h"

namespace {

TEST_F(InPutDlgTest, KeysWalkTheBandFields)
{
    struct Case {
        bool geq;
        int from;
        Qt::Key key;
        int to;
        int red;
    };
    const Case cases[] = {
        {false, 3550, Qt::Key_Return, 3600, 0}, {false, 3600, Qt::Key_Return, 3650, 0},
        {false, 3650, Qt::Key_Return, 3551, 1}, {false, 3657, Qt::Key_Return, 3558, 8},
        {false, 3664, Qt::Key_Return, 3550, 0}, {false, 3557, Qt::Key_Tab, 3558, 8},
        {false, 3564, Qt::Key_Tab, 3600, 0},    {false, 3614, Qt::Key_Tab, 3650, 0},
        {false, 3664, Qt::Key_Tab, 3550, 0},    {true, 3650, Qt::Key_Return, 3651, 1},
        {true, 3664, Qt::Key_Return, 3650, 0},  {true, 3660, Qt::Key_Tab, 3661, 11},
        {true, 3664, Qt::Key_Tab, 3650, 0},
    };
    SetKind(1);
    for (bool geq : {false, true}) {
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            Music(1).SetEqMode(geq ? 1 : 0);
        }
        CInPutDlg& p = Open();
        for (const Case& c : cases) {
            if (c.geq != geq)
                continue;
            SCOPED_TRACE(testing::Message() << c.from << " key " << c.key);
            QWidget* field = GetDlgItem(&p, c.from);
            ASSERT_NE(field, nullptr);
            field->setFocus(Qt::OtherFocusReason);
            Pump();
            Key(c.key);
            EXPECT_EQ(FocusId(), c.to);
            EXPECT_EQ(RedBand(), c.red);
            EXPECT_EQ(p.Graph().GetSelection(), c.red);
        }
    }
}

TEST_F(InPutDlgTest, BackwardWalkAndTheFirstField)
{
    struct Case {
        bool geq;
        int from;
        int to;
    };
    const Case cases[] = {{false, 3550, 3664}, {false, 3600, 3564}, {false, 3650, 3614},
                          {false, 3605, 3604}, {true, 3650, 3664},  {true, 3655, 3654}};
    SetKind(2);
    for (bool geq : {false, true}) {
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            Music(2).SetEqMode(geq ? 1 : 0);
        }
        CInPutDlg& p = Open();
        for (const Case& c : cases) {
            if (c.geq != geq)
                continue;
            SCOPED_TRACE(c.from);
            PostMessage(&p, WM_FOCUS_NEIGHBOUR, WPARAM(c.from), VK_LEFT);
            Pump();
            EXPECT_EQ(FocusId(), c.to);
        }
        // The first field: band 0's frequency (gain in GEQ), unless a field
        // has the focus already.
        p.setFocus(Qt::OtherFocusReason);
        Pump();
        p.FocusFirstBandField();
        Pump();
        EXPECT_EQ(FocusId(), geq ? 3650 : 3550);
        EXPECT_EQ(RedBand(), 0);
        p.m_editGain[5].setFocus(Qt::OtherFocusReason);
        Pump();
        p.FocusFirstBandField();
        Pump();
        EXPECT_EQ(FocusId(), 3655);
    }
}

TEST_F(InPutDlgTest, EscapeCommitsAndNothingCloses)
{
    SetKind(1);
    SetPeq(1);
    CInPutDlg& p = Open();
    Type(p.m_editFreq[2], QStringLiteral("900"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), &p);
    EXPECT_EQ(Band(1, 2).GetFrequency(), 900);
    EXPECT_TRUE(p.isVisible());
    // The page's own keys neither close nor walk anything.
    Key(Qt::Key_Return);
    Key(Qt::Key_Escape);
    Key(Qt::Key_Tab);
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &p);
}

TEST_F(InPutDlgTest, ThePointerLeavesTheGraphOnlyFromInside)
{
    SetKind(1);
    SetPeq(1);
    CInPutDlg& p = Open();
    QPoint pointer;
    std::vector<QPoint> moves;
    SetCursorHook({[&] { return pointer; }, [&](const QPoint& at) { moves.push_back(at); }});
    const QRect graph(p.Graph().mapToGlobal(QPoint(0, 0)), p.Graph().size());
    pointer = graph.center();
    p.m_editFreq[3].setFocus(Qt::OtherFocusReason);
    Key(Qt::Key_Return);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], QPoint(graph.left(), graph.top() + p.Graph().height()));
    pointer = graph.bottomRight() + QPoint(5, 5);
    Key(Qt::Key_Return);
    EXPECT_EQ(moves.size(), 1u);
    SetCursorHook({});
}

}  // namespace
