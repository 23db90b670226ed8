#include "app/UnEncryption.h"

#include <QLineEdit>
#include <QPushButton>

#include "controls/TransparentStatic.h"
#include "model/DataLockState.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/TextCodec.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/LineInputFilter.h"
#include "platform/gui/ModalDialog.h"

bool g_bLockButtonPressed = false;

namespace {
// The template in dialog units of Arial 8 (left, top, right, bottom).
const CRect kUnlockDialog(0, 0, 170, 72);
const CRect kUnlockPrompt(10, 8, 160, 20);
const CRect kUnlockEdit(10, 24, 160, 37);
const CRect kUnlockOk(20, 50, 75, 64);
const CRect kUnlockReset(95, 50, 150, 64);
}  // namespace

CUnEncryption::CUnEncryption(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 8);
    setFont(font);
    setFixedSize(MapDialogRect(kUnlockDialog, font).Size());
    m_stPrompt = PlaceDialogControl(new CTransparentStatic, this, kUnlockPrompt, font, IDC_PROMPT);
    m_editPassword = PlaceDialogControl(new QLineEdit, this, kUnlockEdit, font, IDC_PASSWORD);
    m_editPassword->setEchoMode(QLineEdit::Password);
    // The user types at most six bytes; text the program sets is not cut.
    InstallLineInputFilter(m_editPassword, [](const QLineEdit& edit, const QString& text, EInputSource) {
        return FitByteLimit(edit, SplitCharacters(text), PASSWORD_BYTES);
    });
    m_btnOk = PlaceDialogControl(new QPushButton, this, kUnlockOk, font, IDOK);
    m_btnOk->setDefault(true);
    m_btnReset = PlaceDialogControl(new QPushButton, this, kUnlockReset, font, IDC_RESET);
    m_btnReset->setAutoDefault(false);
    connect(m_btnOk, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_btnReset, &QPushButton::clicked, this, [this] { OnResetButton(); });
    // Enter in the field is OK.
    connect(m_editPassword, &QLineEdit::returnPressed, this, [this] { OnOK(); });
}

void CUnEncryption::OnInitDialog()
{
    const bool chinese = g_bChinese;
    const bool unlock = m_nMode == MODE_UNLOCK;
    setWindowTitle(chinese ? QStringLiteral("提示") : QStringLiteral("Prompted"));
    m_btnOk->setText(chinese ? QStringLiteral("确定") : unlock ? QStringLiteral("Unlock") : QStringLiteral("OK"));
    m_btnReset->setText(unlock ? (chinese ? QStringLiteral("清除数据") : QStringLiteral("reset"))
                               : (chinese ? QStringLiteral("取消") : QStringLiteral("Cancel")));
    m_stPrompt->SetText(chinese ? QStringLiteral("请输入6位数密码:") : QStringLiteral("Enter password(6-digit):"));
    m_editPassword->clear();
    m_strPassword.clear();
    m_bNotEmpty = false;
    m_bReset = false;
}

int CUnEncryption::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

bool CUnEncryption::IsStorablePassword(const QString& text)
{
    const QByteArray bytes = ToDeviceBytes(text);
    // A character the device's text cannot hold would come back as '?'.
    return bytes.size() == PASSWORD_BYTES && FromDeviceBytes(bytes) == text;
}

void CUnEncryption::OnOK()
{
    m_strPassword = m_editPassword->text();
    if (IsStorablePassword(m_strPassword)) {
        m_bNotEmpty = true;
        accept();
        return;
    }
    AppMessageBox(g_bChinese ? QStringLiteral("输入密码格式不正确,请输入6位数密码!")
                             : QStringLiteral("The password length is incorrect, Please enter a 6-digit password!"),
                  MB_OK, BOX_HELP_ID);
    m_editPassword->clear();
    m_editPassword->setFocus();
}

void CUnEncryption::OnResetButton()
{
    if (g_bDataLocked && g_bLockButtonPressed)
        m_bReset = true;
    reject();
}
