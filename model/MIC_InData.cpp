#include "model/MIC_InData.h"

#include <algorithm>
#include <cstring>

#include "model/ParameterSetLock.h"
#include "platform/core/Archive.h"
#include "platform/core/Language.h"
#include "platform/core/TextCodec.h"

namespace {
const CInputChannel::Layout kMicLayout = {MIC_EQ_BANDS,          MIC_BASIC_RECORD,  MIC_CROSSOVER_RECORD,
                                          MIC_NOISE_GATE_RECORD, MIC_ITEM12_RECORD, MIC_NAME_RECORD};
}  // namespace

CMIC_InData::CMIC_InData() : CInputChannel(kMicLayout, 400) {}

CMIC_InData::~CMIC_InData() = default;

void CMIC_InData::BuildEQ(int count, int filterRecord)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_EQ.BuildShelvedBands(count, filterRecord, 20000);
}

// ---- Setters -------------------------------------------------------------------

void CMIC_InData::SetNameBytes(const QByteArray& bytes)
{
    std::memset(m_szName, 0, sizeof m_szName);
    std::memcpy(m_szName, bytes.constData(), size_t(std::min<qsizetype>(bytes.size(), RECORD_SIZE)));
}

QByteArray CMIC_InData::NameBytes() const
{
    return FixedFieldBytes(m_szName, RECORD_SIZE);
}

void CMIC_InData::SetName(const QString& name)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    SetNameBytes(ToDeviceBytes(name));
    Mark(m_bNameDirty);
}

void CMIC_InData::SetLevel(int level)
{
    SetMarked(m_nLevel, level, m_bBasicDirty);
}

void CMIC_InData::SetGainZero(bool zero)
{
    SetMarked(m_bGainZero, zero, m_bBasicDirty);
}

void CMIC_InData::SetMode(int mode)
{
    SetMarked(m_nMode, mode, m_bBasicDirty);
}

void CMIC_InData::SetAllBandsBypass(bool on)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    SetBandsBypass(GetBandCount(), on);
}

QString CMIC_InData::GetNameText() const
{
    return FromDeviceBytes(NameBytes());
}

// ---- Loading ------------------------------------------------------------------------

void CMIC_InData::LoadFromDevice(const BYTE* block)
{
    if (block == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    LoadBands(block, MIC_EQ_BANDS);
    std::memcpy(m_szName, block + RECORD_SIZE * MIC_NAME_RECORD, RECORD_SIZE);
    LoadBasicRecord(block + RECORD_SIZE * MIC_BASIC_RECORD);
    LoadNoiseGateRecord(block + RECORD_SIZE * MIC_NOISE_GATE_RECORD);
    LoadItemRecord(block + RECORD_SIZE * MIC_ITEM12_RECORD);
    LoadCrossoverRecord(block + RECORD_SIZE * MIC_CROSSOVER_RECORD);
}

void CMIC_InData::LoadBasicRecord(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_nLevel = record[0];
    CInputChannel::LoadBasicRecord(record);
}

// ---- Writers ------------------------------------------------------------------------

std::unique_ptr<CSendData> CMIC_InData::StoreBasicRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    Record(MIC_BASIC_RECORD)[0] = BYTE(m_nLevel);
    return CInputChannel::StoreBasicRecord(bSend);
}

std::unique_ptr<CSendData> CMIC_InData::StoreNameRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    BytesToFixedField(reinterpret_cast<char*>(Record(MIC_NAME_RECORD)), RECORD_SIZE, NameBytes());
    return RecordFrame(m_nNameRecord, bSend);
}

// ---- Archive --------------------------------------------------------------------------

void CMIC_InData::Serialize(CArchive& ar)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    if (ar.IsStoring()) {
        ar.WriteStringBytes(NameBytes());
        for (int value : {m_nLevel, m_nOn, m_nPolarity, m_nMode, m_nGain, m_nDelay, m_nNoiseGate})
            ar << std::int32_t(value);
        ar << std::int16_t(m_nItemWord);
        for (int value : {m_nItemByteA, m_nItemByteB, m_bAllBypass ? 1 : 0})
            ar << std::int32_t(value);
        m_EQ.Serialize(ar);
        return;
    }
    Archived fields;
    if (ReadArchive(ar, fields))
        ApplyArchive(fields);
}

bool CMIC_InData::ReadArchive(CArchive& ar, Archived& out) const
{
    std::int32_t level = 0, on = 0, polarity = 0, mode = 0, gain = 0, delay = 0, noiseGate = 0, byteA = 0, byteB = 0,
                 allBypass = 0;
    std::int16_t itemWord = 0;
    ar.ReadStringBytes(out.name, CHANNEL_NAME_ARCHIVE_MAX);
    ar >> level >> on >> polarity >> mode >> gain >> delay >> noiseGate >> itemWord >> byteA >> byteB >> allBypass;
    if (ar.HasError())
        return false;
    out.level = level;
    out.mode = mode;
    out.shared = {on, polarity, gain, delay, noiseGate, itemWord, byteA, byteB};
    out.allBypass = allBypass != 0;
    if (!FitsRecordByte(level) || !FitsRecordByte(mode) || !SharedFitsRecords(out.shared) ||
        (allBypass != 0 && allBypass != 1)) {
        ar.SetError();
        return false;
    }
    return m_EQ.ReadArchive(ar, out.bands);
}

void CMIC_InData::ApplyArchive(const Archived& in)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    SetNameBytes(in.name);
    m_nLevel = in.level;
    m_nMode = in.mode;
    ApplyShared(in.shared);
    m_bAllBypass = in.allBypass;
    m_EQ.ApplyArchive(in.bands);
}

// ---- Texts ------------------------------------------------------------------------------

QString CMIC_InData::FormatLevel() const
{
    if (g_bChinese)
        return m_nLevel == 0 ? QString::fromUtf8(" 关 ") : QString::fromUtf8(" %1级").arg(m_nLevel);
    return m_nLevel == 0 ? QStringLiteral(" OFF ") : QStringLiteral(" %1Level").arg(m_nLevel);
}
