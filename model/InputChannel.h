#pragma once
// What the mic and the music channels share: on/off, polarity, a mode
// byte, gain with its zero flag, delay, the noise gate and a record of one
// word and two bytes, with the change flags of their records, and the
// crossover record. Each channel puts these into its own block at its own
// record numbers; the basic record is laid out alike in both:
//   byte 0 the channel's own, 1 polarity, 2 mode, 3 on, 4-5 delay word,
//   6-7 gain word (0 while the gain-zero flag is set).
#include <atomic>
#include <memory>

#include <QString>

#include "model/ChannelData.h"
#include "platform/core/Types.h"


class CInputChannel : public CChannelData {
public:
    // Where the shared records lie in the channel's block.
    struct Layout {
        int eqBands;
        int basicRecord;
        int crossoverRecord;
        int noiseGateRecord;
        int itemRecord;
        int nameRecord;
    };

    CInputChannel(const Layout& layout, int gain);
    ~CInputChannel() override;

    // ---- Setters that mark their record ------------------------------------
    // A gain of 0 sets the gain-zero flag.
    void SetGain(int gain);
    void SetOn(int on);
    void SetPolarity(int polarity);
    void SetDelay(int delay);
    void SetNoiseGate(int value);

    void SetBasicDirty(bool dirty);
    void SetNameDirty(bool dirty);
    void SetNoiseGateDirty(bool dirty);
    // The four flags, and one follower step with v on every band and filter.
    void SetAllDirty(bool v);

    // ---- Getters ---------------------------------------------------------------
    // 0 while the gain-zero flag is set.
    int GetGain() const { return m_bGainZero ? 0 : m_nGain; }
    bool GetGainZero() const { return m_bGainZero; }
    int GetOn() const { return m_nOn; }
    int GetPolarity() const { return m_nPolarity; }
    int GetDelay() const { return m_nDelay; }
    int GetNoiseGate() const { return m_nNoiseGate; }
    bool IsBasicDirty() const { return m_bBasicDirty.load(); }
    bool IsNameDirty() const { return m_bNameDirty.load(); }
    bool IsNoiseGateDirty() const { return m_bNoiseGateDirty.load(); }
    int GetNameRecordIndex() const { return m_nNameRecord; }
    int GetBasicRecordIndex() const { return m_nBasicRecord; }
    int GetNoiseGateRecordIndex() const { return m_nNoiseGateRecord; }
    bool GetAllBypass() const { return m_bAllBypass; }

    // ---- Curve: both the integer and the float points follow the sum ------
    void SetGraphRect(const Rect& rc);
    void RecomputeCurve();

    // ---- Records -----------------------------------------------------------------
    void LoadCrossoverRecord(const BYTE* record);
    void LoadNoiseGateRecord(const BYTE* record);
    // Bytes 1 to 7 of the basic record.
    virtual void LoadBasicRecord(const BYTE* record);
    virtual std::unique_ptr<CSendData> StoreBasicRecord(bool bSend);
    // The name record is the channel's own.
    virtual std::unique_ptr<CSendData> StoreNameRecord(bool bSend) = 0;
    std::unique_ptr<CSendData> StoreCrossoverRecord(bool bSend);
    std::unique_ptr<CSendData> StoreNoiseGateRecord(bool bSend);
    // Band band's record into record band; the frame names record.
    std::unique_ptr<CSendData> StoreBandRecord(int band, int record);
    // The whole channel into the live image, no frame: the bands, the name,
    // then the basic, crossover, item and noise-gate records.
    void StoreToRaw();
    // The same, then the frame of the whole block.
    std::unique_ptr<CSendData> StoreAndBuildBlock(int slot);

    // ---- Archive -------------------------------------------------------------------
    // The archived values every input channel has, read before a load
    // takes them.
    struct ArchivedShared {
        int on = 0, polarity = 0, gain = 0, delay = 0, noiseGate = 0, itemWord = 0, itemByteA = 0, itemByteB = 0;
    };

    // ---- Texts -------------------------------------------------------------------
    // "%d" of gain - 80, then "dB".
    QString FormatGain() const;
    QString FormatPolarity() const;
    QString FormatOn() const;
    QString FormatDelay() const;
    // "OFF" at 0, else value - 120 in dBu.
    QString FormatNoiseGate() const;

protected:
    // Whether each shared value fits the byte or the word of its record.
    static bool SharedFitsRecords(const ArchivedShared& values);
    // Takes the shared values and derives the gain-zero flag.
    void ApplyShared(const ArchivedShared& values);
    // The word and the two bytes of the item record.
    void SetItemWord(int value);
    void SetItemByteA(int value);
    void SetItemByteB(int value);
    void SetItemDirty(bool dirty);
    void LoadItemRecord(const BYTE* record);
    std::unique_ptr<CSendData> StoreItemRecord(bool bSend);
    QString FormatItemWord() const;
    // The all-bypass flag over bands 0 to count - 1, stored and returned.
    bool UpdateAllBypass(int count);
    // The gain word of a record, taking the zero flag with it.
    void LoadGain(int gain);

    const Layout m_Layout;
    int m_nOn = 1;
    int m_nPolarity = 0;
    int m_nMode = 1;
    int m_nGain;
    bool m_bGainZero = false;
    int m_nDelay = 0;
    int m_nNoiseGate = 40;
    int m_nItemWord = 500;
    int m_nItemByteA = 0;
    int m_nItemByteB = 0;
    BYTE m_nNameRecord;
    BYTE m_nBasicRecord;
    BYTE m_nNoiseGateRecord;
    BYTE m_nItemRecord;
    std::atomic<bool> m_bBasicDirty{false};
    std::atomic<bool> m_bNameDirty{false};
    std::atomic<bool> m_bNoiseGateDirty{false};
    std::atomic<bool> m_bItemDirty{false};
    bool m_bAllBypass = false;
};
