#pragma once
// One equaliser band or crossover filter of a channel: a peaking band, a low
// or high shelf, a high-pass or a low-pass filter.
//
// The band keeps its parameters in the units the user edits, the frequency
// the device was last given (the sent frequency, which follows the user's
// frequency in octave steps), a changed mark for the change scan, its own
// 241-point magnitude response in dB, and the pixel geometry with which the
// response graph draws and drags it. No setter sends anything: the change
// scan finds the mark and sends the band's record.
//
// Values loaded from an image, a file or the device are stored as they come;
// the response math and the geometry guard themselves against values no
// editor produces (see ComputeResponse and the placement steps).
//
// A band has no lock of its own: the UI thread and the change scan reach
// it under g_ParameterSetLock (model/ParameterSetLock.h).
#include <QString>

#include "model/FrequencyTables.h"
#include "model/Geometry.h"
#include "platform/core/Types.h"

class CArchive;
class CBandFader;

enum FilterKind : int {
    FILTER_PEAKING = 0,
    FILTER_LOW_SHELF = 1,
    FILTER_HIGH_SHELF = 2,
    FILTER_HIGH_PASS = 3,
    FILTER_LOW_PASS = 4,
};

enum FilterFamily : int {
    FAMILY_LINKWITZ_RILEY = 0,
    FAMILY_BUTTERWORTH = 1,
    FAMILY_BESSEL = 2,
};

enum : int {
    SLOPE_OFF = 8,                // high-pass and low-pass slope code "OFF"
    FILTER_POLYGON_POINTS = GRID_POINTS + 2,
    FILTER_ARCHIVE_SIZE = 48,     // bytes one band takes in an archive
    // Corner-drag rules of the crossover filters.
    DRAG_LIMIT_NONE = 0,
    DRAG_LIMIT_EFFECT = 8,
    DRAG_LIMIT_KIND9 = 9,
    DRAG_LIMIT_KIND10 = 10,
    DRAG_LIMIT_KIND11 = 11,
    DRAG_LIMIT_OUTPUT = 12,
    // Plot area offsets inside the graph window.
    GRAPH_MARGIN_LEFT = 40,
    GRAPH_MARGIN_TOP = 10,
};

class CFilter {
public:
    CFilter();
    virtual ~CFilter();
    CFilter(const CFilter&) = delete;
    CFilter& operator=(const CFilter&) = delete;

    // ---- Setters (marking ones copy g_bDeviceSynced into the mark) -------
    // Frequency and sent frequency by the follower rule; with bUser the
    // frequency is at least 20 Hz and the band is marked.
    void SetFrequency(int hz, bool bUser);
    void SetGainIndex(int index);
    void SetBandwidthIndex(int index);
    void SetBandwidthIndexFromDrag(int index);
    void SetSlope(int code, bool bMark);
    void SetFamily(int family, bool bMark);
    void SetKind(int kind);
    void SetFlat(bool flat);
    void SetAllBypass(bool on);
    void Reset(int hz);
    void SetGainOnlyCaption(bool on);
    void SetOwner(CBandFader* fader) { m_pOwner = fader; }
    void SetEqBand(bool eqBand) { m_bEqBand = eqBand; }
    void SetSlopeStep(bool slopeStep) { m_bSlopeStep = slopeStep; }
    void SetBandNumber(int number) { m_nBandNumber = number; }
    void SetDragLimitKind(int kind) { m_nDragLimitKind = kind; }
    void SetSentFrequency(int hz) { m_nSentFrequency = hz; }
    // One follower step of the change scan (see Filter.cpp).
    void AdvanceSentFrequency(bool changed);
    // Parameters of src; the sent frequency becomes src's frequency. Marks
    // nothing; band number, flags, owner and geometry stay.
    void CopyFrom(const CFilter* src);
    // Sets the band from the fields of its 8-byte device record: the gain
    // index, bandwidth index, slope code and kind as their setters do, the
    // frequency as a load (not a user change), then one follower step that
    // leaves the mark clear. Lays out and recomputes once.
    void ApplyRecord(int gainIndex, int bandwidthIndex, int slope, int kind, int hz);

    // Setters no page uses, kept for the band-type editors.
    void SetGain(double dB);
    void SetBandwidth(double octaves);
    void SetBandTypeCode(int code);
    void SetLowShelf(int shelfSlope);
    void SetHighShelf(int shelfSlope);

    // ---- Getters ------------------------------------------------------------
    int GetKind() const { return m_nKind; }
    BYTE GetBandKind() const { return BYTE(m_nKind); }
    int GetFrequency() const { return m_nFrequency; }
    int GetFreq() const { return m_nFrequency; }
    int GetSentFrequency() const { return m_nSentFrequency; }
    int GetFamily() const { return m_nFamily; }
    BYTE GetFamilyByte() const { return BYTE(m_nFamily); }
    int GetSlope() const { return m_nSlope; }
    BYTE GetSlopeIndex() const { return BYTE(m_nSlope); }
    int GetBandNumber() const { return m_nBandNumber; }
    BYTE GetBandNumberByte() const { return BYTE(m_nBandNumber); }
    int GetGainIndex() const;
    int GetBandwidthIndex() const;
    double GetQ() const;
    bool IsBypassedOrFlat() const { return m_bBypass || m_bFlat; }
    bool IsBypassed() const { return m_bBypass; }
    bool IsFlat() const { return m_bFlat; }
    bool IsChanged() const { return m_bChanged; }
    bool GetGainOnlyCaption() const { return m_bGainOnlyCaption; }
    double GetGain() const { return m_dGain; }
    double GetBandwidth() const { return m_dBandwidth; }
    bool IsEqBand() const { return m_bEqBand; }
    bool IsSlopeStep() const { return m_bSlopeStep; }
    int GetDragLimitKind() const { return m_nDragLimitKind; }
    // 0 peaking, 1 + slope low shelf, 3 + slope high shelf, -1 other kinds.
    int GetBandTypeCode() const;
    CBandFader* GetOwner() const { return m_pOwner; }

    // ---- Texts (the family and kind texts follow g_bChinese) --------------
    QString FormatFrequency() const;
    QString FormatGain() const;
    QString FormatBandwidth() const;
    QString FormatQ() const;
    QString FormatFamily() const;
    QString FormatShelfSlope() const;
    QString FormatSlope() const;
    QString FormatKind() const;
    // Builds the caption drawn beside the band, stores and returns it.
    QString BuildCaption();
    const QString& GetCaption() const { return m_strCaption; }

    // The ten archived fields of a band, read whole before anything changes.
    struct Archived {
        int kind = FILTER_PEAKING;
        int frequency = 0;
        int sentFrequency = 0;
        double gain = 0.0;
        bool bypass = false;
        bool flat = false;
        double bandwidth = 0.0;
        int family = 0;
        int slope = 0;
        int number = 0;
    };
    // Ten fields, 48 bytes. Loading reads and checks them all (ReadArchive)
    // before taking them; a short or refused archive leaves the band as it
    // was, with the archive's error flag set.
    void Serialize(CArchive& ar);
    // Reads one band's fields and checks each against what this band can
    // hold: a kind of the five (a crossover filter only its own), a family
    // and a slope code the response tables know, 0 or 1 for the flags, a
    // band number that fits a byte, and values that fit the band's device
    // record. False, with the archive's error flag set, when the archive is
    // short or a value is refused.
    bool ReadArchive(CArchive& ar, Archived& out) const;
    // Takes fields ReadArchive accepted, lays the band out and recomputes;
    // never marks the band.
    void ApplyArchive(const Archived& fields);

    // ---- Response --------------------------------------------------------------
    // Fills the 241 response values and the curve polygon's y.
    void ComputeResponse();
    const double* GetResponse() const { return m_dResponse; }

    // ---- Graph geometry and drags ---------------------------------------------
    void SetGraphSize(const Rect& rc);
    void PlaceBandHandle();
    void PlaceFilterHandle();
    void PlaceBandwidthMarkers();
    void SetGrabOffset(Point pt);
    void SetMarkerGrabOffset(Point pt);
    bool DragBandPoint(Point pt);
    bool DragBandwidth(Point pt);
    bool DragFilterCorner(Point pt, int oppositeHz);
    bool DragFilterCornerKind9(Point pt, int oppositeHz);
    bool DragFilterCornerKind10(Point pt, int oppositeHz);
    bool DragFilterCornerKind11(Point pt, int oppositeHz);

    int GetGraphWidth() const { return m_nGraphWidth; }
    int GetGraphHeight() const { return m_nGraphHeight; }
    const Rect& GetHandleRect() const { return m_rcHandle; }
    const Rect& GetLeftMarkerRect() const { return m_rcLeftMarker; }
    const Rect& GetRightMarkerRect() const { return m_rcRightMarker; }
    const Rect& GetCaptionRect() const { return m_rcCaption; }
    const Point* GetPolygon() const { return m_Polygon; }
    Point GetGrabOffset() const { return m_ptGrabOffset; }
    int GetLeftMarkerGrabOffset() const { return m_nLeftMarkerGrabOffset; }
    int GetRightMarkerGrabOffset() const { return m_nRightMarkerGrabOffset; }

    // Mouse state that the response graph keeps in the band.
    bool m_bHandleHit = false;
    bool m_bLeftMarkerHit = false;
    bool m_bRightMarkerHit = false;
    bool m_bHandleDrag = false;
    bool m_bLeftMarkerDrag = false;
    bool m_bRightMarkerDrag = false;

private:
    void Layout();
    void Mark();
    // Gain, flat and bypass flags of a gain index, and the handle.
    void StoreGainIndex(int index);
    void FlattenResponse();
    void UpdatePolygonY();
    // Each adds its sections to a response that ComputeResponse zeroed.
    void PeakingResponse();
    void ShelfResponse();
    void HighPassResponse();
    void LowPassResponse();
    void ApplyShelfFrequencyRule();
    // A shelf of slope 0 or 1 of the given kind; any other slope changes
    // nothing but the drawing and the mark.
    void SetShelf(int kind, int shelfSlope);
    // The corner-drag rules: 0 the general one, or the drag-limit kind 9,
    // 10 or 11.
    bool DragCorner(Point pt, int oppositeHz, int rule);

    double m_dResponse[GRID_POINTS] = {};
    Point m_ptGrabOffset;
    int m_nLeftMarkerGrabOffset = 0;
    int m_nRightMarkerGrabOffset = 0;
    // Where the current handle drag started, and the frequency then: a
    // pointer that has not moved sideways keeps the frequency.
    int m_nDragStartX = 0;
    int m_nDragStartFrequency = 0;
    bool m_bDragStartValid = false;
    Rect m_rcHandle;
    Rect m_rcLeftMarker;
    Rect m_rcRightMarker;
    CBandFader* m_pOwner = nullptr;
    int m_nKind = FILTER_PEAKING;
    int m_nFrequency = 1000;
    int m_nSentFrequency = 20;
    int m_nDragLimitKind = DRAG_LIMIT_NONE;
    double m_dGain = 0.0;
    bool m_bFlat = true;
    bool m_bBypass = false;
    bool m_bSavedBypass = false;
    double m_dBandwidth = 0.65;
    int m_nFamily = FAMILY_LINKWITZ_RILEY;
    int m_nSlope = 2;
    int m_nBandNumber = 0;
    int m_nGraphWidth = 0;
    int m_nGraphHeight = 0;
    bool m_bEqBand = true;
    bool m_bChanged = false;
    bool m_bSlopeStep = false;
    bool m_bGainOnlyCaption = false;
    Point m_Polygon[FILTER_POLYGON_POINTS];
    Rect m_rcCaption;
    QString m_strCaption;
};
