#include "app/MessageBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "model/SharedTexts.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The application's name in the string table.
constexpr UINT AFX_IDS_APP_TITLE = 57344;

// Dialog 115, in dialog units of Arial 9 point.
constexpr CRect kDialog(0, 0, 183, 78);
constexpr CRect kOk(37, 56, 37 + 50, 56 + 14);
constexpr CRect kCancel(101, 56, 101 + 50, 56 + 14);
constexpr CRect kText(-1, 25, -1 + 184, 25 + 27);
}  // namespace

CMessageBox::CMessageBox(const QString& text, UINT type, const QString& caption, int helpId)
    : QDialog(nullptr), m_strText(text), m_nType(type), m_nTimeout(helpId), m_strCaption(caption),
      m_timers(this, [this](UINT id) { OnTimer(id); })
{
    CreateControls();
}

CMessageBox::CMessageBox(QWidget* parent) : QDialog(parent), m_timers(this, [this](UINT id) { OnTimer(id); })
{
    CreateControls();
}

void CMessageBox::SetMessage(const QString& text, UINT type, const QString&, int helpId)
{
    m_strText = text;
    m_nType = type;
    m_nTimeout = helpId;
    m_strCaption = g_strMainTitle;
}

void CMessageBox::CreateControls()
{
    setWindowTitle(QStringLiteral("AfxMessageBox"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, GetSysColor(COLOR_BTNFACE));
    palette.setColor(QPalette::WindowText, GetSysColor(COLOR_BTNTEXT));
    palette.setColor(QPalette::Button, GetSysColor(COLOR_BTNFACE));
    palette.setColor(QPalette::ButtonText, GetSysColor(COLOR_BTNTEXT));
    setPalette(palette);
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    setFont(font);
    setFixedSize(MapDialogRect(kDialog, font).Size());

    m_btnOK = new QPushButton(QStringLiteral("OK"), this);
    m_btnOK->setGeometry(MapDialogRect(kOk, font).ToQRect());
    m_btnOK->setDefault(true);
    SetDlgCtrlID(m_btnOK, IDOK);
    m_btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_btnCancel->setGeometry(MapDialogRect(kCancel, font).ToQRect());
    SetDlgCtrlID(m_btnCancel, IDCANCEL);
    m_stText = new QLabel(this);
    m_stText->setGeometry(MapDialogRect(kText, font).ToQRect());
    m_stText->setWordWrap(true);
    SetDlgCtrlID(m_stText, IDC_TEXT);

    connect(m_btnOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_btnCancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

QPushButton* CMessageBox::Button(int id) const
{
    return id == IDOK ? m_btnOK : id == IDCANCEL ? m_btnCancel : nullptr;
}

int CMessageBox::DoModal()
{
    m_nResult = IDCANCEL;
    m_bEnded = false;
    OnInitDialog();
    return RunModalDialog(*this);
}

void CMessageBox::OnInitDialog()
{
    m_stText->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_stText->setText(m_strText);
    setWindowTitle(m_strCaption);

    const bool chinese = g_bChinese;
    if (m_nTimeout > 0) {
        if (m_nTimeout == 2000)
            setWindowTitle(chinese ? g_strPromptCaptionCn : g_strPromptCaptionEn);
        else if (m_nTimeout == 2001)
            setWindowTitle(chinese ? g_strWarningCaptionCn : g_strWarningCaptionEn);
        m_timers.SetTimer(TIMER_CLOSE, m_nTimeout);
    }
    switch (m_nTimeout) {
    case -2: setWindowTitle(g_strPromptCaptionCn); break;
    case -3: setWindowTitle(g_strPromptCaptionEn); break;
    case -4: setWindowTitle(g_strWarningCaptionCn); break;
    case -5: setWindowTitle(g_strWarningCaptionEn); break;
    default: break;
    }

    m_btnOK->show();
    m_btnCancel->show();
    if (!HasIcon()) {
        switch (ButtonSet()) {
        case MB_OK:
            m_btnOK->setText(chinese ? QStringLiteral("确定") : QStringLiteral("OK"));
            m_btnCancel->hide();
            CentreButton(m_btnOK);
            break;
        case MB_OKCANCEL:
            m_btnOK->setText(chinese ? QStringLiteral("确定") : QStringLiteral("OK"));
            m_btnCancel->setText(chinese ? QStringLiteral("取消") : QStringLiteral("Cancel"));
            break;
        case MB_YESNO:
            m_btnOK->setText(chinese ? QStringLiteral("是") : QStringLiteral("YES"));
            m_btnCancel->setText(chinese ? QStringLiteral("否") : QStringLiteral("NO"));
            break;
        case 6:
            m_btnCancel->setText(chinese ? QStringLiteral("退出") : QStringLiteral("Quit"));
            m_btnOK->hide();
            CentreButton(m_btnCancel);
            break;
        default:
            break;
        }
    }
    // The first button shown takes the focus.
    (m_btnOK->isHidden() ? m_btnCancel : m_btnOK)->setFocus();
}

void CMessageBox::CentreButton(QPushButton* button)
{
    button->move((width() - button->width()) / 2, button->y());
}

int CMessageBox::CancelResult() const
{
    if (HasIcon())
        return IDCANCEL;
    switch (ButtonSet()) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    default: return IDCANCEL;
    }
}

void CMessageBox::OnOK()
{
    if (HasIcon()) {
        m_nResult = IDOK;
    } else {
        switch (ButtonSet()) {
        case MB_YESNO: m_nResult = IDYES; break;
        case 6: m_nResult = IDCANCEL; break;  // its only button is Quit
        default: m_nResult = IDOK; break;
        }
    }
    m_bEnded = true;
    QDialog::accept();
}

void CMessageBox::OnCancel()
{
    m_nResult = CancelResult();
    m_bEnded = true;
    QDialog::reject();
}

void CMessageBox::reject()
{
    // Escape and the close box.
    OnCancel();
}

void CMessageBox::OnTimer(UINT id)
{
    if (id != TIMER_CLOSE || m_bEnded)
        return;
    m_timers.KillTimer(TIMER_CLOSE);
    // An unanswered box answers as Cancel would (a Yes/No question: No).
    m_nResult = CancelResult();
    m_bEnded = true;
    QDialog::accept();
}

void CMessageBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter presses the focused button, else it is OK.
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        if (focused != nullptr && focused->isVisible() && focused->isEnabled())
            focused->click();
        else
            OnOK();
        return;
    }
    QDialog::keyPressEvent(event);
}

int CMessageBox::RunForCall(const QString& text, UINT type, int helpId)
{
    QString name = CResourceStore::Text(AFX_IDS_APP_TITLE);
    if (name.isEmpty())
        name = g_strMainTitle;
    CMessageBox box(text, type, name, helpId);
    box.DoModal();
    return box.m_nResult;
}

void CMessageBox::InstallAsMessageBoxHandler()
{
    SetMessageBoxHandler([](const QString& text, unsigned type, int helpId) { return RunForCall(text, type, helpId); });
}

int ShowAppMessageBox(QWidget*, const QString& text, const QString&, UINT type, int, int helpId)
{
    return AppMessageBox(text, type, helpId);
}
