#pragma once
// The transfer curve of one output's limiter: output level against input
// level, both from -30 to +12 dBu in 420 steps of 0.1 dB. The curve follows
// the diagonal up to the threshold and stays level above it; a yellow point
// marks the threshold and is dragged up and down to set it.
//
// Only the limiter type (3) draws and answers the mouse; other types take
// the focus on a press and nothing else. Drawing is immediate: a new
// channel, a refresh and each threshold step draw through a CMemDC into the
// graph's backing image and present it; the paint event draws the same.
//
// A drag writes the threshold into the output only while the first pair of
// threshold controls (a spin and its edit) has its spin: the spins take
// the new position, the edits the active look, then the output the value.
// Without a pair a drag changes nothing at all, so the graph always shows
// the output's stored threshold.
//
// Threads: the output's limiter record is copied under g_ParameterSetLock,
// and the threshold is written under it; no spin or edit is called while it
// is held (a spin may show a box).
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QWidget>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"
#include "platform/gui/BackingImage.h"

class CKTV_Data;
class CKTV_OutData;
class CNumEdit;
class CNumSpin;
class QPainter;

class CCOM_EXT_LIMStatic : public QWidget {
    Q_OBJECT
public:
    enum : int {
        TYPE_LIMITER = 3,
        THRESHOLD_STEPS = 420,  // +12 dBu; step 0 is -30 dBu
        POINT_SIZE = 6,
    };
    // The plot inside the client area.
    enum : int { PLOT_INSET_LEFT = 20, PLOT_INSET_TOP = 5, PLOT_INSET_RIGHT = 10, PLOT_INSET_BOTTOM = 15 };

    explicit CCOM_EXT_LIMStatic(QWidget* parent = nullptr);
    ~CCOM_EXT_LIMStatic() override;

    // Takes the client area and lays the plot out in it; once the widget
    // has its size.
    void InitLayout();
    // Type 3 also takes the scales from the plot: call InitLayout first.
    void SetGraphType(int type);
    void SetChannelArray(CKTV_Data* data) { m_pData = data; }
    // Shows output n (0 to 11) in its colour (outputs 9 to 12 keep the
    // colour shown before) and draws now. Another n changes nothing.
    void SelectChannel(int n);
    // Copies the shown output's limiter record again and draws now (only
    // draws while no output is shown).
    void RefreshChannel();
    // The threshold controls: the first pair lets drags write.
    void SetThresholdControls(CNumSpin* spin, CNumEdit* edit);
    void SetThresholdControls2(CNumSpin* spin, CNumEdit* edit);
    // The ratio code (ratio x 10 - 9, snapped, 1 to 191) of a pointer at
    // height y against the threshold point; handed to the shown output.
    int DragRatio(int x, int y);

    // ---- State -------------------------------------------------------------------
    int GetGraphType() const { return m_nGraphType; }
    int GetChannel() const { return m_nChannel; }
    CKTV_OutData* GetCurrentOutput() const { return m_pCurOutput; }
    // The threshold the graph shows (its copy of the output's record).
    short GetThresholdCopy() const { return short(m_wRecord[0]); }
    const CRect& GetClientRect() const { return m_rcClient; }
    const CRect& GetPlotRect() const { return m_rcPlot; }
    double GetXScale() const { return m_dXScale; }
    double GetYScale() const { return m_dYScale; }
    // The threshold point's 6 x 6 rectangle, which the pointer grabs.
    const CRect& GetPointRect() const { return m_rcPoint; }
    QColor GetCurveColour() const { return m_clrCurve; }
    bool IsOverPoint() const { return m_bOverPoint; }
    bool IsDragging() const { return m_bDragging; }
    const QFont& GetLabelFont() const { return m_font; }
    // What the graph shows.
    const QImage& GetImage() const { return m_backing.Image(); }

    // The point of threshold steps t in client pixels.
    QPointF PointOfSteps(double t) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool IsLimiter() const { return m_nGraphType == TYPE_LIMITER; }
    // A plot of at least one pixel each way: what the threshold is read
    // from.
    bool HasPlot() const { return m_dXScale > 0 && m_dYScale > 0; }
    void CopyRecord();
    void DrawNow();
    void DrawGraph(QPainter& target);
    void DrawCurve(QPainter& dc);
    void DragThreshold(int y);
    void UpdateCursor();

    CKTV_Data* m_pData = nullptr;
    CKTV_OutData* m_pCurOutput = nullptr;
    WORD m_wRecord[3] = {};
    QPointF m_ptStart;
    QPointF m_ptThreshold;
    QPointF m_ptEnd;
    double m_dYScale = 0;
    double m_dXScale = 0;
    CRect m_rcClient;
    CRect m_rcPlot;
    CRect m_rcPoint;
    int m_nGraphType = 0;
    int m_nChannel = -1;
    QFont m_font;
    bool m_bOverPoint = false;
    bool m_bDragging = false;
    CNumSpin* m_pSpin = nullptr;
    CNumEdit* m_pEdit = nullptr;
    CNumSpin* m_pSpin2 = nullptr;
    CNumEdit* m_pEdit2 = nullptr;
    QColor m_clrCurve = Qt::black;
    CBackingImage m_backing;
    bool m_bPresenting = false;
};
