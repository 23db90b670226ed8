// The input page's window: the view's member left uncreated at run time,
// the band controls as set up, the kind buttons packed by the button mask,
// a prepared channel refreshed into every control, and the faces and the
// background of each language.
#include <QPainter>

#include "graphs/NumEditValue.h"
#include "tests/pages/input/InPutDlgFixture.h"

namespace {

TEST_F(InPutDlgTest, RunTimeKeepsThePageUncreated)
{
    CInPutDlg& member = m_pView->m_inputPage;
    EXPECT_EQ(member.parentWidget(), nullptr);
    EXPECT_FALSE(member.isVisible());
    EXPECT_EQ(member.m_pView, nullptr);
    EXPECT_EQ(GetDlgItem(&member, CInPutDlg::IDC_GRAPH), nullptr);
    EXPECT_EQ(g_pInPutDlg, nullptr);
}

TEST_F(InPutDlgTest, CreatingPublishesThePageAndDestroyingWithdrawsIt)
{
    Open();
    EXPECT_EQ(g_pInPutDlg, static_cast<IInputKindPeer*>(page.get()));
    page.reset();
    EXPECT_EQ(g_pInPutDlg, nullptr);
}

TEST_F(InPutDlgTest, SetUpGivesEveryBandItsUnits)
{
    SetPeq(g_nInputMode);
    CInPutDlg& p = Open();
    struct Row {
        int firstId;
        int type;
        int min, max;
    };
    const Row rows[] = {
        {CInPutDlg::IDC_FREQ_EDIT0, CNumEditValue::TYPE_INTEGER, 20, 20000},
        {CInPutDlg::IDC_BW_EDIT0, CNumEditValue::TYPE_Q, 0, 295},
        {CInPutDlg::IDC_GAIN_EDIT0, CNumEditValue::TYPE_GAIN, 80, 320},
    };
    for (int b : {0, 7, 14, 15, 30}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(testing::Message() << "band " << b << " field " << row.firstId);
            auto* edit = qobject_cast<CNumEdit*>(GetDlgItem(&p, row.firstId + b));
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->GetValueType(), row.type);
            EXPECT_EQ(edit->Value().Min(), row.min);
            EXPECT_EQ(edit->Value().Max(), row.max);
            EXPECT_EQ(edit->GetLimitText(), 5);
            // Columns 16 to 31 never show.
            EXPECT_EQ(edit->isVisibleTo(&p), b < CInPutDlg::VISIBLE_BANDS);
        }
        const size_t i = size_t(b);
        EXPECT_DOUBLE_EQ(p.m_editGain[i].Value().Step(), 0.1);
        EXPECT_DOUBLE_EQ(p.m_editGain[i].Value().Offset(), 20.0);
        EXPECT_FALSE(p.m_spinFreq[i].isVisibleTo(&p));
        EXPECT_FALSE(p.m_spinBw[i].isVisibleTo(&p));
        EXPECT_FALSE(p.m_spinGain[i].isVisibleTo(&p));
        EXPECT_EQ(p.m_sldGain[i].GetMax(), 240);
        EXPECT_EQ(p.m_sldGain[i].GetScaleType(), CBitmapSlider::SCALE_GAIN);
        EXPECT_EQ(p.m_sldGain[i].isVisibleTo(&p), b < CInPutDlg::VISIBLE_BANDS);
        EXPECT_EQ(p.m_btnBypass[i].isVisibleTo(&p), b < CInPutDlg::VISIBLE_BANDS);
        EXPECT_EQ(p.m_stcLabel[i].isEnabled(), b < CInPutDlg::VISIBLE_BANDS);
        EXPECT_EQ(p.m_stcLabel[i].text(), QString::number(b + 1));
    }
    // The bar sits at its place in its image's size.
    EXPECT_EQ(p.ModeBar().geometry().topLeft(), QPoint(CInPutDlg::BAR_X, CInPutDlg::BAR_Y));
    EXPECT_EQ(p.ModeBar().size(), CResourceStore::Image(QStringLiteral("PNG"), CInMode_Dlg::IDB_BACKGROUND).size());
    EXPECT_TRUE(p.ModeBar().isVisible());
    // The band columns do not overlap and stay on the page.
    for (int b = 1; b < CInPutDlg::VISIBLE_BANDS; ++b) {
        EXPECT_LT(p.m_editGain[size_t(b - 1)].geometry().right(), p.m_editGain[size_t(b)].geometry().left());
        EXPECT_LE(p.m_btnBypass[size_t(b)].geometry().right(), CInPutDlg::PAGE_WIDTH);
    }
}

TEST_F(InPutDlgTest, ModeButtonsArePackedByTheButtonMask)
{
    struct Case {
        int mask;
        bool spdif, phone;
        // The slot each of kinds 1, 3, 4, 5 stands on.
        int at[4];
    };
    const Case cases[] = {
        {0, false, false, {0, 1, 2, 3}},
        {1, false, true, {0, 2, 3, 4}},
        {2, true, false, {1, 2, 3, 4}},
        {3, true, true, {1, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        g_byInputButtonMask = BYTE(c.mask);
        CInPutDlg& p = Open();
        EXPECT_EQ(p.m_btnKind[0].isVisibleTo(&p), c.spdif);
        EXPECT_EQ(p.m_btnKind[2].isVisibleTo(&p), c.phone);
        EXPECT_EQ(p.ModeBar().Button(CInMode_Dlg::IDC_SPDIF)->isVisibleTo(&p.ModeBar()), c.spdif);
        EXPECT_EQ(p.ModeBar().Button(CInMode_Dlg::IDC_PHONE)->isVisibleTo(&p.ModeBar()), c.phone);
        const int kinds[] = {1, 3, 4, 5};
        for (int n = 0; n < 4; ++n)
            EXPECT_EQ(p.m_btnKind[size_t(kinds[n])].pos(), p.KindSlot(c.at[n]).TopLeft())
                << "kind " << kinds[n];
        if (c.mask == 1) {
            EXPECT_EQ(p.m_btnKind[2].pos(), p.KindSlot(1).TopLeft());
        }
    }
    // Another mask changes nothing.
    g_byInputButtonMask = 0;
    CInPutDlg& p = Open();
    const QPoint aux1 = p.m_btnKind[3].pos();
    g_byInputButtonMask = 7;
    p.ArrangeModeButtons();
    EXPECT_EQ(p.m_btnKind[3].pos(), aux1);
    EXPECT_FALSE(p.m_btnKind[0].isVisibleTo(&p));
}

TEST_F(InPutDlgTest, RefreshShowsThePreparedChannelInEveryControl)
{
    SetKind(2);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CFilter& band = Band(2, 3);
        band.SetFrequency(1200, false);
        band.SetBandwidthIndex(120);
        band.SetGainIndex(260);
        Band(2, 9).SetGainIndex(150);
        Band(2, 9).SetFlat(true);
        Band(2, 14).SetGainIndex(90);
    }
    SetPeq(2);
    CInPutDlg& p = Open();
    EXPECT_EQ(p.m_spinFreq[3].GetPos(), 1200);
    EXPECT_EQ(p.m_editFreq[3].text(), QStringLiteral("1200"));
    EXPECT_EQ(p.m_spinBw[3].GetPos(), 120);
    EXPECT_EQ(p.m_spinGain[3].GetPos(), 260);
    EXPECT_EQ(p.m_editGain[3].text(), QStringLiteral("6.0"));
    EXPECT_EQ(p.m_sldGain[3].GetValue(), 260);
    EXPECT_FALSE(p.m_btnBypass[3].GetCheck());
    // A bypassed band shows 0 dB everywhere.
    EXPECT_TRUE(p.m_btnBypass[9].GetCheck());
    EXPECT_EQ(p.m_editGain[9].text(), QStringLiteral("0.0"));
    EXPECT_EQ(p.m_sldGain[9].GetValue(), 200);
    EXPECT_EQ(p.m_spinGain[14].GetPos(), 90);
    EXPECT_EQ(p.m_editGain[14].text(), QStringLiteral("-11.0"));
    // The bands' faders follow graph drags.
    EXPECT_EQ(Band(2, 3).GetOwner(), &p.m_sldGain[3]);
    EXPECT_FALSE(p.m_btnAllBypass.GetCheck());
    EXPECT_FALSE(p.m_btnEqMode.GetCheck());
    EXPECT_TRUE(p.m_btnKind[2].GetCheck());
    EXPECT_EQ(p.m_btnKindImage.CurrentBitmapId(), 454u);
    EXPECT_EQ(p.Graph().GetChannelCode(), 2);
    EXPECT_EQ(p.Graph().GetDrawMode(), CFStatic::DRAW_MUSIC);
    EXPECT_TRUE(p.m_editFreq[3].IsShown());
    EXPECT_FALSE(p.m_btnGainLabel.isVisibleTo(&p));
    EXPECT_EQ(p.HighlightedLabel(), nullptr);
    EXPECT_EQ(p.ActiveEdit(), nullptr);
    // A band beyond +-12 dB is reported and the model keeps its value.
    m_boxes.shown.clear();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Band(2, 5).SetGainIndex(350);
    }
    p.RefreshChannel();
    ASSERT_FALSE(m_boxes.shown.empty());
    EXPECT_EQ(m_boxes.shown.front().text, QStringLiteral("Set Pos Error!"));
    EXPECT_EQ(Band(2, 5).GetGainIndex(), 350);
}

TEST_F(InPutDlgTest, FacesAndBackgroundFollowTheLanguage)
{
    struct Case {
        bool chinese;
        QColor background;
        UINT reset, eqMode, aux0, hiLevel1, kind1, source, kindImage;
        bool gainLabel;
    };
    const Case cases[] = {
        {false, kBackEn, 359, 740, 681, 3152, 8101, 3126, 453, false},
        {true, kBackCn, 7004, 744, 4422, 3142, 8131, 3106, 460, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chinese);
        g_bChinese = c.chinese;
        SetKind(1);
        SetPeq(1);
        CInPutDlg& p = Open();
        EXPECT_EQ(p.m_btnResetEq.CurrentBitmapId(), c.reset);
        EXPECT_EQ(p.m_btnEqMode.CurrentBitmapId(), c.eqMode);
        // AUX mode 0 and 1-Way are checked.
        EXPECT_EQ(p.m_btnAuxMode[0].CurrentBitmapId(), c.aux0);
        EXPECT_EQ(p.m_btnHiLevel1Way.CurrentBitmapId(), c.hiLevel1);
        EXPECT_EQ(p.m_btnKind[1].CurrentBitmapId(), c.kind1 + 20);
        EXPECT_EQ(p.m_btnSource.CurrentBitmapId(), c.source);
        EXPECT_EQ(p.m_btnKindImage.CurrentBitmapId(), c.kindImage);
        EXPECT_EQ(p.m_btnGainLabel.GetCheck(), c.gainLabel);
        // The page shows its language's background where no control is.
        const QImage shot = p.grab(QRect(2, 640, 20, 20)).toImage();
        EXPECT_EQ(shot.pixelColor(5, 5), c.background);
        // The bar draws over the page pixels it captured.
        EXPECT_EQ(p.ModeBar().CapturedBackground().pixelColor(0, 0), c.background);
    }
}

}  // namespace
