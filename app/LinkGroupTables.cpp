#include "app/LinkGroupTables.h"

#include <algorithm>
#include <iterator>

int g_abOutputEdited[OUTPUT_COUNT] = {};
int g_abLinkGroupUsed[OUTPUT_COUNT] = {};
int g_anLinkGroupCount[OUTPUT_COUNT] = {};
int g_anLinkGroupMask[OUTPUT_COUNT] = {};
LinkRejoin g_aLinkRejoin[OUTPUT_COUNT] = {};
int g_nLinkLeader = -1;
int g_bLinkJoinArmed = 0;

int FindFreeLinkGroup()
{
    const int* free = std::find(std::begin(g_abLinkGroupUsed), std::end(g_abLinkGroupUsed), 0);
    // Every group in use: the first one is handed out again.
    return free == std::end(g_abLinkGroupUsed) ? 0 : int(free - std::begin(g_abLinkGroupUsed));
}

void ClearLinkGroupTables()
{
    std::fill(std::begin(g_abOutputEdited), std::end(g_abOutputEdited), 0);
    std::fill(std::begin(g_abLinkGroupUsed), std::end(g_abLinkGroupUsed), 0);
    std::fill(std::begin(g_anLinkGroupCount), std::end(g_anLinkGroupCount), 0);
    std::fill(std::begin(g_anLinkGroupMask), std::end(g_anLinkGroupMask), 0);
}
