// The level-and-delay page's level handlers: the master, the input columns,
// the output columns with their on/off and polarity buttons, the faders'
// notices, the hover focus and the choice of the input kind. Every value
// goes into the parameter set; the change scan sends it, but for the master
// (system item 5 flagged) and the input kind (system items queued).
#include <algorithm>

#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "model/SystemWord.h"
#include "model/WindowMessages.h"
#include "pages/InputKindPeer.h"
#include "pages/MainView.h"
#include "pages/output/Level_Delay_Dlg.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"

namespace {
// The system command kinds the page queues.
constexpr int kLevelDelayItemInputs = 2;
constexpr int kLevelDelayItemMaster = 5;
// The lock byte of the input kinds among the system bytes.
constexpr int kLevelDelayLockByte = 12;
}  // namespace

// ---- Model access -------------------------------------------------------------------------------

CMusic_InData* CLevel_Delay_Dlg::MusicOfColumn(int column) const
{
    // Four music channels: the columns of kinds 4 and 5 edit none.
    if (m_pData == nullptr || column < 0 || column >= MUSIC_COLUMNS)
        return nullptr;
    return m_pData->GetMusic(column);
}

CKTV_OutData* CLevel_Delay_Dlg::OutputOf(int output) const
{
    if (m_pData == nullptr || output < 0 || output >= OUTPUTS)
        return nullptr;
    return m_pData->GetOutput(output);
}

std::vector<int> CLevel_Delay_Dlg::LinkedOutputs(int output) const
{
    std::vector<int> linked;
    if (output < 0 || output >= OUTPUTS)
        return linked;
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int i = 0; i < OUTPUTS; ++i)
        if (i != output && g_nLinkGroup[i] == g_nLinkGroup[output])
            linked.push_back(i);
    return linked;
}

void CLevel_Delay_Dlg::FlagSystemItem5()
{
    if (m_pView != nullptr)
        m_pView->SetSendSysItem5(true);
}

// ---- Master -------------------------------------------------------------------------------------

bool CLevel_Delay_Dlg::StoreMasterLevel(int v)
{
    bool cameOn = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if (g_wMasterLevel == v)
            return false;
        g_wMasterLevel = v;
        if (g_byMasterOn == 0) {
            g_byMasterOn = 1;
            cameOn = true;
        }
    }
    if (cameOn)
        m_btnMasterOn.SetCheck(true);
    return true;
}

void CLevel_Delay_Dlg::OnMasterLevel()
{
    const int v = m_spinMaster.GetPos();
    if (StoreMasterLevel(v)) {
        m_sliderMaster.SetValue(v);
        FlagSystemItem5();
    }
    SelectOutput(-1);
}

void CLevel_Delay_Dlg::OnMasterOn()
{
    const bool on = !m_btnMasterOn.GetCheck();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_byMasterOn = on ? 1 : 0;
    }
    FlagSystemItem5();
    m_btnMasterOn.SetCheck(on);
    m_nLastOn = on ? 1 : 0;
    SelectOutput(-1);
}

// ---- Input columns ------------------------------------------------------------------------------

void CLevel_Delay_Dlg::OnInputLevel(int column)
{
    if (column < 0 || column >= INPUT_COLUMNS)
        return;
    const int v = m_spinInputLevel[column].GetPos();
    if (CMusic_InData* music = MusicOfColumn(column)) {
        int gain = 0;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            gain = music->GetGain();
        }
        if (gain != v)
            music->SetGain(v);
    }
    m_sliderInput[column].SetValue(v);
    SelectOutput(-1);
}

void CLevel_Delay_Dlg::OnInputSlider(int column)
{
    if (column < 0 || column >= INPUT_COLUMNS)
        return;
    const int v = m_sliderInput[column].GetValue();
    CMusic_InData* music = MusicOfColumn(column);
    if (music == nullptr) {
        m_spinInputLevel[column].SetPos(v);
        return;
    }
    int gain = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        gain = music->GetGain();
    }
    if (gain != v) {
        music->SetGain(v);
        m_spinInputLevel[column].SetPos(v);
    }
}

// ---- Output columns -----------------------------------------------------------------------------

void CLevel_Delay_Dlg::ApplyOutputLevel(int column, int v, bool fromFader)
{
    CKTV_OutData* output = OutputOf(column);
    if (output == nullptr)
        return;
    int gain = 0, on = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        gain = output->GetGain();
        on = output->GetOn();
    }
    if (gain != v) {
        // The model repeats the gain on the outputs linked with this one.
        output->SetGain(short(v));
        if (fromFader)
            m_spinOutputLevel[column].SetPos(v);
        else
            m_sliderOutput[column].SetValue(v);
        if (on == 0) {
            output->SetOn(1);
            m_nLastOn = 1;
            m_btnOutputOn[column].SetCheck(true);
        }
    }
    ShowLinkedLevels(column);
    SelectOutputIfNew(column);
}

void CLevel_Delay_Dlg::OnOutputLevel(int column)
{
    if (column < 0 || column >= OUTPUT_COLUMNS)
        return;
    ApplyOutputLevel(column, m_spinOutputLevel[column].GetPos(), false);
}

void CLevel_Delay_Dlg::OnOutputSlider(int column)
{
    if (column < 0 || column >= OUTPUT_COLUMNS)
        return;
    ApplyOutputLevel(column, m_sliderOutput[column].GetValue(), true);
}

void CLevel_Delay_Dlg::OnOutputOn(int column)
{
    CKTV_OutData* output = column < OUTPUT_COLUMNS ? OutputOf(column) : nullptr;
    if (output == nullptr)
        return;
    const bool on = !m_btnOutputOn[column].GetCheck();
    output->SetOn(on ? 1 : 0);
    m_btnOutputOn[column].SetCheck(on);
    m_nLastOn = on ? 1 : 0;
    SelectOutput(column);
}

void CLevel_Delay_Dlg::OnOutputPolarity(int column)
{
    CKTV_OutData* output = column < OUTPUT_COLUMNS ? OutputOf(column) : nullptr;
    if (output == nullptr)
        return;
    const bool inverted = !m_btnPolarity[column].GetCheck();
    output->SetPolarity(inverted ? 1 : 0);
    m_btnPolarity[column].SetCheck(inverted);
    SelectOutput(column);
}

void CLevel_Delay_Dlg::ShowLinkedLevels(int output)
{
    struct Linked {
        int output;
        int gain;
    };
    std::vector<Linked> linked;
    for (int i : LinkedOutputs(output)) {
        CKTV_OutData* data = OutputOf(i);
        if (data == nullptr)
            continue;
        ParameterSetGuard guard(g_ParameterSetLock);
        linked.push_back({i, data->GetGain()});
    }
    for (const Linked& l : linked) {
        // Outputs 8 to 11 have no level column, only their place on the plan.
        if (l.output < OUTPUT_COLUMNS) {
            m_spinOutputLevel[l.output].SetPos(l.gain);
            m_sliderOutput[l.output].SetValue(l.gain);
        }
        CheckOutputPositionButton(l.output, true);
    }
}

void CLevel_Delay_Dlg::SetLinkedOn(int output, bool noHighlight)
{
    const bool on = m_nLastOn != 0;
    for (int i : LinkedOutputs(output)) {
        CKTV_OutData* data = OutputOf(i);
        if (data == nullptr)
            continue;
        data->SetOn(BYTE(m_nLastOn));
        if (i < OUTPUT_COLUMNS)
            m_btnOutputOn[i].SetCheck(on);
        if (!noHighlight)
            CheckOutputPositionButton(i, true);
    }
}

// ---- Fader and hover notices ------------------------------------------------------------------

void CLevel_Delay_Dlg::OnSliderMoving(WPARAM id, LPARAM)
{
    const int control = int(id);
    const int input = IndexIn(control, IDC_INPUT_SLIDER0, INPUT_COLUMNS);
    const int output = IndexIn(control, IDC_OUTPUT_SLIDER0, OUTPUT_COLUMNS);
    if (control == int(IDC_MASTER_SLIDER)) {
        const int v = m_sliderMaster.GetValue();
        if (StoreMasterLevel(v)) {
            m_spinMaster.SetPos(v);
            FlagSystemItem5();
        }
        SelectOutput(-1);
    } else if (input >= 0) {
        OnInputSlider(input);
        SelectOutput(-1);
    } else if (output >= 0) {
        OnOutputSlider(output);
    }
}

void CLevel_Delay_Dlg::OnSliderMoved(WPARAM id, LPARAM position)
{
    OnSliderMoving(id, position);
    // A released fader hands the keyboard to its field.
    const int control = int(id);
    const int input = IndexIn(control, IDC_INPUT_SLIDER0, INPUT_COLUMNS);
    const int output = IndexIn(control, IDC_OUTPUT_SLIDER0, OUTPUT_COLUMNS);
    QWidget* edit = nullptr;
    if (control == int(IDC_MASTER_SLIDER))
        edit = &m_editMaster;
    else if (input >= 0)
        edit = &m_editInputLevel[input];
    else if (output >= 0)
        edit = &m_editOutputLevel[output];
    if (edit != nullptr)
        edit->setFocus(Qt::OtherFocusReason);
}

void CLevel_Delay_Dlg::OnControlHover(WPARAM, LPARAM id)
{
    // Only the on/off and polarity buttons take the focus on a hover, which
    // commits a field being typed in.
    const int on = IndexIn(int(id), IDC_OUTPUT_ON0, OUTPUT_COLUMNS);
    const int polarity = IndexIn(int(id), IDC_POLARITY0, OUTPUT_COLUMNS);
    const int column = on >= 0 ? on : polarity;
    if (column < 0)
        return;
    SelectOutput(column);
    CBitButton& button = on >= 0 ? m_btnOutputOn[column] : m_btnPolarity[column];
    button.setFocus(Qt::OtherFocusReason);
}

// ---- Input kind -----------------------------------------------------------------------------------

void CLevel_Delay_Dlg::SelectInputMode(int kind)
{
    int lock = 0, before = 0, table = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        lock = g_SystemBytes[kLevelDelayLockByte];
        before = g_nInputMode;
    }
    // 1. The input page learns the state before the change.
    if (g_pInPutDlg != nullptr)
        PostMessage(g_pInPutDlg->KindMessageTarget(), WM_INPUT_KIND_SYNC, WPARAM(lock), LPARAM(before));
    // 2.
    ClearInputLock();
    // 3.
    if (kind != before) {
        CheckKindButtons(kind);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            g_nInputMode = kind;
            g_byInputMode = BYTE(kind);
            table = g_nSourceTable;
        }
        if (g_pInPutDlg != nullptr)
            g_pInPutDlg->UpdateSourceButton(kind, table);
        // The queue takes the send lock, which comes before the parameter set's.
        if (m_pView != nullptr)
            m_pView->QueueCommand(kLevelDelayItemInputs, 0);
    }
    // 4.
    SelectOutput(-1);
}

void CLevel_Delay_Dlg::ClearInputLock()
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if (g_SystemBytes[kLevelDelayLockByte] == 0)
            return;
        g_SystemBytes[kLevelDelayLockByte] = 0;
    }
    if (m_pView != nullptr)
        m_pView->QueueCommand(kLevelDelayItemMaster, 0);
    RefreshKindBitmaps();
}

void CLevel_Delay_Dlg::OnInputKindChanged(WPARAM, LPARAM kind)
{
    int mode = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        mode = g_nInputMode;
    }
    if (int(kind) == mode)
        CheckKindButtons(mode);
}

void CLevel_Delay_Dlg::OnInputKindSync(WPARAM lock, LPARAM kind)
{
    int ownLock = 0, mode = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        ownLock = g_SystemBytes[kLevelDelayLockByte];
        mode = g_nInputMode;
    }
    if (int(lock) != ownLock)
        RefreshKindBitmaps();
    if (int(kind) != mode)
        CheckKindButtons(mode);
}

// ---- The message map -----------------------------------------------------------------------------

LRESULT CLevel_Delay_Dlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // Clicks and commits come with code 0; other notices are not commands.
        if (HIWORD(wParam) == 0)
            OnCommand(int(LOWORD(wParam)));
        break;
    case WM_SLIDER_MOVED: OnSliderMoved(wParam, lParam); break;
    case WM_SLIDER_MOVING: OnSliderMoving(wParam, lParam); break;
    case WM_CONTROL_HOVER: OnControlHover(wParam, lParam); break;
    case WM_INPUT_KIND_CHANGED: OnInputKindChanged(wParam, lParam); break;
    case WM_INPUT_KIND_SYNC: OnInputKindSync(wParam, lParam); break;
    case WM_FOCUS_NEIGHBOUR: OnFocusNeighbour(wParam, lParam); break;
    case WM_SPIN_DELAY_STEP: OnSpinDelayStep(wParam, lParam); break;
    default: break;
    }
    return 0;
}

void CLevel_Delay_Dlg::OnCommand(int id)
{
    // A field and its spin share one handler.
    int k = -1;
    if (id == int(IDC_MASTER_EDIT) || id == int(IDC_MASTER_SPIN))
        OnMasterLevel();
    else if (id == int(IDC_MASTER_ON))
        OnMasterOn();
    else if ((k = IndexIn(id, IDC_INPUT_EDIT0, INPUT_COLUMNS)) >= 0 ||
             (k = IndexIn(id, IDC_INPUT_SPIN0, INPUT_COLUMNS)) >= 0)
        OnInputLevel(k);
    else if ((k = IndexIn(id, IDC_OUTPUT_EDIT0, OUTPUT_COLUMNS)) >= 0 ||
             (k = IndexIn(id, IDC_OUTPUT_SPIN0, OUTPUT_COLUMNS)) >= 0)
        OnOutputLevel(k);
    else if ((k = IndexIn(id, IDC_OUTPUT_ON0, OUTPUT_COLUMNS)) >= 0)
        OnOutputOn(k);
    else if ((k = IndexIn(id, IDC_POLARITY0, OUTPUT_COLUMNS)) >= 0)
        OnOutputPolarity(k);
    else if ((k = IndexIn(id, IDC_KIND0, INPUT_COLUMNS)) >= 0)
        SelectInputMode(k);
    else if ((k = IndexIn(id, IDC_DELAY_EDIT0, DELAY_FIELDS)) >= 0 ||
             (k = IndexIn(id, IDC_DELAY_SPIN0, DELAY_FIELDS)) >= 0)
        OnDelayEdited(m_spinDelay[k].GetUserData());
    else if ((k = IndexIn(id, IDC_UNIT_MS, UNITS)) >= 0)
        OnDelayUnitButton(k + 1);
    else if ((k = IndexIn(id, IDC_POSITION0, POSITIONS)) >= 0)
        OnPositionButton(&m_btnPosition[k]);
    else if (IndexIn(id, IDC_LINK_FRONT_LEFT_3, LINK_TOGGLES) >= 0)
        OnGroupLink(UINT(id));
}
