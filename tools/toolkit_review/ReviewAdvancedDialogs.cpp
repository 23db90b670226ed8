// The stand-alone dialogs: the advanced settings dialog (output 3 linked
// with outputs 1 and 5, so the list shows its marks), the password prompt,
// and both pages of the user panel, each in Chinese and in English.
#include <QPainter>

#include "link/NetAddress.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "pages/input/AddSet_Dlg.h"
#include "pages/input/Add_PW_Dlg.h"
#include "pages/input/Adv_Seting.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
QImage RenderAdvancedSettings()
{
    InitDefaultDeviceData();
    CKTV_Data data;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data.GetOutput(0)->SetLimitThreshold(300);
    }
    const bool linkOn = g_bOutputLinkOn;
    int groups[OUTPUT_COUNT];
    std::copy(std::begin(g_nLinkGroup), std::end(g_nLinkGroup), std::begin(groups));
    g_bOutputLinkOn = true;
    g_nLinkGroup[2] = g_nLinkGroup[4] = g_nLinkGroup[0];
    g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
    std::vector<QImage> shots;
    for (int chinese = 1; chinese >= 0; --chinese) {
        g_bChinese = chinese;
        auto* dialog = new CAdv_Seting;
        dialog->m_pData = &data;
        dialog->Create();
        shots.push_back(ReviewShot(*dialog));
        delete dialog;
    }
    g_bOutputLinkOn = linkOn;
    std::copy(std::begin(groups), std::end(groups), std::begin(g_nLinkGroup));
    g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
    QImage sheet(shots[0].width() + 20, shots[0].height() * 2 + 30, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.drawImage(10, 10, shots[0]);
    painter.drawImage(10, shots[0].height() + 20, shots[1]);
    return sheet;
}

QImage RenderPasswordAndPanel()
{
    std::vector<QImage> shots;
    for (int chinese = 1; chinese >= 0; --chinese) {
        g_bChinese = chinese;
        CAdd_PW_Dlg prompt;
        prompt.Create();
        prompt.m_editPassword.setText(QStringLiteral("abc"));
        shots.push_back(ReviewShot(prompt));
        for (int page = 0; page < 2; ++page) {
            CAddSet_Dlg panel;
            panel.Create();
            panel.ShowPage(page);
            if (page == 1)
                panel.PresetButton(2).SetCheck(true);
            shots.push_back(ReviewShot(panel));
        }
    }
    g_bChinese = false;
    return ReviewSideBySide(shots);
}
}  // namespace

ORVANE_REVIEW_SHEET("advanced-settings", RenderAdvancedSettings);
ORVANE_REVIEW_SHEET("user-panel", RenderPasswordAndPanel);
