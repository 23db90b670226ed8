#include "app/ReMap_Dlg.h"

#include <QLabel>
#include <QPushButton>

#include "model/SharedTexts.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"

namespace {
// Template 711 in dialog units of Arial 9 (left, top, right, bottom).
const CRect kReMapDialog(0, 0, 200, 70);
const CRect kReMapQuestion(6, 12, 194, 36);
const CRect kReMapOk(12, 46, 62, 60);
const CRect kReMapDefault(75, 46, 125, 60);
const CRect kReMapCancel(138, 46, 188, 60);
}  // namespace

CReMap_Dlg::CReMap_Dlg(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    setFont(font);
    setFixedSize(MapDialogRect(kReMapDialog, font).Size());

    m_stQuestion = PlaceDialogControl(new QLabel, this, kReMapQuestion, font, IDC_QUESTION);
    m_stQuestion->setAlignment(Qt::AlignCenter);
    m_stQuestion->setWordWrap(true);
    m_btnOK = PlaceDialogControl(new QPushButton, this, kReMapOk, font, IDOK);
    m_btnOK->setDefault(true);
    m_btnDefault = PlaceDialogControl(new QPushButton, this, kReMapDefault, font, IDC_DEFAULT);
    m_btnDefault->setAutoDefault(false);
    m_btnCancel = PlaceDialogControl(new QPushButton, this, kReMapCancel, font, IDCANCEL);
    m_btnCancel->setAutoDefault(false);

    connect(m_btnOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_btnDefault, &QPushButton::clicked, this, [this] { OnDefault(); });
    connect(m_btnCancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

int CReMap_Dlg::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

void CReMap_Dlg::OnInitDialog()
{
    m_nResult = 1;
    const bool chinese = g_bChinese;
    setWindowTitle(chinese ? g_strPromptCaptionCn : g_strPromptCaptionEn);
    m_btnOK->setText(chinese ? QStringLiteral("清空") : QStringLiteral("Emptied"));
    m_btnDefault->setText(chinese ? QStringLiteral("默认") : QStringLiteral("Default"));
    m_btnCancel->setText(chinese ? QStringLiteral("取消") : QStringLiteral("Cancel"));
    m_stQuestion->setText(chinese ? QStringLiteral("输出配置清空或恢复默认")
                                  : QStringLiteral("The output map emptied or restore default"));
}

void CReMap_Dlg::OnOK()
{
    m_nResult = 1;
    done(IDOK);
}

void CReMap_Dlg::OnDefault()
{
    m_nResult = 2;
    done(IDOK);
}

void CReMap_Dlg::OnCancel()
{
    m_nResult = 0;
    done(IDCANCEL);
}

void CReMap_Dlg::reject()
{
    OnCancel();
}

QPushButton* CReMap_Dlg::Button(int id) const
{
    switch (id) {
    case IDOK: return m_btnOK;
    case IDC_DEFAULT: return m_btnDefault;
    case IDCANCEL: return m_btnCancel;
    default: return nullptr;
    }
}
