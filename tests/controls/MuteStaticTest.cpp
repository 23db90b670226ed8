#include <gtest/gtest.h>

#include "controls/MuteStatic.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/PaintCounter.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/controls/FontFailureCheck.h"

namespace {

TEST(MuteStaticTest, OnAndOffColoursAndTexts)
{
    CMuteStatic mute;
    mute.resize(60, 26);
    EXPECT_TRUE(mute.GetState());
    QImage image = Render(&mute).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(QColor(image.pixel(1, 1)), QColor(100, 105, 109));
    EXPECT_GT(CountPixels(image, Qt::white, 0), 10);

    mute.SetState(false);
    image = Render(&mute).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(QColor(image.pixel(1, 1)), QColor(200, 201, 205));
    EXPECT_GT(CountPixels(image, Qt::red, 0), 10);
    const QRect ink = PixelBounds(image, [](QRgb p) { return Near(p, Qt::red, 0); });
    EXPECT_NEAR(ink.center().x(), 30, 3);
    EXPECT_NEAR(ink.center().y(), 13, 3);

    mute.SetFillColors(RGB(0, 0, 255), RGB(0, 255, 0));
    mute.SetTextColors(RGB(1, 2, 3), RGB(4, 5, 6));
    EXPECT_EQ(QColor(Render(&mute).pixel(1, 1)), QColor(0, 255, 0));

    mute.SetTexts(QStringLiteral("开"), QStringLiteral("关"));
    for (bool chinese : {true, false}) {
        mute.SetLanguage(chinese);
        EXPECT_EQ(mute.OnText(), QStringLiteral("On"));
        EXPECT_EQ(mute.OffText(), QStringLiteral("OFF"));
    }
    EXPECT_NE(GetWindowStyle(&mute) & SS_NOTIFY, 0u);
    EXPECT_EQ(mute.cursor().shape(), Qt::PointingHandCursor);
}

TEST(MuteStaticTest, EverySetterRedrawsAtOnce)
{
    CPaintCounter<CMuteStatic> mute;
    mute.resize(60, 26);
    mute.show();
    ASSERT_TRUE(WaitFor([&] { return mute.paints > 0; }));
    int before = mute.paints;
    mute.SetState(false);
    EXPECT_EQ(mute.paints, ++before);
    mute.SetTexts(QStringLiteral("A"), QStringLiteral("B"));
    EXPECT_EQ(mute.paints, ++before);
    mute.SetTextColors(RGB(1, 1, 1), RGB(2, 2, 2));
    EXPECT_EQ(mute.paints, ++before);
    mute.SetFillColors(RGB(1, 1, 1), RGB(2, 2, 2));
    EXPECT_EQ(mute.paints, ++before);
    mute.SetTextFont(20, 700);
    EXPECT_EQ(mute.paints, ++before);
    mute.SetLanguage(true);
    EXPECT_EQ(mute.paints, before) << "no redraw";
}

// The old indicator showed its box from inside every paint; it is now
// reported once, from the event loop, as the labels do.
TEST(MuteStaticTest, FontFailureIsReportedOnceOutsideThePaint)
{
    ExpectFontFailureReportedOnce<CMuteStatic>(
        [](int height, int weight, const QString&) { return !(height == 16 && weight == 900); },
        [](CMuteStatic& mute) { mute.resize(60, 26); },
        [](CMuteStatic& mute) { return CountPixels(Render(&mute), Qt::white, 0) == 0; });
}

}  // namespace
