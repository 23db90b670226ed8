#include "app/ConnectDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QPushButton>

#include "app/GlobalObjects.h"
#include "controls/ButtonRadio.h"
#include "link/SerialPortList.h"
#include "model/LinkState.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The layout in dialog units (left, top, right, bottom).
const CRect kConnectDialog(0, 0, 199, 88);
const CRect kUsb(14, 6, 190, 18);
const CRect kWifi(14, 20, 190, 32);
const CRect kCom(14, 34, 190, 46);
// The port list under the COM radio, whose text it would otherwise cut.
const CRect kPort(26, 48, 110, 60);
const CRect kLink(74, 66, 124, 80);
// The radio choice of each link kind (none, USB, network, serial).
const int kChoiceOfKind[LINK_KIND_COUNT] = {-1, 0, 1, 2};

CButtonRadio* MakeRadio(QWidget* parent, const CRect& place, const QFont& font, int id, const QString& text)
{
    auto* radio = new CButtonRadio(text, parent);
    radio->setGeometry(MapDialogRect(place, font).ToQRect());
    SetDlgCtrlID(radio, id);
    return radio;
}
}  // namespace

CConnectDlg::CConnectDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Link"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 10);
    setFont(font);
    setFixedSize(MapDialogRect(kConnectDialog, font).Size());
    // The dialog's own background is the application's.
    UseBackgroundBrush(this);

    m_rdUsb = MakeRadio(this, kUsb, font, IDC_USB, QStringLiteral("Use the USB connect to the device"));
    m_rdWifi = MakeRadio(this, kWifi, font, IDC_WIFI, QStringLiteral("Use the WIFI connect to the device"));
    m_rdCom = MakeRadio(this, kCom, font, IDC_COM, QStringLiteral("Use the COM connect to the device"));
    m_group = new QButtonGroup(this);
    m_group->addButton(m_rdUsb, 0);
    m_group->addButton(m_rdWifi, 1);
    m_group->addButton(m_rdCom, 2);
    m_cbPort = new QComboBox(this);
    m_cbPort->setGeometry(MapDialogRect(kPort, font).ToQRect());
    SetDlgCtrlID(m_cbPort, IDC_PORT);
    m_btnLink = new QPushButton(QStringLiteral("Link"), this);
    m_btnLink->setGeometry(MapDialogRect(kLink, font).ToQRect());
    m_btnLink->setDefault(true);
    SetDlgCtrlID(m_btnLink, IDOK);

    connect(m_rdUsb, &QAbstractButton::clicked, this, [this] { OnUsbRadio(); });
    connect(m_rdWifi, &QAbstractButton::clicked, this, [this] { OnWifiRadio(); });
    connect(m_rdCom, &QAbstractButton::clicked, this, [this] { OnComRadio(); });
    connect(m_cbPort, QOverload<int>::of(&QComboBox::activated), this, [this] { OnSelchangePort(); });
    connect(m_btnLink, &QPushButton::clicked, this, [this] { OnOK(); });
}

CButtonRadio* CConnectDlg::Radio(int id) const
{
    return id == IDC_USB ? m_rdUsb : id == IDC_WIFI ? m_rdWifi : id == IDC_COM ? m_rdCom : nullptr;
}

int CConnectDlg::DoModal()
{
    OnInitDialog();
    return exec();
}

void CConnectDlg::OnInitDialog()
{
    for (CButtonRadio* radio : {m_rdUsb, m_rdWifi, m_rdCom})
        radio->SetTextColor(RGB(0, 0, 0));
    if (g_bChinese) {
        m_rdUsb->setText(QStringLiteral("使用USB连接到设备"));
        m_rdWifi->setText(QStringLiteral("使用WIFI无线连接到设备"));
        m_rdCom->setText(QStringLiteral("使用COM连接到设备"));
        m_btnLink->setText(QStringLiteral("联机"));
        setWindowTitle(QStringLiteral("联机"));
    }
    const int kind = g_nLinkType;
    m_nLink = (kind >= 0 && kind < LINK_KIND_COUNT) ? kChoiceOfKind[kind] : -1;
    // The ports matter for a serial link, or while none is chosen.
    m_cbPort->setEnabled(kind != LINK_USB && kind != LINK_NETWORK);
    FillPortList();
    UpdateData(false);
}

void CConnectDlg::FillPortList()
{
    const SerialPortChoice choice = ListSerialPortChoice(m_strPort);
    m_cbPort->clear();
    m_cbPort->addItems(choice.names);
    m_cbPort->setCurrentIndex(choice.selected);
}

void CConnectDlg::UpdateData(bool save)
{
    if (save) {
        m_nLink = m_group->checkedId();
        return;
    }
    QAbstractButton* chosen = m_group->button(m_nLink);
    if (chosen != nullptr) {
        chosen->setChecked(true);
        return;
    }
    // No choice: an exclusive group cannot uncheck its last button.
    m_group->setExclusive(false);
    for (QAbstractButton* radio : m_group->buttons())
        radio->setChecked(false);
    m_group->setExclusive(true);
}

void CConnectDlg::OnUsbRadio()
{
    UpdateData(true);
    m_cbPort->setEnabled(false);
}

void CConnectDlg::OnWifiRadio()
{
    UpdateData(true);
    m_cbPort->setEnabled(false);
}

void CConnectDlg::OnComRadio()
{
    UpdateData(true);
    m_cbPort->setEnabled(true);
}

void CConnectDlg::OnSelchangePort()
{
    m_strPort = m_cbPort->currentText();
}

void CConnectDlg::OnOK()
{
    UpdateData(true);
    const int kind = m_nLink + 1;  // no radio: no link kind
    g_bSameLinkKind = kind == g_nLinkType;
    g_nLinkType = kind;
    accept();
}
