#pragma once
// The "Advanced Setting" dialog (675): the WiFi module's address and port
// (taken over by Apply), its factory defaults (system item 65), the input
// source (popup menu 173 from the source box), the list of outputs CH1 to
// CH8 with their speaker positions and link marks, the limiter of the
// current output with its transfer curve, the input noise threshold and the
// Line_Set display switch. Some controls of the template stay hidden (four
// further values, the source button, the description label); their
// handlers still work through WM_COMMAND.
//
// No window of the program opens it. Whoever creates it sets m_pView and
// m_pData, then shows it modeless; the close button (2) closes and deletes
// it. While it exists g_pAdvSetingDlg names it, and the view calls
// RefreshFromData, EnableCommandButton and ShowNetworkSettings through that
// pointer; the destructor clears it.
//
// The dialog sends nothing itself: it writes the system bytes and the
// channel objects and asks the view to send. UI thread only.
#include <QDialog>
#include <QImage>
#include <QString>

#include "controls/BitButton.h"
#include "controls/FontStatic.h"
#include "controls/IpAddressCtrl.h"
#include "controls/ListCtrlCl.h"
#include "graphs/COM_EXT_LIMStatic.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "pages/input/Adv_ComBox.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CDataExchange;
class CKTV_Data;
class CKTV_OutData;
class CTransparentStatic;
class IMainView;
class QMenu;

class CAdv_Seting : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum : int {
        IDD = 675,
        IDC_DESCRIPTION = 2805,
        IDC_LINE_SET = 2797,
        IDC_SOURCE_BOX = 2796,
        IDC_LONG_TIME_SPIN = 2794,
        IDC_LONG_TIME = 2792,
        IDC_LEVEL_B_SPIN = 2793,
        IDC_LEVEL_B = 2791,
        IDC_WIFI_DEFAULTS = 2790,
        IDC_NOISE = 2765,
        IDC_NOISE_SPIN = 2060,
        IDC_CURVE = 2764,
        IDC_THRESHOLD_SPIN = 2761,
        IDC_RELEASE_SPIN = 2763,
        IDC_ATTACK_SPIN = 2762,
        IDC_THRESHOLD = 2758,
        IDC_RELEASE = 2760,
        IDC_ATTACK = 2759,
        IDC_VPP_SPIN = 2780,
        IDC_VPP = 2778,
        IDC_CHANNELS = 2757,
        IDC_APPLY = 2743,
        IDC_PORT = 2741,
        IDC_ADDRESS = 2739,
        IDC_CLOSE = 2,
        IDC_LEVEL_A_SPIN = 2732,
        IDC_TIME_SPIN = 2735,
        IDC_LEVEL_A = 2731,
        IDC_TIME = 2734,
        IDC_SOURCE = 2729,
        // Backgrounds and the source menu with its items (sources 0 to 6).
        IDB_BACK_EN = 788,
        IDB_BACK_CN = 789,
        IDR_SOURCE_MENU = 173,
        ID_SOURCE_FIRST = 174,
        ID_SOURCE_LAST = 180,
        // Rows of the list (CH1 to CH8) and its columns.
        LIST_ROWS = 8,
        COLUMN_CHANNEL = 0,
        COLUMN_MAP = 1,
        COLUMN_EDIT = 2,
        COLUMN_LINK = 3,
        FOCUS_ORDER_SIZE = 10,
        // The release is shown as its code + 50 ms.
        RELEASE_SHOWN_OFFSET = 50,
        PORT_MIN = 1,
        PORT_MAX = 65535,
    };

    explicit CAdv_Seting(QWidget* parent = nullptr);
    ~CAdv_Seting() override;

    // The creator sets both before Create.
    IMainView* m_pView = nullptr;

    // Lays out the template's controls and runs the set-up; then the
    // creator shows the dialog.
    bool Create();

    // ---- What the view calls through g_pAdvSetingDlg ----------------------
    // After a preset arrived: every control again from the globals and the
    // current output (the list's marks redone from row 0).
    void RefreshFromData();
    // Button 2790 follows the link.
    void EnableCommandButton(bool enable);
    // Address and port from g_strDeviceIp and g_nDevicePort; Apply disabled.
    void ShowNetworkSettings();

    // ---- Internal operations (public for tests) -----------------------------
    void SelectChannel(int row);
    void ClearChannelMarks();
    void MarkChannel();
    void LoadChannelDynamics();
    void FillChannelMap();
    void EnableExtraLevel();
    void LoadSettings();
    void ApplySkins();
    void ShowSourceButton();
    void SelectInputSource(int n);
    int FindFocusIndex(int id) const;
    void FocusPrevious(int id);
    void FocusNext(int id);
    // Source menu (button 2729 or a press on the source box).
    void OnSourceButton();
    // Apply (2743): the address and port taken over after their checks.
    void OnApply();
    // The port edit's text changed by the user (EN_CHANGE) and left
    // (EN_KILLFOCUS).
    void OnPortChange();
    void OnPortKillFocus();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- Members in the template's order ------------------------------------
    CKTV_Data* m_pData = nullptr;  // set by the creator
    CFontStatic m_stcDescription;
    CBitButton m_btnLineSet;
    CAdv_ComBox m_cbSource;
    CNumSpin m_spinLongTime;
    CNumEdit m_editLongTime;
    CNumSpin m_spinLevelB;
    CNumEdit m_editLevelB;
    CBitButton m_btnWifiDefaults;
    CNumEdit m_editNoise;
    CNumSpin m_spinNoise;
    CCOM_EXT_LIMStatic m_curve;
    CNumSpin m_spinThreshold;
    CNumSpin m_spinRelease;
    CNumSpin m_spinAttack;
    CNumEdit m_editThreshold;
    CNumEdit m_editRelease;
    CNumEdit m_editAttack;
    CNumSpin m_spinVpp;
    CNumEdit m_editVpp;
    CListCtrlCl m_listChannels;
    CBitButton m_btnApply;
    CNumEdit m_editPort;
    CIpAddressCtrl m_ipAddress;
    CBitButton m_btnClose;
    CNumSpin m_spinLevelA;
    CNumSpin m_spinTime;
    CNumEdit m_editLevelA;
    CNumEdit m_editTime;
    CBitButton m_btnSource;
    int m_nPort = 10;
    CKTV_OutData* m_pCurOutput = nullptr;
    int m_nTime = 0;
    int m_nLevelA = 0;
    int m_nLevelB = 0;
    int m_nLongTime = 0;
    QImage m_bmpBackEnglish;
    QImage m_bmpBackChinese;
    int m_nCurRow = 0;
    QString m_strLinkMarker;
    QString m_strEditMarker;
    int m_nThreshold = 0;
    int m_nAttack = 0;
    int m_nRelease = 0;
    int m_nNoise = 0;
    QMenu* m_pSourceMenu = nullptr;
    QString m_strDescription;
    int m_anFocusOrder[FOCUS_ORDER_SIZE] = {};

    // The focus-order id whose control could not take the focus (hidden):
    // the dialog holds the focus meanwhile, and the next Enter or Tab goes
    // on from this id. 0 for none.
    int PendingFocusId() const { return m_nPendingFocusId; }

protected:
    bool OnInitDialog();
    // Port (1 to 65535) with the controls: save refuses a port outside the
    // range with a box and answers false.
    bool DoDataExchange(CDataExchange* exchange);
    // Enter, Tab and Escape (the keys never reach the dialog's own
    // handling); false lets the event through.
    bool PreTranslateMessage(QKeyEvent* event);
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PlaceControls();
    void SetUpNumeric();
    void SetUpTexts();
    // The focus to the control of a focus-order id, or to the dialog when
    // it cannot take it.
    void FocusControl(int id);
    void OnCommand(UINT id, UINT code);
    void OnNotify(const NMHDR* notice);
    void OnListClick(int row);
    void OnLineSet();
    void OnClose();
    // A system byte stored, and system item 2 or 5 flagged for the scan.
    void StoreSystemByte(BYTE* byte, int value, int item);
    void OnNoise();
    // The limiter value of field id (threshold, attack or release) into the
    // current output.
    void StoreLimiter(UINT id);
    // Both threshold edits without their active look.
    void DropThresholdLooks();
    bool IsRowInList(int row) const { return row >= 0 && row < LIST_ROWS; }

    int m_nPendingFocusId = 0;
    bool m_bClosing = false;
};

// The advanced settings dialog while one exists, null otherwise.
extern CAdv_Seting* g_pAdvSetingDlg;
