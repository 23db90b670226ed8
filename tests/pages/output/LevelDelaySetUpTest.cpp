// The level-and-delay page right after creation: its controls by id at
// their template places, the set-up of every field, spin, fader and button,
// the background it paints, the lamps, and the page slot it publishes.
#include <set>

#include <QTest>

#include "controls/SpinBtn.h"
#include "graphs/NumEditValue.h"
#include "model/ParameterSetLock.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/pages/output/LevelDelayFixture.h"

namespace {

class LevelDelaySetUp : public LevelDelayFixture {};

CRect LevelDelayPlace(int x, int y, int cx, int cy)
{
    return MapDialogRect(CRect(x, y, x + cx, y + cy), DialogFont(QStringLiteral("Arial"), 8));
}

TEST_F(LevelDelaySetUp, EveryControlHasItsIdAndTemplatePlaces)
{
    CLevel_Delay_Dlg& dlg = CreatePage();
    EXPECT_EQ(dlg.size(), LevelDelayPlace(0, 0, 855, 382).Size());
    const std::pair<int, int> ranges[] = {
        {6800, 6811}, {2791, 2798}, {2771, 2771}, {2755, 2755}, {4460, 4465}, {2696, 2703}, {4800, 4807},
        {2683, 2685}, {6020, 6034}, {6000, 6014}, {6040, 6063}, {3060, 3067}, {3070, 3077}, {3030, 3037},
        {3040, 3047}, {3050, 3057}, {3000, 3005}, {3010, 3016}, {3020, 3025}, {2568, 2570},
    };
    std::set<const QWidget*> controls;
    for (const auto& [first, last] : ranges)
        for (int id = first; id <= last; ++id) {
            QWidget* control = GetDlgItem(&dlg, id);
            ASSERT_NE(control, nullptr) << id;
            EXPECT_EQ(control->parentWidget(), &dlg) << id;
            controls.insert(control);
        }
    EXPECT_EQ(controls.size(), 163u);

    // Places that keep the template's (fields and the picture static); the
    // buttons and faders take their pictures' sizes at the template corner.
    const struct {
        int id;
        CRect place;
        bool whole;
    } places[] = {
        {2568, LevelDelayPlace(231, 91, 42, 10), true},   {3002, LevelDelayPlace(510, 91, 42, 10), true},
        {3035, LevelDelayPlace(635, 264, 40, 10), true},  {6006, LevelDelayPlace(127, 150, 44, 10), true},
        {6013, LevelDelayPlace(158, 347, 44, 10), true},  {2771, LevelDelayPlace(355, 134, 20, 7), true},
        {6063, LevelDelayPlace(136, 327, 10, 13), false}, {3053, LevelDelayPlace(509, 147, 40, 84), false},
        {4462, LevelDelayPlace(495, 105, 42, 10), false}, {2684, LevelDelayPlace(231, 335, 50, 9), false},
        {6807, LevelDelayPlace(199, 221, 10, 10), false}, {4806, LevelDelayPlace(698, 349, 40, 8), true},
    };
    for (const auto& p : places) {
        const QRect at = GetDlgItem(&dlg, p.id)->geometry();
        EXPECT_EQ(at.topLeft(), p.place.ToQRect().topLeft()) << p.id;
        if (p.whole) {
            EXPECT_EQ(at.size(), p.place.ToQRect().size()) << p.id;
        }
    }
    for (int id : {2569, 3016, 3040, 6020, 6034})
        EXPECT_TRUE(GetDlgItem(&dlg, id)->isHidden()) << id;
}

TEST_F(LevelDelaySetUp, FieldsShowTheirStartValuesWithoutReadingTheModel)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_wMasterLevel = 50;
        for (int k = 0; k < OUTPUT_COUNT; ++k) {
            data->GetOutput(k)->SetGain(300);
            data->GetOutput(k)->SetDelay(480);
        }
        data->GetMusic(1)->SetGain(420);
    }
    for (bool chinese : {false, true}) {
        SCOPED_TRACE(chinese);
        g_bChinese = chinese;
        CLevel_Delay_Dlg& dlg = CreatePage();
        EXPECT_EQ(dlg.m_editMaster.text(), chinese ? QStringLiteral("关闭") : QStringLiteral("OFF"));
        EXPECT_EQ(dlg.m_spinMaster.GetPos(), 0);
        for (int k = 0; k < CLevel_Delay_Dlg::MUSIC_COLUMNS; ++k) {
            EXPECT_EQ(dlg.m_editInputLevel[k].text(), QStringLiteral("-60.0dB")) << k;
            EXPECT_EQ(dlg.m_spinInputLevel[k].GetPos(), 0);
        }
        for (int k = 0; k < CLevel_Delay_Dlg::OUTPUT_COLUMNS; ++k) {
            EXPECT_EQ(dlg.m_editOutputLevel[k].text(), QStringLiteral("-60.0dB")) << k;
            EXPECT_EQ(dlg.m_spinOutputLevel[k].GetPos(), 0);
        }
        for (CNumEdit& edit : dlg.m_editDelay) {
            EXPECT_EQ(edit.GetValueType(), CNumEditValue::TYPE_DELAY_MS);
            EXPECT_EQ(edit.text(), QStringLiteral("0.000"));
        }
        EXPECT_EQ(dlg.m_btnMasterOn.CurrentBitmapId(), 0u);
        EXPECT_EQ(dlg.focusWidget(), &dlg.m_editMaster);
        EXPECT_EQ(dlg.SelectedOutput(), -1);
        page.reset();
    }
}

TEST_F(LevelDelaySetUp, TheDelayFieldsTakeTheUnitOrKeepMilliseconds)
{
    const struct {
        int unit;
        int type;
        QString text;
    } cases[] = {
        {1, CNumEditValue::TYPE_DELAY_MS, QStringLiteral("0.000")},
        {2, CNumEditValue::TYPE_DELAY_CM, QStringLiteral("0")},
        {3, CNumEditValue::TYPE_DELAY_INCH, QStringLiteral("0")},
        {7, CNumEditValue::TYPE_DELAY_MS, QStringLiteral("0.000")},
        {0, CNumEditValue::TYPE_DELAY_MS, QStringLiteral("0.000")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unit);
        g_nLevelDelayUnit = c.unit;
        CLevel_Delay_Dlg& dlg = CreatePage();
        for (CNumEdit& edit : dlg.m_editDelay) {
            EXPECT_EQ(edit.GetValueType(), c.type);
            EXPECT_EQ(edit.text(), c.text);
        }
        EXPECT_EQ(g_nLevelDelayUnit, c.unit);
        page.reset();
    }
}

TEST_F(LevelDelaySetUp, FieldsSpinsAndFadersAreSetUpByTheirTable)
{
    CLevel_Delay_Dlg& dlg = CreatePage();
    const struct {
        const char* name;
        CNumEdit* edit;
        CNumSpin* spin;
        CBitmapSlider* fader;
        int type;
        double step, offset;
        int max, stepMode, limit;
        QSize faderSize;
        int marginLeft;
    } rows[] = {
        {"master", &dlg.m_editMaster, &dlg.m_spinMaster, &dlg.m_sliderMaster, 25, 1.0, 60.0, 66, 0, 6, {80, 116}, 33},
        {"input 0", &dlg.m_editInputLevel[0], &dlg.m_spinInputLevel[0], &dlg.m_sliderInput[0], 23, 0.1, 60.0, 600, 0,
         6, {80, 114}, 38},
        {"input 3", &dlg.m_editInputLevel[3], &dlg.m_spinInputLevel[3], &dlg.m_sliderInput[3], 23, 0.1, 60.0, 600, 0,
         6, {80, 114}, 38},
        {"output 0", &dlg.m_editOutputLevel[0], &dlg.m_spinOutputLevel[0], &dlg.m_sliderOutput[0], 23, 0.1, 60.0, 600,
         0, 6, {60, 172}, 35},
        {"output 7", &dlg.m_editOutputLevel[7], &dlg.m_spinOutputLevel[7], &dlg.m_sliderOutput[7], 23, 0.1, 60.0, 600,
         0, 6, {60, 172}, 35},
        {"delay 0", &dlg.m_editDelay[0], &dlg.m_spinDelay[0], nullptr, 0, 1.0, 0.0, 960, 2, 10, {}, 0},
        {"delay 14", &dlg.m_editDelay[14], &dlg.m_spinDelay[14], nullptr, 0, 1.0, 0.0, 960, 2, 10, {}, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.spin->GetBuddy(), r.edit);
        EXPECT_EQ(r.edit->GetValueType(), r.type);
        if (r.fader != nullptr) {
            EXPECT_DOUBLE_EQ(r.edit->Value().Step(), r.step);
            EXPECT_DOUBLE_EQ(r.edit->Value().Offset(), r.offset);
        }
        EXPECT_EQ(r.edit->Value().Min(), 0);
        EXPECT_EQ(r.edit->Value().Max(), r.max);
        int min = -1, max = -1;
        r.spin->GetRange32(min, max);
        EXPECT_EQ(min, 0);
        EXPECT_EQ(max, r.max);
        EXPECT_EQ(r.spin->GetStepMode(), r.stepMode);
        EXPECT_EQ(r.edit->GetLimitText(), r.limit);
        if (r.fader != nullptr) {
            EXPECT_EQ(r.fader->size(), r.faderSize);
            EXPECT_EQ(r.fader->GetMax(), r.max);
            EXPECT_EQ(r.fader->ThumbRect().left(), r.marginLeft);
        } else {
            // The step button over the field steps the field's own spin.
            ASSERT_NE(r.edit->StepButton(), nullptr);
            EXPECT_EQ(GetDlgCtrlID(r.edit->StepButton()), GetDlgCtrlID(r.edit) - 6000 + 5800);
            EXPECT_TRUE(r.edit->StepButton()->isHidden());
            EXPECT_FALSE(r.edit->isReadOnly());
        }
    }

    // Faces as set up (unchecked normal, then checked normal).
    const struct {
        CBitButton* button;
        UINT normal, checked;
    } faces[] = {
        {&dlg.m_btnKind[0], 4810, 4830},     {&dlg.m_btnKind[3], 4813, 4833},
        {&dlg.m_btnOutputOn[2], 529, 526},   {&dlg.m_btnPolarity[5], 4370, 4373},
    };
    for (const auto& f : faces) {
        SCOPED_TRACE(GetDlgCtrlID(f.button));
        EXPECT_EQ(f.button->CurrentBitmapId(), f.normal);
        f.button->SetCheck(true);
        EXPECT_EQ(f.button->CurrentBitmapId(), f.checked);
        f.button->SetCheck(false);
    }
    EXPECT_EQ(dlg.m_btnNoSpeaker[4].CurrentBitmapId(), 4200u);
    EXPECT_FALSE(dlg.m_btnNoSpeaker[4].isEnabled());
    EXPECT_FALSE(dlg.m_btnPositionName[4].isEnabled());
    // The master and unit buttons wait for the language.
    EXPECT_EQ(dlg.m_btnUnit[1].CurrentBitmapId(), 0u);

    // Focus order: the master, the inputs, the car plan, the outputs.
    const auto& order = dlg.FocusOrder();
    EXPECT_EQ(order[0], 2568);
    EXPECT_EQ(order[1], 3000);
    EXPECT_EQ(order[6], 3005);
    EXPECT_EQ(order[7], 6000);
    EXPECT_EQ(order[21], 6014);
    EXPECT_EQ(order[22], 3030);
    EXPECT_EQ(order[29], 3037);
}

TEST_F(LevelDelaySetUp, InputColumnsFourAndFiveKeepThePlainLook)
{
    CLevel_Delay_Dlg& dlg = CreatePage();
    for (int k : {4, 5}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(dlg.m_btnKind[k].CurrentBitmapId(), 0u);
        EXPECT_EQ(dlg.m_editInputLevel[k].Value().Max(), 0);
        EXPECT_EQ(dlg.m_editInputLevel[k].GetValueType(), 0);
        EXPECT_EQ(dlg.m_spinInputLevel[k].GetBuddy(), nullptr);
        EXPECT_EQ(dlg.m_sliderInput[k].GetMax(), dlg.m_sliderInput[5].GetMax());
    }
    EXPECT_EQ(dlg.m_spinInputLevel[6].GetBuddy(), nullptr);
    EXPECT_EQ(dlg.m_btnKind[4].text(), QStringLiteral("AUX2"));
    // The language leaves them plain too.
    dlg.ApplyLanguage();
    EXPECT_EQ(dlg.m_btnKind[4].CurrentBitmapId(), 0u);
    EXPECT_EQ(dlg.m_btnKind[5].CurrentBitmapId(), 0u);
}

TEST_F(LevelDelaySetUp, ApplyLanguageSkinsByLanguage)
{
    SetPositions({{0, 3}, {1, 0}});
    CLevel_Delay_Dlg& dlg = CreatePage();
    for (bool chinese : {false, true}) {
        SCOPED_TRACE(chinese);
        g_bChinese = chinese;
        dlg.ApplyLanguage();
        EXPECT_EQ(dlg.m_btnKind[1].CurrentBitmapId(), chinese ? 4851u : 4811u);
        EXPECT_EQ(dlg.m_btnMasterOn.CurrentBitmapId(), chinese ? 4900u : 4890u);
        EXPECT_EQ(dlg.m_btnUnit[2].CurrentBitmapId(), chinese ? 4336u : 4326u);
        EXPECT_EQ(dlg.m_btnPolarity[0].CurrentBitmapId(), chinese ? 4380u : 4370u);
        EXPECT_EQ(dlg.m_btnPositionName[0].CurrentBitmapId(), chinese ? 4233u : 4203u);
        EXPECT_EQ(dlg.m_btnPositionName[1].CurrentBitmapId(), chinese ? 4230u : 4200u);
        EXPECT_EQ(dlg.m_editMaster.text(), chinese ? QStringLiteral("关闭") : QStringLiteral("OFF"));
        dlg.m_btnUnit[2].SetCheck(true);
        EXPECT_EQ(dlg.m_btnUnit[2].CurrentBitmapId(), chinese ? 4338u : 4328u);
        dlg.m_btnUnit[2].SetCheck(false);
    }
}

TEST_F(LevelDelaySetUp, EachPaintShowsTheBackgroundOfTheLanguageLoadedOnce)
{
    CLevel_Delay_Dlg& dlg = CreatePage();
    // Other pictures under the same ids now: the page keeps what it loaded.
    CResourceStore::SetFlatImage(QStringLiteral("BMP"), CLevel_Delay_Dlg::IDB_BACK_EN, QSize(1248, 652), Qt::white);
    CResourceStore::SetFlatImage(QStringLiteral("BMP"), CLevel_Delay_Dlg::IDB_BACK_CN, QSize(1248, 652), Qt::white);
    const QPoint bare(5, 5);  // no control there
    for (bool chinese : {false, true, false}) {
        SCOPED_TRACE(chinese);
        g_bChinese = chinese;
        const QImage image = dlg.grab().toImage();
        EXPECT_EQ(QColor(image.pixel(bare)), chinese ? kBackCn : kBackEn);
        // The bitmap at its own size; the page beyond it in the dialogs' colour.
        EXPECT_EQ(QColor(image.pixel(1245, 649)), chinese ? kBackCn : kBackEn);
        ASSERT_GT(dlg.width(), 1250);
        ASSERT_GT(dlg.height(), 655);
        EXPECT_EQ(QColor(image.pixel(1250, 5)), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(QColor(image.pixel(5, 655)), GetSysColor(COLOR_BTNFACE));
    }
}

TEST_F(LevelDelaySetUp, LampsFollowStatusEntriesSixToThirteen)
{
    CLevel_Delay_Dlg& dlg = CreatePage();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int k = 0; k < 8; ++k)
            g_nDeviceStatus[6 + k] = k + 1;
        for (int e = 14; e < 18; ++e)
            g_nDeviceStatus[e] = 0x79;
    }
    std::vector<int> drawsBefore;
    dlg.UpdateMeters();
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        for (int s = 0; s < CSLamp::SEGMENT_COUNT; ++s)
            EXPECT_EQ(dlg.m_lamp[k].IsLit(s), s <= k) << s;
        drawsBefore.push_back(dlg.m_lamp[k].DrawCount());
    }
    // Entries beyond the eight columns light nothing and draw nothing.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int e = 14; e < 18; ++e)
            g_nDeviceStatus[e] = 0x7F;
    }
    dlg.UpdateMeters();
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(dlg.m_lamp[k].DrawCount(), drawsBefore[k]) << k;
    dlg.ResetMeters();
    for (int k = 0; k < 8; ++k)
        for (int s = 0; s < CSLamp::SEGMENT_COUNT; ++s)
            EXPECT_FALSE(dlg.m_lamp[k].IsLit(s)) << k << " " << s;
}

TEST_F(LevelDelaySetUp, ThePageSlotNamesTheLivingPageOnly)
{
    EXPECT_EQ(g_pLevelDelayDlg, nullptr);
    CLevel_Delay_Dlg& dlg = CreatePage();
    EXPECT_EQ(g_pLevelDelayDlg, static_cast<CMsgTarget*>(&dlg));
    page.reset();
    EXPECT_EQ(g_pLevelDelayDlg, nullptr);

    // A page that no longer holds the slot leaves another value alone.
    CreatePage();
    CLevel_Delay_Dlg other;
    g_pLevelDelayDlg = &other;
    page.reset();
    EXPECT_EQ(g_pLevelDelayDlg, static_cast<CMsgTarget*>(&other));
    g_pLevelDelayDlg = nullptr;
}

}  // namespace
