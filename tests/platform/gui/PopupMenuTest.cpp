#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include "platform/gui/PopupMenu.h"

namespace {

// Picks an item of the open menu as the keyboard would.
void PickItem(QMenu* menu, int index)
{
    menu->setActiveAction(menu->actions().at(index));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(menu, &enter);
}

QMenu* MakeCommandMenu(QWidget* owner)
{
    auto* menu = new QMenu(owner);
    menu->addAction(QStringLiteral("Load"))->setData(714);
    menu->addAction(QStringLiteral("Nothing"));
    return menu;
}

TEST(PopupMenuTest, TheRealMenuAnswersTheChosenItemsCommand)
{
    QWidget owner;
    QMenu* menu = MakeCommandMenu(&owner);
    // Picked while the menu's own loop runs; then dismissed the second time.
    QTimer::singleShot(0, menu, [menu] { PickItem(menu, 0); });
    EXPECT_EQ(TrackPopupMenu(*menu, QPoint(20, 20), &owner), 714u);
    QTimer::singleShot(0, menu, [menu] { menu->close(); });
    EXPECT_EQ(TrackPopupMenu(*menu, QPoint(20, 20), &owner), 0u);
    QTimer::singleShot(0, menu, [menu] { PickItem(menu, 1); });
    EXPECT_EQ(TrackPopupMenu(*menu, QPoint(20, 20), &owner), 0u);  // an item without a command
}

TEST(PopupMenuTest, AHandlerAnswersInsteadAndTheRealMenuComesBack)
{
    QWidget owner;
    QMenu* menu = MakeCommandMenu(&owner);
    QPoint shownAt;
    QWidget* shownFor = nullptr;
    SetPopupMenuHandler([&](QMenu& m, const QPoint& global, QWidget* o) {
        shownAt = global;
        shownFor = o;
        return CommandOf(m.actions().at(0));
    });
    EXPECT_EQ(TrackPopupMenu(*menu, QPoint(7, 9), &owner), 714u);
    EXPECT_EQ(shownAt, QPoint(7, 9));
    EXPECT_EQ(shownFor, &owner);
    const PopupMenuHandler previous = SetPopupMenuHandler(nullptr);
    EXPECT_TRUE(bool(previous));
    QTimer::singleShot(0, menu, [menu] { menu->close(); });
    EXPECT_EQ(TrackPopupMenu(*menu, QPoint(20, 20), &owner), 0u);
    EXPECT_EQ(CommandOf(nullptr), 0u);
}

}  // namespace
