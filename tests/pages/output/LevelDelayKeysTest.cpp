// The level-and-delay page's keyboard: Enter, Tab and Escape in fields and
// buttons, and the walk along the page's focus order.
#include "tests/pages/output/LevelDelayEditFixture.h"

namespace {

class LevelDelayKeys : public LevelDelayEditFixture {
protected:
    QWidget* Control(int id) { return GetDlgItem(page.get(), id); }
    // The last field of the order that shows.
    int LastVisibleField()
    {
        const auto& order = page->FocusOrder();
        for (int j = CLevel_Delay_Dlg::FOCUS_ORDER - 1; j >= 0; --j)
            if (Control(order[j])->isVisible())
                return order[j];
        return -1;
    }
};

TEST_F(LevelDelayKeys, KeysMoveTheFocusAlongThePagesOrder)
{
    // Output 7 on the single sub: its column shows.
    g_byOutputPosition[7] = 24;
    g_SpeakerGroups.Update();
    CLevel_Delay_Dlg& p = Open();
    ASSERT_TRUE(Control(CLevel_Delay_Dlg::IDC_OUTPUT_EDIT0 + 7)->isVisible());
    struct Case {
        const char* name;
        int focus;
        Qt::Key key;
        int expected;  // the focused control's id afterwards; 0 the page
    };
    const Case cases[] = {
        {"Enter in the last output field", CLevel_Delay_Dlg::IDC_OUTPUT_EDIT0 + 7, Qt::Key_Return,
         CLevel_Delay_Dlg::IDC_MASTER_EDIT},
        {"Enter in the master field", CLevel_Delay_Dlg::IDC_MASTER_EDIT, Qt::Key_Enter, CLevel_Delay_Dlg::IDC_INPUT_EDIT0},
        {"Tab in a field", CLevel_Delay_Dlg::IDC_INPUT_EDIT0, Qt::Key_Tab, CLevel_Delay_Dlg::IDC_INPUT_EDIT0 + 1},
        {"Tab on a button", CLevel_Delay_Dlg::IDC_OUTPUT_ON0 + 1, Qt::Key_Tab, CLevel_Delay_Dlg::IDC_OUTPUT_ON0 + 1},
        {"Escape in a field", CLevel_Delay_Dlg::IDC_OUTPUT_EDIT0 + 2, Qt::Key_Escape, 0},
        {"Escape on a button", CLevel_Delay_Dlg::IDC_POLARITY0, Qt::Key_Escape, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Control(c.focus)->setFocus(Qt::OtherFocusReason);
        Pump();
        ASSERT_EQ(FocusId(), c.focus);
        Key(c.key);
        Pump();
        if (c.expected == 0)
            EXPECT_EQ(QApplication::focusWidget(), &p);
        else
            EXPECT_EQ(FocusId(), c.expected);
        EXPECT_EQ(p.PendingCount(), 0u);
        EXPECT_TRUE(host.isVisible()) << "nothing closes";
    }
}

TEST_F(LevelDelayKeys, TabOnAButtonPostsNothingAndIsNotConsumed)
{
    CLevel_Delay_Dlg& p = Open();
    p.m_btnPolarity[2].setFocus(Qt::OtherFocusReason);
    Pump();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    EXPECT_FALSE(p.PreTranslateMessage(&p.m_btnPolarity[2], &tab));
    EXPECT_EQ(p.PendingCount(), 0u);
    // In a field it posts the neighbour message and is not consumed either.
    p.m_editOutputLevel[2].setFocus(Qt::OtherFocusReason);
    Pump();
    EXPECT_FALSE(p.PreTranslateMessage(&p.m_editOutputLevel[2], &tab));
    EXPECT_EQ(p.PendingCount(), 1u);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    EXPECT_TRUE(p.PreTranslateMessage(&p.m_editOutputLevel[2], &enter));
    Pump();
}

TEST_F(LevelDelayKeys, TheWalkSkipsHiddenFieldsAndWrapsOnlyForward)
{
    CLevel_Delay_Dlg& p = Open();
    // Left from the master field: the last visible field.
    p.m_editMaster.setFocus(Qt::OtherFocusReason);
    Pump();
    PostMessage(&p, WM_FOCUS_NEIGHBOUR, CLevel_Delay_Dlg::IDC_MASTER_EDIT, VK_LEFT);
    Pump();
    EXPECT_EQ(FocusId(), LastVisibleField());

    // Hidden fields are passed over both ways.
    p.m_editInputLevel[1].Show(SW_HIDE);
    p.FocusNext(CLevel_Delay_Dlg::IDC_INPUT_EDIT0);
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_INPUT_EDIT0 + 2));
    p.FocusPrevious(CLevel_Delay_Dlg::IDC_INPUT_EDIT0 + 2);
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_INPUT_EDIT0));

    // Backwards from the first shown field: the master; from there on the
    // last one again. With nothing shown before it, no wrap.
    p.FocusPrevious(CLevel_Delay_Dlg::IDC_INPUT_EDIT0);
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_MASTER_EDIT));
    p.m_editMaster.Show(SW_HIDE);
    p.m_editInputLevel[0].Show(SW_HIDE);
    p.m_editInputLevel[2].setFocus(Qt::OtherFocusReason);
    Pump();
    p.FocusPrevious(CLevel_Delay_Dlg::IDC_INPUT_EDIT0 + 2);
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_INPUT_EDIT0 + 2));
    // From the last entry straight to the master.
    p.m_editMaster.Show(SW_SHOW);
    p.FocusNext(CLevel_Delay_Dlg::IDC_OUTPUT_EDIT0 + 7);
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_MASTER_EDIT));
    // An id outside the order counts as the master's.
    EXPECT_EQ(p.FocusIndexOf(12345), 0);
    EXPECT_EQ(p.FocusIndexOf(CLevel_Delay_Dlg::IDC_DELAY_EDIT0 + 3), 10);
}

TEST_F(LevelDelayKeys, FocusMovesSelectAndEnsureEditFocusFallsBackToTheMaster)
{
    g_nLinkGroup[3] = 2;
    CLevel_Delay_Dlg& p = Open();
    p.OnFocusMoved(CLevel_Delay_Dlg::IDC_OUTPUT_EDIT0 + 2);
    EXPECT_EQ(p.SelectedOutput(), 2);
    EXPECT_TRUE(p.ButtonOfPosition(g_byOutputPosition[2])->GetCheck());
    EXPECT_TRUE(p.ButtonOfPosition(g_byOutputPosition[3])->GetCheck()) << "linked";
    const int field = IndexOfField(p, 0);
    p.OnFocusMoved(CLevel_Delay_Dlg::IDC_DELAY_EDIT0 + field);
    EXPECT_EQ(p.SelectedOutput(), 0);
    p.OnFocusMoved(CLevel_Delay_Dlg::IDC_MASTER_EDIT);
    EXPECT_FALSE(p.ButtonOfPosition(g_byOutputPosition[0])->GetCheck());

    p.m_btnOutputOn[1].setFocus(Qt::OtherFocusReason);
    Pump();
    p.EnsureEditFocus();
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_MASTER_EDIT));
    p.m_editOutputLevel[1].setFocus(Qt::OtherFocusReason);
    Pump();
    p.EnsureEditFocus();
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_OUTPUT_EDIT0 + 1));
}

}  // namespace
