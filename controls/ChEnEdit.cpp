#include "controls/ChEnEdit.h"

#include "platform/core/TextCodec.h"
#include "platform/gui/AsciiOnlyFilter.h"

namespace {
// A character whose first GBK byte is a lead byte: it takes two bytes.
bool IsDoubleByte(const QString& character)
{
    const QByteArray bytes = ToDeviceBytes(character);
    return bytes.size() == 2 && quint8(bytes.at(0)) >= 0x81 && quint8(bytes.at(0)) <= 0xFE;
}
}  // namespace

CChEnEdit::CChEnEdit(QWidget* parent) : QLineEdit(parent)
{
    InstallLineInputFilter(this, [this](const QLineEdit& edit, const QString& text, EInputSource source) {
        return FilterInput(edit, text, source);
    });
}

QString CChEnEdit::FilterInput(const QLineEdit& edit, const QString& text, EInputSource source) const
{
    if (!m_bAllowDoubleByte)
        return FitByteLimit(edit, SplitCharacters(StripNonAscii(text)), m_nLimit);
    QStringList pieces = SplitCharacters(text);
    // Typed or committed characters come one after the other, each judged
    // by the line's byte length before it: a double-byte one at an odd
    // length takes a space with it. The line's length, not the caret's
    // column, decides.
    if (source == EInputSource::Typed || source == EInputSource::Committed) {
        qsizetype bytes = ToDeviceBytes(TextOutsideSelection(edit)).size();
        for (QString& piece : pieces) {
            if (IsDoubleByte(piece) && bytes % 2 != 0)
                piece.prepend(QLatin1Char(' '));
            bytes += ToDeviceBytes(piece).size();
        }
    }
    return FitByteLimit(edit, pieces, m_nLimit);
}

QString CChEnEdit::AlignDoubleBytes(const QString& text)
{
    QString aligned;
    int run = 0;  // single-byte columns since the last aligned double-byte one
    for (const QString& piece : SplitCharacters(text)) {
        bool spaced = false;
        for (const char byte : ToDeviceBytes(piece)) {
            if (quint8(byte) <= 0x80) {
                ++run;
                continue;
            }
            if (run % 2 != 0 && !spaced) {
                aligned += QLatin1Char(' ');
                spaced = true;
                run = 0;
            }
        }
        aligned += piece;
    }
    return aligned;
}

void CChEnEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (m_bAllowDoubleByte)
        setText(AlignDoubleBytes(text()));
}
