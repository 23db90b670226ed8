#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/MessageBox.h"
#include "model/SharedTexts.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"

namespace {

constexpr int kWatchdogMs = 15000;

// Runs the box modally; act runs once it is up. A watchdog ends a box that
// nothing closes, so no test can hang.
struct BoxRun {
    int result;
    qint64 elapsedMs;
    QString caption;
    bool watchdogFired;
};

BoxRun RunBox(CMessageBox& box, const std::function<void(CMessageBox&)>& act, int actAfterMs = 0)
{
    // The clock starts before the timers are armed, so that it never reads
    // less than the time a timer waited.
    QElapsedTimer clock;
    clock.start();
    bool watchdog = false;
    QString caption;
    QTimer::singleShot(actAfterMs, &box, [&] {
        caption = box.windowTitle();
        if (act)
            act(box);
    });
    QTimer::singleShot(kWatchdogMs, &box, [&] {
        watchdog = true;
        box.done(0);
    });
    box.DoModal();
    return {box.m_nResult, clock.elapsed(), caption, watchdog};
}

void ClickButton(CMessageBox& box, int id)
{
    box.Button(id)->click();
}

void Key(CMessageBox& box, Qt::Key key)
{
    QTest::keyClick(&box, key);
}

class MessageBoxTest : public ::testing::Test {
protected:
    void TearDown() override { g_bChinese = false; }
};

TEST_F(MessageBoxTest, ResultsOfEveryButtonSetAndExit)
{
    using Act = std::function<void(CMessageBox&)>;
    const Act ok = [](CMessageBox& b) { ClickButton(b, IDOK); };
    const Act cancel = [](CMessageBox& b) { ClickButton(b, IDCANCEL); };
    const Act enter = [](CMessageBox& b) { Key(b, Qt::Key_Return); };
    const Act escape = [](CMessageBox& b) { Key(b, Qt::Key_Escape); };
    const Act closeBox = [](CMessageBox& b) { b.close(); };
    struct Case {
        const char* what;
        UINT type;
        Act act;
        int result;
    };
    const Case cases[] = {
        {"OK: button", MB_OK, ok, IDOK},
        {"OK: Enter", MB_OK, enter, IDOK},
        {"OK: Esc", MB_OK, escape, IDOK},
        {"OK: close box", MB_OK, closeBox, IDOK},
        {"OK/Cancel: OK", MB_OKCANCEL, ok, IDOK},
        {"OK/Cancel: Cancel", MB_OKCANCEL, cancel, IDCANCEL},
        {"OK/Cancel: Esc", MB_OKCANCEL, escape, IDCANCEL},
        {"Yes/No: Yes", MB_YESNO, ok, IDYES},
        {"Yes/No: Enter", MB_YESNO, enter, IDYES},
        {"Yes/No: No", MB_YESNO, cancel, IDNO},
        {"Yes/No: Esc", MB_YESNO, escape, IDNO},
        {"Yes/No: close box", MB_YESNO, closeBox, IDNO},
        {"Quit: button", 6, cancel, IDCANCEL},
        {"Quit: Enter", 6, enter, IDCANCEL},
        {"Quit: OK path", 6, ok, IDCANCEL},
        {"icon: OK", MB_ICONQUESTION | MB_YESNO, ok, IDOK},
        {"icon: Cancel", MB_ICONWARNING | MB_OK, cancel, IDCANCEL},
        {"icon: Esc", MB_ICONINFORMATION | MB_OKCANCEL, escape, IDCANCEL},
        {"retry set: OK", MB_RETRYCANCEL, ok, IDOK},
        {"retry set: Cancel", MB_RETRYCANCEL, cancel, IDCANCEL},
    };
    for (const Case& c : cases) {
        CMessageBox box(QStringLiteral("text"), c.type, QStringLiteral("caption"), 0);
        const BoxRun run = RunBox(box, c.act);
        EXPECT_FALSE(run.watchdogFired) << c.what;
        EXPECT_EQ(run.result, c.result) << c.what;
    }
}

TEST_F(MessageBoxTest, PositiveHelpIdClosesTheBoxByItself)
{
    struct Case {
        UINT type;
        int result;
    };
    const Case cases[] = {{MB_OK, IDOK},        {MB_OKCANCEL, IDCANCEL}, {MB_YESNO, IDNO},
                          {6, IDCANCEL},        {MB_ICONERROR | MB_OK, IDCANCEL}};
    for (const Case& c : cases) {
        CMessageBox box(QStringLiteral("text"), c.type, QStringLiteral("caption"), 150);
        const BoxRun run = RunBox(box, nullptr);
        EXPECT_FALSE(run.watchdogFired) << c.type;
        EXPECT_EQ(run.result, c.result) << c.type;
        EXPECT_GE(run.elapsedMs, 150) << c.type;
    }
}

TEST_F(MessageBoxTest, PromptOf2000msClosesAfterItsTime)
{
    g_bChinese = true;
    CMessageBox box(QStringLiteral("text"), MB_OK, QStringLiteral("Orvane 7734"), 2000);
    const BoxRun run = RunBox(box, nullptr);
    EXPECT_EQ(run.caption, QStringLiteral("提示"));
    EXPECT_EQ(run.result, IDOK);
    EXPECT_GE(run.elapsedMs, 2000);
    EXPECT_LT(run.elapsedMs, 2000 + 5000);
}

TEST_F(MessageBoxTest, CaptionsByHelpIdAndLanguage)
{
    struct Case {
        int helpId;
        bool chinese;
        const char* caption;
    };
    const Case cases[] = {
        {0, true, "Orvane 7734"},   {2000, true, "提示"},    {2000, false, "Prompting"},
        {2001, true, "警告"},       {2001, false, "Warning"}, {-2, false, "提示"},
        {-3, true, "Prompting"},    {-4, false, "警告"},     {-5, true, "Warning"},
        {-1, true, "Orvane 7734"},  {0xF114, false, "Orvane 7734"},
    };
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        CMessageBox box(QStringLiteral("text"), MB_OK, QStringLiteral("Orvane 7734"), c.helpId);
        const BoxRun run = RunBox(box, [](CMessageBox& b) { ClickButton(b, IDOK); });
        EXPECT_EQ(run.caption, QString::fromUtf8(c.caption)) << c.helpId;
    }
}

TEST_F(MessageBoxTest, NegativeAndZeroHelpIdsNeverCloseByThemselves)
{
    for (int helpId : {0, -1, -3}) {
        CMessageBox box(QStringLiteral("text"), MB_YESNO, QStringLiteral("c"), helpId);
        // Still up after a while; then answered by the user.
        const BoxRun run = RunBox(
            box, [](CMessageBox& b) { EXPECT_TRUE(b.isVisible()); ClickButton(b, IDCANCEL); }, 400);
        EXPECT_EQ(run.result, IDNO) << helpId;
        EXPECT_GE(run.elapsedMs, 400) << helpId;
    }
}

TEST_F(MessageBoxTest, ButtonTextsAndLayoutByLanguage)
{
    struct Case {
        UINT type;
        bool chinese;
        const char* b1;  // null: hidden
        const char* b2;
    };
    const Case cases[] = {
        {MB_OK, true, "确定", nullptr},          {MB_OK, false, "OK", nullptr},
        {MB_OKCANCEL, true, "确定", "取消"},     {MB_OKCANCEL, false, "OK", "Cancel"},
        {MB_YESNO, true, "是", "否"},            {MB_YESNO, false, "YES", "NO"},
        {6, true, nullptr, "退出"},              {6, false, nullptr, "Quit"},
        {MB_YESNO | MB_ICONQUESTION, true, "OK", "Cancel"},
        {MB_YESNOCANCEL, true, "OK", "Cancel"},
    };
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        CMessageBox box(QStringLiteral("text"), c.type, QStringLiteral("c"), 0);
        RunBox(box, [&](CMessageBox& b) {
            QPushButton* one = b.Button(IDOK);
            QPushButton* two = b.Button(IDCANCEL);
            EXPECT_EQ(one->isVisible(), c.b1 != nullptr) << c.type;
            EXPECT_EQ(two->isVisible(), c.b2 != nullptr) << c.type;
            if (c.b1) {
                EXPECT_EQ(one->text(), QString::fromUtf8(c.b1)) << c.type;
            }
            if (c.b2) {
                EXPECT_EQ(two->text(), QString::fromUtf8(c.b2)) << c.type;
            }
            // A lone button is centred.
            if (!c.b1) {
                EXPECT_EQ(two->x(), (b.width() - two->width()) / 2);
            }
            if (!c.b2) {
                EXPECT_EQ(one->x(), (b.width() - one->width()) / 2);
            }
            if (c.b1 && c.b2) {
                EXPECT_LT(one->x(), two->x());
            }
            b.reject();
        });
    }
}

TEST_F(MessageBoxTest, LaidOutFromItsDialogUnits)
{
    CMessageBox box(QStringLiteral("连接失败  请检查USB线缆是否插好或\n该设备已经连接上了另一软件!"), MB_OKCANCEL,
                    QStringLiteral("c"), 0);
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    EXPECT_EQ(box.size(), MapDialogRect(CRect(0, 0, 183, 78), font).Size());
    RunBox(box, [&](CMessageBox& b) {
        EXPECT_EQ(b.Button(IDOK)->geometry(), MapDialogRect(CRect(37, 56, 37 + 50, 56 + 14), font).ToQRect());
        EXPECT_EQ(b.Button(IDCANCEL)->geometry(), MapDialogRect(CRect(101, 56, 101 + 50, 56 + 14), font).ToQRect());
        EXPECT_TRUE(b.TextControl()->text().contains(QLatin1Char('\n')));
        EXPECT_TRUE(b.TextControl()->alignment() & Qt::AlignHCenter);
        b.reject();
    });
}

TEST_F(MessageBoxTest, SetMessageCaptionIsTheMainTitle)
{
    CMessageBox box(static_cast<QWidget*>(nullptr));
    box.SetMessage(QStringLiteral("q"), MB_YESNO, QStringLiteral("ignored"), -3);
    const BoxRun yes = RunBox(box, [](CMessageBox& b) { ClickButton(b, IDOK); });
    EXPECT_EQ(yes.result, IDYES);
    CMessageBox plain(static_cast<QWidget*>(nullptr));
    plain.SetMessage(QStringLiteral("q"), MB_OK, QStringLiteral("ignored"), 0);
    EXPECT_EQ(RunBox(plain, [](CMessageBox& b) { ClickButton(b, IDOK); }).caption, g_strMainTitle);
}

TEST_F(MessageBoxTest, TheEntryPointShowsThisBox)
{
    const MessageBoxHandler previous = SetMessageBoxHandler(nullptr);
    CMessageBox::InstallAsMessageBoxHandler();
    QString caption;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<CMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->TextControl()->text();
        box->Button(IDCANCEL)->click();
    });
    EXPECT_EQ(AppMessageBox(QStringLiteral("Whether ByPass All EQ?"), MB_YESNO, 0), IDNO);
    EXPECT_EQ(caption, QStringLiteral("Orvane 7734"));
    EXPECT_EQ(text, QStringLiteral("Whether ByPass All EQ?"));
    SetMessageBoxHandler(previous);
}

}  // namespace
