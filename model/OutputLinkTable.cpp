#include "model/OutputLinkTable.h"

CKTV_OutData* g_pOutputData[OUTPUT_COUNT] = {};
