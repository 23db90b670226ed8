#pragma once
// What a drop list keeps beside each item's text: whether the item heads a
// group, and its text colours (plain and hot).
#include "platform/core/Types.h"

struct DropItemRecord {
    BYTE header = 0;  // non-zero: a group header, never picked, never drawn hot
    COLORREF text = RGB(255, 255, 255);
    COLORREF hot = RGB(255, 255, 255);
};
