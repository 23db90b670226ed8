#include "app/WarnDlg.h"

#include <QPushButton>

#include "controls/TransparentStatic.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The template in dialog units of Arial 8 (left, top, right, bottom).
const CRect kWarnDialog(0, 0, 163, 63);
const CRect kWarnOk(57, 41, 107, 55);
const CRect kWarnText(4, 1, 160, 38);
}  // namespace

CWarnDlg::CWarnDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Brelin Software"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 8);
    setFont(font);
    setFixedSize(MapDialogRect(kWarnDialog, font).Size());

    m_btnOk = new QPushButton(QStringLiteral("OK"), this);
    m_btnOk->setGeometry(MapDialogRect(kWarnOk, font).ToQRect());
    m_btnOk->setDefault(true);
    SetDlgCtrlID(m_btnOk, IDOK);
    m_stText = new CTransparentStatic(this);
    m_stText->setGeometry(MapDialogRect(kWarnText, font).ToQRect());
    SetWindowStyle(m_stText, GetWindowStyle(m_stText) | SS_CENTER | SS_CENTERIMAGE);
    SetDlgCtrlID(m_stText, IDC_TEXT);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

void CWarnDlg::OnInitDialog()
{
    m_stText->SetText(m_strText);
    m_btnOk->setText(g_bChinese ? QStringLiteral("退出") : QStringLiteral("Quit"));
}
