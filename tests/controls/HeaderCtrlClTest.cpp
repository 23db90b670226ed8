// The gradient header: the colour of every line from the first colour down
// by the step (none below 0), the strip after the last item, a header
// without items, the headings placed by their codes, no text once the
// copies are cleared (and none read past them), and the height scale.
#include <gtest/gtest.h>

#include <memory>

#include "controls/HeaderCtrlCl.h"
#include "controls/ListCtrlCl.h"
#include "platform/core/Language.h"
#include "tests/controls/ListTestSupport.h"

namespace {

QColor GradientLine(int y, int step)
{
    return QColor(std::max(0, 180 - step * y), std::max(0, 179 - step * y), std::max(0, 179 - step * y));
}

class HeaderCtrlClTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_list = std::make_unique<CListCtrlCl>();
        m_list->resize(400, 150);
        m_list->InsertColumn(0, QStringLiteral("W"), LVCFMT_LEFT, 100);
        m_list->InsertColumn(1, QStringLiteral("W"), LVCFMT_CENTER, 100);
        m_list->InsertColumn(2, QStringLiteral("W"), LVCFMT_RIGHT, 100);
        m_list->SetHeaderHeight(2.0f);  // at least 20 lines
        m_list->show();
        QCoreApplication::processEvents();
    }

    CHeaderCtrlCl* Header() const { return m_list->m_Header; }
    QImage RenderHeader() const { return Render(Header()); }

    std::unique_ptr<CListCtrlCl> m_list;
};

TEST_F(HeaderCtrlClTest, EveryLineDarkensByTheStep)
{
    for (int step : {3, 100}) {
        SCOPED_TRACE(step);
        m_list->SetHeaderBkColor(180, 179, 179, step);
        const QImage image = RenderHeader();
        ASSERT_GE(image.height(), 20);
        for (int y = 0; y < image.height(); ++y) {
            // Inside item 1 away from its text, and in the strip after the last item.
            EXPECT_TRUE(Near(image.pixel(105, y), GradientLine(y, step), 0)) << y;
            EXPECT_TRUE(Near(image.pixel(350, y), GradientLine(y, step), 0)) << y;
        }
    }
    m_list->SetHeaderBkColor(180, 179, 179, 3);
    const QImage image = RenderHeader();
    EXPECT_TRUE(Near(image.pixel(105, 0), QColor(180, 179, 179), 0));
    EXPECT_TRUE(Near(image.pixel(105, 19), QColor(123, 122, 122), 0));
}

TEST_F(HeaderCtrlClTest, AHeaderWithoutItemsIsAllGradient)
{
    CListCtrlCl empty;
    empty.resize(200, 100);
    empty.show();
    QCoreApplication::processEvents();
    const QImage image = Render(empty.m_Header);
    ASSERT_GT(image.height(), 5);
    for (int x : {0, image.width() / 2, image.width() - 1})
        for (int y = 0; y < image.height(); ++y)
            EXPECT_TRUE(Near(image.pixel(x, y), GradientLine(y, 3), 0)) << x << "," << y;
}

TEST_F(HeaderCtrlClTest, HeadingsArePlacedByTheirCodes)
{
    m_list->SetHeaderTextColor(RGB(0, 0, 0));
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        const QImage image = RenderHeader();
        auto ink = [&](int left) {
            return PixelBounds(image.copy(QRect(left, 0, 100, image.height())), [](QRgb p) { return qGray(p) < 40; });
        };
        const QRect left = ink(0);
        const QRect centre = ink(100);
        const QRect right = ink(200);
        ASSERT_FALSE(left.isEmpty());
        EXPECT_NEAR(left.left(), 3, 2);
        EXPECT_NEAR(centre.center().x(), 50, 2);
        EXPECT_NEAR(right.right(), 96, 2);
        // Vertically about centred on the header.
        EXPECT_NEAR(left.center().y(), image.height() / 2, 4);
    }
    g_bChinese = 0;
}

TEST_F(HeaderCtrlClTest, ClearedHeadingsDrawNothing)
{
    m_list->SetHeaderTextColor(RGB(0, 0, 0));
    const QImage before = RenderHeader();
    EXPECT_GT(CountPixels(before, Qt::black, 40), 0);
    EXPECT_TRUE(m_list->ClearHeaderTexts());
    EXPECT_TRUE(Header()->m_HeaderTexts.isEmpty());
    EXPECT_EQ(Header()->m_strAlign, QStringLiteral("012"));
    // Columns inserted past the copies (no text, no code) draw nothing either.
    m_list->CListCtrl::InsertColumn(3, QStringLiteral("W"), LVCFMT_LEFT, 50);
    const QImage after = RenderHeader();
    EXPECT_EQ(CountPixels(after, Qt::black, 40), 0);
    for (int y = 0; y < after.height(); ++y)
        EXPECT_TRUE(Near(after.pixel(340, y), GradientLine(y, 3), 0)) << y;
}

TEST_F(HeaderCtrlClTest, TheHeightIsTheNaturalHeightTimesTheScale)
{
    m_list->SetHeaderHeight(1.0f);
    m_list->resize(401, 150);
    QCoreApplication::processEvents();
    const int natural = Header()->height();
    ASSERT_GT(natural, 10);
    m_list->SetHeaderHeight(1.5f);
    m_list->resize(400, 150);
    QCoreApplication::processEvents();
    EXPECT_EQ(Header()->height(), int(natural * 1.5f));
    // The items start right under it.
    EXPECT_EQ(m_list->viewport()->y(), Header()->y() + Header()->height());
}

}  // namespace
