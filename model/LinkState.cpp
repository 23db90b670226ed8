#include "model/LinkState.h"

std::atomic<int> g_nLinkType{0};
std::atomic<bool> g_bNetLinkUp{false};
std::atomic<bool> g_bUsbActive{false};
std::atomic<bool> g_bUpdating{false};
std::atomic<bool> g_bTransferBusy{false};
std::atomic<int> g_anNetLinkWords[2] = {};
std::atomic<bool> g_bDeviceSynced{false};
std::atomic<bool> g_bUpdateDone{false};
std::atomic<bool> g_bHandshakePending{false};
std::atomic<bool> g_bFirmwareRequested{false};
std::atomic<bool> g_bUpdateCancelled{false};
std::atomic<bool> g_bSameLinkKind{false};
std::atomic<CMsgTarget*> g_pNotifyView{nullptr};

void ClearNetLinkFlags()
{
    g_bNetLinkUp = false;
    g_anNetLinkWords[0] = 0;
    g_anNetLinkWords[1] = 0;
}
