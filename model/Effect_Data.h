#pragma once
// The effect block: a name, eleven effect parameter bytes and three tone
// bands (bass, mid, treble) with a high-pass and a low-pass filter. It
// mirrors the effect region of the image (152 bytes at image byte 32) and
// is archived with the parameter set. No page edits it and no live path
// sends it; its senders build frames for whoever chooses to.
//
// Effect region (offsets from image byte 32):
//   0-23      band records of tone bands 0, 1 and 2
//   120-127   high-pass sent Hz (16-bit), family, slope; the same low-pass
//   128-131, 134, 136-140, 143   the parameters, one byte each
//   144-151   name, up to 7 characters, zero-filled
//   everything else is left as it is
#include <atomic>
#include <memory>

#include <QString>

#include "model/ChannelData.h"
#include "model/DataDefine.h"
#include "platform/core/Types.h"

class CArchive;

enum : int {
    EFFECT_TONE_BANDS = 3,
    EFFECT_PARAM_COUNT = 11,
    EFFECT_FILTER_BYTE = 120,
    EFFECT_NAME_BYTE = 144,
};

class CEffect_Data : public CChannelData {
public:
    // The region bytes of the parameters, in the order they are kept.
    static const int kParamBytes[EFFECT_PARAM_COUNT];

    CEffect_Data();
    ~CEffect_Data() override;

    // ---- Image -----------------------------------------------------------------
    // From the effect region (image byte 32 onwards); no change flag is set.
    void LoadFromImage(const BYTE* region);
    // Into the effect region of g_CurrentImage.
    void StoreToImage();
    // The filter record (region bytes 120-127), from the filters' sent
    // frequencies.
    std::unique_ptr<CSendData> StoreFilters(bool bSend);
    void LoadFilters(const BYTE* record);
    // The three flags, and one follower step with v on every band and filter.
    void SetAllChanged(bool v);
    // Five: the three tone bands and the two filters.
    int GetBandCount() const { return m_EQ.GetSize(); }

    // ---- Values ------------------------------------------------------------------
    QString GetName() const { return m_strName; }
    void SetName(const QString& name);
    // A parameter by its region byte (128 to 143); -1 for a byte that holds
    // none. The setter marks the parameter's group (128-134 or 136-143).
    int GetParam(int regionByte) const;
    void SetParam(int regionByte, int value);
    int GetNameRecordIndex() const { return m_nNameRecord; }
    void SetNameRecordIndex(int record) { m_nNameRecord = record; }
    int GetGroup1RecordIndex() const { return m_nGroup1Record; }
    void SetGroup1RecordIndex(int record) { m_nGroup1Record = record; }
    int GetGroup2RecordIndex() const { return m_nGroup2Record; }
    void SetGroup2RecordIndex(int record) { m_nGroup2Record = record; }
    int GetChannel() const { return m_nChannel; }
    void SetChannel(int channel) { m_nChannel = channel; }
    bool IsNameChanged() const { return m_bNameChanged.load(); }
    bool IsGroup1Changed() const { return m_bGroup1Changed.load(); }
    bool IsGroup2Changed() const { return m_bGroup2Changed.load(); }
    void SetNameChanged(bool changed);
    void SetGroup1Changed(bool changed);
    void SetGroup2Changed(bool changed);

    void SetAllBandsBypass(bool on);
    // Every band and filter bypassed or flat, into the all-bypass flag.
    void UpdateAllBypass();
    bool GetAllBypass() const { return m_bAllBypass; }
    // A marked filter moves its sent frequency one step; true when either
    // filter was marked.
    bool IsFilterChanged() { return IsCrossoverChanged(); }

    // ---- Curve -----------------------------------------------------------------
    void SetGraphRect(const Rect& rc);
    void UpdateCurve();

    // ---- Senders: each writes its bytes into the region and returns a
    // frame of block type 2 for the record number it names -----------------
    std::unique_ptr<CSendData> SendName();
    std::unique_ptr<CSendData> SendParamGroup1();
    std::unique_ptr<CSendData> SendParamGroup2();
    std::unique_ptr<CSendData> SendBand(int band, int record);
    // Everything, then the block frame (its first 96 region bytes).
    std::unique_ptr<CSendData> BuildBlock(int slot);

    // Name, parameters 128, 129, 130, 131, 134, 136, 137, 138, 139, 143 and
    // the all-bypass flag (4 bytes each), then the bands. Parameter 140 is
    // not archived. Loading reads and checks everything (ReadArchive)
    // before taking it.
    void Serialize(CArchive& ar);
    struct Archived {
        QString name;
        int params[EFFECT_PARAM_COUNT] = {};  // the slot of parameter 140 unused
        bool allBypass = false;
        CKTVEQ::Archived bands;
    };
    // False, with the archive's error flag set, for a short archive, a
    // parameter that does not fit its byte of the effect region, an
    // all-bypass flag other than 0 or 1, or bands the set refuses.
    bool ReadArchive(CArchive& ar, Archived& out) const;
    void ApplyArchive(const Archived& in);

    // ---- Texts -------------------------------------------------------------------
    QString FormatByte128() const;
    QString FormatByte129() const;
    QString FormatByte130() const;
    QString FormatByte131() const;
    QString FormatByte134() const;
    QString FormatByte136() const;
    QString FormatByte137() const;
    QString FormatByte138() const;
    QString FormatByte139() const;
    QString FormatByte140() const;
    QString FormatByte143() const;

protected:
    int BlockOffset() const override { return EFFECT_OFFSET; }
    int BlockType() const override { return BLOCK_EFFECT; }
    int FrameChannel() const override { return m_nChannel; }

private:
    static int ParamSlot(int regionByte);
    // The parameters of one group into the region.
    void StoreParams(bool group1, bool group2);
    bool StoreName();

    QString m_strName = QStringLiteral("Effect");
    int m_nNameRecord = 11;
    int m_anParams[EFFECT_PARAM_COUNT];
    int m_nGroup1Record = 9;
    int m_nGroup2Record = 10;
    int m_nChannel = 0;
    bool m_bAllBypass = false;
    std::atomic<bool> m_bNameChanged{false};
    std::atomic<bool> m_bGroup1Changed{false};
    std::atomic<bool> m_bGroup2Changed{false};
};
