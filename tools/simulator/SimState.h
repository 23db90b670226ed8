#pragma once
// The simulated device's own parameters: the live image, the six machine
// presets, the system bytes, the mode gains and the status it reports. A
// copy of its own, never the program's globals, so that a test running the
// program and the device in one process sees data really travel.
#include "model/DataDefine.h"

struct CSimState {
    enum : int { kSystemItemBytes = 41 };

    DeviceImage live = {};
    DeviceImage presets[MACHINE_PRESET_COUNT] = {};
    // System bytes 0 to 40 (items 2, 5, 6, 7 at 0-31, the current preset at 40).
    BYTE system[kSystemItemBytes] = {};
    BYTE modeGains[MODE_GAINS_SIZE] = {};
    // The status reply: its first statusLength bytes (1 to 35).
    BYTE status[DEVICE_STATUS_COUNT] = {};
    int statusLength = DEVICE_STATUS_COUNT;

    // Slot 0 is the live image, 1 to 6 the machine presets; null otherwise.
    DeviceImage* Image(int slot);
    const DeviceImage* Image(int slot) const;

    // Copies the model's live image, machine presets, system bytes and mode
    // gains, e.g. right after InitDefaultDeviceData, as the device's factory
    // state. Reads the globals only, under the parameter set's lock.
    static CSimState FromModelGlobals();
};
