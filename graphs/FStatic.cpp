#include "graphs/FStatic.h"

#include <algorithm>
#include <cstring>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRgba64>

#include "graphs/MemDC.h"
#include "model/DataDefine.h"
#include "model/Effect_Data.h"
#include "model/Filter.h"
#include "model/KTVEQ.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/MIC_InData.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "model/Units.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "platform/core/MsgTarget.h"
#include "platform/gui/CurveColors.h"
#include "platform/gui/CursorPos.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Lines.h"
#include "platform/gui/LogFont.h"

namespace {
const QColor kBackground(44, 44, 44);
const QColor kPlotBorder(149, 149, 149);
const QColor kGrid(100, 100, 100);
const QColor kActiveArea(68, 86, 98);
const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kBypassOutline(94, 104, 116, 32);
const QColor kBypassFill(155, 155, 155, 255);
const QColor kInputBorder(0, 180, 0);

// The plot inside the client area.
enum : int { PLOT_LEFT = 40, PLOT_TOP = 10, PLOT_RIGHT = 10, PLOT_BOTTOM = 20 };

const int kGridFrequencies[CFStatic::GRID_LINES] = {
    20,   30,   40,   50,   60,   70,   80,   90,   100,  200,  300,  400,  500,  600,
    700,  800,  900,  1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000,
};

// Frequency labels under the plot: text, frequency, offset to the left.
struct FrequencyLabel {
    const char* text;
    int hz;
    int offset;
};
const FrequencyLabel kFrequencyLabels[] = {
    {"30", 30, 8},      {"40", 40, 8},      {"50", 50, 8},      {"70", 70, 8},       {"100", 100, 10},
    {"200", 200, 10},   {"300", 300, 10},   {"500", 500, 10},   {"700", 700, 10},    {"1K", 1000, 8},
    {"2K", 2000, 8},    {"3K", 3000, 8},    {"4K", 4000, 8},    {"5K", 5000, 8},     {"7K", 7000, 8},
    {"10K", 10000, 10}, {"20K", 20000, 15},
};
const char* const kGainLabels[] = {"+9", "+6", "+3", "0dB", "-3", "-6", "-9"};

// A one-pixel GDI line, down or to the right; the end point is not drawn.
void GdiVerticalLine(QPainter& dc, int x, int top, int bottom, const QColor& colour)
{
    if (bottom > top)
        dc.fillRect(QRect(x, top, 1, bottom - top), colour);
}

void GdiHorizontalLine(QPainter& dc, int left, int right, int y, const QColor& colour)
{
    if (right > left)
        dc.fillRect(QRect(left, y, right - left, 1), colour);
}

// The pen GDI+ strokes lines with: flat ends, mitred joins.
QPen CurvePen(const QColor& colour, double width)
{
    return QPen(QBrush(colour), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

QPainterPath Beziers(const std::vector<QPointF>& points)
{
    QPainterPath path;
    if (points.empty())
        return path;
    path.moveTo(points[0]);
    for (size_t k = 1; k + 2 < points.size(); k += 3)
        path.cubicTo(points[k], points[k + 1], points[k + 2]);
    return path;
}

std::vector<QPointF> ToQPoints(const PointF* points)
{
    std::vector<QPointF> out(GRID_POINTS);
    for (int i = 0; i < GRID_POINTS; ++i)
        out[size_t(i)] = QPointF(points[i].x, points[i].y);
    return out;
}

bool IsFilterKind(int kind)
{
    return kind == FILTER_HIGH_PASS || kind == FILTER_LOW_PASS;
}

// A premultiplied 16-bit image in 8 bits a channel, rounded. Written out
// here because Qt converts an image of this size on its thread pool, which
// the drawing has no need of.
QImage To8BitsPerChannel(const QImage& wide)
{
    QImage narrow(wide.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < wide.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgba64*>(wide.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(narrow.scanLine(y));
        for (int x = 0; x < wide.width(); ++x)
            out[x] = in[x].toArgb32();
    }
    return narrow;
}

Point ToPoint(const QPoint& p)
{
    return Point{p.x(), p.y()};
}
}  // namespace

// What one drawing of a band-set mode shows, read under the parameter set's
// lock and drawn without it.
struct CFStatic::SnapshotOverlay {
    int index;
    std::vector<PointF> points;
    bool operator==(const SnapshotOverlay& o) const
    {
        return index == o.index && points.size() == o.points.size() &&
               std::memcmp(points.data(), o.points.data(), points.size() * sizeof(PointF)) == 0;
    }
};

struct CFStatic::Snapshot {
    struct Label {
        CRect rect;
        QString text;
        UINT format;
        bool red;
    };
    using Overlay = SnapshotOverlay;

    QColor border = kPlotBorder;
    int gridDivisions = 8;
    bool redNumbers = true;
    std::vector<Label> labels;
    std::vector<QPoint> area;
    bool markers = false;
    CRect leftMarker, rightMarker;
    QColor markerOutline = kRed;
    bool hasCaption = false;
    QString caption;
    CRect captionRect;
    QColor captionColour = kRed;
    // The shown curve: connected lines in the output mode, Béziers in the
    // others.
    std::vector<QPointF> curve;
    bool bezier = true;
    QColor curvePen = g_clrCurveLine;
    std::vector<Overlay> overlays;
    bool bypass = false;
};

// A cached drawing over the plot: the image, and what it was drawn from.
struct CFStatic::Layer {
    QSize size;
    std::vector<SnapshotOverlay> overlays;
    QImage image;
};

CFStatic::CFStatic(QWidget* parent)
    : QWidget(parent), m_backing(this), m_timers(this, [this](UINT id) { OnTimer(id); })
{
    // One small sans font for the labels, numbers and captions, drawn
    // without antialiasing like the rest of the frame; the bypass text is a
    // 48-pixel outline, with the CJK face for its Chinese form.
    m_font = CreateFontIndirect(DefaultGuiFontLogFont()).value_or(QFont());
    m_font.setStyleStrategy(QFont::NoAntialias);
    m_bypassFont.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Micro Hei")});
    m_bypassFont.setPixelSize(48);
    m_bypassFont.setWeight(QFont::Normal);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CFStatic::~CFStatic() = default;

// ---- Set-up -----------------------------------------------------------------------

void CFStatic::BindData(CKTV_Data* data, int type)
{
    m_pData = data;
    m_pEffect = data != nullptr ? data->GetEffect() : nullptr;
    m_rcWindow = CRect(mapToGlobal(QPoint(0, 0)), size());
    m_rcClient = CRect(0, 0, width(), height());
    m_rcPlot = m_rcClient;
    m_rcPlot.left += PLOT_LEFT;
    m_rcPlot.top += PLOT_TOP;
    m_rcPlot.right -= PLOT_RIGHT;
    m_rcPlot.bottom -= PLOT_BOTTOM;
    for (int i = 0; i < GRID_LINES; ++i)
        m_nGridX[i] = PLOT_LEFT + FrequencyToX(kGridFrequencies[i], m_rcPlot.Width());
    m_timers.SetTimer(TIMER_NOTIFY, NOTIFY_PERIOD_MS);
    if (data == nullptr)
        return;
    if (type == BIND_MUSIC)
        data->SetMusicGraphRect(m_rcPlot);
    else if (type == BIND_OUTPUT)
        data->SetOutputGraphRect(m_rcPlot);
}

void CFStatic::MovePointerOff(const CRect& area)
{
    if (area.PtInRect(mapFromGlobal(GetCursorPos())))
        SetCursorPos(ParkingPoint());
}

QPoint CFStatic::ParkingPoint() const
{
    return mapToGlobal(QPoint(0, m_rcClient.bottom));
}

void CFStatic::StopTimer()
{
    m_timers.KillTimer(TIMER_NOTIFY);
}

void CFStatic::ShowBandSet(CKTVEQ* bands, int kind, int mode, int code)
{
    m_pBandSet = bands;
    m_pActiveBand = nullptr;
    m_nChannelKind = kind;
    m_nDrawMode = mode;
    m_nChannelCode = code;
    RedrawByMode(-1);
}

void CFStatic::ShowOutputChannel(int n)
{
    CKTV_OutData* output = m_pData != nullptr ? m_pData->GetOutput(n) : nullptr;
    if (output == nullptr)
        return;
    m_pCurOutput = output;
    m_nOutputIndex = n;
    ShowBandSet(output->GetEQ(), KIND_OUTPUT, DRAW_OUTPUT, CODE_OUTPUT + n);
}

void CFStatic::ShowMusicChannel(int n)
{
    CMusic_InData* music = m_pData != nullptr ? m_pData->GetMusic(n) : nullptr;
    if (music == nullptr)
        return;
    m_pCurMusic = music;
    ShowBandSet(music->GetEQ(), KIND_MUSIC, DRAW_MUSIC, n);
}

void CFStatic::ShowMicChannel(int n)
{
    CMIC_InData* mic = m_pData != nullptr ? m_pData->GetMic(n) : nullptr;
    if (mic == nullptr)
        return;
    m_pCurMic = mic;
    ShowBandSet(mic->GetEQ(), KIND_MIC, DRAW_MIC, CODE_MIC + n);
}

void CFStatic::ShowEffect()
{
    if (m_pEffect == nullptr)
        return;
    ShowBandSet(m_pEffect->GetEQ(), KIND_EFFECT, DRAW_EFFECT, 0);
}

void CFStatic::SetDrawMode(int mode)
{
    m_nDrawMode = mode;
    RedrawByMode(-1);
}

void CFStatic::RedrawByMode(int sel)
{
    const bool inSet = m_pBandSet != nullptr && sel >= 0 && sel < m_pBandSet->GetSize();
    m_nSelection = inSet ? sel : -1;
    DrawPlotIntoImage();
}

void CFStatic::Enable(bool enable)
{
    update();
    setEnabled(enable);
}

void CFStatic::EnableGraph(bool enable)
{
    m_pActiveBand = nullptr;
    Enable(enable);
    repaint();
}

void CFStatic::SetDrawCaching(bool on)
{
    m_bCaching = on;
    m_pGreyLayer.reset();
    m_pLinkedGreyLayer.reset();
    m_pBypassLayer[0].reset();
    m_pBypassLayer[1].reset();
}

// ---- Painting -----------------------------------------------------------------------

void CFStatic::paintEvent(QPaintEvent* event)
{
    if (!m_bPresenting && width() > 0 && height() > 0) {
        QPainter image(&m_backing.Surface());
        DrawBackground(image);
        DrawByMode(image);
    }
    QPainter painter(this);
    m_backing.PaintTo(painter, event->rect());
}

void CFStatic::DrawPlotIntoImage()
{
    if (width() <= 0 || height() <= 0)
        return;
    const bool fresh = !m_backing.FitsWidget();
    {
        QPainter image(&m_backing.Surface());
        if (fresh)
            DrawBackground(image);
        DrawByMode(image);
    }
    m_bPresenting = true;
    m_backing.Present(fresh ? CRect() : m_rcPlot);
    m_bPresenting = false;
}

void CFStatic::DrawBackground(QPainter& target)
{
    if (m_rcClient.IsRectEmpty())
        return;
    CMemDC dc(&target, &m_rcClient, false);
    DrawRectangle(*dc, m_rcClient, kBackground, kBackground);
    dc->setFont(m_font);
    const int plotHeight = m_rcPlot.Height();
    const int plotWidth = m_rcPlot.Width();
    TextOut(*dc, 6, m_rcClient.top + 5, QStringLiteral("+12"), kGrid, kBackground);
    for (int k = 1; k <= 7; ++k)
        TextOut(*dc, 6, plotHeight / 8 * k + 3, QString::fromLatin1(kGainLabels[k - 1]), kGrid, kBackground);
    TextOut(*dc, 6, plotHeight, QStringLiteral("-12"), kGrid, kBackground);
    TextOut(*dc, 30, m_rcPlot.bottom, QStringLiteral("20"), kGrid, kBackground);
    for (const FrequencyLabel& label : kFrequencyLabels)
        TextOut(*dc, PLOT_LEFT + FrequencyToX(label.hz, plotWidth) - label.offset, m_rcPlot.bottom,
                QString::fromLatin1(label.text), kGrid, kBackground);
    dc.Flush();
}

void CFStatic::DrawByMode(QPainter& target)
{
    if (m_rcPlot.IsRectEmpty())
        return;
    switch (m_nDrawMode) {
    case DRAW_NONE:
        DrawEmpty(target);
        break;
    case DRAW_EFFECT:
        DrawEffect(target);
        break;
    case DRAW_MIC:
        DrawMic(target);
        break;
    case DRAW_MUSIC:
        DrawMusic(target);
        break;
    case DRAW_OUTPUT:
        DrawOutput(target);
        break;
    default:
        break;
    }
}

void CFStatic::DrawVerticalGrid(QPainter& dc) const
{
    for (int i = 1; i < GRID_LINES; ++i)
        GdiVerticalLine(dc, m_nGridX[i], m_rcPlot.top, m_rcPlot.bottom, kGrid);
}

// Lines at top + trunc(height / divisions x k) for k = 1 to 8: every 3 dB
// from +9 dB in eighths (the eighth on the bottom edge, just outside the
// drawing), the upper two thirds in twelfths.
void CFStatic::DrawHorizontalGrid(QPainter& dc, int divisions) const
{
    for (int k = 1; k <= 8; ++k) {
        const int y = m_rcPlot.top + TruncateToInt(m_rcPlot.Height() / double(divisions) * k);
        GdiHorizontalLine(dc, m_rcPlot.left, m_rcPlot.right, y, kGrid);
    }
}

void CFStatic::DrawEmpty(QPainter& target)
{
    CMemDC dc(&target, &m_rcPlot, false);
    DrawRectangle(*dc, m_rcPlot, kWhite, Qt::black);
    DrawVerticalGrid(*dc);
    DrawHorizontalGrid(*dc, 12);
    dc.Flush();
}

void CFStatic::DrawEffect(QPainter& target)
{
    DrawInputPlot(target, m_pEffect, [this] { m_pEffect->UpdateCurve(); });
}

void CFStatic::DrawMic(QPainter& target)
{
    DrawInputPlot(target, m_pCurMic, [this] { m_pCurMic->RecomputeCurve(); });
}

// The effect and mic modes: a green frame, twelfths, the channel's own
// colours, white numbers and caption, the selection only shaded.
void CFStatic::DrawInputPlot(QPainter& target, CChannelData* channel, const std::function<void()>& recompute)
{
    Snapshot s;
    s.border = kInputBorder;
    s.gridDivisions = 12;
    s.redNumbers = false;
    s.captionColour = kWhite;
    if (channel != nullptr && m_pBandSet == channel->GetEQ()) {
        ParameterSetGuard guard(g_ParameterSetLock);
        TakeBands(s, false, false);
        recompute();
        s.curve = ToQPoints(channel->GetCurveFloat());
        s.curvePen = QColor::fromRgba(channel->GetCurveColor());
        s.markerOutline = QColor::fromRgb(channel->GetColor());
    }
    DrawBandSetPlot(target, s);
}

void CFStatic::DrawMusic(QPainter& target)
{
    Snapshot s;
    if (m_pCurMusic != nullptr && m_pBandSet == m_pCurMusic->GetEQ()) {
        ParameterSetGuard guard(g_ParameterSetLock);
        TakeBands(s, true, true);
        m_pCurMusic->RecomputeCurve();
        s.curve = ToQPoints(m_pCurMusic->GetCurveFloat());
        s.bypass = m_pCurMusic->IsAllBypass();
    }
    DrawBandSetPlot(target, s);
}

void CFStatic::DrawOutput(QPainter& target)
{
    Snapshot s;
    s.bezier = false;
    if (m_pCurOutput != nullptr && m_pBandSet == m_pCurOutput->GetEQ()) {
        ParameterSetGuard guard(g_ParameterSetLock);
        TakeBands(s, true, true);
        TakeOutputCurves(s);
    }
    DrawBandSetPlot(target, s);
}

void CFStatic::TakeBands(Snapshot& s, bool selectionActivates, bool redNumbers)
{
    const int sel = m_nSelection;
    CFilter* areaBand = nullptr;
    if (selectionActivates) {
        // The output and music modes: the selection becomes the active band
        // and the item the next notice reports.
        if (sel >= 0) {
            m_pActiveBand = m_pBandSet->GetAt(sel);
            m_nReportedItem = sel;
        } else {
            m_nSelection = -1;
        }
        areaBand = m_pActiveBand;
    } else {
        areaBand = sel >= 0 ? m_pBandSet->GetAt(sel) : m_pActiveBand;
    }
    if (areaBand != nullptr) {
        const Point* polygon = areaBand->GetPolygon();
        s.area.reserve(FILTER_POLYGON_POINTS);
        for (int i = 0; i < FILTER_POLYGON_POINTS; ++i)
            s.area.emplace_back(polygon[i].x, polygon[i].y);
    }

    const int count = ShownItemCount();
    s.labels.reserve(size_t(count));
    for (int i = count - 1; i >= 0; --i) {
        const CFilter* band = m_pBandSet->GetAt(i);
        Snapshot::Label label;
        label.rect = band->GetHandleRect();
        switch (band->GetKind()) {
        case FILTER_HIGH_PASS:
            label.text = QStringLiteral("H");
            break;
        case FILTER_LOW_PASS:
            label.text = QStringLiteral("L");
            break;
        default:
            label.text = QString::number(i + 1);
            break;
        }
        if (label.rect.right == m_rcPlot.right)
            label.format = DT_LEFT;
        else if (band->GetFrequency() <= 20)
            label.format = DT_RIGHT;
        else if (band->GetFrequency() >= 20000)
            label.format = DT_LEFT;
        else
            label.format = DT_CENTER;
        label.red = redNumbers && (sel >= 0 ? sel == i : band == m_pActiveBand);
        s.labels.push_back(label);
    }

    // Bandwidth markers of a peaking active band; the output and music modes
    // leave them off a gain-only band.
    if (m_pActiveBand != nullptr && m_pActiveBand->GetKind() == FILTER_PEAKING &&
        !(redNumbers && m_pActiveBand->GetGainOnlyCaption())) {
        s.markers = true;
        s.leftMarker = m_pActiveBand->GetLeftMarkerRect();
        s.rightMarker = m_pActiveBand->GetRightMarkerRect();
    }

    CFilter* captioned = sel >= 0 ? m_pBandSet->GetAt(sel) : m_pActiveBand;
    if (captioned != nullptr) {
        s.hasCaption = true;
        s.caption = captioned->BuildCaption();
        s.captionRect = captioned->GetCaptionRect();
    }
}

void CFStatic::TakeOutputCurves(Snapshot& s)
{
    // Every flagged output but the shown one lies under it in grey.
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (i == m_nOutputIndex || !g_abShowCurve[i])
            continue;
        CKTV_OutData* output = m_pData != nullptr ? m_pData->GetOutput(i) : nullptr;
        if (output == nullptr)
            continue;
        output->RecomputeCurve();
        const PointF* points = output->GetCurveFloat();
        s.overlays.push_back(Snapshot::Overlay{i, std::vector<PointF>(points, points + GRID_POINTS)});
    }
    m_pCurOutput->RecomputeCurve();
    s.curve = ToQPoints(m_pCurOutput->GetCurveFloat());
    s.bypass = m_pCurOutput->IsAllBypass();
}

void CFStatic::DrawBandSetPlot(QPainter& target, const Snapshot& s)
{
    CMemDC dc(&target, &m_rcPlot, false);
    DrawRectangle(*dc, m_rcPlot, s.border, kBackground);
    if (!s.area.empty()) {
        dc->setPen(QPen(kActiveArea, 0));
        dc->setBrush(kActiveArea);
        dc->drawPolygon(s.area.data(), int(s.area.size()));
    }
    DrawVerticalGrid(*dc);
    DrawHorizontalGrid(*dc, s.gridDivisions);
    if (!s.curve.empty())
        DrawOutputCurves(*dc, s);

    dc->setFont(m_font);
    for (const Snapshot::Label& label : s.labels) {
        dc->setPen(label.red ? kRed : kWhite);
        DrawText(*dc, label.text, label.rect, label.format);
    }
    if (s.markers) {
        DrawRectangle(*dc, s.leftMarker, s.markerOutline, kActiveArea);
        DrawRectangle(*dc, s.rightMarker, s.markerOutline, kActiveArea);
    }
    if (s.hasCaption) {
        dc->setPen(s.captionColour);
        DrawText(*dc, s.caption, s.captionRect, DT_CENTER);
    }
    dc.Flush();
}

void CFStatic::DrawOutputCurves(QPainter& dc, const Snapshot& s)
{
    dc.save();
    dc.setRenderHint(QPainter::Antialiasing, true);
    dc.setClipRect(m_rcPlot.ToQRect());
    dc.setBrush(Qt::NoBrush);
    DrawGreyCurves(dc, s);
    dc.setPen(CurvePen(s.curvePen, 2.0));
    if (s.bezier)
        dc.drawPath(Beziers(s.curve));
    else
        dc.drawPolyline(s.curve.data(), int(s.curve.size()));
    if (s.bypass)
        DrawAllBypassText(dc);
    dc.restore();
}

void CFStatic::DrawGreyCurves(QPainter& dc, const Snapshot& s)
{
    if (s.overlays.empty())
        return;
    // A drag moves the shown output and, through its page, the outputs
    // linked with it; the other curves keep their layer.
    const bool shownValid = m_nOutputIndex >= 0 && m_nOutputIndex < OUTPUT_COUNT;
    std::vector<SnapshotOverlay> others, linked;
    for (const SnapshotOverlay& overlay : s.overlays) {
        const bool withShown = shownValid && g_nLinkGroup[overlay.index] == g_nLinkGroup[m_nOutputIndex];
        (withShown ? linked : others).push_back(overlay);
    }
    DrawGreyLayer(dc, m_pGreyLayer, std::move(others));
    DrawGreyLayer(dc, m_pLinkedGreyLayer, std::move(linked));
}

void CFStatic::DrawGreyLayer(QPainter& dc, std::unique_ptr<Layer>& layer, std::vector<SnapshotOverlay> overlays)
{
    if (overlays.empty())
        return;
    const QSize size = m_rcPlot.Size();
    if (!m_bCaching || !layer || layer->size != size || !(layer->overlays == overlays)) {
        QImage image = RenderGreyLayer(overlays);
        layer.reset(new Layer{size, std::move(overlays), std::move(image)});
    }
    dc.drawImage(m_rcPlot.TopLeft(), layer->image);
}

// The grey curves alone over a transparent plot.
QImage CFStatic::RenderGreyLayer(const std::vector<SnapshotOverlay>& overlays) const
{
    QImage layer(m_rcPlot.Size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(-m_rcPlot.left, -m_rcPlot.top);
    p.setPen(CurvePen(g_clrCurveGrey, 3.0));
    for (const SnapshotOverlay& overlay : overlays)
        p.drawPolyline(ToQPoints(overlay.points.data()).data(), GRID_POINTS);
    p.end();
    return layer;
}

void CFStatic::DrawAllBypassText(QPainter& dc)
{
    const bool chinese = g_bChinese;
    std::unique_ptr<Layer>& layer = m_pBypassLayer[chinese ? 1 : 0];
    if (!m_bCaching || !layer || layer->size != m_rcPlot.Size())
        layer.reset(new Layer{m_rcPlot.Size(), {}, RenderBypassLayer(chinese)});
    dc.drawImage(m_rcPlot.TopLeft(), layer->image);
}

// The bypass text alone over a transparent plot, drawn at 16 bits a channel:
// its seven faint strokes laid on each other in 8 bits would gather a
// rounding error of a few levels.
QImage CFStatic::RenderBypassLayer(bool chinese) const
{
    QImage layer(m_rcPlot.Size(), QImage::Format_RGBA64_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(-m_rcPlot.left, -m_rcPlot.top);
    PaintBypassText(p, chinese);
    p.end();
    return To8BitsPerChannel(layer);
}

// "直通" or "All Bypass" as an outline: seven faint strokes of widths 1 to
// 7 with round joins, then the fill. The text is centred on x = plot width
// div 2 with its top at y = plot height div 3, in client coordinates.
void CFStatic::PaintBypassText(QPainter& painter, bool chinese) const
{
    const QString text = chinese ? QStringLiteral("直通") : QStringLiteral("All Bypass");
    const QFontMetricsF metrics(m_bypassFont);
    const double x = m_rcPlot.Width() / 2 - metrics.horizontalAdvance(text) / 2.0;
    const double y = m_rcPlot.Height() / 3 + metrics.ascent();
    QPainterPath path;
    path.addText(QPointF(x, y), m_bypassFont, text);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (int width = 1; width <= 7; ++width) {
        painter.setPen(QPen(QBrush(kBypassOutline), width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
    painter.fillPath(path, kBypassFill);
    painter.restore();
}

// ---- Mouse ------------------------------------------------------------------------------

int CFStatic::ShownItemCount() const
{
    const int size = m_pBandSet != nullptr ? m_pBandSet->GetSize() : 0;
    return m_nDrawMode == DRAW_MUSIC ? std::min(size, int(MUSIC_ITEMS)) : size;
}

int CFStatic::SearchCount() const
{
    return ShownItemCount();
}

// The search: the first item whose handle holds the pointer becomes the
// active band and the reported item. With none found the active band stays
// (the last band under the pointer keeps its highlight).
bool CFStatic::SearchBands(const QPoint& pt)
{
    const int count = SearchCount();
    for (int i = 0; i < count; ++i) {
        CFilter* band = m_pBandSet->GetAt(i);
        if (band->GetHandleRect().PtInRect(pt)) {
            m_pActiveBand = band;
            band->m_bHandleHit = true;
            m_nReportedItem = i;
            m_bHover = true;
            return true;
        }
    }
    m_bHover = false;
    return false;
}

// One bandwidth marker of the active band. handled is set when this marker
// decided the step.
bool CFStatic::TrackMarker(CFilter* band, const QPoint& pt, bool left, bool& handled)
{
    const CRect& marker = left ? band->GetLeftMarkerRect() : band->GetRightMarkerRect();
    bool& hit = left ? band->m_bLeftMarkerHit : band->m_bRightMarkerHit;
    bool& drag = left ? band->m_bLeftMarkerDrag : band->m_bRightMarkerDrag;
    bool& otherHit = left ? band->m_bRightMarkerHit : band->m_bLeftMarkerHit;
    bool& otherDrag = left ? band->m_bRightMarkerDrag : band->m_bLeftMarkerDrag;
    handled = true;
    if (!marker.PtInRect(pt) && drag) {
        bool redraw = false;
        if (band->DragBandwidth(ToPoint(pt))) {
            m_bChanged = true;
            redraw = true;
        }
        m_bHover = false;
        return redraw;
    }
    if (marker.PtInRect(pt)) {
        band->m_bHandleHit = false;
        hit = true;
        otherHit = false;
        otherDrag = false;
        bool redraw = false;
        if (drag && band->DragBandwidth(ToPoint(pt))) {
            m_bChanged = true;
            redraw = true;
        }
        m_bHover = marker.PtInRect(pt);
        return redraw;
    }
    handled = false;
    return false;
}

bool CFStatic::TrackMouse(const QPoint& pt)
{
    CFilter* band = m_pActiveBand;
    if (band == nullptr)
        return SearchBands(pt);
    if (IsFilterKind(band->GetKind()))
        return TrackFilterCorner(pt);

    const bool inHandle = band->GetHandleRect().PtInRect(pt);
    if (!inHandle && band->m_bHandleDrag) {
        // The point is dragged beyond its handle: every step redraws.
        m_bLastDragResult = band->DragBandPoint(ToPoint(pt));
        if (m_bLastDragResult)
            m_bChanged = true;
        m_bHover = false;
        return true;
    }
    if (inHandle) {
        band->m_bHandleHit = true;
        band->m_bLeftMarkerHit = false;
        band->m_bRightMarkerHit = false;
        bool redraw = false;
        if (band->m_bHandleDrag) {
            m_bLastDragResult = band->DragBandPoint(ToPoint(pt));
            if (m_bLastDragResult) {
                m_bChanged = true;
                redraw = true;
            }
        }
        m_bHover = band->GetHandleRect().PtInRect(pt);
        return redraw;
    }
    // A gain-only band has no markers.
    if (!band->GetGainOnlyCaption()) {
        bool handled = false;
        const bool redraw = TrackMarker(band, pt, true, handled);
        if (handled)
            return redraw;
        const bool redrawRight = TrackMarker(band, pt, false, handled);
        if (handled)
            return redrawRight;
    }
    return SearchBands(pt);
}

// The active band is a crossover filter: its corner follows the pointer,
// the high-pass never above the low-pass and the low-pass never below the
// high-pass. Every channel's band set ends with its two filters, so one
// step serves the output, music, mic and effect modes.
bool CFStatic::TrackFilterCorner(const QPoint& pt)
{
    CFilter* filter = m_pActiveBand;
    const CFilter* opposite =
        filter->GetKind() == FILTER_HIGH_PASS ? m_pBandSet->GetLowPass() : m_pBandSet->GetHighPass();
    const int limit = opposite != nullptr ? opposite->GetFrequency() : 0;
    if (!filter->GetHandleRect().PtInRect(pt)) {
        if (!filter->m_bHandleDrag) {
            m_pActiveBand = nullptr;
            m_bHover = false;
            return false;
        }
        m_bLastDragResult = filter->DragFilterCorner(ToPoint(pt), limit);
        if (m_bLastDragResult)
            m_bChanged = true;
        m_bHover = true;
        return true;
    }
    bool redraw = false;
    if (filter->m_bHandleDrag) {
        m_bLastDragResult = filter->DragFilterCorner(ToPoint(pt), limit);
        if (m_bLastDragResult) {
            m_bChanged = true;
            redraw = true;
        }
    }
    m_bHover = true;
    return redraw;
}

void CFStatic::OnMouseMove(const QPoint& pt)
{
    if (TracksMouse() && m_pBandSet != nullptr) {
        bool redraw = false;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            redraw = TrackMouse(pt);
        }
        if (redraw)
            RedrawByMode(-1);
    }
    OnSetCursor();
}

void CFStatic::OnLButtonDown(const QPoint& pt)
{
    setFocus(Qt::MouseFocusReason);
    if (TracksMouse() && m_bHover && m_pActiveBand != nullptr) {
        ParameterSetGuard guard(g_ParameterSetLock);
        CFilter* band = m_pActiveBand;
        if (band->m_bHandleHit) {
            band->m_bHandleDrag = true;
            band->SetGrabOffset(ToPoint(pt));
        } else if (band->GetKind() == FILTER_PEAKING) {
            if (band->m_bLeftMarkerHit) {
                band->m_bLeftMarkerDrag = true;
                band->SetMarkerGrabOffset(ToPoint(pt));
            } else if (band->m_bRightMarkerHit) {
                band->m_bRightMarkerDrag = true;
                band->SetMarkerGrabOffset(ToPoint(pt));
            }
        }
    }
    m_bReleased = false;
    OnSetCursor();
}

void CFStatic::OnLButtonUp(const QPoint&)
{
    m_bReleased = true;
    if (TracksMouse() && m_pActiveBand != nullptr) {
        ParameterSetGuard guard(g_ParameterSetLock);
        CFilter* band = m_pActiveBand;
        if (band->m_bHandleHit) {
            band->m_bHandleHit = band->m_bLeftMarkerHit = band->m_bRightMarkerHit = false;
            band->m_bHandleDrag = band->m_bLeftMarkerDrag = band->m_bRightMarkerDrag = false;
            m_bHover = false;
        } else {
            if (band->m_bLeftMarkerHit) {
                band->m_bLeftMarkerHit = band->m_bLeftMarkerDrag = false;
                m_bHover = false;
            }
            if (band->m_bRightMarkerHit) {
                band->m_bRightMarkerHit = band->m_bRightMarkerDrag = false;
                m_bHover = false;
            }
        }
    }
    OnSetCursor();
}

void CFStatic::OnSetCursor()
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (m_bHover) {
        shape = Qt::SizeAllCursor;
        if (m_pActiveBand != nullptr) {
            ParameterSetGuard guard(g_ParameterSetLock);
            const CFilter* band = m_pActiveBand;
            if (band->m_bLeftMarkerHit || band->m_bRightMarkerHit || IsFilterKind(band->GetKind()))
                shape = Qt::SizeHorCursor;
            else if (band->GetGainOnlyCaption())
                shape = Qt::SizeVerCursor;
        }
    }
    if (cursor().shape() != shape)
        setCursor(shape);
}

void CFStatic::OnTimer(UINT id)
{
    if (id != TIMER_NOTIFY || m_pOwner == nullptr)
        return;
    if (m_bChanged) {
        m_bChanged = false;
        PostMessage(m_pOwner, WM_GRAPH_CHANGED, WPARAM(m_nReportedItem), LPARAM(m_nChannelCode));
    } else if (m_bReleased) {
        PostMessage(m_pOwner, WM_GRAPH_CHANGED, WPARAM(m_nReportedItem), LPARAM(m_nChannelCode));
    }
}

void CFStatic::OnKillFocus()
{
    PostMessage(m_pOwner, WM_GRAPH_KILLFOCUS, 0, 0);
}

// Qt's implicit grab of a pressed button stands for the capture: moves and
// the release reach the graph wherever the pointer goes.
void CFStatic::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->position().toPoint());
    event->accept();
}

void CFStatic::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMove(event->position().toPoint());
    event->accept();
}

void CFStatic::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(event->position().toPoint());
    event->accept();
}

void CFStatic::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    OnKillFocus();
}
