// A mix column: what each row control writes and posts, the column select,
// the speaker-type defaults, the reload from the live image, the skins of
// the current output and the keys; then a level typed on the view's own
// page, read back by the change scan.
#include <gtest/gtest.h>

#include <QApplication>

#include <algorithm>

#include "app/GlobalObjects.h"
#include "model/KTV_OutData.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/pages/input/MixFixture.h"

namespace {

class RouteMixComTest : public MixAppTest {
protected:
    CRouteMixCom& Column(int output)
    {
        OwnPage();
        return m_pPage->m_Column[output];
    }
    int MixLevel(int output, int row) const { return m_pData->GetOutput(output)->GetMixLevel(row); }
    BYTE& ImageLevel(int output, int row) { return g_CurrentImage.bytes[OutputBlockOffset(output) + 263 + row]; }
};

enum class MixControl { Edit, Fader, Spin };

TEST_F(RouteMixComTest, EachRowControlWritesTheLevelAndPostsItsRow)
{
    g_nCurOutput = 2;
    CRouteMixCom& column = Column(2);
    const int nextOutputRow1 = Column(3).m_nLevel[0];
    const int row15 = column.m_nLevel[14];
    for (int row : {1, 8, 9, 16}) {
        for (MixControl control : {MixControl::Edit, MixControl::Fader, MixControl::Spin}) {
            SCOPED_TRACE(testing::Message() << "row " << row << " control " << int(control));
            const int level = 30 + row;
            // A field that holds the focus commits when it loses it, and a
            // field taking the focus lights its fader, which tells its
            // level: both happen before the change looked at.
            column.setFocus();
            if (control == MixControl::Edit) {
                QTest::mouseClick(&column.m_edit[row - 1], Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
                column.m_edit[row - 1].setFocus();
            }
            m_pPage->m_nHighlightRow = 0;
            Relayed(0);
            m_spy.Clear();
            switch (control) {
            case MixControl::Edit:
                QTest::keyClick(&column.m_edit[row - 1], Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(&column.m_edit[row - 1], QString::number(level));
                QTest::keyClick(&column.m_edit[row - 1], Qt::Key_Return);
                break;
            case MixControl::Fader:
                column.m_slider[row - 1].SetValue(level);
                SendMessage(&column, WM_SLIDER_MOVED, CRouteMixCom::SliderId(row), 0);
                break;
            case MixControl::Spin:
                column.m_spin[row - 1].SetPos(level);
                SendMessage(&column, WM_COMMAND, CRouteMixCom::SpinId(row), 0);
                break;
            }
            EXPECT_EQ(MixLevel(2, row), level);
            EXPECT_EQ(column.m_nLevel[row - 1], level);
            EXPECT_EQ(column.RowLevel(row), level);
            EXPECT_EQ(column.m_edit[row - 1].GetValue(), level);
            EXPECT_EQ(column.m_spin[row - 1].GetPos(), level);
            EXPECT_EQ(column.m_Notify.nOutput, 2);
            EXPECT_EQ(column.m_Notify.nRow, row - 1);
            const auto notices = Relayed(WM_MIX_LEVEL_NOTIFY);
            ASSERT_EQ(notices.size(), 1u);
            EXPECT_EQ(notices[0].wParam, WPARAM(&column.m_Notify));
            EXPECT_EQ(notices[0].lParam, LPARAM(level));
            EXPECT_TRUE(m_spy.Messages(WM_MIX_SELECT_OUTPUT).empty());
            EXPECT_EQ(m_pPage->m_nHighlightRow, control == MixControl::Edit ? row : 0);
        }
    }
    // The neighbouring columns and the first row of the next output were
    // not touched by row 16.
    EXPECT_EQ(column.m_nLevel[14], row15);
    EXPECT_EQ(Column(3).m_nLevel[0], nextOutputRow1);
}

TEST_F(RouteMixComTest, EveryChangePostsEvenUnchangedAndOtherFadersAreIgnored)
{
    g_nCurOutput = 2;
    CRouteMixCom& column = Column(2);
    Relayed(0);
    m_spy.Clear();
    const int before = column.RowLevel(4);
    SendMessage(&column, WM_SLIDER_MOVING, CRouteMixCom::SliderId(4), 0);
    SendMessage(&column, WM_SLIDER_MOVED, CRouteMixCom::SliderId(4), 0);
    SendMessage(&column, WM_SLIDER_MOVED, 4242, 0);
    const auto notices = Relayed(WM_MIX_LEVEL_NOTIFY);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[1].lParam, LPARAM(before));
}

TEST_F(RouteMixComTest, AFaderClickHighlightsItsRow)
{
    g_nCurOutput = 2;
    CRouteMixCom& column = Column(2);
    Relayed(0);
    QTest::mouseClick(&column.m_slider[10], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    Relayed(0);
    EXPECT_EQ(m_pPage->m_nHighlightRow, 11);
    EXPECT_TRUE(m_spy.Messages(WM_MIX_SELECT_OUTPUT).empty());
}

TEST_F(RouteMixComTest, APressInAnotherOutputsColumnSelectsItAndClearsTheHighlight)
{
    g_nCurOutput = 2;
    CRouteMixCom& other = Column(5);
    m_pPage->m_nHighlightRow = 7;
    Relayed(0);
    m_spy.Clear();
    // On the background the press is seen twice: before dispatch and by
    // the column itself.
    QTest::mouseClick(&other, Qt::LeftButton, Qt::NoModifier, QPoint(60, 435));
    auto selects = Relayed(WM_MIX_SELECT_OUTPUT);
    ASSERT_EQ(selects.size(), 2u);
    EXPECT_EQ(selects[0].wParam, WPARAM(5));
    EXPECT_EQ(m_pPage->m_nHighlightRow, 0);
    // In the current output's column a press posts nothing.
    m_spy.Clear();
    QTest::mouseClick(&Column(2), Qt::LeftButton, Qt::NoModifier, QPoint(60, 435));
    EXPECT_TRUE(Relayed(WM_MIX_SELECT_OUTPUT).empty());
}

TEST_F(RouteMixComTest, SpeakerTypesSetTheDefaultLevelsAndPostNothing)
{
    struct Case {
        int code;
        int odd, even;  // level of the left (odd) and right (even) rows
    };
    const Case cases[] = {{0, 0, 0},     {1, 100, 0},   {6, 100, 0},  {7, 0, 100},   {12, 0, 100},
                          {13, 100, 0},  {16, 0, 100},  {19, 100, 100}, {22, 100, 0}, {23, 0, 100},
                          {24, 100, 100}};
    CRouteMixCom& column = Column(4);
    Relayed(0);
    m_spy.Clear();
    for (const Case& c : cases) {
        column.ApplySpeakerTypeMix(c.code);
        for (int row = 1; row <= 16; ++row) {
            const int expected = row % 2 == 1 ? c.odd : c.even;
            EXPECT_EQ(column.m_nLevel[row - 1], expected) << c.code << " row " << row;
            EXPECT_EQ(column.RowLevel(row), expected) << c.code << " row " << row;
            EXPECT_EQ(MixLevel(4, row), expected) << c.code << " row " << row;
        }
    }
    // A code above 24 writes the remembered levels back as they are.
    column.m_nLevel[15] = 37;
    column.ApplySpeakerTypeMix(25);
    EXPECT_EQ(MixLevel(4, 16), 37);
    EXPECT_EQ(MixLevel(4, 15), 100);
    EXPECT_EQ(m_pPage->PendingCount(), 0u);
    EXPECT_TRUE(Relayed(0).empty() && m_spy.Messages().empty());
}

TEST_F(RouteMixComTest, AReloadShowsTheLiveImageAndWarnsOncePerLevelAbove100)
{
    CRouteMixCom& column = Column(3);
    // A level set in the output object but not yet in the image.
    m_pData->GetOutput(3)->SetMixLevel(3, 20);
    const int imageLevel = ImageLevel(3, 3);
    ImageLevel(3, 1) = 150;
    ImageLevel(3, 16) = 150;
    CMessageBoxSpy boxes;
    column.ReloadLevels();
    EXPECT_EQ(column.RowLevel(3), imageLevel);
    EXPECT_EQ(column.m_nLevel[2], imageLevel);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Set Pos Error!"));
    for (int row : {1, 16}) {
        EXPECT_EQ(column.m_nLevel[row - 1], 150) << row;
        EXPECT_EQ(column.m_edit[row - 1].GetValue(), 100) << row;
        EXPECT_EQ(column.m_spin[row - 1].GetPos(), 100) << row;
    }
    ImageLevel(3, 1) = 100;
    ImageLevel(3, 16) = 100;
}

TEST_F(RouteMixComTest, TheSkinsAndBackgroundFollowTheCurrentOutput)
{
    CRouteMixCom& current = Column(2);
    CRouteMixCom& other = Column(3);
    for (CRouteMixCom* column : {&current, &other})
        column->ClearSliderSkins();
    EXPECT_EQ(current.m_slider[0].ThumbBitmapId(), 0u);
    g_nCurOutput = 2;
    for (CRouteMixCom* column : {&current, &other})
        column->ApplySliderSkins();
    EXPECT_EQ(current.m_slider[0].ThumbBitmapId(), 1099u);
    EXPECT_EQ(other.m_slider[0].ThumbBitmapId(), 1192u);
    EXPECT_EQ(current.m_slider[0].width(), 54);
    EXPECT_EQ(current.GetColumnOutput(), 2);
    // The current column's background is the highlighted one.
    const QImage a = current.grab().toImage();
    const QImage b = other.grab().toImage();
    EXPECT_NE(a.pixelColor(88, 437), b.pixelColor(88, 437));
}

TEST_F(RouteMixComTest, KeysCommitAndStayInTheColumnAndRow16sButtonOnlyFlips)
{
    g_nCurOutput = 2;
    CRouteMixCom& column = Column(2);
    Relayed(0);
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Escape, Qt::Key_Return}) {
        QWidget* field = &column.m_edit[6];
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QStringLiteral("12"));
        QTest::keyClick(field, key);
        EXPECT_TRUE(column.hasFocus()) << key;
        EXPECT_EQ(MixLevel(2, 7), 12) << key;
        EXPECT_TRUE(m_pPage->isVisible());
        ASSERT_GE(Relayed(WM_MIX_LEVEL_NOTIFY).size(), 1u);
        m_spy.Clear();
        SendMessage(&column, WM_COMMAND, CRouteMixCom::EditId(7), 0);
    }
    Relayed(0);
    m_spy.Clear();
    const int level16 = MixLevel(2, 16);
    CBitButton& button = column.m_btnSource[15];
    EXPECT_TRUE(button.isVisible());
    EXPECT_FALSE(column.m_btnSource[14].isVisible());
    const bool before = button.GetCheck();
    QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_NE(button.GetCheck(), before);
    EXPECT_EQ(MixLevel(2, 16), level16);
    EXPECT_TRUE(Relayed(WM_MIX_LEVEL_NOTIFY).empty());
}

TEST_F(RouteMixComTest, ALevelTypedOnTheViewsPageIsWhatTheChangeScanSends)
{
    m_pView->m_mixPage.show();
    ASSERT_TRUE(m_pView->m_mixPage.isVisible());
    g_nCurOutput = 2;
    CRouteMixCom& column = m_pView->m_mixPage.m_Column[2];
    TypeAndEnter(&column.m_edit[4], QStringLiteral("40"));
    m_pView->m_mixPage.DeliverPosted();
    EXPECT_EQ(MixLevel(2, 5), 40);
    EXPECT_EQ(m_pView->m_mixPage.m_nHighlightRow, 5);
    EXPECT_TRUE(TakeQueued().empty());
    EXPECT_EQ(NextScanned(), DialogFrame("04 02 21 00 00 08 00 64 64 64 64 28 64 64 64 C3 AA"));
    // Sent levels make the live preset "Custom" at the next scans; that
    // is not looked at here.
    g_bTrackPresetName = false;
    column.m_slider[15].SetValue(0);
    SendMessage(&column, WM_SLIDER_MOVED, CRouteMixCom::SliderId(16), 0);
    EXPECT_EQ(NextScanned(), DialogFrame("04 02 22 00 00 08 00 64 64 64 64 64 64 64 00 E8 AA"));
    g_bTrackPresetName = false;
    EXPECT_EQ(MixLevel(2, 16), 0);
}

}  // namespace

namespace {

// The view's own page, shown by its mixer button: a press makes the column's
// output current and selects its strip; a level typed or dragged there lights
// or darkens that strip's source; the strip's source switch comes back at 100.
class RouteMixComViewTest : public RouteMixComTest {
protected:
    // Everything posted on the way from a column to the view's strips.
    void DeliverToView()
    {
        for (int pass = 0; pass < 2; ++pass) {
            QApplication::processEvents();
            for (CRouteMixCom& column : m_pView->m_mixPage.m_Column)
                column.DeliverPosted();
            m_pView->m_mixPage.DeliverPosted();
            m_pView->DeliverPosted();
            for (COutRouteDlg& strip : m_pView->m_strips)
                strip.DeliverPosted();
        }
    }
    std::vector<int> SelectedStrips()
    {
        std::vector<int> selected;
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            if (m_pView->m_strips[i].m_btnSelect.GetCheck())
                selected.push_back(i);
        }
        return selected;
    }
};

TEST_F(RouteMixComViewTest, TheColumnPressedMakesItsOutputCurrentAndItsLevelsReachTheStrip)
{
    int savedGroups[OUTPUT_COUNT] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        std::copy(g_nLinkGroup, g_nLinkGroup + OUTPUT_COUNT, savedGroups);
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            g_nLinkGroup[i] = i;
    }
    m_pView->OnStripSelect(0);
    ASSERT_EQ(g_nCurOutput, 0);
    m_pView->m_btnMixer.SetCheck(false);
    QTest::mouseClick(&m_pView->m_btnMixer, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    DeliverToView();
    ASSERT_TRUE(m_pView->m_mixPage.isVisible());

    CRouteMixCom& column = m_pView->m_mixPage.m_Column[2];
    CNumEdit& field = column.m_edit[4];
    QTest::mouseClick(&field, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    DeliverToView();
    EXPECT_EQ(g_nCurOutput, 2);
    EXPECT_EQ(SelectedStrips(), std::vector<int>{2});
    EXPECT_TRUE(column.HasSliderSkins());

    m_pView->m_strips[2].SetSource(5, 0);
    field.setFocus();
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&field, QStringLiteral("40"));
    QTest::keyClick(&field, Qt::Key_Return);
    DeliverToView();
    EXPECT_EQ(MixLevel(2, 5), 40);
    EXPECT_EQ(m_pView->m_mixPage.m_nHighlightRow, 5);
    EXPECT_EQ(m_pView->m_strips[2].m_abSource[4], 1);
    EXPECT_TRUE(TakeQueued().empty());
    EXPECT_EQ(NextScanned(), DialogFrame("04 02 21 00 00 08 00 64 64 64 64 28 64 64 64 C3 AA"));
    g_bTrackPresetName = false;

    // Row 16 dragged to 0 darkens source 16; the strip's switch brings it
    // back at 100, since the level it had was 0.
    column.m_slider[15].SetValue(0);
    SendMessage(&column, WM_SLIDER_MOVED, CRouteMixCom::SliderId(16), 0);
    DeliverToView();
    EXPECT_EQ(m_pView->m_strips[2].m_abSource[15], 0);
    EXPECT_EQ(NextScanned(), DialogFrame("04 02 22 00 00 08 00 64 64 64 64 64 64 64 00 E8 AA"));
    g_bTrackPresetName = false;
    m_pView->m_strips[2].OnSourceButton(16);
    DeliverToView();
    EXPECT_EQ(m_pView->m_strips[2].m_abSource[15], 1);
    EXPECT_EQ(MixLevel(2, 16), 100);
    EXPECT_EQ(column.m_nLevel[15], 100);
    EXPECT_EQ(column.RowLevel(16), 100);
    // And off again: the column shows 0, the level is remembered.
    m_pView->m_strips[2].OnSourceButton(16);
    DeliverToView();
    EXPECT_EQ(MixLevel(2, 16), 0);
    EXPECT_EQ(column.RowLevel(16), 0);
    EXPECT_EQ(column.m_nLevel[15], 100);
    EXPECT_TRUE(TakeQueued().empty());

    m_pView->m_btnMixer.SetCheck(false);
    m_pView->OnMixerToggled(0);
    ParameterSetGuard guard(g_ParameterSetLock);
    std::copy(savedGroups, savedGroups + OUTPUT_COUNT, g_nLinkGroup);
}

}  // namespace
