#include "platform/gui/DrawText.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
Qt::TextElideMode ElideMode(UINT format)
{
    if (format & DT_PATH_ELLIPSIS)
        return Qt::ElideMiddle;
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
        return Qt::ElideRight;
    return Qt::ElideNone;
}

// Line ends as Qt lays them out: "\n" alone.
QString WithLineFeeds(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    return lines;
}

int AlignmentFlags(UINT format)
{
    if (format & DT_CENTER)
        return Qt::AlignHCenter;
    if (format & DT_RIGHT)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}
}  // namespace

void DrawText(QPainter& painter, const QString& text, const CRect& rect, UINT format)
{
    CRect place = rect;
    DrawText(painter, text, &place, format & ~UINT(DT_CALCRECT));
}

int DrawText(QPainter& painter, const QString& text, CRect* rect, UINT format)
{
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    QString shown = singleLine ? text : WithLineFeeds(text);
    int flags = AlignmentFlags(format);
    if (singleLine) {
        flags |= Qt::TextSingleLine;
        if (format & DT_VCENTER)
            flags |= Qt::AlignVCenter;
        else if (format & DT_BOTTOM)
            flags |= Qt::AlignBottom;
        else
            flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
        if (format & DT_WORDBREAK)
            flags |= Qt::TextWordWrap;
    }
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;

    const QFontMetrics metrics = painter.fontMetrics();
    if (format & DT_CALCRECT) {
        // Laid out from the left edge downwards; only the width bounds it.
        const int wrapWidth = (flags & Qt::TextWordWrap) ? qMax(rect->Width(), 1) : 1 << 24;
        const int measureFlags = (flags & ~(Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask)) | Qt::AlignLeft | Qt::AlignTop;
        const QRect extent = metrics.boundingRect(QRect(0, 0, wrapWidth, 1 << 24), measureFlags, shown);
        const int height = shown.isEmpty() ? 0 : extent.height();
        rect->right = rect->left + (shown.isEmpty() ? 0 : extent.width());
        rect->bottom = rect->top + height;
        return height;
    }

    const Qt::TextElideMode elide = ElideMode(format);
    if (elide != Qt::ElideNone && !(flags & Qt::TextWordWrap)) {
        QStringList lines = singleLine ? QStringList{shown} : shown.split(QLatin1Char('\n'));
        for (QString& line : lines)
            line = metrics.elidedText(line, elide, rect->Width(), flags & Qt::TextShowMnemonic);
        shown = lines.join(QLatin1Char('\n'));
    }

    // Qt clips to the rectangle unless told not to.
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;
    QRect drawn;
    painter.drawText(rect->ToQRect(), flags, shown, &drawn);
    return drawn.height();
}

void TextOut(QPainter& painter, int x, int y, const QString& text, const QColor& textColour, const QColor& background)
{
    const QFontMetrics metrics(painter.font());
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), background);
    painter.setPen(textColour);
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}
