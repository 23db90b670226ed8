#pragma once
// The main view: the program's one working window. It fills the child
// frame, owns every page, panel and strip the user sees, the command queue
// and the link objects, and is the window the device link, the pages and
// the strips post their notifications to. Its form (dialog 101, Arial 8)
// is laid out from dialog units; the pages, the master-volume panel and
// the strips are placed in pixels.
//
// Its code is split by topic:
//   BrelinView.cpp          construction, one-time set-up, message routing
//   BrelinViewLayout.cpp    the form, the user-interface build, UI modes,
//                           strips and master volume, input source, preset
//                           name
//   BrelinViewWindow.cpp    painting, dragging the borderless window, keys,
//                           minimise, exit and the clean-up
//   BrelinViewLanguage.cpp  language switch and menu texts
//   BrelinViewMenus.cpp     the menu buttons, the menus' commands, help,
//                           the dynamics, advanced and factory-reset dialogs
//   BrelinViewStrips.cpp    the strips', mix page's and panel's messages,
//                           the page-area buttons, output links
//   BrelinViewLock.cpp      the data lock
//   BrelinViewSettings.cpp  the stored settings
//   BrelinViewLink.cpp      the link's messages and hooks
//   BrelinViewUpdate.cpp    the firmware update dialog, its file, About
//   BrelinViewTransfers.cpp bulk sends to and from the device, channel
//                           sends, copies and resets, received data
//   BrelinViewFiles.cpp     the preset, all-presets and output-map files
//
// Threads: everything here runs on the UI thread. The I/O worker and the
// reachability poll reach the view only by posting to it (g_pNotifyView).
#include <deque>
#include <functional>
#include <memory>

#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QPoint>
#include <QWidget>

#include "app/Encryption.h"
#include "app/JsonPresetFile.h"
#include "app/MsgBox.h"
#include "controls/BitButton.h"
#include "controls/ComBoxBtn.h"
#include "controls/EnTabCtrl.h"
#include "controls/GradientProgressCtrl.h"
#include "controls/Show_Link.h"
#include "controls/XPButton.h"
#include "graphs/FStatic.h"
#include "link/DeviceLink.h"
#include "link/HidApiBus.h"
#include "link/HotPlugSource.h"
#include "link/KTVCommand.h"
#include "link/Net_Socket.h"
#include "link/SerialPort.h"
#include "model/DataDefine.h"
#include "pages/MainView.h"
#include "pages/input/GainDlg.h"
#include "pages/input/InPutDlg.h"
#include "pages/input/MixInPutCom.h"
#include "pages/output/OutRoute_Dlg.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Rect.h"
#include "platform/gui/TimerMap.h"

class CBrelinDoc;
class CKTV_Data;
class QMenu;

// What the view's links reach of the machine; the defaults are the
// machine's own. Tests put theirs, so that nothing but 127.0.0.1 is
// contacted and no device is opened.
struct ViewMachineAccess {
    // How the network link holder finds the local adapters and probes
    // the device.
    AdapterLister lister = ReadLocalAdapters;
    ReachabilityProbe probe = PingDevice;
    // The HID devices (hidapi's when null; it must outlive the view).
    IHidBus* hidBus = nullptr;
    // Where arrivals and removals of HID devices come from (udev's when
    // it makes none).
    std::function<std::unique_ptr<IHotPlugSource>()> hotPlugSource;
};

class CBrelinView : public QWidget, public CMsgTarget, public IMainView {
    Q_OBJECT
public:
    enum : UINT {
        IDD = 101,
        // Controls of the form.
        IDC_CONNECT = 1413,
        IDC_TAB = 1368,
        IDC_PRESET_MENU = 8801,
        IDC_DYNAMICS = 8803,
        IDC_REPORT = 8804,
        IDC_PROGRESS = 1414,
        IDC_PRESET_NAME_EDIT = 1002,
        IDC_SETTINGS_MENU = 8802,
        IDC_MODE_GAIN_1 = 2066,
        IDC_MODE_GAIN_2 = 2067,
        IDC_MODE_GAIN_3 = 2068,
        IDC_MODE_GAIN_4 = 2069,
        IDC_SWITCH31 = 2561,
        IDC_MODE0 = 2562,
        IDC_MODE2 = 2563,
        IDC_PRESET_NAME = 2770,
        IDC_MINIMIZE = 2772,
        IDC_EXIT = 2773,
        IDC_LINK_LAMP = 2776,
        IDC_PAGE_SWAP = 2819,
        IDC_INPUT_SOURCE = 2820,
        IDC_LOCK = 1415,
        IDC_MIXER = 2855,
        IDC_LR_LINK = 1417,
        IDC_RESET_MAP = 2821,
        // View backgrounds by language, unlocked and locked.
        IDB_BACK_CN = 285,
        IDB_BACK_EN = 284,
        IDB_BACK_CN_LOCKED = 1208,
        IDB_BACK_EN_LOCKED = 1209,
        // Popup menus: presets and files, settings, connect.
        IDR_MENU_PRESETS = 112,
        IDR_MENU_SETTINGS = 113,
        IDR_MENU_LINK = 114,
        // The status hold after a local change.
        TIMER_HOLD_STATUS = 9999,
    };
    enum : int {
        HOLD_STATUS_MS = 1000,
        // Where the panel and the strips stand, in pixels.
        PANEL_X = 6,
        PANEL_Y = 516,
        PANEL_WIDTH = 94,
        PANEL_HEIGHT = 203,
        STRIP_X = 111,
        STRIP_PITCH = 97,
        STRIP_Y = 516,
        STRIP_WIDTH = 91,
        STRIP_HEIGHT = 210,
        // The UI modes.
        UI_MODE_0 = 0,
        UI_MODE_OUTPUT_PAGE = 1,
        UI_MODE_2 = 2,
    };


    // doc: the document whose parameter set the view shows (it outlives the
    // view).
    CBrelinView(CBrelinDoc* doc, QWidget* parent, ViewMachineAccess access = ViewMachineAccess());
    ~CBrelinView() override;

    // ---- Construction and set-up (BrelinView.cpp) --------------------------
    // The one-time set-up; posts WM_AUTO_CONNECT to itself last.
    void OnInitialUpdate();
    CBrelinDoc* GetDocument() const { return m_pDocument; }
    // m_pData := the document's parameter set, returned.
    CKTV_Data* AttachDataSet();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Tests: sees every message the view handles, before it is handled.
    void SetMessageObserver(std::function<void(UINT message)> observer) { m_fnObserver = std::move(observer); }

    // ---- Layout, modes, strips (BrelinViewLayout.cpp) -----------------------
    // Creates and places the pages, the panel, the strips and the menus.
    void BuildUserInterface();
    // A control of the form by id; null for an id the form does not hold.
    QWidget* GetDlgItem(int id) const;
    // The pixel rectangle of a form control (from its dialog units).
    static CRect FormControlRect(int id);
    void SetUiMode(int mode, bool leave);
    void RefreshMasterVolume() override;
    // The system byte of input mode 0..3 and 5's master volume; -1 for a
    // mode that keeps none (4, and anything unknown).
    static int MasterVolumeByte(int mode);
    void RefreshOutputStrips() override;
    // Selects the input source type 0..3 in the list; with send, stores it
    // and queues system items (5 first when pending) and 2.
    void SetInputSource(int type, bool send);
    // The list item of an input source type, -1 for none; and back.
    static int InputSourceItem(int type);
    // Empties the input-source list and adds its four items in a language.
    void FillInputSourceList(bool chinese);
    static int InputSourceType(int item);
    void SetPresetNameFromFile(const QString& title);
    void ShowPresetName(bool send);
    void ShowLivePresetName();
    void UpdateWindowTitle();
    void SetMixColumnRect(int column, const CRect& rect) override;
    const CRect& MixColumnRect(int column) const { return m_rcMixColumns[column]; }

    // ---- Handlers of this view's own controls and messages ----------------
    void OnMinimizeButton();
    void OnExitButton();
    void OnUiMode0Button();
    void OnUiMode2Button();
    void OnSelectUiMode2();
    // Button 1417: the output page's L/R link; the button shows the new
    // state only when the page switched the link.
    void OnLRLinkButton();
    // Button 2821: the output page's map reset.
    void OnResetMapButton();
    void OnComboBtnSelChange(WPARAM id);
    void OnPresetNameChanged();
    // A change of the screens' work area (flags 47) or of the settings (0).
    void OnSettingChange(UINT flags);
    // The clean-up of the window's end: runs once, whichever way the window
    // closes (the exit button has run it already).
    void OnDestroy();
    // The parameter table of the view's set, run modally (no command of the
    // window opens it).
    void ShowParameterTable();
    bool IsClosing() const { return m_bClosing; }
    bool IsCleanedUp() const { return m_bCleanedUp; }

    // ---- Language and menus (BrelinViewLanguage.cpp) ----------------------
    void SwitchLanguage(bool toggle);
    void ApplyLanguage() override;
    QMenu* PresetsMenu() const { return m_menuPresets.get(); }
    QMenu* SettingsMenu() const { return m_menuSettings.get(); }
    QMenu* LinkMenu() const { return m_menuLink.get(); }

    // ---- Menus and commands (BrelinViewMenus.cpp) ----------------------------
    // Button 8801: menu 112 below the button, its device items enabled
    // only while connected (disabled ones look enabled); the chosen item
    // runs once.
    void OnPresetMenuButton();
    // Button 8802: menu 113 the same way, nothing enabled or disabled.
    void OnSettingsMenuButton();
    // Button 8803: the output dynamics dialog, modal, no parent.
    void OnDynamicsButton();
    // Item 728: the advanced settings dialog, modal, no parent.
    void OnAdvancedCommand();
    // Item 729: the other language.
    void OnLanguageCommand();
    // Item 730: the help file of the language, opened by the desktop; a
    // missing file or one nothing opens gets the help box.
    void OnHelpCommand();
    // Item 32775: the factory-reset question; OK asks the device to reset.
    void OnRestoreFactorySettings();
    // The screen point where a button's popup opens: its left edge, 2
    // pixels below it.
    static QPoint MenuPointBelow(const QWidget& button);

    // ---- Settings (BrelinViewSettings.cpp) ----------------------------------
    // Writes remembered folder which (1 preset files, 2 all-presets files,
    // 3 output maps, 4 firmware); 0 writes none. A missing "PC_File" group
    // is created with all four folders the documents folder.
    void SavePcFilePaths(int which);
    // Reads remembered folder which (1 to 4); a missing or gone folder
    // becomes the documents folder, written back.
    int LoadPcFilePaths(int which);
    // The firmware file, its folder and the language; the group is created
    // with the values held now when it is missing.
    int LoadDspMcuSettings();
    // Writes them when the group exists.
    int SaveDspMcuSettings();
    int LoadLineSetting();
    // The network module's address (Network/Device_IP): the default address
    // written when missing; text that is no dotted IPv4 address is kept in
    // the file but the default is used, and one line says so on stderr.
    void LoadNetworkSetting();
    static bool IsFolderMissing(const QString& path);
    // The USB claim group emptied; live claims (this copy's too) still
    // hold their devices.
    void ResetUsbInUseKey();
    QString UpdateFolder() const { return m_deviceLink.UpdateFolder(); }
    const QString& FileFolder() const { return m_szFileFolder; }
    const QString& AllFileFolder() const { return m_szAllFileFolder; }
    const QString& MapFolder() const { return m_szMapFolder; }

    // ---- Link (BrelinViewLink.cpp) -----------------------------------------
    void QueueCommand(int kind, int slot) override;
    // The connect button: the link decides; when it offers ways to connect,
    // their popup shows below the button and the chosen item is run
    // (OnConnectMenuCommand). Returns the link's decision.
    CConnectDecision OnConnectButton();
    // The connect popup's commands: 732 USB, 733 the network, 6600 + i the
    // i-th free USB device. FALSE for any other id.
    bool OnConnectMenuCommand(UINT id);
    // A connect over the serial line by port name (a bare name under /dev,
    // or a path): link kind 3, the port open, the handshake and version
    // request queued, the worker started, the link shown. FALSE when
    // another link is open or the port cannot be opened.
    bool ConnectSerial(const QString& portName);
    // Status replies are ignored for HOLD_STATUS_MS after each call.
    void HoldStatusUpdates();
    bool IsHoldingStatus() const { return m_bHoldStatus; }
    // The mode-gain rows: set TRUE selects row mode (unchecking the old
    // one); set FALSE unchecks the selected row.
    void SelectModeButton(int mode, bool set);
    // The button of mode-gain row 0..3 (control 2066 + row).
    CXPButton& ModeGainButton(int row);
    // The connect button, the lamp and its text by the link state.
    void ShowLinkState(bool connected);
    // A link is up (the link object's state).
    bool IsConnected() const override { return m_deviceLink.IsConnected(); }
    CDeviceLink& DeviceLink() { return m_deviceLink; }
    CNet_Socket& NetLink() { return m_netLink; }
    CKTVCommand& Command() { return m_command; }

    // ---- Firmware update and About (BrelinViewUpdate.cpp) --------------------
    // Command 727: the firmware update dialog, modal; afterwards no update
    // display is published and no update flag is left set.
    void OnFirmwareUpdateCommand();
    // The file dialog for a firmware file (owned by owner), started in the
    // update folder; the choice is stored. TRUE when a ".bin" file was
    // chosen: its folder, the path and the language are then saved.
    bool SelectUpdateFile(QWidget* owner);
    // Command 731: the version box, modal.
    void OnAboutCommand();

    // ---- What the stand-alone dialogs ask (BrelinViewDialogs.cpp) ----------
    int ToggleConnection() override;
    void RecallPreset(int slot, int second) override;
    void SetSendSysItem2(bool changed) override;
    void SetSendSysItem5(bool changed) override;
    void SaveLineSetting() override;
    void EmptyAdvancedHook(int) override {}
    bool IsTransferPopupShown() const override;
    void RenewTransferPopup() override;
    // Commands 720 to 722: the machine-preset dialog in mode 0 Load, 1 Save
    // As or 2 Delete, modal; g_pProgramDlg is null again afterwards.
    void OnMachinePresetCommand(int mode);
    // Slot, the current preset, deleted: its blank name, the current
    // preset 0 and system item 52 queued. Nothing when not connected.
    void SendPresetDeleted(int slot);
    void AddCommand(std::unique_ptr<CSendData> command) override;
    void SendSpeakerAssignment(int channel, bool all) override;
    COutRouteDlg* OutputStrip(int output) override;

    // ---- Transfers (BrelinViewTransfers.cpp) --------------------------------
    // Every sequence runs on the UI thread and appends its frames under the
    // send lock; the counted ones move the transfer popup's bar as their
    // replies come, and the reply to the flagged last one ends the transfer
    // (WM_TRANSFER_DONE clears g_bTransferBusy).
    //
    // The live set and the six machine presets to the device (118 counted
    // frames between system commands 5, 6, 7 and 2, 5). Nothing when not
    // connected.
    void DownloadAllPresets();
    // The live set to device slot (0 the live set, 1-6 a machine preset):
    // with pack the channel objects are packed first and the preset number
    // follows the name (19 counted frames), without it the outputs are muted
    // around the 17 counted frames. Not connected: nothing is sent (a box for
    // a machine slot).
    void WritePresetToDevice(int slot, bool pack);
    // Command 726: asks for the all-presets file, then reads the six machine
    // presets back; the file is written when the last one has come
    // (OnAllPresetsReceived). 1 when the read-back was queued.
    int FetchAllPresetsForFile();
    // The popup's bar to the count of the sequence just queued.
    void ResetTransferProgress();
    void SendInputChannelBlock(int channel) override;
    void SendOutputChannelBlock(int channel) override;
    void SendOutputChannelBlockNoLock(int channel) override;
    void SendOutputOff(int channel) override;
    void CopyOutputChannel(int src, int dst) override;
    void CopyOutputChannelLocked(int src, int dst) override;
    void SendOutputEqGroup() override;
    // Output channel's 31 bands flat at the third-octave centres (and its
    // block to the device when connected); the caller holds the send lock.
    void ResetOutputEq(int channel);
    void ResetInputEq(int channel) override;
    // Mode-gain buttons 2066 + n.
    void OnModeButton(int n);
    void SelectModeAndSend(int mode);
    void SetModeGain(int value, int output);

    // Received data (the reply parser's messages).
    void OnPresetReceived(int slot);
    // lParam 0: the read-back for the oldest pending all-presets save has
    // come whole, 1: it ended without its last block.
    void OnAllPresetsReceived(LPARAM refused);
    // System items 6 (which 0) and 7 (which 1): the speaker positions; 64
    // comes as 0 too. Delivered synchronously: the worker waits for it.
    void OnInputSourceChanged(int which);
    void PushPositionsToOutputs();
    void OnDeviceStatus();
    void OnEffectReceived();
    // The lock state of the live image (mark and password).
    void ReadLockState();
    void ClearOutputLinks() override;
    // All-presets saves waiting for their read-back, oldest first.
    const std::deque<QString>& PendingAllPresetsSaves() const { return m_pendingAllPresetsSaves; }

    // ---- Strip and page handlers (BrelinViewStrips.cpp) ------------------------
    void SetStripsDelayUnit(int unit) override;
    bool SyncLinkedOutputPairs(int direction) override;
    void SyncLinkGroupStrips(int output, int group) override;
    COutputDlg* OutputPage() override { return &m_outputPage; }
    CFStatic* ViewGraph() override { return &m_graph; }
    void RepaintView() override;
    // BrelinViewDialogs.cpp: the link-group dialog over the output page's
    // link masks.
    void OpenLinkGroupDialog(COutRouteDlg* strip, bool newGroup) override;
    void ApplyDefaultMixForSpeakerType(int output, int code) override;
    // WM_MIX_APPLY_SPEAKER_DEFAULTS: the same.
    void ApplyMixSpeakerDefaults(int output, int code);
    // The strips' messages (wParam the output 0..11; any other output, a
    // source outside 1..16 or a code outside 0..24 is ignored).
    void OnStripMute(int output, int on);
    void OnStripSelect(int output);
    void OnStripLevel(int output, int gain);
    void OnStripPolarity(int output, int polarity);
    void OnStripDelay(int output, int steps);
    void OnStripSource(int source, int output, bool on);
    void OnStripSpeakerType(int output, int code);
    // The panel's volume fader moved: its volume stored for the input mode
    // and sent, unless it is the stored one.
    void OnMasterVolumeChanged();
    // 1: the mix page in the output page's place; 0: the output page back.
    void OnMixerToggled(int state);
    // WM_MIX_LEVEL_NOTIFY: the cell {output, row 0..15} whose level is now
    // level lights or darkens its source on the strip.
    void OnMixLevelNotify(const MixCellRef* cell, int level);
    // The page-area buttons 2855, 2819 (hidden) and 2561.
    void OnMixerButton();
    void OnPageSwapButton();
    void OnSwitch31Button();

    // ---- Data lock (BrelinViewLock.cpp) ----------------------------------------
    // Button 1415: lock when it shows unlocked, else unlock (or reset).
    void OnLockButton();
    // Lock: the password asked, the image marked, the page area hidden.
    // Unlock: the password asked and compared; the reset restores the
    // factory outputs and sends the whole set.
    void ToggleDataLock(bool lock);
    // WM_APPLY_LOCK_STATE: the page area by g_bDataLocked after a file.
    void OnShowLockState();
    // Locked: the pages, the page area and the strips hidden; otherwise
    // shown, the mixer button choosing the page. The lock button follows.
    void ShowLockState(bool locked);

    // ---- Files (BrelinViewFiles.cpp) -----------------------------------------
    // Each returns 1 done, 0 cancelled or failed (the failure shown).
    int SavePresetFile();
    int ReadPresetFile();
    // Asks for the all-presets file to write after the read-back.
    int ChooseAllPresetsFile();
    // Writes the all-presets file to g_strAllPresetsFilePath.
    int SaveAllPresetsFile();
    int ReadAllPresetsFile();
    int SaveOutputMap() override;
    int ReadOutputMap() override;
    // The outputs take the positions of g_OutputMap; keepMapLock FALSE also
    // lifts the output-map lock.
    void ApplyStoredOutputMap(bool keepMapLock);
    // The live preset name on the name button, and sent by the change scan.
    void ShowPresetNameAndSend();

    // ---- Members the pages and handlers reach --------------------------------
    CBitButton m_btnResetMap;
    CBitButton m_btnMixer;
    CBitButton m_btnLRLink;
    CBitButton m_btnLock;
    CBitButton m_btnPageSwap;
    CShow_Link m_lampLink;
    CBitButton m_btnMinimize;
    CBitButton m_btnExit;
    CBitButton m_btnPresetName;
    CBitButton m_btnSwitch31;
    CBitButton m_btnMode0;
    CBitButton m_btnMode2;
    // The mode-gain rows' buttons, controls 2069, 2068, 2067, 2066.
    CXPButton m_btnModeGain[4];
    QLineEdit m_editPresetName;
    CXPButton m_btnPresetMenu;
    CXPButton m_btnDynamics;
    CXPButton m_btnReport;
    CXPButton m_btnSettingsMenu;
    CXPButton m_btnConnect;
    CGradientProgressCtrl m_progress;
    // The page area: the parent of the output page, the lock cover and the
    // mix page. No tab of it ever shows.
    CEnTabCtrl m_tab;
    // A response graph the view constructs and never shows.
    CFStatic m_graph;
    CComBoxBtn m_btnInputSource;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The drag area follows the view's size: a press anywhere on the
    // background starts a drag.
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab anywhere in the view: no focus chain, the output page's first
    // band field in UI mode 1.
    bool focusNextPrevChild(bool next) override;

private:
    void BindFormControls();
    // Strip i from its output: level, delay, on state, sources.
    void FillStrip(int i);
    // A change of a screen's work area reaches OnSettingChange.
    void WatchWorkArea();
    void OnCommand(UINT id, UINT code);
    // The link's messages (BrelinViewLink.cpp); 0 for any other message.
    LRESULT LinkWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The view's parts of a connect and a disconnect.
    CLinkViewHooks LinkHooks();
    // The advanced settings dialog's part of them, when one exists.
    static void AddAdvancedDialogHooks(CLinkViewHooks& hooks);
    // Shows the connect popup the decision lists at the connect button's
    // left edge, 2 pixels below it; the chosen command id, 0 for none.
    UINT TrackConnectMenu(const CConnectDecision& decision);
    void OnTimer(UINT id);
    // The link clean-up of the exit button and of the window's end.
    void CleanUpLink();
    // Received data and the transfers' own messages; FALSE for others.
    bool TransferWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The strips', mix page's and panel's messages; FALSE for others.
    bool StripWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The page-area buttons; FALSE for other ids.
    bool OnStripAreaCommand(UINT id);
    // The menu commands of the preset files; FALSE for other ids.
    bool OnFileCommand(UINT id);
    // A link closed: the all-presets saves waiting for it are dropped.
    void DropPendingAllPresetsSaves();
    // The file dialog of a file kind (1 preset, 2 all presets, 3 map) with
    // the remembered folder; the chosen path, or empty when cancelled or (a
    // save) when the user would not replace a file.
    QString AskPresetFilePath(int kind, bool save);
    // The buffer of remembered folder 1 to 3, null for others.
    QString* PcFolder(int which);
    // A channel's block between a switch-off and a switch-on of its own.
    void SendOutputBlockBetweenSwitches(int channel);
    // The view's bar and the popup's for the count so far, the transfer
    // busy and the popup shown.
    void BeginTransferDisplay(bool fromDialog, bool viewBar = true);

    CBrelinDoc* const m_pDocument;

public:
    QImage m_bmpBackChinese;
    QImage m_bmpBackEnglish;
    QImage m_bmpBackChineseLocked;
    QImage m_bmpBackEnglishLocked;

private:
    std::unique_ptr<QMenu> m_menuPresets;
    std::unique_ptr<QMenu> m_menuSettings;
    std::unique_ptr<QMenu> m_menuLink;
    CRect m_rcMixColumns[OUTPUT_COUNT];

public:
    CKTVCommand m_command;
    CSerialPort m_serialPort;
    CNet_Socket m_netLink;
    CHidApiBus m_hidBus;
    CDeviceLink m_deviceLink;
    CInPutDlg m_inputPage;
    COutputDlg m_outputPage;
    CEncryption m_lockCover;
    CMixInPutCom m_mixPage;
    CGainDlg m_masterPanel;
    COutRouteDlg m_strips[OUTPUT_COUNT];
    QFont m_fontName;
    QFont m_fontName500;
    QString m_strFirmwareText;
    CJsonPresetFile m_jsonHeader;
    CMsgBox m_msgBox;

private:
    CRect m_rcDrag;
    QPoint m_ptDragStart;

    bool m_bLockToggle = false;
    int m_nDelayTemp = 0;
    CKTV_Data* m_pData = nullptr;
    QString m_szWorkDir;
    QString m_szFileFolder;
    QString m_szAllFileFolder;
    QString m_szMapFolder;
    bool m_bClosing = false;
    bool m_bHoldStatus = false;
    bool m_bDragging = false;
    bool m_bCleanedUp = false;
    std::function<std::unique_ptr<IHotPlugSource>()> m_fnHotPlugSource;
    std::deque<QString> m_pendingAllPresetsSaves;

    CTimerMap m_timers;
    std::function<void(UINT)> m_fnObserver;
};
