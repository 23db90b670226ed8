#pragma once
// The application object: brings the whole program up in a fixed order,
// routes every message box of the process to the program's own box, and
// takes it down again after the event loop. One instance, g_theApp.
//
// Start-up (InitInstance): the command line (only the registration
// switches count), sockets, the link-group tables, the parameter model's
// defaults, the global fonts, brush and menu, the language from the
// system's locale, then the document, the main frame, the child frame and
// the view, whose one-time set-up builds the user interface. No file is
// read and no device is contacted before the event loop runs: the view
// only posts WM_AUTO_CONNECT to itself.
//
// A start can follow an end in one process: ExitInstance frees every
// window, the document and the global menu.
#include <functional>
#include <memory>

#include <QLocale>
#include <QPointer>
#include <QStringList>

#include "app/MainFrm.h"
#include "link/HidBus.h"
#include "link/HotPlugSource.h"
#include "link/LocalAdapters.h"
#include "link/PingProbe.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/Types.h"

class CBrelinDoc;
class CBrelinView;
class CChildFrame;
class CTerminationSignals;

class CBrelinApp {
public:
    enum : UINT {
        // The box shown when no socket can be opened.
        IDS_SOCKETS_FAILED = 105,
    };
    enum : int { SOCKETS_FAILED_HELP_ID = -4 };

    CBrelinApp();
    ~CBrelinApp();
    CBrelinApp(const CBrelinApp&) = delete;
    CBrelinApp& operator=(const CBrelinApp&) = delete;

    // TRUE when the main window is up; FALSE ends the program before the
    // event loop (ExitInstance then gives its exit code).
    bool InitInstance(const QStringList& arguments);
    // After the event loop (or a failed start): frees the windows, the
    // document and the global objects; returns the exit code.
    int ExitInstance(int loopResult = 0);
    // Every message box of the process: the own box, captioned with the
    // application's name, its stored result.
    int DoMessageBox(const QString& prompt, UINT type, int helpId);
    // FALSE when the command line ends with a registration switch (nothing
    // is registered; the program ends without a window).
    bool InitComServer(const QStringList& arguments);
    // Exactly "/RegServer", "-RegServer", "/UnregServer" or "-UnregServer",
    // in any letter case.
    static bool IsRegistrationSwitch(const QString& argument);
    // The first link group not in use; 0 when all twelve are.
    int FindFreeLinkGroup() const;
    // Runs the About box.
    void OnAppAbout();

    // The system's locale is Chinese (China).
    bool IsChineseSystemLocale() const;

    CMainFrame* GetMainWnd() const { return m_pMainWnd; }
    CChildFrame* GetChildFrame() const;
    CBrelinView* GetView() const;
    CBrelinDoc* GetDocument() const { return m_pDocument.get(); }

    // ---- What start-up asks of the machine; tests put their own --------------
    // Whether a network socket can be opened (a TCP socket by default).
    std::function<bool()> m_fnSocketsAvailable;
    // The system's locale (QLocale::system() by default).
    QLocale m_systemLocale;
    // How the view's network link finds the local adapters and probes the
    // device.
    AdapterLister m_adapterLister;
    ReachabilityProbe m_reachabilityProbe;
    // The HID devices the view's USB link sees (hidapi's when null) and
    // where their arrivals and removals come from (udev's when it makes
    // none).
    IHidBus* m_pHidBus = nullptr;
    std::function<std::unique_ptr<IHotPlugSource>()> m_fnHotPlugSource;
    // Whether start-up routes the message boxes to the own box (tests keep
    // their recorder) and closes the window on SIGINT and SIGTERM.
    bool m_bRouteMessageBoxes = true;
    bool m_bCloseOnSignals = true;

    // The COM module ran (set while starting, cleared by a switch).
    bool m_bComStarted = false;

private:
    std::unique_ptr<CBrelinDoc> m_pDocument;
    QPointer<CMainFrame> m_pMainWnd;
    std::unique_ptr<CTerminationSignals> m_pSignals;
    bool m_bBoxesRouted = false;
    MessageBoxHandler m_previousBoxHandler;
    int m_nExitCode = 0;
};

extern CBrelinApp g_theApp;
