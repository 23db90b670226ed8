#include "pages/input/InputNoise.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include "app/GlobalObjects.h"
#include "graphs/NumEditValue.h"
#include "model/DataDefine.h"
#include "model/ParameterSetLock.h"
#include "pages/MainView.h"
#include "pages/input/InputNoiseDlg.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogKeys.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 1189 in dialog units of Arial 7 (left, top, right, bottom).
const CRect kThresholdDialog(0, 0, 191, 57);
const CRect kThresholdGate(108, 24, 158, 38);
const CRect kThresholdEdit(2, 12, 36, 23);
const CRect kThresholdCancel(4, 23, 54, 37);
const CRect kThresholdSpin(10, 45, 24, 59);
constexpr int kThresholdByte = 11;
constexpr int kThresholdCopyByte = 15;
}  // namespace

CInputNoise::CInputNoise(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 7);
    setFont(font);
    setFixedSize(MapDialogRect(kThresholdDialog, font).Size());
    PlaceDialogControl(&m_btnGate, this, kThresholdGate, font, IDC_GATE);
    PlaceDialogControl(&m_editLevel, this, kThresholdEdit, font, IDC_LEVEL_EDIT);
    m_editLevel.setAlignment(Qt::AlignCenter);
    m_editLevel.hide();
    m_editLevel.setEnabled(false);
    m_btnCancel = PlaceDialogControl(new QPushButton(QStringLiteral("Cancel")), this, kThresholdCancel, font, IDCANCEL);
    m_btnCancel->hide();
    m_btnCancel->setEnabled(false);
    m_btnCancel->setAutoDefault(false);
    PlaceDialogControl(&m_spinLevel, this, kThresholdSpin, font, IDC_LEVEL_SPIN);
    m_spinLevel.hide();
    m_bmpBackCn = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_CN);
    m_bmpBackEn = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_EN);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void CInputNoise::OnInitDialog()
{
    setWindowTitle(g_bChinese ? QStringLiteral("噪声门限设置") : QStringLiteral("Input noise threshold set"));
    m_spinLevel.SetBuddy(&m_editLevel);
    m_spinLevel.SetRange(THRESHOLD_MIN, THRESHOLD_MAX);
    // Steps - 120 dBu, "OFF" at step 20.
    m_editLevel.SetStep(1.0);
    m_editLevel.SetOffset(120.0);
    m_editLevel.SetValueType(CNumEditValue::TYPE_LEVEL_DB, QStringLiteral("dBu"));
    m_editLevel.LimitText(8);
    m_editLevel.setFont(g_fontArial14);
    m_btnGate.SetBitmaps(1215, 1215, 1216, 1216, 1216, 1215);
    bool on = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        on = g_SystemBytes[kThresholdByte] != 0;
    }
    m_btnGate.SetCheck(on);
}

int CInputNoise::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

void CInputNoise::OnThreshold(int v)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if (v == g_SystemBytes[kThresholdByte])
            return;
    }
    m_editLevel.SetValue(v);
    m_spinLevel.SetPos(v);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_SystemBytes[kThresholdByte] = v == THRESHOLD_MIN ? 0 : BYTE(v);
        g_SystemBytes[kThresholdCopyByte] = BYTE(v);
    }
    // Flagged once the lock is free: the change scan sends system item 5.
    if (m_pView != nullptr)
        m_pView->SetSendSysItem5(true);
}

LRESULT CInputNoise::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_COMMAND || HIWORD(wParam) != 0)
        return 0;
    switch (LOWORD(wParam)) {
    case IDC_GATE: CInputNoiseDlg::ToggleGate(m_btnGate, m_pView); break;
    case IDC_LEVEL_EDIT: OnThreshold(m_editLevel.GetValue()); break;
    case IDC_LEVEL_SPIN: OnThreshold(m_spinLevel.GetPos()); break;
    default: break;
    }
    return 0;
}

bool CInputNoise::eventFilter(QObject* watched, QEvent* event)
{
    // Neither Enter nor Escape closes the dialog: only its close box does.
    if (event->type() == QEvent::KeyPress && TakeFocusOnEnterOrEscape(this, static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CInputNoise::keyPressEvent(QKeyEvent* event)
{
    // QDialog's own Enter and Escape handling never runs.
    event->ignore();
}

void CInputNoise::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, g_bChinese ? m_bmpBackCn : m_bmpBackEn);
}
