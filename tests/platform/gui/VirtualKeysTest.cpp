#include <gtest/gtest.h>

#include <Qt>

#include "platform/core/SystemMessages.h"
#include "platform/gui/VirtualKeys.h"

namespace {

TEST(VirtualKeysTest, QtKeysToTheirCodes)
{
    struct Case {
        int key;
        UINT vk;
    };
    const Case cases[] = {
        {Qt::Key_A, 'A'},          {Qt::Key_Z, 'Z'},           {Qt::Key_0, '0'},          {Qt::Key_9, '9'},
        {Qt::Key_Down, VK_DOWN},   {Qt::Key_Up, VK_UP},        {Qt::Key_Left, VK_LEFT},   {Qt::Key_Right, VK_RIGHT},
        {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_Home, VK_HOME},  {Qt::Key_End, VK_END},
        {Qt::Key_Tab, VK_TAB},     {Qt::Key_Backtab, VK_TAB},  {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Return, VK_RETURN},
        {Qt::Key_Enter, VK_RETURN}, {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_F1, VK_F1},      {Qt::Key_F12, VK_F12},
        {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Space, VK_SPACE}, {Qt::Key_Exclam, 0},    {Qt::Key_unknown, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyFromQtKey(c.key), c.vk) << c.key;
}

}  // namespace
