#include "model/ChannelData.h"

#include <cassert>

#include "model/DataDefine.h"
#include "model/Filter.h"
#include "model/FrameBuilder.h"
#include "model/LinkState.h"
#include "model/Units.h"

CChannelData::~CChannelData() = default;

CFilter* CChannelData::GetHighPass() const
{
    CFilter* filter = m_EQ.GetHighPass();
    assert(filter == nullptr || filter->GetKind() == FILTER_HIGH_PASS);
    return filter;
}

CFilter* CChannelData::GetLowPass() const
{
    CFilter* filter = m_EQ.GetLowPass();
    assert(filter == nullptr || filter->GetKind() == FILTER_LOW_PASS);
    return filter;
}

BYTE* CChannelData::Record(int record) const
{
    return g_CurrentImage.bytes + BlockOffset() + RECORD_SIZE * record;
}

std::unique_ptr<CSendData> CChannelData::RecordFrame(int record, bool bSend) const
{
    return bSend ? BuildParameterFrame(BlockType(), FrameChannel(), record) : nullptr;
}

void CChannelData::Mark(std::atomic<bool>& flag)
{
    flag.store(g_bDeviceSynced.load());
}

void CChannelData::SetFlag(std::atomic<bool>& flag, bool value)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    flag = value;
}

void CChannelData::UpdateZeroDbY()
{
    m_nZeroDbY = GainToY(0.0, m_nGraphHeight) + GRAPH_MARGIN_TOP;
}

void CChannelData::LayoutCurve(const Rect& rc)
{
    m_nGraphHeight = rc.Height();
    m_nGraphWidth = rc.Width();
    for (int i = 0; i < GRID_POINTS; ++i) {
        m_Curve[i].x = FrequencyToX(g_FrequencyGrid[i], m_nGraphWidth) + GRAPH_MARGIN_LEFT;
        m_Curve[i].y = m_nGraphHeight / 2;
        m_CurveFloat[i].x = float(FrequencyToXExact(g_FrequencyGrid[i], m_nGraphWidth) + GRAPH_MARGIN_LEFT);
    }
    m_EQ.SetGraphRect(rc);
}

void CChannelData::TakeSummedCurve(bool integerToo)
{
    UpdateZeroDbY();
    m_EQ.ComputeCurve();
    const Point* sum = m_EQ.GetCurve();
    const PointF* sumFloat = m_EQ.GetCurveFloat();
    for (int i = 0; i < GRID_POINTS; ++i) {
        m_CurveFloat[i].y = sumFloat[i].y;
        if (integerToo)
            m_Curve[i].y = sum[i].y;
    }
}

void CChannelData::LoadBands(const BYTE* block, int count)
{
    for (int band = 0; band < count && band < m_EQ.GetSize(); ++band)
        m_EQ.SetBandRecord(block + RECORD_SIZE * band, band);
}

void CChannelData::StoreBands(BYTE* block, int count) const
{
    for (int band = 0; band < count; ++band)
        m_EQ.FillBandRecord(band, block + RECORD_SIZE * band);
}

std::unique_ptr<CSendData> CChannelData::StoreBandFrame(int band, int record, int count)
{
    if (band < 0 || band >= count)
        return nullptr;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_EQ.FillBandRecord(band, Record(band));
    return RecordFrame(record, true);
}

void CChannelData::LoadCrossover(const BYTE* record, bool bUser)
{
    CFilter* filters[2] = {GetHighPass(), GetLowPass()};
    for (int k = 0; k < 2; ++k) {
        if (filters[k] == nullptr)
            continue;
        const BYTE* half = record + 4 * k;
        filters[k]->SetFrequency(GetShort(half), bUser);
        filters[k]->SetFamily(half[2], bUser);
        filters[k]->SetSlope(half[3], bUser);
        if (!bUser)
            filters[k]->AdvanceSentFrequency(false);
    }
}

void CChannelData::StoreCrossover(BYTE* record) const
{
    const CFilter* filters[2] = {GetHighPass(), GetLowPass()};
    for (int k = 0; k < 2; ++k) {
        if (filters[k] == nullptr)
            continue;
        BYTE* half = record + 4 * k;
        PutWord(half, filters[k]->GetSentFrequency());
        half[2] = BYTE(filters[k]->GetFamily());
        half[3] = BYTE(filters[k]->GetSlope());
    }
}

bool CChannelData::IsCrossoverChanged()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    bool changed = false;
    for (CFilter* filter : {GetHighPass(), GetLowPass()}) {
        if (filter != nullptr && filter->IsChanged()) {
            filter->AdvanceSentFrequency(false);
            changed = true;
        }
    }
    return changed;
}

void CChannelData::AdvanceAllFilters(bool changed)
{
    for (int i = 0; i < m_EQ.GetSize(); ++i)
        m_EQ.GetAt(i)->AdvanceSentFrequency(changed);
}

void CChannelData::SetBandsBypass(int count, bool on)
{
    for (int i = 0; i < count && i < m_EQ.GetSize(); ++i)
        m_EQ.GetAt(i)->SetAllBypass(on);
}

bool CChannelData::BandsBypassedOrFlat(int count) const
{
    for (int i = 0; i < count && i < m_EQ.GetSize(); ++i) {
        if (!m_EQ.GetAt(i)->IsBypassedOrFlat())
            return false;
    }
    return true;
}

void CChannelData::SetBandsGainOnly(int count, bool on)
{
    for (int i = 0; i < count && i < m_EQ.GetSize(); ++i)
        m_EQ.GetAt(i)->SetGainOnlyCaption(on);
}
