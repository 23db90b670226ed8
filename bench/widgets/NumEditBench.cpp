// Numeric fields on a shown page: a preset load that sets the 192 level
// fields of the mix page, and a switch of the edited output, which recolours
// two columns; each to repainted pixels.
#include <benchmark/benchmark.h>

#include <vector>

#include <QApplication>
#include <QWidget>

#include "app/GlobalObjects.h"
#include "bench/widgets/PaintWatch.h"
#include "graphs/MixColumnParent.h"
#include "graphs/NumEdit.h"
#include "model/DataDefine.h"
#include "platform/gui/WindowAttributes.h"

namespace {
constexpr int kMixColumns = 12;
constexpr int kMixRows = 16;
constexpr int kLevelIds[kMixRows] = {2818, 2820, 2822, 2824, 2826, 2828, 2830, 2832,
                                     2834, 2836, 2860, 2864, 2868, 2872, 2876, 2880};

class CColumnStandIn : public QWidget, public IMixColumnParent {
public:
    CColumnStandIn(QWidget* parent, int output) : QWidget(parent), m_nOutput(output) {}
    int GetColumnOutput() const override { return m_nOutput; }

private:
    int m_nOutput;
};

// Twelve mix columns of sixteen level fields (type 33, 0 to 100).
class CMixFieldsStandIn : public QWidget {
public:
    CMixFieldsStandIn()
    {
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setBrush(QPalette::Window, g_brBackground);
        setPalette(palette);
        resize(kMixColumns * 70 + 20, kMixRows * 22 + 20);
        for (int c = 0; c < kMixColumns; ++c) {
            auto* column = new CColumnStandIn(this, c);
            column->setGeometry(10 + c * 70, 10, 60, kMixRows * 22);
            for (int r = 0; r < kMixRows; ++r) {
                auto* field = new CNumEdit(column);
                SetDlgCtrlID(field, kLevelIds[r]);
                field->setFont(g_fontArial12);
                field->setGeometry(0, r * 22, 40, 18);
                field->SetValueType(33);
                field->SetRange(0, 100);
                fields.push_back(field);
            }
        }
        show();
        QCoreApplication::processEvents();
    }
    std::vector<CNumEdit*> fields;
};

void BM_MixFieldsPresetLoad192(benchmark::State& state)
{
    CMixFieldsStandIn page;
    CPaintWatch paints;
    for (CNumEdit* field : page.fields)
        field->installEventFilter(&paints);
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (size_t i = 0; i < page.fields.size(); ++i)
            page.fields[i]->SetValue(int((size_t(round) * 7 + i * 3) % 101));
        page.repaint();
        QCoreApplication::processEvents();
    }
    state.counters["field_paints"] = benchmark::Counter(double(paints.count), benchmark::Counter::kAvgIterations);
    state.SetLabel("goal: median <= 5 ms (one frame: 16.7 ms)");
}
BENCHMARK(BM_MixFieldsPresetLoad192)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MixFieldsOutputSwitch(benchmark::State& state)
{
    CMixFieldsStandIn page;
    CPaintWatch paints;
    for (CNumEdit* field : page.fields)
        field->installEventFilter(&paints);
    for (auto _ : state) {
        g_nCurOutput = (g_nCurOutput + 1) % kMixColumns;
        page.repaint();
        QCoreApplication::processEvents();
    }
    g_nCurOutput = 0;
    state.counters["field_paints"] = benchmark::Counter(double(paints.count), benchmark::Counter::kAvgIterations);
    state.SetLabel("goal: median <= 5 ms");
}
BENCHMARK(BM_MixFieldsOutputSwitch)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}  // namespace
