// Faders on a shown page: a preset load that moves every mix fader, and one
// step of a held-button drag, each to repainted pixels.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "app/GlobalObjects.h"
#include "bench/widgets/PaintWatch.h"
#include "graphs/BitmapSlider.h"

namespace {
constexpr int kColumns = 12;
constexpr int kRows = 16;

// A stand-in of the input-mix page: twelve columns of sixteen mix faders,
// each column in the plain set, the current output's in the highlighted set.
class CMixPageStandIn : public QWidget {
public:
    CMixPageStandIn()
    {
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setBrush(QPalette::Window, g_brBackground);
        setPalette(palette);
        resize(kColumns * 70 + 20, kRows * 20 + 20);
        for (int c = 0; c < kColumns; ++c) {
            for (int r = 0; r < kRows; ++r) {
                auto* fader = new CBitmapSlider(this);
                fader->SetRange(0, 100, false);
                fader->SetVertical(false);
                fader->SetMargin(2, 2, 1, 2);
                fader->SetScaleType(CBitmapSlider::SCALE_MIX);
                fader->EnableMoveNotify(true);
                fader->move(10 + c * 70, 10 + r * 20);
                m_faders.push_back(fader);
            }
            Skin(c, c == 0);
        }
        show();
        QCoreApplication::processEvents();
    }

    // The column's faders in the highlighted or the plain set; the channel
    // by source group (four rows a group).
    void Skin(int column, bool highlighted)
    {
        for (int r = 0; r < kRows; ++r) {
            CBitmapSlider* fader = Fader(column, r);
            const UINT channel = (highlighted ? 1182u : 1095u) + UINT(r / 4);
            fader->SetChannelBitmaps(channel, channel, false, CLR_DEFAULT, 0, 0);
            if (highlighted)
                fader->SetThumbBitmaps(1099, 1100, false, CLR_DEFAULT, 0, 0);
            else
                fader->SetThumbBitmaps(1192, 1192, false, CLR_DEFAULT, 0, 0);
        }
    }
    CBitmapSlider* Fader(int column, int row) { return m_faders[size_t(column * kRows + row)]; }

private:
    std::vector<CBitmapSlider*> m_faders;
};

void BM_FaderPresetLoad192(benchmark::State& state)
{
    CMixPageStandIn page;
    CPaintWatch paints;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            page.Fader(c, r)->installEventFilter(&paints);
    int current = 0;
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r)
                page.Fader(c, r)->SetValue((round * 7 + c * 5 + r * 3) % 101);
        // The current output moves to the next column.
        page.Skin(current, false);
        current = (current + 1) % kColumns;
        page.Skin(current, true);
        page.repaint();
    }
    state.counters["fader_paints"] = benchmark::Counter(double(paints.count), benchmark::Counter::kAvgIterations);
    state.SetLabel("goal: median <= 5 ms (one frame: 16.7 ms)");
}
BENCHMARK(BM_FaderPresetLoad192)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// One held-button move on a thumb and the repaint it causes: arg 0 a band
// gain fader (26 x 96), arg 1 a mix fader (54 x 16).
void BM_FaderDragStep(benchmark::State& state)
{
    QWidget page;
    page.resize(200, 200);
    auto* fader = new CBitmapSlider(&page);
    const bool mix = state.range(0) == 1;
    if (mix) {
        fader->SetChannelBitmaps(1182, 1182, false, CLR_DEFAULT, 0, 0);
        fader->SetThumbBitmaps(1099, 1100, false, CLR_DEFAULT, 0, 0);
        fader->SetRange(0, 100, false);
        fader->SetVertical(false);
        fader->SetMargin(2, 2, 1, 2);
        fader->SetScaleType(CBitmapSlider::SCALE_MIX);
    } else {
        fader->SetChannelBitmaps(615, 610, false, CLR_DEFAULT, 0, 0);
        fader->SetThumbBitmaps(611, 613, false, CLR_DEFAULT, 0, 0);
        fader->SetRange(0, 240, false);
        fader->SetMargin(4, 1, 1, 1);
        fader->SetScaleType(CBitmapSlider::SCALE_GAIN);
    }
    fader->move(20, 20);
    fader->SetValue(mix ? 50 : 200);
    page.show();
    QCoreApplication::processEvents();

    auto along = [&](int c) { return mix ? QPointF(c, 8) : QPointF(13, c); };
    const int start = fader->PixelOfPosition(fader->GetPos());
    auto send = [&](QEvent::Type type, int c, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, along(c), fader->mapToGlobal(along(c)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(fader, &event);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    CPaintWatch paints;
    fader->installEventFilter(&paints);
    int step = 0;
    for (auto _ : state) {
        ++step;
        send(QEvent::MouseMove, start + (step % 2 ? 6 : -6), Qt::NoButton, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    state.counters["paints"] = benchmark::Counter(double(paints.count), benchmark::Counter::kAvgIterations);
    send(QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    if (paints.count < state.iterations())
        state.SkipWithError("a drag step did not repaint");
    state.SetLabel(mix ? "mix fader, goal < 1 ms" : "band fader, goal < 1 ms");
}
BENCHMARK(BM_FaderDragStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
}  // namespace
