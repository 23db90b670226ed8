#include <gtest/gtest.h>

#include <QTest>
#include <QUrl>

#include "controls/HyLink.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/UrlOpener.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

const QColor kLinkField(229, 229, 229);
const QColor kLinkRed(255, 0, 0);

class CHyLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = SetUrlOpenerHook([this](const QUrl& url) {
            opened.append(url);
            return false;
        });
        parent.resize(300, 100);
        link = new CHyLink(&parent);
        link->setGeometry(10, 10, 200, 24);
        link->SetWindowText(QStringLiteral("http://127.0.0.1/orvane"));
        parent.show();
    }
    void TearDown() override { SetUrlOpenerHook(previous); }
    void Click()
    {
        SendMouse(link, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
        SendMouse(link, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton);
    }
    int RedPixels() { return CountPixels(Render(link), kLinkRed, 60); }

    QWidget parent;
    CHyLink* link = nullptr;
    QList<QUrl> opened;
    UrlOpenerHook previous;
};

TEST_F(CHyLinkTest, TheTextTurnsRedWhileThePointerIsOverIt)
{
    QImage idle = Render(link);
    EXPECT_EQ(QColor(idle.pixel(199, 0)), kLinkField);
    EXPECT_EQ(RedPixels(), 0);
    EXPECT_GT(CountPixels(idle, Qt::black, 60), 20);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), link->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(link, &enter);
    EXPECT_TRUE(link->IsHover());
    EXPECT_GT(RedPixels(), 20);
    EXPECT_EQ(CountPixels(Render(link), Qt::black, 60), 0);
    // Held and dragged out, the look follows the pointer.
    SendMouse(link, QEvent::MouseMove, QPoint(250, 5), Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(link->IsHover());
    SendMouse(link, QEvent::MouseMove, QPoint(5, 5));
    EXPECT_TRUE(link->IsHover());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    EXPECT_FALSE(link->IsHover());
    EXPECT_EQ(RedPixels(), 0);
    SendMouse(link, QEvent::MouseMove, QPoint(5, 5));
    link->ResetHover();
    EXPECT_FALSE(link->IsHover());
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(CHyLinkTest, TheTextLandsWhereTheStaticStyleSays)
{
    // Where the text lands: left, centred, right.
    const auto inkBounds = [this] {
        return PixelBounds(Render(link), [](QRgb p) { return qRed(p) < 100; });
    };
    link->SetWindowText(QStringLiteral("abc"));
    SetWindowStyle(link, SS_LEFT | SS_CENTERIMAGE);
    const QRect left = inkBounds();
    SetWindowStyle(link, SS_CENTER | SS_CENTERIMAGE);
    const QRect centre = inkBounds();
    SetWindowStyle(link, SS_RIGHT | SS_CENTERIMAGE);
    const QRect right = inkBounds();
    EXPECT_LT(left.left(), 5);
    EXPECT_NEAR(centre.center().x(), 100, 3);
    EXPECT_GT(right.right(), 194);
    EXPECT_NEAR(left.center().y(), 12, 3) << "centred vertically";
}

TEST_F(CHyLinkTest, AClickOpensTheTextWhateverItIs)
{
    const QString path = QStringLiteral("/tmp/orvane help.pdf");
    for (const QString& text : {QStringLiteral("http://127.0.0.1/orvane"), path, QString()}) {
        link->SetWindowText(text);
        Click();
    }
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://127.0.0.1/orvane")));
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(path));
    EXPECT_TRUE(opened[2].isEmpty());
    // A release away from the label is no click.
    SendMouse(link, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    SendMouse(link, QEvent::MouseButtonRelease, QPoint(250, 5), Qt::LeftButton);
    EXPECT_EQ(opened.size(), 3);
}

}  // namespace
