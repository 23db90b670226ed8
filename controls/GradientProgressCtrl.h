#pragma once
// A progress bar that keeps its own range and position and paints itself:
// the filled part shows a ramp from red to blue laid over the whole length
// of the bar (a spot keeps its colour while the bar grows), in 255 bands; it
// ends on the first band edge beyond the exact extent; the rest shows the
// background colour. Optionally the position is shown as a percentage.
//
// Threads: the I/O worker moves the transfer popup's and the update dialog's
// bars. It never touches the widget: it reaches the bar's numbers through
// Display(), a shared object that the link's progress slots hold. Its SetPos
// stores the position and posts PBM_SETPOS to the bar, which repaints on the
// UI thread. The bar detaches from the object when it is destroyed, so a
// later SetPos only stores.
#include <memory>

#include <QWidget>

#include "link/ProgressDisplay.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CGradientProgressCtrl : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    explicit CGradientProgressCtrl(QWidget* parent = nullptr);
    ~CGradientProgressCtrl() override;

    // The bar's numbers as the worker sees them, for g_pTransferProgress and
    // g_pUpdateProgress. It outlives the bar when a slot still holds it.
    std::shared_ptr<IProgressDisplay> Display() const;

    // Both bounds; the position goes back to lower.
    void SetRange(int lower, int upper);
    // position := min(pos, upper), and a posted PBM_SETPOS repaints. Any
    // thread (through Display() from others than the UI thread).
    bool SetPos(int pos);
    int GetPos() const;
    int GetRangeLower() const;
    int GetRangeUpper() const;
    void SetStep(int step) { m_nStep = step; }
    // position + step, not held to the range.
    void StepIt();
    // The unfilled part's colour; no repaint.
    void SetBkColor(COLORREF colour) { m_clrBackground = colour; }
    COLORREF GetBkColor() const { return m_clrBackground; }
    // Shows the position as a percentage of the range, centred.
    void ShowPercent(bool show);
    // The percentage text as painted: "%3.0f %%" at the upper bound,
    // "%3.2f %%" elsewhere.
    QString PercentText() const;
    // Paints now.
    void Paint() { repaint(); }

    // Where the filled part ends before it is taken to a band edge: 0 when
    // the position is at or below lower or above upper, or the bounds are
    // equal; the extent in single precision otherwise. length is the
    // client's width (height for a vertical bar).
    int FilledExtent(int length) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class CShared;
    void DrawGradient(QPainter& painter, int width, int height, int filled, bool vertical) const;

    std::shared_ptr<CShared> m_pShared;
    int m_nStep = 10;
    COLORREF m_clrBackground;
    bool m_bShowPercent = false;
};
