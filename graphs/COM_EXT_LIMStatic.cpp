#include "graphs/COM_EXT_LIMStatic.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "graphs/MemDC.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "model/ChannelColors.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/ParameterSetLock.h"
#include "model/Units.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/Lines.h"
#include "platform/gui/LogFont.h"

namespace {
const QColor kLabelText(200, 200, 200);
const QColor kPlotFrame(0, 180, 0);
const QColor kPlotGrid(21, 100, 21);
const QColor kThresholdPoint(255, 255, 0);
// The outputs whose curve has a colour of its own.
constexpr int kColouredOutputs = 8;
// The row of the dynamics side that takes the ratio.
constexpr int kRatioRow = 4;
}  // namespace

CCOM_EXT_LIMStatic::CCOM_EXT_LIMStatic(QWidget* parent) : QWidget(parent), m_backing(this, QImage::Format_RGB32)
{
    m_font = CreateFont(14, 400).value_or(font());
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

CCOM_EXT_LIMStatic::~CCOM_EXT_LIMStatic() = default;

// ---- Set-up ---------------------------------------------------------------------------

void CCOM_EXT_LIMStatic::InitLayout()
{
    m_rcClient = CRect(0, 0, width(), height());
    m_rcPlot = CRect(m_rcClient.left + PLOT_INSET_LEFT, m_rcClient.top + PLOT_INSET_TOP,
                     m_rcClient.right - PLOT_INSET_RIGHT, m_rcClient.bottom - PLOT_INSET_BOTTOM);
}

void CCOM_EXT_LIMStatic::SetGraphType(int type)
{
    m_nGraphType = type;
    if (type != TYPE_LIMITER)
        return;
    // A client of at most 30 x 20 pixels (or no layout yet) leaves no plot:
    // its scale stays 0 and the threshold is never read from the pointer.
    m_dYScale = std::max(0, m_rcPlot.Height()) / double(THRESHOLD_STEPS);
    m_dXScale = std::max(0, m_rcPlot.Width()) / double(THRESHOLD_STEPS);
}

void CCOM_EXT_LIMStatic::SelectChannel(int n)
{
    CKTV_OutData* output = m_pData ? m_pData->GetOutput(n) : nullptr;
    if (output == nullptr)
        return;
    m_nChannel = n;
    m_pCurOutput = output;
    CopyRecord();
    m_ptStart = QPointF(m_rcPlot.left, m_rcPlot.bottom - 2);
    if (n >= 0 && n < kColouredOutputs)
        m_clrCurve = QColor::fromRgb(QRgb(kOutputColours[n].rgb | 0xFF000000u));
    DrawNow();
}

void CCOM_EXT_LIMStatic::RefreshChannel()
{
    CopyRecord();
    DrawNow();
}

void CCOM_EXT_LIMStatic::CopyRecord()
{
    if (m_pCurOutput == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_pCurOutput->GetLimiterRecord(m_wRecord);
}

void CCOM_EXT_LIMStatic::SetThresholdControls(CNumSpin* spin, CNumEdit* edit)
{
    m_pSpin = spin;
    m_pEdit = edit;
}

void CCOM_EXT_LIMStatic::SetThresholdControls2(CNumSpin* spin, CNumEdit* edit)
{
    m_pSpin2 = spin;
    m_pEdit2 = edit;
}

QPointF CCOM_EXT_LIMStatic::PointOfSteps(double t) const
{
    return QPointF(m_rcPlot.left + t * m_dXScale, m_rcPlot.bottom - t * m_dYScale);
}

// ---- Drawing ----------------------------------------------------------------------------

void CCOM_EXT_LIMStatic::DrawNow()
{
    if (!IsLimiter() || width() <= 0 || height() <= 0)
        return;
    {
        QPainter image(&m_backing.Surface());
        DrawGraph(image);
    }
    m_bPresenting = true;
    m_backing.Present();
    m_bPresenting = false;
}

void CCOM_EXT_LIMStatic::paintEvent(QPaintEvent* event)
{
    // Other types paint nothing of their own.
    if (!IsLimiter())
        return;
    if (!m_bPresenting && width() > 0 && height() > 0) {
        QPainter image(&m_backing.Surface());
        DrawGraph(image);
    }
    QPainter painter(this);
    m_backing.PaintTo(painter, event->rect());
}

void CCOM_EXT_LIMStatic::DrawGraph(QPainter& target)
{
    const CRect client(0, 0, width(), height());
    CMemDC dc(&target, &client, false);
    DrawRectangle(*dc, client, Qt::black, Qt::black);

    // Level labels: opaque cells on black.
    dc->setFont(m_font);
    const int top = m_rcPlot.top;
    const int left = m_rcPlot.left;
    const auto down = [this](int steps) { return TruncateToInt(m_dYScale * steps); };
    const auto across = [this](int steps) { return TruncateToInt(m_dXScale * steps); };
    const auto label = [&dc](int x, int y, const char* text) {
        TextOut(*dc, x, y, QString::fromLatin1(text), kLabelText, Qt::black);
    };
    label(2, top - 5, " 12");
    label(2, top + TruncateToInt(m_dYScale * 120 - 7), "  0");
    label(2, top + TruncateToInt(m_dYScale * 220 - 7), "-10");
    label(2, top + TruncateToInt(m_dYScale * 320 - 7), "-20");
    label(2, top + TruncateToInt(m_dYScale * 420 - 7), "-30");
    const int under = top + down(THRESHOLD_STEPS);
    label(left + across(100) - 8, under, "-20");
    label(left + across(200) - 8, under, "-10");
    label(left + across(300) - 3, under, "0");
    label(left + across(420) - 7, under, "12");

    // Plot frame and grid (0, -10, -20 dB both ways).
    DrawRectangle(*dc, m_rcPlot, kPlotFrame, Qt::black);
    for (int n : {120, 220, 320}) {
        const int y = top + down(n);
        DrawLine(*dc, QPoint(left, y), QPoint(m_rcPlot.right - 1, y), kPlotGrid);
    }
    for (int n : {100, 200, 300}) {
        const int x = left + across(n);
        DrawLine(*dc, QPoint(x, m_rcPlot.bottom - 1), QPoint(x, top), kPlotGrid);
    }

    if (m_pCurOutput != nullptr && HasPlot())
        DrawCurve(*dc);
    dc.Flush();
}

void CCOM_EXT_LIMStatic::DrawCurve(QPainter& dc)
{
    const double t = GetThresholdCopy();
    m_ptThreshold = PointOfSteps(t);
    m_ptEnd = QPointF(m_rcPlot.right, m_ptThreshold.y());
    const int pointLeft = TruncateToInt(m_ptThreshold.x() - 3);
    const int pointTop = TruncateToInt(m_ptThreshold.y() - 3);
    m_rcPoint = CRect(pointLeft, pointTop, pointLeft + POINT_SIZE, pointTop + POINT_SIZE);

    dc.save();
    dc.setClipRect(m_rcClient.ToQRect());
    dc.setRenderHint(QPainter::Antialiasing, true);
    // Flat ends and mitred joins, as the curve pens of the graphs.
    dc.setPen(QPen(QBrush(m_clrCurve), 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    dc.drawLine(m_ptStart, m_ptThreshold);
    dc.drawLine(m_ptThreshold, m_ptEnd);
    const QRectF point(m_rcPoint.left, m_rcPoint.top, POINT_SIZE, POINT_SIZE);
    dc.setPen(QPen(QBrush(kThresholdPoint), 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    dc.setBrush(kThresholdPoint);
    dc.drawRect(point);
    dc.restore();
}

// ---- Mouse -------------------------------------------------------------------------------

void CCOM_EXT_LIMStatic::UpdateCursor()
{
    setCursor(m_bOverPoint ? Qt::SizeBDiagCursor : Qt::ArrowCursor);
}

void CCOM_EXT_LIMStatic::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton && IsLimiter())
        m_bDragging = m_bOverPoint;
    QWidget::mousePressEvent(event);
}

void CCOM_EXT_LIMStatic::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && IsLimiter() && m_bOverPoint)
        m_bDragging = false;
    QWidget::mouseReleaseEvent(event);
}

void CCOM_EXT_LIMStatic::mouseMoveEvent(QMouseEvent* event)
{
    if (IsLimiter()) {
        const QPoint pt = event->position().toPoint();
        if (!m_bDragging)
            m_bOverPoint = m_rcPoint.PtInRect(pt);
        else if (m_bOverPoint)
            DragThreshold(pt.y());
        UpdateCursor();
    }
    QWidget::mouseMoveEvent(event);
}

void CCOM_EXT_LIMStatic::DragThreshold(int y)
{
    if (!HasPlot())
        return;
    const int steps = std::clamp(TruncateToInt((m_rcPlot.bottom - y) / m_dYScale), 0, int(THRESHOLD_STEPS));
    // Only while the first pair's spin is registered does a drag write: the
    // graph never shows a threshold the output does not hold.
    if (steps == GetThresholdCopy() || m_pSpin == nullptr || m_pCurOutput == nullptr)
        return;
    m_wRecord[0] = WORD(steps);
    for (CNumSpin* spin : {m_pSpin, m_pSpin2}) {
        if (spin != nullptr)
            spin->SetPos(steps);
    }
    for (CNumEdit* edit : {m_pEdit, m_pEdit2}) {
        if (edit != nullptr)
            edit->SetActiveLook(true);
    }
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurOutput->SetLimitThreshold(short(steps));
    }
    DrawNow();
}

int CCOM_EXT_LIMStatic::DragRatio(int, int y)
{
    const double pointY = PointOfSteps(GetThresholdCopy()).y();
    const double a = pointY - m_rcPlot.top;
    double b = pointY - y;
    if (b <= 0)
        b = 1;
    const int code = std::clamp(SnapRatioCode(TruncateToInt(a / b * 10 - 9)), 1, int(RATIO_CODE_MAX));
    if (m_pCurOutput != nullptr) {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurOutput->SetDynamicsExtra(kRatioRow, code);
    }
    return code;
}
