#pragma once
// The one filter that keeps a line edit to plain ASCII.
//
// Names and numbers that reach the device or a file as single bytes must
// never take a character outside ASCII: a refused Chinese character is
// refused whole (never half of its GBK bytes), whether it is typed,
// committed by an input method, pasted or dropped. Every edit that refuses
// non-ASCII input uses this one filter: the preset-name field, the numeric
// edit, the grid's in-place editors. Text the program sets (setText) stays
// as it is.
//
// An edit that needs more than this (a length limit, say) installs its own
// LineInputFilter and calls StripNonAscii inside it, since an edit has one
// filter.
#include <QString>

class QLineEdit;

// Refuses every non-ASCII character the user puts into edit.
void InstallAsciiOnlyFilter(QLineEdit* edit);

// text without its characters above U+007F.
QString StripNonAscii(const QString& text);
