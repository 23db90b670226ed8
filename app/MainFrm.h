#pragma once
// The main window: a borderless, captionless frame that holds the child
// frame (and through it the main view). It cuts a 2-pixel margin off its
// own outline, puts itself back in a fixed place and size when the screens
// change, and is moved, minimised and closed through the view's own
// controls. Closing it runs the view's clean-up, then ends the event loop.
#include <QWidget>

#include "platform/core/MsgTarget.h"

class CChildFrame;
class QScreen;

class CMainFrame : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    enum : int {
        FRAME_WIDTH = 1282,
        FRAME_HEIGHT = 732,
        // The outline the window region keeps: this much less on each side.
        REGION_INSET = 2,
        // Place and size after a change of the screens.
        DISPLAY_CHANGE_WIDTH = 1254,
        DISPLAY_CHANGE_HEIGHT = 706,
    };
    // The size events of the old frame, told apart by the window state.
    enum SizeType { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

    CMainFrame();
    ~CMainFrame() override;

    // The child frame that holds the view (null until it is set).
    void SetChildFrame(CChildFrame* child);
    CChildFrame* GetActiveFrame() const { return m_pChild; }

    // Frame default, then centred on the screen; no caption nor border.
    void OnCreate();
    // Title while g_nAppMode is 1 or 2 (restored or maximised); the window
    // region inset by REGION_INSET on every side, for every size.
    void OnSize(SizeType type, int cx, int cy);
    // (0, 0), DISPLAY_CHANGE_WIDTH x DISPLAY_CHANGE_HEIGHT, on top, shown.
    void OnDisplayChange();
    // Lets the window manager move the window with the pointer (the drag of
    // the view on platforms where a window cannot place itself, Wayland).
    // False when the platform cannot.
    bool StartSystemMove();
    // Whether windows can place themselves here (not on Wayland).
    static bool CanPlaceWindows();

    // WM_SYSCOMMAND: SC_MINIMIZE minimises, SC_CLOSE closes.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The number of times the screens changed since the frame exists
    // (tests).
    int DisplayChangeCount() const { return m_nDisplayChanges; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void WatchScreen(QScreen* screen);

    CChildFrame* m_pChild = nullptr;
    int m_nDisplayChanges = 0;
};
