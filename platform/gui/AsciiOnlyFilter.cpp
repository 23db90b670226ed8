#include "platform/gui/AsciiOnlyFilter.h"

#include "platform/gui/LineInputFilter.h"

void InstallAsciiOnlyFilter(QLineEdit* edit)
{
    InstallLineInputFilter(edit, [](const QLineEdit&, const QString& text, EInputSource) { return StripNonAscii(text); });
}

QString StripNonAscii(const QString& text)
{
    QString ascii;
    ascii.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            ascii.append(c);
    }
    return ascii;
}
