#include <gtest/gtest.h>

#include <QByteArray>
#include <cmath>
#include <cstring>
#include <vector>

#include "model/DataDefine.h"
#include "model/KTVEQ.h"
#include "model/LinkState.h"
#include "model/Units.h"
#include "platform/core/Archive.h"

namespace {
const Rect kPlot{0, 0, 600, 240};

class KTVEQTest : public ::testing::Test {
protected:
    void SetUp() override { g_bDeviceSynced = false; }
    void TearDown() override { g_bDeviceSynced = false; }
};

struct Layout {
    const char* label;
    void (*build)(CKTVEQ&);
    int size;
    std::vector<int> frequencies;  // EQ bands
    int lowShelf, highShelf;       // indexes, -1 for none
    int filterNumber, family, slope;
    bool slopeStep;
    int highPassDrag, lowPassDrag;
};

TEST_F(KTVEQTest, BandSetLayouts)
{
    const Layout layouts[] = {
        {"mic", [](CKTVEQ& s) { s.BuildShelvedBands(8, 10, 20000); }, 11,
         {20, 32, 53, 87, 143, 235, 386, 632, 1035}, 0, 8, 10, FAMILY_BESSEL, 0, true, 0, 0},
        {"music", [](CKTVEQ& s) { s.BuildBands(30, 32, 20000); }, 33,
         {20, 32, 53, 87, 143, 235, 386, 632, 1035, 1696, 2778, 4551, 7455, 12210, 20000, 630, 800, 1000,
          1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000},
         -1, -1, 32, FAMILY_BESSEL, 0, true, 0, 0},
        {"effect", [](CKTVEQ& s) { s.BuildToneBands(2, 8, 20000); }, 5, {100, 1000, 10000}, -1, -1, 8,
         FAMILY_BESSEL, 2, true, 8, 8},
        {"output 1", [](CKTVEQ& s) { s.BuildIsoBands(30, 32, 10, 20, 20000); }, 33,
         {20, 25, 32, 40, 50, 63, 80, 100, 125, 160, 200, 250, 315, 400, 500, 630, 800, 1000, 1250, 1600,
          2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000},
         -1, -1, 32, FAMILY_LINKWITZ_RILEY, 2, false, 10, 12},
    };
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.label);
        CKTVEQ set;
        l.build(set);
        ASSERT_EQ(set.GetSize(), l.size);
        const int bands = l.size - 2;
        ASSERT_EQ(int(l.frequencies.size()), bands);
        for (int i = 0; i < bands; ++i) {
            const CFilter* band = set.GetAt(i);
            EXPECT_EQ(band->GetFrequency(), l.frequencies[size_t(i)]) << i;
            EXPECT_EQ(band->GetBandNumber(), i);
            EXPECT_TRUE(band->IsEqBand());
            const int kind = i == l.lowShelf ? FILTER_LOW_SHELF : i == l.highShelf ? FILTER_HIGH_SHELF : FILTER_PEAKING;
            EXPECT_EQ(band->GetKind(), kind) << i;
            if (kind != FILTER_PEAKING) {
                EXPECT_EQ(band->GetSlope(), 0);
            }
        }
        const CFilter* hp = set.GetHighPass();
        const CFilter* lp = set.GetLowPass();
        EXPECT_EQ(hp, set.GetAt(bands));
        EXPECT_EQ(lp, set.GetAt(bands + 1));
        EXPECT_EQ(set.GetAt(l.size), nullptr);
        EXPECT_EQ(set.GetAt(-1), nullptr);
        EXPECT_EQ(hp->GetKind(), FILTER_HIGH_PASS);
        EXPECT_EQ(lp->GetKind(), FILTER_LOW_PASS);
        EXPECT_EQ(hp->GetFrequency(), 20);
        EXPECT_EQ(lp->GetFrequency(), 20000);
        EXPECT_EQ(lp->GetSentFrequency(), 20000);
        for (const CFilter* f : {hp, lp}) {
            EXPECT_FALSE(f->IsEqBand());
            EXPECT_EQ(f->GetBandNumber(), l.filterNumber);
            EXPECT_EQ(f->GetFamily(), l.family);
            EXPECT_EQ(f->GetSlope(), l.slope);
            EXPECT_EQ(f->IsSlopeStep(), l.slopeStep);
        }
        EXPECT_EQ(hp->GetDragLimitKind(), l.highPassDrag);
        EXPECT_EQ(lp->GetDragLimitKind(), l.lowPassDrag);
    }
}

TEST_F(KTVEQTest, BuilderCountsAreCutToTheirTables)
{
    CKTVEQ tone;
    tone.BuildToneBands(7, 8, 20000);
    EXPECT_EQ(tone.GetSize(), 5);
    CKTVEQ shelved;
    shelved.BuildShelvedBands(40, 10, 20000);
    EXPECT_EQ(shelved.GetSize(), 17);
    EXPECT_EQ(shelved.GetAt(14)->GetKind(), FILTER_HIGH_SHELF);
}

TEST_F(KTVEQTest, IsoFiltersAreSetWithoutMarking)
{
    g_bDeviceSynced = true;
    CKTVEQ set;
    set.BuildIsoBands(30, 32, 11, 80, 5000);
    EXPECT_EQ(set.GetHighPass()->GetFrequency(), 80);
    EXPECT_EQ(set.GetHighPass()->GetSentFrequency(), 80);
    EXPECT_EQ(set.GetLowPass()->GetSentFrequency(), 5000);
}

TEST_F(KTVEQTest, SummedCurve)
{
    CKTVEQ set;
    set.BuildIsoBands(30, 32, 11, 20, 20000);
    set.SetGraphRect(kPlot);
    EXPECT_EQ(set.GetGraphWidth(), 600);
    EXPECT_EQ(set.GetGraphHeight(), 240);
    EXPECT_EQ(set.GetCurve()[0].x, FrequencyToX(19.7, 600) + 40);
    EXPECT_EQ(set.GetCurve()[136].x, 379);
    EXPECT_EQ(set.GetCurve()[136].y, 120);  // laid out on the middle line
    set.ComputeCurve();
    for (int i = 0; i < GRID_POINTS; ++i) {
        ASSERT_EQ(set.GetCurve()[i].y, 130) << i;  // every band flat: 0 dB plus the margin
        ASSERT_FLOAT_EQ(set.GetCurveFloat()[i].y, 130.0f) << i;
    }
    // Two +6 dB bands on 1000 Hz add to +12 dB there.
    set.GetAt(16)->SetFrequency(1000, false);
    set.GetAt(16)->SetGainIndex(260);
    set.GetAt(17)->SetGainIndex(260);
    set.ComputeCurve();
    EXPECT_EQ(set.GetCurve()[136].y, 10);
    EXPECT_NEAR(set.GetCurveFloat()[136].y, 10.0f, 1e-4);
    const double atPoint100 = set.GetAt(16)->GetResponse()[100] * 2;
    EXPECT_EQ(set.GetCurve()[100].y, GainToY(atPoint100, 240) + 10);
    // The float curve alone.
    set.GetAt(17)->SetGainIndex(200);
    set.ComputeCurveFloat();
    EXPECT_NEAR(set.GetCurveFloat()[136].y, 70.0f, 1e-4);
    EXPECT_EQ(set.GetCurve()[136].y, 10);
    // One band alone.
    set.ComputeBandCurve(16);
    EXPECT_EQ(set.GetCurve()[136].y, 70);
    set.ComputeBandCurve(99);  // no such band: nothing happens
    EXPECT_EQ(set.GetCurve()[136].y, 70);
    // The filters count too.
    set.GetLowPass()->SetFrequency(1000, false);
    set.GetLowPass()->SetSlope(3, false);
    set.ComputeCurve();
    EXPECT_NEAR(set.GetCurveFloat()[160].y, GainToYExact(set.GetAt(16)->GetResponse()[160]
                                                       + set.GetLowPass()->GetResponse()[160], 240) + 10, 1e-3);
}

TEST_F(KTVEQTest, BandRecords)
{
    g_bDeviceSynced = true;
    CKTVEQ set;
    set.BuildIsoBands(30, 32, 11, 20, 20000);
    CFilter* band = set.GetAt(5);
    band->SetGainIndex(260);
    band->SetFlat(true);
    band->SetBandwidthIndex(52);
    band->SetFrequency(63, false);
    const BYTE* record = set.GetBandRecord(5);
    ASSERT_NE(record, nullptr);
    const BYTE flat[8] = {63, 0, 0x58, 0x02, 52, 0, 2, 0};
    EXPECT_EQ(0, std::memcmp(record, flat, 8));

    band->SetFlat(false);
    band->SetFrequency(1000, true);  // in transit: the record carries the sent value
    record = set.GetBandRecord(5);
    EXPECT_EQ(GetWord(record), 63);
    EXPECT_EQ(GetWord(record + 2), 660);

    const BYTE in[8] = {0xE8, 0x03, 0xBC, 0x02, 100, 0, 1, 2};  // 1000 Hz, code 700, bw 100, slope 1, kind 2
    set.SetBandRecord(in, 5);
    EXPECT_EQ(band->GetGainIndex(), 300);
    EXPECT_EQ(band->GetBandwidthIndex(), 100);
    EXPECT_EQ(band->GetSlope(), 1);
    EXPECT_EQ(band->GetKind(), FILTER_HIGH_SHELF);
    EXPECT_EQ(band->GetFrequency(), 1000);
    EXPECT_EQ(band->GetSentFrequency(), 1000);
    EXPECT_FALSE(band->IsChanged());
    EXPECT_EQ(0, std::memcmp(set.GetBandRecord(5), in, 8));

    BYTE out[8] = {};
    EXPECT_TRUE(set.FillBandRecord(5, out));
    EXPECT_EQ(0, std::memcmp(out, in, 8));
    EXPECT_FALSE(set.FillBandRecord(33, out));
    EXPECT_EQ(set.GetBandRecord(33), nullptr);
    set.SetBandRecord(in, 40);  // ignored
    set.SetBandRecord(nullptr, 3);
}

// The record path sets the fields in one go; it must leave the band exactly
// as the setters called one after another do.
TEST_F(KTVEQTest, RecordPathEqualsTheSetterSequence)
{
    const BYTE records[][8] = {
        {0xE8, 0x03, 0xBC, 0x02, 100, 0, 1, 2},
        {0x50, 0x00, 0x58, 0x02, 0, 0, 3, 3},
        {0x20, 0x4E, 0x00, 0x00, 0xFF, 0xFF, 8, 4},
        {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0, 0},
        {0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x80, 255, 255},
        {0x40, 0x1F, 0x90, 0x01, 0x27, 0x01, 6, 1},
    };
    for (bool eqBand : {true, false}) {
        for (const auto& rec : records) {
            g_bDeviceSynced = true;
            CFilter a, b;
            for (CFilter* f : {&a, &b}) {
                f->SetEqBand(eqBand);
                f->SetBandNumber(12);
                f->SetGraphSize(kPlot);
                f->SetAllBypass(true);
                f->SetFrequency(3000, true);
            }
            const int hz = std::int16_t(GetWord(rec));
            const int gainIndex = std::int16_t(GetWord(rec + 2)) - 400;
            const int bw = std::int16_t(GetWord(rec + 4));
            a.SetGainIndex(gainIndex);
            a.SetBandwidthIndex(bw);
            a.SetSlope(rec[6], true);
            a.SetKind(rec[7]);
            a.SetFrequency(hz, false);
            a.AdvanceSentFrequency(false);
            b.ApplyRecord(gainIndex, bw, rec[6], rec[7], hz);
            EXPECT_EQ(a.GetKind(), b.GetKind());
            EXPECT_EQ(a.GetFrequency(), b.GetFrequency());
            EXPECT_EQ(a.GetSentFrequency(), b.GetSentFrequency());
            EXPECT_EQ(a.GetGain(), b.GetGain());
            EXPECT_EQ(a.IsFlat(), b.IsFlat());
            EXPECT_EQ(a.IsBypassed(), b.IsBypassed());
            EXPECT_EQ(a.GetBandwidth(), b.GetBandwidth());
            EXPECT_EQ(a.GetSlope(), b.GetSlope());
            EXPECT_EQ(a.IsChanged(), b.IsChanged());
            EXPECT_EQ(a.GetHandleRect(), b.GetHandleRect());
            EXPECT_EQ(a.GetCaptionRect(), b.GetCaptionRect());
            EXPECT_EQ(a.GetLeftMarkerRect(), b.GetLeftMarkerRect());
            EXPECT_EQ(a.GetRightMarkerRect(), b.GetRightMarkerRect());
            for (int i = 0; i < GRID_POINTS; ++i) {
                ASSERT_EQ(a.GetResponse()[i], b.GetResponse()[i]);
                ASSERT_EQ(a.GetPolygon()[i + 1], b.GetPolygon()[i + 1]);
            }
        }
    }
}

// Every field at its extreme and beyond, as a file or the device may hold
// them: the curves stay finite, the handles on the plot, and the record
// comes back byte for byte.
TEST_F(KTVEQTest, HostileRecordsStayFiniteAndStoreBackUnchanged)
{
    const int frequencies[] = {0x0000, 0x0001, 0x0013, 0x0014, 0x4E20, 0x7FFF, 0x8000, 0xFFFF};
    const int gainCodes[] = {0x0000, 399, 400, 600, 800, 801, 0x7FFF, 0x8000, 0xFFFF};
    const int bandwidths[] = {0x0000, 295, 296, 0x7FFF, 0x8000, 0xFFFF, 60, 1, 0x0127};
    const int slopes[] = {0, 1, 2, 7, 8, 9, 255};
    const int kinds[] = {0, 1, 2, 3, 4, 5, 255};
    CKTVEQ set;
    set.BuildIsoBands(30, 32, 11, 20, 20000);
    set.SetGraphRect(kPlot);
    const int indexes[] = {9, 31};  // an EQ band and the high-pass
    int checked = 0;
    for (int index : indexes) {
        for (int kind : kinds) {
            for (int slope : slopes) {
                for (int hz : frequencies) {
                    for (size_t j = 0; j < std::size(gainCodes); ++j) {
                        BYTE rec[8];
                        WriteBandRecord(rec, hz, gainCodes[j], bandwidths[j], slope, kind);
                        set.SetBandRecord(rec, index);
                        set.ComputeCurve();
                        const CFilter* band = set.GetAt(index);
                        const Rect& h = band->GetHandleRect();
                        ASSERT_GE(h.left, 32);
                        ASSERT_LE(h.right, 648);
                        ASSERT_GE(h.top, 10);
                        ASSERT_LE(h.bottom, 256);
                        for (const Rect& m : {band->GetLeftMarkerRect(), band->GetRightMarkerRect()}) {
                            ASSERT_LT(std::abs(m.left), 100000);
                            ASSERT_LT(std::abs(m.top), 100000);
                        }
                        for (int i = 0; i < GRID_POINTS; ++i) {
                            ASSERT_TRUE(std::isfinite(band->GetResponse()[i]));
                            ASSERT_TRUE(std::isfinite(set.GetCurveFloat()[i].y));
                            ASSERT_LE(std::abs(set.GetCurve()[i].y), (1 << 30) + 10);
                        }
                        ASSERT_EQ(0, std::memcmp(set.GetBandRecord(index), rec, 8))
                            << index << " " << kind << " " << slope << " " << hz << " " << j;
                        ++checked;
                    }
                }
            }
        }
    }
    EXPECT_EQ(checked, 2 * 7 * 7 * 8 * 9);
}

TEST_F(KTVEQTest, DefaultImageZeroRecords)
{
    // Output bands 9 to 30 of the default image are all zero bytes.
    CKTVEQ set;
    set.BuildIsoBands(30, 32, 11, 20, 20000);
    set.SetGraphRect(kPlot);
    const BYTE zero[8] = {};
    for (int band = 9; band <= 30; ++band)
        set.SetBandRecord(zero, band);
    set.ComputeCurve();
    for (int i = 0; i < GRID_POINTS; ++i)
        ASSERT_TRUE(std::isfinite(set.GetCurveFloat()[i].y));
    for (int band = 9; band <= 30; ++band)
        EXPECT_EQ(0, std::memcmp(set.GetBandRecord(band), zero, 8)) << band;
}

TEST_F(KTVEQTest, ArchiveAndCopy)
{
    CKTVEQ src;
    src.BuildIsoBands(30, 32, 11, 20, 20000);
    src.SetGraphRect(kPlot);
    for (int i = 0; i < 31; ++i) {
        src.GetAt(i)->SetGainIndex(100 + 7 * i);
        src.GetAt(i)->SetBandwidthIndex(3 * i);
    }
    src.GetAt(4)->SetFlat(true);
    src.GetHighPass()->SetFrequency(90, false);
    src.GetHighPass()->SetSlope(5, false);
    src.GetLowPass()->SetFamily(FAMILY_BESSEL, false);
    src.GetLowPass()->SetFrequency(9000, false);

    QByteArray bytes;
    CArchive out(&bytes);
    src.Serialize(out);
    ASSERT_EQ(bytes.size(), 33 * FILTER_ARCHIVE_SIZE);

    CKTVEQ loaded;
    loaded.BuildIsoBands(30, 32, 11, 20, 20000);
    loaded.SetGraphRect(kPlot);
    CArchive in(bytes);
    loaded.Serialize(in);
    EXPECT_FALSE(in.HasError());

    CKTVEQ copied;
    copied.BuildIsoBands(30, 32, 9, 20, 20000);
    copied.SetGraphRect(kPlot);
    copied.CopyFrom(&src);

    for (const CKTVEQ* set : {&loaded, &copied}) {
        for (int i = 0; i < 33; ++i) {
            SCOPED_TRACE(i);
            const CFilter* a = src.GetAt(i);
            const CFilter* b = set->GetAt(i);
            EXPECT_EQ(a->GetKind(), b->GetKind());
            EXPECT_EQ(a->GetFrequency(), b->GetFrequency());
            EXPECT_EQ(a->GetGainIndex(), b->GetGainIndex());
            EXPECT_EQ(a->IsFlat(), b->IsFlat());
            EXPECT_EQ(a->GetBandwidthIndex(), b->GetBandwidthIndex());
            EXPECT_EQ(a->GetFamily(), b->GetFamily());
            EXPECT_EQ(a->GetSlope(), b->GetSlope());
            for (int p = 0; p < GRID_POINTS; ++p)
                ASSERT_EQ(a->GetResponse()[p], b->GetResponse()[p]);
        }
    }
    EXPECT_EQ(copied.GetHighPass()->GetDragLimitKind(), 9);  // the set's own
}
}  // namespace
