// The three link prompts: the L/R link's direction, the channel-pair
// choice and the join-group buttons, each answered as a user would, in both
// languages where they have two.
#include <gtest/gtest.h>

#include <QTest>

#include "model/SharedTexts.h"
#include "pages/output/All_Link_Dlg.h"
#include "pages/output/CH_Link_Dlg.h"
#include "pages/output/ChangeGroupNum.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/ModalDialog.h"

namespace {

class LinkPromptTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetModalDialogHook(nullptr);
        g_bChinese = false;
    }
    // The next modal run: act works the dialog, the run answers what the
    // dialog ended with.
    template <class Act>
    void Answer(Act act)
    {
        SetModalDialogHook([act](QDialog& dialog) {
            dialog.show();
            act(dialog);
            return dialog.result();
        });
    }
};

TEST_F(LinkPromptTest, DirectionFollowsTheRadioAtOnceAndOnlyOkReturnsIt)
{
    struct Case {
        const char* name;
        int click;  // 0 none, 1 left to right, 2 right to left
        bool ok;
        int result;
        int direction;
    };
    const Case cases[] = {
        {"untouched OK", 0, true, IDOK, 0},
        {"right to left OK", 2, true, IDOK, 1},
        {"right to left then back, OK", 1, true, IDOK, 0},
        {"right to left, Cancel", 2, false, IDCANCEL, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CAll_Link_Dlg dialog;
        EXPECT_EQ(dialog.m_nDirection, 0);
        int seenAfterClick = -1;
        Answer([&](QDialog&) {
            if (c.click == 1) {
                QTest::mouseClick(&dialog.m_radioRightToLeft, Qt::LeftButton);
                QTest::mouseClick(&dialog.m_radioLeftToRight, Qt::LeftButton);
            } else if (c.click == 2) {
                QTest::mouseClick(&dialog.m_radioRightToLeft, Qt::LeftButton);
            }
            seenAfterClick = dialog.m_nDirection;
            QTest::mouseClick(c.ok ? &dialog.m_btnOK : &dialog.m_btnCancel, Qt::LeftButton);
        });
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(seenAfterClick, c.direction);
        EXPECT_EQ(dialog.m_nDirection, c.direction);
    }
}

TEST_F(LinkPromptTest, EscapeAndTheCloseBoxCancelTheDirection)
{
    CAll_Link_Dlg dialog;
    Answer([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    CAll_Link_Dlg closed;
    Answer([](QDialog& d) { d.close(); });
    EXPECT_EQ(closed.DoModal(), IDCANCEL);
}

TEST_F(LinkPromptTest, DirectionTextsAndCaptionByLanguage)
{
    struct Case {
        bool chinese;
        const char *prompt, *left, *right, *ok, *cancel;
        const QString& caption;
    };
    const Case cases[] = {
        {false, "Need to synchronize the data transfer, \nplease select sync mode", "Copy from left to right",
         "Copy from right to left ", "OK", "Cancel", g_strPromptCaptionEn},
        {true, "联调前需要同步左右通道的数据,\n请选择同步方式", "从左复制到右", "从右复制到左", "确定", "取消",
         g_strPromptCaptionCn},
    };
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        CAll_Link_Dlg dialog;
        EXPECT_TRUE(dialog.OnInitDialog());
        EXPECT_EQ(dialog.m_stcPrompt.text(), QString::fromUtf8(c.prompt));
        EXPECT_EQ(dialog.m_radioLeftToRight.text(), QString::fromUtf8(c.left));
        EXPECT_EQ(dialog.m_radioRightToLeft.text(), QString::fromUtf8(c.right));
        EXPECT_EQ(dialog.m_btnOK.text(), QString::fromUtf8(c.ok));
        EXPECT_EQ(dialog.m_btnCancel.text(), QString::fromUtf8(c.cancel));
        EXPECT_EQ(dialog.windowTitle(), c.caption);
        EXPECT_TRUE(dialog.m_radioLeftToRight.isChecked());
    }
}

TEST_F(LinkPromptTest, ChannelPairTextsAndChoice)
{
    struct Case {
        int pair;
        const char *first, *second, *caption;
    };
    const Case cases[] = {
        {0, "CH1 be applied?", "CH2 be applied? ", "Linking of CH1 and CH2 channel"},
        {1, "CH3 be applied? ", "CH4 be applied? ", "Linking of CH3 and CH4 channel"},
        {2, "CH5 be applied? ", "CH6 be applied? ", "Linking of CH5 and CH6 channel"},
        {3, "CH1 be applied?", "CH2 be applied? ", "Link"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pair);
        CCH_Link_Dlg dialog;
        dialog.m_nPair = c.pair;
        Answer([&](QDialog&) {
            QTest::mouseClick(&dialog.m_radioSecond, Qt::LeftButton);
            EXPECT_EQ(dialog.m_nChoice, 1);
            QTest::mouseClick(&dialog.m_btnOK, Qt::LeftButton);
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.m_radioFirst.text(), QString::fromLatin1(c.first));
        EXPECT_EQ(dialog.m_radioSecond.text(), QString::fromLatin1(c.second));
        EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(c.caption));
        EXPECT_EQ(dialog.m_nChoice, 1);
    }
    CCH_Link_Dlg untouched;
    Answer([&](QDialog&) { QTest::mouseClick(&untouched.m_btnOK, Qt::LeftButton); });
    EXPECT_EQ(untouched.DoModal(), IDOK);
    EXPECT_EQ(untouched.m_nChoice, 0);
}

TEST_F(LinkPromptTest, JoinGroupAnswersTheButtonPressedAndNeverADisabledOne)
{
    struct Case {
        const char* name;
        int disabled;  // button 1..4 disabled, 0 none
        int press;     // button 1..4, 5 Enter, 6 Escape
        int result;
        int group;
    };
    const Case cases[] = {
        {"button 1", 0, 1, IDOK, 1},
        {"button 3", 0, 3, IDOK, 3},
        {"button 4", 0, 4, IDOK, 4},
        {"Enter", 0, 5, IDOK, 4},
        {"Enter, 2 disabled", 2, 5, IDOK, 4},
        {"disabled 2 pressed", 2, 2, IDCANCEL, 0},
        {"Escape", 0, 6, IDCANCEL, 0},
        // Enter while "4" is disabled: nothing happens, the dialog stays.
        {"Enter, 4 disabled", 4, 5, IDCANCEL, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CChangeGroupNum dialog;
        if (c.disabled != 0)
            dialog.m_bGroupEnabled[c.disabled - 1] = 0;
        bool stillOpen = false;
        Answer([&](QDialog& d) {
            QPushButton* buttons[] = {&dialog.m_btnGroup1, &dialog.m_btnGroup2, &dialog.m_btnGroup3,
                                      &dialog.m_btnGroup4};
            if (c.press <= 4)
                QTest::mouseClick(buttons[c.press - 1], Qt::LeftButton);
            else if (c.press == 5)
                QTest::keyClick(&d, Qt::Key_Return);
            else
                QTest::keyClick(&d, Qt::Key_Escape);
            stillOpen = d.isVisible();
            // A dialog still open is left with Escape.
            if (stillOpen)
                QTest::keyClick(&d, Qt::Key_Escape);
        });
        const int result = dialog.DoModal();
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(dialog.m_nGroup, c.group);
        EXPECT_EQ(stillOpen, c.result == IDCANCEL && c.press != 6);
    }
}

TEST_F(LinkPromptTest, JoinGroupTextsByLanguage)
{
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        CChangeGroupNum dialog;
        dialog.m_nGroup = 3;
        dialog.OnInitDialog();
        EXPECT_EQ(dialog.m_nGroup, 0);
        EXPECT_EQ(dialog.windowTitle(), chinese ? QStringLiteral("加入联调组") : QStringLiteral("Join Group"));
        EXPECT_EQ(dialog.m_stcPrompt.text(), chinese ? QStringLiteral("请选择要加入的联调组:")
                                                     : QStringLiteral("Please select the group you want to join:"));
    }
}

}  // namespace
