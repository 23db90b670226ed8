#pragma once
// The firmware update dialog (270): the firmware file's path with Browse,
// a red status line, a bar with its percentage, Update and Quit. Update
// closes the link, lets the user pick the USB device or the network, loads
// the file and opens the chosen link in update mode; the I/O worker then
// runs the update, moving the bar and the status line through the
// published displays. A link that does not open at once is tried again by
// the reconnect poll (CUpData_Thread).
//
// Neither Enter nor Escape closes the dialog (they only move the focus to
// it); the close box is Quit, which asks first while an update runs.
//
// The dialog's lower part, cut off by its size, holds the serial link's
// controls, hidden: nothing in the dialog reads them.
//
// UI thread only.
#include <functional>
#include <memory>

#include <QDialog>
#include <QString>

#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CButtonRadio;
class CDeviceLink;
class CGradientProgressCtrl;
class CNet_Socket;
class CSxGroupBox;
class CTransparentStatic;
class CUpData_Thread;
class CUpdateStatusLine;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;

class CUpgradeDlg : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum : int {
        IDD = 270,
        IDC_PORT = 1898,
        IDC_QUIT = 1891,
        IDC_FILE_GROUP = 1889,
        IDC_LINK_GROUP = 1890,
        IDC_TOOL_LABEL = 1887,
        IDC_STATUS = 1886,
        IDC_PROGRESS = 1414,
        IDC_FILE_LABEL = 1878,
        IDC_PATH = 1882,
        IDC_UPDATE = 1881,
        IDC_BROWSE = 1883,
        IDC_USB = 1798,
        IDC_WIFI = 1880,
        IDC_COM = 1888,
        // The window's size once set up, in pixels.
        WINDOW_WIDTH = 397,
        WINDOW_HEIGHT = 160,
    };

    // link: the view's link; net: its network link holder (never reachable
    // when null); selectFile: the view's file choice (the file dialog owned
    // by its argument), TRUE when a ".bin" file was chosen.
    CUpgradeDlg(CDeviceLink& link, const CNet_Socket* net, std::function<bool(QWidget* owner)> selectFile,
                QWidget* parent = nullptr);
    // Whatever still runs of the dialog's work ends first (see EndWork).
    ~CUpgradeDlg() override;

    // OnInitDialog, then the dialog runs modally (through the modal-dialog
    // seam); the dialog's work has ended when it returns.
    int DoModal();
    // Port list, texts by language, the poll thread, the path, the
    // published bar and status line, the size and menu 114.
    void OnInitDialog();

    // The dialog's commands.
    void OnBrowseButton();
    void OnUpdateButton();
    void OnCancelButton();
    // A popup item: 732 the one USB device, 733 the network, 6600 + i the
    // USB device i.
    void OnLinkMenuCommand(UINT id);
    // WM_UPDATE_LINK_RESULT (wParam the poll's session, lParam connected).
    void OnLinkResult(WPARAM session, LPARAM connected);

    // Starts an update over the USB device at path, or over the network.
    void StartUsbUpdate(const QString& path);
    void StartNetworkUpdate();

    // The network connect of an update is under way.
    bool IsConnecting() const { return m_bConnecting; }
    // The result of the last connect for an update.
    bool IsLinkOpened() const { return m_bLinkOpened; }
    CUpData_Thread* PollThread() const { return m_pPollThread.get(); }

    QLineEdit* PathEdit() const { return m_editPath; }
    QPushButton* UpdateButton() const { return m_btnUpdate; }
    QPushButton* BrowseButton() const { return m_btnBrowse; }
    QPushButton* QuitButton() const { return m_btnQuit; }
    CTransparentStatic* StatusLine() const { return m_stStatus; }
    CGradientProgressCtrl* ProgressBar() const { return m_progress; }
    QComboBox* PortList() const { return m_cbComPort; }
    QString ComPort() const { return m_strComPort; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The close box and Escape's default both come here: Quit, posted.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The hidden port list: every serial port, busy ones too.
    void FillPortList();
    // The outcome of opening the update's link: the bar reset, or the poll.
    void OnUpdateLinkOpened(bool opened);
    // Everything of the update's start that is common to both links: the
    // path read, the file loaded, the link closed and its kind set. FALSE
    // when the file did not load.
    bool PrepareUpdate(int linkType);
    // Ends the dialog's work: the poll and its thread, a connect the dialog
    // began and that left no link, the published displays. Once.
    void EndWork();
    // EndWork, then the dialog closes.
    void CloseDialog();

    CDeviceLink& m_link;
    const CNet_Socket* const m_pNet;
    std::function<bool(QWidget*)> m_fnSelectFile;

    // The controls, in the template's order.
    QComboBox* m_cbComPort = nullptr;
    QPushButton* m_btnQuit = nullptr;
    CSxGroupBox* m_grpFile = nullptr;
    CSxGroupBox* m_grpLink = nullptr;
    CTransparentStatic* m_stTool = nullptr;
    CTransparentStatic* m_stStatus = nullptr;
    CGradientProgressCtrl* m_progress = nullptr;
    CTransparentStatic* m_stFileLabel = nullptr;
    QLineEdit* m_editPath = nullptr;
    QPushButton* m_btnUpdate = nullptr;
    QPushButton* m_btnBrowse = nullptr;
    CButtonRadio* m_rdUsb = nullptr;
    CButtonRadio* m_rdWifi = nullptr;
    CButtonRadio* m_rdCom = nullptr;

    bool m_bLinkOpened = false;
    QString m_strComPort;
    std::unique_ptr<CUpData_Thread> m_pPollThread;
    std::unique_ptr<QMenu> m_menuLink;
    std::shared_ptr<CUpdateStatusLine> m_pStatusLine;
    // An update's network connect runs.
    bool m_bConnecting = false;
    // An update's link was asked for: closing gives it up unless it is up.
    bool m_bConnectStarted = false;
    bool m_bWorkEnded = false;
};
