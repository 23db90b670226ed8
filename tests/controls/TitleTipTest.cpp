// The title tip over a grid: where it shows, when it stays hidden, and how
// every input that ends it goes on to the window underneath.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QScrollBar>
#include <QTest>

#include "platform/gui/SysColors.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/controls/GridTestSupport.h"

namespace {

// Records the mouse events a widget receives.
class CMouseRecorder : public QObject {
public:
    struct Seen {
        QEvent::Type type;
        QPoint pos;
    };
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease)
            seen.push_back({type, static_cast<QMouseEvent*>(event)->position().toPoint()});
        return false;
    }
    std::vector<Seen> seen;
};

class TitleTip : public ::testing::Test, public GridFixture {
protected:
    void SetUp() override
    {
        Make(40, 4, 1, 1, 20, 60, QSize(300, 200));
        owner.activateWindow();
        grid->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        tip = grid->TitleTip();
        ASSERT_TRUE(tip->HasWindow());
        font = grid->GetGridLogFont();
    }
    void TearDown() override { tip->Hide(); }

    // Shows the tip over the 60-pixel cell at (50, 40) with offset 3.
    void ShowLong()
    {
        tip->Show(cell, longText, 3, nullptr, &font);
        ASSERT_TRUE(tip->isVisible());
    }
    int PaddedWidth(const QString& text) const
    {
        return QFontMetrics(*CreateFontIndirect(font)).horizontalAdvance(QStringLiteral(" ") + text + QStringLiteral(" "));
    }
    QPoint ViewportOrigin() const { return grid->viewport()->mapToGlobal(QPoint(0, 0)); }

    CTitleTip* tip = nullptr;
    LOGFONT font;
    const CRect cell{50, 40, 110, 60};
    const QString longText = QStringLiteral("A name far too long for its cell");
};

TEST_F(TitleTip, ShowsOverTheCellWiderByItsOffset)
{
    ASSERT_FALSE(tip->isVisible());
    ShowLong();
    const int width = PaddedWidth(longText);
    ASSERT_GT(width, 60);
    const QPoint origin = ViewportOrigin();
    EXPECT_EQ(tip->geometry(), QRect(origin.x() + 50 + 3, origin.y() + 40, width + 3, 20));
    EXPECT_EQ(tip->ShownText(), QStringLiteral(" ") + longText + QStringLiteral(" "));
    // The hover area in the tip's own client coordinates (inside its border),
    // at the place where it shows.
    EXPECT_EQ(tip->HoverRect(), CRect(-4, -1, 56, 19));
    EXPECT_EQ(QWidget::mouseGrabber(), tip);
    EXPECT_TRUE(tip->windowFlags() & Qt::ToolTip);
    EXPECT_TRUE(tip->testAttribute(Qt::WA_ShowWithoutActivating));

    const QImage shown = tip->grab().toImage();
    EXPECT_GT(CountPixels(shown, GetSysColor(COLOR_INFOBK)), shown.width() * shown.height() / 2);
    EXPECT_GT(CountPixels(shown, QColor(0, 0, 0), 80, shown.rect().adjusted(2, 2, -2, -2)), 20);  // the text
    tip->Hide();

    // A text whose padded width is 100 pixels: the tip is 103 wide.
    QString hundred;
    for (int wide = 1; wide < 30 && hundred.isEmpty(); ++wide) {
        for (int narrow = 0; narrow < 12 && hundred.isEmpty(); ++narrow) {
            const QString text = QString(wide, QLatin1Char('m')) + QString(narrow, QLatin1Char('i'));
            if (PaddedWidth(text) == 100)
                hundred = text;
        }
    }
    ASSERT_FALSE(hundred.isEmpty());
    tip->Show(cell, hundred, 3, nullptr, &font);
    ASSERT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->geometry(), QRect(origin.x() + 53, origin.y() + 40, 103, 20));
}

TEST_F(TitleTip, TextThatFitsOrASecondShowChangesNothing)
{
    tip->Show(cell, QStringLiteral("ab"), 3, nullptr, &font);
    EXPECT_FALSE(tip->isVisible());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    ShowLong();
    const QRect where = tip->geometry();
    const CRect hover = tip->HoverRect();
    tip->Show(CRect(50, 100, 110, 120), QStringLiteral("another text much too long for the cell"), 3, nullptr, &font);
    EXPECT_EQ(tip->geometry(), where);
    EXPECT_EQ(tip->HoverRect(), hover);
    EXPECT_EQ(tip->ShownText(), QStringLiteral(" ") + longText + QStringLiteral(" "));

    tip->Hide();
    tip->Show(CRect(50, 40, 50, 60), longText, 3, nullptr, &font);  // an empty cell rectangle
    EXPECT_FALSE(tip->isVisible());

    CTitleTip loose;  // no window: nothing at all
    loose.Hide();
    EXPECT_FALSE(loose.isVisible());
    EXPECT_FALSE(loose.Create(nullptr));
}

TEST_F(TitleTip, APressGoesToTheGridOrItsScrollBarUnderneath)
{
    CMouseRecorder onGrid;
    grid->viewport()->installEventFilter(&onGrid);
    ShowLong();
    const QPoint pressAt(10, 5);  // in the tip
    const QPoint global = tip->mapToGlobal(pressAt);
    QTest::mousePress(tip, Qt::LeftButton, Qt::NoModifier, pressAt);
    EXPECT_FALSE(tip->isVisible());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QApplication::processEvents();
    ASSERT_EQ(onGrid.seen.size(), 1u);
    EXPECT_EQ(onGrid.seen[0].type, QEvent::MouseButtonPress);
    EXPECT_EQ(onGrid.seen[0].pos, grid->viewport()->mapFromGlobal(global));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, onGrid.seen[0].pos);

    // The tip holds the mouse: a press on the scroll bar arrives at the tip
    // and goes on to the bar.
    QScrollBar* bar = grid->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    CMouseRecorder onBar;
    bar->installEventFilter(&onBar);
    ShowLong();
    const QPoint barPoint = bar->mapToGlobal(QPoint(bar->width() / 2, bar->height() - bar->width() * 2));
    QTest::mousePress(tip, Qt::LeftButton, Qt::NoModifier, tip->mapFromGlobal(barPoint));
    EXPECT_FALSE(tip->isVisible());
    QApplication::processEvents();
    ASSERT_FALSE(onBar.seen.empty());
    EXPECT_EQ(onBar.seen[0].type, QEvent::MouseButtonPress);
    EXPECT_EQ(onBar.seen[0].pos, bar->mapFromGlobal(barPoint));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, onBar.seen[0].pos);
    EXPECT_GT(grid->GetScrollPosition(SB_VERT), 0);  // the bar paged the grid
}

TEST_F(TitleTip, LeavingTheHoverAreaHidesItAndTheMoveGoesOn)
{
    CMouseRecorder onGrid;
    grid->viewport()->installEventFilter(&onGrid);
    ShowLong();
    QTest::mouseMove(tip, QPoint(30, 10));  // inside the cell
    EXPECT_TRUE(tip->isVisible());
    const QPoint outside(tip->width() - 2, 10);  // over the tip, right of the cell
    const QPoint global = tip->mapToGlobal(outside);
    QTest::mouseMove(tip, outside);
    EXPECT_FALSE(tip->isVisible());
    QApplication::processEvents();
    ASSERT_FALSE(onGrid.seen.empty());
    EXPECT_EQ(onGrid.seen.back().type, QEvent::MouseMove);
    EXPECT_EQ(onGrid.seen.back().pos, grid->viewport()->mapFromGlobal(global));
}

TEST_F(TitleTip, AKeyHidesItAndReachesTheGrid)
{
    ShowLong();
    grid->keys.clear();
    QTest::keyPress(&owner, Qt::Key_Down);
    EXPECT_FALSE(tip->isVisible());
    QApplication::processEvents();
    ASSERT_FALSE(grid->keys.empty());
    EXPECT_EQ(grid->keys[0].message, UINT(WM_KEYDOWN));
    EXPECT_EQ(grid->keys[0].code, UINT(VK_DOWN));

    // Once hidden, keys no longer pass through the tip.
    grid->keys.clear();
    QTest::keyPress(grid, Qt::Key_A);
    ASSERT_EQ(grid->keys.size(), 2u);
    EXPECT_EQ(grid->keys[0].code, UINT('A'));
    EXPECT_EQ(grid->keys[1].message, UINT(WM_CHAR));
    EXPECT_EQ(grid->keys[1].code, UINT('a'));
}

TEST_F(TitleTip, AScrollOrTheLossOfTheKeyboardFocusHidesIt)
{
    ShowLong();
    SendMessage(grid, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(tip->isVisible());

    ShowLong();
    grid->clearFocus();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
    EXPECT_FALSE(tip->isVisible());
    tip->Show(cell, longText, 3, nullptr, &font);  // no focus anywhere: stays hidden
    EXPECT_FALSE(tip->isVisible());
}

}  // namespace
