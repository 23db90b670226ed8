// The main view's data lock: the lock button, locking and unlocking with
// the password dialog, the reset to the factory outputs, and how the page
// area shows the lock state (after a preset file too). The lock travels in
// the live image: the mark in byte 289 of every output block and the
// password in bytes 290-295 of output 0; the change scan sends each
// output's name record, which carries them.
#include <cstring>
#include <mutex>

#include "app/BrelinView.h"
#include "app/UnEncryption.h"
#include "model/DataLockState.h"
#include "model/DefaultOutputBlocks.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/WorkingStrings.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SendLock.h"
#include "platform/core/TextCodec.h"

namespace {
constexpr BYTE LOCK_MARK_LOCKED = 0x21;
constexpr BYTE LOCK_MARK_OPEN = 0x20;

// Every output's lock mark, and its name record marked for the change scan.
void LockMarkAllOutputs(CKTV_Data* data, BYTE mark)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        g_CurrentImage.bytes[OutputBlockOffset(i) + LOCK_MARK_BYTE] = mark;
        if (CKTV_OutData* output = data != nullptr ? data->GetOutput(i) : nullptr)
            output->SetNameDirty(true);
    }
}
}  // namespace

void CBrelinView::ShowLockState(bool locked)
{
    if (locked) {
        m_outputPage.Show(SW_HIDE);
        m_mixPage.hide();
        m_lockCover.hide();
        m_tab.hide();
        for (COutRouteDlg& strip : m_strips)
            strip.hide();
    } else {
        m_tab.show();
        const bool mixer = m_btnMixer.GetCheck();
        m_outputPage.Show(mixer ? SW_HIDE : SW_SHOW);
        m_mixPage.setVisible(mixer);
        m_lockCover.hide();
        for (COutRouteDlg& strip : m_strips)
            strip.show();
    }
    m_btnLock.SetCheck(locked);
    update();
}

void CBrelinView::OnLockButton()
{
    m_bLockToggle = !m_bLockToggle;
    g_bLockButtonPressed = true;
    ToggleDataLock(!m_btnLock.GetCheck());
}

void CBrelinView::ToggleDataLock(bool lock)
{
    CUnEncryption dialog;
    dialog.m_nMode = lock ? CUnEncryption::MODE_LOCK : CUnEncryption::MODE_UNLOCK;
    const bool accepted = dialog.DoModal() == QDialog::Accepted;
    if (lock) {
        if (!accepted)
            return;
        g_strLockPassword = dialog.m_strPassword;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            const QByteArray bytes = ToDeviceBytes(g_strLockPassword);
            std::memcpy(g_CurrentImage.bytes + OutputBlockOffset(0) + LOCK_PASSWORD_BYTE, bytes.constData(),
                        LOCK_PASSWORD_SIZE);
        }
        g_bDataLocked = true;
        g_bClearLockMarker = false;
        LockMarkAllOutputs(m_pData, LOCK_MARK_LOCKED);
        ShowLockState(true);
        return;
    }
    if (accepted) {
        g_strUnlockPassword = dialog.m_strPassword;
        if (g_strUnlockPassword != g_strLockPassword) {
            // Still locked.
            AppMessageBox(g_bChinese ? QStringLiteral("输入密码与加密文件密码不匹配!")
                                     : QStringLiteral("Password and enter the password to encrypt the file does not match!"),
                          MB_OK, CUnEncryption::BOX_HELP_ID);
            return;
        }
        // The old password bytes stay in the image; the next output-0 block
        // carries a blank lock flag.
        g_bDataLocked = false;
        g_bClearLockMarker = true;
        LockMarkAllOutputs(m_pData, LOCK_MARK_OPEN);
        RefreshOutputStrips();
        ShowLockState(false);
        return;
    }
    if (!dialog.m_bReset)
        return;
    // The reset: the factory outputs replace all twelve, and the whole set
    // goes to the device with nothing in between.
    {
        std::lock_guard<CCriticalSection> sendLock(g_csSendLock);
        AttachDataSet();
        g_bDataLocked = false;
        g_bClearLockMarker = false;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            for (int i = 0; i < OUTPUT_COUNT; ++i)
                std::memcpy(g_CurrentImage.bytes + OutputBlockOffset(i), g_DefaultOutputBlocks[size_t(i)].data(),
                            OUTPUT_BLOCK_SIZE);
            RepairOutputFilterLimits();
        }
        if (m_pData != nullptr)
            m_pData->LoadFromRaw(g_CurrentImage.bytes, -1);
        ClearOutputLinks();
        WritePresetToDevice(0, true);
    }
    RefreshOutputStrips();
    ShowLockState(false);
}

void CBrelinView::OnShowLockState()
{
    const bool locked = g_bDataLocked;
    if (locked) {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_strLockPassword = LockPasswordFromImage(g_CurrentImage);
    }
    ShowLockState(locked);
    RefreshOutputStrips();
    update();
}
