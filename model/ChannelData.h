#pragma once
// What every channel object of the parameter set has in common: its band
// set (EQ bands, then the high-pass and the low-pass filter), its summed
// response curve laid out in the response graph, its colours, and the
// record helpers that the mic, music, output and effect blocks share.
//
// Threads: channel values are written only on the UI thread, always under
// g_ParameterSetLock; the I/O worker's change scan reads them and advances
// the bands' sent frequencies under the same lock. Whoever changes a band
// through GetBand() holds the lock for that change.
#include <atomic>
#include <memory>

#include "model/FrequencyTables.h"
#include "model/Geometry.h"
#include "model/KTVEQ.h"
#include "model/ParameterSetLock.h"
#include "model/SendData.h"
#include "platform/core/Types.h"

class CFilter;

enum : int {
    // Longest channel name an archive may hold (longer ones are refused).
    CHANNEL_NAME_ARCHIVE_MAX = 255,
};

class CChannelData {
public:
    CChannelData() = default;
    virtual ~CChannelData();
    CChannelData(const CChannelData&) = delete;
    CChannelData& operator=(const CChannelData&) = delete;

    CKTVEQ* GetEQ() { return &m_EQ; }
    const CKTVEQ* GetEQ() const { return &m_EQ; }
    // Element i of the band set; null outside it.
    CFilter* GetBand(int i) const { return m_EQ.GetAt(i); }
    // The last two elements; null before the band set is built.
    CFilter* GetHighPass() const;
    CFilter* GetLowPass() const;

    unsigned GetColor() const { return m_clrColor; }
    void SetColor(unsigned rgb) { m_clrColor = rgb; }
    unsigned GetCurveColor() const { return m_clrCurve; }
    void SetCurveColor(unsigned argb) { m_clrCurve = argb; }
    bool GetEnabled() const { return m_bEnabled; }
    void SetEnabled(bool enabled) { m_bEnabled = enabled; }

    // The summed curve in graph pixels, one point per grid frequency.
    const Point* GetCurve() const { return m_Curve; }
    const PointF* GetCurveFloat() const { return m_CurveFloat; }
    int GetGraphWidth() const { return m_nGraphWidth; }
    int GetGraphHeight() const { return m_nGraphHeight; }
    // y of the 0 dB line plus the graph's top margin.
    int GetZeroDbY() const { return m_nZeroDbY; }
    void UpdateZeroDbY();

    // A marked crossover filter moves its sent frequency one step; true
    // when either filter was marked (the change scan then sends the
    // crossover record).
    bool IsCrossoverChanged();

protected:
    // Where the channel's block starts in an image, and the block type and
    // channel its frames carry.
    virtual int BlockOffset() const = 0;
    virtual int BlockType() const = 0;
    virtual int FrameChannel() const = 0;
    // Record n of the channel's block in g_CurrentImage.
    BYTE* Record(int record) const;
    // With bSend, the frame of record n as g_CurrentImage holds it.
    std::unique_ptr<CSendData> RecordFrame(int record, bool bSend) const;
    // A setter's mark: the flag takes the value of g_bDeviceSynced.
    static void Mark(std::atomic<bool>& flag);
    // A setter: stores the value and marks its record, under the lock.
    template <class T, class V>
    static void SetMarked(T& member, V value, std::atomic<bool>& flag)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        member = T(value);
        Mark(flag);
    }
    // The same, doing nothing at all when the value is the stored one.
    template <class T, class V>
    static void SetMarkedIfChanged(T& member, V value, std::atomic<bool>& flag)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if (member != T(value))
            SetMarked(member, value, flag);
    }
    // A change flag set or cleared explicitly, under the lock.
    static void SetFlag(std::atomic<bool>& flag, bool value);

    // Lays both curves out in rc (x on the frequency axis, integer y on the
    // middle line) and hands rc to the band set.
    void LayoutCurve(const Rect& rc);
    // Sums the band set and takes its float y, and with integerToo its
    // integer y as well.
    void TakeSummedCurve(bool integerToo);

    // EQ bands 0 to count - 1 from (into) records 0 to count - 1 of a block.
    void LoadBands(const BYTE* block, int count);
    void StoreBands(BYTE* block, int count) const;
    // EQ band `band` of 0 to count - 1 into its record of the live image,
    // and the frame of record `record`; null for a band outside.
    std::unique_ptr<CSendData> StoreBandFrame(int band, int record, int count);
    // The crossover record: high-pass sent frequency (16-bit), family,
    // slope, then the same of the low-pass. Loading takes the frequencies
    // as target and sent frequency alike and leaves both filters unmarked;
    // with bUser the values are set as the user's change and both filters
    // are marked.
    void LoadCrossover(const BYTE* record, bool bUser);
    void StoreCrossover(BYTE* record) const;
    // One follower step on every element, the crossover filters included.
    void AdvanceAllFilters(bool changed);
    // The all-bypass switch on (the state of) elements 0 to count - 1.
    void SetBandsBypass(int count, bool on);
    // Every one of elements 0 to count - 1 is bypassed or flat.
    bool BandsBypassedOrFlat(int count) const;
    // Graphic-EQ mode: bands 0 to count - 1 show and drag only the gain.
    void SetBandsGainOnly(int count, bool on);

    CKTVEQ m_EQ;
    unsigned m_clrColor = 0;
    unsigned m_clrCurve = 0;
    bool m_bEnabled = true;

private:
    Point m_Curve[GRID_POINTS];
    PointF m_CurveFloat[GRID_POINTS];
    int m_nZeroDbY = 0;
    int m_nGraphHeight = 0;
    int m_nGraphWidth = 0;
};
