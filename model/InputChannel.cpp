#include "model/InputChannel.h"

#include "model/ChannelTexts.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/ParameterSetLock.h"

CInputChannel::CInputChannel(const Layout& layout, int gain)
    : m_Layout(layout),
      m_nGain(gain),
      m_nNameRecord(BYTE(layout.nameRecord)),
      m_nBasicRecord(BYTE(layout.basicRecord)),
      m_nNoiseGateRecord(BYTE(layout.noiseGateRecord)),
      m_nItemRecord(BYTE(layout.itemRecord))
{
}

CInputChannel::~CInputChannel() = default;

// ---- Setters -------------------------------------------------------------------

void CInputChannel::LoadGain(int gain)
{
    m_nGain = gain;
    m_bGainZero = (gain == 0);
}

void CInputChannel::SetGain(int gain)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    LoadGain(gain);
    Mark(m_bBasicDirty);
}

void CInputChannel::SetOn(int on)
{
    SetMarked(m_nOn, on, m_bBasicDirty);
}

void CInputChannel::SetPolarity(int polarity)
{
    SetMarked(m_nPolarity, polarity, m_bBasicDirty);
}

void CInputChannel::SetDelay(int delay)
{
    SetMarked(m_nDelay, delay, m_bBasicDirty);
}

void CInputChannel::SetNoiseGate(int value)
{
    SetMarked(m_nNoiseGate, value, m_bNoiseGateDirty);
}

void CInputChannel::SetItemWord(int value)
{
    SetMarked(m_nItemWord, value, m_bItemDirty);
}

void CInputChannel::SetItemByteA(int value)
{
    SetMarked(m_nItemByteA, value, m_bItemDirty);
}

void CInputChannel::SetItemByteB(int value)
{
    SetMarked(m_nItemByteB, value, m_bItemDirty);
}

void CInputChannel::SetBasicDirty(bool dirty)
{
    SetFlag(m_bBasicDirty, dirty);
}

void CInputChannel::SetNameDirty(bool dirty)
{
    SetFlag(m_bNameDirty, dirty);
}

void CInputChannel::SetNoiseGateDirty(bool dirty)
{
    SetFlag(m_bNoiseGateDirty, dirty);
}

void CInputChannel::SetItemDirty(bool dirty)
{
    SetFlag(m_bItemDirty, dirty);
}

void CInputChannel::SetAllDirty(bool v)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_bBasicDirty = v;
    m_bNameDirty = v;
    m_bNoiseGateDirty = v;
    m_bItemDirty = v;
    AdvanceAllFilters(v);
}

bool CInputChannel::UpdateAllBypass(int count)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_bAllBypass = BandsBypassedOrFlat(count);
    return m_bAllBypass;
}

// ---- Curve -----------------------------------------------------------------------

void CInputChannel::SetGraphRect(const Rect& rc)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    LayoutCurve(rc);
    RecomputeCurve();
}

void CInputChannel::RecomputeCurve()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    TakeSummedCurve(true);
}

// ---- Records -----------------------------------------------------------------------

void CInputChannel::LoadBasicRecord(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_nPolarity = record[1];
    m_nMode = record[2];
    m_nOn = record[3];
    m_nDelay = GetShort(record + 4);
    LoadGain(GetShort(record + 6));
}

std::unique_ptr<CSendData> CInputChannel::StoreBasicRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    BYTE* record = Record(m_Layout.basicRecord);
    record[1] = BYTE(m_nPolarity);
    record[2] = BYTE(m_nMode);
    record[3] = BYTE(m_nOn);
    PutWord(record + 4, m_nDelay);
    PutWord(record + 6, GetGain());
    return RecordFrame(m_nBasicRecord, bSend);
}

void CInputChannel::LoadCrossoverRecord(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    LoadCrossover(record, false);
}

void CInputChannel::LoadNoiseGateRecord(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_nNoiseGate = record[0];
}

void CInputChannel::LoadItemRecord(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_nItemWord = GetShort(record);
    m_nItemByteA = record[2];
    m_nItemByteB = record[3];
}

std::unique_ptr<CSendData> CInputChannel::StoreCrossoverRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    StoreCrossover(Record(m_Layout.crossoverRecord));
    return RecordFrame(m_Layout.crossoverRecord, bSend);
}

std::unique_ptr<CSendData> CInputChannel::StoreNoiseGateRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    Record(m_Layout.noiseGateRecord)[0] = BYTE(m_nNoiseGate);
    return RecordFrame(m_nNoiseGateRecord, bSend);
}

std::unique_ptr<CSendData> CInputChannel::StoreItemRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    BYTE* record = Record(m_Layout.itemRecord);
    PutWord(record, m_nItemWord);
    record[2] = BYTE(m_nItemByteA);
    record[3] = BYTE(m_nItemByteB);
    return RecordFrame(m_nItemRecord, bSend);
}

std::unique_ptr<CSendData> CInputChannel::StoreBandRecord(int band, int record)
{
    return StoreBandFrame(band, record, m_Layout.eqBands);
}

void CInputChannel::StoreToRaw()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    StoreBands(Record(0), m_Layout.eqBands);
    StoreNameRecord(false);
    StoreBasicRecord(false);
    StoreCrossoverRecord(false);
    StoreItemRecord(false);
    StoreNoiseGateRecord(false);
}

std::unique_ptr<CSendData> CInputChannel::StoreAndBuildBlock(int slot)
{
    StoreToRaw();
    return BuildBlockFrame(slot, BlockType(), FrameChannel(), true, true);
}

// ---- Texts ------------------------------------------------------------------------------

QString CInputChannel::FormatGain() const
{
    return QString::asprintf("%ddB", GetGain() - 80);
}

QString CInputChannel::FormatPolarity() const
{
    return PolarityText(m_nPolarity);
}

QString CInputChannel::FormatOn() const
{
    return OnOffText(m_nOn != 0);
}

QString CInputChannel::FormatDelay() const
{
    return DelayText(m_nDelay);
}

QString CInputChannel::FormatNoiseGate() const
{
    if (m_nNoiseGate == 0)
        return QStringLiteral("OFF");
    return QString::asprintf("%0.1fdBu", double(m_nNoiseGate - 120));
}

QString CInputChannel::FormatItemWord() const
{
    return QString::asprintf("%0.1f", m_nItemWord * 0.1 - 30);
}

// ---- Archive ---------------------------------------------------------------------------

bool CInputChannel::SharedFitsRecords(const ArchivedShared& v)
{
    return FitsRecordByte(v.on) && FitsRecordByte(v.polarity) && FitsRecordWord(v.gain) && FitsRecordWord(v.delay) &&
           FitsRecordByte(v.noiseGate) && FitsRecordWord(v.itemWord) && FitsRecordByte(v.itemByteA) &&
           FitsRecordByte(v.itemByteB);
}

void CInputChannel::ApplyShared(const ArchivedShared& v)
{
    m_nOn = v.on;
    m_nPolarity = v.polarity;
    m_nGain = v.gain;
    m_nDelay = v.delay;
    m_nNoiseGate = v.noiseGate;
    m_nItemWord = v.itemWord;
    m_nItemByteA = v.itemByteA;
    m_nItemByteB = v.itemByteB;
    m_bGainZero = (m_nGain == 0);
}
