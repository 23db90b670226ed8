#include "model/KTV_OutData.h"

#include <cstring>

#include "model/ChannelTexts.h"
#include "model/Filter.h"
#include "model/FrameBuilder.h"
#include "model/OutputLinkTable.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "platform/core/Archive.h"

namespace {
enum : int {
    FAMILY_OF_POSITION = FAMILY_BESSEL,
    SLOPE_OF_POSITION = 1,  // 12 dB/Oct
    MIX_LOW_COUNT = 8,
};

// High-pass and low-pass frequency of each speaker position.
const short kPositionCrossover[POSITION_CODE_COUNT][2] = {
    {20, 20000},                                                                   // none
    {3400, 20000}, {600, 1900}, {70, 320}, {600, 20000}, {70, 1900}, {70, 20000},  // front left
    {3400, 20000}, {600, 1900}, {70, 320}, {600, 20000}, {70, 1900}, {70, 20000},  // front right
    {3400, 20000}, {70, 320}, {70, 20000},                                         // rear left
    {3400, 20000}, {70, 320}, {70, 20000},                                         // rear right
    {3400, 20000}, {70, 320}, {70, 20000},                                         // centre
    {30, 50}, {30, 50}, {30, 50},                                                  // subs
};

int HighPassDragKind(int position)
{
    return IsTweeterPosition(position) ? DRAG_LIMIT_KIND11 : DRAG_LIMIT_OUTPUT;
}

const char* const kReleaseTexts[] = {"Atk * 2", "Atk * 4", "Atk * 6", "Atk * 8", "Atk * 16", "Atk * 32"};
}  // namespace

CKTV_OutData::CKTV_OutData()
{
    std::memset(m_MixLevels, 100, sizeof m_MixLevels);
}

CKTV_OutData::~CKTV_OutData() = default;

// ---- Set-up ------------------------------------------------------------------

void CKTV_OutData::BuildEQ(int count, int filterRecord, int highPassDragKind, int highPassHz, int lowPassHz)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_EQ.BuildIsoBands(count, filterRecord, highPassDragKind, highPassHz, lowPassHz);
}

void CKTV_OutData::SetIndex(BYTE index)
{
    if (index >= OUTPUT_COUNT)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_byIndex = index;
    if (index == 0 || index == 2 || index == 4) {
        m_byInL = 1;
        m_bInLOff = false;
    } else if (index == 1 || index == 3 || index == 5) {
        m_byInR = 1;
        m_bInROff = false;
    }
}

// ---- Setters -------------------------------------------------------------------

template <class F>
void CKTV_OutData::ForEachLinked(F f) const
{
    const int group = g_nLinkGroup[m_byIndex];
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
        CKTV_OutData* other = g_pOutputData[k];
        if (k != m_byIndex && g_nLinkGroup[k] == group && other != nullptr && other != this)
            f(*other);
    }
}

void CKTV_OutData::SetName(const QString& name)
{
    SetMarked(m_strName, name, m_bNameDirty);
}

void CKTV_OutData::SetGain(short gain)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_nGain = gain;
    m_bGainZero = (gain == 0);
    CopyBasicToLinked();
    Mark(m_bBasicDirty);
}

void CKTV_OutData::SetGainZero(bool zero)
{
    SetMarked(m_bGainZero, zero, m_bBasicDirty);
}

void CKTV_OutData::SetDelay(short delay)
{
    SetMarked(m_nDelay, delay, m_bBasicDirty);
}

void CKTV_OutData::SetOn(BYTE on)
{
    SetMarked(m_byOn, on, m_bBasicDirty);
}

void CKTV_OutData::SetPolarity(BYTE polarity)
{
    SetMarked(m_byPolarity, polarity, m_bBasicDirty);
}

void CKTV_OutData::SetEqMode(BYTE mode)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_byEqMode = mode;
    Mark(m_bBasicDirty);
    SetBandsGainOnly(OUTPUT_PEQ_BANDS, mode != 0);
    CopyBasicToLinked();
}

void CKTV_OutData::SetSpeakerPosition(BYTE position)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_bySpeakerPosition = position;
    ApplyCrossoverDefaults(position);
}

void CKTV_OutData::SetSpeakerPositionOnly(BYTE position)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_bySpeakerPosition = position;
    if (CFilter* highPass = GetHighPass())
        highPass->SetDragLimitKind(HighPassDragKind(position));
}

void CKTV_OutData::SetSpeakerPositionAndCrossover(BYTE position, const BYTE* record)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_bySpeakerPosition = position;
    if (record != nullptr)
        LoadCrossover(record, true);
}

void CKTV_OutData::SetSpeakerPositionDirty(BYTE position)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_bySpeakerPosition = position;
    m_bBasicDirty = true;
}

void CKTV_OutData::SetLimitThreshold(short threshold)
{
    SetMarkedIfChanged(m_nLimitThreshold, threshold, m_bLimiterDirty);
}

void CKTV_OutData::SetAttack(short attack)
{
    SetMarkedIfChanged(m_nAttack, attack, m_bLimiterDirty);
}

void CKTV_OutData::SetRelease(short release)
{
    SetMarkedIfChanged(m_nRelease, release, m_bLimiterDirty);
}

void CKTV_OutData::SetMixLevel(int source, BYTE level)
{
    if (source < 1 || source > MIX_SOURCE_COUNT)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    if (m_MixLevels[source - 1] == level)
        return;
    m_MixLevels[source - 1] = level;
    Mark(source <= MIX_LOW_COUNT ? m_bMixLowDirty : m_bMixHighDirty);
}

BYTE CKTV_OutData::GetMixLevel(int source) const
{
    return (source < 1 || source > MIX_SOURCE_COUNT) ? BYTE(0) : m_MixLevels[source - 1];
}

// The linked outputs keep their own source switches: only the percent
// values travel to them.
void CKTV_OutData::SetSourceOff(bool& offFlag, BYTE& source, bool off)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    offFlag = off;
    SetMarked(source, off ? 0 : 1, m_bDynamicsDirty);
}

void CKTV_OutData::SetInLOff(bool off)
{
    SetSourceOff(m_bInLOff, m_byInL, off);
}

void CKTV_OutData::SetInROff(bool off)
{
    SetSourceOff(m_bInROff, m_byInR, off);
}

void CKTV_OutData::SetPercentValue(BYTE& member, BYTE value, bool* zeroFlag)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    if (zeroFlag != nullptr)
        *zeroFlag = (value == 0);
    SetMarked(member, value, m_bDynamicsDirty);
    CopyPercentToLinked();
}

void CKTV_OutData::SetInL(BYTE value)
{
    SetPercentValue(m_byInL, value, nullptr);
}

void CKTV_OutData::SetInR(BYTE value)
{
    SetPercentValue(m_byInR, value, nullptr);
}

void CKTV_OutData::SetPercent3(BYTE value)
{
    SetPercentValue(m_byPercent3, value, &m_bPercent3Zero);
}

void CKTV_OutData::SetPercent4(BYTE value)
{
    SetPercentValue(m_byPercent4, value, &m_bPercent4Zero);
}

void CKTV_OutData::SetPercent5(BYTE value)
{
    SetPercentValue(m_byPercent5, value, nullptr);
}

void CKTV_OutData::SetBalance(BYTE value)
{
    SetMarked(m_byBalance, value, m_bDynamicsDirty);
}

void CKTV_OutData::SetFlagBits(BYTE value)
{
    SetMarked(m_byFlagBits, value, m_bDynamicsDirty);
}

void CKTV_OutData::SetPercent3Zero(bool zero)
{
    SetMarked(m_bPercent3Zero, zero, m_bDynamicsDirty);
}

void CKTV_OutData::SetPercent4Zero(bool zero)
{
    SetMarked(m_bPercent4Zero, zero, m_bDynamicsDirty);
}

void CKTV_OutData::SetPercent5Zero(bool zero)
{
    SetMarked(m_bPercent5Zero, zero, m_bDynamicsDirty);
}

// ---- Change flags ------------------------------------------------------------

void CKTV_OutData::SetNameDirty(bool dirty)
{
    SetFlag(m_bNameDirty, dirty);
}

void CKTV_OutData::SetDynamicsDirty(bool dirty)
{
    SetFlag(m_bDynamicsDirty, dirty);
}

void CKTV_OutData::SetBasicDirty(bool dirty)
{
    SetFlag(m_bBasicDirty, dirty);
}

void CKTV_OutData::SetLimiterDirty(bool dirty)
{
    SetFlag(m_bLimiterDirty, dirty);
}

void CKTV_OutData::SetMixHighDirty(bool dirty)
{
    SetFlag(m_bMixHighDirty, dirty);
}

void CKTV_OutData::SetMixLowDirty(bool dirty)
{
    SetFlag(m_bMixLowDirty, dirty);
}

void CKTV_OutData::SetAllDirty(bool v)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_bDynamicsDirty = v;
    m_bBasicDirty = v;
    m_bLimiterDirty = v;
    m_bMixHighDirty = v;
    m_bMixLowDirty = v;
    AdvanceAllFilters(v);
}

void CKTV_OutData::SetAllBandsBypass(bool on)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    SetBandsBypass(GetBandCount(), on);
}

bool CKTV_OutData::IsAllBypass()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_bAllBypass = BandsBypassedOrFlat(GetBandCount());
    return m_bAllBypass;
}

// ---- Link group ----------------------------------------------------------------

void CKTV_OutData::ApplyCrossoverDefaults(BYTE position)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    CFilter* highPass = GetHighPass();
    CFilter* lowPass = GetLowPass();
    if (highPass == nullptr || lowPass == nullptr)
        return;
    const int code = PositionCodeOrNone(position);
    highPass->SetDragLimitKind(HighPassDragKind(code));
    const short* hz = kPositionCrossover[code];
    for (CFilter* filter : {highPass, lowPass}) {
        filter->SetFrequency(filter == highPass ? hz[0] : hz[1], true);
        filter->SetFamily(FAMILY_OF_POSITION, true);
        filter->SetSlope(SLOPE_OF_POSITION, true);
    }
}

void CKTV_OutData::CopyBasicToLinked()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    const short gain = GetGain();
    const BYTE mode = m_byEqMode;
    ForEachLinked([gain, mode](CKTV_OutData& other) { other.SetBasicFromLink(gain, mode); });
}

void CKTV_OutData::SetBasicFromLink(short gain, BYTE eqMode)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_nGain = gain;
    m_bGainZero = (gain == 0);
    if (eqMode != m_byEqMode) {
        m_byEqMode = eqMode;
        SetBandsGainOnly(OUTPUT_PEQ_BANDS, eqMode != 0);
    }
    Mark(m_bBasicDirty);
}

void CKTV_OutData::CopyLimiterToLinked()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    ForEachLinked([this](CKTV_OutData& other) {
        other.SetLimiterFromLink(m_nLimitThreshold, m_nAttack, m_nRelease);
    });
}

void CKTV_OutData::SetLimiterFromLink(short threshold, short attack, short release)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_nLimitThreshold = threshold;
    m_nAttack = attack;
    m_nRelease = release;
    Mark(m_bLimiterDirty);
}

void CKTV_OutData::CopyPercentToLinked()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    ForEachLinked([this](CKTV_OutData& other) { other.SetPercentFromLink(m_byInL, m_byInR, m_byPercent5); });
}

void CKTV_OutData::SetPercentFromLink(BYTE inL, BYTE inR, BYTE percent5)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_byInL = inL;
    m_byInR = inR;
    m_byPercent5 = percent5;
    Mark(m_bDynamicsDirty);
}

void CKTV_OutData::CopySpareRecordToLinked()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    ForEachLinked([this](CKTV_OutData& other) { other.SetSpareRecordFromLink(m_SpareRecord); });
}

void CKTV_OutData::SetSpareRecordFromLink(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    std::memcpy(m_SpareRecord, record, sizeof m_SpareRecord);
    Mark(m_bLimiterDirty);
}

void CKTV_OutData::CopyGainAndEqFrom(const CKTV_OutData* src)
{
    if (src == nullptr || src == this)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_EQ.CopyFrom(&src->m_EQ);
    m_nGain = src->GetGain();
    m_bGainZero = (m_nGain == 0);
    m_byEqMode = src->m_byEqMode;
    SetBandsGainOnly(OUTPUT_PEQ_BANDS, m_byEqMode != 0);
    m_nLimitThreshold = src->m_nLimitThreshold;
    m_nAttack = src->m_nAttack;
    m_nRelease = src->m_nRelease;
    RecomputeCurve();
}

int CKTV_OutData::GetHighPassBandNumber() const
{
    const CFilter* highPass = GetHighPass();
    return highPass != nullptr ? highPass->GetBandNumber() : -1;
}

// ---- Curve -----------------------------------------------------------------------

void CKTV_OutData::SetGraphRect(const Rect& rc)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    LayoutCurve(rc);
    RecomputeCurve();
}

void CKTV_OutData::RecomputeCurve()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    TakeSummedCurve(false);
}

// ---- Loading ------------------------------------------------------------------------

void CKTV_OutData::LoadFromRaw(const BYTE* block)
{
    if (block == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    LoadBands(block, OUTPUT_PEQ_BANDS);

    // The name record shares its bytes with the data lock: every block's
    // lock mark, and in output 0 the image's lock flag and the password.
    // None of them is part of a name.
    char field[RECORD_SIZE];
    std::memcpy(field, block + RECORD_SIZE * OUTPUT_NAME_RECORD, RECORD_SIZE);
    const int nameAt = RECORD_SIZE * OUTPUT_NAME_RECORD;
    field[LOCK_MARK_BYTE - nameAt] = ' ';
    if (m_byIndex == 0) {
        field[LOCK_FLAG_BYTE - nameAt] = ' ';
        std::memset(field + (LOCK_PASSWORD_BYTE - nameAt), ' ', LOCK_PASSWORD_SIZE);
    }
    m_strName = FixedFieldToStringN(field, RECORD_SIZE);

    LoadBasicRecord(block + RECORD_SIZE * OUTPUT_BASIC_RECORD);
    LoadCrossoverRecord(block + RECORD_SIZE * OUTPUT_CROSSOVER_RECORD);
    LoadLimiterRecord(block + RECORD_SIZE * OUTPUT_LIMITER_RECORD);
    LoadMixLowRecord(block + RECORD_SIZE * OUTPUT_MIX_LOW_RECORD);
    LoadMixHighRecord(block + RECORD_SIZE * OUTPUT_MIX_HIGH_RECORD);
}

void CKTV_OutData::LoadBasicRecord(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_byOn = record[0];
    m_byPolarity = record[1];
    m_nDelay = GetShort(record + 4);
    m_nGain = GetShort(record + 2);
    m_bGainZero = (m_nGain == 0);
    m_byEqMode = record[6];
    SetBandsGainOnly(OUTPUT_PEQ_BANDS, m_byEqMode != 0);
    m_bySpeakerPosition = record[7];
}

void CKTV_OutData::LoadCrossoverRecord(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    LoadCrossover(record, false);
}

void CKTV_OutData::LoadLimiterRecord(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_nLimitThreshold = GetShort(record);
    m_nAttack = GetShort(record + 2);
    m_nRelease = GetShort(record + 4);
}

void CKTV_OutData::LoadMixLowRecord(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    std::memcpy(m_MixLevels, record, MIX_LOW_COUNT);
}

void CKTV_OutData::LoadMixHighRecord(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    std::memcpy(m_MixLevels + MIX_LOW_COUNT, record, MIX_SOURCE_COUNT - MIX_LOW_COUNT);
}

void CKTV_OutData::LoadPercentRecord(const BYTE* values)
{
    if (values == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_byInL = values[0];
    m_byInR = values[1];
    m_byPercent5 = values[2];
    m_byPercent4 = values[3];
    m_bInLOff = (m_byInL == 0);
    m_bInROff = (m_byInR == 0);
    m_bPercent5Zero = (m_byPercent5 == 0);
    m_bPercent4Zero = (m_byPercent4 == 0);
}

// ---- Records without the image --------------------------------------------------

void CKTV_OutData::GetCrossoverRecord(BYTE* out) const
{
    if (out != nullptr)
        StoreCrossover(out);
}

void CKTV_OutData::GetLimiterRecord(WORD* out) const
{
    if (out == nullptr)
        return;
    out[0] = WORD(m_nLimitThreshold);
    out[1] = WORD(m_nAttack);
    out[2] = WORD(m_nRelease);
}

void CKTV_OutData::GetMixLowRecord(BYTE* out) const
{
    if (out != nullptr)
        std::memcpy(out, m_MixLevels, MIX_LOW_COUNT);
}

void CKTV_OutData::GetMixHighRecord(BYTE* out) const
{
    if (out != nullptr)
        std::memcpy(out, m_MixLevels + MIX_LOW_COUNT, MIX_SOURCE_COUNT - MIX_LOW_COUNT);
}

// ---- Writers ------------------------------------------------------------------------

std::unique_ptr<CSendData> CKTV_OutData::StoreBasicRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    BYTE* record = Record(OUTPUT_BASIC_RECORD);
    record[0] = m_byOn;
    record[1] = m_byPolarity;
    PutWord(record + 2, GetGain());
    PutWord(record + 4, m_nDelay);
    record[6] = m_byEqMode;
    record[7] = m_bySpeakerPosition;
    return RecordFrame(OUTPUT_BASIC_RECORD, bSend);
}

std::unique_ptr<CSendData> CKTV_OutData::StoreCrossoverRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    StoreCrossover(Record(OUTPUT_CROSSOVER_RECORD));
    return RecordFrame(OUTPUT_CROSSOVER_RECORD, bSend);
}

std::unique_ptr<CSendData> CKTV_OutData::StoreMixLowRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    GetMixLowRecord(Record(OUTPUT_MIX_LOW_RECORD));
    return RecordFrame(OUTPUT_MIX_LOW_RECORD, bSend);
}

std::unique_ptr<CSendData> CKTV_OutData::StoreMixHighRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    GetMixHighRecord(Record(OUTPUT_MIX_HIGH_RECORD));
    return RecordFrame(OUTPUT_MIX_HIGH_RECORD, bSend);
}

std::unique_ptr<CSendData> CKTV_OutData::StoreLimiterRecord(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    BYTE* record = Record(OUTPUT_LIMITER_RECORD);
    PutWord(record, m_nLimitThreshold);
    PutWord(record + 2, m_nAttack);
    PutWord(record + 4, m_nRelease);
    return RecordFrame(OUTPUT_LIMITER_RECORD, bSend);
}

std::unique_ptr<CSendData> CKTV_OutData::StoreBandRecord(int band, int record)
{
    return StoreBandFrame(band, record, OUTPUT_PEQ_BANDS);
}

std::unique_ptr<CSendData> CKTV_OutData::SendName()
{
    return RecordFrame(OUTPUT_NAME_RECORD, true);
}

std::unique_ptr<CSendData> CKTV_OutData::SendCrossoverNow()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    for (CFilter* filter : {GetHighPass(), GetLowPass()}) {
        if (filter == nullptr)
            continue;
        filter->SetSentFrequency(filter->GetFrequency());
        filter->AdvanceSentFrequency(false);
    }
    return StoreCrossoverRecord(true);
}

void CKTV_OutData::StoreToRaw()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    StoreBands(Record(0), OUTPUT_PEQ_BANDS);
    StoreBasicRecord(false);
    StoreCrossoverRecord(false);
    StoreMixHighRecord(false);
    StoreLimiterRecord(false);
    StoreMixLowRecord(false);
}

std::unique_ptr<CSendData> CKTV_OutData::StoreAndBuildBlock(int slot)
{
    // The name is checked before the parameter set is locked: a name too
    // long for its field is reported in a message box.
    char name[RECORD_SIZE];
    const bool nameFits = StringToFixedField(name, RECORD_SIZE, m_strName);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        StoreToRaw();
        if (nameFits)
            std::memcpy(Record(OUTPUT_NAME_RECORD), name, RECORD_SIZE);
    }
    return BuildBlockFrame(slot, BLOCK_OUTPUT, m_byIndex, true, true);
}

// ---- Archive --------------------------------------------------------------------------

void CKTV_OutData::Serialize(CArchive& ar)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    if (ar.IsStoring()) {
        ar.WriteString(m_strName);
        ar << m_byOn << m_byPolarity << m_nGain << m_nDelay << m_bySpeakerPosition << m_byInL << m_byInR
           << m_byPercent5 << m_byBalance << m_nAttack << m_nLimitThreshold << m_nRelease
           << std::int32_t(m_bAllBypass ? 1 : 0);
        m_EQ.Serialize(ar);
        return;
    }
    Archived fields;
    if (ReadArchive(ar, fields))
        ApplyArchive(fields);
}

bool CKTV_OutData::ReadArchive(CArchive& ar, Archived& out) const
{
    std::int32_t allBypass = 0;
    ar.ReadString(out.name, CHANNEL_NAME_ARCHIVE_MAX);
    ar >> out.on >> out.polarity >> out.gain >> out.delay >> out.position >> out.inL >> out.inR >> out.percent5
        >> out.balance >> out.attack >> out.threshold >> out.release >> allBypass;
    if (ar.HasError())
        return false;
    if (allBypass != 0 && allBypass != 1) {
        ar.SetError();
        return false;
    }
    out.allBypass = allBypass != 0;
    return m_EQ.ReadArchive(ar, out.bands);
}

void CKTV_OutData::ApplyArchive(const Archived& in)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_strName = in.name;
    m_byOn = in.on;
    m_byPolarity = in.polarity;
    m_nGain = in.gain;
    m_nDelay = in.delay;
    m_bySpeakerPosition = in.position;
    m_byInL = in.inL;
    m_byInR = in.inR;
    m_byPercent5 = in.percent5;
    m_byBalance = in.balance;
    m_nAttack = in.attack;
    m_nLimitThreshold = in.threshold;
    m_nRelease = in.release;
    m_bAllBypass = in.allBypass;
    m_bGainZero = (m_nGain == 0);
    m_bInLOff = (m_byInL == 0);
    m_bInROff = (m_byInR == 0);
    m_bPercent5Zero = (m_byPercent5 == 0);
    m_EQ.ApplyArchive(in.bands);
}

// ---- Texts ------------------------------------------------------------------------------

QString CKTV_OutData::FormatGain() const
{
    if (m_bGainZero)
        return QStringLiteral("-60.0dB");
    return QString::asprintf("%0.1fdB", m_nGain * 0.1 - 60);
}

QString CKTV_OutData::FormatPolarity() const
{
    return PolarityText(m_byPolarity);
}

QString CKTV_OutData::FormatOn() const
{
    return OnOffText(m_byOn != 0);
}

QString CKTV_OutData::FormatDelay() const
{
    return DelayText(m_nDelay);
}

QString CKTV_OutData::FormatLimitThreshold() const
{
    return QString::asprintf("%0.1fdBu", m_nLimitThreshold * 0.1 - 30);
}

QString CKTV_OutData::FormatAttack() const
{
    if (m_nAttack > 6)
        return QString::asprintf("%dms", m_nAttack - 6);
    return QString::asprintf("%0.1fms", (m_nAttack + 3) * 0.1);
}

QString CKTV_OutData::FormatRelease() const
{
    const int count = int(sizeof kReleaseTexts / sizeof kReleaseTexts[0]);
    if (m_nRelease < 0 || m_nRelease >= count)
        return QString();
    return QString::fromLatin1(kReleaseTexts[m_nRelease]);
}

QString CKTV_OutData::FormatInL() const
{
    return m_bInLOff ? PercentText(0) : PercentText(m_byInL);
}

QString CKTV_OutData::FormatInR() const
{
    return m_bInROff ? PercentText(0) : PercentText(m_byInR);
}

QString CKTV_OutData::FormatPercent3() const
{
    return PercentText(m_byPercent3);
}

QString CKTV_OutData::FormatPercent4() const
{
    return PercentText(m_byPercent4);
}

QString CKTV_OutData::FormatPercent5() const
{
    return m_bPercent5Zero ? PercentText(0) : PercentText(m_byPercent5);
}

QString CKTV_OutData::FormatBalance() const
{
    return PercentText(m_byBalance) + QLatin1Char(':') + PercentText(100 - m_byBalance);
}

QString CKTV_OutData::FormatFlagBit(int bit) const
{
    return OnOffText(bit >= 0 && bit <= 4 && (m_byFlagBits & (1 << bit)) != 0);
}

QString CKTV_OutData::FormatInLSwitch() const
{
    return m_byInL != 0 ? QStringLiteral("ON") : QStringLiteral("OFF");
}

QString CKTV_OutData::FormatInRSwitch() const
{
    return m_byInR != 0 ? QStringLiteral("ON") : QStringLiteral("OFF");
}
