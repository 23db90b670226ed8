#include "controls/ComBoxBtn.h"

#include <algorithm>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "controls/BitButton.h"
#include "controls/DropListBox.h"
#include "controls/DropListWnd.h"
#include "controls/SkinButton.h"
#include "model/WindowMessages.h"
#include "platform/gui/ButtonNotify.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/MouseKeyFlags.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Arial of cell height 14, regular: the button's text and the list's items.
LOGFONT ButtonLogFont()
{
    LOGFONT lf;
    lf.lfHeight = 14;
    lf.lfWeight = 400;
    lf.lfCharSet = 0;         // ANSI
    lf.lfOutPrecision = 2;    // character precision
    lf.lfClipPrecision = 0x10;
    lf.lfQuality = 1;         // draft
    lf.lfPitchAndFamily = 0x22;  // variable pitch, swiss
    lf.lfFaceName = QStringLiteral("Arial");
    return lf;
}
}  // namespace

// The list opens under the button, above it when the work area ends first.
CComBoxBtn::CComBoxBtn(QWidget* parent, DWORD style)
    : CDropListButton(parent, DROP_HEIGHT, true),
      m_lfFont(ButtonLogFont()),
      m_pFontNormal(&m_fontOwn),
      m_pFontHover(&m_fontOwn)
{
    m_fontOwn = CreateFontIndirect(m_lfFont).value_or(font());
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    PreSubclassWindow(style);
    NotifyClicksToParent(this);
}

CComBoxBtn::~CComBoxBtn() = default;

void CComBoxBtn::PreSubclassWindow(DWORD style)
{
    m_nKind = DrawKindOfButtonType(style);
    if (m_nKind == DRAW_BY_CLASS)
        style |= BS_OWNERDRAW;
    SetWindowStyle(this, style);
}

// ---- Set-up -------------------------------------------------------------------------

void CComBoxBtn::SetBitmaps(UINT normalId, UINT hoverId)
{
    m_nNormal = normalId;
    m_nHover = hoverId;
    TakeBitmapSize(this, normalId);
    update();
}

bool CComBoxBtn::CreateDropList(QWidget* pNotify, UINT nNotifyId)
{
    if (!MakeDropList(nNotifyId, m_lfFont))
        return false;
    m_pNotify = pNotify;
    return true;
}

int CComBoxBtn::AddString(const QString& text)
{
    return List() ? List()->AddString(text) : CDropListBox::LB_ERR;
}

int CComBoxBtn::InsertString(int index, const QString& text)
{
    return List() ? List()->InsertString(index, text) : CDropListBox::LB_ERR;
}

void CComBoxBtn::ResetContent()
{
    if (List())
        List()->ResetContent();
}

void CComBoxBtn::SetCurSel(int n)
{
    CDropListBox* list = List();
    if (list == nullptr || list->count() == 0)
        return;
    list->SelectRow(n);
    if (n < 0 || n >= list->count())
        return;
    setText(list->item(n)->text());
    repaint();
}

int CComBoxBtn::GetCurSel() const
{
    return List() ? List()->currentRow() : CDropListBox::LB_ERR;
}

void CComBoxBtn::SetHighlight(bool on)
{
    if (on == m_bHighlight)
        return;
    m_bHighlight = on;
    update();
}

void CComBoxBtn::SetDisabledBitmap(UINT id)
{
    m_nDisabled = id;
}

void CComBoxBtn::SetHighlightFace(UINT bitmapId, COLORREF crText)
{
    m_nHighlightFace = bitmapId;
    m_clrHighlight = crText;
}

void CComBoxBtn::SetTextColors(COLORREF normal, COLORREF hover)
{
    m_clrNormal = normal;
    m_clrHover = hover;
}

void CComBoxBtn::SetFonts(const QFont* normal, const QFont* hover)
{
    m_pFontNormal = normal ? normal : &m_fontOwn;
    m_pFontHover = hover ? hover : &m_fontOwn;
}

// ---- Face -------------------------------------------------------------------------------

CComBoxBtn::Face CComBoxBtn::ChooseFace() const
{
    if (!IsWindowEnabled(this))
        return {m_nDisabled, nullptr, m_clrDisabled};
    if (m_bHover)
        return {m_nHover, m_pFontHover, m_clrHover};
    return {m_nNormal, m_pFontNormal, m_bHighlight ? m_clrHighlight : m_clrNormal};
}

UINT CComBoxBtn::CurrentBitmapId() const
{
    return ChooseFace().bitmap;
}

void CComBoxBtn::UpdateFace()
{
    if (m_nKind == DRAW_BY_CLASS)
        TakeBitmapSize(this, ChooseFace().bitmap);
    update();
}

void CComBoxBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_nKind == DRAW_AS_DEFAULT) {
        DrawDefaultButton(painter, this);
        return;
    }
    if (m_nKind != DRAW_BY_CLASS)
        return;
    const Face face = ChooseFace();
    CBitButton::PaintBitmap(painter, this, face.bitmap);
    const QString caption = text();
    if (caption.isEmpty())
        return;
    painter.setFont(face.font ? *face.font : font());
    painter.setPen(ToQColor(face.colour));
    // The arrow of the face takes the right 20 pixels.
    const CRect area(5, 0, width() - 20, height());
    DrawText(painter, caption, area, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

// ---- Mouse, wheel, focus --------------------------------------------------------------------

void CComBoxBtn::ShowPressed()
{
    UpdateFace();
}

void CComBoxBtn::ShowPicked()
{
    m_bHover = true;
    UpdateFace();
    repaint();
}

void CComBoxBtn::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (!m_bHover && rect().contains(point)) {
        m_bHover = true;
        UpdateFace();
    }
    if (m_bMoveNotify && point != m_ptLastMouse) {
        m_ptLastMouse = point;
        if (IsDropped()) {
            if (QApplication::focusWidget() != m_pPopup) {
                SendMessage(GetParentTarget(this), WM_CONTROL_HOVER, WPARAM(-1), GetDlgCtrlID(this));
                m_pPopup->activateWindow();
                List()->setFocus(Qt::OtherFocusReason);
            }
        } else if (QApplication::focusWidget() != this) {
            SendMessage(GetParentTarget(this), WM_CONTROL_HOVER, MouseKeyFlags(event), GetDlgCtrlID(this));
        }
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CComBoxBtn::leaveEvent(QEvent* event)
{
    m_bHover = false;
    UpdateFace();
    QAbstractButton::leaveEvent(event);
}

void CComBoxBtn::focusOutEvent(QFocusEvent* event)
{
    m_bHover = false;
    UpdateFace();
    QAbstractButton::focusOutEvent(event);
}

void CComBoxBtn::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        UpdateFace();
    QAbstractButton::changeEvent(event);
}

void CComBoxBtn::wheelEvent(QWheelEvent* event)
{
    event->accept();
    CDropListBox* list = List();
    // Every user fills the list before use; an empty one has nothing to step.
    if (list == nullptr || list->count() == 0)
        return;
    m_nWheel = std::clamp(m_nWheel + event->angleDelta().y(), -120, 120);
    int index = list->currentRow();
    if (m_nWheel == -120)
        index = std::min(index + 1, list->count() - 1);
    else if (m_nWheel == 120)
        index = std::max(index - 1, 0);
    else
        return;
    SetCurSel(index);
    PostMessage(GetParentTarget(this), WM_COMBOBTN_SELCHANGE, m_nNotifyId, index);
    m_nWheel = 0;
}
