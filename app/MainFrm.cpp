#include "app/MainFrm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QRegion>
#include <QResizeEvent>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include "app/ChildFrm.h"
#include "model/SharedTexts.h"
#include "platform/core/AppMode.h"
#include "platform/core/SystemMessages.h"

CMainFrame::CMainFrame() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    // The window's place and size before it is centred.
    setGeometry(0, 0, FRAME_WIDTH, FRAME_HEIGHT);
    setWindowTitle(g_strMainTitle);
    OnCreate();
    for (QScreen* screen : QGuiApplication::screens())
        WatchScreen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        WatchScreen(screen);
        OnDisplayChange();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, [this](QScreen*) { OnDisplayChange(); });
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::WatchScreen(QScreen* screen)
{
    connect(screen, &QScreen::geometryChanged, this, [this](const QRect&) { OnDisplayChange(); });
}

void CMainFrame::SetChildFrame(CChildFrame* child)
{
    m_pChild = child;
}

void CMainFrame::OnCreate()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred(QPoint(), size());
        centred.moveCenter(screen->geometry().center());
        move(centred.topLeft());
    }
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const Qt::WindowStates state = windowState();
    const SizeType type = (state & Qt::WindowMinimized)   ? SIZE_MINIMIZED
                          : (state & Qt::WindowMaximized) ? SIZE_MAXIMIZED
                                                          : SIZE_RESTORED;
    OnSize(type, event->size().width(), event->size().height());
}

void CMainFrame::OnSize(SizeType type, int cx, int cy)
{
    if (m_pChild != nullptr && m_pChild->IsMaximized())
        m_pChild->setGeometry(0, 0, cx, cy);
    if ((type == SIZE_MAXIMIZED || type == SIZE_RESTORED) && (g_nAppMode == 1 || g_nAppMode == 2))
        setWindowTitle(g_strMainTitle);
    setMask(QRegion(REGION_INSET, REGION_INSET, cx - 2 * REGION_INSET, cy - 2 * REGION_INSET));
}

void CMainFrame::OnDisplayChange()
{
    ++m_nDisplayChanges;
    setGeometry(0, 0, DISPLAY_CHANGE_WIDTH, DISPLAY_CHANGE_HEIGHT);
    show();
    raise();
}

bool CMainFrame::CanPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool CMainFrame::StartSystemMove()
{
    QWindow* handle = windowHandle();
    return handle != nullptr && handle->startSystemMove();
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_SYSCOMMAND)
        return 0;
    switch (wParam & 0xFFF0) {
    case SC_MINIMIZE:
        showMinimized();
        break;
    case SC_CLOSE:
        close();
        break;
    default:
        break;
    }
    return 0;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // The view's clean-up first (the link threads end), then the loop. The
    // windows themselves go when the application ends, once no handler of
    // theirs runs any more.
    if (m_pChild != nullptr)
        m_pChild->OnFrameClosing();
    event->accept();
    // Only a running loop is ended: an exit asked for outside one would end
    // every later loop (a message box's) at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}
