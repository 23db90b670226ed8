// The main view: construction, the one-time set-up and the routing of the
// messages that reach it.
#include "app/BrelinView.h"

#include <QDir>
#include <QMenu>

#include "app/BrelinDoc.h"
#include "app/DataViewDlg.h"
#include "app/DisplayDlg.h"
#include "app/LockDataDlg.h"
#include "app/PopupMenus.h"
#include "app/ViewPaths.h"
#include "link/LinkDisplays.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "model/WorkingStrings.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ResourceStore.h"

CBrelinView::CBrelinView(CBrelinDoc* doc, QWidget* parent, ViewMachineAccess access)
    : QWidget(parent), m_btnResetMap(this), m_btnMixer(this), m_btnLRLink(this), m_btnLock(this),
      m_btnPageSwap(this), m_lampLink(this), m_btnMinimize(this), m_btnExit(this), m_btnPresetName(this),
      m_btnSwitch31(this), m_btnMode0(this), m_btnMode2(this), m_editPresetName(this), m_btnPresetMenu(this),
      m_btnDynamics(this), m_btnReport(this), m_btnSettingsMenu(this), m_btnConnect(this), m_progress(this),
      m_tab(this), m_btnInputSource(this), m_pDocument(doc), m_serialPort(m_command),
      m_netLink(std::move(access.lister), std::move(access.probe)),
      m_deviceLink(m_command, &m_netLink, doc != nullptr ? &doc->m_KTVData : nullptr, &m_serialPort),
      m_fnHotPlugSource(std::move(access.hotPlugSource)), m_timers(this, [this](UINT id) { OnTimer(id); })
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    BindFormControls();
    WatchWorkArea();
    m_deviceLink.SetViewHooks(LinkHooks());
    m_deviceLink.EnableUsb(access.hidBus != nullptr ? *access.hidBus : m_hidBus);
    m_bClosing = false;
    m_bHoldStatus = false;
}

CBrelinView::~CBrelinView()
{
    // However the view ends, its threads end first; then a link still open
    // is closed, so that the process's link state is "none" again.
    OnDestroy();
    if (m_deviceLink.IsConnected())
        m_deviceLink.Disconnect();
    // The popup goes with the view; its bar is let go by the link first.
    if (g_pDisplayDlg != nullptr && g_pDisplayDlg->parentWidget() == this) {
        g_pTransferProgress.Clear();
        delete g_pDisplayDlg;
    }
}

CKTV_Data* CBrelinView::AttachDataSet()
{
    m_pData = m_pDocument != nullptr ? &m_pDocument->m_KTVData : nullptr;
    return m_pData;
}

void CBrelinView::ShowParameterTable()
{
    CDataViewDlg dialog;
    dialog.m_pData = m_pData;
    dialog.DoModal();
}

void CBrelinView::OnInitialUpdate()
{
    m_bLockToggle = false;
    g_pView = this;
    m_command.SetOwner(this);

    m_bmpBackChinese = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_CN);
    m_bmpBackEnglish = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_EN);
    m_bmpBackChineseLocked = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_CN_LOCKED);
    m_bmpBackEnglishLocked = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_EN_LOCKED);

    AttachDataSet();
    m_szWorkDir = QDir::currentPath();
    g_szStartDir = m_szWorkDir;
    // Every output its own link group.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            g_nLinkGroup[i] = i;
    }
    g_szChineseHelpPath = QDir(m_szWorkDir).filePath(QStringLiteral("CH_Help.chm"));
    g_szEnglishHelpPath = QDir(m_szWorkDir).filePath(QStringLiteral("EN_Help.chm"));
    m_deviceLink.SetUpdateFolder(DocumentsFolder());

    LoadDspMcuSettings();
    // The stored language decides; on the first start the system's locale
    // (which start-up put into g_bChinese), and it is stored at once.
    if (g_strLanguage.isEmpty()) {
        g_strLanguage = g_bChinese ? QStringLiteral("Chinese") : QStringLiteral("English");
        SaveDspMcuSettings();
    } else {
        // Anything but "Chinese" means English.
        g_bChinese = g_strLanguage == QLatin1String("Chinese");
    }

    BuildUserInterface();
    SwitchLanguage(false);
    SelectModeButton(0, false);
    SetUiMode(g_nUiMode, false);
    int inputMode = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        inputMode = g_byInputMode;
    }
    SetInputSource(inputMode, false);
    m_deviceLink.RegisterHidNotification(this, m_fnHotPlugSource ? m_fnHotPlugSource() : nullptr);
    UpdateWindowTitle();

    g_pCommand = &m_command;
    g_pNotifyView = this;
    // The communication log: a hidden dialog freed with the view.
    g_pCommLogDlg = new CLockDataDlg(this);
    m_msgBox.CreateHidden(this);
    LoadDspMcuSettings();
    m_deviceLink.CreateUsbInUseKey();
    SavePcFilePaths(0);
    LoadLineSetting();
    LoadNetworkSetting();

    m_rcDrag = CRect::FromQRect(rect());
    m_bDragging = false;
    // The connection is made once the message loop runs.
    PostMessage(this, WM_AUTO_CONNECT, 0, 0);
}

LRESULT CBrelinView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_fnObserver)
        m_fnObserver(message);
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_SELECT_UI_MODE2:
        OnSelectUiMode2();
        return 0;
    case WM_COMBOBTN_SELCHANGE:
        OnComboBtnSelChange(wParam);
        return 0;
    case WM_PRESET_NAME_CHANGED:
        OnPresetNameChanged();
        return 0;
    default:
        if (StripWindowProc(message, wParam, lParam))
            return 0;
        return LinkWindowProc(message, wParam, lParam);
    }
}

void CBrelinView::OnLRLinkButton()
{
    // The page may switch the link off on its way (and uncheck the
    // button): the new state is taken first.
    const bool linked = !m_btnLRLink.GetCheck();
    if (m_outputPage.SetupLRLink())
        m_btnLRLink.SetCheck(linked);
}

void CBrelinView::OnResetMapButton()
{
    m_outputPage.ResetOutputMap();
}

void CBrelinView::OnCommand(UINT id, UINT code)
{
    if (code != BN_CLICKED)
        return;
    if (OnConnectMenuCommand(id) || OnStripAreaCommand(id))
        return;
    switch (id) {
    case IDC_MINIMIZE:
        OnMinimizeButton();
        break;
    case IDC_EXIT:
        OnExitButton();
        break;
    case IDC_MODE0:
        OnUiMode0Button();
        break;
    case IDC_LR_LINK:
        OnLRLinkButton();
        break;
    case IDC_RESET_MAP:
        OnResetMapButton();
        break;
    case IDC_MODE2:
        OnUiMode2Button();
        break;
    case IDC_CONNECT:
        OnConnectButton();
        break;
    case ID_FIRMWARE_UPDATE:
        OnFirmwareUpdateCommand();
        break;
    case ID_ABOUT:
        OnAboutCommand();
        break;
    case IDC_PRESET_MENU:
        OnPresetMenuButton();
        break;
    case IDC_SETTINGS_MENU:
        OnSettingsMenuButton();
        break;
    case IDC_DYNAMICS:
        OnDynamicsButton();
        break;
    case ID_ADVANCED:
        OnAdvancedCommand();
        break;
    case ID_LANGUAGE:
        OnLanguageCommand();
        break;
    case ID_HELP:
        OnHelpCommand();
        break;
    case ID_RESTORE_FACTORY:
        OnRestoreFactorySettings();
        break;
    case IDC_MODE_GAIN_1:
    case IDC_MODE_GAIN_2:
    case IDC_MODE_GAIN_3:
    case IDC_MODE_GAIN_4:
        OnModeButton(int(id - IDC_MODE_GAIN_1));
        break;
    default:
        OnFileCommand(id);
        break;
    }
}
