// The password prompt: the right password accepted silently, anything else
// refused with one box, at most six characters, Escape keeps it open and
// its close button ends it without a box.
#include <QTest>

#include "model/WorkingStrings.h"
#include "pages/input/Add_PW_Dlg.h"
#include "platform/core/Language.h"
#include "tests/pages/input/DialogTestSupport.h"

namespace {

class AddPwDlgTest : public DialogAppTest {
protected:
    void SetUp() override
    {
        DialogAppTest::SetUp();
        m_prompt.Create();
        m_prompt.show();
        QCoreApplication::processEvents();
    }
    void TypeAndEnter(const QString& text)
    {
        m_prompt.m_editPassword.setFocus();
        QTest::keyClicks(&m_prompt.m_editPassword, text);
        QTest::keyClick(&m_prompt.m_editPassword, Qt::Key_Return);
    }
    CAdd_PW_Dlg m_prompt;
};

TEST_F(AddPwDlgTest, TheRightPasswordIsAcceptedSilently)
{
    EXPECT_TRUE(m_prompt.isWindow());
    EXPECT_EQ(m_prompt.size(), QSize(421, 388));
    TypeAndEnter(g_strAdvPassword);
    EXPECT_EQ(m_prompt.m_bPasswordAccepted, 1);
    EXPECT_EQ(m_prompt.result(), int(IDOK));
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(AddPwDlgTest, AnythingElseIsRefusedOnceInTheUsersLanguage)
{
    struct Case {
        const char* typed;
        bool chinese;
        const char* box;
    };
    const Case cases[] = {{"KQ3175", false, "Password error!"}, {"", false, "Password error!"},
                          {"kq317", true, "密码错误!"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        m_boxes.shown.clear();
        g_bChinese = c.chinese;
        m_prompt.m_bPasswordAccepted = 1;
        m_prompt.show();
        TypeAndEnter(QString::fromLatin1(c.typed));
        EXPECT_EQ(m_prompt.m_bPasswordAccepted, 0);
        EXPECT_EQ(m_prompt.result(), int(IDOK));
        ASSERT_EQ(m_boxes.shown.size(), 1u);
        EXPECT_EQ(m_boxes.shown[0].text, QString::fromUtf8(c.box));
        EXPECT_EQ(m_boxes.shown[0].helpId, 0);
    }
}

TEST_F(AddPwDlgTest, SixCharactersAtMostAndOnlyTheCloseButtonEndsItWithoutAnswer)
{
    m_prompt.m_editPassword.setFocus();
    QTest::keyClicks(&m_prompt.m_editPassword, QStringLiteral("ab-12 34567"));
    EXPECT_EQ(m_prompt.m_editPassword.text(), QStringLiteral("ab1234"));
    EXPECT_EQ(m_prompt.m_editPassword.echoMode(), QLineEdit::Password);
    QTest::keyClick(&m_prompt.m_editPassword, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_prompt.isVisible());
    SendMessage(&m_prompt, WM_COMMAND, CAdd_PW_Dlg::IDC_CLOSE, 0);
    EXPECT_FALSE(m_prompt.isVisible());
    EXPECT_EQ(m_prompt.result(), int(IDCANCEL));
    EXPECT_EQ(m_prompt.m_bPasswordAccepted, 0);
    EXPECT_TRUE(m_boxes.shown.empty());
}

}  // namespace
