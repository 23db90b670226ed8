#include "controls/GradientProgressCtrl.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>

#include <QPaintEvent>
#include <QPainter>

#include "controls/MyMemDC.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The ramp's ends, fixed.
constexpr COLORREF kStartColour = RGB(255, 0, 0);
constexpr COLORREF kEndColour = RGB(0, 0, 255);
}  // namespace

// The numbers the worker reads and writes, and the bar to tell while it
// lives. The mutex keeps a range and its position together and orders a
// post against the bar's destruction; the numbers are atomics so that
// readers need no lock.
class CGradientProgressCtrl::CShared final : public IProgressDisplay {
public:
    explicit CShared(CGradientProgressCtrl* bar) : m_pBar(bar) {}

    void SetPos(int pos) override { Store(pos); }
    int GetPos() const override { return m_nPos.load(); }
    int GetRangeUpper() const override { return m_nUpper.load(); }
    int GetRangeLower() const { return m_nLower.load(); }

    // Stores min(pos, upper) and posts PBM_SETPOS to the bar; false when no
    // bar took the message.
    bool Store(int pos)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const int stored = std::min(pos, m_nUpper.load());
        m_nPos.store(stored);
        return m_pBar != nullptr && PostMessage(m_pBar, PBM_SETPOS, WPARAM(stored), 0);
    }
    void Step(int step)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_nPos.store(m_nPos.load() + step);
    }
    void SetRange(int lower, int upper)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_nLower.store(lower);
        m_nUpper.store(upper);
        m_nPos.store(lower);
    }
    // (lower, upper, position) as one consistent set.
    void Snapshot(int& lower, int& upper, int& pos) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        lower = m_nLower.load();
        upper = m_nUpper.load();
        pos = m_nPos.load();
    }
    void Detach()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pBar = nullptr;
    }

private:
    mutable std::mutex m_mutex;
    CGradientProgressCtrl* m_pBar;  // guarded by m_mutex
    std::atomic<int> m_nLower{0};
    std::atomic<int> m_nUpper{100};
    std::atomic<int> m_nPos{0};
};

CGradientProgressCtrl::CGradientProgressCtrl(QWidget* parent)
    : QWidget(parent),
      m_pShared(std::make_shared<CShared>(this)),
      m_clrBackground(ToColorRef(GetSysColor(COLOR_BTNFACE)))
{
    // Every pixel is painted: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CGradientProgressCtrl::~CGradientProgressCtrl()
{
    m_pShared->Detach();
}

std::shared_ptr<IProgressDisplay> CGradientProgressCtrl::Display() const
{
    return m_pShared;
}

void CGradientProgressCtrl::SetRange(int lower, int upper)
{
    m_pShared->SetRange(lower, upper);
}

bool CGradientProgressCtrl::SetPos(int pos)
{
    return m_pShared->Store(pos);
}

int CGradientProgressCtrl::GetPos() const
{
    return m_pShared->GetPos();
}

int CGradientProgressCtrl::GetRangeLower() const
{
    return m_pShared->GetRangeLower();
}

int CGradientProgressCtrl::GetRangeUpper() const
{
    return m_pShared->GetRangeUpper();
}

void CGradientProgressCtrl::StepIt()
{
    m_pShared->Step(m_nStep);
    update();
}

void CGradientProgressCtrl::ShowPercent(bool show)
{
    m_bShowPercent = show;
    update();
}

QString CGradientProgressCtrl::PercentText() const
{
    int lower = 0;
    int upper = 0;
    int pos = 0;
    m_pShared->Snapshot(lower, upper, pos);
    const double percent = upper != lower ? double(pos - lower) * 100.0 / double(upper - lower) : 0.0;
    return pos == upper ? QString::asprintf("%3.0f %%", percent) : QString::asprintf("%3.2f %%", percent);
}

LRESULT CGradientProgressCtrl::WindowProc(UINT message, WPARAM, LPARAM)
{
    if (message == PBM_SETPOS)
        update();
    return 0;
}

int CGradientProgressCtrl::FilledExtent(int length) const
{
    int lower = 0;
    int upper = 0;
    int pos = 0;
    m_pShared->Snapshot(lower, upper, pos);
    if (pos <= lower || pos > upper || upper == lower)
        return -1;
    // Single precision, truncated, as the bar has always measured it.
    const float ratio = float(pos - lower) / float(upper - lower);
    return int(ratio * float(length));
}

void CGradientProgressCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool vertical = (GetWindowStyle(this) & PBS_VERTICAL) != 0;
    const int filled = FilledExtent(vertical ? height() : width());
    if (filled < 0)
        painter.fillRect(rect().adjusted(-2, -2, 2, 2), ToQColor(m_clrBackground));
    else
        DrawGradient(painter, width(), height(), filled, vertical);

    if (m_bShowPercent) {
        painter.setPen(GetSysColor(COLOR_WINDOWTEXT));
        DrawText(painter, PercentText(), CRect(0, 0, width(), height()), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void CGradientProgressCtrl::DrawGradient(QPainter& painter, int width, int height, int filled, bool vertical) const
{
    // A sliver that no band reaches shows the background.
    painter.setBackground(ToQColor(m_clrBackground));
    CMyMemDC dc(&painter);

    const int dR = int(GetRValue(kEndColour)) - int(GetRValue(kStartColour));
    const int dG = int(GetGValue(kEndColour)) - int(GetGValue(kStartColour));
    const int dB = int(GetBValue(kEndColour)) - int(GetBValue(kStartColour));
    const int n = std::max({std::abs(dR), std::abs(dG), std::abs(dB)});
    const float s = float(vertical ? height : width) / float(n);
    const float rS = float(dR) / float(n);
    const float gS = float(dG) / float(n);
    const float bS = float(dB) / float(n);

    for (int i = 0; i < n; ++i) {
        const int from = int(float(i) * s);
        const int to = int(float(i + 1) * s);
        const CRect band = vertical ? CRect(0, from, width + 1, to) : CRect(from, 0, to, height + 1);
        const BYTE r = BYTE(int(float(GetRValue(kStartColour)) + float(i) * rS) & 0xFF);
        const BYTE g = BYTE(int(float(GetGValue(kStartColour)) + float(i) * gS) & 0xFF);
        const BYTE b = BYTE(int(float(GetBValue(kStartColour)) + float(i) * bS) & 0xFF);
        dc->fillRect(band.ToQRect(), ToQColor(RGB(r, g, b)));
        if (to > filled) {
            const CRect rest = vertical ? CRect(0, to, width + 1, height) : CRect(to, 0, width, height + 1);
            dc->fillRect(rest.ToQRect(), ToQColor(m_clrBackground));
            break;
        }
    }
}
