#include "link/LinkStatus.h"

std::atomic<BYTE> g_byLinkStatus[LINK_STATUS_SIZE] = {};
std::atomic<const CSendData*> g_pSendingCommand{nullptr};

void ClearStatusBytes()
{
    for (std::atomic<BYTE>& status : g_byLinkStatus)
        status.store(0);
}
