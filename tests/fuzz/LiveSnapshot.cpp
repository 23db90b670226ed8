#include "tests/fuzz/LiveSnapshot.h"

#include <cstring>

#include "model/DataLockState.h"
#include "model/KTV_Data.h"

CLiveSnapshot::CLiveSnapshot()
{
    m_current = g_CurrentImage;
    std::memcpy(m_presets, g_MachinePresets, sizeof m_presets);
    std::memcpy(m_system, g_SystemBytes, sizeof m_system);
    std::memcpy(m_modeGains, g_ModeGains, sizeof m_modeGains);
    std::memcpy(m_outputMapCrossovers, g_OutputMapCrossovers, sizeof m_outputMapCrossovers);
    m_bDataLocked = g_bDataLocked.load();
    m_strLockPassword = g_strLockPassword;
}

bool CLiveSnapshot::operator==(const CLiveSnapshot& other) const
{
    return std::memcmp(&m_current, &other.m_current, sizeof m_current) == 0 &&
           std::memcmp(m_presets, other.m_presets, sizeof m_presets) == 0 &&
           std::memcmp(m_system, other.m_system, sizeof m_system) == 0 &&
           std::memcmp(m_modeGains, other.m_modeGains, sizeof m_modeGains) == 0 &&
           std::memcmp(m_outputMapCrossovers, other.m_outputMapCrossovers, sizeof m_outputMapCrossovers) == 0 &&
           m_bDataLocked == other.m_bDataLocked && m_strLockPassword == other.m_strLockPassword;
}

void CLiveSnapshot::Restore() const
{
    g_CurrentImage = m_current;
    std::memcpy(g_MachinePresets, m_presets, sizeof m_presets);
    std::memcpy(g_SystemBytes, m_system, sizeof m_system);
    std::memcpy(g_ModeGains, m_modeGains, sizeof m_modeGains);
    std::memcpy(g_OutputMapCrossovers, m_outputMapCrossovers, sizeof m_outputMapCrossovers);
    g_bDataLocked = m_bDataLocked;
    g_strLockPassword = m_strLockPassword;
}
