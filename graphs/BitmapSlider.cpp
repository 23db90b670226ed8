#include "graphs/BitmapSlider.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "graphs/MemDC.h"
#include "graphs/NumEdit.h"
#include "model/FrequencyTables.h"
#include "model/Units.h"
#include "model/WindowMessages.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/MouseKeyFlags.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
const QString kBitmap = QStringLiteral("BMP");

// A double truncated toward zero, kept inside int for values far outside
// any travel (an unclamped SetValue).
int Trunc(double value)
{
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    return int(value);
}

int ToInt(long long value)
{
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// 0 where the picture shows its key colour, 255 elsewhere. The key is
// clrTransparent, or with CLR_DEFAULT the picture's pixel at (x, y); a point
// outside the picture keys nothing.
QImage KeyMask(const QImage& picture, COLORREF clrTransparent, int x, int y)
{
    QImage mask(picture.size(), QImage::Format_Alpha8);
    mask.fill(255);
    QRgb key;
    if (clrTransparent == CLR_DEFAULT) {
        if (!picture.rect().contains(x, y))
            return mask;
        key = picture.pixel(x, y);
    } else {
        key = ToQColor(clrTransparent).rgb();
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < rgb.height(); ++row) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(row));
        uchar* out = mask.scanLine(row);
        for (int col = 0; col < rgb.width(); ++col)
            if (((line[col] ^ key) & 0xFFFFFF) == 0)
                out[col] = 0;
    }
    return mask;
}

// The picture ready to draw: premultiplied, and see-through where the mask
// (when given) holds 0. Pixels beyond the mask stay as they are.
QImage PaintReady(const QImage& picture, const QImage& mask = QImage())
{
    QImage ready = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (mask.isNull())
        return ready;
    const int w = std::min(ready.width(), mask.width());
    const int h = std::min(ready.height(), mask.height());
    for (int row = 0; row < h; ++row) {
        QRgb* line = reinterpret_cast<QRgb*>(ready.scanLine(row));
        const uchar* m = mask.constScanLine(row);
        for (int col = 0; col < w; ++col)
            if (m[col] == 0)
                line[col] = 0;
    }
    return ready;
}

QImage LoadPicture(UINT id)
{
    return id == 0 ? QImage() : CResourceStore::Image(kBitmap, id);
}

// Loads a picture and, when activeId is not 0, its active variant; false
// when either is missing.
bool LoadPair(UINT id, UINT activeId, QImage* picture, QImage* active)
{
    *picture = LoadPicture(id);
    *active = LoadPicture(activeId);
    return !picture->isNull() && (activeId == 0 || !active->isNull());
}

QImage Keyed(const QImage& picture, bool transparent, COLORREF clrTransparent, int x, int y)
{
    return PaintReady(picture, transparent ? KeyMask(picture, clrTransparent, x, y) : QImage());
}
}  // namespace

CBitmapSlider::CBitmapSlider(QWidget* parent)
    : QWidget(parent), m_timers(this, [this](UINT id) { OnTimer(id); })
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    UpdateOpacity();
}

CBitmapSlider::~CBitmapSlider() = default;

// ---- Bitmaps ----------------------------------------------------------------

bool CBitmapSlider::SetChannelBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x,
                                      int y)
{
    m_channel = m_channelActive = QImage();
    m_bChannel = m_bChannelActive = false;
    m_bChannelTransparent = transparent;
    if (id == 0) {
        UpdateOpacity();
        update();
        return true;
    }
    QImage channel, active;
    const bool ok = LoadPair(id, activeId, &channel, &active);
    if (ok) {
        m_channel = Keyed(channel, transparent, clrTransparent, x, y);
        m_bChannel = true;
        if (activeId != 0) {
            m_channelActive = Keyed(active, transparent, clrTransparent, x, y);
            m_bChannelActive = true;
        }
        m_nChannelWidth = channel.width();
        m_nChannelHeight = channel.height();
        resize(channel.size());
    }
    UpdateOpacity();
    update();
    return ok;
}

bool CBitmapSlider::SetThumbBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x, int y)
{
    if (static_cast<long long>(id) == m_nThumbId)
        return true;
    m_thumbPicture = m_thumbMask = m_thumbActive = QImage();
    m_bThumb = m_bThumbActive = false;
    m_nThumbId = -1;
    m_bThumbTransparent = transparent;
    if (id == 0) {
        RebuildThumbImages();
        update();
        return true;
    }
    QImage thumb, active;
    const bool ok = LoadPair(id, activeId, &thumb, &active);
    if (ok) {
        m_thumbPicture = thumb;
        m_thumbMask = KeyMask(thumb, clrTransparent, x, y);
        m_bThumb = true;
        if (activeId != 0) {
            m_thumbActive = Keyed(active, transparent, clrTransparent, x, y);
            m_bThumbActive = true;
        }
        m_nThumbWidth = thumb.width();
        m_nThumbHeight = thumb.height();
        m_nThumbId = id;
        if (!m_bChannel) {
            m_nChannelWidth = width();
            m_nChannelHeight = height();
        }
    }
    RebuildThumbImages();
    update();
    return ok;
}

void CBitmapSlider::SetDisabledThumbBitmap(UINT id)
{
    m_disabledPicture = LoadPicture(id);
    if (!m_disabledPicture.isNull())
        m_thumbMask = KeyMask(m_disabledPicture, CLR_DEFAULT, 0, 0);
    RebuildThumbImages();
    update();
}

void CBitmapSlider::RebuildThumbImages()
{
    const QImage mask = m_bThumbTransparent ? m_thumbMask : QImage();
    m_thumb = m_thumbPicture.isNull() ? QImage() : PaintReady(m_thumbPicture, mask);
    m_disabledThumb = m_disabledPicture.isNull() ? QImage() : PaintReady(m_disabledPicture, mask);
}

void CBitmapSlider::UpdateOpacity()
{
    // An opaque channel covers the control: the parent need not be drawn
    // under it.
    setAttribute(Qt::WA_OpaquePaintEvent, m_bChannel && !m_bChannelTransparent);
}

// ---- Range, position, value ---------------------------------------------------

void CBitmapSlider::SetRange(int min, int max, bool redraw)
{
    SetMin(min, false);
    SetMax(max, redraw);
}

void CBitmapSlider::SetMax(int max, bool redraw)
{
    m_nMax = max;
    if (redraw)
        update();
}

void CBitmapSlider::SetMin(int, bool redraw)
{
    m_nMin = 0;
    if (redraw)
        update();
}

int CBitmapSlider::ClampPos(long long pos) const
{
    if (pos > m_nMax)
        pos = m_nMax;
    if (pos < 0)
        pos = 0;
    return int(pos);
}

void CBitmapSlider::SetPos(int pos)
{
    m_nPos = ClampPos(pos);
    update();
}

void CBitmapSlider::SetReversedPos(int v)
{
    m_nPos = ToInt(static_cast<long long>(m_nMax) - v);
    update();
}

int CBitmapSlider::GetReversedPos() const
{
    return ToInt(static_cast<long long>(m_nMax) - m_nPos);
}

int CBitmapSlider::SetPageSize(int page)
{
    const int previous = m_nPage;
    m_nPage = page;
    return previous;
}

void CBitmapSlider::SetMargin(int left, int top, int right, int bottom)
{
    m_nMarginLeft = left;
    m_nMarginTop = top;
    m_nMarginRight = right;
    m_nMarginBottom = bottom;
}

void CBitmapSlider::SetValue(int v)
{
    const long long max = m_nMax;
    long long pos;
    switch (m_nScaleType) {
    case SCALE_GAIN:
        pos = max - v + 80;
        break;
    case SCALE_MIX:
        pos = v;
        break;
    case SCALE_PLUS_20:
        pos = static_cast<long long>(v) - 20;
        break;
    default:
        pos = max - v;
        break;
    }
    m_nPos = ToInt(pos);
    repaint();
}

int CBitmapSlider::GetValue() const
{
    const long long max = m_nMax, p = m_nPos;
    switch (m_nScaleType) {
    case SCALE_GAIN:
        return ToInt(max - p + 80);
    case SCALE_MIX:
        return m_nPos;
    case SCALE_PLUS_20:
        return ToInt(p + 20);
    default:
        return ToInt(max - p);
    }
}

void CBitmapSlider::SetFrequency(int hz)
{
    const long long index = FrequencyToGridIndex(hz);
    if (m_nScaleType == SCALE_FREQUENCY)
        m_nPos = ToInt(m_nMax - index);
    else if (m_nScaleType == SCALE_FREQUENCY_HIGH)
        m_nPos = ToInt(static_cast<long long>(m_nMax) + 192 - index);
    m_nPos = ClampPos(m_nPos);
    update();
}

int CBitmapSlider::GetFrequency() const
{
    long long index = static_cast<long long>(m_nMax) - m_nPos;
    if (m_nScaleType == SCALE_FREQUENCY_HIGH)
        index += 192;
    // A maximum beyond the grid, or a position outside the range, names the
    // nearest end of the grid.
    index = std::clamp<long long>(index, 0, GRID_POINTS - 1);
    return int(g_FrequencyGrid[index]);
}

// ---- Behaviour ------------------------------------------------------------------

void CBitmapSlider::Enable(bool enable)
{
    m_bEnabled = enable;
    if (!enable && m_bDragging) {
        m_bDragging = false;
        if (mouseGrabber() == this)
            releaseMouse();
    }
    update();
}

void CBitmapSlider::SetDrawFocusRect(bool on, bool redraw)
{
    m_bDrawFocusRect = on;
    if (redraw)
        update();
}

void CBitmapSlider::SetBuddyEdit(CNumEdit* edit)
{
    m_pBuddy = edit;
}

void CBitmapSlider::SetFocusLook(bool on)
{
    if (on == m_bFocused)
        return;
    m_bFocused = on;
    update();
}

LRESULT CBitmapSlider::WindowProc(UINT message, WPARAM, LPARAM)
{
    if (message == WM_SLIDER_TAKE_FOCUS) {
        setFocus(Qt::OtherFocusReason);
        m_bFocused = true;
        update();
    }
    return 0;
}

void CBitmapSlider::PostToParent(UINT message)
{
    PostMessage(GetParentTarget(this), message, WPARAM(GetDlgCtrlID(this)), m_nPos);
}

// ---- Geometry ---------------------------------------------------------------------

int CBitmapSlider::ThumbExtent() const
{
    return m_bVertical ? m_nThumbHeight : m_nThumbWidth;
}

int CBitmapSlider::ChannelExtent() const
{
    return m_bVertical ? m_nChannelHeight : m_nChannelWidth;
}

int CBitmapSlider::Travel() const
{
    if (m_bVertical)
        return m_nChannelHeight - m_nMarginTop - m_nMarginBottom - m_nThumbHeight;
    return m_nChannelWidth - m_nMarginLeft - m_nMarginRight - m_nThumbWidth;
}

int CBitmapSlider::TravelStart() const
{
    return (m_bVertical ? m_nMarginTop : m_nMarginLeft) + ThumbExtent() / 2;
}

int CBitmapSlider::PixelOfPosition(int pos) const
{
    const int travel = Travel();
    const long long range = static_cast<long long>(m_nMax) - m_nMin;
    // Without a travel (no skin loaded) or a range there is nothing to
    // divide: the thumb rests at the start.
    if (travel < 1 || range < 1)
        return TravelStart();
    const double ratio = double(static_cast<long long>(pos) - m_nMin) / double(range);
    // A position far outside the range (an unclamped value) lies far off
    // the control, never beyond what the thumb's rectangle can hold.
    constexpr long long kFar = 1 << 20;
    return int(std::clamp<long long>(static_cast<long long>(TravelStart()) + Trunc(travel * ratio), -kFar, kFar));
}

int CBitmapSlider::PositionOfPixel(int pixel) const
{
    const int travel = Travel();
    const long long range = static_cast<long long>(m_nMax) - m_nMin;
    if (travel < 1 || range < 1)
        return 0;
    return Trunc(m_nMin + double(static_cast<long long>(pixel) - TravelStart()) / travel * double(range));
}

QRect CBitmapSlider::ThumbRect() const
{
    const int pixel = PixelOfPosition(m_nPos);
    if (m_bVertical)
        return QRect(m_nMarginLeft, pixel - m_nThumbHeight / 2, m_nThumbWidth, m_nThumbHeight);
    return QRect(pixel - m_nThumbWidth / 2, m_nMarginTop, m_nThumbWidth, m_nThumbHeight);
}

int CBitmapSlider::Along(const QPoint& point) const
{
    return m_bVertical ? point.y() : point.x();
}

int CBitmapSlider::TargetPixel(int coordinate) const
{
    const int half = ThumbExtent() / 2;
    const int low = (m_bVertical ? m_nMarginTop : m_nMarginLeft) + half;
    const int high = ChannelExtent() - (m_bVertical ? m_nMarginBottom : m_nMarginRight) - half;
    const int target = coordinate - m_nDragOffset;
    return std::max(low, std::min(target, high));
}

// ---- Painting ---------------------------------------------------------------------

void CBitmapSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool seeThrough = !m_bChannel || m_bChannelTransparent;
    if (seeThrough)
        painter.setBackground(Qt::transparent);
    const CRect client(0, 0, width(), height());
    CMemDC dc(&painter, &client, false);

    if (m_bChannel) {
        if (m_bChannelActive && m_bEnabled) {
            // The lit channel from the travel's start to the thumb, the plain
            // one from the thumb on; each part where it lies in its picture.
            const int extent = ChannelExtent();
            const int pixel = std::clamp(PixelOfPosition(m_nPos), 0, extent);
            const QRect lit = m_bVertical ? QRect(0, 0, m_nChannelWidth, pixel) : QRect(0, 0, pixel, m_nChannelHeight);
            const QRect plain = m_bVertical ? QRect(0, pixel, m_nChannelWidth, extent - pixel)
                                            : QRect(pixel, 0, extent - pixel, m_nChannelHeight);
            if (!plain.isEmpty())
                dc->drawImage(plain.topLeft(), m_channel, plain);
            if (!lit.isEmpty())
                dc->drawImage(lit.topLeft(), m_channelActive, lit);
        } else {
            dc->drawImage(0, 0, m_channel);
        }
    }

    const QRect thumbRect = ThumbRect();
    if (m_bThumb && m_bEnabled) {
        const bool active = m_bThumbActive && (m_bDragging || m_bFocused);
        dc->drawImage(thumbRect.topLeft(), active ? m_thumbActive : m_thumb);
    } else if (!m_disabledThumb.isNull()) {
        dc->drawImage(thumbRect.topLeft(), m_disabledThumb, QRect(QPoint(0, 0), thumbRect.size()));
    }
}

// ---- Mouse and keys -----------------------------------------------------------------

void CBitmapSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (!m_bEnabled)
        return;
    // Qt holds the mouse for the pressed widget until the release.
    setFocus(Qt::MouseFocusReason);
    m_bDragging = true;
    const int coordinate = Along(event->position().toPoint());
    const int pixel = PixelOfPosition(m_nPos);
    const int d = coordinate - pixel;
    m_nDragOffset = std::abs(d) <= ThumbExtent() / 2 ? d : 0;
    const int target = TargetPixel(coordinate);
    if (pixel != target) {
        // Off the thumb: one step toward the pointer, and no drag until the
        // button is released.
        m_nPos = ClampPos(m_nPos - PositionOfPixel(target) > 0 ? static_cast<long long>(m_nPos) - 1
                                                                : static_cast<long long>(m_nPos) + 1);
        m_bDragging = false;
        m_bMoved = true;
    }
    m_timers.SetTimer(TIMER_PRESS, PRESS_PERIOD_MS);
    update();
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (m_bDragging && m_bEnabled) {
        const int target = TargetPixel(Along(point));
        if (PixelOfPosition(m_nPos) != target) {
            m_nPos = ClampPos(PositionOfPixel(target));
            m_bMoved = true;
            update();
        }
        return;
    }
    if (m_bMoveNotify && point != m_ptLastHover) {
        m_ptLastHover = point;
        SendMessage(GetParentTarget(this), WM_CONTROL_HOVER, MouseKeyFlags(event), GetDlgCtrlID(this));
    }
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (!m_bEnabled)
        return;
    m_bDragging = false;
    update();
    PostToParent(WM_SLIDER_MOVED);
    m_bMoved = false;
    m_timers.KillTimer(TIMER_PRESS);
}

void CBitmapSlider::OnTimer(UINT id)
{
    if (id == TIMER_PRESS && m_bMoved) {
        PostToParent(WM_SLIDER_MOVING);
        m_bMoved = false;
    }
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event)
{
    if (!m_bEnabled) {
        QWidget::keyPressEvent(event);
        return;
    }
    long long pos = m_nPos;
    switch (event->key()) {
    case Qt::Key_PageUp:
        pos -= m_nPage;
        break;
    case Qt::Key_PageDown:
        pos += m_nPage;
        break;
    case Qt::Key_End:
        pos = m_nMax;
        break;
    case Qt::Key_Home:
        pos = 0;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        pos -= 1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        pos += 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    m_nPos = ClampPos(pos);
    update();
    PostToParent(WM_SLIDER_MOVED);
}

void CBitmapSlider::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    // A disabled fader refuses the wheel as it refuses the mouse and keys;
    // a sideways wheel is not this control's.
    if (!m_bEnabled || delta == 0) {
        event->ignore();
        return;
    }
    if (delta == -120)
        m_nPos = ClampPos(static_cast<long long>(m_nPos) + 1);
    else if (delta == 120)
        m_nPos = ClampPos(static_cast<long long>(m_nPos) - 1);
    update();
    PostToParent(WM_SLIDER_MOVED);
    event->accept();
}

// ---- Focus ----------------------------------------------------------------------------

void CBitmapSlider::focusInEvent(QFocusEvent* event)
{
    // A popup menu borrows the focus without the control losing it.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    if (m_pBuddy)
        m_pBuddy->SetActiveLook(true);
    m_bFocused = true;
    PostToParent(WM_SLIDER_MOVING);
    update();
}

void CBitmapSlider::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() == Qt::PopupFocusReason)
        return;
    m_bFocused = false;
    if (m_pBuddy)
        m_pBuddy->SetActiveLook(false);
    update();
}
