#include "pages/output/CurSYSDlg.h"

#include <QColor>
#include <QKeyEvent>
#include <QPalette>

#include "graphs/NumEditValue.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogKeys.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 108 in dialog units of its font, Arial 8.
const CRect kCurSysDialog(0, 0, 730, 271);

CRect CurSysDu(int x, int y, int cx, int cy)
{
    return CRect(x, y, x + cx, y + cy);
}

// The channel groups: four across each half, the row labels left of them.
const int kCurSysGroupLeft = 44;
const int kCurSysGroupWidth = 170;
const int kCurSysGroupTop[2] = {24, 148};
const int kCurSysGroupHeight = 122;
// Rows inside a group, from its top: level, ratio, attack, release.
const int kCurSysRowLevel = 16;
const int kCurSysRowRatio = 40;
const int kCurSysRowAttack = 64;
const int kCurSysRowRelease = 88;
const int kCurSysFieldWidth = 36;
const int kCurSysSpinWidth = 9;
const int kCurSysRowHeight = 10;

// A row of a channel group: its ids, how the field shows the count, the
// spin's range and the row's line in the group. A step of 0 leaves the
// field's step and offset as they are.
struct CurSysRowSpec {
    UINT edit;
    UINT spin;
    int type;
    double step;
    double offset;
    const char* unit;
    int min;
    int max;
    bool compressor;
    int line;
};
const CurSysRowSpec kCurSysRows[CCurSYSDlg::ROWS] = {
    {CCurSYSDlg::IDC_LIMIT_EDIT0, CCurSYSDlg::IDC_LIMIT_SPIN0, CNumEditValue::TYPE_LEVEL_DBU, 0.1, 30.0, "", 0, 420,
     false, kCurSysRowLevel},
    {CCurSYSDlg::IDC_ATTACK_EDIT0, CCurSYSDlg::IDC_ATTACK_SPIN0, CNumEditValue::TYPE_ATTACK, 0, 0, "", 0, 206, false,
     kCurSysRowAttack},
    {CCurSYSDlg::IDC_RELEASE_EDIT0, CCurSYSDlg::IDC_RELEASE_SPIN0, CNumEditValue::TYPE_INTEGER_UNIT, 0, 0, "ms", 50,
     5000, false, kCurSysRowRelease},
    {CCurSYSDlg::IDC_COMP_LEVEL_EDIT0, CCurSYSDlg::IDC_COMP_LEVEL_SPIN0, CNumEditValue::TYPE_LEVEL_DBU, 0.1, 30.0, "",
     0, 360, true, kCurSysRowLevel},
    {CCurSYSDlg::IDC_COMP_RATIO_EDIT0, CCurSYSDlg::IDC_COMP_RATIO_SPIN0, CNumEditValue::TYPE_RATIO, 0, 0, "", 1, 191,
     true, kCurSysRowRatio},
    {CCurSYSDlg::IDC_COMP_ATTACK_EDIT0, CCurSYSDlg::IDC_COMP_ATTACK_SPIN0, CNumEditValue::TYPE_ATTACK, 0, 0, "", 0, 206,
     true, kCurSysRowAttack},
    {CCurSYSDlg::IDC_COMP_RELEASE_EDIT0, CCurSYSDlg::IDC_COMP_RELEASE_SPIN0, CNumEditValue::TYPE_INTEGER_UNIT, 0, 0,
     "ms", 50, 5000, true, kCurSysRowRelease},
};

// The dialog's face and the colour of its captions.
const QColor kCurSysFace(0x30, 0x34, 0x3E);
const QColor kCurSysText(0xE8, 0xE9, 0xEF);

// The ratio the compressor rows open with: 1:1.
const int kCurSysInitialRatio = 1;
}  // namespace

CCurSYSDlg::CCurSYSDlg(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // A dark face, as the graphs and the fields' light idle text want.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kCurSysFace);
    palette.setColor(QPalette::WindowText, kCurSysText);
    setPalette(palette);
    setAutoFillBackground(true);
    LayOutControls();
}

CCurSYSDlg::~CCurSYSDlg() = default;

void CCurSYSDlg::Place(QWidget* control, int id, const CRect& dialogUnits)
{
    PlaceDialogControl(control, this, dialogUnits, font(), id);
}

void CCurSYSDlg::LayOutControls()
{
    setFont(DialogFont(QStringLiteral("Arial"), 8));
    setFixedSize(MapDialogRect(kCurSysDialog, font()).Size());

    // The top band: the source list and the noise gate.
    Place(&m_lblSource, IDC_SOURCE_LABEL, CurSysDu(kCurSysGroupLeft, 2, 60, 10));
    m_lblSource.SetText(QStringLiteral("Source"));
    Place(&m_comboSource, IDC_SOURCE_COMBO, CurSysDu(kCurSysGroupLeft, 11, 70, 12));
    Place(&m_lblNoiseGate, IDC_NOISE_GATE_LABEL, CurSysDu(130, 2, 60, 10));
    m_lblNoiseGate.SetText(QStringLiteral("NoiseGate"));
    Place(&m_editNoiseGate, IDC_NOISE_GATE_EDIT, CurSysDu(130, 12, kCurSysFieldWidth, kCurSysRowHeight));
    Place(&m_spinNoiseGate, IDC_NOISE_GATE_SPIN, CurSysDu(130 + kCurSysFieldWidth, 12, kCurSysSpinWidth, 10));

    // The row labels at the left edge of each half.
    static const char* const kRowTexts[3] = {"Level", "At.Time", "Re.Time"};
    static const int kRowLines[3] = {kCurSysRowLevel, kCurSysRowAttack, kCurSysRowRelease};
    for (int half = 0; half < 2; ++half) {
        const int top = kCurSysGroupTop[half];
        for (int k = 0; k < 3; ++k) {
            CFontStatic& label = m_lblRow[3 * half + k];
            Place(&label, IDC_ROW_LABEL0 + 3 * half + k, CurSysDu(4, top + kRowLines[k], 38, kCurSysRowHeight));
            label.SetText(QString::fromLatin1(kRowTexts[k]));
        }
        CFontStatic& ratio = m_lblRatio[half == 0 ? 1 : 0];
        Place(&ratio, half == 0 ? IDC_RATIO_LABEL_UPPER : IDC_RATIO_LABEL_LOWER,
              CurSysDu(4, top + kCurSysRowRatio, 38, kCurSysRowHeight));
        ratio.SetText(QStringLiteral("Ratio"));
    }

    for (int n = 0; n < CHANNELS; ++n) {
        const int left = kCurSysGroupLeft + kCurSysGroupWidth * (n % 4);
        const int top = kCurSysGroupTop[n / 4];
        QGroupBox& group = m_grpChannel[n];
        Place(&group, IDC_GROUP0 + n, CurSysDu(left, top, kCurSysGroupWidth - 2, kCurSysGroupHeight));
        group.setTitle(n == 0 ? QStringLiteral("CH1  Limiter &&Compression")
                              : QStringLiteral("CH%1  Limiter && Compression").arg(n + 1));
        // The group frames the controls beside it; it takes no input.
        group.setAttribute(Qt::WA_TransparentForMouseEvents);
        group.lower();
        for (int row = 0; row < ROWS; ++row) {
            const CurSysRowSpec& spec = kCurSysRows[row];
            const int x = left + (spec.compressor ? 121 : 4);
            Place(&RowEdit(row, n), int(spec.edit) + n, CurSysDu(x, top + spec.line, kCurSysFieldWidth, 10));
            Place(&RowSpin(row, n), int(spec.spin) + n,
                  CurSysDu(x + kCurSysFieldWidth, top + spec.line, kCurSysSpinWidth, kCurSysRowHeight));
        }
        Place(&m_graph[n], IDC_GRAPH0 + n, CurSysDu(left + 52, top + 10, 66, 108));
    }

    // The input and release lists exist hidden; nothing fills them.
    for (int n = 0; n < INPUT_COMBOS; ++n) {
        Place(&m_comboInput[n], IDC_INPUT_COMBO0 + n, CurSysDu(0, 0, 40, 12));
        Place(&m_comboRelease[n], IDC_RELEASE_COMBO0 + n, CurSysDu(0, 0, 40, 12));
        m_comboInput[n].hide();
        m_comboRelease[n].hide();
    }
    for (CFontStatic* label : findChildren<CFontStatic*>(QString(), Qt::FindDirectChildrenOnly))
        label->SetTextColor(kCurSysText);
    for (QComboBox* combo : findChildren<QComboBox*>(QString(), Qt::FindDirectChildrenOnly)) {
        connect(combo, QOverload<int>::of(&QComboBox::activated), this,
                [this, combo] { SendMessage(this, WM_COMMAND, MAKEWPARAM(UINT(GetDlgCtrlID(combo)), CBN_SELCHANGE),
                                            reinterpret_cast<LPARAM>(combo)); });
    }
}

CNumEdit& CCurSYSDlg::RowEdit(int row, int n)
{
    switch (row) {
    case ROW_LIMIT:
        return m_editLimit[n];
    case ROW_ATTACK:
        return m_editAttack[n];
    case ROW_RELEASE:
        return m_editRelease[n];
    case ROW_COMP_LEVEL:
        return m_editCompressorLevel[n];
    case ROW_COMP_RATIO:
        return m_editCompRatio[n];
    case ROW_COMP_ATTACK:
        return m_editCompAttack[n];
    default:
        return m_editCompRelease[n];
    }
}

CNumSpin& CCurSYSDlg::RowSpin(int row, int n)
{
    switch (row) {
    case ROW_LIMIT:
        return m_spinLimit[n];
    case ROW_ATTACK:
        return m_spinAttack[n];
    case ROW_RELEASE:
        return m_spinRelease[n];
    case ROW_COMP_LEVEL:
        return m_spinCompressorLevel[n];
    case ROW_COMP_RATIO:
        return m_spinCompRatio[n];
    case ROW_COMP_ATTACK:
        return m_spinCompAttack[n];
    default:
        return m_spinCompRelease[n];
    }
}

int CCurSYSDlg::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

bool CCurSYSDlg::OnInitDialog()
{
    // Labels.
    for (CFontStatic* label : {&m_lblRow[0], &m_lblRow[1], &m_lblRow[2], &m_lblRow[3], &m_lblRow[4], &m_lblRow[5],
                               &m_lblRatio[1], &m_lblRatio[0], &m_lblSource, &m_lblNoiseGate})
        label->SetFontHeight(15);
    for (CFontStatic* label : {&m_lblRow[0], &m_lblRow[1], &m_lblRow[2], &m_lblRow[3], &m_lblRow[4], &m_lblRow[5],
                               &m_lblRatio[1], &m_lblRatio[0]})
        label->SetAlignLeft(true);

    setWindowTitle(g_bChinese ? QStringLiteral("系统") : QStringLiteral("System"));

    // The noise gate: its range first, then how the field shows it.
    m_spinNoiseGate.SetBuddy(&m_editNoiseGate);
    m_spinNoiseGate.SetRange(0, 100);
    m_editNoiseGate.SetStep(1.0);
    m_editNoiseGate.SetOffset(120.0);
    m_editNoiseGate.SetValueType(CNumEditValue::TYPE_LEVEL_DB);
    m_editNoiseGate.LimitText(8);

    // The rows: the field's type before its spin's range, so the spin
    // steps as the field counts (ratio fields in ratio steps).
    for (int n = 0; n < CHANNELS; ++n) {
        for (int row = 0; row < ROWS; ++row) {
            const CurSysRowSpec& spec = kCurSysRows[row];
            CNumEdit& edit = RowEdit(row, n);
            CNumSpin& spin = RowSpin(row, n);
            spin.SetBuddy(&edit);
            if (spec.step != 0) {
                edit.SetStep(spec.step);
                edit.SetOffset(spec.offset);
            }
            edit.SetValueType(spec.type, QString::fromLatin1(spec.unit));
            spin.SetRange(spec.min, spec.max);
        }
        m_graph[n].InitLayout();
        m_graph[n].SetGraphType(CCOM_EXT_LIMStatic::TYPE_LIMITER);
    }

    // The values, read under the lock, shown after it.
    if (m_pData == nullptr)
        return true;
    int noiseGate = 0;
    int values[CHANNELS][ROWS] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        noiseGate = m_pData->GetMusic(0)->GetNoiseGate();
        for (int n = 0; n < CHANNELS; ++n)
            for (int row = 0; row < ROWS; ++row)
                values[n][row] = row == ROW_COMP_RATIO ? kCurSysInitialRatio : ReadRow(row, n);
    }
    m_spinNoiseGate.SetPos(noiseGate);
    for (int n = 0; n < CHANNELS; ++n) {
        for (int row = 0; row < ROWS; ++row)
            RowSpin(row, n).SetPos(values[n][row]);
        m_graph[n].SetChannelArray(m_pData);
        m_graph[n].SelectChannel(n);
    }
    return true;
}

int CCurSYSDlg::ReadRow(int row, int n) const
{
    ParameterSetGuard guard(g_ParameterSetLock);
    const CKTV_OutData* output = m_pData->GetOutput(n);
    switch (row) {
    case ROW_LIMIT:
        return output->GetLimitThreshold();
    case ROW_ATTACK:
        return output->GetAttack();
    case ROW_RELEASE:
        return output->GetRelease() + RELEASE_SHOWN_OFFSET;
    case ROW_COMP_LEVEL:
        return output->GetDynamicsExtra(EXTRA_THRESHOLD);
    case ROW_COMP_ATTACK:
        return output->GetDynamicsExtra(EXTRA_ATTACK);
    case ROW_COMP_RELEASE:
        return output->GetDynamicsExtra(EXTRA_RELEASE) + RELEASE_SHOWN_OFFSET;
    default:  // the ratio has no getter
        return kCurSysInitialRatio;
    }
}

void CCurSYSDlg::WriteRow(int row, int n, int pos)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    CKTV_OutData* output = m_pData->GetOutput(n);
    switch (row) {
    case ROW_LIMIT:
        output->SetLimitThreshold(short(pos));
        break;
    case ROW_ATTACK:
        output->SetAttack(short(pos));
        break;
    case ROW_RELEASE:
        output->SetRelease(short(pos - RELEASE_SHOWN_OFFSET));
        break;
    case ROW_COMP_LEVEL:
        output->SetDynamicsExtra(EXTRA_THRESHOLD, pos);
        break;
    case ROW_COMP_RATIO:
        output->SetDynamicsExtra(EXTRA_RATIO, pos);
        break;
    case ROW_COMP_ATTACK:
        output->SetDynamicsExtra(EXTRA_ATTACK, pos);
        break;
    default:
        output->SetDynamicsExtra(EXTRA_RELEASE, pos - RELEASE_SHOWN_OFFSET);
        break;
    }
}

void CCurSYSDlg::RefreshLinkedRow(int row, int n)
{
    bool linked[CHANNELS] = {};
    int values[CHANNELS] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int i = 0; i < CHANNELS; ++i) {
            linked[i] = i != n && g_nLinkGroup[i] == g_nLinkGroup[n];
            if (linked[i])
                values[i] = ReadRow(row, i);
        }
    }
    for (int i = 0; i < CHANNELS; ++i) {
        if (!linked[i])
            continue;
        RowSpin(row, i).SetPos(values[i]);
        if (row == ROW_LIMIT || row == ROW_COMP_LEVEL)
            m_graph[i].RefreshChannel();
    }
}

void CCurSYSDlg::OnPlainRowChanged(int row, int n)
{
    if (m_pData == nullptr)
        return;
    WriteRow(row, n, RowSpin(row, n).GetPos());
    RefreshLinkedRow(row, n);
}

void CCurSYSDlg::OnLimitChanged(int n)
{
    if (m_pData == nullptr)
        return;
    int pos = m_spinLimit[n].GetPos();
    // Never below the compressor's threshold.
    const int floor = [&] {
        ParameterSetGuard guard(g_ParameterSetLock);
        return m_pData->GetOutput(n)->GetDynamicsExtra(EXTRA_THRESHOLD);
    }();
    if (pos < floor) {
        pos = floor;
        m_spinLimit[n].SetPos(pos);
    }
    WriteRow(ROW_LIMIT, n, pos);
    m_graph[n].RefreshChannel();
    RefreshLinkedRow(ROW_LIMIT, n);
}

void CCurSYSDlg::OnAttackChanged(int n)
{
    OnPlainRowChanged(ROW_ATTACK, n);
}

void CCurSYSDlg::OnReleaseChanged(int n)
{
    OnPlainRowChanged(ROW_RELEASE, n);
}

void CCurSYSDlg::OnCompLevelChanged(int n)
{
    if (m_pData == nullptr)
        return;
    int pos = m_spinCompressorLevel[n].GetPos();
    // Never above the limiter's level.
    const int ceiling = [&] {
        ParameterSetGuard guard(g_ParameterSetLock);
        return int(m_pData->GetOutput(n)->GetLimitThreshold());
    }();
    if (ceiling < pos) {
        pos = ceiling;
        m_spinCompressorLevel[n].SetPos(pos);
    }
    WriteRow(ROW_COMP_LEVEL, n, pos);
    m_graph[n].RefreshChannel();
    RefreshLinkedRow(ROW_COMP_LEVEL, n);
}

void CCurSYSDlg::OnCompRatioChanged(int n)
{
    if (m_pData == nullptr)
        return;
    const int pos = m_spinCompRatio[n].GetPos();
    WriteRow(ROW_COMP_RATIO, n, pos);
    m_graph[n].RefreshChannel();
    // No getter to re-read: the linked rows take this ratio as shown.
    bool linked[CHANNELS] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int i = 0; i < CHANNELS; ++i)
            linked[i] = i != n && g_nLinkGroup[i] == g_nLinkGroup[n];
    }
    for (int i = 0; i < CHANNELS; ++i) {
        if (!linked[i])
            continue;
        m_spinCompRatio[i].SetPos(pos);
        m_graph[i].RefreshChannel();
    }
}

void CCurSYSDlg::OnCompAttackChanged(int n)
{
    OnPlainRowChanged(ROW_COMP_ATTACK, n);
}

void CCurSYSDlg::OnCompReleaseChanged(int n)
{
    OnPlainRowChanged(ROW_COMP_RELEASE, n);
}

void CCurSYSDlg::OnInputSelected(int n)
{
    if (m_pData == nullptr || n < 0 || n >= INPUT_COMBOS)
        return;
    const int index = m_comboInput[n].currentIndex();
    if (index < 0 || index > 2)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    CKTV_OutData* output = m_pData->GetOutput(n);
    output->SetInLOff(index == 1);
    output->SetInROff(index == 0);
}

void CCurSYSDlg::OnNoiseGateChanged()
{
    if (m_pData == nullptr)
        return;
    const int pos = m_spinNoiseGate.GetPos();
    ParameterSetGuard guard(g_ParameterSetLock);
    m_pData->GetMusic(0)->SetNoiseGate(pos);
}

bool CCurSYSDlg::DispatchRowCommand(UINT id)
{
    for (int row = 0; row < ROWS; ++row) {
        const CurSysRowSpec& spec = kCurSysRows[row];
        int n = -1;
        if (id >= spec.edit && id < spec.edit + CHANNELS)
            n = int(id - spec.edit);
        else if (id >= spec.spin && id < spec.spin + CHANNELS)
            n = int(id - spec.spin);
        if (n < 0)
            continue;
        switch (row) {
        case ROW_LIMIT:
            OnLimitChanged(n);
            break;
        case ROW_ATTACK:
            OnAttackChanged(n);
            break;
        case ROW_RELEASE:
            OnReleaseChanged(n);
            break;
        case ROW_COMP_LEVEL:
            OnCompLevelChanged(n);
            break;
        case ROW_COMP_RATIO:
            OnCompRatioChanged(n);
            break;
        case ROW_COMP_ATTACK:
            OnCompAttackChanged(n);
            break;
        default:
            OnCompReleaseChanged(n);
            break;
        }
        return true;
    }
    return false;
}

LRESULT CCurSYSDlg::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_COMMAND)
        return 0;
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (code == CBN_SELCHANGE) {
        if (id >= IDC_INPUT_COMBO0 && id < IDC_INPUT_COMBO0 + INPUT_COMBOS)
            OnInputSelected(int(id - IDC_INPUT_COMBO0));
        else if (id >= IDC_RELEASE_COMBO0 && id < IDC_RELEASE_COMBO0 + INPUT_COMBOS)
            OnReleaseChanged(int(id - IDC_RELEASE_COMBO0));
        // The source list's choice does nothing.
        return 0;
    }
    if (code != 0)
        return 0;
    if (id == IDC_NOISE_GATE_EDIT || id == IDC_NOISE_GATE_SPIN) {
        OnNoiseGateChanged();
        return 0;
    }
    DispatchRowCommand(id);
    return 0;
}

void CCurSYSDlg::keyPressEvent(QKeyEvent* event)
{
    if (!TakeFocusOnEnterOrEscape(this, event))
        QDialog::keyPressEvent(event);
}
