// The delay side panel on its own: the unit buttons' pictures by state and
// language, the units it posts to its parent, a repeated press, the keys
// that never close it, and its hidden buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "model/WindowMessages.h"
#include "pages/output/DelayDlg.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/RecordingWidget.h"

namespace {

class DelayDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel.Create(&parent);
        SetDlgCtrlID(&panel, CDelayDlg::IDD);
        parent.show();
        parent.activateWindow();
        QApplication::setActiveWindow(&parent);
    }
    void TearDown() override { g_bChinese = false; }

    // The normal face each unit button shows now.
    std::vector<UINT> Faces() const
    {
        return {panel.m_btnMs.CurrentBitmapId(), panel.m_btnCm.CurrentBitmapId(), panel.m_btnInch.CurrentBitmapId()};
    }
    // Units posted to the parent since the last call.
    std::vector<LPARAM> PostedUnits()
    {
        parent.DeliverPosted();
        std::vector<LPARAM> units;
        for (const auto& m : parent.Messages(WM_DROPLIST_SELECTED)) {
            EXPECT_EQ(m.wParam, WPARAM(CDelayDlg::IDD));
            EXPECT_FALSE(m.bSent);
            units.push_back(m.lParam);
        }
        parent.Clear();
        return units;
    }

    CRecordingWidget parent;
    CDelayDlg panel;
};

TEST_F(DelayDlgTest, EachUnitButtonSelectsItsUnitShowsItsPicturesAndPostsIt)
{
    struct Case {
        bool chinese;
        CBitButton CDelayDlg::*button;
        LPARAM unit;
        std::vector<UINT> faces;  // ms, cm, inch
    };
    const Case cases[] = {
        {false, &CDelayDlg::m_btnMs, 1, {4322, 4323, 4326}},
        {false, &CDelayDlg::m_btnCm, 2, {4320, 4325, 4326}},
        {false, &CDelayDlg::m_btnInch, 3, {4320, 4323, 4328}},
        {true, &CDelayDlg::m_btnMs, 1, {4332, 4333, 4336}},
        {true, &CDelayDlg::m_btnCm, 2, {4330, 4335, 4336}},
        {true, &CDelayDlg::m_btnInch, 3, {4330, 4333, 4338}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chinese << " unit " << c.unit);
        if (g_bChinese != c.chinese) {
            // The page hands a language switch on.
            g_bChinese = c.chinese;
            panel.RefreshLanguage(panel.m_bMsUnit, panel.m_bCmUnit, panel.m_bInchUnit);
        }
        QTest::mouseClick(&(panel.*c.button), Qt::LeftButton);
        // Off the button, so that the normal face shows.
        QTest::mouseMove(&panel, QPoint(1, 1));
        EXPECT_EQ(Faces(), c.faces);
        EXPECT_EQ(PostedUnits(), std::vector<LPARAM>{c.unit});
        EXPECT_EQ(panel.m_bMsUnit, c.unit == 1 ? 1 : 0);
        EXPECT_EQ(panel.m_bCmUnit, c.unit == 2 ? 1 : 0);
        EXPECT_EQ(panel.m_bInchUnit, c.unit == 3 ? 1 : 0);
    }
}

TEST_F(DelayDlgTest, PressingTheSelectedUnitAgainPostsAgainAndChangesNoPicture)
{
    QTest::mouseClick(&panel.m_btnCm, Qt::LeftButton);
    QTest::mouseMove(&panel, QPoint(1, 1));
    const std::vector<UINT> before = Faces();
    EXPECT_EQ(PostedUnits(), std::vector<LPARAM>{2});
    QTest::mouseClick(&panel.m_btnCm, Qt::LeftButton);
    QTest::mouseMove(&panel, QPoint(1, 1));
    EXPECT_EQ(Faces(), before);
    EXPECT_EQ(PostedUnits(), std::vector<LPARAM>{2});
}

TEST_F(DelayDlgTest, ALanguageSwitchRepaintsButKeepsTheUnit)
{
    QTest::mouseClick(&panel.m_btnInch, Qt::LeftButton);
    QTest::mouseMove(&panel, QPoint(1, 1));
    PostedUnits();
    g_bChinese = true;
    panel.RefreshLanguage(panel.m_bMsUnit, panel.m_bCmUnit, panel.m_bInchUnit);
    EXPECT_EQ(Faces(), (std::vector<UINT>{4330, 4333, 4338}));
    EXPECT_EQ(panel.m_bInchUnit, 1);
    EXPECT_EQ(panel.m_bMsUnit + panel.m_bCmUnit, 0);
    // The hidden buttons' faces, seen enabled.
    for (CBitButton* hidden : {&panel.m_btnRemap, &panel.m_btnLock, &panel.m_btnLink})
        hidden->setEnabled(true);
    EXPECT_EQ(panel.m_btnLock.CurrentBitmapId(), 1146u);
    EXPECT_EQ(panel.m_btnLink.CurrentBitmapId(), 1138u);
    EXPECT_EQ(panel.m_btnRemap.CurrentBitmapId(), 1166u);
    g_bChinese = false;
    panel.RefreshLanguage(panel.m_bMsUnit, panel.m_bCmUnit, panel.m_bInchUnit);
    EXPECT_EQ(Faces(), (std::vector<UINT>{4320, 4323, 4328}));
    EXPECT_EQ(panel.m_btnLock.CurrentBitmapId(), 1157u);
    EXPECT_EQ(panel.m_btnLink.CurrentBitmapId(), 1142u);
    EXPECT_EQ(panel.m_btnRemap.CurrentBitmapId(), 1169u);
    EXPECT_EQ(panel.m_bInchUnit, 1);
    EXPECT_EQ(PostedUnits(), std::vector<LPARAM>{});
}

TEST_F(DelayDlgTest, EscapeAndReturnFocusThePanelAndGoNoFurther)
{
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&panel.m_btnMs, &press);
        EXPECT_TRUE(press.isAccepted());
        EXPECT_TRUE(panel.isVisible());
        EXPECT_TRUE(panel.hasFocus());
    }
    EXPECT_EQ(PostedUnits(), std::vector<LPARAM>{});
}

TEST_F(DelayDlgTest, TheMapButtonsStayHiddenAndDisabled)
{
    for (CBitButton* hidden : {&panel.m_btnRemap, &panel.m_btnLock, &panel.m_btnLink}) {
        EXPECT_FALSE(hidden->isVisible());
        EXPECT_FALSE(hidden->isEnabled());
    }
    for (CBitButton* unit : {&panel.m_btnMs, &panel.m_btnCm, &panel.m_btnInch})
        EXPECT_TRUE(unit->isVisible());
    // Without a page their commands do nothing.
    panel.WindowProc(WM_COMMAND, CDelayDlg::IDC_LOCK, 0);
    EXPECT_FALSE(panel.m_btnLock.GetCheck());
}

}  // namespace
