#pragma once
// One of the four music input channels: name, on/off, polarity, gain, EQ
// mode, delay, noise gate, the three items of record 34, and 31 parametric
// bands with the high-pass and low-pass filters. The change scan sends its
// basic record, its noise-gate record and its changed bands; crossover,
// name and record-34 changes reach the device only with a whole block.
//
// Music block (288 bytes, record n at bytes 8n to 8n + 7, words LE):
//   0-30  EQ band records of bands 0 to 30
//   31    byte 0 not written; polarity, EQ mode, on, delay word, gain word
//         (0 while the gain-zero flag is set)
//   32    crossover: high-pass sent Hz, family, slope; the same low-pass
//   33    noise-gate threshold (byte 0)
//   34    record-34 word, byte A, byte B
//   35    name, up to 7 characters, zero-filled
#include <memory>

#include <QString>

#include "model/DataDefine.h"
#include "model/InputChannel.h"
#include "platform/core/Types.h"

class CArchive;

enum : int {
    MUSIC_PEQ_BANDS = 31,
    MUSIC_BASIC_RECORD = 31,
    MUSIC_CROSSOVER_RECORD = 32,
    MUSIC_NOISE_GATE_RECORD = 33,
    MUSIC_ITEM34_RECORD = 34,
    MUSIC_NAME_RECORD = 35,
};

class CMusic_InData : public CInputChannel {
public:
    CMusic_InData();
    ~CMusic_InData() override;

    // ---- Set-up by the music route -----------------------------------------
    // count + 1 bands (log-spaced up to band 14, third-octave above) and the
    // two filters.
    void BuildEQ(int count, int filterRecord);
    // 0 to 3 (other values are ignored).
    void SetIndex(int index);
    int GetIndex() const { return m_nIndex; }
    void SetNameRecordIndex(BYTE record) { m_nNameRecord = record; }

    // ---- Setters that mark their record ------------------------------------
    void SetName(const QString& name);
    // Bands 0 to 30 show and drag only their gain in GEQ mode (1).
    void SetEqMode(int mode);
    void SetItem34Word(int value) { SetItemWord(value); }
    void SetItem34ByteA(int value) { SetItemByteA(value); }
    void SetItem34ByteB(int value) { SetItemByteB(value); }
    void SetItem34Dirty(bool dirty) { SetItemDirty(dirty); }
    // Bands 0 to 30 only; the crossover filters are left alone.
    void SetAllBandsBypass(bool on);
    bool IsAllBypass() { return UpdateAllBypass(MUSIC_PEQ_BANDS); }

    // ---- Getters ---------------------------------------------------------------
    QString GetName() const { return m_strName; }
    int GetEqMode() const { return m_nMode; }
    int GetItem34Word() const { return m_nItemWord; }
    int GetItem34ByteA() const { return m_nItemByteA; }
    int GetItem34ByteB() const { return m_nItemByteB; }
    int GetItem34RecordIndex() const { return m_nItemRecord; }
    bool IsItem34Dirty() const { return m_bItemDirty.load(); }
    // The parametric bands alone: 31 (GetBand also reaches 31, the
    // high-pass, and 32, the low-pass).
    int GetBandCount() const { return m_EQ.GetSize() - 2; }

    // ---- Loading (no change flag is set; the name stays) -----------------------
    void LoadFromRaw(const BYTE* block);
    // What every input channel has; the EQ mode also sets the bands'
    // gain-only flag.
    void LoadBasicRecord(const BYTE* record) override;
    void LoadItem34Record(const BYTE* record) { LoadItemRecord(record); }

    // ---- Writers into g_CurrentImage; with bSend the record's frame -----------
    std::unique_ptr<CSendData> StoreItem34Record(bool bSend) { return StoreItemRecord(bSend); }
    std::unique_ptr<CSendData> StoreNameRecord(bool bSend) override;

    // Name, then on, polarity, gain, delay, noise gate, the record-34 word,
    // byte A and byte B (4 bytes each), then the bands. Loading reads and
    // checks everything (ReadArchive) before taking it.
    void Serialize(CArchive& ar);
    struct Archived {
        QString name;
        ArchivedShared shared;
        CKTVEQ::Archived bands;
    };
    // False, with the archive's error flag set, for a short archive, a
    // value that does not fit the byte or word of its record, or bands the
    // set refuses.
    bool ReadArchive(CArchive& ar, Archived& out) const;
    void ApplyArchive(const Archived& in);

    QString FormatItem34Word() const { return FormatItemWord(); }

protected:
    int BlockOffset() const override { return MusicBlockOffset(m_nIndex); }
    int BlockType() const override { return BLOCK_MUSIC; }
    int FrameChannel() const override { return m_nIndex; }

private:
    QString m_strName;
    int m_nIndex = 0;
};
