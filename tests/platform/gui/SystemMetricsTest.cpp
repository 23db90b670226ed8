#include <gtest/gtest.h>

#include "platform/gui/SystemMetrics.h"

namespace {

TEST(SystemMetricsTest, StandardSizesAt96Dpi)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CYBORDER), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CYEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 20);
    EXPECT_EQ(GetSystemMetrics(-1), 0);
}

}  // namespace
