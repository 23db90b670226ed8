#pragma once
// The mouse key flags (MK_*) that a mouse message carries in wParam, read
// from a Qt mouse event: the buttons held and the Shift and Ctrl keys.
#include "platform/core/Types.h"

class QMouseEvent;

WPARAM MouseKeyFlags(const QMouseEvent* event);
