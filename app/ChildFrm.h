#pragma once
// The child frame: a borderless container of the main view inside the main
// frame. It is shown maximised, filling the main frame's client area, and
// its view fills it. There is one child frame and one view: no second
// document ever opens.
#include <QWidget>

class CBrelinView;
class CMainFrame;

class CChildFrame : public QWidget {
    Q_OBJECT
public:
    enum : int { INITIAL_WIDTH = 1204, INITIAL_HEIGHT = 70 };

    explicit CChildFrame(CMainFrame* parent);
    ~CChildFrame() override;

    // The view it holds; the child frame fits it to itself.
    void SetView(CBrelinView* view);
    CBrelinView* GetView() const { return m_pView; }

    // Fills the main frame's client area from now on.
    void ShowMaximized();
    bool IsMaximized() const { return m_bMaximized; }

    // The main frame is closing: the view's clean-up runs (once).
    void OnFrameClosing();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CBrelinView* m_pView = nullptr;
    bool m_bMaximized = false;
};
