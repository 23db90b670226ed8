#include <gtest/gtest.h>

#include <QScrollArea>
#include <QWidget>

#include "platform/gui/ControlStyles.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/RecordingWidget.h"

namespace {

TEST(WindowAttributesTest, IdsStylesAndTheParentTarget)
{
    CRecordingWidget target;
    QWidget plain;
    auto* child = new QWidget(&target);
    auto* orphan = new QWidget(&plain);
    EXPECT_EQ(GetDlgCtrlID(child), 0);
    EXPECT_EQ(GetWindowStyle(child), 0u);
    SetDlgCtrlID(child, 2830);
    SetWindowStyle(child, 0x8000000Bu);
    EXPECT_EQ(GetDlgCtrlID(child), 2830);
    EXPECT_EQ(GetWindowStyle(child), 0x8000000Bu);
    EXPECT_EQ(GetWindowExStyle(child), 0u);
    SetWindowExStyle(child, 0x20201u);
    EXPECT_EQ(GetWindowExStyle(child), 0x20201u);
    EXPECT_EQ(GetWindowStyle(child), 0x8000000Bu) << "kept apart";
    EXPECT_EQ(GetParentTarget(child), static_cast<CMsgTarget*>(&target));
    EXPECT_EQ(GetParentTarget(orphan), nullptr);
    EXPECT_EQ(GetParentTarget(&plain), nullptr);
}

TEST(WindowAttributesTest, DialogItemsByIdAtAnyDepth)
{
    QWidget dialog;
    auto* group = new QWidget(&dialog);
    auto* deep = new QWidget(group);
    SetDlgCtrlID(group, 10);
    SetDlgCtrlID(deep, 2724);
    EXPECT_EQ(GetDlgItem(&dialog, 2724), deep);
    EXPECT_EQ(GetDlgItem(&dialog, 10), group);
    EXPECT_EQ(GetDlgItem(&dialog, 11), nullptr);
    EXPECT_EQ(GetDlgItem(&dialog, 0), nullptr);
    EXPECT_EQ(GetDlgItem(nullptr, 10), nullptr);
}

TEST(WindowAttributesTest, DialogGroupsWrapAndSkipHiddenAndDisabledControls)
{
    QWidget dialog;
    QWidget* c[7];
    for (QWidget*& w : c)
        w = new QWidget(&dialog);
    // Groups: {0, 1, 2, 3} and {4, 5, 6}.
    SetWindowStyle(c[0], WS_GROUP);
    SetWindowStyle(c[4], WS_GROUP | WS_TABSTOP);
    c[2]->hide();
    c[6]->setEnabled(false);
    QWidget outsider;

    const struct {
        int from;
        bool previous;
        int expected;
    } cases[] = {
        {0, false, 1}, {1, false, 3}, {3, false, 0}, {0, true, 3}, {3, true, 1},
        {4, false, 5}, {5, false, 4}, {5, true, 4},
    };
    for (const auto& k : cases)
        EXPECT_EQ(GetNextDlgGroupItem(&dialog, c[k.from], k.previous), c[k.expected])
            << k.from << (k.previous ? " back" : " on");

    SetWindowStyle(c[5], WS_GROUP);  // 4 alone now
    EXPECT_EQ(GetNextDlgGroupItem(&dialog, c[4]), c[4]) << "no other control: itself";
    EXPECT_EQ(GetNextDlgGroupItem(&dialog, &outsider), nullptr);
    EXPECT_EQ(GetNextDlgGroupItem(nullptr, c[0]), nullptr);
}

TEST(WindowAttributesTest, TheClientWidgetOfAScrollAreaIsItsViewport)
{
    QScrollArea area;
    QWidget plain;
    EXPECT_EQ(GetClientWidget(&area), area.viewport());
    EXPECT_EQ(GetClientWidget(&plain), &plain);
    EXPECT_EQ(GetClientWidget(nullptr), nullptr);
}

}  // namespace
