#include "app/SaveDlg.h"

#include <QLabel>
#include <QPushButton>

#include "controls/ChEnEdit.h"
#include "model/DataDefine.h"
#include "model/ParameterSetLock.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"

namespace {
// Template 666 in dialog units of Arial 9 (left, top, right, bottom).
const CRect kSaveDialog(0, 0, 180, 62);
const CRect kSaveLabel(8, 13, 44, 25);
const CRect kSaveName(46, 11, 172, 25);
const CRect kSaveOk(34, 38, 84, 52);
const CRect kSaveCancel(96, 38, 146, 52);
}  // namespace

CSaveDlg::CSaveDlg(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    setFont(font);
    setFixedSize(MapDialogRect(kSaveDialog, font).Size());

    m_stLabel = PlaceDialogControl(new QLabel, this, kSaveLabel, font, IDC_LABEL);
    m_stLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_editName = PlaceDialogControl(new CChEnEdit, this, kSaveName, font, IDC_NAME);
    m_btnOK = PlaceDialogControl(new QPushButton, this, kSaveOk, font, IDOK);
    m_btnOK->setDefault(true);
    m_btnCancel = PlaceDialogControl(new QPushButton, this, kSaveCancel, font, IDCANCEL);
    m_btnCancel->setAutoDefault(false);

    connect(m_btnOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_btnCancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

int CSaveDlg::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

void CSaveDlg::OnInitDialog()
{
    m_editName->LimitText(NAME_LIMIT);
    m_editName->SetAllowDoubleByte(false);
    QString name;
    if (m_nSlot >= 1 && m_nSlot <= MACHINE_PRESET_COUNT) {
        ParameterSetGuard guard(g_ParameterSetLock);
        name = FixedFieldToString(reinterpret_cast<const char*>(g_MachinePresets[m_nSlot - 1].bytes),
                                  PRESET_NAME_SIZE);
    }
    m_editName->setText(name);
    m_editName->selectAll();
    m_editName->setFocus(Qt::OtherFocusReason);

    const bool chinese = g_bChinese;
    const QString slot = QString::number(m_nSlot);
    m_stLabel->setText((chinese ? QStringLiteral("序号:") : QStringLiteral("No.")) + slot);
    m_btnOK->setText(chinese ? QStringLiteral("确定") : QStringLiteral("OK"));
    m_btnCancel->setText(chinese ? QStringLiteral("取消") : QStringLiteral("Cancel"));
    setWindowTitle(chinese ? QStringLiteral("请输入场景名") : QStringLiteral("Please enter the preset name"));
}

void CSaveDlg::OnOK()
{
    m_strName = m_editName->text();
    done(IDOK);
}

void CSaveDlg::OnCancel()
{
    done(IDCANCEL);
}

void CSaveDlg::accept()
{
    OnOK();
}

void CSaveDlg::reject()
{
    OnCancel();
}

QPushButton* CSaveDlg::Button(int id) const
{
    return id == IDOK ? m_btnOK : id == IDCANCEL ? m_btnCancel : nullptr;
}
