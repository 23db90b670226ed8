#include "app/INITDlg.h"

#include <QLabel>
#include <QPushButton>

#include "app/GlobalObjects.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"

namespace {
// The template in dialog units of Arial 8 (left, top, right, bottom).
const CRect kInitDialog(0, 0, 230, 86);
const CRect kInitTitle(10, 8, 220, 24);
const CRect kInitMessage(10, 30, 220, 50);
const CRect kInitOk(52, 62, 102, 76);
const CRect kInitCancel(128, 62, 178, 76);
}  // namespace

CINITDlg::CINITDlg(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 8);
    setFont(font);
    setFixedSize(MapDialogRect(kInitDialog, font).Size());

    m_stTitle = PlaceDialogControl(new QLabel, this, kInitTitle, font, IDC_TITLE);
    m_stMessage = PlaceDialogControl(new QLabel, this, kInitMessage, font, IDC_MESSAGE);
    m_btnOk = PlaceDialogControl(new QPushButton, this, kInitOk, font, IDOK);
    m_btnOk->setDefault(true);
    m_btnCancel = PlaceDialogControl(new QPushButton, this, kInitCancel, font, IDCANCEL);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CINITDlg::OnInitDialog()
{
    // The dialog's font reaches the message and the buttons; the title has
    // its own, drawn red on the dialog's background.
    setFont(g_fontArial16Bold);
    for (QWidget* control : {static_cast<QWidget*>(m_stMessage), static_cast<QWidget*>(m_btnOk),
                             static_cast<QWidget*>(m_btnCancel)})
        control->setFont(g_fontArial16Bold);
    m_stTitle->setFont(g_fontArial14);
    QPalette red = m_stTitle->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_stTitle->setPalette(red);
    m_stTitle->setAutoFillBackground(false);

    const bool chinese = g_bChinese;
    m_stTitle->setText(chinese ? QStringLiteral("警告!") : QStringLiteral("Warning! "));
    m_stMessage->setText(chinese ? QStringLiteral("   该操作将引起设备重启并恢复到出厂时的状态")
                                 : QStringLiteral("   This operation will restore factory Settings"));
    m_btnOk->setText(chinese ? QStringLiteral("确定") : QStringLiteral("OK"));
    m_btnCancel->setText(chinese ? QStringLiteral("取消") : QStringLiteral("Quit"));
    setWindowTitle(chinese ? QStringLiteral("恢复出厂设置") : QStringLiteral("Restore factory settings"));
}
