#pragma once
// One of the twelve output channels: on/off, polarity, level, delay,
// speaker position, EQ mode, 31 parametric bands with the high-pass and
// low-pass crossover filters, the limiter, sixteen mix levels (one per input
// source) and a group of dynamics-side bytes that live only in the object.
//
// Setters store the value and copy g_bDeviceSynced into the change flag of
// the device record the value travels in; they never send. The change scan
// (CKTV_Data::NextChangedItem) finds a set flag, clears it and calls the
// record's Store...Record writer, which packs the record into the live
// image and builds its frame.
//
// Output block (296 bytes, record n at bytes 8n to 8n + 7, words LE):
//   0-30  EQ band records of bands 0 to 30
//   31    on, polarity, gain word (0 while the gain-zero flag is set),
//         delay word, EQ mode, speaker-position code
//   32    crossover: high-pass sent Hz, family, slope; the same low-pass
//   33    mix levels of sources 1 to 8     34  mix levels of sources 9 to 16
//   35    limiter threshold, attack and release words; bytes 6-7 untouched
//   36    name field; byte 289 of the block is the lock mark, and in output
//         0 byte 288 is the image's lock flag and 290-295 the password
#include <atomic>
#include <memory>

#include <QString>

#include "model/ChannelData.h"
#include "model/DataDefine.h"
#include "platform/core/Types.h"

class CArchive;

// The record numbers of the output block are OUTPUT_..._RECORD in
// model/DataDefine.h.
enum : int {
    OUTPUT_PEQ_BANDS = 31,
    MIX_SOURCE_COUNT = 16,
};

class CKTV_OutData : public CChannelData {
public:
    CKTV_OutData();
    ~CKTV_OutData() override;

    // ---- Set-up by the output route ---------------------------------------
    // The band set: count + 1 third-octave bands and the two filters.
    void BuildEQ(int count, int filterRecord, int highPassDragKind, int highPassHz, int lowPassHz);
    // 0 to 11 (other values are ignored). Outputs 0, 2, 4 take the left
    // input as dynamics source and 1, 3, 5 the right one. No change flag.
    void SetIndex(BYTE index);
    BYTE GetIndex() const { return m_byIndex; }

    // ---- Setters that mark their record -----------------------------------
    void SetName(const QString& name);
    // Copies gain and EQ mode to the outputs of the same link group (one
    // level deep); a gain of 0 sets the gain-zero flag.
    void SetGain(short gain);
    void SetGainZero(bool zero);
    void SetDelay(short delay);
    void SetOn(BYTE on);
    void SetPolarity(BYTE polarity);
    // Bands 0 to 30 show and drag only their gain in GEQ mode (1); copied
    // to the link group with the gain.
    void SetEqMode(BYTE mode);
    // Stores the position and applies its crossover defaults, marking both
    // crossover filters; the basic record is not marked.
    void SetSpeakerPosition(BYTE position);
    // Stores the position and the high-pass drag rule it brings; the
    // frequencies stay.
    void SetSpeakerPositionOnly(BYTE position);
    // Stores the position and takes the crossover from a record-32 image,
    // marking both filters.
    void SetSpeakerPositionAndCrossover(BYTE position, const BYTE* record);
    // Stores the position and marks the basic record whatever the link.
    void SetSpeakerPositionDirty(BYTE position);
    // The limiter setters and the mix levels do nothing at all when the
    // value is the stored one.
    void SetLimitThreshold(short threshold);
    void SetAttack(short attack);
    void SetRelease(short release);
    // Source 1 to 16 (others are ignored); 1-8 mark record 33, 9-16 record 34.
    void SetMixLevel(int source, BYTE level);
    // The dynamics side (no device record carries it).
    void SetInLOff(bool off);
    void SetInROff(bool off);
    void SetInL(BYTE value);
    void SetInR(BYTE value);
    void SetPercent3(BYTE value);
    void SetPercent4(BYTE value);
    void SetPercent5(BYTE value);
    void SetBalance(BYTE value);
    void SetFlagBits(BYTE value);
    void SetPercent3Zero(bool zero);
    void SetPercent4Zero(bool zero);
    void SetPercent5Zero(bool zero);
    // Per-channel rows of the dynamics dialog that the device has no place
    // for: they store nothing and read back 0.
    void SetDynamicsExtra(int /*row*/, int /*value*/) {}
    int GetDynamicsExtra(int /*row*/) const { return 0; }
    // Values without a flag, a record or a reader besides these.
    void SetSpareByte(BYTE value) { m_bySpareByte = value; }
    BYTE GetSpareByte() const { return m_bySpareByte; }
    void SetSpareInt(int value) { m_nSpareInt = value; }
    int GetSpareInt() const { return m_nSpareInt; }

    // ---- Change flags ---------------------------------------------------------
    void SetNameDirty(bool dirty);
    void SetDynamicsDirty(bool dirty);
    void SetBasicDirty(bool dirty);
    void SetLimiterDirty(bool dirty);
    void SetMixHighDirty(bool dirty);
    void SetMixLowDirty(bool dirty);
    bool IsNameDirty() const { return m_bNameDirty.load(); }
    bool IsDynamicsDirty() const { return m_bDynamicsDirty.load(); }
    bool IsBasicDirty() const { return m_bBasicDirty.load(); }
    bool IsLimiterDirty() const { return m_bLimiterDirty.load(); }
    bool IsMixHighDirty() const { return m_bMixHighDirty.load(); }
    bool IsMixLowDirty() const { return m_bMixLowDirty.load(); }
    // Every flag but the name's, and one follower step with v on every band
    // and filter.
    void SetAllDirty(bool v);
    // The all-bypass switch of every band and filter.
    void SetAllBandsBypass(bool on);
    // Every band and filter bypassed or flat; stored and returned.
    bool IsAllBypass();
    bool GetAllBypass() const { return m_bAllBypass; }

    // ---- Link group ------------------------------------------------------------
    // Crossover defaults of a speaker position (codes outside 0 to 24 count
    // as none): frequencies, Bessel, 12 dB/Oct, both filters marked.
    void ApplyCrossoverDefaults(BYTE position);
    void CopyBasicToLinked();
    void SetBasicFromLink(short gain, BYTE eqMode);
    void CopyLimiterToLinked();
    void SetLimiterFromLink(short threshold, short attack, short release);
    void CopyPercentToLinked();
    void SetPercentFromLink(BYTE inL, BYTE inR, BYTE percent5);
    void CopySpareRecordToLinked();
    void SetSpareRecordFromLink(const BYTE* record);
    // Bands, gain, EQ mode and limiter of src, then the curve; no flag.
    void CopyGainAndEqFrom(const CKTV_OutData* src);

    // ---- Getters ---------------------------------------------------------------
    QString GetName() const { return m_strName; }
    // 0 while the gain-zero flag is set.
    short GetGain() const { return m_bGainZero ? short(0) : m_nGain; }
    bool GetGainZero() const { return m_bGainZero; }
    short GetDelay() const { return m_nDelay; }
    BYTE GetOn() const { return m_byOn; }
    BYTE GetPolarity() const { return m_byPolarity; }
    BYTE GetEqMode() const { return m_byEqMode; }
    BYTE GetSpeakerPosition() const { return m_bySpeakerPosition; }
    short GetLimitThreshold() const { return m_nLimitThreshold; }
    short GetAttack() const { return m_nAttack; }
    short GetRelease() const { return m_nRelease; }
    // Source 1 to 16; 0 for others.
    BYTE GetMixLevel(int source) const;
    BYTE GetInL() const { return m_byInL; }
    BYTE GetInR() const { return m_byInR; }
    BYTE GetPercent3() const { return m_byPercent3; }
    BYTE GetPercent4() const { return m_byPercent4; }
    BYTE GetPercent5() const { return m_byPercent5; }
    BYTE GetBalance() const { return m_byBalance; }
    BYTE GetFlagBits() const { return m_byFlagBits; }
    bool GetInLOff() const { return m_bInLOff; }
    bool GetInROff() const { return m_bInROff; }
    bool GetPercent3Zero() const { return m_bPercent3Zero; }
    bool GetPercent4Zero() const { return m_bPercent4Zero; }
    bool GetPercent5Zero() const { return m_bPercent5Zero; }

    // Record numbers kept by the object; the writers use the fixed ones.
    void SetNameRecordIndex(BYTE record) { m_byNameRecord = record; }
    BYTE GetNameRecordIndex() const { return m_byNameRecord; }
    void SetBasicRecordIndex(BYTE record) { m_byBasicRecord = record; }
    BYTE GetBasicRecordIndex() const { return m_byBasicRecord; }
    void SetLimiterRecordIndex(BYTE record) { m_byLimiterRecord = record; }
    BYTE GetLimiterRecordIndex() const { return m_byLimiterRecord; }
    BYTE GetMixHighRecordIndex() const { return m_byMixHighRecord; }
    void SetMixLowRecordIndex(BYTE record) { m_byMixLowRecord = record; }
    BYTE GetMixLowRecordIndex() const { return m_byMixLowRecord; }

    // Bands and filters: 33 (31 bands, the high-pass, the low-pass).
    int GetBandCount() const { return m_EQ.GetSize(); }
    int GetHighPassIndex() const { return GetBandCount() - 2; }
    int GetLowPassIndex() const { return GetBandCount() - 1; }
    int GetHighPassBandNumber() const;

    // ---- Curve -----------------------------------------------------------------
    void SetGraphRect(const Rect& rc);
    // The summed response into the float curve (the integer points keep
    // their middle line).
    void RecomputeCurve();

    // ---- Loading from an output block (no change flag is set) --------------
    void LoadFromRaw(const BYTE* block);
    void LoadBasicRecord(const BYTE* record);
    void LoadCrossoverRecord(const BYTE* record);
    // Threshold, attack and release: three little-endian words.
    void LoadLimiterRecord(const BYTE* record);
    void LoadMixLowRecord(const BYTE* record);
    void LoadMixHighRecord(const BYTE* record);
    // IN L, IN R, percent 5, percent 4, each with its off or zero flag.
    void LoadPercentRecord(const BYTE* values);

    // ---- Records without the image ---------------------------------------------
    void GetCrossoverRecord(BYTE* out) const;
    void GetLimiterRecord(WORD* out) const;
    void GetMixLowRecord(BYTE* out) const;
    void GetMixHighRecord(BYTE* out) const;

    // ---- Writers into g_CurrentImage; with bSend the record's frame ----------
    std::unique_ptr<CSendData> StoreBasicRecord(bool bSend);
    std::unique_ptr<CSendData> StoreCrossoverRecord(bool bSend);
    std::unique_ptr<CSendData> StoreMixLowRecord(bool bSend);
    std::unique_ptr<CSendData> StoreMixHighRecord(bool bSend);
    std::unique_ptr<CSendData> StoreLimiterRecord(bool bSend);
    // Band band's record into record band; the frame names record.
    std::unique_ptr<CSendData> StoreBandRecord(int band, int record);
    // Record 36 exactly as the image holds it (the data lock writes it).
    std::unique_ptr<CSendData> SendName();
    // The crossover filters jump to their targets; frame of record 32.
    std::unique_ptr<CSendData> SendCrossoverNow();
    // Every record but 36, which keeps the lock mark and the password.
    void StoreToRaw();
    // Every record, the name into record 36, then the whole block's frame.
    std::unique_ptr<CSendData> StoreAndBuildBlock(int slot);

    // Name, on, polarity, gain, delay, position, IN L, IN R, percent 5,
    // balance, attack, threshold, release, the all-bypass flag, the bands.
    // Loading reads and checks everything (ReadArchive) before taking it.
    void Serialize(CArchive& ar);
    struct Archived {
        QString name;
        BYTE on = 0, polarity = 0, position = 0, inL = 0, inR = 0, percent5 = 0, balance = 0;
        short gain = 0, delay = 0, attack = 0, threshold = 0, release = 0;
        bool allBypass = false;
        CKTVEQ::Archived bands;
    };
    // False, with the archive's error flag set, for a short archive, an
    // all-bypass flag other than 0 or 1, or bands the set refuses.
    bool ReadArchive(CArchive& ar, Archived& out) const;
    void ApplyArchive(const Archived& in);

    // ---- Texts -------------------------------------------------------------------
    QString FormatGain() const;
    QString FormatPolarity() const;
    QString FormatOn() const;
    QString FormatDelay() const;
    QString FormatLimitThreshold() const;
    QString FormatAttack() const;
    QString FormatRelease() const;
    QString FormatInL() const;
    QString FormatInR() const;
    QString FormatPercent3() const;
    QString FormatPercent4() const;
    QString FormatPercent5() const;
    QString FormatBalance() const;
    // Bit 0 to 4 of the flag bits.
    QString FormatFlagBit(int bit) const;
    QString FormatInLSwitch() const;
    QString FormatInRSwitch() const;
    QString FormatBlank1() const { return QString(); }
    QString FormatBlank2() const { return QString(); }

protected:
    int BlockOffset() const override { return OutputBlockOffset(m_byIndex); }
    int BlockType() const override { return BLOCK_OUTPUT; }
    int FrameChannel() const override { return m_byIndex; }

private:
    // Calls f on every other output of this output's link group.
    template <class F>
    void ForEachLinked(F f) const;
    // The dynamics side: a source switch with its off flag, and the values
    // that go to the link group (with the zero flag some of them keep).
    void SetSourceOff(bool& offFlag, BYTE& source, bool off);
    void SetPercentValue(BYTE& member, BYTE value, bool* zeroFlag);

    QString m_strName;
    BYTE m_byNameRecord = OUTPUT_NAME_RECORD;
    BYTE m_byPolarity = 0;
    BYTE m_byOn = 1;
    short m_nGain = 600;
    bool m_bGainZero = false;
    short m_nDelay = 0;
    BYTE m_byEqMode = 0;
    BYTE m_bySpeakerPosition = 0;
    BYTE m_byBasicRecord = OUTPUT_BASIC_RECORD;
    short m_nLimitThreshold = 420;
    short m_nAttack = 20;
    short m_nRelease = 20;
    BYTE m_byLimiterRecord = OUTPUT_LIMITER_RECORD;
    BYTE m_SpareRecord[RECORD_SIZE] = {};
    BYTE m_byMixHighRecord = OUTPUT_MIX_HIGH_RECORD;
    BYTE m_byInL = 50;
    BYTE m_byInR = 50;
    BYTE m_byPercent3 = 50;
    BYTE m_byPercent4 = 40;
    BYTE m_bySpareByte = 0;
    BYTE m_byPercent5 = 80;
    BYTE m_byBalance = 50;
    BYTE m_byFlagBits = 16;
    BYTE m_MixLevels[MIX_SOURCE_COUNT];
    BYTE m_byMixLowRecord = OUTPUT_MIX_LOW_RECORD;
    bool m_bInLOff = true;
    bool m_bInROff = true;
    bool m_bPercent3Zero = false;
    bool m_bPercent4Zero = false;
    bool m_bPercent5Zero = false;
    std::atomic<bool> m_bNameDirty{false};
    std::atomic<bool> m_bDynamicsDirty{false};
    std::atomic<bool> m_bBasicDirty{false};
    std::atomic<bool> m_bLimiterDirty{false};
    std::atomic<bool> m_bMixHighDirty{false};
    std::atomic<bool> m_bMixLowDirty{false};
    BYTE m_byIndex = 0;
    int m_nSpareInt = 0;
    bool m_bAllBypass = false;
};
