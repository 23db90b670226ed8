#pragma once
// A line of text that the link code sets: the firmware update dialog's
// status line. The window side implements it; it is called on the I/O
// worker thread, so an implementation hands the text to its widget on the
// UI thread.
#include <QString>

class IStatusDisplay {
public:
    virtual ~IStatusDisplay() = default;
    virtual void SetText(const QString& text) = 0;
};
