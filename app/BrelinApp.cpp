#include "app/BrelinApp.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QDebug>

#include "app/AboutDlg.h"
#include "app/BrelinDoc.h"
#include "app/BrelinView.h"
#include "app/ChildFrm.h"
#include "app/GlobalObjects.h"
#include "app/LinkGroupTables.h"
#include "app/MainFrm.h"
#include "app/MessageBox.h"
#include "model/DataDefine.h"
#include "model/WorkingStrings.h"
#include "platform/core/Language.h"
#include "platform/core/TerminationSignals.h"
#include "platform/gui/ResourceStore.h"

CBrelinApp g_theApp;

namespace {
bool TcpSocketOpens()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

const char* const kRegistrationSwitches[] = {"/RegServer", "-RegServer", "/UnregServer", "-UnregServer"};
}  // namespace

CBrelinApp::CBrelinApp()
    : m_fnSocketsAvailable(TcpSocketOpens), m_systemLocale(QLocale::system()), m_adapterLister(ReadLocalAdapters),
      m_reachabilityProbe(PingDevice)
{
}

CBrelinApp::~CBrelinApp() = default;

bool CBrelinApp::IsRegistrationSwitch(const QString& argument)
{
    for (const char* s : kRegistrationSwitches) {
        if (argument.compare(QLatin1String(s), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool CBrelinApp::InitComServer(const QStringList& arguments)
{
    m_bComStarted = true;
    // Only a whole last argument is a switch (the first is the program).
    if (arguments.size() > 1 && IsRegistrationSwitch(arguments.last())) {
        m_bComStarted = false;
        return false;
    }
    return true;
}

bool CBrelinApp::IsChineseSystemLocale() const
{
    return m_systemLocale.language() == QLocale::Chinese && m_systemLocale.territory() == QLocale::China;
}

int CBrelinApp::DoMessageBox(const QString& prompt, UINT type, int helpId)
{
#ifndef NDEBUG
    // A debug trace, as the debugging builds have always written it.
    if ((type & MB_ICONMASK) == 0)
        qDebug("Warning: no icon specified for message box.");
#endif
    return CMessageBox::RunForCall(prompt, type, helpId);
}

bool CBrelinApp::InitInstance(const QStringList& arguments)
{
    m_nExitCode = 0;
    if (m_bRouteMessageBoxes && !m_bBoxesRouted) {
        m_previousBoxHandler = SetMessageBoxHandler(
            [this](const QString& text, unsigned type, int helpId) { return DoMessageBox(text, type, helpId); });
        m_bBoxesRouted = true;
    }
    // The registration switches end the program before anything else is
    // made; no other argument changes anything.
    if (!InitComServer(arguments))
        return false;
    if (m_fnSocketsAvailable && !m_fnSocketsAvailable()) {
        AppMessageBox(CResourceStore::Text(IDS_SOCKETS_FAILED), MB_OK, SOCKETS_FAILED_HELP_ID);
        m_nExitCode = 1;
        return false;
    }

    ClearLinkGroupTables();
    // The stored language is read afresh.
    g_strLanguage.clear();
    InitDefaultDeviceData();
    CreateGlobalObjects();
    g_bChinese = IsChineseSystemLocale();

    m_pDocument = std::make_unique<CBrelinDoc>();
    m_pMainWnd = new CMainFrame();
    auto* child = new CChildFrame(m_pMainWnd);
    m_pDocument->OnNewDocument();
    ViewMachineAccess access;
    access.lister = m_adapterLister;
    access.probe = m_reachabilityProbe;
    access.hidBus = m_pHidBus;
    access.hotPlugSource = m_fnHotPlugSource;
    auto* view = new CBrelinView(m_pDocument.get(), child, std::move(access));
    child->SetView(view);
    view->OnInitialUpdate();

    m_pMainWnd->show();
    child->ShowMaximized();
    if (m_bCloseOnSignals) {
        m_pSignals = std::make_unique<CTerminationSignals>([this](int) {
            if (m_pMainWnd)
                m_pMainWnd->close();
        });
    }
    return true;
}

int CBrelinApp::ExitInstance(int loopResult)
{
    m_pSignals.reset();
    // The view's clean-up has run when the frame closed; deleting the
    // frame deletes the child frame and the view with it.
    delete m_pMainWnd.data();
    m_pDocument.reset();
    ReleaseGlobalObjects();
    if (m_bBoxesRouted) {
        SetMessageBoxHandler(m_previousBoxHandler);
        m_previousBoxHandler = nullptr;
        m_bBoxesRouted = false;
    }
    m_bComStarted = false;
    return m_nExitCode != 0 ? m_nExitCode : loopResult;
}

int CBrelinApp::FindFreeLinkGroup() const
{
    return ::FindFreeLinkGroup();
}

void CBrelinApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.exec();
}

CChildFrame* CBrelinApp::GetChildFrame() const
{
    return m_pMainWnd ? m_pMainWnd->GetActiveFrame() : nullptr;
}

CBrelinView* CBrelinApp::GetView() const
{
    CChildFrame* child = GetChildFrame();
    return child != nullptr ? child->GetView() : nullptr;
}
