#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPaintEvent>

#include "controls/MuteStatic.h"
#include "platform/core/Language.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

// Counts paints while shown: every setter repaints at once.
class CCountingMute : public CMuteStatic {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        CMuteStatic::paintEvent(event);
    }
};

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
    CCountingMute mute;
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
    struct Case {
        bool chinese;
        const char* text;
        int helpId;
    };
    const Case cases[] = {{false, "Font could not be created!", -3}, {true, "字体不能创建!", -2}};
    const FontCreationHook previous =
        SetFontCreationHook([](int height, int weight, const QString&) { return !(height == 16 && weight == 900); });
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        CMessageBoxSpy spy;
        CMuteStatic mute;
        mute.resize(60, 26);
        Render(&mute);
        Render(&mute);
        EXPECT_TRUE(spy.shown.empty()) << "no box from inside the paint";
        EXPECT_EQ(CountPixels(Render(&mute), Qt::white, 0), 0) << "no text";
        QCoreApplication::processEvents();
        Render(&mute);
        QCoreApplication::processEvents();
        ASSERT_EQ(spy.shown.size(), 1u);
        EXPECT_EQ(spy.shown[0].text, QString::fromUtf8(c.text));
        EXPECT_EQ(spy.shown[0].helpId, c.helpId);
        EXPECT_EQ(spy.shown[0].type, unsigned(MB_OK));
    }
    g_bChinese = false;
    SetFontCreationHook(previous);
}

}  // namespace
