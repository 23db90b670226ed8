#pragma once
// The twelve factory output blocks that the data-lock reset copies into the
// live image.
#include <array>

#include "model/DataDefine.h"

using OutputBlockBytes = std::array<BYTE, OUTPUT_BLOCK_SIZE>;

// Filled during static initialisation: do not read it from another static
// initialiser.
extern const std::array<OutputBlockBytes, OUTPUT_COUNT> g_DefaultOutputBlocks;
