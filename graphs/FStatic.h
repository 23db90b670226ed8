#pragma once
// The frequency-response graph: the summed magnitude response of one
// channel's band set on a log frequency axis (20 Hz to 20 kHz) and a gain
// axis from +12 dB to -12 dB, each band marked with its number, one band
// highlighted (its own response area, its bandwidth markers and a caption
// with its values), and the bands, markers and filter corners dragged with
// the mouse.
//
// The graph computes no response: the channel objects hold the curves, the
// band polygons and the handle rectangles in the graph's client pixels, and
// the graph reads and paints them. A drag step is the band's own operation
// (CFilter), which moves the band, recomputes it and marks it for the
// device; the graph redraws and, at most every 200 ms, posts
// WM_GRAPH_CHANGED to its owner.
//
// Drawing is immediate: RedrawByMode draws the plot through a CMemDC into
// the graph's backing image and presents it before it returns. The paint
// event redraws the background and the stored selection's plot into the
// image, then copies it. The grey curves and the outlined bypass text are
// drawn as layers over the plot, and what a drag leaves alone is kept: the
// text per language and plot size, and the grey layer while the flagged
// outputs, their points and the size stay the same.
//
// Draw modes: 0 none, 1 effect, 2 mic, 3 music, 4 output. Channel code (the
// lParam of WM_GRAPH_CHANGED): effect 0, music n = n, mic n = 256 + n,
// output n = 768 + n.
//
// Threads: the I/O worker's change scan and the reply parser touch the same
// bands, so every drag call and every read of bands or curves runs under
// g_ParameterSetLock; drawing works on a copy taken under it.
#include <functional>
#include <memory>
#include <vector>

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include "model/Geometry.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"
#include "platform/gui/BackingImage.h"
#include "platform/gui/TimerMap.h"

class CChannelData;
class CEffect_Data;
class CFilter;
class CKTVEQ;
class CKTV_Data;
class CKTV_OutData;
class CMIC_InData;
class CMsgTarget;
class CMusic_InData;
class QPainter;

class CFStatic : public QWidget {
    Q_OBJECT
public:
    enum : int {
        DRAW_NONE = 0,
        DRAW_EFFECT = 1,
        DRAW_MIC = 2,
        DRAW_MUSIC = 3,
        DRAW_OUTPUT = 4,
    };
    enum : int {
        KIND_EFFECT = 0,
        KIND_MIC = 1,
        KIND_MUSIC = 2,
        KIND_OUTPUT = 3,
    };
    enum : int {
        // BindData types that hand the plot to the channels.
        BIND_MUSIC = 3,
        BIND_OUTPUT = 4,
        CODE_MIC = 256,
        CODE_OUTPUT = 768,
        GRID_LINES = 27,
        // The music mode numbers and searches only the items the input page
        // gives columns to; the band set's other items have no place there.
        MUSIC_ITEMS = 15,
    };
    enum : UINT { TIMER_NOTIFY = 3, NOTIFY_PERIOD_MS = 200 };

    explicit CFStatic(QWidget* parent = nullptr);
    ~CFStatic() override;

    // The target of WM_GRAPH_CHANGED and WM_GRAPH_KILLFOCUS; null for none.
    void SetOwnerWnd(CMsgTarget* owner) { m_pOwner = owner; }
    CMsgTarget* GetOwnerWnd() const { return m_pOwner; }
    // Keeps the set, lays the plot out in the present client area, starts
    // the notification timer and hands the plot to the outputs (type 4) or
    // the music channels (type 3). Call once the widget has its size.
    void BindData(CKTV_Data* data, int type);

    // Each shows a channel: band set, no active band, kind, draw mode and
    // channel code, then a redraw with no selection. An index outside the
    // channel's array changes nothing.
    void ShowOutputChannel(int n);
    void ShowMusicChannel(int n);
    void ShowMicChannel(int n);
    void ShowEffect();

    void SetDrawMode(int mode);
    int GetDrawMode() const { return m_nDrawMode; }
    // Stores sel as the selection and draws the plot now: a band index of
    // the shown set (the output page passes 0 to 30, 31 for the high-pass,
    // 32 for the low-pass) or -1 for none. An index outside the shown set
    // counts as -1.
    void RedrawByMode(int sel);

    // Invalidates and enables or disables the graph.
    virtual void Enable(bool enable);
    // Forgets the active band, enables or disables and repaints now.
    void EnableGraph(bool enable);
    void StopTimer();
    // A page that moves the keyboard focus with the keys takes the pointer
    // off the graph, so the graph's hover look does not follow the keys: a
    // pointer inside `area` (graph coordinates; the output page asks with the
    // plot, the input page with the whole graph) goes to the parking point,
    // the graph's left edge at the bottom of its client area.
    void MovePointerOff(const CRect& area);
    QPoint ParkingPoint() const;

    // ---- State the pages read ---------------------------------------------------
    const CRect& GetClientRect() const { return m_rcClient; }
    const CRect& GetPlotRect() const { return m_rcPlot; }
    // In screen coordinates, taken by BindData.
    const CRect& GetWindowRect() const { return m_rcWindow; }
    CFilter* GetActiveBand() const { return m_pActiveBand; }
    // Forgets the band under the mouse (the next redraw selects none).
    void ClearActiveBand() { m_pActiveBand = nullptr; }
    int GetReportedItem() const { return m_nReportedItem; }
    int GetSelection() const { return m_nSelection; }
    int GetChannelCode() const { return m_nChannelCode; }
    int GetChannelKind() const { return m_nChannelKind; }
    int GetOutputIndex() const { return m_nOutputIndex; }
    bool IsHover() const { return m_bHover; }
    bool IsChanged() const { return m_bChanged; }
    bool GetLastDragResult() const { return m_bLastDragResult; }
    int GetGridX(int i) const { return m_nGridX[i]; }
    // The font of the labels, numbers and captions.
    const QFont& GetTextFont() const { return m_font; }
    // The image the graph shows (background and plot).
    const QImage& GetImage() const { return m_backing.Image(); }

    // Off: every drawing renders its grey curves and bypass text anew (a
    // full draw, the reference of the cached one).
    void SetDrawCaching(bool on);

    // Set when the left button goes up, cleared when it goes down; the owner
    // clears it once it has handled a WM_GRAPH_CHANGED, which ends the
    // repeated notification of a release.
    bool m_bReleased = false;

    // ---- Message handlers -------------------------------------------------------
    // The cursor of the present state.
    void OnSetCursor();
    void OnLButtonDown(const QPoint& pt);
    void OnMouseMove(const QPoint& pt);
    void OnLButtonUp(const QPoint& pt);
    // Timer 3: the notification (other ids are ignored).
    void OnTimer(UINT id);
    void OnKillFocus();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Snapshot;
    struct SnapshotOverlay;
    struct Layer;

    // ---- Drawing ------------------------------------------------------------------
    // Draws the plot of the present mode with the stored selection into the
    // backing image (the background too when the image is new).
    void DrawPlotIntoImage();
    void DrawBackground(QPainter& target);
    void DrawByMode(QPainter& target);
    void DrawEmpty(QPainter& target);
    void DrawEffect(QPainter& target);
    void DrawMic(QPainter& target);
    void DrawInputPlot(QPainter& target, CChannelData* channel, const std::function<void()>& recompute);
    void DrawMusic(QPainter& target);
    void DrawOutput(QPainter& target);
    // Reads what a band-set mode draws, under the parameter set's lock. The
    // output and music modes let the selection choose the active band.
    void TakeBands(Snapshot& s, bool selectionActivates, bool redNumbers);
    void TakeOutputCurves(Snapshot& s);
    // The steps every band-set mode shares, with the mode's colours.
    void DrawBandSetPlot(QPainter& target, const Snapshot& s);
    void DrawOutputCurves(QPainter& dc, const Snapshot& s);
    void DrawAllBypassText(QPainter& dc);
    void DrawGreyCurves(QPainter& dc, const Snapshot& s);
    // Draws the grey layer of these curves, rendered anew only when they
    // changed.
    void DrawGreyLayer(QPainter& dc, std::unique_ptr<Layer>& layer, std::vector<SnapshotOverlay> overlays);
    QImage RenderGreyLayer(const std::vector<SnapshotOverlay>& overlays) const;
    QImage RenderBypassLayer(bool chinese) const;
    void PaintBypassText(QPainter& painter, bool chinese) const;
    void DrawHorizontalGrid(QPainter& dc, int divisions) const;
    void DrawVerticalGrid(QPainter& dc) const;

    // ---- Mouse ---------------------------------------------------------------------
    // Hit test and drag step; true when the plot must be redrawn.
    bool TrackMouse(const QPoint& pt);
    bool TrackFilterCorner(const QPoint& pt);
    bool TrackMarker(CFilter* band, const QPoint& pt, bool left, bool& handled);
    bool SearchBands(const QPoint& pt);
    bool TracksMouse() const { return m_nDrawMode >= DRAW_EFFECT && m_nDrawMode <= DRAW_OUTPUT; }
    // The shown set's item count (the music mode searches every item too).
    int SearchCount() const;
    // The leading items the present mode numbers and searches.
    int ShownItemCount() const;
    void ShowBandSet(CKTVEQ* bands, int kind, int mode, int code);

    CMsgTarget* m_pOwner = nullptr;
    CKTV_Data* m_pData = nullptr;
    CEffect_Data* m_pEffect = nullptr;
    CMIC_InData* m_pCurMic = nullptr;
    CMusic_InData* m_pCurMusic = nullptr;
    CKTV_OutData* m_pCurOutput = nullptr;
    CKTVEQ* m_pBandSet = nullptr;
    CFilter* m_pActiveBand = nullptr;
    int m_nGridX[GRID_LINES] = {};
    CRect m_rcClient;
    CRect m_rcPlot;
    CRect m_rcWindow;
    bool m_bHover = false;
    bool m_bLastDragResult = false;
    bool m_bChanged = false;
    int m_nReportedItem = 0;
    int m_nSelection = -1;
    int m_nDrawMode = DRAW_NONE;
    int m_nChannelKind = KIND_EFFECT;
    int m_nChannelCode = 0;
    int m_nOutputIndex = 0;

    QFont m_font;
    QFont m_bypassFont;
    CBackingImage m_backing;
    CTimerMap m_timers;
    bool m_bPresenting = false;
    bool m_bCaching = true;
    // The grey curves in two layers: the outputs linked with the shown one,
    // which a drag moves with it, and the others, which stay.
    std::unique_ptr<Layer> m_pGreyLayer;
    std::unique_ptr<Layer> m_pLinkedGreyLayer;
    std::unique_ptr<Layer> m_pBypassLayer[2];
};
