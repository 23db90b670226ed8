#include "link/FirmwareUpdate.h"

std::atomic<int> g_nLastUpdateCommand{0};
std::atomic<bool> g_bUpdateRetrying{false};
std::atomic<bool> g_bUpdateHasMcu{false};
std::atomic<int> g_nUpdateProgressTotal{0};
