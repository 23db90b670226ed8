#pragma once
// The bookkeeping of the output strips' link-group button, held for the
// whole program: which outputs were edited since their group was last
// formed, which of the twelve groups are in use, their member counts and
// member masks (bit n = output n), and each output's pending re-join. All
// zero at start-up (the application clears the first four again when it
// starts). UI thread only.
#include "model/DataDefine.h"
#include "platform/core/Types.h"

struct LinkRejoin {
    int bPending;
    int nGroup;
};

// Per output: 1 once the output page or the strip's level edited it.
extern int g_abOutputEdited[OUTPUT_COUNT];
// Per link group: 1 in use, 0 free.
extern int g_abLinkGroupUsed[OUTPUT_COUNT];
// Per link group: number of member outputs.
extern int g_anLinkGroupCount[OUTPUT_COUNT];
// Per link group: bit mask of the member outputs.
extern int g_anLinkGroupMask[OUTPUT_COUNT];
// Per output: whether it belongs to a group again, and which.
extern LinkRejoin g_aLinkRejoin[OUTPUT_COUNT];
// The output that leads a group being formed (-1 none), and whether the
// next click joins it.
extern int g_nLinkLeader;
extern int g_bLinkJoinArmed;

// Index 0 to 11 of the first group not in use; 0 when all twelve are used.
int FindFreeLinkGroup();
// Start-up: the edited flags, the used flags, the counts and the masks
// back to 0 (the re-join records keep their values).
void ClearLinkGroupTables();
