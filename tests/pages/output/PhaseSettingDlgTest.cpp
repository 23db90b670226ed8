// The phase dialog of a strip's output: its set-up by polarity and
// language, the angle and frequency from field, spin and fader, the phase
// button, the heading and background, and what its edits share with the
// dynamics dialog (the limiter's attack and release words).
#include <gtest/gtest.h>

#include <memory>

#include <QTest>

#include "app/GlobalObjects.h"
#include "graphs/NumEditValue.h"
#include "model/KTV_OutData.h"
#include "model/WindowMessages.h"
#include "pages/output/CurSYSDlg.h"
#include "pages/output/OutRoute_Dlg.h"
#include "pages/output/PhaseSettingDlg.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/common/gui/LineEditInput.h"
#include "tests/pages/output/DynamicsDialogTestSupport.h"

namespace {

class PhaseSettingDlgTest : public ::testing::Test {
protected:
    // The heading's bold font and the fields' font.
    static void SetUpTestSuite() { CreateGlobalObjects(); }
    void SetUp() override
    {
        // The outputs take their start-up speaker positions when built.
        ResetParameterSetState();
        data = std::make_unique<CKTV_Data>();
        PrepareSyncedCustomSet(*data);
        strip = std::make_unique<COutRouteDlg>();
        strip->m_nChannel = 0;
        strip->m_pOutput = data->GetOutput(0);
    }
    void TearDown() override
    {
        strip.reset();
        data.reset();
        g_bChinese = false;
        ResetParameterSetState();
    }

    // The host's part: the strip's output, channel and speaker name, then
    // the window.
    CPhaseSettingDlg& Open()
    {
        CPhaseSettingDlg& dialog = strip->m_dlgPhase;
        dialog.m_pOutput = strip->m_pOutput;
        dialog.m_nChannel = strip->m_nChannel;
        dialog.m_strName = COutRouteDlg::SpeakerTypeText(g_byOutputPosition[0], g_bChinese);
        dialog.Create(nullptr);
        return dialog;
    }

    void TypeInto(CPhaseSettingDlg& dialog, CNumEdit& field, const QString& text)
    {
        FocusByTab(field);
        TypeText(field, text);
        QTest::keyClick(&field, Qt::Key_Return);
        ASSERT_TRUE(WaitFor([&] { return dialog.hasFocus(); }));
    }

    CKTV_OutData& Output() { return *data->GetOutput(0); }

    std::unique_ptr<CKTV_Data> data;
    std::unique_ptr<COutRouteDlg> strip;
};

TEST_F(PhaseSettingDlgTest, TheStripsDialogIsNeverCreatedByTheStrip)
{
    EXPECT_FALSE(strip->m_dlgPhase.IsCreated());
    EXPECT_TRUE(strip->m_dlgPhase.findChildren<QWidget*>().isEmpty()) << "nothing laid out at construction";
    EXPECT_FALSE(strip->m_dlgPhase.m_bmpBackCN.isNull());
    EXPECT_FALSE(strip->m_dlgPhase.m_bmpBackEN.isNull());
}

TEST_F(PhaseSettingDlgTest, SetUpByPolarityAndLanguage)
{
    struct Case {
        bool chinese;
        int polarity;
        UINT face;
        UINT thumb;
        const char* title;
    };
    const Case cases[] = {
        {false, 0, 4370, 1177, "Sets of Phase"},
        {false, 1, 4373, 1176, "Sets of Phase"},
        {true, 0, 4380, 1177, "相位设置"},
        {true, 1, 4383, 1176, "相位设置"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "chinese " << c.chinese << ", polarity " << c.polarity);
        g_bChinese = c.chinese;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            Output().SetPolarity(BYTE(c.polarity));
        }
        strip = std::make_unique<COutRouteDlg>();
        strip->m_pOutput = data->GetOutput(0);
        CPhaseSettingDlg& dialog = Open();
        EXPECT_EQ(dialog.m_btnPhase.CurrentBitmapId(), c.face);
        EXPECT_EQ(dialog.m_sliderSwitch.ThumbBitmapId(), c.thumb);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
        UINT faces[3];
        CPhaseSettingDlg::PhaseButtonBitmaps(c.polarity, c.chinese, faces);
        EXPECT_EQ(faces[0], c.face);
    }
    CPhaseSettingDlg& dialog = strip->m_dlgPhase;
    EXPECT_EQ(dialog.size(), MapDialogRect(CRect(0, 0, 542, 239), DialogFont(QStringLiteral("Arial"), 7)).Size());
    EXPECT_TRUE(GetDlgItem(&dialog, 1)->isHidden());
    EXPECT_TRUE(GetDlgItem(&dialog, 2)->isHidden());
    // Both spins step plainly: their range came before the field's type.
    EXPECT_EQ(dialog.m_spinAngle.GetStepMode(), CNumSpin::MODE_PLAIN);
    EXPECT_EQ(dialog.m_spinFreq.GetStepMode(), CNumSpin::MODE_PLAIN);
    EXPECT_EQ(dialog.m_editAngle.GetValueType(), CNumEditValue::TYPE_ANGLE);
    EXPECT_EQ(dialog.m_editFreq.GetValueType(), CNumEditValue::TYPE_FREQUENCY);
    EXPECT_EQ(dialog.m_editAngle.GetLimitText(), 6);
    EXPECT_EQ(dialog.m_editFreq.GetLimitText(), 6);
    // Faders sized by their channel pictures, at their ids.
    const QSize angleChannel = CResourceStore::Image(QStringLiteral("BMP"), 1205).size();
    EXPECT_EQ(GetDlgItem(&dialog, 2850)->size(), angleChannel);
    EXPECT_EQ(GetDlgItem(&dialog, 2854)->size(), CResourceStore::Image(QStringLiteral("BMP"), 1175).size());
    EXPECT_EQ(dialog.m_sliderAngle.GetMax(), 180);
    EXPECT_EQ(dialog.m_sliderFreq.GetMax(), 19980);
    EXPECT_EQ(dialog.m_sliderAngle.ThumbBitmapId(), 1177u);
    EXPECT_EQ(dialog.m_sliderFreq.ThumbBitmapId(), 1206u);
    // The default limiter words: attack 20 (0°), release 20 Hz.
    EXPECT_EQ(dialog.m_editAngle.text(), QStringLiteral("0°"));
    EXPECT_EQ(dialog.m_editFreq.text(), QStringLiteral("20Hz"));
    EXPECT_EQ(dialog.m_sliderAngle.GetValue(), 20);

    dialog.m_editAngle.SetValue(200);
    EXPECT_EQ(dialog.m_editAngle.text(), QStringLiteral("360°"));

    dialog.OnDestroy();
    for (CBitmapSlider* fader : {&dialog.m_sliderAngle, &dialog.m_sliderFreq, &dialog.m_sliderSwitch})
        EXPECT_EQ(fader->ThumbBitmapId(), 0u);
}

TEST_F(PhaseSettingDlgTest, AngleAndFrequencyGoIntoTheLimiterRecord)
{
    CPhaseSettingDlg& dialog = Open();
    ShowDialogActive(dialog);
    TypeInto(dialog, dialog.m_editAngle, QStringLiteral("90"));
    TypeInto(dialog, dialog.m_editFreq, QStringLiteral("1000"));
    EXPECT_EQ(Output().GetAttack(), 65);
    EXPECT_EQ(Output().GetRelease(), 1000);
    EXPECT_EQ(dialog.m_sliderAngle.GetValue(), 65);
    EXPECT_EQ(dialog.m_sliderFreq.GetValue(), 1000);
    EXPECT_EQ(dialog.m_spinFreq.GetPos(), 1000);
    EXPECT_EQ(ScanFrames(*data),
              std::vector<DynamicsFrame>{WriteFrame("04 00 23 00 00 08 00 A4 01 41 00 E8 03 00 00 80 AA")});

    // The stored value again writes nothing.
    TypeInto(dialog, dialog.m_editAngle, QStringLiteral("90"));
    TypeInto(dialog, dialog.m_editFreq, QStringLiteral("1000"));
    EXPECT_FALSE(Output().IsLimiterDirty());
    EXPECT_TRUE(ScanFrames(*data).empty());

    // The spins step by one count.
    QTest::keyClick(&dialog.m_editFreq, Qt::Key_Up);
    EXPECT_EQ(Output().GetRelease(), 1001);
    QTest::keyClick(&dialog.m_editAngle, Qt::Key_Down);
    EXPECT_EQ(Output().GetAttack(), 64);
    EXPECT_EQ(dialog.m_editAngle.text(), QStringLiteral("88°"));
}

TEST_F(PhaseSettingDlgTest, FaderMessagesCarryTheFadersValue)
{
    CPhaseSettingDlg& dialog = Open();
    for (const UINT message : {UINT(WM_SLIDER_MOVING), UINT(WM_SLIDER_MOVED)}) {
        SCOPED_TRACE(message);
        const int position = message == WM_SLIDER_MOVING ? 70 : 100;
        dialog.m_sliderAngle.SetPos(position);
        // lParam is the raw position; the dialog reads the fader's value.
        PostMessage(&dialog, message, 2850, position);
        dialog.DeliverPosted();
        EXPECT_EQ(Output().GetAttack(), position + 20);
        EXPECT_EQ(dialog.m_spinAngle.GetPos(), position + 20);
        EXPECT_EQ(dialog.m_editAngle.GetValue(), position + 20);
    }
    dialog.m_sliderFreq.SetPos(4980);
    EXPECT_EQ(SendMessage(&dialog, WM_SLIDER_MOVED, 2854, 4980), 1);
    EXPECT_EQ(Output().GetRelease(), 5000);
    EXPECT_EQ(dialog.m_editFreq.text(), QStringLiteral("5000Hz"));

    // Another fader's id: nothing, but the message is taken.
    data->ClearChangeFlags(false);
    dialog.m_sliderAngle.SetPos(10);
    EXPECT_EQ(SendMessage(&dialog, WM_SLIDER_MOVING, 2853, 10), 1);
    EXPECT_EQ(SendMessage(&dialog, WM_SLIDER_MOVED, 2826, 10), 1);
    EXPECT_EQ(Output().GetAttack(), 120);
    EXPECT_FALSE(Output().IsLimiterDirty());
}

TEST_F(PhaseSettingDlgTest, ThePhaseButtonFlipsThePolarityAndBackAgain)
{
    g_bChinese = true;
    CPhaseSettingDlg& dialog = Open();
    ShowDialogActive(dialog);
    QTest::mouseClick(&dialog.m_btnPhase, Qt::LeftButton);
    EXPECT_EQ(Output().GetPolarity(), 1);
    EXPECT_EQ(dialog.m_btnPhase.CurrentBitmapId(), 4383u);
    EXPECT_EQ(dialog.m_sliderSwitch.ThumbBitmapId(), 1176u);
    EXPECT_EQ(ScanFrames(*data),
              std::vector<DynamicsFrame>{WriteFrame("04 00 1F 00 00 08 00 01 01 58 02 00 00 00 06 EF AA")});
    QTest::mouseClick(&dialog.m_btnPhase, Qt::LeftButton);
    EXPECT_EQ(Output().GetPolarity(), 0);
    EXPECT_EQ(dialog.m_btnPhase.CurrentBitmapId(), 4380u);
    EXPECT_EQ(dialog.m_sliderSwitch.ThumbBitmapId(), 1177u);
}

TEST_F(PhaseSettingDlgTest, HeadingAndBackgroundByLanguage)
{
    for (const bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        g_bChinese = chinese;
        strip = std::make_unique<COutRouteDlg>();
        strip->m_nChannel = 4;
        strip->m_pOutput = data->GetOutput(4);
        CPhaseSettingDlg& dialog = strip->m_dlgPhase;
        dialog.m_pOutput = strip->m_pOutput;
        dialog.m_nChannel = strip->m_nChannel;
        dialog.m_strName = QStringLiteral("Sub");
        dialog.Create(nullptr);
        const QImage shown = Render(&dialog);
        const QImage& background = chinese ? dialog.m_bmpBackCN : dialog.m_bmpBackEN;
        const QImage& other = chinese ? dialog.m_bmpBackEN : dialog.m_bmpBackCN;
        // The title band of the background of the language, unchanged.
        const QRect band(0, 0, background.width(), 18);
        EXPECT_EQ(shown.copy(band).convertToFormat(QImage::Format_RGB32),
                  background.copy(band).convertToFormat(QImage::Format_RGB32));
        EXPECT_NE(shown.copy(band).convertToFormat(QImage::Format_RGB32),
                  other.copy(band).convertToFormat(QImage::Format_RGB32));
        // The heading "CH5  Sub" in grey from (280, 40).
        const QRect heading(280, 40, 120, 24);
        EXPECT_GT(CountPixels(shown, QColor(156, 156, 156), 10, heading), 30);
        EXPECT_EQ(CountPixels(shown, QColor(156, 156, 156), 10, QRect(200, 40, 78, 24)), 0);
    }
}

TEST_F(PhaseSettingDlgTest, AnAngleBelowTheRangeShowsOneBoxAndKeepsTheModel)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output().SetAttack(5);
        data->ClearChangeFlags(false);
    }
    CMessageBoxSpy boxes;
    CPhaseSettingDlg& dialog = Open();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Set Pos Error!"));
    EXPECT_EQ(Output().GetAttack(), 5);
    EXPECT_EQ(dialog.m_spinAngle.GetPos(), 20);
    EXPECT_FALSE(Output().IsLimiterDirty());
}

TEST_F(PhaseSettingDlgTest, APhaseEditShowsInTheDynamicsDialog)
{
    CPhaseSettingDlg& dialog = Open();
    dialog.OnAngleChanged(65);
    dialog.OnFreqChanged(1000);
    CCurSYSDlg dynamics;
    dynamics.m_pData = data.get();
    CMessageBoxSpy boxes;
    dynamics.OnInitDialog();
    EXPECT_EQ(dynamics.m_spinAttack[0].GetPos(), 65);
    EXPECT_EQ(dynamics.m_editAttack[0].text(), QStringLiteral("59ms"));
    EXPECT_EQ(dynamics.m_spinRelease[0].GetPos(), 1050);
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
