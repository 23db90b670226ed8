#include "model/InputSourceTable.h"

#include <cstring>

CInputSourceTable g_InputSourceTable = {};

namespace {
const int kTable0[6][7] = {
    {0, 1, 1, 1, 1, 1, 1},
    {1, 0, 1, 1, 0, 0, 1},
    {1, 1, 0, 0, 1, 1, 1},
    {1, 1, 0, 0, 1, 1, 1},
    {1, 0, 1, 1, 0, 1, 1},
    {1, 0, 1, 1, 1, 0, 1},
};
const int kTable1[5][7] = {
    {0, 1, 1, 1, 1, 0, 1},
    {1, 0, 1, 0, 0, 0, 1},
    {1, 1, 0, 0, 1, 0, 1},
    {1, 0, 0, 0, 1, 0, 1},
    {1, 0, 1, 1, 0, 0, 1},
};
const int kTable2[4][7] = {
    {0, 1, 1, 1, 0, 0, 1},
    {1, 0, 1, 0, 0, 0, 1},
    {1, 1, 0, 0, 0, 0, 1},
    {1, 0, 0, 0, 0, 0, 1},
};
}  // namespace

void CInputSourceTable::Init()
{
    m_nCurrentSource = SOURCE_OFF;
    std::memcpy(m_anTable0, kTable0, sizeof m_anTable0);
    std::memcpy(m_anTable1, kTable1, sizeof m_anTable1);
    std::memcpy(m_anTable2, kTable2, sizeof m_anTable2);
    std::memcpy(m_anEnabled, m_anTable0[0], sizeof m_anEnabled);
}

int CInputSourceTable::SelectMode(int mode, int table)
{
    const int* row = nullptr;
    if (table == 0 && mode >= 0 && mode < 6)
        row = m_anTable0[mode];
    else if (table == 1 && mode >= 0 && mode < 5)
        row = m_anTable1[mode];
    else if (table == 2 && mode >= 0 && mode < 4)
        row = m_anTable2[mode];
    if (row != nullptr)
        std::memcpy(m_anEnabled, row, sizeof m_anEnabled);

    // A source outside the menu (a stray device byte) counts as off.
    if (m_nCurrentSource < 0 || m_nCurrentSource > SOURCE_OFF)
        m_nCurrentSource = SOURCE_OFF;
    if (m_anEnabled[m_nCurrentSource] == 1)
        return 1;
    m_nCurrentSource = SOURCE_OFF;
    return 0;
}
