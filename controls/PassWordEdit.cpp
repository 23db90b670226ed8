#include "controls/PassWordEdit.h"

#include "platform/gui/LineInputFilter.h"

CPassWordEdit::CPassWordEdit(QWidget* parent) : QLineEdit(parent)
{
    InstallLineInputFilter(this, [this](const QLineEdit& edit, const QString& text, EInputSource source) {
        QStringList pieces = SplitCharacters(text);
        // An input method types its characters too.
        if (source == EInputSource::Typed || source == EInputSource::Committed) {
            pieces.removeIf([](const QString& piece) { return piece.size() != 1 || !IsAllowedCharacter(piece.at(0)); });
        }
        return FitByteLimit(edit, pieces, m_nLimit);
    });
}

bool CPassWordEdit::IsAllowedCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u == 8 || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}
