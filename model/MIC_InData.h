#pragma once
// The microphone input channel: name, level, on/off, polarity, a mode byte,
// gain, delay, noise gate, the three items of record 12, and nine EQ bands
// (a low shelf, seven peaking bands, a high shelf) with the high-pass and
// low-pass filters. No page edits it and the change scan does not visit it:
// its block leaves the program inside the preset files, which carry the
// whole image.
//
// Mic block (112 bytes, record n at bytes 8n to 8n + 7, words LE):
//   0-8   EQ band records of bands 0 to 8
//   9     level, polarity, mode, on, delay word, gain word (0 while the
//         gain-zero flag is set)
//   10    crossover: high-pass sent Hz, family, slope; the same low-pass
//   11    noise-gate threshold (byte 0)
//   12    record-12 word, byte A, byte B
//   13    name, up to 7 characters, zero-filled
#include <memory>

#include <QByteArray>
#include <QString>

#include "model/DataDefine.h"
#include "model/InputChannel.h"
#include "platform/core/Types.h"

class CArchive;

enum : int {
    MIC_EQ_BANDS = 9,
    MIC_BASIC_RECORD = 9,
    MIC_CROSSOVER_RECORD = 10,
    MIC_NOISE_GATE_RECORD = 11,
    MIC_ITEM12_RECORD = 12,
    MIC_NAME_RECORD = 13,
};

class CMIC_InData : public CInputChannel {
public:
    CMIC_InData();
    ~CMIC_InData() override;

    // ---- Set-up by the mic route ------------------------------------------
    // count + 1 shelved bands (count 8 gives nine) and the two filters.
    void BuildEQ(int count, int filterRecord);
    // The image holds one mic block: only index 0 is taken.
    void SetIndex(BYTE index)
    {
        if (index == 0)
            m_byIndex = index;
    }
    BYTE GetIndex() const { return m_byIndex; }

    // ---- Setters that mark their record ------------------------------------
    // Up to 8 bytes of the name (a name of 8 does not fit its record).
    void SetName(const QString& name);
    void SetLevel(int level);
    void SetGainZero(bool zero);
    void SetMode(int mode);
    void SetItem12Word(WORD value) { SetItemWord(short(value)); }
    void SetItem12ByteA(int value) { SetItemByteA(value); }
    void SetItem12ByteB(int value) { SetItemByteB(value); }
    void SetItem12Dirty(bool dirty) { SetItemDirty(dirty); }

    void SetNameRecordIndex(int record) { m_nNameRecord = BYTE(record); }
    void SetBasicRecordIndex(int record) { m_nBasicRecord = BYTE(record); }
    void SetNoiseGateRecordIndex(int record) { m_nNoiseGateRecord = BYTE(record); }
    void SetItem12RecordIndex(int record) { m_nItemRecord = BYTE(record); }

    // All eleven bands and filters.
    void SetAllBandsBypass(bool on);
    bool IsAllBypass() { return UpdateAllBypass(GetBandCount()); }

    // ---- Getters ---------------------------------------------------------------
    // The name field's characters up to the first NUL, at most 8.
    QString GetNameText() const;
    const char* GetNameField() const { return m_szName; }
    int GetLevel() const { return m_nLevel; }
    int GetMode() const { return m_nMode; }
    short GetItem12Word() const { return short(m_nItemWord); }
    int GetItem12ByteA() const { return m_nItemByteA; }
    int GetItem12ByteB() const { return m_nItemByteB; }
    int GetItem12RecordIndex() const { return m_nItemRecord; }
    bool IsItem12Dirty() const { return m_bItemDirty.load(); }
    // Bands and filters: 11 (nine bands, the high-pass, the low-pass).
    int GetBandCount() const { return m_EQ.GetSize(); }

    // ---- Loading (no change flag is set) ---------------------------------------
    void LoadFromDevice(const BYTE* block);
    // The level, then what every input channel has.
    void LoadBasicRecord(const BYTE* record) override;
    void LoadItem12Record(const BYTE* record) { LoadItemRecord(record); }

    // ---- Writers into g_CurrentImage; with bSend the record's frame -----------
    // The level, then what every input channel has.
    std::unique_ptr<CSendData> StoreBasicRecord(bool bSend) override;
    std::unique_ptr<CSendData> StoreItem12Record(bool bSend) { return StoreItemRecord(bSend); }
    // A name of all 8 bytes is reported and leaves the record as it was.
    std::unique_ptr<CSendData> StoreNameRecord(bool bSend) override;

    // Name, level, on, polarity, mode, gain, delay, noise gate (4 bytes
    // each), the record-12 word (2), byte A, byte B, the all-bypass flag
    // (4 each), the bands. Loading reads and checks everything
    // (ReadArchive) before taking it.
    void Serialize(CArchive& ar);
    struct Archived {
        QByteArray name;
        int level = 0, mode = 0;
        ArchivedShared shared;
        bool allBypass = false;
        CKTVEQ::Archived bands;
    };
    // False, with the archive's error flag set, for a short archive, a
    // value that does not fit the byte or word of its record, an all-bypass
    // flag other than 0 or 1, or bands the set refuses.
    bool ReadArchive(CArchive& ar, Archived& out) const;
    void ApplyArchive(const Archived& in);

    // ---- Texts -------------------------------------------------------------------
    // " OFF " at level 0, else " %dLevel"; Chinese " 关 " and " %d级".
    QString FormatLevel() const;
    QString FormatItem12Word() const { return FormatItemWord(); }

protected:
    int BlockOffset() const override { return MIC_OFFSET; }
    int BlockType() const override { return BLOCK_MIC; }
    int FrameChannel() const override { return m_byIndex; }

private:
    void SetNameBytes(const QByteArray& bytes);
    QByteArray NameBytes() const;

    char m_szName[RECORD_SIZE] = {};
    int m_nLevel = 0;
    BYTE m_byIndex = 0;
};
