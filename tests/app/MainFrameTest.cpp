// The borderless main frame and its child frame: place and size, the
// outline, the title, a change of the screens, and the system commands the
// view's buttons send.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "app/BrelinView.h"
#include "app/ChildFrm.h"
#include "app/MainFrm.h"
#include "model/SharedTexts.h"
#include "platform/core/AppMode.h"
#include "platform/core/SystemMessages.h"
#include "tests/app/AppStartFixture.h"

namespace {

TEST(MainFrameTest, BorderlessCentredAndTheOutlineIsInsetByTwoPixels)
{
    CMainFrame frame;
    EXPECT_TRUE(frame.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(frame.size(), QSize(1282, 732));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE(std::abs(frame.geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(frame.geometry().center().y() - screen.center().y()), 1);

    frame.show();
    frame.resize(1000, 600);
    EXPECT_EQ(frame.mask(), QRegion(2, 2, 996, 596));
    frame.resize(1282, 732);
    EXPECT_EQ(frame.mask(), QRegion(2, 2, 1278, 728));
}

TEST(MainFrameTest, ASizeEventSetsTheTitleOnlyInApplicationModesOneAndTwo)
{
    struct Case {
        int mode;
        bool titled;
    };
    for (const Case c : {Case{1, true}, Case{2, true}, Case{0, false}, Case{3, false}}) {
        CMainFrame frame;
        frame.setWindowTitle(QStringLiteral("other"));
        g_nAppMode = c.mode;
        frame.OnSize(CMainFrame::SIZE_RESTORED, 800, 600);
        EXPECT_EQ(frame.windowTitle() == g_strMainTitle, c.titled) << c.mode;
        frame.setWindowTitle(QStringLiteral("other"));
        frame.OnSize(CMainFrame::SIZE_MAXIMIZED, 800, 600);
        EXPECT_EQ(frame.windowTitle() == g_strMainTitle, c.titled) << c.mode;
        frame.setWindowTitle(QStringLiteral("other"));
        frame.OnSize(CMainFrame::SIZE_MINIMIZED, 0, 0);
        EXPECT_EQ(frame.windowTitle(), QStringLiteral("other")) << c.mode;
    }
    g_nAppMode = APP_MODE_DEFAULT;
}

TEST(MainFrameTest, AChangeOfTheScreensPutsItTopLeftInItsSmallerSize)
{
    CMainFrame frame;
    frame.hide();
    QScreen* screen = QGuiApplication::primaryScreen();
    emit screen->geometryChanged(screen->geometry());
    EXPECT_EQ(frame.DisplayChangeCount(), 1);
    EXPECT_EQ(frame.pos(), QPoint(0, 0));
    EXPECT_EQ(frame.size(), QSize(1254, 706));
    EXPECT_TRUE(frame.isVisible());
}

TEST(MainFrameTest, SystemCommandsMinimiseAndClose)
{
    CMainFrame frame;
    frame.show();
    SendMessage(&frame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(frame.windowState() & Qt::WindowMinimized);
    SendMessage(&frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(frame.isVisible());
}

using ChildFrameTest = AppStartTest;

TEST_F(ChildFrameTest, TheChildFrameAndTheViewFillTheMainFrame)
{
    ASSERT_TRUE(StartApp());
    CChildFrame* child = g_theApp.GetChildFrame();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->IsMaximized());
    EXPECT_EQ(child->geometry(), Frame()->rect());
    EXPECT_EQ(View()->geometry(), child->rect());
    EXPECT_EQ(View()->size(), QSize(1282, 732));
    // No menu bar, tool bar or status bar: the view is the whole client.
    EXPECT_EQ(Frame()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    Frame()->resize(1100, 700);
    EXPECT_EQ(View()->size(), QSize(1100, 700));
}

}  // namespace
