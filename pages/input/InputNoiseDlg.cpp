#include "pages/input/InputNoiseDlg.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include "model/DataDefine.h"
#include "model/ParameterSetLock.h"
#include "pages/MainView.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogKeys.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 1217 in dialog units of Arial 7 (left, top, right, bottom).
const CRect kNoiseDialog(0, 0, 191, 57);
const CRect kNoiseOk(0, 33, 50, 47);
const CRect kNoiseGate(122, 21, 172, 35);
constexpr int kNoiseByte = 11;
constexpr int kNoiseCommand = 5;
}  // namespace

CInputNoiseDlg::CInputNoiseDlg(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 7);
    setFont(font);
    setFixedSize(MapDialogRect(kNoiseDialog, font).Size());
    m_btnOk = PlaceDialogControl(new QPushButton(QStringLiteral("OK")), this, kNoiseOk, font, IDOK);
    m_btnOk->hide();
    m_btnOk->setEnabled(false);
    m_btnOk->setAutoDefault(false);
    PlaceDialogControl(&m_btnGate, this, kNoiseGate, font, IDC_GATE);
    m_bmpBackCn = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_CN);
    m_bmpBackEn = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_EN);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void CInputNoiseDlg::OnInitDialog()
{
    setWindowTitle(g_bChinese ? QStringLiteral("高级设置") : QStringLiteral("Advanced settings"));
    m_btnGate.SetBitmaps(1215, 1215, 1216, 1216, 1216, 1215);
    bool on = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        on = g_SystemBytes[kNoiseByte] != 0;
    }
    m_btnGate.SetCheck(on);
}

int CInputNoiseDlg::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

void CInputNoiseDlg::ToggleGate(CBitButton& gate, IMainView* view)
{
    const bool on = !gate.GetCheck();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_SystemBytes[kNoiseByte] = on ? 1 : 0;
    }
    gate.SetCheck(on);
    // Queued after the lock is released: the queue takes its own locks.
    if (view != nullptr)
        view->QueueCommand(kNoiseCommand, 0);
}

LRESULT CInputNoiseDlg::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) == IDC_GATE)
        ToggleGate(m_btnGate, m_pView);
    return 0;
}

bool CInputNoiseDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Neither Enter nor Escape closes the dialog: only its close box does.
    if (event->type() == QEvent::KeyPress && TakeFocusOnEnterOrEscape(this, static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CInputNoiseDlg::keyPressEvent(QKeyEvent* event)
{
    // QDialog's own Enter and Escape handling never runs.
    event->ignore();
}

void CInputNoiseDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, g_bChinese ? m_bmpBackCn : m_bmpBackEn);
}
