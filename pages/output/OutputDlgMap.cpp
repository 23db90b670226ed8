// The output page's speaker positions and output map: the 24 position
// buttons, the map's reset, its file, its lock and the crossover selectors
// that follow a position change.
#include "app/ReMap_Dlg.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/ParameterSetLock.h"
#include "model/SharedTexts.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "pages/MainView.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SystemMessages.h"

namespace {
// The answers of the reset question.
enum : int { OUTPUT_MAP_CANCEL = 0, OUTPUT_MAP_EMPTIED = 1, OUTPUT_MAP_DEFAULT = 2 };

// The first output 0..11 holding a position, -1 when none does.
int OutputMapFirstPositioned()
{
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        if (g_byOutputPosition[i] != 0)
            return i;
    return -1;
}

QString OutputMapText(const char* chinese, const char* english)
{
    return g_bChinese ? QString::fromUtf8(chinese) : QString::fromUtf8(english);
}
}  // namespace

// ---- Position buttons -------------------------------------------------------------------

void COutputDlg::PlaceSpeakerButton(int code, bool on, int output)
{
    CBtnPng* button = SpeakerButton(code);
    if (button == nullptr)
        return;
    button->SetCheck(on);
    button->SetItemData(output);
    button->SetPartners(nullptr, nullptr);
    button->ShowWindow(SW_SHOW);
}

void COutputDlg::HideSpeakerButton(int code)
{
    if (CBtnPng* button = SpeakerButton(code))
        button->ShowWindow(SW_HIDE);
}

void COutputDlg::ShowSpeakerButton(int code, int nCmdShow)
{
    if (CBtnPng* button = SpeakerButton(code))
        button->ShowWindow(nCmdShow);
}

void COutputDlg::ReleaseAllPositions()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        ReleaseSpeakerPosition(g_byOutputPosition[i], i);
}

void COutputDlg::OnSpeakerButton(int id)
{
    CBtnPng* button = nullptr;
    for (int i = 0; i < SPEAKER_BUTTON_COUNT; ++i)
        if (SpeakerButtonId(i) == id)
            button = &m_btnSpeaker[i];
    if (button == nullptr)
        return;
    const int output = button->GetItemData();
    if (output < 0 || output >= OUTPUT_COUNT)
        return;
    if (button->GetCheck() && output == g_nCurOutput)
        return;
    m_nSpeakerSel = output;
    if (g_nCurOutput >= 0 && g_nCurOutput < OUTPUT_COUNT) {
        HighlightSpeakerButton(g_byOutputPosition[g_nCurOutput], false);
        RedrawLinkedCurves(g_nCurOutput);
    }
    g_nCurOutput = output;
    HighlightSpeakerButton(g_byOutputPosition[output], true);
    RefreshChannel();
}

// ---- Reset, file, single change ---------------------------------------------------------

void COutputDlg::ResetOutputMap()
{
    if (m_pData == nullptr)
        return;
    int choice = OUTPUT_MAP_CANCEL;
    {
        CReMap_Dlg dialog(this);
        dialog.DoModal();
        choice = dialog.m_nResult;
    }
    if (choice != OUTPUT_MAP_EMPTIED && choice != OUTPUT_MAP_DEFAULT)
        return;

    ReleaseAllPositions();
    // The buttons show the new map alone: one left from the old map would
    // select an output that no longer holds its position.
    if (choice == OUTPUT_MAP_DEFAULT)
        ClearSpeakerButtons();
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        const int code = choice == OUTPUT_MAP_DEFAULT ? g_DefaultSpeakerPositions[POSITION_OUTPUTS_AT + i] : 0;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            g_byOutputPosition[i] = BYTE(code);
        }
        if (choice == OUTPUT_MAP_DEFAULT)
            PlaceSpeakerButton(code, i == g_nCurOutput, i);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            TakeSpeakerPosition(code, 0);
        }
        if (m_pView != nullptr) {
            if (COutRouteDlg* strip = m_pView->OutputStrip(i)) {
                strip->m_nChannel = i;
                strip->ShowSpeakerType();
            }
            m_pView->ApplyDefaultMixForSpeakerType(i, code);
        }
        {
            // Applies the position's crossover defaults.
            ParameterSetGuard guard(g_ParameterSetLock);
            m_pData->GetOutput(i)->SetSpeakerPosition(BYTE(code));
            g_OutputMap[i] = BYTE(code);
        }
        if (choice == OUTPUT_MAP_EMPTIED && i == g_nCurOutput)
            RefreshCrossover();
    }
    if (choice == OUTPUT_MAP_EMPTIED) {
        if (m_pView != nullptr)
            m_pView->SendSpeakerAssignment(0, true);
        // No output holds a position: no button is left to show.
        ClearSpeakerButtons();
    } else {
        RefreshCrossover();
    }
    UpdateDelayEditLock();

    if (m_pView != nullptr)
        m_pView->SendSpeakerAssignment(0, true);
    m_graph.ClearActiveBand();
    m_graph.RedrawByMode(-1);
    if (g_bOutputMapLocked) {
        g_bOutputMapLocked = false;
        ShowMapLockToggles(false);
        ApplyOutputMapLock();
    }
    if (m_pView != nullptr)
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            if (COutRouteDlg* strip = m_pView->OutputStrip(i))
                strip->SetSelected(i == g_nCurOutput);
}

void COutputDlg::OnReadOutputMap()
{
    if (m_pView == nullptr || m_pData == nullptr || m_pView->ReadOutputMap() == 0)
        return;
    ReleaseAllPositions();
    ClearSpeakerButtons();
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        // A code the program does not know is kept as read; it places no
        // button and takes no position.
        const int code = g_OutputMap[i];
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            g_byOutputPosition[i] = BYTE(code);
        }
        PlaceSpeakerButton(code, i == g_nCurOutput, i);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            TakeSpeakerPosition(code, 0);
            CKTV_OutData* output = m_pData->GetOutput(i);
            output->SetSpeakerPosition(BYTE(code));
            output->SetSpeakerPositionAndCrossover(BYTE(code), g_OutputMapCrossovers[i]);
        }
        if (i == g_nCurOutput)
            RefreshCrossover();
        UpdateDelayEditLock();
    }
    m_pView->SendSpeakerAssignment(0, true);
    if (g_bOutputMapLocked) {
        g_bOutputMapLocked = false;
        ShowMapLockToggles(false);
        ApplyOutputMapLock();
    }
}

void COutputDlg::OnSaveOutputMap()
{
    if (m_pView != nullptr)
        m_pView->SaveOutputMap();
}

void COutputDlg::ChangeSpeakerPosition(int output, int code)
{
    if (m_pData == nullptr || output < 0 || output >= OUTPUT_COUNT)
        return;
    const int old = g_byOutputPosition[output];
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        ReleaseSpeakerPosition(old, output);
    }
    HideSpeakerButton(old);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_byOutputPosition[output] = BYTE(code);
    }
    PlaceSpeakerButton(code, output == g_nCurOutput, output);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        TakeSpeakerPosition(code, 0);
        g_OutputMap[output] = BYTE(code);
    }
    if (m_pView != nullptr)
        m_pView->SendSpeakerAssignment(output, false);
    if (output == g_nCurOutput)
        RefreshCrossover();
    UpdateDelayEditLock();
    m_graph.RedrawByMode(-1);
}

// ---- Lock -------------------------------------------------------------------------------

int COutputDlg::AskPrompt(const QString& text, UINT type, const QString& caption)
{
    // The box is captioned by its help id: the fixed prompt captions.
    int helpId = 0;
    if (caption == g_strPromptCaptionCn)
        helpId = -2;
    else if (caption == g_strPromptCaptionEn)
        helpId = -3;
    return AppMessageBox(text, type, helpId);
}

void COutputDlg::ShowMapLockToggles(bool locked)
{
    m_btnMapLock.SetCheck(locked);
    m_dlgDelay.m_btnLock.SetCheck(locked);
}

bool COutputDlg::ToggleOutputMapLock()
{
    const QString caption = g_bChinese ? g_strPromptCaptionCn : g_strPromptCaptionEn;
    if (g_bOutputMapLocked) {
        // Only Yes acts.
        if (AskPrompt(OutputMapText("是否解锁输出配置?", "Whether unlocked output map?"), MB_YESNO, caption) != IDYES)
            return false;
        g_bOutputMapLocked = false;
        ShowMapLockToggles(false);
        ApplyOutputMapLock();
        return true;
    }
    if (!AnyOfOutputs1To8Positioned()) {
        AskPrompt(OutputMapText("所有输出配置为空，输出配置不能锁定。",
                                "All output map is empty, the output map could not be locked."),
                  MB_OK, caption);
        return false;
    }
    if (AskPrompt(OutputMapText("是否锁定输出配置?", "Whether locking output map?"), MB_YESNO, caption) != IDYES)
        return false;
    // The box may have waited while the positions changed.
    if (!AnyOfOutputs1To8Positioned()) {
        AskPrompt(OutputMapText("所有输出配置为空!", "All output map is null!"), MB_OK, caption);
        return false;
    }
    g_bOutputMapLocked = true;
    ShowMapLockToggles(true);
    ApplyOutputMapLock();
    return true;
}

void COutputDlg::ApplyOutputMapLock()
{
    const bool locked = g_bOutputMapLocked;
    if (m_pView != nullptr)
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            if (COutRouteDlg* strip = m_pView->OutputStrip(i))
                strip->m_btnSpeakerType.setEnabled(!locked);
    if (!locked) {
        if (m_pView != nullptr)
            m_pView->ClearOutputLinks();
        return;
    }
    if (g_nCurOutput >= 0 && g_nCurOutput < OUTPUT_COUNT && g_byOutputPosition[g_nCurOutput] != 0)
        return;
    const int first = OutputMapFirstPositioned();
    if (first < 0)
        return;
    if (auto* view = dynamic_cast<CMsgTarget*>(m_pView))
        PostMessage(view, WM_STRIP_SELECT, WPARAM(first), 0);
}

void COutputDlg::RecheckOutputMapLock()
{
    if (!g_bOutputMapLocked)
        return;
    if (AnyOfOutputs1To8Positioned()) {
        if (g_nCurOutput >= 0 && g_nCurOutput < OUTPUT_COUNT && g_byOutputPosition[g_nCurOutput] != 0)
            return;
        const int first = OutputMapFirstPositioned();
        if (first >= 0)
            SwitchCurrentOutput(first);
        return;
    }
    g_bOutputMapLocked = false;
    ShowMapLockToggles(false);
    ApplyOutputMapLock();
}

bool COutputDlg::OnMapCommand(int id)
{
    if (id >= int(IDC_SPEAKER_FIRST) && id <= int(IDC_SPEAKER_LAST)) {
        OnSpeakerButton(id);
        return true;
    }
    switch (id) {
    case IDC_MAP_READ: OnReadOutputMap(); return true;
    case IDC_MAP_SAVE: OnSaveOutputMap(); return true;
    default: return false;
    }
}
