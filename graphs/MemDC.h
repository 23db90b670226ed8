#pragma once
// The graphs' off-screen drawing surface is the platform's: the control kit
// paints through it too, and controls cannot reach into graphs/.
#include "platform/gui/MemDC.h"
