#pragma once
// The output objects by index, for the copies between linked outputs (the
// link-group numbers are g_nLinkGroup in model/DataDefine.h). Set by
// CKTV_Data::InitOutputLinkTable and cleared when that parameter set goes;
// UI thread only.
#include "model/DataDefine.h"

class CKTV_OutData;

extern CKTV_OutData* g_pOutputData[OUTPUT_COUNT];
