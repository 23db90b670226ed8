// What the stand-alone dialogs (the advanced settings dialog, the user
// panel with its password prompt and the machine-preset dialog) ask of the
// main view, the view's calls into the advanced settings dialog while one
// exists, and the strips' link-group dialog.
#include "app/BrelinView.h"
#include "app/DisplayDlg.h"
#include "app/LineSetting.h"
#include "app/ProgramDlg.h"
#include "link/LinkDisplays.h"
#include "model/ChangeScanFlags.h"
#include "model/LinkState.h"
#include "pages/input/Adv_Seting.h"
#include "pages/input/JoDeSet_Dlg.h"
#include "platform/core/AppSettings.h"
#include "platform/core/SettingsNames.h"

void CBrelinView::AddAdvancedDialogHooks(CLinkViewHooks& hooks)
{
    hooks.ioWorkerStarted = [] {
        if (g_pAdvSetingDlg != nullptr)
            g_pAdvSetingDlg->EnableCommandButton(true);
    };
    hooks.ioWorkerStopped = [] {
        if (g_pAdvSetingDlg != nullptr)
            g_pAdvSetingDlg->EnableCommandButton(false);
    };
    hooks.networkDefaultsRestored = [] {
        if (g_pAdvSetingDlg != nullptr)
            g_pAdvSetingDlg->ShowNetworkSettings();
    };
}

int CBrelinView::ToggleConnection()
{
    // The connect button's own action; a disconnect pending or a network
    // connect still running count as not connected.
    OnConnectButton();
    return IsConnected() ? 1 : 0;
}

void CBrelinView::RecallPreset(int slot, int)
{
    m_deviceLink.RecallPreset(slot);
}

void CBrelinView::OnMachinePresetCommand(int mode)
{
    {
        CProgramDlg dialog(this, IsConnected(), mode);
        dialog.DoModal();
    }
    g_pProgramDlg = nullptr;
}

void CBrelinView::SendPresetDeleted(int slot)
{
    m_deviceLink.SendPresetDeleted(slot);
}

void CBrelinView::SetSendSysItem2(bool changed)
{
    g_bSendSysItem2 = changed && IsConnected();
}

void CBrelinView::SetSendSysItem5(bool changed)
{
    g_bSendSysItem5 = changed && IsConnected();
}

void CBrelinView::SaveLineSetting()
{
    CAppSettings::PutString(SETTINGS_LINE_SET, SETTINGS_LINE_SET, QString::number(g_nLineSet));
    m_outputPage.update();
}

bool CBrelinView::IsTransferPopupShown() const
{
    // A transfer that runs shows it (its first tick may not have come yet).
    return g_bTransferBusy || (g_pDisplayDlg != nullptr && g_pDisplayDlg->IsShown());
}

void CBrelinView::RenewTransferPopup()
{
    // The link lets go of the old bar before its popup goes.
    g_pTransferProgress.Clear();
    if (g_pDisplayDlg != nullptr)
        g_pDisplayDlg->DestroyPopup();
    delete g_pDisplayDlg;
    g_pDisplayDlg = new CDisplayDlg(this);
    g_pDisplayDlg->HidePopup();
    g_pTransferProgress.Set(g_pDisplayDlg->Progress().Display());
}

void CBrelinView::OpenLinkGroupDialog(COutRouteDlg* strip, bool newGroup)
{
    if (strip == nullptr)
        return;
    // On the stack for the modal run: the masks it writes live in the
    // output page, which also receives its copy request.
    CJoDeSet_Dlg dialog;
    dialog.m_pStrip = strip;
    dialog.m_nChannel = strip->m_nChannel;
    dialog.m_bNewGroup = newGroup ? 1 : 0;
    dialog.m_bJoinGroup = newGroup ? 0 : 1;
    dialog.m_pStore = &m_outputPage;
    dialog.DoModal();
}
