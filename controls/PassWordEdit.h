#pragma once
// A line edit that lets through only digits and Latin letters among the
// characters typed into it or committed by an input method. Keys that type no printable character keep
// their work: backspace, Delete, the arrows, the keys the dialog takes
// (Enter, Escape, Tab) and the editing commands typed with Ctrl (copy,
// paste...). Pasted and dropped text is not filtered.
//
// The length limit counts bytes and stops what the user types, commits,
// pastes or drops; text the program sets is never cut.
#include <QLineEdit>

class CPassWordEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CPassWordEdit(QWidget* parent = nullptr);

    // The most bytes the user may bring the text to; 0 for no limit.
    void LimitText(int bytes) { m_nLimit = bytes; }
    int GetLimitText() const { return m_nLimit; }

    // The typed characters that pass: backspace, '0'-'9', 'A'-'Z', 'a'-'z'.
    static bool IsAllowedCharacter(QChar c);

private:
    int m_nLimit = 0;
};
