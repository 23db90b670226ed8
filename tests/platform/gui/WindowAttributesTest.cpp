#include <gtest/gtest.h>

#include <QWidget>

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

}  // namespace
