#include "model/Effect_Data.h"

#include "model/ChannelColors.h"
#include "model/ChannelTexts.h"
#include "model/FrameBuilder.h"
#include "model/ParameterSetLock.h"
#include "platform/core/Archive.h"

const int CEffect_Data::kParamBytes[EFFECT_PARAM_COUNT] = {128, 129, 130, 131, 134, 136, 137, 138, 139, 140, 143};

namespace {
const int kParamDefaults[EFFECT_PARAM_COUNT] = {20, 84, 50, 68, 0, 18, 50, 0, 40, 50, 0};
// Slots 0 to 4 (bytes 128 to 134) form the first group, the rest the second.
const int kGroup2FirstSlot = 5;
// The archive leaves out parameter 140.
const int kUnarchivedByte = 140;
// The record numbers the senders name (the device's numbering of the effect
// items, which is not the region's record layout).
const int kFilterRecord = 8;
}  // namespace

CEffect_Data::CEffect_Data()
{
    for (int k = 0; k < EFFECT_PARAM_COUNT; ++k)
        m_anParams[k] = kParamDefaults[k];
    m_clrColor = kEffectColour.rgb;
    m_clrCurve = kEffectColour.curveArgb;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_EQ.BuildToneBands(EFFECT_TONE_BANDS - 1, kFilterRecord, 20000);
}

CEffect_Data::~CEffect_Data() = default;

int CEffect_Data::ParamSlot(int regionByte)
{
    for (int k = 0; k < EFFECT_PARAM_COUNT; ++k) {
        if (kParamBytes[k] == regionByte)
            return k;
    }
    return -1;
}

// ---- Image -------------------------------------------------------------------------

void CEffect_Data::LoadFromImage(const BYTE* region)
{
    if (region == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_strName = FixedFieldToString(reinterpret_cast<const char*>(region + EFFECT_NAME_BYTE), RECORD_SIZE);
    for (int k = 0; k < EFFECT_PARAM_COUNT; ++k)
        m_anParams[k] = region[kParamBytes[k]];
    LoadFilters(region + EFFECT_FILTER_BYTE);
    LoadBands(region, EFFECT_TONE_BANDS);
}

bool CEffect_Data::StoreName()
{
    return StringToFixedField(reinterpret_cast<char*>(Record(0) + EFFECT_NAME_BYTE), RECORD_SIZE, m_strName);
}

void CEffect_Data::StoreParams(bool group1, bool group2)
{
    BYTE* region = Record(0);
    for (int k = 0; k < EFFECT_PARAM_COUNT; ++k) {
        if (k < kGroup2FirstSlot ? group1 : group2)
            region[kParamBytes[k]] = BYTE(m_anParams[k]);
    }
}

void CEffect_Data::StoreToImage()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    StoreName();
    StoreParams(true, true);
    StoreBands(Record(0), EFFECT_TONE_BANDS);
    StoreFilters(false);
}

std::unique_ptr<CSendData> CEffect_Data::StoreFilters(bool bSend)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    StoreCrossover(Record(0) + EFFECT_FILTER_BYTE);
    return RecordFrame(kFilterRecord, bSend);
}

void CEffect_Data::LoadFilters(const BYTE* record)
{
    if (record == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    LoadCrossover(record, false);
}

void CEffect_Data::SetAllChanged(bool v)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_bNameChanged = v;
    m_bGroup1Changed = v;
    m_bGroup2Changed = v;
    AdvanceAllFilters(v);
}

// ---- Values --------------------------------------------------------------------------

void CEffect_Data::SetName(const QString& name)
{
    SetMarked(m_strName, name, m_bNameChanged);
}

int CEffect_Data::GetParam(int regionByte) const
{
    const int slot = ParamSlot(regionByte);
    return slot < 0 ? -1 : m_anParams[slot];
}

void CEffect_Data::SetParam(int regionByte, int value)
{
    const int slot = ParamSlot(regionByte);
    if (slot < 0)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    m_anParams[slot] = value;
    Mark(slot < kGroup2FirstSlot ? m_bGroup1Changed : m_bGroup2Changed);
}

void CEffect_Data::SetNameChanged(bool changed)
{
    SetFlag(m_bNameChanged, changed);
}

void CEffect_Data::SetGroup1Changed(bool changed)
{
    SetFlag(m_bGroup1Changed, changed);
}

void CEffect_Data::SetGroup2Changed(bool changed)
{
    SetFlag(m_bGroup2Changed, changed);
}

void CEffect_Data::SetAllBandsBypass(bool on)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    SetBandsBypass(GetBandCount(), on);
}

void CEffect_Data::UpdateAllBypass()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_bAllBypass = BandsBypassedOrFlat(GetBandCount());
}

// ---- Curve -----------------------------------------------------------------------------

void CEffect_Data::SetGraphRect(const Rect& rc)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    LayoutCurve(rc);
    UpdateCurve();
}

void CEffect_Data::UpdateCurve()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    TakeSummedCurve(true);
}

// ---- Senders -----------------------------------------------------------------------------

std::unique_ptr<CSendData> CEffect_Data::SendName()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    StoreName();
    return RecordFrame(m_nNameRecord, true);
}

std::unique_ptr<CSendData> CEffect_Data::SendParamGroup1()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    StoreParams(true, false);
    return RecordFrame(m_nGroup1Record, true);
}

std::unique_ptr<CSendData> CEffect_Data::SendParamGroup2()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    StoreParams(false, true);
    return RecordFrame(m_nGroup2Record, true);
}

std::unique_ptr<CSendData> CEffect_Data::SendBand(int band, int record)
{
    return StoreBandFrame(band, record, EFFECT_TONE_BANDS);
}

std::unique_ptr<CSendData> CEffect_Data::BuildBlock(int slot)
{
    StoreToImage();
    return BuildBlockFrame(slot, BLOCK_EFFECT, m_nChannel, true, true);
}

// ---- Archive ---------------------------------------------------------------------------------

void CEffect_Data::Serialize(CArchive& ar)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    if (ar.IsStoring()) {
        ar.WriteString(m_strName);
        for (int k = 0; k < EFFECT_PARAM_COUNT; ++k) {
            if (kParamBytes[k] != kUnarchivedByte)
                ar << std::int32_t(m_anParams[k]);
        }
        ar << std::int32_t(m_bAllBypass ? 1 : 0);
        m_EQ.Serialize(ar);
        return;
    }
    Archived fields;
    if (ReadArchive(ar, fields))
        ApplyArchive(fields);
}

bool CEffect_Data::ReadArchive(CArchive& ar, Archived& out) const
{
    std::int32_t allBypass = 0;
    bool valid = true;
    ar.ReadString(out.name, CHANNEL_NAME_ARCHIVE_MAX);
    for (int k = 0; k < EFFECT_PARAM_COUNT; ++k) {
        if (kParamBytes[k] == kUnarchivedByte)
            continue;
        std::int32_t value = 0;
        ar >> value;
        valid = valid && FitsRecordByte(value);
        out.params[k] = value;
    }
    ar >> allBypass;
    if (ar.HasError())
        return false;
    if (!valid || (allBypass != 0 && allBypass != 1)) {
        ar.SetError();
        return false;
    }
    out.allBypass = allBypass != 0;
    return m_EQ.ReadArchive(ar, out.bands);
}

void CEffect_Data::ApplyArchive(const Archived& in)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_strName = in.name;
    for (int k = 0; k < EFFECT_PARAM_COUNT; ++k) {
        if (kParamBytes[k] != kUnarchivedByte)
            m_anParams[k] = in.params[k];
    }
    m_bAllBypass = in.allBypass;
    m_EQ.ApplyArchive(in.bands);
}

// ---- Texts -------------------------------------------------------------------------------------

QString CEffect_Data::FormatByte128() const
{
    const int v = GetParam(128);
    if (v <= 99)
        return QStringLiteral("R_") + PercentText(100 - v);
    if (v == 100)
        return QStringLiteral("OFF");
    if (v <= 195)
        return QStringLiteral("L_") + PercentText(v - 100);
    return QString();
}

QString CEffect_Data::FormatByte129() const
{
    return QString::asprintf("%dms", 2 * GetParam(129));
}

QString CEffect_Data::FormatByte130() const
{
    return PercentText(GetParam(130));
}

QString CEffect_Data::FormatByte131() const
{
    return PercentText(GetParam(131));
}

QString CEffect_Data::FormatByte134() const
{
    return QString::number(GetParam(134));
}

QString CEffect_Data::FormatByte136() const
{
    return QString::asprintf("%0.1fs", 0.1 * GetParam(136));
}

QString CEffect_Data::FormatByte137() const
{
    return PercentText(GetParam(137));
}

QString CEffect_Data::FormatByte138() const
{
    return QString::number(GetParam(138));
}

QString CEffect_Data::FormatByte139() const
{
    return PercentText(GetParam(139));
}

QString CEffect_Data::FormatByte140() const
{
    return PercentText(GetParam(140));
}

QString CEffect_Data::FormatByte143() const
{
    return QString::asprintf("%dms", GetParam(143));
}
