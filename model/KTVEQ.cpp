#include "model/KTVEQ.h"

#include <algorithm>

#include "model/Units.h"
#include "platform/core/Archive.h"

// How a builder sets up its two filters.
struct CKTVEQ::FilterSetup {
    int record;            // band number of both filters
    bool slopeStep;
    bool setSlope;         // false keeps the constructor's slope code
    int slope;
    bool setFamily;        // false keeps the constructor's family
    int family;
    bool asUserChange;     // frequency set as a user change, or as a load
};

namespace {
// The builders' frequency tables end here.
int LimitCount(int count, int tableSize)
{
    return std::min(count, tableSize - 1);
}
}  // namespace

CKTVEQ::CKTVEQ() = default;

CKTVEQ::~CKTVEQ() = default;

CFilter* CKTVEQ::GetAt(int index) const
{
    if (index < 0 || index >= GetSize())
        return nullptr;
    return m_Bands[size_t(index)].get();
}

CFilter* CKTVEQ::AppendBand(int number, int hz)
{
    m_Bands.push_back(std::make_unique<CFilter>());
    CFilter* band = m_Bands.back().get();
    band->SetBandNumber(number);
    band->SetFrequency(hz, true);
    return band;
}

void CKTVEQ::AppendFilters(const FilterSetup& setup, int highPassHz, int lowPassHz, int highPassDragKind,
                           int lowPassDragKind)
{
    AppendFilter(setup, FILTER_HIGH_PASS, highPassHz, highPassDragKind);
    AppendFilter(setup, FILTER_LOW_PASS, lowPassHz, lowPassDragKind);
}

void CKTVEQ::AppendFilter(const FilterSetup& setup, int kind, int hz, int dragLimitKind)
{
    m_Bands.push_back(std::make_unique<CFilter>());
    CFilter* filter = m_Bands.back().get();
    filter->SetEqBand(false);
    filter->SetBandNumber(setup.record);
    filter->SetSlopeStep(setup.slopeStep);
    filter->SetDragLimitKind(dragLimitKind);
    filter->SetKind(kind);
    if (setup.setSlope)
        filter->SetSlope(setup.slope, true);
    if (setup.setFamily)
        filter->SetFamily(setup.family, true);
    filter->SetFrequency(hz, setup.asUserChange);
}

void CKTVEQ::BuildShelvedBands(int count, int filterRecord, int lowPassHz)
{
    count = LimitCount(count, LOG_BAND_COUNT);
    for (int i = 0; i <= count; ++i) {
        CFilter* band = AppendBand(i, g_LogBandFreqs[i]);
        if (i == 0) {
            band->SetSlope(0, true);
            band->SetKind(FILTER_LOW_SHELF);
        }
        if (i == count) {
            band->SetSlope(0, true);
            band->SetKind(FILTER_HIGH_SHELF);
        }
    }
    const FilterSetup setup{filterRecord, true, true, 0, true, FAMILY_BESSEL, true};
    AppendFilters(setup, 20, lowPassHz, DRAG_LIMIT_NONE, DRAG_LIMIT_NONE);
}

void CKTVEQ::BuildBands(int count, int filterRecord, int lowPassHz)
{
    count = LimitCount(count, THIRD_OCTAVE_COUNT);
    for (int i = 0; i <= count; ++i)
        AppendBand(i, i < LOG_BAND_COUNT ? g_LogBandFreqs[i] : g_ThirdOctaveFreqs[i]);
    const FilterSetup setup{filterRecord, true, true, 0, true, FAMILY_BESSEL, true};
    AppendFilters(setup, 20, lowPassHz, DRAG_LIMIT_NONE, DRAG_LIMIT_NONE);
}

void CKTVEQ::BuildToneBands(int count, int filterRecord, int lowPassHz)
{
    count = LimitCount(count, TONE_BAND_COUNT);
    for (int i = 0; i <= count; ++i)
        AppendBand(i, g_ToneBandFreqs[i]);
    const FilterSetup setup{filterRecord, true, false, 0, true, FAMILY_BESSEL, true};
    AppendFilters(setup, 20, lowPassHz, DRAG_LIMIT_EFFECT, DRAG_LIMIT_EFFECT);
}

void CKTVEQ::BuildIsoBands(int count, int filterRecord, int highPassDragKind, int highPassHz, int lowPassHz)
{
    count = LimitCount(count, THIRD_OCTAVE_COUNT);
    for (int i = 0; i <= count; ++i)
        AppendBand(i, g_ThirdOctaveFreqs[i]);
    const FilterSetup setup{filterRecord, false, false, 0, false, 0, false};
    AppendFilters(setup, highPassHz, lowPassHz, highPassDragKind, DRAG_LIMIT_OUTPUT);
}

void CKTVEQ::ComputeSum(double* sum) const
{
    std::fill(sum, sum + GRID_POINTS, 0.0);
    for (const auto& band : m_Bands) {
        const double* response = band->GetResponse();
        for (int i = 0; i < GRID_POINTS; ++i)
            sum[i] += response[i];
    }
}

void CKTVEQ::ComputeCurve()
{
    double sum[GRID_POINTS];
    ComputeSum(sum);
    for (int i = 0; i < GRID_POINTS; ++i) {
        m_Curve[i].y = GainToY(sum[i], m_nGraphHeight) + GRAPH_MARGIN_TOP;
        m_CurveFloat[i].y = float(GainToYExact(sum[i], m_nGraphHeight) + GRAPH_MARGIN_TOP);
    }
}

void CKTVEQ::ComputeCurveFloat()
{
    double sum[GRID_POINTS];
    ComputeSum(sum);
    for (int i = 0; i < GRID_POINTS; ++i)
        m_CurveFloat[i].y = float(GainToYExact(sum[i], m_nGraphHeight) + GRAPH_MARGIN_TOP);
}

void CKTVEQ::ComputeBandCurve(int index)
{
    const CFilter* band = GetAt(index);
    if (band == nullptr)
        return;
    const double* response = band->GetResponse();
    for (int i = 0; i < GRID_POINTS; ++i)
        m_Curve[i].y = GainToY(response[i], m_nGraphHeight) + GRAPH_MARGIN_TOP;
}

void CKTVEQ::SetGraphRect(const Rect& rc)
{
    m_nGraphHeight = rc.Height();
    m_nGraphWidth = rc.Width();
    for (int i = 0; i < GRID_POINTS; ++i) {
        m_Curve[i].x = FrequencyToX(g_FrequencyGrid[i], m_nGraphWidth) + GRAPH_MARGIN_LEFT;
        m_Curve[i].y = m_nGraphHeight / 2;
    }
    for (const auto& band : m_Bands)
        band->SetGraphSize(rc);
}

void CKTVEQ::CopyFrom(const CKTVEQ* src)
{
    if (src == nullptr || src == this)
        return;
    const int count = std::min(GetSize(), src->GetSize());
    for (int i = 0; i < count; ++i)
        m_Bands[size_t(i)]->CopyFrom(src->m_Bands[size_t(i)].get());
}

void CKTVEQ::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (const auto& band : m_Bands)
            band->Serialize(ar);
        return;
    }
    Archived bands;
    if (ReadArchive(ar, bands))
        ApplyArchive(bands);
}

bool CKTVEQ::ReadArchive(CArchive& ar, Archived& out) const
{
    out.assign(m_Bands.size(), CFilter::Archived());
    for (size_t i = 0; i < m_Bands.size(); ++i) {
        if (!m_Bands[i]->ReadArchive(ar, out[i]))
            return false;
        // The change scan writes a band at its number's record: a number
        // from elsewhere would write outside the channel's block.
        if (out[i].number != m_Bands[i]->GetBandNumber()) {
            ar.SetError();
            return false;
        }
    }
    return true;
}

void CKTVEQ::ApplyArchive(const Archived& bands)
{
    const size_t count = std::min(bands.size(), m_Bands.size());
    for (size_t i = 0; i < count; ++i)
        m_Bands[i]->ApplyArchive(bands[i]);
}

bool CKTVEQ::FillBandRecord(int index, BYTE* record) const
{
    const CFilter* band = GetAt(index);
    if (band == nullptr || record == nullptr)
        return false;
    const int gainCode = band->IsBypassedOrFlat() ? GAIN_CODE_FLAT : band->GetGainIndex() + GAIN_CODE_OFFSET;
    ::WriteBandRecord(record, band->GetSentFrequency(), gainCode, band->GetBandwidthIndex(),
                      band->GetSlopeIndex(), band->GetBandKind());
    return true;
}

const BYTE* CKTVEQ::GetBandRecord(int index)
{
    return FillBandRecord(index, m_BandRecord) ? m_BandRecord : nullptr;
}

void CKTVEQ::SetBandRecord(const BYTE* record, int index)
{
    CFilter* band = GetAt(index);
    if (band == nullptr || record == nullptr)
        return;
    const int hz = GetShort(record);
    const int gainIndex = GetShort(record + 2) - GAIN_CODE_OFFSET;
    const int bandwidthIndex = GetShort(record + 4);
    band->ApplyRecord(gainIndex, bandwidthIndex, record[6], record[7], hz);
}
