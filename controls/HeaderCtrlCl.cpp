#include "controls/HeaderCtrlCl.h"

#include <algorithm>

#include <QPainter>

#include "platform/core/Language.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/ListFonts.h"
#include "platform/gui/LogFont.h"

CHeaderCtrlCl::CHeaderCtrlCl(QWidget* parent) : CHeaderCtrl(parent) {}

QSize CHeaderCtrlCl::sizeHint() const
{
    QSize natural = CHeaderCtrl::sizeHint();
    natural.setHeight(int(float(natural.height()) * m_fHeightScale));
    return natural;
}

void CHeaderCtrlCl::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    OnPaint(painter);
}

void CHeaderCtrlCl::FillGradient(QPainter& painter, int left, int right, int top, int bottom) const
{
    int r = m_nBkR;
    int g = m_nBkG;
    int b = m_nBkB;
    // Both the top and the bottom line, as the rule is written; a bottom
    // line beyond the header is clipped.
    for (int y = top; y <= bottom; ++y) {
        if (right > left)
            painter.fillRect(QRect(left, y, right - left, 1), QColor(r, g, b));
        r = std::max(0, r - m_nBkStep);
        g = std::max(0, g - m_nBkStep);
        b = std::max(0, b - m_nBkStep);
    }
}

void CHeaderCtrlCl::OnPaint(QPainter& painter)
{
    const int items = GetItemCount();
    if (items == 0) {
        FillGradient(painter, 0, viewport()->width(), 0, viewport()->height());
        return;
    }
    const QFont& font = g_bChinese ? g_fontArial16Bold : g_fontList16;
    CRect rect;
    for (int i = 0; i < items; ++i) {
        GetItemRect(i, &rect);
        FillGradient(painter, rect.left + 1, rect.right, rect.top, rect.bottom);

        painter.save();
        painter.setPen(ToQColor(m_crHeaderText));
        painter.setFont(font);
        // Columns inserted past the copied headings have no text; those
        // without a code are centred.
        const QChar code = i < m_strAlign.size() ? m_strAlign.at(i) : QChar();
        UINT align = DT_CENTER;
        if (code == QLatin1Char('0')) {
            align = DT_LEFT;
            rect.left += 3;
        } else if (code == QLatin1Char('2')) {
            align = DT_RIGHT;
            rect.right -= 3;
        }
        rect.OffsetRect(0, (rect.Height() - painter.fontMetrics().height()) / 2);
        if (i < m_HeaderTexts.size())
            DrawText(painter, m_HeaderTexts.at(i), rect, align);
        painter.restore();
    }
    // The strip after the last item, as high as it.
    CRect last;
    GetItemRect(items - 1, &last);
    FillGradient(painter, last.right + 1, viewport()->width(), last.top, last.bottom);
}
