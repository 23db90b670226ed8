#include "pages/output/ChangeGroupNum.h"

#include <QKeyEvent>

#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 964 in dialog units of Arial 9.
const CRect kGroupDialog(0, 0, 160, 91);
const CRect kGroupPrompt(10, 8, 152, 30);
const CRect kGroupButtons[4] = {{10, 48, 40, 66}, {46, 48, 76, 66}, {82, 48, 112, 66}, {118, 48, 148, 66}};
}  // namespace

CChangeGroupNum::CChangeGroupNum(QWidget* parent)
    : QDialog(parent), m_btnGroup4(QStringLiteral("4")), m_btnGroup3(QStringLiteral("3")),
      m_btnGroup2(QStringLiteral("2")), m_btnGroup1(QStringLiteral("1"))
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    setFont(font);
    setFixedSize(MapDialogRect(kGroupDialog, font).Size());
    PlaceDialogControl(&m_stcPrompt, this, kGroupPrompt, font, IDC_PROMPT);
    QPushButton* buttons[] = {&m_btnGroup1, &m_btnGroup2, &m_btnGroup3, &m_btnGroup4};
    const int ids[] = {IDC_GROUP1, IDC_GROUP2, IDC_GROUP3, IDOK};
    for (int k = 0; k < 4; ++k) {
        PlaceDialogControl(buttons[k], this, kGroupButtons[k], font, ids[k]);
        buttons[k]->setAutoDefault(false);
    }
    m_btnGroup4.setDefault(true);
    m_stcPrompt.setWordWrap(true);
    for (int k = 0; k < 3; ++k)
        connect(buttons[k], &QPushButton::clicked, this, [this, k] { OnGroupButton(k + 1); });
    connect(&m_btnGroup4, &QPushButton::clicked, this, [this] { OnOK(); });
}

bool CChangeGroupNum::OnInitDialog()
{
    m_nGroup = 0;
    setWindowTitle(g_bChinese ? QStringLiteral("加入联调组") : QStringLiteral("Join Group"));
    QPushButton* buttons[] = {&m_btnGroup1, &m_btnGroup2, &m_btnGroup3, &m_btnGroup4};
    for (int k = 0; k < 4; ++k)
        buttons[k]->setEnabled(m_bGroupEnabled[k] != 0);
    m_stcPrompt.SetText(g_bChinese ? QStringLiteral("请选择要加入的联调组:")
                                   : QStringLiteral("Please select the group you want to join:"));
    return true;
}

void CChangeGroupNum::OnGroupButton(int group)
{
    m_nGroup = group;
    done(IDOK);
}

void CChangeGroupNum::OnOK()
{
    // Enter reaches here as well; a disabled "4" is no choice to make.
    if (!m_btnGroup4.isEnabled())
        return;
    m_nGroup = 4;
    done(IDOK);
}

void CChangeGroupNum::reject()
{
    m_nGroup = 0;
    done(IDCANCEL);
}

int CChangeGroupNum::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

void CChangeGroupNum::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnOK();
        return;
    }
    QDialog::keyPressEvent(event);
}
