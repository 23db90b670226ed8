// The main view's bulk transfers: the sequences it builds itself and appends
// to the command queue in one go (whole presets to and from the device,
// single channel blocks, copies and EQ resets, the mode gains), and its
// handling of what the reply parser reports back.
//
// Locks: a sequence appends under g_csSendLock (UI thread only; the worker
// never waits for it), so no frame of the worker comes between. Data the
// parser writes is read under g_ParameterSetLock, never held across a box,
// a queue call or a redraw (order: send lock, queue, parameter set).
#include <cstring>
#include <mutex>

#include "app/BrelinDoc.h"
#include "app/BrelinView.h"
#include "app/DisplayDlg.h"
#include "model/ChangeScanFlags.h"
#include "model/DataLockState.h"
#include "model/FrameBuilder.h"
#include "model/FrequencyTables.h"
#include "model/InputSourceTable.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/LinkState.h"
#include "model/Music_InData.h"
#include "model/OutputFlagSet.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "model/WorkingStrings.h"
#include "pages/input/Adv_Seting.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SendLock.h"
#include "platform/gui/ControlStyles.h"

namespace {
enum : int {
    // System commands of the sequences.
    TRANSFER_COMMAND_PRESET_NAME = 0,
    TRANSFER_COMMAND_INPUT = 2,
    TRANSFER_COMMAND_LEVEL = 5,
    TRANSFER_COMMAND_SPEAKERS_LOW = 6,
    TRANSFER_COMMAND_SPEAKERS_HIGH = 7,
    TRANSFER_COMMAND_PRESET_NUMBER = 52,
    TRANSFER_COMMAND_MODE_GAINS = 64,
    // The selected mode-gain row and the rows' 16-bit values.
    TRANSFER_MODE_ROW_BYTE = 96,
    TRANSFER_MODE_ROW_SIZE = 24,
    TRANSFER_MODE_ROWS = 4,
    // Status bytes the view follows: the input mode, the master volume of
    // each input mode, the master switch.
    TRANSFER_STATUS_INPUT_MODE = 0,
    TRANSFER_STATUS_VOLUME_FIRST = 2,
    TRANSFER_STATUS_VOLUME_LAST = 7,
    TRANSFER_STATUS_MASTER_ON = 14,
    // System byte cleared when speaker positions arrive.
    TRANSFER_SYSTEM_BYTE_STATUS_SIM = 12,
    TRANSFER_SYSTEM_BYTE_SOURCE_TABLE = 1,
    // A tweeter's high-pass never goes below this after a copy.
    TWEETER_HIGH_PASS_MIN = 20,
    TWEETER_LOW_PASS_OPEN = 20000,
    SLOPE_CODE_STEEPEST = 8,
    SLOPE_CODE_GENTLE = 1,
    // Outputs whose positions system item 6 carries.
    SPEAKERS_LOW_OUTPUTS = 8,
};

// A channel switched on or off by a block send: the change flag is cleared,
// so the change scan never sends the switch again; with queue its basic
// record goes to the device now.
template <class Channel>
void SwitchForBlockSend(CKTVCommand& command, Channel& channel, int on, bool queue)
{
    channel.SetOn(decltype(channel.GetOn())(on));
    channel.SetBasicDirty(false);
    if (queue)
        command.AddCommand(channel.StoreBasicRecord(true));
}

QString AllPresetsSaveError()
{
    return g_bChinese ? QStringLiteral("保存整机场景文件错误!") : QStringLiteral("Save all presets file error!");
}
}  // namespace

// ---- The common frame of the counted sequences ------------------------------------

void CBrelinView::ResetTransferProgress()
{
    m_deviceLink.ResetTransferProgress();
}

void CBrelinView::BeginTransferDisplay(bool fromDialog, bool viewBar)
{
    if (viewBar) {
        m_progress.SetRange(0, m_deviceLink.ProgressCount());
        m_progress.SetPos(0);
    }
    ResetTransferProgress();
    g_bTransferBusy = true;
    if (g_pDisplayDlg != nullptr)
        g_pDisplayDlg->ShowPopup(fromDialog);
}

// ---- Whole presets ------------------------------------------------------------------

void CBrelinView::DownloadAllPresets()
{
    if (!IsConnected())
        return;
    std::lock_guard<CCriticalSection> lock(g_csSendLock);
    m_deviceLink.SetProgressCount(0);
    BYTE masterOn = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        masterOn = g_byMasterOn;
    }
    m_deviceLink.SetTransferMute(false);
    m_command.AddCommand(BuildSystemCommandFrame(TRANSFER_COMMAND_SPEAKERS_LOW, 0));
    m_command.AddCommand(BuildSystemCommandFrame(TRANSFER_COMMAND_SPEAKERS_HIGH, 0));
    for (int music = 0; music < MUSIC_COUNT; ++music)
        m_deviceLink.AddCounted(BuildBlockFrame(0, BLOCK_MUSIC, music, true, true));
    for (int output = 0; output < OUTPUT_COUNT; ++output)
        m_deviceLink.AddCounted(BuildBlockFrame(0, BLOCK_OUTPUT, output, true, true));
    for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot) {
        m_deviceLink.AddCounted(BuildSystemCommandFrame(TRANSFER_COMMAND_PRESET_NAME, slot));
        for (int music = 0; music < MUSIC_COUNT; ++music)
            m_deviceLink.AddCounted(BuildBlockFrame(slot, BLOCK_MUSIC, music, false, true));
        for (int output = 0; output < OUTPUT_COUNT; ++output) {
            std::unique_ptr<CSendData> block = BuildBlockFrame(slot, BLOCK_OUTPUT, output, false, true);
            if (block && slot == MACHINE_PRESET_COUNT && output == OUTPUT_COUNT - 1)
                block->SetLastWrite(true);
            m_deviceLink.AddCounted(std::move(block));
        }
    }
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_byMasterOn = masterOn;
    }
    m_command.AddCommand(BuildSystemCommandFrame(TRANSFER_COMMAND_INPUT, 0));
    m_command.AddCommand(BuildSystemCommandFrame(TRANSFER_COMMAND_LEVEL, 0));
    g_bTrackPresetName = false;
    BeginTransferDisplay(true);
}

void CBrelinView::WritePresetToDevice(int slot, bool pack)
{
    if (slot < 0 || slot > MACHINE_PRESET_COUNT)
        return;
    if (!IsConnected()) {
        if (slot != 0)
            m_deviceLink.ShowConnectionFailure();
        return;
    }
    std::lock_guard<CCriticalSection> lock(g_csSendLock);
    m_deviceLink.SetProgressCount(0);
    if (pack && m_pData != nullptr)
        m_pData->StoreToRaw();
    if (!pack)
        m_deviceLink.SetTransferMute(false);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_byCurrentPreset = BYTE(slot);
    }
    m_deviceLink.AddCounted(BuildSystemCommandFrame(TRANSFER_COMMAND_PRESET_NAME, slot));
    if (pack) {
        m_deviceLink.AddCounted(BuildSystemCommandFrame(TRANSFER_COMMAND_PRESET_NAME, 0));
        m_deviceLink.AddCounted(BuildSystemCommandFrame(TRANSFER_COMMAND_PRESET_NUMBER, 0));
    }
    for (int music = 0; music < MUSIC_COUNT; ++music)
        m_deviceLink.AddCounted(BuildBlockFrame(slot, BLOCK_MUSIC, music, true, true));
    for (int output = 0; output < OUTPUT_COUNT - 1; ++output)
        m_deviceLink.AddCounted(BuildBlockFrame(slot, BLOCK_OUTPUT, output, true, true));
    // The last block takes the next position without advancing the count,
    // so the bar ends with its reply.
    if (std::unique_ptr<CSendData> last = BuildBlockFrame(slot, BLOCK_OUTPUT, OUTPUT_COUNT - 1, true, true)) {
        last->SetLastWrite(true);
        m_deviceLink.AddCounted(std::move(last));
        m_deviceLink.SetProgressCount(m_deviceLink.ProgressCount() - 1);
    }
    if (!pack)
        m_deviceLink.SetTransferMute(true);
    g_bTrackPresetName = false;
    BeginTransferDisplay(true);
}

int CBrelinView::FetchAllPresetsForFile()
{
    if (!IsConnected()) {
        m_deviceLink.ShowConnectionFailure();
        return 0;
    }
    // The file dialog runs before the lock is taken; the link may have gone
    // meanwhile (its own box has said so then).
    if (ChooseAllPresetsFile() == 0 || !IsConnected())
        return 0;
    std::lock_guard<CCriticalSection> lock(g_csSendLock);
    m_deviceLink.SetProgressCount(0);
    for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot) {
        for (int music = 0; music < MUSIC_COUNT; ++music)
            m_deviceLink.AddCounted(BuildBlockRequestFrame(slot, BLOCK_MUSIC, music, false));
        for (int output = 0; output < OUTPUT_COUNT; ++output) {
            std::unique_ptr<CSendData> request = BuildBlockRequestFrame(slot, BLOCK_OUTPUT, output, false);
            if (request && slot == MACHINE_PRESET_COUNT && output == OUTPUT_COUNT - 1)
                request->SetLastRequest(true);
            m_deviceLink.AddCounted(std::move(request));
        }
    }
    // Each read-back writes the file chosen for it, in the order queued.
    m_pendingAllPresetsSaves.push_back(g_strAllPresetsFilePath);
    BeginTransferDisplay(true);
    return 1;
}

// ---- Single channels ----------------------------------------------------------------

void CBrelinView::SendInputChannelBlock(int channel)
{
    CMusic_InData* music = (m_pData != nullptr && IsConnected()) ? m_pData->GetMusic(channel) : nullptr;
    if (music == nullptr)
        return;
    std::lock_guard<CCriticalSection> lock(g_csSendLock);
    m_deviceLink.SetTransferMute(false);
    const int on = music->GetOn();
    SwitchForBlockSend(m_command, *music, 0, true);
    m_command.AddCommand(music->StoreAndBuildBlock(0));
    SwitchForBlockSend(m_command, *music, on, true);
    m_deviceLink.SetTransferMute(true);
}

void CBrelinView::SendOutputBlockBetweenSwitches(int channel)
{
    CKTV_OutData* output = (m_pData != nullptr && IsConnected()) ? m_pData->GetOutput(channel) : nullptr;
    if (output == nullptr)
        return;
    const int on = output->GetOn();
    SwitchForBlockSend(m_command, *output, 0, true);
    m_command.AddCommand(output->StoreAndBuildBlock(0));
    SwitchForBlockSend(m_command, *output, on, true);
}

void CBrelinView::SendOutputChannelBlock(int channel)
{
    std::lock_guard<CCriticalSection> lock(g_csSendLock);
    SendOutputBlockBetweenSwitches(channel);
}

void CBrelinView::SendOutputChannelBlockNoLock(int channel)
{
    SendOutputBlockBetweenSwitches(channel);
}

void CBrelinView::SendOutputOff(int channel)
{
    CKTV_OutData* output = (m_pData != nullptr && IsConnected()) ? m_pData->GetOutput(channel) : nullptr;
    if (output == nullptr)
        return;
    const int on = output->GetOn();
    SwitchForBlockSend(m_command, *output, 0, true);
    // The object is on again, the device not: the block that follows
    // (SendOutputChannelBlockNoLock) switches it on.
    SwitchForBlockSend(m_command, *output, on, false);
}

void CBrelinView::AddCommand(std::unique_ptr<CSendData> command)
{
    if (command)
        m_command.AddCommand(std::move(command));
}

void CBrelinView::SendSpeakerAssignment(int channel, bool all)
{
    m_deviceLink.SendSpeakerAssignment(channel, all);
}

COutRouteDlg* CBrelinView::OutputStrip(int output)
{
    return output >= 0 && output < OUTPUT_COUNT ? &m_strips[output] : nullptr;
}

void CBrelinView::CopyOutputChannel(int src, int dst)
{
    CKTV_OutData* from = m_pData != nullptr ? m_pData->GetOutput(src) : nullptr;
    CKTV_OutData* to = m_pData != nullptr ? m_pData->GetOutput(dst) : nullptr;
    if (from == nullptr || to == nullptr)
        return;
    to->CopyGainAndEqFrom(from);
    if (IsConnected())
        m_command.AddCommand(to->StoreAndBuildBlock(0));
}

void CBrelinView::CopyOutputChannelLocked(int src, int dst)
{
    CKTV_OutData* from = m_pData != nullptr ? m_pData->GetOutput(src) : nullptr;
    CKTV_OutData* to = m_pData != nullptr ? m_pData->GetOutput(dst) : nullptr;
    if (from == nullptr || to == nullptr)
        return;
    to->CopyGainAndEqFrom(from);
    if (IsTweeterPosition(to->GetSpeakerPosition())) {
        ParameterSetGuard guard(g_ParameterSetLock);
        BYTE record[RECORD_SIZE];
        to->GetCrossoverRecord(record);
        if (GetWord(record) < TWEETER_HIGH_PASS_MIN) {
            PutWord(record, TWEETER_HIGH_PASS_MIN);
            if (TWEETER_HIGH_PASS_MIN > GetWord(record + 4))
                PutWord(record + 4, TWEETER_LOW_PASS_OPEN);
        }
        if (record[3] == SLOPE_CODE_STEEPEST)
            record[3] = SLOPE_CODE_GENTLE;
        to->LoadCrossoverRecord(record);
    }
    if (!IsConnected())
        return;
    std::lock_guard<CCriticalSection> lock(g_csSendLock);
    m_deviceLink.SetTransferMute(false);
    m_command.AddCommand(to->StoreAndBuildBlock(0));
    m_deviceLink.SetTransferMute(true);
}

void CBrelinView::ResetOutputEq(int channel)
{
    CKTV_OutData* output = m_pData != nullptr ? m_pData->GetOutput(channel) : nullptr;
    if (output == nullptr)
        return;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int band = 0; band < THIRD_OCTAVE_COUNT; ++band) {
            if (CFilter* filter = output->GetBand(band))
                filter->Reset(g_ThirdOctaveFreqs[band]);
        }
        output->RecomputeCurve();
    }
    if (IsConnected())
        m_command.AddCommand(output->StoreAndBuildBlock(0));
}

void CBrelinView::SendOutputEqGroup()
{
    {
        std::lock_guard<CCriticalSection> lock(g_csSendLock);
        const bool connected = IsConnected();
        if (connected)
            m_deviceLink.SetTransferMute(false);
        const int current = g_nCurOutput;
        ResetOutputEq(current);
        for (int output = 0; output < OUTPUT_COUNT; ++output) {
            if (output != current && g_nLinkGroup[output] == g_nLinkGroup[current])
                ResetOutputEq(output);
        }
        if (connected)
            m_deviceLink.SetTransferMute(true);
    }
    m_outputPage.RefreshBands();
}

void CBrelinView::ResetInputEq(int channel)
{
    CMusic_InData* music = m_pData != nullptr ? m_pData->GetMusic(channel) : nullptr;
    if (music == nullptr)
        return;
    std::lock_guard<CCriticalSection> lock(g_csSendLock);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int band = 0; band < THIRD_OCTAVE_COUNT; ++band) {
            const int hz = band < LOG_BAND_COUNT ? g_LogBandFreqs[band] : g_ThirdOctaveFreqs[band];
            if (CFilter* filter = music->GetBand(band))
                filter->Reset(hz);
        }
        music->RecomputeCurve();
    }
    if (!IsConnected())
        return;
    m_deviceLink.SetTransferMute(false);
    m_command.AddCommand(music->StoreAndBuildBlock(0));
    m_deviceLink.SetTransferMute(true);
}

// ---- Mode gains -----------------------------------------------------------------------

void CBrelinView::OnModeButton(int n)
{
    int selected = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        selected = g_ModeGains[TRANSFER_MODE_ROW_BYTE];
    }
    if (n == selected || n < 0 || n >= TRANSFER_MODE_ROWS)
        return;
    SelectModeButton(n, true);
    QueueCommand(TRANSFER_COMMAND_MODE_GAINS, 0);
}

void CBrelinView::SelectModeAndSend(int mode)
{
    if (mode < 0 || mode >= TRANSFER_MODE_ROWS)
        return;
    SelectModeButton(mode, false);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_ModeGains[TRANSFER_MODE_ROW_BYTE] = BYTE(mode);
    }
    ModeGainButton(mode).SetCheck(true);
    g_bModeGainsChanged = IsConnected();
    QueueCommand(TRANSFER_COMMAND_MODE_GAINS, 0);
}

void CBrelinView::SetModeGain(int value, int output)
{
    if (output < 0 || output >= OUTPUT_COUNT)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    const int row = g_ModeGains[TRANSFER_MODE_ROW_BYTE];
    if (row < 0 || row >= TRANSFER_MODE_ROWS)
        return;
    BYTE* entry = g_ModeGains + TRANSFER_MODE_ROW_SIZE * row + 2 * output;
    if (GetShort(entry) == value)
        return;
    PutWord(entry, value);
    g_bModeGainsChanged = IsConnected();
}

// ---- Received data ----------------------------------------------------------------------

bool CBrelinView::TransferWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PRESET_RECEIVED:
        OnPresetReceived(int(wParam));
        return true;
    case WM_ALL_PRESETS_RECEIVED:
        OnAllPresetsReceived(lParam);
        return true;
    case WM_SPEAKER_TYPES_RECEIVED:
        OnInputSourceChanged(int(wParam));
        return true;
    case WM_DEVICE_STATUS:
        OnDeviceStatus();
        return true;
    case WM_EFFECT_RECEIVED:
        OnEffectReceived();
        return true;
    case WM_IDLE_478:
        return true;
    case WM_ALL_PRESETS_SAVES_DROPPED:
        AppMessageBox(AllPresetsSaveError(), MB_OK, g_bChinese ? -2 : -3);
        return true;
    default:
        return false;
    }
}

void CBrelinView::ReadLockState()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    if (IsDataLocked() != 0) {
        g_strLockPassword = LockPasswordFromImage(g_CurrentImage);
        g_bDataLocked = true;
    } else {
        g_bDataLocked = false;
    }
}

void CBrelinView::ClearOutputLinks()
{
    // The curves of the outputs linked to the current one lose their link.
    m_outputPage.RedrawLinkedCurves(g_nCurOutput);
    if (m_pData != nullptr)
        m_pData->InitOutputLinkTable();
    g_bOutputLinkOn = false;
    m_btnLRLink.SetCheck(false);
    m_outputPage.ShowLinkToggles(false);
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        m_strips[i].SetSelected(i == g_nCurOutput);
    m_outputPage.Graph().RedrawByMode(-1);
}

void CBrelinView::OnPresetReceived(int slot)
{
    {
        std::lock_guard<CCriticalSection> lock(g_csSendLock);
        ReadLockState();
        ShowLockState(g_bDataLocked);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            RepairOutputFilterLimits();
        }
        // The effect block is reloaded only for the live set (and slot 6).
        if (m_pData != nullptr)
            m_pData->LoadFromRaw(g_CurrentImage.bytes, slot);
        g_bTrackPresetName = false;
        ClearOutputLinks();
        RefreshOutputStrips();
        ShowLivePresetName();
        // A late reply of a link closed meanwhile syncs nothing.
        if (IsConnected())
            g_bDeviceSynced = true;
        g_bTransferBusy = false;
        g_OutputFlagSet.Reset();
    }
    // The advanced settings dialog, when open, shows what the device sent.
    if (g_pAdvSetingDlg != nullptr)
        g_pAdvSetingDlg->RefreshFromData();
    update();
}

void CBrelinView::OnAllPresetsReceived(LPARAM refused)
{
    if (!m_pendingAllPresetsSaves.empty()) {
        const QString path = m_pendingAllPresetsSaves.front();
        m_pendingAllPresetsSaves.pop_front();
        if (refused == 0) {
            g_strAllPresetsFilePath = path;
            SaveAllPresetsFile();
        } else {
            AppMessageBox(AllPresetsSaveError(), MB_OK, g_bChinese ? -2 : -3);
        }
    }
    g_bTransferBusy = false;
}

void CBrelinView::DropPendingAllPresetsSaves()
{
    if (m_pendingAllPresetsSaves.empty())
        return;
    m_pendingAllPresetsSaves.clear();
    PostMessage(this, WM_ALL_PRESETS_SAVES_DROPPED, 0, 0);
}

void CBrelinView::OnInputSourceChanged(int which)
{
    const int outputs = which == 0 ? int(SPEAKERS_LOW_OUTPUTS) : int(OUTPUT_COUNT);
    bool cleared = false;
    int inputMode = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_SystemBytes[TRANSFER_SYSTEM_BYTE_STATUS_SIM] = 0;
        g_InputSourceTable.SelectMode(g_SystemBytes[0], g_SystemBytes[TRANSFER_SYSTEM_BYTE_SOURCE_TABLE]);
        g_InputSourceTable.m_nCurrentSource = InputSourceFromSystemByte(g_byInputSource);
        ResetSpeakerPositions();
        for (int i = 0; i < outputs; ++i)
            g_byOutputPosition[i] = BYTE(PositionCodeOrNone(g_OutputMap[i]));
        cleared = ClearDuplicatePositions();
        if (cleared)
            std::memcpy(g_OutputMap, g_byOutputPosition, size_t(outputs));
        inputMode = g_SystemBytes[0];
    }
    if (cleared)
        QueueCommand(which == 0 ? TRANSFER_COMMAND_SPEAKERS_LOW : TRANSFER_COMMAND_SPEAKERS_HIGH, 0);
    const int firstStrip = which == 0 ? 0 : int(SPEAKERS_LOW_OUTPUTS);
    for (int i = firstStrip; i < outputs; ++i)
        m_strips[i].ShowSpeakerType();
    PushPositionsToOutputs();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        ApplyOutputPositions();
    }
    if (g_bOutputMapLocked) {
        g_bOutputMapLocked = false;
        m_outputPage.ApplyOutputMapLock();
    }
    g_nInputMode = inputMode;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_nSourceTable = g_SystemBytes[TRANSFER_SYSTEM_BYTE_SOURCE_TABLE];
    }
    SetInputSource(inputMode, false);
    // Appended without the send lock: the worker waits for this handler.
    if (IsConnected())
        m_command.AddCommand(BuildSystemCommandFrame(TRANSFER_COMMAND_PRESET_NAME, 0));
}

void CBrelinView::PushPositionsToOutputs()
{
    if (m_pData == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (CKTV_OutData* output = m_pData->GetOutput(i))
            output->SetSpeakerPositionOnly(g_byOutputPosition[i]);
    }
}

void CBrelinView::OnDeviceStatus()
{
    if (!IsConnected() || m_bHoldStatus)
        return;
    bool modeChanged = false;
    bool volumeChanged = false;
    int inputMode = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if (g_SystemBytes[0] != g_nDeviceStatus[TRANSFER_STATUS_INPUT_MODE]) {
            g_SystemBytes[0] = BYTE(g_nDeviceStatus[TRANSFER_STATUS_INPUT_MODE]);
            modeChanged = true;
        }
        inputMode = g_SystemBytes[0];
        for (int k = TRANSFER_STATUS_VOLUME_FIRST; k <= TRANSFER_STATUS_VOLUME_LAST; ++k)
            volumeChanged = volumeChanged || g_SystemBytes[k] != g_nDeviceStatus[k];
        volumeChanged = volumeChanged || g_byMasterOn != g_nDeviceStatus[TRANSFER_STATUS_MASTER_ON];
        if (volumeChanged) {
            for (int k = TRANSFER_STATUS_VOLUME_FIRST; k <= TRANSFER_STATUS_VOLUME_LAST; ++k)
                g_SystemBytes[k] = BYTE(g_nDeviceStatus[k]);
            g_byMasterOn = BYTE(g_nDeviceStatus[TRANSFER_STATUS_MASTER_ON]);
        }
    }
    if (modeChanged) {
        SetInputSource(inputMode, false);
        RefreshMasterVolume();
    }
    if (volumeChanged)
        RefreshMasterVolume();
}

void CBrelinView::OnEffectReceived()
{
    if (m_pData == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_pData->GetEffect()->LoadFromImage(g_CurrentImage.bytes + EFFECT_OFFSET);
}
