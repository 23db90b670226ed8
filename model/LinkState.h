#pragma once
// Link state shared by the UI thread, the I/O worker and the pollers. These
// are plain flags in the design; here they are atomics, since more than one
// thread reads and writes them.
#include <atomic>

class CMsgTarget;

// Link kinds.
enum : int {
    LINK_NONE = 0,
    LINK_USB = 1,  // USB HID
    LINK_NETWORK = 2,
    LINK_SERIAL = 3,
    LINK_KIND_COUNT = 4,
};

// The link kind that is up (or being opened).
extern std::atomic<int> g_nLinkType;
// The network link is open.
extern std::atomic<bool> g_bNetLinkUp;
// USB steps may run: set when the device is opened and when the I/O worker
// starts, cleared when it stops and when the device goes away.
extern std::atomic<bool> g_bUsbActive;
// A firmware update runs: the worker steps the update instead of the
// normal traffic.
extern std::atomic<bool> g_bUpdating;
// A transfer shown by the transfer popup runs.
extern std::atomic<bool> g_bTransferBusy;
// Two words kept beside g_bNetLinkUp and cleared with it.
extern std::atomic<int> g_anNetLinkWords[2];
// Set after the version check passed and after a received preset was
// applied; every parameter setter copies it into its change flag.
extern std::atomic<bool> g_bDeviceSynced;
// The last firmware command was answered: the update is over and the device
// restarts. The reachability poll waits for that restart before it reports
// the device, and clears the flag.
extern std::atomic<bool> g_bUpdateDone;
// The connect handshake is outstanding: the reply parser takes no data reply
// but the handshake's until it has come.
extern std::atomic<bool> g_bHandshakePending;
// The device answered a data request with an empty payload: it wants new
// firmware. The worker stops its normal steps until it is started again.
extern std::atomic<bool> g_bFirmwareRequested;
// Set only while the update dialog's Quit tears the link down: the reply
// parser then leaves the update's texts and progress alone.
extern std::atomic<bool> g_bUpdateCancelled;
// The link kind chosen in the connection dialog was the kind already set;
// the update dialog clears it when it starts an update.
extern std::atomic<bool> g_bSameLinkKind;

// The main view as the receiver of notices from other threads and from
// window-less objects; set by the view, null before it exists.
extern std::atomic<CMsgTarget*> g_pNotifyView;

// Zeroes g_bNetLinkUp and the two words beside it (the network link closed).
void ClearNetLinkFlags();
