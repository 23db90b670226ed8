#pragma once
// Firmware update: the command codes that the update frames carry in their
// item byte (and the queue records in their command code), and the update
// state that the engine, the reply parser, the worker and the update dialog
// share.
#include <atomic>

#include "model/WorkingStrings.h"  // g_strUpdateFilePath, the firmware file

enum : int {
    HEXSync = 0xFF,               // the sync pattern; never answered
    HEXApply = '6',               // the device restarts into its loader
    HEXStart = '7',               // the MCU image's four start bytes
    HEXData = '8',                // one 48-byte MCU chunk
    HEXEnd = '9',                 // the MCU checksum: the last command
    IAP_DSP_REQUEST_INFO = ':',   // erase before the DSP image
    IAP_DSP_DATA = ';',           // one DSP chunk with its offset
    IAP_DSP_END_INF = '<',        // known to the reply side; never sent
};

// Code of the firmware command the update write step sent last; the USB
// removal handling looks at it.
extern std::atomic<int> g_nLastUpdateCommand;
// The update dialog's reconnect poll runs: a device that arrives meanwhile
// is left to it.
extern std::atomic<bool> g_bUpdateRetrying;
// The loaded firmware file carries an MCU image.
extern std::atomic<bool> g_bUpdateHasMcu;
// Upper bound of the update dialog's progress bar for the loaded file.
extern std::atomic<int> g_nUpdateProgressTotal;
