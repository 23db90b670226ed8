#pragma once
// A copy of every live byte an input must not change unless it is taken
// over whole: the live image, the six machine presets, the system bytes,
// the mode gains, the output-map tables and the data-lock state.
#include <QString>

#include "model/DataDefine.h"

class CLiveSnapshot {
public:
    // Takes the copy now.
    CLiveSnapshot();

    bool operator==(const CLiveSnapshot& other) const;
    bool operator!=(const CLiveSnapshot& other) const { return !(*this == other); }

    // The parts one by one, for checks that allow some of them to change.
    const DeviceImage& Image(int k) const { return k == 0 ? m_current : m_presets[k - 1]; }
    const BYTE* SystemBytes() const { return m_system; }
    bool SameLockState(const CLiveSnapshot& other) const
    {
        return m_bDataLocked == other.m_bDataLocked && m_strLockPassword == other.m_strLockPassword;
    }

    // Writes the copy back into the live data.
    void Restore() const;

private:
    DeviceImage m_current;
    DeviceImage m_presets[MACHINE_PRESET_COUNT];
    BYTE m_system[SYSTEM_BYTE_COUNT];
    BYTE m_modeGains[MODE_GAINS_SIZE];
    BYTE m_outputMapCrossovers[OUTPUT_COUNT][RECORD_SIZE];
    bool m_bDataLocked;
    QString m_strLockPassword;
};
