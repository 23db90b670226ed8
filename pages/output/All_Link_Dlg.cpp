#include "pages/output/All_Link_Dlg.h"

#include "model/SharedTexts.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 369 in dialog units of Arial 9.
const CRect kAllLinkDialog(0, 0, 183, 78);
const CRect kAllLinkPrompt(10, 6, 176, 26);
const CRect kAllLinkLeftToRight(16, 30, 170, 40);
const CRect kAllLinkRightToLeft(16, 43, 170, 53);
const CRect kAllLinkOk(36, 58, 86, 72);
const CRect kAllLinkCancel(98, 58, 148, 72);
}  // namespace

CAll_Link_Dlg::CAll_Link_Dlg(QWidget* parent)
    : QDialog(parent), m_btnOK(QStringLiteral("OK")), m_btnCancel(QStringLiteral("Cancel")),
      m_radioLeftToRight(QStringLiteral("Copy from left to right")),
      m_radioRightToLeft(QStringLiteral("Copy from right to left "))
{
    setWindowTitle(QStringLiteral("L/R Link"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    setFont(font);
    setFixedSize(MapDialogRect(kAllLinkDialog, font).Size());
    PlaceDialogControl(&m_stcPrompt, this, kAllLinkPrompt, font, IDC_PROMPT);
    PlaceDialogControl(&m_radioLeftToRight, this, kAllLinkLeftToRight, font, IDC_LEFT_TO_RIGHT);
    PlaceDialogControl(&m_radioRightToLeft, this, kAllLinkRightToLeft, font, IDC_RIGHT_TO_LEFT);
    PlaceDialogControl(&m_btnOK, this, kAllLinkOk, font, IDOK);
    PlaceDialogControl(&m_btnCancel, this, kAllLinkCancel, font, IDCANCEL);
    m_stcPrompt.SetText(QStringLiteral("Need to synchronize the data transfer, \nplease select sync mode"));
    m_btnOK.setDefault(true);
    m_group.addButton(&m_radioLeftToRight, 0);
    m_group.addButton(&m_radioRightToLeft, 1);
    connect(&m_radioLeftToRight, &QAbstractButton::clicked, this, [this] { OnDirectionRadio(); });
    connect(&m_radioRightToLeft, &QAbstractButton::clicked, this, [this] { OnDirectionRadio(); });
    connect(&m_btnOK, &QPushButton::clicked, this, &CAll_Link_Dlg::accept);
    connect(&m_btnCancel, &QPushButton::clicked, this, &CAll_Link_Dlg::reject);
}

void CAll_Link_Dlg::DoDataExchange(bool save)
{
    if (save) {
        m_nDirection = m_group.checkedId();
        return;
    }
    QAbstractButton* radio = m_group.button(m_nDirection);
    if (radio != nullptr)
        radio->setChecked(true);
}

void CAll_Link_Dlg::OnDirectionRadio()
{
    DoDataExchange(true);
}

bool CAll_Link_Dlg::OnInitDialog()
{
    DoDataExchange(false);
    if (g_bChinese) {
        m_stcPrompt.SetText(QStringLiteral("联调前需要同步左右通道的数据,\n请选择同步方式"));
        m_radioLeftToRight.setText(QStringLiteral("从左复制到右"));
        m_radioRightToLeft.setText(QStringLiteral("从右复制到左"));
        m_btnOK.setText(QStringLiteral("确定"));
        m_btnCancel.setText(QStringLiteral("取消"));
        setWindowTitle(g_strPromptCaptionCn);
    } else {
        setWindowTitle(g_strPromptCaptionEn);
    }
    return true;
}

int CAll_Link_Dlg::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

void CAll_Link_Dlg::accept()
{
    DoDataExchange(true);
    done(IDOK);
}

void CAll_Link_Dlg::reject()
{
    done(IDCANCEL);
}
