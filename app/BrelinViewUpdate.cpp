// The main view's side of a firmware update: the update dialog, the choice
// of the firmware file, and the version box of About.
#include "app/BrelinView.h"
#include "app/UpgradeDlg.h"
#include "app/VersionDlg.h"
#include "link/FirmwareUpdate.h"
#include "link/LinkDisplays.h"
#include "model/LinkState.h"
#include "model/SharedTexts.h"
#include "platform/gui/FileDialog.h"
#include "platform/gui/ModalDialog.h"

void CBrelinView::OnFirmwareUpdateCommand()
{
    {
        CUpgradeDlg dialog(m_deviceLink, &m_netLink, [this](QWidget* owner) { return SelectUpdateFile(owner); });
        g_bUpdateRetrying = false;
        dialog.DoModal();
    }
    g_bUpdateRetrying = false;
    g_pUpdateProgress.Clear();
    m_pCurHexUpTip.Clear();
    g_bUpdating = false;
}

bool CBrelinView::SelectUpdateFile(QWidget* owner)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::OPEN;
    request.parent = owner != nullptr ? owner : this;
    request.directory = m_deviceLink.UpdateFolder();
    // ".bin|*.bin||" as a name filter, and the suffix a typed name gets.
    request.filters = {QStringLiteral(".%1 (*.%1)").arg(g_strBinExt)};
    request.defaultSuffix = g_strBinExt;
    request.existingOnly = true;
    const FileDialogResult result = ShowFileDialog(request);
    const QStringList files = result.LocalFiles();
    if (!result.accepted || files.isEmpty())
        return false;
    if (!m_deviceLink.SelectUpdateFile(files.front()))
        return false;
    SaveDspMcuSettings();
    return true;
}

void CBrelinView::OnAboutCommand()
{
    CVersionDlg dialog;
    dialog.OnInitDialog();
    RunModalDialog(dialog);
}
