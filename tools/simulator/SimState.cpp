#include "tools/simulator/SimState.h"

#include <cstring>

#include "model/ParameterSetLock.h"

DeviceImage* CSimState::Image(int slot)
{
    if (slot == 0)
        return &live;
    if (slot >= 1 && slot <= MACHINE_PRESET_COUNT)
        return &presets[slot - 1];
    return nullptr;
}

const DeviceImage* CSimState::Image(int slot) const
{
    return const_cast<CSimState*>(this)->Image(slot);
}

CSimState CSimState::FromModelGlobals()
{
    CSimState s;
    ParameterSetGuard guard(g_ParameterSetLock);
    s.live = g_CurrentImage;
    for (int k = 0; k < MACHINE_PRESET_COUNT; ++k)
        s.presets[k] = g_MachinePresets[k];
    std::memcpy(s.system, g_SystemBytes, sizeof s.system);
    std::memcpy(s.modeGains, g_ModeGains, sizeof s.modeGains);
    return s;
}
