// The main view as a window: painting, dragging the borderless main window,
// the keys no page takes, minimise, exit and the clean-up of the window's
// end.
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "app/BrelinView.h"
#include "app/MainFrm.h"
#include "model/DataLockState.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"

namespace {
// The main window, as the target of the view's system commands.
CMsgTarget* MainWindowTarget(QWidget* view)
{
    return dynamic_cast<CMsgTarget*>(view->window());
}

// A change of the screens' work area.
constexpr UINT SPI_SETWORKAREA = 47;
}  // namespace

void CBrelinView::paintEvent(QPaintEvent*)
{
    // Nothing is erased first: the background covers the view.
    const bool locked = g_bDataLocked;
    const QImage& back = g_bChinese ? (locked ? m_bmpBackChineseLocked : m_bmpBackChinese)
                                    : (locked ? m_bmpBackEnglishLocked : m_bmpBackEnglish);
    QPainter(this).drawImage(0, 0, back);
}

// ---- Moving the borderless main window ------------------------------------------

void CBrelinView::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_rcDrag.PtInRect(point)) {
        auto* frame = qobject_cast<CMainFrame*>(window());
        if (!CMainFrame::CanPlaceWindows() && frame != nullptr) {
            // Where a window cannot place itself the window manager moves it.
            frame->StartSystemMove();
        } else {
            // The press grabs the pointer until the release.
            m_ptDragStart = point;
            m_bDragging = true;
        }
    }
    QWidget::mousePressEvent(event);
}

void CBrelinView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging)
        window()->move(event->globalPosition().toPoint() - m_ptDragStart);
    QWidget::mouseMoveEvent(event);
}

void CBrelinView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_rcDrag = CRect::FromQRect(rect());
}

void CBrelinView::mouseReleaseEvent(QMouseEvent* event)
{
    m_bDragging = false;
    QWidget::mouseReleaseEvent(event);
}

// ---- Keys --------------------------------------------------------------------------

void CBrelinView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Neither key closes or presses anything: the view takes the focus,
        // so a field being typed in commits.
        setFocus(Qt::OtherFocusReason);
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool CBrelinView::focusNextPrevChild(bool)
{
    // Tab never walks the controls; in UI mode 1 it goes to the output
    // page's first band field.
    if (g_nUiMode == UI_MODE_OUTPUT_PAGE)
        m_outputPage.FocusFirstBandField();
    return true;
}

// ---- Minimise, exit, clean-up ---------------------------------------------------------

void CBrelinView::OnMinimizeButton()
{
    PostMessage(MainWindowTarget(this), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void CBrelinView::OnExitButton()
{
    CleanUpLink();
    m_bClosing = true;
    SendMessage(MainWindowTarget(this), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void CBrelinView::OnDestroy()
{
    if (!m_bClosing)
        CleanUpLink();
}

void CBrelinView::OnSettingChange(UINT flags)
{
    if (flags == SPI_SETWORKAREA || flags == 0) {
        UpdateWindowTitle();
        window()->update();
    }
}

void CBrelinView::WatchWorkArea()
{
    for (QScreen* screen : QGuiApplication::screens())
        connect(screen, &QScreen::availableGeometryChanged, this, [this] { OnSettingChange(SPI_SETWORKAREA); });
}
