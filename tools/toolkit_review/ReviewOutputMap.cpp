// The "output-map" sheet: the output page after the map was reset to its
// default positions (buttons of outputs 1-4, 11 and 12, output 1's lit),
// English above Chinese; "delay-panel": the delay side panel in each unit,
// English above Chinese; "link-prompts": the L/R link's direction question,
// the channel-pair question and the join-group buttons in both languages.
#include <QApplication>
#include <QPushButton>

#include "app/GlobalObjects.h"
#include "app/ReMap_Dlg.h"
#include "app/SpeakerTypeMenu.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/SpeakerPosition.h"
#include "pages/output/All_Link_Dlg.h"
#include "pages/output/CH_Link_Dlg.h"
#include "pages/output/ChangeGroupNum.h"
#include "pages/output/DelayDlg.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/Language.h"
#include "platform/gui/ModalDialog.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

QImage RenderOutputMap()
{
    InitDefaultDeviceData();
    CKTV_Data data;
    COutputDlg page;
    page.Create(nullptr);
    page.AttachData(&data);
    page.show();
    // The reset question answered "Default".
    const ModalDialogHook previous = SetModalDialogHook([](QDialog& dialog) {
        if (auto* remap = qobject_cast<CReMap_Dlg*>(&dialog))
            remap->Button(CReMap_Dlg::IDC_DEFAULT)->click();
        return dialog.result();
    });
    std::vector<QImage> rows;
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        page.OnLanguageChanged();
        g_nCurOutput = 0;
        page.RefreshPage();
        page.ResetOutputMap();
        QCoreApplication::processEvents();
        rows.push_back(page.grab(QRect(0, 0, 1278, 383)).toImage());
    }
    SetModalDialogHook(previous);
    g_bChinese = false;
    LoadSpeakerTypeMenu(MENU_SPEAKER_TYPE_EN);
    return StackReviewRows(rows, 8, QColor(0x20, 0x22, 0x28));
}

QImage RenderDelayPanel()
{
    std::vector<QImage> rows;
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        std::vector<QImage> shots;
        for (int unit = 1; unit <= 3; ++unit) {
            QWidget host;
            host.resize(93, 111);
            CDelayDlg panel;
            panel.Create(&host);
            panel.setGeometry(0, 0, 93, 111);
            panel.RefreshLanguage(unit == 1, unit == 2, unit == 3);
            shots.push_back(ReviewShot(host));
        }
        rows.push_back(ReviewSideBySide(shots));
    }
    g_bChinese = false;
    return StackReviewRows(rows, 8, Qt::white);
}

QImage RenderLinkPrompts()
{
    std::vector<QImage> rows;
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        CAll_Link_Dlg direction;
        direction.OnInitDialog();
        CCH_Link_Dlg pair;
        pair.m_nPair = 1;
        pair.OnInitDialog();
        CChangeGroupNum group;
        group.m_bGroupEnabled[1] = 0;
        group.OnInitDialog();
        rows.push_back(ReviewSideBySide({ReviewShot(direction), ReviewShot(pair), ReviewShot(group)}));
    }
    g_bChinese = false;
    return StackReviewRows(rows, 8, Qt::white);
}

}  // namespace

ORVANE_REVIEW_SHEET("output-map", RenderOutputMap);
ORVANE_REVIEW_SHEET("delay-panel", RenderDelayPanel);
ORVANE_REVIEW_SHEET("link-prompts", RenderLinkPrompts);
