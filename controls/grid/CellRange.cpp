#include "controls/grid/CellRange.h"

#include <algorithm>

void CCellRange::Set(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
{
    m_nMinRow = nMinRow;
    m_nMinCol = nMinCol;
    m_nMaxRow = nMaxRow;
    m_nMaxCol = nMaxCol;
}

CCellRange CCellRange::Intersect(const CCellRange& other) const
{
    return CCellRange(std::max(m_nMinRow, other.m_nMinRow), std::max(m_nMinCol, other.m_nMinCol),
                      std::min(m_nMaxRow, other.m_nMaxRow), std::min(m_nMaxCol, other.m_nMaxCol));
}

bool CCellRange::operator==(const CCellRange& other) const
{
    return m_nMinRow == other.m_nMinRow && m_nMinCol == other.m_nMinCol && m_nMaxRow == other.m_nMaxRow &&
           m_nMaxCol == other.m_nMaxCol;
}
