#include "app/UpgradeDlg.h"

#include <algorithm>

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "app/GlobalObjects.h"
#include "app/PopupMenus.h"
#include "app/UpdateStatusLine.h"
#include "controls/ButtonRadio.h"
#include "controls/GradientProgressCtrl.h"
#include "controls/SxGroupBox.h"
#include "controls/TransparentStatic.h"
#include "link/DeviceLink.h"
#include "link/FirmwareUpdate.h"
#include "link/LinkDisplays.h"
#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "link/SerialPortList.h"
#include "link/UpData_Thread.h"
#include "link/UsbLink.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "model/WorkingStrings.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/PopupMenu.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The template in dialog units of Arial 9 (left, top, right, bottom).
const CRect kUpgradeDialog(0, 0, 223, 158);
const CRect kUpgradePath(9, 7, 166, 19);
const CRect kUpgradeBrowse(169, 6, 214, 20);
const CRect kUpgradeStatus(17, 24, 202, 32);
const CRect kUpgradeBar(9, 35, 213, 45);
const CRect kUpgradeUpdate(37, 51, 87, 65);
const CRect kUpgradeQuit(132, 51, 182, 65);
const CRect kUpgradeFileGroup(12, 115, 199, 144);
// The serial link's controls, hidden in the part the window's size cuts off.
const CRect kUpgradeLinkGroup(12, 70, 199, 110);
const CRect kUpgradeToolLabel(18, 80, 90, 88);
const CRect kUpgradeUsbRadio(18, 92, 58, 102);
const CRect kUpgradeWifiRadio(62, 92, 102, 102);
const CRect kUpgradeComRadio(106, 92, 146, 102);
const CRect kUpgradePort(148, 90, 196, 150);
const CRect kUpgradeFileLabel(18, 126, 90, 134);

// This dialog's own message: the status line holds a new text.
constexpr UINT UPGRADE_STATUS_CHANGED = 0x7F10;
// The menu of the ways to connect.
constexpr int UPGRADE_LINK_MENU = 114;
// The Quit question's help id: the fixed warning caption.
constexpr int UPGRADE_QUIT_HELP_ID = -4;

bool IsEnterOrEscape(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}
}  // namespace

CUpgradeDlg::CUpgradeDlg(CDeviceLink& link, const CNet_Socket* net, std::function<bool(QWidget*)> selectFile,
                         QWidget* parent)
    : QDialog(parent), m_link(link), m_pNet(net), m_fnSelectFile(std::move(selectFile))
{
    setWindowTitle(QStringLiteral("软件升级"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    setFont(font);
    resize(MapDialogRect(kUpgradeDialog, font).Size());
    // The dialog's own background is the application's.
    UseBackgroundBrush(this);

    m_cbComPort = PlaceDialogControl(new QComboBox, this, kUpgradePort, font, IDC_PORT);
    m_btnQuit = PlaceDialogControl(new QPushButton(QStringLiteral("Cancel")), this, kUpgradeQuit, font, IDC_QUIT);
    m_grpFile = PlaceDialogControl(new CSxGroupBox, this, kUpgradeFileGroup, font, IDC_FILE_GROUP);
    m_grpFile->SetText(QStringLiteral("Hex File"), false);
    m_grpLink = PlaceDialogControl(new CSxGroupBox, this, kUpgradeLinkGroup, font, IDC_LINK_GROUP);
    m_grpLink->SetText(QStringLiteral("Communication interface"), false);
    m_stTool = PlaceDialogControl(new CTransparentStatic, this, kUpgradeToolLabel, font, IDC_TOOL_LABEL);
    m_stTool->setText(QStringLiteral("Update Tool"));
    m_stStatus = PlaceDialogControl(new CTransparentStatic, this, kUpgradeStatus, font, IDC_STATUS);
    SetWindowStyle(m_stStatus, GetWindowStyle(m_stStatus) | SS_CENTER);
    m_progress = PlaceDialogControl(new CGradientProgressCtrl, this, kUpgradeBar, font, IDC_PROGRESS);
    m_stFileLabel = PlaceDialogControl(new CTransparentStatic, this, kUpgradeFileLabel, font, IDC_FILE_LABEL);
    m_stFileLabel->setText(QStringLiteral("Hex File"));
    m_editPath = PlaceDialogControl(new QLineEdit, this, kUpgradePath, font, IDC_PATH);
    m_btnUpdate = PlaceDialogControl(new QPushButton(QStringLiteral("Update")), this, kUpgradeUpdate, font, IDC_UPDATE);
    m_btnBrowse =
        PlaceDialogControl(new QPushButton(QStringLiteral("Browse file")), this, kUpgradeBrowse, font, IDC_BROWSE);
    m_rdUsb = PlaceDialogControl(new CButtonRadio(QStringLiteral("USB")), this, kUpgradeUsbRadio, font, IDC_USB);
    m_rdWifi = PlaceDialogControl(new CButtonRadio(QStringLiteral("WIFI")), this, kUpgradeWifiRadio, font, IDC_WIFI);
    m_rdCom = PlaceDialogControl(new CButtonRadio(QStringLiteral("COM")), this, kUpgradeComRadio, font, IDC_COM);
    auto* radios = new QButtonGroup(this);
    for (CButtonRadio* radio : {m_rdUsb, m_rdWifi, m_rdCom})
        radios->addButton(radio);
    for (QWidget* hidden : std::initializer_list<QWidget*>{m_cbComPort, m_grpLink, m_stTool, m_stFileLabel, m_rdUsb,
                                                           m_rdWifi, m_rdCom})
        hidden->hide();

    // No button is pressed by Enter: the keys never close the dialog.
    for (QPushButton* button : {m_btnQuit, m_btnUpdate, m_btnBrowse}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    connect(m_btnUpdate, &QPushButton::clicked, this, [this] { OnUpdateButton(); });
    connect(m_btnBrowse, &QPushButton::clicked, this, [this] { OnBrowseButton(); });
    connect(m_btnQuit, &QPushButton::clicked, this, [this] { OnCancelButton(); });
}

CUpgradeDlg::~CUpgradeDlg()
{
    EndWork();
}

int CUpgradeDlg::DoModal()
{
    OnInitDialog();
    const int result = RunModalDialog(*this);
    EndWork();
    return result;
}

void CUpgradeDlg::OnInitDialog()
{
    FillPortList();
    const bool chinese = g_bChinese;
    m_grpLink->SetText(chinese ? QStringLiteral("通信接口") : QStringLiteral("Communication interface"), true);
    m_grpFile->SetText(chinese ? QStringLiteral("Hex文件") : QStringLiteral("Update File"), true);
    m_stFileLabel->setText(chinese ? QStringLiteral("Hex文件") : QStringLiteral("Hex File"));
    m_stTool->setText(chinese ? QStringLiteral("通信接口") : QStringLiteral("Communication interface"));
    m_btnBrowse->setText(chinese ? QStringLiteral("浏览文件") : QStringLiteral("Browse file"));
    m_btnUpdate->setText(chinese ? QStringLiteral("更新") : QStringLiteral("Update"));
    m_btnQuit->setText(chinese ? QStringLiteral("退出") : QStringLiteral("Quit"));
    setWindowTitle(chinese ? QStringLiteral("设备固件更新") : QStringLiteral("Device Firmware Update"));

    m_pPollThread = std::make_unique<CUpData_Thread>(m_link, this);
    g_bUpdateRetrying = false;
    m_editPath->setText(g_strUpdateFilePath);

    g_pUpdateProgress.Set(m_progress->Display());
    m_progress->ShowPercent(true);
    m_pStatusLine = std::make_shared<CUpdateStatusLine>(this, UPGRADE_STATUS_CHANGED);
    m_pCurHexUpTip.Set(m_pStatusLine);
    m_stStatus->SetTextColor(QColor(255, 0, 0));
    m_stStatus->SetText(QString());

    resize(WINDOW_WIDTH, WINDOW_HEIGHT);
    m_menuLink = LoadPopupMenu(UPGRADE_LINK_MENU);
}

void CUpgradeDlg::FillPortList()
{
    const SerialPortChoice choice = ListSerialPortChoice(m_strComPort);
    m_cbComPort->clear();
    m_cbComPort->addItems(choice.names);
    m_cbComPort->setCurrentIndex(choice.selected);
}

// ---- Commands --------------------------------------------------------------------------

void CUpgradeDlg::OnBrowseButton()
{
    if (m_fnSelectFile)
        m_fnSelectFile(this);
    m_editPath->setText(g_strUpdateFilePath);
}

void CUpgradeDlg::OnUpdateButton()
{
    g_bHandshakePending = false;
    if (g_bUpdating || g_bUpdateRetrying || m_bConnecting || m_bWorkEnded)
        return;
    m_link.CloseForUpdate();

    g_astrHidItems.clear();
    if (CUsbLink* usb = m_link.Usb()) {
        if (usb->FindHidDevices())
            g_astrHidItems = usb->FoundPaths();
    }
    const int found = int(g_astrHidItems.size());
    const bool reachable = m_pNet != nullptr && m_pNet->IsReachable();
    if (found == 0) {
        if (reachable)
            StartNetworkUpdate();
        else
            AppMessageBox(g_bChinese ? QStringLiteral("没有连接可以打开") : QStringLiteral("No connection can be opened"),
                          MB_OK, LINK_PROMPT_HELP_ID);
        return;
    }
    if (found == 1 && !reachable) {
        StartUsbUpdate(g_astrHidItems[0]);
        return;
    }

    // A choice: under the button, its left edge, 2 pixels below it.
    const QPoint at = m_btnUpdate->mapToGlobal(QPoint(0, m_btnUpdate->height() + 2));
    UINT chosen = 0;
    if (found == 1 && m_menuLink) {
        if (QAction* network = FindMenuItem(m_menuLink.get(), ID_CONNECT_NETWORK))
            network->setText(g_strDeviceIp.Get());
        chosen = TrackPopupMenu(*m_menuLink, at, this);
    } else {
        QMenu devices;
        const int items = std::min(found, ID_USB_DEVICE_LAST - ID_USB_DEVICE_FIRST + 1);
        for (int i = 0; i < items; ++i)
            devices.addAction(QStringLiteral("USB%1").arg(i + 1))->setData(ID_USB_DEVICE_FIRST + i);
        if (reachable)
            devices.addAction(g_strDeviceIp.Get())->setData(int(ID_CONNECT_NETWORK));
        chosen = TrackPopupMenu(devices, at, this);
    }
    // Dismissed: the link stays closed.
    if (chosen != 0)
        OnLinkMenuCommand(chosen);
}

void CUpgradeDlg::OnLinkMenuCommand(UINT id)
{
    if (id == UINT(ID_CONNECT_USB)) {
        if (!g_astrHidItems.isEmpty())
            StartUsbUpdate(g_astrHidItems[0]);
    } else if (id == UINT(ID_CONNECT_NETWORK)) {
        StartNetworkUpdate();
    } else if (id >= UINT(ID_USB_DEVICE_FIRST) && id <= UINT(ID_USB_DEVICE_LAST)) {
        const int index = int(id) - ID_USB_DEVICE_FIRST;
        if (index < int(g_astrHidItems.size()))
            StartUsbUpdate(g_astrHidItems[index]);
    }
}

bool CUpgradeDlg::PrepareUpdate(int linkType)
{
    g_bUpdateCancelled = false;
    g_bUpdateRetrying = false;
    // A path typed into the field is the one used.
    g_strUpdateFilePath = m_editPath->text();
    if (!m_link.LoadUpdateFile())
        return false;
    m_link.CloseForUpdate();
    g_nLinkType = linkType;
    g_bSameLinkKind = false;
    m_bConnectStarted = true;
    return true;
}

void CUpgradeDlg::StartUsbUpdate(const QString& path)
{
    if (!PrepareUpdate(LINK_USB))
        return;
    OnUpdateLinkOpened(m_link.ConnectUsbForUpdate(path));
}

void CUpgradeDlg::StartNetworkUpdate()
{
    if (!PrepareUpdate(LINK_NETWORK))
        return;
    // The connect runs on the link's connect thread; meanwhile Update is
    // ignored and Quit gives it up.
    m_bConnecting = m_link.ConnectNetworkForUpdate([this](bool connected) {
        m_bConnecting = false;
        OnUpdateLinkOpened(connected);
    });
    if (!m_bConnecting)
        OnUpdateLinkOpened(false);
}

void CUpgradeDlg::OnUpdateLinkOpened(bool opened)
{
    m_bLinkOpened = opened;
    if (opened) {
        // The worker is already sending.
        m_progress->SetRange(0, g_nUpdateProgressTotal);
        m_progress->SetPos(0);
        return;
    }
    m_pPollThread->StartPollTimer(CUpData_Thread::POLL_INTERVAL_MS);
    g_bUpdateRetrying = true;
}

void CUpgradeDlg::OnLinkResult(WPARAM session, LPARAM connected)
{
    // Only the running poll's outcome counts.
    if (m_bWorkEnded || !m_pPollThread || session != m_pPollThread->Session())
        return;
    if (connected != 0) {
        m_progress->SetRange(0, g_nUpdateProgressTotal);
        m_progress->SetPos(0);
        m_pPollThread->StopPollTimer();
    }
    g_bUpdateRetrying = false;
    if (connected == 0)
        ShowUpdateStatus(UpdateFailedText());
}

void CUpgradeDlg::OnCancelButton()
{
    if (m_bWorkEnded)
        return;
    if (g_bUpdating) {
        const int answer = AppMessageBox(
            g_bChinese ? QStringLiteral("更新未完成，强行退出会损坏设备，是否退出?")
                       : QStringLiteral("Update is not completed, will be forced to exit the damaged equipment, "
                                        "whether to exit?"),
            MB_YESNO, UPGRADE_QUIT_HELP_ID);
        if (answer != IDYES)
            return;
        // The update may have ended while the question was open: then it
        // has been reported already.
        if (g_bUpdating) {
            g_bUpdateCancelled = true;
            m_link.CancelUpdate();
            g_bUpdateCancelled = false;
        }
    }
    CloseDialog();
}

void CUpgradeDlg::reject()
{
    PostMessage(this, WM_COMMAND, MAKEWPARAM(IDC_QUIT, BN_CLICKED), 0);
}

// ---- Ending ------------------------------------------------------------------------------

void CUpgradeDlg::EndWork()
{
    if (m_bWorkEnded)
        return;
    m_bWorkEnded = true;
    // The poll and its thread first: nothing connects behind the rest.
    m_pPollThread.reset();
    if (m_bConnectStarted && !m_link.IsConnected())
        m_link.AbandonUpdateConnect();
    m_bConnecting = false;
    g_bUpdateRetrying = false;
    if (m_pStatusLine) {
        m_pStatusLine->Detach();
        if (m_pCurHexUpTip.Get() == m_pStatusLine)
            m_pCurHexUpTip.Clear();
    }
    if (g_pUpdateProgress.Get() == m_progress->Display())
        g_pUpdateProgress.Clear();
}

void CUpgradeDlg::CloseDialog()
{
    EndWork();
    done(QDialog::Rejected);
}

// ---- Messages and keys -----------------------------------------------------------------

LRESULT CUpgradeDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            break;
        switch (LOWORD(wParam)) {
        case IDC_QUIT:
            OnCancelButton();
            break;
        case IDC_UPDATE:
            OnUpdateButton();
            break;
        case IDC_BROWSE:
            OnBrowseButton();
            break;
        default:
            OnLinkMenuCommand(LOWORD(wParam));
            break;
        }
        break;
    case WM_UPDATE_LINK_RESULT:
        OnLinkResult(wParam, lParam);
        break;
    case UPGRADE_STATUS_CHANGED:
        if (m_pStatusLine)
            m_stStatus->SetText(m_pStatusLine->Text());
        break;
    default:
        break;
    }
    return 0;
}

bool CUpgradeDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        // A child made later (an edit's menu, say) is watched too.
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child && child->isWidgetType())
            child->installEventFilter(this);
    }
    if (IsEnterOrEscape(event)) {
        // Enter and Escape only move the focus to the dialog.
        if (event->type() == QEvent::KeyPress)
            setFocus(Qt::OtherFocusReason);
        event->accept();
        return event->type() == QEvent::KeyPress;
    }
    return QDialog::eventFilter(watched, event);
}
