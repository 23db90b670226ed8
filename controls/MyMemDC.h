#pragma once
// The progress bar's off-screen drawing surface is the platform's one.
#include "platform/gui/MemDC.h"

using CMyMemDC = CMemDC;
