#include "controls/SLamp.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
const QColor kBackground(127, 127, 127);
const QColor kDark(102, 102, 102);

QColor LitColour(int segment)
{
    switch (segment) {
    case 9:
        return QColor(255, 204, 74);
    case 10:
        return QColor(255, 127, 39);
    case 11:
        return QColor(237, 0, 0);
    default:
        return QColor(0, 200, 51);
    }
}
}  // namespace

CSLamp::CSLamp(QWidget* parent) : QWidget(parent), m_backing(this)
{
    m_abWanted.fill(true);
    m_abShown.fill(true);
}

void CSLamp::CalcLayout()
{
    m_rcClient = CRect(0, 0, width(), height());
    m_rcSegment = CRect(0, 0, m_rcClient.Width() / 13, m_rcClient.Height());
}

CRect CSLamp::SegmentRect(int segment) const
{
    CRect r = m_rcSegment;
    r.OffsetRect(segment * (m_rcSegment.Width() + 1), 0);
    return r;
}

bool CSLamp::IsLit(int segment) const
{
    return segment >= 0 && segment < SEGMENT_COUNT && m_abShown[segment];
}

void CSLamp::SetLevel(BYTE code)
{
    m_abWanted[11] = (code & 0x10) != 0;
    m_abWanted[10] = (code & 0x20) != 0;
    m_abWanted[9] = (code & 0x40) != 0;
    const int n = code & 0x0F;
    if (n <= 9) {
        for (int i = 0; i < 9; ++i)
            m_abWanted[i] = i < n;
    }
    for (int i = 0; i < SEGMENT_COUNT; ++i) {
        if (m_abWanted[i] != m_abShown[i]) {
            m_abShown[i] = m_abWanted[i];
            m_bRedraw = true;
        }
    }
    if (m_bRedraw) {
        DrawNow();
        m_bRedraw = false;
    }
}

void CSLamp::Reset()
{
    m_abWanted.fill(false);
    m_abShown.fill(false);
    m_bRedraw = true;
    DrawNow();
}

void CSLamp::Render()
{
    ++m_nDrawCount;
    QImage& image = m_backing.Surface();
    QPainter painter(&image);
    painter.fillRect(rect(), kBackground);
    for (int i = 0; i < SEGMENT_COUNT; ++i) {
        CRect segment = SegmentRect(i);
        segment.top += 1;
        painter.fillRect(segment.ToQRect(), m_abShown[i] ? LitColour(i) : kDark);
    }
}

void CSLamp::DrawNow()
{
    Render();
    m_backing.Present();
}

void CSLamp::paintEvent(QPaintEvent* event)
{
    if (!m_backing.FitsWidget())
        Render();
    QPainter painter(this);
    m_backing.PaintTo(painter, event->rect());
}
