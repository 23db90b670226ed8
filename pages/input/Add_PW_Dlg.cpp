#include "pages/input/Add_PW_Dlg.h"

#include <QKeyEvent>

#include "model/SharedTexts.h"
#include "model/WorkingStrings.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Template 938 in dialog units of the system font (left, top, right,
// bottom); the buttons take their bitmaps' sizes.
const CRect kPwDialog(0, 0, 187, 194);
const CRect kPwEdit(40, 84, 147, 98);
const CRect kPwOK(60, 120, 127, 140);
const CRect kPwMinimize(150, 6, 160, 17);
const CRect kPwClose(165, 6, 175, 17);

QFont PwTemplateFont()
{
    return CreateFontIndirect(SystemFontLogFont()).value_or(QFont());
}
}  // namespace

CAdd_PW_Dlg::CAdd_PW_Dlg(QWidget* parent)
    : QDialog(parent), m_btnClose(this), m_btnMinimize(this), m_editPassword(this), m_btnOK(this)
{
    setFont(PwTemplateFont());
    setFocusPolicy(Qt::ClickFocus);
}

bool CAdd_PW_Dlg::Create()
{
    const QFont font = PwTemplateFont();
    struct Placed {
        QWidget* control;
        int id;
        CRect place;
    };
    const Placed placed[] = {
        {&m_btnClose, IDC_CLOSE, kPwClose},
        {&m_btnMinimize, IDC_MINIMIZE, kPwMinimize},
        {&m_editPassword, IDC_PASSWORD, kPwEdit},
        {&m_btnOK, IDC_OK, kPwOK},
    };
    for (const Placed& p : placed) {
        p.control->setGeometry(MapDialogRect(p.place, font).ToQRect());
        SetDlgCtrlID(p.control, p.id);
    }
    SetWindowStyle(&m_editPassword, ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP);
    m_editPassword.setEchoMode(QLineEdit::Password);
    m_editPassword.setAlignment(Qt::AlignCenter);
    m_editPassword.installEventFilter(this);
    return OnInitDialog();
}

bool CAdd_PW_Dlg::OnInitDialog()
{
    // 1. The window takes the bitmap's size.
    m_bmpBack = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK);
    setFixedSize(!m_bmpBack.isNull() ? m_bmpBack.size() : MapDialogRect(kPwDialog, PwTemplateFont()).Size());
    // 2.
    m_bPasswordAccepted = 0;
    m_editPassword.LimitText(PASSWORD_LENGTH);
    m_editPassword.clear();
    // 3.
    if (g_bChinese)
        m_btnOK.SetBitmaps(940, 941, 941, 0, 0, 0);
    else
        m_btnOK.SetBitmaps(942, 943, 943, 0, 0, 0);
    m_btnMinimize.SetBitmaps(934, 935, 935, 0, 0, 0);
    m_btnClose.SetBitmaps(944, 944, 944, 0, 0, 0);
    for (CBitButton* button : {&m_btnOK, &m_btnMinimize, &m_btnClose})
        button->SetCheck(false);
    // 4. A top-level window with its own taskbar button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    // 5.
    setWindowTitle(g_strPanelTitle);
    m_editPassword.setFocus(Qt::OtherFocusReason);
    return true;
}

void CAdd_PW_Dlg::OnOK()
{
    // Whole and case-sensitive.
    if (m_editPassword.text() == g_strAdvPassword) {
        m_bPasswordAccepted = 1;
    } else {
        m_bPasswordAccepted = 0;
        AppMessageBox(g_bChinese ? QStringLiteral("密码错误!") : QStringLiteral("Password error!"), MB_OK, 0);
    }
    // The typed text is kept no longer than the comparison.
    m_editPassword.clear();
    done(IDOK);
}

LRESULT CAdd_PW_Dlg::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDC_OK:
            OnOK();
            break;
        case IDC_CLOSE:
            done(IDCANCEL);
            break;
        case IDC_MINIMIZE:
            SendMessage(this, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            break;
        default:
            break;
        }
    } else if (message == WM_SYSCOMMAND && wParam == SC_MINIMIZE) {
        showMinimized();
    }
    return 0;
}

bool CAdd_PW_Dlg::PreTranslateMessage(QKeyEvent* event, bool inPasswordField)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && inPasswordField) {
        OnOK();
        return true;
    }
    if (key == Qt::Key_Escape) {
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

bool CAdd_PW_Dlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_editPassword && event->type() == QEvent::KeyPress &&
        PreTranslateMessage(static_cast<QKeyEvent*>(event), true))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CAdd_PW_Dlg::keyPressEvent(QKeyEvent* event)
{
    if (PreTranslateMessage(event, false))
        return;
    // Enter elsewhere: the dialog's own handling, which has no default
    // button to press here.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void CAdd_PW_Dlg::reject()
{
    // Only the close button ends the prompt without a comparison.
    setFocus(Qt::OtherFocusReason);
}
