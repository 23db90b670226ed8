#include "controls/EnTabCtrl.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QtDebug>

#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"

namespace {
DWORD s_dwLook = 0;  // the class's look flags (UI thread)

BYTE Scaled(BYTE channel, float f)
{
    return BYTE(std::min(255, int(float(channel) * f)));
}

// from + i x (to - from) / h per channel, in integers truncated toward zero,
// kept to the low 8 bits.
COLORREF GradientStep(COLORREF from, COLORREF to, int i, int h)
{
    auto channel = [&](BYTE a, BYTE b) { return BYTE((int(a) + i * (int(b) - int(a)) / h) & 0xFF); };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
}
}  // namespace

CEnTabCtrl::CEnTabCtrl(QWidget* parent)
    : CBaseTabCtrl(0, parent), m_font(CreateFont(20, FW_NORMAL, QStringLiteral("Microsoft Verdana")).value_or(font()))
{
}

void CEnTabCtrl::SetLookFlags(bool bEnable, DWORD flags)
{
    s_dwLook = bEnable ? flags : 0;
}

DWORD CEnTabCtrl::GetLookFlags()
{
    return s_dwLook;
}

void CEnTabCtrl::PreSubclassWindow()
{
    CBaseTabCtrl::PreSubclassWindow();
    if (s_dwLook != 0)
        SetWindowStyle(this, GetWindowStyle(this) | TCS_OWNERDRAWFIXED);
}

COLORREF CEnTabCtrl::Darken(COLORREF colour, float f)
{
    if (!(f > 0.0f && f < 1.0f))
        qWarning("CEnTabCtrl::Darken: factor %f outside 0..1", double(f));
    f = std::clamp(f, 0.0f, 1.0f);
    return RGB(Scaled(GetRValue(colour), f), Scaled(GetGValue(colour), f), Scaled(GetBValue(colour), f));
}

COLORREF CEnTabCtrl::Lighten(COLORREF colour, float f)
{
    if (!(f > 1.0f))
        qWarning("CEnTabCtrl::Lighten: factor %f not above 1", double(f));
    f = std::max(f, 1.0f);
    return RGB(Scaled(GetRValue(colour), f), Scaled(GetGValue(colour), f), Scaled(GetBValue(colour), f));
}

QString CEnTabCtrl::FormatText(const QString& text, int width, const QFont& font)
{
    return QFontMetrics(font).elidedText(text, Qt::ElideRight, std::max(width, 0));
}

COLORREF CEnTabCtrl::ButtonFace() const
{
    return ToColorRef(GetSysColor(COLOR_BTNFACE));
}

COLORREF CEnTabCtrl::GetTabColor(bool bSelected)
{
    if (bSelected && (s_dwLook & LOOK_SELECTION))
        return (s_dwLook & LOOK_COLOR) ? Lighten(RGB(0, 0, 0), 1.9f) : Lighten(ButtonFace(), 1.4f);
    if (!bSelected && ((s_dwLook & LOOK_BACKTABS) || !(s_dwLook & LOOK_FLAT))) {
        if (s_dwLook & LOOK_COLOR)
            return m_nCurrentItem == 3 ? RGB(227, 228, 238) : Darken(RGB(127, 168, 222), 0.9f);
        return Darken(ButtonFace(), 0.9f);
    }
    if (!bSelected)
        return BackgroundColour();
    return ButtonFace();
}

COLORREF CEnTabCtrl::GetTabTextColor(bool bSelected)
{
    return bSelected ? Darken(RGB(255, 0, 0), 0.9f) : Darken(RGB(255, 255, 255), 0.9f);
}

void CEnTabCtrl::DrawItem(LPDRAWITEMSTRUCT pDIS)
{
    QPainter& painter = *pDIS->hDC;
    const int item = int(pDIS->itemID);
    const bool selected = item == GetCurSel();
    m_nCurrentItem = item;

    CRect r = pDIS->rcItem;
    if (selected)
        r.bottom -= 1;
    else
        r.bottom += 2;

    const COLORREF from = GetTabColor(selected);
    if (s_dwLook & LOOK_GRADIENT) {
        COLORREF to = ButtonFace();
        if (!selected) {
            const bool ownBackground = (s_dwLook & LOOK_COLOR) && GetBkgndColor() != BKGND_SYSTEM;
            to = Darken(ownBackground ? GetBkgndColor() : ButtonFace(), 0.7f);
        }
        const int h = r.Height();
        for (int i = 0; i < h; i += 2)
            FillSolidRect(painter, CRect(r.left, r.top + i, r.right, r.top + i + 2), GradientStep(from, to, i, h));
    } else {
        FillSolidRect(painter, r, from);
    }

    r.left += 3;
    r.top += selected ? 4 : 3;
    const QString text = GetItemText(item).left(99);
    const int image = GetItemImage(item);
    if (!GetImageList().isEmpty()) {
        if (image >= 0 && image < GetImageList().size())
            painter.drawImage(r.left, r.top, GetImageList().at(image));
        r.left += 19;
    }
    r.right -= 3;
    painter.save();
    painter.setFont(m_font);
    painter.setPen(ToQColor(GetTabTextColor(selected)));
    DrawText(painter, FormatText(text, r.Width(), m_font), r, DT_NOPREFIX | DT_CENTER);
    painter.restore();
}

void CEnTabCtrl::DrawItemBorder(LPDRAWITEMSTRUCT pDIS)
{
    if (!(s_dwLook & LOOK_FLAT))
        qWarning("CEnTabCtrl::DrawItemBorder: needs the flat look");
    QPainter& painter = *pDIS->hDC;
    const int item = int(pDIS->itemID);
    const bool selected = item == GetCurSel();
    const COLORREF c = GetTabColor(selected);
    const COLORREF light = Lighten(c, 1.5f);
    const COLORREF dark = Darken(c, 0.75f);
    const CRect& rc = pDIS->rcItem;
    const int L = rc.left;
    const int T = rc.top;
    const int R = rc.right;

    if (!selected && !(s_dwLook & LOOK_BACKTABS)) {
        // Simple dividers.
        const int B = rc.bottom;
        FillSolidRect(painter, CRect(L - 6, T, L, B), dark);
        FillSolidRect(painter, CRect(R - 1, T, R, B), dark);
        return;
    }
    const int B = selected ? rc.bottom - 1 : rc.bottom + 1;
    switch (item) {
    case 3:
        break;
    case 0:
    case 4:
        FillSolidRect(painter, CRect(L, T, L + 4, B), dark);
        FillSolidRect(painter, CRect(L, T, R, T + 1), dark);
        FillSolidRect(painter, CRect(R - 3, T, R, B), dark);
        break;
    case 9:
        FillSolidRect(painter, CRect(L, T, L + 3, B), light);
        FillSolidRect(painter, CRect(L, T, R, T + 1), light);
        break;
    default:
        FillSolidRect(painter, CRect(L, T, L + 4, B), light);
        FillSolidRect(painter, CRect(L, T, R, T + 1), light);
        FillSolidRect(painter, CRect(R - 4, T, R, B), dark);
        break;
    }
}

void CEnTabCtrl::DrawMainBorder(LPDRAWITEMSTRUCT pDIS)
{
    QPainter& painter = *pDIS->hDC;
    const COLORREF c = GetTabColor(false);
    const COLORREF light = Lighten(c, 1.5f);
    const COLORREF dark = Darken(c, 0.75f);
    // A three-dimensional frame: light top and left, dark bottom and right,
    // which own the corners they share.
    const CRect& r = pDIS->rcItem;
    FillSolidRect(painter, CRect(r.left, r.top, r.right - 1, r.top + 1), light);
    FillSolidRect(painter, CRect(r.left, r.top, r.left + 1, r.bottom - 1), light);
    FillSolidRect(painter, CRect(r.right - 1, r.top, r.right, r.bottom), dark);
    FillSolidRect(painter, CRect(r.left, r.bottom - 1, r.right, r.bottom), dark);
}
