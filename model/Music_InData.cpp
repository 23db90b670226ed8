#include "model/Music_InData.h"

#include "model/ParameterSetLock.h"
#include "platform/core/Archive.h"

namespace {
const CInputChannel::Layout kMusicLayout = {MUSIC_PEQ_BANDS,         MUSIC_BASIC_RECORD,  MUSIC_CROSSOVER_RECORD,
                                            MUSIC_NOISE_GATE_RECORD, MUSIC_ITEM34_RECORD, MUSIC_NAME_RECORD};
}  // namespace

CMusic_InData::CMusic_InData() : CInputChannel(kMusicLayout, 600) {}

CMusic_InData::~CMusic_InData() = default;

void CMusic_InData::BuildEQ(int count, int filterRecord)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_EQ.BuildBands(count, filterRecord, 20000);
}

void CMusic_InData::SetIndex(int index)
{
    if (index < 0 || index >= MUSIC_COUNT)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_nIndex = index;
}

void CMusic_InData::SetName(const QString& name)
{
    SetMarked(m_strName, name, m_bNameDirty);
}

void CMusic_InData::SetEqMode(int mode)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_nMode = mode;
    SetBandsGainOnly(MUSIC_PEQ_BANDS, mode != 0);
    Mark(m_bBasicDirty);
}

void CMusic_InData::SetAllBandsBypass(bool on)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    SetBandsBypass(MUSIC_PEQ_BANDS, on);
}

// ---- Loading ------------------------------------------------------------------------

void CMusic_InData::LoadFromRaw(const BYTE* block)
{
    if (block == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    LoadBands(block, MUSIC_PEQ_BANDS);
    LoadBasicRecord(block + RECORD_SIZE * MUSIC_BASIC_RECORD);
    LoadCrossoverRecord(block + RECORD_SIZE * MUSIC_CROSSOVER_RECORD);
    LoadNoiseGateRecord(block + RECORD_SIZE * MUSIC_NOISE_GATE_RECORD);
    LoadItemRecord(block + RECORD_SIZE * MUSIC_ITEM34_RECORD);
}

void CMusic_InData::LoadBasicRecord(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    CInputChannel::LoadBasicRecord(record);
    SetBandsGainOnly(MUSIC_PEQ_BANDS, m_nMode != 0);
}

// ---- Writers ------------------------------------------------------------------------

std::unique_ptr<CSendData> CMusic_InData::StoreNameRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    StringToFixedField(reinterpret_cast<char*>(Record(MUSIC_NAME_RECORD)), RECORD_SIZE, m_strName);
    return RecordFrame(m_nNameRecord, bSend);
}

// ---- Archive --------------------------------------------------------------------------

void CMusic_InData::Serialize(CArchive& ar)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    if (ar.IsStoring()) {
        ar.WriteString(m_strName);
        for (int value : {m_nOn, m_nPolarity, m_nGain, m_nDelay, m_nNoiseGate, m_nItemWord, m_nItemByteA, m_nItemByteB})
            ar << std::int32_t(value);
        m_EQ.Serialize(ar);
        return;
    }
    Archived fields;
    if (ReadArchive(ar, fields))
        ApplyArchive(fields);
}

bool CMusic_InData::ReadArchive(CArchive& ar, Archived& out) const
{
    std::int32_t on = 0, polarity = 0, gain = 0, delay = 0, noiseGate = 0, itemWord = 0, byteA = 0, byteB = 0;
    ar.ReadString(out.name, CHANNEL_NAME_ARCHIVE_MAX);
    ar >> on >> polarity >> gain >> delay >> noiseGate >> itemWord >> byteA >> byteB;
    if (ar.HasError())
        return false;
    out.shared = {on, polarity, gain, delay, noiseGate, itemWord, byteA, byteB};
    if (!SharedFitsRecords(out.shared)) {
        ar.SetError();
        return false;
    }
    return m_EQ.ReadArchive(ar, out.bands);
}

void CMusic_InData::ApplyArchive(const Archived& in)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_strName = in.name;
    ApplyShared(in.shared);
    m_EQ.ApplyArchive(in.bands);
}
