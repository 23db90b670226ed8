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
}  // namespace

void DrawText(QPainter& painter, const QString& text, const CRect& rect, UINT format)
{
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;

    QString shown = text;
    const bool singleLine = (format & DT_SINGLELINE) != 0;
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

    const Qt::TextElideMode elide = ElideMode(format);
    if (elide != Qt::ElideNone && !(flags & Qt::TextWordWrap)) {
        const QFontMetrics metrics(painter.font());
        QStringList lines = singleLine ? QStringList{shown} : shown.split(QLatin1Char('\n'));
        for (QString& line : lines)
            line = metrics.elidedText(line, elide, rect.Width(), flags & Qt::TextShowMnemonic);
        shown = lines.join(QLatin1Char('\n'));
    }

    // Qt clips to the rectangle unless told not to.
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;
    painter.drawText(rect.ToQRect(), flags, shown);
}

void TextOut(QPainter& painter, int x, int y, const QString& text, const QColor& textColour, const QColor& background)
{
    const QFontMetrics metrics(painter.font());
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), background);
    painter.setPen(textColour);
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}
