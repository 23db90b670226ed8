// The input-mix page: where its columns stand, what it relays to the view,
// the row labels it paints and what a highlight repaints.
#include <gtest/gtest.h>

#include <QImage>
#include <QPaintEvent>

#include "app/GlobalObjects.h"
#include "model/WindowMessages.h"
#include "tests/pages/input/MixFixture.h"

namespace {

class MixInPutComTest : public MixAppTest {};

TEST_F(MixInPutComTest, ColumnsStandSideBySideAndTheViewKnowsTheirPlaces)
{
    const int lefts[OUTPUT_COUNT] = {107, 205, 302, 400, 497, 595, 692, 790, 887, 985, 1082, 1179};
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        EXPECT_EQ(CMixInPutCom::ColumnLeft(i), lefts[i]) << i;
        EXPECT_EQ(m_pView->m_mixPage.m_Column[i].geometry(), QRect(lefts[i], 4, 92, 441)) << i;
        EXPECT_EQ(m_pView->MixColumnRect(i), CRect(lefts[i], 4, lefts[i] + 92, 445)) << i;
        EXPECT_EQ(m_pView->m_mixPage.m_Column[i].m_Notify.nOutput, i) << i;
    }
}

TEST_F(MixInPutComTest, ColumnNoticesReachTheViewUnchanged)
{
    CMixInPutCom& page = OwnPage();
    MixCellRef cell{3, 9};
    SendMessage(&page, WM_MIX_COLUMN_SELECT, 7, 0);
    SendMessage(&page, WM_MIX_LEVEL_CHANGED, WPARAM(&cell), 55);
    const auto selects = Relayed(WM_MIX_SELECT_OUTPUT);
    ASSERT_EQ(selects.size(), 1u);
    EXPECT_EQ(selects[0].wParam, WPARAM(7));
    EXPECT_EQ(selects[0].lParam, LPARAM(0));
    const auto levels = m_spy.Messages(WM_MIX_LEVEL_NOTIFY);
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0].wParam, WPARAM(&cell));
    EXPECT_EQ(levels[0].lParam, LPARAM(55));
    EXPECT_EQ(m_spy.Messages().size(), 2u);
}

// Red and grey pixels of each row's label band.
struct LabelPixels {
    int red = 0;
    int grey = 0;
};
LabelPixels CountLabelPixels(const QImage& image, int top, int bottom)
{
    LabelPixels count;
    for (int y = top; y < bottom; ++y) {
        for (int x = 10; x < 100; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                ++count.red;
            else if (qAbs(c.red() - 156) < 30 && qAbs(c.green() - 156) < 30 && qAbs(c.blue() - 156) < 30)
                ++count.grey;
        }
    }
    return count;
}

TEST_F(MixInPutComTest, TheHighlightedRowIsRedInBothLanguagesAndNoneAbove16)
{
    CMixInPutCom& page = OwnPage();
    const int tops[17] = {10, 36, 65, 92, 120, 144, 172, 196, 226, 250, 280, 308, 337, 363, 398, 422, 448};
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        page.RefreshLanguage();
        SendMessage(&page, WM_MIX_ROW_HIGHLIGHT, 5, 0);
        const QImage shown = page.grab().toImage();
        for (int row = 1; row <= 16; ++row) {
            const LabelPixels count = CountLabelPixels(shown, tops[row - 1], tops[row] - 4);
            if (row == 5) {
                EXPECT_GT(count.red, 10) << chinese;
            } else {
                EXPECT_EQ(count.red, 0) << row << chinese;
                EXPECT_GT(count.grey, 10) << row << chinese;
            }
        }
        SendMessage(&page, WM_MIX_ROW_HIGHLIGHT, 17, 0);
        const QImage empty = page.grab().toImage();
        const LabelPixels none = CountLabelPixels(empty, 10, 448);
        EXPECT_EQ(none.red + none.grey, 0) << chinese;
        SendMessage(&page, WM_MIX_ROW_HIGHLIGHT, 0, 0);
        EXPECT_EQ(CountLabelPixels(page.grab().toImage(), 10, 448).red, 0) << chinese;
    }
}

// Records the regions a widget is asked to paint.
class CPaintRecorder : public QObject {
public:
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

TEST_F(MixInPutComTest, AHighlightRepaintsOnlyTheLabelStrip)
{
    CMixInPutCom& page = OwnPage();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    CPaintRecorder onPage, onColumn;
    page.installEventFilter(&onPage);
    page.m_Column[0].installEventFilter(&onColumn);
    SendMessage(&page, WM_MIX_ROW_HIGHLIGHT, 9, 0);
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    page.removeEventFilter(&onPage);
    page.m_Column[0].removeEventFilter(&onColumn);
    EXPECT_EQ(page.m_nHighlightRow, 9);
    EXPECT_GE(onPage.paints, 1);
    EXPECT_TRUE(QRect(10, 10, 70, 438).contains(onPage.painted.boundingRect())) << onPage.painted.boundingRect().x()
                                                                                << onPage.painted.boundingRect().width();
    EXPECT_EQ(onColumn.paints, 0);
}

}  // namespace
