#include "pages/input/InputNoiseDlg.h"

#include <QPushButton>

#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"

namespace {
// In dialog units of Arial 8 (left, top, right, bottom).
const CRect kNoiseDialog(0, 0, 160, 60);
const CRect kNoiseOk(55, 38, 105, 52);
}  // namespace

CInputNoiseDlg::CInputNoiseDlg(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 8);
    setFont(font);
    setFixedSize(MapDialogRect(kNoiseDialog, font).Size());
    m_btnOk = PlaceDialogControl(new QPushButton(QStringLiteral("OK")), this, kNoiseOk, font, IDOK);
    m_btnOk->setDefault(true);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

void CInputNoiseDlg::OnInitDialog()
{
    setWindowTitle(g_bChinese ? QStringLiteral("高级设置") : QStringLiteral("Advanced settings"));
}

int CInputNoiseDlg::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}
