#include <gtest/gtest.h>

#include <QMouseEvent>

#include "controls/EnTabCtrl.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

const QColor kDialog(227, 228, 238);
const QColor kParent(0, 0, 0);

TEST(EnTabCtrlColours, DarkenAndLightenPerChannelInSinglePrecision)
{
    struct Case {
        COLORREF in;
        float f;
        COLORREF out;
    };
    const Case darker[] = {
        {RGB(127, 168, 222), 0.9f, RGB(114, 151, 199)}, {RGB(255, 0, 0), 0.9f, RGB(229, 0, 0)},
        {RGB(255, 255, 255), 0.9f, RGB(229, 229, 229)}, {RGB(227, 228, 238), 0.75f, RGB(170, 171, 178)},
        {RGB(227, 228, 238), 0.7f, RGB(158, 159, 166)}, {RGB(1, 2, 3), 0.5f, RGB(0, 1, 1)},
    };
    for (const Case& c : darker)
        EXPECT_EQ(CEnTabCtrl::Darken(c.in, c.f), c.out) << c.in << " x " << c.f;
    const Case lighter[] = {
        {RGB(0, 0, 0), 1.9f, RGB(0, 0, 0)},           {RGB(227, 228, 238), 1.5f, RGB(255, 255, 255)},
        {RGB(100, 50, 10), 1.5f, RGB(150, 75, 15)},   {RGB(170, 171, 178), 1.4f, RGB(238, 239, 249)},
        {RGB(114, 151, 199), 1.5f, RGB(171, 226, 255)}, {RGB(170, 1, 3), 1.5f, RGB(255, 1, 4)},
    };
    for (const Case& c : lighter)
        EXPECT_EQ(CEnTabCtrl::Lighten(c.in, c.f), c.out) << c.in << " x " << c.f;
}

class EnTabCtrlTest : public ::testing::Test {
protected:
    EnTabCtrlTest()
    {
        parent.resize(420, 120);
        SetFlatBackground(&parent, kParent);
        tabs = new CEnTabCtrl(&parent);
        tabs->setGeometry(0, 0, 400, 100);
        // The view's set-up.
        tabs->SetBkgndColor(RGB(227, 228, 238));
        tabs->EnableDraw(2);
        CEnTabCtrl::SetLookFlags(true, 0x1F);
    }
    ~EnTabCtrlTest() override { CEnTabCtrl::SetLookFlags(false, 0); }
    QImage Drawn() { return Render(&parent).convertToFormat(QImage::Format_RGB32).copy(0, 0, 400, 100); }
    void AddItems(int count)
    {
        for (int i = 0; i < count; ++i)
            tabs->InsertItem(i, QStringLiteral("T%1").arg(i));
    }
    CRect ItemRect(int i)
    {
        CRect r;
        EXPECT_TRUE(tabs->GetItemRect(i, &r));
        return r;
    }
    QWidget parent;
    CEnTabCtrl* tabs = nullptr;
};

TEST_F(EnTabCtrlTest, TheViewsEmptyTabControlPaintsOnlyItsBodyBorder)
{
    EXPECT_NE(GetWindowStyle(tabs) & TCS_OWNERDRAWFIXED, 0u);
    const CRect body = tabs->BodyRect();
    CRect display(0, 0, 400, 100);
    tabs->AdjustRect(false, &display);
    EXPECT_EQ(body.top, display.top - 2);
    const QImage image = Drawn();
    EXPECT_EQ(QColor(image.pixel(200, body.top)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(0, 50)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(399, 50)), QColor(170, 171, 178));
    EXPECT_EQ(QColor(image.pixel(200, 99)), QColor(170, 171, 178));
    EXPECT_EQ(QColor(image.pixel(399, body.top)), QColor(170, 171, 178)) << "the dark side owns its corner";
    // Around the empty strip: the background colour in its top band, the
    // dialog behind everywhere else.
    EXPECT_EQ(QColor(image.pixel(200, 1)), kDialog);
    EXPECT_EQ(QColor(image.pixel(1, 1)), kDialog);
    EXPECT_EQ(QColor(image.pixel(200, 5)), kParent);
    EXPECT_EQ(QColor(image.pixel(200, 50)), kParent) << "the body is not filled";
}

TEST_F(EnTabCtrlTest, SelectedTabBlackWithRedText)
{
    CEnTabCtrl::SetLookFlags(true, 0x06);
    tabs->InsertItem(0, QStringLiteral("Out"));
    tabs->InsertItem(1, QStringLiteral("MMMM"));
    tabs->SetCurSel(1);
    const QImage image = Drawn();
    const CRect r = ItemRect(1);
    EXPECT_EQ(QColor(image.pixel(r.left + 1, r.top - 1)), QColor(Qt::black)) << "grown 2 pixels up";
    EXPECT_EQ(QColor(image.pixel(r.right - 1, r.bottom)), QColor(Qt::black));
    EXPECT_GT(CountPixels(image, QColor(229, 0, 0), 0, QRect(r.left, r.top - 2, r.Width(), r.Height() + 3)), 5);
    // The other tab: the program's blue, its text near-white.
    const CRect o = ItemRect(0);
    EXPECT_EQ(QColor(image.pixel(o.left + 1, o.bottom - 1)), QColor(114, 151, 199));
}

TEST_F(EnTabCtrlTest, ItemThreeHasNoEdgesAndAGradientOfTwoPixelBands)
{
    AddItems(5);
    tabs->SetCurSel(1);
    tabs->SetItemHeight(12);
    const QImage image = Drawn();
    const CRect r = ItemRect(3);
    ASSERT_EQ(r.Height(), 12);
    // From the tab colour to the background darkened by 0.7, in 6 bands.
    const QColor from(227, 228, 238);
    const int mid = (r.left + r.right) / 2;
    for (int band = 0; band < 6; ++band) {
        const int i = 2 * band;
        const QColor expected(227 + i * (158 - 227) / 12, 228 + i * (159 - 228) / 12, 238 + i * (166 - 238) / 12);
        EXPECT_EQ(QColor(image.pixel(mid, r.top + i)), expected) << band;
        EXPECT_EQ(QColor(image.pixel(mid, r.top + i + 1)), expected) << band;
    }
    EXPECT_EQ(QColor(image.pixel(mid, r.top)), from) << "the first band is the tab colour";
    // No edges: the corners are the first band's colour too.
    EXPECT_EQ(QColor(image.pixel(r.left, r.top)), from);
    EXPECT_EQ(QColor(image.pixel(r.right - 1, r.top)), from);

    // Item 2 beside it has edges: light left and top, dark right.
    const CRect e = ItemRect(2);
    const COLORREF blue = CEnTabCtrl::Darken(RGB(127, 168, 222), 0.9f);
    EXPECT_EQ(ToColorRef(QColor(image.pixel(e.left + 1, e.top + 5))), CEnTabCtrl::Lighten(blue, 1.5f));
    EXPECT_EQ(ToColorRef(QColor(image.pixel(e.right - 1, e.top + 5))), CEnTabCtrl::Darken(blue, 0.75f));
}

TEST_F(EnTabCtrlTest, LongTextEndsInAnEllipsis)
{
    const QString text = QStringLiteral("A tab with a long caption");
    const QString shown = CEnTabCtrl::FormatText(text, 60, tabs->TabFont());
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_LE(QFontMetrics(tabs->TabFont()).horizontalAdvance(shown), 60);
    EXPECT_EQ(CEnTabCtrl::FormatText(QStringLiteral("A"), 60, tabs->TabFont()), QStringLiteral("A"));
}

TEST_F(EnTabCtrlTest, HandOverTabsThatCanBeSelected)
{
    AddItems(5);
    tabs->SetCurSel(1);
    auto moveTo = [&](const QPoint& p) {
        SendMouse(tabs, QEvent::MouseMove, p);
        return tabs->IsHandShown();
    };
    auto centre = [&](int i) { return ItemRect(i).ToQRect().center(); };
    EXPECT_TRUE(moveTo(centre(0)));
    EXPECT_EQ(tabs->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(moveTo(centre(1))) << "the selected tab";
    EXPECT_EQ(tabs->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(moveTo(centre(2)));
    EXPECT_FALSE(moveTo(centre(3))) << "item 3 never";
    EXPECT_TRUE(moveTo(centre(4)));
    EXPECT_FALSE(moveTo(QPoint(200, 80))) << "over the body";
    // A click selects.
    SendMouse(tabs, QEvent::MouseButtonPress, centre(4), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(tabs->GetCurSel(), 4);
    EXPECT_FALSE(moveTo(centre(4)));
}

TEST_F(EnTabCtrlTest, DrawTypesAndTheItemsWithoutASelection)
{
    EXPECT_FALSE(tabs->EnableDraw(3));
    EXPECT_EQ(tabs->GetDrawType(), 2);
    EXPECT_TRUE(tabs->EnableDraw(0));
    EXPECT_EQ(GetWindowStyle(tabs) & TCS_OWNERDRAWFIXED, 0u);
    tabs->PreSubclassWindow();  // look flags set: owner-drawn
    EXPECT_NE(GetWindowStyle(tabs) & TCS_OWNERDRAWFIXED, 0u);

    // Every draw type paints the tabs, with a selection or without one
    // (then no tab is drawn last as the selected one).
    for (int type : {0, 1, 2}) {
        tabs->DeleteAllItems();
        tabs->EnableDraw(type);
        const QImage empty = Drawn();
        AddItems(3);
        const QRect strip = ItemRect(0).ToQRect().united(ItemRect(2).ToQRect());
        tabs->SetCurSel(-1);
        const QImage unselected = Drawn();
        EXPECT_NE(unselected.copy(strip), empty.copy(strip)) << type;
        tabs->SetCurSel(2);
        EXPECT_NE(Drawn().copy(strip), unselected.copy(strip)) << type;
    }
}

TEST_F(EnTabCtrlTest, ItemsAndPlaces)
{
    AddItems(3);
    EXPECT_EQ(tabs->GetItemCount(), 3);
    EXPECT_EQ(tabs->GetCurSel(), 0) << "the first item is selected";
    const CRect a = ItemRect(0);
    const CRect b = ItemRect(1);
    EXPECT_EQ(a.left, 2);
    EXPECT_EQ(b.left, a.right);
    EXPECT_EQ(tabs->HitTest(b.ToQRect().center()), 1);
    EXPECT_EQ(tabs->SetCurSel(5), -1);
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_EQ(tabs->SetCurSel(2), 0);
    EXPECT_TRUE(tabs->DeleteItem(0));
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_EQ(tabs->GetItemText(0), QStringLiteral("T1"));

    CRect display(0, 0, 400, 100);
    tabs->AdjustRect(false, &display);
    EXPECT_EQ(display, CRect(4, 4 + tabs->ItemHeight(), 396, 96));
    tabs->AdjustRect(true, &display);
    EXPECT_EQ(display, CRect(0, 0, 400, 100));

    CEnTabCtrl::SetLookFlags(false, 0x1F);
    EXPECT_EQ(CEnTabCtrl::GetLookFlags(), 0u);
}

}  // namespace
