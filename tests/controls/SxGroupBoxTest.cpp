#include <gtest/gtest.h>

#include "controls/SxGroupBox.h"
#include "controls/SxLogFont.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

const QColor kDialog(227, 228, 238);

class SxGroupBoxTest : public ::testing::Test {
protected:
    SxGroupBoxTest()
    {
        dialog.resize(240, 140);
        SetFlatBackground(&dialog, kDialog);
        box = new CSxGroupBox(&dialog);
        box->setGeometry(0, 0, 200, 100);
    }
    // The box as the dialog shows it.
    QImage Drawn() { return Render(&dialog).convertToFormat(QImage::Format_RGB32).copy(0, 0, 200, 100); }
    // Whether every pixel of row y from x0 to x1 (inclusive) has colour.
    static bool Row(const QImage& image, int y, int x0, int x1, const QColor& colour)
    {
        for (int x = x0; x <= x1; ++x)
            if (QColor(image.pixel(x, y)) != colour)
                return false;
        return true;
    }
    static bool Column(const QImage& image, int x, int y0, int y1, const QColor& colour)
    {
        for (int y = y0; y <= y1; ++y)
            if (QColor(image.pixel(x, y)) != colour)
                return false;
        return true;
    }
    QWidget dialog;
    CSxGroupBox* box = nullptr;
    const QColor shadow = GetSysColor(COLOR_BTNSHADOW);
    const QColor highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
};

TEST_F(SxGroupBoxTest, EtchedFrameWithAGapForEachAlignment)
{
    box->SetText(QStringLiteral("Update File"), false);
    box->SetCaptionTextColor(RGB(255, 0, 0), false);
    EXPECT_EQ(box->TopLine(), 7) << "half the system font's 16 less one";
    const int cw = QFontMetrics(box->CaptionFont()).horizontalAdvance(QStringLiteral("Update File"));
    struct Case {
        int alignment;
        int x1;
    };
    const Case cases[] = {{CSxGroupBox::ALIGN_LEFT, 8},
                          {CSxGroupBox::ALIGN_RIGHT, 200 - 8 - cw},
                          {CSxGroupBox::ALIGN_CENTER, (200 - cw) / 2}};
    for (const Case& c : cases) {
        box->SetAlignment(c.alignment);
        int x1 = 0;
        int x2 = 0;
        box->CaptionGap(&x1, &x2);
        EXPECT_EQ(x1, c.x1) << c.alignment;
        EXPECT_EQ(x2, c.x1 + cw) << c.alignment;
        const QImage image = Drawn();
        // The shadow line up to the gap's edges (where the caption may draw
        // over it), the highlight line under it.
        EXPECT_TRUE(Row(image, 7, 0, x1 - 1, shadow)) << c.alignment;
        EXPECT_TRUE(Row(image, 7, x2 + 1, 199, shadow)) << c.alignment;
        EXPECT_TRUE(Row(image, 8, 2, x1 - 1, highlight)) << c.alignment;
        EXPECT_TRUE(Row(image, 8, x2 + 1, 197, highlight)) << c.alignment;
        for (int x = x1 + 1; x < x2; ++x) {
            EXPECT_NE(QColor(image.pixel(x, 7)), shadow) << "gap at " << x;
            EXPECT_NE(QColor(image.pixel(x, 8)), highlight) << "gap at " << x;
        }
        // Sides and bottom: shadow at the outer column and row, highlight
        // inside on the left; the outer highlight lies outside the window.
        EXPECT_TRUE(Column(image, 0, 7, 99, shadow));
        EXPECT_TRUE(Column(image, 1, 8, 98, highlight));
        EXPECT_TRUE(Column(image, 199, 7, 99, shadow));
        EXPECT_TRUE(Row(image, 99, 0, 199, shadow));
        EXPECT_EQ(QColor(image.pixel(100, 50)), kDialog) << "no background of its own";
        // The caption sits on the top line.
        const QRect ink = PixelBounds(image, [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 120; });
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_GE(ink.left(), x1);
        EXPECT_LE(ink.right(), x2);
        EXPECT_NEAR(ink.center().y(), 7, 3);
    }
}

TEST_F(SxGroupBoxTest, EmptyCaptionKeepsAGapOfNoWidth)
{
    int x1 = 0;
    int x2 = 0;
    box->CaptionGap(&x1, &x2);
    EXPECT_EQ(x1, 8);
    EXPECT_EQ(x2, 8);
    EXPECT_TRUE(Row(Drawn(), 7, 0, 199, shadow));
}

TEST_F(SxGroupBoxTest, FrameStyles)
{
    box->SetFrameStyle(5);
    EXPECT_EQ(box->GetFrameStyle(), CSxGroupBox::FRAME_ETCHED);
    EXPECT_TRUE(Column(Drawn(), 1, 8, 98, highlight));

    // Flat: one shadow line on the frame's own edges (right and bottom lie
    // outside the window).
    box->SetFrameStyle(CSxGroupBox::FRAME_FLAT);
    QImage image = Drawn();
    EXPECT_TRUE(Row(image, 7, 0, 8, shadow));
    EXPECT_TRUE(Column(image, 0, 7, 99, shadow));
    EXPECT_EQ(CountPixels(image, highlight), 0);
    EXPECT_EQ(QColor(image.pixel(199, 50)), kDialog);

    // Double: the highlight line moved outward.
    box->SetFrameStyle(CSxGroupBox::FRAME_DOUBLE);
    image = Drawn();
    EXPECT_TRUE(Row(image, 7, 0, 8, shadow));
    EXPECT_TRUE(Row(image, 6, 0, 8, highlight));
}

TEST_F(SxGroupBoxTest, AttachingReadsStyleAndExtendedStyle)
{
    struct Case {
        DWORD style;
        int alignment;
        int frameStyle;
    };
    const Case cases[] = {{BS_GROUPBOX, CSxGroupBox::ALIGN_LEFT, 1},
                          {BS_GROUPBOX | BS_LEFT, CSxGroupBox::ALIGN_LEFT, 1},
                          {BS_GROUPBOX | BS_RIGHT, CSxGroupBox::ALIGN_RIGHT, 1},
                          {BS_GROUPBOX | BS_CENTER, CSxGroupBox::ALIGN_CENTER, 1},
                          {BS_GROUPBOX | BS_FLAT, CSxGroupBox::ALIGN_LEFT, 0}};
    for (const Case& c : cases) {
        SetWindowStyle(box, c.style);
        box->PreSubclassWindow();
        EXPECT_EQ(box->GetAlignment(), c.alignment) << c.style;
        EXPECT_EQ(box->GetFrameStyle(), c.frameStyle) << c.style;
    }
    // A flat group box is drawn etched, as it always was.
    EXPECT_TRUE(Column(Drawn(), 1, 8, 98, highlight));

    struct Edge {
        DWORD exStyle;
        CRect frame;
    };
    const Edge edges[] = {
        {0, CRect(0, 0, 200, 100)},
        {WS_EX_DLGMODALFRAME, CRect(3, 4, 196, 96)},
        {WS_EX_CLIENTEDGE, CRect(2, 3, 197, 97)},
        {WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE, CRect(5, 7, 194, 93)},
        {WS_EX_STATICEDGE, CRect(1, 2, 198, 98)},
    };
    for (const Edge& e : edges) {
        SetWindowExStyle(box, e.exStyle);
        box->PreSubclassWindow();
        EXPECT_EQ(box->FrameRect(), e.frame) << e.exStyle;
    }
    SetWindowExStyle(box, WS_EX_CLIENTEDGE);
    const QImage image = Drawn();
    EXPECT_TRUE(Column(image, 2, 10, 95, shadow)) << "the frame inside the edge";
    EXPECT_EQ(box->TopLine(), 10);

    box->SetText(QStringLiteral("Hidden"), false);
    SetWindowExStyle(box, 0x40);
    box->Refresh();
    EXPECT_TRUE(box->IsCaptionHidden());
    EXPECT_TRUE(Row(Drawn(), 7, 0, 8, shadow));
    EXPECT_EQ(CountPixels(Drawn(), QColor(0, 0, 0), 60), 0) << "no caption";
}

TEST_F(SxGroupBoxTest, ColoursAndTheDisabledLook)
{
    box->SetText(QStringLiteral("Communication interface"), false);
    box->SetFrameColors(RGB(255, 0, 0), RGB(0, 255, 0), true);
    COLORREF s = 0;
    COLORREF h = 0;
    box->GetFrameColors(&s, &h);
    EXPECT_EQ(s, RGB(255, 0, 0));
    EXPECT_EQ(h, RGB(0, 255, 0));
    QImage image = Drawn();
    EXPECT_TRUE(Column(image, 0, 7, 99, Qt::red));
    EXPECT_TRUE(Column(image, 1, 8, 98, Qt::green));
    EXPECT_GT(CountPixels(image, QColor(0, 0, 0), 60), 10) << "the caption";

    box->setEnabled(false);
    image = Drawn();
    EXPECT_TRUE(Column(image, 0, 7, 99, shadow));
    EXPECT_TRUE(Column(image, 1, 8, 98, highlight));
    EXPECT_EQ(CountPixels(image, QColor(0, 0, 0), 60), 0) << "a disabled box shows no caption";

    box->setEnabled(true);
    box->SetFrameColors(0, 0, false);
    box->GetFrameColors(&s, &h);
    EXPECT_EQ(s, ToColorRef(shadow)) << "0 restores the default";
    EXPECT_EQ(h, ToColorRef(highlight));
}

TEST(SxLogFontTest, PointSizeFaceAndPrecisions)
{
    const CSxLogFont lf(100, 700, 0, QStringLiteral("Arial"));
    EXPECT_EQ(lf.lfHeight, 100);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfFaceName, QStringLiteral("Arial"));
    EXPECT_EQ(lf.lfOutPrecision, 3);
    EXPECT_EQ(lf.lfClipPrecision, 2);
    EXPECT_EQ(lf.lfQuality, 2);
    EXPECT_EQ(lf.lfCharSet, 0);
    EXPECT_EQ(CSxLogFont(80, 400, 0, QString(40, QLatin1Char('x'))).lfFaceName.size(), 31);

    // The box's caption fonts: Arial 10 points bold, or MS Sans Serif 8.
    CSxGroupBox box;
    EXPECT_EQ(box.CaptionFont().pixelSize(), 13);
    EXPECT_EQ(box.CaptionFont().weight(), QFont::Bold);
    box.SetCaptionFont(nullptr);
    EXPECT_EQ(box.CaptionFont().pixelSize(), 11);
    EXPECT_EQ(box.CaptionFont().weight(), QFont::Normal);
    const CSxLogFont italic(120, 400, 1, QStringLiteral("Arial"));
    box.SetCaptionFont(&italic);
    EXPECT_EQ(box.CaptionFont().pixelSize(), 16);
    EXPECT_TRUE(box.CaptionFont().italic());
}

}  // namespace
