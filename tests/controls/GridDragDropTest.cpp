// The grid's drag and drop: drag events on the client area with and without
// Ctrl (the action taken, the highlighted cell's pixels), refusals (drag and
// drop off, the preset list, data without text), the drop pasted at the
// last highlighted cell, dragging the selection out through the drag seam,
// the drag image, and the drop target's registration.
#include <gtest/gtest.h>

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

#include "platform/gui/DragDrop.h"
#include "platform/gui/SysColors.h"
#include "tests/controls/GridTestSupport.h"

namespace {

struct DragResult {
    bool accepted;
    Qt::DropAction action;
};

DragResult SendDrag(CGridCtrl* grid, QEvent::Type type, const QPoint& pos, const QMimeData* data,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* client = grid->viewport();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    if (type == QEvent::DragEnter) {
        QDragEnterEvent event(pos, offered, data, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(client, &event);
        return {event.isAccepted(), event.dropAction()};
    }
    if (type == QEvent::DragMove) {
        QDragMoveEvent event(pos, offered, data, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(client, &event);
        return {event.isAccepted(), event.dropAction()};
    }
    if (type == QEvent::Drop) {
        QDropEvent event(QPointF(pos), offered, data, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(client, &event);
        return {event.isAccepted(), event.dropAction()};
    }
    QDragLeaveEvent event;
    QCoreApplication::sendEvent(client, &event);
    return {event.isAccepted(), Qt::IgnoreAction};
}

// Whether the cell shows the one-pixel black drop frame on its left edge.
bool ShowsDropFrame(CGridCtrl* grid, int row, int col)
{
    const QImage image = Painted(grid);
    CRect rect;
    grid->GetCellBounds(row, col, &rect);
    return image.pixelColor(rect.left, rect.top + rect.Height() / 2) == QColor(0, 0, 0) &&
           image.pixelColor(rect.left + 2, rect.top) == QColor(0, 0, 0);
}

class GridDragDrop : public ::testing::Test, public GridFixture {
protected:
    void SetUp() override
    {
        Make(5, 4, 1, 1, 20, 50, QSize(300, 200));
        for (int r = 0; r < 5; ++r) {
            for (int c = 0; c < 4; ++c)
                grid->SetItemText(r, c, QStringLiteral("%1.%2").arg(r).arg(c));
        }
        grid->EnableDragAndDrop(true);
        text.setText(QStringLiteral("dropped\tsecond"));
        owner.notices.clear();
    }
    void TearDown() override { SetDragDropHook(nullptr); }

    QMimeData text;
};

TEST_F(GridDragDrop, TheHoveredCellIsHighlightedAndTheActionFollowsCtrl)
{
    EXPECT_TRUE(grid->viewport()->acceptDrops());
    DragResult result = SendDrag(grid, QEvent::DragEnter, CellPoint(grid, 1, 1), &text);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.action, Qt::MoveAction);
    EXPECT_TRUE(grid->GetItemState(1, 1) & GCS_DROPHILITED);
    EXPECT_TRUE(ShowsDropFrame(grid, 1, 1));

    result = SendDrag(grid, QEvent::DragMove, CellPoint(grid, 2, 2), &text, Qt::ControlModifier);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.action, Qt::CopyAction);
    EXPECT_FALSE(grid->GetItemState(1, 1) & GCS_DROPHILITED);
    EXPECT_FALSE(ShowsDropFrame(grid, 1, 1));
    EXPECT_TRUE(ShowsDropFrame(grid, 2, 2));

    // A protected cell refuses the position and leaves the highlight where
    // it was; a fixed cell is no target and takes the highlight away.
    grid->SetItemState(3, 3, GCS_READONLY);
    EXPECT_FALSE(SendDrag(grid, QEvent::DragMove, CellPoint(grid, 3, 3), &text).accepted);
    EXPECT_TRUE(grid->GetItemState(2, 2) & GCS_DROPHILITED);
    EXPECT_FALSE(SendDrag(grid, QEvent::DragMove, CellPoint(grid, 0, 2), &text).accepted);
    EXPECT_FALSE(grid->GetItemState(2, 2) & GCS_DROPHILITED);

    SendDrag(grid, QEvent::DragMove, CellPoint(grid, 4, 1), &text);
    SendDrag(grid, QEvent::DragLeave, QPoint(), &text);
    EXPECT_FALSE(grid->GetItemState(4, 1) & GCS_DROPHILITED);
    EXPECT_FALSE(ShowsDropFrame(grid, 4, 1));
    EXPECT_EQ(grid->GetItemText(4, 1), QStringLiteral("4.1"));
}

TEST_F(GridDragDrop, ADropPastesAtTheLastHighlightedCellInBothActions)
{
    for (const Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ControlModifier)}) {
        SCOPED_TRACE(int(modifiers));
        grid->SetItemText(2, 1, QStringLiteral("2.1"));
        grid->SetItemText(2, 2, QStringLiteral("2.2"));
        SendDrag(grid, QEvent::DragEnter, CellPoint(grid, 1, 1), &text, modifiers);
        SendDrag(grid, QEvent::DragMove, CellPoint(grid, 2, 1), &text, modifiers);
        const DragResult result = SendDrag(grid, QEvent::Drop, CellPoint(grid, 2, 1), &text, modifiers);
        EXPECT_TRUE(result.accepted);
        EXPECT_EQ(grid->GetItemText(2, 1), QStringLiteral("dropped"));
        EXPECT_EQ(grid->GetItemText(2, 2), QStringLiteral("second"));
        EXPECT_FALSE(grid->GetItemState(2, 1) & GCS_DROPHILITED);
        EXPECT_EQ(grid->GetItemText(1, 1), QStringLiteral("1.1"));  // the source is the drag's to clear
    }
}

TEST_F(GridDragDrop, DropsAreRefusedWithDragAndDropOffForDataWithoutTextAndOnAGridThatIsNotEditable)
{
    QMimeData noText;
    noText.setData(QStringLiteral("application/octet-stream"), QByteArray("x"));
    EXPECT_FALSE(SendDrag(grid, QEvent::DragEnter, CellPoint(grid, 1, 1), &noText).accepted);
    EXPECT_FALSE(SendDrag(grid, QEvent::DragMove, CellPoint(grid, 1, 1), &noText).accepted);

    grid->SetEditable(false);
    SendDrag(grid, QEvent::DragEnter, CellPoint(grid, 1, 1), &text);
    EXPECT_FALSE(SendDrag(grid, QEvent::DragMove, CellPoint(grid, 1, 1), &text).accepted);
    EXPECT_FALSE(SendDrag(grid, QEvent::Drop, CellPoint(grid, 1, 1), &text).accepted);
    EXPECT_EQ(grid->GetItemText(1, 1), QStringLiteral("1.1"));

    grid->SetEditable(true);
    grid->EnableDragAndDrop(false);
    EXPECT_FALSE(SendDrag(grid, QEvent::DragEnter, CellPoint(grid, 1, 1), &text).accepted);
    EXPECT_FALSE(SendDrag(grid, QEvent::DragMove, CellPoint(grid, 1, 1), &text).accepted);
    EXPECT_FALSE(SendDrag(grid, QEvent::Drop, CellPoint(grid, 1, 1), &text).accepted);
    EXPECT_EQ(grid->GetItemText(1, 1), QStringLiteral("1.1"));
    EXPECT_FALSE(grid->GetItemState(1, 1) & GCS_DROPHILITED);
}

TEST(GridDragDropPresetList, ADragOverThePresetListIsRefusedAtEnterAndAtEveryMove)
{
    CGridOwner owner;
    auto* grid = new CProbeGrid;
    grid->Create(CRect(10, 10, 430, 200), &owner, 2724, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    SetUpPresetList(grid);
    owner.show();
    QMimeData text;
    text.setText(QStringLiteral("Name"));
    EXPECT_FALSE(SendDrag(grid, QEvent::DragEnter, CellPoint(grid, 2, 1), &text).accepted);
    for (int row = 1; row < 7; ++row)
        EXPECT_FALSE(SendDrag(grid, QEvent::DragMove, CellPoint(grid, row, 1), &text).accepted);
    EXPECT_FALSE(SendDrag(grid, QEvent::Drop, CellPoint(grid, 2, 1), &text).accepted);
    EXPECT_EQ(grid->GetItemText(2, 1), QStringLiteral("Preset 2"));
}

TEST_F(GridDragDrop, StartCellDragOffersTheSelectionAndAMoveClearsIt)
{
    struct Case {
        Qt::DropAction taken;
        bool cleared;
    };
    for (const Case& c : {Case{Qt::MoveAction, true}, Case{Qt::CopyAction, false}, Case{Qt::IgnoreAction, false}}) {
        SCOPED_TRACE(int(c.taken));
        grid->SetItemText(2, 2, QStringLiteral("2.2"));
        grid->SetItemText(2, 3, QStringLiteral("2.3"));
        grid->SetSelectedRange(2, 2, 2, 3);
        owner.notices.clear();
        QString dragged;
        Qt::DropActions offered;
        SetDragDropHook([&](QDrag& drag, Qt::DropActions supported) {
            dragged = drag.mimeData()->text();
            offered = supported;
            return c.taken;
        });
        grid->StartCellDrag();
        EXPECT_EQ(dragged, QStringLiteral("2.2\t2.3"));
        EXPECT_EQ(offered, Qt::CopyAction | Qt::MoveAction);
        ASSERT_FALSE(owner.notices.empty());
        EXPECT_EQ(owner.notices[0].code, LVN_BEGINDRAG);
        EXPECT_EQ(owner.notices[0].row, 2);
        EXPECT_EQ(owner.notices[0].column, 2);
        EXPECT_EQ(grid->m_nMouseMode, CGridCtrl::MouseDragging);
        EXPECT_EQ(grid->GetItemText(2, 2).isEmpty(), c.cleared);
        EXPECT_EQ(grid->GetItemText(2, 3).isEmpty(), c.cleared);
        grid->m_nMouseMode = CGridCtrl::MouseIdle;
    }

    // Drag and drop off, or nothing selected: no drag.
    int drags = 0;
    SetDragDropHook([&](QDrag&, Qt::DropActions) {
        ++drags;
        return Qt::IgnoreAction;
    });
    grid->EnableDragAndDrop(false);
    grid->StartCellDrag();
    grid->EnableDragAndDrop(true);
    grid->m_PrevSelectedCells.clear();
    grid->SetSelectedRange(-1, -1, -1, -1);
    grid->StartCellDrag();
    EXPECT_EQ(drags, 0);
}

TEST_F(GridDragDrop, TheDragImageIsTheFocusCellWithItsBackgroundTransparent)
{
    grid->SetItemFormat(2, 2, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    grid->SetItemText(2, 2, QStringLiteral("WWW"));
    grid->SetFocusCell(2, 2);
    QPoint hotSpot;
    const QPixmap image = grid->CreateDragImage(&hotSpot);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(49, 19));
    EXPECT_EQ(hotSpot, QPoint(49, 19));
    const QImage pixels = image.toImage();
    EXPECT_EQ(pixels.pixelColor(0, 5), QColor(0, 0, 0));  // the focus frame
    EXPECT_EQ(pixels.pixelColor(3, 3).alpha(), 0);         // the background
    int text = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 2; x < pixels.width() - 2; ++x)
            text += pixels.pixelColor(x, y).alpha() != 0 && y > 1 && y < pixels.height() - 2 ? 1 : 0;
    }
    EXPECT_GT(text, 10);  // the text shows

    grid->SetFocusCell(-1, -1);
    EXPECT_TRUE(grid->CreateDragImage(&hotSpot).isNull());
}

TEST(GridDropTargetRegistration, OnceForAGridAndNeverForAnythingElse)
{
    CGridOwner owner;
    auto* grid = new CProbeGrid(3, 3, 1, 1);
    CGridDropTarget* target = grid->DropTarget();
    EXPECT_FALSE(target->m_bRegistered);
    EXPECT_FALSE(grid->viewport()->acceptDrops());
    grid->Create(CRect(0, 0, 100, 100), &owner, 1, WS_CHILD | WS_VISIBLE);
    EXPECT_TRUE(target->m_bRegistered);
    EXPECT_EQ(target->m_pGridCtrl, grid);
    EXPECT_FALSE(target->Register(grid));

    CGridDropTarget other;
    QWidget plain;
    EXPECT_FALSE(other.Register(nullptr));
    EXPECT_FALSE(other.Register(&plain));
    EXPECT_EQ(other.m_pGridCtrl, nullptr);

    target->Revoke();
    EXPECT_FALSE(target->m_bRegistered);
    EXPECT_FALSE(grid->viewport()->acceptDrops());
    EXPECT_TRUE(target->Register(grid));

    // Another window than the grid's is never served.
    QMimeData text;
    text.setText(QStringLiteral("t"));
    grid->EnableDragAndDrop(true);
    EXPECT_EQ(target->OnDragEnter(&plain, &text, 0, QPoint(40, 15)), DROPEFFECT_NONE);
    EXPECT_EQ(target->OnDragScroll(&plain, MK_CONTROL, QPoint()), DROPEFFECT_NONE);
    EXPECT_EQ(target->OnDragScroll(grid->viewport(), MK_CONTROL, QPoint()), DROPEFFECT_COPY);
    EXPECT_EQ(target->OnDragScroll(grid->viewport(), 0, QPoint()), DROPEFFECT_MOVE);
    EXPECT_FALSE(target->OnDrop(&plain, &text, DROPEFFECT_COPY, QPoint()));
}

}  // namespace
