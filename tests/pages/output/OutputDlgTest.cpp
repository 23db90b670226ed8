// The output page: its controls as set up, the refresh of a prepared output,
// the EQ-mode look, the language both ways, the key rules, the setters the
// view calls for the strips, and switching the current output.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QApplication>
#include <QTest>

#include "app/GlobalObjects.h"
#include "controls/DropListBox.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SendData.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

// The page with the messages it posts to itself recorded and its refreshes
// counted.
class CRecordingOutputDlg : public COutputDlg {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_FOCUS_NEIGHBOUR || message == WM_FOCUS_NEXT_IN_BAND)
            moves.push_back({message, wParam, lParam});
        return COutputDlg::WindowProc(message, wParam, lParam);
    }
    void RefreshChannel() override
    {
        ++refreshes;
        COutputDlg::RefreshChannel();
    }
    struct Move {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Move> moves;
    int refreshes = 0;
};

// A window that, like the view, never walks its controls with Tab.
class CPageHost : public QWidget {
protected:
    bool focusNextPrevChild(bool) override { return true; }
};

class OutputDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetParameterSetState();
        g_nCurOutput = 0;
        g_bChinese = false;
        data = std::make_unique<CKTV_Data>();
        page = std::make_unique<CRecordingOutputDlg>();
        host.resize(1300, 600);
        page->Create(&host);
        page->AttachData(data.get());
        page->OnLanguageChanged();
        page->RefreshPage();
        host.show();
        QApplication::setActiveWindow(&host);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    }
    void TearDown() override
    {
        page.reset();
        CResourceStore::ClearOverrides();
        g_nCurOutput = 0;
        g_bChinese = true;
        LoadSpeakerTypeMenu(MENU_SPEAKER_TYPE_CN);
    }
    CKTV_OutData* Output(int i) { return data->GetOutput(i); }
    template <class T>
    T* Item(int id)
    {
        return dynamic_cast<T*>(GetDlgItem(page.get(), id));
    }
    static QString ListText(CComBoxBtn& list, int row) { return list.List()->item(row)->text(); }

    std::unique_ptr<CKTV_Data> data;
    CPageHost host;
    std::unique_ptr<CRecordingOutputDlg> page;
};

TEST_F(OutputDlgTest, ControlsAreSetUpWithTheirTypesRangesStepModesAndSkins)
{
    struct Field {
        int editId, spinId, type, min, max, stepMode;
    };
    const Field fields[] = {
        {5200, 5240, CNumEditValue::TYPE_INTEGER, 20, 20000, CNumSpin::MODE_PLAIN},
        {5230, 5270, CNumEditValue::TYPE_INTEGER, 20, 20000, CNumSpin::MODE_PLAIN},
        // The Q field's type comes before the range: its mode, 11, steps by one.
        {4500, 4540, CNumEditValue::TYPE_Q, 0, 295, CNumEditValue::TYPE_Q},
        {5017, 5057, CNumEditValue::TYPE_GAIN, 80, 320, CNumSpin::MODE_PLAIN},
        {1004, 1351, CNumEditValue::TYPE_FREQUENCY, 20, 20000, CNumSpin::MODE_FREQUENCY},
        {1005, 1352, CNumEditValue::TYPE_FREQUENCY, 20, 20000, CNumSpin::MODE_FREQUENCY},
        {4002, 4003, CNumEditValue::TYPE_LEVEL_DB, 0, 600, CNumSpin::MODE_PLAIN},
        {4011, 4014, CNumEditValue::TYPE_DELAY_CM, 0, 960, CNumSpin::MODE_DELAY},
    };
    for (const Field& f : fields) {
        auto* edit = Item<CNumEdit>(f.editId);
        auto* spin = Item<CNumSpin>(f.spinId);
        ASSERT_TRUE(edit && spin) << f.editId;
        EXPECT_EQ(edit->GetValueType(), f.type) << f.editId;
        int min = 0, max = 0;
        spin->GetRange32(min, max);
        EXPECT_EQ(min, f.min) << f.spinId;
        EXPECT_EQ(max, f.max) << f.spinId;
        EXPECT_EQ(spin->GetStepMode(), f.stepMode) << f.spinId;
        EXPECT_FALSE(spin->isVisible()) << f.spinId;
    }
    // Places from dialog units: band 1's label, band 31's flat toggle.
    const QFont font = DialogFont(QStringLiteral("Arial"), 7);
    EXPECT_EQ(Item<QWidget>(5280)->pos(), MapDialogRect(CRect(116, 167, 140, 176), font).ToQRect().topLeft());
    EXPECT_EQ(Item<QWidget>(5350)->pos(), MapDialogRect(CRect(986, 286, 1010, 295), font).ToQRect().topLeft());

    struct Skin {
        int id;
        UINT english;
    };
    for (const Skin& s : {Skin{1976, 8822}, Skin{5686, 740}, Skin{5687, 359}, Skin{5320, 8832}})
        EXPECT_EQ(Item<CXPButton>(s.id)->CurrentBitmapId(), s.english) << s.id;
    EXPECT_EQ(Item<CBitmapSlider>(5100)->ThumbBitmapId(), 611u);
    for (int id : {4001, 4002, 4004, 4010, 4700, 4701, 4703, 5311, 5688, 5689})
        EXPECT_FALSE(Item<QWidget>(id)->isVisible()) << id;
    for (int i = 0; i < COutputDlg::SPEAKER_BUTTON_COUNT; ++i)
        EXPECT_FALSE(Item<QWidget>(COutputDlg::SpeakerButtonId(i))->isVisible()) << i;
    EXPECT_EQ(ListText(page->m_cbHpfSlope, 8), QStringLiteral("OFF"));
}

TEST_F(OutputDlgTest, RefreshChannelShowsThePreparedOutputEverywhere)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CKTV_OutData* out = Output(2);
        out->GetBand(5)->SetFrequency(1234, true);
        out->GetBand(5)->SetBandwidthIndex(50);
        out->GetBand(5)->SetGainIndex(250);
        out->GetHighPass()->SetFrequency(120, true);
        out->GetHighPass()->SetSlope(0, true);
        out->GetLowPass()->SetFrequency(8000, true);
        out->GetLowPass()->SetFamily(2, true);
        out->GetLowPass()->SetSlope(8, true);
        out->SetPolarity(1);
    }
    page->HighlightBandLabel(4, true);
    page->FocusBandField(4, 2, true);
    g_nCurOutput = 2;
    page->RefreshChannel();

    EXPECT_EQ(page->m_editBandFreq[5].text(), QStringLiteral("1234"));
    EXPECT_EQ(page->m_spinBandQ[5].GetPos(), 50);
    EXPECT_EQ(page->m_editBandGain[5].text(), QStringLiteral("5.0"));
    EXPECT_EQ(page->m_sldBandGain[5].GetValue(), 250);
    EXPECT_FALSE(page->m_btnBandBypass[5].GetCheck());
    EXPECT_TRUE(page->m_btnBandBypass[6].GetCheck());
    EXPECT_FALSE(page->m_btnAllBypass.GetCheck());
    EXPECT_EQ(page->m_spinHpfFreq.GetPos(), 120);
    EXPECT_EQ(page->m_cbHpfSlope.GetCurSel(), 0);
    EXPECT_FALSE(page->m_cbHpfFamily.isVisible());
    EXPECT_EQ(page->m_spinLpfFreq.GetPos(), 8000);
    EXPECT_EQ(page->m_cbLpfSlope.GetCurSel(), 8);
    EXPECT_EQ(page->m_cbLpfFamily.GetCurSel(), 2);
    EXPECT_TRUE(page->m_cbLpfFamily.isVisible());
    EXPECT_TRUE(page->m_btnPolarity.GetCheck());
    EXPECT_EQ(page->Graph().GetOutputIndex(), 2);
    // Graph drags of the band move its fader.
    EXPECT_EQ(Output(2)->GetBand(5)->GetOwner(), &page->m_sldBandGain[5]);
    // The red label and the focus frame are gone.
    EXPECT_EQ(page->m_pHighlightLabel, nullptr);
    EXPECT_EQ(page->m_stcBandLabel[4].TextColor(), COutputDlg::kLabelGrey);
    EXPECT_FALSE(page->m_editBandGain[4].IsActiveLook());

    // The page leaves no band pointing at its faders.
    page.reset();
    EXPECT_EQ(Output(2)->GetBand(5)->GetOwner(), nullptr);
}

TEST_F(OutputDlgTest, GainOnlyModeDisablesFrequencyAndQAndGreysBandsOutsideThePassBand)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(0)->GetHighPass()->SetFrequency(100, true);
        Output(0)->GetLowPass()->SetFrequency(5000, true);
        Output(0)->SetEqMode(1);
    }
    page->RefreshChannel();
    EXPECT_TRUE(page->m_btnEqMode.GetCheck());
    for (int b = 0; b < COutputDlg::BAND_COUNT; ++b) {
        EXPECT_FALSE(page->m_editBandFreq[b].isEnabled()) << b;
        EXPECT_FALSE(page->m_editBandQ[b].isEnabled()) << b;
        EXPECT_TRUE(page->m_editBandGain[b].isEnabled()) << b;
        // Bands 7 (100 Hz) to 24 (5 kHz) lie inside.
        const UINT thumb = b >= 7 && b <= 24 ? 611 : 612;
        EXPECT_EQ(page->m_sldBandGain[b].ThumbBitmapId(), thumb) << b;
    }
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(0)->SetEqMode(0);
    }
    page->RefreshChannel();
    for (int b = 0; b < COutputDlg::BAND_COUNT; ++b) {
        EXPECT_TRUE(page->m_editBandQ[b].isEnabled()) << b;
        EXPECT_EQ(page->m_sldBandGain[b].ThumbBitmapId(), 611u) << b;
    }
}

TEST_F(OutputDlgTest, LanguageSwitchKeepsSelectionsAndFollowsTheTables)
{
    page->m_cbLpfFamily.SetCurSel(1);
    page->m_cbHpfSlope.SetCurSel(8);
    page->m_spinLevel.SetPos(20);
    for (bool chinese : {true, false}) {
        g_bChinese = chinese;
        page->OnLanguageChanged();
        EXPECT_EQ(page->m_cbLpfFamily.GetCurSel(), 1) << chinese;
        EXPECT_EQ(page->m_cbHpfSlope.GetCurSel(), 8) << chinese;
        EXPECT_EQ(ListText(page->m_cbHpfFamily, 0), chinese ? QStringLiteral("宁克-锐") : QStringLiteral("Link_Ril"));
        EXPECT_EQ(ListText(page->m_cbLpfSlope, 8), chinese ? QStringLiteral("关闭") : QStringLiteral("OFF"));
        EXPECT_EQ(page->m_btnAllBypass.CurrentBitmapId(), chinese ? 7002u : 8822u);
        EXPECT_EQ(page->m_btnResetEq.CurrentBitmapId(), chinese ? 7004u : 359u);
        EXPECT_EQ(page->m_editLevel.text(), chinese ? QStringLiteral("关闭") : QStringLiteral("OFF"));
        EXPECT_EQ(page->m_btnLanguageMark.GetCheck(), chinese);
        EXPECT_NE(FindSpeakerTypeItem(g_menuSpeakerType, 0), nullptr);
    }

    // The background comes from 287 in Chinese and 286 in English.
    CResourceStore::SetFlatImage(QStringLiteral("BMP"), COutputDlg::IDB_BACK_CN, QSize(1280, 665), Qt::red);
    CResourceStore::SetFlatImage(QStringLiteral("BMP"), COutputDlg::IDB_BACK_EN, QSize(1280, 665), Qt::green);
    CPageHost other;
    COutputDlg fresh;
    fresh.Create(&other);
    const QRect bare(100, 300, 20, 20);  // below the EQ toggles, left of band 1
    for (bool chinese : {true, false}) {
        g_bChinese = chinese;
        const QImage shown = Render(&fresh);
        EXPECT_EQ(CountPixels(shown, chinese ? QColor(Qt::red) : QColor(Qt::green), 0, bare), 400) << chinese;
    }
}

TEST_F(OutputDlgTest, EnterTabAndEscapeInFieldsPostMovesOrCommitAndCloseNothing)
{
    struct Case {
        bool gainOnly;
        Qt::Key key;
        UINT message;
        LPARAM lParam;
    };
    const Case cases[] = {
        {false, Qt::Key_Return, WM_FOCUS_NEXT_IN_BAND, 0},
        {true, Qt::Key_Return, WM_FOCUS_NEIGHBOUR, VK_RIGHT},
        {false, Qt::Key_Tab, WM_FOCUS_NEIGHBOUR, VK_RIGHT},
    };
    for (const Case& c : cases) {
        page->moves.clear();
        page->m_btnEqMode.SetCheck(c.gainOnly);
        page->m_editBandGain[5].setFocus();
        QTest::keyClick(&page->m_editBandGain[5], c.key);
        page->DeliverPosted();
        ASSERT_EQ(page->moves.size(), 1u) << c.key;
        EXPECT_EQ(page->moves[0].message, c.message);
        EXPECT_EQ(page->moves[0].wParam, 5005u);
        EXPECT_EQ(page->moves[0].lParam, c.lParam);
        EXPECT_TRUE(host.isVisible());
    }
    // Escape commits the field: the page takes the focus.
    page->m_btnEqMode.SetCheck(false);
    page->m_editBandGain[5].setFocus();
    QTest::keyClick(&page->m_editBandGain[5], Qt::Key_Escape);
    EXPECT_TRUE(page->hasFocus());
    // Enter on a button posts nothing.
    page->moves.clear();
    page->m_btnAllBypass.setFocus();
    QTest::keyClick(&page->m_btnAllBypass, Qt::Key_Return);
    page->DeliverPosted();
    EXPECT_TRUE(page->moves.empty());
}

TEST_F(OutputDlgTest, TheViewsSettersWriteOnlyAChangedValueAndTheScanSendsTheDelayWord)
{
    // From the default set, synced, nothing pending.
    g_bDeviceSynced = true;
    page->SetChannelDelay(0, 240);
    page->SetChannelOn(0, 1);
    page->SetChannelPolarity(0, 0);
    EXPECT_EQ(Output(0)->GetDelay(), 480);
    EXPECT_TRUE(Output(0)->IsBasicDirty());
    std::unique_ptr<CSendData> frame;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        frame = data->NextChangedItem();
    }
    ASSERT_NE(frame, nullptr);
    const std::vector<BYTE> expected = {0x82, 0x82, 0x82, 0xEE, 0xA1, 0x01, 0x00, 0x04, 0x00, 0x1F, 0x00, 0x00,
                                        0x08, 0x00, 0x01, 0x00, 0x58, 0x02, 0xE0, 0x01, 0x00, 0x06, 0x0F, 0xAA};
    EXPECT_EQ(std::vector<BYTE>(frame->GetData(), frame->GetData() + frame->GetLength()), expected);

    // Equal values leave the record unchanged; changed ones mark it.
    struct Case {
        const char* what;
        void (COutputDlg::*set)(int, int);
        int value;
        bool dirty;
    };
    const Case cases[] = {
        {"same delay", &COutputDlg::SetChannelDelay, 240, false}, {"same on", &COutputDlg::SetChannelOn, 1, false},
        {"same polarity", &COutputDlg::SetChannelPolarity, 0, false}, {"muted", &COutputDlg::SetChannelOn, 0, true},
        {"inverted", &COutputDlg::SetChannelPolarity, 1, true},
    };
    for (const Case& c : cases) {
        Output(0)->SetBasicDirty(false);
        (page.get()->*c.set)(0, c.value);
        EXPECT_EQ(Output(0)->IsBasicDirty(), c.dirty) << c.what;
    }
    EXPECT_EQ(Output(0)->GetOn(), 0);
    EXPECT_EQ(Output(0)->GetPolarity(), 1);
    page->SetChannelDelay(12, 5);  // no such output
}

TEST_F(OutputDlgTest, SwitchingTheCurrentOutputShowsItWhateverTheMasks)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(3)->GetBand(0)->SetFrequency(33, true);
        Output(10)->GetBand(0)->SetFrequency(1010, true);
    }
    // The buttons of outputs 0 (code 6) and 3 (code 18) as the map places
    // them.
    for (int code : {6, 18}) {
        page->SpeakerButton(code)->ShowWindow(SW_SHOW);
        page->HighlightSpeakerButton(code, code == 6);
    }
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        EXPECT_EQ(page->m_strips[i].m_nLinkMask, 1 << i);

    page->refreshes = 0;
    page->SwitchCurrentOutput(3);
    EXPECT_EQ(g_nCurOutput, 3);
    EXPECT_EQ(page->refreshes, 1);
    EXPECT_EQ(page->m_editBandFreq[0].text(), QStringLiteral("33"));
    EXPECT_EQ(page->Graph().GetOutputIndex(), 3);
    EXPECT_TRUE(page->SpeakerButton(18)->GetCheck());
    EXPECT_FALSE(page->SpeakerButton(6)->GetCheck());
    EXPECT_TRUE(page->m_strips[3].m_btnSelect.GetCheck());
    EXPECT_FALSE(page->m_strips[0].m_btnSelect.GetCheck());

    page->SwitchCurrentOutput(10);
    EXPECT_EQ(g_nCurOutput, 10);
    EXPECT_EQ(page->m_editBandFreq[0].text(), QStringLiteral("1010"));
    EXPECT_EQ(page->Graph().GetOutputIndex(), 10);

    page->refreshes = 0;
    page->SwitchCurrentOutput(10);
    EXPECT_EQ(page->refreshes, 0);
}

TEST_F(OutputDlgTest, AValueBeyondASpinsRangeIsReportedAndTheModelKeepsIt)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(0)->GetBand(3)->SetGainIndex(360);
    }
    CMessageBoxSpy spy;
    page->RefreshChannel();
    ASSERT_FALSE(spy.shown.empty());
    EXPECT_EQ(spy.shown[0].text, QStringLiteral("Set Pos Error!"));
    EXPECT_EQ(Output(0)->GetBand(3)->GetGainIndex(), 360);
}

}  // namespace
