#include "app/SaveData_Dlg.h"

#include <QLabel>
#include <QPushButton>

#include "model/SharedTexts.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"

namespace {
// Template 719 in dialog units of Arial 9 (left, top, right, bottom).
const CRect kSaveDataDialog(0, 0, 200, 70);
const CRect kSaveDataQuestion(6, 12, 194, 36);
const CRect kSaveDataYes(12, 46, 62, 60);
const CRect kSaveDataNo(75, 46, 125, 60);
const CRect kSaveDataCancel(138, 46, 188, 60);
}  // namespace

CSaveData_Dlg::CSaveData_Dlg(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    setFont(font);
    setFixedSize(MapDialogRect(kSaveDataDialog, font).Size());

    m_stQuestion = PlaceDialogControl(new QLabel, this, kSaveDataQuestion, font, IDC_QUESTION);
    m_stQuestion->setAlignment(Qt::AlignCenter);
    m_stQuestion->setWordWrap(true);
    m_btnYes = PlaceDialogControl(new QPushButton, this, kSaveDataYes, font, IDOK);
    m_btnYes->setDefault(true);
    m_btnNo = PlaceDialogControl(new QPushButton, this, kSaveDataNo, font, IDC_NO);
    m_btnNo->setAutoDefault(false);
    m_btnCancel = PlaceDialogControl(new QPushButton, this, kSaveDataCancel, font, IDCANCEL);
    m_btnCancel->setAutoDefault(false);

    connect(m_btnYes, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_btnNo, &QPushButton::clicked, this, [this] { OnNo(); });
    connect(m_btnCancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

int CSaveData_Dlg::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

void CSaveData_Dlg::OnInitDialog()
{
    m_nResult = 1;
    const bool chinese = g_bChinese;
    setWindowTitle(chinese ? g_strPromptCaptionCn : g_strPromptCaptionEn);
    m_btnYes->setText(chinese ? QStringLiteral("是") : QStringLiteral("YES"));
    m_btnNo->setText(chinese ? QStringLiteral("否") : QStringLiteral("NO"));
    m_btnCancel->setText(chinese ? QStringLiteral("取消") : QStringLiteral("Cancel"));
    m_stQuestion->setText(chinese ? QStringLiteral("是否保存当前场景文件?")
                                  : QStringLiteral("Whether to save the current Presets file?"));
}

void CSaveData_Dlg::OnOK()
{
    m_nResult = IDYES;
    done(IDOK);
}

void CSaveData_Dlg::OnNo()
{
    m_nResult = IDNO;
    done(IDCANCEL);
}

void CSaveData_Dlg::OnCancel()
{
    m_nResult = IDCANCEL;
    done(IDCANCEL);
}

void CSaveData_Dlg::reject()
{
    OnCancel();
}

QPushButton* CSaveData_Dlg::Button(int id) const
{
    switch (id) {
    case IDOK: return m_btnYes;
    case IDC_NO: return m_btnNo;
    case IDCANCEL: return m_btnCancel;
    default: return nullptr;
    }
}
