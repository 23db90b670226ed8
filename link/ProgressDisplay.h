#pragma once
// A progress bar that the link code moves: the transfer popup's and the
// firmware update dialog's. The window side implements it. The reply parser
// calls it on the I/O worker thread, so an implementation keeps its numbers
// itself under its own guard and only asks its widget to repaint on the UI
// thread.
class IProgressDisplay {
public:
    virtual ~IProgressDisplay() = default;
    virtual void SetPos(int pos) = 0;
    virtual int GetPos() const = 0;
    virtual int GetRangeUpper() const = 0;
};
