#pragma once
// The equaliser of one channel: an ordered set of bands that always ends
// with the high-pass and the low-pass filter, with the channel's summed
// response curve in graph pixels.
//
// Layout, fixed by the builders: elements 0 to n - 1 are the EQ bands (band
// i has band number i, the index of its record in the channel block),
// element n the high-pass and element n + 1 the low-pass filter; both
// filters carry the number of the channel's crossover record.
#include <memory>
#include <vector>

#include "model/DataDefine.h"
#include "model/Filter.h"
#include "model/FrequencyTables.h"
#include "model/Geometry.h"
#include "platform/core/Types.h"

class CArchive;

class CKTVEQ {
public:
    CKTVEQ();
    virtual ~CKTVEQ();
    CKTVEQ(const CKTVEQ&) = delete;
    CKTVEQ& operator=(const CKTVEQ&) = delete;

    // Each builder appends count + 1 EQ bands, then the two filters; an
    // owner calls one of them once. A count beyond the builder's frequency
    // table is cut to it.
    // Mic: a low shelf, log-spaced peaking bands, a high shelf.
    void BuildShelvedBands(int count, int filterRecord, int lowPassHz);
    // Music: log-spaced bands 0 to 14, third-octave centres above.
    void BuildBands(int count, int filterRecord, int lowPassHz);
    // Effect: bass, mid and treble.
    void BuildToneBands(int count, int filterRecord, int lowPassHz);
    // Output: third-octave bands; filters set without marking a change.
    void BuildIsoBands(int count, int filterRecord, int highPassDragKind, int highPassHz, int lowPassHz);

    int GetSize() const { return int(m_Bands.size()); }
    // Null for an index outside the set.
    CFilter* GetAt(int index) const;
    CFilter* GetHighPass() const { return GetAt(GetSize() - 2); }
    CFilter* GetLowPass() const { return GetAt(GetSize() - 1); }

    // Summed response of every band into both curves' y.
    void ComputeCurve();
    // The same into the float curve's y only.
    void ComputeCurveFloat();
    // One band's response alone into the integer curve's y.
    void ComputeBandCurve(int index);
    // Lays the integer curve out in rc and hands rc to every band.
    void SetGraphRect(const Rect& rc);

    const Point* GetCurve() const { return m_Curve; }
    // The owning channel lays out the float curve's x.
    PointF* GetCurveFloat() { return m_CurveFloat; }
    const PointF* GetCurveFloat() const { return m_CurveFloat; }
    int GetGraphWidth() const { return m_nGraphWidth; }
    int GetGraphHeight() const { return m_nGraphHeight; }

    // Parameters of band i of src into band i of this set, for every band
    // both sets have.
    void CopyFrom(const CKTVEQ* src);
    // Every band's fields, in band order.
    using Archived = std::vector<CFilter::Archived>;
    // Every band's 48 bytes in order; the count is not written, so the
    // loading set must hold the same bands. Loading takes the bands only
    // when every one of them was read and accepted.
    void Serialize(CArchive& ar);
    // Reads every band as CFilter::ReadArchive does; each band must also
    // keep its band number, the record the builder gave it. False, with the
    // archive's error flag set, when short or refused.
    bool ReadArchive(CArchive& ar, Archived& out) const;
    void ApplyArchive(const Archived& bands);

    // The band's 8-byte device record in the set's buffer, which the next
    // call overwrites; null for an index outside the set.
    const BYTE* GetBandRecord(int index);
    // The same into a buffer the caller owns (8 bytes); false for an index
    // outside the set.
    bool FillBandRecord(int index, BYTE* record) const;
    // Sets band index from an 8-byte record; the 16-bit fields are signed.
    void SetBandRecord(const BYTE* record, int index);

private:
    struct FilterSetup;
    CFilter* AppendBand(int number, int hz);
    void AppendFilters(const FilterSetup& setup, int highPassHz, int lowPassHz, int highPassDragKind,
                       int lowPassDragKind);
    void AppendFilter(const FilterSetup& setup, int kind, int hz, int dragLimitKind);
    void ComputeSum(double* sum) const;

    std::vector<std::unique_ptr<CFilter>> m_Bands;
    Point m_Curve[GRID_POINTS];
    PointF m_CurveFloat[GRID_POINTS];
    int m_nGraphHeight = 0;
    int m_nGraphWidth = 0;
    BYTE m_BandRecord[RECORD_SIZE] = {};
};
