#include "model/Filter.h"

#include <algorithm>
#include <cmath>

#include "model/BandFader.h"
#include "model/DataDefine.h"
#include "model/LinkState.h"
#include "model/Units.h"
#include "platform/core/Archive.h"
#include "platform/core/Language.h"

namespace {
// ---- Response constants: the device's values, kept exactly ----------------
constexpr double kSampleRate = 96000;
constexpr double kTwoPi = 6.2831852;
constexpr double kDesignAnglePerHz = 6.544985e-05;  // two pi / 96000, rounded
constexpr double kHalfLn2 = 0.34657359;
constexpr double kZeroGuard = 1e-10;

constexpr int kSlopeStates = 8;
constexpr int kFamilies = 3;
constexpr int kMaxSections = 4;

// Terms c1..c4 (1 / 2Q of each section) per family and slope state.
const double kHighPassTerms[kFamilies][kSlopeStates][kMaxSections] = {
    {   // Linkwitz-Riley
        {1.0},
        {1.0},
        {1.0, 0.70422535211},
        {0.70422535211, 0.70422535211},
        {1.0, 0.62, 0.62},
        {1.0, 0.5, 0.5},
        {1.0, 0.453134315, 0.92592592593, 0.453134315},
        {0.92592592593, 0.373134315, 0.92592592593, 0.373134315},
    },
    {   // Butterworth
        {0.70422535},
        {0.70422535},
        {1.0, 0.5},
        {0.92592593, 0.38167939},
        {1.0, 0.8064616129, 0.3086417953},
        {0.96153846, 0.70422535211, 0.2590673575},
        {1.0, 0.90909090909, 0.625, 0.2222222222},
        {0.98039126, 0.83333333, 0.55555556, 0.1953125},
    },
    {   // Bessel
        {0.70422535},
        {0.70422535},
        {0.756, 0.72463768},
        {0.96153846, 0.61728395},
        {0.6656, 0.8928571428, 0.54347826},
        {0.980392156, 0.819672131, 0.490196},
        {0.5937, 0.943396226415, 0.757575757576, 0.4424778761},
        {0.98039216, 0.89285714, 0.70422535, 0.40650406},
    },
};

// Corner divisor of the Bessel high-pass per slope state.
const double kBesselHighPassDivisor[kSlopeStates] = {
    1.2683112435, 1.2683112435, 1.2854981442, 1.5006420029,
    1.3854981442, 1.5554981442, 1.5554981442, 1.679120141,
};

// The low-pass reads the high-pass terms except here.
constexpr double kLowPassFirstOrderTerm = 1.0;
constexpr double kLowPassButterworth48Term = 0.98039216;

// Bessel low-pass: pairs (L, M) of 1 / (M p^2 + L p + 1) and the divisor.
struct BesselRow {
    double pairs[kMaxSections][2];
    double divisor;
};
const BesselRow kBesselLowPass[kSlopeStates] = {
    {{}, 1.0},  // state 0 uses the first-order section
    {{{1.0, 0.3333333333}}, 1.3616541287},
    {{{0.5693712514, 0.154812441}, {0.430628846, 0.0}}, 1.75567236868},
    {{{0.369, 0.087858766}, {0.6278294896, 0.109408}}, 2.1139176749},
    {{{0.6656, 0.0}, {1.1402, 0.4128}, {0.6216, 0.3245}}, 1.0},
    {{{1.2217, 0.3887}, {0.9686, 0.3505}, {0.5131, 0.2756}}, 1.0},
    {{{0.5937, 0.0}, {1.0944, 0.3395}, {0.8304, 0.3011}, {0.4332, 0.2381}}, 1.0},
    {{{0.117235677, 0.02064747}, {0.226516664, 0.0259273886}, {0.3067559, 0.0294683265},
      {0.3494916166, 0.031272257}},
     3.17961723751},
};

// Shelf frequency factor and slope parameter S per kind and slope code.
struct ShelfShape {
    double factor;
    double s;
};
const ShelfShape kLowShelf[2] = {{2.0, 0.5}, {1.2727272727, 1.3}};
const ShelfShape kHighShelf[2] = {{0.4545454546, 0.5}, {0.76923076923, 1.3}};

// Shelves may not cross this frequency (low shelves stay below, high above).
constexpr int kShelfLimitHz = 2000;

bool IsPastShelfLimit(int kind, int hz)
{
    return (kind == FILTER_LOW_SHELF && hz > kShelfLimitHz) || (kind == FILTER_HIGH_SHELF && hz < kShelfLimitHz);
}

double GainOfIndex(int index)
{
    return index * 0.1 - 20;
}

double BandwidthOfIndex(int index)
{
    return 0.05 + 0.01 * index;
}

// ---- Evaluation on the unit circle ------------------------------------------
// cos and sin of every grid point's angle, computed once: the same values
// a fresh evaluation gives.
struct GridTrig {
    double c[GRID_POINTS];
    double s[GRID_POINTS];
};

const GridTrig& Trig()
{
    static const GridTrig trig = [] {
        GridTrig t{};
        for (int i = 0; i < GRID_POINTS; ++i) {
            const double w = kTwoPi * g_FrequencyGrid[i] / kSampleRate;
            t.c[i] = std::cos(w);
            t.s[i] = std::sin(w);
        }
        return t;
    }();
    return trig;
}

struct Section {
    double b0, b1, b2, a0, a1, a2;
};

// Adds the section's magnitude in dB at every grid point to out.
void AddSection(const Section& sec, double* out)
{
    const double a0 = sec.a0 == 0.0 ? kZeroGuard : sec.a0;
    const double b0 = sec.b0 / a0, b1 = sec.b1 / a0, b2 = sec.b2 / a0;
    const double a1 = sec.a1 / a0, a2 = sec.a2 / a0;
    const GridTrig& t = Trig();
    for (int i = 0; i < GRID_POINTS; ++i) {
        const double c = t.c[i], s = t.s[i];
        const double reN = b0 * c + b1 + b2 * c;
        const double imN = b0 * s - b2 * s;
        const double reD = c + a1 + a2 * c;
        const double imD = s - a2 * s;
        out[i] += 20 * Log10Double(std::sqrt((reN * reN + imN * imN) / (reD * reD + imD * imD)));
    }
}

// The frequency the math and the geometry use: 1 Hz for 0 or less.
double MathHz(int hz)
{
    return hz > 0 ? double(hz) : 1.0;
}

bool IsCrossover(int kind)
{
    return kind == FILTER_HIGH_PASS || kind == FILTER_LOW_PASS;
}

// Kinds outside these keep whatever response they had.
bool HasOwnResponse(int kind)
{
    return kind >= FILTER_PEAKING && kind <= FILTER_LOW_PASS;
}

bool IsShelf(int kind)
{
    return kind == FILTER_LOW_SHELF || kind == FILTER_HIGH_SHELF;
}

// Whether a gain or a bandwidth, which travel to the device as record
// indexes (index computed as the getters do), fits its record word.
bool IndexFitsRecordWord(double value, double index)
{
    if (!std::isfinite(value))
        return false;
    const double word = std::floor(index);
    return std::fabs(word) < 1e9 && FitsRecordWord(static_cast<long long>(word));
}

QString GainText(bool bypassedOrFlat, double gain)
{
    return bypassedOrFlat ? QStringLiteral("0.0") : QString::asprintf("%.1f", gain);
}

QString QText(double q)
{
    return QString::asprintf(q > 10 ? "%0.2f" : "%0.3f", q);
}
}  // namespace

CFilter::CFilter() = default;

CFilter::~CFilter() = default;

// ---- Setters --------------------------------------------------------------------

void CFilter::Mark()
{
    m_bChanged = g_bDeviceSynced.load();
}

void CFilter::Layout()
{
    if (m_bEqBand)
        PlaceBandHandle();
    else
        PlaceFilterHandle();
}

void CFilter::SetFrequency(int hz, bool bUser)
{
    // Nothing the user does takes a band below the graph's lowest point;
    // lower values come only from a file or the device.
    if (bUser && hz < 20)
        hz = 20;
    const bool synced = g_bDeviceSynced.load();
    if (!bUser) {
        m_nFrequency = m_nSentFrequency = hz;
    } else if (m_bEqBand) {
        // Within an octave the device gets the new value at once; a larger
        // move is left to the change scan, one octave per frame.
        if (synced)
            m_nFrequency = hz;
        else
            m_nFrequency = m_nSentFrequency = hz;
        if (m_nSentFrequency == 0)
            m_nSentFrequency = 20;
        if (m_nFrequency >= m_nSentFrequency) {
            if (m_nFrequency / m_nSentFrequency < 2)
                m_nSentFrequency = m_nFrequency;
        } else if (double(m_nFrequency) / m_nSentFrequency >= 0.5) {
            m_nSentFrequency = m_nFrequency;
        }
    } else {
        m_nFrequency = hz;
        if (m_pOwner != nullptr)
            m_pOwner->SetFrequency(hz);
        if (m_nSentFrequency == 0)
            m_nSentFrequency = 20;
        if (m_nFrequency >= m_nSentFrequency && m_nFrequency / m_nSentFrequency < 2)
            m_nSentFrequency = m_nFrequency;
        if (!synced)
            m_nSentFrequency = m_nFrequency;
    }
    Layout();
    ComputeResponse();
    if (bUser)
        Mark();
}

void CFilter::AdvanceSentFrequency(bool changed)
{
    if (m_nFrequency == m_nSentFrequency) {
        m_bChanged = changed;
        return;
    }
    if (m_nFrequency <= 0) {
        // Only a file or the device holds such a value: no octave walk
        // toward it (halving would reach 0 and divide by it).
        m_nSentFrequency = m_nFrequency;
        m_bChanged = true;
        return;
    }
    if (m_nSentFrequency <= 0)
        m_nSentFrequency = 20;
    if (m_nFrequency / m_nSentFrequency >= 2)
        m_nSentFrequency *= 2;
    else if (double(m_nFrequency) / m_nSentFrequency <= 0.5)
        m_nSentFrequency /= 2;
    else
        m_nSentFrequency = m_nFrequency;
    m_bChanged = true;
}

void CFilter::StoreGainIndex(int index)
{
    m_dGain = GainOfIndex(index);
    m_bFlat = (m_dGain == 0.0);
    if (m_dGain != 0.0)
        m_bBypass = false;
    if (m_bEqBand)
        PlaceBandHandle();
}

void CFilter::SetGainIndex(int index)
{
    StoreGainIndex(index);
    ComputeResponse();
    Mark();
}

void CFilter::SetBandwidthIndex(int index)
{
    m_dBandwidth = BandwidthOfIndex(index);
    if (m_bEqBand)
        PlaceBandwidthMarkers();
    ComputeResponse();
    Mark();
}

void CFilter::SetBandwidthIndexFromDrag(int index)
{
    SetBandwidthIndex(index);
}

void CFilter::SetSlope(int code, bool bMark)
{
    m_nSlope = code;
    ComputeResponse();
    if (bMark)
        Mark();
}

void CFilter::SetFamily(int family, bool bMark)
{
    m_nFamily = family;
    ComputeResponse();
    if (bMark)
        Mark();
}

void CFilter::SetKind(int kind)
{
    m_nKind = kind;
    if (kind == FILTER_LOW_PASS)
        m_nSentFrequency = 20000;
    ComputeResponse();
    Mark();
}

void CFilter::SetFlat(bool flat)
{
    if (m_bBypass) {
        m_bBypass = false;
        if (m_dGain == 0.0)
            return;
    } else if (m_bFlat == flat || m_dGain == 0.0) {
        return;
    }
    m_bFlat = flat;
    if (!flat)
        m_bBypass = false;
    Layout();
    ComputeResponse();
    Mark();
}

void CFilter::SetAllBypass(bool on)
{
    if (on) {
        m_bSavedBypass = m_bBypass;
        m_bBypass = true;
    } else {
        m_bBypass = m_bSavedBypass;
    }
    if (!m_bFlat) {
        Layout();
        ComputeResponse();
    }
}

void CFilter::Reset(int hz)
{
    m_nFrequency = m_nSentFrequency = hz;
    m_dBandwidth = 0.65;
    m_dGain = 0.0;
    m_bFlat = true;
    PlaceBandHandle();
    ComputeResponse();
}

void CFilter::SetGainOnlyCaption(bool on)
{
    m_bGainOnlyCaption = on;
    PlaceBandHandle();
}

void CFilter::CopyFrom(const CFilter* src)
{
    if (src == nullptr || src == this)
        return;
    m_nKind = src->m_nKind;
    m_nFrequency = src->m_nFrequency;
    m_nSentFrequency = src->m_nFrequency;
    m_dGain = src->m_dGain;
    m_bFlat = src->m_bFlat;
    m_bBypass = src->m_bBypass;
    m_dBandwidth = src->m_dBandwidth;
    m_nFamily = src->m_nFamily;
    m_nSlope = src->m_nSlope;
    Layout();
    ComputeResponse();
}

void CFilter::ApplyRecord(int gainIndex, int bandwidthIndex, int slope, int kind, int hz)
{
    // The effects of SetGainIndex, SetBandwidthIndex, SetSlope, SetKind,
    // SetFrequency(hz, false) and AdvanceSentFrequency(false) in that order,
    // with one response computation instead of five. What the intermediate
    // steps leave behind is kept: an EQ band's caption placed before the
    // kind changes, and the response a kind without one of its own inherits.
    StoreGainIndex(gainIndex);
    m_dBandwidth = BandwidthOfIndex(bandwidthIndex);
    m_nSlope = slope;
    if (!HasOwnResponse(kind))
        ComputeResponse();
    m_nKind = kind;
    m_nFrequency = m_nSentFrequency = hz;
    m_bChanged = false;
    Layout();
    ComputeResponse();
}

void CFilter::ApplyShelfFrequencyRule()
{
    if (IsPastShelfLimit(m_nKind, m_nFrequency))
        m_nFrequency = kShelfLimitHz;
}

void CFilter::SetGain(double dB)
{
    m_dGain = dB;
    if (m_bEqBand)
        PlaceBandHandle();
    ComputeResponse();
    Mark();
}

void CFilter::SetBandwidth(double octaves)
{
    m_dBandwidth = octaves;
    if (m_bEqBand)
        PlaceBandwidthMarkers();
    ComputeResponse();
    Mark();
}

void CFilter::SetBandTypeCode(int code)
{
    if (code == 1 || code == 2) {
        SetLowShelf(code - 1);
        return;
    }
    if (code == 3 || code == 4) {
        SetHighShelf(code - 3);
        return;
    }
    if (code == 0)
        m_nKind = FILTER_PEAKING;
    PlaceBandHandle();
    ComputeResponse();
    Mark();
}

void CFilter::SetLowShelf(int shelfSlope)
{
    SetShelf(FILTER_LOW_SHELF, shelfSlope);
}

void CFilter::SetHighShelf(int shelfSlope)
{
    SetShelf(FILTER_HIGH_SHELF, shelfSlope);
}

void CFilter::SetShelf(int kind, int shelfSlope)
{
    if (shelfSlope == 0 || shelfSlope == 1) {
        m_nKind = kind;
        m_nSlope = shelfSlope;
        ApplyShelfFrequencyRule();
    }
    PlaceBandHandle();
    ComputeResponse();
    Mark();
}

// ---- Getters ------------------------------------------------------------------

int CFilter::GetGainIndex() const
{
    if (m_bBypass || m_bFlat)
        return GAIN_INDEX_FLAT;
    // Rounded down rather than truncated, which differs only below zero: a
    // negative index read from a record then comes back as it was.
    return FloorToInt((m_dGain + 20) * 100 / 10 + 0.5);
}

int CFilter::GetBandwidthIndex() const
{
    return FloorToInt((m_dBandwidth - 0.05) / 0.01 + 0.05);
}

double CFilter::GetQ() const
{
    return BandwidthIndexToQ(GetBandwidthIndex());
}

int CFilter::GetBandTypeCode() const
{
    switch (m_nKind) {
    case FILTER_PEAKING: return 0;
    case FILTER_LOW_SHELF: return 1 + m_nSlope;
    case FILTER_HIGH_SHELF: return 3 + m_nSlope;
    default: return -1;
    }
}

// ---- Texts ----------------------------------------------------------------------

QString CFilter::FormatFrequency() const
{
    return QString::asprintf("%dHz", m_nFrequency);
}

QString CFilter::FormatGain() const
{
    return IsBypassedOrFlat() ? QStringLiteral("0.0dB") : QString::asprintf("%0.1fdB", m_dGain);
}

QString CFilter::FormatBandwidth() const
{
    return QString::asprintf("%0.2fOct", m_dBandwidth);
}

QString CFilter::FormatQ() const
{
    return QText(GetQ());
}

QString CFilter::FormatFamily() const
{
    const bool chinese = g_bChinese.load();
    switch (m_nFamily) {
    case FAMILY_LINKWITZ_RILEY: return chinese ? QStringLiteral("宁克") : QStringLiteral("Link_Ril");
    case FAMILY_BUTTERWORTH: return chinese ? QStringLiteral("巴特沃斯") : QStringLiteral("Butter_W");
    case FAMILY_BESSEL: return chinese ? QStringLiteral("贝塞尔") : QStringLiteral("Bessel");
    default: return QString();
    }
}

QString CFilter::FormatShelfSlope() const
{
    switch (m_nSlope) {
    case 0: return QStringLiteral("6dB/Oct");
    case 1: return QStringLiteral("12dB/Oct");
    default: return QString();
    }
}

QString CFilter::FormatSlope() const
{
    if (m_bSlopeStep) {
        switch (m_nSlope) {
        case 1: return QStringLiteral("12dB/Oct");
        case 2: return QStringLiteral("24dB/Oct");
        default: return QString();
        }
    }
    if (m_nSlope >= 0 && m_nSlope <= 7)
        return QString::asprintf("%ddB/Oct", (m_nSlope + 1) * 6);
    if (m_nSlope == SLOPE_OFF)
        return QStringLiteral("OFF");
    return QString();
}

QString CFilter::FormatKind() const
{
    const bool chinese = g_bChinese.load();
    switch (m_nKind) {
    case FILTER_PEAKING: return chinese ? QStringLiteral("参量均衡") : QStringLiteral("PEQ");
    case FILTER_LOW_SHELF: return chinese ? QStringLiteral("低架") : QStringLiteral("Lo_Shf");
    case FILTER_HIGH_SHELF: return chinese ? QStringLiteral("高架") : QStringLiteral("Hi_Shf");
    default: return QString();
    }
}

QString CFilter::BuildCaption()
{
    const QString gain = GainText(IsBypassedOrFlat(), m_dGain) + QStringLiteral("dB");
    const QString freq = QString::number(m_nFrequency);
    switch (m_nKind) {
    case FILTER_PEAKING:
        if (m_bGainOnlyCaption)
            m_strCaption = gain;
        else
            m_strCaption = freq + QStringLiteral("Hz ") + QText(GetQ()) + QStringLiteral("Q ") + gain;
        break;
    case FILTER_LOW_SHELF:
    case FILTER_HIGH_SHELF:
        m_strCaption = (m_nKind == FILTER_LOW_SHELF ? QStringLiteral("Lo ") : QStringLiteral("Hi "))
            + freq + QStringLiteral("Hz ") + FormatShelfSlope() + QStringLiteral(" ") + gain;
        break;
    case FILTER_HIGH_PASS:
    case FILTER_LOW_PASS:
        if (m_nSlope == SLOPE_OFF)
            m_strCaption = g_bChinese.load() ? QStringLiteral("关闭") : QStringLiteral("OFF");
        else
            m_strCaption = freq + QStringLiteral("Hz ");
        break;
    default:
        m_strCaption.clear();
        break;
    }
    return m_strCaption;
}

// ---- Archive ------------------------------------------------------------------------

void CFilter::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(m_nKind) << std::int32_t(m_nFrequency) << std::int32_t(m_nSentFrequency)
           << m_dGain << std::int32_t(m_bBypass ? 1 : 0) << std::int32_t(m_bFlat ? 1 : 0) << m_dBandwidth
           << std::int32_t(m_nFamily) << std::int32_t(m_nSlope) << std::int32_t(m_nBandNumber);
        return;
    }
    Archived fields;
    if (ReadArchive(ar, fields))
        ApplyArchive(fields);
}

bool CFilter::ReadArchive(CArchive& ar, Archived& out) const
{
    std::int32_t kind = 0, frequency = 0, sent = 0, bypass = 0, flat = 0, family = 0, slope = 0, number = 0;
    double gain = 0, bandwidth = 0;
    ar >> kind >> frequency >> sent >> gain >> bypass >> flat >> bandwidth >> family >> slope >> number;
    if (ar.HasError())
        return false;
    const bool kindFits = HasOwnResponse(kind) && (m_bEqBand || kind == m_nKind);
    const bool valid = kindFits && FitsRecordWord(frequency) && FitsRecordWord(sent)
        && IndexFitsRecordWord(gain, (gain + 20) * 10 + 0.5 + GAIN_CODE_OFFSET)
        && IndexFitsRecordWord(bandwidth, (bandwidth - 0.05) / 0.01 + 0.05) && (bypass == 0 || bypass == 1) && (flat == 0 || flat == 1) && family >= FAMILY_LINKWITZ_RILEY
        && family <= FAMILY_BESSEL && slope >= 0 && slope <= SLOPE_OFF && FitsRecordByte(number);
    if (!valid) {
        ar.SetError();
        return false;
    }
    out.kind = kind;
    out.frequency = frequency;
    out.sentFrequency = sent;
    out.gain = gain;
    out.bypass = bypass != 0;
    out.flat = flat != 0;
    out.bandwidth = bandwidth;
    out.family = family;
    out.slope = slope;
    out.number = number;
    return true;
}

void CFilter::ApplyArchive(const Archived& fields)
{
    m_nKind = fields.kind;
    m_nFrequency = fields.frequency;
    m_nSentFrequency = fields.sentFrequency;
    m_dGain = fields.gain;
    m_bBypass = fields.bypass;
    m_bFlat = fields.flat;
    m_dBandwidth = fields.bandwidth;
    m_nFamily = fields.family;
    m_nSlope = fields.slope;
    m_nBandNumber = fields.number;
    Layout();
    ComputeResponse();
}

// ---- Response ----------------------------------------------------------------------

void CFilter::ComputeResponse()
{
    // A kind without a response of its own keeps the values it has; the
    // others start flat and add their sections.
    if (HasOwnResponse(m_nKind))
        std::fill(m_dResponse, m_dResponse + GRID_POINTS, 0.0);
    switch (m_nKind) {
    case FILTER_PEAKING:
        if (!IsBypassedOrFlat())
            PeakingResponse();
        break;
    case FILTER_LOW_SHELF:
    case FILTER_HIGH_SHELF:
        if (!IsBypassedOrFlat())
            ShelfResponse();
        break;
    case FILTER_HIGH_PASS:
        if (m_nFrequency != 20 && m_nSlope != SLOPE_OFF)
            HighPassResponse();
        break;
    case FILTER_LOW_PASS:
        if (m_nFrequency != 20000 && m_nSlope != SLOPE_OFF)
            LowPassResponse();
        break;
    default:
        break;
    }
    // Parameters no editor produces (a file's or the device's) can overflow
    // the math; such points are drawn flat rather than carried on as NaN.
    for (double& v : m_dResponse) {
        if (!std::isfinite(v))
            v = 0.0;
    }
    UpdatePolygonY();
}

void CFilter::FlattenResponse()
{
    std::fill(m_dResponse, m_dResponse + GRID_POINTS, 0.0);
    UpdatePolygonY();
}

void CFilter::UpdatePolygonY()
{
    for (int i = 0; i < GRID_POINTS; ++i)
        m_Polygon[i + 1].y = GainToY(m_dResponse[i], m_nGraphHeight) + GRAPH_MARGIN_TOP;
}

void CFilter::PeakingResponse()
{
    // The centre sits on the grid point nearest the band's frequency.
    const double f0 = g_FrequencyGrid[FrequencyToGridIndex(MathHz(m_nFrequency))];
    const double a = std::pow(10.0, m_dGain / 40);
    const double w0 = kDesignAnglePerHz * f0;
    const double alpha = std::sin(w0) * std::sinh(kHalfLn2 * m_dBandwidth * w0 / std::sin(w0));
    const double cosW0 = std::cos(w0);
    AddSection({1 + alpha * a, -2 * cosW0, 1 - alpha * a, 1 + alpha / a, -2 * cosW0, 1 - alpha / a},
               m_dResponse);
}

void CFilter::ShelfResponse()
{
    if (m_nSlope != 0 && m_nSlope != 1)
        return;  // no shelf of that slope: flat
    if (m_dGain == 0.0)
        return;  // pass-through
    const bool low = m_nKind == FILTER_LOW_SHELF;
    const ShelfShape& shape = low ? kLowShelf[m_nSlope] : kHighShelf[m_nSlope];
    const double w0 = kDesignAnglePerHz * MathHz(m_nFrequency) * shape.factor;
    const double a = std::pow(10.0, m_dGain / 40);
    const double alpha = (std::sin(w0) / 2) * std::sqrt((a + 1 / a) * (1 / shape.s - 1) + 2);
    const double beta = 2 * std::sqrt(a) * alpha;
    const double c = std::cos(w0);
    Section sec;
    if (low) {
        sec.a0 = (a + 1) + (a - 1) * c + beta;
        sec.a1 = -2 * ((a - 1) + (a + 1) * c);
        sec.a2 = (a + 1) + (a - 1) * c - beta;
        sec.b0 = a * ((a + 1) - (a - 1) * c + beta);
        sec.b1 = 2 * a * ((a - 1) - (a + 1) * c);
        sec.b2 = a * ((a + 1) - (a - 1) * c - beta);
    } else {
        sec.a0 = (a + 1) - (a - 1) * c + beta;
        sec.a1 = 2 * ((a - 1) - (a + 1) * c);
        sec.a2 = (a + 1) - (a - 1) * c - beta;
        sec.b0 = a * ((a + 1) + (a - 1) * c + beta);
        sec.b1 = -2 * a * ((a - 1) + (a + 1) * c);
        sec.b2 = a * ((a + 1) + (a - 1) * c - beta);
    }
    AddSection(sec, m_dResponse);
}

namespace {
// Up to four sections from the 1 / 2Q terms; at the odd orders (states 0,
// 2, 4, 6) the first section is first-order.
void AddQTermSections(const double* terms, int state, double fc, bool highPass, double* out)
{
    const double wc = kDesignAnglePerHz * fc;
    const double t = std::tan(wc / 2);
    const double sinWc = std::sin(wc), cosWc = std::cos(wc);
    for (int j = 0; j < kMaxSections; ++j) {
        const double cj = terms[j];
        if (j == 0 && state % 2 == 0) {
            if (highPass)
                AddSection({1, -1, 0, cj * t + 1, cj * t - 1, 0}, out);
            else
                AddSection({t, t, 0, t + cj, t - cj, 0}, out);
            continue;
        }
        if (cj == 0)
            continue;  // pass-through
        const double v = sinWc * cj;
        if (highPass)
            AddSection({(1 + cosWc) / 2, -(1 + cosWc), (1 + cosWc) / 2, 1 + v, -2 * cosWc, 1 - v}, out);
        else
            AddSection({(1 - cosWc) / 2, 1 - cosWc, (1 - cosWc) / 2, 1 + v, -2 * cosWc, 1 - v}, out);
    }
}

// Slope state of a crossover filter: -1 when the code has no table row.
int SlopeState(int slope, bool slopeStep)
{
    if (slope < 0 || slope >= kSlopeStates)
        return -1;
    return slopeStep && slope == 1 ? 2 : slope;
}
}  // namespace

void CFilter::HighPassResponse()
{
    int s = SlopeState(m_nSlope, m_bSlopeStep);
    if (s < 0 || m_nFamily < 0 || m_nFamily >= kFamilies)
        return;  // no table row: flat
    double fc = MathHz(m_nFrequency);
    if (m_nFamily == FAMILY_BESSEL) {
        if (!m_bSlopeStep && s >= 4) {
            static const int kRemap[4] = {6, 7, 4, 5};
            s = kRemap[s - 4];
        }
        fc /= kBesselHighPassDivisor[s];
    }
    AddQTermSections(kHighPassTerms[m_nFamily][s], s, fc, true, m_dResponse);
}

void CFilter::LowPassResponse()
{
    int s = SlopeState(m_nSlope, m_bSlopeStep);
    if (s < 0 || m_nFamily < 0 || m_nFamily >= kFamilies)
        return;  // no table row: flat
    const double hz = MathHz(m_nFrequency);
    if (m_nFamily == FAMILY_BESSEL && s != 0) {
        static const int kRemap[4] = {7, 6, 4, 5};
        if (s >= 4)
            s = kRemap[s - 4];
        const BesselRow& row = kBesselLowPass[s];
        const double wc = kDesignAnglePerHz * hz / row.divisor;
        const double t = std::tan(wc / 2);
        const double t2 = t * t;
        for (const auto& pair : row.pairs) {
            const double l = pair[0], m = pair[1];
            if (l == 0)
                continue;  // pass-through
            const double a0 = l * t + t2 + m;
            AddSection({t2, 2 * t2, t2, a0, 2 * t2 - 2 * m, t2 - l * t + m}, m_dResponse);
        }
        return;
    }
    double terms[kMaxSections];
    std::copy(kHighPassTerms[m_nFamily][s], kHighPassTerms[m_nFamily][s] + kMaxSections, terms);
    if (s == 0)
        terms[0] = kLowPassFirstOrderTerm;
    else if (s == 7 && m_nFamily == FAMILY_BUTTERWORTH)
        terms[0] = kLowPassButterworth48Term;
    AddQTermSections(terms, s, hz, false, m_dResponse);
}

// ---- Geometry -----------------------------------------------------------------------

void CFilter::SetGraphSize(const Rect& rc)
{
    m_nGraphHeight = rc.Height();
    m_nGraphWidth = rc.Width();
    Layout();
    const int zeroY = GainToY(0, m_nGraphHeight) + GRAPH_MARGIN_TOP;
    m_Polygon[0] = Point{GRAPH_MARGIN_LEFT, zeroY};
    m_Polygon[FILTER_POLYGON_POINTS - 1] = Point{m_nGraphWidth + GRAPH_MARGIN_LEFT, zeroY};
    for (int i = 0; i < GRID_POINTS; ++i)
        m_Polygon[i + 1].x = FrequencyToX(g_FrequencyGrid[i], m_nGraphWidth) + GRAPH_MARGIN_LEFT;
    ComputeResponse();
}

void CFilter::PlaceFilterHandle()
{
    const int width = m_nGraphWidth;
    int left = FrequencyToX(MathHz(m_nFrequency), width) - 8;
    const int top = GainToY(m_nKind == FILTER_HIGH_PASS ? -7.0 : -10.0, m_nGraphHeight);
    if (left <= -8)
        left = -8;
    int right = left + 16;
    const int bottom = top + 16;
    if (right > width + 8) {
        right = width + 8;
        left = right - 16;
    }
    m_rcHandle = Rect{left + GRAPH_MARGIN_LEFT, top + GRAPH_MARGIN_TOP, right + GRAPH_MARGIN_LEFT,
                      bottom + GRAPH_MARGIN_TOP};
    if (!IsCrossover(m_nKind))
        return;
    Rect& cap = m_rcCaption;
    cap.top = m_rcHandle.top - 15;
    if (m_rcHandle.right + 50 > width + GRAPH_MARGIN_LEFT) {
        cap.right = width + GRAPH_MARGIN_LEFT;
        cap.left = cap.right - 66;
    } else {
        cap.left = m_rcHandle.left;
        cap.right = m_rcHandle.right + 50;
    }
    cap.bottom = m_rcHandle.bottom + (m_nKind == FILTER_HIGH_PASS ? 25 : 20);
}

void CFilter::PlaceBandHandle()
{
    const int width = m_nGraphWidth, height = m_nGraphHeight;
    int left = FrequencyToX(MathHz(m_nFrequency), width) - 8;
    int top = (IsBypassedOrFlat() ? GainToY(0, height) : GainToY(m_dGain, height)) - 8;
    if (left < -8)
        left = -8;
    if (top < -8)
        top = -8;
    if (top <= 0)
        top = 0;
    // Bands 0 to 8 may reach 8 pixels into the left margin.
    if (left <= 0 && m_nBandNumber >= 9)
        left = 0;
    int right = left + 16, bottom = top + 16;
    if (right > width) {
        right = width;
        left = right - 16;
    }
    if (bottom > height) {
        bottom = height;
        top = bottom - 16;
    }
    m_rcHandle = Rect{left + GRAPH_MARGIN_LEFT, top + GRAPH_MARGIN_TOP, right + GRAPH_MARGIN_LEFT,
                      bottom + GRAPH_MARGIN_TOP};

    const Rect& h = m_rcHandle;
    Rect& cap = m_rcCaption;
    const int plotRight = width + GRAPH_MARGIN_LEFT;
    bool placed = true;
    if (m_nKind == FILTER_PEAKING && m_bGainOnlyCaption) {
        if (h.right + 20 > plotRight) {
            cap.right = plotRight;
            cap.left = cap.right - 50;
        } else if (h.left - 20 < GRAPH_MARGIN_LEFT) {
            cap.left = GRAPH_MARGIN_LEFT;
            cap.right = GRAPH_MARGIN_LEFT + 46;
        } else {
            cap.left = h.left - 25;
            cap.right = h.right + 25;
        }
    } else if (m_nKind == FILTER_PEAKING) {
        if (h.right + 80 > plotRight) {
            cap.right = plotRight;
            cap.left = cap.right - 160;
        } else if (h.left - 60 < GRAPH_MARGIN_LEFT) {
            cap.left = GRAPH_MARGIN_LEFT;
            cap.right = GRAPH_MARGIN_LEFT + 136;
        } else {
            cap.left = h.left - 80;
            cap.right = h.right + 80;
        }
    } else if (IsShelf(m_nKind)) {
        if (h.right + 110 > plotRight) {
            cap.right = plotRight;
            cap.left = cap.right - 116;
        } else {
            cap.left = h.left;
            cap.right = h.right + 90;
        }
    } else {
        placed = false;
    }
    if (placed) {
        // Below the handle, or above it near the bottom of the plot.
        if (h.bottom >= height - 15) {
            cap.top = h.top - 25;
            cap.bottom = h.bottom - 25;
        } else {
            cap.top = h.top + 25;
            cap.bottom = h.bottom + 25;
        }
    }
    PlaceBandwidthMarkers();
}

void CFilter::PlaceBandwidthMarkers()
{
    const Point centre = CenterOf(m_rcHandle);
    // The markers sit 10 pixels outside the band edges, off the 0 dB line
    // on the side of the gain.
    const int cy = centre.y + (m_dGain >= 0 ? 10 : -10);
    const double hz = MathHz(m_nFrequency);
    const double halfWidth = std::pow(2.0, m_dBandwidth / 2);
    const int upper = TruncateToInt(halfWidth * hz);
    const int xR = FrequencyToX(upper, m_nGraphWidth) + 50;
    m_rcRightMarker = Rect{xR - 4, cy - 4, xR + 4, cy + 4};
    const double lower = hz / halfWidth;
    const int xL = FrequencyToX(lower, m_nGraphWidth) + 30;
    m_rcLeftMarker = Rect{xL - 4, cy - 4, xL + 4, cy + 4};
}

void CFilter::SetGrabOffset(Point pt)
{
    const Point centre = CenterOf(m_rcHandle);
    m_ptGrabOffset = Point{pt.x - centre.x, pt.y - centre.y};
    m_nDragStartX = pt.x;
    m_nDragStartFrequency = m_nFrequency;
    m_bDragStartValid = true;
}

void CFilter::SetMarkerGrabOffset(Point pt)
{
    if (m_bLeftMarkerDrag)
        m_nLeftMarkerGrabOffset = pt.x - m_rcLeftMarker.right;
    else if (m_bRightMarkerDrag)
        m_nRightMarkerGrabOffset = pt.x - m_rcRightMarker.left;
}

bool CFilter::DragBandPoint(Point pt)
{
    if (IsCrossover(m_nKind))
        return false;
    const int width = m_nGraphWidth, height = m_nGraphHeight;
    int x = pt.x - m_ptGrabOffset.x - GRAPH_MARGIN_LEFT;
    int y = pt.y - m_ptGrabOffset.y - GRAPH_MARGIN_TOP;
    x = x <= 0 ? 0 : (x >= width ? width : x);
    y = y <= 0 ? 0 : (y >= height ? height : y);

    const int oldFrequency = m_nFrequency;
    const int oldGainIndex = GetGainIndex();
    if (!m_bGainOnlyCaption) {
        // A pointer that has not moved sideways keeps the frequency: the
        // truncating axis would otherwise walk the band down on every
        // vertical drag.
        if (m_bDragStartValid && pt.x == m_nDragStartX)
            m_nFrequency = m_nDragStartFrequency;
        else
            m_nFrequency = XToFrequency(x, width);
    }
    m_dGain = std::clamp(YToGain(y, height), -12.0, 12.0);
    if (m_dGain == 0.0) {
        m_bFlat = true;
    } else {
        m_bFlat = false;
        m_bBypass = false;
    }
    const int newFrequency = m_nFrequency;
    const int newGainIndex = GetGainIndex();
    bool changed = newFrequency != oldFrequency || newGainIndex != oldGainIndex;
    if (y == 0)
        changed = true;
    if (changed)
        SetFrequency(newFrequency, true);
    if (IsPastShelfLimit(m_nKind, newFrequency))
        SetFrequency(kShelfLimitHz, true);
    m_dGain = GainOfIndex(newGainIndex);
    if (m_pOwner != nullptr)
        m_pOwner->SetValue(newGainIndex);
    PlaceBandHandle();
    PlaceBandwidthMarkers();
    ComputeResponse();
    return changed;
}

bool CFilter::DragBandwidth(Point pt)
{
    const double hz = MathHz(m_nFrequency);
    if (m_bLeftMarkerDrag) {
        const int f = XToFrequency(pt.x - GRAPH_MARGIN_LEFT, m_nGraphWidth);
        m_dBandwidth = 2 * std::log10(hz / f) / std::log10(2.0);
    } else if (m_bRightMarkerDrag) {
        const int f = XToFrequency(pt.x - GRAPH_MARGIN_LEFT, m_nGraphWidth);
        m_dBandwidth = 2 * std::log10(f / hz) / std::log10(2.0);
    } else {
        return true;
    }
    m_dBandwidth = std::clamp(m_dBandwidth, 0.05, 3.0);
    SetBandwidthIndexFromDrag(GetBandwidthIndex());
    return true;
}

bool CFilter::DragFilterCorner(Point pt, int oppositeHz)
{
    switch (m_nDragLimitKind) {
    case DRAG_LIMIT_KIND9: return DragFilterCornerKind9(pt, oppositeHz);
    case DRAG_LIMIT_KIND10: return DragFilterCornerKind10(pt, oppositeHz);
    case DRAG_LIMIT_KIND11: return DragFilterCornerKind11(pt, oppositeHz);
    default: return DragCorner(pt, oppositeHz, 0);
    }
}

bool CFilter::DragFilterCornerKind9(Point pt, int oppositeHz)
{
    return DragCorner(pt, oppositeHz, DRAG_LIMIT_KIND9);
}

bool CFilter::DragFilterCornerKind10(Point pt, int oppositeHz)
{
    return DragCorner(pt, oppositeHz, DRAG_LIMIT_KIND10);
}

bool CFilter::DragFilterCornerKind11(Point pt, int oppositeHz)
{
    return DragCorner(pt, oppositeHz, DRAG_LIMIT_KIND11);
}

bool CFilter::DragCorner(Point pt, int oppositeHz, int rule)
{
    const bool highPass = m_nKind == FILTER_HIGH_PASS;
    const bool freeLeftEdge = rule == DRAG_LIMIT_KIND10 || rule == DRAG_LIMIT_KIND11;
    int x = pt.x - m_ptGrabOffset.x - GRAPH_MARGIN_LEFT;
    if (!freeLeftEdge && x <= 0) {
        x = 0;
        if (highPass) {
            // A high-pass dragged to the left edge is switched off at 20 Hz.
            if (m_nFrequency == 20)
                return false;
            SetFrequency(20, true);
            FlattenResponse();
            PlaceFilterHandle();
            return true;
        }
    }
    if (x >= m_nGraphWidth)
        x = m_nGraphWidth;
    const int f = std::clamp(XToFrequency(x, m_nGraphWidth), 20, 20000);
    if (f == m_nFrequency || !IsCrossover(m_nKind))
        return false;

    int target;
    if (highPass) {
        target = std::min(f, oppositeHz);
        if (rule == DRAG_LIMIT_KIND11 && f > oppositeHz)
            target = f >= 20000 ? 20000 : oppositeHz;  // passes the low-pass at the right end
        if (rule == DRAG_LIMIT_KIND9)
            target = std::min(target, 20000);
    } else {
        target = std::max(f, oppositeHz);
        if (rule == DRAG_LIMIT_KIND9)
            target = std::clamp(target, 20, 20000);
    }
    // A user frequency is at least 20 Hz; a clamp that lands on the current
    // frequency changes nothing and resends nothing.
    if (std::max(target, 20) == m_nFrequency)
        return false;
    SetFrequency(target, true);
    if (!highPass) {
        PlaceFilterHandle();
        if (m_nFrequency == 20000)
            FlattenResponse();
        else
            ComputeResponse();
    }
    return true;
}
