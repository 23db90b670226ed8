#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>

#include "controls/SplashWnd.h"
#include "tests/common/gui/PaintCounter.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

// A window that counts the presses that reach it.
class CPressCounter : public CPaintCounter<QWidget> {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void keyPressEvent(QKeyEvent*) override { ++presses; }
};

class CSplashWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        bitmap = dir.filePath(QStringLiteral("splash.bmp"));
        CSplashWnd::EnableSplash(true);
    }
    void TearDown() override
    {
        if (CSplashWnd* splash = CSplashWnd::Current())
            splash->HideSplash();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CSplashWnd::EnableSplash(false);
    }
    void WriteBitmap(const QString& file, const char* format = "BMP")
    {
        QImage image(120, 80, QImage::Format_RGB32);
        image.fill(QColor(10, 90, 160));
        ASSERT_TRUE(image.save(file, format));
    }

    QTemporaryDir dir;
    QString bitmap;
};

TEST_F(CSplashWndTest, OneSplashAtATimeFromABitmapFileOnly)
{
    CSplashWnd::EnableSplash(false);
    WriteBitmap(bitmap);
    EXPECT_FALSE(CSplashWnd::ShowSplash(1000, bitmap, nullptr)) << "off";
    CSplashWnd::EnableSplash(true);
    EXPECT_FALSE(CSplashWnd::ShowSplash(1000, QString(), nullptr));
    EXPECT_FALSE(CSplashWnd::ShowSplash(1000, dir.filePath(QStringLiteral("missing.bmp")), nullptr));
    const QString png = dir.filePath(QStringLiteral("picture.bmp"));
    WriteBitmap(png, "PNG");
    EXPECT_FALSE(CSplashWnd::ShowSplash(1000, png, nullptr)) << "a PNG, whatever its name";
    EXPECT_EQ(CSplashWnd::Current(), nullptr);

    ASSERT_TRUE(CSplashWnd::ShowSplash(1000, bitmap, nullptr)) << "a later call may try again";
    CSplashWnd* splash = CSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(120, 80));
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(QColor(Render(splash).pixel(60, 40)), QColor(10, 90, 160));
    EXPECT_FALSE(CSplashWnd::ShowSplash(1000, bitmap, nullptr)) << "one at a time";
    EXPECT_FALSE(CSplashWnd::LoadBitmapFile(bitmap)) << "it has its bitmap";

    // Hidden, the pointer is clear at once and a new splash may come; the
    // old one goes with the event loop.
    const QPointer<CSplashWnd> old(splash);
    splash->HideSplash();
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    EXPECT_FALSE(old->isVisible());
    ASSERT_TRUE(CSplashWnd::ShowSplash(1000, bitmap, nullptr));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    EXPECT_NE(CSplashWnd::Current(), nullptr);
}

TEST_F(CSplashWndTest, CentredOverTheVisibleOwnerElseOnTheScreen)
{
    WriteBitmap(bitmap);
    CPressCounter owner;
    owner.setGeometry(100, 120, 500, 300);
    ASSERT_TRUE(CSplashWnd::ShowSplash(1000, bitmap, &owner)) << "hidden owner";
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    const auto centredIn = [](const QRect& area) {
        return QRect(area.left() + (area.width() - 120) / 2, area.top() + (area.height() - 80) / 2, 120, 80);
    };
    EXPECT_EQ(CSplashWnd::Current()->geometry(), centredIn(work));
    CSplashWnd::Current()->HideSplash();

    owner.show();
    auto* child = new QWidget(&owner);
    ASSERT_TRUE(CSplashWnd::ShowSplash(1000, bitmap, child));
    EXPECT_EQ(CSplashWnd::Current()->geometry(), centredIn(owner.frameGeometry()));
    // Hiding repaints the owner's window.
    owner.paints = 0;
    CSplashWnd::Current()->HideSplash();
    EXPECT_TRUE(WaitFor([&] { return owner.paints > 0; }));
}

TEST_F(CSplashWndTest, ItsTimeOrAnyPressEndsItAndThePressGoesNoFurther)
{
    WriteBitmap(bitmap);
    ASSERT_TRUE(CSplashWnd::ShowSplash(50, bitmap, nullptr));
    const QPointer<CSplashWnd> timed(CSplashWnd::Current());
    EXPECT_TRUE(WaitFor([&] { return timed.isNull(); })) << "timer 1 hid and deleted it";
    EXPECT_EQ(CSplashWnd::Current(), nullptr);

    CPressCounter elsewhere;
    elsewhere.show();
    const struct {
        const char* what;
        QEvent::Type type;
    } presses[] = {{"button", QEvent::MouseButtonPress}, {"key", QEvent::KeyPress}};
    for (const auto& p : presses) {
        ASSERT_TRUE(CSplashWnd::ShowSplash(60000, bitmap, nullptr)) << p.what;
        if (p.type == QEvent::KeyPress) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QCoreApplication::sendEvent(&elsewhere, &key);
        } else {
            SendMouse(&elsewhere, QEvent::MouseButtonPress, QPoint(3, 3), Qt::RightButton, Qt::RightButton);
        }
        EXPECT_EQ(CSplashWnd::Current(), nullptr) << p.what;
        EXPECT_EQ(elsewhere.presses, 0) << p.what << " consumed";
    }
    // Without a splash, presses arrive.
    SendMouse(&elsewhere, QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(elsewhere.presses, 1);
}

}  // namespace
