#pragma once
// The virtual-key code of a Qt key, for controls whose key handling is
// written against WM_KEYDOWN codes (VK_ in platform/core/SystemMessages.h).
#include "platform/core/Types.h"

// 0 for a key without a code.
UINT VirtualKeyFromQtKey(int key);
