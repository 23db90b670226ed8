#pragma once
// A line edit for names mixing Latin and Chinese text in the device's GBK
// code page, where a Chinese character takes two bytes. It either keeps
// every double-byte character on an even byte column, by putting a space
// before one typed at an odd column and by aligning the whole text when the
// edit loses the focus, or refuses double-byte input altogether (then every
// non-ASCII character is refused whole, through the platform's one
// ASCII-only filter rule).
//
// The length limit counts bytes and stops what the user types, commits,
// pastes or drops; text the program sets is never cut.
#include <QLineEdit>

#include "platform/gui/LineInputFilter.h"

class CChEnEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CChEnEdit(QWidget* parent = nullptr);

    void SetAllowDoubleByte(bool allow) { m_bAllowDoubleByte = allow; }
    bool GetAllowDoubleByte() const { return m_bAllowDoubleByte; }
    // The most bytes the user may bring the text to; 0 for no limit.
    void LimitText(int bytes) { m_nLimit = bytes; }
    int GetLimitText() const { return m_nLimit; }

    // text with a space before each double-byte character that would
    // start at an odd byte column. The byte walk takes every byte above 0x80
    // as part of a double-byte character and every other byte as a single
    // character, so a GBK trail byte below 0x80 counts as one column.
    static QString AlignDoubleBytes(const QString& text);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString FilterInput(const QLineEdit& edit, const QString& text, EInputSource source) const;

    bool m_bAllowDoubleByte = true;
    int m_nLimit = 0;
};
