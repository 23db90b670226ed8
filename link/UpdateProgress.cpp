#include "link/UpdateProgress.h"

#include <memory>

#include <QString>

#include "link/FirmwareUpdate.h"
#include "link/LinkDisplays.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "platform/core/MsgTarget.h"

namespace {
// lParam of WM_UPDATE_SUCCEEDED: the code of the last command.
constexpr LPARAM UPDATE_SUCCEEDED_CODE = HEXEnd;

QString BeginsText()
{
    return g_bChinese ? QStringLiteral("固件更新开始 请勿中断") : QStringLiteral("Firmware update begins Do not interrupt");
}
QString ProgrammingText()
{
    return g_bChinese ? QStringLiteral("数据传输中 请勿中断") : QStringLiteral("Programming Do not interrupt");
}
QString SucceededText()
{
    return g_bChinese ? QStringLiteral("更新完成") : QStringLiteral("Update successfully");
}

// The text of a step, unless the dialog is being torn down.
void ShowStepStatus(const QString& text)
{
    if (!g_bUpdateCancelled)
        ShowUpdateStatus(text);
}

// The last command was answered: says so and returns the bar's new
// position, its top.
int Succeeded(int upper, CMsgTarget* owner)
{
    ShowStepStatus(SucceededText());
    PostMessage(owner, WM_UPDATE_SUCCEEDED, 0, UPDATE_SUCCEEDED_CODE);
    return upper;
}
}  // namespace

void CUpdateProgress::OnAnswered(int code, CMsgTarget* owner)
{
    const std::shared_ptr<IProgressDisplay> bar = g_pUpdateProgress.Get();
    const int upper = bar ? bar->GetRangeUpper() : 0;
    int pos = (bar ? bar->GetPos() : 0) + 1;

    switch (code) {
    case HEXApply:
        m_bDataPhase = false;
        ShowStepStatus(BeginsText());
        break;
    case HEXStart:
        m_bDataPhase = false;
        break;
    case HEXData:
        // Later chunks change neither the text nor the clamp.
        if (m_bDataPhase)
            break;
        [[fallthrough]];
    case IAP_DSP_DATA:
        // Held below the top until the last command is answered.
        ShowStepStatus(ProgrammingText());
        if (pos == upper)
            --pos;
        m_bDataPhase = true;
        break;
    case HEXEnd:
        m_bDataPhase = false;
        g_bUpdateDone = true;
        pos = Succeeded(upper, owner);
        break;
    case IAP_DSP_REQUEST_INFO:
        ShowStepStatus(ProgrammingText());
        m_bDataPhase = true;
        break;
    case IAP_DSP_END_INF:
        if (!g_bUpdateHasMcu)
            pos = Succeeded(upper, owner);
        m_bDataPhase = false;
        break;
    default:
        break;
    }
    if (bar && !g_bUpdateCancelled)
        bar->SetPos(pos);
}

void CUpdateProgress::Finish(CMsgTarget* owner)
{
    ShowUpdateStatus(SucceededText());
    if (std::shared_ptr<IProgressDisplay> bar = g_pUpdateProgress.Get())
        bar->SetPos(bar->GetRangeUpper());
    m_bDataPhase = false;
    g_bUpdateDone = true;
    PostMessage(owner, WM_UPDATE_SUCCEEDED, 0, UPDATE_SUCCEEDED_CODE);
}
