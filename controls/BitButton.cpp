#include "controls/BitButton.h"

#include "platform/gui/DrawEdge.h"

#include <QMouseEvent>
#include <QPainter>

#include "model/WindowMessages.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawEdge.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"

namespace {
const QString kBitmap = QStringLiteral("BMP");
}  // namespace

CBitButton::CBitButton(QWidget* parent, DWORD style)
    : CSkinButton(parent, NOTICE_EVERY_MOVE, false),
      m_nDisabledFormat(DT_CENTER),
      m_nAlign(DT_CENTER),
      m_timers(this, [this](UINT id) { OnTimer(id); })
{
    PreSubclassWindow(style);
}

void CBitButton::PreSubclassWindow(DWORD style)
{
    switch (style & 0xF00) {
    case 0:
    case BS_CENTER:
        m_nAlign = DT_CENTER;
        break;
    case BS_LEFT:
        m_nAlign = DT_LEFT;
        break;
    case BS_RIGHT:
        m_nAlign = DT_RIGHT;
        break;
    default:  // vertical alignment bits: the alignment stays
        break;
    }
    m_nDrawKind = DrawKindOfButtonType(style);
    if (m_nDrawKind == DRAW_BY_CLASS)
        style |= BS_OWNERDRAW;
    SetWindowStyle(this, style);
}

// ---- Set-up -----------------------------------------------------------------

void CBitButton::SetBitmaps(UINT normal, UINT hover, UINT down, UINT checkedNormal, UINT checkedHover,
                            UINT checkedDown)
{
    m_nNormal = normal;
    m_nHover = hover;
    m_nDownId = down;
    m_nCheckedNormal = checkedNormal ? checkedNormal : normal;
    m_nCheckedHover = checkedHover ? checkedHover : hover;
    m_nCheckedDown = checkedDown ? checkedDown : down;
    UpdateFace();
}

void CBitButton::SetCheckedBitmap(UINT id)
{
    m_nCheckedNormal = m_nCheckedHover = m_nCheckedDown = id;
    UpdateFace();
}

void CBitButton::SetDisabledBitmaps(UINT unchecked, UINT checked)
{
    m_nDisabledUnchecked = unchecked;
    m_nDisabledChecked = checked;
    UpdateFace();
}

void CBitButton::SetHighlightBitmaps(UINT unchecked, UINT checked)
{
    m_nHighlight = unchecked;
    m_nCheckedHighlight = checked;
}

void CBitButton::SetHighlight(bool on)
{
    if (m_bHighlight == on)
        return;
    m_bHighlight = on;
    UpdateFace();
}

void CBitButton::SetTextColors(const QColor& normal, const QColor& hover, const QColor& down,
                               const QColor& checkedNormal, const QColor& checkedHover, const QColor& checkedDown)
{
    m_clrNormal = normal;
    m_clrHover = hover;
    m_clrDown = down;
    m_clrCheckedNormal = checkedNormal;
    m_clrCheckedHover = checkedHover;
    m_clrCheckedDown = checkedDown;
}

void CBitButton::SetFonts(const QFont* normal, const QFont* hover, const QFont* down, const QFont* checkedNormal,
                          const QFont* checkedHover, bool checkedDownAsDown)
{
    m_pFontNormal = normal;
    m_pFontHover = hover;
    m_pFontDown = down;
    m_pFontCheckedNormal = checkedNormal ? checkedNormal : normal;
    m_pFontCheckedHover = checkedHover ? checkedHover : hover;
    m_pFontCheckedDown = checkedDownAsDown ? down : nullptr;
}

void CBitButton::SetDisabledTextColor(const QColor& colour)
{
    m_clrDisabled = colour;
}

void CBitButton::SetDisabledFont(const QFont* font)
{
    m_pFontDisabled = font;
}

void CBitButton::SetDisabledTextFormat(UINT format)
{
    m_nDisabledFormat = format;
}

void CBitButton::SetDisabledTextIndent(int pixels)
{
    m_nDisabledIndent = pixels;
}

void CBitButton::SetTextTopOffset(bool on, int offset)
{
    m_bTopOffset = on;
    m_nTopOffset = offset;
}

void CBitButton::SetCheck(bool check)
{
    m_bCheck = check;
    SetPartnersHover(check);
    UpdateFace();
}

// ---- Faces ------------------------------------------------------------------

CBitButton::Face CBitButton::ChooseFace() const
{
    if (!IsWindowEnabled(this))
        return {m_bCheck ? m_nDisabledChecked : m_nDisabledUnchecked, m_pFontDisabled, m_clrDisabled};
    // The pressed look shows only while the pointer is over the button.
    if (!m_bCheck) {
        if (!m_bHover)
            return {m_bHighlight ? m_nHighlight : m_nNormal, m_pFontNormal, m_clrNormal};
        if (!m_bDown)
            return {m_nHover, m_pFontHover, m_clrHover};
        return {m_nDownId, m_pFontDown, m_clrDown};
    }
    if (!m_bHover)
        return {m_bHighlight ? m_nCheckedHighlight : m_nCheckedNormal, m_pFontCheckedNormal, m_clrCheckedNormal};
    if (!m_bDown)
        return {m_nCheckedHover, m_pFontCheckedHover, m_clrCheckedHover};
    return {m_nCheckedDown, m_pFontCheckedDown, m_clrCheckedDown};
}

UINT CBitButton::CurrentBitmapId() const
{
    return ChooseFace().bitmap;
}

void CBitButton::UpdateFace()
{
    if (m_nDrawKind == DRAW_BY_CLASS)
        TakeBitmapSize(this, ChooseFace().bitmap);
    update();
}

QSize CBitButton::sizeHint() const
{
    const QImage image = CResourceStore::Image(kBitmap, ChooseFace().bitmap);
    return image.isNull() ? size() : image.size();
}

QImage CBitButton::StretchBitmap(const QImage& source, int cx, int cy)
{
    if (source.size() == QSize(cx, cy))
        return source;
    return source.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// ---- Drawing ----------------------------------------------------------------

void CBitButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_nDrawKind == DRAW_BY_CLASS) {
        DrawButton(painter);
    } else if (m_nDrawKind == DRAW_AS_DEFAULT) {
        DrawDefaultButton(painter, this);
    }
}

bool CBitButton::PaintBitmap(QPainter& painter, const QWidget* button, UINT id)
{
    const QImage image = id != 0 ? CResourceStore::Image(kBitmap, id) : QImage();
    if (image.isNull()) {
        painter.fillRect(button->rect(), GetSysColor(COLOR_BTNFACE));
        return false;
    }
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, StretchBitmap(image, button->width(), button->height()));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return true;
}

void CBitButton::DrawButton(QPainter& painter)
{
    CRect client(0, 0, width(), height());
    const QString caption = text();
    const Face face = ChooseFace();
    // A face without a picture still looks like a button while it can be
    // clicked: raised, and sunken while it is pressed.
    if (!PaintBitmap(painter, this, face.bitmap) && IsWindowEnabled(this)) {
        CRect edge = client;
        DrawEdge(painter, &edge, m_bDown && m_bHover ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    if (face.font)
        painter.setFont(*face.font);
    else
        painter.setFont(font());
    painter.setPen(face.colour.isValid() ? face.colour : QColor(0, 0, 0));

    if (!IsWindowEnabled(this)) {
        // The disabled caption is drawn even when empty.
        client.left += m_nDisabledIndent;
        DrawText(painter, caption, client, m_nDisabledFormat | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    if (caption.isEmpty())
        return;
    if (m_bTopOffset) {
        client.top += m_nTopOffset;
        DrawText(painter, caption, client, m_nAlign | DT_CENTER | DT_VCENTER);
    } else {
        DrawText(painter, caption, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---- Mouse ------------------------------------------------------------------

bool CBitButton::IsLinkButton() const
{
    return UINT(GetDlgCtrlID(this)) == LINK_BUTTON_ID;
}

void CBitButton::PostLinkClick(CMsgTarget* parent, WPARAM kind)
{
    PostMessage(parent, WM_LINK_BUTTON_CLICK, kind, 0);
}

void CBitButton::mousePressEvent(QMouseEvent* event)
{
    if (IsLinkButton()) {
        if (event->button() == Qt::RightButton) {
            PostLinkClick(GetParentTarget(this), WM_RBUTTONDOWN);
        } else if (event->button() == Qt::LeftButton) {
            m_timers.SetTimer(TIMER_LINK_CLICK, 200);
            m_pLinkParent = GetParentTarget(this);
        }
    }
    CSkinButton::mousePressEvent(event);
}

void CBitButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (IsLinkButton() && event->button() == Qt::LeftButton) {
        // A single click whose message is on its way goes out first.
        if (m_timers.KillTimer(TIMER_LINK_POST))
            PostLinkClick(m_pLinkParent, WM_LBUTTONDOWN);
        PostLinkClick(GetParentTarget(this), WM_LBUTTONDBLCLK);
        m_timers.KillTimer(TIMER_LINK_CLICK);
    }
    // The second press of a double click is an ordinary press for the
    // button, without this class's pressed flag.
    QAbstractButton::mousePressEvent(event);
}

void CBitButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        UpdateFace();
    QAbstractButton::changeEvent(event);
}

void CBitButton::OnTimer(UINT id)
{
    // The single click goes out 10 ms after the 200 ms wait; the second
    // timer keeps the UI thread free in between.
    if (id == TIMER_LINK_CLICK) {
        m_timers.KillTimer(TIMER_LINK_CLICK);
        m_timers.SetTimer(TIMER_LINK_POST, 10);
    } else if (id == TIMER_LINK_POST) {
        m_timers.KillTimer(TIMER_LINK_POST);
        PostLinkClick(m_pLinkParent, WM_LBUTTONDOWN);
    }
}
