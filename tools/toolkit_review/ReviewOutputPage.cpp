// The "output-page" sheet: the whole output page of a shaped output, with
// the speaker buttons of the default map shown and band 9 highlighted, in
// English above Chinese; and the "output-strips" sheet: the twelve output
// strips as the view places them, in English above Chinese, with muted,
// inverted, delayed and selected strips among them.
#include <memory>
#include <vector>

#include <QApplication>

#include "app/GlobalObjects.h"
#include "app/SpeakerTypeMenu.h"
#include "model/DataDefine.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "pages/output/OutRoute_Dlg.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/Language.h"
#include "platform/gui/ControlStyles.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewStrips.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

void ShapeOutputForReview(CKTV_Data& data)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    CKTV_OutData* out = data.GetOutput(0);
    const int gains[][2] = {{2, 260}, {6, 150}, {9, 290}, {14, 170}, {20, 240}, {26, 110}};
    for (const auto& g : gains)
        out->GetBand(g[0])->SetGainIndex(g[1]);
    out->GetBand(9)->SetBandwidthIndex(40);
    out->GetHighPass()->SetFrequency(45, false);
    out->GetHighPass()->SetSlope(3, false);
    out->GetLowPass()->SetFrequency(16000, false);
    out->GetLowPass()->SetSlope(0, false);
}

QImage RenderOutputPage()
{
    InitDefaultDeviceData();
    CKTV_Data data;
    ShapeOutputForReview(data);
    // The page alone, as its own window.
    COutputDlg page;
    page.Create(nullptr);
    page.AttachData(&data);
    page.show();
    std::vector<QImage> rows;
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        page.OnLanguageChanged();
        g_nCurOutput = 0;
        page.RefreshPage();
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            if (CBtnPng* button = page.SpeakerButton(g_byOutputPosition[i])) {
                button->ShowWindow(SW_SHOW);
                button->SetCheck(i == 0);
            }
        }
        page.HighlightBand(9);
        page.FocusBandField(9, 2, true);
        QCoreApplication::processEvents();
        // What the view's page area shows: 1278 x 383.
        rows.push_back(page.grab(QRect(0, 0, 1278, 383)).toImage());
    }
    g_bChinese = false;
    LoadSpeakerTypeMenu(MENU_SPEAKER_TYPE_EN);
    return StackReviewRows(rows, 8, QColor(0x20, 0x22, 0x28));
}

}  // namespace

void SetUpReviewStripSurface(QWidget& surface, int width, int height)
{
    surface.resize(width, height);
    QPalette palette = surface.palette();
    palette.setColor(QPalette::Window, QColor(0x9A, 0x9E, 0xAE));
    surface.setPalette(palette);
    surface.setAutoFillBackground(true);
}

void SetUpReviewStrip(COutRouteDlg& strip, QWidget& surface, int i, CKTV_Data& data, const QRect& place)
{
    strip.Create(&surface);
    strip.SetBackgroundBitmap(g_bChinese ? 1151 : 1152);
    strip.SetSelectButtonBitmaps(818 + 3 * i, 817 + 3 * i, 819 + 3 * i);
    strip.SetLevelSliderChannelBitmaps(281, 281, false, CLR_DEFAULT, 0, 0);
    strip.SetLevelSliderThumbBitmaps(358, 280, false, CLR_DEFAULT, 0, 0);
    strip.setGeometry(place);
    strip.m_nChannel = i;
    strip.m_pOutput = data.GetOutput(i);
    strip.m_nLinkMask = 1 << i;
    strip.SetLanguage(g_bChinese);
    strip.SetLevel(600 - 40 * i);
    strip.ShowSpeakerType();
}

namespace {

QImage RenderOutputStrips()
{
    InitDefaultDeviceData();
    CKTV_Data data;
    std::vector<QImage> rows;
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        QWidget view;
        SetUpReviewStripSurface(view, 111 + 97 * OUTPUT_COUNT, 220);
        auto strips = std::make_unique<COutRouteDlg[]>(OUTPUT_COUNT);
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            COutRouteDlg& strip = strips[i];
            SetUpReviewStrip(strip, view, i, data, QRect(10 + 97 * i, 5, 91, 210));
            strip.SetDelay(i * 37);
            strip.SetOutputOn(i % 4 != 2);
            strip.SetPolarity(i % 3 == 1);
            strip.SetSelected(i == 0 || i == 5);
            strip.show();
        }
        strips[11].SetLevel(20);
        rows.push_back(ReviewShot(view));
    }
    g_bChinese = false;
    return StackReviewRows(rows, 8, QColor(0x20, 0x22, 0x28));
}

}  // namespace

ORVANE_REVIEW_SHEET("output-page", RenderOutputPage);
ORVANE_REVIEW_SHEET("output-strips", RenderOutputStrips);
