// The grid's scrolling, from the scroll message (or the key) to the
// repainted pixels on a shown grid of 1,000 rows x 20 columns (one fixed row
// and column) about 1,000 x 600 pixels large, with varied texts of which
// some are cut with an ellipsis. Each benchmark reports the median and the
// 99th percentile of single steps (counters median_ms and p99_ms).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWidget>

#include "controls/grid/GridCtrl.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"

namespace {

class CBenchGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    using CGridCtrl::Invalidate;
    using CGridCtrl::m_nMouseMode;
};

struct GridWindow {
    QWidget window;
    CBenchGrid* grid = nullptr;
    std::optional<QFont> font = CreateFont(16, 400);

    GridWindow()
    {
        window.resize(1000, 600);
        grid = new CBenchGrid(1000, 20, 1, 1);
        grid->Create(CRect(0, 0, 1000, 600), &window, 1, WS_CHILD | WS_VISIBLE);
        grid->SetFont(&*font);
        static const char* const words[] = {"Room", "Hall", "Car demo", "Default", "Bass boost", "Vocal",
                                            "A preset name long enough to be cut off", "Sub", "Mid high"};
        for (int c = 0; c < 20; ++c) {
            grid->SetColumnWidth(c, c == 0 ? 50 : 60 + (c * 37) % 80);
            grid->SetItemText(0, c, QStringLiteral("Column %1").arg(c));
        }
        for (int r = 1; r < 1000; ++r) {
            grid->SetRowHeight(r, 22);
            grid->SetItemText(r, 0, QString::number(r));
            for (int c = 1; c < 20; ++c) {
                grid->SetItemText(r, c, QStringLiteral("%1 %2").arg(QLatin1String(words[(r * 7 + c) % 9])).arg(r));
                const bool cut = (r + c) % 3 == 0;
                grid->SetItemFormat(r, c, cut ? DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS : 0);
            }
        }
        grid->UpdateScrollBars();
        window.show();
        Settle();
    }
    void Settle() { QCoreApplication::processEvents(); }
};

GridWindow& Window()
{
    static GridWindow* window = new GridWindow;  // lives until the program ends
    return *window;
}

// Times single steps and reports their median and 99th percentile.
template <class Step, class Reset>
void TimeSteps(benchmark::State& state, Step step, Reset resetWhen)
{
    std::vector<double> times;
    for (auto _ : state) {
        state.PauseTiming();
        resetWhen();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        step();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["p99_ms"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    }
}

void Send(UINT message, UINT code)
{
    GridWindow& w = Window();
    SendMessage(w.grid, message, MAKEWPARAM(code, 0), 0);
    w.Settle();
}

void BM_GridLineStep(benchmark::State& state)
{
    const bool down = state.range(0) == 0;
    GridWindow& w = Window();
    const UINT message = down ? WM_VSCROLL : WM_HSCROLL;
    const int bar = down ? SB_VERT : SB_HORZ;
    Send(message, SB_TOP);
    TimeSteps(
        state, [&] { Send(message, SB_LINEDOWN); },
        [&] {
            const QScrollBar* scrollBar = down ? w.grid->verticalScrollBar() : w.grid->horizontalScrollBar();
            if (w.grid->GetScrollPosition(bar) >= scrollBar->maximum())
                Send(message, SB_TOP);
        });
}
BENCHMARK(BM_GridLineStep)->Arg(0)->Arg(1)->ArgName("right")->Iterations(600)->Unit(benchmark::kMillisecond);

void BM_GridPageStep(benchmark::State& state)
{
    GridWindow& w = Window();
    Send(WM_VSCROLL, SB_TOP);
    TimeSteps(
        state, [&] { Send(WM_VSCROLL, SB_PAGEDOWN); },
        [&] {
            if (w.grid->GetScrollPosition(SB_VERT) >= w.grid->verticalScrollBar()->maximum())
                Send(WM_VSCROLL, SB_TOP);
        });
}
BENCHMARK(BM_GridPageStep)->Iterations(300)->Unit(benchmark::kMillisecond);

void BM_GridThumbJump(benchmark::State& state)
{
    GridWindow& w = Window();
    QScrollBar* bar = w.grid->verticalScrollBar();
    std::mt19937 random(7734);
    std::uniform_int_distribution<int> position(0, bar->maximum());
    TimeSteps(
        state,
        [&] {
            bar->setSliderPosition(position(random));  // the bar's own thumb request
            w.Settle();
        },
        [] {});
}
BENCHMARK(BM_GridThumbJump)->Iterations(300)->Unit(benchmark::kMillisecond);

void BM_GridFullRepaint(benchmark::State& state)
{
    GridWindow& w = Window();
    TimeSteps(
        state,
        [&] {
            w.grid->Invalidate();
            w.Settle();
        },
        [] {});
}
BENCHMARK(BM_GridFullRepaint)->Iterations(200)->Unit(benchmark::kMillisecond);

// One key press on the grid, as the window system delivers it (held keys
// repeat), with what it repaints.
void PressKey(int key, bool repeat)
{
    GridWindow& w = Window();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), repeat);
    QCoreApplication::sendEvent(w.grid, &press);
    w.Settle();
}

// A held Down key on the last row shown, so that every step scrolls: the
// rows move up, the new row is selected, and the grid repaints.
void BM_GridKeyDown(benchmark::State& state)
{
    GridWindow& w = Window();
    w.grid->m_nMouseMode = CGridCtrl::MouseIdle;
    Send(WM_VSCROLL, SB_TOP);
    TimeSteps(
        state, [&] { PressKey(Qt::Key_Down, true); },
        [&] {
            if (w.grid->GetVisibleScrollRange().GetMaxRow() >= w.grid->GetRowCount() - 1)
                Send(WM_VSCROLL, SB_TOP);
            w.grid->SetFocusCell(w.grid->GetVisibleScrollRange().GetMaxRow(), 3);
            w.Settle();
        });
}
BENCHMARK(BM_GridKeyDown)->Iterations(600)->Unit(benchmark::kMillisecond);

void BM_GridPageDown(benchmark::State& state)
{
    GridWindow& w = Window();
    Send(WM_VSCROLL, SB_TOP);
    w.grid->SetFocusCell(1, 3);
    TimeSteps(
        state, [&] { PressKey(Qt::Key_PageDown, false); },
        [&] {
            if (w.grid->GetFocusCell().row >= w.grid->GetRowCount() - 1) {
                Send(WM_VSCROLL, SB_TOP);
                w.grid->SetFocusCell(1, 3);
            }
        });
}
BENCHMARK(BM_GridPageDown)->Iterations(300)->Unit(benchmark::kMillisecond);

}  // namespace
