#pragma once
// Requests the view leaves for the change scan (CKTV_Data::NextChangedItem),
// which runs on the I/O worker: each is taken and cleared by one scan call.
// (g_bTrackPresetName, set by the block builder and the scan, is in
// model/FrameBuilder.h.)
#include <atomic>

// Send system item 5 (system bytes 8 to 15).
extern std::atomic<bool> g_bSendSysItem5;
// Send system item 2 (system bytes 0 to 7).
extern std::atomic<bool> g_bSendSysItem2;
// Clear the current machine-preset number and send the live preset name.
extern std::atomic<bool> g_bSendPresetName;
// A mode-gain row or value changed while connected.
extern std::atomic<bool> g_bModeGainsChanged;
