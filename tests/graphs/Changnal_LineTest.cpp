// The curve-visibility strip: twelve toggles over its dark background that
// flip the show-curve flags and their faces, and ask the page to refresh
// unless the toggled output is the one being edited.
#include <gtest/gtest.h>

#include <QTest>

#include "controls/BitButton.h"
#include "graphs/Changnal_Line.h"
#include "graphs/CurveStripOwner.h"
#include "model/DataDefine.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

class CCountingPage : public ICurveStripOwner {
public:
    void RefreshChannel() override { ++refreshes; }
    int refreshes = 0;
};

class Changnal_LineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (bool& shown : g_abShowCurve)
            shown = false;
        g_nCurOutput = 0;
        page.resize(1300, 300);
        strip.Create(&page);
        strip.SetOwnerPage(&owner);
        strip.move(1223, 20);
        strip.resize(46, 222);
        strip.show();
        page.show();
    }
    void TearDown() override
    {
        for (bool& shown : g_abShowCurve)
            shown = false;
        g_nCurOutput = 0;
    }

    void Click(int n)
    {
        CBitButton* button = strip.Button(n);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
    }

    QWidget page;
    CChangnal_Line strip;
    CCountingPage owner;
};

TEST_F(Changnal_LineTest, ButtonsHaveTheirIdsFacesAndPlaces)
{
    EXPECT_EQ(strip.parentWidget(), &page);
    for (int n = 0; n < OUTPUT_COUNT; ++n) {
        CBitButton* button = strip.Button(n);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(GetDlgCtrlID(button), int(CChangnal_Line::kButtons[n].id)) << n;
        EXPECT_EQ(button->size(), QSize(34, 16)) << n;
        EXPECT_EQ(button->CurrentBitmapId(), CChangnal_Line::kButtons[n].normal) << n;
        // Top to bottom, inside the 222-pixel strip.
        if (n > 0) {
            EXPECT_GT(button->y(), strip.Button(n - 1)->y() + 15) << n;
        }
        EXPECT_LE(button->geometry().bottom(), 222) << n;
        EXPECT_LE(button->geometry().right(), 46) << n;
    }
    EXPECT_EQ(strip.Button(12), nullptr);
    // Outputs 6 and 7 swap their down faces.
    EXPECT_EQ(CChangnal_Line::kButtons[5].down, 987u);
    EXPECT_EQ(CChangnal_Line::kButtons[6].down, 986u);
    // The dark background fills the strip.
    const QImage image = Render(&strip);
    const QImage background = CResourceStore::Image(QStringLiteral("BMP"), CChangnal_Line::IDB_BACKGROUND);
    ASSERT_EQ(background.size(), QSize(46, 222));
    EXPECT_EQ(image.pixel(44, 220), background.pixel(44, 220));
    EXPECT_LT(qGray(background.pixel(23, 111)), 80);
}

TEST_F(Changnal_LineTest, ClicksFlipTheFlagAndTheFace)
{
    Click(4);
    EXPECT_TRUE(g_abShowCurve[4]);
    EXPECT_TRUE(strip.Button(4)->GetCheck());
    EXPECT_EQ(strip.Button(4)->CurrentBitmapId(), CChangnal_Line::kButtons[4].down);
    EXPECT_EQ(owner.refreshes, 1);
    for (int n = 0; n < OUTPUT_COUNT; ++n) {
        if (n != 4) {
            EXPECT_FALSE(g_abShowCurve[n]) << n;
        }
    }

    Click(4);
    EXPECT_FALSE(g_abShowCurve[4]);
    EXPECT_FALSE(strip.Button(4)->GetCheck());
    EXPECT_EQ(owner.refreshes, 2);

    // Output 12 too.
    Click(11);
    EXPECT_TRUE(g_abShowCurve[11]);
    EXPECT_EQ(owner.refreshes, 3);
}

TEST_F(Changnal_LineTest, TheOutputBeingEditedFlipsWithoutARefresh)
{
    g_nCurOutput = 6;
    Click(6);
    EXPECT_TRUE(g_abShowCurve[6]);
    EXPECT_TRUE(strip.Button(6)->GetCheck());
    EXPECT_EQ(owner.refreshes, 0);
    Click(5);
    EXPECT_EQ(owner.refreshes, 1);
    // With no page nothing is refreshed.
    strip.SetOwnerPage(nullptr);
    Click(2);
    EXPECT_TRUE(g_abShowCurve[2]);
    EXPECT_EQ(owner.refreshes, 1);
}

TEST_F(Changnal_LineTest, EnterAndEscapeLeaveTheStripAsItIs)
{
    Click(1);
    strip.Button(1)->setFocus();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(strip.Button(1), Qt::Key(key));
        QTest::keyClick(&strip, Qt::Key(key));
        EXPECT_TRUE(strip.isVisible()) << key;
        EXPECT_TRUE(g_abShowCurve[1]) << key;
        EXPECT_TRUE(strip.Button(1)->GetCheck()) << key;
        EXPECT_EQ(owner.refreshes, 1) << key;
    }
}

}  // namespace
