#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "app/MessageBox.h"
#include "app/MsgBox.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/WindowAttributes.h"

namespace {

TEST(MsgBoxTest, HiddenWindowIsCreatedOnce)
{
    QWidget view;
    CMsgBox box;
    EXPECT_FALSE(box.IsCreated());
    box.CreateHidden(&view);
    EXPECT_TRUE(box.IsCreated());
    EXPECT_EQ(box.parentWidget(), &view);
    EXPECT_EQ(GetDlgCtrlID(&box), 1000);
    EXPECT_TRUE(box.isHidden());
    EXPECT_EQ(box.objectName(), QStringLiteral("{62BAB41D-B6BB-402C-89EF-5B86830DF68C}"));
    QWidget other;
    box.CreateHidden(&other);
    EXPECT_EQ(box.parentWidget(), &view);
}

// The plain box it shows answers itself with Enter after a second.
TEST(MsgBoxTest, ShowMessageClosesTheBoxAfterASecond)
{
    const MessageBoxHandler previous = SetMessageBoxHandler(nullptr);
    int answer = 0;
    SetMessageBoxHandler([&](const QString& text, unsigned type, int helpId) {
        CMessageBox box(text, type, QStringLiteral("Orvane 7734"), helpId);
        QTimer::singleShot(15000, &box, [&box] { box.done(0); });  // watchdog
        box.DoModal();
        answer = box.m_nResult;
        return answer;
    });
    QWidget view;
    CMsgBox msg(&view);
    QElapsedTimer clock;
    clock.start();
    msg.ShowMessage(QStringLiteral("hello"));
    EXPECT_EQ(answer, IDOK);
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_LT(clock.elapsed(), 10000);
    SetMessageBoxHandler(previous);
}

TEST(MsgBoxTest, EnterWithoutAWindowDoesNothing)
{
    CMsgBox::PressEnter();
    SUCCEED();
}

}  // namespace
