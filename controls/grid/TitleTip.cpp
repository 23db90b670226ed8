#include "controls/grid/TitleTip.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/Lines.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The tip's one-pixel border; its client area lies inside.
constexpr int kBorder = 1;
}  // namespace

CTitleTip::CTitleTip() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setMouseTracking(true);  // every move while it holds the mouse
    // The application losing the keyboard focus ends the tip.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == nullptr)
            Hide();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            Hide();
    });
}

CTitleTip::~CTitleTip()
{
    if (m_bFiltering)
        qApp->removeEventFilter(this);
}

bool CTitleTip::Create(QWidget* pParentWnd)
{
    if (pParentWnd == nullptr || m_bCreated)
        return false;
    m_pParentWnd = pParentWnd;
    m_bCreated = true;
    hide();
    return true;
}

QWidget* CTitleTip::ParentClient() const
{
    return GetClientWidget(m_pParentWnd);
}

void CTitleTip::Show(CRect rectTitle, const QString& titleText, int xoffset, const CRect* lpHoverRect,
                     const LOGFONT* lpLogFont)
{
    QWidget* client = ParentClient();
    if (!m_bCreated || client == nullptr || rectTitle.IsRectEmpty())
        return;
    if (isVisible() || QApplication::focusWidget() == nullptr)
        return;

    m_rectTitle = rectTitle;
    const CRect hover = lpHoverRect ? *lpHoverRect : rectTitle;
    const QPoint origin = client->mapToGlobal(QPoint(0, 0));
    rectTitle.OffsetRect(origin.x(), origin.y());

    const QString text = QStringLiteral(" ") + titleText + QStringLiteral(" ");
    m_font = TextFont(lpLogFont);
    const int width = QFontMetrics(m_font).horizontalAdvance(text);

    CRect display = rectTitle;
    display.left = rectTitle.left + xoffset;
    display.right = display.left + width + xoffset;

    // The hover area in the tip's own client coordinates, at the place where
    // the tip shows.
    m_rectHover = hover;
    m_rectHover.OffsetRect(origin.x() - display.left - kBorder, origin.y() - display.top - kBorder);
    if (display.right <= rectTitle.right - xoffset)
        return;  // the text fits the cell
    m_strShown = text;
    ShowOver(display.ToQRect());
}

QFont CTitleTip::TextFont(const LOGFONT* lpLogFont) const
{
    if (lpLogFont) {
        if (std::optional<QFont> font = CreateFontIndirect(*lpLogFont))
            return *font;
    } else if (auto* target = dynamic_cast<CMsgTarget*>(m_pParentWnd.data())) {
        if (const auto* font = reinterpret_cast<const QFont*>(SendMessage(target, WM_GETFONT, 0, 0)))
            return *font;
    }
    return m_pParentWnd->font();
}

void CTitleTip::ShowOver(const QRect& screenRect)
{
    setGeometry(screenRect);
    show();
    if (!m_bFiltering) {
        qApp->installEventFilter(this);
        m_bFiltering = true;
    }
    grabMouse();
    repaint();
}

void CTitleTip::Hide()
{
    if (!m_bCreated)
        return;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    if (m_bFiltering) {
        qApp->removeEventFilter(this);
        m_bFiltering = false;
    }
    hide();
}

void CTitleTip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), GetSysColor(COLOR_INFOBK));
    DrawFrame(painter, CRect::FromQRect(rect()), GetSysColor(COLOR_WINDOWFRAME));
    painter.setFont(m_font);
    painter.setPen(QColor(0, 0, 0));
    const QFontMetrics metrics(m_font);
    painter.drawText(kBorder, kBorder + metrics.ascent(), m_strShown);
}

QWidget* CTitleTip::TargetAt(const QPoint& global) const
{
    QWidget* under = QApplication::widgetAt(global);
    if (under == nullptr || under == this)
        return m_pParentWnd ? ParentClient() : nullptr;
    return under;
}

void CTitleTip::PassOn(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    QWidget* target = TargetAt(global);
    if (target == nullptr)
        return;
    const QPointF local = target->mapFromGlobal(event->globalPosition());
    QCoreApplication::postEvent(target, new QMouseEvent(event->type(), local, event->globalPosition(), event->button(),
                                                        event->buttons(), event->modifiers()));
}

void CTitleTip::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint client = event->position().toPoint() - QPoint(kBorder, kBorder);
    if (m_rectHover.PtInRect(client))
        return;
    Hide();
    PassOn(event);
}

void CTitleTip::mousePressEvent(QMouseEvent* event)
{
    Hide();
    PassOn(event);
}

void CTitleTip::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

bool CTitleTip::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isVisible()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        Hide();
        if (m_pParentWnd)
            QCoreApplication::postEvent(m_pParentWnd, new QKeyEvent(QEvent::KeyPress, key->key(), key->modifiers(),
                                                                    key->text(), key->isAutoRepeat(),
                                                                    ushort(key->count())));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
