#pragma once
// The one entry point every message box of the program goes through. The
// window toolkit installs the real dialog; tests install a recorder, so no
// test ever blocks on a window.
#include <functional>
#include <QString>

// Button sets and icons of the type argument.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
};

// Results.
enum : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
};

// text, type, help id -> result. The help id selects caption and time-out
// (0 none, 2000/2001 closing by themselves, -2..-5 fixed captions).
using MessageBoxHandler = std::function<int(const QString& text, unsigned type, int helpId)>;

// Installs the handler and returns the previous one. An empty handler
// restores the default, which writes the text to standard error and answers
// IDOK (used before any window exists).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Shows a message box through the installed handler; callable from the UI
// thread only, like any window. While this thread holds message boxes (see
// below) the box is queued instead and IDOK is answered at once.
int AppMessageBox(const QString& text, unsigned type = MB_OK, int helpId = 0);

// A notice with an OK button in the language g_bChinese picks, under that
// language's fixed prompt caption (help id -2 or -3).
void AppNoticeBox(const QString& chinese, const QString& english);

// The system's own message box, apart from the program's: a caption, a
// text and an icon, with no help id and no time-out. Only the serial port's
// configuration errors use it. Like AppMessageBox it has one injectable
// handler; the default writes caption and text to standard error and
// answers IDOK. UI thread only.
using SystemMessageBoxHandler = std::function<int(const QString& caption, const QString& text, unsigned type)>;
SystemMessageBoxHandler SetSystemMessageBoxHandler(SystemMessageBoxHandler handler);
int SystemMessageBox(const QString& caption, const QString& text, unsigned type = MB_OK);

// A box is a modal loop, and a lock that other threads wait for must never
// be held across one. Code that holds such a lock holds message boxes on its
// thread for that time: boxes asked for meanwhile are shown, in order, when
// the last hold ends. Only notices are asked for under such locks, never a
// question whose answer matters.
void HoldMessageBoxes();
void ReleaseMessageBoxes();
